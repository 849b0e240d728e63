#pragma once
// ICMP echo ("ping") to an IPv4 address, and the tick clock the
// reachability check of the update window reads and sleeps on.
//
// The echo client opens an unprivileged ICMP datagram socket when the
// system allows it and a raw ICMP socket otherwise. Both are seams: the
// program uses the real ones, tests install scripted doubles.

#include "platform/SysUtils.h"
#include "platform/TickClock.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Neither an ICMP datagram socket nor a raw ICMP socket can be opened on
// this system: reachability cannot be checked at all.
class EPingUnavailable : public Exception {
public:
    using Exception::Exception;
};

// The echo could not be sent: the host is no IPv4 address, or the system
// refused the request (no route, broadcast address...).
class EPingError : public Exception {
public:
    using Exception::Exception;
};

// Outcome of one echo request. BytesReceived is the size of the ICMP echo
// reply, 0 when no reply came within the time-out.
struct TEchoReply {
    int BytesReceived = 0;
};

class IEchoClient {
public:
    virtual ~IEchoClient() = default;
    // Sends one echo request of packetSize bytes (ICMP header included) to
    // host, a dotted IPv4 address (no name is resolved), and returns when
    // its reply has come or timeoutMs have passed. Raises EPingUnavailable
    // or EPingError.
    virtual TEchoReply Echo(const std::string& host, int timeoutMs, int packetSize) = 0;
};

// The echo client in force (the system's unless a test installed one).
IEchoClient& EchoClient();
// Installs a client (nullptr restores the system's). Returns the previous one.
IEchoClient* SetEchoClient(IEchoClient* client);

// Reads a dotted IPv4 address "a.b.c.d": four parts of one to three
// decimal digits, each 0 to 255, nothing else (no blanks, no names).
bool ParseIPv4(const std::string& text, std::uint8_t (&bytes)[4]);

// True when packet (len bytes, starting with its IPv4 header when
// withIpHeader, as a raw socket delivers it) is an ICMP echo reply carrying
// that sequence number and, when checkId, that identifier. Requests,
// error messages and malformed packets are not replies.
bool IsEchoReply(const std::uint8_t* packet, std::size_t len, bool withIpHeader, bool checkId,
                 std::uint16_t id, std::uint16_t sequence);

