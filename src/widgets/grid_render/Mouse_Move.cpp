// TExStringGrid: the mouse moving over the grid, pressed or not: hover
// highlighting, whole-row and whole-column selection from the fixed cells,
// the borders of fixed columns and rows that can be sized, the resize
// handle, the feedback of a column or row move, links under the mouse, the
// sizing events with their hint, and leaving the grid.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridUtil.h"
#include "widgets/GridWindows.h"
#include "widgets/grid_render/Html_Render.h"
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
bool TGridInputPart::MouseOnResizer(int X, int Y)
{
    if (!G.SelectionResizer || !G.SelectionRectangle) return false;
    const TGridRect s = G.Selection();
    const TRect rs = G.CellRect(s.Right, s.Bottom);
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
    if (FParts->Input.FMouseDownMove && FParts->FMouseActions->RangeSelectAndEdit && Options().Contains(goEditing) && !EditorMode())
        SetOptions(Options() - goEditing);
    const TGridRect S0 = Selection();
    if (SelectionRectangle && GridState() == gsSelecting && !SameRect(FParts->Input.FSizeSelection, S0)) FParts->Input.FSizeSelection = S0;

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
    if (HoverFixedCells != hfNone && !FParts->Input.FNoMouseLeave) {
        const int ox = FParts->Input.FHoverFixedX, oy = FParts->Input.FHoverFixedY;
        FParts->Input.FHoverFixedX = C;
        FParts->Input.FHoverFixedY = R;
        if (ox != C || oy != R) {
            if (fixedCell(ox, oy)) RepaintCell(ox, oy);
            if (fixedCell(C, R)) RepaintCell(C, R);
        }
    }

    // 4. The hot fixed cell of the list-view look.
    if (FParts->FLook == glListView && (FParts->Input.FHotFixedCell.X != C || FParts->Input.FHotFixedCell.Y != R)) {
        if (FParts->Input.FHotFixedCell.X >= 0 && FParts->Input.FHotFixedCell.Y >= 0 && fixedCell(FParts->Input.FHotFixedCell.X, FParts->Input.FHotFixedCell.Y))
            RepaintCell(FParts->Input.FHotFixedCell.X, FParts->Input.FHotFixedCell.Y);
        FParts->Input.FHotFixedCell = {C, R};
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
            if (FParts->Input.FHoverButton.X != C || FParts->Input.FHoverButton.Y != R) {
                if (FParts->Input.FHoverButton.X >= 0) RepaintCell(FParts->Input.FHoverButton.X, FParts->Input.FHoverButton.Y);
                FParts->Input.FHoverButton = {C, R};
                RepaintCell(C, R);
            }
        } else if (FParts->Input.FHoverButton.X >= 0) {
            RepaintCell(FParts->Input.FHoverButton.X, FParts->Input.FHoverButton.Y);
            FParts->Input.FHoverButton = {-1, -1};
        }
    }

    // 6. Rows selected by dragging down the row headings.
    bool ScrolledUp = false;
    if (FParts->Input.FMouseSelectStart != -1 && FParts->FMouseActions->RowSelect && FParts->Input.FMouseSelectMode == msRow) {
        if (R >= FixedRows() && R <= RowCount() - FixedFooters) {
            const int to = std::max(FixedRows(), std::min(R, RowCount() - 1));
            SetSelection({FixedCols(), std::min(FParts->Input.FMouseSelectStart, to), ColCount() - 1, std::max(FParts->Input.FMouseSelectStart, to)});
            if (SelectionRectangle && !SameRect(Selection(), FParts->Input.FSizeSelection)) {
                const TGridRect s = Selection();
                RepaintRect(TRect{LeftCol(), s.Top, LeftCol() + VisibleColCount(), s.Bottom});
                FParts->Input.FSizeSelection = s;
            }
        }
        if (Y > ClientHeight() - 4) SetTopRow(TopRow() + 1);
        if (FixedRows() > 0 && RowCount() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            ScrolledUp = true;
        }
    }

    // 7. Columns selected by dragging along the column headings.
    if (FParts->Input.FMouseSelectStart != -1 && FParts->FMouseActions->ColSelect && FParts->Input.FMouseSelectMode == msColumn) {
        const int to = std::max(FixedCols(), std::min(C, ColCount() - 1));
        if (C >= 0 && RowCount() > FixedRows()) {
            SetSelection({std::min(FParts->Input.FMouseSelectStart, to), FixedRows(), std::max(FParts->Input.FMouseSelectStart, to), RowCount() - 1});
            if (SelectionRectangle && !SameRect(Selection(), FParts->Input.FSizeSelection)) {
                const TGridRect s = Selection();
                RepaintRect(TRect{s.Left, TopRow(), s.Right, TopRow() + VisibleRowCount()});
                FParts->Input.FSizeSelection = s;
            }
        }
    }

    // 8. Borders of fixed columns and rows that may be sized.
    FParts->Input.FSizeFixed = false;
    {
        int sum = 0;
        for (int i = 0; i < FixedCols(); ++i) {
            if (std::abs(ColWidths(i) + sum - X) < 3 && C >= 0 && R >= 0 && !Designing())
                FParts->Input.FSizeFixed = FParts->FMouseActions->SizeFixedCol;
            sum += ColWidths(i) + 1;
        }
    }
    if (FParts->Input.FSizingFixed) {
        FParts->Paint.DrawColSizingLine(FParts->Input.FSizeFixedX);
        FParts->Input.FSizeFixedX = X;
        FParts->Paint.DrawColSizingLine(X);
    }
    FParts->Input.FSizeFixedR = false;
    {
        int sum = 0;
        for (int i = 0; i < FixedRows(); ++i) {
            if (std::abs(RowHeights(i) + sum - Y) < 3 && C >= 0 && R >= 0 && !Designing())
                FParts->Input.FSizeFixedR = FParts->FMouseActions->SizeFixedRow;
            sum += RowHeights(i) + 1;
        }
    }
    if (FParts->Input.FSizingFixedR) {
        FParts->Paint.DrawRowSizingLine(FParts->Input.FSizeFixedY);
        FParts->Input.FSizeFixedY = Y;
        FParts->Paint.DrawRowSizingLine(Y);
    }

    // 9. The resize handle.
    const bool OnResizer = FParts->Input.MouseOnResizer(X, Y);

    // 10. A drag out of the grid starts from a deferred press on a selected
    // cell; without drag and drop settings no press is deferred.

    if (!Designing()) {
        // 11.2 A column or row move may be refused as it starts.
        if (GridState() == gsColMoving || GridState() == gsRowMoving) {
            bool allow = true;
            if (GridState() == gsColMoving) {
                if (OnColumnMove) OnColumnMove(this, FParts->Input.Movecell, allow);
            } else if (OnRowMove) {
                OnRowMove(this, FParts->Input.Movecell, allow);
            }
            if (!allow) SetGridState(gsNormal);
        }
        // 11.3 The feedback of a move.
        if ((GridState() == gsRowMoving || GridState() == gsColMoving) && RowCount() > 1 &&
            (X != FParts->Input.Clickposx || Y != FParts->Input.Clickposy) && EnhRowColMove && !FParts->Input.FSizingFixed && !FParts->Input.FSizingFixedR) {
            FParts->Input.MoveFeedback(C, R, X, Y);
            handled = true;
        }
        // 11.4 What the pointer lies on.
        FParts->Input.FMouseSelectMode = OnResizer ? msResize : msNormal;
        if (R >= 0 && R < FixedRows() && C >= 0) {
            if (C < FixedCols() && FParts->FMouseActions->AllSelect)
                FParts->Input.FMouseSelectMode = msAll;
            else if (C >= FixedCols() && FParts->FMouseActions->ColSelect && !IsOnSizingEdge(X, Y))
                FParts->Input.FMouseSelectMode = msColumn;
        } else if (C >= 0 && C < FixedCols() && R >= 0) {
            const int h = FParts->Input.FloatingFooterOnLastRow() ? 2 : 1;
            if (R <= RowCount() - h && (R >= FixedRows() || ScrolledUp) && FParts->FMouseActions->RowSelect &&
                !IsOnSizingEdge(X, Y) && !IsOnNodeGlyph(R, X))
                FParts->Input.FMouseSelectMode = msRow;
        }
    }

    // 12. Links and anchors.
    FParts->Input.LinksUnderMouse(X, Y, handled);

    // 13. The grid's own cursor unless a step chose another.
    if (handled) {
        FParts->Input.Invokedchange = true;
    } else if (FParts->FCursor != FParts->FOldCursor) {
        FParts->Input.Invokedchange = true;
        FParts->FCursor = FParts->FOldCursor;
        if (Host()) Host()->SetCursor(FParts->FCursor);
        FParts->Input.Invokedchange = false;
    }

    // 14. The hint of another cell goes.
    if (FParts->Input.FLastHintPos.X >= 0 && FParts->Input.FLastHintPos.Y >= 0) {
        int bc = -1, br = -1;
        if (C >= 0 && R >= 0) GetBaseCellPos(C, R, bc, br);
        if (bc != FParts->Input.FLastHintPos.X || br != FParts->Input.FLastHintPos.Y) {
            CancelApplicationHint();
            FParts->Input.FLastHintPos = {-1, -1};
        }
    }

    // 15. The selection frame follows a range selection.
    if (GridState() == gsSelecting && SelectionRectangle && !SameRect(Selection(), FParts->Input.FMoveSelection)) {
        const TGridRect s = Selection();
        InvalidateCellRange(TRect{s.Left, s.Top, s.Right, s.Bottom});
        FParts->Input.FMoveSelection = s;
    }

    // 16. The class library's movement (range selection, sizing and moving
    // tracking, OnMouseMove). It shows the sizing cursor on a border.
    TBaseGrid::MouseMove(Shift, X, Y);
    if (handled && Host()) Host()->SetCursor(FParts->FCursor);

    // 17. The left column stays while the button is down.
    if (FParts->FNavigation->KeepHorizScroll && FParts->Input.FMouseKeepDown && GridState() != gsColMoving &&
        FParts->Input.FOldKeepLeftCol >= FixedCols() && LeftCol() != FParts->Input.FOldKeepLeftCol) {
        StartUpdate();
        SetLeftCol(FParts->Input.FOldKeepLeftCol);
        ResetUpdate();
    }

    // 18. Sizing events.
    if (GridState() == gsColSizing || FParts->Input.FSizingFixed) {
        if (OnColumnSizing) {
            if (FParts->Input.FSizingFixed) {
                OnColumnSizing(this, 0, FParts->Input.FSizeFixedX);
            } else {
                const TRect k = FParts->Input.Colclicked >= 0 ? CellRect(FParts->Input.Colclicked, std::max(FParts->Input.Rowclicked, 0))
                                                : CellRect(ColCount() - 1, 0);
                OnColumnSizing(this, FParts->Input.Colclicked, X - k.Left - FParts->Input.Clickposdx);
            }
        }
    }
    if (GridState() == gsRowSizing || FParts->Input.FSizingFixedR) {
        if (OnRowSizing) {
            if (FParts->Input.FSizingFixedR) {
                OnRowSizing(this, 0, FParts->Input.FSizeFixedY);
            } else {
                const TRect k = FParts->Input.Rowclicked >= 0 ? CellRect(std::max(FParts->Input.Colclicked, 0), FParts->Input.Rowclicked)
                                                : CellRect(0, RowCount() - 1);
                OnRowSizing(this, FParts->Input.Rowclicked, Y - k.Top - FParts->Input.Clickposdy);
            }
        }
    }

    // 19. The sizing hint.
    if ((Designing() || HintShowSizing) &&
        (GridState() == gsColSizing || GridState() == gsRowSizing || FParts->Input.FSizingFixed || FParts->Input.FSizingFixedR))
        FParts->Input.ShowSizingHint(X, Y);

    // 20.
    if (EnhRowColMove && Host()) Host()->Update();

    // 21.
    const TGridRect s = Selection();
    if (!SameRect(s, S0)) SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

