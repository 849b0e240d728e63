// TExStringGrid: moving, swapping and numbering rows and columns, selection
// and cell-range operations.
//
// Rows are moved and exchanged with all their stored cells: the cells of
// hidden columns live at their real index in the same row and hold real
// data in the rule windows, so they travel with their row.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/GridUtil.h"

#include <algorithm>
#include <utility>

// --- helpers ---------------------------------------------------------------------------------

void TExStringGridPrivate::RenumberCellProperties(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (!G.HasCellProps) return;
    for (int r = std::max(ARow1, 0); r <= ARow2; ++r)
        for (int c = std::max(ACol1, 0); c <= ACol2; ++c)
            if (TCellProperties* p = G.FindCellProperties(c, r)) {
                p->OwnerCol = c;
                p->OwnerRow = r;
            }
}

void TExStringGridPrivate::ExchangeRows(int ARow1, int ARow2)
{
    G.ExchangeRowCells(ARow1, ARow2);
    const int lastCol = std::max(G.AllColCount(), G.MaxColCountReached()) - 1;
    RenumberCellProperties(0, ARow1, lastCol, ARow1);
    RenumberCellProperties(0, ARow2, lastCol, ARow2);
    G.InvalidateRow(ARow1);
    G.InvalidateRow(ARow2);
}

namespace {

[[noreturn]] void InvalidRow() { throw EExGridError("Invalid row accessed"); }
[[noreturn]] void InvalidColumn() { throw EExGridError("Invalid column accessed"); }

// The new index of an item at i when the item at from moves to to (the
// items between shift by one).
int IndexAfterMove(int i, int from, int to)
{
    if (i == from) return to;
    if (from < to && i > from && i <= to) return i - 1;
    if (to < from && i >= to && i < from) return i + 1;
    return i;
}

} // namespace

// --- moving ----------------------------------------------------------------------------------

namespace {

// Moves the entry at From to To in a size table read by get and written by
// set (the entries between shift by one).
template <class Get, class Set> void MoveTableEntry(int From, int To, Get get, Set set)
{
    if (From == To) return;
    const int keep = get(From);
    if (From < To)
        for (int i = From; i < To; ++i) set(i, get(i + 1));
    else
        for (int i = From; i > To; --i) set(i, get(i - 1));
    set(To, keep);
}

// Puts the entries From..To of a size table back where they were before a
// move of From to To (the platform moves them along first).
template <class Get, class Set> void UndoTableMove(int From, int To, Get get, Set set)
{
    MoveTableEntry(To, From, get, set);
}

// A flag set for the time of a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& f) : F(f) { F = true; }
    ~TFlagScope() { F = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& F;
};

} // namespace

void TExStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || FromIndex >= ColCount() || ToIndex < 0 || ToIndex >= ColCount()) InvalidColumn();
    if (FModel->FColumnOrder.Count() == 0) SetColumnOrder();
    // The class library moves the width and calls ColumnMoved, which moves
    // the column's data and everything kept per column. Without
    // EnhRowColMove the widths stay with their places.
    TCustomGrid::MoveColumn(FromIndex, ToIndex);
    if (!EnhRowColMove)
        UndoTableMove(
            FromIndex, ToIndex, [this](int i) { return ColWidths(i); }, [this](int i, int w) { SetColWidths(i, w); });
}

void TExStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    // Displayed indexes; the data lies at the real columns (hidden columns
    // between the two shift with the others).
    const int f = Model().RealCol(FromIndex);
    const int t = Model().RealCol(ToIndex);
    const bool hidden = NumHiddenColumns() > 0;
    if (f != t && f >= 0 && t >= 0) {
        const int lo = std::min(f, t), hi = std::max(f, t);
        std::vector<std::pair<std::string, TObject*>> span(static_cast<std::size_t>(hi - lo + 1));
        for (int r = 0; r < RowCount(); ++r) {
            for (int c = lo; c <= hi; ++c) span[static_cast<std::size_t>(c - lo)] = {GetGridCell(c, r), GetGridObject(c, r)};
            for (int c = lo; c <= hi; ++c) {
                const auto& v = span[static_cast<std::size_t>(IndexAfterMove(c, t, f) - lo)];
                SetGridCell(c, r, v.first);
                SetGridObject(c, r, v.second);
            }
        }
        FParts->RenumberCellProperties(lo, 0, hi, RowCount() - 1);
        // The hidden rows' cells, the hidden flags and saved widths, the
        // recorded order entry and the placed controls go along. (The
        // flags follow their data whatever EnhRowColMove says: a flag left
        // behind would hide another column's cells.)
        FModel->FHiddenRows.ColMoved(f, t);
        FModel->FHiddenCols.MoveCol(f, t);
        if (FModel->FColumnOrder.Count() > 0) {
            for (int i = FModel->FColumnOrder.Count(); i <= hi; ++i) FModel->FColumnOrder.Add(i);
            const int entry = FModel->FColumnOrder.Items(f);
            FModel->FColumnOrder.Delete(f);
            FModel->FColumnOrder.Insert(t, entry);
        }
        for (int i = 0; i < FParts->FControlList.Count(); ++i) {
            TControlItem* ci = FParts->FControlList.Control(i);
            ci->FX = IndexAfterMove(ci->FX, f, t);
        }
    }
    // A column moved during this press: its release neither sorts nor
    // reports check-box releases.
    FParts->Input.ColMoveFlg = true;
    // OnColumnMoved: real indexes once columns are hidden.
    TCustomGrid::ColumnMoved(hidden ? f : FromIndex, hidden ? t : ToIndex);

    // The indexes that name columns follow their column.
    if (f >= 0 && t >= 0 && f != t) {
        FParts->FSortSettings->Column = FParts->FSortSettings->Column < 0 ? FParts->FSortSettings->Column
                                                          : IndexAfterMove(FParts->FSortSettings->Column, f, t);
        if (FParts->FSortSettings->IndexShow)
            for (int i = 0; i < FModel->FSortIndexes.Count(); ++i) {
                const auto v = static_cast<unsigned>(FModel->FSortIndexes.Items(i));
                const int col = IndexAfterMove(static_cast<int>(v & 0xFFFFu), f, t);
                const unsigned nv = (v & 0xFFFF0000u) | (static_cast<unsigned>(col) & 0xFFFFu);
                if (nv != v) FModel->FSortIndexes.SetInteger(i, static_cast<int>(nv));
            }
    }
    if (FromIndex != ToIndex) {
        const TGridCoord cur{IndexAfterMove(Col(), FromIndex, ToIndex), Row()};
        const TGridCoord anc{IndexAfterMove(Anchor().X, FromIndex, ToIndex), Anchor().Y};
        if (cur.X != Col() || anc.X != Anchor().X) PlaceCurrent(cur, anc);
    }
    UpdateFooter();
    CellControlsUpdate(false);

    // A linked grid repeats the move once (its own repeat comes not back).
    if (FParts->FSyncGrid->MoveColumn && !FParts->FSyncedMove)
        if (auto* other = dynamic_cast<TExStringGrid*>(FParts->FSyncGrid->Grid());
            other && other != this && FromIndex < other->ColCount() && ToIndex < other->ColCount()) {
            TFlagScope scope(other->Parts().FSyncedMove);
            other->MoveColumn(FromIndex, ToIndex);
        }
}

void TExStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || FromIndex >= RowCount() || ToIndex < 0 || ToIndex >= RowCount()) InvalidRow();
    if (FromIndex == ToIndex) return;
    // The footer kept in view as the last row takes no other row's place.
    if (FParts->Input.FloatingFooterOnLastRow() && ToIndex == RowCount() - 1) return;
    TCustomGrid::MoveRow(FromIndex, ToIndex);
    if (!EnhRowColMove)
        UndoTableMove(
            FromIndex, ToIndex, [this](int i) { return RowHeights(i); }, [this](int i, int h) { SetRowHeights(i, h); });
    for (int i = 0; i < FParts->FControlList.Count(); ++i) {
        TControlItem* ci = FParts->FControlList.Control(i);
        ci->FY = IndexAfterMove(ci->FY, FromIndex, ToIndex);
    }
    FParts->RenumberCellProperties(0, std::min(FromIndex, ToIndex), std::max(AllColCount(), MaxColCountReached()) - 1,
                           std::max(FromIndex, ToIndex));
    CellControlsUpdate(false);
}

void TExStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    // The class library's own row dragging comes here directly, its height
    // already moved: onto a footer kept in view it is put back.
    if (FParts->Input.FloatingFooterOnLastRow() && ToIndex == RowCount() - 1) {
        UndoTableMove(
            FromIndex, ToIndex, [this](int i) { return RowHeights(i); }, [this](int i, int h) { SetRowHeights(i, h); });
        return;
    }
    // OnRowMoved waits until everything has moved.
    auto moved = std::move(OnRowMoved);
    OnRowMoved = nullptr;
    try {
        TBaseGrid::RowMoved(FromIndex, ToIndex);
    } catch (...) {
        OnRowMoved = std::move(moved);
        throw;
    }
    OnRowMoved = std::move(moved);
    FParts->Input.ColMoveFlg = true;
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
    if (FParts->FSyncGrid->MoveRow && !FParts->FSyncedMove)
        if (auto* other = dynamic_cast<TExStringGrid*>(FParts->FSyncGrid->Grid());
            other && other != this && FromIndex < other->RowCount() && ToIndex < other->RowCount()) {
            TFlagScope scope(other->Parts().FSyncedMove);
            other->MoveRow(FromIndex, ToIndex);
        }
}

void TExStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count == 0) return;
    if (Count < 0 || FromIndex < 0 || FromIndex > RowCount() - Count) InvalidRow();
    int start = ToIndex;
    if (FromIndex + Count < ToIndex) start -= Count;
    if (start < 0 || start > RowCount() - Count) InvalidRow();
    if (start == FromIndex) return;
    // Row by row through the single-row move, which takes every stored cell
    // of the row, its height and its controls along.
    if (start > FromIndex)
        for (int i = 0; i < Count; ++i) MoveRow(FromIndex, start + Count - 1);
    else
        for (int i = 0; i < Count; ++i) MoveRow(FromIndex + i, start + i);
}

// --- swapping --------------------------------------------------------------------------------

void TExStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 < 0 || ACol2 < 0 || ACol1 >= AllColCount() || ACol2 >= AllColCount()) InvalidColumn();
    if (ACol1 == ACol2) return;
    for (int r = 0; r < RowCount(); ++r) {
        std::string t1 = GetGridCell(ACol1, r);
        TObject* o1 = GetGridObject(ACol1, r);
        SetGridCell(ACol1, r, GetGridCell(ACol2, r));
        SetGridObject(ACol1, r, GetGridObject(ACol2, r));
        SetGridCell(ACol2, r, t1);
        SetGridObject(ACol2, r, o1);
    }
    FParts->RenumberCellProperties(ACol1, 0, ACol1, RowCount() - 1);
    FParts->RenumberCellProperties(ACol2, 0, ACol2, RowCount() - 1);
    // The hidden rows' saved cells are exchanged too.
    FModel->FHiddenRows.ColsSwapped(ACol1, ACol2);
    // Widths belong to the displayed columns; a hidden column keeps the
    // width it had when it was hidden.
    if (!IsHiddenColumn(ACol1) && !IsHiddenColumn(ACol2)) {
        const int d1 = Model().DisplCol(ACol1);
        const int d2 = Model().DisplCol(ACol2);
        if (d1 < ColCount() && d2 < ColCount()) {
            const int w = ColWidths(d1);
            SetColWidths(d1, ColWidths(d2));
            SetColWidths(d2, w);
        }
    }
    // The sort column follows its column once the sort settings exist; a
    // grid without them has no sort column.
    for (int i = 0; i < FParts->FControlList.Count(); ++i) {
        TControlItem* ci = FParts->FControlList.Control(i);
        if (ci->FX == ACol1)
            ci->FX = ACol2;
        else if (ci->FX == ACol2)
            ci->FX = ACol1;
    }
    CellControlsUpdate(false);
    Invalidate();
}

void TExStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount()) InvalidRow();
    if (ARow1 == ARow2) return;
    FParts->ExchangeRows(ARow1, ARow2);
    const int h = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, h);
    for (int i = 0; i < FParts->FControlList.Count(); ++i) {
        TControlItem* ci = FParts->FControlList.Control(i);
        if (ci->FY == ARow1)
            ci->FY = ARow2;
        else if (ci->FY == ARow2)
            ci->FY = ARow1;
    }
}

void TExStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount()) InvalidRow();
    ++FModel->Swaps;
    if (ARow1 < FModel->FSortRowXRef.Count() && ARow2 < FModel->FSortRowXRef.Count()) {
        const int x = FModel->FSortRowXRef.Items(ARow1);
        FModel->FSortRowXRef.SetInteger(ARow1, FModel->FSortRowXRef.Items(ARow2));
        FModel->FSortRowXRef.SetInteger(ARow2, x);
    }
    if (ARow1 == ARow2) return;
    // Sorting on a single column exchanges only that column's cells; that
    // is a sort setting, and a grid without sort settings sorts whole rows.
    FParts->ExchangeRows(ARow1, ARow2);
    if (RowHeights(ARow1) != RowHeights(ARow2)) {
        const int h = RowHeights(ARow1);
        SetRowHeights(ARow1, RowHeights(ARow2));
        SetRowHeights(ARow2, h);
    }
    if (MouseActions().DisjunctRowSelect() && Navigation().MoveRowOnSort) {
        const int i1 = NumHiddenRows() > 0 ? Model().RealRow(ARow1) : ARow1;
        const int i2 = NumHiddenRows() > 0 ? Model().RealRow(ARow2) : ARow2;
        const bool s1 = RowSelect(i1);
        const bool s2 = RowSelect(i2);
        if (s1 != s2) {
            SetRowSelect(i1, s2);
            SetRowSelect(i2, s1);
        }
    }
    if (ShowModified().Enabled) {
        const bool m1 = RowModified(ARow1);
        const bool m2 = RowModified(ARow2);
        if (m1 != m2) {
            SetRowModified(ARow1, m2);
            SetRowModified(ARow2, m1);
        }
    }
    if (SortRow == ARow1)
        SortRow = ARow2;
    else if (SortRow == ARow2)
        SortRow = ARow1;
}

