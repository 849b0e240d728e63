// The grid's floating footer: its settings, the footer calculations of the
// grid and the strip's painting and mouse handling.

#include "widgets/grid_render/FloatingFooter.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Html_Render.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

// --- the settings ------------------------------------------------------------------------

TFloatingFooter::TFloatingFooter(TExStringGrid* AGrid) : FGrid(AGrid) {}

void TFloatingFooter::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFloatingFooter*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    CalculateHiddenRows = s->CalculateHiddenRows;
    FColor = s->FColor;
    FColumn = s->FColumn;
    FCustomTemplate = s->FCustomTemplate;
    FFooterStyle = s->FFooterStyle;
    SetVisible(s->FVisible);
    SetShowHint(s->FShowHint);
}

void TFloatingFooter::Invalidate() { FGrid->FooterPanel().Invalidate(); }

void TFloatingFooter::SetHeight(int Value)
{
    FHeight = Value;
    // The panel is one pixel lower than the strip; a height of 0 or less
    // leaves it as it is.
    if (Value > 0) {
        FGrid->FooterPanel().Height = Value - 1;
        FGrid->FooterPanel().UpdateWindow();
    }
}

void TFloatingFooter::SetVisible(bool Value)
{
    FVisible = Value;
    TFooterPanel& panel = FGrid->FooterPanel();
    panel.Height = Value ? std::max(0, FHeight - 1) : 0;
    panel.Visible = Value;
    FGrid->FixedFooters = panel.Visible && FFooterStyle == fsFixedLastRow ? 1 : 0;
    FGrid->HideLastRow = Value && FFooterStyle == fsFixedLastRow;
    panel.UpdateWindow();
    FGrid->Invalidate();
}

void TFloatingFooter::SetColor(TColor Value)
{
    FColor = Value;
    Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    FGrid->HideLastRow = Value == fsFixedLastRow && FVisible;
    FGrid->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetColumn(int Value)
{
    FColumn = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const std::string& Value)
{
    FCustomTemplate = Value;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value)
{
    FShowHint = Value;
    FGrid->FooterPanel().ShowHint = Value;
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor) return;
    FBorderColor = Value;
    Invalidate();
}

TColumnCalcType TFloatingFooter::GetColumnCalc(int ACol) const
{
    const int last = FGrid->RowCount() - 1;
    if (ACol < 0 || last < 0 || !FGrid->HasCellProperties(ACol, last)) return acNONE;
    const TCellProperties* p = FGrid->FindCellProperties(ACol, last);
    return p ? p->CalcType : acNONE;
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType Value)
{
    const int last = FGrid->RowCount() - 1;
    if (ACol < 0 || ACol >= FGrid->AllColCount() || last < 0) RaiseListIndexError(ACol);
    FGrid->GetCellProperties(ACol, last)->CalcType = Value;
    FGrid->CellValueChanged(ACol, last);
}

namespace {

// A column number of a placeholder: decimal digits only, within int.
bool ReadColumn(const std::string& s, int& Value)
{
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    Value = std::stoi(s);
    return true;
}

} // namespace

std::string TFloatingFooter::ExpandTemplate(const std::string& Template) const
{
    std::string out;
    std::string rest = Template;
    for (;;) {
        const size_t at = rest.find("<#");
        if (at == std::string::npos) break;
        const size_t end = rest.find('>', at + 2);
        if (end == std::string::npos) break; // the rest goes out unchanged
        out += rest.substr(0, at);
        int col = 0;
        if (ReadColumn(rest.substr(at + 2, end - at - 2), col) && col < FGrid->ColCount())
            out += FGrid->Cells(col, FGrid->Row());
        rest.erase(0, end + 1);
    }
    return out + rest;
}

// --- the grid's footer calculations ------------------------------------------------------

TFooterPanel& TExStringGrid::FooterPanel() { return *FParts->FFooterPanel; }

void TExStringGrid::UpdateFooter()
{
    if (FParts->FFooterPanel) FParts->FFooterPanel->Invalidate();
}

void TExStringGrid::HiddenLastRowChanged() { UpdateFooter(); }

