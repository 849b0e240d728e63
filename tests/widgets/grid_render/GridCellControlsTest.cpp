// Inline controls of a cell's mini-HTML edited in an edit box or combo box
// over them, and controls placed on cells following the grid as it
// scrolls, all driven with keys and the mouse in a shown window.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Editor_InlineControls.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"
#include "platform/Input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kForm = "Name <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"abc\" WIDTH=\"60\"> "
                          "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\"> "
                          "<CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Go\" WIDTH=\"30\"> "
                          "<CONTROL TYPE=\"PASSWORD\" ID=\"p1\" VALUE=\"\" WIDTH=\"60\" MAXLEN=\"5\"> "
                          "<CONTROL TYPE=\"COMBO\" ID=\"k1\" VALUE=\"MQTT\" WIDTH=\"70\">";

// A control of the application placed on a cell: an object of the grid's
// kind and a control.
struct CellEdit : TObject, TEdit {
    explicit CellEdit(TWinControl* parent) : TEdit(parent) {}
};

TRect Bounds(const TControl& c) { return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()}; }

struct Done {
    int row, col;
    std::string id, type, value;
    bool operator==(const Done&) const = default;
};

// A form with an editable grid whose cell (1, 2) holds the inline controls
// above; the grid is shown, active and focused.
struct CellControlsFixture : ::testing::Test {
    TForm form;
    TExStringGrid* grid = nullptr;
    std::vector<Done> done;
    CellControlsFixture()
    {
        form.SetClientSize(640, 320);
        grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 620, 300);
        grid->SetColCount(4);
        grid->SetRowCount(20);
        grid->SetColWidths(1, 420);
        grid->SetRowHeights(2, 34);
        grid->SetOptions(grid->Options() + goEditing);
        grid->SetCells(1, 2, kForm);
        grid->OnControlEditDone = [this](TObject*, int r, int c, const std::string& id, const std::string& type,
                                         const std::string& v) { done.push_back({r, c, id, type, v}); };
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        Settle();
    }
    ~CellControlsFixture() override { form.Close(); }
    void Key(int vk, TShiftState s = {}, const std::string& text = "")
    {
        PressKey(form, vk, s, text);
        Settle();
    }
    void Settle()
    {
        for (int i = 0; i < 4; ++i) Application_ProcessMessages();
    }
    // Which of the grid's window and the two editors on it has the focus.
    std::string Focused()
    {
        if (grid->CellControlEdit()->Focused()) return "TControlEdit";
        if (grid->CellControlCombo()->Focused()) return "TControlCombo";
        return FocusedControl(form) == grid->View() ? "grid" : "elsewhere";
    }
    // The value the cell text holds for a control.
    std::string Value(const std::string& id)
    {
        const std::string t = grid->Cells(1, 2);
        const size_t at = t.find("ID=\"" + id + "\"");
        if (at == std::string::npos) return "<none>";
        const size_t v = t.find("VALUE=\"", at);
        return t.substr(v + 7, t.find('"', v + 7) - v - 7);
    }
};

} // namespace

// F2 opens the first inline edit control; what is typed goes into its tag
// when Enter ends the edit, which gives the focus back to the grid.
TEST_F(CellControlsFixture, EnterWritesTheEditBackAndReturnsToTheGrid)
{
    grid->FocusCell(1, 2);
    Key(VK_F2);
    TControlEdit* e = grid->CellControlEdit();
    ASSERT_EQ(Focused(), "TControlEdit");
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_EQ(grid->CtrlType(), "EDIT");
    TypeKeys(form, "x<y");
    Settle();
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(Focused(), "grid");
    EXPECT_FALSE(e->Visible());
    // The value is stored entity-encoded; the other controls keep theirs.
    EXPECT_EQ(Value("e1"), "x&lt;y");
    EXPECT_EQ(Value("k1"), "MQTT");
    EXPECT_EQ(done, (std::vector<Done>{{2, 1, "e1", "EDIT", "x<y"}}));
    EXPECT_FALSE(grid->CtrlEditing());
    EXPECT_EQ(grid->CtrlType(), "");
}

// Tab (automatic advance off) moves from control to control of the same
// cell, past check boxes and buttons; past the last one the grid takes the
// focus. Each control left reports its value once.
TEST_F(CellControlsFixture, TabStepsThroughTheEditAndComboControlsOfTheCell)
{
    grid->FocusCell(1, 2);
    Key(VK_F2);
    ASSERT_EQ(Focused(), "TControlEdit");
    Key(VK_TAB);
    // The password box: masked, at most 5 characters.
    ASSERT_EQ(Focused(), "TControlEdit");
    EXPECT_EQ(grid->CtrlID(), "p1");
    EXPECT_EQ(grid->CtrlType(), "PASSWORD");
    TypeKeys(form, "1234567");
    Settle();
    EXPECT_EQ(grid->CellControlEdit()->Text(), "12345");
    Key(VK_TAB);
    // The combo box opens editable (its list is empty: nothing fills it,
    // so there is nothing to drop down).
    TControlCombo* c = grid->CellControlCombo();
    EXPECT_EQ(grid->CtrlID(), "k1");
    EXPECT_TRUE(c->Visible());
    EXPECT_EQ(Focused(), "TControlCombo");
    EXPECT_EQ(c->Style(), TComboBoxStyle::csDropDown);
    EXPECT_EQ(c->Text(), "MQTT");
    Key(VK_TAB);
    EXPECT_EQ(Focused(), "grid");
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(done, (std::vector<Done>{{2, 1, "e1", "EDIT", "abc"},
                                       {2, 1, "p1", "PASSWORD", "12345"},
                                       {2, 1, "k1", "COMBO", "MQTT"}}));
    EXPECT_EQ(Value("p1"), "12345");
}

