#pragma once
// In-memory form of the device image: the parameter block of bank 1, the
// CAN frame table and the MQTT record of bank 2.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace USaveBincc {

// Bank 1: 2048 bytes, little-endian, offsets are the device format.
struct TPar_Block {
    static constexpr uint32_t Size = 2048;
    std::array<uint8_t, Size> Bytes{};

    void Put8(uint32_t offset, uint32_t v) { Bytes.at(offset) = static_cast<uint8_t>(v); }
    void Put16(uint32_t offset, uint32_t v)
    {
        Put8(offset, v);
        Put8(offset + 1, v >> 8);
    }
    void Put32(uint32_t offset, uint32_t v)
    {
        for (uint32_t i = 0; i < 4; ++i) Put8(offset + i, v >> (8 * i));
    }
    uint32_t Get32(uint32_t offset) const
    {
        uint32_t v = 0;
        for (uint32_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Bytes.at(offset + i)) << (8 * i);
        return v;
    }
};

// Offsets of the parameter block fields the builder fills.
namespace ParOfs {
constexpr uint32_t CAN_Baud = 0x000;
constexpr uint32_t CAN_Baud2 = 0x004;
constexpr uint32_t Const_9600 = 0x00C;
constexpr uint32_t Eth_IP = 0x028;
constexpr uint32_t Eth_SM = 0x02C;
constexpr uint32_t Eth_GAT = 0x030;
constexpr uint32_t Const_10000 = 0x034;
constexpr uint32_t Const_10001a = 0x036;
constexpr uint32_t Const_10001b = 0x038;
constexpr uint32_t CAN_Count = 0x070;
constexpr uint32_t CAN_Table_Addr = 0x0C8;
constexpr uint32_t Const_8s = 0x1B4;  // 8 bytes
constexpr uint32_t WiFi_SSID = 0x47C;  // 32 bytes
constexpr uint32_t WiFi_PWD = 0x49C;   // 64 bytes
constexpr uint32_t DHCP_Flags = 0x4E8;
constexpr uint32_t AP_DHCP_On = 0x4EA;
constexpr uint32_t AP_Security = 0x4EB;
constexpr uint32_t AP_DHCP_First = 0x4EC;
constexpr uint32_t AP_DHCP_SM = 0x4F0;
constexpr uint32_t AP_Lease = 0x4F4;
constexpr uint32_t AP_Max_Client = 0x4F8;
constexpr uint32_t WiFi_Mode = 0x4F9;
constexpr uint32_t AP_Channel = 0x4FA;
constexpr uint32_t AP_Auto_Channel = 0x4FB;
constexpr uint32_t WiFi_IP = 0x4FC;
constexpr uint32_t WiFi_SM = 0x500;
constexpr uint32_t WiFi_GAT = 0x504;
constexpr uint32_t WiFi2_IP = 0x508;
constexpr uint32_t WiFi2_SM = 0x50C;
constexpr uint32_t WiFi2_GAT = 0x510;
constexpr uint32_t Host_Name = 0x514;  // 32 bytes
constexpr uint32_t DNS_Secondary = 0x53C;
constexpr uint32_t DNS_Primary = 0x58C;
constexpr uint32_t MQTT_Struct_Addr = 0x590;
constexpr uint32_t Sum = 0x7FC;
constexpr uint32_t SSID_Size = 32;
constexpr uint32_t PWD_Size = 64;
constexpr uint32_t Host_Name_Chars = 31;
} // namespace ParOfs

