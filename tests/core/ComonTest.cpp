// Program state: the settings file and the configuration file paths.
#include "core/UComon.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

using namespace UComon;

namespace {

struct Settings {
    std::string project, ip, language;
    bool internet, update, jump, autoSize;
    bool operator==(const Settings&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Settings& s)
{
    return os << "{'" << s.project << "', '" << s.ip << "', '" << s.language << "', " << s.internet
              << s.update << s.jump << s.autoSize << "}";
}

Settings Current()
{
    return {Project_Name, Device_IP, Language_Name, Opt_Enable_Internet, Opt_Enable_Update,
            Opt_Jump_Field_Tables, Opt_DblClick_Auto_Size};
}

void SetCurrent(const Settings& s)
{
    Project_Name = s.project;
    Device_IP = s.ip;
    Language_Name = s.language;
    Opt_Enable_Internet = s.internet;
    Opt_Enable_Update = s.update;
    Opt_Jump_Field_Tables = s.jump;
    Opt_DblClick_Auto_Size = s.autoSize;
}

const Settings kDefaults{"", "192.168.2.205", "English", false, false, false, false};
const Settings kValues{"Plant <A> & B \xC3\xA4", "10.0.0.7", "Deutsch", true, false, true, true};
const Settings kStale{"stale", "1.1.1.1", "Stale", true, true, true, true};

class Comon : public ::testing::Test {
protected:
    void SetUp() override { Init_State(dir.path()); }
    TempDir dir;
};

} // namespace

TEST_F(Comon, SavedSettingsMatchGoldenFiles)
{
    const struct {
        Settings state;
        const char* golden;
    } cases[] = {{kDefaults, "Zelvator_defaults.xml"}, {kValues, "Zelvator_values.xml"}};
    for (const auto& c : cases) {
        SetCurrent(c.state);
        ASSERT_TRUE(Save_Setting());
        EXPECT_EQ(ReadFile(PathJoin(dir.path(), "Zelvator.xml")), ReadFile(TestDataPath(c.golden)))
            << c.golden;
        SetCurrent(kStale);
        Read_Setting();
        EXPECT_EQ(Current(), c.state) << c.golden;
    }
}

TEST_F(Comon, ReadSettingTable)
{
    const std::string body = "<lastproj><projectname>P1</projectname></lastproj>"
                             "<lastipadd><ipaddress>10.1.2.3</ipaddress></lastipadd>"
                             "<lastlang><language>Italiano</language></lastlang>";
    const std::string flags = "<lastinternet><enable_internet>1</enable_internet>"
                              "<enable_update>1</enable_update>"
                              "<enable_jump_field_tables>1</enable_jump_field_tables>"
                              "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet>";
    const std::string full = "<Conf_Settings>" + body + flags + "</Conf_Settings>";
    const Settings fullValues{"P1", "10.1.2.3", "Italiano", true, true, true, true};
    const Settings noFlags{"P1", "10.1.2.3", "Italiano", false, false, false, false};

    std::string utf16 = "\xFF\xFE";
    for (char c : "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + full + "\r\n") {
        utf16 += c;
        utf16 += '\0';
    }
    utf16.resize(utf16.size() - 2); // the terminating NUL of the loop

    const struct {
        const char* what;
        std::string file;
        Settings expected;
    } cases[] = {
        {"all values", full, fullValues},
        {"another root name", "<Settings>" + body + flags + "</Settings>", fullValues},
        {"declaration, BOM, comment and CRLF before the root",
         "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!-- written elsewhere -->\r\n" + full, fullValues},
        {"UTF-16LE with BOM", utf16, fullValues},
        {"indented with whitespace", "<Conf_Settings>\n\t<lastproj>\n\t\t<projectname>P1</projectname>\n"
                                     "\t</lastproj>\n</Conf_Settings>\n",
         {"P1", "192.168.2.205", "English", false, false, false, false}},
        {"missing lastinternet", "<Conf_Settings>" + body + "</Conf_Settings>", noFlags},
        {"empty ipaddress",
         "<Conf_Settings><lastipadd><ipaddress/></lastipadd>" + flags + "</Conf_Settings>",
         {"", "", "English", true, true, true, true}},
        {"flags other than \"1\"",
         "<Conf_Settings><lastinternet><enable_internet>01</enable_internet>"
         "<enable_update>true</enable_update><enable_jump_field_tables/>"
         "<Double_Click_Auto_Size> 1</Double_Click_Auto_Size></lastinternet></Conf_Settings>",
         kDefaults},
        {"names are case-sensitive",
         "<Conf_Settings><LastProj><projectname>P1</projectname></LastProj>"
         "<lastipadd><IpAddress>10.1.2.3</IpAddress></lastipadd></Conf_Settings>",
         kDefaults},
        {"value not under its group",
         "<Conf_Settings><projectname>P1</projectname><lastlang/></Conf_Settings>", kDefaults},
        {"truncated file", full.substr(0, full.size() / 2), kDefaults},
        {"not XML", "projectname=P1\n", kDefaults},
        {"empty file", "", kDefaults},
    };
    for (const auto& c : cases) {
        WriteFile(Settings_File(), c.file);
        SetCurrent(kStale);
        Project_Folder = "stale";
        Read_Setting();
        EXPECT_EQ(Current(), c.expected) << c.what;
        EXPECT_EQ(Project_Folder, "") << c.what;
    }

    DeleteFile(Settings_File());
    SetCurrent(kStale);
    Read_Setting();
    EXPECT_EQ(Current(), kDefaults) << "missing file";
}

TEST_F(Comon, SaveThenReadGivesTheSameValues)
{
    const Settings cases[] = {
        kDefaults,
        kValues,
        {" ", "  ", "\t", true, true, false, false},
        {"  two  blanks  ", " 10.0.0.1 ", "Fran\xC3\xA7" "ais", false, true, false, true},
        {"line1\r\nline2\ttab", "]]> <!-- -->", "\"quoted\" 'single'", false, false, true, false},
    };
    for (const auto& c : cases) {
        SetCurrent(c);
        ASSERT_TRUE(Save_Setting());
        SetCurrent(kStale);
        Read_Setting();
        EXPECT_EQ(Current(), c);
    }
}

TEST_F(Comon, UnreadableSettingsAreRewrittenOnSave)
{
    WriteFile(Settings_File(), "<Conf_Settings><lastproj>");
    Read_Setting();
    ASSERT_TRUE(Save_Setting());
    EXPECT_EQ(ReadFile(Settings_File()), ReadFile(TestDataPath("Zelvator_defaults.xml")));
}

// What the user had in an unreadable settings file is kept beside it
// before the file is rewritten: one copy, the latest.
TEST_F(Comon, UnreadableSettingsAreKeptAsBadBeforeTheyAreReplaced)
{
    const std::string bad = Settings_File() + ".bad";
    for (const char* damaged : {"<Conf_Settings><lastproj>Plant 1", "\xFF\xFE<broken"}) {
        WriteFile(Settings_File(), damaged);
        Read_Setting();
        EXPECT_EQ(Current(), kDefaults);
        ASSERT_TRUE(Save_Setting());
        EXPECT_EQ(ReadFile(bad), damaged);
        EXPECT_EQ(ReadFile(Settings_File()), ReadFile(TestDataPath("Zelvator_defaults.xml")));
    }
    // A readable file is replaced without a copy; the old copy stays as it was.
    Read_Setting();
    ASSERT_TRUE(Save_Setting());
    EXPECT_EQ(ReadFile(bad), "\xFF\xFE<broken");
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{"Zelvator.xml", "Zelvator.xml.bad"}));
}

