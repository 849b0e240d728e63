// The BACnet EDE file from the server object file and the parameter file:
// the golden file, its cases, the exports it refuses, and Python's CSV
// reader on what we write.
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/DateUtils.h"
#include "platform/Paths.h"
#include "rules/field/UBACnet_EDE_File.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace UBACnet_EDE_File;

namespace {

TDateTime Fixed_Clock() { return EncodeDate(2024, 4, 3) + EncodeTime(9, 5, 30, 0); }

const char* const Header =
    "PROJECT_NAME; www.example.com--Plant;;;;;;\r\n"
    "VERSION_OF_REFERENCEFILE;1.0;;;;;;\r\n"
    "TIMESTAMP_OF_LAST_CHANGE;09:05:30 03/04/2024;;;;;;\r\n"
    "AUTHOR_OF_LAST_CHANGE;www.example.com;;;;;;\r\n"
    "VERSION_OF_LAYOUT;2;;;;;;\r\n"
    "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;\r\n"
    "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;\r\n";

// A server object row as the window writes it.
std::string Row(const std::string& type, const std::string& mnemonic, const std::string& unit = "95")
{
    return "\t\t<row Data_Type=\"" + type + "\" Eng_Unit=\"" + unit +
           "\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"" + mnemonic + "\" />\n";
}

// Python's csv module reads every object line (from line 8) as the seven
// fields and the empty one after the final ";", and every line ends with
// CR LF. python3 is installed by scripts/install-deps; without it this fails.
void Expect_Csv_Reader(const std::string& file, int objects)
{
    TempDir dir;
    const std::string script = dir.file("read.py");
    WriteFile(script, "import csv, sys\n"
                      "with open(sys.argv[1], encoding='cp1252', newline='') as f:\n"
                      "    text = f.read()\n"
                      "assert text.endswith('\\r\\n'), 'no CR LF at the end'\n"
                      "assert '\\n' not in text.replace('\\r\\n', ''), 'a line not ended by CR LF'\n"
                      "assert '\\r' not in text.replace('\\r\\n', ''), 'a lone CR'\n"
                      "rows = list(csv.reader(text.splitlines(), delimiter=';'))\n"
                      "assert len(rows) == 7 + int(sys.argv[2]), len(rows)\n"
                      "for i, r in enumerate(rows[7:]):\n"
                      "    assert len(r) == 8 and r[7] == '', (i + 8, r)\n"
                      "    assert int(r[3]) >= 0 and int(r[4]) >= 0, (i + 8, r)\n");
    const std::string out = dir.file("out.txt");
    const int status = std::system(("python3 '" + script + "' '" + file + "' " + std::to_string(objects) + " > '" +
                                    out + "' 2>&1").c_str());
    EXPECT_EQ(status, 0) << file << ":\n" << ReadFile(out);
}

// A configuration "Plant" with the server object file and the parameter
// file as the test writes them; the clock stands at 09:05:30 03/04/2024.
class EdeExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        UComon::Init_State(dir.path());
        ULanguage::Load_Default_Lang();
        UComon::Project_Name = "Plant";
        UComon::Project_Folder = dir.path();
        UComon::Set_Files();
        previous = SetNowSource(Fixed_Clock);
        out = dir.file("plant.csv");
    }
    void TearDown() override { SetNowSource(previous); }
    void Params(const std::string& keys) { WriteFile(UComon::File_ParGen, "<Par_Gen>\n" + keys + "</Par_Gen>\n"); }
    void Device(const std::string& instance, const std::string& more = "")
    {
        Params("\t<BACnet_DEV_IDE>" + instance + "</BACnet_DEV_IDE>\n" + more);
    }
    void Objects(const std::string& read, const std::string& write)
    {
        WriteFile(UComon::File_BACnet_Slave_SetAccess,
                  "<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n" + read + "\t</BACnet_in_Read>\n\t<BACnet_in_Write>\n" +
                      write + "\t</BACnet_in_Write>\n</BACnet_to_Modbus>\n<!--SW_VERSION = 1.008-->\n");
    }
    // The object lines of an export that must succeed.
    std::string Lines()
    {
        EXPECT_TRUE(Save_EDE_File(out)) << (boxes.shown.empty() ? "" : boxes.shown.front().text);
        const std::string text = ReadFile(out);
        EXPECT_EQ(text.rfind(Header, 0), 0u);
        return text.size() > std::string(Header).size() ? text.substr(std::string(Header).size()) : "";
    }
    // The message of an export that must be refused; nothing is written.
    std::string Refused()
    {
        EXPECT_FALSE(Save_EDE_File(out));
        EXPECT_FALSE(FileExists(out));
        return boxes.shown.empty() ? "" : boxes.shown.back().text;
    }
    TempDir dir;
    RecordingMessageBoxes boxes;
    TNowSource previous = nullptr;
    std::string out;
};

} // namespace

