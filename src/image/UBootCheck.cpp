#include "image/UBootCheck.h"

#include "platform/Application.h"
#include "platform/Ping.h"

namespace UBootCheck {

void TReachabilityCheck::PingReply(int bytesReceived) { ping_res = bytesReceived > 0 ? Ping_Reply : Ping_No_Reply; }

bool TReachabilityCheck::Send_Ping(const std::string& address)
{
    ping_res = Ping_None;
    Unavailable = false;
    Error.clear();
    Echoes = 0;
    ITickClock& clock = TickClock();
    const std::uint64_t start = clock.TickCount();
    int good = 0;
    try {
        do {
            const std::uint64_t t = clock.TickCount();
            ++Echoes;
            PingReply(EchoClient().Echo(address, Echo_Timeout_Ms, Echo_Packet_Size).BytesReceived);
            do {
                clock.Sleep(Wait_Step_Ms);
                Application_ProcessMessages();
            } while (ping_res == Ping_None && clock.TickCount() - t <= std::uint64_t(Echo_Timeout_Ms));
            if (ping_res == Ping_Reply && ++good >= Replies_Wanted) break;
        } while (clock.TickCount() - start <= std::uint64_t(Check_Bound_Ms));
    } catch (const EPingUnavailable& e) {
        Unavailable = true;
        Error = e.Message();
        return false;
    } catch (const std::exception& e) {
        // Any other failure of the echo client (an address it cannot use,
        // a request the system refuses) ends the check.
        Error = e.what();
        return false;
    }
    return ping_res == Ping_Reply;
}

} // namespace UBootCheck
