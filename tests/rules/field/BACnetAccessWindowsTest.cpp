// The BACnet client rules window as a person drives it (no button of this
// build opens it: the window table does): a rule typed, the byte-count hint
// asked over the read grid, the EDE import with the open-file dialog
// answered and the selection dialog clicked and typed into, then OK.
#include "../RuleWindowDriving.h"
#include "app/UWindows.h"
#include "platform/Shell.h"
#include "rules/field/UBACnetAccess.h"
#include "rules/field/UImportEDEFile.h"

#include <gtest/gtest.h>

using namespace UComon;

namespace {

// The standard EDE layout: a title line, the marker on line 7; Valve and
// Pump are settable.
const char* const Device_EDE =
    "# Proposal_Engineering-Data-Exchange\r\n"
    "PROJECT_NAME;Boiler house\r\nVERSION_OF_REFERENCEFILE;3\r\nTIMESTAMP_OF_LAST_CHANGE;2024-04-03\r\n"
    "AUTHOR_OF_LAST_CHANGE;someone\r\nVERSION_OF_LAYOUT;2.2\r\n"
    "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;optional;optional;optional;\r\n"
    "# keyname;device obj.-instance;object-name;object-type;object-instance;description;present-value-default;"
    "min-present-value;max-present-value;settable;\r\n"
    "dev;1001;Boiler;8;1001;The device;;;;;\r\n"
    "k1;1001;Supply;0;1;Supply temperature;;;;N;\r\n"
    "k2;1001;Valve;1;2;Valve position;;0;100;Y;\r\n"
    "k3;1001;Pump;5;3;Pump command;;;;y;\r\n"
    "k4;1001;Mode;19;4;Operating mode;;;;;\r\n";

class BACnetAccessWindows : public RuleWindowsFixture {
protected:
    void SetUp() override
    {
        RuleWindowsFixture::SetUp();
        Last_EDE_Folder.clear();
        oldDialog = SetFileDialogHandler([this](const TFileDialogRequest& r, std::string& name) {
            requests.push_back(r);
            if (files.empty()) return false;
            name = files.front();
            files.erase(files.begin());
            return !name.empty();
        });
    }
    void TearDown() override
    {
        SetFileDialogHandler(oldDialog);
        RuleWindowsFixture::TearDown();
    }
    void Type(const std::string& type)
    {
        WriteFile(File_ParGen, "<Par_Gen>\n\t<BACnet_Master_Type>" + type + "</BACnet_Master_Type>\n</Par_Gen>\n");
    }
    static void Click_Cell(TExColumnGrid& g, int col, int row)
    {
        TGridView& v = *g.View();
        const TPoint at = Mid(g.CellRect(g.DisplColIndex(col), row));
        SendMouseDown(v, at.X, at.Y);
        SendMouseUp(v, at.X, at.Y);
        Application_ProcessMessages();
    }
    // The hint shown when the pointer rests on a cell (real column).
    static std::string Cell_Hint(TExColumnGrid& g, int col, int row)
    {
        TGridView& v = *g.View();
        const TPoint at = Mid(g.CellRect(g.DisplColIndex(col), row));
        SendMouseMove(v, at.X, at.Y, TShiftState{});
        SendHintRequest(v, at.X, at.Y);
        const THintWindow* hint = ShownApplicationHint();
        return hint ? hint->Caption() : std::string();
    }
    // Types at the end of an edit's text, after backspaces.
    static void Type_Into(TForm& window, TEdit& edit, const std::string& text, int backspaces = 0)
    {
        ActivateWindowOf(window);
        edit.SetFocus();
        PressKey(window, VK_END);
        for (int i = 0; i < backspaces; ++i) PressKey(window, VK_BACK);
        TypeKeys(window, text);
    }
    std::string Import()
    {
        const std::string file = dir.file("device.csv");
        WriteFile(file, Device_EDE);
        return file;
    }
    TFileDialogHandler oldDialog;
    std::vector<TFileDialogRequest> requests;
    std::vector<std::string> files;  // the answers of the file dialogs ("": cancelled)
};

} // namespace

