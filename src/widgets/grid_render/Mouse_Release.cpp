// TExStringGrid: the end of a mouse press, the double click and the right
// button. The release ends the sizing of fixed columns and rows, releases
// pressed buttons and fixed cells, completes deferred and disjunct
// selections, ends a column or row move and sorts on a header click; the
// double click sizes a column on a header border, reports the cell and may
// edit it; the right button may select the cell before OnRightClickCell.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
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
    FParts->Input.ColMoveFlg = false;
    FParts->Input.ColSizeFlg = false;
    FParts->Input.FMouseDown = false;
    FParts->Input.FMouseKeepDown = false;
    FParts->Input.FMouseSelectMode = msNormal;
    bool Deselected = false;
    if (FParts->Input.FCtrlDown) {
        FParts->Input.FCtrlDown = false;
        if (FParts->Input.FCtrlXY.X >= 0 && FParts->Input.FCtrlXY.Y >= 0) RepaintCell(Model().DisplCol(FParts->Input.FCtrlXY.X), FParts->Input.FCtrlXY.Y);
    }
    FParts->Input.FMouseDownMove = false;
    if (FParts->FLook == glListView) {
        RepaintRow(0);
        if (FixedCols() > 0) RepaintCol(0);
    }
    FParts->Input.FMouseSelectStart = -1;
    if (!Designing()) FParts->Input.HideMoveArrows();

    // 2. The end of sizing a fixed column or row.
    if (FParts->Input.FSizingFixed) {
        FParts->Input.FSizeFixed = false;
        FParts->Input.FSizingFixed = false;
        DrawColSizingLine(FParts->Input.FSizeFixedX);
        const int col = FParts->Input.FSizingFixedCol;
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
    if (FParts->Input.FSizingFixedR) {
        FParts->Input.FSizeFixedR = false;
        FParts->Input.FSizingFixedR = false;
        DrawRowSizingLine(FParts->Input.FSizeFixedY);
        const int row = FParts->Input.FSizingFixedRow;
        if (row >= 0 && row < RowCount()) {
            int sum = 0;
            for (int i = 0; i < row; ++i) sum += RowHeights(i);
            SetRowHeights(row, std::max(0, Y - sum));
            if (OnEndRowSize) OnEndRowSize(this, row);
        }
    }

    // 3. A pressed fixed cell comes up again.
    if (FParts->Input.FFixedCellPushed) {
        FParts->Input.FFixedCellPushed = false;
        if (FParts->Input.FPushedCellButton.X >= 0 && FParts->Input.FPushedCellButton.Y >= 0)
            RepaintCell(FParts->Input.FPushedCellButton.X, FParts->Input.FPushedCellButton.Y);
    }

    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);

    // 4. A pressed cell button.
    if (FParts->Input.FPushedCellButton.X >= 0 && FParts->Input.FPushedCellButton.Y >= 0) {
        const TPoint p = FParts->Input.FPushedCellButton;
        bool Enabled = Options().Contains(goEditing);
        if (C >= 0 && R >= 0 && !FParts->FControlLook->NoDisabledButtonLook()) Enabled = IsEditable(Model().RealCol(p.X), p.Y);
        const bool fixedPushed = p.X < FixedCols() || p.Y < FixedRows();
        if (Enabled || FParts->FControlLook->NoDisabledButtonLook() || fixedPushed) {
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
        FParts->Input.FPushedCellButton = {-1, -1};
    }

    // 5. The sizing hint goes.
    if ((Designing() || HintShowSizing) && FParts->Input.FScrollHintShow) FParts->Input.HideSizingHint();

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
    if (OnClick && FParts->Input.FDoOnClick && !SizingCursor && R >= 0 && C >= 0 && (R < FixedRows() || C < FixedCols()))
        OnClick(this);
    FParts->Input.FDoOnClick = false;
    if (GridState() == gsSelecting) {
        SetGridState(gsNormal);
        Click();
    }

    // 8. A deferred press on a selected cell selects now.
    if (FParts->Input.FSelectionClick) {
        FParts->Input.FSelectionClick = false;
        if (C >= FixedCols() && R >= FixedRows()) {
            SetSelection(Options().Contains(goRowSelect) ? TGridRect{FixedCols(), R, ColCount() - 1, R}
                                                           : TGridRect{C, R, C, R});
        }
    }

    // 9. Disjunct rows.
    if (FParts->FMouseActions->DisjunctRowSelect() && C >= 0 && R >= 0 && (!IsNode(R) || C != 0)) {
        if (!(C == 0 && FParts->FMouseActions->HotmailRowSelect())) SyncRowSelect(false);
        if (R >= FixedRows() && R < RowCount() - FixedFooters && FParts->Input.FDeselectState) {
            SetRowSelect(FParts->FMouseActions->RowSelectPersistent ? Model().RealRow(R) : R, false);
            Deselected = true;
        }
        if (FParts->FMouseActions->HotmailRowSelect()) RepaintCell(0, 0);
        FParts->Input.FDeselectState = false;
    }

    // 10. The rows of an expanded group.
    if (R >= 0 && IsNode(R) && FParts->FGrouping->AutoSelectGroup && C > 0 && !GetNodeState(R)) {
        const int span = GetNodeSpan(R);
        if (FParts->FMouseActions->DisjunctRowSelect()) {
            for (int r = R + 1; r <= R + span - 1 && r < RowCount(); ++r) SetRowSelect(Model().RealRow(r), true);
        } else if (span > 0) {
            SetSelection({FixedCols(), R, ColCount() - 1, std::min(R + span - 1, RowCount() - 1)});
        }
    }

    // 11. Disjunct columns.
    if (FParts->FMouseActions->DisjunctColSelect()) {
        SyncColSelect(false);
        if (C >= FixedCols() && C < ColCount() - FixedRightCols && FParts->Input.FDeselectState) SetColSelect(C, false);
        FParts->Input.FDeselectState = false;
    }

    // 12. The end of a column or row move.
    bool Moved = false;
    FParts->Input.EndEnhancedMove(C, R, Moved);

    // 13. The class library's release.
    TBaseGrid::WMLButtonUp(Message);
    if (Deselected) FParts->Edit.FSelChange = false;
    if (GridState() == gsSelecting) SetGridState(gsNormal);

    // 14. A resizer drag never starts (see the press).
    FParts->Input.FMouseResize = false;

    // 15.
    if (FParts->Input.ColMoveFlg || FParts->Input.ColSizeFlg || C < 0 || R < 0) return;
    if (C < FixedCols() && !FParts->FSortSettings->FixedCols) return;

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
    if (FParts->Input.FDblClk) {
        FParts->Input.FDblClk = false;
        return;
    }

    FParts->Input.SortOnRelease(C, R, RC, X, Y, Moved, Message.Keys);
}

