#include "image/MqttTopics.h"

#include "core/UComon.h"
#include "image/ImageCommon.h"
#include "image/MqttStruct.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace USaveBincc {

namespace {

const char* const Default_Template = "$VALUE$";

// Size of the gateway's internal data array the positions address.
constexpr int32_t Data_Array_Size = 1440;

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
    // A whole number the gateway cannot do without, in lo..hi.
    int32_t Required_Int(const char* name, const char* what, int32_t lo, int32_t hi) const
    {
        const std::string t = Required(name);
        int32_t v;
        if (!Image_TryStrToInt(t, v)) {
            if (Trim(t).empty()) Fail(std::string("the ") + what + " is empty; choose a value in the topic window.");
            Fail(std::string("the ") + what + " \"" + t + "\" is not a whole number.");
        }
        Range(name, t, v, lo, hi);
        return v;
    }
    // A whole number in lo..hi (the range the topic window checks, within
    // what its field holds); def when missing or no number.
    int32_t Int(const char* name, int32_t def, int32_t lo, int32_t hi, bool trim = false) const
    {
        std::string t;
        if (!Attribute_Text(node_, name, t)) return def;
        int32_t v;
        if (!Image_TryStrToInt(trim ? Trim(t) : t, v)) return def;
        Range(name, t, v, lo, hi);
        return v;
    }
    void Range(const char* name, const std::string& text, int64_t v, int64_t lo, int64_t hi) const
    {
        Check_Range(file_, Where() + "the attribute \"" + name + "\"", text, v, lo, hi);
    }
    [[noreturn]] void Fail(const std::string& what) const { Raise_Build_Error(file_, Where() + what); }
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
    std::string Where() const
    {
        return "section \"" + std::string(section_) + "\", row " + std::to_string(row_) + ": ";
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
    // The text is walked once: p is where the rest of the template (the
    // text after the last at sign taken) begins.
    TAt_Fields res;
    const std::string_view t(tmpl);
    const size_t first = t.find('@');
    if (first == std::string_view::npos) return res;
    size_t p = first + 1;
    if (t.find('@', p) == std::string_view::npos) return res;

    int count = 0;
    int64_t min_bit = 0, max_end = 0;
    while (p < t.size() && count < Max_At_Fields) {
        const size_t at = t.find('@', p);
        // The field: from the second character up to the first at sign.
        const size_t end = at == std::string_view::npos ? t.size() : at;
        const std::string_view f = end > p + 1 ? t.substr(p + 1, end - p - 1) : std::string_view();
        const size_t dot = f.find('.');
        const std::string_view bit_text = dot == std::string_view::npos ? std::string_view() : f.substr(0, dot);
        const std::string_view len_text = dot == std::string_view::npos ? f : f.substr(dot + 1);
        const int64_t bit = Image_StrToIntDef(Trim(bit_text), 0);
        const int64_t len = Image_StrToIntDef(Trim(len_text), 0);
        if (len > 0) {
            if (count == 0 || bit < min_bit) min_bit = bit;
            if (count == 0 || bit + len > max_end) max_end = bit + len;
            ++count;
        }
        // Past the closing at sign, then past the next opening one.
        if (at == std::string_view::npos) break;
        const size_t next = t.find('@', at + 1);
        if (next == std::string_view::npos) break;
        p = next + 1;
    }
    if (count == 0) return res;
    res.found = true;
    res.position = min_bit / 8;  // C++ division truncates toward zero
    res.length = max_end / 8 - res.position + 1;
    return res;
}

void Load_MQTT_Topics_Image(TMQTT& m)
{
    const std::string& file = UComon::File_MQTT_Set_Topic;
    if (FileExists(file)) {
        TXmlDocument xml;
        if (xml.LoadFromFile(file) != TXmlLoad::Read) Raise_Build_Error(file, xml.LoadError() + ".");
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
            p.QoS = r.Required_Int("QoS", "QoS", 0, 2);
            p.Options = 0;
            if (r.Is_Y("OnChange")) p.Options |= 1;
            if (r.Is_Y("OnCMD")) p.Options |= 2;
            if (r.Is_Y("OnTimer")) p.Options |= 4;
            p.Timer = (p.Options & 4) ? static_cast<uint32_t>(r.Int("Time", 0, 1, 999999999, true)) : 0;
            if (full_mode) {
                p.Type_Data = static_cast<uint16_t>(Data_Type_Code(UpperCase(Trim(r.Text("DataType", "")))));
                p.Length = static_cast<uint16_t>(r.Int("Dimension", 4, 1, 65535));
                p.Position = static_cast<uint32_t>(r.Int("Position", 0, 0, Data_Array_Size - 1));
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
            m.Topic_Filter_QoS[i] = r.Required_Int("QoS", "QoS", 0, 2);
            s.Input_Template = r.Text("Template", Default_Template);
            // A template larger than the whole structure can never be packed:
            // refused before it is scanned.
            if (s.Input_Template.size() > MQTT_Struct_Max)
                r.Fail("the template is " + std::to_string(s.Input_Template.size()) +
                       " bytes long; the MQTT structure of the gateway holds at most " +
                       std::to_string(MQTT_Struct_Max) + " bytes.");
            if (full_mode) {
                s.Type_SubData = Data_Type_Code(UpperCase(Trim(r.Text("DataType", ""))));
                s.Length = static_cast<uint32_t>(r.Int("Dimension", 4, 1, INT32_MAX));
                s.Position = static_cast<uint32_t>(r.Int("Position", 0, 0, Data_Array_Size - 1));
                const TAt_Fields f = Parse_At_Fields(s.Input_Template);
                if (f.found) {
                    if (f.position < 0 || f.position > Data_Array_Size - 1 || f.length < 1 || f.length > INT32_MAX)
                        r.Fail("the bit fields of the template cover " + std::to_string(f.length) +
                               " bytes from position " + std::to_string(f.position) + "; the position must lie in 0 to " +
                               std::to_string(Data_Array_Size - 1) + ".");
                    s.Position = static_cast<uint32_t>(f.position);
                    s.Length = static_cast<uint32_t>(f.length);
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
