// Panel order and relayout of the communication window for variant V10.
//
// Rows are 28 pixels apart; a row's label and check box stand at the row
// top, its edit or list 3 pixels higher. A panel is as high as the bottom
// of its last visible control + 12 + the group's header height.
#include "params/UParGen.h"
#include "params/UParGen_Internal.h"

namespace {

constexpr int kRow = 28;

void ShowCtl(TControl* c, bool visible = true) { c->SetVisible(visible); }
void HideCtl(TControl* c) { c->SetVisible(false); }
void Place(TControl* c, int top)
{
    c->SetTop(top);
    c->SetVisible(true);
}
int Bottom(const TControl* c) { return c->Top() + c->Height(); }

} // namespace

// --- panel order ---------------------------------------------------------------

void TFParGen::Order_TAB_Panels() { Order_TAB_Panels_V10(); }

void TFParGen::Order_TAB_Panels_V10() { Order_TAB_Panels_Of(TModelVariant::V10); }

// --- relayout ------------------------------------------------------------------

void TFParGen::Move_GroupBoxs() { RePosition_Objects_V10(); }

void TFParGen::RePosition_Objects_V10() { RePosition_Objects_Of(TModelVariant::V10); }

int TFParGen::Panel_Height(const TControl* last) const { return Bottom(last) + 12 + CPG->HeaderHeight(); }

void TFParGen::Place_Address_Row(TControl* head, const std::string& prefix, TEdit* const (&edits)[4], int rowTop,
                                 int editOffset)
{
    Place(head, rowTop);
    for (TEdit* e : edits) Place(e, rowTop + editOffset);
    for (int i = 1; i <= 3; ++i) Place(FindControl(prefix + "_Dot" + std::to_string(i)), rowTop);
}

void TFParGen::Show_Address_Row(TControl* head, const std::string& prefix, TEdit* const (&edits)[4], bool visible)
{
    ShowCtl(head, visible);
    for (TEdit* e : edits) ShowCtl(e, visible);
    for (int i = 1; i <= 3; ++i) ShowCtl(FindControl(prefix + "_Dot" + std::to_string(i)), visible);
}

void TFParGen::RePosition_Object_Select_Device() { CP_Select_Device->SetHeight(Panel_Height(CB_Select_Device_Device)); }

void TFParGen::RePosition_Object_Ethernet_Connection()
{
    CP_Ethernet_Connection->SetHeight(Panel_Height(E_EthConn_Sec_DNS_IP[3]));
    const int device = CB_Select_Device_Device->ItemIndex();
    CB_EthConn_En_DHCP_WiFi->SetEnabled(!(device == 0 || device == 2));
}

void TFParGen::RePosition_Object_CAN() { CP_CAN->SetHeight(Panel_Height(CB_CAN_Baudrate)); }

void TFParGen::RePosition_Object_MQTT()
{
    int r;
    if (CB_MQTT_WillFlag->Checked()) {
        for (TControl* c : std::initializer_list<TControl*>{L_MQTT_Will_TopicName, E_MQTT_Will_TopicName,
                                                            L_MQTT_Will_Message, E_MQTT_Will_Message,
                                                            CB_MQTT_Will_Retained, L_MQTT_Will_QoS, CB_MQTT_Will_QoS})
            ShowCtl(c);
        L_MQTT_Will_TopicName->SetTop(180);
        E_MQTT_Will_TopicName->SetTop(177);
        L_MQTT_Will_Message->SetTop(208);
        E_MQTT_Will_Message->SetTop(205);
        CB_MQTT_Will_Retained->SetTop(236);
        L_MQTT_Will_QoS->SetTop(264);
        CB_MQTT_Will_QoS->SetTop(261);
        r = L_MQTT_Will_QoS->Top() + kRow;
    } else {
        for (TControl* c : std::initializer_list<TControl*>{L_MQTT_Will_TopicName, E_MQTT_Will_TopicName,
                                                            L_MQTT_Will_Message, E_MQTT_Will_Message,
                                                            CB_MQTT_Will_Retained, L_MQTT_Will_QoS, CB_MQTT_Will_QoS})
            HideCtl(c);
        r = L_MQTT_Will_TopicName->Top();
    }
    Place(CB_MQTT_PublishTopicConnection, r);
    r += kRow;
    if (CB_MQTT_PublishTopicConnection->Checked()) {
        Place(L_MQTT_Connection_TopicName, r);
        Place(E_MQTT_Connection_TopicName, r - 3);
        Place(L_MQTT_Connection_Message, r + 28);
        Place(E_MQTT_Connection_Message, r + 25);
        Place(CB_MQTT_Connection_Retained, r + 56);
        r += 84;
    } else {
        for (TControl* c : std::initializer_list<TControl*>{L_MQTT_Connection_TopicName, E_MQTT_Connection_TopicName,
                                                            L_MQTT_Connection_Message, E_MQTT_Connection_Message,
                                                            CB_MQTT_Connection_Retained})
            HideCtl(c);
    }
    Place(L_MQTT_Username, r);
    Place(E_MQTT_Username, r - 3);
    Place(L_MQTT_Password, r + 28);
    Place(E_MQTT_Password, r + 25);
    for (TControl* c : std::initializer_list<TControl*>{
             L_MQTT_ASync_Send_Time, E_MQTT_ASync_Send_Time, L_MQTT_TopicDALIAns, E_MQTT_TopicDALIAns,
             CB_MQTT_Enable_ReProgram, L_MQTT_Reprogram_Topic, E_MQTT_Reprogram_Topic, L_MQTT_Reproram_Value,
             E_MQTT_Reproram_Value})
        HideCtl(c);
    CP_MQTT->SetHeight(Panel_Height(E_MQTT_Password));
}

