// The BACnet client rules' value checks as plain functions: object types,
// properties, data types with the expected text, byte maxima, destination
// addresses with the messages shown, and the read grid's byte-count hint.
#include "core/ULanguage.h"
#include "rules/field/UBACnetAccess_Checks.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using ULanguage::Text;

TEST(BACnetAccessChecks, ObjectTypes)
{
    struct Case {
        const char* text;
        int read, write;
    } cases[] = {
        {"Multi-State Input", 2, -1}, {"Life Safety Zone", 15, 15}, {" analog output ", 5, 5},
        {"ANALOG OUTPUT", 5, 5},      {"Accumulator", 1, -1},       {"Binary Value", 13, 13},
        {"128", 128, 128},            {"1023", 1023, 1023},         {"127", -1, -1},
        {"1024", -1, -1},             {"0", -1, -1},                {"", -1, -1},
        {"Multi State Input", -1, -1}, {"Analog Out", -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Check_Object_Type(c.text, 0), c.read) << c.text;
        EXPECT_EQ(Check_Object_Type(c.text, 1), c.write) << c.text;
    }
}

TEST(BACnetAccessChecks, Properties)
{
    using namespace BACnet_Obj;
    struct Case {
        const char* text;
        int obj, read, write;
    } cases[] = {
        {"Present Value (85)", Binary_Input, 100, 100},
        {"Units (117)", Analog_Input, 4, -1},
        {"Units (117)", Binary_Input, -1, -1},
        {"Units (117)", Multi_State_Value, -1, -1},
        {"Object Identifier (75)", Binary_Value, 4, -1},
        {"Scale (187)", Accumulator, 1, -1},
        {"Scale (187)", Analog_Input, -1, -1},
        {"PreScale (185)", Accumulator, 5, -1},
        {"Polarity (84)", Binary_Output, 1, -1},
        {"Polarity (84)", Analog_Value, -1, -1},
        {"Number of States (74)", Multi_State_Output, 4, -1},
        {"Number of States (74)", Analog_Value, -1, -1},
        {"Object Type (79)", Analog_Value, 2, -1},
        {"512", Analog_Value, 200, 200},
        {"4184303", Analog_Value, 200, 200},
        {"511", Analog_Value, -1, -1},
        {"4184304", Analog_Value, -1, -1},
        {"Present Value", Analog_Value, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Check_Property(c.text, 0, c.obj), c.read) << c.text << " " << c.obj;
        EXPECT_EQ(Check_Property(c.text, 1, c.obj), c.write) << c.text << " " << c.obj;
    }
}

TEST(BACnetAccessChecks, DataTypesOfAWrittenPresentValue)
{
    using namespace BACnet_Obj;
    const int pv = BACnet_Present_Value;
    struct Case {
        int obj, property;
        const char* type;
        bool accepted;
        const char* expected;
    } cases[] = {
        {Analog_Output, pv, "Unsigned Int", false, "Real"},
        {Analog_Output, pv, " real ", true, "Real"},
        {Positive_Integer_Value, pv, "Real", false, "Unsigned Int"},
        {Multi_State_Output, pv, "Unsigned Int", true, "Unsigned Int"},
        {Integer_Value, pv, "Signed Int", true, "Signed Int"},
        {Large_Analog_Value, pv, "Double", true, "Double"},
        {Binary_Value, pv, "Enumerated", true, "Enumerated"},
        {Analog_Value, pv, "Boolean", false, "Real"},
        {Life_Safety_Point, pv, "Unsigned Int", false, ""},
        {Life_Safety_Zone, pv, "Enumerated", false, ""},
        {300, pv, "Octet String", true, ""},
        {Analog_Output, BACnet_Proprietary_Property, "Boolean", true, ""},
        {Life_Safety_Point, BACnet_Proprietary_Property, "Null", true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Check_Data_Type(c.type, c.obj, c.property) >= 0, c.accepted) << c.obj << " " << c.type;
        EXPECT_EQ(Aspected_Data_Type_Value(c.obj, c.property), c.expected) << c.obj;
    }
}

