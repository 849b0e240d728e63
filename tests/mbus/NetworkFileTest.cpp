// The M-Bus network file: the editor's writer and reader, the defaults and
// fallbacks of the reader, where reading stops and what it says, and the
// code lists.
#include "XmlArtifacts.h"
#include "mbus/UMBus_Network.h"
#include "platform/XmlDoc.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TNodoList Fixture_Nodes()
{
    TNodoList nodes(2);
    TNodo& wired = nodes[0];
    wired.Enable = true;
    wired.Description = "Heat meter";
    wired.Node_ID_Primary = 1;
    wired.Node_ID_Secondary = 12345678;
    wired.Node_ID_Type = 1;
    wired.Send_SNK = 1;
    wired.Cut_After = 3;
    wired.MBus_Type = 1;
    wired.Node_State = 4;
    wired.Swap_Ident = 9;
    TVariabile energy;
    energy.Enable = true;
    energy.Description = "Energy";
    energy.Type_Of_Data = 0;
    energy.Dimension = 2;
    energy.Storage_Number = 4294967295u;
    energy.Tariff = 0xFFFFF;
    energy.VIFE = 69;
    energy.BCDtoINT = true;
    energy.Position = 1;
    energy.Topic = 2;
    TVariabile text;
    text.Description = "Unit text";
    text.Type_Of_Data = 21;
    text.Function_Field = 3;
    text.Dimension = 7;
    text.Length = 5;
    text.VIF_ASCII = "m\xC2\xB3/h";
    text.Position = 2;
    wired.Var_List = {energy, text};

    TNodo& radio = nodes[1];
    radio.Enable = false;
    radio.Description = "Radio water";
    radio.Node_ID_Primary = 1;
    radio.Node_ID_Secondary = 1;
    radio.MBus_Type = 0;
    radio.Var_List_Type = 1;
    radio.wMBus_ManID = "0x2C2D";
    radio.wMBus_Add = "0x12345678";
    radio.wMBus_Ver = "1";
    radio.wMBus_DevType = "7";
    radio.wMBus_En_Key = 1;
    for (int k = 0; k < 16; ++k) radio.wMBus_Key[static_cast<size_t>(k)] = "0x" + std::to_string(10 + k);
    radio.wMBus_RSSI = 3;
    radio.wMBus_RSSI_Topic = 5;
    TVariabile byPosition;
    byPosition.Enable = true;
    byPosition.Description = "Volume";
    byPosition.Position = 4;
    byPosition.Topic = -1;
    byPosition.Post_Operation = 7;
    radio.Var_List = {byPosition};
    return nodes;
}

std::vector<std::string> Attribute_Names(pugi::xml_node e)
{
    std::vector<std::string> names;
    for (pugi::xml_attribute a = e.first_attribute(); a; a = a.next_attribute()) names.push_back(a.name());
    return names;
}

