#include "widgets/grid_render/Editor_Controls.h"
#include "widgets/grid_render/FlagSet.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/ExStringGrid.h"
#include "widgets/GridParsers.h"

#include "platform/Clipbrd.h"
#include "platform/ControlMessages.h"
#include "platform/GridView.h"
#include "platform/Input.h"

#include <algorithm>

// --- the shared hand-shake -------------------------------------------------------------

namespace {

bool Held(TShiftState s, TShiftStateItem i) { return s.Contains(i); }

// The grid's OnKeyPress with Sender (the editor or the grid).
void GridKeyPress(TExStringGrid* g, TObject* sender, char32_t& key)
{
    if (!g || !g->OnKeyPress) return;
    TKeyChar k = static_cast<TKeyChar>(key);
    g->OnKeyPress(sender, k);
    key = k;
}

void GridKeyDown(TExStringGrid* g, int key, TShiftState shift)
{
    int k = key;
    g->HandleKeyDown(k, shift);
}

// The grid takes the focus while AlwaysEdit is off (it would reopen the editor).
void FocusGrid(TExStringGrid* g)
{
    TNavigation& nav = g->Navigation();
    const bool always = nav.AlwaysEdit;
    nav.AlwaysEdit = false;
    g->SetFocus();
    nav.AlwaysEdit = always;
}

// Step 5 of a commit: DoneInplaceEdit, and the editor of the new cell with
// AdvanceOnEnter and AdvanceAutoEdit.
void EndEdit(TExStringGrid* g, int key, TShiftState shift)
{
    g->DoneInplaceEdit(key, shift);
    if (g->Navigation().AdvanceOnEnter && g->Navigation().AdvanceAutoEdit) g->ShowInplaceEdit();
}

// Text with the OnEllipsClick answer of the grid.
std::string EllipsClick(TExStringGrid* g, const std::string& s)
{
    std::string r = s;
    if (g && g->OnEllipsClick) g->OnEllipsClick(g, g->Model().RealCol(g->Col()), g->Row(), r);
    return r;
}

// The cursor walk at the text's edges; true when the key was taken.
bool CursorWalk(TExStringGrid* g, int key, TShiftState shift, const std::string& text, bool leftEdge, bool rightEdge)
{
    if (!g || !g->Navigation().CursorWalkEditor) return false;
    if (Held(shift, ssShift) || Held(shift, ssAlt) || Held(shift, ssCtrl)) return false;
    const bool left = key == VK_LEFT && leftEdge, right = key == VK_RIGHT && rightEdge;
    if (!left && !right) return false;
    const int col = g->Col(), row = g->Row();
    int target = col - 1;
    bool graphic = false;
    if (left) {
        graphic = col > g->FixedCols() && g->HasClickableGraphic(g->Model().RealCol(target), row);
    } else {
        target = col + std::max(g->CellSpan(g->Model().RealCol(col), row).X, 0) + 1;
        graphic = col < g->ColCount() - g->FixedRightCols - 1 && g->HasClickableGraphic(g->Model().RealCol(target), row);
    }
    if (graphic) {
        if (g->ValidateCell(text)) {
            g->HideInplaceEdit();
            g->SetCol(target);
        }
        return true;
    }
    g->SetFocus();
    TNavigation& nav = g->Navigation();
    const TAdvanceDirection dir = nav.AdvanceDirection();
    nav.SetAdvanceDirection(adLeftRight);
    g->AdvanceCell(col, row, true, true, right, false, true);
    nav.SetAdvanceDirection(dir);
    if (nav.CursorWalkAlwaysEdit) g->ShowInplaceEdit();
    return true;
}

// The first entry of `list` the prefix begins (compared upper-cased unless
// caseSensitive): the typed prefix followed by at most 255 more characters
// of the entry; -1 when none.
int Complete(const std::vector<std::string>& list, const WideString& prefix, bool caseSensitive, WideString& result)
{
    if (prefix.empty()) return -1;
    const std::string p = caseSensitive ? WideToUtf8(prefix) : AnsiUpperCase(WideToUtf8(prefix));
    const WideString up = Utf8ToWide(p);
    for (size_t i = 0; i < list.size(); ++i) {
        const WideString item = Utf8ToWide(list[i]);
        const WideString cmp = caseSensitive ? item : Utf8ToWide(AnsiUpperCase(list[i]));
        if (cmp.size() < up.size() || cmp.compare(0, up.size(), up) != 0) continue;
        result = prefix + item.substr(prefix.size(), 255);
        return static_cast<int>(i);
    }
    return -1;
}

// A typed character for the numeric edit-button kinds; false drops it.
bool IntegerFilter(char32_t& key, const std::string& text, int caret)
{
    const bool candidate = key == 8 || key == 9 || key == 13 || key == 27 || (key >= '0' && key <= '9') || key == '-';
    if (candidate && (key != '-' || (text.find('-') == std::string::npos && caret == 0))) return true;
    Beep();
    key = 0;
    return false;
}

bool FloatFilter(char32_t& key, const std::string& text, const std::string& sel, int caret)
{
    const TFormatSettings& fs = FormatSettings();
    const bool candidate = key == 8 || key == 9 || key == 13 || key == 27 || key == ',' || key == '-' || key == '.' ||
                           (key >= '0' && key <= '9');
    // Control characters only come with Ctrl held: they pass for the shortcuts.
    if (!candidate) {
        if (key < 32) return true;
        key = 0;
        return false;
    }
    if (key == static_cast<unsigned char>(fs.DecimalSeparator) && text.find(fs.DecimalSeparator) != std::string::npos &&
        sel.find(fs.DecimalSeparator) == std::string::npos) {
        key = 0;
        return false;
    }
    if (key == static_cast<unsigned char>(fs.ThousandSeparator)) {
        key = 0;
        return false;
    }
    if (key == '-' && (caret != 0 || text.find('-') != std::string::npos) && sel.find('-') == std::string::npos) {
        Beep();
        key = 0;
        return false;
    }
    return true;
}

} // namespace

