// Relayout routines of the panels that only the other model variants show:
// heights, rows shown or hidden, MS/TP stacking, address blocks under DHCP.
#include "params/UParGen.h"

#include "core/UComon.h"
#include "core/ULanguage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace {

struct OtherPanels : ::testing::Test {
    static void SetUpTestSuite()
    {
        if (UComon::UI_Texts.Count() == 0) ULanguage::Load_Default_Lang();
    }
    std::unique_ptr<TFParGen> f = std::make_unique<TFParGen>();

    TControl* C(const std::string& name)
    {
        TControl* c = f->FindControl(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void Pick(const std::string& list, int index) { f->Find<TComboBox>(list)->SetItemIndex(index); }
    void Tick(const std::string& box, bool on = true) { f->Find<TCheckBox>(box)->SetChecked(on); }
};

TEST_F(OtherPanels, Heights)
{
    using R = void (TFParGen::*)();
    struct Case {
        const char* what;
        R routine;
        const char* panel;
        std::function<void(OtherPanels&)> set;
        int height;
    };
    const Case cases[] = {
        {"working mode", &TFParGen::RePosition_Object_WorkMode, "CP_Working_Mode", {}, 67},
        {"serial", &TFParGen::RePosition_Object_Serial, "CP_Serial", {}, 179},
        {"Modbus master", &TFParGen::RePosition_Object_Modbus_Master, "CP_Modbus_Master", {}, 206},
        {"CANopen", &TFParGen::RePosition_Object_CANopen, "CP_CANopen", {}, 178},
        {"DALI", &TFParGen::RePosition_Object_DALI, "CP_DALI", {}, 121},
        {"DeviceNet master", &TFParGen::RePosition_Object_DeviceNet_Master, "CP_DeviceNet_Master", {}, 95},
        {"DeviceNet slave", &TFParGen::RePosition_Object_DeviceNet_Slave, "CP_DeviceNet_Slave", {}, 150},
        {"DMX", &TFParGen::RePosition_Object_DMX, "CP_DMX", {}, 94},
        {"J1939", &TFParGen::RePosition_Object_J1939, "CP_J1939", {}, 150},
        {"KNX", &TFParGen::RePosition_Object_KNX, "CP_KNX", {}, 94},
        {"NMEA 2000", &TFParGen::RePosition_Object_NMEA2000, "CP_NMEA2000", {}, 121},
        {"PROFIBUS", &TFParGen::RePosition_Object_PROFIBUS, "CP_PROFIBUS", {}, 150},
        {"Modbus TCP master", &TFParGen::RePosition_Object_Modbus_TCP_Master, "CP_Modbus_TCP_Master", {}, 178},
        {"Modbus TCP slave", &TFParGen::RePosition_Object_Modbus_TCP_Slave, "CP_Modbus_TCP_Slave", {}, 150},
        {"EtherNet/IP", &TFParGen::RePosition_Object_EtherNetIP, "CP_EtherNetIP", {}, 206},
        {"PROFINET", &TFParGen::RePosition_Object_PROFINET, "CP_PROFINET", {}, 263},
        {"SNMP manager", &TFParGen::RePosition_Object_SNMP_Manager, "CP_SNMP_Manager", {}, 150},
        {"M-Bus absent", &TFParGen::RePosition_Object_MBus, "CP_MBus", {}, 67},
        {"M-Bus present", &TFParGen::RePosition_Object_MBus, "CP_MBus",
         [](OtherPanels& t) { t.Pick("CB_MBus_OnWire_Present", 1); }, 205},
        {"wireless M-Bus absent", &TFParGen::RePosition_Object_wMBus, "CP_wMBus", {}, 67},
        {"wireless M-Bus present", &TFParGen::RePosition_Object_wMBus, "CP_wMBus",
         [](OtherPanels& t) { t.Pick("CB_wMBus_Wireless_Present", 1); }, 123},
        {"Modbus slave, standard mode", &TFParGen::RePosition_Object_Modbus_Slave, "CP_Modbus_Slave", {}, 151},
        {"Modbus slave, raw mode", &TFParGen::RePosition_Object_Modbus_Slave, "CP_Modbus_Slave",
         [](OtherPanels& t) { t.Pick("CB_WorkMode_WorkMode", 1); }, 205},
        {"SNMP agent v1/v2", &TFParGen::RePosition_Object_SNMP_Agent, "CP_SNMP_Agent", {}, 232},
        {"SNMP agent v3, no authority", &TFParGen::RePosition_Object_SNMP_Agent, "CP_SNMP_Agent",
         [](OtherPanels& t) { t.Tick("CB_SNMP_Agent_Version3"); }, 291},
        {"SNMP agent v3, authority", &TFParGen::RePosition_Object_SNMP_Agent, "CP_SNMP_Agent",
         [](OtherPanels& t) {
             t.Tick("CB_SNMP_Agent_Version3");
             t.Pick("CB_SNMP_Agent_SecurityLevel", 1);
         },
         347},
        {"SNMP agent v3, authority and privacy", &TFParGen::RePosition_Object_SNMP_Agent, "CP_SNMP_Agent",
         [](OtherPanels& t) {
             t.Tick("CB_SNMP_Agent_Version3");
             t.Pick("CB_SNMP_Agent_SecurityLevel", 2);
         },
         403},
        {"BACnet slave IP", &TFParGen::RePosition_Object_BACnet_Slave, "CP_BACnet_Slave", {}, 261},
        {"BACnet slave MS/TP", &TFParGen::RePosition_Object_BACnet_Slave, "CP_BACnet_Slave",
         [](OtherPanels& t) { t.Pick("CB_BACnet_Slave_Type", 1); }, 317},
        {"BACnet master IP", &TFParGen::RePosition_Object_BACnet_Master, "CP_BACnet_Master", {}, 262},
        {"BACnet master MS/TP", &TFParGen::RePosition_Object_BACnet_Master, "CP_BACnet_Master",
         [](OtherPanels& t) { t.Pick("CB_BACnet_Master_Type", 1); }, 262},
        {"old Wi-Fi AP, unsecured, DHCP off", &TFParGen::RePosition_Object_WiFi, "CP_WiFi", {}, 347},
        {"old Wi-Fi AP, secured, DHCP off", &TFParGen::RePosition_Object_WiFi, "CP_WiFi",
         [](OtherPanels& t) { t.Pick("CB_WiFi_Secure_Type", 1); }, 375},
        {"old Wi-Fi AP, no security item", &TFParGen::RePosition_Object_WiFi, "CP_WiFi",
         [](OtherPanels& t) { t.Pick("CB_WiFi_Secure_Type", -1); }, 375},
        {"old Wi-Fi AP, unsecured, DHCP on", &TFParGen::RePosition_Object_WiFi, "CP_WiFi",
         [](OtherPanels& t) { t.Tick("CB_WiFi_En_DHCP"); }, 431},
        {"old Wi-Fi AP, secured, DHCP on", &TFParGen::RePosition_Object_WiFi, "CP_WiFi",
         [](OtherPanels& t) {
             t.Pick("CB_WiFi_Secure_Type", 2);
             t.Tick("CB_WiFi_En_DHCP");
         },
         459},
        {"old Wi-Fi client, fixed address", &TFParGen::RePosition_Object_WiFi, "CP_WiFi",
         [](OtherPanels& t) { t.Pick("CB_WiFi_Type", 1); }, 290},
        {"old Wi-Fi client, automatic address", &TFParGen::RePosition_Object_WiFi, "CP_WiFi",
         [](OtherPanels& t) {
             t.Pick("CB_WiFi_Type", 1);
             t.Tick("CB_WiFi_IP_Auto");
         },
         206},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f = std::make_unique<TFParGen>();
        if (c.set) c.set(*this);
        ((*f).*c.routine)();
        const auto& panels = f->Panels();
        auto it = std::find_if(panels.begin(), panels.end(), [&](TCategoryPanel* p) { return p->Name() == c.panel; });
        ASSERT_NE(it, panels.end());
        EXPECT_EQ((*it)->ExpandedHeight(), c.height);
        // The other variants' panels stay hidden in this build.
        EXPECT_FALSE((*it)->Visible());
    }
}

TEST_F(OtherPanels, RowsFollowTheChoices)
{
    // M-Bus rows appear with the bus.
    f->RePosition_Object_MBus();
    EXPECT_FALSE(C("CB_MBus_Baud")->Visible());
    Pick("CB_MBus_OnWire_Present", 1);
    f->RePosition_Object_MBus();
    EXPECT_TRUE(C("CB_MBus_Baud")->Visible());
    EXPECT_TRUE(C("CB_MBus_Request_on_MQTT")->Visible());

    // SNMP v3 with authority only: the privacy rows stay hidden.
    Tick("CB_SNMP_Agent_Version3");
    Pick("CB_SNMP_Agent_SecurityLevel", 1);
    f->RePosition_Object_SNMP_Agent();
    EXPECT_TRUE(C("E_SNMP_Agent_Authority")->Visible());
    EXPECT_FALSE(C("CB_SNMP_Agent_PrivacyMode")->Visible());
    Tick("CB_SNMP_Agent_Version3", false);
    f->RePosition_Object_SNMP_Agent();
    EXPECT_FALSE(C("E_SNMP_Agent_User")->Visible());
    EXPECT_FALSE(C("E_SNMP_Agent_Authority")->Visible());
}

TEST_F(OtherPanels, BacnetMstpRowsTakeTheIpRowsPlaces)
{
    Pick("CB_BACnet_Slave_Type", 1);
    f->RePosition_Object_BACnet_Slave();
    EXPECT_FALSE(C("E_BACnet_IP_Slave_IP1")->Visible());
    EXPECT_FALSE(C("E_BACnet_IP_Slave_GAT_Dot2")->Visible());
    EXPECT_FALSE(C("E_BACnet_IP_Slave_Port")->Visible());
    const char* labels[] = {"L_BACnet_MSTP_Slave_Baudrate",        "L_BACnet_MSTP_Slave_Parity",
                            "L_BACnet_MSTP_Slave_Device_Name",     "L_BACnet_MSTP_Slave_MAC_Address",
                            "L_BACnet_MSTP_Slave_Max_Master",      "L_BACnet_MSTP_Slave_Max_Info_Frame",
                            "L_BACnet_MSTP_Slave_Device_Instance", "L_BACnet_MSTP_Slave_Network"};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(C(labels[k])->Top(), 40 + 28 * k) << labels[k];
        EXPECT_TRUE(C(labels[k])->Visible()) << labels[k];
    }
    EXPECT_EQ(C("CB_BACnet_MSTP_Slave_Baudrate")->Top(), 37);
    EXPECT_EQ(C("E_BACnet_MSTP_Slave_Network")->Top(), 37 + 7 * 28);
    EXPECT_EQ(C("CB_BACnet_Slave_Desc_32_Chars")->Top(), 264);

    // Back to BACnet/IP.
    Pick("CB_BACnet_Slave_Type", 0);
    f->RePosition_Object_BACnet_Slave();
    EXPECT_TRUE(C("E_BACnet_IP_Slave_IP1")->Visible());
    EXPECT_FALSE(C("E_BACnet_MSTP_Slave_Network")->Visible());
    EXPECT_EQ(C("CB_BACnet_Slave_Desc_32_Chars")->Top(), 208);
}

TEST_F(OtherPanels, AddressBlocksFollowDhcpForTheCable)
{
    const char* blocks[][2] = {{"E_ModbusTCPMaster", "CB_ModbusTCPMaster_En_GAT"},
                               {"E_ModbusTCPSlave", "CB_ModbusTCPSlave_En_GAT"},
                               {"E_EtherNetIP", "CB_EtherNetIP_GAT"},
                               {"E_PROFINET", "CB_PROFINET_GAT"},
                               {"E_SNMP_Manager", "CB_SNMP_Manager_GAT"},
                               {"E_SNMP_Agent", "CB_SNMP_Agent_GAT"},
                               {"E_BACnet_IP_Slave", "CB_BACnet_IP_Slave_GAT"},
                               {"E_BACnet_IP_Master", "CB_BACnet_IP_Master_GAT"}};
    auto all = [&] {
        f->RePosition_Object_Modbus_TCP_Master();
        f->RePosition_Object_Modbus_TCP_Slave();
        f->RePosition_Object_EtherNetIP();
        f->RePosition_Object_PROFINET();
        f->RePosition_Object_SNMP_Manager();
        f->RePosition_Object_SNMP_Agent();
        f->RePosition_Object_BACnet_Slave();
        f->RePosition_Object_BACnet_Master();
    };
    for (bool dhcp : {true, false}) {
        f->CB_EthConn_En_DHCP_Cable->SetChecked(dhcp);
        all();
        for (const auto& b : blocks) {
            for (const char* row : {"_IP", "_SM", "_GAT"})
                for (int i = 1; i <= 4; ++i) {
                    const std::string name = std::string(b[0]) + row + std::to_string(i);
                    EXPECT_EQ(C(name)->Enabled(), !dhcp) << name;
                }
            EXPECT_EQ(C(b[1])->Enabled(), !dhcp) << b[1];
        }
    }
}

TEST_F(OtherPanels, OldWiFiRowsAndWiFiDirect)
{
    // Client mode with an automatic address: name row in place of the
    // address rows.
    Pick("CB_WiFi_Type", 1);
    Tick("CB_WiFi_IP_Auto");
    f->RePosition_Object_WiFi();
    EXPECT_FALSE(C("E_WiFi_IP1")->Visible());
    EXPECT_FALSE(C("E_WiFi_DNS_Dot3")->Visible());
    EXPECT_EQ(C("L_WiFi_Name")->Top(), 68);
    EXPECT_EQ(C("L_WiFi_SSID")->Top(), 124);
    EXPECT_FALSE(C("CB_WiFi_Channel")->Visible());

    // Access point: gateway and DNS separators one below the box top.
    Pick("CB_WiFi_Type", 0);
    f->RePosition_Object_WiFi();
    EXPECT_EQ(C("CB_WiFi_En_Gat")->Top(), 96);
    EXPECT_EQ(C("E_WiFi_GAT1")->Top(), 93);
    EXPECT_EQ(C("E_WiFi_GAT_Dot1")->Top(), 97);
    EXPECT_EQ(C("E_WiFi_SM_Dot1")->Top(), 68);
    EXPECT_FALSE(C("L_WiFi_Name")->Visible());
    EXPECT_FALSE(C("CB_WiFi_IP_Auto")->Visible());

    // "WiFi Direct" leaves the panel as the previous relayout left it.
    const int height = f->CP_WiFi->ExpandedHeight();
    const int channelTop = C("CB_WiFi_Channel")->Top();
    Pick("CB_WiFi_Type", 2);
    f->RePosition_Object_WiFi();
    EXPECT_EQ(f->CP_WiFi->ExpandedHeight(), height);
    EXPECT_EQ(C("CB_WiFi_Channel")->Top(), channelTop);
    EXPECT_TRUE(C("CB_WiFi_Channel")->Visible());
}

} // namespace

