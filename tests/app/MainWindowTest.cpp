// Start-up, the main window, step dispatch and the configuration dialogs.
#include "app/UAbout.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "platform/ControlInput.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using ULanguage::Text;
using namespace UComon;

namespace {

// Records every modal window and lets a test act in it.
struct ModalRecorder {
    ModalRecorder()
    {
        old = SetModalHandler([this](TForm& f) {
            shown.push_back(&f);
            if (act) act(f);
        });
    }
    ~ModalRecorder() { SetModalHandler(old); }
    std::vector<TForm*> shown;
    std::function<void(TForm&)> act;
    TModalHandler old;
};

class MainWindow : public ::testing::Test {
protected:
    void Start(const std::string& settings = "")
    {
        if (!settings.empty()) WriteFile(PathJoin(dir.path(), "Zelvator.xml"), settings);
        Create_Windows(dir.path());
        main = FZelvatoreFirmWare;
    }
    void TearDown() override { Destroy_Windows(); }
    std::string Settings(const std::string& project) const
    {
        return "<Conf_Settings><lastproj><projectname>" + project +
               "</projectname></lastproj></Conf_Settings>";
    }
    TempDir dir;
    RecordingMessageBoxes boxes;
    ModalRecorder modals;
    TFZelvatoreFirmWare* main = nullptr;
};

} // namespace

TEST_F(MainWindow, FirstStartCreatesFoldersShowsNoConfigurationAndWritesDefaults)
{
    Start();
    for (const char* f : {"MASTER", "PROJECTS", "LANGUAGE"}) EXPECT_TRUE(DirectoryExists(PathJoin(dir.path(), f))) << f;
    EXPECT_EQ(main->L_Name_Conf->Caption(), Text(9));
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), Text(10));
    EXPECT_TRUE(Project_Folder.empty());
    EXPECT_FALSE(main->Timer_Update.Running());
    EXPECT_EQ(main->Caption(), "www.example.com - Configurator QS41010 - CAN / MQTT ");
    EXPECT_EQ(main->L_SW_Code->Caption(), "QS41010");
    EXPECT_EQ(main->L_Begin->Caption(), Text(0));

    main->Btn_Close->Click();
    EXPECT_EQ(ReadFile(PathJoin(dir.path(), "Zelvator.xml")), ReadFile(TestDataPath("Zelvator_defaults.xml")));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindow, V10LayoutHasExactlyTheSevenStepsAndThreeCornerButtons)
{
    Start();
    EXPECT_EQ(main->Width(), 694);
    EXPECT_EQ(main->Height(), 484);
    struct Pos {
        TLbButton* b;
        int left, top;
    } visible[] = {
        {main->Btn_New, 80, 112},          {main->Btn_Open, 258, 112},          {main->Btn_Prm_Gen, 80, 156},
        {main->Btn_MQTT_Set_Topic, 80, 200}, {main->Btn_CAN_Rec_Frame, 80, 244}, {main->Btn_CAN_Send_Frame, 80, 288},
        {main->Btn_CreateBin, 80, 332},    {main->Btn_Info, 516, 8},            {main->Btn_Opz, 574, 8},
        {main->Btn_Close, 632, 8},
    };
    int shownButtons = 0;
    main->ForEachControl([&](TControl* c) {
        if (dynamic_cast<TLbButton*>(c) && c->Visible()) ++shownButtons;
    });
    EXPECT_EQ(shownButtons, 10);
    for (const Pos& p : visible) {
        EXPECT_TRUE(p.b->Visible());
        EXPECT_EQ(p.b->Left(), p.left);
        EXPECT_EQ(p.b->Top(), p.top);
    }
    EXPECT_EQ(main->Btn_New->Width(), 170);
    EXPECT_EQ(main->Btn_Info->Width(), 50);
    EXPECT_EQ(main->Shape1->Top(), 383);
    EXPECT_EQ(main->L_Quembo->Left(), 565);
    EXPECT_EQ(main->L_Quembo->Top(), 348);
    EXPECT_FALSE(main->L_Step[6]->Visible());
    EXPECT_FALSE(main->LL_Update->Visible());
    // Created in the table's order, the main window first.
    const auto& order = Created_Windows();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), TWindowId::ZelvatoreFirmWare);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
}

