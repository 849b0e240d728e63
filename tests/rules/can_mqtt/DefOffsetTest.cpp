// The DeviceNet byte offsets: the slave list, the offset file, the output
// rule, and the window keeping the choices of every slave.
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/ControlInput.h"
#include "platform/GridView.h"
#include "platform/Paths.h"
#include "rules/can_mqtt/UDefOffset.h"
#include "rules/can_mqtt/URuleFrame.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

const char* const Net = "<DNET_Net>"
                        "<row ID=\"3\" NB_IN=\"2\" NB_OUT=\"1\" Mnemonic=\"valve\"/>"
                        "<row ID=\"5\" NB_IN=\"0\" NB_OUT=\"3\" Mnemonic=\"drive\"/>"
                        "</DNET_Net>";

const char* const Sample = "<Define_Offset>\n"
                           "\t<Nodo_DNET>\n"
                           "\t\t<ByteIN>\n"
                           "\t\t\t<row Offset=\"12\" Mnemonic=\"status\" />\n"
                           "\t\t\t<row Offset=\"None\" Mnemonic=\"\" />\n"
                           "\t\t</ByteIN>\n"
                           "\t\t<ByteOUT>\n"
                           "\t\t\t<row Offset=\"12\" Mnemonic=\"command &amp; mode\" />\n"
                           "\t\t</ByteOUT>\n"
                           "\t</Nodo_DNET>\n"
                           "\t<Nodo_DNET>\n"
                           "\t\t<ByteIN />\n"
                           "\t\t<ByteOUT>\n"
                           "\t\t\t<row Offset=\"0\" Mnemonic=\"\" />\n"
                           "\t\t\t<row Offset=\"1439\" Mnemonic=\"\" />\n"
                           "\t\t\t<row Offset=\"None\" Mnemonic=\"x\" />\n"
                           "\t\t</ByteOUT>\n"
                           "\t</Nodo_DNET>\n"
                           "</Define_Offset>\n"
                           "<!--SW_VERSION = 1.000-->\n";

struct Offsets : ::testing::Test {
    Offsets()
    {
        ULanguage::Load_Default_Lang();
        net = dir.file("DNETM_Net.xml");
        off = dir.file("DNETM_DefOff.xml");
    }
    TSlaves_DN Load()
    {
        TSlaves_DN s;
        Load_Slave_DN(net, s, nullptr);
        Load_Offset_Slave_DN(off, s);
        return s;
    }
    TempDir dir;
    std::string net, off;
};

} // namespace

TEST_F(Offsets, FilesRoundTripAndNewBytesAreNone)
{
    TSlaves_DN none = Load();
    EXPECT_TRUE(none.empty());
    ASSERT_TRUE(Save_Offset_Slave_DN(off, none));
    EXPECT_EQ(ReadFile(off), "<Define_Offset />\n<!--SW_VERSION = 1.000-->\n");

    WriteFile(net, Net);
    WriteFile(off, Sample);
    TSlaves_DN s = Load();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0]->SL_ByteOUT_M[0], "command & mode");
    EXPECT_FALSE(Check_Offsets(s));  // an input and an output may share a position
    ASSERT_TRUE(Save_Offset_Slave_DN(off, s));
    EXPECT_EQ(ReadFile(off), Sample);

    // A slave grown by a byte since: the new byte is "None".
    WriteFile(net, "<DNET_Net><row ID=\"3\" NB_IN=\"3\" NB_OUT=\"1\"/><row ID=\"x\" NB_IN=\"abc\" NB_OUT=\"\"/></DNET_Net>");
    s = Load();
    EXPECT_EQ(s[0]->SL_ByteIN, (std::vector<std::string>{"12", "None", "None"}));
    EXPECT_EQ(s[1]->ID, 0);  // numbers that are none count as 0
    EXPECT_EQ(s[1]->ByteIN, 0);
    EXPECT_TRUE(s[1]->SL_ByteOUT.empty());
}

