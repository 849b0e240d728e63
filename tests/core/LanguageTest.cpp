// Language files: reading, the override bound, fall-back and Set_Lang order.
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

using ULanguage::Text;

namespace {

class Language : public ::testing::Test {
protected:
    void SetUp() override
    {
        UComon::Init_State(dir.path());
        UComon::Create_Program_Folders();
        ULanguage::Load_Default_Lang();
        defaults = UComon::UI_Texts.Items();
    }
    void TearDown() override
    {
        for (int w = 0; w < static_cast<int>(ULanguage::TLangWindow::Count); ++w)
            ULanguage::Unregister_Set_Lang(static_cast<ULanguage::TLangWindow>(w));
    }
    std::string LangFile(const std::string& name) const
    {
        return PathJoin(UComon::Language_Folder, name + ".lng");
    }
    // Ids whose text differs from the defaults.
    std::vector<int> Changed() const
    {
        std::vector<int> ids;
        for (int i = 0; i < UComon::UI_Texts.Count(); ++i)
            if (Text(i) != defaults[static_cast<size_t>(i)]) ids.push_back(i);
        return ids;
    }

    TempDir dir;
    std::vector<std::string> defaults;
};

} // namespace

TEST_F(Language, LineTable)
{
    const std::string pil = "\xC2\xB6"; // pilcrow
    const struct {
        std::string line;
        std::optional<int> id; // none: the line changes nothing
        std::string value;
    } cases[] = {
        {"STR18 = Fehler", 18, "Fehler"},
        {" \t STR18 = x \t ", 18, "x"},
        {"STR0 = zero", 0, "zero"},
        {"STR 7 = x", 7, "x"},
        {"STR7 = a = b", 7, "a = b"},
        {"STR5099 = last", 5099, "last"},
        // The character right before "=" separates number and "=".
        {"STR12= Text", 1, "Text"},
        {"STR5100 = x", {}, ""},
        {"STR5299 = x", {}, ""},
        {"STR5300 = x", {}, ""},
        {"STR99999999999999 = x", {}, ""},
        {"STR-1 = x", {}, ""},
        {"str12 = x", {}, ""},
        {"xSTR12 = x", {}, ""},
        {"STR12 x", {}, ""},
        {"STR=", {}, ""},
        {"STR= x", {}, ""},
        {"STR1=", {}, ""},
        {"STR1 =", {}, ""},
        {"STR12 =    ", {}, ""},
        {"STRab = x", {}, ""},
        {"STR$10 = x", {}, ""},
        {"STR0x10 = x", {}, ""},
        {"STR12 = /#/ only a comment", {}, ""},
        {"STR21 = Set Communication /#/ step 2", 21, "Set Communication"},
        {"STR9 = " + pil + " None " + pil, 9, " None "},
        {"STR9 = " + pil + pil, 9, ""},
        {"STR9 = " + pil + " lead", 9, " lead"},
        {"STR9 = a" + pil + "b", 9, "a"},
        {"STR9 = " + pil + " a /#/ b " + pil, 9, " a"},
    };
    for (const auto& c : cases) {
        ULanguage::Load_Default_Lang();
        WriteFile(LangFile("Test"), c.line + "\r\n");
        ULanguage::Read_Lang_File(LangFile("Test"));
        ASSERT_EQ(UComon::UI_Texts.Count(), 5300) << c.line;
        if (c.id) {
            EXPECT_EQ(Changed(), std::vector<int>{*c.id}) << c.line;
            EXPECT_EQ(Text(*c.id), c.value) << c.line;
        } else {
            EXPECT_TRUE(Changed().empty()) << c.line;
        }
    }
}

TEST_F(Language, LaterLineWinsAndEveryLineEndCounts)
{
    WriteFile(LangFile("Test"), "STR1 = a\rSTR2 = b\r\nSTR1 = c\nSTR3 = d");
    ULanguage::Read_Lang_File(LangFile("Test"));
    EXPECT_EQ(Changed(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Text(1), "c");
    EXPECT_EQ(Text(2), "b");
    EXPECT_EQ(Text(3), "d");
}

namespace {

std::string Utf16(const std::u16string& s, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : s) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

} // namespace

TEST_F(Language, EveryEncodingGivesTheSameTable)
{
    const std::string utf8 = "STR18 = Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC\r\n"
                             "STR19 = \xC2\xB6 Caf\xC3\xA9 \xC2\xB6\r\n";
    const std::u16string text = u"STR18 = Gr\u00F6\u00DFe \u20AC\r\nSTR19 = \u00B6 Caf\u00E9 \u00B6\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8},
        {"UTF-8 without BOM", utf8},
        {"UTF-16LE", Utf16(text, false)},
        {"UTF-16BE", Utf16(text, true)},
        {"Windows-1252", "STR18 = Gr\xF6\xDF" "e \x80\r\nSTR19 = \xB6 Caf\xE9 \xB6\r\n"},
    };
    for (const auto& f : files) {
        ULanguage::Load_Default_Lang();
        WriteFile(LangFile("Test"), f.bytes);
        ULanguage::Read_Lang_File(LangFile("Test"));
        EXPECT_EQ(Changed(), (std::vector<int>{18, 19})) << f.name;
        EXPECT_EQ(Text(18), "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC") << f.name;
        EXPECT_EQ(Text(19), " Caf\xC3\xA9 ") << f.name;
    }
}

