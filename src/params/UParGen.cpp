#include "params/UParGen.h"
#include "params/UParGen_Internal.h"

#include "core/UComon.h"
#include "core/UFrame.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

namespace {

constexpr int kClientWidth = 460;
constexpr int kClientHeight = 700;
constexpr int kTitleHeight = 69;
constexpr int kButtonPanelHeight = 40;
constexpr unsigned kBackground = 15595512; // red 248, green 247, blue 237

// The '.' successor chains of the address-octet edits.
const std::vector<std::vector<std::string>>& Octet_Chains()
{
    static const std::vector<std::vector<std::string>> chains = [] {
        auto row = [](const std::string& prefix) {
            std::vector<std::string> r;
            for (int i = 1; i <= 4; ++i) r.push_back(prefix + std::to_string(i));
            return r;
        };
        auto join = [](std::initializer_list<std::vector<std::string>> parts) {
            std::vector<std::string> r;
            for (const auto& p : parts) r.insert(r.end(), p.begin(), p.end());
            return r;
        };
        return std::vector<std::vector<std::string>>{
            join({row("E_Ethernet_IP"), row("E_Ethernet_SM"), row("E_Ethernet_GAT")}),
            join({row("E_EthConn_Pri_DNS_IP"), row("E_EthConn_Sec_DNS_IP")}),
            join({row("E_WiFi2_IP1_IP"), row("E_WiFi2_IP1_SM"), row("E_WiFi2_IP1_GAT")}),
            join({row("E_WiFi2_IP2_IP"), row("E_WiFi2_IP2_SM"), row("E_WiFi2_IP2_GAT")}),
            join({row("E_WiFi2_DHCP_First_IP"), row("E_WiFi2_DHCP_SM")}),
        };
    }();
    return chains;
}

} // namespace

TFParGen::TFParGen()
{
    Texts = [](int id) { return ULanguage::Text(id); };
    Read_Certificate_Source = [](const std::string& path, std::string& bytes) { return ReadFileBytes(path, bytes); };
    Create_Frame();
    Create_Panels();
    Create_Controls();
    Wire_Events();
    FormCreate();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::ParGen, [this] { Set_Lang(); });
}

TFParGen::~TFParGen()
{
    ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::ParGen);
    if (FParGen == this) FParGen = nullptr;
    // The panels' controls live on the panels' bodies; the group goes first.
    controls_.clear();
    CPG.reset();
}

std::string TFParGen::T(int id) const { return Texts(id); }

void TFParGen::Register(const std::string& name, TControl* control)
{
    control->Name = name;
    controls_[name] = control;
}

