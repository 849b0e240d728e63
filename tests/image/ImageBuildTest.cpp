// Whole builds: the default image, repeatability, and the failures that must
// leave the bank files alone.

#include "ImageFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The default parameter block, every non-zero byte spelled out.
std::string DefaultBank1()
{
    std::string b(2048, '\0');
    auto put = [&](size_t at, std::initializer_list<int> bytes) {
        for (int v : bytes) b[at++] = static_cast<char>(v);
    };
    put(0x000, {0x90, 0xD0, 0x03, 0x00});  // 250000
    put(0x004, {0x90, 0xD0, 0x03, 0x00});
    put(0x00C, {0x80, 0x25, 0x00, 0x00});  // 9600
    put(0x028, {192, 168, 2, 205});
    put(0x02C, {255, 255, 255, 0});
    put(0x030, {255, 255, 255, 255});
    put(0x034, {0x10, 0x27});  // 10000
    put(0x036, {0x11, 0x27});  // 10001
    put(0x038, {0x11, 0x27});
    put(0x0C8, {0x00, 0x00, 0x08, 0x00});  // 0x80000
    put(0x1B4, {8, 8, 8, 8, 8, 8, 8, 8});
    put(0x590, {0x00, 0x80, 0x08, 0x00});  // 0x88000
    put(0x7FC, {0x12, 0x0E, 0x00, 0x00});  // 3602
    return b;
}

std::string EmptyCanTable()
{
    std::string entry(16, '\0');
    entry += std::string(16, '\xFF');
    std::string t;
    for (int i = 0; i < 1024; ++i) t += entry;
    return t;
}

// The 221-byte header of an empty MQTT record.
std::string EmptyMqttHeader()
{
    std::string h(221, '\0');
    auto u32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) h[at + i] = static_cast<char>(v >> (8 * i));
    };
    u32(8, 0x880DC);
    h.replace(14, 4, "MQTC");
    h[22] = 4;
    h.replace(39, 4, "MQTW");
    for (size_t at : {101, 105, 109, 117}) u32(at, 0x88000);
    for (size_t at : {129, 141, 149, 161, 165, 212}) u32(at, 0x880DC);
    return h;
}

} // namespace

TEST(ImageBuild, ConfigurationWithoutFilesGivesTheDefaultImage)
{
    ImageConfig cfg;
    BuildOk();
    const std::string bank1 = ReadFile(cfg.Bank1Path());
    const std::string bank2 = ReadFile(cfg.Bank2Path());
    EXPECT_EQ(bank1, DefaultBank1());
    ASSERT_EQ(bank2.size(), 32989u);
    EXPECT_EQ(bank2.substr(0, 0x8000), EmptyCanTable());
    EXPECT_EQ(MqttPart(bank2), EmptyMqttHeader());
    // Only the two bank files remain in the folder.
    EXPECT_EQ(ListFiles(cfg.Bin()), (std::vector<std::string>{"bank1.bin", "bank2.bin"}));
}

TEST(ImageBuild, RepeatedBuildsAreIdenticalAndCarryNothingOver)
{
    std::string first1, first2;
    {
        ImageConfig cfg;
        cfg.ParGen({{"CAN_BAUDRATE", "3"}, {"Eth_Conn_Device_Name", "gw"}, {"MQTT_Server_URL", "broker"}});
        cfg.Receive({{{"Enable", "Y"}, {"COBID", "5"}, {"Dim", "1"}, {"Byte1", "7"}}});
        cfg.Topics({PubRow()}, {SubRow()});
        BuildOk();
        first1 = ReadFile(cfg.Bank1Path());
        first2 = ReadFile(cfg.Bank2Path());
        BuildOk();
        EXPECT_EQ(ReadFile(cfg.Bank1Path()), first1);
        EXPECT_EQ(ReadFile(cfg.Bank2Path()), first2);
    }
    ImageConfig empty;
    BuildOk();
    EXPECT_EQ(ReadFile(empty.Bank1Path()), DefaultBank1());
    EXPECT_EQ(ReadFile(empty.Bank2Path()).size(), 32989u);
}