void TFParGen::RePosition_Object_Ethernet()
{
    const bool fixed = !CB_EthConn_En_DHCP_Cable->Checked();
    for (int i = 0; i < 4; ++i) {
        E_Ethernet_IP[i]->SetEnabled(fixed);
        E_Ethernet_SM[i]->SetEnabled(fixed);
        E_Ethernet_GAT[i]->SetEnabled(fixed);
    }
    CB_Ethernet_En_GAT->SetEnabled(fixed);
    Show_Address_Row(CB_Ethernet_En_DNS, "E_Ethernet_DNS", E_Ethernet_DNS, false);
    for (TControl* c : std::initializer_list<TControl*>{L_Ethernet_TCP_Port, E_Ethernet_TCP_Port, L_Ethernet_UDP_Port,
                                                        E_Ethernet_UDP_Port, CB_Ethernet_Reset_24h})
        HideCtl(c);
    CP_Ethernet->SetHeight(Panel_Height(E_Ethernet_GAT[3]));
}

void TFParGen::RePosition_Object_TLS()
{
    const std::initializer_list<TControl*> serverRow = {L_TLS_Server_Cert, E_TLS_Server_Cert, Btn_TLS_Server_Cert};
    const std::initializer_list<TControl*> clientRows = {
        L_TLS_CA_Cert,         E_TLS_CA_Cert,         Btn_TLS_CA_Cert,           L_TLS_Client_Cert,
        E_TLS_Client_Cert,     Btn_TLS_Client_Cert,   L_TLS_Client_Cert_Key,     E_TLS_Client_Cert_Key,
        Btn_TLS_Client_Cert_Key, L_TLS_Client_Cert_Key_Pass, E_TLS_Client_Cert_Key_Pass};

    if (!CB_TLS_Enable->Checked()) {
        HideCtl(CB_TLS_En_Server_Auth);
        HideCtl(CB_TLS_En_Client_Auth);
        for (TControl* c : serverRow) HideCtl(c);
        for (TControl* c : clientRows) HideCtl(c);
        CP_TLS->SetHeight(Panel_Height(CB_TLS_Enable));
        return;
    }
    ShowCtl(CB_TLS_En_Server_Auth);
    int r;
    if (CB_TLS_En_Server_Auth->Checked()) {
        Place(L_TLS_Server_Cert, 68);
        Place(E_TLS_Server_Cert, 63);
        Place(Btn_TLS_Server_Cert, 63);
        r = E_TLS_Server_Cert->Top() + kRow;
    } else {
        for (TControl* c : serverRow) HideCtl(c);
        r = CB_TLS_En_Server_Auth->Top() + kRow;
    }
    Place(CB_TLS_En_Client_Auth, r);
    if (CB_TLS_En_Client_Auth->Checked()) {
        const struct {
            TLabel* label;
            TEdit* edit;
            TLbButton* button;
        } rows[] = {{L_TLS_CA_Cert, E_TLS_CA_Cert, Btn_TLS_CA_Cert},
                    {L_TLS_Client_Cert, E_TLS_Client_Cert, Btn_TLS_Client_Cert},
                    {L_TLS_Client_Cert_Key, E_TLS_Client_Cert_Key, Btn_TLS_Client_Cert_Key},
                    {L_TLS_Client_Cert_Key_Pass, E_TLS_Client_Cert_Key_Pass, nullptr}};
        int top = r;
        for (const auto& row : rows) {
            top += kRow;
            Place(row.label, top);
            Place(row.edit, top - 3);
            if (row.button) Place(row.button, row.edit->Top());
        }
        CP_TLS->SetHeight(Panel_Height(E_TLS_Client_Cert_Key_Pass));
    } else {
        for (TControl* c : clientRows) HideCtl(c);
        CP_TLS->SetHeight(Panel_Height(CB_TLS_En_Client_Auth));
    }
}

