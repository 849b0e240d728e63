// The grid's data model on its own: no grid, no window. The hidden columns
// and rows are driven through small hosts that stand for the cell store.
#include "widgets/grid_model/Model.h"
#include "widgets/grid_model/HiddenHosts.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GridModelMapping, WithNothingHiddenEveryIndexMapsOntoItself)
{
    const TGridModel m;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(m.RealCol(i), i);
        EXPECT_EQ(m.DisplCol(i), i);
        EXPECT_EQ(m.RealRow(i), i);
        EXPECT_EQ(m.DisplRow(i), i);
    }
    EXPECT_EQ(m.NumHiddenCols(), 0);
    EXPECT_EQ(m.NumHiddenRows(), 0);
}

TEST(GridModelMapping, HiddenColumnsAndRowsAreSkippedBothWays)
{
    TGridModel m;
    ColHost cols(std::vector<int>(6, 64));
    HideColumns(m.FHiddenCols, cols, 1, 2); // real columns 1 and 2
    RowHost rows(8);
    m.FHiddenRows.HideRows(rows, 2, 3); // real rows 2 and 3

    EXPECT_EQ(m.NumHiddenCols(), 2);
    EXPECT_EQ(m.NumHiddenRows(), 2);
    EXPECT_TRUE(m.IsHiddenCol(1));
    EXPECT_TRUE(m.IsHiddenRow(3));
    EXPECT_FALSE(m.IsHiddenRow(4));

    // Displayed column 1 is real column 3; displayed row 2 is real row 4.
    const TRealCell c = m.RealCell(1, 2);
    EXPECT_EQ(c.Col, 3);
    EXPECT_EQ(c.Row, 4);
    const TRealCell back = m.DisplCell(c.Col, c.Row);
    EXPECT_EQ(back.Col, 1);
    EXPECT_EQ(back.Row, 2);

    // Every shown index comes back to itself through the mapping.
    for (int d = 0; d < 4; ++d) EXPECT_EQ(m.DisplCol(m.RealCol(d)), d) << d;
    for (int d = 0; d < 6; ++d) EXPECT_EQ(m.DisplRow(m.RealRow(d)), d) << d;
    // The rows left in the store are the shown ones, in order.
    ASSERT_EQ(rows.rows.size(), 6u);
    EXPECT_EQ(rows.rows[2].at(0), "r4");
}

TEST(GridModelMapping, ShowingAgainRestoresTheIdentity)
{
    TGridModel m;
    ColHost cols(std::vector<int>(6, 64));
    HideColumns(m.FHiddenCols, cols, 0, 0);
    UnHideColumns(m.FHiddenCols, cols, 0, 0);
    RowHost rows(4);
    m.FHiddenRows.HideRows(rows, 1, 1);
    m.FHiddenRows.UnHideRows(rows, 1, 1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m.RealCol(i), i);
        EXPECT_EQ(m.RealRow(i), i);
    }
    EXPECT_EQ(rows.rows[1].at(0), "r1");
    EXPECT_EQ(cols.widths[0], 64);
}
