#pragma once
// The CANopen SDO client window: read and write requests, each naming a
// CANopen device, an object (index, sub-index) of 1, 2 or 4 bytes and the
// array positions of its bytes; kept in "SDO_Client_CANopen.xml" (root
// "SDO_Client_CANopen", sections "SDO_Read" and "SDO_Write").

#include "rules/can_mqtt/URuleWindow.h"

TRuleWindowDesc Set_SDO_Client_Access_Desc();

class TFSet_SDO_Client_Access : public TRuleWindow {
public:
    TFSet_SDO_Client_Access();
    TExTabSheet* TS_SDO_Read;
    TExTabSheet* TS_SDO_Write;
    TExColumnGrid* sga;
    TExColumnGrid* sgb;
};

inline TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;
