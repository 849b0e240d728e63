// TExStringGrid: column and row calculations, auto sizing, moving and
// swapping rows and columns, cell-range operations and look presets.

#include "widgets/ExStringGrid.h"

void TExStringGrid::AutoSizeColumns(bool, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UpdateAutoColumnSize(int, int&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireColorSelect() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireImageSelect() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SortSwapRows(int, int) { ZEL_GRID_NOT_BUILT(); }
