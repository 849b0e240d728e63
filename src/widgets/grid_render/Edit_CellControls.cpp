// TExStringGrid: editing the inline EDIT, PASSWORD, MASK and COMBO controls
// of a cell's mini-HTML in an edit box or combo box placed over them, the
// key handling of those two editors, and keeping the controls placed on
// cells (CellControls) on their cells while the grid scrolls and sizes.

#include "widgets/grid_render/Editor_InlineControls.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/ExStringGrid.h"
#include "widgets/GridControlLook.h"
#include "widgets/grid_render/Html_Render.h"

#include "platform/GridView.h"
#include "platform/Input.h"

#include <algorithm>

namespace {

constexpr char32_t kEnter = 13;
constexpr char32_t kTab = 9;

// Enter and Tab in an inline editor: the edit ends (the exit handler writes
// the value back); Enter gives the focus back to the grid, Tab moves on to
// the next cell with the grid's automatic advance, else to the next inline
// edit or combo control of the cell (the grid takes the focus when there
// is none).
bool EditorKey(TExStringGrid& g, TControl& editor, char32_t& Key)
{
    if (Key != kEnter && Key != kTab) return false;
    const bool tab = Key == kTab;
    Key = 0;
    if (editor.OnExit) editor.OnExit(&editor);
    if (!tab) {
        g.SetFocus();
        return true;
    }
    if (g.Navigation().AdvanceAuto()) {
        g.SetFocus();
        g.AdvanceCell(g.Col(), g.Row(), false, true, true, false, true);
    } else {
        g.EditCellControl(g.Col(), g.Row(), g.CtrlID());
    }
    return true;
}

} // namespace

// --- the editors -------------------------------------------------------------------------------

TControlEdit::TControlEdit(TExStringGrid* grid, TWinControl* parent) : TCustomMaskEdit(parent), FGrid(grid) {}

TControlEdit::~TControlEdit()
{
    if (FGrid && FGrid->Parts().Edit.FCellControlEditors) FGrid->Parts().Edit.FCellControlEditors->Forget(this);
}

void TControlEdit::KeyDown(int& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyDown(Key, Shift);
    // The edit box takes Tab as a character (the window does not move the
    // focus on).
    if (Key == VK_TAB && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
        char32_t k = kTab;
        KeyPress(k);
        Key = 0;
    }
}

void TControlEdit::KeyPress(char32_t& Key)
{
    if (FGrid && EditorKey(*FGrid, *this, Key)) return;
    TCustomMaskEdit::KeyPress(Key);
}

TControlCombo::TControlCombo(TExStringGrid* grid, TWinControl* parent) : TEsgComboBox(parent), FGrid(grid) {}

TControlCombo::~TControlCombo()
{
    if (FGrid && FGrid->Parts().Edit.FCellControlEditors) FGrid->Parts().Edit.FCellControlEditors->Forget(this);
}

void TControlCombo::KeyDown(int& Key, TShiftState Shift)
{
    TEsgComboBox::KeyDown(Key, Shift);
    if (Key == VK_TAB && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
        char32_t k = kTab;
        KeyPress(k);
        Key = 0;
    } else if (Key == VK_RETURN && !DroppedDown()) {
        // A drop-down list has no field that would type the character: the
        // key is taken here as the character it is.
        char32_t k = kEnter;
        KeyPress(k);
        Key = 0;
    }
}

void TControlCombo::KeyPress(char32_t& Key)
{
    if (FGrid && EditorKey(*FGrid, *this, Key)) return;
    TEsgComboBox::KeyPress(Key);
}

TCellControlEditors::~TCellControlEditors()
{
    // The controls stay with the window a little longer: their leaving
    // must not reach the grid that is going.
    if (FEdit) {
        FEdit->FGrid = nullptr;
        FEdit->OnExit = nullptr;
    }
    if (FCombo) {
        FCombo->FGrid = nullptr;
        FCombo->OnExit = nullptr;
        FCombo->OnSelect = nullptr;
    }
}

void DeleteCellControlEditors(TCellControlEditors* s) { delete s; }

void TCellControlEditors::Forget(const TControl* c)
{
    if (c == FEdit) FEdit = nullptr;
    if (c == FCombo) FCombo = nullptr;
}

TControlEdit* TCellControlEditors::Edit()
{
    if (!FEdit) {
        if (!FGrid->View()) throw EInvalidOperation("The grid's editors need the grid's window");
        FEdit = new TControlEdit(FGrid, FGrid->View());
        FEdit->SetVisible(false);
    }
    return FEdit;
}

TControlCombo* TCellControlEditors::Combo()
{
    if (!FCombo) {
        if (!FGrid->View()) throw EInvalidOperation("The grid's editors need the grid's window");
        FCombo = new TControlCombo(FGrid, FGrid->View());
        FCombo->SetVisible(false);
    }
    return FCombo;
}

// --- the grid's side ---------------------------------------------------------------------------

TControlEdit* TExStringGrid::CellControlEdit()
{
    if (!FParts->Edit.FCellControlEditors) FParts->Edit.FCellControlEditors.reset(new TCellControlEditors(this));
    return FParts->Edit.FCellControlEditors->Edit();
}

