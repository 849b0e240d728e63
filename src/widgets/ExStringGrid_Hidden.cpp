// TExStringGrid: hidden columns and rows with the index mapping.
//
// A hidden column keeps its cells at its real index; only its shown flag and
// width are kept (TGridHiddenCols). A hidden row leaves the cell store: its
// cells, object slots and height go into an item of TGridHiddenRows and the
// rows below move up. The bookkeeping lives in GridHidden; this file gives
// it the grid as its host.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include <algorithm>

// The grid as seen by the column hiding: displayed columns.
class TGridColsHost : public IHiddenColHost {
public:
    explicit TGridColsHost(TExStringGrid& g) : grid(g) {}
    int ColCount() const override { return grid.ColCount(); }
    void SetColCount(int value) override { grid.SetColCount(value); }
    int ColWidth(int d) const override { return grid.ColWidths(d); }
    void SetColWidth(int d, int width) override { grid.SetColWidths(d, width); }
    int CurrentCol() const override { return grid.Col(); }
    void SetCurrentCol(int d) override
    {
        // A grid whose normal rows are all hidden or gone keeps its current
        // cell outside the cells: there is no row to move it along.
        if (grid.Row() < 0 || grid.Row() >= grid.RowCount()) return;
        if (d >= 0 && d < grid.ColCount()) grid.SetCol(d);
    }

private:
    TExStringGrid& grid;
};

// The grid as seen by the row hiding: displayed rows over every real column.
class TGridRowsHost : public IHiddenRowHost {
public:
    explicit TGridRowsHost(TExStringGrid& g) : grid(g) {}
    int RowCount() const override { return grid.RowCount(); }
    // A row's cells reach as far as the row moves do (columns the grid had
    // before, cells written beyond the columns).
    int RowWidth() const { return std::max(grid.AllColCount(), grid.MaxColCountReached()); }
    std::vector<std::string> RowCells(int d) const override
    {
        std::vector<std::string> cells(static_cast<std::size_t>(RowWidth()));
        for (int c = 0; c < RowWidth(); ++c) cells[static_cast<std::size_t>(c)] = grid.GetGridCell(c, d);
        // Empty cells at the end are not worth keeping.
        while (cells.size() > static_cast<std::size_t>(grid.AllColCount()) && cells.back().empty()) cells.pop_back();
        return cells;
    }
    std::vector<TObject*> TakeRowObjects(int d) override
    {
        std::vector<TObject*> objects(static_cast<std::size_t>(RowWidth()), nullptr);
        for (int c = 0; c < RowWidth(); ++c) {
            objects[static_cast<std::size_t>(c)] = grid.GetGridObject(c, d);
            grid.SetGridObject(c, d, nullptr);
        }
        return objects;
    }
    int RowHeight(int d) const override { return grid.RowHeights(d); }
    void SetRow(int d, const std::vector<std::string>& cells, int height) override
    {
        // Every saved text comes back, also those written beyond the grid's
        // columns while the row was hidden.
        for (int c = 0; c < RowWidth(); ++c)
            grid.SetGridCell(c, d, c < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(c)] : "");
        // Beyond the row's width the fresh row is empty: only texts go in.
        for (std::size_t c = static_cast<std::size_t>(RowWidth()); c < cells.size(); ++c)
            if (!cells[c].empty()) grid.SetGridCell(static_cast<int>(c), d, cells[c]);
        if (height > 0) grid.SetRowHeights(d, height);
    }
    void PutRowObjects(int d, const std::vector<TObject*>& objects) override
    {
        for (std::size_t c = 0; c < objects.size(); ++c)
            if (objects[c]) grid.SetGridObject(static_cast<int>(c), d, objects[c]);
    }
    void InsertRows(int d, int count) override { grid.Parts().InsertRowsCore(d, count, false); }
    void DeleteRows(int d, int count) override { grid.Parts().DeleteRowsCore(d, count, false); }

private:
    TExStringGrid& grid;
};

// --- columns ---------------------------------------------------------------------------

int TExStringGrid::RealColIndex(int ACol) const { return FModel->RealCol(ACol); }

bool TExStringGrid::IsHiddenColumn(int ACol) const { return FModel->FHiddenCols.IsHidden(ACol); }

