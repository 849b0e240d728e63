// The grid's scroll bars in a real window: which bars show, thumbs sized by
// the pixel extent of the rows and columns, and a thumb dragged with the
// mouse.
#include "widgets/ExStringGrid.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"

#include <gtest/gtest.h>

namespace {

struct ScrollFixture : ::testing::Test {
    TForm form;
    TExStringGrid* grid = nullptr;
    ScrollFixture()
    {
        form.SetClientSize(520, 420);
        grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 400, 300);
        grid->SetColCount(4);
        grid->SetRowCount(1000);
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        Application_ProcessMessages();
    }
    ~ScrollFixture() override { form.Close(); }
    TScrollBarState Bar(bool vertical) { return ScrollBarStateOf(*grid->View(), vertical); }
    // The part of the track the thumb covers, from the bar's range and page.
    static double Covered(const TScrollBarState& b) { return double(b.Page) / double(b.Max - b.Min + b.Page); }
    // The visible fraction of the scrolling rows in pixels.
    double PixelFraction()
    {
        const int lw = grid->TCustomGrid::GridLineWidth();
        double fixed = lw, total = lw;
        for (int r = 0; r < grid->FixedRows(); ++r) fixed += lw + grid->RowHeights(r);
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r) total += lw + grid->RowHeights(r);
        return (grid->ClientHeight() - fixed) / total;
    }
};

} // namespace

TEST_F(ScrollFixture, ProportionalThumbsFollowThePixelsOfTheRows)
{
    // Equal rows: the thumb covers the visible share of the rows either way.
    ASSERT_TRUE(Bar(true).Visible);
    grid->SetScrollProportional(true);
    TScrollBarState prop = Bar(true);
    EXPECT_NEAR(Covered(prop), PixelFraction(), 0.002);
    EXPECT_NEAR(Covered(prop), double(grid->VisibleRowCount()) / 999.0, 0.005);

    // Rows of other heights: the thumb follows the pixels, not the count
    // of rows (50 of 60 rows twice as high).
    grid->SetRowCount(60);
    for (int r = 10; r < 60; ++r) grid->SetRowHeights(r, 2 * grid->DefaultRowHeight());
    grid->SetScrollProportional(false);
    const TScrollBarState byCount = Bar(true);
    grid->SetScrollProportional(true);
    prop = Bar(true);
    EXPECT_NEAR(Covered(prop), PixelFraction(), 0.002);
    EXPECT_GT(Covered(byCount), 1.3 * PixelFraction());
    EXPECT_LT(prop.ThumbLength, byCount.ThumbLength);

    // The positions stay rows: dragging the thumb to the end of its track
    // shows the last rows.
    DragScrollThumb(*grid->View(), true, prop.TrackLength, 4);
    EXPECT_EQ(grid->TopRow(), Bar(true).Max);
    EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount(), grid->RowCount());
    EXPECT_NEAR(Covered(Bar(true)), PixelFraction(), 0.002);

    // Off again: the page is the visible rows.
    grid->SetScrollProportional(false);
    EXPECT_EQ(Bar(true).Page, grid->VisibleRowCount());
}

