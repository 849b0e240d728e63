#include "core/UParsers.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

using namespace UComon;

TEST(Parsers, SplitIpAddress)
{
    struct Case {
        const char* text;
        bool ok;
        const char* d;
    } cases[] = {
        {" 192.168.2.205 ", true, "205"},
        {"192.168.2", false, "x"},        // third split finds no "."
        {"192.168.2.256", false, "256"},
        {"1.2.3.4.5", false, "4.5"},      // the rest keeps its dots
        {"a.b.c.d", false, "d"},
        {"0.0.0.0", true, "0"},
        {"1 . 2 . 3 . 4", true, "4"},
        {"-1.2.3.4", false, "4"},
        {"", false, "x"},
        {".", false, "x"},
    };
    for (const auto& c : cases) {
        std::string a = "x", b = "x", cc = "x", d = "x";
        EXPECT_EQ(Split_IP_Address(c.text, a, b, cc, d), c.ok) << c.text;
        EXPECT_EQ(d, c.d) << c.text;
    }
    std::string a, b, c, d;
    ASSERT_TRUE(Split_IP_Address(" 192.168.2.205 ", a, b, c, d));
    EXPECT_EQ(a + "|" + b + "|" + c + "|" + d, "192|168|2|205");
}

TEST(Parsers, IpToBytesFlagsErrorsAndZeroesBadParts)
{
    uint8_t b1 = 9, b2 = 9, b3 = 9, b4 = 9;
    EXPECT_TRUE(IP_To_Bytes("10.0.0", b1, b2, b3, b4));
    EXPECT_EQ(b1, 10);
    EXPECT_EQ(b2, 0);
    EXPECT_EQ(b3, 0);
    EXPECT_EQ(b4, 0);

    b1 = b2 = b3 = b4 = 9;
    EXPECT_TRUE(IP_To_Bytes("", b1, b2, b3, b4));
    EXPECT_EQ(b1, 9); // untouched

    EXPECT_FALSE(IP_To_Bytes("192.168.2.205", b1, b2, b3, b4));
    EXPECT_EQ(b1, 192);
    EXPECT_EQ(b4, 205);

    EXPECT_TRUE(IP_To_Bytes("1.300.3.4", b1, b2, b3, b4));
    EXPECT_EQ(b2, 0);
    EXPECT_EQ(b3, 3);
    EXPECT_TRUE(IP_To_Bytes(" 1.2.3.4", b1, b2, b3, b4)); // parts are not trimmed
}

TEST(Parsers, IpPortToBytes)
{
    struct Case {
        const char* text;
        bool ok;
        int port;
    } cases[] = {
        {"192.168.0.10:502", true, 502},
        {"192.168.0.10", false, 0},
        {"192.168.0.10:0", true, 0},
        {"192.168.0.10:65535", true, 65535},
        {"192.168.0.10:65536", false, 0},
        {"192.168.0.10:99999999999999999999", false, 0},
        {"192.168.0.256:1", false, 0},
        {" 1 . 2 . 3 . 4 : 80 ", true, 80},
        {"1.2.3:80", false, 0},
        {"", false, 0},
        {":", false, 0},
    };
    for (const auto& c : cases) {
        uint8_t b1 = 7, b2 = 7, b3 = 7, b4 = 7;
        uint16_t port = 7;
        EXPECT_EQ(IP_Port_To_Bytes(c.text, b1, b2, b3, b4, port), c.ok) << c.text;
        EXPECT_EQ(port, c.port) << c.text;
        if (!c.ok) {
            EXPECT_EQ(b1 + b2 + b3 + b4, 0) << c.text;
        }
    }
    uint8_t b1, b2, b3, b4;
    uint16_t port;
    ASSERT_TRUE(IP_Port_To_Bytes("192.168.0.10:502", b1, b2, b3, b4, port));
    EXPECT_EQ(b1, 192);
    EXPECT_EQ(b2, 168);
    EXPECT_EQ(b3, 0);
    EXPECT_EQ(b4, 10);
}

