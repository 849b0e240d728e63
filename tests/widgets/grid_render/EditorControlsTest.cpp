// The editor controls on a grid's cells, driven with keys and the mouse in a
// shown window: combo, spin, edit-button, unit, check box, button, date and
// date-time editors with their commit, Escape and navigation rules.
#include "widgets/ExColumnGrid.h"
#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Editor_Controls.h"

#include "support/FormatGuard.h"

#include "platform/Application.h"
#include "platform/Clipbrd.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"
#include "platform/Input.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ComboEvent {
    int col, row, index;
    std::string selection;
    bool operator==(const ComboEvent&) const = default;
};

// A form with an editable grid (6 columns, 8 rows) whose cells use the
// editor kind `kind`, shown and active, the grid focused.
struct EditorFixture : ::testing::Test {
    TForm form;
    TExStringGrid* grid = nullptr;
    TEditorType kind = edNormal;
    std::vector<ComboEvent> comboEvents;
    EditorFixture()
    {
        form.SetClientSize(560, 320);
        grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 540, 280);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        grid->SetOptions(grid->Options() + goEditing);
        grid->OnGetEditorType = [this](TObject*, int, int, TEditorType& e) { e = kind; };
        grid->OnComboChange = [this](TObject*, int c, int r, int i, const std::string& s) {
            comboEvents.push_back({c, r, i, s});
        };
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        Application_ProcessMessages();
    }
    ~EditorFixture() override { form.Close(); }
    void Key(int vk, TShiftState s = {}, const std::string& text = "") { PressKey(form, vk, s, text); }
    void Settle()
    {
        for (int i = 0; i < 4; ++i) Application_ProcessMessages();
    }
    // Opens the editor of cell (col, row) with F2.
    void Open(int col, int row)
    {
        grid->FocusCell(col, row);
        Key(VK_F2);
        Settle();
    }
    TGridCombo& Combo() { return *grid->Editors().Combo(); }
    void Items(std::initializer_list<const char*> items)
    {
        grid->ClearComboString();
        for (const char* i : items) grid->AddComboString(i);
    }
};

struct BeepCount {
    int beeps = 0;
    std::function<void()> old;
    BeepCount() : old(SetBeepHandler([this] { ++beeps; })) {}
    ~BeepCount() { SetBeepHandler(old); }
};

} // namespace

// --- combo --------------------------------------------------------------------------------

