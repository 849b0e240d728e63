// The CANopen EDS file from the PDO and SDO server rule files.
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "core/UComon.h"
#include "platform/DateUtils.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "rules/can_mqtt/UEds.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace UEds;

namespace {

TDateTime Fixed_Clock() { return EncodeDate(2024, 3, 7) + EncodeTime(14, 5, 33, 0); }

// Every EDS file the tests write goes through a strict INI reader, as
// CANopen tools read it: no section and no key twice, keys kept as written.
// python3 is installed by scripts/install-deps; without it this fails.
void Expect_Strict_Ini(const std::string& file)
{
    TempDir dir;
    const std::string script = dir.file("read.py");
    WriteFile(script, "import configparser, sys\n"
                      "p = configparser.ConfigParser(strict=True, interpolation=None)\n"
                      "p.optionxform = str\n"
                      "with open(sys.argv[1], encoding='ascii', newline='') as f:\n"
                      "    text = f.read()\n"
                      "assert '\\n' not in text.replace('\\r\\n', ''), 'a line not ended by CR LF'\n"
                      "p.read_string(text)\n"
                      "assert p.has_section('FileInfo') and p.has_section('1000')\n");
    const std::string out = dir.file("out.txt");
    const int status = std::system(("python3 '" + script + "' '" + file + "' > '" + out + "' 2>&1").c_str());
    EXPECT_EQ(status, 0) << file << ":\n" << ReadFile(out);
}

// A configuration with the two rule files in the shape their windows write.
class EdsExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        UComon::Init_State(dir.path());
        UComon::Project_Folder = dir.path();
        UComon::Set_Files();
        previous = SetNowSource(Fixed_Clock);
    }
    void TearDown() override { SetNowSource(previous); }
    void Example()
    {
        WriteFile(UComon::File_PDO_CANopen,
                  "<PDO_CANopen>\n"
                  "\t<Receive_PDO>\n"
                  "\t\t<row COB-ID=\"0x201\" Dimension=\"8\" Address_B1=\"0\" TimeOut=\"0\" Mnemonic=\"\" />\n"
                  "\t\t<row COB-ID=\"$202\" Dimension=\"2\" Address_B1=\"8\" TimeOut=\"0\" Mnemonic=\"\" />\n"
                  "\t</Receive_PDO>\n"
                  "\t<Transmit_PDO>\n"
                  "\t\t<row COB-ID=\"385\" Dimension=\"4\" Send_Time=\"100\" On_Change=\"Y\" Mnemonic=\"\" />\n"
                  "\t</Transmit_PDO>\n"
                  "</PDO_CANopen>\n<!--SW_VERSION = 1.000-->\n");
        WriteFile(UComon::File_SDO_Server_CANopen,
                  "<SDO_Server_CANopen>\n"
                  "\t<SDO_Read>\n"
                  "\t\t<row Index=\"0x2000\" SubIndex=\"3\" NByte=\"2\" Mnemonic=\"\" />\n"
                  "\t\t<row Index=\"0x2100\" SubIndex=\"0\" NByte=\"4\" Mnemonic=\"\" />\n"
                  "\t</SDO_Read>\n"
                  "\t<SDO_Write>\n"
                  "\t\t<row Index=\"$2000\" SubIndex=\"1\" NByte=\"1\" Mnemonic=\"\" />\n"
                  "\t</SDO_Write>\n"
                  "</SDO_Server_CANopen>\n<!--SW_VERSION = 1.000-->\n");
    }
    std::string Export()
    {
        const std::string name = dir.file("chosen.eds");
        EXPECT_TRUE(Create_EDS_File(name));
        Expect_Strict_Ini(name);
        return ReadFile(name);
    }
    // The lines of section head, up to the empty line that ends it.
    static std::string Section(const std::string& eds, const std::string& head)
    {
        const size_t at = eds.find(head + "\r\n");
        if (at == std::string::npos) return "";
        return eds.substr(at, eds.find("\r\n\r\n", at) - at);
    }
    TempDir dir;
    RecordingMessageBoxes boxes;
    TNowSource previous = nullptr;
};

} // namespace

