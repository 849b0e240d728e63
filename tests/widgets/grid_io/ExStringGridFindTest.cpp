// Finding cells by their text, replacing text in the matching cells and
// the incremental search by the sort column.

#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One fixed row and column; the normal cells from the rows given.
void Fill(TExStringGrid& g, const std::vector<std::vector<std::string>>& rows)
{
    g.SetColCount(static_cast<int>(rows[0].size()) + 1);
    g.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            g.SetCells(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c]);
}

bool Same(TPoint a, TPoint b) { return a.X == b.X && a.Y == b.Y; }

std::string Str(TPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }

} // namespace

TEST(GridFind, FlagFamilies)
{
    struct Case {
        const char* what;
        const char* text;
        TFindParams flags;
        TPoint expected;
    };
    // Column by column unless row-wise is asked for.
    const std::vector<std::vector<std::string>> cells = {{"cab", "x"}, {"abc", ""}, {"ab", "AB"}};
    const std::vector<Case> cases = {
        {"any place, without case", "AB", {}, {1, 1}},
        {"at the start", "AB", {fnMatchStart}, {1, 2}},
        {"the whole text", "AB", {fnMatchFull}, {1, 3}},
        {"the whole text with case", "AB", {fnMatchFull, fnMatchCase}, {2, 3}},
        {"two double quotes: an empty cell", "\"\"", {}, {2, 2}},
        {"an empty text finds nothing", "", {}, {-1, -1}},
        {"a filter expression", "a*", {fnMatchRegular}, {1, 2}},
        {"row by row", "X", {fnDirectionLeftRight}, {2, 1}},
        {"backwards from the end", "AB", {fnBackward}, {2, 3}},
        {"fixed cells only with the flag", "HEAD", {}, {-1, -1}},
        {"fixed cells too", "HEAD", {fnIncludeFixed}, {0, 0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TExStringGrid g;
        Fill(g, cells);
        g.SetCells(0, 0, "head");
        EXPECT_EQ(Str(g.Find({-1, -1}, k.text, k.flags)), Str(k.expected));
        EXPECT_FALSE(g.FindBusy());
    }
}

TEST(GridFind, FirstAndNextVisitEveryMatchOnceWithoutStartingOver)
{
    TExStringGrid g;
    Fill(g, {{"a1", "b", "a2"}, {"x", "a3", "a4"}});
    for (bool rowWise : {false, true}) {
        SCOPED_TRACE(rowWise);
        TFindParams f;
        f.Set(fnDirectionLeftRight, rowWise);
        std::vector<std::string> seen;
        for (TPoint p = g.FindFirst("A", f); p.X >= 0; p = g.FindNext()) {
            seen.push_back(g.Cells(p.X, p.Y));
            ASSERT_LT(seen.size(), 10u);
        }
        EXPECT_EQ(seen, rowWise ? (std::vector<std::string>{"a1", "a2", "a3", "a4"})
                                : (std::vector<std::string>{"a1", "a3", "a2", "a4"}));
    }
}

TEST(GridFind, CurrentColumnRowByRowAndStartCellsPastTheRange)
{
    TExStringGrid g;
    Fill(g, {{"a", "a"}, {"b", "a"}, {"a", "a"}});
    g.FocusCell(2, 1);
    const TFindParams col{fnFindInCurrentCol, fnDirectionLeftRight};
    std::vector<std::string> seen;
    for (TPoint p = g.FindFirst("A", col); p.X >= 0; p = g.FindNext()) {
        seen.push_back(Str(p));
        ASSERT_LT(seen.size(), 10u);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"2,1", "2,2", "2,3"}));

    // Column and row past the range: the walk starts at the first cell.
    EXPECT_TRUE(Same(g.Find({9, 9}, "A", {}), {1, 1}));
    // Moving the current cell to the match.
    EXPECT_TRUE(Same(g.Find({1, 1}, "A", {fnAutoGoto}), {1, 3}));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 1);
}

