// TExStringGrid: column and row calculations and the automatic sizing of
// columns and rows.
//
// Sizing measures a cell as the sum of its graphic and its text, with the
// inset and grid lines added, and keeps the result within the limits
// (MinColWidth .. MaxColWidth, MinRowHeight .. MaxRowHeight).

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"

#include "platform/DrawText.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <vector>

namespace {

// Keeps a canvas font and gives it back when the measuring is done.
class CanvasFontKeeper {
public:
    explicit CanvasFontKeeper(TCanvas& c) : FCanvas(c) { FSaved.Assign(c.Font()); }
    ~CanvasFontKeeper() { FCanvas.Font().Assign(FSaved); }
    CanvasFontKeeper(const CanvasFontKeeper&) = delete;
    CanvasFontKeeper& operator=(const CanvasFontKeeper&) = delete;

private:
    TCanvas& FCanvas;
    TFont FSaved;
};

bool IsCheckKind(TCellType t)
{
    switch (t) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
    case ctRadioButton: return true;
    default: return false;
    }
}

} // namespace

// --- measuring ---------------------------------------------------------------------------

void TExStringGridPrivate::SetMeasureFont(int ACol, int DisplCol, int ARow, bool Zoom)
{
    TCanvas& cv = *G.Canvas();
    const bool fixed = ARow < G.FixedRows() || DisplCol < G.FixedCols();
    cv.Font().Assign(fixed ? FFixedFont : G.Font());
    TBrush brush;
    G.GetCellColor(ACol, ARow, TGridDrawState{}, &brush, &cv.Font());
    if (Zoom && G.ZoomFactor != 0) cv.Font().SetSize(cv.Font().Size() + G.ZoomFactor);
}

// AutoSizeTextExtent: see the measuring of cell texts (grid_render).

int TExStringGrid::MaxLinesInRow(int ARow) const
{
    if (ColCount() <= 0 || !Multilinecells) return 1;
    int lines = 1;
    for (int c = 0; c < ColCount(); ++c)
        lines = std::max(lines, TextLineCount(Cells(Model().RealCol(c), ARow), true));
    return lines;
}

// --- columns -------------------------------------------------------------------------------

void TExStringGrid::AutoSizeColumnWidth(int ACol, bool GrowOnly)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    const int r = Model().RealCol(ACol);
    int first = 0;
    int last = RowCount() - 1;
    switch (FParts->FColumnSize->Rows) {
    case arNormal:
        first = FixedRows();
        last = RowCount() - FixedFooters - 1;
        break;
    case arFixed: last = FixedRows() - 1; break;
    default: break;
    }

    const bool sortShown = FParts->FSortSettings->Show() && FixedRows() + 1 < RowCount();
    const bool dropAlways = FParts->FControlLook && FParts->FControlLook->DropDownAlwaysVisible();
    int widest = 0;
    {
        CanvasFontKeeper keep(*Canvas());
        for (int row = first; row <= last; ++row) {
            if (IsXMergedCell(ACol, row)) continue;
            FParts->SetMeasureFont(r, ACol, row, true);
            const TCellGraphic* g = GetCellGraphic(r, row);
            const int gw = g ? GetCellGraphicSize(r, row).X : 0;
            int w = gw + AutoSizeTextExtent(r, ACol, row, false).cx;
            if (dropAlways && HasCombo(r, row)) w += 16;
            if (FilterDropDownAuto && row == FilterDropDownRow && GetColumnFilter(r)) w += 12;
            if (sortShown && row == FParts->FSortSettings->Row() && ACol == FParts->FSortSettings->Column) w += 10;
            if (g && g->CellHAlign == haFull) w = gw - 2 * (GridLineWidth() + 1) - XYOffset.X;
            widest = std::max(widest, w);
        }
    }
    int w = widest + TotalXOffset() + 2 * GridLineWidth() + 2;
    if (GrowOnly && ColWidths(ACol) >= w) return;
    UpdateAutoColumnSize(ACol, w);
    SetColWidths(ACol, ClampToLimits(w, MinColWidth, MaxColWidth));
}

void TExStringGrid::AutoSizeCol(int ACol, int Padding)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    AutoSizeColumnWidth(ACol, SizeGrowOnly);
    if (Padding != 0) SetColWidths(ACol, ClampToLimits(ColWidths(ACol) + Padding, MinColWidth, MaxColWidth));
}

void TExStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int first = DoFixedCols ? 0 : FixedCols();
    const int last = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols - 1;
    for (int c = first; c <= last; ++c) AutoSizeCol(c, Padding);
}

// The automatic sizing steps of the grid's own updates (the size setters
// below do not go through the user-sizing events).

void TExStringGrid::AutoFitColumns(bool DoFixedCells)
{
    if (ColCount() <= 0) return;
    // The grid shows its scroll bars as its rows and columns need them
    // (both directions) and its single border is three-dimensional.
    const bool vertBar = ScrollBarAlways == saVert || VisibleRowCount() + FixedRows() < RowCount();
    const int s = vertBar ? TExStringGridPrivate::SystemVScrollWidth : 0;
    const int e = BorderStyle == TGridBorderStyle::bsSingle ? 4 : 0;

    int from = 0;
    int to = ColCount() - 1;
    int W = Width();
    if (!DoFixedCells) {
        from = FixedCols();
        to = ColCount() - FixedRightCols - 1;
        for (int c = 0; c < FixedCols(); ++c) W -= ColWidths(c);
        for (int c = ColCount() - FixedRightCols; c < ColCount(); ++c) W -= ColWidths(c);
    }
    int L = 0;
    if (Options().Contains(goVertLine)) L = GridLineWidth() * (ColCount() - FixedCols() - FixedRightCols);
    if (Options().Contains(goFixedVertLine) && DoFixedCells) L += FixedCols() + FixedRightCols;

    if (ColCount() < 2) {
        SetColWidths(0, W - s - 5);
        return;
    }
    const int n = to - from + 1;
    if (n <= 0) return;
    long long S = 0;
    for (int c = from; c <= to; ++c) S += ColWidths(c);
    const int avail = W - s - e;
    if (S == avail) return;
    if (S <= 0) {
        // Columns of no width at all have no proportions to keep: the room
        // is shared out equally.
        for (int c = from; c <= to; ++c) SetColWidths(c, std::max(0, (avail - L) / n));
    } else {
        const double f = static_cast<double>(avail - L) / static_cast<double>(S);
        long long T = 0;
        for (int c = from; c <= to; ++c) T += std::lround(f * ColWidths(c));
        for (int c = from; c <= to; ++c)
            SetColWidths(c, static_cast<int>(std::lround(static_cast<double>(ColWidths(c)) * T / S)));
    }

    long long sum = 0;
    for (int c = from; c <= to; ++c) sum += ColWidths(c);
    int R = static_cast<int>(avail - sum);
    if (n > 1 && R > n) {
        for (int c = from; c <= to; ++c) SetColWidths(c, ColWidths(c) + R / n);
        R %= n;
    }
    int widest = from;
    for (int c = from; c <= to; ++c)
        if (ColWidths(c) > ColWidths(widest)) widest = c;
    SetColWidths(widest, std::max(0, ColWidths(widest) + R));
}

// --- rows ------------------------------------------------------------------------------------

void TExStringGrid::AutoSizeRowHeight(int ARow, bool GrowOnly, int /*Padding*/)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    int tallest = 0;
    {
        CanvasFontKeeper keep(*Canvas());
        for (int c = 0; c < ColCount(); ++c) {
            if (IsYMergedCell(c, ARow)) continue;
            const int r = Model().RealCol(c);
            if (IsIgnoredColumn(r)) continue;
            FParts->SetMeasureFont(r, c, ARow, true);
            bool ww = WordWrap;
            GetCellWordWrap(r, ARow, ww);
            int t = AutoSizeTextExtent(r, c, ARow, ww).cy;
            const TCellGraphic* gr = GetCellGraphic(r, ARow);
            int g = gr ? CalcCellGraphicSize(r, ARow, 0).Y : 0;
            if (gr && gr->CellVAlign == vaFull) g = t == 0 ? DefaultRowHeight() : 0;
            if (gr && (gr->CellType == ctDataCheckBox || gr->CellType == ctVirtCheckBox) && g > 0) t = 0;
            int h = t + g;
            if (IsMergedNonBaseCell(c, ARow)) h = 0;
            if (gr && IsCheckKind(gr->CellType)) h = std::max(h, DefaultRowHeight());
            tallest = std::max(tallest, h);
        }
    }
    int b = tallest + TotalYOffset() + 2 * GridLineWidth();
    if (XYOffsetTopLeftOnly) b += 2;
    if (!GrowOnly || RowHeights(ARow) < b) SetRowHeights(ARow, ClampToLimits(b, MinRowHeight, MaxRowHeight));
}

