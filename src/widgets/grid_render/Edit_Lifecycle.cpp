// TExStringGrid: the editing lifecycle (whether a cell may be edited, the
// editor kind, opening, closing and reporting an edit, the cell selection
// that ties editing to navigation), cell validation and the transfer of
// text between a cell and its editor.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/grid_render/FlagSet.h"

#include "widgets/ExStringGrid_DragDrop.h"
#include "widgets/GridControlLook.h"
#include "widgets/GridUndo.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/Editor_Text.h"

#include <algorithm>

unsigned TExStringGrid::GridEditDoneMessage()
{
    static const unsigned msg = RegisterWindowMessage("GridEditDone");
    return msg;
}

TExInplaceEdit* TExStringGrid::NormalEdit() const { return dynamic_cast<TExInplaceEdit*>(InplaceEditor()); }

TInplaceEdit* TExStringGrid::CreateEditor() { return new TExInplaceEdit(this); }

bool TGridEditPart::TabCommitsEdit() const
{
    return G.Options().Contains(goTabs) || G.OnCellValidate || G.OnCellValidateWide;
}

// --- whether a cell may be edited, and with which editor ----------------------------------

TEditorType TGridEditPart::ChooseCellEditor(int ACol, int ARow)
{
    TEditorType e = G.DefaultEditor;
    G.GetCellEditor(ACol, ARow, e);
    SetCurrentEditor(e);
    return e;
}

std::string TExStringGrid::GetEditMask(int ACol, int ARow)
{
    std::string mask = EditMask;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}

int TExStringGrid::GetEditLimit() { return MaxEditLength; }

// --- opening the editor -------------------------------------------------------------------

bool TExStringGrid::CanEditShow()
{
    if (FParts->Edit.FValidating) return false;
    bool r = TBaseGrid::CanEditShow();
    if (Designing()) return r;
    const TPoint b = BaseCell(Model().RealCol(Col()), Row());
    // Check boxes, radios and buttons are clicked or toggled, never edited:
    // the grid leaves editor mode too (F2 or a press on the current cell
    // left it on, the cell painted as one being edited and, on the next
    // cells, no editor opening for typed characters).
    if (r && !FParts->Edit.FEditMode && HasClickableGraphic(b.X, b.Y)) {
        HideEditor();
        return false;
    }
    if (r && !FParts->Edit.FEditMode) {
        FParts->Edit.FNoEditChange = true;
        FParts->Edit.FCellCache = CurrentCell();
        if (FParts->Edit.ChooseCellEditor(b.X, b.Y) == edNone) {
            HideEditor();
            return false;
        }
        // The value this edit is validated against is the one of this cell
        // (not of a cell reached earlier without an edit).
        if (!FParts->Edit.FEditing) StoreCellState(Col(), Row());
        FParts->Edit.FEditMode = true;
        if (IsTextEditorKind(CurrentEditor())) {
            FParts->Edit.FShowEditProcess = true;
        } else {
            OpenEditorControl(Model().DisplCol(b.X), b.Y);
            FParts->Edit.FEntered = true;
            if (FParts->FFocusHelper->Enabled) FParts->Edit.ShowFocusWindow(CellRect(Col(), Row()));
            r = false;
        }
    }
    if (r) {
        FParts->Edit.FEntered = true;
        FParts->Edit.FEditing = true;
        if (FParts->FFocusHelper->Enabled) FParts->Edit.ShowFocusWindow(CellRect(Col(), Row()));
    }
    return r;
}

// The editor controls: Edit_EditorControls.cpp.

void TExStringGrid::ShowInplaceEdit()
{
    if (HasClickableGraphic(Model().RealCol(Col()), Row())) return;
    if (Row() < TopRow()) SetTopRow(Row());
    if (Col() < LeftCol()) SetLeftCol(Col());
    FParts->Edit.FEditText = Cells(Model().RealCol(Col()), Row());
    ShowEditor();
}

void TExStringGrid::ShowCellEdit()
{
    int key = VK_F2;
    HandleKeyDown(key, {});
}

// --- closing and reporting ----------------------------------------------------------------

