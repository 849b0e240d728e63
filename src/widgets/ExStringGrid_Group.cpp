// TExStringGrid: grouping by the values of a column.
//
// Rows with equal raw texts in the group column (compared exactly) become
// one group under a header row that shows the value; each group is a node
// (its span: the header and its data rows) and, with Grouping.Summary, is
// closed by a summary row (a ctSummary graphic in column 0). The group
// column leaves the grid until UnGroup puts it back with its values, width,
// caption and footer. Sub-grouping does the same inside the groups, keeping
// its column in place.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

namespace {

// The previous value grouping starts from (U+00FF U+00FE), which no cell
// holds, so that the first data row always opens a group.
const std::string GroupSentinel = "\xC3\xBF\xC3\xBE";

TColor Rgb(TColor c, bool Convert) { return Convert ? ColorToRGB(c) : c; }

// Keeps the update lock and the grouping flag for the time of one
// operation, also when it ends with an exception.
class GroupingScope {
public:
    GroupingScope(TExStringGrid& g, bool& flag, bool SetFlag) : FGrid(g), FFlag(flag), FSet(SetFlag)
    {
        FGrid.BeginUpdate();
        if (FSet) FFlag = true;
    }
    ~GroupingScope()
    {
        if (FSet) FFlag = false;
        FGrid.EndUpdate();
    }
    GroupingScope(const GroupingScope&) = delete;
    GroupingScope& operator=(const GroupingScope&) = delete;

private:
    TExStringGrid& FGrid;
    bool& FFlag;
    bool FSet;
};

} // namespace

void TExStringGridPrivate::SetGroupRowColors(int ARow, TColor Color, TColor ColorTo, TColor TextColor, bool Convert)
{
    if (Color != clNone) G.SetRowColor(ARow, Rgb(Color, Convert));
    if (ColorTo != clNone) G.SetRowColorTo(ARow, Rgb(ColorTo, Convert));
    if (TextColor != clNone) G.SetRowFontColor(ARow, Rgb(TextColor, Convert));
}

void TExStringGridPrivate::SetGroupCellColors(int ACol, int ARow, TColor Color, TColor ColorTo, TColor TextColor,
                                       bool Convert)
{
    if (Color != clNone) G.SetColors(ACol, ARow, Rgb(Color, Convert));
    if (ColorTo != clNone) G.SetColorsTo(ACol, ARow, Rgb(ColorTo, Convert));
    if (TextColor != clNone) G.SetFontColors(ACol, ARow, Rgb(TextColor, Convert));
}

void TExStringGrid::MarkSummaryRow(int ARow)
{
    const int d = NumHiddenRows() > 0 ? Model().DisplRow(ARow) : ARow;
    if (d < 0 || d >= RowCount()) return;
    CreateCellGraphic(0, d)->CellType = ctSummary;
}

void TExStringGridPrivate::InsertSummaryRow(int ARow)
{
    const TGrouping& gr = *FGrouping;
    G.InsertRows(ARow, 1, true);
    G.MarkSummaryRow(ARow);
    if (!(gr.MergeSummary && gr.Summary))
        SetGroupRowColors(ARow, gr.SummaryColor, gr.SummaryColorTo, gr.SummaryTextColor, true);
}

