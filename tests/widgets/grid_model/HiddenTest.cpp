#include "widgets/grid_model/Hidden.h"
#include "widgets/grid_model/HiddenHosts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(std::initializer_list<int> ids)
{
    std::vector<std::string> out;
    for (int i : ids) out.push_back("r" + std::to_string(i));
    return out;
}

} // namespace

TEST(GridHiddenCols, HidingAColumnMapsIndicesAndUnhidingRestoresItsWidth)
{
    TGridHiddenCols hidden;
    ColHost host({10, 11, 12, 13, 14});
    HideColumns(hidden, host, 2, 2);

    EXPECT_EQ(host.ColCount(), 4);
    EXPECT_EQ(hidden.NumHidden(), 1);
    EXPECT_TRUE(hidden.IsHidden(2));
    EXPECT_EQ(hidden.RealColIndex(2), 3);
    EXPECT_EQ(hidden.DisplColIndex(3), 2);
    EXPECT_EQ(hidden.DisplColIndex(2), 2); // a hidden column answers the next shown one
    EXPECT_EQ(host.widths, (std::vector<int>{10, 11, 13, 14}));

    host.widths[2] = 30; // the user resized the column shown at 2 meanwhile
    UnHideColumns(hidden, host, 2, 2);
    EXPECT_EQ(host.widths, (std::vector<int>{10, 11, 12, 30, 14}));
    EXPECT_EQ(hidden.NumHidden(), 0);
    EXPECT_EQ(hidden.RealColIndex(2), 2);
}

TEST(GridHiddenCols, RequestsOutsideTheGridOrTheTableChangeNothing)
{
    TGridHiddenCols hidden;
    ColHost host({10, 11, 12});
    HideColumns(hidden, host, 3, 3);     // beyond the grid
    HideColumns(hidden, host, 600, 700); // far beyond it
    HideColumns(hidden, host, -5, -1);
    EXPECT_EQ(hidden.NumHidden(), 0);
    EXPECT_EQ(host.ColCount(), 3);
    EXPECT_FALSE(hidden.IsHidden(600));
    EXPECT_FALSE(hidden.IsHidden(-1));
    EXPECT_EQ(hidden.TableSize(), 0);

    // The last displayed column is never hidden.
    HideColumns(hidden, host, 0, 2);
    EXPECT_EQ(host.ColCount(), 1);
    EXPECT_EQ(hidden.NumHidden(), 2);
    EXPECT_EQ(hidden.RealColIndex(0), 2);
    // Past the hidden ones the columns follow on one to one.
    EXPECT_EQ(hidden.RealColIndex(600), 602);
    EXPECT_EQ(hidden.DisplColIndex(600), 598);

    UnHideColumnsAll(hidden, host);
    EXPECT_EQ(host.widths, (std::vector<int>{10, 11, 12}));
}

TEST(GridHiddenCols, CurrentColumnStepsLeftWhenTheLastDisplayedColumnGoes)
{
    TGridHiddenCols hidden;
    ColHost host({10, 11, 12, 13});
    host.col = 3;
    HideColumns(hidden, host, 3, 3);
    EXPECT_EQ(host.col, 2);
}

