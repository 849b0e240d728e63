#include "widgets/GridFilter.h"

#include "support/FormatGuard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

TEST(GridFilter, ExpressionTable)
{
    FormatGuard fg('.', ',', '/', "d/M/yyyy");
    struct Case {
        const char* expr;
        const char* value;
        bool caseSensitive;
        bool match;
    } cases[] = {
        {">5&<10", "7", true, true},
        {">5&<10", "10", true, false},
        {">5 & <10", "5", true, false},
        {">=10", "10", true, true},
        {"<=10", "10", true, true},
        {"= >5", "6", true, true},
        {"= >5", "5", true, false},
        {"A|B", "B", true, true},
        {"A;B", "A", true, true},
        {"(A|B)&C", "A", true, false},
        {"(A|B)&C", "C", true, false},
        {"C|(A)", "C", true, true},
        {"abc*", "ABCD", false, true},
        {"abc*", "ABCD", true, false},
        {"*bc*", "abcd", true, true},
        {"a?c", "abc", true, true},
        {"a?c", "ac", true, false},
        {"!abc", "abc", true, false},
        {"!abc", "abd", true, true},
        {"!a*", "abc", true, false},
        {"a!b", "xyz", true, false},
        {"a*ab", "ab", true, false},
        {"a*b", "ab", true, true},
        {"", "", true, true},
        {"", "x", true, false},
        {">b", "c", true, true},
        {">b", "a", true, false},
        {"\"a|b\"", "a|b", true, true},
        {"\"a b\"", "a b", true, true},
        {"(((", "x", true, false},
        {"(a", "a", true, false},
        {"((a))", "a", true, true},
        {">1/2/2020", "2/2/2020", true, true},
        {">1/2/2020", "31/1/2020", true, false},
        {">9", "10", true, true}, // numbers, not text
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchFilterExpression(c.expr, c.value, c.caseSensitive), c.match)
            << c.expr << " against " << c.value;
}

TEST(GridFilter, LocaleSeparators)
{
    FormatGuard fg(',', '.', '/', "d/M/yyyy");
    EXPECT_TRUE(MatchFilterExpression(">1.000,5", "1.200", true));
    EXPECT_FALSE(MatchFilterExpression(">1.000,5", "999,9", true));
    EXPECT_TRUE(MatchFilterExpression("<2,5", "2,25", true));
}

TEST(GridFilter, DeepNestingEndsWithoutMatch)
{
    const std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
    EXPECT_FALSE(MatchFilterExpression(deep, "a", true));
    const std::string ok = std::string(20, '(') + "a" + std::string(20, ')');
    EXPECT_TRUE(MatchFilterExpression(ok, "a", true));
}

TEST(GridFilter, ManyStarsFinishQuickly)
{
    std::string pattern;
    for (int i = 0; i < 30; ++i) pattern += "*a";
    pattern += "*b";
    const std::string value(1000, 'a');
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(MatchFilterExpression(pattern, value, true));
    EXPECT_TRUE(MatchFilterExpression(pattern, value + "b", true));
    EXPECT_TRUE(MatchFilterExpression(std::string(30, '*'), value, true));
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(ms, 2000);
}

TEST(GridFilter, Helpers)
{
    EXPECT_EQ(StripUnquotedBlanks(" a b \" c d \" e"), "ab\" c d \"e");
    int pos = 0;
    EXPECT_EQ(FirstUnquotedCharOf({'&', '|'}, "\"a&b\"|c", pos), '|');
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(FirstUnquotedCharOf({'&'}, "\"a&b\"", pos), 0);
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(ClosingParenPos("(a(b)c)d"), 7);
    EXPECT_EQ(ClosingParenPos("(a(b"), 0);
}
