#include "mbus/UNewIDNode.h"

#include "core/UComon.h"
#include "core/UFrame.h"
#include "core/ULanguage.h"
#include "core/UWholeNumber.h"
#include "platform/Dialogs.h"
#include "widgets/LbButton.h"

namespace {

constexpr int Client_Width = 265;
constexpr int Client_Height = 195;

} // namespace

TFNewIDNode::TFNewIDNode()
{
    Name = "FNewIDNode";
    const TWindowFrame frame = Build_Window_Frame(*this, Client_Width, Client_Height);
    P_Title = frame.P_Title;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    P_Button = frame.P_Button;
    Btn_OK = New_Button(P_Button, Client_Width - 2 * 88, 6, 80, 28);
    Btn_Cancel = New_Button(P_Button, Client_Width - 88, 6, 80, 28);
    Btn_Cancel->SetModalResult(mrCancel);

    L_Select = new TLabel(this);
    L_Select->SetBounds(16, 74, 240, 16);
    RB_Primary = new TRadioButton(this);
    RB_Primary->SetBounds(16, 98, 132, 20);
    RB_Primary->SetChecked(true);
    E_Primary = new TEdit(this);
    E_Primary->SetBounds(152, 97, 97, 21);
    E_Primary->SetText("1");
    RB_Secondary = new TRadioButton(this);
    RB_Secondary->SetBounds(16, 124, 132, 20);
    E_Secondary = new TEdit(this);
    E_Secondary->SetBounds(152, 123, 97, 21);
    E_Secondary->SetText("1");
    L_Address = new TLabel(this);
    L_Address->SetBounds(16, 118, 130, 16);
    E_Address = new TEdit(this);
    E_Address->SetBounds(152, 115, 97, 21);
    E_Address->SetText("1");

    Btn_OK->OnClick = [this](TControl* s) { Btn_OKClick(s); };
    OnShow = [this](TControl* s) { FormShow(s); };
    L_SW_Code->SetCaption(UComon::SW_Code);
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::NewIDNode, [this] { Set_Lang(); });
}

TFNewIDNode::~TFNewIDNode()
{
    ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::NewIDNode);
    if (FNewIDNode == this) FNewIDNode = nullptr;
}

void TFNewIDNode::Set_Lang()
{
    using ULanguage::Text;
    SetCaption(Text(1200));
    L_SW_Desc->SetCaption(Text(1201));
    Btn_OK->SetCaption(Text(1202));
    Btn_Cancel->SetCaption(Text(1203));
    L_Select->SetCaption(Text(1204));
    RB_Primary->SetCaption(Text(1205));
    RB_Secondary->SetCaption(Text(1206));
    L_Address->SetCaption(Text(1209));
}

void TFNewIDNode::FormShow(TControl*)
{
    const bool ids = Form_Type == 1;
    for (TControl* c : std::initializer_list<TControl*>{RB_Primary, RB_Secondary, E_Primary, E_Secondary})
        c->SetVisible(ids);
    L_Address->SetVisible(!ids);
    E_Address->SetVisible(!ids);
}

void TFNewIDNode::Btn_OKClick(TControl*)
{
    using ULanguage::Text;
    if (Form_Type == 1) {
        const bool secondary = RB_Secondary->Checked();
        const std::int32_t id = UComon::Whole_Number(secondary ? E_Secondary->Text() : E_Primary->Text());
        if (!secondary && (id < 0 || id > 255)) {
            ShowError(Text(1207));
            return;
        }
        if (secondary && (id < 0 || id > 99999999)) {
            ShowError(Text(1208));
            return;
        }
        if (Check_ID && !Check_ID(id, secondary ? 1 : 0)) return;
    } else if (Form_Type == 2) {
        const std::int64_t address = UComon::Whole_Number64(E_Address->Text());
        if (address < 0 || address > 0xFFFFFFFFll) {
            ShowError(Text(1210));
            return;
        }
    }
    SetModalResult(mrOk);
}
