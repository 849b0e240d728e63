// Check boxes and radio controls in grid cells.

#include "widgets/ExStringGrid.h"
#include "widgets/GridUndo.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

struct Change {
    int col, row;
    bool state;
    bool operator==(const Change& o) const { return col == o.col && row == o.row && state == o.state; }
};

// Records OnCheckBoxChange.
std::vector<Change>* Record(TExStringGrid& g, std::vector<Change>& log)
{
    g.OnCheckBoxChange = [&log, &g](TObject* s, int c, int r, bool st) {
        EXPECT_EQ(s, &g);
        log.push_back({c, r, st});
    };
    return &log;
}

} // namespace

TEST(GridCheckBoxes, DataCheckBoxKeepsACheckTextAndReplacesAnyOther)
{
    struct Case {
        const char* before;
        bool state;
        const char* after;
        bool checked;
    } cases[] = {
        {"N", true, "N", false}, {"Y", false, "Y", true}, {"x", true, "Y", true},
        {"", false, "N", false}, {"y", true, "Y", true}, // check texts compare exactly
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        g.SetCells(1, 3, c.before);
        g.AddCheckBox(1, 3, c.state, true);
        EXPECT_EQ(g.GetCellType(1, 3), ctDataCheckBox) << c.before;
        EXPECT_EQ(g.Cells(1, 3), c.after) << c.before;
        bool st = !c.checked;
        EXPECT_TRUE(g.GetCheckBoxState(1, 3, st)) << c.before;
        EXPECT_EQ(st, c.checked) << c.before;
        EXPECT_EQ(g.IsChecked(1, 3), c.checked) << c.before;
    }
}

TEST(GridCheckBoxes, PlainBoxKeepsTheCellText)
{
    TExStringGrid g;
    g.SetCells(2, 2, "label");
    g.AddCheckBox(2, 2, true, false);
    EXPECT_EQ(g.Cells(2, 2), "label");
    EXPECT_TRUE(g.IsChecked(2, 2));
    EXPECT_TRUE(g.SetCheckBoxState(2, 2, false));
    EXPECT_FALSE(g.IsChecked(2, 2));
    EXPECT_EQ(g.Cells(2, 2), "label");
    g.RemoveCheckBox(2, 2);
    EXPECT_FALSE(g.HasCheckBox(2, 2));
    EXPECT_EQ(g.Cells(2, 2), "label");
}

TEST(GridCheckBoxes, AddingOutsideTheGridRaisesInvalidCell)
{
    TExStringGrid g; // 5 columns, 10 rows
    const std::vector<std::pair<int, int>> cells = {{-1, 2}, {2, -1}, {5, 2}, {2, 10}, {-3, -3}};
    for (auto [c, r] : cells) {
        for (int kind = 0; kind < 3; ++kind) {
            try {
                if (kind == 0) g.AddCheckBox(c, r, true, true);
                if (kind == 1) g.AddCheckBox(c, r, cbGrayed);
                if (kind == 2) g.AddRadioButton(c, r, true);
                ADD_FAILURE() << "no error for (" << c << ", " << r << ") kind " << kind;
            } catch (const EExGridError& e) {
                EXPECT_STREQ(e.what(), "Invalid cell");
            }
        }
    }
    // Nothing was left behind in a cell of the grid.
    for (int c = 0; c < g.ColCount(); ++c)
        for (int r = 0; r < g.RowCount(); ++r) EXPECT_EQ(g.GetCellType(c, r), ctEmpty) << c << "," << r;
}

