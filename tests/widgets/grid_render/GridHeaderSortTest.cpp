// Sorting by clicks on the header of a shown grid: real presses and
// releases reach the grid's window through the platform's event path.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_io/SortSettings.h"

#include "platform/ControlInput.h"
#include "platform/GridView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using V = std::vector<std::string>;
using Rows = std::vector<std::pair<std::string, std::string>>;

TPoint Mid(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// Six columns; column 2 and column 4 hold the keys, column 5 names the row.
struct SortGrid {
    explicit SortGrid(const Rows& rows)
    {
        grid.SetColCount(6);
        grid.SetRowCount(static_cast<int>(rows.size()) + 1);
        for (int c = 0; c < 6; ++c) grid.SetColWidths(c, 60);
        for (size_t i = 0; i < rows.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            grid.SetCells(2, r, rows[i].first);
            grid.SetCells(4, r, rows[i].second);
            grid.SetCells(5, r, "r" + std::to_string(r));
        }
        grid.SortSettings().SetShow(true);
        view = std::make_unique<TGridView>(&grid);
        view->SetBounds(0, 0, 420, 260);
        view->Show();
    }
    ~SortGrid() { view.reset(); }
    void ClickHeader(int col, TShiftState shift = {})
    {
        const TPoint p = Mid(grid.CellRect(col, 0));
        SendClick(*view, p.X, p.Y, shift);
    }
    V Names() const
    {
        V v;
        for (int r = 1; r < grid.RowCount(); ++r) v.push_back(grid.Cells(5, r));
        return v;
    }
    TExStringGrid grid;
    std::unique_ptr<TGridView> view;
};

} // namespace

TEST(GridHeaderSort, ShiftClicksBuildTheKeyList)
{
    SortGrid s({{"b", "1"}, {"a", "1"}, {"b", "2"}, {"a", "2"}});
    TExStringGrid& g = s.grid;
    g.SortSettings().IndexShow = true;
    std::vector<int> clicked;
    g.OnClickSort = [&](TObject*, int c) { clicked.push_back(c); };

    s.ClickHeader(2);
    s.ClickHeader(4, TShiftState{ssShift});
    s.ClickHeader(4, TShiftState{ssShift});
    EXPECT_EQ(g.SortSettings().SaveToString(), "i;u2;d4");
    EXPECT_EQ(s.Names(), (V{"r4", "r2", "r3", "r1"}));
    EXPECT_EQ(clicked, (std::vector<int>{2, 2, 2}));

    // A plain click starts a new key list; a second one on the same column
    // turns it descending, and the sort column is still its real column.
    s.ClickHeader(2);
    EXPECT_EQ(g.SortSettings().SaveToString(), "i;u2");
    s.ClickHeader(2);
    EXPECT_EQ(g.SortSettings().SaveToString(), "i;d2");
    EXPECT_EQ(g.SortSettings().Column, 2);
    EXPECT_EQ(g.Search("B"), 1);
}

TEST(GridHeaderSort, UndoSortCyclesAscendingDescendingUnsorted)
{
    SortGrid s({{"b", ""}, {"c", ""}, {"a", ""}});
    TExStringGrid& g = s.grid;
    g.SortSettings().UndoSort = true;
    s.ClickHeader(2);
    EXPECT_EQ(s.Names(), (V{"r3", "r1", "r2"}));
    s.ClickHeader(2);
    EXPECT_EQ(s.Names(), (V{"r2", "r1", "r3"}));
    s.ClickHeader(2);
    EXPECT_EQ(s.Names(), (V{"r1", "r2", "r3"}));
    EXPECT_EQ(g.SortSettings().Column, -1);
    EXPECT_EQ(g.Search("A"), -1); // no sort column: the incremental search finds nothing
}

TEST(GridHeaderSort, AGridOfTwoRowsIsNotSortedAndTheApplicationMayRefuse)
{
    SortGrid s(Rows{{"b", ""}});
    TExStringGrid& g = s.grid;
    ASSERT_EQ(g.RowCount(), 2);
    s.ClickHeader(2);
    EXPECT_EQ(g.SortSettings().Column, -1);

    g.AddRow();
    g.AddRow();
    g.SetCells(2, 2, "a");
    g.SetCells(5, 2, "r2");
    g.OnCanSort = [](TObject*, int, bool& DoSort) { DoSort = false; };
    s.ClickHeader(2);
    EXPECT_EQ(g.SortSettings().Column, -1);
    g.OnCanSort = nullptr;
    s.ClickHeader(2);
    EXPECT_EQ(g.SortSettings().Column, 2);
    EXPECT_EQ(s.Names(), (V{"", "r2", "r1"})); // the empty row sorts first
}
