#pragma once
// Module-wide services of the grid: the locale's separators and formats,
// the window helpers, the file-version reader, the hook that keeps the
// focus frame of the editing grid on its cell, the module's shutdown, the
// floating picture of a selected cell range and the wheel-pan glyph.
//
// The module state (the editing grid, the hook, the focus windows) assumes
// the one GUI thread.

#include "platform/Forms.h"
#include "platform/Grids.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TExStringGrid;
class TGridFocusWindow;

// --- locale (read at each call from the format settings in force)
char GridTimeSeparator();
char GridDateSeparator();
char GridThousandSeparator();
char GridDecimalSeparator();
std::string GridShortDateFormat();
std::string GridShortTimeFormat();
std::string GridLongTimeFormat();

// SetWindowTransparent (mouse input passes through a window) is the
// platform's (platform/PopupWindow.h).

// The high 32 bits of the file's version (major in the high word, minor in
// the low word), or -1 when the file has no valid version information.
int GetFileVersionMS(const std::string& FileName);
// The same from a version block (VS_VERSIONINFO): its root value must be
// a fixed file information with the signature $FEEF04BD; any block that is
// too short or malformed gives -1.
int FileVersionMSOfBlock(const std::vector<std::uint8_t>& Block);

// --- in-place editing
// The grid that shows an in-place editor now (the editing code sets it
// when an editor shows and clears it when it hides); nullptr: none.
TExStringGrid* GridEditingGrid();
void SetGridEditingGrid(TExStringGrid* Grid);
// The grid's focus window (created on first use, freed with the grid).
TGridFocusWindow* GridFocusWindow(TExStringGrid& Grid);
// A grid going away: it stops being the editing grid, its focus window goes.
void GridModuleGridGone(TExStringGrid* Grid);
// One move or resize of a window of the program: the editing grid's focus
// window is put around its current cell again, 4 pixels out on each side.
void GridCallWndHook();
// The hook (a filter of the program's window moves and resizes).
void InstallGridHook();
void RemoveGridHook();
bool GridHookInstalled();

// Font name of the grid's HTML hint window.
std::string& GridHintFontName();

// The module's shutdown: the hook is removed, the hint font name cleared.
void GridModuleShutdown();

// A form shown over other windows that never takes the focus: frameless,
// stay-on-top, disabled for input.
class TNoActiveForm : public TForm {
public:
    TNoActiveForm();
    const char* ClassName() const override { return "TNoActiveForm"; }
};

// A floating picture of the cell range (either corner first) as the grid
// shows it now: a non-activating form of the picture's size, opacity
// 192/255, with one image filling it; not shown yet.
std::unique_ptr<TNoActiveForm> SelectionToForm(TExStringGrid& Grid, const TGridRect& ARect);

// The glyph of wheel panning (by the grid's IntelliPan: "INTLI3" vertical,
// "INTLI2" horizontal, "INTLI1" both; none for ipNone) drawn with its
// top-left corner at PanPos, on a white ground with the glyph's top-left
// colour left out.
void DrawWheelPanGlyph(TExStringGrid& Grid, TCanvas& Canvas, TPoint PanPos);
// Marks the 32 x 32 square at PanPos for repainting.
void InvalidateWheelPanGlyph(TExStringGrid& Grid, TPoint PanPos);
