#include "widgets/ExStringGrid.h"
#include "widgets/GridUtil.h"

#include "platform/Application.h"
#include "platform/GridView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A grid of one fixed row and one fixed column whose rows 1.. hold the
// given texts in column 1 (and the row's text + "-x" in column x > 1).
void FillRows(TExStringGrid& g, const std::vector<std::string>& texts, int cols = 4)
{
    g.SetColCount(cols);
    g.SetRowCount(static_cast<int>(texts.size()) + 1);
    for (size_t i = 0; i < texts.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.SetCells(1, r, texts[i]);
        for (int c = 2; c < cols; ++c) g.SetCells(c, r, texts[i] + "-" + std::to_string(c));
    }
}

std::string Column1(TExStringGrid& g)
{
    std::string s;
    for (int r = 1; r < g.RowCount(); ++r) s += g.Cells(1, r).empty() ? "_" : g.Cells(1, r);
    return s;
}

} // namespace

TEST(ExStringGridMoves, MoveRowsLandsTheBlockWhereExpected)
{
    struct Case {
        int from, to, count;
        const char* expected;
    } cases[] = {
        {1, 5, 2, "CDABEF"}, // lands before the row that was at 5
        {1, 2, 2, "CABDEF"}, // target inside the block: the block starts there
        {4, 1, 2, "DEABCF"}, // upwards
        {2, 5, 2, "ADBCEF"},
        {2, 6, 2, "ADEBCF"},
        {2, 4, 2, "ADEBCF"}, // FromIndex + Count = ToIndex: the block starts at ToIndex
        {3, 3, 2, "ABCDEF"}, // same place
        {1, 4, 0, "ABCDEF"}, // nothing to move
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        FillRows(g, {"A", "B", "C", "D", "E", "F"});
        g.MoveRows(c.from, c.to, c.count);
        EXPECT_EQ(Column1(g), c.expected) << c.from << "," << c.to << "," << c.count;
        // Every cell of a row went with it.
        for (int r = 1; r < g.RowCount(); ++r) EXPECT_EQ(g.Cells(3, r), g.Cells(1, r) + "-3") << r;
    }
}

TEST(ExStringGridMoves, OutOfRangeMovesAreRefusedAndChangeNothing)
{
    struct Case {
        int from, to, count;
    } cases[] = {
        {-1, 3, 1}, {6, 1, 2}, {1, 9, 2}, {2, 1, -1}, {1, -3, 1},
        {5, 6, 2}, // E, F would start at 6: no room below the last row
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        FillRows(g, {"A", "B", "C", "D", "E", "F"});
        EXPECT_THROW(g.MoveRows(c.from, c.to, c.count), EExGridError) << c.from << "," << c.to << "," << c.count;
        EXPECT_EQ(Column1(g), "ABCDEF");
    }
    TExStringGrid g;
    FillRows(g, {"A", "B"});
    EXPECT_THROW(g.MoveRow(1, 3), EExGridError);
    EXPECT_THROW(g.SwapRows(0, 3), EExGridError);
    EXPECT_THROW(g.SwapColumns(-1, 2), EExGridError);
    EXPECT_THROW(g.SortSwapRows(1, 7), EExGridError);
    EXPECT_EQ(Column1(g), "AB");
}

