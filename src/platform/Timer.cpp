#include "platform/Timer.h"

#include <QTimer>

struct TTimer::Impl {
    QTimer timer;
};

TTimer::TTimer() : impl_(std::make_unique<Impl>())
{
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] { Fire(); });
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

void TTimer::Update()
{
    const bool run = enabled_ && interval_ > 0 && OnTimer;
    if (!run) {
        impl_->timer.stop();
    } else if (!impl_->timer.isActive()) {
        impl_->timer.start(interval_);
    }
}

bool TTimer::Running() const { return impl_->timer.isActive(); }

int TTimer::RemainingTime() const { return impl_->timer.isActive() ? impl_->timer.remainingTime() : -1; }

void TTimer::Fire()
{
    if (OnTimer) OnTimer();
}
