#include "platform/HintWindow.h"

#include "platform/DrawText.h"
#include "platform/EventGuard.h"
#include "platform/GraphicsQt.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// The floating window of a hint: no frame, on top, never active.
class HintWidget : public QWidget {
public:
    explicit HintWidget(THintWindow* owner)
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), owner_(owner)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
    }
    THintWindow* owner_;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        TCanvas c(&p);
        FromQt([&] { owner_->PaintTo(c); });
    }
};

} // namespace

struct THintWindow::Impl {
    QPointer<HintWidget> widget;
};

THintWindow::THintWindow() : impl_(std::make_unique<Impl>())
{
    impl_->widget = new HintWidget(this);
}

THintWindow::~THintWindow()
{
    if (impl_->widget) {
        impl_->widget->owner_ = nullptr;
        delete impl_->widget.data();
    }
}

void THintWindow::SetCaption(const std::string& s)
{
    caption_ = s;
    if (impl_->widget) impl_->widget->update();
}

void THintWindow::SetColor(TColor c)
{
    color_ = c;
    if (impl_->widget) impl_->widget->update();
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*)
{
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font().Assign(font_);
    TRect r{0, 0, std::max(1, MaxWidth), 0};
    DrawText(c, AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::SetBounds(const TRect& Rect)
{
    bounds_ = Rect;
    if (impl_->widget)
        impl_->widget->setGeometry(Rect.Left, Rect.Top, std::max(1, Rect.Right - Rect.Left),
                                   std::max(1, Rect.Bottom - Rect.Top));
}

void THintWindow::ShowNoActivate()
{
    if (!impl_->widget) return;
    impl_->widget->show();
    impl_->widget->raise();
    impl_->widget->update();
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint)
{
    caption_ = AHint;
    SetBounds(Rect);
    ShowNoActivate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const std::string& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ReleaseHandle()
{
    if (impl_->widget) impl_->widget->hide();
}

bool THintWindow::Showing() const { return impl_->widget && impl_->widget->isVisible(); }

void THintWindow::Paint(TCanvas& Canvas)
{
    const int w = ClientWidth(), h = ClientHeight();
    Canvas.Brush().SetColor(color_);
    Canvas.FillRect({0, 0, w, h});
    Canvas.Pen().SetColor(clBtnHighlight);
    Canvas.MoveTo(0, h - 1);
    Canvas.LineTo(0, 0);
    Canvas.LineTo(w - 1, 0);
    Canvas.Pen().SetColor(cl3DDkShadow);
    Canvas.LineTo(w - 1, h - 1);
    Canvas.LineTo(-1, h - 1);
    Canvas.Font().Assign(font_);
    Canvas.Font().SetColor(clInfoText);
    Canvas.SetBkMode(bkTransparent);
    TRect r{3, 1, w - 3, h - 1};
    DrawText(Canvas, caption_, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

TRect MonitorRectAt(TPoint p)
{
    QScreen* s = QGuiApplication::screenAt(QPoint(p.X, p.Y));
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return {0, 0, 1024, 768};
    return FromQRect(s->geometry());
}

// --- the application's hint -----------------------------------------------------------------

namespace {
std::unique_ptr<THintWindow>& AppHint()
{
    static std::unique_ptr<THintWindow> w;
    return w;
}
} // namespace

void ShowApplicationHint(const THintInfo& Info, const std::string& HintStr)
{
    CancelApplicationHint();
    if (HintStr.empty()) return;
    std::unique_ptr<THintWindow> w = Info.HintWindowClass ? Info.HintWindowClass() : nullptr;
    if (!w) w = std::make_unique<THintWindow>();
    w->SetColor(Info.HintColor);
    TRect r = w->CalcHintRect(std::max(1, Info.HintMaxWidth), HintStr, Info.HintData);
    r = {Info.HintPos.X + r.Left, Info.HintPos.Y + r.Top, Info.HintPos.X + r.Right, Info.HintPos.Y + r.Bottom};
    w->ActivateHintData(r, HintStr, Info.HintData);
    AppHint() = std::move(w);
}

void CancelApplicationHint()
{
    if (AppHint()) AppHint()->ReleaseHandle();
    AppHint().reset();
}

THintWindow* ShownApplicationHint()
{
    THintWindow* w = AppHint().get();
    return w && w->Showing() ? w : nullptr;
}
