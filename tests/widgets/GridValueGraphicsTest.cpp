// Cell graphics that show the cell's number (progress bars, ratings,
// range indicators) and the placement and measure of rotated text,
// checked on offscreen pictures.

#include "widgets/ExStringGrid.h"

#include "platform/Themes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, Black = 0x000000;

TBitmap Picture(TExStringGrid& g)
{
    TBitmap b(g.ClientWidth(), g.ClientHeight());
    g.PaintOn(b.Canvas(), {0, 0, g.ClientWidth(), g.ClientHeight()});
    b.Canvas().Flush();
    return b;
}

int Count(const TBitmap& b, const TRect& r, TColor c)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (b.Pixel(x, y) == c) ++n;
    return n;
}

// Three columns, 3 rows (one fixed of each); column 1 is 120 pixels wide.
void Shape(TExStringGrid& g)
{
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetColWidths(1, 120);
    g.SetSize(64 + 120 + 64, 3 * 22);
}

bool SameCell(const TBitmap& a, const TBitmap& b, const TRect& r)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

} // namespace

TEST(GridValueGraphics, RatingShowsFullHalfAndEmptyStars)
{
    TExStringGrid g;
    Shape(g);
    g.AddRating(1, 1, 5, Red, Green);
    g.SetCells(1, 1, "2.3"); // rounds to 2.5
    const TBitmap pic = Picture(g);
    const TRect cell = g.CellRect(1, 1);
    // The stars start at the cell's left edge (the rating fills the
    // cell), 18 pixels apart, 16 pixels square.
    const int x0 = cell.Left + 1 - (1 - g.XYOffset.X);
    const int y0 = cell.Top;
    enum { Full, Half, Empty };
    const int want[5] = {Full, Full, Half, Empty, Empty};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const TRect left{x0 + 18 * i, y0, x0 + 18 * i + 8, y0 + 18};
        const TRect right{x0 + 18 * i + 8, y0, x0 + 18 * i + 17, y0 + 18};
        const int leftRed = Count(pic, left, Red), rightRed = Count(pic, right, Red);
        const int leftGreen = Count(pic, left, Green), rightGreen = Count(pic, right, Green);
        switch (want[i]) {
        case Full:
            EXPECT_GT(leftRed, 10);
            EXPECT_GT(rightRed, 10);
            EXPECT_EQ(leftGreen + rightGreen, 0);
            break;
        case Half:
            EXPECT_GT(leftRed, 10);
            EXPECT_EQ(rightRed, 0);
            EXPECT_GT(rightGreen, 10);
            break;
        case Empty:
            EXPECT_EQ(leftRed + rightRed, 0);
            EXPECT_GT(leftGreen, 10);
            EXPECT_GT(rightGreen, 10);
            break;
        }
    }
    // Beyond the fifth star the cell keeps its colour.
    EXPECT_EQ(Count(pic, {x0 + 90, y0, cell.Right - 1, cell.Bottom - 1}, Red), 0);
    EXPECT_EQ(Count(pic, {x0 + 90, y0, cell.Right - 1, cell.Bottom - 1}, Green), 0);
}

TEST(GridValueGraphics, LimitPercentClampsToTheScale)
{
    const struct {
        double in, out;
    } cases[] = {{-5, 0}, {0, 0}, {42.5, 42.5}, {100, 100}, {250, 100}};
    for (const auto& c : cases) EXPECT_EQ(LimitPercent(c.in), c.out) << c.in;
}

TEST(GridValueGraphics, ProgressBarFillsItsShareOfTheCell)
{
    TExStringGrid g;
    Shape(g);
    g.AddProgress(1, 1, Blue, Green);
    g.SetCells(1, 1, "25");
    const TBitmap pic = Picture(g);
    const TRect cell = g.CellRect(1, 1);
    const int mid = (cell.Top + cell.Bottom) / 2;
    // The bar spans the cell less the inset and the margins; the filled
    // part ends a quarter of the way (the centred "25%" lies beyond it).
    int first = -1, last = -1, edge = -1;
    for (int x = cell.Left; x < cell.Right; ++x) {
        const TColor c = pic.Pixel(x, mid);
        if (c != Blue && c != Green) continue;
        if (first < 0) first = x;
        last = x;
        if (c == Green && edge < 0) edge = x;
    }
    ASSERT_GE(first, 0);
    ASSERT_GE(edge, 0);
    EXPECT_EQ(pic.Pixel(first, mid), Blue);
    EXPECT_EQ(pic.Pixel(last, mid), Green);
    EXPECT_NEAR(edge - first, (last + 1 - first) / 4.0, 1.0);
}

