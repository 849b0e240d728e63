#pragma once
// The CANopen PDO window: receive and transmit PDOs, each a CAN frame of up
// to 8 bytes whose bytes are tied to positions of the internal data array;
// kept in "PDO_CANopen.xml" (root "PDO_CANopen", sections "Receive_PDO"
// and "Transmit_PDO"), which the EDS writer also reads.

#include "rules/can_mqtt/URuleWindow.h"

#include "rulefiles/URuleFiles.h"

TRuleWindowDesc Set_PDO_Access_Desc();

class TFSet_PDO_Access : public TRuleWindow {
public:
    TFSet_PDO_Access();
    TExTabSheet* TS_Receive_PDO;
    TExTabSheet* TS_Transmit_PDO;
    TExColumnGrid* sga;
    TExColumnGrid* sgb;
};

inline TFSet_PDO_Access* FSet_PDO_Access = nullptr;
