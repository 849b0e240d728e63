#pragma once
// A stand-in for the gateway of the wired M-Bus scan, on 127.0.0.2 and a
// free UDP port. It answers the gateway's text commands as whole datagrams
// and the M-Bus frames for the meters it holds, as the gateway forwards
// them: E5, the meter's long frames, "NO_SLAVE\n\r" when no meter matches a
// selection, and garbage when several meters answer at once. Every request
// is logged; the counters let a test clock wait until nothing is in flight.

#include <asio.hpp>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TGatewaySimulator {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Meter {
        int Primary = 0;
        std::uint32_t Identification = 0;  // BCD digits as written: 0x12345678 is "12345678"
        std::vector<Bytes> Frames;         // full long frames, answered in turn
        // Reply state: frame last sent, frame-count bit of the last request.
        int Last = -1;
        int LastFcb = -1;
        bool Selected = false;
    };

    // A long frame (C 08, CI 72) from a meter with the given address and
    // identification, manufacturer KAM, version 1, medium 7, around records.
    static Bytes Long_Frame(int primary, std::uint32_t identification, const Bytes& records)
    {
        Bytes body = {0x08, static_cast<std::uint8_t>(primary), 0x72};
        for (int i = 0; i < 4; ++i) body.push_back(static_cast<std::uint8_t>(identification >> (8 * i)));
        const Bytes tail = {0x2D, 0x2C, 0x01, 0x07, 0x55, 0x00, 0x00, 0x00};
        body.insert(body.end(), tail.begin(), tail.end());
        body.insert(body.end(), records.begin(), records.end());
        Bytes f = {0x68, static_cast<std::uint8_t>(body.size()), static_cast<std::uint8_t>(body.size()), 0x68};
        f.insert(f.end(), body.begin(), body.end());
        unsigned cs = 0;
        for (std::uint8_t b : body) cs += b;
        f.push_back(static_cast<std::uint8_t>(cs));
        f.push_back(0x16);
        return f;
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
        Meter m;
        m.Primary = primary;
        m.Identification = identification;
        m.Frames = std::move(frames);
        meters_.push_back(std::move(m));
    }
    // Answers nothing at all.
    void Set_Silent(bool on) { silent_ = on; }
    // Answers a collision with a datagram longer than the engine's answer
    // buffer instead of a few garbage bytes.
    void Set_Oversized_Collisions(bool on) { oversized_ = on; }

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
    int Find(const Bytes& request, int from = 0) const
    {
        const auto log = Log();
        for (int i = from; i < static_cast<int>(log.size()); ++i)
            if (log[static_cast<std::size_t>(i)] == request) return i;
        return -1;
    }

    // Datagrams handled (answered or not) and datagrams sent back.
    std::uint64_t Received() const { return received_; }
    std::uint64_t Sent() const { return sent_; }

private:
    static Bytes Text(const char* s) { return Bytes(s, s + std::strlen(s)); }

    void Receive()
    {
        socket_.async_receive_from(asio::buffer(buffer_), peer_, [this](const std::error_code& ec, std::size_t n) {
            if (ec == asio::error::operation_aborted) return;
            if (!ec) {
                const Bytes request(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(n));
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

    static bool Digits_Match(std::uint32_t id, const std::uint8_t* sel)
    {
        for (int byte = 0; byte < 4; ++byte)
            for (int nib = 0; nib < 2; ++nib) {
                const unsigned want = (sel[byte] >> (4 * nib)) & 0x0F;
                const unsigned have = (id >> (8 * byte + 4 * nib)) & 0x0F;
                if (want != 0x0F && want != have) return false;
            }
        return true;
    }

    Bytes Next_Frame(Meter& m, std::uint8_t c)
    {
        const int fcb = (c >> 5) & 1;
        if (m.Last < 0 || fcb != m.LastFcb) m.Last = (m.Last + 1) % static_cast<int>(m.Frames.size());
        m.LastFcb = fcb;
        return m.Frames[static_cast<std::size_t>(m.Last)];
    }

    Bytes Collision() const { return oversized_ ? Bytes(2100, 0xE5) : Bytes{0xE5, 0x3A, 0x68}; }

    // The gateway's answer to one datagram; False for none.
    bool Answer(const Bytes& r, Bytes& reply)
    {
        if (r == Text("Quembo_Enable_Analyzer_Mode")) {
            reply = Text("\n\rAnalyzer_Mode Enabled!\n\r");
            return true;
        }
        if (r == Text("Quembo_Disable_Analyzer_Mode")) {
            reply = Text("\n\rAnalyzer_Mode Disabled!\n\r");
            return true;
        }
        if (r.size() == 17 && std::memcmp(r.data(), "Quembo_S_M:", 11) == 0) {
            reply = Text("\n\rDone!");
            return true;
        }
        // Short frame 10 C A CS 16.
        if (r.size() == 5 && r[0] == 0x10 && r[4] == 0x16) {
            const std::uint8_t c = r[1], a = r[2];
            if (c == 0x40) {  // SND_NKE
                int answered = 0;
                for (Meter& m : meters_)
                    if (a == 255 || (a == 253 ? m.Selected : m.Primary == a)) {
                        m.Last = -1;
                        m.LastFcb = -1;
                        if (a == 253) m.Selected = false;
                        ++answered;
                    }
                if (a == 255 || answered == 0) return false;
                reply = answered == 1 ? Bytes{0xE5} : Collision();
                return true;
            }
            if ((c & 0xCF) == 0x4B) {  // REQ_UD2
                std::vector<Meter*> who;
                for (Meter& m : meters_)
                    if (a == 253 ? m.Selected : m.Primary == a) who.push_back(&m);
                if (who.empty()) return false;
                reply = who.size() == 1 ? Next_Frame(*who.front(), c) : Collision();
                return true;
            }
            return false;
        }
        // Long frames 68 L L 68 C A CI ...
        if (r.size() >= 9 && r[0] == 0x68 && r[3] == 0x68) {
            const std::uint8_t a = r[5], ci = r[6];
            if (ci == 0x52 && r.size() == 17) {  // selection by secondary address
                int matched = 0;
                for (Meter& m : meters_) {
                    m.Selected = Digits_Match(m.Identification, &r[7]);
                    matched += m.Selected;
                }
                reply = matched == 0 ? Text("NO_SLAVE\n\r") : matched == 1 ? Bytes{0xE5} : Collision();
                return true;
            }
            if (ci == 0x50) {  // application reset
                int answered = 0;
                for (Meter& m : meters_) answered += a == 255 || (a == 253 ? m.Selected : m.Primary == a);
                if (a == 255 || answered == 0) return false;
                reply = answered == 1 ? Bytes{0xE5} : Collision();
                return true;
            }
        }
        return false;
    }

    asio::io_context io_;
    asio::ip::udp::socket socket_;
    asio::ip::udp::endpoint peer_;
    std::array<std::uint8_t, 65536> buffer_{};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<Meter> meters_;
    std::vector<Bytes> log_;
    std::atomic<bool> silent_{false};
    std::atomic<bool> oversized_{false};
    std::atomic<std::uint64_t> received_{0};
    std::atomic<std::uint64_t> sent_{0};
};
