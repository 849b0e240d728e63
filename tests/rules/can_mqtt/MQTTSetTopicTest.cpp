// The MQTT topic tables on bare grids: file, validation and the frame's
// decisions on odd files.
#include "core/ULanguage.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "rules/can_mqtt/UMQTT_Set_Topic.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using ULanguage::Text;
using namespace Topic_Col;

namespace {

class TopicTables : public ::testing::Test {
protected:
    TopicTables()
        : frame(MQTT_Set_Topic_Desc([this] { return allow; }, [this](bool v) { allow = v; }), {&pub, &sub},
                [this] { return path; })
    {
        ULanguage::Load_Default_Lang();
        frame.Setup();
        frame.Set_Lang();
        frame.Reset();
        path = dir.file("MQTT_Set_Topic.xml");
    }
    void Fill(TExColumnGrid& g, int row, std::initializer_list<std::pair<int, const char*>> cells)
    {
        for (const auto& [c, t] : cells) g.SetCellEx(c, row, t);
    }
    // A publish row that passes every check.
    void Good_Pub(int row)
    {
        Fill(pub, row, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "2"}, {Position, "0"}});
    }
    std::string Fault()
    {
        const auto f = frame.Validate();
        return f ? frame.Message(*f) : std::string();
    }

    TempDir dir;
    RecordingMessageBoxes boxes;
    TExColumnGrid pub, sub;
    bool allow = true;
    std::string path;
    TRuleFrame frame;
};

} // namespace

TEST_F(TopicTables, LayoutOfThisBuild)
{
    EXPECT_EQ(pub.ColCount() + pub.NumHiddenColumns(), 19);
    EXPECT_EQ(sub.ColCount() + sub.NumHiddenColumns(), 16);
    EXPECT_EQ(pub.RowCount(), 1025);
    EXPECT_EQ(sub.RowCount(), 1025);
    for (int c : {7, 8, 9, 15, 16, 17}) EXPECT_TRUE(pub.IsHiddenColumn(c)) << c;
    for (int c : {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 18}) EXPECT_FALSE(pub.IsHiddenColumn(c)) << c;
    for (int c : {2, 7, 8, 9, 10, 11, 13, 14}) EXPECT_TRUE(sub.IsHiddenColumn(c)) << c;
    EXPECT_EQ(pub.GetCellEx(0, 1024), "1024");
    EXPECT_EQ(pub.Columns().Items(Pub_Mnemonic)->Header(), "Mnemonic");
    EXPECT_EQ(pub.Columns().Items(Pub_Channel)->ComboItems().Count(), 321);
    EXPECT_EQ(pub.Columns().Items(Pub_Channel)->ComboItems()[320], "TAB256");
    EXPECT_EQ(frame.Hint_List(0).Count(), 18);
    EXPECT_EQ(frame.Hint_List(1).Count(), 15);
    EXPECT_EQ(frame.Hint_List(1)[Sub_Port - 1], Text(771));

    // Header hints by real column, the grid's own hint elsewhere.
    std::string hint = "own";
    frame.Grid_Hint(0, 0, pub.ColCount() - 1, hint);
    EXPECT_EQ(hint, Text(722));
    hint = "own";
    frame.Grid_Hint(0, 3, 2, hint);
    EXPECT_EQ(hint, "own");
}

TEST_F(TopicTables, OkOnEmptyGridsWritesTheGoldenEmptyFile)
{
    allow = false;
    ASSERT_TRUE(frame.OK());
    EXPECT_EQ(ReadFile(path), ReadFile(TestDataPath("rules/MQTT_Set_Topic_empty.xml")));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TopicTables, SampleFileLoadsAndIsWrittenBackByteForByte)
{
    const std::string sample = ReadFile(TestDataPath("rules/MQTT_Set_Topic_sample.xml"));
    WriteFile(path, sample);
    allow = false;
    EXPECT_EQ(frame.Show(), TXmlLoad::Read);
    EXPECT_TRUE(allow);
    EXPECT_EQ(pub.GetCellEx(Pub_Template, 1), "{\"t\": $VALUE$, <unit> & 'C'}\r\nnext\tline");
    EXPECT_EQ(pub.GetCellEx(Topic, 2), " spaced ");
    EXPECT_EQ(pub.GetCellEx(Pub_Swap, 1), "N");       // not stored: "N" in a loaded row
    EXPECT_EQ(pub.GetCellEx(Pub_Channel, 1), "");
    EXPECT_EQ(pub.GetCellEx(Pub_Swap, 3), "");        // rows after the file's stay reset
    EXPECT_EQ(sub.GetCellEx(Sub_Port, 1), "502");
    EXPECT_EQ(sub.GetCellEx(Sub_Swap_Word, 1), "N");
    ASSERT_TRUE(frame.OK());
    EXPECT_EQ(ReadFile(path), sample);
}

