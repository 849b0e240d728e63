// The CANopen SDO server, DeviceNet slave list, J1939 and NMEA 2000 rule
// tables on bare grids: files and checks.
#include "RuleTables.h"
#include "rules/can_mqtt/UDNet.h"
#include "rules/can_mqtt/UReceiveJ1939.h"
#include "rules/can_mqtt/UReceiveNMEA.h"
#include "rules/can_mqtt/USet_SDO_Server_Access.h"
#include "rules/can_mqtt/UTransmitJ1939.h"
#include "rules/can_mqtt/UTransmitNMEA.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

using Cells = std::vector<std::pair<int, std::string>>;

struct Case {
    const char* what;
    std::vector<Cells> rows;  // rows 1, 2, ...
    std::string message;      // empty: passes
};

void Run_Cases(RuleTables& t, int grid, const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        t.frame->Reset();
        int r = 1;
        for (const Cells& row : c.rows) t.Fill(grid, r++, row);
        EXPECT_EQ(t.Fault(), c.message) << c.what;
    }
}

// Each sample is loaded and written back unchanged; empty grids write the
// root, its sections and the comment.
void Round_Trips(RuleTables& t, const std::string& empty, const std::string& sample)
{
    EXPECT_EQ(t.Written(), empty);
    WriteFile(t.path, sample);
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(t.Fault(), "");
    EXPECT_EQ(t.Written(), sample);
}

} // namespace

TEST(SDOServer, FilesAndChecks)
{
    RuleTables t(Set_SDO_Server_Access_Desc(), "SDO_Server_CANopen.xml");
    EXPECT_EQ(t.G(0).RowCount(), 501);
    Round_Trips(t, "<SDO_Server_CANopen>\n\t<SDO_Read />\n\t<SDO_Write />\n</SDO_Server_CANopen>\n"
                   "<!--SW_VERSION = 1.000-->\n",
                R"(<SDO_Server_CANopen>
	<SDO_Read>
		<row Index="0x2000" SubIndex="3" NByte="2" Address_B1="0" Address_B2="1" Address_B3="abc" Address_B4="" Mnemonic="r" />
		<row Index="$2000" SubIndex="1" NByte="1" Address_B1="1439" Address_B2="xy" Address_B3="" Address_B4="" Mnemonic="" />
	</SDO_Read>
	<SDO_Write>
		<row Index="8192" SubIndex="255" NByte="4" Address_B1="2" Address_B2="3" Address_B3="4" Address_B4="5" Mnemonic="w" />
	</SDO_Write>
</SDO_Server_CANopen>
<!--SW_VERSION = 1.000-->
)");
    Cells good = {{1, "0x2000"}, {2, "0"}, {3, "1"}, {4, "0"}};
    std::vector<Cells> eleven(11, good);
    auto with = [&](Cells last) {
        auto rows = eleven;
        rows.push_back(last);
        return rows;
    };
    Run_Cases(t, 0, {
        {"address of row 12", with({{1, "0x2000"}, {2, "0"}, {3, "1"}, {4, "1440"}}),
         "Error row 12!! [SDO in Read] Address Byte1 must be between 0 and 1439"},
        {"index below", {{{1, "0x1FFF"}}}, "Error row 1" + Text(2551)},
        {"index above", {{{1, "0x6000"}}}, "Error row 1" + Text(2551)},
        // Objects of the EDS file's own, named by their index.
        {"device type", {good, {{1, "0x1000"}}}, std::string("Error row 2!! [SDO in Read] Index 0x1000") +
                                                     Msg_SDO_Reserved_Index},
        {"PDO parameter", {{{1, "$1400"}}}, std::string("Error row 1!! [SDO in Read] Index 0x1400") +
                                                Msg_SDO_Reserved_Index},
        {"mapped PDO object", {{{1, "28672"}}}, std::string("Error row 1!! [SDO in Read] Index 0x7000") +
                                                    Msg_SDO_Reserved_Index},
        {"three bytes", {{{1, "0x5FFF"}, {2, "0"}, {3, "3"}}}, "Error row 1" + Text(2553)},
        {"two bytes, byte 2 beyond", {{{1, "0x2000"}, {2, "0"}, {3, "2"}, {4, "0"}, {5, "1440"}}},
         "Error row 1" + Text(2555) + "1439"},
        {"an empty index ends the page", {good, {{1, " "}}, {{1, "bad"}}}, ""},
    });
    // A write-page fault is reported only when the whole read page passes.
    t.frame->Reset();
    t.Fill(1, 1, {{1, "0x6000"}});
    EXPECT_EQ(t.Fault(), "Error row 1" + Text(2558));
    t.Fill(1, 1, {{1, "0x1A1D"}});
    EXPECT_EQ(t.Fault(), std::string("Error row 1!! [SDO in Write] Index 0x1A1D") + Msg_SDO_Reserved_Index);
    t.Fill(0, 1, {{1, "1"}});
    EXPECT_EQ(t.Fault(), "Error row 1" + Text(2551));
}

