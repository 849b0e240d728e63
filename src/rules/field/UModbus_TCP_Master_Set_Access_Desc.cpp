// The Modbus TCP master rules' tables: columns, file, texts and checks.
#include "rules/field/UModbus_TCP_Master_Set_Access.h"

#include "core/UWholeNumber.h"

namespace {

TRuleGridDesc Read_Grid(TModbusTopics& topics)
{
    TRuleGridDesc g;
    g.section = "Modbus_Read";
    g.rows = 512;
    g.numberHeader = 1508;
    g.pageCaption = 1506;
    g.keyCol = TCP_Col::IP_Address;
    g.enable = TEnableTest::Exact;
    g.showHints = false;
    g.enterJump = false;
    g.columns = {
        Modbus_Enable_Column(1509, 1569),
        Rule_Text(1510, 1570, "IP_Address", 101, Modbus_Color::Slave),
        Rule_Text(1511, 1571, "Port", 45, Modbus_Color::Slave),
        Rule_Text(1512, 1572, "Slave_ID", 55, Modbus_Color::Slave),
        Rule_Combo(1513, 1573, "Type", {"Coil Status", "Input Status", "Holding Register", "Input Register"}, 100,
                   Modbus_Color::Slave),
        Rule_Text(1514, 1574, "Address", 55, Modbus_Color::Slave),
        Rule_Text(1515, 1575, "NPoint", 45, Modbus_Color::Slave),
        Rule_Text(1516, 1576, "PollTime", 60, clWindow),
        Rule_Text(1517, 1577, "MaxError", 64, clWindow),
        Rule_Combo(1518, 1578, "Position", Number_Items(Modbus_Array_Size), 60, Modbus_Color::Data, true),
        Rule_Combo(1519, 1579, "Bit", Number_Items(8), 60, Modbus_Color::Data, true),
        Rule_Check(1520, 1580, "Swap", 40, clWindow),
        Rule_Check(1600, 1602, "SwapWord", 80, clWindow),
        Modbus_Topic_Column(topics, 1562, 1581, 120, Modbus_Color::Topic),
        Rule_Text(1521, 1582, "Mnemonic", 140, clWindow),
    };
    return g;
}

TRuleGridDesc Write_Grid()
{
    TRuleGridDesc g;
    g.section = "Modbus_Write";
    g.rows = 512;
    g.numberHeader = 1522;
    g.pageCaption = 1507;
    g.keyCol = 2;
    g.enable = TEnableTest::Exact;
    g.showHints = false;
    g.tabHidden = true;
    g.columns = {
        Modbus_Enable_Column(1523, 1583),
        Rule_Text(1524, 1584, "IP_Address", 101, Modbus_Color::Slave),
        Rule_Text(1525, 1585, "Port", 45, Modbus_Color::Slave),
        Rule_Text(1526, 1586, "Slave_ID", 55, Modbus_Color::Slave),
        Rule_Combo(1527, 1587, "Type", {"Coil Status", "Holding Register"}, 100, Modbus_Color::Slave),
        Rule_Text(1528, 1588, "Address", 55, Modbus_Color::Slave),
        Rule_Text(1529, 1589, "NPoint", 45, Modbus_Color::Slave),
        Rule_Text(1530, 1590, "PollTime", 60, clWindow),
        Rule_Check(1531, 1591, "OnChange", 66, clWindow, false, ""),
        Rule_Check(1532, 1592, "OnCMD", 56, clWindow),
        Rule_Text(1533, 1593, "MaxError", 62, clWindow),
        Rule_Combo(1534, 1594, "Position", Number_Items(Modbus_Array_Size), 55, Modbus_Color::Data),
        Rule_Combo(1535, 1595, "Bit", Number_Items(8), 55, Modbus_Color::Data),
        Rule_Check(1536, 1596, "Swap", 40, clWindow),
        Rule_Check(1601, 1603, "SwapWord", 80, clWindow),
        Rule_Text(1537, 1597, "Mnemonic", 150, clWindow),
    };
    return g;
}

// The slave's address and port, before the checks both windows share.
std::optional<TRuleFault> Check_Slave(TRuleRow& r, int addressText)
{
    if (Check_IP_Address(r.Cell(TCP_Col::IP_Address))) return r.Fault(addressText);
    if (!In_Range(r.Number(TCP_Col::Port), 0, 65535)) return r.Fault(addressText + 1);
    return std::nullopt;
}

} // namespace

bool Check_IP_Address(const std::string& text)
{
    if (text.empty()) return true;
    std::string rest = text;
    for (int i = 0; i < 4; ++i) {
        std::string part;
        if (i == 3) {
            part = rest;
        } else {
            const size_t dot = rest.find('.');
            // A missing "." leaves this part and the ones after it empty.
            if (dot == std::string::npos) return true;
            part = rest.substr(0, dot);
            rest = rest.substr(dot + 1);
        }
        if (!In_Range(UComon::Whole_Number(part), 0, 255)) return true;
    }
    return false;
}

TRuleWindowDesc Modbus_TCP_Master_Set_Access_Desc(TModbusTopics& topics, std::function<std::string()> topicFile)
{
    TRuleWindowDesc d;
    d.root = "PROFINET_Master_to_Modbus_TCP_Master";
    d.version.clear();  // no version comment
    d.clientWidth = 1150;
    d.caption = 1500;
    d.description = 1501;
    for (int i = 0; i < 4; ++i) d.buttonCaptions[i] = 1502 + i;
    for (int i = 0; i < 6; ++i) d.buttonHints[i] = 1563 + i;
    d.rowPrefix = 1538;
    d.deleteQuestion = 1561;
    d.clickSelectsRow = true;
    d.insertEnable = true;
    d.grids = {Read_Grid(topics), Write_Grid()};

    d.beforeLoad = Modbus_Topics_Before_Load(topics, topicFile, TCP_Col::Topic);
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        const bool read = r.Grid() == 0;
        if (auto f = Check_Slave(r, read ? 1539 : 1550)) return f;
        if (read) return Check_Modbus_Read(r, TCP_Col::Slave_ID, {1541, 1542, 1543, 1544, 1599, 1546, 1598});
        return Check_Modbus_Write(r, TCP_Col::Slave_ID, 1552);
    };
    return d;
}