TEST(Parsers, KnxAddress)
{
    struct Case {
        const char* text;
        bool group;
        bool allowZero;
        int result;
    } cases[] = {
        {"1.1.1", false, false, 0},   {"0.0.0", false, false, 1},   {"0.0.0", false, true, 0},
        {"15.15.255", false, false, 0}, {"16.0.1", false, true, 1}, {"1.16.1", false, true, 1},
        {"1.1.256", false, true, 1},  {"1.1.1.1", false, true, 1},  {"1/1", false, true, 1},
        // A two-part dotted text passes as it stands, whatever its parts.
        {"1.2", false, true, 0},      {"230.240", false, false, 0}, {"a.b", false, true, 0},
        {"1.2/3", false, true, 1},    {"100", false, true, 0},      {"0", false, true, 1},
        {"65535", false, true, 0},    {"65536", false, true, 1},
        {"31/7/255", true, false, 0}, {"0/0/0", true, true, 1},     {"32/0/1", true, true, 1},
        {"1/8/1", true, true, 1},     {"1/1/1/1", true, true, 1},   {"1/2047", true, true, 0},
        {"1/2048", true, true, 1},    {"0/0", true, true, 1},       {"0/1", true, true, 0},
        {"1.1", true, true, 1},       {"100", true, true, 0},       {"0", true, true, 1},
        {"", true, true, 1},          {"", false, true, 1},         {" 1 / 2 ", true, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check_KNX_Address(c.text, c.group, c.allowZero), c.result)
            << c.text << " group=" << c.group << " zero=" << c.allowZero;
    EXPECT_TRUE(No_Dot_In_String("1/2/3"));
    EXPECT_FALSE(No_Dot_In_String("1.2.3"));
}

TEST(Parsers, ObjectIdentifier)
{
    struct Case {
        std::string text;
        int code;
    } cases[] = {
        {"1.3.6.1.4.1", 0},
        {".1.3", 3},
        {"1.3.", 4},
        {"1..3", 5},
        {"1.3.a", 2},
        {"1.4294967295", 0},
        {"1.4294967296", 6},
        {"1.99999999999999999999999", 6}, // too long for 64 bits
        {std::string(62, '1'), 1},
        {"", 2}, // empty: never read outside the text
        {".", 3},
        {"1 .3", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(Check_OID(c.text), c.code) << c.text;
}

TEST(Parsers, SnmpUserPasswordAndSecurityLevel)
{
    struct Case {
        const char* text;
        bool user;
        int code;
    } cases[] = {
        {"a", true, 0},           {"abc", false, 2},          {"abcd;efg", false, 3},
        {"abcdefgh", false, 0},   {"0123456789abcdef", true, 1}, {"0123456789abcdef", false, 1},
        {"", true, 2},            {"user name", true, 3},     {"123456789012345", true, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Check_SNMP_User_Pwd(c.text, c.user), c.code) << c.text;

    EXPECT_EQ(Get_SNMP_Sec_Level(" auth nopriv "), 1);
    EXPECT_EQ(Get_SNMP_Sec_Level("AUTH PRIV"), 3);
    EXPECT_EQ(Get_SNMP_Sec_Level("  "), -1);
    EXPECT_EQ(Get_SNMP_Sec_Level("NOAUTH NOPRIV"), 0);
}

TEST(Parsers, FloatConversionWithBothSeparators)
{
    TFormatSettings saved = FormatSettings();
    struct Case {
        char system;
        const char* text;
        char sep;
        bool ok;
        float value;
    } cases[] = {
        {',', "1.5", ',', true, 1.5f},  {',', "1,5", ',', true, 1.5f},  {',', "1,5", '.', false, 1.0f},
        {'.', "1,5", '.', true, 1.5f},  {'.', "1.5", ',', false, 1.0f}, {'.', " -2.25 ", '.', true, -2.25f},
        {'.', "", '.', false, 1.0f},    {'.', "abc", '.', false, 1.0f}, {'.', "1e3", '.', true, 1000.0f},
        {'.', "1e", '.', false, 1.0f},  {'.', "1e100", '.', false, 1.0f}, {'.', "1.2.3", '.', false, 1.0f},
    };
    for (const auto& c : cases) {
        FormatSettings().DecimalSeparator = c.system;
        float v = -7;
        EXPECT_EQ(Str_To_Float_Sep(c.text, c.sep, v), c.ok) << c.text << " sys=" << c.system;
        EXPECT_FLOAT_EQ(v, c.value) << c.text;
    }
    FormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(Get_Decimal_Separator(), ',');
    FormatSettings().DecimalSeparator = '.';
    EXPECT_EQ(Get_Decimal_Separator(), '.');
    FormatSettings().DecimalSeparator = '\'';
    EXPECT_EQ(Get_Decimal_Separator(), ',');
    FormatSettings() = saved;
}

TEST(Parsers, ModelConstants)
{
    EXPECT_EQ(Get_BACnet_No_Units(), 95);
    EXPECT_EQ(Get_XML_Code_Dev(), 18);
    EXPECT_EQ(Get_Scan_Form_Type(), 0);
    std::string n1 = "x", n2 = "x";
    EXPECT_EQ(Get_WiFi_IP_Users(n1, n2), 1);
    EXPECT_EQ(n1, "MQTT");
    EXPECT_EQ(n2, "");
    EXPECT_NE(Get_COM_Ports(), nullptr);
}
