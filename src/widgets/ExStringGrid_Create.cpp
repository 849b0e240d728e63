// TExStringGrid: construction, defaults, destruction, loading, Assign and
// version; the small objects the grid owns (grouping, modified-row marking,
// hidden-row items).

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/grid_render/PictureContainer.h"
#include "widgets/grid_render/FloatingFooter.h"
#include "widgets/grid_render/HeaderDragButton.h"
#include "widgets/GridWindows.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridModule.h"
#include "widgets/grid_render/HTMLHintWindow.h"

#include "platform/Forms.h"

#include <algorithm>

// --- TGrouping ----------------------------------------------------------------------

void TGrouping::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TGrouping*>(Source);
    if (!s) return;
    GroupCountFormat = s->GroupCountFormat;
    HeaderColor = s->HeaderColor;
    HeaderColorTo = s->HeaderColorTo;
    HeaderTextColor = s->HeaderTextColor;
    SummaryColor = s->SummaryColor;
    SummaryColorTo = s->SummaryColorTo;
    SummaryTextColor = s->SummaryTextColor;
    HeaderUnderline = s->HeaderUnderline;
    MergeHeader = s->MergeHeader;
    MergeSummary = s->MergeSummary;
    ShowGroupCount = s->ShowGroupCount;
    SummaryLine = s->SummaryLine;
    AutoCheckGroup = s->AutoCheckGroup;
    AutoSelectGroup = s->AutoSelectGroup;
}

// --- TShowModified ------------------------------------------------------------------

void TShowModified::SetColor(TColor v)
{
    FColor = v;
    if (OnChange) OnChange(this);
}

void TShowModified::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TShowModified*>(Source);
    if (!s) return;
    Enabled = s->Enabled;
    FColor = s->FColor;
}

// --- TGridItem ----------------------------------------------------------------------

TGridItem::TGridItem(TCollection* ACollection) : TCollectionItem(ACollection), FItems(std::make_unique<TStringList>())
{
}

// --- construction -------------------------------------------------------------------

namespace {
constexpr int VersionMajor = 6, VersionMinor = 2, VersionRelease = 1, VersionBuild = 3;
} // namespace

TExStringGrid::TExStringGrid(TComponent* AOwner) : TBaseGrid(AOwner), FModel(std::make_unique<TGridModel>()),
      FParts(std::make_unique<TExStringGridPrivate>(*this))
{
    FParts->SetupSettings();

    FParts->FFixedFont.SetName("Tahoma");
    FParts->FFixedFont.SetStyle({fsBold});
    FParts->FFixedFont.OnChange = [this] { Invalidate(); };
    FParts->FActiveCellFont.SetStyle({fsBold});
    if (!Designing()) FParts->FActiveCellFont.SetName(Font().Name());

    SetRowCount(10);
    SetSize(400, 250);
    AutoSize = false;

    // Follow the owning form's size (the grid's own handler, removed again
    // when the grid goes, so grids on one form may go in any order).
    if (auto* form = dynamic_cast<IGridOwnerForm*>(AOwner); form && !Designing()) {
        // Heard before the form destroys the grids it owns, so that a grid
        // going with its form does not call into the half-destroyed form.
        FreeNotification(AOwner);
        FParts->FOwnerFormComponent = AOwner;
        SetOwnerForm(form);
    }

    SetDefaultRowHeight(22);
    FParts->FFixedRowHeight = DefaultRowHeight();
    for (int r = 0; r < FixedRows(); ++r) SetRowHeights(r, DefaultRowHeight());

    // This platform plays the part of a current system with version-6
    // common controls; whether themes are in use is decided when the window
    // is created.
    FParts->FIsWinXP = true;
    FParts->FIsWin7 = true;
    FParts->FIsComCtl6 = true;
    FParts->FIsWinVista = HasGetLocaleInfoEx();
    FParts->FBorderColor = FParts->FIsWinXP ? 0xB99D7F : 0x808080;
    FParts->FNUVGradientTo = ColorToRGB(clBtnFace);
    ScrollWidth = 17;
    FParts->FOldLeftCol = LeftCol();
    FParts->FOldTopRow = TopRow();
    FParts->FMaxRowCount = RowCount();
    FParts->FMaxColCount = ColCount();
    FParts->FLastRow = Row();
    FParts->FLastCol = Col();
}

TExStringGrid::TExStringGrid(TWinControl* AParent) : TExStringGrid(static_cast<TComponent*>(nullptr))
{
    SetParent(AParent);
}

