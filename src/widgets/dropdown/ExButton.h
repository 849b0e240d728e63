#pragma once
// The small owner-drawn push button of the drop-down pop-ups' header and
// footer strips (TExButton), the colour set its faces are painted from
// (TExButtonAppearance, shared by all buttons of one drop-down edit), the
// range-checked list the strips keep their buttons in (TDbgList), and what a
// button with a modal result closes (IDropDownCloser).

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Timer.h"
#include "widgets/dropdown/DropDownAppearance.h"

#include <memory>
#include <string>
#include <vector>

class TCustomImageList;

// A drop-down that a push button can close. The button keeps only a weak
// handle: once the drop-down is gone, the button closes nothing.
class IDropDownCloser {
public:
    IDropDownCloser() : FAlive(std::make_shared<IDropDownCloser*>(this)) {}
    virtual ~IDropDownCloser() = default;
    IDropDownCloser(const IDropDownCloser&) = delete;
    IDropDownCloser& operator=(const IDropDownCloser&) = delete;
    // Closes the pop-up (Cancelled: the value chosen is dropped).
    virtual void CloseDropDown(bool Cancelled) = 0;
    std::weak_ptr<IDropDownCloser*> Handle() const { return FAlive; }

private:
    std::shared_ptr<IDropDownCloser*> FAlive;
};

// Modal results beyond the message boxes' ones.
constexpr int mrAll = 12, mrNoToAll = 13, mrYesToAll = 14;
constexpr int mrClose = 8, mrHelp = 9, mrTryAgain = 10, mrContinue = 11;

// The colours of the button states and the caption font. Every colour
// setter (and Gradient) stores a different value and then fires OnChange;
// an equal value changes nothing. The font does not notify.
class TExButtonAppearance : public TPersistent {
public:
    TExButtonAppearance();
    std::string ClassName() const override { return "TExButtonAppearance"; }
    // From a TExButtonAppearance through the setters (Color, ColorTo,
    // ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked,
    // ColorCheckedTo, ColorDisabled, ColorDisabledTo, BorderColor,
    // BorderColorHot, BorderColorDown, BorderColorChecked,
    // BorderColorDisabled, Gradient); the font is not copied. Anything else
    // as the base does.
    void Assign(const TPersistent* Source) override;

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { Set(FBorderColor, Value); }
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor Value) { Set(FBorderColorHot, Value); }
    TColor BorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor Value) { Set(FBorderColorDown, Value); }
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor Value) { Set(FBorderColorDisabled, Value); }
    TColor BorderColorChecked() const { return FBorderColorChecked; }
    void SetBorderColorChecked(TColor Value) { Set(FBorderColorChecked, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Set(FColor, Value); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { Set(FColorTo, Value); }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { Set(FColorDown, Value); }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { Set(FColorDownTo, Value); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { Set(FColorHot, Value); }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { Set(FColorHotTo, Value); }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value) { Set(FColorChecked, Value); }
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value) { Set(FColorCheckedTo, Value); }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor Value) { Set(FColorDisabled, Value); }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor Value) { Set(FColorDisabledTo, Value); }
    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection Value);
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value) { FFont.Assign(Value); }

    TAppearanceNotifyEvent OnChange;

private:
    void Set(TColor& Field, TColor Value);
    TColor FBorderColor = clNone;
    TColor FBorderColorHot = 0x808080;
    TColor FBorderColorDown = 0x800000;
    TColor FBorderColorDisabled = 0x808080;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = clNone;
    TColor FColorTo = clNone;
    TColor FColorDown = 0xF5D8CA;
    TColor FColorDownTo = 0xF9BDA0;
    TColor FColorHot = 0xF5F0E1;
    TColor FColorHotTo = 0xF9D2B2;
    TColor FColorCheckedTo = 0;
    TColor FColorDisabled = 0xF2F2F2;
    TColor FColorDisabledTo = clNone;
    TColor FColorChecked = 0;
    TGradientDirection FGradient = gdVertical;
    TFont FFont;
};

enum TExButtonStyle : std::uint8_t { tasButton, tasCheck };
enum TExButtonState : std::uint8_t { absUp, absDisabled, absDown, absDropDown, absExclusive };

// The push button. Without an appearance it shows only what its parent
// shows under it. Buttons of one parent with the same non-zero GroupIndex
// behave as a radio group.
class TExButton : public TCustomControl {
public:
    explicit TExButton(TWinControl* parent);
    ~TExButton() override;
    const char* ClassName() const override { return "TExButton"; }

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    // Not owned; shared by every button of a drop-down edit.
    TExButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TExButtonAppearance* Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    // The drop-down a modal-result click closes (kept weakly).
    void SetExDropDown(IDropDownCloser* Value);

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    TExButtonStyle Style() const { return FStyle; }
    void SetStyle(TExButtonStyle Value);
    TExButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    // Watches for a missed mouse-leave while the pointer is over the button.
    TTimer& UnHotTimer() { return FUnHotTimer; }

    // Width = caption width (at least the image's) + 8, Height = caption
    // height (at least the image's) + 4, the caption measured on one line
    // in the appearance's font; nothing without an appearance.
    void SizeToCaption();

    // The modal-result steps, then (unless the click comes from the
    // keyboard) OnClick.
    void Click() override;
    void SetEnabled(bool v) override;
    bool DialogChar(char32_t ch) override;

protected:
    void Paint() override;
    // Face, image and caption.
    virtual void DrawButton(TCanvas& Canvas);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    void FocusChanged() override { Invalidate(); }
    bool KeyDownMsg(int key, TShiftState shift) override;

private:
    void MouseEntered();
    void MouseLeft();
    void UnHotTick();
    void RecheckMouseOver(int x, int y);
    // A sibling of the same group went down.
    void GroupButtonPressed(TExButton* Sender);

    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FMouseInControl = false;
    bool FHot = false;
    TExButtonStyle FStyle = tasButton;
    TExButtonState FState = absUp;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    TTimer FUnHotTimer;
    bool FInternalClick = false;
    std::string FCaption;
    TExButtonAppearance* FAppearance = nullptr;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    int FModalResult = 0;
    std::weak_ptr<IDropDownCloser*> FExDropDown;
};

// The interval of the un-hot timer in milliseconds.
constexpr int ExButtonUnHotInterval = 50;

// A list of pointers whose indexed access checks the index: Items(Count) or
// beyond raises "Index out of bounds in list read access" (SetItems: "...
// write access"), a negative index the list's own index error.
template <class T>
class TDbgList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    T* Items(int Index) const
    {
        Check(Index, "Index out of bounds in list read access");
        return FItems[static_cast<std::size_t>(Index)];
    }
    void SetItems(int Index, T* Value)
    {
        Check(Index, "Index out of bounds in list write access");
        FItems[static_cast<std::size_t>(Index)] = Value;
    }
    int Add(T* Item)
    {
        FItems.push_back(Item);
        return Count() - 1;
    }
    void Delete(int Index)
    {
        Check(Index, "Index out of bounds in list write access");
        FItems.erase(FItems.begin() + Index);
    }
    void Clear() { FItems.clear(); }
    // Clears the list and appends every pointer of ListA in order.
    void AssignList(const TDbgList& ListA)
    {
        if (&ListA == this) return;
        FItems = ListA.FItems;
    }

private:
    void Check(int Index, const char* Message) const
    {
        if (Index < 0) RaiseListIndexError(Index);
        if (Index >= Count()) throw EListError(Message);
    }
    std::vector<T*> FItems;
};