TControlCombo* TExStringGrid::CellControlCombo()
{
    if (!FParts->Edit.FCellControlEditors) FParts->Edit.FCellControlEditors.reset(new TCellControlEditors(this));
    return FParts->Edit.FCellControlEditors->Combo();
}

void TExStringGrid::StartCellControlEdit(const std::string& Text, const std::string& CtrlType,
                                         const std::string& CtrlID, const std::string& CtrlVal, const TRect& Rect,
                                         int ACol, int RealCol, int ARow)
{
    const std::string type = UpperCase(CtrlType);
    const bool edit = type == "EDIT" || type == "PASSWORD" || type == "MASK";
    if (!edit && type != "COMBO") return;
    // No window, no editor (the grid is not on a form).
    if (!View()) return;

    // One inline editor at a time.
    FParts->Edit.FinishCellControlEdit(this);
    FParts->Edit.FCtrlXY = {RealCol, ARow};
    FParts->Edit.FCtrlID = CtrlID;
    FParts->Edit.FCtrlType = type;
    FParts->Edit.FCtrlEditing = true;

    if (edit) {
        TControlEdit* e = CellControlEdit();
        e->SetBounds(e->Left(), e->Top(), 0, e->Height());
        e->SetPasswordChar(type == "PASSWORD" ? '*' : '\0');
        e->SetEditMask(type == "MASK" ? HTMLGetControlProp(Text, CtrlID) : std::string());
        e->OnExit = [this](TControl*) { FParts->Edit.FinishCellControlEdit(this); };
        e->SetText(CtrlVal);
        e->SetBorderStyle(TBorderStyle::bsNone);
        e->SetBounds(Rect.Left + 1, Rect.Top + 8, Rect.Right - Rect.Left - 4, 14);
        e->SetMaxLength(HTMLGetControlMaxLen(Text, CtrlID));
        e->SetVisible(true);
        e->BringToFront();
        e->SetFocus();
        return;
    }

    TControlCombo* c = CellControlCombo();
    c->SetIsWinXP(FParts->FIsWinXP);
    c->SetBounds(c->Left(), c->Top(), 0, c->Height());
    bool canEdit = true;
    int dropCount = 8;
    c->SetFlat(false);
    c->SetBounds(Rect.Left - 1, Rect.Top + 4, Rect.Right - Rect.Left, c->Height());
    c->OnSelect = [this](TControl*) { FParts->Edit.ControlComboSelect(this); };
    // The handler fills the items; the list keeps what it held before.
    if (OnControlComboList) OnControlComboList(this, ARow, ACol, CtrlID, CtrlType, CtrlVal, c->Items(), canEdit, dropCount);
    c->SetStyle(canEdit ? TComboBoxStyle::csDropDown : TComboBoxStyle::csDropDownList);
    const int at = c->Items().IndexOf(CtrlVal);
    if (at >= 0) c->SetItemIndex(at);
    c->SetText(CtrlVal);
    // The open list shows DropCount items (the platform's list takes its
    // height from them).
    c->SetDropDownCount(std::max(dropCount, 1));
    c->OnExit = [this](TControl*) { FParts->Edit.FinishCellControlEdit(this); };
    c->SetMaxLength(HTMLGetControlMaxLen(Text, CtrlID));
    c->SetVisible(true);
    c->BringToFront();
    c->SetFocus();
    c->SetDroppedDown(true);
}

