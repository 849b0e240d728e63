// AES-128, CBC decryption and CMAC against the published vectors and, for
// random keys and data, against OpenSSL.

#include "mbus/UAES.h"

#include "mbus/MBusTestSupport.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TAESBuffer Block(const std::string& text)
{
    const Bytes b = Hex(text);
    TAESBuffer out{};
    std::memcpy(out.data(), b.data(), std::min<std::size_t>(b.size(), 16));
    return out;
}

Bytes ToBytes(const TAESBuffer& b) { return Bytes(b.begin(), b.end()); }

const TAESKey128 RfcKey = Block("2b7e151628aed2a6abf7158809cf4f3c");
const std::string RfcMessage = "6bc1bee22e409f96e93d7e117393172a ae2d8a571e03ac9c9eb76fac45af8e51"
                               "30c81c46a35ce411e5fbc1191a0a52ef f69f2445df4f9b17ad2b417be66c3710";

// A stream that accepts only a limited number of bytes.
class LimitedStream : public TMemoryStream {
public:
    explicit LimitedStream(std::size_t limit) : limit_(limit) {}
    std::size_t Write(const void* buffer, std::size_t count) override
    {
        const std::size_t room = Bytes().size() < limit_ ? limit_ - Bytes().size() : 0;
        return TMemoryStream::Write(buffer, std::min(count, room));
    }

private:
    std::size_t limit_;
};

} // namespace

TEST(AES, Fips197AppendixC1EncryptsAndDecrypts)
{
    const TAESKey128 key = Block("000102030405060708090a0b0c0d0e0f");
    const TAESBuffer plain = Block("00112233445566778899aabbccddeeff");
    const TAESBuffer cipher = Block("69c4e0d86a7b0430d8cdb78070b4c55a");

    EXPECT_EQ(AES_EncryptBlock(plain, AES_ExpandEncryptKey(key)), cipher);
    EXPECT_EQ(AES_DecryptBlock(cipher, AES_ExpandDecryptKey(key)), plain);
    // The last round key of the FIPS-197 appendix A.1 expansion.
    const TAESExpandedKey128 rfc = AES_ExpandEncryptKey(RfcKey);
    EXPECT_EQ(rfc.W[43], 0xA60C63B6u);  // b6 63 0c a6, first byte lowest
    // Round keys 0 and 10 stay as they are in the decryption schedule.
    const TAESExpandedDecryptKey128 inv = AES_InvertKeySchedule(rfc);
    for (int i : {0, 1, 2, 3, 40, 41, 42, 43})
        EXPECT_EQ(inv.W[i], rfc.W[i]) << i;
    EXPECT_NE(inv.W[4], rfc.W[4]);
}