// With the grid's automatic advance, Tab ends the edit and moves to the
// next cell.
TEST_F(CellControlsFixture, TabWithAutomaticAdvanceMovesToTheNextCell)
{
    grid->Navigation().SetAdvanceAuto(true);
    grid->Navigation().AdvanceOnEnter = true;
    grid->FocusCell(1, 2);
    Key(VK_F2);
    ASSERT_EQ(Focused(), "TControlEdit");
    TypeKeys(form, "new");
    Settle();
    Key(VK_TAB);
    EXPECT_EQ(Value("e1"), "new");
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(Focused(), "grid");
    EXPECT_EQ(done.size(), 1u);
}

// A click on the edit control opens it; a click on another cell ends the
// edit (reported once, though the box is left twice: by the press and by
// the focus going).
TEST_F(CellControlsFixture, AClickOpensTheEditAndAClickElsewhereEndsItOnce)
{
    // Where the box sits: open it once with F2.
    grid->FocusCell(1, 2);
    Key(VK_F2);
    const TRect box = Bounds(*grid->CellControlEdit());
    Key(VK_RETURN, {}, "\r");
    done.clear();

    grid->FocusCell(2, 5);
    Settle();
    SendClick(*grid->View(), box.Left + 5, box.Top + 4);
    Settle();
    ASSERT_EQ(Focused(), "TControlEdit");
    EXPECT_EQ(grid->CtrlID(), "e1");
    TypeKeys(form, "zz");
    Settle();
    const TRect other = grid->CellRect(2, 6);
    SendClick(*grid->View(), other.Left + 5, other.Top + 5);
    Settle();
    EXPECT_FALSE(grid->CellControlEdit()->Visible());
    EXPECT_EQ(Value("e1"), "zz");
    EXPECT_EQ(done, (std::vector<Done>{{2, 1, "e1", "EDIT", "zz"}}));
}

// The application fills the combo's list and may make it a drop-down list;
// choosing an item is reported, the cell changes when the combo is left;
// Enter on the closed combo gives the focus back to the grid.
TEST_F(CellControlsFixture, TheComboListComesFromTheApplicationAndEnterReturnsToTheGrid)
{
    struct Chosen {
        int row, col, index;
        std::string id, value;
        bool operator==(const Chosen&) const = default;
    };
    std::vector<Chosen> chosen;
    grid->OnControlComboList = [](TObject*, int, int, const std::string& id, const std::string&, const std::string&,
                                  TStrings& values, bool& edit, int& dropCount) {
        EXPECT_EQ(id, "k1");
        values.Clear();
        values.Add("CAN");
        values.Add("MQTT");
        values.Add("Modbus");
        edit = false;
        dropCount = 4;
    };
    grid->OnControlComboSelect = [&](TObject*, int r, int c, int i, const std::string& id, const std::string& v) {
        chosen.push_back({r, c, i, id, v});
    };
    grid->FocusCell(1, 2);
    Key(VK_F2); // e1
    Key(VK_TAB); // p1
    Key(VK_TAB); // k1
    TControlCombo* c = grid->CellControlCombo();
    ASSERT_TRUE(c->Visible());
    EXPECT_EQ(c->Style(), TComboBoxStyle::csDropDownList);
    EXPECT_EQ(c->DropDownCount(), 4);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_TRUE(c->DroppedDown());
    Key(VK_DOWN);
    EXPECT_EQ(chosen, (std::vector<Chosen>{{2, 1, 2, "k1", "Modbus"}}));
    EXPECT_EQ(Value("k1"), "MQTT");
    // The list closes on the choice; Enter then ends the edit.
    if (c->DroppedDown()) Key(VK_ESCAPE);
    Key(VK_RETURN, {}, "\r");
    EXPECT_EQ(Focused(), "grid");
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(Value("k1"), "Modbus");
}

