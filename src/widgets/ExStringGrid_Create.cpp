// TExStringGrid: construction, defaults, destruction, loading, Assign and
// version; the small objects the grid owns (grouping, modified-row marking,
// hidden-row items).

#include "widgets/ExStringGrid.h"
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

TExStringGrid::TExStringGrid(TComponent* AOwner) : TBaseGrid(AOwner), FModel(std::make_unique<TGridModel>())
{
    SetupSettings();

    FFixedFont.SetName("Tahoma");
    FFixedFont.SetStyle({fsBold});
    FFixedFont.OnChange = [this] { Invalidate(); };
    FActiveCellFont.SetStyle({fsBold});
    if (!Designing()) FActiveCellFont.SetName(Font().Name());

    SetRowCount(10);
    SetSize(400, 250);
    AutoSize = false;

    // Follow the owning form's size (the grid's own handler, removed again
    // when the grid goes, so grids on one form may go in any order).
    if (auto* form = dynamic_cast<IGridOwnerForm*>(AOwner); form && !Designing()) {
        // Heard before the form destroys the grids it owns, so that a grid
        // going with its form does not call into the half-destroyed form.
        FreeNotification(AOwner);
        FOwnerFormComponent = AOwner;
        SetOwnerForm(form);
    }

    SetDefaultRowHeight(22);
    FFixedRowHeight = DefaultRowHeight();
    for (int r = 0; r < FixedRows(); ++r) SetRowHeights(r, DefaultRowHeight());

    // This platform plays the part of a current system with version-6
    // common controls; whether themes are in use is decided when the window
    // is created.
    FIsWinXP = true;
    FIsWin7 = true;
    FIsComCtl6 = true;
    FIsWinVista = HasGetLocaleInfoEx();
    FBorderColor = FIsWinXP ? 0xB99D7F : 0x808080;
    FNUVGradientTo = ColorToRGB(clBtnFace);
    ScrollWidth = 17;
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    FMaxRowCount = RowCount();
    FMaxColCount = ColCount();
    FLastRow = Row();
    FLastCol = Col();
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
    if (FOwnerFormComponent || Designing()) return;
    SetOwnerForm(Parent() ? FindParentForm(Parent()) : nullptr);
}

void TExStringGrid::SetupSettings()
{
    FSearchPanel = std::make_unique<TSearchPanel>(this);
    FControlLook = new TControlLook(this);
    FProgressAppearance = new TGridProgressAppearance();
    FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FBackGround = new TBackGround(this);
    FFooterPanel = std::make_unique<TFooterPanel>(this);
    FFloatingFooter = new TFloatingFooter(this);
    FSearchFooter = std::make_unique<TSearchFooter>(this, false);
    FNavigation = std::make_unique<TNavigation>();
    FMouseActions = std::make_unique<TMouseActions>(this);
    FSyncGrid = std::make_unique<TSyncGrid>(this);
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FBands = std::make_unique<TBands>();
    FFocusHelper = std::make_unique<TFocusHelper>(this);
    FGrouping = std::make_unique<TGrouping>();
    FShowModified = std::make_unique<TShowModified>();
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FRowCheckBox = std::make_unique<TCellGraphic>();
    FRowCheckBox->CellType = ctRowCheckBox;
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(this);
    FFilter = std::make_unique<TFilter>(this);
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropList = std::make_unique<TDropList>(this);
    FFilterDropCheckList = std::make_unique<TDropCheckList>(this);
    FFilterList.Clear();
    ConnectSettings();
}

void TExStringGrid::ConnectSettings()
{
    FSearchFooter->OnChange = [this](TObject*) {
        FSearchPanel->UpdateFrom(*FSearchFooter);
        Invalidate();
    };
    // Searching from the bar needs the find engine, which is not built yet.
    FSearchPanel->OnEditChange = [](TObject*) { throw ENotBuilt("search footer automatic search"); };
    FSearchPanel->OnForwardClick = [](TObject*) { throw ENotBuilt("search footer find next"); };
    FSearchPanel->OnBackwardClick = [](TObject*) { throw ENotBuilt("search footer find previous"); };
    FSearchPanel->OnExitClick = [this](TObject*) { SearchFooterClose(); };
    FSearchPanel->OnHighlightClick = [this](TObject*) { SearchFooterHighlight(); };
    FModel->FMergedColumns.OnChange = [this](TObject*, int, int) {
        SplitAllColumnCells();
        RemergeColumns();
    };
    FNavigation->OnChange = [this](TObject*) { NavigationChanged(); };
    FBands->OnChange = [this](TObject*) { Invalidate(); };
    FMouseActions->OnChange = [this](TObject*) { MouseActionsChanged(); };
    FMouseActions->OnIsDesigning = [this](TObject*, bool& d) { IsDesigningQuery(d); };
    FMouseActions->OnInvalidate = [this](TObject*) { InvalidateQuery(); };
    FMouseActions->OnDisableEdit = [this](TObject*) { DisableEditing(); };
    FShowModified->OnChange = [this](TObject*) { Invalidate(); };
    FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
    FFilterDropList->OnSelect = [this](TObject*, int ItemIndex) { FilterSelected(ItemIndex); };
    FFilterDropCheckList->OnSelect = [this](TObject*, int ItemIndex) { FilterChecked(ItemIndex); };
    // Switching the stretch on fills the client width at once (a stretch
    // column the grid does not have is left to StretchColumnIndex's callers).
    FColumnSize->OnStretchChanged = [this]() {
        const int sc = FColumnSize->StretchColumn;
        if (FColumnSize->Stretch() && sc >= -1 && sc < ColCount()) StretchColumnIndex(sc);
    };
}

