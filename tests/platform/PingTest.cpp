#include "platform/Ping.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

TEST(Ping, ParseIPv4AcceptsOnlyDottedQuads)
{
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"192.168.2.205", true}, {"0.0.0.0", true},       {"255.255.255.255", true}, {"010.1.1.1", true},
        {"192.168.2.300", false}, {"192.168.2", false},    {"192.168.2.1.5", false},  {"192.168..1", false},
        {"", false},              {" 1.2.3.4", false},     {"1.2.3.4 ", false},       {"a.b.c.d", false},
        {"1.2.3.0004", false},    {"localhost", false},    {"1.2.3.-4", false},       {"1.2.3.4.", false},
    };
    for (const Case& c : cases) {
        std::uint8_t b[4] = {};
        EXPECT_EQ(ParseIPv4(c.text, b), c.ok) << c.text;
    }
    std::uint8_t b[4] = {};
    ASSERT_TRUE(ParseIPv4("192.168.2.205", b));
    EXPECT_EQ(std::vector<int>(b, b + 4), (std::vector<int>{192, 168, 2, 205}));
}

namespace {

// An ICMP message (type, code, id, sequence, 4 bytes of data), with an
// IPv4 header of ihl words in front when ihl > 0.
std::vector<std::uint8_t> Packet(std::uint8_t type, std::uint16_t id, std::uint16_t seq, int ihl = 0,
                                 std::uint8_t proto = 1)
{
    std::vector<std::uint8_t> p;
    if (ihl > 0) {
        p.assign(std::size_t(ihl) * 4, 0);
        p[0] = std::uint8_t(0x40 | ihl);
        p[9] = proto;
    }
    const std::uint8_t icmp[] = {type, 0, 0, 0, std::uint8_t(id >> 8), std::uint8_t(id), std::uint8_t(seq >> 8),
                                 std::uint8_t(seq), 1, 2, 3, 4};
    p.insert(p.end(), std::begin(icmp), std::end(icmp));
    return p;
}

} // namespace

TEST(Ping, OnlyTheReplyToOurRequestCounts)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> packet;
        bool withIp;
        bool checkId;
        bool reply;
    };
    const Case cases[] = {
        {"datagram reply", Packet(0, 0x9999, 7), false, false, true},
        {"raw reply", Packet(0, 0x1234, 7, 5), true, true, true},
        {"raw reply after IP options", Packet(0, 0x1234, 7, 6), true, true, true},
        // A raw socket also sees our own request on the loopback interface.
        {"own request", Packet(8, 0x1234, 7, 5), true, true, false},
        // A router's "destination unreachable" is no answer of the gateway.
        {"unreachable", Packet(3, 0x1234, 7, 5), true, true, false},
        {"other sequence", Packet(0, 0x1234, 8, 5), true, true, false},
        {"other process", Packet(0, 0x4321, 7, 5), true, true, false},
        {"not ICMP", Packet(0, 0x1234, 7, 5, 17), true, true, false},
        {"header length below 20", Packet(0, 0x1234, 7, 4), true, true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsEchoReply(c.packet.data(), c.packet.size(), c.withIp, c.checkId, 0x1234, 7), c.reply) << c.what;

    // Truncated packets are never read past their end.
    const auto full = Packet(0, 0x1234, 7, 5);
    for (std::size_t len = 0; len < 28; ++len) {
        std::vector<std::uint8_t> cut(full.begin(), full.begin() + std::ptrdiff_t(len));
        EXPECT_FALSE(IsEchoReply(cut.data(), cut.size(), true, true, 0x1234, 7)) << len;
    }
    auto longIhl = Packet(0, 0x1234, 7, 5);
    longIhl[0] = 0x4F;  // claims a 60-byte IP header in a 32-byte packet
    EXPECT_FALSE(IsEchoReply(longIhl.data(), longIhl.size(), true, true, 0x1234, 7));
}

TEST(Ping, SystemClientRefusesWhatIsNoAddress)
{
    for (const char* host : {"192.168.2.300", "192.168.2.", "", "gateway.local"})
        EXPECT_THROW(EchoClient().Echo(host, 400, 1024), EPingError) << host;
}

TEST(Ping, LoopbackAnswers)
{
    TEchoReply reply;
    try {
        reply = EchoClient().Echo("127.0.0.1", 1000, 1024);
    } catch (const EPingUnavailable& e) {
        GTEST_SKIP() << "no ICMP socket can be opened here: " << e.Message();
    }
    EXPECT_GT(reply.BytesReceived, 0);
}
