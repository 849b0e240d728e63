// The SNMP agent objects window.
#include "rules/field/USNMP_Trap_Access.h"

#include "core/UComon.h"

TFSNMP_Trap_Access::TFSNMP_Trap_Access()
    : TRuleWindow(SNMP_Trap_Access_Desc(), [] { return UComon::File_SNMP_Trap; },
                  ULanguage::TLangWindow::SNMP_Trap_Access)
{
    TS_SNMP_Read = Sheet(0);
    TS_SNMP_Write = Sheet(1);
    ECG_SNMP_Read = Grid(0);
    ECG_SNMP_Write = Grid(1);
    Set_Lang();
}