TEST_F(BACnetAccessWindows, RuleTypedObjectsImportedAndSaved)
{
    ASSERT_NE(Window(TWindowId::BACnetAccess), nullptr);
    ASSERT_NE(Window(TWindowId::ImportEDEFile), nullptr);
    // Created last, the client window before the import dialog.
    const std::vector<TWindowId>& order = Created_Windows();
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order[order.size() - 2], TWindowId::BACnetAccess);
    EXPECT_EQ(order.back(), TWindowId::ImportEDEFile);
    Type("0");
    files = {Import()};
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FBACnetAccess);
        TFBACnetAccess& w = *FBACnetAccess;
        EXPECT_EQ(f.Caption(), "Set BACnet Access");
        EXPECT_EQ(w.TS_BACnet_Read->Caption(), "BACnet Read");
        EXPECT_EQ(w.TS_BACnet_Write->Caption(), "BACnet Write");
        EXPECT_EQ(w.Btn_Import_CSV->Caption(), "Import EDE");
        EXPECT_EQ(w.Btn_CopyRow, nullptr);
        EXPECT_EQ(w.Btn_PasteRow, nullptr);
        EXPECT_EQ(w.PageControl1->ActivePage(), w.TS_BACnet_Read);
        TExColumnGrid& r = *w.ECG1;
        using namespace BACnet_Read_Col;
        EXPECT_EQ(r.GetCellEx(Device, 0), "IP Address");
        TypeCell(f, r, Device, 1, "10.0.0.5");
        TypeCell(f, r, r.DisplColIndex(Object_Type), 1, "Binary Input");
        TypeCell(f, r, r.DisplColIndex(Instance), 1, "12");
        TypeCell(f, r, r.DisplColIndex(Property), 1, "Present Value (85)");
        EXPECT_EQ(r.GetCellEx(Object_Type, 1), "Binary Input");
        EXPECT_EQ(r.GetCellEx(Property, 1), "Present Value (85)");
        // The byte-count hint over the Property cell.
        EXPECT_EQ(Cell_Hint(r, Property, 1), "1");
        TypeCell(f, r, r.DisplColIndex(NByte), 1, "1");
        TypeCell(f, r, r.DisplColIndex(Poll_Time), 1, "500");
        TypeCell(f, r, r.DisplColIndex(Max_Err), 1, "3");
        ChooseCell(f, r, r.DisplColIndex(Position), 1, "6");
        EXPECT_EQ(r.GetCellEx(Position, 1), "6");
        r.SetCellEx(Object_Type, 2, "Analog Value");
        r.SetCellEx(Property, 2, "Present Value (85)");
        EXPECT_EQ(Cell_Hint(r, Property, 2), "");
        r.SetCellEx(Object_Type, 2, "Accumulator");
        r.SetCellEx(Property, 2, "PreScale (185)");
        EXPECT_EQ(Cell_Hint(r, Property, 2), "5");
        r.SetCellEx(Object_Type, 2, "");
        r.SetCellEx(Property, 2, "");
        // The write grid has no hints.
        w.PageControl1->SetActivePage(w.TS_BACnet_Write);
        w.ECG2->SetCellEx(BACnet_Write_Col::Object_Type, 1, "Binary Output");
        w.ECG2->SetCellEx(BACnet_Write_Col::Property, 1, "Present Value (85)");
        EXPECT_EQ(Cell_Hint(*w.ECG2, BACnet_Write_Col::Property, 1), "");
        w.ECG2->SetCellEx(BACnet_Write_Col::Object_Type, 1, "");
        w.ECG2->SetCellEx(BACnet_Write_Col::Property, 1, "");
        w.PageControl1->SetActivePage(w.TS_BACnet_Read);

        // The selection dialog.
        acts.push_back([&](TForm& d) {
            ASSERT_EQ(&d, FImportEDEFile);
            TFImportEDEFile& e = *FImportEDEFile;
            EXPECT_EQ(d.Caption(), "Import BACnet EDE File");
            EXPECT_EQ(e.LID_IP->Caption(), "ID or IP address of the BACnet device");
            TExColumnGrid& g = *e.ECG;
            ASSERT_EQ(g.RowCount(), 5);
            EXPECT_EQ(g.GetCellEx(4, 1), "Supply");
            EXPECT_EQ(g.GetCellEx(5, 3), "5");
            EXPECT_EQ(g.GetCellEx(8, 2), "Y");
            EXPECT_EQ(g.GetCellEx(3, 2), "Y");
            // Write of a read-only object: refused, "N" put back.
            Click_Cell(g, 3, 1);
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, "Error line 1!! The Variable is only in read");
            EXPECT_EQ(g.GetCellEx(3, 1), "N");
            EXPECT_FALSE(e.List_EDE_Var[0].write);
            // Valve: read unticked, so it gives a write rule only.
            Click_Cell(g, 2, 2);
            EXPECT_EQ(g.GetCellEx(2, 2), "N");
            // Pump: write unticked.
            Click_Cell(g, 3, 3);
            EXPECT_FALSE(e.List_EDE_Var[2].write);
            // Unselect All, Select All, then Mode left out.
            ClickButton(*e.Btn_Unselect_All);
            for (int row = 1; row <= 4; ++row) EXPECT_EQ(g.GetCellEx(1, row), "N");
            ClickButton(*e.Btn_Select_All);
            for (int row = 1; row <= 4; ++row) EXPECT_EQ(g.GetCellEx(1, row), "Y");
            Click_Cell(g, 1, 4);
            EXPECT_FALSE(e.List_EDE_Var[3].import);
            // A wrong address keeps the dialog open with the choices.
            Type_Into(d, *e.E_ID_IP, "192.168.0");
            ClickButton(*e.Btn_OK);
            ASSERT_EQ(boxes.shown.size(), 2u);
            EXPECT_EQ(boxes.shown[1].text, "Error!! IP Address is not correct");
            EXPECT_EQ(d.ModalResult(), mrNone);
            EXPECT_FALSE(e.List_EDE_Var[3].import);
            Type_Into(d, *e.E_ID_IP, ".7");
            EXPECT_EQ(e.E_ID_IP->Text(), "192.168.0.7");
            ClickButton(*e.Btn_OK);
            EXPECT_EQ(d.ModalResult(), mrOk);
        });
        ClickButton(*w.Btn_Import_CSV);
        EXPECT_EQ(r.GetCellEx(Mnemonic, 2), "Supply - Supply temperature");
        EXPECT_EQ(r.GetCellEx(Position, 2), "7");
        ClickButton(*w.Btn_OK);
    });
    Show_Window(TWindowId::BACnetAccess);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(acts.empty());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(FBACnetAccess->ModalResult(), mrOk);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].Save);
    EXPECT_EQ(requests[0].Filter, "BACnet EDE File (*.csv)|*.csv");
    EXPECT_EQ(Last_EDE_Folder, dir.path());
    EXPECT_EQ(ReadFile(File_BACnet_Master_Access),
              "<BACnet_Master_Access>\n\t<BACnet_Read>\n"
              "\t\t<row Enable=\"Y\" IP_Address_Slave_ID=\"10.0.0.5\" Object_Type=\"Binary Input\" Instance=\"12\" "
              "Property=\"Present Value (85)\" NumByte=\"1\" Enable_Destination=\"\" Destination_Network=\"\" "
              "Destination_Length=\"\" Destination_Address=\"\" PollTime=\"500\" MaxError=\"3\" Position=\"6\" "
              "StartBit=\"\" Swap=\"\" Mnemonic=\"\" />\n"
              "\t\t<row Enable=\"Y\" IP_Address_Slave_ID=\"192.168.0.7\" Object_Type=\"Analog Input\" Instance=\"1\" "
              "Property=\"Present Value (85)\" NumByte=\"4\" Enable_Destination=\"N\" Destination_Network=\"\" "
              "Destination_Length=\"\" Destination_Address=\"\" PollTime=\"1000\" MaxError=\"0\" Position=\"7\" "
              "StartBit=\"0\" Swap=\"N\" Mnemonic=\"Supply - Supply temperature\" />\n"
              "\t\t<row Enable=\"Y\" IP_Address_Slave_ID=\"192.168.0.7\" Object_Type=\"Binary Value\" Instance=\"3\" "
              "Property=\"Present Value (85)\" NumByte=\"1\" Enable_Destination=\"N\" Destination_Network=\"\" "
              "Destination_Length=\"\" Destination_Address=\"\" PollTime=\"1000\" MaxError=\"0\" Position=\"11\" "
              "StartBit=\"0\" Swap=\"N\" Mnemonic=\"Pump - Pump command\" />\n"
              "\t</BACnet_Read>\n\t<BACnet_Write>\n"
              "\t\t<row Enable=\"Y\" IP_Address_Slave_ID=\"192.168.0.7\" Object_Type=\"Analog Output\" "
              "Data_Type=\"Real\" Instance=\"2\" Property=\"Present Value (85)\" Priority=\"0\" NumByte=\"4\" "
              "Enable_Destination=\"N\" Destination_Network=\"\" Destination_Length=\"\" "
              "Destination_Address=\"\" OnChange=\"N\" OnTimer=\"N\" PollTime=\"1000\" MaxError=\"0\" "
              "Position=\"0\" StartBit=\"0\" Swap=\"N\" Mnemonic=\"Valve - Valve position\" />\n"
              "\t</BACnet_Write>\n</BACnet_Master_Access>\n<!--SW_VERSION = 1.009-->\n");
}

