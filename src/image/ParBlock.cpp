#include "image/ParBlock.h"

#include "core/UComon.h"
#include "image/ImageCommon.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/XmlDoc.h"

#include <climits>

namespace USaveBincc {

namespace {

// Number of protocols of this build that use the Wi-Fi device address
// (MQTT only); a second Wi-Fi address is used from two on.
constexpr int WiFi_IP_Users = 1;

class TParGenReader {
public:
    TParGenReader(pugi::xml_node root, const std::string& file) : root_(root), file_(file) {}

    int32_t Int(const char* key, int32_t def) const
    {
        std::string t;
        if (!Element_Text(root_, key, t)) return def;
        return Image_StrToIntDef(t, def);
    }
    // A whole number that must lie in lo..hi: the range of its field, or
    // the narrower one the communication window gives it. A value outside
    // stops the build; a missing element or a text that is no number gives
    // the default.
    int32_t Int(const char* key, int32_t def, int32_t lo, int32_t hi) const
    {
        std::string t;
        if (!Element_Text(root_, key, t)) return def;
        int32_t v;
        if (!Image_TryStrToInt(t, v)) return def;
        Check_Range(file_, std::string("the element \"") + key + "\"", t, v, lo, hi);
        return v;
    }
    bool Flag(const char* key) const
    {
        std::string t;
        return Element_Text(root_, key, t) && t == "1";
    }
    std::string Text(const char* key) const
    {
        std::string t;
        Element_Text(root_, key, t);
        return t;
    }
    bool Has(const char* key) const { return ChildElement(root_, key); }

