// The built-in English texts of the UI text table.
#include "core/UComon.h"
#include "core/UDefaultTexts.h"
#include "core/ULanguage.h"

#include <gtest/gtest.h>

using ULanguage::Text;

namespace {

class Texts : public ::testing::Test {
protected:
    void SetUp() override
    {
        UComon::Lang_Override_Bound = 0;
        ULanguage::Load_Default_Lang();
    }
};

} // namespace

TEST_F(Texts, TableHoldsEveryIdWithBlankPlaceholders)
{
    ASSERT_EQ(UComon::UI_Texts.Count(), 5300);
    int own = 0;
    for (const std::string& t : UComon::UI_Texts) {
        ASSERT_FALSE(t.empty());
        if (t != " ") ++own;
    }
    EXPECT_EQ(own, 2978);
    EXPECT_EQ(UComon::Lang_Override_Bound, 5100);
}

TEST_F(Texts, SourceTableIsInStrictIdOrderWithinRange)
{
    int previous = -1;
    for (const auto& t : UDefaultTexts::Default_Texts()) {
        EXPECT_GT(t.id, previous);
        EXPECT_LT(t.id, UDefaultTexts::Text_Count);
        EXPECT_STRNE(t.text, " ") << "id " << t.id;
        previous = t.id;
    }
}

TEST_F(Texts, SpotChecksAcrossAllBlocks)
{
    const struct {
        int id;
        const char* text;
    } cases[] = {
        {0, "Begin"},
        {9, "None Configuration Opened "},
        {18, "Error! Project not Valid"},
        {49, "M_Bus network configuration already exists for this configuration. Do you want to "
             "continue?"},
        {306, " / "},
        {805, "Nodes     "},
        {877, "Error!! The Dimension must be \"Variable Length\" if is selected the \"String\" in "
              "BACnet Data Type "},
        {1013, "Find all www.example.com Devices"},
        {1031, "Enable or disable the option to find all www.example.com Devices"},
        {1726, "Description for the M-Bus meter (defined in the section \u201CM-Bus\u201D)"},
        {1799, " "},
        {2910, "Use \"None\" to not pass the byte from DeviceNet to MQTT"},
        {3301, "SCAN && DECODE"},
        {3302, "Scan && Decode M-Bus Network"},
        {4044, "!! OID string cannot contains number major of $FFFFFFFF between two \".\""},
        {4935, "Set Access - Error Row %d!! Position Must be Between 0 and %d"},
        {5207, "Error WiFi!! Lease Time must be between 1 and 99999999 seconds"},
        {5299, " "},
    };
    for (const auto& c : cases) EXPECT_EQ(Text(c.id), c.text) << "id " << c.id;
}

TEST_F(Texts, ReloadReplacesTheWholeTable)
{
    UComon::UI_Texts.Put(18, "changed");
    UComon::UI_Texts.Add("extra");
    ULanguage::Load_Default_Lang();
    EXPECT_EQ(UComon::UI_Texts.Count(), 5300);
    EXPECT_EQ(Text(18), "Error! Project not Valid");
}

TEST_F(Texts, TextOutsideTheTableIsAListError)
{
    for (int id : {-1, 5300, 100000}) EXPECT_THROW(Text(id), EListError) << id;
}
