// The Modbus RTU and Modbus TCP master windows as a person drives them: no
// step opens them in this build, so they are opened through the window
// table; topics picked from the Topic cell's list with the keyboard, cells
// typed, buttons pressed with the mouse.
#include "../RuleWindowDriving.h"
#include "app/UWindows.h"
#include "core/ULanguage.h"
#include "platform/GridView.h"
#include "rules/field/UModbus_TCP_Master_Set_Access.h"
#include "rules/field/USetAccess.h"

#include <gtest/gtest.h>

using ULanguage::Text;
using namespace UComon;

namespace {

class ModbusWindows : public RuleWindowsFixture {
protected:
    void SetUp() override
    {
        RuleWindowsFixture::SetUp();
        WriteFile(File_MQTT_Set_Topic, "<MQTT_Set_Topic>\n\t<MQTT_Publish>\n\t\t<row Topic=\"plant/a\" />\n"
                                       "\t\t<row Topic=\"plant/b\" />\n\t\t<row Topic=\"plant/c\" />\n"
                                       "\t</MQTT_Publish>\n</MQTT_Set_Topic>\n<!--SW_VERSION = 1.002-->\n");
    }
    // Fills a read rule from its Slave ID column on: the list cells chosen,
    // the others typed.
    void Type_Read_Rule(TForm& f, TExColumnGrid& g, int first, int row, const std::string& topicKeys)
    {
        TypeCell(f, g, first, row, "17");
        ChooseCell(f, g, first + Modbus_Col::Read_Type, row, "H");
        TypeCell(f, g, first + Modbus_Col::Read_Address, row, "40001");
        TypeCell(f, g, first + Modbus_Col::Read_NPoint, row, "2");
        TypeCell(f, g, first + Modbus_Col::Read_Poll_Time, row, "1000");
        TypeCell(f, g, first + Modbus_Col::Read_Max_Error, row, "0");
        // The Topic column stands behind the two hidden columns.
        ChooseCell(f, g, g.DisplColIndex(first + Modbus_Col::Read_Topic), row, topicKeys);
    }
};

} // namespace

TEST_F(ModbusWindows, RTURuleWithAPickedTopic)
{
    ASSERT_NE(Window(TWindowId::SetAccess), nullptr);
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FSetAccess);
        TFSetAccess& w = *FSetAccess;
        EXPECT_EQ(f.Caption(), "Set Modbus Access");
        EXPECT_EQ(f.ClientWidth(), 956);
        EXPECT_EQ(w.PageControl1->ActivePage(), w.TS_Modbus_Read);
        EXPECT_FALSE(w.TS_Modbus_Write->TabVisible());
        TExColumnGrid& g = *w.ECG_Modbus_Read;
        EXPECT_TRUE(g.IsHiddenColumn(SetAccess_Col::Position));
        EXPECT_TRUE(g.IsHiddenColumn(SetAccess_Col::Start_Bit));
        EXPECT_FALSE(g.IsHiddenColumn(SetAccess_Col::Topic));
        Type_Read_Rule(f, g, SetAccess_Col::Slave_ID, 1, "2");
        EXPECT_EQ(g.GetCellEx(SetAccess_Col::Topic, 1), "2 - plant/b");
        EXPECT_EQ(w.Topics.ComboItem_Topic[0], 1);
        EXPECT_EQ(g.GetCellEx(SetAccess_Col::Type, 1), "Holding Register");
        ClickButton(*w.Btn_OK);
    });
    Show_Window(TWindowId::SetAccess);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    EXPECT_EQ(FSetAccess->ModalResult(), mrOk);
    EXPECT_EQ(ReadFile(File_ModbusM_SetAccess),
              "<EtherNetIP_to_Modbus>\n\t<Modbus_Read>\n"
              "\t\t<row Enable=\"Y\" Slave_ID=\"17\" Type=\"Holding Register\" Address=\"40001\" NPoint=\"2\" "
              "PollTime=\"1000\" MaxError=\"0\" Position=\"\" Bit=\"\" Swap=\"\" SwapWord=\"\" Index_Topic=\"1\" "
              "Mnemonic=\"\" />\n"
              "\t</Modbus_Read>\n\t<Modbus_Write />\n</EtherNetIP_to_Modbus>\n<!--SW_VERSION = 1.111-->\n");

    // Next opening: the stored index shows its topic; a fault keeps the window open.
    acts.push_back([&](TForm& f) {
        TFSetAccess& w = *FSetAccess;
        TExColumnGrid& g = *w.ECG_Modbus_Read;
        EXPECT_EQ(g.GetCellEx(SetAccess_Col::Topic, 1), "2 - plant/b");
        TypeCell(f, g, SetAccess_Col::NPoint, 1, "200");
        ClickButton(*w.Btn_OK);
        EXPECT_EQ(w.ModalResult(), mrNone);
        ClickButton(*w.Btn_Cancel);
    });
    Show_Window(TWindowId::SetAccess);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error row 1!! [Modbus Read] NPoint must be between 1 and 125");
}

