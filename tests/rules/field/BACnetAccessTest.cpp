// The BACnet client rules' tables on bare grids: the client type read at
// every showing, the checks of the read and write rows in their order and
// wording, loading with the load defaults, the hidden columns and the file.
#include "../can_mqtt/RuleTables.h"
#include "rules/field/UBACnetAccess.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

using Cells = std::vector<std::pair<int, std::string>>;

class BACnetAccess : public ::testing::Test {
protected:
    BACnetAccess()
        : parGen(parDir.file("ParGen.xml")),
          t(BACnetAccess_Desc(client, [this] { return parGen; }, 1000), "BACnet_Master_Access.xml")
    {
    }
    void Type(const std::string& type)
    {
        WriteFile(parGen, "<Par_Gen>\n\t<BACnet_Master_Type>" + type + "</BACnet_Master_Type>\n</Par_Gen>\n");
    }
    // A showing: reset, client type, load.
    void Show()
    {
        t.boxes.shown.clear();
        t.frame->Show();
    }
    // A read rule that passes under client type 0.
    Cells Read_Rule()
    {
        using namespace BACnet_Read_Col;
        return {{Device, "192.168.1.30"}, {Object_Type, "Analog Value"}, {Instance, "7"},
                {Property, "Present Value (85)"}, {NByte, "4"}, {Poll_Time, "1000"}, {Max_Err, "0"}};
    }
    Cells Write_Rule()
    {
        using namespace BACnet_Write_Col;
        return {{Device, "192.168.1.30"}, {Object_Type, "Analog Output"}, {Data_Type, "Real"}, {Instance, "7"},
                {Property, "Present Value (85)"}, {Priority, "8"}, {NByte, "4"}, {Max_Err, "0"}};
    }
    // The message of one rule in row 1 of a page over the passing rule with
    // the cells changed.
    std::string Fault_Of(int page, const Cells& changes)
    {
        Show();
        t.Fill(page, 1, page == 0 ? Read_Rule() : Write_Rule());
        t.Fill(page, 1, changes);
        return t.Fault();
    }
    TempDir parDir;
    std::string parGen;
    TBACnetClient client;
    RuleTables t;
};

std::string Read_Error(int row, int text, const std::string& appended = {})
{
    return "Error in Read, row " + std::to_string(row) + Text(text) + appended;
}
std::string Write_Error(int row, int text, const std::string& appended = {})
{
    return "Error in Write, row " + std::to_string(row) + Text(text) + appended;
}

} // namespace

TEST_F(BACnetAccess, ClientTypeAtEveryShowing)
{
    using namespace BACnet_Read_Col;
    // No parameter file: the box at every showing, then the IP address form.
    for (int i = 0; i < 2; ++i) {
        Show();
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.boxes.shown[0].text, "Select the BACnet Type in the \"Set Communication\" section");
        EXPECT_EQ(t.boxes.shown[0].type, TMsgDlgType::mtError);
        EXPECT_EQ(client.App_BACnet_Type, 0);
        EXPECT_EQ(t.G(0).GetCellEx(Device, 0), "IP Address");
    }
    // A file without the key gives the box too.
    WriteFile(parGen, "<Par_Gen>\n\t<BACnet_Type>1</BACnet_Type>\n</Par_Gen>\n");
    Show();
    EXPECT_EQ(t.boxes.shown.size(), 1u);
    struct Case {
        const char* type;
        int value;
        const char* header;  // empty: the device column hidden
    } cases[] = {{"1", 1, "Slave ID"}, {"0", 0, "IP Address"}, {"2", 2, ""}, {" 1", 1, "Slave ID"},
                 {"BACnet/IP", 0, "IP Address"}, {"-1", -1, ""}};
    for (const Case& c : cases) {
        Type(c.type);
        Show();
        EXPECT_TRUE(t.boxes.shown.empty()) << c.type;
        EXPECT_EQ(client.App_BACnet_Type, c.value) << c.type;
        for (int g = 0; g < 2; ++g) {
            EXPECT_EQ(t.G(g).IsHiddenColumn(Device), std::string(c.header).empty()) << c.type;
            if (*c.header) {
                EXPECT_EQ(t.G(g).GetCellEx(Device, 0), c.header) << c.type;
            }
        }
    }
    // The Swap and Convertion columns stay hidden whatever the type.
    EXPECT_TRUE(t.G(0).IsHiddenColumn(Swap));
    EXPECT_TRUE(t.G(0).IsHiddenColumn(Convertion));
    EXPECT_TRUE(t.G(1).IsHiddenColumn(BACnet_Write_Col::Swap));
    EXPECT_TRUE(t.G(1).IsHiddenColumn(BACnet_Write_Col::Convertion));
    EXPECT_EQ(t.G(0).RowCount(), 513);
    EXPECT_EQ(t.G(1).RowCount(), 513);
    EXPECT_EQ(t.G(0).GetCellEx(Enable, 512), "Y");
}

