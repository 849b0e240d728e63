// TExColumnGrid: the column items, their collection and the grid that asks
// them first.

#include "widgets/ExColumnGrid.h"
#include "widgets/grid_render/Parts.h"

#include "widgets/GridParsers.h"
#include "widgets/GridControlLook.h"
#include "widgets/grid_io/FilterSettings.h"
#include "widgets/grid_render/Editor_Controls.h"

#include <algorithm>
#include <cmath>
#include <vector>

// --- TGridColumnItem -----------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TCollection* ACollection) : TCollectionItem(ACollection)
{
    FBorderPen.SetColor(0xC0C0C0);
    FPrintBorderPen.SetColor(0x000000);
    TExColumnGrid* g = Grid();
    if (!g) return;
    FFont.Assign(g->Font());
    FHeaderFont.Assign(g->Font());
    FPrintFont.Assign(g->Font());
    FColor = g->Color();
    FFont.OnChange = [this] { NotifyUpdate(); };
    FHeaderFont.OnChange = [this] { NotifyUpdate(); };
    FBorderPen.OnChange = [this] { NotifyUpdate(); };
}

TGridColumnItem::~TGridColumnItem()
{
    // The links must not reach a collection that is letting the item go.
    FFont.OnChange = nullptr;
    FHeaderFont.OnChange = nullptr;
    FBorderPen.OnChange = nullptr;
}

TGridColumnCollection* TGridColumnItem::ColumnCollection() const
{
    return dynamic_cast<TGridColumnCollection*>(Collection());
}

TExColumnGrid* TGridColumnItem::Grid() const
{
    const TGridColumnCollection* c = ColumnCollection();
    return c ? c->GetOwner() : nullptr;
}

TExColumnGrid* TGridColumnItem::OwnGrid() const
{
    TExColumnGrid* g = Grid();
    if (!g || !g->FColumns || g->FColumns.get() != Collection()) return nullptr;
    return g;
}

void TGridColumnItem::NotifyUpdate() { Changed(false); }

void TGridColumnItem::RepaintGrid() const
{
    if (TExColumnGrid* g = OwnGrid()) g->Invalidate();
}

std::string TGridColumnItem::GetDisplayName() const
{
    const std::string idx = IntToStr(Index());
    if (!Name.empty()) return "Col " + idx + ": " + Name;
    return "Column " + idx;
}

int TGridColumnItem::Width() const
{
    if (TExColumnGrid* g = OwnGrid()) {
        const int i = Index();
        // Without hidden columns the real index is the displayed one.
        if (g->NumHiddenColumns() == 0) return g->ColWidths(i);
        return g->AllColWidths(i);
    }
    return Collection() ? FWidth : 0;
}

void TGridColumnItem::SetWidth(int Value)
{
    FWidth = Value;
    TExColumnGrid* g = OwnGrid();
    if (!g) return;
    const int i = Index();
    if (g->NumHiddenColumns() == 0) {
        if (i < g->ColCount()) g->SetColWidths(i, Value);
    } else {
        g->SetAllColWidths(i, Value);
    }
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    RepaintGrid();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
    FHeaderAlignment = Value;
    RepaintGrid();
}

void TGridColumnItem::SetFloatFormat(const std::string& Value)
{
    FFloatFormat = Value;
    RepaintGrid();
}

void TGridColumnItem::SetHeader(const std::string& Value)
{
    FHeader = Value;
    TExColumnGrid* g = OwnGrid();
    if (!g) return;
    if (g->FixedRows() > 0 && !g->FColMoving) {
        g->SetCells(Index(), 0, Value);
        NotifyUpdate();
    }
    TStringList& headers = g->ColumnHeaders();
    headers.Clear();
    for (int i = 0; i < g->FColumns->Count(); ++i) headers.Add(g->FColumns->Items(i)->FHeader);
}

void TGridColumnItem::SetFont(const TFont& Value)
{
    // The font's change link updates the collection.
    FFont.Assign(Value);
}

void TGridColumnItem::SetHeaderFont(const TFont& Value)
{
    FHeaderFont.Assign(Value);
    RepaintGrid();
}

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    NotifyUpdate();
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    NotifyUpdate();
}

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    NotifyUpdate();
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    NotifyUpdate();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    NotifyUpdate();
}

