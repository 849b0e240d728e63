#pragma once
// The value checks of the BACnet client rules and the byte-count hint of
// their read grid, as plain functions: each takes cell texts (compared
// trimmed and in upper case) and codes and answers a code or a verdict.
// Only Check_Dest_Add shows its faults itself; the others leave the message
// to the caller.

#include <string>

// Object-type codes of the client window (its own numbering, not the BACnet
// object-type numbers); a proprietary type keeps its number (128 to 1023).
namespace BACnet_Obj {
constexpr int Accumulator = 1, Multi_State_Input = 2, Multi_State_Output = 3, Analog_Input = 4, Analog_Output = 5,
              Binary_Input = 6, Binary_Output = 7, Integer_Value = 8, Large_Analog_Value = 9,
              Positive_Integer_Value = 10, Multi_State_Value = 11, Analog_Value = 12, Binary_Value = 13,
              Life_Safety_Point = 14, Life_Safety_Zone = 15;
}

// Property results: 1 to 49 the value's size in bytes, Present Value and a
// proprietary property.
inline constexpr int BACnet_Present_Value = 100;
inline constexpr int BACnet_Proprietary_Property = 200;

// The code of an Object Type cell; read_write 0 for the read grid, any
// other value for the write grid; -1 for a type that grid does not take.
int Check_Object_Type(const std::string& str, int read_write);
// The result of a Property cell for an object-type code; -1 when refused.
int Check_Property(const std::string& str, int read_write, int Obj_Type);
// Non-negative when a written value's Data Type cell suits the object type
// and property, -1 when not.
int Check_Data_Type(const std::string& str, int Obj_Type, int Property_val);
// The data type the user should have chosen (its list text), or empty.
std::string Aspected_Data_Type_Value(int Obj_Type, int Property_val);
// The largest byte count of a Data Type cell.
int Check_Num_Byte_Max(const std::string& str);

// The destination of a routed rule (En Dest ticked): D Net, D Len and D Add
// of a row. Returns the fault's text for the caller to show (the read
// text, or the write text when inRead is false), 0 when the destination
// passes, and -1 when Check_Dest_Add has shown the fault itself.
int Check_Destination(const std::string& dNet, const std::string& dLen, const std::string& dAdd, int row,
                      bool inRead);
// The bytes of an "M1" to "M8" destination address: numBytes whole numbers
// 0 to 255 separated by ",". A fault is shown in an error box (the page's
// row prefix, the row and the reason) and answers true; false when the
// address passes.
bool Check_Dest_Add(const std::string& values, int NumByte, int Row, bool InRead);

// The byte-count hint of a read rule's Object Type and Property cells
// (empty when there is none).
std::string Str_Hint_Read(const std::string& objectType, const std::string& property);
