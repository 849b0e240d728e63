// TExStringGrid: row and column insertion, removal and clearing; grid size,
// selection flags, row states, the update lock and change notifications.
//
// Rows move with every real column (hidden columns keep their cells at their
// real index, so a row's data reaches up to AllColCount). Property objects
// travel with their cells: a moved cell's slot is handed over, never copied,
// and the slots a move leaves behind are emptied before a smaller row count
// cuts them off (which would free what they point at).

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

int Packed(int ACol, int ARow) { return static_cast<int>((static_cast<unsigned>(ARow) << 16) | (ACol & 0xFFFF)); }

} // namespace

// --- change tracking --------------------------------------------------------------------------

void TExStringGrid::CellsChanged(const TRect& ARect)
{
    if (OnCellsChanged) {
        const TRect copy = ARect;
        OnCellsChanged(this, copy);
    }
    const auto notifiers = FParts->FNotifiers;
    for (TGridChangeNotifier* n : notifiers) n->CellsChanged(ARect);
    AllCellsChanged();
}

// The floating footer is the only thing recalculated here; a grid without
// one has nothing to do.
void TExStringGrid::AllCellsChanged()
{
    if (FParts->FFloatingFooter) CalcFooter(-1);
}

// --- row data moves ---------------------------------------------------------------------------

void TExStringGridPrivate::MoveRowData(int From, int To, bool Height)
{
    const int cols = std::max(G.AllColCount(), G.MaxColCountReached());
    for (int c = 0; c < cols; ++c) {
        G.SetGridCell(c, To, G.GetGridCell(c, From));
        G.SetGridObject(c, To, G.GetGridObject(c, From));
    }
    if (Height && To < G.RowCount() && From < G.RowCount()) G.SetRowHeights(To, G.RowHeights(From));
}

void TExStringGridPrivate::EmptyRowData(int ARow)
{
    const int cols = std::max(G.AllColCount(), G.MaxColCountReached());
    for (int c = 0; c < cols; ++c) {
        if (!G.GetGridCell(c, ARow).empty()) G.SetGridCell(c, ARow, "");
        if (G.GetGridObject(c, ARow)) G.SetGridObject(c, ARow, nullptr);
    }
}

bool TExStringGridPrivate::IsShowing() const { return G.Host() && G.Host()->IsVisible(); }

void TExStringGridPrivate::MoveCellControls(int FromRealRow, int Delta)
{
    for (int i = 0; i < FControlList.Count(); ++i) {
        TControlItem* item = FControlList.GetControl(i);
        if (item->FY >= FromRealRow) item->FY += Delta;
    }
}

// --- insertion ----------------------------------------------------------------------------------

void TExStringGridPrivate::InsertRowsCore(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0) return;
    RowIndex = std::clamp(RowIndex, 0, G.RowCount());
    // A hidden selection (no normal row was left, or it was hidden on
    // purpose) comes back before the rows arrive.
    if (FSelHidden || G.Col() >= G.ColCount() || G.Row() >= G.RowCount()) G.UnHideSelection();
    // Controls placed in cells at or below the inserted rows move down.
    if (UpdateCellControls) MoveCellControls(G.Model().RealRow(RowIndex), RCount);
    const int lastWidth = G.ColWidths(G.ColCount() - 1);
    G.SetRowCount(G.RowCount() + RCount);
    for (int i = G.RowCount() - 1; i >= RowIndex + RCount; --i) MoveRowData(i - RCount, i, true);
    for (int i = RowIndex; i < RowIndex + RCount; ++i) {
        G.SetRowHeights(i, G.DefaultRowHeight());
        // The objects now belong to the moved rows: the slots are emptied,
        // nothing is freed.
        EmptyRowData(i);
    }
    G.FModel->FRowFlags.RowsInserted(RowIndex, RCount, FShowModified->Enabled);
    G.SetColWidths(G.ColCount() - 1, lastWidth);
    if (!FDestroyingGrid)
        G.CellsChanged(Rect(0, RowIndex, G.ColCount() - 1, RowIndex + RCount));
}

void TExStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0) return;
    RowIndex = std::clamp(RowIndex, 0, RowCount());
    // Hidden rows at or after the insertion point keep their place between
    // their neighbours (node rows rely on it).
    FModel->FHiddenRows.DisplayedRowsInserted(RowIndex, RCount);
    FParts->InsertRowsCore(RowIndex, RCount, UpdateCellControls);
}

void TExStringGrid::AddRow()
{
    InsertRows(RowCount(), 1);
    FParts->EmptyRowData(RowCount() - 1);
}

void TExStringGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount <= 0) return;
    const int total = AllColCount();
    ColIndex = std::clamp(ColIndex, 0, total);
    const int d = Model().DisplCol(ColIndex);
    const int hiddenBefore = NumHiddenColumns();
    FModel->FHiddenCols.InsertCols(ColIndex, CCount);
    // A hidden column pushed past the hideable range counts as shown from
    // then on: it joins the displayed columns.
    const int lost = hiddenBefore - NumHiddenColumns();
    SetColCount(ColCount() + CCount + lost);
    const int rows = RowCount();
    for (int i = total + CCount - 1; i >= ColIndex + CCount; --i)
        for (int r = 0; r < rows; ++r) {
            SetGridCell(i, r, GetGridCell(i - CCount, r));
            SetGridObject(i, r, GetGridObject(i - CCount, r));
        }
    for (int i = ColIndex; i < ColIndex + CCount; ++i)
        for (int r = 0; r < rows; ++r) {
            SetGridCell(i, r, "");
            SetGridObject(i, r, nullptr);
        }
    for (int j = ColCount() - 1; j >= d + CCount; --j) SetColWidths(j, ColWidths(j - CCount));
    for (int j = d; j < d + CCount && j < ColCount(); ++j) SetColWidths(j, DefaultColWidth());
    // The saved cells of hidden rows take the new columns too.
    FModel->FHiddenRows.ColsInserted(ColIndex, CCount);
}

// --- removal --------------------------------------------------------------------------------------

void TExStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    // Only the rows that exist can go.
    RCount = std::min(RCount, RowCount() - RowIndex);
    // Controls placed in the removed rows leave the control list (they would
    // otherwise sit on the rows moving up); those below move up.
    const int realFirst = Model().RealRow(RowIndex);
    const int realEnd = Model().RealRow(RowIndex + RCount);
    for (int i = FParts->FControlList.Count() - 1; i >= 0; --i) {
        const int y = FParts->FControlList.GetControl(i)->FY;
        if (y >= realFirst && y < realEnd) FParts->FControlList.RemoveControl(i);
    }
    FParts->MoveCellControls(realEnd, -RCount);
    const int cols = std::max(AllColCount(), MaxColCountReached());
    FreeCellProperties(0, RowIndex, cols - 1, RowIndex + RCount - 1);

    const int lastWidth = ColWidths(ColCount() - 1);
    BeginUpdate();
    const int oldTop = TopRow();
    const int oldRow = Row();
    // A grid left with its fixed rows only loses them in the class library
    // (they become its rows): the normal rows are counted below these.
    const int fixedRows = FixedRows();
    // Hidden rows after the removed block move up by the rows removed before them.
    FModel->FHiddenRows.DisplayedRowsRemoved(RowIndex, RCount);
    FModel->FRowFlags.RowsRemoved(RowIndex, RCount, FParts->FShowModified->Enabled, FParts->FMouseActions->DisjunctRowSelect());
    for (int i = RowIndex; i + RCount < RowCount(); ++i) FParts->MoveRowData(i + RCount, i, true);
    for (int i = RowCount() - RCount; i < RowCount(); ++i) FParts->EmptyRowData(i);
    SetRowCount(RowCount() - RCount);

    const int lastNormal = RowCount() - FixedFooters - 1;
    if (oldRow <= lastNormal && oldRow >= fixedRows) {
        if (!FParts->FMouseActions->DisjunctRowSelect() && oldRow != Row()) MoveCurrentCell(Col(), oldRow);
        if (oldTop >= fixedRows && oldTop < RowCount()) SetTopRow(oldTop);
    } else {
        FParts->RowsGoneMoveCurrent(lastNormal, fixedRows);
    }
    SetColWidths(ColCount() - 1, lastWidth);
    EndUpdate();
    CellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    CellControlsUpdate(false);
}

void TExStringGridPrivate::RowsGoneMoveCurrent(int LastNormal, int FixedRowsBefore)
{
    if (LastNormal >= FixedRowsBefore) {
        G.MoveCurrentCell(G.Col(), LastNormal);
        return;
    }
    // No normal row is left: no cell shows as current (the fixed rows never
    // do); the next insertion or row count brings the selection back.
    G.HideSelection();
    FSelHidden = false;
}

void TExStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    // The removed rows' property objects go with them (the moved rows take
    // over the slots, so nothing else would free them).
    const int cols = std::max(AllColCount(), MaxColCountReached());
    FreeCellProperties(0, RowIndex, cols - 1, RowIndex + RCount - 1);
    const int lastWidth = ColWidths(ColCount() - 1);
    const int oldRow = Row();
    const int oldTop = TopRow();
    BeginUpdate();
    FModel->FHiddenRows.DisplayedRowsRemoved(RowIndex, RCount);
    if (FParts->FMouseActions->DisjunctRowSelect()) FModel->FRowFlags.RowsRemoved(RowIndex, RCount, false, true);
    for (int i = RowIndex; i + RCount < RowCount(); ++i) FParts->MoveRowData(i + RCount, i, false);
    for (int i = RowCount() - RCount; i < RowCount(); ++i) FParts->EmptyRowData(i);
    SetRowCount(RowCount() - RCount);
    SetColWidths(ColCount() - 1, lastWidth);
    if (oldRow < RowCount() && oldRow >= FixedRows()) {
        MoveCurrentCell(Col(), oldRow);
        if (oldTop >= FixedRows() && oldTop < RowCount()) SetTopRow(oldTop);
    } else if (RowCount() > FixedRows()) {
        MoveCurrentCell(Col(), FixedRows());
        SetTopRow(FixedRows());
    }
    EndUpdate();
    CellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExStringGridPrivate::DeleteRowsCore(int ARow, int ACount, bool Renumber)
{
    if (ARow < 0 || ARow >= G.RowCount() || ACount <= 0) return;
    ACount = std::min(ACount, G.RowCount() - ARow);
    if (Renumber) {
        // Controls placed in the removed rows leave the control list.
        for (int i = FControlList.Count() - 1; i >= 0; --i) {
            const int y = FControlList.GetControl(i)->FY;
            if (y >= ARow && y < ARow + ACount) FControlList.RemoveControl(i);
        }
    }
    const int lastWidth = G.ColWidths(G.ColCount() - 1);
    G.BeginUpdate();
    const int oldTop = G.TopRow();
    const int oldRow = G.Row();
    const int fixedRows = G.FixedRows();
    if (Renumber) G.FModel->FHiddenRows.DisplayedRowsRemoved(ARow, ACount);
    G.FModel->FRowFlags.RowsRemoved(ARow, ACount, FShowModified->Enabled,
                          FMouseActions->DisjunctRowSelect() && !FMouseActions->RowSelectPersistent);
    for (int i = ARow; i + ACount < G.RowCount(); ++i) MoveRowData(i + ACount, i, true);
    for (int i = G.RowCount() - ACount; i < G.RowCount(); ++i) EmptyRowData(i);
    G.SetRowCount(G.RowCount() - ACount);
    const int lastNormal = G.RowCount() - G.FixedFooters - 1;
    if (oldRow <= lastNormal && oldRow >= fixedRows) {
        G.MoveCurrentCell(G.Col(), oldRow);
        if (oldTop >= fixedRows && oldTop < G.RowCount()) G.SetTopRow(oldTop);
    } else {
        RowsGoneMoveCurrent(lastNormal, fixedRows);
    }
    G.SetColWidths(G.ColCount() - 1, lastWidth);
    G.EndUpdate();
    if (!FDestroyingGrid) G.CellsChanged(Rect(0, ARow, G.ColCount() - 1, ARow + ACount));
}

void TExStringGrid::RemoveRowsDisplayed(int ARow, int ACount)
{
    if (ARow < 0 || ARow >= RowCount() || ACount <= 0) return;
    ACount = std::min(ACount, RowCount() - ARow);
    const int cols = std::max(AllColCount(), MaxColCountReached());
    FreeCellProperties(0, ARow, cols - 1, ARow + ACount - 1);
    FParts->DeleteRowsCore(ARow, ACount, true);
}

void TExStringGrid::RemoveCols(int ColIndex, int CCount)
{
    const int total = AllColCount();
    if (ColIndex < 0 || ColIndex >= total || CCount <= 0) return;
    CCount = std::min(CCount, total - ColIndex);
    // The removed cells lose their property objects and graphics (real
    // columns: no mapping of displayed ones here).
    FreeCellProperties(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
    FModel->FHiddenRows.ColsRemoved(ColIndex, CCount, [this](TObject* o) { FParts->FreeDetachedProperties(o); });

    // Displayed columns among the removed ones and where they start.
    int shownRemoved = 0;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (!IsHiddenColumn(c)) ++shownRemoved;
    const int d = Model().DisplCol(ColIndex);

    const int rows = RowCount();
    for (int i = ColIndex; i + CCount < total; ++i)
        for (int r = 0; r < rows; ++r) {
            SetGridCell(i, r, GetGridCell(i + CCount, r));
            SetGridObject(i, r, GetGridObject(i + CCount, r));
        }
    for (int i = std::max(ColIndex, total - CCount); i < total; ++i)
        for (int r = 0; r < rows; ++r) {
            SetGridCell(i, r, "");
            SetGridObject(i, r, nullptr);
        }
    for (int j = d; j + shownRemoved < ColCount(); ++j) SetColWidths(j, ColWidths(j + shownRemoved));
    // The hidden-column count follows the hidden flags: removed hidden
    // columns leave it, only the shown ones lower the displayed count.
    FModel->FHiddenCols.RemoveCols(ColIndex, CCount);
    const int newShown = std::max(1, total - CCount - NumHiddenColumns());
    SetColCount(newShown);
    CellsChanged(Rect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

void TExStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    BeginUpdate();
    for (int r = RowCount() - 1; r >= FixedRows(); --r) {
        bool state = false;
        const bool has = GetCheckBoxState(CheckBoxColumn, r, state);
        if (has && state == RemoveChecked) RemoveRows(r, 1);
    }
    EndUpdate();
}

void TExStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    const int c = Model().RealCol(ACol);
    BeginUpdate();
    std::set<std::string> seen;
    int r = FixedRows();
    while (r < RowCount() - FixedFooters) {
        std::string key = GetGridCell(c, r);
        if (!DoCase) key = UpperCase(key);
        if (seen.count(key)) {
            RemoveRowsDisplayed(r, 1);
        } else {
            seen.insert(key);
            ++r;
        }
    }
    EndUpdate();
}

void TExStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    if (FParts->FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FParts->FMouseActions->RowSelectPersistent;
        std::vector<int> rows;
        for (int r = RowCount() - FixedFooters - 1; r >= FixedRows(); --r)
            if (FModel->FRowFlags.Selected(persistent ? Model().RealRow(r) : r)) rows.push_back(r);
        // Bottom up, so that the rows still to go keep their index.
        for (int r : rows) RemoveRowsDisplayed(r, 1);
        ClearRowSelect();
    } else {
        const TGridRect s = Selection();
        for (int r = std::max(s.Top, s.Bottom); r >= std::min(s.Top, s.Bottom); --r) RemoveRowsDisplayed(r, 1);
    }
    EndUpdate();
}