void TExStringGrid::SetGroupColumn(int Value)
{
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

void TExStringGrid::Group(int Colindex)
{
    if (Colindex < FixedCols()) return;
    if (FModel->FGroupColumn != -1) UnGroup();
    if (RowCount() <= FixedRows()) return;
    const TGrouping& gr = *FParts->FGrouping;
    {
        GroupingScope scope(*this, FModel->FIsGrouping, true);
        FModel->FGroupColumn = Colindex;
        FModel->FGroupWidth = AllColWidths(Colindex);
        FModel->FGroupCaption = FixedRows() > 0 ? Cells(Colindex, 0) : std::string();
        FModel->FGroupFooter = FixedFooters > 0 ? Cells(Colindex, RowCount() - 1) : std::string();
        // After the group column leaves, the header texts stand in column 1.
        const int t = Colindex == 1 ? 2 : 1;
        if (FParts->FSortSettings->AutoSortForGrouping) {
            FParts->FSortSettings->Column = Colindex;
            QSort();
        }

        // (The group nodes keep the plain node's -1 in CellVar: only
        // sub-grouping marks its nodes with its column, so that SubUnGroup
        // never takes a group header for one of its own.)
        auto makeNode = [&](int row, int span) { AddNode(row, span); };

        std::string prev = GroupSentinel;
        int h = -1;
        int r = FixedRows();
        while (r <= RowCount() - 1 - FixedFooters) {
            const std::string v = GetGridCell(Colindex, r);
            if (v != prev) {
                if (h != -1) {
                    if (h > FixedRows() && gr.Summary) {
                        // The summary of the group before the open one.
                        FParts->InsertSummaryRow(h);
                        ++h;
                        ++r;
                    }
                    makeNode(h, r - h);
                }
                InsertRows(r, 1, true);
                SetCells(t, r, v);
                if (!gr.MergeHeader) FParts->SetGroupRowColors(r, gr.HeaderColor, gr.HeaderColorTo, gr.HeaderTextColor, true);
                h = r;
                ++r;
            }
            if (r < RowCount() - 1) prev = GetGridCell(Colindex, r);
            ++r;
        }

        // A grid without normal rows has no group to close.
        if (h != -1) {
            if (h > FixedRows() && gr.Summary) {
                FParts->InsertSummaryRow(h);
                ++h;
                ++r;
            }
            makeNode(h, r - h);
            if (!gr.MergeHeader) FParts->SetGroupRowColors(h, gr.HeaderColor, gr.HeaderColorTo, gr.HeaderTextColor, false);
            if (gr.Summary) {
                InsertRows(r, 1, true);
                MarkSummaryRow(r);
                if (!(gr.MergeSummary && gr.Summary))
                    FParts->SetGroupRowColors(r, gr.SummaryColor, gr.SummaryColorTo, gr.SummaryTextColor, false);
            }
        }

        RemoveCols(Colindex, 1);

        if (gr.MergeHeader || (gr.MergeSummary && gr.Summary)) {
            for (int b = FixedRows(); b < RowCount(); ++b) {
                if (IsNode(b) && gr.MergeHeader) {
                    MergeCells(1, b, ColCount() - 1, 1);
                    FParts->SetGroupCellColors(1, b, gr.HeaderColor, gr.HeaderColorTo, gr.HeaderTextColor, true);
                }
                if ((IsNode(b + 1) || b == RowCount() - 1) && gr.MergeSummary && gr.Summary) {
                    MergeCells(1, b, ColCount() - 1, 1);
                    FParts->SetGroupCellColors(1, b, gr.SummaryColor, gr.SummaryColorTo, gr.SummaryTextColor, false);
                }
            }
        }

        if (FParts->FCellNode->ExpandOne) {
            for (int b = FixedRows(); b < RowCount(); ++b) {
                if (!IsNode(b)) continue;
                ExpandNode(Model().RealRow(b));
                break;
            }
        }
        if (Col() >= ColCount() || Row() >= RowCount()) MoveToCell(FixedCols(), FixedRows());
        if (FixedRows() < RowCount()) SetRow(FixedRows());
    }
    // (The search footer's panel lays itself out with the grid's window.)
}

void TExStringGrid::UnGroup()
{
    if (FModel->FGroupColumn <= 0) return;
    const TGrouping& gr = *FParts->FGrouping;
    const bool expandOne = FParts->FCellNode->ExpandOne;
    FParts->FCellNode->ExpandOne = false;
    ExpandAll();
    const int t = FModel->FGroupColumn == 1 ? 2 : 1;
    InsertCols(FModel->FGroupColumn, 1);
    SetAllColWidths(FModel->FGroupColumn, FModel->FGroupWidth);
    if (FixedRows() > 0) SetCells(FModel->FGroupColumn, 0, FModel->FGroupCaption);
    if (FixedFooters > 0) SetCells(FModel->FGroupColumn, RowCount() - 1, FModel->FGroupFooter);

    {
        GroupingScope scope(*this, FModel->FIsGrouping, true);
        std::string text;
        int r = FixedRows();
        while (r <= RowCount() - 1 - FixedFooters) {
            if (IsNode(r)) {
                if (gr.Summary) {
                    const int s = r + GetNodeSpan(r);
                    if (s < RowCount() && IsSummary(s)) {
                        if (gr.MergeSummary) {
                            SplitCells(1, s);
                        } else {
                            if (gr.SummaryColor != clNone) SetRowColor(s, clNone);
                            if (gr.SummaryColorTo != clNone) SetRowColorTo(s, clNone);
                        }
                        ClearRect(0, s, ColCount() - 1, s);
                        FParts->DeleteRowsCore(s, 1, false);
                    }
                }
                text = GetGridCell(t, r);
                RemoveNode(r);
                FreeCellProperty(0, r);
                if (gr.MergeHeader) {
                    SplitCells(1, r);
                } else {
                    if (gr.HeaderColor != clNone) SetRowColor(r, clNone);
                    if (gr.HeaderColorTo != clNone) SetRowColorTo(r, clNone);
                }
                ClearRect(0, r, ColCount() - 1, r);
                FParts->DeleteRowsCore(r, 1, false);
            } else {
                SetCells(FModel->FGroupColumn, r, text);
                ++r;
            }
        }
    }
    FModel->FGroupColumn = -1;
    FParts->FCellNode->ExpandOne = expandOne;
    Invalidate();
}

void TExStringGrid::SubGroup(int Colindex)
{
    if (Colindex < FixedCols()) return;
    const TGrouping& gr = *FParts->FGrouping;
    GroupingScope scope(*this, FModel->FIsGrouping, false);
    FModel->FGroupColumn = Colindex;
    FModel->FGroupWidth = AllColWidths(Colindex);
    FModel->FGroupCaption = FixedRows() > 0 ? Cells(Colindex, 0) : std::string();
    FModel->FGroupFooter = FixedFooters > 0 ? Cells(Colindex, RowCount() - 1) : std::string();
    const int t = Colindex + 1;
    auto special = [&](int row) { return IsNode(row) || IsSummary(row); };
    auto headerLook = [&](int row, bool Convert) {
        if (gr.MergeHeader) {
            MergeCells(t, row, ColCount() - t, 1);
            FParts->SetGroupCellColors(t, row, gr.HeaderColor, gr.HeaderColorTo, gr.HeaderTextColor, Convert);
        } else {
            FParts->SetGroupRowColors(row, gr.HeaderColor, gr.HeaderColorTo, gr.HeaderTextColor, Convert);
        }
    };
    auto makeNode = [&](int row, int span) {
        AddNode(row, span);
        if (TCellGraphic* n = FParts->NodeGraphic(row)) n->CellVar = static_cast<long long>(Colindex);
    };

    std::string prev = GroupSentinel;
    int h = -1;
    int r = FixedRows() + 1;
    while (r < RowCount() - FixedFooters) {
        const std::string v = Cells(Colindex, r);
        if (v != prev || special(r)) {
            if (h != -1 && !special(h)) makeNode(h, r - h);
            if (!special(r)) {
                InsertChildRow(r, 0);
                SetCells(t, r, v);
                headerLook(r, true);
            }
            h = r;
            ++r;
        }
        if (r < RowCount() && !special(r - 1)) {
            prev = Cells(Colindex, r);
            SetCells(Colindex, r, "");
            ++r;
        } else {
            prev = GroupSentinel;
        }
    }

    if (h != -1 && IsSummary(h)) {
        if (FixedRows() < RowCount()) SetRow(FixedRows());
        return;
    }
    if (h == -1) {
        InsertChildRow(r, 0);
        makeNode(r, 2);
        SetCells(t, r, Cells(Colindex, r + 1));
        SetCells(Colindex, r + 1, "");
        ++r;
    } else {
        makeNode(h, r - h);
        headerLook(h, false);
    }
    if (r <= RowCount() - 1 && !special(r - 1)) {
        SetCells(Colindex, r, "");
        ++r;
    }
    if (gr.Summary) {
        InsertRows(r, 1, true);
        MarkSummaryRow(r);
        if (gr.MergeSummary && gr.Summary) {
            MergeCells(t, r, ColCount() - t, 1);
            FParts->SetGroupCellColors(t, r, gr.SummaryColor, gr.SummaryColorTo, gr.SummaryTextColor, false);
        } else {
            FParts->SetGroupRowColors(r, gr.SummaryColor, gr.SummaryColorTo, gr.SummaryTextColor, false);
        }
    }
    if (FixedRows() < RowCount()) SetRow(FixedRows());
}

void TExStringGrid::SubUnGroup(int Colindex)
{
    const TGrouping& gr = *FParts->FGrouping;
    ExpandAll();
    std::string text;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters - 1) {
        const TCellGraphic* n = FParts->NodeGraphic(r);
        if (n && n->CellVar == TCellVariant(static_cast<long long>(Colindex))) {
            text = Cells(Colindex + 1, r);
            RemoveNode(r);
            if (gr.MergeHeader) {
                SplitCells(Colindex + 1, r);
            } else {
                if (gr.HeaderColor != clNone) SetRowColor(r, clNone);
                if (gr.HeaderColorTo != clNone) SetRowColorTo(r, clNone);
            }
            RemoveChildRow(r);
        } else if (n) {
            ++r;
        } else {
            SetCells(Colindex, r, text);
            ++r;
        }
    }
}

