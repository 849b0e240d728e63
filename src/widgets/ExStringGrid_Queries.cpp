// TExStringGrid: the per-cell questions the painter, the editors and the
// file code ask (colour, border, alignment, editor, editability, check
// texts, filter list, hint) and the event relays. Each question ends with
// the application's event when one is assigned.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridUtil.h"

#include <algorithm>
#include <vector>

// --- operations of the base grid ---------------------------------------------------------

bool TExStringGrid::IsFixed(int ACol, int ARow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    if (FixedFooters > 0 && b.Y >= RowCount() - FixedFooters) return true;
    if (FixedRightCols > 0 && Model().DisplCol(ACol) >= ColCount() - FixedRightCols) return true;
    bool fixed = false;
    IsFixedCell(ACol, ARow, fixed);
    return fixed;
}

int TExStringGrid::RowNodeIndent(int ARow) const
{
    if (!HasNodes()) return 0;
    const TCellProperties* p = FindCellProperties(0, ARow);
    return p ? p->NodeLevel * FParts->FCellNode->NodeIndent() : 0;
}

bool TExStringGrid::HasNodes() const { return FModel->FNodeCount > 0; }

void TExStringGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                    TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                    bool& WW, TCellGradientDirection& GD)
{
    TGridDrawState state;
    GetVisualProperties(ACol, ARow, state, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, AFont,
                        HA, VA, WW, GD);
    // A background drawn by the grid (fixed cells, bands, gradient
    // backgrounds, selection) is not taken into the cell's own looks.
    const TBackGroundDisplay bd = FParts->FBackGround->Display();
    if (IsFixed(ACol, ARow) || FParts->FBands->Active() || bd == bdGradientHorz || bd == bdGradientVert ||
        state.Contains(gdSelected)) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

bool TExStringGrid::HasCustomBorders() const { return static_cast<bool>(OnGetCellBorder); }

// The platform offers no class-library styles.
bool TExStringGrid::StylesActive() const { return false; }

int TExStringGrid::DisplColIndex(int ACol) const { return FModel->DisplCol(ACol); }

int TExStringGrid::TotalColCount() const { return AllColCount(); }

// --- the model's state as the grid's public face gives it ------------------------------------

TSortIndexList& TExStringGrid::SortIndexes() { return FModel->FSortIndexes; }
int TExStringGrid::NumHiddenColumns() const { return FModel->NumHiddenCols(); }
int TExStringGrid::NumHiddenRows() const { return FModel->NumHiddenRows(); }
int TExStringGrid::UpdateCount() const { return FModel->FUpdateLock.Count(); }
void TExStringGrid::StartUpdate() { FModel->FUpdateLock.Start(); }
bool TExStringGrid::LockUpdate() const { return FModel->FUpdateLock.Locked(); }
int TExStringGrid::NodeCount() const { return FModel->FNodeCount; }
int TExStringGrid::FilterLevel() const { return FModel->FHiddenRows.FilterLevel(); }
void TExStringGrid::SetFilterLevel(int Value) { FModel->FHiddenRows.SetFilterLevel(Value); }
int TExStringGrid::ModifiedRowCount() const { return FModel->FRowFlags.ModifiedCount(); }
TIntList& TExStringGrid::MergedColumns() { return FModel->FMergedColumns; }
TIntList& TExStringGrid::IgnoreColumns() { return FModel->FIgnoredColumns; }
bool TExStringGrid::IsIgnoredColumn(int ACol) const { return FModel->FIgnoredColumns.HasValue(ACol); }
int TExStringGrid::SortSwapCount() const { return FModel->Swaps; }
TIntList& TExStringGrid::SortRowXRef() { return FModel->FSortRowXRef; }
int TExStringGrid::GroupColumn() const { return FModel->FGroupColumn; }

// --- simple relays ---------------------------------------------------------------------------

std::string TExStringGrid::GetColumnFloatFormat(int /*ACol*/) { return FloatFormat; }

void TExStringGrid::FireGetEditorProp(int ACol, int ARow, TEditLink* AEditLink)
{
    if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
    if (OnGetEditorPropInt) OnGetEditorPropInt(this, ARow, ACol);
}

void TExStringGrid::FireCheckBoxClick(int ACol, int ARow, bool State)
{
    if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

std::string TExStringGrid::GetExportCell(int ACol, int ARow) { return Cells(ACol, ARow); }

void TExStringGrid::FireCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TExStringGrid::FireSearchFooterAction(const std::string& Value, int ACol, int ARow, TSearchAction SearchAction)
{
    if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TExStringGrid::FireButtonClick(int ACol, int ARow)
{
    if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TExStringGrid::FireComboCloseUp(int ACol, int ARow)
{
    if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TExStringGrid::FireComboDropDown(int ACol, int ARow)
{
    if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TExStringGrid::SetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor) return;
    TCursor c = FParts->FCursor;
    OnGetCellCursor(this, ACol, ARow, X, Y, c);
    // The cell's cursor is shown, not remembered as the grid's own.
    FParts->FCursor = c;
    if (Host()) Host()->SetCursor(c);
}

void TExStringGrid::GetCellHint(int ACol, int ARow, std::string& AHint, WideString& AWideHint)
{
    if (OnGridHint) OnGridHint(this, ARow, ACol, AHint);
    if (OnGridWideHint) OnGridWideHint(this, ARow, ACol, AWideHint);
    if (!AWideHint.empty()) AHint = EncodeWideText(AWideHint);
}

void TExStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExStringGrid::GetColFormat(int ACol, TSortStyle& AStyle, std::string& aPrefix, std::string& aSuffix)
{
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, aPrefix, aSuffix);
}

void TExStringGrid::GetCellSpinEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExStringGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TExStringGrid::GetCellWordWrap(int ACol, int ARow, bool& WordWrap)
{
    if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

void TExStringGrid::FireCanAddRow(bool& CanAdd)
{
    if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TExStringGrid::FireCanInsertRow(int ARow, bool& CanInsert)
{
    if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

void TExStringGrid::AppendRow() { SetRowCount(RowCount() + 1); }

void TExStringGrid::IsDesigningQuery(bool& IsDesigning) { IsDesigning = Designing(); }

void TExStringGrid::InvalidateQuery() { Invalidate(); }

void TExStringGrid::DisableEditing() { SetOptions(Options() - goEditing); }

void TExStringGrid::GotoFirstRow() { SetRow(FixedRows()); }

bool TExStringGrid::AllowFormattedClipboard() { return FParts->FNavigation->AllowFmtClipboard; }

TCustomImageList* TExStringGrid::GetGridImages() { return FParts->FGridImages; }

// --- per-cell questions ----------------------------------------------------------------------

void TExStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (ActiveCellShow) {
        const int d = Model().DisplCol(ACol);
        const bool rowHeader = ARow == Row() && FixedCols() > 0 && d == FixedCols() - 1;
        const bool colHeader = d == Col() && FixedRows() > 0 && ARow == FixedRows() - 1;
        if (rowHeader || colHeader) {
            AFont->Assign(FParts->FActiveCellFont);
            ABrush->SetColor(ActiveCellColor);
        }
    }
    if (const TCellProperties* p = FindCellProperties(ACol, ARow)) {
        switch (GetCellType(ACol, ARow)) {
        case ctIcon:
        case ctNone:
        case ctImageList:
        case ctEmpty:
        case ctImages:
        case ctComment:
            // Check boxes, buttons and the other kinds draw their own
            // background.
            if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            break;
        default: break;
        }
        if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        if (!p->FontStyle.Empty()) AFont->SetStyle(p->FontStyle);
        if (p->FontSize != 0) AFont->SetSize(p->FontSize);
        if (!p->FontName.empty()) AFont->SetName(p->FontName);
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExStringGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (FParts->FGrouping->HeaderUnderline && ACol > 0 && IsNodeRow(ARow)) {
        Borders = CellBorderBit(cbBottom);
        APen->SetColor(FParts->FGrouping->HeaderLineColor);
        APen->SetWidth(FParts->FGrouping->HeaderLineWidth);
    }
    if (FParts->FGrouping->SummaryLine && ACol > 0 && IsSummary(ARow)) {
        Borders = CellBorderBit(cbTop);
        APen->SetColor(FParts->FGrouping->SummaryLineColor);
        APen->SetWidth(FParts->FGrouping->SummaryLineWidth);
    }
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExStringGrid::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && FParts->FMouseActions->HotmailRowSelect()) HAlign = TAlignment::taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

bool TExStringGrid::IsCellEditorNone(int ACol, int ARow)
{
    if (!OnGetEditorType) return false;
    TEditorType e = edNormal;
    OnGetEditorType(this, ACol, ARow, e);
    return e == edNone;
}

void TExStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) const
{
    IsFixed = IsFixed || (FixedRowAlways && ARow < FParts->FFixedRowsMin && RowCount() == FParts->FFixedRowsMin) ||
              (FixedColAlways && ACol < FParts->FFixedColsMin && ColCount() == FParts->FFixedColsMin) || ACol < FixedCols() ||
              ARow < FixedRows();
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(const_cast<TExStringGrid*>(this), ARow, ACol, IsFixed);
}

void TExStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    const TPoint b = BaseCell(ACol, ARow);
    if (HasCellProperties(b.X, b.Y) && CanEdit) {
        CanEdit = !ReadOnly(b.X, b.Y);
        if (!(Options().Contains(goEditing) || FParts->FEditDisable || FParts->FMouseActions->RangeSelectAndEdit)) CanEdit = false;
    }
    if (b.X < ColCount() + NumHiddenColumns())
        FireCanEditCell(b.X, b.Y, CanEdit);
    else
        CanEdit = true;
}

bool TExStringGrid::HasCombo(int ACol, int ARow)
{
    if (OnHasComboBox) {
        bool has = false;
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    if (!FParts->FControlLook->DropDownAlwaysVisible()) return false;
    TEditorType e = DefaultEditor;
    GetCellEditor(ACol, ARow, e);
    return e == edComboEdit || e == edComboList;
}

bool TExStringGrid::HasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    if (OnHasSpinEdit) {
        bool has = false;
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (!FParts->FControlLook->SpinButtonsAlwaysVisible()) return false;
    TEditorType e = DefaultEditor;
    GetCellSpinEditor(ACol, ARow, e);
    return e == edSpinEdit || e == edFloatSpinEdit || e == edTimeSpinEdit || e == edDateSpinEdit;
}

std::string TExStringGrid::GetCheckTrue(int ACol, int ARow)
{
    std::string v = CheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, v);
    return v;
}

std::string TExStringGrid::GetCheckFalse(int ACol, int ARow)
{
    std::string v = CheckFalse;
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, v);
    return v;
}

namespace {

// An entry of a filter list: a text with a blank carries its own condition.
std::string FilterEntry(const std::string& t)
{
    if (t.find(' ') == std::string::npos) return t;
    return t + "=\"" + t + "\"";
}

} // namespace

bool TExStringGrid::GetColumnFilter(int ACol)
{
    FParts->FFilterList.Clear();
    if (FilterDropDownAuto && (ACol >= FixedCols() || FilterDropDownColumns == fdAll)) {
        // Sorted without case, duplicates (without case) dropped, as a
        // sorted string list that ignores duplicates.
        std::vector<std::pair<std::string, std::string>> entries; // key, entry
        auto add = [&](const std::string& e) {
            std::string key = AnsiUpperCase(e);
            auto it = std::lower_bound(entries.begin(), entries.end(), key,
                                       [](const auto& a, const std::string& k) { return a.first < k; });
            if (it != entries.end() && it->first == key) return;
            entries.insert(it, {std::move(key), e});
        };
        for (int r = FixedRows(); r < RowCount() - FixedFooters; ++r) add(FilterEntry(Trim(Cells(ACol, r))));
        if (!FilterIncremental)
            for (int h = 0; h < NumHiddenRows(); ++h) add(FilterEntry(HiddenRowCell(ACol, h)));
        for (const auto& e : entries) FParts->FFilterList.Add(e.second);
        if (!FilterDropDownClear.empty()) FParts->FFilterList.Insert(0, FilterDropDownClear);
    }
    if (OnGetColumnFilter) OnGetColumnFilter(this, ACol, &FParts->FFilterList);
    return FParts->FFilterList.Count() > 0;
}
