#pragma once
// Bank 1: the device parameter block, filled from "ParGen.xml".

#include "image/ImageTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace USaveBincc {

// Defaults of the block (every byte the builder does not fill stays zero).
void Init_Par_Block(TPar_Block& block);
// Reads File_ParGen into the block and the connection, TLS and NTP fields
// of the MQTT record. A missing file reads nothing. Raises EImageBuildError
// for an unreadable file, an over-long SSID or password, and, with TLS on,
// a named certificate or key file that is missing.
void Load_ParGen_Image(TPar_Block& block, TMQTT& mqtt);
// Full path of a certificate of the configuration, or "" when the name is
// empty or not a bare file name (holds a separator, or is "." or "..").
std::string Certificate_Path(const std::string& name);
// The text of a certificate or key file of the configuration's
// "Certificates" folder, every line ended by CR LF; the bare name itself
// when the file is missing.
std::string Read_Certificate_Text(const std::string& name);
// Stores the byte sum at 0x7FC and copies the block to buffer[position..].
uint32_t Pack_Bank1(TPar_Block& block, uint32_t position, std::vector<uint8_t>& buffer, uint32_t limit);

// CAN bit rate of an index of the bit-rate list (out of range: 1000000).
uint32_t CAN_Baud_Rate(int32_t index);

} // namespace USaveBincc
