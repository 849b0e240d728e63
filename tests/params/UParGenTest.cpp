#include "params/UParGen.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "support/TestSupport.h"
#include "platform/Paths.h"
#include "platform/WindowImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

struct ParGenFixture : ::testing::Test {
    static void SetUpTestSuite()
    {
        if (UComon::UI_Texts.Count() == 0) ULanguage::Load_Default_Lang();
    }
    std::unique_ptr<TFParGen> f = std::make_unique<TFParGen>();

    TEdit* E(const std::string& name)
    {
        auto* e = f->Find<TEdit>(name);
        EXPECT_NE(e, nullptr) << name;
        return e;
    }
    TControl* C(const std::string& name)
    {
        auto* c = f->FindControl(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    std::vector<int> Heights() const
    {
        std::vector<int> r;
        for (auto* p : {f->CP_Select_Device, f->CP_Ethernet_Connection, f->CP_CAN, f->CP_MQTT, f->CP_Ethernet,
                        f->CP_TLS, f->CP_NTP, f->CP_WiFi2, f->CP_GSM_GPRS})
            r.push_back(p->ExpandedHeight());
        return r;
    }
};

// --- panels -------------------------------------------------------------------

TEST_F(ParGenFixture, ShowsTheNineV10PanelsNumberedInOrderAndHidesTheOthers)
{
    std::vector<std::string> captions, names;
    for (auto* p : f->CPG->StackedPanels()) {
        captions.push_back(p->Caption());
        names.push_back(p->Name());
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"1. Select Device", "2. Ethernet Connection", "3. CAN", "4. MQTT",
                                                  "5. Ethernet", "6. TLS (Transport Layer Security)",
                                                  "7. NTP (Network Time Protocol)", "8. Wi-Fi",
                                                  "9. GSM / GPRS / LTE"}));
    int hidden = 0, order = 0;
    for (auto* p : f->Panels()) {
        const bool shown = std::find(names.begin(), names.end(), p->Name()) != names.end();
        EXPECT_EQ(p->Visible(), shown) << p->Name();
        if (!shown) ++hidden;
    }
    EXPECT_EQ(hidden, 24);
    for (auto* p : f->CPG->StackedPanels()) EXPECT_EQ(p->TabOrder(), order++) << p->Name();
    EXPECT_EQ(f->Panels().size(), 33u);
}

// --- relayout -----------------------------------------------------------------

TEST_F(ParGenFixture, DefaultStateHeightsAndSelectDevice)
{
    EXPECT_EQ(Heights(), (std::vector<int>{67, 206, 67, 292, 123, 65, 94, 291, 205}));
    EXPECT_TRUE(f->CP_WiFi2->Collapsed());
    EXPECT_FALSE(f->CP_WiFi2->Enabled());
    EXPECT_TRUE(f->CP_GSM_GPRS->Collapsed());
    EXPECT_FALSE(f->CP_GSM_GPRS->Enabled());
    EXPECT_FALSE(f->CB_EthConn_En_DHCP_WiFi->Enabled());
    // The stack is closed: each panel starts where the one above ends.
    int y = 0;
    for (auto* p : f->CPG->StackedPanels()) {
        EXPECT_EQ(p->Top(), y) << p->Name();
        y += p->Height();
    }
}

TEST_F(ParGenFixture, SelectDeviceRule)
{
    struct Case {
        int index;
        bool wifi, gsm, dhcpWiFi;
    };
    const Case cases[] = {
        {0, false, false, false},
        {1, true, false, true},
        {2, false, true, false},
        {-1, false, true, true},
    };
    for (const auto& c : cases) {
        f->CB_Select_Device_Device->SetItemIndex(c.index);
        f->Move_GroupBoxs();
        SCOPED_TRACE(c.index);
        EXPECT_EQ(f->CP_WiFi2->Enabled(), c.wifi);
        EXPECT_EQ(!f->CP_WiFi2->Collapsed(), c.wifi);
        EXPECT_EQ(f->CP_GSM_GPRS->Enabled(), c.gsm);
        EXPECT_EQ(!f->CP_GSM_GPRS->Collapsed(), c.gsm);
        EXPECT_EQ(f->CB_EthConn_En_DHCP_WiFi->Enabled(), c.dhcpWiFi);
    }
    // Every relayout expands the chosen panel again after the user collapsed it.
    f->CB_Select_Device_Device->SetItemIndex(1);
    f->Move_GroupBoxs();
    f->CP_WiFi2->HeaderClick();
    ASSERT_TRUE(f->CP_WiFi2->Collapsed());
    f->Move_GroupBoxs();
    EXPECT_FALSE(f->CP_WiFi2->Collapsed());
}

