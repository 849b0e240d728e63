#pragma once
// A scripted double of the echo client for the update window.

#include "platform/Ping.h"
#include "support/FakeSeams.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Answers each echo from a script, one letter per echo, the last letter
// repeating: 'R' reply after 1 ms, 'S' silence (waits the whole time-out),
// 'U' no ICMP socket, 'E' an error of the client.
class ScriptedEcho : public IEchoClient {
public:
    ScriptedEcho(FakeTickClock& clock, std::string script)
        : clock_(clock), script_(std::move(script)), previous_(SetEchoClient(this))
    {
    }
    ~ScriptedEcho() override { SetEchoClient(previous_); }

    TEchoReply Echo(const std::string& host, int timeoutMs, int packetSize) override
    {
        hosts.push_back(host);
        timeouts.push_back(timeoutMs);
        if (onEcho) onEcho();
        const char step = script_.empty() ? 'R' : script_[std::min(hosts.size() - 1, script_.size() - 1)];
        switch (step) {
        case 'U': throw EPingUnavailable("no ICMP socket (test)");
        case 'E': throw EPingError("bad address (test)");
        case 'S': clock_.now += std::uint64_t(timeoutMs); return {};
        default: clock_.now += 1; return TEchoReply{packetSize};
        }
    }

    std::vector<std::string> hosts;
    std::vector<int> timeouts;
    // Runs inside each echo, while the check is going on.
    std::function<void()> onEcho;

private:
    FakeTickClock& clock_;
    std::string script_;
    IEchoClient* previous_;
};