namespace {

// A window laid out as another variant's build would lay it out.
std::unique_ptr<TFParGen> As_Variant(TModelVariant v)
{
    auto w = std::make_unique<TFParGen>();
    for (TCategoryPanel* p : w->Panels()) p->SetVisible(false);
    w->Order_TAB_Panels_Of(v);
    w->RePosition_Objects_Of(v);
    return w;
}

TEST_F(OtherPanels, VariantPanelNumbersAndStacking)
{
    using V = TModelVariant;
    struct Case {
        V variant;
        size_t panels;
        std::string mqttCaption;
        std::string lastCaption;
    };
    const Case cases[] = {
        {V::V01, 8, "3. MQTT", "8. GSM / GPRS / LTE"},
        {V::W01, 6, "3. MQTT", "6. NTP (Network Time Protocol)"},
        {V::W02, 6, "3. MQTT", "6. NTP (Network Time Protocol)"},
        {V::W03, 7, "4. MQTT", "7. NTP (Network Time Protocol)"},
        {V::V14, 9, "4. MQTT", "9. GSM / GPRS / LTE"},
        {V::V02, 10, "5. MQTT", "10. GSM / GPRS / LTE"},
        {V::V04, 10, "5. MQTT", "10. GSM / GPRS / LTE"},
        {V::V06, 10, "5. MQTT", "10. GSM / GPRS / LTE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.variant));
        auto w = As_Variant(c.variant);
        const auto stacked = w->CPG->StackedPanels();
        ASSERT_EQ(stacked.size(), c.panels);
        EXPECT_EQ(w->CP_MQTT->Caption(), c.mqttCaption);
        EXPECT_EQ(stacked.back()->Caption(), c.lastCaption);
        int y = 0, order = 0;
        for (TCategoryPanel* p : stacked) {
            EXPECT_EQ(p->Top(), y) << p->Name();
            EXPECT_EQ(p->TabOrder(), order++) << p->Name();
            y += p->Height();
        }
    }
    // V14: the MQTT panel follows the DeviceNet slave panel.
    auto w = As_Variant(V::V14);
    const auto stacked = w->CPG->StackedPanels();
    EXPECT_EQ(stacked[2]->Name(), "CP_DeviceNet_Slave");
    EXPECT_EQ(stacked[3]->Name(), "CP_MQTT");
}

TEST_F(OtherPanels, VariantDeviceChoiceResetOfW01AndW02Only)
{
    for (TModelVariant v : {TModelVariant::W01, TModelVariant::W02, TModelVariant::W03}) {
        auto w = As_Variant(v);
        w->CB_Select_Device_Device->SetItemIndex(2);
        w->RePosition_Objects_Of(v);
        EXPECT_EQ(w->CB_Select_Device_Device->ItemIndex(), v == TModelVariant::W03 ? 2 : 0);
    }
}

} // namespace
