#include "platform/CategoryPanels.h"

#include "platform/Controls.h"
#include "platform/EventGuard.h"
#include "platform/SysUtils.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace {

// Header look: gradient from the base colour to 14211303 (red 231, green
// 216, blue 216), caption grey bold Verdana 11 pt, chevron at the right.
const QColor kGradientBase(240, 240, 240);
const QColor kGradient(231, 216, 216);
const QColor kCaption(128, 128, 128);
const QColor kChevron(96, 96, 96);
const QColor kChevronHot(255, 0, 0);
const QColor kBody(248, 247, 237);
constexpr int kLineIncrement = 8;

class PanelWidget : public QWidget {
public:
    PanelWidget(TCategoryPanel* owner, QWidget* parent) : QWidget(parent), owner_(owner)
    {
        setMouseTracking(true);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, kBody);
        setPalette(pal);
        body = new QWidget(this);
    }

    QWidget* body;
    int headerHeight = 24;
    bool hot = false;
    bool collapsed = false;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect header(0, 0, width(), headerHeight);
        QLinearGradient g(header.topLeft(), header.bottomLeft());
        g.setColorAt(0, kGradientBase);
        g.setColorAt(1, kGradient);
        p.fillRect(header, g);
        p.setPen(QColor(200, 200, 200));
        p.drawLine(header.bottomLeft(), header.bottomRight());

        QFont f("Verdana");
        f.setPointSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(isEnabled() ? kCaption : QColor(180, 180, 180));
        p.drawText(header.adjusted(6, 0, -28, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromStdString(owner_->Caption()));

        // Chevron: pointing up while expanded, down while collapsed.
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(hot && isEnabled() ? kChevronHot : kChevron);
        pen.setWidthF(2.0);
        p.setPen(pen);
        const int cx = width() - 14;
        const int cy = headerHeight / 2;
        for (int k = 0; k < 2; ++k) {
            const int o = k * 4 - 2;
            QPainterPath path;
            if (collapsed) {
                path.moveTo(cx - 4, cy - 2 + o);
                path.lineTo(cx, cy + 2 + o);
                path.lineTo(cx + 4, cy - 2 + o);
            } else {
                path.moveTo(cx - 4, cy + 2 + o);
                path.lineTo(cx, cy - 2 + o);
                path.lineTo(cx + 4, cy + 2 + o);
            }
            p.drawPath(path);
        }
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && e->position().y() < headerHeight) {
            FromQt([&] { owner_->HeaderClick(); });
            e->accept();
            return;
        }
        QWidget::mousePressEvent(e);
    }

    void mouseMoveEvent(QMouseEvent* e) override
    {
        SetHot(e->position().y() < headerHeight);
        QWidget::mouseMoveEvent(e);
    }

    void leaveEvent(QEvent* e) override
    {
        SetHot(false);
        QWidget::leaveEvent(e);
    }

private:
    void SetHot(bool h)
    {
        if (h == hot) return;
        hot = h;
        update(0, 0, width(), headerHeight);
    }
    TCategoryPanel* owner_;
};

class GroupArea : public QScrollArea {
public:
    explicit GroupArea(QWidget* parent) : QScrollArea(parent) {}
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QScrollArea::resizeEvent(e);
        if (onResize) FromQt([&] { onResize(); });
    }
    bool viewportEvent(QEvent* e) override
    {
        const bool r = QScrollArea::viewportEvent(e);
        if (e->type() == QEvent::Resize && onResize) FromQt([&] { onResize(); });
        return r;
    }
};

// Sees every wheel turn of the application and hands those over the
// group's window to the group's handler.
class WheelFilter : public QObject {
public:
    WheelFilter(TCategoryPanelGroup* group, QWidget* area) : group_(group), area_(area) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel || !area_ || !group_->OnWindowMouseWheel)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->window() != area_->window()) return false;
        auto* we = static_cast<QWheelEvent*>(event);
        int delta = we->angleDelta().y();
        if (delta == 0) delta = we->angleDelta().x();
        const QPoint g = we->globalPosition().toPoint();
        bool taken = false;
        FromQt([&] { taken = group_->OnWindowMouseWheel(delta, g.x(), g.y()); });
        return taken;
    }

private:
    TCategoryPanelGroup* group_;
    QPointer<QWidget> area_;
};

// The panel's body as a parent for controls.
class PanelBody : public TWinControl {
public:
    explicit PanelBody(QWidget* body) : TWinControl(nullptr, body) {}
    const char* ClassName() const override { return "TCategoryPanelBody"; }
};

} // namespace

struct TCategoryPanel::Impl {
    std::string name;
    std::string caption;
    QPointer<PanelWidget> widget;
    std::unique_ptr<PanelBody> body;
    int expandedHeight = 200;
    int top = 0;
    bool visible = true;
    bool enabled = true;
    bool collapsed = false;
    int tabOrder = 0;
};