TControl* TFParGen::FindControl(const std::string& name) const
{
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

// --- frame ----------------------------------------------------------------------

void TFParGen::Create_Frame()
{
    Name = "FParGen";
    SetBorderIcons(biSystemMenu);
    SetBorderStyle(TFormBorderStyle::bsSizeable);
    SetPosition(TPosition::poScreenCenter);
    Font().SetName("Verdana");
    Font().SetSize(8);
    SetColor(static_cast<TColor>(kBackground));
    SetClientSize(kClientWidth, kClientHeight);

    P_Title = new TPanel(this);
    P_Title->SetBounds(0, 0, kClientWidth, kTitleHeight);
    P_Title->SetAlign(TAlign::alTop);
    L_SW_Code = new TLabel(P_Title);
    L_SW_Code->SetBounds(12, 4, 300, 38);
    L_SW_Code->Font().SetColor(clGray);
    L_SW_Code->Font().SetHeight(-32);
    L_SW_Desc = new TLabel(P_Title);
    L_SW_Desc->SetBounds(14, 44, 420, 16);
    L_SW_Desc->Font().SetColor(clGray);
    L_SW_Desc->Font().SetStyle(TFontStyles{fsBold});

    P_Button = new TPanel(this);
    P_Button->SetBounds(0, kClientHeight - kButtonPanelHeight, kClientWidth, kButtonPanelHeight);
    P_Button->SetAlign(TAlign::alBottom);
    Btn_OK = New_Button(P_Button, 215, 6, 110, 28);
    Btn_OK->Name = "Btn_OK";
    Btn_OK->SetAnchors(akTop | akRight);
    Btn_OK->OnClick = [this](TControl*) { Btn_OKClick(); };
    Btn_Cancel = New_Button(P_Button, 333, 6, 110, 28);
    Btn_Cancel->Name = "Btn_Cancel";
    Btn_Cancel->SetAnchors(akTop | akRight);
    Btn_Cancel->SetModalResult(mrCancel);

    CPG = std::make_unique<TCategoryPanelGroup>(static_cast<TWinControl*>(this));
    CPG->SetBounds(0, kTitleHeight, kClientWidth, kClientHeight - kTitleHeight - kButtonPanelHeight);
    CPG->OnWindowMouseWheel = [this](int delta, int x, int y) { return FormMouseWheel(delta, x, y); };
    OnResize = [this](TControl*) { FormResize(); };
}

void TFParGen::Create_Panels()
{
    struct PanelDef {
        TCategoryPanel** member;
        const char* name;
        int captionId;
    };
    const PanelDef defs[] = {
        {&CP_Working_Mode, "CP_Working_Mode", 619},
        {&CP_MBus, "CP_MBus", 406},
        {&CP_wMBus, "CP_wMBus", 419},
        {&CP_MQTT, "CP_MQTT", 428},
        {&CP_Ethernet, "CP_Ethernet", 455},
        {&CP_WiFi, "CP_WiFi", 478},
        {&CP_TLS, "CP_TLS", 554},
        {&CP_NTP, "CP_NTP", 569},
        {&CP_Modbus_Master, "CP_Modbus_Master", 624},
        {&CP_Modbus_TCP_Master, "CP_Modbus_TCP_Master", 644},
        {&CP_Modbus_Slave, "CP_Modbus_Slave", 679},
        {&CP_Modbus_TCP_Slave, "CP_Modbus_TCP_Slave", 690},
        {&CP_CAN, "CP_CAN", 1824},
        {&CP_CANopen, "CP_CANopen", 1827},
        {&CP_J1939, "CP_J1939", 1842},
        {&CP_DeviceNet_Master, "CP_DeviceNet_Master", 1853},
        {&CP_DeviceNet_Slave, "CP_DeviceNet_Slave", 1859},
        {&CP_EtherNetIP, "CP_EtherNetIP", 1871},
        {&CP_PROFINET, "CP_PROFINET", 1914},
        {&CP_PROFIBUS, "CP_PROFIBUS", 1958},
        {&CP_NMEA2000, "CP_NMEA2000", 1972},
        {&CP_DMX, "CP_DMX", 1980},
        {&CP_KNX, "CP_KNX", 1986},
        {&CP_SNMP_Agent, "CP_SNMP_Agent", 1992},
        {&CP_SNMP_Manager, "CP_SNMP_Manager", 2043},
        {&CP_BACnet_Slave, "CP_BACnet_Slave", 2073},
        {&CP_Serial, "CP_Serial", 4136},
        {&CP_DALI, "CP_DALI", 4146},
        {&CP_GSM_GPRS, "CP_GSM_GPRS", 4150},
        {&CP_BACnet_Master, "CP_BACnet_Master", 4156},
        {&CP_Select_Device, "CP_Select_Device", 4247},
        {&CP_Ethernet_Connection, "CP_Ethernet_Connection", 4250},
        {&CP_WiFi2, "CP_WiFi2", 478},
    };
    for (const auto& d : defs) {
        TCategoryPanel* p = CPG->AddPanel(d.name);
        *d.member = p;
        panels_.push_back(p);
        captionIds_[p] = d.captionId;
    }
}

void TFParGen::Wire_Events()
{
    for (const auto& chain : Octet_Chains())
        for (size_t i = 0; i + 1 < chain.size(); ++i)
            successors_[FindControl(chain[i])] = Find<TEdit>(chain[i + 1]);

    for (const auto& [name, control] : controls_) {
        if (auto* e = dynamic_cast<TEdit*>(control)) {
            e->OnChange = [this](TControl* s) { On_Change(s); };
        } else if (auto* c = dynamic_cast<TComboBox*>(control)) {
            c->OnChange = [this](TControl* s) { On_Change(s); };
        } else if (auto* b = dynamic_cast<TCheckBox*>(control)) {
            b->OnClick = [this](TControl* s) { On_Click(s); };
        }
    }
    // Octet edits of every panel share the '.' handling.
    for (TEdit* e : octetEdits_)
        e->OnKeyPress = [this](TControl* s, char32_t& key) { KeyPress(s, key); };
    CP_MQTT->OnExpand = [this](TCategoryPanel* p) { CP_Expand(p); };
    for (TLbButton* b : {Btn_TLS_Server_Cert, Btn_TLS_CA_Cert, Btn_TLS_Client_Cert, Btn_TLS_Client_Cert_Key})
        b->OnClick = [this](TControl* s) { Btn_OnCertificate(s); };
    OnShow = [this](TControl*) { FormShow(); };
}

// --- life cycle -------------------------------------------------------------------

void TFParGen::FormCreate()
{
    L_SW_Code->SetCaption(UComon::SW_Code);
    SetClientSize(kClientWidth, kClientHeight);
    for (TCategoryPanel* p : panels_) p->SetVisible(false);
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
    OD_Certificate.Filter = "Any Files (*.*)|*.*";
    // The Certificates folder of the configuration open now; with none open,
    // the program folder (never a bare "Certificates").
    OD_Certificate.InitialDir = UComon::Project_Folder.empty() ? UComon::Program_Folder
                                                               : PathJoin(UComon::Project_Folder, "Certificates");
}

void TFParGen::FormShow()
{
    Load_ParGen();
    Move_GroupBoxs();
}

void TFParGen::Btn_OKClick()
{
    if (!Controllo_Dati()) return;
    if (!ParGen_Not_A_File.empty() &&
        MessageDlg("In place of the communication parameter file \"" + UComon::File_ParGen + "\" there is " +
                       ParGen_Not_A_File + ". Replace it with the file of the values shown here?",
                   TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    if (!Save_ParGen()) {
        // The file is replaced atomically: the previous one is still there.
        ShowError("The communication parameter file \"" + UComon::File_ParGen +
                  "\" could not be written. The previous file is unchanged.");
        return;
    }
    SetModalResult(mrOk);
}

void TFParGen::FormResize()
{
    if (ClientWidth() != kClientWidth) SetClientWidth(kClientWidth);
    CPG->SetBounds(0, kTitleHeight, kClientWidth, std::max(ClientHeight() - kTitleHeight - kButtonPanelHeight, 0));
}

bool TFParGen::FormMouseWheel(int wheelDelta, int screenX, int screenY)
{
    int x = screenX, y = screenY;
    CPG->ScreenToClient(x, y);
    if (x < 0 || y < 0 || x >= CPG->ClientWidth() || y >= CPG->ClientHeight()) return false;
    const int lines = WheelScrollLines();
    for (int i = 0; i < lines; ++i) {
        CPG->VScroll(wheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN);
        CPG->VScroll(SB_ENDSCROLL);
    }
    return true;
}

TEdit* TFParGen::Octet_Successor(TControl* edit) const
{
    auto it = successors_.find(edit);
    return it == successors_.end() ? nullptr : it->second;
}

void TFParGen::KeyPress(TControl* sender, char32_t& key)
{
    if (key != '.') return;
    if (TEdit* next = Octet_Successor(sender); next && next->CanFocus()) next->SetFocus();
    key = 0;
}

void TFParGen::On_Change(TControl* sender)
{
    if (sender == CB_Select_Device_Device || sender == CB_WiFi2_Type || sender == CB_WiFi2_Secure_Type ||
        sender == FindControl("CB_WiFi_Type") || sender == FindControl("CB_WiFi_Secure_Type") ||
        sender == FindControl("CB_MBus_OnWire_Present") || sender == FindControl("CB_wMBus_Wireless_Present"))
        Move_GroupBoxs();
}

void TFParGen::On_Click(TControl* sender)
{
    if (sender == CB_EthConn_En_DHCP_Cable || sender == CB_EthConn_En_DHCP_WiFi || sender == CB_MQTT_WillFlag ||
        sender == CB_MQTT_PublishTopicConnection || sender == CB_MQTT_Enable_ReProgram || sender == CB_TLS_Enable ||
        sender == CB_TLS_En_Server_Auth || sender == CB_TLS_En_Client_Auth || sender == CB_WiFi2_En_DHCP ||
        sender == CB_GSM_GPRS_En_Second_SIM || sender == FindControl("CB_WiFi_IP_Auto") ||
        sender == FindControl("CB_WiFi_En_DHCP") || sender == FindControl("CB_SNMP_Agent_Version3"))
        Move_GroupBoxs();
}

void TFParGen::CP_Expand(TCategoryPanel*) { Move_GroupBoxs(); }

// --- texts ----------------------------------------------------------------------------

void TFParGen::Set_Lang()
{
    SetCaption(T(400));
    L_SW_Desc->SetCaption(T(401));
    Btn_OK->SetCaption(T(402));
    Btn_Cancel->SetCaption(T(403));
    Btn_OK->SetHint(T(404));
    Btn_Cancel->SetHint(T(405));
    for (const TTextStep& s : textSteps_) {
        switch (s.what) {
        case TTextStep::Caption:
            if (auto* l = dynamic_cast<TLabel*>(s.control)) l->SetCaption(T(s.ids.front()));
            else if (auto* c = dynamic_cast<TCheckBox*>(s.control)) c->SetCaption(T(s.ids.front()));
            break;
        case TTextStep::Hint: s.control->SetHint(T(s.ids.front())); break;
        case TTextStep::Items: {
            auto* list = static_cast<TComboBox*>(s.control);
            list->Items().Clear();
            for (int id : s.ids) list->Items().Add(T(id));
            list->SetItemIndex(0);
            break;
        }
        }
    }
}
