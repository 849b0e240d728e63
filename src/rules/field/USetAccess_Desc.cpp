// The Modbus RTU master rules' tables: columns, file, texts and checks.
#include "rules/field/USetAccess.h"

#include "core/UWholeNumber.h"

namespace {

TRuleGridDesc Read_Grid(TModbusTopics& topics)
{
    TRuleGridDesc g;
    g.section = "Modbus_Read";
    g.rows = 512;
    g.numberHeader = 1316;
    g.pageCaption = 1314;
    g.keyCol = SetAccess_Col::Slave_ID;
    g.enable = TEnableTest::Exact;
    g.columns = {
        Modbus_Enable_Column(1317, 1343),
        Rule_Text(1318, 1344, "Slave_ID", 60, Modbus_Color::Slave),
        Rule_Combo(1319, 1345, "Type", {"Coil Status", "Input Status", "Holding Register", "Input Register"}, 115,
                   Modbus_Color::Slave),
        Rule_Text(1320, 1346, "Address", 60, Modbus_Color::Slave),
        Rule_Text(1321, 1347, "NPoint", 64, Modbus_Color::Slave),
        Rule_Text(1322, 1348, "PollTime", 64, clWindow),
        Rule_Text(1323, 1349, "MaxError", 64, clWindow),
        Rule_Combo(1324, 1350, "Position", Number_Items(Modbus_Array_Size), 61, Modbus_Color::Data, true),
        Rule_Combo(1325, 1351, "Bit", Number_Items(8), 64, Modbus_Color::Data, true),
        Rule_Check(1326, 1352, "Swap", 40, clWindow),
        Rule_Check(1390, 1392, "SwapWord", 80, clWindow),
        Modbus_Topic_Column(topics, 1342, 1353, 120, Modbus_Color::Topic),
        Rule_Text(1327, 1354, "Mnemonic", 120, clWindow),
    };
    return g;
}

TRuleGridDesc Write_Grid()
{
    TRuleGridDesc g;
    g.section = "Modbus_Write";
    g.rows = 512;
    g.numberHeader = 1328;
    g.pageCaption = 1315;
    g.keyCol = 2;
    g.enable = TEnableTest::Exact;
    g.showHints = false;
    g.tabHidden = true;
    g.columns = {
        Modbus_Enable_Column(1329, 1355),
        Rule_Text(1330, 1356, "Slave_ID", 60, Modbus_Color::Slave),
        Rule_Combo(1331, 1357, "Type", {"Coil Status", "Holding Register"}, 115, Modbus_Color::Slave),
        Rule_Text(1332, 1358, "Address", 60, Modbus_Color::Slave),
        Rule_Text(1333, 1359, "NPoint", 64, Modbus_Color::Slave),
        Rule_Text(1334, 1360, "PollTime", 64, clWindow),
        Rule_Check(1335, 1361, "OnChange", 68, clWindow, false, ""),
        Rule_Check(1336, 1362, "OnCMD", 56, clWindow),
        Rule_Text(1337, 1363, "MaxError", 64, clWindow),
        Rule_Combo(1338, 1364, "Position", Number_Items(Modbus_Array_Size), 64, Modbus_Color::Data),
        Rule_Combo(1339, 1365, "Bit", Number_Items(8), 64, Modbus_Color::Data),
        Rule_Check(1340, 1366, "Swap", 40, clWindow),
        Rule_Check(1391, 1393, "SwapWord", 80, clWindow),
        Rule_Text(1341, 1367, "Mnemonic", 113, clWindow),
    };
    return g;
}

} // namespace

TRuleWindowDesc SetAccess_Desc(TModbusTopics& topics, std::function<std::string()> topicFile)
{
    TRuleWindowDesc d;
    d.root = "EtherNetIP_to_Modbus";
    d.version = "1.111";
    d.clientWidth = 956;
    d.caption = 1300;
    d.description = 1301;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 1302 + i;
        d.buttonHints[i] = 1308 + i;
    }
    d.rowPrefix = 1368;
    d.deleteQuestion = 1388;
    d.clickSelectsRow = true;
    d.insertEnable = true;
    d.grids = {Read_Grid(topics), Write_Grid()};

    // The topic entries follow the topic file on disk at every showing,
    // before the rules are read; a loaded row remembers its stored index.
    d.beforeLoad = Modbus_Topics_Before_Load(topics, topicFile, SetAccess_Col::Topic);
    d.afterLoadRow = [&topics](TExColumnGrid&, int g, int row, pugi::xml_node node) {
        const pugi::xml_attribute index = node.attribute("Index_Topic");
        if (g == 0 && index) topics.Picked(row, UComon::Whole_Number(index.value()));
    };
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (r.Grid() == 0)
            return Check_Modbus_Read(r, SetAccess_Col::Slave_ID, {1369, 1370, 1371, 1372, 1373, 1374, 1378});
        return Check_Modbus_Write(r, 2, 1379);
    };
    return d;
}
