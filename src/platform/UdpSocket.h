#pragma once
// UDP socket with the internet library's server semantics: zero or more
// local bindings, activated and deactivated as a whole, received datagrams
// delivered on a listener thread of its own, datagrams sent from the first
// bound socket (so answers come back to it).

#include "platform/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A binding failed, an address is no IPv4 address, a send failed, or the
// socket was used in a state that does not allow it.
class EUdpError : public Exception {
public:
    using Exception::Exception;
};

struct TUdpBinding {
    std::string IP;         // "" = every interface
    std::uint16_t Port = 0; // 0 = a free port the system picks
};

class TUdpServer {
public:
    // One datagram: its bytes and the sender's address and port.
    using TReadEvent = std::function<void(const std::uint8_t* data, std::size_t size, const std::string& peerIP,
                                          std::uint16_t peerPort)>;

    TUdpServer();
    // Deactivates (joins the listener thread).
    ~TUdpServer();
    TUdpServer(const TUdpServer&) = delete;
    TUdpServer& operator=(const TUdpServer&) = delete;

    // The bindings; they change only while inactive (EUdpError otherwise).
    std::vector<TUdpBinding> Bindings() const;
    void Clear_Bindings();
    void Add_Binding(const std::string& ip, std::uint16_t port);

    // Where the socket binds when it has no binding (a free port on this
    // address): "" (the start value) means every interface.
    std::string Default_IP() const;
    void Set_Default_IP(const std::string& ip);

    // Largest datagram delivered (8192 at start); longer ones are dropped,
    // never cut.
    int BufferSize() const;
    void SetBufferSize(int bytes);

    // Read handler, called on the listener thread, one datagram at a time.
    // Set it while inactive. An exception it raises is swallowed.
    void Set_On_Read(TReadEvent handler);

    bool Active() const;
    // Activating binds one socket per binding (one on Default_IP and a
    // free port when there is none) and starts the listener thread; a
    // failing bind raises EUdpError and leaves the server inactive.
    // Deactivating closes the sockets and waits for the listener thread
    // (never call it from the read handler). Setting the state it has does
    // nothing.
    void SetActive(bool on);

    // The local port of the i-th open socket (0 when inactive or no such).
    std::uint16_t Local_Port(std::size_t i = 0) const;

    // Sends one datagram to ip:port (a dotted IPv4 address) from the first
    // socket. Raises EUdpError when inactive, for an address that is no
    // IPv4 address, or when the system refuses the datagram.
    void Send(const std::string& ip, std::uint16_t port, const std::uint8_t* data, std::size_t size);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
