#include "platform/PopupWindow.h"

#include "platform/EventGuard.h"
#include "platform/GraphicsQt.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

const char* const kTransparent = "zelWindowTransparent";
const char* const kRegion = "zelWindowRegion";

class WindowPosFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type t = event->type();
        if ((t == QEvent::Move || t == QEvent::Resize) && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && !running_) {
            running_ = true;
            // The hooks may install or remove hooks: run over a copy.
            const auto hooks = hooks_;
            for (const auto& hook : hooks) FromQt([&] { hook.second(); });
            running_ = false;
        }
        return false;
    }
    std::map<int, std::function<void()>> hooks_;
    int lastKey_ = 0;
    bool running_ = false;
};

WindowPosFilter* g_filter = nullptr;

} // namespace

void MakePopupWindow(TControl& c, unsigned style)
{
    QWidget* w = c.Widget();
    const QRect g = w->geometry();
    const bool shown = w->isVisible();
    // The tool-tip kind: window systems never activate it (a tool window
    // may be activated when shown, whatever it asks for).
    Qt::WindowFlags f = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    if (style & psStayOnTop) f |= Qt::WindowStaysOnTopHint;
    w->setWindowFlags(f);
    w->setAttribute(Qt::WA_ShowWithoutActivating, true);
    w->setFocusPolicy(Qt::NoFocus);
    if (style & psDisabled) c.SetEnabled(false);
    w->setGeometry(g);
    w->setVisible(shown && c.Visible());
}

bool IsPopupWindow(const TControl& c)
{
    const QWidget* w = c.Widget();
    return w->isWindow() && (w->windowFlags() & Qt::FramelessWindowHint) &&
           (w->windowFlags() & Qt::WindowDoesNotAcceptFocus);
}

bool IsActiveWindow(const TControl& c) { return QApplication::activeWindow() == c.Widget()->window(); }

void SetWindowTransparent(TControl& c)
{
    QWidget* w = c.Widget();
    w->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    if (w->isWindow()) {
        const bool shown = w->isVisible();
        w->setWindowFlag(Qt::WindowTransparentForInput, true);
        if (shown) w->show();
    }
    w->setProperty(kTransparent, true);
}

bool IsWindowTransparent(const TControl& c) { return c.Widget()->property(kTransparent).toBool(); }

void SetWindowRegion(TControl& c, const TRegion& region)
{
    c.Widget()->setMask(region.impl().rgn);
    c.Widget()->setProperty(kRegion, true);
}

TRegion WindowRegion(const TControl& c)
{
    if (!c.Widget()->property(kRegion).toBool()) return TRegion(Rect(0, 0, c.Width(), c.Height()));
    TRegion r;
    const_cast<TRegion::Impl&>(r.impl()).rgn = c.Widget()->mask();
    return r;
}

void SetWindowAlpha(TControl& c, int alpha)
{
    alpha = std::clamp(alpha, 0, 255);
    c.Widget()->setWindowOpacity(alpha / 255.0);
}

int WindowAlpha(const TControl& c) { return static_cast<int>(std::lround(c.Widget()->windowOpacity() * 255.0)); }

int InstallWindowPosHook(std::function<void()> fn)
{
    if (!g_filter) {
        g_filter = new WindowPosFilter;
        qApp->installEventFilter(g_filter);
    }
    const int key = ++g_filter->lastKey_;
    g_filter->hooks_[key] = std::move(fn);
    return key;
}

void RemoveWindowPosHook(int key)
{
    if (!g_filter) return;
    // The filter stays installed (a hook may remove itself while it runs).
    g_filter->hooks_.erase(key);
}

int WindowPosHookCount() { return g_filter ? static_cast<int>(g_filter->hooks_.size()) : 0; }

// --- activating pop-ups ----------------------------------------------------------------

namespace {

const char* const kActivePopup = "zelActivePopup";

bool BelongsTo(QWidget* w, QWidget* popup)
{
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (p == popup) return true;
        if (p->isWindow()) {
            // A window it owns (its transient parent chain leads to it).
            QWindow* h = p->windowHandle();
            for (QWindow* t = h ? h->transientParent() : nullptr; t; t = t->transientParent())
                if (popup->windowHandle() == t) return true;
        }
    }
    return false;
}

class ActivePopupFilter : public QObject {
public:
    ActivePopupFilter(QWidget* popup, QWidget* owner) : popup_(popup), owner_(owner) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == popup_ && event->type() == QEvent::WindowDeactivate && popup_->isVisible() && !hiding_) {
            QWidget* now = QApplication::activeWindow();
            const bool inside = now && BelongsTo(now, popup_);
            if (handler_) FromQt([&] { handler_(inside); });
            return false;
        }
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() && popup_->isVisible()) {
            QWidget* w = static_cast<QWidget*>(watched);
            if (!BelongsTo(w, popup_) && w->window() != QApplication::activeWindow())
                QApplication::setActiveWindow(w->window());
        }
        return false;
    }
    QWidget* popup_;
    QPointer<QWidget> owner_;
    std::function<void(bool)> handler_;
    bool hiding_ = false;
};

ActivePopupFilter* FilterOf(const TControl& popup)
{
    return popup.Widget()->property(kActivePopup).value<ActivePopupFilter*>();
}

} // namespace

Q_DECLARE_METATYPE(ActivePopupFilter*)

void MakeActivePopupWindow(TControl& popup, TControl* owner)
{
    QWidget* w = popup.Widget();
    w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating, false);
    w->setFocusPolicy(Qt::StrongFocus);
    auto* filter = new ActivePopupFilter(w, owner ? owner->Widget() : nullptr);
    filter->setParent(w);
    // Sees the pop-up's deactivation and the presses on the program's other
    // windows while it shows.
    qApp->installEventFilter(filter);
    w->setProperty(kActivePopup, QVariant::fromValue(filter));
}

void ShowActivePopup(TControl& popup, const TRect& r)
{
    QWidget* w = popup.Widget();
    ActivePopupFilter* f = FilterOf(popup);
    // Owned by the owner's window: it stays above it.
    if (f && f->owner_) {
        QWidget* ownerWindow = f->owner_->window();
        w->winId();
        ownerWindow->winId();
        if (QWindow* h = w->windowHandle()) h->setTransientParent(ownerWindow->windowHandle());
    }
    w->setGeometry(r.Left, r.Top, std::max(r.Right - r.Left, 0), std::max(r.Bottom - r.Top, 0));
    popup.SetVisible(true);
    w->raise();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    if (!w->isAncestorOf(QApplication::focusWidget())) w->setFocus(Qt::ActiveWindowFocusReason);
}

void HideActivePopup(TControl& popup)
{
    QWidget* w = popup.Widget();
    ActivePopupFilter* f = FilterOf(popup);
    const bool wasActive = QApplication::activeWindow() == w;
    if (f) f->hiding_ = true;
    popup.SetVisible(false);
    if (wasActive && f && f->owner_) {
        QWidget* ownerWindow = f->owner_->window();
        ownerWindow->activateWindow();
        QApplication::setActiveWindow(ownerWindow);
    }
    if (f) f->hiding_ = false;
}

void SetPopupDeactivateHandler(TControl& popup, std::function<void(bool)> handler)
{
    if (ActivePopupFilter* f = FilterOf(popup)) f->handler_ = std::move(handler);
}
