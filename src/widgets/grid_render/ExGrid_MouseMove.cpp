// TExStringGrid: the mouse moving over the grid, pressed or not: hover
// highlighting, whole-row and whole-column selection from the fixed cells,
// the borders of fixed columns and rows that can be sized, the resize
// handle, the feedback of a column or row move, links under the mouse, the
// sizing events with their hint, and leaving the grid.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridUtil.h"
#include "widgets/GridWindows.h"
#include "widgets/grid_render/EsgHTMLE.h"
#include "widgets/grid_render/HeaderDragButton.h"
#include "widgets/grid_render/HTMLHintWindow.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool SameRect(const TGridRect& a, const TGridRect& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

} // namespace

// Whether (X, Y) lies on the resize handle: the 6 x 6 square at the lower
// right corner of the selection's last cell (left and top inclusive).
bool TExStringGrid::MouseOnResizer(int X, int Y)
{
    if (!SelectionResizer || !SelectionRectangle) return false;
    const TGridRect s = Selection();
    const TRect rs = CellRect(s.Right, s.Bottom);
    if (IsRectEmpty(rs)) return false;
    const TRect hr{rs.Right - 6, rs.Bottom - 6, rs.Right, rs.Bottom};
    return PtInRect(hr, {X, Y});
}

void TExStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    bool handled = false;

    // 1. Dragging over cells with range editing selects instead of editing.
    if (FMouseDownMove && FMouseActions->RangeSelectAndEdit && Options().Contains(goEditing) && !EditorMode())
        SetOptions(Options() - goEditing);
    const TGridRect S0 = Selection();
    if (SelectionRectangle && GridState() == gsSelecting && !SameRect(FSizeSelection, S0)) FSizeSelection = S0;

    // 2. The hovered row.
    if (C >= 0 && R >= 0 && !Designing()) {
        if (HoverRow && R != HoverRowIdx) {
            const int old = HoverRowIdx;
            HoverRowIdx = R;
            RepaintRow(R);
            if (old >= 0 && old < RowCount()) RepaintRow(old);
        }
    }

    // 3. The hovered fixed cell.
    auto fixedCell = [&](int c, int r) {
        return (r >= 0 && r < FixedRows() && c >= 0) || (c >= 0 && c < FixedCols() && r >= 0);
    };
    if (HoverFixedCells != hfNone && !FNoMouseLeave) {
        const int ox = FHoverFixedX, oy = FHoverFixedY;
        FHoverFixedX = C;
        FHoverFixedY = R;
        if (ox != C || oy != R) {
            if (fixedCell(ox, oy)) RepaintCell(ox, oy);
            if (fixedCell(C, R)) RepaintCell(C, R);
        }
    }

    // 4. The hot fixed cell of the list-view look.
    if (FLook == glListView && (FHotFixedCell.X != C || FHotFixedCell.Y != R)) {
        if (FHotFixedCell.X >= 0 && FHotFixedCell.Y >= 0 && fixedCell(FHotFixedCell.X, FHotFixedCell.Y))
            RepaintCell(FHotFixedCell.X, FHotFixedCell.Y);
        FHotFixedCell = {C, R};
        if (fixedCell(C, R)) RepaintCell(C, R);
    }

    // 5. The hovered cell button.
    {
        bool onButton = false;
        if (C >= 0 && R >= 0) {
            const int rc = Model().RealCol(C);
            onButton = (HasButton(rc, R) && PtInRect(GraphicRectInCell(C, R), {X, Y})) ||
                       (HasExpand(rc, R) && PtInRect(ExpandButtonRect(rc, R), {X, Y}));
        }
        if (onButton) {
            if (FHoverButton.X != C || FHoverButton.Y != R) {
                if (FHoverButton.X >= 0) RepaintCell(FHoverButton.X, FHoverButton.Y);
                FHoverButton = {C, R};
                RepaintCell(C, R);
            }
        } else if (FHoverButton.X >= 0) {
            RepaintCell(FHoverButton.X, FHoverButton.Y);
            FHoverButton = {-1, -1};
        }
    }

    // 6. Rows selected by dragging down the row headings.
    bool ScrolledUp = false;
    if (FMouseSelectStart != -1 && FMouseActions->RowSelect && FMouseSelectMode == msRow) {
        if (R >= FixedRows() && R <= RowCount() - FixedFooters) {
            const int to = std::max(FixedRows(), std::min(R, RowCount() - 1));
            SetSelection({FixedCols(), std::min(FMouseSelectStart, to), ColCount() - 1, std::max(FMouseSelectStart, to)});
            if (SelectionRectangle && !SameRect(Selection(), FSizeSelection)) {
                const TGridRect s = Selection();
                RepaintRect(TRect{LeftCol(), s.Top, LeftCol() + VisibleColCount(), s.Bottom});
                FSizeSelection = s;
            }
        }
        if (Y > ClientHeight() - 4) SetTopRow(TopRow() + 1);
        if (FixedRows() > 0 && RowCount() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            ScrolledUp = true;
        }
    }

    // 7. Columns selected by dragging along the column headings.
    if (FMouseSelectStart != -1 && FMouseActions->ColSelect && FMouseSelectMode == msColumn) {
        const int to = std::max(FixedCols(), std::min(C, ColCount() - 1));
        if (C >= 0 && RowCount() > FixedRows()) {
            SetSelection({std::min(FMouseSelectStart, to), FixedRows(), std::max(FMouseSelectStart, to), RowCount() - 1});
            if (SelectionRectangle && !SameRect(Selection(), FSizeSelection)) {
                const TGridRect s = Selection();
                RepaintRect(TRect{s.Left, TopRow(), s.Right, TopRow() + VisibleRowCount()});
                FSizeSelection = s;
            }
        }
    }

    // 8. Borders of fixed columns and rows that may be sized.
    FSizeFixed = false;
    {
        int sum = 0;
        for (int i = 0; i < FixedCols(); ++i) {
            if (std::abs(ColWidths(i) + sum - X) < 3 && C >= 0 && R >= 0 && !Designing())
                FSizeFixed = FMouseActions->SizeFixedCol;
            sum += ColWidths(i) + 1;
        }
    }
    if (FSizingFixed) {
        DrawColSizingLine(FSizeFixedX);
        FSizeFixedX = X;
        DrawColSizingLine(X);
    }
    FSizeFixedR = false;
    {
        int sum = 0;
        for (int i = 0; i < FixedRows(); ++i) {
            if (std::abs(RowHeights(i) + sum - Y) < 3 && C >= 0 && R >= 0 && !Designing())
                FSizeFixedR = FMouseActions->SizeFixedRow;
            sum += RowHeights(i) + 1;
        }
    }
    if (FSizingFixedR) {
        DrawRowSizingLine(FSizeFixedY);
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
    }

    // 9. The resize handle.
    const bool OnResizer = MouseOnResizer(X, Y);

    // 10. A drag out of the grid starts from a deferred press on a selected
    // cell; without drag and drop settings no press is deferred.

    if (!Designing()) {
        // 11.2 A column or row move may be refused as it starts.
        if (GridState() == gsColMoving || GridState() == gsRowMoving) {
            bool allow = true;
            if (GridState() == gsColMoving) {
                if (OnColumnMove) OnColumnMove(this, Movecell, allow);
            } else if (OnRowMove) {
                OnRowMove(this, Movecell, allow);
            }
            if (!allow) SetGridState(gsNormal);
        }
        // 11.3 The feedback of a move.
        if ((GridState() == gsRowMoving || GridState() == gsColMoving) && RowCount() > 1 &&
            (X != Clickposx || Y != Clickposy) && EnhRowColMove && !FSizingFixed && !FSizingFixedR) {
            MoveFeedback(C, R, X, Y);
            handled = true;
        }
        // 11.4 What the pointer lies on.
        FMouseSelectMode = OnResizer ? msResize : msNormal;
        if (R >= 0 && R < FixedRows() && C >= 0) {
            if (C < FixedCols() && FMouseActions->AllSelect)
                FMouseSelectMode = msAll;
            else if (C >= FixedCols() && FMouseActions->ColSelect && !IsOnSizingEdge(X, Y))
                FMouseSelectMode = msColumn;
        } else if (C >= 0 && C < FixedCols() && R >= 0) {
            const int h = FloatingFooterOnLastRow() ? 2 : 1;
            if (R <= RowCount() - h && (R >= FixedRows() || ScrolledUp) && FMouseActions->RowSelect &&
                !IsOnSizingEdge(X, Y) && !IsOnNodeGlyph(R, X))
                FMouseSelectMode = msRow;
        }
    }

    // 12. Links and anchors.
    LinksUnderMouse(X, Y, handled);

    // 13. The grid's own cursor unless a step chose another.
    if (handled) {
        Invokedchange = true;
    } else if (FCursor != FOldCursor) {
        Invokedchange = true;
        FCursor = FOldCursor;
        if (Host()) Host()->SetCursor(FCursor);
        Invokedchange = false;
    }

    // 14. The hint of another cell goes.
    if (FLastHintPos.X >= 0 && FLastHintPos.Y >= 0) {
        int bc = -1, br = -1;
        if (C >= 0 && R >= 0) GetBaseCellPos(C, R, bc, br);
        if (bc != FLastHintPos.X || br != FLastHintPos.Y) {
            CancelApplicationHint();
            FLastHintPos = {-1, -1};
        }
    }

    // 15. The selection frame follows a range selection.
    if (GridState() == gsSelecting && SelectionRectangle && !SameRect(Selection(), FMoveSelection)) {
        const TGridRect s = Selection();
        InvalidateCellRange(TRect{s.Left, s.Top, s.Right, s.Bottom});
        FMoveSelection = s;
    }

    // 16. The class library's movement (range selection, sizing and moving
    // tracking, OnMouseMove). It shows the sizing cursor on a border.
    TBaseGrid::MouseMove(Shift, X, Y);
    if (handled && Host()) Host()->SetCursor(FCursor);

    // 17. The left column stays while the button is down.
    if (FNavigation->KeepHorizScroll && FMouseKeepDown && GridState() != gsColMoving &&
        FOldKeepLeftCol >= FixedCols() && LeftCol() != FOldKeepLeftCol) {
        StartUpdate();
        SetLeftCol(FOldKeepLeftCol);
        ResetUpdate();
    }

    // 18. Sizing events.
    if (GridState() == gsColSizing || FSizingFixed) {
        if (OnColumnSizing) {
            if (FSizingFixed) {
                OnColumnSizing(this, 0, FSizeFixedX);
            } else {
                const TRect k = Colclicked >= 0 ? CellRect(Colclicked, std::max(Rowclicked, 0))
                                                : CellRect(ColCount() - 1, 0);
                OnColumnSizing(this, Colclicked, X - k.Left - Clickposdx);
            }
        }
    }
    if (GridState() == gsRowSizing || FSizingFixedR) {
        if (OnRowSizing) {
            if (FSizingFixedR) {
                OnRowSizing(this, 0, FSizeFixedY);
            } else {
                const TRect k = Rowclicked >= 0 ? CellRect(std::max(Colclicked, 0), Rowclicked)
                                                : CellRect(0, RowCount() - 1);
                OnRowSizing(this, Rowclicked, Y - k.Top - Clickposdy);
            }
        }
    }

    // 19. The sizing hint.
    if ((Designing() || HintShowSizing) &&
        (GridState() == gsColSizing || GridState() == gsRowSizing || FSizingFixed || FSizingFixedR))
        ShowSizingHint(X, Y);

    // 20.
    if (EnhRowColMove && Host()) Host()->Update();

    // 21.
    const TGridRect s = Selection();
    if (!SameRect(s, S0)) SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

