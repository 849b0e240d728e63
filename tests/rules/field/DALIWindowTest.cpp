// The DALI window as a person drives it: opened through the main window's
// step handler (its button is hidden in this build), real presses on check
// boxes, header cells, tabs and buttons, and real keys in the lists.
#include "../RuleWindowDriving.h"
#include "app/UWindows.h"
#include "platform/Menus.h"
#include "rules/field/UDALI_Access.h"

#include <gtest/gtest.h>

using namespace UComon;

namespace {

void ClickCell(TExColumnGrid& g, int displayedCol, int row, TMouseButton button = mbLeft)
{
    const TPoint p = Mid(g.CellRect(displayedCol, row));
    SendMouseDown(*g.View(), p.X, p.Y, button);
    SendMouseUp(*g.View(), p.X, p.Y, button);
    Application_ProcessMessages();
}

void ClickTab(TExPageControl& pc, int page)
{
    const TPoint p = Mid(pc.PageTabRect(page));
    SendMouseDown(pc, p.X, p.Y);
    SendMouseUp(pc, p.X, p.Y);
    Application_ProcessMessages();
}

bool Checked(TExStringGrid& g, int col, int row)
{
    bool state = false;
    return g.GetCheckBoxState(col, row, state) && state;
}

using DALIWindow = RuleWindowsFixture;

} // namespace

