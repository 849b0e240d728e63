// Editing cells in place in a real window: the events of an edit in their
// order, validation, the text editor's key and paste rules, focus loss and
// the grid's notifications.
#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Editor_Text.h"

#include "platform/Application.h"
#include "platform/Clipbrd.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"
#include "platform/WindowImage.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

// A form with an edit and an editable grid (5 columns, 10 rows), shown and
// active, the grid focused.
struct EditFixture : ::testing::Test {
    TForm form;
    TEdit* other = nullptr;
    TExStringGrid* grid = nullptr;
    EditFixture()
    {
        form.SetClientSize(520, 320);
        other = new TEdit(&form);
        other->SetBounds(440, 8, 70, 21);
        grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 420, 280);
        grid->SetColCount(5);
        grid->SetOptions(grid->Options() + goEditing);
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        Application_ProcessMessages();
    }
    ~EditFixture() override { form.Close(); }
    std::string EditorText() const { return grid->InplaceEditor() ? grid->InplaceEditor()->Text() : ""; }
    bool EditorShown() const { return grid->InplaceEditor() && grid->InplaceEditor()->Visible(); }
    void Key(int vk, TShiftState s = {}, const std::string& text = "") { PressKey(form, vk, s, text); }
};

} // namespace

TEST_F(EditFixture, TypingALetterAndEnterFiresTheEditEventsInOrder)
{
    grid->HideColumn(1); // displayed column 2 is real column 3
    grid->SetCol(2);
    Log log;
    auto note = [&](const std::string& s) { log.push_back(s); };
    grid->OnCanEditCell = [&](TObject*, int r, int c, bool&) { note("CanEditCell " + std::to_string(c) + "," + std::to_string(r)); };
    grid->OnGetEditorType = [&](TObject*, int, int, TEditorType&) { note("GetEditorType"); };
    grid->OnGetEditText = [&](TObject*, int c, int, std::string&) { note("GetEditText " + std::to_string(c)); };
    grid->OnGetEditMask = [&](TObject*, int, int, std::string&) { note("GetEditMask"); };
    grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) { note("GetEditorProp"); };
    grid->OnGetEditorPropInt = [&](TObject*, int, int) { note("GetEditorPropInt"); };
    grid->OnEditChange = [&](TObject*, int, int, const std::string& v) { note("EditChange " + v); };
    grid->OnCellValidate = [&](TObject*, int c, int r, std::string& v, bool&) {
        note("CellValidate " + std::to_string(c) + "," + std::to_string(r) + " " + v);
    };
    grid->OnSetEditText = [&](TObject*, int c, int, const std::string& v) { note("SetEditText " + std::to_string(c) + " " + v); };
    grid->OnEditingDone = [&](TObject*) { note("EditingDone"); };
    grid->OnEditCellDone = [&](TObject*, int c, int r) { note("EditCellDone " + std::to_string(c) + "," + std::to_string(r)); };

    TypeKeys(form, "a");
    EXPECT_TRUE(EditorShown());
    Key(VK_RETURN, {}, "\r");
    // (The typed letter reaches the cell at once through the edit-text
    // path; the grid's key press asks once more whether Enter lands on a
    // cell that may be edited before the editor closes.)
    EXPECT_EQ(log, (Log{"CanEditCell 3,1", "GetEditorType", "GetEditText 3", "GetEditMask", "GetEditorProp",
                        "GetEditorPropInt", "EditChange a", "SetEditText 3 a", "CellValidate 3,1 a",
                        "CanEditCell 3,1", "SetEditText 3 a", "EditingDone"}));
    // The end of the edit arrives once the event loop has run.
    log.clear();
    Application_ProcessMessages();
    EXPECT_EQ(log, (Log{"EditCellDone 3,1"}));
    EXPECT_EQ(grid->Cells(3, 1), "a");
    EXPECT_EQ(grid->Cells(2, 1), "");
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(grid->EditMode());
}

