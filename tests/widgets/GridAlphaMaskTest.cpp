#include "widgets/GridAlphaMask.h"

#include "support/TestSupport.h"

#include "platform/SysUtils.h"

#include <gtest/gtest.h>

namespace {

TBitmap Bitmap24(int w, int h, TColor fill)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(w, h);
    b.Canvas().Brush().SetColor(fill);
    b.Canvas().FillRect({0, 0, w, h});
    b.Canvas().Flush();
    return b;
}

// Blue, green, red and the fourth byte of a pixel.
std::array<int, 4> Bytes(const TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

} // namespace

TEST(GridAlphaMask, NewMaskIs32BitWithFullOpacity)
{
    TGridAlphaMask m;
    EXPECT_EQ(m.PixelFormat(), pf32bit);
    EXPECT_EQ(m.Opacity(), 255);
    EXPECT_THROW(m.ScanLine(0), EInvalidGraphicOperation);
}

TEST(GridAlphaMask, MergeMaskPremultipliesByTheMasksRedByte)
{
    TBitmap mask = Bitmap24(4, 3, RGB(128, 7, 9)); // red 128, other bytes must not matter
    TBitmap bmp = Bitmap24(4, 3, RGB(50, 100, 200));
    TGridAlphaMask m;
    m.MergeMask(mask, bmp, clRed);
    ASSERT_EQ(m.Width(), 4);
    ASSERT_EQ(m.Height(), 3);
    EXPECT_EQ(m.PixelFormat(), pf32bit);
    const std::array<int, 4> want{100, 50, 25, 128}; // blue, green, red, alpha
    EXPECT_EQ(Bytes(m, 0, 0), want);
    EXPECT_EQ(Bytes(m, 3, 2), want);

    // A bitmap that is not 24-bit, or a mask smaller than the bitmap, changes nothing.
    TBitmap dev(2, 2);
    TGridAlphaMask n;
    n.MergeMask(mask, dev, 0);
    EXPECT_TRUE(n.Empty());
    TBitmap small = Bitmap24(2, 2, clWhite);
    n.MergeMask(small, bmp, 0);
    EXPECT_TRUE(n.Empty());
}

TEST(GridAlphaMask, AssignCopiesPixelsAndOpacityOnlyFromAMaskLargeEnough)
{
    TGridAlphaMask src;
    src.MergeMask(Bitmap24(5, 5, RGB(200, 0, 0)), Bitmap24(5, 5, RGB(10, 20, 30)), 0);
    src.SetOpacity(77);

    TGridAlphaMask same;
    same.SetSize(5, 5);
    same.Assign(&src);
    EXPECT_EQ(same.Opacity(), 77);
    EXPECT_EQ(Bytes(same, 4, 4), Bytes(src, 4, 4));

    TGridAlphaMask larger;
    larger.SetSize(8, 8);
    const auto before = Bytes(larger, 0, 0);
    larger.Assign(&src);
    EXPECT_EQ(larger.Opacity(), 255);
    EXPECT_EQ(Bytes(larger, 0, 0), before);
    EXPECT_EQ(larger.PixelFormat(), pf32bit);

    // From a plain bitmap: the bitmap's assignment, then 32-bit.
    TGridAlphaMask fromBitmap;
    TBitmap plain(3, 2);
    fromBitmap.Assign(&plain);
    EXPECT_EQ(fromBitmap.Width(), 3);
    EXPECT_EQ(fromBitmap.PixelFormat(), pf32bit);
}

TEST(GridAlphaMask, BlurRefusesOtherFormatsAndIgnoresANonPositiveRadius)
{
    TBitmap b32;
    b32.SetPixelFormat(pf32bit);
    b32.SetSize(30, 30);
    try {
        BlurBitmap(b32, 3);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Blur only works for 24-bit bitmaps");
    }
    TBitmap dev(30, 30);
    EXPECT_THROW(BlurBitmap(dev, 3), Exception);

    TBitmap b = Bitmap24(30, 30, clBlack);
    b.SetPixel(15, 15, clWhite);
    BlurBitmap(b, 0);
    BlurBitmap(b, -2);
    EXPECT_EQ(b.Pixel(15, 15), clWhite);
    EXPECT_EQ(b.Pixel(16, 15), clBlack);
}

