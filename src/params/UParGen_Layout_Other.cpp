// Relayout of the panels that only the other model variants show. The
// same conventions as the V10 panels: rows 28 pixels apart, edits and
// lists 3 pixels above their row's label, a panel as high as the bottom of
// its last visible control + 12 + the header height.
#include "params/UParGen.h"
#include "params/UParGen_Internal.h"

#include "platform/SysUtils.h"

#include <string>

namespace {

constexpr int kRow = 28;

} // namespace

namespace {

TControl* Need(const TFParGen& f, const std::string& name)
{
    TControl* c = f.FindControl(name);
    if (!c) throw Exception("The communication window has no control " + name + ".");
    return c;
}

} // namespace

void TFParGen::Height_From(TCategoryPanel* panel, const std::string& last)
{
    panel->SetHeight(Panel_Height(Need(*this, last)));
}

void TFParGen::Set_Visible(std::initializer_list<const char*> names, bool visible)
{
    for (const char* n : names) Need(*this, n)->SetVisible(visible);
}

void TFParGen::Move_Row(const char* head, const char* edit, int rowTop)
{
    TControl* h = Need(*this, head);
    h->SetTop(rowTop);
    h->SetVisible(true);
    if (edit) {
        TControl* e = Need(*this, edit);
        e->SetTop(rowTop - 3);
        e->SetVisible(true);
    }
}

// head at the row top, the four octets at rowTop + editOffset, the three
// separators at rowTop + dotOffset; all shown.
void TFParGen::Move_Octet_Row(const char* head, const std::string& prefix, int rowTop, int editOffset, int dotOffset)
{
    TControl* h = Need(*this, head);
    h->SetTop(rowTop);
    h->SetVisible(true);
    for (int i = 1; i <= 4; ++i) {
        TControl* e = Need(*this, prefix + std::to_string(i));
        e->SetTop(rowTop + editOffset);
        e->SetVisible(true);
    }
    for (int i = 1; i <= 3; ++i) {
        TControl* d = Need(*this, prefix + "_Dot" + std::to_string(i));
        d->SetTop(rowTop + dotOffset);
        d->SetVisible(true);
    }
}

void TFParGen::Address_Block_By_DHCP(const std::string& prefix, const std::string& gatBox)
{
    const bool fixed = !CB_EthConn_En_DHCP_Cable->Checked();
    for (const char* row : {"_IP", "_SM", "_GAT"})
        for (int i = 1; i <= 4; ++i) Need(*this, prefix + row + std::to_string(i))->SetEnabled(fixed);
    Need(*this, gatBox)->SetEnabled(fixed);
}

// --- height only ---------------------------------------------------------------------

void TFParGen::RePosition_Object_WorkMode() { Height_From(CP_Working_Mode, "CB_WorkMode_WorkMode"); }
void TFParGen::RePosition_Object_Serial() { Height_From(CP_Serial, "CB_Serial_DataBits"); }
void TFParGen::RePosition_Object_Modbus_Master() { Height_From(CP_Modbus_Master, "E_ModbusMaster_CyclicDelay"); }
void TFParGen::RePosition_Object_CANopen() { Height_From(CP_CANopen, "E_CANopen_SDO_Timeout"); }
void TFParGen::RePosition_Object_DALI() { Height_From(CP_DALI, "CB_DALI_En_DALI2"); }
void TFParGen::RePosition_Object_DeviceNet_Master()
{
    Height_From(CP_DeviceNet_Master, "CB_DeviceNet_Master_Baudrate");
}
void TFParGen::RePosition_Object_DeviceNet_Slave()
{
    Height_From(CP_DeviceNet_Slave, "E_DeviceNet_Slave_NumByteOut");
}
void TFParGen::RePosition_Object_DMX() { Height_From(CP_DMX, "E_DMX_ChannelNum"); }
void TFParGen::RePosition_Object_J1939() { Height_From(CP_J1939, "E_J1939_ID_Device"); }
void TFParGen::RePosition_Object_KNX() { Height_From(CP_KNX, "E_KNX_IDDevice"); }
void TFParGen::RePosition_Object_NMEA2000() { Height_From(CP_NMEA2000, "CB_NMEA2000_Peer_To_Peer"); }
void TFParGen::RePosition_Object_PROFIBUS() { Height_From(CP_PROFIBUS, "E_PROFIBUS_NByte_Out"); }

// --- own address block under DHCP -------------------------------------------------------

void TFParGen::RePosition_Object_Modbus_TCP_Master()
{
    Address_Block_By_DHCP("E_ModbusTCPMaster", "CB_ModbusTCPMaster_En_GAT");
    Height_From(CP_Modbus_TCP_Master, "E_ModbusTCPMaster_CyclicDelay");
}

