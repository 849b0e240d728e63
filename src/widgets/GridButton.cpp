// TExGridButton: the grid's flat speed button.

#include "widgets/GridButton.h"

#include "widgets/GridDraw.h"
#include "widgets/GridThemes.h"

#include "platform/Themes.h"

#include <algorithm>

int CurrentColorScheme()
{
    if (!IsThemeActive()) return 0;
    const int s = ThemeSource().VisualStyleScheme();
    return (s >= 1 && s <= 3) ? s : 0;
}

TExGridButton::TExGridButton(TWinControl* parent) : TCustomControl(parent)
{
    SetBounds(0, 0, 23, 22);
    SetTabStop(false);
    SetColor(clBtnFace);
}

void TExGridButton::SetCaption(const std::string& s)
{
    if (s == caption_) return;
    caption_ = s;
    Invalidate();
}

void TExGridButton::SetAllowAllUp(bool v)
{
    if (v == FAllowAllUp) return;
    FAllowAllUp = v;
    UpdateExclusive();
}

void TExGridButton::SetGroupIndex(int v)
{
    if (v == FGroupIndex) return;
    FGroupIndex = v;
    UpdateExclusive();
}

void TExGridButton::SetAutoThemeAdapt(bool v)
{
    FAutoThemeAdapt = v;
    if (v) ThemeAdapt();
}

void TExGridButton::ThemeAdapt()
{
    switch (CurrentColorScheme()) {
    case 1: SetLook(2); break;
    case 2: SetLook(3); break;
    case 3: SetLook(4); break;
    default: SetLook(1); break;
    }
}

void TExGridButton::SetBorderColor(TColor v)
{
    FBorderColor = v;
    Invalidate();
}

void TExGridButton::SetColorTo(TColor v)
{
    FColorTo = v;
    Invalidate();
}

void TExGridButton::SetColorChecked(TColor v)
{
    FColorChecked = v;
    Invalidate();
}

void TExGridButton::SetColorCheckedTo(TColor v)
{
    FColorCheckedTo = v;
    Invalidate();
}

void TExGridButton::SetDropDownButton(bool v)
{
    FDropDownButton = v;
    Invalidate();
}

void TExGridButton::SetFlat(bool v)
{
    if (v == FFlat) return;
    FFlat = v;
    Invalidate();
}

void TExGridButton::SetLayout(TButtonLayout v)
{
    if (v == FLayout) return;
    FLayout = v;
    Invalidate();
}

void TExGridButton::SetMargin(int v)
{
    if (v == FMargin || v < -1) return;
    FMargin = v;
    Invalidate();
}

void TExGridButton::SetRounded(bool v)
{
    FRounded = v;
    Invalidate();
}

void TExGridButton::SetShaded(bool v)
{
    FShaded = v;
    if (v) BuildShade();
}

void TExGridButton::SetShowCaption(bool v)
{
    if (v == FShowCaption) return;
    FShowCaption = v;
    Invalidate();
}

void TExGridButton::SetSpacing(int v)
{
    if (v == FSpacing) return;
    FSpacing = v;
    Invalidate();
}

void TExGridButton::SetStyle(TExGridButtonStyle v)
{
    FStyle = v;
    Invalidate();
}

