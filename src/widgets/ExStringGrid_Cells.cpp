// TExStringGrid: cell accessors by real row, per-cell looks, the current
// cell, column stretch, size notifications and listeners.

#include "widgets/ExStringGrid.h"

#include <algorithm>

bool TExStringGrid::ReadOnly(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && p->ReadOnly;
}

void TExStringGrid::SetReadOnly(int ACol, int ARow, bool Value)
{
    TCellProperties* p = GetCellProperties(ACol, ARow);
    if (ACol < 0 || ARow < 0) return; // a detached scratch object
    p->ReadOnly = Value;
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExStringGrid::SetCursor(TCursor c)
{
    FCursor = c;
    FOldCursor = c;
    if (Host()) Host()->SetCursor(c);
}

void TExStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    // The string grid drops the rows cut off by a smaller row count with
    // their cells; their property objects (and graphics) go first, or
    // nothing would free them.
    if (RowCount() < OldRowCount && HasCellProps) {
        const int cols = std::max({AllColCount(), OldColCount, FMaxColCount});
        FreeCellProperties(0, RowCount(), cols - 1, OldRowCount - 1);
    }
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    NoteCounts();
}

std::string TExStringGrid::ReadCurrentCell() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::WriteCurrentCell(const std::string&) { ZEL_GRID_NOT_BUILT(); }
std::string TExStringGrid::GetCurrentCellText() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetCurrentEditText(const std::string&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UpdateColumnSize(int, int&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::StretchColumnIndex(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RegisterNotifier(TGridChangeNotifier*) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UnRegisterNotifier(TGridChangeNotifier*) { ZEL_GRID_NOT_BUILT(); }
std::string TExStringGrid::AllCells(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetAllCells(int, int, const std::string&) { ZEL_GRID_NOT_BUILT(); }
std::string TExStringGrid::AllGridCells(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetAllGridCells(int, int, const std::string&) { ZEL_GRID_NOT_BUILT(); }
TColor TExStringGrid::Colors(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetColors(int, int, TColor) { ZEL_GRID_NOT_BUILT(); }
TColor TExStringGrid::FontColors(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetFontColors(int, int, TColor) { ZEL_GRID_NOT_BUILT(); }
TAlignment TExStringGrid::Alignments(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetAlignments(int, int, TAlignment) { ZEL_GRID_NOT_BUILT(); }
TObject* TExStringGrid::CellControls(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetCellControls(int, int, TObject*) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetRowColor(int, TColor) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetRowEx(int) { ZEL_GRID_NOT_BUILT(); }
int TExStringGrid::GetRealCol() const { ZEL_GRID_NOT_BUILT(); }
int TExStringGrid::AllColWidths(int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetAllColWidths(int, int) { ZEL_GRID_NOT_BUILT(); }
TObject* TExStringGrid::GetRealRowObject(int, int) const { ZEL_GRID_NOT_BUILT(); }
