#pragma once
// Communication window: the gateway's communication parameters on the
// category panels of the build's model variant (V10: Select Device,
// Ethernet Connection, CAN, MQTT, Ethernet, TLS, NTP, Wi-Fi, GSM / GPRS /
// LTE). The window holds all 33 panels of the model family; the others stay
// hidden in this build.
//
// Files of the module: UParGen.cpp (frame, life cycle, texts, events),
// UParGen_Controls.cpp (the panels' controls), UParGen_Layout.cpp (panel
// order and relayout of the V10 panels), UParGen_Layout_Other.cpp (relayout
// of the other variants' panels), UParGen_File.cpp (the parameter file
// "ParGen.xml"), UParGen_Check.cpp (validation), UParGen_TLS.cpp (TLS file
// import).

#include "platform/CategoryPanels.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Shell.h"
#include "platform/XmlDoc.h"
#include "widgets/LbButton.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The model variants of the gateway family; the build's one is V10.
enum class TModelVariant {
    V01, V02, V03, V04, V05, V06, V07, V08, V09, V10, V11, V12, V13,
    V14, V15, V16, V17, V18, V19, V20, V21, V22, V23, W01, W02, W03
};

class TFParGen : public TForm {
public:
    TFParGen();
    ~TFParGen() override;

    // --- frame ---------------------------------------------------------------
    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    std::unique_ptr<TCategoryPanelGroup> CPG;
    TPanel* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

    // --- the 33 category panels, in declaration order ---------------------------
    TCategoryPanel* CP_Working_Mode = nullptr;
    TCategoryPanel* CP_MBus = nullptr;
    TCategoryPanel* CP_wMBus = nullptr;
    TCategoryPanel* CP_MQTT = nullptr;
    TCategoryPanel* CP_Ethernet = nullptr;
    TCategoryPanel* CP_WiFi = nullptr;
    TCategoryPanel* CP_TLS = nullptr;
    TCategoryPanel* CP_NTP = nullptr;
    TCategoryPanel* CP_Modbus_Master = nullptr;
    TCategoryPanel* CP_Modbus_TCP_Master = nullptr;
    TCategoryPanel* CP_Modbus_Slave = nullptr;
    TCategoryPanel* CP_Modbus_TCP_Slave = nullptr;
    TCategoryPanel* CP_CAN = nullptr;
    TCategoryPanel* CP_CANopen = nullptr;
    TCategoryPanel* CP_J1939 = nullptr;
    TCategoryPanel* CP_DeviceNet_Master = nullptr;
    TCategoryPanel* CP_DeviceNet_Slave = nullptr;
    TCategoryPanel* CP_EtherNetIP = nullptr;
    TCategoryPanel* CP_PROFINET = nullptr;
    TCategoryPanel* CP_PROFIBUS = nullptr;
    TCategoryPanel* CP_NMEA2000 = nullptr;
    TCategoryPanel* CP_DMX = nullptr;
    TCategoryPanel* CP_KNX = nullptr;
    TCategoryPanel* CP_SNMP_Agent = nullptr;
    TCategoryPanel* CP_SNMP_Manager = nullptr;
    TCategoryPanel* CP_BACnet_Slave = nullptr;
    TCategoryPanel* CP_Serial = nullptr;
    TCategoryPanel* CP_DALI = nullptr;
    TCategoryPanel* CP_GSM_GPRS = nullptr;
    TCategoryPanel* CP_BACnet_Master = nullptr;
    TCategoryPanel* CP_Select_Device = nullptr;
    TCategoryPanel* CP_Ethernet_Connection = nullptr;
    TCategoryPanel* CP_WiFi2 = nullptr;

    // All panels in declaration order.
    const std::vector<TCategoryPanel*>& Panels() const { return panels_; }

    // --- CP_Select_Device ------------------------------------------------------
    TLabel* L_Select_Device_Device = nullptr;
    TComboBox* CB_Select_Device_Device = nullptr;

