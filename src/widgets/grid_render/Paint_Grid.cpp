// TExStringGrid: the paint of the whole grid and the cell painter (fixed-cell
// looks, row indicator, modified marker, editor buttons, borders, node tree
// lines, custom-draw events, focus rectangle), the look border and the
// sizing lines.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridDecor.h"
#include "widgets/GridDraw.h"
#include "widgets/grid_render/Paint.h"

#include "platform/Themes.h"

#include <algorithm>

namespace {

bool IsGradientLook(TGridLook l)
{
    return l == glNUV || l == glXP || l == glVista || l == glWin7 || l == glOffice2007;
}

TRect Grown(TRect r, int d) { return {r.Left - d, r.Top - d, r.Right + d, r.Bottom + d}; }

// A top-to-bottom fill with an optional lower-half gradient and frame.
void FixedFill(TCanvas& C, const TRect& R, TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo,
               TColor Border, bool SidesOnly = false)
{
    FillMirrorGradient(C, R, From, true, SidesOnly, Border, true, MirrorTo, MirrorFrom, To);
}

} // namespace

// --- the whole grid -------------------------------------------------------------------------

void TExStringGrid::Paint()
{
    TCanvas* c = Canvas();
    if (!c) return;
    // 1., 2.
    c->Pen().SetStyle(psSolid);
    c->Brush().SetStyle(bsSolid);
    TBaseGrid::Paint();
    // 3. the cell under the editor
    if (EditorMode()) {
        const TRect r = CellRect(Col(), Row());
        TColor pen = GridLineWidth() >= 1 ? GridLineColor() : Color();
        if (!Options().Contains(goHorzLine) && !Options().Contains(goVertLine)) pen = Color();
        c->Pen().SetColor(pen);
        c->Rectangle(r);
    }
    // 4., 5.
    c->Pen().SetColor(clBlack);
    if (!FParts->FBackGround->Bitmap().Empty() || FParts->FBackGround->ColorTo() != clNone) FParts->Paint.PaintEmptyArea(*c);
    // 6. the quick-configuration panel exists only while designing
    if (Designing()) PaintDesignHelper();
    // What the mouse handling keeps on screen between paints.
    if (!FParts->Paint.FSizingLines.empty()) {
        c->SaveState();
        c->Pen().SetColor(clBlack);
        c->Pen().SetStyle(psDot);
        c->Pen().SetWidth(1);
        for (const auto& [vertical, pos] : FParts->Paint.FSizingLines) {
            if (vertical) {
                const TRect last = CellRect(0, RowCount() - 1);
                c->MoveTo(pos, 0);
                c->LineTo(pos, std::max(ClientHeight(), last.Bottom));
            } else {
                const TRect last = CellRect(ColCount() - 1, 0);
                c->MoveTo(0, pos);
                c->LineTo(std::max(ClientWidth(), last.Right), pos);
            }
        }
        c->RestoreState();
    }
    FParts->Paint.PaintLookBorder(*c);
    // 7.
    if (OnPainted) OnPainted(this);
}

