// The BACnet server objects' tables on bare grids: the checks in their order
// and wording, the object limit of the long-name mode, loading and the file.
#include "../can_mqtt/RuleTables.h"
#include "rules/field/UBACnetSlaveSetAccess.h"

#include <gtest/gtest.h>

using ULanguage::Text;
using namespace BACnet_Slave_Col;

namespace {

using Cells = std::vector<std::pair<int, std::string>>;

// The tables over a parameter file in a folder of their own.
class BACnetSlave : public ::testing::Test {
protected:
    BACnetSlave() : parGen(parDir.file("ParGen.xml")), t(BACnetSlaveSetAccess_Desc([this] { return parGen; }),
                                                         "BACnet_Slave_SetAccess.xml") {}
    void Mode(const std::string& limit)
    {
        WriteFile(parGen, "<Par_Gen>\n\t<BACnet_Desc_Chars_Limit>" + limit + "</BACnet_Desc_Chars_Limit>\n</Par_Gen>\n");
    }
    // Rows r = first .. first + count - 1 of a page filled with a passing object.
    void Objects(int g, int first, int count)
    {
        for (int r = first; r < first + count; ++r)
            t.Fill(g, r, {{Data_Type, g == 0 ? "Analog Input" : "Analog Out"}, {Eng_Unit, "95"}, {Position, "0"},
                          {Length, "4"}});
    }
    TempDir parDir;
    std::string parGen;
    RuleTables t;
};

std::string Error(int row, int text, const std::string& appended = {})
{
    return "Error row " + std::to_string(row) + Text(text) + appended;
}

} // namespace

TEST_F(BACnetSlave, ChecksInTheirOrderAndWording)
{
    struct Case {
        int page;
        Cells cells;  // row 1
        std::string message;
    } cases[] = {
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "62"}, {Position, "0"}, {Length, "4"}}, ""},
        {0, {{Data_Type, "Binary Input"}, {Eng_Unit, "95"}, {Position, "10"}, {Length, "9"}}, Error(1, 4345)},
        {0, {{Data_Type, "Binary Input"}, {Eng_Unit, "95"}, {Position, "10"}, {Bit, " "}}, Error(1, 4345)},
        {0, {{Data_Type, "Binary Input"}, {Eng_Unit, "95"}, {Position, "1439"}, {Bit, "3"}, {Length, "99"}}, ""},
        {0, {{Data_Type, "Binary Value"}, {Eng_Unit, "95"}, {Position, "1"}}, Error(1, 4345)},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "95"}, {Position, "1437"}, {Length, "4"}}, Error(1, 4346)},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "95"}, {Position, "1437"}, {Length, "3"}}, ""},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "5"}}, Error(1, 4335)},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, ""}}, Error(1, 4335)},
        {0, {{Data_Type, "Integer Value"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, ""}}, ""},
        {0, {{Data_Type, "Integer Value"}, {Eng_Unit, "95"}, {Position, "1439"}, {Length, "2"}}, Error(1, 4346)},
        {0, {{Data_Type, "Large Analog Value"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "8"}}, ""},
        {0, {{Data_Type, "Large Analog Value"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "9"}}, Error(1, 4337)},
        {0, {{Data_Type, "Life Safety Zone"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "3"}}, Error(1, 4342)},
        {0, {{Data_Type, "Access Door"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "2"}}, Error(1, 4343)},
        {0, {{Data_Type, "Accumulator"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "0"}}, Error(1, 4344)},
        {0, {{Data_Type, "Octet String"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "300"}}, ""},
        // The types compare exactly: another spelling has no length test.
        {0, {{Data_Type, "analog input"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "7"}}, ""},
        {1, {{Data_Type, "Analog Value"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "5"}}, Error(1, 4350)},
        {1, {{Data_Type, "Octet String"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "5"}}, ""},
        {1, {{Data_Type, "Integer Value"}, {Eng_Unit, "95"}, {Position, "0"}, {Length, "5"}}, Error(1, 4353)},
        {1, {{Data_Type, "Binary Out"}, {Eng_Unit, "95"}, {Position, "0"}}, Error(1, 4357)},
        {1, {{Data_Type, "Analog Out"}, {Eng_Unit, "95"}, {Position, "1437"}, {Length, "4"}}, Error(1, 4358)},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "0x5F"}, {Position, "0"}, {Length, "4"}}, ""},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "65535"}, {Position, "0"}, {Length, "4"}}, ""},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "65536"}, {Position, "0"}, {Length, "4"}}, Error(1, 4333)},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "96.5"}, {Position, "0"}, {Length, "4"}}, Error(1, 4333)},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, ""}, {Position, "0"}, {Length, "4"}}, Error(1, 4333)},
        {1, {{Data_Type, "Analog Out"}, {Eng_Unit, "96.5"}, {Position, "0"}, {Length, "4"}}, Error(1, 4347)},
        {1, {{Data_Type, "Analog Out"}, {Eng_Unit, ""}, {Position, "0"}, {Length, "4"}}, Error(1, 4347)},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "1"}, {Position, "1440"}, {Length, "1"}}, Error(1, 4334, "1439")},
        {1, {{Data_Type, "Analog Out"}, {Eng_Unit, "1"}, {Position, ""}, {Length, "1"}}, Error(1, 4348, "1439")},
        // The first fault in the order of the checks is the one shown.
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "x"}, {Position, "x"}, {Length, "9"}}, Error(1, 4333)},
        {0, {{Data_Type, "Analog Input"}, {Eng_Unit, "1"}, {Position, "x"}, {Length, "9"}}, Error(1, 4334, "1439")},
    };
    for (const Case& c : cases) {
        t.frame->Reset();
        t.Fill(c.page, 1, c.cells);
        std::string what = std::to_string(c.page) + ": ";
        for (const auto& [col, text] : c.cells) what += std::to_string(col) + "=" + text + " ";
        EXPECT_EQ(t.Fault(), c.message) << what;
    }
    // A fault on the write page names its row there.
    t.frame->Reset();
    Objects(0, 1, 3);
    Objects(1, 1, 2);
    t.Fill(1, 2, {{Eng_Unit, "-1"}});
    EXPECT_EQ(t.Fault(), Error(2, 4347));
}

