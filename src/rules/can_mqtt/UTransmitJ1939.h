#pragma once
// The J1939 transmit rules: the parameter groups the gateway sends, each
// with its priority, data page, PGN, source address, number of data bytes
// and what makes it send (a request, a data change, a timer); kept in
// "J1939_Send_Frames.xml" (root "Transmit_J1939", rows under the root).
// Older files name one send condition in "T_Type".

#include "rules/can_mqtt/URuleWindow.h"

#include "rulefiles/URuleFiles.h"

TRuleWindowDesc TransmitJ1939_Desc();

class TFTransmitJ1939 : public TRuleWindow {
public:
    TFTransmitJ1939();
    TExColumnGrid* sga;
};

inline TFTransmitJ1939* FTransmitJ1939 = nullptr;
