// The communication window as the main window's Set Communication step
// opens it.
#include "params/UParGen.h"

#include "core/UComon.h"
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(SetCommunication, OpensTheWindowOnTheOpenConfiguration)
{
    TempDir dir;
    ForceDirectories(PathJoin(dir.path(), "PROJECTS/Plant"));
    WriteFile(PathJoin(dir.path(), "Zelvator.xml"),
              "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
    RecordingMessageBoxes boxes;
    Create_Windows(dir.path());
    ASSERT_NE(FParGen, nullptr);
    // Created second, right after the main window.
    ASSERT_GE(Created_Windows().size(), 2u);
    EXPECT_EQ(Created_Windows()[1], TWindowId::ParGen);
    EXPECT_EQ(FParGen->L_SW_Code->Caption(), "QS41010");

    std::vector<TForm*> shown;
    const TModalHandler old = SetModalHandler([&](TForm& f) {
        shown.push_back(&f);
        FParGen->E_NTP_Poll_Time->SetText("30");
        FParGen->Btn_OK->Click();
    });
    FZelvatoreFirmWare->Btn_Prm_Gen->Click();
    SetModalHandler(old);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], FParGen);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(UComon::File_ParGen, PathJoin(dir.path(), "PROJECTS/Plant/ParGen.xml"));
    EXPECT_NE(ReadFile(UComon::File_ParGen).find("<NTP_Poll_Time>30</NTP_Poll_Time>"), std::string::npos);
    Destroy_Windows();
    EXPECT_EQ(FParGen, nullptr);
    UComon::Project_Folder.clear();
    UComon::Set_Files();
}

} // namespace
