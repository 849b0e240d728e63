// TExStringGrid: sorting, filtering, search, clipboard, files and printing.

#include "widgets/ExStringGrid.h"

void TExStringGrid::FireClickSort(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::PasteCell(int, int, const std::string&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FirePrintGetPageNum() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireFilterDone() { ZEL_GRID_NOT_BUILT(); }
bool TExStringGrid::MatchFilter(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::MarkPastedRows(const TRect&) { ZEL_GRID_NOT_BUILT(); }
std::string TExStringGrid::GetSaveCell(int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SetLoadCell(int, int, const std::string&) { ZEL_GRID_NOT_BUILT(); }
TRect TExStringGrid::GetUsedCells() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FilterSelected() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FilterChecked() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SaveColPositions() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::LoadColPositions() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::QSort() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::QSortIndexed() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::QSortGroup() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::QSortGroupIndexed() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::QUnSort() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SaveColSizes() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::LoadColSizes() { ZEL_GRID_NOT_BUILT(); }
