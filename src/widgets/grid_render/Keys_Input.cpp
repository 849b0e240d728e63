// TExStringGrid: the keyboard layer (the key-down, character and key-up
// messages of the grid's window).

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Editor_Text.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>

// The character message: typing opens the editor with the typed character.
void TExStringGrid::CharMessage(TKeyChar& Key)
{
    const int rc = Model().RealCol(Col());
    const std::string text = Cells(rc, Row());
    if (CellTextKind(text, EnableHTML) == ctkHTML && UpperCase(text).find("<CONTROL") != std::string::npos) {
        // Operated through its inline controls.
        Key = 0;
        return;
    }
    if (FParts->FMouseActions->EditOnDblClickOnly()) {
        bool canEdit = true;
        CanEditCell(rc, Row(), canEdit);
        if (canEdit) SetOptions(Options() + goEditing);
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (FParts->FNavigation->AllowClipboardShortCuts && ctrl && (Key == 3 || Key == 22 || Key == 24)) {
        Key = 0;
        return;
    }
    if (FParts->FMouseActions->RangeSelectAndEdit && !HasClickableGraphic(rc, Row()) && IsEditable(rc, Row()) &&
        Key != 9 && Key != 27 && !ctrl) {
        TKeyChar k = Key;
        if (OnKeyPress) OnKeyPress(this, k);
        FParts->Edit.FStartEditChar = Key;
        SetOptions(Options() + goEditing);
        if (!(Col() >= LeftCol() && Col() <= LeftCol() + VisibleColCount() && Row() >= TopRow() &&
              Row() <= TopRow() + VisibleRowCount()))
            ScrollInView(Col(), Row());
        const TRect r = CellRect(Col(), Row());
        TCustomGrid::MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
        KeyPress(Key);
        return;
    }
    bool passed = false;
    if (Key == 13 && HasClickableGraphic(rc, Row()) && FParts->FNavigation->AdvanceOnEnter) {
        KeyPress(Key);
        passed = true;
    }
    if (Options().Contains(goEditing) && (Key == 8 || (Key >= 32 && Key <= 255))) {
        if (OnKeyPress) OnKeyPress(this, Key);
        if (Key == 0) return;
        FParts->Edit.FStartEditChar = Key;
        if (!HasClickableGraphic(rc, Row()) && IsEditable(rc, Row()) && !EditorMode()) {
            ShowEditor();
            if (TExInplaceEdit* ed = NormalEdit(); ed && ed->Visible()) {
                ed->Select(0, static_cast<int>(Utf8ToWide(ed->Text()).size()));
                ed->TypeFirstChar(Key);
            }
            return;
        }
        if (!passed) {
            // The class library's own step: OnKeyPress has had its say.
            auto handler = std::move(OnKeyPress);
            OnKeyPress = nullptr;
            struct Restore {
                TExStringGrid& g;
                std::function<void(TObject*, TKeyChar&)>& h;
                ~Restore() { g.OnKeyPress = std::move(h); }
            } restore{*this, handler};
            KeyPress(Key);
        }
        return;
    }
    if (!passed) KeyPress(Key);
}

// --- key-down message ----------------------------------------------------------------------

namespace {

bool IsNavKey(int k) { return k == VK_LEFT || k == VK_UP || k == VK_RIGHT || k == VK_DOWN; }

} // namespace

void TExStringGrid::KeyDownMessage(int& Key, TShiftState Shift)
{
    const int c0 = Col(), r0 = Row(), l0 = LeftCol();
    const int rc = Model().RealCol(c0);
    const bool ctrl = Shift.Contains(ssCtrl), shiftDown = Shift.Contains(ssShift), alt = Shift.Contains(ssAlt);
    auto fireKeyDown = [&] {
        int k = Key;
        if (OnKeyDown) OnKeyDown(this, k, Shift);
    };
    FParts->Input.FMoveSelection = Selection();
    const bool keepLeft = (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) &&
                          Options().Contains(goRowSelect) && LeftCol() != FixedCols() && FParts->FNavigation->KeepHorizScroll;
    // 3. Paging keys that move the view only.
    if (FParts->FNavigation->MoveScrollOnly &&
        (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN)) {
        const int vis = VisibleRowCount();
        switch (Key) {
        case VK_PRIOR: SetTopRow(vis + FixedRows() < TopRow() ? TopRow() - vis : FixedRows()); break;
        case VK_NEXT:
            if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + vis);
            break;
        case VK_END: SetTopRow(RowCount() - vis); break;
        case VK_HOME: SetTopRow(FixedRows()); break;
        case VK_UP:
            if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
            break;
        case VK_DOWN:
            if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + 1);
            break;
        default: break;
        }
        Key = 0;
        return;
    }
    const bool enterOrF2 = Key == VK_RETURN || Key == VK_F2;
    // 4, 5. Editing switched on by Enter or F2.
    if (FParts->FMouseActions->EditOnDblClickOnly() && enterOrF2 && !Options().Contains(goEditing)) {
        bool& rse = FParts->FMouseActions->RangeSelectAndEdit;
        const bool old = rse;
        rse = true;
        const bool editable = IsEditable(rc, Row());
        rse = old;
        if (editable) SetOptions(Options() + goEditing);
    }
    if (FParts->FMouseActions->RangeSelectAndEdit && !Options().Contains(goEditing) && enterOrF2) {
        if (!IsEditable(rc, Row())) {
            fireKeyDown();
            Key = 0;
            return;
        }
        SetOptions(Options() + goEditing);
        ShowInplaceEdit();
    }
    // 7, 8. Enter (and F2) on a cell that may not be edited goes no further.
    if (enterOrF2) {
        if (Options().Contains(goEditing) && !IsEditable(rc, Row())) {
            fireKeyDown();
            Key = 0;
            return;
        }
        const std::string text = Cells(rc, Row());
        if (CellTextKind(text, EnableHTML) == ctkHTML && UpperCase(text).find("<CONTROL") != std::string::npos) {
            // Such cells are operated through their inline controls: the
            // key opens the first one (the later rule for Enter and F2 is
            // never reached for them).
            Key = 0;
            StoreCellState(Col(), Row());
            EditCellControl(Col(), Row(), "");
            return;
        }
    }
    if (Key == VK_RETURN && !IsEditable(rc, Row())) {
        fireKeyDown();
        Key = 0;
        return;
    }
    // 9. Enter and Space on check boxes, radios and buttons.
    if ((Key == VK_RETURN || Key == VK_SPACE) && HasClickableGraphic(rc, Row())) {
        const TPoint b = BaseCell(rc, Row());
        bool canClick = Options().Contains(goEditing) || FParts->FMouseActions->RangeSelectAndEdit;
        CanEditCell(rc, Row(), canClick);
        if (Key == VK_SPACE && (canClick || FParts->FControlLook->CheckAlwaysActive) && HasCheckBox(b.X, b.Y)) {
            ToggleCellCheckBox(b.X, b.Y, false);
            if (FParts->FShowModified->Enabled) {
                SetRowModified(Row(), true);
                RepaintCell(0, Row());
            }
            bool state = false;
            GetCheckBoxState(b.X, Model().RealRow(b.Y), state);
            FireCheckBoxClick(rc, Row(), state);
        } else if (Key == VK_SPACE && (canClick || FParts->FControlLook->RadioAlwaysActive) && IsRadio(b.X, b.Y)) {
            CycleRadioCell(b.X, b.Y, true);
            int idx = -1;
            GetRadioIdx(b.X, b.Y, idx);
            if (OnRadioClick) OnRadioClick(this, rc, Row(), idx);
        } else if (Key == VK_SPACE && (canClick || FParts->FControlLook->RadioAlwaysActive) && HasRadioButton(b.X, b.Y)) {
            ToggleCellRadioButton(b.X, b.Y, true);
            if (OnRadioButtonClick) OnRadioButtonClick(this, rc, Row());
        } else if (canClick && HasButton(b.X, b.Y)) {
            FireButtonClick(rc, Row());
        }
        RepaintCell(b.X, b.Y);
    }
    // 10. Home and End.
    if ((Key == VK_HOME || Key == VK_END) && !ctrl) {
        const bool home = Key == VK_HOME;
        switch (FParts->FNavigation->HomeEndKey) {
        case heFirstLastCell:
            if (home)
                FocusCell(FixedCols(), FixedRows());
            else
                FocusCell(ColCount() - 1, RowCount() - 1);
            SnapToBaseCell();
            ScrollInView(Col(), Row());
            fireKeyDown();
            Key = 0;
            return;
        case heFirstLastRow:
            if (FixedRowAlways && RowCount() == 1) break;
            SetRow(home ? FixedRows() : RowCount() - FixedFooters - 1);
            SnapToBaseCell();
            fireKeyDown();
            if (Options().Contains(goRowSelect) && FParts->FNavigation->KeepHorizScroll) SetLeftCol(l0);
            Key = 0;
            return;
        case heFirstLastColumn:
            if (Options().Contains(goRowSelect) || (FixedRowAlways && RowCount() == 1)) break;
            if (shiftDown) {
                const int to = home ? FixedCols() : ColCount() - FixedRightCols - 1;
                SetSelection(TGridRect{std::min(c0, to), r0, std::max(c0, to), r0});
                // The current cell is the end moved to.
                MoveToCell(to, r0);
                SetSelection(TGridRect{std::min(c0, to), r0, std::max(c0, to), r0});
                RepaintRow(r0);
            } else if (home) {
                const int fc = FParts->Input.FirstTabCol(Row());
                if (fc != -1) SetCol(fc);
                SnapToBaseCell();
                SetLeftCol(FParts->Input.FirstNavigableCol());
            } else {
                SetCol(ColCount() - 1);
                SnapToBaseCell();
                SetLeftCol(ColCount() - VisibleColCount());
            }
            fireKeyDown();
            Key = 0;
            return;
        }
    } else if ((Key == VK_HOME) && ctrl && FParts->FNavigation->HomeEndKey == heFirstLastColumn) {
        const int fc = FParts->Input.FirstTabCol(FixedRows());
        FocusCell(fc != -1 ? fc : Col(), FixedRows());
        SnapToBaseCell();
        ScrollInView(Col(), Row());
        SetLeftCol(FParts->Input.FirstNavigableCol());
        fireKeyDown();
        Key = 0;
        return;
    }
    // 11. Nodes open and close with Right and Left on a merged node cell.
    if ((Key == VK_RIGHT || Key == VK_LEFT) && IsNode(Row()) && IsMergedCell(rc, Row())) {
        if (Key == VK_RIGHT)
            ExpandNode(Model().RealRow(Row()));
        else
            ContractNode(Model().RealRow(Row()));
    }
    // 12. Left and Right scroll a row-select grid.
    if ((Key == VK_LEFT || Key == VK_RIGHT) && Options().Contains(goRowSelect) && !IsNode(Row()) &&
        ColCount() > VisibleColCount()) {
        auto scroll = [&] {
            const int to = LeftCol() + (Key == VK_RIGHT ? 1 : -1);
            if (to >= FixedCols() && to <= ColCount() - VisibleColCount()) SetLeftCol(to);
        };
        if (FParts->FNavigation->LeftRightRowSelect) {
            if (ctrl) scroll();
        } else {
            scroll();
            fireKeyDown();
            Key = 0;
            return;
        }
    }
    // 13. Tab from cell to cell.
    if (Key == VK_TAB && Options().Contains(goTabs)) {
        FParts->Input.AdvanceOnTab(shiftDown);
        const TGridRect s = Selection();
        if (!(s == FParts->Input.FMoveSelection)) {
            SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
            FParts->Input.FMoveSelection = s;
        }
        Key = 0;
        return;
    }
    // 14. Arrows step over cells that report themselves fixed.
    if (FParts->FNavigation->SkipFixedCells && IsNavKey(Key)) {
        auto fixedAt = [&](int c, int r) { return IsFixed(Model().RealCol(c), r); };
        int to = -1;
        if (Key == VK_LEFT && Col() > FixedCols() && fixedAt(Col() - 1, Row())) {
            int c = Col() - 1;
            while (c >= FixedCols() && fixedAt(c, Row())) --c;
            if (c >= FixedCols()) to = c;
            fireKeyDown();
            if (to >= 0) SetCol(to);
            Key = 0;
        } else if (Key == VK_RIGHT && Col() < ColCount() - FixedRightCols - 1 && fixedAt(Col() + 1, Row())) {
            int c = Col() + 1;
            while (c < ColCount() - FixedRightCols && fixedAt(c, Row())) ++c;
            if (c < ColCount() - FixedRightCols) to = c;
            fireKeyDown();
            if (to >= 0) SetCol(to);
            Key = 0;
        } else if (Key == VK_UP && Row() > FixedRows() && fixedAt(Col(), Row() - 1)) {
            int r = Row() - 1;
            if (!Options().Contains(goRowSelect)) {
                while (r >= FixedRows() && fixedAt(Col(), r)) --r;
                if (r < FixedRows()) r = -1;
            }
            fireKeyDown();
            if (r >= 0) SetRow(r);
            Key = 0;
        } else if (Key == VK_DOWN && Row() < RowCount() - FixedFooters - 1 && fixedAt(Col(), Row() + 1)) {
            int r = Row() + 1;
            if (!Options().Contains(goRowSelect)) {
                while (r < RowCount() - FixedFooters && fixedAt(Col(), r)) ++r;
                if (r >= RowCount() - FixedFooters) r = -1;
            }
            fireKeyDown();
            if (r >= 0) SetRow(r);
            Key = 0;
        }
        if (Key == 0) return;
    }
    // 15. Down on the last data row appends one.
    const int arrived = Key;
    if (arrived == VK_DOWN && FParts->Input.IsLastDataRow() && FParts->FNavigation->AppendOnArrowDown)
        FParts->Input.AutoAppendRow();
    // 16. The selection frame follows.
    if (SelectionRectangle && !(Selection() == FParts->Input.FMoveSelection)) {
        Invalidate();
        FParts->Input.FMoveSelection = Selection();
    }
    // 18. The standard navigation.
    if (keepLeft) BeginUpdate();
    KeyDown(Key, Shift);
    if (keepLeft) {
        SetLeftCol(l0);
        EndUpdate();
    }
    // 19. Rules after the navigation.
    const int rowIdx = FParts->FMouseActions->DisjunctRowSelect() && FParts->FMouseActions->RowSelectPersistent ? Model().RealRow(Row()) : Row();
    if (FParts->FNavigation->AllowClipboardShortCuts &&
        ((ctrl && (arrived == 'X' || arrived == 'C' || arrived == 'V' || arrived == VK_INSERT)) ||
         (shiftDown && (arrived == VK_DELETE || arrived == VK_INSERT)))) {
        ZEL_GRID_NOT_BUILT(); // the selection clipboard belongs to the file code
    }
    if (arrived == VK_INSERT && FParts->FNavigation->AllowInsertRow && !ctrl && !shiftDown && !alt) {
        bool can = true;
        FireCanInsertRow(Row(), can);
        if (!can) return;
        const bool filter = FilterActive();
        if (filter) SetFilterActive(false);
        int newRow = Row();
        int at;
        if (FParts->FNavigation->InsertPosition == pInsertAfter) {
            if (FixedRowAlways && FixedRows() == RowCount()) {
                at = Model().RealRow(Row());
                newRow = 1;
            } else {
                at = Model().RealRow(Row()) + 1;
                if (newRow + 1 < RowCount()) newRow = newRow + 1;
            }
        } else {
            at = Model().RealRow(Row());
        }
        AutoInsertRow(at);
        if (OnAutoInsertRow) OnAutoInsertRow(this, at);
        FParts->Edit.FGridModified = true;
        if (filter) SetFilterActive(true);
        if (newRow < RowCount()) SetRow(newRow);
        if (FloatingFooter()) CalcFooter(-1);
    } else if (arrived == 'A' && ctrl && (Options().Contains(goRowSelect) || Options().Contains(goRangeSelect))) {
        TRect r{FParts->Input.FirstNavigableCol(), FixedRows(), ColCount() - FixedRightCols - 1,
                RowCount() - FixedFooters - 1};
        if (r.Right < r.Left || r.Bottom < r.Top) return;
        if (FParts->FMouseActions->DisjunctRowSelect())
            for (int i = r.Top; i <= r.Bottom; ++i) SetRowSelect(i, true);
        BeforeSelectAll(r);
        SetSelection(TGridRect{r.Left, r.Top, r.Right, r.Bottom});
    } else if (IsNavKey(arrived) || arrived == VK_PRIOR || arrived == VK_NEXT || arrived == VK_HOME ||
               arrived == VK_END) {
        if (FParts->FMouseActions->DisjunctRowSelect()) {
            // Only flags that change are set (their event fires once).
            if (!shiftDown && !ctrl)
                for (int r = 0; r < RowCount(); ++r)
                    if (r != rowIdx && RowSelect(r)) SetRowSelect(r, false);
            if (shiftDown)
                SyncRowSelect(false);
            else if (!RowSelect(rowIdx))
                SetRowSelect(rowIdx, true);
        }
        if (FParts->FMouseActions->DisjunctColSelect()) {
            if (!shiftDown && !ctrl) ClearColSelect();
            if (shiftDown)
                SyncColSelect(false);
            else
                SetColSelect(Col(), true);
        }
    } else if (arrived == VK_SPACE && (FParts->FMouseActions->DisjunctRowSelect() || FParts->FMouseActions->DisjunctColSelect())) {
        if (FParts->FMouseActions->DisjunctRowSelect()) SetRowSelect(rowIdx, !RowSelect(rowIdx));
        if (FParts->FMouseActions->DisjunctColSelect()) SetColSelect(Col(), !ColSelect(Col()));
    } else if (arrived == VK_DELETE && FParts->FNavigation->AllowDeleteRow && !alt &&
               RowCount() - FixedFooters - FixedRows() >= 1) {
        const int real = Model().RealRow(Row());
        const bool filter = FilterActive();
        if (filter) SetFilterActive(false);
        bool can = true;
        if (OnCanDeleteRow) OnCanDeleteRow(this, real, can);
        if (!can) {
            if (filter) SetFilterActive(true);
            return;
        }
        AutoDeleteRow(real);
        if (filter) SetFilterActive(true);
        StoreCellState(Col(), Row());
        FParts->Edit.FGridModified = true;
        if (FloatingFooter()) CalcFooter(-1);
    } else if (arrived == VK_RETURN || arrived == VK_F2) {
        StoreCellState(Col(), Row());
        const std::string text = Cells(Model().RealCol(Col()), Row());
        if (UpperCase(text).find("<CONTROL") != std::string::npos) EditCellControl(Col(), Row(), "");
        if (arrived == VK_F2) F2KeyHook();
    }
    const TGridRect s = Selection();
    if (!(s == FParts->Input.FMoveSelection)) {
        SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
        FParts->Input.FMoveSelection = s;
    }
}

