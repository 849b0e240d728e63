// TExStringGrid: node rows and grouping.

#include "widgets/ExStringGrid.h"

bool TExStringGrid::IsNodeRow(int) const { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::IsSummary(int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ExpandAll() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SubGroup(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SubUnGroup(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::Group(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UnGroup() { ZEL_GRID_NOT_BUILT(); }