TEST_F(MainWindow, ConfigurationStepsAreRefusedWhileNoneIsOpen)
{
    Start();
    for (TLbButton* b : {main->Btn_Prm_Gen, main->Btn_MQTT_Set_Topic, main->Btn_CAN_Rec_Frame,
                         main->Btn_CAN_Send_Frame, main->Btn_CreateBin, main->Btn_Modbus_Set_Access,
                         main->Btn_DALI_Access}) {
        boxes.shown.clear();
        // Hidden buttons do not click; the handler refuses them all the same.
        if (b->Visible()) b->Click();
        else main->Btn_Click(b);
        ASSERT_EQ(boxes.shown.size(), 1u) << b->Caption();
        EXPECT_EQ(boxes.shown[0].text, Text(18));
        EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    }
    EXPECT_TRUE(modals.shown.empty());
    EXPECT_FALSE(DirectoryExists(PathJoin(dir.path(), "PROJECTS/bin")));

    // Information opens the About window with its fixed texts.
    main->Btn_Info->Click();
    ASSERT_EQ(modals.shown.size(), 1u);
    EXPECT_EQ(modals.shown[0], FAbout);
    EXPECT_EQ(FAbout->Label10->Caption(), "1.002");
    EXPECT_EQ(FAbout->Label12->Caption(), "QM41010");
}

TEST_F(MainWindow, NewConfigurationNames)
{
    Start();
    const std::string projects = PathJoin(dir.path(), "PROJECTS");
    ASSERT_TRUE(CreateDir(PathJoin(projects, "Existing")));
    struct Case {
        const char* name;
        int text;  // expected message, 0 = created
    } cases[] = {
        {"", 107}, {"Existing", 106}, {"../evil", 105}, {"a/b", 105}, {"..", 105}, {".", 105},
        {"c:x", 105}, {"a\\b", 105}, {"Plant 1", 0},
    };
    for (const Case& c : cases) {
        boxes.shown.clear();
        modals.act = [&](TForm&) {
            FNew_Project->E_New_Proj->TypeText(c.name);
            FNew_Project->Btn_OK->Click();
        };
        main->Btn_New->Click();
        if (c.text) {
            ASSERT_EQ(boxes.shown.size(), 1u) << c.name;
            EXPECT_EQ(boxes.shown[0].text, Text(c.text)) << c.name;
            EXPECT_EQ(FNew_Project->ModalResult(), mrCancel) << c.name;
        } else {
            EXPECT_TRUE(boxes.shown.empty());
        }
    }
    EXPECT_EQ(ListFolders(projects), (std::vector<std::string>{"Existing", "Plant 1"}));
    EXPECT_EQ(ListFolders(dir.path()), (std::vector<std::string>{"LANGUAGE", "MASTER", "PROJECTS"}));
    EXPECT_FALSE(DirectoryExists(PathJoin(dir.path(), "evil")));
    EXPECT_TRUE(DirectoryExists(PathJoin(projects, "Plant 1/bin")));
    EXPECT_EQ(Project_Name, "Plant 1");
    EXPECT_EQ(Project_Folder, PathJoin(projects, "Plant 1"));
    EXPECT_EQ(File_ParGen, PathJoin(projects, "Plant 1/ParGen.xml"));
    EXPECT_EQ(main->L_Name_Conf->Caption(), Text(11));
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Plant 1");

    // Enter in the edit confirms as OK does.
    modals.act = [&](TForm&) { FNew_Project->E_New_Proj->TypeText("Plant 2\r"); };
    main->Btn_New->Click();
    EXPECT_EQ(Project_Name, "Plant 2");
}

TEST(NewConfiguration, BinFolderThatCannotBeMadeIsReportedAndLeavesNothing)
{
    // A program folder so deep that the configuration folder still fits the
    // platform's path limit (4095) but its "bin" folder does not.
    TempDir dir;
    RecordingMessageBoxes boxes;
    std::string deep = dir.path();
    const size_t name = 250;
    const size_t rootWanted = 4093 - 1 - name - std::string("/PROJECTS").size();
    while (deep.size() + 201 <= rootWanted) deep += "/" + std::string(200, 'd');
    deep += "/" + std::string(rootWanted - deep.size() - 1, 'e');
    ASSERT_TRUE(ForceDirectories(deep));
    Create_Windows(deep);
    ASSERT_EQ(Projects_Root.size() + 1 + name, 4093u);
    const std::string projectName(name, 'p');
    ModalRecorder modals;
    modals.act = [&](TForm&) {
        FNew_Project->E_New_Proj->TypeText(projectName);
        FNew_Project->Btn_OK->Click();
    };
    FZelvatoreFirmWare->Btn_New->Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Text(105));
    EXPECT_TRUE(ListFolders(Projects_Root).empty());
    EXPECT_TRUE(Project_Folder.empty());
    Destroy_Windows();
}

