// TExStringGrid: a mouse button going down over the grid. The window's
// left-button message decides, in a fixed order of tests, what the press
// does (check box, node, button, anchor, fixed cell, whole-row or -column
// selection, a deferred press, or the class library's press that moves the
// current cell); the dynamic MouseDown then runs the class library's step
// with the grid's own additions. The first test that takes the press ends
// its handling.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/grid_render/FlagSet.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridParsers.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/FloatingFooter.h"

#include "platform/Shell.h"

#include <algorithm>
#include <cstdlib>

namespace {

// One flag of the keys held, Alt before Shift before Control.
TShiftState KeyboardShift(TShiftState Keys)
{
    if (Keys.Contains(ssAlt)) return {ssAlt};
    if (Keys.Contains(ssShift)) return {ssShift};
    if (Keys.Contains(ssCtrl)) return {ssCtrl};
    return {};
}

// Only web and mail links leave the program: a cell text from a file of
// elsewhere must not start programs or open local files.
bool IsOpenableLink(const std::string& Anchor)
{
    const std::string u = UpperCase(Trim(Anchor));
    auto starts = [&](const char* p) { return u.rfind(p, 0) == 0; };
    if (starts("MAILTO:")) return u.size() > 7;
    return (starts("HTTP://") && u.size() > 7) || (starts("HTTPS://") && u.size() > 8);
}

} // namespace

// --- the dynamic press ----------------------------------------------------------------------

void TExStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);

    // Range selection with editing: a press on the current cell edits it,
    // a Shift press elsewhere extends the range instead.
    if (FParts->FMouseActions->RangeSelectAndEdit && Button == mbLeft && !FParts->FMouseActions->EditOnDblClickOnly() && C >= 0 &&
        R >= 0) {
        if (C == Col() && R == Row() && !Options().Contains(goEditing) && IsEditable(Model().RealCol(C), R)) {
            SetOptions(Options() + goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            FParts->Input.NoteSizingPress();
            ShowInplaceEdit();
            return;
        }
        if ((C != Col() || R != Row()) && Options().Contains(goEditing) && Shift.Contains(ssShift)) {
            SetOptions(Options() - goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            FParts->Input.NoteSizingPress();
            return;
        }
    }

    const bool hoverCovers = C >= 0 && R >= 0 &&
                             ((C < FixedCols() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedColumns)) ||
                              (R < FixedRows() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedRows)));
    if (C >= 0 && R >= 0) {
        const TRect rect = CellRect(C, R);
        const int margin = Options().Contains(goColSizing) ? 2 : 0;
        if (rect.Right - 16 < X && X < rect.Right - margin && hoverCovers && FParts->FControlLook->FixedDropDownButton)
            FParts->Input.FDropDownDown = true;
        if (hoverCovers && FParts->FControlLook->FixedGradientDownTo() != clNone && R == FixedRows() - 1) RepaintCell(C, R);
    }

    {
        TFlagSet editStart(FParts->Input.FEditStart, true);
        TBaseGrid::MouseDown(Button, Shift, X, Y);
    }
    FParts->Input.NoteSizingPress();

    if (Shift.Contains(ssShift) && SelectionRectangle) {
        const TGridRect s = Selection();
        RepaintRect(TRect{s.Left, s.Top, s.Right, s.Bottom});
    }

    // Fixed-cell editors, in this order.
    if (C >= 0 && R >= 0 && (C < FixedCols() || R < FixedRows())) {
        const TRect rect = CellRect(C, R);
        const TRect inner{rect.Left + 4, rect.Top + 4, rect.Right - 4, rect.Bottom - 4};
        bool open = false;
        if (Button == mbLeft && R < FixedRows() && FParts->FMouseActions->FixedRowsEdit == fceLeftClick)
            open = !Options().Contains(goColSizing) || PtInRect(inner, {X, Y});
        else if (Button == mbLeft && C < FixedCols() && FParts->FMouseActions->FixedColsEdit == fceLeftClick)
            open = !Options().Contains(goRowSizing) || PtInRect(inner, {X, Y});
        else if (Button == mbRight && R < FixedRows() && FParts->FMouseActions->FixedRowsEdit == fceRightClick)
            open = true;
        else if (Button == mbRight && C < FixedCols() && FParts->FMouseActions->FixedColsEdit == fceRightClick)
            open = true;
        if (open) throw ENotBuilt("fixed cell editor");
    }
    // A linked grid follows the current cell through SelectionMoved.
}

