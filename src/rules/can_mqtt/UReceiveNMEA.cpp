// The NMEA 2000 receive rules window.
#include "rules/can_mqtt/UReceiveNMEA.h"

#include "core/UComon.h"

TFReceiveNMEA::TFReceiveNMEA()
    : TRuleWindow(ReceiveNMEA_Desc(), [] { return UComon::File_NMEA_Rec_Frames; }, ULanguage::TLangWindow::ReceiveNMEA)
{
    sga = Grid(0);
    Set_Lang();
}
