// The CAN receive and transmit frame tables on bare grids: files, load
// defaults, checks, and the device image built from what they write.
#include "RuleTables.h"
#include "image/ImageFixture.h"
#include "rules/can_mqtt/UReceiveCAN.h"
#include "rules/can_mqtt/UTransmitCAN.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

struct ReceiveTables : RuleTables {
    ReceiveTables() : RuleTables(ReceiveCAN_Desc(), "CAN_Rec_Frames.xml") {}
};
struct SendTables : RuleTables {
    SendTables() : RuleTables(TransmitCAN_Desc(), "CAN_Send_Frames.xml") {}
};

std::string Bytes(std::initializer_list<int> v)
{
    std::string s;
    for (int b : v) s += static_cast<char>(b);
    return s;
}

} // namespace

TEST(CANFrames, EmptyGridsWriteTheGoldenEmptyFiles)
{
    ReceiveTables rec;
    EXPECT_EQ(rec.G().RowCount(), 513);
    EXPECT_EQ(rec.G().GetCellEx(1, 512), "Y");  // every new row is enabled
    EXPECT_EQ(rec.Written(), "<Receive_Frames />\n<!--SW_VERSION = 1.002-->\n");
    SendTables send;
    EXPECT_EQ(send.G().ColCount(), 18);
    EXPECT_EQ(send.Written(), "<Transmit_Frames />\n<!--SW_VERSION = 1.002-->\n");
}

TEST(CANFrames, SampleFilesRoundTripAndBuildTheImageEntries)
{
    ImageConfig cfg;  // a configuration with its bin folder
    ReceiveTables rec;
    SendTables send;
    rec.path = UComon::File_CAN_Rec_Frames;
    send.path = UComon::File_CAN_Send_Frames;
    const std::string recSample = ReadFile(TestDataPath("rules/CAN_Rec_Frames_sample.xml"));
    const std::string sendSample = ReadFile(TestDataPath("rules/CAN_Send_Frames_sample.xml"));
    WriteFile(rec.path, recSample);
    WriteFile(send.path, sendSample);
    EXPECT_EQ(rec.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(send.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(rec.G().GetCellEx(2, 2), "abc");
    EXPECT_EQ(rec.G().GetCellEx(1, 3), "Y");
    EXPECT_EQ(rec.Written(), recSample);
    EXPECT_EQ(send.Written(), sendSample);

    BuildOk();
    const std::string bank2 = ReadFile(cfg.Bank2Path());
    EXPECT_EQ(bank2.substr(0, 32), Bytes({0x23, 0x01, 0, 0, 0, 0, 0, 0, 0xF4, 0x01, 0, 0, 0, 0, 0x02, 0, 0x0A, 0,
                                          0x0B, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                          0xFF, 0xFF}));
    EXPECT_EQ(bank2.substr(32, 32), Bytes({0x01, 0, 0, 0x80, 0xE8, 0x03, 0, 0, 0, 0, 0, 0, 0, 0x07, 8, 0, 0, 0, 1,
                                           0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 0x9F, 0x05}));
    EXPECT_EQ(U32(ReadFile(cfg.Bank1Path()), 0x070), 2u);  // the disabled row is left out
}

TEST(CANFrames, ReceiveChecks)
{
    ReceiveTables t;
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> row3;
        std::string message;
    };
    const std::string e3 = "Error row 3";
    const Case cases[] = {
        {"byte within the length", {{2, "1"}, {3, URuleFiles::CAN::Type_11}, {4, "3"}, {5, "0"}, {8, "5000"}},
         "Error row 3!! Byte3 must be between 0 and 1439 or None"},
        {"byte beyond the length", {{2, "1"}, {3, URuleFiles::CAN::Type_11}, {4, "2"}, {5, "0"}, {8, "5000"}}, ""},
        {"None and empty bytes", {{2, "1"}, {4, "8"}, {5, "0"}, {6, "None"}, {7, " None "}, {13, "1439"}}, ""},
        {"11-bit identifier too large", {{2, "0x800"}, {3, URuleFiles::CAN::Type_11}, {4, "1"}, {5, "0"}},
         "Error row 3!! CobID must be between 0 and 2047"},
        {"no type: the 11-bit range", {{2, "0x800"}, {3, ""}, {4, "1"}, {5, "0"}},
         "Error row 3!! CobID must be between 0 and 2047"},
        {"11-bit at its limit", {{2, "0x7FF"}, {3, URuleFiles::CAN::Type_11}, {4, "1"}, {5, "0"}}, ""},
        {"29-bit at its limit", {{2, "$1FFFFFFF"}, {3, URuleFiles::CAN::Type_29}, {4, "1"}, {5, "0"}}, ""},
        {"29-bit too large", {{2, "0x20000000"}, {3, URuleFiles::CAN::Type_29}, {4, "1"}, {5, "0"}}, e3 + Text(2146)},
        {"no length", {{2, "1"}, {4, "0"}, {5, "0"}}, e3 + Text(2147)},
        {"time-out too long", {{2, "1"}, {4, "1"}, {5, "100000001"}}, e3 + Text(2148)},
        {"time-out empty", {{2, "1"}, {4, "1"}}, e3 + Text(2148)},
        {"disabled row with a word", {{1, "N"}, {2, "abc"}}, ""},
        {"enabled in lower case", {{1, " y "}, {2, "abc"}}, e3 + Text(2145)},
    };
    for (const Case& c : cases) {
        t.frame->Reset();
        for (int r = 1; r <= 2; ++r) t.Fill(0, r, {{2, "5"}, {3, URuleFiles::CAN::Type_11}, {4, "1"}, {5, "0"}});
        t.Fill(0, 3, c.row3);
        EXPECT_EQ(t.Fault(), c.message) << c.what;
    }
    // The disabled row is saved as it stands.
    t.frame->Reset();
    t.Fill(0, 1, {{1, "N"}, {2, "abc"}, {4, "x"}});
    EXPECT_NE(t.Written().find("<row Enable=\"N\" COBID=\"abc\" CAN_Type=\"\" Dim=\"x\""), std::string::npos);
}

TEST(CANFrames, TransmitChecks)
{
    SendTables t;
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> row;
        std::string message;
    };
    const Case cases[] = {
        {"timer with a negative time", {{2, "1"}, {4, "1"}, {7, "Y"}, {8, "-1"}}, "Error row 1" + Text(2251)},
        {"timer with time 0", {{2, "1"}, {4, "1"}, {7, "Y"}, {8, "0"}}, ""},
        {"no timer, negative time", {{2, "1"}, {4, "1"}, {7, "N"}, {8, "-1"}}, ""},
        {"no send condition at all", {{2, "1"}, {4, "1"}}, ""},
        {"byte 1 beyond the array", {{2, "1"}, {4, "1"}, {9, "1440"}}, "Error row 1" + Text(2252) + "1439" + Text(2253)},
        {"byte 8", {{2, "1"}, {4, "8"}, {16, "-2"}}, "Error row 1!! Byte8 must be between 0 and 1439 or None"},
        {"no type: 11-bit", {{2, "2048"}, {4, "1"}}, "Error row 1" + Text(2248)},
    };
    for (const Case& c : cases) {
        t.frame->Reset();
        t.Fill(0, 1, c.row);
        EXPECT_EQ(t.Fault(), c.message) << c.what;
    }
}

