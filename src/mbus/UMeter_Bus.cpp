#include "mbus/UMeter_Bus.h"

#include "core/UComon.h"
#include "core/UFrame.h"
#include "core/ULanguage.h"
#include "core/UWholeNumber.h"
#include "mbus/UNewIDNode.h"
#include "platform/Dialogs.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Paths.h"
#include "platform/Screens.h"
#include "platform/Shell.h"
#include "platform/SysMetrics.h"
#include "platform/TreeView.h"
#include "platform/XmlDoc.h"
#include "widgets/ExPageControl.h"
#include "widgets/LbButton.h"

#include <algorithm>

using ULanguage::Text;

// --- helpers without the window ---------------------------------------------------------------

std::int32_t Found_BACnet_EngUnits(std::int32_t Type_Of_Data, std::int32_t VIFE)
{
    switch (Type_Of_Data) {
    case 0: return 18;
    case 1: return 16;
    case 2: return 80;
    case 3: return 39;
    case 6: return 47;
    case 8: return 135;
    case 9: return 165;
    case 10: return 85;
    case 11: return 44;
    case 12:
    case 13:
    case 15: return 62;
    case 14: return 63;
    case 16: return 55;
    case 19:
        switch (VIFE) {
        case 38: return 5;
        case 39: return 3;
        case 51: return 146;
        case 57: return 83;
        case 59: return 89;
        case 60: return 192;
        case 61: return 49;
        case 63:
        case 64:
        case 65:
        case 66:
        case 67: return 64;
        case 68: return 62;
        case 69: return 47;
        case 70: return 101;
        case 71: return 100;
        default: return 95;
        }
    default: return 95;
    }
}

int Select_Width_ComboBox(TComboBox& Combo, int extra)
{
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(static_cast<const TControl&>(Combo).Font());
    int widest = 0;
    for (int i = 0; i < Combo.Items().Count(); ++i)
        widest = std::max(widest, scratch.Canvas().TextWidth(Combo.Items().Strings(i)));
    const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    int width = widest + 12 + extra;
    if (Combo.Width() - scrollBar >= width) return 0;
    if (Combo.Items().Count() > Combo.DropDownCount()) width += scrollBar;
    Combo.SetDroppedWidth(width);
    return width;
}

std::vector<std::string> Read_MQTT_Publish_Topics(const std::string& path)
{
    std::vector<std::string> topics;
    if (!FileExists(path)) return topics;
    TXmlDocument doc;
    if (doc.LoadFromFile(path) != TXmlLoad::Read) return topics;
    const pugi::xml_node publish = ChildElement(doc.Root(), "MQTT_Publish");
    int n = 0;
    for (pugi::xml_node row = publish.first_child(); row; row = row.next_sibling()) {
        if (row.type() != pugi::node_element) continue;
        topics.push_back(std::to_string(++n) + "; " + row.attribute("Topic").value() + "; " +
                         row.attribute("Mnemonic").value() + ";");
    }
    return topics;
}

std::string Node_Caption(const TNodo& n)
{
    if (n.MBus_Type == 0) return "wM-Bus Node - Address " + n.wMBus_Add + " - " + n.Description;
    return "ID " + std::to_string(n.ID()) + " - " + n.Description;
}

std::string Variable_Caption(const TVariabile& v) { return "VAR - " + v.Description; }

