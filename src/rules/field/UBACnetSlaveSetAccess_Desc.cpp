// The BACnet server objects' tables: the long-name mode, columns, file,
// texts and checks.
#include "rules/field/UBACnetSlaveSetAccess.h"

#include "core/UWholeNumber.h"

#include <algorithm>

namespace {

using namespace BACnet_Slave_Col;

// A length range of a data type and the text of its fault.
struct TLengthRule {
    const char* type;
    int lo, hi, text;
};

// The texts and length rules of one page.
struct TPageChecks {
    int unit, position, bit, span;
    std::vector<std::string> twoState;
    std::vector<TLengthRule> lengths;
};

const TPageChecks& Page_Checks(int g)
{
    static const TPageChecks read = {4333,
                                     4334,
                                     4345,
                                     4346,
                                     {"Binary Input", "Binary Value"},
                                     {{"Analog Input", 1, 4, 4335},
                                      {"Positive Integer Value", 1, 4, 4336},
                                      {"Large Analog Value", 1, 8, 4337},
                                      {"Analog Value", 1, 4, 4338},
                                      {"Multi State Input", 1, 4, 4339},
                                      {"Multi State Value", 1, 4, 4340},
                                      {"Life Safety Point", 1, 2, 4341},
                                      {"Life Safety Zone", 1, 2, 4342},
                                      {"Access Door", 1, 1, 4343},
                                      {"Accumulator", 1, 4, 4344}}};
    static const TPageChecks write = {4347,
                                      4348,
                                      4357,
                                      4358,
                                      {"Binary Out", "Binary Value"},
                                      {{"Analog Out", 1, 4, 4349},
                                       {"Analog Value", 1, 4, 4350},
                                       {"Positive Integer Value", 1, 4, 4351},
                                       {"Large Analog Value", 1, 8, 4352},
                                       {"Integer Value", 1, 4, 4353},
                                       {"Multi State Output", 1, 4, 4354},
                                       {"Multi State Value", 1, 4, 4355},
                                       {"Access Door", 1, 1, 4356}}};
    return g == 0 ? read : write;
}

// The checks of a listed row, in their order.
std::optional<TRuleFault> Check_BACnet_Slave_Row(TRuleRow& r)
{
    const TPageChecks& page = Page_Checks(r.Grid());
    if (!In_Range(r.Number(Eng_Unit), 0, 65535)) return r.Fault(page.unit);
    const int64_t position = r.Number(Position);
    if (!In_Range(position, 0, BACnet_Slave_Num_Byte - 1))
        return r.Fault(page.position, std::to_string(BACnet_Slave_Num_Byte - 1));
    // The data type as it stands selects the rest.
    const std::string type = r.Cell(Data_Type);
    int64_t last = position;
    if (std::find(page.twoState.begin(), page.twoState.end(), type) != page.twoState.end()) {
        if (r.Empty(Bit)) return r.Fault(page.bit);
    } else {
        const int64_t length = UComon::Whole_Number_Def(r.Cell(Length), 0);
        for (const TLengthRule& rule : page.lengths)
            if (type == rule.type && !In_Range(length, rule.lo, rule.hi)) return r.Fault(rule.text);
        last = position + length - 1;
    }
    if (last >= BACnet_Slave_Num_Byte) return r.Fault(page.span);
    return std::nullopt;
}

TRuleGridDesc Page(int numberHeader, int pageCaption, const std::vector<std::string>& types,
                   std::function<int()> rowsAtShow)
{
    const TColor type = RGB(224, 250, 254), data = RGB(252, 214, 244), swap = RGB(255, 255, 168);
    const int h = numberHeader;
    TRuleGridDesc g;
    g.section = pageCaption == 4308 ? "BACnet_in_Read" : "BACnet_in_Write";
    g.rows = BACnet_Slave_Max_Objects;
    g.rowsAtShow = std::move(rowsAtShow);
    g.numberHeader = h;
    g.pageCaption = pageCaption;
    g.keyCol = Data_Type;
    g.showHints = false;
    g.columns = {
        Rule_Combo(h + 1, -1, "Data_Type", types, 150, type),
        Rule_Text(h + 2, -1, "Eng_Unit", 100, type),
        Rule_Combo(h + 3, -1, "Position", Number_Items(BACnet_Slave_Num_Byte), 64, data),
        Rule_Combo(h + 4, -1, "Bit", Number_Items(8), 64, data),
        Rule_Text(h + 5, -1, "Length", 64, data),
        Rule_Check(h + 6, -1, "Swap", 40, swap, true),
        Rule_Text(h + 7, -1, "Mnemonic", 250, clWindow),
    };
    return g;
}

} // namespace