TGridEditorLink::~TGridEditorLink()
{
    if (FSet) FSet->Forget(this);
}

// --- TGridCombo --------------------------------------------------------------------------

TGridCombo::TGridCombo(TExStringGrid* grid, TWinControl* parent) : TEsgComboBox(parent), TGridEditorLink(grid, this)
{
    SetButtonWidth(16);
}

void TGridCombo::FireComboChange(int index, const std::string& selection)
{
    if (!FGrid || !FGrid->EditMode()) return;
    const int col = FGrid->Model().RealCol(FGrid->Col());
    if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, col, FGrid->Row(), index, selection);
    if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(FGrid, col, FGrid->Row(), index, selection,
                                   index >= 0 && index < Items().Count() ? ItemObject(index) : nullptr);
}

bool TGridCombo::MouseWheel(int delta)
{
    if (!FGrid) return TEsgComboBox::MouseWheel(delta);
    // Nothing to step from or to: no change and no event.
    const int n = Items().Count(), i = ItemIndex();
    if (n == 0 || i < 0) return true;
    if (delta < 0) {
        if (i < n - 1) SetItemIndex(i + 1);
    } else if (i > 0) {
        SetItemIndex(i - 1);
    }
    const int now = ItemIndex();
    const std::string item = Items().Strings(now);
    const int col = FGrid->Model().RealCol(FGrid->Col());
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, col, FGrid->Row(), item);
    if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, col, FGrid->Row(), now, item);
    if (FGrid->OnComboObjectChange) FGrid->OnComboObjectChange(FGrid, col, FGrid->Row(), now, item, ItemObject(now));
    return true;
}

void TGridCombo::ShowCell()
{
    const std::string cell = FGrid->CurrentCell();
    if (Style() == TComboBoxStyle::csDropDown) SetText(cell);
    else SelectItem(cell);
}

void TGridCombo::KeyDown(int& Key, TShiftState Shift)
{
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    if (!FGrid) {
        TEsgComboBox::KeyDown(Key, Shift);
        return;
    }
    TNavigation& nav = FGrid->Navigation();
    const bool editable = Style() == TComboBoxStyle::csDropDown;
    const bool listLike = !editable || DroppedDown();
    const bool altDown = Key == VK_DOWN && Held(Shift, ssAlt);
    bool commit = false;
    if (!altDown) {
        if (listLike)
            commit = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
        else
            commit = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                     Key == VK_END || Key == VK_UP || Key == VK_DOWN;
    }
    // Up and Down on a closed list move the grid instead.
    if ((Key == VK_UP || Key == VK_DOWN) && !altDown && !DroppedDown() && !nav.ComboGetUpDown) {
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
        GridKeyDown(FGrid, Key, Shift);
        Key = 0;
        return;
    }
    if (!commit) {
        TEsgComboBox::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* g = FGrid;
    if (Key == VK_ESCAPE) {
        // The cell gets back the text it had when the editor opened.
        FRestore = true;
        ShowCell();
        g->HideInplaceEdit();
        FRestore = false;
        g->SetFocus();
        Key = 0;
        return;
    }
    if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const std::string text = Text();
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) {
            if (editable) {
                SetText(g->Parts().Edit.FNewCellText);
                SelectAll();
            } else {
                SelectItem(g->Parts().Edit.FNewCellText);
            }
            Invalidate();
            Key = 0;
            return;
        }
        ShowCell();
    }
    if (Key == VK_TAB && g->Parts().Edit.TabCommitsEdit()) {
        const std::string text = Text();
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) {
            SetText(g->Parts().Edit.FNewCellText);
            SetSelStart(static_cast<int>(Utf8ToWide(Text()).size()));
            Invalidate();
            Key = 0;
            return;
        }
        if (editable) SetText(g->CurrentCell());
        else SetItemIndex(Items().IndexOf(g->CurrentCell()));
        if (g->Options().Contains(goTabs)) {
            g->HideInplaceEdit();
            g->SetFocus();
            g->Parts().Input.AdvanceOnTab(Held(Shift, ssShift));
            Key = 0;
            return;
        }
        if (g->View()) PostKeyDown(*g->View(), VK_TAB, Shift);
    }
    if (listLike) {
        TMouseActions& ma = g->MouseActions();
        const bool direct = ma.DirectComboClose;
        ma.DirectComboClose = false;
        g->HideInplaceEdit();
        ma.DirectComboClose = direct;
        if (Key == VK_LEFT || Key == VK_RIGHT) GridKeyDown(g, Key, Shift);
        if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN)
            Key = 0;
    } else if (Key == VK_END) {
        TEsgComboBox::KeyDown(Key, Shift);
        return;
    }
    const bool enter = Key == VK_RETURN;
    EndEdit(g, Key, Shift);
    Key = 0;
    TEsgComboBox::KeyDown(Key, Shift);
    // The Enter that ended the edit is still typed into the combo, as after
    // an edit in the text editor: the grid's key-press handlers see it (a
    // table that jumps to the next cell on Enter jumps from a list cell
    // too). Not when the grid opened the editor again on the next cell.
    if (enter && !g->EditMode()) {
        char32_t c = 13;
        KeyPress(c);
    }
}

