// The EDE import: reading another device's EDE file and the selection dialog.
#include "rules/field/UImportEDEFile.h"

#include "core/ULanguage.h"
#include "core/UParsers.h"
#include "core/UWholeNumber.h"
#include "platform/Dialogs.h"
#include "platform/GridView.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"
#include "platform/TextFile.h"
#include "widgets/LbButton.h"

using ULanguage::Text;

namespace {

struct TEdeType {
    int32_t number;
    const char* objectType;
    const char* dataType;
    int bytes;
};

const TEdeType Ede_Types[] = {
    {0, "Analog Input", "Real", 4},          {1, "Analog Output", "Real", 4},
    {2, "Analog Value", "Real", 4},          {3, "Binary Input", "Enumerated", 1},
    {4, "Binary Output", "Enumerated", 1},   {5, "Binary Value", "Enumerated", 1},
    {13, "Multi-State Input", "Unsigned Int", 4}, {14, "Multi-State Output", "Unsigned Int", 4},
    {19, "Multi-State Value", "Unsigned Int", 4}, {21, "Life Safety Point", "Enumerated", 2},
    {22, "Life Safety Zone", "Enumerated", 2}, {23, "Accumulator", "Unsigned Int", 4},
    {45, "Integer Value", "Signed Int", 4},  {46, "Large Analog Value", "Double", 8},
    {48, "Positive Integer Value", "Unsigned Int", 4},
};

const TEdeType* Ede_Type(int32_t number)
{
    for (const TEdeType& t : Ede_Types)
        if (t.number == number) return &t;
    return nullptr;
}

// "# mandatory...": a "#" and, after it, the word (case counts).
bool Marker_Line(const std::string& line)
{
    const std::string t = Trim(line);
    return !t.empty() && t[0] == '#' && Trim(t.substr(1)).rfind("mandatory", 0) == 0;
}

bool Yes(const std::string& field) { return UpperCase(Trim(field)) == "Y"; }

// Columns of the dialog's grid.
namespace Col {
constexpr int Import = 1, Read = 2, Write = 3, Name = 4, Type = 5, Instance = 6, Description = 7, Commandable = 8;
}

} // namespace

bool EDE_Type_Accepted(int32_t type) { return Ede_Type(type) != nullptr; }

std::string Get_ObjType_EDE(int32_t val)
{
    const TEdeType* t = Ede_Type(val);
    return t ? t->objectType : "";
}

std::string Get_DataType_EDE(int32_t val)
{
    const TEdeType* t = Ede_Type(val);
    return t ? t->dataType : "Null";
}

int Get_NumByte_EDE(int32_t val)
{
    const TEdeType* t = Ede_Type(val);
    return t ? t->bytes : 4;
}

std::array<std::string, 16> EDE_Line_Fields(const std::string& line)
{
    std::array<std::string, 16> f;
    std::string rest = Trim(line);
    for (size_t k = 0; k < 15; ++k) {
        const size_t semi = rest.find(';');
        if (semi == std::string::npos) break;
        f[k] = Trim(rest.substr(0, semi));
        rest = Trim(rest.substr(semi + 1));
    }
    if (!rest.empty() && rest.back() == ';') rest = Trim(rest.substr(0, rest.size() - 1));
    f[15] = rest;
    return f;
}

size_t EDE_Data_Begin(const std::vector<std::string>& lines)
{
    if (lines.size() < 7) return lines.size();
    if (Marker_Line(lines[6])) return std::min<size_t>(8, lines.size());
    size_t begin = lines.size();
    for (size_t i = 0; i < lines.size(); ++i)
        if (Marker_Line(lines[i])) begin = i + 2;
    return std::min(begin, lines.size());
}

