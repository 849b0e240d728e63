// The floating footer: its calculations, templates, the strip's size and
// the grid flags it sets, clicks and hints on the strip, and its painting.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/FloatingFooter.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/GridView.h"
#include "platform/WindowImage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A grid of 4 columns, 1 fixed row and 10 rows in all (the last one the
// footer row), a footer of 24 pixels in the style fsFixedLastRow.
void Shape(TExStringGrid& g)
{
    g.SetColCount(4);
    g.SetRowCount(10);
    g.SetSize(4 * 64, 10 * 22);
    g.FloatingFooter()->SetHeight(24);
    g.FloatingFooter()->SetVisible(true);
}

int Luma(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

} // namespace

TEST(FloatingFooter, CalculationsOverTheDataRows)
{
    TExStringGrid g;
    Shape(g);
    for (int r = 1; r < 9; ++r) {
        g.SetCells(1, r, std::to_string(r));
        g.SetCells(2, r, r % 2 ? "a" : "b");
    }
    TFloatingFooter& ff = *g.FloatingFooter();
    ff.SetColumnCalc(0, acCOUNT);
    ff.SetColumnCalc(1, acSUM);
    ff.SetColumnCalc(2, acDISTINCT);
    ff.SetColumnCalc(3, acMAX);
    EXPECT_EQ(ff.GetColumnCalc(1), acSUM);
    // 1 fixed row and 10 rows: the 8 rows between, not the footer row.
    EXPECT_EQ(g.Cells(0, 9), "8");
    EXPECT_EQ(g.Floats(1, 9), 36.0);
    EXPECT_EQ(g.Floats(2, 9), 2.0);
    EXPECT_EQ(g.Floats(3, 9), 0.0);

    // A changed cell is taken in by the next calculation of all columns.
    g.SetCells(1, 8, "100");
    g.CalcFooter(-1);
    EXPECT_EQ(g.Floats(1, 9), 128.0);

    // A custom calculation asks the grid's event first, then the footer's.
    ff.SetColumnCalc(3, acCUSTOM);
    EXPECT_EQ(g.Cells(3, 9), "");
    std::vector<int> asked;
    ff.OnCalcFooter = [&](TObject*, int ACol, int ARow, std::string& v) {
        asked = {ACol, ARow};
        v = "footer";
    };
    g.CalcFooter(3);
    EXPECT_EQ(g.Cells(3, 9), "footer");
    EXPECT_EQ(asked, (std::vector<int>{3, 9}));
    g.OnFooterCalc = [](TObject*, int, int, std::string& v) { v = "grid"; };
    g.CalcFooter(3);
    EXPECT_EQ(g.Cells(3, 9), "grid");

    // Columns the grid does not have are no calculation.
    EXPECT_EQ(ff.GetColumnCalc(-1), acNONE);
    EXPECT_NO_THROW(g.CalcFooter(40));
    EXPECT_NO_THROW(g.CalcFooter(-7));
}

TEST(FloatingFooter, NoCalculationWhileHiddenOtherStyleOrSwitchedOff)
{
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        TExStringGrid g;
        Shape(g);
        g.SetCells(1, 1, "5");
        TFloatingFooter& ff = *g.FloatingFooter();
        if (mode == 0) ff.SetVisible(false);
        if (mode == 1) ff.SetFooterStyle(fsColumnPreview);
        if (mode == 2) ff.SetEnableCalculation(false);
        g.SetCells(1, 9, "kept");
        ff.SetColumnCalc(1, acSUM);
        g.CalcFooter(-1);
        EXPECT_EQ(g.Cells(1, 9), "kept");
    }
}

