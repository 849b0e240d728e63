// TExCheckBox: the grid's owner-drawn check box.

#include "widgets/ExCheckBox.h"

#include "platform/ControlInput.h"
#include "platform/DrawText.h"
#include "platform/Themes.h"

bool CheckBoxVisualStyle()
{
    // This platform stands for a current system with version-6 common
    // controls: only the style switch decides.
    return IsThemeActive();
}

TExCheckBox::TExCheckBox(TWinControl* parent) : TCustomControl(parent)
{
    SetBounds(0, 0, 98, 20);
    SetTabStop(true);
}

void TExCheckBox::SetAlignment(TAlignment v)
{
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TExCheckBox::SetButtonVertAlign(TTextLayout v)
{
    if (v == FBtnVAlign) return;
    FBtnVAlign = v;
    Invalidate();
}

void TExCheckBox::SetCaption(const std::string& v)
{
    FCaption = v;
    Invalidate();
}

void TExCheckBox::SetChecked(bool v)
{
    FState = v ? cbChecked : cbUnchecked;
    Invalidate();
}

void TExCheckBox::SetEllipsis(bool v)
{
    FEllipsis = v;
    Invalidate();
}

void TExCheckBox::SetState(TCheckBoxState v)
{
    if (v == FState) return;
    FState = v;
    Invalidate();
}

void TExCheckBox::SetTransparent(bool v)
{
    if (v == FTransparent) return;
    FTransparent = v;
    FBkgCache = false;
    Repaint();
}

void TExCheckBox::SetTransparentChaching(bool v)
{
    FTransparentCaching = v;
    FBkgCache = false;
}

void TExCheckBox::SetDown(bool v)
{
    if (v == FDown) return;
    FDown = v;
    Invalidate();
}

void TExCheckBox::Toggle()
{
    if (FReadOnly) return;
    SetChecked(!Checked());
}

void TExCheckBox::SetBounds(int left, int top, int width, int height)
{
    TCustomControl::SetBounds(left, top, width, height);
    FBkgCache = false;
    if (FTransparent) Invalidate();
}

TRect TExCheckBox::BoxRect() const
{
    const int x = FAlignment == TAlignment::taRightJustify ? ClientWidth() - 15 : 0;
    int y = 4;
    if (FBtnVAlign == tlCenter) y = ClientHeight() / 2 - 6;
    if (FBtnVAlign == tlBottom) y = ClientHeight() - 14;
    return {x, y, x + 16, y + 16};
}

// --- input -----------------------------------------------------------------------------

void TExCheckBox::MouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button != mbLeft) return;
    FMouseDown = true;
    if (!Focused()) SetFocus();
    SetDown(true);
}

void TExCheckBox::MouseMove(TShiftState, int x, int y)
{
    if (!FMouseDown) return;
    SetDown(x >= 0 && x <= ClientWidth() && y >= 0 && y <= ClientHeight());
}

void TExCheckBox::MouseUp(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft) return;
    const bool pressed = FMouseDown;
    FMouseDown = false;
    SetDown(false);
    const bool inside = x >= 0 && x <= ClientWidth() && y >= 0 && y <= ClientHeight();
    if (inside && Focused() && pressed) {
        Toggle();
        Click();
    }
}

bool TExCheckBox::KeyDownMsg(int key, TShiftState)
{
    if (key == VK_RETURN && FReturnIsTab) {
        // Enter goes on as Tab does.
        SendKeyDown(*this, VK_TAB);
        return true;
    }
    if (key == VK_SPACE) {
        SetDown(true);
        return true;
    }
    return false;
}

bool TExCheckBox::KeyUpMsg(int key, TShiftState)
{
    if (key != VK_SPACE) return false;
    SetDown(false);
    Toggle();
    Click();
    return true;
}

void TExCheckBox::FocusChanged()
{
    FFocused = Focused();
    Invalidate();
}

void TExCheckBox::DoMouseEnter()
{
    FHot = true;
    Invalidate();
    TCustomControl::DoMouseEnter();
}

void TExCheckBox::DoMouseLeave()
{
    FHot = false;
    Invalidate();
    TCustomControl::DoMouseLeave();
}

bool TExCheckBox::DialogChar(char32_t ch)
{
    if (!IsAccel(ch, FCaption) || !CanFocus()) return false;
    Toggle();
    if (TabStop()) SetFocus();
    return true;
}

// --- painting ----------------------------------------------------------------------------

void TExCheckBox::Paint()
{
    TCanvas& c = Canvas();
    // Transparent: the parent's background shows through (nothing erased).
    if (!FTransparent) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect({0, 0, Width(), Height()});
    }
    PaintFace(c);
}

TBitmap TExCheckBox::RenderFace()
{
    TBitmap bmp(Width(), Height());
    TCanvas& c = bmp.Canvas();
    c.Brush().SetColor(FTransparent && Parent() ? Parent()->Color() : Color());
    c.FillRect({0, 0, Width(), Height()});
    PaintFace(c);
    c.Flush();
    return bmp;
}

void TExCheckBox::PaintFace(TCanvas& c)
{
    c.Font().Assign(static_cast<const TControl*>(this)->Font());
    const int W = ClientWidth(), H = ClientHeight();
    const bool right = FAlignment == TAlignment::taRightJustify;
    if (CheckBoxVisualStyle() && FIsWinXP) {
        int y = 4;
        if (FBtnVAlign == tlCenter) y = H / 2 - 6;
        if (FBtnVAlign == tlBottom) y = H - 14;
        const int x = right ? W - 15 : 0;
        int st = FState == cbChecked ? CBS_CHECKEDNORMAL : FState == cbGrayed ? CBS_MIXEDNORMAL : CBS_UNCHECKEDNORMAL;
        if (!Enabled())
            st += 3;
        else if (FDown)
            st += 2;
        else if (FHot)
            st += 1;
        if (HTHEME th = OpenThemeData(nullptr, "button")) {
            DrawThemeBackground(th, c, BP_CHECKBOX, st, {x, y, x + 14, y + 14});
            CloseThemeData(th);
        }
    } else {
        int y = 4;
        if (FBtnVAlign == tlCenter) y = H / 2 - 6;
        if (FBtnVAlign == tlBottom) y = H - 17;
        const int x = right ? W - 13 : 0;
        unsigned st = DFCS_BUTTONCHECK;
        if (FState == cbChecked) st |= DFCS_CHECKED;
        if (FState == cbGrayed || !Enabled()) st |= DFCS_INACTIVE;
        DrawFrameControl(c, {x, y, x + 13, y + 13}, DFC_BUTTON, st);
    }
    // caption
    TRect r{15, 4, W, H};
    if (right) r = {6, 4, W - 9, H};
    unsigned fmt = DT_LEFT | DT_SINGLELINE;
    if (FEllipsis) fmt |= DT_END_ELLIPSIS;
    c.SetBkMode(bkTransparent);
    if (!Enabled()) {
        TRect e{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
        c.Font().SetColor(clWhite);
        DrawText(c, FCaption, e, fmt);
        c.Font().SetColor(0x808080);
    }
    TRect t = r;
    DrawText(c, FCaption, t, fmt);
    if (FFocused) {
        TRect m = r;
        DrawText(c, FCaption, m, fmt | DT_CALCRECT);
        const int tw = m.Right - m.Left, th = m.Bottom - m.Top;
        c.DrawFocusRect({r.Left - 2, r.Top, r.Left - 2 + tw + 1 + 2, r.Top + th + 1});
    }
}