// Cells of hidden columns live at their real index, past the displayed
// columns: a grid whose store holds cells beyond ColCount is what the rule
// windows have while columns are hidden.
TEST(ExStringGridMoves, RowMovesCarryTheCellsOfHiddenColumns)
{
    auto make = [](TExStringGrid& g) {
        FillRows(g, {"A", "B", "C", "D", "E", "F"});
        for (int r = 1; r < g.RowCount(); ++r) g.SetCells(6, r, "hidden " + g.Cells(1, r)); // ColCount is 4
    };
    auto check = [](TExStringGrid& g, const char* what) {
        for (int r = 1; r < g.RowCount(); ++r) EXPECT_EQ(g.Cells(6, r), "hidden " + g.Cells(1, r)) << what << r;
    };
    {
        TExStringGrid g;
        make(g);
        g.MoveRows(1, 5, 2);
        EXPECT_EQ(Column1(g), "CDABEF");
        check(g, "MoveRows ");
    }
    {
        TExStringGrid g;
        make(g);
        g.MoveRow(6, 2);
        EXPECT_EQ(Column1(g), "AFBCDE");
        check(g, "MoveRow ");
    }
    {
        TExStringGrid g;
        make(g);
        g.SwapRows(1, 6);
        EXPECT_EQ(Column1(g), "FBCDEA");
        check(g, "SwapRows ");
    }
    {
        TExStringGrid g;
        make(g);
        g.SortSwapRows(2, 3);
        EXPECT_EQ(Column1(g), "ACBDEF");
        check(g, "SortSwapRows ");
    }
}

TEST(ExStringGridMoves, RowMovesCarryHiddenColumnsHiddenByTheGrid)
{
    TExStringGrid g;
    FillRows(g, {"A", "B", "C"}, 5);
    g.HideColumn(3);
    ASSERT_EQ(g.ColCount(), 4);
    g.SwapRows(1, 3);
    EXPECT_EQ(Column1(g), "CBA");
    g.MoveRows(1, 3, 1);
    EXPECT_EQ(Column1(g), "BCA");
    g.SortSwapRows(1, 2);
    EXPECT_EQ(Column1(g), "CBA");
    // Columns are addressed by their real index: the hidden column 3 and the
    // shown column 4 behind it stayed with their rows.
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(g.Cells(3, r), g.Cells(1, r) + "-3") << r;
        EXPECT_EQ(g.Cells(4, r), g.Cells(1, r) + "-4") << r;
    }
    g.UnHideColumn(3);
    EXPECT_EQ(g.Cells(3, 1), "C-3");
}

TEST(ExStringGridMoves, SwappingTwiceRestoresTheGrid)
{
    TExStringGrid g;
    FillRows(g, {"A", "B", "C", "D"}, 5);
    g.SetRowHeights(1, 40);
    g.SetColWidths(1, 90);
    g.GetCellProperties(1, 1)->FontColor = 0x123456;
    TObject marker;
    g.ControlList().AddControl(3, 1, &marker);

    g.SwapRows(1, 3);
    EXPECT_EQ(Column1(g), "CBAD");
    EXPECT_EQ(g.RowHeights(3), 40);
    EXPECT_EQ(g.RowHeights(1), 22);
    ASSERT_NE(g.FindCellProperties(1, 3), nullptr);
    EXPECT_EQ(g.FindCellProperties(1, 3)->FontColor, TColor(0x123456));
    // The property object knows its new place (it repaints there).
    EXPECT_EQ(g.FindCellProperties(1, 3)->OwnerRow, 3);
    EXPECT_EQ(g.FindCellProperties(1, 1), nullptr);
    EXPECT_EQ(g.ControlList().Control(0)->FY, 3);
    g.SwapRows(1, 3);
    EXPECT_EQ(Column1(g), "ABCD");
    EXPECT_EQ(g.RowHeights(1), 40);
    EXPECT_EQ(g.FindCellProperties(1, 1)->OwnerRow, 1);
    EXPECT_EQ(g.ControlList().Control(0)->FY, 1);

    g.SwapColumns(1, 3);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(g.Cells(3, r), std::string(1, char('A' + r - 1))) << r;
        EXPECT_EQ(g.Cells(1, r), g.Cells(3, r) + "-3") << r;
        EXPECT_EQ(g.Cells(2, r), g.Cells(3, r) + "-2") << r; // untouched
        EXPECT_EQ(g.Cells(4, r), g.Cells(3, r) + "-4") << r;
    }
    EXPECT_EQ(g.ColWidths(3), 90);
    EXPECT_EQ(g.ColWidths(1), 64);
    EXPECT_EQ(g.FindCellProperties(3, 1)->OwnerCol, 3);
    EXPECT_EQ(g.ControlList().Control(0)->FX, 1);
    g.SwapColumns(1, 3);
    EXPECT_EQ(Column1(g), "ABCD");
    EXPECT_EQ(g.Cells(3, 2), "B-3");
    EXPECT_EQ(g.ColWidths(1), 90);
    EXPECT_EQ(g.FindCellProperties(1, 1)->FontColor, TColor(0x123456));
    EXPECT_EQ(g.ControlList().Control(0)->FX, 3);
}

