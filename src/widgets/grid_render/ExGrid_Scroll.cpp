// TExStringGrid: the scroll bars — the hint text that names the row or
// column a dragged thumb points at (kept while the thumb is held; no hint
// window draws it yet), and the view following the thumb while it moves.
// This platform's bars count rows and columns themselves (a thumb's
// position is the top row or the left column) and have no flat kinds:
// ssFlat and ssEncarta behave as ssNormal.

#include "widgets/ExStringGrid.h"

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
        FScrollHintText = ScrollHintText(Vertical, Pos);
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
        FScrollHintText.clear();
        FScrollHintShow = false;
    }
    TBaseGrid::ThumbReleased(Vertical);
}

bool TExStringGrid::ScrollHintShowing() const { return FScrollHintShow; }

std::string TExStringGrid::ScrollHintCaption() const { return FScrollHintText; }
