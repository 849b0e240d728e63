// Table-row routines of the rule windows: insert, delete, copy and paste of
// rule rows within a grid of fixed size, the Enter jump and the header
// double-click sizing.
#include "core/UComon_Rows.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "support/TestSupport.h"
#include "widgets/ExColumnGrid.h"

#include "platform/ControlInput.h"
#include "platform/GridView.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace UComon;

namespace {

// The texts of data columns 1 .. N of a row, joined by "|".
std::string RowText(const TExStringGrid& g, int r)
{
    std::string s;
    for (int c = 1; c < g.ColCount() + g.NumHiddenColumns(); ++c) s += (c > 1 ? "|" : "") + g.Cells(c, r);
    return s;
}

std::vector<std::string> Rows(const TExStringGrid& g)
{
    std::vector<std::string> v;
    for (int r = 1; r < g.RowCount(); ++r) v.push_back(RowText(g, r));
    return v;
}

// Counts the platform beeps while alive.
struct BeepCounter {
    int beeps = 0;
    std::function<void()> previous = SetBeepHandler([this] { ++beeps; });
    ~BeepCounter() { SetBeepHandler(previous); }
};

class TableRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Init_State(dir.path());
        ULanguage::Load_Default_Lang();
    }

    // A rule grid as the windows declare it: column 1 the enable check box
    // ("Y" / "N" texts), 2 and 3 texts, 4 a hidden text column; 4 rules.
    static void MakeRuleGrid(TExColumnGrid& g)
    {
        g.SetColCount(5);
        g.SetRowCount(5);
        g.Columns()[1]->SetEditor(edDataCheckBox);
        const std::vector<std::vector<std::string>> rows = {
            {"Y", "a", "1", "ha"}, {"N", "b", "2", "hb"}, {"Y", "c", "3", "hc"}, {"N", "", "", ""}};
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 4; ++c) g.SetCells(c, r, rows[r - 1][c - 1]);
        g.HideColumn(4);
    }

    TempDir dir;
    RecordingMessageBoxes boxes;
};

} // namespace

