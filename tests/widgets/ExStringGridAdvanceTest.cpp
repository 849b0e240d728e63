// Enter advance of the grid: the move to the next cell by every direction,
// wrapping, appending at the end, skipping cells that may not be edited;
// the grid's character step with incremental search; the search footer.

#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A 4 x 4 grid (one fixed row and column): normal cells 1..3 x 1..3,
// editing on, Enter advances.
void MakeGrid(TExStringGrid& g)
{
    g.SetColCount(4);
    g.SetRowCount(4);
    g.SetOptions(g.Options() + goEditing);
    g.Navigation().AdvanceOnEnter = true;
}

} // namespace

TEST(GridAdvance, MovesByEveryDirectionWrappingAndAppendingAtTheEnd)
{
    struct Case {
        const char* what;
        TAdvanceDirection dir;
        bool forward;
        bool insert;
        bool loop;
        bool canAdd;
        int fromCol, fromRow;
        int toCol, toRow;
        int rows, cols;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"next column", adLeftRight, true, false, true, true, 1, 1, 2, 1, 4, 4, {}},
        {"end of a row", adLeftRight, true, false, true, true, 3, 1, 1, 2, 4, 4, {}},
        {"last cell appends a row", adLeftRight, true, true, true, true, 3, 3, 1, 4, 5, 4, {"row 4"}},
        {"append refused", adLeftRight, true, true, true, false, 3, 3, 1, 3, 4, 4, {}},
        {"last cell loops", adLeftRight, true, false, true, true, 3, 3, 1, 1, 4, 4, {}},
        {"last cell without loop", adLeftRight, true, false, false, true, 3, 3, 3, 3, 4, 4, {}},
        {"in the row", adLeftRightInRow, true, true, true, true, 3, 2, 1, 2, 4, 4, {}},
        {"down", adTopBottom, true, false, true, true, 2, 1, 2, 2, 4, 4, {}},
        {"bottom of a column", adTopBottom, true, false, true, true, 1, 3, 2, 1, 4, 4, {}},
        {"last cell appends a column", adTopBottom, true, true, true, true, 3, 3, 4, 1, 4, 5, {"col 4"}},
        {"last cell to the first", adTopBottom, true, false, true, true, 3, 3, 1, 1, 4, 4, {}},
        {"in the column", adTopBottomInCol, true, true, true, true, 2, 3, 2, 1, 4, 4, {}},
        {"back to the previous row", adLeftRight, false, false, true, true, 1, 2, 3, 1, 4, 4, {}},
        {"back from the first cell", adLeftRight, false, true, true, true, 1, 1, 3, 3, 4, 4, {}},
        {"up from the first cell", adTopBottom, false, false, true, true, 1, 1, 3, 3, 4, 4, {}},
        {"up to the previous column", adTopBottom, false, false, true, true, 2, 1, 1, 3, 4, 4, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TExStringGrid g;
        MakeGrid(g);
        g.Navigation().SetAdvanceDirection(k.dir);
        g.Navigation().SetAdvanceInsert(k.insert);
        g.Navigation().AdvanceOnEnterLoop = k.loop;
        std::vector<std::string> events;
        g.OnCanAddRow = [&](TObject*, bool& CanAdd) { CanAdd = k.canAdd; };
        g.OnAutoAddRow = [&](TObject*, int ARow) { events.push_back("row " + std::to_string(ARow)); };
        g.OnAutoInsertCol = [&](TObject*, int ACol) { events.push_back("col " + std::to_string(ACol)); };
        g.GotoCell(k.fromCol, k.fromRow);
        g.AdvanceCell(k.fromCol, k.fromRow, false, false, k.forward, false, false);
        EXPECT_EQ(g.Col(), k.toCol);
        EXPECT_EQ(g.Row(), k.toRow);
        EXPECT_EQ(g.RowCount(), k.rows);
        EXPECT_EQ(g.ColCount(), k.cols);
        EXPECT_EQ(events, k.events);
    }
}

