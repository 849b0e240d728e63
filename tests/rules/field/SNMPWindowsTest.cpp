// The SNMP windows and the MIB step as a person drives them: opened through
// the main window's step handler (their buttons are hidden in this build),
// real keys into the cells, real presses on check boxes, tabs and buttons,
// the save dialog answered through its seam.
#include "../RuleWindowDriving.h"
#include "app/UWindows.h"
#include "platform/GridView.h"
#include "platform/Shell.h"
#include "rules/field/USNMPManagerAccess.h"
#include "rules/field/USNMP_Trap_Access.h"

#include <gtest/gtest.h>

using namespace UComon;

namespace {

// A press and a release in the middle of a cell.
void ClickCell(TExColumnGrid& g, int col, int row)
{
    const TPoint p = Mid(g.CellRect(col, row));
    SendMouseDown(*g.View(), p.X, p.Y);
    SendMouseUp(*g.View(), p.X, p.Y);
    Application_ProcessMessages();
}

void ClickTab(TExPageControl& pc, int page)
{
    const TPoint p = Mid(pc.PageTabRect(page));
    SendMouseDown(pc, p.X, p.Y);
    SendMouseUp(pc, p.X, p.Y);
}

std::vector<std::string> Numbers(TExColumnGrid& g, int rows)
{
    std::vector<std::string> n;
    for (int r = 1; r <= rows; ++r) n.push_back(g.GetCellEx(0, r));
    return n;
}

using SNMPWindows = RuleWindowsFixture;

} // namespace

