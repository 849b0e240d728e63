// The Modbus TCP master rules window.
#include "rules/field/UModbus_TCP_Master_Set_Access.h"

#include "core/UComon.h"

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access()
    : TRuleWindow(Modbus_TCP_Master_Set_Access_Desc(Topics, [] { return UComon::File_MQTT_Set_Topic; }),
                  [] { return UComon::File_ModbusTCPM_SetAccess; }, ULanguage::TLangWindow::Modbus_TCP_Master_Set_Access)
{
    TS_Modbus_Read = Sheet(0);
    TS_Modbus_Write = Sheet(1);
    ECG_Modbus_Read = Grid(0);
    ECG_Modbus_Write = Grid(1);
    Set_Lang();
}

void TFModbus_TCP_Master_Set_Access::Set_Lang()
{
    TRuleWindow::Set_Lang();
    Btn_CopyRow->SetCaption(TCP_Copy_Row_Caption);
    Btn_PasteRow->SetCaption(TCP_Paste_Row_Caption);
}
