// The serial-port component on a pair of pseudo-terminals: opening,
// settings applied to the device, reading and writing, events, and the
// failures of opening.
#include "PtyPair.h"
#include "ScanTestSupport.h"
#include "support/TestSupport.h"
#include "mbus/UComm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <string>
#include <thread>

namespace {

// The far end of the pair, read and written directly.
class TFarEnd {
public:
    explicit TFarEnd(const std::string& path) { open_ = dev_.Open(path) == 0; }
    bool Open() const { return open_; }
    void Write(const std::string& s)
    {
        int err = 0;
        dev_.Write(reinterpret_cast<const std::uint8_t*>(s.data()), s.size(), 1000, err);
    }
    // Reads until n bytes came or the limit passed.
    std::string Read(std::size_t n, int limitMs = 5000)
    {
        std::string got;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (got.size() < n && std::chrono::steady_clock::now() < limit) {
            std::uint8_t buf[256];
            int err = 0;
            const int k = dev_.Read(buf, std::min(sizeof buf, n - got.size()), err);
            if (k > 0) got.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(k));
            else std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return got;
    }

private:
    TSerialDevice dev_;
    bool open_ = false;
};

template <class F>
std::string Comm_Error(F f, int* code = nullptr)
{
    try {
        f();
    } catch (const ECommError& e) {
        if (code) *code = e.ErrorCode;
        return e.what();
    }
    return "";
}

TEST(SerialPort, DefaultsAndClosedPort)
{
    TComm comm;
    EXPECT_EQ(comm.DeviceName(), "Com2");
    EXPECT_EQ(comm.BaudRate(), br9600);
    EXPECT_EQ(comm.ReadBufSize(), 4096);
    EXPECT_EQ(comm.WriteBufSize(), 2048);
    EXPECT_EQ(comm.FlowControl(), fcDefault);
    EXPECT_EQ(comm.MonitorEvents(), kAllCommEvents);
    EXPECT_EQ(comm.EventChars().XonChar(), 17);
    EXPECT_EQ(comm.EventChars().XoffChar(), 19);
    EXPECT_FALSE(comm.Enabled());
    EXPECT_EQ(comm.InQueCount(), -1);
    EXPECT_EQ(comm.OutQueCount(), -1);
    comm.SetBaudRate(br2400);  // only stored
    EXPECT_EQ(comm.BaudRate(), br2400);
    int code = 0;
    EXPECT_EQ(Comm_Error([&] { comm.SetDTRState(true); }, &code),
              "Port not open, unable to complete operation (Error: -1) ");
    EXPECT_EQ(code, -1);
    comm.PurgeIn();  // nothing on a closed port
    comm.Close();
}

TEST(SerialPort, OpenTwiceAndExclusive)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready()) << "socat is needed (scripts/install-deps)";
    TComm comm;
    comm.SetDeviceName(pty.A());
    comm.Open();
    EXPECT_TRUE(comm.Enabled());
    int code = 0;
    EXPECT_EQ(Comm_Error([&] { comm.Open(); }, &code), "Port already assigned (open) (Error: -1) ");
    EXPECT_EQ(code, -1);
    EXPECT_TRUE(comm.Enabled());  // still open
    EXPECT_EQ(Comm_Error([&] { comm.SetDeviceName(pty.B()); }), "Port already assigned (open) (Error: -1) ");
    EXPECT_EQ(Comm_Error([&] { comm.SetReadBufSize(100); }), "Port already assigned (open) (Error: -1) ");
    comm.SetDeviceName(pty.A());  // the same value is no change

    // A second component finds the device taken.
    TComm other;
    other.SetDeviceName(pty.A());
    EXPECT_EQ(Comm_Error([&] { other.Open(); }).rfind("Error accessing specified device (Error: ", 0), 0u);
    EXPECT_FALSE(other.Enabled());

    comm.Close();
    comm.Close();  // closing a closed port does nothing
    EXPECT_EQ(comm.InQueCount(), -1);
    other.Open();  // free again
    EXPECT_TRUE(other.Enabled());

    // "\\.\NAME", the name the scan window passes, is NAME of the device
    // folder (here a new pseudo-terminal master).
    TComm named;
    named.SetDeviceName("\\\\.\\ptmx");
    named.Open();
    EXPECT_TRUE(named.Enabled());
    EXPECT_EQ(named.InQueCount(), 0);
}

