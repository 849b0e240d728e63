// TExInplaceEdit: the grid's in-place text editor.

#include "widgets/grid_render/Editor_Text.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/ExStringGrid.h"
#include "widgets/GridParsers.h"
#include "widgets/GridUtil.h"

#include "platform/Clipbrd.h"
#include "platform/DrawText.h"

#include <algorithm>

bool IsTextEditorKind(TEditorType e)
{
    switch (e) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat: return true;
    default: return false;
    }
}

namespace {

constexpr TKeyChar kBack = 8, kTab = 9, kEnter = 13, kEscape = 27;

std::string CharText(TKeyChar c) { return WideToUtf8(WideString(1, c)); }

TKeyChar FirstChar(const std::string& s)
{
    const WideString w = Utf8ToWide(s);
    return w.empty() ? 0 : w[0];
}

bool Contains(const std::string& s, char c) { return s.find(c) != std::string::npos; }

// Byte offset of character index i (UTF-16 units, as the editor counts).
size_t ByteOffset(const std::string& s, int i)
{
    const WideString w = Utf8ToWide(s);
    return WideToUtf8(w.substr(0, static_cast<size_t>(std::clamp(i, 0, static_cast<int>(w.size()))))).size();
}

int CharCount(const std::string& s) { return static_cast<int>(Utf8ToWide(s).size()); }

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

} // namespace

TExInplaceEdit::TExInplaceEdit(TExStringGrid* AGrid) : TInplaceEdit(AGrid), FGrid(AGrid)
{
    FLengthLimit = AGrid->GetEditLimit();
    WordWrap = AGrid->WordWrap;
}

TEditorType TExInplaceEdit::Kind() const { return FGrid->CurrentEditor(); }

void TExInplaceEdit::ShowText(const std::string& s)
{
    const bool old = FGrid->Parts().Edit.FNoEditChange;
    FGrid->Parts().Edit.FNoEditChange = true;
    SetText(s);
    FGrid->Parts().Edit.FNoEditChange = old;
}

void TExInplaceEdit::Refused(const std::string& Saved)
{
    ShowText(FGrid->Parts().Edit.FNewCellText);
    if (FGrid->Navigation().EditSelectAll)
        Select(0, CharCount(Text()));
    else
        Select(CharCount(Text()), 0);
    FGrid->Parts().Edit.FOldCellText = Saved;
}

void TExInplaceEdit::StoreTyped()
{
    const int rc = FGrid->Model().RealCol(FGrid->Col());
    FGrid->Parts().Edit.FValidating = true;
    FGrid->SetCurrentCell(FGrid->Parts().Edit.UnchangedEditValue(rc, FGrid->Row(), Text()));
    FGrid->Parts().Edit.FValidating = false;
}

// --- contents ---------------------------------------------------------------------------

void TExInplaceEdit::UpdateContents()
{
    FGrid->Parts().Edit.FNoEditChange = true;
    loading_ = true;
    SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    editMask_ = FGrid->GetEditMask(FGrid->Col(), FGrid->Row());
    maxLength_ = FGrid->GetEditLimit();
    loading_ = false;
    FGrid->Parts().Edit.FNoEditChange = false;
    // The cell's colour, font and alignment.
    TGridDrawState state;
    TBrush brush;
    TColor to = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = TAlignment::taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd{};
    FGrid->GetVisualProperties(FGrid->Col(), FGrid->Row(), state, false, false, true, &brush, to, mirror, mirrorTo,
                               &Font, ha, va, ww, gd);
    Color = brush.Color();
    Alignment = ha;
    WrapLines = WordWrap;
    FColE = FGrid->Col();
    FRowE = FGrid->Row();
    FGrid->FireGetEditorProp(FGrid->Col(), FGrid->Row(), nullptr);
}

// The editor is the class library's several-line edit, but for passwords;
// a grid whose cells neither wrap nor hold several lines, where Enter does
// not break lines, keeps a one-line field unless the text holds a break.
bool TExInplaceEdit::MultiLine() const
{
    if (Kind() == edPassword) return false;
    return FGrid->WordWrap || FGrid->Multilinecells || FGrid->Navigation().LineFeedOnEnter ||
           Text().find_first_of("\r\n") != std::string::npos;
}

