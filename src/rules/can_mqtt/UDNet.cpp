// The DeviceNet slave list window.
#include "rules/can_mqtt/UDNet.h"

#include "core/UComon.h"

TFDNet::TFDNet()
    : TRuleWindow(DNet_Desc(), [] { return UComon::File_DNETM_Net; }, ULanguage::TLangWindow::DNet)
{
    ESG = Grid(0);
    Set_Lang();
}