// After the class library's press: a press on a sizing edge asks whether
// the column (row) may be sized and notes its size at the press.
void TGridInputPart::NoteSizingPress()
{
    if ((G.GridState() == gsColSizing && G.OnColumnSize) || (G.GridState() == gsRowSizing && G.OnRowSize)) {
        bool allow = true;
        if (G.GridState() == gsColSizing)
            G.OnColumnSize((&G), G.SizingIndex(), allow);
        else
            G.OnRowSize((&G), G.SizingIndex(), allow);
        if (!allow) {
            G.SetGridState(gsNormal);
            G.Invalidate(); // the tracking line goes
            return;
        }
    }
    if (G.GridState() == gsColSizing && G.SizingIndex() >= 0) {
        FClickCol = G.SizingIndex();
        FClickColSize = G.ColWidths(FClickCol);
        FColSized = true;
    } else if (G.GridState() == gsRowSizing && G.SizingIndex() >= 0) {
        FClickRow = G.SizingIndex();
        FClickRowSize = G.RowHeights(FClickRow);
        FRowSized = true;
    }
}

// --- the left-button message ----------------------------------------------------------------

void TGridInputPart::PressSelectionResizer(TWMMouse& Message, const TGridRect& OldSel, bool ByMode)
{
    // The drag copies the selection and fills the new one from the copy:
    // the grid's clipboard operations are not built yet.
    (void)Message;
    (void)OldSel;
    (void)ByMode;
    throw ENotBuilt("selection resizer");
}

void TExStringGrid::WMLButtonDown(TWMMouse& Message)
{ FParts->Input.HandleLButtonDownMessage(Message); }