TEST_F(TableRows, DeleteShiftsTheRowsBelowUpHiddenColumnIncluded)
{
    TExColumnGrid g;
    MakeRuleGrid(g);
    ASSERT_EQ(g.ColCount(), 4); // the hidden column is still a data column
    Grid_Delete_Row(2, g);
    EXPECT_EQ(Rows(g), (std::vector<std::string>{"Y|a|1|ha", "Y|c|3|hc", "N|||", "|||"}));

    // The last row: nothing moves, the row is cleared (its hidden cell too).
    TExColumnGrid h;
    MakeRuleGrid(h);
    h.SetCells(2, 4, "d");
    h.SetCells(4, 4, "hd");
    Grid_Delete_Row(4, h);
    EXPECT_EQ(Rows(h), (std::vector<std::string>{"Y|a|1|ha", "N|b|2|hb", "Y|c|3|hc", "|||"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TableRows, InsertShiftsTheRowsDownAndEmptiesTheRow)
{
    struct Case {
        int row;
        bool enableFirst;
        std::vector<std::string> rows;
    };
    // The last row holds only "N" in the check-box column: it is free.
    const std::vector<Case> cases = {
        {2, true, {"Y|a|1|ha", "Y|||", "N|b|2|hb", "Y|c|3|hc"}},
        {1, false, {"|||", "Y|a|1|ha", "N|b|2|hb", "Y|c|3|hc"}},
        // At the last row: the row is emptied, nothing moves.
        {4, true, {"Y|a|1|ha", "N|b|2|hb", "Y|c|3|hc", "Y|||"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row);
        TExColumnGrid g;
        MakeRuleGrid(g);
        BeepCounter beep;
        Grid_Insert_Row(k.row, g, k.enableFirst);
        EXPECT_EQ(Rows(g), k.rows);
        EXPECT_EQ(beep.beeps, 0);
    }
}

TEST_F(TableRows, InsertIntoAFullTableIsRefusedSoNoRuleIsLost)
{
    // Any text in the last row (a hidden column's or mere blanks in a text
    // column too) is a rule that the shift would push out of the grid.
    for (int c : {2, 3, 4}) {
        SCOPED_TRACE(c);
        TExColumnGrid g;
        MakeRuleGrid(g);
        g.SetCells(c, 4, c == 3 ? " 7 " : "x");
        const std::vector<std::string> before = Rows(g);
        BeepCounter beep;
        Grid_Insert_Row(1, g, true);
        EXPECT_EQ(Rows(g), before);
        EXPECT_EQ(beep.beeps, 1);
    }
    // Blanks alone are no rule in a column grid.
    TExColumnGrid g;
    MakeRuleGrid(g);
    g.SetCells(2, 4, "   ");
    BeepCounter beep;
    Grid_Insert_Row(1, g, false);
    EXPECT_EQ(beep.beeps, 0);
    EXPECT_EQ(RowText(g, 1), "|||");
}

TEST_F(TableRows, RowsOutsideTheDataRowsChangeNothing)
{
    TExColumnGrid g;
    MakeRuleGrid(g);
    TExStringGrid s;
    s.SetRowCount(3);
    s.SetCells(1, 1, "k");
    s.AddCheckBox(2, 1, true, false);
    Row_Clipboard.Add("kept");
    const std::vector<std::string> before = Rows(g);
    const std::vector<std::string> sBefore = Rows(s);
    BeepCounter beep;
    for (int r : {0, -1, 5, 100}) {
        SCOPED_TRACE(r);
        Grid_Delete_Row(r, g);
        Grid_Insert_Row(r, g, true);
        Grid_Copy_Row(g, r);
        Grid_Paste_Row(g, r, true);
        Grid_Copy_Row_Chk(s, r);
        Grid_Paste_Row_Chk(s, r, true);
        Grid_Delete_Row_Chk(r, s, true);
        Grid_Insert_Row_Chk(r, s, true);
    }
    EXPECT_EQ(Rows(g), before);
    EXPECT_EQ(Rows(s), sBefore);
    EXPECT_EQ(g.Cells(1, 0), "");
    EXPECT_EQ(Row_Clipboard.Count(), 1);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(beep.beeps, 0);
}

TEST_F(TableRows, PasteChecksTheCopyAndAsksBeforeOverwritingARule)
{
    TExColumnGrid g;
    MakeRuleGrid(g);

    // Nothing copied in this window.
    Grid_Paste_Row(g, 4, false);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error!!! Copy a valid row before Paste it");
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbOK);

    // A row of another width (copied in a grid with one data column less).
    TExColumnGrid narrow;
    narrow.SetColCount(4);
    narrow.SetCells(1, 1, "Y");
    Grid_Copy_Row(narrow, 1);
    Grid_Paste_Row(g, 4, true);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "Error in the Copy values!!! Copy a valid row before Paste it");
    EXPECT_EQ(boxes.shown[1].type, TMsgDlgType::mtError);
    EXPECT_EQ(RowText(g, 4), "N|||");

    // A row whose only content is the check box is free: no question; the
    // hidden column's text goes along.
    Grid_Copy_Row(g, 1);
    Grid_Paste_Row(g, 4, true);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(RowText(g, 4), "Y|a|1|ha");

    // A used row asks; No keeps it, Yes overwrites it.
    Grid_Copy_Row(g, 2);
    boxes.Answer(mrNo);
    Grid_Paste_Row(g, 3, true);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[2].text, "Row Already used. Do you want to overwrite the values?");
    EXPECT_EQ(boxes.shown[2].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(boxes.shown[2].buttons, TMsgDlgButtons::mbYesNo);
    EXPECT_EQ(RowText(g, 3), "Y|c|3|hc");
    boxes.Answer(mrYes);
    Grid_Paste_Row(g, 3, true);
    EXPECT_EQ(RowText(g, 3), "N|b|2|hb");
    // The copy stays for further pastes, also in another window's grid.
    TExColumnGrid other;
    MakeRuleGrid(other);
    other.SetCells(2, 4, "");
    Grid_Paste_Row(other, 4, true);
    EXPECT_EQ(RowText(other, 4), "N|b|2|hb");
}

namespace {

// A string grid as the DALI window builds it: column 1 a check box, 2 a
// text, 3 a check box, 4 a hidden text column; 3 rules.
void MakeCheckGrid(TExStringGrid& s)
{
    s.SetColCount(5);
    s.SetRowCount(4);
    for (int r = 1; r <= 3; ++r) {
        s.AddCheckBox(1, r, r != 2, false);
        s.AddCheckBox(3, r, r == 2, false);
        s.SetCells(2, r, std::string(1, static_cast<char>('a' + r - 1)));
        s.SetCells(4, r, "h" + std::to_string(r));
        s.SetReadOnly(2, r, r == 3);
    }
    s.HideColumn(4);
}

// Check boxes as "+" / "-", texts as they are, read-only cells marked "!".
std::string CheckRow(TExStringGrid& s, int r)
{
    std::string t;
    for (int c = 1; c <= 4; ++c) {
        bool st = false;
        t += c > 1 ? "|" : "";
        t += s.GetCheckBoxState(c, r, st) ? (st ? "+" : "-") : s.Cells(c, r);
        if (s.ReadOnly(c, r)) t += "!";
    }
    return t;
}

std::vector<std::string> CheckRows(TExStringGrid& s)
{
    std::vector<std::string> v;
    for (int r = 1; r < s.RowCount(); ++r) v.push_back(CheckRow(s, r));
    return v;
}

} // namespace

TEST_F(TableRows, CheckBoxGridsMoveBoxStatesAndReadOnlyFlagsWithTheirRows)
{
    TExStringGrid s;
    MakeCheckGrid(s);
    ASSERT_EQ(CheckRows(s), (std::vector<std::string>{"+|a|-|h1", "-|b|+|h2", "+|c!|-|h3"}));

    Grid_Delete_Row_Chk(1, s, true);
    // The freed last row: empty texts, column 1's box checked (EnableFirst),
    // the others unchecked, every cell read-only.
    EXPECT_EQ(CheckRows(s), (std::vector<std::string>{"-|b|+|h2", "+|c!|-|h3", "+!|!|-!|!"}));

    Grid_Insert_Row_Chk(1, s, false);
    EXPECT_EQ(CheckRows(s), (std::vector<std::string>{"-||-|", "-|b|+|h2", "+|c!|-|h3"}));
}

TEST_F(TableRows, CheckBoxGridInsertKeepsTheLastRule)
{
    TExStringGrid s;
    MakeCheckGrid(s);
    // Blanks are a text in this family: the last row holds a rule.
    s.SetCells(2, 3, " ");
    const std::vector<std::string> before = CheckRows(s);
    BeepCounter beep;
    Grid_Insert_Row_Chk(1, s, true);
    EXPECT_EQ(beep.beeps, 1);
    EXPECT_EQ(CheckRows(s), before);
}

TEST_F(TableRows, CheckBoxStatesAndHiddenColumnsSurviveCopyAndPaste)
{
    TExStringGrid s;
    MakeCheckGrid(s);
    Grid_Copy_Row_Chk(s, 2);
    EXPECT_EQ(Row_Clipboard.Text(), "N\nb\nY\nh2\n");

    // Row 3 holds texts: the user is asked; blanks alone count as used too.
    Grid_Paste_Row_Chk(s, 3, true);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Row Already used. Do you want to overwrite the values?");
    EXPECT_EQ(CheckRow(s, 3), "-|b!|+|h2");

    Grid_Delete_Row_Chk(3, s, false); // row 3 becomes free (texts empty)
    s.SetCells(2, 3, "  ");
    boxes.Answer(mrNo);
    Grid_Paste_Row_Chk(s, 3, true);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(s.Cells(2, 3), "  ");

    // Another window's string grid of the same width takes the row too.
    TExStringGrid t;
    MakeCheckGrid(t);
    t.SetCells(2, 1, "");
    t.SetCells(4, 1, "");
    Grid_Paste_Row_Chk(t, 1, true);
    EXPECT_EQ(boxes.shown.size(), 2u); // only boxes in the row: not used
    EXPECT_EQ(CheckRow(t, 1), "-|b|+|h2");

    // Nothing copied / another width: the row stays as it was.
    Grid_Paste_Row_Chk(t, 2, false);
    TExColumnGrid narrow;
    narrow.SetColCount(3);
    Grid_Copy_Row(narrow, 1);
    Grid_Paste_Row_Chk(t, 2, true);
    ASSERT_EQ(boxes.shown.size(), 4u);
    EXPECT_EQ(boxes.shown[2].text, "Error!!! Copy a valid row before Paste it");
    EXPECT_EQ(boxes.shown[3].text, "Error in the Copy values!!! Copy a valid row before Paste it");
    EXPECT_EQ(CheckRow(t, 2), "-|b|+|h2");
}

TEST_F(TableRows, APlainCopyLeavesNoCheckBoxMarksForALaterCheckBoxPaste)
{
    TExStringGrid s;
    MakeCheckGrid(s);
    Grid_Copy_Row_Chk(s, 1); // marks columns 1 and 3 as boxes

    // A plain row of the same width copied afterwards: its texts are texts.
    TExColumnGrid g;
    MakeRuleGrid(g);
    g.SetCells(3, 2, "Y");
    Grid_Copy_Row(g, 2); // N|b|Y|hb
    Grid_Delete_Row_Chk(3, s, false);
    Grid_Paste_Row_Chk(s, 3, true);
    // Columns 1 and 3 took the texts beside their boxes, whose states stay.
    EXPECT_EQ(s.Cells(1, 3), "N");
    EXPECT_EQ(s.Cells(3, 3), "Y");
    bool st = true;
    ASSERT_TRUE(s.GetCheckBoxState(3, 3, st));
    EXPECT_FALSE(st);
    EXPECT_EQ(s.Cells(2, 3), "b");

    // A wider plain copy after a narrower check-box copy: nothing is read
    // past the marks (the width check refuses it first anyway).
    TExStringGrid n;
    n.SetColCount(3);
    n.SetRowCount(2);
    n.AddCheckBox(1, 1, true, false);
    Grid_Copy_Row_Chk(n, 1);
    TExStringGrid wide;
    wide.SetColCount(8);
    wide.SetRowCount(3);
    for (int c = 1; c < 8; ++c) wide.SetCells(c, 1, std::to_string(c));
    TExColumnGrid wideSource;
    wideSource.SetColCount(8);
    for (int c = 1; c < 8; ++c) wideSource.SetCells(c, 1, std::to_string(c * 10));
    Grid_Copy_Row(wideSource, 1);
    Grid_Paste_Row_Chk(wide, 2, true);
    EXPECT_EQ(RowText(wide, 2), "10|20|30|40|50|60|70");
}

TEST_F(TableRows, EnterJumpsThroughTheVisibleDataCells)
{
    struct Case {
        bool option;
        int col, row;
        TKeyChar key;
        int toCol, toRow;
        TKeyChar keyOut;
    };
    // 4 visible columns (a fifth hidden), 5 rows.
    const std::vector<Case> cases = {
        {true, 1, 1, u'\r', 2, 1, 0},
        {true, 3, 2, u'\r', 1, 3, 0}, // last visible column: next row
        {true, 3, 4, u'\r', 1, 1, 0}, // last cell: back to the first data row
        {false, 1, 1, u'\r', 1, 1, u'\r'},
        {true, 1, 1, u'a', 1, 1, u'a'},
        {true, 0, 2, u'\r', 0, 2, 0}, // no move from the fixed column, key taken
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << k.option << " " << k.col << "," << k.row);
        TExColumnGrid g;
        MakeRuleGrid(g);
        Opt_Jump_Field_Tables = k.option;
        g.SetFixedCols(k.col == 0 ? 0 : 1);
        g.SetCol(k.col);
        g.SetRow(k.row);
        TKeyChar key = k.key;
        Grid_Enter_Jump(g, key);
        EXPECT_EQ(g.Col(), k.toCol);
        EXPECT_EQ(g.Row(), k.toRow);
        EXPECT_EQ(key, k.keyOut);
    }
}

TEST_F(TableRows, EnterOnTheGridsWindowJumpsToTheNextCell)
{
    TExColumnGrid g;
    MakeRuleGrid(g);
    g.SetOptions(g.Options() + goEditing);
    g.OnKeyPress = [&](TObject*, TKeyChar& Key) { Grid_Enter_Jump(g, Key); };
    TGridView view(&g);
    view.SetBounds(0, 0, 400, 200);
    view.Show();
    g.SetCol(3);
    g.SetRow(1);

    Opt_Jump_Field_Tables = true;
    SendKeyDown(view, VK_RETURN, {}, "\r");
    SendKeyUp(view, VK_RETURN);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(g.EditorMode());

    // Without the option the grid keeps its own Enter: the editor opens.
    Opt_Jump_Field_Tables = false;
    SendKeyDown(view, VK_RETURN, {}, "\r");
    SendKeyUp(view, VK_RETURN);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_TRUE(g.EditorMode());
}

TEST_F(TableRows, HeaderDoubleClickSizesTheColumnOnlyWithTheOption)
{
    TExColumnGrid g;
    MakeRuleGrid(g);
    g.SetCells(2, 3, "a much longer rule name than the column shows");
    const int before = g.ColWidths(2);

    Opt_DblClick_Auto_Size = false;
    Grid_DblClick_Auto_Size(g, 0, 2);
    EXPECT_EQ(g.ColWidths(2), before);

    Opt_DblClick_Auto_Size = true;
    Grid_DblClick_Auto_Size(g, 1, 2); // a data cell
    EXPECT_EQ(g.ColWidths(2), before);
    Grid_DblClick_Auto_Size(g, 0, 2);
    const int sized = g.ColWidths(2);
    EXPECT_GT(sized, before);
    // Exactly the text with the inset and lines: sizing again keeps it.
    EXPECT_EQ(sized, g.Canvas()->TextWidth(g.Cells(2, 3)) + 4 + 2 + 2);
    Grid_DblClick_Auto_Size(g, 0, 2);
    EXPECT_EQ(g.ColWidths(2), sized);
}
