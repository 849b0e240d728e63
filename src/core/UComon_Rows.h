#pragma once
// Table-row routines shared by every rule window.
//
// A rule grid has a fixed number of rows: rows are never added or removed.
// "Insert" and "delete" shift the cell contents of the rows below within
// the grid, "copy" and "paste" go through the program-wide row clipboard
// (UComon::Row_Clipboard, one entry per data column, and
// UComon::Row_Clipboard_Chk, which entries were check boxes). Column 0 is
// the fixed column and never touched; the data columns are 1 ..
// ColCount + NumHiddenColumns - 1, hidden ones included, addressed by their
// real index. Row 0 is the header; a Row of 0 or beyond the grid does
// nothing.
//
// The plain routines are for column grids whose check-box columns
// (edDataCheckBox) hold "Y" and "N" texts; the _Chk routines for string
// grids with real check-box cells and per-cell read-only flags.
//
// Messages go through MessageDlg, the refusal of an insert through Beep,
// both seams a test can answer.

#include "platform/Input.h"

class TExColumnGrid;
class TExStringGrid;

namespace UComon {

// Shifts the rows below Row up by one and clears the last row.
void Grid_Delete_Row(int Row, TExColumnGrid& Grid);
// Shifts the rows from Row down by one and clears Row; column 1 of the new
// row gets "Y" when EnableFirst. Refused with a beep, changing nothing,
// while the last row holds a rule (it would be pushed out of the grid).
void Grid_Insert_Row(int Row, TExColumnGrid& Grid, bool EnableFirst);
// Fills the row clipboard from the row (the check-box list all false).
void Grid_Copy_Row(TExColumnGrid& Grid, int Row);
// Writes the row clipboard into the row. Copied: a row was copied in the
// calling window. Errors 1102 (nothing copied) and 1101 (another width);
// a row already in use asks 1100 first.
void Grid_Paste_Row(TExColumnGrid& Grid, int Row, bool Copied);

// The same for string grids with check-box cells: boxes go by their state
// ("Y" / "N" in the clipboard), read-only flags move with their cells.
void Grid_Copy_Row_Chk(TExStringGrid& Grid, int Row);
void Grid_Paste_Row_Chk(TExStringGrid& Grid, int Row, bool Copied);
// The last row (delete) or Row (insert) gets empty cells and unchecked
// boxes, the box in column 1 checked when EnableFirst; the freed last row
// becomes read-only, an inserted row editable.
void Grid_Delete_Row_Chk(int Row, TExStringGrid& Grid, bool EnableFirst);
void Grid_Insert_Row_Chk(int Row, TExStringGrid& Grid, bool EnableFirst);

// For the grid's key-press event: with Opt_Jump_Field_Tables, Enter moves
// to the next visible data cell (to column 1 of the next row after the
// last column, to row 1 after the last row) and the key is consumed.
void Grid_Enter_Jump(TExColumnGrid& Grid, TKeyChar& Key);
// For the grid's double-click-cell event: with Opt_DblClick_Auto_Size, a
// double click on a header cell sizes that column to its content.
void Grid_DblClick_Auto_Size(TExStringGrid& Grid, int ARow, int ACol);

} // namespace UComon