TEST_F(BACnetAccess, ReadRowChecksInOrder)
{
    using namespace BACnet_Read_Col;
    Type("0");
    struct Case {
        Cells changes;
        std::string message;
    } cases[] = {
        {{}, ""},
        {{{Device, "192.168.1.300"}}, Read_Error(1, 4738)},
        {{{Device, "192.168.1"}}, Read_Error(1, 4738)},
        {{{Object_Type, "Analog Out"}}, Read_Error(1, 4740)},
        {{{Object_Type, " multi-state input "}}, ""},
        {{{Object_Type, "300"}}, ""},
        {{{Instance, "4294967295"}}, ""},
        {{{Instance, "4294967296"}}, Read_Error(1, 4741)},
        {{{Instance, ""}}, Read_Error(1, 4741)},
        {{{Instance, "-1"}}, Read_Error(1, 4741)},
        {{{Property, "Units (117)"}}, ""},
        {{{Object_Type, "Binary Input"}, {Property, "Units (117)"}}, Read_Error(1, 4742)},
        {{{NByte, "255"}}, ""},
        {{{NByte, "256"}}, Read_Error(1, 4743)},
        {{{En_Dest, "N"}, {D_Net, ""}, {D_Len, ""}, {D_Add, ""}}, ""},
        {{{En_Dest, "Y"}, {D_Net, "0"}, {D_Len, "1"}, {D_Add, "5"}}, Read_Error(1, 4770)},
        {{{En_Dest, " y "}, {D_Net, "5"}, {D_Len, "3"}, {D_Add, "5"}}, Read_Error(1, 4771)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "6"}, {D_Add, "192.168.0.15:47808"}}, ""},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "6"}, {D_Add, "192.168.0.15"}}, Read_Error(1, 4774)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "M9"}, {D_Add, "1"}}, Read_Error(1, 4786)},
        {{{Poll_Time, "100000000"}}, ""},
        {{{Poll_Time, "100000001"}}, Read_Error(1, 4744)},
        {{{Max_Err, "65535"}}, ""},
        {{{Max_Err, "65536"}}, Read_Error(1, 4745)},
        // Position, Start Bit and Mnemonic are not tested.
        {{{Position, "5000"}, {Start_Bit, "x"}, {Mnemonic, ";"}}, ""},
        // The first fault wins.
        {{{Object_Type, "x"}, {Max_Err, "x"}}, Read_Error(1, 4740)},
    };
    for (const Case& c : cases) EXPECT_EQ(Fault_Of(0, c.changes), c.message) << c.message;
    EXPECT_EQ(Read_Error(1, 4745), "Error in Read, row 1!! Max Err must be between 0 and 655535");

    // Slave IDs under type 1.
    Type("1");
    EXPECT_EQ(Fault_Of(0, {{Device, "255"}}), Read_Error(1, 4739));
    EXPECT_EQ(Fault_Of(0, {{Device, "254"}}), "");
    EXPECT_EQ(Fault_Of(0, {{Device, "192.168.1.30"}}), Read_Error(1, 4739));
}

