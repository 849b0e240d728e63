#include "image/UBootCheck.h"
#include "image/BootFakes.h"

#include <gtest/gtest.h>

using namespace UBootCheck;

TEST(ReachabilityCheck, OutcomeFollowsTheLastReply)
{
    struct Case {
        const char* script;
        bool result;
        int ping_res;
        int echoes;
        bool unavailable;
    };
    const Case cases[] = {
        {"R", true, Ping_Reply, 2, false},          // two replies end the check at once
        {"SSRR", true, Ping_Reply, 4, false},       // a late answer is enough
        {"RSR", true, Ping_Reply, 3, false},        // replies need not follow each other
        {"S", false, Ping_No_Reply, 13, false},     // silence: the whole bound
        {"RS", false, Ping_No_Reply, 14, false},    // a gateway that stops answering
        {"SR", true, Ping_Reply, 3, false},
        {"U", false, Ping_None, 1, true},           // the check cannot be made
        {"E", false, Ping_None, 1, false},          // the client cannot use the address
        {"RE", false, Ping_Reply, 2, false},        // a failure ends the check with false
    };
    for (const Case& c : cases) {
        FakeTickClock clock;
        ScriptedEcho echo(clock, c.script);
        TReachabilityCheck check;
        EXPECT_EQ(check.Send_Ping("192.168.2.205"), c.result) << c.script;
        EXPECT_EQ(check.ping_res, c.ping_res) << c.script;
        EXPECT_EQ(check.Echoes, c.echoes) << c.script;
        EXPECT_EQ(int(echo.hosts.size()), c.echoes) << c.script;
        EXPECT_EQ(check.Unavailable, c.unavailable) << c.script;
        for (int t : echo.timeouts) EXPECT_EQ(t, Echo_Timeout_Ms);
    }
}

TEST(ReachabilityCheck, TimingOfAnAnsweringAndASilentGateway)
{
    {
        FakeTickClock clock;
        ScriptedEcho echo(clock, "R");
        TReachabilityCheck check;
        const auto start = clock.now;
        ASSERT_TRUE(check.Send_Ping("10.0.0.1"));
        EXPECT_LT(clock.now - start, 100u);
    }
    {
        FakeTickClock clock;
        ScriptedEcho echo(clock, "S");
        TReachabilityCheck check;
        const auto start = clock.now;
        ASSERT_FALSE(check.Send_Ping("10.0.0.1"));
        // Each silent echo costs its 400 ms time-out and one 10 ms wait;
        // the check stops with the first echo that ends past 5000 ms.
        EXPECT_GT(clock.now - start, std::uint64_t(Check_Bound_Ms));
        EXPECT_LE(clock.now - start, std::uint64_t(Check_Bound_Ms + Echo_Timeout_Ms + Wait_Step_Ms));
    }
}

TEST(ReachabilityCheck, AddressGoesToTheClientAsGivenAndStateResets)
{
    FakeTickClock clock;
    TReachabilityCheck check;
    {
        ScriptedEcho echo(clock, "U");
        EXPECT_FALSE(check.Send_Ping(" 192.168.2.1"));
        EXPECT_TRUE(check.Unavailable);
        EXPECT_FALSE(check.Error.empty());
        EXPECT_EQ(echo.hosts.front(), " 192.168.2.1");
    }
    ScriptedEcho echo(clock, "R");
    EXPECT_TRUE(check.Send_Ping("192.168.2.1"));
    EXPECT_FALSE(check.Unavailable);
    EXPECT_TRUE(check.Error.empty());
}

TEST(ReachabilityCheck, RealEchoOfLoopbackEndsEarly)
{
    try {
        EchoClient().Echo("127.0.0.1", Echo_Timeout_Ms, Echo_Packet_Size);
    } catch (const EPingUnavailable& e) {
        GTEST_SKIP() << "no ICMP socket can be opened here: " << e.Message();
    }
    TReachabilityCheck check;
    const auto start = TickClock().TickCount();
    EXPECT_TRUE(check.Send_Ping("127.0.0.1"));
    EXPECT_EQ(check.Echoes, Replies_Wanted);
    EXPECT_LT(TickClock().TickCount() - start, 1000u);
}
