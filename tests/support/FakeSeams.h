#pragma once
// Doubles of the platform's outside effects shared by several tests: a
// tick clock that moves only when a test says, and a web site that answers
// every request with a body the test sets.

#include "platform/Http.h"
#include "platform/TickClock.h"

#include <cstdint>
#include <string>
#include <vector>

// Time moves only when somebody sleeps or a test advances it.
class FakeTickClock : public ITickClock {
public:
    FakeTickClock() : previous_(SetTickClock(this)) {}
    ~FakeTickClock() override { SetTickClock(previous_); }
    FakeTickClock(const FakeTickClock&) = delete;
    FakeTickClock& operator=(const FakeTickClock&) = delete;
    std::uint64_t TickCount() override { return now; }
    void Sleep(int ms) override { now += std::uint64_t(ms); }
    void Advance(int ms) { now += std::uint64_t(ms); }
    std::uint64_t now = 100000;

private:
    ITickClock* previous_;
};

// Answers every GET with answer and records the requested addresses.
class FakeWebSite : public IHttpClient {
public:
    explicit FakeWebSite(std::string body) : answer(std::move(body)), previous_(SetHttpClient(this)) {}
    ~FakeWebSite() override { SetHttpClient(previous_); }
    FakeWebSite(const FakeWebSite&) = delete;
    FakeWebSite& operator=(const FakeWebSite&) = delete;
    bool Get(const std::string& url, std::string& body, std::string&) override
    {
        urls.push_back(url);
        body = answer;
        return true;
    }
    std::string answer;
    std::vector<std::string> urls;

private:
    IHttpClient* previous_;
};

// Restores the HTTP settings a test changed.
struct HttpSettingsGuard {
    THttpSettings saved = HttpSettings();
    ~HttpSettingsGuard() { HttpSettings() = saved; }
};
