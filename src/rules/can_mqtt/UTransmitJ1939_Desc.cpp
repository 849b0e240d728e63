// The J1939 transmit rules' table: columns, file, texts and checks.
#include "rules/can_mqtt/UTransmitJ1939.h"

#include "rules/can_mqtt/UReceiveJ1939.h"

TRuleWindowDesc TransmitJ1939_Desc()
{
    TRuleWindowDesc d;
    d.root = "Transmit_J1939";
    d.version = "1.103";
    d.clientWidth = 800;
    d.caption = 2700;
    d.description = 2701;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 2702 + i;
        d.buttonHints[i] = 2708 + i;
    }
    d.rowPrefix = 2735;
    d.deleteQuestion = 2743;
    d.clickSelectsRow = true;

    TRuleGridDesc g;
    g.rows = 512;
    g.rowHeight = 21;
    g.numberHeader = 2714;
    // Every saved row (up to the first empty Priority) is checked, and so
    // is a row holding a PGN without a Priority.
    g.keyCol = 1;
    g.altKeyCol = 3;
    g.keyTrimmed = false;
    g.saveKeyCol = 1;
    g.saveKeyTrimmed = false;
    const TColor frame = RGB(224, 250, 254), bytes = RGB(255, 255, 168), send = RGB(202, 255, 202);
    g.columns = {
        Rule_Text(2715, 2725, "Priority", 50, frame),
        Rule_Combo(2716, 2726, "DP", {"0", "1"}, 65, frame),
        Rule_Text(2717, 2727, "PGN", 85, frame),
        Rule_Text(2718, 2728, "SA", 95, frame),
        Rule_Text(2719, 2729, "TP_NByte", 60, bytes),
        Rule_Check(2720, 2730, "On_Request", 55, send),
        Rule_Check(2721, 2731, "On_Data_Change", 80, send),
        Rule_Check(2722, 2732, "On_Timer", 60, send),
        Rule_Text(2723, 2733, "SendTimer", 70, send),
        Rule_Text(2724, 2734, "Mnemonic", 115, clWhite),
    };
    d.grids = {g};
    d.afterLoadRow = [](TExColumnGrid& grid, int, int row, pugi::xml_node node) {
        if (grid.GetCellEx(5, row).empty()) grid.SetCellEx(5, row, "8");
        // The single send condition of older files wins over the check boxes.
        if (const pugi::xml_attribute t = node.attribute("T_Type")) {
            const std::string type = UpperCase(t.value());
            grid.SetCellEx(6, row, "N");
            grid.SetCellEx(7, row, type == "ON DATA CHANGE" ? "Y" : "N");
            grid.SetCellEx(8, row, type == "ON TIMER" ? "Y" : "N");
        }
    };
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (!In_Range(r.Number(1), 0, 7)) return r.Fault(2736);
        if (r.Cell(2).empty()) return r.Fault(2737);
        if (!In_Range(r.Number(3), 0, 0x1FFFF)) return r.Fault(2738);
        if (!In_Range(r.Number(4), 0, 255)) return r.Fault(2739);
        const int32_t n = r.Number(5);
        constexpr int budget = URuleFiles::Data_Array_Size;
        if (!In_Range(n, 1, budget)) return r.Fault(2740, std::to_string(budget));
        r.Total() += n;
        if (r.Total() > budget) return Budget_Fault(r, 2741, budget);
        if (r.Cell(8) == "Y" && !In_Range(r.Number(9), 1, 65535)) return r.Fault(2742);
        return std::nullopt;
    };
    return d;
}
