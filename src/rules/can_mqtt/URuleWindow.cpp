#include "rules/can_mqtt/URuleWindow.h"

#include "platform/GridView.h"

using ULanguage::Text;

namespace {

std::string Text_Or_Empty(int id) { return id >= 0 ? Text(id) : std::string(); }

} // namespace

TRuleWindow::TRuleWindow(const TRuleWindowDesc& desc, std::function<std::string()> path,
                         std::optional<ULanguage::TLangWindow> lang)
    : lang_(lang)
{
    const TWindowFrame f = Build_Window_Frame(*this, desc.clientWidth, desc.clientHeight);
    P_Title = f.P_Title;
    L_SW_Code = f.L_SW_Code;
    L_SW_Desc = f.L_SW_Desc;
    P_Button = f.P_Button;
    TLbButton** buttons[6] = {&Btn_OK, &Btn_Cancel, &Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow};
    const int buttonCount = !desc.rowButtons ? 2 : desc.copyPasteButtons ? 6 : 4;
    for (int i = 0; i < buttonCount; ++i) *buttons[i] = New_Button(P_Button, 16 + 118 * i, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](TControl*) { Btn_OKClick(); };
    if (desc.rowButtons) {
        Btn_DelRow->OnClick = [this](TControl*) { Btn_DelRowClick(); };
        Btn_InsRow->OnClick = [this](TControl*) { Btn_InsRowClick(); };
        if (Btn_CopyRow) Btn_CopyRow->OnClick = [this](TControl*) { Btn_CopyRowClick(); };
        if (Btn_PasteRow) Btn_PasteRow->OnClick = [this](TControl*) { Btn_PasteRowClick(); };
    }

    const int count = static_cast<int>(desc.grids.size());
    TWinControl* area = this;
    if (count > 1) {
        PageControl1 = new TExPageControl(this);
        PageControl1->SetTabBorder3D(true);
        PageControl1->SetAlign(TAlign::alClient);
    }
    for (int g = 0; g < count; ++g) {
        TWinControl* parent = area;
        if (PageControl1) {
            sheets_.push_back(new TExTabSheet(PageControl1));
            if (desc.grids[static_cast<size_t>(g)].tabHidden) sheets_.back()->SetTabVisible(false);
            parent = sheets_.back();
        }
        auto* grid = new TExColumnGrid(parent);
        grid->Font().SetName("Verdana");
        grid->Font().SetHeight(-11);
        if (!PageControl1)
            grid->SetBounds(0, P_Title->Height(), desc.clientWidth,
                            desc.clientHeight - P_Title->Height() - P_Button->Height());
        grid->View()->SetAlign(TAlign::alClient);
        grid->OnKeyPress = [this, g](TObject*, TKeyChar& key) { frame_->Key_Press(g, key); };
        grid->OnDblClickCell = [this, g](TObject*, int row, int col) {
            DblClickCell(g, row, Grid(g)->RealColIndex(col));
        };
        grid->OnGridHint = [this, g](TObject*, int row, int col, std::string& hint) {
            frame_->Grid_Hint(g, row, col, hint);
        };
        if (desc.clickSelectsRow)
            grid->OnClickCell = [this, g](TObject*, int row, int col) { frame_->Click_Cell(g, row, col); };
        // The numbers follow the Enable cells (a click on another check box
        // leaves them as they are).
        if (desc.grids[static_cast<size_t>(g)].numberEnabled)
            grid->OnCheckBoxClick = [this, g](TObject*, int, int, bool) { frame_->Number_Enabled(g); };
        grids_.push_back(grid);
    }
    frame_ = std::make_unique<TRuleFrame>(desc, grids_, std::move(path));
    frame_->Setup();
    OnShow = [this](TControl*) { FormShow(); };
    if (lang_) ULanguage::Register_Set_Lang(*lang_, [this] { Set_Lang(); });
}

TRuleWindow::~TRuleWindow()
{
    if (lang_) ULanguage::Unregister_Set_Lang(*lang_);
}

TExColumnGrid* TRuleWindow::Grid(int g) const
{
    if (g < 0 || g >= GridCount()) RaiseListIndexError(g);
    return grids_[static_cast<size_t>(g)];
}

TExTabSheet* TRuleWindow::Sheet(int g) const
{
    if (!PageControl1) return nullptr;
    if (g < 0 || g >= static_cast<int>(sheets_.size())) RaiseListIndexError(g);
    return sheets_[static_cast<size_t>(g)];
}

int TRuleWindow::Active_Grid() const
{
    if (!PageControl1) return 0;
    const int i = PageControl1->ActivePageIndex();
    return i >= 0 && i < GridCount() ? i : 0;
}

void TRuleWindow::Set_Lang()
{
    const TRuleWindowDesc& d = frame_->Desc();
    SetCaption(Text_Or_Empty(d.caption));
    L_SW_Desc->SetCaption(Text_Or_Empty(d.description));
    TLbButton* buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        if (!buttons[i]) continue;
        buttons[i]->SetCaption(Text_Or_Empty(d.buttonCaptions[i]));
        buttons[i]->SetHint(Text_Or_Empty(d.buttonHints[i]));
    }
    for (size_t g = 0; g < sheets_.size(); ++g) sheets_[g]->SetCaption(Text_Or_Empty(d.grids[g].pageCaption));
    frame_->Set_Lang();
}

void TRuleWindow::FormShow()
{
    if (PageControl1 && !frame_->Desc().keepPage) PageControl1->SetActivePage(sheets_.front());
    frame_->Show();
    // Every showing starts at the first rule: its first cell current and
    // the grid scrolled to its top-left corner, whatever the last showing
    // left.
    for (TExColumnGrid* grid : grids_) {
        if (grid->RowCount() <= grid->FixedRows() || grid->ColCount() <= grid->FixedCols()) continue;
        grid->FocusCell(grid->FixedCols(), grid->FixedRows(), true);
        grid->SetLeftCol(grid->FixedCols());
        grid->SetTopRow(grid->FixedRows());
    }
    if (Focus_Grid_On_Show && Grid(0)->CanFocus()) Grid(0)->SetFocus();
}

void TRuleWindow::Btn_OKClick()
{
    if (frame_->OK([this] { return Before_Save(); })) SetModalResult(mrOk);
}

void TRuleWindow::DblClickCell(int g, int row, int col) { frame_->Dbl_Click(g, row, col); }
