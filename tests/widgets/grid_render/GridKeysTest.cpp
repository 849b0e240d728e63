// The grid driven from the keyboard and the wheel in a real window: keys go
// down and up through the window system, the wheel turns over the cells,
// the grid timer ticks as its window receives them.
#include "widgets/ExStringGrid.h"
#include "widgets/GridSettings.h"
#include "widgets/grid_render/HTMLHintWindow.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

// A form holding a grid of 6 columns and 30 rows (one fixed column and
// row), shown and active, the grid focused on cell (1, 1).
struct KeysFixture : ::testing::Test {
    TForm form;
    TExStringGrid* grid = nullptr;
    KeysFixture()
    {
        form.SetClientSize(520, 320);
        grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 420, 280);
        grid->SetColCount(6);
        grid->SetRowCount(30);
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        Application_ProcessMessages();
        grid->FocusCell(1, 1, true);
    }
    ~KeysFixture() override { form.Close(); }
    bool EditorShown() const { return grid->InplaceEditor() && grid->InplaceEditor()->Visible(); }
    void Key(int vk, TShiftState s = {}, const std::string& text = "") { PressKey(form, vk, s, text); }
    void Tick()
    {
        TMessage m;
        m.Msg = WM_TIMER;
        m.WParam = 111;
        grid->Perform(m);
    }
    std::pair<int, int> Cell() const { return {grid->Col(), grid->Row()}; }
};

} // namespace

TEST_F(KeysFixture, ArrowsPagingAndCtrlHomeMoveTheCurrentCell)
{
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Cell(), std::make_pair(1, 4));
    const int page = grid->VisibleRowCount();
    ASSERT_GT(page, 3);
    Key(VK_NEXT);
    EXPECT_EQ(grid->Row(), 4 + page);
    EXPECT_GE(grid->Row(), grid->TopRow());
    EXPECT_LT(grid->Row(), grid->TopRow() + page + 1);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(grid->Col(), 3);
    Key(VK_HOME, {ssCtrl});
    EXPECT_EQ(Cell(), std::make_pair(grid->FixedCols(), grid->FixedRows()));
    EXPECT_EQ(grid->TopRow(), grid->FixedRows());
    // Up at the first data row stays there.
    Key(VK_UP);
    EXPECT_EQ(Cell(), std::make_pair(1, 1));
}

// The program's rule grids: editing on, no goTabs.
TEST_F(KeysFixture, RuleGridTypingSpaceAndEnterOnAReadOnlyCell)
{
    grid->SetOptions(grid->Options() + goEditing - goTabs);
    grid->AddCheckBoxColumn(3, false, true);
    grid->HideColumn(2); // displayed column 2 is real column 3 from now on
    Log log;
    grid->OnKeyDown = [&](TObject*, int& k, TShiftState) { log.push_back("KeyDown " + std::to_string(k)); };
    grid->OnKeyPress = [&](TObject*, TKeyChar& k) { log.push_back("KeyPress " + std::to_string(int(k))); };
    grid->OnCheckBoxClick = [&](TObject*, int c, int r, bool s) {
        log.push_back("CheckBoxClick " + std::to_string(c) + "," + std::to_string(r) + (s ? " on" : " off"));
    };
    grid->OnEditCellDone = [&](TObject*, int c, int r) { log.push_back("EditCellDone " + std::to_string(c) + "," + std::to_string(r)); };
    grid->OnCanEditCell = [&](TObject*, int, int c, bool& can) { can = c != 4; };

    // A letter on an editable cell opens the editor with that letter.
    TypeKeys(form, "q");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(grid->InplaceEditor()->Text(), "q");
    Key(VK_ESCAPE, {}, "\x1b");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Cells(1, 1), "");
    Application_ProcessMessages(); // the end of that edit arrives

    // Space on a data check box reading "N" makes it "Y" and reports the
    // real column.
    grid->SetCol(2);
    ASSERT_EQ(grid->Cells(3, 1), "N");
    log.clear();
    Key(VK_SPACE, {}, " ");
    EXPECT_EQ(grid->Cells(3, 1), "Y");
    EXPECT_NE(std::find(log.begin(), log.end(), "CheckBoxClick 3,1 on"), log.end());
    EXPECT_FALSE(EditorShown());

    // Enter on a cell that may not be edited: OnKeyDown, nothing else.
    grid->SetCol(3); // real column 4
    grid->SetCells(4, 1, "keep");
    log.clear();
    Key(VK_RETURN, {}, "\r");
    Application_ProcessMessages();
    EXPECT_EQ(log, (Log{"KeyDown 13"}));
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Cell(), std::make_pair(3, 1));
    EXPECT_EQ(grid->Cells(4, 1), "keep");
}