void TGridCombo::KeyPress(char32_t& Key)
{
    GridKeyPress(FGrid, Sender(), Key);
    if (Key == 27) Key = 0;
    if (Key == 13 && OnReturnKey) OnReturnKey(this);
    if (Key == 13 || Key == 9) Key = 0;
    TEsgComboBox::KeyPress(Key);
}

void TGridCombo::KeyUp(int& Key, TShiftState Shift)
{
    if (Style() == TComboBoxStyle::csDropDown) {
        const int len = static_cast<int>(Utf8ToWide(Text()).size());
        const bool none = SelLength() == 0;
        if (CursorWalk(FGrid, Key, Shift, Text(), none && SelStart() == 0, none && SelStart() == len)) {
            Key = 0;
            return;
        }
    }
    if (Key != VK_RETURN) TEsgComboBox::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::DoChange()
{
    if (!FGrid || !WorkMode || !FGrid->Lookup) return;
    const WideString text = Utf8ToWide(Text());
    const int caret = std::clamp(SelStart(), 0, static_cast<int>(text.size()));
    const WideString prefix = text.substr(0, static_cast<size_t>(caret));
    WideString done;
    int i = Complete(Items().ToVector(), prefix, FGrid->LookupCaseSensitive, done);
    if (i >= 0) SetItemIndex(i);
    else if (Complete(FGrid->LookupItems().Items(), prefix, FGrid->LookupCaseSensitive, done) < 0) return;
    SetText(WideToUtf8(done));
    SetSelStart(static_cast<int>(prefix.size()));
    SetSelLength(static_cast<int>(done.size() - prefix.size()));
}

void TGridCombo::Change()
{
    TEsgComboBox::Change();
    if (FGrid && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
    // Typing in the edit field is a change of the combo (a chosen item is
    // reported by Select).
    if (!FSelecting) FireComboChange(ItemIndex(), Text());
}

void TGridCombo::Select()
{
    const int i = ItemIndex();
    FireComboChange(i, i >= 0 ? Items().Strings(i) : Text());
    FSelecting = true;
    TEsgComboBox::Select();
    FSelecting = false;
}

void TGridCombo::DropDown()
{
    TEsgComboBox::DropDown();
    if (FGrid && FGrid->OnComboDropDown) FGrid->OnComboDropDown(FGrid, FGrid->Row(), FGrid->Model().RealCol(FGrid->Col()));
}

void TGridCombo::CloseUp()
{
    TEsgComboBox::CloseUp();
    if (!FGrid) return;
    TExStringGrid* g = FGrid;
    if (g->MouseActions().DirectComboClose && g->EditMode()) {
        g->Parts().Edit.SetCurrentEditor(edComboEdit);
        TMouseActions& ma = g->MouseActions();
        const bool direct = ma.DirectEdit;
        ma.DirectEdit = false;
        g->HideInplaceEdit();
        g->SetFocus();
        ma.DirectEdit = direct;
    }
    if (g->OnComboCloseUp) g->OnComboCloseUp(g, g->Row(), g->Model().RealCol(g->Col()));
}

void TGridCombo::Enter()
{
    TEsgComboBox::Enter();
    if (!FGrid) return;
    if (!FGrid->Navigation().EditSelectAll && Style() == TComboBoxStyle::csDropDown) {
        SetSelStart(static_cast<int>(Utf8ToWide(Text()).size()));
        SetSelLength(1);
    }
    if (FGrid->Parts().Edit.LButFlg) {
        const TPoint p = CursorClientPos(*this);
        if (p.X >= 0 && p.X <= Width() && p.Y >= 0 && p.Y <= Height()) {
            const int i = EditCharFromPos(p.X, p.Y);
            if (i >= 0) {
                SetSelStart(i & 0xFFFF);
                FGrid->Parts().Edit.LButFlg = false;
            }
        }
    }
}

void TGridCombo::Exit()
{
    if (FGrid) {
        const std::string t = Text();
        if (FGrid->LookupHistory && !t.empty() && Items().IndexOf(t) < 0) Items().Add(t);
        FGrid->HideInplaceEdit();
    }
    TEsgComboBox::Exit();
}

void TGridCombo::SizeDropDownWidth()
{
    if (!FGrid) return;
    int w = Width();
    TCanvas* c = FGrid->Canvas();
    const bool scrolls = Items().Count() > DropDownCount();
    for (int i = 0; i < Items().Count(); ++i) {
        const int t = c ? c->TextWidth(Items().Strings(i)) : 0;
        if (scrolls) {
            if (t > w - 25) w = t + 25;
        } else if (t > w - 5) {
            w = t + 8;
        }
    }
    SetDroppedWidth(w);
}

void TGridCombo::ReportInitialItem()
{
    FSelecting = true;
    Change();
    FSelecting = false;
    if (Items().Count() > 0) FireComboChange(0, Items().Strings(0));
}

std::string TGridCombo::CellValue() const
{
    if (FRestore && FGrid) return FGrid->Parts().Edit.FCellCache;
    return Text();
}

// --- TGridCheckBox -----------------------------------------------------------------------

TGridCheckBox::TGridCheckBox(TExStringGrid* grid, TWinControl* parent) : TCustomCheckBox(parent), TGridEditorLink(grid, this) {}

void TGridCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) Toggle();
    TCustomCheckBox::MouseDown(Button, Shift, X, Y);
}

