#include "core/UComon.h"
#include "core/ULanguage.h"
#include "app/USoftOptions.h"
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "platform/ControlInput.h"
#include "platform/Http.h"
#include "widgets/ExPageControl.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/Timer.h"
#include "support/FakeSeams.h"
#include "support/TestSupport.h"
#include "widgets/LbButton.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

using ULanguage::Text;

namespace {

// A 1 x 1 pixel 24-bit BMP.
std::string TinyBmp()
{
    std::string b;
    auto u16 = [&](std::uint16_t v) { b += char(v & 0xFF), b += char(v >> 8); };
    auto u32 = [&](std::uint32_t v) { u16(std::uint16_t(v & 0xFFFF)), u16(std::uint16_t(v >> 16)); };
    b += "BM";
    u32(58), u32(0), u32(54);
    u32(40), u32(1), u32(1), u16(1), u16(24), u32(0), u32(4), u32(2835), u32(2835), u32(0), u32(0);
    b += std::string("\x20\x40\x60\x00", 4);
    return b;
}

class SoftOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void TearDown() override
    {
        SetModalHandler(nullptr);
        Destroy_Windows();
        UComon::Language_Name = "English";
        ULanguage::Load_Language();
    }
    // Starts the program in the test's folder, with a settings file when given.
    void Start(const std::string& settings = "")
    {
        Destroy_Windows();
        if (!settings.empty()) WriteFile(PathJoin(dir.path(), "Zelvator.xml"), settings);
        Create_Windows(dir.path());
        main = FZelvatoreFirmWare;
        form = FSoftOptions;
        ASSERT_NE(form, nullptr);
    }
    std::string Lang(const std::string& file) const { return PathJoin(dir.path(), "LANGUAGE/" + file); }

    // Opens the options from the main window; inside runs while it is shown.
    void Options(const std::function<void(TFSoftOptions&)>& inside)
    {
        SetModalHandler([&](TForm&) { inside(*form); });
        main->Btn_Opz->Click();
        SetModalHandler(nullptr);
    }
    // Shows the window alone and returns its modal result.
    int Show(const std::function<void(TFSoftOptions&)>& inside)
    {
        SetModalHandler([&](TForm&) { inside(*form); });
        const int r = form->ShowModal();
        SetModalHandler(nullptr);
        return r;
    }

    std::vector<std::string> VisibleLanguages() const
    {
        std::vector<std::string> r;
        for (size_t k = 0; k < form->L_L.size(); ++k)
            if (form->L_L[k]->Visible()) r.push_back(form->L_L[k]->Caption());
        return r;
    }
    std::string SettingsFile() const { return ReadFile(PathJoin(dir.path(), "Zelvator.xml")); }

    TempDir dir;
    FakeWebSite site{"VER. 1.002"};
    FakeTickClock clock;
    RecordingMessageBoxes boxes;
    TFZelvatoreFirmWare* main = nullptr;
    TFSoftOptions* form = nullptr;
};

} // namespace

TEST_F(SoftOptionsTest, SevenLanguagesPageWithNextAndPrevious)
{
    for (const char* name : {"Cesky", "Deutsch", "English", "Espanol", "Francais", "Italiano", "Polski"})
        WriteFile(Lang(std::string(name) + ".lng"), "STR0 = x\n");

    Show([&](TFSoftOptions& f) {
        EXPECT_EQ(f.PC_Options->ActivePage(), f.TS_Language);
        EXPECT_EQ(f.L_Sel_Lang->Caption(), Text(304) + "English");
        EXPECT_EQ(VisibleLanguages(),
                  (std::vector<std::string>{"Cesky", "Deutsch", "English", "Espanol", "Francais", "Italiano"}));
        EXPECT_EQ(f.L_Page_Lang->Caption(), Text(305) + "1" + Text(306) + "2");
        EXPECT_FALSE(f.Btn_Prev->Visible());
        EXPECT_TRUE(f.Btn_Next->Visible());

        f.Btn_Next->Click();
        EXPECT_EQ(VisibleLanguages(), std::vector<std::string>{"Polski"});
        EXPECT_EQ(f.L_Page_Lang->Caption(), Text(305) + "2" + Text(306) + "2");
        EXPECT_TRUE(f.Btn_Prev->Visible());
        EXPECT_FALSE(f.Btn_Next->Visible());
        for (size_t k = 1; k < f.I_L.size(); ++k) EXPECT_FALSE(f.I_L[k]->Visible());

        f.Btn_Prev->Click();
        EXPECT_EQ(f.Show_Page, 1);
        EXPECT_EQ(VisibleLanguages().size(), 6u);
    });
}