void TGridInputPart::HandleLButtonDownMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;
    int C = -1, R = -1;
    G.MouseToCell(X, Y, C, R);

    // 1.
    FDoOnClick = true;
    FMouseDownMove = true;
    FMouseKeepDown = true;
    FSpinUpClick = false;
    FSpinDnClick = false;
    const TGridRect OldSel = G.Selection();
    FPressSelection = OldSel;

    // 2. The resize handle at the selection's lower outer corner.
    if (G.SelectionResizer && G.SelectionRectangle) {
        TRect h = G.CellRect(OldSel.Right, OldSel.Bottom);
        h.Top = h.Bottom - 6;
        h.Left = h.Right - 6;
        if (!IsRectEmpty(h) && PtInRect(h, {X, Y})) {
            PressSelectionResizer(Message, OldSel, false);
            return;
        }
    }

    // 3.
    if (G.Options().Contains(goEditing) && G.FParts->FMouseActions->RangeSelectAndEdit &&
        !(C >= OldSel.Left && C <= OldSel.Right && R >= OldSel.Top && R <= OldSel.Bottom))
        G.SetOptions(G.Options() - goEditing);

    // 4.
    bool allow = true;
    if (G.OnCanClickCell) G.OnCanClickCell(&G, R, C, allow);
    if (!allow) return;

    // 5.
    if (FCellSelectorMode) {
        G.CellSelectorClick(C, R);
        return;
    }

    // 6.
    if (FMouseSelectMode == TExStringGrid::msResize) {
        PressSelectionResizer(Message, OldSel, true);
        return;
    }

    // 7.
    const TShiftState Shift = KeyboardShift(Message.Keys);
    if (G.FParts->FMouseActions->DisjunctCellSelect() && !Shift.Contains(ssCtrl) && C >= 0 && R >= 0 &&
        !G.IsFixed(C, R)) {
        G.FModel->FSelectedCells.Clear();
        G.Invalidate();
    }

    // 8.
    FAnchor.clear();
    FMoveColInd = -1;
    FMoveRowInd = -1;
    FSelectionClick = false;
    FPushedCellButton = {-1, -1};
    const int OldLeft = G.LeftCol();
    const int OldTop = G.TopRow();
    G.FParts->FOldTopRow = G.TopRow();
    FOldKeepLeftCol = G.LeftCol();
    if (R == 0)
        G.MouseToCell(X - 5, Y, Colclicked, Rowclicked);
    else if (C == 0)
        G.MouseToCell(X, Y - 4, Colclicked, Rowclicked);
    else
        G.MouseToCell(X - 5, Y - 4, Colclicked, Rowclicked);
    if (G.FParts->FLook == glListView && FHotFixedCell.X >= 0 && FHotFixedCell.Y >= 0 &&
        (FHotFixedCell.X < G.FixedCols() || FHotFixedCell.Y < G.FixedRows()))
        G.RepaintCell(FHotFixedCell.X, FHotFixedCell.Y);
    if (Colclicked >= 0 && Rowclicked >= 0) {
        Colclickedsize = G.ColWidths(Colclicked);
        Rowclickedsize = G.RowHeights(Rowclicked);
    }
    Clickposx = X;
    Clickposy = Y;

    // 9.
    const bool InFixed = C >= 0 && R >= 0 && (R < G.FixedRows() || C < G.FixedCols());
    if (C == -1 || R == -1) {
        G.HideInplaceEdit();
        if (!G.FixedRowAlways) G.TBaseGrid::WMLButtonDown(Message);
        return;
    }
    const int C0 = C, R0 = R;
    {
        const TPoint b = G.BaseCell(C, R);
        C = b.X;
        R = b.Y;
    }
    const TRect CellR = G.CellRect(C, R);
    if (G.FParts->FMouseActions->CaretPositioning) G.FParts->Edit.LButFlg = true;

    // 10. Sizing a fixed column or row from its border.
    if (FSizeFixed) {
        FSizingFixed = true;
        FSizeFixedX = X;
        G.FParts->Paint.DrawColSizingLine(X);
        int sum = 0;
        for (int i = 0; i < G.FixedCols(); ++i) {
            if (std::abs(G.ColWidths(i) + sum - X) < 3 && !G.Designing()) FSizingFixedCol = i;
            sum += G.ColWidths(i) + 1;
        }
        return;
    }
    if (FSizeFixedR) {
        FSizingFixedR = true;
        FSizeFixedY = Y;
        G.FParts->Paint.DrawRowSizingLine(Y);
        int sum = 0;
        for (int i = 0; i < G.FixedRows(); ++i) {
            if (std::abs(G.RowHeights(i) + sum - Y) < 3 && !G.Designing()) FSizingFixedRow = i;
            sum += G.RowHeights(i) + 1;
        }
        return;
    }

    // 11.
    const bool virtFixedQuery = G.IsFixed(C, R);
    if (InFixed || virtFixedQuery) G.HideInplaceEdit();
    const bool VirtFixed = virtFixedQuery && !InFixed;
    bool IsNodeRow = G.IsNode(R);

    // 12. Fixed cells drawn as push buttons.
    if ((InFixed || VirtFixed) && G.FixedAsButtons && G.Options().Contains(goFixedVertLine) &&
        G.Options().Contains(goFixedHorzLine) && (!IsNodeRow || !G.IsOnNodeGlyph(R, X))) {
        FPushedFixedCell = CellR;
        FPushedCellButton = {C, R};
        FFixedCellPushed = true;
        G.RepaintCell(C, R);
        IsNodeRow = false;
    }

    // 13.
    const int RC = G.Model().RealCol(C);
    if (!G.Designing()) {
        // 13.1 Always visible spin buttons.
        if (G.FParts->FControlLook->SpinButtonsAlwaysVisible() && G.HasSpinEdit(RC, R) && X > CellR.Right - 18) {
            if (Y > CellR.Top + (CellR.Bottom - CellR.Top) / 2)
                FSpinDnClick = true;
            else
                FSpinUpClick = true;
        }
        // 13.2 The node glyph of a header expands or contracts all nodes.
        if (R < G.FixedRows() && C == 0 && IsNodeRow && G.IsOnNodeGlyph(R, X) &&
            G.FParts->FMouseActions->NodeAllExpandContract) {
            if (TCellGraphic* g = G.GetCellGraphic(0, R)) {
                if (g->CellBoolean)
                    G.ExpandAll();
                else
                    G.ContractAll();
                g->CellBoolean = !g->CellBoolean;
                G.RepaintCell(0, R);
            }
        }
        // 13.3 The node glyph of a data row.
        if (R >= G.FixedRows() && C == 0 && IsNodeRow && G.IsOnNodeGlyph(R, X)) {
            ToggleNodeAt(R, C, Shift, X, Y);
            return;
        }
        // 13.4 Radio groups.
        if (G.IsRadio(RC, R) && (G.IsEditable(RC, R) || G.FParts->FControlLook->RadioAlwaysActive)) {
            G.HideInplaceEdit();
            RadioGroupClick(RC, R, X - CellR.Left, Y - CellR.Top);
            G.SetFocus();
            return;
        }
        // 13.5 Column 0 of a node grid does not select.
        if (C == 0 && R >= G.FixedRows() && G.HasNodes() && !G.FParts->FMouseActions->RowSelect &&
            !G.Options().Contains(goRowSizing)) {
            if (G.OnMouseDown) G.OnMouseDown(&G, mbLeft, Shift, X, Y);
            if (G.OnClickCell) G.OnClickCell(&G, R, C);
            return;
        }
        // 13.6 A press on a selected cell waits: the release selects, a
        // movement starts a drag. (The grid is not a drag source here: the
        // drag and drop settings are not built, so no press is deferred.)
    }

    // 14. Rating cells.
    if (G.HasRating(RC, R) && G.IsEditable(RC, R)) {
        G.HideInplaceEdit();
        double rate = static_cast<double>((X - CellR.Left) / 9) / 2.0;
        if (G.FireRatingChange(RC, R, rate)) {
            G.SetFloats(RC, R, rate);
            G.RepaintCell(C, R);
        }
        return;
    }

    // 15, 16. Cell buttons and expand buttons.
    for (int kind = 0; kind < 2; ++kind) {
        const bool has = kind == 0 ? G.HasButton(RC, R) : G.HasExpand(RC, R);
        if (!has) continue;
        G.HideInplaceEdit();
        if (!G.IsFixed(C, R)) {
            TFlagSet force(G.FParts->Edit.FForceSel, true);
            G.SelectCell(C, R);
        }
        const TRect br = kind == 0 ? G.GraphicRectInCell(C, R) : G.ExpandButtonRect(RC, R);
        if (PtInRect(br, {X, Y})) {
            G.PushButton(C, R, true);
            FPushedCellButton = {C, R};
            if (G.OnClickCell) G.OnClickCell(&G, R, C);
            return;
        }
    }

    // 17. A press on a merged area reaches the class library at its base.
    if (G.IsMergedCell(C0, R0) && !G.IsFixed(C0, R0) && !G.OnMouseDown) {
        Message.XPos = CellR.Left + 2;
        Message.YPos = CellR.Top + 2;
    }

    // 18.
    if (C >= G.ColCount() || R >= G.RowCount() || C < 0 || R < 0) {
        G.TBaseGrid::WMLButtonDown(Message);
        return;
    }

    // 19.
    {
        TRect k{};
        if (Colclicked >= 0 && Rowclicked >= 0) k = G.CellRect(Colclicked, Rowclicked);
        Clickposdx = Clickposx - k.Right;
        Clickposdy = Clickposy - k.Bottom;
    }

    // 20. Disjunct rows.
    if (G.FParts->FMouseActions->DisjunctRowSelect() && R >= G.FixedRows() &&
        (C != 0 || !G.FParts->FMouseActions->HotmailRowSelect())) {
        if (Shift.Contains(ssShift)) {
            G.TBaseGrid::WMLButtonDown(Message);
            G.SetSelection({std::min(C, OldSel.Left), std::min(R, OldSel.Top), std::max(C, OldSel.Left),
                          std::max(R, OldSel.Top)});
            return;
        }
        if (Shift.Contains(ssCtrl) || G.FParts->FMouseActions->DisjunctRowSelectNoCtrl) {
            FDeselectState = G.RowSelect(G.FParts->FMouseActions->RowSelectPersistent ? G.Model().RealRow(R) : R);
        } else {
            FMouseDown = true;
            if (!Shift.Contains(ssAlt)) G.ClearRowSelect();
        }
    }

    // 21. Disjunct columns.
    if (G.FParts->FMouseActions->DisjunctColSelect() && C >= G.FixedCols()) {
        if (Shift.Contains(ssCtrl)) {
            FDeselectState = G.ColSelect(C);
        } else {
            FMouseDown = true;
            G.ClearColSelect();
        }
    }

    // 22. Anchors and inline controls.
    if (PressAnchorOrControl(C, R, C0, R0, RC, X, Y, CellR)) return;

    // 23. Select all.
    Movecell = -1;
    auto activeCellRepaint = [&] {
        if (!G.ActiveCellShow) return;
        if (G.FixedRows() > 0) G.RepaintCell(G.Col(), G.FixedRows() - 1);
        if (G.FixedCols() > 0) G.RepaintCell(G.FixedCols() - 1, G.Row());
    };
    if (C < G.FixedCols() && R < G.FixedRows() && G.FParts->FMouseActions->AllSelect &&
        G.Options().Contains(goRangeSelect) && FMouseSelectMode == TExStringGrid::msAll) {
        G.SetFocus();
        G.ExportNotification(esExportStart, -1);
        G.ExportNotification(esExportNewRow, G.RowCount() - 1);
        G.ExportNotification(esExportFail, -1);
        activeCellRepaint();
        G.HideSelection();
        TGridRect rect{G.FixedCols(), G.FixedRows(), G.ColCount() - 1, G.RowCount() - 1};
        G.SelectAllNotification(rect);
        G.SetSelection(rect);
        G.FParts->FSelHidden = false;
        G.DoExit();
        activeCellRepaint();
        return;
    }

    // 24. Rows from a fixed column.
    if (C < G.FixedCols() && R >= G.FixedRows() && G.FParts->FMouseActions->RowSelect &&
        FMouseSelectMode == TExStringGrid::msRow) {
        if (G.EditorMode()) G.SetFocus();
        activeCellRepaint();
        G.HideSelection();
        if (G.FParts->FMouseActions->DisjunctCellSelect()) G.ClearSelectedCells();
        const int top = Shift.Contains(ssShift) ? std::min(R, OldSel.Top) : R;
        const int bottom = Shift.Contains(ssShift) ? std::max(R, OldSel.Top) : R;
        G.SetSelection({G.FixedCols(), top, G.ColCount() - 1, bottom});
        G.FParts->FSelHidden = false;
        G.DoExit();
        FMouseSelectStart = R;
        activeCellRepaint();
        if (!G.RowIndicator().Empty() && G.FixedCols() > 0) G.RepaintCol(0);
        return;
    }

    // 25. Columns from a fixed row.
    if (C >= G.FixedCols() && R < G.FixedRows() && G.FParts->FMouseActions->ColSelect &&
        G.Options().Contains(goRangeSelect) && FMouseSelectMode == TExStringGrid::msColumn) {
        G.SetFocus();
        activeCellRepaint();
        G.HideSelection();
        if (G.FParts->FMouseActions->DisjunctCellSelect()) G.ClearSelectedCells();
        int left = C, right = C;
        if (Shift.Contains(ssShift)) {
            if (C < OldSel.Left)
                right = OldSel.Right;
            else
                left = OldSel.Left;
        }
        G.SetSelection({left, G.FixedRows(), right, G.RowCount() - 1});
        G.FParts->FSelHidden = false;
        G.DoExit();
        FMouseSelectStart = C;
        activeCellRepaint();
        return;
    }

    // 26. What a move by the mouse would take.
    if (R < G.FixedRows() && C >= G.FixedCols())
        Movecell = C;
    else if (C < G.FixedCols() && R >= G.FixedRows())
        Movecell = R;
    {
        const TRect mr = G.CellRect(C, R);
        MoveOfsX = X - mr.Left;
        MoveOfsY = Y - mr.Top;
    }

    // 27. Check boxes and radio buttons.
    bool CanEdit = G.Options().Contains(goEditing) || G.FParts->FMouseActions->RangeSelectAndEdit;
    G.CanEditCell(RC, R, CanEdit);
    const bool HasRadioBtn = G.HasRadioButton(RC, R);
    const bool alwaysActive = HasRadioBtn ? G.FParts->FControlLook->RadioAlwaysActive : G.FParts->FControlLook->CheckAlwaysActive;
    if (C < G.ColCount() && R < G.RowCount() &&
        (CanEdit || alwaysActive || (C == 0 && G.FParts->FMouseActions->HotmailRowSelect())) &&
        (G.HasCheckBox(RC, R) || HasRadioBtn) && G.IsInCheckBox(RC, R, X, Y)) {
        G.HideInplaceEdit();
        G.SetFocus();
        const int RR = G.Model().RealRow(R);
        if (HasRadioBtn) {
            G.ToggleCellRadioButton(RC, R, true);
            if (G.OnRadioButtonClick) G.OnRadioButtonClick(&G, RC, R);
        } else {
            G.ToggleCellCheckBox(RC, R, true);
        }
        if (G.FParts->FShowModified->Enabled) {
            G.SetRowModified(R, true);
            G.RepaintCell(0, R);
        }
        if (C == 0 && G.FParts->FMouseActions->HotmailRowSelect()) {
            G.SetSelection({G.FixedCols(), R, G.ColCount() - 1, R});
            G.SetRowSelect(RR, !G.RowSelect(RR));
            if (RR != R) G.RepaintCell(0, R);
            if (R == G.Row() && !G.RowSelect(RR)) {
                G.HideSelection();
                G.FParts->FSelHidden = false;
            }
        }
        bool State = false;
        G.GetCheckBoxState(RC, RR, State);
        if (!G.FParts->FNavigation->AlwaysEdit && !InFixed && !VirtFixed) G.MoveCurrent(C, R, true, true);
        G.FireCheckBoxClick(C, R, State);
        if (G.HideFocusRect) G.RepaintCell(C, R);
        if (R < G.FixedRows() && G.FParts->FMouseActions->CheckAllCheck &&
            !G.FParts->FMouseActions->HotmailRowSelect()) {
            for (int r = G.FixedRows(); r < G.RowCount(); ++r) G.SetCheckBoxState(G.Model().RealCol(C), r, State);
            G.Invalidate();
        }
        if (G.OnMouseDown) G.OnMouseDown(&G, mbLeft, Shift, X, Y);
        G.Click();
        return;
    }

    // 28.
    bool DropHit = false;
    if (!InFixed && !VirtFixed && G.FParts->FControlLook->DropDownAlwaysVisible()) DropHit = G.HasCombo(RC, R);
    const bool editOnDblDrop = G.FParts->FMouseActions->EditOnDblClickOnly() && DropHit;
    const bool directNow =
        G.FParts->FMouseActions->DirectEdit || (G.FParts->FControlLook->DropDownAlwaysVisible() && DropHit);
    if (!InFixed && !VirtFixed && (CanEdit || editOnDblDrop) && directNow) {
        if (editOnDblDrop) G.FParts->Edit.FEditActive = false;
        G.HideInplaceEdit();
        G.SetFocus();
    }

    // 29.
    const bool InCell = PtInRect(G.CellRect(C, R), {X, Y});
    const TGridRect sel = G.Selection();
    const bool OnSel = InCell && sel.Left == C && sel.Right == C && sel.Top == R && sel.Bottom == R;
    bool RemovedEditing = false;
    if (!OnSel && G.FParts->FMouseActions->RangeSelectAndEdit && !G.IsFixed(C, R) && !CanEdit) {
        RemovedEditing = true;
        G.SetOptions(G.Options() - goEditing);
    }

    // 30. A normal cell that the grid treats as fixed is never selected.
    if (VirtFixed) {
        if (R == G.RowCount() - 1 && FloatingFooterOnLastRow()) return;
        if (G.OnClickCell) G.OnClickCell(&G, R, C);
        return;
    }

    // 31. The class library's press.
    const bool Partial = R == G.TopRow() + G.VisibleRowCount() || C == G.LeftCol() + G.VisibleColCount() ||
                         (C == G.LeftCol() && G.LeftCol() > G.FixedCols());
    const bool keepHorz = G.Options().Contains(goRowSelect) && G.FParts->FNavigation->KeepHorizScroll;
    if (keepHorz) G.StartUpdate();
    try {
        if (!G.FParts->FSelHidden) {
            TFlagSet noAlwaysEdit(G.FParts->FNavigation->AlwaysEdit, false);
            G.TBaseGrid::WMLButtonDown(Message);
        }
        if (G.GridState() == gsSelecting && Partial && G.FParts->FMouseActions->NoAutoRangeScroll)
            G.SetGridState(gsNormal);
        if (G.TopRow() != OldTop && G.FParts->FMouseActions->NoScrollOnPartialRow) {
            G.SetTopRow(OldTop);
            TWMMouse up{Message.Keys, X, Y, 0};
            HandleLButtonUpMessage(up);
        }
    } catch (...) {
        if (keepHorz) {
            G.SetLeftCol(OldLeft);
            G.ResetUpdate();
        }
        throw;
    }
    if (keepHorz) {
        G.SetLeftCol(OldLeft);
        G.ResetUpdate();
    }

    // 32. The cell was clicked (not a sizing press on a header border).
    const bool nearBorder = std::abs(X - CellR.Left) < 4 || std::abs(X - CellR.Right) < 4;
    if (!(nearBorder && G.Options().Contains(goColSizing) && R < G.FixedRows()))
        if (G.OnClickCell) G.OnClickCell(&G, R, C);

    // 33. The current cell's value before any edit.
    if (G.OnCellValidate) {
        G.FParts->Edit.FEntered = false;
        G.StoreCellState(G.Col(), G.Row());
    }

    // 34. A merged cell opens its editor on a second press.
    if (G.IsMergedCell(C0, R0) && !G.IsFixed(C, R) && (OnSel || G.FParts->FMouseActions->DirectEdit) && CanEdit)
        G.ShowInplaceEdit();

    // 35.
    const TRect nowR = G.CellRect(C, R);
    if (std::abs(X - nowR.Left) < 4 || std::abs(X - nowR.Right) < 4) {
        if (RemovedEditing) G.SetGridState(gsSelecting);
        return;
    }

    // 36. Editing at the first press.
    if (!InFixed && !VirtFixed && (CanEdit || editOnDblDrop) && directNow && !G.HasClickableGraphic(RC, R)) {
        if (editOnDblDrop && !G.Options().Contains(goEditing)) {
            G.SetOptions(G.Options() + goEditing);
            G.SetFocus();
        }
        bool allowMove = true;
        G.FireCellChanging(C, R, allowMove);
        if (allowMove) {
            const bool base0 = G.IsBaseCell(C0, R0);
            const int sc = base0 ? C0 : C, sr = base0 ? R0 : R;
            G.SetSelection({sc, sr, sc, sr});
            G.StoreCellState(sc, sr);
            G.ShowEditor();
        }
    }

    // 37.
    if (RemovedEditing) G.SetGridState(gsSelecting);
}