void TExStringGrid::HideInplaceEdit()
{
    if (!FParts->Edit.FEditMode) return;
    HideEditor();
    CloseEditorControl(Col(), Row());
    FParts->Edit.FEditMode = false;
    SelectCell(Col(), Row());
}

void TExStringGrid::HideCellEdit() { CloseEditorControl(Col(), Row()); }

void TExStringGrid::FireEditingDone(int ACol, int ARow)
{
    if (OnEditingDone) OnEditingDone(this);
    FParts->Edit.FEditMode = false;
    PostMessage(GridEditDoneMessage(), ACol, ARow);
}

void TExStringGrid::DoneInplaceEdit(int Key, TShiftState Shift)
{
    FParts->Edit.FBlockFocus = true;
    FParts->Edit.FEditing = false;
    struct Unblock {
        bool& f;
        ~Unblock() { f = false; }
    } unblock{FParts->Edit.FBlockFocus};
    HideInplaceEdit();
    if (FParts->FNavigation->AppendOnArrowDown && Key == VK_DOWN && FParts->Input.IsLastDataRow())
        FParts->Input.AutoAppendRow();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
        int k = Key;
        HandleKeyDown(k, Shift);
    }
    TFlagSet noAlwaysEdit(FParts->FNavigation->AlwaysEdit, false);
    SetFocus();
    if (Key == VK_RETURN) FParts->Edit.AdvanceAfterEdit();
}

void TExStringGrid::SimulateCellClick(int ACol, int ARow)
{
    // A cell out of view is brought into view first: the press lands on it.
    TRect r = CellRect(ACol, ARow);
    if (IsRectEmpty(r)) {
        ScrollInView(ACol, ARow);
        r = CellRect(ACol, ARow);
    }
    TFlagSet force(FParts->Edit.FForceSel, true);
    auto down = std::move(OnMouseDown);
    auto up = std::move(OnMouseUp);
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    struct Restore {
        TExStringGrid& g;
        decltype(down)& d;
        decltype(up)& u;
        ~Restore()
        {
            g.OnMouseDown = std::move(d);
            g.OnMouseUp = std::move(u);
        }
    } restore{*this, down, up};
    TCustomGrid::MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
    TCustomGrid::MouseUp(mbLeft, {}, r.Left + 2, r.Top + 2);
}

// --- cell selection --------------------------------------------------------------------------

void TExStringGrid::FireCellChanging(int NewCol, int NewRow, bool& Allow)
{
    if (NewRow != Row() && OnRowChanging) OnRowChanging(this, Row(), NewRow, Allow);
    if (NewCol != Col() && OnColChanging) OnColChanging(this, Col(), NewCol, Allow);
    if ((NewRow != Row() || NewCol != Col()) && OnCellChanging) OnCellChanging(this, Row(), Col(), NewRow, NewCol, Allow);
}

