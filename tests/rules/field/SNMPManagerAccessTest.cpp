// The SNMP manager rules' table on a bare grid: the checks in their order
// and wording, the duplicate requests, loading and the file.
#include "../can_mqtt/RuleTables.h"
#include "rules/field/USNMPManagerAccess.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

using Cells = std::vector<std::pair<int, std::string>>;

// One enabled version 2 rule whose every cell passes.
Cells Good_Row()
{
    using namespace SNMP_Manager_Col;
    return {{Enable, "Y"},  {IP_Address, "192.168.1.20"}, {Version, "2"},   {Community, "Korvan"},
            {OID, "1.3.6.1.2.1.1.5.0"}, {Type, "String"}, {Mode, "Get"}, {On_Timer, "N"},
            {Position, "0"}, {Num_Bytes, "16"}, {Conversion, "None"}};
}

// An SNMPv3 rule with a valid user and passwords.
Cells V3(const std::string& level, const std::string& auth, const std::string& priv)
{
    using namespace SNMP_Manager_Col;
    return {{Version, "3"},          {User, "operator1"},  {Auth_Pass, "Secret123"}, {Priv_Pass, "Private99"},
            {Security_Level, level}, {Auth_Mode, auth},    {Priv_Mode, priv}};
}

std::string Error(int text) { return "Error row 1" + Text(text); }

} // namespace

TEST(SNMPManagerRules, ChecksInTheirOrderAndWording)
{
    using namespace SNMP_Manager_Col;
    RuleTables t(SNMPManagerAccess_Desc(), "SNMP_Manager.xml");
    EXPECT_EQ(t.G().RowCount(), 513);
    EXPECT_EQ(t.G().ColCount(), 23);
    const std::string oid62 = "1.3.6.1.4.1.58127.1.1.1.4.9.1.1.2.3.4.5.6.7.8.9.1.2.3.4.5.6.78";
    ASSERT_EQ(oid62.size(), 62u);
    struct Case {
        Cells cells;  // over the good row
        std::string message;
    } cases[] = {
        {{}, ""},
        {{{OID, ".1.3"}}, Error(4041)},
        {{{OID, "1.3."}}, Error(4042)},
        {{{OID, "1..3"}}, Error(4043)},
        {{{OID, "1.3a"}}, Error(4040)},
        {{{OID, "1 3 6"}}, Error(4040)},
        {{{OID, " 1.3"}}, Error(4040)},
        {{{OID, oid62}}, Error(4039)},
        {{{OID, oid62.substr(2)}}, ""},
        {{{OID, "1.4294967296"}}, Error(4044)},
        {{{OID, "1.1234567890123456789012345"}}, Error(4044)},
        {{{OID, "1.4294967295"}}, ""},
        {{{OID, ""}}, Error(4040)},
        {{{IP_Address, "192.168.1.256"}}, Error(4038)},
        {{{IP_Address, "192.168.1"}}, Error(4038)},
        {{{IP_Address, " 10.0.0.1 "}}, ""},
        {{{On_Timer, "Y"}}, Error(4045)},
        {{{On_Timer, " Y "}, {Time, "100000000"}}, ""},
        {{{On_Timer, "Y"}, {Time, "100000001"}}, Error(4045)},
        {{{On_Timer, "y"}, {Time, ""}}, ""},
        {{{Num_Bytes, "1024"}}, ""},
        {{{Num_Bytes, "0"}}, ""},
        {{{Num_Bytes, "1025"}}, Error(4046)},
        {{{Num_Bytes, ""}}, Error(4046)},
        {{{Num_Bytes, "-1"}}, Error(4046)},
        {{{Conversion, " "}}, Error(4056)},
        // Version 2 ignores the SNMPv3 cells; version 3 tests them.
        {{{User, ""}}, ""},
        {{{Version, "3"}}, Error(4075)},
        {{{Version, "$3"}}, Error(4075)},
        {V3("NoAuth NoPriv", "", ""), ""},
        {V3("Auth NoPriv", "MD5", ""), ""},
        {V3("Auth NoPriv", "", ""), Error(4084)},
        {V3("Auth Priv", "SHA", "AES"), ""},
        {V3("Auth Priv", "SHA", ""), Error(4085)},
        {V3("Auth Priv", "", ""), Error(4084)},
        {V3("auth priv ", "SHA", " "), Error(4085)},
        {V3("", "SHA", "AES"), Error(4083)},
        {V3("Other", "", ""), ""},
    };
    for (const Case& c : cases) {
        t.frame->Reset();
        t.Fill(0, 1, Good_Row());
        t.Fill(0, 1, c.cells);
        std::string what;
        for (const auto& [col, text] : c.cells) what += std::to_string(col) + "=" + text + " ";
        EXPECT_EQ(t.Fault(), c.message) << what;
    }
    // The user and the passwords of a version 3 rule, whatever its level.
    struct Text3 {
        int col;
        std::string text;
        int message;  // 0: passes
    } texts[] = {
        {User, "operator1", 0},         {User, "", 4075},
        {User, "op-1", 4076},           {User, "abcdefghijklmnop", 4074},
        {User, "abcdefghijklmno", 0},   {Auth_Pass, "abcdefg", 4078},
        {Auth_Pass, "abcdefgh", 0},     {Auth_Pass, "abcdefghijklmnop", 4077},
        {Auth_Pass, "abcd-efghi", 4079}, {Auth_Pass, "abcdefghijklmnopqrst", 4077},
        {Priv_Pass, "short", 4081},     {Priv_Pass, "abcdefghijklmnop", 4080},
        {Priv_Pass, "abcd efghi", 4082},
    };
    for (const Text3& c : texts) {
        t.frame->Reset();
        t.Fill(0, 1, Good_Row());
        t.Fill(0, 1, V3("NoAuth NoPriv", "", ""));
        t.Fill(0, 1, {{c.col, c.text}});
        EXPECT_EQ(t.Fault(), c.message ? Error(c.message) : std::string()) << c.col << " " << c.text;
    }
}

