// TExStringGrid: cell accessors by real row, per-cell looks, the current
// cell, column stretch, size notifications and listeners.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "platform/GridView.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridUtil.h"

#include "platform/Forms.h"

#include <algorithm>
#include <cmath>

void TExStringGrid::SetCursor(TCursor c)
{
    FParts->FCursor = c;
    FParts->FOldCursor = c;
    if (Host()) Host()->SetCursor(c);
}

void TExStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    // The string grid drops the rows cut off by a smaller row count with
    // their cells; their property objects (and graphics) go first, or
    // nothing would free them.
    if (RowCount() < OldRowCount && HasCellProps) {
        const int cols = std::max({AllColCount(), OldColCount, FParts->FMaxColCount});
        FreeCellProperties(0, RowCount(), cols - 1, OldRowCount - 1);
    }
    // The stretch column fills the client width again (a stretch column the
    // smaller grid no longer has is left alone rather than raising here).
    if (FParts->FColumnSize && FParts->FColumnSize->Stretch() && FParts->FColumnSize->StretchColumn >= -1 &&
        FParts->FColumnSize->StretchColumn < ColCount())
        StretchColumnIndex(FParts->FColumnSize->StretchColumn);
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    FParts->NoteCounts();
    UpdateFooter();
}


// --- rows by real index ------------------------------------------------------------------

namespace {

// The displayed row a real row has (itself while no row is hidden).
int DisplayedRow(const TExStringGrid& g, int ARow)
{
    return g.NumHiddenRows() == 0 ? ARow : g.Model().DisplRow(ARow);
}

// The real column of the current column (itself while none is hidden).
int RealCurrentCol(const TExStringGrid& g)
{
    return g.NumHiddenColumns() == 0 ? g.Col() : g.Model().RealCol(g.Col());
}

} // namespace

const THiddenRowItem* TExStringGridPrivate::GetHiddenRowItems(int ARow) const
{
    return G.NumHiddenRows() == 0 ? nullptr : G.Model().FHiddenRows.Find(ARow);
}

std::string TExStringGrid::AllCells(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0) return {};
    std::string s;
    if (NumHiddenRows() > 0 && FModel->FHiddenRows.CellText(ACol, ARow, s)) {
        FireGetDisplText(ACol, ARow, s);
        return s;
    }
    return Cells(ACol, DisplayedRow(*this, ARow));
}

std::string TExStringGrid::AllGridCells(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0) return {};
    std::string s;
    if (NumHiddenRows() > 0 && FModel->FHiddenRows.CellText(ACol, ARow, s)) return s;
    return GetGridCell(ACol, DisplayedRow(*this, ARow));
}

void TExStringGrid::SetAllCells(int ACol, int ARow, const std::string& Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (FParts->GetHiddenRowItems(ARow)) {
        // The saved texts grow up to the column when they end before it
        // (a displayed row keeps cells beyond the columns too).
        FModel->FHiddenRows.SetCellText(ACol, ARow, Value);
        return;
    }
    const int r = DisplayedRow(*this, ARow);
    SetCells(ACol, r, Value);
    const int d = Model().DisplCol(ACol);
    if (d != ACol) RepaintCell(d, r);
}

void TExStringGrid::SetAllGridCells(int ACol, int ARow, const std::string& Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (FParts->GetHiddenRowItems(ARow)) {
        // As AllCells: a hidden row whose saved texts end before the column
        // gets the missing entries, the value is never dropped.
        FModel->FHiddenRows.SetCellText(ACol, ARow, Value);
        return;
    }
    const int r = DisplayedRow(*this, ARow);
    SetGridCell(ACol, r, Value);
    const int d = Model().DisplCol(ACol);
    if (d != ACol) RepaintCell(d, r);
}

WideString TExStringGrid::AllWideCells(int ACol, int ARow) const { return DecodeWideText(AllCells(ACol, ARow)); }

void TExStringGrid::SetAllWideCells(int ACol, int ARow, const WideString& Value)
{
    SetAllCells(ACol, ARow, EncodeWideText(Value));
}

