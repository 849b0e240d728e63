#include "widgets/grid_model/RowState.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GridRowFlags, SelectionFlagsKeepTheSelectedRowListInStep)
{
    TGridRowFlags flags;
    EXPECT_FALSE(flags.Selected(-1));
    EXPECT_FALSE(flags.Selected(1000));
    EXPECT_TRUE(flags.WouldChange(4, false)); // no entry yet: the veto event is asked

    EXPECT_TRUE(flags.SetSelected(5, true, 1));
    EXPECT_TRUE(flags.SetSelected(2, true, 1));
    EXPECT_TRUE(flags.SetSelected(0, true, 1)); // fixed row: flagged, not listed
    EXPECT_FALSE(flags.SetSelected(5, true, 1));
    EXPECT_FALSE(flags.WouldChange(5, true));
    EXPECT_EQ(flags.SelectedRows(), (std::vector<int>{5, 2}));
    EXPECT_EQ(flags.SelectCount(100), 3);
    EXPECT_EQ(flags.SelectCount(3), 2); // only entries below the limit count

    EXPECT_TRUE(flags.SetSelected(5, false, 1));
    EXPECT_EQ(flags.SelectedRows(), (std::vector<int>{2}));
    EXPECT_EQ(flags.ClearSelection(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(flags.SelectedRows().empty());
    EXPECT_FALSE(flags.SetSelected(-3, true, 1));
}

TEST(GridRowFlags, RemovedRowsTakeTheirFlagsAlongAndRowsBelowMoveUp)
{
    TGridRowFlags flags;
    flags.SetSelected(4, true, 1);
    flags.SetSelected(2, true, 1);
    flags.SetModified(3, true);
    flags.SetModified(6, true);
    flags.SetEnabled(5, false);

    flags.RowsRemoved(2, 2, true, true);
    EXPECT_TRUE(flags.Selected(2)); // former row 4
    EXPECT_FALSE(flags.Selected(4));
    EXPECT_EQ(flags.SelectedRows(), (std::vector<int>{2}));
    EXPECT_TRUE(flags.Modified(4)); // former row 6
    EXPECT_EQ(flags.ModifiedCount(), 1);
    EXPECT_FALSE(flags.Enabled(3)); // former row 5
    EXPECT_TRUE(flags.Enabled(5));

    // A block reaching past every entry and lists left alone while off.
    flags.SetModified(1, true);
    flags.RowsRemoved(1, 1000000, false, true);
    EXPECT_TRUE(flags.Modified(1));
    EXPECT_TRUE(flags.SelectedRows().empty());
    EXPECT_EQ(flags.SelectCount(1000), 0);
}

TEST(GridColFlags, FlagsGrowOnDemandAndFollowRemoval)
{
    TGridColFlags flags;
    EXPECT_TRUE(flags.SetSelected(3, true));
    EXPECT_FALSE(flags.SetSelected(3, true));
    flags.SetSelected(5, true);
    flags.ColsRemoved(3, 1);
    EXPECT_TRUE(flags.Selected(4));
    EXPECT_FALSE(flags.Selected(3));
    EXPECT_EQ(flags.SelectCount(), 1);
    EXPECT_EQ(flags.ClearSelection(), (std::vector<int>{4}));
}

TEST(GridUpdateLock, NestedLocksRepaintOnlyAtTheOutermostEnd)
{
    TGridUpdateLock lock;
    EXPECT_TRUE(lock.Begin(true));
    EXPECT_TRUE(lock.Begin(true));
    EXPECT_FALSE(lock.End(true, false));
    EXPECT_TRUE(lock.Locked());
    EXPECT_TRUE(lock.End(true, false));
    EXPECT_FALSE(lock.Locked());
    EXPECT_TRUE(lock.End(true, false)); // an extra end repaints again, the count stays 0
    EXPECT_EQ(lock.Count(), 0);

    // Invisible: counted, no redraw switch; ending once shown repaints.
    EXPECT_FALSE(lock.Begin(false));
    EXPECT_EQ(lock.Count(), 1);
    EXPECT_TRUE(lock.End(true, false));
    lock.Start();
    lock.Start();
    lock.Reset();
    EXPECT_FALSE(lock.Locked());
    lock.Begin(true);
    EXPECT_FALSE(lock.End(true, true)); // no repaint while destroying
}