void TGridInputPart::EndEnhancedMove(int C, int R, bool& Moved)
{
    const TCursor sc = ScreenCursor();
    if (!((sc == crDrag || sc == crNoDrop) && (G.GridState() == gsRowMoving || G.GridState() == gsColMoving) &&
          G.EnhRowColMove))
        return;
    if (FMoveButton) {
        FMoveButton->SetEnabled(false);
        FMoveButton->SetVisible(false);
    }
    G.FireEndBlockFocus(G.Row());
    const bool Drop = sc != crNoDrop;
    SetScreenCursor(crDefault);
    G.FParts->FCursor = G.FParts->FOldCursor;
    if (G.Host()) G.Host()->SetCursor(G.FParts->FCursor);
    if (Drop) {
        if (G.GridState() == gsColMoving && Movecell >= 0 && C >= G.FixedCols() && C != Movecell && C < G.ColCount())
            G.MoveColumn(Movecell, C);
        else if (G.GridState() == gsRowMoving && Movecell >= 0 && R >= G.FixedRows() && R != Movecell && R < G.RowCount())
            G.MoveRow(Movecell, R);
    } else if (G.GridState() == gsColMoving) {
        G.RepaintRow(0);
    } else {
        G.RepaintCol(0);
    }
    G.KillTimer(1);
    G.SetGridState(gsNormal);
    Moved = true;
}

