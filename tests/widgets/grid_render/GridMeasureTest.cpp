// Measuring cell texts: automatic sizing measures what the painter draws
// (checked on painted pictures), the measuring options, and the line count
// of a row.

#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TBitmap Picture(TExStringGrid& g)
{
    TBitmap b(g.ClientWidth(), g.ClientHeight());
    g.PaintOn(b.Canvas(), {0, 0, g.ClientWidth(), g.ClientHeight()});
    b.Canvas().Flush();
    return b;
}

// The box of the pixels that differ between two pictures (empty when none).
TRect InkBox(const TBitmap& with, const TBitmap& without, const TRect& area)
{
    TRect box{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (with.Pixel(x, y) != without.Pixel(x, y)) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

} // namespace

// A column sized to its content holds the whole drawn text of each kind:
// the text painted in a much wider column leaves no ink beyond the sized
// column's cell (no clipping, no wrapping, no bold or formatted text cut).
TEST(GridMeasure, AnAutoSizedColumnHoldsTheDrawnText)
{
    struct Case {
        const char* name;
        int row;
        std::string text;
        std::function<void(TExStringGrid&)> setup;
    };
    const Case cases[] = {
        {"plain", 1, "A plain cell text of some length", [](TExStringGrid&) {}},
        {"two lines without multi-line cells", 1, "Only the first line counts\r\nx", [](TExStringGrid&) {}},
        {"mini-HTML", 1, "<B>Bold part</B> and <I>an italic tail</I> of it", [](TExStringGrid&) {}},
        {"header of the active column in bold", 0, "Header text in the active font",
         [](TExStringGrid& g) {
             g.FixedFont().SetStyle({});
             g.ActiveCellShow = true;
             g.ActiveCellColor = clWhite;
         }},
        {"rotated by 90 degrees", 1, "Rotated text standing up",
         [](TExStringGrid& g) {
             g.AddRotated(1, 1, 90, "Rotated text standing up");
             g.SetRowHeights(1, 220);
         }},
        {"rotated by 30 degrees", 1, "Rotated by thirty",
         [](TExStringGrid& g) {
             g.AddRotated(1, 1, 30, "Rotated by thirty");
             g.SetRowHeights(1, 120);
         }},
        {"number in its display format", 1, "3",
         [](TExStringGrid& g) {
             g.OnGetFloatFormat = [](TObject*, int, int, bool& isFloat, std::string& f) {
                 isFloat = true;
                 f = "%.9f units";
             };
         }},
        {"formula", 1, "=SUM(A1:A9)+LONG_NAME", [](TExStringGrid&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetSize(900, 300);
        c.setup(g);
        // The current cell lies in another column while the sizing runs.
        g.FocusCell(2, 2);
        g.SetCells(1, c.row, c.text);
        g.AutoSizeCol(1);
        const TRect sized = g.CellRect(1, c.row);
        ASSERT_LT(sized.Right - sized.Left, 600);
        // The current cell goes to the measured column (its header is the
        // active one) on an empty row.
        g.FocusCell(1, 2);

        g.SetColWidths(1, 700);
        const TBitmap with = Picture(g);
        g.SetCells(1, c.row, "");
        if (std::string(c.name).rfind("rotated", 0) == 0) g.AddRotated(1, 1, 0, "");
        const TBitmap without = Picture(g);
        const TRect wide = g.CellRect(1, c.row);
        const TRect ink = InkBox(with, without, wide);
        ASSERT_LT(ink.Left, ink.Right) << "nothing drawn";
        EXPECT_GE(ink.Left, sized.Left);
        EXPECT_LE(ink.Right, sized.Right - 1) << "sized " << sized.Right - sized.Left;
        EXPECT_LE(ink.Bottom, sized.Bottom);
    }
}

TEST(GridMeasure, MeasuringOptions)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetColWidths(1, 120);
    g.SetSize(300, 100);
    g.SetCells(1, 1, "ab\r\ncd");
    const TSize one = g.GetCellTextSize(1, 1, false, false);
    g.Multilinecells = true;
    const TSize two = g.GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(two.cy, 2 * one.cy);
    EXPECT_EQ(two.cx, one.cx);

    // Broken within the cell: the scroll bar's 17 pixels make a text that
    // just fits take a second line.
    g.Multilinecells = false;
    std::string text = "ab";
    for (;;) {
        g.SetCells(1, 1, text + " ab");
        if (g.GetCellTextSize(1, 1, false, false).cx > 120 - 4 - 4) break;
        text += " ab";
    }
    g.SetCells(1, 1, text);
    ASSERT_GT(g.GetCellTextSize(1, 1, false, false).cx, 120 - 4 - 4 - 17);
    const TSize fits = g.GetCellTextSize(1, 1, false, true);
    const TSize bar = g.GetCellTextSize(1, 1, true, true);
    EXPECT_GT(bar.cy, fits.cy);

    // The inset.
    EXPECT_EQ(g.TotalXOffset(), 4);
    g.XYOffsetTopLeftOnly = true;
    EXPECT_EQ(g.TotalXOffset(), 2);
}

// Decision: the row's line count looks at the displayed columns only, the
// last one included, never one past it (nor at a hidden column).
TEST(GridMeasure, MaxLinesInRowCountsTheDisplayedColumns)
{
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(3);
    g.SetCells(1, 1, "a\r\nb");
    g.SetCells(3, 1, "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(g.MaxLinesInRow(1), 1); // without multi-line cells
    g.Multilinecells = true;
    EXPECT_EQ(g.MaxLinesInRow(1), 4); // the last column holds the most
    EXPECT_EQ(g.MaxLinesInRow(2), 1);
    g.HideColumn(3);
    EXPECT_EQ(g.MaxLinesInRow(1), 2);
    g.UnHideColumn(3);
    g.HideColumn(1);
    EXPECT_EQ(g.MaxLinesInRow(1), 4);
}
