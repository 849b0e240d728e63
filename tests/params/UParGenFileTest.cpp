// The communication window with its parameter file: reading, writing,
// validation on OK, the TLS file import, and the image builder reading what
// the window wrote.
#include "params/UParGen.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "image/ParBlock.h"
#include "platform/ControlInput.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A configuration folder "Plant" in a temporary program folder, and the
// window over it.
struct ParGenConfig : ::testing::Test {
    static void SetUpTestSuite()
    {
        if (UComon::UI_Texts.Count() == 0) ULanguage::Load_Default_Lang();
    }
    TempDir dir;
    std::string project = PathJoin(dir.path(), "Plant");
    std::unique_ptr<TFParGen> f;
    RecordingMessageBoxes boxes;

    void SetUp() override
    {
        ForceDirectories(project);
        UComon::Project_Folder = project;
        UComon::Set_Files();
        f = std::make_unique<TFParGen>();
    }
    void TearDown() override
    {
        f.reset();
        SetFileDialogHandler(nullptr);
        SetModalHandler(nullptr);
        UComon::Project_Folder.clear();
        UComon::Set_Files();
    }
    const std::string& File() const { return UComon::File_ParGen; }

    // Opens the window as Set Communication does; the handler acts while it
    // is shown. Returns the modal result.
    int Open(const std::function<void()>& act = {})
    {
        SetModalHandler([&](TForm&) {
            if (act) act();
        });
        const int r = f->ShowModal();
        SetModalHandler(nullptr);
        return r;
    }
    // Opens the window, lets act edit it, and presses OK.
    int OpenAndOk(const std::function<void()>& act = {})
    {
        return Open([&] {
            if (act) act();
            f->Btn_OK->Click();
        });
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> r;
        for (const auto& s : boxes.shown) r.push_back(s.text);
        return r;
    }
    // A file with the given elements under a Par_Gen root.
    void Write_ParGen(const std::vector<std::pair<std::string, std::string>>& elements) const
    {
        TXmlDocument doc;
        auto root = doc.NewDocument("Par_Gen");
        doc.AddDocumentComment("SW_VERSION = 1.002");
        for (const auto& [k, v] : elements) AddTextElement(root, k.c_str(), v);
        ASSERT_TRUE(doc.SaveToFile(File()));
    }
};

std::string Address(TEdit* const (&row)[4])
{
    return row[0]->Text() + "." + row[1]->Text() + "." + row[2]->Text() + "." + row[3]->Text();
}

// --- missing file, golden default, round trip ------------------------------------

TEST_F(ParGenConfig, NoFileShowsTheMissingFileValuesAndWritesTheGoldenDefault)
{
    Open([&] {
        EXPECT_EQ(Address(f->E_Ethernet_IP), "192.168.0.10");
        EXPECT_EQ(Address(f->E_Ethernet_SM), "255.255.255.0");
        EXPECT_EQ(Address(f->E_Ethernet_GAT), "192.168.0.1");
        EXPECT_FALSE(f->CB_Ethernet_En_GAT->Checked());
        EXPECT_EQ(Address(f->E_EthConn_Pri_DNS_IP), "8.8.8.8");
        EXPECT_EQ(Address(f->E_EthConn_Sec_DNS_IP), "8.8.8.8");
        EXPECT_EQ(f->E_MQTT_Server_Port->Text(), "1883");
        EXPECT_EQ(f->E_MQTT_ASync_Send_Time->Text(), "10");
        EXPECT_EQ(f->CB_CAN_Baudrate->Text(), "1000K");
        EXPECT_EQ(f->CB_WiFi2_Type->ItemIndex(), 0);
        EXPECT_EQ(Address(f->E_WiFi2_IP1_IP), "192.168.0.100");
        EXPECT_EQ(Address(f->E_WiFi2_DHCP_First_IP), "192.168.0.200");
        EXPECT_EQ(Address(f->E_WiFi2_DHCP_SM), "255.255.255.0");
        EXPECT_EQ(f->E_WiFi2_Lease_Time->Text(), "86400");
        EXPECT_EQ(f->CB_WiFi2_Channel->Text(), "1");
        EXPECT_EQ(f->CB_WiFi2_Max_Client->Text(), "1");
        EXPECT_EQ(f->CB_GSM_GPRS_AuthType->Text(), "None");
        EXPECT_EQ(f->CB_GSM_GPRS_Main_SIM->Text(), "SIM 1");
        EXPECT_EQ(f->E_GSM_GPRS_PIN->Text(), "");
        // The window was laid out for the loaded values.
        EXPECT_EQ(f->CP_MQTT->ExpandedHeight(), 292);
        ASSERT_TRUE(f->Save_ParGen());
    });
    // Kept in the build tree for a person to look at.
    ForceDirectories(ZEL_TEST_ARTIFACT_DIR);
    WriteFile(PathJoin(ZEL_TEST_ARTIFACT_DIR, "ParGen_default.xml"), ReadFile(File()));
    EXPECT_EQ(ReadFile(File()), ReadFile(TestDataPath("ParGen_default.xml")));

    // The file's shape, independently of the golden bytes: the root first
    // with its 112 children, the version comment after it.
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(File()), TXmlLoad::Read);
    const pugi::xml_node first = doc.Doc().first_child();
    EXPECT_EQ(std::string(first.name()), "Par_Gen");
    EXPECT_EQ(ElementChildCount(first), 112);
    EXPECT_EQ(first.next_sibling().type(), pugi::node_comment);
    EXPECT_EQ(std::string(first.next_sibling().value()), "SW_VERSION = 1.002");
    EXPECT_FALSE(first.next_sibling().next_sibling());
    EXPECT_EQ(std::string(first.first_child().name()), "Select_Device");
    EXPECT_EQ(std::string(first.last_child().name()), "GSM_GPRS_MAIN_SIM");
}