    // --- CP_Ethernet_Connection -------------------------------------------------
    TLabel* L_EthConn_Device_Name = nullptr;
    TEdit* E_EthConn_Device_Name = nullptr;
    TCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
    TCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
    TCheckBox* CB_EthConn_Enable_DNS = nullptr;
    TLabel* L_EthConn_Primary_DNS = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP[4] = {};
    TLabel* L_EthConn_Secondary_DNS = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP[4] = {};

    // --- CP_CAN ----------------------------------------------------------------
    TLabel* L_CAN_Baudrate = nullptr;
    TComboBox* CB_CAN_Baudrate = nullptr;

    // --- CP_MQTT ---------------------------------------------------------------
    TLabel* L_MQTT_Server = nullptr;
    TEdit* E_MQTT_Server = nullptr;
    TLabel* L_MQTT_Server_Port = nullptr;
    TEdit* E_MQTT_Server_Port = nullptr;
    TLabel* L_MQTT_Client_ID = nullptr;
    TEdit* E_MQTT_Client_ID = nullptr;
    TLabel* L_MQTT_Keep_Alive = nullptr;
    TEdit* E_MQTT_Keep_Alive = nullptr;
    TCheckBox* CB_MQTT_Clean_Session = nullptr;
    TCheckBox* CB_MQTT_WillFlag = nullptr;
    TLabel* L_MQTT_Will_TopicName = nullptr;
    TEdit* E_MQTT_Will_TopicName = nullptr;
    TLabel* L_MQTT_Will_Message = nullptr;
    TEdit* E_MQTT_Will_Message = nullptr;
    TCheckBox* CB_MQTT_Will_Retained = nullptr;
    TLabel* L_MQTT_Will_QoS = nullptr;
    TComboBox* CB_MQTT_Will_QoS = nullptr;
    TCheckBox* CB_MQTT_PublishTopicConnection = nullptr;
    TLabel* L_MQTT_Connection_TopicName = nullptr;
    TEdit* E_MQTT_Connection_TopicName = nullptr;
    TLabel* L_MQTT_Connection_Message = nullptr;
    TEdit* E_MQTT_Connection_Message = nullptr;
    TCheckBox* CB_MQTT_Connection_Retained = nullptr;
    TLabel* L_MQTT_Username = nullptr;
    TEdit* E_MQTT_Username = nullptr;
    TLabel* L_MQTT_Password = nullptr;
    TEdit* E_MQTT_Password = nullptr; // rich edit on the original form
    TLabel* L_MQTT_ASync_Send_Time = nullptr;
    TEdit* E_MQTT_ASync_Send_Time = nullptr;
    TLabel* L_MQTT_TopicDALIAns = nullptr;
    TEdit* E_MQTT_TopicDALIAns = nullptr;
    TCheckBox* CB_MQTT_Enable_ReProgram = nullptr;
    TLabel* L_MQTT_Reprogram_Topic = nullptr;
    TEdit* E_MQTT_Reprogram_Topic = nullptr;
    TLabel* L_MQTT_Reproram_Value = nullptr;
    TEdit* E_MQTT_Reproram_Value = nullptr;

    // --- CP_Ethernet -------------------------------------------------------------
    TLabel* L_Ethernet_IP = nullptr;
    TEdit* E_Ethernet_IP[4] = {};
    TLabel* L_Ethernet_SM = nullptr;
    TEdit* E_Ethernet_SM[4] = {};
    TCheckBox* CB_Ethernet_En_GAT = nullptr;
    TEdit* E_Ethernet_GAT[4] = {};
    TCheckBox* CB_Ethernet_En_DNS = nullptr;
    TEdit* E_Ethernet_DNS[4] = {};
    TLabel* L_Ethernet_TCP_Port = nullptr;
    TEdit* E_Ethernet_TCP_Port = nullptr;
    TLabel* L_Ethernet_UDP_Port = nullptr;
    TEdit* E_Ethernet_UDP_Port = nullptr;
    TCheckBox* CB_Ethernet_Reset_24h = nullptr;