TEST_F(EdsExport, GoldenFileOfTwoReceiveOneTransmitPdoAndSdoObjects)
{
    Example();
    const std::string eds = Export();
    EXPECT_EQ(eds, ReadFile(TestDataPath("rules/CANopen_example.eds")));
    // The points the file must show, read from the golden file's text.
    EXPECT_NE(eds.find("FileName=CANopen_MQTT.eds\r\n"), std::string::npos);
    EXPECT_NE(eds.find("CreationTime=02:05PM\r\nCreationDate=03-07-2024\r\n"), std::string::npos);
    EXPECT_NE(eds.find("NrOfRXPDO=2\r\nNrOfTXPDO=1\r\n"), std::string::npos);
    const std::string optional = Section(eds, "[OptionalObjects]");
    EXPECT_NE(optional.find("SupportedObjects=17\r\n"), std::string::npos);
    EXPECT_NE(optional.find("9=0x1400\r\n10=0x1401\r\n11=0x1600\r\n"), std::string::npos);
    EXPECT_NE(optional.find("17=0x7050"), std::string::npos);
    EXPECT_NE(Section(eds, "[1601]").find("SubNumber=3"), std::string::npos);
    EXPECT_NE(Section(eds, "[1601sub2]").find("DefaultValue=0x70010208"), std::string::npos);
    EXPECT_NE(Section(eds, "[7001sub2]").find("ParameterName=c2"), std::string::npos);
    EXPECT_NE(Section(eds, "[1400sub1]").find("DefaultValue=0x00000201"), std::string::npos);
    EXPECT_NE(Section(eds, "[2000]").find("SubNumber=3"), std::string::npos);
    EXPECT_NE(Section(eds, "[2000sub0]").find("DefaultValue=0x03"), std::string::npos);
    EXPECT_LT(eds.find("[2000sub1]"), eds.find("[2000sub3]"));
    EXPECT_NE(Section(eds, "[2000sub1]").find("DataType=0x0005\r\nLowLimit=0x00\r\nHighLimit=0xFF"), std::string::npos);
    EXPECT_NE(Section(eds, "[2000sub1]").find("AccessType=rw"), std::string::npos);
    EXPECT_NE(Section(eds, "[2000sub3]").find("AccessType=ro"), std::string::npos);
    EXPECT_NE(Section(eds, "[2100]").find("SubNumber=1"), std::string::npos);
    EXPECT_NE(Section(eds, "[2100sub0]").find("ParameterName=Application Variable"), std::string::npos);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(EdsExport, NoRuleFilesGiveTheFixedObjectsOnly)
{
    const std::string eds = Export();
    EXPECT_NE(eds.find("NrOfRXPDO=0\r\nNrOfTXPDO=0\r\n"), std::string::npos);
    EXPECT_NE(eds.find("[OptionalObjects]\r\nSupportedObjects=8\r\n"), std::string::npos);
    EXPECT_NE(eds.find("[ManufacturerObjects]\r\nSupportedObjects=0\r\n\r\n"), std::string::npos);
    EXPECT_NE(eds.find("[1280sub3]"), std::string::npos);
    EXPECT_EQ(eds.find("[1400]"), std::string::npos);
    EXPECT_EQ(eds.substr(eds.size() - 4), "\r\n\r\n");
}

TEST(EdsTime, TwelveHourClock)
{
    struct Case {
        int hour, minute;
        const char* text;
    } cases[] = {
        {0, 0, "12:00AM"}, {0, 59, "12:59AM"}, {1, 5, "01:05AM"}, {11, 59, "11:59AM"},
        {12, 0, "12:00PM"}, {12, 30, "12:30PM"}, {13, 0, "01:00PM"}, {23, 59, "11:59PM"},
    };
    for (const Case& c : cases) EXPECT_EQ(EDS_Time_Text(c.hour, c.minute), c.text) << c.hour << ":" << c.minute;
    EXPECT_EQ(EDS_Date_Text(2024, 3, 7), "03-07-2024");
}

TEST_F(EdsExport, ObjectNamedOnBothPagesIsOneReadWriteObject)
{
    WriteFile(UComon::File_SDO_Server_CANopen,
              "<SDO_Server_CANopen><SDO_Read><row Index=\"0x2000\" SubIndex=\"10\" NByte=\"2\"/>"
              "<row Index=\"0x2000\" SubIndex=\"255\" NByte=\"1\"/></SDO_Read>"
              "<SDO_Write><row Index=\"8192\" SubIndex=\"$A\" NByte=\"2\"/><row Index=\"0x3000\" SubIndex=\"1\" NByte=\"1\"/>"
              "<row Index=\"0x3000\" SubIndex=\"1\" NByte=\"1\"/></SDO_Write></SDO_Server_CANopen>");
    const std::string eds = Export();
    const std::string manufacturer = Section(eds, "[ManufacturerObjects]");
    EXPECT_NE(manufacturer.find("SupportedObjects=2\r\n1=0x2000\r\n2=0x3000"), std::string::npos);
    EXPECT_NE(Section(eds, "[2000]").find("SubNumber=3"), std::string::npos);  // subs A and FF, and sub 0
    EXPECT_NE(Section(eds, "[2000sub0]").find("DefaultValue=0xFF"), std::string::npos);
    EXPECT_NE(Section(eds, "[2000subA]").find("AccessType=rw"), std::string::npos);
    EXPECT_NE(Section(eds, "[2000subFF]").find("AccessType=ro"), std::string::npos);
    EXPECT_NE(Section(eds, "[3000]").find("SubNumber=2"), std::string::npos);
    EXPECT_EQ(eds.find("[2000subA]"), eds.rfind("[2000subA]"));
    EXPECT_EQ(eds.find("[3000sub1]"), eds.rfind("[3000sub1]"));
}

// Hand-edited SDO server objects at the indexes of the file's own objects
// would give two sections of one name: they are left out and named.
TEST_F(EdsExport, ObjectsAtReservedIndexesAreLeftOutAndNamed)
{
    Example();
    WriteFile(UComon::File_SDO_Server_CANopen,
              "<SDO_Server_CANopen><SDO_Read><row Index=\"0x1000\" SubIndex=\"0\" NByte=\"4\"/>"
              "<row Index=\"0x2000\" SubIndex=\"1\" NByte=\"2\"/><row Index=\"0x1400\" SubIndex=\"1\" NByte=\"4\"/>"
              "<row Index=\"0x141D\" SubIndex=\"1\" NByte=\"1\"/></SDO_Read>"
              "<SDO_Write><row Index=\"0x2000\" SubIndex=\"1\" NByte=\"2\"/><row Index=\"$7000\" SubIndex=\"1\" NByte=\"1\"/>"
              "<row Index=\"4096\" SubIndex=\"1\" NByte=\"1\"/><row Index=\"0x1F00\" SubIndex=\"1\" NByte=\"1\"/>"
              "</SDO_Write></SDO_Server_CANopen>");
    const std::string eds = Export();
    EXPECT_NE(Section(eds, "[ManufacturerObjects]").find("SupportedObjects=2\r\n1=0x2000\r\n2=0x1F00"),
              std::string::npos);
    EXPECT_EQ(eds.find("[1000]"), eds.rfind("[1000]"));
    EXPECT_EQ(eds.find("[1400sub1]"), eds.rfind("[1400sub1]"));
    EXPECT_EQ(eds.find("[7000sub1]"), eds.rfind("[7000sub1]"));
    EXPECT_EQ(eds.find("[141D]"), std::string::npos);
    EXPECT_NE(Section(eds, "[2000sub1]").find("AccessType=rw"), std::string::npos);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtWarning);
    EXPECT_NE(boxes.shown[0].text.find("\"SDO_Server_CANopen.xml\" at 0x1000, 0x1400, 0x141D, 0x7000:"),
              std::string::npos)
        << boxes.shown[0].text;
}