void TGridInputPart::SortOnRelease(int C, int R, int RC, int X, int Y, bool Moved, TShiftState Keys)
{
    bool DoSort = true;
    // 18. A release on a header border or a header glyph does not sort.
    const TRect HR = G.CellRect(C, R);
    if (R == 0 && G.Options().Contains(goColSizing) && (std::abs(X - HR.Left) < 4 || std::abs(X - HR.Right) < 4))
        return;
    int CC = -1, CR = -1;
    G.MouseToCell(Clickposx, Clickposy, CC, CR);
    if (G.FParts->FControlLook->FixedDropDownButton && G.FireCanShowFixedDropDown(RC) && X > HR.Right - 16) return;
    if (X > HR.Right - 16 && R == G.FilterDropDownRow && G.GetColumnFilter(RC)) return;

    // 19.
    const bool sortPlace = R == CR && R == G.FParts->FSortSettings->Row() && G.FixedRows() > 0 && !G.IsInCheckBox(RC, R, X, Y) &&
                           G.FParts->FSortSettings->Show() && !Moved && G.RowCount() > 2;
    if (sortPlace) {
        if (G.IsIgnoredColumn(RC)) DoSort = false;
        if (G.OnCanSort) G.OnCanSort((&G), RC, DoSort);
    }

    // 20.
    if (sortPlace && DoSort) {
        G.HideInplaceEdit();
        if (G.RowCount() != G.FModel->FSortRowXRef.Count()) G.InitSortXRef();
        if (G.FParts->FSortSettings->AutoColumnMerge) G.FParts->SplitAllColumnCells();
        const bool keep = G.FParts->FNavigation->KeepHorizScroll && G.Options().Contains(goRowSelect);
        const int left = G.LeftCol();
        if (G.FParts->FSortSettings->IndexShow) {
            TSortIndexList& list = G.FModel->FSortIndexes;
            const bool keyDown = G.FParts->FSortSettings->IndexSortKey == ikShift ? Keys.Contains(ssShift) : Keys.Contains(ssCtrl);
            const bool ascending = G.FParts->FSortSettings->InitSortDirection == sdAscending;
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
            if (keep) G.BeginUpdate();
            if (G.HasNodes())
                G.QSortGroupIndexed();
            else
                G.QSortIndexed();
            G.FParts->FSortSettings->Column = list.Count() > 0 ? list.GetSortColumns(0) : -1;
            G.SortTime = TickClock().TickCount() - start;
            if (keep) {
                G.SetLeftCol(left);
                G.EndUpdate();
            }
        } else {
            bool Undo = false;
            if (G.FParts->FSortSettings->Column == RC) {
                Undo = G.FParts->FSortSettings->Direction != G.FParts->FSortSettings->InitSortDirection && G.FParts->FSortSettings->UndoSort;
                G.FParts->FSortSettings->ToggleDirection();
            } else {
                G.FParts->FSortSettings->Direction = G.FParts->FSortSettings->InitSortDirection;
                G.FParts->FSortSettings->Column = RC;
            }
            const auto start = TickClock().TickCount();
            if (keep) G.BeginUpdate();
            if (G.HasNodes()) {
                G.QSortGroup();
            } else if (Undo) {
                G.QUnSort();
                G.FParts->FSortSettings->Column = -1;
            } else {
                G.QSort();
            }
            G.SortTime = TickClock().TickCount() - start;
            if (keep) {
                G.SetLeftCol(left);
                G.EndUpdate();
            }
        }
        if (G.FParts->FSortSettings->AutoColumnMerge) G.FParts->RemergeColumns();
        if (G.FParts->FControlList.Count() > 0) G.CellControlsUpdate(false);
        G.FireClickSort(G.FParts->FSortSettings->Column);
        return;
    }

    // 21.
    if (!sortPlace && !DoSort && G.FParts->FSortSettings->Row() < G.RowCount()) G.RepaintCell(C, G.FParts->FSortSettings->Row());
    if (sortPlace && !DoSort) G.RepaintCell(C, G.FParts->FSortSettings->Row());
}

