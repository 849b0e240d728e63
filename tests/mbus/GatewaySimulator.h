#pragma once
// A stand-in for the gateway of the M-Bus scans, on 127.0.0.2 and a free
// UDP port. It answers the gateway's text commands as whole datagrams and
// forwards M-Bus frames to the meters it holds, each answer as one
// datagram ("NO_SLAVE\n\r" when no meter matches a selection). With a
// radio module (Telit or Radiocrafts) it also takes the configuration
// mode's commands, answers the module's commands as the module does, and
// forwards radio telegrams on demand in the module's datagram form while
// the module is online. Every request is logged; the counters let a test
// clock wait until nothing is in flight.

#include "MeterBus.h"

#include <asio.hpp>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TGatewaySimulator {
public:
    using Bytes = TMeterBus::Bytes;
    // The radio module the gateway carries (Other: one it does not name
    // as either).
    enum class TRadio { None, Telit, RadioCrafts, Other };

    static Bytes Long_Frame(int primary, std::uint32_t identification, const Bytes& records)
    {
        return TMeterBus::Long_Frame(primary, identification, records);
    }

    TGatewaySimulator() : socket_(io_, asio::ip::udp::endpoint(asio::ip::make_address_v4("127.0.0.2"), 0))
    {
        Receive();
        thread_ = std::thread([this] { io_.run(); });
    }
    ~TGatewaySimulator()
    {
        io_.stop();
        thread_.join();
    }
    TGatewaySimulator(const TGatewaySimulator&) = delete;
    TGatewaySimulator& operator=(const TGatewaySimulator&) = delete;

    std::uint16_t Port() const { return socket_.local_endpoint().port(); }

    // Set up before the scan starts.
    void Add_Meter(int primary, std::uint32_t identification, std::vector<Bytes> frames)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        bus_.Add_Meter(primary, identification, std::move(frames));
    }
    // Called on the simulator's thread with each request before it is
    // answered (a test stops the scan at an exact point with it).
    void On_Request(std::function<void(const Bytes&)> fn)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        onRequest_ = std::move(fn);
    }
    // Called on the simulator's thread with each request after its answer
    // went out (a test sends a radio telegram right behind an answer).
    void On_Answered(std::function<void(const Bytes&)> fn)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        onAnswered_ = std::move(fn);
    }
    // What the gateway answers to the line settings ("\n\rDone!" at start).
    void Set_Line_Settings_Answer(const std::string& text)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lineSettingsAnswer_ = text;
    }
    // Answers nothing at all.
    void Set_Silent(bool on) { silent_ = on; }
    // A selection that no meter matches is answered with garbage, as on a
    // shorted or disturbed bus.
    void Set_Noisy(bool on)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        bus_.Set_Noisy(on);
    }
    void Set_Radio(TRadio radio)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        radio_ = radio;
    }
    // What the Radiocrafts module answers to "0" (its 256 memory bytes and
    // the prompt at start).
    void Set_Memory_Dump(const Bytes& answer)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        memoryDump_ = answer;
    }
    // The radio module forwards what it hears: from "ATO\r" (Telit) or "X"
    // (Radiocrafts) until it is called back into command mode.
    bool Online() const { return online_; }

    // A radio telegram (length byte first, no check sums) in the module's
    // datagram form: Telit appends 00 and the signal byte; Radiocrafts
    // counts the signal byte in the length byte and appends it.
    Bytes Radio_Datagram(const Bytes& telegram, std::uint8_t rssi) const
    {
        Bytes d = telegram;
        std::lock_guard<std::mutex> lock(mutex_);
        if (radio_ == TRadio::RadioCrafts) {
            if (!d.empty()) ++d[0];
        } else {
            d.push_back(0x00);
        }
        d.push_back(rssi);
        return d;
    }
    // Forwards a telegram heard by the module to the configurator that
    // last spoke to the gateway, when the module is online (a telegram
    // heard in command mode is lost). True when it went out.
    bool Send_Radio(const Bytes& telegram, std::uint8_t rssi)
    {
        const Bytes d = Radio_Datagram(telegram, rssi);
        return Run_On_Io([&] { return online_ && Send_Now(Peer(), d); });
    }
    // A datagram as it is, to the configurator that last spoke to the
    // gateway, or to 127.0.0.1:port.
    bool Send_Datagram(const Bytes& d)
    {
        return Run_On_Io([&] { return Send_Now(Peer(), d); });
    }
    bool Send_To(std::uint16_t port, const Bytes& d)
    {
        const asio::ip::udp::endpoint to(asio::ip::make_address_v4("127.0.0.1"), port);
        return Run_On_Io([&] { return Send_Now(to, d); });
    }
    // Answers a collision with a datagram longer than the engine's answer
    // buffer instead of a few garbage bytes.
    void Set_Oversized_Collisions(bool on)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        bus_.Set_Collision_Size(on ? 2100 : 3);
    }

    std::vector<Bytes> Log() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return log_;
    }
    // How often the log holds exactly `request`.
    int Count(const Bytes& request) const
    {
        int n = 0;
        for (const Bytes& b : Log()) n += b == request;
        return n;
    }
    int Count(const std::string& text) const { return Count(Bytes(text.begin(), text.end())); }
    // Index of the first log entry equal to `request`, -1 when none.
    int Find(const Bytes& request) const
    {
        const auto log = Log();
        for (std::size_t i = 0; i < log.size(); ++i)
            if (log[i] == request) return static_cast<int>(i);
        return -1;
    }

    // Datagrams handled (answered or not) and datagrams sent (answers and
    // radio telegrams).
    std::uint64_t Received() const { return received_; }
    std::uint64_t Sent() const { return sent_; }

