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

void TExStringGrid::HandleLButtonDownMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);

    // 1.
    FParts->Input.FDoOnClick = true;
    FParts->Input.FMouseDownMove = true;
    FParts->Input.FMouseKeepDown = true;
    FParts->Input.FSpinUpClick = false;
    FParts->Input.FSpinDnClick = false;
    const TGridRect OldSel = Selection();
    FParts->Input.FPressSelection = OldSel;

    // 2. The resize handle at the selection's lower outer corner.
    if (SelectionResizer && SelectionRectangle) {
        TRect h = CellRect(OldSel.Right, OldSel.Bottom);
        h.Top = h.Bottom - 6;
        h.Left = h.Right - 6;
        if (!IsRectEmpty(h) && PtInRect(h, {X, Y})) {
            FParts->Input.PressSelectionResizer(Message, OldSel, false);
            return;
        }
    }

    // 3.
    if (Options().Contains(goEditing) && FParts->FMouseActions->RangeSelectAndEdit &&
        !(C >= OldSel.Left && C <= OldSel.Right && R >= OldSel.Top && R <= OldSel.Bottom))
        SetOptions(Options() - goEditing);

    // 4.
    bool allow = true;
    if (OnCanClickCell) OnCanClickCell(this, R, C, allow);
    if (!allow) return;

    // 5.
    if (FParts->Input.FCellSelectorMode) {
        CellSelectorClick(C, R);
        return;
    }

    // 6.
    if (FParts->Input.FMouseSelectMode == msResize) {
        FParts->Input.PressSelectionResizer(Message, OldSel, true);
        return;
    }

    // 7.
    const TShiftState Shift = KeyboardShift(Message.Keys);
    if (FParts->FMouseActions->DisjunctCellSelect() && !Shift.Contains(ssCtrl) && C >= 0 && R >= 0 && !IsFixed(C, R)) {
        FModel->FSelectedCells.Clear();
        Invalidate();
    }

    // 8.
    FParts->Input.FAnchor.clear();
    FParts->Input.FMoveColInd = -1;
    FParts->Input.FMoveRowInd = -1;
    FParts->Input.FSelectionClick = false;
    FParts->Input.FPushedCellButton = {-1, -1};
    const int OldLeft = LeftCol();
    const int OldTop = TopRow();
    FParts->FOldTopRow = TopRow();
    FParts->Input.FOldKeepLeftCol = LeftCol();
    if (R == 0)
        MouseToCell(X - 5, Y, FParts->Input.Colclicked, FParts->Input.Rowclicked);
    else if (C == 0)
        MouseToCell(X, Y - 4, FParts->Input.Colclicked, FParts->Input.Rowclicked);
    else
        MouseToCell(X - 5, Y - 4, FParts->Input.Colclicked, FParts->Input.Rowclicked);
    if (FParts->FLook == glListView && FParts->Input.FHotFixedCell.X >= 0 && FParts->Input.FHotFixedCell.Y >= 0 &&
        (FParts->Input.FHotFixedCell.X < FixedCols() || FParts->Input.FHotFixedCell.Y < FixedRows()))
        RepaintCell(FParts->Input.FHotFixedCell.X, FParts->Input.FHotFixedCell.Y);
    if (FParts->Input.Colclicked >= 0 && FParts->Input.Rowclicked >= 0) {
        FParts->Input.Colclickedsize = ColWidths(FParts->Input.Colclicked);
        FParts->Input.Rowclickedsize = RowHeights(FParts->Input.Rowclicked);
    }
    FParts->Input.Clickposx = X;
    FParts->Input.Clickposy = Y;

    // 9.
    const bool InFixed = C >= 0 && R >= 0 && (R < FixedRows() || C < FixedCols());
    if (C == -1 || R == -1) {
        HideInplaceEdit();
        if (!FixedRowAlways) TBaseGrid::WMLButtonDown(Message);
        return;
    }
    const int C0 = C, R0 = R;
    {
        const TPoint b = BaseCell(C, R);
        C = b.X;
        R = b.Y;
    }
    const TRect CellR = CellRect(C, R);
    if (FParts->FMouseActions->CaretPositioning) FParts->Edit.LButFlg = true;

    // 10. Sizing a fixed column or row from its border.
    if (FParts->Input.FSizeFixed) {
        FParts->Input.FSizingFixed = true;
        FParts->Input.FSizeFixedX = X;
        DrawColSizingLine(X);
        int sum = 0;
        for (int i = 0; i < FixedCols(); ++i) {
            if (std::abs(ColWidths(i) + sum - X) < 3 && !Designing()) FParts->Input.FSizingFixedCol = i;
            sum += ColWidths(i) + 1;
        }
        return;
    }
    if (FParts->Input.FSizeFixedR) {
        FParts->Input.FSizingFixedR = true;
        FParts->Input.FSizeFixedY = Y;
        DrawRowSizingLine(Y);
        int sum = 0;
        for (int i = 0; i < FixedRows(); ++i) {
            if (std::abs(RowHeights(i) + sum - Y) < 3 && !Designing()) FParts->Input.FSizingFixedRow = i;
            sum += RowHeights(i) + 1;
        }
        return;
    }

    // 11.
    const bool virtFixedQuery = IsFixed(C, R);
    if (InFixed || virtFixedQuery) HideInplaceEdit();
    const bool VirtFixed = virtFixedQuery && !InFixed;
    bool IsNodeRow = IsNode(R);

    // 12. Fixed cells drawn as push buttons.
    if ((InFixed || VirtFixed) && FixedAsButtons && Options().Contains(goFixedVertLine) &&
        Options().Contains(goFixedHorzLine) && (!IsNodeRow || !IsOnNodeGlyph(R, X))) {
        FParts->Input.FPushedFixedCell = CellR;
        FParts->Input.FPushedCellButton = {C, R};
        FParts->Input.FFixedCellPushed = true;
        RepaintCell(C, R);
        IsNodeRow = false;
    }

    // 13.
    const int RC = Model().RealCol(C);
    if (!Designing()) {
        // 13.1 Always visible spin buttons.
        if (FParts->FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(RC, R) && X > CellR.Right - 18) {
            if (Y > CellR.Top + (CellR.Bottom - CellR.Top) / 2)
                FParts->Input.FSpinDnClick = true;
            else
                FParts->Input.FSpinUpClick = true;
        }
        // 13.2 The node glyph of a header expands or contracts all nodes.
        if (R < FixedRows() && C == 0 && IsNodeRow && IsOnNodeGlyph(R, X) && FParts->FMouseActions->NodeAllExpandContract) {
            if (TCellGraphic* g = GetCellGraphic(0, R)) {
                if (g->CellBoolean)
                    ExpandAll();
                else
                    ContractAll();
                g->CellBoolean = !g->CellBoolean;
                RepaintCell(0, R);
            }
        }
        // 13.3 The node glyph of a data row.
        if (R >= FixedRows() && C == 0 && IsNodeRow && IsOnNodeGlyph(R, X)) {
            FParts->Input.ToggleNodeAt(R, C, Shift, X, Y);
            return;
        }
        // 13.4 Radio groups.
        if (IsRadio(RC, R) && (IsEditable(RC, R) || FParts->FControlLook->RadioAlwaysActive)) {
            HideInplaceEdit();
            RadioGroupClick(RC, R, X - CellR.Left, Y - CellR.Top);
            SetFocus();
            return;
        }
        // 13.5 Column 0 of a node grid does not select.
        if (C == 0 && R >= FixedRows() && HasNodes() && !FParts->FMouseActions->RowSelect &&
            !Options().Contains(goRowSizing)) {
            if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
            if (OnClickCell) OnClickCell(this, R, C);
            return;
        }
        // 13.6 A press on a selected cell waits: the release selects, a
        // movement starts a drag. (The grid is not a drag source here: the
        // drag and drop settings are not built, so no press is deferred.)
    }

    // 14. Rating cells.
    if (HasRating(RC, R) && IsEditable(RC, R)) {
        HideInplaceEdit();
        double rate = static_cast<double>((X - CellR.Left) / 9) / 2.0;
        if (FireRatingChange(RC, R, rate)) {
            SetFloats(RC, R, rate);
            RepaintCell(C, R);
        }
        return;
    }

    // 15, 16. Cell buttons and expand buttons.
    for (int kind = 0; kind < 2; ++kind) {
        const bool has = kind == 0 ? HasButton(RC, R) : HasExpand(RC, R);
        if (!has) continue;
        HideInplaceEdit();
        if (!IsFixed(C, R)) {
            TFlagSet force(FParts->Edit.FForceSel, true);
            SelectCell(C, R);
        }
        const TRect br = kind == 0 ? GraphicRectInCell(C, R) : ExpandButtonRect(RC, R);
        if (PtInRect(br, {X, Y})) {
            PushButton(C, R, true);
            FParts->Input.FPushedCellButton = {C, R};
            if (OnClickCell) OnClickCell(this, R, C);
            return;
        }
    }

    // 17. A press on a merged area reaches the class library at its base.
    if (IsMergedCell(C0, R0) && !IsFixed(C0, R0) && !OnMouseDown) {
        Message.XPos = CellR.Left + 2;
        Message.YPos = CellR.Top + 2;
    }

    // 18.
    if (C >= ColCount() || R >= RowCount() || C < 0 || R < 0) {
        TBaseGrid::WMLButtonDown(Message);
        return;
    }

    // 19.
    {
        TRect k{};
        if (FParts->Input.Colclicked >= 0 && FParts->Input.Rowclicked >= 0) k = CellRect(FParts->Input.Colclicked, FParts->Input.Rowclicked);
        FParts->Input.Clickposdx = FParts->Input.Clickposx - k.Right;
        FParts->Input.Clickposdy = FParts->Input.Clickposy - k.Bottom;
    }

    // 20. Disjunct rows.
    if (FParts->FMouseActions->DisjunctRowSelect() && R >= FixedRows() && (C != 0 || !FParts->FMouseActions->HotmailRowSelect())) {
        if (Shift.Contains(ssShift)) {
            TBaseGrid::WMLButtonDown(Message);
            SetSelection({std::min(C, OldSel.Left), std::min(R, OldSel.Top), std::max(C, OldSel.Left),
                          std::max(R, OldSel.Top)});
            return;
        }
        if (Shift.Contains(ssCtrl) || FParts->FMouseActions->DisjunctRowSelectNoCtrl) {
            FParts->Input.FDeselectState = RowSelect(FParts->FMouseActions->RowSelectPersistent ? Model().RealRow(R) : R);
        } else {
            FParts->Input.FMouseDown = true;
            if (!Shift.Contains(ssAlt)) ClearRowSelect();
        }
    }

    // 21. Disjunct columns.
    if (FParts->FMouseActions->DisjunctColSelect() && C >= FixedCols()) {
        if (Shift.Contains(ssCtrl)) {
            FParts->Input.FDeselectState = ColSelect(C);
        } else {
            FParts->Input.FMouseDown = true;
            ClearColSelect();
        }
    }

    // 22. Anchors and inline controls.
    if (FParts->Input.PressAnchorOrControl(C, R, C0, R0, RC, X, Y, CellR)) return;

    // 23. Select all.
    FParts->Input.Movecell = -1;
    auto activeCellRepaint = [&] {
        if (!ActiveCellShow) return;
        if (FixedRows() > 0) RepaintCell(Col(), FixedRows() - 1);
        if (FixedCols() > 0) RepaintCell(FixedCols() - 1, Row());
    };
    if (C < FixedCols() && R < FixedRows() && FParts->FMouseActions->AllSelect && Options().Contains(goRangeSelect) &&
        FParts->Input.FMouseSelectMode == msAll) {
        SetFocus();
        ExportNotification(esExportStart, -1);
        ExportNotification(esExportNewRow, RowCount() - 1);
        ExportNotification(esExportFail, -1);
        activeCellRepaint();
        HideSelection();
        TGridRect rect{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
        SelectAllNotification(rect);
        SetSelection(rect);
        FParts->FSelHidden = false;
        DoExit();
        activeCellRepaint();
        return;
    }

    // 24. Rows from a fixed column.
    if (C < FixedCols() && R >= FixedRows() && FParts->FMouseActions->RowSelect && FParts->Input.FMouseSelectMode == msRow) {
        if (EditorMode()) SetFocus();
        activeCellRepaint();
        HideSelection();
        if (FParts->FMouseActions->DisjunctCellSelect()) ClearSelectedCells();
        const int top = Shift.Contains(ssShift) ? std::min(R, OldSel.Top) : R;
        const int bottom = Shift.Contains(ssShift) ? std::max(R, OldSel.Top) : R;
        SetSelection({FixedCols(), top, ColCount() - 1, bottom});
        FParts->FSelHidden = false;
        DoExit();
        FParts->Input.FMouseSelectStart = R;
        activeCellRepaint();
        if (!RowIndicator().Empty() && FixedCols() > 0) RepaintCol(0);
        return;
    }

    // 25. Columns from a fixed row.
    if (C >= FixedCols() && R < FixedRows() && FParts->FMouseActions->ColSelect && Options().Contains(goRangeSelect) &&
        FParts->Input.FMouseSelectMode == msColumn) {
        SetFocus();
        activeCellRepaint();
        HideSelection();
        if (FParts->FMouseActions->DisjunctCellSelect()) ClearSelectedCells();
        int left = C, right = C;
        if (Shift.Contains(ssShift)) {
            if (C < OldSel.Left)
                right = OldSel.Right;
            else
                left = OldSel.Left;
        }
        SetSelection({left, FixedRows(), right, RowCount() - 1});
        FParts->FSelHidden = false;
        DoExit();
        FParts->Input.FMouseSelectStart = C;
        activeCellRepaint();
        return;
    }

    // 26. What a move by the mouse would take.
    if (R < FixedRows() && C >= FixedCols())
        FParts->Input.Movecell = C;
    else if (C < FixedCols() && R >= FixedRows())
        FParts->Input.Movecell = R;
    {
        const TRect mr = CellRect(C, R);
        FParts->Input.MoveOfsX = X - mr.Left;
        FParts->Input.MoveOfsY = Y - mr.Top;
    }

    // 27. Check boxes and radio buttons.
    bool CanEdit = Options().Contains(goEditing) || FParts->FMouseActions->RangeSelectAndEdit;
    CanEditCell(RC, R, CanEdit);
    const bool HasRadioBtn = HasRadioButton(RC, R);
    const bool alwaysActive = HasRadioBtn ? FParts->FControlLook->RadioAlwaysActive : FParts->FControlLook->CheckAlwaysActive;
    if (C < ColCount() && R < RowCount() &&
        (CanEdit || alwaysActive || (C == 0 && FParts->FMouseActions->HotmailRowSelect())) &&
        (HasCheckBox(RC, R) || HasRadioBtn) && IsInCheckBox(RC, R, X, Y)) {
        HideInplaceEdit();
        SetFocus();
        const int RR = Model().RealRow(R);
        if (HasRadioBtn) {
            ToggleCellRadioButton(RC, R, true);
            if (OnRadioButtonClick) OnRadioButtonClick(this, RC, R);
        } else {
            ToggleCellCheckBox(RC, R, true);
        }
        if (FParts->FShowModified->Enabled) {
            SetRowModified(R, true);
            RepaintCell(0, R);
        }
        if (C == 0 && FParts->FMouseActions->HotmailRowSelect()) {
            SetSelection({FixedCols(), R, ColCount() - 1, R});
            SetRowSelect(RR, !RowSelect(RR));
            if (RR != R) RepaintCell(0, R);
            if (R == Row() && !RowSelect(RR)) {
                HideSelection();
                FParts->FSelHidden = false;
            }
        }
        bool State = false;
        GetCheckBoxState(RC, RR, State);
        if (!FParts->FNavigation->AlwaysEdit && !InFixed && !VirtFixed) MoveCurrent(C, R, true, true);
        FireCheckBoxClick(C, R, State);
        if (HideFocusRect) RepaintCell(C, R);
        if (R < FixedRows() && FParts->FMouseActions->CheckAllCheck && !FParts->FMouseActions->HotmailRowSelect()) {
            for (int r = FixedRows(); r < RowCount(); ++r) SetCheckBoxState(Model().RealCol(C), r, State);
            Invalidate();
        }
        if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
        Click();
        return;
    }

    // 28.
    bool DropHit = false;
    if (!InFixed && !VirtFixed && FParts->FControlLook->DropDownAlwaysVisible()) DropHit = HasCombo(RC, R);
    const bool editOnDblDrop = FParts->FMouseActions->EditOnDblClickOnly() && DropHit;
    const bool directNow = FParts->FMouseActions->DirectEdit || (FParts->FControlLook->DropDownAlwaysVisible() && DropHit);
    if (!InFixed && !VirtFixed && (CanEdit || editOnDblDrop) && directNow) {
        if (editOnDblDrop) FParts->Edit.FEditActive = false;
        HideInplaceEdit();
        SetFocus();
    }

    // 29.
    const bool InCell = PtInRect(CellRect(C, R), {X, Y});
    const TGridRect sel = Selection();
    const bool OnSel = InCell && sel.Left == C && sel.Right == C && sel.Top == R && sel.Bottom == R;
    bool RemovedEditing = false;
    if (!OnSel && FParts->FMouseActions->RangeSelectAndEdit && !IsFixed(C, R) && !CanEdit) {
        RemovedEditing = true;
        SetOptions(Options() - goEditing);
    }

    // 30. A normal cell that the grid treats as fixed is never selected.
    if (VirtFixed) {
        if (R == RowCount() - 1 && FParts->Input.FloatingFooterOnLastRow()) return;
        if (OnClickCell) OnClickCell(this, R, C);
        return;
    }

    // 31. The class library's press.
    const bool Partial = R == TopRow() + VisibleRowCount() || C == LeftCol() + VisibleColCount() ||
                         (C == LeftCol() && LeftCol() > FixedCols());
    const bool keepHorz = Options().Contains(goRowSelect) && FParts->FNavigation->KeepHorizScroll;
    if (keepHorz) StartUpdate();
    try {
        if (!FParts->FSelHidden) {
            TFlagSet noAlwaysEdit(FParts->FNavigation->AlwaysEdit, false);
            TBaseGrid::WMLButtonDown(Message);
        }
        if (GridState() == gsSelecting && Partial && FParts->FMouseActions->NoAutoRangeScroll) SetGridState(gsNormal);
        if (TopRow() != OldTop && FParts->FMouseActions->NoScrollOnPartialRow) {
            SetTopRow(OldTop);
            TWMMouse up{Message.Keys, X, Y, 0};
            HandleLButtonUpMessage(up);
        }
    } catch (...) {
        if (keepHorz) {
            SetLeftCol(OldLeft);
            ResetUpdate();
        }
        throw;
    }
    if (keepHorz) {
        SetLeftCol(OldLeft);
        ResetUpdate();
    }

    // 32. The cell was clicked (not a sizing press on a header border).
    const bool nearBorder = std::abs(X - CellR.Left) < 4 || std::abs(X - CellR.Right) < 4;
    if (!(nearBorder && Options().Contains(goColSizing) && R < FixedRows()))
        if (OnClickCell) OnClickCell(this, R, C);

    // 33. The current cell's value before any edit.
    if (OnCellValidate) {
        FParts->Edit.FEntered = false;
        StoreCellState(Col(), Row());
    }

    // 34. A merged cell opens its editor on a second press.
    if (IsMergedCell(C0, R0) && !IsFixed(C, R) && (OnSel || FParts->FMouseActions->DirectEdit) && CanEdit) ShowInplaceEdit();

    // 35.
    const TRect nowR = CellRect(C, R);
    if (std::abs(X - nowR.Left) < 4 || std::abs(X - nowR.Right) < 4) {
        if (RemovedEditing) SetGridState(gsSelecting);
        return;
    }

    // 36. Editing at the first press.
    if (!InFixed && !VirtFixed && (CanEdit || editOnDblDrop) && directNow && !HasClickableGraphic(RC, R)) {
        if (editOnDblDrop && !Options().Contains(goEditing)) {
            SetOptions(Options() + goEditing);
            SetFocus();
        }
        bool allowMove = true;
        FireCellChanging(C, R, allowMove);
        if (allowMove) {
            const bool base0 = IsBaseCell(C0, R0);
            const int sc = base0 ? C0 : C, sr = base0 ? R0 : R;
            SetSelection({sc, sr, sc, sr});
            StoreCellState(sc, sr);
            ShowEditor();
        }
    }

    // 37.
    if (RemovedEditing) SetGridState(gsSelecting);
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
        hr.Right -= G.SystemVScrollWidth;
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
        G.FinishCellControlEdit((&G));
        const std::string type = UpperCase(a.ControlType);
        const std::string oldValue = a.ControlValue;
        if (type == "BUTTON") {
            FCtrlXY = {RC, R};
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