std::uintptr_t TExStringGrid::AllObjects(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0) return 0;
    if (FParts->GetHiddenRowItems(ARow)) {
        const auto* p = dynamic_cast<const TCellProperties*>(HiddenRowObject(ACol, ARow));
        return p ? p->CellObject : 0;
    }
    return GetObjectEx(ACol, DisplayedRow(*this, ARow));
}

void TExStringGrid::SetAllObjects(int ACol, int ARow, std::uintptr_t Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (FParts->GetHiddenRowItems(ARow)) {
        // Only a saved property object can take a user object: the slot
        // itself holds objects the grid owns.
        if (auto* p = dynamic_cast<TCellProperties*>(HiddenRowObject(ACol, ARow))) p->CellObject = Value;
        return;
    }
    SetObjectEx(ACol, DisplayedRow(*this, ARow), Value);
}

int TExStringGrid::SortedRowIndex(int ARow) const
{
    const int k = ARow >= 0 && ARow < FModel->FSortedRows.Count() ? FModel->FSortedRows.Items(ARow) : ARow;
    return NumHiddenRows() == 0 ? k : Model().RealRow(k);
}

int TExStringGrid::UnSortedRowIndex(int ARow) const
{
    if (FModel->FSortedRows.Count() == 0) return ARow;
    for (int k = 0; k < FModel->FSortedRows.Count(); ++k)
        if (FModel->FSortedRows.Items(k) == ARow) return k;
    return FModel->FSortedRows.Count();
}

namespace {

int UnsortedPosition(const TIntList& xref, int ARow)
{
    if (xref.Count() == 0 || xref.Count() < ARow) return ARow;
    for (int k = 0; k < xref.Count(); ++k)
        if (xref.Items(k) == ARow) return k;
    return xref.Count();
}

} // namespace

std::string TExStringGrid::UnSortedCells(int ACol, int ARow) const
{
    return Cells(ACol, UnsortedPosition(FModel->FSortedRows, ARow));
}

void TExStringGrid::SetUnSortedCells(int ACol, int ARow, const std::string& Value)
{
    SetCells(ACol, UnsortedPosition(FModel->FSortedRows, ARow), Value);
}

// --- per-cell looks ---------------------------------------------------------------------

namespace {

// The property object a look is written into: created on first use, never
// for a cell outside the grid (nothing would ever free it there).
TCellProperties* LookProps(TExStringGrid& g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= g.AllColCount() || ARow >= g.RowCount()) return nullptr;
    return g.GetCellProperties(ACol, ARow);
}

} // namespace

TColor TExStringGrid::Colors(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->BrushColor() : clNone;
}

void TExStringGrid::SetColors(int ACol, int ARow, TColor Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->SetBrushColor(Value);
    if (UpdateCount() == 0) RepaintCell(Model().DisplCol(ACol), ARow);
}

TColor TExStringGrid::ColorsTo(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->BrushColorTo() : clNone;
}

void TExStringGrid::SetColorsTo(int ACol, int ARow, TColor Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->SetBrushColorTo(Value);
    RepaintCell(Model().DisplCol(ACol), ARow);
}

TCellGradientDirection TExStringGrid::Gradients(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GradientDirection : GradientVertical;
}