TEST_F(BACnetSlave, RowsAfterTheFirstEmptyDataTypeAreNeitherCheckedCountedNorSaved)
{
    Objects(0, 1, 2);
    t.Fill(0, 3, {{Data_Type, "  "}, {Eng_Unit, "x"}});
    t.Fill(0, 4, {{Data_Type, "Analog Input"}, {Eng_Unit, "x"}});
    Objects(0, 5, 1996);  // with the two above: 1998 behind the gap
    Objects(1, 1, 1);
    EXPECT_EQ(t.Fault(), "");
    const std::string file = t.Written();
    EXPECT_EQ(file.find("Eng_Unit=\"x\""), std::string::npos);
    EXPECT_EQ(t.frame->Saved_Rows(0), 2);
}

TEST_F(BACnetSlave, ObjectLimitOfTheNormalAndTheLongNameMode)
{
    struct Case {
        const char* limit;  // nullptr: no parameter file
        int rows;
    } cases[] = {{"1", 1000}, {nullptr, 2000}, {"0", 2000}, {" 1", 2000}, {"01", 2000}, {"", 2000}};
    for (const Case& c : cases) {
        if (c.limit)
            Mode(c.limit);
        else
            DeleteFile(parGen);
        t.frame->Reset();
        const std::string what = c.limit ? c.limit : "(none)";
        ASSERT_EQ(t.G(0).RowCount(), c.rows + 1) << what;
        ASSERT_EQ(t.G(1).RowCount(), c.rows + 1) << what;
        const int half = c.rows / 2;
        Objects(0, 1, half);
        Objects(1, 1, c.rows - half);
        EXPECT_EQ(t.Fault(), "") << what;
        Objects(1, c.rows - half + 1, 1);
        EXPECT_EQ(t.Fault(), "Error!! Too many Requests. Max requests " + std::to_string(c.rows)) << what;
    }
    // 600 read and 401 write objects in the long-name mode.
    Mode("1");
    t.frame->Reset();
    Objects(0, 1, 600);
    Objects(1, 1, 401);
    EXPECT_EQ(t.Fault(), "Error!! Too many Requests. Max requests 1000");
    EXPECT_FALSE(t.frame->OK());
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_EQ(t.boxes.shown[0].text, "Error!! Too many Requests. Max requests 1000");
    EXPECT_FALSE(FileExists(t.path));
}

TEST_F(BACnetSlave, ALongNameShowingThenANormalOneResetsEveryRow)
{
    Mode("1");
    t.frame->Reset();
    EXPECT_EQ(t.G(0).RowCount(), 1001);
    Mode("0");
    t.frame->Reset();
    for (int g = 0; g < 2; ++g) {
        ASSERT_EQ(t.G(g).RowCount(), 2001);
        EXPECT_EQ(t.G(g).GetCellEx(0, 2000), "2000");
        EXPECT_EQ(t.G(g).GetCellEx(0, 1500), "1500");
        EXPECT_EQ(t.G(g).GetCellEx(Data_Type, 2000), "");
    }
}

