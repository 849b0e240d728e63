// TExStringGrid: the keyboard layer (the key-down, character and key-up
// messages of the grid's window).

#include "widgets/ExStringGrid.h"

#include "widgets/GridUtil.h"
#include "widgets/grid_render/ExInplaceEdit.h"
#include "platform/SysUtils.h"

// The character message: typing opens the editor with the typed character.
void TExStringGrid::CharMessage(TKeyChar& Key)
{
    const int rc = RealColIndex(Col());
    const std::string text = Cells(rc, Row());
    if (CellTextKind(text, EnableHTML) == ctkHTML && UpperCase(text).find("<CONTROL") != std::string::npos) {
        // Operated through its inline controls.
        Key = 0;
        return;
    }
    if (FMouseActions->EditOnDblClickOnly()) {
        bool canEdit = true;
        CanEditCell(rc, Row(), canEdit);
        if (canEdit) SetOptions(Options() + goEditing);
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (FNavigation->AllowClipboardShortCuts && ctrl && (Key == 3 || Key == 22 || Key == 24)) {
        Key = 0;
        return;
    }
    if (FMouseActions->RangeSelectAndEdit && !HasClickableGraphic(rc, Row()) && IsEditable(rc, Row()) &&
        Key != 9 && Key != 27 && !ctrl) {
        TKeyChar k = Key;
        if (OnKeyPress) OnKeyPress(this, k);
        FStartEditChar = Key;
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
    if (Key == 13 && HasClickableGraphic(rc, Row()) && FNavigation->AdvanceOnEnter) {
        KeyPress(Key);
        passed = true;
    }
    if (Options().Contains(goEditing) && (Key == 8 || (Key >= 32 && Key <= 255))) {
        if (OnKeyPress) OnKeyPress(this, Key);
        if (Key == 0) return;
        FStartEditChar = Key;
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
