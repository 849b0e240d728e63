#include "platform/ControlInput.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
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
    default: break;
    }
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
    if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
    return 0;
}

void SendMouse(TControl& c, QEvent::Type t, int x, int y, TMouseButton b)
{
    QWidget* w = c.Widget();
    const QPointF local(x, y);
    const QPointF global = w->mapToGlobal(local.toPoint());
    const Qt::MouseButton qb = QtButton(b);
    QMouseEvent e(t, local, global, qb, t == QEvent::MouseButtonRelease ? Qt::NoButton : qb, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

void SendMouseDown(TControl& c, int x, int y, TMouseButton b) { SendMouse(c, QEvent::MouseButtonPress, x, y, b); }
void SendMouseUp(TControl& c, int x, int y, TMouseButton b) { SendMouse(c, QEvent::MouseButtonRelease, x, y, b); }

void SendClick(TControl& c, int x, int y)
{
    SendMouseDown(c, x, y);
    SendMouseUp(c, x, y);
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

void SendKeyDown(TControl& c, int vk, TShiftState s, const std::string& text)
{
    QKeyEvent e(QEvent::KeyPress, QtKey(vk), Mods(s), QString::fromStdString(text));
    // A key the control does not take goes on to its parents and window.
    QApplication::sendEvent(c.Widget(), &e);
}

void SendKeyUp(TControl& c, int vk, TShiftState s)
{
    QKeyEvent e(QEvent::KeyRelease, QtKey(vk), Mods(s));
    QApplication::sendEvent(c.Widget(), &e);
}

void ActivateWindowOf(TControl& c)
{
    QWidget* w = c.Widget()->window();
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
}
