// The scrolling control over a Qt scroll area.

#include "platform/ScrollBox.h"

#include "platform/ControlsImpl.h"
#include "platform/EventGuard.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWheelEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

class TScrollingWinControl::Area : public QScrollArea {
public:
    explicit Area(TScrollingWinControl* c) : control(c)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(false);
        auto* content = new QWidget;
        content->setAutoFillBackground(false);
        setWidget(content);
        viewport()->setAutoFillBackground(true);
        // The thumb moves the children while it is dragged.
        verticalScrollBar()->setTracking(true);
        horizontalScrollBar()->setTracking(true);
        content->installEventFilter(this);
    }
    TScrollingWinControl* control;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QScrollArea::resizeEvent(e);
        FromQt([&] {
            control->UpdateScrollRange();
            control->Resized();
        });
    }
    // The arrow keys and every other key belong to the control (its
    // OnKeyDown and the children's handlers): the area does not scroll by
    // keys.
    void keyPressEvent(QKeyEvent* e) override { e->accept(); }
    // A wheel turn over the area, or one a child left, scrolls vertically.
    void wheelEvent(QWheelEvent* e) override { ScrollByWheel(e); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == widget() && e->type() == QEvent::Wheel) {
            ScrollByWheel(static_cast<QWheelEvent*>(e));
            return true;
        }
        return QScrollArea::eventFilter(o, e);
    }
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::Wheel) {
            ScrollByWheel(static_cast<QWheelEvent*>(e));
            return true;
        }
        return QScrollArea::event(e);
    }

private:
    void ScrollByWheel(QWheelEvent* e)
    {
        QScrollBar* bar = verticalScrollBar();
        const int notches = e->angleDelta().y() / 120;
        bar->setValue(bar->value() - notches * QApplication::wheelScrollLines() * bar->singleStep());
        e->accept();
    }
};

TScrollingWinControl::TScrollingWinControl(TWinControl* parent) : TWinControl(parent, nullptr)
{
    area_ = new Area(this);
    AttachWidget(area_);
    area_->setFocusPolicy(Qt::StrongFocus);
    SetColor(clWindow);
}

TScrollingWinControl::~TScrollingWinControl() = default;

QWidget* TScrollingWinControl::ClientWidget() const { return area_->widget(); }

void TScrollingWinControl::SetColor(TColor c)
{
    TControl::SetColor(c);
    QPalette p = area_->viewport()->palette();
    p.setColor(QPalette::Window, ToQColor(c));
    area_->viewport()->setPalette(p);
}

int TScrollingWinControl::VisibleWidth() const { return area_->viewport()->width(); }
int TScrollingWinControl::VisibleHeight() const { return area_->viewport()->height(); }
bool TScrollingWinControl::VertScrollBarVisible() const { return area_->verticalScrollBar()->isVisibleTo(area_); }
bool TScrollingWinControl::HorzScrollBarVisible() const { return area_->horizontalScrollBar()->isVisibleTo(area_); }
int TScrollingWinControl::VertScrollPos() const { return area_->verticalScrollBar()->value(); }
int TScrollingWinControl::HorzScrollPos() const { return area_->horizontalScrollBar()->value(); }
void TScrollingWinControl::SetVertScrollPos(int Value) { area_->verticalScrollBar()->setValue(Value); }

void TScrollingWinControl::UpdateScrollRange()
{
    int w = 0, h = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    area_->widget()->resize(w, h);
    // The bars show or hide now, not at the next round of the event loop.
    QEvent layout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(area_, &layout);
}