bool TExStringGrid::SelectCell(int ACol, int ARow)
{
    if (FParts->Edit.FForceSel) return true;
    // Without a window the class library's answer alone.
    if (!HandleAllocated() || FParts->FDestroyingGrid) return TBaseGrid::SelectCell(ACol, ARow);
    const int rc = Model().RealCol(ACol);
    std::string newText = Cells(rc, ARow);
    FParts->Edit.FEditText = newText;
    bool result = false;

    // Keeps the new row above the search bar.
    if (FParts->FSearchFooter->Visible() && ARow < RowCount()) {
        const int limit = ClientHeight() - 32 + 2;
        while (TopRow() < RowCount() - 1) {
            const TRect cr = TCustomGrid::CellRect(ACol, ARow);
            if (IsRectEmpty(cr) || cr.Bottom < limit) break;
            const int top = TopRow();
            SetTopRow(top + 1);
            if (TopRow() == top) break;
        }
    }

    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount()) {
        if (IsMergedNonBaseCell(rc, ARow) && !Options().Contains(goRangeSelect)) {
            const TPoint b = BaseCell(rc, ARow);
            {
                TFlagSet force(FParts->Edit.FForceSel, true);
                FocusCell(Model().DisplCol(b.X), b.Y, true);
            }
            RepaintCell(b.X, b.Y);
            if (FParts->FMouseActions->DirectEdit || (FParts->FControlLook->DropDownAlwaysVisible() && HasCombo(b.X, b.Y)))
                ShowInplaceEdit();
            return false;
        }
        if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect)) return false;
    }

    if (!RowEnabled(ARow) && FParts->FNavigation->SkipDisabledRows) return false;

    const TExInplaceEdit* ed = NormalEdit();
    const bool focused = ed && ed->Focused();
    if (HasClickableGraphic(rc, ARow)) {
        bool canEdit = true;
        CanEditCell(rc, ARow, canEdit);
        if (!FParts->FEditDisable && !canEdit && (Options().Contains(goEditing) || FParts->FMouseActions->RangeSelectAndEdit))
            FParts->FEditDisable = true;
        if (!Options().Contains(goEditing) && !Options().Contains(goRowSelect) && canEdit) {
            FParts->FEditChange = true;
            SetOptions(Options() + goEditing);
        }
    } else {
        bool canEdit = Options().Contains(goEditing) || FParts->FEditDisable;
        CanEditCell(rc, ARow, canEdit);
        if (canEdit && FParts->FMouseActions->DirectEdit) {
            FParts->Edit.SetCurrentEditor(DefaultEditor);
            if (IsCellEditorNone(rc, ARow)) canEdit = false;
        }
        if (FParts->FMouseActions->EditOnDblClickOnly()) canEdit = false;
        if (canEdit) {
            FParts->FEditDisable = false;
            if (!Options().Contains(goEditing)) {
                FParts->FEditChange = true;
                if (!FParts->Edit.FEditing) StoreCellState(ACol, ARow);
                TGridOptions o = Options();
                if (o.Contains(goRowSelect) && FParts->FMouseActions->RangeSelectAndEdit) o -= goRowSelect;
                SetOptions(o + goEditing);
                if (FParts->Edit.FEditing) HideInplaceEdit();
                newText = Cells(rc, ARow);
            }
        } else {
            if (FParts->Edit.FEditing) HideInplaceEdit();
            if (Options().Contains(goEditing)) {
                FParts->Edit.FEditMode = false;
                FParts->FEditDisable = true;
                FParts->FEditChange = true;
                SetOptions(Options() - goEditing);
                SetEditorMode(false);
            }
        }
    }

    if (!FParts->Edit.FEditing || focused) {
        bool allow = true;
        FireCellChanging(ACol, ARow, allow);
        if (IsFixed(rc, ARow) || !allow)
            result = (allow && Options().Contains(goRowSelect)) || (FixedRowAlways && RowCount() == FixedRows());
        else
            result = TBaseGrid::SelectCell(ACol, ARow);
    } else {
        // An edit of another cell is pending: its value is validated first.
        if (IsWideCell(Model().RealCol(Col()), Row()))
            ValidateCellWide(WideCells(Model().RealCol(Col()), Row()));
        else
            ValidateCell(CurrentCell());
        bool allow = true;
        FireCellChanging(ACol, ARow, allow);
        result = allow && TBaseGrid::SelectCell(ACol, ARow);
        if (!result) newText = FParts->Edit.FCellCache;
    }

    if (ActiveCellShow) {
        if (FixedRows() > 0) RepaintCell(Model().RealCol(Col()), FixedRows() - 1);
        if (FixedCols() > 0) RepaintCell(FixedCols() - 1, Row());
        if (FixedRows() > 0) RepaintCell(rc, FixedRows() - 1);
        if (FixedCols() > 0) RepaintCell(FixedCols() - 1, ARow);
    }
    if (ActiveRowShow()) {
        RepaintRow(ARow);
        RepaintRow(Row());
    }
    if (SelectionRectangle) Invalidate();
    // Reported only for a move the grid takes.
    if (result && !Loading()) {
        if (FParts->Edit.FRowUpdateLast < 0) FParts->Edit.FRowUpdateLast = Row();
        if (ARow != FParts->Edit.FRowUpdateLast && OnRowUpdate) {
            const int old = FParts->Edit.FRowUpdateLast;
            FParts->Edit.FRowUpdateLast = ARow;
            OnRowUpdate(this, old, ARow);
        }
    }
    if (HasCustomBorders()) Invalidate();
    FParts->Edit.FCellCache = newText;
    return result;
}

