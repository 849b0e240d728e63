// The rule windows as a person drives them from the main window: real mouse
// presses and releases on the buttons, keys into the editors.
#include "../RuleWindowDriving.h"
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "image/UBoot.h"
#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Paths.h"
#include "platform/WindowImage.h"
#include "rules/can_mqtt/UDNet.h"
#include "rules/can_mqtt/UMQTT_Set_Access.h"
#include "rules/can_mqtt/UMQTT_Set_Topic.h"
#include "rules/can_mqtt/UReceiveCAN.h"
#include "rules/can_mqtt/UReceiveJ1939.h"
#include "rules/can_mqtt/UReceiveNMEA.h"
#include "rules/can_mqtt/USet_PDO_Access.h"
#include "rules/can_mqtt/USet_SDO_Client_Access.h"
#include "rules/can_mqtt/USet_SDO_Server_Access.h"
#include "rules/can_mqtt/UTransmitCAN.h"
#include "rules/can_mqtt/UTransmitJ1939.h"
#include "rules/can_mqtt/UTransmitNMEA.h"
#include "rules/can_mqtt/UTopicTemplate.h"
#include "platform/GridView.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using ULanguage::Text;
using namespace UComon;

namespace {

class RuleWindows : public RuleWindowsFixture {};

} // namespace

TEST_F(RuleWindows, TopicFromTheMainWindowReachesTheFileAndTheImage)
{
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FMQTT_Set_Topic);
        EXPECT_EQ(FMQTT_Set_Topic->PageControl1->ActivePageIndex(), 0);
        EXPECT_EQ(f.Caption(), Text(700));
        TExColumnGrid& g = *FMQTT_Set_Topic->ECG_Pub;
        // The list columns are chosen, the others typed.
        ChooseCell(f, g, Topic_Col::QoS, 1, "1");
        ChooseCell(f, g, Topic_Col::Data_Type, 1, "I");
        TypeCell(f, g, Topic_Col::Topic, 1, "plant/temp");
        TypeCell(f, g, Topic_Col::Dimension, 1, "2");
        TypeCell(f, g, Topic_Col::Position, 1, "$10");
        ClickButton(*FMQTT_Set_Topic->Btn_OK);
    });
    ClickButton(*main->Btn_MQTT_Set_Topic);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(FMQTT_Set_Topic->ModalResult(), mrOk);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_NE(ReadFile(File_MQTT_Set_Topic).find("<row Topic=\"plant/temp\" Retained=\"\" QoS=\"1\""),
              std::string::npos);

    // The next showing reads it back; Cancel leaves the file alone.
    const std::string written = ReadFile(File_MQTT_Set_Topic);
    acts.push_back([&](TForm& f) {
        EXPECT_EQ(FMQTT_Set_Topic->ECG_Pub->GetCellEx(Topic_Col::Topic, 1), "plant/temp");
        TypeCell(f, *FMQTT_Set_Topic->ECG_Pub, Topic_Col::Topic, 1, "changed");
        EXPECT_EQ(FMQTT_Set_Topic->ECG_Pub->GetCellEx(Topic_Col::Topic, 1), "changed");
        ClickButton(*FMQTT_Set_Topic->Btn_Cancel);
    });
    ClickButton(*main->Btn_MQTT_Set_Topic);
    EXPECT_EQ(ReadFile(File_MQTT_Set_Topic), written);

    // Update Device builds the image from that file.
    acts.push_back([&](TForm& f) { EXPECT_EQ(&f, FBoot); });
    ClickButton(*main->Btn_CreateBin);
    const std::string bank2 = ReadFile(PathJoin(Project_Folder, "bin/bank2.bin"));
    EXPECT_NE(bank2.find("plant/temp"), std::string::npos);
}

TEST_F(RuleWindows, AFailingRowKeepsTheWindowOpen)
{
    acts.push_back([&](TForm&) {
        TExColumnGrid& g = *FReceiveCAN->ECG_CAN_Receive;
        g.SetCellEx(2, 1, "0x800");
        g.SetCellEx(3, 1, URuleFiles::CAN::Type_11);
        g.SetCellEx(4, 1, "1");
        ClickButton(*FReceiveCAN->Btn_OK);
        EXPECT_EQ(FReceiveCAN->ModalResult(), mrNone);
        ClickButton(*FReceiveCAN->Btn_Cancel);
    });
    ClickButton(*main->Btn_CAN_Rec_Frame);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error row 1!! CobID must be between 0 and 2047");
    EXPECT_FALSE(FileExists(File_CAN_Rec_Frames));
}