TEST_F(SoftOptionsTest, NoLanguageFileShowsOneEmptyPageWithoutNext)
{
    // The user opens the options from the main window with the mouse and
    // finds the language page empty: page 1 of 1, no way to another page.
    main->ShowForm();
    ActivateWindowOf(*main);
    bool shown = false;
    SetModalHandler([&](TForm& shownForm) {
        ASSERT_EQ(&shownForm, form);
        shown = true;
        ActivateWindowOf(shownForm);
        TFSoftOptions& f = *form;
        EXPECT_EQ(f.PC_Options->ActivePage(), f.TS_Language);
        EXPECT_TRUE(VisibleLanguages().empty());
        for (auto* image : f.I_L) EXPECT_FALSE(image->Visible());
        EXPECT_EQ(f.L_Page_Lang->Caption(), Text(305) + "1" + Text(306) + "1");
        EXPECT_FALSE(f.Btn_Prev->Visible());
        EXPECT_FALSE(f.Btn_Next->Visible());
        // A press and release where Next would stand does nothing.
        SendMouseDown(*f.TS_Language, f.Btn_Next->Left() + 5, f.Btn_Next->Top() + 5);
        SendMouseUp(*f.TS_Language, f.Btn_Next->Left() + 5, f.Btn_Next->Top() + 5);
        EXPECT_EQ(f.Show_Page, 1);
        EXPECT_EQ(f.L_Page_Lang->Caption(), Text(305) + "1" + Text(306) + "1");
        SendMouseDown(*f.Btn_Cancel, f.Btn_Cancel->Width() / 2, f.Btn_Cancel->Height() / 2);
        SendMouseUp(*f.Btn_Cancel, f.Btn_Cancel->Width() / 2, f.Btn_Cancel->Height() / 2);
    });
    SendMouseDown(*main->Btn_Opz, main->Btn_Opz->Width() / 2, main->Btn_Opz->Height() / 2);
    SendMouseUp(*main->Btn_Opz, main->Btn_Opz->Width() / 2, main->Btn_Opz->Height() / 2);
    SetModalHandler(nullptr);
    EXPECT_TRUE(shown);
    EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(SoftOptionsTest, NextAndPreviousTakeTheMouse)
{
    for (const char* name : {"Cesky", "Deutsch", "English", "Espanol", "Francais", "Italiano", "Polski"})
        WriteFile(Lang(std::string(name) + ".lng"), "STR0 = x\n");
    Show([&](TFSoftOptions& f) {
        ActivateWindowOf(f);
        auto click = [](TControl& b) {
            SendMouseDown(b, b.Width() / 2, b.Height() / 2);
            SendMouseUp(b, b.Width() / 2, b.Height() / 2);
        };
        click(*f.Btn_Next);
        EXPECT_EQ(f.Show_Page, 2);
        EXPECT_EQ(VisibleLanguages(), std::vector<std::string>{"Polski"});
        EXPECT_EQ(f.L_Page_Lang->Caption(), Text(305) + "2" + Text(306) + "2");
        EXPECT_FALSE(f.Btn_Next->Visible());
        click(*f.Btn_Prev);
        EXPECT_EQ(f.Show_Page, 1);
        EXPECT_EQ(VisibleLanguages().size(), 6u);
        EXPECT_FALSE(f.Btn_Prev->Visible());
    });
}

TEST_F(SoftOptionsTest, FlagsFallBackToTheDefaultFlag)
{
    WriteFile(Lang("Alpha.lng"), "");
    WriteFile(Lang("Beta.lng"), "");
    WriteFile(Lang("Gamma.lng"), "");
    WriteFile(Lang("Alpha.bmp"), TinyBmp());
    WriteFile(Lang("Gamma.bmp"), "not a picture");
    Show([&](TFSoftOptions& f) {
        EXPECT_TRUE(f.I_L[0]->Visible());
        EXPECT_FALSE(f.I_L[0]->Empty());
        EXPECT_FALSE(f.I_L[1]->Visible());  // no flag and no default flag
        EXPECT_FALSE(f.I_L[2]->Visible());  // unreadable flag
    });
    WriteFile(Lang("DefaultFlag.bmp"), TinyBmp());
    Show([&](TFSoftOptions& f) {
        EXPECT_TRUE(f.I_L[1]->Visible());
        EXPECT_FALSE(f.I_L[1]->Empty());
    });
}

TEST_F(SoftOptionsTest, PickedLanguageThenCancelKeepsTextsButNotTheSetting)
{
    WriteFile(Lang("Deutsch.lng"), "STR0 = Willkommen\nSTR18 = Fehler\nSTR300 = Optionen\n");
    WriteFile(Lang("English.lng"), "");
    const std::string english18 = Text(18);

    // Answered No: nothing changes.
    boxes.Answer(mrNo);
    Options([&](TFSoftOptions& f) { f.L_L[0]->Click(); });
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Text(316) + "English" + Text(317) + "Deutsch" + Text(318));
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbYesNo);
    EXPECT_EQ(Text(18), english18);

    boxes.Answer(mrYes);
    Options([&](TFSoftOptions& f) {
        f.I_L[0]->Click();
        EXPECT_EQ(f.Language_In_Use, "Deutsch");
        EXPECT_EQ(f.L_Sel_Lang->Caption(), Text(304) + "Deutsch");
        f.Btn_Cancel->Click();
    });
    // The texts stay switched for the rest of the run, the windows re-texted...
    EXPECT_EQ(Text(18), "Fehler");
    EXPECT_EQ(form->Caption(), "Optionen");
    EXPECT_EQ(main->L_Begin->Caption(), "Willkommen");
    // ...while the program state, and so the settings file, keep the old language.
    EXPECT_EQ(UComon::Language_Name, "English");
    main->Btn_Close->Click();
    EXPECT_NE(SettingsFile().find("<language>English</language>"), std::string::npos);

    // The next start shows the old language.
    Start();
    EXPECT_EQ(Text(18), english18);
    EXPECT_EQ(main->L_Begin->Caption(), Text(0));

    // Picked and confirmed: the program state and the settings file take it at once.
    boxes.Answer(mrYes);
    Options([&](TFSoftOptions& f) {
        EXPECT_EQ(f.L_Sel_Lang->Caption(), Text(304) + "English");
        f.L_L[0]->Click();
        f.Btn_OK->Click();
    });
    EXPECT_EQ(UComon::Language_Name, "Deutsch");
    EXPECT_NE(SettingsFile().find("<language>Deutsch</language>"), std::string::npos);
}

