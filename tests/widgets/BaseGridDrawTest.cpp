#include "widgets/BaseGrid.h"
#include "widgets/GridDecor.h"

#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>

namespace {

// A base grid that records the content draws (cell -> count, rectangle).
class RecordingGrid : public TBaseGrid {
public:
    RecordingGrid()
    {
        SetRowCount(4);
        SetClientSize(5 * 64, 4 * 24);
    }
    void DrawCellContent(TCanvas& c, int col, int row, const TRect& r, TGridDrawState s) override
    {
        ++draws[{col, row}];
        rects[{col, row}] = r;
        if (content)
            content(c, col, row, r);
        else
            TBaseGrid::DrawCellContent(c, col, row, r, s);
    }
    TBitmap Picture()
    {
        TBitmap b(ClientWidth(), ClientHeight());
        PaintOn(b.Canvas(), {0, 0, ClientWidth(), ClientHeight()});
        b.Canvas().Flush();
        return b;
    }
    TRect Content(int c, int r) { return rects[{c, r}]; }
    int Draws(int c, int r) const
    {
        auto it = draws.find({c, r});
        return it == draws.end() ? 0 : it->second;
    }
    std::map<std::pair<int, int>, int> draws;
    std::map<std::pair<int, int>, TRect> rects;
    std::function<void(TCanvas&, int, int, const TRect&)> content;
};

TPoint Middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

} // namespace

TEST(BaseGridDraw, MergedAreaIsDrawnOncePerPaintOverItsWholeRectangle)
{
    RecordingGrid g;
    g.SetCells(1, 1, "area");
    g.MergeCells(1, 1, 2, 2);
    TBitmap pic = g.Picture();
    EXPECT_EQ(g.Draws(1, 1), 1);
    EXPECT_EQ(g.Draws(2, 1) + g.Draws(1, 2) + g.Draws(2, 2), 0);
    EXPECT_EQ(g.Content(1, 1).Right, g.CellRect(1, 1).Right - 1); // the whole area, less the line
    // No grid line between the area's columns or rows.
    const TColor window = ColorToRGB(g.Color());
    EXPECT_EQ(pic.Pixel(64 + 64 - 1, 30), window);
    EXPECT_EQ(pic.Pixel(70, 24 + 24 - 1), window);
    EXPECT_EQ(pic.Pixel(64 + 128 - 1, 30), g.GridLineColor()); // its right edge has one
    g.Picture();
    EXPECT_EQ(g.Draws(1, 1), 2);

    // Scrolled so that only covered cells are asked, the area is still drawn once.
    g.SetColCount(8);
    g.SetLeftCol(2);
    g.draws.clear();
    g.Picture();
    EXPECT_EQ(g.Draws(1, 1), 1);
}

TEST(BaseGridDraw, GridLineWidthDecidesLinesAndContentRectangle)
{
    RecordingGrid g;
    TBitmap lines = g.Picture();
    const TRect cell = g.CellRect(2, 2);
    EXPECT_EQ(g.Content(2, 2).Left, cell.Left + 1);
    EXPECT_EQ(g.Content(2, 2).Bottom, cell.Bottom - 1);
    EXPECT_EQ(lines.Pixel(cell.Right - 1, cell.Top + 5), g.GridLineColor());
    EXPECT_EQ(lines.Pixel(cell.Left + 5, cell.Bottom - 1), g.GridLineColor());

    g.SetGridLineWidth(0);
    TBitmap none = g.Picture();
    EXPECT_EQ(g.Content(2, 2).Left, cell.Left);
    EXPECT_EQ(g.Content(2, 2).Right, cell.Right);
    EXPECT_EQ(g.Content(2, 2).Bottom, cell.Bottom);
    const TColor window = ColorToRGB(g.Color());
    EXPECT_EQ(none.Pixel(cell.Right - 1, cell.Top + 5), window);
    EXPECT_EQ(none.Pixel(cell.Left + 5, cell.Bottom - 1), window);
}

TEST(BaseGridDraw, VistaSelectionFaceHasItsBorderAndCornerColours)
{
    RecordingGrid g;
    g.SetSelectionStyle(ssVista);
    g.SetFocusedFlag(true);
    g.SetSelection({1, 2, 2, 2});
    TBitmap pic = g.Picture();
    const TColor window = ColorToRGB(g.Color());
    // Column 1 is the left end (x 64..126 of the face), column 2 the right end.
    struct Px {
        int x, y;
        TColor want;
    };
    const Px expect[] = {
        {64, 48, window},    {65, 48, 0xFCEDCB}, {64, 49, 0xFCEDCB}, {66, 48, 0xFDDE99},
        {64, 55, 0xFDDE99},  {126, 48, 0xFDDE99}, {100, 49, 0xFDFBF6}, {100, 69, 0xFDF5E7},
        {100, 70, 0xFDDE99}, {190, 48, window},   {189, 48, 0xFCEDCB}, {190, 55, 0xFDDE99},
        {100, 50, 0xFDF8F1},
    };
    for (const Px& p : expect) EXPECT_EQ(pic.Pixel(p.x, p.y), p.want) << p.x << "," << p.y;

    g.SetFocusedFlag(false);
    TBitmap unfocused = g.Picture();
    EXPECT_EQ(unfocused.Pixel(66, 48), 0xD9D9D9u);
    EXPECT_EQ(unfocused.Pixel(65, 48), 0xEFEFEFu);
    EXPECT_EQ(unfocused.Pixel(100, 50), 0xF8F8F8u);
}

