#include "widgets/GridUtil.h"

#include "platform/Grids.h"

#include <cstdio>

namespace {

void AppendByteChar(std::string& out, unsigned v)
{
    if (v < 0x80) {
        out += static_cast<char>(v);
    } else {
        out += static_cast<char>(0xC0 | (v >> 6));
        out += static_cast<char>(0x80 | (v & 0x3F));
    }
}

// Next code point of a UTF-8 text at i (advanced past it). A byte that does
// not start a valid sequence is taken as the character of its own value.
unsigned NextCodePoint(std::string_view s, size_t& i)
{
    const unsigned char b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](size_t k) {
        return k < s.size() && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80;
    };
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2 && cont(i + 1)) {
        unsigned cp = ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
        i += 2;
        return cp;
    }
    if ((b0 & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
        unsigned cp = ((b0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
                      (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
        if (cp >= 0x800) {
            i += 3;
            return cp;
        }
    }
    if ((b0 & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
        unsigned cp = ((b0 & 0x07u) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 12) |
                      ((static_cast<unsigned char>(s[i + 2]) & 0x3Fu) << 6) |
                      (static_cast<unsigned char>(s[i + 3]) & 0x3Fu);
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            i += 4;
            return cp;
        }
    }
    ++i;
    return b0;
}

bool Contains(std::string_view s, std::string_view what) { return s.find(what) != std::string_view::npos; }

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to)
{
    std::string r;
    r.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, from.size(), from) == 0) {
            r += to;
            i += from.size();
        } else {
            r += s[i++];
        }
    }
    return r;
}

int ToPos(size_t p) { return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1; }

} // namespace

std::vector<std::string> SplitCodePoints(std::string_view s)
{
    std::vector<std::string> r;
    size_t i = 0;
    while (i < s.size()) {
        const size_t b = i;
        NextCodePoint(s, i);
        r.emplace_back(s.substr(b, i - b));
    }
    return r;
}

// --- codecs ------------------------------------------------------------------

std::string EncodeWideText(const WideString& w)
{
    std::string r = "|\\";
    r.reserve(2 + w.size() * 3);
    for (char16_t c : w) {
        AppendByteChar(r, static_cast<unsigned>(c) >> 8);
        AppendByteChar(r, static_cast<unsigned>(c) & 0xFF);
    }
    return r;
}

WideString DecodeWideText(std::string_view s)
{
    if (s.substr(0, 2) != "|\\") return Utf8ToWide(s);
    WideString r;
    size_t i = 2;
    while (i < s.size()) {
        // Characters above 255 cannot come from the encoder; their low byte
        // is taken so that a damaged text still decodes to something.
        const unsigned hi = NextCodePoint(s, i) & 0xFF;
        if (i >= s.size()) break; // odd last character
        const unsigned lo = NextCodePoint(s, i) & 0xFF;
        r += static_cast<char16_t>(hi * 256 + lo);
    }
    return r;
}

int WidePos(const WideString& sub, const WideString& text)
{
    const size_t p = text.find(sub);
    return p == WideString::npos ? 0 : static_cast<int>(p) + 1;
}

std::string EncodeLineBreaks(std::string_view s)
{
    if (!Contains(s, "\r")) return std::string(s);
    std::string r(s);
    for (char& c : r) {
        if (c == '\r')
            c = '\t';
        else if (c == '\n')
            c = '\b';
        else if (c == '\0')
            c = '\x01';
    }
    return r;
}

std::string DecodeLineBreaks(std::string_view s, bool multiLine)
{
    if (!Contains(s, "\b")) return std::string(s);
    std::string r(s);
    for (char& c : r) {
        if (c == '\t')
            c = '\r';
        else if (c == '\b')
            c = '\n';
        else if (c == '\x01')
            c = '\0';
    }
    if (multiLine) return r;
    std::string line;
    TakeLine(r, false, line);
    return line;
}

std::string EscapeNewlines(std::string_view s)
{
    std::string r;
    for (char c : s) {
        if (c == '\r')
            r += "\\n";
        else if (c != '\n')
            r += c;
    }
    return r;
}

std::string UnescapeNewlines(std::string_view s) { return ReplaceAll(s, "\\n", "\r"); }

std::string QuoteMultiLine(std::string_view s) { return "\"" + ReplaceAll(s, "\r\n", "\v") + "\""; }

std::string VTToCRLF(std::string_view s)
{
    if (!Contains(s, "\v")) return std::string(s);
    return ReplaceAll(s, "\v", "\r\n");
}

std::string CRLFToLF(std::string_view s) { return ReplaceAll(s, "\r\n", "\n"); }

std::string CRToLF(std::string_view s) { return ReplaceAll(s, "\r", "\n"); }

