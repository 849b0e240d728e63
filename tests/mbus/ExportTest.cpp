// The export of scan results into the network file: node and variable
// attributes by device code, the Modbus register count, appending, and the
// failures that must leave the file alone.
#include "XmlArtifacts.h"
#include "mbus/MBusTestSupport.h"
#include "mbus/UMBus_Decode.h"
#include "mbus/UMBus_Export.h"
#include "mbus/UMBus_Network.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::shared_ptr<TSlave_MBus> Wired_Meter(int primary, const std::string& id, const std::string& records)
{
    auto m = std::make_shared<TSlave_MBus>();
    m->Primary_Addresss = static_cast<std::uint16_t>(primary);
    m->Secondary_Addresss = id;
    m->Manufacture = 0x2C2D;
    m->descManufacture = "KAM";
    Decode_Records(m->List_Var, Hex(records), mtWired);
    return m;
}

// Records of data fields 2, 4 and 13 (5 bytes): 1, 2 and 3 registers.
const char* kThreeRecords = "02 13 01 00 04 13 15 CD 5B 00 0D 78 05 41 42 43 44 45";

std::shared_ptr<TSlave_wMBus> Radio_Meter()
{
    auto m = std::make_shared<TSlave_wMBus>();
    m->ALA_Manufacturer = 0x15B3;
    m->ALA_Manu_str = "ELS";
    m->ALA_Address = static_cast<std::int32_t>(0x87654321u);
    m->ALA_Version = 51;
    m->ALA_DeviceType = 3;
    m->Enable_Key = true;
    for (int k = 0; k < 16; ++k) m->Key[static_cast<size_t>(k)] = static_cast<std::uint8_t>(k);
    Decode_Records(m->List_Var, Hex("2F 04 13 15 CD 5B 00 2F 2F 02 FD 17 04 00"), mtWireless);
    return m;
}

TSaveConfXML Conf(const std::string& file, int code)
{
    TSaveConfXML c;
    c.File_Name = file;
    c.XML_Code_Dev = code;
    return c;
}

struct Written {
    TXmlDocument doc;
    std::vector<pugi::xml_node> nodes;  // every "Nodo", in order, also inside "Group"
    explicit Written(const std::string& path)
    {
        Keep_For_Xmllint(path);
        EXPECT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
        for (pugi::xml_node e : doc.Root().children()) {
            if (std::string(e.name()) == "Group")
                for (pugi::xml_node n : e.children("Nodo")) nodes.push_back(n);
            else if (std::string(e.name()) == "Nodo")
                nodes.push_back(e);
        }
    }
    std::vector<std::string> Registers(size_t node) const
    {
        std::vector<std::string> r;
        for (pugi::xml_node v : nodes.at(node).children("Variabile")) r.push_back(v.attribute("ModReg").value());
        return r;
    }
};

std::vector<std::string> Names(pugi::xml_node e)
{
    std::vector<std::string> names;
    for (pugi::xml_attribute a : e.attributes()) names.push_back(a.name());
    return names;
}

TEST(ExportDataFields, DimensionAndRegistersByDataField)
{
    const int dims[15] = {0, 1, 4, 2, 6, 5, 3, 255, 0, 1, 4, 2, 7, 5, 255};
    const int regs[15] = {1, 1, 2, 2, 2, 3, 4, 0, 1, 1, 2, 2, -1, 3, 0};
    for (int df = 1; df <= 15; ++df) {
        SCOPED_TRACE(df);
        const TDataFieldExport d = Data_Field_Export(df, 5);
        EXPECT_EQ(d.Dim, dims[df - 1]);
        if (regs[df - 1] >= 0) {
            EXPECT_EQ(d.Registers, regs[df - 1]);
        }
    }
    const std::pair<int, int> lvar[] = {{1, 1}, {2, 2}, {3, 2}, {4, 2}, {5, 3}, {6, 4}, {8, 4}};
    for (const auto& [bytes, registers] : lvar) EXPECT_EQ(Data_Field_Export(13, bytes).Registers, registers) << bytes;
}