TEST_F(Language, ReadingIntoAnEmptyTableChangesNothing)
{
    WriteFile(LangFile("Test"), "STR0 = x\nSTR18 = y\n");
    UComon::UI_Texts.Clear();
    EXPECT_NO_THROW(ULanguage::Read_Lang_File(LangFile("Test")));
    EXPECT_EQ(UComon::UI_Texts.Count(), 0);
}

TEST_F(Language, LoadLanguageAndFallBack)
{
    WriteFile(LangFile("Deutsch"), "STR18 = Fehler\nSTR5100 = nie\n");
    UComon::Language_Name = "Deutsch";
    ULanguage::Load_Language();
    EXPECT_EQ(UComon::Language_Name, "Deutsch");
    EXPECT_EQ(Changed(), std::vector<int>{18});
    EXPECT_EQ(Text(18), "Fehler");

    // A language without a file: back to English, nothing of Deutsch left.
    UComon::Language_Name = "Klingon";
    ULanguage::Load_Language();
    EXPECT_EQ(UComon::Language_Name, "English");
    EXPECT_TRUE(Changed().empty());

    // Without its file English.lng is optional; with it, it is read.
    WriteFile(LangFile("English"), "STR0 = Start\n");
    UComon::Language_Name = "Klingon";
    ULanguage::Load_Language();
    EXPECT_EQ(UComon::Language_Name, "English");
    EXPECT_EQ(Changed(), std::vector<int>{0});
    EXPECT_EQ(Text(0), "Start");
}

// A language name from the settings file is a file name inside LANGUAGE,
// nothing else: one that would reach outside counts as missing.
TEST_F(Language, NamesReachingOutsideTheLanguageFolderCountAsMissing)
{
    WriteFile(PathJoin(UComon::Program_Folder, "x.lng"), "STR18 = planted\n");
    WriteFile(PathJoin(UComon::Program_Folder, "PROJECTS/x.lng"), "STR18 = planted\n");
    WriteFile(LangFile("English"), "STR0 = Start\n");
    for (const char* name : {"../x", "../PROJECTS/x", "..", "../../x", "./../x", "sub/x", "..\\x"}) {
        UComon::Language_Name = name;
        ULanguage::Load_Language();
        EXPECT_EQ(UComon::Language_Name, "English") << name;
        EXPECT_EQ(Changed(), std::vector<int>{0}) << name;
    }
}

// A language file far larger than any real one is refused with a message
// before it is read; the texts stay the built-in ones.
TEST_F(Language, OversizedLanguageFileIsRefusedWithAMessage)
{
    WriteFile(LangFile("Deutsch"), "STR18 = Fehler\n");
    std::filesystem::resize_file(LangFile("Deutsch"), std::uintmax_t(70) << 20);
    RecordingMessageBoxes boxes;
    UComon::Language_Name = "Deutsch";
    ULanguage::Load_Language();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("Deutsch.lng"), std::string::npos) << boxes.shown[0].text;
    EXPECT_NE(boxes.shown[0].text.find("larger than 64 MiB"), std::string::npos) << boxes.shown[0].text;
    EXPECT_TRUE(Changed().empty());
}

TEST_F(Language, SetLangRunsRegisteredWindowsInFixedOrder)
{
    using W = ULanguage::TLangWindow;
    std::vector<std::string> calls;
    ULanguage::Register_Set_Lang(W::ImportEDEFile, [&] { calls.push_back("EDE"); });
    ULanguage::Register_Set_Lang(W::ParGen, [&] { calls.push_back("ParGen"); });
    ULanguage::Register_Set_Lang(W::Main, [&] {
        calls.push_back("Main");
        ULanguage::Unregister_Set_Lang(W::DNet); // a window closing meanwhile
    });
    ULanguage::Register_Set_Lang(W::DNet, [&] { calls.push_back("DNet"); });
    ULanguage::Apply_Set_Lang();
    EXPECT_EQ(calls, (std::vector<std::string>{"Main", "ParGen", "EDE"}));

    calls.clear();
    ULanguage::Unregister_Set_Lang(W::ParGen);
    ULanguage::Apply_Set_Lang();
    EXPECT_EQ(calls, (std::vector<std::string>{"Main", "EDE"}));

    EXPECT_THROW(ULanguage::Register_Set_Lang(W::Count, [] {}), EListError);
}
