// TExStringGrid: the text step of the cell painter (selection colours,
// filter button, selection rectangle, mini-HTML, rich and plain text, URLs,
// marked ranges, sort indicators), the displayed text of a cell and the
// display-text decoration (links in text, group counts).

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridDecor.h"
#include "widgets/GridDraw.h"
#include "widgets/GridParsers.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/Paint.h"

#include "platform/DrawText.h"
#include "platform/FormatStr.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

// One mask character per character of the text.
std::string MaskText(const std::string& s, char mask)
{
    return std::string(static_cast<size_t>(Utf8Length(s)), mask);
}

} // namespace

// The visible text of a rich-text cell: groups of control data (font and
// colour tables, destinations marked "\*"), control words and braces
// dropped; "\par" and "\line" give line breaks, "\tab" a tab, "\'hh" the
// character of that code, "\\", "\{" and "\}" themselves.
std::string RichTextToPlain(const std::string& rtf)
{
    std::string out;
    int depth = 0;
    int skipDepth = -1; // depth of a group whose text is not shown
    const size_t n = rtf.size();
    for (size_t i = 0; i < n;) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            ++i;
            // Destinations that hold no visible text.
            static const char* const hidden[] = {"\\fonttbl", "\\colortbl", "\\stylesheet", "\\info", "\\*",
                                                 "\\pict", "\\header", "\\footer"};
            if (skipDepth < 0)
                for (const char* h : hidden)
                    if (rtf.compare(i, std::char_traits<char>::length(h), h) == 0) {
                        skipDepth = depth;
                        break;
                    }
            continue;
        }
        if (c == '}') {
            if (skipDepth == depth) skipDepth = -1;
            --depth;
            ++i;
            continue;
        }
        const bool show = skipDepth < 0;
        if (c == '\\') {
            if (i + 1 >= n) break;
            const char d = rtf[i + 1];
            if (d == '\\' || d == '{' || d == '}') {
                if (show) out += d;
                i += 2;
                continue;
            }
            if (d == '\'') {
                if (i + 3 < n) {
                    const std::string hex = rtf.substr(i + 2, 2);
                    char* end = nullptr;
                    const long v = std::strtol(hex.c_str(), &end, 16);
                    if (show && end && *end == '\0' && hex.size() == 2) {
                        // A code of the single-byte code page (Latin-1 here).
                        const WideString w(1, static_cast<char16_t>(v));
                        out += WideToUtf8(w);
                    }
                }
                i = std::min(n, i + 4);
                continue;
            }
            size_t j = i + 1;
            while (j < n && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
            const std::string word = rtf.substr(i + 1, j - i - 1);
            if (j < n && (rtf[j] == '-' || std::isdigit(static_cast<unsigned char>(rtf[j])))) {
                ++j;
                while (j < n && std::isdigit(static_cast<unsigned char>(rtf[j]))) ++j;
            }
            if (j < n && rtf[j] == ' ') ++j;
            if (word.empty() && j == i + 1) ++j; // a control symbol
            if (show) {
                if (word == "par" || word == "line")
                    out += "\r\n";
                else if (word == "tab")
                    out += '\t';
            }
            i = j;
            continue;
        }
        if (c != '\r' && c != '\n' && show) out += c;
        ++i;
    }
    while (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.erase(out.size() - 2);
    return out;
}

// --- text of a cell -----------------------------------------------------------------------

std::string TExStringGrid::GetFormattedCell(int ACol, int ARow)
{
    std::string text = Cells(ACol, ARow);
    if (!OnGetFloatFormat) return text;
    const int k = NumberTextKind(text);
    if (k != nkInteger && k != nkDecimal && k != nkScientific) return text;
    std::string format = FloatFormat;
    bool isFloat = true;
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!isFloat || format.empty()) return text;
    try {
        if (format.find('d') != std::string::npos) return Format(format, {Ints(ACol, ARow)});
        return Format(format, {Floats(ACol, ARow)});
    } catch (const std::exception&) {
        // A number the cell does not hold or a format that does not fit it:
        // the cell shows its own text.
    }
    return text;
}

