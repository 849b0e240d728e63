// The DALI window.
#include "rules/field/UDALI_Access.h"

#include "core/UComon.h"
#include "core/UComon_Rows.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/GridView.h"
#include "platform/Menus.h"
#include "platform/Paths.h"
#include "rules/field/USideFile.h"

using ULanguage::Text;

namespace {

constexpr int Client_Width = 1200, Client_Height = 496;

const std::vector<std::string>& Recall_Levels()
{
    static const std::vector<std::string> items = {"None", "Recall Min-Max Level for Switch",
                                                   "Recall Old Value Level for Switch"};
    return items;
}

TExColumnGrid* New_Grid(TWinControl* parent)
{
    auto* grid = new TExColumnGrid(parent);
    grid->Font().SetName("Verdana");
    grid->Font().SetHeight(-11);
    grid->View()->SetAlign(TAlign::alClient);
    return grid;
}

void Repaint_From(TExStringGrid& grid, int row)
{
    for (int r = std::max(row, grid.TopRow()); r < grid.RowCount() && r <= grid.TopRow() + grid.VisibleRowCount(); ++r)
        grid.RepaintRow(r);
}

} // namespace

TFDALI_Access::TFDALI_Access()
{
    const TWindowFrame f = Build_Window_Frame(*this, Client_Width, Client_Height);
    P_Title = f.P_Title;
    L_SW_Code = f.L_SW_Code;
    L_SW_Desc = f.L_SW_Desc;
    P_Button = f.P_Button;
    SetBorderIcons(biSystemMenu | biMaximize);

    Btn_OK = New_Button(P_Button, 16, 6, 110, 28);
    Btn_Cancel = New_Button(P_Button, 134, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_SelectAll = New_Button(P_Button, 252, 6, 110, 28);
    Btn_ClearAll = New_Button(P_Button, 370, 6, 110, 28);
    Btn_DALI_Maps = New_Button(P_Button, 488, 6, 110, 28);
    Btn_DelRow = New_Button(P_Button, 252, 6, 110, 28);
    Btn_InsRow = New_Button(P_Button, 370, 6, 110, 28);
    Btn_CopyRow = New_Button(P_Button, 488, 6, 110, 28);
    Btn_PasteRow = New_Button(P_Button, 606, 6, 110, 28);
    // Fixed captions, which a language change leaves.
    Btn_DelRow->SetCaption("Delete Row");
    Btn_InsRow->SetCaption("Insert Row");
    Btn_CopyRow->SetCaption("Copy Row");
    Btn_PasteRow->SetCaption("Paste Row");
    Btn_OK->OnClick = [this](TControl*) { Btn_OKClick(); };
    Btn_SelectAll->OnClick = [this](TControl*) { Btn_SelectAllClick(); };
    Btn_ClearAll->OnClick = [this](TControl*) { Btn_ClearAllClick(); };
    Btn_DALI_Maps->OnClick = [this](TControl*) { Btn_DALI_MapsClick(); };
    Btn_DelRow->OnClick = [this](TControl*) { Btn_DelRowClick(); };
    Btn_InsRow->OnClick = [this](TControl*) { Btn_InsRowClick(); };
    Btn_CopyRow->OnClick = [this](TControl*) { Btn_CopyRowClick(); };
    Btn_PasteRow->OnClick = [this](TControl*) { Btn_PasteRowClick(); };

    PC_DALI = new TExPageControl(this);
    PC_DALI->SetTabBorder3D(true);
    PC_DALI->SetAlign(TAlign::alClient);
    TS_Select_Device = new TExTabSheet(PC_DALI);
    TS_Set_Access = new TExTabSheet(PC_DALI);
    TS_Functions = new TExTabSheet(PC_DALI);
    PC_DALI->OnChange = [this](TControl*) { PC_DALIChange(); };

    // The device grid: no fixed column, two columns hidden for good.
    using namespace DALI_Dev_Col;
    ECG_DALI_Device = New_Grid(TS_Select_Device);
    TExColumnGrid& d = *ECG_DALI_Device;
    d.SetColCount(6);
    d.SetRowCount(DALI_Devices + 1);
    d.SetFixedRows(1);
    d.SetFixedCols(0);
    d.SetRowHeights(0, 22);
    d.SetOptions(d.Options() + goRangeSelect + goEditing + goColSizing);
    d.HintShowCells = false;
    const struct {
        int width;
        TEditorType editor;
        std::vector<std::string> items;
        bool readOnly;
    } columns[6] = {{200, edNormal, {}, true},         {90, edDataCheckBox, {}, false},
                    {64, edNormal, {}, true},          {64, edComboList, {"Normal", "Start Break"}, false},
                    {90, edDataCheckBox, {}, false},   {190, edComboList, Recall_Levels(), false}};
    for (int c = 0; c < 6; ++c) {
        TGridColumnItem* item = d.Columns().Items(c);
        item->SetWidth(columns[c].width);
        item->SetEditor(columns[c].editor);
        item->ReadOnly = columns[c].readOnly;
        for (const std::string& s : columns[c].items) item->ComboItems().Add(s);
        item->SetAlignment(columns[c].editor == edDataCheckBox ? TAlignment::taCenter : TAlignment::taLeftJustify);
        item->CheckTrue = "Y";
        item->CheckFalse = "N";
    }
    PM_MinMax_Value = new TDALI_PopupMenu(&d, {"Select All", "Clear All"});
    PM_MinMax_Value->SetName("PM_MinMax_Value");
    PM_Recall_Level = new TDALI_PopupMenu(&d, {"Select All None", "Select All Recall Min-Max Level for Switch",
                                               "Select All Recall Old Value Level for Switch"});
    PM_Recall_Level->SetName("PM_Recall_Level");
    d.Columns().Items(Min_Max)->SetColumnPopup(PM_MinMax_Value);
    d.Columns().Items(Recall_Level)->SetColumnPopup(PM_Recall_Level);
    d.OnColumnPopup = [this](TObject*, int, int row, TComponent* popup) {
        auto* menu = dynamic_cast<TDALI_PopupMenu*>(popup);
        if (row != 0 || !menu) return;
        const int choice = TrackPopupMenu(menu->Items, ECG_DALI_Device->CursorScreenPos(), this);
        if (choice < 1) return;
        if (menu == PM_MinMax_Value) MinMaxValueClick(choice - 1);
        if (menu == PM_Recall_Level) RecallLevelClick(choice - 1);
    };
    d.HideColumn(Address);
    d.HideColumn(Dimming_Mode);

    // The DALI-2 grids on the frame (Functions first: the file's order).
    ESG = New_Grid(TS_Set_Access);
    ECG = New_Grid(TS_Functions);
    frame_ = std::make_unique<TRuleFrame>(
        DALI2_Desc([this](int row) {
            bool checked = false;
            return ESG->GetCheckBoxState(DALI_SA_Col::Enable, row, checked) && checked;
        }),
        std::vector<TExColumnGrid*>{ECG, ESG}, [] { return UComon::File_DALI2_Access; });
    frame_->Setup();
    for (int g = 0; g < frame_->GridCount(); ++g) {
        TExColumnGrid& grid = frame_->Grid(g);
        grid.OnKeyPress = [this, g](TObject*, TKeyChar& key) { frame_->Key_Press(g, key); };
        grid.OnDblClickCell = [this, g](TObject*, int row, int col) {
            frame_->Dbl_Click(g, row, frame_->Grid(g).RealColIndex(col));
        };
        grid.OnGridHint = [this, g](TObject*, int row, int col, std::string& hint) {
            frame_->Grid_Hint(g, row, col, hint);
        };
        grid.OnClickCell = [this, g](TObject*, int row, int col) { frame_->Click_Cell(g, row, col); };
    }
    // Init_Table: the plain Enable boxes, centred.
    ESG->AddCheckBoxColumn(DALI_SA_Col::Enable, false, false);
    ESG->Columns().Items(DALI_SA_Col::Enable)->SetAlignment(TAlignment::taCenter);
    ESG->OnGetEditorType = [this](TObject*, int col, int, TEditorType& editor) { ESGGetEditorType(col, editor); };
    ECG->OnComboChange = [this](TObject*, int col, int row, int, const std::string& item) {
        if (col == DALI_Fun_Col::Value) SetConditionOnEvent(item, row);
    };

    SD_DALI_Maps.Filter = "Comma-separated value (CSV file)|*.csv";
    OnShow = [this](TControl*) { FormShow(); };
    Set_Lang();
    PC_DALI->SetActivePage(TS_Select_Device);
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::DALI_Access, [this] { Set_Lang(); });
}

