#include "rules/can_mqtt/UDefOffset.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UWholeNumber.h"
#include "platform/GridView.h"
#include "platform/XmlDoc.h"
#include "rules/can_mqtt/URuleFrame.h"

#include <algorithm>

using ULanguage::Text;
using URuleFiles::Data_Array_Size;

namespace {

int Clamped_Number(const std::string& text, int hi)
{
    return std::clamp<int>(UComon::Whole_Number_Def(text, 0), 0, hi);
}

void Read_Bytes(pugi::xml_node section, std::vector<std::string>& offsets, std::vector<std::string>& mnemonics)
{
    size_t i = 0;
    for (pugi::xml_node row : section.children()) {
        if (row.type() != pugi::node_element) continue;
        if (i >= offsets.size()) break;
        offsets[i] = row.attribute("Offset") ? row.attribute("Offset").value() : "None";
        mnemonics[i] = row.attribute("Mnemonic").value();
        ++i;
    }
}

// A grid of n data rows under its header; with none the header row stays
// alone (a fixed row needs a row below it, so it is not fixed then).
void Set_Data_Rows(TExColumnGrid& grid, int n)
{
    if (n <= 0) {
        grid.SetFixedRows(0);
        grid.SetRowCount(1);
    } else {
        grid.SetRowCount(n + 1);
        grid.SetFixedRows(1);
    }
}

// "None" (or nothing) ties the byte to no position.
bool No_Position(const std::string& text)
{
    const std::string t = Trim(text);
    return t.empty() || t == "None";
}

} // namespace

TXmlLoad Load_Slave_DN(const std::string& netFile, TSlaves_DN& slaves, TExColumnGrid* grid, std::string* why)
{
    slaves.clear();
    if (grid) Set_Data_Rows(*grid, 0);
    TXmlDocument doc;
    const TXmlLoad loaded = netFile.empty() ? TXmlLoad::Missing : doc.LoadFromFile(netFile);
    if (why) *why = doc.LoadError();
    if (loaded != TXmlLoad::Read) return loaded;
    for (pugi::xml_node row : doc.Root().children()) {
        if (row.type() != pugi::node_element) continue;
        auto s = std::make_unique<TSlave_DN>();
        const std::string id = row.attribute("ID").value(), in = row.attribute("NB_IN").value(),
                          out = row.attribute("NB_OUT").value();
        s->ID = static_cast<uint8_t>(Clamped_Number(id, 255));
        s->ByteIN = static_cast<uint16_t>(Clamped_Number(in, 65535));
        s->ByteOUT = static_cast<uint16_t>(Clamped_Number(out, 65535));
        s->SL_ByteIN.assign(s->ByteIN, "None");
        s->SL_ByteIN_M.assign(s->ByteIN, "");
        s->SL_ByteOUT.assign(s->ByteOUT, "None");
        s->SL_ByteOUT_M.assign(s->ByteOUT, "");
        slaves.push_back(std::move(s));
        if (grid) {
            const int r = static_cast<int>(slaves.size());
            Set_Data_Rows(*grid, r);
            grid->SetCellEx(0, r, id);
            grid->SetCellEx(1, r, in);
            grid->SetCellEx(2, r, out);
            grid->SetCellEx(3, r, row.attribute("Mnemonic").value());
        }
    }
    return loaded;
}

TXmlLoad Load_Offset_Slave_DN(const std::string& offFile, TSlaves_DN& slaves, std::string* why)
{
    TXmlDocument doc;
    const TXmlLoad loaded = offFile.empty() ? TXmlLoad::Missing : doc.LoadFromFile(offFile);
    if (why) *why = doc.LoadError();
    if (loaded != TXmlLoad::Read) return loaded;
    size_t k = 0;
    for (pugi::xml_node node : doc.Root().children()) {
        if (node.type() != pugi::node_element) continue;
        if (k >= slaves.size()) break;
        TSlave_DN& s = *slaves[k++];
        Read_Bytes(ChildElement(node, "ByteIN"), s.SL_ByteIN, s.SL_ByteIN_M);
        Read_Bytes(ChildElement(node, "ByteOUT"), s.SL_ByteOUT, s.SL_ByteOUT_M);
    }
    return loaded;
}