void TGridColumnItem::SetFilter(const TStringList& Value)
{
    FFilter = Value;
    RepaintGrid();
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
    if (Value == FEditor) return;
    const bool checkBoxes = Value == edDataCheckBox || FEditor == edDataCheckBox;
    FEditor = Value;
    if (checkBoxes) RepaintGrid();
}

void TGridColumnItem::SetColumnPopup(TComponent* Value)
{
    FColumnPopup = Value;
    if (Value)
        if (TExColumnGrid* g = Grid()) g->FreeNotification(Value);
}

void TGridColumnItem::SetEditLink(TComponent* Value)
{
    FEditLink = Value;
    if (Value)
        if (TExColumnGrid* g = Grid()) g->FreeNotification(Value);
}

std::string TGridColumnItem::Rows(int idx) const
{
    TExColumnGrid* g = OwnGrid();
    return g ? g->Cells(Index(), idx) : std::string();
}

void TGridColumnItem::SetRows(int idx, const std::string& Value)
{
    if (TExColumnGrid* g = OwnGrid()) g->SetCells(Index(), idx, Value);
}

int TGridColumnItem::Ints(int idx) const
{
    TExColumnGrid* g = OwnGrid();
    return g ? g->Ints(Index(), idx) : 0;
}

void TGridColumnItem::SetInts(int idx, int Value)
{
    if (TExColumnGrid* g = OwnGrid()) g->SetInts(Index(), idx, Value);
}

double TGridColumnItem::Floats(int idx) const
{
    TExColumnGrid* g = OwnGrid();
    return g ? g->Floats(Index(), idx) : 0.0;
}

void TGridColumnItem::SetFloats(int idx, double Value)
{
    if (TExColumnGrid* g = OwnGrid()) g->SetFloats(Index(), idx, Value);
}

double TGridColumnItem::Dates(int idx) const
{
    TExColumnGrid* g = OwnGrid();
    return g ? g->Dates(Index(), idx) : 0.0;
}

void TGridColumnItem::SetDates(int idx, double Value)
{
    if (TExColumnGrid* g = OwnGrid()) g->SetDates(Index(), idx, Value);
}

double TGridColumnItem::Times(int idx) const
{
    TExColumnGrid* g = OwnGrid();
    return g ? g->Times(Index(), idx) : 0.0;
}

void TGridColumnItem::SetTimes(int idx, double Value)
{
    if (TExColumnGrid* g = OwnGrid()) g->SetTimes(Index(), idx, Value);
}

void TGridColumnItem::CopySettings(const TGridColumnItem& s, bool visualsOnly)
{
    // One collection update for the whole copy.
    TCollection* coll = Collection();
    if (coll) coll->BeginUpdate();
    try {
        FAlignment = s.FAlignment;
        FHeaderAlignment = s.FHeaderAlignment;
        FBorderPen.Assign(s.FBorderPen);
        FBorders = s.FBorders;
        CheckFalse = s.CheckFalse;
        CheckTrue = s.CheckTrue;
        EditLength = s.EditLength;
        FEditLink = s.FEditLink;
        EditMask = s.EditMask;
        FEditor = s.FEditor;
        FFixed = s.FFixed;
        FPassword = s.FPassword;
        FPrintBorderPen.Assign(s.FPrintBorderPen);
        PrintBorders = s.PrintBorders;
        PrintColor = s.PrintColor;
        FPrintFont.Assign(s.FPrintFont);
        ReadOnly = s.ReadOnly;
        SortPrefix = s.SortPrefix;
        SortStyle = s.SortStyle;
        SortSuffix = s.SortSuffix;
        SpinMax = s.SpinMax;
        SpinMin = s.SpinMin;
        SpinStep = s.SpinStep;
        FColumnPopup = s.FColumnPopup;
        FWidth = s.Width();
        FShowBands = s.FShowBands;
        MinSize = s.MinSize;
        MaxSize = s.MaxSize;
        AutoMinSize = s.AutoMinSize;
        AutoMaxSize = s.AutoMaxSize;
        FFilter = s.FFilter;
        FilterCaseSensitive = s.FilterCaseSensitive;
        FDefIdx = s.FDefIdx;
        FFloatFormat = s.FFloatFormat;
        if (visualsOnly) {
            if (TExColumnGrid* g = Grid()) {
                FColor = g->Color();
                FFont.Assign(g->Font());
            }
        } else {
            FColor = s.FColor;
            FFont.Assign(s.FFont);
            FComboItems = s.FComboItems;
            DropDownCount = s.DropDownCount;
            FHeaderFont.Assign(s.FHeaderFont);
            Name = s.Name;
            Tag = s.Tag;
            SetHeader(s.FHeader);
        }
        // References the grid lets go of when their component goes.
        if (TExColumnGrid* g = Grid()) {
            if (FColumnPopup) g->FreeNotification(FColumnPopup);
            if (FEditLink) g->FreeNotification(FEditLink);
        }
    } catch (...) {
        if (coll) coll->EndUpdate();
        throw;
    }
    if (coll) coll->EndUpdate();
}

void TGridColumnItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TGridColumnItem*>(Source);
    if (!s || s == this) return;
    CopySettings(*s, false);
}

void TGridColumnItem::AssignVisuals(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TGridColumnItem*>(Source);
    if (!s || s == this) return;
    CopySettings(*s, true);
}

// --- TGridColumnCollection -------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TExColumnGrid* AOwner)
    : TCollection([](TCollection* c) { return new TGridColumnItem(c); }), FOwner(AOwner)
{
}

TGridColumnItem* TGridColumnCollection::Items(int Index) const
{
    return static_cast<TGridColumnItem*>(TCollection::Items(Index));
}

void TGridColumnCollection::SetItem(int Index, const TGridColumnItem& Value) { Items(Index)->Assign(&Value); }

TGridColumnItem* TGridColumnCollection::Add()
{
    auto* item = static_cast<TGridColumnItem*>(TCollection::Add());
    if (Count() > 1) item->AssignVisuals(Items(Count() - 2));
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index)
{
    return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    if (UpdateCount() > 0 || NoRecursiveUpdate || !FOwner || FOwner->Loading()) return;
    // Only the grid's own items steer the grid.
    if (FOwner->FColumns.get() != this) return;
    const int n = Count() - FOwner->NumHiddenColumns();
    if (n != FOwner->ColCount() && n > FOwner->FixedCols()) FOwner->SetColCount(n);
    FOwner->RebuildColumnHeaders();
    FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
    const bool old = NoRecursiveUpdate;
    NoRecursiveUpdate = true;
    if (FOwner && FOwner->FColumns.get() == this) FOwner->SyncColumns();
    NoRecursiveUpdate = old;
    for (int i = 0; i < Count(); ++i) Items(i)->FDefIdx = i;
}

void TGridColumnCollection::ResetOrganization()
{
    if (!FOwner || FOwner->FColumns.get() != this) return;
    // Stored positions that are not a permutation of the columns would move
    // columns out of the grid or never settle: they change nothing.
    std::vector<int> pos;
    for (int i = 0; i < Count(); ++i) pos.push_back(Items(i)->FDefIdx);
    if (!IsPermutation(pos, Count())) return;
    // Columns the grid shows can be moved; the positions must lie among them.
    if (Count() > FOwner->ColCount()) return;
    bool moved = true;
    while (moved) {
        moved = false;
        const int count = Count();
        for (int i = 0; i < count; ++i) {
            const int d = Items(i)->FDefIdx;
            if (d < i) {
                FOwner->MoveColumn(i, d);
                moved = true;
            }
        }
    }
}

// --- TExColumnGrid ---------------------------------------------------------------------

namespace {
constexpr int ColumnGridVersion = (3 << 24) | (1 << 16) | (3 << 8) | 1;
} // namespace

TExColumnGrid::TExColumnGrid(TComponent* AOwner) : TExStringGrid(AOwner)
{
    FColumns = std::make_unique<TGridColumnCollection>(this);
    FColumns->NoRecursiveUpdate = true;
    SyncColumns();
    FColumns->NoRecursiveUpdate = false;
    FColMoving = false;
    FVirtCheckBox = std::make_unique<TCellGraphic>();
    FVirtCheckBox->CellType = ctVirtCheckBox;
    FSaveCol = std::make_unique<TGridColumnItem>(nullptr);
}

TExColumnGrid::~TExColumnGrid()
{
    FColumns.reset();
    FVirtCheckBox.reset();
    FSaveCol.reset();
}

