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

// --- the row comparison -------------------------------------------------------------------

namespace {

// Column 1 of rows 1 and 2 hold a and b; SortCompareRows of the two.
int Compare(TExStringGrid& g, const std::string& a, const std::string& b, TSortDirection dir = sdAscending)
{
    g.SetColCount(2);
    g.SetRowCount(3);
    g.SetCells(1, 1, a);
    g.SetCells(1, 2, b);
    return g.SortCompareRows(1, 1, dir, 2);
}

} // namespace

TEST(GridSort, RowComparisonByStyle)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    struct Case {
        const char* what;
        int style; // -1: automatic
        const char* prefix;
        std::string a, b;
        int expected;
    };
    const std::vector<Case> cases = {
        // Text 1 decides the style; text 2 is only checked for the separator.
        {"two dates compare as dates", -1, "", "12/05/2020", "13/01/2019", 1},
        {"a date against a text compares as text", -1, "", "12/05/2020", "abc", -1},
        {"a text against a date compares as text", -1, "", "abc", "12/05/2020", 1},
        {"numbers without their prefix", ssNumeric, "$", "$12", "$3", 1},
        {"thousand separators of money", ssFinancial, "", "1,200.50", "1200.4", 1},
        {"money equals its plain number", ssFinancial, "", "1,200.50", "1200.5", 0},
        {"an empty cell is 0 among numbers", ssNumeric, "", "", "-1", 1},
        {"no number on either side", ssNumeric, "", "x", "y", 0},
        {"locale-aware without case", ssAnsiAlphaNoCase, "", "apple", "APPLE", 0},
        {"a style outside the list", 99, "", "a", "b", 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TExStringGrid g;
        if (k.style >= 0)
            g.OnGetFormat = [&](TObject*, int, TSortStyle& AStyle, std::string& aPrefix, std::string&) {
                AStyle = static_cast<TSortStyle>(k.style);
                aPrefix = k.prefix;
            };
        EXPECT_EQ(Compare(g, k.a, k.b), k.expected);
    }

    // The application's comparison comes back as it returns it.
    TExStringGrid c;
    c.OnGetFormat = [](TObject*, int, TSortStyle& AStyle, std::string&, std::string&) { AStyle = ssCustom; };
    c.OnCustomCompare = [](TObject*, const std::string&, const std::string&, int& Res) { Res = 7; };
    EXPECT_EQ(Compare(c, "a", "b"), 7);
}

TEST(GridSort, IgnoredBlanksStayAtTheirEndInEitherDirection)
{
    struct Case {
        TSortBlankPosition pos;
        TSortDirection dir;
        V expected;
    };
    const std::vector<Case> cases = {
        {blLast, sdAscending, {"a", "b", "", ""}},
        {blLast, sdDescending, {"b", "a", "", ""}},
        {blFirst, sdAscending, {"", "", "a", "b"}},
        {blFirst, sdDescending, {"", "", "b", "a"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.pos) + "/" + std::to_string(k.dir));
        TExStringGrid g;
        Fill(g, {"", "b", "", "a"});
        g.SortSettings().IgnoreBlanks = true;
        g.SortSettings().BlankPos = k.pos;
        EXPECT_EQ(Sorted(g, k.dir), k.expected);
    }
}

// --- the sort settings text ---------------------------------------------------------------