TEST_F(KeysFixture, OneWheelNotchMovesTheRowByTheWheelLines)
{
    const int lines = grid->WheelScrollLinesOfGrid();
    ASSERT_EQ(lines, 3);
    struct Case {
        TWheelAction action;
        int fromRow, delta;
        int row;    // expected current row (-1: unchanged)
        int topBy;  // expected change of the top row
    };
    const Case cases[] = {
        {waMoveSelection, 1, -120, 1 + lines, 0},
        {waMoveSelection, 27, -120, 29, 0}, // clamped to the last data row
        {waMoveSelection, 2, 120, 1, 0},    // never onto the fixed row
        {waScroll, 5, -120, -1, lines},      // the view moves, the cell stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fromRow);
        grid->MouseActions().SetWheelAction(c.action);
        grid->FocusCell(1, c.fromRow, true);
        grid->SetTopRow(c.action == waScroll ? 1 : grid->TopRow());
        const int top0 = grid->TopRow();
        SendMouseWheel(*grid->View(), c.delta, 20, 40);
        EXPECT_EQ(grid->Row(), c.row == -1 ? c.fromRow : c.row);
        if (c.action == waScroll) {
            EXPECT_EQ(grid->TopRow(), top0 + c.topBy);
        }
    }
}

TEST_F(KeysFixture, IncrementalSearchExpiresOnTheFourthTickAfterTheLastKey)
{
    EXPECT_TRUE(grid->TimerRunning(111));
    grid->Navigation().AutoGotoWhenSorted = true;
    grid->Navigation().AutoGotoIncremental = true;
    const char* names[] = {"alpha", "bravo", "brick", "charlie"};
    for (int r = 1; r <= 4; ++r) grid->SetCells(1, r, names[r - 1]);
    TypeKeys(form, "b");
    EXPECT_EQ(grid->IncrementalSearchText(), "b");
    EXPECT_EQ(grid->Row(), 2);
    Tick();
    Tick();
    // A key before the text expires extends it and starts the count again.
    TypeKeys(form, "ri");
    EXPECT_EQ(grid->IncrementalSearchText(), "bri");
    EXPECT_EQ(grid->Row(), 3);
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(grid->IncrementalSearchText(), "bri");
    Tick();
    EXPECT_EQ(grid->IncrementalSearchText(), "");
    // A fresh search starts from the first letter again.
    TypeKeys(form, "c");
    EXPECT_EQ(grid->Row(), 4);
}

TEST_F(KeysFixture, TabWithNoEditableCellReturns)
{
    grid->SetColCount(1024);
    grid->SetRowCount(19);
    grid->SetOptions(grid->Options() + goEditing + goTabs);
    grid->OnCanEditCell = [](TObject*, int, int, bool& can) { can = false; };
    grid->FocusCell(5, 3, true);
    Key(VK_TAB);
    EXPECT_FALSE(EditorShown());
    Key(VK_TAB, {ssShift});
    EXPECT_FALSE(EditorShown());
    EXPECT_GE(grid->Col(), grid->FixedCols());
    EXPECT_GE(grid->Row(), grid->FixedRows());

    // One editable cell in the whole grid: Tab and Shift+Tab find it from
    // anywhere, through the rows between and around the ends, and open it.
    grid->OnCanEditCell = [](TObject*, int r, int c, bool& can) { can = c == 7 && r == 3; };
    const struct {
        std::pair<int, int> from;
        bool back;
    } lone[] = {{{5, 3}, false}, {{9, 3}, true}, {{5, 10}, false}, {{5, 10}, true}, {{900, 2}, true}, {{3, 18}, false}};
    for (const auto& c : lone) {
        SCOPED_TRACE(std::to_string(c.from.first) + "," + std::to_string(c.from.second) + (c.back ? " back" : ""));
        grid->HideInplaceEdit();
        grid->FocusCell(c.from.first, c.from.second, true);
        Key(VK_TAB, c.back ? TShiftState{ssShift} : TShiftState{});
        EXPECT_EQ(Cell(), std::make_pair(7, 3));
        EXPECT_TRUE(EditorShown());
    }
}