// --- key-down step -------------------------------------------------------------------------

void TExStringGrid::KeyDown(int& Key, TShiftState Shift)
{
    int row0 = Row();
    FParts->Edit.FLastKeyCell = {Col(), Row()};
    const int key = Key;
    TBaseGrid::KeyDown(Key, Shift);
    const TGridRect sel = Selection();
    const int top = std::min(sel.Top, sel.Bottom), bottom = std::max(sel.Top, sel.Bottom);
    const bool ctrl = Shift.Contains(ssCtrl);
    if (ctrl && FParts->FNavigation->CursorMoveRows) {
        if (key == VK_DOWN && bottom < RowCount() - 1) {
            row0 = Row();
            if (top == bottom) {
                MoveRow(top, top + 1);
                SetRow(row0 + 1);
            } else {
                MoveRows(top, top + 1, bottom - top + 1);
                SetSelection(TGridRect{FixedCols(), top + 1, ColCount() - 1, bottom + 1});
            }
        } else if (key == VK_UP && top > FixedRows()) {
            row0 = Row();
            if (top == bottom) {
                MoveRow(top, top - 1);
                SetRow(row0 - 1);
            } else {
                MoveRows(top, top - 1, bottom - top + 1);
                SetSelection(TGridRect{FixedCols(), top - 1, ColCount() - 1, bottom - 1});
            }
        }
    }
    const TCursorAdvance ca = FParts->FNavigation->CursorAdvance;
    if (ca != caDefault) {
        const bool snake = ca == caSnake;
        if (key == VK_LEFT && FParts->Edit.FLastKeyCell.X == FixedCols()) {
            SetCol(ColCount() - FixedRightCols - 1);
            if (snake && Row() > FixedRows()) SetRow(Row() - 1);
        } else if (key == VK_UP && FParts->Edit.FLastKeyCell.Y == FixedRows()) {
            SetRow(RowCount() - FixedFooters - 1);
            if (snake && Col() > FixedCols()) SetCol(Col() - 1);
        } else if (key == VK_RIGHT && FParts->Edit.FLastKeyCell.X == ColCount() - 1) {
            SetCol(FixedCols());
            if (snake && Row() < RowCount() - FixedFooters - 1) SetRow(Row() + 1);
        } else if (key == VK_DOWN && FParts->Edit.FLastKeyCell.Y == RowCount() - 1) {
            SetRow(FixedRows());
            if (snake && Col() < ColCount() - FixedRightCols - 1) SetCol(Col() + 1);
        }
    }
    // Disabled rows are stepped over: only when rows carry enabled flags and
    // the arrow's move onto a disabled row was refused (Ctrl+Up and Ctrl+Down
    // scroll the view and leave the current cell where it is).
    const int target = key == VK_UP ? row0 - 1 : row0 + 1;
    if (FParts->FNavigation->SkipDisabledRows && FModel->FRowFlags.EnablingInUse() && !ctrl && Row() == row0 &&
        (key == VK_UP || key == VK_DOWN) && target >= FixedRows() && target < RowCount() && !RowEnabled(target)) {
        if (key == VK_UP) {
            int r = row0 - 1;
            while (r > FixedRows() && !RowEnabled(r)) --r;
            if (r >= FixedRows() && RowEnabled(r) && r != row0) SetRow(r);
        } else {
            int r = row0 + 1;
            while (r < RowCount() - 1 && !RowEnabled(r)) ++r;
            if (r < RowCount() && RowEnabled(r) && r != row0) SetRow(r);
        }
    }
}