void TExGridButton::SetGlyph(const TBitmap& v)
{
    FGlyph.Assign(&v);
    if (FGlyphDisabled.Empty() && !FGlyph.Empty()) {
        FGlyphDisabled.Assign(&FGlyph);
        for (int y = 0; y < FGlyph.Height(); ++y)
            for (int x = 0; x < FGlyph.Width(); ++x) {
                const TColor c = FGlyph.Pixel(x, y);
                const int avg = RoundEven((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3.0);
                const int g = 96 + avg / 2;
                FGlyphDisabled.SetPixel(x, y, RGB(g, g, g));
            }
    }
    if (FShaded) BuildShade();
    Invalidate();
}

void TExGridButton::SetGlyphHot(const TBitmap& v) { FGlyphHot.Assign(&v); }
void TExGridButton::SetGlyphDown(const TBitmap& v) { FGlyphDown.Assign(&v); }
void TExGridButton::SetGlyphDisabled(const TBitmap& v) { FGlyphDisabled.Assign(&v); }

void TExGridButton::BuildShade()
{
    if (FGlyph.Empty()) {
        FGlyphShade.SetSize(0, 0);
        return;
    }
    const TColor key = FGlyph.Pixel(0, FGlyph.Height() - 1);
    FGlyphShade.SetSize(FGlyph.Width(), FGlyph.Height());
    for (int y = 0; y < FGlyph.Height(); ++y)
        for (int x = 0; x < FGlyph.Width(); ++x)
            FGlyphShade.SetPixel(x, y, FGlyph.Pixel(x, y) == key ? key : TColor(0x808080));
}

void TExGridButton::SetLook(int v)
{
    struct Preset {
        TColor c, cto, hot, hotTo, down, downTo, chk, chkTo, border;
    };
    static const Preset presets[] = {
        {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0},
        {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31},
        {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000},
        {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000},
        {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000},
        {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone},
        {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080},
    };
    if (v < 0 || v > 6) return;
    FLook = v;
    const Preset& p = presets[v];
    FFlat = true;
    FBorderColor = clNone;
    FRounded = v == 0;
    SetColor(p.c);
    FColorTo = p.cto;
    FColorHot = p.hot;
    FColorHotTo = p.hotTo;
    FColorDown = p.down;
    FColorDownTo = p.downTo;
    FColorChecked = p.chk;
    FColorCheckedTo = p.chkTo;
    if (v == 0) {
        FBorderDownColor = 0xAF987A;
        FBorderHotColor = 0xC3CECE;
    } else {
        FBorderDownColor = p.border;
        FBorderHotColor = p.border;
    }
    Invalidate();
}

void TExGridButton::SetEnabled(bool v)
{
    TCustomControl::SetEnabled(v);
    if (!v) FMouseInControl = false;
    Repaint();
}

// --- down state and groups ---------------------------------------------------------------

void TExGridButton::SetDown(bool v)
{
    if (FGroupIndex == 0 && FStyle == tasButton) v = false;
    if (FStyle == tasCheck) {
        FDown = v;
        Repaint();
        return;
    }
    if (v == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = v;
    if (v) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Repaint();
    }
}

void TExGridButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent()) return;
    TWinControl* p = Parent();
    for (int i = 0; i < p->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TExGridButton*>(p->Controls(i)); b && b != this) b->ButtonPressed(FGroupIndex, this);
}

void TExGridButton::ButtonPressed(int Group, TExGridButton* Sender)
{
    if (Group != FGroupIndex || Sender == this || !Sender) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

// --- mouse ---------------------------------------------------------------------------------

bool TExGridButton::InsideForDrag(int x, int y) const
{
    return x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight();
}

void TExGridButton::MouseDown(TMouseButton button, TShiftState, int x, int)
{
    if (button != mbLeft || !Enabled()) return;
    if (FDropDownButton && x > Width() - 12) {
        FState = bsUp;
        if (OnDropDown) OnDropDown(this);
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TExGridButton::MouseMove(TShiftState, int x, int y)
{
    if (!FDragging) return;
    TButtonState s = FDown ? bsExclusive : bsUp;
    if (InsideForDrag(x, y)) s = FDown ? bsExclusive : bsDown;
    if (FStyle == tasCheck && FDown) s = bsDown;
    if (s != FState) {
        FState = s;
        Invalidate();
    }
}

void TExGridButton::MouseUp(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft || !FDragging) return;
    FDragging = false;
    const bool inside = InsideForDrag(x, y);
    if (FStyle == tasCheck) FState = bsUp;
    if (FGroupIndex == 0) {
        FState = bsUp;
        if (inside && FStyle == tasCheck) FDown = !FDown;
        Invalidate();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        // Released outside: the button stays as it was, not pressed.
        FState = FDown ? bsExclusive : bsUp;
        Repaint();
    }
    if (inside) Click();
}

void TExGridButton::DoMouseEnter()
{
    if (Enabled() && !FDragging) {
        FMouseInControl = true;
        if (FFlat) Repaint();
    }
    TCustomControl::DoMouseEnter();
}

void TExGridButton::DoMouseLeave()
{
    if (Enabled() && !FDragging) {
        FMouseInControl = false;
        if (FFlat) Invalidate();
    }
    TCustomControl::DoMouseLeave();
}

bool TExGridButton::DialogChar(char32_t ch)
{
    if (IsAccel(ch, caption_) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        Click();
        return true;
    }
    return false;
}

// --- painting --------------------------------------------------------------------------------

void TExGridButton::Paint()
{
    TBitmap bmp = RenderFace();
    Canvas().Draw(0, 0, bmp);
}

TBitmap TExGridButton::RenderFace()
{
    TBitmap bmp(Width(), Height());
    TCanvas& c = bmp.Canvas();
    c.Brush().SetColor(Parent() ? Parent()->Color() : clBtnFace);
    c.FillRect({0, 0, Width(), Height()});
    PaintFace(c);
    c.Flush();
    return bmp;
}

namespace {

// A fill from c (to cto as a 16-band top-to-bottom gradient), outlined in
// `outline` unless it is clNone.
void FaceFill(TCanvas& c, const TRect& r, TColor col, TColor cto, TColor outline)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    if (cto != clNone) {
        FillGradient(c, col, cto, false, r, 16);
    } else {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(col);
        c.FillRect(r);
    }
    if (outline != clNone) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(outline);
        c.FrameRect(r);
    }
}

void RoundFrame(TCanvas& c, const TRect& r, TColor col)
{
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(col);
    c.Brush().SetStyle(bsClear);
    c.RoundRect(r.Left, r.Top, r.Right, r.Bottom, 8, 8);
    c.Brush().SetStyle(bsSolid);
}

} // namespace