std::optional<std::string> Check_Offsets(const TSlaves_DN& slaves)
{
    struct TTaken {
        int id = -1, byte = -1;
    };
    std::vector<TTaken> check(Data_Array_Size);
    auto out_of_range = [](const char* page, const TSlave_DN& s, size_t i, int limit) {
        return std::string("Error in ") + page + "! ID = " + std::to_string(s.ID) + " Byte = " + std::to_string(i) +
               TFDefOffset::Msg_Position_Out + std::to_string(limit - 1);
    };
    for (const auto& s : slaves) {
        // A position the combo list does not offer (a hand-edited file) is
        // refused on both pages.
        for (size_t i = 0; i < s->SL_ByteIN.size(); ++i)
            if (!No_Position(s->SL_ByteIN[i]) && !In_Range(UComon::Whole_Number(s->SL_ByteIN[i]), 0, Data_Array_Size - 1))
                return out_of_range("ByteIN", *s, i, Data_Array_Size);
        for (size_t i = 0; i < s->SL_ByteOUT.size(); ++i) {
            if (No_Position(s->SL_ByteOUT[i])) continue;
            const int32_t p = UComon::Whole_Number(s->SL_ByteOUT[i]);
            if (!In_Range(p, 0, Data_Array_Size - 1)) return out_of_range("ByteOUT", *s, i, Data_Array_Size);
            TTaken& t = check[static_cast<size_t>(p)];
            if (t.id >= 0)
                return Text(2921) + "\n\r" + "( " + Text(2922) + std::to_string(t.id) + Text(2923) +
                       std::to_string(t.byte) + Text(2924) + std::to_string(s->ID) + Text(2925) + std::to_string(i) +
                       ")";
            t = {s->ID, static_cast<int>(i)};
        }
    }
    return std::nullopt;
}

bool Save_Offset_Slave_DN(const std::string& offFile, const TSlaves_DN& slaves)
{
    TXmlDocument doc;
    pugi::xml_node root = doc.NewDocument("Define_Offset");
    doc.AddDocumentComment("SW_VERSION = 1.000");
    for (const auto& s : slaves) {
        pugi::xml_node node = root.append_child("Nodo_DNET");
        auto bytes = [&](const char* name, const std::vector<std::string>& off, const std::vector<std::string>& m) {
            pugi::xml_node section = node.append_child(name);
            for (size_t i = 0; i < off.size(); ++i) {
                pugi::xml_node row = section.append_child("row");
                row.append_attribute("Offset").set_value(off[i].c_str());
                row.append_attribute("Mnemonic").set_value(m[i].c_str());
            }
        };
        bytes("ByteIN", s->SL_ByteIN, s->SL_ByteIN_M);
        bytes("ByteOUT", s->SL_ByteOUT, s->SL_ByteOUT_M);
    }
    return !offFile.empty() && doc.SaveToFile(offFile);
}

// --- the window ---------------------------------------------------------------

