#pragma once
// The search bar along the bottom of a string grid: an edit for the search
// text, find next, find previous and highlight buttons, a match-case box
// and a close button. The grid creates it hidden (height 0) and keeps it for
// its whole life; the bar's child controls exist from its window creation
// on. Like the grid it is windowless here: it holds its children's places,
// texts and states, takes input through the methods below and paints onto
// a canvas it is given. The bar only raises events; the grid connects them
// to its search code.

#include "platform/ClassBase.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

#include <functional>
#include <memory>
#include <string>

class TExStringGrid;
class TSearchFooter;

using TSearchPanelEvent = std::function<void(TObject* Sender)>;

// One button or check box of the bar.
class TSearchPanelControl : public TObject {
public:
    std::string ClassName() const override { return "TSearchPanelControl"; }
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
    bool Enabled = true;
    std::string Caption;
    std::string Hint;
    bool ShowHint = false;
    bool ParentFont = true;
    // Names of the program's bitmaps shown in the button's states.
    std::string Glyph, GlyphDisabled, GlyphHot, GlyphDown;
    // A check button stays down after a click until clicked again; a check
    // box toggles Checked.
    bool CheckStyle = false;
    bool Down = false;
    bool Checked = false;
    bool PlainFont = false;
    TSearchPanelEvent OnClick;
    // A click as the user makes it: nothing while hidden or disabled.
    void Click();
};

// The search text edit: Enter reports OnReturn (Ctrl+Enter OnCtrlReturn)
// and is not handled further; the characters CR and LF go to OnKeyPress and
// are not inserted.
class TRetEdit : public TObject {
public:
    std::string ClassName() const override { return "TRetEdit"; }
    const std::string& Text() const { return FText; }
    // Fires OnChange when the text changes.
    void SetText(const std::string& Value);
    // Key down: true when the edit took the key.
    bool KeyDown(int& Key, TShiftState Shift);
    // A typed character: appended to the text unless it is CR or LF.
    void KeyPress(char32_t& Key);

    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 21;
    bool MultiLine = true;
    TColor Color = clWindow;
    TSearchPanelEvent OnChange;
    TSearchPanelEvent OnReturn;
    TSearchPanelEvent OnCtrlReturn;
    std::function<void(TObject* Sender, char32_t& Key)> OnKeyPress;

private:
    std::string FText;
};

class TSearchPanel : public TComponent {
public:
    // AOwner must be a TExStringGrid (EInvalidCast otherwise).
    explicit TSearchPanel(TComponent* AOwner);
    ~TSearchPanel() override;
    std::string ClassName() const override { return "TSearchPanel"; }
    TExStringGrid* Grid() const { return FGrid; }

    // Creates and places the child controls (once); then the grid's
    // OnCreatedSearchFooter.
    void CreateWnd();
    bool WindowCreated() const { return FEdit != nullptr; }
    // The children (nullptr before CreateWnd).
    TRetEdit* Edit() const { return FEdit.get(); }
    TSearchPanelControl* ExitButton() const { return FExitButton.get(); }
    TSearchPanelControl* ForwardButton() const { return FForwardButton.get(); }
    TSearchPanelControl* BackwardButton() const { return FBackwardButton.get(); }
    TSearchPanelControl* HighlightButton() const { return FHighlightButton.get(); }
    TSearchPanelControl* MatchCase() const { return FMatchCase.get(); }

    // Takes the search footer's settings: colours, font, visibility (32
    // pixels high when visible, else 0), captions, hints and which controls
    // show.
    void UpdateFrom(const TSearchFooter& Footer);
    // Fills with Color, or a top-to-bottom gradient to ColorTo in 32 bands,
    // and draws the grid-line coloured line along the top.
    void Paint(TCanvas& Canvas) const;

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    // Each setter also updates the child control when it exists.
    void SetFindNextCaption(const std::string& Value);
    void SetFindPrevCaption(const std::string& Value);
    void SetHighlightCaption(const std::string& Value);
    void SetMatchCaseCaption(const std::string& Value);
    void SetFindNextHint(const std::string& Value);
    void SetFindPrevHint(const std::string& Value);
    void SetCloseHint(const std::string& Value);
    void SetHighlightHint(const std::string& Value);

    int Width = 0;
    int Height = 0;
    TColor Color = clBtnFace;
    TFont Font;
    bool RightToLeft = false;
    TSearchPanelEvent OnForwardClick;
    TSearchPanelEvent OnBackwardClick;
    TSearchPanelEvent OnEditChange;
    TSearchPanelEvent OnExitClick;
    TSearchPanelEvent OnHighlightClick;

private:
    void EditChanged();
    void PlaceMatchCase();
    void Mirror();
    static void SetHintOf(TSearchPanelControl* c, const std::string& Value);

    TExStringGrid* FGrid;
    std::unique_ptr<TRetEdit> FEdit;
    std::unique_ptr<TSearchPanelControl> FExitButton;
    std::unique_ptr<TSearchPanelControl> FForwardButton;
    std::unique_ptr<TSearchPanelControl> FBackwardButton;
    std::unique_ptr<TSearchPanelControl> FHighlightButton;
    std::unique_ptr<TSearchPanelControl> FMatchCase;
    bool FVisible = false;
    TColor FColorTo = clNone;
    std::string FFindNextCaption, FFindPrevCaption, FHighlightCaption, FMatchCaseCaption;
    std::string FFindNextHint, FFindPrevHint, FCloseHint, FHighlightHint;
};
