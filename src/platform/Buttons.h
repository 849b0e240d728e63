#pragma once
// The class library's buttons as bases for descendants.
//
// TSpeedButton: a button that takes no
// focus, with a caption and a glyph, an up and a pressed look and a flat
// look that shows a frame only under the mouse. A left press and a release
// over the button click it (OnClick); the release is delivered to the
// button even when the mouse left it meanwhile.

#include "platform/Controls.h"
#include "platform/Graphics.h"

#include <string>

class TSpeedButton : public TCustomControl {
public:
    explicit TSpeedButton(TWinControl* parent);
    const char* ClassName() const override { return "TSpeedButton"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);
    // The glyph: NumGlyphs pictures side by side (up, disabled, down);
    // the bottom-left pixel's colour is transparent.
    const TBitmap& Glyph() const { return glyph_; }
    void SetGlyph(const TBitmap& b);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    // True while the left button holds the button down over it.
    bool Pressed() const { return pressed_ && over_; }
    // True while the left button holds the button down (over it or not).
    bool Holding() const { return pressed_; }
    bool MouseInControl() const { return mouseIn_; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    // A press and release over the button click it unless this answers false.
    virtual bool ClicksOnRelease() const { return true; }
    // The glyph for the current state, drawn centred in r (moved by one
    // pixel while pressed) with its transparent colour left out.
    void DrawGlyph(TCanvas& canvas, const TRect& r);

private:
    std::string caption_;
    TBitmap glyph_;
    int numGlyphs_ = 1;
    bool flat_ = false;
    bool pressed_ = false;
    bool over_ = false;
    bool mouseIn_ = false;
};

// TButton: the platform's push button. A left press and release over it, or
// Space down and up while it has the focus, click it (OnClick). MouseDown
// and MouseUp see the mouse before the platform does; KeyDown / KeyUp
// (OnKeyDown / OnKeyUp) see the keys first and may swallow them.
class TButton : public TWinControl {
public:
    explicit TButton(TWinControl* parent);
    const char* ClassName() const override { return "TButton"; }
    std::string Caption() const;
    void SetCaption(const std::string& s);
    struct QtButton;

protected:
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    bool DoKeyDown(int& key, TShiftState shift) override;
    bool DoKeyUp(int& key, TShiftState shift) override;
};

// TCustomCheckBox: the platform's check box as a base. A left press and
// release over it, or Space down and up, toggle it (Toggle) unless
// TogglesOnClick answers false; a state change fires OnClick.
class TCustomCheckBox : public TWinControl {
public:
    explicit TCustomCheckBox(TWinControl* parent);
    const char* ClassName() const override { return "TCheckBox"; }
    std::string Caption() const;
    void SetCaption(const std::string& s);
    bool Checked() const;
    void SetChecked(bool v);
    bool Grayed() const;
    void SetGrayed(bool v);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    // The class library's toggle: unchecked becomes checked (grayed when
    // grayed is allowed), checked becomes unchecked, grayed checked.
    virtual void Toggle();
    struct QtCheck;

protected:
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual bool TogglesOnClick() const { return true; }
    bool DoKeyDown(int& key, TShiftState shift) override;
    bool DoKeyUp(int& key, TShiftState shift) override;

private:
    bool allowGrayed_ = false;
};
