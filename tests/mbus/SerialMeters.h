#pragma once
// Meters behind a serial M-Bus interface: a thread reads the requests from
// one end of a pseudo-terminal pair, splits them into M-Bus frames and
// writes the meters' answers back. Requests are logged and counted, like
// the bytes answered, so a test clock can wait until nothing is in flight.

#include "MeterBus.h"
#include "platform/SerialDevice.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TSerialMeters {
public:
    using Bytes = TMeterBus::Bytes;

    explicit TSerialMeters(const std::string& device) { open_ = dev_.Open(device) == 0; }
    ~TSerialMeters()
    {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    TSerialMeters(const TSerialMeters&) = delete;
    TSerialMeters& operator=(const TSerialMeters&) = delete;

    bool Open() const { return open_; }
    void Add_Meter(int primary, std::uint32_t identification, std::vector<Bytes> frames)
    {
        bus_.Add_Meter(primary, identification, std::move(frames));
    }
    // Answers a collision with this many garbage bytes (3 at start).
    void Set_Collision_Size(std::size_t n) { bus_.Set_Collision_Size(n); }
    // Starts answering (after the meters are added).
    void Start()
    {
        thread_ = std::thread([this] { Run(); });
    }

    std::vector<Bytes> Log() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return log_;
    }
    std::uint64_t Requests() const { return requests_; }
    std::uint64_t Bytes_Sent() const { return bytesSent_; }

private:
    void Run()
    {
        Bytes in;
        while (!stop_) {
            std::uint8_t buf[256];
            int err = 0;
            const int n = dev_.Read(buf, sizeof buf, err);
            if (n > 0) in.insert(in.end(), buf, buf + n);
            bool took = false;
            while (!in.empty()) {
                std::size_t len = 0;
                if (in[0] == 0x10) len = 5;
                else if (in[0] == 0x68 && in.size() >= 2) len = static_cast<std::size_t>(in[1]) + 6;
                else if (in[0] != 0x68) {
                    in.erase(in.begin());  // not the start of a frame
                    continue;
                }
                if (len == 0 || in.size() < len) break;
                const Bytes request(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(len));
                in.erase(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(len));
                Bytes reply;
                if (bus_.Answer(request, reply, false)) {
                    int werr = 0;
                    dev_.Write(reply.data(), reply.size(), 1000, werr);
                    bytesSent_ += reply.size();
                }
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    log_.push_back(request);
                }
                ++requests_;  // after the answer went out
                took = true;
            }
            if (n <= 0 && !took) std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    TSerialDevice dev_;
    bool open_ = false;
    TMeterBus bus_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<Bytes> log_;
    std::atomic<std::uint64_t> requests_{0};
    std::atomic<std::uint64_t> bytesSent_{0};
};
