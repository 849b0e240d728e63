#include "platform/FocusFrame.h"

#include "platform/EventGuard.h"
#include "platform/GraphicsQt.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QWidget>

namespace {

class FrameWidget : public QWidget {
public:
    FrameWidget()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
    }
    QColor color;
    QRect hole;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(rect(), Qt::transparent);
        // A soft rounded ring: strongest in its middle, fading outwards.
        for (int i = 0; i < 4; ++i) {
            QColor c = color;
            c.setAlpha(color.alpha() * (4 - i) / 4);
            p.setPen(QPen(c, 4 - i));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(2, 2, width() - 5, height() - 5), 5, 5);
        }
    }
};

} // namespace

struct TFocusFrameWindow::Impl : QObject {
    FrameWidget* w = nullptr;
    TFocusFrameWindow* owner = nullptr;
    bool filtering = false;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Move && o != w && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow() &&
            owner->OnWindowMoved)
            FromQt([&] { owner->OnWindowMoved(); });
        return false;
    }
};

TFocusFrameWindow::TFocusFrameWindow() : impl_(std::make_unique<Impl>())
{
    impl_->w = new FrameWidget;
    impl_->owner = this;
}

TFocusFrameWindow::~TFocusFrameWindow()
{
    if (impl_->filtering) qApp->removeEventFilter(impl_.get());
    delete impl_->w;
}

void TFocusFrameWindow::ShowRing(const TRect& Bounds, const TRect& Hole, TColor Color, int Alpha)
{
    FrameWidget* w = impl_->w;
    w->hide();
    QColor c = ToQColor(Color);
    c.setAlpha(std::clamp(Alpha, 0, 255));
    w->color = c;
    w->hole = ToQRect(Hole);
    w->setGeometry(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
    w->setMask(QRegion(0, 0, w->width(), w->height()).xored(QRegion(w->hole)));
    w->show();
    if (!impl_->filtering) {
        qApp->installEventFilter(impl_.get());
        impl_->filtering = true;
    }
}

void TFocusFrameWindow::MoveTo(const TRect& Bounds)
{
    impl_->w->setGeometry(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
}

void TFocusFrameWindow::Hide()
{
    impl_->w->hide();
    if (impl_->filtering) {
        qApp->removeEventFilter(impl_.get());
        impl_->filtering = false;
    }
}

bool TFocusFrameWindow::Visible() const { return impl_->w->isVisible(); }

TRect TFocusFrameWindow::Bounds() const { return FromQRect(impl_->w->geometry()); }

bool TFocusFrameWindow::InShape(int X, int Y) const { return impl_->w->mask().contains(QPoint(X, Y)); }