TArrowWindow* TExStringGrid::MoveArrow(TArrowDirection Dir) const
{
    switch (Dir) {
    case arrUp: return FParts->Input.FArwU.get();
    case arrDown: return FParts->Input.FArwD.get();
    case arrLeft: return FParts->Input.FArwL.get();
    case arrRight: return FParts->Input.FArwR.get();
    }
    return nullptr;
}

void TGridInputPart::EnsureMoveWindows()
{
    if (FMoveButton) return;
    FMoveButton = std::make_unique<THeaderDragButton>(&G);
    FArwU = std::make_unique<TArrowWindow>(nullptr, arrUp);
    FArwD = std::make_unique<TArrowWindow>(nullptr, arrDown);
    FArwL = std::make_unique<TArrowWindow>(nullptr, arrLeft);
    FArwR = std::make_unique<TArrowWindow>(nullptr, arrRight);
}

void TGridInputPart::HideMoveArrows()
{
    for (TArrowWindow* a : {FArwU.get(), FArwD.get(), FArwL.get(), FArwR.get()})
        if (a) a->SetVisible(false);
}

void TGridInputPart::MoveFeedback(int C, int R, int X, int Y)
{
    bool allow4 = true;
    G.FireStartBlockFocus(G.Row());
    EnsureMoveWindows();
    const bool cols = G.GridState() == gsColMoving;
    // 1, 2. The floating caption takes the moved heading.
    int bw = FMoveButton->Width(), bh = FMoveButton->Height();
    if (cols && Movecell >= G.FixedCols() && Movecell < G.ColCount() && R >= 0) {
        FMoveButton->SetCaption(G.Cells(G.Model().RealCol(Movecell), 0));
        bw = G.ColWidths(Movecell);
        bh = G.RowHeights(R);
        FMoveButton->Invalidate();
    } else if (!cols && Movecell >= G.FixedRows() && Movecell < G.RowCount() && C >= 0) {
        FMoveButton->SetCaption(G.Cells(0, Movecell));
        bh = G.RowHeights(Movecell);
        bw = G.ColWidths(C);
        FMoveButton->Invalidate();
    }
    // 3. It follows the pointer, held where it was taken.
    const TPoint p = G.ClientToScreen({X - MoveOfsX, Y - MoveOfsY});
    FMoveButton->SetBounds(p.X, p.Y, bw, bh);

    if (cols) {
        // 4. The arrows mark the previous target (one movement behind).
        if (FMoveColInd >= G.FixedCols() && FMoveColInd < G.ColCount() && C >= 0) {
            const TRect rc = G.CellRect(FMoveColInd, 0);
            const TPoint tl = G.ClientToScreen({rc.Left, rc.Top});
            const TPoint br = G.ClientToScreen({rc.Right, rc.Bottom});
            const int x = FMoveColInd < Movecell ? tl.X - 5 : tl.X + G.ColWidths(FMoveColInd) - 5;
            FArwU->SetBounds(x, br.Y, FArwU->Width(), FArwU->Height());
            FArwD->SetBounds(x, tl.Y - 8, FArwD->Width(), FArwD->Height());
        }
        const bool shown = FMoveColInd >= G.FixedCols() && FMoveColInd >= G.LeftCol() &&
                           FMoveColInd - G.LeftCol() < G.VisibleColCount();
        FArwD->SetVisible(shown);
        FArwU->SetVisible(shown);
        if (Movecell >= G.FixedCols() && R >= 0) {
            FMoveColInd = C;
            FMoveRowInd = 0;
            if (G.OnColumnMoving) G.OnColumnMoving((&G), C, allow4);
        }
        // 6. Scrolling along while the pointer is beyond the scrolled columns.
        if (G.VisibleColCount() + G.FixedCols() < G.ColCount()) {
            if (X < G.FixedWidth() && G.LeftCol() > G.FixedCols()) {
                G.SetLeftCol(G.LeftCol() - 1);
                G.Repaint();
            } else if (X > G.ClientWidth() && G.LeftCol() + G.VisibleColCount() < G.ColCount()) {
                G.SetLeftCol(G.LeftCol() + 1);
                G.Repaint();
            }
        }
    } else {
        // 5. The row arrows, likewise; not for the footer's row.
        if (!(FloatingFooterOnLastRow() && FMoveRowInd == G.RowCount() - 1)) {
            if (FMoveRowInd >= G.FixedRows() && FMoveRowInd < G.RowCount() && FMoveRowInd - G.TopRow() < G.VisibleRowCount() &&
                R >= 0) {
                const TRect rc = G.CellRect(0, FMoveRowInd);
                const TPoint tl = G.ClientToScreen({rc.Left, rc.Top});
                const TPoint br = G.ClientToScreen({rc.Right, rc.Bottom});
                const int y = FMoveRowInd < Movecell ? tl.Y - 5 : tl.Y - 5 + G.RowHeights(FMoveRowInd);
                FArwL->SetBounds(tl.X - 10, y, FArwL->Width(), FArwL->Height());
                FArwR->SetBounds(br.X, y, FArwR->Width(), FArwR->Height());
            }
            const bool shown = FMoveRowInd >= G.FixedRows() && FMoveRowInd >= G.TopRow() &&
                               FMoveRowInd - G.TopRow() < G.VisibleRowCount();
            FArwL->SetVisible(shown);
            FArwR->SetVisible(shown);
        }
        if (Movecell >= G.FixedRows() && C >= 0 && !(FloatingFooterOnLastRow() && R == G.RowCount() - 1)) {
            FMoveColInd = 0;
            FMoveRowInd = R;
            if (G.OnRowMoving) G.OnRowMoving((&G), R, allow4);
        }
        if (G.VisibleRowCount() + G.FixedRows() < G.RowCount()) {
            if (Y < G.FixedHeight() && G.TopRow() > G.FixedRows()) {
                G.SetTopRow(G.TopRow() - 1);
                G.Repaint();
            } else if (Y > G.ClientHeight() && G.TopRow() + G.VisibleRowCount() < G.RowCount()) {
                G.SetTopRow(G.TopRow() + 1);
                G.Repaint();
            }
        }
    }
    // 7. The caption shows; the pointer tells whether the place takes it.
    if (!FMoveButton->Visible()) FMoveButton->SetVisible(true);
    FMoveButton->SetEnabled(true);
    SetScreenCursor(allow4 ? crDrag : crNoDrop);
    G.FParts->FCursor = allow4 ? crDrag : crNoDrop;
}