// --- the value a cell had ---------------------------------------------------------------

void TExStringGrid::StoreCellState(int ACol, int ARow)
{
    FParts->Edit.FOldCol = ACol;
    FParts->Edit.FOldRow = ARow;
    const int rc = Model().RealCol(ACol);
    FParts->Edit.FOldCellText = GetGridCell(rc, ARow);
    FParts->Edit.FOldCellTextWide = IsWideCell(rc, ARow) ? WideCells(rc, ARow) : Utf8ToWide(FParts->Edit.FOldCellText);
    FParts->Edit.FOldModifiedValue = FParts->Edit.FModified;
}

void TExStringGrid::RestoreCellCache()
{
    // The cache goes back into the current cell; the cell's own text (not
    // the one at its displayed index, which belongs to another column when
    // columns are hidden) is what the editor shows again.
    const int rc = Model().RealCol(Col());
    const TPoint b = BaseCell(rc, Row());
    SetCells(b.X, b.Y, FParts->Edit.FCellCache);
    if (TExInplaceEdit* ed = NormalEdit(); ed && ed->Visible()) {
        TFlagSet quiet(FParts->Edit.FNoEditChange, true);
        ed->SetText(GetEditText(Col(), Row()));
    }
}

void TExStringGrid::WriteEditText(int ACol, int ARow, const std::string& Value)
{
    SetEditText(Model().DisplCol(ACol), ARow, Value);
    SetCellEx(ACol, ARow, Value);
}

void TExStringGrid::CellValueChanged(int ACol, int /*ARow*/)
{
    // The footer follows its column (there is a footer to follow only once
    // it was made).
    if (FloatingFooter()) CalcFooter(ACol);
}

// --- text between the cell and the editor -----------------------------------------------

std::string TExStringGrid::GetEditText(int ACol, int ARow)
{
    FParts->Edit.FNoEditChange = true;
    const int rc = Model().RealCol(ACol);
    if (TExInplaceEdit* ed = NormalEdit()) {
        TAlignment ha = DefaultAlignment;
        TVAlignment va = VAlignment;
        GetCellAlign(rc, ARow, ha, va);
        ed->VAlign = ha == TAlignment::taRightJustify;
    }
    const TPoint b = IsMergedNonBaseCell(rc, ARow) ? BaseCell(rc, ARow) : TPoint{rc, ARow};
    std::string s = TStringGrid::GetEditText(b.X, b.Y);
    if (!EditWithTags && CellTextKind(s, EnableHTML) == ctkHTML) s = HTMLToPlainText(s);
    FParts->Edit.FEditOpenCol = b.X;
    FParts->Edit.FEditOpenRow = b.Y;
    FParts->Edit.FEditOpenRaw = GetGridCell(b.X, b.Y);
    FParts->Edit.FEditOpenPlain = s;
    return s;
}

std::string TGridEditPart::UnchangedEditValue(int RealCol, int ARow, const std::string& Value) const
{
    const TPoint b = G.IsMergedNonBaseCell(RealCol, ARow) ? G.BaseCell(RealCol, ARow) : TPoint{RealCol, ARow};
    if (b.X == FEditOpenCol && b.Y == FEditOpenRow && Value == FEditOpenPlain && FEditOpenRaw != FEditOpenPlain &&
        G.GetGridCell(b.X, b.Y) == FEditOpenRaw)
        return FEditOpenRaw;
    return Value;
}

void TExStringGrid::SetEditText(int ACol, int ARow, const std::string& Value)
{
    TPoint b{ACol, ARow};
    if (IsMergedNonBaseCell(Model().RealCol(ACol), ARow)) {
        const TPoint rb = BaseCell(Model().RealCol(ACol), ARow);
        b = {Model().DisplCol(rb.X), rb.Y};
    }
    const int rc = Model().RealCol(b.X);
    TStringGrid::SetEditText(rc, b.Y, FParts->Edit.UnchangedEditValue(rc, b.Y, Value));
}

