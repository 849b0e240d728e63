// The SNMP manager rules window.
#include "rules/field/USNMPManagerAccess.h"

#include "core/UComon.h"

TFSNMPManagerAccess::TFSNMPManagerAccess()
    : TRuleWindow(SNMPManagerAccess_Desc(), [] { return UComon::File_SNMP_Manager; },
                  ULanguage::TLangWindow::SNMPManagerAccess)
{
    ECG_SNMP = Grid(0);
    Set_Lang();
}
