#include "rules/field/USideFile.h"

#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace USideFile {

std::string Side_File_Bytes(const std::vector<std::string>& lines, TSideEncoding encoding)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    if (encoding == TSideEncoding::Ansi) return EncodeWindows1252(text);
    return "\xEF\xBB\xBF" + text;
}

bool Write_Side_File(const std::string& path, const std::vector<std::string>& lines, TSideEncoding encoding)
{
    if (!path.empty() && WriteFileAtomic(path, Side_File_Bytes(lines, encoding))) return true;
    ShowError(std::string(Msg_Not_Written) + "\n" + path);
    return false;
}

} // namespace USideFile