void TFParGen::RePosition_Object_Modbus_TCP_Slave()
{
    Address_Block_By_DHCP("E_ModbusTCPSlave", "CB_ModbusTCPSlave_En_GAT");
    Height_From(CP_Modbus_TCP_Slave, "E_ModbusTCPSlave_Port");
}

void TFParGen::RePosition_Object_EtherNetIP()
{
    Address_Block_By_DHCP("E_EtherNetIP", "CB_EtherNetIP_GAT");
    Height_From(CP_EtherNetIP, "E_EtherNetIP_NByte_Out");
}

void TFParGen::RePosition_Object_PROFINET()
{
    Address_Block_By_DHCP("E_PROFINET", "CB_PROFINET_GAT");
    Height_From(CP_PROFINET, "E_PROFINET_Diagnostic");
}

void TFParGen::RePosition_Object_SNMP_Manager()
{
    Address_Block_By_DHCP("E_SNMP_Manager", "CB_SNMP_Manager_GAT");
    Height_From(CP_SNMP_Manager, "E_SNMP_Manager_NameStation");
}

void TFParGen::RePosition_Object_SNMP_Agent()
{
    Address_Block_By_DHCP("E_SNMP_Agent", "CB_SNMP_Agent_GAT");
    const bool v3 = Find<TCheckBox>("CB_SNMP_Agent_Version3")->Checked();
    if (!v3) {
        Set_Visible({"L_SNMP_Agent_User", "E_SNMP_Agent_User", "L_SNMP_Agent_SecurityLevel",
                     "CB_SNMP_Agent_SecurityLevel", "L_SNMP_Agent_Authority", "E_SNMP_Agent_Authority",
                     "L_SNMP_Agent_AuthorityMode", "CB_SNMP_Agent_AuthorityMode", "L_SNMP_Agent_Privacy",
                     "E_SNMP_Agent_Privacy", "L_SNMP_Agent_PrivacyMode", "CB_SNMP_Agent_PrivacyMode"},
                    false);
        Height_From(CP_SNMP_Agent, "CB_SNMP_Agent_Version3");
        return;
    }
    Set_Visible({"L_SNMP_Agent_User", "E_SNMP_Agent_User", "L_SNMP_Agent_SecurityLevel",
                 "CB_SNMP_Agent_SecurityLevel"},
                true);
    const int level = Find<TComboBox>("CB_SNMP_Agent_SecurityLevel")->ItemIndex();
    const bool authority = level != 0;
    const bool privacy = level != 0 && level != 1;
    Set_Visible({"L_SNMP_Agent_Authority", "E_SNMP_Agent_Authority", "L_SNMP_Agent_AuthorityMode",
                 "CB_SNMP_Agent_AuthorityMode"},
                authority);
    Set_Visible({"L_SNMP_Agent_Privacy", "E_SNMP_Agent_Privacy", "L_SNMP_Agent_PrivacyMode",
                 "CB_SNMP_Agent_PrivacyMode"},
                privacy);
    Height_From(CP_SNMP_Agent, privacy     ? "CB_SNMP_Agent_PrivacyMode"
                               : authority ? "CB_SNMP_Agent_AuthorityMode"
                                           : "CB_SNMP_Agent_SecurityLevel");
}

