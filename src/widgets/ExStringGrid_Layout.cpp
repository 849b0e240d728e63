// TExStringGrid: column and row calculations, auto sizing and look presets.

#include "widgets/ExStringGrid.h"

void TExStringGrid::AutoSizeColumns(bool, int) { ZEL_GRID_NOT_BUILT(); }
double TExStringGrid::ColumnSum(int, int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::AutoSizeCol(int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::AutoSizeRow(int) { ZEL_GRID_NOT_BUILT(); }

// The width automatic sizing chose, as the application's event decides it.
void TExStringGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}
