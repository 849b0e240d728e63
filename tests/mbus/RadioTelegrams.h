#pragma once
// Radio telegrams of the M-Bus tests: the OMS example telegrams with their
// keys, and the forms around a telegram (length byte, Telit datagram).

#include "mbus/MBusTestSupport.h"
#include "mbus/UAES.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

inline TAESKey128 Key(const std::string& text)
{
    const std::vector<std::uint8_t> b = Hex(text);
    TAESKey128 k{};
    std::memcpy(k.data(), b.data(), 16);
    return k;
}

// OMS example telegrams (security profile B, mode 7; profile A, mode 5).
inline const std::string Mode7 =
    "434493157856341233038C2075900F002C25B30A000021924D4F2FB66E017A75002007109058475F4BC91DF878B80A1B"
    "0F98B629024AAC727942BFC549233C0140829B93";
inline const TAESKey128 Mode7Key = Key("000102030405060708090A0B0C0D0E0F");
inline const std::string Mode5Ell = "314493157856341233038C202A7A2A0020255923C95AAA26D1B2E7493B013EC4A6F6D3529B520EDFF0EA6DE"
                                    "FC99D6D69EBF3";
inline const std::string Mode5Plain =
    "2E4493157856341233037A2A0020255923C95AAA26D1B2E7493B013EC4A6F6D3529B520EDFF0EA6DEFC99D6D69EBF3";
inline const TAESKey128 Mode5Key = Key("0102030405060708090A0B0C0D0E0F11");
// The meter's application address in both: manufacturer 1593 ("ELS"),
// identification 12345678, version 33, device type 03.
inline constexpr std::uint16_t Manufacturer = 0x1593;
inline constexpr std::int32_t Identification = 0x12345678;

// A Telit datagram: the telegram, 00 and the signal byte.
inline std::vector<std::uint8_t> Telit(const std::string& telegram, std::uint8_t rssi = 0x50)
{
    std::vector<std::uint8_t> d = Hex(telegram);
    d.push_back(0x00);
    d.push_back(rssi);
    return d;
}

// The telegram of a body (C field onwards) with its length byte in front.
inline std::string Framed(const std::string& body)
{
    const std::size_t n = Hex(body).size();
    const char digits[] = "0123456789ABCDEF";
    return std::string{digits[(n >> 4) & 15], digits[n & 15]} + body;
}
