// The BACnet client rules window.
#include "rules/field/UBACnetAccess.h"

#include "core/UComon.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/SysMetrics.h"
#include "rules/field/UBACnetAccess_Checks.h"

using ULanguage::Text;

namespace {

// The client area is wider on screens of more than 1270 pixels.
int Client_Width()
{
    return GetSystemMetrics(SM_CXSCREEN) > 1270 ? 1305 : 1000;
}

} // namespace

TFBACnetAccess::TFBACnetAccess()
    : TRuleWindow(BACnetAccess_Desc(Client, [] { return UComon::File_ParGen; }, Client_Width()),
                  [] { return UComon::File_BACnet_Master_Access; }, ULanguage::TLangWindow::BACnetAccess)
{
    TS_BACnet_Read = Sheet(0);
    TS_BACnet_Write = Sheet(1);
    ECG1 = Grid(0);
    ECG2 = Grid(1);
    Btn_Import_CSV = New_Button(P_Button, 488, 6, 110, 28);
    Btn_Import_CSV->OnClick = [this](TControl*) { Btn_Import_CSVClick(); };
    OD_EDE_File.Filter = "BACnet EDE File (*.csv)|*.csv";
    OD_EDE_File.InitialDir = UComon::Last_EDE_Folder;
    // The read grid's hint: the byte count of the row's object and
    // property, over its Property and NByte cells; the write grid has none.
    ECG1->OnGridHint = [this](TObject*, int row, int col, std::string& hint) {
        using namespace BACnet_Read_Col;
        const int real = ECG1->RealColIndex(col);
        hint = row >= 1 && row < ECG1->RowCount() && (real == Property || real == NByte)
                   ? Str_Hint_Read(ECG1->GetCellEx(Object_Type, row), ECG1->GetCellEx(Property, row))
                   : std::string();
    };
    ECG2->OnGridHint = [](TObject*, int, int, std::string& hint) { hint.clear(); };
    Set_Lang();
}

void TFBACnetAccess::Set_Lang()
{
    TRuleWindow::Set_Lang();
    Btn_Import_CSV->SetCaption(Text(4759));
}

void TFBACnetAccess::Btn_Import_CSVClick()
{
    TFImportEDEFile* dialog = FImportEDEFile;
    if (!dialog) return;
    dialog->App_BACnet_Type = Client.App_BACnet_Type;
    OD_EDE_File.InitialDir = UComon::Last_EDE_Folder;
    if (!OD_EDE_File.Execute()) return;
    const std::string name = OD_EDE_File.FileName;
    bool chosen = false;
    if (FileExists(name)) {
        dialog->EDE_File = name;
        chosen = dialog->ShowModal() == mrOk;
    }
    // The folder of the name chosen, also when nothing was imported.
    UComon::Last_EDE_Folder = ExtractFileDir(name);
    OD_EDE_File.InitialDir = UComon::Last_EDE_Folder;
    if (!chosen) return;
    const auto [read, write] = Append_EDE_Rules(*ECG1, *ECG2, Client, dialog->List_EDE_Var, dialog->E_ID_IP->Text());
    ECG1->Invalidate();
    ECG2->Invalidate();
    if (read + write > 0)
        MessageDlg("The tables hold " + std::to_string(BACnet_Master_Rules) +
                       " rules each: of the chosen objects, " + std::to_string(read) + " read rules and " +
                       std::to_string(write) + " write rules found no free row and were not imported.",
                   TMsgDlgType::mtWarning, TMsgDlgButtons::mbOK);
}