namespace {

constexpr int Client_Width = 834;
constexpr int Client_Height = 662;
// Rows of the pages, one every 24 pixels.
constexpr int Row_Top = 12;
constexpr int Row_Step = 24;
constexpr int Label_Left = 16;
constexpr int Field_Left = 190;

void Fill(TComboBox* c, const std::vector<std::string>& items)
{
    c->Items().Clear();
    for (const std::string& s : items) c->Items().Add(s);
}

// Shows item i, or no choice for a value outside the list.
void Choose(TComboBox* c, int i) { c->SetItemIndex(i >= 0 && i < c->Items().Count() ? i : -1); }

// The chosen index, or keep when nothing is chosen.
int Chosen(const TComboBox* c, int keep) { return c->ItemIndex() >= 0 ? c->ItemIndex() : keep; }

template <typename T>
T Number_Or(const std::string& text, T keep)
{
    std::int32_t v = 0;
    return UComon::Try_Whole_Number(text, v) ? static_cast<T>(v) : keep;
}

bool In_Range(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

// Shows a check's fault and refuses.
bool Refuse(const std::string& text)
{
    ShowError(text);
    return false;
}

TComboBox* New_Combo(TWinControl* parent, int width)
{
    auto* c = new TComboBox(parent);
    c->SetStyle(TComboBoxStyle::csDropDownList);
    c->SetWidth(width);
    return c;
}

TEdit* New_Edit(TWinControl* parent, int width)
{
    auto* e = new TEdit(parent);
    e->SetWidth(width);
    return e;
}

// Places a row (label and field, either may be null) at row r of a page.
void Place_Row(TLabel* label, TControl* field, int r)
{
    const int top = Row_Top + r * Row_Step;
    if (label) {
        label->SetBounds(Label_Left, top + 3, Field_Left - Label_Left - 8, 16);
        label->Show();
    }
    if (field) {
        field->SetLeft(label ? Field_Left : Label_Left);
        field->SetTop(top);
        field->Show();
    }
}

} // namespace

// --- the window -------------------------------------------------------------------------------

TFMeter_Bus::TFMeter_Bus()
{
    Name = "FMeter_Bus";
    const TWindowFrame frame = Build_Window_Frame(*this, Client_Width, Client_Height);
    P_Title = frame.P_Title;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    P_Button = frame.P_Button;
    Btn_Import = New_Button(P_Button, 8, 6, 150, 28);
    Btn_OK = New_Button(P_Button, Client_Width - 2 * 118, 6, 110, 28);
    Btn_Cancel = New_Button(P_Button, Client_Width - 118, 6, 110, 28);

    const int middle = Client_Height - 69 - 40;
    TV_Network = new TTreeView(this);
    TV_Network->SetBounds(8, 69 + 8, 300, middle - 16);
    PC_Meter = new TExPageControl(this);
    PC_Meter->SetBounds(316, 69 + 4, Client_Width - 316 - 8, middle - 8);
    TS_Nodes = new TExTabSheet(PC_Meter);
    TS_Variables = new TExTabSheet(PC_Meter);

    // "Nodes" page.
    TExTabSheet* n = TS_Nodes;
    CB_Enable_Node = new TCheckBox(n);
    CB_Enable_Node->SetWidth(300);
    L_Desc_Node = new TLabel(n);
    E_Desc_Node = New_Edit(n, 300);
    L_MBus_Type = new TLabel(n);
    CB_MBus_Type = New_Combo(n, 160);
    Fill(CB_MBus_Type, MBus_Type_List());
    RB_Primary = new TRadioButton(n);
    RB_Primary->SetWidth(Field_Left - Label_Left - 8);
    E_Primary = New_Edit(n, 120);
    RB_Secondary = new TRadioButton(n);
    RB_Secondary->SetWidth(Field_Left - Label_Left - 8);
    E_Secondary = New_Edit(n, 120);
    CB_SND_NKE = new TCheckBox(n);
    CB_SND_NKE->SetWidth(300);
    CB_Reset_App = new TCheckBox(n);
    CB_Reset_App->SetWidth(300);
    L_Var_List = new TLabel(n);
    CB_Var_List = New_Combo(n, 160);
    Fill(CB_Var_List, Variables_List_List());
    L_Cut_After = new TLabel(n);
    CB_Cut_After = New_Combo(n, 80);
    L_Frames = new TLabel(n);
    Place_Row(nullptr, CB_Enable_Node, 0);
    Place_Row(L_Desc_Node, E_Desc_Node, 1);
    Place_Row(L_MBus_Type, CB_MBus_Type, 2);
    Place_Row(nullptr, RB_Primary, 4);
    Place_Row(nullptr, E_Primary, 4);
    E_Primary->SetLeft(Field_Left);
    Place_Row(nullptr, RB_Secondary, 5);
    Place_Row(nullptr, E_Secondary, 5);
    E_Secondary->SetLeft(Field_Left);
    Place_Row(nullptr, CB_SND_NKE, 6);
    Place_Row(nullptr, CB_Reset_App, 7);
    Place_Row(L_Var_List, CB_Var_List, 8);
    Place_Row(L_Cut_After, CB_Cut_After, 9);
    L_Frames->SetBounds(Field_Left + 88, Row_Top + 9 * Row_Step + 3, 80, 16);

    P_Wireless = new TPanel(n);
    P_Wireless->SetBevelOuter(TBevelCut::bvNone);
    P_Wireless->SetBounds(0, Row_Top + 3 * Row_Step, PC_Meter->Width() - 8, 12 * Row_Step);
    L_ManID = new TLabel(P_Wireless);
    E_ManID = New_Edit(P_Wireless, 120);
    L_Address = new TLabel(P_Wireless);
    E_Address = New_Edit(P_Wireless, 120);
    L_Version = new TLabel(P_Wireless);
    E_Version = New_Edit(P_Wireless, 120);
    L_DevType = new TLabel(P_Wireless);
    E_DevType = New_Edit(P_Wireless, 120);
    CB_Key_Enable = new TCheckBox(P_Wireless);
    CB_Key_Enable->SetWidth(300);
    Place_Row(L_ManID, E_ManID, 0);
    Place_Row(L_Address, E_Address, 1);
    Place_Row(L_Version, E_Version, 2);
    Place_Row(L_DevType, E_DevType, 3);
    Place_Row(nullptr, CB_Key_Enable, 4);
    for (int k = 0; k < 16; ++k) {
        const int left = Label_Left + (k % 8) * 56;
        const int top = Row_Top + (5 + 2 * (k / 8)) * Row_Step;
        L_Key[static_cast<size_t>(k)] = new TLabel(P_Wireless);
        L_Key[static_cast<size_t>(k)]->SetBounds(left, top, 48, 16);
        E_Key[static_cast<size_t>(k)] = New_Edit(P_Wireless, 48);
        E_Key[static_cast<size_t>(k)]->SetBounds(left, top + 17, 48, 21);
    }
    L_wVar_List = new TLabel(P_Wireless);
    CB_wVar_List = New_Combo(P_Wireless, 160);
    Fill(CB_wVar_List, Variables_List_List());
    Place_Row(L_wVar_List, CB_wVar_List, 10);

    Btn_Node = New_Button(n, Field_Left, 0, 160, 30);
    Btn_Scan_Device = New_Button(n, Field_Left + 170, 0, 120, 30);
    Btn_Scan_Device->Hide();
    Btn_Scan_Device->SetEnabled(false);

    // "Variables" page.
    TExTabSheet* v = TS_Variables;
    CB_Enable_Var = new TCheckBox(v);
    CB_Enable_Var->SetWidth(300);
    L_Desc_Var = new TLabel(v);
    E_Desc_Var = New_Edit(v, 300);
    L_Type = new TLabel(v);
    CB_Type = New_Combo(v, 200);
    Fill(CB_Type, Type_Of_Data_List());
    L_VIF_ASCII = new TLabel(v);
    E_VIF_ASCII = New_Edit(v, 200);
    L_Fun_Field = new TLabel(v);
    CB_Fun_Field = New_Combo(v, 200);
    Fill(CB_Fun_Field, Function_Field_List());
    L_Dim = new TLabel(v);
    CB_Dim = New_Combo(v, 200);
    Fill(CB_Dim, Dimension_List());
    L_Length = new TLabel(v);
    E_Length = New_Edit(v, 120);
    L_Unit = new TLabel(v);
    CB_Unit = New_Combo(v, 80);
    Fill(CB_Unit, Unit_List());
    L_StoNumber = new TLabel(v);
    E_StoNumber = New_Edit(v, 120);
    L_Tariff = new TLabel(v);
    E_Tariff = New_Edit(v, 120);
    L_VIFE = new TLabel(v);
    CB_VIFE = New_Combo(v, 200);
    Fill(CB_VIFE, VIFE_List());
    CB_BCDtoINT = new TCheckBox(v);
    CB_BCDtoINT->SetWidth(300);
    L_Position = new TLabel(v);
    E_Position = New_Edit(v, 120);
    L_Topic = new TLabel(v);
    CB_Topic = New_Combo(v, 200);
    L_Post_Ope = new TLabel(v);
    CB_Post_Ope = New_Combo(v, 200);
    Fill(CB_Post_Ope, Post_Operation_List());
    Btn_Var = New_Button(v, Field_Left, 0, 160, 30);
    Btn_Scan_Var = New_Button(v, Field_Left + 170, 0, 120, 30);
    Btn_Scan_Var->Hide();

    // Wide lists open leftwards, their right edge on the combo's.
    Select_Width_ComboBox(*CB_Type, 30);
    Select_Width_ComboBox(*CB_VIFE, 65);
    for (TComboBox* c : {CB_Type, CB_VIFE, CB_Topic}) c->SetDropLeftwards(true);

    // Events.
    TV_Network->SetRightClickSelect(true);
    TV_Network->OnChange = [this](TControl*, TTreeNode*) { Selection_Changed(); };
    TV_Network->OnContextPopup = [this](TControl*, TPoint p, bool& handled) {
        handled = true;
        Tree_Popup(p);
    };
    CB_MBus_Type->OnChange = [this](TControl*) { Layout_MBus_Type(); };
    CB_Type->OnChange = [this](TControl*) { Update_Enabling(); };
    CB_Dim->OnChange = [this](TControl*) { Update_Enabling(); };
    Btn_Node->OnClick = [this](TControl* s) { Btn_NodeClick(s); };
    Btn_Var->OnClick = [this](TControl* s) { Btn_VarClick(s); };
    Btn_OK->OnClick = [this](TControl* s) { Btn_OKClick(s); };
    Btn_Cancel->OnClick = [this](TControl* s) { Btn_CancelClick(s); };
    Btn_Import->OnClick = [this](TControl*) { Import_Network(); };
    OnShow = [this](TControl* s) { FormShow(s); };
    OnCloseQuery = [this](TControl*, bool& can) { CloseQuery(can); };

    PC_Meter->SetActivePage(TS_Nodes);
    L_SW_Code->SetCaption(UComon::SW_Code);
    CB_MBus_Type->SetItemIndex(1);
    Layout_MBus_Type();
    Layout_Variables(0);
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::Meter_Bus, [this] { Set_Lang(); });
}