void TExColumnGrid::SetColumns(const TGridColumnCollection& Value) { FColumns->Assign(&Value); }

void TExColumnGrid::SetColCount(int Value)
{
    TExStringGrid::SetColCount(Value);
    const bool old = FColumns->NoRecursiveUpdate;
    FColumns->NoRecursiveUpdate = true;
    try {
        SyncColumns();
    } catch (...) {
        FColumns->NoRecursiveUpdate = old;
        throw;
    }
    FColumns->NoRecursiveUpdate = old;
}

void TExColumnGrid::SyncColumns()
{
    const int want = ColCount() + NumHiddenColumns();
    while (FColumns->Count() < want) FColumns->Add();
    while (FColumns->Count() > want) FColumns->Delete(FColumns->Count() - 1);
    if (Designing())
        for (int i = 0; i < ColCount(); ++i) SetCells(i, FixedRows(), "Column " + IntToStr(i));
}

void TExColumnGrid::RebuildColumnHeaders()
{
    if (FixedRows() < 1) return;
    TStringList& headers = ColumnHeaders();
    headers.Clear();
    for (int i = 0; i < FColumns->Count(); ++i) {
        TGridColumnItem* it = FColumns->Items(i);
        if (it->FHeader.empty()) {
            const std::string cell = Cells(i, 0);
            if (!cell.empty()) it->FHeader = cell;
        }
        headers.Add(it->FHeader);
    }
}

TGridColumnItem* TExColumnGrid::GetColumnByName(const std::string& AValue) const
{
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->Items(i)->Name == AValue) return FColumns->Items(i);
    return nullptr;
}

int TExColumnGrid::GetVersionNr() const { return ColumnGridVersion; }

std::string TExColumnGrid::GetVersionString() const
{
    const int v = GetVersionNr();
    return IntToStr((v >> 24) & 0xFF) + "." + IntToStr((v >> 16) & 0xFF) + "." + IntToStr((v >> 8) & 0xFF) + "." +
           IntToStr(v & 0xFF) + " Aug, 2012";
}

void TExColumnGrid::Loaded()
{
    TExStringGrid::Loaded();
    SyncColumns();
    FColumns->SetOrganization();
}

void TExColumnGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TExStringGrid::Notification(AComponent, Operation);
    if (Operation != opRemove || !FColumns) return;
    for (int i = 0; i < FColumns->Count(); ++i) {
        TGridColumnItem* it = FColumns->Items(i);
        if (it->FEditLink == AComponent) it->FEditLink = nullptr;
        if (it->FColumnPopup == AComponent) it->FColumnPopup = nullptr;
    }
    if (FSaveCol) {
        if (FSaveCol->FEditLink == AComponent) FSaveCol->FEditLink = nullptr;
        if (FSaveCol->FColumnPopup == AComponent) FSaveCol->FColumnPopup = nullptr;
    }
}

bool TExColumnGrid::IsNormalItemCell(int ACol, int ARow) const
{
    return ACol >= 0 && ACol < ItemCount() && ACol >= FixedCols() &&
           ACol < ColCount() + NumHiddenColumns() - FixedRightCols && ARow >= FixedRows() &&
           ARow < RowCount() - FixedFooters;
}

// --- per-cell questions -----------------------------------------------------------------

void TExColumnGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                    TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                    bool& WW, TCellGradientDirection& GD)
{
    if (ACol < 0 || ACol >= ItemCount()) {
        TExStringGrid::GetCellDefaults(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, HA, VA,
                                       WW, GD);
        return;
    }
    const TGridColumnItem* it = Item(ACol);
    AFont->Assign(it->Font());
    ABrush->SetColor(it->Color());
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    HA = ARow < FixedRows() ? it->HeaderAlignment() : it->Alignment();
    VA = VAlignment;
    WW = WordWrap;
    GD = GradientVertical;
    if (IsFixed(ACol, ARow) || (Bands().Active() && it->ShowBands())) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

std::string TExColumnGrid::GetColumnFloatFormat(int ACol)
{
    if (ACol >= 0 && ACol < ItemCount() && !Item(ACol)->FloatFormat().empty()) return Item(ACol)->FloatFormat();
    return FloatFormat;
}

std::string TExColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= ItemCount()) return TExStringGrid::GetFormattedCell(ACol, ARow);
    std::string format = Item(ACol)->FloatFormat();
    const std::string text = Cells(ACol, ARow);
    const int kind = NumberTextKind(text);
    bool isNumber = kind == nkInteger || kind == nkDecimal;
    if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, isNumber, format);
    if (format.empty() || !isNumber) return text;
    try {
        return Format(format, {Floats(ACol, ARow)});
    } catch (const EConvertError&) {
        // A format that does not fit a number, or a text the handler took
        // for one: the cell shows its own text.
    } catch (const EExGridError&) {
    }
    return text;
}

