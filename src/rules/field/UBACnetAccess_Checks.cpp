// The BACnet client rules' value checks and the read grid's byte-count hint.
#include "rules/field/UBACnetAccess_Checks.h"

#include "core/ULanguage.h"
#include "core/UParsers.h"
#include "core/UWholeNumber.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

#include <array>
#include <initializer_list>

using ULanguage::Text;

namespace {

std::string Name(const std::string& s) { return UpperCase(Trim(s)); }

bool One_Of(int v, std::initializer_list<int> set)
{
    for (int s : set)
        if (v == s) return true;
    return false;
}

bool Proprietary_Type(int code) { return code >= 128 && code <= 1023; }

struct TObjName {
    const char* name;
    int code;
    bool write;
};

const std::array<TObjName, 15> Object_Names = {{
    {"ACCUMULATOR", BACnet_Obj::Accumulator, false},
    {"MULTI-STATE INPUT", BACnet_Obj::Multi_State_Input, false},
    {"MULTI-STATE OUTPUT", BACnet_Obj::Multi_State_Output, true},
    {"ANALOG INPUT", BACnet_Obj::Analog_Input, false},
    {"ANALOG OUTPUT", BACnet_Obj::Analog_Output, true},
    {"BINARY INPUT", BACnet_Obj::Binary_Input, false},
    {"BINARY OUTPUT", BACnet_Obj::Binary_Output, true},
    {"INTEGER VALUE", BACnet_Obj::Integer_Value, true},
    {"LARGE ANALOG VALUE", BACnet_Obj::Large_Analog_Value, true},
    {"POSITIVE INTEGER VALUE", BACnet_Obj::Positive_Integer_Value, true},
    {"MULTI-STATE VALUE", BACnet_Obj::Multi_State_Value, true},
    {"ANALOG VALUE", BACnet_Obj::Analog_Value, true},
    {"BINARY VALUE", BACnet_Obj::Binary_Value, true},
    {"LIFE SAFETY POINT", BACnet_Obj::Life_Safety_Point, true},
    {"LIFE SAFETY ZONE", BACnet_Obj::Life_Safety_Zone, true},
}};

// The data type a written Present Value of an object type takes: its name
// in upper case and its list text; nullptr for types that take none.
struct TValueType {
    const char* upper;
    const char* text;
};

const TValueType* Present_Value_Type(int obj)
{
    using namespace BACnet_Obj;
    static const TValueType unsignedInt{"UNSIGNED INT", "Unsigned Int"}, signedInt{"SIGNED INT", "Signed Int"},
        real{"REAL", "Real"}, dbl{"DOUBLE", "Double"}, enumerated{"ENUMERATED", "Enumerated"};
    if (One_Of(obj, {Multi_State_Output, Positive_Integer_Value, Multi_State_Value})) return &unsignedInt;
    if (obj == Integer_Value) return &signedInt;
    if (One_Of(obj, {Analog_Output, Analog_Value})) return &real;
    if (obj == Large_Analog_Value) return &dbl;
    if (One_Of(obj, {Binary_Output, Binary_Value})) return &enumerated;
    return nullptr;
}

} // namespace

int Check_Object_Type(const std::string& str, int read_write)
{
    const std::string t = Name(str);
    for (const TObjName& o : Object_Names)
        if (t == o.name) return read_write == 0 || o.write ? o.code : -1;
    const int32_t n = UComon::Whole_Number(t);
    return Proprietary_Type(n) ? n : -1;
}

int Check_Property(const std::string& str, int read_write, int Obj_Type)
{
    using namespace BACnet_Obj;
    const std::string t = Name(str);
    if (t == "PRESENT VALUE (85)") return BACnet_Present_Value;
    struct TReadProperty {
        const char* name;
        int result;
    };
    const int units = One_Of(Obj_Type, {Multi_State_Input, Multi_State_Output, Binary_Input, Binary_Output,
                                        Multi_State_Value, Binary_Value})
                          ? -1
                          : 4;
    const TReadProperty read[] = {
        {"OBJECT IDENTIFIER (75)", 4},
        {"UNITS (117)", units},
        {"SCALE (187)", Obj_Type == Accumulator ? 1 : -1},
        {"PRESCALE (185)", Obj_Type == Accumulator ? 5 : -1},
        {"POLARITY (84)", One_Of(Obj_Type, {Binary_Input, Binary_Output, Binary_Value}) ? 1 : -1},
        {"EVENT STATE (36)", 4},
        {"STATUS FLAGS (111)", 1},
        {"OBJECT TYPE (79)", 2},
        {"NUMBER OF STATES (74)", One_Of(Obj_Type, {Multi_State_Input, Multi_State_Output, Multi_State_Value}) ? 4 : -1},
    };
    for (const TReadProperty& p : read)
        if (t == p.name) return read_write == 0 ? p.result : -1;
    const int32_t n = UComon::Whole_Number(t);
    return n >= 512 && n <= 4184303 ? BACnet_Proprietary_Property : -1;
}

