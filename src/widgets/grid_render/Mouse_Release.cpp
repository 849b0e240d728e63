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

void TExStringGrid::WMLButtonUp(TWMMouse& Message)
{ FParts->Input.HandleLButtonUpMessage(Message); }

void TGridInputPart::HandleLButtonUpMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;

    // 1.
    ColMoveFlg = false;
    ColSizeFlg = false;
    FMouseDown = false;
    FMouseKeepDown = false;
    FMouseSelectMode = TExStringGrid::msNormal;
    bool Deselected = false;
    if (FCtrlDown) {
        FCtrlDown = false;
        if (G.FParts->Edit.FCtrlXY.X >= 0 && G.FParts->Edit.FCtrlXY.Y >= 0)
            G.RepaintCell(G.Model().DisplCol(G.FParts->Edit.FCtrlXY.X), G.FParts->Edit.FCtrlXY.Y);
    }
    FMouseDownMove = false;
    if (G.FParts->FLook == glListView) {
        G.RepaintRow(0);
        if (G.FixedCols() > 0) G.RepaintCol(0);
    }
    FMouseSelectStart = -1;
    if (!G.Designing()) HideMoveArrows();

    // 2. The end of sizing a fixed column or row.
    if (FSizingFixed) {
        FSizeFixed = false;
        FSizingFixed = false;
        G.FParts->Paint.DrawColSizingLine(FSizeFixedX);
        const int col = FSizingFixedCol;
        if (col >= 0 && col < G.ColCount()) {
            int sum = 0;
            for (int i = 0; i < col; ++i) sum += G.ColWidths(i);
            int w = std::max(0, X - sum);
            G.SetColWidths(col, w);
            if (G.OnEndColumnSize) G.OnEndColumnSize(&G, col);
            if (G.OnUpdateColumnSize) {
                G.OnUpdateColumnSize(&G, col, w);
                if (G.ColWidths(col) != w) G.SetColWidths(col, std::max(0, w));
            }
        }
    }
    if (FSizingFixedR) {
        FSizeFixedR = false;
        FSizingFixedR = false;
        G.FParts->Paint.DrawRowSizingLine(FSizeFixedY);
        const int row = FSizingFixedRow;
        if (row >= 0 && row < G.RowCount()) {
            int sum = 0;
            for (int i = 0; i < row; ++i) sum += G.RowHeights(i);
            G.SetRowHeights(row, std::max(0, Y - sum));
            if (G.OnEndRowSize) G.OnEndRowSize(&G, row);
        }
    }

    // 3. A pressed fixed cell comes up again.
    if (FFixedCellPushed) {
        FFixedCellPushed = false;
        if (FPushedCellButton.X >= 0 && FPushedCellButton.Y >= 0)
            G.RepaintCell(FPushedCellButton.X, FPushedCellButton.Y);
    }

    int C = -1, R = -1;
    G.MouseToCell(X, Y, C, R);

    // 4. A pressed cell button.
    if (FPushedCellButton.X >= 0 && FPushedCellButton.Y >= 0) {
        const TPoint p = FPushedCellButton;
        bool Enabled = G.Options().Contains(goEditing);
        if (C >= 0 && R >= 0 && !G.FParts->FControlLook->NoDisabledButtonLook())
            Enabled = G.IsEditable(G.Model().RealCol(p.X), p.Y);
        const bool fixedPushed = p.X < G.FixedCols() || p.Y < G.FixedRows();
        if (Enabled || G.FParts->FControlLook->NoDisabledButtonLook() || fixedPushed) {
            if (!G.IsNode(p.Y)) G.PushButton(p.X, p.Y, false);
            if (C >= 0 && R >= 0) {
                const TPoint b = G.BaseCell(C, R);
                const int brc = G.Model().RealCol(b.X);
                const bool fixedAsButton = G.FixedAsButtons && p.X < G.FixedCols();
                const bool inButton = G.HasButton(brc, b.Y) && PtInRect(G.GraphicRectInCell(b.X, b.Y), {X, Y});
                if (inButton || fixedAsButton || p.Y < G.FixedRows()) G.FireButtonClick(p.X, p.Y);
                const bool inExpand = G.HasExpand(brc, b.Y) && PtInRect(G.ExpandButtonRect(brc, b.Y), {X, Y});
                if (inExpand || fixedAsButton || p.Y < G.FixedRows()) {
                    if (G.HasExpand(G.Model().RealCol(p.X), p.Y)) {
                        const bool expanded = G.ToggleExpand(G.Model().RealCol(p.X), p.Y);
                        G.ExpandCell(p.X, p.Y, expanded);
                    }
                }
            }
        }
        FPushedCellButton = {-1, -1};
    }

    // 5. The sizing hint goes.
    if ((G.Designing() || G.HintShowSizing) && FScrollHintShow) HideSizingHint();

    // 6. A release on a cell button ends here.
    if (C >= 0 && R >= 0) {
        const int rc = G.Model().RealCol(C);
        if ((G.HasButton(rc, R) && PtInRect(G.GraphicRectInCell(C, R), {X, Y})) ||
            (G.HasExpand(rc, R) && PtInRect(G.ExpandButtonRect(rc, R), {X, Y})))
            return;
    }

    // 7. A click on a fixed cell (not on a sizing border).
    const bool SizingCursor = R < G.FixedRows() && C >= 0 && G.Options().Contains(goColSizing) &&
                              G.GridState() == gsColSizing;
    if (G.OnClick && FDoOnClick && !SizingCursor && R >= 0 && C >= 0 && (R < G.FixedRows() || C < G.FixedCols()))
        G.OnClick(&G);
    FDoOnClick = false;
    if (G.GridState() == gsSelecting) {
        G.SetGridState(gsNormal);
        G.Click();
    }

    // 8. A deferred press on a selected cell selects now.
    if (FSelectionClick) {
        FSelectionClick = false;
        if (C >= G.FixedCols() && R >= G.FixedRows()) {
            G.SetSelection(G.Options().Contains(goRowSelect) ? TGridRect{G.FixedCols(), R, G.ColCount() - 1, R}
                                                           : TGridRect{C, R, C, R});
        }
    }

    // 9. Disjunct rows.
    if (G.FParts->FMouseActions->DisjunctRowSelect() && C >= 0 && R >= 0 && (!G.IsNode(R) || C != 0)) {
        if (!(C == 0 && G.FParts->FMouseActions->HotmailRowSelect())) G.SyncRowSelect(false);
        if (R >= G.FixedRows() && R < G.RowCount() - G.FixedFooters && FDeselectState) {
            G.SetRowSelect(G.FParts->FMouseActions->RowSelectPersistent ? G.Model().RealRow(R) : R, false);
            Deselected = true;
        }
        if (G.FParts->FMouseActions->HotmailRowSelect()) G.RepaintCell(0, 0);
        FDeselectState = false;
    }

    // 10. The rows of an expanded group.
    if (R >= 0 && G.IsNode(R) && G.FParts->FGrouping->AutoSelectGroup && C > 0 && !G.GetNodeState(R)) {
        const int span = G.GetNodeSpan(R);
        if (G.FParts->FMouseActions->DisjunctRowSelect()) {
            for (int r = R + 1; r <= R + span - 1 && r < G.RowCount(); ++r) G.SetRowSelect(G.Model().RealRow(r), true);
        } else if (span > 0) {
            G.SetSelection({G.FixedCols(), R, G.ColCount() - 1, std::min(R + span - 1, G.RowCount() - 1)});
        }
    }

    // 11. Disjunct columns.
    if (G.FParts->FMouseActions->DisjunctColSelect()) {
        G.SyncColSelect(false);
        if (C >= G.FixedCols() && C < G.ColCount() - G.FixedRightCols && FDeselectState) G.SetColSelect(C, false);
        FDeselectState = false;
    }

    // 12. The end of a column or row move.
    bool Moved = false;
    EndEnhancedMove(C, R, Moved);

    // 13. The class library's release.
    G.TBaseGrid::WMLButtonUp(Message);
    if (Deselected) G.FParts->Edit.FSelChange = false;
    if (G.GridState() == gsSelecting) G.SetGridState(gsNormal);

    // 14. A resizer drag never starts (see the press).
    FMouseResize = false;

    // 15.
    if (ColMoveFlg || ColSizeFlg || C < 0 || R < 0) return;
    if (C < G.FixedCols() && !G.FParts->FSortSettings->FixedCols) return;

    // 16.
    const int RC = G.Model().RealCol(C);
    if (G.HasCheckBox(RC, R) && G.OnCheckBoxMouseUp) {
        bool state = false;
        G.GetCheckBoxState(RC, R, state);
        G.OnCheckBoxMouseUp(&G, RC, R, state);
    }
    if (G.IsRadio(RC, R) && G.OnRadioMouseUp) {
        int idx = -1;
        G.GetRadioIdx(RC, R, idx);
        G.OnRadioMouseUp(&G, RC, R, idx);
    }

    // 17. The release after a border double click does nothing more.
    if (FDblClk) {
        FDblClk = false;
        return;
    }

    SortOnRelease(C, R, RC, X, Y, Moved, Message.Keys);
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

