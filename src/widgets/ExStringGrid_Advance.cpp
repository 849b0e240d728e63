// TExStringGrid: the move to the next cell after Enter or an edit
// (AdvanceCell), the grid's character step (KeyPress), stepping to the next
// inline control of a cell, and keeping the last row clear of the search
// footer.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/Editor_Text.h"

#include "platform/DrawText.h"
#include "platform/SysUtils.h"

#include <algorithm>

// --- navigation bounds -------------------------------------------------------------------------

int TGridInputPart::FirstNavigableCol() const
{
    if (G.FixedCols() == 0 && G.FModel->FNodeCount > 0) return 1;
    return G.FixedCols();
}

int TGridInputPart::VisibleFixedRightCols() const
{
    int n = 0;
    for (int d = G.ColCount() - G.FixedRightCols; d < G.ColCount(); ++d)
        if (d >= 0 && !G.IsHiddenColumn(G.Model().RealCol(d))) ++n;
    return n;
}

bool TExStringGrid::IsEditable(int ACol, int ARow)
{
    if (!(Options().Contains(goEditing) || FParts->FMouseActions->RangeSelectAndEdit || FParts->FEditDisable)) return false;
    const TPoint b = IsMergedNonBaseCell(ACol, ARow) ? BaseCell(ACol, ARow) : TPoint{ACol, ARow};
    bool canEdit = true;
    CanEditCell(b.X, b.Y, canEdit);
    bool fixed = false;
    IsFixedCell(b.X, b.Y, fixed);
    return canEdit && !fixed;
}

// --- AdvanceCell ------------------------------------------------------------------------------

