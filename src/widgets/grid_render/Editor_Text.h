#pragma once
// TExInplaceEdit: the grid's in-place editor of the text kinds (edNormal,
// edNumeric, edPositiveNumeric, edFloat, edPositiveFloat, edCapital,
// edMixedCase, edPassword, edLowerCase, edUpperCase, edValidChars). The
// grid makes it on the first text edit and shows it over the current cell
// for every later one. It adds to the class library's in-place edit the
// characters each kind takes, the paste rules, the length limit, the hand-
// over of Tab, Enter and the arrows to validation and navigation, the
// completion from the grid's lookup list, the clipboard events and the
// report of the end of the edit when it loses the focus.

#include "widgets/GridTypes.h"

#include "platform/Grids.h"

#include <string>

class TExStringGrid;

// Whether the kind is edited by the text editor.
bool IsTextEditorKind(TEditorType e);

class TExInplaceEdit : public TInplaceEdit {
public:
    explicit TExInplaceEdit(TExStringGrid* AGrid);
    std::string ClassName() const override { return "TExInplaceEdit"; }
    TExStringGrid* Grid() const { return FGrid; }

    // The editor's length limit (0 or less: none), from the grid's
    // GetEditLimit whenever the editor gets the focus.
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v) { FLengthLimit = v; }
    // Right alignment and line wrapping of the editor.
    bool VAlign = false;
    bool WordWrap = false;
    // The character that opened the editor: typed over the editor's
    // (selected) text through the kind's filter.
    void TypeFirstChar(TKeyChar Key);
    // Lookup completion against the grid's LookupItems (run after each key
    // release).
    void DoChange();
    // The cell being edited (displayed column and row).
    int EditCol() const { return FColE; }
    int EditRow() const { return FRowE; }
    // Whether the editor has had the focus since the last end-of-edit
    // report.
    bool GotFocus() const { return FGotFocus; }

    // The steps of the class library's in-place edit.
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void Change() override;
    void FocusGained() override;
    bool SelectsAllWhenShown() const override;
    void FocusLost(bool ToGrid) override;
    void CopyToClipboard() override;
    void CutToClipboard() override;
    void PasteFromClipboard() override;
    void DblClick() override;
    bool MultiLine() const override;

protected:
    void UpdateContents() override;

private:
    // The key-down message (validation and hand-over of keys), then the
    // dynamic key-down step.
    void KeyDownStep(int& Key, TShiftState Shift);
    // The character message: the filter of the editor kind.
    void FilterChar(TKeyChar& Key);
    // Shows a text without reporting it as an edit.
    void ShowText(const std::string& s);
    // A refused validation: the value the validation left, selected or with
    // the caret at its end, and the old cell text back.
    void Refused(const std::string& Saved);
    // The typed text written into the current cell (an editor left as
    // opened keeps the cell's mark-up).
    void StoreTyped();
    TEditorType Kind() const;
    // Enter inserts a line break (LineFeedOnEnter, a text kind).
    bool BreaksLineOnEnter() const;

    TExStringGrid* FGrid;
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int FLengthLimit = 0;
    bool GotKey = false;
    bool FGotFocus = false;
    bool Workmode = true;
    int FColE = -1;
    int FRowE = -1;
    bool FAltBack = false;
    bool FLastKeyDecimal = false;
};
