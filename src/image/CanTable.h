#pragma once
// Bank 2, first part: the CAN frame table, filled from the CAN receive and
// send rule files.

#include "image/ImageTypes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace USaveBincc {

using TCAN_Table = std::array<TCAN_Frame_Entry, 1024>;

// Makes every entry an empty entry.
void Init_CAN_Table(TCAN_Table& table);
// Fills entries 0, 1, ... from File_CAN_Rec_Frames, then File_CAN_Send_Frames
// (enabled rows only, receive rows first); returns the number filled.
// Raises EImageBuildError for an unreadable file or more than 1024 rows,
// URuleFiles::ERuleRowError for a number outside its range.
uint32_t Load_CAN_Frames_Image(TCAN_Table& table);
// Writes the 1024 entries (32768 bytes) at the position.
uint32_t Pack_CAN_Table(const TCAN_Table& table, uint32_t position, std::vector<uint8_t>& buffer, uint32_t limit);

} // namespace USaveBincc