void TExStringGrid::SetGradients(int ACol, int ARow, TCellGradientDirection Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->GradientDirection = Value;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

bool TExStringGrid::ReadOnly(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && p->ReadOnly;
}

void TExStringGrid::SetReadOnly(int ACol, int ARow, bool Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->ReadOnly = Value;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

bool TExStringGrid::WordWraps(int ACol, int ARow)
{
    if (TCellProperties* p = LookProps(*this, ACol, ARow)) return p->WordWrap();
    return WordWrap;
}

void TExStringGrid::SetWordWraps(int ACol, int ARow, bool Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->SetWordWrap(Value);
    RepaintCell(Model().DisplCol(ACol), ARow);
}

TColor TExStringGrid::FontColors(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->FontColor : clNone;
}

void TExStringGrid::SetFontColors(int ACol, int ARow, TColor Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->FontColor = Value;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

TFontStyles TExStringGrid::FontStyles(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->FontStyle : TFontStyles();
}

void TExStringGrid::SetFontStyles(int ACol, int ARow, TFontStyles Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->FontStyle = Value;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

std::string TExStringGrid::FontNames(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->FontName : std::string();
}

void TExStringGrid::SetFontNames(int ACol, int ARow, const std::string& Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->FontName = Value;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

int TExStringGrid::FontSizes(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->FontSize : 0;
}

void TExStringGrid::SetFontSizes(int ACol, int ARow, int Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->FontSize = Value;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

TAlignment TExStringGrid::Alignments(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->Alignment : TAlignment::taLeftJustify;
}

void TExStringGrid::SetAlignments(int ACol, int ARow, TAlignment Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->Alignment = Value;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

TFont& TExStringGrid::Fonts(int ACol, int ARow)
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p) return Font();
    FParts->FScratchFont.SetName(p->FontName);
    FParts->FScratchFont.SetSize(p->FontSize);
    FParts->FScratchFont.SetStyle(p->FontStyle);
    FParts->FScratchFont.SetColor(p->FontColor);
    return FParts->FScratchFont;
}

void TExStringGrid::SetFonts(int ACol, int ARow, const TFont& Value)
{
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    p->FontName = Value.Name();
    p->FontSize = Value.Size();
    p->FontStyle = Value.Style();
    p->FontColor = Value.Color();
    if (UpdateCount() == 0) RepaintCell(Model().DisplCol(ACol), ARow);
}

int TExStringGrid::LinesInCell(int ACol, int ARow) const { return TextLineCount(Cells(ACol, ARow), true); }

TObject* TExStringGrid::CellControls(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->Control : nullptr;
}

void TExStringGrid::SetCellControls(int ACol, int ARow, TObject* Value)
{
    const int realRow = NumHiddenRows() == 0 ? ARow : Model().RealRow(ARow);
    if (!Value) {
        TCellProperties* p = FindCellProperties(ACol, ARow);
        if (!p) return;
        if (p->Control) {
            const int i = FParts->FControlList.ControlIndex(ACol, realRow);
            if (i >= 0) FParts->FControlList.RemoveControl(i);
            FParts->FCellControlCount = std::max(FParts->FCellControlCount - 1, 0);
        }
        // The control itself stays where it is: it is not the grid's.
        p->Control = nullptr;
        return;
    }
    TCellProperties* p = LookProps(*this, ACol, ARow);
    if (!p) return;
    const int i = FParts->FControlList.ControlIndex(ACol, realRow);
    if (i >= 0) FParts->FControlList.RemoveControl(i);
    if (!p->Control) ++FParts->FCellControlCount;
    FParts->FControlList.AddControl(ACol, realRow, Value);
    p->Control = Value;
}

// --- looks of a whole row -------------------------------------------------------------

void TExStringGrid::SetRowColor(int ARow, TColor Value)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            TCellProperties* p = FindCellProperties(c, ARow);
            if (!p) continue;
            // Cells with a graphic (check boxes ...) keep their property
            // object; the others lose it.
            if (p->GraphicObject)
                p->SetBrushColor(clNone);
            else
                FreeCellProperties(c, ARow, c, ARow);
        } else if (TCellProperties* p = LookProps(*this, c, ARow)) {
            p->SetBrushColor(Value);
        }
    }
    InvalidateRow(ARow);
}

void TExStringGrid::SetRowColorTo(int ARow, TColor Value)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone)
            FreeCellProperties(c, ARow, c, ARow); // graphics and merges go with it
        else if (TCellProperties* p = LookProps(*this, c, ARow))
            p->SetBrushColorTo(Value);
    }
    InvalidateRow(ARow);
}

