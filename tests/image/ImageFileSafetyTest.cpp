// The device image against what the configuration folder may hold: values
// at the edges of their ranges, links leading out of the folder, leftovers
// of an interrupted build, bank files changed after the build.
#include "ImageFixture.h"

#include "image/MqttTopics.h"

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
uint32_t U32At(const std::string& b, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}
uint16_t U16At(const std::string& b, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}
} // namespace

// The checks refuse only what lies outside: the ends of every range build.
TEST(ImageRanges, ValuesAtTheEndsOfTheirRangesBuild)
{
    ImageConfig cfg;
    cfg.ParGen({{"MQTT_Server_Port", "65535"}, {"Ethernet_IP1", "255"}, {"Ethernet_IP2", "0"},
                {"MQTT_Will_QoS", "2"}, {"NTP_Poll_Time", "10000000"}, {"WiFi_Type", "0"}, {"WiFi_EN_DHCP", "1"},
                {"WiFi_Lease_Time", "99999999"}, {"WiFi_Channel", "11"}, {"WiFi_Max_Client", "9"}});
    cfg.Receive({{{"COBID", "2047"}, {"CAN_Type", "2.0A (11 bits)"}, {"Dim", "8"}, {"Byte8", "1439"}},
                 {{"COBID", "0x1FFFFFFF"}, {"CAN_Type", "2.0B (29 bits)"}, {"Dim", "1"}, {"TimeOut", "100000000"}}});
    // A period is checked against the window's range only when the frame
    // is sent on timer; otherwise it must only fit its field.
    cfg.Send({{{"COBID", "0"}, {"OnTimer", "N"}, {"Time", "2147483647"}}});
    cfg.Topics({PubRow({{"QoS", "2"}, {"OnTimer", "Y"}, {"Time", " 999999999"}, {"Position", "1439"}})},
               {SubRow({{"QoS", "2"}, {"Template", "@B11512.8@"}})});
    RecordingMessageBoxes boxes;
    ASSERT_TRUE(USaveBincc::Build_Device_Image()) << (boxes.shown.empty() ? "" : boxes.shown[0].text);
    const std::string b1 = ReadFile(cfg.Bank1Path());
    EXPECT_EQ(static_cast<unsigned char>(b1[0x028]), 255);
    EXPECT_EQ(U32At(b1, 0x4F4), 99999999u);
    const std::string b2 = ReadFile(cfg.Bank2Path());
    EXPECT_EQ(U32At(b2, 0), 2047u);
    EXPECT_EQ(U16At(b2, 16 + 14), 1439u);
    EXPECT_EQ(U32At(b2, 32), 0x9FFFFFFFu);
    EXPECT_EQ(U32At(b2, 64 + 4), 2147483647u);
    const std::string mqtt = b2.substr(0x8000);
    EXPECT_EQ(U16At(mqtt, 12), 65535u);
}

// What the windows accept but leave unchecked still builds: the lease time
// of an access point without its DHCP server, a negative period of a frame
// not sent on timer is refused only because it does not fit its field.
TEST(ImageRanges, UncheckedFieldsMustStillFitTheirField)
{
    {
        ImageConfig cfg;
        cfg.ParGen({{"WiFi_Type", "0"}, {"WiFi_EN_DHCP", "0"}, {"WiFi_Lease_Time", "0"}});
        RecordingMessageBoxes boxes;
        EXPECT_TRUE(USaveBincc::Build_Device_Image());
    }
    {
        ImageConfig cfg;
        cfg.Send({{{"COBID", "1"}, {"OnTimer", "N"}, {"Time", "-5"}}});
        RecordingMessageBoxes boxes;
        EXPECT_FALSE(USaveBincc::Build_Device_Image());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_NE(boxes.shown[0].text.find("\"-5\", outside the range 0 to 2147483647"), std::string::npos)
            << boxes.shown[0].text;
    }
}

// A "bin" that is a link elsewhere receives nothing.
TEST(ImageLinks, BinLinkedOutsideTheConfigurationReceivesNoBankFiles)
{
    ImageConfig cfg;
    TempDir elsewhere;
    fs::remove(cfg.Bin());
    fs::create_directory_symlink(elsewhere.path(), cfg.Bin());
    RecordingMessageBoxes boxes;
    EXPECT_FALSE(USaveBincc::Build_Device_Image());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("outside the configuration"), std::string::npos) << boxes.shown[0].text;
    EXPECT_TRUE(ListFiles(elsewhere.path()).empty());
}