void TGridCheckBox::KeyDown(int& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        Toggle();
        TCustomCheckBox::KeyDown(Key, Shift);
        return;
    }
    const bool leave = Key == VK_RETURN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_LEFT ||
                       Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN;
    if (!leave || !FGrid) {
        TCustomCheckBox::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* g = FGrid;
    g->HideInplaceEdit();
    g->SetFocus();
    if (Key == VK_RETURN) g->AdvanceCell(g->Col(), g->Row(), false, true, true, false, true);
    if (Key == VK_UP || Key == VK_DOWN) GridKeyDown(g, Key, Shift);
    Key = 0;
}

void TGridCheckBox::DoExit()
{
    if (FGrid) FGrid->HideInplaceEdit();
    TCustomCheckBox::DoExit();
}

// --- TGridSpin ----------------------------------------------------------------------------

TGridSpin::TGridSpin(TExStringGrid* grid, TWinControl* parent) : TEsgSpinEdit(parent), TGridEditorLink(grid, this)
{
    SetMaxValue(100);
    SetMinValue(0);
    SetIncrement(1);
}

void TGridSpin::FireSpin(bool up)
{
    if (!FGrid) return;
    TExStringGrid* g = FGrid;
    const int col = g->Col(), row = g->Row();
    switch (SpinType()) {
    case sptNormal:
        if (g->OnSpinClick) g->OnSpinClick(g, col, row, Value(), up);
        break;
    case sptFloat:
        if (g->OnFloatSpinClick) g->OnFloatSpinClick(g, col, row, FloatValue(), up);
        break;
    case sptDate:
        if (g->OnDateSpinClick) g->OnDateSpinClick(g, col, row, DateValue(), up);
        break;
    case sptTime:
        if (g->OnTimeSpinClick) g->OnTimeSpinClick(g, col, row, TimeValue(), up);
        break;
    }
}

void TGridSpin::UpClick(TControl* Sender)
{
    TEsgSpinEdit::UpClick(Sender);
    FireSpin(true);
}

void TGridSpin::DownClick(TControl* Sender)
{
    TEsgSpinEdit::DownClick(Sender);
    FireSpin(false);
}

namespace {
// The integer or number at the start of a text ("12ab" 12, "x" 0).
int LeadingInt(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    size_t j = i;
    if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
    const size_t digits = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
    if (j == digits) return 0;
    int v = 0;
    return TryStrToInt(s.substr(i, j - i), v) ? v : 0;
}
} // namespace