TEST_F(TopicTables, ValidationMessages)
{
    struct Case {
        const char* what;
        std::function<void()> fill;
        std::string message;  // empty: passes
    };
    auto P = [this](int row, std::initializer_list<std::pair<int, const char*>> cells) {
        for (int r = 1; r < row; ++r) Good_Pub(r);
        Fill(pub, row, cells);
    };
    const std::string pubErr = "Error row ";
    const Case cases[] = {
        {"position beyond the array", [&] { P(7, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "1440"}}); },
         "Error row 7!! [MQTT Publish] Position must be beetween 0 and 1439"},
        {"hexadecimal position", [&] { P(1, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "$59F"}}); }, ""},
        {"float of two bytes", [&] { P(2, {{Topic, "t"}, {Data_Type, "Float"}, {Dimension, "2"}, {Position, "0"}}); },
         pubErr + "2" + Text(754)},
        {"float of eight", [&] { P(1, {{Topic, "t"}, {Data_Type, "Float"}, {Dimension, "8"}, {Position, "0"}}); }, ""},
        {"lower-case int typed by hand", [&] { P(1, {{Topic, "t"}, {Data_Type, " int "}, {Dimension, "3"}, {Position, "0"}}); },
         pubErr + "1" + Text(753)},
        {"string of no bytes", [&] { P(1, {{Topic, "t"}, {Data_Type, "String"}, {Dimension, "0"}, {Position, "0"}}); },
         pubErr + "1" + Text(755)},
        {"no type", [&] { P(1, {{Topic, "t"}, {Position, "0"}}); }, pubErr + "1" + Text(752)},
        {"timer at the bound", [&] { P(1, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "0"},
                                             {Pub_OnTimer, "Y"}, {Pub_Time, "999999999"}}); }, ""},
        {"timer beyond the bound", [&] { P(1, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "0"},
                                                {Pub_OnTimer, "Y"}, {Pub_Time, "1000000000"}}); },
         pubErr + "1" + Text(789)},
        {"timer off, no time", [&] { P(1, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "0"},
                                            {Pub_OnTimer, "N"}}); }, ""},
        {"single $ in the template", [&] { P(1, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "0"},
                                                  {Pub_Template, "$VALUE"}}); }, pubErr + "1" + Text(778)},
        {"four $", [&] { P(1, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "0"},
                                {Pub_Template, "$A$ $B$"}}); }, ""},
        // The hidden columns' checks do not run in this build.
        {"hidden address", [&] { P(1, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "0"},
                                        {Pub_IP_Address, "nonsense"}, {Pub_Input_Template, "$"}}); }, ""},
        {"subscribe only after the whole publish grid",
         [&] {
             P(3, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "0"}});
             Fill(sub, 1, {{Topic, "s"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "-1"}});
         },
         "Error row 1!! [MQTT Subscribe] Position must be beetween 0 and 1439"},
        {"publish fault before a subscribe fault",
         [&] {
             P(2, {{Topic, "t"}});
             Fill(sub, 1, {{Topic, "s"}});
         },
         pubErr + "2" + Text(752)},
        {"rows after the first blank topic are not checked",
         [&] {
             P(2, {{Topic, "  "}});
             Fill(pub, 3, {{Topic, "t"}, {Position, "5000"}});
         },
         ""},
    };
    for (const Case& c : cases) {
        frame.Reset();
        c.fill();
        EXPECT_EQ(Fault(), c.message) << c.what;
    }
}