TFMeter_Bus::~TFMeter_Bus()
{
    ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::Meter_Bus);
    // The tree's events must not reach the members being destroyed.
    TV_Network->OnChange = nullptr;
    if (FMeter_Bus == this) FMeter_Bus = nullptr;
}

void TFMeter_Bus::Set_Lang()
{
    SetCaption(Text(800));
    L_SW_Desc->SetCaption(Text(801));
    Btn_OK->SetCaption(Text(802));
    Btn_Cancel->SetCaption(Text(803));
    Btn_Import->SetCaption(Text(804));
    TS_Nodes->SetCaption(Text(805));
    TS_Variables->SetCaption(Text(806));
    CB_Enable_Node->SetCaption(Text(807));
    L_Desc_Node->SetCaption(Text(808));
    RB_Primary->SetCaption(Text(809));
    RB_Secondary->SetCaption(Text(810));
    CB_SND_NKE->SetCaption(Text(815));
    CB_Reset_App->SetCaption(Text(816));
    L_Var_List->SetCaption(Text(817));
    L_Cut_After->SetCaption(Text(818));
    L_Frames->SetCaption(Text(819));
    Btn_Node->SetCaption(Text(modifyNode_ ? 820 : 821));
    CB_Enable_Var->SetCaption(Text(822));
    L_Desc_Var->SetCaption(Text(823));
    L_Type->SetCaption(Text(824));
    L_VIF_ASCII->SetCaption(Text(825));
    L_Fun_Field->SetCaption(Text(826));
    L_Dim->SetCaption(Text(827));
    L_Length->SetCaption(Text(828));
    L_Unit->SetCaption(Text(829));
    L_StoNumber->SetCaption(Text(830));
    L_Tariff->SetCaption(Text(831));
    L_VIFE->SetCaption(Text(832));
    CB_BCDtoINT->SetCaption(Text(833));
    L_Position->SetCaption(Text(834));
    L_Topic->SetCaption(Text(835));
    L_Post_Ope->SetCaption(Text(837));
    Btn_Var->SetCaption(Text(modifyVar_ ? 838 : 839));
    L_ManID->SetCaption(Text(845));
    L_Address->SetCaption(Text(846));
    L_Version->SetCaption(Text(847));
    L_DevType->SetCaption(Text(848));
    CB_Key_Enable->SetCaption(Text(849));
    for (int k = 0; k < 16; ++k) L_Key[static_cast<size_t>(k)]->SetCaption(Text(850 + k));
    L_wVar_List->SetCaption(Text(870));
}