void TGridEditPart::FinishCellControlEdit(TObject*)
{
    if (!FCtrlEditing || G.FParts->FDestroyingGrid) return;
    FCtrlEditing = false;
    std::string value;
    TControl* editor = nullptr;
    if (FCtrlType == "COMBO") {
        if (FCellControlEditors && FCellControlEditors->ComboIfMade()) {
            TControlCombo* c = FCellControlEditors->ComboIfMade();
            if (c->DroppedDown()) c->SetDroppedDown(false);
            value = c->Text();
            editor = c;
        }
    } else if (FCellControlEditors && FCellControlEditors->EditIfMade()) {
        value = FCellControlEditors->EditIfMade()->Text();
        editor = FCellControlEditors->EditIfMade();
    }
    // The cell may have gone (rows removed while the editor was open).
    if (FCtrlXY.X >= 0 && FCtrlXY.Y >= 0 && FCtrlXY.X < G.AllColCount() && FCtrlXY.Y < G.RowCount()) {
        std::string text = G.Cells(FCtrlXY.X, FCtrlXY.Y);
        if (HTMLSetControlValue(text, FCtrlID, value)) G.SetCells(FCtrlXY.X, FCtrlXY.Y, text);
    }
    if (editor) editor->SetVisible(false);
    if (G.OnControlEditDone) G.OnControlEditDone(&G, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
    FCtrlType.clear();
}

void TGridEditPart::ControlComboSelect(TObject*)
{
    if (!G.OnControlComboSelect || !FCellControlEditors || !FCellControlEditors->ComboIfMade()) return;
    TControlCombo* c = FCellControlEditors->ComboIfMade();
    const int i = c->ItemIndex();
    if (i < 0 || i >= c->Items().Count()) return;
    G.OnControlComboSelect(&G, FCtrlXY.Y, FCtrlXY.X, i, FCtrlID, c->Items().Strings(i));
}

// --- radio groups -------------------------------------------------------------------------------

void TGridInputPart::RadioGroupClick(int RealCol, int ARow, int DX, int DY)
{
    TCanvas& cv = *G.Canvas();
    const TFont saved = cv.Font();
    // The items are measured in the cell's font.
    cv.Font().Assign(G.Font());
    TBrush brush;
    G.GetCellColor(RealCol, ARow, TGridDrawState{}, &brush, &cv.Font());

    const TPoint b = G.BaseCell(RealCol, ARow);
    const TCellGraphic* g = G.GetCellGraphic(b.X, b.Y);
    const int dc = G.Model().DisplCol(b.X);
    if (!G.IsFixed(dc, b.Y)) G.FocusCell(dc, b.Y);
    const TControlStyle style = G.FParts->FControlLook ? G.FParts->FControlLook->ControlStyle() : csTheme;
    const int spacing =
        (style == csClassic || style == csFlat) && G.FParts->FControlLook ? G.FParts->FControlLook->RadioSize() : 16;
    const auto* items = g ? dynamic_cast<const TCellStrings*>(g->CellBitmap) : nullptr;
    const int n = items ? items->Count() : 0;

    int hit = -1;
    int prev = 0, sum = 0;
    if (g && g->CellBoolean && items) {
        for (int i = 0; i < n && hit < 0; ++i) {
            sum += cv.TextWidth(items->Strings(i)) + spacing;
            if (prev < DX && DX < sum) hit = i;
            prev = sum;
        }
    } else {
        const int h = std::max(spacing, cv.TextHeight("gh"));
        for (int i = 0; i < n && hit < 0; ++i) {
            sum += h;
            if (prev < DY && DY < sum) hit = i;
            prev = sum;
        }
    }
    cv.Font().Assign(saved);
    if (hit < 0 || !g) return;

    TCellGraphic* gw = G.GetCellGraphic(b.X, b.Y);
    if (gw->CellIndex == -1)
        G.SetCells(b.X, b.Y, items->Strings(hit));
    else
        gw->CellIndex = hit;
    // The cell is written again (as it is), so that it repaints.
    G.SetCells(b.X, b.Y, G.Cells(b.X, b.Y));
    G.SetRadioIdx(b.X, b.Y, hit);
    if (G.OnRadioClick) G.OnRadioClick(&G, dc, b.Y, hit);
}

// --- controls placed on cells --------------------------------------------------------------------

void TExStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (!View()) return;
    if (RebuildList) {
        while (FParts->FControlList.Count() > 0) FParts->FControlList.RemoveControl(FParts->FControlList.Count() - 1);
        if (FParts->FCellControlCount > 0)
            for (int c = 0; c < AllColCount(); ++c)
                for (int r = 0; r < RowCount(); ++r)
                    if (const TCellProperties* p = FindCellProperties(c, r); p && p->Control)
                        FParts->FControlList.AddControl(c, NumHiddenRows() == 0 ? r : Model().RealRow(r), p->Control);
    }
    if (FParts->FControlList.Count() == 0) return;

    const int left = LeftCol(), top = TopRow();
    const int cols = VisibleColCount(), rows = VisibleRowCount();
    struct Placed {
        TControl* control;
        int col, row;
    };
    std::vector<Placed> inside;
    for (int i = 0; i < FParts->FControlList.Count(); ++i) {
        const TControlItem* item = FParts->FControlList.GetControl(i);
        auto* ctl = dynamic_cast<TControl*>(item->FObject);
        if (!ctl) continue;
        // The item holds the real column and the real row.
        if (IsHiddenColumn(item->FX) || (NumHiddenRows() > 0 && IsHiddenRow(item->FY))) {
            ctl->SetVisible(false);
            continue;
        }
        const int A = Model().DisplCol(item->FX);
        const int B = NumHiddenRows() == 0 ? item->FY : Model().DisplRow(item->FY);
        if (A < FixedCols() || B < FixedRows()) continue;
        // The partly shown next column and row count as in view.
        const bool in = A >= left && A <= left + cols && B >= top && B <= top + rows && B < RowCount();
        if (!in) {
            ctl->SetVisible(false);
            continue;
        }
        const TRect r = CellRect(A, B);
        if (r.Right <= r.Left || r.Bottom <= r.Top) {
            ctl->SetVisible(false);
            continue;
        }
        ctl->SetBounds(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top + 1);
        ctl->SetVisible(true);
        inside.push_back({ctl, A, B});
    }
    // A control shown again lays itself out for its new place.
    for (const Placed& p : inside) {
        if (!p.control->Visible()) continue;
        p.control->Repaint();
        p.control->SetBounds(p.control->Left(), p.control->Top(), p.control->Width() + 1, p.control->Height());
        p.control->SetBounds(p.control->Left(), p.control->Top(), p.control->Width() - 1, p.control->Height());
    }
}
