#pragma once
// AES-128 (FIPS-197) with CBC decryption and AES-CMAC (RFC 4493) over byte
// streams: the radio telegram handler decrypts security mode 5 and 7
// telegrams with it and derives the mode 7 keys.

#include "platform/Streams.h"
#include "platform/SysUtils.h"

#include <array>
#include <cstddef>
#include <cstdint>

class EAESError : public Exception {
public:
    using Exception::Exception;
};

using TAESBuffer = std::array<std::uint8_t, 16>;
using TAESKey128 = std::array<std::uint8_t, 16>;
using TAESInitVector = TAESBuffer;

// Key schedules: 44 words, eleven round keys, each word holding its four
// key bytes with the first byte in the low eight bits.
struct TAESExpandedKey128 {
    std::uint32_t W[44];
};
// The decryption schedule of the equivalent inverse cipher: the encryption
// schedule with InvMixColumns applied to round keys 1 to 9.
struct TAESExpandedDecryptKey128 {
    std::uint32_t W[44];
};

TAESExpandedKey128 AES_ExpandEncryptKey(const TAESKey128& key);
TAESBuffer AES_EncryptBlock(const TAESBuffer& block, const TAESExpandedKey128& key);
TAESExpandedDecryptKey128 AES_InvertKeySchedule(const TAESExpandedKey128& key);
TAESExpandedDecryptKey128 AES_ExpandDecryptKey(const TAESKey128& key);
TAESBuffer AES_DecryptBlock(const TAESBuffer& block, const TAESExpandedDecryptKey128& key);

// CMAC subkeys K1 and K2 of a key.
void AES_CmacSubkeys(const TAESExpandedKey128& key, TAESBuffer& k1, TAESBuffer& k2);

// AES-CMAC of the first count bytes of source (read from position 0).
// A source shorter than count raises EReadError ("Stream read error").
TAESBuffer AES_CmacStream(TStream& source, std::size_t count, const TAESKey128& key);
TAESBuffer AES_CmacStream(TStream& source, std::size_t count, const TAESExpandedKey128& key);

// CBC decryption of count bytes from the source's position (at most the bytes
// left in it; a count of 0 means the whole source from its start), appended
// to dest. A size that is not a multiple of 16 raises EAESError ("Invalid
// buffer size for decryption") before anything is written.
void AES_DecryptCbcStream(TStream& source, std::size_t count, const TAESKey128& key, TStream& dest,
                          const TAESInitVector& iv);
void AES_DecryptCbcStream(TStream& source, std::size_t count, const TAESExpandedDecryptKey128& key,
                          TStream& dest, const TAESInitVector& iv);

// The first n bytes of block (n 0 to 15), then 80, then zeros.
TAESBuffer AES_PadBlock(const TAESBuffer& block, int n);
TAESBuffer AES_XorBlock(const TAESBuffer& a, const TAESBuffer& b);
// Shifts block left by one bit as a 128-bit big-endian number; answers the
// bit shifted out.
bool AES_ShiftLeftBlock(TAESBuffer& block);
