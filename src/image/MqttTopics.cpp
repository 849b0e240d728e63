#include "image/MqttTopics.h"

#include "core/UComon.h"
#include "image/ImageCommon.h"
#include "image/MqttStruct.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"

#include <algorithm>

namespace USaveBincc {

namespace {

const char* const Default_Template = "$VALUE$";

// Reads the rows of one section, naming file, section and row in every
// failure.
class TRowReader {
public:
    TRowReader(const std::string& file, const char* section, int row, pugi::xml_node node)
        : file_(file), section_(section), row_(row), node_(node)
    {
    }

    // An attribute the gateway cannot do without.
    std::string Required(const char* name) const
    {
        std::string t;
        if (!Attribute_Text(node_, name, t)) Fail(std::string("the attribute \"") + name + "\" is missing.");
        return t;
    }
    int32_t Required_Int(const char* name, const char* what) const
    {
        const std::string t = Required(name);
        int32_t v;
        if (!Image_TryStrToInt(t, v)) {
            if (Trim(t).empty()) Fail(std::string("the ") + what + " is empty; choose a value in the topic window.");
            Fail(std::string("the ") + what + " \"" + t + "\" is not a whole number.");
        }
        return v;
    }
    int32_t Int(const char* name, int32_t def, bool trim = false) const
    {
        std::string t;
        if (!Attribute_Text(node_, name, t)) return def;
        return Image_StrToIntDef(trim ? Trim(t) : t, def);
    }
    bool Is_Y(const char* name) const
    {
        std::string t;
        return Attribute_Text(node_, name, t) && UpperCase(t) == "Y";
    }
    std::string Text(const char* name, const char* def) const
    {
        std::string t;
        return Attribute_Text(node_, name, t) ? t : std::string(def);
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        Raise_Build_Error(file_, "section \"" + std::string(section_) + "\", row " + std::to_string(row_) + ": " +
                                     what);
    }
    const std::string& file_;
    const char* section_;
    int row_;
    pugi::xml_node node_;
};

std::vector<pugi::xml_node> Rows(pugi::xml_node section)
{
    std::vector<pugi::xml_node> rows;
    for (pugi::xml_node c : section.children())
        if (c.type() == pugi::node_element) rows.push_back(c);
    return rows;
}

} // namespace

uint32_t Data_Type_Code(const std::string& text)
{
    if (text == "STRING") return 0;
    if (text == "INT") return 1;
    if (text == "FLOAT") return 2;
    if (text == "BASE64") return 3;
    if (text == "SINT") return 4;
    return 0;
}

std::string Strip_CR_LF(const std::string& text, bool allow)
{
    if (allow) return text;
    std::string r;
    r.reserve(text.size());
    for (char c : text)
        if (c != '\n' && c != '\r') r += c;
    return r;
}

TAt_Fields Parse_At_Fields(const std::string& tmpl)
{
    TAt_Fields res;
    const size_t first = tmpl.find('@');
    if (first == std::string::npos) return res;
    std::string s = tmpl.substr(first + 1);
    if (s.find('@') == std::string::npos) return res;

    int count = 0;
    int64_t min_bit = 0, max_end = 0;
    while (!s.empty()) {
        const size_t at = s.find('@');
        // The field: from the second character up to the first at sign.
        std::string f;
        const size_t end = at == std::string::npos ? s.size() : at;
        if (end > 1) f = s.substr(1, end - 1);
        const size_t dot = f.find('.');
        const std::string bit_text = dot == std::string::npos ? std::string() : f.substr(0, dot);
        const std::string len_text = dot == std::string::npos ? f : f.substr(dot + 1);
        const int64_t bit = Image_StrToIntDef(Trim(bit_text), 0);
        const int64_t len = Image_StrToIntDef(Trim(len_text), 0);
        if (len > 0 && count < Max_At_Fields) {
            if (count == 0 || bit < min_bit) min_bit = bit;
            if (count == 0 || bit + len > max_end) max_end = bit + len;
            ++count;
        }
        // Past the closing at sign, then past the next opening one.
        if (at != std::string::npos) s.erase(0, at + 1);
        const size_t next = s.find('@');
        if (next != std::string::npos)
            s.erase(0, next + 1);
        else
            s.clear();
    }
    if (count == 0) return res;
    const int64_t position = min_bit / 8;  // C++ division truncates toward zero
    const int64_t length = max_end / 8 - position + 1;
    res.found = true;
    res.position = static_cast<uint32_t>(static_cast<uint64_t>(position));
    res.length = static_cast<uint32_t>(static_cast<uint64_t>(length));
    return res;
}

void Load_MQTT_Topics_Image(TMQTT& m)
{
    const std::string& file = UComon::File_MQTT_Set_Topic;
    if (FileExists(file)) {
        TXmlDocument xml;
        if (xml.LoadFromFile(file) != TXmlLoad::Read)
            Raise_Build_Error(file, "the file cannot be read or is not well-formed XML.");
        const pugi::xml_node root = xml.Root();
        const bool allow = ElementText(ChildElement(ChildElement(root, "MQTT_Options"), "Option_Allow_CR_LF")) == "Y";
        const bool full_mode = m.Mode != 0;

        // Publish rows.
        const std::vector<pugi::xml_node> pub = Rows(ChildElement(root, "MQTT_Publish"));
        m.Publish_Data.assign(pub.size(), TMQTT_Publish_Data{});
        for (size_t i = 0; i < pub.size(); ++i) {
            const TRowReader r(file, "MQTT_Publish", static_cast<int>(i + 1), pub[i]);
            TMQTT_Publish_Data& p = m.Publish_Data[i];
            p.Publish_Topic.CString = Strip_CR_LF(r.Required("Topic"), false);
            p.Retained = UpperCase(r.Required("Retained")) == "Y" ? 1 : 0;
            p.QoS = r.Required_Int("QoS", "QoS");
            p.Options = 0;
            if (r.Is_Y("OnChange")) p.Options |= 1;
            if (r.Is_Y("OnCMD")) p.Options |= 2;
            if (r.Is_Y("OnTimer")) p.Options |= 4;
            p.Timer = (p.Options & 4) ? static_cast<uint32_t>(r.Int("Time", 0, true)) : 0;
            if (full_mode) {
                p.Type_Data = static_cast<uint16_t>(Data_Type_Code(UpperCase(Trim(r.Text("DataType", "")))));
                p.Length = static_cast<uint16_t>(r.Int("Dimension", 4));
                p.Position = static_cast<uint32_t>(r.Int("Position", 0));
            } else {
                p.Type_Data = 0;
                p.Length = 0;
                p.Position = 0;
            }
            p.Output_Template = Strip_CR_LF(r.Text("Template", Default_Template), allow);
            p.Input_Template.clear();
            p.Source_IP_Address = 0;
            p.Description = r.Required("Mnemonic");
        }

        // Subscribe rows; the simple mode takes only the first.
        std::vector<pugi::xml_node> sub = Rows(ChildElement(root, "MQTT_Subscribe"));
        if (!full_mode && sub.size() > 1) sub.resize(1);
        m.Topic_Filters.assign(sub.size(), TMQTTString{});
        m.Topic_Filter_QoS.assign(sub.size(), 0);
        m.Subscribe_Data.assign(sub.size(), TMQTT_Subscribe_Data{});
        for (size_t i = 0; i < sub.size(); ++i) {
            const TRowReader r(file, "MQTT_Subscribe", static_cast<int>(i + 1), sub[i]);
            TMQTT_Subscribe_Data& s = m.Subscribe_Data[i];
            m.Topic_Filters[i].CString = Strip_CR_LF(r.Required("Topic"), false);
            m.Topic_Filter_QoS[i] = r.Required_Int("QoS", "QoS");
            s.Input_Template = r.Text("Template", Default_Template);
            if (full_mode) {
                s.Type_SubData = Data_Type_Code(UpperCase(Trim(r.Text("DataType", ""))));
                s.Length = static_cast<uint32_t>(r.Int("Dimension", 4));
                s.Position = static_cast<uint32_t>(r.Int("Position", 0));
                const TAt_Fields f = Parse_At_Fields(s.Input_Template);
                if (f.found) {
                    s.Position = f.position;
                    s.Length = f.length;
                }
            }
            s.Output_Template.clear();
        }
        m.Topic_Filter_Count = static_cast<int32_t>(sub.size());
        m.Publish_Topic_Count = static_cast<int32_t>(pub.size());
    }
    Assign_MQTT_Addresses(m);
}

} // namespace USaveBincc
