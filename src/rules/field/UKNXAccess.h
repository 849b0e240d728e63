#pragma once
// The KNX rules: each ties a KNX message (source address, destination group
// or individual address, APCI, priority) to a value of the internal data
// array (position, byte or bit mode, length, format, multiplication factor)
// and says when it is sent and how long its data stays valid; kept in
// "KNX_SetAccess.xml" (root "BACnet_to_KNX", section "KNX_in_Write").

#include "rules/can_mqtt/URuleWindow.h"

// Real columns of the grid.
namespace KNX_Col {
constexpr int Enable = 1, Source = 2, Destination = 3, APCI = 4, Priority = 5, Data_Format = 6, Mul_Factor = 7,
              Extended = 8, ReTest = 9, On_Command = 10, On_Change = 11, On_Timer = 12, Poll_Time = 13,
              Position = 14, Bit_Mode = 15, Length = 16, TimeOut = 17, Mnemonic = 18;
}

// The internal data array the rules address.
inline constexpr int KNX_Max_Num_Byte = 1440;

TRuleWindowDesc KNXAccess_Desc();

class TFKNXAccess : public TRuleWindow {
public:
    TFKNXAccess();
    TExColumnGrid* ECG_KNX_in_Write;
};

inline TFKNXAccess* FKNXAccess = nullptr;
