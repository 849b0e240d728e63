#include "mbus/UAES.h"

#include <algorithm>
#include <cstring>

namespace {

// --- tables ------------------------------------------------------------------
// Built at compile time from the field arithmetic of GF(2^8) with the
// polynomial x^8 + x^4 + x^3 + x + 1.

constexpr std::uint8_t XTime(std::uint8_t x)
{
    return static_cast<std::uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1B : 0x00));
}

constexpr std::uint8_t GMul(std::uint8_t a, std::uint8_t b)
{
    std::uint8_t r = 0;
    while (b != 0) {
        if (b & 1)
            r ^= a;
        a = XTime(a);
        b >>= 1;
    }
    return r;
}

constexpr std::uint8_t Rotl8(std::uint8_t x, int n)
{
    return static_cast<std::uint8_t>((x << n) | (x >> (8 - n)));
}

struct Tables {
    std::uint8_t S[256];
    std::uint8_t Si[256];
    std::uint32_t Te[4][256];
    std::uint32_t Td[4][256];
};

constexpr std::uint32_t Rotl32(std::uint32_t x, int n)
{
    return (x << n) | (x >> (32 - n));
}

constexpr Tables MakeTables()
{
    Tables t{};
    for (int x = 0; x < 256; ++x) {
        // Multiplicative inverse as x^254 (0 maps to 0).
        std::uint8_t inv = 1;
        std::uint8_t base = static_cast<std::uint8_t>(x);
        for (int e = 254; e != 0; e >>= 1) {
            if (e & 1)
                inv = GMul(inv, base);
            base = GMul(base, base);
        }
        if (x == 0)
            inv = 0;
        const std::uint8_t s = static_cast<std::uint8_t>(inv ^ Rotl8(inv, 1) ^ Rotl8(inv, 2) ^ Rotl8(inv, 3) ^
                                                         Rotl8(inv, 4) ^ 0x63);
        t.S[x] = s;
        t.Si[s] = static_cast<std::uint8_t>(x);
    }
    for (int x = 0; x < 256; ++x) {
        const std::uint8_t s = t.S[x];
        // Column (2s, s, s, 3s), row 0 in the low byte.
        const std::uint32_t e = std::uint32_t(GMul(s, 2)) | (std::uint32_t(s) << 8) | (std::uint32_t(s) << 16) |
                                (std::uint32_t(GMul(s, 3)) << 24);
        const std::uint8_t si = t.Si[x];
        // Column (14s, 9s, 13s, 11s).
        const std::uint32_t d = std::uint32_t(GMul(si, 14)) | (std::uint32_t(GMul(si, 9)) << 8) |
                                (std::uint32_t(GMul(si, 13)) << 16) | (std::uint32_t(GMul(si, 11)) << 24);
        for (int k = 0; k < 4; ++k) {
            t.Te[k][x] = k == 0 ? e : Rotl32(e, 8 * k);
            t.Td[k][x] = k == 0 ? d : Rotl32(d, 8 * k);
        }
    }
    return t;
}

constexpr Tables T = MakeTables();
static_assert(T.S[0x00] == 0x63 && T.S[0x53] == 0xED && T.S[0xFF] == 0x16);
static_assert(T.Si[0x63] == 0x00 && T.Si[0x16] == 0xFF);

constexpr std::uint8_t Rcon[10] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x1B, 0x36};

inline std::uint32_t Load32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

inline void Store32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline std::uint32_t B0(std::uint32_t w) { return w & 0xFF; }
inline std::uint32_t B1(std::uint32_t w) { return (w >> 8) & 0xFF; }
inline std::uint32_t B2(std::uint32_t w) { return (w >> 16) & 0xFF; }
inline std::uint32_t B3(std::uint32_t w) { return w >> 24; }

inline std::uint32_t SubWord(std::uint32_t w)
{
    return std::uint32_t(T.S[B0(w)]) | (std::uint32_t(T.S[B1(w)]) << 8) | (std::uint32_t(T.S[B2(w)]) << 16) |
           (std::uint32_t(T.S[B3(w)]) << 24);
}