TArrowWindow* TExStringGrid::MoveArrow(TArrowDirection Dir) const
{
    switch (Dir) {
    case arrUp: return FArwU.get();
    case arrDown: return FArwD.get();
    case arrLeft: return FArwL.get();
    case arrRight: return FArwR.get();
    }
    return nullptr;
}

void TExStringGrid::EnsureMoveWindows()
{
    if (FMoveButton) return;
    FMoveButton = std::make_unique<THeaderDragButton>(this);
    FArwU = std::make_unique<TArrowWindow>(nullptr, arrUp);
    FArwD = std::make_unique<TArrowWindow>(nullptr, arrDown);
    FArwL = std::make_unique<TArrowWindow>(nullptr, arrLeft);
    FArwR = std::make_unique<TArrowWindow>(nullptr, arrRight);
}

void TExStringGrid::HideMoveArrows()
{
    for (TArrowWindow* a : {FArwU.get(), FArwD.get(), FArwL.get(), FArwR.get()})
        if (a) a->SetVisible(false);
}

void TExStringGrid::MoveFeedback(int C, int R, int X, int Y)
{
    bool allow4 = true;
    FireStartBlockFocus(Row());
    EnsureMoveWindows();
    const bool cols = GridState() == gsColMoving;
    // 1, 2. The floating caption takes the moved heading.
    int bw = FMoveButton->Width(), bh = FMoveButton->Height();
    if (cols && Movecell >= FixedCols() && Movecell < ColCount() && R >= 0) {
        FMoveButton->SetCaption(Cells(Model().RealCol(Movecell), 0));
        bw = ColWidths(Movecell);
        bh = RowHeights(R);
        FMoveButton->Invalidate();
    } else if (!cols && Movecell >= FixedRows() && Movecell < RowCount() && C >= 0) {
        FMoveButton->SetCaption(Cells(0, Movecell));
        bh = RowHeights(Movecell);
        bw = ColWidths(C);
        FMoveButton->Invalidate();
    }
    // 3. It follows the pointer, held where it was taken.
    const TPoint p = ClientToScreen({X - MoveOfsX, Y - MoveOfsY});
    FMoveButton->SetBounds(p.X, p.Y, bw, bh);

    if (cols) {
        // 4. The arrows mark the previous target (one movement behind).
        if (FMoveColInd >= FixedCols() && FMoveColInd < ColCount() && C >= 0) {
            const TRect rc = CellRect(FMoveColInd, 0);
            const TPoint tl = ClientToScreen({rc.Left, rc.Top});
            const TPoint br = ClientToScreen({rc.Right, rc.Bottom});
            const int x = FMoveColInd < Movecell ? tl.X - 5 : tl.X + ColWidths(FMoveColInd) - 5;
            FArwU->SetBounds(x, br.Y, FArwU->Width(), FArwU->Height());
            FArwD->SetBounds(x, tl.Y - 8, FArwD->Width(), FArwD->Height());
        }
        const bool shown = FMoveColInd >= FixedCols() && FMoveColInd >= LeftCol() &&
                           FMoveColInd - LeftCol() < VisibleColCount();
        FArwD->SetVisible(shown);
        FArwU->SetVisible(shown);
        if (Movecell >= FixedCols() && R >= 0) {
            FMoveColInd = C;
            FMoveRowInd = 0;
            if (OnColumnMoving) OnColumnMoving(this, C, allow4);
        }
        // 6. Scrolling along while the pointer is beyond the scrolled columns.
        if (VisibleColCount() + FixedCols() < ColCount()) {
            if (X < FixedWidth() && LeftCol() > FixedCols()) {
                SetLeftCol(LeftCol() - 1);
                Repaint();
            } else if (X > ClientWidth() && LeftCol() + VisibleColCount() < ColCount()) {
                SetLeftCol(LeftCol() + 1);
                Repaint();
            }
        }
    } else {
        // 5. The row arrows, likewise; not for the footer's row.
        if (!(FloatingFooterOnLastRow() && FMoveRowInd == RowCount() - 1)) {
            if (FMoveRowInd >= FixedRows() && FMoveRowInd < RowCount() && FMoveRowInd - TopRow() < VisibleRowCount() &&
                R >= 0) {
                const TRect rc = CellRect(0, FMoveRowInd);
                const TPoint tl = ClientToScreen({rc.Left, rc.Top});
                const TPoint br = ClientToScreen({rc.Right, rc.Bottom});
                const int y = FMoveRowInd < Movecell ? tl.Y - 5 : tl.Y - 5 + RowHeights(FMoveRowInd);
                FArwL->SetBounds(tl.X - 10, y, FArwL->Width(), FArwL->Height());
                FArwR->SetBounds(br.X, y, FArwR->Width(), FArwR->Height());
            }
            const bool shown = FMoveRowInd >= FixedRows() && FMoveRowInd >= TopRow() &&
                               FMoveRowInd - TopRow() < VisibleRowCount();
            FArwL->SetVisible(shown);
            FArwR->SetVisible(shown);
        }
        if (Movecell >= FixedRows() && C >= 0 && !(FloatingFooterOnLastRow() && R == RowCount() - 1)) {
            FMoveColInd = 0;
            FMoveRowInd = R;
            if (OnRowMoving) OnRowMoving(this, R, allow4);
        }
        if (VisibleRowCount() + FixedRows() < RowCount()) {
            if (Y < FixedHeight() && TopRow() > FixedRows()) {
                SetTopRow(TopRow() - 1);
                Repaint();
            } else if (Y > ClientHeight() && TopRow() + VisibleRowCount() < RowCount()) {
                SetTopRow(TopRow() + 1);
                Repaint();
            }
        }
    }
    // 7. The caption shows; the pointer tells whether the place takes it.
    if (!FMoveButton->Visible()) FMoveButton->SetVisible(true);
    FMoveButton->SetEnabled(true);
    SetScreenCursor(allow4 ? crDrag : crNoDrop);
    FCursor = allow4 ? crDrag : crNoDrop;
}

