#pragma once
// TEsgCustomCombo / TEsgComboBox: the combo box the grid's combo editor is
// built on. The platform's combo box with an owner-painted look on top: a
// flat look with a thin frame, coloured or focus-dependent borders, a
// coloured or themed drop-down button with hot and pressed states, a focus
// colour, a caption label in one of thirteen places, the width of the open
// list and a close-up event. Items, styles, selection and the list are the
// platform's.

#include "widgets/grid_render/Editor_Label.h"

#include "platform/ComboBoxes.h"
#include "platform/Graphics.h"

#include <string>

class TEsgCustomCombo : public TCustomComboBox {
public:
    explicit TEsgCustomCombo(TWinControl* parent);
    ~TEsgCustomCombo() override;
    const char* ClassName() const override { return "TEsgCustomCombo"; }

    // Chooses the item equal to AString (ignoring case); nothing when none.
    void SelectItem(const std::string& AString);
    // Remembers the current colour as the one to return to after focus.
    void Init();

    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool v) { FAutoFocus = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    // 14..32; other values are ignored.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v) { FFocusBorder = v; }
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int v);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor v);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool v);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { FFocusColor = v; }
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v) { FDisabledBorder = v; }
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }
    // Drop-down button colours (clNone: the platform's button).
    TColor ButtonColor = clNone, ButtonColorHot = clNone, ButtonColorDown = clNone, ButtonBorderColor = clNone,
           ButtonTextColor = clNone, ButtonTextColorHot = clNone, ButtonTextColorDown = clNone;
    // Themed drawing asked for by the owner; the platform's own themed combo.
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v) { FIsWinXP = v; Invalidate(); }
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool v) { FIsVista = v; Invalidate(); }
    bool IsThemed() const { return FIsThemed; }

    // The caption label (made on first use).
    std::string LabelCaption() const;
    void SetLabelCaption(const std::string& s);
    TLabel* Label() const { return FLabel; }
    TFont& LabelFont() { return FLabelFont; }
    void SetLabelFont(const TFont& f);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);

    void SetColor(TColor c) override;
    void SetEnabled(bool v) override;
    // Shows or hides the control and its label.
    void SetVisible(bool v);
    void SetBounds(int left, int top, int width, int height) override;

    // Loading: between BeginLoading and Loaded the colour given is the
    // loaded colour; Loaded applies the drop width, colour, label and Init.
    void BeginLoading() { FLoading = true; }
    void Loaded();
    bool Loading() const { return FLoading; }

    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    bool HasFocus() const { return FHasFocus; }

    // The button and the borders this control paints over the platform's
    // look (both in the control's coordinates).
    void PaintButton(TCanvas& c);
    void PaintBorders(TCanvas& c);
    // Whether the control paints the button (and then the borders) itself.
    bool PaintsItself() const;

    TNotifyEvent OnDropUp;

protected:
    void PaintAfter(TCanvas& Canvas) override;
    void DropDown() override;
    void CloseUp() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    void Enter() override;
    void Exit() override;

private:
    void PlaceLabel();
    TLabel* CreateLabel();
    bool Hot() const;
    TColor ParentColor() const;

    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = clWindow;
    TColor FLoadedColor = clWindow;
    bool FOldParentColor = false;
    int FButtonWidth = 19;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    int FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed = true;
    bool FButtonHover = false;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    int FLabelMargin = 4;
    TFont FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    TEditLabel* FLabel = nullptr;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clNone;
    TColor FFocusBorderColor = clNone;
    TColor FBorderColor = clNone;
    bool FDisabledBorder = true;
    TColor FNormalColor = clWindow;
    bool FHasFocus = false;
    bool FFocusLabel = false;
    bool FIsVista = false;
    bool FLoading = false;
};

// The published form (no fields of its own).
class TEsgComboBox : public TEsgCustomCombo {
public:
    using TEsgCustomCombo::TEsgCustomCombo;
    const char* ClassName() const override { return "TEsgComboBox"; }
};
