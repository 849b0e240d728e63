// The CAN transmit frames window's table: columns, file, texts and checks.
#include "rules/can_mqtt/UTransmitCAN.h"

using namespace URuleFiles::CAN;

namespace {

constexpr TColor Tint_Enable = RGB(255, 216, 176);
constexpr TColor Tint_Frame = RGB(224, 250, 254);
constexpr TColor Tint_Send = RGB(168, 255, 168);
constexpr TColor Tint_Byte = RGB(252, 214, 244);

constexpr int Col_OnTimer = 7, Col_Time = 8;

} // namespace

TRuleWindowDesc TransmitCAN_Desc()
{
    TRuleWindowDesc d;
    d.root = Transmit_File.root;
    d.version = Transmit_File.version;
    d.clientWidth = 1100;
    d.caption = 2200;
    d.description = 2201;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 2202 + i;
        d.buttonHints[i] = 2225 + i;
    }
    d.rowPrefix = 2247;
    d.deleteQuestion = 2261;
    d.insertEnable = true;

    TRuleGridDesc g;
    g.rows = 512;
    g.numberHeader = 2208;
    g.numberColor = clWindow;
    g.keyCol = 2;
    g.enable = TEnableTest::Trimmed;
    TRuleColumn enable = Rule_Check(2209, 2231, Attr::Enable, 50, Tint_Enable, false, "Y");
    enable.reset = "Y";
    TRuleColumn type = Rule_Combo(2211, 2233, Attr::CAN_Type, {Type_11, Type_29}, 90, Tint_Frame);
    type.missing = Type_11;
    g.columns = {
        enable,
        Rule_Text(2210, 2232, Attr::COBID, 90, Tint_Frame),
        type,
        Rule_Text(2212, 2234, Attr::Dim, 70, Tint_Frame),
        Rule_Check(2213, 2235, Attr::OnChange, 65, Tint_Send, false, "Y"),
        Rule_Check(2262, 2263, Attr::OnCMD, 50, Tint_Send, false, "N"),
        Rule_Check(2214, 2236, Attr::OnTimer, 55, Tint_Send, false, "N"),
        Rule_Text(2215, 2237, Attr::Time, 70, Tint_Send),
    };
    const std::vector<std::string> positions = Position_Items(URuleFiles::Data_Array_Size);
    for (int k = 1; k <= Max_Bytes; ++k)
        g.columns.push_back(Rule_Combo(2215 + k, 2237 + k, Byte_Attr(k).c_str(), positions, 48, Tint_Byte));
    g.columns.push_back(Rule_Text(2224, 2246, Attr::Mnemonic, 110, clWindow));
    d.grids = {g};

    // A row without "Time" shows 0 when its OnTimer is ticked.
    d.afterLoadRow = [](TExColumnGrid& grid, int, int row, pugi::xml_node node) {
        if (!node.attribute(Attr::Time) && grid.GetCellEx(Col_OnTimer, row) == "Y") grid.SetCellEx(Col_Time, row, "0");
    };
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (auto f = Check_CAN_Identifier(r, 2248, 2249, 2250)) return f;
        if (r.Upper(Col_OnTimer) == "Y" && !Range::Time.Holds(r.Number(Col_Time))) return r.Fault(2251);
        static const int byteTexts[8] = {2252, 2254, 2255, 2256, 2257, 2258, 2259, 2260};
        return Check_CAN_Bytes(r, 9, byteTexts, 2253);
    };
    return d;
}
