// libFuzzer target: the handling of radio telegrams the gateway's radio
// module forwards during a wireless scan (Telit and Radiocrafts datagrams,
// telegram layouts, security modes 5 and 7, record decoding).
//
// The first byte chooses the module (bit 0: Radiocrafts) and whether the
// meter's key is known (bit 1); the rest is the datagram, copied into a
// buffer of exactly its size so that any read or write past it is caught.
// The datagram is handled once (the meter is new, so nothing is
// decrypted); with a known key the meter gets it and the same datagram is
// handled again, through the decryption. Checks: a datagram that is
// refused changes nothing and calls nobody; one that is taken calls back
// exactly once with the meter at its index; decryption writes nothing
// beyond the telegram's own bytes; a meter marked encrypted holds no
// records, and every record's data text has two digits per data byte.
#include "core/UComon.h"
#include "mbus/UWireless_Frame.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

// Handles the datagram; returns whether it was taken.
bool Handle(const std::vector<std::uint8_t>& datagram, TRadioModule module, bool known)
{
    auto& list = UComon::wMBus_Slave_List;
    const std::size_t before = list.size();
    std::vector<std::uint8_t> buffer(datagram);
    int calls = 0;
    const bool taken = Process_Wireless_Frame(buffer.data(), buffer.size(), module, [&](int index, TSlave_wMBus& m) {
        ++calls;
        Check(index >= 0 && static_cast<std::size_t>(index) < list.size());
        Check(list[static_cast<std::size_t>(index)].get() == &m);
    });
    const std::size_t own = Radio_Telegram_Length(datagram.data(), datagram.size(), module);
    if (!taken) {
        Check(calls == 0 && list.size() == before && buffer == datagram);
        return false;
    }
    Check(calls == 1 && own >= Radio_Min_Header);
    // A known meter is found again; only the telegram's own bytes may change.
    Check(list.size() == (known ? before : before + 1));
    Check(std::equal(buffer.begin() + static_cast<std::ptrdiff_t>(own), buffer.end(),
                     datagram.begin() + static_cast<std::ptrdiff_t>(own)));
    if (!known) Check(buffer == datagram);
    const TSlave_wMBus& m = *list.back();
    if (!known) Check(m.RSSI == Radio_Signal_Level(datagram.back(), module));
    if (m.Cripted) Check(m.List_Var.empty());
    for (const auto& r : m.List_Var) {
        Check(r->nbyte >= 0 && r->nbyte <= 255);
        Check(r->totdati.size() == 2 * static_cast<std::size_t>(r->nbyte));
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const TRadioModule module = (data[0] & 1) ? rmRadioCrafts : rmTelit;
    const bool withKey = (data[0] & 2) != 0;
    const std::vector<std::uint8_t> datagram(data + 1, data + size);
    UComon::wMBus_Slave_List.clear();
    if (Handle(datagram, module, false) && withKey) {
        TSlave_wMBus& m = *UComon::wMBus_Slave_List.back();
        m.Enable_Key = true;
        for (std::size_t i = 0; i < m.Key.size(); ++i) m.Key[i] = static_cast<std::uint8_t>(i);
        Handle(datagram, module, true);
    }
    UComon::wMBus_Slave_List.clear();
    return 0;
}
