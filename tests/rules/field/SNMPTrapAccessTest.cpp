// The SNMP agent objects' tables on bare grids: the checks in their order
// and wording, the description duplicates over both pages, the numbering of
// the enabled objects, loading and the file.
#include "../can_mqtt/RuleTables.h"
#include "rules/field/USNMP_MIB.h"
#include "rules/field/USNMP_Trap_Access.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

using Cells = std::vector<std::pair<int, std::string>>;

// One enabled object of each page whose every cell passes.
Cells Good_Read()
{
    using namespace SNMP_Read_Col;
    return {{Enable, "Y"},  {Community, "Korvan"}, {Type, "Int"},       {On_Timer, "N"},
            {Time, ""},     {Position, "0"},       {Bit, "0"},          {NumBits, "16"},
            {Description, "temp"}, {IP_Address, "10.0.0.1"}, {Conversion, "None"}};
}
Cells Good_Write()
{
    using namespace SNMP_Write_Col;
    return {{Enable, "Y"}, {Community, "Dimsoly"}, {Type, "String"}, {Position, "12"},
            {Bit, "0"},    {NumBits, "4"},         {Description, "level"}, {Conversion, "Float"}};
}

std::string Error(int row, int text) { return "Error row " + std::to_string(row) + Text(text); }

} // namespace