TEST_F(RuleWindows, RowButtonsActOnTheActivePagesGrid)
{
    acts.push_back([&](TForm&) {
        TFMQTT_Set_Topic& w = *FMQTT_Set_Topic;
        w.ECG_Pub->SetCellEx(Topic_Col::Topic, 2, "a\x01" "b");
        w.ECG_Pub->SetCellEx(Topic_Col::Data_Type, 2, "String");
        w.ECG_Pub->SetCellEx(Topic_Col::Dimension, 2, "1");
        w.ECG_Pub->SetCellEx(Topic_Col::Position, 2, "0");
        w.ECG_Pub->SetRow(2);
        ClickButton(*w.Btn_CopyRow);
        // A row copied on the publish page cannot be pasted on the other.
        w.PageControl1->SetActivePage(w.TS_MQTT_Subscribe);
        ClickButton(*w.Btn_PasteRow);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, Text(1102));
        EXPECT_EQ(w.ECG_Sub->GetCellEx(Topic_Col::Topic, 1), "");
        // Back on the publish page it goes into row 1.
        w.PageControl1->SetActivePage(w.TS_MQTT_Publish);
        w.ECG_Pub->SetRow(1);
        ClickButton(*w.Btn_PasteRow);
        EXPECT_EQ(w.ECG_Pub->GetCellEx(Topic_Col::Topic, 1), "a\x01" "b");
        // Delete asks with the row number; No keeps the row.
        boxes.Answer(mrNo);
        ClickButton(*w.Btn_DelRow);
        EXPECT_EQ(boxes.shown.back().text, Text(723) + "1");
        EXPECT_EQ(w.ECG_Pub->GetCellEx(Topic_Col::Topic, 1), "a\x01" "b");
        ClickButton(*w.Btn_OK);
    });
    ClickButton(*main->Btn_MQTT_Set_Topic);
    EXPECT_EQ(FMQTT_Set_Topic->ModalResult(), mrOk);
    // The pasted control character does not make the file unreadable.
    acts.push_back([&](TForm&) {
        EXPECT_FALSE(FMQTT_Set_Topic->Frame().File_Unreadable());
        EXPECT_EQ(FMQTT_Set_Topic->ECG_Pub->GetCellEx(Topic_Col::Topic, 1), "ab");
        EXPECT_EQ(FMQTT_Set_Topic->ECG_Pub->GetCellEx(Topic_Col::Topic, 2), "ab");
        // A copy does not survive into the next showing.
        ClickButton(*FMQTT_Set_Topic->Btn_PasteRow);
        ClickButton(*FMQTT_Set_Topic->Btn_Cancel);
    });
    boxes.shown.clear();
    ClickButton(*main->Btn_MQTT_Set_Topic);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Text(1102));
}

TEST_F(RuleWindows, DeleteRowEmptiesTheLastRowWithItsEnableCell)
{
    acts.push_back([&](TForm&) {
        TExColumnGrid& g = *FReceiveCAN->ECG_CAN_Receive;
        EXPECT_EQ(g.GetCellEx(1, 512), "Y");
        g.SetCellEx(2, 1, "1");
        g.SetCellEx(2, 2, "2");
        g.SetRow(1);
        ClickButton(*FReceiveCAN->Btn_DelRow);
        EXPECT_EQ(g.GetCellEx(2, 1), "2");
        EXPECT_EQ(g.GetCellEx(1, 512), "");  // unticked
        EXPECT_EQ(g.GetCellEx(0, 512), "512");
        // Insert puts "Y" into the new row's Enable.
        g.SetCellEx(1, 1, "N");
        ClickButton(*FReceiveCAN->Btn_InsRow);
        EXPECT_EQ(g.GetCellEx(1, 1), "Y");
        EXPECT_EQ(g.GetCellEx(2, 1), "");
        EXPECT_EQ(g.GetCellEx(2, 2), "2");
        ClickButton(*FReceiveCAN->Btn_Cancel);
    });
    ClickButton(*main->Btn_CAN_Rec_Frame);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Text(2158) + "1");
}

TEST_F(RuleWindows, WindowsOfTheOtherModelsFromTheirStepHandlers)
{
    // PDO: Delete Row on row 1 of the 30-row page empties row 30.
    acts.push_back([&](TForm&) {
        TExColumnGrid& g = *FSet_PDO_Access->sga;
        for (int r = 1; r <= 30; ++r) g.SetCellEx(1, r, std::to_string(r));
        g.SetRow(1);
        ClickButton(*FSet_PDO_Access->Btn_DelRow);
        EXPECT_EQ(g.GetCellEx(1, 1), "2");
        EXPECT_EQ(g.GetCellEx(1, 30), "");
        ClickButton(*FSet_PDO_Access->Btn_Cancel);
    });
    main->Btn_Click(main->Btn_PDO_CANopen);
    // Access rules: Insert Row puts no "Y".
    acts.push_back([&](TForm&) {
        TExColumnGrid& g = *FMQTT_Set_Access->ECG_Pub;
        g.SetRow(1);
        ClickButton(*FMQTT_Set_Access->Btn_InsRow);
        EXPECT_EQ(g.GetCellEx(1, 1), "");
        EXPECT_EQ(g.GetCellEx(1, 2), "Y");
        ClickButton(*FMQTT_Set_Access->Btn_Cancel);
    });
    main->Btn_Click(main->Btn_MQTT_Set_Access);
    // SDO server: the clipboard is shared, the copy flag is the window's.
    acts.push_back([&](TForm&) {
        FSet_SDO_Server_Access->sga->SetCellEx(1, 1, "0x2000");
        FSet_SDO_Server_Access->sga->SetRow(1);
        ClickButton(*FSet_SDO_Server_Access->Btn_CopyRow);
        // A copy in another window replaces the clipboard with a row of
        // another width.
        acts.push_back([&](TForm&) {
            FDNet->ESG->SetRow(1);
            ClickButton(*FDNet->Btn_CopyRow);
            ClickButton(*FDNet->Btn_Cancel);
        });
        main->Btn_Click(main->Btn_DNet_Net);
        FSet_SDO_Server_Access->sga->SetRow(2);
        ClickButton(*FSet_SDO_Server_Access->Btn_PasteRow);
        ClickButton(*FSet_SDO_Server_Access->Btn_Cancel);
    });
    main->Btn_Click(main->Btn_SDO_Server_CANopen);
    ASSERT_EQ(boxes.shown.size(), 2u);  // the delete question and the paste error
    EXPECT_EQ(boxes.shown[0].text, Text(2391) + "1");
    EXPECT_EQ(boxes.shown[1].text, Text(1101));
    EXPECT_EQ(FSet_SDO_Server_Access->sga->GetCellEx(1, 2), "");
}

