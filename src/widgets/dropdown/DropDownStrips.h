#pragma once
// The header strip above and the footer strip below the picker control of
// a drop-down pop-up (TExHeader, TExFooter): background, border, image,
// mini-HTML caption, a row of push buttons and, on the footer, the size
// grip. The pop-up makes them when first needed and attaches them to its
// drop-down edit at every opening; each keeps its own copy of the edit's
// header or footer appearance, while its push buttons share the edit's
// button appearance.

#include "platform/Controls.h"
#include "widgets/dropdown/DropDownAppearance.h"
#include "widgets/dropdown/ExButton.h"

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class TCustomImageList;

// What the strips read of the drop-down edit they belong to.
class IDropDownHost : public IDropDownCloser {
public:
    virtual TCustomImageList* DropDownImages() const = 0;
    virtual THeaderAppearance& DropDownHeader() = 0;
    virtual TFooterAppearance& DropDownFooter() = 0;
    virtual TExButtonAppearance& ButtonAppearance() = 0;
    virtual int DropDownBorderWidth() const = 0;
    virtual TColor DropDownBorderColor() const = 0;
    virtual bool DropDownSizeable() const = 0;
    // A push button of the header (footer) was clicked.
    virtual void HeaderButtonClick(int ButtonIndex) = 0;
    virtual void FooterButtonClick(int ButtonIndex) = 0;
};

// The pop-up the footer's size grip sizes: it follows the pointer from the
// press on the grip (screen point) to the release, from its bottom-right
// corner.
class IDropDownSizing {
public:
    virtual ~IDropDownSizing() = default;
    virtual void StartSizing(TPoint ScreenPos) = 0;
    virtual bool Sizing() const = 0;
    virtual void SizingMove(TPoint ScreenPos) = 0;
    virtual void EndSizing() = 0;
};

// Sender: the strip.
using TDrawBackGroundEvent = std::function<void(TControl* Sender, TCanvas& ACanvas, const TRect& ARect)>;
using TGetTextEvent = std::function<void(TControl* Sender, std::string& Text)>;

// The part the header and footer share; TAppearance is THeaderAppearance or
// TFooterAppearance.
template <class TAppearance>
class TExStrip : public TCustomControl {
public:
    using TButtons = std::conditional_t<std::is_same_v<TAppearance, THeaderAppearance>, THeaderButtons, TFooterButtons>;
    explicit TExStrip(TWinControl* parent);
    ~TExStrip() override;

    TAppearance& Appearance() { return *FAppearance; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    IDropDownHost* ExDropDown() const { return FExDropDown; }
    // Attaches the edit: its images and a copy of its appearance (nullptr:
    // images cleared).
    void SetExDropDown(IDropDownHost* Value);
    // The buttons configured on the edit's appearance (null without an edit).
    TButtons* Buttons() const;
    // The push buttons made for them.
    const TDbgList<TExButton>& ButtonList() const { return FButtonList; }

    // Rebuilds the push buttons from the edit's button items.
    virtual void CreateButtons();
    virtual void ClearButtons();
    // Places the buttons in a row from the area's right (baRight) or left
    // edge, without gaps, vertically centred in the area.
    virtual void ArrangeButtons();
    // Takes the items' captions, images and enabled states again.
    virtual void UpdateButtons();
    // The rectangle the buttons stand in.
    virtual TRect ButtonArea() const = 0;
    // The rectangle the caption is drawn in (its right edge left of the
    // buttons), before it is centred vertically.
    TRect CaptionRect() const;

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    void Paint() override;
    void Resized() override { ArrangeButtons(); }
    // The border lines of the strip.
    virtual void PaintBorder(TCanvas& c, const TRect& R) = 0;
    // What comes after the caption (the footer's grip).
    virtual void PaintExtras(TCanvas&, const TRect&) {}
    virtual bool IsFooter() const = 0;
    void ButtonClicked(TControl* Sender);
    // The pop-up's border is absent, so the strip draws a full frame.
    bool FullFrame() const;

    std::unique_ptr<TAppearance> FAppearance;
    TCustomImageList* FImages = nullptr;
    IDropDownHost* FExDropDown = nullptr;
    TDbgList<TExButton> FButtonList;
    // Buttons taken down by the last rebuild, freed at the next one.
    std::vector<TControl*> FRetired;
};

class TExHeader : public TExStrip<THeaderAppearance> {
public:
    explicit TExHeader(TWinControl* parent) : TExStrip(parent) {}
    const char* ClassName() const override { return "TExHeader"; }
    TRect ButtonArea() const override;

protected:
    void PaintBorder(TCanvas& c, const TRect& R) override;
    bool IsFooter() const override { return false; }
};

class TExFooter : public TExStrip<TFooterAppearance> {
public:
    explicit TExFooter(TWinControl* parent);
    const char* ClassName() const override { return "TExFooter"; }
    TRect ButtonArea() const override;
    // The appearance's SizeGrip and the edit's DropDownSizeable are both on.
    bool GripActive() const;

protected:
    void PaintBorder(TCanvas& c, const TRect& R) override;
    void PaintExtras(TCanvas& c, const TRect& R) override;
    bool IsFooter() const override { return true; }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;

private:
    bool OnGrip(int x, int y) const;
    void RestoreCursor();
    IDropDownSizing* SizingParent() const;
    TCursor FOldCursor = crDefault;
};