TEST(SNMPAgentObjects, ChecksOneEnabledRowAtATime)
{
    RuleTables t(SNMP_Trap_Access_Desc(), "SNMP_Trap.xml");
    EXPECT_EQ(t.G(0).RowCount(), 257);
    EXPECT_EQ(t.G(0).ColCount(), 15);
    EXPECT_EQ(t.G(1).RowCount(), 257);
    EXPECT_EQ(t.G(1).ColCount(), 10);
    const std::string fixedData =
        "Error row 1" + std::string(Msg_Desc_Fixed_Name_Read) + "data" + Msg_Desc_Fixed_Name_End;
    struct Case {
        int page;
        Cells cells;  // over the page's good row
        std::string message;
    } cases[] = {
        {0, {}, ""},
        {1, {}, ""},
        {0, {{SNMP_Read_Col::Type, "String"}, {SNMP_Read_Col::Bit, "3"}, {SNMP_Read_Col::NumBits, "4"}},
         Error(1, 3965)},
        {0, {{SNMP_Read_Col::Type, "String"}, {SNMP_Read_Col::Bit, "0"}, {SNMP_Read_Col::NumBits, "17"}},
         Error(1, 3967)},
        {0, {{SNMP_Read_Col::Type, "String"}, {SNMP_Read_Col::NumBits, "16"}}, ""},
        {0, {{SNMP_Read_Col::Type, "Int"}, {SNMP_Read_Col::NumBits, "64"}}, ""},
        {0, {{SNMP_Read_Col::NumBits, "65"}}, Error(1, 3966)},
        {0, {{SNMP_Read_Col::NumBits, "0"}}, Error(1, 3966)},
        // Any type but "Int" (in any case) is a string.
        {0, {{SNMP_Read_Col::Type, "int"}, {SNMP_Read_Col::Bit, "5"}, {SNMP_Read_Col::NumBits, "64"}}, ""},
        {0, {{SNMP_Read_Col::Type, "Float"}, {SNMP_Read_Col::NumBits, "64"}}, Error(1, 3967)},
        {1, {{SNMP_Write_Col::Type, "String"}, {SNMP_Write_Col::Bit, "1"}}, Error(1, 3972)},
        {1, {{SNMP_Write_Col::NumBits, "17"}}, Error(1, 3974)},
        {1, {{SNMP_Write_Col::Type, "Int"}, {SNMP_Write_Col::NumBits, "65"}}, Error(1, 3973)},
        {0, {{SNMP_Read_Col::Description, "temp1"}}, ""},
        {1, {{SNMP_Write_Col::Description, "temp1"}}, ""},
        {0, {{SNMP_Read_Col::Description, ""}}, ""},
        {0, {{SNMP_Read_Col::Description, "Temp1"}}, Error(1, 3977)},
        {0, {{SNMP_Read_Col::Description, "1temp"}}, Error(1, 3977)},
        {0, {{SNMP_Read_Col::Description, "temp_1"}}, Error(1, 3977)},
        {0, {{SNMP_Read_Col::Description, "temp "}}, Error(1, 3977)},
        {1, {{SNMP_Write_Col::Description, "Temp1"}}, Error(1, 3979)},
        {1, {{SNMP_Write_Col::Description, "1temp"}}, Error(1, 3979)},
        {1, {{SNMP_Write_Col::Description, "temp_1"}}, Error(1, 3979)},
        {0, {{SNMP_Read_Col::Community, "my-comm"}}, Error(1, 3976)},
        {0, {{SNMP_Read_Col::Community, "Korvan"}}, ""},
        {0, {{SNMP_Read_Col::Community, "public2"}}, ""},
        {1, {{SNMP_Write_Col::Community, "my comm"}}, Error(1, 3978)},
        {0, {{SNMP_Read_Col::IP_Address, "192.168.1.300"}}, Error(1, 3968)},
        {0, {{SNMP_Read_Col::IP_Address, "192.168.1"}}, Error(1, 3968)},
        {0, {{SNMP_Read_Col::IP_Address, ""}}, Error(1, 3968)},
        {0, {{SNMP_Read_Col::IP_Address, "10.0.0.1"}}, ""},
        {0, {{SNMP_Read_Col::On_Timer, "Y"}, {SNMP_Read_Col::Time, "0"}}, Error(1, 3962)},
        {0, {{SNMP_Read_Col::On_Timer, "y"}, {SNMP_Read_Col::Time, ""}}, Error(1, 3962)},
        {0, {{SNMP_Read_Col::On_Timer, "Y"}, {SNMP_Read_Col::Time, "1000000000"}}, ""},
        {0, {{SNMP_Read_Col::On_Timer, "Y"}, {SNMP_Read_Col::Time, "1000000001"}}, Error(1, 3962)},
        {0, {{SNMP_Read_Col::Time, "x"}}, ""},
        {0, {{SNMP_Read_Col::Type, " "}}, Error(1, 3961)},
        {1, {{SNMP_Write_Col::Type, ""}}, Error(1, 3969)},
        {0, {{SNMP_Read_Col::Position, ""}}, Error(1, 3963)},
        {1, {{SNMP_Write_Col::Position, ""}}, Error(1, 3970)},
        {0, {{SNMP_Read_Col::Bit, ""}}, Error(1, 3964)},
        {1, {{SNMP_Write_Col::Bit, ""}}, Error(1, 3971)},
        {0, {{SNMP_Read_Col::Conversion, ""}}, Error(1, 3985)},
        {1, {{SNMP_Write_Col::Conversion, " "}}, Error(1, 3986)},
        // A name the MIB file defines itself.
        {0, {{SNMP_Read_Col::Description, "data"}}, fixedData},
        // The first fault in the table's order is the one shown.
        {0, {{SNMP_Read_Col::Community, "a-b"}, {SNMP_Read_Col::Type, ""}, {SNMP_Read_Col::Conversion, ""}},
         Error(1, 3976)},
        {0, {{SNMP_Read_Col::Description, "X"}, {SNMP_Read_Col::IP_Address, "1"}}, Error(1, 3977)},
        {0, {{SNMP_Read_Col::IP_Address, "1"}, {SNMP_Read_Col::Conversion, ""}}, Error(1, 3968)},
    };
    for (const Case& c : cases) {
        t.frame->Reset();
        // The other page's row stays empty (its key ends it at once).
        t.Fill(c.page, 1, c.page == 0 ? Good_Read() : Good_Write());
        t.Fill(c.page, 1, c.cells);
        std::string what = "page " + std::to_string(c.page) + ": ";
        for (const auto& [col, text] : c.cells) what += std::to_string(col) + "=" + text + " ";
        EXPECT_EQ(t.Fault(), c.message) << what;
    }
}

