#pragma once
// TExGridButton: the small flat speed button of the grid's search footer
// and panels. Separate glyphs for the normal, hot, pressed and disabled
// looks, colour gradients per state, an optional drop-down part, a check
// style, button groups (one button of a group down at a time) and seven
// colour presets, which can follow the desktop's colour scheme.
//
// States follow the class library's speed button: bsUp, bsDisabled, bsDown
// (pressed by the mouse) and bsExclusive (down in a group).

#include "widgets/GridTypes.h"
#include "widgets/LbButtonFace.h"

#include "platform/Controls.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <functional>
#include <string>

enum TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
// The class library's glyph layout (blGlyphLeft ...).
using TButtonLayout = TLbButtonLayout;

// The desktop's visual-style colour scheme: 1 "NormalColor", 2 "HomeStead",
// 3 "Metallic", 0 anything else or no visual style.
int CurrentColorScheme();

class TExGridButton : public TCustomControl {
public:
    explicit TExGridButton(TWinControl* parent);
    const char* ClassName() const override { return "TExGridButton"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    // Switching it on applies the preset of the current colour scheme.
    void SetAutoThemeAdapt(bool v);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool v) { FAutoXPStyle = v; Invalidate(); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor v) { FBorderDownColor = v; Invalidate(); }
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor v) { FBorderHotColor = v; Invalidate(); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor v) { FColorDown = v; }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor v) { FColorDownTo = v; }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor v) { FColorHot = v; }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor v) { FColorHotTo = v; }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor v);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    const TBitmap& Glyph() const { return FGlyph; }
    // Copies the bitmap; an empty GlyphDisabled becomes a grey copy.
    void SetGlyph(const TBitmap& v);
    const TBitmap& GlyphHot() const { return FGlyphHot; }
    void SetGlyphHot(const TBitmap& v);
    const TBitmap& GlyphDown() const { return FGlyphDown; }
    void SetGlyphDown(const TBitmap& v);
    const TBitmap& GlyphDisabled() const { return FGlyphDisabled; }
    void SetGlyphDisabled(const TBitmap& v);
    // The glyph's silhouette in grey on its transparent colour.
    const TBitmap& GlyphShade() const { return FGlyphShade; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return FMargin; }
    // Values below -1 are refused.
    void SetMargin(int v);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool v);
    bool Shaded() const { return FShaded; }
    void SetShaded(bool v);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    TExGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TExGridButtonStyle v);
    // Colour presets 0..6; other values change nothing.
    int Look() const { return FLook; }
    void SetLook(int v);
    void SetEnabled(bool v) override;

    TButtonState State() const { return FState; }
    bool Hot() const { return FMouseInControl; }
    // The face as Paint draws it, in a bitmap of the button's size.
    TBitmap RenderFace();

    std::function<void(TControl* Sender)> OnDropDown;

    // A button of the same group went down (the group's message).
    void ButtonPressed(int Group, TExGridButton* Sender);
    bool DialogChar(char32_t ch) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;

private:
    void PaintFace(TCanvas& c);
    void UpdateExclusive();
    void ThemeAdapt();
    void BuildShade();
    bool InsideForDrag(int x, int y) const;

    int FGroupIndex = 0;
    TBitmap FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    bool FTransparent = true;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7;
    TColor FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2;
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    TBitmap FGlyphDisabled;
    TBitmap FGlyphHot;
    TBitmap FGlyphDown;
    TBitmap FGlyphShade;
    bool FShaded = true;
    TColor FColorChecked = 0x808080;
    TColor FColorCheckedTo = clNone;
    TExGridButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    bool FShowCaption = true;
    TButtonState FState = bsUp;
    std::string caption_;
};
