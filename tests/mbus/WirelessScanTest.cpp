// The wireless scan against the gateway simulator with a Telit or a
// Radiocrafts module: the module's configuration for each mode and channel,
// listening, key loading and its refusals, stop and abort at exact points,
// a silent gateway, the socket's bindings, shutdown, and telegrams, keys and
// readers on three threads at once.
#include "PtyPair.h"
#include "ScanTestSupport.h"
#include "mbus/RadioTelegrams.h"

#include <gtest/gtest.h>

#include <asio.hpp>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = TGatewaySimulator::Bytes;
using TRadio = TGatewaySimulator::TRadio;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

const Bytes Disable = Text("Quembo_Disable_Configuration_Mode");

std::vector<Bytes> Texts(const std::vector<std::string>& texts)
{
    std::vector<Bytes> out;
    for (const std::string& t : texts) out.push_back(Text(t));
    return out;
}

// Requests as texts (the Telit module's are), for readable comparisons.
std::vector<std::string> Strings(const std::vector<Bytes>& requests)
{
    std::vector<std::string> out;
    for (const Bytes& b : requests) out.emplace_back(b.begin(), b.end());
    return out;
}

std::vector<Bytes> Tail(const std::vector<Bytes>& log, std::size_t from)
{
    return std::vector<Bytes>(log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end());
}

// A plain telegram (CI 7A, no encryption) of a KAM meter, version 1,
// device type 7, with one volume record.
std::string Plain_Telegram(const std::string& identificationLsbFirst)
{
    return Framed("44 2D2C " + identificationLsbFirst + " 01 07 7A 01 00 0000 0413 15CD5B00");
}

std::shared_ptr<TSlave_wMBus> Meter(std::size_t index)
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    const auto& list = UComon::wMBus_Slave_List;
    return index < list.size() ? list[index] : nullptr;
}

std::size_t Meters()
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    return UComon::wMBus_Slave_List.size();
}

// A meter put into the list as if it had been heard.
std::shared_ptr<TSlave_wMBus> Add_Meter(std::int32_t identification)
{
    auto m = std::make_shared<TSlave_wMBus>();
    m->ALA_Manufacturer = m->LLA_Manufacturer = Manufacturer;
    m->ALA_Address = m->LLA_Address = identification;
    m->ALA_Version = m->LLA_Version = 0x33;
    m->ALA_DeviceType = m->LLA_DeviceType = 0x03;
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    UComon::wMBus_Slave_List.push_back(m);
    return m;
}

// The Radiocrafts key loading into slot s for a meter's address and key.
std::vector<Bytes> RadioCrafts_Key_Loading(std::uint8_t s, const Bytes& address, const TAESKey128& key)
{
    return {Bytes{0x00}, Text("B"), Bytes{s}, address, Text("K"), Bytes{s}, Bytes(key.begin(), key.end()),
            Text("A"), Bytes{s}, Bytes{0x00, 0x40}, Text("X")};
}

// Inserts a key while the engine listens and waits until it listens again;
// the requests of the excursion, or nothing when the key was refused.
std::vector<Bytes> Load_Key(TScanRig& rig, int index, const TAESKey128& key)
{
    const std::size_t before = rig.sim.Log().size();
    const int listening = rig.engine->Step_Scan();
    if (!rig.engine->Insert_Wireless_Key(index, key)) return {};
    EXPECT_TRUE(Pump_Until([&] { return rig.engine->Step_Scan() == listening; }));
    return Tail(rig.sim.Log(), before);
}

// Holds the simulator's thread on a request until released: the engine
// waits for its answer meanwhile, and the fast clock stands still.
class THold {
public:
    THold(TGatewaySimulator& sim, Bytes request) : request_(std::move(request))
    {
        sim.On_Request([this](const Bytes& r) {
            if (r != request_ || held_.exchange(true)) return;
            reached_.set_value();
            release_.get_future().wait();
        });
    }
    bool Wait_Reached() { return reached_.get_future().wait_for(std::chrono::seconds(60)) == std::future_status::ready; }
    void Release() { release_.set_value(); }

private:
    Bytes request_;
    std::atomic<bool> held_{false};
    std::promise<void> reached_;
    std::promise<void> release_;
};