// BACnet/IP or MS/TP rows after the address block.
void TFParGen::BACnet_Type_Rows(bool slave)
{
    const std::string who = slave ? "Slave" : "Master";
    const std::string ip = "BACnet_IP_" + who;
    const std::string mstp = "BACnet_MSTP_" + who;
    const bool isIP = Find<TComboBox>(slave ? "CB_BACnet_Slave_Type" : "CB_BACnet_Master_Type")->ItemIndex() == 0;

    // The IP controls.
    std::vector<std::string> ipControls = {"L_" + ip + "_IP", "L_" + ip + "_SM", "CB_" + ip + "_GAT"};
    for (const char* row : {"_IP", "_SM", "_GAT"}) {
        for (int i = 1; i <= 4; ++i) ipControls.push_back("E_" + ip + row + std::to_string(i));
        for (int i = 1; i <= 3; ++i) ipControls.push_back("E_" + ip + row + "_Dot" + std::to_string(i));
    }
    std::vector<std::string> rows = {"Port", "Device_Name", "Device_Identifier"};
    if (!slave) rows.push_back("TimeOut_Polling");
    for (const std::string& r : rows) {
        ipControls.push_back("L_" + ip + "_" + r);
        ipControls.push_back("E_" + ip + "_" + r);
    }
    // The MS/TP rows in their order: label and input.
    std::vector<std::pair<std::string, std::string>> mstpRows = {
        {"L_" + mstp + "_Baudrate", "CB_" + mstp + "_Baudrate"},
        {"L_" + mstp + "_Parity", "CB_" + mstp + "_Parity"},
    };
    for (const char* r : {"_Device_Name", "_MAC_Address", "_Max_Master", "_Max_Info_Frame", "_Device_Instance"})
        mstpRows.push_back({"L_" + mstp + r, "E_" + mstp + r});
    if (slave) mstpRows.push_back({"L_" + mstp + "_Network", "E_" + mstp + "_Network"});

    if (isIP) {
        for (const std::string& n : ipControls) Need(*this, n)->SetVisible(true);
        for (const auto& [l, e] : mstpRows) {
            Need(*this, l)->SetVisible(false);
            Need(*this, e)->SetVisible(false);
        }
    } else {
        // The first label and input take the IP row's places, the others follow.
        const int labelTop = Need(*this, "L_" + ip + "_IP")->Top();
        const int inputTop = Need(*this, "E_" + ip + "_IP1")->Top();
        for (const std::string& n : ipControls) Need(*this, n)->SetVisible(false);
        int k = 0;
        for (const auto& [l, e] : mstpRows) {
            TControl* label = Need(*this, l);
            TControl* input = Need(*this, e);
            label->SetTop(labelTop + k * kRow);
            input->SetTop(inputTop + k * kRow);
            label->SetVisible(true);
            input->SetVisible(true);
            ++k;
        }
    }
    if (slave) {
        TControl* last = Need(*this, isIP ? "L_" + ip + "_Device_Identifier" : mstpRows.back().first);
        TControl* desc = Need(*this, "CB_BACnet_Slave_Desc_32_Chars");
        desc->SetTop(last->Top() + kRow);
        desc->SetVisible(true);
        Height_From(CP_BACnet_Slave, "CB_BACnet_Slave_Desc_32_Chars");
    } else {
        Height_From(CP_BACnet_Master, isIP ? "E_" + ip + "_TimeOut_Polling" : mstpRows.back().second);
    }
}

void TFParGen::RePosition_Object_BACnet_Slave()
{
    Address_Block_By_DHCP("E_BACnet_IP_Slave", "CB_BACnet_IP_Slave_GAT");
    BACnet_Type_Rows(true);
}

void TFParGen::RePosition_Object_BACnet_Master()
{
    Address_Block_By_DHCP("E_BACnet_IP_Master", "CB_BACnet_IP_Master_GAT");
    BACnet_Type_Rows(false);
}

// --- show or hide by a choice ----------------------------------------------------------------

void TFParGen::RePosition_Object_MBus()
{
    const bool present = Find<TComboBox>("CB_MBus_OnWire_Present")->ItemIndex() != 0;
    Set_Visible({"L_MBus_Baud", "CB_MBus_Baud", "L_MBus_Parity", "CB_MBus_Parity", "L_MBus_Cyclic_Delay",
                 "E_MBus_Cyclic_Delay", "L_MBus_NodeState", "E_MBus_NodeState", "CB_MBus_Request_on_MQTT"},
                present);
    Height_From(CP_MBus, present ? "CB_MBus_Request_on_MQTT" : "CB_MBus_OnWire_Present");
}

void TFParGen::RePosition_Object_wMBus()
{
    const bool present = Find<TComboBox>("CB_wMBus_Wireless_Present")->ItemIndex() != 0;
    Set_Visible({"L_wMBus_Mode", "CB_wMBus_Mode", "L_wMBus_Radio_Channel", "CB_wMBus_Radio_Channel"}, present);
    Height_From(CP_wMBus, present ? "CB_wMBus_Radio_Channel" : "CB_wMBus_Wireless_Present");
}

void TFParGen::RePosition_Object_Modbus_Slave()
{
    const bool raw = Find<TComboBox>("CB_WorkMode_WorkMode")->ItemIndex() != 0;
    Set_Visible({"L_ModbusSlave_IDDevice", "E_ModbusSlave_IDDevice", "CB_ModbusSlave_ReadInput"}, raw);
    Height_From(CP_Modbus_Slave, raw ? "CB_ModbusSlave_ReadInput" : "CB_ModbusSlave_StopBits");
}

// --- the older Wi-Fi panel -----------------------------------------------------------------

