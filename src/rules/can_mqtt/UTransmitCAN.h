#pragma once
// The CAN transmit frames window: the CAN frames the gateway sends, each
// with its identifier, kind, length, sending conditions (on change, on
// command, on a timer with its period) and the array position every data
// byte is taken from; kept in "CAN_Send_Frames.xml" (root
// "Transmit_Frames", rows under the root).

#include "rules/can_mqtt/UReceiveCAN.h"

TRuleWindowDesc TransmitCAN_Desc();

class TFTransmitCAN : public TRuleWindow {
public:
    TFTransmitCAN();
    TExColumnGrid* ECG_CAN_Transmit;
};

inline TFTransmitCAN* FTransmitCAN = nullptr;
