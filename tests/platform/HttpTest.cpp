#include "platform/Http.h"
#include "support/FakeSeams.h"
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <strings.h>

namespace {

std::vector<std::string> HeadLines(const std::string& head)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t p; (p = head.find("\r\n", start)) != std::string::npos; start = p + 2) {
        if (p == start) break;
        lines.push_back(head.substr(start, p - start));
    }
    return lines;
}

bool HasHeader(const std::vector<std::string>& lines, const std::string& nameColon)
{
    for (size_t i = 1; i < lines.size(); ++i)
        if (lines[i].size() >= nameColon.size() &&
            strncasecmp(lines[i].c_str(), nameColon.c_str(), nameColon.size()) == 0)
            return true;
    return false;
}

} // namespace

TEST(Http, GetIsHttp10WithAgentAndAcceptAndSendsNoCookieBack)
{
    HttpSettingsGuard guard;
    LoopbackHttpServer server([](const std::string&) {
        return LoopbackHttpServer::Answer(200, "VER. 1.003\r\n", "Set-Cookie: session=abc; Path=/\r\n");
    });
    HttpSettings().BaseURL = server.BaseURL();

    std::string body, error;
    ASSERT_TRUE(HttpGet("/a/b.asp?k=" + UrlEncode("x y&z"), body, &error)) << error;
    EXPECT_EQ(body, "VER. 1.003\r\n");
    ASSERT_TRUE(HttpGet("/a/b.asp?k=2", body, &error)) << error;

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    const auto first = HeadLines(requests[0]);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first[0], "GET /a/b.asp?k=x%20y%26z HTTP/1.0");
    EXPECT_NE(std::find(first.begin(), first.end(), "User-Agent: Mozilla/3.0 (compatible; Indy Library)"),
              first.end());
    EXPECT_NE(std::find(first.begin(), first.end(),
                        "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"),
              first.end());
    // Only one Accept header: the default one must have been replaced.
    EXPECT_EQ(std::count_if(first.begin(), first.end(),
                            [](const std::string& l) { return strncasecmp(l.c_str(), "Accept:", 7) == 0; }),
              1);
    const auto second = HeadLines(requests[1]);
    EXPECT_FALSE(HasHeader(second, "Cookie:"));
}

TEST(Http, FailedAnswersGiveFailureAndEmptyBody)
{
    struct Case {
        const char* what;
        LoopbackHttpServer::Reply reply;
    };
    const Case cases[] = {
        {"not found", LoopbackHttpServer::Answer(404, "VER. 9.999")},
        {"server error", LoopbackHttpServer::Answer(500, "VER. 9.999")},
        {"redirect", LoopbackHttpServer::Answer(302, "VER. 9.999", "Location: /elsewhere\r\n")},
        {"closed without answer", {"", false}},
        {"not HTTP", {"VER. 9.999\r\n", false}},
        {"too large", LoopbackHttpServer::Answer(200, std::string(200, 'x'))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HttpSettingsGuard guard;
        LoopbackHttpServer server([&](const std::string&) { return c.reply; });
        HttpSettings().BaseURL = server.BaseURL();
        HttpSettings().MaxBodyBytes = 100;
        std::string body = "stale", error;
        EXPECT_FALSE(HttpGet("/v", body, &error));
        EXPECT_EQ(body, "");
        EXPECT_FALSE(error.empty());
        // A redirect is never followed: the server sees the one request only.
        EXPECT_EQ(server.Requests().size(), 1u);
    }
}

TEST(Http, RefusedConnectionFails)
{
    HttpSettingsGuard guard;
    unsigned short port;
    {
        LoopbackHttpServer server([](const std::string&) { return LoopbackHttpServer::Answer(200, ""); });
        port = server.Port();
    }
    HttpSettings().BaseURL = "http://127.0.0.1:" + std::to_string(port);
    std::string body = "stale";
    EXPECT_FALSE(HttpGet("/v", body));
    EXPECT_EQ(body, "");
}

TEST(Http, SilentHostFailsWhenTheTotalTimeOutRunsOut)
{
    HttpSettingsGuard guard;
    LoopbackHttpServer server([](const std::string&) { return LoopbackHttpServer::Silence(); });
    HttpSettings().BaseURL = server.BaseURL();
    HttpSettings().TotalTimeoutMs = 400;

    const auto start = std::chrono::steady_clock::now();
    std::string body, error;
    EXPECT_FALSE(HttpGet("/v", body, &error));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(body, "");
    EXPECT_GE(elapsed, std::chrono::milliseconds(350));
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    EXPECT_EQ(server.Requests().size(), 1u);
}
