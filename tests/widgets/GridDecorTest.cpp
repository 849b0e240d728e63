#include "widgets/GridDecor.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr TColor Sentinel = 0x123456;

TBitmap Blank(int w, int h)
{
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(Sentinel);
    b.Canvas().FillRect({0, 0, w, h});
    return b;
}

// Bounding box of the pixels that are not the sentinel.
TRect Drawn(const TBitmap& b)
{
    TRect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != Sentinel) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r;
}

} // namespace

TEST(GridDecor, ProgressTextAndPercent)
{
    struct Case {
        const char* fmt;
        int max, min;
        double pos;
        const char* text;
        int percent;
    };
    const Case cases[] = {
        {"", 100, 0, 150, "150%", 100},
        {"", 100, 0, -5, "-5%", 0},
        {"", 100, 0, 42.5, "42%", 42},               // halves to even
        {"%d pieces", 200, 0, 50, "50 pieces", 25},
        {"%.1f V", 10, 0, 2.5, "2.5 V", 25},
        {"%d", 10, 10, 5, "5", 0},                    // max = min
        {"%d", 10, 10, 10, "10", 100},
        {"%s", 100, 0, 7, "%s", 7},                   // a format the position does not fit is shown as is
    };
    for (const Case& c : cases) {
        std::string text;
        int percent = -1;
        ProgressTextAndPercent(c.fmt, c.max, c.min, c.pos, text, percent);
        EXPECT_EQ(text, c.text) << c.fmt << " " << c.pos;
        EXPECT_EQ(percent, c.percent) << c.fmt << " " << c.pos;
    }
}

TEST(GridDecor, ProgressBarFillsItsShareAndFramesTheRectangle)
{
    const TColor bar = 0x0000C0, bk = 0xE0E0E0, border = 0x404040;
    auto draw = [&](const std::string& fmt, int max, int min, double pos) {
        TBitmap b = Blank(104, 24);
        b.Canvas().Brush().SetColor(clWhite); // the colour of the outer frame
        DrawProgressBar(b.Canvas(), {2, 2, 102, 22}, bar, false, border, fmt, max, min, 2, 2, pos, clBlack, bk,
                        clWhite);
        b.Canvas().Flush();
        return b;
    };
    // The bar runs over x 4..99 (margins 2), frames at 3/100 and 2/101.
    TBitmap full = draw("", 100, 0, 150);
    EXPECT_EQ(full.Pixel(5, 5), bar);
    EXPECT_EQ(full.Pixel(98, 18), bar);
    EXPECT_EQ(full.Pixel(3, 10), border);
    EXPECT_EQ(full.Pixel(2, 10), clWhite);
    EXPECT_EQ(full.Pixel(1, 10), Sentinel);

    TBitmap none = draw("", 100, 0, -5);
    EXPECT_EQ(none.Pixel(5, 5), bk);

    TBitmap quarter = draw("%d pieces", 200, 0, 50); // 24 of 96 pixels
    EXPECT_EQ(quarter.Pixel(5, 4), bar);
    EXPECT_EQ(quarter.Pixel(27, 4), bar);
    EXPECT_EQ(quarter.Pixel(28, 4), bk);

    TBitmap same = draw("%d", 5, 5, 5); // max = min: full, no crash
    EXPECT_EQ(same.Pixel(98, 5), bar);
}

TEST(GridDecor, AppearanceProgressLevelsAndBlocks)
{
    TProgressAppearance a;
    a.LevelColors = {0x00FF00, 0x00FF00, 0x00FFFF, 0x00FFFF, 0x0080FF, 0x0080FF, 0x0000FF, 0x0000FF};
    a.Level1Perc = 50;
    a.Level2Perc = 80;
    a.ShowGradient = false;
    a.ShowPercentage = false;
    a.BackgroundColor = clWhite;
    auto draw = [&](int percent) {
        TBitmap b = Blank(102, 12);
        DrawAppearanceProgress(b.Canvas(), {0, 0, 102, 12}, percent, a);
        b.Canvas().Flush();
        return b;
    };
    // size 100: bars from x = 1
    a.Stacked = true;
    TBitmap stacked = draw(90);
    EXPECT_EQ(stacked.Pixel(10, 5), a.LevelColor(0)); // 1..50
    EXPECT_EQ(stacked.Pixel(60, 5), a.LevelColor(1)); // 51..80
    EXPECT_EQ(stacked.Pixel(85, 5), a.LevelColor(3)); // 81..90
    EXPECT_EQ(stacked.Pixel(95, 5), clWhite);

    a.Stacked = false;
    EXPECT_EQ(draw(90).Pixel(50, 5), a.LevelColor(2));
    EXPECT_EQ(draw(100).Pixel(50, 5), a.LevelColor(3));
    EXPECT_EQ(draw(30).Pixel(20, 5), a.LevelColor(0));

    // Blocks: a 40-pixel bar gives 4 blocks of 7 and a last one of 3.
    a.CompletionSmooth = false;
    TBitmap blocks = Blank(42, 12);
    DrawAppearanceProgress(blocks.Canvas(), {0, 0, 42, 12}, 100, a);
    blocks.Canvas().Flush();
    const TColor c = a.LevelColor(3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(blocks.Pixel(2 + i * 9, 5), c) << "block " << i;
        EXPECT_EQ(blocks.Pixel(8 + i * 9, 5), c) << "block " << i;
        EXPECT_EQ(blocks.Pixel(9 + i * 9, 5), clWhite) << "gap " << i;
    }
    EXPECT_EQ(blocks.Pixel(38, 5), c);
    EXPECT_EQ(blocks.Pixel(40, 5), c);
    EXPECT_EQ(blocks.Pixel(41, 5), a.BackgroundColor); // the outline
    EXPECT_EQ(blocks.Pixel(5, 1), clWhite);            // blocks are 2 pixels inside
}

