#pragma once
// Messages posted to a control's window: they run from the event loop after
// the message being handled now, in the order posted, and are dropped when
// the control is destroyed first (the class library's PostMessage to a
// control's handle).

#include "platform/Controls.h"

#include <functional>

// Runs fn when the posted message arrives.
void PostToControl(TControl& c, std::function<void()> fn);
// Posts a key-down of the virtual key to the window of c that takes its
// keys (no key-up follows, as with a posted WM_KEYDOWN).
void PostKeyDown(TControl& c, int virtualKey, TShiftState shift = {});
// Posts a key-up of the virtual key to that window (WM_KEYUP).
void PostKeyUp(TControl& c, int virtualKey, TShiftState shift = {});
// Posts a typed character (WM_CHAR) to that window: it reaches the
// control's KeyPress and is then typed, with no key-down before it.
void PostChar(TControl& c, char32_t ch);
// Sends a typed character to that window now: it reaches the control's
// KeyPress and is typed before any input still waiting in the queue.
void SendCharTo(TControl& c, char32_t ch);
// Sends a key-down / key-up to that window now, through the platform's
// event path (SendMessage of WM_KEYDOWN / WM_KEYUP).
void SendKeyDownTo(TControl& c, int virtualKey, TShiftState shift = {});
void SendKeyUpTo(TControl& c, int virtualKey, TShiftState shift = {});

// True when the window the control is on is the active window.
bool WindowIsActive(const TControl& c);
// The mouse pointer's position in the control's client coordinates.
TPoint CursorClientPos(const TControl& c);
// Whether a click gives the control the focus (a control that is no tab
// stop and should leave the focus where it is answers false).
void SetTakesFocusOnClick(TControl& c, bool v);