TEST(GridAlphaMask, KernelDropsOuterTapsAndSumsToOne)
{
    const TBlurKernel k = MakeBlurKernel(3);
    EXPECT_EQ(k.Radius, 8);
    double sum = 0;
    for (int i = -10; i <= 10; ++i) sum += k.Weight(i);
    EXPECT_NEAR(sum, 1.0, 1e-6);
    EXPECT_EQ(k.Weight(9), 0.0f);
    EXPECT_GT(k.Weight(0), k.Weight(1));
    EXPECT_EQ(k.Weight(-4), k.Weight(4));
    EXPECT_EQ(MakeBlurKernel(0.3).Radius, 1); // a tiny radius keeps the nearest pair
}

TEST(GridAlphaMask, BlurMatchesTheIndependentlyComputedFixture)
{
    // The mask the fixture script describes (tests/data/blur/make_blur_fixture.py).
    TBitmap b = Bitmap24(100, 100, clBlack);
    for (int y = 0; y < 100; ++y) {
        std::uint8_t* row = b.ScanLine(y);
        for (int x = 0; x < 100; ++x) {
            row[x * 4 + 2] = (x >= 4 && x <= 95 && y >= 6 && y <= 93) ? 255 : 0;
            row[x * 4 + 1] = (x >= 2 && x <= 90 && y >= 12 && y <= 85) ? 255 : 0;
            row[x * 4 + 0] = (x >= 3 && y <= 90) ? 200 : 0;
        }
    }
    BlurBitmap(b, 3);

    const std::string ppm = ReadFile(TestDataPath("blur/blur_r3_expected.ppm"));
    const std::string header = "P6\n100 100\n255\n";
    ASSERT_EQ(ppm.substr(0, header.size()), header);
    ASSERT_EQ(ppm.size(), header.size() + 100 * 100 * 3);
    int mismatches = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const auto* e = reinterpret_cast<const std::uint8_t*>(ppm.data() + header.size() + (y * 100 + x) * 3);
            const auto got = Bytes(b, x, y);
            if (got[2] != e[0] || got[1] != e[1] || got[0] != e[2]) {
                if (++mismatches <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << ": got " << got[2] << "/" << got[1] << "/"
                                  << got[0] << " want " << int(e[0]) << "/" << int(e[1]) << "/" << int(e[2]);
            }
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(Bytes(b, 50, 50)[2], 255); // white stays white in the middle
}

TEST(GridAlphaMask, RoundRectMaskIsWhiteInsideAndFallsOffSmoothly)
{
    TBitmap m;
    CreateRoundRectMask(m, 100, 100, 3, 10, 0);
    EXPECT_EQ(m.PixelFormat(), pf24bit);
    EXPECT_EQ(m.Pixel(50, 50), clWhite);
    EXPECT_EQ(m.Pixel(20, 70), clWhite);
    EXPECT_LT(GetRValue(m.Pixel(0, 50)), 128);
    // From the edge inwards the brightness never drops.
    for (int x = 1; x <= 50; ++x) EXPECT_GE(GetRValue(m.Pixel(x, 50)), GetRValue(m.Pixel(x - 1, 50))) << x;
    const int edge = GetRValue(m.Pixel(2, 50));
    EXPECT_GT(edge, 0);
    EXPECT_LT(edge, 255);
    // The rounded corner is darker than the middle of an edge.
    EXPECT_LT(GetRValue(m.Pixel(4, 4)), GetRValue(m.Pixel(4, 50)));

    // An outline mask: dark in the middle, bright on the outline.
    TBitmap o;
    CreateRoundRectMask(o, 60, 60, 0, 8, 3);
    EXPECT_EQ(o.Pixel(30, 30), clBlack);
    EXPECT_EQ(o.Pixel(30, 3), clWhite);
}
