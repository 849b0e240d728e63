#include "widgets/BaseGrid.h"

#include "widgets/CellGraphic.h"
#include "widgets/GridUndo.h"
#include "widgets/GridUtil.h"

#include <algorithm>

// --- TCellProperties ---------------------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : OwnerCol(ACol), OwnerRow(ARow), FOwnerGrid(AOwner), FWordWrap(AOwner ? AOwner->WordWrap : true)
{
    if (FOwnerGrid) FOwnerGrid->HasCellProps = true;
}

TCellProperties::~TCellProperties()
{
    auto* g = dynamic_cast<TCellGraphic*>(GraphicObject);
    if (g && !IsSharedCellGraphic(g)) delete g;
}

void TCellProperties::Repaint()
{
    if (FOwnerGrid) FOwnerGrid->RepaintCell(OwnerCol, OwnerRow);
}

void TCellProperties::SetBrushColor(TColor v)
{
    FBrushColor = v;
    Repaint();
}

void TCellProperties::SetBrushColorTo(TColor v)
{
    FBrushColorTo = v;
    Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    Repaint();
}

void TCellProperties::SetWordWrap(bool v)
{
    FWordWrap = v;
    Repaint();
}

void TCellProperties::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TCellProperties*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    IsBaseCell = s->IsBaseCell;
    CellSpanX = s->CellSpanX;
    CellSpanY = s->CellSpanY;
    OwnerRow = s->OwnerRow;
    OwnerCol = s->OwnerCol;
    CellObject = s->CellObject;
    Alignment = s->Alignment;
    BorderColor = s->BorderColor;
    BorderWidth = s->BorderWidth;
    FBrushColor = s->FBrushColor;
    BrushStyle = s->BrushStyle;
    FontColor = s->FontColor;
    FontStyle = s->FontStyle;
    FontName = s->FontName;
    FontSize = s->FontSize;
    ReadOnly = s->ReadOnly;
    Editor = s->Editor;
    FVAlignment = s->FVAlignment;
    FWordWrap = s->FWordWrap;
    NodeLevel = s->NodeLevel;
    Control = s->Control;
}

TPoint TCellProperties::GetBaseCell(int c, int r) const
{
    if (!IsBaseCell && CellSpanX != -1 && CellSpanY != -1) return {c - CellSpanX, r - CellSpanY};
    return {c, r};
}

// --- TBaseGrid: construction ------------------------------------------------------------

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    SetGridLineWidth(1); // also switches the platform grid's own lines off
    FGridLineColor = 0xC0C0C0;
    FGridFixedLineColor = 0x808080;
    FDefaultDrawing = false;
    TStringGrid::SetDefaultDrawing(false);
    NormalRowCount = RowCount();
    FMaxColCount = ColCount();
    FMaxRowCount = RowCount();
}

TBaseGrid::~TBaseGrid()
{
    FDestroying = true;
    // Cells beyond the current counts keep their objects in the store:
    // free up to the largest counts the grid ever had.
    FreeCellProperties(0, 0, std::max(ColCount(), FMaxColCount) - 1, std::max(RowCount(), FMaxRowCount) - 1);
}

void TBaseGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
    FMaxColCount = std::max({FMaxColCount, OldColCount, ColCount()});
    FMaxRowCount = std::max({FMaxRowCount, OldRowCount, RowCount()});
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
    TStringGrid::Notification(AComponent, Operation);
}

void TBaseGrid::SetUndoRedo(TExGridUndoRedo* x)
{
    if (FUndoRedo == x) return;
    if (FUndoRedo) {
        if (FUndoRedo->Grid() == this) FUndoRedo->SetGrid(nullptr);
        RemoveFreeNotification(FUndoRedo);
    }
    FUndoRedo = x;
    if (x) {
        x->SetGrid(this);
        x->FreeNotification(this);
    }
}

// --- settings ---------------------------------------------------------------------