TEST(NetworkFile, WrittenFileReadsBackFieldForField)
{
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    const TNodoList nodes = Fixture_Nodes();
    std::string error;
    ASSERT_TRUE(Write_MBus_Network(path, nodes, error)) << error;
    Keep_For_Xmllint(path, "network_editor");

    TNodoList back;
    const TNetworkReadResult r = Read_MBus_Network(path, back);
    EXPECT_EQ(r.Result, TNetworkRead::Read);
    EXPECT_EQ(r.Error, "");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], nodes[0]);
    EXPECT_EQ(back[1], nodes[1]);
    EXPECT_EQ(back[1].Var_List[0].Topic, -1);
    EXPECT_EQ(back[1].Var_List[0].Post_Operation, 7);

    // The document: the root, then the version comment, nothing else.
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
    pugi::xml_node first = doc.Doc().first_child();
    EXPECT_EQ(std::string(first.name()), "M-Bus_Network");
    ASSERT_TRUE(first.next_sibling());
    EXPECT_EQ(first.next_sibling().type(), pugi::node_comment);
    EXPECT_EQ(std::string(first.next_sibling().value()), "SW_VERSION = 1.019");
    EXPECT_FALSE(first.next_sibling().next_sibling());

    std::vector<std::string> nodeOrder = {"Enable_Node", "ID_Primary", "ID_Secondary", "Descrizione",
                                          "Send_SND_NKE", "Reset_App", "Node_State", "Ident_Num",
                                          "BCDtoINT_IN", "Swap_IN", "Node_ID_Type", "Var_List_Type",
                                          "Cut_After", "NS_Topic", "IN_Topic", "Access_Number",
                                          "AN_Topic", "IN_VarType", "MBus_Type", "wMBus_ManID",
                                          "wMBus_Add", "wMBus_Ver", "wMBus_DevType", "wMBus_En_Key"};
    for (int k = 1; k <= 16; ++k) nodeOrder.push_back("wMBus_Key_" + std::to_string(k));
    nodeOrder.push_back("wMBus_RSSI");
    nodeOrder.push_back("wMBus_RSSI_Topic");
    ASSERT_EQ(nodeOrder.size(), 42u);
    EXPECT_EQ(Node_Attribute_Order(), nodeOrder);
    const std::vector<std::string> variableOrder = {"Enable", "Desc",     "Type",     "Fun_Field", "Dim",
                                                    "Unit",   "StoNumber", "Tariff",  "VIFE",      "BCDtoINT",
                                                    "VIF_ASCII", "Length", "Position", "Topic",    "Post_Operation"};
    EXPECT_EQ(Variable_Attribute_Order(), variableOrder);
    int nodeCount = 0;
    for (pugi::xml_node n = first.first_child(); n; n = n.next_sibling(), ++nodeCount) {
        EXPECT_EQ(std::string(n.name()), "Nodo");
        EXPECT_EQ(Attribute_Names(n), nodeOrder);
        for (pugi::xml_node v = n.first_child(); v; v = v.next_sibling()) {
            EXPECT_EQ(std::string(v.name()), "Variabile");
            EXPECT_EQ(Attribute_Names(v), variableOrder);
        }
    }
    EXPECT_EQ(nodeCount, 2);
    pugi::xml_node wired = first.first_child();
    EXPECT_STREQ(wired.attribute("Enable_Node").value(), "1");
    EXPECT_STREQ(wired.next_sibling().attribute("Enable_Node").value(), "0");
    EXPECT_STREQ(wired.first_child().attribute("BCDtoINT").value(), "1");
    EXPECT_STREQ(wired.first_child().next_sibling().attribute("Enable").value(), "0");
    EXPECT_STREQ(wired.first_child().attribute("StoNumber").value(), "4294967295");
    EXPECT_STREQ(wired.attribute("IN_VarType").value(), "0");
}

// One node's attributes (and a variable's) in a small file.
std::string One_Node_File(const std::string& nodeAttributes, const std::string& variableAttributes = "",
                          const std::string& before = "")
{
    std::string s = before + "<M-Bus_Network><Nodo Descrizione=\"d\" " + nodeAttributes + ">";
    if (!variableAttributes.empty())
        s += "<Variabile Desc=\"v\" Type=\"1\" Fun_Field=\"0\" Dim=\"2\" " + variableAttributes + "/>";
    return s + "</Nodo></M-Bus_Network>";
}