TEST(DeviceNetSlaves, FilesAndChecks)
{
    RuleTables t(DNet_Desc(), "DNETM_Net.xml");
    EXPECT_EQ(t.G().RowCount(), 65);
    EXPECT_FALSE(t.G().Options().Contains(goColSizing));
    Round_Trips(t, "<DNET_Net />\n<!--SW_VERSION = 1.000-->\n",
                "<DNET_Net>\n\t<row ID=\"0x3F\" NB_IN=\"0\" NB_OUT=\"65535\" Mnemonic=\"valve\" />\n"
                "\t<row ID=\"3\" NB_IN=\"4\" NB_OUT=\"2\" Mnemonic=\"\" />\n</DNET_Net>\n<!--SW_VERSION = 1.000-->\n");
    Cells good = {{1, "1"}, {2, "1"}, {3, "1"}};
    Run_Cases(t, 0, {
        {"address 64", {good, good, good, good, {{1, "64"}, {2, "0"}, {3, "0"}}}, "Error in row 5!! ID must be 0 or 63"},
        {"address of blanks", {{{1, "  "}, {2, "0"}, {3, "0"}}}, "Error in row 1!! ID must be 0 or 63"},
        {"bytes in", {{{1, "0"}, {2, "65536"}, {3, "0"}}}, "Error in row 1!! Number Byte IN must be 0 or 65535"},
        {"bytes out", {{{1, "0"}, {2, "0"}, {3, "-1"}}}, "Error in row 1!! Number Byte OUT must be 0 or 65535"},
        {"an empty address ends the list", {good, {}, {{1, "99"}}}, ""},
    });
    // The 64th slave is checked and saved like the others.
    t.frame->Reset();
    for (int r = 1; r <= 64; ++r) t.Fill(0, r, good);
    t.Fill(0, 64, {{4, "last"}});
    EXPECT_NE(t.Written().find("Mnemonic=\"last\""), std::string::npos);
}