TEST_F(EditorFixture, ComboListOnATextNotInTheListShowsItem0AndEscapeKeepsTheText)
{
    kind = edComboList;
    Items({"0", "1", "2"});
    grid->HideColumn(1); // displayed column 2 is real column 3
    grid->SetCells(3, 2, "x");
    Open(2, 2);
    ASSERT_TRUE(Combo().Visible());
    EXPECT_EQ(Combo().ItemIndex(), 0);
    EXPECT_EQ(comboEvents, (std::vector<ComboEvent>{{3, 2, 0, "0"}})) << "once, before any key";
    Key(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(Combo().Visible());
    EXPECT_EQ(grid->Cells(3, 2), "x");
    EXPECT_FALSE(grid->EditMode());
    EXPECT_EQ(comboEvents.size(), 1u);
}

TEST_F(EditorFixture, ComboListEnterCommitsTheChosenItemAndTypingSearchesIt)
{
    kind = edComboList;
    Items({"CAN", "MQTT", "Modbus"});
    grid->SetCells(1, 1, "MQTT");
    std::vector<std::string> done;
    grid->OnEditCellDone = [&](TObject*, int c, int r) { done.push_back(std::to_string(c) + "," + std::to_string(r)); };
    Open(1, 1);
    EXPECT_EQ(Combo().ItemIndex(), 1);
    EXPECT_TRUE(comboEvents.empty()) << "the cell's own item: nothing to report";
    TypeKeys(form, "c");
    EXPECT_EQ(Combo().ItemIndex(), 0);
    EXPECT_EQ(comboEvents, (std::vector<ComboEvent>{{1, 1, 0, "CAN"}}));
    Key(VK_RETURN, {}, "\r");
    Settle();
    EXPECT_EQ(grid->Cells(1, 1), "CAN");
    EXPECT_FALSE(Combo().Visible());
    EXPECT_EQ(done, (std::vector<std::string>{"1,1"}));
}

TEST_F(EditorFixture, LookupCompletesFromTheItemsKeepingTheTypedCase)
{
    kind = edComboEdit;
    Items({"Alpha", "Beta", "Bravo"});
    grid->Lookup = true;
    Open(1, 1);
    TypeKeys(form, "b");
    EXPECT_EQ(Combo().Text(), "beta");
    EXPECT_EQ(Combo().SelStart(), 1);
    EXPECT_EQ(Combo().SelLength(), 3) << "\"eta\" selected";
    EXPECT_EQ(Combo().ItemIndex(), 1);
    TypeKeys(form, "r");
    EXPECT_EQ(Combo().Text(), "bravo");
    EXPECT_EQ(Combo().ItemIndex(), 2);
    // Backspace removes the completion without completing again.
    Key(VK_BACK);
    EXPECT_EQ(Combo().Text(), "br");
    // The grid's look-up list completes when no item does.
    grid->LookupItems().Add("Gamma");
    Combo().SetText("");
    TypeKeys(form, "G");
    EXPECT_EQ(Combo().Text(), "Gamma");
}

TEST_F(EditorFixture, DownOnAClosedListMovesTheGridUnlessTheComboTakesUpAndDown)
{
    kind = edComboList;
    Items({"a", "b", "c"});
    grid->SetCells(1, 2, "b");
    grid->Navigation().ComboGetUpDown = false;
    Open(1, 2);
    Key(VK_DOWN);
    Settle();
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_FALSE(Combo().Visible());
    EXPECT_EQ(grid->Cells(1, 2), "b");
    // Alt+Down opens the list instead.
    Open(1, 2);
    Key(VK_DOWN, {ssAlt});
    Settle();
    EXPECT_TRUE(Combo().DroppedDown());
    EXPECT_EQ(grid->Row(), 2);
    Combo().SetDroppedDown(false);
    // With ComboGetUpDown the arrows step the items.
    grid->Navigation().ComboGetUpDown = true;
    Key(VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(Combo().Text(), "c");
}

TEST_F(EditorFixture, TypingInAComboEditReportsEachChangeOnceWithTheRealColumn)
{
    kind = edComboEdit;
    Items({"one", "two"});
    grid->HideColumn(1);
    Open(1, 1); // real column 2
    TypeKeys(form, "ab");
    EXPECT_EQ(comboEvents, (std::vector<ComboEvent>{{2, 1, -1, "a"}, {2, 1, -1, "ab"}}));
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(2, 1), "ab");
    EXPECT_EQ(comboEvents.size(), 2u);
}

TEST_F(EditorFixture, TheWheelStepsItemsAndNothingOnAnEmptyCombo)
{
    kind = edComboList;
    Items({});
    std::vector<std::string> changes;
    grid->OnEditChange = [&](TObject*, int, int, const std::string& v) { changes.push_back(v); };
    Open(1, 1);
    SendMouseWheel(Combo(), -120);
    SendMouseWheel(Combo(), 120);
    EXPECT_TRUE(comboEvents.empty());
    EXPECT_TRUE(changes.empty());
    Key(VK_ESCAPE);

    // An edit combo whose text is none of the items has no item to step from.
    kind = edComboEdit;
    Items({"a", "b"});
    grid->SetCells(1, 3, "zz");
    Open(1, 3);
    ASSERT_EQ(Combo().ItemIndex(), -1);
    SendMouseWheel(Combo(), -120);
    EXPECT_EQ(Combo().Text(), "zz");
    EXPECT_TRUE(comboEvents.empty());
    EXPECT_TRUE(changes.empty());
    Key(VK_ESCAPE);

    kind = edComboList;
    grid->SetCells(1, 2, "a");
    Open(1, 2);
    SendMouseWheel(Combo(), -120); // towards the user: the next item
    SendMouseWheel(Combo(), -120); // already the last: kept, still reported
    EXPECT_EQ(Combo().ItemIndex(), 1);
    EXPECT_EQ(comboEvents, (std::vector<ComboEvent>{{1, 2, 1, "b"}, {1, 2, 1, "b"}}));
    EXPECT_EQ(changes, (std::vector<std::string>{"b", "b"}));
}

TEST_F(EditorFixture, ARefusedComboValueKeepsTheEditorOpen)
{
    kind = edComboEdit;
    Items({});
    grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) {
        if (v == "bad") {
            v = "good";
            valid = false;
        }
    };
    Open(1, 1);
    TypeKeys(form, "bad");
    Key(VK_RETURN, {}, "\r");
    EXPECT_TRUE(Combo().Visible());
    EXPECT_EQ(Combo().Text(), "good");
    EXPECT_EQ(Combo().SelLength(), 4) << "the corrected value selected whole";
    EXPECT_EQ(grid->Row(), 1);
    Key(VK_RETURN, {}, "\r");
    EXPECT_FALSE(Combo().Visible());
    EXPECT_EQ(grid->Cells(1, 1), "good");
}

