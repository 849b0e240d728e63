#include "widgets/grid_render/Editor_DateTimeBase.h"

#include "platform/Input.h"
#include "platform/SysMetrics.h"
#include "platform/SysUtils.h"
#include "platform/Themes.h"

namespace {

constexpr TColor FrameBlue = 0xB99D7F; // red 127, green 157, blue 185

bool MouseDown() { return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0; }

void Frame(TCanvas& c, const TRect& r, TColor col)
{
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(col);
    c.FrameRect(r);
}

TRect Shrink(const TRect& r, int n) { return {r.Left + n, r.Top + n, r.Right - n, r.Bottom - n}; }

} // namespace

std::string VersionText(int nr)
{
    const unsigned v = static_cast<unsigned>(nr);
    return IntToStr((v >> 24) & 0xFF) + "." + IntToStr((v >> 16) & 0xFF) + "." + IntToStr((v >> 8) & 0xFF) + "." +
           IntToStr(v & 0xFF);
}

TFlatDateTimePicker::TFlatDateTimePicker(TWinControl* parent) : TDateTimePicker(parent)
{
    FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
}

TColor TFlatDateTimePicker::ParentColor() const { return Parent() ? Parent()->Color() : clBtnFace; }
bool TFlatDateTimePicker::Themed() const { return FIsThemed && IsThemeActive(); }
bool TFlatDateTimePicker::Hot() const { return FMouseInControl || Focused(); }
bool TFlatDateTimePicker::MetroActive() const { return FMetroStyle && !NoCustomBorder(); }

void TFlatDateTimePicker::SetBorderColor(TColor v)
{
    if (v == FBorderColor) return;
    FBorderColor = v;
    Invalidate();
}

void TFlatDateTimePicker::SetMetroStyle(bool v)
{
    if (v == FMetroStyle) return;
    FMetroStyle = v;
    Invalidate();
}

void TFlatDateTimePicker::SetCtl3D(bool v)
{
    if (v == FCtl3D) return;
    FCtl3D = v;
    Invalidate();
}

void TFlatDateTimePicker::SetBorderStyle(TPickerBorderStyle v)
{
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    Invalidate();
}

// --- drawing ---------------------------------------------------------------------------

void TFlatDateTimePicker::DrawBorderFrame(TCanvas& c)
{
    const TRect wr{0, 0, Width(), Height()};
    if (!Enabled() && Themed() && !FDisabledBorder) {
        Frame(c, wr, FrameBlue);
        return;
    }
    if (FBorderColor == clNone || (FHasFocus && FFocusBorderColor != clNone)) {
        if (FFocusBorderColor == clNone) {
            const bool focusFrame = Hot() && FFocusBorder;
            const TColor outer = focusFrame ? clBtnFace : ParentColor();
            const TColor inner = Color();
            if (focusFrame) {
                TRect r = wr;
                DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
                Frame(c, r, outer);
                Frame(c, Shrink(r, 1), inner);
            } else {
                Frame(c, wr, outer);
                TRect r = Shrink(wr, 1);
                r.Right -= FButtonWidth;
                Frame(c, r, outer);
                Frame(c, Shrink(r, 1), inner);
            }
            return;
        }
        if (!FHasFocus) return;
        Frame(c, wr, FFocusBorderColor);
        return;
    }
    Frame(c, wr, FBorderColor);
}

void TFlatDateTimePicker::DrawClassicButtonEdge(TCanvas& c)
{
    const int cw = ClientWidth(), ch = ClientHeight();
    c.ExcludeClipRect(TRect{cw - FButtonWidth + 4, 4, cw - 4, ch - 4});
    TRect r{cw - FButtonWidth - 2, 0, Width(), Height()};
    r = Shrink(r, 2);
    if (Hot()) {
        TRect e = r;
        DrawEdge(c, e, EDGE_RAISED, BF_RECT | (DroppedDown() ? BF_FLAT : 0u));
    } else {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clBtnFace);
        c.FillRect(TRect{r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1});
    }
    c.ExcludeClipRect(r);
}