TEST(SerialPort, FailedOpenLeavesThePortClosed)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready());
    TempDir dir;
    WriteFile(dir.file("plain"), "x");

    TComm comm;
    struct Case {
        std::string device, error;
    };
    const Case cases[] = {
        {dir.file("missing"), "Error accessing specified device (Error: 2) "},
        {dir.file("plain"), "Invalid device handle, access denied (Error: -1) "},
        // A character device that is no terminal: opened, then refused.
        {"/dev/null", "Error updating CommTimeouts (Error: 25) "},
    };
    for (const Case& c : cases) {
        comm.SetDeviceName(c.device);
        EXPECT_EQ(Comm_Error([&] { comm.Open(); }), c.error) << c.device;
        EXPECT_FALSE(comm.Enabled()) << c.device;
        EXPECT_EQ(comm.InQueCount(), -1);
    }
    comm.SetDeviceName(pty.A());
    comm.Open();
    EXPECT_TRUE(comm.Enabled());
}

// A pseudo-terminal keeps the rate, stop bits, flow control and special
// characters it is given (byte size and parity it fixes at 8 and none).
TEST(SerialPort, LineSettingsReachTheDevice)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready());
    TComm comm;
    comm.SetDeviceName(pty.A());
    comm.SetBaudRate(br115200);
    comm.Open();
    TSerialSettings s;
    ASSERT_EQ(Serial_Terminal_Settings(comm.Handle(), s), 0);
    EXPECT_EQ(s.BaudRate, 115200u);

    // A change on the open port is applied at once, standard rate or not.
    for (const TBaudrate rate : {br2400, br14400, br256000}) {
        comm.SetBaudRate(rate);
        ASSERT_EQ(Serial_Terminal_Settings(comm.Handle(), s), 0);
        EXPECT_EQ(s.BaudRate, Baudrate_Value(rate));
    }
    comm.SetStopbits(sb20);
    comm.SetFlowControl(fcSoftware);
    comm.EventChars().SetXonChar(0x12);
    ASSERT_EQ(Serial_Terminal_Settings(comm.Handle(), s), 0);
    EXPECT_EQ(s.StopBits, 2);
    EXPECT_TRUE(s.Flags & dcb_OutX);
    EXPECT_TRUE(s.Flags & dcb_InX);
    EXPECT_EQ(s.XonChar, 0x12);
    comm.SetFlowControl(fcNone);
    ASSERT_EQ(Serial_Terminal_Settings(comm.Handle(), s), 0);
    EXPECT_FALSE(s.Flags & (dcb_OutX | dcb_InX | dcb_OutxCtsFlow));

    // Settings the device refuses leave it, and the property, as they were.
    EXPECT_EQ(Comm_Error([&] { comm.SetDatabits(da4); }), "Error updating DataControlBlock (Error: 22) ");
    EXPECT_EQ(comm.Databits(), da8);
    EXPECT_TRUE(comm.Enabled());
    ASSERT_EQ(Serial_Terminal_Settings(comm.Handle(), s), 0);
    EXPECT_EQ(s.BaudRate, 256000u);
}

