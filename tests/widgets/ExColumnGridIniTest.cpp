#include "widgets/ExColumnGrid.h"

#include "platform/IniFiles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Headers(TExColumnGrid& g)
{
    std::vector<std::string> h;
    for (int i = 0; i < g.Columns().Count(); ++i) h.push_back(g.Columns()[i]->Header());
    return h;
}

void Design(TExColumnGrid& g)
{
    for (int i = 0; i < 5; ++i) g.Columns()[i]->SetHeader("H" + std::to_string(i));
    g.Columns().SetOrganization();
    g.SetColumnOrder();
}

} // namespace

TEST(ExColumnGridIni, ColumnPositionsComeBackFromTheIniFile)
{
    TempDir dir;
    const std::string path = dir.file("cols.ini");
    TExColumnGrid g;
    Design(g);
    g.MoveColumn(1, 4);
    g.MoveColumn(2, 1);
    const std::vector<std::string> arranged = Headers(g);
    ASSERT_NE(arranged, (std::vector<std::string>{"H0", "H1", "H2", "H3", "H4"}));

    g.ColumnSize().Location = clIniFile;
    g.ColumnSize().Key = path;
    g.ColumnSize().Section = "Topics";
    g.SaveColPositions();
    EXPECT_TRUE(TIniFile(path).ValueExists("Topics", "CP4"));

    g.Columns().ResetOrganization();
    ASSERT_EQ(Headers(g), (std::vector<std::string>{"H0", "H1", "H2", "H3", "H4"}));
    g.LoadColPositions();
    EXPECT_EQ(Headers(g), arranged);

    // A fresh grid of the same design takes the same arrangement.
    TExColumnGrid other;
    Design(other);
    other.LoadColumnPositions(path, "Topics");
    EXPECT_EQ(Headers(other), arranged);
}

TEST(ExColumnGridIni, IncompleteOrCorruptPositionsChangeNothing)
{
    TempDir dir;
    const std::string path = dir.file("cols.ini");
    struct Case {
        const char* name;
        const char* text;
    } cases[] = {
        {"missing key", "[S]\nCP0=4\nCP1=3\nCP2=2\nCP3=1\n"},
        {"duplicate", "[S]\nCP0=1\nCP1=1\nCP2=2\nCP3=3\nCP4=4\n"},
        {"beyond", "[S]\nCP0=0\nCP1=1\nCP2=2\nCP3=3\nCP4=9\n"},
        {"negative", "[S]\nCP0=-1\nCP1=0\nCP2=2\nCP3=3\nCP4=4\n"},
        {"no number", "[S]\nCP0=x\nCP1=0\nCP2=2\nCP3=3\nCP4=4\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(path, c.text);
        TExColumnGrid g;
        Design(g);
        g.MoveColumn(0, 2);
        const std::vector<std::string> before = Headers(g);
        g.LoadColumnPositions(path, "S");
        EXPECT_EQ(Headers(g), before);
    }
}