TEST(Export, NewFileForDeviceCode18)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    const TMBusSlaveList meters = {Wired_Meter(1, "12345678", kThreeRecords), Wired_Meter(5, "05", "02 13 01 00")};
    const TSaveResult r = Save_XML_Conf_Wired(Conf(path, 18), false, meters);
    ASSERT_EQ(r.Code, 1) << r.Error;
    Keep_For_Xmllint(path, "export_code18");

    Written w(path);
    EXPECT_EQ(std::string(w.doc.Root().name()), "M-Bus_Network");
    EXPECT_FALSE(w.doc.Root().next_sibling());  // no comment
    ASSERT_EQ(w.nodes.size(), 2u);
    const std::vector<std::string> expected = {"Node_Enable", "ID_Primary", "ID_Secondary", "Node_ID_Type",
                                               "Descrizione", "Send_SND_NKE", "Reset_App", "Cut_After"};
    EXPECT_EQ(Names(w.nodes[0]), expected);
    EXPECT_EQ(Names(w.nodes[1]), expected);
    EXPECT_EQ(w.Registers(0), (std::vector<std::string>{"1", "2", "4"}));
    EXPECT_EQ(w.Registers(1), (std::vector<std::string>{"7"}));
    pugi::xml_node v = w.nodes[0].first_child();
    EXPECT_EQ(Names(v), (std::vector<std::string>{"Enable", "Position", "Desc", "Type", "VIF_ASCII", "Fun_Field",
                                                  "Length", "ModReg", "Dim", "Unit", "StoNumber", "Tariff", "VIFE",
                                                  "ModScale", "BCDtoINT", "SWAP"}));
    EXPECT_STREQ(v.attribute("Desc").value(), "Volume m3 (U0S0T0)");
    EXPECT_STREQ(w.nodes[0].child("Variabile").next_sibling().next_sibling().attribute("Length").value(), "5");

    TNodoList nodes;
    EXPECT_EQ(Read_MBus_Network(path, nodes).Result, TNetworkRead::Read);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0].MBus_Type, 1);
    EXPECT_EQ(nodes[1].MBus_Type, 1);
    EXPECT_EQ(nodes[0].Node_ID_Secondary, 12345678);
    EXPECT_EQ(nodes[0].Var_List.size(), 3u);
    EXPECT_EQ(nodes[0].Cut_After, 3);
}

TEST(Export, RegistersFromOneStartAndPerMeter)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    TMBusSlaveList meters = {Wired_Meter(1, "11", kThreeRecords), Wired_Meter(2, "22", kThreeRecords)};
    TSaveConfXML conf = Conf(path, 0);
    conf.Append = 1;
    conf.Mod_Start = 100;
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, meters).Code, 1);
    {
        Written w(path);
        EXPECT_EQ(w.Registers(0), (std::vector<std::string>{"100", "101", "103"}));
        EXPECT_EQ(w.Registers(1), (std::vector<std::string>{"106", "107", "109"}));
    }

    // The first meter's 5-byte record unticked in the scan window's tree,
    // per-meter starts 100 and 200.
    int boxes[3];
    meters[0]->List_Var[2]->Node = &boxes[2];
    meters[0]->List_Var[0]->Node = &boxes[0];
    const TIsTicked ticked = [&](TTreeNodeHandle n) { return n != &boxes[2]; };
    conf.Append = 0;
    conf.StartModnode = 1;
    conf.SMN_Array = {100, 200};
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, meters, ticked).Code, 1);
    Written w(path);
    EXPECT_EQ(w.Registers(0), (std::vector<std::string>{"100", "101", "103"}));
    pugi::xml_node off = w.nodes[0].child("Variabile").next_sibling().next_sibling();
    EXPECT_STREQ(off.attribute("Enable").value(), "0");
    EXPECT_STREQ(off.attribute("Dim").value(), "7");
    EXPECT_STREQ(off.attribute("Length").value(), "5");
    EXPECT_STREQ(w.nodes[0].child("Variabile").attribute("Enable").value(), "1");
    EXPECT_EQ(w.Registers(1), (std::vector<std::string>{"200", "201", "203"}));
    // Without per-meter starts the unticked record still takes its registers.
    conf.StartModnode = 0;
    conf.Mod_Start = 1;
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, meters, ticked).Code, 1);
    EXPECT_EQ(Written(path).Registers(1), (std::vector<std::string>{"7", "8", "10"}));
}

