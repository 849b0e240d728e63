// The KNX rules' table on a bare grid: the checks in their order and
// wording, loading and the file.
#include "../can_mqtt/RuleTables.h"
#include "rules/field/UKNXAccess.h"
#include "support/FormatGuard.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

using Cells = std::vector<std::pair<int, std::string>>;

// One enabled row whose every cell passes.
Cells Good_Row()
{
    using namespace KNX_Col;
    return {{Enable, "Y"},     {Source, "1.1.1"}, {Destination, "1/2/3"}, {APCI, "Write"},   {Priority, "Normal"},
            {Data_Format, "None"},  {Mul_Factor, ""},  {Extended, ""},         {On_Timer, "N"},   {Poll_Time, ""},
            {Position, "0"},   {Bit_Mode, "No"},  {Length, "1"},          {TimeOut, "0"}};
}

std::string Error(int text, const std::string& appended = {}) { return "Error row 1" + Text(text) + appended; }

} // namespace

TEST(KNXRules, ChecksInTheirOrderAndWording)
{
    using namespace KNX_Col;
    RuleTables t(KNXAccess_Desc(), "KNX_SetAccess.xml");
    EXPECT_EQ(t.G().RowCount(), 1025);
    EXPECT_EQ(t.G().ColCount(), 19);
    struct Case {
        Cells cells;  // over the good row
        std::string message;
    } cases[] = {
        {{}, ""},
        {{{Source, "0.0.0"}}, ""},
        {{{Source, "15.15.255"}}, ""},
        {{{Source, "230.240"}}, ""},
        {{{Source, "100"}}, ""},
        {{{Source, " 1.1.20 "}}, ""},
        {{{Source, "16.1.1"}}, Error(3849)},
        {{{Source, "1/2/3"}}, Error(3849)},
        {{{Destination, "31/7/255"}}, ""},
        {{{Destination, "31/2047"}}, ""},
        {{{Destination, "1.1.20"}}, ""},
        {{{Destination, "230.240"}}, ""},
        {{{Destination, "ab.cd"}}, ""},
        {{{Destination, "65535"}}, ""},
        {{{Destination, "0/0/0"}}, Error(3851)},
        {{{Destination, "0/0"}}, Error(3851)},
        {{{Destination, "32/1/1"}}, Error(3851)},
        {{{Destination, "0"}}, Error(3851)},
        {{{Destination, "65536"}}, Error(3851)},
        {{{Destination, ""}}, Error(3851)},
        {{{Destination, "1.1.20.5"}}, Error(3850)},
        {{{APCI, "write"}}, ""},
        {{{APCI, "WRITE"}}, ""},
        {{{APCI, "Read"}}, ""},
        {{{APCI, "1023"}}, ""},
        {{{APCI, "$3FF"}}, ""},
        {{{APCI, "1024"}}, Error(3852)},
        {{{APCI, ""}}, Error(3852)},
        {{{Priority, "normal"}}, Error(3853)},
        {{{Priority, "Low "}}, Error(3853)},
        {{{Priority, "System"}}, ""},
        {{{Data_Format, " "}}, Error(3854)},
        {{{Mul_Factor, "2a"}}, Error(3865)},
        {{{Mul_Factor, "  "}}, ""},
        {{{On_Timer, "Y"}}, Error(3855)},
        {{{On_Timer, "Y"}, {Poll_Time, "100000000"}}, ""},
        {{{On_Timer, "Y"}, {Poll_Time, "100000001"}}, Error(3855)},
        {{{Poll_Time, "x"}}, ""},
        {{{Position, "1440"}}, Error(3856, "1439")},
        {{{Position, ""}}, Error(3856, "1439")},
        {{{Bit_Mode, "8"}}, Error(3857)},
        {{{Bit_Mode, ""}}, Error(3857)},
        {{{Bit_Mode, "no"}}, ""},
        {{{Length, "14"}}, ""},
        {{{Length, "15"}}, Error(3858, "14")},
        {{{Length, "0"}}, Error(3858, "14")},
        {{{Length, "255"}, {Extended, "Y"}}, ""},
        {{{Length, "256"}, {Extended, "Y"}}, Error(3858, "255")},
        {{{Bit_Mode, "0"}, {Length, "112"}}, ""},
        {{{Bit_Mode, "0"}, {Length, "113"}}, Error(3858, "112")},
        {{{Bit_Mode, "0"}, {Length, "2041"}, {Extended, "Y"}}, Error(3858, "2040")},
        {{{Bit_Mode, "7"}, {Length, "112"}, {Position, "1425"}}, ""},
        {{{Bit_Mode, "7"}, {Length, "112"}, {Position, "1426"}}, Error(3859, "1440")},
        {{{Length, "14"}, {Position, "1426"}}, ""},
        {{{Length, "14"}, {Position, "1427"}}, Error(3859, "1440")},
        {{{TimeOut, "-1"}}, Error(3866)},
        {{{TimeOut, "100000000"}}, ""},
        // The first fault in the table's order is the one shown.
        {{{Source, "16.1.1"}, {APCI, "1024"}, {TimeOut, ""}}, Error(3849)},
        {{{Priority, "low"}, {Data_Format, ""}}, Error(3853)},
    };
    for (const Case& c : cases) {
        t.frame->Reset();
        t.Fill(0, 1, Good_Row());
        t.Fill(0, 1, c.cells);
        std::string what;
        for (const auto& [col, text] : c.cells) what += std::to_string(col) + "=" + text + " ";
        EXPECT_EQ(t.Fault(), c.message) << what;
    }
}

