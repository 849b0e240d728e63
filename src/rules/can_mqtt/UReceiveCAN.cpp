// The CAN receive frames window.
#include "rules/can_mqtt/UReceiveCAN.h"

TFReceiveCAN::TFReceiveCAN()
    : TRuleWindow(ReceiveCAN_Desc(), [] { return URuleFiles::CAN::Receive_File.Path(); },
                  ULanguage::TLangWindow::ReceiveCAN)
{
    ECG_CAN_Receive = Grid(0);
    Set_Lang();
}
