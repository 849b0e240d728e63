#include "core/UWholeNumber.h"

namespace UComon {

bool Try_Whole_Number(std::string_view s, int32_t& value)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    // The magnitude may reach 2^31 (for the negative end); anything larger
    // is out of range whatever the sign.
    constexpr uint64_t limit = 2147483648ull;
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
        v = v * base + d;
        if (v > limit) return false;
    }
    if (!neg && v == limit) return false;
    value = neg ? static_cast<int32_t>(-static_cast<int64_t>(v)) : static_cast<int32_t>(v);
    return true;
}

int32_t Whole_Number(std::string_view text) { return Whole_Number_Def(text, -1); }

int32_t Whole_Number_Def(std::string_view text, int32_t def)
{
    int32_t v;
    return Try_Whole_Number(text, v) ? v : def;
}

} // namespace UComon
