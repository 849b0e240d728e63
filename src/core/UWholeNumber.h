#pragma once
// The one reading of whole numbers typed into rule tables and stored in the
// configuration's files: leading blanks are skipped, an optional "+" or "-"
// follows, then either decimal digits, or hexadecimal digits after "$",
// "x", "X", "0x" or "0X". Nothing may follow the digits and the value must
// lie in the signed 32-bit range (or, in the 64-bit form, the signed
// 64-bit range). Every rule check and the device image builder read
// numbers this way.

#include <cstdint>
#include <string_view>

namespace UComon {

// False (value untouched) when the text is no whole number.
bool Try_Whole_Number(std::string_view text, int32_t& value);
// The number, or -1 for a text that is none (so it fails every range that
// starts at 0 or 1).
int32_t Whole_Number(std::string_view text);
// The number, or def for a text that is none.
int32_t Whole_Number_Def(std::string_view text, int32_t def);

// The 64-bit form, for values beyond the 32-bit range (BACnet instances).
bool Try_Whole_Number(std::string_view text, int64_t& value);
// The number, or -1 for a text that is none.
int64_t Whole_Number64(std::string_view text);

} // namespace UComon