// Every failure: the error box names what is wrong, nothing is created and
// bank files of an earlier build stay as they were.
struct FailureCase {
    const char* name;
    void (*setup)(const ImageConfig&);
    std::vector<std::string> message_parts;
};

// A failing case is shown by its name, not as the bytes of the structure.
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ImageBuildFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ImageBuildFailure, ShowsAnErrorAndLeavesTheFilesAlone)
{
    const FailureCase& c = GetParam();
    ImageConfig cfg;
    // An earlier image on disk.
    WriteFile(cfg.Bank1Path(), "old bank 1");
    WriteFile(cfg.Bank2Path(), "old bank 2");
    c.setup(cfg);

    RecordingMessageBoxes boxes;
    EXPECT_FALSE(USaveBincc::Build_Device_Image());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    for (const std::string& part : c.message_parts)
        EXPECT_NE(boxes.shown[0].text.find(part), std::string::npos) << boxes.shown[0].text << "\nlacks: " << part;
    EXPECT_EQ(ReadFile(cfg.Bank1Path()), "old bank 1");
    EXPECT_EQ(ReadFile(cfg.Bank2Path()), "old bank 2");
    EXPECT_EQ(ListFiles(cfg.Bin()).size(), 2u);
    // Nothing of the failed build can be written afterwards.
    EXPECT_THROW(USaveBincc::Save_Bin(), EImageBuildError);
}

