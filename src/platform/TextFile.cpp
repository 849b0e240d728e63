#include "platform/TextFile.h"

#include <cstdint>

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

bool ValidUtf8From(const std::string& s, size_t from)
{
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    size_t i = from, n = s.size();
    while (i < n) {
        const unsigned char c = p[i];
        int len;
        char32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(len) > n) return false;
        for (int k = 1; k < len; ++k) {
            if ((p[i + static_cast<size_t>(k)] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + static_cast<size_t>(k)] & 0x3F);
        }
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<size_t>(len);
    }
    return true;
}

// Windows-1252 code points of the bytes 0x80..0x9F (0 = unassigned).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string FromUtf16(const std::string& b, size_t from, bool bigEndian)
{
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(b.data());
    auto unit = [&](size_t i) -> char16_t {
        return bigEndian ? static_cast<char16_t>((p[i] << 8) | p[i + 1])
                         : static_cast<char16_t>((p[i + 1] << 8) | p[i]);
    };
    size_t i = from;
    while (i + 1 < b.size()) {
        char32_t u = unit(i);
        i += 2;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 < b.size()) {
                const char32_t lo = unit(i);
                if (lo >= 0xDC00 && lo <= 0xDFFF) {
                    i += 2;
                    AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
                    continue;
                }
            }
            u = 0xFFFD;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            u = 0xFFFD;
        }
        AppendUtf8(out, u);
    }
    return out;
}

} // namespace

std::string DecodeText(const std::string& b)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.data());
    if (b.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        // Declared UTF-8: keep it, replacing what is not valid.
        if (ValidUtf8From(b, 3)) return b.substr(3);
    } else if (b.size() >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
        return FromUtf16(b, 2, false);
    } else if (b.size() >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
        return FromUtf16(b, 2, true);
    } else if (ValidUtf8From(b, 0)) {
        return b;
    }
    const size_t from = (b.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) ? 3 : 0;
    std::string out;
    out.reserve(b.size());
    for (size_t i = from; i < b.size(); ++i) {
        const unsigned char c = p[i];
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            AppendUtf8(out, kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : c);
        else
            AppendUtf8(out, c);
    }
    return out;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

bool IsValidUtf8(const std::string& s) { return ValidUtf8From(s, 0); }

std::string EncodeWindows1252(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        // One character: its length from the lead byte, valid only when
        // ValidUtf8From accepts it on its own.
        const size_t len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
        const std::string one = utf8.substr(i, len);
        if (len == 1 || one.size() != len || !ValidUtf8From(one, 0)) {
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
        for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (p[i + k] & 0x3F);
        i += len;
        char byte = '?';
        if (cp >= 0xA0 && cp <= 0xFF) {
            byte = static_cast<char>(cp);
        } else {
            for (unsigned k = 0; k < 32; ++k)
                if (kCp1252High[k] != 0 && kCp1252High[k] == cp) byte = static_cast<char>(0x80 + k);
        }
        out += byte;
    }
    return out;
}
