// TExStringGrid: measuring a cell's text as the painter draws it (plain
// text line by line or broken within the cell, mini-HTML, rich text as its
// plain text, rotated text), for automatic sizing, hints and the check-box
// hit test.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"

#include "platform/DrawText.h"

#include <algorithm>
#include <cmath>

namespace {

// Gives the canvas font back when the measuring is done: the canvas is the
// grid's own and the painter and the callers keep their font on it.
class MeasureFontKeeper {
public:
    explicit MeasureFontKeeper(TCanvas& c) : FCanvas(c) { FSaved.Assign(c.Font()); }
    ~MeasureFontKeeper() { FCanvas.Font().Assign(FSaved); }
    MeasureFontKeeper(const MeasureFontKeeper&) = delete;
    MeasureFontKeeper& operator=(const MeasureFontKeeper&) = delete;

private:
    TCanvas& FCanvas;
    TFont FSaved;
};

int TruncAbs(double v) { return std::abs(static_cast<int>(std::trunc(v))); }

} // namespace

TSize TExStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    TSize s{0, 0};
    FParts->Paint.MeasureCellText(ACol, Model().DisplCol(ACol), s, VS, SB, ARow);
    return s;
}

TSize TExStringGrid::AutoSizeTextExtent(int ACol, int DisplCol, int ARow, bool WordWrap)
{
    TSize s{0, 0};
    FParts->Paint.MeasureCellText(ACol, DisplCol, s, false, WordWrap, ARow);
    return s;
}

void TGridPaintPart::MeasureCellText(int ACol, int DisplCol, TSize& Size, bool VS, bool SB, int ARow)
{
    TCanvas& cv = *G.Canvas();
    MeasureFontKeeper keep(cv);
    Size = {0, 0};

    // 1. the text as displayed
    std::string text = G.GetFormattedCell(ACol, ARow);
    int kind = CellTextKind(text, G.EnableHTML);

    // 2. the cell's font; a header shows the active cell's font when its
    // row or column holds the current cell, so it is measured with it.
    {
        TGridDrawState none;
        TBrush brush;
        GetFontProperties(DisplCol, ACol, ARow, none, &cv.Font(), &brush, true);
        const bool fixed = ARow < G.FixedRows() || ACol < G.FixedCols();
        if (fixed && G.ActiveCellShow && G.FParts->FActiveCellFont.Style().Contains(fsBold))
            cv.Font().SetStyle(cv.Font().Style() + fsBold);
        if (G.ZoomFactor != 0) cv.Font().SetSize(cv.Font().Size() + G.ZoomFactor);
    }

    // 3. a formula shows its value
    if (kind == ctkFormula) {
        G.FormulaValue(ACol, ARow, text);
        kind = CellTextKind(text, G.EnableHTML);
    }
    // A wide text is drawn as the characters it stands for.
    if (kind == ctkWideText) text = WideToUtf8(DecodeWideText(text));

    // 4. the text's room in the cell
    TRect R = G.CellRect(DisplCol, ARow);
    if (G.XYOffsetTopLeftOnly) {
        R.Left += G.XYOffset.X;
        R.Top += G.XYOffset.Y;
    } else {
        R.Left += G.XYOffset.X;
        R.Top += G.XYOffset.Y;
        R.Right -= G.XYOffset.X;
        R.Bottom -= G.XYOffset.Y;
    }
    if (VS) R.Right -= 17;

    // 5. mini-HTML
    if (kind == ctkHTML) {
        if (!SB) R.Right = 65535;
        R.Bottom = 65535;
        THTMLDrawArgs a;
        a.Images = G.GetGridImages();
        a.HitX = 0;
        a.HitY = 0;
        a.FocusAnchorIndex = -1;
        a.HoverAnchorNumber = 0;
        a.ShadowOffset = 1;
        a.MeasureOnly = true;
        a.Selected = true;
        a.BlinkVisible = true;
        a.HoverOnlyUnderline = false;
        a.WordWrap = !G.EnhTextSize;
        a.MouseDown = false;
        a.PrintScale = 0;
        a.AnchorColor = G.URLColor;
        a.HoverBackColor = clNone;
        a.HoverTextColor = clNone;
        a.ShadowColor = 0x808080;
        a.PictureCache = G.PictureCache();
        a.Pictures = G.FParts->FPictureContainer;
        DrawHTMLText(cv, text, R, a);
        Size = {a.ExtentWidth + 2, a.ExtentHeight + 2};
        return;
    }

    // 6. rich text: its plain text, as the painter shows it
    const bool rich = kind == ctkRichText && !G.Designing();
    if (rich) text = RichTextToPlain(text);

    // 7.
    int angle = 0;
    const bool rotated = G.IsRotated(ACol, ARow, angle);

    if (SB) {
        // 8. broken within the cell's width
        R.Left += 2;
        R.Top += 2;
        R.Right -= 2;
        R.Bottom -= 2;
        // The editor shows an empty last line after a closing line break.
        if (G.EditorMode() && G.Col() == DisplCol && G.Row() == ARow && !text.empty() && text.back() == '\n')
            text += "w";
        TRect calc = R;
        const unsigned flags =
            DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_CALCRECT | (rotated ? DT_SINGLELINE : DT_WORDBREAK);
        Size.cy = DrawText(cv, text, calc, flags);
        Size.cx = calc.Right - R.Left;
    } else {
        // 9. line by line
        int lines = 0;
        int widest = 0;
        std::string rest = text;
        do {
            std::string line;
            TakeLine(rest, G.Multilinecells, line);
            if (kind == ctkPlain && G.URLShow && !G.URLFull) StripURLProtocol(line);
            widest = std::max(widest, cv.TextWidth(line));
            ++lines;
        } while (G.Multilinecells && !rest.empty());
        Size.cx = widest;
        Size.cy = cv.TextHeight("gh") * lines;
    }

    // 10. rotated text takes the box of the turned extent
    if (rotated) {
        const double a = angle * M_PI / 180.0;
        const double s = std::sin(a);
        const double c = std::cos(a);
        const int w = Size.cx;
        const int h = Size.cy;
        Size.cx = std::abs(TruncAbs(h * s) - TruncAbs(w * c)) + 12;
        Size.cy = std::abs(TruncAbs(h * c) - TruncAbs(w * s)) + 12;
    }

    // 11. rich text: the plain text is drawn inside a second inset (see
    // DrawCellRichText), which its size includes.
    if (rich) {
        if (!SB) {
            // Every line, not only the first.
            int widest = 0, lines = 0;
            std::string rest = text;
            do {
                std::string line;
                TakeLine(rest, true, line);
                widest = std::max(widest, cv.TextWidth(line));
                ++lines;
            } while (!rest.empty());
            Size = {widest, cv.TextHeight("gh") * lines};
        }
        Size.cx += G.TotalXOffset();
        Size.cy += 4;
    }
}
