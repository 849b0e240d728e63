#include "image/UBoot.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UFrame.h"
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "image/BootFakes.h"
#include "image/UBootJob.h"
#include "image/USaveBincc.h"
#include "platform/ControlInput.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

// The stand-in updater: records each start and the job file it found.
const char* const Recording_Updater =
    "#!/bin/sh\n"
    "d=$(dirname \"$0\")\n"
    "cat \"$d/Ethernet_Update.xml\" > \"$d/seen.xml\"\n"
    "echo run >> \"$d/runs.txt\"\n";

// A press and a release on the button, as the user clicks it.
void ClickButton(TControl& b)
{
    SendMouseDown(b, b.Width() / 2, b.Height() / 2);
    SendMouseUp(b, b.Width() / 2, b.Height() / 2);
}

class UpdateWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program's windows on a temporary program folder, with one
        // configuration open.
        ForceDirectories(program.file("PROJECTS/Plant 1/bin"));
        WriteFile(program.file("Zelvator.xml"),
                  "<Conf_Settings><lastproj><projectname>Plant 1</projectname></lastproj></Conf_Settings>");
        Create_Windows(program.path());
        ASSERT_EQ(UComon::Project_Folder, program.file("PROJECTS/Plant 1"));
        // The window opens after a build: the updater gets the pair just built.
        USaveBincc::Create_Bin();
        USaveBincc::Save_Bin();
        boot = FBoot;
        ASSERT_NE(boot, nullptr);
        boot->Form_Type = 1;
    }
    void TearDown() override
    {
        Destroy_Windows();
        UBoot::Updater_Wait_Limit_Ms = 150000;
    }

    void Install_Updater(const std::string& script)
    {
        const std::string exe = UBootJob::Updater_Program(program.path());
        WriteFile(exe, script);
        fs::permissions(exe, fs::perms::owner_all, fs::perm_options::add);
    }
    int Updater_Runs() const
    {
        const std::string log = ReadFile(program.file("runs.txt"));
        return int(std::count(log.begin(), log.end(), '\n'));
    }
    void Set_Address(const char* a, const char* b, const char* c, const char* d)
    {
        boot->E_IP1->SetText(a);
        boot->E_IP2->SetText(b);
        boot->E_IP3->SetText(c);
        boot->E_IP4->SetText(d);
    }
    std::vector<std::string> Octets() const
    {
        return {boot->E_IP1->Text(), boot->E_IP2->Text(), boot->E_IP3->Text(), boot->E_IP4->Text()};
    }

    TempDir program;
    RecordingMessageBoxes boxes;
    TFBoot* boot = nullptr;
};

} // namespace

TEST_F(UpdateWindow, AnsweringGatewayGetsTheJobAndOneUpdaterRun)
{
    Install_Updater(Recording_Updater);
    FakeTickClock clock;
    ScriptedEcho echo(clock, "R");
    boot->FormShow();
    Set_Address("192", "168", "2", "10");
    boot->CB_Update_Options->UserSelect(UBootJob::Option_Configuration);
    boot->CB_Update_Option_Read_Back->SetChecked(false);

    boot->Btn_Update->Click();

    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(echo.hosts, (std::vector<std::string>{"192.168.2.10", "192.168.2.10"}));
    EXPECT_EQ(Updater_Runs(), 1);
    const std::string job = ReadFile(UBootJob::Job_File(program.path()));
    EXPECT_EQ(ReadFile(program.file("seen.xml")), job);  // written before the start
    TXmlDocument xml;
    ASSERT_TRUE(xml.LoadFromString(job));
    EXPECT_EQ(ElementText(ChildElement(xml.Root(), "IP_Address_Dev")), "192.168.2.10");
    EXPECT_EQ(ElementChildCount(ChildElement(xml.Root(), "Operations")), 2);
    EXPECT_EQ(UComon::Device_IP, "192.168.2.10");
    EXPECT_EQ(UComon::Update_Option_Index, UBootJob::Option_Configuration);
    EXPECT_FALSE(UComon::Update_Read_Back);
    EXPECT_TRUE(boot->Btn_Update->Enabled());
    EXPECT_TRUE(boot->Btn_Cancel->Enabled());

    // The next showing restores what was remembered, not what the controls hold.
    Set_Address("1", "2", "3", "4");
    boot->CB_Update_Options->UserSelect(UBootJob::Option_Firmware);
    boot->CB_Update_Option_Read_Back->SetChecked(true);
    boot->FormShow();
    EXPECT_EQ(Octets(), (std::vector<std::string>{"192", "168", "2", "10"}));
    EXPECT_EQ(boot->CB_Update_Options->ItemIndex(), UBootJob::Option_Configuration);
    EXPECT_EQ(boot->CB_Update_Options->Text(), "Configuration");
    EXPECT_FALSE(boot->CB_Update_Option_Read_Back->Checked());
}

