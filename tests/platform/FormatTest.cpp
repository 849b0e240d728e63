// Checked Format: directives, separators and refusal of mismatches.
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

namespace {

struct SettingsGuard {
    TFormatSettings saved = FormatSettings();
    ~SettingsGuard() { FormatSettings() = saved; }
};

TEST(FormatTest, DirectivesProduceTheClassLibraryTexts)
{
    SettingsGuard g;
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().ThousandSeparator = ',';
    struct Case {
        const char* fmt;
        std::vector<TVarRec> args;
        const char* want;
    } cases[] = {
        {"%d-%d", {1, -23}, "1--23"},
        {"%.4d", {7}, "0007"},
        {"%5d|%-5d|", {42, 42}, "   42|42   |"},
        {"%x", {255}, "FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%s and %s", {"a", std::string("b")}, "a and b"},
        {"%.2s", {"abcdef"}, "ab"},
        {"%.2f", {3.14159}, "3.14"},
        {"%f", {2.5}, "2.50"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%.0n", {-1234.0}, "-1,234"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {-0.00012}, "-1.20E-004"},
        {"%g", {0.5}, "0.5"},
        {"%g", {1e20}, "1E20"},
        {"%1:s %0:s", {"x", "y"}, "y x"},
        {"%*d", {4, 7}, "   7"},
        {"100%%", {}, "100%"},
        {"%s", {true}, "True"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.fmt, c.args), c.want) << c.fmt;
}

TEST(FormatTest, SeparatorsFollowTheSettingsAtEachCall)
{
    SettingsGuard g;
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    EXPECT_EQ(Format("%.2f", {1.5}), "1,50");
    EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
    EXPECT_EQ(FloatToStr(0.25), "0,25");
}

TEST(FormatTest, MismatchedOrMissingArgumentsRaiseConversionErrors)
{
    struct Case {
        const char* fmt;
        std::vector<TVarRec> args;
    } cases[] = {
        {"%d", {"text"}},       // text for an integer
        {"%d", {1.5}},          // float for an integer
        {"%f", {3}},            // integer for a float
        {"%s", {12}},           // integer for a text
        {"%s %s", {"one"}},     // too few arguments
        {"%q", {1}},            // unknown directive
        {"%5", {1}},            // unterminated directive
        {"%3:s", {"a"}},        // index out of range
        {"%*d", {"w", 1}},      // width not an integer
        {"%n%n%n%s", {}},       // user text with directives, no arguments
    };
    for (const auto& c : cases) EXPECT_THROW(Format(c.fmt, c.args), EConvertError) << c.fmt;
    // User text passed as an argument is never interpreted.
    EXPECT_EQ(Format("%s", {"%n%s%d"}), "%n%s%d");
}

}  // namespace