void TExStringGrid::AdvanceCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Retry,
                                bool DoEdit)
{
    if (!FParts->FNavigation->AdvanceOnEnter && !Force) return;
    if (FParts->FMouseActions->RangeSelectAndEdit && !Options().Contains(goEditing)) SetOptions(Options() + goEditing);

    // Stepping past cells that may not be edited is bounded: once every
    // cell of the grid was tried, the move ends where it started.
    const long long limit = static_cast<long long>(std::max(RowCount(), 1)) * std::max(ColCount(), 1) + 1;
    long long tries = 0;

    for (;;) {
        if (!Retry) {
            FParts->Input.FAdvanceStartCol = ACol;
            FParts->Input.FAdvanceStartRow = ARow;
        }
        const int c0 = ACol;
        const int r0 = ARow;
        const TPoint span = CellSpan(ACol, ARow);
        const TAdvanceDirection dir = FParts->FNavigation->AdvanceDirection();
        const int lastNormal = RowCount() - FixedFooters - 1;

        if (Forward && (dir == adLeftRight || dir == adLeftRightInRow)) {
            if (ACol + span.X < ColCount() - FParts->Input.VisibleFixedRightCols() - 1) {
                ACol += span.X + 1;
            } else if (dir == adLeftRightInRow) {
                if (FParts->FNavigation->AdvanceOnEnterLoop) ACol = FParts->Input.FirstNavigableCol();
            } else if (RowCount() - FixedFooters != ARow + 1) {
                ++ARow;
                ACol = FParts->Input.FirstNavigableCol();
            } else if (FParts->FNavigation->AdvanceInsert()) {
                bool canAdd = true;
                FireCanAddRow(canAdd);
                ACol = FParts->Input.FirstNavigableCol();
                if (canAdd) {
                    AddRow();
                    ++ARow;
                    if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters - 1);
                    bool any = false;
                    for (int c = FixedCols(); c < ColCount() && !any; ++c) any = IsEditable(Model().RealCol(c), ARow);
                    if (!any) return;
                }
            } else if (FParts->FNavigation->AdvanceOnEnterLoop) {
                ARow = FixedRows();
                ACol = FParts->Input.FirstNavigableCol();
            }
        } else if (Forward) {
            if (ARow != lastNormal) {
                ++ARow;
            } else if (dir == adTopBottomInCol) {
                ARow = FixedRows();
            } else if (ACol + 1 != ColCount() - FixedRightCols) {
                ARow = FixedRows();
                ++ACol;
                if (ACol >= ColCount() - FixedRightCols) ACol = FParts->Input.FirstNavigableCol();
                Invalidate();
            } else if (FParts->FNavigation->AdvanceInsert()) {
                SetColCount(ColCount() + 1);
                ACol += span.X + 1;
                ARow = FixedRows();
                if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - FixedRightCols - 1);
                Invalidate();
            } else {
                ARow = FixedRows();
                ACol = FParts->Input.FirstNavigableCol();
                Invalidate();
            }
        } else if (dir == adLeftRight) {
            if (ACol > FParts->Input.FirstNavigableCol()) {
                --ACol;
            } else {
                ARow = ARow > FixedRows() ? ARow - 1 : lastNormal;
                ACol = ColCount() - FixedRightCols - 1;
            }
        } else if (dir == adTopBottom) {
            if (ARow > FixedRows()) {
                --ARow;
            } else {
                ACol = ACol > FParts->Input.FirstNavigableCol() ? ACol - 1 : ColCount() - FixedRightCols - 1;
                ARow = lastNormal;
            }
        }

        const int rc = Model().RealCol(ACol);
        bool canEdit = true;
        CanEditCell(rc, ARow, canEdit);

        if (canEdit) {
            bool allow = true;
            int newRow = ARow;
            int newCol = ACol;
            if (OnAutoAdvance) OnAutoAdvance(this, FParts->Input.FAdvanceStartRow, FParts->Input.FAdvanceStartCol, newRow, newCol, allow);
            ARow = newRow;
            ACol = newCol;
            FParts->Input.FAdvanceChangesDisabled = true;
            if (allow) {
                if (OnCellChanging) OnCellChanging(this, FParts->Input.FAdvanceStartRow, FParts->Input.FAdvanceStartCol, ARow, ACol, allow);
                if (allow) {
                    SetCol(ACol);
                    SetRow(ARow);
                } else {
                    SelectCell(c0, r0);
                }
            } else {
                SelectCell(c0, r0);
            }
            FParts->Input.FAdvanceChangesDisabled = false;
        } else if (FParts->FNavigation->AdvanceSkipReadOnlyCells) {
            if (++tries >= limit) return;
            Retry = true;
            continue;
        } else {
            SetCol(ACol);
            SetRow(ARow);
        }

        if (!DoEdit) return;

        const bool clickable = HasClickableGraphic(rc, ARow);
        if ((AutoEdit && FParts->FNavigation->AdvanceAutoEdit) || clickable) {
            if (!IsEditable(rc, ARow)) return;
            // The editor of the new current cell (cells with a clickable
            // graphic are clicked, not edited).
            if (!HasClickableGraphic(Model().RealCol(Col()), Row())) ShowEditor();
            if (clickable) {
                FParts->Input.FAdvanceChangesDisabled = true;
                MoveCurrentCell(c0, r0);
                MoveCurrentCell(ACol, ARow);
                if (!HasClickableGraphic(Model().RealCol(c0), r0)) {
                    const TRect r = CellRect(ACol, ARow);
                    MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
                    MouseUp(mbLeft, {}, r.Left + 2, r.Top + 2);
                    if (dir != adLeftRight) HideEditor();
                }
                FParts->Input.FAdvanceChangesDisabled = false;
                bool allow = true;
                if (OnCellChanging) OnCellChanging(this, r0, c0, Row(), Col(), allow);
                TEditorType e = DefaultEditor;
                GetCellEditor(Model().RealCol(c0), r0, e);
                // Only the plain text kinds keep the editor open (not edValidChars).
                if (e == edValidChars || !IsTextEditorKind(e)) HideEditor();
            }
        }
        if (FParts->FMouseActions->DisjunctRowSelect()) {
            ClearRowSelect();
            SetRowSelect(Row(), true);
        }
        return;
    }
}

// --- KeyPress -----------------------------------------------------------------------------------

int TExStringGrid::Search(const std::string& AText)
{
    if (RowCount() < 2) return -1;
    int col = FixedCols();
    if (FParts->FSortSettings->Show()) {
        if (FParts->FSortSettings->IndexShow)
            col = FModel->FSortIndexes.Count() > 0 ? FModel->FSortIndexes.GetSortColumns(0) : FixedCols();
        else
            col = FParts->FSortSettings->Column;
    }
    if (col < 0) return -1;
    const int n = Utf8Length(AText);
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const std::string text = StrippedCells(col, r);
        std::string head;
        int taken = 0;
        for (size_t i = 0; i < text.size() && taken < n; ++taken) {
            const int len = Utf8CharLength(text, i);
            head += text.substr(i, static_cast<size_t>(len));
            i += static_cast<size_t>(len);
        }
        if (AnsiUpperCase(head) == AText) return r;
    }
    return -1;
}

