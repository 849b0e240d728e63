#include "rulefiles/URuleRowReader.h"

#include "core/UWholeNumber.h"

#include <utility>

namespace URuleFiles {

ERuleRowError::ERuleRowError(const std::string& file, const std::string& what)
    : Exception("\"" + file + "\": " + what), file_(file), what_(what)
{
}

std::vector<pugi::xml_node> Rule_Rows(pugi::xml_node parent)
{
    std::vector<pugi::xml_node> rows;
    for (pugi::xml_node c : parent.children())
        if (c.type() == pugi::node_element) rows.push_back(c);
    return rows;
}

TRuleRowReader::TRuleRowReader(const std::string& file, std::string section, int row, pugi::xml_node node)
    : file_(file), section_(std::move(section)), row_(row), node_(node)
{
}

bool TRuleRowReader::Has(const char* name, std::string& out) const
{
    const pugi::xml_attribute a = node_.attribute(name);
    if (!a) return false;
    out = a.value();
    return true;
}

std::string TRuleRowReader::Text(const char* name, const char* def) const
{
    std::string t;
    return Has(name, t) ? t : std::string(def);
}

bool TRuleRowReader::Is_Y(const char* name) const
{
    std::string t;
    return Has(name, t) && UpperCase(t) == "Y";
}

std::string TRuleRowReader::Required(const char* name) const
{
    std::string t;
    if (!Has(name, t)) Fail(std::string("the attribute \"") + name + "\" is missing.");
    return t;
}

int32_t TRuleRowReader::Required_Int(const char* name, const char* what, TRange range) const
{
    const std::string t = Required(name);
    int32_t v;
    if (!UComon::Try_Whole_Number(t, v)) {
        if (Trim(t).empty()) Fail(std::string("the ") + what + " is empty; choose a value in the topic window.");
        Fail(std::string("the ") + what + " \"" + t + "\" is not a whole number.");
    }
    if (!range.Holds(v)) Fail(Out_Of_Range(std::string("the attribute \"") + name + "\"", t, range));
    return v;
}

bool TRuleRowReader::Int(const char* name, TRange range, int32_t& out, bool trim) const
{
    std::string t;
    int32_t v;
    if (!Has(name, t) || !UComon::Try_Whole_Number(trim ? Trim(t) : t, v)) return false;
    if (!range.Holds(v)) Fail(Out_Of_Range(std::string("the attribute \"") + name + "\"", t, range));
    out = v;
    return true;
}

int32_t TRuleRowReader::Int_Or(const char* name, int32_t def, TRange range, bool trim) const
{
    int32_t v;
    return Int(name, range, v, trim) ? v : def;
}

void TRuleRowReader::Fail(const std::string& what) const { throw ERuleRowError(file_, Where() + what); }

std::string TRuleRowReader::Where() const
{
    const std::string row = "row " + std::to_string(row_) + ": ";
    return section_.empty() ? row : "section \"" + section_ + "\", " + row;
}

} // namespace URuleFiles
