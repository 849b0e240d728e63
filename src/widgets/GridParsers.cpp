#include "widgets/GridParsers.h"

#include "platform/ClassBase.h"

#include <algorithm>
#include <charconv>
#include <cmath>

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
bool IsDigitOrMinus(char c) { return IsDigitChar(c) || c == '-'; }

bool IsNumberChar(char c)
{
    const TFormatSettings& fs = FormatSettings();
    return IsDigitChar(c) || c == fs.ThousandSeparator || c == fs.DecimalSeparator || c == 'e' || c == 'E';
}

bool IsFloatChar(char c) { return IsDigitChar(c) || c == '-' || c == '.' || c == 'e' || c == 'E' || c == '+'; }

bool IsSignedNumberChar(char c) { return IsNumberChar(c) || c == '+' || c == '-'; }

std::string DotDecimalText(std::string_view s)
{
    const TFormatSettings& fs = FormatSettings();
    std::string r;
    r.reserve(s.size());
    for (char c : s) {
        if (c == fs.ThousandSeparator) continue;
        r += c == fs.DecimalSeparator ? '.' : c;
    }
    return r;
}

bool TryDotTextToFloat(std::string_view s, double& out)
{
    std::string t = Trim(s);
    if (t.empty()) return false;
    for (char c : t)
        if (!IsDigitChar(c) && c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-') return false;
    size_t b = 0;
    if (t[0] == '+') {
        b = 1;
        if (t.size() > 1 && t[1] == '-') return false;
    }
    double v = 0;
    const char* first = t.data() + b;
    const char* last = t.data() + t.size();
    auto [p, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || p != last || first == last) return false;
    out = v;
    return true;
}

namespace {

bool ToInt(std::string_view s, int& v) { return TryStrToInt(s, v); }

} // namespace

bool ParseDateTimeText(std::string_view s, TDateTime& dt)
{
    const TFormatSettings& fs = FormatSettings();
    const std::string fmt = UpperCase(fs.ShortDateFormat);
    // Field order: the order of the first D, M and Y of the short format.
    struct Field {
        char letter;
        size_t pos;
    } order[3] = {{'D', fmt.find('D')}, {'M', fmt.find('M')}, {'Y', fmt.find('Y')}};
    std::stable_sort(std::begin(order), std::end(order), [](const Field& a, const Field& b) { return a.pos < b.pos; });

    const char ds = fs.DateSeparator;
    const size_t p1 = s.find(ds);
    if (p1 == std::string_view::npos) return false;
    const size_t p2 = s.find(ds, p1 + 1);
    if (p2 == std::string_view::npos) return false;
    int f[3] = {0, 0, 0};
    if (!ToInt(s.substr(0, p1), f[0]) || !ToInt(s.substr(p1 + 1, p2 - p1 - 1), f[1])) return false;
    const std::string rest = Trim(s.substr(p2 + 1));
    const size_t blank = rest.find(' ');
    std::string timeText;
    std::string third = rest;
    if (blank != std::string::npos) {
        third = rest.substr(0, blank);
        timeText = Trim(rest.substr(blank));
    }
    if (!ToInt(third, f[2])) return false;

    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        switch (order[i].letter) {
        case 'D': day = f[i]; break;
        case 'M': month = f[i]; break;
        default: year = f[i]; break;
        }
    }
    if (day > 31 || month > 12) return false;

    TDateTime date = 0;
    const bool dateOk = TryEncodeDate(year, month, day, date);
    if (blank == std::string::npos) {
        if (!dateOk) return false;
        dt = date;
        return true;
    }
    const char ts = fs.TimeSeparator;
    const size_t t1 = timeText.find(ts);
    if (t1 == std::string::npos) {
        // A time without separator: not a date-time; the date at midnight is
        // still handed out, as callers of the grid have always seen it.
        if (dateOk) dt = date;
        return false;
    }
    int hour = 0, minute = 0, second = 0;
    if (!ToInt(timeText.substr(0, t1), hour) || hour > 23) return false;
    const size_t t2 = timeText.find(ts, t1 + 1);
    const std::string minText = timeText.substr(t1 + 1, t2 == std::string::npos ? std::string::npos : t2 - t1 - 1);
    if (!minText.empty() && (!ToInt(minText, minute) || minute > 59)) return false;
    if (t2 != std::string::npos) {
        const std::string secText = timeText.substr(t2 + 1);
        if (!secText.empty() && (!ToInt(secText, second) || second > 60)) return false;
    }
    TDateTime time = 0;
    if (!dateOk || !TryEncodeTime(hour, minute, second, 0, time)) return false;
    dt = date + time;
    return true;
}