TEST(WirelessScan, TelitConfigurationFollowsModeAndChannel)
{
    struct Case {
        int mode, channel;
        std::vector<std::string> expected;  // after "Quembo_Type_Radio_Module"
    };
    const Case cases[] = {
        {15, 6, {"+++", "ATR\r", "ATS400=15\r", "ATS401=0\r", "ATS402=191\r", "ATS420=6\r", "ATS422=3\r", "ATS430=5\r",
                 "ATS431=5\r", "ATS440=0\r", "ATS441=0\r", "ATS452=0\r", "ATS453=0\r", "ATO\r"}},
        {17, 0, {"+++", "ATR\r", "ATS400=17\r", "ATS401=0\r", "ATS402=191\r", "ATS420=0\r", "ATS422=3\r", "ATS430=5\r",
                 "ATS431=5\r", "ATS440=0\r", "ATS441=0\r", "ATS452=0\r", "ATS453=0\r", "ATO\r"}},
        {1, 8, {"+++", "ATR\r", "ATS400=1\r", "ATS401=0\r", "ATS402=191\r", "ATS420=8\r", "ATS421=0\r", "ATS422=3\r",
                "ATS430=5\r", "ATS431=5\r", "ATS440=0\r", "ATS441=0\r", "ATS442=0\r", "ATS452=0\r", "ATS453=0\r",
                "ATS454=0\r", "ATO\r"}},
        {5, 2, {"+++", "ATR\r", "ATS400=5\r", "ATS401=0\r", "ATS402=191\r", "ATS420=2\r", "ATS421=0\r", "ATS422=3\r",
                "ATS430=5\r", "ATS431=5\r", "ATS440=0\r", "ATS441=0\r", "ATS442=0\r", "ATS452=0\r", "ATS453=0\r",
                "ATS454=0\r", "ATO\r"}},
    };
    for (const Case& c : cases) {
        const std::string what = "mode " + std::to_string(c.mode);
        TScanRig rig(TRadio::Telit);
        ASSERT_TRUE(rig.Start_Wireless(c.mode, c.channel)) << what;
        EXPECT_TRUE(rig.engine->InScan());
        ASSERT_TRUE(rig.Wait_Listening()) << what;
        EXPECT_EQ(rig.engine->Step_Scan(), wireless_step::Telit_Listening);
        EXPECT_EQ(rig.engine->UDP_Local_Port(), rig.sim.Port());
        ASSERT_TRUE(rig.Radio(Mode7)) << what;

        std::vector<std::string> expected = {"Quembo_Enable_Configuration_Mode", "Quembo_Type_Radio_Module"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(Strings(rig.sim.Log()), expected) << what;

        ASSERT_EQ(Meters(), 1u) << what;
        const auto meter = Meter(0);
        EXPECT_TRUE(meter->Cripted);
        EXPECT_EQ(meter->RSSI, -82);
        EXPECT_EQ(meter->ALA_Manu_str, "ELS");
        EXPECT_EQ(rig.radioCalls, std::vector<int>{0}) << what;
        EXPECT_EQ(rig.radioMeters, std::vector<TSlave_wMBus*>{meter.get()});
        EXPECT_EQ(rig.engine->Telegrams_Handled(), 1u);

        rig.engine->Stop_Scan();
        ASSERT_TRUE(rig.Wait_Stopped()) << what;
        EXPECT_EQ(rig.engine->Result(), 1);
        EXPECT_EQ(rig.sim.Log().back(), Disable);
        EXPECT_EQ(rig.sim.Count(Disable), 1);
        EXPECT_FALSE(rig.engine->UDP_Active());
    }
}

// The meter's address and key go into the Telit module's registers; the
// next telegram of the meter decrypts with the key.
TEST(WirelessScan, TelitKeyLoadingWritesAddressAndKey)
{
    struct Case {
        std::string telegram;
        std::vector<std::string> address;
        bool encrypted;
    };
    const Case cases[] = {
        {Mode7,
         {"ATS461=147\r", "ATS462=21\r", "ATS463=120\r", "ATS464=86\r", "ATS465=52\r", "ATS466=18\r", "ATS467=51\r",
          "ATS468=3\r"},
         true},
        // Manufacturer bytes 2D 2C, identification 78 56 34 12 as received.
        {Plain_Telegram("78563412"),
         {"ATS461=45\r", "ATS462=44\r", "ATS463=120\r", "ATS464=86\r", "ATS465=52\r", "ATS466=18\r", "ATS467=1\r",
          "ATS468=7\r"},
         false},
    };
    for (const Case& c : cases) {
        FixedClockAndFormats formats;
        TScanRig rig(TRadio::Telit);
        ASSERT_TRUE(rig.Start_Wireless(5, 0));
        ASSERT_TRUE(rig.Wait_Listening());
        ASSERT_TRUE(rig.Radio(c.telegram));

        std::vector<std::string> expected = {"+++"};
        expected.insert(expected.end(), c.address.begin(), c.address.end());
        for (int k = 0; k < 16; ++k) expected.push_back("ATS" + std::to_string(470 + k) + "=" + std::to_string(k) + "\r");
        expected.push_back("ATS460=5\r");
        expected.push_back("ATO\r");
        EXPECT_EQ(Strings(Load_Key(rig, 0, Mode7Key)), expected);
        EXPECT_TRUE(rig.engine->Wireless_Receive_Message());
        const auto meter = Meter(0);
        EXPECT_TRUE(meter->Enable_Key);
        EXPECT_EQ(meter->Key, Mode7Key);

        if (c.encrypted) {
            ASSERT_TRUE(rig.Radio(Mode7));
            std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
            EXPECT_FALSE(meter->Cripted);
            std::vector<const TVariable_MBus*> records;
            for (const auto& v : meter->List_Var)
                if (v->Real_Wireless_Var) records.push_back(v.get());
            ASSERT_EQ(records.size(), 3u);
            EXPECT_EQ(records[0]->Desc_Type_Data, "Volume m3");
            EXPECT_EQ(records[0]->ValueStr, "28504.27");
            EXPECT_EQ(records[1]->ValueStr, "31/05/08 23:50");
            EXPECT_EQ(records[2]->Desc_Type_Data, "Error Flag (Binary)");
            EXPECT_EQ(records[2]->ValueStr, "0");
        }
        EXPECT_EQ(rig.radioCalls.size(), rig.engine->Telegrams_Handled());
        rig.engine->Stop_Scan();
        ASSERT_TRUE(rig.Wait_Stopped());
    }
}

// Mode T in detail; the memory configuration's second byte for the others.
TEST(WirelessScan, RadioCraftsConfigurationClearsTheKeyTable)
{
    const struct {
        int mode;
        std::uint8_t memory;
    } cases[] = {{5, 0x01}, {11, 0x0A}, {15, 0x11}, {17, 0x10}, {1, 0x03}};
    for (const auto& c : cases) {
        TScanRig rig(TRadio::RadioCrafts);
        ASSERT_TRUE(rig.Start_Wireless(c.mode, 4));
        ASSERT_TRUE(rig.Wait_Listening());
        EXPECT_EQ(rig.engine->Step_Scan(), wireless_step::RadioCrafts_Listening);

        std::vector<Bytes> expected = Texts({"Quembo_Enable_Configuration_Mode", "Quembo_Type_Radio_Module"});
        Bytes memory = Hex("03 01 04 00 05 01 12 01 16 17 3A 01 3D 02 37 01");
        memory[1] = c.memory;
        for (const Bytes& b : {Bytes{0x00}, Text("0"), Text("M"), memory, Bytes{0xFF}}) expected.push_back(b);
        for (std::uint8_t k = 1; k <= 63; ++k) {
            expected.push_back(Text("B"));
            expected.push_back(Bytes{k});
            expected.push_back(Bytes(8, 0x00));
        }
        expected.push_back(Text("X"));
        EXPECT_EQ(rig.sim.Log(), expected) << "mode " << c.mode;

        rig.engine->Stop_Scan();
        ASSERT_TRUE(rig.Wait_Stopped());
        EXPECT_EQ(rig.sim.Log().back(), Disable);
    }
}

TEST(WirelessScan, RadioCraftsMemoryDumpMustBe257BytesEndingInThePrompt)
{
    Bytes short256(255, 0x00);
    short256.push_back('>');
    const Bytes noPrompt(257, 0x00);
    for (const Bytes& dump : {short256, noPrompt}) {
        TScanRig rig(TRadio::RadioCrafts);
        rig.sim.Set_Memory_Dump(dump);
        ASSERT_TRUE(rig.Start_Wireless(5, 0));
        ASSERT_TRUE(rig.Wait_Stopped());
        EXPECT_EQ(rig.engine->Result(), 2);
        EXPECT_EQ(rig.sim.Log(), (std::vector<Bytes>{Text("Quembo_Enable_Configuration_Mode"),
                                                     Text("Quembo_Type_Radio_Module"), Bytes{0x00}, Text("0"),
                                                     Disable}));
        EXPECT_FALSE(rig.engine->UDP_Active());
    }
}

TEST(WirelessScan, RadioCraftsDatagramsAndKeySlots)
{
    FixedClockAndFormats formats;
    TScanRig rig(TRadio::RadioCrafts);
    ASSERT_TRUE(rig.Start_Wireless(5, 0));
    ASSERT_TRUE(rig.Wait_Listening());
    ASSERT_TRUE(rig.Radio(Mode7, 0xB4));
    ASSERT_EQ(Meters(), 1u);
    EXPECT_EQ(Meter(0)->RSSI, -37);
    EXPECT_EQ(Meter(0)->RadioCrafts_Ind_Tab_Decript, -1);

    // One byte longer than its length byte says: no telegram, and no answer either.
    Bytes longer = rig.sim.Radio_Datagram(Hex(Mode7), 0xB4);
    longer.push_back(0x00);
    const std::uint64_t received = rig.engine->Datagrams_Received();
    ASSERT_TRUE(rig.sim.Send_Datagram(longer));
    ASSERT_TRUE(Pump_Until([&] { return rig.engine->Datagrams_Received() > received; }));
    EXPECT_EQ(rig.engine->Telegrams_Handled(), 1u);
    EXPECT_FALSE(rig.engine->Answer_Arrived());
    EXPECT_EQ(rig.radioCalls.size(), 1u);

    // The first meter takes slot 1 and keeps it for its next key.
    const Bytes address = Hex("78 56 34 12 93 15 33 03");
    EXPECT_EQ(Load_Key(rig, 0, Mode5Key), RadioCrafts_Key_Loading(1, address, Mode5Key));
    EXPECT_EQ(Load_Key(rig, 0, Mode7Key), RadioCrafts_Key_Loading(1, address, Mode7Key));
    EXPECT_EQ(Meter(0)->RadioCrafts_Ind_Tab_Decript, 1);
    ASSERT_TRUE(rig.Radio(Mode7, 0xB4));
    EXPECT_FALSE(Meter(0)->Cripted);

    // Slots 2 to 64 for 63 more meters; a 65th meter finds none.
    for (int i = 1; i <= 64; ++i) Add_Meter(0x20000000 + i);
    for (int i = 1; i <= 63; ++i) {
        ASSERT_EQ(Load_Key(rig, i, Mode7Key).size(), 11u) << i;
        EXPECT_EQ(Meter(static_cast<std::size_t>(i))->RadioCrafts_Ind_Tab_Decript, i + 1);
    }
    const std::size_t before = rig.sim.Log().size();
    EXPECT_FALSE(rig.engine->Insert_Wireless_Key(64, Mode7Key));
    EXPECT_EQ(rig.engine->Step_Scan(), wireless_step::RadioCrafts_Listening);
    Pump_Until([] { return false; }, 100);
    EXPECT_EQ(rig.sim.Log().size(), before);
    EXPECT_EQ(Meter(64)->RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_FALSE(Meter(64)->Enable_Key);

    rig.engine->Stop_Scan();
    ASSERT_TRUE(rig.Wait_Stopped());
    EXPECT_EQ(rig.engine->Result(), 1);
}

TEST(WirelessScan, KeysAreRefusedUnlessTheScanListens)
{
    {
        TScanRig rig(TRadio::Telit);
        const auto meter = Add_Meter(Identification);
        EXPECT_FALSE(rig.engine->Insert_Wireless_Key(0, Mode7Key));  // no scan
        EXPECT_FALSE(rig.engine->Insert_Wireless_Key(-1, Mode7Key));
        EXPECT_FALSE(meter->Enable_Key);
    }
    // Given while the module is still configured: refused, but a Radiocrafts
    // meter keeps the slot it was given.
    for (const TRadio radio : {TRadio::Telit, TRadio::RadioCrafts}) {
        const bool telit = radio == TRadio::Telit;
        TScanRig rig(radio);
        const auto meter = Add_Meter(Identification);
        THold hold(rig.sim, Text(telit ? "ATS402=191\r" : "M"));
        ASSERT_TRUE(rig.Start_Wireless(5, 0));
        ASSERT_TRUE(hold.Wait_Reached());
        const int step = rig.engine->Step_Scan();
        EXPECT_FALSE(rig.engine->Insert_Wireless_Key(0, Mode7Key));
        EXPECT_FALSE(rig.engine->Insert_Wireless_Key(1, Mode7Key));  // no such meter
        EXPECT_EQ(rig.engine->Step_Scan(), step);
        EXPECT_FALSE(meter->Enable_Key);
        EXPECT_EQ(meter->RadioCrafts_Ind_Tab_Decript, telit ? -1 : 1);
        hold.Release();

        ASSERT_TRUE(rig.Wait_Listening());
        const auto loading = Load_Key(rig, 0, Mode7Key);
        ASSERT_FALSE(loading.empty());
        EXPECT_TRUE(meter->Enable_Key);
        if (!telit) {
            EXPECT_EQ(loading[2], Bytes{0x01});
        }
        rig.engine->Stop_Scan();
        ASSERT_TRUE(rig.Wait_Stopped());
    }
}

// A key refused while another one is loaded leaves the loading as it was:
// the module gets the first meter's address and key.
TEST(WirelessScan, KeyRefusedDuringKeyLoadingChangesNothingLoaded)
{
    TScanRig rig(TRadio::Telit);
    ASSERT_TRUE(rig.Start_Wireless(5, 0));
    ASSERT_TRUE(rig.Wait_Listening());
    ASSERT_TRUE(rig.Radio(Mode7));
    ASSERT_TRUE(rig.Radio(Plain_Telegram("44332211")));
    ASSERT_EQ(Meters(), 2u);
    THold hold(rig.sim, Text("ATS463=120\r"));
    ASSERT_TRUE(rig.engine->Insert_Wireless_Key(0, Mode7Key));
    ASSERT_TRUE(hold.Wait_Reached());
    EXPECT_FALSE(rig.engine->Insert_Wireless_Key(1, Mode5Key));
    hold.Release();
    ASSERT_TRUE(Pump_Until([&] { return rig.engine->Step_Scan() == wireless_step::Telit_Listening; }));

    const auto log = rig.sim.Log();
    const int at = rig.sim.Find(Text("ATS463=120\r"));
    ASSERT_GE(at, 0);
    std::vector<std::string> expected = {"ATS463=120\r", "ATS464=86\r", "ATS465=52\r", "ATS466=18\r", "ATS467=51\r",
                                         "ATS468=3\r"};
    for (int k = 0; k < 16; ++k) expected.push_back("ATS" + std::to_string(470 + k) + "=" + std::to_string(k) + "\r");
    expected.push_back("ATS460=5\r");
    expected.push_back("ATO\r");
    EXPECT_EQ(Strings(Tail(log, static_cast<std::size_t>(at))), expected);
    EXPECT_FALSE(Meter(1)->Enable_Key);
    EXPECT_EQ(Meter(0)->Key, Mode7Key);
    rig.engine->Stop_Scan();
    ASSERT_TRUE(rig.Wait_Stopped());
}

// Stop or Abort at an exact point: the next requests leave configuration
// mode (once when answered, three times when not), the socket closes, and
// a telegram heard during the closing steps is no telegram any more.
TEST(WirelessScan, StopAndAbortLeaveConfigurationModeFromAnyStep)
{
    enum When { Configuring, Key_Loading, Listening };
    struct Case {
        TRadio radio;
        When when;
        std::string trigger;  // the request the button comes with, its nth time
        int nth;
        bool abort;
        bool silent;
    };
    const Case cases[] = {
        {TRadio::Telit, Key_Loading, "ATS466=", 1, false, false},
        {TRadio::Telit, Key_Loading, "ATS466=", 1, false, true},
        {TRadio::RadioCrafts, Configuring, "B", 40, true, false},
        {TRadio::RadioCrafts, Configuring, "B", 40, true, true},
        {TRadio::Telit, Listening, "", 0, false, false},
        {TRadio::Telit, Listening, "", 0, false, true},
        {TRadio::RadioCrafts, Listening, "", 0, true, false},
    };
    for (const Case& c : cases) {
        const std::string what = std::to_string(&c - cases);
        TScanRig rig(c.radio);
        TMBusScanDecode* engine = rig.engine.get();
        std::atomic<int> seen{0};
        std::atomic<std::size_t> triggeredAt{0};
        std::atomic<std::uint64_t> handledAtDisable{~0ull};
        TGatewaySimulator& sim = rig.sim;
        sim.On_Request([&, engine](const Bytes& r) {
            if (r == Disable) {
                if (handledAtDisable == ~0ull) handledAtDisable = engine->Telegrams_Handled();
                if (c.silent) sim.Set_Silent(true);
                // A telegram heard meanwhile reaches the engine before the answer.
                sim.Send_Datagram(sim.Radio_Datagram(Hex(Mode7), 0x50));
                return;
            }
            if (c.trigger.empty() || r.size() < c.trigger.size() ||
                !std::equal(c.trigger.begin(), c.trigger.end(), r.begin()) || ++seen != c.nth)
                return;
            triggeredAt = sim.Log().size() + 1;  // this request is logged next
            if (c.abort) engine->Abort_Scan();
            else engine->Stop_Scan();
        });
        ASSERT_TRUE(rig.Start_Wireless(5, 1)) << what;
        if (c.when != Configuring) {
            ASSERT_TRUE(rig.Wait_Listening()) << what;
            ASSERT_TRUE(rig.Radio(Mode7)) << what;
        }
        if (c.when == Key_Loading) {
            EXPECT_TRUE(rig.engine->Insert_Wireless_Key(0, Mode7Key));
        }
        if (c.when == Listening) {
            triggeredAt = rig.sim.Log().size();
            if (c.abort) rig.engine->Abort_Scan();
            else rig.engine->Stop_Scan();
        }
        ASSERT_TRUE(rig.Wait_Stopped()) << what;

        const std::vector<Bytes> expected(c.silent ? 3 : 1, Disable);
        EXPECT_EQ(Tail(rig.sim.Log(), triggeredAt), expected) << what;
        EXPECT_FALSE(rig.engine->UDP_Active()) << what;
        EXPECT_EQ(rig.engine->Result(), 1) << what;
        EXPECT_FALSE(rig.engine->StopScan());
        EXPECT_FALSE(rig.engine->AbortScan());
        EXPECT_FALSE(rig.engine->Wireless_Receive_Message());
        EXPECT_EQ(rig.engine->Telegrams_Handled(), handledAtDisable.load()) << what;
        EXPECT_EQ(rig.engine->Telegrams_Handled(), c.when == Configuring ? 0u : 1u) << what;
    }
}

// The module forwards telegrams as soon as it is online and until the
// gateway leaves its configuration mode: one right behind the answer to
// "ATO\r" or to the disable command is no answer.
TEST(WirelessScan, TelegramRightBehindAnAnswerIsNoAnswer)
{
    TScanRig rig(TRadio::Telit);
    TGatewaySimulator& sim = rig.sim;
    sim.On_Answered([&sim](const Bytes& r) {
        if (r == Text("ATO\r") || r == Disable) sim.Send_Radio(Hex(Mode7), 0x50);
    });
    ASSERT_TRUE(rig.Start_Wireless(5, 0));
    ASSERT_TRUE(rig.Wait_Listening());
    EXPECT_EQ(rig.engine->Result(), 1);
    EXPECT_EQ(Meters(), 0u);  // heard before the engine listened
    ASSERT_TRUE(rig.Radio(Mode7));
    const auto loading = Load_Key(rig, 0, Mode7Key);
    ASSERT_FALSE(loading.empty());
    EXPECT_EQ(loading.back(), Text("ATO\r"));
    EXPECT_TRUE(rig.engine->Wireless_Receive_Message());
    rig.engine->Stop_Scan();
    ASSERT_TRUE(rig.Wait_Stopped());
    EXPECT_EQ(rig.engine->Result(), 1);
    EXPECT_EQ(rig.sim.Count(Disable), 1);
    EXPECT_EQ(rig.engine->Telegrams_Handled(), 1u);
}

TEST(WirelessScan, SilentGatewayOrUnknownModuleEndsWithResult2)
{
    {
        TScanRig rig(TRadio::Telit);
        rig.sim.Set_Silent(true);
        ASSERT_TRUE(rig.Start_Wireless(5, 0));
        ASSERT_TRUE(rig.Wait_Stopped());
        EXPECT_EQ(rig.engine->Result(), 2);
        EXPECT_EQ(rig.sim.Log(), (std::vector<Bytes>{Text("Quembo_Enable_Configuration_Mode"), Disable, Disable,
                                                     Disable}));
        EXPECT_FALSE(rig.engine->UDP_Active());
    }
    {
        TScanRig rig(TRadio::Other);  // answers "\n\rOTHER\n\r"
        ASSERT_TRUE(rig.Start_Wireless(5, 0));
        ASSERT_TRUE(rig.Wait_Stopped());
        EXPECT_EQ(rig.engine->Result(), 2);
        EXPECT_EQ(rig.sim.Log(), (std::vector<Bytes>{Text("Quembo_Enable_Configuration_Mode"),
                                                     Text("Quembo_Type_Radio_Module"), Disable}));
        EXPECT_FALSE(rig.engine->UDP_Active());
    }
}

// The socket listens on the port of the scan, and on that port alone.
TEST(WirelessScan, TheSocketListensOnTheScansPortOnly)
{
    TScanRig rig(TRadio::Telit);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(rig.Start_Wireless(5, 0)) << rig.engine->Start_Error();
        ASSERT_TRUE(rig.Wait_Listening());
        EXPECT_EQ(rig.engine->UDP_Local_Port(), rig.sim.Port());
        rig.engine->Stop_Scan();
        ASSERT_TRUE(rig.Wait_Stopped());
    }

    // Another gateway port: a datagram to the old one is not heard.
    TGatewaySimulator other;
    other.Set_Radio(TRadio::Telit);
    rig.clock.Watch(&other, rig.engine.get());
    ASSERT_TRUE(rig.engine->Start_Scan_Wireless(shEthernet, "127.0.0.2", other.Port(), 15, 6, false,
                                                rig.Radio_Recorder(), true))
        << rig.engine->Start_Error();
    ASSERT_TRUE(Pump_Until([&] { return rig.engine->Wireless_Receive_Message(); }));
    EXPECT_EQ(rig.engine->UDP_Local_Port(), other.Port());
    const std::uint64_t before = rig.engine->Datagrams_Received();
    ASSERT_TRUE(rig.sim.Send_To(rig.sim.Port(), Telit(Mode7)));
    ASSERT_TRUE(other.Send_Radio(Hex(Mode7), 0x50));
    ASSERT_TRUE(Pump_Until([&] { return rig.engine->Datagrams_Received() > before; }));
    Pump_Until([] { return false; }, 200);
    EXPECT_EQ(rig.engine->Datagrams_Received(), before + 1);
    // The index-only form of the callback.
    EXPECT_EQ(rig.radioCalls, std::vector<int>{0});
    EXPECT_EQ(rig.radioMeters, std::vector<TSlave_wMBus*>{nullptr});
    rig.engine->Stop_Scan();
    ASSERT_TRUE(rig.Wait_Stopped());
    EXPECT_EQ(other.Count(Disable), 1);
    EXPECT_EQ(rig.sim.Count("Quembo_Enable_Configuration_Mode"), 2);

    // A port another socket holds.
    asio::io_context io;
    asio::ip::udp::socket holder(io, asio::ip::udp::endpoint(asio::ip::make_address_v4("127.0.0.1"), 0));
    const std::uint16_t held = holder.local_endpoint().port();
    EXPECT_FALSE(rig.engine->Start_Scan_Wireless(shEthernet, "127.0.0.2", held, 5, 0, false, rig.Radio_Recorder(),
                                                 false));
    EXPECT_NE(rig.engine->Start_Error(), "");
    EXPECT_FALSE(rig.engine->InScan());
    EXPECT_FALSE(rig.engine->UDP_Active());
}

// The simulator forwards 2000 telegrams of 40 meters while the GUI thread
// reads the meters under the lock and gives keys; the sanitizers watch.
TEST(WirelessScan, TelegramsKeysAndReadersRunTogether)
{
    TScanRig rig(TRadio::Telit);
    ASSERT_TRUE(rig.Start_Wireless(5, 0));
    ASSERT_TRUE(rig.Wait_Listening());
    std::vector<Bytes> telegrams;
    for (int m = 0; m < 40; ++m) {
        const std::string id = std::to_string(10 + m) + "000000";
        telegrams.push_back(Hex(Plain_Telegram(id)));
    }
    std::atomic<bool> done{false};
    std::atomic<int> forwarded{0};
    std::thread sender([&] {
        for (int round = 0; round < 50; ++round) {
            const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            for (const Bytes& t : telegrams) {
                // Heard again once the module that takes a key is back online.
                while (!rig.sim.Send_Radio(t, 0x50) && std::chrono::steady_clock::now() < limit)
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
                ++forwarded;
            }
            while (rig.sim.Sent() != rig.engine->Datagrams_Received() && std::chrono::steady_clock::now() < limit)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        done = true;
    });
    int keys = 0, pass = 0;
    std::size_t characters = 0;
    while (!done) {
        Application_ProcessMessages();
        {
            std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
            const auto& list = UComon::wMBus_Slave_List;
            for (const auto& m : list)
                for (const auto& v : m->List_Var) characters += v->ValueStr.size();
            if (list.size() == 40 && ++pass % 5 == 0)
                keys += rig.engine->Insert_Wireless_Key(pass % 40, Mode7Key);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    sender.join();
    ASSERT_TRUE(Pump_Until([&] {
        return rig.engine->Step_Scan() == wireless_step::Telit_Listening &&
               rig.radioCalls.size() == rig.engine->Telegrams_Handled();
    }));
    EXPECT_EQ(Meters(), 40u);
    EXPECT_GT(keys, 0);
    EXPECT_GT(characters, 0u);
    EXPECT_EQ(forwarded, 2000);
    EXPECT_LE(rig.engine->Telegrams_Handled(), 2000u);
    rig.engine->Stop_Scan();
    ASSERT_TRUE(rig.Wait_Stopped());
    EXPECT_EQ(rig.engine->Result(), 1);
}

// Closing the program while the engine listens: the gateway is told once
// to leave configuration mode, nobody waits for its answer, and calls still
// queued are dropped.
TEST(WirelessScan, ShutdownWhileListeningLeavesConfigurationModeOnce)
{
    TScanRig rig(TRadio::Telit);
    ASSERT_TRUE(rig.Start_Wireless(5, 0));
    ASSERT_TRUE(rig.Wait_Listening());
    const std::uint64_t before = rig.engine->Datagrams_Received();
    ASSERT_TRUE(rig.sim.Send_Radio(Hex(Mode7), 0x50));
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (rig.engine->Datagrams_Received() == before && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(rig.engine->Telegrams_Handled(), 1u);
    rig.clock.Unwatch();
    rig.engine.reset();
    Application_ProcessMessages();
    EXPECT_TRUE(rig.radioCalls.empty());
    ASSERT_TRUE(Pump_Until([&] { return rig.sim.Count(Disable) > 0; }, 10000));
    Pump_Until([] { return false; }, 200);
    EXPECT_EQ(rig.sim.Count(Disable), 1);
    EXPECT_EQ(rig.sim.Log().back(), Disable);
}

// A call queued for a meter the list no longer holds at its index is dropped.
TEST(WirelessScan, RadioCallForAMeterNoLongerListedIsDropped)
{
    TScanRig rig(TRadio::Telit);
    ASSERT_TRUE(rig.Start_Wireless(5, 0));
    ASSERT_TRUE(rig.Wait_Listening());
    const std::uint64_t before = rig.engine->Datagrams_Received();
    ASSERT_TRUE(rig.sim.Send_Radio(Hex(Mode7), 0x50));
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (rig.engine->Datagrams_Received() == before && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    {
        std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
        UComon::wMBus_Slave_List.clear();
    }
    Application_ProcessMessages();
    EXPECT_TRUE(rig.radioCalls.empty());
    ASSERT_TRUE(rig.Radio(Plain_Telegram("78563412")));
    EXPECT_EQ(rig.radioCalls, std::vector<int>{0});
    rig.engine->Stop_Scan();
    ASSERT_TRUE(rig.Wait_Stopped());
}

// Over a serial port the wireless scan sends nothing and waits at its first
// step until it is stopped; it opens the port the last wired scan named.
TEST(WirelessScan, SerialPathSendsNothingAndWaitsForTheStop)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready()) << "socat is needed (scripts/install-deps)";
    TSerialMeters meters(pty.B());
    ASSERT_TRUE(meters.Open());
    meters.Start();
    TFastClock clock;
    TMBusScanDecode engine(&clock);
    clock.Watch_Serial(&meters, &engine);
    engine.Event_Run().SetEvent();
    EXPECT_FALSE(engine.Start_Scan_Wireless(shSerial, "127.0.0.2", 10001, 5, 0, false, nullptr, false));
    EXPECT_NE(engine.Start_Error(), "");
    EXPECT_FALSE(engine.InScan());

    ASSERT_TRUE(engine.Start_Scan(saPrimaryAddress, shSerial, pty.A(), 2400, 1, false, false, 3, false, 0, false,
                                  nullptr));
    engine.Abort_Scan();
    ASSERT_TRUE(Pump_Until([&] { return !engine.InScan(); }));
    const std::uint64_t sent = engine.Datagrams_Sent();
    ASSERT_TRUE(engine.Start_Scan_Wireless(shSerial, "127.0.0.2", 10001, 5, 0, false, nullptr, false))
        << engine.Start_Error();
    EXPECT_TRUE(engine.Comm().Enabled());
    Pump_Until([] { return false; }, 300);
    EXPECT_TRUE(engine.InScan());
    EXPECT_EQ(engine.Step_Scan(), wireless_step::Start);
    EXPECT_EQ(engine.Result(), 1);
    engine.Stop_Scan();
    ASSERT_TRUE(Pump_Until([&] { return !engine.InScan(); }));
    EXPECT_FALSE(engine.Comm().Enabled());
    EXPECT_EQ(engine.Datagrams_Sent(), sent);
    UComon::MBus_Slave_List.clear();
}

} // namespace