    // --- CP_TLS ------------------------------------------------------------------
    TCheckBox* CB_TLS_Enable = nullptr;
    TCheckBox* CB_TLS_En_Server_Auth = nullptr;
    TLabel* L_TLS_Server_Cert = nullptr;
    TEdit* E_TLS_Server_Cert = nullptr;
    TLbButton* Btn_TLS_Server_Cert = nullptr;
    TCheckBox* CB_TLS_En_Client_Auth = nullptr;
    TLabel* L_TLS_CA_Cert = nullptr;
    TEdit* E_TLS_CA_Cert = nullptr;
    TLbButton* Btn_TLS_CA_Cert = nullptr;
    TLabel* L_TLS_Client_Cert = nullptr;
    TEdit* E_TLS_Client_Cert = nullptr;
    TLbButton* Btn_TLS_Client_Cert = nullptr;
    TLabel* L_TLS_Client_Cert_Key = nullptr;
    TEdit* E_TLS_Client_Cert_Key = nullptr;
    TLbButton* Btn_TLS_Client_Cert_Key = nullptr;
    TLabel* L_TLS_Client_Cert_Key_Pass = nullptr;
    TEdit* E_TLS_Client_Cert_Key_Pass = nullptr;

    // --- CP_NTP ------------------------------------------------------------------
    TLabel* L_NTP_Server_URL = nullptr;
    TEdit* E_NTP_Server_URL = nullptr;
    TLabel* L_NTP_Poll_Time = nullptr;
    TEdit* E_NTP_Poll_Time = nullptr;

    // --- CP_WiFi2 ------------------------------------------------------------------
    TLabel* L_WiFi2_Type = nullptr;
    TComboBox* CB_WiFi2_Type = nullptr;
    TLabel* L_WiFi2_IP1 = nullptr;
    TLabel* L_WiFi2_IP1_IP = nullptr;
    TEdit* E_WiFi2_IP1_IP[4] = {};
    TLabel* L_WiFi2_IP1_SM = nullptr;
    TEdit* E_WiFi2_IP1_SM[4] = {};
    TCheckBox* CB_WiFi2_IP1_En_GAT = nullptr;
    TEdit* E_WiFi2_IP1_GAT[4] = {};
    TLabel* L_WiFi2_IP2 = nullptr;
    TLabel* L_WiFi2_IP2_IP = nullptr;
    TEdit* E_WiFi2_IP2_IP[4] = {};
    TLabel* L_WiFi2_IP2_SM = nullptr;
    TEdit* E_WiFi2_IP2_SM[4] = {};
    TCheckBox* CB_WiFi2_IP2_En_GAT = nullptr;
    TEdit* E_WiFi2_IP2_GAT[4] = {};
    TLabel* L_WiFi2_SSID = nullptr;
    TEdit* E_WiFi2_SSID = nullptr;
    TLabel* L_WiFi2_Password = nullptr;
    TEdit* E_WiFi2_Password = nullptr;
    TLabel* L_WiFi2_Secure_Type = nullptr;
    TComboBox* CB_WiFi2_Secure_Type = nullptr;
    TCheckBox* CB_WiFi2_En_DHCP = nullptr;
    TLabel* L_WiFi2_DHCP_First_IP = nullptr;
    TEdit* E_WiFi2_DHCP_First_IP[4] = {};
    TLabel* L_WiFi2_DHCP_SM = nullptr;
    TEdit* E_WiFi2_DHCP_SM[4] = {};
    TLabel* L_WiFi2_Lease_Time = nullptr;
    TEdit* E_WiFi2_Lease_Time = nullptr;
    TLabel* L_WiFi2_Max_Client = nullptr;
    TComboBox* CB_WiFi2_Max_Client = nullptr;
    TLabel* L_WiFi2_Channel = nullptr;
    TComboBox* CB_WiFi2_Channel = nullptr;