// --- key-up step ---------------------------------------------------------------------------

void TExStringGrid::KeyUp(int& Key, TShiftState Shift)
{
    if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || IsNavKey(Key) || Key == VK_INSERT || Key == VK_DELETE)
        FParts->Input.ClearIncrementalSearch();
    TGridRect old = Selection();
    const int key = Key;
    TBaseGrid::KeyUp(Key, Shift);
    if (FParts->FNavigation->AlwaysEdit && (IsNavKey(key) || (key == VK_TAB && Options().Contains(goTabs))) &&
        !HasClickableGraphic(Model().RealCol(Col()), Row()))
        ShowInplaceEdit();
    const TGridRect s = Selection();
    if (!(s == FParts->Input.FMoveSelection) && (key == VK_TAB || IsNavKey(key))) {
        SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
        FParts->Input.FMoveSelection = s;
    }
    if (!FParts->FMouseActions->DisjunctCellSelect() || Options().Contains(goEditing)) return;
    if (Shift.Contains(ssShift)) {
        for (int r = old.Top; r <= old.Bottom; ++r)
            for (int c = old.Left; c <= old.Right; ++c) SetSelectedCells(c, r, false);
        for (int r = s.Top; r <= s.Bottom; ++r)
            for (int c = s.Left; c <= s.Right; ++c)
                if (c != Col() || r != Row()) SetSelectedCells(c, r, true);
    }
    if (key == VK_SPACE) {
        const TPoint b = BaseCell(Model().RealCol(Col()), Row());
        if (IsFixed(b.X, b.Y)) return;
        bool can = true;
        if (OnSelectCell) OnSelectCell(this, Model().DisplCol(b.X), b.Y, can);
        if (!can) return;
        const int bc = Model().DisplCol(b.X);
        if (Shift.Contains(ssCtrl)) {
            SetSelectedCells(bc, b.Y, !SelectedCells(bc, b.Y));
        } else {
            ClearSelectedCells();
            SetSelectedCells(bc, b.Y, true);
        }
        if (s.Left != s.Right || s.Top != s.Bottom)
            for (int r = s.Top; r <= s.Bottom; ++r)
                for (int c = s.Left; c <= s.Right; ++c)
                    if (c != bc || r != b.Y) SetSelectedCells(c, r, true);
        Invalidate();
    }
}