// --- links and anchors under the mouse -------------------------------------------------------

void TGridInputPart::LinksUnderMouse(int X, int Y, bool& Handled)
{
    int C = -1, R = -1;
    G.MouseToCell(X, Y, C, R);
    if (C < 0 || R < 0 || C >= G.ColCount() || R >= G.RowCount()) return;
    const int RC = G.Model().RealCol(C);
    const std::string T = G.Cells(RC, R);
    const int kind = CellTextKind(T, G.EnableHTML);

    if (G.URLShow && kind != ctkHTML && IsURLText(T)) {
        G.FParts->FCursor = crHandPoint;
        if (G.Host()) G.Host()->SetCursor(crHandPoint);
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

        if (G.URLUnderlineOnHover) {
            if ((FHoverCell.X >= 0 && (FHoverCell.X != C || FHoverCell.Y != R)) || FHoverlink != -1) {
                const TPoint old = FHoverCell;
                FHoverCell = {C, R};
                if (old.X >= 0) G.RepaintCell(old.X, old.Y);
            }
            if (FHoverCell.X != C || FHoverCell.Y != R || FHoverlink != -1 || LinkNo != -1) {
                FHoverCell = {C, R};
                FHoverlink = LinkNo;
                G.RepaintCell(C, R);
            }
        }
        if (!Anchor.empty()) {
            if (Title.empty() && G.OnAnchorHint) G.OnAnchorHint((&G), R, C, Title);
            if (Title != FLastAnchorHint && !FLastAnchorHint.empty() && Anchor != FAnchor) {
                FLastAnchorHint = Title;
                CancelApplicationHint();
            }
            G.FParts->FCursor = crHandPoint;
            if (G.Host()) G.Host()->SetCursor(crHandPoint);
            Handled = true;
            if (Anchor != FAnchor) {
                if (G.OnAnchorEnter) G.OnAnchorEnter((&G), R, C, Anchor);
                FAnchor = Anchor;
            }
        } else if (!FAnchor.empty()) {
            if (G.OnAnchorExit) G.OnAnchorExit((&G), R, C, std::string());
            FAnchor.clear();
        }
    } else if (G.URLUnderlineOnHover && ((FHoverCell.X >= 0 && (FHoverCell.X != C || FHoverCell.Y != R)) ||
                                       FHoverlink != -1)) {
        FHoverlink = -1;
        const TPoint old = FHoverCell;
        FHoverCell = {-1, -1};
        if (old.X >= 0) G.RepaintCell(old.X, old.Y);
    }
}