TEST_F(BACnetAccessWindows, TheChosenFolderIsRememberedAndFullGridsSkip)
{
    const std::string sub = PathJoin(dir.path(), "other");
    ForceDirectories(sub);
    Type("1");
    // A name that does not exist: no selection dialog, the folder remembered.
    // Then the selection dialog cancelled: the folder of that name.
    // Then the dialog cancelled: nothing changes.
    files = {PathJoin(sub, "missing.csv"), Import(), ""};
    acts.push_back([&](TForm&) {
        TFBACnetAccess& w = *FBACnetAccess;
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(w.ECG1->GetCellEx(BACnet_Read_Col::Device, 0), "Slave ID");
        ClickButton(*w.Btn_Import_CSV);
        EXPECT_EQ(shown.size(), 1u);
        EXPECT_EQ(Last_EDE_Folder, sub);
        acts.push_back([&](TForm&) { ClickButton(*FImportEDEFile->Btn_Cancel); });
        ClickButton(*w.Btn_Import_CSV);
        EXPECT_EQ(shown.size(), 2u);
        EXPECT_EQ(Last_EDE_Folder, dir.path());
        ClickButton(*w.Btn_Import_CSV);
        EXPECT_EQ(Last_EDE_Folder, dir.path());
        EXPECT_EQ(w.ECG1->GetCellEx(BACnet_Read_Col::Device, 1), "");

        // 510 rules present, five objects chosen (Mode is not settable, so
        // four read rules and two write rules): two read rules fit.
        for (int r = 1; r <= 510; ++r) {
            w.ECG1->SetCellEx(BACnet_Read_Col::Device, r, "1");
            w.ECG1->SetCellEx(BACnet_Read_Col::Position, r, "0");
            w.ECG1->SetCellEx(BACnet_Read_Col::NByte, r, "1");
        }
        const std::string five = PathJoin(dir.path(), "five.csv");
        WriteFile(five, std::string(Device_EDE) + "k5;1001;Extra;2;5;Extra value;;;;N;\r\n");
        files = {five};
        acts.push_back([&](TForm& d) {
            TFImportEDEFile& e = *FImportEDEFile;
            EXPECT_EQ(e.ECG->RowCount(), 6);
            // The slave ID is checked under type 1.
            Type_Into(d, *e.E_ID_IP, "255");
            ClickButton(*e.Btn_OK);
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, "Error!! Slave ID must be between 0 and 254");
            Type_Into(d, *e.E_ID_IP, "7", 2);
            EXPECT_EQ(e.E_ID_IP->Text(), "27");
            ClickButton(*e.Btn_OK);
        });
        ClickButton(*w.Btn_Import_CSV);
        ASSERT_EQ(boxes.shown.size(), 2u);
        EXPECT_NE(boxes.shown[1].text.find(" 3 "), std::string::npos) << boxes.shown[1].text;
        EXPECT_EQ(w.ECG1->GetCellEx(BACnet_Read_Col::Device, 511), "27");
        EXPECT_EQ(w.ECG1->GetCellEx(BACnet_Read_Col::Mnemonic, 512), "Valve - Valve position");
        EXPECT_EQ(w.ECG1->GetCellEx(BACnet_Read_Col::Position, 512), "5");
        EXPECT_EQ(w.ECG2->GetCellEx(BACnet_Write_Col::Mnemonic, 2), "Pump - Pump command");
        ClickButton(*w.Btn_Cancel);
    });
    Show_Window(TWindowId::BACnetAccess);
    EXPECT_TRUE(acts.empty());
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].InitialDir, "");
    EXPECT_EQ(requests[1].InitialDir, sub);
    EXPECT_EQ(requests[2].InitialDir, dir.path());
    EXPECT_FALSE(FileExists(File_BACnet_Master_Access));
}

