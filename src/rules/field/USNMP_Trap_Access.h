#pragma once
// The SNMP agent objects ("Set SNMP Trap Access"): on the page "SNMP Read"
// the objects the agent reads from the internal data array (an integer of
// 1 to 64 bits or a string of 1 to 16 bytes) and may send as a trap, on the
// page "SNMP Write" the objects a manager may write into it. Each object's
// description becomes its name in the SNMP MIB file, and column 0 numbers
// the enabled objects as the MIB file lists them. Kept in "SNMP_Trap.xml"
// (root "SNMP_Trap", sections "SNMP_Trap_Read" and "SNMP_Trap_Write").

#include "rules/can_mqtt/URuleWindow.h"

#include <string>

// Real columns of the two grids.
namespace SNMP_Read_Col {
constexpr int Enable = 1, Community = 2, Type = 3, On_Change = 4, On_Command = 5, On_Timer = 6, Time = 7,
              Position = 8, Bit = 9, NumBits = 10, Description = 11, IP_Address = 12, Conversion = 13,
              Mnemonic = 14;
}
namespace SNMP_Write_Col {
constexpr int Enable = 1, Community = 2, Type = 3, Position = 4, Bit = 5, NumBits = 6, Description = 7,
              Conversion = 8, Mnemonic = 9;
}

// The internal data array the objects address.
inline constexpr int SNMP_Max_Num_Byte = 1440;
// Characters a community name or a description may have.
inline constexpr int SNMP_Name_Length = 15;

// True when the text is refused. Check_Type 0 (community names): only
// "0".."9", "A".."Z", "a".."z"; Check_Type 1 (descriptions): a first
// character "a".."z", then only those. The empty text passes both.
bool Check_Error_CommName_Desc(const std::string& str, int Check_Type);

// A description the MIB file defines itself ("data", "trapval1" ...): the
// page's label, the description in quotes, then this.
inline constexpr const char* Msg_Desc_Fixed_Name_Read = "!! [SNMP Read] Description \"";
inline constexpr const char* Msg_Desc_Fixed_Name_Write = "!! [SNMP Write] Description \"";
inline constexpr const char* Msg_Desc_Fixed_Name_End =
    "\" is a name the SNMP MIB file defines itself. Choose another description";

TRuleWindowDesc SNMP_Trap_Access_Desc();

class TFSNMP_Trap_Access : public TRuleWindow {
public:
    TFSNMP_Trap_Access();

    TExTabSheet* TS_SNMP_Read;
    TExTabSheet* TS_SNMP_Write;
    TExColumnGrid* ECG_SNMP_Read;
    TExColumnGrid* ECG_SNMP_Write;
};

inline TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;