void TExStringGrid::HideColumn(int ACol) { HideColumns(ACol, ACol); }

void TExStringGrid::UnHideColumn(int ACol) { UnHideColumns(ACol, ACol); }

void TExStringGrid::HideColumns(int FromCol, int ToCol)
{
    if (EditorMode()) HideEditor();
    TGridColsHost host(*this);
    ::HideColumns(FModel->FHiddenCols, host, FromCol, ToCol);
    Invalidate();
}

void TExStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    if (EditorMode()) HideEditor();
    TGridColsHost host(*this);
    ::UnHideColumns(FModel->FHiddenCols, host, FromCol, ToCol);
    Invalidate();
}

void TExStringGrid::UnHideColumnsAll()
{
    if (NumHiddenColumns() == 0) return;
    UnHideColumns(0, FModel->FHiddenCols.TableSize() - 1);
}

// --- rows ----------------------------------------------------------------------------------

int TExStringGrid::RealRowIndex(int ARow) const { return FModel->RealRow(ARow); }

int TExStringGrid::DisplRowIndex(int ARow) const { return FModel->DisplRow(ARow); }

bool TExStringGrid::IsHiddenRow(int ARow) const { return FModel->FHiddenRows.IsHidden(ARow); }

void TExStringGrid::HideRow(int ARow) { HideRows(ARow, ARow); }

void TExStringGrid::HideRows(int FromRow, int ToRow)
{
    if (EditorMode()) HideEditor();
    TGridRowsHost host(*this);
    FModel->FHiddenRows.HideRows(host, FromRow, ToRow);
    CellControlsUpdate(false);
}

void TExStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    if (IsHiddenRow(FromRow)) return;
    HideRows(FromRow, ToRow);
}

void TExStringGrid::UnHideRow(int ARow)
{
    TGridRowsHost host(*this);
    FModel->FHiddenRows.UnHideRow(host, ARow);
    CellControlsUpdate(false);
}

void TExStringGrid::UnHideRows(int FromRow, int ToRow)
{
    TGridRowsHost host(*this);
    FModel->FHiddenRows.UnHideRows(host, FromRow, ToRow);
    CellControlsUpdate(false);
}

void TExStringGrid::UnHideRowsAll()
{
    if (NumHiddenRows() == 0) return;
    TGridRowsHost host(*this);
    FModel->FHiddenRows.UnHideRowsAll(host);
    CellControlsUpdate(false);
}

void TExStringGrid::HideRowList(const TIntList& RowList)
{
    if (EditorMode()) HideEditor();
    std::vector<int> rows;
    for (int i = 0; i < RowList.Count(); ++i) rows.push_back(RowList.Items(i));
    TGridRowsHost host(*this);
    FModel->FHiddenRows.HideRowList(host, rows);
    CellControlsUpdate(false);
}

void TExStringGrid::UnHideRowList()
{
    if (EditorMode()) HideEditor();
    TGridRowsHost host(*this);
    if (Row() >= RowCount() && FixedCols() < ColCount() && FixedRows() < RowCount())
        FocusCell(FixedCols(), FixedRows());
    FModel->FHiddenRows.UnHideRowList(host);
}

bool TExStringGrid::IsHiddenRow(int ARow, std::unique_ptr<TIntList>& Cache) const
{
    if (!Cache) {
        Cache = std::make_unique<TIntList>(0, 0);
        for (const auto& it : FModel->FHiddenRows.Items()) Cache->Add(it.Idx);
    }
    return Cache->HasValue(ARow);
}

std::string TExStringGrid::HiddenRowCell(int ACol, int AHiddenIndex) const
{
    if (AHiddenIndex < 0 || AHiddenIndex >= NumHiddenRows() || ACol < 0) return {};
    const auto& cells = FModel->FHiddenRows.Items()[static_cast<std::size_t>(AHiddenIndex)].Cells;
    return ACol < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(ACol)] : std::string();
}

TObject* TExStringGrid::HiddenRowObject(int ACol, int ARealRow) const
{
    const THiddenRowItem* item = FModel->FHiddenRows.Find(ARealRow);
    if (!item || ACol < 0 || ACol >= static_cast<int>(item->Objects.size())) return nullptr;
    return item->Objects[static_cast<std::size_t>(ACol)];
}
