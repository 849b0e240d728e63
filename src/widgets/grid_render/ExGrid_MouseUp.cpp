// TExStringGrid: the end of a mouse press, the double click and the right
// button. The release ends the sizing of fixed columns and rows, releases
// pressed buttons and fixed cells, completes deferred and disjunct
// selections, ends a column or row move and sorts on a header click; the
// double click sizes a column on a header border, reports the cell and may
// edit it; the right button may select the cell before OnRightClickCell.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_model/Model.h"
#include "widgets/grid_render/HeaderDragButton.h"
#include "widgets/grid_render/FlagSet.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_io/FilterSettings.h"

#include "platform/TickClock.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Differ(const TGridRect& a, const TGridRect& b)
{
    return a.Left != b.Left || a.Top != b.Top || a.Right != b.Right || a.Bottom != b.Bottom;
}

} // namespace

void TExStringGrid::FireClickSort(int ACol)
{
    if (OnClickSort) OnClickSort(this, ACol);
}

// --- the left-button release -------------------------------------------------------------

void TExStringGrid::HandleLButtonUpMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;

    // 1.
    ColMoveFlg = false;
    ColSizeFlg = false;
    FMouseDown = false;
    FMouseKeepDown = false;
    FMouseSelectMode = msNormal;
    bool Deselected = false;
    if (FCtrlDown) {
        FCtrlDown = false;
        if (FCtrlXY.X >= 0 && FCtrlXY.Y >= 0) RepaintCell(Model().DisplCol(FCtrlXY.X), FCtrlXY.Y);
    }
    FMouseDownMove = false;
    if (FLook == glListView) {
        RepaintRow(0);
        if (FixedCols() > 0) RepaintCol(0);
    }
    FMouseSelectStart = -1;
    if (!Designing()) HideMoveArrows();

    // 2. The end of sizing a fixed column or row.
    if (FSizingFixed) {
        FSizeFixed = false;
        FSizingFixed = false;
        DrawColSizingLine(FSizeFixedX);
        const int col = FSizingFixedCol;
        if (col >= 0 && col < ColCount()) {
            int sum = 0;
            for (int i = 0; i < col; ++i) sum += ColWidths(i);
            int w = std::max(0, X - sum);
            SetColWidths(col, w);
            if (OnEndColumnSize) OnEndColumnSize(this, col);
            if (OnUpdateColumnSize) {
                OnUpdateColumnSize(this, col, w);
                if (ColWidths(col) != w) SetColWidths(col, std::max(0, w));
            }
        }
    }
    if (FSizingFixedR) {
        FSizeFixedR = false;
        FSizingFixedR = false;
        DrawRowSizingLine(FSizeFixedY);
        const int row = FSizingFixedRow;
        if (row >= 0 && row < RowCount()) {
            int sum = 0;
            for (int i = 0; i < row; ++i) sum += RowHeights(i);
            SetRowHeights(row, std::max(0, Y - sum));
            if (OnEndRowSize) OnEndRowSize(this, row);
        }
    }

    // 3. A pressed fixed cell comes up again.
    if (FFixedCellPushed) {
        FFixedCellPushed = false;
        if (FPushedCellButton.X >= 0 && FPushedCellButton.Y >= 0)
            RepaintCell(FPushedCellButton.X, FPushedCellButton.Y);
    }

    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);

    // 4. A pressed cell button.
    if (FPushedCellButton.X >= 0 && FPushedCellButton.Y >= 0) {
        const TPoint p = FPushedCellButton;
        bool Enabled = Options().Contains(goEditing);
        if (C >= 0 && R >= 0 && !FControlLook->NoDisabledButtonLook()) Enabled = IsEditable(Model().RealCol(p.X), p.Y);
        const bool fixedPushed = p.X < FixedCols() || p.Y < FixedRows();
        if (Enabled || FControlLook->NoDisabledButtonLook() || fixedPushed) {
            if (!IsNode(p.Y)) PushButton(p.X, p.Y, false);
            if (C >= 0 && R >= 0) {
                const TPoint b = BaseCell(C, R);
                const int brc = Model().RealCol(b.X);
                const bool fixedAsButton = FixedAsButtons && p.X < FixedCols();
                const bool inButton = HasButton(brc, b.Y) && PtInRect(GraphicRectInCell(b.X, b.Y), {X, Y});
                if (inButton || fixedAsButton || p.Y < FixedRows()) FireButtonClick(p.X, p.Y);
                const bool inExpand = HasExpand(brc, b.Y) && PtInRect(ExpandButtonRect(brc, b.Y), {X, Y});
                if (inExpand || fixedAsButton || p.Y < FixedRows()) {
                    if (HasExpand(Model().RealCol(p.X), p.Y)) {
                        const bool expanded = ToggleExpand(Model().RealCol(p.X), p.Y);
                        ExpandCell(p.X, p.Y, expanded);
                    }
                }
            }
        }
        FPushedCellButton = {-1, -1};
    }

    // 5. The sizing hint goes.
    if ((Designing() || HintShowSizing) && FScrollHintShow) HideSizingHint();

    // 6. A release on a cell button ends here.
    if (C >= 0 && R >= 0) {
        const int rc = Model().RealCol(C);
        if ((HasButton(rc, R) && PtInRect(GraphicRectInCell(C, R), {X, Y})) ||
            (HasExpand(rc, R) && PtInRect(ExpandButtonRect(rc, R), {X, Y})))
            return;
    }

    // 7. A click on a fixed cell (not on a sizing border).
    const bool SizingCursor = R < FixedRows() && C >= 0 && Options().Contains(goColSizing) &&
                              GridState() == gsColSizing;
    if (OnClick && FDoOnClick && !SizingCursor && R >= 0 && C >= 0 && (R < FixedRows() || C < FixedCols()))
        OnClick(this);
    FDoOnClick = false;
    if (GridState() == gsSelecting) {
        SetGridState(gsNormal);
        Click();
    }

    // 8. A deferred press on a selected cell selects now.
    if (FSelectionClick) {
        FSelectionClick = false;
        if (C >= FixedCols() && R >= FixedRows()) {
            SetSelection(Options().Contains(goRowSelect) ? TGridRect{FixedCols(), R, ColCount() - 1, R}
                                                           : TGridRect{C, R, C, R});
        }
    }

    // 9. Disjunct rows.
    if (FMouseActions->DisjunctRowSelect() && C >= 0 && R >= 0 && (!IsNode(R) || C != 0)) {
        if (!(C == 0 && FMouseActions->HotmailRowSelect())) SyncRowSelect(false);
        if (R >= FixedRows() && R < RowCount() - FixedFooters && FDeselectState) {
            SetRowSelect(FMouseActions->RowSelectPersistent ? Model().RealRow(R) : R, false);
            Deselected = true;
        }
        if (FMouseActions->HotmailRowSelect()) RepaintCell(0, 0);
        FDeselectState = false;
    }

    // 10. The rows of an expanded group.
    if (R >= 0 && IsNode(R) && FGrouping->AutoSelectGroup && C > 0 && !GetNodeState(R)) {
        const int span = GetNodeSpan(R);
        if (FMouseActions->DisjunctRowSelect()) {
            for (int r = R + 1; r <= R + span - 1 && r < RowCount(); ++r) SetRowSelect(Model().RealRow(r), true);
        } else if (span > 0) {
            SetSelection({FixedCols(), R, ColCount() - 1, std::min(R + span - 1, RowCount() - 1)});
        }
    }

    // 11. Disjunct columns.
    if (FMouseActions->DisjunctColSelect()) {
        SyncColSelect(false);
        if (C >= FixedCols() && C < ColCount() - FixedRightCols && FDeselectState) SetColSelect(C, false);
        FDeselectState = false;
    }

    // 12. The end of a column or row move.
    bool Moved = false;
    EndEnhancedMove(C, R, Moved);

    // 13. The class library's release.
    TBaseGrid::WMLButtonUp(Message);
    if (Deselected) FSelChange = false;
    if (GridState() == gsSelecting) SetGridState(gsNormal);

    // 14. A resizer drag never starts (see the press).
    FMouseResize = false;

    // 15.
    if (ColMoveFlg || ColSizeFlg || C < 0 || R < 0) return;
    if (C < FixedCols() && !FSortSettings->FixedCols) return;

    // 16.
    const int RC = Model().RealCol(C);
    if (HasCheckBox(RC, R) && OnCheckBoxMouseUp) {
        bool state = false;
        GetCheckBoxState(RC, R, state);
        OnCheckBoxMouseUp(this, RC, R, state);
    }
    if (IsRadio(RC, R) && OnRadioMouseUp) {
        int idx = -1;
        GetRadioIdx(RC, R, idx);
        OnRadioMouseUp(this, RC, R, idx);
    }

    // 17. The release after a border double click does nothing more.
    if (FDblClk) {
        FDblClk = false;
        return;
    }

    SortOnRelease(C, R, RC, X, Y, Moved, Message.Keys);
}