TFDALI_Access::~TFDALI_Access() { ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::DALI_Access); }

void TFDALI_Access::Set_Lang()
{
    SetCaption(Text(4500));
    L_SW_Desc->SetCaption(Text(4501));
    TLbButton* buttons[4] = {Btn_OK, Btn_Cancel, Btn_SelectAll, Btn_ClearAll};
    for (int i = 0; i < 4; ++i) {
        buttons[i]->SetCaption(Text(4502 + i));
        buttons[i]->SetHint(Text(4506 + i));
    }
    for (int r = 1; r <= DALI_Devices; ++r) ECG_DALI_Device->SetCellEx(DALI_Dev_Col::Label, r, Text(4509 + r));
    Btn_DALI_Maps->SetCaption(Text(4653));
    Btn_DALI_Maps->SetHint(Text(4654));
    for (int c = 0; c < 6; ++c) ECG_DALI_Device->Columns().Items(c)->SetHeader(Text(4658 + c));
    frame_->Set_Lang();
    ECG->Columns().Items(DALI_Fun_Col::Channel)->SetHeader(DALI_Text(4960));
    ECG->Columns().Items(DALI_Fun_Col::Val)->SetHeader(DALI_Text(4961));
    TS_Select_Device->SetCaption(Text(4955));
    TS_Set_Access->SetCaption(Text(4956));
    TS_Functions->SetCaption(Text(4957));
}

