// The controls of the communication window's 33 category panels, with their
// design positions, defaults, limits and the UI text ids Set_Lang puts on
// them (in the order Set_Lang applies them).
#include "params/UParGen.h"
#include "params/UParGen_Internal.h"

#include "core/UFrame.h"

#include <array>
#include <string>
#include <vector>

namespace {

using Ids4 = std::array<int, 4>;
using Texts4 = std::array<const char*, 4>;
const Texts4 kAddr = {"192", "168", "0", "5"};
const Texts4 kDns = {"8", "8", "8", "8"};

// Geometry shared by the panels.
constexpr int kLeft = 14;
constexpr int kLabelWidth = 170;
constexpr int kLabelHeight = 13;
constexpr int kDataLeft = 191;
constexpr int kDataWidth = 238;
constexpr int kEditHeight = 21;
constexpr int kListHeight = 22;
constexpr int kCheckWidth = 415;
constexpr int kGatCheckWidth = 175;
constexpr int kCheckHeight = 17;
constexpr int kOctetLefts[4] = {191, 252, 313, 374};
constexpr int kOctetWidth = 55;
constexpr int kDotLefts[3] = {247, 308, 369};
constexpr int kDotWidth = 4;

} // namespace

namespace ParGenUi {

TLabel* NewLabel(TCategoryPanel* panel, int left, int top, int width, int height, const std::string& caption)
{
    auto* l = new TLabel(panel->BodyControl());
    l->SetCaption(caption);
    l->SetAutoSize(false);
    l->SetBounds(left, top, width, height);
    return l;
}

TEdit* NewEdit(TCategoryPanel* panel, int left, int top, int width, int height, const std::string& text)
{
    auto* e = new TEdit(panel->BodyControl());
    e->SetBounds(left, top, width, height);
    e->SetText(text);
    return e;
}

TCheckBox* NewCheck(TCategoryPanel* panel, int left, int top, int width, int height, const std::string& caption)
{
    auto* c = new TCheckBox(panel->BodyControl());
    c->SetBounds(left, top, width, height);
    c->SetCaption(caption);
    return c;
}

TComboBox* NewList(TCategoryPanel* panel, int left, int top, int width, int height,
                   const std::vector<std::string>& items, int itemIndex)
{
    auto* c = new TComboBox(panel->BodyControl());
    c->SetStyle(TComboBoxStyle::csDropDownList);
    c->SetBounds(left, top, width, height);
    c->Items().Assign(items);
    c->SetItemIndex(itemIndex);
    return c;
}

TLbButton* NewButton(TCategoryPanel* panel, int left, int top, int width, int height, const std::string& caption)
{
    TLbButton* b = New_Button(panel->BodyControl(), left, top, width, height);
    b->SetCaption(caption);
    return b;
}

} // namespace ParGenUi

// Creates controls on one panel at a time and records their texts.
struct TParGenBuilder {
    TFParGen& f;
    TCategoryPanel* panel = nullptr;

    void Caption(TControl* c, int id)
    {
        if (id >= 0) f.textSteps_.push_back({TFParGen::TTextStep::Caption, c, {id}});
    }
    void Hint(TControl* c, int id)
    {
        if (id >= 0) f.textSteps_.push_back({TFParGen::TTextStep::Hint, c, {id}});
    }
    void Items(TComboBox* c, std::vector<int> ids)
    {
        if (!ids.empty()) f.textSteps_.push_back({TFParGen::TTextStep::Items, c, std::move(ids)});
    }

    TLabel* Label(const std::string& name, int id, int top, const std::string& caption = "",
                  int left = kLeft, int width = kLabelWidth)
    {
        TLabel* l = ParGenUi::NewLabel(panel, left, top, width, kLabelHeight, caption);
        f.Register(name, l);
        Caption(l, id);
        return l;
    }

    TEdit* EditOnly(const std::string& name, int hintId, int top, const std::string& text = "",
                    int left = kDataLeft, int width = kDataWidth, int height = kEditHeight)
    {
        TEdit* e = ParGenUi::NewEdit(panel, left, top, width, height, text);
        f.Register(name, e);
        Hint(e, hintId);
        return e;
    }

    // Label at the row top, edit 3 above.
    TEdit* Edit(const std::string& lname, int lid, const std::string& ename, int hid, int rowTop,
                const std::string& text = "", TLabel** label = nullptr)
    {
        TLabel* l = Label(lname, lid, rowTop);
        if (label) *label = l;
        return EditOnly(ename, hid, rowTop - 3, text);
    }

    TComboBox* List(const std::string& lname, int lid, const std::string& cname, int hid, int rowTop,
                    const std::vector<std::string>& items, int index, std::vector<int> itemIds = {},
                    TLabel** label = nullptr)
    {
        TLabel* l = Label(lname, lid, rowTop);
        if (label) *label = l;
        TComboBox* c = ParGenUi::NewList(panel, kDataLeft, rowTop - 3, kDataWidth, kListHeight, items, index);
        f.Register(cname, c);
        Hint(c, hid);
        Items(c, std::move(itemIds));
        return c;
    }

    TCheckBox* Check(const std::string& name, int cid, int hid, int top, int width = kCheckWidth,
                     const std::string& caption = "", int left = kLeft)
    {
        TCheckBox* c = ParGenUi::NewCheck(panel, left, top, width, kCheckHeight, caption);
        f.Register(name, c);
        Caption(c, cid);
        Hint(c, hid);
        return c;
    }

    // Four octet edits named prefix1..prefix4 at editTop, with "." labels
    // named prefix_Dot1..3 at dotTop.
    void Octets(const std::string& prefix, const Ids4& hints, int editTop, int dotTop,
                const Texts4& texts, TEdit* (*out)[4] = nullptr)
    {
        for (int i = 0; i < 4; ++i) {
            TEdit* e = ParGenUi::NewEdit(panel, kOctetLefts[i], editTop, kOctetWidth, kEditHeight, texts[i]);
            f.Register(prefix + std::to_string(i + 1), e);
            Hint(e, hints[i]);
            f.octetEdits_.push_back(e);
            if (out) (*out)[i] = e;
        }
        for (int i = 0; i < 3; ++i) {
            TLabel* d = ParGenUi::NewLabel(panel, kDotLefts[i], dotTop, kDotWidth, kLabelHeight, ".");
            f.Register(prefix + "_Dot" + std::to_string(i + 1), d);
        }
    }