TEST(GridCheckBoxes, PlainCheckBoxColumn)
{
    TExStringGrid g;
    g.SetCells(1, 4, "kept");
    g.AddCheckBoxColumn(1, false, false);
    EXPECT_FALSE(g.HasCheckBox(1, 0)); // the header row gets none
    for (int r = 1; r < g.RowCount(); ++r) {
        EXPECT_EQ(g.GetCellType(1, r), ctCheckBox) << r;
        EXPECT_FALSE(g.IsChecked(1, r)) << r;
    }
    EXPECT_EQ(g.Cells(1, 4), "kept");

    std::vector<Change> log;
    Record(g, log);
    EXPECT_TRUE(g.ToggleCheckBox(1, 4));
    for (int r = 1; r < g.RowCount(); ++r) EXPECT_EQ(g.IsChecked(1, r), r == 4) << r;
    EXPECT_EQ(log, (std::vector<Change>{{1, 4, true}}));

    // Check all fires only for the boxes that change.
    log.clear();
    g.CheckAll(1);
    EXPECT_EQ(log.size(), 8u);
    for (int r = 1; r < g.RowCount(); ++r) EXPECT_TRUE(g.IsChecked(1, r)) << r;
    log.clear();
    g.UnCheckAll(1);
    EXPECT_EQ(log.size(), 9u);
    for (int r = 1; r < g.RowCount(); ++r) EXPECT_FALSE(g.IsChecked(1, r)) << r;

    g.RemoveCheckBoxColumn(1);
    for (int r = 0; r < g.RowCount(); ++r) EXPECT_FALSE(g.HasCheckBox(1, r)) << r;

    // With the check-all header box the header row takes one too.
    g.MouseActions().CheckAllCheck = true;
    g.AddCheckBoxColumn(2, true, false);
    EXPECT_TRUE(g.IsChecked(2, 0));
    EXPECT_TRUE(g.IsChecked(2, 9));
}

TEST(GridCheckBoxes, TextCellsAnswerNoStateAndKeepTheVariable)
{
    TExStringGrid g;
    g.SetCells(2, 2, "Y");
    for (bool initial : {true, false}) {
        bool st = initial;
        EXPECT_FALSE(g.GetCheckBoxState(2, 2, st));
        EXPECT_EQ(st, initial);
        TCheckBoxState ts = cbGrayed;
        EXPECT_FALSE(g.GetCheckBoxState(2, 2, ts));
        EXPECT_EQ(ts, cbGrayed);
    }
    EXPECT_FALSE(g.IsChecked(2, 2));
    EXPECT_FALSE(g.SetCheckBoxState(2, 2, true));
    EXPECT_FALSE(g.ToggleCheckBox(2, 2));
    EXPECT_EQ(g.Cells(2, 2), "Y");
    bool st = true;
    EXPECT_FALSE(g.GetCheckBoxState(-1, 2, st));
    EXPECT_FALSE(g.HasCheckBox(-1, 2));
    EXPECT_FALSE(g.HasCheckBox(2, -1));
}

TEST(GridCheckBoxes, ClickOnADataCheckBoxTogglesTheTextAndReportsTheNewState)
{
    TExStringGrid g;
    g.SetCells(3, 2, "Y");
    g.AddCheckBox(3, 2, true, true);
    std::vector<Change> log;
    Record(g, log);

    EXPECT_TRUE(g.ToggleCellCheckBox(3, 2, false));
    EXPECT_EQ(g.Cells(3, 2), "N");
    EXPECT_TRUE(g.ToggleCellCheckBox(3, 2, false));
    EXPECT_EQ(g.Cells(3, 2), "Y");
    EXPECT_EQ(log, (std::vector<Change>{{3, 2, false}, {3, 2, true}}));

    // Any text that is not the check-true text counts as unchecked.
    g.SetCells(3, 2, "maybe");
    EXPECT_TRUE(g.ToggleCheckBox(3, 2));
    EXPECT_EQ(g.Cells(3, 2), "Y");
}

TEST(GridCheckBoxes, CheckTextsComeFromTheGridAndItsEvents)
{
    TExStringGrid g;
    g.CheckTrue = "1";
    g.CheckFalse = "0";
    g.AddCheckBox(1, 1, true, true);
    EXPECT_EQ(g.Cells(1, 1), "1");
    // Per-cell texts from the events: only cell (2, 2) uses "on"/"off".
    g.OnGetCheckTrue = [](TObject*, int c, int r, std::string& v) {
        if (c == 2 && r == 2) v = "on";
    };
    g.OnGetCheckFalse = [](TObject*, int c, int r, std::string& v) {
        if (c == 2 && r == 2) v = "off";
    };
    g.SetCells(2, 2, "x");
    g.AddCheckBox(2, 2, false, true);
    EXPECT_EQ(g.Cells(2, 2), "0"); // adding writes the grid-wide text
    EXPECT_TRUE(g.ToggleCheckBox(2, 2));
    EXPECT_EQ(g.Cells(2, 2), "on");
    EXPECT_TRUE(g.IsChecked(2, 2));
    EXPECT_TRUE(g.SetCheckBoxState(2, 2, false));
    EXPECT_EQ(g.Cells(2, 2), "off");
    EXPECT_TRUE(g.SetCheckBoxState(1, 1, false));
    EXPECT_EQ(g.Cells(1, 1), "0");
}