TEST_F(EditorFixture, TabInAComboMovesToTheNextCellWithGoTabs)
{
    kind = edComboEdit;
    Items({});
    grid->SetOptions(grid->Options() + goTabs);
    Open(1, 1);
    TypeKeys(form, "x");
    Key(VK_TAB);
    Settle();
    EXPECT_EQ(grid->Cells(1, 1), "x");
    EXPECT_EQ(grid->Col(), 2);
    // AdvanceAutoEdit opens the editor of the cell reached.
    ASSERT_TRUE(Combo().Visible());
    EXPECT_EQ(Combo().Left(), grid->CellRect(2, 1).Left);
    EXPECT_EQ(Combo().Text(), "");
}

// --- spin, edit-button, unit, check box, button ----------------------------------------------

TEST_F(EditorFixture, IntegerSpinStepsToItsMaximumAndHomeReportsIt)
{
    kind = edSpinEdit;
    grid->SetCells(1, 1, "99");
    std::vector<std::pair<int, bool>> spins;
    grid->OnSpinClick = [&](TObject*, int, int, int v, bool up) { spins.push_back({v, up}); };
    Open(1, 1);
    TGridSpin& s = *grid->Editors().Spin();
    ASSERT_TRUE(s.Visible());
    Key(VK_UP);
    EXPECT_EQ(s.Text(), "100");
    Key(VK_UP);
    EXPECT_EQ(s.Text(), "100");
    EXPECT_TRUE(spins.empty()) << "key steps report nothing";
    s.SetText("5");
    Key(VK_HOME);
    EXPECT_EQ(s.Text(), "100");
    EXPECT_EQ(spins, (std::vector<std::pair<int, bool>>{{100, true}}));
    // The up button reports its step.
    s.SetText("7");
    TExTimerSpeedButton* up = s.Button()->UpButton();
    SendMouseDown(*up, 3, 3);
    SendMouseUp(*up, 3, 3);
    EXPECT_EQ(spins.back(), (std::pair<int, bool>{8, true}));
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "8");
}

TEST_F(EditorFixture, EscapeOnASpinKeepsTheCellsText)
{
    kind = edSpinEdit;
    grid->SetCells(1, 1, "12");
    grid->SetCells(1, 2, "n/a");
    Open(1, 1);
    TGridSpin& s = *grid->Editors().Spin();
    s.SetText("42");
    Key(VK_ESCAPE);
    EXPECT_EQ(grid->Cells(1, 1), "12");
    // A text that is no number is not replaced by a number.
    Open(1, 2);
    Key(VK_UP);
    Key(VK_ESCAPE);
    EXPECT_EQ(grid->Cells(1, 2), "n/a");
}

