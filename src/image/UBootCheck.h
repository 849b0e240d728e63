#pragma once
// Reachability check of the update window: ICMP echo requests to the
// gateway until two replies have come or 5 s have passed.

#include <string>

namespace UBootCheck {

// Timing of the check.
constexpr int Echo_Timeout_Ms = 400;
constexpr int Echo_Packet_Size = 1024;
constexpr int Check_Bound_Ms = 5000;
constexpr int Replies_Wanted = 2;
constexpr int Wait_Step_Ms = 10;

// Status of the last echo: none yet, a reply with data, no reply.
enum : int { Ping_None = 0, Ping_Reply = 1, Ping_No_Reply = 2 };

class TReachabilityCheck {
public:
    // Runs the check against address (used as given). True when the last
    // echo was answered. Window messages are processed between the echoes.
    bool Send_Ping(const std::string& address);
    // Records the outcome of one echo.
    void PingReply(int bytesReceived);

    int ping_res = Ping_None;
    // Set by Send_Ping when no ICMP socket could be opened: the check could
    // not be made. Error holds the reason when the echo client failed.
    bool Unavailable = false;
    std::string Error;
    // Echo requests sent by the last check.
    int Echoes = 0;
};

} // namespace UBootCheck
