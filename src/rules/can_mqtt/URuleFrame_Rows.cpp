// The rule frame's row buttons and grid conveniences, on the table-row
// routines every rule window shares.
#include "rules/can_mqtt/URuleFrame.h"

#include "core/UComon_Rows.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"

#include <algorithm>

using ULanguage::Text;

namespace {

// The row routines write the cells by their real columns, which the grid
// does not repaint where hidden columns shift the shown ones: the rows a
// button touched are repainted whole.
void Repaint_From(TExColumnGrid& grid, int row)
{
    for (int r = std::max(row, grid.TopRow()); r < grid.RowCount() && r <= grid.TopRow() + grid.VisibleRowCount(); ++r)
        grid.RepaintRow(r);
}

} // namespace

void TRuleFrame::Delete_Row(int g)
{
    TExColumnGrid& grid = Grid(g);
    const int row = grid.Row();
    if (row < 1 || row >= grid.RowCount()) return;
    const std::string question = (desc_.deleteQuestion >= 0 ? Text(desc_.deleteQuestion) : std::string()) +
                                 std::to_string(row);
    if (MessageDlg(question, TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes) return;
    UComon::Grid_Delete_Row(row, grid);
    Repaint_From(grid, row);
}

void TRuleFrame::Insert_Row(int g)
{
    TExColumnGrid& grid = Grid(g);
    UComon::Grid_Insert_Row(grid.Row(), grid, desc_.insertEnable);
    Repaint_From(grid, grid.Row());
}

void TRuleFrame::Copy_Row(int g)
{
    TExColumnGrid& grid = Grid(g);
    UComon::Grid_Copy_Row(grid, grid.Row());
    // A row can only be pasted into the grid it came from.
    std::fill(copied_.begin(), copied_.end(), false);
    copied_[static_cast<size_t>(g)] = true;
}

void TRuleFrame::Paste_Row(int g)
{
    TExColumnGrid& grid = Grid(g);
    UComon::Grid_Paste_Row(grid, grid.Row(), Copied(g));
    grid.RepaintRow(grid.Row());
}

void TRuleFrame::Key_Press(int g, TKeyChar& key)
{
    TExColumnGrid& grid = Grid(g);
    if (desc_.grids[static_cast<size_t>(g)].enterJump) UComon::Grid_Enter_Jump(grid, key);
}

void TRuleFrame::Dbl_Click(int g, int row, int col) { UComon::Grid_DblClick_Auto_Size(Grid(g), row, col); }
