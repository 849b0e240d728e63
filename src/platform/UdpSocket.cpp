#include "platform/UdpSocket.h"

#include <asio.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <mutex>
#include <thread>

namespace {

constexpr std::size_t kMaxDatagram = 65536;

asio::ip::address_v4 Address_Or_Raise(const std::string& ip, const char* what)
{
    std::error_code ec;
    const asio::ip::address_v4 a = asio::ip::make_address_v4(ip, ec);
    if (ec) throw EUdpError(std::string(what) + " \"" + ip + "\" is no IPv4 address");
    return a;
}

struct Receiver {
    explicit Receiver(asio::io_context& io) : socket(io) {}
    asio::ip::udp::socket socket;
    asio::ip::udp::endpoint peer;
    std::array<std::uint8_t, kMaxDatagram> buffer{};
};

} // namespace

struct TUdpServer::Impl {
    mutable std::mutex mutex;  // guards everything below but the receivers' use on the listener thread
    std::vector<TUdpBinding> bindings;
    std::string defaultIP;
    int bufferSize = 8192;
    TReadEvent onRead;
    bool active = false;

    asio::io_context io;
    std::vector<std::unique_ptr<Receiver>> receivers;
    std::thread listener;

    void Arm(Receiver& r)
    {
        r.socket.async_receive_from(asio::buffer(r.buffer), r.peer, [this, &r](const std::error_code& ec,
                                                                              std::size_t n) {
            if (ec == asio::error::operation_aborted || ec == asio::error::bad_descriptor) return;
            // Other errors (an earlier datagram refused by its target, a
            // datagram too long for the buffer) end only that datagram.
            if (!ec && n <= static_cast<std::size_t>(bufferSize) && onRead) {
                try {
                    onRead(r.buffer.data(), n, r.peer.address().to_string(), r.peer.port());
                } catch (...) {
                }
            }
            if (r.socket.is_open()) Arm(r);
        });
    }

    void Close_All()
    {
        for (auto& r : receivers) {
            std::error_code ec;
            r->socket.close(ec);
        }
        receivers.clear();
    }
};

TUdpServer::TUdpServer() : impl_(std::make_unique<Impl>()) {}

TUdpServer::~TUdpServer()
{
    try {
        SetActive(false);
    } catch (...) {
    }
}

std::vector<TUdpBinding> TUdpServer::Bindings() const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->bindings;
}

void TUdpServer::Clear_Bindings()
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->active) throw EUdpError("Bindings cannot change while the socket is active");
    impl_->bindings.clear();
}

void TUdpServer::Add_Binding(const std::string& ip, std::uint16_t port)
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->active) throw EUdpError("Bindings cannot change while the socket is active");
    impl_->bindings.push_back({ip, port});
}

std::string TUdpServer::Default_IP() const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->defaultIP;
}

void TUdpServer::Set_Default_IP(const std::string& ip)
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->defaultIP = ip;
}

int TUdpServer::BufferSize() const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->bufferSize;
}

void TUdpServer::SetBufferSize(int bytes)
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->active) throw EUdpError("The buffer size cannot change while the socket is active");
    impl_->bufferSize = bytes < 1 ? 1 : bytes;
}

void TUdpServer::Set_On_Read(TReadEvent handler)
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->active) throw EUdpError("The read handler cannot change while the socket is active");
    impl_->onRead = std::move(handler);
}

bool TUdpServer::Active() const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->active;
}

void TUdpServer::SetActive(bool on)
{
    Impl& d = *impl_;
    if (on) {
        std::lock_guard<std::mutex> lock(d.mutex);
        if (d.active) return;
        std::vector<TUdpBinding> wanted = d.bindings;
        if (wanted.empty()) wanted.push_back({d.defaultIP, 0});
        d.io.restart();
        try {
            for (const TUdpBinding& b : wanted) {
                const asio::ip::address_v4 addr =
                    b.IP.empty() ? asio::ip::address_v4::any() : Address_Or_Raise(b.IP, "Binding address");
                auto r = std::make_unique<Receiver>(d.io);
                std::error_code ec;
                r->socket.open(asio::ip::udp::v4(), ec);
                if (!ec) r->socket.bind(asio::ip::udp::endpoint(addr, b.Port), ec);
                if (ec)
                    throw EUdpError("Could not bind socket on " + (b.IP.empty() ? std::string("*") : b.IP) + ":" +
                                    std::to_string(b.Port) + ": " + ec.message());
                d.receivers.push_back(std::move(r));
            }
        } catch (...) {
            d.Close_All();
            throw;
        }
        for (auto& r : d.receivers) d.Arm(*r);
        d.active = true;
        d.listener = std::thread([&d] { d.io.run(); });
        return;
    }

    std::thread listener;
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        if (!d.active) return;
        d.active = false;
        d.io.stop();
        listener = std::move(d.listener);
    }
    if (listener.joinable()) {
        if (listener.get_id() == std::this_thread::get_id()) {
            listener.detach();  // refused use from the read handler: never self-join
        } else {
            listener.join();
        }
    }
    std::lock_guard<std::mutex> lock(d.mutex);
    d.Close_All();
    // Runs the cancelled receives' handlers (they end at once) so none is
    // left behind for the next activation.
    d.io.restart();
    d.io.poll();
}

std::uint16_t TUdpServer::Local_Port(std::size_t i) const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (!impl_->active || i >= impl_->receivers.size()) return 0;
    std::error_code ec;
    const auto ep = impl_->receivers[i]->socket.local_endpoint(ec);
    return ec ? 0 : ep.port();
}

void TUdpServer::Send(const std::string& ip, std::uint16_t port, const std::uint8_t* data, std::size_t size)
{
    const asio::ip::address_v4 addr = Address_Or_Raise(ip, "Address");
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (!impl_->active || impl_->receivers.empty()) throw EUdpError("The socket is not active");
    // The system call directly: the listener thread owns the socket object's
    // asynchronous state, the kernel serialises the descriptor's use.
    const int fd = impl_->receivers.front()->socket.native_handle();
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(addr.to_uint());
    for (int attempt = 0;; ++attempt) {
        const ssize_t n = ::sendto(fd, data, size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        if (n == static_cast<ssize_t>(size)) return;
        const int err = n < 0 ? errno : EMSGSIZE;
        // A refusal reported for an earlier datagram, or a full send
        // buffer, does not concern this one: try again a few times.
        if ((err == ECONNREFUSED || err == EAGAIN || err == EWOULDBLOCK || err == EINTR) && attempt < 3) continue;
        throw EUdpError("Datagram to " + ip + ":" + std::to_string(port) +
                        " not sent: " + std::error_code(err, std::system_category()).message());
    }
}
