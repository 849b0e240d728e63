#pragma once
// Input as the user gives it, sent through the platform's event path to a
// control (mouse buttons, pointer entering and leaving, keys). For tests and
// for code that replays user actions.

#include "platform/Controls.h"

void SendMouseDown(TControl& c, int x, int y, TMouseButton button = mbLeft);
void SendMouseUp(TControl& c, int x, int y, TMouseButton button = mbLeft);
// The pointer moved to (x, y), with the left button held when held is set.
void SendMouseMove(TControl& c, int x, int y, bool held = true);
// Press and release at (x, y).
void SendClick(TControl& c, int x, int y);
// A turn of the wheel over (x, y): delta 120 a notch away from the user,
// negative towards the user.
void SendMouseWheel(TControl& c, int delta, int x = 1, int y = 1);
void SendMouseEnter(TControl& c);
void SendMouseLeave(TControl& c);
// A key down and/or up with the virtual key code; text is the character it types.
void SendKeyDown(TControl& c, int virtualKey, TShiftState shift = {}, const std::string& text = "");
void SendKeyUp(TControl& c, int virtualKey, TShiftState shift = {});
// One repeat of a held key, as some window systems send it: a repeated
// key-up followed by a repeated key-down.
void SendKeyRepeat(TControl& c, int virtualKey, TShiftState shift = {});
// A mouse press then a release on item i of the list, where the window
// system delivers them (the list's item area).
void SendClickItem(TListBox& list, int item);
// The close box of the control's window, as the window manager sends it.
void SendCloseBox(TControl& window);
// Makes the control's window the active one (so focus changes take effect).
void ActivateWindowOf(TControl& c);

// Keys as a person presses them on the window of c: each goes to whatever
// control has the focus at that moment (a key that moves the focus sends
// the next one elsewhere), a key down then a key up as separate events.
void PressKey(TControl& window, int virtualKey, TShiftState shift = {}, const std::string& text = "");
// Types text character by character, as PressKey does.
void TypeKeys(TControl& window, const std::string& text);
// The control of c's window that has the keyboard focus (null when none).
TControl* FocusedControl(TControl& window);

// Mouse on a tree's items: positions are in the item area's client pixels
// (TTreeView::DisplayRect, CheckBoxRect).
class TTreeView;
void SendMouseDown(TTreeView& t, int x, int y, TMouseButton button = mbLeft);
void SendMouseUp(TTreeView& t, int x, int y, TMouseButton button = mbLeft);
// Press and release at (x, y).
void SendClick(TTreeView& t, int x, int y, TMouseButton button = mbLeft);
// A double click as the window system delivers it: press, release, the
// double-click press, release.
void SendDblClick(TTreeView& t, int x, int y);

// Mouse and keys on a grid's window: mouse positions are in the cell
// area's client pixels, keys go to the grid.
// shift: the keys held (ssShift, ssCtrl, ssAlt) with the event.
class TGridView;
void SendMouseDown(TGridView& v, int x, int y, TMouseButton button = mbLeft, TShiftState shift = {});
void SendMouseUp(TGridView& v, int x, int y, TMouseButton button = mbLeft, TShiftState shift = {});
// The pointer moved to (x, y) with the buttons (ssLeft, ssRight) and keys of
// held.
void SendMouseMove(TGridView& v, int x, int y, TShiftState held);
// Press and release at (x, y).
void SendClick(TGridView& v, int x, int y, TShiftState shift = {});
// A double click as the window system delivers it: press, release, the
// double-click press, release.
void SendDblClick(TGridView& v, int x, int y, TShiftState shift = {});
// The pointer left the cell area.
void SendMouseLeave(TGridView& v);
// The pointer rests at (x, y) long enough for a hint (the window system's
// tool-tip request).
void SendHintRequest(TGridView& v, int x, int y);
void SendKeyDown(TGridView& v, int virtualKey, TShiftState shift = {}, const std::string& text = "");
void SendKeyUp(TGridView& v, int virtualKey, TShiftState shift = {});
// A turn of the wheel over the cell area (delta as above).
void SendMouseWheel(TGridView& v, int delta, int x = 1, int y = 1, TShiftState shift = {});
// Presses the mouse on the thumb of the grid's vertical (or horizontal)
// scroll bar, drags it by Pixels along the bar in Steps moves, and releases
// it unless Release is false (then ReleaseScrollThumb does).
void DragScrollThumb(TGridView& v, bool vertical, int pixels, int steps = 4, bool release = true);
void ReleaseScrollThumb(TGridView& v, bool vertical);
// A scroll bar of a grid's window as it stands: range, page, position,
// shown and enabled, and its thumb's and track's lengths in pixels.
struct TScrollBarState {
    int Min = 0, Max = 0, Page = 0, Pos = 0;
    bool Visible = false, Enabled = false;
    int ThumbLength = 0, TrackLength = 0;
};
TScrollBarState ScrollBarStateOf(TGridView& v, bool vertical);
// The strip along the bottom of a grid's window (its floating footer), in
// the strip's own pixels: a press then a release, a movement of the
// pointer, the pointer resting for a hint, the pointer leaving.
void SendStripClick(TGridView& v, int x, int y, TMouseButton button = mbLeft);
void SendStripMouseMove(TGridView& v, int x, int y);
void SendStripHintRequest(TGridView& v, int x, int y);
void SendStripMouseLeave(TGridView& v);
// Where the last DragScrollThumb left the pointer (screen coordinates).
TPoint ScrollThumbDragPoint(TGridView& v, bool vertical);
