// The Modbus RTU and Modbus TCP master tables on bare grids: the topic
// column, the checks, loading and the files.
#include "../can_mqtt/RuleTables.h"
#include "rules/field/UModbus_TCP_Master_Set_Access.h"
#include "rules/field/USetAccess.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

using Cells = std::vector<std::pair<int, std::string>>;

// A table of one of the two windows over a topic file beside its rule file.
struct ModbusTables {
    explicit ModbusTables(bool tcp)
        : topics(!tcp),
          t(tcp ? Modbus_TCP_Master_Set_Access_Desc(topics, [this] { return topicFile; })
                : SetAccess_Desc(topics, [this] { return topicFile; }),
            tcp ? "ModbusTCPM_SetAccess.xml" : "ModbusM_SetAccess.xml"),
          tcp(tcp)
    {
        topicFile = t.dir.file("MQTT_Set_Topic.xml");
    }
    // Publish topics of the topic file (written as the topic window does).
    void Publish(const std::vector<std::string>& names)
    {
        std::string s = "<MQTT_Set_Topic>\n\t<MQTT_Options>\n\t\t<Option_Allow_CR_LF>N</Option_Allow_CR_LF>\n"
                        "\t</MQTT_Options>\n\t<MQTT_Publish>\n";
        for (const std::string& n : names)
            s += "\t\t<row Topic=\"" + n + "\" Retained=\"N\" QoS=\"0\" DataType=\"Int\" Dimension=\"2\" "
                 "Position=\"0\" Template=\"$VALUE$\" OnChange=\"N\" OnCMD=\"N\" OnTimer=\"N\" Time=\"\" Mnemonic=\"\" />\n";
        s += "\t</MQTT_Publish>\n\t<MQTT_Subscribe />\n</MQTT_Set_Topic>\n<!--SW_VERSION = 1.002-->\n";
        WriteFile(topicFile, s);
    }
    int Topic() const { return tcp ? TCP_Col::Topic : SetAccess_Col::Topic; }
    int Slave() const { return tcp ? TCP_Col::Slave_ID : SetAccess_Col::Slave_ID; }
    // A read row whose cells pass, with the topic cell given.
    Cells Read_Row(const std::string& topic) const
    {
        const int s = Slave();
        Cells c = {{s, "1"}, {s + 1, "Holding Register"}, {s + 2, "0"}, {s + 3, "1"}, {s + 4, "1000"},
                   {s + 5, "0"}, {Topic(), topic}};
        if (tcp) c.insert(c.end(), {{TCP_Col::IP_Address, "192.168.1.10"}, {TCP_Col::Port, "502"}});
        return c;
    }
    // The "Index_Topic" attributes of the written file, in order.
    std::vector<std::string> Saved_Indexes()
    {
        std::vector<std::string> out;
        const std::string file = t.Written();
        for (size_t p = file.find("Index_Topic=\""); p != std::string::npos; p = file.find("Index_Topic=\"", p + 1)) {
            const size_t b = p + 13;
            out.push_back(file.substr(b, file.find('"', b) - b));
        }
        return out;
    }
    std::string topicFile;
    TModbusTopics topics;
    RuleTables t;
    bool tcp;
};

std::string Error_Row(int row, int text, const std::string& appended = {})
{
    return "Error row " + std::to_string(row) + Text(text) + appended;
}

} // namespace

TEST(ModbusMaster, TopicEntriesFollowTheTopicFile)
{
    ModbusTables rtu(false), tcp(true);
    for (ModbusTables* m : {&rtu, &tcp}) {
        m->Publish({"a", "b", "c"});
        m->t.frame->Show();
    }
    const TStringList& rtuItems = rtu.t.G(0).Columns().Items(SetAccess_Col::Topic)->ComboItems();
    ASSERT_EQ(rtuItems.Count(), 3);
    EXPECT_EQ(rtuItems[0], "1 - a");
    EXPECT_EQ(rtuItems[2], "3 - c");
    const TStringList& tcpItems = tcp.t.G(0).Columns().Items(TCP_Col::Topic)->ComboItems();
    ASSERT_EQ(tcpItems.Count(), 3);
    EXPECT_EQ(tcpItems[1], "b");

    // Topic files the writers of this system never write: no publish
    // section, a row without a topic (it keeps its place), a comment.
    WriteFile(rtu.topicFile, "<MQTT_Set_Topic><MQTT_Subscribe><row Topic=\"s\"/></MQTT_Subscribe></MQTT_Set_Topic>");
    rtu.t.frame->Show();
    EXPECT_EQ(rtu.topics.List_Publish_Topic.Count(), 0);
    WriteFile(rtu.topicFile, "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"a\"/><!-- x --><row/><row Topic=\"c\"/>"
                             "</MQTT_Publish></MQTT_Set_Topic>");
    rtu.t.frame->Show();
    ASSERT_EQ(rtu.topics.List_Publish_Topic.Count(), 3);
    EXPECT_EQ(rtu.topics.List_Publish_Topic[1], "2 - ");
    EXPECT_EQ(rtu.topics.List_Publish_Topic[2], "3 - c");
    EXPECT_EQ(rtu.topics.Get_Index_From_Topic("3 - c"), 2);
}

