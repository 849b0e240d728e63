// TExStringGrid: the scroll bars — the hint window that names the row or
// column a dragged thumb points at (beside the pointer while the thumb is
// held), and the view following the thumb while it moves.
// This platform's bars count rows and columns themselves (a thumb's
// position is the top row or the left column) and have no flat kinds:
// ssFlat and ssEncarta behave as ssNormal.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_render/HTMLHintWindow.h"

#include <algorithm>
#include <cmath>

std::string TGridInputPart::ScrollHintText(bool Vertical, int Pos)
{
    std::string text = (Vertical ? "Row : " : "Col : ") + std::to_string(Pos);
    if (G.OnScrollHint) G.OnScrollHint(&G, Pos, text);
    return text;
}

bool TGridInputPart::ScrollHintsFor(bool Vertical) const
{
    return G.ScrollHints == shBoth || G.ScrollHints == (Vertical ? shVertical : shHorizontal);
}

void TExStringGrid::ThumbTracked(bool Vertical, int Pos)
{
    // The position names a top row or left column: kept inside the grid
    // whatever the bar reports (nothing scrolls in a grid of fixed cells
    // only).
    Pos = Vertical ? std::clamp(Pos, FixedRows(), std::max(FixedRows(), RowCount() - 1))
                   : std::clamp(Pos, FixedCols(), std::max(FixedCols(), ColCount() - 1));
    if (FParts->Input.ScrollHintsFor(Vertical)) {
        // Measured for 100 pixels, 10 pixels right of the pointer.
        const std::string text = FParts->Input.ScrollHintText(Vertical, Pos);
        if (!FParts->Input.FScrollHintWnd) FParts->Input.FScrollHintWnd = std::make_unique<THTMLHintWindow>();
        TRect r = FParts->Input.FScrollHintWnd->CalcHintRect(100, text, static_cast<TObject*>(this));
        const TPoint p = CursorScreenPos();
        r = {r.Left + p.X + 10, r.Top + p.Y, r.Right + p.X + 10, r.Bottom + p.Y};
        FParts->Input.FScrollHintWnd->SetColor(HintColor);
        FParts->Input.FScrollHintWnd->ActivateHintData(r, text, static_cast<TObject*>(this));
        FParts->Input.FScrollHintShow = true;
    }
    if (!Vertical && FixedCols() == 0 && Pos >= Col()) HideInplaceEdit();
    if (ScrollSynch) {
        if (Vertical)
            SetTopRow(std::min(Pos, std::max(FixedRows(), RowCount() - VisibleRowCount())));
        else
            SetLeftCol(std::min(Pos, std::max(FixedCols(), ColCount() - VisibleColCount())));
        return;
    }
    TBaseGrid::ThumbTracked(Vertical, Pos);
}

void TExStringGrid::ThumbReleased(bool Vertical)
{
    if (FParts->Input.FScrollHintShow && FParts->Input.ScrollHintsFor(Vertical)) {
        if (FParts->Input.FScrollHintWnd) FParts->Input.FScrollHintWnd->ReleaseHandle();
        FParts->Input.FScrollHintShow = false;
    }
    TBaseGrid::ThumbReleased(Vertical);
}

bool TExStringGrid::ScrollHintShowing() const { return FParts->Input.FScrollHintShow && FParts->Input.FScrollHintWnd && FParts->Input.FScrollHintWnd->Showing(); }

std::string TExStringGrid::ScrollHintCaption() const { return FParts->Input.FScrollHintWnd ? FParts->Input.FScrollHintWnd->Caption() : std::string(); }

// --- proportional thumbs -----------------------------------------------------------------------

namespace {

// The page that makes a thumb cover the fraction E of its track: a bar of
// Range positions shows Page / (Range + Page) of the track as its thumb.
int ProportionalPage(float E, int Range, int Page)
{
    if (Range <= 0 || E <= 0.0f) return Page;
    return std::max(1, static_cast<int>(std::lround(E / (1.0f - E) * static_cast<float>(Range))));
}

} // namespace

void TExStringGrid::SetScrollProportional(bool Value)
{
    ScrollProportional = Value;
    UpdateScrollRange();
}

void TExStringGrid::AdjustScrollInfo(TGridScrollInfo& Horz, TGridScrollInfo& Vert)
{
    if (!ScrollProportional || Loading() || Designing()) return;
    // The lines as the class library lays the cells out.
    const int lw = TCustomGrid::GridLineWidth();

    // Rows: the fixed rows, all scrolling rows, each with its line.
    if (VisibleRowCount() + FixedRows() < RowCount()) {
        long long fixed = lw, total = lw;
        for (int r = 0; r < FixedRows(); ++r) fixed += lw + RowHeights(r);
        for (int r = FixedRows(); r < RowCount(); ++r) total += lw + RowHeights(r);
        if (total > 0) {
            const float e = static_cast<float>(ClientHeight() - fixed) / static_cast<float>(total);
            if (e < 0.9999f) Vert.Page = ProportionalPage(e, Vert.Max - Vert.Min, Vert.Page);
        }
    }

    // Columns likewise; a grid with less than 5 pixels to scroll keeps its
    // bar as it is.
    long long fixed = lw, total = lw, plain = 0;
    for (int c = 0; c < FixedCols(); ++c) fixed += lw + ColWidths(c);
    for (int c = FixedCols(); c < ColCount(); ++c) total += lw + ColWidths(c);
    for (int c = 0; c < ColCount(); ++c) plain += ColWidths(c);
    if (total <= 0) return;
    const float e = static_cast<float>(ClientWidth() - fixed) / static_cast<float>(total);
    if (e >= 0.9999f || fixed + total - ClientWidth() < 5) return;
    Horz.Page = ProportionalPage(e, Horz.Max - Horz.Min, Horz.Page);
    // The columns without their lines fit: no horizontal bar, unless
    // ScrollBarAlways keeps it.
    if (ScrollBarAlways != saHorz && ScrollBarAlways != saBoth && plain < ClientWidth()) Horz.Visible = false;
}
