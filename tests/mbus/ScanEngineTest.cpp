// The scan engine thread and the wired scan against the gateway simulator:
// gateway commands, primary and secondary search, meters read over several
// frames, failures of the gateway and of the network, stop, abort and
// shutdown during a scan.
#include "PtyPair.h"
#include "ScanTestSupport.h"
#include "mbus/MBusTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>

namespace {

using Bytes = TGatewaySimulator::Bytes;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Line_Settings_2400_Even()
{
    Bytes b = Text("Quembo_S_M:");
    for (std::uint8_t x : Hex("00 00 09 60 2C 02")) b.push_back(x);
    return b;
}

std::shared_ptr<TSlave_MBus> Meter_At(int primary)
{
    for (const auto& m : UComon::MBus_Slave_List)
        if (m->Primary_Addresss == primary) return m;
    return nullptr;
}

TEST(TimeOutElapsed, CountsAWrappedTickAsElapsed)
{
    struct Case {
        std::uint32_t now, start;
        std::int32_t timeout;
        bool elapsed;
    };
    const Case cases[] = {
        {1000, 1000, 500, false},
        {1500, 1000, 500, false},  // not yet beyond the time-out
        {1501, 1000, 500, true},
        {0xFFFFFF00u, 0xFFFFFE00u, 1000, false},
        {5, 0xFFFFFF00u, 100000, true},             // the counter wrapped during the wait
        {0xFFFFFFFFu, 0xFFFFFC18u, 2000, false},    // start + time-out beyond 32 bits is no early time-out
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimeOut_Elapsed(c.now, c.start, c.timeout), c.elapsed) << c.now << " " << c.start;
}

// Meters at primary 1 and 5; meter 5 answers two frames, the first ending
// with the more-records mark.
TEST(ScanEngine, PrimaryScanReadsEveryFrameOfAMeter)
{
    TScanRig rig;
    rig.sim.Add_Meter(1, 0x11111111, {TGatewaySimulator::Long_Frame(1, 0x11111111, Hex("04 13 15 CD 5B 00"))});
    rig.sim.Add_Meter(5, 0x55555555,
                      {TGatewaySimulator::Long_Frame(5, 0x55555555, Hex("04 13 15 CD 5B 00 02 FD 17 00 00 1F")),
                       TGatewaySimulator::Long_Frame(5, 0x55555555, Hex("01 FD 1B 02"))});
    ASSERT_TRUE(rig.Start(saPrimaryAddress, "127.0.0.2", 3, true));
    EXPECT_TRUE(rig.engine->InScan());
    ASSERT_TRUE(rig.Wait_End(true));

    EXPECT_EQ(rig.engine->Result(), 1);
    EXPECT_FALSE(rig.engine->UDP_Active());
    ASSERT_EQ(UComon::MBus_Slave_List.size(), 2u);
    const auto m5 = Meter_At(5);
    ASSERT_TRUE(m5);
    EXPECT_EQ(m5->Secondary_Addresss, "55555555");
    ASSERT_EQ(m5->List_Var.size(), 3u);  // two records of the first frame, one of the second
    EXPECT_EQ(m5->List_Var[0]->totdati, "15CD5B00");
    EXPECT_EQ(m5->List_Var[2]->totdati, "02");
    ASSERT_TRUE(Meter_At(1));
    EXPECT_EQ(Meter_At(1)->List_Var.size(), 1u);

    // The gateway is set up, every meter reset, read with the frame-count
    // bit toggling from frame to frame, and analyzer mode is left.
    const Bytes settings = Line_Settings_2400_Even();
    EXPECT_EQ(rig.sim.Find(Text("Quembo_Enable_Analyzer_Mode")), 0);
    EXPECT_EQ(rig.sim.Find(settings), 1);
    EXPECT_EQ(rig.sim.Find(Hex("10 40 FF 3F 16")), 2);
    EXPECT_EQ(rig.sim.Count(Hex("68 03 03 68 73 05 50 C8 16")), 1);
    const int first = rig.sim.Find(Hex("10 7B 05 80 16"));
    ASSERT_GE(first, 0);
    EXPECT_EQ(rig.sim.Find(Hex("10 5B 05 60 16")), first + 1);
    EXPECT_EQ(rig.sim.Count(Hex("10 7B 01 7C 16")), 1);  // one frame from meter 1
    EXPECT_EQ(rig.sim.Log().back(), Text("Quembo_Disable_Analyzer_Mode"));
    EXPECT_EQ(rig.sim.Count("Quembo_Disable_Analyzer_Mode"), 1);

    ASSERT_FALSE(rig.calls.empty());
    EXPECT_EQ(rig.calls.front(), (TCall{1, 0, 0, 1}));
    EXPECT_TRUE(rig.Called({2, 1, 1, 1}));
    EXPECT_TRUE(rig.Called({2, 5, 1, 1}));
    EXPECT_TRUE(rig.Called({2, 4, 0, 1}));
    EXPECT_TRUE(rig.Called({2, 250, 0, 1}));
    EXPECT_EQ(rig.calls.back(), (TCall{3, 0, 0, 1}));
}

// Frames read from a meter that always announces more: Cut After 0 and 1
// read one, 3 reads three.
TEST(ScanEngine, CutAfterLimitsTheFramesReadFromAMeter)
{
    const struct {
        int cutAfter;
        int requests;
    } cases[] = {{0, 1}, {1, 1}, {3, 3}};
    for (const auto& c : cases) {
        TScanRig rig;
        std::vector<Bytes> frames;
        for (int i = 0; i < 5; ++i)
            frames.push_back(TGatewaySimulator::Long_Frame(7, 0x77, Hex("01 FD 1B 0" + std::to_string(i) + " 1F")));
        rig.sim.Add_Meter(7, 0x77, frames);
        ASSERT_TRUE(rig.Start(saPrimaryAddress, "127.0.0.2", c.cutAfter));
        ASSERT_TRUE(rig.Wait_End(true));
        int toMeter = 0;
        for (const Bytes& r : rig.sim.Log()) toMeter += r.size() == 5 && r[0] == 0x10 && r[2] == 7;
        EXPECT_EQ(toMeter, c.requests) << "Cut After " << c.cutAfter;
        ASSERT_EQ(UComon::MBus_Slave_List.size(), 1u);
        const auto& records = UComon::MBus_Slave_List[0]->List_Var;
        ASSERT_EQ(records.size(), static_cast<std::size_t>(c.requests));
        // Each request asked for the next frame (the meter repeats its last
        // frame when the frame-count bit does not toggle).
        for (int i = 0; i < c.requests; ++i)
            EXPECT_EQ(records[static_cast<std::size_t>(i)]->totdati, "0" + std::to_string(i));
        EXPECT_TRUE(rig.Called({2, 7, 1, 1}));
    }
}

// The optional resets and the fixed C field shape what goes out before the
// first meter is read: per address in the primary search, once for the
// whole bus in the secondary one.
TEST(ScanEngine, OptionalResetsAndFixedCFieldComeInTheirOrder)
{
    struct Case {
        TScanType type;
        bool appReset, sndNke, fixC;
        std::vector<std::string> expected;  // the requests after the gateway set-up
    };
    const Case cases[] = {
        {saPrimaryAddress, true, true, false,
         {"10 40 FF 3F 16", "68 03 03 68 73 00 50 C3 16", "10 40 00 40 16", "10 7B 00 7B 16",
          "68 03 03 68 73 01 50 C4 16"}},
        {saPrimaryAddress, false, true, true, {"10 40 FF 3F 16", "10 40 00 40 16", "10 5B 00 5B 16", "10 40 01 41 16"}},
        {saPrimaryAddress, false, false, true, {"10 40 FF 3F 16", "10 5B 00 5B 16", "10 5B 01 5C 16"}},
        {saSecondaryAddress, true, true, true,
         {"10 40 FD 3D 16", "68 03 03 68 53 FF 50 A2 16", "10 40 FF 3F 16",
          "68 0B 0B 68 53 FD 52 FF FF FF 0F FF FF FF FF AA 16"}},
        {saSecondaryAddress, true, false, false,
         {"68 03 03 68 73 FF 50 C2 16", "10 40 FF 3F 16", "68 0B 0B 68 73 FD 52 FF FF FF 0F FF FF FF FF CA 16"}},
    };
    for (const Case& c : cases) {
        TScanRig rig;
        ASSERT_TRUE(rig.engine->Start_Scan(c.type, shEthernet, "127.0.0.2", 2400, 1, c.appReset, c.sndNke, 3, c.fixC, 0,
                                           false, rig.Recorder()));
        ASSERT_TRUE(Pump_Until([&] { return rig.sim.Log().size() >= c.expected.size() + 2; }));
        rig.engine->Abort_Scan();
        ASSERT_TRUE(rig.Wait_End(false));
        const auto log = rig.sim.Log();
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(log[i + 2], Hex(c.expected[i])) << "case " << (&c - cases) << ", request " << i;
    }
}

// Meters 12345678 and 12349999: a selection that several meters match
// collides (garbage), one that none matches gets "NO_SLAVE".
TEST(ScanEngine, SecondaryScanFindsMetersThroughCollisions)
{
    TScanRig rig;
    rig.sim.Add_Meter(0, 0x12345678, {TGatewaySimulator::Long_Frame(0, 0x12345678, Hex("04 13 15 CD 5B 00"))});
    rig.sim.Add_Meter(0, 0x12349999, {TGatewaySimulator::Long_Frame(0, 0x12349999, Hex("01 FD 1B 02"))});
    ASSERT_TRUE(rig.Start(saSecondaryAddress));
    ASSERT_TRUE(rig.Wait_End(true));

    EXPECT_EQ(rig.engine->Result(), 1);
    ASSERT_EQ(UComon::MBus_Slave_List.size(), 2u);
    EXPECT_EQ(UComon::MBus_Slave_List[0]->Secondary_Addresss, "12345678");
    EXPECT_EQ(UComon::MBus_Slave_List[1]->Secondary_Addresss, "12349999");
    EXPECT_EQ(UComon::MBus_Slave_List[1]->List_Var.size(), 1u);
    EXPECT_EQ(rig.calls.front(), (TCall{1, 0, 0, 2}));
    EXPECT_TRUE(rig.Called({2, 0x12345678, 1, 2}));
    EXPECT_TRUE(rig.Called({2, 0x12349999, 1, 2}));
    EXPECT_EQ(rig.calls.back(), (TCall{3, 0, 0, 2}));

    // The search starts at digit A = 0 then 1, and each meter is read once
    // on address 253.
    EXPECT_EQ(rig.sim.Find(Hex("68 0B 0B 68 73 FD 52 FF FF FF 0F FF FF FF FF CA 16")), 3);
    EXPECT_EQ(rig.sim.Find(Hex("68 0B 0B 68 73 FD 52 FF FF FF 1F FF FF FF FF DA 16")), 4);
    EXPECT_EQ(rig.sim.Count(Hex("10 7B FD 78 16")), 2);
    EXPECT_EQ(rig.sim.Log().back(), Text("Quembo_Disable_Analyzer_Mode"));
}

// An answer longer than the answer buffer is no answer: the collision at
// digit A = 1 is never seen, so the search never goes deeper.
TEST(ScanEngine, OverlongDatagramIsDropped)
{
    TScanRig rig;
    rig.sim.Set_Oversized_Collisions(true);
    rig.sim.Add_Meter(0, 0x12345678, {TGatewaySimulator::Long_Frame(0, 0x12345678, Hex("01 FD 1B 02"))});
    rig.sim.Add_Meter(0, 0x12349999, {TGatewaySimulator::Long_Frame(0, 0x12349999, Hex("01 FD 1B 02"))});
    ASSERT_TRUE(rig.Start(saSecondaryAddress));
    ASSERT_TRUE(rig.Wait_End(true));
    EXPECT_TRUE(UComon::MBus_Slave_List.empty());
    int selections = 0;
    for (const Bytes& r : rig.sim.Log()) selections += r.size() == 17 && r[6] == 0x52;
    EXPECT_EQ(selections, 10);  // digit A from 0 to 9, no deeper level
    EXPECT_EQ(rig.calls.back(), (TCall{3, 0, 0, 2}));
}

// A shorted or disturbed bus answers every selection no meter matches with
// garbage: without a limit the search would try all 111,111,110 digit
// patterns. It ends by itself after more than 250 collisions with all
// eight digits given, keeping the meter found before and saying why.
TEST(ScanEngine, BusCollidingOnEverySelectionEndsTheSearch)
{
    TScanRig rig;
    rig.sim.Set_Noisy(true);
    rig.sim.Add_Meter(0, 0x01234567, {TGatewaySimulator::Long_Frame(0, 0x01234567, Hex("01 FD 1B 02"))});
    ASSERT_TRUE(rig.Start(saSecondaryAddress));
    ASSERT_TRUE(rig.Wait_End(true));

    EXPECT_EQ(rig.engine->Result(), 1);
    ASSERT_EQ(UComon::MBus_Slave_List.size(), 1u);
    EXPECT_EQ(UComon::MBus_Slave_List[0]->Secondary_Addresss, "1234567");
    EXPECT_TRUE(rig.Called({2, 0x01234567, 1, 2}));
    EXPECT_EQ(rig.calls.back(), (TCall{3, 0, 0, 2}));
    EXPECT_NE(rig.engine->End_Message().find("collision"), std::string::npos);
    EXPECT_EQ(rig.sim.Log().back(), Text("Quembo_Disable_Analyzer_Mode"));

    int selections = 0, allDigits = 0;
    for (const Bytes& r : rig.sim.Log()) {
        if (r.size() != 17 || r[6] != 0x52) continue;
        ++selections;
        bool wildcard = false;
        for (int i = 7; i < 11; ++i) wildcard = wildcard || (r[i] & 0x0F) == 0x0F || (r[i] >> 4) == 0x0F;
        allDigits += !wildcard;
    }
    EXPECT_EQ(allDigits, 251);
    EXPECT_LT(selections, 300);

    // A scan that runs its course says nothing.
    rig.sim.Set_Noisy(false);
    rig.calls.clear();
    ASSERT_TRUE(rig.Start(saSecondaryAddress));
    ASSERT_TRUE(rig.Wait_End(true));
    EXPECT_EQ(rig.engine->End_Message(), "");
}

// A gateway that never answers, and an address that is no IPv4 address:
// the scan ends with Result 2 after trying the enable command once and the
// disable command three times; the socket is closed.
TEST(ScanEngine, UnansweredGatewayEndsWithResult2)
{
    for (const std::string ip : {"127.0.0.2", "300.1.1.1"}) {
        TScanRig rig;
        rig.sim.Set_Silent(true);
        ASSERT_TRUE(rig.Start(saPrimaryAddress, ip));
        ASSERT_TRUE(rig.Wait_End(false)) << ip;
        EXPECT_EQ(rig.engine->Result(), 2) << ip;
        EXPECT_FALSE(rig.engine->InScan());
        EXPECT_FALSE(rig.engine->UDP_Active());
        const int enables = rig.sim.Count("Quembo_Enable_Analyzer_Mode");
        const int disables = rig.sim.Count("Quembo_Disable_Analyzer_Mode");
        if (ip == "127.0.0.2") {
            EXPECT_EQ(enables, 1);
            EXPECT_EQ(disables, 3);
            EXPECT_EQ(rig.sim.Log().size(), 4u);  // no line settings, no meter frame
        } else {
            // Nothing could go out, but every command was tried in its turn.
            EXPECT_EQ(rig.sim.Log().size(), 0u);
            EXPECT_EQ(rig.engine->Datagrams_Sent(), 0u);
            EXPECT_EQ(rig.engine->Requests_Failed(), 4u);  // enable, then disable three times
        }
        Application_ProcessMessages();
        EXPECT_TRUE(rig.calls.empty()) << ip;  // no search started, no final call

        // The engine takes the next scan.
        rig.sim.Set_Silent(false);
        ASSERT_TRUE(rig.Start(saPrimaryAddress, "127.0.0.2"));
        rig.engine->Abort_Scan();
        ASSERT_TRUE(rig.Wait_End(false));
    }
}

// A gateway that answers the line settings with anything but "\n\rDone!"
// (a longer text included) ends the scan before any search: Result 2, and
// analyzer mode is left again.
TEST(ScanEngine, RefusedLineSettingsEndWithResult2)
{
    for (const std::string answer : {"\n\rError!", "\n\rDone!\n\r", ""}) {
        TScanRig rig;
        rig.sim.Set_Line_Settings_Answer(answer);
        ASSERT_TRUE(rig.Start(saSecondaryAddress));
        ASSERT_TRUE(rig.Wait_End(false));
        Application_ProcessMessages();
        EXPECT_EQ(rig.engine->Result(), 2);
        EXPECT_EQ(rig.sim.Log(), (std::vector<Bytes>{Text("Quembo_Enable_Analyzer_Mode"), Line_Settings_2400_Even(),
                                                     Text("Quembo_Disable_Analyzer_Mode")}));
        EXPECT_TRUE(rig.calls.empty());
    }
}

TEST(ScanEngine, StartIsRefusedWhileAScanRunsAndChangesNothing)
{
    TScanRig rig;
    rig.engine->Event_Run().ResetEvent();  // the engine holds still
    ASSERT_TRUE(rig.Start(saPrimaryAddress));
    std::vector<TCall> other;
    EXPECT_FALSE(rig.engine->Start_Scan(saSecondaryAddress, shSerial, "/dev/null", 300, 0, true, true, 1, true, 0,
                                        true, [&](int e, int v, int f, int k) { other.push_back({e, v, f, k}); }));
    EXPECT_EQ(rig.engine->Start_Error(), "");
    rig.engine->Event_Run().SetEvent();
    ASSERT_TRUE(rig.Wait_End(true));
    // The first scan ran as started: primary, Ethernet, the first callback.
    EXPECT_TRUE(other.empty());
    EXPECT_EQ(rig.calls.back(), (TCall{3, 0, 0, 1}));
    EXPECT_EQ(rig.sim.Find(Line_Settings_2400_Even()), 1);
}

TEST(ScanEngine, StartReportsAPortThatCannotBeOpened)
{
    TScanRig rig;
    EXPECT_FALSE(rig.engine->Start_Scan(saPrimaryAddress, shSerial, "/nonexistent/ttyM0", 2400, 1, false, false, 3,
                                        false, 0, false, rig.Recorder()));
    EXPECT_NE(rig.engine->Start_Error().find("Error accessing specified device"), std::string::npos);
    EXPECT_FALSE(rig.engine->InScan());

    // 192.0.2.1 belongs to no interface of this machine: the bind fails.
    rig.engine->Set_Local_Address("192.0.2.1");
    EXPECT_FALSE(rig.Start(saPrimaryAddress));
    EXPECT_NE(rig.engine->Start_Error(), "");
    EXPECT_FALSE(rig.engine->InScan());
    EXPECT_FALSE(rig.engine->UDP_Active());

    rig.engine->Set_Local_Address("127.0.0.1");
    ASSERT_TRUE(rig.Start(saPrimaryAddress));
    EXPECT_EQ(rig.engine->Start_Error(), "");
    rig.engine->Abort_Scan();
    ASSERT_TRUE(rig.Wait_End(false));
    EXPECT_TRUE(rig.sim.Count("Quembo_Disable_Analyzer_Mode") >= 1);
}

// Stop ends the primary search at the next address with the final call and
// the secondary search at the next digit level without it; Abort goes to
// the closing steps at once. The simulator presses the button the moment
// the first meter is asked for its data.
TEST(ScanEngine, StopAndAbort)
{
    struct Case {
        TScanType type;
        bool abort;
        std::size_t meters;  // read before the scan ended
        bool finalCall;
    };
    const Case cases[] = {
        {saPrimaryAddress, false, 1, true},
        {saPrimaryAddress, true, 0, false},
        {saSecondaryAddress, false, 1, false},
        {saSecondaryAddress, true, 0, false},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.type == saPrimaryAddress ? "primary" : "secondary") +
                                 (c.abort ? " abort" : " stop");
        TScanRig rig;
        rig.sim.Add_Meter(3, 0x12345678, {TGatewaySimulator::Long_Frame(3, 0x12345678, Hex("01 FD 1B 02"))});
        rig.sim.Add_Meter(4, 0x92345678, {TGatewaySimulator::Long_Frame(4, 0x92345678, Hex("01 FD 1B 02"))});
        const Bytes trigger = Hex(c.type == saPrimaryAddress ? "10 7B 03 7E 16" : "10 7B FD 78 16");
        TMBusScanDecode* engine = rig.engine.get();
        rig.sim.On_Request([&, engine](const Bytes& r) {
            if (r != trigger) return;
            if (c.abort) engine->Abort_Scan();
            else engine->Stop_Scan();
        });
        ASSERT_TRUE(rig.Start(c.type)) << what;
        ASSERT_TRUE(rig.Wait_End(c.finalCall)) << what;
        Pump_Until([] { return false; }, 200);  // a final call would have come by now

        EXPECT_EQ(rig.engine->Result(), 1) << what;
        EXPECT_FALSE(rig.engine->AbortScan()) << what;
        EXPECT_EQ(UComon::MBus_Slave_List.size(), c.meters) << what;
        // Nothing but analyzer mode off follows the request the button came with.
        const auto log = rig.sim.Log();
        const auto at = std::find(log.begin(), log.end(), trigger);
        ASSERT_NE(at, log.end()) << what;
        EXPECT_EQ(std::vector<Bytes>(at + 1, log.end()), std::vector<Bytes>{Text("Quembo_Disable_Analyzer_Mode")})
            << what;
        ASSERT_FALSE(rig.calls.empty()) << what;
        EXPECT_EQ(rig.calls.back()[0] == 3, c.finalCall) << what;
        if (c.finalCall) {
            EXPECT_EQ(rig.calls.back(), (TCall{3, 0, 0, 1}));
        }
    }
}