TEST(GridDecor, RangeIndicatorFromTheCentre)
{
    auto draw = [](int value, int range) {
        TBitmap b = Blank(44, 10);
        DrawRangeIndicator(b.Canvas(), {0, 0, 44, 10}, value, clLime, clRed, false, range);
        b.Canvas().Flush();
        return b;
    };
    // Inner rectangle x 2..41, half 20, centre x 22.
    TBitmap over = draw(30, 20);
    EXPECT_EQ(over.Pixel(22, 5), clLime);
    EXPECT_EQ(over.Pixel(41, 5), clLime);
    EXPECT_EQ(over.Pixel(21, 5), Sentinel);
    TBitmap neg = draw(-10, 20);
    EXPECT_EQ(neg.Pixel(12, 5), clRed);
    EXPECT_EQ(neg.Pixel(11, 5), Sentinel);
    EXPECT_EQ(neg.Pixel(22, 5), Sentinel);
    TBitmap none = draw(5, 0);
    EXPECT_EQ(Drawn(none).Right, INT_MIN);
}

TEST(GridDecor, CellShapesKeepToTheirBoxes)
{
    struct Case {
        TCellShape shape;
        TRect box; // for a 10 wide x 16 high cell at (2, 3)
    };
    const Case cases[] = {
        {csCircle, {2, 3, 12, 13}},
        {csSquare, {3, 4, 11, 12}},
        {csRectangle, {3, 4, 11, 18}},
        {csLineVert, {7, 3, 8, 19}},
        {csLineHorz, {2, 11, 12, 12}},
        {csTriangleUp, {2, 3, 13, 20}},
        {csStar, {2, 3, 13, 18}},
    };
    for (const Case& c : cases) {
        TBitmap b = Blank(20, 24);
        DrawCellShape(b.Canvas(), 2, 3, clBlack, clRed, c.shape, 16, 10);
        b.Canvas().Flush();
        const TRect d = Drawn(b);
        EXPECT_EQ(d.Left, c.box.Left) << int(c.shape);
        EXPECT_EQ(d.Top, c.box.Top) << int(c.shape);
        EXPECT_LE(d.Right, c.box.Right) << int(c.shape);
        EXPECT_LE(d.Bottom, c.box.Bottom) << int(c.shape);
        EXPECT_GE(d.Right, c.box.Right - 1) << int(c.shape);
        EXPECT_GE(d.Bottom, c.box.Bottom - 1) << int(c.shape);
    }
}

TEST(GridDecor, ErrorLineAndTriangle)
{
    TBitmap b = Blank(200, 30);
    const std::string text = "alpha beta";
    DrawErrorLine(nullptr, b.Canvas(), text, 4, 6, 10, {0, 0, 200, 30});
    b.Canvas().Flush();
    const int start = b.Canvas().TextWidth("alpha ");
    const int end = b.Canvas().TextWidth("alpha bet");
    const TRect d = Drawn(b);
    int red = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x) red += b.Pixel(x, y) == 0x0000FF;
    EXPECT_GT(red, end - start);
    EXPECT_GE(d.Left, start - 1);
    EXPECT_LE(d.Left, start + 1);
    EXPECT_GE(d.Right, end);
    EXPECT_LE(d.Right, end + 10);
    EXPECT_GE(d.Top, 9);

    TBitmap t = Blank(10, 10);
    DrawDownTriangle(t.Canvas(), 5, 2, clBlue);
    t.Canvas().Flush();
    EXPECT_EQ(t.Pixel(5, 2), clBlue);
    EXPECT_EQ(t.Pixel(5, 4), clBlue);
    EXPECT_EQ(t.Pixel(5, 6), Sentinel);
}