TEST_F(DALIWindow, DevicesRulesAndFunctionsDrivenByMouseAndKeys)
{
    std::vector<std::vector<std::string>> menus;
    const TPopupMenuHandler oldMenu = SetPopupMenuHandler([&](const std::vector<std::string>& entries, TPoint) {
        menus.push_back(entries);
        return 1;  // "Select All"
    });
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FDALI_Access);
        TFDALI_Access& w = *FDALI_Access;
        EXPECT_EQ(f.Caption(), "DALI Access");
        EXPECT_EQ(f.ClientWidth(), 1200);
        EXPECT_EQ(f.ClientHeight(), 496);
        EXPECT_EQ(w.PC_DALI->ActivePage(), w.TS_Select_Device);
        EXPECT_TRUE(w.Btn_SelectAll->Visible());
        EXPECT_FALSE(w.Btn_DelRow->Visible());
        EXPECT_FALSE(w.Btn_DALI_Maps->Visible());
        TExColumnGrid& d = *w.ECG_DALI_Device;
        // Devices 0 and 5: the Enable box is the second shown column.
        ClickCell(d, 1, 1);
        ClickCell(d, 1, 6);
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Enable, 1), "Y");
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Enable, 6), "Y");
        // A right click on the Min-Max Value header (the third shown
        // column: two are hidden before it) opens its menu.
        ClickCell(d, 2, 0, mbRight);
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_EQ(menus[0], (std::vector<std::string>{"Select All", "Clear All"}));
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Min_Max, 64), "Y");
        // A right click on a data cell opens nothing.
        ClickCell(d, 3, 4, mbRight);
        EXPECT_EQ(menus.size(), 1u);

        ClickTab(*w.PC_DALI, 2);
        ASSERT_EQ(w.PC_DALI->ActivePage(), w.TS_Functions);
        EXPECT_FALSE(w.Btn_SelectAll->Visible());
        EXPECT_TRUE(w.Btn_PasteRow->Visible());
        TExColumnGrid& fun = *w.ECG;
        ChooseCell(f, fun, DALI_Fun_Col::Function, 1, "Tog");
        // The Value list takes typed text too: the item is picked with the
        // arrow keys in the open list ("Vacant" is its twelfth item).
        ActivateWindowOf(f);
        fun.SetFocus();
        fun.FocusCell(DALI_Fun_Col::Value, 1);
        PressKey(f, VK_F2);
        PressKey(f, VK_DOWN, TShiftState{ssAlt});
        for (int i = 0; i < 12; ++i) PressKey(f, VK_DOWN);
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(fun.GetCellEx(DALI_Fun_Col::Value, 1), "Vacant");
        EXPECT_EQ(fun.GetCellEx(DALI_Fun_Col::Condition, 1), "NAND Logic with Value");
        TypeCell(f, fun, DALI_Fun_Col::Mnemonic, 1, "hall");

        ClickTab(*w.PC_DALI, 1);
        ASSERT_EQ(w.PC_DALI->ActivePage(), w.TS_Set_Access);
        TExColumnGrid& sa = *w.ESG;
        ChooseCell(f, sa, DALI_SA_Col::DevSen, 1, "Sen");
        ChooseCell(f, sa, DALI_SA_Col::Type, 1, "Lig");
        EXPECT_EQ(sa.GetCellEx(DALI_SA_Col::Type, 1), "Light Sensor");
        ChooseCell(f, sa, DALI_SA_Col::Function, 1, "1");
        EXPECT_EQ(sa.GetCellEx(DALI_SA_Col::Function, 1), "1 - hall");
        for (const auto& [col, text] : std::vector<std::pair<int, std::string>>{{DALI_SA_Col::Ch_Number, "2"},
                                                                                {DALI_SA_Col::Instance, "1"},
                                                                                {DALI_SA_Col::Command, "9"},
                                                                                {DALI_SA_Col::Time_Send, "500"},
                                                                                {DALI_SA_Col::TimeOut, "900"},
                                                                                {DALI_SA_Col::Position, "4"}})
            TypeCell(f, sa, col, 1, text);
        EXPECT_TRUE(Checked(sa, DALI_SA_Col::Enable, 1));
        ClickCell(sa, DALI_SA_Col::Enable, 1);
        EXPECT_FALSE(Checked(sa, DALI_SA_Col::Enable, 1));
        ClickCell(sa, DALI_SA_Col::Enable, 1);
        EXPECT_TRUE(Checked(sa, DALI_SA_Col::Enable, 1));

        ClickTab(*w.PC_DALI, 2);
        ClickButton(*w.Btn_OK);
    });
    main->Btn_Click(main->Btn_DALI_Access);  // hidden in this build
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    EXPECT_EQ(FDALI_Access->ModalResult(), mrOk);
    const std::string devices = ReadFile(File_DALI_Access);
    EXPECT_NE(devices.find("<DALI_ID_DEVICE_0>1</DALI_ID_DEVICE_0>\n\t<DALI_ID_DEVICE_0_MIN_MAN_VALUE>1"),
              std::string::npos);
    EXPECT_NE(devices.find("<DALI_ID_DEVICE_5>1</DALI_ID_DEVICE_5>"), std::string::npos);
    EXPECT_NE(devices.find("<DALI_ID_DEVICE_1>0</DALI_ID_DEVICE_1>"), std::string::npos);
    EXPECT_EQ(ReadFile(File_DALI2_Access),
              "<DALI2_Access>\n\t<DALI2_Functions_Rules>\n"
              "\t\t<row Function=\"Toggle\" Condition=\"NAND Logic with Value\" Value=\"Vacant\" Channel=\"\" "
              "Val=\"\" Next_Function=\"\" Mnemonic=\"hall\" />\n"
              "\t</DALI2_Functions_Rules>\n\t<DALI2_SetAccess_Rules>\n"
              "\t\t<row Enable=\"Y\" DeviceSensor=\"Sensor\" Type=\"Light Sensor\" ChannelNumber=\"2\" "
              "Instance=\"1\" Command=\"9\" TimeSend=\"500\" TimeOut=\"900\" Function=\"1 - hall\" Position=\"4\" "
              "NumBytes=\"\" Mnemonic=\"\" />\n"
              "\t</DALI2_SetAccess_Rules>\n</DALI2_Access>\n<!--SW_VERSION = 1.305-->\n");

    // The next opening shows the Functions page, where it was closed.
    acts.push_back([&](TForm&) {
        TFDALI_Access& w = *FDALI_Access;
        EXPECT_EQ(w.PC_DALI->ActivePage(), w.TS_Functions);
        EXPECT_FALSE(w.Btn_SelectAll->Visible());
        EXPECT_FALSE(w.Btn_ClearAll->Visible());
        EXPECT_TRUE(w.Btn_DelRow->Visible());
        EXPECT_EQ(w.ECG->GetCellEx(DALI_Fun_Col::Mnemonic, 1), "hall");
        EXPECT_EQ(w.ECG_DALI_Device->GetCellEx(DALI_Dev_Col::Enable, 6), "Y");
        ClickButton(*w.Btn_Cancel);
    });
    main->Btn_Click(main->Btn_DALI_Access);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(FDALI_Access->ModalResult(), mrCancel);
    SetPopupMenuHandler(oldMenu);
}
