#include "platform/Buttons.h"

#include "platform/DrawText.h"
#include "platform/Themes.h"

#include <QWidget>

#include <algorithm>

TSpeedButton::TSpeedButton(TWinControl* parent) : TCustomControl(parent)
{
    SetTabStop(false);
    widget_->setFocusPolicy(Qt::NoFocus);
    widget_->setMouseTracking(true);
    widget_->resize(23, 22);
}

void TSpeedButton::SetCaption(const std::string& s)
{
    caption_ = s;
    Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap& b)
{
    glyph_ = b;
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int n)
{
    numGlyphs_ = std::clamp(n, 1, 4);
    Invalidate();
}

void TSpeedButton::SetFlat(bool v)
{
    flat_ = v;
    Invalidate();
}

void TSpeedButton::DrawGlyph(TCanvas& canvas, const TRect& r)
{
    if (glyph_.Empty()) return;
    const int w = glyph_.Width() / numGlyphs_, h = glyph_.Height();
    int index = 0;
    if (!Enabled() && numGlyphs_ > 1) index = 1;
    else if (Pressed() && numGlyphs_ > 2) index = 2;
    TBitmap one(w, h);
    one.Canvas().CopyRect(TRect{0, 0, w, h}, glyph_.Canvas(), TRect{index * w, 0, index * w + w, h});
    const int x = r.Left + std::max((r.Right - r.Left - w) / 2, 0) + (Pressed() ? 1 : 0);
    const int y = r.Top + std::max((r.Bottom - r.Top - h) / 2, 0) + (Pressed() ? 1 : 0);
    canvas.DrawTransparent(x, y, one, one.Pixel(0, h - 1));
}

void TSpeedButton::Paint()
{
    TCanvas& c = Canvas();
    TRect r{0, 0, Width(), Height()};
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    if (!flat_) {
        DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed() ? DFCS_PUSHED : 0u));
    } else if (mouseIn_ || Pressed()) {
        TRect e = r;
        DrawEdge(c, e, Pressed() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    DrawGlyph(c, r);
    if (!caption_.empty()) {
        TRect t = r;
        if (Pressed()) {
            t.Left += 1;
            t.Top += 1;
            t.Right += 1;
            t.Bottom += 1;
        }
        c.Font().Assign(static_cast<const TControl*>(this)->Font());
        if (!Enabled()) c.Font().SetColor(clGrayText);
        c.Brush().SetStyle(bsClear);
        DrawText(c, caption_, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft || !Enabled()) return;
    pressed_ = true;
    over_ = x >= 0 && y >= 0 && x < Width() && y < Height();
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState, int x, int y)
{
    const bool over = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (pressed_ && over != over_) {
        over_ = over;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft || !pressed_) return;
    const bool over = x >= 0 && y >= 0 && x < Width() && y < Height();
    pressed_ = false;
    over_ = false;
    Invalidate();
    if (over && Enabled() && ClicksOnRelease()) Click();
}

void TSpeedButton::DoMouseEnter()
{
    mouseIn_ = true;
    if (flat_) Invalidate();
    TCustomControl::DoMouseEnter();
}

void TSpeedButton::DoMouseLeave()
{
    mouseIn_ = false;
    if (flat_) Invalidate();
    TCustomControl::DoMouseLeave();
}