void TExStringGrid::EndEnhancedMove(int C, int R, bool& Moved)
{
    const TCursor sc = ScreenCursor();
    if (!((sc == crDrag || sc == crNoDrop) && (GridState() == gsRowMoving || GridState() == gsColMoving) &&
          EnhRowColMove))
        return;
    if (FMoveButton) {
        FMoveButton->SetEnabled(false);
        FMoveButton->SetVisible(false);
    }
    FireEndBlockFocus(Row());
    const bool Drop = sc != crNoDrop;
    SetScreenCursor(crDefault);
    FCursor = FOldCursor;
    if (Host()) Host()->SetCursor(FCursor);
    if (Drop) {
        if (GridState() == gsColMoving && Movecell >= 0 && C >= FixedCols() && C != Movecell && C < ColCount())
            MoveColumn(Movecell, C);
        else if (GridState() == gsRowMoving && Movecell >= 0 && R >= FixedRows() && R != Movecell && R < RowCount())
            MoveRow(Movecell, R);
    } else if (GridState() == gsColMoving) {
        RepaintRow(0);
    } else {
        RepaintCol(0);
    }
    KillTimer(1);
    SetGridState(gsNormal);
    Moved = true;
}

void TExStringGrid::SortOnRelease(int C, int R, int RC, int X, int Y, bool Moved, TShiftState Keys)
{
    bool DoSort = true;
    // 18. A release on a header border or a header glyph does not sort.
    const TRect HR = CellRect(C, R);
    if (R == 0 && Options().Contains(goColSizing) && (std::abs(X - HR.Left) < 4 || std::abs(X - HR.Right) < 4))
        return;
    int CC = -1, CR = -1;
    MouseToCell(Clickposx, Clickposy, CC, CR);
    if (FControlLook->FixedDropDownButton && FireCanShowFixedDropDown(RC) && X > HR.Right - 16) return;
    if (X > HR.Right - 16 && R == FilterDropDownRow && GetColumnFilter(RC)) return;

    // 19.
    const bool sortPlace = R == CR && R == FSortSettings->Row() && FixedRows() > 0 && !IsInCheckBox(RC, R, X, Y) &&
                           FSortSettings->Show() && !Moved && RowCount() > 2;
    if (sortPlace) {
        if (IsIgnoredColumn(RC)) DoSort = false;
        if (OnCanSort) OnCanSort(this, RC, DoSort);
    }

    // 20.
    if (sortPlace && DoSort) {
        HideInplaceEdit();
        if (RowCount() != FModel->FSortRowXRef.Count()) InitSortXRef();
        if (FSortSettings->AutoColumnMerge) SplitAllColumnCells();
        const bool keep = FNavigation->KeepHorizScroll && Options().Contains(goRowSelect);
        const int left = LeftCol();
        if (FSortSettings->IndexShow) {
            TSortIndexList& list = FModel->FSortIndexes;
            const bool keyDown = FSortSettings->IndexSortKey == ikShift ? Keys.Contains(ssShift) : Keys.Contains(ssCtrl);
            const bool ascending = FSortSettings->InitSortDirection == sdAscending;
            if (keyDown) {
                if (list.FindIndex(RC) < 0)
                    list.AddIndex(RC, ascending);
                else
                    list.ToggleIndex(RC);
            } else if (list.Count() == 1 && list.GetSortColumns(0) == RC) {
                list.ToggleIndex(RC);
            } else {
                list.Clear();
                list.AddIndex(RC, ascending);
            }
            const auto start = TickClock().TickCount();
            if (keep) BeginUpdate();
            if (HasNodes())
                QSortGroupIndexed();
            else
                QSortIndexed();
            FSortSettings->Column = list.Count() > 0 ? list.GetSortColumns(0) : -1;
            SortTime = TickClock().TickCount() - start;
            if (keep) {
                SetLeftCol(left);
                EndUpdate();
            }
        } else {
            bool Undo = false;
            if (FSortSettings->Column == RC) {
                Undo = FSortSettings->Direction != FSortSettings->InitSortDirection && FSortSettings->UndoSort;
                FSortSettings->ToggleDirection();
            } else {
                FSortSettings->Direction = FSortSettings->InitSortDirection;
                FSortSettings->Column = RC;
            }
            const auto start = TickClock().TickCount();
            if (keep) BeginUpdate();
            if (HasNodes()) {
                QSortGroup();
            } else if (Undo) {
                QUnSort();
                FSortSettings->Column = -1;
            } else {
                QSort();
            }
            SortTime = TickClock().TickCount() - start;
            if (keep) {
                SetLeftCol(left);
                EndUpdate();
            }
        }
        if (FSortSettings->AutoColumnMerge) RemergeColumns();
        FireClickSort(FSortSettings->Column);
        return;
    }

    // 21.
    if (!sortPlace && !DoSort && FSortSettings->Row() < RowCount()) RepaintCell(C, FSortSettings->Row());
    if (sortPlace && !DoSort) RepaintCell(C, FSortSettings->Row());
}

