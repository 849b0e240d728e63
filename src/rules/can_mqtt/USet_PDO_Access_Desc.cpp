// The CANopen PDO window's tables: columns, file, texts and checks.
#include "rules/can_mqtt/USet_PDO_Access.h"

namespace {

constexpr TColor Tint_Frame = RGB(224, 250, 254);
constexpr TColor Tint_Address = RGB(252, 214, 244);
constexpr TColor Tint_Time = RGB(168, 255, 168);

TRuleGridDesc PDO_Grid(bool receive)
{
    TRuleGridDesc g;
    g.section = receive ? "Receive_PDO" : "Transmit_PDO";
    g.rows = 30;
    g.rowHeight = 21;
    g.keyCol = 1;
    const int h = receive ? 2316 : 2329;     // headers from column 0
    const int hint = receive ? 2343 : 2355;  // hints from column 1
    g.numberHeader = h;
    g.pageCaption = receive ? 2314 : 2315;
    g.columns = {
        Rule_Text(h + 1, hint, "COB-ID", 65, Tint_Frame),
        Rule_Text(h + 2, hint + 1, "Dimension", 65, Tint_Frame),
    };
    for (int k = 1; k <= 8; ++k) {
        const std::string attr = "Address_B" + std::to_string(k);
        g.columns.push_back(Rule_Text(h + 2 + k, hint + 1 + k, attr.c_str(), 45, Tint_Address));
    }
    if (receive) {
        g.columns.push_back(Rule_Text(h + 11, hint + 10, "TimeOut", 65, Tint_Time));
        g.columns.push_back(Rule_Text(h + 12, hint + 11, "Mnemonic", 173, clWhite));
    } else {
        g.columns.push_back(Rule_Text(h + 11, hint + 10, "Send_Time", 65, Tint_Time));
        g.columns.push_back(Rule_Check(h + 12, hint + 11, "On_Change", 68, Tint_Time, false, ""));
        g.columns.push_back(Rule_Text(h + 13, hint + 12, "Mnemonic", 105, clWhite));
    }
    return g;
}

} // namespace

TRuleWindowDesc Set_PDO_Access_Desc()
{
    TRuleWindowDesc d;
    d.root = "PDO_CANopen";
    d.version = "1.000";
    d.clientWidth = 798;
    d.caption = 2300;
    d.description = 2301;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 2302 + i;
        d.buttonHints[i] = 2308 + i;
    }
    d.rowPrefix = 2368;
    d.deleteQuestion = 2391;
    d.clickSelectsRow = true;
    d.grids = {PDO_Grid(true), PDO_Grid(false)};
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        const bool receive = r.Grid() == 0;
        const int base = receive ? 2369 : 2380;
        if (!In_Range(r.Number(1), 0, 2047)) return r.Fault(base);
        const int32_t dim = r.Number(2);
        if (!In_Range(dim, 1, 8)) return r.Fault(base + 1);
        const int limit = URuleFiles::Data_Array_Size - 1;
        for (int k = 1; k <= dim; ++k)
            if (!In_Range(r.Number(k + 2), 0, limit)) return r.Fault(base + 1 + k, std::to_string(limit));
        if (receive ? !In_Range(r.Number(11), 0, 65535) : !In_Range(r.Number(11), 0, 100000000))
            return r.Fault(base + 10);
        return std::nullopt;
    };
    return d;
}