TEST(NetworkFile, ReaderDefaultsAndFallbacks)
{
    struct Case {
        const char* name;
        std::string file;
        std::function<void(const TNodo&)> check;
    };
    const auto var = [](const TNodo& n) -> const TVariabile& { return n.Var_List.at(0); };
    const Case cases[] = {
        {"ID by secondary type", One_Node_File("ID=\"7\" Node_ID_Type=\"1\" ID_Primary=\"3\""),
         [](const TNodo& n) {
             EXPECT_EQ(n.Node_ID_Secondary, 7);
             EXPECT_EQ(n.Node_ID_Primary, 1);
         }},
        {"ID by primary type", One_Node_File("ID=\"7\" Node_ID_Type=\"0\" ID_Primary=\"3\""),
         [](const TNodo& n) {
             EXPECT_EQ(n.Node_ID_Primary, 7);
             EXPECT_EQ(n.Node_ID_Secondary, 1);
         }},
        {"ID not a number", One_Node_File("ID=\"x\" ID_Primary=\"3\" ID_Secondary=\"$10\""),
         [](const TNodo& n) {
             EXPECT_EQ(n.Node_ID_Primary, 3);
             EXPECT_EQ(n.Node_ID_Secondary, 16);
         }},
        {"no IDs", One_Node_File(""),
         [](const TNodo& n) {
             EXPECT_EQ(n.Node_ID_Primary, 1);
             EXPECT_EQ(n.Node_ID_Secondary, 1);
             EXPECT_EQ(n.Node_ID_Type, 0);
             EXPECT_EQ(n.Cut_After, 0);
             EXPECT_EQ(n.wMBus_En_Key, 0);
             EXPECT_EQ(n.wMBus_Add, "");
         }},
        {"MBus_Type missing", One_Node_File(""), [](const TNodo& n) { EXPECT_EQ(n.MBus_Type, 1); }},
        {"MBus_Type letter", One_Node_File("MBus_Type=\"A\""), [](const TNodo& n) { EXPECT_EQ(n.MBus_Type, 1); }},
        {"MBus_Type 0", One_Node_File("MBus_Type=\"0\""), [](const TNodo& n) { EXPECT_EQ(n.MBus_Type, 0); }},
        {"Enable_Node 0", One_Node_File("Enable_Node=\"0\""), [](const TNodo& n) { EXPECT_FALSE(n.Enable); }},
        {"Enable_Node false", One_Node_File("Enable_Node=\"false\""), [](const TNodo& n) { EXPECT_TRUE(n.Enable); }},
        {"Enable_Node missing", One_Node_File(""), [](const TNodo& n) { EXPECT_TRUE(n.Enable); }},
        {"only Node_Enable", One_Node_File("Node_Enable=\"0\""), [](const TNodo& n) { EXPECT_TRUE(n.Enable); }},
        {"Enable true", One_Node_File("", "Enable=\"true\""), [&](const TNodo& n) { EXPECT_FALSE(var(n).Enable); }},
        {"Enable 1", One_Node_File("", "Enable=\"1\""), [&](const TNodo& n) { EXPECT_TRUE(var(n).Enable); }},
        {"BCDtoINT 1", One_Node_File("", "BCDtoINT=\"1\""), [&](const TNodo& n) { EXPECT_TRUE(var(n).BCDtoINT); }},
        {"BCDtoINT yes", One_Node_File("", "BCDtoINT=\"yes\""),
         [&](const TNodo& n) { EXPECT_FALSE(var(n).BCDtoINT); }},
        {"StoNumber max", One_Node_File("", "StoNumber=\"4294967295\""),
         [&](const TNodo& n) { EXPECT_EQ(var(n).Storage_Number, 4294967295u); }},
        {"StoNumber hex max", One_Node_File("", "StoNumber=\"0xFFFFFFFF\""),
         [&](const TNodo& n) { EXPECT_EQ(var(n).Storage_Number, 4294967295u); }},
        {"StoNumber above", One_Node_File("", "StoNumber=\"4294967296\""),
         [&](const TNodo& n) { EXPECT_EQ(var(n).Storage_Number, 0u); }},
        {"StoNumber negative", One_Node_File("", "StoNumber=\"-1\""),
         [&](const TNodo& n) { EXPECT_EQ(var(n).Storage_Number, 0u); }},
        {"hexadecimal Unit and Tariff", One_Node_File("", "Unit=\"$0A\" Tariff=\"0x10\""),
         [&](const TNodo& n) {
             EXPECT_EQ(var(n).Unita, 10);
             EXPECT_EQ(var(n).Tariff, 16);
         }},
        {"Topic missing", One_Node_File("", "Position=\"x\""),
         [&](const TNodo& n) {
             EXPECT_EQ(var(n).Topic, 0);
             EXPECT_EQ(var(n).Position, 1);
             EXPECT_EQ(var(n).Length, 0);
         }},
        {"exported Cut_After", One_Node_File("Cut_After=\"3\""), [](const TNodo& n) { EXPECT_EQ(n.Cut_After, 3); }},
        {"comment and declaration before the root",
         One_Node_File("ID_Primary=\"9\"", "", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!-- exported -->\r\n"),
         [](const TNodo& n) { EXPECT_EQ(n.Node_ID_Primary, 9); }},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("M_Bus.xml");
        WriteFile(path, c.file);
        TNodoList nodes;
        const TNetworkReadResult r = Read_MBus_Network(path, nodes);
        EXPECT_EQ(r.Result, TNetworkRead::Read) << r.Error;
        ASSERT_EQ(nodes.size(), 1u);
        c.check(nodes[0]);
    }
    // The editor shows the index: an exported "3" (frames) is its fourth choice.
    EXPECT_EQ(Frames_List().at(3), "4");
}

TEST(NetworkFile, ReadingStopsAtAFaultyElementAndSaysWhere)
{
    const std::string good = "<Nodo Descrizione=\"a\"><Variabile Desc=\"1\" Type=\"1\" Fun_Field=\"0\" Dim=\"0\"/></Nodo>";
    struct Case {
        const char* name;
        std::string body;
        size_t nodes;
        size_t lastNodeVariables;
        std::vector<std::string> inError;
    };
    const Case cases[] = {
        {"variable without Desc",
         good + "<Nodo Descrizione=\"b\"><Variabile Desc=\"1\" Type=\"1\" Fun_Field=\"0\" Dim=\"0\"/>"
                "<Variabile Desc=\"2\" Type=\"1\" Fun_Field=\"0\" Dim=\"0\"/>"
                "<Variabile Type=\"1\" Fun_Field=\"0\" Dim=\"0\"/><Variabile Desc=\"4\" Type=\"1\" Fun_Field=\"0\" Dim=\"0\"/>"
                "</Nodo>" + good,
         2, 2, {"M_Bus.xml", "node 2", "variable 3", "\"Desc\"", "missing"}},
        {"node without Descrizione", good + good + "<Nodo ID_Primary=\"3\"/>" + good, 2, 1,
         {"node 3", "\"Descrizione\"", "missing"}},
        {"Dim not a number",
         "<Nodo Descrizione=\"a\"><Variabile Desc=\"1\" Type=\"1\" Fun_Field=\"0\" Dim=\"x\"/></Nodo>", 1, 0,
         {"node 1", "variable 1", "\"Dim\"", "(\"x\")"}},
        {"Type not a number", "<Nodo Descrizione=\"a\"><Variabile Desc=\"1\" Type=\"abc\" Fun_Field=\"0\" Dim=\"1\"/></Nodo>",
         1, 0, {"node 1, variable 1: attribute \"Type\" is not a number (\"abc\")"}},
        {"Group of a code 4 file", "<Group Baudrate=\"2\" Parity=\"1\">" + good + "</Group>", 0, 0,
         {"node 1", "Group", "\"Descrizione\""}},
    };
    TempDir dir;
    const std::string path = dir.file("M_Bus.xml");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(path, "<M-Bus_Network>" + c.body + "</M-Bus_Network>");
        TNodoList nodes;
        const TNetworkReadResult r = Read_MBus_Network(path, nodes);
        EXPECT_EQ(r.Result, TNetworkRead::Stopped);
        ASSERT_EQ(nodes.size(), c.nodes);
        if (c.nodes > 0) {
            EXPECT_EQ(nodes.back().Var_List.size(), c.lastNodeVariables);
        }
        for (const std::string& part : c.inError) EXPECT_NE(r.Error.find(part), std::string::npos) << r.Error;
    }

    // A truncated file: unreadable, with the parser's reason and line.
    WriteFile(path, "<M-Bus_Network>\n" + good + "\n<Nodo Descrizione=\"x\"");
    TNodoList nodes;
    TNetworkReadResult r = Read_MBus_Network(path, nodes);
    EXPECT_EQ(r.Result, TNetworkRead::Unreadable);
    EXPECT_TRUE(nodes.empty());
    EXPECT_NE(r.Error.find("M_Bus.xml"), std::string::npos) << r.Error;
    EXPECT_NE(r.Error.find("line 3"), std::string::npos) << r.Error;

    r = Read_MBus_Network(dir.file("none.xml"), nodes);
    EXPECT_EQ(r.Result, TNetworkRead::Missing);
    EXPECT_TRUE(nodes.empty());
}

