#include "image/ImageCommon.h"

#include "platform/Paths.h"
#include "platform/XmlDoc.h"

#include <cstring>

namespace USaveBincc {

TBankWriter::TBankWriter(std::vector<uint8_t>& buffer, uint32_t position, uint32_t limit)
    : buf_(buffer), pos_(position), limit_(limit)
{
    if (static_cast<size_t>(limit_) >= buf_.size()) limit_ = static_cast<uint32_t>(buf_.size() - 1);
}

void TBankWriter::Room(size_t count) const
{
    if (count == 0) return;
    // pos_ + count - 1 must not pass the limit; computed without overflow.
    if (static_cast<uint64_t>(pos_) + count - 1 > limit_)
        throw EImageBuildError("The device image does not fit into its memory area (" +
                               std::to_string(static_cast<uint64_t>(limit_) + 1) + " bytes).");
}

void TBankWriter::U8(uint32_t v)
{
    Room(1);
    buf_[pos_++] = static_cast<uint8_t>(v);
}

void TBankWriter::U16(uint32_t v)
{
    Room(2);
    buf_[pos_++] = static_cast<uint8_t>(v);
    buf_[pos_++] = static_cast<uint8_t>(v >> 8);
}

void TBankWriter::U32(uint32_t v)
{
    Room(4);
    for (int i = 0; i < 4; ++i) buf_[pos_++] = static_cast<uint8_t>(v >> (8 * i));
}

void TBankWriter::Bytes(const void* data, size_t count)
{
    Room(count);
    if (count) std::memcpy(buf_.data() + pos_, data, count);
    pos_ += static_cast<uint32_t>(count);
}

bool Image_TryStrToInt(std::string_view s, int32_t& out)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * (hex ? 16 : 10) + static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    int64_t sv;
    if (hex) {
        sv = static_cast<int32_t>(static_cast<uint32_t>(v));
    } else {
        if (v > (neg ? 2147483648ull : 2147483647ull)) return false;
        sv = static_cast<int64_t>(v);
    }
    if (neg) sv = -sv;
    out = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(sv)));
    return true;
}

int32_t Image_StrToIntDef(std::string_view s, int32_t def)
{
    int32_t v;
    return Image_TryStrToInt(s, v) ? v : def;
}

std::u16string Utf8ToUtf16(std::string_view s)
{
    std::u16string r;
    r.reserve(s.size());
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        char32_t cp = 0xFFFD;
        size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else {
            size_t need = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
            if (need && i + need <= n) {
                char32_t v = c & (need == 2 ? 0x1F : need == 3 ? 0x0F : 0x07);
                bool ok = true;
                for (size_t k = 1; k < need; ++k) {
                    if ((p[i + k] & 0xC0) != 0x80) {
                        ok = false;
                        break;
                    }
                    v = (v << 6) | (p[i + k] & 0x3F);
                }
                const bool overlong = (need == 2 && v < 0x80) || (need == 3 && v < 0x800) || (need == 4 && v < 0x10000);
                if (ok && !overlong && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
                    cp = v;
                    len = need;
                }
            }
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            r += static_cast<char16_t>(0xD800 + (cp >> 10));
            r += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            r += static_cast<char16_t>(cp);
        }
    }
    return r;
}

bool Element_Text(pugi::xml_node root, const char* name, std::string& out)
{
    const pugi::xml_node e = ChildElement(root, name);
    if (!e) return false;
    out = ElementText(e);
    return true;
}

bool Attribute_Text(pugi::xml_node row, const char* name, std::string& out)
{
    const pugi::xml_attribute a = row.attribute(name);
    if (!a) return false;
    out = a.value();
    return true;
}

void Raise_Build_Error(const std::string& file, const std::string& what)
{
    throw EImageBuildError("The device image cannot be built.\n\"" + ExtractFileName(file) + "\": " + what);
}

} // namespace USaveBincc
