// The DALI window on its own: the device settings and their file, the
// DALI-2 checks in their order and wording, both files written together,
// the row buttons and the address map.
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Menus.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"
#include "rules/field/UDALI_Access.h"
#include "support/FormatGuard.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using ULanguage::Text;

namespace {

class DALIAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ULanguage::Load_Default_Lang();
        UComon::Project_Folder = dir.path();
        UComon::File_DALI_Access = dir.file("DALI_Access.xml");
        UComon::File_DALI2_Access = dir.file("DALI2_Access.xml");
        w = std::make_unique<TFDALI_Access>();
        w->FormShow();
    }
    void TearDown() override
    {
        w.reset();
        UComon::Project_Folder.clear();
        UComon::File_DALI_Access.clear();
        UComon::File_DALI2_Access.clear();
        ULanguage::Load_Default_Lang();
    }
    // Shows the window again (a new opening) after the files were changed.
    void Reopen() { w->FormShow(); }
    // OK: the message of the first fault, or "" when the files were written.
    std::string OK()
    {
        const size_t before = boxes.shown.size();
        w->SetModalResult(mrNone);
        w->Btn_OKClick();
        if (boxes.shown.size() > before) return boxes.shown.back().text;
        EXPECT_EQ(w->ModalResult(), mrOk);
        return "";
    }
    void Fun(int row, const std::string& function, const std::string& condition, const std::string& value,
             const std::string& next = "", const std::string& mnemonic = "")
    {
        using namespace DALI_Fun_Col;
        w->ECG->SetCellEx(Function, row, function);
        w->ECG->SetCellEx(Condition, row, condition);
        w->ECG->SetCellEx(Value, row, value);
        w->ECG->SetCellEx(Next_Function, row, next);
        w->ECG->SetCellEx(Mnemonic, row, mnemonic);
    }
    // A Set Access rule whose every cell passes, with the cells given over it.
    void Rule(int row, const std::vector<std::pair<int, std::string>>& over = {})
    {
        using namespace DALI_SA_Col;
        const std::vector<std::pair<int, std::string>> good = {
            {DevSen, "Device"}, {Type, "Dimmer"}, {Ch_Number, "3"}, {Instance, "0"}, {Command, "5"},
            {Time_Send, "1000"}, {TimeOut, "2000"}, {Function, ""}, {Position, "0"}, {Num_Bytes, ""},
            {Mnemonic, "lamp"}};
        for (const auto& [c, t] : good) w->ESG->SetCellEx(c, row, t);
        for (const auto& [c, t] : over) w->ESG->SetCellEx(c, row, t);
    }
    std::string Fault()
    {
        const auto f = DALI2_Fault(*w->ECG, *w->ESG);
        return f ? *f : std::string();
    }

    TempDir dir;
    RecordingMessageBoxes boxes;
    std::unique_ptr<TFDALI_Access> w;
};

std::string Elements(const std::string& file)
{
    TXmlDocument doc;
    EXPECT_EQ(doc.LoadFromFile(file), TXmlLoad::Read);
    std::string s;
    for (pugi::xml_node e : doc.Root().children()) s += std::string(e.name()) + "=" + e.child_value() + ";";
    return s;
}

} // namespace