void TExStringGrid::RemoveUnSelectedRows()
{
    BeginUpdate();
    const bool persistent = FParts->FMouseActions->RowSelectPersistent;
    for (int r = RowCount() - FixedFooters - 1; r >= FixedRows(); --r)
        if (!FModel->FRowFlags.Selected(persistent ? Model().RealRow(r) : r)) RemoveRowsDisplayed(r, 1);
    if (persistent)
        SelectRows(FixedRows(), RowCount() - FixedRows());
    else
        ClearRowSelect();
    EndUpdate();
}

void TExStringGrid::RemoveSelectedCols()
{
    if (FParts->FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (FModel->FColFlags.Selected(c)) {
                RemoveCols(c, 1);
                FModel->FColFlags.ColsRemoved(c, 1);
            }
    } else {
        const TGridRect s = Selection();
        RemoveCols(s.Left, s.Right - s.Left + 1);
    }
}

void TExStringGrid::RemoveUnSelectedCols()
{
    if (FParts->FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (!FModel->FColFlags.Selected(c)) {
                RemoveCols(c, 1);
                FModel->FColFlags.ColsRemoved(c, 1);
            }
    } else {
        const TGridRect s = Selection();
        if (s.Right + 1 < ColCount()) RemoveCols(s.Right + 1, ColCount() - s.Right - 1);
        if (s.Left > FixedCols()) RemoveCols(FixedCols(), s.Left - FixedCols());
    }
    ClearColSelect();
}

void TExStringGrid::HideSelectedRows()
{
    BeginUpdate();
    for (int r = RowCount() - 1; r >= FixedRows(); --r)
        if (RowSelect(FParts->FMouseActions->RowSelectPersistent ? Model().RealRow(r) : r)) HideRows(Model().RealRow(r), Model().RealRow(r));
    EndUpdate();
}

void TExStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    int r = FixedRows();
    while (r < RowCount()) {
        const int before = RowCount();
        if (!RowSelect(FParts->FMouseActions->RowSelectPersistent ? Model().RealRow(r) : r))
            HideRows(Model().RealRow(r), Model().RealRow(r));
        if (RowCount() == before) ++r;
    }
    EndUpdate();
}

// --- clearing, trimming, colouring ------------------------------------------------------------

void TExStringGridPrivate::FreeDetachedProperties(TObject* Obj)
{
    // The property object frees the graphic it owns.
    delete dynamic_cast<TCellProperties*>(Obj);
}

void TExStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (ACol1 > ACol2) std::swap(ACol1, ACol2);
    if (ARow1 > ARow2) std::swap(ARow1, ARow2);
    const int lastCol = SaveHiddenCells ? ColCount() - 1 : std::max(AllColCount(), MaxColCountReached()) - 1;
    const int c1 = std::max(ACol1, 0), c2 = std::min(ACol2, lastCol);
    const int r1 = std::max(ARow1, 0), r2 = std::min(ARow2, RowCount() - 1);
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c) {
            const int rc = SaveHiddenCells ? Model().RealCol(c) : c;
            if (!ClearOnlyText && GetGridObject(rc, r)) {
                if (FParts->FKeepObjects)
                    SetGridObject(rc, r, nullptr);
                else
                    FreeCellProperties(rc, r, rc, r);
            }
            if (!FParts->FDestroyingGrid && !GetGridCell(rc, r).empty()) {
                SetGridCell(rc, r, "");
                const int d = Model().DisplCol(rc);
                if (d != rc) RepaintCell(d, r);
            }
        }
    // Every property object is gone only when the whole store was cleared
    // (hidden columns and the saved rows of hidden rows included).
    if (!ClearOnlyText && !FParts->FKeepObjects && c1 == 0 && r1 == 0 && c2 >= AllColCount() - 1 && r2 >= RowCount() - 1 &&
        NumHiddenRows() == 0)
        HasCellProps = false;
    if (!FParts->FDestroyingGrid && !FParts->FNoChangeNotify) {
        const int m1 = SaveHiddenCells ? Model().RealCol(ACol1) : ACol1;
        const int m2 = SaveHiddenCells ? Model().RealCol(ACol2) : ACol2;
        CellsChanged(Rect(m1, ARow1, m2, ARow2));
    }
}

void TExStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (ACol1 > ACol2) std::swap(ACol1, ACol2);
    if (ARow1 > ARow2) std::swap(ARow1, ARow2);
    for (int r = std::max(ARow1, 0); r <= std::min(ARow2, RowCount() - 1); ++r)
        for (int c = std::max(ACol1, 0); c <= ACol2 && c < AllColCount(); ++c) {
            const int rc = SaveHiddenCells ? Model().RealCol(c) : c;
            const std::string s = GetGridCell(rc, r);
            const std::string t = Trim(s);
            if (t != s) SetGridCell(rc, r, t);
        }
}

void TExStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RowCount() > 0 && ColCount() > 0 && RCount > 0)
        ClearRect(0, RowIndex, ColCount() + NumHiddenColumns() - 1, RowIndex + RCount - 1);
}

void TExStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (RowCount() > 0 && ColCount() > 0 && CCount > 0)
        ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TExStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RowCount() > 0 && ColCount() > 0 && RCount > 0)
        ClearRect(FixedCols(), RowIndex, ColCount() + NumHiddenColumns() - FixedRightCols - 1,
                  RowIndex + RCount - 1);
}

void TExStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (RowCount() > 0 && ColCount() > 0 && CCount > 0)
        ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FixedFooters - 1);
}

void TExStringGrid::ClearNormalCells()
{
    if (RowCount() > 0 && ColCount() > 0)
        ClearRect(FixedCols(), FixedRows(), ColCount() + NumHiddenColumns() - FixedRightCols - 1,
                  RowCount() - FixedFooters - 1);
}

void TExStringGrid::ClearSelection()
{
    if (FParts->FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FParts->FMouseActions->RowSelectPersistent;
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (FModel->FRowFlags.Selected(persistent ? Model().RealRow(r) : r)) ClearRows(r, 1);
    } else if (FParts->FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (FModel->FColFlags.Selected(c)) ClearCols(c, 1);
    } else {
        const TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}

void TExStringGrid::Clear()
{
    if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
    if (NumHiddenColumns() > 0) Invalidate();
}

void TExStringGrid::ClearAll()
{
    Clear();
    FModel->FHiddenRows.ClearTexts();
}

void TExStringGrid::TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
void TExStringGrid::TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
void TExStringGrid::TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }

void TExStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    for (int r = std::min(ARow1, ARow2); r <= std::max(ARow1, ARow2); ++r)
        for (int c = std::min(ACol1, ACol2); c <= std::max(ACol1, ACol2); ++c) SetColors(c, r, AColor);
}

void TExStringGrid::SwapCells(TPoint FromCell, TPoint ToCell)
{
    if (FromCell.X < 0 || FromCell.Y < 0 || ToCell.X < 0 || ToCell.Y < 0) return;
    const std::string t = GetGridCell(FromCell.X, FromCell.Y);
    TObject* o = GetGridObject(FromCell.X, FromCell.Y);
    SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
    SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
    SetGridCell(ToCell.X, ToCell.Y, t);
    SetGridObject(ToCell.X, ToCell.Y, o);
}

// --- merging and splitting ----------------------------------------------------------------------

void TExStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int last = RowCount() - FixedFooters - 1;
    int start = FixedRows();
    int len = 1;
    for (int r = FixedRows() + 1; r <= last; ++r) {
        if (Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))) {
            ++len;
        } else {
            if (len > 1) MergeCells(ColIndex, start, 1, len);
            start = r;
            len = 1;
        }
    }
    if (len > 1) MergeCells(ColIndex, start, 1, len);
}

void TExStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int last = ColCount() - FixedRightCols - 1;
    int start = FixedCols();
    int len = 1;
    for (int c = FixedCols() + 1; c <= last; ++c) {
        if (Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c, c - 1))) {
            ++len;
        } else {
            if (len > 1) MergeCells(start, RowIndex, len, 1);
            start = c;
            len = 1;
        }
    }
    if (len > 1) MergeCells(start, RowIndex, len, 1);
}

void TExStringGrid::SplitColumnCells(int ColIndex)
{
    int r = 0;
    while (r < RowCount() - FixedFooters) {
        const TPoint span = CellSpan(ColIndex, r);
        if (span.Y > 0) {
            SplitCells(ColIndex, r);
            r += span.Y + 1;
        } else {
            ++r;
        }
    }
}

void TExStringGrid::SplitRowCells(int RowIndex)
{
    int c = 0;
    while (c < ColCount() - FixedRightCols) {
        const TPoint span = CellSpan(c, RowIndex);
        if (span.X > 0) {
            SplitCells(c, RowIndex);
            c += span.X + 1;
        } else {
            ++c;
        }
    }
}

void TExStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r) && IsBaseCell(c, r)) SplitCells(c, r);
}

void TExStringGrid::MergeCols(int ColIndex1, int ColIndex2, const std::string& Separator)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCells(ColIndex1, r, Trim(Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)));
    RemoveCols(ColIndex2, 1);
}

// --- size and fixed parts -------------------------------------------------------------------------

