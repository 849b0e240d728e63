#pragma once
// The DeviceNet slave list: the slaves the gateway polls as a DeviceNet
// master, each with its address and its numbers of input and output bytes;
// kept in "DNETM_Net.xml" (root "DNET_Net", rows under the root), which the
// byte-offset window also reads.

#include "rules/can_mqtt/URuleWindow.h"

TRuleWindowDesc DNet_Desc();

class TFDNet : public TRuleWindow {
public:
    TFDNet();
    TExColumnGrid* ESG;
};

inline TFDNet* FDNet = nullptr;