// Where Tab and Shift+Tab go, key down then key up on the grid's window;
// each case on a fresh 6 x 30 grid with goTabs (one fixed column and row).
TEST(GridKeysTab, TabAndShiftTabStopOnTheCellsThatTakeTheTab)
{
    struct Case {
        const char* name;
        bool editing;                         // goEditing
        std::function<bool(int, int)> takes;  // real column, row: editable (goEditing) or selectable
        int hide;                             // real column hidden first (-1: none)
        bool advanceInsert;
        std::pair<int, int> from;             // displayed column, row
        std::vector<TShiftState> keys;        // one Tab each, with these shift keys
        std::pair<int, int> to;
        int rowCount;
    };
    const TShiftState fwd{}, back{ssShift};
    auto cols = [](std::initializer_list<int> cs) {
        std::vector<int> v(cs);
        return [v](int c, int) { return std::find(v.begin(), v.end(), c) != v.end(); };
    };
    const Case cases[] = {
        {"next editable in the row", true, cols({2, 4}), -1, false, {2, 5}, {fwd}, {4, 5}, 30},
        {"on to the next row", true, cols({2, 4}), -1, false, {4, 5}, {fwd}, {2, 6}, 30},
        {"twice, the second from the open editor", true, cols({2, 4}), -1, false, {2, 5}, {fwd, fwd}, {2, 6}, 30},
        {"back in the row", true, cols({2, 4}), -1, false, {4, 5}, {back}, {2, 5}, 30},
        {"back to the row above", true, cols({2, 4}), -1, false, {2, 5}, {back}, {4, 4}, 30},
        {"from a read-only cell", true, cols({2, 4}), -1, false, {3, 5}, {fwd}, {4, 5}, 30},
        {"back from a read-only cell", true, cols({2, 4}), -1, false, {5, 5}, {back}, {4, 5}, 30},
        {"wrap from the last row", true, cols({2, 4}), -1, false, {4, 29}, {fwd}, {2, 1}, 30},
        {"back wrap from the first row", true, cols({2, 4}), -1, false, {2, 1}, {back}, {4, 29}, 30},
        {"append at the end", true, cols({2, 4}), -1, true, {4, 29}, {fwd}, {2, 30}, 31},
        {"rows without editable cells", true, [](int c, int r) { return c == 3 && (r == 2 || r == 20); }, -1, false,
         {3, 2}, {fwd}, {3, 20}, 30},
        {"back over rows without editable cells", true, [](int c, int r) { return c == 3 && (r == 2 || r == 20); }, -1,
         false, {3, 20}, {back}, {3, 2}, 30},
        // Real column 4 hidden: displayed 4 is real 5.
        {"hidden column", true, cols({3, 5}), 4, false, {3, 7}, {fwd}, {4, 7}, 30},
        {"back over a hidden column", true, cols({3, 5}), 4, false, {4, 7}, {back}, {3, 7}, 30},
        // Without goEditing every cell that is not fixed takes the Tab
        // unless OnSelectCell refuses it.
        {"tab stops", false, cols({1, 5}), -1, false, {1, 3}, {fwd}, {5, 3}, 30},
        {"tab stops, next row", false, cols({1, 5}), -1, false, {5, 3}, {fwd}, {1, 4}, 30},
        {"tab stops, back", false, cols({1, 5}), -1, false, {1, 3}, {back}, {5, 2}, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm form;
        form.SetClientSize(520, 320);
        auto* grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 420, 280);
        grid->SetColCount(6 + (c.hide >= 0 ? 1 : 0));
        grid->SetRowCount(30);
        if (c.hide >= 0) grid->HideColumn(c.hide);
        grid->SetOptions(c.editing ? grid->Options() + goTabs + goEditing : grid->Options() + goTabs);
        grid->Navigation().SetAdvanceInsert(c.advanceInsert);
        std::vector<std::pair<int, int>> asked;
        if (c.editing)
            grid->OnCanEditCell = [&](TObject*, int r, int col, bool& can) { can = c.takes(col, r); };
        else
            grid->OnSelectCell = [&](TObject*, int col, int r, bool& can) {
                can = c.takes(grid->RealColIndex(col), r);
            };
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        Application_ProcessMessages();
        grid->FocusCell(c.from.first, c.from.second, true);
        for (TShiftState s : c.keys) {
            PressKey(form, VK_TAB, s);
            Application_ProcessMessages();
        }
        EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), c.to);
        EXPECT_EQ(grid->RowCount(), c.rowCount);
        if (c.editing) {
            // The cell reached opens its editor.
            EXPECT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
        }
        form.Close();
    }
}