TEST_F(DALIAccess, NoFileGivesEveryDeviceOffAndOKWritesAllOfThem)
{
    TExColumnGrid& d = *w->ECG_DALI_Device;
    ASSERT_EQ(d.RowCount(), 65);
    EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Label, 1), "DALI ID Device 0");
    EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Label, 64), "DALI ID Device 63");
    EXPECT_TRUE(d.IsHiddenColumn(DALI_Dev_Col::Address));
    EXPECT_TRUE(d.IsHiddenColumn(DALI_Dev_Col::Dimming_Mode));
    for (int r = 1; r <= 64; ++r) {
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Enable, r), "N");
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Min_Max, r), "N");
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Recall_Level, r), "None");
    }
    EXPECT_EQ(OK(), "");
    std::string expected;
    for (int n = 0; n < 64; ++n) {
        const std::string e = "DALI_ID_DEVICE_" + std::to_string(n);
        expected += e + "=0;" + e + "_MIN_MAN_VALUE=0;" + e + "_RECALL_LEVEL=None;";
    }
    EXPECT_EQ(Elements(UComon::File_DALI_Access), expected);
    const std::string bytes = ReadFile(UComon::File_DALI_Access);
    EXPECT_EQ(bytes.rfind("<DALI_Access>\n\t<DALI_ID_DEVICE_0>0</DALI_ID_DEVICE_0>\n", 0), 0u);
    EXPECT_NE(bytes.find("</DALI_Access>\n<!--SW_VERSION = 1.305-->\n"), std::string::npos);
    EXPECT_EQ(ReadFile(UComon::File_DALI2_Access),
              "<DALI2_Access>\n\t<DALI2_Functions_Rules />\n\t<DALI2_SetAccess_Rules />\n</DALI2_Access>\n"
              "<!--SW_VERSION = 1.305-->\n");
}

TEST_F(DALIAccess, DeviceFileIsReadByElementNameAndExactText)
{
    WriteFile(UComon::File_DALI_Access,
              "<?xml version=\"1.0\"?>\r\n<Anything>\r\n"
              "<Unknown>1</Unknown>"
              "<DALI_ID_DEVICE_3_RECALL_LEVEL>Recall Old Value Level for Switch</DALI_ID_DEVICE_3_RECALL_LEVEL>"
              "<DALI_ID_DEVICE_3>1</DALI_ID_DEVICE_3>"
              "<DALI_ID_DEVICE_3_MIN_MAN_VALUE>1</DALI_ID_DEVICE_3_MIN_MAN_VALUE>"
              "<DALI_ID_DEVICE_7>Y</DALI_ID_DEVICE_7>"
              "<DALI_ID_DEVICE_8> 1</DALI_ID_DEVICE_8>"
              "<DALI_ID_DEVICE_8_RECALL_LEVEL>none</DALI_ID_DEVICE_8_RECALL_LEVEL>"
              "<DALI_ID_DEVICE_9_MIN_MAN_VALUE>0</DALI_ID_DEVICE_9_MIN_MAN_VALUE>"
              "<DALI_ID_DEVICE_9_RECALL_LEVEL>Recall Min-Max Level for Switch</DALI_ID_DEVICE_9_RECALL_LEVEL>"
              "</Anything>\r\n");
    Reopen();
    EXPECT_TRUE(boxes.shown.empty());
    TExColumnGrid& d = *w->ECG_DALI_Device;
    const struct {
        int device;
        const char *enable, *minMax, *recall;
    } rows[] = {{3, "Y", "Y", "Recall Old Value Level for Switch"},
                {7, "N", "N", "None"},
                {8, "N", "N", "None"},
                {9, "N", "N", "Recall Min-Max Level for Switch"},
                {10, "N", "N", "None"}};
    for (const auto& r : rows) {
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Enable, r.device + 1), r.enable) << r.device;
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Min_Max, r.device + 1), r.minMax) << r.device;
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Recall_Level, r.device + 1), r.recall) << r.device;
    }
    EXPECT_EQ(OK(), "");
    const std::string e = Elements(UComon::File_DALI_Access);
    EXPECT_NE(e.find("DALI_ID_DEVICE_3=1;DALI_ID_DEVICE_3_MIN_MAN_VALUE=1;"), std::string::npos);
    EXPECT_NE(e.find("DALI_ID_DEVICE_7=0;"), std::string::npos);
    EXPECT_EQ(e.find("Unknown"), std::string::npos);
}