TEST(GridCheckBoxes, UserClickOnAReadOnlyCellChangesNothing)
{
    TExStringGrid g;
    g.SetOptions(g.Options() + goEditing);
    g.AddCheckBox(2, 3, false, true);
    g.SetReadOnly(2, 3, true);
    std::vector<Change> log;
    Record(g, log);
    EXPECT_FALSE(g.ToggleCellCheckBox(2, 3, true));
    EXPECT_EQ(g.Cells(2, 3), "N");
    EXPECT_TRUE(log.empty());
    // Code (not the user) still toggles.
    EXPECT_TRUE(g.ToggleCheckBox(2, 3));
    EXPECT_EQ(g.Cells(2, 3), "Y");

    // The application's refusal holds as well.
    g.SetReadOnly(2, 3, false);
    g.OnCanEditCell = [](TObject*, int, int, bool& can) { can = false; };
    EXPECT_FALSE(g.ToggleCellCheckBox(2, 3, true));
    EXPECT_EQ(g.Cells(2, 3), "Y");
    g.OnCanEditCell = nullptr;
    EXPECT_TRUE(g.ToggleCellCheckBox(2, 3, true));
    EXPECT_EQ(g.Cells(2, 3), "N");
}

TEST(GridCheckBoxes, TriStateBox)
{
    TExStringGrid g;
    g.AddCheckBox(1, 2, cbUnchecked);
    std::vector<Change> log;
    Record(g, log);
    const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked, cbGrayed};
    for (TCheckBoxState expected : cycle) {
        EXPECT_TRUE(g.ToggleCheckBox(1, 2));
        TCheckBoxState st = cbUnchecked;
        EXPECT_TRUE(g.GetCheckBoxState(1, 2, st));
        EXPECT_EQ(st, expected);
    }
    EXPECT_EQ(log.size(), 4u);

    // The Boolean read has no answer for three states and leaves its
    // variable alone; the Boolean write refuses it.
    for (bool initial : {true, false}) {
        bool b = initial;
        EXPECT_FALSE(g.GetCheckBoxState(1, 2, b));
        EXPECT_EQ(b, initial);
    }
    EXPECT_FALSE(g.IsChecked(1, 2));
    EXPECT_FALSE(g.SetCheckBoxState(1, 2, true));
    EXPECT_TRUE(g.SetCheckBoxState(1, 2, cbChecked));
    TCheckBoxState st = cbUnchecked;
    g.GetCheckBoxState(1, 2, st);
    EXPECT_EQ(st, cbChecked);
    EXPECT_TRUE(g.HasCheckBox(1, 2));
    EXPECT_FALSE(g.HasDataCheckBox(1, 2));

    // The tri-state write refuses the other kinds.
    g.AddCheckBox(2, 2, true, false);
    EXPECT_FALSE(g.SetCheckBoxState(2, 2, cbGrayed));
    EXPECT_TRUE(g.IsChecked(2, 2));

    // Its tri-state read of a data box compares the text exactly.
    g.AddCheckBox(3, 3, true, true);
    g.SetCells(3, 3, "y");
    st = cbChecked;
    EXPECT_TRUE(g.GetCheckBoxState(3, 3, st));
    EXPECT_EQ(st, cbUnchecked);
}

TEST(GridCheckBoxes, ClicksAreRegisteredForUndo)
{
    TExStringGrid g;
    TExGridUndoRedo undo;
    g.SetUndoRedo(&undo);
    g.AddCheckBox(1, 1, false, true);
    ASSERT_EQ(g.Cells(1, 1), "N");
    g.ToggleCheckBox(1, 1);
    ASSERT_EQ(undo.Items().Count(), 1);
    const TUndoRedoItem* it = undo.Items().Item(0);
    EXPECT_EQ(it->Col, 1);
    EXPECT_EQ(it->Row, 1);
    EXPECT_EQ(it->OrigValue, "N");
    EXPECT_EQ(it->Value, "Y");
    g.SetUndoRedo(nullptr);
}