void TFlatDateTimePicker::BorderRefresh(TCanvas& c)
{
    if (!MetroActive()) return;
    if (Enabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    c.SaveState();
    DrawBorderFrame(c);
    if (!FIsWinXP || !Themed()) DrawClassicButtonEdge(c);
    c.RestoreState();
}

void TFlatDateTimePicker::DrawNonClientLines(TCanvas& c)
{
    const int w = Width(), h = Height();
    TColor pen = FBorderColor;
    if (FBorderStyle == TPickerBorderStyle::bsNone && Parent()) pen = ParentColor();
    else if (FIsThemed) pen = FrameBlue;
    c.Pen().SetStyle(psSolid);
    c.Pen().SetColor(pen);
    c.Polyline({{0, h}, {0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
    if (FBorderStyle == TPickerBorderStyle::bsSingle && Parent()) c.Pen().SetColor(ParentColor());
    if (Parent()) c.Polyline({{1, h - 2}, {1, 1}, {w - 1, 1}});
}

void TFlatDateTimePicker::DrawMetroButton(TCanvas& c)
{
    const int cw = ClientWidth(), ch = ClientHeight();
    TRect r{cw - FButtonWidth + 2, 0, Width(), Height()};
    r = Shrink(r, 1);
    const bool down = MouseDown();
    if (ButtonColor != clNone) {
        TColor face = ButtonColor;
        if (FButtonHover) face = ButtonColorHot;
        if (down && FButtonHover) face = ButtonColorDown;
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(face);
        c.Pen().SetColor(face);
        c.Rectangle(r.Left + 2, r.Top, r.Right, r.Bottom);
        c.Pen().SetColor(ButtonBorderColor);
        c.MoveTo(r.Left, r.Top);
        c.LineTo(r.Left, r.Bottom);
        const TColor arrow = down ? ButtonTextColorDown : ButtonTextColor;
        c.Brush().SetColor(arrow);
        c.Pen().SetColor(arrow);
        c.Polygon({{r.Left + 5, r.Top + 7}, {r.Left + 11, r.Top + 7}, {r.Left + 8, r.Top + 10}});
    } else if (HTHEME theme = Themed() ? OpenThemeData(nullptr, "combobox") : nullptr) {
        int state = CBXS_HOT;
        if (!Enabled()) state = CBXS_DISABLED;
        else if (down && DroppedDown()) state = CBXS_PRESSED;
        else if (down || !FButtonHover || DroppedDown()) state = CBXS_NORMAL;
        DrawThemeBackground(theme, c, CP_DROPDOWNBUTTON, state, r);
        CloseThemeData(theme);
    } else {
        DrawFrameControl(c, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
    }
    c.ExcludeClipRect(TRect{cw - FButtonWidth - 4, 0, cw + 2, ch});
}

void TFlatDateTimePicker::PaintLook(TCanvas& c)
{
    c.SaveState();
    // What the non-client painting adds.
    if (!FCtl3D && (FVariant.extended || FBorderColor != clNone)) DrawNonClientLines(c);
    if (!Enabled() && Themed() && !FDisabledBorder) BorderRefresh(c);
    if ((FFocusBorderColor != clNone && Focused()) || FBorderColor != clNone) BorderRefresh(c);
    // What the client painting adds (never with the 3-D look and no metro).
    if (!(FCtl3D && !MetroActive())) {
        if (MetroActive() && Kind() != TDateTimeKind::dtkTime) {
            const int cr = ClientWidth();
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(Color());
            if (IsThemeActive())
                c.FillRect(TRect{cr - FButtonWidth - (FVariant.extended ? 4 : 15), 1, cr, Height()});
            else
                c.FillRect(TRect{cr - FButtonWidth - 2, 4, cr - 2, Height() - 4});
            DrawMetroButton(c);
        }
        if (FVariant.extended && !FCtl3D) {
            const int w = Width(), h = Height();
            TColor pen = FBorderColor;
            if (FBorderStyle == TPickerBorderStyle::bsNone && Parent()) pen = ParentColor();
            else if (FIsThemed) pen = FrameBlue;
            c.Pen().SetColor(pen);
            c.Polyline({{0, h}, {0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
            if (!IsThemeActive()) c.Polyline({{1, h}, {1, 1}, {w - 2, 1}, {w - 2, h - 2}, {0, h - 2}});
        }
        BorderRefresh(c);
    }
    c.RestoreState();
}

void TFlatDateTimePicker::PaintAfter(TCanvas& Canvas) { PaintLook(Canvas); }

// --- mouse and focus ---------------------------------------------------------------------------

void TFlatDateTimePicker::MouseMove(TShiftState Shift, int X, int Y)
{
    const bool hover = X > Width() - FButtonWidth && X < Width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
    }
    TDateTimePicker::MouseMove(Shift, X, Y);
}

void TFlatDateTimePicker::DoMouseEnter()
{
    if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        Invalidate();
    }
    TDateTimePicker::DoMouseEnter();
}

void TFlatDateTimePicker::DoMouseLeave()
{
    if (FMouseInControl && Enabled()) FMouseInControl = false;
    FButtonHover = false;
    Invalidate();
    TDateTimePicker::DoMouseLeave();
}

void TFlatDateTimePicker::DoEnter()
{
    FHasFocus = true;
    Invalidate();
    TDateTimePicker::DoEnter();
}

void TFlatDateTimePicker::DoExit()
{
    FHasFocus = false;
    Invalidate();
    TDateTimePicker::DoExit();
}

void TFlatDateTimePicker::DropDown()
{
    Invalidate();
    TDateTimePicker::DropDown();
}

void TFlatDateTimePicker::CloseUp()
{
    Invalidate();
    TDateTimePicker::CloseUp();
}

// --- TEsgDateTimePicker ---------------------------------------------------------------------------

TEsgDateTimePicker::TEsgDateTimePicker(TWinControl* parent) : TFlatDateTimePicker(parent)
{
    // The style is set once through the setter and put back without a repaint.
    SetBorderStyle(TPickerBorderStyle::bsSingle);
    FBorderStyle = TPickerBorderStyle::bsNone;
    FCtl3D = true;
}

std::string TEsgDateTimePicker::Version() const { return VersionText(GetVersionNr()); }