TEST_F(RuleWindows, LanguageChangeRetextsAllButTheAccessWindow)
{
    UI_Texts.Put(700, "Argomenti MQTT");
    UI_Texts.Put(715, "Argomento");
    UI_Texts.Put(719, "Inserire l'argomento");
    UI_Texts.Put(1400, "Accesso MQTT");
    main->Change_Language();
    EXPECT_EQ(FMQTT_Set_Topic->Caption(), "Argomenti MQTT");
    EXPECT_EQ(FMQTT_Set_Topic->ECG_Pub->Columns().Items(Topic_Col::Topic)->Header(), "Argomento");
    EXPECT_EQ(FMQTT_Set_Topic->Frame().Hint_List(0)[0], "Inserire l'argomento");
    EXPECT_EQ(FMQTT_Set_Access->Caption(), "MQTT Set Access");
}

TEST_F(RuleWindows, EnterJumpsToTheNextCellFromTheKeyboard)
{
    Opt_Jump_Field_Tables = true;
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FReceiveCAN->ECG_CAN_Receive;
        ActivateWindowOf(f);
        g.SetFocus();
        g.SetCol(3);
        g.SetRow(5);
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(g.Col(), 4);
        EXPECT_EQ(g.Row(), 5);
        // Enter ending an edit moves on as well: the value is kept.
        TypeKeys(f, "8");
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(g.GetCellEx(4, 5), "8");
        EXPECT_EQ(g.Col(), 5);
        EXPECT_EQ(g.Row(), 5);
        // And from a list cell, its editor opened by typing or with F2.
        g.SetCol(6);
        TypeKeys(f, "5");
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(g.GetCellEx(6, 5), "5");
        EXPECT_EQ(g.Col(), 7);
        PressKey(f, VK_F2);
        TypeKeys(f, "9");
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(g.GetCellEx(7, 5), "9");
        EXPECT_EQ(g.Col(), 8);
        EXPECT_EQ(g.Row(), 5);
        // From the last column of the last row to column 1 of row 1.
        g.SetCol(g.ColCount() - 1);
        g.SetRow(512);
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Row(), 1);
        ClickButton(*FReceiveCAN->Btn_Cancel);
    });
    ClickButton(*main->Btn_CAN_Rec_Frame);
    EXPECT_TRUE(boxes.shown.empty());
    Opt_Jump_Field_Tables = false;
}

// A key typed into a filled cell replaces its text, whether the editor was
// opened by a second click on the current cell, by F2 or by the key itself.
TEST_F(RuleWindows, TypingOverAFilledCellReplacesItsText)
{
    struct Edit {
        const char* what;
        int col;
        std::string old;
        bool f2;  // F2 opens the editor, else a second click on the cell
        std::string typed;
    };
    auto run = [&](TForm& f, TExColumnGrid& g, const std::vector<Edit>& edits) {
        int row = 1;
        for (const Edit& e : edits) {
            SCOPED_TRACE(e.what);
            g.SetCellEx(e.col, row, e.old);
            ActivateWindowOf(f);
            g.SetFocus();
            const TPoint p = Mid(g.CellRect(g.DisplColIndex(e.col), row));
            SendClick(*g.View(), p.X, p.Y);
            Application_ProcessMessages();
            ASSERT_EQ(g.Row(), row);
            ASSERT_FALSE(g.EditorMode());
            if (e.f2)
                PressKey(f, VK_F2);
            else
                SendClick(*g.View(), p.X, p.Y);
            Application_ProcessMessages();
            ASSERT_TRUE(g.EditorMode());
            TypeKeys(f, e.typed);
            PressKey(f, VK_RETURN, {}, "\r");
            Application_ProcessMessages();
            EXPECT_EQ(g.GetCellEx(e.col, row), e.typed);
            EXPECT_FALSE(g.EditorMode());
            ++row;
        }
    };
    acts.push_back([&](TForm& f) {
        using namespace Topic_Col;
        run(f, *FMQTT_Set_Topic->ECG_Pub,
            {{"Position, second click", Position, "1440", false, "7"},
             {"Dimension, second click", Dimension, "2", false, "4"},
             {"Position 0, second click", Position, "0", false, "5"},
             {"Topic, F2", Topic, "plant/old", true, "plant/new"}});
        ClickButton(*FMQTT_Set_Topic->Btn_Cancel);
    });
    ClickButton(*main->Btn_MQTT_Set_Topic);
    acts.push_back([&](TForm& f) {
        run(f, *FReceiveCAN->ECG_CAN_Receive,
            {{"COBID, second click", 2, "0x123", false, "5"}, {"COBID, F2", 2, "0x456", true, "0x7"}});
        ClickButton(*FReceiveCAN->Btn_Cancel);
    });
    ClickButton(*main->Btn_CAN_Rec_Frame);
    EXPECT_EQ(shown.size(), 2u);
}