TEST(GridCheckBoxes, RowCheckBoxFollowsTheRowSelection)
{
    TExStringGrid g;
    g.MouseActions().SetHotmailRowSelect(true);
    EXPECT_TRUE(g.HasCheckBox(0, 3));
    EXPECT_TRUE(g.HasDataCheckBox(0, 3));
    EXPECT_TRUE(g.SetCheckBoxState(0, 3, true));
    EXPECT_TRUE(g.IsChecked(0, 3));
    EXPECT_FALSE(g.IsChecked(0, 4));
    // A click toggles the selection, never the text of column 0.
    g.SetCells(0, 4, "4");
    EXPECT_TRUE(g.ToggleCheckBox(0, 4));
    EXPECT_TRUE(g.IsChecked(0, 4));
    EXPECT_EQ(g.Cells(0, 4), "4");
}

TEST(GridCheckBoxes, PreciseHitTestOfTheBox)
{
    TExStringGrid g; // columns 64 wide, rows 22 high, grid lines 1
    g.AddCheckBox(1, 1, false, false);
    g.MouseActions().PreciseCheckBoxCheck = false;
    EXPECT_TRUE(g.IsInCheckBox(1, 1, 0, 0)); // anywhere counts
    EXPECT_FALSE(g.IsInCheckBox(2, 1, 0, 0)); // no box in that cell

    g.MouseActions().PreciseCheckBoxCheck = true;
    const TRect r = g.CellRect(1, 1);
    const int left = r.Left + 2, top = r.Top + 2; // left aligned, top
    struct Case {
        int x, y;
        bool in;
    } cases[] = {
        {left, top, true},           {left + 14, top + 14, true}, {left - 1, top, false},
        {left + 15, top, false},     {left, top + 15, false},     {left, top - 1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(g.IsInCheckBox(1, 1, c.x, c.y), c.in) << c.x << "," << c.y;
}

TEST(GridRadioButtons, ColumnIndex)
{
    TExStringGrid g;
    g.AddRadioButtonColumn(2);
    EXPECT_FALSE(g.HasRadioButton(2, 0));
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), -1);
    g.SetRadioButtonColumnIndex(2, 5);
    for (int r = 1; r < g.RowCount(); ++r) EXPECT_EQ(g.IsRadioButtonChecked(2, r), r == 5) << r;
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), 5);

    // A click checks one button and clears the others of the column.
    EXPECT_TRUE(g.ToggleCellRadioButton(2, 7, false));
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), 7);
    EXPECT_FALSE(g.IsRadioButtonChecked(2, 5));
    EXPECT_TRUE(g.ToggleCellRadioButton(2, 7, false)); // already checked
    EXPECT_TRUE(g.IsRadioButtonChecked(2, 7));

    // Single state changes leave the other buttons alone.
    EXPECT_TRUE(g.SetRadioButtonState(2, 3, true));
    EXPECT_TRUE(g.IsRadioButtonChecked(2, 7));
    EXPECT_FALSE(g.SetRadioButtonState(1, 3, true)); // no button there

    // A radio operation on another kind of cell leaves it as it was.
    g.AddCheckBox(1, 3, true, false);
    EXPECT_FALSE(g.SetRadioButtonState(1, 3, false));
    EXPECT_FALSE(g.ToggleCellRadioButton(1, 3, false));
    EXPECT_TRUE(g.IsChecked(1, 3));

    g.RemoveRadioButtonColumn(2);
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), -1);
    EXPECT_FALSE(g.HasRadioButton(2, 7));
}