TFDefOffset::TFDefOffset()
{
    const TWindowFrame f = Build_Window_Frame(*this, 482, 610);
    P_Title = f.P_Title;
    L_SW_Code = f.L_SW_Code;
    L_SW_Desc = f.L_SW_Desc;
    P_Button = f.P_Button;
    SetBorderStyle(TFormBorderStyle::bsSizeable);

    Panel1 = new TPanel(this);
    Panel1->SetBevelOuter(TBevelCut::bvNone);
    Panel1->SetHeight(162);
    Panel1->SetAlign(TAlign::alTop);
    Label1 = new TLabel(Panel1);
    Label1->SetBounds(8, 1, 0, 0);
    ECG_DN_Slaves = new TExColumnGrid(Panel1);
    ECG_DN_Slaves->SetBounds(8, 18, 466, 140);
    ECG_DN_Slaves->SetColCount(4);
    ECG_DN_Slaves->SetFixedCols(0);
    Set_Data_Rows(*ECG_DN_Slaves, 0);
    const int slaveWidths[4] = {100, 100, 100, 160};
    for (int c = 0; c < 4; ++c) {
        ECG_DN_Slaves->Columns().Items(c)->SetWidth(slaveWidths[c]);
        ECG_DN_Slaves->Columns().Items(c)->ReadOnly = true;
    }
    ECG_DN_Slaves->OnClickCell = [this](TObject*, int, int) { ECG_DN_SlavesClick(); };

    Panel3 = new TPanel(this);
    Panel3->SetBevelOuter(TBevelCut::bvNone);
    Panel3->SetAlign(TAlign::alClient);
    Label2 = new TLabel(Panel3);
    Label2->SetBounds(8, 8, 0, 0);
    Label3 = new TLabel(Panel3);
    Label3->SetBounds(8, 24, 0, 0);
    PageControl1 = new TExPageControl(Panel3);
    PageControl1->SetTabBorder3D(true);
    PageControl1->SetBounds(0, 40, 482, 610 - 69 - 162 - 40 - 40);
    PageControl1->SetAnchors(akLeft | akTop | akRight | akBottom);
    TabSheet1 = new TExTabSheet(PageControl1);
    TabSheet2 = new TExTabSheet(PageControl1);
    for (TExColumnGrid** g : {&ECG_ByteIN, &ECG_ByteOUT}) {
        *g = new TExColumnGrid(g == &ECG_ByteIN ? TabSheet1 : TabSheet2);
        TExColumnGrid* grid = *g;
        grid->View()->SetAlign(TAlign::alClient);
        grid->SetColCount(3);
        Set_Data_Rows(*grid, 0);
        grid->SetFixedCols(1);
        grid->SetOptions(grid->Options() + goEditing);
        const int widths[3] = {60, 90, 300};
        for (int c = 0; c < 3; ++c) grid->Columns().Items(c)->SetWidth(widths[c]);
        grid->Columns().Items(1)->SetEditor(edComboList);
    }

    Btn_OK = New_Button(P_Button, 16, 6, 110, 28);
    Btn_OK->OnClick = [this](TControl*) { bitbtn1Click(); };
    Btn_Cancel = New_Button(P_Button, 134, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    OnShow = [this](TControl*) { FormShow(); };
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::DefOffset, [this] { Set_Lang(); });
}

TFDefOffset::~TFDefOffset() { ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::DefOffset); }

void TFDefOffset::Set_Lang()
{
    SetCaption(Text(2900));
    L_SW_Desc->SetCaption(Text(2901));
    Btn_OK->SetCaption(Text(2902));
    Btn_Cancel->SetCaption(Text(2903));
    Btn_OK->SetHint(Text(2904));
    Btn_Cancel->SetHint(Text(2905));
    TabSheet1->SetCaption(Text(2906));
    TabSheet2->SetCaption(Text(2907));
    Label1->SetCaption(Text(2908));
    Label2->SetCaption(Text(2909));
    Label3->SetCaption(Text(2910));
    for (int c = 0; c < 4; ++c) ECG_DN_Slaves->Columns().Items(c)->SetHeader(Text(2911 + c));
    for (int c = 0; c < 3; ++c) {
        ECG_ByteIN->Columns().Items(c)->SetHeader(Text(2915 + c));
        ECG_ByteOUT->Columns().Items(c)->SetHeader(Text(2918 + c));
    }
}

void TFDefOffset::FormShow()
{
    List_Slaves_DN.clear();
    for (TExColumnGrid* grid : {ECG_ByteIN, ECG_ByteOUT}) {
        TStringList& items = grid->Columns().Items(1)->ComboItems();
        items.Clear();
        for (const std::string& s : Position_Items(Data_Array_Size)) items.Add(s);
    }
    Slave_Before_Select = -1;
    // Files that cannot be read are named at once, as in every rule window.
    std::string why;
    Net_Unreadable = Load_Slave_DN(UComon::File_DNETM_Net, List_Slaves_DN, ECG_DN_Slaves, &why) ==
                     TXmlLoad::Unreadable;
    if (Net_Unreadable) TRuleFrame::Report_Unreadable(UComon::File_DNETM_Net, why);
    Off_Unreadable = Load_Offset_Slave_DN(UComon::File_DNETM_DefOff, List_Slaves_DN, &why) == TXmlLoad::Unreadable;
    if (Off_Unreadable) TRuleFrame::Report_Unreadable(UComon::File_DNETM_DefOff, why);
    Select_First();
    // As in the rule windows: keys go to the slaves, Return does not press OK.
    if (ECG_DN_Slaves->CanFocus()) ECG_DN_Slaves->SetFocus();
}