void TExStringGrid::SetRowCount(int Value)
{
    // A grid kept at its fixed row brings its hidden selection back first.
    if (FixedRowAlways && RowCount() == FixedRows() && (FParts->FSelHidden || Row() >= RowCount())) UnHideSelection();
    TBaseGrid::SetRowCount(Value);
    if (FixedRowAlways && RowCount() > FParts->FFixedRowsMin && TCustomGrid::FixedRows() != FParts->FFixedRowsMin)
        TCustomGrid::SetFixedRows(FParts->FFixedRowsMin);
    FParts->NoteCounts();
}

void TExStringGrid::SetColCount(int Value)
{
    TStringGrid::SetColCount(Value);
    if (FixedColAlways && ColCount() > FParts->FFixedColsMin && TCustomGrid::FixedCols() != FParts->FFixedColsMin)
        TCustomGrid::SetFixedCols(FParts->FFixedColsMin);
    FParts->NoteCounts();
}

int TExStringGrid::FixedRows() const
{
    const int n = TCustomGrid::FixedRows();
    return (n == 0 && FixedRowAlways) ? 1 : n;
}

void TExStringGrid::SetFixedRows(int Value)
{
    if (Value >= RowCount() && FixedRowAlways)
        TCustomGrid::SetFixedRows(RowCount() - 1);
    else
        TCustomGrid::SetFixedRows(Value);
    if (!Loading()) FParts->FFixedRowsMin = Value;
}

int TExStringGrid::FixedCols() const
{
    const int n = TCustomGrid::FixedCols();
    return (n == 0 && FixedColAlways) ? 1 : n;
}

void TExStringGrid::SetFixedCols(int Value)
{
    if (Value >= ColCount() && FixedColAlways)
        TCustomGrid::SetFixedCols(ColCount() - 1);
    else
        TCustomGrid::SetFixedCols(Value);
    if (!Loading()) FParts->FFixedColsMin = Value;
}

void TExStringGrid::SetFixedColWidth(int Value)
{
    if (Loading() || Value == DefaultColWidth()) return;
    for (int c = 0; c < TCustomGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void TExStringGrid::SetFixedRowHeight(int Value)
{
    FParts->FFixedRowHeight = Value;
    if (Loading()) return;
    if (Value == DefaultRowHeight()) {
        SetDefaultRowHeight(Value);
        return;
    }
    for (int r = 0; r < TCustomGrid::FixedRows(); ++r) SetRowHeights(r, Value);
}

void TExStringGrid::SetTopRow(int Value)
{
    if (Value < FixedRows() || Value > RowCount() - 1) return;
    TCustomGrid::SetTopRow(Value);
}

// --- update lock ------------------------------------------------------------------------------------

void TExStringGrid::BeginUpdate()
{
    // The count always counts; redraw goes off once, and only on a shown grid.
    if (FModel->FUpdateLock.Begin(FParts->IsShowing()) && !FParts->FRedrawOff) {
        FParts->FRedrawOff = true;
        SetRedraw(false);
    }
}

void TExStringGrid::EndUpdate()
{
    const bool repaint = FModel->FUpdateLock.End(FParts->IsShowing(), FParts->FDestroyingGrid);
    if (FModel->FUpdateLock.Count() == 0 && FParts->FRedrawOff) {
        // Also when the grid was hidden meanwhile: a grid shown later with
        // the count at 0 must paint.
        FParts->FRedrawOff = false;
        SetRedraw(true);
    }
    if (repaint) {
        FParts->FSelectionChanged = false;
        Invalidate();
    }
}

void TExStringGrid::ResetUpdate()
{
    FModel->FUpdateLock.Reset();
    if (FParts->FRedrawOff) {
        FParts->FRedrawOff = false;
        SetRedraw(true);
    }
}

// --- repainting -------------------------------------------------------------------------------------

// Flag changes repaint their row or column (the painter's own repaint
// operations are not needed for that).
void TExStringGridPrivate::InvalidateGridRow(int ARow)
{
    if (ARow >= 0 && ARow < G.RowCount()) G.InvalidateRow(ARow);
}

void TExStringGridPrivate::InvalidateGridCol(int ACol)
{
    if (ACol >= 0 && ACol < G.ColCount()) G.InvalidateCol(ACol);
}

void TExStringGrid::RepaintRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    const int last = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    const TRect r = UnionRect(TCustomGrid::CellRect(0, ARow), TCustomGrid::CellRect(last, ARow));
    if (!IsRectEmpty(r)) InvalidateRect(r);
}

void TExStringGrid::RepaintCol(int ACol)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    const int last = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    const TRect r = UnionRect(TCustomGrid::CellRect(ACol, TopRow()), TCustomGrid::CellRect(ACol, last));
    if (!IsRectEmpty(r)) InvalidateRect(r);
}

void TExStringGrid::RepaintRect(const TRect& R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
    const TRect a = TCustomGrid::CellRect(R.Left, R.Top);
    const TRect b = TCustomGrid::CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom);
    // A corner out of view: the whole grid.
    if (IsRectEmpty(a) || IsRectEmpty(b))
        Invalidate();
    else
        InvalidateRect(UnionRect(a, b));
}

void TExStringGrid::InvalidateCellRange(const TRect& R)
{
    const TRect r = UnionRect(TCustomGrid::CellRect(R.Left, R.Top), TCustomGrid::CellRect(R.Right, R.Bottom));
    if (!IsRectEmpty(r)) InvalidateRect(r);
}

