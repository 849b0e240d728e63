// Panning with the middle button in a real window: the press marks the
// spot, the pan timer moves the current cell (or the view) towards the
// pointer, any button or key ends it.
#include "widgets/ExStringGrid.h"
#include "widgets/GridSettings.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"
#include "platform/TickClock.h"
#include "platform/WindowImage.h"

#include <gtest/gtest.h>

namespace {

struct PanFixture : ::testing::Test {
    TForm form;
    TExStringGrid* grid = nullptr;
    PanFixture()
    {
        form.SetClientSize(520, 360);
        grid = new TExStringGrid(&form);
        grid->SetBounds(8, 8, 420, 300);
        grid->SetColCount(12);
        grid->SetRowCount(60);
        form.ShowForm();
        ActivateWindowOf(form);
        grid->SetFocus();
        Application_ProcessMessages();
        grid->FocusCell(2, 5, true);
    }
    ~PanFixture() override { form.Close(); }
    TGridView& View() { return *grid->View(); }
    void MiddleClick(int x, int y)
    {
        SendMouseDown(View(), x, y, mbMiddle);
        SendMouseUp(View(), x, y, mbMiddle);
    }
    // One tick of the pan timer.
    void Tick()
    {
        TMessage m;
        m.Msg = WM_TIMER;
        m.WParam = 999;
        grid->Perform(m);
    }
    std::pair<int, int> Cell() const { return {grid->Col(), grid->Row()}; }
    // Pixels of the 32 x 32 glyph square (with the window's frame around
    // the cells) that differ between two pictures.
    static int Differing(const TBitmap& a, const TBitmap& b, TPoint at)
    {
        int n = 0;
        for (int y = at.Y; y < at.Y + 36 && y < a.Height() && y < b.Height(); ++y)
            for (int x = at.X; x < at.X + 36 && x < a.Width() && x < b.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y)) ++n;
        return n;
    }
};

} // namespace

TEST_F(PanFixture, TheMiddleButtonPansTheCurrentCellTowardsThePointer)
{
    std::vector<std::string> log;
    grid->OnSelectionChanged = [&](TObject*, int l, int t, int, int) {
        log.push_back(std::to_string(l) + "," + std::to_string(t));
    };
    const TBitmap before = ControlImage(&View());
    MiddleClick(100, 100);
    ASSERT_TRUE(grid->WheelPanning());
    EXPECT_EQ(grid->WheelPanPos(), (TPoint{100, 100}));
    EXPECT_TRUE(grid->TimerRunning(999));
    EXPECT_EQ(grid->WheelPanCursor(), 8000);
    // The glyph shows where the press was.
    const TBitmap panning = ControlImage(&View());
    EXPECT_GT(Differing(before, panning, {100, 100}), 20);

    // Within 5 pixels of the spot nothing moves.
    SendMouseMove(View(), 104, 96, TShiftState{});
    Tick();
    EXPECT_EQ(Cell(), std::make_pair(2, 5));
    EXPECT_TRUE(log.empty());
    // Below it: one row a tick; sideways only with horizontal panning
    // (the default pans rows only).
    SendMouseMove(View(), 160, 140, TShiftState{});
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(Cell(), std::make_pair(2, 8));
    EXPECT_EQ(grid->WheelPanCursor(), 8001);
    EXPECT_EQ(log.back(), "2,8");
    // Above it, back up; never onto the fixed row.
    SendMouseMove(View(), 100, 20, TShiftState{});
    for (int i = 0; i < 12; ++i) Tick();
    EXPECT_EQ(Cell(), std::make_pair(2, 1));
    EXPECT_EQ(grid->WheelPanCursor(), 8004);

    // The timer drives it by itself.
    SendMouseMove(View(), 100, 200, TShiftState{});
    const std::uint64_t t0 = TickClock().TickCount();
    while (grid->Row() < 4 && TickClock().TickCount() - t0 < 3000) Application_ProcessMessages();
    EXPECT_GE(grid->Row(), 4);

    // A left press ends panning (and then clicks as usual); the glyph goes.
    SendMouseDown(View(), 100, 100);
    SendMouseUp(View(), 100, 100);
    EXPECT_FALSE(grid->WheelPanning());
    EXPECT_FALSE(grid->TimerRunning(999));
    Application_ProcessMessages();
    const TBitmap after = ControlImage(&View());
    grid->Invalidate();
    Application_ProcessMessages();
    EXPECT_EQ(Differing(after, ControlImage(&View()), {100, 100}), 0);
    const auto cell = Cell();
    Tick();
    EXPECT_EQ(Cell(), cell);
}

TEST_F(PanFixture, BothDirectionsScrollingAndWhatEndsIt)
{
    struct Case {
        const char* name;
        TIntelliPan pan;
        TWheelAction action;
        TPoint to;        // pointer, relative to the spot
        int ticks;
        std::pair<int, int> cell;  // from (2, 5)
        int leftBy, topBy;
        TCursor cursor;
    };
    const Case cases[] = {
        {"both, down-right", ipBoth, waMoveSelection, {40, 40}, 2, {4, 7}, 0, 0, 8007},
        {"both, up-left", ipBoth, waMoveSelection, {-40, -40}, 1, {1, 4}, 0, 0, 8006},
        {"horizontal only", ipHorizontal, waMoveSelection, {40, 40}, 3, {5, 5}, 0, 0, 8003},
        {"scroll the view", ipVertical, waScroll, {0, 40}, 3, {2, 5}, 0, 3, 8001},
        {"scroll sideways", ipBoth, waScroll, {40, 0}, 2, {2, 5}, 2, 0, 8003},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->IntelliPan = c.pan;
        grid->MouseActions().SetWheelAction(c.action);
        grid->FocusCell(2, 5, true);
        grid->SetTopRow(1);
        grid->SetLeftCol(1);
        const int left0 = grid->LeftCol(), top0 = grid->TopRow();
        MiddleClick(150, 120);
        ASSERT_TRUE(grid->WheelPanning());
        SendMouseMove(View(), 150 + c.to.X, 120 + c.to.Y, TShiftState{});
        for (int i = 0; i < c.ticks; ++i) Tick();
        EXPECT_EQ(Cell(), c.cell);
        EXPECT_EQ(grid->LeftCol(), left0 + c.leftBy);
        EXPECT_EQ(grid->TopRow(), top0 + c.topBy);
        EXPECT_EQ(grid->WheelPanCursor(), c.cursor);
        // A key ends it (and then works as usual).
        PressKey(form, VK_RIGHT);
        EXPECT_FALSE(grid->WheelPanning());
        EXPECT_EQ(grid->Col(), c.cell.first + 1);
    }
    // A second middle press ends it; a right press does too.
    grid->IntelliPan = ipVertical;
    MiddleClick(100, 100);
    ASSERT_TRUE(grid->WheelPanning());
    MiddleClick(100, 100);
    EXPECT_FALSE(grid->WheelPanning());
    MiddleClick(100, 100);
    SendMouseDown(View(), 100, 100, mbRight);
    SendMouseUp(View(), 100, 100, mbRight);
    EXPECT_FALSE(grid->WheelPanning());

    // No panning without data rows or with IntelliPan = ipNone.
    grid->IntelliPan = ipNone;
    MiddleClick(100, 100);
    EXPECT_FALSE(grid->WheelPanning());
    grid->IntelliPan = ipVertical;
    grid->FixedRowAlways = true;
    grid->SetRowCount(1);
    ASSERT_EQ(grid->RowCount(), grid->FixedRows());
    MiddleClick(100, 10);
    EXPECT_FALSE(grid->WheelPanning());
}
