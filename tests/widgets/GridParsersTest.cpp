#include "widgets/GridParsers.h"

#include "support/FormatGuard.h"

#include <gtest/gtest.h>

namespace {

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0)
{
    return EncodeDate(y, m, d) + EncodeTime(h, n, s, 0);
}

} // namespace

TEST(GridParsers, NumberTextKinds)
{
    FormatGuard fg('.', ',', '/', "d/M/yyyy");
    struct Case {
        const char* text;
        int kind;
    } cases[] = {
        {"123", nkInteger},      {"-5", nkInteger},         {"1,234.5", nkDecimal},   {"1,23", nkDecimal},
        {"1,2,3", nkNotANumber}, {"1e5", nkScientific},     {"-1.5e-3", nkScientific}, {"5-", nkNotANumber},
        {"1.2.3", nkNotANumber}, {"", nkNotANumber},        {"e5", nkNotANumber},     {"1e", nkNotANumber},
        {"1e5e2", nkNotANumber}, {"1,000e3", nkNotANumber}, {"12a", nkNotANumber},    {"--5", nkNotANumber},
    };
    for (const Case& c : cases) EXPECT_EQ(NumberTextKind(c.text), c.kind) << c.text;
}

TEST(GridParsers, NumberKindsFollowTheLocale)
{
    FormatGuard fg(',', '.', '.', "dd.MM.yyyy");
    EXPECT_EQ(NumberTextKind("1.234,5"), nkDecimal);
    EXPECT_EQ(NumberTextKind("1,2,3"), nkNotANumber);
    EXPECT_EQ(DotDecimalText("1.234,5"), "1234.5");
    EXPECT_EQ(NormalizeNumberText("$ 1.234,50"), "1234.50");
}

TEST(GridParsers, NormalizeNumberText)
{
    FormatGuard fg('.', ',', '/', "d/M/yyyy");
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"($1,234.50)", "-1234.50"}, {"", ""}, {"-12 kg", "-12"}, {"$5", "5"}, {"1.5e3x", "1.5e3"}, {"x", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalizeNumberText(c.in), c.out) << c.in;
}

TEST(GridParsers, DateTimeTextWithLocale)
{
    FormatGuard fg('.', ',', '/', "d/M/yyyy");
    struct Case {
        const char* text;
        bool ok;
        TDateTime value;
    } cases[] = {
        {"3/4/2021 10:30", true, At(2021, 4, 3, 10, 30)},
        {"3/4/2021", true, At(2021, 4, 3)},
        {"3/4/2021 10:30:15", true, At(2021, 4, 3, 10, 30, 15)},
        {"3/4/2021 25:00", false, 0},
        {"3/4/2021 10:60", false, 0},
        {"31/4/2021", false, 0},
        {"3/13/2021", false, 0},
        {"3-4-2021", false, 0},
        {"3/x/2021", false, 0},
        {"3/4/2021 10:30:60", false, 0},
    };
    for (const Case& c : cases) {
        TDateTime dt = -1;
        EXPECT_EQ(ParseDateTimeText(c.text, dt), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(dt, c.value) << c.text;
        }
    }
    // A time without separator fails, yet hands out the date at midnight.
    TDateTime dt = -1;
    EXPECT_FALSE(ParseDateTimeText("3/4/2021 x", dt));
    EXPECT_DOUBLE_EQ(dt, At(2021, 4, 3));

    FormatGuard us('.', ',', '-', "yyyy-MM-dd");
    ASSERT_TRUE(ParseDateTimeText("2021-04-03", dt));
    EXPECT_DOUBLE_EQ(dt, At(2021, 4, 3));
}

TEST(GridParsers, ShortDateStyles)
{
    EXPECT_DOUBLE_EQ(ParseDateDMY("03.04.21"), At(2021, 4, 3));
    EXPECT_DOUBLE_EQ(ParseDateDMY("03.04.99"), At(1999, 4, 3));
    EXPECT_DOUBLE_EQ(ParseDateMDY("04/03/25"), At(2025, 4, 3));
    EXPECT_DOUBLE_EQ(ParseDateMDY("04/03/26"), At(1926, 4, 3));
    EXPECT_EQ(ParseDateDMY("3-4"), 0);
    EXPECT_EQ(ParseDateDMY("a.b.c"), 0);
    EXPECT_THROW(ParseDateDMY("31.04.21"), EConvertError);
}

TEST(GridParsers, DateSeparatorsAndSteps)
{
    FormatGuard fg('.', ',', '/', "d/M/yyyy");
    EXPECT_TRUE(HasTwoDateSeparators("1/2/3"));
    EXPECT_FALSE(HasTwoDateSeparators("/2/3"));
    EXPECT_FALSE(HasTwoDateSeparators("1//3"));
    EXPECT_FALSE(HasTwoDateSeparators("1/2"));

    const TDateTime d = At(2021, 1, 31, 12);
    EXPECT_DOUBLE_EQ(IncDateStep(0, 0, 3, 0, d), At(2021, 2, 3, 12));
    EXPECT_DOUBLE_EQ(IncDateStep(2, 0, 0, 0, d), At(2023, 1, 31, 12));
    EXPECT_DOUBLE_EQ(IncDateStep(0, -1, 0, 0, At(2021, 1, 15)), At(2020, 12, 15));
    EXPECT_DOUBLE_EQ(IncDateStep(0, 1, 0, 0, At(2021, 12, 15)), At(2022, 1, 15));
    EXPECT_DOUBLE_EQ(IncDateStep(1, 1, 0, 0.5, d), d + 0.5);
    EXPECT_THROW(IncDateStep(0, 1, 0, 0, d), EConvertError); // 31 February
    EXPECT_THROW(IncDateStep(1, 0, 0, 0, At(2020, 2, 29)), EConvertError);
}

TEST(GridParsers, RowColReference)
{
    int col = -1, row = -1;
    ASSERT_TRUE(ParseRowColRef("r12c3", col, row));
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 12);
    for (const char* bad : {"R1C", "RC12", "X1C2", "R1X2", "R1C2x"}) {
        col = row = -1;
        EXPECT_FALSE(ParseRowColRef(bad, col, row)) << bad;
        EXPECT_EQ(col, -1);
    }
}