// One block in place: 16 bytes in, 16 bytes out (in and out may alias).
inline void EncryptRaw(const std::uint8_t* in, std::uint8_t* out, const std::uint32_t* rk)
{
    std::uint32_t s0 = Load32(in) ^ rk[0];
    std::uint32_t s1 = Load32(in + 4) ^ rk[1];
    std::uint32_t s2 = Load32(in + 8) ^ rk[2];
    std::uint32_t s3 = Load32(in + 12) ^ rk[3];
    const auto& Te0 = T.Te[0];
    const auto& Te1 = T.Te[1];
    const auto& Te2 = T.Te[2];
    const auto& Te3 = T.Te[3];
    for (int r = 1; r < 10; ++r) {
        rk += 4;
        const std::uint32_t t0 = Te0[B0(s0)] ^ Te1[B1(s1)] ^ Te2[B2(s2)] ^ Te3[B3(s3)] ^ rk[0];
        const std::uint32_t t1 = Te0[B0(s1)] ^ Te1[B1(s2)] ^ Te2[B2(s3)] ^ Te3[B3(s0)] ^ rk[1];
        const std::uint32_t t2 = Te0[B0(s2)] ^ Te1[B1(s3)] ^ Te2[B2(s0)] ^ Te3[B3(s1)] ^ rk[2];
        const std::uint32_t t3 = Te0[B0(s3)] ^ Te1[B1(s0)] ^ Te2[B2(s1)] ^ Te3[B3(s2)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += 4;
    const auto& S = T.S;
    auto last = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t k) {
        return (std::uint32_t(S[B0(a)]) | (std::uint32_t(S[B1(b)]) << 8) | (std::uint32_t(S[B2(c)]) << 16) |
                (std::uint32_t(S[B3(d)]) << 24)) ^
               k;
    };
    Store32(out, last(s0, s1, s2, s3, rk[0]));
    Store32(out + 4, last(s1, s2, s3, s0, rk[1]));
    Store32(out + 8, last(s2, s3, s0, s1, rk[2]));
    Store32(out + 12, last(s3, s0, s1, s2, rk[3]));
}

inline void DecryptRaw(const std::uint8_t* in, std::uint8_t* out, const std::uint32_t* w)
{
    // The decryption schedule is used from its last round key down.
    const std::uint32_t* rk = w + 40;
    std::uint32_t s0 = Load32(in) ^ rk[0];
    std::uint32_t s1 = Load32(in + 4) ^ rk[1];
    std::uint32_t s2 = Load32(in + 8) ^ rk[2];
    std::uint32_t s3 = Load32(in + 12) ^ rk[3];
    const auto& Td0 = T.Td[0];
    const auto& Td1 = T.Td[1];
    const auto& Td2 = T.Td[2];
    const auto& Td3 = T.Td[3];
    for (int r = 1; r < 10; ++r) {
        rk -= 4;
        const std::uint32_t t0 = Td0[B0(s0)] ^ Td1[B1(s3)] ^ Td2[B2(s2)] ^ Td3[B3(s1)] ^ rk[0];
        const std::uint32_t t1 = Td0[B0(s1)] ^ Td1[B1(s0)] ^ Td2[B2(s3)] ^ Td3[B3(s2)] ^ rk[1];
        const std::uint32_t t2 = Td0[B0(s2)] ^ Td1[B1(s1)] ^ Td2[B2(s0)] ^ Td3[B3(s3)] ^ rk[2];
        const std::uint32_t t3 = Td0[B0(s3)] ^ Td1[B1(s2)] ^ Td2[B2(s1)] ^ Td3[B3(s0)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk -= 4;
    const auto& Si = T.Si;
    auto last = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t k) {
        return (std::uint32_t(Si[B0(a)]) | (std::uint32_t(Si[B1(b)]) << 8) | (std::uint32_t(Si[B2(c)]) << 16) |
                (std::uint32_t(Si[B3(d)]) << 24)) ^
               k;
    };
    Store32(out, last(s0, s3, s2, s1, rk[0]));
    Store32(out + 4, last(s1, s0, s3, s2, rk[1]));
    Store32(out + 8, last(s2, s1, s0, s3, rk[2]));
    Store32(out + 12, last(s3, s2, s1, s0, rk[3]));
}

inline void Xor16(std::uint8_t* dst, const std::uint8_t* a, const std::uint8_t* b)
{
    for (int i = 0; i < 16; ++i)
        dst[i] = static_cast<std::uint8_t>(a[i] ^ b[i]);
}

} // namespace

TAESExpandedKey128 AES_ExpandEncryptKey(const TAESKey128& key)
{
    TAESExpandedKey128 out;
    for (int i = 0; i < 4; ++i)
        out.W[i] = Load32(key.data() + 4 * i);
    for (int i = 4; i < 44; ++i) {
        std::uint32_t t = out.W[i - 1];
        if (i % 4 == 0)
            t = SubWord(Rotl32(t, 24)) ^ Rcon[i / 4 - 1];  // RotWord moves byte 1 to the front
        out.W[i] = out.W[i - 4] ^ t;
    }
    return out;
}

TAESBuffer AES_EncryptBlock(const TAESBuffer& block, const TAESExpandedKey128& key)
{
    TAESBuffer out;
    EncryptRaw(block.data(), out.data(), key.W);
    return out;
}

TAESExpandedDecryptKey128 AES_InvertKeySchedule(const TAESExpandedKey128& key)
{
    TAESExpandedDecryptKey128 out;
    for (int i = 0; i < 44; ++i) {
        const std::uint32_t w = key.W[i];
        if (i < 4 || i >= 40) {
            out.W[i] = w;
            continue;
        }
        // Td applies the inverse S-box first; S undoes it, leaving InvMixColumns.
        out.W[i] = T.Td[0][T.S[B0(w)]] ^ T.Td[1][T.S[B1(w)]] ^ T.Td[2][T.S[B2(w)]] ^ T.Td[3][T.S[B3(w)]];
    }
    return out;
}

TAESExpandedDecryptKey128 AES_ExpandDecryptKey(const TAESKey128& key)
{
    return AES_InvertKeySchedule(AES_ExpandEncryptKey(key));
}

TAESBuffer AES_DecryptBlock(const TAESBuffer& block, const TAESExpandedDecryptKey128& key)
{
    TAESBuffer out;
    DecryptRaw(block.data(), out.data(), key.W);
    return out;
}

TAESBuffer AES_PadBlock(const TAESBuffer& block, int n)
{
    n = std::clamp(n, 0, 15);
    TAESBuffer out{};
    std::memcpy(out.data(), block.data(), static_cast<std::size_t>(n));
    out[static_cast<std::size_t>(n)] = 0x80;
    return out;
}

TAESBuffer AES_XorBlock(const TAESBuffer& a, const TAESBuffer& b)
{
    TAESBuffer out;
    Xor16(out.data(), a.data(), b.data());
    return out;
}

bool AES_ShiftLeftBlock(TAESBuffer& block)
{
    const bool out = (block[0] & 0x80) != 0;
    for (std::size_t i = 0; i < 15; ++i)
        block[i] = static_cast<std::uint8_t>((block[i] << 1) | (block[i + 1] >> 7));
    block[15] = static_cast<std::uint8_t>(block[15] << 1);
    return out;
}

void AES_CmacSubkeys(const TAESExpandedKey128& key, TAESBuffer& k1, TAESBuffer& k2)
{
    k1 = AES_EncryptBlock(TAESBuffer{}, key);
    if (AES_ShiftLeftBlock(k1))
        k1[15] ^= 0x87;
    k2 = k1;
    if (AES_ShiftLeftBlock(k2))
        k2[15] ^= 0x87;
}

TAESBuffer AES_CmacStream(TStream& source, std::size_t count, const TAESKey128& key)
{
    return AES_CmacStream(source, count, AES_ExpandEncryptKey(key));
}

TAESBuffer AES_CmacStream(TStream& source, std::size_t count, const TAESExpandedKey128& key)
{
    TAESBuffer k1, k2;
    AES_CmacSubkeys(key, k1, k2);

    const std::size_t n = count == 0 ? 1 : (count + 15) / 16;
    const bool complete = count != 0 && count % 16 == 0;

    TAESBuffer last{};
    source.SetPosition(static_cast<std::int64_t>((n - 1) * 16));
    if (complete) {
        source.ReadBuffer(last.data(), 16);
        last = AES_XorBlock(last, k1);
    } else {
        const int rest = static_cast<int>(count % 16);
        source.ReadBuffer(last.data(), static_cast<std::size_t>(rest));
        last = AES_XorBlock(AES_PadBlock(last, rest), k2);
    }

    source.SetPosition(0);
    std::uint8_t x[16] = {};
    std::uint8_t block[16];
    for (std::size_t i = 0; i + 1 < n; ++i) {
        source.ReadBuffer(block, 16);
        Xor16(x, x, block);
        EncryptRaw(x, x, key.W);
    }
    Xor16(x, x, last.data());
    TAESBuffer mac;
    EncryptRaw(x, mac.data(), key.W);
    return mac;
}

void AES_DecryptCbcStream(TStream& source, std::size_t count, const TAESKey128& key, TStream& dest,
                          const TAESInitVector& iv)
{
    AES_DecryptCbcStream(source, count, AES_ExpandDecryptKey(key), dest, iv);
}

void AES_DecryptCbcStream(TStream& source, std::size_t count, const TAESExpandedDecryptKey128& key,
                          TStream& dest, const TAESInitVector& iv)
{
    std::uint64_t size;
    if (count == 0) {
        source.SetPosition(0);
        size = static_cast<std::uint64_t>(source.Size());
    } else {
        const std::int64_t left = source.Size() - source.Position();
        size = std::min<std::uint64_t>(count, left > 0 ? static_cast<std::uint64_t>(left) : 0);
    }
    if (size == 0)
        return;
    if (size % 16 != 0)
        throw EAESError("Invalid buffer size for decryption");

    // Whole chunks of blocks per stream call; the chaining value carries over.
    constexpr std::size_t ChunkBlocks = 64;
    std::uint8_t chain[16];
    std::memcpy(chain, iv.data(), 16);
    std::uint8_t cipher[ChunkBlocks * 16];
    std::uint8_t plain[ChunkBlocks * 16];
    std::uint64_t left = size;
    while (left != 0) {
        const std::size_t bytes = static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof cipher));
        source.ReadBuffer(cipher, bytes);
        for (std::size_t off = 0; off < bytes; off += 16) {
            DecryptRaw(cipher + off, plain + off, key.W);
            Xor16(plain + off, plain + off, chain);
            std::memcpy(chain, cipher + off, 16);
        }
        dest.WriteBuffer(plain, bytes);
        left -= bytes;
    }
}