// --- the grid timer ------------------------------------------------------------------------

void TExStringGrid::TimerEvent(int id)
{
    if (id == FParts->Input.WheelPanTimerID && FParts->Input.FWheelPan) {
        FParts->Input.WheelPanTick();
        return;
    }
    if (id != FParts->Edit.GridTimerID) {
        TBaseGrid::TimerEvent(id);
        return;
    }
    ++FParts->Edit.FTimerTicks;
    if (FParts->FNavigation->AutoGotoIncremental) {
        // The search text expires on the fourth tick after the last key.
        const int before = FParts->Input.IncrementalSearchTicks++;
        if (before == 3) {
            FParts->Input.ClearIncrementalSearch();
            FParts->Input.IncrementalSearchTicks = 0;
        }
    }
    if (Hovering && !Designing() && Host() && Visible()) {
        const TPoint p = CursorClientPos();
        int c = -1, r = -1;
        MouseToCell(p.X, p.Y, c, r);
        if (c >= FixedCols() && r >= FixedRows() && c < ColCount() && r < RowCount() &&
            (c != Col() || r != Row())) {
            SetFocus();
            SetRow(r);
            SetCol(c);
        }
    }
    if (EnableBlink) {
        FParts->Input.FGridBlink = !FParts->Input.FGridBlink;
        for (int r = 0; r < RowCount(); ++r) {
            if (r >= FixedRows() && (r < TopRow() || r > TopRow() + VisibleRowCount())) continue;
            for (int c = 0; c < ColCount(); ++c) {
                if (c >= FixedCols() && (c < LeftCol() || c > LeftCol() + VisibleColCount())) continue;
                if (UpperCase(Cells(Model().RealCol(c), r)).find("<BLI") != std::string::npos) InvalidateCell(c, r);
            }
        }
    }
}

