#pragma once
// Program state shared by every window: the open configuration, the
// program's folders, the remembered device address, the UI language, the
// option flags, the paths of the configuration's files, the row clipboard
// and the lists other modules fill. One instance of each, used from the
// GUI thread only.

#include "platform/Classes.h"

#include <memory>
#include <string>
#include <vector>

class TSlave_MBus;
class TSlave_wMBus;

namespace UComon {

// UI text table (filled by ULanguage) and the first id a language file may
// not override.
inline TStringList UI_Texts;
inline int Lang_Override_Bound = 5100;

inline std::string Project_Name;
inline std::string Project_Folder;  // empty: no configuration open
inline std::string Projects_Root;
inline std::string Program_Folder;
inline std::string Master_Folder;
inline std::string Language_Folder;
inline std::string Main_Caption;
inline std::string SW_Code = "QS41010";
inline std::string SW_Description = "CAN / MQTT - Converter";
inline std::string Device_IP = "192.168.2.205";
inline int Update_Option_Index = 0;
inline bool Update_Read_Back = true;
inline std::string Language_Name = "English";
inline bool Opt_Enable_Internet = false;
inline bool Opt_Enable_Update = false;
inline bool Opt_Jump_Field_Tables = false;
inline bool Opt_DblClick_Auto_Size = false;
inline std::string Last_EDE_Folder;

// Full paths of the configuration's files (empty while none is open).
inline std::string File_ParGen;
inline std::string File_MQTT_Set_Topic;
inline std::string File_M_Bus;
inline std::string File_ModbusM_SetAccess;
inline std::string File_ModbusTCPM_SetAccess;
inline std::string File_MQTT_Set_Access;
inline std::string File_CAN_Rec_Frames;
inline std::string File_CAN_Send_Frames;
inline std::string File_SDO_Server_CANopen;
inline std::string File_SDO_Client_CANopen;
inline std::string File_PDO_CANopen;
inline std::string File_DNETM_Net;
inline std::string File_DNETM_DefOff;
inline std::string File_J1939_Rec_Frames;
inline std::string File_J1939_Send_Frames;
inline std::string File_NMEA_Rec_Frames;
inline std::string File_NMEA_Send_Frames;
inline std::string File_DMX_Default_Values;
inline std::string File_KNX_SetAccess;
inline std::string File_SNMP_Trap;
inline std::string File_SNMP_Manager;
inline std::string File_BACnet_Slave_SetAccess;
inline std::string File_DALI_Access;
inline std::string File_DALI2_Access;
inline std::string File_BACnet_Master_Access;

inline TStringList Row_Clipboard;
inline std::vector<bool> Row_Clipboard_Chk;
inline std::vector<std::shared_ptr<TSlave_MBus>> MBus_Slave_List;
inline std::vector<std::shared_ptr<TSlave_wMBus>> wMBus_Slave_List;
inline TStringList MIB_Read_List;
inline TStringList MIB_Write_List;

// The configuration files, in the order Set_Files assigns them.
struct ConfigFile {
    std::string* path;
    const char* name;
};
const std::vector<ConfigFile>& Config_Files();

// Resets every variable to its start value and sets the program's folders
// below programFolder (no folder is created).
void Init_State(const std::string& programFolder);
// Creates MASTER, PROJECTS and LANGUAGE when missing (failures ignored).
void Create_Program_Folders();
// Assigns the 25 paths from Project_Folder; all empty when none is open.
void Set_Files();
// Reads "Zelvator.xml" of Program_Folder into the state; a missing or
// malformed file leaves the defaults.
void Read_Setting();
// Writes "Zelvator.xml" whole; false when the file could not be written.
// A file that Read_Setting found unreadable is first kept beside it as
// "Zelvator.xml.bad" (one copy, replacing an earlier one), so nothing the
// user had is destroyed; false when that copy cannot be kept.
bool Save_Setting();
std::string Settings_File();

// True when name can be a configuration folder under PROJECTS: not empty,
// no path separator or drive colon, not "." or "..".
bool Is_Valid_Project_Name(const std::string& name);

} // namespace UComon