void TExStringGrid::EditCell(int ACol, int ARow)
{
    if (Host()) Host()->SetFocus();
    GotoCell(ACol, ARow);
    // The cell's own editor kinds come with the editing code; the text
    // editor opens where the grid allows editing.
    if (Options().Contains(goEditing)) ShowEditor();
}

// --- current cell ---------------------------------------------------------------------------------

void TExStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TExStringGrid::FocusCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    SetSelection(TGridRect{ACol, ARow, ACol, ARow});
}

void TExStringGrid::MoveToCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    MoveCurrent(ACol, ARow, true, true);
}

void TExStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    auto inside = [&](int c, int r) { return c >= 0 && r >= 0 && c < ColCount() && r < RowCount(); };
    if (!inside(FromCol, FromRow) || !inside(ToCol, ToRow)) return;
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

// --- row and column selection -----------------------------------------------------------------------

bool TExStringGrid::RowSelect(int ARow) const
{
    if (!FParts->FMouseActions->RowSelectPersistent && (ARow < 0 || ARow >= RowCount() + NumHiddenRows()))
        throw EExGridError("Invalid row " + IntToStr(ARow) + " accessed");
    // No flag is kept before row 0.
    if (ARow < 0) return false;
    if (FParts->FMouseActions->DisjunctRowSelect()) return FModel->FRowFlags.Selected(ARow);
    const TGridRect s = Selection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TExStringGrid::SetRowSelect(int ARow, bool Value)
{
    // A grid that has only its fixed rows (kept by FixedRowAlways too)
    // takes flags of rows still to come.
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
        throw EExGridError("Invalid row accessed");
    if (FModel->FRowFlags.WouldChange(ARow, Value) && OnRowDisjunctSelect) {
        bool allow = true;
        OnRowDisjunctSelect(this, ARow, Value, allow);
        if (!allow) return;
    }
    if (FModel->FRowFlags.SetSelected(ARow, Value, FixedRows())) FParts->InvalidateGridRow(ARow);
    if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

void TExStringGrid::ClearRowSelect()
{
    for (int r : FModel->FRowFlags.ClearSelection()) FParts->InvalidateGridRow(r);
}

bool TExStringGrid::ColSelect(int ACol) const
{
    if (ACol < 0 || ACol >= ColCount()) throw EExGridError("Invalid column accessed");
    return FModel->FColFlags.Selected(ACol);
}

void TExStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount()) throw EExGridError("Invalid column accessed");
    if (FModel->FColFlags.SetSelected(ACol, Value)) FParts->InvalidateGridCol(ACol);
}

void TExStringGrid::ClearColSelect()
{
    for (int c : FModel->FColFlags.ClearSelection()) FParts->InvalidateGridCol(c);
}

void TExStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RowIndex < 0) {
        RCount += RowIndex;
        RowIndex = 0;
    }
    if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
    if (RCount > 0) {
        if (!FParts->FMouseActions->DisjunctRowSelect()) {
            SetSelection(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
        } else {
            const bool persistent = FParts->FMouseActions->RowSelectPersistent;
            for (int r = RowIndex; r < RowIndex + RCount; ++r) SetRowSelect(persistent ? Model().RealRow(r) : r, true);
        }
    }
    FParts->FSelectionChanged = false;
}

void TExStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (FParts->FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FParts->FMouseActions->RowSelectPersistent;
        for (int r = std::max(RowIndex, 0); r < RowIndex + RCount && r < RowCount(); ++r)
            SetRowSelect(persistent ? Model().RealRow(r) : r, false);
    }
    FParts->FSelectionChanged = false;
}

void TExStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (ColIndex < 0) {
        CCount += ColIndex;
        ColIndex = 0;
    }
    if (ColIndex + CCount > ColCount()) CCount = ColCount() - ColIndex;
    if (CCount <= 0) return;
    if (!FParts->FMouseActions->DisjunctColSelect()) {
        SetSelection(TGridRect{ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
    } else {
        for (int c = ColIndex; c < ColIndex + CCount; ++c) SetColSelect(c, true);
    }
}

void TExStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!FParts->FMouseActions->DisjunctColSelect()) return;
    for (int c = std::max(ColIndex, 0); c < ColIndex + CCount && c < ColCount(); ++c) SetColSelect(c, false);
}

void TExStringGrid::SyncRowSelect(bool All)
{
    TGridRect s = Selection();
    s.Bottom = std::min(s.Bottom, RowCount() - FixedFooters - 1);
    const bool persistent = FParts->FMouseActions->RowSelectPersistent;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= s.Top && r <= s.Bottom;
        if (All || inside) SetRowSelect(persistent ? Model().RealRow(r) : r, inside);
    }
    if (NumHiddenRows() > 0) Invalidate();
}

void TExStringGrid::SyncColSelect(bool All)
{
    const TGridRect s = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (All || inside) SetColSelect(c, inside);
    }
}