TEST(ModbusMaster, TopicIndexesSavedAndLoaded)
{
    struct Case {
        const char* what;
        bool tcp;
        std::vector<std::string> publish;  // empty: no topic file
        std::function<void(ModbusTables&)> act;
        std::vector<std::string> saved;    // Index_Topic of the saved rows
        std::string fault;                 // the fault instead, when not empty
    } cases[] = {
        {"RTU: the second of a, b, c", false, {"a", "b", "c"},
         [](ModbusTables& m) {
             m.t.Fill(0, 1, m.Read_Row("2 - b"));
             m.topics.Picked(1, 1);
         },
         {"1"}, ""},
        {"RTU: the second of two equal texts", false, {"x", "x"},
         [](ModbusTables& m) {
             m.t.Fill(0, 1, m.Read_Row("2 - x"));
             m.topics.Picked(1, 1);
         },
         {"1"}, ""},
        {"TCP: either of two equal texts", true, {"x", "x"},
         [](ModbusTables& m) { m.t.Fill(0, 1, m.Read_Row("x")); }, {"0"}, ""},
        {"RTU: a stored index beyond the list, enabled", false, {"t1", "t2", "t3", "t4", "t5"},
         [](ModbusTables& m) {
             WriteFile(m.t.path, "<EtherNetIP_to_Modbus><Modbus_Read>"
                                 "<row Enable=\"Y\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" "
                                 "PollTime=\"1000\" MaxError=\"0\" Index_Topic=\"4\"/>"
                                 "<row Enable=\"Y\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" "
                                 "PollTime=\"1000\" MaxError=\"0\" Index_Topic=\"7\"/>"
                                 "</Modbus_Read></EtherNetIP_to_Modbus>");
             m.t.frame->Show();
             EXPECT_EQ(m.t.G(0).GetCellEx(SetAccess_Col::Topic, 1), "5 - t5");
             EXPECT_EQ(m.t.G(0).GetCellEx(SetAccess_Col::Topic, 2), "");
         },
         {}, Error_Row(2, 1378)},
        {"RTU: the same row disabled", false, {"t1", "t2", "t3", "t4", "t5"},
         [](ModbusTables& m) {
             WriteFile(m.t.path, "<EtherNetIP_to_Modbus><Modbus_Read>"
                                 "<row Enable=\"N\" Slave_ID=\"1\" Index_Topic=\"7\"/>"
                                 "</Modbus_Read></EtherNetIP_to_Modbus>");
             m.t.frame->Show();
         },
         {"-1"}, ""},
        {"TCP: a stored index beyond the list, disabled", true, {"t1", "t2"},
         [](ModbusTables& m) {
             WriteFile(m.t.path, "<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read>"
                                 "<row Enable=\"N\" IP_Address=\"x\" Index_Topic=\"2\"/>"
                                 "<row Enable=\"N\" IP_Address=\"y\" Index_Topic=\"1\"/>"
                                 "</Modbus_Read></PROFINET_Master_to_Modbus_TCP_Master>");
             m.t.frame->Show();
         },
         {"-1", "1"}, ""},
        {"RTU: a row moved by Insert Row keeps its topic", false, {"a", "b", "c"},
         [](ModbusTables& m) {
             m.t.Fill(0, 1, m.Read_Row("1 - a"));
             m.topics.Picked(1, 0);
             m.t.Fill(0, 2, m.Read_Row("3 - c"));
             m.topics.Picked(2, 2);
             m.t.G(0).SetRow(2);
             m.t.frame->Insert_Row(0);
             m.t.Fill(0, 2, m.Read_Row("2 - b"));
         },
         {"0", "1", "2"}, ""},
        {"RTU: no topic file", false, {},
         [](ModbusTables& m) { m.t.Fill(0, 1, m.Read_Row("")); }, {}, Error_Row(1, 1378)},
        {"TCP: no topic file", true, {},
         [](ModbusTables& m) { m.t.Fill(0, 1, m.Read_Row("")); }, {}, Error_Row(1, 1598)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModbusTables m(c.tcp);
        if (!c.publish.empty()) m.Publish(c.publish);
        m.t.frame->Show();
        c.act(m);
        EXPECT_EQ(m.t.Fault(), c.fault);
        if (c.fault.empty()) {
            EXPECT_EQ(m.Saved_Indexes(), c.saved);
        }
    }

    // TCP: a saved index names the first equal topic, which the next showing shows.
    ModbusTables m(true);
    m.Publish({"x", "y", "x"});
    m.t.frame->Show();
    m.t.Fill(0, 1, m.Read_Row("x"));
    EXPECT_EQ(m.Saved_Indexes(), std::vector<std::string>{"0"});
    m.t.frame->Show();
    EXPECT_EQ(m.t.G(0).GetCellEx(TCP_Col::Topic, 1), "x");
}

TEST(ModbusMaster, RTUReadChecks)
{
    using namespace SetAccess_Col;
    ModbusTables m(false);
    m.Publish({"a"});
    struct Case {
        Cells cells;  // over a good row 4 (rows 1 to 3 good as well)
        std::string message;
    } cases[] = {
        {{}, ""},
        {{{NPoint, "200"}}, "Error row 4!! [Modbus Read] NPoint must be between 1 and 125"},
        {{{Type, "Input Status"}, {NPoint, "2000"}}, ""},
        {{{Type, "coil status "}, {NPoint, "2000"}}, ""},
        {{{Type, "Input Status"}, {NPoint, "2001"}}, Error_Row(4, 1372, "2000")},
        {{{NPoint, "126"}}, Error_Row(4, 1372, "125")},
        {{{NPoint, "0"}}, Error_Row(4, 1372, "125")},
        {{{Type, "   "}, {NPoint, "125"}}, ""},
        {{{Type, "   "}, {NPoint, "126"}}, Error_Row(4, 1372, "125")},
        {{{Type, ""}}, Error_Row(4, 1370)},
        {{{Slave_ID, "248"}}, Error_Row(4, 1369)},
        {{{Slave_ID, "0x10"}}, ""},
        {{{Address, "65536"}}, Error_Row(4, 1371)},
        {{{Poll_Time, "999"}}, Error_Row(4, 1373)},
        {{{Poll_Time, "100000000"}}, ""},
        {{{Poll_Time, "100000001"}}, Error_Row(4, 1373)},
        {{{Max_Error, ""}}, Error_Row(4, 1374)},
        {{{Topic, " "}}, Error_Row(4, 1378)},
        // The hidden data-array columns are not checked.
        {{{Position, "9999"}, {Start_Bit, "x"}}, ""},
        {{{Enable, "N"}, {Slave_ID, "0"}, {Type, ""}}, ""},
        {{{Enable, "y"}, {Slave_ID, "0"}}, ""},
    };
    for (const Case& c : cases) {
        m.t.frame->Show();
        for (int r = 1; r <= 4; ++r) m.t.Fill(0, r, m.Read_Row("1 - a"));
        m.t.Fill(0, 4, c.cells);
        std::string what;
        for (const auto& [col, text] : c.cells) what += std::to_string(col) + "=" + text + " ";
        EXPECT_EQ(m.t.Fault(), c.message) << what;
    }
    // An empty Slave ID ends the rules: rows after it are neither checked nor saved.
    m.t.frame->Show();
    m.t.Fill(0, 1, m.Read_Row("1 - a"));
    m.t.Fill(0, 3, m.Read_Row("1 - a"));
    m.t.Fill(0, 3, {{NPoint, "999"}});
    EXPECT_EQ(m.t.Fault(), "");
    EXPECT_EQ(m.Saved_Indexes().size(), 1u);
}

TEST(ModbusMaster, WriteRowsSpanAndDisabledRows)
{
    struct Case {
        const char* row;  // attributes of a write row of the file
        std::string message;
    } cases[] = {
        {R"(Type="Coil Status" Position="1499" NPoint="8" Bit="0")", ""},
        {R"(Type="Coil Status" Position="1499" NPoint="9" Bit="0")", Error_Row(1, 1387)},
        {R"(Type="Coil Status" Position="1498" NPoint="9" Bit="7")", ""},
        {R"(Type="Coil Status" Position="1498" NPoint="10" Bit="7")", Error_Row(1, 1387)},
        {R"(Type="Coil Status" Position="0" NPoint="1968" Bit="x")", ""},
        {R"(Type="Coil Status" Position="0" NPoint="1969" Bit="0")", Error_Row(1, 1382, "1968")},
        {R"(Type="Coil Status" Position="0" NPoint="1" Bit="")", Error_Row(1, 1386)},
        {R"(Type="Holding Register" Position="1498" NPoint="1" Bit="")", ""},
        {R"(Type="Holding Register" Position="1499" NPoint="1" Bit="")", Error_Row(1, 1387)},
        {R"(Type="Holding Register" Position="0" NPoint="124" Bit="")", Error_Row(1, 1382, "123")},
        {R"(Type="Holding Register" Position="1500" NPoint="1" Bit="")", Error_Row(1, 1385, "1499")},
        {R"(Type="" Position="0" NPoint="1" Bit="")", Error_Row(1, 1380)},
    };
    for (const Case& c : cases) {
        ModbusTables m(false);
        WriteFile(m.t.path, std::string("<EtherNetIP_to_Modbus><Modbus_Write><row Enable=\"Y\" Slave_ID=\"1\" "
                                        "Address=\"0\" PollTime=\"0\" MaxError=\"0\" ") +
                                c.row + "/></Modbus_Write></EtherNetIP_to_Modbus>");
        m.t.frame->Show();
        EXPECT_EQ(m.t.Fault(), c.message) << c.row;
        // The write poll time starts at 0.
        if (!c.message.empty()) continue;
        m.t.G(1).SetCellEx(6, 1, "-1");
        EXPECT_EQ(m.t.Fault(), Error_Row(1, 1383)) << c.row;
    }
    // A read fault is shown before a write fault.
    ModbusTables m(false);
    WriteFile(m.t.path, "<EtherNetIP_to_Modbus><Modbus_Read><row Enable=\"Y\" Slave_ID=\"1\"/></Modbus_Read>"
                        "<Modbus_Write><row Enable=\"Y\" Slave_ID=\"0\"/></Modbus_Write></EtherNetIP_to_Modbus>");
    m.t.frame->Show();
    EXPECT_EQ(m.t.Fault(), Error_Row(1, 1370));

    // A disabled write row with bad cells passes and is saved unchanged.
    const std::string disabled =
        "\t\t<row Enable=\"N\" Slave_ID=\"999\" Type=\"x\" Address=\"-1\" NPoint=\"0\" PollTime=\"p\" OnChange=\"Y\" "
        "OnCMD=\"\" MaxError=\"\" Position=\"1500\" Bit=\"9\" Swap=\"Y\" SwapWord=\"N\" Mnemonic=\" w \" />\n";
    const std::string file = "<EtherNetIP_to_Modbus>\n\t<Modbus_Read />\n\t<Modbus_Write>\n" + disabled +
                             "\t</Modbus_Write>\n</EtherNetIP_to_Modbus>\n<!--SW_VERSION = 1.111-->\n";
    WriteFile(m.t.path, file);
    m.t.frame->Show();
    EXPECT_EQ(m.t.Fault(), "");
    EXPECT_EQ(m.t.Written(), file);
}

TEST(ModbusMaster, TCPAddressAndPort)
{
    ModbusTables m(true);
    m.Publish({"a"});
    struct Case {
        const char* address;
        const char* port;
        std::string message;
    } cases[] = {
        {"192.168.1.10", "502", ""},
        {" 10.0.0.1", "0", ""},
        {"0x0A.0.0.$FF", "65535", ""},
        {"192.168.1.256", "502", Error_Row(1, 1539)},
        {"192.168.1", "502", Error_Row(1, 1539)},
        {"192.168.1.1.5", "502", Error_Row(1, 1539)},
        {"10.0.0.1 ", "502", Error_Row(1, 1539)},
        {"10..0.1", "502", Error_Row(1, 1539)},
        {"10.0.0.1", "65536", Error_Row(1, 1540)},
        {"10.0.0.1", "", Error_Row(1, 1540)},
    };
    for (const Case& c : cases) {
        m.t.frame->Show();
        m.t.Fill(0, 1, m.Read_Row("a"));
        m.t.Fill(0, 1, {{TCP_Col::IP_Address, c.address}, {TCP_Col::Port, c.port}});
        EXPECT_EQ(m.t.Fault(), c.message) << "[" << c.address << "] " << c.port;
    }
    // Saved with its blank; an empty address ends the rules.
    m.t.frame->Show();
    m.t.Fill(0, 1, m.Read_Row("a"));
    m.t.Fill(0, 1, {{TCP_Col::IP_Address, " 10.0.0.1"}});
    m.t.Fill(0, 2, {{TCP_Col::IP_Address, "  "}, {TCP_Col::Port, "x"}});
    m.t.Fill(0, 3, m.Read_Row("a"));
    m.t.Fill(0, 3, {{TCP_Col::Port, "99999"}});
    EXPECT_EQ(m.t.Fault(), "");
    const std::string written = m.t.Written();
    EXPECT_NE(written.find("IP_Address=\" 10.0.0.1\" Port=\"502\""), std::string::npos);
    EXPECT_EQ(written.find("99999"), std::string::npos);
    // The write grid's faults have texts of their own.
    m.t.frame->Show();
    m.t.Fill(1, 1, {{TCP_Col::IP_Address, "1.2.3.4"}, {TCP_Col::Port, "-1"}});
    EXPECT_EQ(m.t.Fault(), Error_Row(1, 1551));
    m.t.Fill(1, 1, {{TCP_Col::Port, "1"}, {TCP_Col::Slave_ID, "1"}, {5, "Coil Status"}, {6, "0"}, {7, "8"},
                    {8, "0"}, {11, "0"}, {12, "1499"}, {13, "1"}});
    EXPECT_EQ(m.t.Fault(), Error_Row(1, 1560));
}

TEST(ModbusMaster, FilesOfBothWindows)
{
    // Empty tables: the TCP file holds its root alone, the RTU file the
    // comment after it.
    ModbusTables tcp(true), rtu(false);
    EXPECT_EQ(tcp.t.Written(), "<PROFINET_Master_to_Modbus_TCP_Master>\n\t<Modbus_Read />\n\t<Modbus_Write />\n"
                               "</PROFINET_Master_to_Modbus_TCP_Master>\n");
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(tcp.t.path), TXmlLoad::Read);
    int nodes = 0;
    for (pugi::xml_node n : doc.Doc().children()) {
        EXPECT_EQ(n.type(), pugi::node_element);
        ++nodes;
    }
    EXPECT_EQ(nodes, 1);
    EXPECT_EQ(rtu.t.Written(), "<EtherNetIP_to_Modbus>\n\t<Modbus_Read />\n\t<Modbus_Write />\n"
                               "</EtherNetIP_to_Modbus>\n<!--SW_VERSION = 1.111-->\n");

    // Samples round trip byte for byte, the hidden Position and Bit of the
    // read rows included.
    rtu.Publish({"a", "b"});
    const std::string rtuSample =
        "<EtherNetIP_to_Modbus>\n\t<Modbus_Read>\n"
        "\t\t<row Enable=\"Y\" Slave_ID=\"1\" Type=\"Holding Register\" Address=\"40001\" NPoint=\"2\" "
        "PollTime=\"1000\" MaxError=\"3\" Position=\"17\" Bit=\"5\" Swap=\"Y\" SwapWord=\"N\" Index_Topic=\"1\" "
        "Mnemonic=\"flow &amp; level\" />\n"
        "\t\t<row Enable=\"N\" Slave_ID=\"247\" Type=\"\" Address=\"\" NPoint=\"\" PollTime=\"\" MaxError=\"\" "
        "Position=\"\" Bit=\"\" Swap=\"\" SwapWord=\"\" Index_Topic=\"-1\" Mnemonic=\"\" />\n"
        "\t</Modbus_Read>\n\t<Modbus_Write>\n"
        "\t\t<row Enable=\"Y\" Slave_ID=\"2\" Type=\"Coil Status\" Address=\"0\" NPoint=\"16\" PollTime=\"0\" "
        "OnChange=\"Y\" OnCMD=\"N\" MaxError=\"0\" Position=\"1497\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" "
        "Mnemonic=\"valves\" />\n"
        "\t</Modbus_Write>\n</EtherNetIP_to_Modbus>\n<!--SW_VERSION = 1.111-->\n";
    WriteFile(rtu.t.path, rtuSample);
    EXPECT_EQ(rtu.t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(rtu.t.G(0).GetCellEx(SetAccess_Col::Topic, 1), "2 - b");
    EXPECT_TRUE(rtu.t.G(0).IsHiddenColumn(SetAccess_Col::Position));
    EXPECT_EQ(rtu.t.G(0).GetCellEx(SetAccess_Col::Position, 1), "17");
    EXPECT_EQ(rtu.t.Fault(), "");
    EXPECT_EQ(rtu.t.Written(), rtuSample);

    tcp.Publish({"a", "b"});
    const std::string tcpSample =
        "<PROFINET_Master_to_Modbus_TCP_Master>\n\t<Modbus_Read>\n"
        "\t\t<row Enable=\"Y\" IP_Address=\"192.168.1.125\" Port=\"502\" Slave_ID=\"1\" Type=\"Input Register\" "
        "Address=\"0\" NPoint=\"125\" PollTime=\"1000\" MaxError=\"0\" Position=\"3\" Bit=\"1\" Swap=\"N\" "
        "SwapWord=\"Y\" Index_Topic=\"0\" Mnemonic=\"\" />\n"
        "\t</Modbus_Read>\n\t<Modbus_Write>\n"
        "\t\t<row Enable=\"N\" IP_Address=\"x\" Port=\"\" Slave_ID=\"\" Type=\"\" Address=\"\" NPoint=\"\" "
        "PollTime=\"\" OnChange=\"\" OnCMD=\"\" MaxError=\"\" Position=\"\" Bit=\"\" Swap=\"\" SwapWord=\"\" "
        "Mnemonic=\"\" />\n"
        "\t</Modbus_Write>\n</PROFINET_Master_to_Modbus_TCP_Master>\n";
    WriteFile(tcp.t.path, tcpSample);
    EXPECT_EQ(tcp.t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(tcp.t.Fault(), "");
    EXPECT_EQ(tcp.t.Written(), tcpSample);
}

TEST(ModbusMaster, LoadingNeverDropsRows)
{
    ModbusTables m(false);
    m.Publish({"a"});
    // No write section: the read rows load, OK writes an empty write section.
    WriteFile(m.t.path, "<EtherNetIP_to_Modbus><Modbus_Read><row Enable=\"N\" Slave_ID=\"5\"/></Modbus_Read>"
                        "</EtherNetIP_to_Modbus>");
    m.t.frame->Show();
    EXPECT_EQ(m.t.G(0).GetCellEx(SetAccess_Col::Slave_ID, 1), "5");
    std::string written = m.t.Written();
    EXPECT_NE(written.find("Slave_ID=\"5\""), std::string::npos);
    EXPECT_NE(written.find("<Modbus_Write />"), std::string::npos);

    // A read row without MaxError, 520 read rows and a write row: 512 read
    // rows load, the missing cell is empty, both sections survive OK.
    std::string file = "<EtherNetIP_to_Modbus><Modbus_Read>";
    for (int r = 1; r <= 520; ++r)
        file += "<row Enable=\"N\" Slave_ID=\"" + std::to_string(r) + "\"" + (r == 3 ? "" : " MaxError=\"0\"") +
                " Index_Topic=\"0\"/>";
    file += "</Modbus_Read><Modbus_Write><row Enable=\"N\" Slave_ID=\"w\" OnCMD=\"Y\"/></Modbus_Write>"
            "</EtherNetIP_to_Modbus>";
    WriteFile(m.t.path, file);
    m.t.frame->Show();
    EXPECT_TRUE(m.t.boxes.shown.empty());
    EXPECT_EQ(m.t.G(0).GetCellEx(SetAccess_Col::Max_Error, 3), "");
    EXPECT_EQ(m.t.G(0).GetCellEx(SetAccess_Col::Max_Error, 4), "0");
    EXPECT_EQ(m.t.G(0).GetCellEx(SetAccess_Col::Slave_ID, 512), "512");
    EXPECT_EQ(m.t.G(0).GetCellEx(SetAccess_Col::Topic, 512), "1 - a");
    EXPECT_EQ(m.t.G(0).GetCellEx(SetAccess_Col::Swap, 1), "N");
    EXPECT_EQ(m.t.G(1).GetCellEx(2, 1), "w");
    EXPECT_EQ(m.t.G(1).GetCellEx(1, 1), "N");
    written = m.t.Written();
    EXPECT_NE(written.find("Slave_ID=\"512\""), std::string::npos);
    EXPECT_EQ(written.find("Slave_ID=\"513\""), std::string::npos);
    EXPECT_NE(written.find("<row Enable=\"N\" Slave_ID=\"w\" Type=\"\" Address=\"\" NPoint=\"\" PollTime=\"\" "
                           "OnChange=\"\" OnCMD=\"Y\""),
              std::string::npos);
}
