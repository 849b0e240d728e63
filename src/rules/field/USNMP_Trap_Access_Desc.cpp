// The SNMP agent objects' tables: columns, file, texts and checks.
#include "rules/field/USNMP_Trap_Access.h"

#include "core/UParsers.h"
#include "rules/field/USNMP_MIB.h"

namespace {

bool Letter_Or_Digit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// What the two pages check alike, with each page's columns and texts.
struct TObjectPage {
    int community, type, position, bit, numBits, description, conversion;
    int communityText, typeText, positionText, bitText, stringBitText, intBitsText, stringBytesText,
        descriptionText, conversionText;
    const char* fixedName;
};

const TObjectPage Read_Page = {SNMP_Read_Col::Community, SNMP_Read_Col::Type, SNMP_Read_Col::Position,
                               SNMP_Read_Col::Bit, SNMP_Read_Col::NumBits, SNMP_Read_Col::Description,
                               SNMP_Read_Col::Conversion, 3976, 3961, 3963, 3964, 3965, 3966, 3967, 3977, 3985,
                               Msg_Desc_Fixed_Name_Read};
const TObjectPage Write_Page = {SNMP_Write_Col::Community, SNMP_Write_Col::Type, SNMP_Write_Col::Position,
                                SNMP_Write_Col::Bit, SNMP_Write_Col::NumBits, SNMP_Write_Col::Description,
                                SNMP_Write_Col::Conversion, 3978, 3969, 3970, 3971, 3972, 3973, 3974, 3979, 3986,
                                Msg_Desc_Fixed_Name_Write};

// The checks of an enabled object row, in their order; the read page's
// On Timer and IP Address checks stand at their places between them.
std::optional<TRuleFault> Check_Object_Row(TRuleRow& r)
{
    const bool read = r.Grid() == 0;
    const TObjectPage& p = read ? Read_Page : Write_Page;
    if (Check_Error_CommName_Desc(r.Cell(p.community), 0)) return r.Fault(p.communityText);
    if (r.Empty(p.type)) return r.Fault(p.typeText);
    if (read && UpperCase(r.Cell(SNMP_Read_Col::On_Timer)) == "Y" &&
        !In_Range(r.Number(SNMP_Read_Col::Time), 1, 1000000000))
        return r.Fault(3962);
    if (r.Empty(p.position)) return r.Fault(p.positionText);
    if (r.Empty(p.bit)) return r.Fault(p.bitText);
    const bool isInt = UpperCase(r.Cell(p.type)) == "INT";
    if (!isInt && r.Trimmed(p.bit) != "0") return r.Fault(p.stringBitText);
    if (isInt && !In_Range(r.Number(p.numBits), 1, 64)) return r.Fault(p.intBitsText);
    if (!isInt && !In_Range(r.Number(p.numBits), 1, 16)) return r.Fault(p.stringBytesText);
    const std::string description = r.Cell(p.description);
    if (Check_Error_CommName_Desc(description, 1)) return r.Fault(p.descriptionText);
    // The MIB file would define the name twice, which MIB readers refuse.
    if (USNMP_MIB::MIB_Fixed_Name(description))
        return r.Fault(-1, p.fixedName + description + Msg_Desc_Fixed_Name_End);
    if (read) {
        std::string a, b, c, d;
        if (!UComon::Split_IP_Address(r.Cell(SNMP_Read_Col::IP_Address), a, b, c, d)) return r.Fault(3968);
    }
    if (r.Empty(p.conversion)) return r.Fault(p.conversionText);
    return std::nullopt;
}

} // namespace

bool Check_Error_CommName_Desc(const std::string& str, int Check_Type)
{
    for (size_t i = 0; i < str.size(); ++i) {
        const char c = str[i];
        const bool ok = Check_Type == 1 && i == 0 ? (c >= 'a' && c <= 'z') : Letter_Or_Digit(c);
        if (!ok) return true;
    }
    return false;
}

