// libFuzzer target: the readers of the device image builder.
//
// Each input is cut at the lines "#--#" into up to five parts that become a
// configuration folder: "ParGen.xml", "CAN_Rec_Frames.xml",
// "CAN_Send_Frames.xml", "MQTT_Set_Topic.xml" and the certificate
// "Certificates/ca.pem" (a missing or empty part leaves its file out). The
// image is then built in memory. Checks: a build either succeeds or stops
// with EImageBuildError (nothing else escapes); a built image has a
// 2048-byte bank 1 whose closing byte sum is right, a bank 2 of the CAN
// table and at least the MQTT header within its 512 KiB, and a CAN entry
// count of at most 1024.
#include "core/UComon.h"
#include "image/USaveBincc.h"
#include "platform/Paths.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Setup {
    fs::path program;
    fs::path project;
    Setup()
    {
        program = fs::temp_directory_path() / ("zel-fuzz-image-" + std::to_string(getpid()));
        UComon::Init_State(program.string());
        UComon::Project_Name = "Fuzz";
        project = fs::path(UComon::Projects_Root) / "Fuzz";
        fs::create_directories(project / "bin");
        fs::create_directories(project / "Certificates");
        UComon::Project_Folder = project.string();
        UComon::Set_Files();
    }
};

// Plain writes: the builder's readers are under test, not the atomic save.
void Put(const fs::path& file, std::string_view bytes)
{
    std::error_code ec;
    if (bytes.empty()) {
        fs::remove(file, ec);
        return;
    }
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Setup setup;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    size_t from = 0;
    while (parts.size() < 4) {
        const size_t cut = input.find("\n#--#\n", from);
        if (cut == std::string_view::npos) break;
        parts.push_back(input.substr(from, cut - from));
        from = cut + 6;
    }
    parts.push_back(input.substr(from));
    parts.resize(5);

    Put(UComon::File_ParGen, parts[0]);
    Put(UComon::File_CAN_Rec_Frames, parts[1]);
    Put(UComon::File_CAN_Send_Frames, parts[2]);
    Put(UComon::File_MQTT_Set_Topic, parts[3]);
    Put(setup.project / "Certificates" / "ca.pem", parts[4]);

    try {
        USaveBincc::Create_Bin();
    } catch (const EImageBuildError&) {
        if (!USaveBincc::Bank1_Image().empty() || !USaveBincc::Bank2_Image().empty()) std::abort();
        return 0;
    }
    const std::vector<uint8_t>& b1 = USaveBincc::Bank1_Image();
    const std::vector<uint8_t>& b2 = USaveBincc::Bank2_Image();
    if (b1.size() != 2048) std::abort();
    uint32_t sum = 0;
    for (size_t i = 0; i < 0x7FC; ++i) sum += b1[i];
    if (U32(b1, 0x7FC) != sum) std::abort();
    if (U32(b1, 0x070) > 1024) std::abort();
    if (b2.size() < 0x8000 + 221 || b2.size() > 524288) std::abort();
    return 0;
}
