#pragma once
// The rows of a rule file as the device image builder reads them: every
// failure names the file, the section (where the file has sections), the
// row and the attribute.

#include "rulefiles/URuleFiles.h"

#include "platform/SysUtils.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace URuleFiles {

// A row the builder cannot take: the file, and where and what is wrong
// ("section "MQTT_Publish", row 2: the attribute "QoS" is missing.").
class ERuleRowError : public Exception {
public:
    ERuleRowError(const std::string& file, const std::string& what);
    const std::string& File() const { return file_; }
    const std::string& What() const { return what_; }

private:
    std::string file_;
    std::string what_;
};

// The rows of a section, or of the root where a file has no sections: its
// element children, in order.
std::vector<pugi::xml_node> Rule_Rows(pugi::xml_node parent);

class TRuleRowReader {
public:
    // section: empty for rows directly under the root; row counts from 1.
    TRuleRowReader(const std::string& file, std::string section, int row, pugi::xml_node node);

    // The attribute's text; false when the row lacks it.
    bool Has(const char* name, std::string& out) const;
    // The attribute's text, def when the row lacks it.
    std::string Text(const char* name, const char* def) const;
    // Whether the attribute's upper-cased text is "Y".
    bool Is_Y(const char* name) const;
    // An attribute the gateway cannot do without.
    std::string Required(const char* name) const;
    // A whole number the gateway cannot do without, in the range; what
    // names it in the message.
    int32_t Required_Int(const char* name, const char* what, TRange range) const;
    // A whole number (of the trimmed text with trim): false when the
    // attribute is missing or no number; a number outside the range stops
    // the build, naming the text as written.
    bool Int(const char* name, TRange range, int32_t& out, bool trim = false) const;
    // The same, def when the attribute is missing or no number.
    int32_t Int_Or(const char* name, int32_t def, TRange range, bool trim = false) const;
    // Raises ERuleRowError for this row.
    [[noreturn]] void Fail(const std::string& what) const;

private:
    std::string Where() const;

    const std::string& file_;
    std::string section_;
    int row_;
    pugi::xml_node node_;
};

} // namespace URuleFiles
