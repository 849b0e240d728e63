#pragma once
// TExCheckBox: the grid's own check box for its search footer and panels.
// Owner-drawn in the platform's visual style (or the classic look when
// styles are off), three states, a caption left or right of the box, and
// an optional transparent background over its parent.
//
// A click is a press and a release inside the focused box; Space down and
// up does the same; Enter moves on as Tab does when ReturnIsTab is set.

#include "widgets/CellGraphic.h"

#include "platform/Controls.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <string>

enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

// The platform's visual style is in use for check boxes: version 5.1 or
// later, the style active and version-6 common controls.
bool CheckBoxVisualStyle();

class TExCheckBox : public TCustomControl {
public:
    explicit TExCheckBox(TWinControl* parent);
    const char* ClassName() const override { return "TExCheckBox"; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TTextLayout v);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool Hot() const { return FHot; }

    // Checked := not Checked (a grayed box becomes checked); nothing when
    // ReadOnly.
    void Toggle();
    void SetBounds(int left, int top, int width, int height) override;

    // The face as Paint draws it, in a bitmap of the box's size.
    TBitmap RenderFace();
    // The rectangle of the box (16 x 16 area the mouse invalidates).
    TRect BoxRect() const;

    bool DialogChar(char32_t ch) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void FocusChanged() override;
    bool KeyDownMsg(int key, TShiftState shift) override;
    bool KeyUpMsg(int key, TShiftState shift) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;

private:
    void PaintFace(TCanvas& c);

    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FEllipsis = false;
    std::string FCaption = "TExCheckBox";
    bool FIsWinXP = true;
    bool FHot = false;
    bool FClicksDisabled = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    TBitmap FBkgBmp;
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
};