TEST_F(EditFixture, TypedTextReachesTheCellAndEachKindFiltersItsCharacters)
{
    int beeps = 0;
    auto oldBeep = SetBeepHandler([&] { ++beeps; });
    struct Case {
        TEditorType kind;
        const char* typed;
        const char* stored;
        int beeps;
    } cases[] = {
        {edNormal, "ab-1", "ab-1", 0},      {edNumeric, "-12x-", "-12", 2},  {edPositiveNumeric, "-7", "7", 1},
        {edFloat, "-1.5.2", "-1.52", 0},    {edPositiveFloat, "-3.5", "3.5", 0},
        {edUpperCase, "abC", "ABC", 0},     {edLowerCase, "AbC", "abc", 0}, {edMixedCase, "hello world", "Hello World", 0},
    };
    int row = 1;
    for (const Case& c : cases) {
        grid->DefaultEditor = c.kind;
        grid->FocusCell(1, row);
        beeps = 0;
        TypeKeys(form, c.typed);
        Key(VK_RETURN, {}, "\r");
        EXPECT_EQ(grid->Cells(1, row), c.stored) << c.typed;
        EXPECT_EQ(beeps, c.beeps) << c.typed;
        ++row;
    }
    SetBeepHandler(oldBeep);
}

TEST_F(EditFixture, ARefusingValidationThatCorrectsTheValueKeepsTheCorrection)
{
    grid->SetCells(1, 1, "old");
    grid->OnCellValidate = [&](TObject*, int, int, std::string& v, bool& valid) {
        if (v == "bad") {
            v = "fixed";
            valid = false;
        }
    };
    grid->InvalidEntryText = "Not allowed";
    TypeKeys(form, "bad");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "fixed");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(EditorText(), "fixed");
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_FALSE(grid->LastValidation());
    // Left unchanged, a refused value brings back the text the cell had
    // before this edit began.
    grid->OnCellValidate = [&](TObject*, int, int, std::string& v, bool& valid) { valid = v != "worse"; };
    Key('A', {ssCtrl}, "\x01");
    TypeKeys(form, "worse");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "old");
    EXPECT_TRUE(EditorShown());
}

TEST_F(EditFixture, FocusLossEndsTheEditEvenWhenValidationRefuses)
{
    grid->SetCells(1, 1, "keep");
    grid->OnCellValidate = [&](TObject*, int, int, std::string&, bool& valid) { valid = false; };
    int done = 0;
    grid->OnEditingDone = [&](TObject*) { ++done; };
    TypeKeys(form, "x");
    ASSERT_TRUE(EditorShown());
    SendMouseDown(*other, 5, 5);
    SendMouseUp(*other, 5, 5);
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(grid->Cells(1, 1), "keep");
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(grid->EditMode());
    EXPECT_FALSE(grid->Editing());
    EXPECT_GE(done, 1);
}

TEST_F(EditFixture, OpeningAndLeavingWithoutTypingKeepsMarkUp)
{
    for (const char* stored : {"<B>x</B>", "<Cfg></Cfg>"}) {
        grid->SetCells(1, 1, stored);
        grid->FocusCell(1, 1);
        Key(VK_RETURN, {}, "\r"); // opens the editor on the plain text
        ASSERT_TRUE(EditorShown()) << stored;
        Key(VK_RETURN, {}, "\r");
        EXPECT_EQ(grid->Cells(1, 1), stored);
        EXPECT_FALSE(EditorShown());
    }
    // Typing replaces the mark-up as any edit does.
    grid->FocusCell(1, 1);
    grid->SetCells(1, 1, "<B>x</B>");
    TypeKeys(form, "y");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "y");
}

TEST_F(EditFixture, AnEditAfterMovingGoesToTheNewCell)
{
    TypeKeys(form, "one");
    Key(VK_RETURN, {}, "\r");
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(grid->Row(), 3);
    TypeKeys(form, "two");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "one");
    EXPECT_EQ(grid->Cells(1, 3), "two");
}