TEST_F(EdsExport, UnwritableFileIsReported)
{
    const std::string name = dir.file("gone/x.eds");
    EXPECT_FALSE(Create_EDS_File(name));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(name), std::string::npos);
}

TEST(EdsStep, FileNameComesFromTheMainWindowsSaveDialog)
{
    TempDir dir;
    RecordingMessageBoxes boxes;
    Create_Windows(dir.path());
    UComon::Project_Name = "Plant";
    UComon::Project_Folder = PathJoin(UComon::Projects_Root, "Plant");
    ForceDirectories(UComon::Project_Folder);
    UComon::Set_Files();
    std::string offered;
    const std::string chosen = PathJoin(UComon::Project_Folder, "gateway.eds");
    bool answer = false;
    const TFileDialogHandler previous = SetFileDialogHandler([&](const TFileDialogRequest& r, std::string& name) {
        offered = r.InitialDir;
        EXPECT_TRUE(r.Save);
        EXPECT_EQ(r.Filter, "Electronic Data Sheet (*.eds)|*.eds");
        name = chosen;
        return answer;
    });
    // The button is hidden in this build; its handler does the step.
    FZelvatoreFirmWare->Btn_Click(FZelvatoreFirmWare->Btn_CANopen_EDS);
    EXPECT_EQ(offered, UComon::Project_Folder);
    EXPECT_FALSE(FileExists(chosen));  // cancelled: nothing written
    answer = true;
    FZelvatoreFirmWare->Btn_Click(FZelvatoreFirmWare->Btn_CANopen_EDS);
    SetFileDialogHandler(previous);
    EXPECT_NE(ReadFile(chosen).find("FileName=CANopen_MQTT.eds\r\n"), std::string::npos);
    Expect_Strict_Ini(chosen);
    EXPECT_TRUE(boxes.shown.empty());
    Destroy_Windows();
}