// A "bin" linked to a folder inside the configuration is the configuration's own.
TEST(ImageLinks, BinLinkedInsideTheConfigurationIsWritten)
{
    ImageConfig cfg;
    fs::remove(cfg.Bin());
    ForceDirectories(PathJoin(UComon::Project_Folder, "images"));
    fs::create_directory_symlink(PathJoin(UComon::Project_Folder, "images"), cfg.Bin());
    RecordingMessageBoxes boxes;
    EXPECT_TRUE(USaveBincc::Build_Device_Image());
    EXPECT_EQ(ListFiles(PathJoin(UComon::Project_Folder, "images")),
              (std::vector<std::string>{"bank1.bin", "bank2.bin"}));
}

// A killed build can leave a new bank1 beside an old bank2, a finished
// "bank2.bin.new" and a temporary file: the next build clears them away
// and writes a pair.
TEST(ImageLeftovers, TheNextBuildRemovesWhatAnInterruptedOneLeft)
{
    ImageConfig cfg;
    USaveBincc::Create_Bin();
    USaveBincc::Save_Bin();
    const std::string pair1 = ReadFile(cfg.Bank1Path()), pair2 = ReadFile(cfg.Bank2Path());
    WriteFile(cfg.Bank1Path(), "new bank 1 of a killed build");
    WriteFile(cfg.Bank2Path() + ".new", "new bank 2 of a killed build");
    WriteFile(cfg.Bank1Path() + ".new.tmp004711", "half");
    RecordingMessageBoxes boxes;
    ASSERT_TRUE(USaveBincc::Build_Device_Image());
    EXPECT_EQ(ListFiles(cfg.Bin()), (std::vector<std::string>{"bank1.bin", "bank2.bin"}));
    EXPECT_EQ(ReadFile(cfg.Bank1Path()), pair1);
    EXPECT_EQ(ReadFile(cfg.Bank2Path()), pair2);
    EXPECT_TRUE(USaveBincc::Bank_Files_Match_Last_Build());
}

// The update window may only hand over the pair it just built.
TEST(ImageLeftovers, BankFilesChangedAfterTheBuildAreNoLongerTheBuiltPair)
{
    ImageConfig cfg;
    EXPECT_FALSE(USaveBincc::Bank_Files_Match_Last_Build());
    USaveBincc::Create_Bin();
    EXPECT_FALSE(USaveBincc::Bank_Files_Match_Last_Build());  // built, not written
    USaveBincc::Save_Bin();
    EXPECT_TRUE(USaveBincc::Bank_Files_Match_Last_Build());
    const std::string bank2 = ReadFile(cfg.Bank2Path());
    WriteFile(cfg.Bank2Path(), bank2.substr(0, bank2.size() - 1) + "!");
    EXPECT_FALSE(USaveBincc::Bank_Files_Match_Last_Build());
    WriteFile(cfg.Bank2Path(), bank2);
    EXPECT_TRUE(USaveBincc::Bank_Files_Match_Last_Build());
    fs::remove(cfg.Bank1Path());
    EXPECT_FALSE(USaveBincc::Bank_Files_Match_Last_Build());
}

// The bit-field scan of a subscribe template takes one pass: a template of
// half a megabyte of fields that count for nothing is scanned at once, and
// a larger one than the structure can hold is refused before its scan.
TEST(ImageTemplates, LongTemplatesAreScannedInOnePass)
{
    std::string t;
    while (t.size() < 480000) t += "@1.0@";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(USaveBincc::Parse_At_Fields(t).found);
    EXPECT_TRUE(USaveBincc::Parse_At_Fields(t + "@B16.8@").found);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

    ImageConfig cfg;
    cfg.ParGen({});
    std::string big;
    for (int i = 0; i < 400000; ++i) big += "@1.1@";
    cfg.Topics({}, {SubRow({{"Template", big}})});
    RecordingMessageBoxes boxes;
    const auto build = std::chrono::steady_clock::now();
    EXPECT_FALSE(USaveBincc::Build_Device_Image());
    EXPECT_LT(std::chrono::steady_clock::now() - build, std::chrono::seconds(3));
}
