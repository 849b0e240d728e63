// Panel lists of the model variants: which panels each variant shows, in
// which order, and its own step of the relayout. This build runs V10's
// routines only (UParGen_Layout.cpp); the others serve the same window in
// the other variants' builds.
#include "params/UParGen.h"
#include "params/UParGen_Internal.h"

#include "platform/SysUtils.h"

namespace {

enum class TOwnStep { Select_Device_Rule, Device_Choice_Reset, None };

TOwnStep Own_Step(TModelVariant v)
{
    switch (v) {
    case TModelVariant::W01:
    case TModelVariant::W02: return TOwnStep::Device_Choice_Reset;
    case TModelVariant::W03: return TOwnStep::None;
    default: return TOwnStep::Select_Device_Rule;
    }
}

} // namespace

std::vector<TCategoryPanel*> TFParGen::Variant_Panels(TModelVariant v) const
{
    using V = TModelVariant;
    // Frame A: Select Device, Ethernet Connection, protocol panels, MQTT,
    // Ethernet, TLS, NTP, Wi-Fi, GSM / GPRS / LTE. Frame B: Ethernet
    // Connection, protocol panels, MQTT, Ethernet, TLS, NTP.
    auto frameA = [&](std::vector<TCategoryPanel*> protocol) {
        std::vector<TCategoryPanel*> r = {CP_Select_Device, CP_Ethernet_Connection};
        r.insert(r.end(), protocol.begin(), protocol.end());
        r.insert(r.end(), {CP_MQTT, CP_Ethernet, CP_TLS, CP_NTP, CP_WiFi2, CP_GSM_GPRS});
        return r;
    };
    auto frameB = [&](std::vector<TCategoryPanel*> protocol) {
        std::vector<TCategoryPanel*> r = {CP_Ethernet_Connection};
        r.insert(r.end(), protocol.begin(), protocol.end());
        r.insert(r.end(), {CP_MQTT, CP_Ethernet, CP_TLS, CP_NTP});
        return r;
    };
    switch (v) {
    case V::V01: return frameA({});
    case V::V02:
        return {CP_Select_Device, CP_Working_Mode, CP_MBus, CP_wMBus, CP_MQTT,
                CP_Ethernet,      CP_WiFi,         CP_TLS,  CP_NTP,   CP_GSM_GPRS};
    case V::V03: return frameA({CP_Serial});
    case V::V04: return frameA({CP_Working_Mode, CP_Modbus_Master});
    case V::V05: return frameA({CP_Working_Mode, CP_Modbus_Slave});
    case V::V06: return frameA({CP_Working_Mode, CP_Modbus_TCP_Master});
    case V::V07: return frameA({CP_Modbus_TCP_Slave});
    case V::V08: return frameA({CP_BACnet_Master});
    case V::V09: return frameA({CP_BACnet_Slave});
    case V::V10: return frameA({CP_CAN});
    case V::V11: return frameA({CP_CANopen});
    case V::V12: return frameA({CP_DALI});
    case V::V13: return frameA({CP_DeviceNet_Master});
    case V::V14: return frameA({CP_DeviceNet_Slave});
    case V::V15: return frameA({CP_DMX});
    case V::V16: return frameA({CP_EtherNetIP});
    case V::V17: return frameA({CP_J1939});
    case V::V18: return frameA({CP_KNX});
    case V::V19: return frameA({CP_NMEA2000});
    case V::V20: return frameA({CP_PROFIBUS});
    case V::V21: return frameA({CP_PROFINET});
    case V::V22: return frameA({CP_SNMP_Manager});
    case V::V23: return frameA({CP_SNMP_Agent});
    case V::W01: return frameB({CP_J1939});
    case V::W02: return frameB({CP_CAN});
    case V::W03: return frameB({CP_Working_Mode, CP_Modbus_Master});
    }
    return {};
}

