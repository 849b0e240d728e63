#include "platform/DateUtils.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

// 1899-12-30 as days from 1970-01-01.
constexpr long long kDelphiEpoch = -25569;

} // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInAMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    if (day < 1 || day > DaysInAMonth(year, month)) return false;
    out = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                              kDelphiEpoch);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime d = 0;
    if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
    return d;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& out)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    out = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / 86400000.0;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime t = 0;
    if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError("Invalid argument to time encode");
    return t;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    CivilFromDays(static_cast<long long>(std::trunc(value)) + kDelphiEpoch, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec)
{
    double frac = std::fabs(value - std::trunc(value));
    long long ms = std::llround(frac * 86400000.0);
    if (ms >= 86400000) ms = 86399999;
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

// --- date and time texts ----------------------------------------------------------------

namespace {

std::string Pad(int v, int width)
{
    std::string s = std::to_string(v);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

// Numbers of a text split at a separator; false unless each part is a
// plain unsigned number.
bool SplitNumbers(std::string_view s, char sep, std::vector<int>& out)
{
    out.clear();
    size_t start = 0;
    while (true) {
        const size_t p = s.find(sep, start);
        const std::string part = Trim(s.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start));
        if (part.empty() || part.size() > 9) return false;
        for (char c : part)
            if (c < '0' || c > '9') return false;
        out.push_back(std::stoi(part));
        if (p == std::string_view::npos) return true;
        start = p + 1;
    }
}

} // namespace

std::string DateToStr(TDateTime value)
{
    const TFormatSettings& fs = FormatSettings();
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    const std::string& f = fs.ShortDateFormat;
    std::string r;
    for (size_t i = 0; i < f.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
        size_t n = 1;
        while (i + n < f.size() && std::tolower(static_cast<unsigned char>(f[i + n])) == c) ++n;
        if (c == 'd')
            r += Pad(d, n >= 2 ? 2 : 1);
        else if (c == 'm')
            r += Pad(m, n >= 2 ? 2 : 1);
        else if (c == 'y')
            r += n <= 2 ? Pad(y % 100, 2) : Pad(y, 4);
        else if (c == '/')
            r.append(n, fs.DateSeparator);
        else
            r.append(f, i, n);
        i += n;
    }
    return r;
}

std::string TimeToStr(TDateTime value)
{
    const TFormatSettings& fs = FormatSettings();
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(value, h, n, s, ms);
    return Pad(h, 2) + fs.TimeSeparator + Pad(n, 2) + fs.TimeSeparator + Pad(s, 2);
}

TDateTime StrToDate(std::string_view s)
{
    const TFormatSettings& fs = FormatSettings();
    std::vector<int> v;
    TDateTime result = 0;
    if (SplitNumbers(s, fs.DateSeparator, v) && v.size() == 3) {
        const std::string f = UpperCase(fs.ShortDateFormat);
        struct Field {
            char letter;
            size_t pos;
        } order[3] = {{'D', f.find('D')}, {'M', f.find('M')}, {'Y', f.find('Y')}};
        std::stable_sort(std::begin(order), std::end(order),
                         [](const Field& a, const Field& b) { return a.pos < b.pos; });
        int d = 0, m = 0, y = 0;
        for (int i = 0; i < 3; ++i) {
            if (order[i].letter == 'D') d = v[static_cast<size_t>(i)];
            else if (order[i].letter == 'M') m = v[static_cast<size_t>(i)];
            else y = v[static_cast<size_t>(i)];
        }
        if (y < 100) y += y < 50 ? 2000 : 1900;
        if (TryEncodeDate(y, m, d, result)) return result;
    }
    throw EConvertError("'" + std::string(s) + "' is not a valid date");
}

TDateTime StrToTime(std::string_view s)
{
    const TFormatSettings& fs = FormatSettings();
    std::vector<int> v;
    TDateTime result = 0;
    if (SplitNumbers(s, fs.TimeSeparator, v) && (v.size() == 2 || v.size() == 3) &&
        TryEncodeTime(v[0], v[1], v.size() == 3 ? v[2] : 0, 0, result))
        return result;
    throw EConvertError("'" + std::string(s) + "' is not a valid time");
}

// --- wall clock ----------------------------------------------------------------

namespace {

std::atomic<TNowSource> g_nowSource{nullptr};

TDateTime SystemNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const long long ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date)) return 0;
    TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms < 0 ? 0 : ms), time);
    return date + time;
}

} // namespace

TDateTime Now()
{
    const TNowSource source = g_nowSource.load();
    return source ? source() : SystemNow();
}

TNowSource SetNowSource(TNowSource source) { return g_nowSource.exchange(source); }