void TExStringGrid::ParentChanged()
{
    TBaseGrid::ParentChanged();
    // A grid owned by a form component follows that one; otherwise the form
    // it lies on.
    if (FParts->FOwnerFormComponent || Designing()) return;
    SetOwnerForm(Parent() ? FindParentForm(Parent()) : nullptr);
}

void TExStringGridPrivate::SetupSettings()
{
    FSearchPanel = std::make_unique<TSearchPanel>(&G);
    FControlLook = new TControlLook(&G);
    FProgressAppearance = new TGridProgressAppearance();
    FProgressAppearance->OnChange = [this](TObject*) { G.Invalidate(); };
    FBackGround = new TBackGround(&G);
    FFooterPanel = std::make_unique<TFooterPanel>(&G);
    FFloatingFooter = new TFloatingFooter(&G);
    FSearchFooter = std::make_unique<TSearchFooter>((&G), false);
    FNavigation = std::make_unique<TNavigation>();
    FMouseActions = std::make_unique<TMouseActions>(&G);
    FSyncGrid = std::make_unique<TSyncGrid>(&G);
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FBands = std::make_unique<TBands>();
    FFocusHelper = std::make_unique<TFocusHelper>(&G);
    FGrouping = std::make_unique<TGrouping>();
    FShowModified = std::make_unique<TShowModified>();
    FColumnSize = std::make_unique<TColumnSize>(&G);
    FCellNode = std::make_unique<TCellNode>(&G);
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FRowCheckBox = std::make_unique<TCellGraphic>();
    FRowCheckBox->CellType = ctRowCheckBox;
    FPrintSettings = std::make_unique<TPrintSettings>(&G);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(&G);
    FFilter = std::make_unique<TFilter>(&G);
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropList = std::make_unique<TDropList>(&G);
    FFilterDropCheckList = std::make_unique<TDropCheckList>(&G);
    FFilterList.Clear();
    ConnectSettings();
}

void TExStringGridPrivate::ConnectSettings()
{
    FSearchFooter->OnChange = [this](TObject*) {
        FSearchPanel->UpdateFrom(*FSearchFooter);
        G.Invalidate();
    };
    // Searching from the bar needs the find engine, which is not built yet.
    FSearchPanel->OnEditChange = [](TObject*) { throw ENotBuilt("search footer automatic search"); };
    FSearchPanel->OnForwardClick = [](TObject*) { throw ENotBuilt("search footer find next"); };
    FSearchPanel->OnBackwardClick = [](TObject*) { throw ENotBuilt("search footer find previous"); };
    FSearchPanel->OnExitClick = [this](TObject*) { SearchFooterClose(); };
    FSearchPanel->OnHighlightClick = [this](TObject*) { SearchFooterHighlight(); };
    G.FModel->FMergedColumns.OnChange = [this](TObject*, int, int) {
        SplitAllColumnCells();
        RemergeColumns();
    };
    FNavigation->OnChange = [this](TObject*) { G.NavigationChanged(); };
    FBands->OnChange = [this](TObject*) { G.Invalidate(); };
    FMouseActions->OnChange = [this](TObject*) { G.MouseActionsChanged(); };
    FMouseActions->OnIsDesigning = [this](TObject*, bool& d) { G.IsDesigningQuery(d); };
    FMouseActions->OnInvalidate = [this](TObject*) { G.InvalidateQuery(); };
    FMouseActions->OnDisableEdit = [this](TObject*) { G.DisableEditing(); };
    FShowModified->OnChange = [this](TObject*) { G.Invalidate(); };
    FFilterDropDown->OnChange = [this](TObject*) { G.Invalidate(); };
    FFilterDropList->OnSelect = [this](TObject*, int ItemIndex) { G.FilterSelected(ItemIndex); };
    FFilterDropCheckList->OnSelect = [this](TObject*, int ItemIndex) { G.FilterChecked(ItemIndex); };
    // Switching the stretch on fills the client width at once (a stretch
    // column the grid does not have is left to StretchColumnIndex's callers).
    FColumnSize->OnStretchChanged = [this]() {
        const int sc = FColumnSize->StretchColumn;
        if (FColumnSize->Stretch() && sc >= -1 && sc < G.ColCount()) G.StretchColumnIndex(sc);
    };
}