TEST(GridSort, SettingsTextLoadsAndSorts)
{
    struct Case {
        const char* text;
        bool raises;
        bool show, indexed;
        TSortDirection dir;
        V column1; // after loading
    };
    const V unsorted{"b", "c", "a"};
    const std::vector<Case> cases = {
        {"", false, false, false, sdAscending, unsorted},
        {"x", true, true, false, sdAscending, unsorted},
        {"d1", false, true, false, sdDescending, {"c", "b", "a"}},
        {"u1", false, true, false, sdAscending, {"a", "b", "c"}},
        {"dX", false, true, false, sdDescending, unsorted},
        {"i;", false, true, true, sdAscending, unsorted},
        {"i;d1", false, true, true, sdAscending, {"c", "b", "a"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        TExStringGrid g;
        Fill(g, unsorted);
        if (k.raises) {
            try {
                g.SortSettings().LoadFromString(k.text);
                ADD_FAILURE() << "no exception";
            } catch (const EExGridError& e) {
                EXPECT_STREQ(e.what(), "Invalid sort settings specifier");
            }
        } else {
            g.SortSettings().LoadFromString(k.text);
        }
        EXPECT_EQ(g.SortSettings().Show(), k.show);
        EXPECT_EQ(g.SortSettings().IndexShow, k.indexed);
        EXPECT_EQ(g.SortSettings().Direction, k.dir);
        EXPECT_EQ(Column(g, 1), k.column1);
    }

    // Saved and loaded again; columns the grid does not have are refused
    // before anything changes.
    TExStringGrid g;
    Fill(g, unsorted);
    g.SortSettings().LoadFromString("d1");
    EXPECT_EQ(g.SortSettings().SaveToString(), "d1");
    g.SortSettings().LoadFromString("i;u2;d1");
    EXPECT_EQ(g.SortSettings().SaveToString(), "i;u2;d1");
    EXPECT_THROW(g.SortSettings().LoadFromString("u9"), EExGridError);
    EXPECT_THROW(g.SortSettings().LoadFromString("i;u1;d9"), EExGridError);
    EXPECT_EQ(g.SortIndexes().SaveToString(), "u2;d1");

    // The text of an unsorted grid loads back as unsorted.
    TExStringGrid u;
    Fill(u, unsorted);
    const std::string text = u.SortSettings().SaveToString();
    EXPECT_EQ(text, "u-1");
    u.SortSettings().LoadFromString(text);
    EXPECT_EQ(u.SortSettings().Column, -1);
    EXPECT_EQ(Column(u, 1), unsorted);

    // "d3": the fourth column, descending.
    TExStringGrid d;
    d.SetColCount(5);
    d.SetRowCount(4);
    for (int r = 1; r < 4; ++r) d.SetCells(3, r, unsorted[static_cast<size_t>(r - 1)]);
    d.SortSettings().LoadFromString("d3");
    EXPECT_TRUE(d.SortSettings().Show());
    EXPECT_EQ(d.SortSettings().Column, 3);
    EXPECT_EQ(Column(d, 3), (V{"c", "b", "a"}));
}

// --- indexed, group and undone sorts -------------------------------------------------------

namespace {

// Columns 1 and 2 keys, column 3 names the rows.
void FillKeys(TExStringGrid& g, const std::vector<std::pair<std::string, std::string>>& rows)
{
    g.SetColCount(4);
    g.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.SetCells(1, r, rows[i].first);
        g.SetCells(2, r, rows[i].second);
        g.SetCells(3, r, "r" + std::to_string(r));
    }
}

} // namespace

TEST(GridSort, IndexedSortUsesEachKeysDirectionAndNeedsKeys)
{
    TExStringGrid g;
    FillKeys(g, {{"b", "1"}, {"a", "1"}, {"b", "2"}, {"a", "2"}});
    try {
        g.QSortIndexed();
        ADD_FAILURE() << "no exception";
    } catch (const EExGridError& e) {
        EXPECT_STREQ(e.what(), "No indexes specified for indexed sort");
    }
    EXPECT_EQ(Column(g, 3), (V{"r1", "r2", "r3", "r4"}));

    g.SortIndexes().AddIndex(1, true);
    g.SortIndexes().AddIndex(2, false);
    g.QSortIndexed();
    EXPECT_EQ(Column(g, 3), (V{"r4", "r2", "r3", "r1"}));
}

TEST(GridSort, UnsortGoesBackToTheLastRecordedOrder)
{
    TExStringGrid g;
    Fill(g, {"c", "a", "b"});
    Sorted(g, sdAscending);
    Sorted(g, sdDescending);
    g.QUnSort();
    EXPECT_EQ(Column(g, 1), (V{"c", "a", "b"}));

    // Rows added between two sorts: the second sort records anew.
    Sorted(g, sdAscending);
    g.AddRow();
    g.SetCells(1, g.RowCount() - 1, "d");
    Sorted(g, sdDescending); // records "a b c d" first
    Sorted(g, sdAscending);
    g.QUnSort();
    EXPECT_EQ(Column(g, 1), (V{"a", "b", "c", "d"}));
}

TEST(GridSort, GroupSortSortsInsideEachNodeAndKeepsTheNodeRows)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(8);
    const V texts{"N1", "c", "a", "b", "N2", "z", "y"};
    for (int r = 1; r < 8; ++r) g.SetCells(1, r, texts[static_cast<size_t>(r - 1)]);
    g.AddNode(1, 4);
    g.AddNode(5, 3);
    g.SortSettings().Column = 1;
    g.QSortGroup();
    EXPECT_EQ(Column(g, 1), (V{"N1", "a", "b", "c", "N2", "y", "z"}));
    EXPECT_TRUE(g.IsNodeRow(1));
    EXPECT_TRUE(g.IsNodeRow(5));

    g.SortIndexes().AddIndex(1, false);
    g.QSortGroupIndexed();
    EXPECT_EQ(Column(g, 1), (V{"N1", "c", "b", "a", "N2", "z", "y"}));
}

