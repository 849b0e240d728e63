#include "core/UParsers.h"

#include "platform/SerialPorts.h"
#include "platform/SysUtils.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace UComon {

namespace {

// Strict decimal integer (optional sign, digits only); def when the text is
// not a number or does not fit.
long long ReadDec(std::string_view s, long long def)
{
    size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    if (i >= s.size()) return def;
    long long v = 0;
    const char* first = s.data() + i;
    const char* last = s.data() + s.size();
    auto [p, ec] = std::from_chars(first, last, v, 10);
    if (ec != std::errc() || p != last) return def;
    return neg ? -v : v;
}

bool InRange(long long v, long long lo, long long hi) { return v >= lo && v <= hi; }

// Splits s at its first "."; false when there is none.
bool SplitAt(const std::string& s, char sep, std::string& head, std::string& tail)
{
    const auto p = s.find(sep);
    if (p == std::string::npos) return false;
    head = s.substr(0, p);
    tail = s.substr(p + 1);
    return true;
}

size_t CodePoints(const std::string& s)
{
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace

bool Split_IP_Address(const std::string& text, std::string& a, std::string& b, std::string& c,
                      std::string& d)
{
    std::string rest = Trim(text);
    if (rest.find('.') == std::string::npos) return false;
    std::string* parts[3] = {&a, &b, &c};
    for (std::string* part : parts) {
        std::string head, tail;
        if (!SplitAt(rest, '.', head, tail)) return false;
        *part = Trim(head);
        rest = Trim(tail);
    }
    d = rest;
    for (const std::string* part : {&a, &b, &c, &d})
        if (!InRange(ReadDec(*part, 1000), 0, 255)) return false;
    return true;
}

bool IP_To_Bytes(const std::string& text, uint8_t& b1, uint8_t& b2, uint8_t& b3, uint8_t& b4)
{
    if (text.empty()) return true;
    bool error = false;
    std::string rest = text;
    uint8_t* bytes[4] = {&b1, &b2, &b3, &b4};
    for (int i = 0; i < 4; ++i) {
        const auto p = rest.find('.');
        std::string part;
        if (i == 3)
            part = rest;
        else if (p != std::string::npos)
            part = rest.substr(0, p);
        const long long v = ReadDec(part, -1);
        if (InRange(v, 0, 255)) {
            *bytes[i] = static_cast<uint8_t>(v);
        } else {
            *bytes[i] = 0;
            error = true;
        }
        if (p != std::string::npos) rest = rest.substr(p + 1);
    }
    return error;
}

bool IP_Port_To_Bytes(const std::string& text, uint8_t& b1, uint8_t& b2, uint8_t& b3, uint8_t& b4,
                      uint16_t& port)
{
    b1 = b2 = b3 = b4 = 0;
    port = 0;
    if (text.empty() || text.find('.') == std::string::npos) return false;
    std::string rest = Trim(text);
    long long v[4];
    for (int i = 0; i < 3; ++i) {
        std::string head, tail;
        if (!SplitAt(rest, '.', head, tail)) return false;
        v[i] = ReadDec(Trim(head), -1);
        if (!InRange(v[i], 0, 255)) return false;
        rest = Trim(tail);
    }
    std::string head, tail;
    if (!SplitAt(rest, ':', head, tail)) return false;
    v[3] = ReadDec(Trim(head), -1);
    const long long p = ReadDec(Trim(tail), -1);
    if (!InRange(v[3], 0, 255) || !InRange(p, 0, 65535)) return false;
    b1 = static_cast<uint8_t>(v[0]);
    b2 = static_cast<uint8_t>(v[1]);
    b3 = static_cast<uint8_t>(v[2]);
    b4 = static_cast<uint8_t>(v[3]);
    port = static_cast<uint16_t>(p);
    return true;
}

int Check_KNX_Address(const std::string& text, bool group, bool allowZero)
{
    const std::string t = Trim(text);
    const auto plainNumber = [&] { return InRange(ReadDec(t, -1), 1, 65535) ? 0 : 1; };
    if (!group) {
        if (t.find('/') != std::string::npos) return 1;
        if (t.find('.') == std::string::npos) return plainNumber();
        std::string areaText, rest, lineText, deviceText;
        SplitAt(t, '.', areaText, rest);
        // A two-part dotted text ("230.240") is taken as it stands.
        if (!SplitAt(rest, '.', lineText, deviceText)) return 0;
        if (deviceText.find('.') != std::string::npos) return 1;
        const long long area = ReadDec(Trim(areaText), -1);
        const long long line = ReadDec(Trim(lineText), -1);
        const long long device = ReadDec(Trim(deviceText), -1);
        if (!InRange(area, 0, 15) || !InRange(line, 0, 15) || !InRange(device, 0, 255)) return 1;
        if (!allowZero && area == 0 && line == 0 && device == 0) return 1;
        return 0;
    }
    if (t.find('.') != std::string::npos) return 1;
    std::string mainText, rest;
    if (!SplitAt(t, '/', mainText, rest)) return plainNumber();
    const long long main = ReadDec(Trim(mainText), -1);
    std::string middleText, subText;
    if (!SplitAt(rest, '/', middleText, subText)) {
        const long long sub = ReadDec(Trim(rest), -1);
        if (!InRange(main, 0, 31) || !InRange(sub, 0, 2047) || (main == 0 && sub == 0)) return 1;
        return 0;
    }
    if (subText.find('/') != std::string::npos) return 1;
    const long long middle = ReadDec(Trim(middleText), -1);
    const long long sub = ReadDec(Trim(subText), -1);
    if (!InRange(main, 0, 31) || !InRange(middle, 0, 7) || !InRange(sub, 0, 255)) return 1;
    if (main == 0 && middle == 0 && sub == 0) return 1;
    return 0;
}

bool No_Dot_In_String(const std::string& text) { return text.find('.') == std::string::npos; }

int Check_OID(const std::string& text)
{
    if (text.size() > 61) return 1;
    if (text.empty()) return 2;
    for (char c : text)
        if (c != '.' && (c < '0' || c > '9')) return 2;
    if (text.front() == '.') return 3;
    if (text.back() == '.') return 4;
    if (text.find("..") != std::string::npos) return 5;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('.', start);
        if (end == std::string::npos) end = text.size();
        unsigned long long arc = 0;
        auto [p, ec] = std::from_chars(text.data() + start, text.data() + end, arc, 10);
        (void)p;
        if (ec != std::errc() || arc > 4294967295ull) return 6;
        start = end + 1;
    }
    return 0;
}

int Check_SNMP_User_Pwd(const std::string& text, bool isUser)
{
    const size_t n = CodePoints(text);
    if (n > 15) return 1;
    if (n < (isUser ? 1u : 8u)) return 2;
    for (char c : text) {
        const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!ok) return 3;
    }
    return 0;
}

