// AES-128 CBC decryption and CMAC throughput of our own code against
// OpenSSL's software path (hardware AES instructions switched off through
// OPENSSL_ia32cap) in the same run.
//
// Run: build/release/bench/bench_aes
// Prints MB/s of each and the ratio ours / OpenSSL. OpenSSL reads
// OPENSSL_ia32cap when it loads, so its figures come from child runs of this
// program with the variable set.

#include "mbus/UAES.h"

#include <openssl/evp.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t BufferBytes = 16 * 1024;

// Best throughput in MB/s of `round` (which processes BufferBytes) over a
// few timed windows.
double Measure(const std::function<void()>& round)
{
    using Clock = std::chrono::steady_clock;
    double best = 0;
    for (int window = 0; window < 5; ++window) {
        std::size_t bytes = 0;
        const auto start = Clock::now();
        auto now = start;
        do {
            for (int i = 0; i < 16; ++i)
                round();
            bytes += 16 * BufferBytes;
            now = Clock::now();
        } while (now - start < std::chrono::milliseconds(200));
        const double seconds = std::chrono::duration<double>(now - start).count();
        best = std::max(best, bytes / seconds / 1e6);
    }
    return best;
}

std::vector<std::uint8_t> Data()
{
    std::vector<std::uint8_t> data(BufferBytes);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 131 + 7);
    return data;
}

const std::uint8_t Key[16] = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6,
                              0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};
const std::uint8_t Iv[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

volatile std::uint8_t Sink;

void Ours(double& cbc, double& cmac)
{
    TAESKey128 key;
    std::memcpy(key.data(), Key, 16);
    TAESInitVector iv;
    std::memcpy(iv.data(), Iv, 16);
    const TAESExpandedDecryptKey128 dk = AES_ExpandDecryptKey(key);
    const TAESExpandedKey128 ek = AES_ExpandEncryptKey(key);
    TMemoryStream source(Data());
    TMemoryStream dest;
    cbc = Measure([&] {
        source.SetPosition(0);
        dest.SetPosition(0);
        AES_DecryptCbcStream(source, BufferBytes, dk, dest, iv);
        Sink = dest.Bytes()[BufferBytes - 1];
    });
    cmac = Measure([&] { Sink = AES_CmacStream(source, BufferBytes, ek)[0]; });
}

void OpenSsl(double& cbc, double& cmac)
{
    const std::vector<std::uint8_t> data = Data();
    std::vector<std::uint8_t> out(BufferBytes + 16);
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_DecryptInit_ex(ctx, EVP_aes_128_cbc(), nullptr, Key, Iv);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    cbc = Measure([&] {
        int len = 0;
        EVP_DecryptInit_ex(ctx, nullptr, nullptr, nullptr, Iv);
        EVP_DecryptUpdate(ctx, out.data(), &len, data.data(), static_cast<int>(data.size()));
        Sink = out[BufferBytes - 1];
    });
    EVP_CIPHER_CTX_free(ctx);

    EVP_MAC* mac = EVP_MAC_fetch(nullptr, "CMAC", nullptr);
    EVP_MAC_CTX* mctx = EVP_MAC_CTX_new(mac);
    char cipher[] = "AES-128-CBC";
    OSSL_PARAM params[] = {OSSL_PARAM_construct_utf8_string("cipher", cipher, 0), OSSL_PARAM_construct_end()};
    EVP_MAC_init(mctx, Key, 16, params);
    cmac = Measure([&] {
        std::uint8_t tag[16];
        std::size_t len = 0;
        EVP_MAC_init(mctx, nullptr, 0, nullptr);
        EVP_MAC_update(mctx, data.data(), data.size());
        EVP_MAC_final(mctx, tag, &len, sizeof tag);
        Sink = tag[0];
    });
    EVP_MAC_CTX_free(mctx);
    EVP_MAC_free(mac);
}

// Runs this program again with OPENSSL_ia32cap set and reads its two figures.
bool OpenSslChild(const char* capabilities, double& cbc, double& cmac)
{
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return false;
    self[n] = 0;
    const std::string env = capabilities ? std::string("OPENSSL_ia32cap='") + capabilities + "'" : "-u OPENSSL_ia32cap";
    const std::string command = "env " + env + " '" + std::string(self) + "' --openssl";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    const int got = std::fscanf(pipe, "%lf %lf", &cbc, &cmac);
    pclose(pipe);
    return got == 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--openssl") == 0) {
        double cbc = 0, cmac = 0;
        OpenSsl(cbc, cmac);
        std::printf("%.1f %.1f\n", cbc, cmac);
        return 0;
    }

    double cbc = 0, cmac = 0;
    Ours(cbc, cmac);
    std::printf("%-44s %10s %10s\n", "", "CBC dec", "CMAC");
    std::printf("%-44s %7.1f MB/s %5.1f MB/s\n", "ours (T-tables, stream API, 16 KiB)", cbc, cmac);

    struct Path {
        const char* name;
        const char* caps;
    };
    // Bit 57: AES-NI; bit 41: SSSE3 (OpenSSL's vector-permute AES).
    const Path paths[] = {
        {"OpenSSL, AES-NI off (vector permute)", "~0x200000000000000"},
        {"OpenSSL, AES-NI and SSSE3 off (tables)", "~0x200020000000000"},
        {"OpenSSL, hardware (for reference)", nullptr},
    };
    for (const Path& p : paths) {
        double ocbc = 0, ocmac = 0;
        if (!OpenSslChild(p.caps, ocbc, ocmac) || ocbc <= 0 || ocmac <= 0) {
            std::printf("%-44s (child run failed)\n", p.name);
            continue;
        }
        std::printf("%-44s %7.1f MB/s %5.1f MB/s   ratio ours/OpenSSL: CBC %.2f, CMAC %.2f\n", p.name, ocbc,
                    ocmac, cbc / ocbc, cmac / ocmac);
    }
    return 0;
}