// The rule grids keep Tab for the window: Tab while a cell is edited stores
// the typed text and moves the focus on to the next control, as it does
// when no cell is edited; Shift+Tab moves it back.
TEST_F(RuleWindows, TabInACellBeingEditedStoresItAndMovesTheFocusOn)
{
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FReceiveCAN->ECG_CAN_Receive;
        ActivateWindowOf(f);
        g.SetFocus();
        g.FocusCell(2, 3);
        TypeKeys(f, "1A0");
        ASSERT_TRUE(g.EditorMode());
        PressKey(f, VK_TAB, {}, "\t");
        EXPECT_EQ(g.GetCellEx(2, 3), "1A0");
        EXPECT_FALSE(g.EditorMode());
        EXPECT_FALSE(g.Focused());
        EXPECT_EQ(FocusedControl(f), FReceiveCAN->Btn_OK);
        // Back into the grid, a new edit, and Shift+Tab.
        g.SetFocus();
        g.FocusCell(2, 4);
        TypeKeys(f, "2B");
        PressKey(f, VK_TAB, {ssShift}, "\t");
        EXPECT_EQ(g.GetCellEx(2, 4), "2B");
        EXPECT_FALSE(g.EditorMode());
        EXPECT_FALSE(g.Focused());
        ClickButton(*FReceiveCAN->Btn_Cancel);
    });
    ClickButton(*main->Btn_CAN_Rec_Frame);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RuleWindows, RowsTypedIntoEveryRuleWindowAreCheckedAndWritten)
{
    using Cells = std::vector<std::pair<int, std::string>>;
    struct Case {
        const char* what;
        std::function<void()> open;     // as the program opens it
        TRuleWindow* window;
        const std::string* file;
        Cells preset;                   // check-box cells of row 1
        Cells chosen;                   // list cells of row 1: the item the text starts
        Cells bad;                      // typed into row 1, then refused with message
        std::string message;
        Cells fix;                      // typed, then row 1 passes
        std::string written;            // a piece of the written file
    };
    const std::string topics = "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"plant/a\"/></MQTT_Publish>"
                               "<MQTT_Subscribe/></MQTT_Set_Topic>";
    const Case cases[] = {
        // A frame without a type is checked against the 11-bit range.
        {"CAN receive", [&] { ClickButton(*main->Btn_CAN_Rec_Frame); }, FReceiveCAN, &File_CAN_Rec_Frames, {}, {},
         {{2, "0x800"}, {4, "1"}, {5, "0"}}, "Error row 1!! CobID must be between 0 and 2047", {{2, "0x7FF"}},
         "<row Enable=\"Y\" COBID=\"0x7FF\" CAN_Type=\"\" Dim=\"1\" TimeOut=\"0\""},
        {"CAN transmit", [&] { ClickButton(*main->Btn_CAN_Send_Frame); }, FTransmitCAN, &File_CAN_Send_Frames,
         {{7, "Y"}, {9, "5"}}, {{3, "2.0A"}}, {{2, "0x800"}, {4, "1"}}, "Error row 1!! CobID must be between 0 and 2047",
         {{2, "0x7FF"}, {8, "1000"}},
         "<row Enable=\"Y\" COBID=\"0x7FF\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" OnChange=\"\" OnCMD=\"\" OnTimer=\"Y\" "
         "Time=\"1000\" Byte1=\"5\""},
        {"MQTT access", [&] {
             WriteFile(File_MQTT_Set_Topic, topics);
             main->Btn_Click(main->Btn_MQTT_Set_Access);
         }, FMQTT_Set_Access, &File_MQTT_Set_Access, {}, {{2, "plant"}, {3, "I"}}, {{4, "3"}, {5, "0"}},
         "Error row 1!! [MQTT Publish] Dimension must be equal to 1 or 2 or 4 or 8", {{4, "2"}},
         "<row Enable=\"Y\" Index_Topic=\"0\" DataType=\"Int\" Dimension=\"2\" Position=\"0\""},
        {"CANopen PDO", [&] { main->Btn_Click(main->Btn_PDO_CANopen); }, FSet_PDO_Access, &File_PDO_CANopen, {}, {},
         {{1, "0x181"}, {2, "1"}, {3, "1440"}}, "Error row 1!! [Receive PDO] Address Byte1 must be between 0 and 1439",
         {{3, "5"}, {11, "0"}}, "<row COB-ID=\"0x181\" Dimension=\"1\" Address_B1=\"5\""},
        {"SDO client", [&] { main->Btn_Click(main->Btn_SDO_Client_CANopen); }, FSet_SDO_Client_Access,
         &File_SDO_Client_CANopen, {}, {}, {{1, "5"}, {2, "0x2000"}, {3, "0"}, {4, "3"}, {5, "100"}, {6, "0"}},
         "Error row 1!! [SDO Read] N Byte must be 1 or 2 or 4", {{4, "1"}},
         "<SDO_Read>\n\t\t<row Device_ID=\"5\" Index=\"0x2000\""},
        {"SDO server", [&] { main->Btn_Click(main->Btn_SDO_Server_CANopen); }, FSet_SDO_Server_Access,
         &File_SDO_Server_CANopen, {}, {}, {{1, "0x2000"}, {2, "0"}, {3, "3"}},
         "Error row 1!! [SDO in Read] N Byte must be 1 or 2 or 4", {{3, "1"}, {4, "7"}},
         "<row Index=\"0x2000\" SubIndex=\"0\" NByte=\"1\" Address_B1=\"7\""},
        {"DeviceNet slaves", [&] { main->Btn_Click(main->Btn_DNet_Net); }, FDNet, &File_DNETM_Net, {}, {},
         {{1, "64"}, {2, "0"}, {3, "0"}}, "Error in row 1!! ID must be 0 or 63", {{1, "0x3F"}},
         "<row ID=\"0x3F\" NB_IN=\"0\" NB_OUT=\"0\""},
        {"J1939 receive", [&] { Show_Window(TWindowId::ReceiveJ1939); }, FReceiveJ1939, &File_J1939_Rec_Frames,
         {}, {{1, "0"}}, {{2, "0x10000"}, {3, "0"}}, "Error in row 1!! PGN must be between 0x0000 and 0xFFFF",
         {{2, "0xFEF1"}}, "<row DP=\"0\" PGN=\"0xFEF1\" SA=\"0\""},
        {"J1939 transmit", [&] { Show_Window(TWindowId::TransmitJ1939); }, FTransmitJ1939, &File_J1939_Send_Frames,
         {}, {{2, "0"}}, {{1, "8"}, {3, "1"}, {4, "0"}, {5, "8"}}, "Error in row 1!! Priority must be between 0 and 7",
         {{1, "3"}}, "<row Priority=\"3\" DP=\"0\" PGN=\"1\""},
        {"NMEA 2000 receive", [&] { Show_Window(TWindowId::ReceiveNMEA); }, FReceiveNMEA, &File_NMEA_Rec_Frames, {}, {},
         {{1, "127250"}, {2, "240"}}, "Error in row 1!! Source Address must be between 0 and 239", {{2, "239"}},
         "<row PGN=\"127250\" SA=\"239\""},
        {"NMEA 2000 transmit", [&] { Show_Window(TWindowId::TransmitNMEA); }, FTransmitNMEA, &File_NMEA_Send_Frames,
         {}, {}, {{1, "2"}, {2, "127250"}, {3, "0"}, {5, "513"}}, "Error in row 1!! Num Byte must be between 0 and 512",
         {{5, "512"}}, "<Receive_NMEA_2000>\n\t<row Priority=\"2\" PGN=\"127250\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.window, nullptr);
        boxes.shown.clear();
        shown.clear();
        acts.push_back([&](TForm& f) {
            ASSERT_EQ(&f, c.window);
            TRuleWindow& w = *c.window;
            TExColumnGrid& g = *w.Grid(0);
            for (const auto& [col, text] : c.preset) g.SetCellEx(col, 1, text);
            for (const auto& [col, text] : c.chosen) ChooseCell(f, g, col, 1, text);
            for (const auto& [col, text] : c.bad) TypeCell(f, g, col, 1, text);
            ClickButton(*w.Btn_OK);
            EXPECT_EQ(w.ModalResult(), mrNone);
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, c.message);
            for (const auto& [col, text] : c.fix) TypeCell(f, g, col, 1, text);
            // Copy row 1 into row 2, then delete row 2 again (Yes).
            const int typed = c.bad[0].first;
            g.SetRow(1);
            ClickButton(*w.Btn_CopyRow);
            g.SetRow(2);
            ClickButton(*w.Btn_PasteRow);
            EXPECT_EQ(g.GetCellEx(typed, 2), g.GetCellEx(typed, 1));
            boxes.Answer(mrYes);
            ClickButton(*w.Btn_DelRow);
            EXPECT_EQ(g.GetCellEx(typed, 2), "");
            ClickButton(*w.Btn_OK);
        });
        c.open();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(c.window->ModalResult(), mrOk);
        ASSERT_EQ(boxes.shown.size(), 2u);  // the fault, the delete question
        const std::string file = ReadFile(*c.file);
        EXPECT_NE(file.find(c.written), std::string::npos) << file;
        // One rule: the pasted copy was deleted again.
        EXPECT_EQ(file.find("<row", file.find("<row") + 1), std::string::npos) << file;

        // Cancel after an edit writes nothing; the next showing reads the file.
        acts.push_back([&](TForm& f) {
            TRuleWindow& w = *c.window;
            TExColumnGrid& g = *w.Grid(0);
            EXPECT_EQ(g.GetCellEx(c.fix[0].first, 1), c.fix[0].second);
            TypeCell(f, g, c.fix[0].first, 1, "9");
            ClickButton(*w.Btn_Cancel);
        });
        c.open();
        EXPECT_EQ(ReadFile(*c.file), file);
    }
}

