// The CANopen SDO server objects window.
#include "rules/can_mqtt/USet_SDO_Server_Access.h"

#include "core/UComon.h"

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access()
    : TRuleWindow(Set_SDO_Server_Access_Desc(), [] { return UComon::File_SDO_Server_CANopen; }, ULanguage::TLangWindow::Set_SDO_Server_Access)
{
    TS_SDO_Read = Sheet(0);
    TS_SDO_Write = Sheet(1);
    sga = Grid(0);
    sgb = Grid(1);
    Set_Lang();
}