// --- the dynamic release ---------------------------------------------------------------------

void TExStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // 1. (Nothing is designed here.)
    // 2.
    const bool Notify = Button == mbLeft || (Button == mbRight && FMouseActions->SelectOnRightClick);
    const TGridRect S = Selection();
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    const int RC = C >= 0 ? Model().RealCol(C) : -1;

    // 3. The header filter drop-down.
    if (R >= 0 && C >= 0 && R == FilterDropDownRow && RC != FilterDropColumn()) {
        const TRect HR = CellRect(C, R);
        if (HR.Right - 16 < X && X < HR.Right - 3 && Y < HR.Top + 19 && GetColumnFilter(RC)) {
            SetFilterDropColumn(RC);
            TDropList& list = FilterDropDownCheck ? static_cast<TDropList&>(*FFilterDropCheckList) : *FFilterDropList;
            list.Items().Clear();
            TCanvas& cv = *Canvas();
            cv.Font().Assign(FFilterDropDown->Font());
            int maxW = 0;
            for (int i = 0; i < FFilterList.Count(); ++i) {
                const std::string v = FFilterList.Strings(i);
                const size_t eq = v.find('=');
                std::string text = eq == std::string::npos ? v : v.substr(0, eq);
                if (FilterDropDownCheck) {
                    if (text.find(' ') != std::string::npos && !(text.size() >= 2 && text.front() == '"' &&
                                                                 text.back() == '"'))
                        text = "\"" + text + "\"";
                    const int idx = list.Items().Add(text);
                    for (int f = 0; f < FFilter->Count(); ++f) {
                        const TFilterData* fd = FFilter->GetItem(f);
                        if (fd->Condition == text && fd->Column == RC)
                            FFilterDropCheckList->SetChecked(idx, true);
                    }
                } else {
                    list.Items().Add(text);
                    list.SetItemIndex(0);
                }
                maxW = std::max(maxW, cv.TextWidth(text) + 8);
            }
            if (FFilterDropDown->AutoSize) {
                list.Height = list.Items().Count() * list.ItemHeight + 2 * 2;
                list.Width = maxW + 2 * 2;
            } else {
                list.Width = FFilterDropDown->Width;
                list.Height = FFilterDropDown->Height;
            }
            list.Top = HR.Top + 16;
            list.Left = HR.Right - 16;
            if (FFilterDropDown->ColumnWidth) {
                list.Left = HR.Left;
                list.Width = HR.Right - HR.Left;
            }
            if (list.Left + list.Width > ClientWidth())
                list.Left = std::max(0, CellRect(C, 0).Right - list.Width);
            list.SetVisible(true);
        }
    } else if (R != FilterDropDownRow || RC == FilterDropColumn()) {
        if (FFilterDropList->Visible()) FFilterDropList->SetVisible(false);
        SetFilterDropColumn(-1);
    }

    // 4.
    FDropDownDown = false;

    // 5. A sizing released outside the grid is cancelled.
    if ((GridState() == gsColSizing && X > ClientWidth()) || (GridState() == gsRowSizing && Y > ClientHeight())) {
        SetGridState(gsNormal);
        FColSized = false;
        FRowSized = false;
        Invalidate();
        return;
    }

    // 6. Disjunct cells.
    if (FMouseActions->DisjunctCellSelect() && Button == mbLeft && C >= 0 && R >= 0) {
        const TPoint B = BaseCell(C, R);
        if (!IsFixed(B.X, B.Y) && B.X >= FixedCols() && B.Y >= FixedRows()) {
            bool allow = true;
            if (OnSelectCell) OnSelectCell(this, B.X, B.Y, allow);
            if (!allow) return;
            const int packed = B.Y * 65536 + B.X;
            if (Shift.Contains(ssShift)) {
                FModel->FSelectedCells.Add(R * 65536 + C);
            } else if (Shift.Contains(ssCtrl)) {
                if (FModel->FSelectedCells.HasValue(packed))
                    FModel->FSelectedCells.DeleteValue(packed);
                else
                    FModel->FSelectedCells.Add(packed);
            } else {
                for (int i = 0; i < FModel->FSelectedCells.Count(); ++i) {
                    const int v = FModel->FSelectedCells.Items(i);
                    RepaintCell(v & 0xFFFF, v >> 16);
                }
                FModel->FSelectedCells.Clear();
                FModel->FSelectedCells.Add(packed);
            }
        } else if (!Shift.Contains(ssCtrl) && C >= FixedCols() && R >= FixedRows()) {
            FModel->FSelectedCells.Clear();
            Invalidate();
        }
        const TGridRect s = Selection();
        if (s.Left != s.Right || s.Top != s.Bottom) {
            for (int r = s.Top; r <= s.Bottom; ++r)
                for (int c = s.Left; c <= s.Right; ++c) {
                    if (c == B.X && r == B.Y) continue;
                    const int v = r * 65536 + c;
                    if (!FModel->FSelectedCells.HasValue(v)) FModel->FSelectedCells.Add(v);
                }
            for (int i = 0; i < FModel->FSelectedCells.Count(); ++i) {
                const int v = FModel->FSelectedCells.Items(i);
                RepaintCell(v & 0xFFFF, v >> 16);
            }
        }
        RepaintCell(C, R);
    }

    // 7. The selection is reported when it changed since the press began.
    if (Notify && Differ(S, FPressSelection)) SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
    FPressSelection = S;

    // 8. The class library's release.
    if (!(GridState() == gsColMoving && Button == mbRight)) {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
        // A press that ended without changing the size leaves no sizing behind.
        FColSized = false;
        FRowSized = false;
        const bool covers = C >= 0 && R >= 0 &&
                            ((C < FixedCols() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedColumns)) ||
                             (R < FixedRows() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedRows)));
        if (covers && FControlLook->FixedGradientDownTo() != clNone && R == FixedRows() - 1) RepaintCell(C, R);
        const TGridRect now = Selection();
        if (Differ(now, S)) SelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
    }
}