TEST_F(BACnetSlave, LoadingKeepsEveryRowAndSavingCarriesTheSwap)
{
    // A row without "Swap" (older files), one without "Eng_Unit" and a
    // page without its section: every row is read, missing cells empty.
    WriteFile(t.path, "<BACnet_to_Modbus>\n"
                      "\t<BACnet_in_Read>\n"
                      "\t\t<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" "
                      "Mnemonic=\"Flow\" />\n"
                      "\t\t<row Data_Type=\"Analog Input\" Position=\"4\" Bit=\"\" Length=\"4\" Swap=\"Y\" "
                      "Mnemonic=\"Return\" />\n"
                      "\t\t<row Data_Type=\"Binary Input\" Eng_Unit=\"95\" Position=\"8\" Bit=\"2\" Length=\"\" "
                      "Swap=\"N\" Mnemonic=\"Pump\" />\n"
                      "\t</BACnet_in_Read>\n"
                      "</BACnet_to_Modbus>\n<!--SW_VERSION = 1.008-->\n");
    t.frame->Show();
    EXPECT_TRUE(t.boxes.shown.empty());
    EXPECT_EQ(t.G(0).GetCellEx(Swap, 1), "N");
    EXPECT_EQ(t.G(0).GetCellEx(Eng_Unit, 2), "");
    EXPECT_EQ(t.G(0).GetCellEx(Swap, 2), "Y");
    EXPECT_EQ(t.G(0).GetCellEx(Mnemonic, 2), "Return");
    EXPECT_EQ(t.G(0).GetCellEx(Mnemonic, 3), "Pump");
    EXPECT_EQ(t.G(1).GetCellEx(Data_Type, 1), "");
    EXPECT_TRUE(t.G(0).IsHiddenColumn(Swap));
    // The hidden Swap travels with a copied row.
    t.G(0).SetRow(2);
    t.frame->Copy_Row(0);
    t.G(0).SetRow(4);
    t.frame->Paste_Row(0);
    EXPECT_EQ(t.G(0).GetCellEx(Swap, 4), "Y");
    t.G(0).SetCellEx(Eng_Unit, 2, "95");
    t.G(0).SetCellEx(Eng_Unit, 4, "95");
    t.G(0).SetCellEx(Position, 4, "12");
    EXPECT_EQ(t.Written(),
              "<BACnet_to_Modbus>\n\t<BACnet_in_Read>\n"
              "\t\t<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
              "Mnemonic=\"Flow\" />\n"
              "\t\t<row Data_Type=\"Analog Input\" Eng_Unit=\"95\" Position=\"4\" Bit=\"\" Length=\"4\" Swap=\"Y\" "
              "Mnemonic=\"Return\" />\n"
              "\t\t<row Data_Type=\"Binary Input\" Eng_Unit=\"95\" Position=\"8\" Bit=\"2\" Length=\"\" Swap=\"N\" "
              "Mnemonic=\"Pump\" />\n"
              "\t\t<row Data_Type=\"Analog Input\" Eng_Unit=\"95\" Position=\"12\" Bit=\"\" Length=\"4\" Swap=\"Y\" "
              "Mnemonic=\"Return\" />\n"
              "\t</BACnet_in_Read>\n\t<BACnet_in_Write />\n</BACnet_to_Modbus>\n<!--SW_VERSION = 1.008-->\n");
}

TEST(BACnetSlaveTypes, WritePageLengthDefaults)
{
    struct Case {
        const char* type;
        const char* length;
    } cases[] = {{"Analog Out", "4"},        {"Analog Value", "4"},          {"Positive Integer Value", "4"},
                 {"Integer Value", "4"},     {"Multi State Output", "4"},    {"Multi State Value", "4"},
                 {"Large Analog Value", "8"}, {"Binary Out", "1"},           {"Binary Value", "1"},
                 {"Access Door", "1"},       {"Octet String", "1"},          {"CharacterString Value", "1"},
                 {"Analog Input", ""},       {"", ""}};
    for (const Case& c : cases) EXPECT_EQ(BACnet_Write_Default_Length(c.type), c.length) << c.type;
    // Every item of the write page has its default.
    for (const std::string& type : BACnet_Write_Types()) EXPECT_NE(BACnet_Write_Default_Length(type), "") << type;
    EXPECT_EQ(BACnet_Read_Types().size(), 15u);
    EXPECT_EQ(BACnet_Write_Types().size(), 12u);
}
