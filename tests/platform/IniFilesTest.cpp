#include "platform/IniFiles.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(IniFile, WritesKeepEverythingElseAndReadBack)
{
    TempDir dir;
    const std::string path = dir.file("grid.ini");
    WriteFile(path, "; columns of the topic table\r\n[Other]\r\nA=1\r\n\r\n[Grid]\r\ncp0 = 4\r\n[Last]\r\nB=x\r\n");

    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("GRID", "CP0", -1), 4); // names match without case, blanks trimmed
    ini.WriteInteger("Grid", "CP0", 2);                // replaced in place
    ini.WriteInteger("Grid", "CP1", 0);                // added to its section
    ini.WriteString("New", "Key", "a b");              // new section at the end

    EXPECT_EQ(ReadFile(path), "; columns of the topic table\n[Other]\nA=1\n\n[Grid]\nCP0=2\nCP1=0\n[Last]\nB=x\n"
                              "\n[New]\nKey=a b\n");
    const TIniFile again(path);
    EXPECT_EQ(again.ReadInteger("Grid", "CP1", -1), 0);
    EXPECT_EQ(again.ReadString("Last", "B", ""), "x");
    EXPECT_EQ(again.ReadString("New", "Key", ""), "a b");
}

TEST(IniFile, MissingFileKeysAndBadNumbersGiveTheDefault)
{
    TempDir dir;
    const TIniFile none(dir.file("none.ini"));
    EXPECT_EQ(none.ReadInteger("S", "K", -1), -1);
    EXPECT_FALSE(none.ValueExists("S", "K"));

    WriteFile(dir.file("a.ini"), "\xEF\xBB\xBF[S]\nN=12x\nH=$1F\nE=\n;K=5\n");
    const TIniFile a(dir.file("a.ini"));
    EXPECT_EQ(a.ReadInteger("S", "N", -1), -1);
    EXPECT_EQ(a.ReadInteger("S", "H", -1), 31);
    EXPECT_EQ(a.ReadInteger("S", "E", -1), -1);
    EXPECT_TRUE(a.ValueExists("S", "E"));
    EXPECT_FALSE(a.ValueExists("S", "K")); // a comment, not a key
}

TEST(IniFile, EntriesThatWouldBreakTheFileAndFailedWritesRaise)
{
    TempDir dir;
    const std::string path = dir.file("a.ini");
    WriteFile(path, "[S]\nK=1\n");
    TIniFile ini(path);
    EXPECT_THROW(ini.WriteString("S", "K", "1\n[T]"), EInOutError);
    EXPECT_THROW(ini.WriteString("S", "A=B", "1"), EInOutError);
    EXPECT_THROW(ini.WriteString("S]", "K", "1"), EInOutError);
    EXPECT_EQ(ReadFile(path), "[S]\nK=1\n");

    TIniFile lost(dir.file("no/such/folder/a.ini"));
    EXPECT_THROW(lost.WriteInteger("S", "K", 1), EInOutError);
    EXPECT_FALSE(lost.ValueExists("S", "K")); // nothing kept that the file does not hold
}