void TExStringGrid::WMLButtonDblClk(TWMMouse& Message)
{ FParts->Input.HandleLButtonDblClkMessage(Message); }

void TGridInputPart::HandleLButtonDblClkMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;
    int C = -1, R = -1;
    G.MouseToCell(X, Y, C, R);

    // 1.
    if (G.FParts->FMouseActions->RangeSelectAndEdit && !G.HasClickableGraphic(C >= 0 ? G.Model().RealCol(C) : C, R))
        G.FParts->Edit.FForceSel = true;
    struct ClearForce {
        bool& f;
        ~ClearForce() { f = false; }
    } clearForce{G.FParts->Edit.FForceSel};

    // 2. Right of the last column: the border of the last column can be hit.
    if (C == -1) {
        if (G.FixedRowAlways) {
            G.TBaseGrid::WMLButtonDblClk(Message);
            return;
        }
        C = G.ColCount() - 1;
        R = 0;
    }

    // 3. A double click on a header border sizes the column to its content.
    if (R >= 0 && R < G.FixedRows() && G.Options().Contains(goColSizing) &&
        G.FParts->FMouseActions->AutoSizeColOnDblClick) {
        const TRect HR = G.CellRect(C, R);
        int sized = -1;
        if (std::abs(X - HR.Left) < 4) {
            FDblClk = true;
            if (C - 1 >= G.FixedCols()) sized = C - 1;
        }
        if (sized < 0 && std::abs(X - HR.Right) < 4 && C >= G.FixedCols()) {
            FDblClk = true;
            sized = C;
        }
        if (sized >= 0) {
            bool allow = true;
            if (G.OnColumnSize) G.OnColumnSize(&G, sized, allow);
            if (allow) {
                G.AutoSizeCol(sized);
                if (G.OnEndColumnSize) G.OnEndColumnSize(&G, sized);
            }
            G.FParts->Edit.FForceSel = false;
            G.TBaseGrid::WMLButtonDblClk(Message);
            return;
        }
    }

    // 4. Cell buttons and expand buttons take the double click.
    if (C >= 0 && R >= 0) {
        const int rc = G.Model().RealCol(C);
        if ((G.HasButton(rc, R) && PtInRect(G.GraphicRectInCell(C, R), {X, Y})) ||
            (G.HasExpand(rc, R) && PtInRect(G.ExpandButtonRect(rc, R), {X, Y})))
            return;
        if (G.HasClickableGraphic(rc, R)) {
            G.TBaseGrid::WMLButtonDblClk(Message);
            return;
        }
    }

    // 5. The class library's double click, then the cell's.
    G.TBaseGrid::WMLButtonDblClk(Message);
    int C1 = -1, R1 = -1;
    G.MouseToCell(X, Y, C1, R1);
    if (G.OnDblClickCell) G.OnDblClickCell(&G, R1, C1);

    // 6, 7. Editing on a double click.
    if (C >= 0 && R >= 0) {
        if (G.FParts->FMouseActions->EditOnDblClickOnly()) {
            TFlagSet rangeEdit(G.FParts->FMouseActions->RangeSelectAndEdit, true);
            if (G.IsEditable(G.Model().RealCol(C), R)) {
                G.SetOptions(G.Options() + goEditing);
                G.ShowInplaceEdit();
            }
        } else if (G.FParts->FMouseActions->RangeSelectAndEdit && G.IsEditable(G.Model().RealCol(C), R) &&
                   R >= G.FixedRows() && C >= G.FixedCols()) {
            G.SetOptions(G.Options() + goEditing);
            const TPoint b = G.BaseCell(C, R);
            const TRect br = G.CellRect(b.X, b.Y);
            G.MouseDown(mbLeft, {}, br.Left + 4, br.Top + 4);
        }
    }

    // 8. Fixed-cell editors on a double click.
    G.FParts->Edit.FForceSel = false;
    if (C >= 0 && R >= 0 && ((R < G.FixedRows() && G.FParts->FMouseActions->FixedRowsEdit == fceDblClick) ||
                             (C < G.FixedCols() && G.FParts->FMouseActions->FixedColsEdit == fceDblClick)))
        throw ENotBuilt("fixed cell editor");
}