namespace {

TDateTime ParseShortDate(std::string_view s, bool monthFirst)
{
    char sep = 0;
    for (char c : {'/', '.', '-'})
        if (s.find(c) != std::string_view::npos) {
            sep = c;
            break;
        }
    if (sep == 0) return 0;
    const size_t p1 = s.find(sep);
    const size_t p2 = s.find(sep, p1 + 1);
    if (p2 == std::string_view::npos) return 0;
    int a = 0, b = 0, y = 0;
    if (!TryStrToInt(s.substr(0, p1), a) || !TryStrToInt(s.substr(p1 + 1, p2 - p1 - 1), b) ||
        !TryStrToInt(s.substr(p2 + 1), y))
        return 0;
    // Two-digit year fields: 0..25 are this century, the rest the last one.
    y += (y >= 0 && y <= 25) ? 2000 : 1900;
    return monthFirst ? EncodeDate(y, a, b) : EncodeDate(y, b, a);
}

} // namespace

TDateTime ParseDateMDY(std::string_view s) { return ParseShortDate(s, true); }
TDateTime ParseDateDMY(std::string_view s) { return ParseShortDate(s, false); }

bool HasTwoDateSeparators(std::string_view s)
{
    const char ds = FormatSettings().DateSeparator;
    const size_t p = s.find(ds);
    if (p == std::string_view::npos || p < 1) return false;
    const std::string_view rest = s.substr(p + 1);
    const size_t q = rest.find(ds);
    return q != std::string_view::npos && q >= 1;
}

int NumberTextKind(std::string_view s)
{
    if (s.empty()) return nkNotANumber;
    const TFormatSettings& fs = FormatSettings();
    bool intForm = true, decForm = true, sciForm = true, hasE = false;
    int minus = 0, decimals = 0;
    long long lastThousand = -1000;
    const size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = s[i];
        const bool digit = IsDigitChar(c);
        if (c == '-') ++minus;
        if (c == fs.DecimalSeparator) ++decimals;
        if (!(digit || (c == '-' && i == 0))) intForm = false;
        if (c == fs.ThousandSeparator) {
            if (static_cast<long long>(i) - lastThousand < 4) decForm = false;
            lastThousand = static_cast<long long>(i);
        } else if (!(digit || (c == '-' && i == 0) || c == fs.DecimalSeparator)) {
            decForm = false;
        }
        if (c == 'e' || c == 'E') {
            if (hasE || i == 0) sciForm = false;
            hasE = true;
        }
        if (i + 1 == n && (c == '+' || c == '-' || c == 'e' || c == 'E')) sciForm = false;
        if (c == fs.ThousandSeparator || !IsSignedNumberChar(c)) sciForm = false;
    }
    int kind = nkNotANumber;
    if (intForm) {
        kind = nkInteger;
    } else if (decForm && !hasE) {
        kind = nkDecimal;
    } else if (sciForm && hasE) {
        kind = nkScientific;
        if (minus == 2) minus = 1; // mantissa and exponent sign
    }
    if (minus > 1 || decimals > 1) kind = nkNotANumber;
    return kind;
}

std::string NormalizeNumberText(std::string_view s)
{
    if (s.empty()) return {};
    const TFormatSettings& fs = FormatSettings();
    bool negative = s.front() == '(' && s.back() == ')';
    size_t i = 0;
    while (s.size() - i >= 2 && !IsNumberChar(s[i])) {
        if (s[i] == '-') negative = true;
        ++i;
    }
    std::string r;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == fs.ThousandSeparator) continue;
        if (c == fs.DecimalSeparator)
            r += '.';
        else if (IsFloatChar(c))
            r += c;
        else
            break;
    }
    return negative ? "-" + r : r;
}

TDateTime IncDateStep(std::int16_t yearStep, std::int16_t monthStep, std::int16_t dayStep, double fracStep,
                      TDateTime date)
{
    const double time = date - std::trunc(date);
    if (dayStep != 0 && yearStep == 0 && monthStep == 0) return date + dayStep;
    if (yearStep != 0 && monthStep == 0 && dayStep == 0) {
        int y, m, d;
        DecodeDate(date, y, m, d);
        return EncodeDate(y + yearStep, m, d) + time;
    }
    if (monthStep != 0 && yearStep == 0 && dayStep == 0) {
        int y, m, d;
        DecodeDate(date, y, m, d);
        m += monthStep;
        if (m <= 0) {
            m += 12;
            --y;
        } else if (m > 12) {
            m -= 12;
            ++y;
        }
        return EncodeDate(y, m, d) + time;
    }
    return date + fracStep;
}

bool ParseRowColRef(std::string_view s, int& col, int& row)
{
    const std::string u = UpperCase(s);
    if (u.size() < 4 || u[0] != 'R') return false;
    const size_t c = u.find('C', 1);
    if (c == std::string::npos) return false;
    int r = 0, k = 0;
    if (!TryStrToInt(std::string_view(u).substr(1, c - 1), r) || !TryStrToInt(std::string_view(u).substr(c + 1), k))
        return false;
    col = k;
    row = r;
    return true;
}

bool ParseRowColRef(std::string_view s, TPoint& cell)
{
    int col = 0, row = 0;
    if (!ParseRowColRef(s, col, row)) return false;
    cell = {col, row};
    return true;
}
