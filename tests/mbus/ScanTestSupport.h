#pragma once
// Helpers of the scan engine tests: a tick clock that runs as fast as the
// engine lets it while staying in step with the gateway simulator, and a
// rig holding simulator, clock and engine.

#include "GatewaySimulator.h"
#include "SerialMeters.h"
#include "core/UComon.h"
#include "mbus/MBusTestSupport.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Application.h"
#include "platform/MainThread.h"
#include "platform/Ping.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

// Time jumps by each sleep, without waiting; but it moves on only once every
// datagram in flight between engine and simulator has been handled, so an
// answer always arrives before its time-out, however busy the machine is.
class TFastClock : public ITickClock {
public:
    explicit TFastClock(std::uint64_t start = 100000) : now_(start) {}
    // Call while the engine is idle; what it sent and received before (to
    // another simulator) does not count.
    void Watch(const TGatewaySimulator* sim, const TMBusScanDecode* engine)
    {
        sentBase_ = engine->Datagrams_Sent();
        receivedBase_ = engine->Datagrams_Received();
        sim_ = sim;
        engine_ = engine;
    }
    // The engine talks to meters over a serial port instead.
    void Watch_Serial(const TSerialMeters* meters, TMBusScanDecode* engine)
    {
        meters_ = meters;
        serialEngine_ = engine;
    }
    // Time moves on without waiting for anything (the engine is about to go
    // and its last datagrams will never be answered).
    void Unwatch()
    {
        sim_ = nullptr;
        engine_ = nullptr;
    }
    std::uint64_t TickCount() override { return now_; }
    void Sleep(int ms) override
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Quiet() && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        std::this_thread::yield();
        now_ += static_cast<std::uint64_t>(ms < 0 ? 0 : ms);
    }

private:
    bool Quiet() const
    {
        const TSerialMeters* meters = meters_;
        TMBusScanDecode* serial = serialEngine_;
        if (meters && serial) {
            const int queued = serial->Comm().InQueCount();
            return serial->Datagrams_Sent() == meters->Requests() &&
                   meters->Bytes_Sent() == serial->Serial_Bytes_Read() + static_cast<std::uint64_t>(queued < 0 ? 0 : queued);
        }
        const TGatewaySimulator* sim = sim_;
        const TMBusScanDecode* engine = engine_;
        if (!sim || !engine) return true;
        return engine->Datagrams_Sent() - sentBase_ == sim->Received() &&
               sim->Sent() == engine->Datagrams_Received() - receivedBase_;
    }
    std::atomic<std::uint64_t> now_;
    std::atomic<const TGatewaySimulator*> sim_{nullptr};
    std::atomic<const TMBusScanDecode*> engine_{nullptr};
    std::atomic<std::uint64_t> sentBase_{0};
    std::atomic<std::uint64_t> receivedBase_{0};
    std::atomic<const TSerialMeters*> meters_{nullptr};
    std::atomic<TMBusScanDecode*> serialEngine_{nullptr};
};

using TCall = std::array<int, 4>;

// Pumps the GUI thread's events until pred holds or the limit passes.
inline bool Pump_Until(const std::function<bool()>& pred, int limitMs = 60000)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        Application_ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Application_ProcessMessages();
    return true;
}

// Simulator, fast clock and a running engine bound to 127.0.0.1 that talks
// to the simulator (a wireless scan on the simulator's port number). The
// meter lists are emptied before and after.
class TScanRig {
public:
    explicit TScanRig(TGatewaySimulator::TRadio radio = TGatewaySimulator::TRadio::None)
    {
        UComon::MBus_Slave_List.clear();
        UComon::wMBus_Slave_List.clear();
        sim.Set_Radio(radio);
        engine = std::make_unique<TMBusScanDecode>(&clock);
        clock.Watch(&sim, engine.get());
        engine->Set_Gateway_Port(sim.Port());
        engine->Set_Local_Address("127.0.0.1");
        engine->Event_Run().SetEvent();
    }
    ~TScanRig()
    {
        engine.reset();
        UComon::MBus_Slave_List.clear();
        UComon::wMBus_Slave_List.clear();
    }

    TProc_Slave_List Recorder()
    {
        return [this](int e, int v, int f, int k) {
            EXPECT_TRUE(Is_Main_Thread());  // queued to the GUI thread
            calls.push_back({e, v, f, k});
        };
    }
    bool Start(TScanType type, const std::string& ip = "127.0.0.2", int cutAfter = 3, bool appReset = false,
               bool sndNke = false)
    {
        return engine->Start_Scan(type, shEthernet, ip, 2400, 1, appReset, sndNke, cutAfter, false, 0, false,
                                  Recorder());
    }
    // Waits for the end of the scan and, when one is due, its final call.
    bool Wait_End(bool finalCall)
    {
        return Pump_Until([&] {
            return !engine->InScan() && (!finalCall || (!calls.empty() && calls.back()[0] == 3));
        });
    }
    bool Called(const TCall& c) const
    {
        for (const TCall& x : calls)
            if (x == c) return true;
        return false;
    }

    // The wireless scan: mode code and channel index.
    TProc_Wireless Radio_Recorder()
    {
        return [this](int index, TSlave_wMBus* meter) {
            EXPECT_TRUE(Is_Main_Thread());  // queued to the GUI thread
            radioCalls.push_back(index);
            radioMeters.push_back(meter);
        };
    }
    bool Start_Wireless(int mode, int channel, bool fromDll = false)
    {
        return engine->Start_Scan_Wireless(shEthernet, "127.0.0.2", sim.Port(), mode, channel, false,
                                           Radio_Recorder(), fromDll);
    }
    bool Wait_Listening()
    {
        return Pump_Until([&] { return engine->Wireless_Receive_Message(); });
    }
    // Forwards a telegram through the simulator's module and waits until the
    // engine has taken it and the GUI thread has had its queued calls.
    bool Radio(const std::string& telegramHex, std::uint8_t rssi = 0x50)
    {
        const std::uint64_t before = engine->Datagrams_Received();
        if (!sim.Send_Radio(Hex(telegramHex), rssi)) return false;
        return Pump_Until([&] { return engine->Datagrams_Received() > before; });
    }
    // Waits until the wireless scan ended.
    bool Wait_Stopped()
    {
        return Pump_Until([&] { return !engine->InScan(); });
    }

    TGatewaySimulator sim;
    TFastClock clock;
    std::unique_ptr<TMBusScanDecode> engine;
    std::vector<TCall> calls;  // progress calls, on the GUI thread
    std::vector<int> radioCalls;  // radio-meter calls, on the GUI thread
    std::vector<TSlave_wMBus*> radioMeters;
};
