#pragma once
// Date and time values of the class library: a TDateTime counts days from
// 30 December 1899 in its integral part and the time of day in its fraction.

#include "platform/SysUtils.h"

#include <string>
#include <string_view>

using TDateTime = double;

bool IsLeapYear(int year);
// Days of the month (28..31); 0 for a month outside 1..12.
int DaysInAMonth(int year, int month);

// False for a year outside 1..9999, a month outside 1..12 or a day the month
// does not have; `out` is then left as it was.
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
// Raises EConvertError ("Invalid argument to date encode") where
// TryEncodeDate answers False.
TDateTime EncodeDate(int year, int month, int day);
// Hour 0..23, minute 0..59, second 0..59, millisecond 0..999.
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& out);
// Raises EConvertError ("Invalid argument to time encode").
TDateTime EncodeTime(int hour, int min, int sec, int msec);

void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);

// Date and time texts in the user's locale (FormatSettings() at each call).
// DateToStr: the short date format ("d", "dd", "m", "mm", "yy", "yyyy"; "/"
// is the date separator). TimeToStr: hours, minutes and seconds with the
// time separator ("hh:nn:ss").
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
// Day, month and year in the short format's order (a year below 100 is
// taken as 19xx from 50 on, 20xx below); hours and minutes with optional
// seconds. Anything else raises EConvertError ("'<text>' is not a valid
// date" / "... time").
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);

// --- wall clock ----------------------------------------------------------------

// The current local date and time (the class library's Now). Tests install
// a source of their own; nullptr restores the system clock. Returns the
// previous source (nullptr for the system clock).
using TNowSource = TDateTime (*)();
TDateTime Now();
TNowSource SetNowSource(TNowSource source);
