#pragma once
// The NMEA 2000 transmit rules: the parameter groups the gateway sends,
// each with its priority, PGN, source address, fast packet, number of data
// bytes and what makes it send; kept in "NMEA_Send_Frames.xml" whose root
// is "Receive_NMEA_2000" like the receive file's (the files are told apart
// by their names; any root name loads).

#include "rules/can_mqtt/URuleWindow.h"

constexpr int NMEA_NUM_BYTE_OUT = 512;

TRuleWindowDesc TransmitNMEA_Desc();

class TFTransmitNMEA : public TRuleWindow {
public:
    TFTransmitNMEA();
    TExColumnGrid* sga;
};

inline TFTransmitNMEA* FTransmitNMEA = nullptr;