TEST_F(ParGenConfig, OkOnANewConfigurationNeedsThePollTime)
{
    // The empty NTP poll time reads as -1.
    EXPECT_EQ(OpenAndOk(), mrCancel);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error NTP!! Poll Time must be between 0 and 10000000 seconds"});
    EXPECT_FALSE(FileExists(File()));

    EXPECT_EQ(OpenAndOk([&] { f->E_NTP_Poll_Time->SetText("60"); }), mrOk);
    std::string expected = ReadFile(TestDataPath("ParGen_default.xml"));
    const std::string empty = "<NTP_Poll_Time />";
    ASSERT_NE(expected.find(empty), std::string::npos);
    expected.replace(expected.find(empty), empty.size(), "<NTP_Poll_Time>60</NTP_Poll_Time>");
    EXPECT_EQ(ReadFile(File()), expected);
}

TEST_F(ParGenConfig, RoundTripRestoresEveryControl)
{
    // Every element holds a value other than its default (texts with
    // blanks, markup characters and non-ASCII letters, empty texts where the
    // default is not empty).
    const std::string values = ReadFile(TestDataPath("ParGen_values.xml"));
    WriteFile(File(), values);
    EXPECT_EQ(OpenAndOk(), mrOk);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ReadFile(File()), values);
}

TEST_F(ParGenConfig, CancelDiscardsTheEdits)
{
    WriteFile(File(), ReadFile(TestDataPath("ParGen_values.xml")));
    const std::string before = ReadFile(File());
    EXPECT_EQ(Open([&] {
                  f->E_MQTT_Server->SetText("edited");
                  f->Btn_Cancel->Click();
              }),
              mrCancel);
    EXPECT_EQ(ReadFile(File()), before);
    Open([&] { EXPECT_NE(f->E_MQTT_Server->Text(), "edited"); });
}

// --- reading ------------------------------------------------------------------------

