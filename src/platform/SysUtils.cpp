#include "platform/SysUtils.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <climits>
#include <cstdint>

void Abort() { throw EAbort("Operation aborted"); }

void RaiseListIndexError(long long index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }
}

std::string TrimLeft(std::string_view s)
{
    size_t b = 0;
    while (b < s.size() && IsTrimmed(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s)
{
    size_t e = s.size();
    while (e > 0 && IsTrimmed(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string LowerCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

bool SameText(std::string_view a, std::string_view b) { return UpperCase(a) == UpperCase(b); }

std::string IntToStr(long long v) { return std::to_string(v); }

namespace {

// The reading in a signed range of the given width (32 or 64 bits).
bool ReadWholeNumber(std::string_view s, TNumberSyntax syntax, int bits, int64_t& out)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    const bool files = syntax == TNumberSyntax::Files;
    unsigned base = 10;
    if (i < s.size() && (s[i] == '$' || (files && (s[i] == 'x' || s[i] == 'X')))) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    // The class library takes a hexadecimal text as a bit pattern of the
    // width ("$FFFFFFFF" is -1 in 32 bits); every other magnitude must fit
    // the signed range.
    const bool pattern = base == 16 && !files;
    const uint64_t half = uint64_t(1) << (bits - 1);  // magnitude of the lowest value
    const uint64_t limit = pattern ? half * 2 - 1 : half;
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        if (v > (limit - d) / base) return false;
        v = v * base + d;
    }
    const int64_t lowest = -static_cast<int64_t>(half - 1) - 1;
    int64_t value;
    if (pattern) {
        value = v >= half ? static_cast<int64_t>(v - half) + lowest : static_cast<int64_t>(v);
        if (neg) {
            if (value == lowest) return false;  // "-$80000000"
            value = -value;
        }
    } else if (neg) {
        value = v == half ? lowest : -static_cast<int64_t>(v);
    } else {
        if (v == half) return false;
        value = static_cast<int64_t>(v);
    }
    out = value;
    return true;
}

} // namespace

bool TryReadWholeNumber(std::string_view s, TNumberSyntax syntax, int32_t& out)
{
    int64_t v;
    if (!ReadWholeNumber(s, syntax, 32, v)) return false;
    out = static_cast<int32_t>(v);
    return true;
}

bool TryReadWholeNumber(std::string_view s, TNumberSyntax syntax, int64_t& out)
{
    return ReadWholeNumber(s, syntax, 64, out);
}

bool TryStrToInt(std::string_view s, int& out)
{
    int32_t v;
    if (!TryReadWholeNumber(s, TNumberSyntax::Library, v)) return false;
    out = v;
    return true;
}

int StrToIntDef(std::string_view s, int def)
{
    int v;
    return TryStrToInt(s, v) ? v : def;
}

int StrToInt(std::string_view s)
{
    int v;
    if (!TryStrToInt(s, v))
        throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
    return v;
}

namespace {
bool g_formatLoaded = false;
TFormatSettings g_format;

char FirstChar(const QString& s, char def)
{
    if (s.isEmpty()) return def;
    const QChar c = s.at(0);
    return c.unicode() < 128 ? static_cast<char>(c.unicode()) : def;
}

// Turns a Qt date/time pattern into the class library's format letters.
std::string ToLibraryFormat(QString f)
{
    f.replace("MMMM", "mmmm").replace("MMM", "mmm").replace("MM", "mm");
    f.replace(QRegularExpression("(?<![mM])M(?![mM])"), "m");
    f.replace("mm:", "nn:").replace(":mm", ":nn");
    f.replace("AP", "AM/PM").replace("ap", "am/pm");
    return f.toStdString();
}
}

void LoadSystemFormatSettings()
{
    const QLocale loc = QLocale::system();
    g_format.DecimalSeparator = FirstChar(loc.decimalPoint(), '.');
    g_format.ThousandSeparator = FirstChar(loc.groupSeparator(), ',');
    const QString sd = loc.dateFormat(QLocale::ShortFormat);
    g_format.ShortDateFormat = ToLibraryFormat(sd);
    g_format.LongDateFormat = ToLibraryFormat(loc.dateFormat(QLocale::LongFormat));
    g_format.ShortTimeFormat = ToLibraryFormat(loc.timeFormat(QLocale::ShortFormat));
    g_format.LongTimeFormat = ToLibraryFormat(loc.timeFormat(QLocale::LongFormat));
    char ds = '/';
    for (QChar c : sd)
        if (!c.isLetterOrNumber()) {
            ds = FirstChar(QString(c), '/');
            break;
        }
    g_format.DateSeparator = ds;
    g_format.TimeSeparator = ':';
    g_formatLoaded = true;
}

TFormatSettings& FormatSettings()
{
    if (!g_formatLoaded) LoadSystemFormatSettings();
    return g_format;
}

WideString Utf8ToWide(std::string_view s)
{
    const QString q = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    return WideString(reinterpret_cast<const char16_t*>(q.utf16()), static_cast<size_t>(q.size()));
}

std::string WideToUtf8(const WideString& w)
{
    const QString q = QString::fromUtf16(w.data(), static_cast<qsizetype>(w.size()));
    return q.toStdString();
}

std::string AnsiUpperCase(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toUpper().toStdString();
}

std::string AnsiLowerCase(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toLower().toStdString();
}

namespace {

int Collate(std::string_view a, std::string_view b, Qt::CaseSensitivity cs)
{
    // One collator per thread and case rule (a sort compares many times).
    thread_local QCollator sensitive, insensitive;
    thread_local bool made = false;
    if (!made) {
        sensitive.setCaseSensitivity(Qt::CaseSensitive);
        insensitive.setCaseSensitivity(Qt::CaseInsensitive);
        made = true;
    }
    const QCollator& c = cs == Qt::CaseSensitive ? sensitive : insensitive;
    return c.compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                     QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())));
}

} // namespace

int AnsiCompareStr(std::string_view a, std::string_view b) { return Collate(a, b, Qt::CaseSensitive); }

int AnsiCompareText(std::string_view a, std::string_view b) { return Collate(a, b, Qt::CaseInsensitive); }
