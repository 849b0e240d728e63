#include "platform/Ping.h"

#include <asio.hpp>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// ICMP over a datagram socket (Linux "ping socket"): no privilege needed
// where the system allows it; the kernel sets the identifier and filters
// the replies of this socket, and no IP header is delivered.
class IcmpDatagram {
public:
    using endpoint = asio::ip::basic_endpoint<IcmpDatagram>;
    using socket = asio::basic_datagram_socket<IcmpDatagram>;
    static IcmpDatagram v4() { return IcmpDatagram(AF_INET); }
    static IcmpDatagram v6() { return IcmpDatagram(AF_INET6); }
    int type() const { return SOCK_DGRAM; }
    int protocol() const { return family_ == AF_INET ? int(IPPROTO_ICMP) : int(IPPROTO_ICMPV6); }
    int family() const { return family_; }
    friend bool operator==(const IcmpDatagram& a, const IcmpDatagram& b) { return a.family_ == b.family_; }
    friend bool operator!=(const IcmpDatagram& a, const IcmpDatagram& b) { return a.family_ != b.family_; }

private:
    explicit IcmpDatagram(int family) : family_(family) {}
    int family_;
};

constexpr std::uint8_t kEchoReply = 0;
constexpr std::uint8_t kEchoRequest = 8;
constexpr std::size_t kIcmpHeader = 8;

std::uint16_t Checksum(const std::vector<std::uint8_t>& data)
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) sum += (std::uint32_t(data[i]) << 8) | data[i + 1];
    if (data.size() % 2) sum += std::uint32_t(data.back()) << 8;
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

std::vector<std::uint8_t> EchoRequest(std::uint16_t id, std::uint16_t sequence, int packetSize)
{
    const std::size_t size = packetSize < int(kIcmpHeader) ? kIcmpHeader : std::size_t(packetSize);
    std::vector<std::uint8_t> p(size, 0);
    p[0] = kEchoRequest;
    p[4] = std::uint8_t(id >> 8);
    p[5] = std::uint8_t(id);
    p[6] = std::uint8_t(sequence >> 8);
    p[7] = std::uint8_t(sequence);
    for (std::size_t i = kIcmpHeader; i < size; ++i) p[i] = std::uint8_t('A' + i % 26);
    const std::uint16_t sum = Checksum(p);
    p[2] = std::uint8_t(sum >> 8);
    p[3] = std::uint8_t(sum);
    return p;
}

std::atomic<std::uint16_t> g_sequence{1};

// Sends the request on an open socket and waits for its reply until the
// time-out. Replies from another host, replies to other requests and ICMP
// error messages are skipped.
template <class Socket, class Endpoint>
TEchoReply Exchange(asio::io_context& io, Socket& sock, const Endpoint& dest, bool raw, int timeoutMs,
                    int packetSize)
{
    const std::uint16_t id = raw ? std::uint16_t(::getpid() & 0xFFFF) : 0;
    const std::uint16_t seq = g_sequence.fetch_add(1);
    const auto request = EchoRequest(id, seq, packetSize);

    std::error_code ec;
    sock.send_to(asio::buffer(request), dest, 0, ec);
    if (ec) throw EPingError("Echo request to " + dest.address().to_string() + " failed: " + ec.message());

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    std::vector<std::uint8_t> buf(65536);
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline) return {};
        bool done = false;
        std::size_t got = 0;
        std::error_code rec;
        Endpoint from;
        sock.async_receive_from(asio::buffer(buf), from, [&](const std::error_code& e, std::size_t n) {
            rec = e;
            got = n;
            done = true;
        });
        io.restart();
        io.run_for(deadline - now);
        if (!done) {
            sock.cancel(ec);
            io.restart();
            io.run();
            if (!done || rec == asio::error::operation_aborted) return {};
        }
        // A receive error (an ICMP error queued on the socket) is no reply.
        if (rec) continue;
        if (from.address() != dest.address()) continue;
        if (IsEchoReply(buf.data(), got, raw, raw, id, seq)) {
            TEchoReply r;
            r.BytesReceived = int(raw ? got - std::size_t(buf[0] & 0x0F) * 4 : got);
            return r;
        }
    }
}

class SystemEchoClient : public IEchoClient {
public:
    TEchoReply Echo(const std::string& host, int timeoutMs, int packetSize) override
    {
        std::uint8_t b[4];
        if (!ParseIPv4(host, b)) throw EPingError("\"" + host + "\" is not an IPv4 address");
        const asio::ip::address_v4 addr(asio::ip::address_v4::bytes_type{b[0], b[1], b[2], b[3]});

        asio::io_context io;
        std::error_code dgramErr;
        IcmpDatagram::socket dgram(io);
        dgram.open(IcmpDatagram::v4(), dgramErr);
        if (!dgramErr) return Exchange(io, dgram, IcmpDatagram::endpoint(addr, 0), false, timeoutMs, packetSize);

        std::error_code rawErr;
        asio::ip::icmp::socket raw(io);
        raw.open(asio::ip::icmp::v4(), rawErr);
        if (!rawErr) return Exchange(io, raw, asio::ip::icmp::endpoint(addr, 0), true, timeoutMs, packetSize);

        throw EPingUnavailable("No ICMP socket can be opened (datagram: " + dgramErr.message() +
                               "; raw: " + rawErr.message() + ")");
    }
};

SystemEchoClient g_systemEcho;
IEchoClient* g_echo = &g_systemEcho;

} // namespace

IEchoClient& EchoClient() { return *g_echo; }

IEchoClient* SetEchoClient(IEchoClient* client)
{
    IEchoClient* old = g_echo;
    g_echo = client ? client : &g_systemEcho;
    return old;
}

bool ParseIPv4(const std::string& text, std::uint8_t (&bytes)[4])
{
    std::size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.') return false;
            ++pos;
        }
        int value = 0;
        std::size_t digits = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            if (++digits > 3) return false;
            value = value * 10 + (text[pos] - '0');
            ++pos;
        }
        if (digits == 0 || value > 255) return false;
        bytes[part] = std::uint8_t(value);
    }
    return pos == text.size();
}

bool IsEchoReply(const std::uint8_t* packet, std::size_t len, bool withIpHeader, bool checkId, std::uint16_t id,
                 std::uint16_t sequence)
{
    if (!packet) return false;
    std::size_t off = 0;
    if (withIpHeader) {
        if (len < 20 || (packet[0] >> 4) != 4) return false;
        off = std::size_t(packet[0] & 0x0F) * 4;
        if (off < 20 || packet[9] != IPPROTO_ICMP) return false;
    }
    if (len < off || len - off < kIcmpHeader) return false;
    const std::uint8_t* icmp = packet + off;
    if (icmp[0] != kEchoReply || icmp[1] != 0) return false;
    if (checkId && ((std::uint16_t(icmp[4]) << 8) | icmp[5]) != id) return false;
    return ((std::uint16_t(icmp[6]) << 8) | icmp[7]) == sequence;
}