TEST_F(RuleWindows, TheMouseOnTheTopicGrids)
{
    Opt_DblClick_Auto_Size = true;
    acts.push_back([&](TForm& f) {
        TFMQTT_Set_Topic& w = *FMQTT_Set_Topic;
        TExColumnGrid& g = *w.ECG_Pub;
        TGridView& v = *g.View();
        ActivateWindowOf(f);
        g.SetFocus();
        // A click on a check box ticks it.
        const TPoint retained = Mid(g.CellRect(Topic_Col::Retained, 1));
        SendClick(v, retained.X, retained.Y);
        EXPECT_EQ(g.GetCellEx(Topic_Col::Retained, 1), "Y");
        // A check box behind hidden columns: a click ticks it, Space takes
        // the tick off again and leaves the cell out of edit mode.
        const TPoint box = Mid(g.CellRect(g.DisplColIndex(Topic_Col::Pub_OnCMD), 3));
        SendClick(v, box.X, box.Y);
        EXPECT_EQ(g.GetCellEx(Topic_Col::Pub_OnCMD, 3), "Y");
        PressKey(f, VK_SPACE, {}, " ");
        Application_ProcessMessages();
        EXPECT_EQ(g.GetCellEx(Topic_Col::Pub_OnCMD, 3), "N");
        EXPECT_FALSE(g.EditorMode());

        // A double click on a Template cell opens the template editor on it;
        // OK brings the lines back with CR LF.
        g.SetCellEx(Topic_Col::Pub_Template, 2, "old");
        acts.push_back([&](TForm& e) {
            ASSERT_EQ(&e, FTopicTemplate);
            EXPECT_EQ(e.Caption(), Text(1701));
            EXPECT_EQ(FTopicTemplate->RE_TopicTemplate->Text(), "old");
            FTopicTemplate->RE_TopicTemplate->SetText("");
            FTopicTemplate->RE_TopicTemplate->SetFocus();
            TypeKeys(e, "{\"v\":");
            PressKey(e, VK_RETURN, {}, "\r");
            TypeKeys(e, "$VALUE$}");
            ClickButton(*FTopicTemplate->Btn_OK);
        });
        const TPoint tpl = Mid(g.CellRect(g.DisplColIndex(Topic_Col::Pub_Template), 2));
        SendDblClick(v, tpl.X, tpl.Y);
        EXPECT_EQ(g.GetCellEx(Topic_Col::Pub_Template, 2), "{\"v\":\r\n$VALUE$}");

        // A double click on a header sizes that column to its content, then
        // the editor opens for the current cell, still the Template cell;
        // Cancel leaves the cell.
        acts.push_back([&](TForm& e) {
            ASSERT_EQ(&e, FTopicTemplate);
            ClickButton(*FTopicTemplate->Btn_Cancel);
        });
        const int wide = g.ColWidths(Topic_Col::Topic);
        const TPoint header = Mid(g.CellRect(Topic_Col::Topic, 0));
        SendMouseMove(v, header.X, header.Y, TShiftState{});
        SendDblClick(v, header.X, header.Y);
        EXPECT_LT(g.ColWidths(Topic_Col::Topic), wide);
        EXPECT_EQ(g.GetCellEx(Topic_Col::Pub_Template, 2), "{\"v\":\r\n$VALUE$}");
        ClickButton(*w.Btn_Cancel);
    });
    ClickButton(*main->Btn_MQTT_Set_Topic);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1], FTopicTemplate);
    EXPECT_EQ(shown[2], FTopicTemplate);
    Opt_DblClick_Auto_Size = false;
}

