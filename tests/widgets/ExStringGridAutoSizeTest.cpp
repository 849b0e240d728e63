// Automatic sizing of the grid's columns and rows to their contents, and
// fitting the columns into the grid's width.

#include "widgets/ExColumnGrid.h"
#include "widgets/GridControlLook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace {

// Text width plus the inset on both sides (2 + 2), the grid lines (1 + 1)
// and 2.
int Fitted(TExStringGrid& g, const std::string& text) { return g.Canvas()->TextWidth(text) + 8; }

// The same for a text drawn in the font of the fixed cells (headers and
// footers).
int FittedFixed(TExStringGrid& g, const std::string& text)
{
    TBitmap b(1, 1);
    b.Canvas().Font().Assign(g.FixedFont());
    return b.Canvas().TextWidth(text) + 8;
}

int SumWidths(TExStringGrid& g, int from, int to)
{
    int s = 0;
    for (int c = from; c <= to; ++c) s += g.ColWidths(c);
    return s;
}

} // namespace

TEST(GridAutoSize, ColumnTakesItsWidestTextWithinTheLimits)
{
    TExStringGrid g;
    ASSERT_EQ(g.GridLineWidth(), 1);
    ASSERT_EQ(g.TotalXOffset(), 4);
    g.SetCells(2, 1, "ab");
    g.SetCells(2, 3, "a rather longer text");
    g.AutoSizeCol(2);
    EXPECT_EQ(g.ColWidths(2), Fitted(g, "a rather longer text"));

    struct Case {
        int min, max;
        const char* text;
        int want; // -1: the fitted width
    };
    const std::vector<Case> cases = {
        {40, 40, "ab", -1},                    // equal bounds are no limit
        {40, 0, "ab", 40},                     // the minimum
        {0, 100, "a much longer text than a hundred pixels hold", 100},
        {-5, -5, "ab", -1},                    // no bounds
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        TExStringGrid h;
        h.MinColWidth = k.min;
        h.MaxColWidth = k.max;
        h.SetCells(1, 1, k.text);
        h.AutoSizeCol(1);
        EXPECT_EQ(h.ColWidths(1), k.want == -1 ? Fitted(h, k.text) : k.want);
    }

    // Padding is added after the sizing, within the limits too.
    g.MaxColWidth = Fitted(g, "a rather longer text") + 5;
    g.AutoSizeCol(2, 20);
    EXPECT_EQ(g.ColWidths(2), g.MaxColWidth);
}

TEST(GridAutoSize, GrowOnlyNeverNarrowsAColumn)
{
    TExStringGrid g;
    g.SetCells(1, 1, "ab");
    g.SetColWidths(1, 200);
    g.SizeGrowOnly = true;
    g.AutoSizeCol(1);
    EXPECT_EQ(g.ColWidths(1), 200);
    g.SetCells(1, 2, std::string(60, 'W'));
    g.AutoSizeCol(1);
    EXPECT_EQ(g.ColWidths(1), Fitted(g, std::string(60, 'W')));

    g.SizeGrowOnly = false;
    g.SetCells(1, 2, "");
    g.AutoSizeCol(1);
    EXPECT_EQ(g.ColWidths(1), Fitted(g, "ab"));
}

TEST(GridAutoSize, TheMeasuredRowsFollowColumnSizeRows)
{
    // Headers and footers are drawn (and so measured) in the fixed font.
    struct Case {
        TAutoSizeRows rows;
        const char* widest;
        bool fixedFont;
    };
    for (const Case& k : {Case{arAll, "footer footer footer footer", true}, Case{arFixed, "header text here", true},
                          Case{arNormal, "data", false}}) {
        SCOPED_TRACE(k.widest);
        TExStringGrid g;
        g.SetRowCount(5);
        g.FixedFooters = 1;
        g.SetCells(1, 0, "header text here");
        g.SetCells(1, 2, "data");
        g.SetCells(1, 4, "footer footer footer footer");
        g.ColumnSize().Rows = k.rows;
        g.AutoSizeCol(1);
        EXPECT_EQ(g.ColWidths(1), k.fixedFont ? FittedFixed(g, k.widest) : Fitted(g, k.widest));
    }
}

TEST(GridAutoSize, ComboButtonsShownAtAllTimesGetTheirRoom)
{
    for (bool always : {false, true}) {
        SCOPED_TRACE(always);
        TExColumnGrid g;
        g.Columns()[2]->SetEditor(edComboList);
        g.SetCells(2, 1, "choice");
        g.ControlLook()->SetDropDownAlwaysVisible(always);
        g.AutoSizeCol(2);
        EXPECT_EQ(g.ColWidths(2), Fitted(g, "choice") + (always ? 16 : 0));
    }
}