TEST(GridHiddenCols, TheTablesGrowWithTheColumnsHiddenOrMoved)
{
    // Columns far past 512 hide, map and move like the first ones.
    TGridHiddenCols hidden;
    std::vector<int> w(1200, 5);
    w[1100] = 77;
    ColHost host(w);
    HideColumns(hidden, host, 510, 515);
    HideColumns(hidden, host, 1100, 1100);
    EXPECT_EQ(hidden.NumHidden(), 7);
    EXPECT_EQ(host.ColCount(), 1193);
    EXPECT_EQ(hidden.RealColIndex(509), 509);
    EXPECT_EQ(hidden.RealColIndex(510), 516);
    EXPECT_EQ(hidden.RealColIndex(1093), 1099);
    EXPECT_EQ(hidden.RealColIndex(1094), 1101);
    EXPECT_EQ(hidden.RealColIndex(1192), 1199);
    EXPECT_EQ(hidden.DisplColIndex(1101), 1094);
    EXPECT_EQ(hidden.SavedWidth(1100), 77);

    // A hidden column moved past the tables' end takes its flag along.
    hidden.MoveCol(1100, 1500);
    EXPECT_FALSE(hidden.IsHidden(1100));
    EXPECT_TRUE(hidden.IsHidden(1500));
    EXPECT_EQ(hidden.SavedWidth(1500), 77);
    EXPECT_EQ(hidden.NumHidden(), 7);
    // Columns inserted before it push it on; removed ones pull it back.
    hidden.InsertCols(0, 3);
    EXPECT_TRUE(hidden.IsHidden(1503));
    EXPECT_TRUE(hidden.IsHidden(513));
    EXPECT_EQ(hidden.RemoveCols(0, 514), 1);
    EXPECT_TRUE(hidden.IsHidden(989));
    EXPECT_EQ(hidden.NumHidden(), 6);
    // Inserting or moving wholly past the end changes nothing.
    hidden.InsertCols(5000, 2);
    hidden.MoveCol(6000, 7000);
    EXPECT_EQ(hidden.TableSize(), 1504 - 514);
}

TEST(GridHiddenCols, RemovingColumnsKeepsTheCountEqualToTheFlags)
{
    struct Case {
        int from, count, removedHidden, numHidden, real2;
    };
    // Columns 1 and 3 hidden.
    for (const Case& c : {Case{1, 1, 1, 1, 3}, Case{0, 2, 1, 1, 3}, Case{2, 1, 0, 2, 4}, Case{4, 2, 0, 2, 4},
                          Case{0, 5, 2, 0, 2}, Case{0, 100000, 2, 0, 2}}) {
        TGridHiddenCols hidden;
        hidden.MarkHidden(1, 40);
        hidden.MarkHidden(3, 42);
        SCOPED_TRACE(c.from);
        EXPECT_EQ(hidden.RemoveCols(c.from, c.count), c.removedHidden);
        EXPECT_EQ(hidden.NumHidden(), c.numHidden);
        EXPECT_EQ(hidden.RealColIndex(2), c.real2);
    }
    TGridHiddenCols hidden;
    hidden.MarkHidden(3, 42);
    hidden.InsertCols(1, 2);
    EXPECT_TRUE(hidden.IsHidden(5));
    EXPECT_EQ(hidden.SavedWidth(5), 42);
    EXPECT_EQ(hidden.NumHidden(), 1);
}

TEST(GridHiddenRows, MappingBothWays)
{
    RowHost host(8);
    TGridHiddenRows hidden;
    hidden.HideRows(host, 3, 4);
    EXPECT_EQ(host.RowCount(), 6);
    EXPECT_EQ(hidden.DisplRowIndex(5), 3);
    EXPECT_EQ(hidden.DisplRowIndex(4), 3);
    EXPECT_EQ(hidden.DisplRowIndex(2), 2);
    EXPECT_EQ(hidden.RealRowIndex(3), 5);
    EXPECT_EQ(hidden.RealRowIndex(2), 2);
    EXPECT_EQ(hidden.RealRowIndex(-1), -1);
    EXPECT_EQ(hidden.RealRowIndex(5), 7);
    ASSERT_NE(hidden.Find(3), nullptr);
    EXPECT_EQ(hidden.Find(3)->Cells.at(1), "h3");
    EXPECT_EQ(hidden.Find(3)->Height, 23);
    EXPECT_EQ(host.FirstTexts(), Texts({0, 1, 2, 5, 6, 7}));
}

