// TExStringGrid: the graphic step of the cell painter: the size and place
// of a cell's graphic and the drawing of each kind (bitmaps, images, check
// boxes, radio buttons, node glyphs, buttons, pictures, comments, rotated
// text, self-drawing objects).

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridDecor.h"
#include "widgets/GridDraw.h"
#include "widgets/GridParsers.h"
#include "widgets/grid_render/Paint.h"

#include "platform/DrawText.h"
#include "platform/ImgList.h"
#include "platform/SysUtils.h"
#include "platform/Themes.h"

#include <algorithm>
#include <cmath>

namespace {

TPoint ObjectSize(const TObject* o)
{
    if (const auto* ps = dynamic_cast<const IPictureSize*>(o)) return {ps->PictureWidth(), ps->PictureHeight()};
    if (const auto* b = dynamic_cast<const TBitmap*>(o)) return {b->Width(), b->Height()};
    if (const auto* f = dynamic_cast<const TFilePicture*>(o)) return {f->Width(), f->Height()};
    return {0, 0};
}

bool IsCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctRadioButton || t == ctTriStateCheckBox;
}

} // namespace

double LimitPercent(double X) { return std::clamp(X, 0.0, 100.0); }

// --- size and place -------------------------------------------------------------------------

TCellGraphic* TGridPaintPart::GetCellGraphicInfo(int ACol, int ARow, TCellVAlign& VAlign, TCellHAlign& HAlign,
                                                bool& TextAllowed, int& Height, int& Width)
{
    Width = 0;
    Height = 0;
    TextAllowed = true;
    HAlign = haLeft;
    VAlign = vaTop;
    TCellGraphic* g = G.GetCellGraphic(ACol, ARow);
    if (!g) return nullptr;
    TCustomImageList* images = G.GetGridImages();
    const int check = G.FParts->FControlLook->CheckSize();
    TPoint sz{0, 0};
    switch (g->CellType) {
    case ctBitmap: sz = ObjectSize(g->CellBitmap); break;
    case ctIcon: sz = ObjectSize(g->CellIcon); break;
    case ctImageList:
    case ctDataImage:
        if (images) sz = {images->Width(), images->Height()};
        TextAllowed = g->CellType == ctImageList;
        break;
    case ctCheckBox:
    case ctTriStateCheckBox: sz = {check, check}; break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        sz = {check, check};
        TextAllowed = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress: TextAllowed = false; break;
    case ctImages: {
        const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap);
        const int n = list ? list->Count() : 0;
        if (images)
            sz = g->CellBoolean ? TPoint{n * images->Width(), images->Height()}
                                : TPoint{images->Width(), n * images->Height()};
        break;
    }
    case ctPicture:
    case ctFilePicture: {
        const TPoint cell = G.CellSize(G.Model().DisplCol(ACol), ARow);
        sz = g->GetPictureSize(cell.X, cell.Y, !G.Cells(ACol, ARow).empty());
        break;
    }
    case ctButton:
    case ctBitButton: sz = {g->CellIndex & 0xFFFF, (g->CellIndex >> 16) & 0xFFFF}; break;
    case ctProgressPie: sz = {20, 20}; break;
    case ctInterface:
        if (auto* i = dynamic_cast<IGridCellGraphic*>(g->CellBitmap)) sz = {i->GetWidth(), i->GetHeight()};
        break;
    case ctRadioButton: sz = {G.FParts->FControlLook->RadioSize() + 4, G.FParts->FControlLook->RadioSize() + 4}; break;
    case ctShape: {
        const int s = G.RowHeights(ARow) - 2 * G.XYOffset.Y;
        sz = {s, s};
        break;
    }
    case ctRating:
        sz = {g->CellAngle * 18, 16};
        TextAllowed = false;
        break;
    default: break;
    }
    Width = sz.X;
    Height = sz.Y;
    HAlign = g->CellHAlign;
    VAlign = g->CellVAlign;
    return g;
}

// --- check boxes and radio buttons -------------------------------------------------------------