void TFParGen::Order_TAB_Panels_Of(TModelVariant v)
{
    const std::vector<TCategoryPanel*> list = Variant_Panels(v);
    for (TCategoryPanel* p : list) p->SetVisible(true);
    for (size_t k = 0; k < list.size(); ++k)
        list[k]->SetTop(k == 0 ? 0 : list[k - 1]->Top() + list[k - 1]->Height());
    for (size_t k = 0; k < list.size(); ++k)
        list[k]->SetCaption(IntToStr(static_cast<long long>(k + 1)) + ". " + T(captionIds_.at(list[k])));
    for (size_t k = 0; k < list.size(); ++k) list[k]->SetTabOrder(static_cast<int>(k));
}

void TFParGen::RePosition_Objects_Of(TModelVariant v)
{
    const TOwnStep own = Own_Step(v);
    if (own == TOwnStep::Device_Choice_Reset) CB_Select_Device_Device->SetItemIndex(0);
    using Routine = void (TFParGen::*)();
    const std::map<TCategoryPanel*, Routine> routines = {
        {CP_Select_Device, &TFParGen::RePosition_Object_Select_Device},
        {CP_Ethernet_Connection, &TFParGen::RePosition_Object_Ethernet_Connection},
        {CP_Working_Mode, &TFParGen::RePosition_Object_WorkMode},
        {CP_MBus, &TFParGen::RePosition_Object_MBus},
        {CP_wMBus, &TFParGen::RePosition_Object_wMBus},
        {CP_Serial, &TFParGen::RePosition_Object_Serial},
        {CP_Modbus_Master, &TFParGen::RePosition_Object_Modbus_Master},
        {CP_Modbus_Slave, &TFParGen::RePosition_Object_Modbus_Slave},
        {CP_Modbus_TCP_Master, &TFParGen::RePosition_Object_Modbus_TCP_Master},
        {CP_Modbus_TCP_Slave, &TFParGen::RePosition_Object_Modbus_TCP_Slave},
        {CP_BACnet_Master, &TFParGen::RePosition_Object_BACnet_Master},
        {CP_BACnet_Slave, &TFParGen::RePosition_Object_BACnet_Slave},
        {CP_CAN, &TFParGen::RePosition_Object_CAN},
        {CP_CANopen, &TFParGen::RePosition_Object_CANopen},
        {CP_DALI, &TFParGen::RePosition_Object_DALI},
        {CP_DeviceNet_Master, &TFParGen::RePosition_Object_DeviceNet_Master},
        {CP_DeviceNet_Slave, &TFParGen::RePosition_Object_DeviceNet_Slave},
        {CP_DMX, &TFParGen::RePosition_Object_DMX},
        {CP_EtherNetIP, &TFParGen::RePosition_Object_EtherNetIP},
        {CP_J1939, &TFParGen::RePosition_Object_J1939},
        {CP_KNX, &TFParGen::RePosition_Object_KNX},
        {CP_NMEA2000, &TFParGen::RePosition_Object_NMEA2000},
        {CP_PROFIBUS, &TFParGen::RePosition_Object_PROFIBUS},
        {CP_PROFINET, &TFParGen::RePosition_Object_PROFINET},
        {CP_SNMP_Manager, &TFParGen::RePosition_Object_SNMP_Manager},
        {CP_SNMP_Agent, &TFParGen::RePosition_Object_SNMP_Agent},
        {CP_MQTT, &TFParGen::RePosition_Object_MQTT},
        {CP_Ethernet, &TFParGen::RePosition_Object_Ethernet},
        {CP_WiFi, &TFParGen::RePosition_Object_WiFi},
        {CP_WiFi2, &TFParGen::RePosition_Object_WiFi2},
        {CP_TLS, &TFParGen::RePosition_Object_TLS},
        {CP_NTP, &TFParGen::RePosition_Object_NTP},
        {CP_GSM_GPRS, &TFParGen::RePosition_Object_GSM_GPRS},
    };
    for (TCategoryPanel* p : Variant_Panels(v)) (this->*routines.at(p))();
    if (own == TOwnStep::Select_Device_Rule) Select_Device_Rule();
}
