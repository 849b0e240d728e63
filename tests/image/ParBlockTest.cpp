// The parameter block of bank 1 as "ParGen.xml" fills it.

#include "ImageFixture.h"

#include "image/ImageCommon.h"

#include <gtest/gtest.h>

namespace {

std::string BuildBank1(const ImageConfig& cfg, const Attrs& keys)
{
    cfg.ParGen(keys);
    BuildOk();
    std::string b = ReadFile(cfg.Bank1Path());
    ExpectSumValid(b);
    return b;
}

std::string Octets(const std::string& b, size_t at) { return b.substr(at, 4); }
std::string Dotted(std::initializer_list<int> v)
{
    std::string s;
    for (int x : v) s += static_cast<char>(x);
    return s;
}

} // namespace

TEST(ParBlock, WholeNumbersInTheFilesSyntax)
{
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    } cases[] = {
        {"12", true, 12},        {" 12", true, 12},        {"+7", true, 7},          {"-1", true, -1},
        {"$FF", true, 255},      {"x1F", true, 31},        {"X1f", true, 31},        {"0x10", true, 16},
        {"0X10", true, 16},      {"-$10", true, -16},      {"$FFFFFFFF", false, 0},  {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN}, {"2147483648", false, 0}, {"$100000000", false, 0}, {"12 ", false, 0},
        {"", false, 0},          {"$", false, 0},          {"0x", false, 0},         {"1.5", false, 0},
        {"abc", false, 0},       {"\t3", false, 0},
    };
    for (const Case& c : cases) {
        int32_t v = 0;
        EXPECT_EQ(USaveBincc::Image_TryStrToInt(c.text, v), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(v, c.value) << '"' << c.text << '"';
        }
    }
}

TEST(ParBlock, CanBitRateFromTheListIndex)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"0", 10000}, {"3", 62500}, {"6", 250000}, {"9", 1000000}, {"10", 1000000}, {"-1", 1000000}, {"abc", 1000000},
    };
    for (const auto& [text, rate] : cases) {
        ImageConfig cfg;
        const std::string b = BuildBank1(cfg, {{"CAN_BAUDRATE", text}});
        EXPECT_EQ(U32(b, 0x000), rate) << text;
        EXPECT_EQ(U32(b, 0x004), rate) << text;
    }
    ImageConfig missing;  // a file without the key: index 9
    EXPECT_EQ(U32(BuildBank1(missing, {{"Ethernet_IP1", "10"}}), 0), 1000000u);
}

TEST(ParBlock, AccessPointFieldsAndTheirDefaults)
{
    ImageConfig cfg;
    const std::string b = BuildBank1(cfg, {{"WiFi_Type", "0"},
                                           {"WiFi_Secure_Type", "2"},
                                           {"WiFi_EN_DHCP", "1"},
                                           {"WiFi_DHCP_First_IP1", "10"},
                                           {"WiFi_DHCP_First_IP2", "1"},
                                           {"WiFi_DHCP_First_IP3", "255"},
                                           {"WiFi_DHCP_First_IP4", "2"},
                                           {"WiFi_Channel", "0"},
                                           {"WiFi_SSID", std::string(32, 'S')},
                                           {"WiFi_PWD", "pwd"}});
    EXPECT_EQ(U8(b, 0x4F9), 0u);
    EXPECT_EQ(U8(b, 0x4EB), 2u);
    EXPECT_EQ(U8(b, 0x4EA), 1u);
    EXPECT_EQ(U32(b, 0x4EC), 10u + 1u * 256 + 255u * 65536 + 2u * 16777216);
    EXPECT_EQ(U32(b, 0x4F0), 255u + 255u * 256 + 255u * 65536);  // default mask
    EXPECT_EQ(U32(b, 0x4F4), 86400u);
    EXPECT_EQ(U8(b, 0x4F8), 10u);  // missing key: index 9
    EXPECT_EQ(U8(b, 0x4FA), 0u);
    EXPECT_EQ(U8(b, 0x4FB), 1u);
    // An SSID of exactly 32 characters fills its field; the password follows.
    EXPECT_EQ(b.substr(0x47C, 32), std::string(32, 'S'));
    EXPECT_EQ(b.substr(0x49C, 4), std::string("pwd\0", 4));
    EXPECT_EQ(Octets(b, 0x4FC), Dotted({192, 168, 0, 100}));
    EXPECT_EQ(Octets(b, 0x504), Dotted({255, 255, 255, 255}));  // gateway off

    ImageConfig four;
    const std::string c = BuildBank1(four, {{"WiFi_Max_Client", "4"}, {"WiFi_Channel", "6"}});
    EXPECT_EQ(U8(c, 0x4F8), 5u);
    EXPECT_EQ(U8(c, 0x4FA), 6u);
    EXPECT_EQ(U8(c, 0x4FB), 0u);
}