void TGridPaintPart::DrawCheck(TCanvas& ACanvas, const TRect& R, bool Checked, TCheckBoxState State, bool UseState,
                              TControlStyle Style, bool Grayed, bool Enabled)
{
    TCanvas& C = ACanvas;
    // 1.
    if (G.FParts->FControlLook->NoDisabledCheckRadioLook() || G.FParts->FControlLook->CheckAlwaysActive) Enabled = true;
    if (Style == csTheme && !(G.FParts->FIsComCtl6 && IsThemeActive())) Style = csClassic;
    // 2.
    if (UseState) {
        Checked = State == cbChecked;
        if (State == cbGrayed) Grayed = true;
    }
    const int size = G.FParts->FControlLook->CheckSize();
    // 3.
    switch (Style) {
    case csWinXP:
    case csNUV: {
        EnsureGridBitmaps();
        const int base = Style == csWinXP ? 5 : 1;
        const int n = base + (Checked ? (Enabled ? 0 : 2) : (Enabled ? 1 : 3));
        TBitmap b;
        b.LoadFromResourceName("ESGCHK0" + std::to_string(n));
        C.DrawTransparent(R.Left, R.Top, b);
        break;
    }
    case csGlyph: {
        const TBitmap& b = Checked ? G.FParts->FControlLook->CheckedGlyph() : G.FParts->FControlLook->UnCheckedGlyph();
        if (!b.Empty()) C.DrawTransparent(R.Left, R.Top, b);
        break;
    }
    case csVornal: {
        C.Brush().SetColor(Enabled ? clBtnFace : clBtnShadow);
        C.Pen().SetColor(clBtnFace);
        C.Rectangle(R);
        C.Pen().SetColor(clBtnHighlight);
        C.MoveTo(R.Left, R.Bottom - 1);
        C.LineTo(R.Left, R.Top);
        C.LineTo(R.Right - 1, R.Top);
        C.Pen().SetColor(clBtnShadow);
        C.LineTo(R.Right - 1, R.Bottom - 1);
        C.LineTo(R.Left, R.Bottom - 1);
        if (Checked) {
            C.Pen().SetColor(Enabled ? G.FParts->FControlLook->Color() : clGray);
            C.Pen().SetWidth(1);
            const int L = R.Left, T = R.Top - 1, B = R.Bottom - 1, s = size / 2;
            C.MoveTo(L + 2, R.Top + s);
            C.LineTo(L + 2, B - 1);
            C.MoveTo(L + 3, T + s);
            C.LineTo(L + 3, B - 2);
            C.MoveTo(L + 2, B - 1);
            C.LineTo(R.Right - 2, T + 3);
            C.MoveTo(L + 3, B - 1);
            C.LineTo(R.Right - 1, T + 3);
        }
        break;
    }
    case csTheme: {
        int state = Checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
        if (Grayed) state = CBS_MIXEDNORMAL;
        if (!Enabled) state += 3;
        HTHEME theme = OpenThemeData(nullptr, "button");
        DrawThemeBackground(theme, C, BP_CHECKBOX, state, {R.Left, R.Top, R.Left + size, R.Top + size});
        CloseThemeData(theme);
        break;
    }
    default: {
        // csClassic, csFlat: the frame control in a square centred in R.
        const int x = R.Left + (R.Right - R.Left - size) / 2;
        const int y = R.Top + (R.Bottom - R.Top - size) / 2;
        unsigned flags = DFCS_BUTTONCHECK;
        if (Checked) flags |= DFCS_CHECKED;
        if (Grayed) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
        if (Style == csFlat) flags |= DFCS_FLAT;
        if (!Enabled) flags |= DFCS_INACTIVE;
        DrawFrameControl(C, {x, y, x + size, y + size}, DFC_BUTTON, flags);
        break;
    }
    }
}