    // --- CP_GSM_GPRS ---------------------------------------------------------------
    TLabel* L_GSM_GPRS_PIN = nullptr;
    TEdit* E_GSM_GPRS_PIN = nullptr;
    TLabel* L_GSM_GPRS_APN = nullptr;
    TEdit* E_GSM_GPRS_APN = nullptr;
    TLabel* L_GSM_GPRS_AuthType = nullptr;
    TComboBox* CB_GSM_GPRS_AuthType = nullptr;
    TLabel* L_GSM_GPRS_UserName = nullptr;
    TEdit* E_GSM_GPRS_UserName = nullptr;
    TLabel* L_GSM_GPRS_Password = nullptr;
    TEdit* E_GSM_GPRS_Password = nullptr;
    TCheckBox* CB_GSM_GPRS_En_Second_SIM = nullptr;
    TLabel* L_GSM_GPRS_PIN2 = nullptr;
    TEdit* E_GSM_GPRS_PIN2 = nullptr;
    TLabel* L_GSM_GPRS_APN2 = nullptr;
    TEdit* E_GSM_GPRS_APN2 = nullptr;
    TLabel* L_GSM_GPRS_AuthType2 = nullptr;
    TComboBox* CB_GSM_GPRS_AuthType2 = nullptr;
    TLabel* L_GSM_GPRS_UserName2 = nullptr;
    TEdit* E_GSM_GPRS_UserName2 = nullptr;
    TLabel* L_GSM_GPRS_Password2 = nullptr;
    TEdit* E_GSM_GPRS_Password2 = nullptr;
    TLabel* L_GSM_GPRS_Main_SIM = nullptr;
    TComboBox* CB_GSM_GPRS_Main_SIM = nullptr;

    // Every named control of the window (the 33 panels' controls, the
    // separators and the frame), by its name; nullptr for an unknown name.
    TControl* FindControl(const std::string& name) const;
    template <class T>
    T* Find(const std::string& name) const
    {
        return dynamic_cast<T*>(FindControl(name));
    }

    // --- operations -----------------------------------------------------------------
    void FormCreate();
    void FormShow();
    void Btn_OKClick();
    void FormResize();
    // Mouse wheel anywhere over the window; true when it was handled.
    bool FormMouseWheel(int wheelDelta, int screenX, int screenY);
    // '.' in an address-octet edit.
    void KeyPress(TControl* sender, char32_t& key);
    void Set_Lang();
    void Order_TAB_Panels();
    void Move_GroupBoxs();
    void On_Change(TControl* sender);
    void On_Click(TControl* sender);
    void CP_Expand(TCategoryPanel* sender);
    // Wi-Fi station addresses: count, and the purpose of address 1 and 2.
    int Check_Device_IP_Address_WiFi(std::string& name1, std::string& name2) const;

    // --- parameter file, validation, TLS import -----------------------------------
    // Reads File_ParGen into the controls; every missing or unreadable
    // element takes its default, a missing file the missing-file values. A
    // file that is not well-formed XML is reported and read as missing; so
    // is a name that is no regular file (a folder, pipe, device, dangling
    // link), which OK then replaces only when the user agrees.
    void Load_ParGen();
    // Rewrites File_ParGen whole from the controls (atomic); false when the
    // file could not be written.
    bool Save_ParGen();
    // Validation run by OK; false after showing the first failure.
    bool Controllo_Dati();
    // Click of one of the four "..." buttons of the TLS panel.
    void Btn_OnCertificate(TControl* sender);

    TXmlDocument XML1;
    // What stood in the file's place at the last reading when it was no
    // regular file ("a named pipe" ...), else empty.
    std::string ParGen_Not_A_File;
    TOpenDialog OD_Certificate;
    // Reads the chosen TLS file (the file system; tests may fail it).
    std::function<bool(const std::string& path, std::string& bytes)> Read_Certificate_Source;

