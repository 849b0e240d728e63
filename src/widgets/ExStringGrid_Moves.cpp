// TExStringGrid: moving, swapping and numbering rows and columns, selection
// and cell-range operations.

#include "widgets/ExStringGrid.h"

void TExStringGrid::SortSwapRows(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SwapRows(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SwapColumns(int, int) { ZEL_GRID_NOT_BUILT(); }