// --- the double click --------------------------------------------------------------------------

void TExStringGrid::HandleLButtonDblClkMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);

    // 1.
    if (FMouseActions->RangeSelectAndEdit && !HasClickableGraphic(C >= 0 ? Model().RealCol(C) : C, R)) FForceSel = true;
    struct ClearForce {
        bool& f;
        ~ClearForce() { f = false; }
    } clearForce{FForceSel};

    // 2. Right of the last column: the border of the last column can be hit.
    if (C == -1) {
        if (FixedRowAlways) {
            TBaseGrid::WMLButtonDblClk(Message);
            return;
        }
        C = ColCount() - 1;
        R = 0;
    }

    // 3. A double click on a header border sizes the column to its content.
    if (R >= 0 && R < FixedRows() && Options().Contains(goColSizing) && FMouseActions->AutoSizeColOnDblClick) {
        const TRect HR = CellRect(C, R);
        int sized = -1;
        if (std::abs(X - HR.Left) < 4) {
            FDblClk = true;
            if (C - 1 >= FixedCols()) sized = C - 1;
        }
        if (sized < 0 && std::abs(X - HR.Right) < 4 && C >= FixedCols()) {
            FDblClk = true;
            sized = C;
        }
        if (sized >= 0) {
            bool allow = true;
            if (OnColumnSize) OnColumnSize(this, sized, allow);
            if (allow) {
                AutoSizeCol(sized);
                if (OnEndColumnSize) OnEndColumnSize(this, sized);
            }
            FForceSel = false;
            TBaseGrid::WMLButtonDblClk(Message);
            return;
        }
    }

    // 4. Cell buttons and expand buttons take the double click.
    if (C >= 0 && R >= 0) {
        const int rc = Model().RealCol(C);
        if ((HasButton(rc, R) && PtInRect(GraphicRectInCell(C, R), {X, Y})) ||
            (HasExpand(rc, R) && PtInRect(ExpandButtonRect(rc, R), {X, Y})))
            return;
        if (HasClickableGraphic(rc, R)) {
            TBaseGrid::WMLButtonDblClk(Message);
            return;
        }
    }

    // 5. The class library's double click, then the cell's.
    TBaseGrid::WMLButtonDblClk(Message);
    int C1 = -1, R1 = -1;
    MouseToCell(X, Y, C1, R1);
    if (OnDblClickCell) OnDblClickCell(this, R1, C1);

    // 6, 7. Editing on a double click.
    if (C >= 0 && R >= 0) {
        if (FMouseActions->EditOnDblClickOnly()) {
            TFlagSet rangeEdit(FMouseActions->RangeSelectAndEdit, true);
            if (IsEditable(Model().RealCol(C), R)) {
                SetOptions(Options() + goEditing);
                ShowInplaceEdit();
            }
        } else if (FMouseActions->RangeSelectAndEdit && IsEditable(Model().RealCol(C), R) && R >= FixedRows() &&
                   C >= FixedCols()) {
            SetOptions(Options() + goEditing);
            const TPoint b = BaseCell(C, R);
            const TRect br = CellRect(b.X, b.Y);
            MouseDown(mbLeft, {}, br.Left + 4, br.Top + 4);
        }
    }

    // 8. Fixed-cell editors on a double click.
    FForceSel = false;
    if (C >= 0 && R >= 0 && ((R < FixedRows() && FMouseActions->FixedRowsEdit == fceDblClick) ||
                             (C < FixedCols() && FMouseActions->FixedColsEdit == fceDblClick)))
        throw ENotBuilt("fixed cell editor");
}