TEST_F(BACnetAccess, WriteRowChecksInOrder)
{
    using namespace BACnet_Write_Col;
    Type("0");
    struct Case {
        Cells changes;
        std::string message;
    } cases[] = {
        {{}, ""},
        {{{Device, "10.0.0.256"}}, Write_Error(1, 4747)},
        {{{Object_Type, "Analog Input"}}, Write_Error(1, 4749)},
        {{{Instance, "4294967296"}}, Write_Error(1, 4750)},
        {{{Instance, ""}}, Write_Error(1, 4750)},
        {{{Property, "Units (117)"}}, Write_Error(1, 4751)},
        {{{Property, "1000"}, {Data_Type, "Boolean"}, {NByte, "1"}}, ""},
        {{{NByte, "5"}}, Write_Error(1, 4754, "4")},
        {{{Object_Type, "Large Analog Value"}, {Data_Type, "Double"}, {NByte, "8"}}, ""},
        {{{Object_Type, "Analog Value"}, {Data_Type, "Boolean"}}, Write_Error(1, 4758, "Real")},
        {{{Object_Type, "Life Safety Point"}, {Data_Type, "Enumerated"}}, Write_Error(1, 4752)},
        {{{Priority, "16"}}, ""},
        {{{Priority, "17"}}, Write_Error(1, 4753)},
        {{{Data_Type, "Real"}, {NByte, "0"}}, ""},
        {{{Timer, "N"}, {Poll_Time, ""}}, ""},
        {{{Timer, "Y"}, {Poll_Time, ""}}, Write_Error(1, 4755)},
        {{{Timer, "y"}, {Poll_Time, "100000000"}}, ""},
        // The Timer cell is upper-cased but not trimmed.
        {{{Timer, " Y"}, {Poll_Time, ""}}, ""},
        {{{En_Dest, "Y"}, {D_Net, "0"}}, Write_Error(1, 4775)},
        {{{En_Dest, "Y"}, {D_Net, "7"}, {D_Len, "6"}, {D_Add, "192.168.0.15"}}, Write_Error(1, 4779)},
        {{{En_Dest, "Y"}, {D_Net, "7"}, {D_Len, ""}}, Write_Error(1, 4787)},
        {{{Max_Err, "65535"}}, ""},
        {{{Max_Err, "65536"}}, Write_Error(1, 4756)},
    };
    for (const Case& c : cases) EXPECT_EQ(Fault_Of(1, c.changes), c.message) << c.message;
    EXPECT_EQ(Write_Error(1, 4754, "4"), "Error in Write, row 1!! NByte must be between 0 and 4");
    EXPECT_EQ(Write_Error(1, 4758, "Real"),
              "Error in Write, row 1!! Data Type is not correct. Aspected Data Type is Real");
}

TEST_F(BACnetAccess, ByteListFaultsAreShownOnceByTheCheck)
{
    using namespace BACnet_Read_Col;
    Type("0");
    Show();
    t.Fill(0, 1, Read_Rule());
    t.Fill(0, 2, Read_Rule());
    t.Fill(0, 3, Read_Rule());
    t.Fill(0, 3, {{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "M3"}, {D_Add, "10, 20"}});
    EXPECT_FALSE(t.frame->Controllo_dati());
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_EQ(t.boxes.shown[0].text, Read_Error(3, 4788));
    t.G(0).SetCellEx(D_Add, 3, "10, 20, 30,");
    t.boxes.shown.clear();
    EXPECT_TRUE(t.frame->Controllo_dati());
    EXPECT_TRUE(t.boxes.shown.empty());
}

