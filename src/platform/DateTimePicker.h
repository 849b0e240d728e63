#pragma once
// The class library's date-time picker (TDateTimePicker) over the
// platform's date-time edit: the date or the time in fields, a calendar
// that drops down in combo mode (F4 or Alt+Down, or the button), spin
// buttons in up-down mode and for times, and an optional check box (a
// platform check box of its own at the left end) that switches the value
// off and on.
//
// Fields behave as the class library's picker's: Left and Right select
// the previous and next field, Up and Down step the field's value, and
// digits typed into a field replace its value once they make a complete
// number (as many digits as the field holds, or a number no further digit
// could extend); the caret stays in the field.
//
// Formats are the picker's own: d dd ddd dddd (day), M MM MMM MMMM
// (month), y yy yyyy (year), h hh (hours 1..12), H HH (hours 0..23),
// m mm (minutes), s ss (seconds), t tt (AM/PM marker), 'quoted literals'.
// An empty Format shows the locale's short date (date kind) or long time
// (time kind).
//
// Notifications: a change of the value by the user (keys, calendar, spin
// buttons, check box) runs DateTimeChangeNotify, whose base runs Change
// (OnChange); a value set by the program runs DateTimeSent. The calendar's
// opening and closing run DropDown (OnDropDown) and CloseUp (OnCloseUp);
// opening it does not count as leaving the control.

#include "platform/Controls.h"
#include "platform/DateUtils.h"

#include <memory>
#include <string>

enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateMode { dmComboBox, dmUpDown };

// The platform's display format of a picker format (see above).
std::string PlatformDateTimeFormat(const std::string& pickerFormat);
// A class-library date or time format ("dd/mm/yyyy", "hh:nn:ss", with "/"
// and ":" the locale's separators) as a picker format.
std::string PickerFormatOfDateFormat(const std::string& dateFormat);
std::string PickerFormatOfTimeFormat(const std::string& timeFormat);

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TWinControl* parent);
    ~TDateTimePicker() override;
    const char* ClassName() const override { return "TDateTimePicker"; }

    TDateTime DateTime() const;
    void SetDateTime(TDateTime v);
    // The date part (whole days); setting it keeps the time of day.
    TDateTime Date() const;
    void SetDate(TDateTime v);
    // The time of day; setting it keeps the date.
    TDateTime Time() const;
    void SetTime(TDateTime v);
    // 0: no limit.
    TDateTime MinDate() const { return minDate_; }
    void SetMinDate(TDateTime v);
    TDateTime MaxDate() const { return maxDate_; }
    void SetMaxDate(TDateTime v);

    void SetEnabled(bool v) override;

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind k);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode m);
    const std::string& Format() const { return format_; }
    void SetFormat(const std::string& f);
    // The text as shown.
    std::string Text() const;
    // Index of the field that has the caret (0 = the first field).
    int CurrentField() const;
    int FieldCount() const;
    void SetCurrentField(int i);

    bool ShowCheckbox() const { return showCheckbox_; }
    void SetShowCheckbox(bool v);
    // Always true without the check box.
    bool Checked() const;
    void SetChecked(bool v);
    // The check box (hidden unless ShowCheckbox).
    TCheckBox* CheckBox() const { return checkBox_; }

    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // The calendar's look: ISO 8601 week numbers in a column at the left,
    // a "Today" line under it, today's date marked.
    void SetCalendarWeekNumbers(bool v);
    void SetCalendarShowToday(bool v);
    void SetCalendarTodayMark(bool v);
    bool CalendarWeekNumbers() const { return weekNumbers_; }
    bool CalendarShowToday() const { return showToday_; }
    bool CalendarTodayMark() const { return todayMark_; }
    // The calendar window's smallest size and its size (after it opened).
    TSize CalendarMinimumSize() const;
    TSize CalendarSize() const;
    void SetCalendarSize(int w, int h);

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    struct Impl;

protected:
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual void KeyUp(int& Key, TShiftState Shift);
    // DTN_DATETIMECHANGE: noDate when the check box was cleared.
    virtual void DateTimeChangeNotify(bool noDate);
    virtual void Change();
    // After the program set the value (DTM_SETSYSTEMTIME); noDate when it
    // cleared the check box.
    virtual void DateTimeSent(bool noDate);
    virtual void DropDown();
    virtual void CloseUp();
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // After the platform painted, on a canvas in the control's coordinates.
    virtual void PaintAfter(TCanvas& Canvas);
    virtual void Resized() {}
    // The value is being changed by the program.
    bool SettingValue() const { return programmatic_ > 0; }

    bool DoKeyDown(int& key, TShiftState shift) override;
    bool DoKeyPress(char32_t& key) override;
    bool DoKeyUp(int& key, TShiftState shift) override;

private:
    friend struct Impl;
    void ApplyFormat();
    void Layout();
    std::unique_ptr<Impl> d_;
    TCheckBox* checkBox_ = nullptr;
    TDateTimeKind kind_ = TDateTimeKind::dtkDate;
    TDTDateMode dateMode_ = TDTDateMode::dmComboBox;
    std::string format_;
    bool showCheckbox_ = false;
    TDateTime minDate_ = 0, maxDate_ = 0;
    bool weekNumbers_ = false, showToday_ = true, todayMark_ = true;
    int programmatic_ = 0;
    int keyDepth_ = 0;
};
