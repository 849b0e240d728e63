// Column and row calculations of the grid.

#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Column 1 of rows 1.. holds the texts; one fixed row and column.
void Fill(TExStringGrid& g, const std::vector<std::string>& texts)
{
    g.SetColCount(3);
    g.SetRowCount(static_cast<int>(texts.size()) + 1);
    for (size_t i = 0; i < texts.size(); ++i) g.SetCells(1, static_cast<int>(i) + 1, texts[i]);
}

} // namespace

TEST(GridCalc, TextsThatAreNotNumbersAreSkipped)
{
    TExStringGrid g;
    Fill(g, {"1", "x", "3"});
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 3), 4);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 1, 3), 4.0 / 3); // "x" counts in the divisor
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 3), 3);
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 3), 1);
    // The deviation of the numbers 1 and 3; a note in the column is no
    // reason to fail.
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 1, 3), 1);
    EXPECT_DOUBLE_EQ(g.ColumnDistinct(1, 1, 3), 3);

    // Min and Max start from the first cell's number: a text there raises.
    EXPECT_THROW(g.ColumnMin(1, 2, 3), EExGridError);
    EXPECT_THROW(g.ColumnMax(1, 2, 3), EExGridError);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 2, 3), 3);

    // An empty first cell counts 0: positive numbers below it give 0.
    Fill(g, {"", "5", "7"});
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 3), 0);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 3), 7);
}

TEST(GridCalc, EmptyRangesAndRangesWithoutNumbersNeverDivideByZero)
{
    TExStringGrid g;
    Fill(g, {"x", "y", "-"});
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 5, 4), 0);
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 5, 4), 0);
    EXPECT_DOUBLE_EQ(g.RowAvg(1, 5, 4), 0);
    EXPECT_DOUBLE_EQ(g.RowSum(1, 5, 4), 0);
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 1, 2), 0); // no number at all
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 3, 3), 0); // "-" reads 0
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 1, 3), 0);
}

TEST(GridCalc, DefaultRangeLeavesOutFixedAndFooterRows)
{
    TExStringGrid g;
    Fill(g, {"1", "2", "4", "100"});
    g.SetCells(1, 0, "1000");
    g.FixedFooters = 1;
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, -1, -1), 7);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, -1, 3), 7.0 / 3);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 2, -1), 4);
    EXPECT_DOUBLE_EQ(g.ColumnDistinct(1, -1, -1), 3);
}

TEST(GridCalc, DistinctTextsIgnoreCaseAndCountTheEmptyText)
{
    TExStringGrid g;
    Fill(g, {"a", "A", "", "b"});
    EXPECT_DOUBLE_EQ(g.ColumnDistinct(1, 1, 4), 3);
}

TEST(GridCalc, CellsCoveredByAMergedAreaCountOnce)
{
    TExStringGrid g;
    Fill(g, {"5", "9", "1"});
    g.MergeCells(1, 1, 1, 2); // rows 1 and 2 show 5
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 3), 6);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 3), 5);

    g.SetColCount(5);
    for (int c = 1; c <= 4; ++c) g.SetCells(c, 3, std::to_string(c));
    g.MergeCells(2, 3, 2, 1); // columns 2 and 3 show 2
    g.SetCells(4, 3, "x");
    EXPECT_DOUBLE_EQ(g.RowSum(3, 1, 4), 3);
    EXPECT_DOUBLE_EQ(g.RowAvg(3, 1, 4), 0.75);
    EXPECT_DOUBLE_EQ(g.RowMax(3, 1, 4), 2);
    EXPECT_DOUBLE_EQ(g.RowMin(3, 1, 4), 1);
    EXPECT_THROW(g.RowMin(3, 4, 4), EExGridError);
}

TEST(GridCalc, ARangeBeyondTheShownRowsTakesRealRows)
{
    TExStringGrid g;
    Fill(g, {"1", "10", "3", "4"});
    g.HideRow(2);
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 3), 8); // the shown rows
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 5), 18); // real rows 1..5
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 5), 10);
}

TEST(GridCalc, NodeRowsCountUnlessTheGridIsGrouped)
{
    TExStringGrid g;
    Fill(g, {"100", "2", "3"});
    g.AddNode(1, 3);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 3), 105);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 2, 3), 3);
}

TEST(GridCalc, CustomCalculationIsTheApplicationsAnswer)
{
    TExStringGrid g;
    Fill(g, {"1"});
    EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(1, 1, 1), 0);
    g.OnColumnCalc = [](TObject*, int ACol, int FromRow, int ToRow, double& Res) {
        Res = ACol * 100 + FromRow * 10 + ToRow;
    };
    EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(1, -1, 2), 100 - 10 + 2); // no default range here
}
