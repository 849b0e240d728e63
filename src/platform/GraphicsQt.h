#pragma once
// Conversions between the drawing types and the platform's (Qt) types.
// For the platform layer's own .cpp files only: never include this from a
// header that code outside src/platform/ reaches.

#include "platform/Graphics.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRegion>

QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
QFont ToQFont(const TFont& f);

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }
inline TRect FromQRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

struct TRegion::Impl {
    QRegion rgn;
};