TEST_F(UpdateWindow, FailedChecksShowTheirMessageAndChangeNothing)
{
    struct Case {
        const char* what;
        const char* script;  // "" uses the system's echo client
        std::vector<const char*> octets;
        std::string message;
        TMsgDlgType type;
    };
    const Case cases[] = {
        {"silent gateway", "S", {"192", "168", "2", "10"}, "Device Not Found!", TMsgDlgType::mtWarning},
        {"octet 300", "", {"192", "168", "2", "300"}, "Error!!! Check the Ip Address", TMsgDlgType::mtError},
        {"empty octet", "", {"192", "", "2", "1"}, "Error!!! Check the Ip Address", TMsgDlgType::mtError},
        {"letters", "", {"192", "168", "x", "1"}, "Error!!! Check the Ip Address", TMsgDlgType::mtError},
        {"no ICMP socket", "U", {"192", "168", "2", "10"}, UBoot::Msg_Check_Not_Possible, TMsgDlgType::mtError},
    };
    Install_Updater(Recording_Updater);
    for (const Case& c : cases) {
        boxes.shown.clear();
        UComon::Device_IP = "192.168.2.205";
        UComon::Update_Option_Index = 0;
        FakeTickClock clock;
        std::unique_ptr<ScriptedEcho> echo;
        if (*c.script) echo = std::make_unique<ScriptedEcho>(clock, c.script);
        boot->FormShow();
        Set_Address(c.octets[0], c.octets[1], c.octets[2], c.octets[3]);
        boot->CB_Update_Options->UserSelect(UBootJob::Option_Firmware);
        const auto start = clock.now;

        boot->Btn_Update->Click();

        ASSERT_EQ(boxes.shown.size(), 1u) << c.what;
        EXPECT_EQ(boxes.shown[0].text.substr(0, c.message.size()), c.message) << c.what;
        EXPECT_EQ(boxes.shown[0].type, c.type) << c.what;
        if (std::string(c.script) == "S") {
            EXPECT_GT(clock.now - start, 5000u);
        }
        if (std::string(c.script) == "U") {
            EXPECT_EQ(clock.now - start, 0u);
        }
        EXPECT_FALSE(FileExists(UBootJob::Job_File(program.path()))) << c.what;
        EXPECT_EQ(Updater_Runs(), 0) << c.what;
        EXPECT_EQ(UComon::Device_IP, "192.168.2.205") << c.what;
        EXPECT_EQ(UComon::Update_Option_Index, 0) << c.what;
        EXPECT_TRUE(boot->Btn_Update->Enabled()) << c.what;
    }
}

// The updater only ever gets the pair just built: a bank file changed or
// left by an interrupted build since stops the update before the check.
TEST_F(UpdateWindow, BankFilesThatAreNotTheBuiltPairAreNeverHandedOver)
{
    Install_Updater(Recording_Updater);
    const std::string bank2 = PathJoin(UComon::Project_Folder, "bin/bank2.bin");
    const std::string built = ReadFile(bank2);
    WriteFile(bank2, "bank 2 of another build");
    FakeTickClock clock;
    ScriptedEcho echo(clock, "R");
    boot->FormShow();
    Set_Address("192", "168", "2", "10");
    ClickButton(*boot->Btn_Update);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text.substr(0, std::string(UBoot::Msg_Image_Not_Built).size()),
              UBoot::Msg_Image_Not_Built);
    EXPECT_TRUE(echo.hosts.empty());
    EXPECT_FALSE(FileExists(UBootJob::Job_File(program.path())));
    EXPECT_EQ(Updater_Runs(), 0);

    // The built pair back in place: the update goes ahead.
    WriteFile(bank2, built);
    boxes.shown.clear();
    ClickButton(*boot->Btn_Update);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Updater_Runs(), 1);
}

