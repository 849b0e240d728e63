// TExStringGrid: hidden columns and rows with the index mapping.

#include "widgets/ExStringGrid.h"

int TExStringGrid::RealColIndex(int) const { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::IsHiddenColumn(int) const { ZEL_GRID_NOT_BUILT(); }
int TExStringGrid::RealRowIndex(int) const { ZEL_GRID_NOT_BUILT(); }
std::string TExStringGrid::HiddenRowCell(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UnHideColumnsAll() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::HideColumn(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UnHideColumn(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::HideRow(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UnHideRow(int) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::IsHiddenRow(int) const { ZEL_GRID_NOT_BUILT(); }
int TExStringGrid::DisplRowIndex(int) const { ZEL_GRID_NOT_BUILT(); }