void TExStringGrid::CalcFooterValues(int ACol)
{
    const TFloatingFooter& ff = *FParts->FFloatingFooter;
    if (!ff.Visible() || ff.FooterStyle() != fsFixedLastRow || !ff.EnableCalculation()) return;
    const int all = AllColCount();
    if (ACol < -1 || ACol >= all) return;
    const int first = ACol == -1 ? 0 : ACol;
    const int stop = ACol == -1 ? all - 1 : ACol;
    const int last = RowCount() - 1;
    if (last < 0) return;
    for (int c = first; c <= stop; ++c) {
        if (!HasCellProperties(c, last)) continue;
        const TCellProperties* p = FindCellProperties(c, last);
        if (!p) continue;
        const auto type = static_cast<TColumnCalcType>(p->CalcType & 0x7F);
        if (type == acNONE || type == acSPREAD) continue;
        const int hidden = ff.CalculateHiddenRows ? NumHiddenRows() : 0;
        const int from = FixedRows();
        const int to = last - 1 + hidden;
        // An empty range (no data row) counts nothing; it is never passed
        // on, where a bound of -1 would mean the whole column.
        const bool rows = to >= from;
        switch (type) {
        case acSUM: SetFloats(c, last, rows ? ColumnSum(c, from, to) : 0); break;
        case acAVG: SetFloats(c, last, rows ? ColumnAvg(c, from, to) : 0); break;
        case acMIN: SetFloats(c, last, rows ? ColumnMin(c, from, to) : 0); break;
        case acMAX: SetFloats(c, last, rows ? ColumnMax(c, from, to) : 0); break;
        case acDISTINCT: SetFloats(c, last, rows ? ColumnDistinct(c, from, to) : 0); break;
        case acSTDDEV: SetFloats(c, last, rows ? ColumnStdDev(c, from, to) : 0); break;
        case acCOUNT: SetInts(c, last, RowCount() - FixedRows() - 1 + hidden); break;
        case acCUSTOM: {
            std::string value;
            if (OnFooterCalc)
                OnFooterCalc(this, c, last + hidden, value);
            else if (ff.OnCalcFooter)
                ff.OnCalcFooter(this, c, last + hidden, value);
            SetCells(c, last, value);
            break;
        }
        default: break;
        }
    }
    UpdateFooter();
}

// --- the strip ---------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TExStringGrid* AGrid) : FGrid(AGrid)
{
    FStrip.OnPaint = [this](TCanvas& C, int W, int) { Paint(C, W); };
    FStrip.OnMouseUp = [this](TMouseButton, int X, int Y) { MouseUp(X, Y); };
    FStrip.OnMouseMove = [this](int X, int Y) { MouseMove(X, Y); };
    FStrip.OnMouseLeave = [this] { MouseLeave(); };
    FStrip.OnHint = [this](int X, int) { return HintShow(X); };
}

TFooterPanel::~TFooterPanel()
{
    // The window forgets the strip (without telling a grid that is going).
    if (FGrid->Host()) FGrid->Host()->SetBottomStrip(0, nullptr);
}

void TFooterPanel::Invalidate()
{
    if (OnInvalidate) OnInvalidate();
    if (Visible && FGrid->Host()) FGrid->Host()->InvalidateBottomStrip();
}

void TFooterPanel::UpdateWindow()
{
    if (!FGrid->Host()) return;
    FGrid->Host()->SetBottomStrip(Visible ? Height : 0, &FStrip);
}

void TFooterPanel::CreateWnd()
{
    const TFloatingFooter& ff = *FGrid->FloatingFooter();
    Height = ff.Visible() ? ff.Height() : 0;
    UpdateWindow();
    if (FGrid->OnCreatedFloatingFooter) FGrid->OnCreatedFloatingFooter(FGrid);
}

int TFooterPanel::VisibleColumnsWidth() const
{
    int w = 0;
    for (int c = 0; c < FGrid->FixedCols(); ++c) w += FGrid->ColWidths(c);
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c) w += FGrid->ColWidths(c);
    return w;
}

int TFooterPanel::ColumnAt(int X) const
{
    int sum = 0;
    int col = -1;
    auto add = [&](int c) {
        if (sum >= X) return false;
        sum += FGrid->ColWidths(c);
        col = c;
        return true;
    };
    bool more = true;
    for (int c = 0; more && c < FGrid->FixedCols(); ++c) more = add(c);
    for (int c = std::max(FGrid->LeftCol(), FGrid->FixedCols()); more && c < FGrid->ColCount(); ++c) more = add(c);
    // Beyond the last column there is none.
    return sum < X ? -1 : col;
}

void TFooterPanel::MouseUp(int X, int)
{
    if (FGrid->OnClick) FGrid->OnClick(FGrid);
    if (FGrid->OnClickCell) FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, ColumnAt(X));
}

std::string TFooterPanel::HintShow(int X)
{
    std::string hint;
    const int col = ColumnAt(X);
    if (FGrid->OnGridHint && col >= 0) FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, col, hint);
    FLastHintCol = ShowHint ? col : -1;
    return ShowHint ? hint : std::string();
}

void TFooterPanel::MouseMove(int X, int)
{
    if (!ShowHint || FLastHintCol < 0) return;
    const int col = ColumnAt(X);
    if (col == FLastHintCol) return;
    if (OnCancelHint) OnCancelHint();
    FLastHintCol = col;
}

void TFooterPanel::MouseLeave() { FLastHintCol = -1; }