TEST(FloatingFooter, TemplateTakesTheCellsOfTheCurrentRow)
{
    TExStringGrid g;
    Shape(g);
    g.SetCells(2, 3, "42");
    g.SetCells(1, 3, "x");
    g.SetRow(3);
    struct Case {
        const char* tmpl;
        const char* shown;
    } cases[] = {
        {"Total: <#2>", "Total: 42"},
        {"<#1>/<#2>!", "x/42!"},
        {"a<#x>b", "ab"},          // not a number: dropped
        {"a<#>b", "ab"},
        {"Total: <#2", "Total: <#2"},  // no ">": the rest as it stands
        {"<#4>|<#99>|<#-1>|<#99999999999>", "|||"},  // no such column: empty
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(g.FloatingFooter()->ExpandTemplate(c.tmpl), c.shown) << c.tmpl;
    // A hidden column's text beyond the shown ones stays out of it.
    g.HideColumn(3);
    EXPECT_EQ(g.FloatingFooter()->ExpandTemplate("<#3>"), "");
}

TEST(FloatingFooter, StripHeightAndTheGridFlags)
{
    TExStringGrid g;
    TFloatingFooter& ff = *g.FloatingFooter();
    TFooterPanel& panel = g.FooterPanel();
    EXPECT_EQ(panel.Height, 0);
    EXPECT_EQ(g.FixedFooters, 0);
    ff.SetHeight(30);
    EXPECT_EQ(panel.Height, 29);
    ff.SetHeight(0); // leaves the panel as it is
    EXPECT_EQ(panel.Height, 29);
    ff.SetHeight(24);
    ff.SetVisible(true);
    EXPECT_EQ(panel.Height, 23);
    EXPECT_TRUE(panel.Visible);
    EXPECT_EQ(g.FixedFooters, 1);
    EXPECT_TRUE(g.HideLastRow);
    ff.SetFooterStyle(fsCustomPreview);
    EXPECT_FALSE(g.HideLastRow);
    ff.SetVisible(false);
    EXPECT_EQ(panel.Height, 0);
    EXPECT_EQ(g.FixedFooters, 0);

    TExStringGrid other;
    other.FloatingFooter()->Assign(&ff);
    EXPECT_EQ(other.FloatingFooter()->FooterStyle(), fsCustomPreview);
    EXPECT_FALSE(other.FloatingFooter()->Visible());
}

TEST(FloatingFooter, ClickAndHintNameTheScrolledColumn)
{
    TExStringGrid g;
    Shape(g);
    g.SetColCount(10);
    g.SetFixedCols(1);
    g.SetLeftCol(4);
    ASSERT_EQ(g.LeftCol(), 4);
    TFooterPanel& panel = g.FooterPanel();
    // Fixed column 0 (0..63), then columns 4, 5, ... from x = 64.
    std::vector<int> clicked;
    int clicks = 0;
    g.OnClick = [&](TObject*) { ++clicks; };
    g.OnClickCell = [&](TObject*, int ARow, int ACol) { clicked = {ARow, ACol}; };
    panel.MouseUp(64 + 64 + 10, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clicked, (std::vector<int>{9, 5}));
    EXPECT_EQ(panel.ColumnAt(10), 0);
    EXPECT_EQ(panel.ColumnAt(70), 4);
    EXPECT_EQ(panel.ColumnAt(64 + 6 * 64 + 5), -1); // beyond column 9

    g.OnGridHint = [](TObject*, int ARow, int ACol, std::string& h) { h = std::to_string(ARow) + ":" + std::to_string(ACol); };
    EXPECT_EQ(panel.HintShow(70), ""); // hints off
    EXPECT_EQ(panel.LastHintCol(), -1);
    g.FloatingFooter()->SetShowHint(true);
    EXPECT_EQ(panel.HintShow(70), "9:4");
    int cancelled = 0;
    panel.OnCancelHint = [&] { ++cancelled; };
    panel.MouseMove(80, 3); // same column
    EXPECT_EQ(cancelled, 0);
    panel.MouseMove(140, 3);
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(panel.LastHintCol(), 5);
    panel.MouseLeave();
    EXPECT_EQ(panel.LastHintCol(), -1);
}

TEST(FloatingFooter, PaintsTheSummaryRowAndThePreview)
{
    TExStringGrid g;
    Shape(g);
    g.SetSize(6 * 64, 10 * 22); // the strip is wider than the columns
    TFloatingFooter& ff = *g.FloatingFooter();
    ff.SetColor(RGB(0, 200, 0));
    for (int r = 1; r < 9; ++r) g.SetCells(1, r, "1111");
    ff.SetColumnCalc(1, acSUM);
    ASSERT_EQ(g.Floats(1, 9), 8888.0);
    const int W = g.ClientWidth(), H = 24;
    TFooterPanel& panel = g.FooterPanel();
    auto picture = [&] {
        TBitmap b(W, H);
        b.Canvas().Brush().SetColor(clWhite);
        b.Canvas().FillRect({0, 0, W, H});
        panel.Paint(b.Canvas(), W);
        b.Canvas().Flush();
        return b;
    };
    // Dark pixels of the text, away from the cells' edges.
    auto dark = [](const TBitmap& b, int x0, int x1) {
        int n = 0;
        for (int y = 4; y < b.Height() - 4; ++y)
            for (int x = x0; x < x1; ++x) n += Luma(b.Pixel(x, y)) < 3 * 100;
        return n;
    };
    TBitmap pic = picture();
    // Right of the columns: the grid's colour.
    EXPECT_EQ(pic.Pixel(W - 10, H / 2), ColorToRGB(g.Color()));
    // Column 1 shows the sum's text; column 2, without a calculation, none.
    EXPECT_GT(dark(pic, 64 + 2, 128 - 2), 20);
    EXPECT_EQ(dark(pic, 128 + 2, 192 - 2), 0);

    // The preview of the current row's template.
    g.SetCells(2, 4, "WWWW");
    g.SetRow(4);
    ff.SetFooterStyle(fsCustomPreview);
    ff.SetCustomTemplate("<#2>");
    pic = picture();
    EXPECT_EQ(pic.Pixel(W - 10, H / 2), ColorToRGB(g.Color()));
    EXPECT_GT(dark(pic, 2, 120), 20);
    EXPECT_EQ(pic.Pixel(100, H / 2), 0x00C800u); // the footer's colour behind the text

    // The application's own painting.
    ff.SetFooterStyle(fsCustomPaint);
    ff.SetColumn(2);
    int painted = -1;
    g.OnFooterPaint = [&](TObject*, int ACol, TCanvas& C, const TRect& R) {
        painted = ACol;
        C.Brush().SetColor(clRed);
        C.FillRect(R);
    };
    pic = picture();
    EXPECT_EQ(painted, 2);
    EXPECT_EQ(pic.Pixel(W - 10, H / 2), ColorToRGB(clRed));
}

TEST(FloatingFooter, AnEditTypedIntoACellRecalculatesTheFooter)
{
    TExStringGrid g;
    Shape(g);
    g.SetOptions(g.Options() + goEditing);
    g.FloatingFooter()->SetColumnCalc(1, acSUM);
    TGridView view(&g);
    view.SetBounds(0, 0, 4 * 64 + 20, 10 * 22 + 20);
    view.Show();
    ActivateWindowOf(view);
    const TRect cell = g.CellRect(1, 2);
    SendMouseDown(view, cell.Left + 5, cell.Top + 5);
    SendMouseUp(view, cell.Left + 5, cell.Top + 5);
    ASSERT_EQ(g.Col(), 1);
    ASSERT_EQ(g.Row(), 2);
    // The first digit opens the editor, the rest go to whatever has the
    // focus then, as a person types them.
    TypeKeys(view, "25");
    PressKey(view, VK_RETURN);
    EXPECT_EQ(g.Cells(1, 2), "25");
    EXPECT_EQ(g.Floats(1, 9), 25.0);
}

// The strip as a part of the grid's window: right below the cells, as wide
// as they are, following the window's size, the scrolling and the edits,
// and taking clicks where a person clicks it.
TEST(FloatingFooter, TheStripOfAShownGridSitsBelowTheCellsAndFollowsThem)
{
    TExStringGrid g;
    g.SetColCount(10);
    g.SetRowCount(8);
    g.SetOptions(g.Options() + goEditing);
    TGridView view(&g);
    view.SetBounds(0, 0, 400, 220);
    view.Show();
    ActivateWindowOf(view);
    const int cellsHigh = view.CellAreaBounds().Bottom - view.CellAreaBounds().Top;
    EXPECT_TRUE(IsRectEmpty(view.BottomStripBounds()));

    TFloatingFooter& ff = *g.FloatingFooter();
    ff.SetHeight(25);
    ff.SetVisible(true);
    TRect strip = view.BottomStripBounds();
    TRect cells = view.CellAreaBounds();
    EXPECT_EQ(strip.Bottom - strip.Top, 24);
    EXPECT_EQ(strip.Top, cells.Bottom);
    EXPECT_EQ(strip.Left, cells.Left);
    EXPECT_EQ(strip.Right, cells.Right);
    // The cell area made room for it, and the grid knows.
    EXPECT_EQ(cells.Bottom - cells.Top, cellsHigh - 24);
    EXPECT_EQ(g.ClientHeight(), cellsHigh - 24);

    // What the strip shows is on the window, where the strip is.
    std::vector<int> painted;
    g.OnFooterPaint = [&](TObject*, int ACol, TCanvas& C, const TRect& R) {
        painted.push_back(ACol);
        C.Brush().SetColor(clRed);
        C.FillRect(R);
    };
    TBitmap shot = ControlImage(&view);
    EXPECT_EQ(shot.Pixel(cells.Left + 64 + 20, strip.Top + 12), ColorToRGB(clRed));
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.front(), 1);

    // Scrolled sideways: the strip shows the columns from the new left one.
    g.SetLeftCol(4);
    painted.clear();
    shot = ControlImage(&view);
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.front(), 4);

    // A click over the second scrolled column names that column and the
    // footer row.
    std::vector<int> clicked;
    g.OnClickCell = [&](TObject*, int ARow, int ACol) { clicked = {ARow, ACol}; };
    SendStripClick(view, 64 + 64 + 10, 5);
    EXPECT_EQ(clicked, (std::vector<int>{7, 5}));
    // Hints of the strip come from OnGridHint, for the column under the
    // pointer, once the footer shows hints.
    std::vector<int> hinted;
    g.OnGridHint = [&](TObject*, int ARow, int ACol, std::string& h) {
        hinted = {ARow, ACol};
        h = "footer";
    };
    ff.SetShowHint(true);
    SendStripHintRequest(view, 70, 5);
    EXPECT_EQ(hinted, (std::vector<int>{7, 4}));
    EXPECT_EQ(g.FooterPanel().LastHintCol(), 4);
    SendStripMouseLeave(view);
    EXPECT_EQ(g.FooterPanel().LastHintCol(), -1);

    // A wider window: the strip grows with the cells.
    view.SetBounds(0, 0, 520, 260);
    strip = view.BottomStripBounds();
    cells = view.CellAreaBounds();
    EXPECT_EQ(strip.Right - strip.Left, cells.Right - cells.Left);
    EXPECT_EQ(strip.Top, cells.Bottom);

    // An edit typed into a cell recalculates the footer and repaints the
    // strip.
    g.OnFooterPaint = nullptr;
    g.SetLeftCol(1);
    ff.SetColumnCalc(1, acSUM);
    const TRect cell = g.CellRect(1, 2);
    SendClick(view, cell.Left + 5, cell.Top + 5);
    TypeKeys(view, "7");
    PressKey(view, VK_RETURN);
    EXPECT_EQ(g.Floats(1, 7), 7.0);
    int repaints = 0;
    g.OnFooterPaint = [&](TObject*, int, TCanvas&, const TRect&) { ++repaints; };
    Application_ProcessMessages();
    repaints = 0;
    g.SetCells(1, 3, "5");
    g.CalcFooter(1);
    Application_ProcessMessages();
    EXPECT_GT(repaints, 0);
    EXPECT_EQ(g.Floats(1, 7), 12.0);

    // Hidden again: the strip goes and the cells take the room back.
    ff.SetVisible(false);
    EXPECT_TRUE(IsRectEmpty(view.BottomStripBounds()));
    EXPECT_EQ(view.CellAreaBounds().Bottom, strip.Bottom);
}
