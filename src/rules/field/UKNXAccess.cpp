// The KNX rules window.
#include "rules/field/UKNXAccess.h"

#include "core/UComon.h"

TFKNXAccess::TFKNXAccess()
    : TRuleWindow(KNXAccess_Desc(), [] { return UComon::File_KNX_SetAccess; }, ULanguage::TLangWindow::KNXAccess)
{
    ECG_KNX_in_Write = Grid(0);
    Set_Lang();
}