TEST_F(ParGenFixture, MqttRows)
{
    struct Case {
        bool will, publish;
        int publishTop, userTop, height;
    };
    const Case cases[] = {
        {false, false, 180, 208, 292},
        {false, true, 180, 292, 376},
        {true, false, 292, 320, 404},
        {true, true, 292, 404, 488},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.will) + "/" + std::to_string(c.publish));
        f->CB_MQTT_WillFlag->SetChecked(c.will);
        f->CB_MQTT_PublishTopicConnection->SetChecked(c.publish);
        f->Move_GroupBoxs();
        EXPECT_EQ(f->CB_MQTT_PublishTopicConnection->Top(), c.publishTop);
        EXPECT_EQ(f->L_MQTT_Username->Top(), c.userTop);
        EXPECT_EQ(f->E_MQTT_Username->Top(), c.userTop - 3);
        EXPECT_EQ(f->L_MQTT_Password->Top(), c.userTop + 28);
        EXPECT_EQ(f->E_MQTT_Password->Top(), c.userTop + 25);
        EXPECT_EQ(f->CP_MQTT->ExpandedHeight(), c.height);
        EXPECT_EQ(f->L_MQTT_Will_QoS->Visible(), c.will);
        EXPECT_EQ(f->CB_MQTT_Will_QoS->Visible(), c.will);
        EXPECT_EQ(f->E_MQTT_Connection_Message->Visible(), c.publish);
        if (c.publish) {
            EXPECT_EQ(f->L_MQTT_Connection_TopicName->Top(), c.publishTop + 28);
            EXPECT_EQ(f->E_MQTT_Connection_Message->Top(), c.publishTop + 53);
            EXPECT_EQ(f->CB_MQTT_Connection_Retained->Top(), c.publishTop + 84);
        }
        for (TControl* hidden : {static_cast<TControl*>(f->E_MQTT_ASync_Send_Time),
                                 static_cast<TControl*>(f->E_MQTT_TopicDALIAns),
                                 static_cast<TControl*>(f->CB_MQTT_Enable_ReProgram),
                                 static_cast<TControl*>(f->E_MQTT_Reprogram_Topic),
                                 static_cast<TControl*>(f->E_MQTT_Reproram_Value)})
            EXPECT_FALSE(hidden->Visible());
    }
}

TEST_F(ParGenFixture, TlsRows)
{
    struct Case {
        bool tls, server, client;
        int clientTop; // -1: hidden
        int height;
    };
    const Case cases[] = {
        {false, true, true, -1, 65},  {true, false, false, 68, 121}, {true, true, false, 91, 144},
        {true, false, true, 68, 234}, {true, true, true, 91, 257},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.tls) + std::to_string(c.server) + std::to_string(c.client));
        f->CB_TLS_Enable->SetChecked(c.tls);
        f->CB_TLS_En_Server_Auth->SetChecked(c.server);
        f->CB_TLS_En_Client_Auth->SetChecked(c.client);
        f->Move_GroupBoxs();
        EXPECT_EQ(f->CP_TLS->ExpandedHeight(), c.height);
        EXPECT_EQ(f->CB_TLS_En_Client_Auth->Visible(), c.clientTop >= 0);
        if (c.clientTop >= 0) {
            EXPECT_EQ(f->CB_TLS_En_Client_Auth->Top(), c.clientTop);
        }
        EXPECT_EQ(f->E_TLS_Server_Cert->Visible(), c.tls && c.server);
        EXPECT_EQ(f->Btn_TLS_Server_Cert->Visible(), c.tls && c.server);
        const bool clientRows = c.tls && c.client;
        EXPECT_EQ(f->E_TLS_Client_Cert_Key_Pass->Visible(), clientRows);
        if (clientRows) {
            EXPECT_EQ(f->L_TLS_CA_Cert->Top(), c.clientTop + 28);
            EXPECT_EQ(f->E_TLS_CA_Cert->Top(), c.clientTop + 25);
            EXPECT_EQ(f->Btn_TLS_Client_Cert_Key->Top(), f->E_TLS_Client_Cert_Key->Top());
            EXPECT_EQ(f->E_TLS_Client_Cert_Key->Top(), c.clientTop + 81);
            EXPECT_EQ(f->L_TLS_Client_Cert_Key_Pass->Top(), c.clientTop + 112);
        }
        // Sub-options keep their check state while TLS is off.
        EXPECT_EQ(f->CB_TLS_En_Server_Auth->Checked(), c.server);
    }
}