void TFDefOffset::Select_First()
{
    if (ECG_DN_Slaves->RowCount() > 1) {
        ECG_DN_Slaves->SetRow(1);
        ECG_DN_SlavesClick();
    } else {
        Update_Slave_DN();
    }
}

void TFDefOffset::ECG_DN_SlavesClick()
{
    if (Slave_Before_Select != -1) Save_Data_ByteIN_ByteOUT();
    const int row = ECG_DN_Slaves->Row();
    if (row < 1 || row > static_cast<int>(List_Slaves_DN.size())) return;
    ECG_DN_Slaves->SelectRows(row, 1);
    Slave_Before_Select = row - 1;
    Update_Slave_DN();
}

void TFDefOffset::Update_Slave_DN()
{
    const int row = ECG_DN_Slaves->Row();
    if (ECG_DN_Slaves->RowCount() <= 1 || row < 1 || row > static_cast<int>(List_Slaves_DN.size())) {
        Set_Data_Rows(*ECG_ByteIN, 0);
        Set_Data_Rows(*ECG_ByteOUT, 0);
        return;
    }
    const TSlave_DN& s = *List_Slaves_DN[static_cast<size_t>(row - 1)];
    auto fill = [](TExColumnGrid* grid, const std::vector<std::string>& off, const std::vector<std::string>& m) {
        Set_Data_Rows(*grid, static_cast<int>(off.size()));
        for (size_t i = 0; i < off.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            grid->SetCellEx(0, r, std::to_string(i));
            grid->SetCellEx(1, r, off[i]);
            grid->SetCellEx(2, r, m[i]);
        }
    };
    fill(ECG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
    fill(ECG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
}

bool TFDefOffset::Save_Data_ByteIN_ByteOUT()
{
    if (Slave_Before_Select < 0 || Slave_Before_Select >= static_cast<int>(List_Slaves_DN.size())) return true;
    TSlave_DN& s = *List_Slaves_DN[static_cast<size_t>(Slave_Before_Select)];
    auto store = [](TExColumnGrid* grid, std::vector<std::string>& off, std::vector<std::string>& m) {
        for (int r = 1; r < grid->RowCount() && r <= static_cast<int>(off.size()); ++r) {
            off[static_cast<size_t>(r - 1)] = grid->GetCellEx(1, r);
            m[static_cast<size_t>(r - 1)] = grid->GetCellEx(2, r);
        }
    };
    store(ECG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
    store(ECG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
    return true;
}

void TFDefOffset::bitbtn1Click()
{
    if (Slave_Before_Select != -1) Save_Data_ByteIN_ByteOUT();
    // Without the slave list the offsets shown belong to no slave: saving
    // them would erase every slave's offsets.
    if (Net_Unreadable) {
        ShowError(std::string(Msg_Net_Unreadable) + "\n" + UComon::File_DNETM_Net);
        return;
    }
    if (const std::optional<std::string> fault = Check_Offsets(List_Slaves_DN)) {
        MessageDlg(*fault, TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return;
    }
    if (Off_Unreadable && !TRuleFrame::Replace_Unreadable_Agreed(UComon::File_DNETM_DefOff)) return;
    if (!Save_Offset_Slave_DN(UComon::File_DNETM_DefOff, List_Slaves_DN)) {
        ShowError(std::string(Msg_File_Not_Written) + "\n" + UComon::File_DNETM_DefOff);
        return;
    }
    Off_Unreadable = false;
    SetModalResult(mrOk);
}
