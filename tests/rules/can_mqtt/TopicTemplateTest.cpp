// The template editor as a person uses it: lines typed with Enter, OK and
// Cancel pressed with the mouse.
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/ControlInput.h"
#include "rules/can_mqtt/UTopicTemplate.h"
#include "widgets/ExColumnGrid.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

void ClickButton(TControl& b)
{
    SendMouseDown(b, b.Width() / 2, b.Height() / 2);
    SendMouseUp(b, b.Width() / 2, b.Height() / 2);
}

} // namespace

TEST(TopicTemplate, EditsACellWithCrLfLines)
{
    TempDir dir;
    Create_Windows(dir.path());
    TExColumnGrid grid;
    grid.SetColCount(11);
    grid.SetRowCount(4);
    grid.SetCellEx(10, 3, "old");
    std::vector<std::function<void(TForm&)>> acts;
    int shown = 0;
    TModalHandler old = SetModalHandler([&](TForm& f) {
        ASSERT_EQ(&f, FTopicTemplate);
        acts.at(static_cast<size_t>(shown++))(f);
    });
    acts.push_back([&](TForm& f) {
        EXPECT_EQ(f.Caption(), Text(1701));
        EXPECT_EQ(FTopicTemplate->L_SW_Desc->Caption(), Text(1703));
        EXPECT_EQ(FTopicTemplate->ESG_Keywords->RowCount(), 2);
        EXPECT_EQ(FTopicTemplate->RE_TopicTemplate->Text(), "old");
        FTopicTemplate->RE_TopicTemplate->SetText("");
        FTopicTemplate->RE_TopicTemplate->SetFocus();
        TypeKeys(f, "l1");
        PressKey(f, VK_RETURN, {}, "\r");
        TypeKeys(f, "l2");
        PressKey(f, VK_RETURN, {}, "\r");
        TypeKeys(f, "l3");
        ClickButton(*FTopicTemplate->Btn_OK);
    });
    EXPECT_TRUE(Edit_Template_Cell(grid, 10, 3));
    EXPECT_EQ(grid.GetCellEx(10, 3), "l1\r\nl2\r\nl3");

    // Loaded back unchanged; Cancel leaves the cell.
    acts.push_back([&](TForm& f) {
        EXPECT_EQ(FTopicTemplate->Text_CRLF(), "l1\r\nl2\r\nl3");
        FTopicTemplate->RE_TopicTemplate->SetFocus();
        TypeKeys(f, "more");
        ClickButton(*FTopicTemplate->Btn_Cancel);
    });
    EXPECT_FALSE(Edit_Template_Cell(grid, 10, 3));
    EXPECT_EQ(grid.GetCellEx(10, 3), "l1\r\nl2\r\nl3");

    // A language change: the caption follows the table at the next showing,
    // the buttons keep the language of the start.
    UComon::UI_Texts.Put(1701, "Modello");
    UComon::UI_Texts.Put(1707, "Bene");
    FZelvatoreFirmWare->Change_Language();
    acts.push_back([&](TForm& f) {
        EXPECT_EQ(f.Caption(), "Modello");
        EXPECT_EQ(FTopicTemplate->Btn_OK->Caption(), "OK");
        ClickButton(*FTopicTemplate->Btn_OK);
    });
    EXPECT_TRUE(Edit_Template_Cell(grid, 10, 3));
    EXPECT_EQ(shown, 3);
    SetModalHandler(old);
    Destroy_Windows();
}
