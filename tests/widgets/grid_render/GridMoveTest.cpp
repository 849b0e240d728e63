// Columns and rows moved with the mouse and by the program: what belongs to
// a column or row (its width or height, the current column, the sort column
// and sort list, hidden flags, a linked grid) follows it.

#include "widgets/ExStringGrid.h"
#include "widgets/GridSettings.h"
#include "widgets/grid_io/SortSettings.h"
#include "widgets/GridWindows.h"
#include "widgets/grid_render/FloatingFooter.h"
#include "widgets/grid_render/HeaderDragButton.h"

#include "platform/ControlInput.h"
#include "platform/GridView.h"
#include "platform/Input.h"
#include "platform/WindowImage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

const TShiftState Held{ssLeft};
const TShiftState NoKeys{};

TPoint Mid(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// A grid of 8 columns (widths 40, 41, ... 47) and 6 rows on a window of its
// own; cell (c, r) holds "c/r".
struct MoveGrid {
    MoveGrid()
    {
        grid.SetColCount(8);
        grid.SetRowCount(6);
        for (int c = 0; c < 8; ++c) {
            grid.SetColWidths(c, 40 + c);
            for (int r = 0; r < 6; ++r) grid.SetCells(c, r, std::to_string(c) + "/" + std::to_string(r));
        }
        grid.SetOptions(grid.Options() + goColMoving + goRowMoving);
        view = std::make_unique<TGridView>(&grid);
        view->SetBounds(0, 0, 520, 220);
        view->Show();
    }
    ~MoveGrid() { view.reset(); }
    // Presses on the heading of column From, drags it over column To in a
    // few movements and releases it there.
    void DragColumn(int From, int To)
    {
        const TPoint a = Mid(grid.CellRect(From, 0));
        const TPoint b = Mid(grid.CellRect(To, 0));
        SendMouseMove(*view, a.X, a.Y, NoKeys);
        SendMouseDown(*view, a.X, a.Y);
        SendMouseMove(*view, (a.X + b.X) / 2, a.Y, Held);
        SendMouseMove(*view, b.X, b.Y, Held);
        SendMouseUp(*view, b.X, b.Y);
    }
    void DragRow(int From, int To)
    {
        const TPoint a = Mid(grid.CellRect(0, From));
        const TPoint b = Mid(grid.CellRect(0, To));
        SendMouseMove(*view, a.X, a.Y, NoKeys);
        SendMouseDown(*view, a.X, a.Y);
        SendMouseMove(*view, a.X, (a.Y + b.Y) / 2, Held);
        SendMouseMove(*view, b.X, b.Y, Held);
        SendMouseUp(*view, b.X, b.Y);
    }
    std::vector<int> Widths() const
    {
        std::vector<int> w;
        for (int c = 0; c < grid.ColCount(); ++c) w.push_back(grid.ColWidths(c));
        return w;
    }
    TExStringGrid grid;
    std::unique_ptr<TGridView> view;
};

} // namespace

// --- moving a column with the mouse ------------------------------------------------------

TEST(GridMove, DraggingAHeadingMovesTheColumnWithItsWidthCurrentColumnAndSortColumn)
{
    struct Case {
        int from, to;
        int current, currentAfter;
        int sortCol, sortAfter;
    };
    const Case cases[] = {
        {2, 5, 2, 5, 5, 4}, {2, 5, 3, 2, 2, 5}, {2, 5, 5, 4, 3, 2}, {2, 5, 6, 6, 6, 6},
        {5, 2, 2, 3, 5, 2}, {5, 2, 5, 2, 4, 5}, {5, 2, 1, 1, -1, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("move " + std::to_string(k.from) + " to " + std::to_string(k.to) + ", current " +
                     std::to_string(k.current));
        MoveGrid m;
        ASSERT_TRUE(m.grid.EnhRowColMove);
        m.grid.FocusCell(k.current, 2, true);
        m.grid.SortSettings().Column = k.sortCol;
        std::vector<int> want = m.Widths();
        const int moved = want[static_cast<std::size_t>(k.from)];
        want.erase(want.begin() + k.from);
        want.insert(want.begin() + k.to, moved);
        Log log;
        m.grid.OnColumnMoving = [&](TObject*, int c, bool&) { log.push_back("moving " + std::to_string(c)); };
        m.grid.OnColumnMoved = [&](TObject*, int f, int t) {
            log.push_back("moved " + std::to_string(f) + " " + std::to_string(t));
        };

        m.DragColumn(k.from, k.to);

        EXPECT_EQ(m.Widths(), want);
        EXPECT_EQ(m.grid.Col(), k.currentAfter);
        EXPECT_EQ(m.grid.Row(), 2);
        EXPECT_EQ(m.grid.SortSettings().Column, k.sortAfter);
        EXPECT_EQ(m.grid.Cells(k.to, 1), std::to_string(k.from) + "/1");
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back(), "moved " + std::to_string(k.from) + " " + std::to_string(k.to));
        EXPECT_EQ(log.front().rfind("moving ", 0), 0u);
        // The move is over: the pointer shows no drag, the grid is idle.
        EXPECT_EQ(ScreenCursor(), crDefault);
        EXPECT_EQ(m.grid.GridState(), gsNormal);
    }
}