void TGridPaintPart::DrawRadioGroup(TCanvas& ACanvas, const TRect& R, bool Reverse, double Scale, TControlStyle Style,
                                   int ARow, int ACol, bool Selected, const TStringList* Items, bool Disabled,
                                   bool Across, int SelectedIndex, int Count)
{
    TCanvas& C = ACanvas;
    // 1.
    if (G.FParts->FControlLook->NoDisabledCheckRadioLook() || G.FParts->FControlLook->RadioAlwaysActive)
        Disabled = false;
    const int step = Reverse ? -1 : 1;
    C.SetBkMode(bkTransparent);
    if (Count <= 0) return;
    if (Style == csTheme && !IsThemeActive()) Style = csClassic;
    if (Style == csWinXP || Style == csNUV) EnsureGridBitmaps();
    const bool bitmaps = Style == csWinXP || Style == csNUV || Style == csGlyph;
    int offset = 0;
    const int S = G.FParts->FControlLook->RadioSize();
    const int H = C.TextHeight("gh");
    const std::string cellText = G.Cells(ACol, ARow);
    // 2.
    for (int i = 1; i <= Count; ++i) {
        std::string text;
        const bool hasText = Items && i - 1 < Items->Count();
        if (hasText) {
            text = Items->Strings(i - 1);
            if (Selected && G.ShowSelection && G.SelectionTextColor != clNone) C.Font().SetColor(G.SelectionTextColor);
        }
        const bool on = i == SelectedIndex + 1 || (SelectedIndex == -1 && hasText && text == cellText);
        if (Style == csClassic || Style == csFlat) {
            const int bs = static_cast<int>(std::lround(Scale * S));
            int x = 0, y = 0;
            if (Across) {
                x = (i - 1) * S + offset + R.Left + 2;
                y = R.Top + (R.Bottom - R.Top - S) / 2;
                if (hasText) {
                    C.TextOut(x + bs, y - 2, text);
                    offset += C.TextWidth(text);
                }
            } else {
                y = R.Top + H * (i - 1) * step + 2;
                if (hasText) {
                    x = R.Left + 2;
                    C.TextOut(x + static_cast<int>(std::lround(Scale * (S + 4))), y - 2, text);
                } else {
                    x = R.Left + (R.Right - R.Left - bs) / 2;
                }
            }
            const int size = Style == csFlat ? S + 2 : bs;
            unsigned flags = DFCS_BUTTONRADIO;
            if (Style == csFlat) flags |= DFCS_FLAT;
            if (Disabled) flags |= DFCS_INACTIVE;
            if (on) flags |= DFCS_CHECKED;
            DrawFrameControl(C, {x, y, x + size, y + size}, DFC_BUTTON, flags);
            continue;
        }
        // 16-pixel buttons
        int x = 0, y = 0;
        if (Across) {
            x = offset + R.Left + 16 * i - 14;
            y = R.Top + (R.Bottom - R.Top - 16) / 2;
            if (hasText) {
                C.TextOut(x + 16, bitmaps ? y + 1 : y - 2, text);
                offset += C.TextWidth(text);
            }
        } else {
            const int lh = std::max(16, H);
            if (hasText) {
                x = R.Left + 2;
                y = R.Top + lh * (i - 1) * step + 2;
                if (bitmaps)
                    C.TextOut(R.Left + 18, y + 1, text);
                else
                    C.TextOut(R.Left + 20, y - 2, text);
            } else {
                x = R.Left + (R.Right - R.Left - 16) / 2;
                y = R.Top + lh * (i - 1) * step + 2;
            }
        }
        switch (Style) {
        case csVornal: {
            // A locked button is filled and marked like a locked Vornal
            // check box: shadow face, grey mark.
            C.Brush().SetColor(Disabled ? clBtnShadow : clBtnFace);
            C.Pen().SetColor(Disabled ? clBtnShadow : clBtnFace);
            C.Polygon({{x + 2, y + 8}, {x + 8, y + 2}, {x + 14, y + 8}, {x + 8, y + 14}});
            C.Pen().SetColor(on ? clGray : clWhite);
            C.MoveTo(x + 2, y + 8);
            C.LineTo(x + 8, y + 2);
            C.LineTo(x + 14, y + 8);
            C.Pen().SetColor(on ? clWhite : clGray);
            C.LineTo(x + 8, y + 14);
            C.LineTo(x + 2, y + 8);
            if (on) {
                const TColor mark = Disabled ? clGray : G.FParts->FControlLook->Color();
                C.Brush().SetColor(mark);
                C.Pen().SetColor(mark);
                C.Polygon({{x + 6, y + 8}, {x + 8, y + 6}, {x + 10, y + 8}, {x + 8, y + 10}});
            }
            break;
        }
        case csTheme: {
            int state = on ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL;
            if (Disabled) state += 3;
            HTHEME theme = OpenThemeData(nullptr, "button");
            DrawThemeBackground(theme, C, BP_RADIOBUTTON, state, {x, y, x + 16, y + 16});
            CloseThemeData(theme);
            break;
        }
        case csGlyph: {
            const TBitmap& b = on ? G.FParts->FControlLook->RadioOnGlyph() : G.FParts->FControlLook->RadioOffGlyph();
            if (!b.Empty()) C.DrawTransparent(x, y, b);
            break;
        }
        default: {
            const int base = Style == csWinXP ? 5 : 1;
            const int n = base + (on ? (Disabled ? 2 : 0) : (Disabled ? 3 : 1));
            TBitmap b;
            b.LoadFromResourceName("ESGRAD0" + std::to_string(n));
            C.DrawTransparent(x, y, b);
            break;
        }
        }
    }
}

// --- the graphic step of the painter ------------------------------------------------------------