// --- showing and loading ----------------------------------------------------------------------

void TFMeter_Bus::FormShow(TControl*)
{
    closing_ = false;
    Fill(CB_Cut_After, Frames_List());
    CB_Cut_After->SetItemIndex(0);
    MQTT_Topics = Read_MQTT_Publish_Topics(UComon::File_MQTT_Set_Topic);
    Fill(CB_Topic, MQTT_Topics);
    CB_Topic->SetDroppedWidth(0);
    Select_Width_ComboBox(*CB_Topic, 65);
    TS_Variables->SetTabVisible(true);
    Load_Network();
    if (!loadFault_.empty()) ShowError(loadFault_);
}

void TFMeter_Bus::Load_Network()
{
    Is_Change = false;
    Working_Mode = 0;
    TV_Network->OnChange = nullptr;
    TV_Network->Items().BeginUpdate();
    TV_Network->Items().Clear();
    NODE_ORIG = TV_Network->Items().AddChild(nullptr, "M-Bus Network");
    Nodi_List.clear();
    loadFault_.clear();
    if (FileExists(UComon::File_M_Bus)) {
        const TNetworkReadResult r = Read_MBus_Network(UComon::File_M_Bus, Nodi_List);
        if (r.Result != TNetworkRead::Read && r.Result != TNetworkRead::Missing) loadFault_ = r.Error;
    }
    for (const TNodo& node : Nodi_List) Add_Node_Item(node);
    TV_Network->Items().EndUpdate();
    NODE_ORIG->Expand(false);
    TV_Network->SetSelected(nullptr);
    TV_Network->OnChange = [this](TControl*, TTreeNode*) { Selection_Changed(); };
    NODE_ID = SELECT_NODE = nullptr;
    IND_NODO = IND_VAR = -1;
    Layout_Variables(0);
    Is_Change = false;
}

TTreeNode* TFMeter_Bus::Add_Node_Item(const TNodo& n)
{
    TTreeNode* item = TV_Network->Items().AddChild(NODE_ORIG, Node_Caption(n));
    if (Working_Mode == 0)
        for (const TVariabile& v : n.Var_List) TV_Network->Items().AddChild(item, Variable_Caption(v));
    return item;
}

// --- selection and the fields -----------------------------------------------------------------

void TFMeter_Bus::Selection_Changed()
{
    TTreeNode* sel = TV_Network->Selected();
    NODE_ID = SELECT_NODE = nullptr;
    IND_NODO = IND_VAR = -1;
    if (sel && NODE_ORIG) {
        const int nodes = std::min(NODE_ORIG->Count(), static_cast<int>(Nodi_List.size()));
        for (int i = 0; i < nodes && !SELECT_NODE; ++i) {
            TTreeNode* item = NODE_ORIG->Item(i);
            if (item == sel) {
                NODE_ID = SELECT_NODE = item;
                IND_NODO = i;
                break;
            }
            const int vars = std::min(item->Count(), static_cast<int>(Nodi_List[static_cast<size_t>(i)].Var_List.size()));
            for (int j = 0; j < vars; ++j)
                if (item->Item(j) == sel) {
                    NODE_ID = item;
                    SELECT_NODE = sel;
                    IND_NODO = i;
                    IND_VAR = j;
                    break;
                }
        }
    }
    Aggiorna_Label();
}

void TFMeter_Bus::Aggiorna_Label()
{
    modifyNode_ = IND_NODO >= 0 && IND_VAR < 0;
    modifyVar_ = IND_NODO >= 0 && IND_VAR >= 0;
    Btn_Node->SetCaption(Text(modifyNode_ ? 820 : 821));
    Btn_Var->SetCaption(Text(modifyVar_ ? 838 : 839));
    std::uint8_t listType = 0;
    if (IND_NODO < 0) {
        Clear_Node_Fields();
    } else {
        const TNodo& node = Nodi_List.at(static_cast<size_t>(IND_NODO));
        Node_To_Fields(node);
        listType = node.Var_List_Type;
        if (IND_VAR < 0)
            New_Variable_Fields();
        else
            Variable_To_Fields(node.Var_List.at(static_cast<size_t>(IND_VAR)));
    }
    Layout_Variables(listType);
    Layout_MBus_Type();
    Update_Enabling();
    if (IND_VAR >= 0)
        PC_Meter->SetActivePage(TS_Variables);
    else if (IND_NODO >= 0)
        PC_Meter->SetActivePage(TS_Nodes);
}

void TFMeter_Bus::Clear_Node_Fields()
{
    CB_SND_NKE->SetChecked(false);
    CB_Reset_App->SetChecked(false);
    CB_Enable_Node->SetChecked(true);
    Choose(CB_Topic, 0);
    Choose(CB_Post_Ope, 0);
    for (TEdit* e : {E_ManID, E_Address, E_Version, E_DevType}) e->SetText("");
    for (TEdit* e : E_Key) e->SetText("");
    CB_Key_Enable->SetChecked(false);
    CB_wVar_List->SetItemIndex(0);
}

