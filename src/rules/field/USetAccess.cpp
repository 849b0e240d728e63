// The Modbus RTU master rules window.
#include "rules/field/USetAccess.h"

#include "core/UComon.h"

TFSetAccess::TFSetAccess()
    : TRuleWindow(SetAccess_Desc(Topics, [] { return UComon::File_MQTT_Set_Topic; }),
                  [] { return UComon::File_ModbusM_SetAccess; }, ULanguage::TLangWindow::SetAccess)
{
    TS_Modbus_Read = Sheet(0);
    TS_Modbus_Write = Sheet(1);
    ECG_Modbus_Read = Grid(0);
    ECG_Modbus_Write = Grid(1);
    ECG_Modbus_Read->OnComboChange = [this](TObject*, int col, int row, int index, const std::string&) {
        ComboChange(col, row, index);
    };
    Set_Lang();
}

void TFSetAccess::ComboChange(int col, int row, int index)
{
    if (col == SetAccess_Col::Topic) Topics.Picked(row, index);
}