INSTANTIATE_TEST_SUITE_P(
    Decisions, ImageBuildFailure,
    ::testing::Values(
        FailureCase{"EmptyPublishQoS",
                    [](const ImageConfig& cfg) {
                        cfg.Topics({PubRow(), PubRow({{"QoS", ""}})}, {});
                    },
                    {"MQTT_Set_Topic.xml", "MQTT_Publish", "row 2", "QoS"}},
        FailureCase{"SubscribeQoSNoNumber",
                    [](const ImageConfig& cfg) { cfg.Topics({}, {SubRow({{"QoS", "one"}})}); },
                    {"MQTT_Set_Topic.xml", "MQTT_Subscribe", "row 1", "\"one\""}},
        FailureCase{"PublishWithoutMnemonic",
                    [](const ImageConfig& cfg) { cfg.Topics({Without(PubRow(), "Mnemonic")}, {}); },
                    {"MQTT_Publish", "row 1", "Mnemonic"}},
        FailureCase{"MissingCertificateWithTls",
                    [](const ImageConfig& cfg) {
                        cfg.ParGen({{"TLS_Enable", "1"}, {"TLS_Client_CA_Certificate", "ca.pem"}});
                    },
                    {"ParGen.xml", "ca.pem", "Certificates"}},
        FailureCase{"CertificatePathWithTls",
                    [](const ImageConfig& cfg) {
                        // The file exists, but outside the Certificates folder.
                        WriteFile(PathJoin(UComon::Project_Folder, "key.pem"), "secret");
                        cfg.ParGen({{"TLS_Enable", "1"}, {"TLS_Client_Auth_Key", "../key.pem"}});
                    },
                    {"ParGen.xml", "../key.pem"}},
        FailureCase{"SsidOver32",
                    [](const ImageConfig& cfg) { cfg.ParGen({{"WiFi_SSID", std::string(33, 's')}}); },
                    {"ParGen.xml", "SSID", "32"}},
        FailureCase{"PasswordOver64",
                    [](const ImageConfig& cfg) { cfg.ParGen({{"WiFi_PWD", std::string(65, 'p')}}); },
                    {"ParGen.xml", "password", "64"}},
        FailureCase{"MoreThan1024CanRows",
                    [](const ImageConfig& cfg) {
                        std::vector<Attrs> rows(600, Attrs{{"Enable", "Y"}, {"COBID", "1"}, {"Dim", "1"}});
                        cfg.Receive(rows);
                        cfg.Send(rows);
                    },
                    {"CAN_Send_Frames.xml", "row 425", "1024"}},
        FailureCase{"StructureTooLarge",
                    [](const ImageConfig& cfg) {
                        cfg.Certificate("big.pem", std::string(500000, 'A'));
                        cfg.ParGen({{"TLS_Enable", "1"}, {"TLS_Server_Auth_Certificate", "big.pem"}});
                    },
                    {"MQTT", "491520"}},
        FailureCase{"MalformedParGen",
                    [](const ImageConfig&) { WriteFile(UComon::File_ParGen, "<Par_Gen><CAN_BAUDRATE>3</Par_Gen>"); },
                    {"ParGen.xml", "XML"}},
        // Numbers that do not fit their field, or lie outside what the
        // windows allow, are never packed as their low bits.
        FailureCase{"MqttPortAbove16Bits",
                    [](const ImageConfig& cfg) { cfg.ParGen({{"MQTT_Server_Port", "70000"}}); },
                    {"ParGen.xml", "\"MQTT_Server_Port\"", "\"70000\"", "0 to 65535"}},
        FailureCase{"MqttPortNegative",
                    [](const ImageConfig& cfg) { cfg.ParGen({{"MQTT_Server_Port", "-1"}}); },
                    {"ParGen.xml", "\"MQTT_Server_Port\"", "\"-1\""}},
        FailureCase{"EthernetOctetAbove255",
                    [](const ImageConfig& cfg) { cfg.ParGen({{"Ethernet_IP1", "300"}}); },
                    {"ParGen.xml", "\"Ethernet_IP1\"", "\"300\"", "0 to 255"}},
        FailureCase{"WiFiTypeOutsideItsList",
                    [](const ImageConfig& cfg) { cfg.ParGen({{"WiFi_Type", "256"}}); },
                    {"ParGen.xml", "\"WiFi_Type\"", "\"256\"", "0 to 1"}},
        FailureCase{"WillQoSOutsideItsList",
                    [](const ImageConfig& cfg) { cfg.ParGen({{"MQTT_Will_QoS", "$FF"}}); },
                    {"ParGen.xml", "\"MQTT_Will_QoS\"", "\"$FF\"", "0 to 2"}},
        FailureCase{"LeaseTimeZeroWithDhcpServer",
                    [](const ImageConfig& cfg) {
                        cfg.ParGen({{"WiFi_Type", "0"}, {"WiFi_EN_DHCP", "1"}, {"WiFi_Lease_Time", "0"}});
                    },
                    {"ParGen.xml", "\"WiFi_Lease_Time\"", "1 to 99999999"}},
        FailureCase{"NtpPollAboveTheWindowsRange",
                    [](const ImageConfig& cfg) { cfg.ParGen({{"NTP_Poll_Time", "10000001"}}); },
                    {"ParGen.xml", "\"NTP_Poll_Time\"", "0 to 10000000"}},
        FailureCase{"CobIdNegative",
                    [](const ImageConfig& cfg) { cfg.Receive({{{"COBID", "-1"}, {"CAN_Type", "2.0B (29 bits)"}}}); },
                    {"CAN_Rec_Frames.xml", "row 1", "\"COBID\"", "\"-1\""}},
        FailureCase{"CobIdAbove11BitsIn11BitFrame",
                    [](const ImageConfig& cfg) { cfg.Send({{{"COBID", "0x800"}, {"CAN_Type", "2.0A (11 bits)"}}}); },
                    {"CAN_Send_Frames.xml", "row 1", "\"0x800\"", "0 to 2047"}},
        FailureCase{"DimAbove8",
                    [](const ImageConfig& cfg) {
                        cfg.Receive({{{"COBID", "1"}, {"Dim", "1"}}, {{"COBID", "2"}, {"Dim", "300"}}});
                    },
                    {"CAN_Rec_Frames.xml", "row 2", "\"Dim\"", "\"300\"", "1 to 8"}},
        FailureCase{"BytePositionBeyondTheDataArray",
                    [](const ImageConfig& cfg) { cfg.Send({{{"COBID", "1"}, {"Dim", "1"}, {"Byte1", "70000"}}}); },
                    {"CAN_Send_Frames.xml", "row 1", "\"Byte1\"", "\"70000\"", "0 to 1439"}},
        FailureCase{"SendPeriodOnTimerAboveRange",
                    [](const ImageConfig& cfg) {
                        cfg.Send({{{"COBID", "1"}, {"OnTimer", "Y"}, {"Time", "100000001"}}});
                    },
                    {"CAN_Send_Frames.xml", "\"Time\"", "0 to 100000000"}},
        FailureCase{"PublishQoSNegative",
                    [](const ImageConfig& cfg) { cfg.Topics({PubRow({{"QoS", "-7"}})}, {}); },
                    {"MQTT_Set_Topic.xml", "MQTT_Publish", "row 1", "\"QoS\"", "\"-7\"", "0 to 2"}},
        FailureCase{"SubscribePositionBeyondTheDataArray",
                    [](const ImageConfig& cfg) {
                        cfg.ParGen({});
                        cfg.Topics({}, {SubRow({{"Position", "1440"}})});
                    },
                    {"MQTT_Subscribe", "row 1", "\"Position\"", "0 to 1439"}},
        FailureCase{"TemplateFieldsBeforeTheDataArray",
                    [](const ImageConfig& cfg) {
                        cfg.ParGen({});
                        cfg.Topics({}, {SubRow({{"Template", "{@B-16.8@}"}})});
                    },
                    {"MQTT_Subscribe", "row 1", "template", "position -2"}},
        FailureCase{"SubscribeTemplateLargerThanTheStructure",
                    [](const ImageConfig& cfg) {
                        std::string t;
                        for (int i = 0; i < 400000; ++i) t += "@1.1@";
                        cfg.ParGen({});
                        cfg.Topics({}, {SubRow({{"Template", t}})});
                    },
                    {"MQTT_Subscribe", "row 1", "2000000 bytes", "491520"}},
        // Links in the configuration folder are not followed out of it.
        FailureCase{"CertificateLinkedFromOutside",
                    [](const ImageConfig& cfg) {
                        WriteFile(PathJoin(UComon::Program_Folder, "secret.key"), "not for the image");
                        cfg.Certificate("placeholder", "");
                        std::filesystem::create_symlink(
                            PathJoin(UComon::Program_Folder, "secret.key"),
                            PathJoin(PathJoin(UComon::Project_Folder, "Certificates"), "ca.pem"));
                        cfg.ParGen({{"TLS_Enable", "1"}, {"TLS_Client_CA_Certificate", "ca.pem"}});
                    },
                    {"ca.pem", "secret.key", "outside"}},
        FailureCase{"CertificatesFolderLinkedFromOutside",
                    [](const ImageConfig& cfg) {
                        // The whole folder is a link: what lies in its target
                        // is still outside the configuration.
                        const std::string keys = PathJoin(UComon::Program_Folder, "keys");
                        ForceDirectories(keys);
                        WriteFile(PathJoin(keys, "ca.pem"), "not for the image");
                        std::filesystem::create_directory_symlink(
                            keys, PathJoin(UComon::Project_Folder, "Certificates"));
                        cfg.ParGen({{"TLS_Enable", "1"}, {"TLS_Client_CA_Certificate", "ca.pem"}});
                    },
                    {"ca.pem", "keys", "outside"}},
        // Something else than a file in a file's place is not a missing file.
        FailureCase{"ReceiveFramesFileIsANamedPipe",
                    [](const ImageConfig&) { NonFile pipe(UComon::File_CAN_Rec_Frames, NonFile::Pipe); },
                    {"CAN_Rec_Frames.xml", "it is a named pipe, not a readable file"}},
        FailureCase{"SendFramesFileIsALinkToADevice",
                    [](const ImageConfig&) { NonFile link(UComon::File_CAN_Send_Frames, NonFile::DeviceLink); },
                    {"CAN_Send_Frames.xml", "it is a device, not a readable file"}},
        FailureCase{"TopicFileIsADanglingLink",
                    [](const ImageConfig&) { NonFile link(UComon::File_MQTT_Set_Topic, NonFile::DanglingLink); },
                    {"MQTT_Set_Topic.xml", "it is a link that leads nowhere, not a readable file"}},
        FailureCase{"ParGenIsAFolder",
                    [](const ImageConfig&) {
                        std::filesystem::remove(UComon::File_ParGen);
                        NonFile folder(UComon::File_ParGen, NonFile::Folder);
                    },
                    {"ParGen.xml", "it is a folder, not a readable file"}},
        FailureCase{"RuleFileAbove64MiB",
                    [](const ImageConfig&) {
                        WriteFile(UComon::File_CAN_Rec_Frames, "");
                        std::filesystem::resize_file(UComon::File_CAN_Rec_Frames, std::uintmax_t(70) << 20);
                    },
                    {"CAN_Rec_Frames.xml", "larger than 64 MiB"}},
        FailureCase{"ReadOnlyBankFile",
                    [](const ImageConfig& cfg) {
                        std::filesystem::permissions(cfg.Bank2Path(), std::filesystem::perms::owner_read |
                                                                          std::filesystem::perms::group_read);
                    },
                    {"bank2.bin", "cannot be written"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageBuild, MissingBinFolderIsReportedAndNothingIsCreated)
{
    ImageConfig cfg(false);
    RecordingMessageBoxes boxes;
    EXPECT_FALSE(USaveBincc::Build_Device_Image());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(cfg.Bin()), std::string::npos) << boxes.shown[0].text;
    EXPECT_FALSE(DirectoryExists(cfg.Bin()));
    EXPECT_EQ(ListFiles(UComon::Project_Folder).size(), 0u);
}

TEST(ImageBuild, SaveBinWritesTheLastBuildOfItsOwnConfiguration)
{
    ImageConfig cfg;
    cfg.ParGen({{"CAN_BAUDRATE", "0"}});
    USaveBincc::Create_Bin();
    // The files may change after the build: Save_Bin writes what was built.
    cfg.ParGen({{"CAN_BAUDRATE", "5"}});
    USaveBincc::Save_Bin();
    EXPECT_EQ(U32(ReadFile(cfg.Bank1Path()), 0), 10000u);
}

TEST(ImageBuild, FailedWriteLeavesNoHalfWrittenPair)
{
    {
        // bank2 cannot be written: the earlier pair stays whole.
        ImageConfig cfg;
        WriteFile(cfg.Bank1Path(), "old bank 1");
        WriteFile(cfg.Bank2Path(), "old bank 2");
        ForceDirectories(cfg.Bank2Path() + ".new/blocked");
        RecordingMessageBoxes boxes;
        EXPECT_FALSE(USaveBincc::Build_Device_Image());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_NE(boxes.shown[0].text.find("bank2.bin"), std::string::npos) << boxes.shown[0].text;
        EXPECT_EQ(ReadFile(cfg.Bank1Path()), "old bank 1");
        EXPECT_EQ(ReadFile(cfg.Bank2Path()), "old bank 2");
        EXPECT_EQ(ListFiles(cfg.Bin()).size(), 2u);
    }
    {
        // bank2 cannot take the place of the old one after bank1 has: the new
        // bank1 is removed rather than left beside a stale bank2.
        ImageConfig cfg;
        WriteFile(cfg.Bank1Path(), "old bank 1");
        ForceDirectories(cfg.Bank2Path() + "/blocked");
        RecordingMessageBoxes boxes;
        EXPECT_FALSE(USaveBincc::Build_Device_Image());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_NE(boxes.shown[0].text.find("bank2.bin"), std::string::npos) << boxes.shown[0].text;
        EXPECT_FALSE(FileExists(cfg.Bank1Path()));
        EXPECT_TRUE(ListFiles(cfg.Bin()).empty());
    }
}