int Check_Data_Type(const std::string& str, int Obj_Type, int Property_val)
{
    if (Property_val != BACnet_Present_Value) return 0;
    if (Proprietary_Type(Obj_Type)) return 0;
    const TValueType* v = Present_Value_Type(Obj_Type);
    return v && Name(str) == v->upper ? 0 : -1;
}

std::string Aspected_Data_Type_Value(int Obj_Type, int Property_val)
{
    if (Property_val != BACnet_Present_Value) return {};
    const TValueType* v = Present_Value_Type(Obj_Type);
    return v ? v->text : std::string();
}

int Check_Num_Byte_Max(const std::string& str)
{
    const std::string t = Name(str);
    if (t == "NULL") return 0;
    if (t == "BOOLEAN") return 1;
    if (t == "DOUBLE") return 8;
    if (t == "BIT STRING") return 120;
    for (const char* four : {"UNSIGNED INT", "SIGNED INT", "REAL", "ENUMERATED", "DATE", "TIME", "OBJECT ID"})
        if (t == four) return 4;
    return 255;
}

int Check_Destination(const std::string& dNet, const std::string& dLen, const std::string& dAdd, int row,
                      bool inRead)
{
    // The fault texts come in pairs: read, then write.
    auto fault = [inRead](int readText) { return inRead ? readText : readText + 5; };
    const int32_t net = UComon::Whole_Number(dNet);
    if (net < 1 || net > 65535) return fault(4770);
    const int32_t len = UComon::Whole_Number(dLen);
    if (len != -1) {
        if (len == 1) {
            const int32_t a = UComon::Whole_Number(dAdd);
            return a >= 0 && a <= 255 ? 0 : fault(4772);
        }
        if (len == 2) {
            const int32_t a = UComon::Whole_Number(dAdd);
            return a >= 1 && a <= 65535 ? 0 : fault(4773);
        }
        if (len == 6) {
            uint8_t b1, b2, b3, b4;
            uint16_t port;
            return UComon::IP_Port_To_Bytes(Trim(dAdd), b1, b2, b3, b4, port) ? 0 : fault(4774);
        }
        return fault(4771);
    }
    // "M1" to "M8": that many bytes.
    const std::string form = Name(dLen);
    const int32_t n = form.size() == 2 && form[0] == 'M' ? UComon::Whole_Number(form.substr(1)) : -1;
    if (n < 1 || n > 8) return inRead ? 4786 : 4787;
    return Check_Dest_Add(dAdd, n, row, inRead) ? -1 : 0;
}

bool Check_Dest_Add(const std::string& values, int NumByte, int Row, bool InRead)
{
    auto shown = [&](int readText) {
        MessageDlg(Text(InRead ? 4737 : 4746) + std::to_string(Row) + Text(InRead ? readText : readText + 1),
                   TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return true;
    };
    std::string rest = Trim(values);
    if (rest.empty()) return shown(4788);
    int count = 0;
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        const std::string part = Trim(comma == std::string::npos ? rest : rest.substr(0, comma));
        rest = comma == std::string::npos ? std::string() : Trim(rest.substr(comma + 1));
        const int32_t byte = UComon::Whole_Number(part);
        if (byte < 0 || byte > 255) return shown(4782);
        if (++count > NumByte) return shown(4784);
    }
    if (count < NumByte) return shown(4788);
    return false;
}

std::string Str_Hint_Read(const std::string& objectType, const std::string& property)
{
    using namespace BACnet_Obj;
    if (Trim(objectType).empty() || Trim(property).empty()) return {};
    const int c = Check_Object_Type(objectType, 0);
    const int p = Check_Property(property, 0, c);
    if (p >= 1 && p <= 49) return std::to_string(p);
    if (p != BACnet_Present_Value) return {};
    if (One_Of(c, {Accumulator, Multi_State_Input, Multi_State_Output, Analog_Input, Analog_Output, Integer_Value,
                   Positive_Integer_Value}))
        return "4";
    if (One_Of(c, {Binary_Input, Binary_Output})) return "1";
    if (c == Large_Analog_Value) return "8";
    return {};
}