TEST_F(Offsets, OutputRule)
{
    WriteFile(net, Net);
    WriteFile(off, Sample);
    TSlaves_DN s = Load();
    s[1]->SL_ByteOUT[2] = "12";
    EXPECT_EQ(Check_Offsets(s).value_or(""),
              "Error in ByteOUT! The same byte of MQTT is used in two bytes DeviceNet.\n\r"
              "( First ID = 3 Byte = 0, Second ID = 5 Byte = 2)");
    s[1]->SL_ByteOUT[2] = "2000";  // hand-edited: beyond the array
    EXPECT_EQ(Check_Offsets(s).value_or(""), std::string("Error in ByteOUT! ID = 5 Byte = 2") +
                                                 TFDefOffset::Msg_Position_Out + "1439");
    s[1]->SL_ByteOUT[2] = "None";
    s[0]->SL_ByteIN[1] = "-1";
    EXPECT_EQ(Check_Offsets(s).value_or(""), std::string("Error in ByteIN! ID = 3 Byte = 1") +
                                                 TFDefOffset::Msg_Position_Out + "1439");
}

namespace {

void ClickButton(TControl& b)
{
    SendMouseDown(b, b.Width() / 2, b.Height() / 2);
    SendMouseUp(b, b.Width() / 2, b.Height() / 2);
}

} // namespace

TEST(DefOffsetWindow, ChoicesOfEverySlaveAreKeptAndTheOutputRuleStopsOk)
{
    TempDir dir;
    RecordingMessageBoxes boxes;
    Create_Windows(dir.path());
    UComon::Project_Folder = dir.path();
    UComon::Set_Files();
    WriteFile(UComon::File_DNETM_Net, Net);
    TModalHandler old = SetModalHandler([&](TForm& f) {
        ASSERT_EQ(&f, FDefOffset);
        TFDefOffset& w = *FDefOffset;
        ASSERT_EQ(w.ECG_DN_Slaves->RowCount(), 3);
        EXPECT_EQ(w.ECG_DN_Slaves->GetCellEx(3, 2), "drive");
        EXPECT_EQ(w.ECG_ByteIN->RowCount(), 3);   // slave 3: two input bytes
        EXPECT_EQ(w.ECG_ByteOUT->GetCellEx(1, 1), "None");
        EXPECT_EQ(w.ECG_ByteOUT->Columns().Items(1)->ComboItems().Count(), 1441);
        w.ECG_ByteOUT->SetCellEx(1, 1, "12");
        // The description typed into its cell, as a person does.
        w.PageControl1->SetActivePage(w.TabSheet2);
        ActivateWindowOf(f);
        w.ECG_ByteOUT->SetFocus();
        w.ECG_ByteOUT->FocusCell(2, 1);
        TypeKeys(f, "valve out");
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(w.ECG_ByteOUT->GetCellEx(2, 1), "valve out");
        // The other slave clicked with the mouse.
        const TRect second = w.ECG_DN_Slaves->CellRect(1, 2);
        SendClick(*w.ECG_DN_Slaves->View(), (second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2);
        EXPECT_EQ(w.ECG_DN_Slaves->Row(), 2);
        EXPECT_EQ(w.ECG_ByteIN->RowCount(), 1);   // slave 5: no input bytes
        EXPECT_EQ(w.ECG_ByteOUT->RowCount(), 4);
        w.ECG_ByteOUT->SetCellEx(1, 3, "12");
        const TRect first = w.ECG_DN_Slaves->CellRect(0, 1);
        SendClick(*w.ECG_DN_Slaves->View(), (first.Left + first.Right) / 2, (first.Top + first.Bottom) / 2);
        EXPECT_EQ(w.ECG_ByteOUT->GetCellEx(1, 1), "12");
        ClickButton(*w.Btn_OK);
        EXPECT_EQ(w.ModalResult(), mrNone);
        w.ECG_ByteOUT->SetCellEx(1, 1, "13");
        ClickButton(*w.Btn_OK);
    });
    FZelvatoreFirmWare->Btn_Click(FZelvatoreFirmWare->Btn_DNet_Offset);  // hidden in this build
    SetModalHandler(old);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error in ByteOUT! The same byte of MQTT is used in two bytes DeviceNet.\n\r"
                                   "( First ID = 3 Byte = 0, Second ID = 5 Byte = 2)");
    TSlaves_DN s;
    Load_Slave_DN(UComon::File_DNETM_Net, s, nullptr);
    Load_Offset_Slave_DN(UComon::File_DNETM_DefOff, s);
    EXPECT_EQ(s[0]->SL_ByteOUT[0], "13");
    EXPECT_EQ(s[0]->SL_ByteOUT_M[0], "valve out");
    EXPECT_EQ(s[1]->SL_ByteOUT[2], "12");
    Destroy_Windows();
}