void TBaseGrid::SetGridLineWidth(int v)
{
    FGridLineWidth = v;
    TStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor v)
{
    FGridLineColor = v;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor v)
{
    FGridFixedLineColor = v;
    Invalidate();
}

void TBaseGrid::SetActiveRowShow(bool v) { SetAndInvalidate(FActiveRowShow, v); }
void TBaseGrid::SetActiveRowColor(TColor v) { SetAndInvalidate(FActiveRowColor, v); }
void TBaseGrid::SetActiveRowColorTo(TColor v) { SetAndInvalidate(FActiveRowColorTo, v); }
void TBaseGrid::SetActiveRowMirrorColor(TColor v) { SetAndInvalidate(FActiveRowMirrorColor, v); }
void TBaseGrid::SetActiveRowMirrorColorTo(TColor v) { SetAndInvalidate(FActiveRowMirrorColorTo, v); }
void TBaseGrid::SetSelectionStyle(TGridSelectionStyle v) { SetAndInvalidate(FSelectionStyle, v); }
void TBaseGrid::SetHoverRowColor(TColor v) { FHoverRowColor = v; }
void TBaseGrid::SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }

// --- virtual defaults ---------------------------------------------------------------

bool TBaseGrid::IsFixed(int, int) const { return false; }
int TBaseGrid::RowNodeIndent(int) const { return 0; }
bool TBaseGrid::HasNodes() const { return false; }
void TBaseGrid::HiddenLastRowChanged() {}
void TBaseGrid::CellWritten(int, int) {}
bool TBaseGrid::HasCustomBorders() const { return false; }
bool TBaseGrid::StylesActive() const { return false; }
int TBaseGrid::DisplColIndex(int ACol) const { return ACol; }
int TBaseGrid::TotalColCount() const { return ColCount(); }