TEST(SNMPAgentObjects, DescriptionsTheMIBFileDefinesItselfAreRefused)
{
    RuleTables t(SNMP_Trap_Access_Desc(), "SNMP_Trap.xml");
    for (const char* name : {"data", "traps", "trapsval", "gateway", "identity", "application", "hellostring",
                             "countin", "countout", "bufferin", "bufferout", "bufferinval", "bufferoutval",
                             "bufferinblk1", "bufferinblk8", "bufferoutblk1", "bufferoutblk8", "bufferinval3",
                             "bufferoutval12", "trapval1", "trapval256", "quembo", "enterprises"}) {
        EXPECT_TRUE(USNMP_MIB::MIB_Fixed_Name(name)) << name;
        t.frame->Reset();
        t.Fill(1, 1, Good_Write());
        t.Fill(1, 1, {{SNMP_Write_Col::Description, name}});
        EXPECT_EQ(t.Fault(), "Error row 1" + std::string(Msg_Desc_Fixed_Name_Write) + name + Msg_Desc_Fixed_Name_End);
    }
    // Names the module never generates pass.
    for (const char* name : {"datas", "trapval", "trapval0", "trapval01", "bufferinblk", "trapvalx", "mydata"})
        EXPECT_FALSE(USNMP_MIB::MIB_Fixed_Name(name)) << name;
}

TEST(SNMPAgentObjects, DescriptionsDifferOverBothPagesOnceBothPass)
{
    using namespace SNMP_Read_Col;
    RuleTables t(SNMP_Trap_Access_Desc(), "SNMP_Trap.xml");
    const std::string duplicate = "Error!! The Descriptions must be all differents";
    EXPECT_EQ(Text(3980), duplicate);
    t.Fill(0, 1, Good_Read());
    t.Fill(1, 1, Good_Write());
    t.Fill(1, 1, {{SNMP_Write_Col::Description, "temp"}});
    EXPECT_EQ(t.Fault(), duplicate);
    // A fault of a row comes first, even one after the duplicate.
    t.Fill(1, 2, Good_Write());
    t.Fill(1, 2, {{SNMP_Write_Col::Description, "other"}, {SNMP_Write_Col::Conversion, ""}});
    EXPECT_EQ(t.Fault(), Error(2, 3986));
    t.Fill(1, 2, {{SNMP_Write_Col::Conversion, "None"}});
    EXPECT_EQ(t.Fault(), duplicate);
    // The same description on a disabled row is not compared.
    t.Fill(1, 1, {{SNMP_Write_Col::Enable, "N"}});
    EXPECT_EQ(t.Fault(), "");
    // Case counts.
    t.Fill(1, 1, {{SNMP_Write_Col::Enable, "Y"}, {SNMP_Write_Col::Description, "tEmp"}});
    EXPECT_EQ(t.Fault(), "");
    // Two enabled rows with empty descriptions on one page.
    t.Fill(0, 2, Good_Read());
    t.Fill(0, 1, {{Description, ""}});
    t.Fill(0, 2, {{Description, ""}});
    EXPECT_EQ(t.Fault(), duplicate);
    // Rows after the first empty community name are not compared either.
    t.Fill(0, 2, {{Community, " "}});
    EXPECT_EQ(t.Fault(), "");
    // The box shows the text alone.
    t.Fill(0, 3, Good_Read());
    t.Fill(0, 2, {{Community, "x"}});
    EXPECT_FALSE(t.frame->OK());
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_EQ(t.boxes.shown[0].text, duplicate);
    EXPECT_EQ(t.boxes.shown[0].type, TMsgDlgType::mtError);
}

