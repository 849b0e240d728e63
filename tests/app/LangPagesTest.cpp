#include "app/USoftOptions.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace USoftOptions;

namespace {

std::vector<std::string> VisibleNames(const TLangPage& page)
{
    std::vector<std::string> names;
    for (const auto& slot : page.Slots)
        if (slot.Visible) names.push_back(slot.Name);
    return names;
}

} // namespace

TEST(LangPages, SevenFilesMakeTwoPages)
{
    TempDir dir;
    for (const char* name : {"Italiano.lng", "deutsch.lng", "English.LNG", "Francais.Lng", "Espanol.lng",
                             "Polski.lng", "Cesky.lng"})
        WriteFile(dir.file(name), "STR0 = x\n");
    // Not language files: other extensions, a folder, a read-only file.
    WriteFile(dir.file("notes.txt"), "");
    WriteFile(dir.file("Old.lng.bak"), "");
    WriteFile(dir.file("Other.lngx"), "");
    std::filesystem::create_directory(dir.file("Folder.lng"));
    WriteFile(dir.file("Locked.lng"), "");
    std::filesystem::permissions(dir.file("Locked.lng"), std::filesystem::perms::owner_read);

    const auto files = List_Language_Files(dir.path());
    EXPECT_EQ(files, (std::vector<std::string>{"Cesky.lng", "deutsch.lng", "English.LNG", "Espanol.lng",
                                               "Francais.Lng", "Italiano.lng", "Polski.lng"}));

    const TLangPage first = Lang_Page(files, 1, dir.path());
    EXPECT_EQ(first.Pages, 2);
    EXPECT_FALSE(first.Prev_Visible);
    EXPECT_TRUE(first.Next_Visible);
    EXPECT_EQ(VisibleNames(first),
              (std::vector<std::string>{"Cesky", "deutsch", "English", "Espanol", "Francais", "Italiano"}));

    const TLangPage second = Lang_Page(files, Step_Page(1, first.Pages, true), dir.path());
    EXPECT_EQ(second.Page, 2);
    EXPECT_TRUE(second.Prev_Visible);
    EXPECT_FALSE(second.Next_Visible);
    EXPECT_EQ(VisibleNames(second), (std::vector<std::string>{"Polski"}));
    EXPECT_TRUE(second.Slots[0].Visible);
    for (size_t k = 1; k < second.Slots.size(); ++k) EXPECT_FALSE(second.Slots[k].Visible);

    // Next on the last page and Previous on the first change nothing.
    EXPECT_EQ(Step_Page(2, 2, true), 2);
    EXPECT_EQ(Step_Page(2, 2, false), 1);
    EXPECT_EQ(Step_Page(1, 2, false), 1);
}

TEST(LangPages, NoLanguageFileGivesAnEmptyPage)
{
    TempDir dir;
    for (const std::string& folder : {dir.path(), dir.file("missing")}) {
        const auto files = List_Language_Files(folder);
        EXPECT_TRUE(files.empty());
        const TLangPage page = Lang_Page(files, 1, folder);
        // One empty page, with nowhere to go.
        EXPECT_EQ(page.Pages, 1);
        EXPECT_FALSE(page.Prev_Visible);
        EXPECT_FALSE(page.Next_Visible);
        EXPECT_TRUE(VisibleNames(page).empty());
        EXPECT_EQ(Step_Page(1, page.Pages, true), 1);
    }
}

TEST(LangPages, FlagFallsBackToTheDefaultFlagThenToNone)
{
    TempDir dir;
    WriteFile(dir.file("Alpha.lng"), "");
    WriteFile(dir.file("Beta.lng"), "");
    WriteFile(dir.file("Alpha.bmp"), "BM");
    const auto files = List_Language_Files(dir.path());

    TLangPage page = Lang_Page(files, 1, dir.path());
    EXPECT_EQ(page.Slots[0].Flag, dir.file("Alpha.bmp"));
    EXPECT_EQ(page.Slots[1].Flag, "");

    WriteFile(dir.file("DefaultFlag.bmp"), "BM");
    page = Lang_Page(files, 1, dir.path());
    EXPECT_EQ(page.Slots[0].Flag, dir.file("Alpha.bmp"));
    EXPECT_EQ(page.Slots[1].Flag, dir.file("DefaultFlag.bmp"));
}