void TExStringGrid::SetRowFontColor(int ARow, TColor Value)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            TCellProperties* p = FindCellProperties(c, ARow);
            if (!p) continue;
            // A cell with a graphic keeps it: its check box is data.
            if (p->GraphicObject || p->BrushColor() != clNone)
                p->FontColor = clNone;
            else
                FreeCellProperties(c, ARow, c, ARow);
        } else if (TCellProperties* p = LookProps(*this, c, ARow)) {
            p->FontColor = Value;
        }
    }
    InvalidateRow(ARow);
}

// --- the current cell -------------------------------------------------------------------

std::string TExStringGrid::ReadCurrentCell()
{
    const TPoint b = BaseCell(RealCurrentCol(*this), Row());
    return GetGridCell(b.X, b.Y);
}

void TExStringGrid::WriteCurrentCell(const std::string& Value)
{
    const TPoint b = BaseCell(RealCurrentCol(*this), Row());
    SetCells(b.X, b.Y, Value);
}

std::string TExStringGrid::GetCurrentCellText()
{
    const TPoint b = BaseCell(RealCurrentCol(*this), Row());
    return Cells(b.X, b.Y);
}

void TExStringGrid::SetCurrentEditText(const std::string& Value)
{
    const TPoint b = BaseCell(RealCurrentCol(*this), Row());
    const bool isBase = b.X == RealCurrentCol(*this) && b.Y == Row();
    if (isBase)
        SetEditText(Col(), Row(), Value);
    else
        SetEditText(Model().DisplCol(b.X), b.Y, Value);
}

int TExStringGrid::GetRealCol() const { return RealCurrentCol(*this); }

namespace {

// Sets a flag for the duration of a scope (also when it is left by an
// exception).
class TFlagScope {
public:
    explicit TFlagScope(bool& f) : flag(f), old(f) { flag = true; }
    ~TFlagScope() { flag = old; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag;
    bool old;
};

} // namespace

void TExStringGrid::SetRowEx(int ARow)
{
    {
        TFlagScope inSetter(FParts->FInCurrentSetter);
        if (Col() < 0 || Col() >= ColCount()) MoveToCell(FixedCols(), ARow);
        TCustomGrid::SetRow(ARow);
    }
    FParts->CurrentRowSet();
}

void TExStringGrid::SetCol(int ACol)
{
    {
        TFlagScope inSetter(FParts->FInCurrentSetter);
        TCustomGrid::SetCol(ACol);
    }
    FParts->CurrentColSet();
}

void TExStringGridPrivate::CurrentRowSet()
{
    const int r = G.Row();
    if (r < 0 || r >= G.RowCount()) return;
    if (r != FLastRow) {
        const int old = FLastRow;
        FLastRow = r;
        if (G.OnRowChanged) G.OnRowChanged((&G), old, r);
    }
    if (FMouseActions->DisjunctRowSelect()) G.SyncRowSelect(false);
    // The linked grid follows (and does not lead this grid back).
    if (FSyncGrid->SelectionRow && !FSyncingLinked)
        if (auto* other = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid());
            other && other != (&G) && r < other->RowCount()) {
            TFlagScope syncing(FSyncingLinked);
            other->SetRowEx(r);
        }
}

void TExStringGridPrivate::CurrentColSet()
{
    const int c = G.Col();
    if (c < 0 || c >= G.ColCount()) return;
    FLastCol = c;
    if (FSyncGrid->SelectionColumn && !FSyncingLinked)
        if (auto* other = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid());
            other && other != (&G) && c < other->ColCount()) {
            TFlagScope syncing(FSyncingLinked);
            other->SetCol(c);
        }
}

void TExStringGrid::SelectionMoved(const TGridRect& OldSel)
{
    TBaseGrid::SelectionMoved(OldSel);
    // The footer may preview the current row.
    UpdateFooter();
    // The setters finish their own steps; a selection moved out of the
    // grid (hidden) reports nothing.
    if (FParts->FInCurrentSetter || FParts->FDestroyingGrid || !FParts->FMouseActions) return;
    if (Row() != FParts->FLastRow) FParts->CurrentRowSet();
    if (Col() != FParts->FLastCol) FParts->CurrentColSet();
}