std::string RemoveCR(std::string_view s) { return ReplaceAll(s, "\r", ""); }

std::string CRToTilde(std::string_view s)
{
    std::string r;
    for (char c : s) {
        if (c == '\r')
            r += '~';
        else if (c != '\n')
            r += c;
    }
    return r;
}

std::string TildeToCRLF(std::string_view s)
{
    std::string r = ReplaceAll(s, "~", "\r\n");
    if (r == "^") r.clear();
    return r;
}

std::string CRToBR(std::string_view s)
{
    if (!Contains(s, "\r")) return std::string(s);
    return ReplaceAll(s, "\r", "<br>");
}

std::string DoubleQuoteChars(std::string_view s) { return ReplaceAll(s, "\"", "\"\""); }

std::string UndoubleChar(char ch, std::string_view s)
{
    if (s.find(ch) == std::string_view::npos) return std::string(s);
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        r += s[i];
        if (s[i] == ch && i + 1 < s.size() && s[i + 1] == ch) ++i;
    }
    return r;
}

namespace {
// Code page 437, characters 128..255.
const char16_t kOem437[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};
} // namespace

std::string StrToOem(std::string_view s)
{
    std::string r;
    for (char16_t c : Utf8ToWide(s)) {
        if (c < 0x80) {
            r += static_cast<char>(c);
            continue;
        }
        char out = '?';
        for (int k = 0; k < 128; ++k)
            if (kOem437[k] == c) {
                out = static_cast<char>(0x80 + k);
                break;
            }
        r += out;
    }
    return r;
}

std::string OemToStr(std::string_view oem)
{
    WideString w;
    for (char c : oem) {
        const unsigned char b = static_cast<unsigned char>(c);
        w += b < 0x80 ? static_cast<char16_t>(b) : kOem437[b - 0x80];
    }
    return WideToUtf8(w);
}

std::string ColorToHex(std::uint32_t color)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return buf;
}

std::string MixedCaseText(std::string_view s)
{
    const std::vector<std::string> chars = SplitCodePoints(s);
    const size_t n = chars.size();
    std::string r;
    bool upper = true;
    for (size_t i = 0; i < n; ++i) {
        const std::string& c = chars[i];
        if (c == " " || c == "'" || c == "," || c == "-" || c == ".") {
            r += c;
            upper = true;
        } else {
            r += upper ? AnsiUpperCase(c) : AnsiLowerCase(c);
            upper = false;
        }
        // Mc at the start or after a blank (McDonald); roman numerals I and
        // II ending the text (Henry III).
        if (r == "Mc") upper = true;
        const size_t mc = r.find(" Mc");
        if (mc != std::string::npos && mc + 3 == r.size()) upper = true;
        if (i + 3 >= n) {
            const std::string_view rv(r);
            if (rv.ends_with(" I") || rv.ends_with(" II")) upper = true;
        }
    }
    return r;
}

std::string MakeClipboardHTML(std::string_view fragment)
{
    static const std::string kStart =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
        "<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head>"
        "<body><!--StartFragment-->";
    static const std::string kEnd = "<!--EndFragment--></body></html>";
    // The header is fixed length: "Version:1.0" and four lines of a key and
    // eight digits, each ended with CR LF. Offsets are byte offsets of the
    // text returned.
    const long long headerLen = 97;
    const long long n = static_cast<long long>(fragment.size());
    const long long startFrag = headerLen + static_cast<long long>(kStart.size());
    const long long endFrag = startFrag + n;
    const long long endHtml = endFrag + static_cast<long long>(kEnd.size());
    char header[160];
    std::snprintf(header, sizeof header,
                  "Version:1.0\r\nStartHTML:%.8lld\r\nEndHTML:%.8lld\r\nStartFragment:%.8lld\r\nEndFragment:%.8lld\r\n",
                  headerLen, endHtml, startFrag, endFrag);
    std::string r = header;
    r += kStart;
    r += fragment;
    r += kEnd;
    return r;
}

bool URLToAnchor(std::string_view s, std::string_view upperPrefix, std::string& result)
{
    if (upperPrefix.empty() || !Contains(UpperCase(s), upperPrefix)) return false;
    const std::string text = ReplaceAll(ReplaceAll(s, "<", "&lt;"), ">", "&gt;");
    const std::string up = UpperCase(text);
    const size_t b = up.find(upperPrefix);
    if (b == std::string::npos) return false;
    auto isUrlChar = [](unsigned char c) {
        return c == '%' || c == '(' || c == ')' || c == '-' || c == '.' || c == '/' || (c >= '0' && c <= ':') ||
               (c >= '@' && c <= 'Z') || c == '\\' || c == '_' || (c >= 'a' && c <= 'z') || c == '{' || c == '}';
    };
    size_t e = b;
    while (e < text.size() && isUrlChar(static_cast<unsigned char>(text[e]))) ++e;
    const std::string url = text.substr(b, e - b);
    result = text.substr(0, b) + "<a href=\"" + url + "\">" + url + "</a>" + text.substr(e);
    return true;
}

