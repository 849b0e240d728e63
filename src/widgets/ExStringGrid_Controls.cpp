// TExStringGrid: check boxes and radio controls in cells, and the other
// cell graphics (buttons, expand buttons, ratings, scroll bars ...).

#include "widgets/ExStringGrid.h"

void TExStringGrid::ToggleCellCheckBox(int, int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ToggleCellRadioButton(int, int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireCheckBoxChange(int, int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireRatingChange(int, int, double) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::ExpandCell(int, int, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::AddCheckBox(int, int, bool, bool) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RemoveCheckBox(int, int) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::HasCheckBox(int, int) { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::GetCheckBoxState(int, int, bool&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetCheckBoxState(int, int, bool) { ZEL_GRID_NOT_BUILT(); }
