// The builder's reader of rule-file rows: what it reads, and the message of
// every refusal (file, section where there is one, row, attribute, text).
#include "rulefiles/URuleRowReader.h"

#include "platform/XmlDoc.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace URuleFiles;

namespace {

const std::string File = "/plant/CAN_Rec_Frames.xml";

// The first row of a document whose root holds the rows.
struct OneRow {
    explicit OneRow(const std::string& attributes)
    {
        EXPECT_TRUE(doc.LoadFromString("<Receive_Frames><row " + attributes + "/></Receive_Frames>"));
    }
    pugi::xml_node Row() const { return Rule_Rows(doc.Root()).at(0); }
    TXmlDocument doc;
};

// What the reader refuses, or "" when it reads on.
std::string Refusal(const std::function<void()>& read)
{
    try {
        read();
    } catch (const ERuleRowError& e) {
        EXPECT_EQ(e.File(), File);
        return e.What();
    }
    return "";
}

} // namespace

TEST(RuleRowReader, RowsAreTheElementChildrenInOrder)
{
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromString("<T><!--SW_VERSION = 1.002--><row n=\"1\"/>text<row n=\"2\"/><other n=\"3\"/></T>"));
    const auto rows = Rule_Rows(doc.Root());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_STREQ(rows[2].attribute("n").value(), "3");
    EXPECT_TRUE(Rule_Rows(ChildElement(doc.Root(), "missing")).empty());
}

TEST(RuleRowReader, NumbersAreReadWithinTheirRanges)
{
    const OneRow x(R"(Dim="8" Byte1="$59F" Time="7 " Byte2="None" Empty="")");
    const TRuleRowReader r(File, "", 1, x.Row());
    int32_t v = -5;
    EXPECT_TRUE(r.Int("Dim", CAN::Range::Dim, v));
    EXPECT_EQ(v, 8);
    EXPECT_TRUE(r.Int("Byte1", CAN::Range::Byte_Position, v));
    EXPECT_EQ(v, 1439);
    // Missing, or no number: the default, and no refusal.
    EXPECT_EQ(r.Int_Or("Byte2", 77, CAN::Range::Byte_Position), 77);
    EXPECT_EQ(r.Int_Or("Byte3", 77, CAN::Range::Byte_Position), 77);
    EXPECT_EQ(r.Int_Or("Empty", 77, CAN::Range::Byte_Position), 77);
    // Blanks after a number are read only where the reader trims.
    EXPECT_EQ(r.Int_Or("Time", 0, Topic::Range::Time), 0);
    EXPECT_EQ(r.Int_Or("Time", 0, Topic::Range::Time, true), 7);
    EXPECT_EQ(r.Text("Empty", "d"), "");
    EXPECT_EQ(r.Text("Byte3", "d"), "d");
}

TEST(RuleRowReader, RefusalsNameSectionRowAttributeAndText)
{
    const OneRow x(R"(Dim="9" QoS=" " Bad="x" Pos="1440" Lead=" -1")");
    const TRuleRowReader plain(File, "", 3, x.Row());
    const TRuleRowReader pub(File, Topic::Publish, 2, x.Row());
    int32_t v;
    struct Case {
        const char* name;
        std::function<void()> read;
        std::string what;
    } cases[] = {
        {"a number outside its range", [&] { plain.Int("Dim", CAN::Range::Dim, v); },
         "row 3: the attribute \"Dim\" holds \"9\", outside the range 1 to 8."},
        {"the text as written", [&] { plain.Int("Lead", CAN::Range::Dim, v, true); },
         "row 3: the attribute \"Lead\" holds \" -1\", outside the range 1 to 8."},
        {"the section named", [&] { pub.Int_Or("Pos", 0, Topic::Range::Position); },
         "section \"MQTT_Publish\", row 2: the attribute \"Pos\" holds \"1440\", outside the range 0 to 1439."},
        {"a required attribute missing", [&] { pub.Required("Topic"); },
         "section \"MQTT_Publish\", row 2: the attribute \"Topic\" is missing."},
        {"a required number blank", [&] { pub.Required_Int("QoS", "QoS", Topic::Range::QoS); },
         "section \"MQTT_Publish\", row 2: the QoS is empty; choose a value in the topic window."},
        {"a required number that is none", [&] { pub.Required_Int("Bad", "QoS", Topic::Range::QoS); },
         "section \"MQTT_Publish\", row 2: the QoS \"x\" is not a whole number."},
        {"a required number outside", [&] { pub.Required_Int("Dim", "QoS", Topic::Range::QoS); },
         "section \"MQTT_Publish\", row 2: the attribute \"Dim\" holds \"9\", outside the range 0 to 2."},
    };
    for (const Case& c : cases) EXPECT_EQ(Refusal(c.read), c.what) << c.name;
}

TEST(RuleFiles, EveryDataTypeTheWindowOffersHasItsCode)
{
    // The window stores the texts as offered; the builder upper-cases them.
    for (const Topic::TDataType& t : Topic::Data_Types)
        EXPECT_EQ(Topic::Data_Type_Code(UpperCase(t.text)), t.code) << t.text;
    EXPECT_EQ(Topic::Data_Type_Code("DOUBLE"), 0u);
    EXPECT_EQ(Topic::Data_Type_Code("Int"), 0u);  // not upper-cased
}
