// Fuzzes the grid's cell text helpers: the filter matcher, the wide-text
// codec and the number and date recognisers. Input: expression, a line
// feed, the value.
#include "widgets/GridFilter.h"
#include "widgets/GridParsers.h"
#include "widgets/GridUtil.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string in(reinterpret_cast<const char*>(data), size);
    const size_t nl = in.find('\n');
    const std::string expr = in.substr(0, nl);
    const std::string value = nl == std::string::npos ? std::string() : in.substr(nl + 1);

    MatchFilterExpression(expr, value, true);
    MatchFilterExpression(expr, value, false);

    const WideString w = Utf8ToWide(in);
    if (DecodeWideText(EncodeWideText(w)) != w) std::abort();
    DecodeWideText(in);

    TDateTime dt = 0;
    ParseDateTimeText(value, dt);
    NumberTextKind(value);
    NormalizeNumberText(value);
    MixedCaseText(value);
    std::string url;
    URLToAnchor(value, "HTTP://", url);
    return 0;
}
