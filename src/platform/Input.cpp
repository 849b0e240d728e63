#include "platform/Input.h"

#include <QApplication>
#include <QGuiApplication>

#include <map>
#include <mutex>

namespace {
TKeyStateSource g_keyState;
std::function<void()> g_beep;
TCursor g_cursor = crDefault;

short DefaultKeyState(int vk)
{
    Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    Qt::MouseButtons b = QGuiApplication::mouseButtons();
    bool down = false;
    switch (vk) {
    case VK_SHIFT: down = m & Qt::ShiftModifier; break;
    case VK_CONTROL: down = m & Qt::ControlModifier; break;
    case VK_MENU: down = m & Qt::AltModifier; break;
    case VK_LBUTTON: down = b & Qt::LeftButton; break;
    case VK_RBUTTON: down = b & Qt::RightButton; break;
    case VK_MBUTTON: down = b & Qt::MiddleButton; break;
    default: break;
    }
    return down ? short(0x8000) : short(0);
}
}  // namespace

short GetAsyncKeyState(int vk) { return g_keyState ? g_keyState(vk) : DefaultKeyState(vk); }
short GetKeyState(int vk) { return GetAsyncKeyState(vk); }

TKeyStateSource SetKeyStateSource(TKeyStateSource source)
{
    TKeyStateSource old = std::move(g_keyState);
    g_keyState = std::move(source);
    return old;
}

void Beep()
{
    if (g_beep)
        g_beep();
    else
        QApplication::beep();
}

std::function<void()> SetBeepHandler(std::function<void()> handler)
{
    auto old = std::move(g_beep);
    g_beep = std::move(handler);
    return old;
}

TCursor ScreenCursor() { return g_cursor; }

void SetScreenCursor(TCursor c)
{
    if (c == g_cursor) return;
    g_cursor = c;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QApplication::restoreOverrideCursor();
    if (c == crDefault) return;
    Qt::CursorShape s = Qt::ArrowCursor;
    switch (c) {
    case crCross: s = Qt::CrossCursor; break;
    case crIBeam: s = Qt::IBeamCursor; break;
    case crSizeNESW: s = Qt::SizeBDiagCursor; break;
    case crSizeNS: case crVSplit: s = Qt::SizeVerCursor; break;
    case crSizeNWSE: s = Qt::SizeFDiagCursor; break;
    case crSizeWE: case crHSplit: s = Qt::SizeHorCursor; break;
    case crUpArrow: s = Qt::UpArrowCursor; break;
    case crHourGlass: case crSQLWait: s = Qt::WaitCursor; break;
    case crDrag: case crMultiDrag: s = Qt::DragMoveCursor; break;
    case crNoDrop: case crNo: s = Qt::ForbiddenCursor; break;
    case crAppStart: s = Qt::BusyCursor; break;
    case crHelp: s = Qt::WhatsThisCursor; break;
    case crHandPoint: s = Qt::PointingHandCursor; break;
    case crSizeAll: s = Qt::SizeAllCursor; break;
    case crNone: s = Qt::BlankCursor; break;
    default: break;
    }
    QApplication::setOverrideCursor(QCursor(s));
}

unsigned RegisterWindowMessage(const std::string& name)
{
    static std::mutex m;
    static std::map<std::string, unsigned> ids;
    std::lock_guard<std::mutex> lock(m);
    std::string key = UpperCase(name);
    auto it = ids.find(key);
    if (it != ids.end()) return it->second;
    unsigned id = 0xC000u + unsigned(ids.size());
    ids[key] = id;
    return id;
}