bool TExInplaceEdit::BreaksLineOnEnter() const
{
    switch (Kind()) {
    case edNormal:
    case edCapital:
    case edMixedCase:
    case edLowerCase:
    case edUpperCase:
    case edValidChars: return FGrid->Navigation().LineFeedOnEnter && MultiLine();
    default: return false;
    }
}

void TExInplaceEdit::Change()
{
    TInplaceEdit::Change();
    // A text the grid itself gives the editor (when it opens, or again
    // after a refused value) is no edit: neither reported nor written.
    if (FGrid->Parts().Edit.FNoEditChange) return;
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
    FGrid->Parts().Edit.EditControlChanged();
}

// --- focus ------------------------------------------------------------------------------

void TExInplaceEdit::FocusGained()
{
    FGotFocus = true;
    FGrid->Parts().Edit.FNoEditChange = false;
    FLengthLimit = FGrid->GetEditLimit();
    maxLength_ = FLengthLimit;
    const int len = CharCount(Text());
    if (!EditMask().empty() && !FGrid->Parts().Edit.LButFlg && FGrid->Navigation().ImproveMaskSel) {
        Select(0, 1);
        return;
    }
    if (!FGrid->Navigation().EditSelectAll) Select(len, 0);
    if (FGrid->Parts().Edit.LButFlg) {
        const TPoint p = FGrid->Parts().Edit.FClickPos;
        const int i = FGrid->Host() ? FGrid->Host()->EditorCharAt(p.X, p.Y) : -1;
        if (i != -1) {
            Select(i & 0xFFFF, 0);
            FGrid->Parts().Edit.LButFlg = false;
        }
    }
}

// With EditSelectAll the text the editor opens with stays selected, so a
// key typed at once replaces it instead of being appended.
bool TExInplaceEdit::SelectsAllWhenShown() const { return FGrid->Navigation().EditSelectAll; }

void TExInplaceEdit::FocusLost(bool ToGrid)
{
    FGrid->Parts().Edit.FStartEditChar = 0;
    if (FGrid->LookupHistory && FGrid->LookupItems().IndexOf(Text()) < 0) FGrid->LookupItems().Add(Text());
    FGrid->FormulaTextHook(false);
    if (FAltBack) return;
    std::exception_ptr failed;
    if (!ToGrid) {
        // The focus went elsewhere: the edit ends here, even when the value
        // is refused (the refusal keeps the cell's old text).
        try {
            FGrid->ValidateCell(Text());
            ShowText(FGrid->CurrentCell());
        } catch (...) {
            failed = std::current_exception();
        }
        try {
            FGrid->HideInplaceEdit();
        } catch (...) {
            if (!failed) failed = std::current_exception();
        }
        FGrid->Parts().Edit.FEditing = false;
        FGrid->SetEditMode(false);
        if (FColE >= 0 && FRowE >= 0 && FColE < FGrid->ColCount() && FRowE < FGrid->RowCount()) {
            try {
                FGrid->SelectCell(FColE, FRowE);
            } catch (...) {
                if (!failed) failed = std::current_exception();
            }
        }
    }
    ShowText(FGrid->CurrentCell());
    FGrid->CaretPositionHook(Text(), {-1, -1}, -1);
    if (FGotFocus) {
        FGotFocus = false;
        FGrid->FireEditingDone(FGrid->Model().RealCol(FColE), FRowE);
    }
    if (failed) std::rethrow_exception(failed);
}