TEST_F(EditorFixture, FloatEditButtonFiltersWithTheLocaleSeparators)
{
    FormatGuard fmt(',', '.', '/', "dd/mm/yyyy");
    BeepCount beeps;
    kind = edFloatEditBtn;
    Open(1, 1);
    TGridEditBtn& e = *grid->Editors().EditBtn();
    ASSERT_TRUE(e.Visible());
    e.SelectAll();
    TypeKeys(form, "1.5");
    EXPECT_EQ(e.Text(), "15") << "the thousand separator is dropped silently";
    EXPECT_EQ(beeps.beeps, 0);
    TypeKeys(form, ",2,");
    EXPECT_EQ(e.Text(), "15,2") << "a second decimal separator is dropped";
    TypeKeys(form, "-");
    EXPECT_EQ(e.Text(), "15,2");
    EXPECT_EQ(beeps.beeps, 1) << "'-' not at the start beeps";
    e.SetSelStart(0);
    TypeKeys(form, "-");
    EXPECT_EQ(e.Text(), "-15,2");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "-15,2");
}

TEST_F(EditorFixture, IntegerEditButtonBeepsOnCtrlVButTakesThePasteMessage)
{
    BeepCount beeps;
    kind = edNumericEditBtn;
    Open(1, 1);
    TGridEditBtn& e = *grid->Editors().EditBtn();
    e.SelectAll();
    TypeKeys(form, "1-2");
    EXPECT_EQ(e.Text(), "12");
    EXPECT_EQ(beeps.beeps, 1);
    SetClipboardText("34\r\n");
    Key('V', {ssCtrl});
    EXPECT_EQ(beeps.beeps, 2);
    EXPECT_EQ(e.Text(), "12");
    Key(VK_INSERT, {ssShift});
    EXPECT_EQ(e.Text(), "1234") << "pasted without the line break";
}

TEST_F(EditorFixture, TheEllipsisButtonAsksTheGrid)
{
    kind = edEditBtn;
    grid->HideColumn(1);
    grid->SetCells(2, 1, "a");
    int col = -1;
    grid->OnEllipsClick = [&](TObject*, int c, int, std::string& s) {
        col = c;
        s += "+";
    };
    Open(1, 1);
    TGridEditBtn& e = *grid->Editors().EditBtn();
    e.SetStopEditAfterClick(true);
    Key(VK_F4);
    EXPECT_EQ(col, 2) << "the real column";
    EXPECT_FALSE(e.Visible()) << "StopEditAfterClick closes the editor";
    EXPECT_EQ(grid->Cells(2, 1), "a+");
}

TEST_F(EditorFixture, UnitEditorSplitsTheCellAndKeepsAValueWithoutAUnit)
{
    kind = edUnitEditBtn;
    grid->SetCells(1, 1, "12mm");
    grid->SetCells(1, 2, "7");
    auto units = [&] {
        TGridUnitEditBtn* u = grid->Editors().UnitEditBtn();
        u->Units().Clear();
        for (const char* s : {"mm", "cm", "m"}) u->Units().Add(s);
        return u;
    };
    units();
    Open(1, 1);
    TGridUnitEditBtn* u = units();
    EXPECT_EQ(u->Text(), "12");
    EXPECT_EQ(u->UnitID(), "mm");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "12mm");
    Open(1, 2);
    EXPECT_EQ(u->Text(), "7");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 2), "7") << "not emptied";
    // A refused value shows the whole cell text, unit included.
    grid->OnCellValidate = [](TObject*, int, int, std::string&, bool& valid) { valid = false; };
    Open(1, 1);
    u->SetText("13");
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(u->Text(), "12mm");
}