void TBaseGrid::FireGetDisplText(int ACol, int ARow, std::string& Value) const
{
    if (OnGetDisplText) OnGetDisplText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

void TBaseGrid::FireGetDisplWideText(int ACol, int ARow, WideString& Value) const
{
    if (OnGetDisplWideText) OnGetDisplWideText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(int, int, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                                TCellGradientDirection& GD)
{
    AFont->Assign(&Font());
    ABrush->SetColor(Color());
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    HA = TAlignment::taLeftJustify;
    VA = vtaTop;
    WW = WordWrap;
    GD = GradientVertical;
}

// --- raw store ------------------------------------------------------------------------

std::string TBaseGrid::GetGridCell(int c, int r) const { return TStringGrid::Cells(c, r); }
void TBaseGrid::SetGridCell(int c, int r, const std::string& Value) { TStringGrid::SetCells(c, r, Value); }
TObject* TBaseGrid::GetGridObject(int c, int r) const { return TStringGrid::Objects(c, r); }
void TBaseGrid::SetGridObject(int c, int r, TObject* Value) { TStringGrid::SetObjects(c, r, Value); }

TCellProperties* TBaseGrid::FindCellProperties(int c, int r) const
{
    if (c < 0 || r < 0) return nullptr;
    return dynamic_cast<TCellProperties*>(TStringGrid::Objects(c, r));
}

bool TBaseGrid::HasCellProperties(int c, int r) const
{
    if (c < 0 || c >= TotalColCount() || r < 0 || r >= RowCount()) return false;
    return TStringGrid::Objects(c, r) != nullptr;
}

// --- cells --------------------------------------------------------------------------

std::string TBaseGrid::GetCellEx(int c, int r) const
{
    int bc = c, br = r;
    if (HasCellProperties(c, r)) {
        if (const TCellProperties* p = FindCellProperties(c, r)) {
            const TPoint b = p->GetBaseCell(c, r);
            bc = b.X;
            br = b.Y;
        }
    }
    std::string value = GetGridCell(bc, br);
    if (br < NormalRowCount) {
        FireGetDisplText(bc, br, value);
        if (OnGetDisplWideText) {
            WideString w = DecodeWideText(value);
            FireGetDisplWideText(bc, br, w);
            value = EncodeWideText(w);
        }
    }
    return value;
}

void TBaseGrid::SetCellEx(int c, int r, const std::string& Value)
{
    const TCellProperties* p = HasCellProperties(c, r) ? FindCellProperties(c, r) : nullptr;
    if (p) {
        const TPoint b = p->GetBaseCell(c, r);
        SetGridCell(b.X, b.Y, Value);
        CellWritten(b.X, b.Y);
        if (HandleAllocated()) RepaintCell(c, r);
    } else {
        SetGridCell(c, r, Value);
    }
    if (HideLastRow && r + 1 == RowCount()) HiddenLastRowChanged();
}

TCellProperties* TBaseGrid::NewCellProperties(int c, int r, bool setCalcType)
{
    auto* p = new TCellProperties(this, c, r);
    SetGridObject(c, r, p);
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = TAlignment::taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = WordWrap;
    TCellGradientDirection gd = GradientVertical;
    GetCellDefaults(c, r, &font, &brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
    if (setCalcType) p->CalcType = acNONE;
    p->Alignment = ha;
    p->SetVAlignment(va);
    p->SetWordWrap(ww);
    p->FontName = font.Name();
    p->FontSize = font.Size();
    p->FontStyle = font.Style();
    p->FontColor = font.Color();
    p->SetBrushColor(brush.Color());
    p->SetBrushColorTo(colorTo);
    p->GradientDirection = gd;
    return p;
}

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    if (c < 0 || r < 0) {
        // Nothing can be stored at negative indices: hand out a detached
        // object so that callers never write into the store by mistake.
        FScratchProps = std::make_unique<TCellProperties>(this, c, r);
        return FScratchProps.get();
    }
    if (TCellProperties* p = FindCellProperties(c, r)) return p;
    if (GetGridObject(c, r) != nullptr) {
        // The slot holds something written raw that is not a property
        // object; it is not ours to free, so it is only replaced.
    }
    return NewCellProperties(c, r, true);
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* Value)
{
    if (c < 0 || r < 0) {
        delete Value;
        return;
    }
    TCellProperties* old = FindCellProperties(c, r);
    if (old == Value) return;
    delete old;
    SetGridObject(c, r, Value);
}

std::uintptr_t TBaseGrid::GetObjectEx(int c, int r) const
{
    const TCellProperties* p = FindCellProperties(c, r);
    return p ? p->CellObject : 0;
}

void TBaseGrid::SetObjectEx(int c, int r, std::uintptr_t Value)
{
    if (c < 0 || r < 0) return;
    const bool empty = Cells(c, r).empty();
    if (empty) SetCellEx(c, r, " ");
    GetCellProperties(c, r)->CellObject = Value;
    if (empty) SetCellEx(c, r, "");
}

TObject* TBaseGrid::GetGraphicObjectEx(int c, int r) const
{
    const TCellProperties* p = FindCellProperties(c, r);
    return p ? p->GraphicObject : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject* Value)
{
    if (FDestroying || c < 0 || r < 0) return;
    const bool empty = Cells(c, r).empty();
    if (empty) SetCellEx(c, r, " ");
    TCellProperties* p = FindCellProperties(c, r);
    if (!p) p = NewCellProperties(c, r, false);
    p->GraphicObject = Value;
    if (empty) SetCellEx(c, r, "");
}

void TBaseGrid::RepaintCell(int c, int r)
{
    if (!HandleAllocated()) return;
    InvalidateRect(CellRect(c, r));
}

void TBaseGrid::ClearRowCells(int r)
{
    for (int c = 0; c < ColCount(); ++c) {
        SetGridObject(c, r, nullptr);
        SetCellEx(c, r, "");
    }
}

void TBaseGrid::ClearColCells(int c)
{
    for (int r = 0; r < RowCount(); ++r) {
        SetGridObject(c, r, nullptr);
        SetCellEx(c, r, "");
    }
}

void TBaseGrid::ClearCell(int c, int r)
{
    SetCellEx(c, r, "");
    SetGridObject(c, r, nullptr);
}

void TBaseGrid::FreeCellProperties(int c1, int r1, int c2, int r2)
{
    if (!HasCellProps) return;
    for (int c = std::max(c1, 0); c <= c2; ++c)
        for (int r = std::max(r1, 0); r <= r2; ++r) {
            TObject* o = GetGridObject(c, r);
            if (!o) continue;
            // The property object frees the graphic it owns.
            delete dynamic_cast<TCellProperties*>(o);
            SetGridObject(c, r, nullptr);
        }
}

void TBaseGrid::FreeAllCellProperties() { FreeCellProperties(0, 0, ColCount() - 1, RowCount() - 1); }

void TBaseGrid::FreeCellProperty(int c, int r)
{
    delete FindCellProperties(c, r);
    if (c >= 0 && r >= 0) SetGridObject(c, r, nullptr);
}

// --- merged cells -------------------------------------------------------------------

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    ++FMergeCount;
    if (spanx < 1 || spany < 1) return;
    // Clip the area to the grid.
    int c2 = c + spanx - 1, r2 = r + spany - 1;
    c = std::max(c, 0);
    r = std::max(r, 0);
    c2 = std::min(c2, TotalColCount() - 1);
    r2 = std::min(r2, RowCount() - 1);
    if (c2 < c || r2 < r) return;
    // Areas the new one overlaps are dissolved first, so that no cell is
    // left pointing at a base that no longer spans it.
    for (int i = c; i <= c2; ++i)
        for (int j = r; j <= r2; ++j) {
            const TCellProperties* p = HasCellProperties(i, j) ? FindCellProperties(i, j) : nullptr;
            if (p && (p->CellSpanX != -1 || p->CellSpanY != -1)) SplitCells(i, j);
        }
    for (int i = c; i <= c2; ++i)
        for (int j = r; j <= r2; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            p->IsBaseCell = i == c && j == r;
            if (p->IsBaseCell) {
                p->CellSpanX = c2 - c;
                p->CellSpanY = r2 - r;
            } else {
                p->CellSpanX = i - c;
                p->CellSpanY = j - r;
            }
        }
    for (int i = c; i <= c2; ++i)
        for (int j = r; j <= r2; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    if (c >= 0 && r >= 0) {
        const TPoint b = GetCellProperties(c, r)->GetBaseCell(c, r);
        const TCellProperties* base = FindCellProperties(b.X, b.Y);
        if (base && base->CellSpanX >= 0 && base->CellSpanY >= 0) {
            const int sx = base->CellSpanX, sy = base->CellSpanY;
            for (int i = std::max(b.X, 0); i <= b.X + sx; ++i)
                for (int j = std::max(b.Y, 0); j <= b.Y + sy; ++j) {
                    TCellProperties* p = GetCellProperties(i, j);
                    p->IsBaseCell = true;
                    p->CellSpanX = -1;
                    p->CellSpanY = -1;
                }
            for (int i = std::max(b.X, 0); i <= b.X + sx; ++i)
                for (int j = std::max(b.Y, 0); j <= b.Y + sy; ++j) RepaintCell(i, j);
        } else {
            // Not part of an area (or a damaged one): the cell alone is reset.
            TCellProperties* p = GetCellProperties(c, r);
            p->IsBaseCell = true;
            p->CellSpanX = -1;
            p->CellSpanY = -1;
            RepaintCell(c, r);
        }
    }
    --FMergeCount;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && (p->CellSpanX > 0 || p->CellSpanY > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && (p->CellSpanX > 0 || p->CellSpanY > 0) && !p->IsBaseCell;
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* p = FindCellProperties(b.X, b.Y);
    return p && p->CellSpanX > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* p = FindCellProperties(b.X, b.Y);
    return p && p->CellSpanY > 0;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    if (HasCellProperties(ACol, ARow))
        if (const TCellProperties* p = FindCellProperties(ACol, ARow)) return p->GetBaseCell(ACol, ARow);
    return {ACol, ARow};
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    if (HasCellProperties(ACol, ARow))
        if (const TCellProperties* p = FindCellProperties(ACol, ARow)) return p->IsBaseCell;
    return true;
}

bool TBaseGrid::GetBaseCellPos(int c, int r, int& bc, int& br) const
{
    bc = c;
    br = r;
    if (!HasCellProperties(c, r)) return true;
    const TCellProperties* p = FindCellProperties(c, r);
    if (!p || p->IsBaseCell) return true;
    const TPoint b = p->GetBaseCell(c, r);
    bc = b.X;
    br = b.Y;
    return false;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return {0, 0};
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || p->CellSpanX == -1 || p->CellSpanY == -1) return {0, 0};
    const TPoint b = p->GetBaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    if (!base) return {0, 0};
    return {base->CellSpanX, base->CellSpanY};
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return {0, 0};
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || p->CellSpanX == -1 || p->CellSpanY == -1) return {0, 0};
    const TPoint b = p->GetBaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    if (!base) return {0, 0};
    return {b.X + base->CellSpanX - ACol, b.Y + base->CellSpanY - ARow};
}

TRect TBaseGrid::FullCell(int c, int r) const
{
    const TPoint b = BaseCell(c, r);
    const TPoint s = CellSpan(c, r);
    return {b.X, b.Y, b.X + s.X, b.Y + s.Y};
}

TRect TBaseGrid::VirtualCellRect(int c, int r) const
{
    int x = 0, y = 0;
    for (int i = 0; i < c; ++i) x += ColWidths(i);
    for (int j = 0; j < r; ++j) y += RowHeights(j);
    const int w = ColWidths(c), h = RowHeights(r);
    if (c >= FixedCols())
        for (int i = 0; i < LeftCol(); ++i) x -= ColWidths(i);
    if (r >= FixedRows())
        for (int j = 0; j < TopRow(); ++j) y -= RowHeights(j);
    const TRect origin = TStringGrid::CellRect(LeftCol(), TopRow());
    x += c < FixedCols() ? 0 : origin.Left;
    y += r < FixedRows() ? 0 : origin.Top;
    return {x, y, x + w, y + h};
}

TRect TBaseGrid::CellRect(int c, int r) const
{
    const TCellProperties* p = HasCellProperties(c, r) ? FindCellProperties(c, r) : nullptr;
    if (p && (p->CellSpanX != -1 || p->CellSpanY != -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        const TCellProperties* base = FindCellProperties(b.X, b.Y);
        const int sx = base ? std::max(base->CellSpanX, 0) : 0;
        const int sy = base ? std::max(base->CellSpanY, 0) : 0;
        TRect r1 = VirtualCellRect(b.X, b.Y);
        if (r1.Right == r1.Left) ++r1.Right;
        TRect r2 = VirtualCellRect(b.X + sx, b.Y + sy);
        if (r2.Right == r2.Left) --r2.Left;
        return {std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                std::max(r1.Bottom, r2.Bottom)};
    }
    if (p && p->Control) return VirtualCellRect(c, r);
    TRect lib = TStringGrid::CellRect(c, r);
    return {lib.Left, lib.Top, lib.Left + ColWidths(c), lib.Top + RowHeights(r)};
}

TPoint TBaseGrid::CellSize(int c, int r) const
{
    const TCellProperties* p = HasCellProperties(c, r) ? FindCellProperties(c, r) : nullptr;
    if (p && (p->CellSpanX != -1 || p->CellSpanY != -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        const TCellProperties* base = FindCellProperties(b.X, b.Y);
        const int sx = base ? std::max(base->CellSpanX, 0) : 0;
        const int sy = base ? std::max(base->CellSpanY, 0) : 0;
        const TRect r1 = VirtualCellRect(b.X, b.Y);
        const TRect r2 = VirtualCellRect(b.X + sx, b.Y + sy);
        return {std::max(r1.Right, r2.Right) - std::min(r1.Left, r2.Left),
                std::max(r1.Bottom, r2.Bottom) - std::min(r1.Top, r2.Top)};
    }
    const TRect v = VirtualCellRect(c, r);
    return {v.Width(), v.Height()};
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int best = RowCount();
    for (int c = 0; c < ColCount(); ++c) {
        const int s = CellSpan(c, ARow).Y;
        if (s > 0 && s < best) best = s;
    }
    return best;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int best = 0;
    for (int c = 0; c < ColCount(); ++c) best = std::max(best, CellSpan(c, ARow).Y);
    return best;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            found = true;
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
        }
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool found = false;
    for (int r = 0; r < RowCount(); ++r) {
        const int s1 = CellSpan(ACol1, r).X, s2 = CellSpan(ACol2, r).X;
        if (s1 > 0 && s2 > 0) {
            found = true;
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
        } else if (s1 != s2) {
            return false;
        }
    }
    return found;
}

// --- current cell ----------------------------------------------------------------------

void TBaseGrid::MoveCurrentCell(int col, int row)
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return;
    SetCol(col);
    SetRow(row);
}

void TBaseGrid::SnapToBaseCell()
{
    const TCellProperties* p = FindCellProperties(Col(), Row());
    if (!p || !HasCellProperties(Col(), Row())) return;
    const TPoint b = p->GetBaseCell(Col(), Row());
    if (b.X != Col()) SetCol(b.X);
    if (b.Y != Row()) SetRow(b.Y);
}

// --- keyboard, wheel, selection, scrolling ---------------------------------------------

void TBaseGrid::KeyDown(int& Key, TShiftState Shift)
{
    if (const TCellProperties* cur = FindCellProperties(Col(), Row()); cur && HasCellProperties(Col(), Row())) {
        const TPoint b = cur->GetBaseCell(Col(), Row());
        const TCellProperties* p = FindCellProperties(b.X, b.Y);
        const int spanX = p ? std::max(p->CellSpanX, 0) : 0;
        const int spanY = p ? std::max(p->CellSpanY, 0) : 0;
        switch (Key) {
        case VK_LEFT:
            // From a covered cell: continue from the area's left edge, so
            // the move lands on the cell just left of the area.
            if (b.X < Col() && Col() > FixedCols() && b.X > 0) SetCol(b.X);
            break;
        case VK_RIGHT: {
            const int e = b.X + spanX;
            if (e >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 && e < ColCount()) SetCol(e);
            break;
        }
        case VK_UP:
            if (b.Y < Row() && Row() > FixedRows() && b.Y > 0) SetRow(b.Y);
            break;
        case VK_DOWN: {
            const int e = b.Y + spanY;
            if (e >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1 && e < RowCount()) SetRow(e);
            break;
        }
        default:
            break;
        }
    }
    if (Key == VK_NEXT && HideLastRow && RowCount() > 1 &&
        VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1) {
        // The last row lies under the floating footer: stop on the one
        // before it.
        SetRow(RowCount() - 2);
        Key = 0;
    }
    TStringGrid::KeyDown(Key, Shift);
    SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool r = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && HideLastRow) SetTopRow(TopRow() + 1);
    SnapToBaseCell();
    return r;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool r = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    SnapToBaseCell();
    return r;
}

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    RepaintCell(Col(), Row());
    const bool r = TStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return r;
}

void TBaseGrid::TopLeftChanged()
{
    TStringGrid::TopLeftChanged();
    if (FixedCols() > 0)
        for (int r = TopRow(); r <= TopRow() + VisibleRowCount(); ++r)
            for (int c = 0; c < FixedCols(); ++c)
                if (IsMergedCell(c, r)) RepaintCell(c, r);
    for (int c = LeftCol(); c <= LeftCol() + VisibleColCount(); ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
}
