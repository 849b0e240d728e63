#include "platform/TickClock.h"

#include <chrono>
#include <thread>

namespace {

class SystemTickClock : public ITickClock {
public:
    std::uint64_t TickCount() override
    {
        using namespace std::chrono;
        return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void Sleep(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

SystemTickClock g_systemClock;
ITickClock* g_clock = &g_systemClock;

} // namespace

ITickClock& TickClock() { return *g_clock; }

ITickClock* SetTickClock(ITickClock* clock)
{
    ITickClock* old = g_clock;
    g_clock = clock ? clock : &g_systemClock;
    return old;
}
