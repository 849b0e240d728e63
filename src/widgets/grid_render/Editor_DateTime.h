#pragma once
// TExDateTimePicker: a date, time or date-and-time picker. For date and
// time it is a date picker with a second, embedded time picker at its right
// end, so one control edits both; it reads and writes one value made of the
// outer picker's date and the embedded picker's time. It adds an attached
// label, automatic advance to the next field while digits are typed (auto
// tab), the flat look of TEsgDateTimePicker and the coupling of the embedded
// time picker to the check box.
//
// TCustomDateTimePicker carries the look and the auto tab; the embedded time
// picker is a plain TCustomDateTimePicker (it never draws the flat look).

#include "widgets/grid_render/Editor_DateTimeBase.h"
#include "widgets/grid_render/Editor_Label.h"

#include "platform/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum TExDateTimeKind : std::uint8_t { dkDate, dkTime, dkDateTime };

class TCustomDateTimePicker : public TFlatDateTimePicker {
public:
    explicit TCustomDateTimePicker(TWinControl* parent);
    const char* ClassName() const override { return "TCustomDateTimePicker"; }

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool v) { FAutoTab = v; }

    // The auto-tab step, run when the posted "DTPShiftFocus" arrives.
    virtual void DoShiftFocus();

protected:
    bool NoCustomBorder() const override { return true; }
    void KeyPress(char32_t& Key) override;
    // Posts "DTPShiftFocus" to the control's own window.
    void PostShiftFocus();

    bool FAutoTab = false;
    std::uint16_t Fh = 0, Fm = 0, Fs = 0, Fms = 0;
};

class TExDateTimePicker : public TCustomDateTimePicker {
public:
    explicit TExDateTimePicker(TWinControl* parent);
    ~TExDateTimePicker() override;
    const char* ClassName() const override { return "TExDateTimePicker"; }

    TExDateTimeKind Kind() const { return FKind; }
    void SetKind(TExDateTimeKind v);
    // With the embedded picker: the outer picker's date with its time.
    TDateTime DateTime() const;
    // Whole days and hours, minutes and seconds of v (milliseconds dropped).
    virtual void SetDateTime(TDateTime v);
    TDateTime Date() const;
    // Keeps the hour, minute and second of the current value.
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    std::string Format() const { return TDateTimePicker::Format(); }
    void SetFormat(const std::string& f) { TDateTimePicker::SetFormat(f); }
    const std::string& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const std::string& f);
    void SetAutoTab(bool v) override;
    void SetBorderStyle(TPickerBorderStyle v) override;
    void SetColor(TColor c) override;
    void SetEnabled(bool v) override;
    void SetVisible(bool v);
    void SetBounds(int left, int top, int width, int height) override;

    // "1.2.0.0"; writing it changes nothing.
    std::string Version() const { return VersionText(GetVersionNr()); }
    void SetVersion(const std::string&) {}
    int GetVersionNr() const { return 0x01020000; }

    // The attached label.
    std::string LabelCaption() const;
    void SetLabelCaption(const std::string& s);
    TLabel* Label() const { return FLabel; }
    TFont& LabelFont() { return FLabelFont; }
    void SetLabelFont(const TFont& f);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v);
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }

    // The embedded time picker (none unless the kind is dkDateTime).
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

    void DoShiftFocus() override;

    TNotifyEvent OnTimeChange;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

protected:
    bool NoCustomBorder() const override { return false; }
    virtual void DoChange();
    virtual void DoClick();
    // Key presses typed into the embedded time picker (nothing here).
    virtual void TimeKeyPress(TControl* Sender, char32_t& Key);
    void KeyPress(char32_t& Key) override;
    void DateTimeSent(bool noDate) override;
    void DateTimeChangeNotify(bool noDate) override;
    void DoEnter() override;
    void DoExit() override;
    void PaintAfter(TCanvas& Canvas) override;

private:
    void CreateTimePicker();
    void Layout();
    void PlaceLabel();
    void EnableTimePicker();

    TExDateTimeKind FKind = dkDateTime;
    std::unique_ptr<TTimer> FFocusTimer;
    std::string FTimeFormat;
    std::uint16_t Fy = 0, FmDate = 0, Fd = 0;
    TEditLabel* FLabel = nullptr;
    TFont FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FFocusLabel = false;
    bool FLabelAlwaysEnabled = false;
    bool FParentFnt = false;
    bool FIgnoreTimePickerCheck = false;
    bool FFirstRun = true;
    TCustomDateTimePicker* FTimePicker = nullptr;
};

// The registered number of the "DTPShiftFocus" message.
unsigned DTPShiftFocusMessage();