TEST_F(EditFixture, EscapeTakesTheCellsTextBack)
{
    grid->HideColumn(1);
    grid->SetCells(1, 1, "hidden");
    grid->SetCells(2, 1, "shown");
    grid->SetCol(1); // real column 2
    TypeKeys(form, "zz");
    Key(VK_ESCAPE, {}, "\x1b");
    EXPECT_EQ(grid->Cells(2, 1), "shown");
    EXPECT_EQ(grid->Cells(1, 1), "hidden");
    EXPECT_FALSE(EditorShown());
}

TEST_F(EditFixture, PasteFollowsTheKindsRules)
{
    struct Case {
        TEditorType kind;
        const char* before;
        const char* clip;
        const char* after;
    } cases[] = {
        {edNormal, "", "abc\r\n", "abc"},
        {edNumeric, "7", "12a", "7"},
        {edPositiveFloat, "", "-5", ""},
        {edFloat, "", "-5", "-5"},
        {edUpperCase, "", "up", "UP"},
    };
    std::vector<std::string> afterPaste;
    grid->OnClipboardAfterPasteCell = [&](TObject* sender, int, int, const std::string& v) {
        EXPECT_EQ(sender, grid->NormalEdit());
        afterPaste.push_back(v);
    };
    int row = 1;
    for (const Case& c : cases) {
        grid->DefaultEditor = c.kind;
        grid->SetCells(1, row, c.before);
        grid->FocusCell(1, row);
        Key(VK_F2);
        ASSERT_TRUE(EditorShown());
        SetClipboardText(c.clip);
        Key('V', {ssCtrl}, "\x16");
        EXPECT_EQ(EditorText(), c.after) << c.clip;
        Key(VK_ESCAPE, {}, "\x1b");
        ++row;
    }
    // A refused paste still reports the (unchanged) text.
    EXPECT_EQ(afterPaste, (std::vector<std::string>{"abc", "7", "", "-5", "UP"}));
}

TEST_F(EditFixture, FocusHelperFramesTheEditedCell)
{
    EXPECT_EQ(TExStringGrid::FocusWindowRect(TRect{10, 30, 74, 50}), (TRect{6, 26, 79, 55}));
    grid->FocusHelper().Enabled = true;
    TypeKeys(form, "q");
    EXPECT_TRUE(grid->FocusWindowShowing());
    EXPECT_EQ(TExStringGrid::HookedGrid, grid);
    Key(VK_RETURN, {}, "\r");
    EXPECT_FALSE(grid->FocusWindowShowing());
    EXPECT_EQ(TExStringGrid::HookedGrid, nullptr);
}

TEST(GridNotify, BalloonTextIsCutToItsLimits)
{
    TForm form;
    auto* grid = new TExStringGrid(&form);
    grid->SetBounds(0, 0, 400, 250);
    form.ShowForm();
    grid->SetBalloonEnabled(true);
    const TRect r = grid->CellRect(1, 1);
    const int x = r.Left + 3, y = r.Top + 3;
    std::string title, text;
    int icon = 0;

    grid->SetCells(1, 1, std::string(3000, 'w'));
    ASSERT_TRUE(grid->BalloonTipText(x, y, title, text, icon));
    EXPECT_EQ(text, std::string(2045, 'w') + "...");
    EXPECT_EQ(title, " ");
    EXPECT_EQ(icon, 1);
    EXPECT_EQ(grid->LastBalloonPos(), (TPoint{1, 1}));

    grid->SetCells(1, 1, "\r\n" + std::string(2048, 'w'));
    grid->BalloonTipText(x, y, title, text, icon);
    EXPECT_EQ(text, std::string(2048, 'w'));
    grid->SetCells(1, 1, "a\tb\t");
    grid->BalloonTipText(x, y, title, text, icon);
    EXPECT_EQ(text, "a b\t");

    // A handler's text of any length stays within the tooltip's buffer.
    grid->OnCellBalloon = [](TObject*, int, int, std::string& t, std::string& s, int&) {
        t = std::string(150, 'T');
        s = std::string(9000, 'h');
    };
    grid->BalloonTipText(x, y, title, text, icon);
    EXPECT_EQ(text.size(), size_t(TExStringGrid::BalloonTextMax));
    EXPECT_EQ(title, std::string(97, 'T') + "...");

    // Outside the cells: no text, the handler still asked, position -1.
    grid->OnCellBalloon = [](TObject*, int c, int r, std::string&, std::string&, int&) {
        EXPECT_EQ(c, -1);
        EXPECT_EQ(r, -1);
    };
    grid->BalloonTipText(399, 249, title, text, icon);
    EXPECT_EQ(grid->LastBalloonPos(), (TPoint{-1, -1}));
    grid->SetBalloonEnabled(false);
    EXPECT_FALSE(grid->BalloonTipText(x, y, title, text, icon));
    form.Close();
}

