#pragma once
// Pop-up windows: frameless top-level windows that never become the active
// window (drag arrows, focus frames, floating pictures), their shape,
// opacity and mouse transparency, and the hook that hears every move and
// resize of the program's top-level windows.

#include "platform/Controls.h"

#include <functional>

enum TPopupStyle : unsigned {
    psStayOnTop = 1, // above the other windows
    psDisabled = 2,  // takes no mouse or key input
    psToolWindow = 4 // no task-bar entry
};

// Turns the control's window into a frameless pop-up (owned by the window
// of its parent when it has one) that is shown without being activated and
// never takes the focus. Its Left and Top are then screen coordinates.
void MakePopupWindow(TControl& c, unsigned style);
bool IsPopupWindow(const TControl& c);
// The window system's active window is c's window.
bool IsActiveWindow(const TControl& c);

// Mouse input passes through the window to what lies below it.
void SetWindowTransparent(TControl& c);
bool IsWindowTransparent(const TControl& c);

// Only the region (window coordinates) of the window is visible and takes
// the mouse.
void SetWindowRegion(TControl& c, const TRegion& region);
// The region set, or the whole window when none.
TRegion WindowRegion(const TControl& c);

// Opacity of a top-level window, 0 (invisible) to 255 (opaque).
void SetWindowAlpha(TControl& c, int alpha);
int WindowAlpha(const TControl& c);

// Calls fn after every move and every resize of a top-level window of the
// program. Returns a key for RemoveWindowPosHook.
int InstallWindowPosHook(std::function<void()> fn);
void RemoveWindowPosHook(int key);
int WindowPosHookCount();

// --- activating pop-ups ----------------------------------------------------------
//
// A frameless top-level window that stays above the other windows and
// belongs to the window of its owner (it stays above that window without
// being its child), and that becomes the active window when shown: the
// pop-ups of the drop-down controls. While it shows, a mouse press on
// another window of the program makes that window the active one, as the
// window system's press does.

// Turns the control (a control without a parent) into such a pop-up;
// owner: the control whose window it belongs to (may be null).
void MakeActivePopupWindow(TControl& popup, TControl* owner);
// Shows the pop-up at the screen rectangle, makes it the active window and
// gives it the focus.
void ShowActivePopup(TControl& popup, const TRect& screenBounds);
// Hides the pop-up; when it was the active window, the owner's window
// becomes the active one again. The deactivation handler does not run.
void HideActivePopup(TControl& popup);
// Runs when another window becomes the active one while the pop-up shows:
// insideActivated tells whether that window belongs to the pop-up (the
// pop-up itself or a window it owns).
void SetPopupDeactivateHandler(TControl& popup, std::function<void(bool insideActivated)> handler);
