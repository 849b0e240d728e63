#pragma once
// The window of a string grid: a scrolling viewport that hosts a
// TCustomGrid (Grids.h).
//
// The view paints the visible cells through the grid's Paint / DrawCell on a
// canvas over the widget, maps its scroll bars to the grid's top row and
// left column (a scroll position is a row or column index), and turns the
// window system's input into the class library's sequence:
// - key press: KeyDown(virtual key, shift); unless the key was eaten (set to
//   0), KeyPress(character) for keys that give one, with the control
//   characters the platform derives (Enter 13, Escape 27, Backspace 8,
//   Tab 9, Ctrl+A..Ctrl+Z 1..26); key release: KeyUp;
// - mouse: MouseDown / MouseMove / MouseUp in client pixels; a double click
//   gives DblClick, then MouseDown with ssDouble, then MouseUp;
// - wheel: DoMouseWheel with the platform's delta (120 a notch);
// - focus: DoEnter / DoExit.
// Posted messages go through the event queue and reach the grid's WndProc
// only when the event loop runs; timers by id reach it as WM_TIMER. The
// in-place editor is a one-line text field over the current cell whose keys
// pass through the editor's KeyDown / KeyPress first.
// Destroying the view detaches it from the grid; destroying the grid first
// leaves an inert window (input and painting then do nothing). The view is
// a control of its parent: the window that TCustomGrid::SetParent makes is
// the grid's place among the form's controls (bounds, visibility, tab order,
// focus) and owns the grid.

#include "platform/Controls.h"
#include "platform/Grids.h"
#include "platform/KeyCodes.h"

#include <memory>
#include <string>

class QWidget;

class TGridView : public TWinControl {
public:
    // Creates the window as a child of parent (nullptr: a top-level window)
    // and makes it the grid's host; the grid's CreateWnd runs. The view does
    // not own the grid.
    explicit TGridView(TCustomGrid* grid, QWidget* parent = nullptr);
    // The window as a control of a form or panel (shown with it; the parent
    // owns the view).
    TGridView(TCustomGrid* grid, TWinControl* parent);
    ~TGridView() override;
    // The grid's class name ("TExColumnGrid" ...).
    const char* ClassName() const override { return className_.c_str(); }

    TCustomGrid* Grid() const;
    // Position and size of the window in its parent (pixels).
    void SetBounds(int left, int top, int width, int height) override;
    // The cell area, which holds the controls placed on the grid.
    QWidget* ClientWidget() const override;
    // The cell area (platform code only).
    QWidget* Viewport() const;
    // The in-place editor's text field (platform code and tests).
    QWidget* EditorWidget() const;
    // Whether the in-place editor's text field is shown over a cell.
    bool EditorWindowShown() const;
    // The strip along the bottom (IGridHost::SetBottomStrip), nullptr while
    // there is none (platform code only).
    QWidget* BottomStrip() const;
    // The strip's and the cell area's rectangles in the window's pixels
    // (the strip's is empty while there is none).
    TRect BottomStripBounds() const;
    TRect CellAreaBounds() const;

    struct Impl;

private:
    friend class TCustomGrid;
    // The window of TCustomGrid::SetParent: it owns the grid.
    TGridView(TCustomGrid* grid, TWinControl* parent, bool ownsGrid);
    void Init(TCustomGrid* grid, QWidget* parent);
    // The grid goes first: the view forgets it (and does not delete it).
    void ReleaseGrid();
    Impl* host_ = nullptr;  // owned by the widget
    std::string className_;
    bool ownsGrid_ = false;
};

