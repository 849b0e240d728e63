#include "core/UWholeNumber.h"

#include "platform/SysUtils.h"

namespace UComon {

bool Try_Whole_Number(std::string_view s, int32_t& value)
{
    return TryReadWholeNumber(s, TNumberSyntax::Files, value);
}

int32_t Whole_Number(std::string_view text) { return Whole_Number_Def(text, -1); }

int32_t Whole_Number_Def(std::string_view text, int32_t def)
{
    int32_t v;
    return Try_Whole_Number(text, v) ? v : def;
}

bool Try_Whole_Number(std::string_view s, int64_t& value)
{
    return TryReadWholeNumber(s, TNumberSyntax::Files, value);
}

int64_t Whole_Number64(std::string_view text)
{
    int64_t v;
    return Try_Whole_Number(text, v) ? v : -1;
}

} // namespace UComon
