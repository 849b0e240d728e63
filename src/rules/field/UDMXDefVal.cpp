// The DMX default values window.
#include "rules/field/UDMXDefVal.h"

#include "core/UComon.h"

TFDMXDefVal::TFDMXDefVal()
    : TRuleWindow(DMXDefVal_Desc([] { return UComon::File_ParGen; }), [] { return UComon::File_DMX_Default_Values; },
                  ULanguage::TLangWindow::DMXDefVal)
{
    ECG_DMX_Def_Val = Grid(0);
    Set_Lang();
}
