#pragma once
// The CAN receive frames window: the CAN frames the gateway takes from the
// bus, each with its identifier, kind, length, data time-out and the array
// position of every data byte; kept in "CAN_Rec_Frames.xml" (root
// "Receive_Frames", rows under the root).

#include "rules/can_mqtt/URuleWindow.h"

// Size of the internal data array the byte positions address.
constexpr int CAN_MAX_Byte = 1440;

// The items of the CAN type columns.
inline const char* const CAN_Type_11 = "2.0A (11 bits)";
inline const char* const CAN_Type_29 = "2.0B (29 bits)";

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