// --- the wheel -----------------------------------------------------------------------------

bool TExStringGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (WheelDelta == 0) return false;
    if (Shift.Contains(ssCtrl) && IntelliZoom) {
        Zoom(WheelDelta < 0 ? FParts->FWheelScrollLines : -FParts->FWheelScrollLines);
        AutoSizeCells(true, 4, 4);
        return true;
    }
    if (!EnableWheel || (FixedRowAlways && RowCount() == 1)) return true;
    const TGridRect sel0 = Selection();
    int step = FParts->FMouseActions->WheelIncrement;
    if (step < 1) step = FParts->FWheelScrollLines;
    const bool down = WheelDelta < 0;
    int target = Row();
    if (FParts->FMouseActions->WheelAction() == waScroll) {
        if (down) {
            if (TopRow() < RowCount() - VisibleRowCount()) SetTopRow(TopRow() + step);
        } else {
            step = std::min(step, TopRow() - FixedRows());
            if (TopRow() > FixedRows()) SetTopRow(TopRow() - step);
        }
    } else {
        target = down ? Row() + step : Row() - step;
    }
    target = std::clamp(target, FixedRows(), std::max(FixedRows(), RowCount() - FixedFooters - 1));
    int delta = 0;
    if (target >= 0 && target < RowCount()) {
        StartUpdate();
        if (FParts->FMouseActions->DisjunctRowSelect() && FParts->FMouseActions->WheelAction() == waMoveSelection) ClearRowSelect();
        delta = target - Row();
        if (FParts->FMouseActions->WheelAction() == waMoveSelection) {
            const int l0 = LeftCol();
            SetRow(target);
            if (Row() != target) {
                // The move was refused: half-way, as the original does.
                const double half = Row() + (target - Row()) / 2.0;
                const int mid = static_cast<int>(std::nearbyint(half));
                if (mid >= FixedRows() && mid < RowCount()) SetRow(mid);
                if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
            }
            if (Options().Contains(goRowSelect) && FParts->FNavigation->KeepHorizScroll) SetLeftCol(l0);
        }
        ResetUpdate();
        Invalidate();
    }
    bool handled = true;
    AfterWheelMove(delta, handled);
    if ((FParts->FMouseActions->WheelIncrement != 0 || FParts->FMouseActions->DisjunctRowSelect()) && handled) {
        bool h = false;
        const TShiftState s = FParts->FMouseActions->DisjunctRowSelect() ? Shift : TShiftState{};
        const TPoint p = FParts->FMouseActions->DisjunctRowSelect() ? MousePos : TPoint{0, 0};
        if (down && OnMouseWheelDown) OnMouseWheelDown(this, s, p, h);
        if (!down && OnMouseWheelUp) OnMouseWheelUp(this, s, p, h);
    }
    const TGridRect s = Selection();
    if (!(s == sel0)) SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    return true;
}