void TFDALI_Access::Reset_Set_Access()
{
    for (int r = 1; r < ESG->RowCount(); ++r) ESG->SetCheckBoxState(DALI_SA_Col::Enable, r, true);
}

void TFDALI_Access::FormShow()
{
    SD_DALI_Maps.InitialDir = UComon::Project_Folder;
    DALI_Reset_Devices(*ECG_DALI_Device);
    devicesUnreadable_ = false;
    const std::string devicesPath = UComon::File_DALI_Access;
    TXmlDocument doc;
    const TXmlLoad devices = devicesPath.empty() ? TXmlLoad::Missing : doc.LoadFromFile(devicesPath);
    if (devices == TXmlLoad::Read) DALI_Load_Devices(*ECG_DALI_Device, doc.Root());
    if (devices == TXmlLoad::Unreadable) {
        devicesUnreadable_ = true;
        TRuleFrame::Report_Unreadable(devicesPath, doc.LoadError());
    }

    frame_->Reset();
    Reset_Set_Access();
    std::string why;
    rulesUnreadable_ = DALI2_Load(*frame_, *ESG, why) == TXmlLoad::Unreadable;
    if (rulesUnreadable_) TRuleFrame::Report_Unreadable(frame_->Path(), why);
    for (TExColumnGrid* grid : {ECG_DALI_Device, ESG, ECG}) {
        grid->FocusCell(grid->FixedCols(), grid->FixedRows(), true);
        grid->SetLeftCol(grid->FixedCols());
        grid->SetTopRow(grid->FixedRows());
    }
    Do_Copy = false;
    if (ECG_DALI_Device->CanFocus()) ECG_DALI_Device->SetFocus();
    PC_DALIChange();
    Compile_Function();
}

bool TFDALI_Access::Set_Access_Active() const { return PC_DALI->ActivePage() == TS_Set_Access; }

void TFDALI_Access::PC_DALIChange()
{
    const bool devices = PC_DALI->ActivePage() == TS_Select_Device;
    Btn_SelectAll->SetVisible(devices);
    Btn_ClearAll->SetVisible(devices);
    Btn_DALI_Maps->SetVisible(false);
    for (TLbButton* b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) b->SetVisible(!devices);
    Compile_Function();
}

void TFDALI_Access::Compile_Function()
{
    SelFunct.Clear();
    for (const std::string& s : DALI_Function_Items(*ECG)) SelFunct.Add(s);
}