TEST_F(EdeExport, GoldenFileOfSevenObjects)
{
    Device("1234");
    Objects(Row("Analog Input", "Flow_Temp", "62") + Row("Analog Input", "Return_Temp", "62") +
                Row("Analog Value", "Setpoint", "62") + Row("Binary Input", "Pump_On"),
            Row("Analog Out", "Valve", "98") + Row("Analog Value", "Offset", "62") + Row("Binary Value", "Enable"));
    EXPECT_EQ(Lines(), "1234_Flow_Temp_0;1234;Flow_Temp;0;0;Flow_Temp;62;\r\n"
                       "1234_Return_Temp_1;1234;Return_Temp;0;1;Return_Temp;62;\r\n"
                       "1234_Setpoint_0;1234;Setpoint;2;0;Setpoint;62;\r\n"
                       "1234_Pump_On_0;1234;Pump_On;3;0;Pump_On;95;\r\n"
                       "1234_Valve_0;1234;Valve;1;0;Valve;98;\r\n"
                       "1234_Offset_1;1234;Offset;2;1;Offset;62;\r\n"
                       "1234_Enable_0;1234;Enable;5;0;Enable;95;\r\n");
    EXPECT_TRUE(boxes.shown.empty());
    Expect_Csv_Reader(out, 7);
    // Each export starts its counters afresh: the same lines again.
    const std::string first = ReadFile(out);
    EXPECT_TRUE(Save_EDE_File(out));
    EXPECT_EQ(ReadFile(out), first);
}

TEST_F(EdeExport, NamesKeysAndTypes)
{
    Device("1234");
    Objects(Row("Analog Value", "Boiler_Temperature_Flow") + Row(" analog value ", "") +
                Row("Multi State Value", "m1") + Row("Octet String", "raw") + Row("Octet String", "raw2"),
            Row("Multi State Value", "m2") + Row("CharacterString Value", "text"));
    const std::string normal = "1234_Boiler_Temperature_Flow_0;1234;Boiler_Temperatu;2;0;Boiler_Temperatu;95;\r\n"
                               "1234__1;1234;;2;1;;95;\r\n"
                               "1234_m1_0;1234;m1;19;0;m1;95;\r\n"
                               "1234_raw_0;1234;raw;47;0;raw;95;\r\n"
                               "1234_raw2_1;1234;raw2;47;1;raw2;95;\r\n"
                               "1234_m2_1;1234;m2;19;1;m2;95;\r\n"
                               "1234_text_0;1234;text;40;0;text;95;\r\n";
    EXPECT_EQ(Lines(), normal);
    Expect_Csv_Reader(out, 7);
    // The long-name mode keeps up to 32 characters.
    Device("1234", "\t<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>\n");
    EXPECT_EQ(Lines().rfind("1234_Boiler_Temperature_Flow_0;1234;Boiler_Temperature_Flow;2;0;"
                            "Boiler_Temperature_Flow;95;\r\n1234__1;",
                            0),
              0u);
    // Names are cut by characters, not bytes.
    Objects(Row("Analog Value", "Température_de_départ"), "");
    Device("7");
    const std::string cut = Lines();
    EXPECT_NE(cut.find(";Temp\xE9rature_de_d;"), std::string::npos) << cut;
}

