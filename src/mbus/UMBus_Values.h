#pragma once
// Value conversion of one data record (EN 13757-3): the number by the data
// field, the quantity and unit by the VIF, the FD / FB extension tables and
// the combinable VIFEs, the power of ten they carry, and the value text.
// Also the medium texts and the three-letter manufacturer code of meter
// headers.

#include "mbus/UMBus_Types.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

// The bytes of the record being converted: the decoder fills them before it
// runs the conversion. Each thread that decodes keeps its own.
struct TRecordScratch {
    std::array<std::uint8_t, 256> App_Data_Val{};  // data bytes
    std::array<std::uint8_t, 10> App_Vife_Val{};   // VIFE bytes
    int Num_Vife = 0;                               // VIFEs in App_Vife_Val
    int Num_Data = 0;                               // data bytes Load put in App_Data_Val

    void Clear()
    {
        App_Data_Val.fill(0);
        App_Vife_Val.fill(0);
        Num_Vife = 0;
        Num_Data = 0;
    }
    // Holds one record's bytes, every byte after them zero (only what the
    // record before left there is cleared). Lengths are clipped to the
    // buffers.
    void Load(const std::uint8_t* data, int length, const std::uint8_t* vife, int numVife)
    {
        length = std::clamp(length, 0, static_cast<int>(App_Data_Val.size()));
        numVife = std::clamp(numVife, 0, static_cast<int>(App_Vife_Val.size()));
        if (Num_Data > length) std::fill(App_Data_Val.begin() + length, App_Data_Val.begin() + Num_Data, 0);
        std::copy_n(data, length, App_Data_Val.begin());
        Num_Data = length;
        App_Vife_Val.fill(0);
        std::copy_n(vife, numVife, App_Vife_Val.begin());
        Num_Vife = numVife;
    }
};

// Error of a record that cannot be analysed (kept in the list).
inline constexpr const char* kErrNotAnalysable = "Non analizabile";
// Value texts of a BCD number with a digit above 9 (the record is marked
// not analysable) and of a date or date and time the meter marks invalid
// (type F with its "time invalid" bit, type G with every bit set).
inline constexpr const char* kInvalidBCD = "Invalid BCD";
inline constexpr const char* kInvalidDate = "Invalid date";

// Writes type_data, Type_Data_Vife, Desc_Type_Data and ValueStr of rec from
// the VIF, the first VIFE, the data length, the LVAR byte and the data field
// (DIF and 0F), reading the data and VIFE bytes from scratch. A data length
// beyond the scratch is clipped to it. Text in variable-length data
// (LVAR 00..BF) is shown last character first (control characters as "?"),
// a binary number of LVAR F0..FA as hexadecimal, last byte first; every
// other value, plain-text units included, is the number by the data field.
void Decode_Value_VIF(std::uint8_t vif, std::uint8_t firstVife, TVariable_MBus& rec, int dataLength,
                      std::uint8_t lvar, std::uint8_t dataField, const TRecordScratch& scratch);

// BCD number of the first `count` bytes (least significant first). A last
// byte of F0 or above carries a sign nibble: the value is negated and that
// nibble is not a digit.
long double BCD_To_Int(const std::uint8_t* bytes, int count);
long double Power_Of_Ten(int exponent);
// Decimal with at least two digits ("07", "15", "123").
std::string Two_Digits(int v);
// Appends v as the class library's FloatToStr writes it (15 significant
// digits, shortest form, "E" exponent, the platform's decimal separator).
void Append_General_Number(std::string& s, double v);

// Medium (device type) byte as text; "Other" for codes without a name.
std::string Medium_Description(int medium);
// Three-letter manufacturer code of the 16-bit manufacturer field.
std::string Trova_Man(std::uint16_t manufacturer);
// One letter of the code: 1..26 give A..Z, anything else "?".
char Man_Letter(int code);