TEST_F(ParGenFixture, WiFiRows)
{
    struct Case {
        int type, security;
        bool dhcp;
        int dhcpTop; // -1: hidden
        int height;
    };
    const Case cases[] = {
        {0, 0, false, 180, 291}, {0, 0, true, 180, 375},  {0, 2, false, 208, 319},
        {0, 3, true, 208, 403},  {0, -1, false, 180, 291}, {1, 2, true, -1, 206},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.security) + "/" + std::to_string(c.dhcp));
        f->CB_WiFi2_Type->SetItemIndex(c.type);
        f->CB_WiFi2_Secure_Type->SetItemIndex(c.security);
        f->CB_WiFi2_En_DHCP->SetChecked(c.dhcp);
        f->Move_GroupBoxs();
        EXPECT_EQ(f->CP_WiFi2->ExpandedHeight(), c.height);
        EXPECT_EQ(f->CB_WiFi2_En_DHCP->Visible(), c.dhcpTop >= 0);
        if (c.dhcpTop >= 0) {
            EXPECT_EQ(f->CB_WiFi2_En_DHCP->Top(), c.dhcpTop);
            EXPECT_EQ(f->E_WiFi2_Password->Visible(), c.security > 0);
            EXPECT_EQ(f->E_WiFi2_DHCP_SM[3]->Visible(), c.dhcp);
            EXPECT_EQ(f->E_WiFi2_IP1_GAT[0]->Top(), 12 + 84 - 2);
            EXPECT_EQ(C("E_WiFi2_IP1_GAT_Dot2")->Top(), 12 + 84);
        } else {
            // Station in V10: one block without its title, then SSID and password.
            EXPECT_FALSE(f->L_WiFi2_IP1->Visible());
            EXPECT_FALSE(f->E_WiFi2_IP2_IP[0]->Visible());
            EXPECT_EQ(f->L_WiFi2_SSID->Top(), 124);
            EXPECT_TRUE(f->E_WiFi2_Password->Visible());
            EXPECT_FALSE(f->CB_WiFi2_Channel->Visible());
        }
    }
}

TEST_F(ParGenFixture, DhcpBoxesDisableAddressBlocks)
{
    f->CB_EthConn_En_DHCP_Cable->SetChecked(true);
    f->CB_EthConn_En_DHCP_WiFi->SetChecked(true);
    f->CB_WiFi2_Type->SetItemIndex(1);
    f->Move_GroupBoxs();
    for (auto* c : {static_cast<TControl*>(f->E_Ethernet_IP[0]), static_cast<TControl*>(f->E_Ethernet_GAT[3]),
                    static_cast<TControl*>(f->CB_Ethernet_En_GAT), static_cast<TControl*>(f->E_WiFi2_IP1_SM[2]),
                    static_cast<TControl*>(f->CB_WiFi2_IP1_En_GAT)})
        EXPECT_FALSE(c->Enabled());
    // Back to access point: block 1 stays disabled until a station layout
    // without DHCP for Wi-Fi enables it again.
    f->CB_WiFi2_Type->SetItemIndex(0);
    f->Move_GroupBoxs();
    EXPECT_FALSE(f->E_WiFi2_IP1_IP[0]->Enabled());
    f->CB_EthConn_En_DHCP_Cable->SetChecked(false);
    f->CB_EthConn_En_DHCP_WiFi->SetChecked(false);
    f->CB_WiFi2_Type->SetItemIndex(1);
    f->Move_GroupBoxs();
    EXPECT_TRUE(f->E_WiFi2_IP1_IP[0]->Enabled());
    EXPECT_TRUE(f->E_Ethernet_IP[0]->Enabled());
}