void TExStringGrid::AutoSizeRow(int ARow, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    AutoSizeRowHeight(ARow, SizeGrowOnly, 0);
    if (Padding != 0)
        SetRowHeights(ARow, ClampToLimits(RowHeights(ARow) + Padding, MinRowHeight, MaxRowHeight));
}

void TExStringGrid::SizeRowToLines(int ARow, int Lines, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    int h = 0;
    {
        CanvasFontKeeper keep(*Canvas());
        FParts->SetMeasureFont(Model().RealCol(FixedCols()), FixedCols(), ARow, false);
        h = Canvas()->TextHeight("gh");
    }
    SetRowHeights(ARow, ClampToLimits(Padding + Lines * (h + h / 8), MinRowHeight, MaxRowHeight));
}

void TExStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() == 0) return;
    const int first = DoFixedRows ? 0 : FixedRows();
    ExportNotification(esExportStart, first);
    for (int r = first; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        if (WordWrap)
            AutoSizeRow(r, Padding);
        else
            SizeRowToLines(r, MaxLinesInRow(r), Padding);
    }
    // (Scroll bars shown at all times follow the rows on their own: the
    // grid's window updates its bars after every change of the row sizes.)
    ExportNotification(esExportDone, -1);
}

void TExStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    const int firstCol = DoFixedCells ? 0 : FixedCols();
    const int firstRow = DoFixedCells ? 0 : FixedRows();
    BeginUpdate();
    try {
        CanvasFontKeeper keep(*Canvas());
        for (int c = firstCol; c < ColCount(); ++c) {
            const int r = Model().RealCol(c);
            int w = SizeGrowOnly ? ColWidths(c) : 0;
            for (int row = firstRow; row < RowCount(); ++row) {
                FParts->SetMeasureFont(r, c, row, false);
                const TSize t = AutoSizeTextExtent(r, c, row, false);
                const TPoint g = GetCellGraphic(r, row) ? GetCellGraphicSize(r, row) : TPoint{0, 0};
                const int needW = t.cx + g.X + PaddingX + XYOffset.X;
                const int needH = t.cy + g.Y + PaddingY + XYOffset.Y;
                if (!IsXMergedCell(c, row) && w < needW) {
                    const int v = ClampToLimits(needW, MinColWidth, MaxColWidth);
                    if (w < v) {
                        SetColWidths(c, v);
                        w = v;
                    }
                }
                if (!IsYMergedCell(c, row) && RowHeights(row) < needH) {
                    const int v = ClampToLimits(needH, MinRowHeight, MaxRowHeight);
                    if (RowHeights(row) < v) SetRowHeights(row, v);
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TExStringGrid::SizeToCols()
{
    int w = 0;
    for (int c = 0; c < ColCount(); ++c) w += ColWidths(c);
    SetClientSize(w, ClientHeight());
}

void TExStringGrid::SizeToRows()
{
    int h = 0;
    for (int r = 0; r < RowCount(); ++r) h += RowHeights(r);
    SetClientSize(ClientWidth(), h);
}

void TExStringGrid::SizeToCells()
{
    // The client area is sized; the window's scroll bars go with the
    // content it then holds.
    SizeToCols();
    SizeToRows();
}

// The width automatic sizing chose, as the application's event decides it.
void TExStringGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

// --- column and row calculations ------------------------------------------------------------------

bool TExStringGridPrivate::CalcRange(int& FromRow, int& ToRow) const
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = G.FixedRows();
        ToRow = G.RowCount() - G.FixedFooters - 1;
    }
    // (The floating footer, which would take the last displayed row, is
    // not shown by this grid.)
    return ToRow > G.RowCount();
}

bool TExStringGridPrivate::CalcRowCounts(int ACol, int r, bool Real)
{
    const int d = Real ? G.Model().DisplRow(r) : r;
    const bool plain = (!G.IsNodeRow(d) && !G.IsSummary(d)) || G.IsHiddenRow(r) || G.FModel->FGroupColumn == -1;
    return plain && !G.IsMergedNonBaseCell(ACol, d);
}

double TExStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    const bool real = FParts->CalcRange(FromRow, ToRow);
    ExportNotification(esExportStart, FromRow);
    double sum = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (!FParts->CalcRowCounts(ACol, r, real)) continue;
        ExportNotification(esExportNextRow, r);
        try {
            sum += real ? AllFloats(ACol, r) : Floats(ACol, r);
        } catch (const EExGridError&) {
            // not a number: left out
        }
    }
    ExportNotification(esExportDone, -1);
    return sum;
}

double TExStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    FParts->CalcRange(FromRow, ToRow);
    const int n = ToRow - FromRow + 1;
    if (n <= 0) return 0;
    return ColumnSum(ACol, FromRow, ToRow) / n;
}

namespace {

double Extreme(TExStringGrid& g, int ACol, int FromRow, int ToRow, bool Real, bool Smaller,
               const std::function<bool(int)>& Counts)
{
    double m = g.Floats(ACol, FromRow);
    g.ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        if (!Counts(r)) continue;
        g.ExportNotification(esExportNextRow, r);
        try {
            const double v = Real ? g.AllFloats(ACol, r) : g.Floats(ACol, r);
            if (Smaller ? v < m : v > m) m = v;
        } catch (const EExGridError&) {
        }
    }
    g.ExportNotification(esExportDone, -1);
    return m;
}

} // namespace

double TExStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    const bool real = FParts->CalcRange(FromRow, ToRow);
    return Extreme(*this, ACol, FromRow, ToRow, real, true, [&](int r) { return FParts->CalcRowCounts(ACol, r, real); });
}

double TExStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    const bool real = FParts->CalcRange(FromRow, ToRow);
    return Extreme(*this, ACol, FromRow, ToRow, real, false, [&](int r) { return FParts->CalcRowCounts(ACol, r, real); });
}

double TExStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    FParts->CalcRange(FromRow, ToRow);
    if (ToRow - FromRow + 1 <= 0) return 0;
    // The numbers of the range; texts that are not numbers are left out
    // (a statistic over a column never fails on a note in it).
    std::vector<double> values;
    ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        try {
            values.push_back(Floats(ACol, r));
        } catch (const EExGridError&) {
        }
    }
    ExportNotification(esExportDone, -1);
    if (values.empty()) return 0;
    double mean = 0;
    for (double v : values) mean += v;
    mean /= static_cast<double>(values.size());
    double s = 0;
    for (double v : values) s += (v - mean) * (v - mean);
    return std::sqrt(s / static_cast<double>(values.size()));
}

double TExStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    FParts->CalcRange(FromRow, ToRow);
    std::set<std::string> seen;
    ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        ExportNotification(esExportNextRow, r);
        seen.insert(AnsiUpperCase(Cells(ACol, r)));
    }
    ExportNotification(esExportDone, -1);
    return static_cast<double>(seen.size());
}

double TExStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

double TExStringGridPrivate::GroupCustomCalcValue(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (G.OnGroupCalc) G.OnGroupCalc((&G), ACol, FromRow, ToRow, res);
    return res;
}

double TExStringGrid::RowSum(int ARow, int fromCol, int toCol)
{
    if (toCol < fromCol) return 0;
    double sum = 0;
    for (int c = fromCol; c <= toCol; ++c) {
        if (IsMergedNonBaseCell(c, ARow)) continue;
        try {
            sum += Floats(c, ARow);
        } catch (const EExGridError&) {
        }
    }
    return sum;
}

double TExStringGrid::RowAvg(int ARow, int fromCol, int toCol)
{
    if (toCol < fromCol) return 0;
    return RowSum(ARow, fromCol, toCol) / (toCol - fromCol + 1);
}

double TExStringGrid::RowMin(int ARow, int fromCol, int toCol)
{
    double m = Floats(fromCol, ARow);
    for (int c = fromCol; c <= toCol; ++c) {
        if (IsMergedNonBaseCell(c, ARow)) continue;
        try {
            m = std::min(m, Floats(c, ARow));
        } catch (const EExGridError&) {
        }
    }
    return m;
}

double TExStringGrid::RowMax(int ARow, int fromCol, int toCol)
{
    double m = Floats(fromCol, ARow);
    for (int c = fromCol; c <= toCol; ++c) {
        if (IsMergedNonBaseCell(c, ARow)) continue;
        try {
            m = std::max(m, Floats(c, ARow));
        } catch (const EExGridError&) {
        }
    }
    return m;
}