// With the remote time-out every wait is 10 s longer: to a silent gateway
// the enable command and the three disable commands go out 1 s or 11 s
// apart (plus the steps between).
TEST(ScanEngine, RemoteTimeOutLengthensEveryWait)
{
    for (const bool remote : {false, true}) {
        TScanRig rig;
        rig.sim.Set_Silent(true);
        std::mutex m;
        std::vector<std::uint64_t> sentAt;
        rig.sim.On_Request([&](const Bytes&) {
            std::lock_guard<std::mutex> lock(m);
            sentAt.push_back(rig.clock.TickCount());
        });
        ASSERT_TRUE(rig.engine->Start_Scan(saPrimaryAddress, shEthernet, "127.0.0.2", 2400, 1, false, false, 3, false,
                                           0, remote, rig.Recorder()));
        ASSERT_TRUE(rig.Wait_End(false));
        std::lock_guard<std::mutex> lock(m);
        ASSERT_EQ(sentAt.size(), 4u) << remote;
        const std::uint64_t wait = remote ? 11000 : 1000;
        for (std::size_t i = 1; i < sentAt.size(); ++i) {
            EXPECT_GT(sentAt[i] - sentAt[i - 1], wait) << remote << " " << i;
            EXPECT_LT(sentAt[i] - sentAt[i - 1], wait + 200) << remote << " " << i;
        }
    }
}

