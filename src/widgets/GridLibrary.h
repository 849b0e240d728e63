#pragma once
// Start-up and shutdown of the grid library. The program runs the start-up
// before its first window is created and the shutdown after its last window
// is gone. Each module's step does its work once: a second start-up (and
// the shutdown that matches it) changes nothing; the work is undone by the
// shutdown that matches the first start-up.
//
// Start-up, in order: the theme notifier is none; the grid's theme table is
// bound; drag and drop takes no rich text; the date picker registers
// "DTPShiftFocus"; the pickers' theme table is bound; the grid module
// clears the editing grid, installs the hook that keeps the editing grid's
// focus frame on its cell, registers its classes by name, tests the common
// controls' version and registers the clipboard format "TExStringGrid
// Cells" (the drag-and-drop cell format: the same id) and the messages
// "GridEditDone" and "DTPShiftFocus"; the column grid registers its
// classes. Shutdown undoes it in the opposite order.

// Both return at once after the first call (counted).
void GridLibraryStartup();
void GridLibraryShutdown();

// What the start-up registered (0 before it ran).
unsigned short GridCellClipboardFormat();
unsigned GridEditDoneMessage();
unsigned GridDTPShiftFocusMessage();
unsigned PickerDTPShiftFocusMessage();
// The common controls are newer than 4.69.
bool GridComCtrlsAbove469();