TExStringGrid::~TExStringGrid()
{
    FDestroyingGrid = true;
    // The window forgets the footer's strip before the footer goes.
    if (Host()) Host()->SetBottomStrip(0, nullptr);
    GridModuleGridGone(this);
    struct Owned {
        TExStringGrid* g;
        ~Owned()
        {
            delete g->FControlLook;
            delete g->FProgressAppearance;
            delete g->FBackGround;
            delete g->FFloatingFooter;
            g->FFloatingFooter = nullptr;
            g->FControlLook = nullptr;
            g->FProgressAppearance = nullptr;
            g->FBackGround = nullptr;
        }
    } owned{this};
    if (FOwnerForm) {
        FOwnerForm->RemoveResizeHandler(FOwnerFormKey);
        FOwnerForm = nullptr;
    }
    if (FOwnerFormComponent) RemoveFreeNotification(FOwnerFormComponent);
    if (FColumnSize->Save) {
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
        cols = std::max(cols, FMaxColCount);
        rows = std::max(rows, FMaxRowCount);
    }
    if (cols > 0 && rows > 0 && HasCellProps) FreeCellProperties(0, 0, cols - 1, rows - 1);
    for (TGridChangeNotifier* n : FNotifiers) RemoveFreeNotification(n);
    FNotifiers.clear();
}

void TExStringGrid::NoteCounts()
{
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FMaxColCount = std::max(FMaxColCount, ColCount());
}

bool TExStringGrid::ColumnVisible(int c) const
{
    return !FModel->FHiddenCols.IsHidden(c);
}

// --- window creation ------------------------------------------------------------------------

void TExStringGrid::CreateWnd()
{
    if (FDestroyingGrid) return;
    TBaseGrid::CreateWnd();
    // Slim scroll bars are part of the painter; a grid that asks for them
    // fails loudly until they exist.
    if (ScrollType != ssNormal) ZEL_GRID_NOT_BUILT();
    // The search bar, visible as the search footer says.
    FSearchPanel->Width = Width();
    FSearchPanel->CreateWnd();
    FSearchPanel->UpdateFrom(*FSearchFooter);
    FFooterPanel->CreateWnd();
    if (FColumnSize->Save) LoadColSizes();
    SetTimer(GridTimerID, 500);
    // Visual-style drawing only while the theme library reports themes.
    if (!ThemesActive(GridThemeLibrary())) FIsWinXP = false;
    FWheelScrollLines = WheelScrollLines == -1 ? VisibleRowCount() : WheelScrollLines;
}

// --- search bar ------------------------------------------------------------------------------

void TExStringGrid::SearchFooterClose()
{
    if (OnSearchFooterClose) OnSearchFooterClose(this);
    FSearchFooter->SetVisible(false);
}

void TExStringGrid::SearchFooterHighlight()
{
    const TSearchPanelControl* hi = FSearchPanel->HighlightButton();
    if (!hi) return;
    const bool matchCase = FSearchPanel->MatchCase() && FSearchPanel->MatchCase()->Checked;
    const int col = FSearchFooter->SearchColumn;
    const std::string text = FSearchPanel->Edit()->Text();
    if (hi->Down) {
        if (col == -1)
            HilightInGrid(false, matchCase, text);
        else
            HilightInCol(false, matchCase, col, text);
    } else if (col == -1) {
        UnHilightInGrid(false);
    } else {
        UnHilightInCol(false, col);
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
    if (FColumnSize->Save) LoadColSizes();
    FFixedRowsMin = FixedRows();
    FFixedColsMin = FixedCols();
    FMinRowHeight = DefaultRowHeight();
    FMinColWidth = 10;
    FMaxRowCount = RowCount();
    FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        FNavigation->AlwaysEdit = true;
        SetOptions(Options() - goAlwaysShowEditor);
    }
    FSearchFooter->SetAutoThemeAdapt(AutoThemeAdapt);
}

void TExStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) {
        if (AComponent == FOwnerFormComponent) {
            FOwnerForm = nullptr;
            FOwnerFormComponent = nullptr;
        }
        if (!FDestroyingGrid && AComponent == FSyncGrid->Grid()) FSyncGrid->SetGrid(nullptr);
        if (FPictureContainer && AComponent == FPictureContainer) FPictureContainer = nullptr;
        auto it = std::find(FNotifiers.begin(), FNotifiers.end(), AComponent);
        if (it != FNotifiers.end()) FNotifiers.erase(it);
    }
    TBaseGrid::Notification(AComponent, Operation);
}