TEST(ExStringGridMoves, MoveRowRenumbersControlsAndProperties)
{
    TExStringGrid g;
    FillRows(g, {"A", "B", "C", "D", "E"});
    TObject c1, c2, c3;
    g.ControlList().AddControl(1, 2, &c1); // moved row
    g.ControlList().AddControl(1, 4, &c2); // between: one up
    g.ControlList().AddControl(1, 5, &c3); // below the move: stays
    g.GetCellProperties(2, 2)->FontSize = 14;
    g.MoveRow(2, 4);
    EXPECT_EQ(Column1(g), "ACDBE");
    EXPECT_EQ(g.ControlList().Control(0)->FY, 4);
    EXPECT_EQ(g.ControlList().Control(1)->FY, 3);
    EXPECT_EQ(g.ControlList().Control(2)->FY, 5);
    ASSERT_NE(g.FindCellProperties(2, 4), nullptr);
    EXPECT_EQ(g.FindCellProperties(2, 4)->FontSize, 14);
    EXPECT_EQ(g.FindCellProperties(2, 4)->OwnerRow, 4);
}

TEST(ExStringGridMoves, MoveColumnRecordsTheOrderAndMovesControls)
{
    TExStringGrid g;
    FillRows(g, {"A", "B"}, 5);
    TObject c1;
    g.ControlList().AddControl(1, 1, &c1);
    g.MoveColumn(1, 3);
    EXPECT_EQ(g.Cells(3, 1), "A");
    EXPECT_EQ(g.Cells(1, 1), "A-2");
    EXPECT_EQ(g.ControlList().Control(0)->FX, 3);
}

TEST(ExStringGridMoves, SortSwapCountsAndFollowsTheSortRowAndCrossReference)
{
    TExStringGrid g;
    FillRows(g, {"A", "B", "C"});
    for (int i = 0; i < g.RowCount(); ++i) g.SortRowXRef().Add(i * 10);
    g.SortRow = 1;
    g.SortSwapRows(1, 3);
    g.SortSwapRows(2, 2);
    EXPECT_EQ(g.SortSwapCount(), 2);
    EXPECT_EQ(Column1(g), "CBA");
    EXPECT_EQ(g.SortRowXRef().Items(1), 30);
    EXPECT_EQ(g.SortRowXRef().Items(3), 10);
    EXPECT_EQ(g.SortRow, 3);
}

TEST(ExStringGridMoves, AutoNumberCol)
{
    struct Case {
        TSortDirection dir;
        int start, offset;
        std::vector<std::string> expected; // rows 1..4
    } cases[] = {
        {sdAscending, 0, 0, {"1", "2", "3", "4"}},
        {sdDescending, 0, 0, {"4", "3", "2", "1"}},
        {sdAscending, 2, 0, {"x", "x", "3", "4"}},
        {sdAscending, 0, 10, {"11", "12", "13", "14"}},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        g.SetRowCount(5);
        for (int r = 1; r < 5; ++r) g.SetCells(0, r, "x");
        g.AutoNumberDirection = c.dir;
        g.AutoNumberStart = c.start;
        g.AutoNumberOffset = c.offset;
        g.AutoNumberCol(0);
        for (int r = 1; r < 5; ++r) EXPECT_EQ(g.Cells(0, r), c.expected[size_t(r - 1)]) << r;
    }
    // A footer row is left alone.
    TExStringGrid g;
    g.SetRowCount(5);
    g.FixedFooters = 1;
    g.AutoNumberCol(1);
    EXPECT_EQ(g.Cells(1, 3), "3");
    EXPECT_EQ(g.Cells(1, 4), "");
}

