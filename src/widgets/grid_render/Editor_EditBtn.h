#pragma once
// TEsgEditBtn: a masked edit with a small push button at its right edge;
// the button (or F4) raises OnClickBtn for the owner to act on.
// TEsgUnitEditBtn adds a unit: the edit holds a number, the unit is painted
// between the number and the button, and the button opens a menu of units.
// TEsgEditButton is the embedded button's window, TExSpeedButton the
// button painted inside it.

#include "platform/Buttons.h"
#include "platform/Classes.h"
#include "platform/MaskEdit.h"

#include <functional>
#include <string>

class TEsgEditButton;

// The speed button inside TEsgEditButton.
class TExSpeedButton : public TSpeedButton {
public:
    explicit TExSpeedButton(TWinControl* parent) : TSpeedButton(parent) {}
    const char* ClassName() const override { return "TExSpeedButton"; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v)
    {
        FIsWinXP = v;
        Invalidate();
    }
    bool Hot() const { return MouseInControl(); }

protected:
    void Paint() override;

private:
    bool FIsWinXP = false;
};

class TEsgEditButton : public TCustomControl {
public:
    explicit TEsgEditButton(TWinControl* parent);
    const char* ClassName() const override { return "TEsgEditButton"; }

    TExSpeedButton* Button() const { return FButton; }
    const std::string& ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const std::string& s) { FButton->SetCaption(s); }
    const TBitmap& Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap& b) { FButton->SetGlyph(b); }
    void SetNumGlyphs(int n) { FButton->SetNumGlyphs(n); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TControl* c) { FFocusControl = c; }

    TColor ButtonColorDown = clNone, ButtonBorderColor = clNone, ButtonTextColor = clNone,
           ButtonTextColorHot = clNone, ButtonColor = clNone, ButtonColorHot = clNone,
           ButtonTextColorDown = clNone;

    void SetBounds(int left, int top, int width, int height) override;

private:
    void ButtonClicked();
    TExSpeedButton* FButton = nullptr;
    TControl* FFocusControl = nullptr;
    bool FFlat = false;
};

class TEsgEditBtn : public TCustomMaskEdit {
public:
    explicit TEsgEditBtn(TWinControl* parent);
    const char* ClassName() const override { return "TEsgEditBtn"; }

    // Fires OnClickBtn with Sender (the embedded button passes itself, F4
    // passes the edit).
    virtual void ClickButton(TControl* Sender);

    TEsgEditButton* EditButton() const { return FButton; }
    const std::string& ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const std::string& s) { FButton->SetButtonCaption(s); }
    const TBitmap& Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap& b) { FButton->SetGlyph(b); }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool v);
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    // Space kept for a unit between the text and the button.
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int v);

    TNotifyEvent OnClickBtn;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void WMPaste() override;
    void WMCut() override;
    void Resized() override;
    void Layout();

    int FUnitSize = 0;
    bool FRightAlign = false;

private:
    int MinHeight() const;
    TEsgEditButton* FButton = nullptr;
    bool FEditorEnabled = true;
    int FButtonWidth = 0;
    bool FIsWinXP = false;
};

class TEsgUnitEditBtn : public TEsgEditBtn {
public:
    explicit TEsgUnitEditBtn(TWinControl* parent);
    const char* ClassName() const override { return "TEsgUnitEditBtn"; }

    const std::string& UnitID() const { return FUnitID; }
    void SetUnitID(const std::string& v);
    const TStringList& Units() const { return FUnits; }
    TStringList& Units() { return FUnits; }
    // Copies the list; nullptr is ignored.
    void SetUnits(const TStringList* v);
    // The text followed by the unit. Writing looks for the first unit (in
    // list order) whose first occurrence in the value ends at its end: the
    // text becomes what comes before it and the unit the unit; when no unit
    // fits, nothing changes.
    std::string TextAndUnit() const;
    void SetTextAndUnit(const std::string& Value);

    // OnClickBtn, then the menu of units.
    void ClickButton(TControl* Sender) override;

    std::function<void(TControl* Sender, const std::string& NewUnit)> OnUnitChanged;

protected:
    void PaintAfter(TCanvas& Canvas) override;

private:
    std::string FUnitID;
    TStringList FUnits;
};
