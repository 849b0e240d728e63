#pragma once
// Radio telegrams as the gateway's radio module forwards them during a
// wireless scan: the datagram forms of the two modules, the telegram
// layouts, decryption of security modes 5 (under an extended link layer)
// and 7 (with an authentication and fragmentation layer), and the handler
// that turns each telegram into a radio meter of UComon::wMBus_Slave_List.

#include "mbus/UAES.h"
#include "mbus/UMBus_Types.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// Bytes of the scan engine's answer buffer. A valid radio datagram is at
// most 258 bytes long.
inline constexpr std::size_t Ans_Array_Size = 2051;

// Smallest telegram handled: length byte to CI field.
inline constexpr std::size_t Radio_Min_Header = 11;

// The number of the telegram's own bytes in a datagram of `length` bytes, or
// 0 when the datagram is not one radio telegram of the module: its length
// must be the length byte + 3 (Telit) or + 1 (Radiocrafts) and fit the
// answer buffer.
std::size_t Radio_Telegram_Length(const std::uint8_t* datagram, std::size_t length, TRadioModule module);

// Signal level in dBm from the module's last datagram byte.
std::int8_t Radio_Signal_Level(std::uint8_t lastByte, TRadioModule module);

// Where a telegram's application data lies.
struct TRadioLayout {
    std::uint8_t CI = 0;
    int Inner_CI = -1;         // CI after the extended link layer; -1 without one
    int Mode_Byte = -1;        // byte with bits 8 to 15 of the configuration word; -1 none
    std::size_t Data = 0;      // first byte of the application data
};

enum class TLayoutCheck {
    Known,      // the layout's header lies within the telegram
    Unknown,    // a CI (or inner CI) without a known layout
    Too_Short,  // a known layout whose header runs past the telegram's end
};
TLayoutCheck Radio_Layout(const std::uint8_t* telegram, std::size_t length, TRadioLayout& layout);

// True when the application data reads as plaintext: security mode 0, an
// unencrypted inner CI 78, or data beginning 2F 2F where the layout calls
// for it.
bool Radio_Data_Readable(const std::uint8_t* telegram, std::size_t length, const TRadioLayout& layout);

// The mode 7 encryption key: the AES-CMAC, under the meter's key, of 00,
// the message counter and the link-layer identification number (as
// received) and seven bytes 07.
TAESKey128 Mode7_Encryption_Key(const TAESKey128& meterKey, const std::uint8_t* counter,
                                const std::uint8_t* linkIdentification);

enum class TDecryptResult {
    Not_Applicable,  // not a telegram of this security mode (or already plaintext)
    Refused,         // of this mode, but its header or encrypted length does not fit
    Decrypted,       // the plaintext replaced the encrypted bytes
    Wrong_Key,       // mode 7 plaintext not beginning 2F 2F; nothing written
};

// Security mode 5 under an extended link layer (CI 8C, inner CI 7A): CBC
// with the IV of the link address and the access number, decrypted in place
// without checking the plaintext.
TDecryptResult Decrypt_Mode5(std::uint8_t* telegram, std::size_t length, const TAESKey128& key);
// Security mode 7 behind an authentication and fragmentation layer (CI 8C,
// AFL 90, then 7A): the derived key, a zero IV, written in place only when
// the plaintext begins 2F 2F.
TDecryptResult Decrypt_Mode7(std::uint8_t* telegram, std::size_t length, const TAESKey128& key);

// Radio-meter callback: the meter's index in wMBus_Slave_List and the meter.
using TWirelessCallback = std::function<void(int index, TSlave_wMBus& meter)>;

// Handles one datagram of the module held in `datagram` (the answer
// buffer; decrypted bytes are written over it): finds or adds its meter,
// decrypts with the meter's key, replaces the meter's records and calls
// `callback`. Returns False, changing nothing, for a datagram that is not a
// radio telegram of the module or is too short to name its meter.
bool Process_Wireless_Frame(std::uint8_t* datagram, std::size_t length, TRadioModule module,
                            const TWirelessCallback& callback);
