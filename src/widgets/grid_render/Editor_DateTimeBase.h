#pragma once
// TEsgDateTimePicker: the platform's date-time picker with the flat look the
// grid switches on with its colour tones: a drop-down button in plain
// colours with its own arrow, a one-pixel border in a chosen colour, a
// border colour of its own while focused, hover and focus feedback. Without
// that look (the default) it paints as the platform's picker.
//
// TFlatDateTimePicker holds the look; TEsgDateTimePicker here and
// TCustomDateTimePicker (Editor_DateTime.h) are its two variants, which
// differ in a few rules (see FlatVariant).

#include "platform/DateTimePicker.h"
#include "platform/Graphics.h"

#include <string>

// "$1FFFFFFF"-style colours: clNone means not set.
class TFlatDateTimePicker : public TDateTimePicker {
public:
    enum class TPickerBorderStyle { bsNone, bsSingle };

    explicit TFlatDateTimePicker(TWinControl* parent);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool v);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; Invalidate(); }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v) { FDisabledBorder = v; Invalidate(); }
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v) { FFocusBorder = v; }
    bool Ctl3D() const { return FCtl3D; }
    // A change of the 3-D look repaints the control.
    void SetCtl3D(bool v);
    TPickerBorderStyle BorderStyle() const { return FBorderStyle; }
    // Stores the style and repaints when it changed.
    virtual void SetBorderStyle(TPickerBorderStyle v);
    int ButtonWidth() const { return FButtonWidth; }
    bool ButtonHover() const { return FButtonHover; }
    bool MouseInControl() const { return FMouseInControl; }
    bool HasFocus() const { return FHasFocus; }
    bool IsThemed() const { return FIsThemed; }
    bool IsWinXP() const { return FIsWinXP; }

    // Written directly by the grid's colour tones.
    TColor ButtonColorDown = clNone, ButtonBorderColor = clNone, ButtonTextColor = clNone,
           ButtonTextColorHot = clNone, ButtonColor = clNone, ButtonColorHot = clNone,
           ButtonTextColorDown = clNone;

    // Everything the look draws over the platform's painting, on a canvas in
    // the control's coordinates (the window rectangle is the control's).
    void PaintLook(TCanvas& c);
    // Its parts.
    void DrawBorderFrame(TCanvas& c);
    void BorderRefresh(TCanvas& c);
    void DrawMetroButton(TCanvas& c);
    void DrawNonClientLines(TCanvas& c);
    bool MetroActive() const;

protected:
    // The rules in which the two variants differ.
    struct FlatVariant {
        bool extended = false; // TCustomDateTimePicker's rules
    };
    void SetVariant(FlatVariant v) { FVariant = v; }
    // True: no metro look and no border refresh (a plain embedded picker).
    virtual bool NoCustomBorder() const { return false; }

    void PaintAfter(TCanvas& Canvas) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void DropDown() override;
    void CloseUp() override;

    TPickerBorderStyle FBorderStyle = TPickerBorderStyle::bsNone;
    TColor FBorderColor = clNone;
    bool FIsThemed = true;
    int FButtonWidth = 19;
    bool FButtonHover = false;
    bool FMouseInControl = false;
    bool FIsWinXP = true;
    bool FMetroStyle = false;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = false;
    bool FHasFocus = false;
    bool FFocusBorder = false;
    bool FCtl3D = true;

private:
    bool Themed() const;
    bool Hot() const;
    TColor ParentColor() const;
    void DrawClassicButtonEdge(TCanvas& c);
    FlatVariant FVariant;
};

class TEsgDateTimePicker : public TFlatDateTimePicker {
public:
    explicit TEsgDateTimePicker(TWinControl* parent);
    const char* ClassName() const override { return "TEsgDateTimePicker"; }
    // "1.0.0.0"; writing it changes nothing.
    std::string Version() const;
    void SetVersion(const std::string&) {}
    int GetVersionNr() const { return 0x01000000; }
};

// The four bytes of a version number, most significant first, joined by ".".
std::string VersionText(int nr);