TEST_F(MainWindow, RememberedConfigurationIsReopenedOnlyInsideProjects)
{
    ForceDirectories(PathJoin(dir.path(), "PROJECTS/Line A/bin"));
    Start(Settings("Line A"));
    EXPECT_EQ(Project_Folder, PathJoin(dir.path(), "PROJECTS/Line A"));
    EXPECT_EQ(File_CAN_Rec_Frames, PathJoin(dir.path(), "PROJECTS/Line A/CAN_Rec_Frames.xml"));
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Line A");
    Destroy_Windows();

    // A name leading outside PROJECTS opens nothing, even when that folder exists.
    ForceDirectories(PathJoin(dir.path(), "outside"));
    Start(Settings("../outside"));
    EXPECT_TRUE(Project_Folder.empty());
    EXPECT_EQ(main->L_Name_Conf->Caption(), Text(9));
    Destroy_Windows();

    // A remembered folder that is gone: no configuration, labels say so.
    Start(Settings("Gone"));
    EXPECT_TRUE(Project_Folder.empty());
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), Text(10));
    main->Btn_Prm_Gen->Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Text(18));
}

TEST_F(MainWindow, OpenConfigurationPreselectsAndOpens)
{
    for (const char* n : {"Beta", "alpha", "Gamma"}) ForceDirectories(PathJoin(dir.path(), std::string("PROJECTS/") + n));
    Start(Settings("Gamma"));
    // The open configuration matches its entry when case is ignored.
    Project_Folder = PathJoin(Projects_Root, "GAMMA");
    modals.act = [&](TForm&) {
        EXPECT_EQ(FOpenConf->ListBox1->Items().Count(), 3);
        EXPECT_EQ(FOpenConf->ListBox1->Items().Strings(FOpenConf->ListBox1->ItemIndex()), "Gamma");
        FOpenConf->ListBox1->UserSelect(FOpenConf->ListBox1->Items().IndexOf("Beta"));
        FOpenConf->Btn_OK->Click();
    };
    main->Btn_Open->Click();
    EXPECT_EQ(Project_Name, "Beta");
    EXPECT_EQ(Project_Folder, PathJoin(dir.path(), "PROJECTS/Beta"));
    EXPECT_EQ(File_ParGen, PathJoin(dir.path(), "PROJECTS/Beta/ParGen.xml"));

    // Cancel changes nothing.
    modals.act = [&](TForm&) { FOpenConf->Btn_Cancel->Click(); };
    main->Btn_Open->Click();
    EXPECT_EQ(Project_Name, "Beta");

    // OK on a configuration whose folder vanished opens none.
    modals.act = [&](TForm&) {
        FOpenConf->ListBox1->UserSelect(FOpenConf->ListBox1->Items().IndexOf("alpha"));
        RemoveDir(PathJoin(dir.path(), "PROJECTS/alpha"));
        FOpenConf->Btn_OK->Click();
    };
    main->Btn_Open->Click();
    EXPECT_TRUE(Project_Folder.empty());
    EXPECT_EQ(main->L_Name_Conf->Caption(), Text(9));
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), Text(10));
}

// A configuration folder whose name is not valid UTF-8 is listed with a
// replacement character; choosing it says so and keeps what is open.
TEST_F(MainWindow, AFolderNameThatIsNoTextIsReportedNotSilentlyIgnored)
{
    const std::string odd = "Plant \xE9t\xE9";  // Latin-1 bytes, no UTF-8
    ForceDirectories(PathJoin(dir.path(), "PROJECTS/Beta"));
    if (!ForceDirectories(PathJoin(dir.path(), "PROJECTS/" + odd)))
        GTEST_SKIP() << "the file system does not take a name that is no UTF-8";
    Start(Settings("Beta"));
    modals.act = [&](TForm&) {
        ASSERT_EQ(FOpenConf->ListBox1->Items().Count(), 2);
        EXPECT_EQ(FOpenConf->ListBox1->Items().Strings(1), "Plant \xEF\xBF\xBDt\xEF\xBF\xBD");
        SendClickItem(*FOpenConf->ListBox1, 1);
        FOpenConf->Btn_OK->Click();
    };
    main->Btn_Open->Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("Plant \xEF\xBF\xBDt\xEF\xBF\xBD"), std::string::npos) << boxes.shown[0].text;
    EXPECT_NE(boxes.shown[0].text.find("UTF-8"), std::string::npos) << boxes.shown[0].text;
    EXPECT_EQ(Project_Name, "Beta");
    EXPECT_EQ(Project_Folder, PathJoin(dir.path(), "PROJECTS/Beta"));
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Beta");
}