TEST_F(EditorFixture, CheckBoxEditorTogglesOncePerClickAndWritesNothing)
{
    kind = edCheckBox;
    grid->SetCells(1, 1, "label");
    Open(1, 1);
    TGridCheckBox& b = *grid->Editors().CheckBox();
    ASSERT_TRUE(b.Visible());
    EXPECT_EQ(b.Caption(), "label");
    EXPECT_FALSE(b.Checked());
    SendClick(b, 5, 5);
    EXPECT_TRUE(b.Checked());
    Key(VK_DOWN);
    EXPECT_FALSE(b.Visible());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "label");
}

TEST_F(EditorFixture, EscapeOnTheButtonEditorRestoresTheCell)
{
    kind = edButton;
    grid->SetCells(1, 1, "Press");
    std::vector<int> keys;
    grid->OnKeyDown = [&](TObject*, int& k, TShiftState) { keys.push_back(k); };
    int clicks = 0;
    grid->OnButtonClick = [&](TObject*, int, int) { ++clicks; };
    Open(1, 1);
    TGridButton& b = *grid->Editors().Button();
    ASSERT_TRUE(b.Visible());
    EXPECT_EQ(b.Left(), grid->CellRect(1, 1).Left - 1) << "one pixel beyond the cell";
    SendClick(b, 4, 4);
    EXPECT_EQ(clicks, 1);
    grid->SetCells(1, 1, "changed");
    keys.clear();
    b.SetFocus();
    Key(VK_ESCAPE);
    EXPECT_FALSE(b.Visible());
    EXPECT_EQ(grid->Cells(1, 1), "Press");
    EXPECT_NE(std::find(keys.begin(), keys.end(), VK_ESCAPE), keys.end()) << "Escape goes on to the grid";
}

// --- date editors ----------------------------------------------------------------------------

TEST_F(EditorFixture, DateCellsThatAreNoDatesOpenOnToday)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    kind = edDateEdit;
    grid->SetCells(1, 1, "31/02/2024");
    grid->SetCells(1, 2, "abc");
    for (int row : {1, 2}) {
        EXPECT_NO_THROW(Open(1, row));
        TGridDatePicker& p = *grid->Editors().DatePicker();
        ASSERT_TRUE(p.Visible());
        EXPECT_EQ(std::trunc(p.DateTime()), std::trunc(Now()));
        // Escape sets the picker from the cell's text, which is no date, so
        // it shows today; the cell keeps its text all the same.
        Key(VK_ESCAPE);
        EXPECT_FALSE(p.Visible());
        EXPECT_EQ(grid->Cells(1, row), row == 1 ? "31/02/2024" : "abc");
    }
}

TEST_F(EditorFixture, EscapeOnADateEditorKeepsTheCellAsItWas)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    kind = edDateEdit;
    grid->SetCells(1, 1, "05/03/2024");
    Open(1, 1);
    TGridDatePicker& p = *grid->Editors().DatePicker();
    p.SetCurrentField(0);
    Key(VK_UP);
    Key(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(p.Visible());
    EXPECT_EQ(grid->Cells(1, 1), "05/03/2024");
}

TEST_F(EditorFixture, DateEditorCommitsAndMovesWithEnter)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    kind = edDateEdit;
    grid->SetCells(1, 1, "05/03/2024");
    Open(1, 1);
    TGridDatePicker& p = *grid->Editors().DatePicker();
    EXPECT_EQ(p.DateTime(), EncodeDate(2024, 3, 5));
    p.SetCurrentField(0);
    Key(VK_UP);
    Key(VK_RETURN, {}, "\r");
    Settle();
    EXPECT_EQ(grid->Cells(1, 1), "06/03/2024");
    EXPECT_FALSE(p.Visible());
}

