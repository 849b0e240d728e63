// The CAN receive frames window's table: columns, file, texts and checks.
#include "rules/can_mqtt/UReceiveCAN.h"

#include "core/ULanguage.h"

using namespace URuleFiles::CAN;

namespace {

constexpr TColor Tint_Enable = RGB(255, 216, 176);
constexpr TColor Tint_Frame = RGB(224, 250, 254);
constexpr TColor Tint_Time = RGB(168, 255, 168);
constexpr TColor Tint_Byte = RGB(252, 214, 244);

} // namespace

std::optional<TRuleFault> Check_CAN_Identifier(TRuleRow& r, int text11, int text29, int textDim)
{
    // The device image packs every row whose type is not the 29-bit one as
    // an 11-bit frame, the row without a type included: so it is checked.
    const std::string type = r.Cell(3);
    if (!COBID_Range(type).Holds(r.Number(2))) return r.Fault(Is_29_Bit(type) ? text29 : text11);
    if (!Range::Dim.Holds(r.Number(4))) return r.Fault(textDim);
    return std::nullopt;
}

std::optional<TRuleFault> Check_CAN_Bytes(TRuleRow& r, int firstByteCol, const int (&byteTexts)[8], int orNone)
{
    const int32_t dim = r.Number(4);
    for (int k = 1; k <= dim && k <= Max_Bytes; ++k) {
        const int col = firstByteCol + k - 1;
        const std::string cell = r.Trimmed(col);
        if (cell.empty() || cell == "None") continue;
        if (!Range::Byte_Position.Holds(r.Number(col)))
            return r.Fault(byteTexts[k - 1], std::to_string(Range::Byte_Position.hi) + ULanguage::Text(orNone));
    }
    return std::nullopt;
}

TRuleWindowDesc ReceiveCAN_Desc()
{
    TRuleWindowDesc d;
    d.root = Receive_File.root;
    d.version = Receive_File.version;
    d.clientWidth = 1010;
    d.caption = 2100;
    d.description = 2101;
    const int hints[6] = {2123, 2124, 2125, 2126, 2127, 2128};
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 2102 + i;
        d.buttonHints[i] = hints[i];
    }
    d.rowPrefix = 2144;
    d.deleteQuestion = 2158;
    d.insertEnable = true;

    TRuleGridDesc g;
    g.rows = 512;
    g.numberHeader = 2108;
    g.numberColor = clWindow;
    g.keyCol = 2;
    g.enable = TEnableTest::Trimmed;
    TRuleColumn enable = Rule_Check(2109, 2129, Attr::Enable, 50, Tint_Enable, false, "Y");
    enable.reset = "Y";
    TRuleColumn timeOut = Rule_Text(2113, 2134, Attr::TimeOut, 75, Tint_Time);
    timeOut.missing = "0";
    g.columns = {
        enable,
        Rule_Text(2110, 2130, Attr::COBID, 90, Tint_Frame),
        Rule_Combo(2111, 2131, Attr::CAN_Type, {Type_11, Type_29}, 90, Tint_Frame),
        Rule_Text(2112, 2132, Attr::Dim, 70, Tint_Frame),
        timeOut,
    };
    const std::vector<std::string> positions = Position_Items(URuleFiles::Data_Array_Size);
    for (int k = 1; k <= Max_Bytes; ++k)
        g.columns.push_back(Rule_Combo(2113 + k, 2134 + k, Byte_Attr(k).c_str(), positions, 48, Tint_Byte));
    g.columns.push_back(Rule_Text(2122, 2143, Attr::Mnemonic, 185, clWindow));
    d.grids = {g};

    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (auto f = Check_CAN_Identifier(r, 2145, 2146, 2147)) return f;
        if (!Range::TimeOut.Holds(r.Number(5))) return r.Fault(2148);
        static const int byteTexts[8] = {2149, 2151, 2152, 2153, 2154, 2155, 2156, 2157};
        return Check_CAN_Bytes(r, 6, byteTexts, 2150);
    };
    return d;
}
