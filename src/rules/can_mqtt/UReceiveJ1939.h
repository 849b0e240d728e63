#pragma once
// The J1939 receive rules: the parameter groups the gateway takes from the
// bus, each with its data page, PGN, source address, transport protocol or
// single frame, the captured bytes, time-out cancelling and requests; kept
// in "J1939_Rec_Frames.xml" (root "Receive_J1939", rows under the root).
// The captured bytes of all rules must fit the 1440-byte input area.

#include "rules/can_mqtt/URuleWindow.h"

#include "rulefiles/URuleFiles.h"

// The capture of a single frame of 8 bytes (the rule without a transport
// protocol): Start Byte and N Byte both blank capture the whole frame and
// count `whole`; one of them blank is refused (texts[0]); otherwise the start
// counts from 0 (0..7, texts[1]), the number of bytes is 1..8 (texts[2]) and
// both together must stay within the frame (texts[3]). count: the bytes
// the row adds to the byte budget.
std::optional<TRuleFault> Check_Single_Frame(TRuleRow& r, int startCol, int nByteCol, const int (&texts)[4],
                                             int whole, long long& count);
// The byte-budget box: the reason and the limit, no row prefix.
TRuleFault Budget_Fault(TRuleRow& r, int text, int limit);

TRuleWindowDesc ReceiveJ1939_Desc();

class TFReceiveJ1939 : public TRuleWindow {
public:
    TFReceiveJ1939();
    TExColumnGrid* sga;
};

inline TFReceiveJ1939* FReceiveJ1939 = nullptr;