void TGridPaintPart::PaintLookBorder(TCanvas& ACanvas)
{
    switch (G.FParts->FLook) {
    case glSoft:
    case glNUV:
    case glXP:
    case glListView:
    case glVista:
    case glWin7:
    case glOffice2007: break;
    default: return;
    }
    if (G.BorderStyle == TGridBorderStyle::bsNone || G.FParts->FBorderColor == clNone || G.Flat) return;
    const int W = G.ClientWidth(), H = G.ClientHeight();
    ACanvas.SaveState();
    ACanvas.Pen().SetColor(G.FParts->FBorderColor);
    ACanvas.Pen().SetWidth(1);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetMode(pmCopy);
    if (G.FitCellsInGrid) {
        ACanvas.Polyline({{1, H}, {1, 1}, {W - 2, 1}, {W - 2, H - 2}, {1, H - 2}});
        // The outer ring takes the colour of the surface behind the grid.
        ACanvas.Pen().SetColor(clBtnFace);
        ACanvas.Polyline({{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
    } else if (G.FParts->FIsComCtl6) {
        ACanvas.Polyline({{0, H - 1}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
    }
    ACanvas.RestoreState();
}

void TGridPaintPart::DrawColSizingLine(int X)
{
    const auto line = std::make_pair(true, X);
    auto it = std::find(FSizingLines.begin(), FSizingLines.end(), line);
    if (it != FSizingLines.end())
        FSizingLines.erase(it);
    else
        FSizingLines.push_back(line);
    G.Invalidate();
}

void TGridPaintPart::DrawRowSizingLine(int Y)
{
    const auto line = std::make_pair(false, Y);
    auto it = std::find(FSizingLines.begin(), FSizingLines.end(), line);
    if (it != FSizingLines.end())
        FSizingLines.erase(it);
    else
        FSizingLines.push_back(line);
    G.Invalidate();
}

// --- one cell ---------------------------------------------------------------------------------

void TExStringGrid::DrawCellContent(TCanvas& ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    // The cell's background as the base drawing painted it, to fall back on.
    const TColor background = ACanvas.Brush().Color();
    ACanvas.SaveState();
    try {
        PaintCellContent(ACanvas, ACol, ARow, ARect, AState);
        ACanvas.RestoreState();
    } catch (...) {
        // A cell that cannot be painted shows its background only; the
        // other cells are painted as usual.
        ACanvas.RestoreState();
        ACanvas.SaveState();
        ACanvas.Brush().SetStyle(bsSolid);
        ACanvas.Brush().SetColor(background);
        ACanvas.FillRect(ARect);
        ACanvas.RestoreState();
    }
}

void TExStringGrid::PaintCellContent(TCanvas& ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    TCellPaintRecord P;
    P.Canvas = &ACanvas;
    P.DCol = ACol;
    P.Row = ARow;
    P.State = AState;
    TRect& Rect = P.Rect;
    Rect = ARect;
    TCanvas& C = ACanvas;

    // 1. (no 3-D window edge on this platform: Ctl3D has no effect)
    // 2.
    P.RCol = Model().RealCol(ACol);
    P.SelRow = FParts->FMouseActions->DisjunctRowSelect() && FParts->FMouseActions->RowSelectPersistent ? Model().RealRow(ARow) : ARow;
    P.FilterButton = ARow == FilterDropDownRow && GetColumnFilter(P.RCol);
    // 3. in-cell scroll bars are not shown on this platform: the text is
    // not scrolled (ScrollPos stays 0).

    // 4.
    P.WW = WordWrap;
    GetVisualProperties(ACol, ARow, P.State, false, false, true, &C.Brush(), P.ColorTo, P.MirrorColor,
                        P.MirrorColorTo, &C.Font(), P.HA, P.VA, P.WW, P.GD);
    // 5.
    P.Graphic =
        FParts->Paint.GetCellGraphicInfo(P.RCol, ARow, P.GraphicVA, P.GraphicHA, P.TextAllowed, P.GraphicH, P.GraphicW);
    if (P.RCol == 0 && IsNodeRow(ARow)) P.GraphicW = GetNodeLevel(ARow) * 12 + 4;
    // 6.
    if (P.State.Contains(gdSelected) && !P.State.Contains(gdFocused) && SelectionColor == clNone)
        C.Brush().SetColor(clHighlight);
    // 7.
    if (ZoomFactor != 0) C.Font().SetSize(C.Font().Size() + ZoomFactor);
    P.SavedBrush = C.Brush().Color();
    P.SavedFont = C.Font().Color();
    // 8.
    bool isFixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    if (HoverRow && ARow == HoverRowIdx && HoverRowCells.Contains(hcFixed)) isFixed = false;
    P.IsFixed = isFixed;
    // 9. no application-wide visual styles on this platform
    const bool styled = false;

    // 10. fixed cells of the gradient looks
    if (isFixed && !styled && IsGradientLook(FParts->FLook)) {
        const bool hoverApplies = HoverFixedCells == hfAll ||
                                  (HoverFixedCells == hfFixedColumns && ACol < FixedCols()) ||
                                  (HoverFixedCells == hfFixedRows && ARow < FixedRows());
        const bool colMoving = GridState() == gsColMoving;
        const bool hovered = (FParts->Input.FHoverFixedX == ACol && FParts->Input.FHoverFixedY == ARow && !colMoving) ||
                             (colMoving && FParts->Input.Movecell == ACol);
        const TColor hv[5] = {NUVGradient(TNUVGradient::HoverFrom), NUVGradient(TNUVGradient::HoverTo),
                              NUVGradient(TNUVGradient::HoverMirrorFrom), NUVGradient(TNUVGradient::HoverMirrorTo),
                              NUVGradient(TNUVGradient::HoverBorder)};
        const TColor dn[5] = {NUVGradient(TNUVGradient::DownFrom), NUVGradient(TNUVGradient::DownTo),
                              NUVGradient(TNUVGradient::DownMirrorFrom), NUVGradient(TNUVGradient::DownMirrorTo),
                              NUVGradient(TNUVGradient::DownBorder)};
        auto fill = [&C](const TRect& r, const TColor (&g)[5]) { FixedFill(C, r, g[0], g[1], g[2], g[3], g[4]); };
        if (hoverApplies && !Designing() && hovered) {
            Rect.Bottom += 1;
            const bool dropDown = FParts->FControlLook->FixedDropDownButton && FireCanShowFixedDropDown(P.RCol);
            if (!FParts->Input.FMouseDownMove && !(colMoving && FParts->Input.Movecell >= 0)) {
                fill(Rect, hv);
            } else if (dropDown) {
                const TRect part{Rect.Right - 16, Rect.Top, Rect.Right, Rect.Bottom};
                const TRect rest{Rect.Left, Rect.Top, Rect.Right - 16, Rect.Bottom};
                if (FParts->Input.FDropDownDown) {
                    fill(part, dn);
                    fill(rest, hv);
                } else {
                    fill(rest, dn);
                    fill(part, hv);
                }
            } else {
                fill(Rect, dn);
            }
            if (dropDown) {
                C.Pen().SetColor(FParts->Input.FMouseDownMove ? dn[4] : hv[4]);
                C.MoveTo(Rect.Right - 16, Rect.Top);
                C.LineTo(Rect.Right - 16, Rect.Bottom);
                DrawDownTriangle(C, Rect.Right - 8, Rect.Top + 8, clBlack);
                Rect.Right -= 16;
            }
        } else if (ActiveCellShow && ((ARow == Row() && FixedCols() > 0 && FixedCols() == ACol + 1) ||
                                      (ACol == Col() && FixedRows() > 0 && FixedRows() == ARow + 1))) {
            FixedFill(C, Rect, ActiveCellColor, ActiveCellColorTo, clNone, clNone, clNone);
        } else if (FParts->FSortSettings->Column != -1 && FParts->FSortSettings->HeaderColor() != clNone &&
                   FParts->FSortSettings->Column == P.RCol && FixedRows() == ARow + 1 &&
                   (ACol >= FixedCols() || FParts->FSortSettings->FixedCols)) {
            FixedFill(C, Rect, FParts->FSortSettings->HeaderColor(), FParts->FSortSettings->HeaderColorTo(),
                      FParts->FSortSettings->HeaderMirrorColor(), FParts->FSortSettings->HeaderMirrorColorTo(), clNone);
        } else if (!Flat) {
            FixedFill(C, Rect, C.Brush().Color(), P.ColorTo, P.MirrorColor, P.MirrorColorTo, clNone);
            if (FParts->FLook == glVista) FixedFill(C, Rect, clNone, clNone, clNone, clNone, clWhite, true);
        }
        C.Brush().SetColor(P.SavedBrush);
    }

    // 11. row indicator
    if (P.RCol == 0 && ARow == Row() && FixedCols() > 0 && !FParts->Paint.FRowIndicator.Empty() &&
        !(RowCount() == FixedRows() && FixedRowAlways)) {
        int y = Rect.Top;
        if (VAlignment == vtaCenter)
            y = Rect.Top + (Rect.Bottom - Rect.Top - FParts->Paint.FRowIndicator.Height()) / 2;
        else if (VAlignment == vtaBottom)
            y = Rect.Bottom - FParts->Paint.FRowIndicator.Height();
        C.DrawTransparent(Rect.Left + 2, y, FParts->Paint.FRowIndicator);
        Rect.Left += FParts->Paint.FRowIndicator.Width() + 2;
    }

    // 12. list-view headers
    if (FParts->FLook == glListView && isFixed && !styled && !Flat) {
        if (FParts->FIsWinXP && IsThemeActive()) {
            Rect.Bottom += 1;
            const bool inside = FParts->Input.FHoverFixedX == ACol && FParts->Input.FHoverFixedY == ARow;
            HTHEME theme = OpenThemeData(nullptr, "header");
            if (!inside)
                DrawThemeBackground(theme, C, HP_HEADERITEMRIGHT, HIS_NORMAL, Rect);
            else
                DrawThemeBackground(theme, C, HP_HEADERITEM, FParts->Input.FMouseDownMove ? HIS_PRESSED : HIS_HOT, Rect);
            CloseThemeData(theme);
            C.Pen().SetColor(clWhite);
            C.MoveTo(Rect.Left, Rect.Top);
            C.LineTo(Rect.Right, Rect.Top);
        } else {
            C.Pen().SetColor(clWhite);
            C.Brush().SetColor(clBtnFace);
            C.Rectangle(Rect);
            C.Brush().SetColor(P.SavedBrush);
        }
    }

    // 13. modified marker
    if (ACol == 0 && FParts->FShowModified->Enabled && FModel->FRowFlags.Modified(Model().RealRow(ARow))) {
        C.Brush().SetColor(FParts->FShowModified->Color());
        C.Pen().SetColor(FParts->FShowModified->Color());
        C.Rectangle(Rect.Right - 4, Rect.Top, Rect.Right, Rect.Bottom);
        C.Brush().SetColor(P.SavedBrush);
    }

    // 14.
    if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, &C, P.RCol, ARow, P.State, Rect, false);
    const int savedRight = Rect.Right;

    // 15. editor buttons shown in cells at rest
    if (!IsFixed(ACol, ARow) &&
        (FParts->FControlLook->DropDownAlwaysVisible() || FParts->FControlLook->SpinButtonsAlwaysVisible())) {
        int style = FParts->FControlLook->FlatButton() ? cpkFlat : (FParts->FIsWinXP && IsThemeActive() ? cpkThemed : cpkClassic);
        if (Flat && FParts->Paint.FTones.Background.BrushColor != clNone) style = cpkOwnerDrawn;
        bool canEdit = true;
        CanEditCell(P.RCol, ARow, canEdit);
        const int state = canEdit ? cpsNormal : cpsDisabled;
        if (FParts->FControlLook->DropDownAlwaysVisible() && HasCombo(P.RCol, ARow)) {
            DrawComboButton(C, nullptr, {Rect.Left - 2, Rect.Top - 1, Rect.Right + 1, Rect.Bottom}, FParts->Paint.FTones, state,
                            style);
            Rect.Right -= 16;
        }
        if (FParts->FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(P.RCol, ARow)) {
            DrawSpinButtons(C, nullptr, Rect, FParts->Paint.FTones, state, style);
            Rect.Right -= 16;
        }
        C.Brush().SetColor(P.SavedBrush);
    }

    // 16. an interface graphic drawn behind the text
    IGridCellGraphic* igc = nullptr;
    if (P.Graphic && P.Graphic->CellType == ctInterface)
        igc = dynamic_cast<IGridCellGraphic*>(P.Graphic->CellBitmap);
    const bool behind = igc && igc->IsBackground();
    if (behind) {
        Rect = Grown(Rect, 1);
        FParts->Paint.PaintCellGraphic(P);
        Rect = Grown(Rect, -1);
    }

    // 17. text
    const bool drawEvents = static_cast<bool>(OnDrawCell) || static_cast<bool>(OnCustomCellDraw);
    if (!(NoDefaultDraw && drawEvents) && !(P.Graphic && NoImageAndText)) FParts->Paint.PaintCellText(P);

    // 18. borders
    Rect.Right = savedRight;
    C.Brush().SetColor(P.SavedBrush);
    C.Font().SetColor(P.SavedFont);
    Rect = Grown(Rect, 1);
    FParts->Paint.PaintCellBorders(C, P.RCol, ARow, Rect);

    // 19.
    if (ACol == 0 && ARow == Row() && FixedCols() > 0 && !FParts->Paint.FRowIndicator.Empty()) Rect.Left -= FParts->Paint.FRowIndicator.Width();

    // 20. fixed-cell edges
    if (isFixed && !styled && !Flat) {
        const bool fhl = Options().Contains(goFixedHorzLine);
        const bool fvl = Options().Contains(goFixedVertLine);
        const TColor half = HalfColor(FixedColor());
        switch (FParts->FLook) {
        case glClassic: {
            Rect.Top += 1;
            Rect.Bottom += 1;
            Rect.Left += 1;
            TRect e = Rect;
            DrawEdge(C, e, BDR_RAISEDINNER, BF_LEFT);
            e = Rect;
            DrawEdge(C, e, BDR_RAISEDINNER, BF_TOP);
            e = Rect;
            DrawEdge(C, e, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
            C.Pen().SetColor(clBlack);
            C.MoveTo(Rect.Right - 1, Rect.Top);
            C.LineTo(Rect.Right - 1, Rect.Bottom - 1);
            C.LineTo(Rect.Left - 1, Rect.Bottom - 1);
            break;
        }
        case glNUV:
        case glXP:
            Rect.Bottom += 1;
            if (fhl) {
                C.Pen().SetColor(half);
                C.MoveTo(Rect.Left, Rect.Bottom - 1);
                C.LineTo(Rect.Right - 1, Rect.Bottom - 1);
                C.Pen().SetColor(clWhite);
                C.MoveTo(Rect.Right - 2, Rect.Top + 1);
                C.LineTo(Rect.Left + 1, Rect.Top + 1);
                C.LineTo(Rect.Left + 1, Rect.Bottom - 1);
            }
            break;
        case glSoft:
            Rect.Right += 1;
            Rect.Bottom += 1;
            if (fhl) {
                C.Pen().SetColor(half);
                C.MoveTo(Rect.Left, Rect.Bottom - 1);
                C.LineTo(Rect.Right - 1, Rect.Bottom - 1);
                C.Pen().SetColor(clWhite);
                C.MoveTo(Rect.Right, Rect.Top + 1);
                C.LineTo(Rect.Left + 1, Rect.Top + 1);
                C.LineTo(Rect.Left + 1, Rect.Bottom - 1);
            }
            if (fvl) {
                C.Pen().SetColor(half);
                C.MoveTo(Rect.Right - 2, Rect.Top);
                C.LineTo(Rect.Right - 2, Rect.Bottom - 1);
                C.Pen().SetColor(clWhite);
                C.MoveTo(Rect.Right - 1, Rect.Top);
                C.LineTo(Rect.Right - 1, Rect.Bottom - 1);
            }
            break;
        default: break;
        }
    }

    // 21. fixed right columns of a flat grid
    if (FixedRightCols > 0 && FixedRightCols >= AllColCount() - P.RCol && FParts->FLook != glClassic && Flat) {
        C.Pen().SetColor(clGray);
        C.Pen().SetWidth(1);
        if (Options().Contains(goFixedHorzLine)) {
            C.MoveTo(Rect.Left - 1, Rect.Top - 1);
            C.LineTo(Rect.Right + 1, Rect.Top - 1);
            C.MoveTo(Rect.Left - 1, Rect.Bottom);
            C.LineTo(Rect.Right + 1, Rect.Bottom);
        }
        if (Options().Contains(goFixedVertLine)) {
            C.MoveTo(Rect.Left - 1, Rect.Top - 1);
            C.LineTo(Rect.Left - 1, Rect.Bottom + 1);
            C.MoveTo(Rect.Right, Rect.Top - 1);
            C.LineTo(Rect.Right, Rect.Bottom + 1);
        }
    }

    // 22. node tree lines
    if (P.RCol == 0 && HasNodes() && ARow >= FixedRows() && FParts->FCellNode->ShowTree()) {
        C.Pen().SetColor(FParts->FCellNode->TreeColor());
        C.Pen().SetWidth(1);
        const int L = GetNodeLevel(ARow);
        const int I = FParts->FCellNode->NodeIndent();
        Rect.Left = L * I;
        const int x0 = L * I + I / 2 - I + 2;
        const int ym = (Rect.Top + Rect.Bottom) / 2;
        if (L > 0) {
            C.MoveTo(x0, ym);
            C.LineTo(FParts->FCellNode->ShowTreeFull() ? Rect.Right : Rect.Left + 4, ym);
        }
        const int span = GetNodeSpanType(ARow);
        if (span == 1) {
            C.MoveTo(x0, Rect.Top);
            C.LineTo(x0, ym);
        } else if (span == 2) {
            C.MoveTo(x0, Rect.Top);
            C.LineTo(x0, Rect.Bottom + 4);
        }
        const bool lastRow = ARow == RowCount() - 1;
        const int nextLevel = lastRow ? 0 : GetNodeLevel(ARow + 1);
        for (int i = 1; i <= L; ++i) {
            const int x = x0 - I * i;
            C.MoveTo(x, Rect.Top);
            C.LineTo(x, ym);
            if (lastRow) {
                if (i < L) C.LineTo(x0 + I - I * i, ym);
            } else if (nextLevel != 0) {
                C.LineTo(x, Rect.Bottom + 4);
            } else if (i < L) {
                C.LineTo(x0 + I - I * i, ym);
            }
        }
        C.Pen().SetStyle(psSolid);
    }

    // 23. graphic
    if (P.Graphic && !behind) {
        if (P.Graphic->CellType == ctInterface) {
            FParts->Paint.PaintCellGraphic(P);
        } else {
            const TRect keep = Rect;
            if (isFixed) Rect.Top += 1;
            FParts->Paint.PaintCellGraphic(P);
            Rect = keep;
        }
    }

    // 24., 25. the application's drawing
    if (OnDrawCell)
        OnDrawCell(this, P.RCol, ARow,
                   TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - GridLineWidth(), Rect.Bottom - GridLineWidth()},
                   P.State);
    if (OnCustomCellDraw) OnCustomCellDraw(this, &C, P.RCol, ARow, P.State, Rect, false);

    // 26. focus rectangle
    if (!HideFocusRect) {
        const TPoint b = BaseCell(ACol, ARow);
        if (b.X == Col() && b.Y == Row() && Focused() && !Options().Contains(goRowSelect) && Row() >= FixedRows() &&
            Col() >= FixedCols()) {
            TRect f = Grown(Rect, GridLineWidth() - 1);
            f.Right -= 1;
            f.Bottom -= 1;
            C.DrawFocusRect(f);
        }
    }
    // 27. column numbers are shown only while designing, which this
    // program never does.
}

void TGridPaintPart::PaintCellBorders(TCanvas& ACanvas, int ACol, int ARow, TRect ARect)
{
    // 1.
    TPen pen;
    pen.Assign(ACanvas.Pen());
    TCellBorders borders = 0;
    G.GetCellBorder(ACol, ARow, &pen, borders);
    if (borders == 0 && !G.OnGetCellBorderProp) return;
    // 2.
    TPen left(pen), top(pen), right(pen), bottom(pen);
    if (G.OnGetCellBorderProp) G.OnGetCellBorderProp(&G, ARow, ACol, &left, &top, &right, &bottom);
    if (borders == 0) return;
    ACanvas.SaveState();
    // 3.
    const int h = (pen.Width() + 1) / 2;
    const int hx = G.Options().Contains(goVertLine) ? h : 0;
    const int hy = G.Options().Contains(goHorzLine) ? h : 0;
    TRect& R = ARect;
    R.Left += hx;
    R.Bottom -= hy;
    // 4.
    if (borders & CellBorderBit(cbLeft)) {
        ACanvas.Pen().Assign(left);
        ACanvas.MoveTo(std::max(0, R.Left), R.Top);
        ACanvas.LineTo(std::max(0, R.Left), R.Bottom);
    }
    // 5.
    R.Right -= hx;
    if (borders & CellBorderBit(cbRight)) {
        ACanvas.Pen().Assign(right);
        ACanvas.MoveTo(R.Right - 1, R.Top);
        ACanvas.LineTo(R.Right - 1, R.Bottom);
    }
    // 6.
    if (borders & CellBorderBit(cbTop)) {
        ACanvas.Pen().Assign(top);
        R.Top += hy;
        const int y = G.GridLineWidth() != 0 ? std::max(0, R.Top - G.GridLineWidth()) : R.Top + 1;
        ACanvas.MoveTo(R.Left, y);
        ACanvas.LineTo(R.Right, y);
    }
    // 7.
    if (borders & CellBorderBit(cbBottom)) {
        ACanvas.Pen().Assign(bottom);
        ACanvas.MoveTo(R.Left - G.GridLineWidth() - 1, R.Bottom - 1);
        ACanvas.LineTo(R.Right, R.Bottom - 1);
    }
    // 8.
    ACanvas.RestoreState();
}

void TExStringGrid::SetRowIndicator(const TBitmap& Value)
{
    FParts->Paint.FRowIndicator.Assign(&Value);
    Invalidate();
}