TEST_F(ParGenFixture, GsmSecondSim)
{
    f->CB_GSM_GPRS_En_Second_SIM->SetChecked(true);
    f->Move_GroupBoxs();
    EXPECT_EQ(f->CP_GSM_GPRS->ExpandedHeight(), 375);
    EXPECT_TRUE(f->CB_GSM_GPRS_Main_SIM->Visible());
    f->CB_GSM_GPRS_En_Second_SIM->SetChecked(false);
    f->Move_GroupBoxs();
    EXPECT_EQ(f->CP_GSM_GPRS->ExpandedHeight(), 205);
    EXPECT_FALSE(f->E_GSM_GPRS_PIN2->Visible());
}

// --- texts ------------------------------------------------------------------------

std::multiset<int> ExpectedTextIds()
{
    std::multiset<int> ids;
    auto add = [&](int a, int b) {
        for (int i = a; i <= b; ++i) ids.insert(i);
    };
    add(400, 405);
    // V10 panels.
    add(4248, 4249);
    add(4251, 4268);
    add(1825, 1826);
    add(429, 454);
    add(4226, 4241);
    add(456, 471);
    add(4243, 4244);
    add(555, 568);
    add(5246, 5247);
    add(570, 573);
    add(5101, 5178);
    add(4151, 4154);
    add(4220, 4225);
    add(5232, 5245);
    // The other variants' panels.
    const std::pair<int, int> blocks[] = {
        {407, 418},   {4245, 4246}, {420, 427},   {479, 553},   {620, 623},   {625, 636},   {645, 664},
        {680, 689},   {1970, 1971}, {691, 699},   {1800, 1808}, {1828, 1838}, {1843, 1850}, {1854, 1857},
        {1860, 1867}, {1872, 1893}, {1915, 1941}, {1959, 1966}, {1973, 1978}, {1981, 1984}, {1987, 1990},
        {1993, 2030}, {2044, 2060}, {2074, 2099}, {4100, 4115}, {4137, 4144}, {4147, 4148}, {4216, 4219},
        {4157, 4196},
    };
    for (const auto& [a, b] : blocks) add(a, b);
    return ids;
}

TEST_F(ParGenFixture, SetLangReadsExactlyTheWindowsTexts)
{
    std::multiset<int> read;
    f->Texts = [&](int id) {
        read.insert(id);
        return "T" + std::to_string(id);
    };
    f->Set_Lang();
    EXPECT_EQ(read, ExpectedTextIds());
    EXPECT_EQ(read.size(), 626u);

    // A few placements.
    EXPECT_EQ(f->Caption(), "T400");
    EXPECT_EQ(f->L_EthConn_Primary_DNS->Caption(), "T4263");
    EXPECT_EQ(f->E_EthConn_Pri_DNS_IP[0]->Hint(), "T4259");
    EXPECT_EQ(f->CB_MQTT_WillFlag->Caption(), "T439");
    EXPECT_EQ(f->CB_MQTT_WillFlag->Hint(), "T440");
    EXPECT_EQ(f->E_MQTT_Server_Port->Hint(), "T432");
    EXPECT_EQ(f->L_TLS_CA_Cert->Caption(), "T5246");
    EXPECT_EQ(f->CB_Ethernet_Reset_24h->Caption(), "T4243");
    // Panel captions stay in the language of the window's creation.
    EXPECT_EQ(f->CP_MQTT->Caption(), "4. MQTT");
}