TEST_F(RuleWindows, AClickOnARowNumberSelectsThatRowOfThePagesGrid)
{
    acts.push_back([&](TForm& f) {
        TFSet_PDO_Access& w = *FSet_PDO_Access;
        ActivateWindowOf(f);
        w.PageControl1->SetActivePage(w.Sheet(1));
        const TPoint p = Mid(w.sgb->CellRect(0, 5));
        SendClick(*w.sgb->View(), p.X, p.Y);
        EXPECT_EQ(w.sgb->Selection().Top, 5);
        EXPECT_EQ(w.sgb->Selection().Bottom, 5);
        EXPECT_EQ(w.sga->Selection().Top, 1);
        ClickButton(*w.Btn_Cancel);
    });
    main->Btn_Click(main->Btn_PDO_CANopen);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(RuleWindows, PositionsTypedIntoTheByteListsAreTheOnesKept)
{
    // Keys follow each other without the program catching up in between, as
    // when a person types faster than the list editor opens.
    using Keys = std::function<void(TForm&, TExColumnGrid&)>;
    auto enter = [](TForm& f) { PressKey(f, VK_RETURN, {}, "\r"); };
    struct Way {
        const char* what;
        Keys keys;
        std::vector<std::pair<int, std::string>> want;  // Byte column, text
    };
    const Way ways[] = {
        {"5 Enter", [&](TForm& f, TExColumnGrid&) { TypeKeys(f, "5"); enter(f); }, {{6, "5"}}},
        {"15 Enter", [&](TForm& f, TExColumnGrid&) { TypeKeys(f, "15"); enter(f); }, {{6, "15"}}},
        {"F2 5 Enter", [&](TForm& f, TExColumnGrid&) { PressKey(f, VK_F2); TypeKeys(f, "5"); enter(f); }, {{6, "5"}}},
        // The letter search of one cell's list does not run on into the next.
        {"5 Enter, next cell 15 Enter",
         [&](TForm& f, TExColumnGrid& g) {
             TypeKeys(f, "5");
             enter(f);
             g.FocusCell(7, g.Row());
             TypeKeys(f, "15");
             enter(f);
         },
         {{6, "5"}, {7, "15"}}},
        {"F2 7 Tab", [&](TForm& f, TExColumnGrid&) { PressKey(f, VK_F2); TypeKeys(f, "7"); PressKey(f, VK_TAB, {}, "\t"); },
         {{6, "7"}}},
        {"F2 8, a click on another cell",
         [&](TForm& f, TExColumnGrid& g) {
             PressKey(f, VK_F2);
             TypeKeys(f, "8");
             const TPoint p = Mid(g.CellRect(9, g.Row()));
             SendClick(*g.View(), p.X, p.Y);
         },
         {{6, "8"}}},
        {"F2 Alt+Down 9 Enter Enter",
         [&](TForm& f, TExColumnGrid&) {
             PressKey(f, VK_F2);
             PressKey(f, VK_DOWN, TShiftState{ssAlt});
             TypeKeys(f, "9");
             enter(f);
             Application_ProcessMessages();
             enter(f);
         },
         {{6, "9"}}},
    };
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FReceiveCAN->ECG_CAN_Receive;
        int row = 1;
        for (const Way& w : ways) {
            SCOPED_TRACE(w.what);
            ActivateWindowOf(f);
            g.SetFocus();
            g.FocusCell(6, row);
            w.keys(f, g);
            for (int i = 0; i < 4; ++i) Application_ProcessMessages();
            for (const auto& [col, text] : w.want) EXPECT_EQ(g.GetCellEx(col, row), text);
            EXPECT_FALSE(g.EditMode());
            ++row;
        }
        ClickButton(*FReceiveCAN->Btn_Cancel);
    });
    ClickButton(*main->Btn_CAN_Rec_Frame);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(RuleWindows, ACheckBoxCellNeverTakesAnEditingFace)
{
    // A key on a check box (OnChange), then a click on another one (OnTimer):
    // the click ticks it and no editor covers either cell; typing into a
    // text cell afterwards opens its editor as usual.
    struct Way {
        const char* what;
        int key;
        const char* text;
    };
    const Way ways[] = {{"Space", VK_SPACE, " "}, {"Escape", VK_ESCAPE, "\x1b"}, {"F2", VK_F2, ""},
                        {"Enter", VK_RETURN, "\r"}, {"a letter", 'A', "a"}};
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FMQTT_Set_Topic->ECG_Pub;
        TGridView& v = *g.View();
        auto noEditor = [&] {
            EXPECT_FALSE(g.EditorMode());
            EXPECT_FALSE(g.InplaceEditor() && g.InplaceEditor()->Visible());
            EXPECT_FALSE(v.EditorWindowShown());
        };
        int row = 1;
        for (const Way& w : ways) {
            SCOPED_TRACE(w.what);
            ActivateWindowOf(f);
            g.SetFocus();
            g.FocusCell(g.DisplColIndex(Topic_Col::Pub_OnChange), row);
            PressKey(f, w.key, {}, w.text);
            Application_ProcessMessages();
            noEditor();
            const TPoint p = Mid(g.CellRect(g.DisplColIndex(Topic_Col::Pub_OnTimer), row));
            SendClick(v, p.X, p.Y);
            Application_ProcessMessages();
            EXPECT_EQ(g.GetCellEx(Topic_Col::Pub_OnTimer, row), "Y");
            noEditor();
            // A press on the current check box toggles it back, still no editor.
            SendClick(v, p.X, p.Y);
            Application_ProcessMessages();
            EXPECT_EQ(g.GetCellEx(Topic_Col::Pub_OnTimer, row), "N");
            noEditor();
            TypeCell(f, g, Topic_Col::Topic, row, "t");
            EXPECT_EQ(g.GetCellEx(Topic_Col::Topic, row), "t");
            ++row;
        }
        ClickButton(*FMQTT_Set_Topic->Btn_Cancel);
    });
    ClickButton(*main->Btn_MQTT_Set_Topic);
    EXPECT_EQ(shown.size(), 1u);
}