TEST(GridMove, AColumnMoveRefusedWhileMovingOrAtItsStartMovesNothing)
{
    for (const bool atStart : {false, true}) {
        SCOPED_TRACE(atStart ? "OnColumnMove" : "OnColumnMoving");
        MoveGrid m;
        const std::vector<int> widths = m.Widths();
        if (atStart)
            m.grid.OnColumnMove = [](TObject*, int, bool& allow) { allow = false; };
        else
            m.grid.OnColumnMoving = [](TObject*, int c, bool& allow) { allow = c != 5; };
        m.DragColumn(2, 5);
        EXPECT_EQ(m.Widths(), widths);
        EXPECT_EQ(m.grid.Cells(2, 1), "2/1");
        EXPECT_EQ(m.grid.Cells(5, 1), "5/1");
        EXPECT_EQ(ScreenCursor(), crDefault);
        EXPECT_EQ(m.grid.GridState(), gsNormal);
    }
}

TEST(GridMove, DraggingARowHeadingMovesTheRowWithItsHeightButNotOntoAFooterRow)
{
    MoveGrid m;
    m.grid.SetRowHeights(2, 30);
    m.grid.SetRowHeights(4, 26);
    m.grid.FocusCell(3, 2, true);
    Log log;
    m.grid.OnRowMoving = [&](TObject*, int r, bool&) { log.push_back("moving " + std::to_string(r)); };
    m.grid.OnRowMoved = [&](TObject*, int f, int t) {
        // The row's height has arrived when the event fires.
        log.push_back("moved " + std::to_string(f) + " " + std::to_string(t) + " h" +
                      std::to_string(m.grid.RowHeights(t)));
    };
    m.DragRow(2, 4);
    EXPECT_EQ(m.grid.Cells(1, 4), "1/2");
    EXPECT_EQ(m.grid.Cells(1, 2), "1/3");
    EXPECT_EQ(m.grid.RowHeights(4), 30);
    EXPECT_EQ(m.grid.RowHeights(3), 26);
    // The current row stays where it was.
    EXPECT_EQ(m.grid.Row(), 2);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "moved 2 4 h30");

    // A footer that keeps the last row in view: no row takes its place.
    m.grid.FloatingFooter()->SetHeight(20);
    m.grid.FloatingFooter()->SetVisible(true);
    log.clear();
    m.grid.MoveRow(1, 5);
    EXPECT_EQ(m.grid.Cells(1, 5), "1/5");
    EXPECT_EQ(m.grid.Cells(1, 1), "1/1");
    EXPECT_TRUE(log.empty());
    // Moving it elsewhere still works.
    m.grid.MoveRow(1, 2);
    EXPECT_EQ(m.grid.Cells(1, 2), "1/1");
}