    // Four octet keys prefix1..prefix4 (each 0 to 255) into four bytes of the block.
    void Octets(TPar_Block& b, uint32_t offset, const std::string& prefix, const int32_t (&def)[4]) const
    {
        for (uint32_t i = 0; i < 4; ++i) {
            const std::string key = prefix + std::to_string(i + 1);
            b.Put8(offset + i, static_cast<uint32_t>(Int(key.c_str(), def[i], 0, 255)));
        }
    }
    // Four octet keys (each 0 to 255) packed as a + b*256 + c*65536 + d*16777216.
    uint32_t Packed(const std::string& prefix, const int32_t (&def)[4]) const
    {
        uint32_t v = 0;
        uint32_t f = 1;
        for (int i = 0; i < 4; ++i) {
            const std::string key = prefix + std::to_string(i + 1);
            v += static_cast<uint32_t>(Int(key.c_str(), def[i], 0, 255)) * f;
            f <<= 8;
        }
        return v;
    }

private:
    pugi::xml_node root_;
    const std::string& file_;
};

constexpr int32_t Max_Int = INT32_MAX;

// One byte per character: the low 8 bits of each UTF-16 code unit.
void Put_Chars(TPar_Block& b, uint32_t offset, const std::u16string& text, size_t count)
{
    for (size_t i = 0; i < count && i < text.size(); ++i) b.Put8(offset + static_cast<uint32_t>(i), text[i] & 0xFF);
}

void Put_Limited(TPar_Block& b, uint32_t offset, uint32_t size, const std::string& text, const char* what)
{
    const std::u16string u = Utf8ToWide(text);
    if (u.size() > size)
        Raise_Build_Error(UComon::File_ParGen, std::string("the Wi-Fi ") + what + " is longer than " +
                                                   std::to_string(size) + " characters (" +
                                                   std::to_string(u.size()) + ").");
    Put_Chars(b, offset, u, size);
}

bool Is_Bare_Name(const std::string& name)
{
    // "ca..pem" is a file name like any other; "." and ".." are folders.
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

// Certificate or key text; with TLS on, a named file that is missing stops
// the build.
std::string Certificate(const TParGenReader& r, const char* key, bool tls)
{
    if (!r.Has(key)) return std::string();
    const std::string name = r.Text(key);
    if (tls && !name.empty() && !FileExists(Certificate_Path(name)))
        Raise_Build_Error(UComon::File_ParGen,
                          "TLS is enabled but the file \"" + name + "\" (" + key +
                              ") is missing from the \"Certificates\" folder of the configuration.");
    return Read_Certificate_Text(name);
}

} // namespace

uint32_t CAN_Baud_Rate(int32_t index)
{
    static constexpr uint32_t rates[10] = {10000, 20000, 50000, 62500, 100000, 125000, 250000, 500000, 800000, 1000000};
    return index >= 0 && index <= 9 ? rates[index] : 1000000;
}

void Init_Par_Block(TPar_Block& b)
{
    b.Bytes.fill(0);
    b.Put32(ParOfs::CAN_Baud, 250000);
    b.Put32(ParOfs::CAN_Baud2, 250000);
    b.Put32(ParOfs::Const_9600, 9600);
    const uint8_t ip[4] = {192, 168, 2, 205};
    for (uint32_t i = 0; i < 4; ++i) {
        b.Put8(ParOfs::Eth_IP + i, ip[i]);
        b.Put8(ParOfs::Eth_SM + i, i < 3 ? 255 : 0);
        b.Put8(ParOfs::Eth_GAT + i, 255);
    }
    b.Put16(ParOfs::Const_10000, 10000);
    b.Put16(ParOfs::Const_10001a, 10001);
    b.Put16(ParOfs::Const_10001b, 10001);
    for (uint32_t i = 0; i < 8; ++i) b.Put8(ParOfs::Const_8s + i, 8);
}

std::string Certificate_Path(const std::string& name)
{
    if (!Is_Bare_Name(name)) return std::string();
    return PathJoin(PathJoin(UComon::Project_Folder, "Certificates"), name);
}

std::string Read_Certificate_Text(const std::string& name)
{
    const std::string path = Certificate_Path(name);
    if (path.empty() || !FileExists(path)) return ExtractFileName(name);
    // Only a file that really lies in the configuration's own folder goes
    // into the image, never what a link there points at.
    const std::string folder = PathJoin(RealPath(UComon::Project_Folder), "Certificates");
    if (!PathWithin(RealPath(path), folder))
        Raise_Build_Error(path, "the certificate file is a link to \"" + RealPath(path) +
                                    "\", outside the \"Certificates\" folder of the configuration; it is not read.");
    std::string bytes, why;
    if (!ReadFileBytes(path, bytes, &why)) Raise_Build_Error(path, "the certificate file cannot be read: " + why + ".");
    std::string text;
    for (const std::string& line : SplitLines(DecodeText(bytes))) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void Load_ParGen_Image(TPar_Block& b, TMQTT& m)
{
    const std::string& file = UComon::File_ParGen;
    TXmlDocument xml;
    const TXmlLoad loaded = xml.LoadFromFile(file);
    if (loaded == TXmlLoad::Missing) return;
    if (loaded != TXmlLoad::Read) Raise_Build_Error(file, xml.LoadError() + ".");
    const TParGenReader r(xml.Root(), file);

    // 1. Working mode: the gateway runs the full mode whenever the file exists.
    m.Mode = static_cast<uint32_t>(r.Int("Working_Mode", 0));
    m.Mode = 2;

    // 2. Host name, at most 31 characters and a zero.
    Put_Chars(b, ParOfs::Host_Name, Utf8ToWide(r.Text("Eth_Conn_Device_Name")), ParOfs::Host_Name_Chars);

    // 3. DHCP client flags.
    uint32_t dhcp = 0;
    if (r.Flag("Eth_Conn_DHCP_Cable")) dhcp |= 1;
    if (r.Flag("Eth_Conn_DHCP_WiFi")) dhcp |= 2;
    b.Put16(ParOfs::DHCP_Flags, dhcp);

    // 4. DNS servers.
    if (r.Flag("Eth_Conn_Enable_DNS")) {
        r.Octets(b, ParOfs::DNS_Primary, "Eth_Conn_Primary_DNS", {8, 8, 8, 8});
        r.Octets(b, ParOfs::DNS_Secondary, "Eth_Conn_Secondary_DNS", {8, 8, 4, 4});
    }

    // 5. CAN bit rate.
    const uint32_t baud = CAN_Baud_Rate(r.Int("CAN_BAUDRATE", 9));
    b.Put32(ParOfs::CAN_Baud, baud);
    b.Put32(ParOfs::CAN_Baud2, baud);

    // 6. MQTT connection.
    m.Server_Address = r.Text("MQTT_Server_URL");
    m.Server_Port = static_cast<uint16_t>(r.Int("MQTT_Server_Port", 1883, 0, 65535));
    m.Connect_Data.ClientID.CString = r.Text("MQTT_Client_ID");
    m.Connect_Data.KeepAliveInterval = static_cast<uint16_t>(r.Int("MQTT_Keep_Alive", 0, 0, 65535));
    m.Connect_Data.CleanSession = static_cast<uint8_t>(r.Int("MQTT_Clean_Session", 0, 0, 1));
    m.Connect_Data.WillFlag = static_cast<uint8_t>(r.Int("MQTT_WillFlag", 0, 0, 1));
    m.Connect_Data.Will.TopicName.CString = r.Text("MQTT_Will_Topic_Name");
    m.Connect_Data.Will.WillMessage.CString = r.Text("MQTT_Will_Message");
    m.Connect_Data.Will.Retained = static_cast<uint8_t>(r.Int("MQTT_Will_Retained", 0, 0, 1));
    m.Connect_Data.Will.QoS = static_cast<uint8_t>(r.Int("MQTT_Will_QoS", 0, 0, 2));
    m.onconnectFlag = static_cast<uint8_t>(r.Int("MQTT_PublishTopicConnection", 0, 0, 1));
    m.onconnect.topicName.CString = r.Text("MQTT_Connection_Topic_Name");
    m.onconnect.conn_message.CString = r.Text("MQTT_Connection_Message");
    m.onconnect.reteined = static_cast<uint8_t>(r.Int("MQTT_Connection_Retained", 0, 0, 1));
    m.onconnect.qos = 0;
    m.Connect_Data.Username.CString = r.Text("MQTT_Username");
    m.Connect_Data.Password.CString = r.Text("MQTT_Password");
    m.Time_Poll = static_cast<uint32_t>(r.Int("MQTT_ASync_Send_Time", 10, 0, Max_Int));
    m.topic_answer_dali.CString.clear();

    // 7. Ethernet.
    r.Octets(b, ParOfs::Eth_IP, "Ethernet_IP", {192, 168, 0, 10});
    r.Octets(b, ParOfs::Eth_SM, "Ethernet_SM", {255, 255, 255, 0});
    if (r.Flag("Ethernet_EN_GAT"))
        r.Octets(b, ParOfs::Eth_GAT, "Ethernet_GAT", {192, 168, 0, 1});
    else
        b.Put32(ParOfs::Eth_GAT, 0xFFFFFFFF);

    // 8. Wi-Fi mode.
    b.Put8(ParOfs::WiFi_Mode, static_cast<uint32_t>(r.Int("WiFi_Type", 0, 0, 1)));
    const bool access_point = b.Bytes[ParOfs::WiFi_Mode] == 0;
    const bool station = b.Bytes[ParOfs::WiFi_Mode] == 1;

    // 9. First Wi-Fi address.
    r.Octets(b, ParOfs::WiFi_IP, "WiFi_IP", {192, 168, 0, 100});
    r.Octets(b, ParOfs::WiFi_SM, "WiFi_SM", {255, 255, 255, 0});
    if (r.Flag("WiFi_EN_Gateway"))
        r.Octets(b, ParOfs::WiFi_GAT, "WiFi_GAT", {192, 168, 0, 1});
    else
        b.Put32(ParOfs::WiFi_GAT, 0xFFFFFFFF);

    // 10. Second Wi-Fi address, only for a station shared by two protocols.
    if (station && WiFi_IP_Users == 2) {
        r.Octets(b, ParOfs::WiFi2_IP, "WiFi_IP2_IP", {192, 168, 0, 110});
        r.Octets(b, ParOfs::WiFi2_SM, "WiFi_IP2_SM", {255, 255, 255, 0});
        if (r.Flag("WiFi_IP2_EN_Gateway"))
            r.Octets(b, ParOfs::WiFi2_GAT, "WiFi_IP2_GAT", {192, 168, 0, 1});
        else
            b.Put32(ParOfs::WiFi2_GAT, 0xFFFFFFFF);
    }

    // 11. SSID and password; the fields are never overrun.
    if (r.Has("WiFi_SSID")) Put_Limited(b, ParOfs::WiFi_SSID, ParOfs::SSID_Size, r.Text("WiFi_SSID"), "SSID");
    if (r.Has("WiFi_PWD")) Put_Limited(b, ParOfs::WiFi_PWD, ParOfs::PWD_Size, r.Text("WiFi_PWD"), "password");

    // 12. Access point settings.
    if (access_point) {
        b.Put8(ParOfs::AP_Security, static_cast<uint32_t>(r.Int("WiFi_Secure_Type", 0, 0, 3)));
        const int32_t dhcp_server = r.Int("WiFi_EN_DHCP", 0, 0, 1);
        b.Put8(ParOfs::AP_DHCP_On, static_cast<uint32_t>(dhcp_server));
        b.Put32(ParOfs::AP_DHCP_First, r.Packed("WiFi_DHCP_First_IP", {192, 168, 0, 200}));
        b.Put32(ParOfs::AP_DHCP_SM, r.Packed("WiFi_DHCP_SM", {255, 255, 255, 0}));
        // The window checks the lease time only while the DHCP server is on.
        b.Put32(ParOfs::AP_Lease, static_cast<uint32_t>(dhcp_server == 1 ? r.Int("WiFi_Lease_Time", 86400, 1, 99999999)
                                                                          : r.Int("WiFi_Lease_Time", 86400, 0, Max_Int)));
        b.Put8(ParOfs::AP_Max_Client, static_cast<uint32_t>(r.Int("WiFi_Max_Client", 9, 0, 9)) + 1);
        b.Put8(ParOfs::AP_Channel, static_cast<uint32_t>(r.Int("WiFi_Channel", 1, 0, 11)));
        b.Put8(ParOfs::AP_Auto_Channel, b.Bytes[ParOfs::AP_Channel] == 0 ? 1 : 0);
    }

    // 13. TLS and NTP.
    m.TLS_Flag = static_cast<uint32_t>(r.Int("TLS_Enable", 0, 0, 1));
    const bool tls = m.TLS_Flag != 0;
    m.TLS_Server_Authentication = static_cast<uint32_t>(r.Int("TLS_En_Server_Auth", 0, 0, 1));
    m.TLS_Server_Cert = Certificate(r, "TLS_Server_Auth_Certificate", tls);
    m.TLS_Client_Authentication = static_cast<uint32_t>(r.Int("TLS_En_Client_Auth", 0, 0, 1));
    m.TLS_CA_Cert = Certificate(r, "TLS_Client_CA_Certificate", tls);
    m.TLS_Client_Cert = Certificate(r, "TLS_Client_Auth_Certificate", tls);
    m.TLS_Client_Key = Certificate(r, "TLS_Client_Auth_Key", tls);
    m.TLS_Client_Key_Pass = r.Text("TLS_Client_Auth_Key_Password");
    m.NTP_Server_Address = r.Text("NTP_Server_URL");
    m.NTP_Server_Poll = static_cast<uint32_t>(r.Int("NTP_Poll_Time", 1000, 0, 10000000));
}

uint32_t Pack_Bank1(TPar_Block& b, uint32_t position, std::vector<uint8_t>& buffer, uint32_t limit)
{
    uint32_t sum = 0;
    for (uint32_t i = 0; i < ParOfs::Sum; ++i) sum += b.Bytes[i];
    b.Put32(ParOfs::Sum, sum);
    TBankWriter w(buffer, position, limit);
    w.Bytes(b.Bytes.data(), b.Bytes.size());
    return w.Position();
}

} // namespace USaveBincc