TEST_F(DALIAccess, ButtonsAndHeaderMenusSetEveryDevice)
{
    TExColumnGrid& d = *w->ECG_DALI_Device;
    d.SetCellEx(DALI_Dev_Col::Enable, 5, "Y");
    w->MinMaxValueClick(0);
    w->RecallLevelClick(2);
    for (int r = 1; r <= 64; ++r) {
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Min_Max, r), "Y");
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Recall_Level, r), "Recall Old Value Level for Switch");
    }
    w->Btn_SelectAllClick();
    EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Enable, 64), "Y");
    w->Btn_ClearAllClick();
    w->MinMaxValueClick(1);
    w->RecallLevelClick(0);
    w->RecallLevelClick(3);  // no such item: nothing changes
    for (int r = 1; r <= 64; ++r) {
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Enable, r), "N");
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Min_Max, r), "N");
        EXPECT_EQ(d.GetCellEx(DALI_Dev_Col::Recall_Level, r), "None");
    }
}

TEST_F(DALIAccess, FunctionChecks)
{
    FormatGuard format('.', ' ', '/', "dd/mm/yyyy");
    const std::string row1 = "Functions - Error Row 1!! ";
    struct Case {
        const char *condition, *value;
        std::string message;
    } cases[] = {
        {"When Equal to Value", "Short Press", ""},
        {"No Condition", "Short Press", row1 + "The Condition must be \"When Equal to Value\""},
        {"NAND Logic with Value", "Vacant", ""},
        {"AND Logic with Value", "Vacant", row1 + "The Condition must be \"NAND Logic with Value\""},
        {"NAND Logic with Value", "Occupied", row1 + "The Condition must be \"AND Logic with Value\""},
        {"No Condition", "", row1 + "Value must be a valid float value"},
        {"When Equal to Value", "", row1 + "Value must be a valid float value"},
        {"When Equal to Value", "x1", row1 + "Value must be a valid float value"},
        {"No Condition", "0", ""},
        {"OR Logic with Value", "2,5", ""},
        {"OR Logic with Value", "2.5", ""},
        {" ", "0", row1 + "Condition cannot be empty"},
    };
    for (char separator : {'.', ','}) {
        FormatSettings().DecimalSeparator = separator;
        for (const Case& c : cases) {
            Fun(1, "Addition", c.condition, c.value);
            EXPECT_EQ(Fault(), c.message) << c.condition << " / " << c.value << " / " << separator;
        }
    }
    // A language file's text wins over the built-in wording.
    UComon::UI_Texts.Put(4964, "Funzioni - Riga %d: condizione errata");
    Fun(1, "Addition", "No Condition", "Short Press");
    EXPECT_EQ(Fault(), "Funzioni - Riga 1: condizione errata");
}

TEST_F(DALIAccess, NextFunctionLimitIsTheNumberOfFunctions)
{
    for (int r = 1; r <= 3; ++r) Fun(r, "Addition", "No Condition", "1");
    // The conditions and values of every row come before any next function.
    Fun(2, "Addition", "No Condition", "1", "9");
    Fun(3, "Addition", "", "1");
    EXPECT_EQ(Fault(), "Functions - Error Row 3!! Condition cannot be empty");
    Fun(3, "Addition", "No Condition", "1");
    EXPECT_EQ(Fault(), "Functions - Error Row 2!! Next Function must be between 0 and 3");
    for (const char* next : {"3", "0", "$2", " "}) {
        Fun(2, "Addition", "No Condition", "1", next);
        EXPECT_EQ(Fault(), "") << next;
    }
    Fun(2, "Addition", "No Condition", "1", "4");
    EXPECT_EQ(Fault(), "Functions - Error Row 2!! Next Function must be between 0 and 3");
    Fun(2, "Addition", "No Condition", "1", "-1");
    EXPECT_EQ(Fault(), "Functions - Error Row 2!! Next Function must be between 0 and 3");
}

