#include "platform/Buttons.h"

#include "platform/DrawText.h"
#include "platform/Themes.h"

#include "platform/ControlsImpl.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
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

// --- TButton -----------------------------------------------------------------------------

namespace {
TMouseButton ButtonOf(Qt::MouseButton b) { return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft; }
} // namespace

struct TButton::QtButton : QPushButton {
    explicit QtButton(TButton* c) : control(c) {}
    TButton* control;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        control->MouseDown(ButtonOf(e->button()), ToShift(e->modifiers()), p.x(), p.y());
        QPushButton::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        control->MouseUp(ButtonOf(e->button()), ToShift(e->modifiers()), p.x(), p.y());
        QPushButton::mouseReleaseEvent(e);
    }
};

TButton::TButton(TWinControl* parent) : TWinControl(parent, nullptr)
{
    auto* b = new QtButton(this);
    AttachWidget(b);
    tabStop_ = true;
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoDefault(false);
    b->resize(75, 25);
    QObject::connect(b, &QPushButton::clicked, b, [this] { Click(); });
}

std::string TButton::Caption() const { return static_cast<QPushButton*>(widget_)->text().toStdString(); }
void TButton::SetCaption(const std::string& s) { static_cast<QPushButton*>(widget_)->setText(QString::fromStdString(s)); }

void TButton::MouseDown(TMouseButton, TShiftState, int, int) {}
void TButton::MouseUp(TMouseButton, TShiftState, int, int) {}

void TButton::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TButton::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

bool TButton::DoKeyDown(int& key, TShiftState shift)
{
    KeyDown(key, shift);
    return key == 0;
}

bool TButton::DoKeyUp(int& key, TShiftState shift)
{
    KeyUp(key, shift);
    return key == 0;
}

// --- TCustomCheckBox -------------------------------------------------------------------------

struct TCustomCheckBox::QtCheck : QCheckBox {
    explicit QtCheck(TCustomCheckBox* c) : control(c) {}
    TCustomCheckBox* control;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        control->MouseDown(ButtonOf(e->button()), ToShift(e->modifiers()), p.x(), p.y());
        QCheckBox::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        control->MouseUp(ButtonOf(e->button()), ToShift(e->modifiers()), p.x(), p.y());
        QCheckBox::mouseReleaseEvent(e);
    }
    // The control decides how a click changes the state.
    void nextCheckState() override
    {
        if (control->TogglesOnClick()) control->Toggle();
    }
};

TCustomCheckBox::TCustomCheckBox(TWinControl* parent) : TWinControl(parent, nullptr)
{
    auto* c = new QtCheck(this);
    AttachWidget(c);
    tabStop_ = true;
    c->setFocusPolicy(Qt::StrongFocus);
    c->setTristate(true);
    c->resize(97, 17);
    QObject::connect(c, &QCheckBox::stateChanged, c, [this](int) { TControl::Click(); });
}

std::string TCustomCheckBox::Caption() const { return static_cast<QCheckBox*>(widget_)->text().toStdString(); }
void TCustomCheckBox::SetCaption(const std::string& s) { static_cast<QCheckBox*>(widget_)->setText(QString::fromStdString(s)); }
bool TCustomCheckBox::Checked() const { return static_cast<QCheckBox*>(widget_)->checkState() == Qt::Checked; }
bool TCustomCheckBox::Grayed() const { return static_cast<QCheckBox*>(widget_)->checkState() == Qt::PartiallyChecked; }

void TCustomCheckBox::SetChecked(bool v)
{
    static_cast<QCheckBox*>(widget_)->setCheckState(v ? Qt::Checked : Qt::Unchecked);
}

void TCustomCheckBox::SetGrayed(bool v)
{
    if (v) static_cast<QCheckBox*>(widget_)->setCheckState(Qt::PartiallyChecked);
    else if (Grayed()) SetChecked(false);
}

void TCustomCheckBox::Toggle()
{
    auto* c = static_cast<QCheckBox*>(widget_);
    switch (c->checkState()) {
    case Qt::Unchecked: c->setCheckState(allowGrayed_ ? Qt::PartiallyChecked : Qt::Checked); break;
    case Qt::Checked: c->setCheckState(Qt::Unchecked); break;
    case Qt::PartiallyChecked: c->setCheckState(Qt::Checked); break;
    }
}

void TCustomCheckBox::MouseDown(TMouseButton, TShiftState, int, int) {}
void TCustomCheckBox::MouseUp(TMouseButton, TShiftState, int, int) {}

void TCustomCheckBox::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomCheckBox::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

bool TCustomCheckBox::DoKeyDown(int& key, TShiftState shift)
{
    KeyDown(key, shift);
    return key == 0;
}

bool TCustomCheckBox::DoKeyUp(int& key, TShiftState shift)
{
    KeyUp(key, shift);
    return key == 0;
}
