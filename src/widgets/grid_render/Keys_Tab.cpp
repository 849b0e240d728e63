// TExStringGrid: Tab and Shift+Tab from cell to cell (wrapping, appending a
// row or leaving the grid at the end) and the append of an empty data row.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/grid_render/FloatingFooter.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

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

// Whether the grid edits. A read-only current cell switches goEditing off
// for as long as it is current (the suspension keeps the setting), and Tab
// from such a cell must still look for the editable cells.
bool TabEditing(const TExStringGrid& g) { return g.Options().Contains(goEditing) || g.EditingSuspended(); }

// The floating footer is shown on the grid's last row.
bool FooterShown(const TExStringGrid& g) { return g.FloatingFooter() && g.FloatingFooter()->Visible(); }

} // namespace

bool TExStringGrid::IsLastDataRow() const
{
    return Row() + 1 == RowCount() - FixedFooters || (FooterShown(*this) && Row() + 2 == RowCount());
}

bool TExStringGrid::CanTabToCell(int ACol, int ARow)
{
    bool can = TabEditing(*this) ? IsEditable(Model().RealCol(ACol), ARow) : !IsFixed(Model().RealCol(ACol), ARow);
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
    const bool footer = FooterShown(*this);
    if (footer) {
        // The new empty row comes above the footer's row: the footer's
        // texts move down into the appended row.
        std::vector<std::string> last;
        const int r0 = RowCount() - 1;
        for (int c = 0; c < AllColCount(); ++c) last.push_back(GetGridCell(c, r0));
        AppendRow();
        const int r = RowCount() - 1;
        for (int c = 0; c < AllColCount(); ++c) {
            SetGridCell(c, r - 1, {});
            SetGridCell(c, r, last[static_cast<size_t>(c)]);
        }
    } else {
        AppendRow();
        const int r = RowCount() - 1;
        for (int c = 0; c < AllColCount(); ++c) SetGridCell(c, r, {});
    }
    if ((footer || FixedFooters > 0) && Row() + 1 < RowCount()) SetRow(Row() + 1);
    if (footer) CalcFooter(-1);
    if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters - 1);
}

void TGridEditPart::AdvanceAfterEdit()
{
    // As the editor's Enter does: forward, opening the editor at the new
    // cell (AdvanceCell itself does nothing without AdvanceOnEnter).
    G.AdvanceCell(G.Col(), G.Row(), false, true, true, false, true);
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
        TKeepForce force(FParts->Edit.FForceSel);
        SetSelection(TGridRect{c, r, c, r});
    };
    // Tab past the last cell of the last data row: a new row with
    // AdvanceInsert (OnCanAddRow agreeing), else back to the first row.
    auto pastTheEnd = [&] {
        bool append = !FParts->FNavigation->TabToNextAtEnd && FParts->FNavigation->AdvanceInsert();
        if (append) {
            bool can = true;
            FireCanAddRow(can);
            append = can;
        }
        if (!append) {
            GotoFirstRow();
        } else if (FooterShown(*this)) {
            InsertRows(RowCount() - 1, 1);
            SetRow(RowCount() - 2);
            if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters - 1);
        } else {
            AppendRow();
            SetRow(RowCount() - 1);
            if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters - 1);
        }
        const int fc = FirstTabCol(Row());
        if (fc != -1) SetCol(fc);
        leave = true;
    };
    for (;;) {
        if (!visited.insert({Col(), Row()}).second) break;
        bool again = false;
        bool againBackward = backward;
        const bool alongRows = FParts->FNavigation->TabAdvanceDirection == adLeftRight;
        const TPoint span = CellSpan(Model().RealCol(Col()), Row());
        if (backward && alongRows) {
            if (Col() > FirstNavigableCol()) {
                int found = -1;
                for (int c = Col() - 1; c >= FirstNavigableCol(); --c)
                    if (CanTabToCell(c, Row()) && IsBaseCell(Model().RealCol(c), Row())) {
                        found = c;
                        break;
                    }
                if (found >= 0) {
                    SetCol(found);
                } else {
                    // The row above (or, from the first row, the last one).
                    // While editing, a row without an editable cell is
                    // entered at its end, so that the walk goes on into the
                    // rows before it.
                    const bool wrap = Row() <= FixedRows();
                    const int r = wrap ? lastDataRow() : Row() - 1;
                    const int lc = LastTabCol(r);
                    if (lc >= 0)
                        selectOne(lc, r);
                    else if (TabEditing(*this))
                        selectOne(ColCount() - VisibleFixedRightCols() - 1, r);
                    if (wrap) ScrollInView(Col(), Row());
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
                    TKeepForce force(FParts->Edit.FForceSel);
                    if (Row() < lastDataRow()) {
                        const int nc = FirstTabCol(Row() + 1);
                        bool allow = true;
                        if (OnRowChanging) OnRowChanging(this, Row(), Row() + 1, allow);
                        if (OnCellChanging) OnCellChanging(this, Row(), Col(), Row() + 1, nc, allow);
                        if (OnColChanging) OnColChanging(this, Col(), nc, allow);
                        if (allow) FocusCell(nc == -1 ? FixedCols() : nc, Row() + 1);
                    } else if (FParts->FNavigation->AdvanceInsert() && !FParts->FNavigation->TabToNextAtEnd) {
                        // The last tab stop of the grid: a Tab from it
                        // appends a row as from the last column.
                        pastTheEnd();
                    } else {
                        // Wrap to the first row. While editing, a first row
                        // without an editable cell is entered at its start, so
                        // that the walk goes on from there.
                        int nc = FirstTabCol(FixedRows());
                        if (nc < 0 && TabEditing(*this)) nc = FirstNavigableCol();
                        if (nc >= 0) SetSelection(TGridRect{nc, FixedRows(), nc, FixedRows()});
                        leave = true;
                    }
                } else {
                    SetCol(found);
                    if (!IsBaseCell(Model().RealCol(Col()), Row())) {
                        again = true;
                        againBackward = false;
                    }
                }
            } else if (Row() < lastDataRow()) {
                int found = -1;
                for (int c = FirstNavigableCol(); c < ColCount(); ++c)
                    if (IsBaseCell(Model().RealCol(c), Row() + 1) && CanTabToCell(c, Row() + 1)) {
                        found = c;
                        break;
                    }
                if (found >= 0) {
                    TKeepForce force(FParts->Edit.FForceSel);
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
                pastTheEnd();
            }
        }
        if (!again && TabEditing(*this) && !IsEditable(Model().RealCol(Col()), Row())) {
            again = true;
            againBackward = backward;
        }
        if (!again) break;
        backward = againBackward;
    }
    // The cell reached is shown (the moves above set the selection only),
    // and editing follows it: the forced moves skipped the cell selection
    // that switches goEditing on or off for the current cell.
    TCustomGrid::ScrollInView(Col(), Row());
    if (TabEditing(*this)) SelectCell(Col(), Row());
    if (leave && Parent() && FParts->FNavigation->TabToNextAtEnd) {
        PostMessage(WM_KEYDOWN, VK_TAB, 1);
        result = false;
    }
    if (FParts->FNavigation->AdvanceAutoEdit && !HasClickableGraphic(Model().RealCol(Col()), Row()))
        SimulateCellClick(Col(), Row());
    if (FParts->FNavigation->AlwaysEdit) SetFocus();
    return result;
}