bool TFDALI_Access::Controllo_dati()
{
    if (const std::optional<std::string> fault = DALI2_Fault(*ECG, *ESG)) {
        MessageDlg(*fault, TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return false;
    }
    return true;
}

void TFDALI_Access::Btn_OKClick()
{
    if (!Controllo_dati()) return;
    const std::string devicesPath = UComon::File_DALI_Access, rulesPath = frame_->Path();
    if (devicesUnreadable_ && !TRuleFrame::Replace_Unreadable_Agreed(devicesPath)) return;
    if (rulesUnreadable_ && !TRuleFrame::Replace_Unreadable_Agreed(rulesPath)) return;
    TXmlDocument devices, rules;
    DALI_Build_Devices(devices, *ECG_DALI_Device);
    frame_->Build(rules);
    // Both files or neither: each is written beside its target first.
    TStagedFiles files;
    std::string failed;
    if (devicesPath.empty() || !files.Stage(devicesPath, devices.SaveToString()))
        failed = devicesPath;
    else if (rulesPath.empty() || !files.Stage(rulesPath, rules.SaveToString()))
        failed = rulesPath;
    else
        failed = files.Commit();
    if (!failed.empty()) {
        ShowError(std::string(TRuleFrame::Msg_File_Not_Written) + "\n" + failed);
        return;
    }
    devicesUnreadable_ = rulesUnreadable_ = false;
    SetModalResult(mrOk);
}

void TFDALI_Access::Set_All(int col, const std::string& text)
{
    for (int r = 1; r <= DALI_Devices; ++r) ECG_DALI_Device->SetCellEx(col, r, text);
    ECG_DALI_Device->Invalidate();
}

void TFDALI_Access::MinMaxValueClick(int item)
{
    if (item == 0 || item == 1) Set_All(DALI_Dev_Col::Min_Max, item == 0 ? "Y" : "N");
}

void TFDALI_Access::RecallLevelClick(int item)
{
    if (item >= 0 && item < static_cast<int>(Recall_Levels().size()))
        Set_All(DALI_Dev_Col::Recall_Level, Recall_Levels()[static_cast<size_t>(item)]);
}

void TFDALI_Access::Btn_DALI_MapsClick()
{
    if (!SD_DALI_Maps.Execute()) return;
    const std::string name = DALI_Map_File_Name(SD_DALI_Maps.FileName);
    if (FileExists(name) && MessageDlg(Text(4655), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNoCancel) != mrYes)
        return;
    Write_DALI_Map(name);
}

bool TFDALI_Access::Write_DALI_Map(const std::string& fileName)
{
    return USideFile::Write_Side_File(fileName, DALI_Map_Lines(*ECG_DALI_Device), USideFile::TSideEncoding::Ansi);
}

void TFDALI_Access::Btn_DelRowClick()
{
    TExColumnGrid& grid = Set_Access_Active() ? *ESG : *ECG;
    const int row = grid.Row();
    if (row < 1 || row >= grid.RowCount()) return;
    if (MessageDlg(DALI_Format(Text(4954), row), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    if (Set_Access_Active())
        UComon::Grid_Delete_Row_Chk(row, grid, true);
    else
        UComon::Grid_Delete_Row(row, grid);
    Repaint_From(grid, row);
}

void TFDALI_Access::Btn_InsRowClick()
{
    TExColumnGrid& grid = Set_Access_Active() ? *ESG : *ECG;
    const int row = grid.Row();
    if (Set_Access_Active())
        UComon::Grid_Insert_Row_Chk(row, grid, true);
    else
        UComon::Grid_Insert_Row(row, grid, false);
    Repaint_From(grid, row);
}

void TFDALI_Access::Btn_CopyRowClick()
{
    if (Set_Access_Active()) {
        UComon::Grid_Copy_Row_Chk(*ESG, ESG->Row());
        Do_Copy = true;
    } else {
        UComon::Grid_Copy_Row(*ECG, ECG->Row());
        Do_Copy_Fun = true;
    }
}

void TFDALI_Access::Btn_PasteRowClick()
{
    TExColumnGrid& grid = Set_Access_Active() ? *ESG : *ECG;
    if (Set_Access_Active())
        UComon::Grid_Paste_Row_Chk(grid, grid.Row(), Do_Copy);
    else
        UComon::Grid_Paste_Row(grid, grid.Row(), Do_Copy_Fun);
    grid.RepaintRow(grid.Row());
}

void TFDALI_Access::ESGGetEditorType(int col, TEditorType& editor)
{
    using namespace DALI_SA_Col;
    const std::vector<std::string>* items = nullptr;
    std::vector<std::string> functions;
    const std::vector<std::string> none;
    switch (col) {
    case DevSen: items = &DALI_DevSen(); break;
    case Type: {
        const std::string devSen = ESG->GetCellEx(DevSen, ESG->Row());
        items = devSen == "Device" ? &DALI_DevType() : devSen == "Sensor" ? &DALI_SenType() : &none;
        break;
    }
    case Function:
        for (const std::string& s : SelFunct) functions.push_back(s);
        items = &functions;
        break;
    case Num_Bytes: items = &DALI_NumBytes(); break;
    default: return;
    }
    editor = edComboList;
    ESG->ClearComboString();
    for (const std::string& s : *items) ESG->AddComboString(s);
}

void TFDALI_Access::SetConditionOnEvent(const std::string& event, int row)
{
    const std::string condition = DALI_Event_Condition(event);
    if (!condition.empty() && row >= 1 && row < ECG->RowCount())
        ECG->SetCellEx(DALI_Fun_Col::Condition, row, condition);
}
