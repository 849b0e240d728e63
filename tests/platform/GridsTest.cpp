// The string grid's windowless core: geometry, navigation, selection,
// sizing and moving by mouse, editing protocol and the cell store.
#include "platform/Grids.h"

#include <gtest/gtest.h>

namespace {

// 10 columns x 100 rows, one fixed of each, 9 data rows fully visible
// (rows take 24 + 1 pixels; 251 = fixed row 25 + 9 x 25 + 1).
struct Grid10x100 : ::testing::Test {
    TStringGrid g;
    Grid10x100()
    {
        g.SetColCount(10);
        g.SetRowCount(100);
        g.SetClientSize(400, 251);
    }
    void Key(int vk, TShiftState s = {}) { g.HandleKeyDown(vk, s); }
};

TEST_F(Grid10x100, KeysMoveTheCurrentRowAsTheClassLibraryDoes)
{
    ASSERT_EQ(g.VisibleRowCount(), 9);
    EXPECT_EQ(g.Row(), 1);
    Key(VK_DOWN);
    EXPECT_EQ(g.Row(), 2);
    Key(VK_NEXT);
    EXPECT_EQ(g.Row(), 11);
    EXPECT_EQ(g.TopRow(), 10);
    Key(VK_NEXT, {ssCtrl});  // last fully visible row
    EXPECT_EQ(g.Row(), 18);
    Key(VK_END, {ssCtrl});
    EXPECT_EQ(g.Row(), 99);
    EXPECT_EQ(g.Col(), 9);
    EXPECT_EQ(g.TopRow(), 91);
    Key(VK_DOWN);  // clamped at the last row
    EXPECT_EQ(g.Row(), 99);
    Key(VK_HOME, {ssCtrl});
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.TopRow(), 1);
    Key(VK_UP);  // never into the fixed row
    EXPECT_EQ(g.Row(), 1);
    Key(VK_DOWN, {ssCtrl});  // scrolls, current cell stays
    EXPECT_EQ(g.TopRow(), 2);
    EXPECT_EQ(g.Row(), 1);
    Key(VK_PRIOR);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.TopRow(), 1);
    Key(VK_END);
    EXPECT_EQ(g.Col(), 9);
    EXPECT_GT(g.LeftCol(), 1);
    Key(VK_HOME);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.LeftCol(), 1);
}

TEST_F(Grid10x100, ShiftExtendsTheSelectionFromItsAnchor)
{
    Key(VK_DOWN, {ssShift});
    Key(VK_RIGHT, {ssShift});
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 2, 2}));
    Key(VK_DOWN);  // without Shift the selection collapses
    EXPECT_EQ(g.Selection(), (TGridRect{2, 3, 2, 3}));
    // Without goRangeSelect Shift does not extend.
    g.SetOptions(g.Options() - goRangeSelect);
    Key(VK_DOWN, {ssShift});
    EXPECT_EQ(g.Selection(), (TGridRect{2, 4, 2, 4}));
    // Row select: the selection spans the data columns, Left/Right move rows.
    g.SetOptions(g.Options() + goRowSelect);
    Key(VK_RIGHT);
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 5, 9, 5}));
}

TEST_F(Grid10x100, SelectCellCanRefuseAMove)
{
    g.OnSelectCell = [](TObject*, int, int r, bool& can) { can = r != 2; };
    Key(VK_DOWN);
    EXPECT_EQ(g.Row(), 1);
    g.SetRow(3);
    EXPECT_EQ(g.Row(), 3);
}

TEST_F(Grid10x100, TabWalksTabStopsAndWraps)
{
    g.SetOptions(g.Options() + goTabs);
    g.SetTabStops(2, false);
    g.SetCol(1);
    Key(VK_TAB);
    EXPECT_EQ(g.Col(), 3);
    g.SetCol(9);
    Key(VK_TAB);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 2);
    Key(VK_TAB, {ssShift});
    EXPECT_EQ(g.Col(), 9);
    EXPECT_EQ(g.Row(), 1);
}

TEST_F(Grid10x100, WheelMovesTheCurrentRow)
{
    g.HandleMouseWheel({}, -240, {10, 10});
    EXPECT_EQ(g.Row(), 3);
    g.HandleMouseWheel({}, 120, {10, 10});
    EXPECT_EQ(g.Row(), 2);
}

