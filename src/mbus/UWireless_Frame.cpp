#include "mbus/UWireless_Frame.h"

#include "core/UComon.h"
#include "mbus/UMBus_Decode.h"
#include "mbus/UMBus_Values.h"
#include "platform/DateUtils.h"

#include <cstring>
#include <memory>
#include <span>

namespace {

std::uint32_t Le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

// True when the two bytes from `at` exist and are both 2F (fill bytes: the
// data reads as plaintext).
bool Starts2F2F(const std::uint8_t* t, std::size_t length, std::size_t at)
{
    return at + 2 <= length && t[at] == 0x2F && t[at + 1] == 0x2F;
}

// Bytes the authentication type's MAC takes; -1 for a type without a length.
int MacLength(int authenticationType)
{
    switch (authenticationType) {
    case 0: return 0;
    case 3: return 2;
    case 4: return 4;
    case 5: return 8;
    case 6: return 12;
    case 7: return 16;
    case 8: return 12;
    default: return -1;
    }
}

} // namespace

std::size_t Radio_Telegram_Length(const std::uint8_t* datagram, std::size_t length, TRadioModule module)
{
    if (length == 0 || length > Ans_Array_Size)
        return 0;
    const std::size_t l = datagram[0];
    if (module == rmTelit)
        return length == l + 3 ? l + 1 : 0;
    return length == l + 1 ? l : 0;
}

std::int8_t Radio_Signal_Level(std::uint8_t lastByte, TRadioModule module)
{
    if (module == rmTelit) {
        // Minus the byte, minus 2, on eight bits.
        return static_cast<std::int8_t>(static_cast<std::uint8_t>(~lastByte - 1));
    }
    const int level = static_cast<std::int8_t>(lastByte);
    return static_cast<std::int8_t>(level / 2 + 1);
}

TLayoutCheck Radio_Layout(const std::uint8_t* t, std::size_t length, TRadioLayout& layout)
{
    layout = TRadioLayout{};
    if (length < Radio_Min_Header)
        return TLayoutCheck::Too_Short;
    layout.CI = t[10];
    auto set = [&](int modeByte, std::size_t data) {
        layout.Mode_Byte = modeByte;
        layout.Data = data;
        return data <= length ? TLayoutCheck::Known : TLayoutCheck::Too_Short;
    };
    switch (layout.CI) {
    case 0x7A: return set(14, 15);
    case 0x72: return set(-1, 23);
    case 0x8C:
    case 0x8D: {
        const std::size_t innerAt = layout.CI == 0x8C ? 13 : 19;
        if (innerAt >= length)
            return TLayoutCheck::Too_Short;
        const int inner = t[innerAt];
        const int base = static_cast<int>(innerAt);  // 13 or 19
        layout.Inner_CI = inner;
        switch (inner) {
        case 0x78: return set(-1, static_cast<std::size_t>(base + 1));
        case 0x7A: return set(base + 4, static_cast<std::size_t>(base + 5));
        case 0x72: return set(base + 12, static_cast<std::size_t>(base + 13));
        case 0x90:
            if (layout.CI != 0x8C)
                return TLayoutCheck::Unknown;
            if (length <= 14)
                return TLayoutCheck::Too_Short;
            return set(t[14] + 19, static_cast<std::size_t>(t[14]) + 21);
        default: return TLayoutCheck::Unknown;
        }
    }
    default: return TLayoutCheck::Unknown;
    }
}

bool Radio_Data_Readable(const std::uint8_t* t, std::size_t length, const TRadioLayout& layout)
{
    const bool fill = Starts2F2F(t, length, layout.Data);
    auto byMode = [&]() {
        const int mode = t[layout.Mode_Byte] & 0x0F;
        return mode == 0 || (mode == 5 && fill);
    };
    switch (layout.CI) {
    case 0x7A: return byMode();
    case 0x72: return fill;
    case 0x8C:
    case 0x8D:
        if (layout.Inner_CI == 0x78)
            return true;
        if (layout.Inner_CI == 0x7A || layout.Inner_CI == 0x72)
            return byMode();
        return layout.CI == 0x8C && layout.Inner_CI == 0x90 && fill;
    default: return false;
    }
}