TEST(KNXRules, MultiplicationFactorTakesEitherSeparator)
{
    RuleTables t(KNXAccess_Desc(), "KNX_SetAccess.xml");
    for (char sep : {',', '.'}) {
        FormatGuard format(sep, sep == ',' ? '.' : ',', '/', "dd/mm/yyyy");
        for (const char* factor : {"2,5", "2.5", " -0.125 ", "3"}) {
            t.frame->Reset();
            t.Fill(0, 1, Good_Row());
            t.Fill(0, 1, {{KNX_Col::Mul_Factor, factor}});
            EXPECT_EQ(t.Fault(), "") << factor << " under " << sep;
        }
        t.Fill(0, 1, {{KNX_Col::Mul_Factor, "2,5,1"}});
        EXPECT_EQ(t.Fault(), Error(3865)) << sep;
    }
}

TEST(KNXRules, DisabledRowsAndTheEndOfTheTable)
{
    using namespace KNX_Col;
    RuleTables t(KNXAccess_Desc(), "KNX_SetAccess.xml");
    // A disabled row with bad cells is not tested and keeps every cell.
    t.Fill(0, 1, {{Enable, "N"}, {Source, "99.99.99"}, {Destination, "x"}, {APCI, "z"}, {Priority, "normal"},
                  {Data_Format, ""}, {Mul_Factor, "2a"}, {Extended, "Y"}, {ReTest, "N"}, {On_Command, "Y"},
                  {On_Change, ""}, {On_Timer, "Y"}, {Poll_Time, "0"}, {Position, "9999"}, {Bit_Mode, "9"},
                  {Length, "-3"}, {TimeOut, "t"}, {Mnemonic, " m "}});
    // Only an exact "Y" tests a row.
    t.Fill(0, 2, Good_Row());
    t.Fill(0, 2, {{Enable, "y"}, {Length, "999"}});
    t.Fill(0, 3, Good_Row());
    // An empty source ends the table: rows after it are neither checked nor saved.
    t.Fill(0, 4, {{Source, "  "}, {Destination, "1/1/1"}});
    t.Fill(0, 5, Good_Row());
    t.Fill(0, 5, {{Length, "999"}});
    EXPECT_EQ(t.Fault(), "");
    const std::string written = t.Written();
    EXPECT_NE(written.find("\t\t<row Enable=\"N\" Source_Address=\"99.99.99\" Destination_Address=\"x\" APCI=\"z\" "
                           "Priority=\"normal\" Format=\"\" MultiplicationFactor=\"2a\" Extended=\"Y\" ReTest=\"N\" "
                           "On_Command=\"Y\" On_Change=\"\" On_Timer=\"Y\" Poll_Time=\"0\" Position=\"9999\" "
                           "Bit_Mode=\"9\" Length=\"-3\" TimeOut=\"t\" Mnemonic=\" m \" />\n"),
              std::string::npos);
    size_t rows = 0;
    for (size_t p = written.find("<row "); p != std::string::npos; p = written.find("<row ", p + 1)) ++rows;
    EXPECT_EQ(rows, 3u);
    // The grid's own enabled row 3 is tested.
    t.Fill(0, 3, {{Length, "999"}});
    EXPECT_EQ(t.Fault(), "Error row 3" + Text(3858) + "14");
}