bool TExStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (FParts->FMouseActions->WheelAction() == waScroll || !EnableWheel) {
        bool handled = false;
        if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
        return handled;
    }
    bool& direct = FParts->FMouseActions->DirectEdit;
    const bool old = direct;
    direct = false;
    const bool r = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
    direct = old;
    return r;
}

bool TExStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (FParts->FMouseActions->WheelAction() == waScroll || !EnableWheel) {
        bool handled = false;
        if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
        return handled;
    }
    if (Row() >= RowCount() || Col() >= ColCount()) return true;
    bool& direct = FParts->FMouseActions->DirectEdit;
    const bool old = direct;
    direct = false;
    const bool r = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    direct = old;
    return r;
}

// --- focus and scrolling -------------------------------------------------------------------

void TExStringGrid::DoExit()
{
    if (FParts->Edit.FBlockKill) return;
    if (FParts->Edit.FSelChange && FParts->FMouseActions->DisjunctRowSelect()) SyncRowSelect(false);
    FParts->Edit.FSelChange = false;
    TBaseGrid::DoExit();
}

void TExStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    CellControlsUpdate(false);
    UpdateFooter();
    // An editor control does not follow the view: it closes.
    if (FParts->Edit.FEditMode && CurrentEditor() != edNormal && !IsTextEditorKind(CurrentEditor())) HideInplaceEdit();
    if (SelectionRectangle) Invalidate();
    if (FParts->FSyncGrid->Grid() && !FParts->FSyncingLinked)
        if (auto* other = dynamic_cast<TExStringGrid*>(FParts->FSyncGrid->Grid()); other && other != this) {
            FParts->FSyncingLinked = true;
            struct Clear {
                bool& f;
                ~Clear() { f = false; }
            } clear{FParts->FSyncingLinked};
            if (FParts->FSyncGrid->ScrollVertical) other->SetTopRow(TopRow());
            if (FParts->FSyncGrid->ScrollHorizontal && LeftCol() < other->ColCount()) other->SetLeftCol(LeftCol());
        }
}

bool TGridInputPart::IsHoverFixedCell(int ACol, int ARow) const
{
    switch (G.HoverFixedCells) {
    case hfAll: return ACol < G.FixedCols() || ARow < G.FixedRows();
    case hfFixedColumns: return ACol < G.FixedCols();
    case hfFixedRows: return ARow < G.FixedRows();
    default: return false;
    }
}