struct TCategoryPanelGroup::Impl {
    QPointer<GroupArea> area;
    QPointer<QWidget> content;
    std::vector<std::unique_ptr<TCategoryPanel>> panels; // creation order
    std::vector<TCategoryPanel*> stack;                  // stacking order, hidden ones included
    int headerHeight = 24;
    std::unique_ptr<WheelFilter> filter;
};

// --- panel ------------------------------------------------------------------

TCategoryPanel::TCategoryPanel(TCategoryPanelGroup* group, const std::string& name)
    : group_(group), d_(std::make_unique<Impl>())
{
    d_->name = name;
    d_->widget = new PanelWidget(this, group->d_->content);
    d_->widget->setObjectName(QString::fromStdString(name));
    d_->widget->headerHeight = group->HeaderHeight();
    d_->body = std::make_unique<PanelBody>(d_->widget->body);
}

TCategoryPanel::~TCategoryPanel() = default;

const std::string& TCategoryPanel::Name() const { return d_->name; }
const std::string& TCategoryPanel::Caption() const { return d_->caption; }

void TCategoryPanel::SetCaption(const std::string& caption)
{
    d_->caption = caption;
    d_->widget->update();
}

int TCategoryPanel::Top() const { return d_->top; }

void TCategoryPanel::SetTop(int top) { group_->MoveInStack(this, top); }

int TCategoryPanel::Height() const
{
    return d_->collapsed ? group_->HeaderHeight() : d_->expandedHeight;
}

void TCategoryPanel::SetHeight(int height)
{
    height = std::max(height, 0);
    if (height == d_->expandedHeight) return;
    d_->expandedHeight = height;
    group_->Restack();
}

int TCategoryPanel::ExpandedHeight() const { return d_->expandedHeight; }
int TCategoryPanel::Width() const { return d_->widget->width(); }
bool TCategoryPanel::Visible() const { return d_->visible; }

void TCategoryPanel::SetVisible(bool visible)
{
    if (visible == d_->visible) return;
    d_->visible = visible;
    d_->widget->setVisible(visible);
    group_->Restack();
}

bool TCategoryPanel::Enabled() const { return d_->enabled; }

void TCategoryPanel::SetEnabled(bool enabled)
{
    d_->enabled = enabled;
    d_->widget->setEnabled(enabled);
}

bool TCategoryPanel::Collapsed() const { return d_->collapsed; }

void TCategoryPanel::SetCollapsed(bool collapsed)
{
    if (collapsed == d_->collapsed) return;
    d_->collapsed = collapsed;
    d_->widget->collapsed = collapsed;
    d_->widget->body->setVisible(!collapsed);
    group_->Restack();
    d_->widget->update();
    if (collapsed) {
        if (OnCollapse) OnCollapse(this);
    } else if (OnExpand) {
        OnExpand(this);
    }
}

int TCategoryPanel::TabOrder() const { return d_->tabOrder; }

void TCategoryPanel::SetTabOrder(int order)
{
    d_->tabOrder = order;
    std::vector<TCategoryPanel*> byOrder;
    for (const auto& p : group_->d_->panels) byOrder.push_back(p.get());
    std::stable_sort(byOrder.begin(), byOrder.end(),
                     [](auto* a, auto* b) { return a->d_->tabOrder < b->d_->tabOrder; });
    for (size_t i = 1; i < byOrder.size(); ++i)
        QWidget::setTabOrder(byOrder[i - 1]->d_->widget, byOrder[i]->d_->widget);
}

void TCategoryPanel::HeaderClick()
{
    if (!d_->enabled || !group_->d_->area->isEnabled()) return;
    SetCollapsed(!d_->collapsed);
}

bool TCategoryPanel::HeaderHot() const { return d_->widget->hot; }
QWidget* TCategoryPanel::Body() const { return d_->widget->body; }
TWinControl* TCategoryPanel::BodyControl() const { return d_->body.get(); }
QWidget* TCategoryPanel::Widget() const { return d_->widget; }

// --- group ------------------------------------------------------------------

TCategoryPanelGroup::TCategoryPanelGroup(QWidget* parent) : d_(std::make_unique<Impl>())
{
    d_->area = new GroupArea(parent);
    d_->area->setFrameShape(QFrame::NoFrame);
    d_->area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    d_->area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    d_->area->setWidgetResizable(false);
    d_->area->verticalScrollBar()->setSingleStep(kLineIncrement);
    d_->area->verticalScrollBar()->setTracking(true);
    d_->content = new QWidget;
    d_->content->setAutoFillBackground(true);
    QPalette pal = d_->content->palette();
    pal.setColor(QPalette::Window, kBody);
    d_->content->setPalette(pal);
    d_->area->setWidget(d_->content);
    d_->area->onResize = [this] { Restack(); };
    d_->filter = std::make_unique<WheelFilter>(this, d_->area);
    qApp->installEventFilter(d_->filter.get());
    Restack();
}

TCategoryPanelGroup::TCategoryPanelGroup(TWinControl* parent)
    : TCategoryPanelGroup(parent ? parent->Widget() : static_cast<QWidget*>(nullptr))
{
}

