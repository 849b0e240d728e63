#include "platform/SysUtils.h"

#include <cmath>
#include <cstdio>

namespace {

[[noreturn]] void Bad(std::string_view fmt)
{
    throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

int CharCount(const std::string& s)
{
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// First n characters of UTF-8 text.
std::string CharPrefix(const std::string& s, int n)
{
    size_t i = 0;
    int k = 0;
    while (i < s.size()) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (k == n) break;
            ++k;
        }
        ++i;
    }
    return s.substr(0, i);
}

std::string UnsignedDigits(unsigned long long v, int base)
{
    if (v == 0) return "0";
    std::string r;
    while (v) {
        int d = int(v % unsigned(base));
        r.insert(r.begin(), char(d < 10 ? '0' + d : 'A' + d - 10));
        v /= unsigned(base);
    }
    return r;
}

std::string WithDecimal(std::string s)
{
    char dec = FormatSettings().DecimalSeparator;
    for (char& c : s)
        if (c == '.') c = dec;
    return s;
}

std::string Fixed(double v, int prec)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", std::min(prec, 18), v);
    return buf;
}

std::string Thousands(const std::string& fixed)
{
    // fixed: [-]digits[.digits]
    size_t start = fixed[0] == '-' ? 1 : 0;
    size_t dot = fixed.find('.');
    size_t intEnd = dot == std::string::npos ? fixed.size() : dot;
    std::string out = fixed.substr(0, start);
    char sep = FormatSettings().ThousandSeparator;
    for (size_t i = start; i < intEnd; ++i) {
        out += fixed[i];
        size_t left = intEnd - i - 1;
        if (left > 0 && left % 3 == 0 && sep) out += sep;
    }
    if (intEnd < fixed.size()) out += FormatSettings().DecimalSeparator + fixed.substr(intEnd + 1);
    return out;
}

std::string Scientific(double v, int prec)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", std::max(0, std::min(prec, 18) - 1), v);
    std::string s = buf;
    size_t e = s.find('E');
    if (e == std::string::npos) return s;
    std::string mant = s.substr(0, e);
    char sign = s[e + 1];
    std::string digits = s.substr(e + 2);
    while (digits.size() < 3) digits.insert(digits.begin(), '0');
    return mant + "E" + sign + digits;
}

std::string General(double v, int prec)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", std::max(1, std::min(prec, 18)), v);
    std::string s = buf;
    size_t e = s.find('E');
    if (e == std::string::npos) return s;
    std::string mant = s.substr(0, e);
    char sign = s[e + 1];
    std::string digits = s.substr(e + 2);
    while (digits.size() > 1 && digits[0] == '0') digits.erase(digits.begin());
    return mant + "E" + (sign == '-' ? "-" : "") + digits;
}

std::string NonFinite(double v)
{
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

}  // namespace

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args)
{
    return Format(fmt, std::vector<TVarRec>(args));
}

std::string Format(std::string_view fmt, const std::vector<TVarRec>& args)
{
    std::string out;
    size_t next = 0;  // next argument
    size_t i = 0;
    auto takeInt = [&](size_t start) -> long long {
        if (next >= args.size() || args[next].kind() != TVarRec::vtInteger) Bad(fmt.substr(start));
        return args[next++].Int();
    };
    while (i < fmt.size()) {
        char c = fmt[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        size_t start = i++;
        if (i < fmt.size() && fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        auto number = [&](long long& v) -> bool {
            if (i < fmt.size() && fmt[i] == '*') {
                ++i;
                v = takeInt(start);
                return true;
            }
            bool any = false;
            v = 0;
            while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
                v = v * 10 + (fmt[i] - '0');
                if (v > 100000) Bad(fmt.substr(start, i - start + 1));
                ++i;
                any = true;
            }
            return any;
        };
        long long first = 0;
        size_t save = i;
        // Optional index "n:".
        bool digits = false;
        while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9' && first <= 100000) {
            first = first * 10 + (fmt[i++] - '0');
            digits = true;
        }
        if (digits && i < fmt.size() && fmt[i] == ':') {
            if (first < 0 || size_t(first) >= args.size()) Bad(fmt.substr(start, i - start + 1));
            next = size_t(first);
            ++i;
        } else {
            i = save;
        }
        bool left = false;
        if (i < fmt.size() && fmt[i] == '-') {
            left = true;
            ++i;
        }
        long long width = 0;
        number(width);
        long long prec = -1;
        if (i < fmt.size() && fmt[i] == '.') {
            ++i;
            if (!number(prec)) prec = 0;
        }
        if (i >= fmt.size()) Bad(fmt.substr(start));
        char type = fmt[i++];
        std::string_view directive = fmt.substr(start, i - start);
        char lt = char(type >= 'A' && type <= 'Z' ? type - 'A' + 'a' : type);
        if (next >= args.size()) Bad(directive);
        const TVarRec& a = args[next++];
        std::string s;
        switch (lt) {
        case 'd':
        case 'u':
        case 'x': {
            if (a.kind() != TVarRec::vtInteger) Bad(directive);
            long long v = a.Int();
            bool neg = false;
            std::string digits;
            if (lt == 'd') {
                neg = v < 0;
                digits = UnsignedDigits(neg ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v), 10);
            } else if (lt == 'u') {
                digits = UnsignedDigits(static_cast<unsigned long long>(v) & 0xFFFFFFFFULL, 10);
                if (v > 0xFFFFFFFFLL) digits = UnsignedDigits(static_cast<unsigned long long>(v), 10);
            } else {
                unsigned long long u = static_cast<unsigned long long>(v);
                if (v < 0 && v >= INT32_MIN) u &= 0xFFFFFFFFULL;
                digits = UnsignedDigits(u, 16);
            }
            while (prec > 0 && (long long)digits.size() < prec) digits.insert(digits.begin(), '0');
            s = (neg ? "-" : "") + digits;
            break;
        }
        case 'p': {
            if (a.kind() != TVarRec::vtPointer) Bad(directive);
            s = UnsignedDigits(static_cast<unsigned long long>(a.Int()), 16);
            while (s.size() < 16) s.insert(s.begin(), '0');
            break;
        }
        case 's': {
            if (a.kind() == TVarRec::vtString || a.kind() == TVarRec::vtChar)
                s = a.Str();
            else if (a.kind() == TVarRec::vtBoolean)
                s = a.Int() ? "True" : "False";
            else
                Bad(directive);
            if (prec >= 0 && CharCount(s) > prec) s = CharPrefix(s, int(prec));
            break;
        }
        case 'f':
        case 'n':
        case 'm':
        case 'e':
        case 'g': {
            if (a.kind() != TVarRec::vtFloat) Bad(directive);
            double v = a.Float();
            if (!std::isfinite(v)) {
                s = NonFinite(v);
                break;
            }
            if (lt == 'f') s = WithDecimal(Fixed(v, prec < 0 ? 2 : int(prec)));
            else if (lt == 'n' || lt == 'm') s = Thousands(Fixed(v, prec < 0 ? 2 : int(prec)));
            else if (lt == 'e') s = WithDecimal(Scientific(v, prec < 0 ? 15 : int(prec)));
            else s = WithDecimal(General(v, prec < 0 ? 15 : int(prec)));
            break;
        }
        default: Bad(directive);
        }
        int len = CharCount(s);
        if (width > len) {
            std::string pad(size_t(width - len), ' ');
            s = left ? s + pad : pad + s;
        }
        out += s;
    }
    return out;
}

std::string FloatToStr(double v) { return Format("%g", {v}); }
