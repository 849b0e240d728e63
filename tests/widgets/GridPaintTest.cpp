// The grid's painting, checked on offscreen pictures: fixed-cell looks,
// selection, borders, hover states, check boxes, custom drawing, the
// looks of a cell and the text flags of plain cells.

#include "widgets/ExColumnGrid.h"
#include "widgets/GridControlLook.h"
#include "widgets/GridDraw.h"

#include "platform/DrawText.h"
#include "platform/Themes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

TBitmap Picture(TExStringGrid& g)
{
    TBitmap b(g.ClientWidth(), g.ClientHeight());
    g.PaintOn(b.Canvas(), {0, 0, g.ClientWidth(), g.ClientHeight()});
    b.Canvas().Flush();
    return b;
}

TPoint Middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

int Luma(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

bool Near(TColor a, TColor b, int tolerance)
{
    a = ColorToRGB(a);
    b = ColorToRGB(b);
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Pixels of R darker than a mid grey (text, ticks, triangles).
int DarkPixels(const TBitmap& b, const TRect& r)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (Luma(b.Pixel(x, y)) < 3 * 110) ++n;
    return n;
}

// A grid of 5 columns and 4 rows (1 fixed of each), 64 x 22 pixel cells.
template <class Grid>
void Shape(Grid& g)
{
    g.SetRowCount(4);
    g.SetSize(5 * 64, 4 * 22);
}

} // namespace

TEST(GridPaint, XPHeaderGradientAndSelectionFill)
{
    TExColumnGrid g;
    Shape(g);
    ASSERT_EQ(g.Look(), glXP);
    g.SelectCells(1, 1, 3, 2); // the current cell ends at (3, 2)
    const TBitmap pic = Picture(g);

    const TRect h = g.CellRect(2, 0);
    const int x = Middle(h).X;
    const TColor upper = pic.Pixel(x, h.Top + h.Height() / 4);
    const TColor lower = pic.Pixel(x, h.Top + 3 * h.Height() / 4);
    EXPECT_GT(Luma(upper), Luma(lower));
    // The gradient runs from white to the button face over the whole
    // height: three quarters down it has gone three quarters of the way.
    EXPECT_TRUE(Near(lower, clBtnFace, 12)) << std::hex << lower;

    const TPoint m = Middle(g.CellRect(1, 1));
    EXPECT_EQ(pic.Pixel(m.X, m.Y), RGB(0xB6, 0xCA, 0xEA));
}

TEST(GridPaint, LookBorderAndHoverRowAtKnownPixels)
{
    TExStringGrid g;
    Shape(g);
    const int W = g.ClientWidth(), H = g.ClientHeight();
    TBitmap pic = Picture(g);
    for (TPoint p : {TPoint{0, H / 2}, TPoint{W - 1, H / 2}, TPoint{W / 2, 0}, TPoint{W / 2, H - 1}})
        EXPECT_EQ(pic.Pixel(p.X, p.Y), 0xB99D7Fu) << p.X << "," << p.Y;

    g.SetFlat(true);
    EXPECT_NE(Picture(g).Pixel(0, H / 2), 0xB99D7Fu);
    g.SetFlat(false);
    g.SetLook(glStandard);
    EXPECT_NE(Picture(g).Pixel(0, H / 2), 0xB99D7Fu);

    g.HoverRow = true;
    g.HoverRowIdx = 2;
    g.SetHoverRowColor(0x00FFFF);
    pic = Picture(g);
    const TPoint hovered = Middle(g.CellRect(2, 2));
    const TPoint other = Middle(g.CellRect(2, 3));
    EXPECT_EQ(pic.Pixel(hovered.X, hovered.Y), 0x00FFFFu);
    EXPECT_EQ(pic.Pixel(other.X, other.Y), ColorToRGB(g.Color()));
}