TEST(J1939Receive, FilesAndChecks)
{
    RuleTables t(ReceiveJ1939_Desc(), "J1939_Rec_Frames.xml");
    Round_Trips(t, "<Receive_J1939 />\n<!--SW_VERSION = 1.103-->\n",
                "<Receive_J1939>\n"
                "\t<row DP=\"0\" PGN=\"0xFEF1\" SA=\"0\" TP=\"N\" TP_Start=\"1\" TP_NByte=\"7\" Delete=\"Y\" OnRequest=\"Y\" OnReq_Time=\"$10\" Mnemonic=\"speed\" />\n"
                "\t<row DP=\"7\" PGN=\"65535\" SA=\"239\" TP=\"Y\" TP_Start=\"1785\" TP_NByte=\"0\" Delete=\"\" OnRequest=\"\" OnReq_Time=\"\" Mnemonic=\"\" />\n"
                "</Receive_J1939>\n<!--SW_VERSION = 1.103-->\n");
    auto row = [](const char* tp, const char* start, const char* n) {
        return Cells{{1, "0"}, {2, "1"}, {3, "0"}, {4, tp}, {5, start}, {6, n}};
    };
    std::vector<Cells> full;  // 180 single frames of 8 bytes: the whole input area
    for (int i = 0; i < 180; ++i) full.push_back(row("N", "0", "8"));
    std::vector<Cells> over = full;
    over.push_back(row("N", "7", "1"));
    Run_Cases(t, 0, {
        {"start and count beyond the frame", {row("N", "3", "6")}, "Error in row 1" + Text(2644)},
        {"1 and 7", {row("N", "1", "7")}, ""},
        {"the whole frame from 0", {row("N", "0", "8")}, ""},
        {"start only", {row("N", "2", "")}, "Error in row 1" + Text(2641)},
        {"count only", {row("", " ", "2")}, "Error in row 1" + Text(2641)},
        {"both blank", {row("N", " ", "")}, ""},
        {"start 8", {row("N", "8", "1")}, "Error in row 1" + Text(2642)},
        {"count 0", {row("N", "0", "0")}, "Error in row 1" + Text(2643)},
        {"transport beyond", {row("Y", "1780", "6")}, "Error in row 1" + Text(2640)},
        {"transport start beyond", {row("Y", "1786", "0")}, "Error in row 1" + Text(2639)},
        {"exactly 1440 bytes", full, ""},
        {"1441 bytes", over, "Error!! Too many bytes of data, the max number is 1440"},
        {"transport counts too", {row("Y", "0", "1440"), row("N", "0", "1")},
         "Error!! Too many bytes of data, the max number is 1440"},
        {"request every ms", {{{1, "0"}, {2, "1"}, {3, "0"}, {8, "Y"}, {9, "1"}}}, "Error in row 1" + Text(2646)},
        {"request every 2 ms", {{{1, "0"}, {2, "1"}, {3, "0"}, {8, "Y"}, {9, "2"}}}, ""},
        {"no request, any time", {{{1, "0"}, {2, "1"}, {3, "0"}, {8, "N"}, {9, "x"}}}, ""},
        {"PGN beyond", {{{1, "1"}, {2, "0x10000"}}}, "Error in row 1" + Text(2637)},
        {"PGN of blanks", {{{1, "1"}, {2, " "}}}, "Error in row 1" + Text(2637)},
        {"no data page", {{{2, "1"}}}, "Error in row 1" + Text(2636)},
        {"source 240", {{{1, "1"}, {2, "1"}, {3, "240"}}}, "Error in row 1" + Text(2638)},
    });
    // Load defaults.
    WriteFile(t.path, "<Receive_J1939><row PGN=\"1\"/></Receive_J1939>");
    t.frame->Show();
    EXPECT_EQ(t.G().GetCellEx(9, 1), "1000");
    for (int c : {4, 7, 8}) EXPECT_EQ(t.G().GetCellEx(c, 1), "N") << c;
    EXPECT_EQ(t.G().GetCellEx(4, 2), "");  // the reset leaves check boxes empty
}

