// Pixel rules of the canvas, checked on bitmaps.
#include "platform/Graphics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A white bitmap of the given size.
TBitmap White(int w, int h)
{
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    return b;
}

int CountColor(const TBitmap& b, TColor c)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c) ++n;
    return n;
}

TEST(CanvasTest, LineToLeavesOutTheEndPixel)
{
    TBitmap b = White(20, 5);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clRed);
    c.MoveTo(0, 0);
    c.LineTo(10, 0);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(b.Pixel(x, 0), x < 10 ? clRed : clWhite) << "x=" << x;
    EXPECT_EQ(c.PenPos(), Point(10, 0));
    // Going on from the end point draws the pixel left out before.
    c.LineTo(10, 3);
    EXPECT_EQ(b.Pixel(10, 0), clRed);
    EXPECT_EQ(b.Pixel(10, 2), clRed);
    EXPECT_EQ(b.Pixel(10, 3), clWhite);
}

TEST(CanvasTest, DiagonalAndBackwardLinesAlsoStopBeforeTheEnd)
{
    struct Case {
        int x0, y0, x1, y1;
    } cases[] = {{0, 0, 5, 5}, {9, 0, 2, 0}, {3, 8, 3, 1}, {8, 8, 1, 4}};
    for (auto k : cases) {
        TBitmap b = White(12, 12);
        b.Canvas().Pen().SetColor(clBlue);
        b.Canvas().MoveTo(k.x0, k.y0);
        b.Canvas().LineTo(k.x1, k.y1);
        EXPECT_EQ(b.Pixel(k.x0, k.y0), clBlue);
        EXPECT_EQ(b.Pixel(k.x1, k.y1), clWhite) << k.x0 << "," << k.y0 << "->" << k.x1 << "," << k.y1;
        int len = std::max(std::abs(k.x1 - k.x0), std::abs(k.y1 - k.y0));
        EXPECT_EQ(CountColor(b, clBlue), len);
    }
}

TEST(CanvasTest, FillRectIsExclusiveOnRightAndBottom)
{
    TBitmap b = White(8, 8);
    b.Canvas().Brush().SetColor(clGreen);
    b.Canvas().FillRect(Rect(2, 2, 5, 5));
    EXPECT_EQ(CountColor(b, clGreen), 9);
    EXPECT_EQ(b.Pixel(2, 2), clGreen);
    EXPECT_EQ(b.Pixel(4, 4), clGreen);
    EXPECT_EQ(b.Pixel(5, 4), clWhite);
    EXPECT_EQ(b.Pixel(4, 5), clWhite);
    // An empty or reversed rectangle fills nothing.
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect(Rect(5, 5, 5, 7));
    b.Canvas().FillRect(Rect(6, 6, 3, 3));
    EXPECT_EQ(CountColor(b, clRed), 0);
}

TEST(CanvasTest, RectangleIsBrushInteriorAndPenOutline)
{
    TBitmap b = White(10, 10);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clBlue);
    c.Rectangle(1, 1, 6, 5);
    // Outline x 1..5, y 1..4; interior x 2..4, y 2..3.
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(5, 4), clRed);
    EXPECT_EQ(b.Pixel(6, 4), clWhite);
    EXPECT_EQ(b.Pixel(5, 5), clWhite);
    EXPECT_EQ(CountColor(b, clBlue), 3 * 2);
    EXPECT_EQ(CountColor(b, clRed), 5 * 4 - 6);

    // Clear brush: outline only; clear pen: a fill one pixel smaller.
    TBitmap b2 = White(10, 10);
    b2.Canvas().Brush().SetStyle(bsClear);
    b2.Canvas().Pen().SetColor(clRed);
    b2.Canvas().Rectangle(0, 0, 4, 4);
    EXPECT_EQ(b2.Pixel(1, 1), clWhite);
    b2.Canvas().Pen().SetStyle(psClear);
    b2.Canvas().Brush().SetColor(clBlue);
    b2.Canvas().Rectangle(5, 5, 9, 9);
    EXPECT_EQ(CountColor(b2, clBlue), 9);
}