std::vector<TBACnet_Var> Parse_EDE_Text(const std::string& text)
{
    const std::vector<std::string> lines = SplitLines(text);
    std::vector<TBACnet_Var> list;
    for (size_t i = EDE_Data_Begin(lines); i < lines.size(); ++i) {
        if (Trim(lines[i]).empty()) continue;
        const std::array<std::string, 16> f = EDE_Line_Fields(lines[i]);
        TBACnet_Var v;
        v.keyname = f[0];
        v.device_obj_instance = UComon::Whole_Number(f[1]);
        v.object_name = f[2];
        v.object_type = UComon::Whole_Number(f[3]);
        v.object_instance = UComon::Whole_Number(f[4]);
        v.description = f[5];
        v.present_value_default = f[6];
        v.min_present_value = f[7];
        v.max_present_value = f[8];
        v.commandable = Yes(f[9]);
        v.support_COV = Yes(f[10]);
        v.hi_limit = f[11];
        v.low_limit = f[12];
        v.stete_text_reference = f[13];
        v.unit_code = f[14];
        v.vendor_specific_address = f[15];
        if (!EDE_Type_Accepted(v.object_type)) continue;
        v.import = true;
        v.read = true;
        v.write = v.commandable;
        list.push_back(std::move(v));
    }
    return list;
}

bool Load_EDE_File(const std::string& path, std::vector<TBACnet_Var>& list, std::string& why)
{
    list.clear();
    std::string bytes;
    if (!ReadFileBytes(path, bytes, &why)) return false;
    list = Parse_EDE_Text(DecodeText(bytes));
    return true;
}

// --- the dialog ----------------------------------------------------------------------

TFImportEDEFile::TFImportEDEFile()
{
    Name = "FImportEDEFile";
    const TWindowFrame frame = Build_Window_Frame(*this, 863, 337);
    P_Title = frame.P_Title;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    P_Button = frame.P_Button;

    P_ID_IP = new TPanel(this);
    P_ID_IP->SetBevelOuter(TBevelCut::bvNone);
    P_ID_IP->SetHeight(22);
    P_ID_IP->SetAlign(TAlign::alTop);
    LID_IP = new TLabel(P_ID_IP);
    LID_IP->SetBounds(16, 3, 0, 0);
    E_ID_IP = new TEdit(P_ID_IP);
    E_ID_IP->SetBounds(250, 0, 135, 21);

    ECG = new TExColumnGrid(this);
    ECG->Font().SetName("Verdana");
    ECG->Font().SetHeight(-11);
    ECG->View()->SetAlign(TAlign::alClient);
    ECG->SetColCount(9);
    ECG->SetRowCount(2);
    ECG->SetFixedRows(1);
    ECG->SetFixedCols(1);
    ECG->SetOptions(ECG->Options() + goEditing);
    const int widths[9] = {32, 50, 40, 40, 150, 85, 60, 150, 90};
    for (int c = 0; c < 9; ++c) {
        TGridColumnItem* item = ECG->Columns().Items(c);
        item->SetWidth(widths[c]);
        const bool check = c >= Col::Import && c <= Col::Write;
        item->SetEditor(check || c == Col::Commandable ? edDataCheckBox : edNormal);
        item->CheckTrue = "Y";
        item->CheckFalse = "N";
        item->ReadOnly = !check;
        item->SetAlignment(check || c == Col::Commandable || c == 0 ? TAlignment::taCenter
                                                                     : TAlignment::taLeftJustify);
    }
    ECG->OnCheckBoxClick = [this](TObject*, int col, int row, bool state) { ECGCheckBoxClick(col, row, state); };

    Btn_OK = New_Button(P_Button, 16, 6, 110, 28);
    Btn_OK->OnClick = [this](TControl*) { Btn_OKClick(); };
    Btn_Cancel = New_Button(P_Button, 134, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Select_All = New_Button(P_Button, 252, 6, 110, 28);
    Btn_Select_All->SetCaption("Select All");
    Btn_Select_All->OnClick = [this](TControl*) { Btn_Select_AllClick(); };
    Btn_Unselect_All = New_Button(P_Button, 370, 6, 110, 28);
    Btn_Unselect_All->SetCaption("Unselect All");
    Btn_Unselect_All->OnClick = [this](TControl*) { Btn_Unselect_AllClick(); };
    OnShow = [this](TControl*) { FormShow(); };
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::ImportEDEFile, [this] { Set_Lang(); });
}

TFImportEDEFile::~TFImportEDEFile() { ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::ImportEDEFile); }

