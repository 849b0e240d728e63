// The NMEA 2000 transmit rules' table: columns, file, texts and checks.
#include "rules/can_mqtt/UTransmitNMEA.h"

#include "rules/can_mqtt/UReceiveJ1939.h"

TRuleWindowDesc TransmitNMEA_Desc()
{
    TRuleWindowDesc d;
    d.root = "Receive_NMEA_2000";
    d.version = "1.000";
    d.clientWidth = 810;
    d.caption = 3600;
    d.description = 3601;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 3602 + i;
        d.buttonHints[i] = 3608 + i;
    }
    d.rowPrefix = 3635;
    d.deleteQuestion = 3642;
    d.clickSelectsRow = true;

    TRuleGridDesc g;
    g.rows = 62;
    g.rowHeight = 21;
    g.numberHeader = 3614;
    // Every saved row (up to the first empty Priority) is checked, and so
    // is a row holding a PGN without a Priority.
    g.keyCol = 1;
    g.altKeyCol = 2;
    g.keyTrimmed = false;
    g.saveKeyCol = 1;
    g.saveKeyTrimmed = false;
    const TColor frame = RGB(224, 250, 254), fast = RGB(252, 214, 244), bytes = RGB(255, 255, 168),
                 send = RGB(202, 255, 202);
    g.columns = {
        Rule_Text(3615, 3625, "Priority", 50, frame),
        Rule_Text(3616, 3626, "PGN", 75, frame),
        Rule_Text(3617, 3627, "SA", 95, frame),
        Rule_Check(3618, 3628, "FP", 75, fast),
        Rule_Text(3619, 3629, "TP_NByte", 60, bytes),
        Rule_Check(3620, 3630, "On_Request", 55, send),
        Rule_Check(3621, 3631, "On_Data_Change", 80, send),
        Rule_Check(3622, 3632, "On_Timer", 64, send),
        Rule_Text(3623, 3633, "SendTimer", 75, send),
        Rule_Text(3624, 3634, "Mnemonic", 116, clWhite),
    };
    d.grids = {g};
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (!In_Range(r.Number(1), 0, 7)) return r.Fault(3636);
        if (!In_Range(r.Number(2), 0, 0x1FFFF)) return r.Fault(3637);
        if (!In_Range(r.Number(3), 0, 239)) return r.Fault(3638);
        const int32_t n = r.Number(5);
        if (!In_Range(n, 0, NMEA_NUM_BYTE_OUT)) return r.Fault(3639, std::to_string(NMEA_NUM_BYTE_OUT));
        r.Total() += n;
        if (r.Total() > NMEA_NUM_BYTE_OUT) return Budget_Fault(r, 3640, NMEA_NUM_BYTE_OUT);
        if (r.Cell(8) == "Y" && !In_Range(r.Number(9), 1, 65535)) return r.Fault(3641);
        return std::nullopt;
    };
    return d;
}