int TExStringGrid::RowSelectCount() const
{
    if (FParts->FMouseActions->DisjunctRowSelect()) return FModel->FRowFlags.SelectCount(RowCount() + NumHiddenRows());
    const TGridRect s = Selection();
    return std::abs(s.Bottom - s.Top) + 1;
}

int TExStringGrid::ColSelectCount() const
{
    if (FParts->FMouseActions->DisjunctColSelect()) return FModel->FColFlags.SelectCount();
    const TGridRect s = Selection();
    return s.Right - s.Left + 1;
}

int TExStringGrid::SelectedRowCount() const
{
    if (FParts->FMouseActions->DisjunctRowSelect()) return static_cast<int>(FModel->FRowFlags.SelectedRows().size());
    TGridRect s = Selection();
    s.Bottom = std::min(s.Bottom, RowCount() - FixedFooters - 1);
    const int height = std::abs(s.Top - s.Bottom) + 1;
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).Y;
        return s.Bottom < s.Top + span ? span + 1 : height;
    }
    if (IsMergedCell(s.Left, s.Bottom)) return std::abs(s.Top - s.Bottom) + CellSpan(s.Left, s.Bottom).Y + 1;
    return height;
}

int TExStringGrid::SelectedColCount() const
{
    // With disjoint column selection: the columns whose flag is set.
    if (FParts->FMouseActions->DisjunctColSelect()) return FModel->FColFlags.SelectCount();
    const TGridRect s = Selection();
    const int width = std::abs(s.Left - s.Right) + 1;
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).X;
        return s.Left + span > s.Right ? span + 1 : width;
    }
    if (IsMergedCell(s.Right, s.Top)) return width + CellSpan(s.Right, s.Top).X;
    return width;
}

int TExStringGrid::SelectedRow(int i) const
{
    if (i < 0) return -1;
    if (FParts->FMouseActions->DisjunctRowSelect()) {
        const auto& rows = FModel->FRowFlags.SelectedRows();
        return i < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(i)] : -1;
    }
    const TGridRect s = Selection();
    const int r = std::min(s.Top, s.Bottom) + i;
    return r <= std::max(s.Top, s.Bottom) ? r : -1;
}

bool TExStringGrid::SelectedCells(int ACol, int ARow) const
{
    if (FParts->FMouseActions->DisjunctCellSelect()) return FModel->FSelectedCells.HasValue(Packed(ACol, ARow));
    const TGridRect s = Selection();
    return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) &&
           ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TExStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
    if (ACol < 0 || ARow < 0 || ACol > 0xFFFF || ARow > 0x7FFF) return;
    const int p = Packed(ACol, ARow);
    const bool has = FModel->FSelectedCells.HasValue(p);
    if (Value && !has)
        FModel->FSelectedCells.Add(p);
    else if (!Value && has)
        FModel->FSelectedCells.DeleteValue(p);
    else
        return;
    RepaintCell(ACol, ARow);
}

TPoint TExStringGrid::SelectedCell(int i) const
{
    if (i < 0 || i >= FModel->FSelectedCells.Count()) return TPoint{-1, -1};
    const unsigned p = static_cast<unsigned>(FModel->FSelectedCells.Items(i));
    return TPoint{static_cast<int>(p & 0xFFFF), static_cast<int>(p >> 16)};
}

int TExStringGrid::SelectedCellsCount()
{
    if (!FParts->FMouseActions->DisjunctCellSelect()) {
        FModel->FSelectedCells.Clear();
        const TGridRect s = Selection();
        if (s.Left == s.Right && s.Top == s.Bottom) {
            FModel->FSelectedCells.Add(Packed(Col(), Row()));
        } else {
            for (int c = s.Left; c <= s.Right; ++c)
                for (int r = s.Top; r <= s.Bottom; ++r)
                    if (!FModel->FSelectedCells.HasValue(Packed(c, r))) FModel->FSelectedCells.Add(Packed(c, r));
        }
    }
    return FModel->FSelectedCells.Count();
}

void TExStringGrid::ClearSelectedCells()
{
    if (FixedCols() < ColCount() && FixedRows() < RowCount())
        SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    FModel->FSelectedCells.Clear();
    Invalidate();
}

// --- row states -----------------------------------------------------------------------------------------

bool TExStringGrid::RowModified(int ARow) const { return FModel->FRowFlags.Modified(ARow); }

void TExStringGrid::SetRowModified(int ARow, bool Value)
{
    if (ARow < 0) return;
    FModel->FRowFlags.SetModified(ARow, Value);
    RepaintCell(0, ARow);
}

void TExStringGrid::ClearModifiedRows()
{
    FModel->FRowFlags.ClearModified();
    Invalidate();
}

bool TExStringGrid::RowEnabled(int ARow) const { return FModel->FRowFlags.Enabled(ARow); }

void TExStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0) return;
    if (ARow == Row() && !Value) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != ARow && FModel->FRowFlags.Enabled(r)) {
                MoveCurrentCell(Col(), r);
                break;
            }
    }
    FModel->FRowFlags.SetEnabled(ARow, Value);
    FParts->InvalidateGridRow(ARow);
}
