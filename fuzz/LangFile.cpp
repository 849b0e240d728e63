// libFuzzer target: the language-file reader.
//
// Each input is written as a language file and read over the built-in
// texts. Checks: the table keeps its 5300 entries, the ids from the
// override bound up keep their English texts, and every text stays valid
// UTF-8 on one line.
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Paths.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

bool ValidUtf8OneLine(const std::string& s)
{
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '\r' || c == '\n') return false;
        const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

struct Setup {
    std::string file;
    std::vector<std::string> defaults;
    Setup()
    {
        const auto dir = std::filesystem::temp_directory_path() / ("zel-fuzz-lang-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        UComon::Init_State(dir.string());
        file = PathJoin(dir.string(), "Fuzz.lng");
        ULanguage::Load_Default_Lang();
        defaults = UComon::UI_Texts.Items();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Setup setup;
    if (!WriteFileAtomic(setup.file, std::string(reinterpret_cast<const char*>(data), size))) return 0;
    ULanguage::Read_Lang_File(setup.file);

    const auto& texts = UComon::UI_Texts;
    if (texts.Count() != 5300) std::abort();
    for (int id = 0; id < texts.Count(); ++id) {
        const std::string& t = texts[id];
        if (id >= UComon::Lang_Override_Bound && t != setup.defaults[static_cast<size_t>(id)]) std::abort();
        if (t != setup.defaults[static_cast<size_t>(id)]) {
            if (!ValidUtf8OneLine(t)) std::abort();
            UComon::UI_Texts.Put(id, setup.defaults[static_cast<size_t>(id)]); // back to the defaults
        }
    }
    return 0;
}
