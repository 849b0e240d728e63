// TExStringGrid: the hint of the cell under the mouse: a cell comment at
// the cell's top-right corner, an anchor's title beside the pointer, the
// whole cell text (HintShowCells) or a text too large for its cell
// (HintShowLargeText), and then the application's OnGridHint, which has
// the last word. Mark-up and wide texts are shown by the HTML hint window.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridModule.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/HTMLHintWindow.h"

void TExStringGrid::BuildCellHint(std::string& HintStr, THintInfo& HintInfo)
{
    // 1.
    int C = -1, R = -1;
    MouseToCell(HintInfo.CursorPos.X, HintInfo.CursorPos.Y, C, R);
    if (FParts->FControlLook->HintMaxWidth > 0) HintInfo.HintMaxWidth = FParts->FControlLook->HintMaxWidth;
    GridHintFontName() = Font().Name();

    TPoint pos = HintInfo.HintPos;
    bool clientPos = false;
    if (C >= 0 && R >= 0) {
        // 2.
        int bc = C, br = R;
        GetBaseCellPos(C, R, bc, br);
        C = bc;
        R = br;
        FParts->Input.FLastHintPos = {C, R};
        const TRect Rb = CellRect(C, R);
        const int W = Rb.Right - Rb.Left, H = Rb.Bottom - Rb.Top;
        const int RC = Model().RealCol(C);
        const std::string text = Cells(RC, R);
        const int kind = CellTextKind(text, EnableHTML);

        // 3. A comment stands at the cell's top-right corner, any other hint
        // under the cell.
        clientPos = true;
        if (IsComment(RC, R, HintStr))
            pos = {Rb.Right, Rb.Top};
        else
            pos = {HintInfo.CursorPos.X, Rb.Bottom + 6};

        // 4. The title of the anchor under the mouse.
        if (kind == ctkHTML && AnchorHint) {
            TCanvas& cv = *Canvas();
            cv.Font().Assign(C < FixedCols() || R < FixedRows() ? FParts->FFixedFont : Font());
            THTMLDrawArgs a;
            a.Images = GetGridImages();
            a.HitX = HintInfo.CursorPos.X;
            a.HitY = HintInfo.CursorPos.Y;
            a.AnchorColor = URLColor;
            a.ShadowColor = clGray;
            a.WordWrap = !EnhTextSize;
            DrawHTMLText(cv, text, Rb, a);
            if (!a.HitAnchor.empty() && !(a.HitAnchor == "ctrl" && !a.ControlId.empty())) {
                std::string title = a.HitTitle.empty() ? a.HitAnchor : a.HitTitle;
                if (OnAnchorHint) OnAnchorHint(this, R, RC, title);
                FParts->Input.FLastAnchorHint = title;
                HintStr = title;
                pos = {HintInfo.CursorPos.X + 8, HintInfo.CursorPos.Y - 16};
            }
        }

        // 5. The whole text of a normal cell.
        if (HintShowCells && C >= FixedCols() && C < ColCount() - FixedRightCols && R >= FixedRows() &&
            R < RowCount() - FixedFooters) {
            pos.Y = Rb.Top;
            if (kind == ctkWideText)
                HintStr = EncodeWideText(WideCells(RC, R));
            else if (HTMLHint)
                HintStr = text;
            else
                HintStr = StrippedCells(RC, R);
        }

        // 6. A text larger than its cell.
        if (HintShowLargeText) {
            const bool enh = EnhTextSize;
            EnhTextSize = false;
            TSize ts{};
            try {
                ts = AutoSizeTextExtent(RC, C, R, WordWraps(RC, R));
            } catch (...) {
                EnhTextSize = enh;
                throw;
            }
            EnhTextSize = enh;
            if (W < ts.cx || H < ts.cy) {
                if (HintShowLargeTextPos == hpCell) pos = {Rb.Left, Rb.Top};
                if (kind == ctkWideText || HTMLHint || kind != ctkHTML)
                    HintStr = text;
                else
                    HintStr = StrippedCells(RC, R);
            }
        }

        // 7. The application's hint, except on a floating footer row.
        if (!(R == RowCount() - 1 && FParts->Input.FloatingFooterOnLastRow())) {
            WideString wide;
            GetCellHint(C, R, HintStr, wide);
        }

        // 8. Mark-up and wide texts in the HTML hint window.
        const int hintKind = CellTextKind(HintStr, EnableHTML);
        if ((hintKind == ctkHTML || hintKind == ctkWideText) && UseInternalHintClass) {
            HintInfo.HintWindowClass = [] { return std::make_unique<THTMLHintWindow>(); };
            HintInfo.HintData = static_cast<TObject*>(this);
        }
    }

    // 9.
    HintInfo.HintPos = clientPos ? ClientToScreen(pos) : pos;
    // 10.
    HintInfo.HintColor = HintColor;
}