TEST(GridAdvance, NothingMovesWithoutAdvanceOnEnterUnlessForced)
{
    TExStringGrid g;
    MakeGrid(g);
    g.Navigation().AdvanceOnEnter = false;
    g.GotoCell(1, 1);
    g.AdvanceCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(g.Col(), 1);
    g.AdvanceCell(1, 1, true, false, true, false, false);
    EXPECT_EQ(g.Col(), 2);
}

TEST(GridAdvance, CellsThatMayNotBeEditedAreSkippedOrEntered)
{
    for (bool skip : {true, false}) {
        SCOPED_TRACE(skip);
        TExStringGrid g;
        MakeGrid(g);
        g.Navigation().AdvanceSkipReadOnlyCells = skip;
        for (int r = 1; r <= 3; ++r) g.SetReadOnly(2, r, true);
        std::vector<std::string> asked;
        g.OnAutoAdvance = [&](TObject*, int OldRow, int OldCol, int& NewRow, int& NewCol, bool&) {
            asked.push_back(std::to_string(OldCol) + "," + std::to_string(OldRow) + ">" + std::to_string(NewCol) +
                            "," + std::to_string(NewRow));
        };
        g.GotoCell(1, 1);
        g.AdvanceCell(1, 1, false, false, true, false, false);
        EXPECT_EQ(g.Col(), skip ? 3 : 2);
        EXPECT_EQ(g.Row(), 1);
        // The question names the cell the advance started from.
        EXPECT_EQ(asked, skip ? std::vector<std::string>{"1,1>3,1"} : std::vector<std::string>{});
    }
}

TEST(GridAdvance, TheApplicationMayRedirectOrRefuseTheMove)
{
    TExStringGrid g;
    MakeGrid(g);
    g.GotoCell(1, 1);
    g.OnAutoAdvance = [](TObject*, int, int, int& NewRow, int& NewCol, bool&) {
        NewRow = 3;
        NewCol = 3;
    };
    std::vector<std::string> changing;
    g.OnCellChanging = [&](TObject*, int OldRow, int OldCol, int NewRow, int NewCol, bool&) {
        changing.push_back(std::to_string(OldCol) + "," + std::to_string(OldRow) + ">" + std::to_string(NewCol) +
                           "," + std::to_string(NewRow));
    };
    g.AdvanceCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(changing, std::vector<std::string>{"1,1>3,3"});

    for (int which : {0, 1}) {
        SCOPED_TRACE(which);
        g.OnAutoAdvance = [&](TObject*, int, int, int&, int&, bool& Allow) { Allow = which != 0; };
        g.OnCellChanging = [&](TObject*, int, int, int, int, bool& Allow) { Allow = which != 1; };
        g.GotoCell(1, 2);
        g.AdvanceCell(1, 2, false, false, true, false, false);
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Row(), 2);
    }
}

TEST(GridAdvance, AGridWithNoCellToEditEndsTheMoveWhereItStarted)
{
    for (TAdvanceDirection dir : {adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol}) {
        for (bool forward : {true, false}) {
            SCOPED_TRACE(::testing::Message() << int(dir) << forward);
            TExStringGrid g;
            MakeGrid(g);
            g.Navigation().SetAdvanceDirection(dir);
            for (int c = 0; c < 4; ++c)
                for (int r = 0; r < 4; ++r) g.SetReadOnly(c, r, true);
            g.GotoCell(2, 2);
            g.AdvanceCell(2, 2, false, true, forward, false, true);
            EXPECT_EQ(g.Col(), 2);
            EXPECT_EQ(g.Row(), 2);
            EXPECT_FALSE(g.EditorMode());
        }
    }
    // Appending rows that may not be edited either stops after one row.
    TExStringGrid g;
    MakeGrid(g);
    g.Navigation().SetAdvanceInsert(true);
    g.OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
    int added = 0;
    g.OnAutoAddRow = [&](TObject*, int) { ++added; };
    g.GotoCell(3, 3);
    g.AdvanceCell(3, 3, false, false, true, false, false);
    EXPECT_EQ(added, 1);
    EXPECT_EQ(g.RowCount(), 5);
}