namespace {

// The window opened by its step button over a configuration folder; act
// runs while it is shown.
struct DefOffsetOpen : ::testing::Test {
    DefOffsetOpen()
    {
        Create_Windows(dir.path());
        UComon::Project_Folder = dir.path();
        UComon::Set_Files();
    }
    ~DefOffsetOpen() override { Destroy_Windows(); }
    int Open(const std::function<void(TFDefOffset&)>& act)
    {
        int result = mrNone;
        TModalHandler old = SetModalHandler([&](TForm& f) {
            ASSERT_EQ(&f, FDefOffset);
            act(*FDefOffset);
            result = FDefOffset->ModalResult();
        });
        FZelvatoreFirmWare->Btn_Click(FZelvatoreFirmWare->Btn_DNet_Offset);  // hidden in this build
        SetModalHandler(old);
        return result;
    }
    TempDir dir;
    RecordingMessageBoxes boxes;
};

std::string WithNul(std::string text)
{
    text.insert(text.find("status") + 3, 1, '\0');
    return text;
}

} // namespace

// An offset file that cannot be read is named when the window opens, and OK
// replaces it only after Yes: No leaves it byte for byte and the window open.
TEST_F(DefOffsetOpen, AnUnreadableOffsetFileIsReplacedOnlyWhenTheUserAgrees)
{
    const std::string sample = Sample;
    const std::pair<const char*, std::string> damaged[] = {
        {"cut in half", sample.substr(0, sample.size() / 2)},
        {"empty", ""},
        {"one byte", "<"},
        {"NUL in an attribute", WithNul(sample)},
    };
    WriteFile(UComon::File_DNETM_Net, Net);
    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        WriteFile(UComon::File_DNETM_DefOff, bytes);
        boxes.shown.clear();
        boxes.Answer(mrOk);
        boxes.Answer(mrNo);
        EXPECT_EQ(Open([&](TFDefOffset& w) {
                      ASSERT_EQ(boxes.shown.size(), 1u);
                      EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
                      EXPECT_NE(boxes.shown[0].text.find(UComon::File_DNETM_DefOff), std::string::npos);
                      EXPECT_EQ(w.ECG_ByteIN->GetCellEx(1, 1), "None");
                      ClickButton(*w.Btn_OK);
                      EXPECT_EQ(w.ModalResult(), mrNone);
                      ASSERT_EQ(boxes.shown.size(), 2u);
                      EXPECT_EQ(boxes.shown[1].buttons, TMsgDlgButtons::mbYesNo);
                      EXPECT_EQ(boxes.shown[1].text,
                                std::string(TRuleFrame::Msg_Replace_Unreadable) + "\n" + UComon::File_DNETM_DefOff);
                      ClickButton(*w.Btn_Cancel);
                  }),
                  mrCancel);
        EXPECT_EQ(ReadFile(UComon::File_DNETM_DefOff), bytes);
    }
    // Yes: the file of the offsets shown.
    EXPECT_EQ(Open([&](TFDefOffset& w) {
                  w.ECG_ByteIN->SetCellEx(1, 1, "7");
                  ClickButton(*w.Btn_OK);
              }),
              mrOk);
    TSlaves_DN s;
    EXPECT_EQ(Load_Slave_DN(UComon::File_DNETM_Net, s, nullptr), TXmlLoad::Read);
    EXPECT_EQ(Load_Offset_Slave_DN(UComon::File_DNETM_DefOff, s), TXmlLoad::Read);
    EXPECT_EQ(s[0]->SL_ByteIN[0], "7");
}

