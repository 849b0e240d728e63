// TBaseGrid: the frame of every cell (background, row highlights, selection
// faces, grid lines) and the once-per-pass drawing of merged areas.

#include "widgets/BaseGrid.h"

#include "widgets/GridDraw.h"

#include "platform/DrawText.h"

#include <algorithm>

namespace {

// Colours of a rounded selection face.
struct TSelectionFace {
    TColor From, To, MirrorFrom, MirrorTo, Border, Corner, UpperInner, LowerInner;
};

constexpr TSelectionFace VistaFocused{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFCEDCB, 0xFDFBF6, 0xFDF5E7};
constexpr TSelectionFace Win7Focused{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xE0C5AE, 0xFDF4EB, 0xFDEADB};
constexpr TSelectionFace Office2007Focused{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC,
                                           0x8DD7D3, 0xC3D9DF, 0xF4FEFF, 0xCAF8FF};
constexpr TSelectionFace Unfocused{0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xEFEFEF, 0xFBFAFA, 0xF0F0F0};

const TSelectionFace& FaceOf(TGridSelectionStyle style, bool focused)
{
    if (!focused) return Unfocused;
    switch (style) {
    case ssWin7: return Win7Focused;
    case ssOffice2007: return Office2007Focused;
    default: return VistaFocused;
    }
}

} // namespace

void TBaseGrid::Paint()
{
    try {
        TStringGrid::Paint();
    } catch (...) {
        // A failing cell must not end the window's paint event: the cells
        // drawn so far stay, the rest waits for the next paint.
    }
    ++PaintIDValue;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TCanvas* c = Canvas();
    if (!c) return;
    // The class library clips to the asked cell; a merged area is drawn
    // over its whole rectangle from whichever of its cells comes first.
    c->RemoveClip();
    try {
        DrawGridCell(*c, ACol, ARow, ARect, AState, true);
    } catch (...) {
        // Painting never throws: this cell keeps what was drawn of it.
    }
}

