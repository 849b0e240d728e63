// TExStringGrid: the scroll bars — the hint window that names the row or
// column a dragged thumb points at (beside the pointer while the thumb is
// held), and the view following the thumb while it moves.
// This platform's bars count rows and columns themselves (a thumb's
// position is the top row or the left column) and have no flat kinds:
// ssFlat and ssEncarta behave as ssNormal.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/HTMLHintWindow.h"

#include <algorithm>

std::string TExStringGrid::ScrollHintText(bool Vertical, int Pos)
{
    std::string text = (Vertical ? "Row : " : "Col : ") + std::to_string(Pos);
    if (OnScrollHint) OnScrollHint(this, Pos, text);
    return text;
}

bool TExStringGrid::ScrollHintsFor(bool Vertical) const
{
    return ScrollHints == shBoth || ScrollHints == (Vertical ? shVertical : shHorizontal);
}

void TExStringGrid::ThumbTracked(bool Vertical, int Pos)
{
    // The position names a top row or left column: kept inside the grid
    // whatever the bar reports (nothing scrolls in a grid of fixed cells
    // only).
    Pos = Vertical ? std::clamp(Pos, FixedRows(), std::max(FixedRows(), RowCount() - 1))
                   : std::clamp(Pos, FixedCols(), std::max(FixedCols(), ColCount() - 1));
    if (ScrollHintsFor(Vertical)) {
        // Measured for 100 pixels, 10 pixels right of the pointer.
        const std::string text = ScrollHintText(Vertical, Pos);
        if (!FScrollHintWnd) FScrollHintWnd = std::make_unique<THTMLHintWindow>();
        TRect r = FScrollHintWnd->CalcHintRect(100, text, static_cast<TObject*>(this));
        const TPoint p = CursorScreenPos();
        r = {r.Left + p.X + 10, r.Top + p.Y, r.Right + p.X + 10, r.Bottom + p.Y};
        FScrollHintWnd->SetColor(HintColor);
        FScrollHintWnd->ActivateHintData(r, text, static_cast<TObject*>(this));
        FScrollHintShow = true;
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
    if (FScrollHintShow && ScrollHintsFor(Vertical)) {
        if (FScrollHintWnd) FScrollHintWnd->ReleaseHandle();
        FScrollHintShow = false;
    }
    TBaseGrid::ThumbReleased(Vertical);
}

bool TExStringGrid::ScrollHintShowing() const { return FScrollHintShow && FScrollHintWnd && FScrollHintWnd->Showing(); }

std::string TExStringGrid::ScrollHintCaption() const { return FScrollHintWnd ? FScrollHintWnd->Caption() : std::string(); }
