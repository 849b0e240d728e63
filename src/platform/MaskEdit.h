#pragma once
// The class library's masked edit (TCustomMaskEdit): a one-line edit field
// that descendants extend through its dynamic steps, with an optional edit
// mask, a caret and selection, a formatting rectangle, clipboard messages and
// child controls placed inside it (the buttons of spin and button edits).
//
// Keys follow the class library: KeyDown (fires OnKeyDown) sees every key
// first and may swallow it by setting it to 0; a key that types a character
// then goes through KeyPress (fires OnKeyPress), which may drop it (0) or
// replace it; the field inserts what is left. Ctrl+letter types the control
// character 1..26: Ctrl+V (22), Ctrl+X (24) and Ctrl+C (3) paste, cut and
// copy through the clipboard messages only when KeyPress lets them pass;
// Shift+Insert and Shift+Delete paste and cut whatever KeyPress says.
// Pasting and cutting always go through WMPaste / WMCut, so a descendant
// that overrides them sees every paste and cut.
//
// Edit masks have the class library's form "mask;save literals;blank"
// (EditMask). The mask characters L l A a C c 0 9 # > < <> \ map to the
// platform's input mask; ':' and '/' stand for the locale's time and date
// separators and '_' for a blank shown as a space. The '!' directive (keep
// leading blanks) has no counterpart and is left out. Every other character
// is a literal, also the characters the platform would read as mask
// characters of its own (N n X x D d H h B b [ ] { }).

#include "platform/Controls.h"

#include <memory>
#include <string>

enum class TBorderStyle { bsNone, bsSingle };

// The platform's input mask for a class-library edit mask (the mask part
// only), and whether the mask's literals belong to Text.
std::string PlatformInputMask(const std::string& editMask, bool& saveLiterals);

class TCustomMaskEdit : public TWinControl {
public:
    explicit TCustomMaskEdit(TWinControl* parent);
    ~TCustomMaskEdit() override;
    const char* ClassName() const override { return "TMaskEdit"; }

    // With a mask: the characters typed, blanks as spaces, the literals only
    // when the mask saves them. Setting it fills the mask's places in order.
    std::string Text() const;
    void SetText(const std::string& s);
    // The text as shown (with a mask: literals and blank characters).
    std::string EditText() const;
    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(const std::string& mask);

    // Typing and pasting stop at MaxLength characters (0: no limit); a text
    // set by the program may be longer.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    // Set by every change the user makes (typing, pasting, cutting); a text
    // set by the program clears it.
    bool Modified() const;
    void SetModified(bool v);
    // Entering the field by keyboard or program selects all of it.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v) { autoSelect_ = v; }
    void SetPasswordChar(char c);

    int SelStart() const;
    // Puts the caret at p (clamped to the text) with nothing selected.
    void SetSelStart(int p);
    int SelLength() const;
    // Selects n characters from SelStart.
    void SetSelLength(int n);
    std::string SelText() const;
    // Replaces the selection (inserts at the caret when nothing is selected).
    void SetSelText(const std::string& s);
    void SelectAll();

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle b);
    // The formatting rectangle (EM_SETRECT) in client coordinates; the text
    // is laid out inside it.
    TRect EditRect() const { return editRect_; }
    void SetEditRect(const TRect& r);
    // EM_CHARFROMPOS: index of the character boundary nearest the client
    // point; -1 outside the client area.
    int CharFromPos(int x, int y) const;

    // The screen point of a point in the client area.
    TPoint ClientToScreen(const TPoint& p) const;

    // The clipboard messages (WM_PASTE, WM_CUT, WM_COPY).
    void PasteFromClipboard() { WMPaste(); }
    void CutToClipboard() { WMCut(); }
    void CopyToClipboard() { WMCopy(); }

    TNotifyEvent OnChange;

    struct QtField;

protected:
    // Dynamic steps (see above); the base ones fire the events.
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void Change();
    // WM_PASTE / WM_CUT: the base pastes the clipboard's text over the
    // selection (cut at MaxLength) and cuts the selection; nothing while
    // read-only.
    virtual void WMPaste();
    virtual void WMCut();
    // WM_COPY: the base copies the selection (not in a password field); the
    // base cut copies through it.
    virtual void WMCopy();
    // After the field itself handled a key that KeyDown and KeyPress let
    // pass (it may have moved the caret).
    virtual void AfterKey() {}
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // A turn of the wheel over the field (delta 120 a notch away from the
    // user); true takes it.
    virtual bool MouseWheel(TShiftState Shift, int Delta, int X, int Y);
    // After the field painted itself, on its canvas.
    virtual void PaintAfter(TCanvas& Canvas);
    // After every change of the size.
    virtual void Resized() {}
    // Asked when the focus arrives (byMouse: from a click); true selects all.
    virtual bool SelectAllOnEnter(bool byMouse) const;
    // True while the key being handled comes from the numeric keypad.
    bool KeyFromKeypad() const { return keypad_; }
    // Inserts a typed character as the field does (mask, limit, read-only).
    void InsertChar(char32_t ch);

    bool DoKeyDown(int& key, TShiftState shift) override;
    bool DoKeyPress(char32_t& key) override;
    bool DoKeyUp(int& key, TShiftState shift) override;
    // Entering: selects all when SelectAllOnEnter answers so (not when the
    // focus only comes back with the window), then the base (OnEnter).
    void DoEnter() override;

private:
    friend struct QtField;
    std::string editMask_;
    bool saveLiterals_ = true;
    int maxLength_ = 0;
    bool autoSelect_ = true;
    bool keypad_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TRect editRect_;
    bool editRectSet_ = false;
    int focusReason_ = 0;
};