// --- validation ---------------------------------------------------------------------------

bool TExStringGrid::ValidateCell(const std::string& NewValueIn)
{
    if (!FParts->Edit.FEditing || FParts->Edit.FValidating) return true;
    FParts->Edit.FEditing = false;
    FParts->Edit.FValidating = true;
    bool valid = true;
    const int acol = Model().RealCol(FParts->Edit.FOldCol);
    const int oldRow = FParts->Edit.FOldRow;
    const std::string newValue = FParts->Edit.UnchangedEditValue(acol, oldRow, NewValueIn);
    FParts->Edit.FNewCellText = newValue;
    try {
        if (newValue != FParts->Edit.FOldCellText || AlwaysValidate) {
            const bool changed = newValue != FParts->Edit.FOldCellText;
            std::string value = newValue;
            {
                TFlagSet noAdvance(FParts->FNavigation->AdvanceOnEnter, false);
                if (FParts->FCellChecker && FParts->FCellChecker->AutoCorrect) value = FParts->FCellChecker->Correct(acol, oldRow, value);
                if (OnCellValidate) OnCellValidate(this, acol, oldRow, value, valid);
                if (value != FParts->Edit.FOldCellText) {
                    FParts->Edit.FGridModified = true;
                    if (FixedCols() > 0) {
                        SetRowModified(Model().RealRow(oldRow), true);
                        if (FParts->FShowModified->Enabled) RepaintCell(0, Row());
                    }
                }
                if (valid) CellValueChanged(acol, FParts->Edit.FOldRow);
                if (FParts->FCellChecker && FParts->FCellChecker->AutoMarkError) value = FParts->FCellChecker->MarkError(acol, oldRow, value);
                if (valid && UndoRedo()) UndoRedo()->RegisterChange(acol, oldRow, FParts->Edit.FOldCellText, value);
                if (valid && changed) CellsChanged(TRect{acol, oldRow, acol, oldRow});
            }
            FParts->Edit.FNewCellText = value;
            if (valid) {
                SetGridCell(acol, oldRow, value);
                if (!IsBaseCell(acol, oldRow)) SetCellEx(acol, oldRow, value);
                // The footer was asked above, before the cell held the new
                // value: it counts it now.
                CalcFooter(acol);
                InvalidateCell(FParts->Edit.FOldCol, oldRow);
            } else {
                FParts->Edit.FLastValidation = false;
                const bool corrected = value != newValue;
                if (corrected) {
                    HideEditor();
                    SetCellEx(acol, oldRow, value);
                } else {
                    if (FParts->Edit.FEditMode) FParts->Edit.FValidating = false;
                    HideEditor();
                    SetCellEx(acol, oldRow, FParts->Edit.FOldCellText);
                }
                // Back to the refused cell, with its editor open again.
                {
                    TFlagSet force(FParts->Edit.FForceSel, true);
                    if (FParts->Edit.FOldCol >= 0 && FParts->Edit.FOldCol < ColCount() && oldRow >= 0 && oldRow < RowCount())
                        FocusCell(FParts->Edit.FOldCol, oldRow, true);
                }
                FParts->Edit.FValidating = false;
                FParts->Edit.FEditing = true;
                ShowInplaceEdit();
                if (!corrected && Col() != FParts->Edit.FOldCol) InvalidateEditor();
                FParts->Edit.FModified = FParts->Edit.FOldModifiedValue;
                if (!InvalidEntryTitle.empty() || !InvalidEntryText.empty()) ShowInvalidEntryBalloon();
            }
            FParts->Edit.FOldCellText = GetGridCell(acol, FParts->Edit.FOldRow);
        }
    } catch (...) {
        StoreCellState(Col(), Row());
        FParts->Edit.FValidating = false;
        throw;
    }
    StoreCellState(Col(), Row());
    FParts->Edit.FValidating = false;
    if (valid) FParts->Edit.HideFocusWindow();
    return valid;
}

