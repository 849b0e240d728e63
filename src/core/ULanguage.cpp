#include "core/ULanguage.h"

#include "core/UComon.h"
#include "core/UDefaultTexts.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <utility>

namespace ULanguage {

namespace {

constexpr std::string_view kComment = "/#/";
constexpr std::string_view kPilcrow = "\xC2\xB6"; // U+00B6 in UTF-8

// Decimal integer with an optional sign; -1 for anything else (also for a
// number that does not fit an int).
int DecimalId(std::string_view s)
{
    size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    if (i == s.size()) return -1;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return -1;
        v = v * 10 + (s[i] - '0');
        if (v > std::numeric_limits<int>::max()) return -1;
    }
    return static_cast<int>(neg ? -v : v);
}

// One line of a language file: the id and value it sets, or false when the
// line sets nothing. The id is written as "STR" + number + one character +
// "=" (normally a blank before the "="), the value follows the "=".
bool ParseLine(const std::string& rawLine, int& id, std::string& value)
{
    const std::string line = Trim(rawLine);
    if (line.rfind("STR", 0) != 0) return false;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    // The id text runs from the fourth character up to the one before the
    // character that precedes "=" (0-based 3 .. eq - 2).
    if (eq < 5) return false; // "STR=", "STR1=": no id text at all
    id = DecimalId(Trim(std::string_view(line).substr(3, eq - 4)));
    if (id < 0) return false;

    value = Trim(std::string_view(line).substr(eq + 1));
    if (value.empty()) return false;
    if (const size_t c = value.find(kComment); c != std::string::npos) {
        value = Trim(std::string_view(value).substr(0, c));
        if (value.empty()) return false; // nothing but a comment
    }
    // A leading pilcrow protects leading blanks, the next one ends the text
    // (and protects trailing blanks).
    if (value.rfind(kPilcrow, 0) == 0) value.erase(0, kPilcrow.size());
    if (const size_t p = value.find(kPilcrow); p != std::string::npos) value.erase(p);
    return true;
}

std::array<std::function<void()>, static_cast<size_t>(TLangWindow::Count)>& SetLangs()
{
    static std::array<std::function<void()>, static_cast<size_t>(TLangWindow::Count)> setLangs;
    return setLangs;
}

size_t WindowIndex(TLangWindow window)
{
    const auto i = static_cast<long long>(window);
    if (i < 0 || i >= static_cast<long long>(TLangWindow::Count)) RaiseListIndexError(i);
    return static_cast<size_t>(i);
}

} // namespace

void Load_Default_Lang()
{
    using namespace UDefaultTexts;
    auto& texts = UComon::UI_Texts;
    texts.Clear();
    int next = 0;
    for (const TDefaultText& t : Default_Texts()) {
        while (next < t.id) {
            texts.Add(Blank_Text);
            ++next;
        }
        texts.Add(t.text);
        ++next;
    }
    while (next < Text_Count) {
        texts.Add(Blank_Text);
        ++next;
    }
    UComon::Lang_Override_Bound = 5100;
}

void Read_Lang_File(const std::string& fileName)
{
    std::string bytes, why;
    if (!ReadFileBytes(fileName, bytes, &why)) {
        // A file that is there but cannot be used (too large, unreadable)
        // is reported; the texts keep what they held.
        if (FileExists(fileName))
            ShowError("The language file \"" + fileName + "\" cannot be used: " + why + ". Its texts are not loaded.");
        return;
    }
    auto& texts = UComon::UI_Texts;
    const int bound = std::min(UComon::Lang_Override_Bound, texts.Count());
    int id = -1;
    std::string value;
    for (const std::string& line : SplitLines(DecodeText(bytes)))
        if (ParseLine(line, id, value) && id < bound) texts.Put(id, value);
}

std::string Language_File(const std::string& folder, const std::string& language)
{
    const std::string exact = PathJoin(folder, language + ".lng");
    if (FileExists(exact)) return exact;
    // The options list every file whose extension is ".lng" in any case
    // ("Upper.LNG"): the same file is loaded.
    for (const std::string& f : ListFiles(folder))
        if (SameText(f, language + ".lng")) return PathJoin(folder, f);
    return {};
}

void Load_Language()
{
    using namespace UComon;
    Load_Default_Lang();
    // A name that is no plain file name ("../x", "a/b") would reach outside
    // LANGUAGE: it counts as a missing language.
    const std::string file =
        Is_Valid_Project_Name(Language_Name) ? Language_File(Language_Folder, Language_Name) : std::string();
    if (!file.empty()) {
        Read_Lang_File(file);
        return;
    }
    Language_Name = "English";
    const std::string english = Language_File(Language_Folder, "English");
    if (!english.empty()) Read_Lang_File(english);
}

const std::string& Text(int id) { return UComon::UI_Texts.Strings(id); }

void Register_Set_Lang(TLangWindow window, std::function<void()> setLang)
{
    SetLangs()[WindowIndex(window)] = std::move(setLang);
}

void Unregister_Set_Lang(TLangWindow window) { SetLangs()[WindowIndex(window)] = nullptr; }

void Apply_Set_Lang()
{
    for (size_t i = 0; i < SetLangs().size(); ++i) {
        // A copy: a Set_Lang may register or unregister windows while it runs.
        const std::function<void()> setLang = SetLangs()[i];
        if (setLang) setLang();
    }
}

} // namespace ULanguage
