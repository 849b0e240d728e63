// The BACnet server objects window.
#include "rules/field/UBACnetSlaveSetAccess.h"

#include "core/UComon.h"
#include "rules/field/UBACnet_Eng_Unit.h"

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess()
    : TRuleWindow(BACnetSlaveSetAccess_Desc([] { return UComon::File_ParGen; }),
                  [] { return UComon::File_BACnet_Slave_SetAccess; }, ULanguage::TLangWindow::BACnetSlaveSetAccess)
{
    SetBorderIcons(biSystemMenu | biMaximize);
    TS_BACnet_in_Read = Sheet(0);
    TS_BACnet_in_Write = Sheet(1);
    ECG_BACnet_in_Read = Grid(0);
    ECG_BACnet_in_Write = Grid(1);
    ECG_BACnet_in_Write->OnComboChange = [this](TObject*, int col, int row, int, const std::string& item) {
        ECG_BACnet_in_WriteComboChange(col, row, item);
    };
    Set_Lang();
}

void TFBACnetSlaveSetAccess::ECG_BACnet_in_WriteComboChange(int col, int row, const std::string& item)
{
    if (col != BACnet_Slave_Col::Data_Type || row < 1 || row >= ECG_BACnet_in_Write->RowCount()) return;
    const std::string length = BACnet_Write_Default_Length(item);
    if (!length.empty()) ECG_BACnet_in_Write->SetCellEx(BACnet_Slave_Col::Length, row, length);
}

void TFBACnetSlaveSetAccess::DblClickCell(int g, int row, int col)
{
    TExColumnGrid& grid = *Grid(g);
    if (col == BACnet_Slave_Col::Eng_Unit && row >= 1 && row < grid.RowCount() && FBACnet_Eng_Unit) {
        // The picker's text is the cell's final text: an editor open on the
        // cell is closed first, so it cannot write its older text back.
        if (grid.EditMode()) grid.HideInplaceEdit();
        std::string text = grid.GetCellEx(col, row);
        if (FBACnet_Eng_Unit->Pick(text)) grid.SetCellEx(col, row, text);
    }
    TRuleWindow::DblClickCell(g, row, col);
}