TEST(GridNotify, RemovingTheOnlyDataRowClearsItUnlessTheFixedRowStays)
{
    for (bool always : {false, true}) {
        TExStringGrid g;
        g.SetRowCount(2);
        g.FixedRowAlways = always;
        g.SetCells(1, 1, "x");
        std::vector<int> deleted;
        g.OnAutoDeleteRow = [&](TObject*, int r) { deleted.push_back(r); };
        g.AutoDeleteRow(1);
        EXPECT_EQ(g.RowCount(), always ? 1 : 2);
        if (!always) {
            EXPECT_EQ(g.Cells(1, 1), "");
        }
        EXPECT_EQ(deleted, (std::vector<int>{1}));
    }
}

// Without goTabs the Tab belongs to the window: Tab or Shift+Tab while a
// cell is edited stores the text, ends the edit and moves the focus to the
// window's other control — with and without a validation handler (which
// takes the Tab to check the value first). A refused value keeps the edit.
TEST_F(EditFixture, TabWithoutGoTabsStoresTheEditAndLeavesTheGrid)
{
    struct Case {
        bool validate;
        bool back;
    };
    for (const Case c : {Case{false, false}, Case{false, true}, Case{true, false}, Case{true, true}}) {
        SCOPED_TRACE(std::string(c.validate ? "validated" : "plain") + (c.back ? ", Shift+Tab" : ", Tab"));
        grid->OnCellValidate = nullptr;
        if (c.validate) grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) { valid = v != "bad"; };
        grid->SetCells(1, 1, "");
        grid->SetFocus();
        grid->FocusCell(1, 1);
        Application_ProcessMessages();
        TypeKeys(form, "ok");
        ASSERT_TRUE(EditorShown());
        Key(VK_TAB, c.back ? TShiftState{ssShift} : TShiftState{}, "\t");
        Application_ProcessMessages();
        EXPECT_EQ(grid->Cells(1, 1), "ok");
        EXPECT_FALSE(EditorShown());
        EXPECT_TRUE(other->Focused());
    }
    // A value the handler refuses keeps the editor and the focus.
    grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) { valid = v != "bad"; };
    grid->SetFocus();
    grid->FocusCell(1, 2);
    Application_ProcessMessages();
    TypeKeys(form, "bad");
    Key(VK_TAB, {}, "\t");
    Application_ProcessMessages();
    EXPECT_TRUE(EditorShown());
    EXPECT_FALSE(other->Focused());
}