bool TExStringGrid::ValidateCellWide(const WideString& NewValue)
{
    if (!FParts->Edit.FEditing || FParts->Edit.FValidating) return true;
    FParts->Edit.FEditing = false;
    FParts->Edit.FValidating = true;
    bool valid = true;
    const int acol = Model().RealCol(FParts->Edit.FOldCol);
    const int oldRow = FParts->Edit.FOldRow;
    try {
        if (NewValue != FParts->Edit.FOldCellTextWide || AlwaysValidate) {
            WideString value = NewValue;
            CellValueChanged(acol, FParts->Edit.FOldRow);
            if (OnCellValidateWide) OnCellValidateWide(this, acol, oldRow, value, valid);
            if (valid) {
                SetWideCells(acol, oldRow, value);
            } else {
                if (value != NewValue) {
                    HideEditor();
                    SetWideCells(acol, oldRow, value);
                } else {
                    if (FParts->Edit.FEditMode) FParts->Edit.FValidating = false;
                    HideEditor();
                    SetWideCells(acol, oldRow, FParts->Edit.FOldCellTextWide);
                }
                {
                    TFlagSet force(FParts->Edit.FForceSel, true);
                    if (FParts->Edit.FOldCol >= 0 && FParts->Edit.FOldCol < ColCount() && oldRow >= 0 && oldRow < RowCount())
                        FocusCell(FParts->Edit.FOldCol, oldRow, true);
                }
                FParts->Edit.FValidating = false;
                FParts->Edit.FEditing = true;
                ShowInplaceEdit();
                FParts->Edit.FModified = FParts->Edit.FOldModifiedValue;
            }
            if (NewValue != FParts->Edit.FOldCellTextWide) {
                FParts->Edit.FGridModified = true;
                if (FParts->FShowModified->Enabled && FixedCols() > 0) {
                    SetRowModified(FParts->Edit.FOldRow, true);
                    RepaintCell(0, FParts->Edit.FOldRow);
                }
            }
            FParts->Edit.FOldCellTextWide = WideCells(acol, FParts->Edit.FOldRow);
        }
    } catch (...) {
        StoreCellState(Col(), Row());
        FParts->Edit.FValidating = false;
        throw;
    }
    StoreCellState(Col(), Row());
    FParts->Edit.FValidating = false;
    return valid;
}

void TExStringGrid::ShowInvalidEntryBalloon()
{
    if (Host()) Host()->ShowBalloon(InvalidEntryTitle, InvalidEntryText, static_cast<int>(InvalidEntryIcon));
}

// --- window messages of editing ----------------------------------------------------------

void TExStringGrid::WndProc(TMessage& Message)
{
    if (Message.Msg == GridEditDoneMessage()) {
        if (OnEditCellDone) OnEditCellDone(this, static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
        if (FParts->FMouseActions->EditOnDblClickOnly()) {
            HideInplaceEdit();
            FParts->Edit.FEditMode = false;
            SetOptions(Options() - goEditing);
        }
    } else if (Message.Msg == WM_KEYDOWN) {
        // A key posted to the grid's own window (an editor handing Tab
        // over), or to the window around it (Tab leaving the grid: 1 on to
        // the next control, 2 back to the previous one).
        int key = static_cast<int>(Message.WParam);
        if (Message.LParam == 1 || Message.LParam == 2) {
            if (Host()) Host()->FocusNextControl(Message.LParam == 1);
        } else {
            HandleKeyDown(key, {});
        }
        return;
    }
    TBaseGrid::WndProc(Message);
}

// --- focus ---------------------------------------------------------------------------------

void TExStringGrid::DoEnter()
{
    if (FParts->Edit.FBlockFocus) return;
    // The current cell's value is what a coming edit is measured against,
    // also when a handler fails.
    struct Remember {
        TExStringGrid& g;
        ~Remember() { g.StoreCellState(g.Col(), g.Row()); }
    } remember{*this};
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || FParts->FMouseActions->RangeSelectAndEdit) SelectCell(Col(), Row());
}