// --- the right button -----------------------------------------------------------------------

void TExStringGrid::WMRButtonDown(TWMMouse& Message)
{ FParts->Input.HandleRButtonDownMessage(Message); }

void TGridInputPart::HandleRButtonDownMessage(TWMMouse& Message)
{
    const int X = Message.XPos, Y = Message.YPos;
    FPressSelection = G.Selection();
    // 1.
    G.TBaseGrid::WMRButtonDown(Message);
    int C = -1, R = -1;
    G.MouseToCell(X, Y, C, R);

    // 2. Selecting the cell under the right button.
    if (G.FParts->FMouseActions->SelectOnRightClick && C >= 0 && R >= 0 && C >= G.FixedCols() && R >= G.FixedRows() &&
        !G.IsFixed(C, R) && !(G.FParts->FMouseActions->DisjunctCellSelect() && G.SelectedCells(C, R))) {
        const int rc = G.Model().RealCol(C);
        // A cell of the selection keeps it (the right button offers the
        // cell only); another cell is clicked or focused.
        const bool selected = G.IsSelected(C, R);
        if (!selected && !G.HasClickableGraphic(rc, R)) {
            if (G.OnRightClickCell) {
                G.FocusCell(C, R);
            } else {
                G.MouseDown(mbLeft, {}, X, Y);
                G.MouseUp(mbLeft, {}, X, Y);
            }
        }
        if (selected) {
            bool canSelect = true;
            if (G.OnSelectCell) G.OnSelectCell(&G, C, R, canSelect);
        } else {
            const TPoint b = G.BaseCell(C, R);
            const bool keep = G.FParts->FNavigation->KeepHorizScroll;
            const int left = G.LeftCol();
            if (keep) G.StartUpdate();
            G.MoveCurrent(b.X, b.Y, true, true);
            if (keep) {
                G.SetLeftCol(left);
                G.ResetUpdate();
            }
        }
        if (G.FParts->FMouseActions->DisjunctRowSelect()) {
            const int rr = G.Model().RealRow(R);
            if (Message.Keys.Contains(ssCtrl) || G.FParts->FMouseActions->DisjunctRowSelectNoCtrl) {
                G.SetRowSelect(rr, !G.RowSelect(rr));
            } else if (G.RowSelectCount() > 1 && G.RowSelect(rr)) {
                // A selected row of several keeps them (for a pop-up menu).
            } else {
                G.ClearRowSelect();
                G.SetRowSelect(rr, true);
            }
        }
    }

    // 3.
    if (G.OnRightClickCell) G.OnRightClickCell(&G, R, C);

    // 4. An address cell opens its editor.
    if (C >= 0 && R >= 0 && G.URLShow && G.URLEdit && IsURLText(G.Cells(G.Model().RealCol(C), R))) {
        G.MoveCurrent(C, R, true, true);
        G.ShowEditor();
    }
}

void TExStringGrid::WMRButtonUp(TWMMouse& Message)
{ FParts->Input.HandleRButtonUpMessage(Message); }

void TGridInputPart::HandleRButtonUpMessage(TWMMouse& Message)
{
    const TCursor sc = ScreenCursor();
    if ((sc == crDrag || sc == crNoDrop) && (G.GridState() == gsRowMoving || G.GridState() == gsColMoving) &&
        G.EnhRowColMove) {
        Message.Result = 0;
        return;
    }
    G.TBaseGrid::WMRButtonUp(Message);
}