// Over a serial port the gateway commands are left out: the M-Bus frames
// go straight to the port, the meters' answers are read from it.
TEST(ScanEngine, SerialScanTalksToTheMetersDirectly)
{
    for (const TScanType type : {saPrimaryAddress, saSecondaryAddress}) {
        TPtyPair pty;
        ASSERT_TRUE(pty.Ready()) << "socat is needed (scripts/install-deps)";
        UComon::MBus_Slave_List.clear();
        TSerialMeters meters(pty.B());
        ASSERT_TRUE(meters.Open());
        meters.Add_Meter(5, 0x12345678,
                         {TMeterBus::Long_Frame(5, 0x12345678, Hex("04 13 15 CD 5B 00 1F")),
                          TMeterBus::Long_Frame(5, 0x12345678, Hex("01 FD 1B 02"))});
        meters.Add_Meter(9, 0x12349999, {TMeterBus::Long_Frame(9, 0x12349999, Hex("01 FD 1B 03"))});
        meters.Start();
        TFastClock clock;
        std::vector<TCall> calls;
        {
            TMBusScanDecode engine(&clock);
            clock.Watch_Serial(&meters, &engine);
            engine.Event_Run().SetEvent();
            ASSERT_TRUE(engine.Start_Scan(type, shSerial, pty.A(), 2400, 1, false, false, 3, false, 0, false,
                                          [&](int e, int v, int f, int k) { calls.push_back({e, v, f, k}); }));
            EXPECT_TRUE(engine.Comm().Enabled());
            ASSERT_TRUE(Pump_Until([&] { return !engine.InScan() && !calls.empty() && calls.back()[0] == 3; }));
            EXPECT_FALSE(engine.Comm().Enabled());
            EXPECT_EQ(engine.Result(), 1);
            EXPECT_EQ(engine.Datagrams_Sent(), meters.Requests());  // nothing but M-Bus frames went out
        }
        const auto log = meters.Log();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), Hex("10 40 FF 3F 16"));
        ASSERT_EQ(UComon::MBus_Slave_List.size(), 2u) << type;
        EXPECT_EQ(UComon::MBus_Slave_List[0]->Secondary_Addresss, "12345678");
        EXPECT_EQ(UComon::MBus_Slave_List[0]->List_Var.size(), 2u);
        EXPECT_EQ(UComon::MBus_Slave_List[1]->Secondary_Addresss, "12349999");
        if (type == saPrimaryAddress) {
            EXPECT_EQ(log.size(), 1u + 251u + 1u);  // reset, every address, meter 5's second frame
            EXPECT_NE(std::find(calls.begin(), calls.end(), TCall{2, 5, 1, 1}), calls.end());
            EXPECT_EQ(calls.back(), (TCall{3, 0, 0, 1}));
        } else {
            EXPECT_NE(std::find(calls.begin(), calls.end(), TCall{2, 0x12349999, 1, 2}), calls.end());
            EXPECT_EQ(calls.back(), (TCall{3, 0, 0, 2}));
        }
        UComon::MBus_Slave_List.clear();
    }
}

