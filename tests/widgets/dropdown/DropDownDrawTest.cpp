// Band gradients, colour mixing and the small drawing helpers of the
// drop-down controls, checked on bitmaps.

#include "widgets/dropdown/DropDownDraw.h"

#include "platform/ImgList.h"

#include <gtest/gtest.h>

namespace {

TBitmap Filled(int w, int h, TColor c)
{
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(c);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    b.Canvas().Flush();
    return b;
}

TColor Grey(int v) { return RGB(v, v, v); }

} // namespace

TEST(DrawGradientTest, BlackToWhiteIn80BandsAcross160Pixels)
{
    TBitmap b = Filled(160, 10, clRed);
    DrawGradient(b.Canvas(), clBlack, clWhite, 80, Rect(0, 0, 160, 10), true);
    b.Canvas().Flush();
    // Band width 159 / 80 = 1.9875, drawn 3 pixels wide: the first band is
    // black, the second (grey 3) starts at x 2, the third (grey 6) at x 4,
    // the last (grey 252 = 79 * 255 / 80 rounded) covers x 157..159.
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(b.Pixel(0, y), clBlack);
        EXPECT_EQ(b.Pixel(1, y), clBlack);
        EXPECT_EQ(b.Pixel(2, y), Grey(3));
        EXPECT_EQ(b.Pixel(3, y), Grey(3));
        EXPECT_EQ(b.Pixel(4, y), Grey(6));
        for (int x = 157; x < 160; ++x) EXPECT_EQ(b.Pixel(x, y), Grey(252)) << x;
    }
    EXPECT_EQ(b.Pixel(156, 0), Grey(249));
    // No gap and no pure white anywhere; grey never falls from left to right.
    for (int x = 0; x < 160; ++x) {
        const TColor c = b.Pixel(x, 5);
        EXPECT_NE(c, clRed) << x;
        EXPECT_NE(c, clWhite) << x;
        if (x > 0) {
            EXPECT_GE(GetRValue(c), GetRValue(b.Pixel(x - 1, 5))) << x;
        }
        EXPECT_EQ(b.Pixel(x, 0), c) << x;
    }
    EXPECT_EQ(b.Canvas().Brush().Color(), Grey(252));
    EXPECT_EQ(b.Canvas().Pen().Color(), Grey(252));
}

TEST(DrawGradientTest, TopToBottomMovesTheBottomEdge)
{
    TBitmap b = Filled(6, 40, clRed);
    // Band height 39 / 4 = 9.75 rounded to 10, 11 pixels drawn: bands at
    // y 0, 10, 20 and 29 in blue 0, 64, 128 and 191.
    DrawGradient(b.Canvas(), clBlack, clBlue, 4, Rect(0, 0, 6, 40), false);
    b.Canvas().Flush();
    struct Case { int y; int blue; } cases[] = {{0, 0}, {9, 0}, {10, 64}, {19, 64}, {20, 128}, {28, 128}, {29, 191}, {39, 191}};
    for (const auto& c : cases) EXPECT_EQ(b.Pixel(3, c.y), RGB(0, 0, c.blue)) << c.y;
}

TEST(DrawGradientTest, DegenerateArgumentsFillWithTheStartColour)
{
    struct Case {
        const char* name;
        int steps;
        TColor from, to;
    } cases[] = {
        {"zero steps", 0, clNavy, clWhite},
        {"negative steps", -5, clNavy, clWhite},
        {"one step", 1, clNavy, clWhite},
        {"equal colours", 80, clNavy, clNavy},
    };
    for (const auto& c : cases) {
        TBitmap b = Filled(30, 8, clRed);
        DrawGradient(b.Canvas(), c.from, c.to, c.steps, Rect(0, 0, 30, 8), true);
        b.Canvas().Flush();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 30; ++x) ASSERT_EQ(b.Pixel(x, y), clNavy) << c.name << " " << x << "," << y;
    }
}

TEST(DrawGradientTest, EmptyRectangleDrawsNothing)
{
    for (TRect r : {Rect(5, 0, 5, 8), Rect(0, 3, 10, 3), Rect(9, 0, 2, 8)}) {
        TBitmap b = Filled(10, 8, clRed);
        DrawGradient(b.Canvas(), clBlack, clWhite, 80, r, true);
        DrawGradient(b.Canvas(), clBlack, clWhite, 80, r, false);
        b.Canvas().Flush();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 10; ++x) ASSERT_EQ(b.Pixel(x, y), clRed) << x << "," << y;
    }
}

