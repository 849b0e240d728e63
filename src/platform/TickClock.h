#pragma once
// The tick clock: milliseconds that never go back, read by the timers and
// by the waits of the program (the reachability check). A seam: tests
// install a clock that moves only when they say.

#include <cstdint>

class ITickClock {
public:
    virtual ~ITickClock() = default;
    // Milliseconds since an arbitrary start, never going back.
    virtual std::uint64_t TickCount() = 0;
    virtual void Sleep(int ms) = 0;
};

ITickClock& TickClock();
// Installs a clock (nullptr restores the system's). Returns the previous one.
ITickClock* SetTickClock(ITickClock* clock);