    // Label row of octets: label and dots at the row top, edits 3 above.
    TLabel* OctetRow(const std::string& lname, int lid, const std::string& prefix, const Ids4& hints,
                     int rowTop, const Texts4& texts = kAddr, TEdit* (*out)[4] = nullptr)
    {
        TLabel* l = Label(lname, lid, rowTop);
        Octets(prefix, hints, rowTop - 3, rowTop, texts, out);
        return l;
    }

    // Gateway row: a 175-wide check box with the octets beside it.
    TCheckBox* GatRow(const std::string& cname, int cid, int hid, const std::string& prefix,
                      const Ids4& hints, int rowTop, int editOffset = -2, const Texts4& texts = kAddr,
                      TEdit* (*out)[4] = nullptr)
    {
        TCheckBox* c = Check(cname, cid, hid, rowTop, kGatCheckWidth);
        Octets(prefix, hints, rowTop + editOffset, rowTop, texts, out);
        return c;
    }

    // Certificate row: label, 211-wide field and its "..." button.
    TEdit* CertRow(const std::string& lname, int lid, const std::string& ename, int hid,
                   const std::string& bname, int rowTop, TLabel** label, TLbButton** button)
    {
        *label = Label(lname, lid, rowTop);
        TEdit* e = EditOnly(ename, hid, rowTop - 5, "", kDataLeft, 211, 23);
        *button = ParGenUi::NewButton(panel, 406, rowTop - 5, 23, 23, "...");
        f.Register(bname, *button);
        return e;
    }

    static Ids4 Seq(int first) { return {first, first + 1, first + 2, first + 3}; }
    static std::vector<int> Range(int first, int last)
    {
        std::vector<int> r;
        for (int i = first; i <= last; ++i) r.push_back(i);
        return r;
    }
};

namespace {
int Row(int k) { return 12 + 28 * k; } // label top of row k (0-based)
} // namespace