TExStringGrid::~TExStringGrid()
{
    FParts->FDestroyingGrid = true;
    // The window forgets the footer's strip before the footer goes.
    if (Host()) Host()->SetBottomStrip(0, nullptr);
    GridModuleGridGone(this);
    struct Owned {
        TExStringGrid* g;
        ~Owned()
        {
            delete g->Parts().FControlLook;
            delete g->Parts().FProgressAppearance;
            delete g->Parts().FBackGround;
            delete g->Parts().FFloatingFooter;
            g->Parts().FFloatingFooter = nullptr;
            g->Parts().FControlLook = nullptr;
            g->Parts().FProgressAppearance = nullptr;
            g->Parts().FBackGround = nullptr;
        }
    } owned{this};
    if (FParts->FOwnerForm) {
        FParts->FOwnerForm->RemoveResizeHandler(FParts->FOwnerFormKey);
        FParts->FOwnerForm = nullptr;
    }
    if (FParts->FOwnerFormComponent) RemoveFreeNotification(FParts->FOwnerFormComponent);
    if (FParts->FColumnSize->Save) {
        try {
            SaveColSizes();
        } catch (const Exception&) {
            // A destructor reports nothing; the sizes stay as last saved.
        }
    }
    ClearOnlyText = false;
    SaveHiddenCells = false;
    // Hidden rows and columns come back first, so that the clean-up below
    // reaches every property object (a hidden row's are held by its item).
    UnHideRowsAll();
    UnHideColumnsAll();
    int cols = ColCount();
    int rows = RowCount();
    // Nodes are brought back by their own code once it exists; until then a
    // grid has none.
    if (NumHiddenRows() == 0 && NodeCount() == 0) {
        cols = std::max(cols, FParts->FMaxColCount);
        rows = std::max(rows, FParts->FMaxRowCount);
    }
    if (cols > 0 && rows > 0 && HasCellProps) FreeCellProperties(0, 0, cols - 1, rows - 1);
    for (TGridChangeNotifier* n : FParts->FNotifiers) RemoveFreeNotification(n);
    FParts->FNotifiers.clear();
}

void TExStringGridPrivate::NoteCounts()
{
    G.FParts->FMaxRowCount = std::max(G.FParts->FMaxRowCount, G.RowCount());
    G.FParts->FMaxColCount = std::max(G.FParts->FMaxColCount, G.ColCount());
}

bool TExStringGrid::ColumnVisible(int c) const
{
    return !FModel->FHiddenCols.IsHidden(c);
}

// --- window creation ------------------------------------------------------------------------

void TExStringGrid::CreateWnd()
{
    if (FParts->FDestroyingGrid) return;
    TBaseGrid::CreateWnd();
    // Slim scroll bars are part of the painter; a grid that asks for them
    // fails loudly until they exist.
    if (ScrollType != ssNormal) ZEL_GRID_NOT_BUILT();
    // The search bar, visible as the search footer says.
    FParts->FSearchPanel->Width = Width();
    FParts->FSearchPanel->CreateWnd();
    FParts->FSearchPanel->UpdateFrom(*FParts->FSearchFooter);
    FParts->FFooterPanel->CreateWnd();
    if (FParts->FColumnSize->Save) LoadColSizes();
    SetTimer(FParts->Edit.GridTimerID, 500);
    // Visual-style drawing only while the theme library reports themes.
    if (!ThemesActive(GridThemeLibrary())) FParts->FIsWinXP = false;
    FParts->FWheelScrollLines = WheelScrollLines == -1 ? VisibleRowCount() : WheelScrollLines;
}

// --- search bar ------------------------------------------------------------------------------

void TExStringGridPrivate::SearchFooterClose()
{
    if (G.OnSearchFooterClose) G.OnSearchFooterClose(&G);
    FSearchFooter->SetVisible(false);
}

void TExStringGridPrivate::SearchFooterHighlight()
{
    const TSearchPanelControl* hi = FSearchPanel->HighlightButton();
    if (!hi) return;
    const bool matchCase = FSearchPanel->MatchCase() && FSearchPanel->MatchCase()->Checked;
    const int col = FSearchFooter->SearchColumn;
    const std::string text = FSearchPanel->Edit()->Text();
    if (hi->Down) {
        if (col == -1)
            G.HilightInGrid(false, matchCase, text);
        else
            G.HilightInCol(false, matchCase, col, text);
    } else if (col == -1) {
        G.UnHilightInGrid(false);
    } else {
        G.UnHilightInCol(false, col);
    }
}

// --- loading, notification, invalidation ---------------------------------------------

