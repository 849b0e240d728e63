#pragma once
// Bank 2, second part: the packed MQTT structure the gateway reads in place
// at device address 0x88000.

#include "image/ImageTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace USaveBincc {

// Header length; its last byte is the zero every empty plain text points at.
constexpr uint32_t MQTT_Header_Size = 221;
constexpr uint32_t Empty_String_Offset = 220;

void Init_MQTT_Struct(TMQTT& m);
// Gives every text and array its offset in the structure and sets the
// lengths and counts; returns the length of the whole structure. Raises
// EImageBuildError when the structure would not fit behind the CAN table.
uint32_t Assign_MQTT_Addresses(TMQTT& m);
// Writes the structure at the position with device addresses from base.
uint32_t Pack_MQTT_Struct(const TMQTT& m, uint32_t base, uint32_t position, std::vector<uint8_t>& buffer,
                          uint32_t limit);
uint32_t Pack_MQTTString(const TMQTTString& s, uint32_t base, uint32_t position, std::vector<uint8_t>& buffer,
                         uint32_t limit);
uint32_t Pack_CString(const std::string& text, uint32_t position, std::vector<uint8_t>& buffer, uint32_t limit);

} // namespace USaveBincc