TEST_F(SNMPWindows, AgentObjectTypedNumberedAndSaved)
{
    using namespace SNMP_Read_Col;
    // Row 1's community name is typed below.
    WriteFile(File_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read>"
                              "<row Enable=\"Y\" Community_Name=\"\"/>"
                              "<row Enable=\"N\" Community_Name=\"Korvan\"/>"
                              "<row Enable=\"Y\" Community_Name=\"Korvan\"/>"
                              "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>");
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FSNMP_Trap_Access);
        TFSNMP_Trap_Access& w = *FSNMP_Trap_Access;
        EXPECT_EQ(f.Caption(), "Set SNMP Trap Access");
        EXPECT_EQ(f.ClientWidth(), 1256);
        EXPECT_EQ(w.PageControl1->ActivePage(), w.TS_SNMP_Read);
        EXPECT_EQ(w.TS_SNMP_Write->Caption(), "SNMP Write");
        TExColumnGrid& g = *w.ECG_SNMP_Read;
        EXPECT_EQ(g.RowCount(), 257);
        // Rows 1 and 3 enabled, row 2 disabled.
        EXPECT_EQ(Numbers(g, 4), (std::vector<std::string>{"1", "", "2", "3"}));
        // A press and a release tick row 2's Enable: the numbers follow.
        ClickCell(g, Enable, 2);
        EXPECT_EQ(g.GetCellEx(Enable, 2), "Y");
        EXPECT_EQ(Numbers(g, 4), (std::vector<std::string>{"1", "2", "3", "4"}));
        // Sixteen characters typed, fifteen kept.
        TypeCell(f, g, Community, 1, "public0123456789");
        EXPECT_EQ(g.GetCellEx(Community, 1), "public012345678");
        TypeCell(f, g, Description, 1, "temperature12345");
        EXPECT_EQ(g.GetCellEx(Description, 1), "temperature1234");
        ChooseCell(f, g, Type, 1, "I");
        ChooseCell(f, g, Position, 1, "10");
        ChooseCell(f, g, Bit, 1, "0");
        TypeCell(f, g, NumBits, 1, "16");
        TypeCell(f, g, IP_Address, 1, "192.168.2.10");
        ChooseCell(f, g, Conversion, 1, "N");
        // Rows 2 and 3 are enabled and incomplete: the first fault is shown.
        ClickButton(*w.Btn_OK);
        EXPECT_EQ(w.ModalResult(), mrNone);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Error row 2" + ULanguage::Text(3961));
        ClickCell(g, Enable, 2);
        ClickCell(g, Enable, 3);
        EXPECT_EQ(Numbers(g, 4), (std::vector<std::string>{"1", "", "", "2"}));
        ClickButton(*w.Btn_OK);
    });
    main->Btn_Click(main->Btn_SNMP_Trap);  // hidden in this build
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(FSNMP_Trap_Access->ModalResult(), mrOk);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(ReadFile(File_SNMP_Trap),
              "<SNMP_Trap>\n\t<SNMP_Trap_Read>\n"
              "\t\t<row Enable=\"Y\" Community_Name=\"public012345678\" Type=\"Int\" On_Change=\"N\" "
              "On_Command=\"N\" On_Timer=\"N\" Time=\"\" Position=\"10\" Bit=\"0\" NumBits=\"16\" "
              "Description=\"temperature1234\" IP_Address=\"192.168.2.10\" Conversion=\"None\" Mnemonic=\"\" />\n"
              "\t\t<row Enable=\"N\" Community_Name=\"Korvan\" Type=\"\" On_Change=\"N\" On_Command=\"N\" "
              "On_Timer=\"N\" Time=\"\" Position=\"\" Bit=\"\" NumBits=\"\" Description=\"\" IP_Address=\"\" "
              "Conversion=\"None\" Mnemonic=\"\" />\n"
              "\t\t<row Enable=\"N\" Community_Name=\"Korvan\" Type=\"\" On_Change=\"N\" On_Command=\"N\" "
              "On_Timer=\"N\" Time=\"\" Position=\"\" Bit=\"\" NumBits=\"\" Description=\"\" IP_Address=\"\" "
              "Conversion=\"None\" Mnemonic=\"\" />\n"
              "\t</SNMP_Trap_Read>\n\t<SNMP_Trap_Write />\n</SNMP_Trap>\n<!--SW_VERSION = 1.001-->\n");

    // The page shown last is shown again at the next opening.
    acts.push_back([&](TForm&) {
        TFSNMP_Trap_Access& w = *FSNMP_Trap_Access;
        ClickTab(*w.PageControl1, 1);
        EXPECT_EQ(w.PageControl1->ActivePage(), w.TS_SNMP_Write);
        ClickButton(*w.Btn_Cancel);
    });
    acts.push_back([&](TForm&) {
        TFSNMP_Trap_Access& w = *FSNMP_Trap_Access;
        EXPECT_EQ(w.PageControl1->ActivePage(), w.TS_SNMP_Write);
        // The row buttons act on the write page's grid.
        w.ECG_SNMP_Write->SetRow(1);
        w.ECG_SNMP_Write->SetCellEx(SNMP_Write_Col::Enable, 1, "N");
        ClickButton(*w.Btn_InsRow);
        EXPECT_EQ(w.ECG_SNMP_Write->GetCellEx(SNMP_Write_Col::Enable, 1), "Y");
        EXPECT_EQ(w.ECG_SNMP_Write->GetCellEx(SNMP_Write_Col::Enable, 2), "N");
        EXPECT_EQ(w.ECG_SNMP_Read->GetCellEx(Community, 2), "Korvan");
        ClickButton(*w.Btn_Cancel);
    });
    main->Btn_Click(main->Btn_SNMP_Trap);
    main->Btn_Click(main->Btn_SNMP_Trap);
    EXPECT_EQ(shown.size(), 3u);
}