void TExInplaceEdit::DblClick()
{
    if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

// --- keys ---------------------------------------------------------------------------------

void TExInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    // Alt+Backspace (undo) keeps the edit open while the focus moves.
    if (Key == VK_BACK && Shift.Contains(ssAlt)) FAltBack = true;
    FGrid->EditorWMKeyDownHook();
    FOldSelStart = CaretPos;
    FLastKeyDecimal = Key == VK_DECIMAL;
    TNavigation& nav = FGrid->Navigation();
    const int len = CharCount(Text());
    bool moved = false;

    if (Key == VK_ESCAPE) {
        ShowText(FGrid->Parts().Edit.FCellCache);
        FGrid->HideInplaceEdit();
    } else if (Key == 'A' && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
        Select(0, len);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN && Shift.Contains(ssCtrl) &&
        !(nav.AllowCtrlEnter && (FGrid->WordWrap || FGrid->Multilinecells))) {
        Key = 0;
        return;
    }
    const std::string saved = FGrid->Parts().Edit.FOldCellText;
    if (Key == VK_TAB && FGrid->Parts().Edit.TabCommitsEdit()) {
        if (!FGrid->ValidateCell(Text())) {
            Refused(saved);
            Key = 0;
            return;
        }
        ShowText(FGrid->Parts().Edit.FNewCellText);
        FGrid->HideInplaceEdit();
        if (FGrid->Options().Contains(goTabs)) {
            Key = 0;
            FGrid->Parts().Input.AdvanceOnTab(Shift.Contains(ssShift));
        } else {
            // Without goTabs the Tab belongs to the window: once the edit
            // is stored the focus moves on to the next (or previous) control.
            FGrid->PostMessage(WM_KEYDOWN, VK_TAB, Shift.Contains(ssShift) ? 2 : 1);
            Key = 0;
        }
        return;
    }
    if (Shift.Contains(ssShift) && nav.CursorWalkEditor &&
        ((Key == VK_LEFT && CaretPos == 0) || (Key == VK_RIGHT && CaretPos >= len))) {
        StoreTyped();
        if (!FGrid->ValidateCell(Text())) {
            Refused(saved);
        } else {
            ShowText(FGrid->Parts().Edit.FNewCellText);
            FGrid->HideInplaceEdit();
            FGrid->SetFocus();
        }
        Key = 0;
        return;
    }
    // Up on the first line and Down on the line of the last character leave
    // the cell; elsewhere they move the caret between the lines.
    const int line = LineOf(CaretPos);
    if ((Key == VK_UP && line == 0) || (Key == VK_DOWN && line == LineOf(len))) {
        StoreTyped();
        if (!FGrid->ValidateCell(Text())) {
            Refused(saved);
            Key = 0;
            return;
        }
        ShowText(FGrid->Parts().Edit.FNewCellText);
        moved = true;
    }
    if (Key == VK_RETURN && !nav.LineFeedOnEnter && !Shift.Contains(ssCtrl)) {
        if (!FGrid->ValidateCell(Text())) {
            Refused(saved);
            Key = 0;
            return;
        }
        ShowText(FGrid->Parts().Edit.FNewCellText);
    }
    if (!Shift.Contains(ssCtrl) && !Shift.Contains(ssShift)) {
        if (Key == VK_HOME) Select(0, 0);
        if (Key == VK_END) Select(len, 0);
    }
    if (Key == VK_RETURN && Shift.Contains(ssCtrl) && nav.LineFeedOnEnter) {
        TKeyChar enter = kEnter;
        FGrid->KeyPress(enter);
        Key = 0;
        return;
    }
    KeyDownStep(Key, Shift);
    if (moved && FGrid->MouseActions().DisjunctRowSelect()) {
        FGrid->ClearRowSelect();
        FGrid->SetRowSelect(FGrid->Row(), true);
    }
}

void TExInplaceEdit::KeyDownStep(int& Key, TShiftState Shift)
{
    FSelKeyDown = CaretPos;
    switch (Key) {
    case VK_BACK:
    case VK_DELETE: Workmode = false; break;
    case VK_RETURN:
        if (!FGrid->Navigation().AllowCtrlEnter && (FGrid->WordWrap || FGrid->Multilinecells))
            FGrid->Parts().Edit.FEditing = false;
        break;
    case VK_UP:
        if (LineOf(CaretPos) > 0) return;
        break;
    case VK_DOWN:
        if (LineOf(CaretPos) < LineOf(CharCount(Text()))) return;
        break;
    default: Workmode = true; break;
    }
    FGrid->EditorKeyDownHook();
    if (Key == 0) return;
    TInplaceEdit::KeyDown(Key, Shift);
}

void TExInplaceEdit::KeyUp(int& Key, TShiftState Shift)
{
    if (Key == VK_BACK) FAltBack = false;
    TInplaceEdit::KeyUp(Key, Shift);
    DoChange();
    if (CaretPos > 0) FGrid->CaretPositionHook(Text(), {0, 0}, CaretPos);
    FGrid->FormulaTextHook(!Text().empty() && Text()[0] == '=');
}