// --- column widths by real index ---------------------------------------------------------

int TExStringGrid::AllColWidths(int ACol) const
{
    if (IsHiddenColumn(ACol)) return FModel->FHiddenCols.SavedWidth(ACol);
    return ColWidths(Model().DisplCol(ACol));
}

void TExStringGrid::SetAllColWidths(int ACol, int Value)
{
    if (ACol < 0) return;
    if (IsHiddenColumn(ACol)) {
        // Kept for the column's return.
        FModel->FHiddenCols.SetSavedWidth(ACol, Value);
        return;
    }
    const int d = Model().DisplCol(ACol);
    if (d >= 0 && d < ColCount()) SetColWidths(d, Value);
}

TObject* TExStringGridPrivate::GetRealRowObject(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0) return nullptr;
    if (GetHiddenRowItems(ARow)) return G.HiddenRowObject(ACol, ARow);
    return G.GetGridObject(ACol, DisplayedRow(G, ARow));
}

// --- column stretch and size ------------------------------------------------------------

void TExStringGrid::StretchColumnIndex(int Index)
{
    if (Loading() || FParts->FDestroyingGrid) return;
    // An index below -1 would reach the width store: refused like one
    // beyond the last column.
    if (Index < -1) throw EExGridError("Stretch column index out of range");
    if (Index == -1) Index = ColCount() - 1;
    if (Index >= ColCount()) throw EExGridError("Stretch column index out of range");
    if (ColCount() == 0 || !FParts->FColumnSize->Stretch() || FParts->FStretching) return;
    struct Guard {
        TExStringGrid& g;
        explicit Guard(TExStringGrid& x) : g(x)
        {
            g.Parts().FStretching = true;
            g.Parts().FStretchAllowed = false;
        }
        ~Guard()
        {
            g.Parts().FStretchAllowed = true;
            g.Parts().FStretching = false;
        }
    } guard(*this);
    const int client = ClientWidth();
    if (ColCount() == 1) {
        SetColWidths(0, client);
        return;
    }
    int others = 0;
    for (int c = 0; c < ColCount(); ++c)
        if (c != Index) others += ColWidths(c);
    if (others < client)
        SetColWidths(Index, client - others - 1);
    else if (LeftCol() == FixedCols())
        SetColWidths(Index, DefaultColWidth());
}

void TExStringGrid::ColWidthsChanged()
{
    if (FParts->FStretchAllowed && FParts->FColumnSize->Stretch()) StretchColumnIndex(FParts->FColumnSize->StretchColumn);
    TBaseGrid::ColWidthsChanged();
    CellControlsUpdate(false);
    UpdateFooter();
    const int c = FParts->Input.FClickCol;
    if (!FParts->Input.FColSized || c < 0 || c >= ColCount()) return;
    // Widths set from here on are not user sizing and do not scale again.
    FParts->Input.FColSized = false;
    // A column dragged down to nothing does not take all the others along.
    if (FParts->FMouseActions->AllColumnSize && FParts->Input.FClickColSize > 0 && ColWidths(c) > 0) {
        const double factor = static_cast<double>(ColWidths(c)) / FParts->Input.FClickColSize;
        for (int i = FixedCols(); i < ColCount(); ++i)
            if (i != c) SetColWidths(i, static_cast<int>(std::nearbyint(ColWidths(i) * factor)));
    }
    if (OnEndColumnSize) OnEndColumnSize(this, c);
    int w = ColWidths(c);
    UpdateColumnSize(c, w);
    if (w != ColWidths(c) && c < ColCount()) {
        SetColWidths(c, w);
        FParts->Input.FColSized = true;
    } else {
        FParts->Input.FClickCol = -1;
        FParts->Input.FClickRow = -1;
    }
}

void TExStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    CellControlsUpdate(false);
    const int r = FParts->Input.FClickRow;
    if (!FParts->Input.FRowSized || r < 0 || r >= RowCount()) return;
    FParts->Input.FRowSized = false;
    if (FParts->FMouseActions->AllRowSize && FParts->Input.FClickRowSize > 0 && RowHeights(r) > 0) {
        const double factor = static_cast<double>(RowHeights(r)) / FParts->Input.FClickRowSize;
        for (int i = FixedRows(); i < RowCount(); ++i)
            if (i != r) SetRowHeights(i, static_cast<int>(std::nearbyint(RowHeights(i) * factor)));
    }
    if (OnEndRowSize) OnEndRowSize(this, r);
    FParts->Input.FClickCol = -1;
    FParts->Input.FClickRow = -1;
}

void TExStringGrid::InitOrigColSizes()
{
    FParts->FOrigColSizes.Clear();
    for (int c = 0; c < ColCount(); ++c) FParts->FOrigColSizes.Add(ColWidths(c));
    FParts->FOrigGridWidth = Width();
}

void TExStringGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TExStringGrid::SetIntegralHeight(bool Value)
{
    IntegralHeight = Value;
    if (View())
        SetBounds(Left(), Top(), View()->Width(), View()->Height());
    else
        SetBounds(Left(), Top(), Width(), Height());
}

void TExStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (IntegralHeight && UpdateCount() == 0 && DefaultRowHeight() > 0) {
        const int h = VisibleColCount() + FixedCols() < ColCount() ? TExStringGridPrivate::SystemHScrollHeight : 0;
        const int b = FParts->SingleBorder ? 2 : 0;
        const int t = AHeight - h - b;
        AHeight = h + (t - t % DefaultRowHeight()) + 2 * b;
    }
    // On a window: its outer bounds; without one the size of the cell area.
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// --- listeners ----------------------------------------------------------------------------

void TExStringGrid::RegisterNotifier(TGridChangeNotifier* Item)
{
    if (!Item || std::find(FParts->FNotifiers.begin(), FParts->FNotifiers.end(), Item) != FParts->FNotifiers.end()) return;
    FParts->FNotifiers.push_back(Item);
    FreeNotification(Item);
}

void TExStringGrid::UnRegisterNotifier(TGridChangeNotifier* Item)
{
    auto it = std::find(FParts->FNotifiers.begin(), FParts->FNotifiers.end(), Item);
    if (it == FParts->FNotifiers.end()) return;
    FParts->FNotifiers.erase(it);
    RemoveFreeNotification(Item);
}

// --- item list of the shared combo editor ---------------------------------------------------

void TExStringGrid::ClearComboString()
{
    FParts->Edit.FComboItems.Clear();
    FParts->Edit.FComboObjects.clear();
}

void TExStringGrid::AddComboString(const std::string& s) { AddComboStringObject(s, nullptr); }

void TExStringGrid::AddComboStringObject(const std::string& s, TObject* AObject)
{
    FParts->Edit.FComboItems.Add(s);
    FParts->Edit.FComboObjects.push_back(AObject);
}

bool TExStringGrid::RemoveComboString(const std::string& s)
{
    const int i = FParts->Edit.FComboItems.IndexOf(s);
    if (i < 0) return false;
    FParts->Edit.FComboItems.Delete(i);
    FParts->Edit.FComboObjects.erase(FParts->Edit.FComboObjects.begin() + i);
    return true;
}

bool TExStringGrid::SetComboSelectionString(const std::string& s)
{
    const int i = FParts->Edit.FComboItems.IndexOf(s);
    if (i < 0) return false;
    FParts->Edit.FComboIndex = i;
    return true;
}

TObject* TExStringGrid::ComboObject(int idx) const
{
    if (idx < 0 || idx >= static_cast<int>(FParts->Edit.FComboObjects.size())) RaiseListIndexError(idx);
    return FParts->Edit.FComboObjects[static_cast<std::size_t>(idx)];
}