TEST_F(ScrollFixture, ProportionalHorizontalThumb)
{
    grid->SetRowCount(3); // no vertical bar
    grid->SetColCount(10);
    Application_ProcessMessages();
    const int w = grid->ClientWidth();
    const int lw = grid->TCustomGrid::GridLineWidth();
    grid->SetScrollProportional(true);
    auto setWidths = [&](int each) {
        for (int c = 0; c < 10; ++c) grid->SetColWidths(c, each);
    };
    // Columns that fit: no bar.
    setWidths(w / 10 - lw - 1);
    EXPECT_FALSE(Bar(false).Visible);
    // Less than 5 pixels to scroll: the bar as it stands (a page of the
    // visible columns).
    setWidths((w + 3 - 10 * lw) / 10);
    const int over = 10 * (grid->ColWidths(1) + lw) - w;
    ASSERT_GT(over, 0);
    ASSERT_LT(over, 5);
    EXPECT_TRUE(Bar(false).Visible);
    EXPECT_EQ(Bar(false).Page, grid->VisibleColCount());
    // Columns far wider than the grid: the thumb covers the visible share
    // of the pixels.
    setWidths(w / 3);
    const TScrollBarState h = Bar(false);
    EXPECT_TRUE(h.Visible);
    const double fixed = lw + (lw + w / 3), total = lw + 9.0 * (lw + w / 3);
    EXPECT_NEAR(Covered(h), (w - fixed) / total, 0.01);
    // A drag of the thumb to the end shows the last column.
    DragScrollThumb(*grid->View(), false, h.TrackLength, 3);
    EXPECT_EQ(grid->LeftCol(), Bar(false).Max);
    EXPECT_EQ(grid->LeftCol() + grid->VisibleColCount(), grid->ColCount());
}

TEST_F(ScrollFixture, ScrollBarsSettingChoosesTheBars)
{
    grid->SetColCount(30);
    ASSERT_TRUE(Bar(true).Visible);
    ASSERT_TRUE(Bar(false).Visible);
    struct Case {
        TScrollStyle style;
        bool horz, vert;
    };
    for (const Case& c : {Case{TScrollStyle::ssVertical, false, true}, Case{TScrollStyle::ssHorizontal, true, false},
                          Case{TScrollStyle::ssNone, false, false}, Case{TScrollStyle::ssBoth, true, true}}) {
        grid->SetScrollBars(c.style);
        EXPECT_EQ(grid->ScrollBars(), c.style);
        EXPECT_EQ(Bar(false).Visible, c.horz);
        EXPECT_EQ(Bar(true).Visible, c.vert);
    }
    // Without bars the keys still move the view.
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->FocusCell(1, 1, true);
    PressKey(form, VK_END, {ssCtrl});
    EXPECT_EQ(grid->Row(), 999);
    EXPECT_GT(grid->TopRow(), 900);
    EXPECT_FALSE(Bar(true).Visible);
}

// ColumnSize.SynchWithGrid: the window sized by its owner, the columns
// keep their share of the width they were taken at.
TEST_F(ScrollFixture, ColumnsFollowTheGridsWidth)
{
    grid->SetRowCount(5);
    const int widths[] = {40, 60, 80, 100};
    for (int c = 0; c < 4; ++c) grid->SetColWidths(c, widths[c]);
    grid->InitOrigColSizes();
    const int w0 = grid->Width();
    // The grid's width (its window's less the frame) set to w.
    auto setWidth = [&](int w) {
        grid->SetBounds(8, 8, w + 400 - w0, 300);
        Application_ProcessMessages();
        ASSERT_EQ(grid->Width(), w);
    };
    // Without SynchWithGrid the widths stay.
    setWidth(w0 + w0 / 2);
    EXPECT_EQ(grid->ColWidths(2), 80);
    setWidth(w0);

    grid->ColumnSize().SynchWithGrid = true;
    setWidth(w0 + w0 / 2);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(grid->ColWidths(c), widths[c] * 3 / 2) << c;
    // Only the normal columns: the fixed column keeps its width.
    grid->ColumnSize().SynchNormalCellsOnly = true;
    grid->SetColWidths(0, 40);
    setWidth(w0 / 2);
    EXPECT_EQ(grid->ColWidths(0), 40);
    for (int c = 1; c < 4; ++c) EXPECT_EQ(grid->ColWidths(c), widths[c] / 2) << c;
    // An open editor closes first, its text kept.
    grid->SetOptions(grid->Options() + goEditing);
    grid->FocusCell(1, 1, true);
    TypeKeys(form, "x");
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
    setWidth(w0);
    EXPECT_FALSE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->Cells(1, 1), "x");
    EXPECT_EQ(grid->ColWidths(1), widths[1]);
}