TEST(KNXRules, LoadingTakesDefaultsAndMendsThePriority)
{
    using namespace KNX_Col;
    RuleTables t(KNXAccess_Desc(), "KNX_SetAccess.xml");
    WriteFile(t.path, "<BACnet_to_KNX><Other/><KNX_in_Write>"
                      "<row Source_Address=\"1.1.1\" Priority=\"normal\" Extended=\"Y\"/>"
                      "<row Source_Address=\"1.1.2\" Priority=\"Urgent\" Format=\"Swap16\" TimeOut=\"5\"/>"
                      "<row Source_Address=\"1.1.3\" Priority=\"\" Enable=\"N\"/>"
                      "<row Source_Address=\"1.1.4\" Priority=\" Low\"/>"
                      "</KNX_in_Write></BACnet_to_KNX>");
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    EXPECT_TRUE(t.boxes.shown.empty());
    EXPECT_EQ(t.G().GetCellEx(Priority, 1), "Normal");
    EXPECT_EQ(t.G().GetCellEx(Priority, 2), "Urgent");
    EXPECT_EQ(t.G().GetCellEx(Priority, 3), "Normal");
    EXPECT_EQ(t.G().GetCellEx(Priority, 4), "Normal");
    // Missing attributes: the load defaults, else the empty text.
    EXPECT_EQ(t.G().GetCellEx(Enable, 1), "Y");
    EXPECT_EQ(t.G().GetCellEx(Enable, 3), "N");
    EXPECT_EQ(t.G().GetCellEx(Data_Format, 1), "None");
    EXPECT_EQ(t.G().GetCellEx(On_Command, 1), "N");
    EXPECT_EQ(t.G().GetCellEx(On_Timer, 1), "N");
    EXPECT_EQ(t.G().GetCellEx(TimeOut, 1), "0");
    EXPECT_EQ(t.G().GetCellEx(TimeOut, 2), "5");
    EXPECT_EQ(t.G().GetCellEx(Extended, 1), "Y");
    EXPECT_EQ(t.G().GetCellEx(Extended, 2), "");
    for (int c : {Destination, APCI, Mul_Factor, ReTest, On_Change, Poll_Time, Position, Bit_Mode, Length, Mnemonic})
        EXPECT_EQ(t.G().GetCellEx(c, 2), "") << c;
    EXPECT_EQ(t.G().GetCellEx(Source, 4), "1.1.4");
    // The reset of the rows after the file's.
    EXPECT_EQ(t.G().GetCellEx(Enable, 5), "Y");
    EXPECT_EQ(t.G().GetCellEx(Extended, 5), "");
}

TEST(KNXRules, FilesRoundTripByteForByte)
{
    RuleTables t(KNXAccess_Desc(), "KNX_SetAccess.xml");
    EXPECT_EQ(t.Written(), "<BACnet_to_KNX>\n\t<KNX_in_Write />\n</BACnet_to_KNX>\n<!--SW_VERSION = 1.004-->\n");
    const std::string sample =
        "<BACnet_to_KNX>\n\t<KNX_in_Write>\n"
        "\t\t<row Enable=\"Y\" Source_Address=\"1.1.20\" Destination_Address=\"31/7/255\" APCI=\"Write\" "
        "Priority=\"Low\" Format=\"Float16 to Float32\" MultiplicationFactor=\"0,5\" Extended=\"Y\" ReTest=\"N\" "
        "On_Command=\"Y\" On_Change=\"N\" On_Timer=\"Y\" Poll_Time=\"1000\" Position=\"1438\" Bit_Mode=\"7\" "
        "Length=\"9\" TimeOut=\"0\" Mnemonic=\"hall &amp; stairs\" />\n"
        "\t\t<row Enable=\"N\" Source_Address=\"230.240\" Destination_Address=\"\" APCI=\"\" Priority=\"System\" "
        "Format=\"\" MultiplicationFactor=\"\" Extended=\"\" ReTest=\"\" On_Command=\"\" On_Change=\"\" On_Timer=\"\" "
        "Poll_Time=\"\" Position=\"\" Bit_Mode=\"\" Length=\"\" TimeOut=\"\" Mnemonic=\"\" />\n"
        "\t</KNX_in_Write>\n</BACnet_to_KNX>\n<!--SW_VERSION = 1.004-->\n";
    WriteFile(t.path, sample);
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    FormatGuard format(',', '.', '/', "dd/mm/yyyy");
    EXPECT_EQ(t.Fault(), "");
    EXPECT_EQ(t.Written(), sample);
}