// --- links and anchors under the mouse -------------------------------------------------------

void TExStringGrid::LinksUnderMouse(int X, int Y, bool& Handled)
{
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    if (C < 0 || R < 0 || C >= ColCount() || R >= RowCount()) return;
    const int RC = Model().RealCol(C);
    const std::string T = Cells(RC, R);
    const int kind = CellTextKind(T, EnableHTML);

    if (URLShow && kind != ctkHTML && IsURLText(T)) {
        FCursor = crHandPoint;
        if (Host()) Host()->SetCursor(crHandPoint);
        Handled = true;
    }

    if (kind == ctkHTML) {
        THTMLDrawArgs a;
        HTMLHitTest(C, R, RC, X, Y, T, a);
        std::string Anchor = a.HitAnchor;
        std::string Title = a.HitTitle;
        const int LinkNo = a.HitAnchorNumber;
        // An inline control is no link.
        if (Anchor == "ctrl" && !a.ControlId.empty()) Anchor.clear();

        if (URLUnderlineOnHover) {
            if ((FHoverCell.X >= 0 && (FHoverCell.X != C || FHoverCell.Y != R)) || FHoverlink != -1) {
                const TPoint old = FHoverCell;
                FHoverCell = {C, R};
                if (old.X >= 0) RepaintCell(old.X, old.Y);
            }
            if (FHoverCell.X != C || FHoverCell.Y != R || FHoverlink != -1 || LinkNo != -1) {
                FHoverCell = {C, R};
                FHoverlink = LinkNo;
                RepaintCell(C, R);
            }
        }
        if (!Anchor.empty()) {
            if (Title.empty() && OnAnchorHint) OnAnchorHint(this, R, C, Title);
            if (Title != FLastAnchorHint && !FLastAnchorHint.empty() && Anchor != FAnchor) {
                FLastAnchorHint = Title;
                CancelApplicationHint();
            }
            FCursor = crHandPoint;
            if (Host()) Host()->SetCursor(crHandPoint);
            Handled = true;
            if (Anchor != FAnchor) {
                if (OnAnchorEnter) OnAnchorEnter(this, R, C, Anchor);
                FAnchor = Anchor;
            }
        } else if (!FAnchor.empty()) {
            if (OnAnchorExit) OnAnchorExit(this, R, C, std::string());
            FAnchor.clear();
        }
    } else if (URLUnderlineOnHover && ((FHoverCell.X >= 0 && (FHoverCell.X != C || FHoverCell.Y != R)) ||
                                       FHoverlink != -1)) {
        FHoverlink = -1;
        const TPoint old = FHoverCell;
        FHoverCell = {-1, -1};
        if (old.X >= 0) RepaintCell(old.X, old.Y);
    }
}