TEST(CanvasTest, FrameRectUsesTheBrushColour)
{
    TBitmap b = White(6, 6);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FrameRect(Rect(0, 0, 4, 3));
    EXPECT_EQ(CountColor(b, clRed), 4 * 3 - 2);
    EXPECT_EQ(b.Pixel(1, 1), clWhite);
}

TEST(CanvasTest, DottedPenLeavesGapsAndOpaqueModeFillsThem)
{
    TBitmap b = White(30, 2);
    TCanvas& c = b.Canvas();
    c.Pen().SetStyle(psDot);
    c.Pen().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);  // transparent background
    c.MoveTo(0, 0);
    c.LineTo(30, 0);
    int black = 0;
    for (int x = 0; x < 30; ++x) black += b.Pixel(x, 0) == clBlack;
    EXPECT_GT(black, 5);
    EXPECT_LT(black, 25);
    c.SetBkMode(bkOpaque);
    c.SetBkColor(clYellow);
    c.MoveTo(0, 1);
    c.LineTo(30, 1);
    for (int x = 0; x < 30; ++x) EXPECT_NE(b.Pixel(x, 1), clWhite) << x;
}

TEST(CanvasTest, ClippingSaveAndRestore)
{
    TBitmap b = White(10, 10);
    TCanvas& c = b.Canvas();
    c.SaveState();
    c.SetClipRect(Rect(0, 0, 5, 5));
    c.Brush().SetColor(clRed);
    c.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(CountColor(b, clRed), 25);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 5, 5));
    c.RestoreState();
    EXPECT_FALSE(c.HasClip());
    EXPECT_EQ(c.Brush().Color(), clWhite);
    c.ExcludeClipRect(Rect(0, 0, 9, 10));
    c.Brush().SetColor(clBlue);
    c.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(CountColor(b, clBlue), 10);
    c.RemoveClip();
    c.SetClipRegion(TRegion(Rect(0, 0, 1, 1)).United(TRegion(Rect(9, 9, 10, 10))));
    c.Brush().SetColor(clGreen);
    c.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(CountColor(b, clGreen), 2);
}

TEST(CanvasTest, TransparentDrawingSkipsTheKeyColour)
{
    TBitmap glyph = White(4, 4);  // top-left (key) white
    glyph.Canvas().Brush().SetColor(clRed);
    glyph.Canvas().FillRect(Rect(1, 1, 3, 3));
    TBitmap dest(10, 10);
    dest.Canvas().Brush().SetColor(clBlue);
    dest.Canvas().FillRect(Rect(0, 0, 10, 10));
    dest.Canvas().DrawTransparent(2, 2, glyph);
    EXPECT_EQ(CountColor(dest, clRed), 4);
    EXPECT_EQ(CountColor(dest, clWhite), 0);
    EXPECT_EQ(dest.Pixel(3, 3), clRed);
    EXPECT_EQ(dest.Pixel(2, 2), clBlue);

    // Transparent bitmap drawn with Draw: automatic colour = bottom-left.
    glyph.SetPixel(0, 3, clLime);
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentColor(), clLime);
    dest.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(dest.Pixel(0, 3), clBlue);
    EXPECT_EQ(dest.Pixel(0, 0), clWhite);
}

TEST(CanvasTest, FocusRectInvertsAndTwiceRestores)
{
    TBitmap b = White(8, 8);
    b.Canvas().DrawFocusRect(Rect(1, 1, 7, 7));
    EXPECT_EQ(b.Pixel(1, 1), clBlack);
    EXPECT_EQ(b.Pixel(2, 1), clWhite);
    EXPECT_EQ(b.Pixel(3, 3), clWhite);
    b.Canvas().DrawFocusRect(Rect(1, 1, 7, 7));
    EXPECT_EQ(CountColor(b, clWhite), 64);
}