TEST_F(ParGenConfig, ReadingTable)
{
    struct Case {
        const char* what;
        std::string file; // the whole file
        std::function<std::string(TFParGen&)> read;
        std::string expected;
    };
    auto doc = [](const std::string& elements) { return "<Par_Gen>" + elements + "</Par_Gen>"; };
    auto checked = [](TCheckBox* TFParGen::*m) {
        return [m](TFParGen& w) { return std::string((w.*m)->Checked() ? "checked" : "unchecked"); };
    };
    auto index = [](TComboBox* TFParGen::*m) {
        return [m](TFParGen& w) { return std::to_string((w.*m)->ItemIndex()); };
    };
    auto text = [](TComboBox* TFParGen::*m) { return [m](TFParGen& w) { return (w.*m)->Text(); }; };
    auto edit = [](TEdit* TFParGen::*m) { return [m](TFParGen& w) { return (w.*m)->Text(); }; };
    auto ip4 = [](TFParGen& w) { return w.E_Ethernet_IP[3]->Text(); };

    const Case cases[] = {
        {"plain flag 1", doc("<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable>"),
         checked(&TFParGen::CB_EthConn_En_DHCP_Cable), "checked"},
        {"plain flag 01", doc("<Eth_Conn_DHCP_Cable>01</Eth_Conn_DHCP_Cable>"),
         checked(&TFParGen::CB_EthConn_En_DHCP_Cable), "unchecked"},
        {"integer flag 01", doc("<TLS_Enable>01</TLS_Enable>"), checked(&TFParGen::CB_TLS_Enable), "checked"},
        {"integer flag $1", doc("<TLS_Enable>$1</TLS_Enable>"), checked(&TFParGen::CB_TLS_Enable), "checked"},
        {"integer flag 2", doc("<TLS_Enable>2</TLS_Enable>"), checked(&TFParGen::CB_TLS_Enable), "unchecked"},
        {"integer flag no number", doc("<WiFi_EN_DHCP>yes</WiFi_EN_DHCP>"), checked(&TFParGen::CB_WiFi2_En_DHCP),
         "unchecked"},
        {"index", doc("<WiFi_Channel>6</WiFi_Channel>"), index(&TFParGen::CB_WiFi2_Channel), "6"},
        {"index with blanks before", doc("<CAN_BAUDRATE> 5</CAN_BAUDRATE>"), index(&TFParGen::CB_CAN_Baudrate),
         "5"},
        {"index no number: channel", doc("<WiFi_Channel>six</WiFi_Channel>"), index(&TFParGen::CB_WiFi2_Channel),
         "1"},
        {"index no number: baud rate", doc("<CAN_BAUDRATE>fast</CAN_BAUDRATE>"), index(&TFParGen::CB_CAN_Baudrate),
         "9"},
        {"index out of range", doc("<WiFi_Channel>12</WiFi_Channel>"), index(&TFParGen::CB_WiFi2_Channel), "-1"},
        {"index below range", doc("<Select_Device>-7</Select_Device>"), index(&TFParGen::CB_Select_Device_Device),
         "-1"},
        {"item text without case", doc("<GSM_GPRS_AUTHTYPE>pap</GSM_GPRS_AUTHTYPE>"),
         text(&TFParGen::CB_GSM_GPRS_AuthType), "PAP"},
        {"item text of two words", doc("<GSM_GPRS_AUTHTYPE_2>pap OR chap</GSM_GPRS_AUTHTYPE_2>"),
         text(&TFParGen::CB_GSM_GPRS_AuthType2), "PAP or CHAP"},
        {"item text unknown", doc("<GSM_GPRS_AUTHTYPE>KERBEROS</GSM_GPRS_AUTHTYPE>"),
         text(&TFParGen::CB_GSM_GPRS_AuthType), "None"},
        {"main SIM", doc("<GSM_GPRS_MAIN_SIM>sim 2</GSM_GPRS_MAIN_SIM>"), text(&TFParGen::CB_GSM_GPRS_Main_SIM),
         "SIM 2"},
        {"text kept as it is", doc("<MQTT_Client_ID>  gate way  </MQTT_Client_ID>"),
         edit(&TFParGen::E_MQTT_Client_ID), "  gate way  "},
        {"missing element: its default", doc("<Ethernet_IP1>10</Ethernet_IP1>"), ip4, "10"},
        {"missing send time stays empty", doc(""), edit(&TFParGen::E_MQTT_ASync_Send_Time), ""},
        {"first duplicate wins", doc("<Ethernet_IP4>7</Ethernet_IP4><Ethernet_IP4>8</Ethernet_IP4>"), ip4, "7"},
        {"unknown elements ignored", doc("<Bogus>1</Bogus><Ethernet_IP4>9</Ethernet_IP4>"), ip4, "9"},
        {"nested element is no value",
         doc("<Ethernet_IP4><x>3</x></Ethernet_IP4>"), ip4, ""},
        {"declaration before the root", "<?xml version=\"1.0\"?>\n" + doc("<Ethernet_IP4>11</Ethernet_IP4>"), ip4,
         "11"},
        {"root of another name", "<Other><Ethernet_IP4>12</Ethernet_IP4></Other>", ip4, "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(File(), c.file);
        std::string got;
        Open([&] { got = c.read(*f); });
        EXPECT_EQ(got, c.expected);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ParGenConfig, AChannelOutOfRangeIsStoredAsNoSelection)
{
    Write_ParGen({{"WiFi_Channel", "12"}, {"NTP_Poll_Time", "0"}});
    EXPECT_EQ(OpenAndOk(), mrOk);
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(File()), TXmlLoad::Read);
    EXPECT_EQ(ElementText(ChildElement(doc.Root(), "WiFi_Channel")), "-1");
}

TEST_F(ParGenConfig, AFileThatIsNoXmlIsReportedAndKeptUntilOk)
{
    const std::string broken = "<Par_Gen><Ethernet_IP1>10</Ethernet_IP1>";
    WriteFile(File(), broken);
    Open([&] {
        EXPECT_EQ(Address(f->E_Ethernet_IP), "192.168.0.10");
        EXPECT_EQ(f->E_MQTT_ASync_Send_Time->Text(), "10");
    });
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    EXPECT_NE(boxes.shown[0].text.find(File()), std::string::npos);
    EXPECT_EQ(ReadFile(File()), broken);

    EXPECT_EQ(OpenAndOk([&] { f->E_NTP_Poll_Time->SetText("5"); }), mrOk);
    TXmlDocument doc;
    EXPECT_EQ(doc.LoadFromFile(File()), TXmlLoad::Read);
}

// A folder, a pipe, a device or a dangling link in the file's place is
// named when the window opens; OK asks before replacing it, and No keeps it
// (only a dangling link can be replaced by a file).
TEST_F(ParGenConfig, ANameThatIsNoRegularFileIsReportedAndReplacedOnlyWhenTheUserAgrees)
{
    for (NonFile::Kind kind : NonFile::All) {
        SCOPED_TRACE(NonFile::Name(kind));
        std::filesystem::remove_all(File());
        NonFile thing(File(), kind);
        boxes.shown.clear();
        boxes.Answer(mrOk);
        boxes.Answer(mrNo);
        int stillOpen = -1;
        EXPECT_EQ(Open([&] {
                      ASSERT_EQ(boxes.shown.size(), 1u);
                      EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
                      EXPECT_NE(boxes.shown[0].text.find("\"" + File() + "\" cannot be used: it is " +
                                                         NonFile::Name(kind) + ", not a readable file"),
                                std::string::npos)
                          << boxes.shown[0].text;
                      EXPECT_EQ(Address(f->E_Ethernet_IP), "192.168.0.10");
                      f->E_NTP_Poll_Time->SetText("5");
                      f->Btn_OK->Click();
                      stillOpen = f->ModalResult();
                  }),
                  mrCancel);
        EXPECT_EQ(stillOpen, mrNone);
        ASSERT_EQ(boxes.shown.size(), 2u);
        EXPECT_EQ(boxes.shown[1].buttons, TMsgDlgButtons::mbYesNo);
        EXPECT_NE(boxes.shown[1].text.find(File()), std::string::npos);
        EXPECT_TRUE(thing.Unchanged());

        const int result = OpenAndOk([&] { f->E_NTP_Poll_Time->SetText("5"); });
        if (kind == NonFile::DanglingLink) {
            EXPECT_EQ(result, mrOk);
            TXmlDocument doc;
            EXPECT_EQ(doc.LoadFromFile(File()), TXmlLoad::Read);
        } else {
            EXPECT_EQ(result, mrCancel);
            EXPECT_TRUE(thing.Unchanged());
            EXPECT_NE(boxes.shown.back().text.find("could not be written"), std::string::npos);
        }
    }
}

TEST_F(ParGenConfig, AFailedSaveKeepsTheWindowOpen)
{
    UComon::File_ParGen = PathJoin(PathJoin(project, "missing-folder"), "ParGen.xml");
    int stillOpen = -1;
    EXPECT_EQ(Open([&] {
                  f->E_NTP_Poll_Time->SetText("5");
                  f->Btn_OK->Click();
                  stillOpen = f->ModalResult();
              }),
              mrCancel);
    EXPECT_EQ(stillOpen, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("could not be written"), std::string::npos);
}

// --- validation -----------------------------------------------------------------------

TEST_F(ParGenConfig, ValidationTable)
{
    struct Case {
        const char* what;
        std::function<void(TFParGen&)> set;
        std::string message; // "" = passes
    };
    auto text = [](const char* name, std::string value) {
        return [name, value](TFParGen& w) { w.Find<TEdit>(name)->SetText(value); };
    };
    auto check = [](const char* name) { return [name](TFParGen& w) { w.Find<TCheckBox>(name)->SetChecked(true); }; };
    auto all = [](std::vector<std::function<void(TFParGen&)>> steps) {
        return [steps](TFParGen& w) {
            for (const auto& s : steps) s(w);
        };
    };
    auto station = [](TFParGen& w) {
        w.CB_WiFi2_Type->SetItemIndex(1);
        w.Move_GroupBoxs();
    };
    auto block2 = [](TFParGen& w) {
        for (TEdit* e : w.E_WiFi2_IP2_IP) e->SetVisible(true);
    };

    const Case cases[] = {
        {"defaults with a poll time", {}, ""},
        // 1, 2: DNS of the Ethernet connection.
        {"DNS off: not checked", text("E_EthConn_Pri_DNS_IP1", "300"), ""},
        {"primary DNS 1", all({check("CB_EthConn_Enable_DNS"), text("E_EthConn_Pri_DNS_IP1", "256")}),
         "Error DNS (Cable Connection)!! DNS 1 must be between 0 and 255"},
        {"secondary DNS 4", all({check("CB_EthConn_Enable_DNS"), text("E_EthConn_Sec_DNS_IP4", "-1")}),
         "Error DNS (Wi-Fi Connection)!! DNS 4 must be between 0 and 255"},
        {"DNS comes before the Ethernet address",
         all({check("CB_EthConn_Enable_DNS"), text("E_EthConn_Pri_DNS_IP1", "300"), text("E_Ethernet_IP1", "256")}),
         "Error DNS (Cable Connection)!! DNS 1 must be between 0 and 255"},
        // 3: reprogramming value, only while shown.
        {"reprogramming value hidden", text("E_MQTT_Reproram_Value", "x"), ""},
        {"reprogramming value shown",
         all({text("E_MQTT_Reproram_Value", "256"), [](TFParGen& w) { w.E_MQTT_Reproram_Value->SetVisible(true); }}),
         "Error MQTT!! Value Enable Reprogramming must be between 0 and 255"},
        // 4, 5, 6, 7: Ethernet.
        {"IP 1 above", text("E_Ethernet_IP1", "256"), "Error Ethernet!! IP Address 1 must be between 0 and 255"},
        {"IP 4 empty", text("E_Ethernet_IP4", ""), "Error Ethernet!! IP Address 4 must be between 0 and 255"},
        {"IP 2 below", text("E_Ethernet_IP2", "-1"), "Error Ethernet!! IP Address 2 must be between 0 and 255"},
        {"octet bounds pass", all({text("E_Ethernet_IP1", "0"), text("E_Ethernet_IP2", "255")}), ""},
        {"hexadecimal $FF", text("E_Ethernet_IP3", "$FF"), ""},
        {"hexadecimal 0x1F", text("E_Ethernet_IP3", "0x1F"), ""},
        {"blank before", text("E_Ethernet_IP3", " 12"), ""},
        {"blank after", text("E_Ethernet_IP3", "12 "), "Error Ethernet!! IP Address 3 must be between 0 and 255"},
        {"mask 2 letters", text("E_Ethernet_SM2", "x"), "Error Ethernet!! SubNet Mask 2 must be between 0 and 255"},
        {"gateway off: not checked", text("E_Ethernet_GAT3", "abc"), ""},
        {"gateway 3", all({check("CB_Ethernet_En_GAT"), text("E_Ethernet_GAT3", "abc")}),
         "Error Ethernet!! Gateway IP 3 must be between 0 and 255"},
        {"Ethernet DNS hidden", all({check("CB_Ethernet_En_DNS"), text("E_Ethernet_DNS1", "300")}), ""},
        {"Ethernet DNS shown",
         all({check("CB_Ethernet_En_DNS"), text("E_Ethernet_DNS1", "300"),
              [](TFParGen& w) { w.CB_Ethernet_En_DNS->SetVisible(true); }}),
         "Error Ethernet!! DNS 1 must be between 0 and 255"},
        // 8 .. 13: access point, also with the Wi-Fi panel off.
        {"access point IP 4", text("E_WiFi2_IP1_IP4", ""), "Error WiFi!! IP Address 4 must be between 0 and 255"},
        {"access point mask 1", text("E_WiFi2_IP1_SM1", "256"), "Error WiFi!! SubNet Mask 1 must be between 0 and 255"},
        {"access point gateway off", text("E_WiFi2_IP1_GAT2", "x"), ""},
        {"access point gateway 2", all({check("CB_WiFi2_IP1_En_GAT"), text("E_WiFi2_IP1_GAT2", "x")}),
         "Error WiFi!! Gateway 2 must be between 0 and 255"},
        {"DHCP off: not checked", all({text("E_WiFi2_DHCP_First_IP3", "x"), text("E_WiFi2_Lease_Time", "0")}), ""},
        {"DHCP first address 3", all({check("CB_WiFi2_En_DHCP"), text("E_WiFi2_DHCP_First_IP3", "256")}),
         "Error WiFi!! DHCP First IP Address 3 must be between 0 and 255"},
        {"DHCP mask 4", all({check("CB_WiFi2_En_DHCP"), text("E_WiFi2_DHCP_SM4", "-5")}),
         "Error WiFi!! DHCP SUBNET Mask 4 must be between 0 and 255"},
        {"lease 0", all({check("CB_WiFi2_En_DHCP"), text("E_WiFi2_Lease_Time", "0")}),
         "Error WiFi!! Lease Time must be between 1 and 99999999 seconds"},
        {"lease 1", all({check("CB_WiFi2_En_DHCP"), text("E_WiFi2_Lease_Time", "1")}), ""},
        {"lease 99999999", all({check("CB_WiFi2_En_DHCP"), text("E_WiFi2_Lease_Time", "99999999")}), ""},
        {"lease 100000000", all({check("CB_WiFi2_En_DHCP"), text("E_WiFi2_Lease_Time", "100000000")}),
         "Error WiFi!! Lease Time must be between 1 and 99999999 seconds"},
        // 14 .. 19: station.
        {"station IP 1", all({station, text("E_WiFi2_IP1_IP1", "256")}),
         "Error WiFi - IP Address 1 !! IP Address 1 must be between 0 and 255"},
        {"station mask 3", all({station, text("E_WiFi2_IP1_SM3", "x")}),
         "Error WiFi - IP Address 1 !! SubNet Mask 3 must be between 0 and 255"},
        {"station gateway 4", all({station, check("CB_WiFi2_IP1_En_GAT"), text("E_WiFi2_IP1_GAT4", "")}),
         "Error WiFi - IP Address 1 !! Gateway 4 must be between 0 and 255"},
        {"station with DHCP for Wi-Fi",
         all({check("CB_EthConn_En_DHCP_WiFi"), station, text("E_WiFi2_IP1_IP1", "256")}), ""},
        {"station skips the access point's DHCP rows",
         all({station, check("CB_WiFi2_En_DHCP"), text("E_WiFi2_Lease_Time", "0")}), ""},
        {"second station address hidden", all({station, text("E_WiFi2_IP2_IP1", "x")}), ""},
        {"second station address 1", all({station, block2, text("E_WiFi2_IP2_IP1", "x")}),
         "Error WiFi - IP Address 2 !! IP Address 1 must be between 0 and 255"},
        {"second station address, first disabled",
         all({check("CB_EthConn_En_DHCP_WiFi"), station,
              [](TFParGen& w) {
                  for (TEdit* e : w.E_WiFi2_IP2_IP) e->SetVisible(true);
                  for (TEdit* e : w.E_WiFi2_IP2_IP) e->SetEnabled(true);
              },
              text("E_WiFi2_IP1_IP1", "256"), text("E_WiFi2_IP2_SM2", "256")}),
         "Error WiFi - IP Address 2 !! SubNet Mask 2 must be between 0 and 255"},
        {"second station gateway 1", all({station, block2, check("CB_WiFi2_IP2_En_GAT"), text("E_WiFi2_IP2_GAT1", "")}),
         "Error WiFi - IP Address 2 !! Gateway 1 must be between 0 and 255"},
        // 20: NTP.
        {"poll time 0", text("E_NTP_Poll_Time", "0"), ""},
        {"poll time 10000000", text("E_NTP_Poll_Time", "10000000"), ""},
        {"poll time 10000001", text("E_NTP_Poll_Time", "10000001"),
         "Error NTP!! Poll Time must be between 0 and 10000000 seconds"},
        {"poll time -1", text("E_NTP_Poll_Time", "-1"), "Error NTP!! Poll Time must be between 0 and 10000000 seconds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f = std::make_unique<TFParGen>();
        f->E_NTP_Poll_Time->SetText("100");
        if (c.set) c.set(*f);
        boxes.shown.clear();
        const bool ok = f->Controllo_Dati();
        EXPECT_EQ(ok, c.message.empty());
        if (c.message.empty()) {
            EXPECT_TRUE(boxes.shown.empty());
        } else {
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, c.message);
            EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
            EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbOK);
        }
    }
}