TEST_F(DALIAccess, SetAccessChecks)
{
    using namespace DALI_SA_Col;
    const std::string row1 = "Set Access - Error Row 1!! ";
    struct Case {
        std::vector<std::pair<int, std::string>> cells;
        std::string message;
    } cases[] = {
        {{}, ""},
        {{{Function, "0 - None"}}, ""},
        {{{Function, "1 - x"}}, row1 + "Function Must be between 0 and 0"},
        {{{Position, "1440"}}, ""},
        {{{Position, "1441"}}, row1 + "Position Must be Between 0 and 1440"},
        {{{Position, ""}}, row1 + "Position Must be Between 0 and 1440"},
        {{{Command, "255"}}, ""},
        {{{Command, "256"}}, row1 + "Command Must be Between 0 and 255"},
        {{{Type, "Light Sensor"}}, row1 + "The Type selected is not compatible with the Device"},
        {{{DevSen, "Sensor"}, {Type, "Light Sensor"}}, ""},
        {{{DevSen, "Sensor"}, {Type, "light sensor "}}, ""},
        {{{DevSen, "Sensor"}, {Type, "Dimmer"}}, row1 + "The Type selected is not compatible with the Sensor"},
        {{{Ch_Number, "63"}, {Instance, "31"}}, ""},
        {{{Ch_Number, "64"}}, row1 + "Channel Number Must be Between 0 and 63"},
        {{{Instance, "32"}}, row1 + "Instance Must be Between 0 and 31"},
        {{{Time_Send, "100000001"}}, row1 + "Time Send Must be Between 0 and 100000000 milliseconds"},
        {{{TimeOut, "x"}}, row1 + "TimeOut Must be Between 0 and 100000000 milliseconds"},
        // The first fault in column order is the one shown.
        {{{Ch_Number, "99"}, {Position, "5000"}}, row1 + "Channel Number Must be Between 0 and 63"},
    };
    for (const Case& c : cases) {
        Rule(1, c.cells);
        EXPECT_EQ(Fault(), c.message) << c.message;
    }
    // With two function rows the limit is 2.
    Fun(1, "Addition", "No Condition", "1");
    Fun(2, "Toggle", "No Condition", "1");
    Rule(1, {{Function, "2 - b"}});
    EXPECT_EQ(Fault(), "");
    Rule(1, {{Function, "3 - c"}});
    EXPECT_EQ(Fault(), row1 + "Function Must be between 0 and 2");
}

TEST_F(DALIAccess, UncheckedRulesAndRowsAfterTheFirstEmptyKeyAreNotChecked)
{
    using namespace DALI_SA_Col;
    Rule(1, {{Ch_Number, "99"}});
    w->ESG->SetCheckBoxState(Enable, 1, false);
    Rule(2);
    // Row 3 has no Dev/Sen: rows 4 and 5 are neither checked nor saved.
    Rule(4, {{Position, "9999"}});
    Rule(5);
    Fun(1, "Toggle", "No Condition", "0");
    Fun(3, "Toggle", "", "");
    EXPECT_EQ(OK(), "");
    const std::string rules = ReadFile(UComon::File_DALI2_Access);
    EXPECT_NE(rules.find("<DALI2_Access>\n\t<DALI2_Functions_Rules>\n"
                         "\t\t<row Function=\"Toggle\" Condition=\"No Condition\" Value=\"0\" Channel=\"\" Val=\"\" "
                         "Next_Function=\"\" Mnemonic=\"\" />\n\t</DALI2_Functions_Rules>\n\t<DALI2_SetAccess_Rules>\n"
                         "\t\t<row Enable=\"N\" DeviceSensor=\"Device\" Type=\"Dimmer\" ChannelNumber=\"99\" "
                         "Instance=\"0\" Command=\"5\" TimeSend=\"1000\" TimeOut=\"2000\" Function=\"\" "
                         "Position=\"0\" NumBytes=\"\" Mnemonic=\"lamp\" />\n"
                         "\t\t<row Enable=\"Y\" DeviceSensor=\"Device\""),
              std::string::npos)
        << rules;
    EXPECT_EQ(rules.find("9999"), std::string::npos);
    Reopen();
    bool checked = true;
    EXPECT_TRUE(w->ESG->GetCheckBoxState(Enable, 1, checked));
    EXPECT_FALSE(checked);
    EXPECT_EQ(w->ESG->GetCellEx(Ch_Number, 1), "99");
    EXPECT_EQ(w->ESG->GetCellEx(DevSen, 4), "");
    EXPECT_TRUE(w->ESG->GetCheckBoxState(Enable, 4, checked));
    EXPECT_TRUE(checked);
}

