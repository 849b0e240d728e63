// The grid's data model on its own: no grid, no window. The hidden columns
// and rows are driven through small hosts that stand for the cell store.
#include "widgets/grid_model/Model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ColHost : IHiddenColHost {
    std::vector<int> widths = std::vector<int>(6, 64);
    int col = 1;
    int ColCount() const override { return static_cast<int>(widths.size()); }
    void SetColCount(int v) override { widths.resize(static_cast<std::size_t>(v), 64); }
    int ColWidth(int d) const override { return widths.at(static_cast<std::size_t>(d)); }
    void SetColWidth(int d, int w) override { widths.at(static_cast<std::size_t>(d)) = w; }
    int CurrentCol() const override { return col; }
    void SetCurrentCol(int d) override { col = d; }
};

struct RowHost : IHiddenRowHost {
    std::vector<std::vector<std::string>> rows;
    std::vector<int> heights;
    explicit RowHost(int n)
    {
        for (int i = 0; i < n; ++i) {
            rows.push_back({"r" + std::to_string(i)});
            heights.push_back(20);
        }
    }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::vector<std::string> RowCells(int d) const override { return rows.at(static_cast<std::size_t>(d)); }
    int RowHeight(int d) const override { return heights.at(static_cast<std::size_t>(d)); }
    void SetRow(int d, const std::vector<std::string>& c, int h) override
    {
        rows.at(static_cast<std::size_t>(d)) = c;
        heights.at(static_cast<std::size_t>(d)) = h;
    }
    void InsertRows(int d, int n) override
    {
        rows.insert(rows.begin() + d, static_cast<std::size_t>(n), std::vector<std::string>{});
        heights.insert(heights.begin() + d, static_cast<std::size_t>(n), 0);
    }
    void DeleteRows(int d, int n) override
    {
        rows.erase(rows.begin() + d, rows.begin() + d + n);
        heights.erase(heights.begin() + d, heights.begin() + d + n);
    }
};

} // namespace

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
    ColHost cols;
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
    ColHost cols;
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