TEST(ExStringGridMoves, SelectedTextJoinsColumnsWithTabsAndRowsWithCRLF)
{
    TExStringGrid g;
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "b");
    g.SetCells(1, 2, "c");
    g.SetCells(2, 2, "d");
    g.SelectCells(1, 1, 2, 2);
    EXPECT_EQ(g.SelectedText(), "a\tb\r\nc\td");
    g.SelectCells(2, 2, 1, 1); // corners in either order
    EXPECT_EQ(g.SelectedText(), "a\tb\r\nc\td");

    g.SetCells(2, 1, "two\r\nlines");
    g.Multilinecells = true;
    g.SelectCells(1, 1, 2, 1);
    EXPECT_EQ(g.SelectedText(), "a\ttwo\r\nlines");
    g.ExcelClipboardFormat = true;
    EXPECT_EQ(g.SelectedText(), "a\t" + QuoteMultiLine("two\r\nlines")); // quoted for spreadsheets

    EXPECT_THROW(g.SelectCells(1, 1, 9, 1), EExGridError);
}

TEST(ExStringGridMoves, IsSelected)
{
    TExStringGrid g;
    g.SelectCells(1, 2, 3, 4);
    struct Case {
        int c, r;
        bool sel;
    } cases[] = {{1, 2, true}, {3, 4, true}, {2, 3, true}, {4, 4, false}, {1, 5, false}, {0, 3, false}, {2, 0, false}};
    for (const auto& c : cases) EXPECT_EQ(g.IsSelected(c.c, c.r), c.sel) << c.c << "," << c.r;
}

TEST(ExStringGridMoves, HideAndUnHideSelection)
{
    TExStringGrid g;
    g.SelectCells(1, 2, 3, 4);
    g.HideSelection();
    EXPECT_TRUE(g.SelectionHidden());
    EXPECT_FALSE(g.IsSelected(2, 3));
    g.HideSelection(); // hiding twice keeps the first saved selection
    g.UnHideSelection();
    EXPECT_FALSE(g.SelectionHidden());
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 3, 4}));

    // Rows removed meanwhile: a block whose top still exists is cut.
    g.HideSelection();
    g.SetRowCount(4);
    g.UnHideSelection();
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 3, 3}));

    // The old top row is gone: the first normal cell.
    g.SelectCells(2, 3, 2, 3);
    g.HideSelection();
    g.SetRowCount(3);
    g.UnHideSelection();
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST(ExStringGridMoves, SaveRange)
{
    TExStringGrid g; // 5 columns, 10 rows, one fixed row and column
    g.FixedRightCols = 1;
    g.FixedFooters = 2;
    struct Case {
        bool cells, cols, rows;
        int startCol, startRow, endCol, endRow, colCount, rowCount;
    } cases[] = {
        {true, false, false, 0, 0, 4, 9, 5, 10},
        {false, false, false, 1, 1, 3, 7, 3, 7},
        {false, true, false, 0, 1, 4, 7, 5, 7},
        {false, false, true, 1, 0, 3, 9, 3, 10},
    };
    for (const auto& c : cases) {
        g.SaveFixedCells = c.cells;
        g.SaveFixedCols = c.cols;
        g.SaveFixedRows = c.rows;
        EXPECT_EQ(g.SaveStartCol(), c.startCol);
        EXPECT_EQ(g.SaveStartRow(), c.startRow);
        EXPECT_EQ(g.SaveEndCol(), c.endCol);
        EXPECT_EQ(g.SaveEndRow(), c.endRow);
        EXPECT_EQ(g.SaveColCount(), c.colCount);
        EXPECT_EQ(g.SaveRowCount(), c.rowCount);
    }
}