TEST_F(UpdateWindow, ButtonsAreOffWhileTheCheckRuns)
{
    Install_Updater(Recording_Updater);
    FakeTickClock clock;
    ScriptedEcho echo(clock, "SR");
    std::vector<bool> updateOn, cancelOn;
    echo.onEcho = [&] {
        updateOn.push_back(boot->Btn_Update->Enabled());
        cancelOn.push_back(boot->Btn_Cancel->Enabled());
        // A press during the check starts nothing.
        boot->Btn_Update->Click();
        boot->Btn_UpdateClick();
    };
    boot->FormShow();
    Set_Address("10", "0", "0", "1");
    boot->Btn_Update->Click();

    EXPECT_EQ(echo.hosts.size(), 3u);
    EXPECT_EQ(updateOn, std::vector<bool>(3, false));
    EXPECT_EQ(cancelOn, std::vector<bool>(3, false));
    EXPECT_EQ(Updater_Runs(), 1);
    EXPECT_TRUE(boot->Btn_Update->Enabled());
    EXPECT_TRUE(boot->Btn_Cancel->Enabled());
}

TEST_F(UpdateWindow, UpdaterThatCannotStartIsReported)
{
    FakeTickClock clock;
    ScriptedEcho echo(clock, "R");
    const std::string exe = UBootJob::Updater_Program(program.path());
    for (bool present : {false, true}) {
        boxes.shown.clear();
        if (present) WriteFile(exe, "#!/bin/sh\nexit 0\n");  // not executable
        boot->FormShow();
        Set_Address("10", "0", "0", "1");
        boot->Btn_Update->Click();
        ASSERT_EQ(boxes.shown.size(), 1u) << present;
        EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
        EXPECT_NE(boxes.shown[0].text.find(exe), std::string::npos) << boxes.shown[0].text;
        // The job file was written all the same, the address remembered.
        EXPECT_TRUE(FileExists(UBootJob::Job_File(program.path())));
        EXPECT_EQ(UComon::Device_IP, "10.0.0.1");
    }
}

TEST_F(UpdateWindow, SlowUpdaterIsWaitedForUpToTheLimitAndLeftRunning)
{
    Install_Updater("#!/bin/sh\nsleep 1\necho done > \"$(dirname \"$0\")/done.txt\"\n");
    UBoot::Updater_Wait_Limit_Ms = 200;
    FakeTickClock clock;
    ScriptedEcho echo(clock, "R");
    boot->FormShow();
    Set_Address("10", "0", "0", "1");
    const long long start = GetTickCount64Ms();
    boot->Btn_Update->Click();
    const long long waited = GetTickCount64Ms() - start;
    EXPECT_GE(waited, 200);
    EXPECT_LT(waited, 900);
    EXPECT_FALSE(FileExists(program.file("done.txt")));
    for (int i = 0; i < 300 && !FileExists(program.file("done.txt")); ++i) SleepMs(10);
    EXPECT_TRUE(FileExists(program.file("done.txt")));  // never ended by the window
}

TEST_F(UpdateWindow, TypedDotsMoveToTheNextOctet)
{
    UComon::Device_IP = "";
    Set_Address("", "", "", "");
    const TModalHandler previous = SetModalHandler([&](TForm&) {
        // Showing puts the focus on the first octet; each character goes to
        // the edit that has the focus, as the keyboard does.
        for (char ch : std::string("192.168.2.10.")) {
            auto* edit = dynamic_cast<TEdit*>(boot->ActiveControl());
            ASSERT_NE(edit, nullptr) << ch;
            edit->TypeText(std::string(1, ch));
        }
        EXPECT_TRUE(boot->E_IP4->Focused());
    });
    boot->ShowModal();
    SetModalHandler(previous);
    EXPECT_EQ(Octets(), (std::vector<std::string>{"192", "168", "2", "10"}));
}