TEST_F(DALIAccess, RulesFileIsReadBySectionNameWithEnableCheckedUnlessN)
{
    using namespace DALI_SA_Col;
    WriteFile(UComon::File_DALI2_Access,
              "<DALI2_Access>"
              "<DALI2_SetAccess_Rules>"
              "<row DeviceSensor=\"Sensor\" Type=\"Push Button\"/>"
              "<rule Enable=\"N\" DeviceSensor=\"Device\"/>"
              "<row Enable=\"n\" DeviceSensor=\"Device\" Extra=\"1\"/>"
              "</DALI2_SetAccess_Rules>"
              "<DALI2_Functions_Rules><row Function=\"Dim Up\" Mnemonic=\"up\"/></DALI2_Functions_Rules>"
              "</DALI2_Access>");
    Reopen();
    EXPECT_TRUE(boxes.shown.empty());
    bool checked = false;
    for (const auto& [row, state] : {std::pair{1, true}, {2, false}, {3, true}}) {
        EXPECT_TRUE(w->ESG->GetCheckBoxState(Enable, row, checked));
        EXPECT_EQ(checked, state) << row;
    }
    EXPECT_EQ(w->ESG->GetCellEx(Type, 1), "Push Button");
    EXPECT_EQ(w->ESG->GetCellEx(Position, 1), "");
    EXPECT_EQ(w->ECG->GetCellEx(DALI_Fun_Col::Function, 1), "Dim Up");
    EXPECT_EQ(w->SelFunct.Count(), 251);
    EXPECT_EQ(w->SelFunct[1], "1 - up");
    EXPECT_EQ(w->SelFunct[2], "2 - ");

    // More rows than the grid has: the first 256 are read.
    std::string many = "<DALI2_Access><DALI2_Functions_Rules/><DALI2_SetAccess_Rules>";
    for (int i = 0; i < 300; ++i) many += "<row DeviceSensor=\"Device\" Mnemonic=\"m" + std::to_string(i) + "\"/>";
    WriteFile(UComon::File_DALI2_Access, many + "</DALI2_SetAccess_Rules></DALI2_Access>");
    Reopen();
    EXPECT_EQ(w->ESG->RowCount(), 257);
    EXPECT_EQ(w->ESG->GetCellEx(Mnemonic, 256), "m255");
}