TEST_F(SoftOptionsTest, CheckBoxesFollowInternetUseAndReachTheStateOnlyWithOk)
{
    Start("<Conf_Settings><lastinternet><enable_internet>0</enable_internet><enable_update>1</enable_update>"
          "<enable_jump_field_tables>1</enable_jump_field_tables></lastinternet></Conf_Settings>");
    ASSERT_FALSE(main->Timer_Update.Running());

    // Cancel: nothing the user changed becomes program state.
    Options([&](TFSoftOptions& f) {
        EXPECT_FALSE(f.CB_En_Con->Checked());
        EXPECT_TRUE(f.CB_Update->Checked());
        EXPECT_FALSE(f.CB_Update->Enabled());
        EXPECT_FALSE(f.Btn_Check_Update->Enabled());
        EXPECT_TRUE(f.CB_Soft_Set_Jump_Table->Checked());
        EXPECT_FALSE(f.CB_DoubleClick_Auto_Size->Checked());
        f.CB_En_Con->Click();
        EXPECT_TRUE(f.CB_Update->Enabled());
        EXPECT_TRUE(f.Btn_Check_Update->Enabled());
        f.CB_Update->Click();
        EXPECT_FALSE(f.Btn_Check_Update->Enabled());
        f.CB_DoubleClick_Auto_Size->Click();
        f.Btn_Cancel->Click();
    });
    EXPECT_FALSE(UComon::Opt_Enable_Internet);
    EXPECT_TRUE(UComon::Opt_Enable_Update);
    EXPECT_FALSE(UComon::Opt_DblClick_Auto_Size);
    EXPECT_FALSE(main->Timer_Update.Running());

    // OK with internet use off: the update flag is kept although its box is
    // disabled, the timer stays off, the settings file has the new flags.
    Options([&](TFSoftOptions& f) {
        f.CB_Soft_Set_Jump_Table->Click();
        f.CB_DoubleClick_Auto_Size->Click();
        f.Btn_OK->Click();
    });
    EXPECT_FALSE(UComon::Opt_Enable_Internet);
    EXPECT_TRUE(UComon::Opt_Enable_Update);
    EXPECT_FALSE(UComon::Opt_Jump_Field_Tables);
    EXPECT_TRUE(UComon::Opt_DblClick_Auto_Size);
    EXPECT_FALSE(main->Timer_Update.Running());
    EXPECT_NE(SettingsFile().find("<lastinternet>"), std::string::npos);
    for (const char* line : {"<enable_internet>0</enable_internet>", "<enable_update>1</enable_update>",
                             "<enable_jump_field_tables>0</enable_jump_field_tables>",
                             "<Double_Click_Auto_Size>1</Double_Click_Auto_Size>"})
        EXPECT_NE(SettingsFile().find(line), std::string::npos) << line;

    // OK with both on starts the timer at its first interval.
    Options([&](TFSoftOptions& f) {
        f.CB_En_Con->Click();
        f.Btn_OK->Click();
    });
    EXPECT_TRUE(UComon::Opt_Enable_Internet);
    EXPECT_TRUE(main->Timer_Update.Running());
    EXPECT_EQ(main->Timer_Update.Interval(), USoftOptions::First_Check_Interval);
    EXPECT_EQ(static_cast<int>(site.urls.size()), 0);
}

