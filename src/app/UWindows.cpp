#include "app/UWindows.h"

#include "app/UAbout.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/UZelvatoreFirmWare.h"
#include "image/UBoot.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UNewIDNode.h"
#include "params/UParGen.h"
#include "rules/can_mqtt/UDNet.h"
#include "rules/can_mqtt/UDefOffset.h"
#include "rules/can_mqtt/UMQTT_Set_Access.h"
#include "rules/can_mqtt/UMQTT_Set_Topic.h"
#include "rules/can_mqtt/UReceiveCAN.h"
#include "rules/can_mqtt/UReceiveJ1939.h"
#include "rules/can_mqtt/UReceiveNMEA.h"
#include "rules/can_mqtt/USet_PDO_Access.h"
#include "rules/can_mqtt/USet_SDO_Client_Access.h"
#include "rules/can_mqtt/USet_SDO_Server_Access.h"
#include "rules/can_mqtt/UTransmitCAN.h"
#include "rules/can_mqtt/UTransmitJ1939.h"
#include "rules/can_mqtt/UTransmitNMEA.h"
#include "rules/can_mqtt/UTopicTemplate.h"
#include "rules/field/UBACnetAccess.h"
#include "rules/field/UBACnetSlaveSetAccess.h"
#include "rules/field/UBACnet_Eng_Unit.h"
#include "rules/field/UDALI_Access.h"
#include "rules/field/UImportEDEFile.h"
#include "rules/field/UDMXDefVal.h"
#include "rules/field/UKNXAccess.h"
#include "rules/field/UModbus_TCP_Master_Set_Access.h"
#include "rules/field/UProfinetFileName.h"
#include "rules/field/USNMPManagerAccess.h"
#include "rules/field/USNMP_Trap_Access.h"
#include "rules/field/USetAccess.h"

#include <functional>
#include <memory>

