#pragma once
// TGridModel: the data model of the string grid, owned by the grid. It holds
// no drawing and no window: the hidden columns and rows with the one
// displayed-to-real mapping that painting, input and editing ask, the row
// and column states, the update lock, node rows, grouping and the sort by
// one column with the state they keep. The cells themselves stay in the
// platform's cell store; the grid reaches them through the mapping.
//
// Only src/widgets/ includes this header (the grid's public face declares
// the model by name alone), so a change here rebuilds the grid's own files.

#include "widgets/grid_model/Hidden.h"
#include "widgets/grid_model/RowState.h"
#include "widgets/GridTypes.h"

#include <string>

// A cell given by its real column and real row.
struct TRealCell {
    int Col = -1;
    int Row = -1;
};

class TGridModel {
public:
    // --- the displayed-to-real mapping
    // Real column of displayed column d (hidden columns skipped); a
    // displayed column past the tables maps onto itself plus the hidden
    // columns before it.
    int RealCol(int d) const { return FHiddenCols.RealColIndex(d); }
    // Displayed column of real column r; a hidden column answers the index
    // the next shown column has.
    int DisplCol(int r) const { return FHiddenCols.DisplColIndex(r); }
    // Real row of displayed row d (-1 for a negative d).
    int RealRow(int d) const { return FHiddenRows.RealRowIndex(d); }
    // Displayed row of real row r; a hidden row answers the next shown
    // row's index.
    int DisplRow(int r) const { return FHiddenRows.DisplRowIndex(r); }
    // Both at once: the real cell of displayed cell (dc, dr), and back.
    TRealCell RealCell(int dc, int dr) const { return {RealCol(dc), RealRow(dr)}; }
    TRealCell DisplCell(int rc, int rr) const { return {DisplCol(rc), DisplRow(rr)}; }
    bool IsHiddenCol(int r) const { return FHiddenCols.IsHidden(r); }
    bool IsHiddenRow(int r) const { return FHiddenRows.IsHidden(r); }
    int NumHiddenCols() const { return FHiddenCols.NumHidden(); }
    int NumHiddenRows() const { return FHiddenRows.Count(); }

    // --- hidden columns and rows (the saved widths, rows and cells)
    TGridHiddenCols FHiddenCols;
    TGridHiddenRows FHiddenRows;

    // --- row and column states, update lock
    TGridRowFlags FRowFlags;
    TGridColFlags FColFlags;
    TGridUpdateLock FUpdateLock;
    // The disjoint cell selection (column, row pairs).
    TIntList FSelectedCells{0, 0};
    // Columns whose equal neighbouring texts are merged.
    TIntList FMergedColumns{0, 0};
    // The recorded column order (original position of each column).
    TIntList FColumnOrder{0, 0};
    // Columns that row sizing skips.
    TIntList FIgnoredColumns{0, 0};

    // --- node rows
    int FNodeCount = 0;

    // --- grouping
    int FGroupColumn = -1;
    std::string FGroupCaption;
    std::string FGroupFooter;
    int FGroupWidth = 0;
    bool FIsGrouping = false;

    // --- sorting by one column
    TSortIndexList FSortIndexes;
    // Sorted position of each row while the grid keeps a sorted view.
    TIntList FSortedRows{0, 0};
    // The row cross-reference the sort keeps (entries exchanged with their
    // rows) and the exchanges counted.
    TIntList FSortRowXRef{0, 0};
    int Swaps = 0;
};