void TFParGen::RePosition_Object_WiFi()
{
    const int t = Need(*this, "L_WiFi_Type")->Top();
    const int type = Find<TComboBox>("CB_WiFi_Type")->ItemIndex();
    auto ipRows = [&](int top) {
        Move_Octet_Row("L_WiFi_IP", "E_WiFi_IP", top, -3, 0);
        Move_Octet_Row("L_WiFi_SM", "E_WiFi_SM", top + 28, -3, 0);
        Move_Octet_Row("CB_WiFi_En_Gat", "E_WiFi_GAT", top + 56, -3, 1);
        Move_Octet_Row("CB_WiFi_En_DNS", "E_WiFi_DNS", top + 84, -3, 1);
    };
    auto hideRows = [&](std::initializer_list<const char*> heads, std::initializer_list<const char*> prefixes) {
        for (const char* h : heads) Need(*this, h)->SetVisible(false);
        for (const char* p : prefixes) {
            for (int i = 1; i <= 4; ++i) Need(*this, p + std::to_string(i))->SetVisible(false);
            for (int i = 1; i <= 3; ++i) Need(*this, p + std::string("_Dot") + std::to_string(i))->SetVisible(false);
        }
    };

    if (type == 0) {
        // Access point.
        Set_Visible({"CB_WiFi_IP_Auto"}, false);
        ipRows(t + 28);
        Move_Row("L_WiFi_Port", "E_WiFi_Port", t + 140);
        Set_Visible({"CB_WiFi_En_WPS"}, false);
        Move_Row("L_WiFi_SSID", "E_WiFi_SSID", t + 168);
        Move_Row("L_WiFi_Secure_Type", "CB_WiFi_Secure_Type", t + 196);
        int r = t + 224;
        if (Find<TComboBox>("CB_WiFi_Secure_Type")->ItemIndex() != 0) {
            Move_Row("L_WiFi_Password", "E_WiFi_Password", r);
            r += kRow;
        } else {
            Set_Visible({"L_WiFi_Password", "E_WiFi_Password"}, false);
        }
        Move_Row("CB_WiFi_En_DHCP", nullptr, r);
        if (Find<TCheckBox>("CB_WiFi_En_DHCP")->Checked()) {
            Move_Octet_Row("L_WiFi_DHCP_First_IP", "E_WiFi_DHCP_First_IP", r + 28, -3, 0);
            Move_Octet_Row("L_WiFi_DHCP_SM", "E_WiFi_DHCP_SM", r + 56, -3, 0);
            Move_Row("L_WiFi_Lease_Time", "E_WiFi_Lease_Time", r + 84);
            r += 112;
        } else {
            hideRows({"L_WiFi_DHCP_First_IP", "L_WiFi_DHCP_SM", "L_WiFi_Lease_Time", "E_WiFi_Lease_Time"},
                     {"E_WiFi_DHCP_First_IP", "E_WiFi_DHCP_SM"});
            r += kRow;
        }
        Set_Visible({"L_WiFi_Name", "E_WiFi_Name"}, false);
        Move_Row("L_WiFi_Max_Client", "CB_WiFi_Max_Client", r);
        Move_Row("L_WiFi_Channel", "CB_WiFi_Channel", r + 28);
        Height_From(CP_WiFi, "CB_WiFi_Channel");
    } else if (type == 1) {
        // Client mode.
        Move_Row("CB_WiFi_IP_Auto", nullptr, t + 28);
        int r;
        if (!Find<TCheckBox>("CB_WiFi_IP_Auto")->Checked()) {
            ipRows(t + 56);
            Set_Visible({"L_WiFi_Name", "E_WiFi_Name"}, false);
            r = t + 168;
        } else {
            hideRows({"L_WiFi_IP", "L_WiFi_SM", "CB_WiFi_En_Gat", "CB_WiFi_En_DNS"},
                     {"E_WiFi_IP", "E_WiFi_SM", "E_WiFi_GAT", "E_WiFi_DNS"});
            Move_Row("L_WiFi_Name", "E_WiFi_Name", t + 56);
            r = t + 84;
        }
        Move_Row("L_WiFi_Port", "E_WiFi_Port", r);
        Set_Visible({"CB_WiFi_En_WPS"}, false);
        Move_Row("L_WiFi_SSID", "E_WiFi_SSID", r + 28);
        Set_Visible({"L_WiFi_Secure_Type", "CB_WiFi_Secure_Type"}, false);
        Move_Row("L_WiFi_Password", "E_WiFi_Password", r + 56);
        Set_Visible({"CB_WiFi_En_DHCP"}, false);
        hideRows({"L_WiFi_DHCP_First_IP", "L_WiFi_DHCP_SM", "L_WiFi_Lease_Time", "E_WiFi_Lease_Time",
                  "L_WiFi_Max_Client", "CB_WiFi_Max_Client", "L_WiFi_Channel", "CB_WiFi_Channel"},
                 {"E_WiFi_DHCP_First_IP", "E_WiFi_DHCP_SM"});
        Height_From(CP_WiFi, "E_WiFi_Password");
    }
    // "WiFi Direct" has no layout of its own: the panel stays as it was.
}