TEST_F(MainWindow, UpdateDeviceFailureIsShownAndNothingEscapes)
{
    ForceDirectories(PathJoin(dir.path(), "PROJECTS/P"));
    WriteFile(PathJoin(dir.path(), "PROJECTS/P/bin"), "not a folder");
    Start(Settings("P"));
    ASSERT_FALSE(Project_Folder.empty());
    EXPECT_NO_THROW(main->Btn_CreateBin->Click());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    EXPECT_FALSE(boxes.shown[0].text.empty());
    EXPECT_TRUE(modals.shown.empty());
}

TEST_F(MainWindow, LinksGoToTheMakersHomePage)
{
    Start();
    std::vector<std::string> opened;
    auto old = SetShellOpener([&](const std::string& t) {
        opened.push_back(t);
        return true;
    });
    main->L_Quembo->Click();
    FAbout->Label4Click();
    SetShellOpener(old);
    EXPECT_EQ(opened, (std::vector<std::string>(2, "http://www.example.com/HOME/default.asp?frompg=QS41010")));
    EXPECT_EQ(main->L_Quembo->Caption(), "www.example.com");
}

TEST_F(MainWindow, ChangeLanguageReappliesTextsButNotTheAboutWindow)
{
    Start();
    WriteFile(PathJoin(dir.path(), "LANGUAGE/Deutsch.lng"), "STR15 = Neue Konfiguration\nSTR9 = Keine\n");
    Language_Name = "Deutsch";
    ULanguage::Load_Language();
    main->Change_Language();
    EXPECT_EQ(main->Btn_New->Caption(), "Neue Konfiguration");
    EXPECT_EQ(main->L_Name_Conf->Caption(), "Keine");
    main->Btn_Info->Click();
    EXPECT_EQ(FAbout->Label3->Caption(), "Version :");
}

TEST(StartProgram, ReturnsWhenTheProgramEndsOrAtTheLimitWithoutEndingIt)
{
    TempDir dir;
    RecordingMessageBoxes boxes;
    Create_Windows(dir.path());
    const std::string quick = dir.file("quick.sh");
    WriteFile(quick, "#!/bin/sh\nexit 0\n");
    const std::string slow = dir.file("slow.sh");
    const std::string pidFile = dir.file("slow.pid");
    WriteFile(slow, "#!/bin/sh\necho $$ > \"$1\"\nexec sleep 30\n");
    chmod(quick.c_str(), 0755);
    chmod(slow.c_str(), 0755);

    long long t0 = GetTickCount64Ms();
    FZelvatoreFirmWare->Start_Program(quick, "", false);
    EXPECT_LT(GetTickCount64Ms() - t0, 2000);

    t0 = GetTickCount64Ms();
    FZelvatoreFirmWare->Start_Program(slow, "\"" + pidFile + "\"", true, 300);
    const long long waited = GetTickCount64Ms() - t0;
    EXPECT_GE(waited, 300);
    EXPECT_LT(waited, 2000);
    // The script writes its number itself; on a loaded machine it may not
    // have run yet when the wait ended.
    int pid = 0;
    for (int i = 0; i < 200 && pid <= 0; ++i) {
        pid = std::atoi(ReadFile(pidFile).c_str());
        if (pid <= 0) usleep(50 * 1000);
    }
    ASSERT_GT(pid, 0);
    EXPECT_EQ(kill(pid, 0), 0) << "the program must still run";
    kill(pid, SIGTERM); // our own stand-in

    // A program that cannot be started is not waited for.
    t0 = GetTickCount64Ms();
    FZelvatoreFirmWare->Start_Program(dir.file("missing"), "", false);
    EXPECT_LT(GetTickCount64Ms() - t0, 500);
    Destroy_Windows();
}