TEST(GridFind, ReplaceChangesEachMatchingCellOnce)
{
    TExStringGrid g;
    Fill(g, {{"a"}});
    EXPECT_EQ(g.Replace("a", "aa", {}), 1);
    EXPECT_EQ(g.Cells(1, 1), "aa");
    EXPECT_EQ(g.Replace("", "x", {}), 0);
    EXPECT_EQ(g.Replace("", "x", {fnMatchRegular}), 0);
    EXPECT_EQ(g.Cells(1, 1), "aa");

    // Case is ignored by the replacement whatever fnMatchCase says; a cell
    // whose text stays the same is not counted.
    TExStringGrid h;
    Fill(h, {{"Abc aBc", "x"}, {"none", "ABC"}});
    h.ShowModified().Enabled = true;
    EXPECT_EQ(h.Replace("abc", "-", {}), 2);
    EXPECT_EQ(h.Cells(1, 1), "- -");
    EXPECT_EQ(h.Cells(2, 2), "-");
    EXPECT_TRUE(h.RowModified(1));
    EXPECT_EQ(h.Replace("Z*", "-", {fnMatchRegular}), 0);

    // With fnMatchCase only the cells holding the exact text match, but in
    // them every occurrence is replaced whatever its case.
    TExStringGrid m;
    Fill(m, {{"abc ABC", "ABC"}});
    EXPECT_EQ(m.Replace("abc", "-", {fnMatchCase}), 1);
    EXPECT_EQ(m.Cells(1, 1), "- -");
    EXPECT_EQ(m.Cells(2, 1), "ABC");
}

TEST(GridFind, PresetColumnAndRowMustLieInTheGrid)
{
    TExStringGrid g;
    Fill(g, {{"a", "a"}, {"b", "a"}});
    g.FindCol = 2;
    EXPECT_EQ(Str(g.FindFirst("A", {fnFindInPresetCol})), "2,1");
    g.FindRow = 2;
    EXPECT_EQ(Str(g.FindFirst("A", {fnFindInPresetRow})), "2,2");
    for (int bad : {-1, 3, 1000}) {
        SCOPED_TRACE(bad);
        g.FindCol = bad;
        g.FindRow = bad;
        EXPECT_EQ(Str(g.Find({-1, -1}, "\"\"", {fnFindInPresetCol, fnAutoGoto})), "-1,-1");
        EXPECT_EQ(Str(g.Find({-1, -1}, "\"\"", {fnFindInPresetRow, fnAutoGoto})), "-1,-1");
        EXPECT_FALSE(g.FindBusy());
    }
}

TEST(GridFind, IncrementalSearchUsesTheSortColumn)
{
    TExStringGrid g;
    Fill(g, {{"apple", "<b>Kiwi</b>"}, {"banana", "lime"}});
    EXPECT_EQ(g.Search("BAN"), 2); // sorting not shown: the first normal column
    g.SortSettings().SetShow(true);
    EXPECT_EQ(g.Search("BAN"), -1); // shown, but no column sorted
    g.SortSettings().Column = 2;
    EXPECT_EQ(g.Search("KI"), 1); // tags are stripped
}

TEST(GridFind, AMatchInAClosedNodeOpensItWhenTheCurrentCellMovesThere)
{
    TExStringGrid g;
    Fill(g, {{"node"}, {"a"}, {"b"}, {"c"}});
    g.AddNode(1, 4);
    g.ContractNode(1);
    ASSERT_EQ(g.RowCount(), 2);
    // Hidden rows are searched by their real index only with the flag.
    EXPECT_EQ(Str(g.FindFirst("B", {})), "-1,-1");
    EXPECT_EQ(Str(g.FindFirst("B", {fnIncludeHiddenRows})), "1,3");
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_EQ(Str(g.FindFirst("B", {fnIncludeHiddenRows, fnAutoGoto})), "1,3");
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Cells(1, g.Row()), "b");
}