void TExStringGrid::FireGetDisplText(int ACol, int ARow, std::string& Value) const
{
    TBaseGrid::FireGetDisplText(ACol, ARow, Value);
    if (URLShowInText) {
        static const char* const prefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://",
                                               "FTP://"};
        for (const char* p : prefixes) {
            std::string anchored;
            if (URLToAnchor(Value, p, anchored)) {
                Value = anchored;
                break;
            }
        }
    }
    if (FParts->FGrouping->ShowGroupCount && ACol == 1 && IsNodeRow(ARow)) {
        const int n = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
        if (!FParts->FGrouping->GroupCountFormat.empty()) {
            try {
                Value += Format(FParts->FGrouping->GroupCountFormat, {n});
            } catch (const std::exception&) {
                Value += " (" + std::to_string(n) + ")";
            }
        } else {
            Value += " (" + std::to_string(n) + ")";
        }
    }
}

// --- sort indicators ----------------------------------------------------------------------

bool TGridPaintPart::IsSortIndicatorCell(int ACol, int ARow)
{
    if (!G.FParts->FSortSettings->Show() || G.FixedRows() + 1 >= G.RowCount()) return false;
    const int r = ARow >= 0 && ACol >= 0 ? G.BaseCell(ACol, ARow).Y : ARow;
    return r == G.FParts->FSortSettings->Row();
}

void TGridPaintPart::DrawSortIndicator(TCanvas& ACanvas, int ACol, int Y, int X)
{
    TCanvas& C = ACanvas;
    const TSortSettings& s = *G.FParts->FSortSettings;
    C.SaveState();
    if (s.IndexShow) {
        const int idx = G.FModel->FSortIndexes.FindIndex(ACol);
        if (idx >= 0) {
            C.Brush().SetColor(s.IndexColor);
            C.SetBkMode(bkTransparent);
            C.Font().SetColor(clBlack);
            C.Font().SetSize(6);
            const bool descending = !G.FModel->FSortIndexes.GetSortDirections(idx);
            const bool glyphs = !s.IndexUpGlyph().Empty() && !s.IndexDownGlyph().Empty();
            C.Pen().SetColor(clBlack);
            if (descending) {
                if (!glyphs)
                    C.Polygon({{X - 7, Y - 5}, {X + 7, Y - 5}, {X, Y + 8}});
                else
                    C.DrawTransparent(X - 7, Y - 7, s.IndexUpGlyph());
                C.TextOut(X - 2, Y - 4, std::to_string(idx + 1));
            } else {
                if (!glyphs)
                    C.Polygon({{X - 6, Y + 8}, {X + 6, Y + 8}, {X, Y - 4}});
                else
                    C.DrawTransparent(X - 7, Y - 7, s.IndexDownGlyph());
                C.TextOut(X - 2, Y - 2, std::to_string(idx + 1));
            }
        }
    } else {
        const bool glyphs = !s.UpGlyph().Empty() && !s.DownGlyph().Empty();
        C.Pen().SetWidth(1);
        C.Pen().SetStyle(psSolid);
        if (s.Direction == sdDescending) {
            if (!glyphs) {
                C.Pen().SetColor(clWhite);
                C.MoveTo(X + 4, Y - 4);
                C.LineTo(X, Y + 4);
                C.Pen().SetColor(clGray);
                C.LineTo(X - 4, Y - 4);
                C.LineTo(X + 4, Y - 4);
                C.Pen().SetColor(clBlack);
            } else {
                DrawBitmapTransparent(C, s.DownGlyph(), G.FixedColor(), {X - 4, Y - 4, X + 4, Y + 4});
            }
        } else {
            if (!glyphs) {
                C.Pen().SetColor(clWhite);
                C.MoveTo(X - 4, Y + 4);
                C.LineTo(X + 4, Y + 4);
                C.LineTo(X, Y - 4);
                C.Pen().SetColor(clGray);
                C.LineTo(X - 4, Y + 4);
                C.Pen().SetColor(clBlack);
            } else {
                DrawBitmapTransparent(C, s.UpGlyph(), G.FixedColor(), {X - 4, Y - 4, X + 4, Y + 4});
            }
        }
    }
    C.RestoreState();
}