void TFMeter_Bus::Node_To_Fields(const TNodo& n)
{
    CB_Enable_Node->SetChecked(n.Enable);
    E_Desc_Node->SetText(n.Description);
    E_Primary->SetText(std::to_string(n.Node_ID_Primary));
    E_Secondary->SetText(std::to_string(n.Node_ID_Secondary));
    RB_Primary->SetChecked(n.Node_ID_Type == 0);
    RB_Secondary->SetChecked(n.Node_ID_Type != 0);
    CB_SND_NKE->SetChecked(n.Send_SNK != 0);
    CB_Reset_App->SetChecked(n.Reset_App != 0);
    Choose(CB_Var_List, n.Var_List_Type);
    Choose(CB_wVar_List, n.Var_List_Type);
    Choose(CB_Cut_After, n.Cut_After);
    Choose(CB_MBus_Type, n.MBus_Type);
    E_ManID->SetText(n.wMBus_ManID);
    E_Address->SetText(n.wMBus_Add);
    E_Version->SetText(n.wMBus_Ver);
    E_DevType->SetText(n.wMBus_DevType);
    CB_Key_Enable->SetChecked(n.wMBus_En_Key != 0);
    for (size_t k = 0; k < E_Key.size(); ++k) E_Key[k]->SetText(n.wMBus_Key[k]);
}

void TFMeter_Bus::New_Variable_Fields()
{
    CB_Enable_Var->SetChecked(true);
    E_Desc_Var->SetText("");
    for (TComboBox* c : {CB_Type, CB_Fun_Field, CB_Dim, CB_Unit, CB_VIFE, CB_Topic, CB_Post_Ope}) Choose(c, 0);
    E_StoNumber->SetText("0");
    E_Tariff->SetText("0");
    CB_BCDtoINT->SetChecked(false);
    E_VIF_ASCII->SetText("");
    E_Length->SetText("0");
    E_Position->SetText("1");
}

void TFMeter_Bus::Variable_To_Fields(const TVariabile& v)
{
    CB_Enable_Var->SetChecked(v.Enable);
    E_Desc_Var->SetText(v.Description);
    Choose(CB_Type, v.Type_Of_Data);
    Choose(CB_Fun_Field, v.Function_Field);
    Choose(CB_Dim, v.Dimension);
    Choose(CB_Unit, v.Unita);
    Choose(CB_VIFE, v.VIFE);
    Choose(CB_Topic, v.Topic);
    Choose(CB_Post_Ope, v.Post_Operation);
    E_StoNumber->SetText(std::to_string(v.Storage_Number));
    E_Tariff->SetText(std::to_string(v.Tariff));
    CB_BCDtoINT->SetChecked(v.BCDtoINT);
    E_VIF_ASCII->SetText(v.VIF_ASCII);
    E_Length->SetText(std::to_string(v.Length));
    E_Position->SetText(std::to_string(v.Position));
}

bool TFMeter_Bus::Is_Wireless_Shown() const { return CB_MBus_Type->ItemIndex() == 0; }

void TFMeter_Bus::Layout_MBus_Type()
{
    const bool wireless = Is_Wireless_Shown();
    P_Wireless->SetVisible(wireless);
    for (TControl* c : std::initializer_list<TControl*>{RB_Primary, RB_Secondary, E_Primary, E_Secondary, CB_SND_NKE,
                                                        CB_Reset_App, L_Var_List, CB_Var_List, L_Cut_After,
                                                        CB_Cut_After, L_Frames})
        c->SetVisible(!wireless);
    const int rows = wireless ? 3 + 12 : 10;
    Btn_Node->SetTop(Row_Top + rows * Row_Step + 12);
    Btn_Scan_Device->SetTop(Btn_Node->Top());
}

void TFMeter_Bus::Layout_Variables(std::uint8_t Var_List_Type)
{
    for (TControl* c : std::initializer_list<TControl*>{L_Type, CB_Type, L_VIF_ASCII, E_VIF_ASCII, L_Fun_Field,
                                                        CB_Fun_Field, L_Unit, CB_Unit, L_StoNumber, E_StoNumber,
                                                        L_Tariff, E_Tariff, L_VIFE, CB_VIFE, L_Position, E_Position})
        c->Hide();
    struct TRow {
        TLabel* label;
        TControl* field;
    };
    std::vector<TRow> rows = {{nullptr, CB_Enable_Var}, {L_Desc_Var, E_Desc_Var}};
    if (Var_List_Type == 1) {
        rows.insert(rows.end(), {{L_Dim, CB_Dim},
                                 {L_Length, E_Length},
                                 {nullptr, CB_BCDtoINT},
                                 {L_Position, E_Position},
                                 {L_Topic, CB_Topic},
                                 {L_Post_Ope, CB_Post_Ope}});
    } else {
        rows.insert(rows.end(), {{L_Type, CB_Type},
                                 {L_VIF_ASCII, E_VIF_ASCII},
                                 {L_Fun_Field, CB_Fun_Field},
                                 {L_Dim, CB_Dim},
                                 {L_Length, E_Length},
                                 {L_Unit, CB_Unit},
                                 {L_StoNumber, E_StoNumber},
                                 {L_Tariff, E_Tariff},
                                 {L_VIFE, CB_VIFE},
                                 {nullptr, CB_BCDtoINT},
                                 {L_Topic, CB_Topic},
                                 {L_Post_Ope, CB_Post_Ope}});
    }
    for (size_t r = 0; r < rows.size(); ++r) Place_Row(rows[r].label, rows[r].field, static_cast<int>(r));
    Btn_Var->SetTop(Row_Top + static_cast<int>(rows.size()) * Row_Step + 12);
    Btn_Scan_Var->SetTop(Btn_Var->Top());
}

