// TExStringGrid: the background behind the cells (a bitmap at a fixed
// place, a tiled bitmap or a colour gradient): the empty area outside the
// cells, painted after them, and the part inside a cell, painted by the
// cell painter's text step.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridDraw.h"
#include "widgets/dropdown/DropDownDraw.h"
#include "widgets/grid_render/FloatingFooter.h"
#include "widgets/grid_render/Paint.h"

#include <algorithm>

namespace {

bool Overlaps(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// The part of the bitmap placed at (Left, Top) that lies inside R, at the
// same place on the canvas.
void CopyFixed(TCanvas& C, const TBitmap& bmp, int Left, int Top, const TRect& R)
{
    const TRect B{Left, Top, Left + bmp.Width(), Top + bmp.Height()};
    if (!Overlaps(R, B)) return;
    const TRect dst{std::max(R.Left, B.Left), std::max(R.Top, B.Top), std::min(R.Right, B.Right),
                    std::min(R.Bottom, B.Bottom)};
    const TRect src{dst.Left - Left, dst.Top - Top, dst.Right - Left, dst.Bottom - Top};
    C.SetBkMode(bkTransparent);
    C.CopyRect(dst, const_cast<TBitmap&>(bmp).Canvas(), src);
}

// Tiles of the bitmap over R from (R.Left - 1, R.Top - 1), the first column
// of tiles starting OX pixels into the bitmap and the first row OY pixels.
void Tile(TCanvas& C, const TBitmap& bmp, const TRect& R, int OX, int OY)
{
    const int bw = bmp.Width(), bh = bmp.Height();
    if (bw <= 0 || bh <= 0) return;
    C.SetBkMode(bkTransparent);
    TCanvas& src = const_cast<TBitmap&>(bmp).Canvas();
    int sy = OY;
    for (int y = R.Top - 1; y < R.Bottom;) {
        const int h = std::min(bh - sy, R.Bottom - y);
        int sx = OX;
        for (int x = R.Left - 1; x < R.Right;) {
            const int w = std::min(bw - sx, R.Right - x);
            C.CopyRect({x, y, x + w, y + h}, src, {sx, sy, sx + w, sy + h});
            x += w;
            sx = 0;
        }
        y += h;
        sy = 0;
    }
}

} // namespace

void TGridPaintPart::PaintEmptyArea(TCanvas& ACanvas)
{
    const TBackGround& bg = *G.FParts->FBackGround;
    const bool gradient = bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert;
    // 1.
    if (G.TopRow() + G.VisibleRowCount() < G.RowCount() && G.LeftCol() + G.VisibleColCount() < G.ColCount()) return;
    if (gradient && bg.ColorTo() == clNone) return;
    if (!gradient && bg.Bitmap().Empty()) return;
    // 2. right of the last column and below the last row
    const TRect CR{0, 0, G.ClientWidth(), G.ClientHeight()};
    TRegion area;
    // Whether the last column (row) shows at all is the class library's
    // answer: the grid's own cell rectangle of a cell off the screen is not
    // empty (it keeps the cell's size), and taking it would paint the
    // background over the cells.
    const TRect lastCol = G.CellRect(G.ColCount() - 1, G.TopRow());
    if (!IsRectEmpty(G.TStringGrid::CellRect(G.ColCount() - 1, G.TopRow())) &&
        lastCol.Right + G.GridLineWidth() < CR.Right)
        area = area.United(TRegion({lastCol.Right + G.GridLineWidth(), 0, CR.Right, CR.Bottom}));
    const TRect lastRow = G.CellRect(G.LeftCol(), G.RowCount() - 1);
    if (!IsRectEmpty(G.TStringGrid::CellRect(G.LeftCol(), G.RowCount() - 1)) &&
        lastRow.Bottom + G.GridLineWidth() < CR.Bottom)
        area = area.United(TRegion({0, lastRow.Bottom + G.GridLineWidth(), CR.Right, CR.Bottom}));
    if (area.IsEmpty()) return;
    // 3.
    TRect D = CR;
    if (G.FParts->FSearchFooter->Visible()) D.Bottom -= 32;
    // (The floating footer's strip lies below the cell area, outside CR.)
    ACanvas.SaveState();
    ACanvas.SetClipRegion(area);
    // 4.
    if (bg.Bitmap().Empty()) {
        DrawGradient(ACanvas, bg.Color(), bg.ColorTo(), 128, D, bg.Display() == bdGradientHorz);
    } else if (bg.Display() != bdTile) {
        CopyFixed(ACanvas, bg.Bitmap(), bg.Left(), bg.Top(), D);
    } else if (bg.Cells() != bcFixed) {
        TRect S = D;
        if (bg.Cells() == bcNormal) {
            const TRect first = G.CellRect(G.FixedCols(), G.FixedRows());
            S.Left = first.Left;
            S.Top = first.Top;
        }
        S.Left += G.XYOffset.X;
        S.Top += G.XYOffset.Y;
        Tile(ACanvas, bg.Bitmap(), S, 0, 0);
    }
    // 5.
    ACanvas.RestoreState();
}

void TGridPaintPart::PaintCellBackground(TCellPaintRecord& P, const TRect& R)
{
    const TBackGround& bg = *G.FParts->FBackGround;
    TCanvas& C = *P.Canvas;
    const bool fixed = P.State.Contains(gdFixed);
    const bool matches = (fixed && (bg.Cells() == bcFixed || bg.Cells() == bcAll)) ||
                         (!fixed && (bg.Cells() == bcNormal || bg.Cells() == bcAll));
    if (!matches) return;
    const int W = G.GridLineWidth();
    const TCellProperties* props = G.FindCellProperties(P.RCol, P.Row);
    const TColor own = props ? props->BrushColor() : clNone;
    if (!bg.Bitmap().Empty() && own == clNone && !(G.ShowSelection && P.State.Contains(gdSelected))) {
        const TRect r{R.Left - W + 1, R.Top - W + 1, R.Right, R.Bottom};
        if (bg.Display() != bdTile) {
            CopyFixed(C, bg.Bitmap(), bg.Left(), bg.Top(), r);
        } else {
            // The tiling is anchored to the grid: the widths and heights of
            // the columns and rows before the cell (from the first normal one).
            const int c0 = bg.Cells() == bcNormal ? G.FixedCols() : 0;
            const int r0 = bg.Cells() == bcNormal ? G.FixedRows() : 0;
            long long ox = 0, oy = 0;
            for (int c = c0; c < P.DCol; ++c) ox += G.ColWidths(c);
            for (int rr = r0; rr < P.Row; ++rr) oy += G.RowHeights(rr);
            const int bw = bg.Bitmap().Width(), bh = bg.Bitmap().Height();
            Tile(C, bg.Bitmap(), r, static_cast<int>(ox % bw), static_cast<int>(oy % bh));
        }
    }
    if (bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert) {
        const TCellType t = G.GetCellType(P.RCol, P.Row);
        const bool kind = t == ctCheckBox || t == ctDataCheckBox || t == ctRadio || t == ctButton || t == ctRadioButton;
        const bool focusedSel = P.State.Contains(gdFocused) && G.Options().Contains(goDrawFocusSelected);
        if ((own == clNone || kind) &&
            (!G.ShowSelection ||
             (!P.State.Contains(gdSelected) && !P.State.Contains(gdFocused) && !focusedSel))) {
            const bool horz = bg.Display() == bdGradientHorz;
            const TRect r{R.Left - 1, R.Top - W, R.Right, R.Bottom + W - 1};
            const int extent = horz ? G.ClientWidth() : G.ClientHeight();
            const TColor c1 = BlendColorStep(bg.Color(), bg.ColorTo(), 0, horz ? r.Left : r.Top, extent);
            const TColor c2 = BlendColorStep(bg.Color(), bg.ColorTo(), 0, horz ? r.Right : r.Bottom, extent);
            C.Brush().SetColor(c2);
            C.Pen().SetColor(c2);
            DrawGradient(C, c1, c2, 128, r, horz);
        }
    }
}