TEST(NetworkFile, FailedWriteKeepsTheOldFileAndNamesIt)
{
    TempDir dir;
    const std::string path = dir.file("sub/M_Bus.xml");  // no such folder
    std::string error;
    EXPECT_FALSE(Write_MBus_Network(path, Fixture_Nodes(), error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
}

TEST(NetworkFile, CodeLists)
{
    EXPECT_EQ(Type_Of_Data_List().size(), 26u);
    EXPECT_EQ(Type_Of_Data_List()[2], "Volume (m\xC2\xB3)");
    EXPECT_EQ(Type_Of_Data_List()[19], "Type of  Data in VIFE");
    EXPECT_EQ(Type_Of_Data_List()[21], "VIF is in ASCII");
    EXPECT_EQ(Function_Field_List(),
              (std::vector<std::string>{"Instantaneous Value", "Minimun Value", "Maximum Value", "Value During Error State"}));
    EXPECT_EQ(Dimension_List(),
              (std::vector<std::string>{"8", "16", "32", "64", "24", "48", "32 Real", "Variable Length"}));
    EXPECT_EQ(Unit_List().size(), 11u);
    EXPECT_EQ(Unit_List().back(), "10");
    ASSERT_EQ(Post_Operation_List().size(), 13u);
    EXPECT_EQ(Post_Operation_List()[0], "None");
    for (size_t i = 1; i < Post_Operation_List().size(); ++i) EXPECT_EQ(Post_Operation_List()[i][0], ' ');
    EXPECT_EQ(Post_Operation_List()[7], " * 10");
    ASSERT_EQ(VIFE_List().size(), 152u);
    EXPECT_EQ(VIFE_List()[0], "Not Selected");
    EXPECT_EQ(VIFE_List()[17], "Password");
    EXPECT_EQ(VIFE_List()[38], "Volts ");
    EXPECT_EQ(VIFE_List()[69], "Cumul. count max power");
    EXPECT_EQ(VIFE_List()[151], "Overflow values");
    ASSERT_EQ(Frames_List().size(), 250u);
    EXPECT_EQ(Frames_List().front(), "1");
    EXPECT_EQ(Frames_List().back(), "250");
    EXPECT_EQ(Variables_List_List(), (std::vector<std::string>{"By Type", "By Position"}));
    EXPECT_EQ(MBus_Type_List(), (std::vector<std::string>{"wM-Bus", "M-Bus on wires"}));
}

} // namespace