TEST(ParBlock, StationModeLeavesTheAccessPointFieldsZero)
{
    ImageConfig cfg;
    const std::string b = BuildBank1(cfg, {{"WiFi_Type", "1"},
                                           {"WiFi_Secure_Type", "2"},
                                           {"WiFi_EN_DHCP", "1"},
                                           {"WiFi_DHCP_First_IP1", "10"},
                                           {"WiFi_Lease_Time", "100"},
                                           {"WiFi_Max_Client", "3"},
                                           {"WiFi_Channel", "0"},
                                           {"WiFi_EN_Gateway", "1"},
                                           {"WiFi_GAT1", "192"},
                                           {"WiFi_GAT2", "168"},
                                           {"WiFi_GAT3", "1"},
                                           {"WiFi_GAT4", "254"},
                                           {"WiFi_IP2_EN_Gateway", "1"},
                                           {"WiFi_IP2_IP1", "10"}});
    EXPECT_EQ(U8(b, 0x4F9), 1u);
    EXPECT_EQ(b.substr(0x4EA, 0x4F9 - 0x4EA), std::string(0x4F9 - 0x4EA, '\0'));
    EXPECT_EQ(b.substr(0x4FA, 2), std::string(2, '\0'));
    EXPECT_EQ(Octets(b, 0x504), Dotted({0xC0, 0xA8, 0x01, 0xFE}));
    EXPECT_EQ(b.substr(0x508, 12), std::string(12, '\0'));  // one Wi-Fi user in this build
}

TEST(ParBlock, NetworkNamesAddressesAndFlags)
{
    ImageConfig cfg;
    const std::string host(40, 'h');
    const std::string b = BuildBank1(cfg, {{"Eth_Conn_Device_Name", host},
                                           {"Eth_Conn_DHCP_Cable", "1"},
                                           {"Eth_Conn_DHCP_WiFi", "01"},  // a flag is on only for "1"
                                           {"Eth_Conn_Enable_DNS", "0"},
                                           {"Eth_Conn_Primary_DNS1", "1"},
                                           {"Ethernet_IP1", "10"},
                                           {"Ethernet_IP2", "0"},
                                           {"Ethernet_IP3", "0"},
                                           {"Ethernet_IP4", "x"},  // no number: its default
                                           {"Ethernet_EN_GAT", "0"},
                                           {"Ethernet_GAT1", "10"},
                                           {"Ethernet_GAT2", "0"},
                                           {"Ethernet_GAT3", "0"},
                                           {"Ethernet_GAT4", "1"}});
    EXPECT_EQ(b.substr(0x514, 31), std::string(31, 'h'));
    EXPECT_EQ(U8(b, 0x533), 0u);
    EXPECT_EQ(U16(b, 0x4E8), 1u);
    EXPECT_EQ(Octets(b, 0x53C), std::string(4, '\0'));
    EXPECT_EQ(Octets(b, 0x58C), std::string(4, '\0'));
    EXPECT_EQ(Octets(b, 0x028), Dotted({10, 0, 0, 10}));
    EXPECT_EQ(Octets(b, 0x02C), Dotted({255, 255, 255, 0}));
    EXPECT_EQ(Octets(b, 0x030), Dotted({255, 255, 255, 255}));

    ImageConfig dns;
    const std::string d = BuildBank1(dns, {{"Eth_Conn_Enable_DNS", "1"},
                                           {"Eth_Conn_Primary_DNS1", "1"},
                                           {"Eth_Conn_Primary_DNS4", "255"},
                                           {"Ethernet_EN_GAT", "1"},
                                           {"Eth_Conn_Device_Name", "g\xC3\xA9"}});  // one byte per character
    EXPECT_EQ(Octets(d, 0x58C), Dotted({1, 8, 8, 255}));
    EXPECT_EQ(Octets(d, 0x53C), Dotted({8, 8, 4, 4}));
    EXPECT_EQ(Octets(d, 0x030), Dotted({192, 168, 0, 1}));
    EXPECT_EQ(d.substr(0x514, 3), std::string("g\xE9\0", 3));
}
