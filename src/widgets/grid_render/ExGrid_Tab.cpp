// TExStringGrid: Tab and Shift+Tab from cell to cell (wrapping, appending a
// row or leaving the grid at the end) and the append of an empty data row.

#include "widgets/ExStringGrid.h"

#include <set>
#include <utility>

namespace {

// Sets a flag for a scope; the old value comes back.
class TKeepForce {
public:
    explicit TKeepForce(bool& f) : flag_(f), old_(f) { flag_ = true; }
    ~TKeepForce() { flag_ = old_; }
    TKeepForce(const TKeepForce&) = delete;
    TKeepForce& operator=(const TKeepForce&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

bool TExStringGrid::IsLastDataRow() const { return Row() + 1 == RowCount() - FixedFooters; }

bool TExStringGrid::CanTabToCell(int ACol, int ARow)
{
    bool can = Options().Contains(goEditing) ? IsEditable(RealColIndex(ACol), ARow) : !IsFixed(RealColIndex(ACol), ARow);
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

int TExStringGrid::FirstTabCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (CanTabToCell(c, ARow)) return c;
    return -1;
}

int TExStringGrid::LastTabCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (CanTabToCell(c, ARow)) return c;
    return -1;
}

void TExStringGrid::AutoAppendRow()
{
    bool can = true;
    FireCanAddRow(can);
    if (!can) return;
    AppendRow();
    const int r = RowCount() - 1;
    for (int c = 0; c < AllColCount(); ++c) SetGridCell(c, r, {});
    if (FixedFooters > 0 && Row() + 1 < RowCount()) SetRow(Row() + 1);
    if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters - 1);
}

void TExStringGrid::AdvanceAfterEdit()
{
    // As the editor's Enter does: forward, opening the editor at the new
    // cell (AdvanceCell itself does nothing without AdvanceOnEnter).
    AdvanceCell(Col(), Row(), false, true, true, false, true);
}

// Tab movement. Each step moves the current cell once; a step that lands
// on a cell that may not take the Tab runs another step. The steps run in
// a loop over the cells already reached, so that a grid where no cell takes
// the Tab ends where the walk first comes back to a cell.
bool TExStringGrid::AdvanceOnTab(bool Backward)
{
    bool result = true;
    if (OnKeyDown) {
        int key = VK_TAB;
        TShiftState shift;
        if (Backward) shift += ssShift;
        OnKeyDown(this, key, shift);
        if (key != VK_TAB) return true;
    }
    std::set<std::pair<int, int>> visited;
    bool leave = false;
    bool backward = Backward;
    auto lastDataRow = [&] { return RowCount() - FixedFooters - 1; };
    auto selectOne = [&](int c, int r) {
        TKeepForce force(FForceSel);
        SetSelection(TGridRect{c, r, c, r});
    };
    for (;;) {
        if (!visited.insert({Col(), Row()}).second) break;
        bool again = false;
        bool againBackward = backward;
        const bool alongRows = FNavigation->TabAdvanceDirection == adLeftRight;
        const TPoint span = CellSpan(RealColIndex(Col()), Row());
        if (backward && alongRows) {
            if (Col() > FirstNavigableCol()) {
                int found = -1;
                for (int c = Col() - 1; c >= FirstNavigableCol(); --c)
                    if (CanTabToCell(c, Row()) && IsBaseCell(RealColIndex(c), Row())) {
                        found = c;
                        break;
                    }
                if (found >= 0) {
                    SetCol(found);
                } else {
                    if (Row() > FixedRows()) {
                        const int lc = LastTabCol(Row() - 1);
                        if (lc >= 0) selectOne(lc, Row() - 1);
                    } else {
                        const int l = lastDataRow();
                        const int lc = LastTabCol(l);
                        if (lc >= 0) selectOne(lc, l);
                        ScrollInView(Col(), Row());
                    }
                    SnapToBaseCell();
                }
            } else {
                int c = ColCount() - VisibleFixedRightCols() - 1;
                for (; c >= FixedCols(); --c)
                    if (CanTabToCell(c, Row())) break;
                const int r = Row() > FixedRows() ? Row() - 1 : lastDataRow();
                FocusCell(c >= FixedCols() ? c : Col(), r);
            }
        } else if (backward) {
            if (Row() > FixedRows())
                SetRow(Row() - 1);
            else
                FocusCell(Col() > FirstNavigableCol() ? Col() - 1 : ColCount() - VisibleFixedRightCols() - 1,
                          lastDataRow());
        } else if (!alongRows) {
            if (Row() + span.Y + 1 < RowCount() - FixedFooters) {
                SetRow(Row() + span.Y + 1);
            } else {
                GotoFirstRow();
                if (Col() < ColCount() - VisibleFixedRightCols() - 1) {
                    SetCol(Col() + 1);
                } else {
                    SetCol(FirstNavigableCol());
                    leave = true;
                }
            }
        } else {
            const int e = ColCount() - VisibleFixedRightCols();
            if (Col() + span.X + 1 < e) {
                int found = -1;
                for (int c = Col() + span.X + 1; c < e; ++c)
                    if (CanTabToCell(c, Row())) {
                        found = c;
                        break;
                    }
                if (found < 0) {
                    TKeepForce force(FForceSel);
                    if (Row() < lastDataRow()) {
                        const int nc = FirstTabCol(Row() + 1);
                        bool allow = true;
                        if (OnRowChanging) OnRowChanging(this, Row(), Row() + 1, allow);
                        if (OnCellChanging) OnCellChanging(this, Row(), Col(), Row() + 1, nc, allow);
                        if (OnColChanging) OnColChanging(this, Col(), nc, allow);
                        if (allow) FocusCell(nc == -1 ? FixedCols() : nc, Row() + 1);
                    } else {
                        const int nc = FirstTabCol(FixedRows());
                        if (nc >= 0) SetSelection(TGridRect{nc, FixedRows(), nc, FixedRows()});
                        leave = true;
                    }
                } else {
                    SetCol(found);
                    if (!IsBaseCell(RealColIndex(Col()), Row())) {
                        again = true;
                        againBackward = false;
                    }
                }
            } else if (Row() < lastDataRow()) {
                int found = -1;
                for (int c = FirstNavigableCol(); c < ColCount(); ++c)
                    if (IsBaseCell(RealColIndex(c), Row() + 1) && CanTabToCell(c, Row() + 1)) {
                        found = c;
                        break;
                    }
                if (found >= 0) {
                    TKeepForce force(FForceSel);
                    FocusCell(found, Row() + 1);
                } else {
                    int r = Row() + 2, fc = -1;
                    for (; r < RowCount(); ++r)
                        if ((fc = FirstTabCol(r)) != -1) break;
                    if (fc != -1) {
                        FocusCell(fc, r);
                    } else {
                        FocusCell(ColCount() - 1, RowCount() - 1);
                        again = true;
                        againBackward = false;
                    }
                }
            } else {
                bool append = !FNavigation->TabToNextAtEnd && FNavigation->AdvanceInsert();
                if (append) {
                    bool can = true;
                    FireCanAddRow(can);
                    append = can;
                }
                if (!append) {
                    GotoFirstRow();
                } else {
                    AppendRow();
                    SetRow(RowCount() - 1);
                    if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters - 1);
                }
                const int fc = FirstTabCol(Row());
                if (fc != -1) SetCol(fc);
                leave = true;
            }
        }
        if (!again && Options().Contains(goEditing) && !IsEditable(RealColIndex(Col()), Row())) {
            again = true;
            againBackward = backward;
        }
        if (!again) break;
        backward = againBackward;
    }
    if (leave && Parent() && FNavigation->TabToNextAtEnd) {
        PostMessage(WM_KEYDOWN, VK_TAB, 1);
        result = false;
    }
    if (FNavigation->AdvanceAutoEdit && !HasClickableGraphic(RealColIndex(Col()), Row()))
        SimulateCellClick(Col(), Row());
    if (FNavigation->AlwaysEdit) SetFocus();
    return result;
}
