#pragma once
// The windows of the program, created once at start-up in this order and
// kept until the end. A window that is not built yet has no entry in the
// creation table (UWindows.cpp) and Window() answers nullptr for it; it
// joins by adding its factory there.

#include "platform/Forms.h"

#include <string>
#include <vector>

enum class TWindowId {
    ZelvatoreFirmWare, ParGen, New_Project, OpenConf, About, SoftOptions, MQTT_Set_Topic, Meter_Bus, NewIDNode,
    Boot, SetAccess, MQTT_Set_Access, MQTT_SetAccess_Eth, TopicTemplate, Modbus_TCP_Master_Set_Access,
    ReceiveCAN, TransmitCAN, Set_PDO_Access, Set_SDO_Client_Access, Set_SDO_Server_Access, ReceiveJ1939,
    TransmitJ1939, DNet, DefOffset, ScanDecode, InsertKeyWireless, ScanModbusStart, ModbusStartAdd_SD,
    ProfinetFileName, ReceiveNMEA, TransmitNMEA, DMXDefVal, KNXAccess, SNMP_Trap_Access, SNMPManagerAccess,
    BACnetSlaveSetAccess, BACnet_Eng_Unit, DALI_Access, BACnetAccess, ImportEDEFile,
    Count
};

// Creates the main window (its start-up runs with programFolder) and then
// every other window that exists, in TWindowId order.
void Create_Windows(const std::string& programFolder);
// Destroys them in reverse order.
void Destroy_Windows();
// The window, or nullptr while it does not exist.
TForm* Window(TWindowId id);
// The windows created, in creation order.
const std::vector<TWindowId>& Created_Windows();
// Shows the window modally; mrNone when it does not exist.
int Show_Window(TWindowId id);
