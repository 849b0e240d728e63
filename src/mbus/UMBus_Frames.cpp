#include "mbus/UMBus_Frames.h"

#include "mbus/UMBus_Decode.h"

#include <cstring>

namespace {

std::uint8_t Sum(const TBytes& b, size_t from, size_t to)  // bytes [from, to)
{
    unsigned s = 0;
    for (size_t i = from; i < to; ++i) s += b[i];
    return static_cast<std::uint8_t>(s & 0xFF);
}

// Closes a frame: checksum over [from, end) then the stop byte.
TBytes Close(TBytes b, size_t from)
{
    const std::uint8_t cs = Sum(b, from, b.size());
    b.push_back(cs);
    b.push_back(0x16);
    return b;
}

std::uint8_t Digit_Nibble(int d) { return d >= 0 && d <= 9 ? static_cast<std::uint8_t>(d) : 0x0F; }

std::int32_t Baud_For_Timeout(std::int32_t baudrate) { return baudrate < 300 ? 300 : baudrate; }

} // namespace

TBytes Line_Settings_Command(std::int32_t baudrate, std::int32_t parity)
{
    TBytes b;
    for (const char* p = "Quembo_S_M:"; *p; ++p) b.push_back(static_cast<std::uint8_t>(*p));
    const auto u = static_cast<std::uint32_t>(baudrate);
    b.push_back(static_cast<std::uint8_t>(u >> 24));
    b.push_back(static_cast<std::uint8_t>(u >> 16));
    b.push_back(static_cast<std::uint8_t>(u >> 8));
    b.push_back(static_cast<std::uint8_t>(u));
    b.push_back(',');
    b.push_back(parity == 1 ? 2 : parity == 2 ? 1 : 0);
    return b;
}

TBytes Frame_SND_NKE(std::uint8_t address) { return Close({0x10, 0x40, address}, 1); }

TBytes Frame_REQ_UD2(std::uint8_t c, std::uint8_t address) { return Close({0x10, c, address}, 1); }

TBytes Frame_App_Reset(std::uint8_t c, std::uint8_t address)
{
    return Close({0x68, 0x03, 0x03, 0x68, c, address, 0x50}, 4);
}

TBytes Frame_Select_Secondary(std::uint8_t c, const std::array<int, 8>& d)
{
    auto pair = [&](int hi, int lo) {
        return static_cast<std::uint8_t>(Digit_Nibble(d[static_cast<size_t>(hi)]) << 4 |
                                         Digit_Nibble(d[static_cast<size_t>(lo)]));
    };
    return Close({0x68, 0x0B, 0x0B, 0x68, c, 0xFD, 0x52, pair(6, 7), pair(4, 5), pair(2, 3), pair(0, 1), 0xFF, 0xFF,
                  0xFF, 0xFF},
                 4);
}

std::uint8_t REQ_UD2_C_Field(bool fixCField, std::uint8_t fixCFieldValue, std::int32_t numFrameRead)
{
    if (fixCField) return fixCFieldValue != 0 ? 0x7B : 0x5B;
    return numFrameRead % 2 == 0 ? 0x7B : 0x5B;
}

std::uint8_t SND_UD_C_Field(bool fixCField, std::uint8_t fixCFieldValue)
{
    return fixCField && fixCFieldValue == 0 ? 0x53 : 0x73;
}

bool Is_Single_Char(std::span<const std::uint8_t> a) { return a.size() == 1 && a[0] == 0xE5; }

bool Is_Valid_Long_Frame(std::span<const std::uint8_t> a)
{
    const size_t n = a.size();
    if (n <= 21) return false;
    if (a[0] != 0x68 || a[3] != 0x68 || a[1] != a[2] || a[n - 1] != 0x16) return false;
    unsigned s = 0;
    for (size_t i = 4; i <= n - 3; ++i) s += a[i];
    return static_cast<std::uint8_t>(s & 0xFF) == a[n - 2];
}

bool Answer_Is(std::span<const std::uint8_t> a, const char* text)
{
    const size_t len = std::strlen(text);
    return a.size() == len && std::memcmp(a.data(), text, len) == 0;
}

bool Is_No_Slave(std::span<const std::uint8_t> a) { return Answer_Is(a, kAnsNoSlave); }

std::int32_t TimeOut_Gateway(std::int32_t addTimeOut) { return addTimeOut + 1000; }

std::int32_t TimeOut_Short(std::int32_t baudrate, std::int32_t addTimeOut)
{
    return 330000 / Baud_For_Timeout(baudrate) + 400 + addTimeOut + 50;
}

std::int32_t TimeOut_Long(std::int32_t baudrate, std::int32_t addTimeOut)
{
    return 3245000 / Baud_For_Timeout(baudrate) + 400 + addTimeOut + 50;
}

bool Read_Slave_Frame(std::span<const std::uint8_t> f, std::int32_t numFrameRead, std::int32_t& indexDevice,
                      TMBusSlaveList& list, TRecordScratch& scratch)
{
    if (!Is_Valid_Long_Frame(f)) return true;
    const bool known = numFrameRead != 0 && indexDevice >= 0 && static_cast<size_t>(indexDevice) < list.size() &&
                       list[static_cast<size_t>(indexDevice)];
    if (!known) {
        auto meter = std::make_shared<TSlave_MBus>();
        meter->Primary_Addresss = f[5];
        meter->Secondary_Addresss = Secondary_Address_Text(f.data() + 7);
        meter->Manufacture = f[11] | f[12] << 8;
        meter->Version = f[13];
        meter->Medium = f[14];
        meter->Status = f[16];
        meter->descManufacture = Trova_Man(static_cast<std::uint16_t>(meter->Manufacture));
        meter->descmedium = Medium_Description(meter->Medium);
        list.push_back(meter);
        indexDevice = static_cast<std::int32_t>(list.size() - 1);
    }
    // A fixed data structure holds counters, not data records: the meter
    // is listed with its header and no records.
    if (f[6] == kCI_Fixed_Data) return true;
    TSlave_MBus& meter = *list[static_cast<size_t>(indexDevice)];
    return Decode_Records(meter.List_Var, f.subspan(19, f.size() - 21), mtWired, scratch);
}