TEST(GridHiddenRows, HidingARangeAroundAHiddenRowAndUnhidingRestoresEveryRowInOrder)
{
    RowHost host(9);
    TGridHiddenRows hidden;
    hidden.HideRow(host, 4);
    hidden.HideRows(host, 3, 6);
    EXPECT_EQ(host.FirstTexts(), Texts({0, 1, 2, 7, 8}));
    EXPECT_EQ(hidden.Find(5)->Cells.at(1), "h5");

    hidden.UnHideRows(host, 3, 6);
    EXPECT_EQ(hidden.Count(), 0);
    EXPECT_EQ(host.FirstTexts(), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(host.heights.at(4), 24);
    EXPECT_EQ(host.rows.at(6).at(1), "h6");
}

TEST(GridHiddenRows, UnhidingARangeWithShownRowsBetweenKeepsTheRealOrder)
{
    RowHost host(8);
    TGridHiddenRows hidden;
    hidden.HideRow(host, 2);
    hidden.HideRow(host, 5);
    hidden.UnHideRows(host, 2, 6);
    EXPECT_EQ(host.FirstTexts(), Texts({0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(GridHiddenRows, UnhideStartingOnAShownRowRestoresNothingAndAllRestoresRuns)
{
    RowHost host(10);
    TGridHiddenRows hidden;
    hidden.HideRows(host, 2, 3);
    hidden.HideRow(host, 7);
    hidden.UnHideRows(host, 1, 9);
    EXPECT_EQ(hidden.Count(), 3);
    hidden.UnHideRowsAll(host);
    EXPECT_EQ(hidden.Count(), 0);
    EXPECT_EQ(host.FirstTexts(), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(GridHiddenRows, HidingRowsBeyondTheGridStopsAtItsEnd)
{
    RowHost host(4);
    TGridHiddenRows hidden;
    hidden.HideRows(host, 2, 1000);
    EXPECT_EQ(hidden.Count(), 2);
    EXPECT_EQ(host.RowCount(), 2);
    hidden.HideRows(host, 10, 12);
    EXPECT_EQ(hidden.Count(), 2);
    hidden.UnHideRowsAll(host);
    EXPECT_EQ(host.FirstTexts(), Texts({0, 1, 2, 3}));
}

TEST(GridHiddenRows, RemovedRowsLowerTheHiddenIndicesByTheirCount)
{
    RowHost host(10);
    TGridHiddenRows hidden;
    hidden.HideRow(host, 2);
    hidden.HideRow(host, 8);
    // Displayed rows 3..5 (real 4..6) removed by the grid.
    hidden.DisplayedRowsRemoved(3, 3);
    host.DeleteRows(3, 3);
    EXPECT_TRUE(hidden.IsHidden(2));
    EXPECT_TRUE(hidden.IsHidden(5));
    hidden.UnHideRowsAll(host);
    EXPECT_EQ(host.FirstTexts(), Texts({0, 1, 2, 3, 7, 8, 9}));
}

TEST(GridHiddenRows, AHiddenRowInsideARemovedBlockKeepsItsOwnPlace)
{
    RowHost host(8);
    TGridHiddenRows hidden;
    hidden.HideRow(host, 1);
    hidden.HideRow(host, 4);
    // Displayed rows 2..4 are real 3, 5 and 6; hidden row 4 sits between them.
    hidden.DisplayedRowsRemoved(2, 3);
    host.DeleteRows(2, 3);
    EXPECT_TRUE(hidden.IsHidden(1));
    EXPECT_TRUE(hidden.IsHidden(3));
    hidden.UnHideRowsAll(host);
    EXPECT_EQ(host.FirstTexts(), Texts({0, 1, 2, 4, 7}));

    hidden.HideRow(host, 3);
    hidden.DisplayedRowsInserted(1, 2);
    host.InsertRows(1, 2);
    EXPECT_TRUE(hidden.IsHidden(5));
}

TEST(GridHiddenCols, ASavedWidthChangesOnlyForAHiddenColumn)
{
    TGridHiddenCols hidden;
    ColHost host({10, 20, 30});
    HideColumns(hidden, host, 1, 1);
    hidden.SetSavedWidth(1, 55);
    hidden.SetSavedWidth(2, 77); // shown: nothing stored
    EXPECT_EQ(hidden.SavedWidth(2), 0);
    UnHideColumns(hidden, host, 1, 1);
    EXPECT_EQ(host.widths, (std::vector<int>{10, 55, 30}));
}