TEST_F(SoftOptionsTest, UpdateTimerFromStartThroughTheOptions)
{
    // The first check is due 60 s after start.
    Start("<Conf_Settings><lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
          "</lastinternet></Conf_Settings>");
    TTimer& timer = main->Timer_Update;
    ASSERT_TRUE(timer.Running());
    EXPECT_EQ(timer.Interval(), 60000);
    EXPECT_EQ(timer.RemainingTime(), 60000);
    clock.Advance(60000);
    EXPECT_FALSE(main->LL_Update->Visible());

    // First check: a newer version shows the link; then every two hours.
    site.answer = "VER. 1.003";
    timer.Fire();
    EXPECT_EQ(static_cast<int>(site.urls.size()), 1);
    EXPECT_TRUE(main->LL_Update->Visible());
    EXPECT_EQ(main->LL_Update->Caption(), USoftOptions::Download_Link(Text(19)));
    ASSERT_TRUE(timer.Running());
    EXPECT_EQ(timer.Interval(), 7200000);

    // Confirming the options with both still on does not restart the count.
    clock.Advance(1200);
    Options([&](TFSoftOptions& f) { f.Btn_OK->Click(); });
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(timer.RemainingTime(), 7200000 - 1200);

    // Off, then on again: the two-hour interval stays.
    Options([&](TFSoftOptions& f) {
        f.CB_Update->Click();
        f.Btn_OK->Click();
    });
    EXPECT_FALSE(timer.Running());
    Options([&](TFSoftOptions& f) {
        f.CB_Update->Click();
        f.Btn_OK->Click();
    });
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(timer.Interval(), 7200000);

    // A later check without a newer version hides the link again.
    site.answer = "VER. 1.002";
    timer.Fire();
    EXPECT_FALSE(main->LL_Update->Visible());
    EXPECT_TRUE(timer.Running());
}

