#include "core/UComon.h"

#include "platform/Paths.h"
#include "platform/XmlDoc.h"

namespace UComon {

const std::vector<ConfigFile>& Config_Files()
{
    static const std::vector<ConfigFile> files = {
        {&File_ParGen, "ParGen.xml"},
        {&File_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
        {&File_M_Bus, "M_Bus.xml"},
        {&File_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
        {&File_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
        {&File_MQTT_Set_Access, "MQTT_Set_Access.xml"},
        {&File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
        {&File_CAN_Send_Frames, "CAN_Send_Frames.xml"},
        {&File_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
        {&File_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
        {&File_PDO_CANopen, "PDO_CANopen.xml"},
        {&File_DNETM_Net, "DNETM_Net.xml"},
        {&File_DNETM_DefOff, "DNETM_DefOff.xml"},
        {&File_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
        {&File_J1939_Send_Frames, "J1939_Send_Frames.xml"},
        {&File_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
        {&File_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
        {&File_DMX_Default_Values, "DMX_Default_Values.xml"},
        {&File_KNX_SetAccess, "KNX_SetAccess.xml"},
        {&File_SNMP_Trap, "SNMP_Trap.xml"},
        {&File_SNMP_Manager, "SNMP_Manager.xml"},
        {&File_BACnet_Slave_SetAccess, "BACnet_Slave_SetAccess.xml"},
        {&File_DALI_Access, "DALI_Access.xml"},
        {&File_DALI2_Access, "DALI2_Access.xml"},
        {&File_BACnet_Master_Access, "BACnet_Master_Access.xml"},
    };
    return files;
}

namespace {
// The settings file Read_Setting met could not be read (damaged, too large).
bool Settings_Unreadable = false;
} // namespace

void Init_State(const std::string& programFolder)
{
    Settings_Unreadable = false;
    UI_Texts.Clear();
    Lang_Override_Bound = 5100;
    Program_Folder = programFolder;
    while (Program_Folder.size() > 1 && Program_Folder.back() == PathDelim) Program_Folder.pop_back();
    Master_Folder = PathJoin(Program_Folder, "MASTER");
    Projects_Root = PathJoin(Program_Folder, "PROJECTS");
    Language_Folder = PathJoin(Program_Folder, "LANGUAGE");
    Project_Name.clear();
    Project_Folder.clear();
    Main_Caption.clear();
    SW_Code = "QS41010";
    SW_Description = "CAN / MQTT - Converter";
    Device_IP = "192.168.2.205";
    Update_Option_Index = 0;
    Update_Read_Back = true;
    Language_Name = "English";
    Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_DblClick_Auto_Size = false;
    Last_EDE_Folder.clear();
    Row_Clipboard.Clear();
    Row_Clipboard_Chk.clear();
    MBus_Slave_List.clear();
    wMBus_Slave_List.clear();
    MIB_Read_List.Clear();
    MIB_Write_List.Clear();
    Set_Files();
}

void Create_Program_Folders()
{
    for (const std::string* f : {&Master_Folder, &Projects_Root, &Language_Folder})
        if (!DirectoryExists(*f)) ForceDirectories(*f);
}

void Set_Files()
{
    for (const auto& f : Config_Files())
        *f.path = Project_Folder.empty() ? std::string() : PathJoin(Project_Folder, f.name);
}

std::string Settings_File() { return PathJoin(Program_Folder, "Zelvator.xml"); }

namespace {

// Text of root/group/name; false when an element on the way is missing.
bool ReadValue(pugi::xml_node root, const char* group, const char* name, std::string& out)
{
    const pugi::xml_node g = ChildElement(root, group);
    if (!g) return false;
    const pugi::xml_node e = ChildElement(g, name);
    if (!e) return false;
    out = ElementText(e);
    return true;
}

bool ReadFlag(pugi::xml_node root, const char* name)
{
    std::string v;
    return ReadValue(root, "lastinternet", name, v) && v == "1";
}

} // namespace

void Read_Setting()
{
    Project_Name.clear();
    Project_Folder.clear();
    Device_IP = "192.168.2.205";
    Language_Name = "English";
    Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_DblClick_Auto_Size = false;

    TXmlDocument doc;
    const TXmlLoad loaded = doc.LoadFromFile(Settings_File());
    Settings_Unreadable = loaded == TXmlLoad::Unreadable;
    if (loaded != TXmlLoad::Read) return;
    const pugi::xml_node root = doc.Root();
    std::string v;
    if (ReadValue(root, "lastproj", "projectname", v)) Project_Name = v;
    if (ReadValue(root, "lastipadd", "ipaddress", v)) Device_IP = v;
    if (ReadValue(root, "lastlang", "language", v)) Language_Name = v;
    Opt_Enable_Internet = ReadFlag(root, "enable_internet");
    Opt_Enable_Update = ReadFlag(root, "enable_update");
    Opt_Jump_Field_Tables = ReadFlag(root, "enable_jump_field_tables");
    Opt_DblClick_Auto_Size = ReadFlag(root, "Double_Click_Auto_Size");
}

bool Save_Setting()
{
    TXmlDocument doc;
    pugi::xml_node root = doc.NewDocument("Conf_Settings");
    AddTextElement(root.append_child("lastproj"), "projectname", Project_Name);
    AddTextElement(root.append_child("lastipadd"), "ipaddress", Device_IP);
    AddTextElement(root.append_child("lastlang"), "language", Language_Name);
    pugi::xml_node inet = root.append_child("lastinternet");
    AddTextElement(inet, "enable_internet", Opt_Enable_Internet ? "1" : "0");
    AddTextElement(inet, "enable_update", Opt_Enable_Update ? "1" : "0");
    AddTextElement(inet, "enable_jump_field_tables", Opt_Jump_Field_Tables ? "1" : "0");
    AddTextElement(inet, "Double_Click_Auto_Size", Opt_DblClick_Auto_Size ? "1" : "0");
    const std::string file = Settings_File();
    // A read-only settings file is one that cannot be written, damaged or not.
    if (FileIsReadOnly(file)) return false;
    if (Settings_Unreadable && FileExists(file)) {
        const std::string bad = file + ".bad";
        DeleteFile(bad);
        if (!RenameFile(file, bad)) return false;
    }
    if (!doc.SaveToFile(file)) return false;
    Settings_Unreadable = false;
    return true;
}

bool Is_Valid_Project_Name(const std::string& name)
{
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of("/\\:") == std::string::npos;
}

} // namespace UComon