TEST_F(TopicTables, FirstFaultIsShownAndNothingIsWritten)
{
    Fill(pub, 1, {{Topic, "t"}, {Data_Type, "Int"}, {Dimension, "1"}, {Position, "1440"}});
    EXPECT_FALSE(frame.OK());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error row 1!! [MQTT Publish] Position must be beetween 0 and 1439");
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(TopicTables, RowsAfterTheFirstBlankTopicAreNotWritten)
{
    Good_Pub(1);
    Fill(pub, 2, {{Topic, " "}});
    Good_Pub(3);
    ASSERT_TRUE(frame.OK());
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
    EXPECT_EQ(ElementChildCount(ChildElement(doc.Root(), "MQTT_Publish")), 1);
    frame.Show();
    EXPECT_EQ(pub.GetCellEx(Topic, 3), "");
}

TEST_F(TopicTables, OddFilesLoadWhatFits)
{
    // 1030 rows, comments and text between them, a row without Retained
    // and QoS; a subscribe section missing altogether.
    std::string rows;
    for (int i = 1; i <= 1030; ++i) {
        rows += "<!-- row " + std::to_string(i) + " -->\n  ";
        rows += i == 1 ? "<row Topic=\"first\" Mnemonic=\"m\"/>"
                       : "<row Topic=\"t" + std::to_string(i) + "\" Retained=\"N\" QoS=\"0\" Mnemonic=\"\"/>";
    }
    WriteFile(path, "<?xml version=\"1.0\"?>\r\n<MQTT_Set_Topic><MQTT_Publish>" + rows +
                        "</MQTT_Publish></MQTT_Set_Topic>");
    EXPECT_EQ(frame.Show(), TXmlLoad::Read);
    EXPECT_EQ(pub.GetCellEx(Topic, 1), "first");
    EXPECT_EQ(pub.GetCellEx(Retained, 1), "");
    EXPECT_EQ(pub.GetCellEx(QoS, 1), "");
    EXPECT_EQ(pub.GetCellEx(Pub_OnChange, 1), "N");
    EXPECT_EQ(pub.GetCellEx(Topic, 2), "t2");
    EXPECT_EQ(pub.GetCellEx(Topic, 1024), "t1024");
    EXPECT_EQ(pub.RowCount(), 1025);
    EXPECT_EQ(sub.GetCellEx(Topic, 1), "");
    EXPECT_FALSE(allow);  // no options: unticked
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TopicTables, MissingFileUnticksTheOption)
{
    allow = true;
    Fill(pub, 1, {{Topic, "left over"}});
    EXPECT_EQ(frame.Show(), TXmlLoad::Missing);
    EXPECT_FALSE(allow);
    EXPECT_EQ(pub.GetCellEx(Topic, 1), "");
}

TEST_F(TopicTables, UnreadableFileIsReplacedOnlyWhenTheUserAgrees)
{
    const std::string broken = "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"a\"></MQTT_Set_Topic>";
    WriteFile(path, broken);
    EXPECT_EQ(frame.Show(), TXmlLoad::Unreadable);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    EXPECT_NE(boxes.shown[0].text.find(path), std::string::npos);
    EXPECT_EQ(pub.GetCellEx(Topic, 1), "");

    Good_Pub(1);
    boxes.Answer(mrNo);
    EXPECT_FALSE(frame.OK());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].buttons, TMsgDlgButtons::mbYesNo);
    EXPECT_EQ(boxes.shown[1].text, std::string(TRuleFrame::Msg_Replace_Unreadable) + "\n" + path);
    EXPECT_EQ(ReadFile(path), broken);

    boxes.Answer(mrYes);
    EXPECT_TRUE(frame.OK());
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
    EXPECT_EQ(ElementChildCount(ChildElement(doc.Root(), "MQTT_Publish")), 1);
}

// A folder, a pipe, a device or a dangling link in the file's place: named
// when the window opens, kept on No; Yes replaces only a dangling link (the
// others cannot be replaced by a file, which is reported).
TEST_F(TopicTables, ANameThatIsNoRegularFileIsReportedAndKeptUnlessTheUserAgrees)
{
    for (NonFile::Kind kind : NonFile::All) {
        SCOPED_TRACE(NonFile::Name(kind));
        path = dir.file(std::to_string(kind) + "/MQTT_Set_Topic.xml");
        NonFile thing(path, kind);
        boxes.shown.clear();
        EXPECT_EQ(frame.Show(), TXmlLoad::Unreadable);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, std::string(TRuleFrame::Msg_File_Unreadable) + "\n" + path + "\n(it is " +
                                           NonFile::Name(kind) + ", not a readable file)");

        Good_Pub(1);
        boxes.Answer(mrNo);
        EXPECT_FALSE(frame.OK());
        ASSERT_EQ(boxes.shown.size(), 2u);
        EXPECT_EQ(boxes.shown[1].text, std::string(TRuleFrame::Msg_Replace_Unreadable) + "\n" + path);
        EXPECT_TRUE(thing.Unchanged());

        boxes.Answer(mrYes);
        const bool replaced = frame.OK();
        EXPECT_EQ(replaced, kind == NonFile::DanglingLink);
        if (replaced) {
            TXmlDocument doc;
            EXPECT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
        } else {
            EXPECT_TRUE(thing.Unchanged());
            EXPECT_EQ(boxes.shown.back().text, std::string(TRuleFrame::Msg_File_Not_Written) + "\n" + path);
        }
    }
}

TEST_F(TopicTables, FailedWriteKeepsTheRowsAndNamesTheFile)
{
    path = dir.file("gone/MQTT_Set_Topic.xml");
    Good_Pub(1);
    EXPECT_FALSE(frame.OK());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, std::string(TRuleFrame::Msg_File_Not_Written) + "\n" + path);
    EXPECT_EQ(pub.GetCellEx(Topic, 1), "t");
}

TEST_F(TopicTables, ControlCharactersNeverMakeTheFileUnreadable)
{
    Good_Pub(1);
    Fill(pub, 1, {{Pub_Mnemonic, "a\x01" "b\x1f" "c\td"}, {Pub_Template, "$V$\r\n"}});
    ASSERT_TRUE(frame.OK());
    frame.Show();
    EXPECT_FALSE(frame.File_Unreadable());
    EXPECT_EQ(pub.GetCellEx(Pub_Mnemonic, 1), "abc\td");
    EXPECT_EQ(pub.GetCellEx(Pub_Template, 1), "$V$\r\n");
}