void TFParGen::Create_Controls()
{
    TParGenBuilder b{*this};
    using B = TParGenBuilder;

    // Built-in item lists.
    const std::vector<std::string> devices = {"Only Ethernet Cable ", "Ethernet Cable + Wi-Fi",
                                              "Ethernet Cable + Mobile Connection"};
    const std::vector<std::string> bauds = {"10K",  "20K",  "50K",  "62.5K", "100K",
                                            "125K", "250K", "500K", "800K",  "1000K"};
    const std::vector<std::string> auth = {"None", "PAP", "CHAP", "PAP or CHAP"};
    std::vector<std::string> clients;
    for (int i = 1; i <= 10; ++i) clients.push_back(std::to_string(i));
    std::vector<std::string> channels = {"Auto Search"};
    for (int i = 1; i <= 11; ++i) channels.push_back(std::to_string(i));

    // Texts are applied panel by panel in the order the window declares
    // its panels.

    // --- CP_Working_Mode ---------------------------------------------------------
    b.panel = CP_Working_Mode;
    b.List("L_WorkMode_WorkMode", 620, "CB_WorkMode_WorkMode", 623, Row(0),
           {"Standard Mode", "Raw Mode"}, 0, {621, 622});

    // --- CP_MBus --------------------------------------------------------------------
    b.panel = CP_MBus;
    b.List("L_MBus_OnWire_Present", 407, "CB_MBus_OnWire_Present", 410, Row(0),
           {"Not Present", "Present"}, 0, {408, 409});
    b.List("L_MBus_Baud", 411, "CB_MBus_Baud", 412, Row(1), {"300", "2400", "9600"}, 1);
    b.List("L_MBus_Parity", 413, "CB_MBus_Parity", 414, Row(2), {"None", "Even", "Odd"}, 1);
    b.Edit("L_MBus_Cyclic_Delay", 415, "E_MBus_Cyclic_Delay", 416, Row(3));
    b.Edit("L_MBus_NodeState", 417, "E_MBus_NodeState", 418, Row(4));
    b.Check("CB_MBus_Request_on_MQTT", 4245, 4246, Row(5));

    // --- CP_wMBus -------------------------------------------------------------------
    b.panel = CP_wMBus;
    b.List("L_wMBus_Wireless_Present", 420, "CB_wMBus_Wireless_Present", 423, Row(0),
           {"Not Present", "Present"}, 0, {421, 422});
    b.List("L_wMBus_Mode", 424, "CB_wMBus_Mode", 425, Row(1), {"S1", "T1", "C1"}, 0);
    b.List("L_wMBus_Radio_Channel", 426, "CB_wMBus_Radio_Channel", 427, Row(2), {}, -1);

    // --- CP_MQTT --------------------------------------------------------------------
    b.panel = CP_MQTT;
    E_MQTT_Server = b.Edit("L_MQTT_Server", 429, "E_MQTT_Server", 430, Row(0), "", &L_MQTT_Server);
    E_MQTT_Server_Port = b.Edit("L_MQTT_Server_Port", 431, "E_MQTT_Server_Port", 432, Row(1), "1883",
                                &L_MQTT_Server_Port);
    E_MQTT_Client_ID = b.Edit("L_MQTT_Client_ID", 433, "E_MQTT_Client_ID", 434, Row(2), "", &L_MQTT_Client_ID);
    E_MQTT_Keep_Alive =
        b.Edit("L_MQTT_Keep_Alive", 435, "E_MQTT_Keep_Alive", 436, Row(3), "", &L_MQTT_Keep_Alive);
    CB_MQTT_Clean_Session = b.Check("CB_MQTT_Clean_Session", 437, 438, Row(4));
    CB_MQTT_WillFlag = b.Check("CB_MQTT_WillFlag", 439, 440, Row(5));
    E_MQTT_Will_TopicName = b.Edit("L_MQTT_Will_TopicName", 441, "E_MQTT_Will_TopicName", 442, Row(6), "",
                                   &L_MQTT_Will_TopicName);
    E_MQTT_Will_Message =
        b.Edit("L_MQTT_Will_Message", 443, "E_MQTT_Will_Message", 444, Row(7), "", &L_MQTT_Will_Message);
    CB_MQTT_Will_Retained = b.Check("CB_MQTT_Will_Retained", 445, 446, Row(8));
    CB_MQTT_Will_QoS =
        b.List("L_MQTT_Will_QoS", 447, "CB_MQTT_Will_QoS", 448, Row(9), {"0", "1", "2"}, 0, {}, &L_MQTT_Will_QoS);
    CB_MQTT_PublishTopicConnection = b.Check("CB_MQTT_PublishTopicConnection", 4226, 4227, Row(10));
    E_MQTT_Connection_TopicName = b.Edit("L_MQTT_Connection_TopicName", 4228, "E_MQTT_Connection_TopicName",
                                         4229, Row(11), "", &L_MQTT_Connection_TopicName);
    E_MQTT_Connection_Message = b.Edit("L_MQTT_Connection_Message", 4230, "E_MQTT_Connection_Message", 4231,
                                       Row(12), "", &L_MQTT_Connection_Message);
    CB_MQTT_Connection_Retained = b.Check("CB_MQTT_Connection_Retained", 4232, 4233, Row(13));
    E_MQTT_Username = b.Edit("L_MQTT_Username", 449, "E_MQTT_Username", 450, Row(14), "", &L_MQTT_Username);
    L_MQTT_Password = b.Label("L_MQTT_Password", 451, Row(15));
    E_MQTT_Password = b.EditOnly("E_MQTT_Password", 452, Row(15) - 3, "", kDataLeft, kDataWidth, 23);
    E_MQTT_ASync_Send_Time = b.Edit("L_MQTT_ASync_Send_Time", 453, "E_MQTT_ASync_Send_Time", 454, Row(16), "",
                                    &L_MQTT_ASync_Send_Time);
    E_MQTT_TopicDALIAns =
        b.Edit("L_MQTT_TopicDALIAns", 4234, "E_MQTT_TopicDALIAns", 4235, Row(17), "", &L_MQTT_TopicDALIAns);
    CB_MQTT_Enable_ReProgram = b.Check("CB_MQTT_Enable_ReProgram", 4236, 4237, Row(18));
    E_MQTT_Reprogram_Topic = b.Edit("L_MQTT_Reprogram_Topic", 4238, "E_MQTT_Reprogram_Topic", 4239, Row(19), "",
                                    &L_MQTT_Reprogram_Topic);
    E_MQTT_Reproram_Value = b.Edit("L_MQTT_Reproram_Value", 4240, "E_MQTT_Reproram_Value", 4241, Row(20), "",
                                   &L_MQTT_Reproram_Value);

    // --- CP_Ethernet ----------------------------------------------------------------
    b.panel = CP_Ethernet;
    L_Ethernet_IP = b.OctetRow("L_Ethernet_IP", 456, "E_Ethernet_IP", B::Seq(457), Row(0), kAddr, &E_Ethernet_IP);
    L_Ethernet_SM = b.OctetRow("L_Ethernet_SM", 461, "E_Ethernet_SM", B::Seq(462), Row(1), kAddr, &E_Ethernet_SM);
    CB_Ethernet_En_GAT =
        b.GatRow("CB_Ethernet_En_GAT", 466, 467, "E_Ethernet_GAT", B::Seq(468), Row(2), -2, kAddr, &E_Ethernet_GAT);
    // Rows of other models, no texts.
    CB_Ethernet_En_DNS = b.Check("CB_Ethernet_En_DNS", -1, -1, Row(3), kGatCheckWidth, "DNS");
    b.Octets("E_Ethernet_DNS", {-1, -1, -1, -1}, Row(3) - 2, Row(3), kDns, &E_Ethernet_DNS);
    E_Ethernet_TCP_Port = b.Edit("L_Ethernet_TCP_Port", -1, "E_Ethernet_TCP_Port", -1, Row(4), "", &L_Ethernet_TCP_Port);
    L_Ethernet_TCP_Port->SetCaption("TCP Port");
    E_Ethernet_UDP_Port = b.Edit("L_Ethernet_UDP_Port", -1, "E_Ethernet_UDP_Port", -1, Row(5), "", &L_Ethernet_UDP_Port);
    L_Ethernet_UDP_Port->SetCaption("UDP Port");
    CB_Ethernet_Reset_24h = b.Check("CB_Ethernet_Reset_24h", 4243, 4244, Row(6));

    // --- CP_WiFi (older Wi-Fi panel) ---------------------------------------------------
    b.panel = CP_WiFi;
    b.List("L_WiFi_Type", 479, "CB_WiFi_Type", 480, Row(0), {"Access Point", "Client Mode", "WiFi Direct"}, 0,
           {481, 482, 483});
    b.Check("CB_WiFi_IP_Auto", 484, 485, Row(1));
    b.OctetRow("L_WiFi_IP", 486, "E_WiFi_IP", B::Seq(487), Row(1));
    b.OctetRow("L_WiFi_SM", 491, "E_WiFi_SM", B::Seq(492), Row(2));
    b.GatRow("CB_WiFi_En_Gat", 496, 497, "E_WiFi_GAT", B::Seq(498), Row(3), -3);
    b.GatRow("CB_WiFi_En_DNS", 502, 503, "E_WiFi_DNS", B::Seq(504), Row(4), -3, kDns);
    b.Edit("L_WiFi_Port", 508, "E_WiFi_Port", 509, Row(5));
    b.Check("CB_WiFi_En_WPS", 510, 511, Row(6));
    b.Edit("L_WiFi_SSID", 512, "E_WiFi_SSID", 513, Row(6));
    b.Edit("L_WiFi_Password", 514, "E_WiFi_Password", 515, Row(7));
    b.List("L_WiFi_Secure_Type", 516, "CB_WiFi_Secure_Type", 517, Row(8), {"Unsecured", "WPA", "WPA2", "WEP"}, 0,
           B::Range(518, 521));
    b.Check("CB_WiFi_En_DHCP", 522, 523, Row(9));
    b.OctetRow("L_WiFi_DHCP_First_IP", 524, "E_WiFi_DHCP_First_IP", B::Seq(525), Row(10));
    b.OctetRow("L_WiFi_DHCP_SM", 529, "E_WiFi_DHCP_SM", B::Seq(530), Row(11));
    b.Edit("L_WiFi_Lease_Time", 534, "E_WiFi_Lease_Time", 535, Row(12));
    b.Edit("L_WiFi_Name", 536, "E_WiFi_Name", 537, Row(13));
    b.List("L_WiFi_Max_Client", 538, "CB_WiFi_Max_Client", 539, Row(14), clients, 9);
    b.List("L_WiFi_Channel", 540, "CB_WiFi_Channel", 541, Row(15), channels, 0, B::Range(542, 553));

    // --- CP_TLS ---------------------------------------------------------------------
    b.panel = CP_TLS;
    CB_TLS_Enable = b.Check("CB_TLS_Enable", 555, 556, Row(0));
    CB_TLS_En_Server_Auth = b.Check("CB_TLS_En_Server_Auth", 557, 558, Row(1));
    E_TLS_Server_Cert = b.CertRow("L_TLS_Server_Cert", 559, "E_TLS_Server_Cert", 560, "Btn_TLS_Server_Cert", Row(2),
                                  &L_TLS_Server_Cert, &Btn_TLS_Server_Cert);
    CB_TLS_En_Client_Auth = b.Check("CB_TLS_En_Client_Auth", 561, 562, Row(3));
    E_TLS_CA_Cert = b.CertRow("L_TLS_CA_Cert", 5246, "E_TLS_CA_Cert", 5247, "Btn_TLS_CA_Cert", Row(4),
                              &L_TLS_CA_Cert, &Btn_TLS_CA_Cert);
    E_TLS_Client_Cert = b.CertRow("L_TLS_Client_Cert", 563, "E_TLS_Client_Cert", 564, "Btn_TLS_Client_Cert",
                                  Row(5), &L_TLS_Client_Cert, &Btn_TLS_Client_Cert);
    E_TLS_Client_Cert_Key = b.CertRow("L_TLS_Client_Cert_Key", 565, "E_TLS_Client_Cert_Key", 566,
                                      "Btn_TLS_Client_Cert_Key", Row(6), &L_TLS_Client_Cert_Key,
                                      &Btn_TLS_Client_Cert_Key);
    E_TLS_Client_Cert_Key_Pass = b.Edit("L_TLS_Client_Cert_Key_Pass", 567, "E_TLS_Client_Cert_Key_Pass", 568,
                                        Row(7), "", &L_TLS_Client_Cert_Key_Pass);

    // --- CP_NTP ---------------------------------------------------------------------
    b.panel = CP_NTP;
    E_NTP_Server_URL = b.Edit("L_NTP_Server_URL", 570, "E_NTP_Server_URL", 571, Row(0), "", &L_NTP_Server_URL);
    E_NTP_Poll_Time = b.Edit("L_NTP_Poll_Time", 572, "E_NTP_Poll_Time", 573, Row(1), "", &L_NTP_Poll_Time);

    // --- CP_Modbus_Master -----------------------------------------------------------
    b.panel = CP_Modbus_Master;
    b.List("L_ModbusMaster_Serial", 625, "CB_ModbusMaster_Serial", 626, Row(0), {"RS232", "RS485"}, 0);
    b.List("L_ModbusMaster_Baudrate", 627, "CB_ModbusMaster_Baudrate", 628, Row(1), {}, -1);
    b.List("L_ModbusMaster_Parity", 629, "CB_ModbusMaster_Parity", 630, Row(2), {"None", "Even", "Odd"}, 0);
    b.List("L_ModbusMaster_StopBits", 631, "CB_ModbusMaster_StopBits", 632, Row(3), {"1", "2"}, 0);
    b.Edit("L_ModbusMaster_TimeOut", 633, "E_ModbusMaster_TimeOut", 634, Row(4));
    b.Edit("L_ModbusMaster_CyclicDelay", 635, "E_ModbusMaster_CyclicDelay", 636, Row(5));

    // --- CP_Modbus_TCP_Master ---------------------------------------------------------
    b.panel = CP_Modbus_TCP_Master;
    b.OctetRow("L_ModbusTCPMaster_IP", 645, "E_ModbusTCPMaster_IP", B::Seq(646), Row(0));
    b.OctetRow("L_ModbusTCPMaster_SM", 650, "E_ModbusTCPMaster_SM", B::Seq(651), Row(1));
    b.GatRow("CB_ModbusTCPMaster_En_GAT", 655, 656, "E_ModbusTCPMaster_GAT", B::Seq(657), Row(2));
    b.Edit("L_ModbusTCPMaster_TimeOut", 661, "E_ModbusTCPMaster_TimeOut", 662, Row(3));
    b.Edit("L_ModbusTCPMaster_CyclicDelay", 663, "E_ModbusTCPMaster_CyclicDelay", 664, Row(4));

    // --- CP_Modbus_Slave --------------------------------------------------------------
    b.panel = CP_Modbus_Slave;
    b.List("L_ModbusSlave_Serial", 680, "CB_ModbusSlave_Serial", 681, Row(0), {"RS232", "RS485"}, 0);
    b.List("L_ModbusSlave_Baudrate", 682, "CB_ModbusSlave_Baudrate", 683, Row(1), {}, -1);
    b.List("L_ModbusSlave_Parity", 684, "CB_ModbusSlave_Parity", 685, Row(2), {"None", "Even", "Odd"}, 0);
    b.List("L_ModbusSlave_StopBits", 686, "CB_ModbusSlave_StopBits", 687, Row(3), {"1", "2"}, 0);
    b.Edit("L_ModbusSlave_IDDevice", 688, "E_ModbusSlave_IDDevice", 689, Row(4));
    b.Check("CB_ModbusSlave_ReadInput", 1970, 1971, Row(5));

    // --- CP_Modbus_TCP_Slave ----------------------------------------------------------
    b.panel = CP_Modbus_TCP_Slave;
    b.OctetRow("L_ModbusTCPSlave_IP", 691, "E_ModbusTCPSlave_IP", B::Seq(692), Row(0));
    b.OctetRow("L_ModbusTCPSlave_SM", 696, "E_ModbusTCPSlave_SM", {697, 698, 699, 1800}, Row(1));
    b.GatRow("CB_ModbusTCPSlave_En_GAT", 1801, 1802, "E_ModbusTCPSlave_GAT", B::Seq(1803), Row(2));
    b.Edit("L_ModbusTCPSlave_Port", 1807, "E_ModbusTCPSlave_Port", 1808, Row(3));

    // --- CP_CAN ---------------------------------------------------------------------
    b.panel = CP_CAN;
    CB_CAN_Baudrate = b.List("L_CAN_Baudrate", 1825, "CB_CAN_Baudrate", 1826, Row(0), bauds, 9, {}, &L_CAN_Baudrate);

    // --- CP_CANopen -------------------------------------------------------------------
    b.panel = CP_CANopen;
    b.Edit("L_CANopen_IDDevice", 1828, "E_CANopen_IDDevice", 1829, Row(0));
    b.List("L_CANopen_Baudrate", 1830, "CB_CANopen_Baudrate", 1831, Row(1), bauds, 9);
    b.Check("CB_CANopen_Operational", 1832, 1833, Row(2));
    b.Check("CB_CANopen_Network_Start", 1834, 1835, Row(3), kGatCheckWidth);
    b.EditOnly("E_CANopen_Network_Start_Delay", 1836, Row(3) - 3);
    b.Edit("L_CANopen_SDO_Timeout", 1837, "E_CANopen_SDO_Timeout", 1838, Row(4));

    // --- CP_J1939 ---------------------------------------------------------------------
    b.panel = CP_J1939;
    b.List("L_J1939_Baudrate", 1843, "CB_J1939_Baudrate", 1844, Row(0), bauds, 6);
    b.Edit("L_J1939_TimeOut", 1845, "E_J1939_TimeOut", 1846, Row(1));
    b.Check("CB_J1939_Peer_To_Peer", 1847, 1848, Row(2));
    b.Edit("L_J1939_ID_Device", 1849, "E_J1939_ID_Device", 1850, Row(3));

    // --- CP_DeviceNet_Master ----------------------------------------------------------
    b.panel = CP_DeviceNet_Master;
    b.Edit("L_DeviceNet_Master_IDDevice", 1854, "E_DeviceNet_Master_IDDevice", 1855, Row(0));
    b.List("L_DeviceNet_Master_Baudrate", 1856, "CB_DeviceNet_Master_Baudrate", 1857, Row(1),
           {"125K", "250K", "500K"}, 0);

    // --- CP_DeviceNet_Slave -----------------------------------------------------------
    b.panel = CP_DeviceNet_Slave;
    b.Edit("L_DeviceNet_Slave_IDDevice", 1860, "E_DeviceNet_Slave_IDDevice", 1861, Row(0));
    b.List("L_DeviceNet_Slave_Baudrate", 1862, "CB_DeviceNet_Slave_Baudrate", 1863, Row(1),
           {"125K", "250K", "500K"}, 0);
    b.Edit("L_DeviceNet_Slave_NumByteIn", 1864, "E_DeviceNet_Slave_NumByteIn", 1865, Row(2));
    b.Edit("L_DeviceNet_Slave_NumByteOut", 1866, "E_DeviceNet_Slave_NumByteOut", 1867, Row(3));

    // --- CP_EtherNetIP ----------------------------------------------------------------
    b.panel = CP_EtherNetIP;
    b.OctetRow("L_EtherNetIP_IP", 1872, "E_EtherNetIP_IP", B::Seq(1873), Row(0));
    b.OctetRow("L_EtherNetIP_SM", 1877, "E_EtherNetIP_SM", B::Seq(1878), Row(1));
    b.GatRow("CB_EtherNetIP_GAT", 1882, 1883, "E_EtherNetIP_GAT", B::Seq(1884), Row(2));
    b.Edit("L_EtherNetIP_Port", 1888, "E_EtherNetIP_Port", 1889, Row(3));
    b.Edit("L_EtherNetIP_NByte_In", 1890, "E_EtherNetIP_NByte_In", 1891, Row(4));
    b.Edit("L_EtherNetIP_NByte_Out", 1892, "E_EtherNetIP_NByte_Out", 1893, Row(5));

    // --- CP_PROFINET ------------------------------------------------------------------
    b.panel = CP_PROFINET;
    b.OctetRow("L_PROFINET_IP", 1915, "E_PROFINET_IP", B::Seq(1916), Row(0));
    b.OctetRow("L_PROFINET_SM", 1920, "E_PROFINET_SM", B::Seq(1921), Row(1));
    b.GatRow("CB_PROFINET_GAT", 1925, 1926, "E_PROFINET_GAT", B::Seq(1927), Row(2));
    b.Edit("L_PROFINET_Port", 1931, "E_PROFINET_Port", 1932, Row(3));
    b.Edit("L_PROFINET_NameStation", 1933, "E_PROFINET_NameStation", 1934, Row(4));
    b.Edit("L_PROFINET_NByte_In", 1935, "E_PROFINET_NByte_In", 1936, Row(5));
    b.Edit("L_PROFINET_NByte_Out", 1937, "E_PROFINET_NByte_Out", 1938, Row(6));
    b.Check("CB_PROFINET_En_Diagnostic", 1939, 1940, Row(7), kGatCheckWidth);
    b.EditOnly("E_PROFINET_Diagnostic", 1941, Row(7) - 2);

    // --- CP_PROFIBUS ------------------------------------------------------------------
    b.panel = CP_PROFIBUS;
    b.Edit("L_PROFIBUS_IDDevice", 1959, "E_PROFIBUS_IDDevice", 1960, Row(0));
    b.List("L_PROFIBUS_Baudrate", 1961, "CB_PROFIBUS_Baudrate", 1962, Row(1), {"AutoBaudrate"}, 0);
    b.Edit("L_PROFIBUS_NByte_In", 1963, "E_PROFIBUS_NByte_In", 1964, Row(2));
    b.Edit("L_PROFIBUS_NByte_Out", 1965, "E_PROFIBUS_NByte_Out", 1966, Row(3));

    // --- CP_NMEA2000 ------------------------------------------------------------------
    b.panel = CP_NMEA2000;
    b.List("L_NMEA2000_Baudrate", 1973, "CB_NMEA2000_Baudrate", 1974, Row(0), bauds, 6);
    b.Edit("L_NMEA2000_TimeOut", 1975, "E_NMEA2000_TimeOut", 1976, Row(1));
    b.Check("CB_NMEA2000_Peer_To_Peer", 1977, 1978, Row(2));

    // --- CP_DMX -----------------------------------------------------------------------
    b.panel = CP_DMX;
    b.List("L_DMX_Type", 1981, "CB_DMX_Type", 1982, Row(0), {"Input", "Output"}, 0);
    b.Edit("L_DMX_ChannelNum", 1983, "E_DMX_ChannelNum", 1984, Row(1));

    // --- CP_KNX -----------------------------------------------------------------------
    b.panel = CP_KNX;
    b.List("L_KNX_Type", 1987, "CB_KNX_Type", 1988, Row(0), {}, -1);
    b.Edit("L_KNX_IDDevice", 1989, "E_KNX_IDDevice", 1990, Row(1));

    // --- CP_SNMP_Agent ----------------------------------------------------------------
    b.panel = CP_SNMP_Agent;
    b.OctetRow("L_SNMP_Agent_IP", 1993, "E_SNMP_Agent_IP", B::Seq(1994), Row(0));
    b.OctetRow("L_SNMP_Agent_SM", 1998, "E_SNMP_Agent_SM", B::Seq(1999), Row(1));
    b.GatRow("CB_SNMP_Agent_GAT", 2003, 2004, "E_SNMP_Agent_GAT", B::Seq(2005), Row(2));
    b.Edit("L_SNMP_Agent_NameStation", 2009, "E_SNMP_Agent_NameStation", 2010, Row(3));
    b.Edit("L_SNMP_Agent_Contact", 2011, "E_SNMP_Agent_Contact", 2012, Row(4));
    b.Edit("L_SNMP_Agent_Location", 2013, "E_SNMP_Agent_Location", 2014, Row(5));
    b.Label("L_SNMP_Agent_Version", 2015, Row(6));
    b.Check("CB_SNMP_Agent_Version1", -1, 2016, Row(6) - 1, 50, "1", 191);
    b.Check("CB_SNMP_Agent_Version2", -1, 2017, Row(6) - 1, 50, "2", 252);
    b.Check("CB_SNMP_Agent_Version3", -1, 2018, Row(6) - 1, 50, "3", 313);
    b.Edit("L_SNMP_Agent_User", 2019, "E_SNMP_Agent_User", 2020, Row(7));
    b.List("L_SNMP_Agent_SecurityLevel", 2021, "CB_SNMP_Agent_SecurityLevel", 2022, Row(8),
           {"NoAuthority NoPrivacy", "Authority NoPrivacy", "Authority Privacy"}, 0);
    b.Edit("L_SNMP_Agent_Authority", 2023, "E_SNMP_Agent_Authority", 2024, Row(9));
    b.List("L_SNMP_Agent_AuthorityMode", 2025, "CB_SNMP_Agent_AuthorityMode", 2026, Row(10), {"MD5", "SHA"}, 0);
    b.Edit("L_SNMP_Agent_Privacy", 2027, "E_SNMP_Agent_Privacy", 2028, Row(11));
    b.List("L_SNMP_Agent_PrivacyMode", 2029, "CB_SNMP_Agent_PrivacyMode", 2030, Row(12), {"DES", "AES"}, 0);

    // --- CP_SNMP_Manager --------------------------------------------------------------
    b.panel = CP_SNMP_Manager;
    b.OctetRow("L_SNMP_Manager_IP", 2044, "E_SNMP_Manager_IP", B::Seq(2045), Row(0));
    b.OctetRow("L_SNMP_Manager_SM", 2049, "E_SNMP_Manager_SM", B::Seq(2050), Row(1));
    b.GatRow("CB_SNMP_Manager_GAT", 2054, 2055, "E_SNMP_Manager_GAT", B::Seq(2056), Row(2));
    b.Edit("L_SNMP_Manager_NameStation", 2060, "E_SNMP_Manager_NameStation", -1, Row(3));

    // --- CP_BACnet_Slave --------------------------------------------------------------
    b.panel = CP_BACnet_Slave;
    const std::vector<std::string> bacTypes = {"BACnet/IP", "BACnet MS/TP"};
    b.List("L_BACnet_Slave_Type", 2074, "CB_BACnet_Slave_Type", 2075, Row(0), bacTypes, 0);
    b.OctetRow("L_BACnet_IP_Slave_IP", 2076, "E_BACnet_IP_Slave_IP", B::Seq(2077), Row(1));
    b.OctetRow("L_BACnet_IP_Slave_SM", 2081, "E_BACnet_IP_Slave_SM", B::Seq(2082), Row(2));
    b.GatRow("CB_BACnet_IP_Slave_GAT", 2086, 2087, "E_BACnet_IP_Slave_GAT", B::Seq(2088), Row(3));
    b.Edit("L_BACnet_IP_Slave_Port", 2092, "E_BACnet_IP_Slave_Port", 2093, Row(4), "47808");
    b.Edit("L_BACnet_IP_Slave_Device_Name", 2094, "E_BACnet_IP_Slave_Device_Name", 2095, Row(5));
    b.Edit("L_BACnet_IP_Slave_Device_Identifier", 2096, "E_BACnet_IP_Slave_Device_Identifier", 2097, Row(6));
    b.List("L_BACnet_MSTP_Slave_Baudrate", 2098, "CB_BACnet_MSTP_Slave_Baudrate", 2099, Row(7), {}, -1);
    b.List("L_BACnet_MSTP_Slave_Parity", 4100, "CB_BACnet_MSTP_Slave_Parity", 4101, Row(8), {"None", "Even", "Odd"},
           0);
    b.Edit("L_BACnet_MSTP_Slave_Device_Name", 4102, "E_BACnet_MSTP_Slave_Device_Name", 4103, Row(9));
    b.Edit("L_BACnet_MSTP_Slave_MAC_Address", 4104, "E_BACnet_MSTP_Slave_MAC_Address", 4105, Row(10));
    b.Edit("L_BACnet_MSTP_Slave_Max_Master", 4106, "E_BACnet_MSTP_Slave_Max_Master", 4107, Row(11));
    b.Edit("L_BACnet_MSTP_Slave_Max_Info_Frame", 4108, "E_BACnet_MSTP_Slave_Max_Info_Frame", 4109, Row(12));
    b.Edit("L_BACnet_MSTP_Slave_Device_Instance", 4110, "E_BACnet_MSTP_Slave_Device_Instance", 4111, Row(13));
    b.Edit("L_BACnet_MSTP_Slave_Network", 4112, "E_BACnet_MSTP_Slave_Network", 4113, Row(14));
    b.Check("CB_BACnet_Slave_Desc_32_Chars", 4114, 4115, Row(7));

    // --- CP_Serial --------------------------------------------------------------------
    b.panel = CP_Serial;
    b.List("L_Serial_Serial", 4137, "CB_Serial_Serial", 4138, Row(0), {"RS232", "RS485"}, 0);
    b.List("L_Serial_Baudrate", 4139, "CB_Serial_Baudrate", 4140, Row(1), {}, -1);
    b.List("L_Serial_Parity", 4141, "CB_Serial_Parity", 4142, Row(2), {"None", "Even", "Odd"}, 0);
    b.List("L_Serial_StopBits", 4143, "CB_Serial_StopBits", 4144, Row(3), {"1", "2"}, 0);
    b.List("L_Serial_DataBits", -1, "CB_Serial_DataBits", -1, Row(4), {"7", "8"}, 1);
    Find<TLabel>("L_Serial_DataBits")->SetCaption("Data Bits");

    // --- CP_DALI ----------------------------------------------------------------------
    b.panel = CP_DALI;
    b.Edit("L_DALI_Console_Port", 4147, "E_DALI_Console_Port", 4148, Row(0));
    b.Check("CB_DALI_Disable_Scan", 4216, 4217, Row(1));
    b.Check("CB_DALI_En_DALI2", 4218, 4219, Row(2));

    // --- CP_GSM_GPRS ------------------------------------------------------------------
    b.panel = CP_GSM_GPRS;
    E_GSM_GPRS_PIN = b.Edit("L_GSM_GPRS_PIN", 4151, "E_GSM_GPRS_PIN", 4152, Row(0), "0", &L_GSM_GPRS_PIN);
    E_GSM_GPRS_APN = b.Edit("L_GSM_GPRS_APN", 4153, "E_GSM_GPRS_APN", 4154, Row(1), "0", &L_GSM_GPRS_APN);
    CB_GSM_GPRS_AuthType = b.List("L_GSM_GPRS_AuthType", 4220, "CB_GSM_GPRS_AuthType", 4221, Row(2), auth, 0, {},
                                  &L_GSM_GPRS_AuthType);
    E_GSM_GPRS_UserName =
        b.Edit("L_GSM_GPRS_UserName", 4222, "E_GSM_GPRS_UserName", 4223, Row(3), "", &L_GSM_GPRS_UserName);
    E_GSM_GPRS_Password =
        b.Edit("L_GSM_GPRS_Password", 4224, "E_GSM_GPRS_Password", 4225, Row(4), "", &L_GSM_GPRS_Password);
    CB_GSM_GPRS_En_Second_SIM = b.Check("CB_GSM_GPRS_En_Second_SIM", 5232, 5233, Row(5));
    E_GSM_GPRS_PIN2 = b.Edit("L_GSM_GPRS_PIN2", 5234, "E_GSM_GPRS_PIN2", 5235, Row(6), "0", &L_GSM_GPRS_PIN2);
    E_GSM_GPRS_APN2 = b.Edit("L_GSM_GPRS_APN2", 5236, "E_GSM_GPRS_APN2", 5237, Row(7), "0", &L_GSM_GPRS_APN2);
    CB_GSM_GPRS_AuthType2 = b.List("L_GSM_GPRS_AuthType2", 5238, "CB_GSM_GPRS_AuthType2", 5239, Row(8), auth, 0,
                                   {}, &L_GSM_GPRS_AuthType2);
    E_GSM_GPRS_UserName2 =
        b.Edit("L_GSM_GPRS_UserName2", 5240, "E_GSM_GPRS_UserName2", 5241, Row(9), "", &L_GSM_GPRS_UserName2);
    E_GSM_GPRS_Password2 =
        b.Edit("L_GSM_GPRS_Password2", 5242, "E_GSM_GPRS_Password2", 5243, Row(10), "", &L_GSM_GPRS_Password2);
    CB_GSM_GPRS_Main_SIM = b.List("L_GSM_GPRS_Main_SIM", 5244, "CB_GSM_GPRS_Main_SIM", 5245, Row(11),
                                  {"SIM 1", "SIM 2"}, 0, {}, &L_GSM_GPRS_Main_SIM);
    for (TEdit* e : {E_GSM_GPRS_PIN, E_GSM_GPRS_PIN2}) {
        e->SetMaxLength(8);
        // Digits only; editing keys pass.
        e->OnKeyPress = [](TControl*, char32_t& key) {
            if (key >= 32 && (key < '0' || key > '9')) key = 0;
        };
    }
    for (TEdit* e : {E_GSM_GPRS_UserName, E_GSM_GPRS_Password, E_GSM_GPRS_UserName2, E_GSM_GPRS_Password2})
        e->SetMaxLength(32);

    // --- CP_BACnet_Master -------------------------------------------------------------
    b.panel = CP_BACnet_Master;
    b.List("L_BACnet_Master_Type", 4157, "CB_BACnet_Master_Type", 4158, Row(0), bacTypes, 0);
    b.OctetRow("L_BACnet_IP_Master_IP", 4159, "E_BACnet_IP_Master_IP", B::Seq(4160), Row(1));
    b.OctetRow("L_BACnet_IP_Master_SM", 4164, "E_BACnet_IP_Master_SM", B::Seq(4165), Row(2));
    b.GatRow("CB_BACnet_IP_Master_GAT", 4169, 4170, "E_BACnet_IP_Master_GAT", B::Seq(4171), Row(3));
    b.Edit("L_BACnet_IP_Master_Port", 4175, "E_BACnet_IP_Master_Port", 4176, Row(4), "47808");
    b.Edit("L_BACnet_IP_Master_Device_Name", 4177, "E_BACnet_IP_Master_Device_Name", 4178, Row(5));
    b.Edit("L_BACnet_IP_Master_Device_Identifier", 4179, "E_BACnet_IP_Master_Device_Identifier", 4180, Row(6));
    b.Edit("L_BACnet_IP_Master_TimeOut_Polling", 4181, "E_BACnet_IP_Master_TimeOut_Polling", 4182, Row(7));
    b.List("L_BACnet_MSTP_Master_Baudrate", 4183, "CB_BACnet_MSTP_Master_Baudrate", 4184, Row(8), {}, -1);
    b.List("L_BACnet_MSTP_Master_Parity", 4185, "CB_BACnet_MSTP_Master_Parity", 4186, Row(9),
           {"None", "Even", "Odd"}, 0);
    b.Edit("L_BACnet_MSTP_Master_Device_Name", 4187, "E_BACnet_MSTP_Master_Device_Name", 4188, Row(10));
    b.Edit("L_BACnet_MSTP_Master_MAC_Address", 4189, "E_BACnet_MSTP_Master_MAC_Address", 4190, Row(11));
    b.Edit("L_BACnet_MSTP_Master_Max_Master", 4191, "E_BACnet_MSTP_Master_Max_Master", 4192, Row(12));
    b.Edit("L_BACnet_MSTP_Master_Max_Info_Frame", 4193, "E_BACnet_MSTP_Master_Max_Info_Frame", 4194, Row(13));
    b.Edit("L_BACnet_MSTP_Master_Device_Instance", 4195, "E_BACnet_MSTP_Master_Device_Instance", 4196, Row(14));

    // --- CP_Select_Device -------------------------------------------------------------
    b.panel = CP_Select_Device;
    CB_Select_Device_Device = b.List("L_Select_Device_Device", 4248, "CB_Select_Device_Device", 4249, Row(0),
                                     devices, 0, {}, &L_Select_Device_Device);

    // --- CP_Ethernet_Connection -------------------------------------------------------
    b.panel = CP_Ethernet_Connection;
    E_EthConn_Device_Name = b.Edit("L_EthConn_Device_Name", 4251, "E_EthConn_Device_Name", 4252, Row(0), "",
                                   &L_EthConn_Device_Name);
    E_EthConn_Device_Name->SetMaxLength(31);
    CB_EthConn_En_DHCP_Cable = b.Check("CB_EthConn_En_DHCP_Cable", 4253, 4254, Row(1));
    CB_EthConn_En_DHCP_WiFi = b.Check("CB_EthConn_En_DHCP_WiFi", 4255, 4256, Row(2));
    CB_EthConn_Enable_DNS = b.Check("CB_EthConn_Enable_DNS", 4257, 4258, Row(3));
    // The primary row's label takes 4263 after its four octet hints.
    L_EthConn_Primary_DNS = b.Label("L_EthConn_Primary_DNS", -1, Row(4));
    b.Octets("E_EthConn_Pri_DNS_IP", B::Seq(4259), Row(4) - 3, Row(4), kDns, &E_EthConn_Pri_DNS_IP);
    b.Caption(L_EthConn_Primary_DNS, 4263);
    L_EthConn_Secondary_DNS = b.OctetRow("L_EthConn_Secondary_DNS", 4264, "E_EthConn_Sec_DNS_IP", B::Seq(4265),
                                         Row(5), kDns, &E_EthConn_Sec_DNS_IP);

    // --- CP_WiFi2 ---------------------------------------------------------------------
    b.panel = CP_WiFi2;
    CB_WiFi2_Type = b.List("L_WiFi2_Type", 5101, "CB_WiFi2_Type", 5102, Row(0), {"Access Point", "Station"}, 0,
                           {5103, 5104}, &L_WiFi2_Type);
    L_WiFi2_IP1 = b.Label("L_WiFi2_IP1", 5105, Row(1), "", kLeft, kCheckWidth);
    L_WiFi2_IP1_IP = b.OctetRow("L_WiFi2_IP1_IP", 5106, "E_WiFi2_IP1_IP", B::Seq(5107), Row(1), kAddr,
                                &E_WiFi2_IP1_IP);
    L_WiFi2_IP1_SM = b.OctetRow("L_WiFi2_IP1_SM", 5111, "E_WiFi2_IP1_SM", B::Seq(5112), Row(2), kAddr,
                                &E_WiFi2_IP1_SM);
    CB_WiFi2_IP1_En_GAT = b.GatRow("CB_WiFi2_IP1_En_GAT", 5116, 5117, "E_WiFi2_IP1_GAT", B::Seq(5118), Row(3), -2,
                                   kAddr, &E_WiFi2_IP1_GAT);
    L_WiFi2_IP2 = b.Label("L_WiFi2_IP2", 5122, Row(4), "", kLeft, kCheckWidth);
    L_WiFi2_IP2_IP = b.OctetRow("L_WiFi2_IP2_IP", 5123, "E_WiFi2_IP2_IP", B::Seq(5124), Row(5), kAddr,
                                &E_WiFi2_IP2_IP);
    L_WiFi2_IP2_SM = b.OctetRow("L_WiFi2_IP2_SM", 5128, "E_WiFi2_IP2_SM", B::Seq(5129), Row(6), kAddr,
                                &E_WiFi2_IP2_SM);
    CB_WiFi2_IP2_En_GAT = b.GatRow("CB_WiFi2_IP2_En_GAT", 5133, 5134, "E_WiFi2_IP2_GAT", B::Seq(5135), Row(7), -2,
                                   kAddr, &E_WiFi2_IP2_GAT);
    E_WiFi2_SSID = b.Edit("L_WiFi2_SSID", 5139, "E_WiFi2_SSID", 5140, Row(8), "", &L_WiFi2_SSID);
    E_WiFi2_Password = b.Edit("L_WiFi2_Password", 5141, "E_WiFi2_Password", 5142, Row(9), "", &L_WiFi2_Password);
    CB_WiFi2_Secure_Type = b.List("L_WiFi2_Secure_Type", 5143, "CB_WiFi2_Secure_Type", 5144, Row(10),
                                  {"Unsecured", "WPA", "WPA2", "WEP"}, 0, B::Range(5145, 5148), &L_WiFi2_Secure_Type);
    CB_WiFi2_En_DHCP = b.Check("CB_WiFi2_En_DHCP", 5149, 5150, Row(11));
    L_WiFi2_DHCP_First_IP = b.OctetRow("L_WiFi2_DHCP_First_IP", 5151, "E_WiFi2_DHCP_First_IP", B::Seq(5152),
                                       Row(12), kAddr, &E_WiFi2_DHCP_First_IP);
    L_WiFi2_DHCP_SM = b.OctetRow("L_WiFi2_DHCP_SM", 5156, "E_WiFi2_DHCP_SM", B::Seq(5157), Row(13), kAddr,
                                 &E_WiFi2_DHCP_SM);
    E_WiFi2_Lease_Time =
        b.Edit("L_WiFi2_Lease_Time", 5161, "E_WiFi2_Lease_Time", 5162, Row(14), "", &L_WiFi2_Lease_Time);
    CB_WiFi2_Max_Client = b.List("L_WiFi2_Max_Client", 5163, "CB_WiFi2_Max_Client", 5164, Row(15), clients, 9, {},
                                 &L_WiFi2_Max_Client);
    CB_WiFi2_Channel = b.List("L_WiFi2_Channel", 5165, "CB_WiFi2_Channel", 5166, Row(16), channels, 0,
                              B::Range(5167, 5178), &L_WiFi2_Channel);
}
