#pragma once
// A stand-in for the gateway of the wired M-Bus scan, on 127.0.0.2 and a
// free UDP port. It answers the gateway's text commands as whole datagrams
// and forwards M-Bus frames to the meters it holds, each answer as one
// datagram ("NO_SLAVE\n\r" when no meter matches a selection). Every
// request is logged; the counters let a test clock wait until nothing is
// in flight.

#include "MeterBus.h"

#include <asio.hpp>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TGatewaySimulator {
public:
    using Bytes = TMeterBus::Bytes;

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
    // What the gateway answers to the line settings ("\n\rDone!" at start).
    void Set_Line_Settings_Answer(const std::string& text)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lineSettingsAnswer_ = text;
    }
    // Answers nothing at all.
    void Set_Silent(bool on) { silent_ = on; }
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

    // Datagrams handled (answered or not) and datagrams sent back.
    std::uint64_t Received() const { return received_; }
    std::uint64_t Sent() const { return sent_; }

private:
    void Receive()
    {
        socket_.async_receive_from(asio::buffer(buffer_), peer_, [this](const std::error_code& ec, std::size_t n) {
            if (ec == asio::error::operation_aborted) return;
            if (!ec) {
                const Bytes request(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(n));
                std::function<void(const Bytes&)> hook;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    hook = onRequest_;
                }
                if (hook) hook(request);
                Bytes reply;
                bool answer = false;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    log_.push_back(request);
                    answer = !silent_ && Answer(request, reply);
                }
                if (answer) {
                    std::error_code sendEc;
                    socket_.send_to(asio::buffer(reply), peer_, 0, sendEc);
                    ++sent_;
                }
                ++received_;  // after the reply went out: nothing of it is in flight any more
            }
            Receive();
        });
    }

    // The gateway's answer to one datagram; False for none.
    bool Answer(const Bytes& r, Bytes& reply)
    {
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

    asio::io_context io_;
    asio::ip::udp::socket socket_;
    asio::ip::udp::endpoint peer_;
    std::array<std::uint8_t, 65536> buffer_{};
    std::thread thread_;
    mutable std::mutex mutex_;
    TMeterBus bus_;
    std::vector<Bytes> log_;
    std::function<void(const Bytes&)> onRequest_;
    std::string lineSettingsAnswer_ = "\n\rDone!";
    std::atomic<bool> silent_{false};
    std::atomic<std::uint64_t> received_{0};
    std::atomic<std::uint64_t> sent_{0};
};
