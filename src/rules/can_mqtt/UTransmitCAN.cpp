// The CAN transmit frames window.
#include "rules/can_mqtt/UTransmitCAN.h"

TFTransmitCAN::TFTransmitCAN()
    : TRuleWindow(TransmitCAN_Desc(), [] { return URuleFiles::CAN::Transmit_File.Path(); },
                  ULanguage::TLangWindow::TransmitCAN)
{
    ECG_CAN_Transmit = Grid(0);
    Set_Lang();
}