// The character message: what each kind of editor takes.
void TExInplaceEdit::FilterChar(TKeyChar& Key)
{
    TNavigation& nav = FGrid->Navigation();
    const TFormatSettings& fs = FormatSettings();
    const std::string text = Text();
    const int len = CharCount(text);
    if (Key == 1) { // Ctrl+A
        Key = 0;
        return;
    }
    if (Key == 10 && !(nav.AllowCtrlEnter && (FGrid->WordWrap || FGrid->Multilinecells))) {
        Key = 0;
        return;
    }
    if (FLengthLimit > 0 && len >= FLengthLimit && SelLength == 0 && Key != kBack && Key != kEscape &&
        Key != kEnter) {
        Key = 0; // silently: the cell is full
        return;
    }
    const TEditorType kind = Kind();
    auto beep = [&] {
        Beep();
        Key = 0;
    };
    const bool isDigit = Key >= '0' && Key <= '9';
    const bool control = Key == kBack || Key == kTab || Key == kEnter || Key == kEscape;
    switch (kind) {
    case edNumeric:
        if (control || isDigit) break;
        if (Key == '-' && !Contains(text, '-') && CaretPos == 0) break;
        beep();
        break;
    case edPositiveNumeric:
        if (!(control || isDigit)) beep();
        break;
    case edFloat:
    case edPositiveFloat: {
        if (control || isDigit) break;
        if (Key == '-') {
            if (kind == edPositiveFloat) {
                Key = 0;
                break;
            }
            const bool selHasMinus = Contains(SelText(), '-');
            if ((CaretPos == 0 && !Contains(text, '-')) || selHasMinus) break;
            beep();
            break;
        }
        if (Key == static_cast<TKeyChar>(fs.DecimalSeparator)) {
            if (Contains(text, fs.DecimalSeparator) && !Contains(SelText(), fs.DecimalSeparator)) Key = 0;
            break;
        }
        if (Key == static_cast<TKeyChar>(fs.ThousandSeparator)) {
            Key = 0;
            break;
        }
        if (Key == ',' || Key == '.') break;
        if (!CtrlDown()) Key = 0;
        break;
    }
    case edCapital:
    case edUpperCase:
        if (!control) Key = FirstChar(AnsiUpperCase(CharText(Key)));
        break;
    case edLowerCase:
        if (!control) Key = FirstChar(AnsiLowerCase(CharText(Key)));
        break;
    case edMixedCase:
        if (!control) {
            const int caret = SelLength > 0 ? SelStart : CaretPos;
            ReplaceSelection(CharText(Key));
            SetText(MixedCaseText(Text()));
            Select(caret + 1, 0);
            Key = 0;
        }
        break;
    case edValidChars:
        if (Key == kBack || Key == kEnter) break;
        if (!FGrid->ValidChars.empty()) {
            if (FGrid->ValidChars.find(CharText(Key)) == std::string::npos) beep();
        } else if (Key > 255 || !FGrid->ValidCharSet.test(Key)) {
            beep();
        }
        break;
    default: break;
    }
}

void TExInplaceEdit::KeyPress(TKeyChar& Key)
{
    TNavigation& nav = FGrid->Navigation();
    if (Key == '.' && FGrid->ExcelStyleDecimalSeparator && FLastKeyDecimal)
        Key = static_cast<TKeyChar>(FormatSettings().DecimalSeparator);
    // Enter breaks the line of a text cell while LineFeedOnEnter is on: the
    // field's own handling inserts it.
    if (Key == kEnter && BreaksLineOnEnter()) return;
    FilterChar(Key);
    if (Key == 0) return;
    if (Key == kEnter && !nav.LineFeedOnEnter) {
        if (!FGrid->ValidateCell(Text())) {
            ShowText(FGrid->CurrentCell());
            Key = 0;
            return;
        }
    }
    // The class library's key press: the grid sees every character first.
    FGrid->KeyPress(Key);
    switch (Key) {
    case kTab:
    case kEscape:
    case kEnter: Key = 0; break;
    default: break;
    }
    if (Key == 0 || !Visible()) {
        Key = 0;
        return;
    }
    if (nav.AdvanceAuto() && nav.AdvanceOnEnter && FGrid->MaxEditLength > 0 && SelLength == 0) {
        // A full cell moves on by itself (the character goes in first).
        const std::string after = Text();
        if (CharCount(after) + 1 == FGrid->MaxEditLength && CaretPos >= CharCount(after)) {
            ReplaceSelection(CharText(Key));
            Key = 0;
            TKeyChar enter = kEnter;
            KeyPress(enter);
        }
    }
}

