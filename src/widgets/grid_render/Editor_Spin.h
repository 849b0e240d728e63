#pragma once
// TEsgSpinEdit: a masked edit with a pair of spin buttons at its right edge
// that edits one value of four kinds (integer, floating point, date, time).
// The buttons, Up / Down and PageUp / PageDown step the value, the limits
// keep it in range and typed characters are filtered by kind.
// TEsgSpinButton is the button pair; TExTimerSpeedButton each button, which
// steps once when pressed and again while held (after 400 ms, then every
// 100 ms).
//
// Conversions never raise: a text that does not read as the kind's value
// gives the kind's fallback (see the getters). Steps on a read-only edit
// only beep.

#include "platform/Buttons.h"
#include "platform/DateUtils.h"
#include "platform/MaskEdit.h"
#include "platform/Timer.h"

#include <cstdint>
#include <memory>

enum TEsgSpinType : std::uint8_t { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection : std::uint8_t { spVertical, spHorizontal };
enum TEditAlign : std::uint8_t { eaLeft, eaRight, eaCenter };
enum TButtonDirection : std::uint8_t { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateItem : std::uint8_t { tbFocusRect, tbAllowTimer };
using TTimeBtnState = TSet<TTimeBtnStateItem>;

// A speed button that repeats its click while it is held down.
class TExTimerSpeedButton : public TSpeedButton {
public:
    explicit TExTimerSpeedButton(TWinControl* parent);
    ~TExTimerSpeedButton() override;
    const char* ClassName() const override { return "TExTimerSpeedButton"; }

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState v) { FTimeBtnState = v; }
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    // The repeat timer (made by the first press).
    TTimer* RepeatTimer() const { return FRepeatTimer.get(); }
    // A left press on the button (before it clicks).
    std::function<void(TExTimerSpeedButton* Sender)> OnPress;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool ClicksOnRelease() const override;

private:
    void TimerExpired();
    std::unique_ptr<TTimer> FRepeatTimer;
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
};

// The pair of spin buttons.
class TEsgSpinButton : public TCustomControl {
public:
    explicit TEsgSpinButton(TWinControl* parent);
    const char* ClassName() const override { return "TEsgSpinButton"; }

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    // A glyph for the button; an empty bitmap loads the default picture.
    void SetUpGlyph(const TBitmap& b);
    void SetDownGlyph(const TBitmap& b);
    void SetUpNumGlyphs(int n) { FUpButton->SetNumGlyphs(n); }
    void SetDownNumGlyphs(int n) { FDownButton->SetNumGlyphs(n); }
    TControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TControl* c) { FFocusControl = c; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    TExTimerSpeedButton* UpButton() const { return FUpButton; }
    TExTimerSpeedButton* DownButton() const { return FDownButton; }
    TExTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

    TColor ButtonColorDown = clNone, ButtonBorderColor = clNone, ButtonTextColor = clNone,
           ButtonTextColorHot = clNone, ButtonColor = clNone, ButtonColorHot = clNone,
           ButtonTextColorDown = clNone;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Paint() override;
    bool KeyDownMsg(int key, TShiftState shift) override;
    void FocusChanged() override { Invalidate(); }

private:
    void Layout();
    void ButtonPressed(TExTimerSpeedButton* b);
    void SetFocusBtn(TExTimerSpeedButton* b);
    TExTimerSpeedButton* FUpButton = nullptr;
    TExTimerSpeedButton* FDownButton = nullptr;
    TExTimerSpeedButton* FFocusedButton = nullptr;
    TControl* FFocusControl = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

class TEsgSpinEdit : public TCustomMaskEdit {
public:
    explicit TEsgSpinEdit(TWinControl* parent);
    ~TEsgSpinEdit() override;
    const char* ClassName() const override { return "TEsgSpinEdit"; }

    // Integer: the trimmed text as an integer, 0 for an empty text,
    // MinValue when it is no integer. Setting limits it to [MinValue,
    // MaxValue] (no limit when they are equal).
    int Value() const;
    void SetValue(int v);
    // The text as a number in the locale's format, MinValue (the integer
    // minimum) when it is none. Setting limits it to [MinFloatValue,
    // MaxFloatValue] (no limit when equal) and shows Precision decimals
    // (0: the shortest form).
    double FloatValue() const;
    void SetFloatValue(double v);
    // Now for the text "0" or an empty text, else the text as a date,
    // MinDateValue when it is none. Setting limits it by MinDateValue and
    // MaxDateValue and shows the short date, keeping the caret.
    TDateTime DateValue() const;
    void SetDateValue(TDateTime v);
    // The text as a time, 0 when it is none. Setting limits it like a date
    // and shows the long time (ShowSeconds) or hours and minutes.
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime v);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int v) { FMinValue = v; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v) { FMaxValue = v; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double v) { FMinFloatValue = v; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime v) { FMinDateValue = v; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime v) { FMaxDateValue = v; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double v) { FIncrementFloat = v; }
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double v) { FIncrementFloatPage = v; }
    int IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(int v) { FIncrementHours = v; }
    int IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(int v) { FIncrementMinutes = v; }
    int IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(int v) { FIncrementSeconds = v; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    TEsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TEsgSpinType v);
    int Precision() const { return FPrecision; }
    void SetPrecision(int v);
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool IsWinXP() const { return FIsWinXP; }
    // The themed look of the edit, its pair and both buttons.
    void SetIsWinXP(bool v);
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    // Month before day in the short date format (found by the last date step).
    bool UsDates() const { return FUsDates; }
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v) { FShowSeconds = v; }
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign v);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool v);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool v);
    // Kept for the grid, which reads it when it closes its spin editor.
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool v) { FAllowEmptyValue = v; }
    TEsgSpinButton* Button() const { return FButton; }

    // The steps (PageUp / PageDown with page set).
    virtual void StepUp(bool page);
    virtual void StepDown(bool page);
    virtual bool IsValidChar(char32_t Key);
    virtual void UpClick(TControl* Sender);
    virtual void DownClick(TControl* Sender);

    void BeginLoading() { FLoading = true; }
    void Loaded();

    void SetBounds(int left, int top, int width, int height) override;

protected:
    bool DoKeyDown(int& key, TShiftState shift) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void WMPaste() override;
    void WMCut() override;
    bool SelectAllOnEnter(bool byMouse) const override;
    void DoExit() override;
    void Resized() override;

private:
    void Layout();
    int MinHeight() const;
    void ShowKeepingCaret(const std::string& text);

    int FMinValue = 0, FMaxValue = 100;
    double FMinFloatValue = 0.0, FMaxFloatValue = 100.0;
    TDateTime FMinDateValue = 0, FMaxDateValue = 0;
    TDateTime FDateValue = 0, FTimeValue = 0;
    int FIncrement = 1;
    double FIncrementFloat = 0.1;
    TEsgSpinButton* FButton = nullptr;
    bool FEditorEnabled = true;
    TSpinDirection FDirection = spVertical;
    TEsgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    int FIncrementSeconds = 1, FIncrementMinutes = 1, FIncrementHours = 1;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false, FSpinTransparent = false;
    bool FAllowEmptyValue = false;
    double FIncrementFloatPage = 1.0;
    bool FLoading = false;
};

// Parsing helpers shared by the spin and edit-button controls.
// The class library's StrToFloat in the locale's format (decimal separator
// only, no thousand separators); false for anything else.
bool TryLocaleStrToFloat(std::string_view s, double& out);
// The date one step of months away (the day kept where the month has it,
// else the month's last day), the time of day kept.
TDateTime IncMonthKeepingDay(TDateTime date, int months);