// --- numbering -------------------------------------------------------------------------------

void TExStringGrid::AutoNumberCol(int ACol)
{
    if (RowCount() <= 0) return;
    const int last = RowCount() - FixedFooters - 1;
    for (int a = FixedRows() + AutoNumberStart; a <= last; ++a) {
        const int number = a - FixedRows() + 1 + AutoNumberOffset;
        const int target = AutoNumberDirection == sdAscending ? a : FixedRows() + last - a;
        SetInts(ACol, target, number);
    }
}

void TExStringGrid::AutoNumberRow(int ARow)
{
    if (ColCount() <= 0) return;
    const int last = ColCount() - FixedRightCols - 1;
    for (int a = FixedCols() + AutoNumberStart; a <= last; ++a) {
        const int number = a - FixedCols() + 1 + AutoNumberOffset;
        const int target = AutoNumberDirection == sdAscending ? a : FixedCols() + last - a;
        SetInts(target, ARow, number);
    }
}

// --- selection -------------------------------------------------------------------------------

void TExStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    const bool inside = FromCol >= 0 && ToCol >= 0 && FromRow >= 0 && ToRow >= 0 && FromCol < ColCount() &&
                        ToCol < ColCount() && FromRow < RowCount() && ToRow < RowCount();
    if (!inside) throw EExGridError("Invalid cell");
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

std::string TExStringGrid::SelectedText()
{
    // With goRowSelect the selection spans the normal columns; taking the
    // fixed columns too is a drag-and-drop setting of whole-row drops,
    // which is off while the grid has no drag-and-drop settings.
    const TGridRect r = Selection();
    std::vector<int> rows;
    if (MouseActions().DisjunctRowSelect()) {
        for (int row = FixedRows(); row < RowCount(); ++row) {
            const int idx = MouseActions().RowSelectPersistent ? Model().RealRow(row) : row;
            if (RowSelect(idx)) rows.push_back(row);
        }
    } else {
        for (int row = r.Top; row <= r.Bottom; ++row) rows.push_back(row);
    }
    std::string out;
    for (int row : rows) {
        for (int c = r.Left; c <= r.Right; ++c) {
            std::string t = Cells(NumHiddenColumns() > 0 ? Model().RealCol(c) : c, row);
            // The plain text of rich text comes from the rich-edit control
            // of the editing code.
            if (t.find("{\\") != std::string::npos) ZEL_GRID_NOT_BUILT();
            if (ExcelClipboardFormat && TextLineCount(t, Multilinecells) > 1) t = QuoteMultiLine(t);
            out += t;
            if (c < r.Right) out += '\t';
        }
        if (row != r.Bottom) out += "\r\n";
    }
    return out;
}

bool TExStringGrid::IsSelected(int ACol, int ARow) const
{
    if (ARow < FixedRows() || ACol < FixedCols()) return false;
    auto* self = const_cast<TExStringGrid*>(this);
    if (self->MouseActions().DisjunctCellSelect())
        return FModel->FSelectedCells.HasValue(static_cast<int>((static_cast<unsigned>(ARow) << 16) |
                                                        (static_cast<unsigned>(ACol) & 0xFFFFu)));
    if (self->MouseActions().DisjunctRowSelect())
        return RowSelect(self->MouseActions().RowSelectPersistent ? Model().RealRow(ARow) : ARow);
    if (self->MouseActions().DisjunctColSelect()) return ColSelect(ACol);
    const TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
}

void TExStringGrid::HideSelection()
{
    // A second hide keeps the selection saved by the first.
    if (!FParts->FSelHidden) FParts->FOldSelection = Selection();
    SetSelectionOutside();
    FParts->FSelHidden = true;
}