TEST(GridCoreTest, CellRectAndMouseToCellWithoutAWidget)
{
    TStringGrid g;  // 5 x 5, 64 x 24 cells, 1-pixel lines
    g.SetClientSize(200, 100);
    EXPECT_EQ(g.CellRect(0, 0), Rect(0, 0, 64, 24));
    EXPECT_EQ(g.CellRect(1, 1), Rect(65, 25, 129, 49));
    EXPECT_EQ(g.CellRect(3, 3), Rect(195, 75, 259, 99));  // partly visible
    EXPECT_EQ(g.CellRect(4, 1), TRect{});                  // off screen
    EXPECT_EQ(g.CellRect(-1, 0), TRect{});
    struct Case {
        int x, y, col, row;
    } cases[] = {{0, 0, 0, 0}, {64, 10, 0, 0}, {65, 25, 1, 1}, {199, 99, 3, 3}, {200, 10, -1, -1}, {-1, 5, -1, -1}};
    for (auto c : cases) {
        int col = 0, row = 0;
        g.MouseToCell(c.x, c.y, col, row);
        EXPECT_EQ(col, c.col) << c.x << "," << c.y;
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    }
    // Scrolled: the fixed row stays, data rows start at the top row.
    g.SetRowCount(20);
    g.SetTopRow(5);
    EXPECT_EQ(g.TopRow(), 5);
    EXPECT_EQ(g.CellRect(1, 5), Rect(65, 25, 129, 49));
    EXPECT_EQ(g.CellRect(1, 2), TRect{});
    EXPECT_EQ(g.MouseCoord(70, 30), (TGridCoord{1, 5}));
}

TEST(GridCoreTest, CanvasMeasuresWithTheGridFontOutsidePainting)
{
    TStringGrid g;
    ASSERT_NE(g.Canvas(), nullptr);
    int w = g.Canvas()->TextWidth("Measure");
    g.Font().SetSize(20);
    EXPECT_GT(g.Canvas()->TextWidth("Measure"), w);
}

TEST(GridCoreTest, CountsAndSizesAreChecked)
{
    TStringGrid g;
    EXPECT_THROW(g.SetFixedCols(5), EInvalidGridOperation);
    EXPECT_THROW(g.SetFixedRows(-1), EInvalidGridOperation);
    EXPECT_THROW(g.SetColWidths(5, 10), EInvalidGridOperation);
    EXPECT_THROW(g.SetRowHeights(-1, 10), EInvalidGridOperation);
    EXPECT_THROW(g.SetRow(5), EInvalidGridOperation);
    EXPECT_EQ(g.ColWidths(-1), 64);
    EXPECT_EQ(g.ColWidths(99), 64);
    g.SetRow(4);
    g.SetRowCount(3);  // current row follows
    EXPECT_EQ(g.Row(), 2);
    g.SetColCount(1);  // fixed columns drop below the count
    EXPECT_EQ(g.FixedCols(), 0);
    g.SetColCount(0);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_THROW(g.SetRowCount(2000000000), EInvalidGridOperation);
    EXPECT_EQ(g.RowCount(), 3);
}

TEST(GridCoreTest, DraggingAColumnBorderResizesTheColumn)
{
    TStringGrid g;
    g.SetClientSize(400, 200);
    g.SetOptions(g.Options() + goColSizing + goRowSizing);
    int border = g.CellRect(2, 0).Right;  // column 2's right edge
    g.HandleMouseDown(mbLeft, {ssLeft}, border, 5);
    EXPECT_EQ(g.GridState(), gsColSizing);
    g.HandleMouseMove({ssLeft}, border + 4, 5);
    g.HandleMouseMove({ssLeft}, border + 10, 5);
    g.HandleMouseUp(mbLeft, {}, border + 10, 5);
    EXPECT_EQ(g.ColWidths(2), 74);
    EXPECT_EQ(g.GridState(), gsNormal);
    // Row border in the fixed column; narrowing below zero stops at zero.
    int rb = g.CellRect(0, 1).Bottom;
    g.HandleMouseDown(mbLeft, {ssLeft}, 10, rb);
    g.HandleMouseUp(mbLeft, {}, 10, rb - 100);
    EXPECT_EQ(g.RowHeights(1), 0);
    // Without goColSizing a click on a border selects nothing special.
    g.SetOptions(g.Options() - goColSizing);
    g.HandleMouseDown(mbLeft, {ssLeft}, g.CellRect(1, 0).Right, 5);
    EXPECT_EQ(g.GridState(), gsNormal);
}

TEST(GridCoreTest, MouseSelectsRangesAndMovesColumns)
{
    TStringGrid g;
    g.SetClientSize(400, 200);
    TRect a = g.CellRect(1, 1), b = g.CellRect(3, 2);
    g.HandleMouseDown(mbLeft, {ssLeft}, a.Left + 3, a.Top + 3);
    g.HandleMouseMove({ssLeft}, b.Left + 3, b.Top + 3);
    g.HandleMouseUp(mbLeft, {}, b.Left + 3, b.Top + 3);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 3, 2}));

    g.SetOptions(g.Options() + goColMoving);
    g.SetCells(1, 1, "one");
    g.SetCells(3, 1, "three");
    int moved = -1;
    g.OnColumnMoved = [&](TObject*, int from, int to) { moved = from * 10 + to; };
    TRect h1 = g.CellRect(1, 0), h3 = g.CellRect(3, 0);
    g.HandleMouseDown(mbLeft, {ssLeft}, h1.Left + 10, 5);
    EXPECT_EQ(g.GridState(), gsColMoving);
    g.HandleMouseMove({ssLeft}, h3.Left + 10, 5);
    g.HandleMouseUp(mbLeft, {}, h3.Left + 10, 5);
    EXPECT_EQ(moved, 13);
    EXPECT_EQ(g.Cells(3, 1), "one");
    EXPECT_EQ(g.Cells(2, 1), "three");
    EXPECT_EQ(g.Cells(1, 1), "");
}

