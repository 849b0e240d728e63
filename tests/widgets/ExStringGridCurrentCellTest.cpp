// The current cell of the grid: the row setter's event, the disjoint row
// selection and the linked grid, whichever way the row changes (setter,
// GotoCell, keys, mouse); and a grid on a real window following its size.

#include "widgets/ExStringGrid.h"

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Two grids, the first leading the second's row and column, with a log of
// what each grid reports in the order it happens.
struct LinkedGrids {
    LinkedGrids()
    {
        for (TExStringGrid* g : {&lead, &follower}) {
            g->SetColCount(5);
            g->SetRowCount(10);
        }
        lead.SyncGrid().SetGrid(&follower);
        lead.SyncGrid().SelectionRow = true;
        lead.SyncGrid().SelectionColumn = true;
        lead.MouseActions().SetDisjunctRowSelect(true);
        lead.OnRowChanged = [this](TObject* Sender, int OldRow, int NewRow) {
            EXPECT_EQ(Sender, &lead);
            // Told before the selection flags and the linked grid follow.
            log.push_back("lead " + std::to_string(OldRow) + ">" + std::to_string(NewRow) + " selected " +
                          std::to_string(lead.RowSelect(NewRow)) + " follower at " +
                          std::to_string(follower.Row()));
        };
        // Asked only when a row's flag changes.
        lead.OnRowDisjunctSelect = [this](TObject*, int ARow, bool Value, bool&) {
            log.push_back((Value ? "select " : "unselect ") + std::to_string(ARow));
        };
        follower.OnRowChanged = [this](TObject*, int OldRow, int NewRow) {
            log.push_back("follower " + std::to_string(OldRow) + ">" + std::to_string(NewRow));
        };
    }
    std::vector<std::string> Take()
    {
        auto out = std::move(log);
        log.clear();
        return out;
    }
    TExStringGrid lead;
    TExStringGrid follower;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

} // namespace

TEST(ExStringGridCurrentCell, RowSetterReportsOnceSelectsTheRowAndMovesTheLinkedGrid)
{
    LinkedGrids k;
    k.lead.SetRow(4);
    EXPECT_EQ(k.Take(), (Log{"lead 1>4 selected 0 follower at 1", "select 4", "follower 1>4"}));
    EXPECT_EQ(k.follower.Row(), 4);
    EXPECT_TRUE(k.lead.RowSelect(4));

    // The same row again: no event, nothing else changes.
    k.lead.SetRow(4);
    EXPECT_EQ(k.Take(), Log{});

    // GotoCell goes through the setters: row first, then the column.
    k.lead.GotoCell(3, 6);
    EXPECT_EQ(k.Take(), (Log{"lead 4>6 selected 0 follower at 4", "select 6", "follower 4>6"}));
    EXPECT_EQ(k.follower.Row(), 6);
    EXPECT_EQ(k.follower.Col(), 3);
    // Only the rows inside the selection are set; the one left keeps its flag.
    EXPECT_TRUE(k.lead.RowSelect(4));

    // Linked both ways: each follows the other once.
    k.follower.SyncGrid().SetGrid(&k.lead);
    k.follower.SyncGrid().SelectionRow = true;
    k.follower.SetRow(2);
    EXPECT_EQ(k.Take(), (Log{"follower 6>2", "lead 6>2 selected 0 follower at 2", "select 2"}));
    EXPECT_EQ(k.lead.Row(), 2);

    // A linked grid without that row stays where it is.
    k.follower.SetRowCount(5);
    k.lead.SetRow(8);
    EXPECT_EQ(k.lead.Row(), 8);
    EXPECT_EQ(k.follower.Row(), 2);
}

TEST(ExStringGridCurrentCell, KeysAndMouseMoveTheRowThroughTheSetter)
{
    LinkedGrids k;
    TGridView view(&k.lead);
    view.SetBounds(0, 0, 400, 300);
    view.Show();

    SendKeyDown(view, VK_DOWN);
    SendKeyUp(view, VK_DOWN);
    EXPECT_EQ(k.lead.Row(), 2);
    EXPECT_EQ(k.Take(), (Log{"lead 1>2 selected 0 follower at 1", "select 2", "follower 1>2"}));

    // A click on a cell of row 5, column 3.
    const TRect r = k.lead.CellRect(3, 5);
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    SendMouseDown(view, x, y);
    SendMouseUp(view, x, y);
    EXPECT_EQ(k.lead.Row(), 5);
    EXPECT_EQ(k.lead.Col(), 3);
    EXPECT_EQ(k.Take(), (Log{"lead 2>5 selected 0 follower at 2", "select 5", "follower 2>5"}));
    EXPECT_EQ(k.follower.Row(), 5);
    EXPECT_EQ(k.follower.Col(), 3);
    EXPECT_TRUE(k.lead.RowSelect(5));
}

TEST(ExStringGridCurrentCell, GridOnAWindowReStretchesItsStretchColumnWhenTheWindowIsResized)
{
    TForm form;
    form.SetBorderStyle(TFormBorderStyle::bsSizeable);
    form.SetClientSize(500, 300);
    auto grid = std::make_unique<TExStringGrid>();
    grid->SetColCount(3);
    grid->SetOwnerForm(&form);
    auto view = std::make_unique<TGridView>(grid.get(), &form);
    view->SetBounds(10, 10, 400, 200);
    grid->SizeWithForm = true;
    form.ShowForm();
    grid->ColumnSize().SetStretch(true);

    auto othersWidth = [&] { return grid->ColWidths(0) + grid->ColWidths(1); };
    const int before = grid->ClientWidth();
    EXPECT_EQ(grid->ColWidths(2), before - othersWidth() - 1);

    // The window grows by 120 pixels: the grid grows with it and its last
    // column fills the wider grid.
    form.SetClientSize(form.Width() + 120, form.Height()); // the window reports its resize
    EXPECT_EQ(grid->ClientWidth(), before + 120);
    EXPECT_EQ(grid->ColWidths(2), before + 120 - othersWidth() - 1);

    // The grid is used on the window as a person does: a key moves the row.
    SendKeyDown(*view, VK_DOWN);
    SendKeyUp(*view, VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);

    // A grid that goes before its window leaves nothing behind to call;
    // a window that goes first is forgotten by the grid.
    view.reset();
    grid.reset();
    form.SetClientSize(form.Width() + 10, form.Height());
    auto late = std::make_unique<TExStringGrid>();
    {
        TForm shortLived;
        late->SetOwnerForm(&shortLived);
    }
    EXPECT_EQ(late->OwnerForm(), nullptr);
    form.Close();
}
