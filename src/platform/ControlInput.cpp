#include "platform/ControlInput.h"
#include "platform/ScrollBoxInput.h"

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/GridView.h"
#include "platform/ScrollBox.h"
#include "platform/TreeView.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QListWidget>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <QWidget>

namespace {
Qt::MouseButton QtButton(TMouseButton b)
{
    return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

Qt::KeyboardModifiers Mods(TShiftState s)
{
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

// Keys of the numeric keypad carry the keypad flag.
Qt::KeyboardModifiers KeyMods(TShiftState s, int vk)
{
    Qt::KeyboardModifiers m = Mods(s);
    if (vk == VK_DECIMAL) m |= Qt::KeypadModifier;
    return m;
}

int QtKey(int vk)
{
    switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_OEM_PERIOD: return Qt::Key_Period;
    case VK_OEM_COMMA: return Qt::Key_Comma;
    case VK_OEM_MINUS: return Qt::Key_Minus;
    default: break;
    }
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
    if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
    return 0;
}

void SendMouseTo(QWidget* w, QEvent::Type t, int x, int y, TMouseButton b, TShiftState shift = {})
{
    const QPointF local(x, y);
    const QPointF global = w->mapToGlobal(local.toPoint());
    const Qt::MouseButton qb = QtButton(b);
    QMouseEvent e(t, local, global, qb, t == QEvent::MouseButtonRelease ? Qt::NoButton : qb, Mods(shift));
    // A press gives the focus to the first control from here outwards that
    // takes the focus on a click, as the window system's press does.
    if (t == QEvent::MouseButtonPress)
        for (QWidget* f = w; f; f = f->parentWidget()) {
            if (f->isEnabled() && (f->focusPolicy() & Qt::ClickFocus)) {
                f->setFocus(Qt::MouseFocusReason);
                break;
            }
            if (f->isWindow()) break;
        }
    QApplication::sendEvent(w, &e);
}

void SendMouse(TControl& c, QEvent::Type t, int x, int y, TMouseButton b) { SendMouseTo(c.Widget(), t, x, y, b); }
} // namespace

void SendMouseDown(TControl& c, int x, int y, TMouseButton b) { SendMouse(c, QEvent::MouseButtonPress, x, y, b); }
void SendMouseUp(TControl& c, int x, int y, TMouseButton b) { SendMouse(c, QEvent::MouseButtonRelease, x, y, b); }

void SendMouseDown(TTreeView& t, int x, int y, TMouseButton b)
{
    SendMouseTo(t.ItemArea(), QEvent::MouseButtonPress, x, y, b);
}

void SendMouseUp(TTreeView& t, int x, int y, TMouseButton b)
{
    SendMouseTo(t.ItemArea(), QEvent::MouseButtonRelease, x, y, b);
}

void SendClick(TTreeView& t, int x, int y, TMouseButton b)
{
    SendMouseDown(t, x, y, b);
    SendMouseUp(t, x, y, b);
}

void SendDblClick(TTreeView& t, int x, int y)
{
    SendClick(t, x, y);
    SendMouseTo(t.ItemArea(), QEvent::MouseButtonDblClick, x, y, mbLeft);
    SendMouseUp(t, x, y);
}

void SendMouseMove(TControl& c, int x, int y, bool held)
{
    QWidget* w = c.Widget();
    const QPointF local(x, y);
    const Qt::MouseButtons bs = held ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons(Qt::NoButton);
    QMouseEvent e(QEvent::MouseMove, local, w->mapToGlobal(local.toPoint()), Qt::NoButton, bs, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void SendClick(TControl& c, int x, int y)
{
    SendMouseDown(c, x, y);
    SendMouseUp(c, x, y);
}

void SendMouseWheel(TControl& c, int delta, int x, int y)
{
    QWidget* w = c.Widget();
    QPointF local(x, y);
    const QPointF global = w->mapToGlobal(local);
    // As the window system delivers it: a widget that leaves the turn to
    // others hands it on to its parent, up to its window.
    while (w) {
        QWheelEvent e(local, global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(w, &e);
        if (e.isAccepted() || w->isWindow()) break;
        local += QPointF(w->pos());
        w = w->parentWidget();
    }
}

void SendMouseEnter(TControl& c)
{
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), c.Widget()->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(c.Widget(), &e);
}

void SendMouseLeave(TControl& c)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(c.Widget(), &e);
}

// The widget of a control that takes its keys (a compound control's focus proxy).
static QWidget* KeyWidgetOf(TControl& c)
{
    QWidget* w = c.Widget();
    while (w->focusProxy()) w = w->focusProxy();
    return w;
}

void SendKeyDown(TControl& c, int vk, TShiftState s, const std::string& text)
{
    QKeyEvent e(QEvent::KeyPress, QtKey(vk), KeyMods(s, vk), QString::fromStdString(text));
    // A key the control does not take goes on to its parents and window.
    QApplication::sendEvent(KeyWidgetOf(c), &e);
}

void SendKeyUp(TControl& c, int vk, TShiftState s)
{
    QKeyEvent e(QEvent::KeyRelease, QtKey(vk), KeyMods(s, vk));
    QApplication::sendEvent(KeyWidgetOf(c), &e);
}

void SendKeyRepeat(TControl& c, int vk, TShiftState s)
{
    QKeyEvent up(QEvent::KeyRelease, QtKey(vk), Mods(s), QString(), true);
    QApplication::sendEvent(c.Widget(), &up);
    QKeyEvent down(QEvent::KeyPress, QtKey(vk), Mods(s), QString(), true);
    QApplication::sendEvent(c.Widget(), &down);
}

void SendClickItem(TListBox& list, int item)
{
    auto* view = static_cast<QListWidget*>(list.Widget());
    if (item < 0 || item >= view->count()) RaiseListIndexError(item);
    QWidget* area = view->viewport();
    const QPoint p = view->visualItemRect(view->item(item)).center();
    const QPointF global = area->mapToGlobal(QPointF(p));
    view->setFocus(Qt::MouseFocusReason);
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(p), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(p), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(area, &up);
}

void SendCloseBox(TControl& window)
{
    QCloseEvent e;
    QApplication::sendEvent(window.Widget()->window(), &e);
}

void ActivateWindowOf(TControl& c)
{
    QWidget* w = c.Widget()->window();
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
}

namespace {
// The widget of the window that gets the keys now.
QWidget* KeyTarget(TControl& window)
{
    QWidget* top = window.Widget()->window();
    QWidget* w = QApplication::focusWidget();
    if (!w || w->window() != top) w = top->focusWidget();
    return w ? w : top;
}
} // namespace

void PressKey(TControl& window, int vk, TShiftState s, const std::string& text)
{
    const QString t = QString::fromStdString(text);
    QKeyEvent down(QEvent::KeyPress, QtKey(vk), KeyMods(s, vk), t);
    QApplication::sendEvent(KeyTarget(window), &down);
    // The key-up goes where the focus is after the key-down.
    QKeyEvent up(QEvent::KeyRelease, QtKey(vk), KeyMods(s, vk), t);
    QApplication::sendEvent(KeyTarget(window), &up);
}

void TypeKeys(TControl& window, const std::string& text)
{
    for (char32_t c : QString::fromStdString(text).toUcs4()) {
        // Printable ASCII keys carry the upper-case code of their character.
        int vk = 0;
        if (c >= 'a' && c <= 'z') vk = static_cast<int>(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') vk = static_cast<int>(c);
        else if (c == '.') vk = VK_OEM_PERIOD;
        else if (c == ',') vk = VK_OEM_COMMA;
        else if (c == '-') vk = VK_OEM_MINUS;
        const std::string one = QString::fromUcs4(&c, 1).toStdString();
        TShiftState s;
        if (c >= 'A' && c <= 'Z') s += ssShift;
        PressKey(window, vk, s, one);
    }
}

TControl* FocusedControl(TControl& window)
{
    TForm* form = window.ParentForm();
    return form ? form->ActiveControl() : nullptr;
}

void SendMouseDown(TGridView& v, int x, int y, TMouseButton b, TShiftState shift)
{
    SendMouseTo(v.Viewport(), QEvent::MouseButtonPress, x, y, b, shift);
}

void SendMouseUp(TGridView& v, int x, int y, TMouseButton b, TShiftState shift)
{
    SendMouseTo(v.Viewport(), QEvent::MouseButtonRelease, x, y, b, shift);
}

void SendMouseMove(TGridView& v, int x, int y, TShiftState held)
{
    QWidget* w = v.Viewport();
    const QPointF local(x, y);
    Qt::MouseButtons bs;
    if (held.Contains(ssLeft)) bs |= Qt::LeftButton;
    if (held.Contains(ssRight)) bs |= Qt::RightButton;
    if (held.Contains(ssMiddle)) bs |= Qt::MiddleButton;
    QMouseEvent e(QEvent::MouseMove, local, w->mapToGlobal(local.toPoint()), Qt::NoButton, bs, Mods(held));
    QApplication::sendEvent(w, &e);
}

void SendClick(TGridView& v, int x, int y, TShiftState shift)
{
    SendMouseDown(v, x, y, mbLeft, shift);
    SendMouseUp(v, x, y, mbLeft, shift);
}

void SendDblClick(TGridView& v, int x, int y, TShiftState shift)
{
    SendClick(v, x, y, shift);
    SendMouseTo(v.Viewport(), QEvent::MouseButtonDblClick, x, y, mbLeft, shift);
    SendMouseUp(v, x, y, mbLeft, shift);
}

void SendMouseLeave(TGridView& v)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(v.Viewport(), &e);
}

void SendHintRequest(TGridView& v, int x, int y)
{
    QWidget* w = v.Viewport();
    const QPoint local(x, y);
    QHelpEvent e(QEvent::ToolTip, local, w->mapToGlobal(local));
    QApplication::sendEvent(w, &e);
}

void SendKeyDown(TGridView& v, int vk, TShiftState s, const std::string& text)
{
    QKeyEvent e(QEvent::KeyPress, QtKey(vk), Mods(s), QString::fromStdString(text));
    QApplication::sendEvent(v.Widget(), &e);
}

void SendKeyUp(TGridView& v, int vk, TShiftState s)
{
    QKeyEvent e(QEvent::KeyRelease, QtKey(vk), Mods(s));
    QApplication::sendEvent(v.Widget(), &e);
}

void SendMouseWheel(TGridView& v, int delta, int x, int y, TShiftState shift)
{
    QWidget* w = v.Viewport();
    const QPointF local(x, y);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Mods(shift),
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

namespace {

QScrollBar* BarOf(TGridView& v, bool vertical)
{
    auto* area = static_cast<QAbstractScrollArea*>(v.Widget());
    return vertical ? area->verticalScrollBar() : area->horizontalScrollBar();
}

QStyleOptionSlider BarOption(QScrollBar* bar);

// The thumb's rectangle in the bar's own pixels.
QRect ThumbRect(QScrollBar* bar)
{
    QStyleOptionSlider opt = BarOption(bar);
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
}

// The thumb's centre in the bar's own pixels.
QPoint ThumbCentre(QScrollBar* bar) { return ThumbRect(bar).center(); }

QStyleOptionSlider BarOption(QScrollBar* bar)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal) opt.state |= QStyle::State_Horizontal;
    return opt;
}

void SendBarMouse(QScrollBar* bar, QEvent::Type t, QPoint p)
{
    const Qt::MouseButton b = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(t, QPointF(p), bar->mapToGlobal(QPointF(p)), Qt::LeftButton, b, Qt::NoModifier);
    QApplication::sendEvent(bar, &e);
}

QPoint dragPoint;

} // namespace

namespace {

void DragBarThumb(QScrollBar* bar, bool vertical, int pixels, int steps)
{
    QPoint p = ThumbCentre(bar);
    SendBarMouse(bar, QEvent::MouseButtonPress, p);
    const QPoint start = p;
    for (int i = 1; i <= std::max(1, steps); ++i) {
        const int d = pixels * i / std::max(1, steps);
        p = vertical ? QPoint(start.x(), start.y() + d) : QPoint(start.x() + d, start.y());
        SendBarMouse(bar, QEvent::MouseMove, p);
    }
    dragPoint = p;
}

} // namespace

void DragScrollThumb(TGridView& v, bool vertical, int pixels, int steps, bool release)
{
    DragBarThumb(BarOf(v, vertical), vertical, pixels, steps);
    if (release) ReleaseScrollThumb(v, vertical);
}

void DragScrollThumb(TScrollingWinControl& c, int pixels, int steps, bool release)
{
    DragBarThumb(static_cast<QAbstractScrollArea*>(c.Widget())->verticalScrollBar(), true, pixels, steps);
    if (release) ReleaseScrollThumb(c);
}

void ReleaseScrollThumb(TScrollingWinControl& c)
{
    SendBarMouse(static_cast<QAbstractScrollArea*>(c.Widget())->verticalScrollBar(), QEvent::MouseButtonRelease,
                 dragPoint);
}

void ReleaseScrollThumb(TGridView& v, bool vertical)
{
    SendBarMouse(BarOf(v, vertical), QEvent::MouseButtonRelease, dragPoint);
}

TScrollBarState ScrollBarStateOf(TGridView& v, bool vertical)
{
    auto* area = static_cast<QAbstractScrollArea*>(v.Widget());
    QScrollBar* bar = BarOf(v, vertical);
    TScrollBarState st;
    st.Min = bar->minimum();
    st.Max = bar->maximum();
    st.Page = bar->pageStep();
    st.Pos = bar->value();
    st.Visible = (vertical ? area->verticalScrollBarPolicy() : area->horizontalScrollBarPolicy()) ==
                 Qt::ScrollBarAlwaysOn;
    st.Enabled = bar->isEnabled();
    QStyleOptionSlider opt = BarOption(bar);
    const QRect groove =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarGroove, bar);
    const QRect thumb = ThumbRect(bar);
    st.ThumbLength = vertical ? thumb.height() : thumb.width();
    st.TrackLength = vertical ? groove.height() : groove.width();
    return st;
}