TCellType TExColumnGrid::GetCellType(int ACol, int ARow)
{
    const TCellType t = TExStringGrid::GetCellType(ACol, ARow);
    if (Destroying() || t != ctEmpty || !IsNormalItemCell(ACol, ARow)) return t;
    return Item(ACol)->Editor() == edDataCheckBox ? ctDataCheckBox : t;
}

TCellGraphic* TExColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = TExStringGrid::GetCellGraphic(ACol, ARow);
    if (g || Destroying() || !FVirtCheckBox || !IsNormalItemCell(ACol, ARow)) return g;
    if (Item(ACol)->Editor() != edDataCheckBox) return g;
    FVirtCheckBox->CellType = ctVirtCheckBox;
    FVirtCheckBox->CellTransparent = ControlLook()->ControlStyle() == csFlat;
    return FVirtCheckBox.get();
}

void TExColumnGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    if (ACol >= 0 && ACol < ItemCount()) {
        const TGridColumnItem* it = Item(ACol);
        if (it->MinSize > 0 && AWidth < it->MinSize) AWidth = it->MinSize;
        if (it->MaxSize > 0 && AWidth > it->MaxSize) AWidth = it->MaxSize;
    }
    TExStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TExColumnGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (ACol >= 0 && ACol < ItemCount()) {
        const TGridColumnItem* it = Item(ACol);
        if (it->AutoMinSize > 0 && AWidth < it->AutoMinSize) AWidth = it->AutoMinSize;
        if (it->AutoMaxSize > 0 && AWidth > it->AutoMaxSize) AWidth = it->AutoMaxSize;
    }
    TExStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

void TExColumnGrid::ColumnHeadersChanged()
{
    if (!FColumns) return;
    const int n = std::min(FColumns->Count(), ColumnHeaders().Count());
    for (int i = 0; i < n; ++i) FColumns->Items(i)->FHeader = ColumnHeaders()[i];
}

void TExColumnGrid::AllCellsChanged()
{
    TExStringGrid::AllCellsChanged();
    if (FColumnsChanging) return;
    const bool old = FColumns->NoRecursiveUpdate;
    FColumns->NoRecursiveUpdate = true;
    SyncColumns();
    FColumns->NoRecursiveUpdate = old;
}

void TExColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (ACol >= 0 && ARow >= 0 && ACol < ItemCount() && ACol >= FixedCols() &&
        ACol < ColCount() + NumHiddenColumns() - FixedRightCols && ARow < RowCount() - FixedFooters) {
        const TGridColumnItem* it = Item(ACol);
        if (it->Fixed())
            ABrush->SetColor(FixedColor());
        else if (ARow >= FixedRows() && (!it->ShowBands() || !Bands().Active()))
            ABrush->SetColor(it->Color());
        AFont->Assign(ARow < FixedRows() ? it->HeaderFont() : it->Font());
        if (const TCellProperties* p = FindCellProperties(ACol, ARow)) {
            if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        }
    }
    TExStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TExColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (ACol >= 0 && ARow >= 0 && ACol < ItemCount()) {
        const bool fixedCell = ACol < FixedCols() || ARow < FixedRows() ||
                               (FixedRightCols > 0 && ACol >= ColCount() + NumHiddenColumns() - FixedRightCols) ||
                               (FixedFooters > 0 && ARow >= RowCount() - FixedFooters);
        // Fixed cells print with the print settings' fixed font, a part of
        // the printing code.
        if (!fixedCell) {
            const TGridColumnItem* it = Item(ACol);
            const TCellProperties* p = FindCellProperties(ACol, ARow);
            if (it->Fixed()) {
                ABrush->SetColor(FixedColor());
            } else {
                if (!(it->ShowBands() && Bands().Active() && Bands().Print)) ABrush->SetColor(it->PrintColor);
                if (p && p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            }
            if (it->PrintFontCustom) {
                AFont->Assign(it->PrintFont());
                if (p) {
                    if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
                    if (!p->FontStyle.Empty()) AFont->SetStyle(p->FontStyle);
                    if (p->FontSize != 0) AFont->SetSize(p->FontSize);
                    if (!p->FontName.empty()) AFont->SetName(p->FontName);
                }
            }
        }
    }
    TExStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TExColumnGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (ACol >= 0 && ACol < ItemCount() && ACol >= FixedCols() && ARow >= FixedRows()) {
        const TGridColumnItem* it = Item(ACol);
        Borders = it->Borders();
        APen->Assign(it->BorderPen());
    }
    TExStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TExColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (ACol >= 0 && ACol < ItemCount() && ACol >= FixedCols() && ARow >= FixedRows() &&
        Item(ACol)->PrintBorderCustom) {
        const TGridColumnItem* it = Item(ACol);
        Borders = it->PrintBorders;
        APen->Assign(it->PrintBorderPen());
    }
    TExStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TExColumnGrid::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol >= 0 && ACol < ItemCount()) {
        const TGridColumnItem* it = Item(ACol);
        HAlign = ARow < FixedRows() ? it->HeaderAlignment() : it->Alignment();
        if (const TCellProperties* p = FindCellProperties(ACol, ARow)) HAlign = p->Alignment;
    }
    TExStringGrid::GetCellAlign(ACol, ARow, HAlign, VAlign);
}

void TExColumnGrid::GetColFormat(int ACol, TSortStyle& AStyle, std::string& aPrefix, std::string& aSuffix)
{
    if (ACol >= 0 && ACol < ItemCount()) {
        const TGridColumnItem* it = Item(ACol);
        AStyle = it->SortStyle;
        aPrefix = it->SortPrefix;
        aSuffix = it->SortSuffix;
    }
    TExStringGrid::GetColFormat(ACol, AStyle, aPrefix, aSuffix);
}

void TExColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (ACol >= 0 && ACol < ItemCount()) {
        const TGridColumnItem* it = Item(ACol);
        if (ACol >= FixedCols() && ARow >= FixedRows()) {
            AEditor = it->Editor();
            // The shared combo editor offers the column's items, as many at
            // once as the column asks.
            ClearComboString();
            for (const std::string& c : it->ComboItems()) AddComboString(c);
            ControlLook()->DropDownCount = it->DropDownCount;
            // A spin column's limits and step go into the spin editor (made
            // here when the grid has a window and the column needs it).
            const TEditorType e = it->Editor();
            if (View() && (e == edSpinEdit || e == edFloatSpinEdit || e == edTimeSpinEdit || e == edDateSpinEdit)) {
                TGridSpin* s = Editors().Spin();
                s->SetMinValue(it->SpinMin);
                s->SetMaxValue(it->SpinMax);
                s->SetIncrement(it->SpinStep);
            }
        }
        if (!it->FloatFormat().empty()) FloatFormat = it->FloatFormat();
    }
    TExStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

void TExColumnGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) const
{
    if (ACol >= FixedCols() && ARow >= FixedRows()) {
        const int rc = RealCol(ACol);
        if (rc >= 0 && rc < ItemCount()) IsFixed = Item(rc)->Fixed();
    }
    TExStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TExColumnGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    CanEdit = false;
    if (!Loading() && ACol >= 0 && ACol < ItemCount() && ACol >= FixedCols() && ARow >= FixedRows()) {
        const TGridColumnItem* it = Item(ACol);
        CanEdit = !(it->ReadOnly || it->Fixed());
        if (CanEdit && HasCellProperties(ACol, ARow)) CanEdit = !TExStringGrid::ReadOnly(ACol, ARow);
    }
    const TPoint b = BaseCell(ACol, ARow);
    FireCanEditCell(b.X, b.Y, CanEdit);
}

void TExColumnGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (ACol >= 0 && ACol < ItemCount()) IsPassword = Item(ACol)->Password();
    TExStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

