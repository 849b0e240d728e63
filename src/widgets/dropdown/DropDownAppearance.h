#pragma once
// Look of the header strip above and the footer strip below a drop-down
// pop-up: colours, border, caption, image, font and a row of push buttons
// (the footer also a size grip). Every drop-down edit owns one of each, and
// so does the grid's control look, which hands them to its in-place
// drop-down editors.

#include "platform/ClassBase.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum TGradientDirection : std::uint8_t { gdHorizontal, gdVertical };
enum TButtonAlignment : std::uint8_t { baLeft, baRight };
// Colour styles of selected items in the list pickers.
enum TSelectionColorStyle : std::uint8_t { scCustom, scOffice2007, scWindowsVista, scWindows7 };

using TAppearanceNotifyEvent = std::function<void(TObject* Sender)>;

class THeaderButtons;
class TFooterButtons;

// One push button of the header strip. Caption, Enabled and Width notify
// the collection when they change; Height (0 = automatic) is only stored.
class THeaderButton : public TCollectionItem {
public:
    explicit THeaderButton(TCollection* ACollection) : TCollectionItem(ACollection) {}
    std::string ClassName() const override { return "THeaderButton"; }
    // From a THeaderButton: Caption, ImageIndex, Enabled, Width and Height;
    // anything else as the base does.
    void Assign(const TPersistent* Source) override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value);

private:
    void NotifyCollection();
    std::string FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FHeight = 0;
    int FWidth = 0;
};

// One push button of the footer strip; a ModalResult closes the pop-up.
class TFooterButton : public TCollectionItem {
public:
    explicit TFooterButton(TCollection* ACollection) : TCollectionItem(ACollection) {}
    std::string ClassName() const override { return "TFooterButton"; }
    void Assign(const TPersistent* Source) override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value);

private:
    void NotifyCollection();
    std::string FCaption;
    int FImageIndex = -1;
    int FModalResult = 0;
    bool FEnabled = true;
    int FHeight = 0;
    int FWidth = 0;
};

class THeaderButtons : public TCollection {
public:
    explicit THeaderButtons(TPersistent* AOwner);
    std::string ClassName() const override { return "THeaderButtons"; }
    TPersistent* Owner() const { return FMyOwner; }
    THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
    THeaderButton* Insert(int Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
    // Checked (EListError outside 0..Count-1); SetItems assigns Value.
    THeaderButton* Items(int Index) const { return static_cast<THeaderButton*>(TCollection::Items(Index)); }
    void SetItems(int Index, const THeaderButton* Value) { Items(Index)->Assign(Value); }
    // Fired by a button's Caption, Enabled or Width change.
    TAppearanceNotifyEvent OnButtonChange;

private:
    TPersistent* FMyOwner;
};

class TFooterButtons : public TCollection {
public:
    explicit TFooterButtons(TPersistent* AOwner);
    std::string ClassName() const override { return "TFooterButtons"; }
    TPersistent* Owner() const { return FMyOwner; }
    TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
    TFooterButton* Insert(int Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
    TFooterButton* Items(int Index) const { return static_cast<TFooterButton*>(TCollection::Items(Index)); }
    void SetItems(int Index, const TFooterButton* Value) { Items(Index)->Assign(Value); }
    TAppearanceNotifyEvent OnButtonChange;

private:
    TPersistent* FMyOwner;
};

// Header strip. Only Visible notifies (OnChange, on a change); the other
// properties are plain values. A change of a button fires OnButtonsChanged.
class THeaderAppearance : public TPersistent {
public:
    explicit THeaderAppearance(TPersistent* AOwner);
    ~THeaderAppearance() override;
    std::string ClassName() const override { return "THeaderAppearance"; }
    TPersistent* Owner() const { return FOwner; }
    // Only from a THeaderAppearance (anything else changes nothing).
    void Assign(const TPersistent* Source) override;
    // ColorTo, Color, BorderColor, Font and GradientDirection only.
    void AssignColors(const TPersistent* Source);

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TFont& Font() { return *FFont; }
    const TFont& Font() const { return *FFont; }
    void SetFont(const TFont& Value) { FFont->Assign(Value); }
    THeaderButtons& Buttons() { return *FButtons; }
    const THeaderButtons& Buttons() const { return *FButtons; }
    void SetButtons(const THeaderButtons& Value) { FButtons->Assign(&Value); }

    int Height = 22;
    int BorderWidth = 1;
    int ImageIndex = -1;
    std::string Caption;
    TColor ColorTo = clWhite;
    TColor Color = 0xC0C0C0;
    TColor BorderColor = clBlack;
    TGradientDirection GradientDirection = gdVertical;
    TButtonAlignment ButtonAlignment = baRight;
    TAppearanceNotifyEvent OnChange;
    TAppearanceNotifyEvent OnButtonsChanged;

private:
    TPersistent* FOwner;
    bool FVisible = true;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<THeaderButtons> FButtons;
};

// Footer strip: as the header, with a size grip.
class TFooterAppearance : public TPersistent {
public:
    explicit TFooterAppearance(TPersistent* AOwner);
    ~TFooterAppearance() override;
    std::string ClassName() const override { return "TFooterAppearance"; }
    TPersistent* Owner() const { return FOwner; }
    void Assign(const TPersistent* Source) override;
    // BorderColor, Color, ColorTo, GradientDirection and Font only.
    void AssignColors(const TPersistent* Source);

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TFont& Font() { return *FFont; }
    const TFont& Font() const { return *FFont; }
    void SetFont(const TFont& Value) { FFont->Assign(Value); }
    TFooterButtons& Buttons() { return *FButtons; }
    const TFooterButtons& Buttons() const { return *FButtons; }
    void SetButtons(const TFooterButtons& Value) { FButtons->Assign(&Value); }

    int Height = 22;
    int BorderWidth = 1;
    bool SizeGrip = true;
    std::string Caption;
    TColor ColorTo = clWhite;
    TColor Color = 0xC0C0C0;
    TColor BorderColor = clBlack;
    int ImageIndex = -1;
    TGradientDirection GradientDirection = gdVertical;
    TButtonAlignment ButtonAlignment = baRight;
    TAppearanceNotifyEvent OnChange;
    TAppearanceNotifyEvent OnButtonsChanged;

private:
    TPersistent* FOwner;
    bool FVisible = true;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFooterButtons> FButtons;
};