TEST_F(EdeExport, DeviceInstanceByTheBACnetType)
{
    Objects(Row("Analog Input", "a"), "");
    struct Case {
        std::string keys;
        std::string line;
    } cases[] = {
        {"\t<BACnet_Type>1</BACnet_Type>\n\t<BACnet_DEV_IDE>10</BACnet_DEV_IDE>\n"
         "\t<BACnet_Ser_DEV_IDE>20</BACnet_Ser_DEV_IDE>\n",
         "20_a_0;20;a;0;0;a;95;\r\n"},
        {"\t<BACnet_Type>0</BACnet_Type>\n\t<BACnet_DEV_IDE>10</BACnet_DEV_IDE>\n"
         "\t<BACnet_Ser_DEV_IDE>20</BACnet_Ser_DEV_IDE>\n",
         "10_a_0;10;a;0;0;a;95;\r\n"},
        {"\t<BACnet_Type>serial</BACnet_Type>\n\t<BACnet_DEV_IDE> 10 </BACnet_DEV_IDE>\n",
         " 10 _a_0; 10 ;a;0;0;a;95;\r\n"},
        {"\t<BACnet_Type>1</BACnet_Type>\n\t<BACnet_DEV_IDE>10</BACnet_DEV_IDE>\n", "_a_0;;a;0;0;a;95;\r\n"},
        {"", "_a_0;;a;0;0;a;95;\r\n"},
    };
    for (const Case& c : cases) {
        Params(c.keys);
        EXPECT_EQ(Lines(), c.line) << c.keys;
    }
    DeleteFile(UComon::File_ParGen);
    EXPECT_EQ(Lines(), "_a_0;;a;0;0;a;95;\r\n");
}

TEST_F(EdeExport, WithoutServerObjectsOnlyTheHeader)
{
    Device("1234");
    EXPECT_EQ(Lines(), "");
    EXPECT_EQ(ReadFile(out), Header);
    Expect_Csv_Reader(out, 0);
    Objects("", "");
    EXPECT_EQ(Lines(), "");
}

