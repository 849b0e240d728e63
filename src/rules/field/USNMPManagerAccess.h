#pragma once
// The SNMP manager rules ("Set SNMP Manager Access"): each rule is a request
// the gateway sends to an SNMP agent (its IP address, the SNMP version 1, 2
// or 3, community name, object identifier, data type and mode), when it is
// made, where its value stands in the internal data array, and for SNMPv3
// the user, the passwords, the security level and the protocols. Kept in
// "SNMP_Manager.xml" (root "SNMP_Manager_Access", rows under the root).

#include "rules/can_mqtt/URuleWindow.h"

// Real columns of the grid.
namespace SNMP_Manager_Col {
constexpr int Enable = 1, IP_Address = 2, Version = 3, Community = 4, OID = 5, Type = 6, Mode = 7, On_Change = 8,
              On_Command = 9, On_Timer = 10, Time = 11, Position = 12, Num_Bytes = 13, Conversion = 14,
              Cancel = 15, User = 16, Auth_Pass = 17, Priv_Pass = 18, Security_Level = 19, Auth_Mode = 20,
              Priv_Mode = 21, Mnemonic = 22;
}

TRuleWindowDesc SNMPManagerAccess_Desc();

class TFSNMPManagerAccess : public TRuleWindow {
public:
    TFSNMPManagerAccess();
    TExColumnGrid* ECG_SNMP;
};

inline TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;
