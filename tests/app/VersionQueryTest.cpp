#include "app/USoftOptions.h"
#include "platform/Http.h"
#include "platform/Timer.h"
#include "support/FakeSeams.h"
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>

using namespace USoftOptions;

namespace {

// A version service on 127.0.0.1 whose answer the test sets.
class VersionService {
public:
    VersionService()
        : server_([this](const std::string&) {
              std::lock_guard<std::mutex> lock(mutex_);
              return reply_;
          })
    {
        HttpSettings().BaseURL = server_.BaseURL();
    }
    void Set(LoopbackHttpServer::Reply reply)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        reply_ = std::move(reply);
    }
    LoopbackHttpServer& Server() { return server_; }

private:
    std::mutex mutex_;
    LoopbackHttpServer::Reply reply_ = LoopbackHttpServer::Answer(200, "");
    LoopbackHttpServer server_;
};

} // namespace

TEST(VersionQuery, SendsTheQueryWithTheAgentAndAcceptHeader)
{
    HttpSettingsGuard guard;
    VersionService service;
    service.Set(LoopbackHttpServer::Answer(200, "VER. 1.002"));
    EXPECT_FALSE(Check_Version());

    const auto requests = service.Server().Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& head = requests[0];
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /home/download/GetversionSW.asp?nomesw=QS41010 HTTP/1.0");
    EXPECT_NE(head.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"), std::string::npos);
    EXPECT_NE(head.find("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"),
              std::string::npos);
    EXPECT_EQ(head.find("Cookie:"), std::string::npos);
}

TEST(VersionQuery, AnswersComparedWithOwnVersion)
{
    HttpSettingsGuard guard;
    VersionService service;
    struct Case {
        LoopbackHttpServer::Reply reply;
        bool newer;
    };
    const Case cases[] = {
        {LoopbackHttpServer::Answer(200, "VER. 1.003"), true},
        {LoopbackHttpServer::Answer(200, "VER. 1.002"), false},
        {LoopbackHttpServer::Answer(200, "VER. 1.001"), false},
        {LoopbackHttpServer::Answer(200, "ver. 0.000"), false},
        {LoopbackHttpServer::Answer(200, ""), false},
        {LoopbackHttpServer::Answer(200, "VER. 1.1"), false},
        // Blanks and line ends around the answer do not matter; the prefix's case does not either.
        {LoopbackHttpServer::Answer(200, "\r\n  VER. 2.000 \r\n"), true},
        {LoopbackHttpServer::Answer(200, "ver. 1.003"), true},
        {LoopbackHttpServer::Answer(200, "VER. 1.0x3"), false},
        {LoopbackHttpServer::Answer(200, "<html>Service unavailable</html>"), false},
        // A failed request counts as no answer, whatever its body says.
        {LoopbackHttpServer::Answer(404, "VER. 9.999"), false},
        {LoopbackHttpServer::Answer(500, "VER. 9.999"), false},
        {LoopbackHttpServer::Answer(301, "VER. 9.999", "Location: /elsewhere\r\n"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply.raw);
        service.Set(c.reply);
        EXPECT_EQ(Check_Version(), c.newer);
    }
}

TEST(VersionQuery, SilentHostGivesNoNewerVersionWithinTheTimeOut)
{
    HttpSettingsGuard guard;
    VersionService service;
    service.Set(LoopbackHttpServer::Silence());
    HttpSettings().TotalTimeoutMs = 400;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Check_Version());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(VersionQuery, UnreachableHostGivesNoNewerVersion)
{
    HttpSettingsGuard guard;
    unsigned short port;
    {
        LoopbackHttpServer closed([](const std::string&) { return LoopbackHttpServer::Answer(200, "VER. 9.999"); });
        port = closed.Port();
    }
    HttpSettings().BaseURL = "http://127.0.0.1:" + std::to_string(port);
    EXPECT_FALSE(Check_Version());
}

TEST(VersionQuery, ConvVersion)
{
    const std::pair<const char*, int> cases[] = {
        {"1.002", 1002}, {"VER. 1.003", 1003}, {"VER.  1.003 ", 1003}, {"VER. 12.345", -1},
        {"VER. 1.1", -1}, {"VER.", -1},        {"", -1},                {"VER. 1.0a2", -1},
        {"1.00", -1},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(Conv_Version(text), value) << text;
}

TEST(VersionQuery, DownloadLinkPointsAtTheGatewayPage)
{
    HttpSettingsGuard guard;
    HttpSettings().BaseURL = "http://www.example.com";
    EXPECT_EQ(Download_Link("New <Version>"),
              "<a href=\"http://www.example.com/Home/download/download.asp#QG41010\">New &lt;Version&gt;</a>");
}
