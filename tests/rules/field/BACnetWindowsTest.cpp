// The BACnet server objects window as a person drives it: opened by the
// main window's step (its button is hidden in this build), data types
// chosen in the list cells with the keys, cells typed, the unit picker
// opened with a double click and answered with the mouse and keys.
#include "../RuleWindowDriving.h"
#include "app/UWindows.h"
#include "platform/DateUtils.h"
#include "platform/GridView.h"
#include "platform/Input.h"
#include "platform/Shell.h"
#include "rules/field/UBACnetSlaveSetAccess.h"
#include "rules/field/UBACnet_Eng_Unit.h"

#include <gtest/gtest.h>

using namespace UComon;
using namespace BACnet_Slave_Col;

namespace {

TDateTime Fixed_Clock() { return EncodeDate(2024, 4, 3) + EncodeTime(9, 5, 30, 0); }

class BACnetWindows : public RuleWindowsFixture {
protected:
    void Mode(const std::string& limit)
    {
        WriteFile(File_ParGen, "<Par_Gen>\n\t<BACnet_Desc_Chars_Limit>" + limit + "</BACnet_Desc_Chars_Limit>\n</Par_Gen>\n");
    }
    // Chooses item index of a list of the picker with the keys.
    static void Choose(TForm& picker, TComboBox& list, int index)
    {
        list.SetFocus();
        PressKey(picker, VK_HOME);
        for (int i = 0; i < index; ++i) PressKey(picker, VK_DOWN);
    }
    // Chooses a data type in the list cell of a row with the keys: the list
    // opened with F2, Home, then a letter (or none) and Down pressed times,
    // Enter. (A blank typed into a closed list drops it down, so names are
    // not typed beyond their first word.)
    static void ChooseType(TForm& window, TExColumnGrid& g, int row, const std::string& letter, int downs)
    {
        ActivateWindowOf(window);
        g.SetFocus();
        g.FocusCell(Data_Type, row);
        PressKey(window, VK_F2);
        PressKey(window, VK_HOME);
        TypeKeys(window, letter);
        for (int i = 0; i < downs; ++i) PressKey(window, VK_DOWN);
        PressKey(window, VK_RETURN, {}, "\r");
    }
    // Double-clicks a cell of the grid as the window system delivers it.
    static void DoubleClick(TExColumnGrid& g, int col, int row)
    {
        TGridView& v = *g.View();
        const TPoint at = Mid(g.CellRect(g.DisplColIndex(col), row));
        SendMouseMove(v, at.X, at.Y, TShiftState{});
        SendDblClick(v, at.X, at.Y);
        Application_ProcessMessages();
    }
    // The picker's actions: "Temperature", "degrees-Celsius", "Select
    // Engineering Unit", then OK (or Cancel).
    void Pick_Celsius(bool ok)
    {
        acts.push_back([this, ok](TForm& f) {
            ASSERT_EQ(&f, FBACnet_Eng_Unit);
            TFBACnet_Eng_Unit& p = *FBACnet_Eng_Unit;
            ActivateWindowOf(f);
            Choose(f, *p.CB_Select_Type, 16);
            EXPECT_EQ(p.CB_Select_Type->Text(), "Temperature");
            Choose(f, *p.CB_Select_Unit, 0);
            EXPECT_EQ(p.CB_Select_Unit->Text(), "degrees-Celsius");
            ClickButton(*p.Btn_Select_Eng_Unit);
            EXPECT_EQ(p.Label5->Caption(), "-> degrees-Celsius");
            ClickButton(ok ? *p.Btn_OK : *p.Btn_Cancel);
        });
    }
};

} // namespace