int TExStringGrid::ComboIndex(int ACol, int ARow)
{
    FireGetEditorProp(ACol, ARow, nullptr);
    return FParts->Edit.FComboItems.IndexOf(Cells(ACol, ARow));
}

void TExStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    FireGetEditorProp(ACol, ARow, nullptr);
    if (Value < 0 || Value >= FParts->Edit.FComboItems.Count()) return;
    SetCells(ACol, ARow, FParts->Edit.FComboItems[Value]);
}

bool GridIsPasswordCell(TExStringGrid* Grid, int ACol, int ARow)
{
    bool pw = false;
    if (Grid) Grid->IsPasswordCell(ACol, ARow, pw);
    return pw;
}

// --- zoom, editor kind, hints, look colours, scaling ------------------------------------------

void TExStringGrid::Zoom(int x)
{
    const int z = ZoomFactor + x;
    if (z > 10 || z < -10) return;
    ZoomFactor = z;
    // Sizes of 0 (columns or rows hidden by their size) stay 0.
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + x > 0) SetColWidths(c, ColWidths(c) + x);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + x > 0) SetRowHeights(r, RowHeights(r) + x);
}

namespace {
// The class library's hint window class is one for the whole program.
bool g_htmlHintWindows = false;
} // namespace

void TExStringGrid::SetUseHTMLHints(bool Value)
{
    FParts->FUseHTMLHints = Value;
    g_htmlHintWindows = Value;
}

bool TExStringGrid::HTMLHintWindowsInUse() { return g_htmlHintWindows; }

void TExStringGrid::SetNUVGradientFrom(TColor Value)
{
    FParts->FNUVGradientFrom = ColorToRGB(Value);
    Invalidate();
}

void TExStringGrid::SetNUVGradientTo(TColor Value)
{
    FParts->FNUVGradientTo = ColorToRGB(Value);
    Invalidate();
}

void TExStringGrid::SetNUVGradientMirrorFrom(TColor Value)
{
    FParts->FNUVGradientMirrorFrom = ColorToRGB(Value);
    Invalidate();
}

void TExStringGrid::SetNUVGradientMirrorTo(TColor Value)
{
    FParts->FNUVGradientMirrorTo = ColorToRGB(Value);
    Invalidate();
}

void TExStringGrid::SetBorderColor(TColor Value)
{
    if (Value == FParts->FBorderColor) return;
    FParts->FBorderColor = Value;
    // The border belongs to the grid's window.
    if (Host() && Host()->HasWindow()) Invalidate();
}

void TExStringGrid::SetArrowColor(TColor Value) { FParts->FArrowColor = Value; }

void TExStringGrid::ChangeScale(int M, int D)
{
    if (D == 0 || M == D) return;
    auto scale = [M, D](TFont& f) {
        f.SetSize(static_cast<int>(std::lround(static_cast<double>(f.Size()) * M / D)));
    };
    scale(FParts->FFixedFont);
    scale(FParts->FActiveCellFont);
}

// --- merged columns -------------------------------------------------------------------------

void TExStringGridPrivate::SplitAllColumnCells()
{
    for (int c = 0; c < G.ColCount(); ++c) G.SplitColumnCells(c);
}

void TExStringGridPrivate::RemergeColumns()
{
    for (int i = 0; i < G.FModel->FMergedColumns.Count(); ++i) G.MergeColumnCells(G.FModel->FMergedColumns.Items(i), i == 0);
}

// --- the form a control is on ------------------------------------------------------------------

TForm* FindParentForm(TControl* AControl)
{
    for (TControl* c = AControl; c; c = c->Parent())
        if (auto* f = dynamic_cast<TForm*>(c)) return f;
    return nullptr;
}

// --- size changes -------------------------------------------------------------------------

void TExStringGrid::Resize()
{
    FParts->SynchColumnWidths();
    TBaseGrid::Resize();
    CellControlsUpdate(false);
    if (OnGridResize) OnGridResize(this);
    // A gradient background spans the whole window: a new size repaints it.
    if ((FParts->FBackGround->Display() == bdGradientHorz || FParts->FBackGround->Display() == bdGradientVert) &&
        FParts->FBackGround->ColorTo() != clNone)
        Invalidate();
    UpdateScrollBarsAlways(false);
}

