// The DeviceNet slave list's table: columns, file, texts and checks.
#include "rules/can_mqtt/UDNet.h"

TRuleWindowDesc DNet_Desc()
{
    TRuleWindowDesc d;
    d.root = "DNET_Net";
    d.version = "1.000";
    d.clientWidth = 745;
    d.caption = 2800;
    d.description = 2801;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 2802 + i;
        d.buttonHints[i] = 2808 + i;
    }
    d.rowPrefix = 2823;
    d.deleteQuestion = 2827;
    d.clickSelectsRow = true;

    TRuleGridDesc g;
    g.rows = 64;
    g.numberHeader = 2814;
    g.numberWidth = 45;
    g.keyCol = 1;
    g.keyTrimmed = false;  // an address of blanks is listed and then refused
    g.colSizing = false;
    const TColor bytes = RGB(255, 255, 213);
    g.columns = {
        Rule_Text(2815, 2819, "ID", 100, RGB(206, 255, 206)),
        Rule_Text(2816, 2820, "NB_IN", 100, bytes),
        Rule_Text(2817, 2821, "NB_OUT", 100, bytes),
        Rule_Text(2818, 2822, "Mnemonic", 375, clWindow),
    };
    d.grids = {g};
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (!In_Range(r.Number(1), 0, 63)) return r.Fault(2824);
        if (!In_Range(r.Number(2), 0, 65535)) return r.Fault(2825);
        if (!In_Range(r.Number(3), 0, 65535)) return r.Fault(2826);
        return std::nullopt;
    };
    return d;
}