void TExInplaceEdit::TypeFirstChar(TKeyChar Key)
{
    FilterChar(Key);
    if (Key == 0) return;
    if (Key == kBack) {
        ReplaceSelection({});
        return;
    }
    ReplaceSelection(CharText(Key));
}

// --- lookup completion ------------------------------------------------------------------

void TExInplaceEdit::DoChange()
{
    if (!Workmode || SelLength > 0) return;
    if (!FGrid->Lookup || FGrid->LookupItems().Count() == 0) return;
    const std::string text = Text();
    const size_t prefixBytes = ByteOffset(text, CaretPos);
    std::string prefix = text.substr(0, prefixBytes);
    if (prefix.empty()) return;
    const bool cs = FGrid->LookupCaseSensitive;
    if (!cs) prefix = AnsiUpperCase(prefix);
    for (int i = 0; i < FGrid->LookupItems().Count(); ++i) {
        const std::string item = FGrid->LookupItems()[i];
        const std::string cmp = cs ? item : AnsiUpperCase(item);
        if (cmp.compare(0, prefix.size(), prefix) != 0) continue;
        const WideString rest = Utf8ToWide(item.substr(std::min(prefix.size(), item.size())));
        const std::string typed = text.substr(0, prefixBytes);
        SetText(typed + WideToUtf8(rest.substr(0, 255)));
        const int start = CharCount(typed);
        Select(start, CharCount(Text()) - start);
        GotKey = false;
        return;
    }
}

// --- clipboard --------------------------------------------------------------------------

void TExInplaceEdit::CopyToClipboard()
{
    bool allow = true;
    if (FGrid->OnClipboardCopy) FGrid->OnClipboardCopy(this, allow);
    if (allow) TInplaceEdit::CopyToClipboard();
}

void TExInplaceEdit::CutToClipboard()
{
    bool allow = true;
    if (FGrid->OnClipboardCut) FGrid->OnClipboardCut(this, allow);
    if (allow) TInplaceEdit::CutToClipboard();
}

void TExInplaceEdit::PasteFromClipboard()
{
    bool allow = ClipboardHasText();
    std::string text = ClipboardText();
    if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, allow);
    if (allow && FGrid->OnClipboardBeforePasteCell)
        FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), text, allow);
    if (!allow) return;
    if (FLengthLimit > 0 && CharCount(text) > FLengthLimit) return;
    // A single line copied with its line break pastes without it.
    const size_t crlf = text.find("\r\n");
    if (crlf != std::string::npos && crlf + 2 == text.size()) text.erase(crlf);

    const std::string old = Text();
    const bool hadSel = SelLength > 0;
    const int start = hadSel ? SelStart : CaretPos;
    const size_t a = ByteOffset(old, start), b = ByteOffset(old, start + (hadSel ? SelLength : 0));
    std::string merged = old.substr(0, a) + text + old.substr(b);
    if (FLengthLimit > 0 && CharCount(merged) > FLengthLimit) return;
    const int pasted = CharCount(text);

    bool take = true;
    switch (Kind()) {
    case edNumeric:
    case edPositiveNumeric:
        take = NumberTextKind(merged) == nkInteger && !(Kind() == edPositiveNumeric && Contains(merged, '-'));
        break;
    case edFloat:
    case edPositiveFloat: {
        const int k = NumberTextKind(merged);
        take = (k == nkInteger || k == nkDecimal) && !(Kind() == edPositiveFloat && Contains(merged, '-'));
        break;
    }
    case edValidChars: {
        const WideString w = Utf8ToWide(merged);
        for (char16_t c : w)
            if (FGrid->ValidChars.find(CharText(c)) == std::string::npos) take = false;
        break;
    }
    case edMixedCase: merged = MixedCaseText(merged); break;
    case edLowerCase: merged = AnsiLowerCase(merged); break;
    case edUpperCase: merged = AnsiUpperCase(merged); break;
    default: break;
    }
    if (take) SetText(merged);
    FGrid->SetCurrentEditText(Text());
    if (hadSel)
        Select(start, pasted);
    else
        Select(start + pasted, 0);
    if (FGrid->OnClipboardAfterPasteCell) FGrid->OnClipboardAfterPasteCell(this, FGrid->Col(), FGrid->Row(), Text());
}