TEST(GridCoreTest, CellStoreIsSparseAndIgnoresNegativeIndices)
{
    TStringGrid g;
    EXPECT_EQ(g.Cells(3, 1000000), "");
    EXPECT_EQ(g.Objects(-5, -5), nullptr);
    EXPECT_EQ(g.StoredRowCount(), 0);  // reads never allocate
    g.SetCells(-1, 2, "x");
    g.SetCells(2, -1, "x");
    g.SetObjects(-1, -1, &g);
    EXPECT_EQ(g.StoredRowCount(), 0);
    g.SetCells(12, 2, "beyond the columns");  // kept: hidden columns live there
    EXPECT_EQ(g.Cells(12, 2), "beyond the columns");
    g.SetCells(12, 2, "");
    EXPECT_EQ(g.StoredRowCount(), 0);  // emptied cells leave the store

    g.SetRows(1, {"a", "b"});
    g.SetRows(2, {"c", "d"});
    g.SetRows(3, {"e", "f"});
    g.DeleteRow(2);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Rows(2), (std::vector<std::string>{"e", "f", "", "", ""}));
    g.SetRowCount(5);  // the deleted row does not come back
    EXPECT_EQ(g.Cells(0, 4), "");
    EXPECT_THROW(g.DeleteRow(7), EInvalidGridOperation);

    g.MoveRow(1, 3);
    EXPECT_EQ(g.Cells(0, 3), "a");
    EXPECT_EQ(g.Cells(0, 1), "e");  // rows 2..3 moved up by one
    EXPECT_EQ(g.Cells(0, 2), "");
    g.DeleteColumn(0);
    EXPECT_EQ(g.Cells(0, 3), "b");
    EXPECT_EQ(g.ColCount(), 4);
}

TEST(GridCoreTest, TypingOpensTheEditorAndEnterStoresTheText)
{
    TStringGrid g;
    g.SetFocusedFlag(true);
    g.SetOptions(g.Options() + goEditing);
    g.SetCells(1, 1, "old");
    std::vector<std::string> set;
    g.OnSetEditText = [&](TObject*, int, int, const std::string& v) { set.push_back(v); };
    TKeyChar k = u'n';
    g.HandleKeyPress(k);
    ASSERT_NE(g.InplaceEditor(), nullptr);
    EXPECT_TRUE(g.EditorMode());
    EXPECT_EQ(g.InplaceEditor()->Text(), "n");
    g.InplaceEditor()->TextEdited("new");
    TKeyChar enter = u'\r';
    g.InplaceEditor()->KeyPress(enter);
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.Cells(1, 1), "new");
    EXPECT_EQ(set, (std::vector<std::string>{"new"}));

    // Escape restores and closes without storing.
    TKeyChar x = u'x';
    g.HandleKeyPress(x);
    TKeyChar esc = 27;
    g.InplaceEditor()->KeyPress(esc);
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.Cells(1, 1), "new");

    // F2 opens with the cell's text; moving away stores it.
    int f2 = VK_F2;
    g.HandleKeyDown(f2, {});
    EXPECT_EQ(g.InplaceEditor()->Text(), "new");
    g.InplaceEditor()->TextEdited("moved");
    int down = VK_DOWN;
    g.InplaceEditor()->KeyDown(down, {});
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Cells(1, 1), "moved");
    EXPECT_FALSE(g.InplaceEditor()->Visible());

    // Without goEditing typing does nothing; a refusing CanEditShow too.
    g.SetOptions(g.Options() - goEditing);
    TKeyChar y = u'y';
    g.HandleKeyPress(y);
    EXPECT_FALSE(g.InplaceEditor()->Visible());
}

struct Recorder : TStringGrid {
    std::vector<unsigned> got;
    std::vector<int> ticks;
    void WndProc(TMessage& m) override
    {
        got.push_back(m.Msg);
        TStringGrid::WndProc(m);
    }
    void TimerEvent(int id) override { ticks.push_back(id); }
};

TEST(GridCoreTest, PostedMessagesWaitForDeliveryAndTimersGoByID)
{
    Recorder g;
    unsigned done = RegisterWindowMessage("GridEditDone");
    EXPECT_EQ(done, RegisterWindowMessage("GridEditDone"));
    EXPECT_NE(done, RegisterWindowMessage("DTPShiftFocus"));
    g.PostMessage(done, 2, 3);
    EXPECT_TRUE(g.got.empty());
    EXPECT_EQ(g.DeliverPostedMessages(), 1);
    EXPECT_EQ(g.got, (std::vector<unsigned>{done}));
    g.SetTimer(111, 500);
    EXPECT_TRUE(g.TimerRunning(111));
    TMessage t;
    t.Msg = WM_TIMER;
    t.WParam = 111;
    g.Perform(t);
    EXPECT_EQ(g.ticks, (std::vector<int>{111}));
    g.KillTimer(111);
    EXPECT_FALSE(g.TimerRunning(111));
}

}  // namespace