TAESKey128 Mode7_Encryption_Key(const TAESKey128& meterKey, const std::uint8_t* counter,
                                const std::uint8_t* linkIdentification)
{
    std::uint8_t block[16];
    block[0] = 0x00;
    std::memcpy(block + 1, counter, 4);
    std::memcpy(block + 5, linkIdentification, 4);
    std::memset(block + 9, 0x07, 7);
    TMemoryStream source(std::vector<std::uint8_t>(block, block + 16));
    return AES_CmacStream(source, 16, meterKey);
}

TDecryptResult Decrypt_Mode5(std::uint8_t* t, std::size_t length, const TAESKey128& key)
{
    TRadioLayout layout;
    const TLayoutCheck check = Radio_Layout(t, length, layout);
    if (layout.CI != 0x8C || layout.Inner_CI != 0x7A)
        return TDecryptResult::Not_Applicable;
    if (check != TLayoutCheck::Known)
        return TDecryptResult::Refused;
    if ((t[17] & 0x05) != 0x05 || Starts2F2F(t, length, 18))
        return TDecryptResult::Not_Applicable;

    const std::size_t size = t[16] & 0xF0;
    if (18 + size > length)
        return TDecryptResult::Refused;

    TAESInitVector iv;
    std::memcpy(iv.data(), t + 2, 8);
    std::memset(iv.data() + 8, t[14], 8);
    TMemoryStream source(std::vector<std::uint8_t>(t + 18, t + 18 + size));
    TMemoryStream plain;
    AES_DecryptCbcStream(source, size, key, plain, iv);
    if (size != 0)
        std::memcpy(t + 18, plain.Bytes().data(), size);
    return TDecryptResult::Decrypted;
}

TDecryptResult Decrypt_Mode7(std::uint8_t* t, std::size_t length, const TAESKey128& key)
{
    TRadioLayout layout;
    const TLayoutCheck check = Radio_Layout(t, length, layout);
    if (layout.CI != 0x8C || layout.Inner_CI != 0x90)
        return TDecryptResult::Not_Applicable;
    if (check != TLayoutCheck::Known)
        return TDecryptResult::Refused;
    const std::size_t afl = t[14];
    // The layout check guarantees the bytes up to afl + 20.
    if (t[afl + 15] != 0x7A || (t[afl + 19] & 0x07) != 0x07 || Starts2F2F(t, length, afl + 21))
        return TDecryptResult::Not_Applicable;

    // The AFL's fields, in their fixed order after the frame control word.
    const unsigned fcl = t[15] | (t[16] << 8);
    std::size_t p = 17;
    const std::size_t aflEnd = afl + 15;
    int authType = -1;
    const std::uint8_t* counter = nullptr;
    if (fcl & 0x2000) {
        if (p >= aflEnd)
            return TDecryptResult::Refused;
        authType = t[p] & 0x0F;
        p += 1;
    }
    if (fcl & 0x0200)
        p += 2;
    if (fcl & 0x0800) {
        counter = t + p;
        p += 4;
    }
    if (fcl & 0x0400) {
        const int mac = MacLength(authType);
        if (mac < 0)
            return TDecryptResult::Refused;
        p += static_cast<std::size_t>(mac);
    }
    if (fcl & 0x1000)
        p += 2;
    // The fields must fill the AFL exactly, and the key derivation needs the
    // message counter.
    if (p != aflEnd || counter == nullptr)
        return TDecryptResult::Refused;

    const unsigned config = t[p + 3] | (t[p + 4] << 8);
    const std::uint8_t extension = t[p + 5];
    // Further header bytes (configuration word bit 13, extension bit 6)
    // would move the data; such telegrams are not read.
    if (((config >> 8) & 0x1F) != 7 || (config & 0x2000) || (extension & 0x40))
        return TDecryptResult::Refused;
    const std::size_t data = p + 6;
    const std::size_t size = 16 * ((config & 0xF0) >> 4);
    if (size == 0 || data + size > length)
        return TDecryptResult::Refused;

    const TAESKey128 encKey = Mode7_Encryption_Key(key, counter, t + 4);
    TMemoryStream source(std::vector<std::uint8_t>(t + data, t + data + size));
    TMemoryStream plain;
    AES_DecryptCbcStream(source, size, encKey, plain, TAESInitVector{});
    const std::vector<std::uint8_t>& bytes = plain.Bytes();
    if (bytes[0] != 0x2F || bytes[1] != 0x2F)
        return TDecryptResult::Wrong_Key;
    std::memcpy(t + data, bytes.data(), size);
    return TDecryptResult::Decrypted;
}