// Over the serial port too, an answer longer than the answer buffer is no
// answer: the collisions at digit A = 1 are never seen.
TEST(ScanEngine, OverlongSerialAnswerIsDropped)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready()) << "socat is needed (scripts/install-deps)";
    UComon::MBus_Slave_List.clear();
    TSerialMeters meters(pty.B());
    ASSERT_TRUE(meters.Open());
    meters.Set_Collision_Size(2100);
    meters.Add_Meter(5, 0x12345678, {TMeterBus::Long_Frame(5, 0x12345678, Hex("01 FD 1B 02"))});
    meters.Add_Meter(9, 0x12349999, {TMeterBus::Long_Frame(9, 0x12349999, Hex("01 FD 1B 03"))});
    meters.Start();
    TFastClock clock;
    std::vector<TCall> calls;
    {
        TMBusScanDecode engine(&clock);
        clock.Watch_Serial(&meters, &engine);
        engine.Event_Run().SetEvent();
        ASSERT_TRUE(engine.Start_Scan(saSecondaryAddress, shSerial, pty.A(), 2400, 1, false, false, 3, false, 0,
                                      false, [&](int e, int v, int f, int k) { calls.push_back({e, v, f, k}); }));
        ASSERT_TRUE(Pump_Until([&] { return !engine.InScan() && !calls.empty() && calls.back()[0] == 3; }));
        EXPECT_GE(engine.Serial_Bytes_Read(), 2100u);  // the collision did come in
    }
    EXPECT_TRUE(UComon::MBus_Slave_List.empty());
    int selections = 0;
    for (const auto& r : meters.Log()) selections += r.size() == 17 && r[6] == 0x52;
    EXPECT_EQ(selections, 10);  // digit A from 0 to 9, no deeper level
    UComon::MBus_Slave_List.clear();
}

// Closing the engine in the middle of a scan joins its thread; progress
// calls still queued are dropped, never run against a window that is gone.
TEST(ScanEngine, ShutdownDuringAScanJoinsTheThread)
{
    TScanRig rig;
    rig.sim.Add_Meter(2, 0x22, {TGatewaySimulator::Long_Frame(2, 0x22, Hex("01 FD 1B 02"))});
    ASSERT_TRUE(rig.Start(saPrimaryAddress));
    // No events are processed meanwhile: the calls for addresses 0 to 2 stay queued.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (rig.sim.Find(Hex("10 7B 03 7E 16")) < 0 && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_GE(rig.sim.Find(Hex("10 7B 03 7E 16")), 0);
    rig.engine.reset();  // while the scan runs
    Application_ProcessMessages();
    EXPECT_TRUE(rig.calls.empty());
    EXPECT_EQ(rig.sim.Count("Quembo_Disable_Analyzer_Mode"), 0);
}

} // namespace
