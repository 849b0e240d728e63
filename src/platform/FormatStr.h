#pragma once
// Checked text formatting with the class library's Format directives.
// Include through platform/SysUtils.h.
//
// Directives: "%" [index ":"] ["-"] [width] ["." prec] type, where index,
// width and prec may be "*" (taken from the next argument, an integer), and
// "%%" is a literal "%". Types:
//   d  integer (prec: minimum digits)      u  integer shown as unsigned
//   x  integer in upper-case hexadecimal   p  pointer (16 hex digits)
//   s  text (prec: at most that many characters); a character or a Boolean
//      ("True"/"False") also fits
//   f  fixed (prec default 2)               n  as f with thousand separators
//   m  as n with 2 decimals by default      e  scientific, prec significant
//                                              digits (default 15), "E+000"
//   g  shortest of fixed and scientific, prec significant digits (15)
// Floating types take floating-point arguments only and integer types
// integers only. The decimal and thousand separators come from
// FormatSettings() at each call.
// A directive that does not match its argument, a missing argument, an
// unknown type or a malformed directive raises EConvertError; the format
// text is never passed to a C formatter, so user text is safe in it.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TVarRec {
public:
    enum Kind { vtInteger, vtFloat, vtString, vtChar, vtPointer, vtBoolean };
    TVarRec(int v) : kind_(vtInteger), i_(v) {}
    TVarRec(long v) : kind_(vtInteger), i_(v) {}
    TVarRec(long long v) : kind_(vtInteger), i_(v) {}
    TVarRec(unsigned v) : kind_(vtInteger), i_(v) {}
    TVarRec(unsigned long v) : kind_(vtInteger), i_(static_cast<long long>(v)) {}
    TVarRec(unsigned long long v) : kind_(vtInteger), i_(static_cast<long long>(v)) {}
    TVarRec(double v) : kind_(vtFloat), f_(v) {}
    TVarRec(float v) : kind_(vtFloat), f_(v) {}
    TVarRec(long double v) : kind_(vtFloat), f_(static_cast<double>(v)) {}
    TVarRec(const char* s) : kind_(vtString), s_(s ? s : "") {}
    TVarRec(std::string s) : kind_(vtString), s_(std::move(s)) {}
    TVarRec(std::string_view s) : kind_(vtString), s_(s) {}
    TVarRec(char c) : kind_(vtChar), s_(1, c) {}
    TVarRec(bool b) : kind_(vtBoolean), i_(b ? 1 : 0) {}
    TVarRec(const void* p) : kind_(vtPointer), i_(static_cast<long long>(reinterpret_cast<std::uintptr_t>(p))) {}

    Kind kind() const { return kind_; }
    long long Int() const { return i_; }
    double Float() const { return f_; }
    const std::string& Str() const { return s_; }

private:
    Kind kind_;
    long long i_ = 0;
    double f_ = 0;
    std::string s_;
};

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args);
std::string Format(std::string_view fmt, const std::vector<TVarRec>& args);
// The class library's FloatToStr: Format("%g") with 15 significant digits.
std::string FloatToStr(double v);
