// UDP socket: bindings, activation, the listener thread and sending.
#include "platform/UdpSocket.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

bool Wait_For(const std::function<bool()>& pred)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!pred() && std::chrono::steady_clock::now() < limit) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return pred();
}

TEST(UdpSocket, DeliversDatagramsUpToTheBufferSizeAndAnswersTheSender)
{
    TUdpServer a, b;
    std::mutex m;
    std::vector<std::string> got;
    a.Set_Default_IP("127.0.0.1");
    a.SetBufferSize(16);
    a.Set_On_Read([&](const std::uint8_t* d, std::size_t n, const std::string& ip, std::uint16_t port) {
        std::lock_guard<std::mutex> lock(m);
        got.emplace_back(reinterpret_cast<const char*>(d), n);
        a.Send(ip, port, d, n);  // echo from the handler
    });
    std::atomic<int> echoes{0};
    b.Add_Binding("127.0.0.1", 0);
    b.Set_On_Read([&](const std::uint8_t*, std::size_t, const std::string&, std::uint16_t) { ++echoes; });
    a.SetActive(true);
    b.SetActive(true);
    ASSERT_NE(a.Local_Port(), 0);

    const std::string longer(17, 'x'), fits(16, 'y');
    b.Send("127.0.0.1", a.Local_Port(), reinterpret_cast<const std::uint8_t*>(longer.data()), longer.size());
    b.Send("127.0.0.1", a.Local_Port(), reinterpret_cast<const std::uint8_t*>(fits.data()), fits.size());
    ASSERT_TRUE(Wait_For([&] { return echoes == 1; }));
    {
        std::lock_guard<std::mutex> lock(m);
        EXPECT_EQ(got, std::vector<std::string>{fits});  // the longer one dropped, not cut
    }
    a.SetActive(false);
    EXPECT_FALSE(a.Active());
    EXPECT_EQ(a.Local_Port(), 0);
}

TEST(UdpSocket, RefusalsLeaveTheSocketAsItWas)
{
    TUdpServer s;
    const std::uint8_t byte = 1;
    EXPECT_THROW(s.Send("127.0.0.1", 9, &byte, 1), EUdpError);  // not active

    s.Add_Binding("192.0.2.1", 0);  // no interface of this machine
    EXPECT_THROW(s.SetActive(true), EUdpError);
    EXPECT_FALSE(s.Active());

    s.Clear_Bindings();
    s.Add_Binding("127.0.0.1", 0);
    s.SetActive(true);
    EXPECT_THROW(s.Add_Binding("127.0.0.1", 0), EUdpError);
    EXPECT_THROW(s.Send("300.1.1.1", 9, &byte, 1), EUdpError);
    EXPECT_THROW(s.Send("localhost", 9, &byte, 1), EUdpError);  // no name is resolved
    EXPECT_TRUE(s.Active());
    EXPECT_EQ(s.Bindings().size(), 1u);
}

} // namespace
