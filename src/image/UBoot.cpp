#include "image/UBoot.h"

#include "core/UComon.h"
#include "core/UFrame.h"
#include "core/ULanguage.h"
#include "core/UParsers.h"
#include "core/UProgram.h"
#include "image/UBootJob.h"
#include "image/USaveBincc.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

using ULanguage::Text;

namespace UBoot {

const char* const Msg_Check_Not_Possible =
    "The device could not be checked: this computer does not allow ICMP echo (ping) requests.";
const char* const Msg_Updater_Not_Started = "The updater could not be started:";
const char* const Msg_Image_Not_Built =
    "The device image files are not the ones just built (an earlier build was interrupted or they were changed "
    "since). Press Update Device again to build them; the updater was not started:";

} // namespace UBoot

namespace {

constexpr int Client_Width = 449;
constexpr int Title_Height = 69;
constexpr int IP_Height = 49;
constexpr int Options_Height = 72;
constexpr int Serial_Height = 51;
constexpr int Search_Height = 184;
constexpr int Button_Height = 40;
constexpr int Button_Width = 180;

TPanel* Make_Panel(TWinControl* parent, int height)
{
    auto* p = new TPanel(parent);
    p->SetBevelOuter(TBevelCut::bvNone);
    p->SetBounds(0, 0, Client_Width, height);
    return p;
}

TLabel* Make_Label(TWinControl* parent, int left, int top)
{
    auto* l = new TLabel(parent);
    l->SetLeft(left);
    l->SetTop(top);
    return l;
}

} // namespace

TFBoot::TFBoot()
{
    Name = "FBoot";
    SetBorderStyle(TFormBorderStyle::bsDialog);
    // The common frame of the program's windows: title strip, button panel,
    // colour, font and centred position.
    const TWindowFrame frame =
        Build_Window_Frame(*this, Client_Width, Title_Height + IP_Height + Options_Height + Button_Height);
    P_Title = frame.P_Title;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;

    P_IP_Address = Make_Panel(this, IP_Height);
    L_IP_Address = Make_Label(P_IP_Address, 12, 4);
    TEdit** edits[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    TLabel** dots[] = {&Label2, &Label3, &Label4};
    for (int i = 0; i < 4; ++i) {
        TEdit* e = new TEdit(P_IP_Address);
        e->SetBounds(12 + i * 56, 21, 44, 21);
        e->SetText("0");
        e->SetTabOrder(i);
        e->SetShowHint(true);
        e->OnKeyPress = [this](TControl* s, char32_t& k) { KeyPress(s, k); };
        *edits[i] = e;
        if (i < 3) {
            *dots[i] = Make_Label(P_IP_Address, 12 + i * 56 + 47, 24);
            (*dots[i])->SetCaption(".");
        }
    }

    P_Options = Make_Panel(this, Options_Height);
    L_Update_Option = Make_Label(P_Options, 12, 4);
    CB_Update_Options = new TComboBox(P_Options);
    CB_Update_Options->SetStyle(TComboBoxStyle::csDropDownList);
    CB_Update_Options->SetBounds(12, 21, 220, 21);
    CB_Update_Options->SetShowHint(true);
    CB_Update_Options->SetTabOrder(0);
    CB_Update_Option_Read_Back = new TCheckBox(P_Options);
    CB_Update_Option_Read_Back->SetBounds(12, 48, 300, 17);
    CB_Update_Option_Read_Back->SetChecked(true);
    CB_Update_Option_Read_Back->SetShowHint(true);
    CB_Update_Option_Read_Back->SetTabOrder(1);

    P_Serial = Make_Panel(this, Serial_Height);
    L_COM_Port = Make_Label(P_Serial, 12, 4);
    CB_COM_Port = new TComboBox(P_Serial);
    CB_COM_Port->SetStyle(TComboBoxStyle::csDropDownList);
    CB_COM_Port->SetBounds(12, 21, 160, 21);
    CB_COM_Port->SetTabOrder(0);
    Btn_COM_List = New_Button(P_Serial, 184, 19, 25, 25);
    Btn_COM_List->SetTabOrder(1);
    Btn_COM_List->OnClick = [this](TControl*) { update_ComPort(); };

    // The device search: its list (IP and MAC address columns) has no
    // source, and the panel is never shown.
    P_Eth_Search = Make_Panel(this, Search_Height);
    L_List_Device = Make_Label(P_Eth_Search, 12, 4);
    Btn_Search = New_Button(P_Eth_Search, 340, 150, 97, 25);
    CB_Find_All_QBO = new TCheckBox(P_Eth_Search);
    CB_Find_All_QBO->SetBounds(12, 154, 300, 17);
    CB_Find_All_QBO->SetShowHint(true);

    P_Button = frame.P_Button;
    // Wide enough for the whole "Execute Update Firmware".
    Btn_Cancel = New_Button(P_Button, Client_Width - 2 * (Button_Width + 8), 6, Button_Width, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetTabOrder(0);
    Btn_Update = New_Button(P_Button, Client_Width - (Button_Width + 8), 6, Button_Width, 28);
    Btn_Update->SetTabOrder(1);
    Btn_Update->OnClick = [this](TControl*) { Btn_UpdateClick(); };

    OnShow = [this](TControl*) { FormShow(); };
    // While the gateway is checked and the updater runs the window stays:
    // neither Cancel nor the close box ends it half-way.
    OnCloseQuery = [this](TControl*, bool& CanClose) {
        if (Busy) CanClose = false;
    };

    L_SW_Code->SetCaption(UComon::SW_Code);
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::Boot, [this] { Set_Lang(); });
}

TFBoot::~TFBoot() { ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::Boot); }