TEST_F(UpdateWindow, ShowingTakesTheRememberedAddressOnlyWhenValid)
{
    struct Case {
        const char* deviceIp;
        std::vector<std::string> octets;
    };
    const Case cases[] = {
        {"192.168.2.205", {"192", "168", "2", "205"}},
        {" 10.1.2.3 ", {"10", "1", "2", "3"}},
        {"300.1.1.1", {"7", "7", "7", "7"}},
        {"", {"7", "7", "7", "7"}},
        {"1.2.3", {"7", "7", "7", "7"}},
    };
    for (const Case& c : cases) {
        UComon::Device_IP = c.deviceIp;
        Set_Address("7", "7", "7", "7");
        boot->FormShow();
        EXPECT_EQ(Octets(), c.octets) << c.deviceIp;
    }
    EXPECT_EQ(boot->Caption(), "Update Device by Ethernet (UDP)");
    EXPECT_EQ(boot->L_SW_Desc->Caption(), "Update Device Using the Ethernet Port");
    EXPECT_TRUE(boot->P_IP_Address->Visible());
    EXPECT_FALSE(boot->P_Serial->Visible());
    EXPECT_FALSE(boot->P_Eth_Search->Visible());
    EXPECT_EQ(boot->Height(), 230);
}

TEST_F(UpdateWindow, CancelAndTheSerialLayoutStartNothing)
{
    Install_Updater(Recording_Updater);
    FakeTickClock clock;
    ScriptedEcho echo(clock, "R");
    const TModalHandler previous = SetModalHandler([&](TForm&) {
        boot->CB_Update_Options->UserSelect(UBootJob::Option_Firmware);
        boot->Btn_Cancel->Click();
    });
    EXPECT_EQ(boot->ShowModal(), mrCancel);
    SetModalHandler(previous);
    EXPECT_EQ(UComon::Update_Option_Index, 0);

    boot->Form_Type = 0;
    boot->FormShow();
    EXPECT_EQ(boot->Height(), 232);
    EXPECT_TRUE(boot->P_Serial->Visible());
    EXPECT_FALSE(boot->P_IP_Address->Visible());
    boot->CB_Update_Options->UserSelect(UBootJob::Option_Firmware);
    boot->CB_Update_Option_Read_Back->SetChecked(false);
    boot->Btn_Update->Click();
    // The serial layout keeps the choices and nothing else.
    EXPECT_EQ(UComon::Update_Option_Index, UBootJob::Option_Firmware);
    EXPECT_FALSE(UComon::Update_Read_Back);

    EXPECT_TRUE(echo.hosts.empty());
    EXPECT_FALSE(FileExists(UBootJob::Job_File(program.path())));
    EXPECT_EQ(Updater_Runs(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(UpdateWindow, UpdateDeviceBuildsTheImageThenShowsTheWindowThatRunsTheUpdater)
{
    Install_Updater(Recording_Updater);
    FakeTickClock clock;
    ScriptedEcho echo(clock, "R");
    boot->Form_Type = 0;  // Update Device sets the Ethernet layout itself
    std::vector<TForm*> shown;
    const TModalHandler previous = SetModalHandler([&](TForm& form) {
        shown.push_back(&form);
        // The image is on disk before the window shows.
        EXPECT_TRUE(FileExists(UBootJob::Bank_File(UComon::Project_Folder, 1)));
        EXPECT_TRUE(FileExists(UBootJob::Bank_File(UComon::Project_Folder, 2)));
        EXPECT_TRUE(boot->P_IP_Address->Visible());
        EXPECT_EQ(boot->E_IP1->Text() + "." + boot->E_IP4->Text(), "192.205");  // the remembered address
        boot->Btn_Update->Click();
    });
    FZelvatoreFirmWare->Btn_CreateBin->Click();
    SetModalHandler(previous);

    ASSERT_EQ(shown, std::vector<TForm*>{boot});
    EXPECT_EQ(boot->Form_Type, 1);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].text;
    EXPECT_EQ(echo.hosts.front(), "192.168.2.205");
    EXPECT_EQ(Updater_Runs(), 1);
    TXmlDocument job;
    ASSERT_EQ(job.LoadFromFile(program.file("seen.xml")), TXmlLoad::Read);
    const pugi::xml_node operations = ChildElement(job.Root(), "Operations");
    ASSERT_EQ(ElementChildCount(operations), 3);
    EXPECT_EQ(ElementText(ChildElement(operations.last_child(), "Ope_FileName")),
              UBootJob::Bank_File(program.file("PROJECTS/Plant 1"), 2));
}

TEST_F(UpdateWindow, TypingAnAddressOverTheRememberedOneReplacesEveryOctet)
{
    UComon::Device_IP = "192.168.2.205";
    const TModalHandler previous = SetModalHandler([&](TForm& f) {
        ActivateWindowOf(f);
        // Showing puts the focus on the first octet; every key goes to the
        // edit that has the focus, each dot moves it on.
        TypeKeys(f, "127.0.0.1");
        EXPECT_TRUE(boot->E_IP4->Focused());
    });
    boot->ShowModal();
    SetModalHandler(previous);
    EXPECT_EQ(Octets(), (std::vector<std::string>{"127", "0", "0", "1"}));
}

TEST_F(UpdateWindow, TheWindowStaysWhileTheCheckRunsAndUpdateDeviceWaits)
{
    Install_Updater(Recording_Updater);
    FakeTickClock clock;
    ScriptedEcho echo(clock, "SR");
    int shows = 0;
    echo.onEcho = [&] {
        // The close box and a further Update Device press during the check.
        SendCloseBox(*boot);
        SendClick(*FZelvatoreFirmWare->Btn_CreateBin, 5, 5);
    };
    int result = 0;
    const TModalHandler previous = SetModalHandler([&](TForm& f) {
        ++shows;
        ActivateWindowOf(f);
        SendClick(*boot->Btn_Update, 5, 5);
        EXPECT_EQ(boot->ModalResult(), 0); // still open after the check
        result = boot->ModalResult();
        SendCloseBox(*boot);
    });
    SendClick(*FZelvatoreFirmWare->Btn_CreateBin, 5, 5);
    SetModalHandler(previous);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(boot->ModalResult(), mrCancel); // closed afterwards
    EXPECT_EQ(echo.hosts.size(), 3u);
    EXPECT_EQ(Updater_Runs(), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(UpdateWindow, WearsTheCommonFrameAndShowsWholeCaptions)
{
    boot->FormShow();
    EXPECT_EQ(boot->Color(), Window_Color);
    EXPECT_EQ(boot->L_SW_Code->Caption(), UComon::SW_Code);
    EXPECT_EQ(static_cast<const TControl*>(boot->L_SW_Code)->Font().Color(), clGray);
    EXPECT_EQ(static_cast<const TControl*>(boot->L_SW_Desc)->Font().Color(), clGray);
    EXPECT_TRUE(static_cast<const TControl*>(boot->L_SW_Desc)->Font().Style().Contains(fsBold));
    EXPECT_EQ(boot->P_Title->Height(), 69);
    EXPECT_EQ(boot->P_Button->Top() + boot->P_Button->Height(), boot->ClientHeight());
    for (TLbButton* b : {boot->Btn_Update, boot->Btn_Cancel}) {
        EXPECT_EQ(b->Color(), 0xEDF7F8u);
        EXPECT_EQ(b->HotTrackColor(), clYellow);
        EXPECT_EQ(b->Style(), bsEncarta);
        // The caption shows whole, also in the bold of a pressed button.
        TBitmap probe(1, 1);
        probe.Canvas().Font().Assign(static_cast<const TControl*>(b)->Font());
        const int plain = probe.Canvas().TextWidth(b->Caption());
        probe.Canvas().Font().SetStyle({fsBold});
        const int bold = probe.Canvas().TextWidth(b->Caption());
        EXPECT_LE(std::max(plain, bold), b->Width() - 8) << b->Caption();
        EXPECT_LE(b->Left() + b->Width(), boot->ClientWidth());
    }
    EXPECT_EQ(boot->Btn_Update->Caption(), "Execute Update Firmware");
}