// Without its slave list the window cannot tell whose offsets it shows: OK
// says so and never writes the offset file.
TEST_F(DefOffsetOpen, AnUnreadableSlaveListIsNamedAndOkNeverWritesTheOffsets)
{
    WriteFile(UComon::File_DNETM_DefOff, Sample);
    const std::string net = Net;
    for (const std::string& bytes : {net.substr(0, net.size() - 12), std::string()}) {
        SCOPED_TRACE(bytes);
        WriteFile(UComon::File_DNETM_Net, bytes);
        boxes.shown.clear();
        EXPECT_EQ(Open([&](TFDefOffset& w) {
                      ASSERT_EQ(boxes.shown.size(), 1u);
                      EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
                      EXPECT_NE(boxes.shown[0].text.find(UComon::File_DNETM_Net), std::string::npos);
                      EXPECT_EQ(w.ECG_DN_Slaves->RowCount(), 1);
                      ClickButton(*w.Btn_OK);
                      EXPECT_EQ(w.ModalResult(), mrNone);
                      ASSERT_EQ(boxes.shown.size(), 2u);
                      EXPECT_EQ(boxes.shown[1].text,
                                std::string(TFDefOffset::Msg_Net_Unreadable) + "\n" + UComon::File_DNETM_Net);
                      ClickButton(*w.Btn_Cancel);
                  }),
                  mrCancel);
        EXPECT_EQ(ReadFile(UComon::File_DNETM_DefOff), Sample);
    }
    // A missing list is no fault: no slaves, and OK writes the root alone.
    DeleteFile(UComon::File_DNETM_Net);
    boxes.shown.clear();
    EXPECT_EQ(Open([&](TFDefOffset& w) { ClickButton(*w.Btn_OK); }), mrOk);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ReadFile(UComon::File_DNETM_DefOff), "<Define_Offset />\n<!--SW_VERSION = 1.000-->\n");
}

// A pipe, folder, device or dangling link in place of either file is
// reported by what it is; the offsets are kept unless the user agrees.
TEST_F(DefOffsetOpen, NamesThatAreNoRegularFileAreReportedAndKept)
{
    for (NonFile::Kind kind : NonFile::All) {
        SCOPED_TRACE(NonFile::Name(kind));
        for (bool list : {true, false}) {
            const std::string& path = list ? UComon::File_DNETM_Net : UComon::File_DNETM_DefOff;
            DeleteFile(UComon::File_DNETM_Net);
            DeleteFile(UComon::File_DNETM_DefOff);
            if (!list) WriteFile(UComon::File_DNETM_Net, Net);
            NonFile thing(path, kind);
            boxes.shown.clear();
            boxes.Answer(mrOk);
            boxes.Answer(list ? mrOk : mrNo);
            Open([&](TFDefOffset& w) {
                ASSERT_EQ(boxes.shown.size(), 1u);
                EXPECT_NE(boxes.shown[0].text.find(path + "\n(it is " + NonFile::Name(kind) + ", not a readable file)"),
                          std::string::npos)
                    << boxes.shown[0].text;
                ClickButton(*w.Btn_OK);
                EXPECT_EQ(w.ModalResult(), mrNone);
                ClickButton(*w.Btn_Cancel);
            });
            EXPECT_EQ(boxes.shown.size(), 2u);
            EXPECT_TRUE(thing.Unchanged());
            if (list) {
                EXPECT_FALSE(FileExists(UComon::File_DNETM_DefOff));
            }
            thing.Release();
            std::filesystem::remove(path);
        }
    }
}