// Every showing starts at the first rule with the keyboard on the grid:
// typing at once fills the first cell, and Return does not press OK.
TEST_F(RuleWindows, EachShowingStartsAtTheFirstCellWithTheGridFocused)
{
    // The topic window left scrolled to the right and down, on another cell.
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FMQTT_Set_Topic->ECG_Pub;
        ActivateWindowOf(f);
        g.SetFocus();
        g.FocusCell(1, 1);
        PressKey(f, VK_END);
        for (int i = 0; i < 5; ++i) PressKey(f, VK_NEXT);
        Application_ProcessMessages();
        EXPECT_GT(g.LeftCol(), 1);
        EXPECT_GT(g.TopRow(), 1);
        ClickButton(*FMQTT_Set_Topic->Btn_Cancel);
    });
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FMQTT_Set_Topic->ECG_Pub;
        EXPECT_EQ(g.LeftCol(), 1);
        EXPECT_EQ(g.TopRow(), 1);
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Row(), 1);
        ActivateWindowOf(f);
        EXPECT_TRUE(g.View()->Focused());
        TypeKeys(f, "plant");
        PressKey(f, VK_RETURN, {}, "\r");
        PressKey(f, VK_RETURN, {}, "\r");
        Application_ProcessMessages();
        EXPECT_EQ(g.GetCellEx(Topic_Col::Topic, 1), "plant");
        EXPECT_EQ(f.ModalResult(), mrNone);
        ClickButton(*FMQTT_Set_Topic->Btn_Cancel);
    });
    ClickButton(*main->Btn_MQTT_Set_Topic);
    ClickButton(*main->Btn_MQTT_Set_Topic);
    EXPECT_FALSE(FileExists(File_MQTT_Set_Topic));

    // The other rule windows alike.
    const std::pair<TLbButton*, TRuleWindow*> windows[] = {
        {main->Btn_CAN_Rec_Frame, FReceiveCAN},       {main->Btn_CAN_Send_Frame, FTransmitCAN},
        {main->Btn_MQTT_Set_Access, FMQTT_Set_Access}, {main->Btn_SDO_Server_CANopen, FSet_SDO_Server_Access},
        {main->Btn_SDO_Client_CANopen, FSet_SDO_Client_Access}, {main->Btn_PDO_CANopen, FSet_PDO_Access},
        {main->Btn_DNet_Net, FDNet},
    };
    for (const auto& [button, window] : windows) {
        SCOPED_TRACE(window->Caption());
        for (int showing = 0; showing < 2; ++showing)
            acts.push_back([&, w = window](TForm& f) {
                ActivateWindowOf(f);
                TExColumnGrid& g = *w->Grid(0);
                EXPECT_TRUE(g.View()->Focused());
                EXPECT_EQ(g.Col(), 1);
                EXPECT_EQ(g.Row(), 1);
                EXPECT_EQ(g.TopRow(), 1);
                g.FocusCell(g.ColCount() - 1, g.RowCount() - 1);
                ClickButton(*w->Btn_Cancel);
            });
        main->Btn_Click(button);
        main->Btn_Click(button);
    }
    EXPECT_TRUE(acts.empty());
}

