#pragma once
// UI text table and language files.
//
// UComon::UI_Texts holds 5300 texts, ids 0..5299: the built-in English
// defaults, overridden by the chosen language file for ids below
// UComon::Lang_Override_Bound. Windows read texts with Text(id).

#include <functional>
#include <string>

namespace ULanguage {

// Windows whose texts Change_Language re-applies, in the order it applies them.
enum class TLangWindow {
    Main, New_Project, OpenConf, SoftOptions, Boot, ParGen, MQTT_Set_Topic, Meter_Bus,
    NewIDNode, SetAccess, Modbus_TCP_Master_Set_Access, ReceiveCAN, TransmitCAN,
    Set_PDO_Access, Set_SDO_Client_Access, Set_SDO_Server_Access, ReceiveJ1939,
    TransmitJ1939, DNet, DefOffset, ScanDecode, InsertKeyWireless, ScanModbusStart,
    ModbusStartAdd_SD, ProfinetFileName, ReceiveNMEA, TransmitNMEA, DMXDefVal, KNXAccess,
    SNMP_Trap_Access, SNMPManagerAccess, BACnetSlaveSetAccess, BACnet_Eng_Unit,
    DALI_Access, BACnetAccess, ImportEDEFile,
    Count
};

// Clears UI_Texts and fills it with the 5300 built-in texts; the bound
// becomes 5100.
void Load_Default_Lang();
// Reads one language file into UI_Texts (unknown or malformed lines are
// skipped); a file that is there but cannot be read, or is larger than
// Max_Read_File_Size, is reported in an error box and changes nothing.
void Read_Lang_File(const std::string& fileName);
// The file of a language in folder: "<language>.lng", the exact name first,
// else the one whose name matches without regard to case ("Upper.LNG");
// "" when there is none.
std::string Language_File(const std::string& folder, const std::string& language);
// Defaults, then the file of Language_Name (falls back to English, also for
// a name that is no plain file name, such as "../x").
void Load_Language();

// Entry id of UI_Texts; raises EListError for an id outside the table.
const std::string& Text(int id);

// A window registers its Set_Lang when it is created and unregisters when
// destroyed; Apply_Set_Lang runs the registered ones in TLangWindow order.
void Register_Set_Lang(TLangWindow window, std::function<void()> setLang);
void Unregister_Set_Lang(TLangWindow window);
void Apply_Set_Lang();

} // namespace ULanguage
