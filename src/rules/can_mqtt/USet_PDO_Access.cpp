// The CANopen PDO window.
#include "rules/can_mqtt/USet_PDO_Access.h"

#include "core/UComon.h"

TFSet_PDO_Access::TFSet_PDO_Access()
    : TRuleWindow(Set_PDO_Access_Desc(), [] { return UComon::File_PDO_CANopen; }, ULanguage::TLangWindow::Set_PDO_Access)
{
    TS_Receive_PDO = Sheet(0);
    TS_Transmit_PDO = Sheet(1);
    sga = Grid(0);
    sgb = Grid(1);
    Set_Lang();
}