void TExStringGrid::Loaded()
{
    TBaseGrid::Loaded();
    // Saved column sizes and following the desktop theme belong to later
    // groups: a grid asking for them fails loudly until they exist.
    if (AutoThemeAdapt && !Designing()) ZEL_GRID_NOT_BUILT();
    if (AutoSize) AutoSizeColumns(true, 0);
    if (FParts->FColumnSize->Save) LoadColSizes();
    FParts->FFixedRowsMin = FixedRows();
    FParts->FFixedColsMin = FixedCols();
    FParts->FMinRowHeight = DefaultRowHeight();
    FParts->FMinColWidth = 10;
    FParts->FMaxRowCount = RowCount();
    FParts->FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        FParts->FNavigation->AlwaysEdit = true;
        SetOptions(Options() - goAlwaysShowEditor);
    }
    FParts->FSearchFooter->SetAutoThemeAdapt(AutoThemeAdapt);
}

void TExStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) {
        if (AComponent == FParts->FOwnerFormComponent) {
            FParts->FOwnerForm = nullptr;
            FParts->FOwnerFormComponent = nullptr;
        }
        if (!FParts->FDestroyingGrid && AComponent == FParts->FSyncGrid->Grid()) FParts->FSyncGrid->SetGrid(nullptr);
        if (FParts->FPictureContainer && AComponent == FParts->FPictureContainer) FParts->FPictureContainer = nullptr;
        auto it = std::find(FParts->FNotifiers.begin(), FParts->FNotifiers.end(), AComponent);
        if (it != FParts->FNotifiers.end()) FParts->FNotifiers.erase(it);
    }
    TBaseGrid::Notification(AComponent, Operation);
}

void TExStringGrid::SetPictureContainer(TPictureContainer* Value)
{
    if (Value == FParts->FPictureContainer) return;
    if (FParts->FPictureContainer) FParts->FPictureContainer->RemoveFreeNotification(this);
    FParts->FPictureContainer = Value;
    if (FParts->FPictureContainer) FParts->FPictureContainer->FreeNotification(this);
}

THTMLPictureCache* TExStringGrid::PictureCache()
{
    if (!FParts->FPictureCache) FParts->FPictureCache = std::make_shared<THTMLPictureCache>();
    return FParts->FPictureCache.get();
}

