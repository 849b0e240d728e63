// Node rows of the grid: building the tree, contracting and expanding.

#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A grid whose column 1 names each row by its real index ("r0", "r1", ...).
void NameRows(TExStringGrid& g, int rows)
{
    g.SetRowCount(rows);
    for (int r = 0; r < rows; ++r) g.SetCells(1, r, "r" + std::to_string(r));
}

std::vector<std::string> Shown(TExStringGrid& g)
{
    std::vector<std::string> v;
    for (int r = 0; r < g.RowCount(); ++r) v.push_back(g.Cells(1, r));
    return v;
}

std::vector<std::string> Names(std::initializer_list<int> rows)
{
    std::vector<std::string> v;
    for (int r : rows) v.push_back("r" + std::to_string(r));
    return v;
}

} // namespace

TEST(GridNodes, AddingANodeBuildsItsBlock)
{
    TExStringGrid g;
    g.AddNode(1, 3);
    struct Case {
        const char* what;
        int actual, expected;
    } cases[] = {
        {"span of the node", g.GetNodeSpan(1), 3},
        {"level of the node", g.GetNodeLevel(1), 1},
        {"level of a row that is no node", g.GetNodeLevel(2), -1},
        {"span of a row that is no node", g.GetNodeSpan(2), -1},
        {"sub-nodes", g.GetSubNodeCount(1), 0},
        {"sub-nodes of a row that is no node", g.GetSubNodeCount(2), 0},
        {"parent of the last row of the block", g.GetParentRow(3), 1},
        {"parent of the row after the block", g.GetParentRow(4), -1},
        {"parent of the node itself", g.GetParentRow(1), 1},
        {"parent of a row above", g.GetParentRow(0), -1},
        {"nodes", g.NodeCount(), 1},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_FALSE(g.IsNode(2));
    EXPECT_FALSE(g.IsNode(-1));
    EXPECT_FALSE(g.GetNodeState(1)); // expanded
    EXPECT_TRUE(g.HasNodes());
    // The rows of the block carry the level (the indent the painter uses).
    EXPECT_EQ(g.RowNodeIndent(3), 12);
    EXPECT_EQ(g.RowNodeIndent(4), 0);

    // Span and sub-node updates touch node rows only.
    g.UpdateNodeSpan(1, 2);
    g.UpdateSubNodeCount(1, 1);
    g.UpdateNodeSpan(2, 5);
    g.SetNodeSpan(3, 5);
    EXPECT_EQ(g.GetNodeSpan(1), 5);
    EXPECT_EQ(g.GetSubNodeCount(1), 1);
    EXPECT_FALSE(g.IsNode(2));
    EXPECT_FALSE(g.IsNode(3));

    // A row beyond the grid changes nothing.
    g.AddNode(50, 2);
    EXPECT_EQ(g.NodeCount(), 1);
}

TEST(GridNodes, NestedNodeAndRemoval)
{
    TExStringGrid g;
    g.SetRowCount(12);
    g.AddNode(1, 6);
    g.AddNode(3, 2);
    EXPECT_EQ(g.GetNodeLevel(1), 1);
    EXPECT_EQ(g.GetNodeLevel(3), 2);
    EXPECT_EQ(g.GetParentRow(4), 3);
    EXPECT_EQ(g.GetParentRow(5), 1);
    EXPECT_EQ(g.GetParentRow(3), 1); // an inner node's parent is the outer one
    EXPECT_EQ(g.GetNodeSpanType(2), 2); // followed by a deeper row
    EXPECT_EQ(g.GetNodeSpanType(4), 1); // followed by a shallower row
    EXPECT_EQ(g.GetNodeSpanType(3), 0);

    g.RemoveNode(3);
    EXPECT_FALSE(g.IsNode(3));
    EXPECT_EQ(g.NodeCount(), 1);
    EXPECT_EQ(g.GetParentRow(4), 1);
    EXPECT_EQ(g.RowNodeIndent(4), 12); // back to level 1
    g.RemoveAllNodes();
    EXPECT_EQ(g.NodeCount(), 0);
    EXPECT_FALSE(g.IsNode(1));
    EXPECT_EQ(g.GetParentRow(2), -1);
    EXPECT_EQ(g.RowNodeIndent(2), 0);
}

TEST(GridNodes, SpanTypeOfTheLastRowAboveTheFooters)
{
    TExStringGrid g;
    g.SetRowCount(10);
    g.FixedFooters = 1;
    g.AddNode(5, 4);
    EXPECT_EQ(g.GetNodeSpanType(8), 1); // the row above the footer row
    EXPECT_EQ(g.GetNodeSpanType(7), 2);
    EXPECT_EQ(g.GetNodeSpanType(6), 2);
}

TEST(GridNodes, PreciseGlyphHit)
{
    TExStringGrid g;
    g.AddNode(1, 2);
    g.MouseActions().PreciseNodeClick = true;
    struct Case {
        TNodeType type;
        int x;
        bool hit;
    } cases[] = {
        {cnXP, 5, true},  {cnXP, 4, false},  {cnXP, 16, false}, {cnXP, 15, true},
        {cn3D, 0, false}, {cn3D, 1, true},   {cn3D, 17, true},  {cn3D, 18, false},
        {cnLeaf, 3, true}, {cnLeaf, 2, false}, {cnLeaf, 19, true}, {cnLeaf, 20, false},
    };
    for (const auto& c : cases) {
        g.CellNode().SetNodeType(c.type);
        EXPECT_EQ(g.IsOnNodeGlyph(1, c.x), c.hit) << int(c.type) << " x " << c.x;
    }
    g.MouseActions().PreciseNodeClick = false;
    EXPECT_TRUE(g.IsOnNodeGlyph(1, 300));
}

TEST(GridNodes, AddingANodeMovesTheCurrentColumnOffColumnZero)
{
    TExStringGrid g;
    g.SetFixedCols(0);
    g.SetCol(0);
    ASSERT_EQ(g.Col(), 0);
    g.AddNode(2, 2);
    EXPECT_EQ(g.Col(), 1);
}

TEST(GridNodes, CheckBoxColumnOverNodesAndSummaries)
{
    TExStringGrid g;
    g.AddNode(2, 3);
    g.CreateCellGraphic(0, 6)->CellType = ctSummary;
    EXPECT_TRUE(g.IsSummary(6));
    EXPECT_FALSE(g.IsNode(6));
    g.AddCheckBoxColumn(1, true, false);
    EXPECT_EQ(g.GetCellType(1, 2), ctTriStateCheckBox);
    TCheckBoxState st = cbChecked;
    g.GetCheckBoxState(1, 2, st);
    EXPECT_EQ(st, cbUnchecked);
    EXPECT_FALSE(g.HasCheckBox(1, 6));
    EXPECT_EQ(g.GetCellType(1, 3), ctCheckBox);
    EXPECT_TRUE(g.IsChecked(1, 3));
}

TEST(GridNodes, GroupCheckBoxesFollowTheTree)
{
    TExStringGrid g;
    g.AddNode(2, 4); // rows 3, 4, 5 belong to it
    g.AddCheckBoxColumn(1, false, false);
    g.Grouping().AutoCheckGroup = true;

    auto nodeState = [&] {
        TCheckBoxState st = cbGrayed;
        g.GetCheckBoxState(1, 2, st);
        return st;
    };
    // One row checked: the node shows grey; all: checked; none: unchecked.
    EXPECT_TRUE(g.ToggleCheckBox(1, 3));
    EXPECT_EQ(nodeState(), cbGrayed);
    g.ToggleCheckBox(1, 4);
    g.ToggleCheckBox(1, 5);
    EXPECT_EQ(nodeState(), cbChecked);
    g.ToggleCheckBox(1, 4);
    EXPECT_EQ(nodeState(), cbGrayed);

    // A click on the node's box sets all its rows, from grey to checked.
    EXPECT_TRUE(g.ToggleCheckBox(1, 2));
    EXPECT_EQ(nodeState(), cbChecked);
    for (int r = 3; r <= 5; ++r) EXPECT_TRUE(g.IsChecked(1, r)) << r;
    EXPECT_FALSE(g.IsChecked(1, 6)); // outside the block
    g.ToggleCheckBox(1, 2);
    EXPECT_EQ(nodeState(), cbUnchecked);
    for (int r = 3; r <= 5; ++r) EXPECT_FALSE(g.IsChecked(1, r)) << r;
}

// Contracting and expanding hide and show rows (the hidden-row operations).
TEST(GridNodes, ContractAndExpand)
{
    TExStringGrid g;
    NameRows(g, 10);
    g.AddNode(1, 3);
    g.ContractNode(1);
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_EQ(Shown(g), Names({0, 1, 4, 5, 6, 7, 8, 9}));
    g.ContractNode(1); // already contracted: nothing
    EXPECT_EQ(g.RowCount(), 8);
    g.ExpandNode(1);
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(Shown(g), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // Through the state property (displayed row).
    g.SetNodeState(1, true);
    EXPECT_EQ(g.RowCount(), 8);
    g.SetNodeState(1, false);
    EXPECT_EQ(g.RowCount(), 10);
}

TEST(GridNodes, ContractingTheOuterNodeOpensTheInnerOneLater)
{
    TExStringGrid g;
    NameRows(g, 12);
    g.AddNode(1, 6); // rows 1..6
    g.AddNode(3, 3); // rows 3..5
    g.ContractNode(3);
    EXPECT_EQ(Shown(g), Names({0, 1, 2, 3, 6, 7, 8, 9, 10, 11}));
    g.ContractNode(1);
    EXPECT_EQ(Shown(g), Names({0, 1, 7, 8, 9, 10, 11}));
    g.ExpandNode(1);
    EXPECT_EQ(Shown(g), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_FALSE(g.GetNodeState(3));
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

TEST(GridNodes, ExpandOneKeepsOnlyOneNodeOpen)
{
    TExStringGrid g;
    NameRows(g, 12);
    g.AddNode(1, 3);
    g.AddNode(4, 3);
    g.AddNode(7, 3);
    g.CellNode().ExpandOne = true;
    g.ContractNode(4);
    g.ExpandNode(4);
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_TRUE(g.GetNodeState(5)); // node 7 is shown at row 5 now
    EXPECT_EQ(Shown(g), Names({0, 1, 4, 5, 6, 7, 10, 11}));
}

TEST(GridNodes, ContractAllAndExpandAll)
{
    TExStringGrid g;
    NameRows(g, 12);
    g.AddNode(1, 3);
    g.AddNode(5, 4);
    g.AddNode(6, 2); // inside the second node
    g.ContractAll();
    EXPECT_EQ(Shown(g), Names({0, 1, 4, 5, 9, 10, 11}));
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_TRUE(g.GetNodeState(3));
    g.ExpandAll();
    EXPECT_EQ(Shown(g), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_FALSE(g.GetNodeState(6));
}

TEST(GridNodes, ContractAllWithANodeWithoutSpanEnds)
{
    // A node with span 0 reaches to the next node row.
    TExStringGrid g;
    NameRows(g, 8);
    g.AddNode(1, 0);
    g.AddNode(4, 2);
    g.ContractAll();
    EXPECT_EQ(Shown(g), Names({0, 1, 4, 6, 7}));
    g.ExpandAll();
    EXPECT_EQ(g.RowCount(), 8);
}

TEST(GridNodes, ChildRowsGrowAndShrinkTheirNode)
{
    TExStringGrid g;
    NameRows(g, 10);
    g.AddNode(1, 3);
    g.InsertChildRow(2, 1); // a new row 3 inside the node
    EXPECT_EQ(g.RowCount(), 11);
    EXPECT_EQ(g.GetNodeSpan(1), 4);
    EXPECT_EQ(g.GetSubNodeCount(1), 1);
    EXPECT_EQ(g.Cells(1, 3), "");
    EXPECT_EQ(g.GetParentRow(4), 1);
    EXPECT_EQ(g.RowNodeIndent(3), 12);

    // Inserting at the node row itself moves its texts into the new row.
    g.InsertChildRow(1, 0);
    EXPECT_EQ(g.GetNodeSpan(1), 5);
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_EQ(g.Cells(1, 1), "");
    EXPECT_EQ(g.Cells(1, 2), "r1");

    g.RemoveChildRow(3);
    EXPECT_EQ(g.RowCount(), 11);
    EXPECT_EQ(g.GetNodeSpan(1), 4);
    EXPECT_EQ(g.GetSubNodeCount(1), 1);
}

TEST(GridNodes, ContractedNodeBoxSetsTheBoxesOfItsHiddenRows)
{
    TExStringGrid g;
    NameRows(g, 10);
    g.AddNode(2, 4); // rows 3, 4, 5 belong to it
    g.AddCheckBoxColumn(2, false, false);
    g.Grouping().AutoCheckGroup = true;
    g.ContractNode(2);
    ASSERT_EQ(g.RowCount(), 7);
    EXPECT_TRUE(g.ToggleCheckBox(2, 2));
    // While rows are hidden the reads take real rows: the hidden rows are
    // checked, real row 6 (displayed at row 3) is not.
    for (int r = 3; r <= 5; ++r) EXPECT_TRUE(g.IsChecked(2, r)) << r;
    EXPECT_FALSE(g.IsChecked(2, 6));
    g.ExpandNode(2);
    for (int r = 3; r <= 5; ++r) EXPECT_TRUE(g.IsChecked(2, r)) << r;
    EXPECT_FALSE(g.IsChecked(2, 6));
}

TEST(GridNodes, RowsInsertedAroundAContractedNodeKeepItsBlock)
{
    TExStringGrid g;
    NameRows(g, 8);
    g.AddNode(2, 3); // rows 3, 4 hidden when contracted
    g.ContractNode(2);
    g.InsertNormalRow(1); // above the node
    g.SetCells(1, 1, "new");
    EXPECT_TRUE(g.GetNodeState(3));
    g.ExpandNode(3);
    EXPECT_EQ(Shown(g), (std::vector<std::string>{"r0", "new", "r1", "r2", "r3", "r4", "r5", "r6", "r7"}));
    EXPECT_EQ(g.GetParentRow(5), 3);
    g.RemoveNormalRow(1);
    EXPECT_EQ(Shown(g), Names({0, 1, 2, 3, 4, 5, 6, 7}));
}
