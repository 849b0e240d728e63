// The SNMP manager rules' table: columns, file, texts and checks.
#include "rules/field/USNMPManagerAccess.h"

#include "core/UParsers.h"
#include "rules/field/USNMP_Trap_Access.h"

namespace {

// The SNMPv3 user and passwords: the texts of Check_SNMP_User_Pwd's answers
// 1, 2 and 3, in that order.
std::optional<TRuleFault> Check_V3_Text(TRuleRow& r, int col, bool user, int firstText)
{
    const int answer = UComon::Check_SNMP_User_Pwd(r.Cell(col), user);
    if (answer == 0) return std::nullopt;
    return r.Fault(firstText + answer - 1);
}

std::optional<TRuleFault> Check_Manager_Row(TRuleRow& r)
{
    using namespace SNMP_Manager_Col;
    std::string a, b, c, d;
    if (!UComon::Split_IP_Address(r.Cell(IP_Address), a, b, c, d)) return r.Fault(4038);
    // An empty identifier is no identifier: Check_OID answers it as a bad
    // character (4040).
    if (const int oid = UComon::Check_OID(r.Cell(OID)); oid != 0) return r.Fault(4038 + oid);
    if (r.Trimmed(On_Timer) == "Y" && !In_Range(r.Number(Time), 1, 100000000)) return r.Fault(4045);
    if (!In_Range(r.Number(Num_Bytes), 0, 1024)) return r.Fault(4046);
    if (r.Empty(Conversion)) return r.Fault(4056);
    if (r.Number(Version) != 3) return std::nullopt;
    if (auto f = Check_V3_Text(r, User, true, 4074)) return f;
    if (auto f = Check_V3_Text(r, Auth_Pass, false, 4077)) return f;
    if (auto f = Check_V3_Text(r, Priv_Pass, false, 4080)) return f;
    const int level = UComon::Get_SNMP_Sec_Level(r.Cell(Security_Level));
    if (level < 0) return r.Fault(4083);
    if ((level & 1) != 0 && r.Empty(Auth_Mode)) return r.Fault(4084);
    if ((level & 2) != 0 && r.Empty(Priv_Mode)) return r.Fault(4085);
    return std::nullopt;
}

} // namespace

TRuleWindowDesc SNMPManagerAccess_Desc()
{
    TRuleWindowDesc d;
    d.root = "SNMP_Manager_Access";
    d.version = "1.003";
    d.clientWidth = 1230;
    d.caption = 4000;
    d.description = 4001;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 4002 + i;
        d.buttonHints[i] = 4048 + i;
    }
    d.rowPrefix = 4037;
    d.deleteQuestion = 4047;
    d.insertEnable = true;

    TRuleGridDesc g;
    g.rows = 512;
    g.numberHeader = 4008;
    g.keyCol = SNMP_Manager_Col::IP_Address;
    g.enable = TEnableTest::Exact;
    const TColor enableColor = RGB(255, 216, 176), agent = RGB(224, 250, 254), data = RGB(252, 214, 244),
                 flags = RGB(255, 255, 213), v3 = RGB(232, 232, 255);
    TRuleColumn enable = Rule_Check(4009, 4023, "Enable", 50, enableColor, false, "Y");
    enable.reset = "Y";
    TRuleColumn conversion =
        Rule_Combo(4054, 4055, "ConvertFrom", {"None", "Float", "Float * 10", "Float * 100"}, 95, data);
    conversion.missing = "None";
    g.columns = {
        enable,
        Rule_Text(4010, 4024, "IP_Address", 90, agent),
        Rule_Combo(4011, 4025, "Version", {"1", "2", "3"}, 60, agent),
        Rule_Combo(4012, 4026, "Community_String", {"Korvan", "Dimsoly"}, 106, agent, false, edComboEdit),
        Rule_Text(4013, 4027, "OID", 100, agent),
        Rule_Combo(4014, 4028, "Type", {"String", "Int"}, 65, data),
        Rule_Combo(4015, 4029, "Mode", {"Get", "Set", "Trap"}, 65, data),
        Rule_Check(4016, 4030, "On_Change", 75, flags),
        Rule_Check(4017, 4031, "On_Command", 50, flags),
        Rule_Check(4018, 4032, "On_Timer", 65, flags),
        Rule_Text(4019, 4033, "Time", 65, flags),
        Rule_Combo(4020, 4034, "Position", Number_Items(SNMP_Max_Num_Byte), 75, data),
        Rule_Text(4021, 4035, "Number_Bytes", 75, data),
        conversion,
        Rule_Check(4060, 4061, "Cancel", 50, flags),
        Rule_Text(4062, 4068, "User", 70, v3),
        Rule_Text(4063, 4069, "Auth_Pass", 70, v3),
        Rule_Text(4064, 4070, "Priv_Pass", 70, v3),
        Rule_Combo(4065, 4071, "Security_Level", {"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"}, 100, v3),
        Rule_Combo(4066, 4072, "Auth_Mode", {"MD5", "SHA"}, 75, v3),
        Rule_Combo(4067, 4073, "Priv_Mode", {"DES", "AES"}, 75, v3),
        Rule_Text(4022, 4036, "Mnemonic", 80, clWindow),
    };
    d.grids = {g};
    d.check = Check_Manager_Row;
    // No two enabled rules may send the same request.
    TRuleUnique requests;
    requests.cols = {{SNMP_Manager_Col::IP_Address, SNMP_Manager_Col::Version, SNMP_Manager_Col::OID}};
    requests.trimmed = true;
    requests.text = 4088;
    requests.rowsLead = 4086;
    requests.rowsBetween = 4087;
    d.unique = requests;
    return d;
}
