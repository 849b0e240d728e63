#pragma once
// Synchronisation objects of the class library: an event (manual or
// automatic reset) with a bounded wait, the simple event, and a critical
// section. They hold no operating-system object, so they cannot be
// abandoned; an event's name is kept for reference only (events are not
// shared between processes).

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// Wait without limit.
inline constexpr std::uint32_t INFINITE = 0xFFFFFFFFu;

class TEvent {
public:
    TEvent(bool manualReset, bool initialState, const std::string& name = "");
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void SetEvent();
    void ResetEvent();
    // Waits until the event is signalled or timeoutMs have passed
    // (INFINITE: no limit). An automatic-reset event is reset by the wait
    // it ends.
    TWaitResult WaitFor(std::uint32_t timeoutMs);
    bool Signalled() const;
    const std::string& Name() const { return name_; }
    // The platform error of the last wait that ended with wrError (0).
    int LastError() const { return 0; }

private:
    mutable std::mutex mutex_;
    std::condition_variable cond_;
    bool manual_;
    bool state_;
    std::string name_;
};

// Manual reset, not signalled, unnamed.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(true, false) {}
};

class TCriticalSection {
public:
    TCriticalSection() = default;
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;
    void Acquire() { mutex_.lock(); }
    void Release() { mutex_.unlock(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    // For std::lock_guard.
    void lock() { Acquire(); }
    void unlock() { Release(); }

private:
    std::recursive_mutex mutex_;
};