void TExStringGrid::SetPictureContainer(TPictureContainer* Value)
{
    if (Value == FPictureContainer) return;
    if (FPictureContainer) FPictureContainer->RemoveFreeNotification(this);
    FPictureContainer = Value;
    if (FPictureContainer) FPictureContainer->FreeNotification(this);
}

THTMLPictureCache* TExStringGrid::PictureCache()
{
    if (!FPictureCache) FPictureCache = std::make_shared<THTMLPictureCache>();
    return FPictureCache.get();
}

void TExStringGrid::Invalidate()
{
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
}

// --- following the owning form ---------------------------------------------------------

void TExStringGrid::SetOwnerForm(IGridOwnerForm* AForm)
{
    if (AForm == FOwnerForm || Designing()) return;
    if (FOwnerForm) FOwnerForm->RemoveResizeHandler(FOwnerFormKey);
    FOwnerForm = AForm;
    FOwnerFormKey = -1;
    if (!AForm) return;
    FOwnerFormKey = AForm->AddResizeHandler([this](TObject* Sender) { OwnerFormResize(Sender); });
    // A window that goes first must not be called back.
    AForm->SetFormGoneHandler(FOwnerFormKey, [this] { FOwnerForm = nullptr; });
    PrevSizeX = AForm->FormWidth();
    PrevSizeY = AForm->FormHeight();
}

void TExStringGrid::OwnerFormResize(TObject* /*Sender*/)
{
    if (Designing() || FDestroyingGrid || !FOwnerForm) return;
    if (SizeWithForm) {
        const int fw = FOwnerForm->FormWidth();
        const int fh = FOwnerForm->FormHeight();
        const int w = fw + Width() - PrevSizeX;
        const int h = fh + Height() - PrevSizeY;
        if (w > 0 && h > 0) {
            SetSize(w, h);
            PrevSizeX = fw;
            PrevSizeY = fh;
        }
    }
    // Stretching does nothing without ColumnSize.Stretch; checking it here
    // keeps a bad stretch column from raising inside the form's resize.
    if (FColumnSize->Stretch()) StretchColumnIndex(FColumnSize->StretchColumn);
}

// --- Assign --------------------------------------------------------------------------------

void TExStringGrid::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TExStringGrid*>(Source);
    if (!s) return;
    Font().Assign(const_cast<TExStringGrid*>(s)->Font());
    ActiveCellColor = s->ActiveCellColor;
    ActiveCellColorTo = s->ActiveCellColorTo;
    FActiveCellFont.Assign(s->FActiveCellFont);
    ActiveCellShow = s->ActiveCellShow;
    SetActiveRowShow(s->ActiveRowShow());
    FFilterDropDown->Assign(s->FFilterDropDown.get());
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
    FMouseActions->Assign(s->FMouseActions.get());
    FNavigation->Assign(s->FNavigation.get());
    FGrouping->Assign(s->FGrouping.get());
    FSearchFooter->Assign(s->FSearchFooter.get());
    FPrintSettings->Assign(s->FPrintSettings.get());
    FFilter->Assign(s->FFilter.get());
    FHTMLSettings->Assign(s->FHTMLSettings.get());
    FBands->Assign(s->FBands.get());
    FCellNode->Assign(s->FCellNode.get());
    FSortSettings->Assign(s->FSortSettings.get());
    FProgressAppearance->Assign(s->FProgressAppearance);
    FColumnSize->Assign(s->FColumnSize.get());
    FSyncGrid->Assign(s->FSyncGrid.get());
    FDragScrollOptions->Assign(s->FDragScrollOptions.get());
    FFocusHelper->Assign(s->FFocusHelper.get());
    FixedRowAlways = s->FixedRowAlways;

    SetColCount(s->ColCount());
    SetRowCount(s->RowCount());
    SetFixedRows(s->FixedRows());
    SetFixedCols(s->FixedCols());
    SetDefaultColWidth(s->DefaultColWidth());
    SetDefaultRowHeight(s->DefaultRowHeight());
    FFixedRowHeight = s->FFixedRowHeight;
    for (int r = 0; r < FixedRows(); ++r) SetRowHeights(r, s->RowHeights(r));
    for (int c = 0; c < FixedCols(); ++c) SetColWidths(c, s->ColWidths(c));
    InvalidEntryTitle = s->InvalidEntryTitle;
    InvalidEntryIcon = s->InvalidEntryIcon;
    InvalidEntryText = s->InvalidEntryText;
    SetOptions(s->Options());
    for (int c = 0; c < ColCount(); ++c) SetColWidths(c, s->ColWidths(c));
    FColumnHeaders = s->FColumnHeaders;
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