TEST_F(BACnetAccessWindows, AFileWithoutObjectsShowsOnePlaceholderRow)
{
    Type("2");
    const std::string empty = dir.file("empty.csv");
    WriteFile(empty, "a\r\nb\r\nc\r\n");
    files = {empty};
    acts.push_back([&](TForm&) {
        TFBACnetAccess& w = *FBACnetAccess;
        EXPECT_TRUE(w.ECG1->IsHiddenColumn(BACnet_Read_Col::Device));
        acts.push_back([&](TForm&) {
            TFImportEDEFile& e = *FImportEDEFile;
            EXPECT_EQ(e.ECG->RowCount(), 2);
            // A click on a check box of the placeholder row is ignored.
            Click_Cell(*e.ECG, 3, 1);
            Click_Cell(*e.ECG, 1, 1);
            EXPECT_EQ(e.ECG->GetCellEx(3, 1), "");
            EXPECT_EQ(e.ECG->GetCellEx(1, 1), "");
            EXPECT_TRUE(boxes.shown.empty());
            // Any text passes under type 2.
            ClickButton(*e.Btn_OK);
            EXPECT_EQ(FImportEDEFile->ModalResult(), mrOk);
        });
        ClickButton(*w.Btn_Import_CSV);
        EXPECT_EQ(w.ECG1->GetCellEx(BACnet_Read_Col::Object_Type, 1), "");
        ClickButton(*w.Btn_Cancel);
    });
    Show_Window(TWindowId::BACnetAccess);
    EXPECT_TRUE(acts.empty());
    EXPECT_TRUE(boxes.shown.empty());
}
