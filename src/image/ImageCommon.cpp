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
