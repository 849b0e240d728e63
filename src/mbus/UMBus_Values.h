#pragma once
// Value conversion of one data record (EN 13757-3): the number by the data
// field, the quantity and unit by the VIF, the FD / FB extension tables and
// the combinable VIFEs, the power of ten they carry, and the value text.
// Also the medium texts and the three-letter manufacturer code of meter
// headers.

#include "mbus/UMBus_Types.h"

#include <array>
#include <cstdint>
#include <string>

// The bytes of the record being converted: the decoder fills them before it
// runs the conversion. Each thread that decodes keeps its own.
struct TRecordScratch {
    std::array<std::uint8_t, 256> App_Data_Val{};  // data bytes
    std::array<std::uint8_t, 10> App_Vife_Val{};   // VIFE bytes
    int Num_Vife = 0;                               // VIFEs in App_Vife_Val

    void Clear()
    {
        App_Data_Val.fill(0);
        App_Vife_Val.fill(0);
        Num_Vife = 0;
    }
};

// Writes type_data, Type_Data_Vife, Desc_Type_Data and ValueStr of rec from
// the VIF, the first VIFE, the data length, the LVAR byte and the data field
// (DIF and 0F), reading the data and VIFE bytes from scratch. A data length
// beyond the scratch is clipped to it.
void Decode_Value_VIF(std::uint8_t vif, std::uint8_t firstVife, TVariable_MBus& rec, int dataLength,
                      std::uint8_t lvar, std::uint8_t dataField, const TRecordScratch& scratch);

// BCD number of the first `count` bytes (least significant first). A last
// byte of F0 or above carries a sign nibble: the value is negated and that
// nibble is not a digit.
long double BCD_To_Int(const std::uint8_t* bytes, int count);
long double Power_Of_Ten(int exponent);
// Decimal with at least two digits ("07", "15", "123").
std::string Two_Digits(int v);

// Medium (device type) byte as text; "Other" for codes without a name.
std::string Medium_Description(int medium);
// Three-letter manufacturer code of the 16-bit manufacturer field.
std::string Trova_Man(std::uint16_t manufacturer);
// One letter of the code: 1..26 give A..Z, anything else "?".
char Man_Letter(int code);