// A cell whose text is not a number shows the graphic of 0, and a range
// without width shows 0 %; the painting goes on to the other cells.
TEST(GridValueGraphics, TextsThatAreNotNumbersShowZero)
{
    struct Case {
        const char* name;
        std::function<void(TExStringGrid&, int row)> add;
        const char* bad;
    };
    const Case cases[] = {
        {"progress", [](TExStringGrid& g, int r) { g.AddProgress(1, r, Blue, Green); }, "abc"},
        {"formatted progress",
         [](TExStringGrid& g, int r) { g.AddProgressFormatted(1, r, Blue, Black, Green, Black, "%d items", 0, 10); },
         "n/a"},
        {"range indicator", [](TExStringGrid& g, int r) { g.AddRangeIndicator(1, r, 10, Red, Blue, true); }, "--"},
        {"rating", [](TExStringGrid& g, int r) { g.AddRating(1, r, 5, Red, Green); }, "many"},
        {"multi-level progress", [](TExStringGrid& g, int r) { g.AddExProgress(1, r, 0, 100); }, "half"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        Shape(g);
        c.add(g, 1);
        c.add(g, 2);
        g.SetCells(1, 1, c.bad);
        g.SetCells(1, 2, "0");
        g.SetCells(2, 1, "after");
        TBitmap pic(1, 1);
        ASSERT_NO_THROW(pic = Picture(g));
        // Row 1 looks like row 2 (moved up one row).
        TBitmap zero(g.ClientWidth(), g.ClientHeight());
        {
            TExStringGrid h;
            Shape(h);
            c.add(h, 1);
            h.SetCells(1, 1, "0");
            h.SetCells(2, 1, "after");
            zero = Picture(h);
        }
        EXPECT_TRUE(SameCell(pic, zero, g.CellRect(1, 1)));
        // The painting went on past the cell.
        const TRect next = g.CellRect(2, 1);
        EXPECT_TRUE(SameCell(pic, zero, next));
        int dark = 0;
        for (int y = next.Top; y < next.Bottom; ++y)
            for (int x = next.Left; x < next.Right; ++x)
                if (GetRValue(pic.Pixel(x, y)) + GetGValue(pic.Pixel(x, y)) + GetBValue(pic.Pixel(x, y)) < 300) ++dark;
        EXPECT_GT(dark, 0);
    }

    // An empty range draws 0 %, as the value at its start does.
    TExStringGrid g, h;
    Shape(g);
    Shape(h);
    g.AddExProgress(1, 1, 5, 5);
    g.SetCells(1, 1, "7");
    h.AddExProgress(1, 1, 0, 100);
    h.SetCells(1, 1, "0");
    EXPECT_TRUE(SameCell(Picture(g), Picture(h), g.CellRect(1, 1)));
}

TEST(GridRotatedText, QuadrantsByAngle)
{
    const struct {
        int angle, quadrant;
    } cases[] = {{0, 1}, {45, 1}, {90, 1}, {91, 2}, {180, 2}, {181, 3}, {270, 3}, {271, 4}, {359, 4}};
    for (const auto& c : cases) {
        TRect r{0, 0, 100, 100};
        EXPECT_EQ(PlaceRotatedText(r, TAlignment::taLeftJustify, vtaTop, 1, 2, 3, 4, c.angle), c.quadrant)
            << c.angle;
    }
}

TEST(GridRotatedText, PlacementMovesOnlyTheOriginByAlignment)
{
    // Sides A..D of a text rotated in quadrant 1: the text's box is C + D
    // wide and A + B high.
    const int A = 5, B = 20, C = 8, D = 30;
    const struct {
        TAlignment ha;
        TVAlignment va;
        int left, top;
    } cases[] = {
        {TAlignment::taLeftJustify, vtaTop, 10, 10 + B},
        {TAlignment::taRightJustify, vtaBottom, 110 - D - C, 60 - A},
        {TAlignment::taCenter, vtaCenter, 10 + (100 - C - D) / 2, 10 + B - (B + 10 + A - 60) / 2},
    };
    for (const auto& c : cases) {
        TRect r{10, 10, 110, 60};
        PlaceRotatedText(r, c.ha, c.va, A, B, C, D, 30);
        EXPECT_EQ(r.Left, c.left);
        EXPECT_EQ(r.Top, c.top);
        EXPECT_EQ(r.Right, 110);
        EXPECT_EQ(r.Bottom, 60);
    }
}

TEST(GridRotatedText, RotatedMeasureSwapsTheSidesAtNinetyDegrees)
{
    TExStringGrid g;
    Shape(g);
    g.SetCells(1, 1, "Rotated header");
    const TSize flat = g.AutoSizeTextExtent(1, 1, 1, false);
    ASSERT_GT(flat.cx, flat.cy);
    const struct {
        int angle;
        TSize want;
    } cases[] = {{0, {flat.cx + 12, flat.cy + 12}}, {90, {flat.cy + 12, flat.cx + 12}}};
    for (const auto& c : cases) {
        g.AddRotated(1, 1, static_cast<std::int16_t>(c.angle), "Rotated header");
        const TSize s = g.AutoSizeTextExtent(1, 1, 1, false);
        EXPECT_EQ(s.cx, c.want.cx) << c.angle;
        EXPECT_EQ(s.cy, c.want.cy) << c.angle;
    }
}