void TGridSpin::KeyDown(int& Key, TShiftState Shift)
{
    if (Key == VK_HOME || Key == VK_END) {
        const bool home = Key == VK_HOME;
        if (SpinType() == sptNormal) SetValue(home ? MaxValue() : MinValue());
        else if (SpinType() == sptFloat) SetFloatValue(home ? MaxFloatValue() : MinFloatValue());
        if (FGrid && FGrid->OnSpinClick) FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), home);
    }
    if (!FGrid || (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE)) {
        TEsgSpinEdit::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* g = FGrid;
    if (Key == VK_ESCAPE) {
        // The text saved when editing began, read as the kind's value; the
        // cell keeps that text (see CellValue).
        FRestore = true;
        SetText(g->Parts().Edit.FCellCache);
        if (SpinType() == sptNormal) SetText(IntToStr(LeadingInt(g->Parts().Edit.FCellCache)));
        EndEdit(g, Key, Shift);
        FRestore = false;
        Key = 0;
        TEsgSpinEdit::KeyDown(Key, Shift);
        return;
    }
    const bool tabs = g->Options().Contains(goTabs);
    if (Key == VK_RETURN || (Key == VK_TAB && tabs)) {
        const std::string text = Text();
        g->SetCurrentCell(text);
        const bool ok = g->ValidateCell(text);
        SetText(g->CurrentCell());
        if (!ok) {
            SetSelStart(static_cast<int>(Utf8ToWide(Text()).size()));
            Key = 0;
            Invalidate();
            return;
        }
        if (Key == VK_TAB) {
            g->HideInplaceEdit();
            g->SetFocus();
            g->Parts().Input.AdvanceOnTab(Held(Shift, ssShift));
            Key = 0;
            return;
        }
    }
    EndEdit(g, Key, Shift);
    Key = 0;
    TEsgSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(char32_t& Key)
{
    if (Key == 9 || Key == 13 || Key == 27) {
        Key = 0;
        return;
    }
    TEsgSpinEdit::KeyPress(Key);
}

void TGridSpin::Change()
{
    TEsgSpinEdit::Change();
    if (FGrid && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
    if (FGrid) FGrid->Parts().Edit.EditControlChanged();
}

void TGridSpin::DoExit()
{
    if (FGrid) FGrid->HideInplaceEdit();
    TEsgSpinEdit::DoExit();
}

// --- TGridEditBtn ------------------------------------------------------------------------

namespace {

// The keys that end an edit in the button editors (the caller leaves the rest to the edit).
bool EditBtnCommitKey(int key)
{
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT || key == VK_UP ||
           key == VK_DOWN;
}

} // namespace

TGridEditBtn::TGridEditBtn(TExStringGrid* grid, TWinControl* parent) : TEsgEditBtn(parent), TGridEditorLink(grid, this)
{
    OnClickBtn = [this](TControl*) { ButtonClicked(); };
}

void TGridEditBtn::ButtonClicked()
{
    SetText(EllipsClick(FGrid, Text()));
    SelectAll();
    Invalidate();
    if (FStopEditAfterClick && FGrid) {
        FGrid->HideInplaceEdit();
        FGrid->SetFocus();
    }
}

void TGridEditBtn::KeyDown(int& Key, TShiftState Shift)
{
    const bool commit = EditBtnCommitKey(Key);
    if (FGrid && !commit && FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    FSelKeyDown = SelStart();
    if (!FGrid || Held(Shift, ssCtrl) || !commit) {
        TEsgEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    TExStringGrid* g = FGrid;
    const TEditorType kind = g->CurrentEditor();
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const std::string text = Text();
        g->SetCurrentCell(text);
        const bool ok = g->ValidateCell(text);
        SetText(g->Parts().Edit.FNewCellText);
        if (!ok) {
            SelectAll();
            Invalidate();
            Key = 0;
            g->Parts().Edit.SetCurrentEditor(kind);
            return;
        }
    }
    if (Key == VK_TAB && g->Parts().Edit.TabCommitsEdit()) {
        const std::string text = Text();
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) {
            SetText(g->Parts().Edit.FNewCellText);
            SetSelStart(static_cast<int>(Utf8ToWide(Text()).size()));
            Invalidate();
            Key = 0;
            return;
        }
        if (g->Options().Contains(goTabs)) {
            g->HideInplaceEdit();
            g->SetFocus();
            g->Parts().Input.AdvanceOnTab(Held(Shift, ssShift));
            Key = 0;
            return;
        }
        if (g->View()) PostKeyDown(*g->View(), VK_TAB, Shift);
    }
    if (Key == VK_ESCAPE) SetText(g->Parts().Edit.FCellCache);
    g->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridEditBtn::KeyUp(int& Key, TShiftState Shift)
{
    if (FGrid && FGrid->OnKeyUp) FGrid->OnKeyUp(FGrid, Key, Shift);
    const int len = static_cast<int>(Utf8ToWide(Text()).size());
    const bool none = SelLength() == 0;
    if (CursorWalk(FGrid, Key, Shift, Text(), none && FSelKeyDown == 0, none && SelStart() == len)) {
        Key = 0;
        return;
    }
    if (Key != VK_RETURN) TEsgEditBtn::KeyUp(Key, Shift);
    // Completion from the grid's look-up list.
    if (!FGrid || !WorkMode || SelLength() != 0 || !FGrid->Lookup || FGrid->LookupItems().Count() == 0) return;
    const WideString text = Utf8ToWide(Text());
    const WideString prefix = text.substr(0, static_cast<size_t>(std::clamp(SelStart(), 0, static_cast<int>(text.size()))));
    WideString done;
    if (Complete(FGrid->LookupItems().Items(), prefix, FGrid->LookupCaseSensitive, done) < 0) return;
    SetText(WideToUtf8(done));
    SetSelStart(static_cast<int>(prefix.size()));
    SetSelLength(static_cast<int>(done.size() - prefix.size()));
}

void TGridEditBtn::KeyPress(char32_t& Key)
{
    if (Key == 13 || Key == 9) {
        Key = 0;
        return;
    }
    const TEditorType kind = FGrid ? FGrid->CurrentEditor() : edEditBtn;
    switch (kind) {
    case edEditBtn:
    case edMaskEditBtn: break;
    case edNumericEditBtn:
        if (!IntegerFilter(Key, Text(), SelStart())) return;
        break;
    case edFloatEditBtn:
        if (!FloatFilter(Key, Text(), SelText(), SelStart())) return;
        break;
    default: Key = 0; return;
    }
    TEsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::WMPaste()
{
    if (!EditorEnabled() || ReadOnly()) return;
    bool allow = ClipboardHasText();
    std::string value = allow ? ClipboardText() : std::string();
    TExStringGrid* g = FGrid;
    if (g && g->OnClipboardPaste) g->OnClipboardPaste(Sender(), allow);
    if (allow && g && g->OnClipboardBeforePasteCell) g->OnClipboardBeforePasteCell(Sender(), g->Col(), g->Row(), value, allow);
    if (!allow) return;
    if (value.size() >= 2 && value.compare(value.size() - 2, 2, "\r\n") == 0) value.resize(value.size() - 2);
    const bool replaced = SelLength() > 0;
    const int start = SelStart();
    SetSelText(value);
    if (g) g->SetCurrentEditText(Text());
    SetSelStart(start);
    if (replaced) SetSelLength(static_cast<int>(Utf8ToWide(value).size()));
    else SetSelStart(start + static_cast<int>(Utf8ToWide(value).size()));
}

void TGridEditBtn::DblClick()
{
    TEsgEditBtn::DblClick();
    if (FGrid && FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::Change()
{
    TEsgEditBtn::Change();
    if (FGrid && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
    if (FGrid) FGrid->Parts().Edit.EditControlChanged();
}

void TGridEditBtn::DoExit()
{
    if (FGrid) FGrid->HideInplaceEdit();
    TEsgEditBtn::DoExit();
}

// --- TGridUnitEditBtn -----------------------------------------------------------------------

TGridUnitEditBtn::TGridUnitEditBtn(TExStringGrid* grid, TWinControl* parent)
    : TEsgUnitEditBtn(parent), TGridEditorLink(grid, this)
{
    OnClickBtn = [this](TControl*) { ButtonClicked(); };
}

void TGridUnitEditBtn::ButtonClicked()
{
    SetText(EllipsClick(FGrid, Text()));
    SelectAll();
    Invalidate();
}

void TGridUnitEditBtn::KeyDown(int& Key, TShiftState Shift)
{
    const bool commit = EditBtnCommitKey(Key);
    if (!FGrid || !commit) {
        TEsgUnitEditBtn::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* g = FGrid;
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const std::string value = TextAndUnit();
        g->SetCurrentCell(value);
        if (!g->ValidateCell(value)) {
            SetText(g->CurrentCell());
            return;
        }
        SetTextAndUnit(g->CurrentCell());
    }
    if (Key == VK_RETURN && g->Navigation().AdvanceOnEnter) {
        g->HideInplaceEdit();
        g->SetFocus();
        Key = 0;
        g->AdvanceCell(g->Col(), g->Row(), false, true, true, false, true);
        return;
    }
    if (Key == VK_TAB && g->Options().Contains(goTabs)) {
        g->HideInplaceEdit();
        g->SetFocus();
        g->Parts().Input.AdvanceOnTab(Held(Shift, ssShift));
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        SetUnitID("");
        SetText(g->CurrentCell());
    }
    g->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridUnitEditBtn::KeyPress(char32_t& Key)
{
    if (Key == 13) {
        Key = 0;
        return;
    }
    const TEditorType kind = FGrid ? FGrid->CurrentEditor() : edUnitEditBtn;
    switch (kind) {
    case edUnitEditBtn: break;
    case edNumericUnitEditBtn:
        if (!IntegerFilter(Key, Text(), SelStart())) return;
        break;
    case edFloatUnitEditBtn:
        if (!FloatFilter(Key, Text(), SelText(), SelStart())) return;
        break;
    default: Key = 0; return;
    }
    TEsgUnitEditBtn::KeyPress(Key);
}

void TGridUnitEditBtn::DoExit()
{
    if (FGrid) FGrid->HideInplaceEdit();
    TEsgUnitEditBtn::DoExit();
}

// --- TGridButton ----------------------------------------------------------------------------

TGridButton::TGridButton(TExStringGrid* grid, TWinControl* parent) : TButton(parent), TGridEditorLink(grid, this) {}

void TGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FGrid) {
        SetCaption(EllipsClick(FGrid, Caption()));
        FGrid->SetCurrentCell(Caption());
    }
    TButton::MouseUp(Button, Shift, X, Y);
}

void TGridButton::KeyUp(int& Key, TShiftState Shift)
{
    if (Key == VK_SPACE && FGrid) {
        SetCaption(EllipsClick(FGrid, Caption()));
        FGrid->SetCurrentCell(Caption());
        SetFocus();
        Invalidate();
        Key = 0;
        return;
    }
    TButton::KeyUp(Key, Shift);
}

void TGridButton::KeyDown(int& Key, TShiftState Shift)
{
    if (!FGrid) {
        TButton::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* g = FGrid;
    if (Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
        const int k = Key;
        GridKeyDown(g, k, Shift);
        SetVisible(false);
        SetEnabled(false);
        g->SetEditMode(false);
        g->SetFocus();
        int up = k;
        g->HandleKeyUp(up, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        // Hiding the focused button and focusing the grid select the cell
        // again, which saves the cell's present text: the text from when
        // editing began is kept for the restore.
        const std::string cache = g->Parts().Edit.FCellCache;
        SetVisible(false);
        SetEnabled(false);
        g->SetEditMode(false);
        g->SetFocus();
        g->Parts().Edit.FCellCache = cache;
        g->RestoreCellCache();
        GridKeyDown(g, VK_ESCAPE, Shift);
        Key = 0;
        return;
    }
    TButton::KeyDown(Key, Shift);
}

void TGridButton::DoExit()
{
    if (FGrid && Visible()) FGrid->HideInplaceEdit();
    TButton::DoExit();
}

// --- TGridDatePicker -----------------------------------------------------------------------

TGridDatePicker::TGridDatePicker(TExStringGrid* grid, TWinControl* parent)
    : TEsgDateTimePicker(parent), TGridEditorLink(grid, this)
{
    (void)DTPShiftFocusMessage();
}

void TGridDatePicker::KeyPress(char32_t& Key)
{
    if (Key >= '0' && Key <= '9') {
        int h = 0, n = 0, s = 0, ms = 0, y = 0, m = 0, d = 0;
        DecodeTime(DateTime(), h, n, s, ms);
        DecodeDate(DateTime(), y, m, d);
        Fth = static_cast<std::uint16_t>(h);
        Ftm = static_cast<std::uint16_t>(n);
        Fts = static_cast<std::uint16_t>(s);
        Ftms = static_cast<std::uint16_t>(ms);
        Fy = static_cast<std::uint16_t>(y);
        Fm = static_cast<std::uint16_t>(m);
        Fd = static_cast<std::uint16_t>(d);
        TEsgDateTimePicker::KeyPress(Key);
        // Decided once the platform has applied the digit.
        PostToControl(*this, [this] { AdvanceDateField(); });
    } else {
        TEsgDateTimePicker::KeyPress(Key);
    }
    if (FGrid && FGrid->OnKeyPress) {
        TKeyChar k = static_cast<TKeyChar>(Key);
        FGrid->OnKeyPress(FGrid, k);
        Key = k;
    }
}

void TGridDatePicker::AdvanceDateField()
{
    if (Kind() == TDateTimeKind::dtkTime) {
        int h = 0, n = 0, s = 0, ms = 0;
        DecodeTime(DateTime(), h, n, s, ms);
        if (h != Fth || n != Ftm || s != Fts) PostKeyDown(*this, VK_RIGHT);
        return;
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(DateTime(), y, m, d);
    const bool day = d != Fd, month = m != Fm, year = y != Fy;
    if (!Format().empty()) {
        const char c = Format().back();
        const bool last = (day && (c == 'd' || c == 'D')) || (month && (c == 'm' || c == 'M')) ||
                          (year && (c == 'y' || c == 'Y'));
        if (!last && (day || month || year)) PostKeyDown(*this, VK_RIGHT);
        return;
    }
    if (day || month) PostKeyDown(*this, VK_RIGHT);
}

void TGridDatePicker::DropDown()
{
    FOldDropped = true;
    TEsgDateTimePicker::DropDown();
    if (!FGrid) return;
    // The grid's calendar handler styles and sizes the calendar.
    SetCalendarWeekNumbers(Weeknumbers);
    SetCalendarShowToday(ShowToday);
    SetCalendarTodayMark(ShowTodayCircle);
    const TSize s = CalendarMinimumSize();
    SetCalendarSize(s.cx + 2, s.cy + 2);
    if (FGrid->OnDatePickerDropDown) FGrid->OnDatePickerDropDown(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridDatePicker::CloseUp()
{
    FOldDropped = false;
    TEsgDateTimePicker::CloseUp();
    if (!FGrid) return;
    if (FGrid->OnDatePickerCloseUp) FGrid->OnDatePickerCloseUp(FGrid, FGrid->Row(), FGrid->Col());
    if (FGrid->MouseActions().DirectDateClose) FGrid->HideInplaceEdit();
}

void TGridDatePicker::DateTimeChangeNotify(bool noDate)
{
    TEsgDateTimePicker::DateTimeChangeNotify(noDate);
    if (FGrid && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridDatePicker::PaintAfter(TCanvas& Canvas)
{
    TEsgDateTimePicker::PaintAfter(Canvas);
    // Two frames in the window colour cover the platform's border.
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(clWindow);
    Canvas.FrameRect(TRect{0, 0, Width(), Height()});
    Canvas.FrameRect(TRect{1, 1, Width() - 1, Height() - 1});
}

namespace {
// The cell's text as the picker's value: the time (time kind) or the date;
// nothing that reads as one gives the current date and time.
TDateTime PickerValueOf(const std::string& text, bool time)
{
    try {
        if (time) return StrToTime(Trim(text));
        TDateTime v = 0;
        if (ParseDateTimeText(Trim(text), v)) return v;
    } catch (const EConvertError&) {
    }
    return Now();
}
} // namespace

void TGridDatePicker::KeyDown(int& Key, TShiftState Shift)
{
    const bool commit = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                        Key == VK_END;
    if (!FGrid || !commit) {
        TEsgDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* g = FGrid;
    const bool time = Kind() == TDateTimeKind::dtkTime;
    auto show = [&](const std::string& text) {
        const TDateTime v = PickerValueOf(text, time);
        if (time) SetTime(v);
        else SetDateTime(v);
    };
    if (Key == VK_ESCAPE) show(g->CurrentCell());
    if (Key == VK_RETURN) {
        // The platform completes the field being typed.
        SendKeyDownTo(*this, VK_RIGHT);
        SendKeyUpTo(*this, VK_RIGHT);
        g->SetCurrentCell(Text());
        if (!g->ValidateCell(Text())) {
            show(g->Parts().Edit.FNewCellText);
            Invalidate();
            Key = 0;
            return;
        }
        show(g->CurrentCell());
    }
    if (Key == VK_TAB && g->Parts().Edit.TabCommitsEdit()) {
        g->SetCurrentCell(Text());
        if (!g->ValidateCell(Text())) {
            show(g->Parts().Edit.FNewCellText);
            Invalidate();
            Key = 0;
            return;
        }
        if (g->Options().Contains(goTabs)) {
            g->HideInplaceEdit();
            g->SetFocus();
            g->Parts().Input.AdvanceOnTab(Held(Shift, ssShift));
            Key = 0;
            return;
        }
        if (g->View()) PostKeyDown(*g->View(), VK_TAB, Shift);
    }
    if (!FOldDropped) {
        // Escape shows the cell's date (or today for a text that is none)
        // but never writes it: a cell holding "abc" keeps "abc".
        TFlagSet restore(FRestore, Key == VK_ESCAPE);
        g->DoneInplaceEdit(Key, Shift);
    }
    Key = 0;
}

void TGridDatePicker::DoExit()
{
    if (FGrid) FGrid->HideInplaceEdit();
    TEsgDateTimePicker::DoExit();
}

// --- TGridDateTimePicker ------------------------------------------------------------------

TGridDateTimePicker::TGridDateTimePicker(TExStringGrid* grid, TWinControl* parent)
    : TExDateTimePicker(parent), TGridEditorLink(grid, this)
{
}

void TGridDateTimePicker::KeyDown(int& Key, TShiftState Shift)
{
    if (!FGrid) {
        TExDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* g = FGrid;
    if (Key == VK_ESCAPE) {
        SetDateTime(g->Parts().Edit.FOriginalDateTime);
        g->HideInplaceEdit();
        g->SetFocus();
        Key = 0;
        return;
    }
    if (Key == VK_RETURN) {
        g->HideInplaceEdit();
        g->SetFocus();
        if (g->Navigation().AdvanceOnEnter) g->AdvanceCell(g->Col(), g->Row(), false, true, true, false, true);
        Key = 0;
        return;
    }
    if (Key == VK_TAB && g->Parts().Edit.TabCommitsEdit()) {
        // Hiding stores the whole value (date and time) in the cell.
        g->HideInplaceEdit();
        g->SetFocus();
        g->Parts().Input.AdvanceOnTab(Held(Shift, ssShift));
        Key = 0;
        return;
    }
    TExDateTimePicker::KeyDown(Key, Shift);
}

// --- TGridEditorSet ------------------------------------------------------------------------

TGridEditorSet::~TGridEditorSet()
{
    for (TGridEditorLink* l : std::initializer_list<TGridEditorLink*>{FCombo, FCheck, FSpin, FEditBtn, FUnit, FButton,
                                                                       FDatePicker, FDateTimePicker})
        if (l) {
            l->FSet = nullptr;
            l->FGrid = nullptr;
        }
}

void TGridEditorSet::Forget(TGridEditorLink* l)
{
    if (l == FCombo) FCombo = nullptr;
    if (l == FCheck) FCheck = nullptr;
    if (l == FSpin) FSpin = nullptr;
    if (l == FEditBtn) FEditBtn = nullptr;
    if (l == FUnit) FUnit = nullptr;
    if (l == FButton) FButton = nullptr;
    if (l == FDatePicker) FDatePicker = nullptr;
    if (l == FDateTimePicker) FDateTimePicker = nullptr;
}

TWinControl* TGridEditorSet::Window() const
{
    TWinControl* w = FGrid->View();
    if (!w) throw EInvalidOperation("The grid's editors need the grid's window");
    return w;
}

template <class T> T* TGridEditorSet::Made(T*& slot)
{
    if (!slot) {
        slot = new T(FGrid, Window());
        slot->FSet = this;
        slot->SetVisible(false);
        slot->SetEnabled(false);
    }
    return slot;
}

TGridCombo* TGridEditorSet::Combo()
{
    const bool made = FCombo;
    TGridCombo* c = Made(FCombo);
    if (!made) {
        c->SetIsWinXP(FGrid->IsWinXP());
        c->SetIsVista(false);
    }
    return c;
}

TGridCheckBox* TGridEditorSet::CheckBox() { return Made(FCheck); }

TGridSpin* TGridEditorSet::Spin()
{
    const bool made = FSpin;
    TGridSpin* s = Made(FSpin);
    if (!made) {
        s->SetBorderStyle(TBorderStyle::bsNone);
        s->SetIsWinXP(FGrid->IsWinXP());
    }
    return s;
}

TGridEditBtn* TGridEditorSet::EditBtn()
{
    const bool made = FEditBtn;
    TGridEditBtn* e = Made(FEditBtn);
    if (!made) {
        e->SetButtonCaption("...");
        e->SetBorderStyle(TBorderStyle::bsNone);
        e->SetIsWinXP(FGrid->IsWinXP());
    }
    return e;
}

TGridUnitEditBtn* TGridEditorSet::UnitEditBtn()
{
    const bool made = FUnit;
    TGridUnitEditBtn* u = Made(FUnit);
    if (!made) {
        u->SetButtonCaption("...");
        u->SetBorderStyle(TBorderStyle::bsNone);
        u->OnUnitChanged = [this](TControl*, const std::string& unit) {
            if (FGrid->OnUnitChanged) FGrid->OnUnitChanged(FGrid, FGrid->Col(), FGrid->Row(), unit);
        };
    }
    return u;
}

TGridButton* TGridEditorSet::Button()
{
    const bool made = FButton;
    TGridButton* b = Made(FButton);
    if (!made)
        b->OnClick = [this](TControl*) {
            if (FGrid->OnButtonClick) FGrid->OnButtonClick(FGrid, FGrid->Col(), FGrid->Row());
        };
    return b;
}

TGridDatePicker* TGridEditorSet::DatePicker() { return Made(FDatePicker); }

TGridDateTimePicker* TGridEditorSet::DateTimePicker()
{
    const bool made = FDateTimePicker;
    TGridDateTimePicker* p = Made(FDateTimePicker);
    if (!made) {
        p->SetAutoTab(true);
        p->OnCloseUp = [this](TControl*) {
            if (FGrid->OnDatePickerCloseUp) FGrid->OnDatePickerCloseUp(FGrid, FGrid->Row(), FGrid->Col());
            if (FGrid->MouseActions().DirectDateClose) FGrid->HideInplaceEdit();
        };
        p->OnTimeChange = [this, p](TControl*) {
            if (FGrid->OnDateTimeChange) FGrid->OnDateTimeChange(FGrid, FGrid->Col(), FGrid->Row(), p->DateTime());
        };
    }
    return p;
}
