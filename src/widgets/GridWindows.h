#pragma once
// Small windows of the grid: the arrows that show where a dragged column or
// row lands, and the focus window around the cell being edited. Both are
// frameless pop-ups that never take the focus; the grid places, sizes and
// shows them itself (their Left and Top are screen coordinates).

#include "widgets/GridTypes.h"

#include "platform/Controls.h"

#include <array>

class TArrowWindow : public TPanel {
public:
    // Created hidden, lime green ($00FF00), on AOwner's window (nullptr: a
    // window of its own); only the arrow's outline shows.
    TArrowWindow(TWinControl* AOwner, TArrowDirection Direction);
    const char* ClassName() const override { return "TArrowWindow"; }
    TArrowDirection Dir;
    // The outline, in window coordinates.
    std::array<TPoint, 7> Arrow{};
};

// The outline of an arrow window of that direction.
std::array<TPoint, 7> ArrowOutline(TArrowDirection Direction);

class TGridFocusWindow : public TCustomControl {
public:
    // Created hidden, 0 x 0, red ($0000FF), taking no input.
    explicit TGridFocusWindow(TWinControl* AOwner = nullptr);
    const char* ClassName() const override { return "TGridFocusWindow"; }

protected:
    void Paint() override;
};