TEST_F(EdeExport, RefusedExportsNameWhatStopsThem)
{
    Device("1234");
    struct Case {
        std::string file;
        std::string message;
    } cases[] = {
        {"<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n" + Row("Analog Input", "a;b") + "\t</BACnet_in_Read>\n"
         "\t<BACnet_in_Write />\n</BACnet_to_Modbus>\n",
         "The BACnet EDE file was not written: row 1 of \"BACnet in Read\" has a \";\" in its mnemonic \"a;b\", which "
         "would split its line."},
        {"<BACnet_to_Modbus>\n\t<BACnet_in_Read />\n\t<BACnet_in_Write>\n" + Row("Analog Out", "ok") +
             "\t\t<row Data_Type=\"Analog Out\" Eng_Unit=\"1\" Mnemonic=\"two&#10;lines\" />\n"
             "\t</BACnet_in_Write>\n</BACnet_to_Modbus>\n",
         "The BACnet EDE file was not written: row 2 of \"BACnet in Write\" has a line break in its mnemonic, which "
         "would split its line."},
        {"<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n" + Row("Analog Input", "a") + Row("Analog Inputs", "b") +
             "\t</BACnet_in_Read>\n\t<BACnet_in_Write />\n</BACnet_to_Modbus>\n",
         "The BACnet EDE file was not written: row 2 of \"BACnet in Read\" has the data type \"Analog Inputs\", which "
         "is no BACnet object type."},
        {"<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n" + Row("", "a") + "\t</BACnet_in_Read>\n"
         "\t<BACnet_in_Write />\n</BACnet_to_Modbus>\n",
         "The BACnet EDE file was not written: row 1 of \"BACnet in Read\" has the data type \"\", which is no BACnet "
         "object type."},
        {"<BACnet_to_Modbus>\n\t<BACnet_in_Read />\n</BACnet_to_Modbus>\n",
         "The BACnet EDE file was not written: \"" + UComon::File_BACnet_Slave_SetAccess +
             "\" has no section \"BACnet_in_Write\"."},
        {"<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n\t\t<row Data_Type=\"Analog Input\" Mnemonic=\"a\" />\n"
         "\t</BACnet_in_Read>\n\t<BACnet_in_Write />\n</BACnet_to_Modbus>\n",
         "The BACnet EDE file was not written: row 1 of \"BACnet_in_Read\" in \"" +
             UComon::File_BACnet_Slave_SetAccess + "\" has no attribute \"Eng_Unit\"."},
        {"<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n" + Row("Analog Input", "a", "1;2") + "\t</BACnet_in_Read>\n"
         "\t<BACnet_in_Write />\n</BACnet_to_Modbus>\n",
         "The BACnet EDE file was not written: row 1 of \"BACnet in Read\" has a \";\" or a line break in its Eng. "
         "Unit \"1;2\", which would split its line."},
    };
    for (const Case& c : cases) {
        boxes.shown.clear();
        WriteFile(UComon::File_BACnet_Slave_SetAccess, c.file);
        EXPECT_EQ(Refused(), c.message);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    }
    // A device instance with a separator would split every line.
    Device("12;34");
    Objects(Row("Analog Input", "a"), "");
    boxes.shown.clear();
    EXPECT_EQ(Refused(), "The BACnet EDE file was not written: the device instance \"12;34\" of \"" +
                             UComon::File_ParGen + "\" holds a \";\" or a line break, which would split its lines.");
    Device("1234");
    // A file that does not parse is named with the reason.
    boxes.shown.clear();
    WriteFile(UComon::File_BACnet_Slave_SetAccess, "<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n");
    EXPECT_EQ(Refused().rfind("The BACnet EDE file was not written: \"" + UComon::File_BACnet_Slave_SetAccess +
                                  "\" cannot be read",
                              0),
              0u);
    // A refused export leaves an earlier file as it was.
    Objects(Row("Analog Input", "a"), "");
    EXPECT_NE(Lines(), "");
    const std::string before = ReadFile(out);
    Objects(Row("Analog Input", "a;b"), "");
    EXPECT_FALSE(Save_EDE_File(out));
    EXPECT_EQ(ReadFile(out), before);
}

TEST_F(EdeExport, AFileThatCannotBeWrittenIsNamed)
{
    Device("1234");
    Objects(Row("Analog Input", "a"), "");
    const std::string bad = PathJoin(dir.file("no such folder"), "plant.csv");
    EXPECT_FALSE(Save_EDE_File(bad));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "The file could not be written:\n" + bad);
}

TEST(EdeParts, TypeNumbersAndTimeStamps)
{
    struct Case {
        const char* text;
        int number;
    } cases[] = {{"Analog Input", 0}, {"ANALOG OUT", 1},   {" analog value ", 2}, {"Binary Out", 4},
                 {"Multi State Input", 13}, {"Life Safety Zone", 22}, {"Access Door", 30}, {"DateTime Value", 44},
                 {"Large Analog Value", 46}, {"Octet String", 47}, {"Positive Integer Value", 48},
                 {"Analog Output", -1}, {"Multi-State Value", -1}, {"", -1}};
    for (const Case& c : cases) EXPECT_EQ(BACnet_Object_Type_Code(c.text), c.number) << c.text;
    EXPECT_EQ(EDE_TimeStamp(2024, 4, 3, 9, 5, 30), "09:05:30 03/04/2024");
    EXPECT_EQ(EDE_TimeStamp(987, 12, 31, 23, 59, 0), "23:59:00 31/12/987");
    TEDE_Export e;
    EXPECT_EQ(e.Next_Instance_For_Type(19), 0);
    EXPECT_EQ(e.Next_Instance_For_Type(19), 1);
    EXPECT_EQ(e.Next_Instance_For_Type(2), 0);
    EXPECT_EQ(e.Next_Instance_For_Type(99), -1);
    e.Reset_EDE_Counters();
    EXPECT_EQ(e.Next_Instance_For_Type(19), 0);
}