TCategoryPanelGroup::~TCategoryPanelGroup()
{
    qApp->removeEventFilter(d_->filter.get());
    d_->stack.clear();
    // The bodies' controls go first, while the panels' widgets still exist.
    for (auto& p : d_->panels) {
        if (p->d_->widget) p->d_->body.reset();
        else (void)p->d_->body.release(); // its widget went with the window
    }
    if (d_->area) {
        d_->area->onResize = nullptr;
        delete d_->area; // with the content and every panel's widgets
    }
    d_->panels.clear();
}

TCategoryPanel* TCategoryPanelGroup::AddPanel(const std::string& name)
{
    std::unique_ptr<TCategoryPanel> p(new TCategoryPanel(this, name));
    TCategoryPanel* raw = p.get();
    d_->panels.push_back(std::move(p));
    d_->stack.push_back(raw);
    raw->d_->widget->show();
    Restack();
    return raw;
}

int TCategoryPanelGroup::PanelCount() const { return static_cast<int>(d_->panels.size()); }

TCategoryPanel* TCategoryPanelGroup::Panels(int index) const
{
    if (index < 0 || index >= PanelCount()) RaiseListIndexError(index);
    return d_->panels[static_cast<size_t>(index)].get();
}

std::vector<TCategoryPanel*> TCategoryPanelGroup::StackedPanels() const
{
    std::vector<TCategoryPanel*> r;
    for (auto* p : d_->stack)
        if (p->d_->visible) r.push_back(p);
    return r;
}

int TCategoryPanelGroup::HeaderHeight() const { return d_->headerHeight; }

void TCategoryPanelGroup::SetHeaderHeight(int height)
{
    d_->headerHeight = std::max(height, 0);
    for (auto& p : d_->panels) p->d_->widget->headerHeight = d_->headerHeight;
    Restack();
}

void TCategoryPanelGroup::SetBounds(int left, int top, int width, int height)
{
    d_->area->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
    Restack();
}

int TCategoryPanelGroup::Left() const { return d_->area->x(); }
int TCategoryPanelGroup::Top() const { return d_->area->y(); }
int TCategoryPanelGroup::Width() const { return d_->area->width(); }
int TCategoryPanelGroup::Height() const { return d_->area->height(); }
int TCategoryPanelGroup::ClientWidth() const { return d_->area->viewport()->width(); }
int TCategoryPanelGroup::ClientHeight() const { return d_->area->viewport()->height(); }

void TCategoryPanelGroup::ScreenToClient(int& x, int& y) const
{
    const QPoint p = d_->area->viewport()->mapFromGlobal(QPoint(x, y));
    x = p.x();
    y = p.y();
}

int TCategoryPanelGroup::StackHeight() const
{
    int h = 0;
    for (auto* p : d_->stack)
        if (p->d_->visible) h += p->Height();
    return h;
}

int TCategoryPanelGroup::VertScrollPos() const { return d_->area->verticalScrollBar()->value(); }

void TCategoryPanelGroup::SetVertScrollPos(int pos) { d_->area->verticalScrollBar()->setValue(pos); }

int TCategoryPanelGroup::VertScrollIncrement() const { return kLineIncrement; }

void TCategoryPanelGroup::VScroll(int code)
{
    QScrollBar* bar = d_->area->verticalScrollBar();
    switch (code) {
    case SB_LINEUP: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case SB_LINEDOWN: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case SB_PAGEUP: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case SB_PAGEDOWN: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case SB_TOP: bar->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case SB_BOTTOM: bar->triggerAction(QAbstractSlider::SliderToMaximum); break;
    default: break; // SB_ENDSCROLL and others: nothing moves
    }
}

QWidget* TCategoryPanelGroup::Widget() const { return d_->area; }

void TCategoryPanelGroup::MoveInStack(TCategoryPanel* panel, int top)
{
    auto& st = d_->stack;
    st.erase(std::remove(st.begin(), st.end(), panel), st.end());
    auto pos = st.end();
    for (auto it = st.begin(); it != st.end(); ++it) {
        if ((*it)->d_->visible && (*it)->d_->top >= top) {
            pos = it;
            break;
        }
    }
    st.insert(pos, panel);
    panel->d_->top = top;
    Restack();
}

void TCategoryPanelGroup::Restack()
{
    const int width = d_->area->viewport()->width();
    int y = 0;
    for (auto* p : d_->stack) {
        if (!p->d_->visible) continue;
        const int h = p->Height();
        p->d_->top = y;
        PanelWidget* w = p->d_->widget;
        w->setGeometry(0, y, width, h);
        w->body->setGeometry(0, d_->headerHeight, width,
                             std::max(p->d_->expandedHeight - d_->headerHeight, 0));
        y += h;
    }
    d_->content->resize(width, y);
    QScrollBar* bar = d_->area->verticalScrollBar();
    bar->setPageStep(std::max(d_->area->viewport()->height(), 1));
}

int WheelScrollLines() { return QApplication::wheelScrollLines(); }

void SetWheelScrollLines(int lines) { QApplication::setWheelScrollLines(lines); }
