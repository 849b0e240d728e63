#include "platform/IniFiles.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <utility>

namespace {

bool IsComment(const std::string& t) { return !t.empty() && (t[0] == ';' || t[0] == '#'); }

// "[Name]" -> Name (trimmed); false for any other line.
bool SectionName(const std::string& line, std::string& name)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    name = Trim(std::string_view(t).substr(1, t.size() - 2));
    return true;
}

// "Key=Value" -> Key, Value (both trimmed); false for any other line.
bool KeyValue(const std::string& line, std::string& key, std::string& value)
{
    const std::string t = Trim(line);
    if (t.empty() || IsComment(t)) return false;
    const std::size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(std::string_view(t).substr(0, eq));
    value = Trim(std::string_view(t).substr(eq + 1));
    return !key.empty();
}

} // namespace

TIniFile::TIniFile(std::string FileName) : FFileName(std::move(FileName)) { Load(); }

void TIniFile::Load()
{
    FLines.clear();
    std::string bytes;
    if (FileExists(FFileName) && ReadFileBytes(FFileName, bytes)) FLines = SplitLines(DecodeText(bytes));
}

int TIniFile::Find(const std::string& Section, const std::string& Ident, int* sectionEnd) const
{
    if (sectionEnd) *sectionEnd = -1;
    bool inSection = false;
    for (int i = 0; i < static_cast<int>(FLines.size()); ++i) {
        const std::string& line = FLines[static_cast<std::size_t>(i)];
        std::string name;
        if (SectionName(line, name)) {
            // The first section of that name is the one read and written.
            if (inSection) return -1;
            inSection = SameText(name, Section);
            if (inSection && sectionEnd) *sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (!Trim(line).empty() && sectionEnd) *sectionEnd = i + 1;
        std::string key, value;
        if (KeyValue(line, key, value) && SameText(key, Ident)) return i;
    }
    return -1;
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const
{
    return Find(Section, Ident, nullptr) >= 0;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const
{
    const int i = Find(Section, Ident, nullptr);
    if (i < 0) return Default;
    std::string key, value;
    KeyValue(FLines[static_cast<std::size_t>(i)], key, value);
    return value;
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const
{
    int v = 0;
    return TryStrToInt(ReadString(Section, Ident, ""), v) ? v : Default;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value)
{
    // A name or value holding a line break or '=' in the name would break
    // the file's structure.
    const auto bad = [](const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; };
    if (bad(Section) || bad(Ident) || bad(Value) || Trim(Ident).empty() || Ident.find('=') != std::string::npos ||
        Section.find(']') != std::string::npos)
        throw EInOutError("Invalid INI entry");
    const std::vector<std::string> old = FLines;
    const std::string line = Trim(Ident) + "=" + Value;
    int sectionEnd = -1;
    const int i = Find(Section, Ident, &sectionEnd);
    if (i >= 0) {
        FLines[static_cast<std::size_t>(i)] = line;
    } else if (sectionEnd >= 0) {
        FLines.insert(FLines.begin() + sectionEnd, line);
    } else {
        if (!FLines.empty() && !Trim(FLines.back()).empty()) FLines.emplace_back();
        FLines.push_back("[" + Section + "]");
        FLines.push_back(line);
    }
    try {
        Save();
    } catch (...) {
        FLines = old;
        throw;
    }
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    WriteString(Section, Ident, std::to_string(Value));
}

void TIniFile::Save() const
{
    std::string text;
    for (const std::string& l : FLines) text += l + "\n";
    if (!WriteFileAtomic(FFileName, text)) throw EInOutError("Cannot write \"" + FFileName + "\"");
}