TEST_F(DALIAccess, FilesThatCannotBeReadOpenResetAndAreReplacedOnlyWhenAgreed)
{
    const struct {
        const char* devices;
        const char* rules;
    } cases[] = {
        {"<DALI_Access><DALI_ID_DEVICE_0>1", nullptr},
        {nullptr, "<DALI2_Access><DALI2_Functions_Rules><row Function=\"x\"/>"},
        {nullptr, "<Other><DALI2_Functions_Rules/><DALI2_SetAccess_Rules/></Other>"},
        // The section that is there is read.
        {nullptr, "<DALI2_Access><DALI2_Functions_Rules><row Function=\"Toggle\" Condition=\"No Condition\" "
                  "Value=\"1\"/></DALI2_Functions_Rules></DALI2_Access>"},
    };
    for (const auto& c : cases) {
        std::remove(UComon::File_DALI_Access.c_str());
        std::remove(UComon::File_DALI2_Access.c_str());
        if (c.devices) WriteFile(UComon::File_DALI_Access, c.devices);
        if (c.rules) WriteFile(UComon::File_DALI2_Access, c.rules);
        const std::string bad = c.devices ? UComon::File_DALI_Access : UComon::File_DALI2_Access;
        const std::string before = ReadFile(bad);
        boxes.shown.clear();
        Reopen();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text.rfind(std::string(TRuleFrame::Msg_File_Unreadable) + "\n" + bad, 0), 0u)
            << boxes.shown[0].text;
        EXPECT_EQ(w->ECG_DALI_Device->GetCellEx(DALI_Dev_Col::Enable, 1), "N");
        EXPECT_EQ(w->ESG->GetCellEx(DALI_SA_Col::DevSen, 1), "");
        boxes.Answer(mrNo);
        w->SetModalResult(mrNone);
        w->Btn_OKClick();
        EXPECT_EQ(w->ModalResult(), mrNone);
        EXPECT_EQ(ReadFile(bad), before);
        boxes.Answer(mrYes);
        w->Btn_OKClick();
        EXPECT_EQ(w->ModalResult(), mrOk);
        EXPECT_EQ(boxes.shown.back().text,
                  std::string(TRuleFrame::Msg_Replace_Unreadable) + "\n" + bad);
        EXPECT_NE(ReadFile(bad), before);
    }
}

TEST_F(DALIAccess, AFileThatCannotBeWrittenLeavesBothFilesAsTheyWere)
{
    WriteFile(UComon::File_DALI_Access, "<DALI_Access><DALI_ID_DEVICE_1>1</DALI_ID_DEVICE_1></DALI_Access>");
    WriteFile(UComon::File_DALI2_Access, "<DALI2_Access><DALI2_Functions_Rules/><DALI2_SetAccess_Rules/></DALI2_Access>");
    Reopen();
    const std::string devices = ReadFile(UComon::File_DALI_Access), rules = ReadFile(UComon::File_DALI2_Access);
    w->ECG_DALI_Device->SetCellEx(DALI_Dev_Col::Enable, 5, "Y");
    Fun(1, "Toggle", "No Condition", "1");
    ASSERT_EQ(chmod(UComon::File_DALI2_Access.c_str(), 0444), 0);
    EXPECT_EQ(OK(), std::string(TRuleFrame::Msg_File_Not_Written) + "\n" + UComon::File_DALI2_Access);
    EXPECT_EQ(w->ModalResult(), mrNone);
    EXPECT_EQ(ReadFile(UComon::File_DALI_Access), devices);
    EXPECT_EQ(ReadFile(UComon::File_DALI2_Access), rules);
    EXPECT_EQ(w->ECG->GetCellEx(DALI_Fun_Col::Function, 1), "Toggle");
    // No temporary file stays behind.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2);
    ASSERT_EQ(chmod(UComon::File_DALI2_Access.c_str(), 0644), 0);
    EXPECT_EQ(OK(), "");
    EXPECT_NE(ReadFile(UComon::File_DALI2_Access), rules);
}

TEST_F(DALIAccess, MessagesAreNoFormatStrings)
{
    UComon::UI_Texts.Put(4935, "Row %s %d of %d%n");
    UComon::UI_Texts.Put(4954, "Delete %x row %d %d?");
    Rule(7, {});
    for (int r = 1; r < 7; ++r) Rule(r);
    Rule(7, {{DALI_SA_Col::Position, "2000"}});
    EXPECT_EQ(Fault(), "Row %s 7 of 1440%n");
    EXPECT_EQ(DALI_Format("%d%%d %d", 1, 2), "1%2 %d");
    EXPECT_EQ(DALI_Format("no number", 1, 2), "no number");
    w->PC_DALI->SetActivePage(w->TS_Set_Access);
    w->ESG->SetRow(3);
    boxes.Answer(mrNo);
    w->Btn_DelRowClick();
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown.back().text, "Delete %x row 3 %d?");
}