TEST_F(ParGenConfig, ARefusedOkLeavesTheFileAsItWas)
{
    const std::string values = ReadFile(TestDataPath("ParGen_values.xml"));
    WriteFile(File(), values);
    int stillOpen = -1;
    std::string typed;
    Open([&] {
        f->E_Ethernet_IP[0]->SetText("999");
        f->E_MQTT_Server->SetText("other.example");
        f->Btn_OK->Click();
        stillOpen = f->ModalResult();
        typed = f->E_Ethernet_IP[0]->Text();
    });
    EXPECT_EQ(stillOpen, 0);
    EXPECT_EQ(typed, "999");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error Ethernet!! IP Address 1 must be between 0 and 255"});
    EXPECT_EQ(ReadFile(File()), values);
}

// --- TLS file import -------------------------------------------------------------------

struct TlsImport : ParGenConfig {
    TempDir outside;
    std::string certificates = PathJoin(project, "Certificates");
    // The dialog's answer: a path, or "" for Cancel.
    std::string chosen;
    int dialogs = 0;

    void SetUp() override
    {
        ParGenConfig::SetUp();
        // The "..." buttons show with TLS and its authentications on.
        f->CB_TLS_Enable->SetChecked(true);
        f->CB_TLS_En_Server_Auth->SetChecked(true);
        f->CB_TLS_En_Client_Auth->SetChecked(true);
        f->Move_GroupBoxs();
        SetFileDialogHandler([this](const TFileDialogRequest& r, std::string& name) {
            ++dialogs;
            EXPECT_FALSE(r.Save);
            EXPECT_EQ(r.Filter, "Any Files (*.*)|*.*");
            if (chosen.empty()) return false;
            name = chosen;
            return true;
        });
    }
};

