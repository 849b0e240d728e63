#include "core/UWholeNumber.h"

#include <gtest/gtest.h>

#include <climits>

using namespace UComon;

TEST(WholeNumber, ReadingTable)
{
    struct Case {
        const char* text;
        int32_t value;  // -1 also for texts that are no number
    } cases[] = {
        {" 12", 12},          {"12 ", -1},         {"", -1},          {"+5", 5},
        {"-3", -3},           {"$59F", 1439},      {"0x7ff", 2047},   {"X1F", 31},
        {"0X1f", 31},         {"0x", -1},          {"$", -1},         {"1e3", -1},
        {"2147483647", INT32_MAX}, {"2147483648", -1}, {"007", 7},    {"-2147483648", INT32_MIN},
        {"-$80000000", INT32_MIN}, {"$80000000", -1}, {"$FFFFFFFF", -1}, {"x7FFFFFFF", INT32_MAX},
        {"99999999999999999999", -1}, {"\t3", -1}, {"+-5", -1},       {"- 5", -1},
        {"$ 5", -1},          {"0x-5", -1},        {"12abc", -1},     {"abc", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(Whole_Number(c.text), c.value) << '"' << c.text << '"';
}

TEST(WholeNumber, TellsMinusOneApartFromNoNumber)
{
    int32_t v = 77;
    EXPECT_TRUE(Try_Whole_Number("-1", v));
    EXPECT_EQ(v, -1);
    v = 77;
    EXPECT_FALSE(Try_Whole_Number("abc", v));
    EXPECT_EQ(v, 77);
    EXPECT_EQ(Whole_Number_Def("abc", 8), 8);
    EXPECT_EQ(Whole_Number_Def(" 0x10", 8), 16);
}

TEST(WholeNumber, SixtyFourBitFormReadsTheSameSyntaxInTheWiderRange)
{
    struct Case {
        const char* text;
        int64_t value;  // -1 also for texts that are no number
    } cases[] = {
        {" 12", 12},
        {"12 ", -1},
        {"", -1},
        {"X1F", 31},
        {"$59F", 1439},
        {"4294967295", 4294967295LL},
        {"4294967296", 4294967296LL},
        {"$FFFFFFFF", 4294967295LL},
        {"-2147483649", -2147483649LL},
        {"9223372036854775807", INT64_MAX},
        {"9223372036854775808", -1},
        {"-9223372036854775808", INT64_MIN},
        {"x7FFFFFFFFFFFFFFF", INT64_MAX},
        {"$8000000000000000", -1},
        {"-$8000000000000000", INT64_MIN},
        {"99999999999999999999", -1},
        {"18446744073709551615", -1},
        {"12abc", -1},
        {"- 5", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(Whole_Number64(c.text), c.value) << '"' << c.text << '"';
    int64_t v = 77;
    EXPECT_FALSE(Try_Whole_Number("abc", v));
    EXPECT_EQ(v, 77);
    EXPECT_TRUE(Try_Whole_Number("-1", v));
    EXPECT_EQ(v, -1);
}
