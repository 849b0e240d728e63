// The one reading of whole numbers in its two syntaxes: where they agree
// and the two places they differ (a bare "x" and hexadecimal patterns).
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {
std::optional<int32_t> Read(const char* text, TNumberSyntax syntax)
{
    int32_t v = 77;
    if (!TryReadWholeNumber(text, syntax, v)) {
        EXPECT_EQ(v, 77) << "a failed reading changed the value";
        return std::nullopt;
    }
    return v;
}
} // namespace

TEST(WholeNumber, LibraryAndFileSyntax)
{
    const std::nullopt_t no = std::nullopt;
    struct Case {
        const char* text;
        std::optional<int32_t> library, files;
    } cases[] = {
        {" 12", 12, 12},       {"12 ", no, no},          {"", no, no},           {"+5", 5, 5},
        {"-3", -3, -3},        {"$FF", 255, 255},        {"0x7ff", 2047, 2047},  {"0X1f", 31, 31},
        {"x1F", no, 31},       {"X1F", no, 31},          {"0x", no, no},         {"$", no, no},
        {"1e3", no, no},       {"2147483647", INT32_MAX, INT32_MAX},             {"2147483648", no, no},
        {"-2147483648", INT32_MIN, INT32_MIN},           {"$FFFFFFFF", -1, no},  {"$80000000", INT32_MIN, no},
        {"$100000000", no, no}, {"99999999999999999999", no, no},                {"\t3", no, no},
        {"+-5", no, no},       {"- 5", no, no},          {"$ 5", no, no},        {"0x-5", no, no},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.text, TNumberSyntax::Library), c.library) << '"' << c.text << '"';
        EXPECT_EQ(Read(c.text, TNumberSyntax::Files), c.files) << '"' << c.text << '"';
    }
    int n = 0;
    EXPECT_TRUE(TryStrToInt("$FF", n));
    EXPECT_EQ(n, 255);
}

TEST(WholeNumber, SixtyFourBitFormOfBothSyntaxes)
{
    const std::nullopt_t no = std::nullopt;
    struct Case {
        const char* text;
        std::optional<int64_t> library, files;
    } cases[] = {
        {"4294967296", 4294967296LL, 4294967296LL},
        {"$FFFFFFFF", 4294967295LL, 4294967295LL},
        {"$FFFFFFFFFFFFFFFF", -1, no},
        {"$8000000000000000", INT64_MIN, no},
        {"-$8000000000000000", no, INT64_MIN},
        {"$10000000000000000", no, no},
        {"x10", no, 16},
        {"-9223372036854775808", INT64_MIN, INT64_MIN},
        {"9223372036854775808", no, no},
        {"12 ", no, no},
    };
    for (const Case& c : cases) {
        for (TNumberSyntax syntax : {TNumberSyntax::Library, TNumberSyntax::Files}) {
            int64_t v = 77;
            const bool read = TryReadWholeNumber(c.text, syntax, v);
            const std::optional<int64_t> want = syntax == TNumberSyntax::Library ? c.library : c.files;
            EXPECT_EQ(read ? std::optional<int64_t>(v) : std::nullopt, want) << '"' << c.text << '"';
            if (!read) {
                EXPECT_EQ(v, 77);
            }
        }
    }
}
