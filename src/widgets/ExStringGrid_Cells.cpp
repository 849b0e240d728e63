// TExStringGrid: cell accessors by real row, per-cell looks, the current
// cell, column stretch, size notifications and listeners.

#include "widgets/ExStringGrid.h"

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

std::string TExStringGrid::ReadCurrentCell() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::WriteCurrentCell(const std::string&) { ZEL_GRID_NOT_BUILT(); }
std::string TExStringGrid::GetCurrentCellText() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetCurrentEditText(const std::string&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UpdateColumnSize(int, int&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::StretchColumnIndex(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::RegisterNotifier(TGridChangeNotifier*) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::UnRegisterNotifier(TGridChangeNotifier*) { ZEL_GRID_NOT_BUILT(); }