int Get_SNMP_Sec_Level(const std::string& text)
{
    const std::string t = UpperCase(Trim(text));
    if (t == "AUTH NOPRIV") return 1;
    if (t == "AUTH PRIV") return 3;
    if (t.empty()) return -1;
    return 0;
}

char Get_Decimal_Separator()
{
    const char c = FormatSettings().DecimalSeparator;
    return c == '.' ? '.' : ',';
}

bool Str_To_Float_Sep(const std::string& text, char sep, float& value)
{
    std::string t = text;
    for (char& c : t) {
        if (sep == '.' && c == ',') c = '.';
        else if (sep != '.' && c == '.') c = ',';
    }
    // The conversion of the class library: blanks around the number, a sign,
    // digits with the platform's decimal separator, an optional exponent.
    const char dec = FormatSettings().DecimalSeparator;
    std::string s = Trim(t);
    std::string norm;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) norm += s[i++];
    bool digits = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        norm += s[i++];
        digits = true;
    }
    if (i < s.size() && s[i] == dec) {
        norm += '.';
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            norm += s[i++];
            digits = true;
        }
    }
    bool ok = digits;
    if (ok && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        norm += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) norm += s[i++];
        bool expDigits = false;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            norm += s[i++];
            expDigits = true;
        }
        ok = expDigits;
    }
    ok = ok && i == s.size();
    if (ok) {
        double d = 0;
        const char* first = norm.data() + (norm[0] == '+' ? 1 : 0);
        auto [p, ec] = std::from_chars(first, norm.data() + norm.size(), d);
        ok = ec == std::errc() && p == norm.data() + norm.size() && std::isfinite(d) &&
             std::fabs(d) <= std::numeric_limits<float>::max();
        if (ok) {
            value = static_cast<float>(d);
            return true;
        }
    }
    value = 1.0f;
    return false;
}

std::unique_ptr<TStringList> Get_COM_Ports()
{
    auto list = std::make_unique<TStringList>();
    for (const std::string& name : ListSerialPortNames()) {
        int n = 0;
        if (name.size() > 3 && UpperCase(name.substr(0, 3)) == "COM" && TryStrToInt(name.substr(3), n) && n >= 1 &&
            n <= 256 && name.substr(3).find_first_not_of("0123456789") == std::string::npos)
            list->Add(IntToStr(n));
        else
            list->Add(name);
    }
    return list;
}

int Get_WiFi_IP_Users(std::string& names1, std::string& names2)
{
    names1 = "MQTT";
    names2.clear();
    return 1;
}

} // namespace UComon