void TGridPaintPart::DrawCellRichText(int ACol, int ARow, const TRect& R, TCanvas& ACanvas)
{
    if (G.Designing()) return;
    // No rich-text control here: the cell's text is shown without its
    // formatting, inside the usual text inset.
    TRect r{R.Left + G.XYOffset.X, R.Top + G.XYOffset.Y, R.Right - G.XYOffset.X, R.Bottom - G.XYOffset.Y};
    ACanvas.SetBkMode(bkTransparent);
    DrawTextEx(ACanvas, RichTextToPlain(G.Cells(ACol, ARow)), r, DT_EDITCONTROL | DT_WORDBREAK | DT_NOPREFIX);
}

// --- the text step of the painter -----------------------------------------------------------

void TGridPaintPart::PaintCellText(TCellPaintRecord& P)
{
    TCanvas& C = *P.Canvas;
    const int RCol = P.RCol;
    const int ARow = P.Row;
    TRect R = P.Rect;
    TColor urlColor = G.URLColor;
    const bool disRow = G.FParts->FMouseActions->DisjunctRowSelect();
    const bool disCol = G.FParts->FMouseActions->DisjunctColSelect();

    // 1. selection colours
    const bool rowSelected = disRow && G.Options().Contains(goRowSelect) && RCol >= G.FixedCols() &&
                             RCol <= G.ColCount() - G.FixedRightCols - 1 && G.FModel->FRowFlags.Selected(P.SelRow);
    if ((P.State.Contains(gdSelected) || rowSelected) && !G.IsFixed(G.Model().DisplCol(RCol), ARow)) {
        if (G.ShowSelection) {
            if (G.SelectionColor != clNone) C.Brush().SetColor(G.SelectionColor);
            if (G.SelectionTextColor != clNone) C.Font().SetColor(G.SelectionTextColor);
            urlColor = G.SelectionTextColor;
        } else if (!G.Focused() || G.HasCheckBox(RCol, ARow)) {
            C.Brush().SetColor(P.SavedBrush);
            C.Font().SetColor(P.SavedFont);
            urlColor = G.URLColor;
        }
    }

    // 2. the text and its kind
    std::string text = G.GetFormattedCell(RCol, ARow);
    int kind = CellTextKind(text, G.EnableHTML);
    if (kind == ctkFormula) {
        G.FormulaValue(RCol, ARow, text);
        kind = CellTextKind(text, G.EnableHTML);
    }
    // A wide text is shown as the characters it stands for.
    if (kind == ctkWideText) text = WideToUtf8(DecodeWideText(text));

    // 3. marked range, password
    const int errFrom = P.Graphic ? P.Graphic->CellErrFrom : 0;
    const int errLen = P.Graphic ? P.Graphic->CellErrLen : 0;
    if (GridIsPasswordCell((&G), RCol, ARow)) text = MaskText(text, G.PasswordChar);

    // 4.
    if (G.IsFixed(RCol, ARow)) {
        R.Left += G.GridLineWidth();
        R.Top += G.GridLineWidth();
    }
    // 5. (no in-cell scroll bars here)

    // 6. filter button
    if (P.FilterButton) {
        const TBitmap& glyph = G.FParts->FFilter->HasFilter(RCol) ? G.FParts->FFilterDropDown->GlyphActive() : G.FParts->FFilterDropDown->Glyph();
        const TRect at{R.Right - 16, R.Top, R.Right, R.Bottom};
        if (glyph.Empty()) {
            EnsureGridBitmaps();
            DrawResourceBitmapTransparent(C, G.FixedColor(), at, "ESGFILT");
        } else {
            C.DrawTransparent(at.Left, at.Top, glyph);
        }
    }

    // 7. a normal cell outside the disjoint selection keeps its own colours
    const bool normal = RCol >= G.FixedCols() && ARow >= G.FixedRows();
    if (normal && !G.FParts->Input.FMouseDown &&
        ((disRow && !G.FModel->FRowFlags.Selected(P.SelRow)) || (disCol && !G.FModel->FColFlags.Selected(P.DCol)))) {
        urlColor = G.URLColor;
        C.Brush().SetColor(G.Color());
        C.Font().SetColor(G.Font().Color());
        G.GetCellColor(RCol, ARow, P.State, &C.Brush(), &C.Font());
        if (G.ZoomFactor != 0) C.Font().SetSize(C.Font().Size() + G.ZoomFactor);
    }

    // 8. background picture or gradient
    PaintCellBackground(P, R);

    // 9. selection rectangle
    if (G.SelectionRectangle) {
        const TGridRect s = G.Selection();
        const int dc = P.DCol;
        if (dc >= s.Left && dc <= s.Right && ARow >= s.Top && ARow <= s.Bottom && !G.IsFixed(dc, ARow)) {
            int left = s.Left, right = s.Right, top = s.Top, bottom = s.Bottom;
            if (G.IsMergedCell(dc, ARow)) {
                const TPoint b = G.BaseCell(s.Left, s.Top);
                left = right = b.X;
                top = bottom = b.Y;
            }
            const int W = G.GridLineWidth();
            C.Pen().SetColor(G.SelectionRectangleColor);
            C.Pen().SetWidth(2);
            const TRect cr = P.Rect;
            if (dc == left) {
                C.MoveTo(cr.Left - W + 1, cr.Bottom);
                C.LineTo(cr.Left - W + 1, cr.Top - W);
            }
            if (dc == right) {
                C.MoveTo(cr.Right - 1, cr.Bottom);
                C.LineTo(cr.Right - 1, cr.Top - W);
            }
            const int hr = dc == right ? cr.Right - 1 : cr.Right;
            if (ARow == top) {
                C.MoveTo(cr.Left - W, cr.Top - W + 1);
                C.LineTo(hr, cr.Top - W + 1);
            }
            if (ARow == bottom) {
                C.MoveTo(cr.Left - W, cr.Bottom);
                C.LineTo(hr, cr.Bottom);
            }
            if (G.SelectionResizer && dc == s.Right && ARow == s.Bottom) {
                const TRect full = G.CellRect(dc, ARow);
                const TColor keep = C.Brush().Color();
                C.Brush().SetColor(G.SelectionRectangleColor);
                C.FillRect({cr.Right - 4, cr.Bottom - 4, full.Right, full.Bottom});
                C.Brush().SetColor(keep);
            }
            C.Pen().SetWidth(1);
        }
    }

    // 10. the text
    if (!P.TextAllowed) return;
    // 1. inset
    R.Left += G.XYOffset.X;
    R.Top += G.XYOffset.Y;
    if (!G.XYOffsetTopLeftOnly) R.Right -= G.XYOffset.X;
    // 2. room for the graphic
    switch (P.GraphicHA) {
    case haBeforeText: R.Left += P.GraphicW; break;
    case haAfterText: R.Right -= P.GraphicW; break;
    default: break;
    }
    switch (P.GraphicVA) {
    case vaAboveText: R.Top += P.GraphicH; break;
    case vaUnderText: R.Bottom -= P.GraphicH; break;
    default: break;
    }
    const int textOffset =
        (P.Graphic && (P.GraphicHA == haLeft || P.GraphicHA == haBeforeText) && P.HA == TAlignment::taLeftJustify)
            ? P.GraphicW
            : 0;
    P.LineHeight = C.TextHeight("hg");
    // 3. node indent of a row below a node
    if (RCol == 0 && G.HasNodes() && !G.IsNodeRow(ARow)) R.Left += G.RowNodeIndent(ARow);

    const bool sortCell = IsSortIndicatorCell(RCol, ARow) &&
                          (G.FParts->FSortSettings->Column == RCol || G.FModel->FSortIndexes.FindIndex(RCol) >= 0);
    auto sortIndicator = [&](int textWidth, int xOverride, bool useOverride) {
        TRect r = P.Rect;
        if (P.FilterButton) r.Right -= 16;
        if (!(sortCell && G.FixedRows() > 0 && (RCol >= G.FixedCols() || G.FParts->FSortSettings->FixedCols))) return;
        const int w = std::max(0, std::min(r.Right - r.Left - 16, textWidth));
        int x = r.Left + 8;
        if (P.HA == TAlignment::taLeftJustify)
            x = r.Left + w + textOffset + 10;
        else if (P.HA == TAlignment::taRightJustify)
            x = r.Right - w - 10;
        if (useOverride) x = xOverride;
        int y = r.Top + 8;
        if (P.VA == vtaCenter)
            y = r.Top + (r.Bottom - r.Top) / 2;
        else if (P.VA == vtaBottom)
            y = r.Bottom - 8;
        if (G.FModel->FSortIndexes.FindIndex(RCol) < 1 || G.FParts->FSortSettings->IndexShow)
            DrawSortIndicator(C, RCol, y, x);
    };

    if (kind == ctkHTML) {
        // 4. mini-HTML
        if (P.FilterButton) R.Right -= 18;
        R.Left -= 1;
        if (sortCell) R.Right -= 10;
        THTMLDrawArgs a;
        a.Images = G.FParts->FGridImages;
        a.HitX = R.Left;
        a.HitY = R.Top;
        a.FocusAnchorIndex = -1;
        a.HoverAnchorNumber = (G.FParts->Input.FHoverCell.X == P.DCol && G.FParts->Input.FHoverCell.Y == ARow) ? G.FParts->Input.FHoverlink : -1;
        a.ShadowOffset = 1;
        a.Selected = false;
        // Without blinking, blinking text stays visible.
        a.BlinkVisible = G.FParts->Input.FGridBlink || !G.EnableBlink;
        a.HoverOnlyUnderline = G.URLUnderlineOnHover;
        a.WordWrap = !G.EnhTextSize;
        a.MouseDown = G.FParts->Input.FCtrlDown;
        a.PrintScale = 0;
        a.AnchorColor = urlColor;
        a.HoverBackColor = clNone;
        a.HoverTextColor = clNone;
        a.ShadowColor = 0x808080;
        a.Pictures = G.FParts->FPictureContainer;
        a.PictureCache = G.PictureCache();
        DrawHTMLText(C, text, R, a);
        sortIndicator(0, R.Right + 2, true);
        P.TextExtent = a.ExtentWidth + 2;
        return;
    }
    if (kind == ctkRichText) {
        // 5. rich text, shown as its plain text
        C.Pen().SetColor(C.Brush().Color());
        if (!(P.State.Contains(gdSelected) && !P.State.Contains(gdFocused) && G.SelectionColor == clNone))
            C.FillRect(R);
        C.Brush().SetStyle(bsClear);
        DrawCellRichText(RCol, ARow, R, C);
        C.Brush().SetStyle(bsSolid);
        C.Font().SetColor(clBlack);
        return;
    }

    // 6. plain text
    if (P.HA == TAlignment::taCenter && G.FParts->FSortSettings->Show() && RCol == G.FParts->FSortSettings->Column &&
        ARow == G.FParts->FSortSettings->Row())
        R.Left += 10;
    bool url = false;
    if (G.URLShow && IsURLText(G.Cells(RCol, ARow))) {
        if (!G.URLFull) StripURLProtocol(text);
        C.Font().SetStyle(C.Font().Style() + fsUnderline);
        C.Font().SetColor(urlColor);
        url = true;
    }
    unsigned flags = DT_EDITCONTROL;
    if (TextLineCount(text, G.Multilinecells) == 1 && !P.WW) {
        std::string first;
        TakeLine(text, false, first);
        text = first;
        flags |= DT_SINGLELINE;
        if (G.EnhTextSize) flags |= DT_END_ELLIPSIS;
    }
    if (P.WW && !G.Multilinecells && G.EnhTextSize) flags |= DT_END_ELLIPSIS;
    flags |= DT_EXPANDTABS | DT_NOPREFIX;
    if (P.HA == TAlignment::taRightJustify)
        flags |= DT_RIGHT;
    else if (P.HA == TAlignment::taCenter)
        flags |= DT_CENTER;
    FVerticalTextFlag = P.VA == vtaCenter ? DT_VCENTER : P.VA == vtaBottom ? DT_BOTTOM : DT_TOP;
    flags |= FVerticalTextFlag;
    if (P.WW || G.Multilinecells)
        flags |= DT_WORDBREAK | DT_EDITCONTROL;
    else
        flags |= DT_SINGLELINE;
    C.SetBkMode(bkTransparent);
    if (P.FilterButton) R.Right -= 16;
    if (P.Graphic && !text.empty()) {
        TRect m = R;
        DrawTextEx(C, text, m, flags | DT_CALCRECT);
        P.TextExtent = m.Right - R.Left + 2;
    }
    DrawTextEx(C, text, R, flags);
    if (errLen > 0 && P.Graphic && (P.Graphic->CellType == ctEmpty || P.Graphic->CellType == ctValue))
        DrawErrorLine(nullptr, C, text, errLen, errFrom, P.LineHeight, R);
    if (sortCell) sortIndicator(C.TextWidth(text), 0, false);
    if (url) C.Font().SetStyle(C.Font().Style() - fsUnderline);
}