TEST(BACnetAccessChecks, ByteMaxima)
{
    struct Case {
        const char* type;
        int max;
    } cases[] = {{"Null", 0},      {"Boolean", 1},  {"Unsigned Int", 4}, {"Real", 4},
                 {"Double", 8},    {"Bit String", 120}, {"Character String", 255}, {"Octet String", 255},
                 {" date ", 4},    {"Object ID", 4}, {"Enumerated", 4},   {"anything", 255}};
    for (const Case& c : cases) EXPECT_EQ(Check_Num_Byte_Max(c.type), c.max) << c.type;
}

TEST(BACnetAccessChecks, DestinationsWithTheirMessages)
{
    ULanguage::Load_Default_Lang();
    RecordingMessageBoxes boxes;
    // shown: the text Check_Dest_Add shows itself (row 3), empty for none.
    struct Case {
        const char* net;
        const char* len;
        const char* add;
        int read, write;  // the code handed to the caller
        int shown;        // the read text shown (the write text is the next one)
    } cases[] = {
        {"1", "M3", "10, 20, 30", 0, 0, 0},
        {"1", "M3", "10, 20, 30,", 0, 0, 0},
        {"1", "M3", "10, 20", -1, -1, 4788},
        {"1", "M3", "10,20,30,40", -1, -1, 4784},
        {"1", "M3", "10,,30", -1, -1, 4782},
        {"1", "M3", "10,256,30", -1, -1, 4782},
        {"1", "M3", "", -1, -1, 4788},
        {"1", " m8 ", "1,2,3,4,5,6,7,8", 0, 0, 0},
        {"1", "6", "192.168.0.15:47808", 0, 0, 0},
        {"1", "6", "192.168.0.15", 4774, 4779, 0},
        {"1", "1", "255", 0, 0, 0},
        {"1", "1", "256", 4772, 4777, 0},
        {"1", "2", "0", 4773, 4778, 0},
        {"1", "2", "65535", 0, 0, 0},
        {"1", "3", "1", 4771, 4776, 0},
        {"1", "M9", "1", 4786, 4787, 0},
        {"1", "M0", "", 4786, 4787, 0},
        {"1", "-1", "1", 4786, 4787, 0},
        {"1", "", "1", 4786, 4787, 0},
        {"0", "M3", "10, 20, 30", 4770, 4775, 0},
        {"65536", "1", "1", 4770, 4775, 0},
        {"", "", "", 4770, 4775, 0},
    };
    for (const Case& c : cases) {
        for (bool inRead : {true, false}) {
            boxes.shown.clear();
            EXPECT_EQ(Check_Destination(c.net, c.len, c.add, 3, inRead), inRead ? c.read : c.write)
                << c.net << " " << c.len << " " << c.add;
            if (c.shown == 0) {
                EXPECT_TRUE(boxes.shown.empty()) << c.len << " " << c.add;
                continue;
            }
            ASSERT_EQ(boxes.shown.size(), 1u) << c.len << " " << c.add;
            EXPECT_EQ(boxes.shown[0].text, inRead ? "Error in Read, row 3" + Text(c.shown)
                                                  : "Error in Write, row 3" + Text(c.shown + 1));
            EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
        }
    }
    EXPECT_EQ(Text(4788), "!! Destination Address has too few bytes");
    EXPECT_EQ(Text(4784), "!! Destination Address has too many bytes");
}

TEST(BACnetAccessChecks, ReadGridByteCountHint)
{
    struct Case {
        const char* type;
        const char* property;
        const char* hint;
    } cases[] = {
        {"Binary Input", "Present Value (85)", "1"}, {"Analog Value", "Present Value (85)", ""},
        {"Accumulator", "PreScale (185)", "5"},      {"Large Analog Value", "Present Value (85)", "8"},
        {"Analog Input", "Present Value (85)", "4"}, {"Analog Input", "Units (117)", "4"},
        {"Binary Input", "Units (117)", ""},         {"", "Present Value (85)", ""},
        {"Analog Input", " ", ""},                   {"300", "Present Value (85)", ""},
        {"Analog Input", "1000", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Str_Hint_Read(c.type, c.property), c.hint) << c.type << " " << c.property;
}
