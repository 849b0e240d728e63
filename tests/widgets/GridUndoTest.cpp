#include "widgets/GridUndo.h"

#include "widgets/BaseGrid.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct UndoFixture : ::testing::Test {
    UndoFixture()
    {
        grid.SetColCount(5);
        grid.SetRowCount(6);
        grid.SetUndoRedo(&undo);
    }
    // A change made by the user: written to the grid and registered.
    void Edit(int c, int r, const std::string& v)
    {
        undo.RegisterChange(c, r, grid.Cells(c, r), v);
        grid.SetCells(c, r, v);
    }
    TBaseGrid grid;
    TExGridUndoRedo undo;
};

} // namespace

TEST_F(UndoFixture, UndoneItemsStayBelowNewOnes)
{
    grid.SetCells(1, 1, "a");
    Edit(1, 1, "b"); // A
    Edit(1, 1, "c"); // B
    undo.Undo();
    EXPECT_EQ(grid.Cells(1, 1), "b");
    EXPECT_EQ(undo.Level(), 1);
    EXPECT_TRUE(undo.CanRedo());

    Edit(1, 1, "d"); // C, appended after the undone B
    EXPECT_EQ(undo.Items().Count(), 3);
    EXPECT_EQ(undo.Level(), 3);
    EXPECT_FALSE(undo.CanRedo());

    undo.Undo();
    EXPECT_EQ(grid.Cells(1, 1), "b");
    undo.Undo();
    EXPECT_EQ(grid.Cells(1, 1), "b");
    undo.Undo();
    EXPECT_EQ(grid.Cells(1, 1), "a");
    EXPECT_FALSE(undo.CanUndo());
    undo.Undo(); // nothing left
    EXPECT_EQ(undo.Level(), 0);

    std::vector<std::string> redone;
    undo.OnRedo = [&](TObject* s, TBaseGrid* g, int c, int r, const std::string& orig, const std::string& nv) {
        EXPECT_EQ(s, &undo);
        EXPECT_EQ(g, &grid);
        EXPECT_EQ(c, 1);
        EXPECT_EQ(r, 1);
        EXPECT_EQ(orig, grid.Cells(1, 1));
        redone.push_back(nv);
    };
    undo.Redo();
    undo.Redo();
    undo.Redo();
    EXPECT_EQ((std::vector<std::string>{"b", "c", "d"}), redone);
    EXPECT_EQ(grid.Cells(1, 1), "d");
}

TEST_F(UndoFixture, SequenceIsOneStepAndMovesTheCurrentCell)
{
    grid.SetCells(1, 1, "x");
    grid.SetCells(2, 3, "y");
    undo.StartSequence();
    Edit(1, 1, "x2");
    Edit(2, 3, "y2");
    undo.StopSequence();
    EXPECT_EQ(undo.Level(), 4);

    std::vector<std::pair<int, int>> order;
    undo.OnUndo = [&](TObject*, TBaseGrid*, int c, int r, const std::string&, const std::string&) {
        order.emplace_back(c, r);
    };
    undo.Undo();
    EXPECT_EQ(grid.Cells(1, 1), "x");
    EXPECT_EQ(grid.Cells(2, 3), "y");
    EXPECT_EQ(undo.Level(), 0);
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{2, 3}, {1, 1}})); // reverse order
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);

    undo.Redo();
    EXPECT_EQ(grid.Cells(1, 1), "x2");
    EXPECT_EQ(grid.Cells(2, 3), "y2");
    EXPECT_EQ(undo.Level(), 4); // just past the stop mark
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);
}

TEST_F(UndoFixture, RedoOfAnOpenSequenceReplaysEveryChange)
{
    undo.StartSequence();
    Edit(1, 1, "p");
    Edit(1, 2, "q");
    // Undo the two changes one by one, then step over the start mark.
    undo.Undo();
    undo.Undo();
    undo.Undo();
    EXPECT_EQ(undo.Level(), 0);
    EXPECT_EQ(grid.Cells(1, 2), "");
    undo.Redo();
    EXPECT_EQ(grid.Cells(1, 1), "p");
    EXPECT_EQ(grid.Cells(1, 2), "q");
    EXPECT_EQ(undo.Level(), 3);
}

TEST_F(UndoFixture, MaxLevelTrimsAndLevelNeverGoesNegative)
{
    undo.SetMaxLevel(3);
    for (int i = 0; i < 4; ++i) Edit(1, 1, std::to_string(i));
    EXPECT_EQ(undo.Items().Count(), 3);
    EXPECT_EQ(undo.Level(), 3);
    EXPECT_EQ(undo.Items().Item(0)->Value, "1"); // the oldest was dropped

    // Trimming removes the start mark of a sequence.
    undo.Reset();
    undo.SetMaxLevel(2);
    undo.StartSequence();
    Edit(2, 2, "a");
    Edit(2, 2, "b"); // drops the start mark
    undo.StopSequence();
    EXPECT_FALSE(undo.Items().Item(0)->SequenceStart);
    undo.Undo();
    EXPECT_EQ(undo.Level(), 0);
    EXPECT_EQ(grid.Cells(2, 2), "");
    undo.Undo();
    EXPECT_EQ(undo.Level(), 0);
    undo.Redo(); // starts at item 0, a change: no negative index
    EXPECT_EQ(undo.Level(), 1);
}

TEST_F(UndoFixture, ResetAndUnlinkedComponent)
{
    Edit(1, 1, "a");
    undo.Reset();
    EXPECT_EQ(undo.Items().Count(), 0);
    EXPECT_TRUE(undo.CanUndo()); // Level stays
    undo.Undo();
    EXPECT_EQ(undo.Level(), 1);

    TExGridUndoRedo lone;
    lone.RegisterChange(0, 0, "", "x");
    lone.Undo();
    lone.Redo();
    EXPECT_EQ(lone.Level(), 1);
}

TEST(GridUndo, DestroyingEitherSideClearsTheLink)
{
    auto grid = std::make_unique<TBaseGrid>();
    {
        TExGridUndoRedo undo;
        grid->SetUndoRedo(&undo);
        EXPECT_EQ(undo.Grid(), grid.get());
    }
    EXPECT_EQ(grid->UndoRedo(), nullptr);

    TExGridUndoRedo undo;
    grid->SetUndoRedo(&undo);
    grid.reset();
    EXPECT_EQ(undo.Grid(), nullptr);
    undo.RegisterChange(0, 0, "", "x");
    undo.Undo(); // no grid: nothing happens
    EXPECT_EQ(undo.Level(), 1);
}