TEST_F(TlsImport, FirstImportCreatesTheFolderAndCopiesTheFile)
{
    WriteFile(outside.file("server.crt"), "SERVER");
    chosen = outside.file("server.crt");
    ASSERT_FALSE(DirectoryExists(certificates));
    f->Btn_TLS_Server_Cert->Click();
    EXPECT_TRUE(DirectoryExists(certificates));
    EXPECT_EQ(ReadFile(PathJoin(certificates, "server.crt")), "SERVER");
    EXPECT_EQ(f->E_TLS_Server_Cert->Text(), "server.crt");
    EXPECT_TRUE(boxes.shown.empty());

    // Each button fills its own field.
    WriteFile(outside.file("ca.pem"), "CA");
    WriteFile(outside.file("client.pem"), "CLIENT");
    WriteFile(outside.file("client.key"), "KEY");
    const std::pair<TLbButton*, TEdit*> buttons[] = {{f->Btn_TLS_CA_Cert, f->E_TLS_CA_Cert},
                                                      {f->Btn_TLS_Client_Cert, f->E_TLS_Client_Cert},
                                                      {f->Btn_TLS_Client_Cert_Key, f->E_TLS_Client_Cert_Key}};
    const char* names[] = {"ca.pem", "client.pem", "client.key"};
    for (int i = 0; i < 3; ++i) {
        chosen = outside.file(names[i]);
        buttons[i].first->Click();
        EXPECT_EQ(buttons[i].second->Text(), names[i]);
    }
    EXPECT_EQ(f->E_TLS_Server_Cert->Text(), "server.crt");
    EXPECT_EQ(ListFiles(certificates), (std::vector<std::string>{"ca.pem", "client.key", "client.pem", "server.crt"}));
}