bool BACnet_Long_Names(const std::string& parGenFile)
{
    TXmlDocument doc;
    if (parGenFile.empty() || doc.LoadFromFile(parGenFile) != TXmlLoad::Read) return false;
    const pugi::xml_node key = ChildElement(doc.Root(), "BACnet_Desc_Chars_Limit");
    return key && ElementText(key) == "1";
}

const std::vector<std::string>& BACnet_Read_Types()
{
    static const std::vector<std::string> types = {
        "Analog Input",      "Analog Value",      "Binary Input",      "Binary Value",
        "Positive Integer Value", "Large Analog Value", "Integer Value", "Multi State Input",
        "Multi State Value", "Life Safety Point", "Life Safety Zone",  "Access Door",
        "Accumulator",       "Octet String",      "CharacterString Value"};
    return types;
}

const std::vector<std::string>& BACnet_Write_Types()
{
    static const std::vector<std::string> types = {
        "Analog Out",    "Analog Value",       "Binary Out",    "Binary Value",
        "Positive Integer Value", "Large Analog Value", "Integer Value", "Multi State Output",
        "Multi State Value", "Access Door",    "Octet String",  "CharacterString Value"};
    return types;
}

std::string BACnet_Write_Default_Length(const std::string& dataType)
{
    const std::string t = UpperCase(dataType);
    for (const char* four : {"ANALOG OUT", "ANALOG VALUE", "POSITIVE INTEGER VALUE", "INTEGER VALUE",
                             "MULTI STATE OUTPUT", "MULTI STATE VALUE"})
        if (t == four) return "4";
    if (t == "LARGE ANALOG VALUE") return "8";
    for (const char* one : {"BINARY OUT", "BINARY VALUE", "ACCESS DOOR", "OCTET STRING", "CHARACTERSTRING VALUE"})
        if (t == one) return "1";
    return {};
}

TRuleWindowDesc BACnetSlaveSetAccess_Desc(std::function<std::string()> parGenFile)
{
    TRuleWindowDesc d;
    d.root = "BACnet_to_Modbus";
    d.version = "1.008";
    d.clientWidth = 764;
    d.caption = 4300;
    d.description = 4301;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 4302 + i;
        d.buttonHints[i] = 4310 + i;
    }
    d.rowPrefix = 4332;
    d.deleteQuestion = 4360;
    d.clickSelectsRow = true;

    // Both pages take the rows of the mode the parameter file gives at the
    // showing.
    auto rows = [parGenFile] {
        return BACnet_Long_Names(parGenFile ? parGenFile() : std::string()) ? BACnet_Slave_Max_Objects_Long
                                                                            : BACnet_Slave_Max_Objects;
    };
    d.grids = {Page(4316, 4308, BACnet_Read_Types(), rows), Page(4324, 4309, BACnet_Write_Types(), rows)};
    d.check = Check_BACnet_Slave_Row;
    // The objects of both pages together stay within the mode's limit,
    // which is the rows of a page.
    d.finalCheck = [](TRuleFrame& frame) -> std::optional<TRuleFault> {
        const int limit = frame.Rows(0);
        if (frame.Saved_Rows(0) + frame.Saved_Rows(1) > limit)
            return TRuleFault{0, 4359, std::to_string(limit), false, {}};
        return std::nullopt;
    };
    return d;
}