bool Process_Wireless_Frame(std::uint8_t* datagram, std::size_t length, TRadioModule module,
                            const TWirelessCallback& callback)
{
    const std::size_t own = Radio_Telegram_Length(datagram, length, module);
    const std::uint8_t* t = datagram;
    if (own < Radio_Min_Header)
        return false;
    const std::uint8_t ci = t[10];
    // The application address of CI 72 is its long header's; it must be there.
    if (ci == 0x72 && own < 19)
        return false;

    const TDateTime now = Now();
    const std::int8_t rssi = Radio_Signal_Level(datagram[length - 1], module);

    const std::uint16_t llaManufacturer = static_cast<std::uint16_t>(t[2] | (t[3] << 8));
    const std::int32_t llaAddress = static_cast<std::int32_t>(Le32(t + 4));
    std::uint16_t alaManufacturer = llaManufacturer;
    std::int32_t alaAddress = llaAddress;
    std::uint8_t alaVersion = t[8];
    std::uint8_t alaDeviceType = t[9];
    if (ci == 0x72) {
        alaAddress = static_cast<std::int32_t>(Le32(t + 11));
        alaManufacturer = static_cast<std::uint16_t>(t[15] | (t[16] << 8));
        alaVersion = t[17];
        alaDeviceType = t[18];
    }

    auto& list = UComon::wMBus_Slave_List;
    int index = Find_Wireless_Slave(alaManufacturer, alaAddress, alaVersion, alaDeviceType);
    std::shared_ptr<TSlave_wMBus> meter;
    if (index < 0) {
        meter = std::make_shared<TSlave_wMBus>();
        meter->Message_Type = t[1];
        meter->LLA_Manufacturer = llaManufacturer;
        meter->LLA_Manu_str = Trova_Man(llaManufacturer);
        meter->LLA_Address = llaAddress;
        meter->LLA_Version = t[8];
        meter->LLA_DeviceType = t[9];
        meter->ALA_Manufacturer = alaManufacturer;
        meter->ALA_Manu_str = Trova_Man(alaManufacturer);
        meter->ALA_Address = alaAddress;
        meter->ALA_Version = alaVersion;
        meter->ALA_DeviceType = alaDeviceType;
        meter->RSSI = rssi;
        meter->RadioCrafts_Ind_Tab_Decript = -1;
        list.push_back(meter);
        index = static_cast<int>(list.size()) - 1;
    } else {
        meter = list[static_cast<std::size_t>(index)];
        if (meter->Enable_Key) {
            // A meter first heard has no key: only known meters are decrypted.
            if (Decrypt_Mode5(datagram, own, meter->Key) == TDecryptResult::Not_Applicable &&
                Decrypt_Mode7(datagram, own, meter->Key) == TDecryptResult::Wrong_Key) {
                // A wrong key: the meter keeps what it had.
                if (callback)
                    callback(index, *meter);
                return true;
            }
        }
    }

    meter->Cancel_Var();
    meter->DateTime = now;
    meter->RSSI = rssi;

    TRadioLayout layout;
    if (Radio_Layout(t, own, layout) == TLayoutCheck::Known && Radio_Data_Readable(t, own, layout)) {
        meter->Cripted = false;
        if (layout.Data < own)
            Decode_Records(meter->List_Var, std::span<const std::uint8_t>(t + layout.Data, own - layout.Data),
                           mtWireless);
    } else {
        meter->Cripted = true;
    }
    if (callback)
        callback(index, *meter);
    return true;
}
