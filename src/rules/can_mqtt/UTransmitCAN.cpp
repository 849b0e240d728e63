// The CAN transmit frames window.
#include "rules/can_mqtt/UTransmitCAN.h"

#include "core/UComon.h"

TFTransmitCAN::TFTransmitCAN()
    : TRuleWindow(TransmitCAN_Desc(), [] { return UComon::File_CAN_Send_Frames; }, ULanguage::TLangWindow::TransmitCAN)
{
    ECG_CAN_Transmit = Grid(0);
    Focus_Grid_On_Show = true;
    Set_Lang();
}