TEST_F(TlsImport, AnExistingFileDifferingInCaseAsksTheQuestion)
{
    WriteFile(PathJoin(certificates, "Client.pem"), "OLD");
    WriteFile(outside.file("Client.PEM"), "NEW");
    chosen = outside.file("Client.PEM");
    f->E_TLS_Client_Cert->SetText("Client.pem");

    for (int answer : {mrNo, mrCancel}) {
        boxes.Answer(answer);
        f->Btn_TLS_Client_Cert->Click();
        EXPECT_EQ(f->E_TLS_Client_Cert->Text(), "Client.pem");
        EXPECT_EQ(ListFiles(certificates), std::vector<std::string>{"Client.pem"});
        EXPECT_EQ(ReadFile(PathJoin(certificates, "Client.pem")), "OLD");
    }
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "This file is already present in Certificates folder. Do you want to overwrite?");
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbYesNoCancel);

    boxes.Answer(mrYes);
    f->Btn_TLS_Client_Cert->Click();
    EXPECT_EQ(f->E_TLS_Client_Cert->Text(), "Client.PEM");
    EXPECT_EQ(ListFiles(certificates), std::vector<std::string>{"Client.PEM"});
    EXPECT_EQ(ReadFile(PathJoin(certificates, "Client.PEM")), "NEW");
}

TEST_F(TlsImport, AFileInsideTheCertificatesFolderIsNotCopied)
{
    WriteFile(PathJoin(certificates, "key.pem"), "KEY");
    chosen = PathJoin(certificates, "key.pem");
    f->Btn_TLS_Client_Cert_Key->Click();
    EXPECT_EQ(f->E_TLS_Client_Cert_Key->Text(), "key.pem");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ReadFile(PathJoin(certificates, "key.pem")), "KEY");
    EXPECT_EQ(ListFiles(certificates), std::vector<std::string>{"key.pem"});
}

TEST_F(TlsImport, CancelOrAVanishedFileChangesNothing)
{
    f->E_TLS_CA_Cert->SetText("old.pem");
    chosen.clear();
    f->Btn_TLS_CA_Cert->Click();
    chosen = outside.file("gone.pem");
    f->Btn_TLS_CA_Cert->Click();
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(f->E_TLS_CA_Cert->Text(), "old.pem");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(ListFiles(certificates).empty());
}

TEST_F(TlsImport, AFailedCopyIsReportedAndTheFieldKeepsItsValue)
{
    WriteFile(outside.file("server.crt"), "SERVER");
    chosen = outside.file("server.crt");
    f->E_TLS_Server_Cert->SetText("old.crt");

    // The source cannot be read.
    f->Read_Certificate_Source = [](const std::string&, std::string&) { return false; };
    f->Btn_TLS_Server_Cert->Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(f->E_TLS_Server_Cert->Text(), "old.crt");
    EXPECT_FALSE(FileExists(PathJoin(certificates, "server.crt")));

    // The target cannot be written (a folder holds its name).
    f->Read_Certificate_Source = [](const std::string& p, std::string& b) { return ReadFileBytes(p, b); };
    ForceDirectories(PathJoin(certificates, "server.crt"));
    f->Btn_TLS_Server_Cert->Click();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(f->E_TLS_Server_Cert->Text(), "old.crt");
    EXPECT_TRUE(DirectoryExists(PathJoin(certificates, "server.crt")));
}

// --- the image builder reads what the window wrote ------------------------------------