TEST(GridAutoSize, CheckBoxColumnsSizeToTheBoxAndItsText)
{
    // The rule windows' enable column: data check boxes holding "Y" / "N".
    TExColumnGrid g;
    g.Columns()[1]->SetEditor(edDataCheckBox);
    g.SetCells(1, 1, "Y");
    g.SetCells(1, 2, "N");
    g.AutoSizeCol(1);
    const int text = std::max(g.Canvas()->TextWidth("Y"), g.Canvas()->TextWidth("N"));
    EXPECT_EQ(g.ColWidths(1), g.ControlLook()->CheckSize() + text + 8);

    // A row whose only content is a check box is at least a default row high.
    TExStringGrid s;
    s.AddCheckBox(1, 1, true, false);
    s.SetRowHeights(1, 5);
    s.AutoSizeRow(1);
    EXPECT_GE(s.RowHeights(1), s.DefaultRowHeight());
}

TEST(GridAutoSize, RowsSizeToTheirLines)
{
    TExStringGrid g;
    g.WordWrap = false;
    g.Multilinecells = true;
    g.SetCells(1, 1, "one\r\ntwo\r\nthree");
    g.SetCells(2, 2, "single");
    g.AutoSizeRows(false);
    const int h = g.Canvas()->TextHeight("gh");
    EXPECT_EQ(g.RowHeights(1), 3 * (h + h / 8));
    EXPECT_EQ(g.RowHeights(2), h + h / 8);
    EXPECT_EQ(g.MaxLinesInRow(1), 3);
    g.Multilinecells = false;
    EXPECT_EQ(g.MaxLinesInRow(1), 1);

    g.MaxRowHeight = 10;
    g.AutoSizeRows(false, 4);
    EXPECT_EQ(g.RowHeights(2), 10);
}

TEST(GridAutoSize, FittingTheColumnsIntoTheWidth)
{
    // Single border: 4 pixels of the 300 go to it; every row is in view, so
    // no room goes to a vertical scroll bar.
    TExStringGrid g;
    g.SetRowCount(5);
    g.SetClientSize(300, 300);
    const std::vector<int> fill = {60, 59, 59, 59, 59};
    for (int c = 0; c < 5; ++c) g.SetColWidths(c, fill[c]);
    g.AutoFitColumns(true);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(g.ColWidths(c), fill[c]) << c;

    // Only the normal columns: the fixed one keeps its width, the widest
    // takes what rounding left over.
    const std::vector<int> normal = {64, 100, 50, 50, 56};
    for (int c = 0; c < 5; ++c) g.SetColWidths(c, normal[c]);
    g.AutoFitColumns(false);
    EXPECT_EQ(g.ColWidths(0), 64);
    EXPECT_EQ(SumWidths(g, 1, 4), 300 - 64 - 4);
    EXPECT_EQ(g.ColWidths(1), 92);
    EXPECT_EQ(g.ColWidths(2), 45);
    EXPECT_EQ(g.ColWidths(4), 50);

    // Columns of no width share the width equally.
    for (int c = 0; c < 5; ++c) g.SetColWidths(c, 0);
    g.AutoFitColumns(true);
    EXPECT_EQ(SumWidths(g, 0, 4), 296);
    for (int c = 0; c < 5; ++c) EXPECT_NEAR(g.ColWidths(c), 296 / 5, 2) << c;
}

TEST(GridAutoSize, CellsAndTheControlTakeTheirContentsSize)
{
    TExStringGrid g;
    g.SetCells(2, 2, "a text wider than the column");
    g.AutoSizeCells(false, 6, 2);
    EXPECT_GE(g.ColWidths(2), g.Canvas()->TextWidth("a text wider than the column") + 6);
    EXPECT_GE(g.RowHeights(2), g.Canvas()->TextHeight("gh") + 2);
    const int before = g.ColWidths(0);
    g.AutoSizeColumns(false);
    EXPECT_EQ(g.ColWidths(0), before); // the fixed column is left alone
    EXPECT_EQ(g.ColWidths(2), Fitted(g, "a text wider than the column"));

    g.SizeToCols();
    EXPECT_EQ(g.ClientWidth(), SumWidths(g, 0, g.ColCount() - 1));
    g.SizeToRows();
    int h = 0;
    for (int r = 0; r < g.RowCount(); ++r) h += g.RowHeights(r);
    EXPECT_EQ(g.ClientHeight(), h);
}