// --- group calculations -----------------------------------------------------------------------------

void TExStringGrid::GroupCalc(int ACol, int method)
{
    if (method < 1 || method > 8) return;
    int r = FixedRows();
    while (r < RowCount()) {
        if (!IsNode(r) || GetNodeState(r)) {
            ++r;
            continue;
        }
        const int s = GetNodeSpan(r);
        if (s <= 0) {
            ++r;
            continue;
        }
        const int target = FParts->FGrouping->Summary ? r + s : r;
        const int from = r + 1;
        const int to = r + s - 1;
        switch (method) {
        case 1: SetFloats(ACol, target, ColumnSum(ACol, from, to)); break;
        case 2: SetFloats(ACol, target, ColumnAvg(ACol, from, to)); break;
        case 3: SetFloats(ACol, target, ColumnMin(ACol, from, to)); break;
        case 4: SetFloats(ACol, target, ColumnMax(ACol, from, to)); break;
        case 5: SetInts(ACol, target, s - 1); break;
        case 6: SetFloats(ACol, target, FParts->GroupCustomCalcValue(ACol, from, to)); break;
        case 7: SetFloats(ACol, target, ColumnDistinct(ACol, from, to)); break;
        default: SetFloats(ACol, target, ColumnStdDev(ACol, from, to)); break;
        }
        r += s;
    }
}

// (The floating footer's column calculation, which the first five would
// also set, belongs to a footer this grid does not show.)
void TExStringGrid::GroupSum(int Colindex) { GroupCalc(Colindex, 1); }
void TExStringGrid::GroupAvg(int Colindex) { GroupCalc(Colindex, 2); }
void TExStringGrid::GroupMin(int Colindex) { GroupCalc(Colindex, 3); }
void TExStringGrid::GroupMax(int Colindex) { GroupCalc(Colindex, 4); }
void TExStringGrid::GroupCount(int Colindex) { GroupCalc(Colindex, 5); }
void TExStringGrid::GroupCustomCalc(int Colindex) { GroupCalc(Colindex, 6); }
void TExStringGrid::GroupDistinct(int Colindex) { GroupCalc(Colindex, 7); }
void TExStringGrid::GroupStdDev(int Colindex) { GroupCalc(Colindex, 8); }
