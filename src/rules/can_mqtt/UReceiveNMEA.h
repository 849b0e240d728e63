#pragma once
// The NMEA 2000 receive rules: the parameter groups the gateway takes from
// the bus, each with its PGN, source address, transport protocol, fast
// packet or single frame, the captured bytes and time-out cancelling; kept
// in "NMEA_Rec_Frames.xml" (root "Receive_NMEA_2000", rows under the root).
// The captured bytes of all rules must fit the 512-byte input area.

#include "rules/can_mqtt/URuleWindow.h"

constexpr int NMEA_NUM_BYTE_IN = 512;

TRuleWindowDesc ReceiveNMEA_Desc();

class TFReceiveNMEA : public TRuleWindow {
public:
    TFReceiveNMEA();
    TExColumnGrid* sga;
};

inline TFReceiveNMEA* FReceiveNMEA = nullptr;