TEST(BaseGridDraw, ActiveAndHoverRowColours)
{
    RecordingGrid g;
    g.SetActiveRowShow(true);
    g.SetActiveRowColor(clYellow);
    g.SetSelection({2, 2, 2, 2});
    TBitmap pic = g.Picture();
    const TColor window = ColorToRGB(g.Color());
    EXPECT_EQ(pic.Pixel(Middle(g.CellRect(3, 2)).X, 52), clYellow);
    EXPECT_EQ(pic.Pixel(Middle(g.CellRect(2, 2)).X, 52), window); // the current cell keeps its look
    EXPECT_EQ(pic.Pixel(Middle(g.CellRect(0, 2)).X, 52), window); // the fixed column is not coloured

    g.SetActiveRowShow(false);
    g.HoverRow = true;
    g.HoverRowIdx = 3;
    g.SetHoverRowColor(clAqua);
    TBitmap hover = g.Picture();
    EXPECT_EQ(hover.Pixel(Middle(g.CellRect(3, 3)).X, 76), clAqua);
    EXPECT_EQ(hover.Pixel(Middle(g.CellRect(0, 3)).X, 76), window);
    EXPECT_EQ(hover.Pixel(Middle(g.CellRect(3, 2)).X, 52), window);

    // The frame alone of a selected cell: active-row colours, no content.
    TBitmap ext(g.ClientWidth(), g.ClientHeight());
    const int before = g.Draws(3, 3);
    g.PaintCellExt(ext.Canvas(), 3, 3, {100, 50, 164, 74}, TGridDrawState{gdSelected});
    ext.Canvas().Flush();
    EXPECT_EQ(ext.Pixel(110, 60), ColorToRGB(g.ActiveRowColor()));
    EXPECT_EQ(ext.Pixel(170, 60), clWhite); // the given rectangle is kept
    EXPECT_EQ(g.Draws(3, 3), before);
}

TEST(BaseGridDraw, AFailingCellDoesNotEndThePaint)
{
    RecordingGrid g;
    g.content = [](TCanvas&, int c, int r, const TRect&) {
        if (c == 2 && r == 1) throw std::runtime_error("broken cell");
    };
    EXPECT_NO_THROW(g.Picture());
    EXPECT_EQ(g.Draws(2, 1), 1);
    EXPECT_EQ(g.Draws(4, 3), 1);
    g.content = [](TCanvas&, int, int, const TRect&) { throw Exception("always"); };
    EXPECT_NO_THROW(g.Picture());
    EXPECT_EQ(g.Draws(4, 3), 2);
}

TEST(BaseGridDraw, PictureOfASmallGridForAPersonToLookAt)
{
    RecordingGrid g;
    for (int c = 0; c < 5; ++c) g.SetCells(c, 0, "Col " + IntToStr(c));
    for (int r = 1; r < 4; ++r) g.SetCells(0, r, IntToStr(r));
    g.SetCells(1, 1, "merged");
    g.MergeCells(1, 1, 2, 2);
    g.SetCells(3, 3, "60");
    g.SetSelectionStyle(ssVista);
    g.SetFocusedFlag(true);
    g.SetSelection({3, 1, 4, 1});
    g.content = [&g](TCanvas& c, int col, int row, const TRect& r) {
        if (col == 3 && row == 3) {
            DrawProgressBar(c, r, clGreen, false, clGray, "", 100, 0, 2, 2, std::stod(g.Cells(3, 3)), clBlack,
                            clWhite, clWhite);
            return;
        }
        TRect t = r;
        g.TBaseGrid::DrawCellContent(c, col, row, t, {});
    };
    TBitmap pic = g.Picture();
    std::filesystem::create_directories(ZEL_TEST_ARTIFACT_DIR);
    const std::string path = std::string(ZEL_TEST_ARTIFACT_DIR) + "/grid_5x4.png";
    ASSERT_TRUE(pic.SaveToFile(path));
    EXPECT_GT(std::filesystem::file_size(path), 0u);
    const TRect p = g.CellRect(3, 3);
    EXPECT_EQ(pic.Pixel(p.Left + 5, p.Top + 4), clGreen);
    EXPECT_EQ(pic.Pixel(p.Right - 6, p.Top + 4), clWhite);
}