TEST_F(BACnetWindows, ObjectsChosenTypedAndSaved)
{
    ASSERT_NE(Window(TWindowId::BACnetSlaveSetAccess), nullptr);
    ASSERT_NE(Window(TWindowId::BACnet_Eng_Unit), nullptr);
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FBACnetSlaveSetAccess);
        TFBACnetSlaveSetAccess& w = *FBACnetSlaveSetAccess;
        EXPECT_EQ(f.Caption(), "BACnet Set Access");
        EXPECT_EQ(f.ClientWidth(), 764);
        EXPECT_EQ(w.TS_BACnet_in_Read->Caption(), "BACnet in Read");
        EXPECT_EQ(w.TS_BACnet_in_Write->Caption(), "BACnet in Write");
        EXPECT_EQ(w.PageControl1->ActivePage(), w.TS_BACnet_in_Read);
        EXPECT_FALSE(w.Desc_Lenght());
        TExColumnGrid& r = *w.ECG_BACnet_in_Read;
        EXPECT_EQ(r.RowCount(), 2001);
        EXPECT_TRUE(r.IsHiddenColumn(Swap));
        EXPECT_EQ(r.GetCellEx(Eng_Unit, 0), "Eng. Unit");
        ChooseType(f, r, 1, "", 0);
        EXPECT_EQ(r.GetCellEx(Data_Type, 1), "Analog Input");
        // No length default on the read page.
        EXPECT_EQ(r.GetCellEx(Length, 1), "");
        TypeCell(f, r, Eng_Unit, 1, "62");
        ChooseCell(f, r, Position, 1, "10");
        TypeCell(f, r, Length, 1, "4");
        TypeCell(f, r, r.DisplColIndex(Mnemonic), 1, "Flow");

        // The write page: a chosen data type puts in its length.
        w.PageControl1->SetActivePage(w.TS_BACnet_in_Write);
        TExColumnGrid& g = *w.ECG_BACnet_in_Write;
        struct Choice {
            const char* letter;
            int downs;
            const char* type;
            const char* length;
        } choices[] = {{"L", 0, "Large Analog Value", "8"}, {"", 0, "Analog Out", "4"}, {"B", 1, "Binary Value", "1"}};
        for (int i = 0; i < 3; ++i) {
            ChooseType(f, g, i + 1, choices[i].letter, choices[i].downs);
            EXPECT_EQ(g.GetCellEx(Data_Type, i + 1), choices[i].type);
            EXPECT_EQ(g.GetCellEx(Length, i + 1), choices[i].length) << choices[i].type;
            TypeCell(f, g, Eng_Unit, i + 1, "95");
            ChooseCell(f, g, Position, i + 1, std::to_string(100 + 8 * i));
        }
        ChooseCell(f, g, Bit, 3, "5");
        // A length typed over the default stays.
        TypeCell(f, g, Length, 2, "2");
        ClickButton(*w.Btn_OK);
    });
    main->Btn_Click(main->Btn_BACnet_SetAccess);  // hidden in this build
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    EXPECT_EQ(FBACnetSlaveSetAccess->ModalResult(), mrOk);
    EXPECT_EQ(ReadFile(File_BACnet_Slave_SetAccess),
              "<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n"
              "\t\t<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"10\" Bit=\"\" Length=\"4\" Swap=\"\" "
              "Mnemonic=\"Flow\" />\n"
              "\t</BACnet_in_Read>\n\t<BACnet_in_Write>\n"
              "\t\t<row Data_Type=\"Large Analog Value\" Eng_Unit=\"95\" Position=\"100\" Bit=\"\" Length=\"8\" "
              "Swap=\"\" Mnemonic=\"\" />\n"
              "\t\t<row Data_Type=\"Analog Out\" Eng_Unit=\"95\" Position=\"108\" Bit=\"\" Length=\"2\" Swap=\"\" "
              "Mnemonic=\"\" />\n"
              "\t\t<row Data_Type=\"Binary Value\" Eng_Unit=\"95\" Position=\"116\" Bit=\"5\" Length=\"1\" Swap=\"\" "
              "Mnemonic=\"\" />\n"
              "\t</BACnet_in_Write>\n</BACnet_to_Modbus>\n<!--SW_VERSION = 1.008-->\n");
}

TEST_F(BACnetWindows, DoubleClickOnAnEngUnitCellOpensThePicker)
{
    WriteFile(File_BACnet_Slave_SetAccess,
              "<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n"
              "\t\t<row Data_Type=\"Analog Input\" Eng_Unit=\"95\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
              "Mnemonic=\"a\" />\n"
              "\t</BACnet_in_Read>\n\t<BACnet_in_Write />\n</BACnet_to_Modbus>\n");
    acts.push_back([&](TForm& f) {
        TFBACnetSlaveSetAccess& w = *FBACnetSlaveSetAccess;
        TExColumnGrid& r = *w.ECG_BACnet_in_Read;
        ActivateWindowOf(f);
        r.SetFocus();
        // Cancel leaves the cell as it was.
        Pick_Celsius(false);
        DoubleClick(r, Eng_Unit, 1);
        EXPECT_EQ(shown.size(), 2u);
        EXPECT_EQ(r.GetCellEx(Eng_Unit, 1), "95");
        // OK: the picker's code is the cell's text, also once the grid's
        // editor has closed.
        Pick_Celsius(true);
        DoubleClick(r, Eng_Unit, 5);
        EXPECT_EQ(shown.size(), 3u);
        EXPECT_EQ(r.GetCellEx(Eng_Unit, 5), "62");
        r.SetFocus();
        PressKey(f, VK_DOWN);
        Application_ProcessMessages();
        EXPECT_EQ(r.GetCellEx(Eng_Unit, 5), "62");
        // A double click elsewhere opens nothing.
        DoubleClick(r, Length, 2);
        EXPECT_EQ(shown.size(), 3u);
        // The write page has the picker as well.
        w.PageControl1->SetActivePage(w.TS_BACnet_in_Write);
        TExColumnGrid& g = *w.ECG_BACnet_in_Write;
        g.SetFocus();
        Pick_Celsius(true);
        DoubleClick(g, Eng_Unit, 2);
        EXPECT_EQ(g.GetCellEx(Eng_Unit, 2), "62");
        ClickButton(*w.Btn_Cancel);
    });
    main->Btn_Click(main->Btn_BACnet_SetAccess);
    EXPECT_EQ(shown.size(), 4u);
    EXPECT_TRUE(acts.empty());
}

