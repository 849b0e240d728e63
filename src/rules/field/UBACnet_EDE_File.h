#pragma once
// The BACnet EDE file (engineering data exchange) of the gateway working as
// a BACnet server: one line per server object of "BACnet_Slave_SetAccess.xml"
// (read page first, then write page) with its key name, the gateway's
// device instance, the object's name, type and instance and its unit code,
// after seven header lines naming the configuration and the time of
// writing. Fields are separated by ";" and never quoted; the text is
// Windows-1252, every line ended by CR LF. The device instance and the
// long-name mode come from "ParGen.xml".

#include <array>
#include <string>
#include <vector>

namespace UBACnet_EDE_File {

// One object line: seven fields, each written as it stands.
struct TBACnet_EDE_Obj {
    std::string Keyname;         // device instance "_" whole mnemonic "_" object instance
    std::string DevObjInstance;
    std::string ObjectName;      // the mnemonic cut to 16 characters (32 in long-name mode)
    std::string ObjectType;      // BACnet object type number
    std::string ObjectInstance;  // running number per object type
    std::string Description;     // the object name again
    std::string UnitCode;        // the row's "Eng_Unit" as it stands
};

// The BACnet object types the server rows name, by their data type text
// (trimmed, upper case), with their numbers; "OCTET STRING" is the
// octetstring-value object (47).
struct TEDE_Type {
    const char* dataType;
    int number;
};
inline constexpr std::array<TEDE_Type, 19> EDE_Types = {{
    {"ANALOG INPUT", 0},          {"ANALOG OUT", 1},          {"ANALOG VALUE", 2},
    {"BINARY INPUT", 3},          {"BINARY OUT", 4},          {"BINARY VALUE", 5},
    {"MULTI STATE INPUT", 13},    {"MULTI STATE OUTPUT", 14}, {"MULTI STATE VALUE", 19},
    {"LIFE SAFETY POINT", 21},    {"LIFE SAFETY ZONE", 22},   {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},          {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44},
    {"INTEGER VALUE", 45},        {"LARGE ANALOG VALUE", 46}, {"OCTET STRING", 47},
    {"POSITIVE INTEGER VALUE", 48},
}};

// The object type number of a data type text (trimmed and upper-cased
// here); -1 for a text that names none.
int BACnet_Object_Type_Code(const std::string& dataType);

// One export: the objects and what they are made of.
struct TEDE_Export {
    std::vector<TBACnet_EDE_Obj> EDE_Object_List;
    std::string EDE_Device_Instance;  // empty when the parameter file names none
    bool EDE_Long_Names = false;
    std::array<int, EDE_Types.size()> EDE_Instance_Counters{};

    void Reset_EDE_Counters() { EDE_Instance_Counters.fill(0); }
    // The next instance of a type number (then counted on); -1 for a
    // number not in EDE_Types.
    int Next_Instance_For_Type(int type);
};

// The device instance ("BACnet_Ser_DEV_IDE" when "BACnet_Type" reads 1,
// else "BACnet_DEV_IDE", taken unchanged) and the long-name mode of a
// communication parameter file; each item missing keeps its default (empty
// instance, normal mode), also when the file is missing or unreadable.
void Load_BACnet_Device_Param(TEDE_Export& e, const std::string& parGenFile);

// Appends one object per row of the server object file, read page then
// write page. A missing file gives none. Returns the reason the export
// cannot go on (the file unreadable, a section or a row's "Data_Type",
// "Eng_Unit" or "Mnemonic" missing, a data type that names no object type,
// a mnemonic holding ";" or a line break), empty when it can.
std::string Load_EDE_Objects(TEDE_Export& e, const std::string& ruleFile);

// "hh:mm:ss dd/mm/yyyy" of a date and time given as its parts.
std::string EDE_TimeStamp(int year, int month, int day, int hour, int minute, int second);
// The clock's (platform Now) time stamp.
std::string EDE_TimeStamp();

// The lines of the file (without line ends).
std::vector<std::string> EDE_Lines(const TEDE_Export& e, const std::string& projectName, const std::string& timeStamp);

// One export into fileName from the open configuration's files; a reason
// to stop or a file that cannot be written is shown in an error box and
// nothing is written (false).
bool Build_EDE_File(const std::string& fileName);
// The main window's step calls this with the full file name.
bool Save_EDE_File(const std::string& fileName);

} // namespace UBACnet_EDE_File
