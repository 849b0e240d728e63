#pragma once
// The screens and the pointer: the work area of the screen holding a point,
// a control's place on the screen, and the pointer's position. The work
// area and the pointer are seams, so tests place windows on screens of
// their own and put the pointer where they say.

#include "platform/ClassBase.h"

#include <functional>

class TControl;

// The available area (without task bars and docks) of the screen that holds
// p, of the nearest screen when none does, of the primary screen when
// there are no screens to ask: an empty rectangle.
TRect ScreenWorkAreaAt(TPoint p);
using TWorkAreaSource = std::function<TRect(TPoint p)>;
// Installs a source (an empty function restores the platform's); returns
// the previous one.
TWorkAreaSource SetWorkAreaSource(TWorkAreaSource source);

// The pointer's position in screen coordinates.
TPoint GetCursorPos();
using TCursorPosSource = std::function<TPoint()>;
TCursorPosSource SetCursorPosSource(TCursorPosSource source);

// A point of the control's client area on the screen, and back.
TPoint ControlToScreen(const TControl& control, TPoint p);
TPoint ScreenToControl(const TControl& control, TPoint p);
