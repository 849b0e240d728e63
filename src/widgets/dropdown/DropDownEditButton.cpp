#include "widgets/dropdown/DropDownEditButton.h"

#include "widgets/GridThemes.h"
#include "widgets/dropdown/DropDownDraw.h"

#include "platform/DrawText.h"
#include "platform/Themes.h"

#include <algorithm>

namespace {

// The drop-down arrow: a filled triangle.
void DrawArrow(TCanvas& c, TColor color)
{
    c.Pen().SetColor(color);
    c.Pen().SetWidth(1);
    c.Brush().SetColor(color);
    c.Polygon({{5, 7}, {11, 7}, {8, 10}});
}

// The first colour that is set.
TColor FirstSet(TColor a, TColor b, TColor fallback)
{
    if (a != clNone) return a;
    if (b != clNone) return b;
    return fallback;
}

} // namespace

// --- TExDropDownSpeedButton ---------------------------------------------------------------

TExDropDownSpeedButton::TExDropDownSpeedButton(TDropDownEditButton* owner) : TSpeedButton(owner), FOwner(owner) {}

void TExDropDownSpeedButton::SetButtonStyle(TDropDownButtonStyle Value)
{
    FButtonStyle = Value;
    Invalidate();
}

void TExDropDownSpeedButton::SetEtched(bool Value)
{
    if (FEtched == Value) return;
    FEtched = Value;
    Invalidate();
}

void TExDropDownSpeedButton::SetFocusedLook(bool Value)
{
    if (FFocused == Value) return;
    FFocused = Value;
    Invalidate();
}

void TExDropDownSpeedButton::DoMouseEnter()
{
    TSpeedButton::DoMouseEnter();
    FHot = true;
    Invalidate();
}

void TExDropDownSpeedButton::DoMouseLeave()
{
    TSpeedButton::DoMouseLeave();
    FHot = false;
    Invalidate();
}

void TExDropDownSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TSpeedButton::MouseUp(button, shift, x, y);
    if (button == mbLeft && FOwner && FOwner->OnClick) FOwner->OnClick(FOwner);
}

void TExDropDownSpeedButton::Paint()
{
    TCanvas& c = Canvas();
    if (FButtonStyle == bsDropDown)
        PaintDropDown(c);
    else
        PaintPushButton(c);
}

void TExDropDownSpeedButton::PaintDropDown(TCanvas& c)
{
    const TRect r = Rect(0, 0, Width(), Height());
    IDropDownButtonEdit* edit = FOwner ? FOwner->Edit() : nullptr;
    const bool pressed = PressedLook();
    if (FOwner && FOwner->ButtonColor != clNone) {
        TColor fill = FOwner->ButtonColor;
        TColor arrow = FirstSet(FOwner->ButtonTextColor, clNone, clBlack);
        if (FHot) {
            fill = FirstSet(FOwner->ButtonColorHot, fill, fill);
            arrow = FirstSet(FOwner->ButtonTextColorHot, arrow, arrow);
        }
        if (pressed) {
            fill = FirstSet(FOwner->ButtonColorDown, fill, fill);
            arrow = FirstSet(FOwner->ButtonTextColorDown, arrow, arrow);
        }
        c.Brush().SetColor(fill);
        c.FillRect(r);
        const TColor line = edit ? edit->EditBorderColor() : clNone;
        if (line != clNone) {
            c.Pen().SetColor(line);
            c.Pen().SetWidth(1);
            c.MoveTo(0, 0);
            c.LineTo(0, r.Bottom);
        }
        DrawArrow(c, arrow);
        return;
    }
    if (!Glyph().Empty()) {
        c.Brush().SetColor(clBtnFace);
        c.Pen().SetColor(0x808080);
        c.Pen().SetWidth(1);
        c.Rectangle(r);
        c.DrawTransparent(0, 0, Glyph(), Glyph().TransparentColor());
        return;
    }
    const bool enabled = Enabled() && (!edit || edit->EditAcceptsInput());
    if (HTHEME theme = IsThemeActive() ? OpenThemeData(nullptr, "combobox") : nullptr) {
        TRect tr = r;
        if (HasGetLocaleInfoEx()) {
            tr.Left += 1;
        } else {
            InflateRect(tr, 1, 1);
            tr.Left += 2;
        }
        const int state = !enabled ? CBXS_DISABLED : pressed ? CBXS_PRESSED : FHot ? CBXS_HOT : CBXS_NORMAL;
        DrawThemeBackground(theme, c, CP_DROPDOWNBUTTON, state, tr);
        CloseThemeData(theme);
        return;
    }
    TSpeedButton::Paint();
    const int w = Width(), h = Height();
    c.Pen().SetWidth(1);
    c.Pen().SetColor(clBtnFace);
    c.MoveTo(w - 2, 0);
    c.LineTo(0, 0);
    c.LineTo(0, h - 1);
    c.Pen().SetColor(clWhite);
    c.MoveTo(w - 3, 1);
    c.LineTo(1, 1);
    c.LineTo(1, h - 2);
    DrawArrow(c, clBlack);
}

