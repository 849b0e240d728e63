// The KNX rules' table: columns, file, texts and checks.
#include "rules/field/UKNXAccess.h"

#include "core/UParsers.h"

#include <array>

namespace {

const std::array<const char*, 4> Priorities = {"System", "Urgent", "Normal", "Low"};

// Exactly one of the four (case counts, no blanks).
bool Is_Priority(const std::string& text)
{
    for (const char* p : Priorities)
        if (text == p) return true;
    return false;
}

// A loaded priority other than one of the four becomes "Normal".
std::string Known_Priority(const std::string& text) { return Is_Priority(text) ? text : "Normal"; }

std::optional<TRuleFault> Check_KNX_Row(TRuleRow& r)
{
    using namespace KNX_Col;
    using UComon::Check_KNX_Address;
    if (Check_KNX_Address(r.Trimmed(Source), false, true) != 0) return r.Fault(3849);
    const std::string dest = r.Trimmed(Destination);
    if (!UComon::No_Dot_In_String(dest)) {
        if (Check_KNX_Address(dest, false, true) != 0) return r.Fault(3850);
    } else if (Check_KNX_Address(dest, true, true) != 0) {
        return r.Fault(3851);
    }
    const std::string apci = UpperCase(r.Cell(APCI));
    if (apci != "READ" && apci != "WRITE" && !In_Range(r.Number(APCI), 0, 1023)) return r.Fault(3852);
    if (!Is_Priority(r.Cell(Priority))) return r.Fault(3853);
    if (r.Empty(KNX_Col::Data_Format)) return r.Fault(3854);
    if (!r.Empty(Mul_Factor)) {
        float factor = 0;
        if (!UComon::Str_To_Float_Sep(r.Cell(Mul_Factor), UComon::Get_Decimal_Separator(), factor))
            return r.Fault(3865);
    }
    if (UpperCase(r.Cell(On_Timer)) == "Y" && !In_Range(r.Number(Poll_Time), 1, 100000000)) return r.Fault(3855);
    const int64_t position = r.Number(Position);
    if (!In_Range(position, 0, KNX_Max_Num_Byte - 1)) return r.Fault(3856, std::to_string(KNX_Max_Num_Byte - 1));
    const bool byteMode = UpperCase(r.Cell(Bit_Mode)) == "NO";
    const int64_t startBit = byteMode ? 0 : r.Number(Bit_Mode);
    if (!byteMode && !In_Range(startBit, 0, 7)) return r.Fault(3857);
    const bool extended = UpperCase(r.Cell(Extended)) == "Y";
    const int limit = byteMode ? (extended ? 255 : 14) : (extended ? 2040 : 112);
    const int64_t length = r.Number(Length);
    if (!In_Range(length, 1, limit)) return r.Fault(3858, std::to_string(limit));
    const int64_t bytes = byteMode ? length : (length + startBit + 7) / 8;
    if (position + bytes > KNX_Max_Num_Byte) return r.Fault(3859, std::to_string(KNX_Max_Num_Byte));
    if (!In_Range(r.Number(TimeOut), 0, 100000000)) return r.Fault(3866);
    return std::nullopt;
}

} // namespace

TRuleWindowDesc KNXAccess_Desc()
{
    TRuleWindowDesc d;
    d.root = "BACnet_to_KNX";
    d.version = "1.004";
    d.clientWidth = 1250;
    d.caption = 3800;
    d.description = 3801;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 3802 + i;
        d.buttonHints[i] = 3808 + i;
    }
    d.rowPrefix = 3848;
    d.deleteQuestion = 3860;
    d.clickSelectsRow = true;
    d.insertEnable = true;

    TRuleGridDesc g;
    g.section = "KNX_in_Write";
    g.rows = 1024;
    g.numberHeader = 3814;
    g.keyCol = KNX_Col::Source;
    g.enable = TEnableTest::Exact;
    const TColor address = RGB(224, 250, 254), data = RGB(252, 214, 244), flags = RGB(255, 255, 213);
    TRuleColumn enable = Rule_Check(3815, 3831, "Enable", 50, RGB(255, 216, 176), false, "Y");
    enable.reset = "Y";
    TRuleColumn priority =
        Rule_Combo(3819, 3835, "Priority", {Priorities.begin(), Priorities.end()}, 75, address);
    priority.missing = "Normal";
    priority.fromFile = Known_Priority;
    TRuleColumn format = Rule_Combo(3820, 3836, "Format",
                                    {"None", "Swap16", "Swap32", "Swap All", "Int to Float", "Float to Int",
                                     "Float16 to Float32", "Float16 to Int"},
                                    110, data);
    format.missing = "None";
    TRuleColumn timeOut = Rule_Text(3862, 3864, "TimeOut", 65, flags);
    timeOut.missing = "0";
    std::vector<std::string> bitModes = Number_Items(8);
    bitModes.insert(bitModes.begin(), "No");
    g.columns = {
        enable,
        Rule_Text(3816, 3832, "Source_Address", 70, address),
        Rule_Text(3817, 3833, "Destination_Address", 80, address),
        Rule_Combo(3818, 3834, "APCI", {"Read", "Write"}, 60, address, false, edComboEdit),
        priority,
        format,
        Rule_Text(3861, 3863, "MultiplicationFactor", 85, data),
        Rule_Check(3821, 3837, "Extended", 68, flags, false, ""),
        Rule_Check(3822, 3838, "ReTest", 50, flags, false, ""),
        Rule_Check(3823, 3840, "On_Command", 52, flags, false, "N"),
        Rule_Check(3824, 3841, "On_Change", 71, flags, false, ""),
        Rule_Check(3825, 3842, "On_Timer", 62, flags, false, "N"),
        Rule_Text(3826, 3843, "Poll_Time", 67, flags),
        Rule_Combo(3827, 3844, "Position", Number_Items(KNX_Max_Num_Byte), 55, data),
        Rule_Combo(3828, 3845, "Bit_Mode", bitModes, 55, data),
        Rule_Text(3829, 3846, "Length", 55, data),
        timeOut,
        Rule_Text(3830, 3847, "Mnemonic", 96, clWindow),
    };
    d.grids = {g};
    d.check = Check_KNX_Row;
    return d;
}