TEST_F(ParGenConfig, TheImageBuilderReadsTheWrittenFile)
{
    WriteFile(PathJoin(PathJoin(project, "Certificates"), "server.crt"), "S1\nS2\n");
    EXPECT_EQ(OpenAndOk([&] {
                  f->E_EthConn_Device_Name->SetText("gw-7");
                  f->CB_EthConn_En_DHCP_WiFi->SetChecked(true);
                  f->CB_EthConn_Enable_DNS->SetChecked(true);
                  for (int i = 0; i < 4; ++i) f->E_EthConn_Sec_DNS_IP[i]->SetText(std::to_string(1 + i));
                  f->CB_CAN_Baudrate->SetItemIndex(5);
                  f->E_MQTT_Server->SetText("broker.example");
                  f->E_MQTT_Server_Port->SetText("8883");
                  f->E_MQTT_Keep_Alive->SetText("");
                  f->CB_MQTT_Clean_Session->SetChecked(true);
                  f->CB_MQTT_Will_QoS->SetItemIndex(2);
                  const char* ip[] = {"10", "1", "2", "3"};
                  for (int i = 0; i < 4; ++i) f->E_Ethernet_IP[i]->SetText(ip[i]);
                  f->CB_Ethernet_En_GAT->SetChecked(true);
                  f->E_WiFi2_SSID->SetText("plant-net");
                  f->CB_WiFi2_Secure_Type->SetItemIndex(2);
                  f->CB_WiFi2_Max_Client->SetItemIndex(3);
                  f->CB_WiFi2_Channel->SetItemIndex(0);
                  f->CB_TLS_Enable->SetChecked(true);
                  f->CB_TLS_En_Server_Auth->SetChecked(true);
                  f->E_TLS_Server_Cert->SetText("server.crt");
                  f->E_NTP_Server_URL->SetText("pool.ntp.org");
                  f->E_NTP_Poll_Time->SetText("3600");
              }),
              mrOk);

    USaveBincc::TPar_Block b;
    USaveBincc::Init_Par_Block(b);
    USaveBincc::TMQTT m;
    USaveBincc::Load_ParGen_Image(b, m);
    using namespace USaveBincc::ParOfs;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b.Bytes[Host_Name]), 4), "gw-7");
    EXPECT_EQ(b.Bytes[DHCP_Flags], 2);
    EXPECT_EQ(b.Bytes[DNS_Primary], 8);
    EXPECT_EQ(b.Bytes[DNS_Secondary + 3], 4);
    EXPECT_EQ(b.Get32(CAN_Baud), 125000u);
    EXPECT_EQ(m.Server_Address, "broker.example");
    EXPECT_EQ(m.Server_Port, 8883);
    EXPECT_EQ(m.Connect_Data.KeepAliveInterval, 0);
    EXPECT_EQ(m.Connect_Data.CleanSession, 1);
    EXPECT_EQ(m.Connect_Data.Will.QoS, 2);
    EXPECT_EQ(m.Time_Poll, 10u); // the send time of a new configuration
    EXPECT_EQ(b.Bytes[Eth_IP], 10);
    EXPECT_EQ(b.Bytes[Eth_IP + 3], 3);
    EXPECT_EQ(b.Get32(Eth_GAT), 0x0100A8C0u); // 192.168.0.1
    EXPECT_EQ(b.Bytes[WiFi_Mode], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b.Bytes[WiFi_SSID]), 9), "plant-net");
    EXPECT_EQ(b.Bytes[AP_Security], 2);
    EXPECT_EQ(b.Bytes[AP_Max_Client], 4);
    EXPECT_EQ(b.Bytes[AP_Auto_Channel], 1);
    EXPECT_EQ(b.Get32(AP_Lease), 86400u);
    EXPECT_EQ(m.TLS_Flag, 1u);
    EXPECT_EQ(m.TLS_Server_Cert, "S1\r\nS2\r\n");
    EXPECT_EQ(m.NTP_Server_Address, "pool.ntp.org");
    EXPECT_EQ(m.NTP_Server_Poll, 3600u);
}

} // namespace

// --- typed as a person types ---------------------------------------------------

namespace {

// The text of element name in the written file.
std::string Stored(const std::string& file, const char* name)
{
    TXmlDocument doc;
    if (doc.LoadFromFile(file) != TXmlLoad::Read) return "(unreadable)";
    return ElementText(ChildElement(doc.Root(), name));
}

// The values file with some elements replaced.
std::string ValuesWith(const std::vector<std::pair<std::string, std::string>>& changes)
{
    std::string s = ReadFile(TestDataPath("ParGen_values.xml"));
    for (const auto& [name, value] : changes) {
        const std::string open = "<" + name + ">", close = "</" + name + ">";
        const size_t a = s.find(open), b = s.find(close);
        if (a == std::string::npos || b == std::string::npos) {
            ADD_FAILURE() << name;
            continue;
        }
        s.replace(a + open.size(), b - a - open.size(), value);
    }
    return s;
}

void ClickButton(TControl& b)
{
    SendMouseDown(b, b.Width() / 2, b.Height() / 2);
    SendMouseUp(b, b.Width() / 2, b.Height() / 2);
}

} // namespace

TEST_F(ParGenConfig, AddressesTypedOverOthersReplaceEveryOctet)
{
    std::vector<std::pair<std::string, std::string>> start = {{"Eth_Conn_DHCP_Cable", "0"}};
    for (const char* e : {"Eth_Conn_Primary_DNS", "Eth_Conn_Secondary_DNS"})
        for (int i = 1; i <= 4; ++i) start.push_back({e + std::to_string(i), "8"});
    const std::vector<std::pair<std::string, std::string>> ethernet = {
        {"Ethernet_IP1", "192"}, {"Ethernet_IP2", "168"}, {"Ethernet_IP3", "0"}, {"Ethernet_IP4", "10"}};
    start.insert(start.end(), ethernet.begin(), ethernet.end());

    // '.' moves along the octets as Tab does; both leave the next octet's
    // text selected, so what is typed replaces it.
    for (const bool tab : {false, true}) {
        SCOPED_TRACE(tab ? "Tab" : "'.'");
        WriteFile(File(), ValuesWith(start));
        auto type = [&](const std::vector<std::string>& octets) {
            for (size_t i = 0; i < octets.size(); ++i) {
                if (i > 0) {
                    if (tab) PressKey(*f, VK_TAB);
                    else TypeKeys(*f, ".");
                }
                TypeKeys(*f, octets[i]);
            }
        };
        EXPECT_EQ(Open([&] {
                      ActivateWindowOf(*f);
                      f->E_EthConn_Pri_DNS_IP[0]->SetFocus();
                      type({"1", "1", "1", "1"});
                      f->E_Ethernet_IP[0]->SetFocus();
                      type({"10", "20", "30", "40"});
                      ClickButton(*f->Btn_OK);
                  }),
                  mrOk);
        EXPECT_TRUE(Messages().empty());
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(Stored(File(), ("Eth_Conn_Primary_DNS" + std::to_string(i)).c_str()), "1") << i;
            EXPECT_EQ(Stored(File(), ("Eth_Conn_Secondary_DNS" + std::to_string(i)).c_str()), "8") << i;
        }
        EXPECT_EQ(Stored(File(), "Ethernet_IP1"), "10");
        EXPECT_EQ(Stored(File(), "Ethernet_IP2"), "20");
        EXPECT_EQ(Stored(File(), "Ethernet_IP3"), "30");
        EXPECT_EQ(Stored(File(), "Ethernet_IP4"), "40");
    }
}

