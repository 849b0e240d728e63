#include "platform/SyncObjs.h"

#include <chrono>

TEvent::TEvent(bool manualReset, bool initialState, const std::string& name)
    : manual_(manualReset), state_(initialState), name_(name)
{
}

void TEvent::SetEvent()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        state_ = true;
    }
    if (manual_) cond_.notify_all();
    else cond_.notify_one();
}

void TEvent::ResetEvent()
{
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = false;
}

bool TEvent::Signalled() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_;
}

TWaitResult TEvent::WaitFor(std::uint32_t timeoutMs)
{
    std::unique_lock<std::mutex> lock(mutex_);
    auto ready = [this] { return state_; };
    if (timeoutMs == INFINITE) {
        cond_.wait(lock, ready);
    } else if (!cond_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return wrTimeout;
    }
    if (!manual_) state_ = false;
    return wrSignaled;
}