void TExGridButton::PaintFace(TCanvas& c)
{
    // 1. state
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown) FState = bsDown;

    TRect R{0, 0, Width(), Height()};
    const bool hot = FMouseInControl && Enabled();
    const bool pressed = FState == bsDown;
    const bool downish = FState == bsDown || FState == bsExclusive;
    const bool checked = FStyle == tasCheck && FDown;
    // 2. flat face
    if (FFlat) {
        if (FBorderDownColor == clNone || FRounded) R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        if (!hot) {
            if (checked) {
                FaceFill(c, R, FColorChecked, FColorCheckedTo, FBorderDownColor);
            } else {
                const TColor outline = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
                FaceFill(c, R, Color(), FColorTo, outline);
            }
            if (FBorderColor != clNone) {
                if (FRounded)
                    RoundFrame(c, {R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1}, FBorderColor);
                else {
                    c.Brush().SetColor(FBorderColor);
                    c.FrameRect(R);
                }
            }
        } else {
            TColor col = FColorHot, cto = FColorHotTo, border = FBorderHotColor;
            if (checked && !pressed) {
                col = FColorChecked;
                cto = FColorCheckedTo;
                border = FBorderDownColor;
            } else if (pressed) {
                col = FColorDown;
                cto = FColorDownTo;
                border = FBorderDownColor;
            }
            FaceFill(c, R, col, cto, FRounded ? clNone : border);
            if (FRounded && border != clNone) RoundFrame(c, R, border);
            if (FDropDownButton && border != clNone) {
                c.Brush().SetColor(border);
                c.FillRect({R.Right - 12, R.Top, R.Right - 11, R.Bottom});
            }
        }
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    } else {
        // 3. raised face: themed or classic push button
        HTHEME th = FAutoXPStyle && IsThemeActive() ? OpenThemeData(nullptr, "button") : nullptr;
        if (th) {
            DrawThemeBackground(th, c, BP_PUSHBUTTON, downish ? PBS_PRESSED : hot ? PBS_HOT : PBS_NORMAL, R);
            CloseThemeData(th);
        } else {
            DrawFrameControl(c, R, DFC_BUTTON, DFCS_BUTTONPUSH | (downish ? DFCS_PUSHED : 0u));
        }
        R = {R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
    }
    // 4. content offset
    int ox = 0, oy = 0;
    if (FState == bsExclusive && !(hot && FFlat)) {
        const TRect g{R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1};
        FaceFill(c, g, FColorChecked, FColorCheckedTo, clNone);
    }
    if (!FFlat && downish) ox = oy = 1;
    if (FFlat && hot && Enabled() && FShaded && !pressed) ox = oy = -1;
    // 5. drop-down part
    if (FDropDownButton) {
        const int mid = R.Top + (R.Bottom - R.Top) / 2;
        const TColor fc = static_cast<const TControl*>(this)->Font().Color();
        c.Pen().SetColor(fc);
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(fc);
        c.Polygon({{R.Right - 8, mid - 1}, {R.Right - 4, mid - 1}, {R.Right - 6, mid + 1}});
        R.Right -= 12;
    }
    // 6. layout of glyph and caption
    const TBitmap* glyph = &FGlyph;
    if (hot && !pressed && !FGlyphHot.Empty()) glyph = &FGlyphHot;
    else if (downish && !FGlyphDown.Empty()) glyph = &FGlyphDown;
    else if (!Enabled() && !FGlyphDisabled.Empty()) glyph = &FGlyphDisabled;
    c.Font().Assign(static_cast<const TControl*>(this)->Font());
    const std::string text = FShowCaption ? StripAccel(caption_) : std::string();
    const TSize gs{glyph->Empty() ? 0 : glyph->Width(), glyph->Empty() ? 0 : glyph->Height()};
    const TSize ts = text.empty() ? TSize{0, 0} : c.TextExtent(text);
    const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    const int client = horizontal ? R.Right - R.Left : R.Bottom - R.Top;
    const int gLen = horizontal ? gs.cx : gs.cy, tLen = horizontal ? ts.cx : ts.cy;
    int spacing = (gLen == 0 || tLen == 0) ? 0 : FSpacing, margin = FMargin;
    if (margin == -1 && spacing == -1) {
        margin = spacing = (client - gLen - tLen) / 3;
    } else if (margin == -1) {
        margin = (client - (gLen + spacing + tLen)) / 2;
    } else if (spacing == -1) {
        spacing = (client - margin - gLen - tLen) / 2;
    }
    if (gLen == 0 || tLen == 0) spacing = 0;
    TPoint gp, tp;
    const int cw = R.Right - R.Left, ch = R.Bottom - R.Top;
    switch (FLayout) {
    case blGlyphLeft:
        gp = {R.Left + margin, R.Top + (ch - gs.cy) / 2};
        tp = {gp.X + gs.cx + spacing, R.Top + (ch - ts.cy) / 2};
        break;
    case blGlyphRight:
        gp = {R.Right - margin - gs.cx, R.Top + (ch - gs.cy) / 2};
        tp = {gp.X - spacing - ts.cx, R.Top + (ch - ts.cy) / 2};
        break;
    case blGlyphTop:
        gp = {R.Left + (cw - gs.cx) / 2, R.Top + margin};
        tp = {R.Left + (cw - ts.cx) / 2, gp.Y + gs.cy + spacing};
        break;
    case blGlyphBottom:
        gp = {R.Left + (cw - gs.cx) / 2, R.Bottom - margin - gs.cy};
        tp = {R.Left + (cw - ts.cx) / 2, gp.Y - spacing - ts.cy};
        break;
    }
    gp = {gp.X + ox, gp.Y + oy};
    // 7. glyph (with its shade when hot)
    if (!glyph->Empty()) {
        if (hot && FShaded && Enabled() && !pressed && !text.empty() && !FGlyphShade.Empty())
            c.DrawTransparent(gp.X + 2, gp.Y + 2, FGlyphShade, FGlyphShade.Pixel(0, FGlyphShade.Height() - 1));
        c.DrawTransparent(gp.X, gp.Y, *glyph, glyph->Pixel(0, glyph->Height() - 1));
    }
    // 8. caption
    if (!text.empty()) {
        tp = {tp.X + ox, tp.Y + oy};
        if (hot && FShaded && FFlat && Enabled() && !pressed) tp = {tp.X + 1, tp.Y + 1};
        c.SetBkMode(bkTransparent);
        if (!Enabled()) {
            c.Font().SetColor(clBtnHighlight);
            c.TextOut(tp.X + 1, tp.Y + 1, text);
            c.Font().SetColor(clBtnShadow);
        }
        c.TextOut(tp.X, tp.Y, text);
    }
}