// A visible floating footer of style fsFixedLastRow shows the last row.
bool TGridInputPart::FloatingFooterOnLastRow() const
{
    return G.FParts->FFloatingFooter && G.FParts->FFloatingFooter->Visible() && G.FParts->FFloatingFooter->FooterStyle() == fsFixedLastRow;
}

// --- node rows --------------------------------------------------------------------------

void TGridInputPart::ToggleNodeAt(int R, int C, TShiftState Shift, int X, int Y)
{
    if (G.OnMouseDown) G.OnMouseDown((&G), mbLeft, Shift, X, Y);
    if (G.OnClickCell) G.OnClickCell((&G), R, C);
    const int RR = G.Model().RealRow(R);
    bool allow = true;
    if (!G.GetNodeState(R)) {
        if (G.OnBeforeContractNode) G.OnBeforeContractNode((&G), R, RR, allow);
        if (allow) {
            G.ContractNode(RR);
            if (G.OnContractNode) G.OnContractNode((&G), R, RR);
        }
    } else {
        if (G.OnBeforeExpandNode) G.OnBeforeExpandNode((&G), R, RR, allow);
        if (allow) {
            G.ExpandNode(RR);
            if (G.OnExpandNode) G.OnExpandNode((&G), R, RR);
        }
    }
    if (allow && G.FParts->FMouseActions->MoveRowOnNodeClick && R >= G.FixedRows() && R < G.RowCount()) G.SetRowEx(R);
}

