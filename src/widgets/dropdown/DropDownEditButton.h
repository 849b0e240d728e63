#pragma once
// The button at the right edge of every drop-down edit: a small container
// (TDropDownEditButton) that always keeps its button width and holds the
// painted button (TExDropDownSpeedButton) with the drop-down arrow, a
// glyph or a caption in a custom-coloured, classic, themed or flat look.
// Releasing the left mouse button on it fires the container's OnClick,
// where the edit opens or closes its pop-up.

#include "platform/Buttons.h"
#include "platform/Controls.h"

#include <cstdint>
#include <string>

enum TDropDownButtonStyle : std::uint8_t { bsButton, bsDropDown };

// What the button reads of the edit it belongs to.
class IDropDownButtonEdit {
public:
    virtual ~IDropDownButtonEdit() = default;
    virtual TColor EditBorderColor() const = 0;
    // The edit is enabled and not read-only.
    virtual bool EditAcceptsInput() const = 0;
};

class TDropDownEditButton;

class TExDropDownSpeedButton : public TSpeedButton {
public:
    explicit TExDropDownSpeedButton(TDropDownEditButton* owner);
    const char* ClassName() const override { return "TExDropDownSpeedButton"; }

    TDropDownButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TDropDownButtonStyle Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // The edit's hot state (the mouse over it or its focus), which the
    // flat look shows.
    bool FocusedLook() const { return FFocused; }
    void SetFocusedLook(bool Value);
    bool Hot() const { return FHot; }
    // From now on the button never paints as pressed.
    void SetUp() { FUp = true; }

protected:
    void Paint() override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    // The container reports the click (on the release), not the base.
    bool ClicksOnRelease() const override { return false; }

private:
    bool PressedLook() const { return Pressed() && !FUp; }
    void PaintDropDown(TCanvas& c);
    void PaintPushButton(TCanvas& c);
    TDropDownEditButton* FOwner;
    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    TDropDownButtonStyle FButtonStyle = bsButton;
};

class TDropDownEditButton : public TCustomControl {
public:
    explicit TDropDownEditButton(TWinControl* parent);
    const char* ClassName() const override { return "TDropDownEditButton"; }

    TExDropDownSpeedButton* Button() const { return FButton; }
    const TBitmap& Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap& Value) { FButton->SetGlyph(Value); }
    const std::string& ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const std::string& Value) { FButton->SetCaption(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    // The edit the button belongs to.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }
    IDropDownButtonEdit* Edit() const { return dynamic_cast<IDropDownButtonEdit*>(FFocusControl); }
    // The container's width, whatever width it is given.
    int ButtonWidth() const { return FBWidth; }
    void SetButtonWidth(int Value);

    void SetBounds(int left, int top, int width, int height) override;
    void SetEnabled(bool v) override;

    // The custom look; clNone: not used (ButtonColor clNone: the default look).
    TColor ButtonColorDown = clNone, ButtonBorderColor = clNone, ButtonTextColor = clNone,
           ButtonTextColorHot = clNone, ButtonColor = clNone, ButtonColorHot = clNone,
           ButtonTextColorDown = clNone;

protected:
    void Resized() override;

private:
    void PlaceButton();
    TExDropDownSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    int FBWidth = 16;
};
