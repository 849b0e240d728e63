#pragma once
// Hidden columns and hidden rows of the string grid.
//
// A hidden column stays in the cell store at its real index: only the shown
// flag, the width it had and the count of hidden columns are kept here, and
// the displayed / real index mapping is computed from the flags. The flag
// and width tables grow with the highest column hidden or moved; a column
// past their end is shown.
//
// A hidden row is taken out of the displayed rows: its texts and height are
// kept in an item carrying its real row index. The operations that move rows
// in and out work on a small row host interface, so the grid and the tests
// drive the same bookkeeping.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TObject;

class TGridHiddenCols {
public:
    TGridHiddenCols();

    // True when real column c is hidden; False for a negative index.
    bool IsHidden(int c) const;
    int NumHidden() const { return FNumHidden; }
    // Width column c had when it was last hidden (0 past the tables).
    int SavedWidth(int c) const;
    // Changes the width a hidden column comes back with (ignored for a
    // shown column).
    void SetSavedWidth(int c, int width);

    // Displayed index of real column c; a hidden column answers the index
    // the next shown column has.
    int DisplColIndex(int c) const;
    // Real index of displayed column d; 0 when no column qualifies.
    int RealColIndex(int d) const;

    // Flag changes used by hiding and showing; negative indices and no-op
    // changes are ignored.
    void MarkHidden(int c, int width);
    void MarkShown(int c);

    // Keeps the flags in step with the cell store when real columns are
    // inserted or removed. The hidden-column count always equals the number
    // of hidden flags. RemoveCols answers how many of the removed columns
    // were hidden (the caller lowers the displayed count by the others).
    void InsertCols(int colIndex, int count);
    int RemoveCols(int colIndex, int count);
    // Real column `from` moves to `to`, the columns between shift by one;
    // their flags and saved widths go with them.
    void MoveCol(int from, int to);

    void Clear();
    // Entries in the tables: every real column from here on is shown.
    int TableSize() const { return static_cast<int>(FVisibleCol.size()); }

private:
    void Recount();
    void Grow(int size);

    std::vector<bool> FVisibleCol;
    std::vector<std::int16_t> FAllColWidths;
    int FNumHidden = 0;
};

// What hiding and showing columns needs of the grid (displayed columns).
class IHiddenColHost {
public:
    virtual ~IHiddenColHost() = default;
    virtual int ColCount() const = 0;
    virtual void SetColCount(int value) = 0;
    virtual int ColWidth(int d) const = 0;
    virtual void SetColWidth(int d, int width) = 0;
    virtual int CurrentCol() const = 0;
    virtual void SetCurrentCol(int d) = 0;
};

// Hides each shown real column of FromCol..ToCol (inclusive) that lies below
// the total column count, never the last displayed one.
void HideColumns(TGridHiddenCols& hidden, IHiddenColHost& host, int fromCol, int toCol);
// Shows each hidden real column of FromCol..ToCol with its old width.
void UnHideColumns(TGridHiddenCols& hidden, IHiddenColHost& host, int fromCol, int toCol);
void UnHideColumnsAll(TGridHiddenCols& hidden, IHiddenColHost& host);

struct THiddenRowItem {
    int Idx = 0;    // real row index
    int Height = 0; // row height when hidden
    int Level = 0;  // filter level (row lists), 0 otherwise
    std::vector<std::string> Cells;
    // The cells' object slots (the grid's property objects), owned by the
    // item while the row is hidden; empty when the host keeps none.
    std::vector<TObject*> Objects;
};

// What hiding and showing rows needs of the grid (displayed rows; a row's
// cells cover every real column, hidden ones included).
class IHiddenRowHost {
public:
    virtual ~IHiddenRowHost() = default;
    virtual int RowCount() const = 0;
    virtual std::vector<std::string> RowCells(int d) const = 0;
    virtual int RowHeight(int d) const = 0;
    virtual void SetRow(int d, const std::vector<std::string>& cells, int height) = 0;
    // Object slots of a row: taken out when the row is hidden (the host
    // keeps no reference to them), put back when it is shown.
    virtual std::vector<TObject*> TakeRowObjects(int /*d*/) { return {}; }
    virtual void PutRowObjects(int /*d*/, const std::vector<TObject*>& /*objects*/) {}
    virtual void InsertRows(int d, int count) = 0;
    virtual void DeleteRows(int d, int count) = 0;
};

class TGridHiddenRows {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::vector<THiddenRowItem>& Items() const { return FItems; }
    bool IsHidden(int r) const;
    // The saved item of hidden real row r, or nullptr.
    const THiddenRowItem* Find(int r) const;
    THiddenRowItem* Find(int r);
    // The saved text of column c of hidden real row r: false when the row
    // is not hidden. Writing appends empty entries up to c first.
    bool CellText(int c, int r, std::string& Value) const;
    bool SetCellText(int c, int r, const std::string& Value);

    // Displayed index of real row r (a hidden row answers the next shown
    // row's index).
    int DisplRowIndex(int r) const;
    // Real index of displayed row d; -1 for a negative d.
    int RealRowIndex(int d) const;

    // Keep the real indices of the hidden rows in step when `count`
    // displayed rows from displayed row d on are removed (each hidden row is
    // lowered by the removed rows before it) or inserted before d.
    void DisplayedRowsRemoved(int d, int count);
    void DisplayedRowsInserted(int d, int count);

    void HideRows(IHiddenRowHost& host, int fromRow, int toRow);
    void HideRow(IHiddenRowHost& host, int row) { HideRows(host, row, row); }
    void UnHideRow(IHiddenRowHost& host, int row);
    // Nothing is restored when FromRow itself is not hidden.
    void UnHideRows(IHiddenRowHost& host, int fromRow, int toRow);
    void UnHideRowsAll(IHiddenRowHost& host);
    // Hides the listed displayed rows (ascending, no repeats) as one filter
    // level; the items keep real indices like the others.
    void HideRowList(IHiddenRowHost& host, const std::vector<int>& displayedRows);
    // Shows the rows of the most recent level: the items whose level + 1 is
    // the filter level (at level 1 that is every hidden row). The caller
    // lowers the level.
    void UnHideRowList(IHiddenRowHost& host);
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int v) { FFilterLevel = v < 0 ? 0 : v; }
    // Keep the saved cells in step when real columns are inserted or
    // removed; the objects of removed cells go to freeObject.
    void ColsInserted(int colIndex, int count);
    void ColsRemoved(int colIndex, int count, const std::function<void(TObject*)>& freeObject);
    // Keep the saved cells in step when a real column moves (the columns
    // between shift by one) or two real columns exchange their cells.
    void ColMoved(int from, int to);
    void ColsSwapped(int a, int b);
    // Empties the saved texts (objects stay).
    void ClearTexts();
    void Clear() { FItems.clear(); }

private:
    int HiddenBefore(int r) const;
    void Restore(IHiddenRowHost& host, std::size_t pos);

    std::vector<THiddenRowItem> FItems; // ascending Idx
    int FFilterLevel = 0;
};