void TFMeter_Bus::Update_Enabling()
{
    E_VIF_ASCII->SetEnabled(CB_Type->ItemIndex() == 21);
    E_Length->SetEnabled(CB_Dim->ItemIndex() == 7);
}

// --- the node button --------------------------------------------------------------------------

bool TFMeter_Bus::Check_Node_ID(std::int32_t ID)
{
    for (size_t i = 0; i < Nodi_List.size(); ++i) {
        const TNodo& n = Nodi_List[i];
        if (n.MBus_Type != 1 || n.ID() != ID) continue;
        if (static_cast<std::int32_t>(i) != IND_NODO) {
            ShowError(Text(885));
            return false;
        }
        if (IND_VAR != -1) {
            ShowError(Text(884));
            return false;
        }
    }
    return true;
}

bool TFMeter_Bus::Check_Node_ID2(std::int32_t ID, std::int32_t IDType)
{
    for (const TNodo& n : Nodi_List) {
        if (n.Node_ID_Type != IDType) continue;
        if ((IDType == 1 ? n.Node_ID_Secondary : n.Node_ID_Primary) == ID) {
            ShowError(Text(883));
            return false;
        }
    }
    return true;
}

bool TFMeter_Bus::Controllo_Dati_New_Nodo()
{
    if (Is_Wireless_Shown()) {
        const auto fails = [](const std::string& text, std::int64_t hi) {
            return !In_Range(UComon::Whole_Number64(text), 0, hi);
        };
        if (fails(E_ManID->Text(), 0xFFFF)) return Refuse(Text(896));
        if (fails(E_Address->Text(), 0xFFFFFFFFll)) return Refuse(Text(897));
        if (fails(E_Version->Text(), 255)) return Refuse(Text(898));
        if (fails(E_DevType->Text(), 255)) return Refuse(Text(899));
        if (CB_Key_Enable->Checked())
            for (size_t k = 0; k < E_Key.size(); ++k)
                if (fails(E_Key[k]->Text(), 255)) return Refuse(Text(900 + static_cast<int>(k)));
        return true;
    }
    std::int32_t id = 0;
    if (RB_Primary->Checked()) {
        id = UComon::Whole_Number(E_Primary->Text());
        if (!In_Range(id, 0, 255)) return Refuse(Text(881));
    } else {
        id = UComon::Whole_Number(E_Secondary->Text());
        if (!In_Range(id, 0, 99999999)) return Refuse(Text(882));
    }
    return Check_Node_ID(id);
}

TNodo TFMeter_Bus::Node_From_Fields(const TNodo& base) const
{
    TNodo n = base;
    n.Enable = CB_Enable_Node->Checked();
    n.Description = E_Desc_Node->Text();
    // An ID edit no check covered keeps the node's value when it holds no number.
    n.Node_ID_Primary = Number_Or(E_Primary->Text(), base.Node_ID_Primary);
    n.Node_ID_Secondary = Number_Or(E_Secondary->Text(), base.Node_ID_Secondary);
    n.Send_SNK = CB_SND_NKE->Checked() ? 1 : 0;
    n.Reset_App = CB_Reset_App->Checked() ? 1 : 0;
    n.Node_ID_Type = RB_Primary->Checked() ? 0 : 1;
    n.MBus_Type = static_cast<std::uint8_t>(Chosen(CB_MBus_Type, base.MBus_Type));
    n.Var_List_Type = static_cast<std::uint8_t>(Chosen(n.MBus_Type == 0 ? CB_wVar_List : CB_Var_List, base.Var_List_Type));
    n.Cut_After = static_cast<std::uint8_t>(Chosen(CB_Cut_After, base.Cut_After));
    n.wMBus_ManID = E_ManID->Text();
    n.wMBus_Add = E_Address->Text();
    n.wMBus_Ver = E_Version->Text();
    n.wMBus_DevType = E_DevType->Text();
    n.wMBus_En_Key = CB_Key_Enable->Checked() ? 1 : 0;
    for (size_t k = 0; k < E_Key.size(); ++k) n.wMBus_Key[k] = E_Key[k]->Text();
    return n;
}

void TFMeter_Bus::Btn_NodeClick(TControl*)
{
    if (modifyNode_) {
        if (!NODE_ID || IND_NODO < 0 || IND_NODO >= static_cast<std::int32_t>(Nodi_List.size())) return;
        if (!Controllo_Dati_New_Nodo()) return;
        TNodo& node = Nodi_List[static_cast<size_t>(IND_NODO)];
        node = Node_From_Fields(node);
        NODE_ID->SetText(Node_Caption(node));
    } else {
        if (!Controllo_Dati_New_Nodo()) return;
        TNodo fresh;
        fresh.Node_ID_Primary = 1;
        fresh.Node_ID_Secondary = 1;
        Nodi_List.push_back(Node_From_Fields(fresh));
        Add_Node_Item(Nodi_List.back());
    }
    Is_Change = true;
    NODE_ORIG->Expand(false);
}

// --- the variable button ----------------------------------------------------------------------

