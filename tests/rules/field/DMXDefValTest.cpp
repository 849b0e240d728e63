// The DMX default values' table on a bare grid: the channel count of the
// communication parameter file, loading, the check and the file.
#include "../can_mqtt/RuleTables.h"
#include "rules/field/UDMXDefVal.h"

#include <gtest/gtest.h>

namespace {

// The table over a parameter file in the same folder as the rule file.
struct DMXTables {
    DMXTables() : t(DMXDefVal_Desc([this] { return parGen; }), "DMX_Default_Values.xml")
    {
        parGen = t.dir.file("ParGen.xml");
    }
    void Channels(const std::string& text)
    {
        WriteFile(parGen, "<Par_Gen>\n\t<Device_Type>1</Device_Type>\n\t<DMX_Num_Channels>" + text +
                              "</DMX_Num_Channels>\n</Par_Gen>\n");
    }
    std::string parGen;
    RuleTables t;
};

std::string Rows_File(int n, const char* element = "Row")
{
    std::string s = "<DMX_Default_Values>\n";
    for (int c = 1; c <= n; ++c)
        s += "\t<" + std::string(element) + " Default_Value=\"" + std::to_string(c % 256) + "\" Mnemonic=\"ch" +
             std::to_string(c) + "\" />\n";
    return s + "</DMX_Default_Values>\n<!--SW_VERSION = 1.000-->\n";
}

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

} // namespace

TEST(DMXDefaultValues, ChannelCountAndLoading)
{
    struct Case {
        const char* what;
        const char* channels;  // nullptr: no parameter file; "-": a file without the key
        int ruleRows;          // rows of the rule file (0: none)
        int expectRows;
        int readRows;          // rows taken from the rule file
    } cases[] = {
        {"no parameter file, no rule file", nullptr, 0, 512, 0},
        {"16 channels, 512 rules", "16", 512, 16, 16},
        {"512 channels, 10 rules", "512", 10, 512, 10},
        {"not a number", "abc", 0, 512, 0},
        {"negative", "-5", 0, 512, 0},
        {"zero", "0", 0, 512, 0},
        {"above 512", "600", 0, 512, 0},
        {"no key", "-", 0, 512, 0},
        {"hexadecimal", "$10", 3, 16, 3},
    };
    for (const Case& c : cases) {
        DMXTables d;
        RuleTables& t = d.t;
        if (c.channels && std::string(c.channels) == "-")
            WriteFile(d.parGen, "<Par_Gen><Device_Type>1</Device_Type></Par_Gen>");
        else if (c.channels)
            d.Channels(c.channels);
        if (c.ruleRows > 0) WriteFile(t.path, Rows_File(c.ruleRows));
        t.frame->Show();
        ASSERT_EQ(t.G().RowCount(), c.expectRows + 1) << c.what;
        EXPECT_EQ(t.frame->Rows(0), c.expectRows) << c.what;
        for (int r = 1; r <= c.expectRows; ++r) {
            ASSERT_EQ(t.G().GetCellEx(0, r), std::to_string(r)) << c.what;
            const bool read = r <= c.readRows;
            ASSERT_EQ(t.G().GetCellEx(1, r), read ? std::to_string(r % 256) : "0") << c.what << " row " << r;
            ASSERT_EQ(t.G().GetCellEx(2, r), read ? "ch" + std::to_string(r) : "") << c.what << " row " << r;
        }
        const std::string written = t.Written();
        EXPECT_EQ(Count(written, "<Row "), c.expectRows) << c.what;
        if (c.readRows == 0) {
            EXPECT_EQ(Count(written, "<Row Default_Value=\"0\" Mnemonic=\"\" />"), c.expectRows) << c.what;
        }
    }
}

TEST(DMXDefaultValues, RowsAreTakenByPositionWithDefaultsForMissingAttributes)
{
    DMXTables d;
    RuleTables& t = d.t;
    d.Channels("4");
    WriteFile(t.path, "<?xml version=\"1.0\"?>\r\n<Other>\r\n<Chan Default_Value=\"7\" Mnemonic=\"a\"/>\r\n"
                      "<!-- a note -->\r\n<Chan Mnemonic=\"b\"/>\r\n<Chan Default_Value=\"9\"/>\r\n</Other>\r\n");
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(t.G().GetCellEx(1, 1), "7");
    EXPECT_EQ(t.G().GetCellEx(2, 1), "a");
    EXPECT_EQ(t.G().GetCellEx(1, 2), "0");
    EXPECT_EQ(t.G().GetCellEx(2, 2), "b");
    EXPECT_EQ(t.G().GetCellEx(1, 3), "9");
    EXPECT_EQ(t.G().GetCellEx(2, 3), "");
    EXPECT_EQ(t.G().GetCellEx(1, 4), "0");
    // Written back under the window's own names.
    EXPECT_EQ(t.Written(), "<DMX_Default_Values>\n"
                           "\t<Row Default_Value=\"7\" Mnemonic=\"a\" />\n"
                           "\t<Row Default_Value=\"0\" Mnemonic=\"b\" />\n"
                           "\t<Row Default_Value=\"9\" Mnemonic=\"\" />\n"
                           "\t<Row Default_Value=\"0\" Mnemonic=\"\" />\n"
                           "</DMX_Default_Values>\n<!--SW_VERSION = 1.000-->\n");
}

