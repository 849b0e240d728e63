// The J1939 receive rules window.
#include "rules/can_mqtt/UReceiveJ1939.h"

#include "core/UComon.h"

TFReceiveJ1939::TFReceiveJ1939()
    : TRuleWindow(ReceiveJ1939_Desc(), [] { return UComon::File_J1939_Rec_Frames; }, ULanguage::TLangWindow::ReceiveJ1939)
{
    sga = Grid(0);
    Set_Lang();
}