TEST_F(ParGenConfig, LongTextsComeBackWholeAndTypingStopsAtTheLimit)
{
    const std::string name40(40, 'n'), user40(40, 'u'), url(40000, 'w');
    const std::string values = ValuesWith({{"Eth_Conn_Device_Name", name40},
                                           {"GSM_GPRS_PIN", "123456789012"},
                                           {"GSM_GPRS_USERNAME", user40},
                                           {"MQTT_Server_URL", url}});
    WriteFile(File(), values);
    EXPECT_EQ(Open([&] {
                  ActivateWindowOf(*f);
                  ClickButton(*f->Btn_OK);
              }),
              mrOk);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ReadFile(File()), values);

    // Typing into the host name stops at its 31 characters.
    Open([&] {
        ActivateWindowOf(*f);
        f->E_EthConn_Device_Name->SetFocus(); // selects the whole name
        TypeKeys(*f, std::string(40, 'x'));
        EXPECT_EQ(f->E_EthConn_Device_Name->Text(), std::string(31, 'x'));
        ClickButton(*f->Btn_Cancel);
    });
}

TEST_F(ParGenConfig, CertificateDialogStartsInAnExistingFolder)
{
    const std::string programFolder = UComon::Program_Folder;
    UComon::Program_Folder = dir.path();
    WriteFile(File(), ReadFile(TestDataPath("ParGen_values.xml")));
    std::vector<std::string> starts, names;
    SetFileDialogHandler([&](const TFileDialogRequest& r, std::string& name) {
        starts.push_back(r.InitialDir);
        names.push_back(name);
        return false;
    });
    auto clickCertificateButton = [&](TFParGen& w) {
        SetModalHandler([&](TForm&) {
            ActivateWindowOf(w);
            ClickButton(*w.Btn_TLS_CA_Cert);
        });
        w.ShowModal();
        SetModalHandler(nullptr);
    };
    // A configuration open when the window was made: its Certificates folder.
    clickCertificateButton(*f);

    // None open then: the program folder, whatever is open later.
    UComon::Project_Folder.clear();
    UComon::Set_Files();
    auto early = std::make_unique<TFParGen>();
    UComon::Project_Folder = project;
    UComon::Set_Files();
    clickCertificateButton(*early);
    early.reset();
    UComon::Program_Folder = programFolder;

    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[0], PathJoin(project, "Certificates"));
    EXPECT_EQ(starts[1], dir.path());
    for (size_t i = 0; i < starts.size(); ++i) {
        EXPECT_TRUE(DirectoryExists(starts[i])) << starts[i];
        EXPECT_EQ(names[i], "") << "nothing typed into the file-name box";
    }
}

// --- file modes ------------------------------------------------------------------------

namespace {
unsigned ModeOf(const std::string& path)
{
    return static_cast<unsigned>(std::filesystem::status(path).permissions() & std::filesystem::perms::mask);
}
} // namespace

// The parameter file holds the MQTT, Wi-Fi and key passwords: a new one is
// for its owner only, and OK keeps the mode the user gave an existing one.
TEST_F(ParGenConfig, OkKeepsTheFilesModeAndCreatesItForTheOwnerOnly)
{
    EXPECT_EQ(OpenAndOk([&] { f->E_NTP_Poll_Time->SetText("5"); }), mrOk);
    EXPECT_EQ(ModeOf(File()), 0600u);
    std::filesystem::permissions(File(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    EXPECT_EQ(OpenAndOk([&] { f->E_MQTT_Password->SetText("secret"); }), mrOk);
    EXPECT_EQ(ModeOf(File()), 0640u);
    EXPECT_EQ(Stored(File(), "MQTT_Password"), "secret");
    EXPECT_TRUE(Messages().empty());
}

// A read-only parameter file is one that cannot be written: OK reports it
// as a failed write, the window stays open and the file stays as it was.
TEST_F(ParGenConfig, AReadOnlyFileIsNotReplaced)
{
    Write_ParGen({{"NTP_Poll_Time", "5"}, {"MQTT_Password", "old"}});
    const std::string before = ReadFile(File());
    std::filesystem::permissions(File(), std::filesystem::perms::owner_read);
    int stillOpen = -1;
    EXPECT_EQ(Open([&] {
                  ActivateWindowOf(*f);
                  f->E_MQTT_Password->SetText("new");
                  ClickButton(*f->Btn_OK);
                  stillOpen = f->ModalResult();
              }),
              mrCancel);
    EXPECT_EQ(stillOpen, 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("could not be written"), std::string::npos) << Messages()[0];
    EXPECT_EQ(ReadFile(File()), before);
}

// Imported keys and certificates are for the owner only, whatever mode the
// source had.
TEST_F(TlsImport, ImportedFilesAreForTheOwnerOnly)
{
    WriteFile(outside.file("client.key"), "KEY");
    std::filesystem::permissions(outside.file("client.key"), std::filesystem::perms::owner_read |
                                                                 std::filesystem::perms::owner_write |
                                                                 std::filesystem::perms::others_read);
    chosen = outside.file("client.key");
    f->Btn_TLS_Client_Cert_Key->Click();
    EXPECT_EQ(ReadFile(PathJoin(certificates, "client.key")), "KEY");
    EXPECT_EQ(ModeOf(PathJoin(certificates, "client.key")), 0600u);
}
