// TExStringGrid: row and column insertion, removal and clearing; grid size,
// selection flags, row states and change notifications.

#include "widgets/ExStringGrid.h"

void TExStringGrid::CellsChanged(const TRect&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::AllCellsChanged() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RemoveRowsDisplayed(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RemoveRowsEx(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RemoveRows(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::InsertRows(int, int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RemoveCols(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::InsertCols(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ClearRect(int, int, int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::TrimRect(int, int, int, int) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::RowSelect(int) const { ZEL_GRID_NOT_BUILT(); }
int TExStringGrid::RowSelectCount() const { ZEL_GRID_NOT_BUILT(); }
int TExStringGrid::FooterRowStart() const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::BeginUpdate() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::EndUpdate() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetRowSelect(int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ClearRowSelect() { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::ColSelect(int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetColSelect(int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ClearColSelect() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SelectRows(int, int) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::RowModified(int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetRowModified(int, bool) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::RowEnabled(int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetRowEnabled(int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ClearNormalCells() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ClearRows(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ClearCols(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RemoveSelectedRows() { ZEL_GRID_NOT_BUILT(); }