bool TExColumnGrid::HasCombo(int ACol, int ARow)
{
    bool has = false;
    if (ACol >= 0 && ACol < ItemCount() && ACol >= FixedCols() && ARow >= FixedRows()) {
        const TEditorType e = Item(ACol)->Editor();
        has = e == edComboEdit || e == edComboList;
    }
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, has);
    return has;
}

std::string TExColumnGrid::GetCheckTrue(int ACol, int ARow)
{
    std::string v = TExStringGrid::GetCheckTrue(ACol, ARow);
    if (IsNormalItemCell(ACol, ARow)) v = Item(ACol)->CheckTrue;
    return v;
}

std::string TExColumnGrid::GetCheckFalse(int ACol, int ARow)
{
    std::string v = TExStringGrid::GetCheckFalse(ACol, ARow);
    if (IsNormalItemCell(ACol, ARow)) v = Item(ACol)->CheckFalse;
    return v;
}

bool TExColumnGrid::GetColumnFilter(int ACol)
{
    const bool own = TExStringGrid::GetColumnFilter(ACol);
    if (ACol >= 0 && ACol < ItemCount() && Item(ACol)->Filter().Count() > 0) {
        TStringList& list = FilterList();
        list.Clear();
        for (const std::string& e : Item(ACol)->Filter()) {
            const auto eq = e.find('=');
            list.Add(eq == std::string::npos ? e : e.substr(0, eq));
        }
        return true;
    }
    // A column without a filter list of its own keeps the grid's entries.
    return own;
}

// --- columns inserted, removed, grouped ------------------------------------------------

namespace {
// Keeps the grid's bulk-change notification from resyncing the items while
// the string grid inserts or removes columns (the items follow afterwards,
// at the column's index); cleared on every way out.
class ColumnsChanging {
public:
    explicit ColumnsChanging(bool& flag) : FFlag(flag) { FFlag = true; }
    ~ColumnsChanging() { FFlag = false; }
    ColumnsChanging(const ColumnsChanging&) = delete;
    ColumnsChanging& operator=(const ColumnsChanging&) = delete;

private:
    bool& FFlag;
};
} // namespace

void TExColumnGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount <= 0) return;
    {
        const ColumnsChanging changing(FColumnsChanging);
        TExStringGrid::InsertCols(ColIndex, CCount);
    }
    const bool old = FColumns->NoRecursiveUpdate;
    FColumns->NoRecursiveUpdate = true;
    const int at = std::clamp(ColIndex, 0, FColumns->Count());
    for (int i = 0; i < CCount; ++i) FColumns->Insert(at);
    SyncColumns();
    FColumns->NoRecursiveUpdate = old;
    RebuildColumnHeaders();
    Invalidate();
}

void TExColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    if (CCount <= 0 || ColIndex < 0 || ColIndex >= ItemCount()) {
        TExStringGrid::RemoveCols(ColIndex, CCount);
        return;
    }
    {
        const ColumnsChanging changing(FColumnsChanging);
        TExStringGrid::RemoveCols(ColIndex, CCount);
    }
    const bool old = FColumns->NoRecursiveUpdate;
    FColumns->NoRecursiveUpdate = true;
    for (int i = 0; i < CCount && ColIndex >= 0 && ColIndex < FColumns->Count(); ++i) FColumns->Delete(ColIndex);
    SyncColumns();
    FColumns->NoRecursiveUpdate = old;
    RebuildColumnHeaders();
    Invalidate();
}

void TExColumnGrid::Group(int ColIndex)
{
    if (ColIndex < 0 || ColIndex >= ItemCount()) return;
    FSaveCol->Assign(Item(ColIndex));
    TExStringGrid::Group(ColIndex);
    FGroupedCol = ColIndex;
}

void TExColumnGrid::UnGroup()
{
    const int col = FGroupedCol;
    TExStringGrid::UnGroup();
    FGroupedCol = -1;
    if (col >= 0 && col < ItemCount()) Item(col)->Assign(FSaveCol.get());
}

// --- column moves, widths, edit limits -------------------------------------------------

void TExColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    const bool old = FColumns->NoRecursiveUpdate;
    FColumns->NoRecursiveUpdate = true;
    const int top = TopRow();
    const int f = RealCol(FromIndex);
    const int t = RealCol(ToIndex);
    TExStringGrid::ColumnMoved(FromIndex, ToIndex);
    FColMoving = true;
    if (f >= 0 && t >= 0 && f < FColumns->Count() && t < FColumns->Count() && f != t) FColumns->Move(f, t);
    SetTopRow(top);
    FColMoving = false;
    FColumns->NoRecursiveUpdate = old;
    if (OnAfterColumnMoved) OnAfterColumnMoved(this, f, t);
}

void TExColumnGrid::ChangeScale(int M, int D)
{
    TExStringGrid::ChangeScale(M, D);
    if (Designing() || M == D || D == 0) return;
    auto scaled = [M, D](int size) { return static_cast<int>(std::lround(static_cast<double>(size) * M / D)); };
    for (int i = 0; i < ColCount() && i < ItemCount(); ++i) {
        TGridColumnItem* it = Item(i);
        TFont f = it->Font();
        f.OnChange = nullptr;
        f.SetSize(scaled(f.Size()));
        it->SetFont(f);
        TFont h = it->HeaderFont();
        h.OnChange = nullptr;
        h.SetSize(scaled(h.Size()));
        it->SetHeaderFont(h);
    }
}

void TExColumnGrid::FilterSelected(int ItemIndex)
{
    const int col = FilterColumn;
    FilterColumn = -1;
    if (col < 0 || col >= ItemCount()) return;
    TGridColumnItem* it = Item(col);
    if (ItemIndex < 0 || ItemIndex >= it->Filter().Count()) return;
    const std::string entry = it->Filter()[ItemIndex];
    const std::size_t eq = entry.find('=');
    const std::string caption = eq == std::string::npos ? entry : entry.substr(0, eq);
    if (AutoFilterDisplay) it->SetHeader(caption);
    if (AutoFilterUpdate) SetFilterActive(false);
    std::string condition = eq == std::string::npos ? entry : entry.substr(eq + 1);
    if (OnFilterSelect) OnFilterSelect(this, col, ItemIndex, caption, condition);
    TFilterData* f = Filter().GetColFilter(col);
    f->Condition = condition;
    f->CaseSensitive = it->FilterCaseSensitive;
    if (AutoFilterUpdate) {
        SetFilterActive(true);
        if (RowCount() > FixedRows()) SetRow(FixedRows());
        FireFilterDone();
    }
}

void TExColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExStringGrid::MouseDown(Button, Shift, X, Y);
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return;
    // The column's own item, also where hidden columns stand before it.
    c = RealCol(c);
    if (c >= ItemCount()) return;
    const TGridColumnItem* item = Item(c);
    if (!item->ColumnPopup()) return;
    const TColumnPopupType t = item->ColumnPopupType;
    bool matches = false;
    if (Button == mbLeft)
        matches = t == cpFixedCellsLClick || t == cpNormalCellsLClick || t == cpAllCellsLClick;
    else if (Button == mbRight)
        matches = t == cpFixedCellsRClick || t == cpNormalCellsRClick || t == cpAllCellsRClick;
    // The event comes for every press of the matching button, also in the
    // area where the menu does not open. The platform has no pop-up menu
    // control: the application shows its menu from the event.
    if (matches && OnColumnPopup) OnColumnPopup(this, c, r, item->ColumnPopup());
}

void TExColumnGrid::ColWidthsChanged()
{
    TExStringGrid::ColWidthsChanged();
    if (!FColumns || Loading() || Destroying()) return;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealCol(c);
        if (rc >= 0 && rc < FColumns->Count()) FColumns->Items(rc)->FWidth = ColWidths(c);
    }
}

int TExColumnGrid::GetEditLimit()
{
    const int c = Col();
    if (c < ItemCount() && c >= FixedCols()) {
        const int rc = RealCol(c);
        if (rc >= 0 && rc < ItemCount()) return Item(rc)->EditLength;
    }
    return TExStringGrid::GetEditLimit();
}

std::string TExColumnGrid::GetEditMask(int ACol, int ARow)
{
    std::string mask;
    if (ACol >= 0 && ACol < ItemCount() && ACol >= FixedCols()) {
        const int rc = RealCol(ACol);
        if (rc >= 0 && rc < ItemCount()) mask = Item(rc)->EditMask;
    }
    const std::string own = TExStringGrid::GetEditMask(ACol, ARow);
    if (!own.empty()) mask = own;
    return mask;
}
