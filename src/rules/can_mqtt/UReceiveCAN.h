#pragma once
// The CAN receive frames window: the CAN frames the gateway takes from the
// bus, each with its identifier, kind, length, data time-out and the array
// position of every data byte; kept in "CAN_Rec_Frames.xml" (root
// "Receive_Frames", rows under the root).

#include "rules/can_mqtt/URuleWindow.h"

#include "rulefiles/URuleFiles.h"

// Checks shared by the two CAN frame windows on one row: the identifier
// against its kind, the length, and the byte positions up to the length.
// texts: 11-bit, 29-bit, dimension; byteTexts: the eight byte reasons;
// orNone: the text after the limit.
std::optional<TRuleFault> Check_CAN_Identifier(TRuleRow& r, int text11, int text29, int textDim);
std::optional<TRuleFault> Check_CAN_Bytes(TRuleRow& r, int firstByteCol, const int (&byteTexts)[8], int orNone);

TRuleWindowDesc ReceiveCAN_Desc();

class TFReceiveCAN : public TRuleWindow {
public:
    TFReceiveCAN();
    TExColumnGrid* ECG_CAN_Receive;
};

inline TFReceiveCAN* FReceiveCAN = nullptr;