TEST(GridMove, WhileAColumnIsDraggedItsCaptionFollowsAndArrowsMarkThePlace)
{
    MoveGrid m;
    TExStringGrid& g = m.grid;
    const TRect h2 = g.CellRect(2, 0);
    const TPoint a{h2.Left + 10, h2.Top + 5};
    SendMouseMove(*m.view, a.X, a.Y, NoKeys);
    SendMouseDown(*m.view, a.X, a.Y);
    const TPoint b = Mid(g.CellRect(4, 0));
    SendMouseMove(*m.view, b.X, b.Y, Held);
    THeaderDragButton* button = g.MoveButton();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->Visible());
    EXPECT_EQ(button->Caption(), "2/0");
    EXPECT_EQ(button->Width(), g.ColWidths(2));
    // Held where it was taken: 10 pixels left of the pointer.
    EXPECT_EQ(button->Left(), g.ClientToScreen(b).X - 10);
    EXPECT_EQ(ScreenCursor(), crDrag);

    // The arrows follow one movement behind: over column 5 they mark the
    // right edge of column 4, below and above its heading.
    const TPoint c = Mid(g.CellRect(5, 0));
    SendMouseMove(*m.view, c.X, c.Y, Held);
    TArrowWindow* up = g.MoveArrow(arrUp);
    TArrowWindow* down = g.MoveArrow(arrDown);
    ASSERT_TRUE(up && down);
    EXPECT_TRUE(up->Visible());
    EXPECT_TRUE(down->Visible());
    const TRect h4 = g.CellRect(4, 0);
    const TPoint tl = g.ClientToScreen({h4.Left, h4.Top});
    const TPoint br = g.ClientToScreen({h4.Right, h4.Bottom});
    EXPECT_EQ(up->Left(), tl.X + g.ColWidths(4) - 5);
    EXPECT_EQ(up->Top(), br.Y);
    EXPECT_EQ(down->Top(), tl.Y - 8);
    EXPECT_FALSE(g.MoveArrow(arrLeft)->Visible());

    // The release drops the column and takes the feedback away.
    SendMouseUp(*m.view, c.X, c.Y);
    EXPECT_FALSE(button->Visible());
    EXPECT_FALSE(up->Visible());
    EXPECT_FALSE(down->Visible());
    EXPECT_EQ(g.Cells(5, 1), "2/1");

    // A row: the caption is the row's heading, the arrows stand left and
    // right of the row heading.
    m.DragRow(4, 2);
    EXPECT_EQ(button->Caption(), "0/4");
    EXPECT_FALSE(g.MoveArrow(arrLeft)->Visible());
    EXPECT_EQ(g.Cells(1, 2), "1/4");
}

// --- moves by the program ------------------------------------------------------------------

TEST(GridMove, WithoutEnhRowColMoveAProgramMoveLeavesTheWidthsInPlace)
{
    MoveGrid m;
    m.grid.EnhRowColMove = false;
    const std::vector<int> widths = m.Widths();
    m.grid.SetRowHeights(1, 33);
    m.grid.MoveColumn(2, 5);
    m.grid.MoveRow(1, 3);
    EXPECT_EQ(m.Widths(), widths);
    EXPECT_EQ(m.grid.RowHeights(1), 33);
    EXPECT_EQ(m.grid.Cells(5, 0), "2/0");
    EXPECT_EQ(m.grid.Cells(5, 3), "2/1");
}

TEST(GridMove, WithHiddenColumnsTheEventAndTheSortListNameRealColumns)
{
    TExStringGrid g;
    g.SetColCount(9);
    g.SetRowCount(3);
    for (int c = 0; c < 9; ++c) g.SetCells(c, 1, "c" + std::to_string(c));
    g.HideColumn(2); // displayed 2.. = real 3..
    Log log;
    g.OnColumnMoved = [&](TObject*, int f, int t) { log.push_back(std::to_string(f) + ">" + std::to_string(t)); };
    g.SortSettings().IndexShow = true;
    g.SortIndexes().Add(3 | static_cast<int>(0x80010000u));
    g.SortIndexes().Add(6 | 0x00020000);
    // Displayed 5 is real 6; displayed 1 is real 1.
    g.MoveColumn(5, 1);
    EXPECT_EQ(log, Log{"6>1"});
    EXPECT_EQ(g.Cells(1, 1), "c6");
    EXPECT_EQ(g.Cells(4, 1), "c3");
    EXPECT_EQ(static_cast<unsigned>(g.SortIndexes().Items(0)), 0x80010004u);
    EXPECT_EQ(g.SortIndexes().Items(1), 1 | 0x00020000);
    // The hidden column went along with the columns it lay between.
    EXPECT_TRUE(g.IsHiddenColumn(3));
    EXPECT_EQ(g.Cells(3, 1), "c2");
}