TRuleWindowDesc SNMP_Trap_Access_Desc()
{
    TRuleWindowDesc d;
    d.root = "SNMP_Trap";
    d.version = "1.001";
    d.clientWidth = 1256;
    d.caption = 3900;
    d.description = 3901;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 3902 + i;
        d.buttonHints[i] = 3910 + i;
    }
    d.rowPrefix = 3960;
    d.deleteQuestion = 3975;
    d.insertEnable = true;
    d.keepPage = true;

    const TColor enableColor = RGB(255, 216, 176), key = RGB(224, 250, 254), data = RGB(252, 214, 244),
                 flags = RGB(255, 255, 213);
    TRuleColumn enable = Rule_Check(0, 0, "Enable", 50, enableColor, false, "Y");
    enable.reset = "Y";
    TRuleColumn community = Rule_Combo(0, 0, "Community_Name", {"Korvan", "Dimsoly"}, 130, key, false, edComboEdit);
    community.maxLength = SNMP_Name_Length;
    TRuleColumn description = Rule_Text(0, 0, "Description", 130, key);
    description.maxLength = SNMP_Name_Length;
    TRuleColumn conversion = Rule_Combo(0, 0, "Conversion",
                                        {"None", "Float", "Float * 10", "Float * 100", "Float / 10", "Float / 100"},
                                        100, data);
    conversion.missing = "None";
    const TRuleColumn type = Rule_Combo(0, 0, "Type", {"Int", "String"}, 60, data);
    const TRuleColumn position = Rule_Combo(0, 0, "Position", Number_Items(SNMP_Max_Num_Byte), 60, data);
    const TRuleColumn bit = Rule_Combo(0, 0, "Bit", Number_Items(8), 60, data);
    const TRuleColumn numBits = Rule_Text(0, 0, "NumBits", 95, data);
    // Headers and hints, in column order.
    const auto texted = [](TRuleColumn c, int header, int hint) {
        c.header = header;
        c.hint = hint;
        return c;
    };

    TRuleGridDesc read;
    read.section = USNMP_MIB::Read_Section;
    read.rows = 256;
    read.numberHeader = 3916;
    read.pageCaption = 3908;
    read.keyCol = SNMP_Read_Col::Community;
    read.enable = TEnableTest::Upper;
    read.numberEnabled = true;
    read.columns = {
        texted(enable, 3917, 3939),
        texted(community, 3918, 3940),
        texted(type, 3919, 3941),
        Rule_Check(3920, 3942, "On_Change", 75, flags),
        Rule_Check(3921, 3943, "On_Command", 50, flags),
        Rule_Check(3922, 3944, "On_Timer", 60, flags),
        Rule_Text(3923, 3945, "Time", 65, flags),
        texted(position, 3924, 3946),
        texted(bit, 3925, 3947),
        texted(numBits, 3926, 3948),
        texted(description, 3927, 3949),
        Rule_Text(3928, 3950, "IP_Address", 120, key),
        texted(conversion, 3981, 3983),
        Rule_Text(3929, 3951, "Mnemonic", 130, clWindow),
    };

    TRuleGridDesc write = read;
    write.section = USNMP_MIB::Write_Section;
    write.numberHeader = 3930;
    write.pageCaption = 3909;
    write.columns = {
        texted(enable, 3931, 3952),
        texted(community, 3932, 3953),
        texted(type, 3933, 3954),
        texted(position, 3934, 3955),
        texted(bit, 3935, 3956),
        texted(numBits, 3936, 3957),
        texted(description, 3937, 3958),
        texted(conversion, 3982, 3984),
        Rule_Text(3938, 3959, "Mnemonic", 500, clWindow),
    };
    d.grids = {read, write};
    d.check = Check_Object_Row;
    // No two enabled objects may share a description (the MIB's names),
    // read and write pages together.
    TRuleUnique descriptions;
    descriptions.cols = {{SNMP_Read_Col::Description}, {SNMP_Write_Col::Description}};
    descriptions.text = 3980;
    d.unique = descriptions;
    return d;
}
