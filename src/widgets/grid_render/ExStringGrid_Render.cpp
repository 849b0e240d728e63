// TExStringGrid: painting, cell graphics sizes, keyboard, mouse, editing
// and the floating footer.

#include "widgets/ExStringGrid.h"

void TExStringGrid::CalcFooterValues(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::WriteEditText(int, int, const std::string&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RestoreCellCache() { ZEL_GRID_NOT_BUILT(); }
std::string TExStringGrid::GetFormattedCell(int, int) { ZEL_GRID_NOT_BUILT(); }
TPoint TExStringGrid::GetCellGraphicSize(int, int) { ZEL_GRID_NOT_BUILT(); }
TPoint TExStringGrid::CalcCellGraphicSize(int, int, int) { ZEL_GRID_NOT_BUILT(); }
int TExStringGrid::CellGraphicHit(int, int, int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireFixedEdit() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SelectionChanged(int, int, int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::AutoInsertRow(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::AutoDeleteRow(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireEllipsClick() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::CellValueChanged(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::StoreCellState(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::PaintDesignHelper() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::DesignHelperClick(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireCellChanging(int, int, bool&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireScrollCell(int, int) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::FireCanShowFixedDropDown(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireStartBlockFocus(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireEndBlockFocus(int) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::ValidateCell(const std::string&) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::ValidateCellWide(const WideString&) { ZEL_GRID_NOT_BUILT(); }