TEST(Export, NodeRegistersForCode13)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    TSaveConfXML conf = Conf(path, 13);
    conf.StartModnode = 1;
    conf.SMN_Array = {10};
    conf.En_NodeState = true;
    conf.En_IdeNum = true;
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, {Wired_Meter(1, "11", kThreeRecords)}).Code, 1);
    {
        Written w(path);
        EXPECT_STREQ(w.nodes[0].attribute("MBus_Type").value(), "1");
        EXPECT_STREQ(w.nodes[0].attribute("Node_State").value(), "10");
        EXPECT_STREQ(w.nodes[0].attribute("Ident_Num").value(), "11");
        EXPECT_EQ(w.Registers(0).front(), "13");
    }
    ASSERT_EQ(Save_XML_Conf_Wireless(conf, false, {Radio_Meter()}).Code, 1);
    Written w(path);
    EXPECT_STREQ(w.nodes[0].attribute("Node_State").value(), "10");
    EXPECT_STREQ(w.nodes[0].attribute("Ident_Num").value(), "12");
    EXPECT_EQ(w.Registers(0).front(), "13");
    EXPECT_STREQ(w.nodes[0].attribute("MBus_Type").value(), "0");

    // Only one of the options.
    conf.En_IdeNum = false;
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, {Wired_Meter(1, "11", kThreeRecords)}).Code, 1);
    Written one(path);
    EXPECT_STREQ(one.nodes[0].attribute("Ident_Num").value(), "0");
    EXPECT_EQ(one.Registers(0).front(), "11");
}

TEST(Export, BACnetCode12)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    ASSERT_EQ(Save_XML_Conf_Wired(Conf(path, 12), false, {Wired_Meter(1, "11", "04 13 15 CD 5B 00")}).Code, 1);
    Written w(path);
    pugi::xml_node n = w.nodes.at(0);
    EXPECT_STREQ(n.attribute("MBus_Type").value(), "1");
    for (const char* a : {"Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN", "Var_List_Type", "NS_VarType",
                          "IN_VarType"})
        EXPECT_STREQ(n.attribute(a).value(), "0") << a;
    pugi::xml_node v = n.child("Variabile");
    EXPECT_STREQ(v.attribute("BACnet_EngUnits").value(), "95");
    EXPECT_STREQ(v.attribute("BACnet_DataType").value(), "0");
    EXPECT_STREQ(v.attribute("Post_Operation").value(), "0");
    EXPECT_FALSE(v.attribute("ModReg"));
    EXPECT_FALSE(v.attribute("ModScale"));
}

