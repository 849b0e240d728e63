// The NMEA 2000 transmit rules window.
#include "rules/can_mqtt/UTransmitNMEA.h"

#include "core/UComon.h"

TFTransmitNMEA::TFTransmitNMEA()
    : TRuleWindow(TransmitNMEA_Desc(), [] { return UComon::File_NMEA_Send_Frames; }, ULanguage::TLangWindow::TransmitNMEA)
{
    sga = Grid(0);
    Set_Lang();
}