TEST_F(BACnetWindows, EveryShowingTakesTheModeOfTheParameterFile)
{
    Mode("1");
    acts.push_back([&](TForm&) {
        EXPECT_TRUE(FBACnetSlaveSetAccess->Desc_Lenght());
        EXPECT_EQ(FBACnetSlaveSetAccess->ECG_BACnet_in_Read->RowCount(), 1001);
        EXPECT_EQ(FBACnetSlaveSetAccess->ECG_BACnet_in_Write->RowCount(), 1001);
        ClickButton(*FBACnetSlaveSetAccess->Btn_Cancel);
    });
    main->Btn_Click(main->Btn_BACnet_SetAccess);
    Mode("2");
    acts.push_back([&](TForm&) {
        TFBACnetSlaveSetAccess& w = *FBACnetSlaveSetAccess;
        EXPECT_FALSE(w.Desc_Lenght());
        for (TExColumnGrid* g : {w.ECG_BACnet_in_Read, w.ECG_BACnet_in_Write}) {
            EXPECT_EQ(g->RowCount(), 2001);
            EXPECT_EQ(g->GetCellEx(0, 2000), "2000");
            EXPECT_EQ(g->GetCellEx(Mnemonic, 1500), "");
        }
        ClickButton(*w.Btn_Cancel);
    });
    main->Btn_Click(main->Btn_BACnet_SetAccess);
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(BACnetWindows, EDEStepAsksForTheNameAndBeforeReplacingAFile)
{
    const TNowSource clock = SetNowSource(Fixed_Clock);
    WriteFile(File_ParGen, "<Par_Gen>\n\t<BACnet_DEV_IDE>1234</BACnet_DEV_IDE>\n</Par_Gen>\n");
    WriteFile(File_BACnet_Slave_SetAccess,
              "<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n"
              "\t\t<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
              "Mnemonic=\"Flow\" />\n"
              "\t</BACnet_in_Read>\n\t<BACnet_in_Write />\n</BACnet_to_Modbus>\n");
    const std::string line = "1234_Flow_0;1234;Flow;0;0;Flow;62;\r\n";
    std::string chosen;
    bool confirm = false;
    std::vector<TFileDialogRequest> asked;
    const TFileDialogHandler previous = SetFileDialogHandler([&](const TFileDialogRequest& r, std::string& name) {
        asked.push_back(r);
        name = chosen;
        return confirm;
    });
    auto step = [&](const std::string& name, bool ok) {
        chosen = PathJoin(Project_Folder, name);
        confirm = ok;
        main->Btn_Click(main->Btn_BACnet_EDE_File);  // hidden in this build
    };
    // Cancel in the dialog writes nothing.
    step("plant", false);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].Save);
    EXPECT_EQ(asked[0].Filter, "CSV (MS-DOS) (*.csv)|*.csv");
    EXPECT_EQ(asked[0].InitialDir, Project_Folder);
    EXPECT_TRUE(ListFiles(Project_Folder).size() == 2u);
    // ".csv" is added unless the name ends so, in any case.
    struct Case {
        const char* name;
        const char* file;
    } cases[] = {{"plant", "plant.csv"}, {"PLANT.CSV", "PLANT.CSV"}, {"other.Csv", "other.Csv"},
                 {"plant.csv.txt", "plant.csv.txt.csv"}, {"csv", "csv.csv"}};
    for (const Case& c : cases) {
        step(c.name, true);
        const std::string text = ReadFile(PathJoin(Project_Folder, c.file));
        EXPECT_EQ(text.rfind("PROJECT_NAME; www.example.com--Plant;;;;;;\r\n", 0), 0u) << c.name;
        EXPECT_NE(text.find("TIMESTAMP_OF_LAST_CHANGE;09:05:30 03/04/2024;;;;;;\r\n"), std::string::npos);
        EXPECT_EQ(text.substr(text.size() - line.size()), line) << c.name;
    }
    EXPECT_TRUE(boxes.shown.empty());
    // An existing file is replaced only after Yes to the question.
    const std::string existing = PathJoin(Project_Folder, "plant.csv");
    WriteFile(existing, "kept");
    for (int answer : {mrNo, mrCancel, mrYes}) {
        boxes.shown.clear();
        boxes.Answer(answer);
        step("plant", true);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "The File already exists! Do you want to overwrite the file?");
        EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbYesNoCancel);
        EXPECT_EQ(ReadFile(existing) == "kept", answer != mrYes) << answer;
    }
    SetFileDialogHandler(previous);
    SetNowSource(clock);
}