TEST_F(ParGenFixture, LanguageChangeRefillsTranslatedListsOnly)
{
    f->CB_WiFi2_Type->SetItemIndex(1);
    f->CB_WiFi2_Channel->SetItemIndex(6);
    f->CB_GSM_GPRS_AuthType->SetItemIndex(2);
    f->Texts = [](int id) { return "X" + std::to_string(id); };
    ULanguage::Apply_Set_Lang(); // the registered Set_Lang of the window
    EXPECT_EQ(f->CB_WiFi2_Type->ItemIndex(), 0);
    EXPECT_EQ(f->CB_WiFi2_Type->Items().Text(), "X5103\nX5104\n");
    EXPECT_EQ(f->CB_WiFi2_Channel->ItemIndex(), 0);
    EXPECT_EQ(f->CB_WiFi2_Channel->Items().Count(), 12);
    EXPECT_EQ(f->CB_WiFi2_Secure_Type->Items().Text(), "X5145\nX5146\nX5147\nX5148\n");
    // Built-in lists keep their items and selection.
    EXPECT_EQ(f->CB_GSM_GPRS_AuthType->Items().Text(), "None\nPAP\nCHAP\nPAP or CHAP\n");
    EXPECT_EQ(f->CB_GSM_GPRS_AuthType->ItemIndex(), 2);
    EXPECT_EQ(f->CB_GSM_GPRS_Main_SIM->Items().Text(), "SIM 1\nSIM 2\n");
    EXPECT_EQ(f->CB_CAN_Baudrate->Items().Count(), 10);
    EXPECT_EQ(f->CB_CAN_Baudrate->ItemIndex(), 9);
}

TEST_F(ParGenFixture, DesignDefaultsAndLimits)
{
    EXPECT_EQ(f->CB_Select_Device_Device->Items().Text(),
              "Only Ethernet Cable \nEthernet Cable + Wi-Fi\nEthernet Cable + Mobile Connection\n");
    EXPECT_EQ(f->CB_Select_Device_Device->ItemIndex(), 0);
    EXPECT_EQ(f->CB_CAN_Baudrate->Items().Text(), "10K\n20K\n50K\n62.5K\n100K\n125K\n250K\n500K\n800K\n1000K\n");
    EXPECT_EQ(f->CB_MQTT_Will_QoS->Items().Text(), "0\n1\n2\n");
    EXPECT_EQ(f->CB_WiFi2_Max_Client->Items().Count(), 10);
    EXPECT_EQ(f->CB_WiFi2_Max_Client->ItemIndex(), 9);
    EXPECT_EQ(f->E_MQTT_Server_Port->Text(), "1883");
    EXPECT_EQ(f->E_EthConn_Sec_DNS_IP[3]->Text(), "8");
    EXPECT_EQ(f->E_Ethernet_IP[3]->Text(), "5");
    EXPECT_EQ(f->E_GSM_GPRS_PIN->Text(), "0");
    EXPECT_EQ(f->E_GSM_GPRS_PIN->MaxLength(), 8);
    f->E_GSM_GPRS_PIN->SetText("");
    f->E_GSM_GPRS_PIN->TypeText("12a.3");
    EXPECT_EQ(f->E_GSM_GPRS_PIN->Text(), "123");
    EXPECT_EQ(f->E_GSM_GPRS_Password2->MaxLength(), 32);
    EXPECT_EQ(f->E_EthConn_Device_Name->MaxLength(), 31);
}

// --- triggers ------------------------------------------------------------------