// A read-only settings file is a file that cannot be written: it stays as it was.
TEST_F(Comon, ReadOnlySettingsFileIsNotReplaced)
{
    for (const char* content : {"<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
                                "<Conf_Settings><damaged"}) {
        WriteFile(Settings_File(), content);
        std::filesystem::permissions(Settings_File(), std::filesystem::perms::owner_read);
        Read_Setting();
        Language_Name = "Italiano";
        EXPECT_FALSE(Save_Setting());
        EXPECT_EQ(ReadFile(Settings_File()), content);
        EXPECT_FALSE(FileExists(Settings_File() + ".bad"));
        std::filesystem::remove(Settings_File());
    }
}

TEST_F(Comon, SaveToAFolderThatCannotBeWrittenFails)
{
    Program_Folder = PathJoin(dir.path(), "no such folder");
    EXPECT_FALSE(Save_Setting());
}

TEST_F(Comon, SetFilesPointsEveryPathIntoTheOpenConfiguration)
{
    const char* names[] = {
        "ParGen.xml", "MQTT_Set_Topic.xml", "M_Bus.xml", "ModbusM_SetAccess.xml",
        "ModbusTCPM_SetAccess.xml", "MQTT_Set_Access.xml", "CAN_Rec_Frames.xml",
        "CAN_Send_Frames.xml", "SDO_Server_CANopen.xml", "SDO_Client_CANopen.xml",
        "PDO_CANopen.xml", "DNETM_Net.xml", "DNETM_DefOff.xml", "J1939_Rec_Frames.xml",
        "J1939_Send_Frames.xml", "NMEA_Rec_Frames.xml", "NMEA_Send_Frames.xml",
        "DMX_Default_Values.xml", "KNX_SetAccess.xml", "SNMP_Trap.xml", "SNMP_Manager.xml",
        "BACnet_Slave_SetAccess.xml", "DALI_Access.xml", "DALI2_Access.xml",
        "BACnet_Master_Access.xml"};
    const auto& files = Config_Files();
    ASSERT_EQ(files.size(), std::size(names));

    // No configuration open: empty paths, never rooted at "/".
    for (const auto& f : files) EXPECT_EQ(*f.path, "") << f.name;

    const std::string a = PathJoin(Projects_Root, "Plant A");
    const std::string b = PathJoin(Projects_Root, " Plant B  2 ");
    Project_Folder = a;
    Set_Files();
    Project_Folder = b;
    Set_Files();
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_STREQ(files[i].name, names[i]);
        EXPECT_EQ(*files[i].path, PathJoin(b, names[i]));
    }
    EXPECT_EQ(File_ParGen, PathJoin(b, "ParGen.xml"));
    EXPECT_EQ(File_CAN_Rec_Frames, PathJoin(b, "CAN_Rec_Frames.xml"));
    EXPECT_EQ(File_BACnet_Master_Access, PathJoin(b, "BACnet_Master_Access.xml"));

    Project_Folder.clear();
    Set_Files();
    EXPECT_EQ(File_ParGen, "");
}

TEST_F(Comon, InitStateDerivesTheFolders)
{
    Init_State(dir.path() + "/");
    EXPECT_EQ(Program_Folder, dir.path());
    EXPECT_EQ(Projects_Root, PathJoin(dir.path(), "PROJECTS"));
    EXPECT_EQ(Master_Folder, PathJoin(dir.path(), "MASTER"));
    EXPECT_EQ(Language_Folder, PathJoin(dir.path(), "LANGUAGE"));
    EXPECT_EQ(Settings_File(), PathJoin(dir.path(), "Zelvator.xml"));
    Create_Program_Folders();
    for (const char* f : {"PROJECTS", "MASTER", "LANGUAGE"})
        EXPECT_TRUE(DirectoryExists(PathJoin(dir.path(), f))) << f;
}