bool TFMeter_Bus::Controllo_Dati_New_Var()
{
    const TVariabile* stored = modifyVar_ && IND_NODO >= 0 && IND_VAR >= 0
                                   ? &Nodi_List.at(static_cast<size_t>(IND_NODO)).Var_List.at(static_cast<size_t>(IND_VAR))
                                   : nullptr;
    const TVariabile base = stored ? *stored : TVariabile{};
    if (!In_Range(UComon::Whole_Number64(E_StoNumber->Text()), 0, 0xFFFFFFFFll)) return Refuse(Text(872));
    if (!In_Range(UComon::Whole_Number64(E_Tariff->Text()), 0, 0xFFFFF)) return Refuse(Text(873));
    if (Chosen(CB_Dim, base.Dimension) == 7 && !In_Range(UComon::Whole_Number(E_Length->Text()), 0, 191))
        return Refuse(Text(874));
    if (!In_Range(UComon::Whole_Number(E_Position->Text()), 1, 100)) return Refuse(Text(875));
    if (Chosen(CB_Post_Ope, base.Post_Operation) != 0) {
        const int type = Chosen(CB_Type, base.Type_Of_Data);
        if (type >= 20) return Refuse(Text(879));
        const int vife = Chosen(CB_VIFE, base.VIFE);
        if (type == 19 && vife != 38 && vife != 39 && !In_Range(vife, 51, 69)) return Refuse(Text(880));
    }
    return true;
}

TVariabile TFMeter_Bus::Variable_From_Fields(const TVariabile& base) const
{
    TVariabile v = base;
    v.Enable = CB_Enable_Var->Checked();
    v.Description = E_Desc_Var->Text();
    v.Type_Of_Data = Chosen(CB_Type, base.Type_Of_Data);
    v.Function_Field = Chosen(CB_Fun_Field, base.Function_Field);
    v.Dimension = Chosen(CB_Dim, base.Dimension);
    v.Unita = Chosen(CB_Unit, base.Unita);
    v.VIFE = static_cast<std::uint8_t>(Chosen(CB_VIFE, base.VIFE));
    v.Topic = Chosen(CB_Topic, base.Topic);
    v.Post_Operation = static_cast<std::uint8_t>(Chosen(CB_Post_Ope, base.Post_Operation));
    v.Storage_Number = static_cast<std::uint32_t>(UComon::Whole_Number64(E_StoNumber->Text()));
    v.Tariff = UComon::Whole_Number(E_Tariff->Text());
    v.BCDtoINT = CB_BCDtoINT->Checked();
    v.VIF_ASCII = E_VIF_ASCII->Text();
    v.Length = Number_Or(E_Length->Text(), 0);
    v.Position = static_cast<std::uint8_t>(UComon::Whole_Number(E_Position->Text()));
    return v;
}

void TFMeter_Bus::Btn_VarClick(TControl*)
{
    if (IND_NODO < 0 || IND_NODO >= static_cast<std::int32_t>(Nodi_List.size())) return;
    TNodo& node = Nodi_List[static_cast<size_t>(IND_NODO)];
    if (modifyVar_) {
        if (!SELECT_NODE || IND_VAR < 0 || IND_VAR >= static_cast<std::int32_t>(node.Var_List.size())) return;
        if (!Controllo_Dati_New_Var()) return;
        TVariabile& v = node.Var_List[static_cast<size_t>(IND_VAR)];
        v = Variable_From_Fields(v);
        SELECT_NODE->SetText(Variable_Caption(v));
    } else {
        if (!NODE_ID || !Controllo_Dati_New_Var()) return;
        TVariabile fresh;
        fresh.Topic = -1;
        node.Var_List.push_back(Variable_From_Fields(fresh));
        TV_Network->Items().AddChild(NODE_ID, Variable_Caption(node.Var_List.back()));
    }
    Is_Change = true;
}

// --- the tree's pop-up menu -------------------------------------------------------------------

void TFMeter_Bus::Tree_Popup(TPoint MousePos)
{
    const std::vector<TMenuEntry> entries = {
        {Text(840), true}, {Text(841), Copy_Var != nullptr}, {"-", true}, {Text(842), true},
        {Text(843), Copy_Node != nullptr}, {"-", true}, {Text(844), true},
    };
    Menu_Command(TrackPopupMenu(entries, ControlToScreen(*TV_Network, MousePos), TV_Network));
}

void TFMeter_Bus::Menu_Command(int command)
{
    switch (command) {
    case cmCopyVar: Copy_Variable(); break;
    case cmPasteVar: Paste_Variable(); break;
    case cmCopyNode: Copy_Node_Click(); break;
    case cmPasteNode: Paste_Node(); break;
    case cmDelete: Delete_Items(); break;
    default: break;
    }
}

void TFMeter_Bus::Copy_Variable()
{
    if (IND_NODO < 0 || IND_NODO >= static_cast<std::int32_t>(Nodi_List.size())) return ShowError(Text(890));
    const TNodo& node = Nodi_List[static_cast<size_t>(IND_NODO)];
    if (IND_VAR < 0 || IND_VAR >= static_cast<std::int32_t>(node.Var_List.size())) return ShowError(Text(889));
    Copy_Var = std::make_unique<TVariabile>(node.Var_List[static_cast<size_t>(IND_VAR)]);
}

void TFMeter_Bus::Paste_Variable()
{
    if (!Copy_Var) return ShowError(Text(893));
    if (IND_NODO < 0 || IND_NODO >= static_cast<std::int32_t>(Nodi_List.size()) || !NODE_ID)
        return ShowError(Text(894));
    Nodi_List[static_cast<size_t>(IND_NODO)].Var_List.push_back(*Copy_Var);
    TV_Network->Items().AddChild(NODE_ID, Variable_Caption(*Copy_Var));
    Is_Change = true;
}

