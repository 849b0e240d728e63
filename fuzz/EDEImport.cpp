// libFuzzer target: the EDE import's reading of another device's file.
//
// Each input is taken as the decoded text of an EDE file: its lines, where
// the data begin, the fields of every line and the objects kept. Checks:
// the data begin lies inside the file (or at its end), no field holds a line
// end and the first fifteen fields hold no ";", every object kept is of an
// accepted type and chosen for reading, and for writing only when settable.
#include "platform/TextFile.h"
#include "rules/field/UImportEDEFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = DecodeText(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> lines = SplitLines(text);
    if (EDE_Data_Begin(lines) > lines.size()) std::abort();
    for (const std::string& line : lines) {
        const auto fields = EDE_Line_Fields(line);
        for (size_t k = 0; k < fields.size(); ++k) {
            if (fields[k].find_first_of("\r\n") != std::string::npos) std::abort();
            if (k < 15 && fields[k].find(';') != std::string::npos) std::abort();
        }
    }
    for (const TBACnet_Var& v : Parse_EDE_Text(text)) {
        if (!EDE_Type_Accepted(v.object_type) || !v.import || !v.read || v.write != v.commandable) std::abort();
        if (Get_ObjType_EDE(v.object_type).empty()) std::abort();
    }
    return 0;
}