void TExStringGrid::UnHideSelection()
{
    FParts->FSelHidden = false;
    TGridRect o = FParts->FOldSelection;
    if (o.Top >= 0 && o.Left >= 0 && o.Top < RowCount() && o.Left < ColCount()) {
        // Rows or columns removed meanwhile cut the block to the grid.
        o.Bottom = std::clamp(o.Bottom, o.Top, RowCount() - 1);
        o.Right = std::clamp(o.Right, o.Left, ColCount() - 1);
        SetSelection(o);
        return;
    }
    const int top = (FixedRowAlways && FixedRows() == RowCount()) ? 0 : FixedRows();
    const int left = (FixedColAlways && FixedCols() == ColCount()) ? 0 : FixedCols();
    if (top < RowCount() && left < ColCount()) SetSelection({left, top, left, top});
}

void TExStringGrid::UpdateEditMode() { SelectCell(Col(), Row()); }

TRect TExStringGrid::GetUsedCells()
{
    bool any = false;
    TRect used{0, 0, 0, 0};
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) {
            if (Cells(c, r).empty()) continue;
            if (!any) {
                used = {c, r, c, r};
                any = true;
            } else {
                used.Left = std::min(used.Left, c);
                used.Top = std::min(used.Top, r);
                used.Right = std::max(used.Right, c);
                used.Bottom = std::max(used.Bottom, r);
            }
        }
    return used;
}

// --- save range ------------------------------------------------------------------------------

int TExStringGrid::SaveStartCol() const { return (SaveFixedCells || SaveFixedCols) ? 0 : FixedCols(); }
int TExStringGrid::SaveStartRow() const { return (SaveFixedCells || SaveFixedRows) ? 0 : FixedRows(); }

int TExStringGrid::SaveEndCol() const
{
    return (SaveFixedCells || SaveFixedCols) ? ColCount() - 1 : ColCount() - FixedRightCols - 1;
}

int TExStringGrid::SaveEndRow() const
{
    return (SaveFixedCells || SaveFixedRows) ? RowCount() - 1 : RowCount() - FixedFooters - 1;
}

int TExStringGrid::SaveColCount() const
{
    return (SaveFixedCells || SaveFixedCols) ? ColCount() : ColCount() - FixedCols() - FixedRightCols;
}

int TExStringGrid::SaveRowCount() const
{
    return (SaveFixedCells || SaveFixedRows) ? RowCount() : RowCount() - FixedRows() - FixedFooters;
}

// --- scrolling and hit tests -----------------------------------------------------------------

void TExStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount() || ColIndex < 0 || RowIndex < 0) return;
    int l = LeftCol();
    int t = TopRow();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisibleColCount()) {
        SetCol(ColIndex);
        l = std::max(ColIndex - VisibleColCount() / 2, FixedCols());
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + VisibleRowCount()) {
        SetRow(RowIndex);
        t = std::max(RowIndex - VisibleRowCount() / 2, FixedRows());
    }
    l = std::min(l, ColCount() - VisibleColCount() + 1);
    if (FixedCols() + VisibleColCount() < ColCount()) SetLeftCol(l);
    t = std::min(t, RowCount() - VisibleRowCount() + 1);
    if (FixedRows() + VisibleRowCount() >= RowCount()) return;
    SetTopRow(t);
    // The search footer covers the bottom of the grid; its panel belongs to
    // the painting code.
    if (SearchFooter().Visible()) ZEL_GRID_NOT_BUILT();
}

void TExStringGrid::ScreenToCell(const TPoint& pt, int& ACol, int& ARow) const
{
    const TPoint p = ScreenToClient(pt);
    MouseToCell(p.X, p.Y, ACol, ARow);
}

bool TExStringGrid::IsOnSizingEdge(int X, int Y) const
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return false;
    const TRect R = TCustomGrid::CellRect(c, r);
    bool result = false;
    if (r <= FixedRows() && Options().Contains(goColSizing))
        result = std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4;
    if (c <= FixedCols() && Options().Contains(goRowSizing))
        result = std::abs(Y - R.Top) < 4 || std::abs(Y - R.Bottom) < 4;
    return result;
}

// --- picker choices -------------------------------------------------------------------------

void TExStringGrid::FireColorSelect()
{
    if (OnColorSelect && FParts->FColorPicker)
        OnColorSelect(this, Col(), Row(), FParts->FColorPicker->SelectedColor(), FParts->FColorPicker->SelectedColorText());
}

void TExStringGrid::FireImageSelect()
{
    if (OnImageSelect && FParts->FImagePicker) OnImageSelect(this, Col(), Row(), FParts->FImagePicker->ItemIndex());
}