private:
    void Receive()
    {
        socket_.async_receive_from(asio::buffer(buffer_), peer_, [this](const std::error_code& ec, std::size_t n) {
            if (ec == asio::error::operation_aborted) return;
            if (!ec) {
                const Bytes request(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(n));
                std::function<void(const Bytes&)> hook, after;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    hook = onRequest_;
                    after = onAnswered_;
                    lastPeer_ = peer_;
                }
                if (hook) hook(request);
                Bytes reply;
                bool answer = false;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    log_.push_back(request);
                    answer = !silent_ && Answer(request, reply);
                }
                if (answer) Send_Now(peer_, reply);
                if (after) after(request);
                ++received_;  // after the reply went out: nothing of it is in flight any more
            }
            Receive();
        });
    }

    asio::ip::udp::endpoint Peer() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return lastPeer_;
    }

    // On the simulator's thread only.
    bool Send_Now(const asio::ip::udp::endpoint& to, const Bytes& d)
    {
        std::error_code ec;
        socket_.send_to(asio::buffer(d), to, 0, ec);
        if (ec) return false;
        ++sent_;
        return true;
    }

    // Runs fn on the simulator's thread (at once when called there, from a
    // request hook) and returns its result.
    bool Run_On_Io(const std::function<bool()>& fn)
    {
        if (std::this_thread::get_id() == thread_.get_id()) return fn();
        std::promise<bool> done;
        asio::post(io_, [&] { done.set_value(fn()); });
        return done.get_future().get();
    }

    // The gateway's answer to one datagram; False for none.
    bool Answer(const Bytes& r, Bytes& reply)
    {
        if (radio_ != TRadio::None) {
            if (r == TMeterBus::Text("Quembo_Enable_Configuration_Mode")) {
                reply = TMeterBus::Text("\n\rConfiguration_Mode Enabled!\n\r");
                return true;
            }
            if (r == TMeterBus::Text("Quembo_Type_Radio_Module")) {
                reply = TMeterBus::Text(radio_ == TRadio::Telit         ? "\n\rTELIT\n\r"
                                        : radio_ == TRadio::RadioCrafts ? "\n\rRADIOCRAFTS\n\r"
                                                                        : "\n\rOTHER\n\r");
                return true;
            }
            if (r == TMeterBus::Text("Quembo_Disable_Configuration_Mode")) {
                reply = TMeterBus::Text("\n\rConfiguration_Mode Disabled!\n\r");
                rcExpect_ = TExpect::Command;
                return true;
            }
            if (radio_ == TRadio::Telit) return Telit_Answer(r, reply);
            if (radio_ == TRadio::RadioCrafts) return RadioCrafts_Answer(r, reply);
            return false;
        }
        if (r == TMeterBus::Text("Quembo_Enable_Analyzer_Mode")) {
            reply = TMeterBus::Text("\n\rAnalyzer_Mode Enabled!\n\r");
            return true;
        }
        if (r == TMeterBus::Text("Quembo_Disable_Analyzer_Mode")) {
            reply = TMeterBus::Text("\n\rAnalyzer_Mode Disabled!\n\r");
            return true;
        }
        if (r.size() == 17 && std::memcmp(r.data(), "Quembo_S_M:", 11) == 0) {
            reply = Bytes(lineSettingsAnswer_.begin(), lineSettingsAnswer_.end());
            return true;
        }
        return bus_.Answer(r, reply, true);
    }

    // "+++" calls the Telit module into command mode, "ATO\r" back online;
    // every AT command is answered "OK\r".
    bool Telit_Answer(const Bytes& r, Bytes& reply)
    {
        const std::string text(r.begin(), r.end());
        if (text == "+++") {
            online_ = false;
        } else if (text.size() < 3 || text.compare(0, 2, "AT") != 0 || text.back() != '\r') {
            return false;
        } else if (text == "ATO\r") {
            online_ = true;
        }
        reply = TMeterBus::Text("OK\r");
        return true;
    }

    // The Radiocrafts module: 00 calls it into command mode, "X" back
    // online; commands are confirmed by the prompt, the memory
    // configuration after "M" ends with FF, and the key table's commands
    // "B" (slot, address), "K" (slot, key) and "A" (slot, 2 bytes) take
    // their slot unconfirmed and confirm their data.
    bool RadioCrafts_Answer(const Bytes& r, Bytes& reply)
    {
        const Bytes prompt{'>'};
        switch (rcExpect_) {
        case TExpect::Memory:
            if (r == Bytes{0xFF}) break;
            return false;  // address and value pairs
        case TExpect::Slot:
            rcExpect_ = TExpect::Data;
            return false;
        case TExpect::Data:
            rcExpect_ = TExpect::Command;
            reply = prompt;
            return true;
        case TExpect::Command:
            if (r.size() != 1) return false;
            switch (r[0]) {
            case 0x00: online_ = false; break;
            case 'X': online_ = true; return false;
            case '0': reply = memoryDump_; return true;
            case 'M': rcExpect_ = TExpect::Memory; break;
            case 'B': case 'K': case 'A':
                rcExpect_ = TExpect::Slot;
                break;
            default: return false;
            }
            reply = prompt;
            return true;
        }
        rcExpect_ = TExpect::Command;
        reply = prompt;
        return true;
    }

    static Bytes Memory_Dump()
    {
        Bytes b(256, 0x00);
        b.push_back('>');
        return b;
    }

    enum class TExpect { Command, Memory, Slot, Data };

    asio::io_context io_;
    asio::ip::udp::socket socket_;
    asio::ip::udp::endpoint peer_;
    std::array<std::uint8_t, 65536> buffer_{};
    std::thread thread_;
    mutable std::mutex mutex_;
    TMeterBus bus_;
    std::vector<Bytes> log_;
    std::function<void(const Bytes&)> onRequest_;
    std::function<void(const Bytes&)> onAnswered_;
    std::string lineSettingsAnswer_ = "\n\rDone!";
    asio::ip::udp::endpoint lastPeer_;
    TRadio radio_ = TRadio::None;
    Bytes memoryDump_ = Memory_Dump();
    TExpect rcExpect_ = TExpect::Command;
    std::atomic<bool> online_{false};
    std::atomic<bool> silent_{false};
    std::atomic<std::uint64_t> received_{0};
    std::atomic<std::uint64_t> sent_{0};
};
