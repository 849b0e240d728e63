#pragma once
// The DMX default values: one value 0 to 255 and a description for every
// channel of the gateway's DMX port, kept in "DMX_Default_Values.xml"
// (root "DMX_Default_Values", one "Row" per channel under the root). The
// channel count comes from the communication parameter file at every
// showing.

#include "rules/can_mqtt/URuleWindow.h"

#include <functional>
#include <string>

// The channels when the communication parameter file names none (or none
// from 1 to this).
inline constexpr int DMX_Max_Channels = 512;

// The channel count of the communication parameter file: its
// "DMX_Num_Channels" read as a whole number; DMX_Max_Channels when the file
// or the key is missing, or the text is no number from 1 to DMX_Max_Channels.
int DMX_Channel_Count(const std::string& parGenFile);

// The window's table over the channel count of the parameter file that
// parGenFile names at each showing.
TRuleWindowDesc DMXDefVal_Desc(std::function<std::string()> parGenFile);

class TFDMXDefVal : public TRuleWindow {
public:
    TFDMXDefVal();
    TExColumnGrid* ECG_DMX_Def_Val;
};

inline TFDMXDefVal* FDMXDefVal = nullptr;