void TGridPaintPart::PaintCellGraphic(TCellPaintRecord& P)
{
    TCellGraphic* g = P.Graphic;
    if (!g) return;
    TCanvas& C = *P.Canvas;
    TRect R = P.Rect;
    const int w = P.GraphicW, h = P.GraphicH;
    const int te = P.TextExtent > 0 ? P.TextExtent + 2 : 0;
    const TCellType type = g->CellType;

    // 1.
    if (type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress) {
        const int dx = 1 - G.XYOffset.X, dy = 1 - G.XYOffset.Y;
        R = {R.Left - dx, R.Top - dy, R.Right + dx, R.Bottom + dy};
    }
    // 2. horizontal place
    int x1 = R.Left + 1, x2 = -1;
    auto clampLeft = [&] {
        if (x1 < R.Left) x1 = R.Left + 1;
    };
    if (IsCheckKind(type)) {
        const bool beside = type == ctCheckBox || type == ctRadioButton || type == ctTriStateCheckBox;
        switch (P.HA) {
        case TAlignment::taRightJustify: x1 = (beside ? R.Right - te : R.Right) - w - 1; break;
        case TAlignment::taCenter:
            if (beside && te >= 1)
                x1 = R.Left + std::max(0, R.Right - te - R.Left) / 2 - w;
            else
                x1 = R.Left + std::max(0, R.Right - w - R.Left) / 2;
            break;
        default: x1 = R.Left + 1; break;
        }
        clampLeft();
    } else {
        switch (g->CellHAlign) {
        case haLeft: x1 = R.Left + 1; break;
        case haRight:
            x2 = R.Right - 1;
            x1 = x2 - w;
            break;
        case haCenter: x1 = w < R.Right - R.Left ? R.Left + (R.Right - R.Left - w) / 2 : R.Left + 1; break;
        case haFull:
            x1 = R.Left;
            x2 = R.Right;
            break;
        case haBeforeText:
            if (P.HA == TAlignment::taRightJustify)
                x1 = R.Right - te - w;
            else if (P.HA == TAlignment::taCenter)
                x1 = R.Left + (R.Right - R.Left - te - w) / 2;
            else
                x1 = R.Left + 1;
            clampLeft();
            break;
        case haAfterText:
            if (P.HA == TAlignment::taRightJustify) {
                x2 = R.Right - 1;
                x1 = x2 - w;
            } else if (P.HA == TAlignment::taCenter) {
                x1 = R.Left + te + (R.Right - R.Left - te - w) / 2;
                clampLeft();
            } else {
                x1 = R.Left + te;
            }
            break;
        }
    }
    if (x2 < 0) x2 = x1 + w;
    // 3. vertical place
    TCellVAlign va = g->CellVAlign;
    if (IsCheckKind(type) && P.VA != G.VAlignment)
        va = P.VA == vtaTop ? vaTop : P.VA == vtaCenter ? vaCenter : vaBottom;
    int y1 = R.Top + 1, y2 = -1;
    switch (va) {
    case vaBottom:
        y2 = R.Bottom - 1;
        y1 = y2 - h;
        break;
    case vaCenter: y1 = h < R.Bottom - R.Top ? R.Top + (R.Bottom - R.Top - h) / 2 : R.Top + 1; break;
    case vaUnderText:
        y1 = R.Bottom - h;
        y2 = R.Bottom;
        break;
    case vaFull:
        y1 = R.Top;
        y2 = R.Bottom;
        break;
    default: y1 = R.Top + 1; break;
    }
    if (y2 < 0) y2 = y1 + h;
    TRect GR{x1, y1, x2, y2};

    // 4.
    bool enabled = true;
    switch (type) {
    case ctBitmap:
        if (const auto* b = dynamic_cast<const TBitmap*>(g->CellBitmap)) {
            if (g->CellTransparent)
                C.DrawTransparent(x1, y1, *b);
            else
                C.Draw(x1, y1, *b);
        }
        break;
    case ctIcon:
        if (const auto* b = dynamic_cast<const TBitmap*>(g->CellIcon)) C.DrawTransparent(x1, y1, *b);
        break;
    case ctImageList:
        if (TCustomImageList* images = G.GetGridImages()) images->Draw(C, x1, y1, g->CellIndex);
        break;
    case ctCheckBox:
    case ctRowCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctTriStateCheckBox:
    case ctRadioButton: {
        G.CanEditCell(P.RCol, P.Row, enabled);
        const TControlStyle style = G.FParts->FControlLook->ControlStyle();
        if (type == ctCheckBox || type == ctRowCheckBox) {
            DrawCheck(C, GR, g->CellBoolean, cbUnchecked, false, style, g->CellAngle > 0, enabled);
        } else if (type == ctDataCheckBox || type == ctVirtCheckBox) {
            const bool checked = G.Cells(P.RCol, P.Row) == G.GetCheckTrue(P.RCol, P.Row);
            DrawCheck(C, GR, checked, cbUnchecked, false, style, false, enabled);
        } else if (type == ctTriStateCheckBox) {
            DrawCheck(C, GR, false, g->CellCheckBoxState, true, style, g->CellAngle > 0, enabled);
        } else {
            const int x = x1 + G.XYOffset.X;
            const int S = G.FParts->FControlLook->RadioSize();
            DrawRadioGroup(C, {x, y1, x + S, y1 + S}, false, 1, style, P.Row, P.RCol, false, nullptr, !enabled,
                           false, g->CellBoolean ? 0 : -1, 1);
        }
        break;
    }
    case ctRotated: {
        TRect cr = G.CellRect(P.DCol, P.Row);
        cr = {cr.Left + 2, cr.Top + 2, cr.Right - 2, cr.Bottom - 2};
        const std::string text = G.Cells(P.RCol, P.Row);
        TRect origin = G.CellRect(P.DCol, P.Row);
        C.SaveState();
        DrawRotatedText(origin, g->CellAngle, P.VA, P.HA, text);
        C.Font().SetOrientation(g->CellAngle * 10);
        C.SetBkMode(bkTransparent);
        C.IntersectClipRect(cr);
        C.TextOut(origin.Left, origin.Top, text);
        C.RestoreState();
        if (IsSortIndicatorCell(P.RCol, P.Row) &&
            (G.FParts->FSortSettings->Column == P.RCol || G.FModel->FSortIndexes.FindIndex(P.RCol) >= 0) && G.FixedRows() >= 1 &&
            (P.RCol >= G.FixedCols() || G.FParts->FSortSettings->FixedCols) &&
            (G.FModel->FSortIndexes.FindIndex(P.RCol) < 1 || G.FParts->FSortSettings->IndexShow))
            DrawSortIndicator(C, P.RCol, GR.Top + 8, GR.Right - 10);
        break;
    }
    case ctDataImage: {
        TCustomImageList* images = G.GetGridImages();
        int v = 0;
        if (images && TryStrToInt(Trim(G.Cells(P.RCol, P.Row)), v)) {
            const long long n = static_cast<long long>(v) + g->CellIndex;
            if (n >= 0 && n < images->Count()) images->Draw(C, x1, y1, static_cast<int>(n));
        }
        break;
    }
    case ctNode: PaintNodeGlyph(P, R); break;
    case ctRadio: {
        bool canEdit = true;
        G.CanEditCell(P.RCol, P.Row, canEdit);
        const auto* items = dynamic_cast<const TCellStrings*>(g->CellBitmap);
        DrawRadioGroup(C, R, false, 1, G.FParts->FControlLook->ControlStyle(), P.Row, P.RCol,
                       P.State.Contains(gdSelected), items, !canEdit, g->CellBoolean, g->CellIndex,
                       items ? items->Count() : 0);
        break;
    }
    case ctImages: {
        TCustomImageList* images = G.GetGridImages();
        const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap);
        if (images && list) {
            int x = x1, y = y1;
            for (int i = 0; i < list->Count(); ++i) {
                images->Draw(C, x, y, list->GetInteger(i));
                if (g->CellBoolean)
                    x += images->Width();
                else
                    y += images->Height();
            }
        }
        break;
    }
    case ctPicture:
        if (const auto* b = dynamic_cast<const TBitmap*>(g->CellBitmap)) {
            if (g->CellAngle != 0)
                C.StretchDraw(GR, *b);
            else if (g->CellTransparent)
                C.DrawTransparent(GR.Left, GR.Top, *b);
            else
                C.Draw(GR.Left, GR.Top, *b);
        }
        break;
    case ctFilePicture:
        if (const auto* f = dynamic_cast<const TFilePicture*>(g->CellBitmap)) f->DrawPicture(C, GR);
        break;
    case ctComment:
        if (G.FParts->FControlLook->CommentColor() != clNone) {
            const TColor c = g->CellAngle != static_cast<int>(clNone) ? static_cast<TColor>(g->CellIndex)
                                                                      : G.FParts->FControlLook->CommentColor();
            const int T = R.Top - G.XYOffset.Y + 1;
            const int X = R.Right + G.XYOffset.X;
            C.Brush().SetColor(c);
            C.Pen().SetColor(c);
            C.Polygon({{X - 8, T}, {X - 3, T}, {X - 3, T + 5}});
            C.Brush().SetColor(G.Color());
        }
        break;
    case ctButton:
    case ctBitButton:
    case ctExpand: PaintCellButton(P, GR, R); break;
    case ctInterface:
        if (auto* i = dynamic_cast<IGridCellGraphic*>(g->CellBitmap))
            i->Draw(C, {P.Rect.Left - 1, P.Rect.Top - 1, P.Rect.Right, P.Rect.Bottom}, P.RCol, P.Row,
                    P.State.Contains(gdSelected), &G);
        break;
    default: PaintValueGraphic(P, GR, R); break;
    }
}