// --- the sizing hint -------------------------------------------------------------------------

void TGridInputPart::ShowSizingHint(int X, int Y)
{
    std::string text;
    TRect anchor{};
    if (FSizingFixed) {
        text = "cw=<b>" + std::to_string(FSizeFixedX) + "</b>";
        anchor = G.CellRect(0, 0);
    } else if (FSizingFixedR) {
        text = "rh=<b>" + std::to_string(FSizeFixedY) + "</b>";
        anchor = G.CellRect(0, 0);
    } else if (G.GridState() == gsColSizing) {
        const TRect k =
            Colclicked >= 0 ? G.CellRect(Colclicked, std::max(Rowclicked, 0)) : G.CellRect(G.ColCount() - 1, 0);
        text = "cw=<b>" + std::to_string(X - k.Left - Clickposdx) + "</b>";
        anchor = k;
    } else {
        const TRect k = Rowclicked >= 0 ? G.CellRect(std::max(Colclicked, 0), Rowclicked) : G.CellRect(0, G.RowCount() - 1);
        text = "rh=<b>" + std::to_string(Y - k.Top - Clickposdy) + "</b>";
        anchor = k;
    }
    const TPoint p = G.ClientToScreen({anchor.Left, anchor.Top});
    if (!FScrollHintWnd) FScrollHintWnd = std::make_unique<THTMLHintWindow>();
    TRect r = FScrollHintWnd->CalcHintRect(200, text, static_cast<TObject*>(&G));
    r = {r.Left + p.X, r.Top + p.Y, r.Right + p.X, r.Bottom + p.Y};
    FScrollHintWnd->SetCaption(text);
    FScrollHintWnd->SetColor(G.HintColor);
    FScrollHintWnd->ActivateHint(r, text);
    FScrollHintShow = true;
}

