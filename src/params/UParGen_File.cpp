// The communication parameter file "ParGen.xml": one root element Par_Gen
// with 112 text elements in a fixed order, then the comment
// "SW_VERSION = 1.002". The window reads it at every showing and rewrites it
// whole on OK.
#include "params/UParGen.h"
#include "params/UParGen_Internal.h"

#include "core/UComon.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"

#include <string>

namespace {

// How a control's value is written and read back.
enum class TForm_ { Text, Flag, FlagInt, Index, ItemText };

struct TElement {
    const char* element;
    const char* control;
    TForm_ form;
    const char* def; // text, item text, or the index as a number; flags: unchecked
};

using F = TForm_;

// The elements in file order.
const TElement kElements[] = {
    {"Select_Device", "CB_Select_Device_Device", F::Index, "0"},
    {"Eth_Conn_Device_Name", "E_EthConn_Device_Name", F::Text, ""},
    {"Eth_Conn_DHCP_Cable", "CB_EthConn_En_DHCP_Cable", F::Flag, ""},
    {"Eth_Conn_DHCP_WiFi", "CB_EthConn_En_DHCP_WiFi", F::Flag, ""},
    {"Eth_Conn_Enable_DNS", "CB_EthConn_Enable_DNS", F::Flag, ""},
    {"Eth_Conn_Primary_DNS1", "E_EthConn_Pri_DNS_IP1", F::Text, "8"},
    {"Eth_Conn_Primary_DNS2", "E_EthConn_Pri_DNS_IP2", F::Text, "8"},
    {"Eth_Conn_Primary_DNS3", "E_EthConn_Pri_DNS_IP3", F::Text, "8"},
    {"Eth_Conn_Primary_DNS4", "E_EthConn_Pri_DNS_IP4", F::Text, "8"},
    {"Eth_Conn_Secondary_DNS1", "E_EthConn_Sec_DNS_IP1", F::Text, "8"},
    {"Eth_Conn_Secondary_DNS2", "E_EthConn_Sec_DNS_IP2", F::Text, "8"},
    {"Eth_Conn_Secondary_DNS3", "E_EthConn_Sec_DNS_IP3", F::Text, "8"},
    {"Eth_Conn_Secondary_DNS4", "E_EthConn_Sec_DNS_IP4", F::Text, "8"},
    {"MQTT_Server_URL", "E_MQTT_Server", F::Text, ""},
    {"MQTT_Server_Port", "E_MQTT_Server_Port", F::Text, "1883"},
    {"MQTT_Client_ID", "E_MQTT_Client_ID", F::Text, ""},
    {"MQTT_Keep_Alive", "E_MQTT_Keep_Alive", F::Text, ""},
    {"MQTT_Clean_Session", "CB_MQTT_Clean_Session", F::Flag, ""},
    {"MQTT_WillFlag", "CB_MQTT_WillFlag", F::Flag, ""},
    {"MQTT_Will_Topic_Name", "E_MQTT_Will_TopicName", F::Text, ""},
    {"MQTT_Will_Message", "E_MQTT_Will_Message", F::Text, ""},
    {"MQTT_Will_Retained", "CB_MQTT_Will_Retained", F::Flag, ""},
    {"MQTT_Will_QoS", "CB_MQTT_Will_QoS", F::Index, "0"},
    {"MQTT_PublishTopicConnection", "CB_MQTT_PublishTopicConnection", F::Flag, ""},
    {"MQTT_Connection_Topic_Name", "E_MQTT_Connection_TopicName", F::Text, ""},
    {"MQTT_Connection_Message", "E_MQTT_Connection_Message", F::Text, ""},
    {"MQTT_Connection_Retained", "CB_MQTT_Connection_Retained", F::Flag, ""},
    {"MQTT_Username", "E_MQTT_Username", F::Text, ""},
    {"MQTT_Password", "E_MQTT_Password", F::Text, ""},
    {"MQTT_ASync_Send_Time", "E_MQTT_ASync_Send_Time", F::Text, ""},
    {"MQTT_Topic_DALI_Answer", "E_MQTT_TopicDALIAns", F::Text, ""},
    {"MQTT_Enable_Reprogram", "CB_MQTT_Enable_ReProgram", F::Flag, ""},
    {"MQTT_Reprogram_Topic", "E_MQTT_Reprogram_Topic", F::Text, ""},
    {"MQTT_Reprogram_Value", "E_MQTT_Reproram_Value", F::Text, ""},
    {"Ethernet_IP1", "E_Ethernet_IP1", F::Text, "192"},
    {"Ethernet_IP2", "E_Ethernet_IP2", F::Text, "168"},
    {"Ethernet_IP3", "E_Ethernet_IP3", F::Text, "0"},
    {"Ethernet_IP4", "E_Ethernet_IP4", F::Text, "10"},
    {"Ethernet_SM1", "E_Ethernet_SM1", F::Text, "255"},
    {"Ethernet_SM2", "E_Ethernet_SM2", F::Text, "255"},
    {"Ethernet_SM3", "E_Ethernet_SM3", F::Text, "255"},
    {"Ethernet_SM4", "E_Ethernet_SM4", F::Text, "0"},
    {"Ethernet_GAT1", "E_Ethernet_GAT1", F::Text, "192"},
    {"Ethernet_GAT2", "E_Ethernet_GAT2", F::Text, "168"},
    {"Ethernet_GAT3", "E_Ethernet_GAT3", F::Text, "0"},
    {"Ethernet_GAT4", "E_Ethernet_GAT4", F::Text, "1"},
    {"Ethernet_EN_GAT", "CB_Ethernet_En_GAT", F::Flag, ""},
    {"WiFi_Type", "CB_WiFi2_Type", F::Index, "0"},
    {"WiFi_IP1", "E_WiFi2_IP1_IP1", F::Text, "192"},
    {"WiFi_IP2", "E_WiFi2_IP1_IP2", F::Text, "168"},
    {"WiFi_IP3", "E_WiFi2_IP1_IP3", F::Text, "0"},
    {"WiFi_IP4", "E_WiFi2_IP1_IP4", F::Text, "100"},
    {"WiFi_SM1", "E_WiFi2_IP1_SM1", F::Text, "255"},
    {"WiFi_SM2", "E_WiFi2_IP1_SM2", F::Text, "255"},
    {"WiFi_SM3", "E_WiFi2_IP1_SM3", F::Text, "255"},
    {"WiFi_SM4", "E_WiFi2_IP1_SM4", F::Text, "0"},
    {"WiFi_EN_Gateway", "CB_WiFi2_IP1_En_GAT", F::FlagInt, ""},
    {"WiFi_GAT1", "E_WiFi2_IP1_GAT1", F::Text, "192"},
    {"WiFi_GAT2", "E_WiFi2_IP1_GAT2", F::Text, "168"},
    {"WiFi_GAT3", "E_WiFi2_IP1_GAT3", F::Text, "0"},
    {"WiFi_GAT4", "E_WiFi2_IP1_GAT4", F::Text, "1"},
    {"WiFi_IP2_IP1", "E_WiFi2_IP2_IP1", F::Text, "192"},
    {"WiFi_IP2_IP2", "E_WiFi2_IP2_IP2", F::Text, "168"},
    {"WiFi_IP2_IP3", "E_WiFi2_IP2_IP3", F::Text, "0"},
    {"WiFi_IP2_IP4", "E_WiFi2_IP2_IP4", F::Text, "110"},
    {"WiFi_IP2_SM1", "E_WiFi2_IP2_SM1", F::Text, "255"},
    {"WiFi_IP2_SM2", "E_WiFi2_IP2_SM2", F::Text, "255"},
    {"WiFi_IP2_SM3", "E_WiFi2_IP2_SM3", F::Text, "255"},
    {"WiFi_IP2_SM4", "E_WiFi2_IP2_SM4", F::Text, "0"},
    {"WiFi_IP2_EN_Gateway", "CB_WiFi2_IP2_En_GAT", F::FlagInt, ""},
    {"WiFi_IP2_GAT1", "E_WiFi2_IP2_GAT1", F::Text, "192"},
    {"WiFi_IP2_GAT2", "E_WiFi2_IP2_GAT2", F::Text, "168"},
    {"WiFi_IP2_GAT3", "E_WiFi2_IP2_GAT3", F::Text, "0"},
    {"WiFi_IP2_GAT4", "E_WiFi2_IP2_GAT4", F::Text, "1"},
    {"WiFi_SSID", "E_WiFi2_SSID", F::Text, ""},
    {"WiFi_PWD", "E_WiFi2_Password", F::Text, ""},
    {"WiFi_Secure_Type", "CB_WiFi2_Secure_Type", F::Index, "0"},
    {"WiFi_EN_DHCP", "CB_WiFi2_En_DHCP", F::FlagInt, ""},
    {"WiFi_DHCP_First_IP1", "E_WiFi2_DHCP_First_IP1", F::Text, "192"},
    {"WiFi_DHCP_First_IP2", "E_WiFi2_DHCP_First_IP2", F::Text, "168"},
    {"WiFi_DHCP_First_IP3", "E_WiFi2_DHCP_First_IP3", F::Text, "0"},
    {"WiFi_DHCP_First_IP4", "E_WiFi2_DHCP_First_IP4", F::Text, "200"},
    {"WiFi_DHCP_SM1", "E_WiFi2_DHCP_SM1", F::Text, "255"},
    {"WiFi_DHCP_SM2", "E_WiFi2_DHCP_SM2", F::Text, "255"},
    {"WiFi_DHCP_SM3", "E_WiFi2_DHCP_SM3", F::Text, "255"},
    {"WiFi_DHCP_SM4", "E_WiFi2_DHCP_SM4", F::Text, "0"},
    {"WiFi_Lease_Time", "E_WiFi2_Lease_Time", F::Text, "86400"},
    {"WiFi_Max_Client", "CB_WiFi2_Max_Client", F::Index, "0"},
    {"WiFi_Channel", "CB_WiFi2_Channel", F::Index, "1"},
    {"TLS_Enable", "CB_TLS_Enable", F::FlagInt, ""},
    {"TLS_En_Server_Auth", "CB_TLS_En_Server_Auth", F::FlagInt, ""},
    {"TLS_Server_Auth_Certificate", "E_TLS_Server_Cert", F::Text, ""},
    {"TLS_En_Client_Auth", "CB_TLS_En_Client_Auth", F::FlagInt, ""},
    {"TLS_Client_CA_Certificate", "E_TLS_CA_Cert", F::Text, ""},
    {"TLS_Client_Auth_Certificate", "E_TLS_Client_Cert", F::Text, ""},
    {"TLS_Client_Auth_Key", "E_TLS_Client_Cert_Key", F::Text, ""},
    {"TLS_Client_Auth_Key_Password", "E_TLS_Client_Cert_Key_Pass", F::Text, ""},
    {"NTP_Server_URL", "E_NTP_Server_URL", F::Text, ""},
    {"NTP_Poll_Time", "E_NTP_Poll_Time", F::Text, ""},
    {"CAN_BAUDRATE", "CB_CAN_Baudrate", F::Index, "9"},
    {"GSM_GPRS_PIN", "E_GSM_GPRS_PIN", F::Text, ""},
    {"GSM_GPRS_APN", "E_GSM_GPRS_APN", F::Text, ""},
    {"GSM_GPRS_AUTHTYPE", "CB_GSM_GPRS_AuthType", F::ItemText, "None"},
    {"GSM_GPRS_USERNAME", "E_GSM_GPRS_UserName", F::Text, ""},
    {"GSM_GPRS_PASSWORD", "E_GSM_GPRS_Password", F::Text, ""},
    {"GSM_GPRS_ENABLE_SECOND_SIM", "CB_GSM_GPRS_En_Second_SIM", F::Flag, ""},
    {"GSM_GPRS_PIN_2", "E_GSM_GPRS_PIN2", F::Text, ""},
    {"GSM_GPRS_APN_2", "E_GSM_GPRS_APN2", F::Text, ""},
    {"GSM_GPRS_AUTHTYPE_2", "CB_GSM_GPRS_AuthType2", F::ItemText, "None"},
    {"GSM_GPRS_USERNAME_2", "E_GSM_GPRS_UserName2", F::Text, ""},
    {"GSM_GPRS_PASSWORD_2", "E_GSM_GPRS_Password2", F::Text, ""},
    {"GSM_GPRS_MAIN_SIM", "CB_GSM_GPRS_Main_SIM", F::ItemText, "SIM 1"},
};
static_assert(sizeof(kElements) / sizeof(kElements[0]) == 112);

constexpr const char* kRoot = "Par_Gen";
constexpr const char* kVersionComment = "SW_VERSION = 1.002";

// Selects item i of a list, or nothing when i is no item of it.
void Select(TComboBox* list, int i)
{
    list->SetItemIndex(i >= 0 && i < list->Items().Count() ? i : -1);
}

// Selects the item whose text matches without regard to case, else item 0.
void Select_Text(TComboBox* list, const std::string& text)
{
    const int i = list->Items().IndexOf(text);
    Select(list, i >= 0 ? i : 0);
}

} // namespace