TPoint ScrollThumbDragPoint(TGridView& v, bool vertical)
{
    const QPoint g = BarOf(v, vertical)->mapToGlobal(dragPoint);
    return {g.x(), g.y()};
}

// --- the strip along the bottom of a grid's window ----------------------------------------

void SendStripClick(TGridView& v, int x, int y, TMouseButton b)
{
    QWidget* w = v.BottomStrip();
    if (!w) return;
    SendMouseTo(w, QEvent::MouseButtonPress, x, y, b, {});
    SendMouseTo(w, QEvent::MouseButtonRelease, x, y, b, {});
}

void SendStripMouseMove(TGridView& v, int x, int y)
{
    QWidget* w = v.BottomStrip();
    if (!w) return;
    const QPointF local(x, y);
    QMouseEvent e(QEvent::MouseMove, local, w->mapToGlobal(local.toPoint()), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void SendStripHintRequest(TGridView& v, int x, int y)
{
    QWidget* w = v.BottomStrip();
    if (!w) return;
    const QPoint local(x, y);
    QHelpEvent e(QEvent::ToolTip, local, w->mapToGlobal(local));
    QApplication::sendEvent(w, &e);
}

void SendStripMouseLeave(TGridView& v)
{
    QWidget* w = v.BottomStrip();
    if (!w) return;
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}
