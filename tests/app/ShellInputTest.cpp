// The shell's dialogs driven as a person drives them: mouse presses and
// releases, key downs and key ups, each its own event.
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/ControlInput.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using ULanguage::Text;
using namespace UComon;

namespace {

class ShellInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        old = SetModalHandler([this](TForm& f) {
            shown.push_back(&f);
            ActivateWindowOf(f);
            if (act) act(f);
        });
    }
    void Start(const std::string& project = "")
    {
        if (!project.empty())
            WriteFile(PathJoin(dir.path(), "Zelvator.xml"),
                      "<Conf_Settings><lastproj><projectname>" + project + "</projectname></lastproj></Conf_Settings>");
        Create_Windows(dir.path());
        main = FZelvatoreFirmWare;
        main->ShowForm();
        ActivateWindowOf(*main);
    }
    void TearDown() override
    {
        Destroy_Windows();
        SetModalHandler(old);
    }
    // A left press and release in the middle of a button.
    static void ClickButton(TControl& b)
    {
        SendMouseDown(b, b.Width() / 2, b.Height() / 2);
        SendMouseUp(b, b.Width() / 2, b.Height() / 2);
    }

    TempDir dir;
    RecordingMessageBoxes boxes;
    std::vector<TForm*> shown;
    std::function<void(TForm&)> act;
    TModalHandler old;
    TFZelvatoreFirmWare* main = nullptr;
};

} // namespace

TEST_F(ShellInput, OpenConfigurationOpensTheItemClickedWithTheMouse)
{
    for (const char* n : {"Alpha", "Beta", "Gamma"}) ForceDirectories(PathJoin(dir.path(), std::string("PROJECTS/") + n));
    Start("Alpha");
    act = [&](TForm&) {
        ASSERT_EQ(FOpenConf->ListBox1->Items().Strings(FOpenConf->ListBox1->ItemIndex()), "Alpha");
        SendClickItem(*FOpenConf->ListBox1, 2);
        ClickButton(*FOpenConf->Btn_OK);
    };
    ClickButton(*main->Btn_Open);
    EXPECT_EQ(Project_Name, "Gamma");
    EXPECT_EQ(Project_Folder, PathJoin(dir.path(), "PROJECTS/Gamma"));

    // The keyboard chooses the same way.
    act = [&](TForm& f) {
        FOpenConf->ListBox1->SetFocus();
        PressKey(f, VK_UP);
        ClickButton(*FOpenConf->Btn_OK);
    };
    ClickButton(*main->Btn_Open);
    EXPECT_EQ(Project_Name, "Beta");
}

TEST_F(ShellInput, ConfigurationNamesDifferingInCaseOnly)
{
    ForceDirectories(PathJoin(dir.path(), "PROJECTS/Second"));
    Start();
    act = [&](TForm& f) {
        TypeKeys(f, "second");
        ClickButton(*FNew_Project->Btn_OK);
    };
    ClickButton(*main->Btn_New);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Text(106));
    EXPECT_EQ(ListFolders(Projects_Root), std::vector<std::string>{"Second"});
    EXPECT_TRUE(Project_Folder.empty());

    // Folders made elsewhere may still differ in case: Open prefers the
    // exact name of the configuration that is open.
    ForceDirectories(PathJoin(Projects_Root, "second"));
    Project_Name = "second";
    Project_Folder = PathJoin(Projects_Root, "second");
    act = [&](TForm&) {
        TListBox* l = FOpenConf->ListBox1;
        EXPECT_EQ(l->Items().Strings(l->ItemIndex()), "second");
        ClickButton(*FOpenConf->Btn_OK);
    };
    ClickButton(*main->Btn_Open);
    EXPECT_EQ(Project_Folder, PathJoin(Projects_Root, "second"));
}

TEST_F(ShellInput, EnterThatClosesADialogDoesNotClickTheButtonBehindIt)
{
    Start();
    act = [&](TForm& f) {
        TypeKeys(f, "Plant");
        // Enter goes down in the name edit and confirms the dialog ...
        SendKeyDown(*FocusedControl(f), VK_RETURN);
    };
    main->Btn_New->SetFocus();
    PressKey(*main, VK_SPACE, {}, " ");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Project_Name, "Plant");
    // ... and comes up on the main window, whose focused button is the one
    // that opened the dialog.
    ASSERT_EQ(FocusedControl(*main), main->Btn_New);
    SendKeyUp(*FocusedControl(*main), VK_RETURN);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ShellInput, ASettingsFileThatCannotBeWrittenIsReported)
{
    Start();
    // A folder in the file's place: no save can succeed.
    ASSERT_TRUE(ForceDirectories(PathJoin(Settings_File(), "x")));
    act = [&](TForm&) { ClickButton(*FSoftOptions->Btn_OK); };
    ClickButton(*main->Btn_Opz);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    EXPECT_NE(boxes.shown[0].text.find(Settings_File()), std::string::npos) << boxes.shown[0].text;

    ClickButton(*main->Btn_Close); // the program still ends
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_NE(boxes.shown[1].text.find(Settings_File()), std::string::npos);
    EXPECT_FALSE(main->Showing());
}

TEST_F(ShellInput, ALanguageFileWithAnUpperCaseExtensionIsLoaded)
{
    Start();
    WriteFile(PathJoin(Language_Folder, "Upper.LNG"), "STR1 =Zweiter Text\n");
    Language_Name = "Upper";
    ULanguage::Load_Language();
    EXPECT_EQ(Language_Name, "Upper");
    EXPECT_EQ(Text(1), "Zweiter Text");
    EXPECT_EQ(ULanguage::Language_File(Language_Folder, "upper"), PathJoin(Language_Folder, "Upper.LNG"));
    EXPECT_EQ(ULanguage::Language_File(Language_Folder, "Missing"), "");
    Language_Name = "English";
    ULanguage::Load_Language();
}