TEST_F(KeysFixture, TabWrapsAtTheEndsAndAppendsWithAdvanceInsert)
{
    grid->SetRowCount(4);
    grid->SetOptions(grid->Options() + goTabs);
    grid->Navigation().AdvanceAutoEdit = false;
    // Shift+Tab from the first data cell goes to the last cell of the last row.
    Key(VK_TAB, {ssShift});
    EXPECT_EQ(Cell(), std::make_pair(5, 3));
    // Tab from there wraps to the first data cell, the selection collapsed.
    Key(VK_TAB);
    EXPECT_EQ(Cell(), std::make_pair(1, 1));
    EXPECT_EQ(grid->Selection().Left, grid->Selection().Right);
    // Along a row and onto the next one.
    grid->FocusCell(5, 1, true);
    Key(VK_TAB);
    EXPECT_EQ(Cell(), std::make_pair(1, 2));
    // With AdvanceInsert the last cell appends a row (OnCanAddRow agreeing).
    grid->Navigation().SetAdvanceInsert(true);
    Log log;
    grid->OnAutoAddRow = [&](TObject*, int r) { log.push_back("AutoAddRow " + std::to_string(r)); };
    grid->FocusCell(5, 3, true);
    Key(VK_TAB);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(Cell(), std::make_pair(1, 4));
    EXPECT_EQ(log, (Log{"AutoAddRow 4"}));
    grid->OnCanAddRow = [](TObject*, bool& can) { can = false; };
    grid->FocusCell(5, 4, true);
    Key(VK_TAB);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(Cell(), std::make_pair(1, 1));
}