TEST(GridPaint, CustomDrawingReplacesTheDefaultText)
{
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        TExStringGrid g;
        Shape(g);
        g.SetCells(1, 1, "WWWWWW");
        g.SetCells(2, 1, "WWWWWW");
        TRect drawRect;
        if (mode == 0) {
            // A custom-draw event that paints the whole cell.
            g.OnCustomCellDraw = [](TObject*, TCanvas* c, int col, int, TGridDrawState, const TRect& r, bool) {
                if (col != 1) return;
                c->Brush().SetColor(clWhite);
                c->FillRect(r);
            };
        } else if (mode == 1) {
            // NoDefaultDraw with a draw event: no built-in text at all.
            g.NoDefaultDraw = true;
            g.OnDrawCell = [&](TObject*, int col, int row, const TRect& r, TGridDrawState) {
                if (col == 1 && row == 1) drawRect = r;
            };
        }
        const TBitmap pic = Picture(g);
        const int own = DarkPixels(pic, g.CellRect(1, 1));
        const int neighbour = DarkPixels(pic, g.CellRect(2, 1));
        if (mode == 2) {
            EXPECT_GT(own, 20); // the default text
        } else {
            EXPECT_EQ(own, 0);
            EXPECT_EQ(neighbour > 20, mode == 0); // only the event's own cell is painted over
        }
        if (mode == 1) {
            // The event's rectangle: 1 pixel in at the left and top, the line
            // width at the right and bottom of the painter's.
            const TRect cell = g.CellRect(1, 1);
            EXPECT_EQ(drawRect.Left, cell.Left + 1);
            EXPECT_EQ(drawRect.Top, cell.Top + 1);
            EXPECT_EQ(drawRect.Right, cell.Right - 1);
            EXPECT_EQ(drawRect.Bottom, cell.Bottom - 1);
        }
    }
}

TEST(GridPaint, AFailingCellShowsItsBackgroundOnlyAndThePaintGoesOn)
{
    TExStringGrid g;
    Shape(g);
    g.SetColors(1, 1, 0xC0FFC0);
    g.SetCells(1, 1, "WWWWWW");
    g.SetCells(2, 1, "WWWWWW");
    g.SelectCells(3, 3, 3, 3);
    g.OnCustomCellDraw = [](TObject*, TCanvas*, int col, int row, TGridDrawState, const TRect&, bool) {
        if (col == 1 && row == 1) throw std::runtime_error("broken handler");
    };
    TBitmap pic;
    ASSERT_NO_THROW(pic = Picture(g));
    const TRect failed = g.CellRect(1, 1);
    EXPECT_EQ(DarkPixels(pic, failed), 0);
    const TPoint m = Middle(failed);
    EXPECT_EQ(pic.Pixel(m.X, m.Y), 0xC0FFC0u);
    EXPECT_GT(DarkPixels(pic, g.CellRect(2, 1)), 20);
}

