#pragma once
// The CANopen EDS file (CiA 306, EDS version 4.0) of the gateway working as
// a CANopen slave: its receive and transmit PDOs from "PDO_CANopen.xml" and
// its SDO server objects from "SDO_Server_CANopen.xml". The text is plain
// ASCII, every line ended by CR LF.

#include <cstdint>
#include <string>
#include <vector>

namespace UEds {

inline constexpr const char* EDS_File_Name = "CANopen_MQTT.eds";
inline constexpr const char* EDS_Description = "Converter CANopen / MQTT";
inline constexpr const char* EDS_Product_Number = "V11";
inline constexpr const char* EDS_Order_Code = "QG41011";

struct TPDO_Entry {
    uint32_t COB_ID = 0;
    int32_t Dimension = 0;  // mapped data bytes, 0..8
};

struct SDO_Sub_Type {
    uint8_t Sub = 0;
    uint8_t Quantity = 0;   // size in bytes
    bool Readonly = false;  // an object of the "SDO in Read" page only
    std::string Mnemonic;
};

struct SDO_Index {
    uint16_t Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;  // never empty
};

// What one export reads from the two rule files.
struct TEds_Data {
    TPDO_Entry PDO_List[60];  // 0..29 receive, 30..59 transmit, in file order
    int Num_RxPDO = 0;
    int Num_TxPDO = 0;
    std::vector<SDO_Index> SDO_List;  // in order of first appearance
    std::vector<uint16_t> Reserved_Left_Out;  // SDO server indexes of objects of the file's own
};

// Whether the file writes an object of its own at that index (the fixed
// communication objects, the PDO parameters and the mapped PDO objects of
// up to 30 PDOs per direction): no SDO server object may take it, or the
// file would hold two sections of one name.
bool Reserved_Index(uint32_t index);

// The PDOs of the file (at most 30 per direction); a missing file, section
// or attribute gives none. COB-ID and Dimension that are no whole numbers
// read 0 and 8; a dimension is held to 0..8.
void Load_PDO_CANopen(TEds_Data& data, const std::string& path);
// The SDO server objects, read page then write page. The same index and
// sub-index named more than once give one object, read-only only when every
// naming is on the read page. Rows whose index or sub-index is no number
// of its range are left out, and so are reserved indexes (listed once each
// in Reserved_Left_Out).
void Load_SDO_Server_CANopen(TEds_Data& data, const std::string& path);
// Position of the entry with that index, -1 when none.
int Find_SDO_Index(const TEds_Data& data, uint16_t index);
// Sorts the sub entries of every entry by sub-index (stable).
void Sort_SDO_Sub_Indexs(TEds_Data& data);

// The lines of the file for a creation time given as its parts.
struct TEds_Time {
    int year, month, day, hour, minute;
};
std::vector<std::string> EDS_Lines(const TEds_Data& data, const TEds_Time& time);
// "hh:mmAM" / "hh:mmPM" (12-hour clock, 12 at noon and at midnight) and
// "MM-DD-YYYY".
std::string EDS_Time_Text(int hour, int minute);
std::string EDS_Date_Text(int year, int month, int day);

// Reads the configuration's PDO and SDO server files, takes the clock
// (platform Now) once and writes the file; a file that cannot be written is
// reported in an error box naming it (false). SDO server objects left out
// for a reserved index are named in a warning after the file is written.
bool Create_EDS_File(const std::string& fileName);

} // namespace UEds