namespace {

struct TWindowEntry {
    TWindowId id;
    std::function<TForm*()> create;
    std::function<void()> forget;  // clears the window's global
};

// The windows that exist, in creation order (the main window comes first
// and is created apart).
const std::vector<TWindowEntry>& Creation_Table()
{
    static const std::vector<TWindowEntry> table = {
        {TWindowId::ParGen, [] { return FParGen = new TFParGen; }, [] { FParGen = nullptr; }},
        {TWindowId::New_Project, [] { return FNew_Project = new TFNew_Project; }, [] { FNew_Project = nullptr; }},
        {TWindowId::OpenConf, [] { return FOpenConf = new TFOpenConf; }, [] { FOpenConf = nullptr; }},
        {TWindowId::About, [] { return FAbout = new TFAbout; }, [] { FAbout = nullptr; }},
        {TWindowId::SoftOptions, [] { return FSoftOptions = new TFSoftOptions; }, [] { FSoftOptions = nullptr; }},
        {TWindowId::MQTT_Set_Topic, [] { return FMQTT_Set_Topic = new TFMQTT_Set_Topic; }, [] { FMQTT_Set_Topic = nullptr; }},
        {TWindowId::Meter_Bus, [] { return FMeter_Bus = new TFMeter_Bus; }, [] { FMeter_Bus = nullptr; }},
        {TWindowId::NewIDNode, [] { return FNewIDNode = new TFNewIDNode; }, [] { FNewIDNode = nullptr; }},
        {TWindowId::Boot, [] { return FBoot = new TFBoot; }, [] { FBoot = nullptr; }},
        {TWindowId::SetAccess, [] { return FSetAccess = new TFSetAccess; }, [] { FSetAccess = nullptr; }},
        {TWindowId::MQTT_Set_Access, [] { return FMQTT_Set_Access = new TFMQTT_Set_Access; }, [] { FMQTT_Set_Access = nullptr; }},
        {TWindowId::TopicTemplate, [] { return FTopicTemplate = new TFTopicTemplate; }, [] { FTopicTemplate = nullptr; }},
        {TWindowId::Modbus_TCP_Master_Set_Access,
         [] { return FModbus_TCP_Master_Set_Access = new TFModbus_TCP_Master_Set_Access; },
         [] { FModbus_TCP_Master_Set_Access = nullptr; }},
        {TWindowId::ReceiveCAN, [] { return FReceiveCAN = new TFReceiveCAN; }, [] { FReceiveCAN = nullptr; }},
        {TWindowId::TransmitCAN, [] { return FTransmitCAN = new TFTransmitCAN; }, [] { FTransmitCAN = nullptr; }},
        {TWindowId::Set_PDO_Access, [] { return FSet_PDO_Access = new TFSet_PDO_Access; }, [] { FSet_PDO_Access = nullptr; }},
        {TWindowId::Set_SDO_Client_Access, [] { return FSet_SDO_Client_Access = new TFSet_SDO_Client_Access; }, [] { FSet_SDO_Client_Access = nullptr; }},
        {TWindowId::Set_SDO_Server_Access, [] { return FSet_SDO_Server_Access = new TFSet_SDO_Server_Access; }, [] { FSet_SDO_Server_Access = nullptr; }},
        {TWindowId::ReceiveJ1939, [] { return FReceiveJ1939 = new TFReceiveJ1939; }, [] { FReceiveJ1939 = nullptr; }},
        {TWindowId::TransmitJ1939, [] { return FTransmitJ1939 = new TFTransmitJ1939; }, [] { FTransmitJ1939 = nullptr; }},
        {TWindowId::DNet, [] { return FDNet = new TFDNet; }, [] { FDNet = nullptr; }},
        {TWindowId::DefOffset, [] { return FDefOffset = new TFDefOffset; }, [] { FDefOffset = nullptr; }},
        {TWindowId::ProfinetFileName, [] { return FProfinetFileName = new TFProfinetFileName; }, [] { FProfinetFileName = nullptr; }},
        {TWindowId::ReceiveNMEA, [] { return FReceiveNMEA = new TFReceiveNMEA; }, [] { FReceiveNMEA = nullptr; }},
        {TWindowId::TransmitNMEA, [] { return FTransmitNMEA = new TFTransmitNMEA; }, [] { FTransmitNMEA = nullptr; }},
        {TWindowId::DMXDefVal, [] { return FDMXDefVal = new TFDMXDefVal; }, [] { FDMXDefVal = nullptr; }},
        {TWindowId::KNXAccess, [] { return FKNXAccess = new TFKNXAccess; }, [] { FKNXAccess = nullptr; }},
        {TWindowId::SNMP_Trap_Access, [] { return FSNMP_Trap_Access = new TFSNMP_Trap_Access; }, [] { FSNMP_Trap_Access = nullptr; }},
        {TWindowId::SNMPManagerAccess, [] { return FSNMPManagerAccess = new TFSNMPManagerAccess; }, [] { FSNMPManagerAccess = nullptr; }},
        {TWindowId::BACnetSlaveSetAccess, [] { return FBACnetSlaveSetAccess = new TFBACnetSlaveSetAccess; },
         [] { FBACnetSlaveSetAccess = nullptr; }},
        {TWindowId::BACnet_Eng_Unit, [] { return FBACnet_Eng_Unit = new TFBACnet_Eng_Unit; }, [] { FBACnet_Eng_Unit = nullptr; }},
        {TWindowId::DALI_Access, [] { return FDALI_Access = new TFDALI_Access; }, [] { FDALI_Access = nullptr; }},
        {TWindowId::BACnetAccess, [] { return FBACnetAccess = new TFBACnetAccess; }, [] { FBACnetAccess = nullptr; }},
        {TWindowId::ImportEDEFile, [] { return FImportEDEFile = new TFImportEDEFile; }, [] { FImportEDEFile = nullptr; }},
    };
    return table;
}

std::vector<std::unique_ptr<TForm>> g_windows;
std::vector<TWindowId> g_order;
std::vector<std::function<void()>> g_forget;
TForm* g_byId[static_cast<int>(TWindowId::Count)] = {};

} // namespace

void Create_Windows(const std::string& programFolder)
{
    Destroy_Windows();
    FZelvatoreFirmWare = new TFZelvatoreFirmWare(programFolder);
    g_windows.emplace_back(FZelvatoreFirmWare);
    g_forget.push_back([] { FZelvatoreFirmWare = nullptr; });
    g_order.push_back(TWindowId::ZelvatoreFirmWare);
    g_byId[0] = FZelvatoreFirmWare;
    Application_SetMainForm(FZelvatoreFirmWare);
    for (const TWindowEntry& e : Creation_Table()) {
        TForm* w = e.create();
        g_windows.emplace_back(w);
        g_forget.push_back(e.forget);
        g_order.push_back(e.id);
        g_byId[static_cast<int>(e.id)] = w;
    }
}

void Destroy_Windows()
{
    while (!g_windows.empty()) {
        g_byId[static_cast<int>(g_order.back())] = nullptr;
        g_windows.pop_back();
        g_forget.back()();
        g_forget.pop_back();
        g_order.pop_back();
    }
}

TForm* Window(TWindowId id)
{
    const int i = static_cast<int>(id);
    return i >= 0 && i < static_cast<int>(TWindowId::Count) ? g_byId[i] : nullptr;
}

const std::vector<TWindowId>& Created_Windows() { return g_order; }

int Show_Window(TWindowId id)
{
    TForm* w = Window(id);
    return w ? w->ShowModal() : mrNone;
}
