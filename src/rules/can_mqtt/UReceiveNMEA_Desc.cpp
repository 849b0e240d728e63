// The NMEA 2000 receive rules' table: columns, file, texts and checks.
#include "rules/can_mqtt/UReceiveNMEA.h"

#include "rules/can_mqtt/UReceiveJ1939.h"

TRuleWindowDesc ReceiveNMEA_Desc()
{
    TRuleWindowDesc d;
    d.root = "Receive_NMEA_2000";
    d.version = "1.000";
    d.clientWidth = 810;
    d.caption = 3500;
    d.description = 3501;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 3502 + i;
        d.buttonHints[i] = 3508 + i;
    }
    d.rowPrefix = 3531;
    d.deleteQuestion = 3543;
    d.clickSelectsRow = true;

    TRuleGridDesc g;
    g.rows = 62;
    g.rowHeight = 21;
    g.numberHeader = 3514;
    g.keyCol = 1;
    g.keyTrimmed = false;
    const TColor frame = RGB(224, 250, 254), kind = RGB(255, 255, 168), capture = RGB(202, 255, 202),
                 cancel = RGB(252, 214, 244);
    g.columns = {
        Rule_Text(3515, 3523, "PGN", 80, frame),
        Rule_Text(3516, 3524, "SA", 95, frame),
        Rule_Check(3517, 3525, "TP", 113, kind),
        Rule_Check(3518, 3526, "FP", 73, kind),
        Rule_Text(3519, 3527, "TP_Start", 65, capture),
        Rule_Text(3520, 3528, "TP_NByte", 50, capture),
        Rule_Check(3521, 3529, "Delete", 74, cancel),
        Rule_Text(3522, 3530, "Mnemonic", 195, clWhite),
    };
    d.grids = {g};
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (!In_Range(r.Number(1), 0, 0x1FFFF)) return r.Fault(3532);
        if (!In_Range(r.Number(2), 0, 239)) return r.Fault(3533);
        long long count = 8;
        const int32_t start = r.Number(5), n = r.Number(6);
        if (r.Cell(3) == "Y") {
            if (!In_Range(start, 0, 1785)) return r.Fault(3534);
            if (n < 0 || start + n > 1785) return r.Fault(3535);
            count = n;
        } else if (r.Cell(4) == "Y") {
            if (!In_Range(start, 0, 223)) return r.Fault(3536);
            if (n < 0 || start + n > 223) return r.Fault(3537);
            count = n;
        } else {
            static const int texts[4] = {3538, 3539, 3540, 3541};
            if (auto f = Check_Single_Frame(r, 5, 6, texts, 8, count)) return f;
        }
        r.Total() += count;
        if (r.Total() > NMEA_NUM_BYTE_IN) return Budget_Fault(r, 3542, NMEA_NUM_BYTE_IN);
        return std::nullopt;
    };
    return d;
}
