#include "image/MqttStruct.h"

#include "image/ImageCommon.h"

namespace USaveBincc {

namespace {

constexpr uint32_t Filter_Ref_Size = 12;
constexpr uint32_t QoS_Size = 4;
constexpr uint32_t Subscribe_Record_Size = 27;
constexpr uint32_t Publish_Record_Size = 49;

// Running offset of the address pass; kept wide so that no sum can wrap
// before the size check.
class TOffsets {
public:
    uint64_t at = MQTT_Header_Size;

    uint32_t Here() const { return static_cast<uint32_t>(at); }
    // Plain text: its offset, or the shared empty byte.
    uint32_t Plain(const std::string& t)
    {
        if (t.empty()) return Empty_String_Offset;
        const uint32_t a = Here();
        at += t.size() + 1;
        return a;
    }
    void Ref(TMQTTString& s)
    {
        if (s.CString.empty()) {
            s.Address = 0;
            s.Len = 0;
            return;
        }
        s.Address = Here();
        s.Len = static_cast<int32_t>(s.CString.size());
        at += s.CString.size() + 1;
    }
    void Text(const std::string& t, uint32_t& add, uint32_t& len)
    {
        add = Plain(t);
        len = static_cast<uint32_t>(t.size());
    }
};

} // namespace

void Init_MQTT_Struct(TMQTT& m) { m = TMQTT{}; }

uint32_t Assign_MQTT_Addresses(TMQTT& m)
{
    TOffsets o;
    TMQTTPacket_ConnectData& c = m.Connect_Data;
    m.Server_Address_Add = o.Plain(m.Server_Address);
    o.Ref(c.ClientID);
    o.Ref(c.Will.TopicName);
    o.Ref(c.Will.WillMessage);
    o.Ref(c.Username);
    o.Ref(c.Password);
    o.Text(m.TLS_Server_Cert, m.TLS_Server_Cert_Add, m.TLS_Server_Cert_Len);
    o.Text(m.TLS_Client_Cert, m.TLS_Client_Cert_Add, m.TLS_Client_Cert_Len);
    o.Text(m.TLS_Client_Key, m.TLS_Client_Key_Add, m.TLS_Client_Key_Len);
    m.TLS_Client_Key_Add_Pass = o.Plain(m.TLS_Client_Key_Pass);
    m.NTP_Server_Address_Add = o.Plain(m.NTP_Server_Address);
    o.Ref(m.onconnect.topicName);
    o.Ref(m.onconnect.conn_message);
    o.Ref(m.topic_answer_dali);
    o.Text(m.TLS_CA_Cert, m.TLS_CA_Cert_Add, m.TLS_CA_Cert_Len);

    // The three subscribe arrays run in parallel; a shorter one would be
    // read past its end.
    const size_t n = m.Topic_Filters.size();
    m.Topic_Filter_QoS.resize(n);
    m.Subscribe_Data.resize(n);
    if (n > 0) {
        m.Topic_Filters_Add = o.Here();
        o.at += Filter_Ref_Size * static_cast<uint64_t>(n);
        m.Topic_Filter_Count = static_cast<int32_t>(n);
        for (TMQTTString& f : m.Topic_Filters) o.Ref(f);
        m.Topic_Filter_QoS_Add = o.Here();
        o.at += QoS_Size * static_cast<uint64_t>(n);
        m.Subscribe_Data_Add = o.Here();
        o.at += Subscribe_Record_Size * static_cast<uint64_t>(n);
        for (TMQTT_Subscribe_Data& s : m.Subscribe_Data) {
            s.Input_Template_Add = o.Plain(s.Input_Template);
            s.Output_Template_Add = o.Plain(s.Output_Template);
        }
    } else {
        m.Topic_Filters_Add = 0;
        m.Topic_Filter_Count = 0;
        m.Topic_Filter_QoS_Add = 0;
        m.Subscribe_Data_Add = 0;
    }

    const size_t pm = m.Publish_Data.size();
    if (pm > 0) {
        m.Publish_Data_Add = o.Here();
        o.at += Publish_Record_Size * static_cast<uint64_t>(pm);
        m.Publish_Topic_Count = static_cast<int32_t>(pm);
        for (TMQTT_Publish_Data& p : m.Publish_Data) {
            p.Desc_Add = o.Plain(p.Description);
            o.Ref(p.Publish_Topic);
            p.Input_Template_Add = o.Plain(p.Input_Template);
            p.Output_Template_Add = o.Plain(p.Output_Template);
        }
    } else {
        m.Publish_Data_Add = 0;
        m.Publish_Topic_Count = 0;
    }

    if (o.at > MQTT_Struct_Max)
        throw EImageBuildError("The device image cannot be built.\nThe MQTT configuration (broker settings, "
                               "certificates, topics and templates) needs " +
                               std::to_string(o.at) + " bytes; the device holds at most " +
                               std::to_string(MQTT_Struct_Max) + " bytes.");
    return o.Here();
}

uint32_t Pack_CString(const std::string& text, uint32_t position, std::vector<uint8_t>& buffer, uint32_t limit)
{
    if (text.empty()) return position;
    TBankWriter w(buffer, position, limit);
    w.Bytes(text.data(), text.size());
    w.U8(0);
    return w.Position();
}

uint32_t Pack_MQTTString(const TMQTTString& s, uint32_t base, uint32_t position, std::vector<uint8_t>& buffer,
                         uint32_t limit)
{
    TBankWriter w(buffer, position, limit);
    const uint32_t a = s.Address == 0 ? 0 : base + s.Address;
    w.U32(a);
    w.U32(static_cast<uint32_t>(s.Len));
    w.U32(a);
    return w.Position();
}

uint32_t Pack_MQTT_Struct(const TMQTT& m, uint32_t base, uint32_t position, std::vector<uint8_t>& buffer,
                          uint32_t limit)
{
    const TMQTTPacket_ConnectData& c = m.Connect_Data;
    uint32_t pos = position;
    // Scalar runs go through a writer that is re-seated after each string
    // reference.
    auto at = [&](auto&& fill) {
        TBankWriter w(buffer, pos, limit);
        fill(w);
        pos = w.Position();
    };
    auto ref = [&](const TMQTTString& s) { pos = Pack_MQTTString(s, base, pos, buffer, limit); };

    at([&](TBankWriter& w) {
        w.U32(m.Mode);
        w.U32(m.Time_Poll);
        w.U32(base + m.Server_Address_Add);
        w.U16(m.Server_Port);
        w.Bytes(c.Struct_ID, 4);
        w.U32(static_cast<uint32_t>(c.Struct_Version));
        w.U8(c.MQTTVersion);
    });
    ref(c.ClientID);
    at([&](TBankWriter& w) {
        w.U16(c.KeepAliveInterval);
        w.U8(c.CleanSession);
        w.U8(c.WillFlag);
        w.Bytes(c.Will.Struct_ID, 4);
        w.U32(static_cast<uint32_t>(c.Will.Struct_Version));
    });
    ref(c.Will.TopicName);
    ref(c.Will.WillMessage);
    at([&](TBankWriter& w) {
        w.U8(c.Will.Retained);
        w.U8(c.Will.QoS);
    });
    ref(c.Username);
    ref(c.Password);
    at([&](TBankWriter& w) {
        w.U32(static_cast<uint32_t>(m.Topic_Filter_Count));
        w.U32(base + m.Topic_Filters_Add);
        w.U32(base + m.Topic_Filter_QoS_Add);
        w.U32(base + m.Subscribe_Data_Add);
        w.U32(static_cast<uint32_t>(m.Publish_Topic_Count));
        w.U32(base + m.Publish_Data_Add);
        w.U32(m.TLS_Flag);
        w.U32(m.TLS_Server_Authentication);
        w.U32(base + m.TLS_Server_Cert_Add);
        w.U32(m.TLS_Server_Cert_Len);
        w.U32(m.TLS_Client_Authentication);
        w.U32(base + m.TLS_Client_Cert_Add);
        w.U32(m.TLS_Client_Cert_Len);
        w.U32(base + m.TLS_Client_Key_Add);
        w.U32(m.TLS_Client_Key_Len);
        w.U32(m.TLS_Client_Key_Password);
        w.U32(base + m.TLS_Client_Key_Add_Pass);
        w.U32(base + m.NTP_Server_Address_Add);
        w.U32(m.NTP_Server_Poll);
        w.U8(m.onconnectFlag);
    });
    ref(m.onconnect.topicName);
    ref(m.onconnect.conn_message);
    at([&](TBankWriter& w) {
        w.U8(m.onconnect.reteined);
        w.U8(m.onconnect.qos);
    });
    ref(m.topic_answer_dali);
    at([&](TBankWriter& w) {
        w.U32(base + m.TLS_CA_Cert_Add);
        w.U32(m.TLS_CA_Cert_Len);
        w.U8(0);  // the shared empty text
    });

    auto text = [&](const std::string& t) { pos = Pack_CString(t, pos, buffer, limit); };
    text(m.Server_Address);
    text(c.ClientID.CString);
    text(c.Will.TopicName.CString);
    text(c.Will.WillMessage.CString);
    text(c.Username.CString);
    text(c.Password.CString);
    text(m.TLS_Server_Cert);
    text(m.TLS_Client_Cert);
    text(m.TLS_Client_Key);
    text(m.TLS_Client_Key_Pass);
    text(m.NTP_Server_Address);
    text(m.onconnect.topicName.CString);
    text(m.onconnect.conn_message.CString);
    text(m.topic_answer_dali.CString);
    text(m.TLS_CA_Cert);

    if (!m.Topic_Filters.empty()) {
        for (const TMQTTString& f : m.Topic_Filters) ref(f);
        for (const TMQTTString& f : m.Topic_Filters) text(f.CString);
        at([&](TBankWriter& w) {
            for (int32_t q : m.Topic_Filter_QoS) w.U32(static_cast<uint32_t>(q));
            for (const TMQTT_Subscribe_Data& s : m.Subscribe_Data) {
                w.U32(s.Position);
                w.U32(s.Length);
                w.U32(s.Type_SubData);
                w.U32(base + s.Input_Template_Add);
                w.U32(base + s.Output_Template_Add);
                w.U32(s.IP_Address);
                w.U16(s.Port);
                w.U8(s.Proto);
            }
        });
        for (const TMQTT_Subscribe_Data& s : m.Subscribe_Data) {
            text(s.Input_Template);
            text(s.Output_Template);
        }
    }

    if (!m.Publish_Data.empty()) {
        for (const TMQTT_Publish_Data& p : m.Publish_Data) {
            at([&](TBankWriter& w) { w.U32(base + p.Desc_Add); });
            ref(p.Publish_Topic);
            at([&](TBankWriter& w) {
                w.U8(p.Retained);
                w.U32(static_cast<uint32_t>(p.QoS));
                w.U32(base + p.Input_Template_Add);
                w.U32(base + p.Output_Template_Add);
                w.U32(p.Source_IP_Address);
                w.U32(p.Position);
                w.U16(p.Length);
                w.U16(p.Type_Data);
                w.U32(p.Timer);
                w.U32(p.Options);
            });
        }
        for (const TMQTT_Publish_Data& p : m.Publish_Data) {
            text(p.Description);
            text(p.Publish_Topic.CString);
            text(p.Input_Template);
            text(p.Output_Template);
        }
    }
    return pos;
}

} // namespace USaveBincc