// Line breaks typed into a cell: Enter with LineFeedOnEnter, Ctrl+Enter
// without it; the break is in the cell's text (CR LF) once the edit ends.
// Up and Down move between the editor's lines before they leave the cell.
TEST_F(EditFixture, LineBreaksTypedIntoACellAreKeptInItsText)
{
    struct Case {
        const char* name;
        bool lineFeedOnEnter;
        TEditorType kind;
        TShiftState breakShift; // the key that breaks the line
        TShiftState endShift;   // the Enter that ends the edit
        const char* stored;
    } cases[] = {
        {"Enter breaks, Ctrl+Enter ends", true, edNormal, {}, {ssCtrl}, "ab\r\ncd"},
        {"Ctrl+Enter breaks, Enter ends", false, edNormal, {ssCtrl}, {}, "ab\r\ncd"},
        {"upper case", true, edUpperCase, {}, {ssCtrl}, "AB\r\nCD"},
        // A number cell takes no break: Enter ends its edit.
        {"number", true, edNumeric, {}, {}, "12"},
        // A password is edited on one line.
        {"password", false, edPassword, {ssCtrl}, {}, "abcd"},
    };
    int row = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->Navigation().LineFeedOnEnter = c.lineFeedOnEnter;
        grid->DefaultEditor = c.kind;
        grid->FocusCell(1, row);
        Application_ProcessMessages();
        const bool number = c.kind == edNumeric;
        TypeKeys(form, number ? "12" : "ab");
        Key(VK_RETURN, c.breakShift, c.breakShift.Contains(ssCtrl) ? "\n" : "\r");
        if (number) {
            EXPECT_FALSE(EditorShown());
        } else {
            ASSERT_TRUE(EditorShown());
            TypeKeys(form, "cd");
            Key(VK_RETURN, c.endShift, c.endShift.Contains(ssCtrl) ? "\n" : "\r");
            EXPECT_FALSE(EditorShown());
        }
        Application_ProcessMessages();
        EXPECT_EQ(grid->Cells(1, row), c.stored);
        ++row;
    }

    // Up on the second line goes to the first line of the same cell; Up on
    // the first line leaves the cell with the text stored.
    grid->Navigation().LineFeedOnEnter = false;
    grid->DefaultEditor = edNormal;
    grid->FocusCell(2, 3);
    Application_ProcessMessages();
    TypeKeys(form, "ab");
    Key(VK_RETURN, {ssCtrl}, "\n");
    TypeKeys(form, "cd");
    Key(VK_UP);
    ASSERT_TRUE(EditorShown());
    TypeKeys(form, "x");
    Key(VK_DOWN);
    TypeKeys(form, "y");
    EXPECT_EQ(EditorText(), "abx\r\ncdy");
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Cells(2, 3), "abx\r\ncdy");

    // A cell holding a break opens with it; editing keeps it.
    grid->FocusCell(2, 3);
    Application_ProcessMessages();
    Key(VK_F2);
    ASSERT_TRUE(EditorShown());
    Key(VK_END);
    TypeKeys(form, "z");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(2, 3), "abx\r\ncdyz");
}

// The editor shows the cell's colour, font colour and alignment.
TEST_F(EditFixture, TheEditorTakesTheCellsColoursAndAlignment)
{
    const TColor back = 0x80FFFF, ink = 0x0000FF;
    grid->OnGetCellColor = [&](TObject*, int r, int c, TGridDrawState, TBrush* b, TFont* f) {
        if (r == 1 && c == 1) {
            b->SetColor(back);
            f->SetColor(ink);
        }
    };
    grid->OnGetAlignment = [](TObject*, int r, int c, TAlignment& h, TVAlignment&) {
        if (r == 1 && c == 1) h = TAlignment::taRightJustify;
    };
    grid->SetColWidths(1, 120);
    grid->SetCells(1, 1, "WWW");
    grid->FocusCell(1, 1);
    Application_ProcessMessages();
    Key(VK_F2);
    ASSERT_TRUE(EditorShown());
    Key(VK_END);
    Application_ProcessMessages();
    const TBitmap pic = ControlImage(grid->View());
    const TRect area = grid->View()->CellAreaBounds();
    const TRect r = grid->CellRect(1, 1);
    const int left = area.Left + r.Left, top = area.Top + r.Top;
    const int w = r.Right - r.Left - 1, h = r.Bottom - r.Top - 1;
    EXPECT_EQ(pic.Pixel(left + 2, top + 1), back);
    // The text stands at the right: the left half is bare, the right half
    // holds red ink.
    int inkLeft = 0, inkRight = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor p = pic.Pixel(left + x, top + y);
            const bool red = GetRValue(p) > 160 && GetGValue(p) < 100 && GetBValue(p) < 100;
            if (p != back && x < w / 2) ++inkLeft;
            if (red && x >= w / 2) ++inkRight;
        }
    EXPECT_EQ(inkLeft, 0);
    EXPECT_GT(inkRight, 5);
}