TEST_F(DALIAccess, RowButtonsActOnTheActivePageWithItsOwnCopyFlag)
{
    using namespace DALI_SA_Col;
    Fun(1, "Toggle", "No Condition", "1");
    Rule(1);
    w->PC_DALI->SetActivePage(w->TS_Functions);
    w->PC_DALIChange();
    w->ECG->SetRow(1);
    w->Btn_CopyRowClick();
    w->PC_DALI->SetActivePage(w->TS_Set_Access);
    w->PC_DALIChange();
    w->ESG->SetRow(2);
    w->Btn_PasteRowClick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Text(1102));
    // A copy here once, then one on the Functions page: this page's flag
    // stays, the row copied has the other length.
    w->ESG->SetRow(1);
    w->Btn_CopyRowClick();
    w->PC_DALI->SetActivePage(w->TS_Functions);
    w->Btn_CopyRowClick();
    w->PC_DALI->SetActivePage(w->TS_Set_Access);
    w->ESG->SetRow(2);
    w->Btn_PasteRowClick();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, Text(1101));
    // Copy and paste on this page carries the check box.
    w->ESG->SetCheckBoxState(Enable, 1, false);
    w->ESG->SetRow(1);
    w->Btn_CopyRowClick();
    w->ESG->SetRow(2);
    w->Btn_PasteRowClick();
    bool checked = true;
    EXPECT_TRUE(w->ESG->GetCheckBoxState(Enable, 2, checked));
    EXPECT_FALSE(checked);
    EXPECT_EQ(w->ESG->GetCellEx(Mnemonic, 2), "lamp");
    // Delete Row: the emptied last row has its Enable checked.
    w->ESG->SetCheckBoxState(Enable, 256, false);
    w->ESG->SetRow(1);
    boxes.Answer(mrYes);
    w->Btn_DelRowClick();
    EXPECT_EQ(boxes.shown.back().text, "Are you sure to delete the Row number 1");
    EXPECT_EQ(w->ESG->GetCellEx(Mnemonic, 1), "lamp");
    EXPECT_TRUE(w->ESG->GetCheckBoxState(Enable, 256, checked));
    EXPECT_TRUE(checked);
    EXPECT_EQ(w->ESG->GetCellEx(DevSen, 2), "");
    // Insert Row: a new, checked, empty row.
    w->ESG->SetCheckBoxState(Enable, 1, false);
    w->Btn_InsRowClick();
    EXPECT_TRUE(w->ESG->GetCheckBoxState(Enable, 1, checked));
    EXPECT_TRUE(checked);
    EXPECT_EQ(w->ESG->GetCellEx(DevSen, 1), "");
    EXPECT_EQ(w->ESG->GetCellEx(DevSen, 2), "Device");
}

