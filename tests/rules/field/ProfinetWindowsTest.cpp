// The "PROFINET XML" and "PROFIBUS GSD" steps as a person runs them: the
// file-name window through the main window's step handler (its button is
// hidden in this build), the user part typed key by key, OK pressed with
// the mouse, the save dialog answered through its seam.
#include "../RuleWindowDriving.h"
#include "app/UWindows.h"
#include "platform/DateUtils.h"
#include "platform/Shell.h"
#include "rules/field/UProfinetFileName.h"

#include <gtest/gtest.h>

using namespace UComon;

namespace {

TDateTime g_now = 0;
TDateTime Test_Clock() { return g_now; }

// The clock from before the windows are created (the file-name window takes
// its date then).
struct ClockAt {
    explicit ClockAt(TDateTime start) : previous(SetNowSource(Test_Clock)) { g_now = start; }
    ~ClockAt() { SetNowSource(previous); }
    TNowSource previous;
};

class ProfinetWindows : public RuleWindowsFixture {
protected:
    ClockAt clock{EncodeDate(2024, 3, 4) + EncodeTime(9, 30, 0, 0)};
    // The file-name window's action: the user part typed, OK pressed.
    std::function<void(TForm&)> Type_User_Part(const std::string& text, bool refused = false)
    {
        return [this, text, refused](TForm& f) {
            ASSERT_EQ(&f, FProfinetFileName);
            TFProfinetFileName& w = *FProfinetFileName;
            ActivateWindowOf(f);
            w.E_XML_User->SetFocus();
            w.E_XML_User->SetText("");
            TypeKeys(f, text);
            EXPECT_EQ(w.E_XML_User->Text(), text);
            // The date was taken when the window was made, not now.
            g_now = EncodeDate(2024, 5, 6);
            ClickButton(*w.Btn_OK);
            if (!refused) return;
            EXPECT_EQ(w.ModalResult(), mrNone);
            ClickButton(*w.Btn_Cancel);
        };
    }
    // Runs the step with the save dialog cancelled; the name composed.
    std::string Name_Of(const std::string& userPart)
    {
        acts.push_back(Type_User_Part(userPart));
        const TFileDialogHandler previous = SetFileDialogHandler([](const TFileDialogRequest&, std::string&) {
            return false;
        });
        main->Btn_Click(main->Btn_PROFINET_XML);  // hidden in this build
        SetFileDialogHandler(previous);
        return FProfinetFileName->Name_File_XML;
    }
};

} // namespace

TEST_F(ProfinetWindows, FileNameFromTheUserPartAndTheStartDate)
{
    const std::string fixed = "GSDML-V2.31-Quembo-QG41021";
    struct Case {
        std::string user, name;
    } cases[] = {
        {"", fixed + "-20240304.xml"},
        {"   ", fixed + "-20240304.xml"},
        {"_A", fixed + "_A-20240304.xml"},
        {"A", fixed + "_A-20240304.xml"},
        {" A", fixed + "_ A-20240304.xml"},
        {"line2", fixed + "_line2-20240304.xml"},
    };
    for (const Case& c : cases) EXPECT_EQ(Name_Of(c.user), c.name) << "\"" << c.user << "\"";
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(FProfinetFileName->Caption(), "PROFINET XML File Name");
    EXPECT_EQ(FProfinetFileName->L_XML_Fix1->Caption(), fixed);
    EXPECT_EQ(FProfinetFileName->L_XML_Fix2->Caption(), "-20240304.xml");

    // A user part that would lead out of the chosen folder is refused.
    for (const std::string user : {"a/b", "..\\x", "x..y", "a\\b"}) {
        boxes.shown.clear();
        FProfinetFileName->Name_File_XML.clear();
        acts.push_back(Type_User_Part(user, true));
        bool dialog = false;
        const TFileDialogHandler previous = SetFileDialogHandler([&](const TFileDialogRequest&, std::string&) {
            dialog = true;
            return false;
        });
        main->Btn_Click(main->Btn_PROFINET_XML);
        SetFileDialogHandler(previous);
        EXPECT_FALSE(dialog) << user;
        ASSERT_EQ(boxes.shown.size(), 1u) << user;
        EXPECT_EQ(boxes.shown[0].text, TFProfinetFileName::Msg_User_Part_Refused);
        EXPECT_EQ(FProfinetFileName->ModalResult(), mrCancel);
    }
}

TEST_F(ProfinetWindows, StepWritesTheFileInTheFolderChosen)
{
    WriteFile(File_ParGen, "<Par_Gen><PROFINET_NB_OUT>$40</PROFINET_NB_OUT>"
                           "<PROFINET_NAME_STA>plc1</PROFINET_NAME_STA></Par_Gen>");
    acts.push_back(Type_User_Part("line2"));
    ForceDirectories(PathJoin(dir.path(), "export"));
    TFileDialogRequest asked;
    const TFileDialogHandler previous = SetFileDialogHandler([&](const TFileDialogRequest& r, std::string& name) {
        asked = r;
        name = PathJoin(dir.path(), "export/other.xml");
        return true;
    });
    main->Btn_Click(main->Btn_PROFINET_XML);
    SetFileDialogHandler(previous);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(asked.InitialDir, Project_Folder);
    EXPECT_TRUE(boxes.shown.empty());
    const std::string file = PathJoin(dir.path(), "export/GSDML-V2.31-Quembo-QG41021_line2-20240304.xml");
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("ImplementationType=\"plc1\" DNS_CompatibleName=\"plc1\""), std::string::npos);
    EXPECT_NE(text.find("<DataItem DataType=\"OctetString\" Length=\"64\" TextId=\"IDT_Input_1\"/>\r\n"),
              std::string::npos);
    EXPECT_FALSE(FileExists(PathJoin(dir.path(), "export/other.xml")));
}

TEST_F(ProfinetWindows, GSDStepWritesTheFileChosen)
{
    WriteFile(File_ParGen, "<Par_Gen><PROFINET_NB_IN>64</PROFINET_NB_IN>"
                           "<PROFINET_NB_OUT>100</PROFINET_NB_OUT></Par_Gen>");
    const TFileDialogHandler previous = SetFileDialogHandler([&](const TFileDialogRequest&, std::string& name) {
        name = PathJoin(dir.path(), "Slave");
        return true;
    });
    main->Btn_Click(main->Btn_PROFIBUS_GSD);  // hidden in this build
    SetFileDialogHandler(previous);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ReadFile(PathJoin(dir.path(), "Slave.gsd")), ReadFile(TestDataPath("profinet/GSD_100_64.gsd")));
}

namespace {

class ProfinetNewYear : public RuleWindowsFixture {
protected:
    ClockAt clock{EncodeDate(2023, 12, 31) + EncodeTime(23, 59, 0, 0)};
};

} // namespace

TEST_F(ProfinetNewYear, TheNameKeepsTheDateTheProgramStarted)
{
    acts.push_back([](TForm& f) {
        g_now = EncodeDate(2024, 1, 1) + EncodeTime(0, 1, 0, 0);
        ClickButton(*FProfinetFileName->Btn_OK);
        EXPECT_EQ(f.ModalResult(), mrOk);
    });
    const TFileDialogHandler previous = SetFileDialogHandler([&](const TFileDialogRequest&, std::string& name) {
        name = PathJoin(dir.path(), "x.xml");
        return true;
    });
    main->Btn_Click(main->Btn_PROFINET_XML);
    SetFileDialogHandler(previous);
    EXPECT_TRUE(FileExists(PathJoin(dir.path(), "GSDML-V2.31-Quembo-QG41021-20231231.xml")));
}
