// TExStringGrid: typed cell access, headers, text marking, fills and column
// order.

#include "widgets/ExStringGrid.h"

int TExStringGrid::Ints(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetInts(int, int, int) { ZEL_GRID_NOT_BUILT(); }
double TExStringGrid::Floats(int, int) const { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetFloats(int, int, double) { ZEL_GRID_NOT_BUILT(); }
