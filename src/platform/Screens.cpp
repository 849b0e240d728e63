#include "platform/Screens.h"

#include "platform/Controls.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <climits>

namespace {
TWorkAreaSource g_workArea;
TCursorPosSource g_cursorPos;

TRect PlatformWorkArea(TPoint p)
{
    const QPoint q(p.X, p.Y);
    QScreen* best = QGuiApplication::screenAt(q);
    if (!best) {
        // The nearest screen: the one whose area lies closest to the point.
        long long bestDistance = LLONG_MAX;
        for (QScreen* s : QGuiApplication::screens()) {
            const QRect g = s->geometry();
            const long long dx = q.x() < g.left() ? g.left() - q.x() : q.x() > g.right() ? q.x() - g.right() : 0;
            const long long dy = q.y() < g.top() ? g.top() - q.y() : q.y() > g.bottom() ? q.y() - g.bottom() : 0;
            if (dx * dx + dy * dy < bestDistance) {
                bestDistance = dx * dx + dy * dy;
                best = s;
            }
        }
    }
    if (!best) best = QGuiApplication::primaryScreen();
    if (!best) return {};
    const QRect a = best->availableGeometry();
    return Rect(a.left(), a.top(), a.left() + a.width(), a.top() + a.height());
}
} // namespace

TRect ScreenWorkAreaAt(TPoint p) { return g_workArea ? g_workArea(p) : PlatformWorkArea(p); }

TWorkAreaSource SetWorkAreaSource(TWorkAreaSource source)
{
    TWorkAreaSource old = std::move(g_workArea);
    g_workArea = std::move(source);
    return old;
}

TPoint GetCursorPos()
{
    if (g_cursorPos) return g_cursorPos();
    const QPoint q = QCursor::pos();
    return {q.x(), q.y()};
}

TCursorPosSource SetCursorPosSource(TCursorPosSource source)
{
    TCursorPosSource old = std::move(g_cursorPos);
    g_cursorPos = std::move(source);
    return old;
}

TPoint ControlToScreen(const TControl& control, TPoint p)
{
    const QPoint q = control.Widget()->mapToGlobal(QPoint(p.X, p.Y));
    return {q.x(), q.y()};
}

TPoint ScreenToControl(const TControl& control, TPoint p)
{
    const QPoint q = control.Widget()->mapFromGlobal(QPoint(p.X, p.Y));
    return {q.x(), q.y()};
}