TEST(CANFrames, LoadDefaults)
{
    ReceiveTables rec;
    WriteFile(rec.path, "<Receive_Frames><row COBID=\"5\"/><row Enable=\"N\" COBID=\"6\" TimeOut=\"7\"/></Receive_Frames>");
    rec.frame->Show();
    EXPECT_EQ(rec.G().GetCellEx(1, 1), "Y");
    EXPECT_EQ(rec.G().GetCellEx(5, 1), "0");
    EXPECT_EQ(rec.G().GetCellEx(3, 1), "");
    EXPECT_EQ(rec.G().GetCellEx(1, 2), "N");
    EXPECT_EQ(rec.G().GetCellEx(5, 2), "7");

    SendTables send;
    WriteFile(send.path, "<Transmit_Frames><row COBID=\"1\" OnTimer=\"Y\"/><row COBID=\"2\"/>"
                         "<row COBID=\"3\" OnTimer=\"y\"/><row COBID=\"4\" OnTimer=\"Y\" Time=\"\"/></Transmit_Frames>");
    send.frame->Show();
    EXPECT_EQ(send.G().GetCellEx(5, 1), "Y");          // OnChange
    EXPECT_EQ(send.G().GetCellEx(6, 1), "N");          // OnCMD
    EXPECT_EQ(send.G().GetCellEx(8, 1), "0");          // Time, OnTimer "Y"
    EXPECT_EQ(send.G().GetCellEx(3, 1), URuleFiles::CAN::Type_11);  // CAN_Type
    EXPECT_EQ(send.G().GetCellEx(7, 2), "N");          // OnTimer
    EXPECT_EQ(send.G().GetCellEx(8, 2), "");
    EXPECT_EQ(send.G().GetCellEx(8, 3), "");           // compared exactly with "Y"
    EXPECT_EQ(send.G().GetCellEx(8, 4), "");           // present, though empty
}