TEST(ExStringGridMoves, ScrollInView)
{
    TExStringGrid g;
    g.SetRowCount(100);
    g.SetColCount(30);
    g.SetCol(2);
    g.SetRow(3);
    g.ScrollInView(2, 4); // visible: nothing moves
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.TopRow(), 1);

    g.ScrollInView(2, 60);
    EXPECT_EQ(g.Row(), 60);
    EXPECT_GT(g.TopRow(), 1);
    EXPECT_LT(g.TopRow(), 60); // centred, not at the top
    EXPECT_GE(60, g.TopRow());
    EXPECT_LT(60, g.TopRow() + g.VisibleRowCount());

    g.ScrollInView(200, 2); // outside the grid: nothing
    EXPECT_EQ(g.Row(), 60);
}

TEST(ExStringGridMoves, SizingEdgeAndScreenToCell)
{
    TExStringGrid g;
    g.SetOptions(g.Options() + goColSizing + goRowSizing);
    const TRect r = g.TCustomGrid::CellRect(2, 0); // a fixed-row cell
    EXPECT_TRUE(g.IsOnSizingEdge(r.Right - 1, r.Top + 5));
    EXPECT_FALSE(g.IsOnSizingEdge(r.Left + 20, r.Top + 5));
    const TRect n = g.TCustomGrid::CellRect(2, 3); // a normal cell
    EXPECT_FALSE(g.IsOnSizingEdge(n.Right - 1, n.Top + 5));
    const TRect f = g.TCustomGrid::CellRect(0, 3); // a fixed-column cell
    EXPECT_TRUE(g.IsOnSizingEdge(f.Left + 5, f.Bottom - 1));
    EXPECT_FALSE(g.IsOnSizingEdge(-5, -5));

    int c = 0, row = 0;
    g.ScreenToCell({n.Left + 3, n.Top + 3}, c, row); // no window: screen = client
    EXPECT_EQ(c, 2);
    EXPECT_EQ(row, 3);
    g.ScreenToCell({5000, 5000}, c, row);
    EXPECT_EQ(c, -1);
    EXPECT_EQ(row, -1);
}

// The hidden selection lies outside the cells: a shown grid paints and
// takes keys from there without touching a cell that does not exist.
TEST(ExStringGridMoves, HiddenSelectionOnAShownGrid)
{
    TStringGrid plain;
    plain.SetColCount(4);
    plain.SetRowCount(6);
    plain.SetOptions(plain.Options() + goRowSelect);
    TGridView view(&plain);
    view.SetBounds(0, 0, 300, 200);
    view.Show();
    plain.SetSelectionOutside();
    plain.Repaint();
    Application_ProcessMessages();
    int key = VK_DOWN;
    try {
        plain.HandleKeyDown(key, TShiftState());
    } catch (const Exception&) {
        // A refused move is fine; memory errors are what this looks for.
    }
    plain.Repaint();
    Application_ProcessMessages();
    plain.SetSelection({1, 2, 1, 2});
    EXPECT_EQ(plain.Row(), 2);
}

TEST(ExStringGridMoves, SortSwapTakesSelectionAndModifiedFlagsAlongWhenAsked)
{
    TExStringGrid g;
    FillRows(g, {"A", "B", "C"});
    g.MouseActions().SetDisjunctRowSelect(true);
    g.ShowModified().Enabled = true;
    g.SetRowSelect(1, true);
    g.SetRowModified(1, true);
    g.SortSwapRows(1, 3); // selection stays in place unless rows move on sort
    EXPECT_TRUE(g.RowSelect(1));
    EXPECT_FALSE(g.RowSelect(3));
    EXPECT_TRUE(g.RowModified(3));
    EXPECT_FALSE(g.RowModified(1));

    g.Navigation().MoveRowOnSort = true;
    g.SortSwapRows(1, 3);
    EXPECT_FALSE(g.RowSelect(1));
    EXPECT_TRUE(g.RowSelect(3));
    EXPECT_TRUE(g.RowModified(1));
    EXPECT_EQ(Column1(g), "ABC");
}