void TFImportEDEFile::Set_Lang()
{
    SetCaption(Text(4800));
    L_SW_Desc->SetCaption(Text(4801));
    Btn_OK->SetCaption(Text(4802));
    Btn_Cancel->SetCaption(Text(4803));
    LID_IP->SetCaption(Text(4815));
    for (int c = 0; c < 9; ++c) ECG->Columns().Items(c)->SetHeader(Text(4804 + c));
}

void TFImportEDEFile::FormShow()
{
    for (int r = 1; r < ECG->RowCount() && r <= 512; ++r) {
        ECG->SetCellEx(0, r, std::to_string(r));
        for (int c = 1; c < 9; ++c) ECG->SetCellEx(c, r, "");
    }
    if (E_ID_IP->CanFocus()) E_ID_IP->SetFocus();
    Cancel_EDE_List_Vars();
    std::string why;
    if (!Load_EDE_File(EDE_File, List_EDE_Var, why))
        ShowError("The EDE file cannot be read:\n" + EDE_File + (why.empty() ? "" : "\n(" + why + ")"));
    Show_Data_in_Grid();
}

void TFImportEDEFile::Show_Data_in_Grid()
{
    const int n = static_cast<int>(List_EDE_Var.size());
    ECG->SetRowCount(std::max(n, 1) + 1);
    auto yn = [](bool b) { return std::string(b ? "Y" : "N"); };
    for (int r = 1; r <= std::max(n, 1); ++r) {
        ECG->SetCellEx(0, r, std::to_string(r));
        if (r > n) {
            for (int c = 1; c < 9; ++c) ECG->SetCellEx(c, r, "");
            continue;
        }
        const TBACnet_Var& v = List_EDE_Var[static_cast<size_t>(r - 1)];
        ECG->SetCellEx(Col::Import, r, yn(v.import));
        ECG->SetCellEx(Col::Read, r, yn(v.read));
        ECG->SetCellEx(Col::Write, r, yn(v.write));
        ECG->SetCellEx(Col::Name, r, v.object_name);
        ECG->SetCellEx(Col::Type, r, std::to_string(v.object_type));
        ECG->SetCellEx(Col::Instance, r, std::to_string(v.object_instance));
        ECG->SetCellEx(Col::Description, r, v.description);
        ECG->SetCellEx(Col::Commandable, r, yn(v.commandable));
    }
}

void TFImportEDEFile::ECGCheckBoxClick(int col, int row, bool state)
{
    if (col < Col::Import || col > Col::Write || row < 1) return;
    // The placeholder row of a file without objects takes no choice.
    if (row > static_cast<int>(List_EDE_Var.size())) {
        ECG->SetCellEx(col, row, "");
        return;
    }
    TBACnet_Var& v = List_EDE_Var[static_cast<size_t>(row - 1)];
    if (col == Col::Import) v.import = state;
    if (col == Col::Read) v.read = state;
    if (col == Col::Write) {
        if (state && !v.commandable) {
            ShowError(Text(4813) + std::to_string(row) + Text(4814));
            ECG->SetCellEx(col, row, "N");
            return;
        }
        v.write = state;
    }
}

void TFImportEDEFile::Btn_Select_AllClick()
{
    for (size_t i = 0; i < List_EDE_Var.size(); ++i) {
        List_EDE_Var[i].import = true;
        ECG->SetCellEx(Col::Import, static_cast<int>(i) + 1, "Y");
    }
}

void TFImportEDEFile::Btn_Unselect_AllClick()
{
    for (size_t i = 0; i < List_EDE_Var.size(); ++i) {
        List_EDE_Var[i].import = false;
        ECG->SetCellEx(Col::Import, static_cast<int>(i) + 1, "N");
    }
}

void TFImportEDEFile::Btn_OKClick()
{
    const std::string id = E_ID_IP->Text();
    if (App_BACnet_Type == 0) {
        uint8_t b1, b2, b3, b4;
        if (UComon::IP_To_Bytes(id, b1, b2, b3, b4)) {
            ShowError(Text(4816));
            return;
        }
    } else if (App_BACnet_Type == 1) {
        const int32_t n = UComon::Whole_Number(id);
        if (n < 0 || n > 254) {
            ShowError(Text(4817));
            return;
        }
    }
    SetModalResult(mrOk);
}
