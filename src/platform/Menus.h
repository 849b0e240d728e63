#pragma once
// Pop-up menus tracked at a screen point (TrackPopupMenu): the menu shows
// its entries, waits for the user's choice and answers the command
// identifier of the chosen entry (entries are numbered 1..n in list order),
// 0 when the menu was dismissed. Tests answer through the handler seam.

#include "platform/ClassBase.h"

#include <functional>
#include <string>
#include <vector>

class TControl;

// Shows the entries with the menu's top-left corner at the screen point;
// owner is the control the menu belongs to.
int TrackPopupMenu(const std::vector<std::string>& entries, TPoint screenPos, TControl* owner);

// While set, TrackPopupMenu shows nothing and answers what the handler
// returns. Returns the previous handler (empty: the real menu).
using TPopupMenuHandler = std::function<int(const std::vector<std::string>& entries, TPoint screenPos)>;
TPopupMenuHandler SetPopupMenuHandler(TPopupMenuHandler handler);

// An entry of a menu with separators and entries that cannot be chosen;
// the caption "-" is a separator line.
struct TMenuEntry {
    std::string Caption;
    bool Enabled = true;
};
// As above; the handler gets the captions, and its choice of a separator or
// of a disabled entry counts as dismissing the menu (0).
int TrackPopupMenu(const std::vector<TMenuEntry>& entries, TPoint screenPos, TControl* owner);
// The entries of the last menu tracked with TMenuEntry (what it offered).
const std::vector<TMenuEntry>& LastPopupMenu();