TEST(Export, GroupsForCode4AndAppendingKeepsWhatWasThere)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    TSaveConfXML conf = Conf(path, 4);
    conf.Append = 1;
    conf.Index_Baud = 3;
    conf.Index_Par = 1;
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, {Wired_Meter(1, "11", "01 13 05"), Wired_Meter(2, "22", "01 13 05")}).Code, 1);
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, {Wired_Meter(3, "33", "01 13 05")}).Code, 1);
    Keep_For_Xmllint(path, "export_code4");
    {
        Written w(path);
        std::vector<pugi::xml_node> groups;
        for (pugi::xml_node g : w.doc.Root().children("Group")) groups.push_back(g);
        ASSERT_EQ(groups.size(), 2u);
        EXPECT_STREQ(groups[0].attribute("Baudrate").value(), "3");
        EXPECT_STREQ(groups[0].attribute("Parity").value(), "1");
        EXPECT_EQ(ElementChildCount(groups[0]), 2);
        EXPECT_STREQ(groups[0].child("Nodo").attribute("ID").value(), "1");
        EXPECT_STREQ(groups[0].child("Nodo").attribute("Secondary_address").value(), "11");
    }

    // Appending to a file the editor wrote.
    TNodoList editor(1);
    editor[0].Description = "kept";
    std::string error;
    ASSERT_TRUE(Write_MBus_Network(path, editor, error));
    ASSERT_EQ(Save_XML_Conf_Wired(Conf(path, 18), false, {Wired_Meter(7, "77", "01 13 05")}).Code, 1);  // new file
    ASSERT_TRUE(Write_MBus_Network(path, editor, error));
    conf = Conf(path, 18);
    conf.Append = 1;
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, {Wired_Meter(7, "77", "01 13 05")}).Code, 1);
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
    EXPECT_EQ(doc.Root().next_sibling().type(), pugi::node_comment);
    EXPECT_STREQ(doc.Root().first_child().attribute("Descrizione").value(), "kept");
    EXPECT_STREQ(doc.Root().last_child().attribute("ID_Primary").value(), "7");
    EXPECT_EQ(ElementChildCount(doc.Root()), 2);
}

TEST(Export, RadioMeters)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    ASSERT_EQ(Save_XML_Conf_Wireless(Conf(path, 18), false, {Radio_Meter()}).Code, 1);
    Keep_For_Xmllint(path, "export_radio");
    Written w(path);
    pugi::xml_node n = w.nodes.at(0);
    EXPECT_STREQ(n.attribute("Descrizione").value(), "ELS");
    EXPECT_STREQ(n.attribute("Cut_After").value(), "3");
    EXPECT_STREQ(n.attribute("MBus_Type").value(), "0");
    EXPECT_STREQ(n.attribute("wMBus_ManID").value(), "5555");
    EXPECT_STREQ(n.attribute("wMBus_Add").value(), "2271560481");
    EXPECT_STREQ(n.attribute("wMBus_Ver").value(), "51");
    EXPECT_STREQ(n.attribute("wMBus_DevType").value(), "3");
    EXPECT_STREQ(n.attribute("wMBus_En_Key").value(), "1");
    for (int k = 1; k <= 16; ++k)
        EXPECT_EQ(std::string(n.attribute(("wMBus_Key_" + std::to_string(k)).c_str()).value()), std::to_string(k - 1));
    std::vector<std::string> positions;
    for (pugi::xml_node v : n.children("Variabile")) positions.push_back(v.attribute("Position").value());
    EXPECT_EQ(positions, (std::vector<std::string>{"2", "5"}));  // the fill records are left out
    EXPECT_EQ(w.Registers(0), (std::vector<std::string>{"1", "3"}));

    TNodoList nodes;
    ASSERT_EQ(Read_MBus_Network(path, nodes).Result, TNetworkRead::Read);
    EXPECT_EQ(nodes.at(0).MBus_Type, 0);
    EXPECT_EQ(nodes.at(0).wMBus_Add, "2271560481");
    EXPECT_EQ(nodes.at(0).wMBus_Key[15], "15");
}

TEST(Export, FunctionFieldsAndPlainTextUnits)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    const auto meter = Wired_Meter(1, "11", "14 13 01 00 00 00 24 13 01 00 00 00 04 13 01 00 00 00 34 13 01 00 00 00 "
                                            "01 7C 03 68 2F 6D 05");
    ASSERT_EQ(Save_XML_Conf_Wired(Conf(path, 18), false, {meter}).Code, 1);
    Written w(path);
    std::vector<std::string> fun, type, unit;
    for (pugi::xml_node v : w.nodes.at(0).children("Variabile")) {
        fun.push_back(v.attribute("Fun_Field").value());
        type.push_back(v.attribute("Type").value());
        unit.push_back(v.attribute("VIF_ASCII").value());
    }
    EXPECT_EQ(fun, (std::vector<std::string>{"2", "1", "0", "3", "0"}));
    EXPECT_EQ(type, (std::vector<std::string>{"2", "2", "2", "2", "21"}));
    EXPECT_EQ(unit, (std::vector<std::string>{"", "", "", "", "m/h"}));
    TNodoList nodes;
    ASSERT_EQ(Read_MBus_Network(path, nodes).Result, TNetworkRead::Read);
    EXPECT_EQ(Type_Of_Data_List().at(static_cast<size_t>(nodes[0].Var_List[4].Type_Of_Data)), "VIF is in ASCII");
    EXPECT_EQ(nodes[0].Var_List[4].VIF_ASCII, "m/h");
}