TEST_F(BACnetAccess, LoadDefaultsHiddenColumnsAndTheFile)
{
    using namespace BACnet_Read_Col;
    Type("0");
    WriteFile(t.path, "<?xml version=\"1.0\"?>\r\n<BACnet_Master_Access>\r\n\t<BACnet_Write>\r\n"
                      "\t\t<row IP_Address_Slave_ID=\"10.0.0.1\" Object_Type=\"Analog Value\" Data_Type=\"Real\" "
                      "Instance=\"3\" Property=\"Present Value (85)\" Priority=\"0\" NumByte=\"4\" "
                      "Destination_Network=\"\" Destination_Length=\"\" Destination_Address=\"\" OnChange=\"Y\" "
                      "OnTimer=\"N\" PollTime=\"1000\" MaxError=\"0\" Position=\"8\" StartBit=\"0\" Swap=\"Y\" "
                      "Mnemonic=\"w\"/>\r\n"
                      "\t</BACnet_Write>\r\n\t<BACnet_Read>\r\n"
                      "\t\t<row Enable=\"N\" IP_Address_Slave_ID=\"bad\" Object_Type=\"x\" Convertion=\"None\" "
                      "Mnemonic=\"off\"/>\r\n"
                      "\t\t<row Enable=\"Y\" IP_Address_Slave_ID=\"10.0.0.2\" Object_Type=\"Binary Input\" "
                      "Instance=\"1\" Property=\"Present Value (85)\" NumByte=\"1\" PollTime=\"500\" "
                      "MaxError=\"3\" Position=\"0\" StartBit=\"0\" Mnemonic=\"r\"/>\r\n"
                      "\t</BACnet_Read>\r\n</BACnet_Master_Access>\r\n<!--SW_VERSION = 1.009-->\r\n");
    Show();
    EXPECT_TRUE(t.boxes.shown.empty());
    // Missing "Enable" shows "Y", missing "Swap" and "Enable_Destination" "N";
    // the Convertion column is not read.
    EXPECT_EQ(t.G(0).GetCellEx(Enable, 1), "N");
    EXPECT_EQ(t.G(0).GetCellEx(Convertion, 1), "");
    EXPECT_EQ(t.G(0).GetCellEx(Swap, 2), "N");
    EXPECT_EQ(t.G(0).GetCellEx(En_Dest, 2), "N");
    EXPECT_EQ(t.G(1).GetCellEx(BACnet_Write_Col::Enable, 1), "Y");
    EXPECT_EQ(t.G(1).GetCellEx(BACnet_Write_Col::En_Dest, 1), "N");
    EXPECT_EQ(t.G(1).GetCellEx(BACnet_Write_Col::Swap, 1), "Y");
    t.G(0).SetCellEx(Convertion, 2, "Float to Int");
    // The disabled row with bad cells is saved unchanged; the Convertion
    // columns are not saved, the Swap columns are.
    EXPECT_EQ(t.Written(),
              "<BACnet_Master_Access>\n\t<BACnet_Read>\n"
              "\t\t<row Enable=\"N\" IP_Address_Slave_ID=\"bad\" Object_Type=\"x\" Instance=\"\" Property=\"\" "
              "NumByte=\"\" Enable_Destination=\"N\" Destination_Network=\"\" Destination_Length=\"\" "
              "Destination_Address=\"\" PollTime=\"\" MaxError=\"\" Position=\"\" StartBit=\"\" Swap=\"N\" "
              "Mnemonic=\"off\" />\n"
              "\t\t<row Enable=\"Y\" IP_Address_Slave_ID=\"10.0.0.2\" Object_Type=\"Binary Input\" Instance=\"1\" "
              "Property=\"Present Value (85)\" NumByte=\"1\" Enable_Destination=\"N\" Destination_Network=\"\" "
              "Destination_Length=\"\" Destination_Address=\"\" PollTime=\"500\" MaxError=\"3\" Position=\"0\" "
              "StartBit=\"0\" Swap=\"N\" Mnemonic=\"r\" />\n"
              "\t</BACnet_Read>\n\t<BACnet_Write>\n"
              "\t\t<row Enable=\"Y\" IP_Address_Slave_ID=\"10.0.0.1\" Object_Type=\"Analog Value\" "
              "Data_Type=\"Real\" Instance=\"3\" Property=\"Present Value (85)\" Priority=\"0\" NumByte=\"4\" "
              "Enable_Destination=\"N\" Destination_Network=\"\" Destination_Length=\"\" "
              "Destination_Address=\"\" OnChange=\"Y\" OnTimer=\"N\" PollTime=\"1000\" MaxError=\"0\" "
              "Position=\"8\" StartBit=\"0\" Swap=\"Y\" Mnemonic=\"w\" />\n"
              "\t</BACnet_Write>\n</BACnet_Master_Access>\n<!--SW_VERSION = 1.009-->\n");

    // A file without the sections reads both pages as empty.
    WriteFile(t.path, "<BACnet_Master_Access/>");
    Show();
    EXPECT_TRUE(t.boxes.shown.empty());
    EXPECT_EQ(t.G(0).GetCellEx(Device, 1), "");
    EXPECT_EQ(t.G(1).GetCellEx(BACnet_Write_Col::Device, 1), "");
}

TEST_F(BACnetAccess, WithoutDeviceColumnTheObjectTypeIsTheKey)
{
    using namespace BACnet_Read_Col;
    Type("2");
    Show();
    Cells rule = Read_Rule();
    rule[0].second = "";
    t.Fill(0, 1, rule);
    // A device text is neither tested nor needed, and is saved as it stands.
    t.Fill(0, 2, Read_Rule());
    t.Fill(0, 2, {{Device, "anything"}});
    t.Fill(0, 4, Read_Rule());  // after the first empty Object Type: not saved
    EXPECT_EQ(t.Fault(), "");
    const std::string file = t.Written();
    EXPECT_NE(file.find("<row Enable=\"Y\" IP_Address_Slave_ID=\"\" Object_Type=\"Analog Value\""),
              std::string::npos);
    EXPECT_NE(file.find("IP_Address_Slave_ID=\"anything\""), std::string::npos);
    EXPECT_EQ(file.find("192.168.1.30"), std::string::npos);
    // The same rows under type 0: the empty device ends the table at row 1.
    Type("0");
    Show();
    t.Fill(0, 1, rule);
    t.Fill(0, 2, Read_Rule());
    EXPECT_EQ(t.Fault(), "");
    EXPECT_EQ(t.frame->Saved_Rows(0), 0);
}
