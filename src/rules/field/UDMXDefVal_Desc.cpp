// The DMX default values' table: the channel count, columns, file, texts
// and the check.
#include "rules/field/UDMXDefVal.h"

#include "core/UWholeNumber.h"

int DMX_Channel_Count(const std::string& parGenFile)
{
    TXmlDocument doc;
    if (parGenFile.empty() || doc.LoadFromFile(parGenFile) != TXmlLoad::Read) return DMX_Max_Channels;
    const pugi::xml_node key = ChildElement(doc.Root(), "DMX_Num_Channels");
    int32_t n = 0;
    if (!key || !UComon::Try_Whole_Number(ElementText(key), n) || !In_Range(n, 1, DMX_Max_Channels))
        return DMX_Max_Channels;
    return n;
}

TRuleWindowDesc DMXDefVal_Desc(std::function<std::string()> parGenFile)
{
    TRuleWindowDesc d;
    d.root = "DMX_Default_Values";
    d.version = "1.000";
    d.rowElement = "Row";
    d.clientWidth = 475;
    d.caption = 3700;
    d.description = 3701;
    d.buttonCaptions[0] = 3702;
    d.buttonCaptions[1] = 3703;
    d.buttonHints[0] = 3704;
    d.buttonHints[1] = 3705;
    d.rowButtons = false;
    d.rowPrefix = 3711;
    d.clickSelectsRow = true;

    TRuleGridDesc g;
    g.rows = DMX_Max_Channels;
    g.rowsAtShow = [parGenFile] { return DMX_Channel_Count(parGenFile ? parGenFile() : std::string()); };
    g.numberHeader = 3706;
    g.numberWidth = 100;
    g.keyCol = No_Key_Col;
    g.showHints = false;
    TRuleColumn value = Rule_Text(3707, 3709, "Default_Value", 100, RGB(224, 250, 254));
    value.reset = "0";
    value.missing = "0";
    g.columns = {value, Rule_Text(3708, 3710, "Mnemonic", 250, clWindow)};
    d.grids = {g};
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        if (!In_Range(r.Number(1), 0, 255)) return r.Fault(3712);
        return std::nullopt;
    };
    return d;
}
