// Sorting the grid's rows by one column and the row comparison by sort
// style.

#include "widgets/ExStringGrid.h"

#include "support/FormatGuard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Column 1 holds the sort texts, column 2 names the rows; one fixed row.
void Fill(TExStringGrid& g, const std::vector<std::string>& keys)
{
    g.SetColCount(3);
    g.SetRowCount(static_cast<int>(keys.size()) + 1);
    g.SetCells(1, 0, "key");
    for (size_t i = 0; i < keys.size(); ++i) {
        g.SetCells(1, static_cast<int>(i) + 1, keys[i]);
        g.SetCells(2, static_cast<int>(i) + 1, "r" + std::to_string(i + 1));
    }
}

std::vector<std::string> Column(const TExStringGrid& g, int c)
{
    std::vector<std::string> v;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) v.push_back(g.Cells(c, r));
    return v;
}

std::vector<std::string> Sorted(TExStringGrid& g, TSortDirection dir)
{
    g.SortSettings().Column = 1;
    g.SortSettings().Direction = dir;
    g.QSort();
    return Column(g, 1);
}

using V = std::vector<std::string>;

} // namespace

TEST(GridSort, StylesAreDetectedFromTheTexts)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    struct Case {
        const char* what;
        V keys, ascending;
    };
    const std::vector<Case> cases = {
        {"numbers", {"10", "9", "100", "-1.5"}, {"-1.5", "9", "10", "100"}},
        {"texts by code unit", {"b", "B", "a", "C"}, {"B", "C", "a", "b"}},
        {"dates", {"12/05/2020", "13/01/2019", "01/02/2021"}, {"13/01/2019", "12/05/2020", "01/02/2021"}},
        {"times", {"10:30", "9:05", "23:59"}, {"9:05", "10:30", "23:59"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TExStringGrid g;
        Fill(g, k.keys);
        EXPECT_EQ(Sorted(g, sdAscending), k.ascending);
        V desc(k.ascending.rbegin(), k.ascending.rend());
        EXPECT_EQ(Sorted(g, sdDescending), desc);
        EXPECT_EQ(g.Cells(1, 0), "key"); // the fixed row stays
    }

    // Without case: a and A are equal, the name column breaks the tie.
    TExStringGrid g;
    Fill(g, {"b", "A", "a"});
    g.SortSettings().IgnoreCase = true;
    Sorted(g, sdAscending);
    EXPECT_EQ(Column(g, 2), (V{"r2", "r3", "r1"}));
}

TEST(GridSort, WholeRowsMoveAndTheCrossReferenceRecordsTheirPlaces)
{
    TExStringGrid g;
    Fill(g, {"3", "1", "2"});
    g.HideColumn(2); // hidden cells travel with their rows
    Sorted(g, sdAscending);
    g.UnHideColumn(2);
    EXPECT_EQ(Column(g, 2), (V{"r2", "r3", "r1"}));
    EXPECT_EQ(g.SortRowXRef().Count(), g.RowCount());
    EXPECT_EQ(g.SortRowXRef().Items(1), 2);
    EXPECT_EQ(g.SortRowXRef().Items(3), 1);

    // No sort column: nothing happens.
    g.SortSettings().Column = -1;
    g.SetCells(1, 1, "9");
    g.QSort();
    EXPECT_EQ(g.Cells(1, 1), "9");
}

TEST(GridSort, BlanksGoLastInBothDirectionsWhenIgnored)
{
    for (TSortDirection dir : {sdAscending, sdDescending}) {
        SCOPED_TRACE(int(dir));
        TExStringGrid g;
        Fill(g, {"", "b", "", "a"});
        g.SortSettings().IgnoreBlanks = true;
        g.SortSettings().BlankPos = blLast;
        const V v = Sorted(g, dir);
        EXPECT_EQ(v[2], "");
        EXPECT_EQ(v[3], "");
        EXPECT_EQ(v[0], dir == sdAscending ? "a" : "b");
    }
}

TEST(GridSort, ColumnFormatsCheckBoxesAndTheApplicationsCompare)
{
    TExStringGrid g;
    Fill(g, {"$12", "$3", "$100"});
    g.OnGetFormat = [](TObject*, int, TSortStyle& AStyle, std::string& aPrefix, std::string&) {
        AStyle = ssNumeric;
        aPrefix = "$";
    };
    EXPECT_EQ(Sorted(g, sdAscending), (V{"$3", "$12", "$100"}));

    TExStringGrid c;
    Fill(c, {"x", "y", "z"});
    c.AddCheckBox(1, 1, true, false);
    c.AddCheckBox(1, 2, false, false);
    c.AddCheckBox(1, 3, true, false);
    Sorted(c, sdAscending);
    EXPECT_FALSE(c.IsChecked(1, 1));
    EXPECT_EQ(c.Cells(2, 1), "r2");

    TExStringGrid k;
    Fill(k, {"aaa", "b", "cc"});
    k.OnGetFormat = [](TObject*, int, TSortStyle& AStyle, std::string&, std::string&) { AStyle = ssCustom; };
    k.OnCustomCompare = [](TObject*, const std::string& a, const std::string& b, int& Res) {
        Res = a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
    };
    EXPECT_EQ(Sorted(k, sdAscending), (V{"b", "cc", "aaa"}));
}

TEST(GridSort, GroupingSortsByTheGroupColumnFirst)
{
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    const std::vector<std::vector<std::string>> rows = {{"n1", "B", "1"}, {"n2", "A", "2"}, {"n3", "B", "3"}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) g.SetCells(c, r, rows[r - 1][c - 1]);
    ASSERT_TRUE(g.SortSettings().AutoSortForGrouping);
    g.Group(2);
    EXPECT_EQ(Column(g, 1), (V{"A", "n2", "B", "n1", "n3"}));
    EXPECT_EQ(g.GetNodeSpan(1), 2);
    EXPECT_EQ(g.GetNodeSpan(3), 3);
}