// --- the sizing hint -------------------------------------------------------------------------

void TExStringGrid::ShowSizingHint(int X, int Y)
{
    std::string text;
    TRect anchor{};
    if (FSizingFixed) {
        text = "cw=<b>" + std::to_string(FSizeFixedX) + "</b>";
        anchor = CellRect(0, 0);
    } else if (FSizingFixedR) {
        text = "rh=<b>" + std::to_string(FSizeFixedY) + "</b>";
        anchor = CellRect(0, 0);
    } else if (GridState() == gsColSizing) {
        const TRect k =
            Colclicked >= 0 ? CellRect(Colclicked, std::max(Rowclicked, 0)) : CellRect(ColCount() - 1, 0);
        text = "cw=<b>" + std::to_string(X - k.Left - Clickposdx) + "</b>";
        anchor = k;
    } else {
        const TRect k = Rowclicked >= 0 ? CellRect(std::max(Colclicked, 0), Rowclicked) : CellRect(0, RowCount() - 1);
        text = "rh=<b>" + std::to_string(Y - k.Top - Clickposdy) + "</b>";
        anchor = k;
    }
    const TPoint p = ClientToScreen({anchor.Left, anchor.Top});
    if (!FScrollHintWnd) FScrollHintWnd = std::make_unique<THTMLHintWindow>();
    TRect r = FScrollHintWnd->CalcHintRect(200, text, static_cast<TObject*>(this));
    r = {r.Left + p.X, r.Top + p.Y, r.Right + p.X, r.Bottom + p.Y};
    FScrollHintWnd->SetCaption(text);
    FScrollHintWnd->SetColor(HintColor);
    FScrollHintWnd->ActivateHint(r, text);
    FScrollHintShow = true;
}

