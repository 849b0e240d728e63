// libFuzzer target: the settings file reader.
//
// Each input is written as "Zelvator.xml" and read. Checks: no
// configuration is open afterwards, and what was read survives a save and a
// second read unchanged (for texts without the control characters other than
// TAB, LF and CR, which the writer drops).
#include "core/UComon.h"
#include "platform/Paths.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

namespace {

auto Values()
{
    using namespace UComon;
    return std::make_tuple(Project_Name, Device_IP, Language_Name, Opt_Enable_Internet, Opt_Enable_Update,
                           Opt_Jump_Field_Tables, Opt_DblClick_Auto_Size);
}

bool Savable(const std::string& s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string folder = [] {
        const auto dir =
            std::filesystem::temp_directory_path() / ("zel-fuzz-settings-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        return dir.string();
    }();
    UComon::Init_State(folder);
    if (!WriteFileAtomic(UComon::Settings_File(), std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    UComon::Read_Setting();
    if (!UComon::Project_Folder.empty()) std::abort();

    const auto first = Values();
    if (!Savable(UComon::Project_Name) || !Savable(UComon::Device_IP) || !Savable(UComon::Language_Name))
        return 0;
    if (!UComon::Save_Setting()) std::abort();
    UComon::Read_Setting();
    if (Values() != first) std::abort();
    return 0;
}
