// Validation of the communication parameters (run by OK before the file is
// written): address octets, DHCP lease time, NTP poll time and the MQTT
// reprogramming value, in a fixed order; the first field out of range shows
// its message and stops.
#include "params/UParGen.h"
#include "params/UParGen_Internal.h"

#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

#include <string>

namespace {

// A field's number: blanks before it, a sign and "$" / "0x" hexadecimal are
// accepted; any other text, the empty one included, reads as -1.
long long Field_Value(const TEdit* e)
{
    int v = 0;
    return TryStrToInt(e->Text(), v) ? v : -1;
}

bool Shown_And_Enabled(const TControl* c) { return c->Visible() && c->Enabled(); }

} // namespace

bool TFParGen::Controllo_Dati()
{
    // One group: its fields checked in order against the bounds; the first
    // failing field shows text firstId + its position.
    auto group = [this](std::initializer_list<TEdit*> fields, long long low, long long high, int firstId) {
        int id = firstId;
        for (TEdit* e : fields) {
            const long long v = Field_Value(e);
            if (v < low || v > high) {
                ShowError(T(id));
                return false;
            }
            ++id;
        }
        return true;
    };
    auto octets = [&](TEdit* const (&row)[4], int firstId) {
        return group({row[0], row[1], row[2], row[3]}, 0, 255, firstId);
    };

    if (CB_EthConn_Enable_DNS->Checked()) {
        if (!octets(E_EthConn_Pri_DNS_IP, 5179)) return false;
        if (!octets(E_EthConn_Sec_DNS_IP, 5183)) return false;
    }
    if (E_MQTT_Reproram_Value->Visible() && !group({E_MQTT_Reproram_Value}, 0, 255, 4242)) return false;
    if (!octets(E_Ethernet_IP, 576)) return false;
    if (!octets(E_Ethernet_SM, 580)) return false;
    if (CB_Ethernet_En_GAT->Checked() && !octets(E_Ethernet_GAT, 584)) return false;
    if (CB_Ethernet_En_DNS->Visible() && CB_Ethernet_En_DNS->Checked() && !octets(E_Ethernet_DNS, 588))
        return false;

    if (CB_WiFi2_Type->ItemIndex() == 0) {
        // Access point.
        if (!octets(E_WiFi2_IP1_IP, 5187)) return false;
        if (!octets(E_WiFi2_IP1_SM, 5191)) return false;
        if (CB_WiFi2_IP1_En_GAT->Checked() && !octets(E_WiFi2_IP1_GAT, 5195)) return false;
        if (CB_WiFi2_En_DHCP->Checked()) {
            if (!octets(E_WiFi2_DHCP_First_IP, 5199)) return false;
            if (!octets(E_WiFi2_DHCP_SM, 5203)) return false;
            if (!group({E_WiFi2_Lease_Time}, 1, 99999999, 5207)) return false;
        }
    } else {
        // Station: each address block when the layout offers it.
        if (Shown_And_Enabled(E_WiFi2_IP1_IP[0])) {
            if (!octets(E_WiFi2_IP1_IP, 5208)) return false;
            if (!octets(E_WiFi2_IP1_SM, 5212)) return false;
            if (CB_WiFi2_IP1_En_GAT->Checked() && !octets(E_WiFi2_IP1_GAT, 5216)) return false;
        }
        if (Shown_And_Enabled(E_WiFi2_IP2_IP[0])) {
            if (!octets(E_WiFi2_IP2_IP, 5220)) return false;
            if (!octets(E_WiFi2_IP2_SM, 5224)) return false;
            if (CB_WiFi2_IP2_En_GAT->Checked() && !octets(E_WiFi2_IP2_GAT, 5228)) return false;
        }
    }
    return group({E_NTP_Poll_Time}, 0, 10000000, 618);
}