void TExStringGrid::UpdateScrollBarsAlways(bool Force)
{
    if (ScrollBarAlways != saNone) {
        // A kept bar shows also while its content fits (greyed then); the
        // other bar shows only when its content does not fit.
        SetScrollBarsKept(ScrollBarAlways == saHorz || ScrollBarAlways == saBoth,
                          ScrollBarAlways == saVert || ScrollBarAlways == saBoth);
    } else if (Force) {
        SetScrollBarsKept(false, false);
    }
}

// --- scrolling while dragging --------------------------------------------------------------

void TExStringGrid::DragOver(TObject* /*Source*/, int X, int Y, TDragState State, bool& /*Accept*/)
{
    if (!FParts->FDragScrollOptions->Active) {
        FParts->FDragScrollTimer.reset();
        FParts->FDragScrollDir = {};
        return;
    }
    const TDragScrollDir previous = FParts->FDragScrollDir;
    FParts->FDragScrollDir = {};
    if (State == dsDragLeave) {
        FParts->FDragScrollTimer.reset();
        return;
    }
    const TDragScrollMargins& m = FParts->FDragScrollOptions->Margins();
    if (Y < m.TopMargin) FParts->FDragScrollDir.Include(sdUp);
    if (Y > Height() - m.BottomMargin) FParts->FDragScrollDir.Include(sdDown);
    if (X < m.LeftMargin) FParts->FDragScrollDir.Include(sdLeft);
    if (X > Width() - m.RightMargin) FParts->FDragScrollDir.Include(sdRight);
    if (FParts->FDragScrollDir.Empty()) {
        FParts->FDragScrollTimer.reset();
        return;
    }
    if (!FParts->FDragScrollTimer) {
        FParts->FDragScrollTimer = std::make_unique<TTimer>();
        FParts->FDragScrollTimer->SetEnabled(false);
        FParts->FDragScrollTimer->SetInterval(FParts->FDragScrollOptions->Delays().InitialDelay);
        FParts->FDragScrollTimer->SetOnTimer([this] { FParts->DragScrollTick(); });
        FParts->FDragScrollTimer->SetEnabled(true);
    } else if (previous.Empty()) {
        // Back at an edge: the first step waits the initial delay again.
        FParts->FDragScrollTimer->SetEnabled(false);
        FParts->FDragScrollTimer->SetInterval(FParts->FDragScrollOptions->Delays().InitialDelay);
        FParts->FDragScrollTimer->SetEnabled(true);
    }
}

void TExStringGridPrivate::DragScrollTick()
{
    if (!FDragScrollTimer) return;
    if (!FDragScrollOptions->Active) {
        // Switched off meanwhile: the timer stops here and goes with the
        // next drag event or the grid (it runs this very handler now).
        FDragScrollTimer->SetEnabled(false);
        return;
    }
    FDragScrollTimer->SetInterval(FDragScrollOptions->Delays().RepeatDelay);
    bool canScroll = true;
    if (G.OnDragScroll) G.OnDragScroll((&G), G.TopRow(), G.LeftCol(), FDragScrollDir, canScroll);
    if (!canScroll) return;
    if (FDragScrollDir.Contains(sdUp) && G.TopRow() > G.FixedRows()) G.SetTopRow(G.TopRow() - 1);
    if (FDragScrollDir.Contains(sdDown) && G.TopRow() + G.VisibleRowCount() < G.RowCount()) G.SetTopRow(G.TopRow() + 1);
    if (FDragScrollDir.Contains(sdLeft) && G.LeftCol() > G.FixedCols()) G.SetLeftCol(G.LeftCol() - 1);
    if (FDragScrollDir.Contains(sdRight) && G.LeftCol() + G.VisibleColCount() < G.ColCount()) G.SetLeftCol(G.LeftCol() + 1);
}