TEST(SNMPAgentObjects, ColumnZeroNumbersTheEnabledObjects)
{
    using namespace SNMP_Read_Col;
    RuleTables t(SNMP_Trap_Access_Desc(), "SNMP_Trap.xml");
    WriteFile(t.path, "<SNMP_Trap><SNMP_Trap_Write>"
                      "<row Enable=\"n\" Community_Name=\"a\"/><row Enable=\"y\" Community_Name=\"b\"/>"
                      "</SNMP_Trap_Write><SNMP_Trap_Read>"
                      "<row Enable=\"Y\" Community_Name=\"a\"/><row Enable=\"N\" Community_Name=\"b\"/>"
                      "<row Enable=\"Y\" Community_Name=\"c\"/><row Enable=\" Y\" Community_Name=\"d\"/>"
                      "</SNMP_Trap_Read></SNMP_Trap>");
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    // Rows after the file's are empty and enabled: they count on.
    const std::vector<std::string> read = {"1", "", "2", "", "3", "4"};
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(t.G(0).GetCellEx(0, r), read[static_cast<size_t>(r - 1)]) << r;
    EXPECT_EQ(t.G(0).GetCellEx(0, 256), "254");
    EXPECT_EQ(t.G(1).GetCellEx(0, 1), "");
    EXPECT_EQ(t.G(1).GetCellEx(0, 2), "1");
    EXPECT_EQ(t.G(1).GetCellEx(0, 3), "2");
    t.G(0).SetCellEx(Enable, 2, "Y");
    t.frame->Number_Enabled(0);
    EXPECT_EQ(t.G(0).GetCellEx(0, 2), "2");
    EXPECT_EQ(t.G(0).GetCellEx(0, 3), "3");
    EXPECT_EQ(t.G(1).GetCellEx(0, 2), "1");
}

TEST(SNMPAgentObjects, LoadingTakesDefaultsAndTheFileRoundTrips)
{
    using namespace SNMP_Read_Col;
    RuleTables t(SNMP_Trap_Access_Desc(), "SNMP_Trap.xml");
    EXPECT_EQ(t.Written(), "<SNMP_Trap>\n\t<SNMP_Trap_Read />\n\t<SNMP_Trap_Write />\n</SNMP_Trap>\n"
                           "<!--SW_VERSION = 1.001-->\n");
    WriteFile(t.path, "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"Korvan\" Type=\"Int\"/></SNMP_Trap_Read>"
                      "</SNMP_Trap>");
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(t.G(0).GetCellEx(Enable, 1), "Y");
    EXPECT_EQ(t.G(0).GetCellEx(On_Change, 1), "N");
    EXPECT_EQ(t.G(0).GetCellEx(On_Command, 1), "N");
    EXPECT_EQ(t.G(0).GetCellEx(On_Timer, 1), "N");
    EXPECT_EQ(t.G(0).GetCellEx(Conversion, 1), "None");
    EXPECT_EQ(t.G(0).GetCellEx(Time, 1), "");
    // The reset of the rows after the file's: "Y" and empty cells.
    EXPECT_EQ(t.G(0).GetCellEx(Enable, 2), "Y");
    EXPECT_EQ(t.G(0).GetCellEx(On_Change, 2), "");
    EXPECT_EQ(t.G(1).GetCellEx(SNMP_Write_Col::Conversion, 1), "");

    const std::string sample =
        "<SNMP_Trap>\n\t<SNMP_Trap_Read>\n"
        "\t\t<row Enable=\"Y\" Community_Name=\"Korvan\" Type=\"Int\" On_Change=\"Y\" On_Command=\"N\" "
        "On_Timer=\"Y\" Time=\"1000\" Position=\"1439\" Bit=\"7\" NumBits=\"1\" Description=\"alarm\" "
        "IP_Address=\"192.168.2.10\" Conversion=\"Float / 100\" Mnemonic=\"hall &amp; stairs\" />\n"
        "\t\t<row Enable=\"N\" Community_Name=\"x-y\" Type=\"\" On_Change=\"\" On_Command=\"\" On_Timer=\"\" "
        "Time=\"\" Position=\"\" Bit=\"\" NumBits=\"\" Description=\"\" IP_Address=\"\" Conversion=\"\" "
        "Mnemonic=\"\" />\n"
        "\t</SNMP_Trap_Read>\n\t<SNMP_Trap_Write>\n"
        "\t\t<row Enable=\"Y\" Community_Name=\"Dimsoly\" Type=\"String\" Position=\"0\" Bit=\"0\" NumBits=\"16\" "
        "Description=\"setpoint\" Conversion=\"Float * 10\" Mnemonic=\"\" />\n"
        "\t</SNMP_Trap_Write>\n</SNMP_Trap>\n<!--SW_VERSION = 1.001-->\n";
    WriteFile(t.path, sample);
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(t.Fault(), "");
    EXPECT_EQ(t.Written(), sample);
}