// Node glyphs (+/- boxes, leaves, XP arrows, own glyphs) and the tree line
// through them.
void TGridPaintPart::PaintNodeGlyph(TCellPaintRecord& P, const TRect& R)
{
    TCanvas& C = *P.Canvas;
    TCellGraphic* g = P.Graphic;
    const int I = G.FParts->FCellNode->NodeIndent();
    const int indent = G.RowNodeIndent(P.Row);
    const int L0 = indent - I;
    const int xc = L0 + I / 2 + 2;
    const int height = R.Bottom - R.Top;
    const bool contracted = g->CellBoolean;
    // 1. tree lines
    if (G.FParts->FCellNode->ShowTree() && P.Row >= G.FixedRows()) {
        C.Pen().SetColor(G.FParts->FCellNode->TreeColor());
        C.Pen().SetWidth(1);
        const int ym = (R.Top + R.Bottom) / 2;
        if (P.Row + 1 < G.RowCount()) {
            const int next = G.RowNodeIndent(P.Row + 1);
            if (next > 0 && !(G.GetNodeState(P.Row) && next < indent)) {
                C.MoveTo(xc, ym);
                C.LineTo(xc, R.Bottom);
            }
        }
        if (P.Row > 0 && G.RowNodeIndent(P.Row - 1) >= indent) {
            C.MoveTo(xc, R.Top);
            C.LineTo(xc, R.Top + 6);
        }
    }
    int x = indent - I / 2 - 4;
    if (P.DCol < G.FixedCols() && !G.Flat &&
        (G.FParts->FLook == glSoft || G.FParts->FLook == glNUV || G.FParts->FLook == glXP || G.FParts->FLook == glListView))
        ++x;
    // 2. the glyph's background
    TColor bk = C.Brush().Color();
    if (bk == clNone) bk = G.FixedCols() > 0 ? G.FixedColor() : G.Color();
    if (G.ShowSelection &&
        ((P.State.Contains(gdSelected) && !G.FParts->FMouseActions->DisjunctRowSelect()) ||
         (G.FParts->FMouseActions->DisjunctRowSelect() && G.FModel->FRowFlags.Selected(P.SelRow) &&
          G.Options().Contains(goRowSelect) && P.DCol >= G.FixedCols())))
        bk = G.SelectionColor;
    // 3.
    EnsureGridBitmaps();
    const TNodeType type = G.FParts->FCellNode->NodeType();
    auto box = [&](bool flat) {
        const int top = R.Top + std::max(0, height - 8) / 2;
        const TRect b{x + 4, top, x + 12, top + 8};
        if (flat) {
            C.Brush().SetColor(G.FParts->FCellNode->Color);
            C.Pen().SetColor(G.FParts->FCellNode->NodeColor);
            C.Rectangle(b);
            C.MoveTo(b.Left + 2, top + 4);
            C.LineTo(b.Left + 7, top + 4);
            if (contracted) {
                C.MoveTo(b.Left + 4, top + 2);
                C.LineTo(b.Left + 4, top + 7);
            }
        } else {
            C.Brush().SetColor(G.FParts->FCellNode->Color);
            C.FillRect(b);
            TRect e = b;
            DrawEdge(C, e, contracted ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
        }
    };
    switch (type) {
    case cnLeaf: {
        TBitmap b;
        b.LoadFromResourceName(contracted ? "ESGLEAFCLOSE" : "ESGLEAFOPEN");
        DrawBitmapTransparent(C, b, bk, {x, R.Top + (height - 12) / 2, x + b.Width(), R.Bottom});
        break;
    }
    case cnXP: {
        TBitmap b;
        b.LoadFromResourceName(contracted ? "XPNODEC" : "XPNODEO");
        DrawBitmapTransparent(C, b, bk, {x + 4, R.Top + (height - 10) / 2, x + 4 + b.Width(), R.Bottom});
        break;
    }
    case cnGlyph:
        if (!G.FParts->FCellNode->ExpandGlyph().Empty() && !G.FParts->FCellNode->ContractGlyph().Empty()) {
            const TBitmap& b = contracted ? G.FParts->FCellNode->ContractGlyph() : G.FParts->FCellNode->ExpandGlyph();
            DrawBitmapTransparent(C, b, bk, {x, R.Top + (height - b.Height()) / 2, x + b.Width(), R.Bottom});
        } else {
            box(false);
        }
        break;
    case cn3D: {
        C.Brush().SetColor(G.FParts->FCellNode->Color);
        C.FillRect(R);
        C.Pen().SetWidth(1);
        C.Pen().SetColor(clWhite);
        C.MoveTo(R.Left, R.Bottom - 1);
        C.LineTo(R.Left, R.Top);
        C.LineTo(R.Right - 1, R.Top);
        C.Pen().SetColor(clGray);
        C.LineTo(R.Right - 1, R.Bottom - 1);
        C.LineTo(R.Left, R.Bottom - 1);
        box(false);
        break;
    }
    case cnFlat: box(true); break;
    }
}

// Cell buttons, bitmap buttons and expand buttons.
void TGridPaintPart::PaintCellButton(TCellPaintRecord& P, TRect GR, const TRect& R)
{
    TCanvas& C = *P.Canvas;
    TCellGraphic* g = P.Graphic;
    const TCellType type = g->CellType;
    // 1. where the button lies in its cell, for the mouse handling
    g->CellValue = static_cast<double>(((static_cast<unsigned>(GR.Top - P.Rect.Top) & 0xFFFFu) << 16) |
                                       (static_cast<unsigned>(GR.Left - P.Rect.Left) & 0xFFFFu));
    // 2.
    const std::string caption = g->CellText;
    C.SaveState();
    C.SetBkColor(clBtnFace);
    // 3.
    bool enabled = true;
    if (!G.FParts->FControlLook->NoDisabledButtonLook()) G.CanEditCell(P.RCol, P.Row, enabled);
    int style = G.FParts->FControlLook->FlatButton() ? cpkFlat : (IsThemeActive() ? cpkThemed : cpkClassic);
    if (G.Flat && FTones.Background.BrushColor != clNone) style = cpkOwnerDrawn;
    int state = g->CellBoolean ? cpsPressed
                               : (G.FParts->Input.FHoverButton.X == P.DCol && G.FParts->Input.FHoverButton.Y == P.Row ? cpsHot : cpsNormal);
    if (!enabled && type != ctExpand) state = cpsDisabled;
    // 4.
    if (type == ctExpand) GR = {R.Right - 13, R.Top, R.Right, R.Top + 13};
    // 5.
    DrawButtonFace(C, nullptr, GR, FTones, state, style);
    if (state == cpsPressed) GR = {GR.Left + 1, GR.Top + 1, GR.Right + 1, GR.Bottom + 1};
    // 6.
    if (type == ctBitButton)
        if (const auto* glyph = dynamic_cast<const TBitmap*>(g->CellBitmap); glyph && !glyph->Empty()) {
            const int dx = (GR.Right - GR.Left) - glyph->Width();
            int dy = (GR.Bottom - GR.Top - glyph->Height()) / 2;
            if (GR.Bottom - GR.Top - glyph->Height() < 1) dy = 3;
            if (!caption.empty() || dx < 1) {
                C.DrawTransparent(GR.Left + 3, GR.Top + dy, *glyph);
                GR.Left += glyph->Width() + 4;
            } else {
                C.DrawTransparent(GR.Left + dx / 2, GR.Top + dy, *glyph);
            }
        }
    // 7.
    GR.Left += 1;
    C.SetBkMode(bkTransparent);
    if (style == cpkOwnerDrawn) {
        const TColorTone* tone[] = {&FTones.Background, &FTones.Hover, &FTones.Selected, &FTones.Disabled};
        C.Font().SetColor(tone[state]->TextColor);
    }
    // 8.
    if (type == ctExpand) {
        C.Pen().SetColor(clBlack);
        C.Pen().SetWidth(1);
        const bool expanded = std::holds_alternative<bool>(g->CellVar) && std::get<bool>(g->CellVar);
        if (!expanded) {
            C.MoveTo(R.Right - 10, R.Top + 5);
            C.LineTo(R.Right - 7, R.Top + 8);
            C.LineTo(R.Right - 3, R.Top + 4);
        } else {
            C.MoveTo(R.Right - 10, R.Top + 8);
            C.LineTo(R.Right - 7, R.Top + 5);
            C.LineTo(R.Right - 3, R.Top + 9);
        }
    } else {
        unsigned flags = DT_CENTER | DT_END_ELLIPSIS;
        flags |= caption.find('\r') != std::string::npos ? DT_WORDBREAK : (DT_VCENTER | DT_SINGLELINE);
        DrawTextEx(C, caption, GR, flags);
    }
    C.RestoreState();
}

// Progress bars, pies, range indicators, shapes and ratings. A cell whose
// text is not a number shows the graphic of 0.
void TGridPaintPart::PaintValueGraphic(TCellPaintRecord& P, const TRect& GR, TRect R)
{
    TCellGraphic* g = P.Graphic;
    TCanvas& C = *P.Canvas;
    auto floatValue = [&] {
        try {
            return G.Floats(P.RCol, P.Row);
        } catch (const Exception&) {
            return 0.0;
        }
    };
    auto intValue = [&] {
        try {
            return G.Ints(P.RCol, P.Row);
        } catch (const Exception&) {
            return 0;
        }
    };
    const int mx = G.FParts->FControlLook->ProgressMarginX(), my = G.FParts->FControlLook->ProgressMarginY();
    switch (g->CellType) {
    case ctProgress: {
        const TControlStyle style = G.FParts->FControlLook->ControlStyle();
        HTHEME theme = nullptr;
        if ((style == csWinXP || style == csTheme) && G.FParts->FControlLook->ProgressXP() && IsThemeActive())
            theme = OpenThemeData(nullptr, "Progress");
        if (theme) {
            R = {R.Left + mx, R.Top + my, R.Right - mx, R.Bottom - my};
            DrawThemeBackground(theme, C, PP_BAR, 0, R);
            R = {R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
            TRect done = R;
            done.Right = R.Left + static_cast<int>(std::lround(LimitPercent(floatValue()) * R.Width() / 100.0));
            if (done.Right > done.Left) DrawThemeBackground(theme, C, PP_CHUNK, 1, done);
            CloseThemeData(theme);
        } else {
            R = {R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
            const TColor fill = g->CellBitmapColor, rest = g->CellIconColor;
            TColor fillText, restText;
            if (g->CellBoolean) {
                fillText = static_cast<TColor>(g->CellIndex);
                restText = static_cast<TColor>(g->CellAngle);
            } else {
                fillText = (fill ^ 0xFFFFFF) & 0xFFFFFF;
                restText = (rest ^ 0xFFFFFF) & 0xFFFFFF;
            }
            DrawProgressBar(C, R, fill, false, G.FParts->FControlLook->ProgressBorderColor, g->CellText, g->CellErrLen,
                            g->CellErrFrom, my, mx, floatValue(), restText, rest, fillText);
        }
        break;
    }
    case ctProgressPie:
        DrawProgressPie(C, {GR.Left, GR.Top, GR.Left + 20, GR.Top + 20}, g->CellBitmapColor, false, g->CellAngle);
        break;
    case ctRangeIndicator:
        R = {R.Left + mx, R.Top + my, R.Right - mx, R.Bottom - my};
        DrawRangeIndicator(C, R, intValue(), g->CellIconColor, g->CellBitmapColor, g->CellBoolean, g->CellIndex);
        break;
    case ctXPProgress: {
        R = {R.Left + mx, R.Top + my, R.Right - mx - 1, R.Bottom - my - 1};
        const double span = double(g->CellErrLen) - double(g->CellErrFrom);
        int percent = 0;
        if (span != 0)
            percent = static_cast<int>(
                std::lround(LimitPercent(std::fabs(double(intValue()) - g->CellErrFrom) / span * 100.0)));
        const TGridProgressAppearance& pa = *G.FParts->FProgressAppearance;
        TProgressAppearance a;
        a.LevelColors = {pa.Level0Color(), pa.Level0ColorTo(), pa.Level1Color(), pa.Level1ColorTo(),
                         pa.Level2Color(), pa.Level2ColorTo(), pa.Level3Color(), pa.Level3ColorTo()};
        a.Level1Perc = pa.Level1Perc();
        a.Level2Perc = pa.Level2Perc();
        a.ShowBorder = pa.ShowBorder();
        a.BorderColor = pa.BorderColor();
        a.Stacked = pa.Stacked();
        a.ShowPercentage = pa.ShowPercentage();
        a.CompletionSmooth = pa.CompletionSmooth();
        a.ShowGradient = pa.ShowGradient();
        a.Font = &G.Font();
        a.FontColor = pa.CompleteFontColor();
        a.Steps = pa.Steps();
        a.BackgroundColor = pa.UnCompleteColor() != clNone ? pa.UnCompleteColor() : C.Brush().Color();
        DrawAppearanceProgress(C, R, percent, a);
        break;
    }
    case ctShape:
        DrawCellShape(C, GR.Left, GR.Top, g->CellBitmapColor, static_cast<TColor>(g->CellIndex),
                      static_cast<TCellShape>(g->CellAngle), GR.Bottom - GR.Top - 1, GR.Right - GR.Left - 1);
        break;
    case ctRating: {
        const double v = std::round(floatValue() * 2) / 2;
        const TColor full = static_cast<TColor>(g->CellIndex), empty = g->CellBitmapColor;
        for (int i = 0; i < g->CellAngle; ++i) {
            const int x = GR.Left + 18 * i;
            const TColor c = i + 1 > v ? empty : full;
            DrawCellShape(C, x, GR.Top, c, c, csStar, 16, 16);
            if (i < v && v < i + 1) DrawCellShape(C, x, GR.Top, full, full, csHalfStar, 16, 16);
        }
        break;
    }
    default: break;
    }
}

bool TExStringGrid::FireCanShowFixedDropDown(int ACol)
{
    bool allow = true;
    if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, allow);
    return allow;
}

// --- rotated text --------------------------------------------------------------------------------

int PlaceRotatedText(TRect& Rect, TAlignment HAlign, TVAlignment VAlign, int A, int B, int C, int D, int Angle)
{
    const int quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle > 270 ? 4 : 3;
    int& L = Rect.Left;
    int& T = Rect.Top;
    const int Rt = Rect.Right, Bt = Rect.Bottom;
    const int vc = (B + T + A - Bt) / 2; // the vertical centring term, taken with the old top
    switch (quadrant) {
    case 1:
        if (HAlign == TAlignment::taRightJustify)
            L = Rt - D - C;
        else if (HAlign == TAlignment::taCenter)
            L += (Rt - L - C - D) / 2;
        if (VAlign == vtaTop)
            T += B;
        else if (VAlign == vtaBottom)
            T = Bt - A;
        else
            T = T + B - vc;
        break;
    case 2:
        if (HAlign == TAlignment::taLeftJustify)
            L += D;
        else if (HAlign == TAlignment::taRightJustify)
            L = Rt - C;
        else
            L = Rt - (C + Rt - L - D) / 2;
        if (VAlign == vtaTop)
            T += A + B;
        else if (VAlign == vtaBottom)
            T = Bt;
        else
            T = T + A + B - vc;
        break;
    case 3:
        if (HAlign == TAlignment::taLeftJustify)
            L += C + D;
        else if (HAlign == TAlignment::taRightJustify)
            L = Rt;
        else
            L = Rt - (Rt - L - C - D) / 2;
        if (VAlign == vtaTop)
            T += A;
        else if (VAlign == vtaBottom)
            T = Bt - B;
        else
            T = T + A - vc;
        break;
    default:
        if (HAlign == TAlignment::taLeftJustify)
            L += C;
        else if (HAlign == TAlignment::taRightJustify)
            L = Rt - D;
        else
            L += (C + Rt - L - D) / 2;
        if (VAlign == vtaBottom)
            T = Bt - A - B;
        else if (VAlign == vtaCenter)
            T = T - vc;
        break;
    }
    return quadrant;
}

void TGridPaintPart::DrawRotatedText(TRect& Rect, int Angle, TVAlignment VAlign, TAlignment HAlign,
                                    const std::string& Text)
{
    const TSize e = G.Canvas()->TextExtent(Text);
    Rect = {Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2};
    const double a = Angle * 3.14159265358979323846 / 180.0;
    const int A = std::abs(static_cast<int>(std::trunc(e.cy * std::cos(a))));
    const int B = std::abs(static_cast<int>(std::trunc(e.cx * std::sin(a))));
    const int C = std::abs(static_cast<int>(std::trunc(e.cy * std::sin(a))));
    const int D = std::abs(static_cast<int>(std::trunc(e.cx * std::cos(a))));
    PlaceRotatedText(Rect, HAlign, VAlign, A, B, C, D, Angle);
}
