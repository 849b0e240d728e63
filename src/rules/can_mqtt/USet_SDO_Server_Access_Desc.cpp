// The CANopen SDO server objects window's tables: columns, file, texts and checks.
#include "rules/can_mqtt/USet_SDO_Server_Access.h"

#include "core/ULanguage.h"
#include "rules/can_mqtt/UEds.h"
#include "rules/can_mqtt/USet_PDO_Access.h"

#include <cstdio>

namespace {

TRuleGridDesc Server_Grid(bool read)
{
    TRuleGridDesc g;
    g.section = read ? "SDO_Read" : "SDO_Write";
    g.rows = 500;
    g.keyCol = 1;
    const int h = read ? 2516 : 2525;
    const int hint = read ? 2534 : 2542;
    g.numberHeader = h;
    g.pageCaption = read ? 2514 : 2515;
    const TColor object = RGB(224, 250, 254), address = RGB(252, 214, 244);
    g.columns = {
        Rule_Text(h + 1, hint, "Index", 65, object),
        Rule_Text(h + 2, hint + 1, "SubIndex", 61, object),
        Rule_Text(h + 3, hint + 2, "NByte", 55, object),
    };
    for (int k = 1; k <= 4; ++k) {
        const std::string attr = "Address_B" + std::to_string(k);
        g.columns.push_back(Rule_Text(h + 3 + k, hint + 2 + k, attr.c_str(), 80, address));
    }
    g.columns.push_back(Rule_Text(h + 8, hint + 7, "Mnemonic", 170, clWhite));
    return g;
}

} // namespace

TRuleWindowDesc Set_SDO_Server_Access_Desc()
{
    TRuleWindowDesc d;
    d.root = "SDO_Server_CANopen";
    d.version = "1.000";
    d.clientWidth = 749;
    d.caption = 2500;
    d.description = 2501;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 2502 + i;
        d.buttonHints[i] = 2508 + i;
    }
    d.rowPrefix = 2550;
    d.deleteQuestion = 2565;
    d.clickSelectsRow = true;
    d.grids = {Server_Grid(true), Server_Grid(false)};
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        const bool read = r.Grid() == 0;
        const int base = read ? 2551 : 2558;
        // Named with its index: the EDS file would hold two objects there.
        if (const int32_t index = r.Number(1); index >= 0 && UEds::Reserved_Index(static_cast<uint32_t>(index))) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(index));
            return r.Fault(-1, "!! [" + ULanguage::Text(read ? 2514 : 2515) + "] Index 0x" + hex +
                                   Msg_SDO_Reserved_Index);
        }
        if (!In_Range(r.Number(1), 0x2000, 0x5FFF)) return r.Fault(base);
        if (!In_Range(r.Number(2), 0, 255)) return r.Fault(base + 1);
        const int32_t n = r.Number(3);
        if (n != 1 && n != 2 && n != 4) return r.Fault(base + 2);
        const int limit = URuleFiles::Data_Array_Size - 1;
        for (int k = 1; k <= n; ++k)
            if (!In_Range(r.Number(3 + k), 0, limit)) return r.Fault(base + 2 + k, std::to_string(limit));
        return std::nullopt;
    };
    return d;
}
