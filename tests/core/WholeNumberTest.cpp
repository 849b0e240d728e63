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
