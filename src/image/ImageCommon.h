#pragma once
// Shared pieces of the device image builder: the bounded byte writer every
// packer uses, the whole-number syntax of the configuration files as the
// builder reads them, and the text conversions of the image.

#include "image/USaveBincc.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace USaveBincc {

// Device addresses and sizes of the two banks.
constexpr uint32_t Bank1_Capacity = 131072;  // 128 KiB
constexpr uint32_t Bank2_Capacity = 524288;  // 512 KiB
constexpr uint32_t Bank1_Limit = Bank1_Capacity - 1;
constexpr uint32_t Bank2_Limit = Bank2_Capacity - 1;
constexpr uint32_t CAN_Table_Address = 0x80000;
constexpr uint32_t MQTT_Struct_Address = 0x88000;
constexpr uint32_t CAN_Table_Entries = 1024;
constexpr uint32_t CAN_Entry_Size = 32;
constexpr uint32_t CAN_Table_Size = CAN_Table_Entries * CAN_Entry_Size;  // 0x8000
// Room left for the MQTT structure behind the CAN table in bank 2.
constexpr uint32_t MQTT_Struct_Max = Bank2_Capacity - CAN_Table_Size;  // 491520

// Writes little-endian values into a buffer from a position on, never past
// the highest index it was given (raises EImageBuildError instead).
class TBankWriter {
public:
    TBankWriter(std::vector<uint8_t>& buffer, uint32_t position, uint32_t limit);
    void U8(uint32_t v);
    void U16(uint32_t v);
    void U32(uint32_t v);
    void Bytes(const void* data, size_t count);
    uint32_t Position() const { return pos_; }

private:
    void Room(size_t count) const;
    std::vector<uint8_t>& buf_;
    uint32_t pos_;
    uint32_t limit_;
};

// A whole number as the builder reads it: the program's one reading of
// whole numbers (core/UWholeNumber.h), within the signed 32-bit range.
bool Image_TryStrToInt(std::string_view s, int32_t& out);
int32_t Image_StrToIntDef(std::string_view s, int32_t def);

// Text of an element, telling a missing element apart.
bool Element_Text(pugi::xml_node root, const char* name, std::string& out);

// Message of a failed build: the file, then what is wrong.
[[noreturn]] void Raise_Build_Error(const std::string& file, const std::string& what);
// Stops the build when a number read from a file lies outside lo..hi (the
// range of the field it is packed into, or the narrower one the windows
// enforce): the message names the file, where the number stands and the
// text as written (the rule files' rows: URuleFiles::TRuleRowReader).
void Check_Range(const std::string& file, const std::string& where, const std::string& text, int64_t value,
                 int64_t lo, int64_t hi);

} // namespace USaveBincc