TEST_F(DALIAccess, SetAccessEditorsFollowTheRow)
{
    using namespace DALI_SA_Col;
    auto items = [&](int col) {
        TEditorType e = edNormal;
        w->ESGGetEditorType(col, e);
        std::vector<std::string> got;
        if (e != edComboList) return got;
        for (const std::string& s : w->ESG->ComboItems()) got.push_back(s);
        return got;
    };
    w->ESG->SetRow(4);
    EXPECT_EQ(items(DevSen), DALI_DevSen());
    EXPECT_TRUE(items(Type).empty());
    w->ESG->SetCellEx(DevSen, 4, "Device");
    EXPECT_EQ(items(Type), DALI_DevType());
    w->ESG->SetCellEx(DevSen, 4, "Sensor");
    EXPECT_EQ(items(Type), DALI_SenType());
    EXPECT_EQ(items(Num_Bytes), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(items(Function).size(), 251u);
    TEditorType e = edComboList;
    w->ESGGetEditorType(Mnemonic, e);
    EXPECT_EQ(e, edComboList);  // left as the grid chose
}

TEST_F(DALIAccess, TextsWithoutBuiltInWordingUseTheDesignedHeaders)
{
    EXPECT_EQ(w->ECG->Columns().Items(DALI_Fun_Col::Channel)->Header(), "Channel");
    EXPECT_EQ(w->ECG->Columns().Items(DALI_Fun_Col::Val)->Header(), "Brightness");
    UComon::UI_Texts.Put(4960, "Canale");
    w->Set_Lang();
    EXPECT_EQ(w->ECG->Columns().Items(DALI_Fun_Col::Channel)->Header(), "Canale");
}

TEST_F(DALIAccess, AddressMapListsEightBytesPerEnabledDevice)
{
    TExColumnGrid& d = *w->ECG_DALI_Device;
    EXPECT_EQ(DALI_Map_Lines(d), std::vector<std::string>{Text(4656)});
    d.SetCellEx(DALI_Dev_Col::Enable, 1, "Y");
    d.SetCellEx(DALI_Dev_Col::Enable, 6, " y ");
    EXPECT_EQ(DALI_Map_Lines(d), (std::vector<std::string>{Text(4656), "0; 0; 1; 2; 3; 4; 5; 6, 7;",
                                                           "5; 8; 9; 10; 11; 12; 13; 14, 15;"}));
    const std::string file = dir.file("map.csv");
    ASSERT_TRUE(w->Write_DALI_Map(file));
    EXPECT_EQ(ReadFile(file), Text(4656) + "\r\n0; 0; 1; 2; 3; 4; 5; 6, 7;\r\n5; 8; 9; 10; 11; 12; 13; 14, 15;\r\n");

    for (const auto& [chosen, written] : {std::pair<std::string, std::string>{"map", "map.csv"},
                                          {"map.txt", "map.txt.csv"},
                                          {"map.CSV", "map.CSV"},
                                          {"/p/x.y/map", "/p/x.y/map.csv"}})
        EXPECT_EQ(DALI_Map_File_Name(chosen), written) << chosen;
}

TEST_F(DALIAccess, AddressMapExportAsksBeforeReplacingAFile)
{
    std::vector<TFileDialogRequest> requests;
    std::string chosen = dir.file("plan");
    bool confirm = true;
    const TFileDialogHandler old = SetFileDialogHandler([&](const TFileDialogRequest& r, std::string& name) {
        requests.push_back(r);
        name = chosen;
        return confirm;
    });
    w->ECG_DALI_Device->SetCellEx(DALI_Dev_Col::Enable, 2, "Y");
    w->Btn_DALI_MapsClick();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].Save);
    EXPECT_EQ(requests[0].InitialDir, dir.path());
    EXPECT_EQ(ReadFile(dir.file("plan.csv")), Text(4656) + "\r\n1; 0; 1; 2; 3; 4; 5; 6, 7;\r\n");
    w->ECG_DALI_Device->SetCellEx(DALI_Dev_Col::Enable, 2, "N");
    for (int answer : {mrNo, mrCancel}) {
        boxes.Answer(answer);
        w->Btn_DALI_MapsClick();
        EXPECT_EQ(boxes.shown.back().text, Text(4655));
        EXPECT_EQ(boxes.shown.back().buttons, TMsgDlgButtons::mbYesNoCancel);
        EXPECT_EQ(ReadFile(dir.file("plan.csv")), Text(4656) + "\r\n1; 0; 1; 2; 3; 4; 5; 6, 7;\r\n");
    }
    boxes.Answer(mrYes);
    w->Btn_DALI_MapsClick();
    EXPECT_EQ(ReadFile(dir.file("plan.csv")), Text(4656) + "\r\n");
    confirm = false;
    const size_t shown = boxes.shown.size();
    w->Btn_DALI_MapsClick();
    EXPECT_EQ(boxes.shown.size(), shown);
    SetFileDialogHandler(old);
}
