// The CANopen SDO client window's tables: columns, file, texts and checks.
#include "rules/can_mqtt/USet_SDO_Client_Access.h"

#include "rules/can_mqtt/USet_PDO_Access.h"

namespace {

constexpr TColor Tint_Object = RGB(224, 250, 254);
constexpr TColor Tint_Time = RGB(168, 255, 168);
constexpr TColor Tint_Address = RGB(252, 214, 244);

TRuleGridDesc SDO_Grid(bool read)
{
    TRuleGridDesc g;
    g.section = read ? "SDO_Read" : "SDO_Write";
    g.rows = 256;
    g.rowHeight = 21;
    g.keyCol = 1;
    const int h = read ? 2416 : 2427;
    const int hint = read ? 2439 : 2449;
    g.numberHeader = h;
    g.pageCaption = read ? 2414 : 2415;
    g.columns = {
        Rule_Text(h + 1, hint, "Device_ID", 60, Tint_Object),
        Rule_Text(h + 2, hint + 1, "Index", 55, Tint_Object),
        Rule_Text(h + 3, hint + 2, "SubIndex", 60, Tint_Object),
        Rule_Text(h + 4, hint + 3, "NByte", 45, Tint_Object),
        Rule_Text(h + 5, hint + 4, "Poll_Time", 60, Tint_Time),
    };
    int next = 6;
    if (!read) g.columns.push_back(Rule_Check(h + next++, hint + 5, "On_Change", 68, Tint_Time, false, ""));
    for (int k = 1; k <= 4; ++k) {
        const std::string attr = "Address_B" + std::to_string(k);
        g.columns.push_back(Rule_Text(h + next, hint + next - 1, attr.c_str(), 70, Tint_Address));
        ++next;
    }
    g.columns.push_back(Rule_Text(h + next, hint + next - 1, "Mnemonic", read ? 163 : 95, clWhite));
    return g;
}

} // namespace

TRuleWindowDesc Set_SDO_Client_Access_Desc()
{
    TRuleWindowDesc d;
    d.root = "SDO_Client_CANopen";
    d.version = "1.000";
    d.clientWidth = 798;
    d.caption = 2400;
    d.description = 2401;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 2402 + i;
        d.buttonHints[i] = 2408 + i;
    }
    d.rowPrefix = 2460;
    d.deleteQuestion = 2479;
    d.clickSelectsRow = true;
    d.grids = {SDO_Grid(true), SDO_Grid(false)};
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        const bool read = r.Grid() == 0;
        const int base = read ? 2461 : 2470;
        if (!In_Range(r.Number(1), 1, 127)) return r.Fault(base);
        if (!In_Range(r.Number(2), 0x1000, 0xFFFF)) return r.Fault(base + 1);
        if (!In_Range(r.Number(3), 0, 255)) return r.Fault(base + 2);
        const int32_t n = r.Number(4);
        if (n != 1 && n != 2 && n != 4) return r.Fault(base + 3);
        if (!In_Range(r.Number(5), read ? 1 : 0, 100000000)) return r.Fault(base + 4);
        const int limit = URuleFiles::Data_Array_Size - 1;
        const int firstAddress = read ? 6 : 7;
        for (int k = 1; k <= n; ++k)
            if (!In_Range(r.Number(firstAddress + k - 1), 0, limit))
                return r.Fault(base + 4 + k, std::to_string(limit));
        return std::nullopt;
    };
    return d;
}