TEST_F(SNMPWindows, ManagerRuleTypedAndSaved)
{
    using namespace SNMP_Manager_Col;
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FSNMPManagerAccess);
        EXPECT_EQ(f.Caption(), "Set SNMP Manager Access");
        EXPECT_EQ(f.ClientWidth(), 1230);
        TExColumnGrid& g = *FSNMPManagerAccess->ECG_SNMP;
        EXPECT_EQ(g.RowCount(), 513);
        EXPECT_EQ(g.GetCellEx(0, 512), "512");
        TypeCell(f, g, IP_Address, 1, "192.168.1.20");
        ChooseCell(f, g, Version, 1, "3");
        TypeCell(f, g, Community, 1, "Korvan");
        TypeCell(f, g, OID, 1, "1.3.6.1.2.1.1.5.0");
        TypeCell(f, g, Num_Bytes, 1, "4");
        ChooseCell(f, g, Conversion, 1, "N");
        TypeCell(f, g, User, 1, "operator");
        TypeCell(f, g, Auth_Pass, 1, "secret12");
        TypeCell(f, g, Priv_Pass, 1, "private1");
        ClickButton(*FSNMPManagerAccess->Btn_OK);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Error row 1" + ULanguage::Text(4083));
        ChooseCell(f, g, Security_Level, 1, "A");
        ClickButton(*FSNMPManagerAccess->Btn_OK);
        ASSERT_EQ(boxes.shown.size(), 2u);
        EXPECT_EQ(boxes.shown[1].text, "Error row 1" + ULanguage::Text(4084));
        ChooseCell(f, g, Auth_Mode, 1, "S");
        // A press and a release on the Cancel check box ticks it.
        ClickCell(g, Cancel, 1);
        ClickButton(*FSNMPManagerAccess->Btn_OK);
    });
    main->Btn_Click(main->Btn_SNMP_Manager_Access);  // hidden in this build
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(FSNMPManagerAccess->ModalResult(), mrOk);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(ReadFile(File_SNMP_Manager),
              "<SNMP_Manager_Access>\n"
              "\t<row Enable=\"Y\" IP_Address=\"192.168.1.20\" Version=\"3\" Community_String=\"Korvan\" "
              "OID=\"1.3.6.1.2.1.1.5.0\" Type=\"\" Mode=\"\" On_Change=\"\" On_Command=\"\" On_Timer=\"\" Time=\"\" "
              "Position=\"\" Number_Bytes=\"4\" ConvertFrom=\"None\" Cancel=\"Y\" User=\"operator\" "
              "Auth_Pass=\"secret12\" Priv_Pass=\"private1\" Security_Level=\"Auth NoPriv\" Auth_Mode=\"SHA\" "
              "Priv_Mode=\"\" Mnemonic=\"\" />\n"
              "</SNMP_Manager_Access>\n<!--SW_VERSION = 1.003-->\n");
}

TEST_F(SNMPWindows, MIBStepWritesTheFileChosenInTheSaveDialog)
{
    WriteFile(File_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read>"
                              "<row Enable=\"Y\" Type=\"Int\" Description=\"temp\"/>"
                              "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>");
    TFileDialogRequest asked;
    const TFileDialogHandler previous = SetFileDialogHandler([&](const TFileDialogRequest& r, std::string& name) {
        asked = r;
        name = PathJoin(dir.path(), "gateway");
        return true;
    });
    main->Btn_Click(main->Btn_SNMP_MIB);  // hidden in this build
    SetFileDialogHandler(previous);
    EXPECT_TRUE(asked.Save);
    EXPECT_EQ(asked.Filter, "Management Information Base (*.mib)|*.mib");
    EXPECT_EQ(asked.InitialDir, Project_Folder);
    EXPECT_TRUE(boxes.shown.empty());
    const std::string text = ReadFile(PathJoin(dir.path(), "gateway.mib"));
    EXPECT_EQ(text.rfind("GATEWAY DEFINITIONS ::= BEGIN\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\ntemp OBJECT-TYPE SYNTAX INTEGER "), std::string::npos);
    EXPECT_NE(text.find("\r\nEND\r\n"), std::string::npos);

    // Without a configuration the step asks nothing.
    Project_Folder.clear();
    bool opened = false;
    const TFileDialogHandler again = SetFileDialogHandler([&](const TFileDialogRequest&, std::string&) {
        opened = true;
        return false;
    });
    main->Btn_Click(main->Btn_SNMP_MIB);
    SetFileDialogHandler(again);
    EXPECT_FALSE(opened);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ULanguage::Text(18));
}