void TGridInputPart::HideSizingHint()
{
    if (FScrollHintWnd) FScrollHintWnd->ReleaseHandle();
    FScrollHintShow = false;
}

// --- leaving the grid ------------------------------------------------------------------------

void TExStringGrid::CMMouseLeave()
{
    TBaseGrid::CMMouseLeave();
    FParts->Input.FMouseSelectMode = msNormal;
    FParts->Input.FSizeFixed = false;
    FParts->Input.FSizeFixedR = false;
    if (!FParts->Input.FNoMouseLeave && HoverFixedCells != hfNone && (FParts->Input.FHoverFixedX != -1 || FParts->Input.FHoverFixedY != -1)) {
        const int ox = FParts->Input.FHoverFixedX, oy = FParts->Input.FHoverFixedY;
        FParts->Input.FHoverFixedX = -1;
        FParts->Input.FHoverFixedY = -1;
        if (ox >= 0 && oy >= 0) RepaintCell(ox, oy);
    }
    if (FParts->FLook == glListView && FParts->Input.FHotFixedCell.X >= 0 && FParts->Input.FHotFixedCell.Y >= 0 &&
        (FParts->Input.FHotFixedCell.X < FixedCols() || FParts->Input.FHotFixedCell.Y < FixedRows()))
        RepaintCell(FParts->Input.FHotFixedCell.X, FParts->Input.FHotFixedCell.Y);
    if (HoverRow && HoverRowIdx != -1) {
        const int old = HoverRowIdx;
        HoverRowIdx = -1;
        if (old < RowCount()) RepaintRow(old);
    }
}
