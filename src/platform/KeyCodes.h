#pragma once
// Key translation shared by the grid's window and the other controls: the
// platform's virtual key of a window-system key and the character a key
// press gives. Below both GridView and Controls, so neither includes the
// other for it.

#include "platform/Input.h"

#include <string>

// The platform's virtual key of a window-system key (Qt::Key value); keypad
// keys give the numeric-pad codes. 0 for keys without one.
int VirtualKeyFromQtKey(int qtKey, bool keypad);
// The character a key press gives to KeyPress, 0 for none: text is what the
// window system typed (UTF-16), used unless a control character applies.
TKeyChar KeyPressChar(int vk, TShiftState shift, const std::u16string& text);
