#include "platform/Timer.h"

#include "platform/EventGuard.h"
#include "platform/TickClock.h"

#include <QTimer>

#include <algorithm>

struct TTimer::Impl {
    QTimer timer;
};

TTimer::TTimer() : impl_(std::make_unique<Impl>())
{
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] {
        // The next count begins with this fire.
        started_ = TickClock().TickCount();
        FromQt([this] { Fire(); });
    });
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool on)
{
    if (on == enabled_) return;
    enabled_ = on;
    Update();
}

void TTimer::SetInterval(int ms)
{
    if (ms == interval_) return;
    interval_ = ms;
    impl_->timer.stop();
    Update();
}

void TTimer::SetOnTimer(std::function<void()> handler)
{
    OnTimer = std::move(handler);
    Update();
}

void TTimer::Start()
{
    started_ = TickClock().TickCount();
    impl_->timer.start(interval_);
}

void TTimer::Update()
{
    const bool run = enabled_ && interval_ > 0 && OnTimer;
    if (!run) {
        impl_->timer.stop();
    } else if (!impl_->timer.isActive()) {
        Start();
    }
}

bool TTimer::Running() const { return impl_->timer.isActive(); }

int TTimer::RemainingTime() const
{
    if (!impl_->timer.isActive()) return -1;
    const std::uint64_t now = TickClock().TickCount();
    const std::uint64_t elapsed = now > started_ ? now - started_ : 0;
    if (elapsed >= static_cast<std::uint64_t>(interval_)) return 0;
    return interval_ - static_cast<int>(elapsed);
}

void TTimer::Fire()
{
    if (OnTimer) OnTimer();
}