TEST(SerialPort, WriteReadAndReceiveEvent)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready());
    auto comm = std::make_unique<TComm>();
    comm->SetDeviceName(pty.A());
    comm->SetFlowControl(fcNone);
    std::vector<int> rx;
    TComm* self = comm.get();
    comm->OnRxChar = [&rx, self](TObject* sender, int count) {
        EXPECT_EQ(sender, self);
        rx.push_back(count);
    };
    int txEmpty = 0;
    comm->OnTxEmpty = [&txEmpty](TObject*) { ++txEmpty; };
    comm->Open();
    TFarEnd far(pty.B());
    ASSERT_TRUE(far.Open());

    EXPECT_EQ(comm->Write("\x10\x40\xFF\x3F\x16", 5), 5);
    EXPECT_EQ(far.Read(5), std::string("\x10\x40\xFF\x3F\x16", 5));
    ASSERT_TRUE(Pump_Until([&] { return txEmpty > 0; }, 5000));  // the output drained

    far.Write("\xE5\x01\x02");
    // Reported on the GUI thread, with the count of bytes waiting.
    ASSERT_TRUE(Pump_Until([&] { return !rx.empty() && rx.back() == 3; }, 5000));
    char buf[16] = {};
    EXPECT_EQ(comm->Read(buf, 2), 2);
    EXPECT_EQ(std::string(buf, 2), "\xE5\x01");
    EXPECT_EQ(comm->Read(buf, 16), 1);
    EXPECT_EQ(comm->Read(buf, 16), 0);  // nothing queued: at once
    EXPECT_EQ(comm->InQueCount(), 0);

    // An event still queued when the component goes away is dropped.
    far.Write("\x01");
    ASSERT_TRUE(Pump_Until([&] { return comm->InQueCount() == 1; }, 5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the event thread has queued it
    comm.reset();
    Application_ProcessMessages();
}

// Line functions on an open port: break clears both directions; a function
// the device refuses (a pseudo-terminal has no DTR line) raises with the
// system's code and leaves the port open.
TEST(SerialPort, LineFunctions)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready());
    TComm comm;
    comm.SetDeviceName(pty.A());
    comm.Open();
    TFarEnd far(pty.B());
    ASSERT_TRUE(far.Open());
    far.Write("abc");
    ASSERT_TRUE(Pump_Until([&] { return comm.InQueCount() == 3; }, 5000));
    comm.SetBREAKState(true);
    comm.SetBREAKState(false);
    EXPECT_EQ(comm.InQueCount(), 0);
    comm.SetXONState(false);
    comm.SetXONState(true);

    int code = 0;
    const std::string error = Comm_Error([&] { comm.SetDTRState(true); }, &code);
    EXPECT_EQ(error, "EscapeCommFunction failure (Error: " + std::to_string(code) + ") ");
    EXPECT_GT(code, 0);
    EXPECT_TRUE(comm.Enabled());
    EXPECT_FALSE(comm.CTS());  // no modem lines to read
}

TEST(SerialPort, WriteThatCannotCompleteTimesOut)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready());
    TComm comm;
    comm.SetDeviceName(pty.A());
    comm.SetWriteTimeout(200);
    comm.Open();
    // Nobody reads the far end: the queues fill up and the write stalls.
    const std::string block(4 << 20, 'x');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(comm.Write(block.data(), static_cast<int>(block.size())), -1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(190));
    comm.PurgeOut();
    comm.Close();
}

// A write waiting on a stalled line (on the thread that owns the port, as
// the scan engine's does) does not hold up the events on the GUI thread.
// The port is the terminal side of a pseudo-terminal whose master end the
// test holds: nobody reads the master, input still comes in.
TEST(SerialPort, StalledWriteDoesNotHoldUpEvents)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    TComm comm;
    comm.SetDeviceName(terminal);
    comm.SetWriteTimeout(2500);
    int rx = 0;
    comm.OnRxChar = [&rx](TObject*, int) { ++rx; };
    comm.Open();
    std::atomic<bool> writing{false};
    std::thread writer([&] {
        const std::string block(4 << 20, 'x');
        writing = true;
        comm.Write(block.data(), static_cast<int>(block.size()));
    });
    while (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the line is full now
    ASSERT_EQ(::write(master, "\x01", 1), 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Pump_Until([&] { return rx > 0; }, 2000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    writer.join();
    comm.Close();
    ::close(master);
}

} // namespace