TEST(CanvasTest, TextExtentGrowsWithTextAndFont)
{
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    TSize a = c.TextExtent("Hello");
    EXPECT_GT(a.cx, 0);
    EXPECT_GT(a.cy, 0);
    EXPECT_GT(c.TextWidth("Hello, world"), a.cx);
    c.Font().SetSize(20);
    EXPECT_GT(c.TextHeight("Hello"), a.cy);
    EXPECT_EQ(c.TextWidth(""), 0);
}

TEST(CanvasTest, RotatedTextGoesUpFromItsStartPoint)
{
    TBitmap b = White(60, 60);
    TCanvas& c = b.Canvas();
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clBlack);
    c.Font().SetSize(12);
    c.Font().SetOrientation(900);
    c.TextOut(10, 55, "WWWW");
    // Drawn upwards: ink above the start point, none to the right of the
    // text's height.
    int above = 0, right = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            if (b.Pixel(x, y) == clWhite) continue;
            if (y < 50) ++above;
            if (x > 35) ++right;
        }
    EXPECT_GT(above, 10);
    EXPECT_EQ(right, 0);
}

TEST(CanvasTest, OpaqueTextFillsItsCell)
{
    TBitmap b = White(60, 30);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clYellow);
    c.TextOut(0, 0, "ab");
    EXPECT_EQ(b.Pixel(0, 0), clYellow);
    c.Brush().SetStyle(bsClear);
    c.TextOut(30, 0, "ab");
    EXPECT_EQ(b.Pixel(30, 0), clWhite);
}

namespace {

bool SamePixels(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

TBitmap TextPicture(int height, bool bold)
{
    TBitmap b = White(120, 40);
    TCanvas& c = b.Canvas();
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clBlack);
    c.Font().SetHeight(height);
    if (bold) c.Font().SetStyle(TFontStyles{fsBold});
    c.TextOut(2, 2, "Hg Wide");
    c.Flush();
    return b;
}

} // namespace

TEST(CanvasTest, TextFollowsTheFontAsItIsAtEachCall)
{
    // Fonts and text widths are kept between calls: whatever was measured
    // or drawn before, every call measures and draws with the font as it
    // is then, also after more fonts than are kept at once.
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    const std::string text = "Hello, world";
    std::vector<int> widths, heights;
    for (int h = -8; h >= -40; h -= 2) {
        c.Font().SetHeight(h);
        widths.push_back(c.TextWidth(text));
        heights.push_back(c.TextHeight(text));
    }
    for (size_t i = 1; i < widths.size(); ++i) {
        EXPECT_GE(widths[i], widths[i - 1]) << i;
        EXPECT_GT(heights[i], heights[i - 1]) << i;
    }
    EXPECT_GT(widths.back(), widths.front());
    for (int pass = 0; pass < 2; ++pass) {
        // Backwards (the first ones have been dropped by now), then again
        // with the table flushed.
        for (int i = int(widths.size()) - 1; i >= 0; --i) {
            c.Font().SetHeight(-8 - 2 * i);
            EXPECT_EQ(c.TextWidth(text), widths[size_t(i)]) << pass << " " << i;
            EXPECT_EQ(c.TextExtent(text).cy, heights[size_t(i)]) << pass << " " << i;
            EXPECT_EQ(c.TextMetrics().Height, heights[size_t(i)]) << pass << " " << i;
        }
        FlushFontCache();
    }

    c.Font().SetHeight(-14);
    const int regular = c.TextWidth(text);
    c.Font().SetStyle(TFontStyles{fsBold});
    EXPECT_GT(c.TextWidth(text), regular);
    c.Font().SetStyle(TFontStyles{});
    EXPECT_EQ(c.TextWidth(text), regular);
    c.Font().SetColor(clRed); // the colour does not change the measure
    EXPECT_EQ(c.TextWidth(text), regular);

    // A canvas that has drawn with other fonts draws what a fresh one does.
    const TBitmap small = TextPicture(-11, false), large = TextPicture(-22, true);
    EXPECT_FALSE(SamePixels(small, large));
    TBitmap again = White(120, 40);
    TCanvas& a = again.Canvas();
    a.Brush().SetStyle(bsClear);
    a.Font().SetColor(clBlack);
    a.Font().SetHeight(-22);
    a.Font().SetStyle(TFontStyles{fsBold});
    a.TextOut(2, 2, "Hg Wide");
    a.Brush().SetColor(clWhite);
    a.FillRect(Rect(0, 0, 120, 40));
    a.Brush().SetStyle(bsClear);
    a.Font().SetHeight(-11);
    a.Font().SetStyle(TFontStyles{});
    a.TextOut(2, 2, "Hg Wide");
    a.Flush();
    EXPECT_TRUE(SamePixels(again, small));
}