// --- the dynamic release ---------------------------------------------------------------------

void TExStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // 1. (Nothing is designed here.)
    // 2.
    const bool Notify = Button == mbLeft || (Button == mbRight && FParts->FMouseActions->SelectOnRightClick);
    const TGridRect S = Selection();
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    const int RC = C >= 0 ? Model().RealCol(C) : -1;

    // 3. The header filter drop-down.
    if (R >= 0 && C >= 0 && R == FilterDropDownRow && RC != FilterDropColumn()) {
        const TRect HR = CellRect(C, R);
        if (HR.Right - 16 < X && X < HR.Right - 3 && Y < HR.Top + 19 && GetColumnFilter(RC)) {
            SetFilterDropColumn(RC);
            TDropList& list = FilterDropDownCheck ? static_cast<TDropList&>(*FParts->FFilterDropCheckList) : *FParts->FFilterDropList;
            list.Items().Clear();
            TCanvas& cv = *Canvas();
            cv.Font().Assign(FParts->FFilterDropDown->Font());
            int maxW = 0;
            for (int i = 0; i < FParts->FFilterList.Count(); ++i) {
                const std::string v = FParts->FFilterList.Strings(i);
                const size_t eq = v.find('=');
                std::string text = eq == std::string::npos ? v : v.substr(0, eq);
                if (FilterDropDownCheck) {
                    if (text.find(' ') != std::string::npos && !(text.size() >= 2 && text.front() == '"' &&
                                                                 text.back() == '"'))
                        text = "\"" + text + "\"";
                    const int idx = list.Items().Add(text);
                    for (int f = 0; f < FParts->FFilter->Count(); ++f) {
                        const TFilterData* fd = FParts->FFilter->GetItem(f);
                        if (fd->Condition == text && fd->Column == RC)
                            FParts->FFilterDropCheckList->SetChecked(idx, true);
                    }
                } else {
                    list.Items().Add(text);
                    list.SetItemIndex(0);
                }
                maxW = std::max(maxW, cv.TextWidth(text) + 8);
            }
            if (FParts->FFilterDropDown->AutoSize) {
                list.Height = list.Items().Count() * list.ItemHeight + 2 * 2;
                list.Width = maxW + 2 * 2;
            } else {
                list.Width = FParts->FFilterDropDown->Width;
                list.Height = FParts->FFilterDropDown->Height;
            }
            list.Top = HR.Top + 16;
            list.Left = HR.Right - 16;
            if (FParts->FFilterDropDown->ColumnWidth) {
                list.Left = HR.Left;
                list.Width = HR.Right - HR.Left;
            }
            if (list.Left + list.Width > ClientWidth())
                list.Left = std::max(0, CellRect(C, 0).Right - list.Width);
            list.SetVisible(true);
        }
    } else if (R != FilterDropDownRow || RC == FilterDropColumn()) {
        if (FParts->FFilterDropList->Visible()) FParts->FFilterDropList->SetVisible(false);
        SetFilterDropColumn(-1);
    }

    // 4.
    FParts->Input.FDropDownDown = false;

    // 5. A sizing released outside the grid is cancelled.
    if ((GridState() == gsColSizing && X > ClientWidth()) || (GridState() == gsRowSizing && Y > ClientHeight())) {
        SetGridState(gsNormal);
        FParts->Input.FColSized = false;
        FParts->Input.FRowSized = false;
        Invalidate();
        return;
    }

    // 6. Disjunct cells.
    if (FParts->FMouseActions->DisjunctCellSelect() && Button == mbLeft && C >= 0 && R >= 0) {
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
    if (Notify && Differ(S, FParts->Input.FPressSelection)) SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
    FParts->Input.FPressSelection = S;

    // 8. The class library's release.
    if (!(GridState() == gsColMoving && Button == mbRight)) {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
        // A press that ended without changing the size leaves no sizing behind.
        FParts->Input.FColSized = false;
        FParts->Input.FRowSized = false;
        const bool covers = C >= 0 && R >= 0 &&
                            ((C < FixedCols() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedColumns)) ||
                             (R < FixedRows() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedRows)));
        if (covers && FParts->FControlLook->FixedGradientDownTo() != clNone && R == FixedRows() - 1) RepaintCell(C, R);
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
    if (FParts->FMouseActions->RangeSelectAndEdit && !HasClickableGraphic(C >= 0 ? Model().RealCol(C) : C, R)) FParts->Edit.FForceSel = true;
    struct ClearForce {
        bool& f;
        ~ClearForce() { f = false; }
    } clearForce{FParts->Edit.FForceSel};

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
    if (R >= 0 && R < FixedRows() && Options().Contains(goColSizing) && FParts->FMouseActions->AutoSizeColOnDblClick) {
        const TRect HR = CellRect(C, R);
        int sized = -1;
        if (std::abs(X - HR.Left) < 4) {
            FParts->Input.FDblClk = true;
            if (C - 1 >= FixedCols()) sized = C - 1;
        }
        if (sized < 0 && std::abs(X - HR.Right) < 4 && C >= FixedCols()) {
            FParts->Input.FDblClk = true;
            sized = C;
        }
        if (sized >= 0) {
            bool allow = true;
            if (OnColumnSize) OnColumnSize(this, sized, allow);
            if (allow) {
                AutoSizeCol(sized);
                if (OnEndColumnSize) OnEndColumnSize(this, sized);
            }
            FParts->Edit.FForceSel = false;
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
        if (FParts->FMouseActions->EditOnDblClickOnly()) {
            TFlagSet rangeEdit(FParts->FMouseActions->RangeSelectAndEdit, true);
            if (IsEditable(Model().RealCol(C), R)) {
                SetOptions(Options() + goEditing);
                ShowInplaceEdit();
            }
        } else if (FParts->FMouseActions->RangeSelectAndEdit && IsEditable(Model().RealCol(C), R) && R >= FixedRows() &&
                   C >= FixedCols()) {
            SetOptions(Options() + goEditing);
            const TPoint b = BaseCell(C, R);
            const TRect br = CellRect(b.X, b.Y);
            MouseDown(mbLeft, {}, br.Left + 4, br.Top + 4);
        }
    }

    // 8. Fixed-cell editors on a double click.
    FParts->Edit.FForceSel = false;
    if (C >= 0 && R >= 0 && ((R < FixedRows() && FParts->FMouseActions->FixedRowsEdit == fceDblClick) ||
                             (C < FixedCols() && FParts->FMouseActions->FixedColsEdit == fceDblClick)))
        throw ENotBuilt("fixed cell editor");
}

// --- the right button -----------------------------------------------------------------------

void TExStringGrid::HandleRButtonDownMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;
    FParts->Input.FPressSelection = Selection();
    // 1.
    TBaseGrid::WMRButtonDown(Message);
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);

    // 2. Selecting the cell under the right button.
    if (FParts->FMouseActions->SelectOnRightClick && C >= 0 && R >= 0 && C >= FixedCols() && R >= FixedRows() &&
        !IsFixed(C, R) && !(FParts->FMouseActions->DisjunctCellSelect() && SelectedCells(C, R))) {
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
            const bool keep = FParts->FNavigation->KeepHorizScroll;
            const int left = LeftCol();
            if (keep) StartUpdate();
            MoveCurrent(b.X, b.Y, true, true);
            if (keep) {
                SetLeftCol(left);
                ResetUpdate();
            }
        }
        if (FParts->FMouseActions->DisjunctRowSelect()) {
            const int rr = Model().RealRow(R);
            if (Message.Keys.Contains(ssCtrl) || FParts->FMouseActions->DisjunctRowSelectNoCtrl) {
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
