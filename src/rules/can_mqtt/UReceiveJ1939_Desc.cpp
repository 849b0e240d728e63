// The J1939 receive rules' table: columns, file, texts and checks.
#include "rules/can_mqtt/UReceiveJ1939.h"

std::optional<TRuleFault> Check_Single_Frame(TRuleRow& r, int startCol, int nByteCol, const int (&texts)[4],
                                             int whole, long long& count)
{
    const bool noStart = r.Empty(startCol), noCount = r.Empty(nByteCol);
    if (noStart && noCount) {
        count = whole;
        return std::nullopt;
    }
    if (noStart || noCount) return r.Fault(texts[0]);
    const int32_t start = r.Number(startCol), n = r.Number(nByteCol);
    if (!In_Range(start, 0, 7)) return r.Fault(texts[1]);
    if (!In_Range(n, 1, 8)) return r.Fault(texts[2]);
    if (start + n > 8) return r.Fault(texts[3]);
    count = n;
    return std::nullopt;
}

TRuleFault Budget_Fault(TRuleRow& r, int text, int limit)
{
    TRuleFault f = r.Fault(text, std::to_string(limit));
    f.rowPrefix = false;
    return f;
}

TRuleWindowDesc ReceiveJ1939_Desc()
{
    TRuleWindowDesc d;
    d.root = "Receive_J1939";
    d.version = "1.103";
    d.clientWidth = 876;
    d.caption = 2600;
    d.description = 2601;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 2602 + i;
        d.buttonHints[i] = 2608 + i;
    }
    d.rowPrefix = 2635;
    d.deleteQuestion = 2647;
    d.clickSelectsRow = true;

    TRuleGridDesc g;
    g.rows = 512;
    g.rowHeight = 21;
    g.numberHeader = 2614;
    g.keyCol = 2;
    g.keyTrimmed = false;  // a PGN of blanks is listed and then refused
    const TColor frame = RGB(224, 250, 254), tp = RGB(255, 255, 168), capture = RGB(202, 255, 202),
                 cancel = RGB(252, 214, 244), request = RGB(255, 216, 176);
    TRuleColumn time = Rule_Text(2623, 2633, "OnReq_Time", 65, request);
    time.missing = "1000";
    g.columns = {
        Rule_Combo(2615, 2625, "DP", {"0", "1"}, 65, frame),
        Rule_Text(2616, 2626, "PGN", 85, frame),
        Rule_Text(2617, 2627, "SA", 95, frame),
        Rule_Check(2618, 2628, "TP", 113, tp),
        Rule_Text(2619, 2629, "TP_Start", 65, capture),
        Rule_Text(2620, 2630, "TP_NByte", 55, capture),
        Rule_Check(2621, 2631, "Delete", 75, cancel),
        Rule_Check(2622, 2632, "OnRequest", 75, request),
        time,
        Rule_Text(2624, 2634, "Mnemonic", 120, clWhite),
    };
    d.grids = {g};
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (r.Cell(1).empty()) return r.Fault(2636);
        if (!In_Range(r.Number(2), 0, 0xFFFF)) return r.Fault(2637);
        if (!In_Range(r.Number(3), 0, 239)) return r.Fault(2638);
        long long count = 0;
        if (r.Cell(4) == "Y") {
            const int32_t start = r.Number(5), n = r.Number(6);
            if (!In_Range(start, 0, 1785)) return r.Fault(2639);
            if (n < 0 || start + n > 1785) return r.Fault(2640);
            count = n;
        } else {
            static const int texts[4] = {2641, 2642, 2643, 2644};
            if (auto f = Check_Single_Frame(r, 5, 6, texts, 0, count)) return f;
        }
        r.Total() += count;
        if (r.Total() > URuleFiles::Data_Array_Size) return Budget_Fault(r, 2645, URuleFiles::Data_Array_Size);
        if (r.Cell(8) == "Y" && !In_Range(r.Number(9), 2, 10000000)) return r.Fault(2646);
        return std::nullopt;
    };
    return d;
}
