#pragma once
// Keyboard and mouse vocabulary of the class library (shift states, mouse
// buttons, virtual-key codes, cursors, window messages) and the seams for
// the platform's asynchronous key state, beep and screen cursor, so that
// input code runs and is tested without a window system.

#include "platform/ClassBase.h"

#include <cstdint>
#include <functional>
#include <string>

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A character of a key press (UTF-16 code unit, as the class library's Char).
using TKeyChar = char16_t;

// Virtual-key codes (the platform's numbers).
constexpr int VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23;
constexpr int VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28;
constexpr int VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E;
constexpr int VK_HELP = 0x2F, VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D;
constexpr int VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C;
constexpr int VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75;
constexpr int VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B;
constexpr int VK_NUMLOCK = 0x90, VK_SCROLL = 0x91;
constexpr int VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD;
constexpr int VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB;
constexpr int VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;
// Letters and digits are their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).

// --- seams ------------------------------------------------------------------------

// The asynchronous key state: negative (high bit set) while the key is down.
// The default answers from the window system's current modifiers and mouse
// buttons; tests install their own.
using TKeyStateSource = std::function<short(int vk)>;
short GetAsyncKeyState(int vk);
short GetKeyState(int vk);
// Installs a source (an empty function restores the default); returns the
// previous one.
TKeyStateSource SetKeyStateSource(TKeyStateSource source);

// The platform's beep. Tests count beeps with SetBeepHandler.
void Beep();
std::function<void()> SetBeepHandler(std::function<void()> handler);

// Cursors: the class library's numbers (crDefault 0, crArrow -2 ...);
// positive numbers are the program's own cursors.
using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4;
constexpr TCursor crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10;
constexpr TCursor crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15;
constexpr TCursor crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20;
constexpr TCursor crHandPoint = -21, crSizeAll = -22;

// The screen cursor (the class library's Screen.Cursor): crDefault lets
// each window show its own.
TCursor ScreenCursor();
void SetScreenCursor(TCursor c);

// --- window messages ----------------------------------------------------------------

// A message for a window: the platform's message number and two parameters.
struct TMessage {
    unsigned Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

constexpr unsigned WM_USER = 0x0400;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
// Mouse messages: LParam holds the client point (x in the low word, y in
// the high word, each signed 16 bits).
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;

// A message number unique to `name` for this process (0xC000 and above);
// the same name always gives the same number.
unsigned RegisterWindowMessage(const std::string& name);