void TExDropDownSpeedButton::PaintPushButton(TCanvas& c)
{
    const TRect r = Rect(0, 0, Width(), Height());
    const bool down = PressedLook();
    c.Font().Assign(static_cast<const TControl*>(this)->Font());
    if (HTHEME theme = IsThemeActive() ? OpenThemeData(nullptr, "button") : nullptr) {
        c.FillRect(r);
        const int state = !Enabled() ? PBS_DISABLED : down ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL;
        DrawThemeBackground(theme, c, BP_PUSHBUTTON, state, Rect(0, 0, r.Right + 1, r.Bottom + 1));
        CloseThemeData(theme);
        const int shift = down ? 1 : 0;
        if (!Glyph().Empty()) {
            TRect g = r;
            InflateRect(g, -2, -2);
            int x = g.Left, y = g.Top;
            if (!Caption().empty())
                x += 2;
            else if (Glyph().Width() < g.Width())
                x += (g.Width() - Glyph().Width()) / 2;
            if (Glyph().Height() < g.Height()) y += (g.Height() - Glyph().Height()) / 2;
            c.DrawTransparent(x + shift, y + shift, Glyph(), Glyph().TransparentColor());
        }
        if (!Caption().empty()) {
            c.Brush().SetStyle(bsClear);
            if (Glyph().Empty()) {
                TRect t = r;
                InflateRect(t, -3, -1);
                OffsetRect(t, shift, shift);
                DrawText(c, Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            } else {
                c.TextOut(Glyph().Width() + 2, r.Top + 1, Caption());
            }
        }
        return;
    }
    if (Flat()) {
        c.Brush().SetColor(clBtnFace);
        c.FillRect(r);
        TRect e = Rect(0, 0, r.Right + 1, r.Bottom + 1);
        DrawEdge(c, e, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (down ? BF_FLAT : 0u));
        const int shift = down ? 1 : 0;
        if (!Glyph().Empty()) {
            TRect g = r;
            InflateRect(g, -3, -3);
            OffsetRect(g, shift, shift);
            DrawTransparentGlyph(c, Glyph(), clBtnFace, g);
        }
        if (!Caption().empty()) {
            TRect t = r;
            InflateRect(t, -3, -1);
            OffsetRect(t, shift, shift);
            c.Brush().SetStyle(bsClear);
            DrawText(c, Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        return;
    }
    TSpeedButton::Paint();
}

// --- TDropDownEditButton ----------------------------------------------------------------

TDropDownEditButton::TDropDownEditButton(TWinControl* parent) : TCustomControl(parent)
{
    SetTabStop(false);
    // A click goes to the button; the focus stays where it is.
    SetFocusOnClick(false);
    FButton = new TExDropDownSpeedButton(this);
    FButton->SetEnabled(Enabled());
    FButton->SetButtonStyle(bsDropDown);
    TCustomControl::SetBounds(Left(), Top(), FBWidth, 25);
    PlaceButton();
}

void TDropDownEditButton::PlaceButton() { FButton->SetBounds(0, 0, FBWidth, Height()); }

void TDropDownEditButton::SetButtonWidth(int Value)
{
    FBWidth = Value;
    SetBounds(Left(), Top(), FBWidth, Height());
}

void TDropDownEditButton::SetBounds(int left, int top, int, int height)
{
    TCustomControl::SetBounds(left, top, FBWidth, height);
    PlaceButton();
}

void TDropDownEditButton::Resized()
{
    if (Width() != FBWidth) {
        SetBounds(Left(), Top(), FBWidth, Height());
        return;
    }
    PlaceButton();
}

void TDropDownEditButton::SetEnabled(bool v)
{
    TCustomControl::SetEnabled(v);
    FButton->SetEnabled(v);
}