void TBaseGrid::PaintCell(TCanvas& ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    DrawGridCell(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas& ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    DrawGridCell(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::DrawCellContent(TCanvas& ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState)
{
    TRect r = ARect;
    ACanvas.SetBkMode(bkTransparent);
    DrawText(ACanvas, Cells(ACol, ARow), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TBaseGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState&, bool, bool, bool, TBrush* ABrush,
                                    TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo, TFont* AFont,
                                    TAlignment& HA, TVAlignment& VA, bool& WW, TCellGradientDirection& GD)
{
    GetCellDefaults(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, HA, VA, WW, GD);
}

void TBaseGrid::DrawGridCell(TCanvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State, bool Full)
{
    // 1. a hidden last row shows the grid's colour
    if (HideLastRow && ARow == RowCount() - 1) {
        Canvas.Pen().SetColor(Color());
        Canvas.Brush().SetStyle(bsSolid);
        Canvas.Brush().SetColor(Color());
        Canvas.FillRect(Rect);
        return;
    }
    // 2. a covered cell paints its area's base cell once per pass
    int bc = ACol, br = ARow;
    if (!GetBaseCellPos(ACol, ARow, bc, br)) {
        if (TCellProperties* base = FindCellProperties(bc, br); base && base->PaintID != PaintIDValue) {
            base->PaintID = PaintIDValue;
            PaintCell(Canvas, bc, br, Rect, State);
        }
        return;
    }
    if (Full) {
        // The base cell of an area marks the pass too, so that its covered
        // cells asked later do not paint it again.
        if (TCellProperties* p = FindCellProperties(ACol, ARow); p && p->CellSpanX + p->CellSpanY > -2)
            p->PaintID = PaintIDValue;
    }
    // 3., 4.
    const bool fixedCell = IsFixed(ACol, ARow);
    if (fixedCell && Full) {
        State += gdFixed;
        State -= gdSelected;
    }
    if (Full) Rect = CellRect(ACol, ARow);
    const bool fixed = State.Contains(gdFixed);

    // 5. keep areas scrolled partly under the fixed parts off them
    int W = 0, H = 0;
    if (ACol >= FixedCols())
        for (int i = 0; i < FixedCols(); ++i) W += ColWidths(i);
    if (ARow >= FixedRows())
        for (int i = 0; i < FixedRows(); ++i) H += RowHeights(i);
    Canvas.SaveState();
    if ((ACol >= FixedCols() && FixedCols() > 0 && Rect.Left < W) ||
        (ARow >= FixedRows() && FixedRows() > 0 && Rect.Top < H))
        Canvas.IntersectClipRect({W, H, ClientWidth(), ClientHeight()});

    // 6. the cell's looks
    Canvas.Pen().SetWidth(1);
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetMode(pmCopy);
    Canvas.Font().Assign(Font());
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment HA = TAlignment::taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
    GetVisualProperties(ACol, ARow, State, false, true, true, &Canvas.Brush(), ColorTo, MirrorColor, MirrorColorTo,
                        &Canvas.Font(), HA, VA, WW, GD);
    // A selected cell left without a colour (no selection colour of its own)
    // takes the system's highlight colour, so the selection stays visible.
    if (State.Contains(gdSelected) && !State.Contains(gdFocused) && Canvas.Brush().Color() == clNone)
        Canvas.Brush().SetColor(clHighlight);
    Canvas.Pen().SetColor(Canvas.Brush().Color());

    // 7. hover row
    if (ARow == HoverRowIdx && HoverRow && !(State.Contains(gdSelected) && !HoverRowCells.Contains(hcSelected)) &&
        !(fixed && !HoverRowCells.Contains(hcFixed))) {
        Canvas.Brush().SetColor(HoverRowColor());
        ColorTo = HoverRowColorTo();
        MirrorColor = clNone;
        MirrorColorTo = clNone;
        GD = GradientVertical;
    }
    // 8. active row
    if ((ActiveRowShow() && ARow == Row() && (ACol != Col() || !ShowSel) && ACol >= FixedCols()) ||
        (!Full && State.Contains(gdSelected))) {
        Canvas.Brush().SetColor(ActiveRowColor());
        ColorTo = ActiveRowColorTo();
        MirrorColor = ActiveRowMirrorColor();
        MirrorColorTo = ActiveRowMirrorColorTo();
        Canvas.Pen().SetColor(Canvas.Brush().Color());
    }
    const TColor brushColor = Canvas.Brush().Color();

    // 9. background
    if (State.Contains(gdSelected) && SelectionStyle() != ssDefault && ShowSel) {
        const TGridRect sel = Selection();
        const int L = std::min(sel.Left, sel.Right), R = std::max(sel.Left, sel.Right);
        int segment = rsSingle;
        if (ACol == L && L < R)
            segment = rsLeftEnd;
        else if (ACol == R && R > L)
            segment = rsRightEnd;
        else if (L < ACol && ACol < R)
            segment = rsMiddle;
        TRect face = Rect;
        if (!Options().Contains(goHorzLine)) ++face.Bottom;
        if (!Options().Contains(goVertLine)) ++face.Right;
        const TSelectionFace& f = FaceOf(SelectionStyle(), Focused() || Options().Contains(goDrawFocusSelected));
        DrawRoundedSelection(Canvas, f.From, f.To, segment, face, Color(), f.Corner, f.Border, f.LowerInner,
                             f.UpperInner, f.MirrorTo, f.MirrorFrom);
    } else if (!(StylesActive() && (fixed || State.Contains(gdSelected)))) {
        if (MirrorColorTo == clNone)
            FillGradient(Canvas, brushColor, ColorTo, GD == GradientHorizontal, Rect, 64);
        else
            FillMirrorGradient(Canvas, Rect, brushColor, true, false, clNone, true, MirrorColorTo, MirrorColor,
                               ColorTo);
    }

    // 10. grid lines
    int h = 1;
    if (fixed) {
        Canvas.Pen().SetColor(GridFixedLineColor());
        Canvas.Pen().SetWidth(1);
    } else {
        if (GridLineWidth() > 0) Canvas.Pen().SetColor(GridLineColor());
        Canvas.Pen().SetWidth(GridLineWidth());
        h = (GridLineWidth() + 1) / 2;
    }
    // Pen colour as the lines take it (the brush colour when width is 0).
    if (!(ACol == 0 && HasNodes()) &&
        ((Options().Contains(goHorzLine) && !fixed) || (Options().Contains(goFixedHorzLine) && fixed))) {
        Canvas.MoveTo(Rect.Left - h + 1, Rect.Bottom - h);
        Canvas.LineTo(Rect.Right - h + 1, Rect.Bottom - h);
    }
    if ((Options().Contains(goVertLine) && !fixed) || (Options().Contains(goFixedVertLine) && fixed)) {
        Canvas.MoveTo(Rect.Right - h, Rect.Bottom - h);
        Canvas.LineTo(Rect.Right - h, Rect.Top - h);
    }

    // 11. content
    if (Full) {
        TRect content = Rect;
        if (fixed) {
            content.Right -= 1;
            content.Bottom -= 2;
        } else {
            const int g = GridLineWidth();
            content = {content.Left + g, content.Top + g, content.Right - g, content.Bottom - g};
        }
        DrawCellContent(Canvas, ACol, ARow, content, State);
    }

    // 12.
    Canvas.RestoreState();
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Pen().SetStyle(psSolid);
}