TEST(CanvasTest, TextOutMovesThePenByTheTextWidth)
{
    TBitmap b = White(100, 20);
    TCanvas& c = b.Canvas();
    c.Brush().SetStyle(bsClear);
    c.MoveTo(1, 1);
    c.TextOut(5, 3, "abc");
    EXPECT_EQ(c.PenPos(), (TPoint{5 + c.TextWidth("abc"), 3}));
    c.TextRect(Rect(0, 0, 100, 20), 7, 2, "abcd");
    EXPECT_EQ(c.PenPos(), (TPoint{7 + c.TextWidth("abcd"), 2}));
    c.MoveTo(1, 1);
    c.TextDraw(5, 3, "abc", nullptr);
    EXPECT_EQ(c.PenPos(), (TPoint{1, 1}));
}

TEST(ColorTest, SystemColoursResolveAndRgbIsKept)
{
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(15));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clNone), clBlack);
    EXPECT_EQ(clNone, 0x1FFFFFFFu);
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

TEST(GraphicObjectsTest, ChangeCallbackFiresOnRealChangesAndCopiesAreIndependent)
{
    TFont f;
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    f.SetColor(clRed);
    f.SetColor(clRed);
    f.SetStyle({fsBold});
    f.SetSize(10);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(f.Size(), 10);
    EXPECT_EQ(f.Height(), -13);

    TFont g = f;  // copy keeps values, not the callback
    g.SetColor(clBlue);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(f.Color(), clRed);
    f.Assign(g);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(f.Color(), clBlue);

    TBrush br;
    br.SetStyle(bsClear);
    br.SetColor(clRed);  // a colour makes a clear brush solid
    EXPECT_EQ(br.Style(), bsSolid);

    TPen pen;
    EXPECT_THROW(pen.Assign(&f), EConvertError);
}

TEST(BitmapTest, ResizeKeepsContentAndResourcesAreLookedUpByName)
{
    TBitmap b = White(4, 4);
    b.SetPixel(1, 1, clRed);
    b.SetSize(6, 2);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(5, 1), clWhite);
    EXPECT_EQ(b.Pixel(9, 9), clNone);

    RegisterBitmapResource("TestDot", [](TBitmap& bmp) {
        bmp.SetSize(3, 3);
        bmp.SetPixel(1, 1, clBlack);
    });
    TBitmap r;
    r.LoadFromResourceName("TESTDOT");
    EXPECT_EQ(r.Width(), 3);
    EXPECT_EQ(r.Pixel(1, 1), clBlack);
    EXPECT_THROW(r.LoadFromResourceName("NoSuchPicture"), EResNotFound);
}

TEST(BitmapTest, CopyRectBetweenCanvases)
{
    TBitmap src = White(4, 4);
    src.SetPixel(0, 0, clRed);
    TBitmap dst = White(8, 8);
    dst.Canvas().CopyRect(Rect(4, 4, 8, 8), src.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(dst.Pixel(4, 4), clRed);
    EXPECT_EQ(dst.Pixel(0, 0), clWhite);
    // Copy onto itself, shifted.
    dst.Canvas().CopyRect(Rect(5, 5, 8, 8), dst.Canvas(), Rect(4, 4, 7, 7));
    EXPECT_EQ(dst.Pixel(5, 5), clRed);
}

}  // namespace