void TFParGen::RePosition_Object_NTP() { CP_NTP->SetHeight(Panel_Height(E_NTP_Poll_Time)); }

int TFParGen::Check_Device_IP_Address_WiFi(std::string& name1, std::string& name2) const
{
    // V10 uses one address on a Wi-Fi station link, for MQTT.
    name1 = "MQTT";
    name2.clear();
    return 1;
}

void TFParGen::Hide_WiFi2_Block2()
{
    HideCtl(L_WiFi2_IP2);
    Show_Address_Row(L_WiFi2_IP2_IP, "E_WiFi2_IP2_IP", E_WiFi2_IP2_IP, false);
    Show_Address_Row(L_WiFi2_IP2_SM, "E_WiFi2_IP2_SM", E_WiFi2_IP2_SM, false);
    Show_Address_Row(CB_WiFi2_IP2_En_GAT, "E_WiFi2_IP2_GAT", E_WiFi2_IP2_GAT, false);
}

void TFParGen::Enable_WiFi2_Block(int block, bool enabled)
{
    TEdit* const(&ip)[4] = block == 1 ? E_WiFi2_IP1_IP : E_WiFi2_IP2_IP;
    TEdit* const(&sm)[4] = block == 1 ? E_WiFi2_IP1_SM : E_WiFi2_IP2_SM;
    TEdit* const(&gat)[4] = block == 1 ? E_WiFi2_IP1_GAT : E_WiFi2_IP2_GAT;
    for (int i = 0; i < 4; ++i) {
        ip[i]->SetEnabled(enabled);
        sm[i]->SetEnabled(enabled);
        gat[i]->SetEnabled(enabled);
    }
    (block == 1 ? CB_WiFi2_IP1_En_GAT : CB_WiFi2_IP2_En_GAT)->SetEnabled(enabled);
}