TEST(GridRadioGroups, CycleStepsThroughTheItemsAndWraps)
{
    TExStringGrid g;
    TCellStrings* items = g.CreateRadio(1, 1, 0, 2);
    items->Add("a");
    items->Add("b");
    items->Add("c");
    EXPECT_TRUE(g.IsRadio(1, 1));
    EXPECT_EQ(g.GetRadioStrings(1, 1), items);

    EXPECT_FALSE(g.CycleRadioCell(1, 1, false)); // the answer is always False
    int idx = -5;
    EXPECT_TRUE(g.GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(g.Cells(1, 1), "a");
    g.CycleRadioCell(1, 1, false);
    EXPECT_EQ(g.Cells(1, 1), "b");

    // Without an index the cell text tells where the group stands.
    EXPECT_TRUE(g.SetRadioIdx(1, 1, -1));
    EXPECT_EQ(g.Cells(1, 1), "");
    g.SetCells(1, 1, "b");
    g.CycleRadioCell(1, 1, false);
    EXPECT_EQ(g.Cells(1, 1), "c");
    g.GetRadioIdx(1, 1, idx);
    EXPECT_EQ(idx, 2);

    // An index below -1 leaves the group driven by its text alone.
    g.SetRadioIdx(1, 1, -2);
    g.CycleRadioCell(1, 1, false);
    EXPECT_EQ(g.Cells(1, 1), "a");
    g.GetRadioIdx(1, 1, idx);
    EXPECT_EQ(idx, -2);

    g.RemoveRadio(1, 1); // frees the list it made
    EXPECT_FALSE(g.IsRadio(1, 1));
    EXPECT_EQ(g.GetRadioStrings(1, 1), nullptr);
    idx = 9;
    EXPECT_FALSE(g.GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 9);
}

TEST(GridRadioGroups, EmptyGroupAndOtherCellsChangeNothing)
{
    TExStringGrid g;
    g.CreateRadio(1, 1, 1, 0); // filled later by its caller: still empty
    g.SetCells(1, 1, "text");
    EXPECT_FALSE(g.CycleRadioCell(1, 1, false));
    EXPECT_EQ(g.Cells(1, 1), "text");
    int idx = -1;
    g.GetRadioIdx(1, 1, idx);
    EXPECT_EQ(idx, 0);

    // A group over the caller's list, which stays the caller's.
    TCellStrings mine;
    mine.Add("x");
    mine.Add("y");
    g.AddRadio(2, 2, 0, 1, &mine);
    g.CycleRadioCell(2, 2, false);
    EXPECT_EQ(g.Cells(2, 2), "x");
    g.RemoveRadio(2, 2);
    EXPECT_EQ(mine.Count(), 2);

    // Radio operations on a check box leave it alone.
    g.AddCheckBox(3, 3, true, false);
    EXPECT_FALSE(g.SetRadioIdx(3, 3, -1));
    EXPECT_FALSE(g.CycleRadioCell(3, 3, false));
    g.RemoveRadio(3, 3);
    EXPECT_TRUE(g.IsChecked(3, 3));

    // A user click the cell refuses changes nothing.
    TCellStrings items;
    items.Add("p");
    items.Add("q");
    g.AddRadio(4, 4, 0, 0, &items);
    g.SetReadOnly(4, 4, true);
    g.CycleRadioCell(4, 4, true);
    EXPECT_EQ(g.Cells(4, 4), "");
    g.GetRadioIdx(4, 4, idx);
    EXPECT_EQ(idx, 0);
}

TEST(GridCheckBoxes, TypeTestsLookAtTheBaseCellOfAMergedArea)
{
    TExStringGrid g;
    g.AddCheckBox(1, 1, true, false);
    g.MergeCells(1, 1, 2, 2);
    EXPECT_TRUE(g.HasCheckBox(2, 2));
    EXPECT_TRUE(g.HasClickableGraphic(2, 2));
    EXPECT_FALSE(g.IsVirtualGraphicCell(2, 2));
    g.AddRadioButton(3, 4, true);
    EXPECT_TRUE(g.HasClickableGraphic(3, 4));
    EXPECT_FALSE(g.HasCheckBox(3, 4));
    EXPECT_FALSE(g.HasClickableGraphic(-1, 4));
}

TEST(GridCheckBoxes, HiddenRowsAreAddressedByTheirRealRow)
{
    TExStringGrid g;
    g.AddCheckBox(1, 2, false, false);
    g.AddCheckBox(1, 4, true, false);
    g.AddCheckBox(1, 5, cbGrayed);
    g.SetCells(2, 2, "Y"); // text only: no box
    g.HideRow(2);
    ASSERT_EQ(g.NumHiddenRows(), 1);
    bool st = true;
    // Real row 2 is hidden: the box saved with it is read and written.
    EXPECT_TRUE(g.GetCheckBoxState(1, 2, st));
    EXPECT_FALSE(st);
    EXPECT_TRUE(g.SetCheckBoxState(1, 2, true));
    // Real row 4 is displayed at row 3.
    st = false;
    EXPECT_TRUE(g.GetCheckBoxState(1, 4, st));
    EXPECT_TRUE(st);
    // The displayed row 2 (real row 3) is never taken for the hidden one.
    st = true;
    EXPECT_FALSE(g.GetCheckBoxState(2, 2, st));
    EXPECT_TRUE(st);
    // The tri-state box answers the Boolean read no more with hidden rows
    // than without, and leaves the variable alone.
    st = true;
    EXPECT_FALSE(g.GetCheckBoxState(1, 5, st));
    EXPECT_TRUE(st);
    st = false;
    EXPECT_FALSE(g.GetCheckBoxState(1, 5, st));
    EXPECT_FALSE(st);
    TCheckBoxState ts = cbUnchecked;
    EXPECT_TRUE(g.GetCheckBoxState(1, 5, ts));
    EXPECT_EQ(ts, cbGrayed);
    EXPECT_TRUE(g.SetCheckBoxState(1, 5, cbChecked));
    g.UnHideRow(2);
    EXPECT_TRUE(g.IsChecked(1, 2));
    g.GetCheckBoxState(1, 5, ts);
    EXPECT_EQ(ts, cbChecked);
}

TEST(GridCheckBoxes, DataBoxOfAHiddenRowKeepsItsTextWithTheRow)
{
    TExStringGrid g;
    g.AddCheckBox(1, 2, false, true);
    g.HideRow(2);
    bool st = true;
    EXPECT_TRUE(g.GetCheckBoxState(1, 2, st));
    EXPECT_FALSE(st);
    EXPECT_TRUE(g.SetCheckBoxState(1, 2, true));
    EXPECT_EQ(g.AllCells(1, 2), "Y");
    g.UnHideRow(2);
    EXPECT_EQ(g.Cells(1, 2), "Y");
}

namespace {

// A grid that answers a shared virtual check box for the cells of column 2
// that hold no graphic of their own (as a data check-box column does).
class VirtualBoxGrid : public TExStringGrid {
public:
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override
    {
        TCellGraphic* own = TExStringGrid::GetCellGraphic(ACol, ARow);
        if (own || ACol != 2 || ARow < FixedRows()) return own;
        shared.CellType = ctVirtCheckBox;
        return &shared;
    }
    TCellType GetCellType(int ACol, int ARow) override
    {
        const TCellType t = TExStringGrid::GetCellType(ACol, ARow);
        return t == ctEmpty && ACol == 2 && ARow >= FixedRows() ? ctDataCheckBox : t;
    }
    TCellGraphic shared;
};

} // namespace

TEST(GridCheckBoxes, VirtualCheckBoxesKeepTheirStateInTheText)
{
    VirtualBoxGrid g;
    std::vector<Change> log;
    Record(g, log);
    EXPECT_TRUE(g.HasDataCheckBox(2, 3));
    EXPECT_TRUE(g.IsVirtualGraphicCell(2, 3));
    EXPECT_FALSE(g.HasCheckBox(2, 0)); // the header cell is text

    // An empty cell reads unchecked; a click writes "Y", the next "N".
    bool st = true;
    EXPECT_TRUE(g.GetCheckBoxState(2, 3, st));
    EXPECT_FALSE(st);
    EXPECT_TRUE(g.ToggleCellCheckBox(2, 3, false));
    EXPECT_EQ(g.Cells(2, 3), "Y");
    EXPECT_TRUE(g.ToggleCellCheckBox(2, 3, false));
    EXPECT_EQ(g.Cells(2, 3), "N");
    EXPECT_EQ(log, (std::vector<Change>{{2, 3, true}, {2, 3, false}}));

    // Writing the state fires nothing; applying it fires on a change only.
    log.clear();
    EXPECT_TRUE(g.SetCheckBoxState(2, 4, true));
    EXPECT_EQ(g.Cells(2, 4), "Y");
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(g.ApplyCheckBoxState(2, 4, true));
    EXPECT_TRUE(g.ApplyCheckBoxState(2, 5, true));
    EXPECT_EQ(log, (std::vector<Change>{{2, 5, true}}));

    // The shared record is never removed or freed by a cell.
    g.RemoveCheckBox(2, 4);
    g.RemoveCheckBoxColumn(2);
    EXPECT_TRUE(g.HasCheckBox(2, 4));
    EXPECT_EQ(g.Cells(2, 4), "Y");
    // A cell's own graphic replaces the virtual box and goes with the grid.
    g.AddCheckBox(2, 6, true, false);
    EXPECT_EQ(g.GetCellType(2, 6), ctCheckBox);
}