TEST_F(EditorFixture, DateEditorAdvancesAFieldAfterADigit)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    kind = edDateEdit;
    grid->SetCells(1, 1, "05/03/2024");
    Open(1, 1);
    TGridDatePicker& p = *grid->Editors().DatePicker();
    p.SetFormat("dd.MM.yyyy");
    // Typed as a person types: the event loop runs between the keys.
    auto type = [&](const char* digits) {
        for (const char* d = digits; *d; ++d) {
            TypeKeys(form, std::string(1, *d));
            Settle();
        }
    };
    p.SetCurrentField(0);
    type("1");
    EXPECT_EQ(p.CurrentField(), 0) << "\"1\" does not complete the day yet";
    type("7");
    EXPECT_EQ(p.CurrentField(), 1) << "the day changed: on to the month, once";
    EXPECT_EQ(p.DateTime(), EncodeDate(2024, 3, 17));
    type("4");
    EXPECT_EQ(p.CurrentField(), 2);
    EXPECT_EQ(p.DateTime(), EncodeDate(2024, 4, 17));
    type("2025");
    EXPECT_EQ(p.DateTime(), EncodeDate(2025, 4, 17));
    EXPECT_EQ(p.CurrentField(), 2) << "the year is the last field";
}

TEST_F(EditorFixture, DateTimeEditorEscapeRestoresTheValueItOpenedWith)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    FormatSettings().ShortTimeFormat = "hh:nn";
    kind = edDateTimeEdit;
    grid->SetCells(1, 1, "05/03/2024 10:20");
    Open(1, 1);
    TGridDateTimePicker& p = *grid->Editors().DateTimePicker();
    ASSERT_TRUE(p.Visible());
    const TDateTime opened = EncodeDate(2024, 3, 5) + EncodeTime(10, 20, 0, 0);
    EXPECT_NEAR(p.DateTime(), opened, 1e-9);
    p.SetDateTime(opened + 3);
    Key(VK_ESCAPE);
    EXPECT_FALSE(p.Visible());
    EXPECT_EQ(grid->Cells(1, 1), "05/03/2024 10:20");
    // Enter stores the date and the time.
    Open(1, 1);
    p.SetDateTime(EncodeDate(2025, 1, 2) + EncodeTime(8, 5, 0, 0));
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "02/01/2025 08:05");
}

// --- opened and used with the mouse ----------------------------------------------------------

TEST_F(EditorFixture, AClickOnTheComboOpensItsListAndTheChosenItemIsCommitted)
{
    kind = edComboList;
    Items({"CAN", "MQTT", "Modbus"});
    grid->SetCells(1, 2, "CAN");
    std::vector<std::string> drops;
    grid->OnComboDropDown = [&](TObject*, int r, int c) { drops.push_back(std::to_string(c) + "," + std::to_string(r)); };
    Open(1, 2);
    ASSERT_TRUE(Combo().Visible());
    SendMouseDown(Combo(), Combo().Width() - 5, Combo().Height() / 2);
    SendMouseUp(Combo(), Combo().Width() - 5, Combo().Height() / 2);
    Settle();
    EXPECT_TRUE(Combo().DroppedDown());
    EXPECT_EQ(drops, (std::vector<std::string>{"1,2"}));
    EXPECT_EQ(Combo().ItemIndex(), 0);
    // Down steps the open list; Enter on an open list chooses the item and
    // commits it at once.
    Key(VK_DOWN);
    EXPECT_EQ(comboEvents, (std::vector<ComboEvent>{{1, 2, 1, "MQTT"}}));
    Key(VK_RETURN, {}, "\r");
    Settle();
    EXPECT_FALSE(Combo().DroppedDown());
    EXPECT_EQ(grid->Cells(1, 2), "MQTT");
    EXPECT_EQ(comboEvents.size(), 1u);
    EXPECT_FALSE(Combo().Visible());
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(EditorFixture, AClickOnTheEllipsisButtonAsksTheGridAndKeepsEditing)
{
    kind = edEditBtn;
    grid->SetCells(1, 1, "file");
    int asked = 0;
    grid->OnEllipsClick = [&](TObject*, int, int, std::string& s) {
        ++asked;
        s += ".xml";
    };
    Open(1, 1);
    TGridEditBtn& e = *grid->Editors().EditBtn();
    TExSpeedButton* b = e.EditButton()->Button();
    SendMouseDown(*b, 3, 3);
    SendMouseUp(*b, 3, 3);
    Settle();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(e.Visible());
    EXPECT_EQ(e.Text(), "file.xml");
    EXPECT_EQ(e.SelLength(), 8) << "all of it selected";
    EXPECT_TRUE(e.Focused());
    Key(VK_RETURN, {}, "\r");
    Settle();
    EXPECT_FALSE(e.Visible());
    EXPECT_EQ(grid->Cells(1, 1), "file.xml");
}

TEST_F(EditorFixture, EachSpinKindStepsAndStoresItsValue)
{
    FormatGuard fmt(',', '.', '/', "dd/mm/yyyy");
    FormatSettings().LongTimeFormat = "hh:nn:ss";
    FormatSettings().ShortTimeFormat = "hh:nn";
    struct Case {
        TEditorType kind;
        const char* cell;
        int key;
        const char* stored;
    };
    const Case cases[] = {
        {edSpinEdit, "12 pcs", VK_UP, "13"},
        {edFloatSpinEdit, "2,5", VK_DOWN, "2,40"},
        {edDateSpinEdit, "31/01/2024", VK_UP, "01/02/2024"},
        {edTimeSpinEdit, "10:20:30", VK_UP, "11:20:30"},
    };
    int row = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        kind = c.kind;
        grid->SetCells(1, row, c.cell);
        Open(1, row);
        TGridSpin& s = *grid->Editors().Spin();
        ASSERT_TRUE(s.Visible());
        s.SetSelStart(0);
        Key(c.key);
        Key(VK_RETURN, {}, "\r");
        Settle();
        EXPECT_FALSE(s.Visible());
        EXPECT_EQ(grid->Cells(1, row), c.stored);
        ++row;
    }
}

