// The side files' byte form: lines ended by CR LF, in Windows-1252 or in
// UTF-8 with a byte-order mark, written atomically.
#include "platform/Paths.h"
#include "rules/field/USideFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace USideFile;

TEST(SideFile, LinesEndedByCRLFInTheirEncoding)
{
    const std::vector<std::string> lines = {"first", "", "caf\xC3\xA9 \xE2\x82\xAC \xE2\x9C\x93", "END"};
    EXPECT_EQ(Side_File_Bytes(lines, TSideEncoding::Ansi), "first\r\n\r\ncaf\xE9 \x80 ?\r\nEND\r\n");
    EXPECT_EQ(Side_File_Bytes(lines, TSideEncoding::Utf8_Bom),
              "\xEF\xBB\xBF" "first\r\n\r\ncaf\xC3\xA9 \xE2\x82\xAC \xE2\x9C\x93\r\nEND\r\n");
    EXPECT_EQ(Side_File_Bytes({}, TSideEncoding::Ansi), "");
}

TEST(SideFile, WrittenOverThePreviousFileOrReportedByName)
{
    TempDir dir;
    RecordingMessageBoxes boxes;
    const std::string path = dir.file("out.gsd");
    WriteFile(path, "old");
    EXPECT_TRUE(Write_Side_File(path, {"a", "b"}, TSideEncoding::Ansi));
    EXPECT_EQ(ReadFile(path), "a\r\nb\r\n");
    EXPECT_TRUE(boxes.shown.empty());
    // A folder that is not there: nothing written, the box names the file.
    const std::string missing = dir.file("gone/out.gsd");
    EXPECT_FALSE(Write_Side_File(missing, {"a"}, TSideEncoding::Ansi));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, std::string(Msg_Not_Written) + "\n" + missing);
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    EXPECT_FALSE(FileExists(missing));
}
