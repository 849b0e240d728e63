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

bool TGridInputPart::IsLastDataRow() const
{
    return G.Row() + 1 == G.RowCount() - G.FixedFooters || (FooterShown(G) && G.Row() + 2 == G.RowCount());
}

bool TGridInputPart::CanTabToCell(int ACol, int ARow)
{
    bool can = TabEditing(G) ? G.IsEditable(G.Model().RealCol(ACol), ARow) : !G.IsFixed(G.Model().RealCol(ACol), ARow);
    if (G.OnSelectCell) G.OnSelectCell(&G, ACol, ARow, can);
    return can;
}

int TGridInputPart::FirstTabCol(int ARow)
{
    for (int c = 0; c < G.ColCount(); ++c)
        if (CanTabToCell(c, ARow)) return c;
    return -1;
}

int TGridInputPart::LastTabCol(int ARow)
{
    for (int c = G.ColCount() - 1; c >= 0; --c)
        if (CanTabToCell(c, ARow)) return c;
    return -1;
}

void TGridInputPart::AutoAppendRow()
{
    bool can = true;
    G.FireCanAddRow(can);
    if (!can) return;
    const bool footer = FooterShown(G);
    if (footer) {
        // The new empty row comes above the footer's row: the footer's
        // texts move down into the appended row.
        std::vector<std::string> last;
        const int r0 = G.RowCount() - 1;
        for (int c = 0; c < G.AllColCount(); ++c) last.push_back(G.GetGridCell(c, r0));
        G.AppendRow();
        const int r = G.RowCount() - 1;
        for (int c = 0; c < G.AllColCount(); ++c) {
            G.SetGridCell(c, r - 1, {});
            G.SetGridCell(c, r, last[static_cast<size_t>(c)]);
        }
    } else {
        G.AppendRow();
        const int r = G.RowCount() - 1;
        for (int c = 0; c < G.AllColCount(); ++c) G.SetGridCell(c, r, {});
    }
    if ((footer || G.FixedFooters > 0) && G.Row() + 1 < G.RowCount()) G.SetRow(G.Row() + 1);
    if (footer) G.CalcFooter(-1);
    if (G.OnAutoAddRow) G.OnAutoAddRow(&G, G.RowCount() - G.FixedFooters - 1);
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
bool TGridInputPart::AdvanceOnTab(bool Backward)
{
    bool result = true;
    if (G.OnKeyDown) {
        int key = VK_TAB;
        TShiftState shift;
        if (Backward) shift += ssShift;
        G.OnKeyDown(&G, key, shift);
        if (key != VK_TAB) return true;
    }
    std::set<std::pair<int, int>> visited;
    bool leave = false;
    bool backward = Backward;
    auto lastDataRow = [&] { return G.RowCount() - G.FixedFooters - 1; };
    auto selectOne = [&](int c, int r) {
        TKeepForce force(G.FParts->Edit.FForceSel);
        G.SetSelection(TGridRect{c, r, c, r});
    };
    // Tab past the last cell of the last data row: a new row with
    // AdvanceInsert (OnCanAddRow agreeing), else back to the first row.
    auto pastTheEnd = [&] {
        bool append = !G.FParts->FNavigation->TabToNextAtEnd && G.FParts->FNavigation->AdvanceInsert();
        if (append) {
            bool can = true;
            G.FireCanAddRow(can);
            append = can;
        }
        if (!append) {
            G.GotoFirstRow();
        } else if (FooterShown(G)) {
            G.InsertRows(G.RowCount() - 1, 1);
            G.SetRow(G.RowCount() - 2);
            if (G.OnAutoAddRow) G.OnAutoAddRow(&G, G.RowCount() - G.FixedFooters - 1);
        } else {
            G.AppendRow();
            G.SetRow(G.RowCount() - 1);
            if (G.OnAutoAddRow) G.OnAutoAddRow(&G, G.RowCount() - G.FixedFooters - 1);
        }
        const int fc = FirstTabCol(G.Row());
        if (fc != -1) G.SetCol(fc);
        leave = true;
    };
    for (;;) {
        if (!visited.insert({G.Col(), G.Row()}).second) break;
        bool again = false;
        bool againBackward = backward;
        const bool alongRows = G.FParts->FNavigation->TabAdvanceDirection == adLeftRight;
        const TPoint span = G.CellSpan(G.Model().RealCol(G.Col()), G.Row());
        if (backward && alongRows) {
            if (G.Col() > FirstNavigableCol()) {
                int found = -1;
                for (int c = G.Col() - 1; c >= FirstNavigableCol(); --c)
                    if (CanTabToCell(c, G.Row()) && G.IsBaseCell(G.Model().RealCol(c), G.Row())) {
                        found = c;
                        break;
                    }
                if (found >= 0) {
                    G.SetCol(found);
                } else {
                    // The row above (or, from the first row, the last one).
                    // While editing, a row without an editable cell is
                    // entered at its end, so that the walk goes on into the
                    // rows before it.
                    const bool wrap = G.Row() <= G.FixedRows();
                    const int r = wrap ? lastDataRow() : G.Row() - 1;
                    const int lc = LastTabCol(r);
                    if (lc >= 0)
                        selectOne(lc, r);
                    else if (TabEditing(G))
                        selectOne(G.ColCount() - VisibleFixedRightCols() - 1, r);
                    if (wrap) G.ScrollInView(G.Col(), G.Row());
                    G.SnapToBaseCell();
                }
            } else {
                int c = G.ColCount() - VisibleFixedRightCols() - 1;
                for (; c >= G.FixedCols(); --c)
                    if (CanTabToCell(c, G.Row())) break;
                const int r = G.Row() > G.FixedRows() ? G.Row() - 1 : lastDataRow();
                G.FocusCell(c >= G.FixedCols() ? c : G.Col(), r);
            }
        } else if (backward) {
            if (G.Row() > G.FixedRows())
                G.SetRow(G.Row() - 1);
            else
                G.FocusCell(G.Col() > FirstNavigableCol() ? G.Col() - 1 : G.ColCount() - VisibleFixedRightCols() - 1,
                          lastDataRow());
        } else if (!alongRows) {
            if (G.Row() + span.Y + 1 < G.RowCount() - G.FixedFooters) {
                G.SetRow(G.Row() + span.Y + 1);
            } else {
                G.GotoFirstRow();
                if (G.Col() < G.ColCount() - VisibleFixedRightCols() - 1) {
                    G.SetCol(G.Col() + 1);
                } else {
                    G.SetCol(FirstNavigableCol());
                    leave = true;
                }
            }
        } else {
            const int e = G.ColCount() - VisibleFixedRightCols();
            if (G.Col() + span.X + 1 < e) {
                int found = -1;
                for (int c = G.Col() + span.X + 1; c < e; ++c)
                    if (CanTabToCell(c, G.Row())) {
                        found = c;
                        break;
                    }
                if (found < 0) {
                    TKeepForce force(G.FParts->Edit.FForceSel);
                    if (G.Row() < lastDataRow()) {
                        const int nc = FirstTabCol(G.Row() + 1);
                        bool allow = true;
                        if (G.OnRowChanging) G.OnRowChanging(&G, G.Row(), G.Row() + 1, allow);
                        if (G.OnCellChanging) G.OnCellChanging(&G, G.Row(), G.Col(), G.Row() + 1, nc, allow);
                        if (G.OnColChanging) G.OnColChanging(&G, G.Col(), nc, allow);
                        if (allow) G.FocusCell(nc == -1 ? G.FixedCols() : nc, G.Row() + 1);
                    } else if (G.FParts->FNavigation->AdvanceInsert() && !G.FParts->FNavigation->TabToNextAtEnd) {
                        // The last tab stop of the grid: a Tab from it
                        // appends a row as from the last column.
                        pastTheEnd();
                    } else {
                        // Wrap to the first row. While editing, a first row
                        // without an editable cell is entered at its start, so
                        // that the walk goes on from there.
                        int nc = FirstTabCol(G.FixedRows());
                        if (nc < 0 && TabEditing(G)) nc = FirstNavigableCol();
                        if (nc >= 0) G.SetSelection(TGridRect{nc, G.FixedRows(), nc, G.FixedRows()});
                        leave = true;
                    }
                } else {
                    G.SetCol(found);
                    if (!G.IsBaseCell(G.Model().RealCol(G.Col()), G.Row())) {
                        again = true;
                        againBackward = false;
                    }
                }
            } else if (G.Row() < lastDataRow()) {
                int found = -1;
                for (int c = FirstNavigableCol(); c < G.ColCount(); ++c)
                    if (G.IsBaseCell(G.Model().RealCol(c), G.Row() + 1) && CanTabToCell(c, G.Row() + 1)) {
                        found = c;
                        break;
                    }
                if (found >= 0) {
                    TKeepForce force(G.FParts->Edit.FForceSel);
                    G.FocusCell(found, G.Row() + 1);
                } else {
                    int r = G.Row() + 2, fc = -1;
                    for (; r < G.RowCount(); ++r)
                        if ((fc = FirstTabCol(r)) != -1) break;
                    if (fc != -1) {
                        G.FocusCell(fc, r);
                    } else {
                        G.FocusCell(G.ColCount() - 1, G.RowCount() - 1);
                        again = true;
                        againBackward = false;
                    }
                }
            } else {
                pastTheEnd();
            }
        }
        if (!again && TabEditing(G) && !G.IsEditable(G.Model().RealCol(G.Col()), G.Row())) {
            again = true;
            againBackward = backward;
        }
        if (!again) break;
        backward = againBackward;
    }
    // The cell reached is shown (the moves above set the selection only),
    // and editing follows it: the forced moves skipped the cell selection
    // that switches goEditing on or off for the current cell.
    G.TCustomGrid::ScrollInView(G.Col(), G.Row());
    if (TabEditing(G)) G.SelectCell(G.Col(), G.Row());
    if (leave && G.Parent() && G.FParts->FNavigation->TabToNextAtEnd) {
        G.PostMessage(WM_KEYDOWN, VK_TAB, 1);
        result = false;
    }
    if (G.FParts->FNavigation->AdvanceAutoEdit && !G.HasClickableGraphic(G.Model().RealCol(G.Col()), G.Row()))
        G.SimulateCellClick(G.Col(), G.Row());
    if (G.FParts->FNavigation->AlwaysEdit) G.SetFocus();
    return result;
}
