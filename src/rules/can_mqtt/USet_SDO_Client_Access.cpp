// The CANopen SDO client window.
#include "rules/can_mqtt/USet_SDO_Client_Access.h"

#include "core/UComon.h"

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access()
    : TRuleWindow(Set_SDO_Client_Access_Desc(), [] { return UComon::File_SDO_Client_CANopen; }, ULanguage::TLangWindow::Set_SDO_Client_Access)
{
    TS_SDO_Read = Sheet(0);
    TS_SDO_Write = Sheet(1);
    sga = Grid(0);
    sgb = Grid(1);
    Set_Lang();
}
