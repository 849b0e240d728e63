// TExStringGrid: the graphic objects of cells (data side). A cell holds at
// most one graphic in its property object's slot and owns it, except the
// check-box records the grid shares between cells.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"

#include <memory>

namespace {

// The record in a cell's slot, when the slot holds one.
TCellGraphic* SlotGraphic(const TCellProperties* p)
{
    if (!p || !p->GraphicObject) return nullptr;
    return dynamic_cast<TCellGraphic*>(p->GraphicObject);
}

} // namespace

TCellGraphic* TExStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (ACol == 0 && FParts->FMouseActions->HotmailRowSelect()) {
        TCellGraphic& g = *FParts->FRowCheckBox;
        g.CellType = ctRowCheckBox;
        g.CellTransparent = FParts->FControlLook->ControlStyle() == csFlat;
        const int dataRows = RowCount() - FixedRows();
        if (ARow == 0) {
            const int selected = RowSelectCount();
            g.CellAngle = (selected > 0 && selected < dataRows) ? 1 : 0;
            g.CellBoolean = selected >= dataRows;
        } else {
            g.CellAngle = 0;
            g.CellBoolean = RowSelect(Model().RealRow(ARow));
        }
        return &g;
    }
    if (ACol < 0 || ARow < 0) return nullptr;
    return SlotGraphic(FindCellProperties(ACol, ARow));
}

TCellType TExStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return ctEmpty;
    if (ACol == 0 && FParts->FMouseActions->HotmailRowSelect()) return ctRowCheckBox;
    const TCellGraphic* g = SlotGraphic(FindCellProperties(ACol, ARow));
    return g ? g->CellType : ctEmpty;
}

TCellGraphic* TExStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    // The slot's own record goes; a shared check box stays with the grid.
    // (The slot is read directly: in column 0 with row check boxes on, the
    // graphic the grid shows is the shared one, and the cell's own record
    // would otherwise be overwritten without being freed.)
    if (ACol >= 0 && ARow >= 0) {
        TCellGraphic* old = SlotGraphic(FindCellProperties(ACol, ARow));
        if (old && !IsSharedCellGraphic(old)) {
            SetGraphicObjectEx(ACol, ARow, nullptr);
            delete old;
        }
    }
    auto g = std::make_unique<TCellGraphic>();
    if (!GetCellEx(ACol, ARow).empty()) {
        SetGraphicObjectEx(ACol, ARow, g.get());
    } else {
        // An empty cell gets its property object through a passing blank.
        SetCellEx(ACol, ARow, " ");
        SetGraphicObjectEx(ACol, ARow, g.get());
        SetCellEx(ACol, ARow, "");
    }
    if (NumHiddenColumns() > 0) {
        const int d = Model().DisplCol(ACol);
        if (d != ACol) RepaintCell(d, ARow);
    }
    // A cell outside the grid keeps nothing: the caller gets an error, not
    // a record nobody owns.
    if (GetGraphicObjectEx(ACol, ARow) != g.get()) throw EExGridError("Invalid cell");
    return g.release();
}

bool TExStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    TCellGraphic* own = ACol >= 0 && ARow >= 0 ? SlotGraphic(FindCellProperties(ACol, ARow)) : nullptr;
    if (ACol >= 0 && ARow >= 0 && HasCellProperties(ACol, ARow)) SetGraphicObjectEx(ACol, ARow, nullptr);
    // The cell's own record is freed (also when the shared row check box
    // was the one shown); shared records never are.
    if (own && !IsSharedCellGraphic(own)) delete own;
    if (!FParts->FDestroyingGrid) RepaintCell(Model().DisplCol(ACol), ARow);
    return true;
}

bool TExStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType CellType)
{
    if (GetCellType(ACol, ARow) != CellType) return false;
    return RemoveCellGraphic(ACol, ARow);
}