namespace {

// Pixels in which what the screen shows of the grid differs from a fresh
// drawing of it (cells the grid was never asked to repaint).
int Stale_Pixels(TExColumnGrid& g)
{
    const TBitmap screen = ScreenImage(g.View());
    const TBitmap fresh = ControlImage(g.View());
    EXPECT_FALSE(screen.Empty());
    EXPECT_EQ(screen.Width(), fresh.Width());
    EXPECT_EQ(screen.Height(), fresh.Height());
    int stale = 0;
    for (int y = 0; y < std::min(screen.Height(), fresh.Height()); ++y)
        for (int x = 0; x < std::min(screen.Width(), fresh.Width()); ++x)
            stale += screen.Pixel(x, y) != fresh.Pixel(x, y);
    return stale;
}

} // namespace

// Insert, Copy and Paste Row move whole rows, hidden columns included: the
// screen shows every moved cell at once (the Template and OnChange columns
// behind the hidden ones too), in every rule window.
TEST_F(RuleWindows, RowButtonsRepaintTheRowsTheyTouched)
{
    acts.push_back([&](TForm& f) {
        TFMQTT_Set_Topic& w = *FMQTT_Set_Topic;
        TExColumnGrid& g = *w.ECG_Pub;
        ActivateWindowOf(f);
        g.SetFocus();
        for (int r = 1; r <= 3; ++r) {
            g.SetCellEx(Topic_Col::Topic, r, "t" + std::to_string(r));
            g.SetCellEx(Topic_Col::Pub_Template, r, "{\"v\":$VALUE$}");
            g.SetCellEx(Topic_Col::Pub_OnChange, r, "Y");
        }
        g.SetRow(1);
        EXPECT_EQ(Stale_Pixels(g), 0);
        ClickButton(*w.Btn_InsRow);
        EXPECT_EQ(g.GetCellEx(Topic_Col::Pub_Template, 1), "");
        EXPECT_EQ(Stale_Pixels(g), 0) << "after Insert Row";
        g.SetRow(2);
        ClickButton(*w.Btn_CopyRow);
        g.SetRow(1);
        ClickButton(*w.Btn_PasteRow);
        EXPECT_EQ(g.GetCellEx(Topic_Col::Pub_Template, 1), "{\"v\":$VALUE$}");
        EXPECT_EQ(Stale_Pixels(g), 0) << "after Paste Row";
        boxes.Answer(mrYes);
        ClickButton(*w.Btn_DelRow);
        EXPECT_EQ(Stale_Pixels(g), 0) << "after Delete Row";
        // The subscribe page alike.
        w.PageControl1->SetActivePage(w.TS_MQTT_Subscribe);
        TExColumnGrid& s = *w.ECG_Sub;
        s.SetCellEx(Topic_Col::Topic, 1, "in");
        s.SetCellEx(Topic_Col::Sub_Template, 1, "{\"v\":$VALUE$}");
        s.SetRow(1);
        EXPECT_EQ(Stale_Pixels(s), 0);
        ClickButton(*w.Btn_InsRow);
        EXPECT_EQ(Stale_Pixels(s), 0) << "after Insert Row on the subscribe page";
        ClickButton(*w.Btn_Cancel);
    });
    ClickButton(*main->Btn_MQTT_Set_Topic);
    EXPECT_EQ(shown.size(), 1u);
}
