#pragma once
// Input as the user gives it, sent through the platform's event path to a
// control (mouse buttons, pointer entering and leaving, keys). For tests and
// for code that replays user actions.

#include "platform/Controls.h"

void SendMouseDown(TControl& c, int x, int y, TMouseButton button = mbLeft);
void SendMouseUp(TControl& c, int x, int y, TMouseButton button = mbLeft);
// Press and release at (x, y).
void SendClick(TControl& c, int x, int y);
void SendMouseEnter(TControl& c);
void SendMouseLeave(TControl& c);
// A key down and/or up with the virtual key code; text is the character it types.
void SendKeyDown(TControl& c, int virtualKey, TShiftState shift = {}, const std::string& text = "");
void SendKeyUp(TControl& c, int virtualKey, TShiftState shift = {});
// Makes the control's window the active one (so focus changes take effect).
void ActivateWindowOf(TControl& c);