TEST(AES, Sp800_38A_CbcDecryption)
{
    const Bytes cipher = Hex("7649abac8119b246cee98e9b12e9197d 5086cb9b507219ee95db113a917678b2"
                             "73bed6b8e3c1743b7116e69e22229516 3ff1caa1681fac09120eca307586e1a7");
    const Bytes plain = Hex(RfcMessage);
    const TAESInitVector iv = Block("000102030405060708090a0b0c0d0e0f");

    struct Case {
        const char* name;
        std::int64_t startAt;
        std::size_t count;
        std::size_t firstBlock;  // first and number of blocks of the expected plaintext
        std::size_t blocks;
    };
    const Case cases[] = {
        {"count 0 rewinds and takes the whole source", 48, 0, 0, 4},
        {"exact count from the start", 0, 64, 0, 4},
        {"count beyond the end is cut to what is left", 16, 1000, 1, 3},
        {"count shorter than what is left", 16, 32, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream source(cipher);
        source.SetPosition(c.startAt);
        TMemoryStream dest;
        dest.WriteBuffer("x", 1);  // plaintext is appended
        // Chaining starts from the ciphertext block before the first one read.
        const TAESInitVector chain = c.firstBlock == 0 ? iv : Block(std::string("7649abac8119b246cee98e9b12e9197d"));
        AES_DecryptCbcStream(source, c.count, RfcKey, dest, chain);
        const std::size_t blocks = c.blocks;
        Bytes expected{'x'};
        expected.insert(expected.end(), plain.begin() + 16 * c.firstBlock,
                        plain.begin() + 16 * (c.firstBlock + blocks));
        EXPECT_EQ(dest.Bytes(), expected);
        EXPECT_EQ(source.Position(), 16 * static_cast<std::int64_t>(c.firstBlock + blocks));
    }
}

TEST(AES, CbcDecryptionRefusesPartialBlocksAndReportsStreamFaults)
{
    const Bytes data(64, 0xA5);
    {
        TMemoryStream source(data);
        TMemoryStream dest;
        try {
            AES_DecryptCbcStream(source, 20, RfcKey, dest, TAESInitVector{});
            FAIL() << "no error";
        } catch (const EAESError& e) {
            EXPECT_STREQ(e.what(), "Invalid buffer size for decryption");
        }
        EXPECT_TRUE(dest.Bytes().empty());
    }
    {
        // An empty source, or a count of 0 on one, does nothing.
        TMemoryStream source;
        TMemoryStream dest;
        AES_DecryptCbcStream(source, 0, RfcKey, dest, TAESInitVector{});
        AES_DecryptCbcStream(source, 16, RfcKey, dest, TAESInitVector{});
        EXPECT_TRUE(dest.Bytes().empty());
    }
    {
        TMemoryStream source(Bytes(4096, 0x11));
        LimitedStream dest(100);
        try {
            AES_DecryptCbcStream(source, 0, RfcKey, dest, TAESInitVector{});
            FAIL() << "no error";
        } catch (const EWriteError& e) {
            EXPECT_STREQ(e.what(), "Stream write error");
        }
    }
    {
        // A CMAC count beyond the source cannot be read.
        TMemoryStream source(Bytes(20, 0x22));
        for (std::size_t count : {21u, 32u, 40u}) {
            try {
                AES_CmacStream(source, count, RfcKey);
                FAIL() << "no error for " << count;
            } catch (const EReadError& e) {
                EXPECT_STREQ(e.what(), "Stream read error");
            }
        }
    }
}

TEST(AES, Rfc4493CmacTagsAndSubkeys)
{
    TAESBuffer k1, k2;
    AES_CmacSubkeys(AES_ExpandEncryptKey(RfcKey), k1, k2);
    EXPECT_EQ(k1, Block("fbeed618357133667c85e08f7236a8de"));
    EXPECT_EQ(k2, Block("f7ddac306ae266ccf90bc11ee46d513b"));

    const Bytes message = Hex(RfcMessage);
    const struct {
        std::size_t length;
        const char* tag;
    } cases[] = {
        {0, "bb1d6929e95937287fa37d129b756746"},
        {16, "070a16b46b4d4144f79bdd9dd04a287c"},
        {40, "dfa66747de9ae63030ca32611497c827"},
        {64, "51f0bebf7e3b9d92fc49741779363cfe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        // The stream holds more than the count and sits at its end: only the
        // first count bytes count, read from the start.
        TMemoryStream source(message);
        source.SetPosition(64);
        EXPECT_EQ(AES_CmacStream(source, c.length, RfcKey), Block(c.tag));
        TMemoryStream again(message);
        EXPECT_EQ(AES_CmacStream(again, c.length, AES_ExpandEncryptKey(RfcKey)), Block(c.tag));
    }
}

TEST(AES, BlockHelpers)
{
    EXPECT_EQ(AES_PadBlock(Block("0102030405060708090a0b0c0d0e0f10"), 3),
              Block("01020380000000000000000000000000"));
    EXPECT_EQ(AES_PadBlock(Block("ffffffffffffffffffffffffffffffff"), 0), Block("80"));
    EXPECT_EQ(AES_PadBlock(Block("ffffffffffffffffffffffffffffffff"), 15),
              Block("ffffffffffffffffffffffffffffff80"));
    EXPECT_EQ(AES_XorBlock(Block("0f0f"), Block("ff00")), Block("f00f"));

    TAESBuffer b = Block("80000000000000000000000000000001");
    EXPECT_TRUE(AES_ShiftLeftBlock(b));
    EXPECT_EQ(b, Block("00000000000000000000000000000002"));
    b = Block("00000000000000018000000000000000");
    EXPECT_FALSE(AES_ShiftLeftBlock(b));
    EXPECT_EQ(b, Block("00000000000000030000000000000000"));
}

namespace {

Bytes OpenSslCbcDecrypt(const TAESKey128& key, const TAESInitVector& iv, const Bytes& cipher)
{
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_DecryptInit_ex(ctx, EVP_aes_128_cbc(), nullptr, key.data(), iv.data());
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    Bytes out(cipher.size() + 16);
    int len = 0, fin = 0;
    EVP_DecryptUpdate(ctx, out.data(), &len, cipher.data(), static_cast<int>(cipher.size()));
    EVP_DecryptFinal_ex(ctx, out.data() + len, &fin);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(static_cast<std::size_t>(len + fin));
    return out;
}

Bytes OpenSslEncryptBlock(const TAESKey128& key, const TAESBuffer& block)
{
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex(ctx, EVP_aes_128_ecb(), nullptr, key.data(), nullptr);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    Bytes out(32);
    int len = 0;
    EVP_EncryptUpdate(ctx, out.data(), &len, block.data(), 16);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(static_cast<std::size_t>(len));
    return out;
}

Bytes OpenSslCmac(const TAESKey128& key, const Bytes& data)
{
    EVP_MAC* mac = EVP_MAC_fetch(nullptr, "CMAC", nullptr);
    EVP_MAC_CTX* ctx = EVP_MAC_CTX_new(mac);
    char cipher[] = "AES-128-CBC";
    OSSL_PARAM params[] = {OSSL_PARAM_construct_utf8_string("cipher", cipher, 0), OSSL_PARAM_construct_end()};
    EVP_MAC_init(ctx, key.data(), key.size(), params);
    EVP_MAC_update(ctx, data.data(), data.size());
    Bytes out(16);
    std::size_t len = 0;
    EVP_MAC_final(ctx, out.data(), &len, out.size());
    EVP_MAC_CTX_free(ctx);
    EVP_MAC_free(mac);
    out.resize(len);
    return out;
}

} // namespace

TEST(AES, RandomKeysAndDataAgreeWithOpenSsl)
{
    std::mt19937 rng(4493);
    auto fill = [&](auto& container) {
        for (auto& b : container)
            b = static_cast<std::uint8_t>(rng());
    };
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        TAESKey128 key;
        fill(key);
        TAESBuffer block;
        fill(block);
        const TAESBuffer enc = AES_EncryptBlock(block, AES_ExpandEncryptKey(key));
        EXPECT_EQ(ToBytes(enc), OpenSslEncryptBlock(key, block));
        EXPECT_EQ(AES_DecryptBlock(enc, AES_ExpandDecryptKey(key)), block);

        Bytes data(16 * (round % 40));
        fill(data);
        TAESInitVector iv;
        fill(iv);
        TMemoryStream source(data);
        TMemoryStream dest;
        AES_DecryptCbcStream(source, data.size(), key, dest, iv);
        EXPECT_EQ(dest.Bytes(), OpenSslCbcDecrypt(key, iv, data));

        Bytes message(static_cast<std::size_t>(round % 100));
        fill(message);
        TMemoryStream macSource(message);
        EXPECT_EQ(ToBytes(AES_CmacStream(macSource, message.size(), key)), OpenSslCmac(key, message));
    }
}