TEST_F(ParGenFixture, OnlyLayoutControlsRelayoutAtOnce)
{
    // Device choice 1 expands Wi-Fi; a relayout re-expands it after the
    // user collapsed it, which shows whether a relayout ran.
    f->CB_Select_Device_Device->UserSelect(1);
    ASSERT_FALSE(f->CP_WiFi2->Collapsed());
    auto collapse = [&] {
        if (!f->CP_WiFi2->Collapsed()) f->CP_WiFi2->HeaderClick();
        ASSERT_TRUE(f->CP_WiFi2->Collapsed());
    };
    collapse();
    f->CB_CAN_Baudrate->UserSelect(3);
    f->CB_GSM_GPRS_AuthType->UserSelect(1);
    f->E_MQTT_Server->TypeText("broker");
    f->CB_MQTT_Clean_Session->Click();
    f->CP_TLS->HeaderClick();
    f->CP_TLS->HeaderClick();
    EXPECT_TRUE(f->CP_WiFi2->Collapsed());

    struct Trigger {
        const char* name;
        std::function<void()> act;
    };
    const Trigger triggers[] = {
        {"WillFlag", [&] { f->CB_MQTT_WillFlag->Click(); }},
        {"TLS", [&] { f->CB_TLS_Enable->Click(); }},
        {"ReProgram", [&] { f->CB_MQTT_Enable_ReProgram->Click(); }},
        {"SecondSIM", [&] { f->CB_GSM_GPRS_En_Second_SIM->Click(); }},
        {"WiFiType", [&] { f->CB_WiFi2_Type->UserSelect(1); }},
        {"MQTT expand", [&] {
             f->CP_MQTT->Collapse();
             f->CP_MQTT->HeaderClick();
         }},
    };
    for (const auto& t : triggers) {
        collapse();
        t.act();
        EXPECT_FALSE(f->CP_WiFi2->Collapsed()) << t.name;
    }
    // The Will box laid out the MQTT rows at once.
    EXPECT_EQ(f->CB_MQTT_PublishTopicConnection->Top(), 292);
    EXPECT_EQ(f->CP_TLS->ExpandedHeight(), 121);
}

TEST_F(ParGenFixture, WindowKeepsItsWidth)
{
    // The window's resize event snaps the width back; the height follows.
    f->ShowForm();
    f->SetClientSize(600, 500);
    EXPECT_EQ(f->ClientWidth(), 460);
    EXPECT_EQ(f->ClientHeight(), 500);
    EXPECT_EQ(f->CPG->Height(), 500 - 69 - 40);
    f->SetClientSize(300, 640);
    EXPECT_EQ(f->ClientWidth(), 460);
    EXPECT_EQ(f->ClientHeight(), 640);
    EXPECT_EQ(f->BorderIcons(), static_cast<unsigned>(biSystemMenu));
    f->Close();
}

// --- '.' key --------------------------------------------------------------------