TEST_F(ModbusWindows, TCPRuleWithAPickedTopic)
{
    ASSERT_NE(Window(TWindowId::Modbus_TCP_Master_Set_Access), nullptr);
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FModbus_TCP_Master_Set_Access);
        TFModbus_TCP_Master_Set_Access& w = *FModbus_TCP_Master_Set_Access;
        EXPECT_EQ(f.Caption(), "Set Modbus TCP Master Access");
        EXPECT_EQ(f.ClientWidth(), 1150);
        EXPECT_EQ(w.Btn_CopyRow->Caption(), "Copy Row");
        EXPECT_EQ(w.Btn_PasteRow->Caption(), "Paste Row");
        EXPECT_FALSE(w.TS_Modbus_Write->TabVisible());
        TExColumnGrid& g = *w.ECG_Modbus_Read;
        TypeCell(f, g, TCP_Col::IP_Address, 1, "192.168.1.125");
        TypeCell(f, g, TCP_Col::Port, 1, "502");
        Type_Read_Rule(f, g, TCP_Col::Slave_ID, 1, "plant/c");
        EXPECT_EQ(g.GetCellEx(TCP_Col::Topic, 1), "plant/c");
        ClickButton(*w.Btn_OK);
    });
    Show_Window(TWindowId::Modbus_TCP_Master_Set_Access);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->ModalResult(), mrOk);
    EXPECT_EQ(ReadFile(File_ModbusTCPM_SetAccess),
              "<PROFINET_Master_to_Modbus_TCP_Master>\n\t<Modbus_Read>\n"
              "\t\t<row Enable=\"Y\" IP_Address=\"192.168.1.125\" Port=\"502\" Slave_ID=\"17\" "
              "Type=\"Holding Register\" Address=\"40001\" NPoint=\"2\" PollTime=\"1000\" MaxError=\"0\" "
              "Position=\"\" Bit=\"\" Swap=\"\" SwapWord=\"\" Index_Topic=\"2\" Mnemonic=\"\" />\n"
              "\t</Modbus_Read>\n\t<Modbus_Write />\n</PROFINET_Master_to_Modbus_TCP_Master>\n");
}

TEST_F(ModbusWindows, EnterJumpAndHints)
{
    Opt_Jump_Field_Tables = true;
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FSetAccess->ECG_Modbus_Read;
        ActivateWindowOf(f);
        g.SetFocus();
        g.FocusCell(SetAccess_Col::Address, 2);
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(g.Col(), SetAccess_Col::NPoint);
        // The hint of the Topic column, behind the hidden columns 8 and 9.
        EXPECT_EQ(Header_Hint(g, g.DisplColIndex(SetAccess_Col::Topic)), "Select the Topic from the List");
        ClickButton(*FSetAccess->Btn_Cancel);
    });
    Show_Window(TWindowId::SetAccess);
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FModbus_TCP_Master_Set_Access->ECG_Modbus_Read;
        ActivateWindowOf(f);
        g.SetFocus();
        g.FocusCell(TCP_Col::Port, 2);
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(g.Col(), TCP_Col::Port);
        EXPECT_EQ(g.Row(), 2);
        // Neither grid shows hints.
        EXPECT_EQ(Header_Hint(g, TCP_Col::Port), "");
        ClickButton(*FModbus_TCP_Master_Set_Access->Btn_Cancel);
    });
    Show_Window(TWindowId::Modbus_TCP_Master_Set_Access);
    EXPECT_EQ(shown.size(), 2u);
    Opt_Jump_Field_Tables = false;
}

TEST_F(ModbusWindows, RowButtonsActOnTheReadRulesAndLanguageChange)
{
    acts.push_back([&](TForm&) {
        TFSetAccess& w = *FSetAccess;
        TExColumnGrid& g = *w.ECG_Modbus_Read;
        g.SetCellEx(SetAccess_Col::Slave_ID, 1, "9");
        g.SetRow(1);
        ClickButton(*w.Btn_InsRow);
        EXPECT_EQ(g.GetCellEx(SetAccess_Col::Enable, 1), "Y");
        EXPECT_EQ(g.GetCellEx(SetAccess_Col::Slave_ID, 2), "9");
        boxes.Answer(mrNo);
        ClickButton(*w.Btn_DelRow);
        EXPECT_EQ(g.GetCellEx(SetAccess_Col::Slave_ID, 2), "9");
        ClickButton(*w.Btn_Cancel);
    });
    Show_Window(TWindowId::SetAccess);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Are you sure to delete the Row number 1");

    UI_Texts.Put(1300, "Accesso Modbus");
    UI_Texts.Put(1506, "Lettura");
    main->Change_Language();
    EXPECT_EQ(FSetAccess->Caption(), "Accesso Modbus");
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->TS_Modbus_Read->Caption(), "Lettura");
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->Btn_CopyRow->Caption(), "Copy Row");
}