bool TFParGen::Save_ParGen()
{
    XML1.Clear();
    pugi::xml_node root = XML1.NewDocument(kRoot);
    XML1.AddDocumentComment(kVersionComment);
    for (const TElement& e : kElements) {
        TControl* c = FindControl(e.control);
        std::string text;
        switch (e.form) {
        case F::Text: text = static_cast<TEdit*>(c)->Text(); break;
        case F::Flag:
        case F::FlagInt: text = static_cast<TCheckBox*>(c)->Checked() ? "1" : "0"; break;
        case F::Index: text = IntToStr(static_cast<TComboBox*>(c)->ItemIndex()); break;
        case F::ItemText: text = static_cast<TComboBox*>(c)->Text(); break;
        }
        AddTextElement(root, e.element, text);
    }
    // The file holds the MQTT, Wi-Fi and key passwords: a new one is for
    // its owner only, a replaced one keeps the mode it had.
    return XML1.SaveToFile(UComon::File_ParGen, TFileAccess::Private);
}

namespace {

// Puts the element's default into its control.
void Put_Default(TControl* c, const TElement& e)
{
    switch (e.form) {
    case F::Text: static_cast<TEdit*>(c)->SetText(e.def); break;
    case F::Flag:
    case F::FlagInt: static_cast<TCheckBox*>(c)->SetChecked(false); break;
    case F::Index: Select(static_cast<TComboBox*>(c), StrToInt(e.def)); break;
    case F::ItemText: Select_Text(static_cast<TComboBox*>(c), e.def); break;
    }
}

// Applies the element's text to its control; false when the text cannot
// be read in the element's form.
bool Put_Value(TControl* c, const TElement& e, const std::string& text)
{
    int n = 0;
    switch (e.form) {
    case F::Text: static_cast<TEdit*>(c)->SetText(text); return true;
    case F::Flag: static_cast<TCheckBox*>(c)->SetChecked(text == "1"); return true;
    case F::FlagInt:
        if (!TryStrToInt(text, n)) return false;
        static_cast<TCheckBox*>(c)->SetChecked(n == 1);
        return true;
    case F::Index:
        if (!TryStrToInt(text, n)) return false;
        Select(static_cast<TComboBox*>(c), n);
        return true;
    case F::ItemText: Select_Text(static_cast<TComboBox*>(c), text); return true;
    }
    return false;
}

} // namespace

void TFParGen::Load_ParGen()
{
    const std::string& path = UComon::File_ParGen;
    const TXmlLoad loaded = XML1.LoadFromFile(path);
    ParGen_Not_A_File = loaded == TXmlLoad::Unreadable ? NonFileKind(path) : std::string();
    if (loaded == TXmlLoad::Unreadable)
        ShowError("The communication parameter file \"" + path + "\" cannot be used: " + XML1.LoadError() +
                  ". The window shows the default values; the file is " +
                  (ParGen_Not_A_File.empty() ? "rewritten only when OK is pressed."
                                             : "replaced only when OK is pressed and you agree."));
    if (loaded != TXmlLoad::Read) {
        // A new configuration opens with the missing-file values.
        XML1.Clear();
        for (const TElement& e : kElements) Put_Default(FindControl(e.control), e);
        E_MQTT_ASync_Send_Time->SetText("10");
        return;
    }
    const pugi::xml_node root = XML1.Root();
    for (const TElement& e : kElements) {
        TControl* c = FindControl(e.control);
        const pugi::xml_node node = ChildElement(root, e.element);
        if (!node || !Put_Value(c, e, ElementText(node))) Put_Default(c, e);
    }
}