void TFooterPanel::Paint(TCanvas& C, int Width)
{
    TExStringGrid& g = *FGrid;
    const TFloatingFooter& ff = *g.FloatingFooter();
    const int w = std::min(VisibleColumnsWidth(), Width);
    const TRect all{0, 0, Width, Height};
    const TRect part{0, 0, w, Height};
    auto fillRest = [&] {
        C.Brush().SetColor(g.Color());
        C.FillRect({w, 0, Width, Height});
    };
    auto framed = [&] {
        C.Brush().SetColor(ff.Color());
        C.FillRect(part);
        C.Pen().SetColor(clGray);
        C.MoveTo(0, Height - 1);
        C.LineTo(w - 1, Height - 1);
        C.LineTo(w - 1, -1);
        C.Pen().SetColor(clWhite);
        C.MoveTo(0, Height - 1);
        C.LineTo(0, 0);
        C.LineTo(w - 1, 0);
    };
    switch (ff.FooterStyle()) {
    case fsFixedLastRow: {
        C.Brush().SetColor(ff.Color());
        C.FillRect(part);
        fillRest();
        const bool vert = g.Options().Contains(goFixedVertLine);
        const bool horz = g.Options().Contains(goFixedHorzLine);
        const TGridLook look = g.Look();
        const bool soft = (look == glSoft || look == glNUV || look == glXP || look == glVista) && !g.Flat;
        const int last = g.RowCount() - 1;
        std::vector<int> cols;
        for (int c = 0; c < g.FixedCols(); ++c) cols.push_back(c);
        for (int c = std::max(g.LeftCol(), g.FixedCols()); c < g.ColCount(); ++c) cols.push_back(c);
        // Column lines.
        int x = 0;
        for (int c : cols) {
            const bool scrolled = c >= g.FixedCols();
            if (vert && soft) {
                C.Pen().SetColor(clWhite);
                C.MoveTo(x, Height);
                C.LineTo(x, 0);
            }
            x += g.ColWidths(c);
            if (horz) {
                C.Pen().SetColor(g.GridLineColor());
                C.MoveTo(x, 0);
                C.LineTo(x - 1, 0);
            }
            C.Pen().SetColor(scrolled && look != glVista ? clGray : g.GridLineColor());
            if (vert) {
                C.MoveTo(x - 1, 0);
                C.LineTo(x - 1, Height);
            }
        }
        // Cells.
        const int top = horz ? 1 : 0;
        int left = 0;
        for (int c : cols) {
            const bool scrolled = c >= g.FixedCols();
            TRect r{left, top, left + g.ColWidths(c) - 1, Height};
            if (horz && soft) ++r.Left;
            if (g.IsMergedCell(c, last)) {
                const TRect m = g.CellRect(c, last);
                r.Left = m.Left;
                r.Right = m.Right;
            }
            const int rc = g.Model().RealCol(c);
            if (scrolled) {
                TColor own = clNone;
                if (g.OnGetCellColor) {
                    TBrush brush;
                    brush.SetColor(clNone);
                    TFont font;
                    font.Assign(g.Font());
                    g.OnGetCellColor(&g, last, rc, TGridDrawState{gdFixed}, &brush, &font);
                    own = brush.Color();
                }
                if (own == clNone && g.HasCellProperties(rc, last))
                    if (const TCellProperties* p = g.FindCellProperties(rc, last)) own = p->BrushColor();
                if (own != clNone) {
                    C.Brush().SetColor(own);
                    C.FillRect(r);
                }
            }
            if (g.IsBaseCell(c, last)) {
                if (scrolled && g.OnFooterPaint)
                    g.OnFooterPaint(&g, rc, C, r);
                else
                    g.PaintCellContent(C, c, last, r, TGridDrawState{gdFixed});
            }
            left = r.Right + 1;
        }
        break;
    }
    case fsColumnPreview: {
        framed();
        const TColor keep = g.SelectionTextColor;
        g.SelectionTextColor = clBlack;
        if (g.OnFooterPaint)
            g.OnFooterPaint(&g, ff.Column(), C, part);
        else if (ff.Column() >= 0 && ff.Column() < g.ColCount())
            g.PaintCellContent(C, ff.Column(), g.Row(), part, TGridDrawState{});
        g.SelectionTextColor = keep;
        fillRest();
        break;
    }
    case fsCustomPreview: {
        framed();
        THTMLDrawArgs a;
        a.Images = g.GridImages();
        a.Pictures = g.PictureContainer();
        a.AnchorColor = g.URLColor;
        a.WordWrap = !g.EnhTextSize;
        a.ShadowOffset = 1;
        a.ShadowColor = clGray;
        DrawHTMLText(C, ff.ExpandTemplate(ff.CustomTemplate()), TRect{0, 2, w, Height}, a);
        fillRest();
        break;
    }
    case fsCustomPaint:
        if (g.OnFooterPaint) g.OnFooterPaint(&g, ff.Column(), C, all);
        break;
    }
    if (ff.BorderColor() != clNone) {
        C.Pen().SetColor(ff.BorderColor());
        C.MoveTo(0, 0);
        C.LineTo(w, 0);
    }
}