TEST(J1939Transmit, FilesChecksAndOlderFiles)
{
    RuleTables t(TransmitJ1939_Desc(), "J1939_Send_Frames.xml");
    Round_Trips(t, "<Transmit_J1939 />\n<!--SW_VERSION = 1.103-->\n",
                "<Transmit_J1939>\n"
                "\t<row Priority=\"0x7\" DP=\"1\" PGN=\"0x1FFFF\" SA=\"255\" TP_NByte=\"8\" On_Request=\"Y\" On_Data_Change=\"N\" On_Timer=\"Y\" SendTimer=\"65535\" Mnemonic=\"m\" />\n"
                "\t<row Priority=\"3\" DP=\"0\" PGN=\"0\" SA=\"0\" TP_NByte=\"1432\" On_Request=\"\" On_Data_Change=\"\" On_Timer=\"\" SendTimer=\"\" Mnemonic=\"\" />\n"
                "</Transmit_J1939>\n<!--SW_VERSION = 1.103-->\n");
    auto row = [](const char* prio, const char* pgn, const char* n) {
        return Cells{{1, prio}, {2, "0"}, {3, pgn}, {4, "0"}, {5, n}};
    };
    Run_Cases(t, 0, {
        {"priority 8", {row("8", "1", "1")}, "Error in row 1" + Text(2736)},
        {"no priority, a PGN", {row("", "1", "1")}, "Error in row 1" + Text(2736)},
        {"a priority, no PGN", {row("1", "1", "1"), row("1", "", "1")}, "Error in row 2" + Text(2738)},
        {"no bytes", {row("1", "1", "0")}, "Error in row 1!! Num Byte must be between 0 and 1440"},
        {"1440 bytes", {row("1", "1", "1440")}, ""},
        {"and one more", {row("1", "1", "1440"), row("1", "2", "1")},
         "Error!! Too many bytes of data, the max number is 1440"},
        {"timer 0", {{{1, "1"}, {2, "0"}, {3, "1"}, {4, "0"}, {5, "1"}, {8, "Y"}, {9, "0"}}}, "Error in row 1" + Text(2742)},
        {"no timer", {{{1, "1"}, {2, "0"}, {3, "1"}, {4, "0"}, {5, "1"}, {8, "N"}}}, ""},
        {"source 256", {row("1", "1", "1"), {{1, "1"}, {2, "0"}, {3, "1"}, {4, "256"}}}, "Error in row 2" + Text(2739)},
    });
    // A row with a Priority and an empty PGN is refused, not saved unchecked.
    const std::string before = ReadFile(t.path);
    t.frame->Reset();
    t.Fill(0, 1, row("1", "1", "1"));
    t.Fill(0, 2, row("1", "", "1"));
    EXPECT_FALSE(t.frame->OK());
    EXPECT_EQ(ReadFile(t.path), before);

    // Older files: T_Type decides the send condition; an empty byte count is 8.
    WriteFile(t.path, "<Transmit_J1939>"
                      "<row Priority=\"1\" PGN=\"1\" T_Type=\"on timer\" On_Request=\"Y\" On_Data_Change=\"Y\"/>"
                      "<row Priority=\"1\" PGN=\"2\" T_Type=\"On Data Change\" TP_NByte=\"\"/>"
                      "<row Priority=\"1\" PGN=\"3\" T_Type=\"cyclic\" On_Timer=\"Y\"/>"
                      "<row Priority=\"1\" PGN=\"4\" On_Timer=\"Y\" TP_NByte=\"2\"/>"
                      "</Transmit_J1939>");
    t.frame->Show();
    auto conditions = [&](int r) {
        return t.G().GetCellEx(6, r) + t.G().GetCellEx(7, r) + t.G().GetCellEx(8, r) + "/" + t.G().GetCellEx(5, r);
    };
    EXPECT_EQ(conditions(1), "NNY/8");
    EXPECT_EQ(conditions(2), "NYN/8");
    EXPECT_EQ(conditions(3), "NNN/8");
    EXPECT_EQ(conditions(4), "NNY/2");
}

