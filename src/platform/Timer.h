#pragma once
// Timer with the class library's semantics: it runs while Enabled and
// Interval > 0 and an OnTimer handler is set; setting Enabled to the value
// it already has changes nothing (a running timer is not restarted);
// setting a different Interval restarts a running timer.

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

    // True while the underlying timer counts.
    bool Running() const;
    // Milliseconds until the next fire, -1 when not running.
    int RemainingTime() const;
    // Runs the handler as a fire would (for tests and for callers that
    // need an immediate tick).
    void Fire();

private:
    void Update();
    bool enabled_ = true;
    int interval_ = 1000;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