TEST(GridPaint, HoveredFixedCellsFollowHoverFixedCells)
{
    struct Case {
        THoverFixedCells setting;
        bool headerRow, headerCol; // lit when hovered
    };
    const Case cases[] = {{hfNone, false, false},
                          {hfAll, true, true},
                          {hfFixedRows, true, false},
                          {hfFixedColumns, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        TExStringGrid g;
        Shape(g);
        g.HoverFixedCells = c.setting;
        const TBitmap rest = Picture(g);
        for (TPoint cell : {TPoint{2, 0}, TPoint{0, 2}}) {
            g.SetHoverFixedCell(cell.X, cell.Y);
            const TBitmap hovered = Picture(g);
            const TPoint m = Middle(g.CellRect(cell.X, cell.Y));
            const bool lit = hovered.Pixel(m.X, m.Y) != rest.Pixel(m.X, m.Y);
            EXPECT_EQ(lit, cell.Y == 0 ? c.headerRow : c.headerCol) << cell.X << "," << cell.Y;
        }
    }
}

TEST(GridPaint, FixedDropDownPartShowsOnlyWhileTheHeaderIsHovered)
{
    TExStringGrid g;
    Shape(g);
    g.HoverFixedCells = hfAll;
    g.ControlLook()->FixedDropDownButton = true;
    const TRect h = g.CellRect(2, 0);
    const TRect part{h.Right - 16, h.Top + 2, h.Right - 2, h.Bottom - 4}; // inside the header's edges
    EXPECT_EQ(DarkPixels(Picture(g), part), 0);
    g.SetHoverFixedCell(2, 0);
    EXPECT_GT(DarkPixels(Picture(g), part), 0); // the triangle
    int asked = -1;
    g.OnCanShowFixedDropDown = [&](TObject*, int col, bool& allow) {
        asked = col;
        allow = false;
    };
    EXPECT_EQ(DarkPixels(Picture(g), part), 0);
    EXPECT_EQ(asked, 2);
}

TEST(GridPaint, DataCheckBoxIsCheckedForTheCheckTrueTextOnly)
{
    TExColumnGrid g;
    Shape(g);
    g.SetRowCount(6);
    g.SetSize(5 * 64, 6 * 22);
    g.Columns()[1]->SetEditor(edDataCheckBox);
    const char* texts[] = {"Y", "y", "N", ""};
    for (int r = 0; r < 4; ++r) g.SetCells(1, r + 1, texts[r]);
    ASSERT_TRUE(IsThemeActive());
    TBitmap pic = Picture(g);
    // The glyph sits at the cell's left; its centre area holds the tick.
    auto ticked = [&](int row) {
        const TRect cell = g.CellRect(1, row);
        const int size = g.ControlLook()->CheckSize();
        const int cx = cell.Left + 2 + size / 2, cy = cell.Top + 2 + size / 2;
        return DarkPixels(pic, {cx - 3, cy - 3, cx + 4, cy + 4}) > 0;
    };
    EXPECT_TRUE(ticked(1));
    EXPECT_FALSE(ticked(2));
    EXPECT_FALSE(ticked(3));
    EXPECT_FALSE(ticked(4));

    // The column's own check-true text.
    g.Columns()[1]->CheckTrue = "y";
    pic = Picture(g);
    EXPECT_FALSE(ticked(1));
    EXPECT_TRUE(ticked(2));
}

// Pixels that differ between two equal-sized areas of a picture.
int DifferingPixels(const TBitmap& b, const TRect& r1, const TRect& r2)
{
    int n = 0;
    for (int y = 0; y < r1.Bottom - r1.Top; ++y)
        for (int x = 0; x < r1.Right - r1.Left; ++x)
            if (b.Pixel(r1.Left + x, r1.Top + y) != b.Pixel(r2.Left + x, r2.Top + y)) ++n;
    return n;
}

// A box in a cell that may not be edited draws greyed in every look that
// has a disabled face (the glyph look shows the user's two glyphs only),
// unless a control look switch keeps boxes active.
TEST(GridPaint, LockedCheckBoxesAndRadioButtonsDrawGreyed)
{
    struct Look {
        const char* name;
        TControlStyle style;
    };
    const Look looks[] = {{"classic", csClassic}, {"flat", csFlat},     {"XP", csWinXP},
                          {"Vornal", csVornal},   {"NUV", csNUV},       {"theme", csTheme}};
    enum Switch { none, checkAlways, radioAlways, noDisabledLook };
    for (const Look& look : looks)
        for (const bool radio : {false, true})
            for (const char* text : {"Y", "N"})
                for (const Switch sw : {none, checkAlways, radioAlways, noDisabledLook}) {
                    SCOPED_TRACE(std::string(look.name) + (radio ? " radio " : " check ") + text + " switch " +
                                 std::to_string(sw));
                    TExColumnGrid g;
                    Shape(g);
                    g.SetRowCount(5);
                    g.SetSize(5 * 64, 5 * 22);
                    g.ControlLook()->SetControlStyle(look.style);
                    g.ControlLook()->CheckAlwaysActive = sw == checkAlways;
                    g.ControlLook()->RadioAlwaysActive = sw == radioAlways;
                    g.ControlLook()->SetNoDisabledCheckRadioLook(sw == noDisabledLook);
                    if (radio) {
                        g.AddRadioButton(1, 2, text[0] == 'Y');
                        g.AddRadioButton(1, 3, text[0] == 'Y');
                    } else {
                        g.Columns()[1]->SetEditor(edDataCheckBox);
                        g.SetCells(1, 2, text);
                        g.SetCells(1, 3, text);
                    }
                    // Row 3 is locked; the current cell is elsewhere.
                    g.OnCanEditCell = [](TObject*, int row, int, bool& can) { can = row != 3; };
                    g.FocusCell(3, 1, true);
                    const TBitmap pic = Picture(g);
                    const int differ = DifferingPixels(pic, g.CellRect(1, 2), g.CellRect(1, 3));
                    const bool active = sw == noDisabledLook || (radio ? sw == radioAlways : sw == checkAlways);
                    if (active)
                        EXPECT_EQ(differ, 0);
                    else
                        EXPECT_GT(differ, 4);
                }
}

// Without a selection colour of its own (clNone) a selected cell takes the
// system's highlight colour: the selection stays visible.
TEST(GridPaint, SelectionWithoutAColourOfItsOwnShowsTheHighlightColour)
{
    TExStringGrid g;
    Shape(g);
    g.SetColor(0xFFFFFF);
    g.SetSelectionColor(clNone);
    g.SelectCells(1, 1, 2, 2);
    const TBitmap pic = Picture(g);
    for (const TPoint cell : {TPoint{1, 1}, TPoint{1, 2}, TPoint{2, 1}}) {
        SCOPED_TRACE(std::to_string(cell.X) + "," + std::to_string(cell.Y));
        const TRect r = g.CellRect(cell.X, cell.Y);
        EXPECT_EQ(pic.Pixel(r.Left + 3, r.Bottom - 3), ColorToRGB(clHighlight));
    }
    const TRect free = g.CellRect(3, 3);
    EXPECT_EQ(pic.Pixel(free.Left + 3, free.Bottom - 3), 0xFFFFFF);
}

TEST(GridPaint, SelectionColourMixer)
{
    struct Case {
        TColor cell;
        int factor;
        TColor want;
    };
    const TColor window = 0xFFFFFF;
    const Case cases[] = {
        {0x000000, 50, 0x75655B}, {0x000000, 100, 0xEACAB6}, {0x000000, 0, 0x000000}, {window, 50, 0xEACAB6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        TExStringGrid g;
        Shape(g);
        g.SetColor(window);
        g.SetSelectionColorMixer(true);
        g.SetSelectionColorMixerFactor(c.factor);
        g.SetColors(1, 1, c.cell);
        g.SelectCells(1, 1, 2, 2); // (1, 1) is selected, not current
        const TBitmap pic = Picture(g);
        const TPoint m = Middle(g.CellRect(1, 1));
        EXPECT_EQ(pic.Pixel(m.X, m.Y), c.want);
    }
}

TEST(GridPaint, BandsColourTheDataRowsOnly)
{
    TExStringGrid g;
    g.SetRowCount(6);
    g.FixedFooters = 1;
    g.SetSize(5 * 64, 6 * 22);
    g.Bands().SetPrimaryColor(0x0000FF);
    g.Bands().SetSecondaryColor(0x00FF00);
    g.Bands().SetPrimaryLength(1);
    g.Bands().SetSecondaryLength(1);
    g.Bands().SetActive(true);
    const TBitmap pic = Picture(g);
    auto at = [&](int c, int r) {
        const TPoint m = Middle(g.CellRect(c, r));
        return pic.Pixel(m.X, m.Y);
    };
    EXPECT_EQ(at(2, 1), 0x0000FFu);
    EXPECT_EQ(at(2, 2), 0x00FF00u);
    EXPECT_EQ(at(2, 3), 0x0000FFu);
    EXPECT_EQ(at(2, 4), 0x00FF00u);
    for (TColor c : {at(0, 2), at(2, 0), at(2, 5)}) { // fixed column, fixed row, footer
        EXPECT_NE(c, 0x0000FFu);
        EXPECT_NE(c, 0x00FF00u);
    }
}

TEST(GridPaint, OwnColourInAFixedRowIsKeptWithoutTheFixedLook)
{
    TExStringGrid g;
    Shape(g);
    g.SetColors(2, 0, 0x3366CC);
    auto looks = [&](int c, int r, TGridDrawState& st) {
        TBrush brush;
        TFont font;
        TColor to = 0, m = 0, mt = 0;
        TAlignment ha{};
        TVAlignment va{};
        bool ww = false;
        TCellGradientDirection gd{};
        g.GetVisualProperties(c, r, st, false, false, true, &brush, to, m, mt, &font, ha, va, ww, gd);
        return std::make_pair(brush.Color(), to);
    };
    TGridDrawState own, plain;
    EXPECT_EQ(looks(2, 0, own).first, 0x3366CCu);
    EXPECT_FALSE(own.Contains(gdFixed));
    const auto header = looks(3, 0, plain);
    EXPECT_TRUE(plain.Contains(gdFixed));
    EXPECT_EQ(header.first, g.NUVGradientFrom());
    EXPECT_EQ(header.second, g.NUVGradientTo());
}

TEST(GridPaint, NumbersAlignRightWithAutoNumAlign)
{
    struct Case {
        const char* text;
        bool ownCentre;
        TAlignment want;
    };
    const Case cases[] = {{" 125 ", false, TAlignment::taRightJustify},
                          {"12a", false, TAlignment::taLeftJustify},
                          {"1.5e3", false, TAlignment::taRightJustify},
                          {"125", true, TAlignment::taCenter},
                          {"=12", false, TAlignment::taLeftJustify}}; // a formula shows its own text
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TExStringGrid g;
        g.AutoNumAlign = true;
        g.SetCells(1, 1, c.text);
        if (c.ownCentre) g.SetAlignments(1, 1, TAlignment::taCenter);
        EXPECT_EQ(g.GetCellAlignment(1, 1).first, c.want);
    }
    TExStringGrid off;
    off.SetCells(1, 1, "125");
    EXPECT_EQ(off.GetCellAlignment(1, 1).first, TAlignment::taLeftJustify);

    // A grid whose formulas give numbers aligns them right.
    struct Calculating : TExStringGrid {
        void FormulaValue(int, int, std::string& Text) override { Text = "12"; }
    } calc;
    calc.AutoNumAlign = true;
    calc.SetCells(1, 1, "=A1+A2");
    calc.SetAlignments(1, 1, TAlignment::taCenter); // a formula's own alignment does not count
    EXPECT_EQ(calc.GetCellAlignment(1, 1).first, TAlignment::taRightJustify);
}

TEST(GridPaint, SpreadSheetSwitchesItsHelpersOnWhateverTheValue)
{
    TExStringGrid g;
    g.SetSpreadSheet(false);
    EXPECT_TRUE(g.SelectionRectangle);
    EXPECT_TRUE(g.SelectionResizer);
    EXPECT_TRUE(g.Navigation().AllowSmartClipboard);
    EXPECT_TRUE(g.Options().Contains(goRangeSelect));
    EXPECT_TRUE(g.Options().Contains(goEditing));
    EXPECT_TRUE(g.MouseActions().RangeSelectAndEdit);
}

TEST(GridPaint, ColorTonesPutAFlatMetroLook)
{
    TExStringGrid g;
    TColorTones t;
    t.Background = {0xFAFAFA, 0xCCCCCC, 0x202020};
    t.Foreground = {0x806040, 0x000000, 0xFFFFFF};
    t.Selected = {0xFFCC99, 0x000000, 0x101010};
    g.SetColorTones(t);
    EXPECT_EQ(g.Look(), glClassic);
    EXPECT_TRUE(g.Flat);
    EXPECT_EQ(g.ScrollType, ssMetro);
    EXPECT_EQ(g.FixedColor(), 0x806040u);
    EXPECT_EQ(g.FixedFont().Color(), 0xFFFFFFu);
    EXPECT_EQ(g.Color(), 0xFAFAFAu);
    EXPECT_EQ(g.Font().Color(), 0x202020u);
    EXPECT_EQ(g.SelectionColor, 0xFFCC99u);
    EXPECT_EQ(g.SelectionTextColor, 0x101010u);
    EXPECT_EQ(g.GridLineColor(), 0xE6E6E6u);
    EXPECT_EQ(g.GridFixedLineColor(), 0x664D33u); // each component 20 % darker
    EXPECT_EQ(g.BorderStyle, TGridBorderStyle::bsNone);
    EXPECT_EQ(g.ControlLook()->ControlStyle(), csGlyph);
    EXPECT_FALSE(g.ControlLook()->CheckedGlyph().Empty());
    EXPECT_FALSE(g.ControlLook()->RadioOffGlyph().Empty());
    EXPECT_TRUE(g.ControlLook()->FlatButton());
    EXPECT_EQ(g.CellNode().NodeType(), cnFlat);
    EXPECT_EQ(g.ColorTones().Selected.BrushColor, 0xFFCC99u);
}

TEST(GridPaintText, PlainTextFlags)
{
    struct Case {
        const char* name;
        std::function<void(TExStringGrid&)> setup;
        std::string text, drawn;
        unsigned flags;
    };
    const Case cases[] = {
        {"first line only", [](TExStringGrid&) {}, "ab\r\ncd", "ab", 0x2860},
        {"multi-line cells", [](TExStringGrid& g) { g.Multilinecells = true; }, "ab\r\ncd", "ab\r\ncd", 0x2850},
        {"word wrap", [](TExStringGrid& g) { g.WordWrap = true; }, "ab cd", "ab cd", 0x2850},
        {"ellipsis", [](TExStringGrid& g) { g.EnhTextSize = true; }, "ab", "ab", 0xA860},
        {"right, centred", [](TExStringGrid& g) {
             g.DefaultAlignment = TAlignment::taRightJustify;
             g.SetVAlignment(vtaCenter);
         },
         "ab", "ab", 0x2866},
        {"password", [](TExStringGrid& g) {
             g.OnIsPasswordCell = [](TObject*, int, int, bool& p) { p = true; };
         },
         "s\xC3\xA9" "cret", "******", 0x2860},
        {"link without protocol", [](TExStringGrid& g) { g.URLShow = true; }, "http://example.com", "example.com",
         0x2860},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        Shape(g);
        g.WordWrap = false;
        c.setup(g);
        g.SetCells(2, 2, c.text);
        TBitmap b(g.ClientWidth(), g.ClientHeight());
        TDrawTextRecorder rec(b.Canvas());
        g.PaintOn(b.Canvas(), {0, 0, g.ClientWidth(), g.ClientHeight()});
        int found = 0;
        for (const auto& call : rec.Calls()) {
            if (call.Text == c.drawn) {
                ++found;
                EXPECT_EQ(call.Format, c.flags) << std::hex << call.Format;
            }
        }
        EXPECT_EQ(found, 1);
    }
}

namespace {

// A 10 x 7 picture whose every pixel tells where in the picture it lies.
TBitmap Pattern()
{
    TBitmap b(10, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x) b.SetPixel(x, y, RGB(20 * x + 5, 30 * y + 5, 77));
    b.Canvas().Flush();
    return b;
}

} // namespace

TEST(GridPaint, TiledBackgroundRunsOnAcrossCellBordersWithoutGridLines)
{
    TExStringGrid g;
    Shape(g);
    g.SetGridLineWidth(0);
    g.SetRowCount(5);
    g.SetSize(5 * 64, 5 * 22);
    g.SetCol(4);
    g.SetRow(4); // the current cell out of the way of the checked cells
    const TBitmap pattern = Pattern();
    g.BackGround()->SetBitmap(pattern);
    ASSERT_EQ(g.BackGround()->Display(), bdTile);
    ASSERT_EQ(g.BackGround()->Cells(), bcNormal);
    const TBitmap pic = Picture(g);

    // The tiles are anchored at the first normal cell: the pixel at (x, y)
    // shows the picture's pixel ((x - x0) mod 10, (y - y0) mod 7), so the
    // pattern runs on without a seam over the borders between cells.
    const TRect first = g.CellRect(1, 1);
    auto expected = [&](int x, int y) {
        return pattern.Pixel((x - first.Left) % 10, (y - first.Top) % 7);
    };
    const TRect c12 = g.CellRect(1, 2), c22 = g.CellRect(2, 2), c23 = g.CellRect(2, 3);
    ASSERT_EQ(c12.Right, c22.Left);  // no grid line between the cells
    ASSERT_EQ(c22.Bottom, c23.Top);
    // Across the border between columns 1 and 2, on every pixel row of row 2.
    for (int y = c22.Top + 1; y < c22.Bottom - 1; ++y)
        for (int x = c22.Left - 12; x < c22.Left + 12; ++x)
            ASSERT_EQ(pic.Pixel(x, y), expected(x, y)) << x << "," << y;
    // Across the border between rows 2 and 3, in column 2 and 3.
    for (int x = c22.Left + 1; x < g.CellRect(3, 2).Right - 1; ++x)
        for (int y = c23.Top - 9; y < c23.Top + 9; ++y)
            ASSERT_EQ(pic.Pixel(x, y), expected(x, y)) << x << "," << y;

    // Scrolled one column to the left, the tiles stay with the cells: the
    // column now at column 1's place shows what it showed before (and the
    // empty-area painting, with the last column off the screen, leaves the
    // cells alone).
    g.SetColCount(8);
    g.SetLeftCol(2);
    const TBitmap scrolled = Picture(g);
    const TRect now = g.CellRect(2, 2);
    int same = 0;
    for (int y = now.Top + 1; y < now.Bottom - 1; ++y)
        for (int x = now.Left; x < now.Right; ++x)
            same += scrolled.Pixel(x, y) == pattern.Pixel((x - now.Left + 64) % 10, (y - first.Top) % 7);
    EXPECT_EQ(same, 64 * (now.Height() - 2));
}

TEST(GridPaint, BackgroundLeavesSelectionAndEmptyTileAlone)
{
    TExStringGrid g;
    Shape(g);
    g.SetGridLineWidth(0);
    g.ShowSelection = true;
    const TBitmap plain = Picture(g);
    // bdTile without a picture paints nothing anywhere.
    g.BackGround()->SetColorTo(clNone);
    const TBitmap none = Picture(g);
    for (int y = 0; y < g.ClientHeight(); y += 3)
        for (int x = 0; x < g.ClientWidth(); x += 3) ASSERT_EQ(none.Pixel(x, y), plain.Pixel(x, y)) << x << "," << y;
    // The selected current cell keeps its selection colour over the picture.
    g.BackGround()->SetBitmap(Pattern());
    const TBitmap pic = Picture(g);
    const TPoint m = Middle(g.CellRect(g.Col(), g.Row()));
    EXPECT_EQ(pic.Pixel(m.X, m.Y), plain.Pixel(m.X, m.Y));
    const TPoint other = Middle(g.CellRect(3, 2));
    EXPECT_NE(pic.Pixel(other.X, other.Y), plain.Pixel(other.X, other.Y));
}

TEST(GridPaint, AGradientBackgroundFillsOnlyTheAreaBesideTheColumnsAndPlainColourWithoutAnEnd)
{
    // Rows that fill the window and columns that do not: the empty area is
    // the strip right of the last column, nothing below the rows.
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(30);
    g.SetSize(5 * 64, 5 * 22);
    g.SetCol(2);
    g.SetRow(5);
    const TBitmap plain = Picture(g);
    TBackGround& bg = *g.BackGround();
    bg.SetDisplay(bdGradientVert);
    bg.SetColor(RGB(255, 0, 0));
    bg.SetColorTo(RGB(0, 0, 255));
    const TBitmap pic = Picture(g);
    const int right = g.CellRect(2, g.TopRow()).Right + g.GridLineWidth();
    ASSERT_LT(right + 40, g.ClientWidth());
    const int yMid = g.ClientHeight() / 2;
    // Beside the columns: the gradient, red at the top turning blue.
    EXPECT_NE(pic.Pixel(right + 20, yMid), plain.Pixel(right + 20, yMid));
    EXPECT_GT(GetRValue(pic.Pixel(right + 20, 1)), GetRValue(pic.Pixel(right + 20, g.ClientHeight() - 2)));
    EXPECT_LT(GetBValue(pic.Pixel(right + 20, 1)), GetBValue(pic.Pixel(right + 20, g.ClientHeight() - 2)));

    // Without an end colour the cells take the plain colour and the empty
    // area stays as it was.
    bg.SetColorTo(clNone);
    const TBitmap solid = Picture(g);
    const TPoint cell = Middle(g.CellRect(1, g.TopRow() + 1));
    EXPECT_EQ(solid.Pixel(cell.X, cell.Y), ColorToRGB(RGB(255, 0, 0)));
    for (int y = 0; y < g.ClientHeight(); y += 4)
        for (int x = right + 2; x < g.ClientWidth(); x += 4)
            ASSERT_EQ(solid.Pixel(x, y), plain.Pixel(x, y)) << x << "," << y;
}

namespace {

bool SamePicture(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

// A rule window's grid: a combo column with its buttons shown, two check-box
// columns, a hidden column, texts that wrap and that do not fit, a selection.
void RuleGrid(TExColumnGrid& g)
{
    g.SetColCount(8);
    g.SetRowCount(13);
    g.SetSize(420, 200);
    g.Columns()[1]->SetHeader("Topic");
    g.Columns()[2]->SetHeader("Direction");
    g.Columns()[2]->SetEditor(edComboList);
    for (const char* s : {"Publish", "Subscribe"}) g.Columns()[2]->ComboItems().Add(s);
    g.Columns()[3]->SetHeader("Retained");
    g.Columns()[3]->SetEditor(edDataCheckBox);
    g.Columns()[4]->SetHeader("Enabled");
    g.Columns()[4]->SetEditor(edDataCheckBox);
    g.Columns()[5]->SetHeader("Byte 5");
    g.Columns()[6]->SetHeader("Hidden");
    g.Columns()[7]->SetHeader("Note");
    g.ControlLook()->SetDropDownAlwaysVisible(true);
    for (int r = 1; r < 13; ++r) {
        g.SetCells(0, r, std::to_string(r));
        g.SetCells(1, r, "plant/line" + std::to_string(r % 7) + "/value" + std::to_string(r));
        g.SetCells(2, r, r % 2 ? "Publish" : "Subscribe");
        g.SetCells(3, r, r % 3 ? "Y" : "N");
        g.SetCells(4, r, r % 5 ? "N" : "Y");
        g.SetCells(5, r, std::to_string(r * 37 % 1440));
        g.SetCells(6, r, "never shown");
        g.SetCells(7, r, r % 2 ? "two words  " : "  a b c d e f g h");
    }
    g.HideColumn(6);
    g.SelectCells(1, 3, 5, 5);
}

} // namespace

TEST(GridPaint, APageLooksTheSameWithItsTextsMeasuredAfreshOrKept)
{
    // Measured texts and fonts are kept between paints: a page painted
    // with nothing kept, then again with everything kept, comes out the
    // same, pixel for pixel.
    TExColumnGrid g;
    RuleGrid(g);
    FlushFontCache();
    const TBitmap fresh = Picture(g);
    const TBitmap kept = Picture(g);
    EXPECT_TRUE(SamePicture(fresh, kept));
    // The page has text, ticks and a selection on it.
    EXPECT_GT(DarkPixels(fresh, g.CellRect(1, 1)), 10);
    const TPoint m = Middle(g.CellRect(5, 4));
    EXPECT_EQ(fresh.Pixel(m.X, m.Y), RGB(0xB6, 0xCA, 0xEA));
}

TEST(GridPaint, ChangesOfFontAndLookAfterAPaintShowInTheNextPaint)
{
    // Each change, made after a paint, against a grid made with it.
    struct Case {
        const char* what;
        std::function<void(TExColumnGrid&)> change;
    };
    const Case cases[] = {
        {"larger font", [](TExColumnGrid& g) { g.Columns()[1]->Font().SetSize(12); }},
        {"bold font", [](TExColumnGrid& g) { g.Columns()[5]->Font().SetStyle(TFontStyles{fsBold}); }},
        {"italic font", [](TExColumnGrid& g) { g.Columns()[7]->Font().SetStyle(TFontStyles{fsItalic}); }},
        {"underlined font", [](TExColumnGrid& g) { g.Columns()[2]->Font().SetStyle(TFontStyles{fsUnderline}); }},
        {"header font", [](TExColumnGrid& g) { g.Columns()[2]->HeaderFont().SetSize(11); }},
        {"standard look", [](TExColumnGrid& g) { g.SetLook(glStandard); }},
        {"Windows 7 style", [](TExColumnGrid& g) { g.SetStyle(gsWindows7); }},
        {"colour tones", [](TExColumnGrid& g) { g.SetColorTones(g.ColorTones()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TExColumnGrid g;
        RuleGrid(g);
        const TBitmap before = Picture(g);
        c.change(g);
        const TBitmap after = Picture(g);
        EXPECT_FALSE(SamePicture(before, after));
        TExColumnGrid fresh;
        RuleGrid(fresh);
        c.change(fresh);
        FlushFontCache(); // nothing measured before the change is kept
        EXPECT_TRUE(SamePicture(after, Picture(fresh)));
    }
}
