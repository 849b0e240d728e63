// What is typed into a cell's editor reaches the cell as it is typed, for
// the text, spin and edit-button editors, driven with keys in a shown
// window; Escape and a refused value give the cell its old text back.
#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Editor_Controls.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

struct EditChangeFixture : ::testing::Test {
    TForm form;
    TExStringGrid* grid = nullptr;
    TEditorType kind = edNormal;
    Log log;
    EditChangeFixture()
    {
        form.SetClientSize(560, 320);
        grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 540, 280);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        grid->SetOptions(grid->Options() + goEditing);
        grid->OnGetEditorType = [this](TObject*, int, int, TEditorType& e) { e = kind; };
        grid->OnEditChange = [this](TObject*, int c, int r, const std::string& s) {
            log.push_back("EditChange " + std::to_string(c) + "," + std::to_string(r) + " " + s);
        };
        grid->OnSetEditText = [this](TObject*, int c, int r, const std::string& s) {
            log.push_back("SetEditText " + std::to_string(c) + "," + std::to_string(r) + " " + s);
        };
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        Application_ProcessMessages();
    }
    ~EditChangeFixture() override { form.Close(); }
    void Key(int vk, TShiftState s = {}, const std::string& text = "") { PressKey(form, vk, s, text); }
    void Settle()
    {
        for (int i = 0; i < 4; ++i) Application_ProcessMessages();
    }
    bool Has(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }
};

} // namespace

TEST_F(EditChangeFixture, TypedTextReachesTheCellAsItIsTyped)
{
    grid->SetCells(2, 1, "orig");
    grid->FocusCell(2, 1, true);
    TypeKeys(form, "ab");
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->Cells(2, 1), "ab");
    // The editor's own change handling first, then the cell.
    const auto change = std::find(log.begin(), log.end(), "EditChange 2,1 ab");
    const auto set = std::find(log.begin(), log.end(), "SetEditText 2,1 ab");
    ASSERT_NE(change, log.end());
    ASSERT_NE(set, log.end());
    EXPECT_LT(change, set);
    EXPECT_TRUE(Has("SetEditText 2,1 a"));
    // The caret stays where the typing left it.
    TypeKeys(form, "c");
    EXPECT_EQ(grid->InplaceEditor()->Text(), "abc");
    EXPECT_EQ(grid->Cells(2, 1), "abc");
    // Escape: the old text comes back.
    Key(VK_ESCAPE, {}, "\x1b");
    Settle();
    EXPECT_EQ(grid->Cells(2, 1), "orig");

    // A value the validation refuses: the cell gets its old text back and
    // the editor opens again with the refused text for correcting; Escape
    // then leaves the old text, a corrected value is committed.
    grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) { valid = v != "bad"; };
    TypeKeys(form, "bad");
    EXPECT_EQ(grid->Cells(2, 1), "bad");
    Key(VK_RETURN, {}, "\r");
    Settle();
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->InplaceEditor()->Text(), "bad");
    EXPECT_EQ(grid->Cells(2, 1), "orig");
    Key(VK_ESCAPE, {}, "\x1b");
    Settle();
    EXPECT_EQ(grid->Cells(2, 1), "orig");
    TypeKeys(form, "bad");
    Key(VK_RETURN, {}, "\r");
    Settle();
    TypeKeys(form, "ok");
    EXPECT_EQ(grid->Cells(2, 1), "ok");
    Key(VK_RETURN, {}, "\r");
    Settle();
    EXPECT_FALSE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->Cells(2, 1), "ok");
}

TEST_F(EditChangeFixture, WhichEditorsWriteThrough)
{
    struct Case {
        TEditorType kind;
        int key;
        const char* text;   // typed (when key is 0)
        const char* live;   // the cell while the editor is open
    };
    const Case cases[] = {
        {edNumeric, 0, "42", "42"},
        {edUpperCase, 0, "ab", "AB"},
        {edSpinEdit, VK_UP, "", "13"},
        {edEditBtn, 0, "xy", "xy"},
        {edComboEdit, 0, "zz", "12"}, // a combo writes its value when it closes
    };
    int row = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(row);
        kind = c.kind;
        grid->SetCells(1, row, "12");
        grid->FocusCell(1, row, true);
        Key(VK_F2);
        Settle();
        if (c.kind == edSpinEdit) grid->Editors().Spin()->SetSelStart(0);
        if (c.kind == edNumeric || c.kind == edUpperCase) {
            ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
            grid->InplaceEditor()->Select(0, 2);
        }
        if (c.key)
            Key(c.key);
        else
            TypeKeys(form, c.text);
        EXPECT_EQ(grid->Cells(1, row), c.live);
        Key(VK_ESCAPE, {}, "\x1b");
        Settle();
        EXPECT_EQ(grid->Cells(1, row), "12");
        ++row;
    }
}