// A column grid as the rule windows use it: each column brings its editor,
// its items and its spin limits.
TEST(ColumnGridEditors, ColumnsBringTheirItemsAndSpinLimits)
{
    TForm form;
    form.SetClientSize(420, 220);
    auto* g = new TExColumnGrid(&form);
    g->SetBounds(8, 8, 400, 200);
    g->SetColCount(3);
    g->SetRowCount(4);
    g->SetOptions(g->Options() + goEditing);
    g->Columns()[1]->SetEditor(edComboList);
    for (const char* i : {"CAN", "MQTT"}) g->Columns()[1]->ComboItems().Add(i);
    g->Columns()[1]->DropDownCount = 3;
    g->Columns()[2]->SetEditor(edSpinEdit);
    g->Columns()[2]->SpinMin = 1;
    g->Columns()[2]->SpinMax = 5;
    g->Columns()[2]->SpinStep = 2;
    form.ShowForm();
    ActivateWindowOf(form);
    g->SetFocus();
    Application_ProcessMessages();
    auto key = [&](int vk, const std::string& text = "") { PressKey(form, vk, {}, text); };

    g->SetCells(1, 1, "CAN");
    g->FocusCell(1, 1);
    key(VK_F2);
    TGridCombo& c = *g->Editors().Combo();
    ASSERT_TRUE(c.Visible());
    EXPECT_EQ(c.Items().Count(), 2);
    EXPECT_EQ(c.DropDownCount(), 3);
    TypeKeys(form, "m");
    key(VK_RETURN, "\r");
    EXPECT_EQ(g->Cells(1, 1), "MQTT");

    g->SetCells(2, 1, "1");
    g->FocusCell(2, 1);
    key(VK_F2);
    TGridSpin& s = *g->Editors().Spin();
    ASSERT_TRUE(s.Visible());
    key(VK_UP);
    EXPECT_EQ(s.Text(), "3");
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(s.Text(), "5");
    key(VK_RETURN, "\r");
    EXPECT_EQ(g->Cells(2, 1), "5");
    form.Close();
}