TEST(GridAdvance, TheEditorOpensAtTheNewCellWhenAskedFor)
{
    TExStringGrid g;
    MakeGrid(g);
    g.GotoCell(1, 1);
    g.AdvanceCell(1, 1, false, true, true, false, false); // DoEdit off
    EXPECT_FALSE(g.EditorMode());
    g.AdvanceCell(2, 1, false, false, true, false, true); // AutoEdit off
    EXPECT_FALSE(g.EditorMode());
    g.Navigation().AdvanceAutoEdit = false;
    g.AdvanceCell(3, 1, false, true, true, false, true);
    EXPECT_FALSE(g.EditorMode());
    g.Navigation().AdvanceAutoEdit = true;
    g.AdvanceCell(1, 2, false, true, true, false, true);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_TRUE(g.EditorMode());
}

TEST(GridAdvance, EnterWhileAnEditorHasTheFocusAdvances)
{
    TExStringGrid g;
    MakeGrid(g);
    g.GotoCell(1, 1);
    g.SetFocusedFlag(false); // the editor's window has the focus
    TKeyChar key = u'\r';
    g.HandleKeyPress(key);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 1);
    g.HideEditor();

    // With the focus on the grid, Enter is the grid's own: the current cell
    // stays and its editor opens.
    g.SetFocusedFlag(true);
    key = u'\r';
    g.HandleKeyPress(key);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_TRUE(g.EditorMode());

    // A check-box cell is clicked, never edited: Enter moves on from it
    // also while the grid has the focus.
    g.HideEditor();
    g.AddCheckBox(2, 1, false, false);
    key = u'\r';
    g.HandleKeyPress(key);
    EXPECT_EQ(g.Col(), 3);
}

TEST(GridAdvance, TypingSearchesTheSortedColumnIncrementally)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    const std::vector<std::string> texts = {"zeta", "alpha", "abc", "<b>Beta</b>"};
    for (int r = 1; r <= 4; ++r) g.SetCells(1, r, texts[r - 1]);
    g.Navigation().AutoGotoWhenSorted = true;
    g.Navigation().AutoGotoIncremental = true;

    struct Step {
        TKeyChar key;
        std::string text;
        int row;
    };
    const std::vector<Step> steps = {
        {u'a', "a", 2}, {u'b', "ab", 3}, {8, "a", 2}, {u'x', "", 2}, {u'b', "b", 4},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.text);
        TKeyChar key = s.key;
        g.HandleKeyPress(key);
        EXPECT_EQ(g.IncrementalSearchText(), s.text);
        EXPECT_EQ(g.Row(), s.row);
    }
    // Without AutoGotoIncremental each key is a search of its own.
    g.Navigation().AutoGotoIncremental = false;
    TKeyChar key = u'z';
    g.HandleKeyPress(key);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.IncrementalSearchText(), "z");
    // The sort column is searched once the grid shows its sort.
    g.SetCells(2, 3, "zz");
    g.SortSettings().SetShow(true);
    g.SortSettings().Column = 2;
    EXPECT_EQ(g.Search("Z"), 3);
    EXPECT_EQ(g.Search("ZETA"), -1);
}

TEST(GridAdvance, LastRowAboveTheSearchFooter)
{
    TExStringGrid g;
    g.SetClientSize(300, 200);
    g.SetRowCount(3);
    EXPECT_FALSE(g.LastRowAboveFooter()); // no footer
    g.SearchFooter().SetVisible(true);
    EXPECT_TRUE(g.LastRowAboveFooter());
    g.SetRowCount(8); // 8 rows of 22 reach down behind the footer
    EXPECT_FALSE(g.LastRowAboveFooter());
    g.SetRowCount(40);
    g.ScrollAboveFooter(); // the last row is out of view: nothing to do
    EXPECT_EQ(g.TopRow(), 1);
}