// One entry of the CAN frame table (32 bytes packed).
struct TCAN_Frame_Entry {
    uint32_t COBID = 0;      // bit 31: 29-bit identifier
    uint32_t Period = 0;     // send period, ms
    uint32_t TimeOut = 0;    // receive timeout, ms
    uint8_t Reserved1 = 0;
    uint8_t Flags = 0;       // bit 0 send, 1 on change, 2 on timer, 3 on command
    uint8_t Dim = 0;
    uint8_t Reserved2 = 0;
    std::array<uint16_t, 8> Byte_Pos{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
};

// A text with its place in the MQTT structure.
struct TMQTTString {
    std::string CString;
    uint32_t Address = 0;  // offset in the structure, 0 when empty
    int32_t Len = 0;       // UTF-8 bytes without the terminating zero
};

struct TMQTTPacket_WillOption {
    char Struct_ID[4] = {'M', 'Q', 'T', 'W'};
    int32_t Struct_Version = 0;
    TMQTTString TopicName;
    TMQTTString WillMessage;
    uint8_t Retained = 0;
    uint8_t QoS = 0;
};

struct TMQTTPacket_ConnectData {
    char Struct_ID[4] = {'M', 'Q', 'T', 'C'};
    int32_t Struct_Version = 0;
    uint8_t MQTTVersion = 4;
    TMQTTString ClientID;
    uint16_t KeepAliveInterval = 0;
    uint8_t CleanSession = 0;
    uint8_t WillFlag = 0;
    TMQTTPacket_WillOption Will;
    TMQTTString Username;
    TMQTTString Password;
};

struct TMQTTPacket_OnConnectOptions {
    TMQTTString topicName;
    TMQTTString conn_message;
    uint8_t reteined = 0;
    uint8_t qos = 0;
};

struct TMQTT_Subscribe_Data {
    uint32_t Position = 0;
    uint32_t Length = 0;
    uint32_t Type_SubData = 0;
    std::string Input_Template;
    uint32_t Input_Template_Add = 0;
    std::string Output_Template;
    uint32_t Output_Template_Add = 0;
    uint32_t IP_Address = 0;
    uint16_t Port = 0;
    uint8_t Proto = 0;
};

struct TMQTT_Publish_Data {
    std::string Description;
    uint32_t Desc_Add = 0;
    TMQTTString Publish_Topic;
    uint8_t Retained = 0;
    int32_t QoS = 0;
    std::string Input_Template;
    uint32_t Input_Template_Add = 0;
    std::string Output_Template;
    uint32_t Output_Template_Add = 0;
    uint32_t Source_IP_Address = 0;
    uint32_t Position = 0;
    uint16_t Length = 0;
    uint16_t Type_Data = 0;
    uint32_t Timer = 0;
    uint32_t Options = 0;  // bit 0 on change, 1 on command, 2 on timer
};

struct TMQTT {
    uint32_t Mode = 0;
    uint32_t Time_Poll = 0;
    std::string Server_Address;
    uint32_t Server_Address_Add = 0;
    uint16_t Server_Port = 0;
    TMQTTPacket_ConnectData Connect_Data;
    int32_t Topic_Filter_Count = 0;
    std::vector<TMQTTString> Topic_Filters;
    uint32_t Topic_Filters_Add = 0;
    std::vector<int32_t> Topic_Filter_QoS;
    uint32_t Topic_Filter_QoS_Add = 0;
    std::vector<TMQTT_Subscribe_Data> Subscribe_Data;
    uint32_t Subscribe_Data_Add = 0;
    int32_t Publish_Topic_Count = 0;
    std::vector<TMQTT_Publish_Data> Publish_Data;
    uint32_t Publish_Data_Add = 0;
    uint32_t TLS_Flag = 0;
    uint32_t TLS_Server_Authentication = 0;
    std::string TLS_Server_Cert;
    uint32_t TLS_Server_Cert_Len = 0;
    uint32_t TLS_Server_Cert_Add = 0;
    uint32_t TLS_Client_Authentication = 0;
    std::string TLS_Client_Cert;
    uint32_t TLS_Client_Cert_Len = 0;
    uint32_t TLS_Client_Cert_Add = 0;
    std::string TLS_Client_Key;
    uint32_t TLS_Client_Key_Len = 0;
    uint32_t TLS_Client_Key_Add = 0;
    uint32_t TLS_Client_Key_Password = 0;
    std::string TLS_Client_Key_Pass;
    uint32_t TLS_Client_Key_Add_Pass = 0;
    std::string NTP_Server_Address;
    uint32_t NTP_Server_Address_Add = 0;
    uint32_t NTP_Server_Poll = 0;
    uint8_t onconnectFlag = 0;
    TMQTTPacket_OnConnectOptions onconnect;
    TMQTTString topic_answer_dali;
    std::string TLS_CA_Cert;
    uint32_t TLS_CA_Cert_Len = 0;
    uint32_t TLS_CA_Cert_Add = 0;
};

} // namespace USaveBincc