void TFBoot::Set_Lang()
{
    SetCaption(Text(Form_Type == 0 ? 1000 : 1002));
    L_SW_Desc->SetCaption(Text(Form_Type == 0 ? 1001 : 1003));
    L_IP_Address->SetCaption(Text(1006));
    L_List_Device->SetCaption(Text(1009));
    Btn_Search->SetCaption(Text(1010));
    CB_Find_All_QBO->SetCaption(Text(1013));
    L_Update_Option->SetCaption(Text(1014));
    CB_Update_Options->Items().Clear();
    CB_Update_Options->Items().Add(Text(1015));
    CB_Update_Options->Items().Add(Text(1016));
    CB_Update_Options->Items().Add(Text(1017));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back->SetCaption(Text(1018));
    Btn_Cancel->SetCaption(Text(1019));
    Btn_Update->SetCaption(Text(1020));
    E_IP1->SetHint(Text(1021));
    E_IP2->SetHint(Text(1022));
    E_IP3->SetHint(Text(1023));
    E_IP4->SetHint(Text(1024));
    Btn_Search->SetHint(Text(1029));
    CB_Find_All_QBO->SetHint(Text(1031));
    CB_Update_Options->SetHint(Text(1032));
    CB_Update_Option_Read_Back->SetHint(Text(1033));
    Btn_Cancel->SetHint(Text(1034));
    Btn_Update->SetHint(Text(1035));
}

void TFBoot::FormShow()
{
    Set_Lang();
    L_SW_Code->SetCaption(UComon::SW_Code);
    for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) p->Hide();

    // The visible panels stack under the title, the buttons close the window.
    auto stack = [](std::initializer_list<TPanel*> panels) {
        int top = Title_Height;
        for (TPanel* p : panels) {
            p->SetBounds(0, top, Client_Width, p->Height());
            top += p->Height();
        }
        return top;
    };
    const int restore = UComon::Update_Option_Index;
    if (Form_Type == 0) {
        P_Options->Show();
        P_Serial->Show();
        const int bottom = stack({P_Serial, P_Options});
        SetClientSize(Client_Width, bottom + Button_Height);
        P_Title->SetTabOrder(0);
        P_Serial->SetTabOrder(1);
        P_Options->SetTabOrder(2);
        P_Button->SetTabOrder(3);
        P_IP_Address->SetTabOrder(4);
        P_Eth_Search->SetTabOrder(5);
    } else {
        P_IP_Address->Show();
        P_Options->Show();
        const int bottom = stack({P_IP_Address, P_Options});
        SetClientSize(Client_Width, bottom + Button_Height);
        P_Title->SetTabOrder(0);
        P_IP_Address->SetTabOrder(1);
        P_Eth_Search->SetTabOrder(2);
        P_Options->SetTabOrder(3);
        P_Button->SetTabOrder(4);
        P_Serial->SetTabOrder(5);
        std::string a, b, c, d;
        if (!UComon::Device_IP.empty() && UComon::Split_IP_Address(UComon::Device_IP, a, b, c, d)) {
            E_IP1->SetText(a);
            E_IP2->SetText(b);
            E_IP3->SetText(c);
            E_IP4->SetText(d);
        }
    }
    P_Button->SetBounds(0, Height() - Button_Height, Client_Width, Button_Height);
    // The remembered option comes from this window; an index outside the
    // list leaves the first item.
    if (restore >= 0 && restore < CB_Update_Options->Items().Count()) CB_Update_Options->SetItemIndex(restore);
    CB_Update_Option_Read_Back->SetChecked(UComon::Update_Read_Back);
    if (Form_Type == 0) {
        update_ComPort();
        if (CB_COM_Port->CanFocus()) CB_COM_Port->SetFocus();
    } else if (E_IP1->CanFocus()) {
        E_IP1->SetFocus();
    }
}