// --- anchors and inline controls -----------------------------------------------------------

TRect TGridInputPart::HTMLHitRect(int C, int R, int RC, int& Pos)
{
    TRect hr = G.CellRect(C, R);
    Pos = 0;
    if (G.HasScrollBar(RC, R)) {
        Pos = G.GetScrollPosition(RC, R);
        hr.Right -= TExStringGridPrivate::SystemVScrollWidth;
    }
    hr.Right -= G.XYOffset.X;
    hr.Left += 1 + G.XYOffset.X;
    hr.Top += 1 + G.XYOffset.Y;
    hr.Bottom += Pos;
    if (G.HasCheckBox(RC, R)) hr.Left += G.FParts->FControlLook->CheckSize();
    return hr;
}

void TGridInputPart::HTMLHitTest(int C, int R, int RC, int X, int Y, const std::string& Text, THTMLDrawArgs& Args)
{
    int pos = 0;
    const TRect hr = HTMLHitRect(C, R, RC, pos);
    TCanvas& cv = *G.Canvas();
    cv.Font().Assign(C < G.FixedCols() || R < G.FixedRows() ? G.FParts->FFixedFont : G.Font());
    TGridDrawState st;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = G.DefaultAlignment;
    TVAlignment va = G.VAlignment;
    bool ww = G.WordWrap;
    TCellGradientDirection gd = GradientVertical;
    G.GetVisualProperties(C, R, st, false, false, true, &brush, colorTo, mirror, mirrorTo, &cv.Font(), ha, va, ww, gd);
    Args.Images = G.GetGridImages();
    Args.HitX = X;
    Args.HitY = Y + pos;
    Args.AnchorColor = G.URLColor;
    Args.ShadowColor = clGray;
    Args.WordWrap = !G.EnhTextSize;
    DrawHTMLText(cv, Text, hr, Args);
}