TEST(SNMPManagerRules, NoTwoEnabledRulesSendTheSameRequest)
{
    using namespace SNMP_Manager_Col;
    RuleTables t(SNMPManagerAccess_Desc(), "SNMP_Manager.xml");
    for (int r = 1; r <= 6; ++r) {
        t.Fill(0, r, Good_Row());
        t.Fill(0, r, {{OID, "1.3.6.1." + std::to_string(r)}});
    }
    t.Fill(0, 2, {{OID, "1.3.6.1.9"}});
    t.Fill(0, 5, {{OID, "1.3.6.1.9"}, {IP_Address, " 192.168.1.20"}, {Version, "2 "}});
    const std::string message = "Error in rows 2 and 5!! Same IP Address, Version and OID used";
    EXPECT_EQ(t.Fault(), message);
    EXPECT_FALSE(t.frame->OK());
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_EQ(t.boxes.shown[0].text, message);
    EXPECT_FALSE(FileExists(t.path));
    // A disabled row 5 takes no part; nor does one that is not exactly "Y".
    t.Fill(0, 5, {{Enable, "N"}});
    EXPECT_EQ(t.Fault(), "");
    t.Fill(0, 5, {{Enable, "y"}});
    EXPECT_EQ(t.Fault(), "");
    // Another version is another request.
    t.Fill(0, 5, {{Enable, "Y"}, {Version, "1"}});
    EXPECT_EQ(t.Fault(), "");
    // The first pair in row order: rows 1 and 3 before rows 2 and 5.
    t.Fill(0, 5, {{Version, "2"}});
    t.Fill(0, 3, {{OID, "1.3.6.1.1"}});
    EXPECT_EQ(t.Fault(), "Error in rows 1 and 3!! Same IP Address, Version and OID used");
    // A row fault comes before the duplicates.
    t.Fill(0, 6, {{Num_Bytes, "2000"}});
    EXPECT_EQ(t.Fault(), "Error row 6" + Text(4046));
}

TEST(SNMPManagerRules, LoadingTakesDefaultsAndTheFileRoundTrips)
{
    using namespace SNMP_Manager_Col;
    RuleTables t(SNMPManagerAccess_Desc(), "SNMP_Manager.xml");
    WriteFile(t.path, "<SNMP_Manager_Access><row IP_Address=\"10.0.0.1\"/></SNMP_Manager_Access>");
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(t.G().GetCellEx(Enable, 1), "Y");
    EXPECT_EQ(t.G().GetCellEx(Conversion, 1), "None");
    for (int c : {On_Change, On_Command, On_Timer, Cancel}) EXPECT_EQ(t.G().GetCellEx(c, 1), "N") << c;
    EXPECT_EQ(t.G().GetCellEx(OID, 1), "");
    EXPECT_EQ(t.G().GetCellEx(0, 7), "7");
    EXPECT_EQ(t.G().GetCellEx(Enable, 7), "Y");
    EXPECT_EQ(t.G().GetCellEx(Cancel, 7), "");

    const std::string sample =
        "<SNMP_Manager_Access>\n"
        "\t<row Enable=\"Y\" IP_Address=\"192.168.1.20\" Version=\"3\" Community_String=\"Korvan\" "
        "OID=\"1.3.6.1.2.1.1.5.0\" Type=\"Int\" Mode=\"Get\" On_Change=\"N\" On_Command=\"N\" On_Timer=\"Y\" "
        "Time=\"5000\" Position=\"100\" Number_Bytes=\"4\" ConvertFrom=\"Float * 10\" Cancel=\"Y\" User=\"op1\" "
        "Auth_Pass=\"Secret123\" Priv_Pass=\"Private99\" Security_Level=\"Auth Priv\" Auth_Mode=\"SHA\" "
        "Priv_Mode=\"AES\" Mnemonic=\"room &lt;1&gt;\" />\n"
        "\t<row Enable=\"N\" IP_Address=\"bad\" Version=\"\" Community_String=\"\" OID=\"\" Type=\"\" Mode=\"\" "
        "On_Change=\"\" On_Command=\"\" On_Timer=\"\" Time=\"\" Position=\"\" Number_Bytes=\"\" ConvertFrom=\"\" "
        "Cancel=\"\" User=\"\" Auth_Pass=\"\" Priv_Pass=\"\" Security_Level=\"\" Auth_Mode=\"\" Priv_Mode=\"\" "
        "Mnemonic=\"\" />\n"
        "</SNMP_Manager_Access>\n<!--SW_VERSION = 1.003-->\n";
    WriteFile(t.path, sample);
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(t.Fault(), "");
    EXPECT_EQ(t.Written(), sample);
}
