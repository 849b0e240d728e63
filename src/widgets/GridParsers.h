#pragma once
// Number and date recognisers for cell texts written in the user's locale.
// The separators and the short date format are read from FormatSettings()
// at each call.

#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <cstdint>
#include <string>
#include <string_view>

// Number kinds returned by NumberTextKind.
enum : int {
    nkInteger = 0,
    nkDecimal = 1,
    nkNotANumber = 2,
    nkScientific = 5,
};

bool IsDigitChar(char c);
bool IsDigitOrMinus(char c);
bool IsNumberChar(char c);
bool IsFloatChar(char c);
bool IsSignedNumberChar(char c);

// Thousand separators removed, the decimal separator made ".".
std::string DotDecimalText(std::string_view s);
// "." decimal number with optional sign and exponent (blanks around it
// allowed); anything else answers False.
bool TryDotTextToFloat(std::string_view s, double& out);
// A date in the locale's short date order, optionally followed by a time.
// False for anything else; see the implementation for when `dt` is written.
bool ParseDateTimeText(std::string_view s, TDateTime& dt);
// Two-digit-year short dates (sort styles ssShortDateUS / ssShortDateEU).
// 0 when a field is not a number; an impossible date raises EConvertError.
TDateTime ParseDateMDY(std::string_view s);
TDateTime ParseDateDMY(std::string_view s);
bool HasTwoDateSeparators(std::string_view s);
int NumberTextKind(std::string_view s);
std::string NormalizeNumberText(std::string_view s);
// Next date of a fill series; a day the target month lacks raises
// EConvertError.
TDateTime IncDateStep(std::int16_t yearStep, std::int16_t monthStep, std::int16_t dayStep, double fracStep,
                      TDateTime date);
// "R<row>C<column>" (case-insensitive).
bool ParseRowColRef(std::string_view s, int& col, int& row);
// The same with the result as a cell: X the column, Y the row.
struct TPoint;
bool ParseRowColRef(std::string_view s, TPoint& cell);