TEST(DMXDefaultValues, EveryChannelIsCheckedAndSavedAsTyped)
{
    DMXTables d;
    RuleTables& t = d.t;
    t.frame->Show();
    struct Case {
        const char* value;
        const char* message;  // empty: passes
    } cases[] = {
        {"256", "Error row 300!! Default Value must be between 0 and 255"},
        {"255", ""},
        {"", "Error row 300!! Default Value must be between 0 and 255"},
        {"-1", "Error row 300!! Default Value must be between 0 and 255"},
        {"12x", "Error row 300!! Default Value must be between 0 and 255"},
        {"$FF", ""},
        {"0x100", "Error row 300!! Default Value must be between 0 and 255"},
        {" 007", ""},
    };
    for (const Case& c : cases) {
        t.G().SetCellEx(1, 300, c.value);
        EXPECT_EQ(t.Fault(), c.message) << c.value;
    }
    // A fault writes nothing; the box shows the message.
    t.G().SetCellEx(1, 300, "256");
    EXPECT_FALSE(t.frame->OK());
    EXPECT_FALSE(FileExists(t.path));
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_EQ(t.boxes.shown[0].text, "Error row 300!! Default Value must be between 0 and 255");
    // Every row is checked, not only those before an empty one.
    t.G().SetCellEx(1, 300, "0");
    t.G().SetCellEx(1, 1, "");
    t.G().SetCellEx(1, 512, "300");
    EXPECT_EQ(t.Fault(), "Error row 1!! Default Value must be between 0 and 255");
    t.G().SetCellEx(1, 1, "1");
    EXPECT_EQ(t.Fault(), "Error row 512!! Default Value must be between 0 and 255");
    // The typed texts are saved as they stand.
    t.G().SetCellEx(1, 512, "$FF");
    t.G().SetCellEx(1, 511, " 007");
    t.G().SetCellEx(2, 511, "  spot  ");
    const std::string written = t.Written();
    EXPECT_NE(written.find("<Row Default_Value=\"$FF\" Mnemonic=\"\" />\n</DMX"), std::string::npos);
    EXPECT_NE(written.find("<Row Default_Value=\" 007\" Mnemonic=\"  spot  \" />"), std::string::npos);
}

TEST(DMXDefaultValues, FilesRoundTripByteForByte)
{
    DMXTables d;
    RuleTables& t = d.t;
    d.Channels("3");
    t.frame->Show();
    EXPECT_EQ(t.Written(), "<DMX_Default_Values>\n"
                           "\t<Row Default_Value=\"0\" Mnemonic=\"\" />\n"
                           "\t<Row Default_Value=\"0\" Mnemonic=\"\" />\n"
                           "\t<Row Default_Value=\"0\" Mnemonic=\"\" />\n"
                           "</DMX_Default_Values>\n<!--SW_VERSION = 1.000-->\n");
    const std::string sample = "<DMX_Default_Values>\n"
                               "\t<Row Default_Value=\"$FF\" Mnemonic=\"dimmer &amp; &quot;spot&quot;\" />\n"
                               "\t<Row Default_Value=\"010\" Mnemonic=\"line&#10;two\" />\n"
                               "\t<Row Default_Value=\"255\" Mnemonic=\"\" />\n"
                               "</DMX_Default_Values>\n<!--SW_VERSION = 1.000-->\n";
    WriteFile(t.path, sample);
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Read);
    EXPECT_EQ(t.Written(), sample);
}

TEST(DMXDefaultValues, AnUnreadableFileIsNamedAndReplacedOnlyOnYes)
{
    DMXTables d;
    RuleTables& t = d.t;
    d.Channels("2");
    WriteFile(t.path, "<DMX_Default_Values><Row");
    EXPECT_EQ(t.frame->Show(), TXmlLoad::Unreadable);
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_NE(t.boxes.shown[0].text.find(t.path), std::string::npos);
    EXPECT_EQ(t.G().GetCellEx(1, 2), "0");
    t.boxes.Answer(mrNo);
    EXPECT_FALSE(t.frame->OK());
    EXPECT_EQ(ReadFile(t.path), "<DMX_Default_Values><Row");
    t.boxes.Answer(mrYes);
    EXPECT_TRUE(t.frame->OK());
    EXPECT_EQ(Count(ReadFile(t.path), "<Row "), 2);
}