void TFParGen::RePosition_Object_WiFi2()
{
    const int t = L_WiFi2_Type->Top();
    if (CB_WiFi2_Type->ItemIndex() == 0) {
        // Access point.
        HideCtl(L_WiFi2_IP1);
        Place_Address_Row(L_WiFi2_IP1_IP, "E_WiFi2_IP1_IP", E_WiFi2_IP1_IP, t + 28, -3);
        Place_Address_Row(L_WiFi2_IP1_SM, "E_WiFi2_IP1_SM", E_WiFi2_IP1_SM, t + 56, -3);
        Place_Address_Row(CB_WiFi2_IP1_En_GAT, "E_WiFi2_IP1_GAT", E_WiFi2_IP1_GAT, t + 84, -2);
        Hide_WiFi2_Block2();
        Place(L_WiFi2_SSID, t + 112);
        Place(E_WiFi2_SSID, t + 109);
        Place(L_WiFi2_Secure_Type, t + 140);
        Place(CB_WiFi2_Secure_Type, t + 137);
        int r = t + 168;
        if (CB_WiFi2_Secure_Type->ItemIndex() > 0) {
            Place(L_WiFi2_Password, r);
            Place(E_WiFi2_Password, r - 3);
            r += kRow;
        } else {
            HideCtl(L_WiFi2_Password);
            HideCtl(E_WiFi2_Password);
        }
        Place(CB_WiFi2_En_DHCP, r);
        if (CB_WiFi2_En_DHCP->Checked()) {
            Place_Address_Row(L_WiFi2_DHCP_First_IP, "E_WiFi2_DHCP_First_IP", E_WiFi2_DHCP_First_IP, r + 28, -3);
            Place_Address_Row(L_WiFi2_DHCP_SM, "E_WiFi2_DHCP_SM", E_WiFi2_DHCP_SM, r + 56, -3);
            Place(L_WiFi2_Lease_Time, r + 84);
            Place(E_WiFi2_Lease_Time, r + 81);
            r += 112;
        } else {
            Show_Address_Row(L_WiFi2_DHCP_First_IP, "E_WiFi2_DHCP_First_IP", E_WiFi2_DHCP_First_IP, false);
            Show_Address_Row(L_WiFi2_DHCP_SM, "E_WiFi2_DHCP_SM", E_WiFi2_DHCP_SM, false);
            HideCtl(L_WiFi2_Lease_Time);
            HideCtl(E_WiFi2_Lease_Time);
            r += kRow;
        }
        Place(L_WiFi2_Max_Client, r);
        Place(CB_WiFi2_Max_Client, r - 3);
        Place(L_WiFi2_Channel, r + 28);
        Place(CB_WiFi2_Channel, r + 25);
        CP_WiFi2->SetHeight(Panel_Height(CB_WiFi2_Channel));
        return;
    }

    // Station.
    std::string name1, name2;
    const int n = Check_Device_IP_Address_WiFi(name1, name2);
    int r = t + 28;
    if (n == 2) {
        Place(L_WiFi2_IP1, r);
        L_WiFi2_IP1->SetCaption(T(5105) + " - " + name1);
        r += kRow;
    } else {
        HideCtl(L_WiFi2_IP1);
    }
    Place_Address_Row(L_WiFi2_IP1_IP, "E_WiFi2_IP1_IP", E_WiFi2_IP1_IP, r, -3);
    Place_Address_Row(L_WiFi2_IP1_SM, "E_WiFi2_IP1_SM", E_WiFi2_IP1_SM, r + 28, -3);
    Place_Address_Row(CB_WiFi2_IP1_En_GAT, "E_WiFi2_IP1_GAT", E_WiFi2_IP1_GAT, r + 56, -2);
    r += 84;
    const bool fixed = !CB_EthConn_En_DHCP_WiFi->Checked();
    Enable_WiFi2_Block(1, fixed);
    if (n == 2) {
        Place(L_WiFi2_IP2, r);
        L_WiFi2_IP2->SetCaption(T(5122) + " - " + name2);
        Place_Address_Row(L_WiFi2_IP2_IP, "E_WiFi2_IP2_IP", E_WiFi2_IP2_IP, r + 28, -3);
        Place_Address_Row(L_WiFi2_IP2_SM, "E_WiFi2_IP2_SM", E_WiFi2_IP2_SM, r + 56, -3);
        Place_Address_Row(CB_WiFi2_IP2_En_GAT, "E_WiFi2_IP2_GAT", E_WiFi2_IP2_GAT, r + 84, -2);
        Enable_WiFi2_Block(2, fixed);
        r += 112;
    } else {
        Hide_WiFi2_Block2();
    }
    Place(L_WiFi2_SSID, r);
    Place(E_WiFi2_SSID, r - 3);
    Place(L_WiFi2_Password, r + 28);
    Place(E_WiFi2_Password, r + 25);
    HideCtl(L_WiFi2_Secure_Type);
    HideCtl(CB_WiFi2_Secure_Type);
    HideCtl(CB_WiFi2_En_DHCP);
    Show_Address_Row(L_WiFi2_DHCP_First_IP, "E_WiFi2_DHCP_First_IP", E_WiFi2_DHCP_First_IP, false);
    Show_Address_Row(L_WiFi2_DHCP_SM, "E_WiFi2_DHCP_SM", E_WiFi2_DHCP_SM, false);
    for (TControl* c : std::initializer_list<TControl*>{L_WiFi2_Lease_Time, E_WiFi2_Lease_Time, L_WiFi2_Max_Client,
                                                        CB_WiFi2_Max_Client, L_WiFi2_Channel, CB_WiFi2_Channel})
        HideCtl(c);
    CP_WiFi2->SetHeight(Panel_Height(E_WiFi2_Password));
}

void TFParGen::RePosition_Object_GSM_GPRS()
{
    const bool second = CB_GSM_GPRS_En_Second_SIM->Checked();
    for (TControl* c : std::initializer_list<TControl*>{
             L_GSM_GPRS_PIN2, E_GSM_GPRS_PIN2, L_GSM_GPRS_APN2, E_GSM_GPRS_APN2, L_GSM_GPRS_AuthType2,
             CB_GSM_GPRS_AuthType2, L_GSM_GPRS_UserName2, E_GSM_GPRS_UserName2, L_GSM_GPRS_Password2,
             E_GSM_GPRS_Password2, L_GSM_GPRS_Main_SIM, CB_GSM_GPRS_Main_SIM})
        ShowCtl(c, second);
    CP_GSM_GPRS->SetHeight(Panel_Height(second ? static_cast<TControl*>(CB_GSM_GPRS_Main_SIM)
                                               : static_cast<TControl*>(CB_GSM_GPRS_En_Second_SIM)));
}

void TFParGen::Select_Device_Rule()
{
    auto off = [](TCategoryPanel* p) {
        p->Collapse();
        p->SetEnabled(false);
    };
    auto on = [](TCategoryPanel* p) {
        p->SetEnabled(true);
        p->Expand();
    };
    switch (CB_Select_Device_Device->ItemIndex()) {
    case 0:
        off(CP_WiFi2);
        off(CP_GSM_GPRS);
        break;
    case 1:
        on(CP_WiFi2);
        off(CP_GSM_GPRS);
        break;
    default:
        off(CP_WiFi2);
        on(CP_GSM_GPRS);
        break;
    }
}