// --- the right button -----------------------------------------------------------------------

void TExStringGrid::HandleRButtonDownMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;
    FPressSelection = Selection();
    // 1.
    TBaseGrid::WMRButtonDown(Message);
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);

    // 2. Selecting the cell under the right button.
    if (FMouseActions->SelectOnRightClick && C >= 0 && R >= 0 && C >= FixedCols() && R >= FixedRows() &&
        !IsFixed(C, R) && !(FMouseActions->DisjunctCellSelect() && SelectedCells(C, R))) {
        const int rc = Model().RealCol(C);
        // A cell of the selection keeps it (the right button offers the
        // cell only); another cell is clicked or focused.
        const bool selected = IsSelected(C, R);
        if (!selected && !HasClickableGraphic(rc, R)) {
            if (OnRightClickCell) {
                FocusCell(C, R);
            } else {
                MouseDown(mbLeft, {}, X, Y);
                MouseUp(mbLeft, {}, X, Y);
            }
        }
        if (selected) {
            bool canSelect = true;
            if (OnSelectCell) OnSelectCell(this, C, R, canSelect);
        } else {
            const TPoint b = BaseCell(C, R);
            const bool keep = FNavigation->KeepHorizScroll;
            const int left = LeftCol();
            if (keep) StartUpdate();
            MoveCurrent(b.X, b.Y, true, true);
            if (keep) {
                SetLeftCol(left);
                ResetUpdate();
            }
        }
        if (FMouseActions->DisjunctRowSelect()) {
            const int rr = Model().RealRow(R);
            if (Message.Keys.Contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl) {
                SetRowSelect(rr, !RowSelect(rr));
            } else if (RowSelectCount() > 1 && RowSelect(rr)) {
                // A selected row of several keeps them (for a pop-up menu).
            } else {
                ClearRowSelect();
                SetRowSelect(rr, true);
            }
        }
    }

    // 3.
    if (OnRightClickCell) OnRightClickCell(this, R, C);

    // 4. An address cell opens its editor.
    if (C >= 0 && R >= 0 && URLShow && URLEdit && IsURLText(Cells(Model().RealCol(C), R))) {
        MoveCurrent(C, R, true, true);
        ShowEditor();
    }
}

void TExStringGrid::HandleRButtonUpMessage(TWMMouse& Message)
{
    const TCursor sc = ScreenCursor();
    if ((sc == crDrag || sc == crNoDrop) && (GridState() == gsRowMoving || GridState() == gsColMoving) &&
        EnhRowColMove) {
        Message.Result = 0;
        return;
    }
    TBaseGrid::WMRButtonUp(Message);
}