TEST(GridMove, TwoGridsLinkedBothWaysRepeatAMoveOnce)
{
    TExStringGrid a, b;
    for (TExStringGrid* g : {&a, &b}) {
        g->SetColCount(6);
        g->SetRowCount(3);
        for (int c = 0; c < 6; ++c) g->SetCells(c, 1, std::to_string(c));
        g->SetRowHeights(2, 20);
    }
    a.SyncGrid().SetGrid(&b);
    b.SyncGrid().SetGrid(&a);
    for (TExStringGrid* g : {&a, &b}) g->SyncGrid().MoveColumn = g->SyncGrid().MoveRow = true;
    int movedA = 0, movedB = 0;
    a.OnColumnMoved = [&](TObject*, int, int) { ++movedA; };
    b.OnColumnMoved = [&](TObject*, int, int) { ++movedB; };
    a.MoveColumn(1, 4);
    EXPECT_EQ(movedA, 1);
    EXPECT_EQ(movedB, 1);
    EXPECT_EQ(a.Cells(4, 1), "1");
    EXPECT_EQ(b.Cells(4, 1), "1");
    b.MoveRow(2, 1);
    EXPECT_EQ(a.RowHeights(1), 20);
    EXPECT_EQ(b.RowHeights(1), 20);
    EXPECT_EQ(a.Cells(0, 2), "0");
    EXPECT_EQ(b.Cells(0, 2), "0");
    // A linked grid with fewer columns is left alone.
    b.SetColCount(3);
    a.MoveColumn(1, 5);
    EXPECT_EQ(movedB, 1);
}

// --- grids wider than 512 columns ------------------------------------------------------------

TEST(GridMove, AGridOfSixHundredColumnsHidesMovesPaintsAndScrollsPastColumn512)
{
    TExStringGrid g;
    g.SetColCount(600);
    g.SetRowCount(4);
    for (int c = 0; c < 600; ++c) {
        g.SetColWidths(c, 30 + c % 7);
        g.SetCells(c, 1, "c" + std::to_string(c));
    }
    auto view = std::make_unique<TGridView>(&g);
    view->SetBounds(0, 0, 400, 160);
    view->Show();

    g.HideColumn(550);
    g.HideColumn(590);
    EXPECT_EQ(g.ColCount(), 598);
    EXPECT_FALSE(g.ColumnVisible(550));
    EXPECT_EQ(g.RealColIndex(550), 551);
    EXPECT_EQ(g.RealColIndex(597), 599);

    // Scrolled to the far end and painted (under the sanitizers: no read
    // past a table).
    g.SetLeftCol(g.ColCount() - g.VisibleColCount());
    const TBitmap shot = ControlImage(view.get());
    EXPECT_GT(shot.Width(), 0);
    SendKeyDown(*view, VK_HOME, {ssCtrl});
    SendKeyUp(*view, VK_HOME, {ssCtrl});
    SendKeyDown(*view, VK_END, {ssCtrl});
    SendKeyUp(*view, VK_END, {ssCtrl});
    EXPECT_EQ(g.Col(), 597);
    EXPECT_EQ(g.Cells(g.RealColIndex(g.Col()), 1), "c599");

    // A move across the hidden column carries its flag and saved width.
    g.MoveColumn(560, 2); // real 561 to real 2
    EXPECT_EQ(g.Cells(2, 1), "c561");
    EXPECT_FALSE(g.ColumnVisible(551));
    EXPECT_EQ(g.Cells(551, 1), "c550");
    g.UnHideColumnsAll();
    EXPECT_EQ(g.ColCount(), 600);
    EXPECT_EQ(g.ColWidths(551), 30 + 550 % 7);
    EXPECT_EQ(g.Cells(551, 1), "c550");
    view.reset();
}
