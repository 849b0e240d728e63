// The CAN receive frames window.
#include "rules/can_mqtt/UReceiveCAN.h"

#include "core/UComon.h"

TFReceiveCAN::TFReceiveCAN()
    : TRuleWindow(ReceiveCAN_Desc(), [] { return UComon::File_CAN_Rec_Frames; }, ULanguage::TLangWindow::ReceiveCAN)
{
    ECG_CAN_Receive = Grid(0);
    Focus_Grid_On_Show = true;
    Set_Lang();
}
