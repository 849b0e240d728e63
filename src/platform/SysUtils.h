#pragma once
// Run-time basics of the class library the program is written against:
// exceptions, string helpers and the locale's format settings.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Base of every exception the program raises on purpose.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& msg) : std::runtime_error(msg) {}
    std::string Message() const { return what(); }
};

// "List index out of bounds" and friends: raised for every checked index.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A text that does not convert to the asked type.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Silent exception: ends an operation without a message (Abort).
class EAbort : public Exception {
public:
    using Exception::Exception;
};
[[noreturn]] void Abort();

// An operation not allowed in the object's state (e.g. a control without
// a parent window).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A grid operation the grid cannot do ("Grid too large for operation",
// "Fixed column count must be less than column count" ...).
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

// An object used as a class it is not.
class EInvalidCast : public Exception {
public:
    using Exception::Exception;
};

// Raises EListError with the class library's wording for index i.
[[noreturn]] void RaiseListIndexError(long long index);

// --- string helpers (UTF-8 text in std::string) -----------------------------

// Removes characters with codes up to 32 at both ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// ASCII-only case mapping, as the class library's UpperCase / LowerCase.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
std::string IntToStr(long long v);
// The one reading of whole numbers: leading blanks, an optional "+" or
// "-", then decimal digits, or hexadecimal digits after "$", "0x" or "0X";
// nothing may follow the digits. Two syntaxes:
// - Library, the class library's StrToInt: a hexadecimal text is a 32-bit
//   pattern ("$FFFFFFFF" is -1); decimal ones lie in the signed range.
// - Files, the numbers of the rule tables and the configuration's files as
//   the device image reads them: a bare "x" or "X" also starts hexadecimal
//   digits, and every value lies in the signed 32-bit range.
// False (out untouched) for a text that is no whole number.
enum class TNumberSyntax { Library, Files };
bool TryReadWholeNumber(std::string_view s, TNumberSyntax syntax, int32_t& out);
// The same reading in the signed 64-bit range (a Library hexadecimal text
// is a 64-bit pattern there).
bool TryReadWholeNumber(std::string_view s, TNumberSyntax syntax, int64_t& out);
// The class library's reading (TNumberSyntax::Library).
bool TryStrToInt(std::string_view s, int& out);
int StrToIntDef(std::string_view s, int def);
// Raises EConvertError when the text is not an integer.
int StrToInt(std::string_view s);

// --- format settings ---------------------------------------------------------

// The locale's separators and formats. Read at each use; tests set them.
struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd, d mmmm yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
};

// The settings in force. Initialised from the system locale on first use.
TFormatSettings& FormatSettings();
// Re-reads the system locale into FormatSettings().
void LoadSystemFormatSettings();

// --- Unicode text ------------------------------------------------------------

// UTF-16 text of the class library's WideString.
using WideString = std::u16string;
// Conversions between the program's UTF-8 text and UTF-16; invalid UTF-8
// sequences become U+FFFD.
WideString Utf8ToWide(std::string_view s);
std::string WideToUtf8(const WideString& w);
// Upper and lower case with the full Unicode mapping (the class library's
// AnsiUpperCase / AnsiLowerCase).
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
// Comparison by the platform's collation for the user's locale (the class
// library's AnsiCompareStr / AnsiCompareText): negative, 0 or positive as a
// sorts before, with or after b; the Text form ignores case.
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);

// Checked Format (class library directives), FloatToStr.
#include "platform/FormatStr.h"
