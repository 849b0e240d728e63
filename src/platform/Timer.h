#pragma once
// Timer with the class library's semantics: it runs while Enabled and
// Interval > 0 and an OnTimer handler is set; setting Enabled to the value
// it already has changes nothing (a running timer is not restarted);
// setting a different Interval restarts a running timer.
//
// The timer fires from the event loop; an exception of OnTimer goes to the
// application's exception handler (Application.h). Its count is measured
// on the tick clock (TickClock.h), so tests can move time without waiting.

#include <cstdint>
#include <functional>
#include <memory>

class TTimer {
public:
    TTimer();
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    std::function<void()> OnTimer;
    void SetOnTimer(std::function<void()> handler);

    // True while the timer counts.
    bool Running() const;
    // Milliseconds until the next fire by the tick clock (0 when it is
    // due), -1 when not running.
    int RemainingTime() const;
    // Runs the handler as a fire would (for tests and for callers that
    // need an immediate tick); its exceptions go to the caller.
    void Fire();

private:
    void Update();
    void Start();
    bool enabled_ = true;
    int interval_ = 1000;
    std::uint64_t started_ = 0;  // tick count when the current count began
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