void TFMeter_Bus::Copy_Node_Click()
{
    if (IND_NODO < 0 || IND_NODO >= static_cast<std::int32_t>(Nodi_List.size())) return ShowError(Text(891));
    TNodo copy = Nodi_List[static_cast<size_t>(IND_NODO)];
    copy.Access_Number = 0;
    copy.AN_Topic = 0;
    copy.wMBus_RSSI = 0;
    copy.wMBus_RSSI_Topic = 0;
    Copy_Node = std::make_unique<TNodo>(std::move(copy));
}

void TFMeter_Bus::Paste_Node()
{
    if (!Copy_Node || !FNewIDNode) return;
    TFNewIDNode& dlg = *FNewIDNode;
    const TNodo& copy = *Copy_Node;
    if (copy.MBus_Type == 1) {
        dlg.Form_Type = 1;
        dlg.RB_Secondary->SetChecked(copy.Node_ID_Type != 0);
        dlg.RB_Primary->SetChecked(copy.Node_ID_Type == 0);
        dlg.E_Primary->SetText(std::to_string(copy.Node_ID_Primary));
        dlg.E_Secondary->SetText(std::to_string(copy.Node_ID_Secondary));
    } else {
        dlg.Form_Type = 2;
    }
    dlg.Check_ID = [this](std::int32_t id, std::int32_t type) { return Check_Node_ID2(id, type); };
    const int result = dlg.ShowModal();
    dlg.Check_ID = nullptr;
    if (result != mrOk) return;
    // The node first (an edit the dialog did not check keeps the copy's
    // value when it holds no number), then its items: tree and list in step.
    TNodo node = copy;
    node.Node_ID_Primary = Number_Or(dlg.E_Primary->Text(), copy.Node_ID_Primary);
    node.Node_ID_Secondary = Number_Or(dlg.E_Secondary->Text(), copy.Node_ID_Secondary);
    node.Node_ID_Type = dlg.RB_Secondary->Checked() ? 1 : 0;
    if (copy.MBus_Type == 0) node.wMBus_Add = dlg.E_Address->Text();
    Nodi_List.push_back(std::move(node));
    Add_Node_Item(Nodi_List.back());
    Is_Change = true;
}

void TFMeter_Bus::Delete_Items()
{
    if (IND_NODO < 0) {
        if (MessageDlg(Text(886), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes) return;
        const bool had = !Nodi_List.empty();
        TV_Network->OnChange = nullptr;
        Nodi_List.clear();
        TV_Network->Items().Clear();
        NODE_ORIG = TV_Network->Items().AddChild(nullptr, "M-Bus Network");
        TV_Network->OnChange = [this](TControl*, TTreeNode*) { Selection_Changed(); };
        Selection_Changed();
        if (had) Is_Change = true;
    } else if (IND_VAR < 0) {
        if (MessageDlg(Text(887), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes) return;
        TTreeNode* item = NODE_ID;
        Nodi_List.erase(Nodi_List.begin() + IND_NODO);
        item->Delete();
        Selection_Changed();
        Is_Change = true;
    } else {
        if (MessageDlg(Text(888), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes) return;
        TTreeNode* item = SELECT_NODE;
        auto& vars = Nodi_List[static_cast<size_t>(IND_NODO)].Var_List;
        vars.erase(vars.begin() + IND_VAR);
        item->Delete();
        Selection_Changed();
        Is_Change = true;
    }
    TV_Network->Invalidate();
}

// --- import, OK and Cancel --------------------------------------------------------------------

void TFMeter_Bus::Import_Network()
{
    TOpenDialog dlg;
    dlg.Filter = "XML File (*.xml)|*.xml";
    if (!dlg.Execute()) return;
    const std::string chosen = dlg.FileName;
    const std::string& target = UComon::File_M_Bus;
    TNodoList probe;
    const TNetworkReadResult read = Read_MBus_Network(chosen, probe);
    if (read.Result != TNetworkRead::Read) {
        ShowError(read.Result == TNetworkRead::Missing ? chosen + ": the file cannot be found" : read.Error);
        return;
    }
    if (FileExists(target) && SameFile(chosen, target)) {
        Load_Network();
        return;
    }
    if (FileExists(target) &&
        MessageDlg(Text(871), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    std::string bytes;
    std::string why;
    if (!ReadFileBytes(chosen, bytes, &why) || !WriteFileAtomic(target, bytes)) {
        ShowError(chosen + " could not be copied to " + target + (why.empty() ? "" : ": " + why));
        return;
    }
    Load_Network();
}

void TFMeter_Bus::Btn_OKClick(TControl*)
{
    const std::string& path = UComon::File_M_Bus;
    if (!loadFault_.empty() &&
        MessageDlg(path + " was not read whole: only the nodes read before the fault are shown. Replace the file "
                          "with the nodes shown here?",
                   TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    std::string error;
    if (!Write_MBus_Network(path, Nodi_List, error)) {
        ShowError(error);
        return;
    }
    TV_Network->OnChange = nullptr;
    TV_Network->Items().Clear();
    NODE_ORIG = NODE_ID = SELECT_NODE = nullptr;
    Nodi_List.clear();
    IND_NODO = IND_VAR = -1;
    loadFault_.clear();
    closing_ = true;
    SetModalResult(mrOk);
}

void TFMeter_Bus::Btn_CancelClick(TControl*)
{
    if (Is_Change && MessageDlg(Text(895), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes) return;
    closing_ = true;
    SetModalResult(mrCancel);
}

void TFMeter_Bus::CloseQuery(bool& CanClose)
{
    // The close box (and Escape) asks as Cancel does.
    if (closing_ || !Is_Change) return;
    CanClose = MessageDlg(Text(895), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) == mrYes;
    closing_ = CanClose;
}