TEST_F(ParGenFixture, DotKeyMovesAlongTheOctetChains)
{
    f->ShowForm(); // loads the defaults (no configuration file)
    f->CB_Select_Device_Device->SetItemIndex(1);
    f->CB_WiFi2_En_DHCP->SetChecked(true);
    f->Move_GroupBoxs();
    const std::vector<std::vector<std::string>> chains = {
        {"E_Ethernet_IP1", "E_Ethernet_IP2", "E_Ethernet_IP3", "E_Ethernet_IP4", "E_Ethernet_SM1", "E_Ethernet_SM2",
         "E_Ethernet_SM3", "E_Ethernet_SM4", "E_Ethernet_GAT1", "E_Ethernet_GAT2", "E_Ethernet_GAT3",
         "E_Ethernet_GAT4"},
        {"E_EthConn_Pri_DNS_IP1", "E_EthConn_Pri_DNS_IP2", "E_EthConn_Pri_DNS_IP3", "E_EthConn_Pri_DNS_IP4",
         "E_EthConn_Sec_DNS_IP1", "E_EthConn_Sec_DNS_IP2", "E_EthConn_Sec_DNS_IP3", "E_EthConn_Sec_DNS_IP4"},
        {"E_WiFi2_IP1_IP1", "E_WiFi2_IP1_IP2", "E_WiFi2_IP1_IP3", "E_WiFi2_IP1_IP4", "E_WiFi2_IP1_SM1",
         "E_WiFi2_IP1_SM2", "E_WiFi2_IP1_SM3", "E_WiFi2_IP1_SM4", "E_WiFi2_IP1_GAT1", "E_WiFi2_IP1_GAT2",
         "E_WiFi2_IP1_GAT3", "E_WiFi2_IP1_GAT4"},
        {"E_WiFi2_DHCP_First_IP1", "E_WiFi2_DHCP_First_IP2", "E_WiFi2_DHCP_First_IP3", "E_WiFi2_DHCP_First_IP4",
         "E_WiFi2_DHCP_SM1", "E_WiFi2_DHCP_SM2", "E_WiFi2_DHCP_SM3", "E_WiFi2_DHCP_SM4"},
    };
    for (const auto& chain : chains) {
        for (size_t i = 0; i < chain.size(); ++i) {
            TEdit* from = E(chain[i]);
            from->SetFocus();
            ASSERT_TRUE(from->Focused()) << chain[i];
            const std::string before = from->Text();
            from->TypeText(".");
            EXPECT_EQ(from->Text(), before) << chain[i];
            if (i + 1 < chain.size()) {
                EXPECT_TRUE(E(chain[i + 1])->Focused()) << chain[i];
                EXPECT_EQ(E(chain[i + 1])->Text().find('.'), std::string::npos);
            } else {
                EXPECT_TRUE(from->Focused()) << chain[i] << " (last octet)";
            }
        }
    }
    // Block 2 of the Wi-Fi station has its chain too, though V10 hides it.
    EXPECT_EQ(f->Octet_Successor(E("E_WiFi2_IP2_SM4")), E("E_WiFi2_IP2_GAT1"));
    EXPECT_EQ(f->Octet_Successor(E("E_WiFi2_IP2_GAT4")), nullptr);

    // A successor that cannot take the focus leaves it where it is.
    f->E_Ethernet_IP[1]->SetEnabled(false);
    f->E_Ethernet_IP[0]->SetFocus();
    f->E_Ethernet_IP[0]->TypeText(".");
    EXPECT_TRUE(f->E_Ethernet_IP[0]->Focused());
    EXPECT_EQ(f->E_Ethernet_IP[0]->Text(), "192");
    // An octet edit outside every chain only swallows the '.'.
    TEdit* other = E("E_Ethernet_DNS1");
    other->SetText("8");
    other->TypeText(".1");
    EXPECT_EQ(other->Text(), "81");
    f->Close();
}

// --- wheel and picture -------------------------------------------------------------

TEST_F(ParGenFixture, WheelScrollsThePanelGroupByTheSystemLines)
{
    f->ShowForm();
    f->CB_Select_Device_Device->SetItemIndex(1);
    f->Move_GroupBoxs();
    const int saved = WheelScrollLines();
    SetWheelScrollLines(3);
    // The screen point of the group's client point (20, 20).
    int ox = 0, oy = 0;
    f->CPG->ScreenToClient(ox, oy);
    const int gx = 20 - ox, gy = 20 - oy;
    EXPECT_TRUE(f->FormMouseWheel(-120, gx, gy));
    EXPECT_EQ(f->CPG->VertScrollPos(), 3 * f->CPG->VertScrollIncrement());
    EXPECT_TRUE(f->FormMouseWheel(120, gx, gy));
    EXPECT_EQ(f->CPG->VertScrollPos(), 0);
    // Above the group (over the title) the turn is not the window's.
    EXPECT_FALSE(f->FormMouseWheel(-120, gx, gy - 40));
    EXPECT_EQ(f->CPG->VertScrollPos(), 0);
    SetWheelScrollLines(saved);
    f->Close();
}

TEST_F(ParGenFixture, RendersToAPicture)
{
    f->ShowForm();
    f->CB_Select_Device_Device->SetItemIndex(1);
    f->CB_MQTT_WillFlag->SetChecked(true);
    f->Move_GroupBoxs();
    const std::string dir = ZEL_TEST_ARTIFACT_DIR;
    ForceDirectories(dir);
    const std::string file = PathJoin(dir, "ParGen.png");
    ASSERT_TRUE(SaveControlImage(f.get(), file));
    EXPECT_TRUE(FileExists(file));
    f->Close();
}

} // namespace