TEST(NMEAReceive, FilesAndChecks)
{
    RuleTables t(ReceiveNMEA_Desc(), "NMEA_Rec_Frames.xml");
    EXPECT_EQ(t.G().RowCount(), 63);
    Round_Trips(t, "<Receive_NMEA_2000 />\n<!--SW_VERSION = 1.000-->\n",
                "<Receive_NMEA_2000>\n"
                "\t<row PGN=\"0x1F801\" SA=\"239\" TP=\"N\" FP=\"Y\" TP_Start=\"200\" TP_NByte=\"23\" Delete=\"Y\" Mnemonic=\"position\" />\n"
                "\t<row PGN=\"127250\" SA=\"0\" TP=\"\" FP=\"\" TP_Start=\"\" TP_NByte=\"\" Delete=\"\" Mnemonic=\"\" />\n"
                "</Receive_NMEA_2000>\n<!--SW_VERSION = 1.000-->\n");
    auto row = [](const char* tp, const char* fp, const char* start, const char* n) {
        return Cells{{1, "1"}, {2, "0"}, {3, tp}, {4, fp}, {5, start}, {6, n}};
    };
    std::vector<Cells> frames(62, row("N", "N", "", ""));  // 62 x 8 = 496 bytes
    Run_Cases(t, 0, {
        {"both: the transport limits", {row("Y", "Y", "1000", "500")}, ""},
        {"fast packet beyond", {row("N", "Y", "200", "24")}, "Error in row 1" + Text(3537)},
        {"fast packet start", {row("N", "Y", "224", "0")}, "Error in row 1" + Text(3536)},
        {"62 whole frames", frames, ""},
        {"1 and 8", {row("N", "N", "1", "8")}, "Error in row 1" + Text(3541)},
        {"2 and 6", {row("N", "N", "2", "6")}, ""},
        {"start only", {row("N", "N", "1", " ")}, "Error in row 1" + Text(3538)},
        {"budget", {row("Y", "N", "0", "500"), row("N", "N", "", ""), row("N", "N", "", "")},
         "Error!! Too many bytes of data, the max number is 512"},
        {"PGN 131072", {{{1, "131072"}}}, "Error in row 1" + Text(3532)},
        {"source 240", {{{1, "1"}, {2, "240"}}}, "Error in row 1" + Text(3533)},
        {"transport beyond", {row("Y", "N", "1", "1785")}, "Error in row 1" + Text(3535)},
    });
    WriteFile(t.path, "<Other_Root><row PGN=\"1\"/></Other_Root>");
    t.frame->Show();
    for (int c : {3, 4, 7}) EXPECT_EQ(t.G().GetCellEx(c, 1), "N") << c;
}

TEST(NMEATransmit, FilesAndChecks)
{
    RuleTables t(TransmitNMEA_Desc(), "NMEA_Send_Frames.xml");
    Round_Trips(t, "<Receive_NMEA_2000 />\n<!--SW_VERSION = 1.000-->\n",
                "<Receive_NMEA_2000>\n"
                "\t<row Priority=\"7\" PGN=\"0x1FFFF\" SA=\"239\" FP=\"Y\" TP_NByte=\"400\" On_Request=\"N\" On_Data_Change=\"Y\" On_Timer=\"Y\" SendTimer=\"65535\" Mnemonic=\"m\" />\n"
                "\t<row Priority=\"0\" PGN=\"0\" SA=\"0\" FP=\"\" TP_NByte=\"0\" On_Request=\"\" On_Data_Change=\"\" On_Timer=\"\" SendTimer=\"\" Mnemonic=\"\" />\n"
                "</Receive_NMEA_2000>\n<!--SW_VERSION = 1.000-->\n");
    auto row = [](const char* prio, const char* pgn, const char* n) {
        return Cells{{1, prio}, {2, pgn}, {3, "0"}, {5, n}};
    };
    Run_Cases(t, 0, {
        {"513 bytes", {row("1", "1", "513")}, "Error in row 1!! Num Byte must be between 0 and 512"},
        {"two of 300", {row("1", "1", "300"), row("1", "2", "300")},
         "Error!! Too many bytes of data, the max number is 512"},
        {"no priority", {row("", "1", "1")}, "Error in row 1" + Text(3636)},
        {"a priority, no PGN", {row("1", "", "1")}, "Error in row 1" + Text(3637)},
        {"timer 65536", {{{1, "1"}, {2, "1"}, {3, "0"}, {5, "1"}, {8, "Y"}, {9, "65536"}}}, "Error in row 1" + Text(3641)},
        {"source 240", {{{1, "1"}, {2, "1"}, {3, "240"}}}, "Error in row 1" + Text(3638)},
    });
}