TEST(Export, MetersBeyondThePerMeterStartsBeginAtOne)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    TMBusSlaveList meters;
    for (int i = 1; i <= 35; ++i) meters.push_back(Wired_Meter(i, std::to_string(i), "02 13 01 00"));
    TSaveConfXML conf = Conf(path, 0);
    conf.StartModnode = 1;
    for (int i = 0; i < 30; ++i) conf.SMN_Array.push_back(1000 + i);
    ASSERT_EQ(Save_XML_Conf_Wired(conf, false, meters).Code, 1);
    Written w(path);
    ASSERT_EQ(w.nodes.size(), 35u);
    EXPECT_EQ(w.Registers(29).front(), "1029");
    for (size_t i = 30; i < 35; ++i) EXPECT_EQ(w.Registers(i).front(), "1") << i;
}

TEST(Export, NothingWrittenOnEmptyListOrFailure)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    const std::string before = "<M-Bus_Network><Nodo Descrizione=\"old\"/></M-Bus_Network>";
    WriteFile(path, before);
    TSaveConfXML conf = Conf(path, 18);
    EXPECT_EQ(Save_XML_Conf_Wired(conf, false, {}).Code, 0);
    EXPECT_EQ(Save_XML_Conf_Wireless(conf, false, {}).Code, 0);
    EXPECT_EQ(ReadFile(path), before);

    // Appending to a file that is not well-formed.
    const std::string broken = "<M-Bus_Network><Nodo Descrizione=\"old\">";
    WriteFile(path, broken);
    conf.Append = 1;
    TSaveResult r = Save_XML_Conf_Wired(conf, false, {Wired_Meter(1, "11", "01 13 05")});
    EXPECT_EQ(r.Code, -1);
    EXPECT_NE(r.Error.find(path), std::string::npos) << r.Error;
    EXPECT_EQ(ReadFile(path), broken);
    r = Save_XML_Conf_Wireless(conf, false, {Radio_Meter()});
    EXPECT_EQ(r.Code, -1);
    EXPECT_EQ(ReadFile(path), broken);

    // A file that cannot be saved: its folder is not there, or the file is
    // read-only (new file and append alike).
    conf = Conf(dir.file("gone/M_Bus.xml"), 18);
    r = Save_XML_Conf_Wired(conf, false, {Wired_Meter(1, "11", "01 13 05")});
    EXPECT_EQ(r.Code, -1);
    EXPECT_NE(r.Error.find("gone/M_Bus.xml"), std::string::npos) << r.Error;
    EXPECT_FALSE(FileExists(dir.file("gone/M_Bus.xml")));
    WriteFile(path, before);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    for (int append : {0, 1}) {
        conf = Conf(path, 18);
        conf.Append = append;
        r = Save_XML_Conf_Wired(conf, false, {Wired_Meter(1, "11", "01 13 05")});
        EXPECT_EQ(r.Code, -1) << append;
        EXPECT_NE(r.Error.find(path), std::string::npos) << r.Error;
        r = Save_XML_Conf_Wireless(conf, false, {Radio_Meter()});
        EXPECT_EQ(r.Code, -1) << append;
        EXPECT_EQ(ReadFile(path), before);
    }
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"M_Bus.xml"});
}

} // namespace
