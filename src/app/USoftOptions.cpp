#include "app/USoftOptions.h"

#include "app/UComon.h"
#include "platform/Http.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"
#include "platform/Timer.h"

#include <algorithm>

namespace USoftOptions {

// --- version query -----------------------------------------------------------

int Conv_Version(const std::string& Ver_str)
{
    const size_t blank = Ver_str.find(' ');
    const std::string v = Trim(blank == std::string::npos ? Ver_str : Ver_str.substr(blank + 1));
    if (v.size() < 5) return -1;
    const std::string digits{v[0], v[2], v[3], v[4]};
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool Is_Newer_Version(const std::string& answer)
{
    const std::string trimmed = Trim(answer);
    const std::string upper = UpperCase(trimmed);
    if (upper.empty() || upper == "VER. 0.000") return false;
    const int local = Conv_Version(Own_Version);
    const int remote = Conv_Version(trimmed);
    return local != -1 && remote != -1 && local < remote;
}

bool Check_Version()
{
    std::string answer;
    if (!HttpGet(std::string(Query_Path) + "?nomesw=" + UrlEncode(Query_SW_Code), answer)) answer.clear();
    return Is_Newer_Version(answer);
}

std::string Download_URL() { return HttpSettings().BaseURL + Download_Path; }

std::string Download_Link(const std::string& text)
{
    std::string shown;
    for (char c : text) {
        switch (c) {
        case '&': shown += "&amp;"; break;
        case '<': shown += "&lt;"; break;
        case '>': shown += "&gt;"; break;
        default: shown += c;
        }
    }
    return "<a href=\"" + Download_URL() + "\">" + shown + "</a>";
}

bool Update_Timer_Tick(TTimer& timer)
{
    timer.SetEnabled(false);
    const bool newer = Check_Version();
    timer.SetInterval(Check_Interval);
    timer.SetEnabled(true);
    return newer;
}

void Apply_Update_Timer(TTimer& timer)
{
    timer.SetEnabled(UComon::Opt_Enable_Internet && UComon::Opt_Enable_Update);
}

// --- language pages ----------------------------------------------------------

std::vector<std::string> List_Language_Files(const std::string& folder)
{
    std::vector<std::string> files;
    for (const std::string& name : ListFiles(folder)) {
        if (name.size() < 4 || !SameText(name.substr(name.size() - 4), ".lng")) continue;
        const std::string path = PathJoin(folder, name);
        if (!FileExists(path) || FileIsReadOnly(path)) continue;
        files.push_back(name);
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
    return files;
}

int Lang_Page_Count(int count) { return (count + Slots_Per_Page - 1) / Slots_Per_Page; }

std::string Lang_Name_Of(const std::string& fileName)
{
    return fileName.size() < 4 ? std::string() : fileName.substr(0, fileName.size() - 4);
}

TLangPage Lang_Page(const std::vector<std::string>& files, int Num_Page, const std::string& folder)
{
    TLangPage page;
    const int count = static_cast<int>(files.size());
    page.Page = Num_Page;
    page.Pages = Lang_Page_Count(count);
    page.Prev_Visible = Num_Page != 1;
    page.Next_Visible = Num_Page != page.Pages;
    const int shown = std::min(Slots_Per_Page, count - Slots_Per_Page * Num_Page + Slots_Per_Page);
    for (int k = 1; k <= shown; ++k) {
        const int index = Slots_Per_Page * (Num_Page - 1) + k - 1;
        if (index < 0 || index >= count) RaiseListIndexError(index);
        TLangSlot& slot = page.Slots[static_cast<size_t>(k - 1)];
        slot.Visible = true;
        slot.Name = Lang_Name_Of(files[static_cast<size_t>(index)]);
        const std::string own = PathJoin(folder, slot.Name + ".bmp");
        const std::string fallback = PathJoin(folder, "DefaultFlag.bmp");
        if (FileExists(own))
            slot.Flag = own;
        else if (FileExists(fallback))
            slot.Flag = fallback;
    }
    return page;
}

int Step_Page(int Show_Page, int pages, bool forward)
{
    if (forward) return Show_Page + 1 <= pages ? Show_Page + 1 : Show_Page;
    return Show_Page - 1 > 0 ? Show_Page - 1 : Show_Page;
}

} // namespace USoftOptions