TEST(DrawGradientTest, MoreBandsThanPixelsStillCoverTheRectangle)
{
    TBitmap b = Filled(9, 3, clRed);
    DrawGradient(b.Canvas(), clBlack, clWhite, 16, Rect(2, 0, 7, 3), true);
    b.Canvas().Flush();
    for (int x = 2; x < 7; ++x) EXPECT_NE(b.Pixel(x, 1), clRed) << x;
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(7, 1), clRed);
    // The last band (15 * 255 / 16 = 239) ends the strip.
    EXPECT_EQ(b.Pixel(6, 1), Grey(239));
}

TEST(DrawGradientTest, SystemColoursAreResolved)
{
    TBitmap b = Filled(20, 4, clRed);
    DrawGradient(b.Canvas(), clBtnFace, clBtnFace, 10, Rect(0, 0, 20, 4), true);
    b.Canvas().Flush();
    EXPECT_EQ(b.Pixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(b.Pixel(19, 3), ColorToRGB(clBtnFace));
}

TEST(BlendColorTest, Table)
{
    struct Case {
        TColor a, b;
        int percent;
        TColor want;
    } cases[] = {
        {clBtnFace, clWhite, 100, clBtnFace},      // unconverted
        {clBtnFace, clWhite, 150, clBtnFace},
        {clRed, clWindow, 0, clWindow},            // unconverted
        {clRed, clWindow, -3, clWindow},
        {RGB(100, 0, 200), clWhite, 20, RGB(224, 204, 244)},
        {clWhite, clBlack, 50, Grey(128)},         // 127.5 ties to even
        {RGB(1, 3, 5), clBlack, 50, RGB(0, 2, 2)}, // 0.5, 1.5, 2.5 tie to even
        {clBtnFace, clBlack, 50, RGB(GetRValue(ColorToRGB(clBtnFace)) / 2, GetGValue(ColorToRGB(clBtnFace)) / 2,
                                     GetBValue(ColorToRGB(clBtnFace)) / 2)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlendColor(c.a, c.b, c.percent), c.want) << std::hex << c.a << " " << c.b << " " << std::dec
                                                           << c.percent;
}

TEST(ShiftColorTest, Table)
{
    struct Case {
        TColor c;
        int dr, dg, db;
        TColor want;
    } cases[] = {
        {RGB(100, 200, 50), -20, -20, -20, RGB(80, 160, 40)},
        {RGB(100, 0, 50), 30, 30, 30, RGB(100, 30, 50)},    // positive: only zero channels
        {RGB(0, 0, 0), -10, 0, 40, RGB(0, 0, 40)},
        {RGB(5, 5, 5), -10, -30, -50, RGB(4, 4, 2)},         // 4.5 and 2.5 tie to even
        {RGB(200, 0, 90), -150, 300, -100, RGB(0, 255, 0)}, // clamped, never wrapped
        {clWhite, -100, -50, 0, RGB(0, 128, 255)},
        {clBtnFace, 0, 0, 0, ColorToRGB(clBtnFace)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShiftColor(c.c, c.dr, c.dg, c.db), c.want) << std::hex << c.c << std::dec << " " << c.dr << " "
                                                             << c.dg << " " << c.db;
}

TEST(DrawBackgroundRectTest, GradientFillAndFrame)
{
    DrawBackgroundRect(nullptr, Rect(0, 0, 5, 5), clRed, clBlue, clBlack, 1, false);

    TBitmap b = Filled(90, 10, clWhite);
    DrawBackgroundRect(&b.Canvas(), Rect(0, 0, 90, 10), clBlack, clBlue, clRed, 1, false);
    b.Canvas().Flush();
    // Not vertical: the colour changes from left to right; a red frame.
    EXPECT_EQ(b.Pixel(0, 5), clRed);
    EXPECT_EQ(b.Pixel(89, 5), clRed);
    EXPECT_EQ(b.Pixel(45, 0), clRed);
    EXPECT_EQ(b.Pixel(45, 9), clRed);
    // Bands 1.1125 wide, drawn 2 pixels wide: x 1 already has band 1.
    EXPECT_EQ(b.Pixel(1, 5), RGB(0, 0, 3));
    EXPECT_GT(GetBValue(b.Pixel(88, 5)), 240);
    EXPECT_EQ(b.Pixel(50, 2), b.Pixel(50, 7));

    TBitmap v = Filled(10, 90, clWhite);
    DrawBackgroundRect(&v.Canvas(), Rect(0, 0, 10, 90), clBlack, clBlue, clNone, 1, true);
    v.Canvas().Flush();
    EXPECT_EQ(v.Pixel(5, 0), clBlack);
    EXPECT_GT(GetBValue(v.Pixel(5, 89)), 240);
    EXPECT_EQ(v.Pixel(2, 50), v.Pixel(7, 50));
}

TEST(DrawBackgroundRectTest, PlainFillOrNothing)
{
    TBitmap b = Filled(20, 20, clWhite);
    DrawBackgroundRect(&b.Canvas(), Rect(0, 0, 10, 10), clGreen, clNone, clNone, 3, false);
    // No colours at all: only the frame, 2 pixels wide.
    DrawBackgroundRect(&b.Canvas(), Rect(10, 10, 20, 20), clNone, clNone, clBlue, 2, false);
    b.Canvas().Flush();
    EXPECT_EQ(b.Pixel(0, 0), clGreen);
    EXPECT_EQ(b.Pixel(9, 9), clGreen);
    EXPECT_EQ(b.Pixel(10, 0), clWhite);
    EXPECT_EQ(b.Pixel(10, 15), clBlue);
    EXPECT_EQ(b.Pixel(11, 15), clBlue);
    EXPECT_EQ(b.Pixel(15, 15), clWhite);
    EXPECT_EQ(b.Pixel(19, 19), clBlue);
}

TEST(DrawTransparentGlyphTest, TopLeftColourIsReplaced)
{
    TBitmap glyph = Filled(6, 6, clFuchsia);
    glyph.SetPixel(2, 2, clNavy);
    glyph.SetPixel(5, 5, clNavy);
    TBitmap b = Filled(20, 20, clWhite);
    // Only the area of the target's size is taken: 4 x 4 of the glyph.
    DrawTransparentGlyph(b.Canvas(), glyph, clYellow, Rect(10, 10, 14, 14));
    b.Canvas().Flush();
    EXPECT_EQ(b.Pixel(10, 10), clYellow);
    EXPECT_EQ(b.Pixel(12, 12), clNavy);
    EXPECT_EQ(b.Pixel(13, 13), clYellow);
    EXPECT_EQ(b.Pixel(14, 14), clWhite);
    EXPECT_EQ(b.Pixel(9, 9), clWhite);
}

TEST(TextHelpersTest, ExtentAndFitting)
{
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    EXPECT_EQ(GetTextExtent(c, ""), (TSize{0, 0}));
    const TSize e = GetTextExtent(c, "Configuration");
    EXPECT_EQ(e.cx, c.TextWidth("Configuration"));
    EXPECT_GT(e.cy, 0);

    std::string r;
    FitTextWithEllipsis(c, "Configuration", c.TextWidth("Configuration"), true, r);
    EXPECT_EQ(r, "Configuration");

    const int max = c.TextWidth("Config...") + 1;
    FitTextWithEllipsis(c, "Configuration", max, true, r);
    ASSERT_EQ(r.substr(r.size() - 3), "...");
    EXPECT_LT(c.TextWidth(r), max);
    // One more character would not have fitted.
    const std::string stem = r.substr(0, r.size() - 3);
    EXPECT_GE(c.TextWidth(std::string("Configuration").substr(0, stem.size() + 1) + "..."), max);

    FitTextWithEllipsis(c, "Configuration", max, false, r);
    EXPECT_EQ(r.find("..."), std::string::npos);
    EXPECT_LT(c.TextWidth(r), max);

    // Nothing fits: the text stays.
    FitTextWithEllipsis(c, "Configuration", 1, true, r);
    EXPECT_EQ(r, "Configuration");
    // A cut never splits a character.
    FitTextWithEllipsis(c, "ÄÖÜÄÖÜÄÖÜ", c.TextWidth("ÄÖÜ"), false, r);
    EXPECT_EQ(r.size() % 2, 0u);
    EXPECT_EQ(r, std::string("ÄÖÜÄÖÜÄÖÜ").substr(0, r.size()));

    UpperCaseUnless("äbc", false, r);
    EXPECT_EQ(r, "ÄBC");
    UpperCaseUnless("äbc", true, r);
    EXPECT_EQ(r, "äbc");
}

TEST(DrawImageAndCaptionTest, ImageAtFourPixelsAndVerticallyCentred)
{
    TCustomImageList images(8, 6);
    TBitmap pic = Filled(8, 6, clLime);
    pic.SetPixel(0, 5, clFuchsia); // the transparent key (bottom-left)
    images.Add(pic);

    TBitmap b = Filled(60, 20, clWhite);
    DrawImageAndCaption(nullptr, Rect(0, 0, 60, 20), "x", &images, 0);
    DrawImageAndCaption(&b.Canvas(), Rect(10, 2, 60, 20), "", &images, 0);
    b.Canvas().Flush();
    // (18 - 6) / 2 = 6 below the top: rows 8..13, columns 14..21.
    EXPECT_EQ(b.Pixel(14, 8), clLime);
    EXPECT_EQ(b.Pixel(21, 13), clLime);
    EXPECT_EQ(b.Pixel(13, 8), clWhite);
    EXPECT_EQ(b.Pixel(14, 7), clWhite);
    EXPECT_EQ(b.Pixel(14, 13), clWhite); // the key pixel left out

    // A caption starts right of the picture (image width + 8 from its left
    // edge); without a picture it is centred.
    TBitmap t = Filled(80, 20, clWhite);
    t.Canvas().Font().SetColor(clBlack);
    DrawImageAndCaption(&t.Canvas(), Rect(0, 0, 80, 20), "WW", &images, 0);
    t.Canvas().Flush();
    int first = -1;
    for (int x = 0; x < 80 && first < 0; ++x)
        for (int y = 0; y < 20; ++y)
            if (t.Pixel(x, y) != clWhite && t.Pixel(x, y) != clLime) {
                first = x;
                break;
            }
    EXPECT_GE(first, 16);
    EXPECT_LT(first, 20);

    TBitmap m = Filled(80, 20, clWhite);
    m.Canvas().Font().SetColor(clBlack);
    DrawImageAndCaption(&m.Canvas(), Rect(0, 0, 80, 20), "WW", nullptr, 0);
    m.Canvas().Flush();
    int left = 80, right = -1;
    for (int x = 0; x < 80; ++x)
        for (int y = 0; y < 20; ++y)
            if (m.Pixel(x, y) != clWhite) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, 0);
    EXPECT_LE(std::abs((left + right) - 79), 3);
}

TEST(DrawHTMLCaptionTest, MeasuresOrDrawsTheMarkUpAndReportsItsSize)
{
    TBitmap b = Filled(200, 40, clWhite);
    TCanvas& c = b.Canvas();
    TPoint size{5, 5};
    DrawHTMLCaption(c, "", Rect(0, 0, 200, 40), nullptr, false, nullptr, size);
    EXPECT_EQ(size, (TPoint{0, 0}));

    // Measuring draws nothing; bold text is wider than the plain text.
    TPoint plain, bold;
    DrawHTMLCaption(c, "Topic", Rect(0, 0, 200, 40), nullptr, true, nullptr, plain);
    DrawHTMLCaption(c, "<b>Topic</b>", Rect(0, 0, 200, 40), nullptr, true, nullptr, bold);
    EXPECT_GT(plain.X, 0);
    EXPECT_GT(plain.Y, 0);
    EXPECT_GT(bold.X, plain.X);
    c.Flush();
    bool inked = false;
    for (int y = 0; y < 40 && !inked; ++y)
        for (int x = 0; x < 200 && !inked; ++x) inked = b.Pixel(x, y) != clWhite;
    EXPECT_FALSE(inked);

    TPoint drawn;
    DrawHTMLCaption(c, "<font color=\"#FF0000\">Topic</font>", Rect(0, 0, 200, 40), nullptr, false, nullptr, drawn);
    c.Flush();
    EXPECT_EQ(drawn, plain);
    int red = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) red += b.Pixel(x, y) != clWhite && GetRValue(b.Pixel(x, y)) > 128;
    EXPECT_GT(red, 0);
}
