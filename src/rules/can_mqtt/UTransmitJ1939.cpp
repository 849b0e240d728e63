// The J1939 transmit rules window.
#include "rules/can_mqtt/UTransmitJ1939.h"

#include "core/UComon.h"

TFTransmitJ1939::TFTransmitJ1939()
    : TRuleWindow(TransmitJ1939_Desc(), [] { return UComon::File_J1939_Send_Frames; }, ULanguage::TLangWindow::TransmitJ1939)
{
    sga = Grid(0);
    Set_Lang();
}
