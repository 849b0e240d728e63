// Grouping of the grid by the values of a column, group calculations and
// ungrouping.

#include "widgets/ExColumnGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Columns: 1 name, 2 group value, 3 number; one fixed row and column.
void MakeGrid(TExStringGrid& g, const std::vector<std::vector<std::string>>& rows)
{
    g.SetColCount(4);
    g.SetRowCount(static_cast<int>(rows.size()) + 1);
    g.SetCells(1, 0, "Name");
    g.SetCells(2, 0, "Group");
    g.SetCells(3, 0, "Value");
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            g.SetCells(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c]);
    g.SortSettings().AutoSortForGrouping = false;
}

// The normal rows: "node<span>" or "sum" for the row's kind, then the
// texts of the data columns.
std::vector<std::string> Layout(TExStringGrid& g)
{
    std::vector<std::string> v;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
        std::string s = g.IsNode(r) ? "node" + std::to_string(g.GetNodeSpan(r)) : g.IsSummary(r) ? "sum" : "";
        for (int c = 1; c < g.ColCount(); ++c) s += "|" + g.Cells(c, r);
        v.push_back(s);
    }
    return v;
}

// Every stored text of the grid, row by row.
std::vector<std::string> AllTexts(TExStringGrid& g)
{
    std::vector<std::string> v;
    for (int r = 0; r < g.RowCount(); ++r) {
        std::string s;
        for (int c = 0; c < g.AllColCount(); ++c) s += g.Cells(c, r) + "|";
        v.push_back(s);
    }
    return v;
}

const std::vector<std::vector<std::string>> AAB = {{"n1", "A", "1"}, {"n2", "A", "2"}, {"n3", "B", "5"}};

} // namespace

TEST(GridGroup, GroupsRowsUnderHeaderRowsWithAndWithoutSummaries)
{
    for (bool summary : {false, true}) {
        SCOPED_TRACE(summary);
        TExStringGrid g;
        MakeGrid(g, AAB);
        g.Grouping().Summary = summary;
        g.Group(2);
        EXPECT_EQ(g.GroupColumn(), 2);
        EXPECT_EQ(g.ColCount(), 3); // the group column is gone
        const std::vector<std::string> plain = {"node3|A|", "|n1|1", "|n2|2", "node2|B|", "|n3|5"};
        const std::vector<std::string> withSum = {"node3|A|", "|n1|1", "|n2|2", "sum||",
                                                  "node2|B|", "|n3|5", "sum||"};
        EXPECT_EQ(Layout(g), summary ? withSum : plain);
        EXPECT_EQ(g.Cells(1, 0), "Name");
        EXPECT_EQ(g.Cells(2, 0), "Value");
        EXPECT_EQ(g.Row(), 1);
    }
}

TEST(GridGroup, TheHeaderTextStandsInColumnOneAlsoWhenColumnOneIsGrouped)
{
    TExStringGrid g;
    MakeGrid(g, {{"x", "A", "1"}, {"y", "A", "2"}});
    g.Group(1);
    EXPECT_EQ(Layout(g), (std::vector<std::string>{"node2|x|", "|A|1", "node2|y|", "|A|2"}));
}

TEST(GridGroup, ValuesThatDifferOnlyInCaseAreGroupsOfTheirOwn)
{
    TExStringGrid g;
    MakeGrid(g, {{"n1", "a", "1"}, {"n2", "A", "2"}, {"n3", "A", "3"}});
    g.Group(2);
    EXPECT_EQ(Layout(g), (std::vector<std::string>{"node2|a|", "|n1|1", "node3|A|", "|n2|2", "|n3|3"}));
}

TEST(GridGroup, GroupCalculationsFillSummaryOrHeaderRowsOfExpandedGroups)
{
    for (bool summary : {false, true}) {
        SCOPED_TRACE(summary);
        TExStringGrid g;
        MakeGrid(g, AAB);
        g.Grouping().Summary = summary;
        g.Group(2);
        g.GroupSum(2);
        const std::vector<std::string> plain = {"node3|A|3.00", "|n1|1", "|n2|2", "node2|B|5.00", "|n3|5"};
        const std::vector<std::string> withSum = {"node3|A|", "|n1|1", "|n2|2", "sum||3.00",
                                                  "node2|B|", "|n3|5", "sum||5.00"};
        EXPECT_EQ(Layout(g), summary ? withSum : plain);
        // Header and summary rows stay out of the column sum.
        EXPECT_DOUBLE_EQ(g.ColumnSum(2, -1, -1), 8);
        g.GroupCount(1);
        EXPECT_EQ(g.Cells(1, summary ? 4 : 1), "2");
        EXPECT_EQ(g.Cells(1, summary ? 7 : 4), "1");
    }

    // A contracted group gets nothing.
    TExStringGrid g;
    MakeGrid(g, AAB);
    g.Group(2);
    g.ContractNode(4);
    g.GroupMax(2);
    EXPECT_EQ(g.Cells(2, 1), "2.00");
    EXPECT_EQ(g.Cells(2, 4), "");
    g.GroupCalc(2, 9); // no such calculation
    EXPECT_EQ(g.Cells(2, 1), "2.00");
}