void TExStringGrid::HideSizingHint()
{
    if (FScrollHintWnd) FScrollHintWnd->ReleaseHandle();
    FScrollHintShow = false;
}

// --- leaving the grid ------------------------------------------------------------------------

void TExStringGrid::CMMouseLeave()
{
    TBaseGrid::CMMouseLeave();
    FMouseSelectMode = msNormal;
    FSizeFixed = false;
    FSizeFixedR = false;
    if (!FNoMouseLeave && HoverFixedCells != hfNone && (FHoverFixedX != -1 || FHoverFixedY != -1)) {
        const int ox = FHoverFixedX, oy = FHoverFixedY;
        FHoverFixedX = -1;
        FHoverFixedY = -1;
        if (ox >= 0 && oy >= 0) RepaintCell(ox, oy);
    }
    if (FLook == glListView && FHotFixedCell.X >= 0 && FHotFixedCell.Y >= 0 &&
        (FHotFixedCell.X < FixedCols() || FHotFixedCell.Y < FixedRows()))
        RepaintCell(FHotFixedCell.X, FHotFixedCell.Y);
    if (HoverRow && HoverRowIdx != -1) {
        const int old = HoverRowIdx;
        HoverRowIdx = -1;
        if (old < RowCount()) RepaintRow(old);
    }
}
