#include "image/MqttTopics.h"

#include "image/ImageCommon.h"
#include "image/MqttStruct.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "rulefiles/URuleRowReader.h"

#include <algorithm>
#include <string_view>

namespace USaveBincc {

using namespace URuleFiles::Topic;
using URuleFiles::TRuleRowReader;

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
    const std::string& file = URuleFiles::Topic::File.Path();
    TXmlDocument xml;
    const TXmlLoad loaded = xml.LoadFromFile(file);
    if (loaded == TXmlLoad::Unreadable) Raise_Build_Error(file, xml.LoadError() + ".");
    if (loaded == TXmlLoad::Read) {
        const pugi::xml_node root = xml.Root();
        const bool allow = ElementText(ChildElement(ChildElement(root, Options), Allow_CR_LF)) == "Y";
        const bool full_mode = m.Mode != 0;

        // Publish rows.
        const std::vector<pugi::xml_node> pub = URuleFiles::Rule_Rows(ChildElement(root, Publish));
        m.Publish_Data.assign(pub.size(), TMQTT_Publish_Data{});
        for (size_t i = 0; i < pub.size(); ++i) {
            const TRuleRowReader r(file, Publish, static_cast<int>(i + 1), pub[i]);
            TMQTT_Publish_Data& p = m.Publish_Data[i];
            p.Publish_Topic.CString = Strip_CR_LF(r.Required(Attr::Topic), false);
            p.Retained = UpperCase(r.Required(Attr::Retained)) == "Y" ? 1 : 0;
            p.QoS = r.Required_Int(Attr::QoS, "QoS", Range::QoS);
            p.Options = 0;
            if (r.Is_Y(Attr::OnChange)) p.Options |= 1;
            if (r.Is_Y(Attr::OnCMD)) p.Options |= 2;
            if (r.Is_Y(Attr::OnTimer)) p.Options |= 4;
            p.Timer = (p.Options & 4) ? static_cast<uint32_t>(r.Int_Or(Attr::Time, 0, Range::Time, true)) : 0;
            if (full_mode) {
                p.Type_Data = static_cast<uint16_t>(Data_Type_Code(UpperCase(Trim(r.Text(Attr::DataType, "")))));
                p.Length = static_cast<uint16_t>(r.Int_Or(Attr::Dimension, 4, Range::Publish_Dimension));
                p.Position = static_cast<uint32_t>(r.Int_Or(Attr::Position, 0, Range::Position));
            } else {
                p.Type_Data = 0;
                p.Length = 0;
                p.Position = 0;
            }
            p.Output_Template = Strip_CR_LF(r.Text(Attr::Template, Default_Template), allow);
            p.Input_Template.clear();
            p.Source_IP_Address = 0;
            p.Description = r.Required(Attr::Mnemonic);
        }

        // Subscribe rows; the simple mode takes only the first.
        std::vector<pugi::xml_node> sub = URuleFiles::Rule_Rows(ChildElement(root, Subscribe));
        if (!full_mode && sub.size() > 1) sub.resize(1);
        m.Topic_Filters.assign(sub.size(), TMQTTString{});
        m.Topic_Filter_QoS.assign(sub.size(), 0);
        m.Subscribe_Data.assign(sub.size(), TMQTT_Subscribe_Data{});
        for (size_t i = 0; i < sub.size(); ++i) {
            const TRuleRowReader r(file, Subscribe, static_cast<int>(i + 1), sub[i]);
            TMQTT_Subscribe_Data& s = m.Subscribe_Data[i];
            m.Topic_Filters[i].CString = Strip_CR_LF(r.Required(Attr::Topic), false);
            m.Topic_Filter_QoS[i] = r.Required_Int(Attr::QoS, "QoS", Range::QoS);
            s.Input_Template = r.Text(Attr::Template, Default_Template);
            // A template larger than the whole structure can never be packed:
            // refused before it is scanned.
            if (s.Input_Template.size() > MQTT_Struct_Max)
                r.Fail("the template is " + std::to_string(s.Input_Template.size()) +
                       " bytes long; the MQTT structure of the gateway holds at most " +
                       std::to_string(MQTT_Struct_Max) + " bytes.");
            if (full_mode) {
                s.Type_SubData = Data_Type_Code(UpperCase(Trim(r.Text(Attr::DataType, ""))));
                s.Length = static_cast<uint32_t>(r.Int_Or(Attr::Dimension, 4, Range::Subscribe_Dimension));
                s.Position = static_cast<uint32_t>(r.Int_Or(Attr::Position, 0, Range::Position));
                const TAt_Fields f = Parse_At_Fields(s.Input_Template);
                if (f.found) {
                    if (!Range::Position.Holds(f.position) || !Range::Subscribe_Dimension.Holds(f.length))
                        r.Fail("the bit fields of the template cover " + std::to_string(f.length) +
                               " bytes from position " + std::to_string(f.position) + "; the position must lie in 0 to " +
                               std::to_string(Range::Position.hi) + ".");
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
