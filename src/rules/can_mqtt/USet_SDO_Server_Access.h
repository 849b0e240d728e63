#pragma once
// The CANopen SDO server objects window: the objects of the gateway's own
// object dictionary a CANopen master reads ("SDO in Read") or writes ("SDO
// in Write"), each with its index, sub-index, size and the array positions
// of its bytes; kept in "SDO_Server_CANopen.xml" (root "SDO_Server_CANopen",
// sections "SDO_Read" and "SDO_Write"), which the EDS writer also reads.

#include "rules/can_mqtt/URuleWindow.h"

TRuleWindowDesc Set_SDO_Server_Access_Desc();

// The fault of an index the EDS file gives an object of its own: the page
// caption in brackets, then the index, then this.
inline constexpr const char* Msg_SDO_Reserved_Index = " is an object of the EDS file's own and cannot be an SDO object";

class TFSet_SDO_Server_Access : public TRuleWindow {
public:
    TFSet_SDO_Server_Access();
    TExTabSheet* TS_SDO_Read;
    TExTabSheet* TS_SDO_Write;
    TExColumnGrid* sga;
    TExColumnGrid* sgb;
};

inline TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;