void TExStringGrid::KeyPress(TKeyChar& Key)
{
    if (Key == 27) {
        if (Options().Contains(goEditing) && EditorMode()) RestoreCellCache();
        TBaseGrid::KeyPress(Key);
        return;
    }
    const int rc = Model().RealCol(Col());
    if (Key == u'\r' && !FParts->FNavigation->AdvanceOnEnter && !IsEditable(rc, Row())) {
        TBaseGrid::KeyPress(Key);
        Key = 0;
        return;
    }
    if (Key == u'\r' && (!Focused() || HasClickableGraphic(rc, Row()))) {
        AdvanceCell(Col(), Row(), false, false, true, false, EditorMode());
        if (!FParts->FNavigation->AdvanceAutoEdit) {
            TBaseGrid::KeyPress(Key);
            Key = 0;
            return;
        }
        if (HasClickableGraphic(rc, Row())) {
            TBaseGrid::KeyPress(Key);
            if (FParts->FNavigation->AdvanceOnEnter && !HasClickableGraphic(Model().RealCol(Col()), Row())) ShowEditor();
            return;
        }
    }
    if (!Options().Contains(goEditing) && FParts->FNavigation->AutoGotoWhenSorted) {
        const std::string ch = WideToUtf8(WideString(1, Key));
        if (FParts->FNavigation->AutoGotoIncremental) {
            if (Key == 8) {
                if (!FParts->Input.FSearchText.empty()) {
                    size_t i = FParts->Input.FSearchText.size() - 1;
                    while (i > 0 && (static_cast<unsigned char>(FParts->Input.FSearchText[i]) & 0xC0) == 0x80) --i;
                    FParts->Input.FSearchText.erase(i);
                }
            } else {
                FParts->Input.FSearchText += ch;
            }
            // The idle time of the search text runs from this key.
            FParts->Input.IncrementalSearchTicks = 0;
        } else {
            FParts->Input.FSearchText = ch;
        }
        const int r = Search(AnsiUpperCase(FParts->Input.FSearchText));
        if (r == -1)
            FParts->Input.FSearchText.clear();
        else
            SetRow(r);
    }
    // A check box, radio or button takes its keys at key-down; a typed
    // character (Space above all) must not put the cell into edit mode as
    // well, or the cell shows an empty editing face over its glyph.
    if (Key != u'\r' && Options().Contains(goEditing) && !EditorMode()) {
        const TPoint b = BaseCell(rc, Row());
        if (HasClickableGraphic(b.X, b.Y)) {
            if (OnKeyPress) OnKeyPress(this, Key);
            Key = 0;
            return;
        }
    }
    TBaseGrid::KeyPress(Key);
}

// --- inline controls -----------------------------------------------------------------------------

void TExStringGrid::EditCellControl(int ACol, int ARow, const std::string& ID)
{
    const int rc = Model().RealCol(ACol);
    const std::string text = Cells(rc, ARow);
    const std::string id = HTMLNextEditControlID(text, ID);
    if (id.empty()) {
        if (Host()) Host()->SetFocus();
        return;
    }
    TRect r = CellRect(ACol, ARow);
    const int dx = XYOffset.X + 1 + (HasCheckBox(rc, ARow) && FParts->FControlLook ? FParts->FControlLook->CheckSize() : 0);
    r.Left += dx;
    r.Right += dx;
    r.Top += XYOffset.Y + 1;
    r.Bottom += XYOffset.Y + 1;
    THTMLDrawArgs a;
    a.LocateControl = true;
    a.MeasureOnly = true;
    a.ControlId = id;
    a.Images = GetGridImages();
    a.AnchorColor = URLColor;
    DrawHTMLText(*Canvas(), text, r, a);
    StartCellControlEdit(text, a.ControlType, id, a.ControlValue, a.ControlBounds, ACol, rc, ARow);
}

// --- the search footer ---------------------------------------------------------------------------

bool TExStringGrid::LastRowAboveFooter()
{
    if (!FParts->FSearchFooter->Visible()) return false;
    if (TopRow() + VisibleRowCount() < RowCount() - 1) return false;
    return CellRect(0, RowCount() - 1).Bottom < ClientHeight() - FParts->FSearchPanel->Height + 2;
}

void TExStringGrid::ScrollAboveFooter()
{
    if (!FParts->FSearchFooter->Visible()) return;
    const int footer = FParts->FSearchPanel->Height;
    if (ClientHeight() <= DefaultRowHeight() + footer) return;
    while (CellRect(0, RowCount() - 1).Bottom > ClientHeight() - footer + 2 && Row() <= RowCount() - 1 &&
           TopRow() < RowCount()) {
        const int top = TopRow();
        SetTopRow(top + 1);
        if (TopRow() == top) break; // the view cannot scroll further
    }
}