TEST(GridGroup, UnGroupRestoresTheGridExactly)
{
    for (bool summary : {false, true}) {
        SCOPED_TRACE(summary);
        TExStringGrid g;
        MakeGrid(g, {{"n1", "B", "1"}, {"n2", "A", "2"}, {"n3", "B", "5"}, {"n4", "B", "6"}});
        g.SetColWidths(2, 77);
        const std::vector<std::string> before = AllTexts(g);
        g.Grouping().Summary = summary;
        g.Group(2);
        g.GroupSum(2);
        g.UnGroup();
        EXPECT_EQ(AllTexts(g), before);
        EXPECT_EQ(g.ColWidths(2), 77);
        EXPECT_EQ(g.GroupColumn(), -1);
        for (int r = 0; r < g.RowCount(); ++r) {
            EXPECT_FALSE(g.IsNode(r)) << r;
            EXPECT_FALSE(g.IsSummary(r)) << r;
        }
    }
}

TEST(GridGroup, GroupColumnPropertyAndRepeatedGrouping)
{
    TExStringGrid g;
    MakeGrid(g, AAB);
    const std::vector<std::string> before = AllTexts(g);
    g.SetGroupColumn(0);
    g.SetGroupColumn(-1);
    g.SetGroupColumn(-2);
    EXPECT_EQ(AllTexts(g), before);
    EXPECT_EQ(g.GroupColumn(), -1);

    g.SetGroupColumn(2);
    EXPECT_EQ(g.GroupColumn(), 2);
    // Grouping by another column ungroups first.
    g.Group(3);
    EXPECT_EQ(g.GroupColumn(), 3);
    EXPECT_EQ(Layout(g), (std::vector<std::string>{"node2|1|", "|n1|A", "node2|2|", "|n2|A", "node2|5|", "|n3|B"}));
    g.SetGroupColumn(-1);
    EXPECT_EQ(AllTexts(g), before);
}

TEST(GridGroup, ExpandOneLeavesOnlyTheFirstGroupOpen)
{
    TExStringGrid g;
    MakeGrid(g, {{"n1", "A", "1"}, {"n2", "B", "2"}, {"n3", "C", "5"}});
    g.CellNode().ExpandOne = true;
    g.Group(2);
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(Layout(g), (std::vector<std::string>{"node2|A|", "|n1|1", "node2|B|", "node2|C|"}));
    g.UnGroup();
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cells(2, 2), "B");
    EXPECT_TRUE(g.CellNode().ExpandOne);
}

TEST(GridGroup, ColumnGridKeepsTheGroupedColumnsSettings)
{
    TExColumnGrid g;
    g.SetColCount(4);
    MakeGrid(g, AAB);
    g.Columns()[2]->SetEditor(edComboList);
    g.Columns()[2]->ComboItems().Add("A");
    g.Group(2);
    EXPECT_EQ(g.Columns().Count(), 3);
    g.UnGroup();
    ASSERT_EQ(g.Columns().Count(), 4);
    EXPECT_EQ(g.Columns()[2]->Editor(), edComboList);
    EXPECT_EQ(g.Columns()[2]->ComboItems().Count(), 1);
    EXPECT_EQ(g.Cells(2, 3), "B");
}

TEST(GridGroup, SubGroupingInsideTheGroupsAndBack)
{
    // Columns: 1 name, 2 sub value, 3 group value, 4 number.
    TExStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(5);
    g.SortSettings().AutoSortForGrouping = false;
    const std::vector<std::vector<std::string>> rows = {
        {"n1", "x", "A", "1"}, {"n2", "x", "A", "2"}, {"n3", "y", "A", "3"}, {"n4", "z", "B", "4"}};
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c) g.SetCells(c, r, rows[r - 1][c - 1]);
    g.Group(3);
    EXPECT_EQ(Layout(g), (std::vector<std::string>{"node4|A||", "|n1|x|1", "|n2|x|2", "|n3|y|3", "node2|B||",
                                                   "|n4|z|4"}));
    g.SubGroup(2);
    // The sub-group values move into sub-header rows (column 3); the outer
    // groups grow by their sub-headers.
    EXPECT_EQ(Layout(g), (std::vector<std::string>{"node6|A||", "node3|||x", "|n1||1", "|n2||2", "node2|||y",
                                                   "|n3||3", "node3|B||", "node2|||z", "|n4||4"}));
    g.SubUnGroup(2);
    EXPECT_EQ(Layout(g), (std::vector<std::string>{"node4|A||", "|n1|x|1", "|n2|x|2", "|n3|y|3", "node2|B||",
                                                   "|n4|z|4"}));
}