// --- classification and parsing ------------------------------------------------

int CellTextKind(std::string_view s, bool htmlEnabled)
{
    if (s.empty()) return ctkPlain;
    const std::string t = std::string(s) + " ";
    if (t[0] == '=') return ctkFormula;
    if (t.compare(0, 2, "|\\") == 0) {
        if (t.size() > 4 && t[3] == '=' && t[4] == '\0') return ctkFormula;
        return ctkWideText;
    }
    if (t.compare(0, 2, "{\\") == 0) return ctkRichText;
    if (htmlEnabled && (Contains(t, "</") || Contains(t, "<B") || Contains(t, "<I") || Contains(t, "<C")))
        return ctkHTML;
    return ctkPlain;
}

bool IsURLText(std::string_view s) { return Contains(s, "://") || Contains(s, "mailto:"); }

void StripURLProtocol(std::string& s)
{
    size_t p = s.find("://");
    if (p != std::string::npos) {
        s.erase(0, p + 3);
        return;
    }
    p = s.find("mailto:");
    if (p != std::string::npos) s.erase(0, p + 7);
}

int TextLineCount(std::string_view s, bool multiLine) { return multiLine ? 1 + CountChar('\r', s) : 1; }

void TakeLine(std::string& s, bool keepRest, std::string& line)
{
    const size_t p = s.find('\r');
    if (p == std::string::npos) {
        line = s;
        s.clear();
        return;
    }
    line = s.substr(0, p);
    size_t cut = p + 1;
    if (cut < s.size() && s[cut] == '\n') ++cut;
    if (keepRest)
        s.erase(0, cut);
    else
        s.clear();
}

std::string CutFirstPart(std::string& s, std::string_view delimiter)
{
    if (delimiter.empty()) return {};
    const size_t p = s.find(delimiter);
    if (p == std::string::npos) return {};
    std::string part = s.substr(0, p);
    s.erase(0, p + delimiter.size());
    return part;
}

int CountChar(char ch, std::string_view s)
{
    int n = 0;
    for (char c : s)
        if (c == ch) ++n;
    return n;
}

int SingleCharPos(char ch, std::string_view s, int& pos)
{
    const size_t n = s.size();
    size_t i = 0;
    pos = 0;
    while (i < n) {
        if (s[i] != ch) {
            ++i;
            continue;
        }
        if (i + 1 == n) {
            pos = static_cast<int>(i) + 1;
            return pos;
        }
        size_t e = i;
        while (e < n && s[e] == ch) ++e;
        if ((e - i) % 2 == 1) {
            pos = static_cast<int>(e);
            return pos;
        }
        // An even run ending the text still ends at an occurrence in the
        // last position.
        if (e == n) {
            pos = static_cast<int>(n);
            return pos;
        }
        i = e;
    }
    return 0;
}

int SingleCharCount(char ch, std::string_view s)
{
    int count = 0;
    std::string_view rest = s;
    int pos = 0;
    while (SingleCharPos(ch, rest, pos) > 0) {
        ++count;
        rest = rest.substr(static_cast<size_t>(pos));
    }
    return count;
}

int CharPos(char ch, std::string_view s) { return ToPos(s.find(ch)); }

int CharPosEx(char ch, std::string_view s, int& pos)
{
    const int p = CharPos(ch, s);
    if (p > 0) pos = p;
    return p;
}

int FindSubstr(std::string_view sub, std::string_view s, int& pos)
{
    pos = ToPos(s.find(sub));
    return pos;
}

int UpperPos(std::string_view sub, std::string_view s) { return ToPos(AnsiUpperCase(s).find(sub)); }

std::string JoinStrings(const TStringList& list)
{
    std::string r;
    for (const std::string& l : list) r += l;
    return r;
}

void FillChars(std::string& s, char ch)
{
    const size_t n = SplitCodePoints(s).size();
    s.assign(n, ch);
}

int ClampToLimits(int value, int min, int max)
{
    if (min == max) return value;
    if (min > 0 && value < min) value = min;
    if (max > 0 && value > max) value = max;
    return value;
}

bool CellInGridRect(const TGridRect& rect, int col, int row)
{
    return col >= rect.Left && col <= rect.Right && row >= rect.Top && row <= rect.Bottom;
}