// A control placed on a cell sits on it (one pixel over its left and top
// grid lines), is hidden while its row is scrolled out of view and comes
// back at its cell; a control on a fixed cell is left where it is.
TEST_F(CellControlsFixture, ControlsOnCellsFollowTheScrolling)
{
    auto* onCell = new CellEdit(grid->View());
    auto* onHeader = new CellEdit(grid->View());
    onHeader->SetBounds(3, 4, 50, 18);
    grid->SetCellControls(2, 4, onCell);
    grid->SetCellControls(2, 0, onHeader);
    grid->CellControlsUpdate(true);
    auto placed = [&] {
        const TRect r = grid->CellRect(2, 4);
        return TRect{r.Left - 1, r.Top - 1, r.Right, r.Bottom};
    };
    EXPECT_TRUE(onCell->Visible());
    EXPECT_EQ(Bounds(*onCell), placed());

    // Scroll row 4 out of view with the keyboard.
    grid->FocusCell(2, 4);
    for (int i = 0; i < 3; ++i) Key(VK_NEXT);
    ASSERT_GT(grid->TopRow(), 4);
    EXPECT_FALSE(onCell->Visible());
    for (int i = 0; i < 3; ++i) Key(VK_PRIOR);
    ASSERT_LE(grid->TopRow(), 4);
    EXPECT_TRUE(onCell->Visible());
    EXPECT_EQ(Bounds(*onCell), placed());

    // A wider column and a taller row move it along.
    grid->SetColWidths(1, 300);
    grid->SetRowHeights(3, 40);
    EXPECT_EQ(Bounds(*onCell), placed());

    // A moved column takes its control along; a hidden row hides it.
    grid->MoveColumn(2, 3);
    const TRect moved = grid->CellRect(3, 4);
    EXPECT_EQ(Bounds(*onCell), (TRect{moved.Left - 1, moved.Top - 1, moved.Right, moved.Bottom}));
    grid->HideRow(4);
    EXPECT_FALSE(onCell->Visible());
    grid->UnHideRow(4);
    EXPECT_TRUE(onCell->Visible());

    EXPECT_EQ(Bounds(*onHeader), (TRect{3, 4, 53, 22}));
    EXPECT_TRUE(onHeader->Visible());
}

// The window goes while an inline editor is open: the editor's leaving
// reaches no grid any more.
TEST(GridCellControls, TheWindowMayCloseWithAnEditorOpen)
{
    std::vector<std::string> done;
    {
        TForm form;
        form.SetClientSize(640, 320);
        auto* grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 620, 300);
        grid->SetColWidths(1, 420);
        grid->SetRowHeights(2, 34);
        grid->SetOptions(grid->Options() + goEditing);
        grid->SetCells(1, 2, kForm);
        grid->OnControlEditDone = [&](TObject*, int, int, const std::string& id, const std::string&,
                                      const std::string&) { done.push_back(id); };
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        grid->FocusCell(1, 2);
        PressKey(form, VK_F2);
        Application_ProcessMessages();
        ASSERT_TRUE(grid->CellControlEdit()->Focused());
    }
    for (int i = 0; i < 4; ++i) Application_ProcessMessages();
    EXPECT_LE(done.size(), 1u);
}

// A click on a radio group laid out across picks the item under the mouse;
// between two items (on the boundary) and past the last one nothing is
// picked. The current cell moves to the group in any case.
TEST_F(CellControlsFixture, AClickOnARadioGroupPicksTheItemUnderTheMouse)
{
    grid->SetColWidths(1, 100);
    grid->SetColWidths(2, 250);
    TCellStrings* items = grid->CreateRadio(2, 4, 1, 0);
    items->Add("CAN");
    items->Add("MQTT bus");
    std::vector<int> clicks;
    grid->OnRadioClick = [&](TObject*, int c, int r, int i) {
        EXPECT_EQ(c, 2);
        EXPECT_EQ(r, 4);
        clicks.push_back(i);
    };
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(grid->Font());
    const int end0 = scratch.Canvas().TextWidth("CAN") + 16;
    const int end1 = end0 + scratch.Canvas().TextWidth("MQTT bus") + 16;
    const TRect cell = grid->CellRect(2, 4);
    struct Case {
        int dx, picked;
    };
    const Case cases[] = {{end0 / 2, 0}, {end0 + 1, 1}, {end0, -1}, {end1 - 1, 1}, {end1 + 4, -1}, {2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dx);
        grid->SetRadioIdx(2, 4, 5);
        grid->FocusCell(1, 1);
        clicks.clear();
        SendClick(*grid->View(), cell.Left + c.dx, cell.Top + 5);
        Settle();
        EXPECT_EQ(grid->Col(), 2);
        EXPECT_EQ(grid->Row(), 4);
        if (c.picked < 0) {
            EXPECT_TRUE(clicks.empty());
            EXPECT_EQ(grid->GetCellGraphic(2, 4)->CellIndex, 5);
        } else {
            EXPECT_EQ(clicks, std::vector<int>{c.picked});
            EXPECT_EQ(grid->GetCellGraphic(2, 4)->CellIndex, c.picked);
        }
    }

    // A group whose selection is its cell's text: the text becomes the
    // item's, and the index follows.
    grid->SetRadioIdx(2, 4, -1);
    SendClick(*grid->View(), cell.Left + end0 + 3, cell.Top + 5);
    Settle();
    EXPECT_EQ(grid->Cells(2, 4), "MQTT bus");
    EXPECT_EQ(grid->GetCellGraphic(2, 4)->CellIndex, 1);
}