TEST_F(KeysFixture, NavigationSettingsChangeWhereKeysGo)
{
    struct Case {
        const char* name;
        std::function<void(TExStringGrid&)> set;
        std::pair<int, int> from;
        int key;
        TShiftState shift;
        std::pair<int, int> to;
    };
    const Case cases[] = {
        {"loop right", [](TExStringGrid& g) { g.Navigation().CursorAdvance = caLoop; }, {5, 2}, VK_RIGHT, {}, {1, 2}},
        {"snake right", [](TExStringGrid& g) { g.Navigation().CursorAdvance = caSnake; }, {5, 2}, VK_RIGHT, {}, {1, 3}},
        {"snake left", [](TExStringGrid& g) { g.Navigation().CursorAdvance = caSnake; }, {1, 2}, VK_LEFT, {}, {5, 1}},
        {"loop down", [](TExStringGrid& g) { g.Navigation().CursorAdvance = caLoop; }, {2, 29}, VK_DOWN, {}, {2, 1}},
        {"first/last cell end", [](TExStringGrid& g) { g.Navigation().HomeEndKey = heFirstLastCell; }, {2, 4}, VK_END, {}, {5, 29}},
        {"first/last cell home", [](TExStringGrid& g) { g.Navigation().HomeEndKey = heFirstLastCell; }, {2, 4}, VK_HOME, {}, {1, 1}},
        {"first/last row end", [](TExStringGrid& g) { g.Navigation().HomeEndKey = heFirstLastRow; }, {2, 4}, VK_END, {}, {2, 29}},
        {"column end", [](TExStringGrid&) {}, {2, 4}, VK_END, {}, {5, 4}},
        {"column home", [](TExStringGrid&) {}, {4, 4}, VK_HOME, {}, {1, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->Navigation().CursorAdvance = caDefault;
        grid->Navigation().HomeEndKey = heFirstLastColumn;
        c.set(*grid);
        grid->FocusCell(c.from.first, c.from.second, true);
        Log log;
        grid->OnKeyDown = [&](TObject*, int& k, TShiftState) { log.push_back(std::to_string(k)); };
        Key(c.key, c.shift);
        EXPECT_EQ(Cell(), c.to);
        // OnKeyDown sees the key once, with its own code.
        EXPECT_EQ(log, (Log{std::to_string(c.key)}));
    }
}

// Ctrl+Up and Ctrl+Down scroll the view by one row and leave the current
// cell; an arrow steps over disabled rows only when its move was refused.
TEST_F(KeysFixture, CtrlArrowsScrollOnlyAndArrowsStepOverDisabledRows)
{
    struct Case {
        const char* name;
        std::vector<int> disabled;
        int top;
        int key;
        TShiftState shift;
        int topAfter;
        int rowAfter;
    };
    const Case cases[] = {
        {"Ctrl+Down", {}, 1, VK_DOWN, {ssCtrl}, 2, 5},
        {"Ctrl+Up", {}, 3, VK_UP, {ssCtrl}, 2, 5},
        {"Ctrl+Down over a disabled row", {6}, 1, VK_DOWN, {ssCtrl}, 2, 5},
        {"Ctrl+Up over a disabled row", {4}, 3, VK_UP, {ssCtrl}, 2, 5},
        {"Down onto a disabled row", {6, 7}, 1, VK_DOWN, {}, 1, 8},
        {"Up onto a disabled row", {4}, 1, VK_UP, {}, 1, 3},
        {"Down beside a disabled row", {7}, 1, VK_DOWN, {}, 1, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The first cases run before any row carries an enabled flag.
        for (int r : c.disabled) grid->SetRowEnabled(r, false);
        grid->FocusCell(2, 5, true);
        grid->SetTopRow(c.top);
        ASSERT_EQ(Cell(), std::make_pair(2, 5));
        Key(c.key, c.shift);
        EXPECT_EQ(grid->TopRow(), c.topAfter);
        EXPECT_EQ(Cell(), std::make_pair(2, c.rowAfter));
        for (int r : c.disabled) grid->SetRowEnabled(r, true);
    }
}

TEST_F(KeysFixture, MoveScrollOnlyPagesTheViewWithoutOnKeyDown)
{
    grid->Navigation().MoveScrollOnly = true;
    int keyDowns = 0;
    grid->OnKeyDown = [&](TObject*, int&, TShiftState) { ++keyDowns; };
    Key(VK_NEXT);
    EXPECT_EQ(grid->TopRow(), 1 + grid->VisibleRowCount());
    EXPECT_EQ(Cell(), std::make_pair(1, 1));
    Key(VK_END);
    const int bottom = grid->TopRow();
    Key(VK_NEXT);
    EXPECT_EQ(grid->TopRow(), bottom);
    EXPECT_EQ(Cell(), std::make_pair(1, 1));
    EXPECT_EQ(keyDowns, 0);
}

TEST_F(KeysFixture, InsertAfterAndDeleteRowsFromTheKeyboard)
{
    grid->Navigation().AllowInsertRow = true;
    grid->Navigation().AllowDeleteRow = true;
    grid->Navigation().InsertPosition = pInsertAfter;
    grid->SetRowCount(4);
    for (int r = 1; r < 4; ++r) grid->SetCells(1, r, "r" + std::to_string(r));
    grid->FocusCell(1, 2, true);
    Key(VK_INSERT);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Cells(1, 2), "r2");
    EXPECT_EQ(grid->Cells(1, 3), "");
    EXPECT_EQ(grid->Cells(1, 4), "r3");
    grid->OnCanDeleteRow = [](TObject*, int r, bool& can) { can = r != 1; };
    Key(VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Cells(1, 3), "r3");
    grid->FocusCell(1, 1, true);
    Key(VK_DELETE); // refused
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Cells(1, 1), "r1");
}

TEST_F(KeysFixture, ADraggedThumbShowsTheRowHintAndMovesTheViewAtTheEnd)
{
    grid->SetRowCount(200);
    grid->ScrollHints = shBoth;
    std::vector<int> asked;
    grid->OnScrollHint = [&](TObject*, int r, std::string& text) {
        asked.push_back(r);
        text += " <B>of 199</B>";
    };
    const int top0 = grid->TopRow();
    DragScrollThumb(*grid->View(), true, 60, 3, false);
    ASSERT_FALSE(asked.empty());
    EXPECT_GT(asked.back(), top0);
    // Without ScrollSynch the view waits for the release.
    EXPECT_EQ(grid->TopRow(), top0);
    EXPECT_TRUE(grid->ScrollHintShowing());
    EXPECT_EQ(grid->ScrollHintCaption(), "Row : " + std::to_string(asked.back()) + " <B>of 199</B>");
    // A hint window, 10 pixels right of the pointer, in the hint colour,
    // sized to its text.
    const THTMLHintWindow* hint = grid->ScrollHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->Showing());
    const TPoint at = ScrollThumbDragPoint(*grid->View(), true);
    EXPECT_EQ(hint->BoundsRect().Left, at.X + 10);
    EXPECT_EQ(hint->BoundsRect().Top, at.Y);
    EXPECT_GT(hint->ClientWidth(), 40);
    EXPECT_EQ(hint->Color(), grid->HintColor);
    ReleaseScrollThumb(*grid->View(), true);
    EXPECT_FALSE(grid->ScrollHintShowing());
    EXPECT_FALSE(hint->Showing());
    EXPECT_EQ(grid->TopRow(), asked.back());

    // The horizontal thumb names the column; the hint follows the pointer.
    grid->SetColCount(60);
    grid->ScrollHints = shHorizontal;
    asked.clear();
    DragScrollThumb(*grid->View(), false, 30, 2, false);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(grid->ScrollHintCaption(), "Col : " + std::to_string(asked.back()) + " <B>of 199</B>");
    const TPoint atH = ScrollThumbDragPoint(*grid->View(), false);
    EXPECT_EQ(hint->BoundsRect().Left, atH.X + 10);
    EXPECT_EQ(hint->BoundsRect().Top, atH.Y);
    // A vertical drag shows nothing with horizontal hints only.
    ReleaseScrollThumb(*grid->View(), false);
    EXPECT_FALSE(hint->Showing());
    asked.clear();
    DragScrollThumb(*grid->View(), true, 20, 2, true);
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(hint->Showing());

    // With ScrollSynch the view follows the moving thumb.
    grid->ScrollSynch = true;
    grid->ScrollHints = shNone;
    asked.clear();
    const int top1 = grid->TopRow();
    DragScrollThumb(*grid->View(), true, 40, 2, false);
    EXPECT_GT(grid->TopRow(), top1);
    EXPECT_FALSE(grid->ScrollHintShowing());
    EXPECT_TRUE(asked.empty());
    ReleaseScrollThumb(*grid->View(), true);
}