bool TGridInputPart::PressAnchorOrControl(int C, int R, int C0, int R0, int RC, int X, int Y, const TRect& CellR)
{
    (void)CellR;
    std::string Text = G.Cells(RC, R);
    const bool html = CellTextKind(Text, G.EnableHTML) == ctkHTML;
    if (!G.URLShow && !html) return false;

    std::string Anchor;
    if (!html && IsURLText(Text)) Anchor = Text;
    THTMLDrawArgs a;
    if (html) {
        HTMLHitTest(C, R, RC, X, Y, Text, a);
        Anchor = a.HitAnchor;
    }
    if (Anchor.empty()) {
        // 22.4 A press beside the controls of a control cell only selects it.
        if (html && UpperCase(Text).find("<CONTROL") != std::string::npos) {
            if (G.OnClickCell) G.OnClickCell((&G), R0, C0);
            G.HideInplaceEdit();
            G.SetSelection({C, R, C, R});
            return true;
        }
        return false;
    }

    bool AutoHandle = true;
    bool Enabled = (G.Options().Contains(goEditing) || G.FParts->FEditDisable) && !G.ReadOnly(G.Model().RealCol(C0), R0);
    const bool isControl = !a.ControlId.empty();
    if (isControl) G.FireCanEditCell(G.Model().RealCol(C0), R0, Enabled);
    if (isControl && Enabled) {
        G.FParts->Edit.FinishCellControlEdit(&G);
        const std::string type = UpperCase(a.ControlType);
        const std::string oldValue = a.ControlValue;
        if (type == "BUTTON") {
            G.FParts->Edit.FCtrlXY = {RC, R};
            FCtrlDown = true;
            G.RepaintCell(C, R);
        } else if (type == "CHECK") {
            HTMLSetControlValue(Text, a.ControlId, UpperCase(oldValue) == "TRUE" ? "FALSE" : "TRUE");
            G.SetCells(RC, R, Text);
        } else if (type == "RADIO") {
            Text = HTMLClearRadioControls(Text);
            HTMLSetControlValue(Text, a.ControlId, "TRUE");
            G.SetCells(RC, R, Text);
        }
        if (G.OnControlClick) G.OnControlClick((&G), R, C, a.ControlId, a.ControlType, oldValue);
        if (type == "EDIT" || type == "PASSWORD" || type == "MASK" || type == "COMBO")
            G.StartCellControlEdit(Text, a.ControlType, a.ControlId, a.ControlValue, a.ControlBounds, C, RC, R);
        return true;
    }
    if (G.OnAnchorClick) G.OnAnchorClick((&G), R, C, Anchor, AutoHandle);
    // A control that may not be used answers the renderer's marker, which
    // is no document.
    if (AutoHandle && !isControl) OpenAnchor(Anchor);
    return true;
}

void TGridInputPart::OpenAnchor(const std::string& Anchor)
{
    const std::string u = UpperCase(Anchor);
    const size_t p = u.find("CELL://");
    if (p != std::string::npos) {
        // A reference to a cell of this grid; anything else is ignored.
        int col = 0, row = 0;
        if (!ParseRowColRef(std::string_view(Anchor).substr(p + 7), col, row)) return;
        if (col < 0 || row < 0 || col >= G.ColCount() || row >= G.RowCount()) return;
        G.SetRowEx(row);
        G.SetCol(col);
        G.ScrollInView(col, row);
        return;
    }
    if (IsOpenableLink(Anchor)) ShellOpen(Trim(Anchor));
}