void TFBoot::KeyPress(TControl* Sender, char32_t& Key)
{
    if (Key != U'.') return;
    TEdit* next = Sender == E_IP1 ? E_IP2 : Sender == E_IP2 ? E_IP3 : Sender == E_IP3 ? E_IP4 : nullptr;
    if (next && next->CanFocus()) next->SetFocus();
    Key = 0;
}

std::string TFBoot::Typed_Address() const
{
    return E_IP1->Text() + "." + E_IP2->Text() + "." + E_IP3->Text() + "." + E_IP4->Text();
}

bool TFBoot::Send_Ping() { return Ping.Send_Ping(Typed_Address()); }

void TFBoot::Compile_XML_Parameter_New_Boot()
{
    UBootJob::TUpdateJob job;
    job.IP_Address = Typed_Address();
    job.Update_Option = CB_Update_Options->ItemIndex();
    job.Read_Back = CB_Update_Option_Read_Back->Checked();
    job.Master_Folder = UComon::Master_Folder;
    job.Project_Folder = UComon::Project_Folder;
    UBootJob::Save_Job(XML1, job, UComon::Program_Folder);
}

void TFBoot::Btn_UpdateClick()
{
    if (Form_Type == 0) {
        UComon::Update_Option_Index = CB_Update_Options->ItemIndex();
        UComon::Update_Read_Back = CB_Update_Option_Read_Back->Checked();
        return;
    }
    if (Form_Type != 1) return;
    // Window messages are processed during the check: no second check or
    // updater may start from a further press, nor may the window close.
    if (Busy || !Btn_Update->Enabled()) return;
    Busy = true;
    Btn_Update->SetEnabled(false);
    Btn_Cancel->SetEnabled(false);
    try {
        Run_Update();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
    Busy = false;
    Btn_Update->SetEnabled(true);
    Btn_Cancel->SetEnabled(true);
}

void TFBoot::Run_Update()
{
    // The updater sends what lies in "bin": only the pair just built goes
    // (an interrupted build, or a change since, leaves another one).
    if (!USaveBincc::Bank_Files_Match_Last_Build()) {
        ShowError(std::string(UBoot::Msg_Image_Not_Built) + "\n" + PathJoin(UComon::Project_Folder, "bin"));
        return;
    }
    if (Send_Ping()) {
        UComon::Device_IP = Typed_Address();
        UComon::Update_Option_Index = CB_Update_Options->ItemIndex();
        UComon::Update_Read_Back = CB_Update_Option_Read_Back->Checked();
        Compile_XML_Parameter_New_Boot();
        const std::string updater = UBootJob::Updater_Program(UComon::Program_Folder);
        // The updater runs in a normal window; the wait ends with it or at
        // the limit, and its exit code means nothing here.
        const bool started = UProgram::Start_Program(updater, "", false, UBoot::Updater_Wait_Limit_Ms);
        if (!started)
            ShowError(std::string(UBoot::Msg_Updater_Not_Started) + "\n" + updater);
    } else if (Ping.Unavailable) {
        ShowError(std::string(UBoot::Msg_Check_Not_Possible) + "\n" + Ping.Error);
    } else if (Ping.ping_res == UBootCheck::Ping_No_Reply) {
        MessageDlg(Text(1036), TMsgDlgType::mtWarning, TMsgDlgButtons::mbOK);
    } else {
        MessageDlg(Text(1037), TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
    }
}

void TFBoot::update_ComPort()
{
    CB_COM_Port->Items().Clear();
    const std::unique_ptr<TStringList> ports = UComon::Get_COM_Ports();
    for (int i = 0; i < ports->Count(); ++i) {
        const std::string& port = ports->Strings(i);
        int n = 0;
        CB_COM_Port->Items().Add(TryStrToInt(port, n) ? "COM" + port : port);
    }
    if (CB_COM_Port->Items().Count() > 0) CB_COM_Port->SetItemIndex(0);
}
