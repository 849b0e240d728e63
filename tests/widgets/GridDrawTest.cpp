#include "widgets/GridDraw.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Sentinel = 0x123456;

// A bitmap filled with the sentinel colour.
TBitmap Blank(int w, int h)
{
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(Sentinel);
    b.Canvas().FillRect({0, 0, w, h});
    return b;
}

} // namespace

TEST(GridColour, ArithmeticClampsEachComponentAndRoundsHalvesToEven)
{
    struct Case {
        const char* what;
        TColor got, want;
    };
    const Case cases[] = {
        {"half of white", HalfColor(clWhite), 0x7F7F7F},
        {"half of a system colour uses its RGB", HalfColor(clBtnFace), HalfColor(ColorToRGB(clBtnFace))},
        {"system colours resolve before the percent", ChangeColorPercent(clBtnFace, 0), ColorToRGB(clBtnFace)},
        {"grey 100 by -20 %", ChangeColorPercent(RGB(100, 100, 100), -20), RGB(80, 80, 80)},
        {"+200 % clamps at 255", ChangeColorPercent(RGB(200, 100, 10), 200), RGB(255, 255, 30)},
        {"white brightened stays white", ChangeColorPercent(clWhite, 7), clWhite},
        {"-150 % clamps at 0", ChangeColorPercent(RGB(90, 10, 200), -150), RGB(0, 0, 0)},
        {"halves round to even", ChangeColorPercent(RGB(10, 30, 50), 5), RGB(10, 32, 52)},
        {"blend halfway", BlendColorStep(clBlack, clWhite, 0, 5, 10), RGB(128, 128, 128)},
        {"blend beyond the end clamps", BlendColorStep(RGB(0, 200, 255), clWhite, 0, 20, 10), clWhite},
        {"blend to no colour keeps the colour", BlendColorStep(clBtnFace, clNone, 0, 3, 10), clBtnFace},
        {"blend with max = min answers the first colour", BlendColorStep(RGB(1, 2, 3), clWhite, 4, 4, 4),
         RGB(1, 2, 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(GridColour, FillGradientOnFivePixelsUsesFourOnePixelBandsAndALastOne)
{
    TBitmap b = Blank(10, 6);
    const TColor to = RGB(200, 100, 40);
    FillGradient(b.Canvas(), clBlack, to, true, {2, 1, 7, 4}, 16);
    b.Canvas().Flush();
    for (int i = 0; i < 5; ++i) {
        const TColor want = RGB(RoundEven(i * 200 / 4.0), RoundEven(i * 100 / 4.0), RoundEven(i * 40 / 4.0));
        for (int y = 1; y < 4; ++y) EXPECT_EQ(b.Pixel(2 + i, y), want) << "band " << i << " row " << y;
    }
    // Nothing outside the rectangle.
    EXPECT_EQ(b.Pixel(1, 2), Sentinel);
    EXPECT_EQ(b.Pixel(7, 2), Sentinel);
    EXPECT_EQ(b.Pixel(4, 0), Sentinel);
    EXPECT_EQ(b.Pixel(4, 4), Sentinel);
}

TEST(GridColour, FillGradientWithoutAColourFillsSolidOrNothing)
{
    TBitmap b = Blank(8, 8);
    FillGradient(b.Canvas(), clNone, clRed, false, {1, 1, 5, 5}, 16);
    FillGradient(b.Canvas(), clNone, clNone, false, {5, 5, 8, 8}, 16);
    FillGradient(b.Canvas(), clBlue, clRed, false, {6, 0, 8, 0}, 16); // empty height
    b.Canvas().Flush();
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(4, 4), clRed);
    EXPECT_EQ(b.Pixel(5, 5), Sentinel);
    EXPECT_EQ(b.Pixel(6, 6), Sentinel);
    EXPECT_EQ(b.Pixel(7, 0), Sentinel);

    // A vertical gradient from top to bottom, also with a reversed rectangle.
    TBitmap v = Blank(3, 10);
    FillGradient(v.Canvas(), clBlack, clWhite, false, {0, 9, 3, 0}, 64);
    v.Canvas().Flush();
    EXPECT_EQ(v.Pixel(1, 0), clBlack);
    EXPECT_EQ(v.Pixel(1, 8), clWhite);
    EXPECT_LT(GetRValue(v.Pixel(1, 3)), GetRValue(v.Pixel(1, 6)));
}

TEST(GridColour, GradientBandsCoverReversedRectanglesAndLeaveTheirColourSet)
{
    // A rectangle given right to left or bottom to top is the same area.
    struct Case {
        const char* what;
        TColor from, to;
        bool horizontal;
        TRect r;
    };
    const Case cases[] = {
        {"solid, reversed", clNone, clRed, false, {6, 5, 1, 1}},
        {"horizontal, reversed width", clBlack, clWhite, true, {6, 1, 1, 5}},
        {"vertical, reversed width", clBlack, clWhite, false, {6, 1, 1, 5}},
    };
    for (const Case& c : cases) {
        TBitmap b = Blank(8, 8);
        FillGradient(b.Canvas(), c.from, c.to, c.horizontal, c.r, 16);
        const TColor last = b.Canvas().Brush().Color();
        EXPECT_EQ(b.Canvas().Pen().Color(), last) << c.what;
        b.Canvas().Flush();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool inside = x >= 1 && x < 6 && y >= 1 && y < 5;
                EXPECT_EQ(b.Pixel(x, y) != Sentinel, inside) << c.what << " " << x << "," << y;
            }
        EXPECT_EQ(b.Pixel(1, 4), ColorToRGB(last)) << c.what;
    }
}

TEST(GridColour, MirrorGradientSplitsAtTheMiddleAndDrawsTheBorder)
{
    TBitmap b = Blank(12, 20);
    FillMirrorGradient(b.Canvas(), {0, 0, 12, 20}, clRed, true, false, clNone, true, clWhite, clBlue, clLime);
    b.Canvas().Flush();
    EXPECT_EQ(b.Pixel(5, 0), clRed);    // first half: colour ...
    EXPECT_EQ(b.Pixel(5, 9), clLime);   // ... to colour-to
    EXPECT_EQ(b.Pixel(5, 10), clBlue);  // second half: mirror colour ...
    EXPECT_EQ(b.Pixel(5, 19), clWhite); // ... to mirror colour-to

    TBitmap f = Blank(12, 20);
    FillMirrorGradient(f.Canvas(), {0, 0, 12, 20}, clRed, true, false, clBlack, true, clWhite, clBlue, clLime);
    f.Canvas().Flush();
    EXPECT_EQ(f.Pixel(0, 10), clBlack);
    EXPECT_EQ(f.Pixel(11, 5), clBlack);
    EXPECT_EQ(f.Pixel(5, 0), clBlack);
    EXPECT_EQ(f.Pixel(5, 10), clBlue);

    TBitmap s = Blank(12, 6);
    FillMirrorGradient(s.Canvas(), {0, 0, 12, 6}, clNone, true, true, clBlack, true, clNone, clNone, clNone);
    s.Canvas().Flush();
    EXPECT_EQ(s.Pixel(0, 3), clBlack);    // sides only
    EXPECT_EQ(s.Pixel(11, 3), clBlack);
    EXPECT_EQ(s.Pixel(5, 0), Sentinel);   // no top edge, no fill
    EXPECT_EQ(s.Pixel(5, 3), Sentinel);
}

TEST(GridColour, RoundedSelectionEndsAndMiddlePiece)
{
    const TColor fill = 0x00AA00, border = 0x0000AA, corner = 0xAA0000, bk = 0x444444;
    const TColor lowIn = 0x00AAAA, upIn = 0xAAAA00;
    // Rectangle 20 x 14: the face uses x 0..18 and y 0..11.
    TBitmap single = Blank(20, 14);
    DrawRoundedSelection(single.Canvas(), fill, clNone, rsSingle, {0, 0, 20, 14}, bk, corner, border, lowIn, upIn,
                         clNone, clNone);
    single.Canvas().Flush();
    struct Px {
        int x, y;
        TColor want;
    };
    const Px expect[] = {
        {0, 0, bk},       {18, 0, bk},      {0, 12, bk},      {18, 12, bk},     // outermost corners
        {1, 0, corner},   {0, 1, corner},   {1, 1, corner},   {17, 0, corner},  // rounding pixels
        {18, 1, corner},  {1, 12, corner},  {1, 11, corner},  {0, 11, corner},
        {17, 11, corner}, {2, 0, border},   {16, 0, border},  {2, 12, border},  // edges
        {0, 5, border},   {18, 5, border},  {5, 1, upIn},     {1, 3, upIn},     // inner lines
        {17, 3, upIn},    {5, 11, lowIn},   {1, 8, lowIn},    {9, 5, fill},     // face
        {19, 5, Sentinel}, {9, 13, Sentinel},                                   // outside
    };
    for (const Px& p : expect) EXPECT_EQ(single.Pixel(p.x, p.y), p.want) << p.x << "," << p.y;

    TBitmap middle = Blank(20, 14);
    DrawRoundedSelection(middle.Canvas(), fill, clNone, rsMiddle, {0, 0, 20, 14}, bk, corner, border, lowIn, upIn,
                         clNone, clNone);
    middle.Canvas().Flush();
    EXPECT_EQ(middle.Pixel(0, 0), border);  // the edges run to the ends
    EXPECT_EQ(middle.Pixel(18, 12), border);
    EXPECT_EQ(middle.Pixel(0, 5), fill);    // no vertical edge, face to the end
    EXPECT_EQ(middle.Pixel(18, 5), fill);
    EXPECT_EQ(middle.Pixel(0, 1), upIn);    // no corner pixels
}

TEST(GridColour, OwnerDrawnControlPartsUseTheStatesTones)
{
    TColorTones t;
    t.Background = {0x101010, 0x202020, 0x303030};
    t.Hover = {0x404040, 0x505050, 0x606060};
    t.Selected = {0x707070, 0x808080, 0x909090};
    t.Disabled = {0xA0A0A0, 0xB0B0B0, 0xC0C0C0};
    const TRect cell{0, 0, 60, 20};

    TBitmap combo = Blank(60, 20);
    DrawComboButton(combo.Canvas(), nullptr, cell, t, cpsHot, cpkOwnerDrawn);
    combo.Canvas().Flush();
    const TRect b = ComboButtonRect(cell); // 41..58 x 1..19; owner-drawn from 44
    EXPECT_EQ(b.Left, 41);
    EXPECT_EQ(combo.Pixel(43, 5), Sentinel);
    EXPECT_EQ(combo.Pixel(44, 5), t.Hover.BrushColor);
    EXPECT_EQ(combo.Pixel(45, 5), t.Background.BorderColor); // separator
    EXPECT_EQ(combo.Pixel(52, 9), t.Background.TextColor);   // arrow
    EXPECT_EQ(combo.Pixel(50, 15), t.Hover.BrushColor);

    TBitmap face = Blank(60, 20);
    DrawButtonFace(face.Canvas(), nullptr, cell, t, cpsPressed, cpkOwnerDrawn);
    face.Canvas().Flush();
    EXPECT_EQ(face.Pixel(10, 10), t.Selected.BrushColor);
    EXPECT_EQ(face.Pixel(0, 10), t.Selected.BorderColor);

    TBitmap spin = Blank(60, 20);
    DrawSpinButtons(spin.Canvas(), nullptr, cell, t, cpsDisabled, cpkOwnerDrawn);
    spin.Canvas().Flush();
    EXPECT_EQ(spin.Pixel(46, 1), t.Disabled.BrushColor);
    EXPECT_EQ(spin.Pixel(51, 3), clBlack); // up arrow tip row
    EXPECT_EQ(spin.Pixel(40, 5), Sentinel);
}

TEST(GridColour, TransparentBitmapReplacesItsTopLeftColour)
{
    TBitmap glyph(4, 4);
    glyph.Canvas().Brush().SetColor(clRed);
    glyph.Canvas().FillRect({0, 0, 4, 4});
    glyph.SetPixel(2, 2, clBlue);
    TBitmap b = Blank(10, 10);
    DrawBitmapTransparent(b.Canvas(), glyph, clYellow, {3, 3, 4, 4});
    b.Canvas().Flush();
    EXPECT_EQ(b.Pixel(3, 3), clYellow);
    EXPECT_EQ(b.Pixel(6, 6), clYellow); // the rectangle's right and bottom are not used
    EXPECT_EQ(b.Pixel(5, 5), clBlue);
    EXPECT_EQ(b.Pixel(7, 7), Sentinel);

    TBitmap n = Blank(4, 4);
    DrawResourceBitmapTransparent(n.Canvas(), clYellow, {0, 0, 4, 4}, "NO SUCH PICTURE");
    n.Canvas().Flush();
    EXPECT_EQ(n.Pixel(1, 1), Sentinel);
    EXPECT_TRUE(UpdateLayeredWindowDyn(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0));
    EXPECT_TRUE(SetLayeredWindowAttributesDyn(nullptr, 0, 128, 2));
}