void TExStringGrid::Invalidate()
{
    if (FParts->FEditChange) {
        FParts->FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
}

// --- following the owning form ---------------------------------------------------------

void TExStringGrid::SetOwnerForm(IGridOwnerForm* AForm)
{
    if (AForm == FParts->FOwnerForm || Designing()) return;
    if (FParts->FOwnerForm) FParts->FOwnerForm->RemoveResizeHandler(FParts->FOwnerFormKey);
    FParts->FOwnerForm = AForm;
    FParts->FOwnerFormKey = -1;
    if (!AForm) return;
    FParts->FOwnerFormKey = AForm->AddResizeHandler([this](TObject* Sender) { FParts->OwnerFormResize(Sender); });
    // A window that goes first must not be called back.
    AForm->SetFormGoneHandler(FParts->FOwnerFormKey, [this] { FParts->FOwnerForm = nullptr; });
    FParts->PrevSizeX = AForm->FormWidth();
    FParts->PrevSizeY = AForm->FormHeight();
}

void TExStringGridPrivate::OwnerFormResize(TObject* /*Sender*/)
{
    if (G.Designing() || G.FParts->FDestroyingGrid || !G.FParts->FOwnerForm) return;
    if (G.SizeWithForm) {
        const int fw = G.FParts->FOwnerForm->FormWidth();
        const int fh = G.FParts->FOwnerForm->FormHeight();
        const int w = fw + G.Width() - G.FParts->PrevSizeX;
        const int h = fh + G.Height() - G.FParts->PrevSizeY;
        if (w > 0 && h > 0) {
            G.SetSize(w, h);
            G.FParts->PrevSizeX = fw;
            G.FParts->PrevSizeY = fh;
        }
    }
    // Stretching does nothing without ColumnSize.Stretch; checking it here
    // keeps a bad stretch column from raising inside the form's resize.
    if (G.FParts->FColumnSize->Stretch()) G.StretchColumnIndex(G.FParts->FColumnSize->StretchColumn);
}

// --- Assign --------------------------------------------------------------------------------

void TExStringGrid::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TExStringGrid*>(Source);
    if (!s) return;
    Font().Assign(const_cast<TExStringGrid*>(s)->Font());
    ActiveCellColor = s->ActiveCellColor;
    ActiveCellColorTo = s->ActiveCellColorTo;
    FParts->FActiveCellFont.Assign(s->Parts().FActiveCellFont);
    ActiveCellShow = s->ActiveCellShow;
    SetActiveRowShow(s->ActiveRowShow());
    FParts->FFilterDropDown->Assign(s->Parts().FFilterDropDown.get());
    FilterDropDownAuto = s->FilterDropDownAuto;
    FilterDropDownCheck = s->FilterDropDownCheck;
    FilterDropDownColumns = s->FilterDropDownColumns;
    FilterDropDownRow = s->FilterDropDownRow;
    FilterDropDownClear = s->FilterDropDownClear;
    AnchorHint = s->AnchorHint;
    AutoNumAlign = s->AutoNumAlign;
    AutoSize = s->AutoSize;
    AutoThemeAdapt = s->AutoThemeAdapt;
    AutoFilterUpdate = s->AutoFilterUpdate;
    FParts->FMouseActions->Assign(s->Parts().FMouseActions.get());
    FParts->FNavigation->Assign(s->Parts().FNavigation.get());
    FParts->FGrouping->Assign(s->Parts().FGrouping.get());
    FParts->FSearchFooter->Assign(s->Parts().FSearchFooter.get());
    FParts->FPrintSettings->Assign(s->Parts().FPrintSettings.get());
    FParts->FFilter->Assign(s->Parts().FFilter.get());
    FParts->FHTMLSettings->Assign(s->Parts().FHTMLSettings.get());
    FParts->FBands->Assign(s->Parts().FBands.get());
    FParts->FCellNode->Assign(s->Parts().FCellNode.get());
    FParts->FSortSettings->Assign(s->Parts().FSortSettings.get());
    FParts->FProgressAppearance->Assign(s->Parts().FProgressAppearance);
    FParts->FColumnSize->Assign(s->Parts().FColumnSize.get());
    FParts->FSyncGrid->Assign(s->Parts().FSyncGrid.get());
    FParts->FDragScrollOptions->Assign(s->Parts().FDragScrollOptions.get());
    FParts->FFocusHelper->Assign(s->Parts().FFocusHelper.get());
    FixedRowAlways = s->FixedRowAlways;

    SetColCount(s->ColCount());
    SetRowCount(s->RowCount());
    SetFixedRows(s->FixedRows());
    SetFixedCols(s->FixedCols());
    SetDefaultColWidth(s->DefaultColWidth());
    SetDefaultRowHeight(s->DefaultRowHeight());
    FParts->FFixedRowHeight = s->Parts().FFixedRowHeight;
    for (int r = 0; r < FixedRows(); ++r) SetRowHeights(r, s->RowHeights(r));
    for (int c = 0; c < FixedCols(); ++c) SetColWidths(c, s->ColWidths(c));
    InvalidEntryTitle = s->InvalidEntryTitle;
    InvalidEntryIcon = s->InvalidEntryIcon;
    InvalidEntryText = s->InvalidEntryText;
    SetOptions(s->Options());
    for (int c = 0; c < ColCount(); ++c) SetColWidths(c, s->ColWidths(c));
    FParts->FColumnHeaders = s->Parts().FColumnHeaders;
    for (int r = 0; r < RowCount(); ++r) SetRowHeights(r, s->RowHeights(r));
    ScrollProportional = s->ScrollProportional;
    ScrollSynch = s->ScrollSynch;
    ScrollHints = s->ScrollHints;
    ScrollBarAlways = s->ScrollBarAlways;
    ScrollColor = s->ScrollColor;
    ScrollType = s->ScrollType;
    ScrollWidth = s->ScrollWidth;
    AssignCells(s);
}

void TExStringGrid::AssignCells(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TExStringGrid*>(Source);
    if (!s || s == this) return;
    // The cells' texts, cell by cell, as far as this grid reaches.
    const int cols = std::min(AllColCount(), s->AllColCount());
    const int rows = std::min(RowCount(), s->RowCount());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) SetGridCell(c, r, s->GetGridCell(c, r));
    Invalidate();
}

// --- version -------------------------------------------------------------------------------

int TExStringGrid::GetVersionNr() const
{
    return (VersionMajor << 24) | (VersionMinor << 16) | (VersionRelease << 8) | VersionBuild;
}

std::string TExStringGrid::GetVersionString() const
{
    const int v = GetVersionNr();
    return IntToStr((v >> 24) & 0xFF) + "." + IntToStr((v >> 16) & 0xFF) + "." + IntToStr((v >> 8) & 0xFF) + "." +
           IntToStr(v & 0xFF) + " Sep, 2012";
}
