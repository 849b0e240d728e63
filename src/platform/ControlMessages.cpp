#include "platform/ControlMessages.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

int QtKeyOf(int vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
    if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return Qt::Key_0 + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_DECIMAL: return Qt::Key_Period;
    default: return 0;
    }
}

Qt::KeyboardModifiers ModsOf(TShiftState s, int vk)
{
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    if (vk == VK_DECIMAL || (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)) m |= Qt::KeypadModifier;
    return m;
}

// The widget that gets the control's keys (a compound control hands them
// to its focus proxy).
QWidget* KeyWidget(TControl& c)
{
    QWidget* w = c.Widget();
    while (w->focusProxy()) w = w->focusProxy();
    return w;
}

} // namespace

void PostToControl(TControl& c, std::function<void()> fn)
{
    // A queued call keeps its place among the posted events.
    QMetaObject::invokeMethod(c.Widget(), std::move(fn), Qt::QueuedConnection);
}

void PostKeyDown(TControl& c, int vk, TShiftState shift)
{
    QApplication::postEvent(KeyWidget(c), new QKeyEvent(QEvent::KeyPress, QtKeyOf(vk), ModsOf(shift, vk)));
}

void PostKeyUp(TControl& c, int vk, TShiftState shift)
{
    QApplication::postEvent(KeyWidget(c), new QKeyEvent(QEvent::KeyRelease, QtKeyOf(vk), ModsOf(shift, vk)));
}

void PostChar(TControl& c, char32_t ch)
{
    QApplication::postEvent(KeyWidget(c), new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&ch, 1)));
}

void SendCharTo(TControl& c, char32_t ch)
{
    QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&ch, 1));
    QApplication::sendEvent(KeyWidget(c), &e);
}

void SendKeyDownTo(TControl& c, int vk, TShiftState shift)
{
    QKeyEvent e(QEvent::KeyPress, QtKeyOf(vk), ModsOf(shift, vk));
    QApplication::sendEvent(KeyWidget(c), &e);
}

void SendKeyUpTo(TControl& c, int vk, TShiftState shift)
{
    QKeyEvent e(QEvent::KeyRelease, QtKeyOf(vk), ModsOf(shift, vk));
    QApplication::sendEvent(KeyWidget(c), &e);
}

bool WindowIsActive(const TControl& c) { return c.Widget()->window()->isActiveWindow(); }

TPoint CursorClientPos(const TControl& c)
{
    const QPoint p = c.Widget()->mapFromGlobal(QCursor::pos());
    return {p.x(), p.y()};
}

void SetTakesFocusOnClick(TControl& c, bool v)
{
    QWidget* w = c.Widget();
    if (v) w->setFocusPolicy(c.TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
    else if (!c.TabStop()) w->setFocusPolicy(Qt::NoFocus);
}
