// Events and the critical section of the synchronisation objects.
#include "platform/SyncObjs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(SyncObjs, WaitEndsBySignalOrTimeOut)
{
    TEvent manual(true, false, "EVENT_TEST");
    EXPECT_EQ(manual.Name(), "EVENT_TEST");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(manual.WaitFor(50), wrTimeout);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 45ms);

    // A waiter blocked without limit wakes when the event is set, and a
    // manual-reset event stays set for every later wait.
    std::atomic<int> woken{0};
    std::thread waiter([&] {
        if (manual.WaitFor(INFINITE) == wrSignaled) ++woken;
    });
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(woken, 0);
    manual.SetEvent();
    waiter.join();
    EXPECT_EQ(woken, 1);
    EXPECT_EQ(manual.WaitFor(0), wrSignaled);
    EXPECT_TRUE(manual.Signalled());
    manual.ResetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrTimeout);

    // An automatic-reset event lets one wait through per signal.
    TEvent automatic(false, true);
    EXPECT_EQ(automatic.WaitFor(0), wrSignaled);
    EXPECT_FALSE(automatic.Signalled());
    EXPECT_EQ(automatic.WaitFor(10), wrTimeout);

    TSimpleEvent simple;
    EXPECT_FALSE(simple.Signalled());
    simple.SetEvent();
    EXPECT_EQ(simple.WaitFor(0), wrSignaled);
    EXPECT_EQ(simple.WaitFor(0), wrSignaled);  // manual reset
}

TEST(SyncObjs, AutomaticResetWakesOneWaiterPerSignal)
{
    TEvent ev(false, false);
    std::atomic<int> woken{0};
    std::thread a([&] { woken += ev.WaitFor(2000) == wrSignaled; });
    std::thread b([&] { woken += ev.WaitFor(2000) == wrSignaled; });
    std::this_thread::sleep_for(20ms);
    ev.SetEvent();
    const auto limit = std::chrono::steady_clock::now() + 1s;
    while (woken == 0 && std::chrono::steady_clock::now() < limit) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(woken, 1);  // the other still waits
    ev.SetEvent();
    a.join();
    b.join();
    EXPECT_EQ(woken, 2);
}

TEST(SyncObjs, CriticalSectionIsReentrantAndExclusive)
{
    TCriticalSection cs;
    int shared = 0;
    cs.Enter();
    cs.Acquire();  // the owner may enter again
    std::thread other([&] {
        cs.Enter();
        shared += 10;
        cs.Leave();
    });
    std::this_thread::sleep_for(20ms);
    shared = 1;  // the other thread cannot be inside yet
    cs.Release();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(shared, 1);  // still held once
    cs.Leave();
    other.join();
    EXPECT_EQ(shared, 11);
}

} // namespace