    // Variant V10's routines.
    void Order_TAB_Panels_V10();
    void RePosition_Objects_V10();
    // The same routines of every variant (UParGen_Variants.cpp): the
    // variant's panel list shown, stacked, numbered and tab-ordered; its
    // panels' relayout with the variant's own step.
    void Order_TAB_Panels_Of(TModelVariant variant);
    void RePosition_Objects_Of(TModelVariant variant);
    // The variant's panels in their order.
    std::vector<TCategoryPanel*> Variant_Panels(TModelVariant variant) const;
    // Panel relayout routines of the V10 panels.
    void RePosition_Object_Select_Device();
    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_CAN();
    void RePosition_Object_MQTT();
    void RePosition_Object_Ethernet();
    void RePosition_Object_TLS();
    void RePosition_Object_NTP();
    void RePosition_Object_WiFi2();
    void RePosition_Object_GSM_GPRS();

    // Panel relayout routines of the other variants' panels.
    void RePosition_Object_WorkMode();
    void RePosition_Object_MBus();
    void RePosition_Object_wMBus();
    void RePosition_Object_Serial();
    void RePosition_Object_Modbus_Master();
    void RePosition_Object_Modbus_Slave();
    void RePosition_Object_Modbus_TCP_Master();
    void RePosition_Object_Modbus_TCP_Slave();
    void RePosition_Object_BACnet_Master();
    void RePosition_Object_BACnet_Slave();
    void RePosition_Object_CANopen();
    void RePosition_Object_DALI();
    void RePosition_Object_DeviceNet_Master();
    void RePosition_Object_DeviceNet_Slave();
    void RePosition_Object_DMX();
    void RePosition_Object_EtherNetIP();
    void RePosition_Object_J1939();
    void RePosition_Object_KNX();
    void RePosition_Object_NMEA2000();
    void RePosition_Object_PROFIBUS();
    void RePosition_Object_PROFINET();
    void RePosition_Object_SNMP_Manager();
    void RePosition_Object_SNMP_Agent();
    void RePosition_Object_WiFi();

    // The '.' successor of an octet edit, nullptr for the last of a chain or
    // an edit outside every chain.
    TEdit* Octet_Successor(TControl* edit) const;

    // Text source of Set_Lang and of the panel captions (the UI text table;
    // tests may record the ids read).
    std::function<std::string(int)> Texts;

private:
    friend struct TParGenBuilder;
    struct TTextStep;

    void Create_Frame();
    void Create_Panels();
    void Create_Controls(); // UParGen_Controls.cpp
    void Register(const std::string& name, TControl* control);
    std::string T(int id) const;
    void Select_Device_Rule();
    int Panel_Height(const TControl* last) const;
    void Place_Address_Row(TControl* head, const std::string& prefix, TEdit* const (&edits)[4], int rowTop,
                           int editOffset);
    void Show_Address_Row(TControl* head, const std::string& prefix, TEdit* const (&edits)[4], bool visible);
    void Hide_WiFi2_Block2();
    void Enable_WiFi2_Block(int block, bool enabled);
    void Wire_Events();
    // Height of a panel from a named control.
    void Height_From(TCategoryPanel* panel, const std::string& last);
    // Octet rows and gateway box of an address block (prefix as "E_PROFINET"),
    // enabled or disabled by DHCP for the cable connection.
    void Address_Block_By_DHCP(const std::string& prefix, const std::string& gatBox);
    void Set_Visible(std::initializer_list<const char*> names, bool visible);
    void Move_Row(const char* head, const char* edit, int rowTop);
    void Move_Octet_Row(const char* head, const std::string& prefix, int rowTop, int editOffset, int dotOffset);
    void BACnet_Type_Rows(bool slave);

    std::vector<TCategoryPanel*> panels_;
    std::map<std::string, TControl*> controls_;
    std::vector<TTextStep> textSteps_;
    std::map<TControl*, TEdit*> successors_;
    std::vector<TEdit*> octetEdits_;
    std::map<TCategoryPanel*, int> captionIds_;
};

// The window's single instance (created at program start).
inline TFParGen* FParGen = nullptr;