// A grid with nothing to scroll: keys, the wheel and the timer leave it as
// it is.
TEST(GridKeysEdge, AGridOfFixedCellsOnlyTakesKeysAndTheWheel)
{
    TForm form;
    form.SetClientSize(300, 200);
    auto* grid = new TExStringGrid(&form);
    grid->SetBounds(4, 4, 280, 180);
    grid->SetColCount(1);
    grid->SetRowCount(1);
    grid->SetFixedCols(0);
    grid->SetFixedRows(0);
    grid->SetOptions(grid->Options() + goTabs + goEditing);
    grid->ScrollHints = shBoth;
    grid->ScrollProportional = true;
    grid->Navigation().AutoGotoIncremental = true;
    form.ShowForm();
    ActivateWindowOf(form);
    grid->SetFocus();
    Application_ProcessMessages();
    for (int vk : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_END, VK_HOME, VK_RIGHT, VK_LEFT, VK_TAB}) {
        PressKey(form, vk);
        PressKey(form, vk, {ssCtrl});
    }
    SendMouseWheel(*grid->View(), -120, 10, 10);
    SendMouseWheel(*grid->View(), 120, 10, 10);
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_EQ(grid->Col(), 0);
    EXPECT_EQ(grid->TopRow(), 0);
    form.Close();
}