TEST_F(SoftOptionsTest, CheckNowShowsTheLinkOrNoUpdate)
{
    UComon::Opt_Enable_Internet = true;
    UComon::Opt_Enable_Update = true;
    std::vector<std::string> opened;
    const TShellOpener previous = SetShellOpener([&](const std::string& t) {
        opened.push_back(t);
        return true;
    });

    site.answer = "VER. 1.002";
    Show([&](TFSoftOptions& f) {
        EXPECT_FALSE(f.LL_Check_Update->Visible());
        f.Btn_Check_Update->Click();
        EXPECT_TRUE(f.LL_Check_Update->Visible());
        EXPECT_EQ(f.LL_Check_Update->Caption(), Text(315));
    });

    site.answer = "VER. 1.003";
    Show([&](TFSoftOptions& f) {
        EXPECT_FALSE(f.LL_Check_Update->Visible());  // hidden again on each showing
        f.Btn_Check_Update->Click();
        EXPECT_TRUE(f.LL_Check_Update->Visible());
        EXPECT_EQ(f.LL_Check_Update->Caption(), USoftOptions::Download_Link(Text(314)));
        f.LL_Check_Update->ClickLink();
    });
    SetShellOpener(previous);
    EXPECT_EQ(static_cast<int>(site.urls.size()), 2);
    EXPECT_EQ(opened, std::vector<std::string>{USoftOptions::Download_URL()});
}

// A language file's texts are only text in the link labels: a planted
// link shows as characters, and only the program's own link opens.
TEST_F(SoftOptionsTest, LanguageTextsInTheLinkLabelsCannotPlantLinks)
{
    WriteFile(Lang("Evil.lng"), "STR314 = <a href=\"file:///etc/passwd\">New</a>\n"
                                "STR315 = <a href=\"file:///etc/passwd\">No Update</a>\n");
    UComon::Language_Name = "Evil";
    ULanguage::Load_Language();
    UComon::Opt_Enable_Internet = true;
    UComon::Opt_Enable_Update = true;
    std::vector<std::string> opened;
    const TShellOpener previous = SetShellOpener([&](const std::string& t) {
        opened.push_back(t);
        return true;
    });
    site.answer = "VER. 1.002";
    Show([&](TFSoftOptions& f) {
        f.Btn_Check_Update->Click();
        EXPECT_EQ(f.LL_Check_Update->Caption(),
                  "&lt;a href=&quot;file:///etc/passwd&quot;&gt;No Update&lt;/a&gt;");
        f.LL_Check_Update->ClickLink();
    });
    EXPECT_TRUE(opened.empty());
    site.answer = "VER. 1.003";
    Show([&](TFSoftOptions& f) {
        f.Btn_Check_Update->Click();
        f.LL_Check_Update->ClickLink();
    });
    SetShellOpener(previous);
    EXPECT_EQ(opened, std::vector<std::string>{USoftOptions::Download_URL()});
}

TEST_F(SoftOptionsTest, PickingALanguageOnTheSecondPageKeepsThePageLabelRight)
{
    for (const char* name : {"A1", "A2", "A3", "A4", "A5", "A6", "Deutsch"})
        WriteFile(Lang(std::string(name) + ".lng"), "STR305 = Seite \nSTR306 = von \n");
    boxes.Answer(mrYes);
    Show([&](TFSoftOptions& f) {
        f.Btn_Next->Click();
        f.L_L[0]->Click();
        EXPECT_EQ(f.L_Page_Lang->Caption(), "Seite2von2");
        EXPECT_EQ(f.L_Sel_Lang->Caption(), Text(304) + "Deutsch");
        EXPECT_EQ(VisibleLanguages(), std::vector<std::string>{"Deutsch"});
        EXPECT_TRUE(f.Btn_Prev->Visible());
        EXPECT_FALSE(f.Btn_Next->Visible());
    });
}