TEST(GridSort, CellObjectsTravelWithTheirRowsAndAreOwnedOnce)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(7);
    const V keys{"e", "b", "f", "a", "d", "c"};
    for (int r = 1; r < 7; ++r) {
        g.SetCells(1, r, keys[static_cast<size_t>(r - 1)]);
        // The picture's width tells which row it was made for.
        TBitmap* b = g.CreatePicture(2, r, false, noStretch, 0, haLeft, vaTop);
        b->SetSize(10 + static_cast<int>(keys[static_cast<size_t>(r - 1)][0] - 'a'), 4);
        g.AddCheckBox(0, r, keys[static_cast<size_t>(r - 1)] < "c", false);
    }
    for (TSortDirection dir : {sdAscending, sdDescending, sdAscending}) {
        Sorted(g, dir);
        for (int r = 1; r < 7; ++r) {
            const char key = g.Cells(1, r)[0];
            ASSERT_NE(g.GetPicture(2, r), nullptr);
            EXPECT_EQ(g.GetPicture(2, r)->Width(), 10 + (key - 'a'));
            EXPECT_EQ(g.IsChecked(0, r), key < 'c');
        }
    }
    g.QUnSort();
    EXPECT_EQ(Column(g, 1), keys);
    // Destroying the grid frees every object once (the sanitizers watch).
}

TEST(GridSort, FootersStayBelowAndLongOrderedGridsSortWithoutDeepRecursion)
{
    TExStringGrid g;
    Fill(g, {"c", "a", "b", "F1", "F2", "F3", "F4"});
    g.FixedFooters = 4;
    Sorted(g, sdDescending);
    EXPECT_EQ(Column(g, 1), (V{"c", "b", "a", "F1", "F2", "F3", "F4"}));

    // Already ordered and reversed grids of many rows.
    constexpr int n = 100000;
    TExStringGrid big;
    big.SetColCount(2);
    big.SetRowCount(n + 1);
    for (int r = 1; r <= n; ++r) big.SetGridCell(1, r, std::to_string(r));
    for (TSortDirection dir : {sdAscending, sdDescending}) {
        big.SortSettings().Column = 1;
        big.SortSettings().Direction = dir;
        big.QSort();
        EXPECT_EQ(big.Cells(1, 1), dir == sdAscending ? "1" : std::to_string(n));
        EXPECT_EQ(big.Cells(1, n), dir == sdAscending ? std::to_string(n) : "1");
    }
}
