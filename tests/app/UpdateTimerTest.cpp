#include "core/UComon.h"
#include "app/USoftOptions.h"
#include "platform/Http.h"
#include "platform/Timer.h"
#include "support/FakeSeams.h"

#include <gtest/gtest.h>


using namespace USoftOptions;

namespace {

struct OptionsGuard {
    bool internet = UComon::Opt_Enable_Internet, update = UComon::Opt_Enable_Update;
    ~OptionsGuard()
    {
        UComon::Opt_Enable_Internet = internet;
        UComon::Opt_Enable_Update = update;
    }
};

// The update timer as the main window declares it: disabled, one minute.
void Declare(TTimer& timer, std::function<void()> onTimer)
{
    timer.SetEnabled(false);
    timer.SetInterval(First_Check_Interval);
    timer.SetOnTimer(std::move(onTimer));
}

} // namespace

TEST(UpdateTimer, FirstCheckAfterAMinuteThenEveryTwoHoursAndNoRestartOnReEnabling)
{
    OptionsGuard guard;
    FakeWebSite site("VER. 1.003");
    FakeTickClock clock;
    TTimer timer;
    std::vector<bool> results;
    Declare(timer, [&] { results.push_back(Update_Timer_Tick(timer)); });

    UComon::Opt_Enable_Internet = true;
    UComon::Opt_Enable_Update = true;
    Apply_Update_Timer(timer);
    ASSERT_TRUE(timer.Running());
    EXPECT_EQ(timer.Interval(), 60000);
    EXPECT_EQ(timer.RemainingTime(), 60000);

    clock.Advance(60000);
    timer.Fire();
    EXPECT_EQ(results, std::vector<bool>{true});
    EXPECT_EQ(site.urls.size(), 1u);
    ASSERT_TRUE(timer.Running());
    EXPECT_EQ(timer.Interval(), 7200000);
    EXPECT_EQ(timer.RemainingTime(), 7200000);

    // Confirming the options again with both flags on leaves the running
    // timer counting where it was.
    clock.Advance(1200);
    Apply_Update_Timer(timer);
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(timer.RemainingTime(), 7200000 - 1200);

    // Off and on again: the two-hour interval stays.
    UComon::Opt_Enable_Update = false;
    Apply_Update_Timer(timer);
    EXPECT_FALSE(timer.Running());
    UComon::Opt_Enable_Update = true;
    Apply_Update_Timer(timer);
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(timer.Interval(), 7200000);
}

TEST(UpdateTimer, RunsOnlyWithInternetUseAndUpdateChecksBothOn)
{
    OptionsGuard guard;
    FakeWebSite site("VER. 1.003");
    const std::pair<bool, bool> off[] = {{false, false}, {false, true}, {true, false}};
    for (const auto& [internet, update] : off) {
        TTimer timer;
        Declare(timer, [&] { Update_Timer_Tick(timer); });
        UComon::Opt_Enable_Internet = internet;
        UComon::Opt_Enable_Update = update;
        Apply_Update_Timer(timer);
        EXPECT_FALSE(timer.Running()) << internet << update;
    }
    EXPECT_TRUE(site.urls.empty());
}

TEST(UpdateTimer, TickWithoutNewerVersionStillReArms)
{
    FakeWebSite site("VER. 0.000");
    TTimer timer;
    Declare(timer, [&] { EXPECT_FALSE(Update_Timer_Tick(timer)); });
    timer.SetEnabled(true);
    timer.Fire();
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(timer.Interval(), 7200000);
    ASSERT_EQ(site.urls.size(), 1u);
    EXPECT_NE(site.urls[0].find("/home/download/GetversionSW.asp?nomesw=QS41010"), std::string::npos);
}
