#pragma once
// A serial device of the operating system, with the operations the serial
// component builds on: exclusive open, the device-control block (line
// settings, flow-control flags, special characters), immediate reads,
// writes with a time-out, queue counts, purging, line functions, modem
// status, error state and a wait for communication events.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

// Flags of the device-control block (the bits of the platform's block).
enum : std::uint32_t {
    dcb_Binary = 0x00000001,
    dcb_ParityCheck = 0x00000002,
    dcb_OutxCtsFlow = 0x00000004,
    dcb_OutxDsrFlow = 0x00000008,
    dcb_DtrControlMask = 0x00000030,
    dcb_DtrControlDisable = 0x00000000,
    dcb_DtrControlEnable = 0x00000010,
    dcb_DtrControlHandshake = 0x00000020,
    dcb_DsrSensivity = 0x00000040,
    dcb_TXContinueOnXoff = 0x00000080,
    dcb_OutX = 0x00000100,
    dcb_InX = 0x00000200,
    dcb_ErrorChar = 0x00000400,
    dcb_NullStrip = 0x00000800,
    dcb_RtsControlMask = 0x00003000,
    dcb_RtsControlDisable = 0x00000000,
    dcb_RtsControlEnable = 0x00001000,
    dcb_RtsControlHandshake = 0x00002000,
    dcb_RtsControlToggle = 0x00003000,
    dcb_AbortOnError = 0x00004000,
};

// The device-control block.
struct TSerialSettings {
    std::uint32_t BaudRate = 9600;
    std::uint32_t Flags = dcb_Binary | dcb_DtrControlEnable | dcb_RtsControlEnable;
    std::uint16_t XonLim = 0;
    std::uint16_t XoffLim = 0;
    std::uint8_t ByteSize = 8;  // 5 to 8 on this system
    std::uint8_t Parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::uint8_t StopBits = 0;  // 0 one, 1 one and a half (sent as two), 2 two
    char XonChar = 17;
    char XoffChar = 19;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
};

// Communication events, in the order of the serial component's event types.
enum : std::uint32_t {
    ev_Break = 1u << 0,
    ev_Cts = 1u << 1,
    ev_Dsr = 1u << 2,
    ev_Err = 1u << 3,
    ev_Ring = 1u << 4,
    ev_Rlsd = 1u << 5,
    ev_RxChar = 1u << 6,
    ev_RxFlag = 1u << 7,
    ev_TxEmpty = 1u << 8,
};

// Error flags of the device's error state.
enum : std::uint32_t {
    ce_RxOver = 0x0001,
    ce_Overrun = 0x0002,
    ce_RxParity = 0x0004,
    ce_Frame = 0x0008,
    ce_Break = 0x0010,
};

// Modem status lines.
enum : std::uint32_t {
    ms_Cts = 0x0010,
    ms_Dsr = 0x0020,
    ms_Ring = 0x0040,
    ms_Rlsd = 0x0080,
};

// Transmission-hold state of the device (the system keeps none of these
// here: they read False).
struct TSerialStatus {
    bool CtsHold = false;
    bool DsrHold = false;
    bool RlsdHold = false;
    bool XoffHold = false;
    bool XoffSent = false;
};

// The line settings the terminal behind an open handle holds now (rate,
// byte size, parity, stop bits, the flags and characters it keeps).
// Returns 0 or the system's error code.
int Serial_Terminal_Settings(int handle, TSerialSettings& settings);

class TSerialDevice {
public:
    TSerialDevice() = default;
    ~TSerialDevice();  // closes
    TSerialDevice(const TSerialDevice&) = delete;
    TSerialDevice& operator=(const TSerialDevice&) = delete;

    // Opens an existing device for reading and writing, for this opener
    // alone ("\\.\ttyS0" names /dev/ttyS0). Returns 0 or the system's
    // error code (the device stays closed).
    int Open(const std::string& name);
    void Close();
    bool Is_Open() const { return fd_ >= 0; }
    // The device handle, -1 when closed.
    int Handle() const { return fd_; }
    bool Is_Char_Device() const;

    // Each of the following returns 0 or the system's error code.
    int Get_State(TSerialSettings& settings) const;
    int Set_State(const TSerialSettings& settings);
    // Reads return at once with what is queued.
    int Set_Immediate_Timeouts();
    // The driver's queue sizes: the system sizes its queues itself, so
    // only the values are checked.
    int Setup_Queues(int readSize, int writeSize);
    int Purge(bool input, bool output);
    int Set_DTR(bool on);
    int Set_RTS(bool on);
    int Set_XON(bool on);  // sends XON (True) or XOFF (False)
    int Set_Break(bool on);
    int Modem_Status(std::uint32_t& lines) const;
    // Reads and clears the error flags gathered since the last call.
    int Read_Errors(std::uint32_t& flags, TSerialStatus& status);

    // Writes count bytes, waiting at most timeoutMs for them to be taken.
    // Returns the count, or -1 with err 0 on time-out, or -1 with err set.
    int Write(const std::uint8_t* buf, std::size_t count, int timeoutMs, int& err);
    // Reads what is queued, at most count bytes, at once. Returns the count
    // (0 when nothing is queued), or -1 with err set.
    int Read(std::uint8_t* buf, std::size_t count, int& err);
    // Bytes in the input and output queues, -1 when closed or unknown.
    int In_Queue() const;
    int Out_Queue() const;

    // Waits until one of the events in mask occurs and returns the events
    // seen (0 when the wait was aborted or the device closed). One waiter
    // at a time.
    std::uint32_t Wait_Event(std::uint32_t mask);
    // Ends a wait in progress (and the next one, until the wait returns).
    void Abort_Wait();

private:
    int fd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    // Flags and values the system's line settings do not hold, kept from
    // the last block written.
    std::uint32_t shadowFlags_ = dcb_Binary | dcb_DtrControlEnable | dcb_RtsControlEnable;
    std::uint16_t xonLim_ = 0, xoffLim_ = 0;
    char errorChar_ = 0, evtChar_ = 0;
    std::uint8_t stopBits_ = 0;
    std::atomic<bool> txPending_{false};
    std::atomic<std::uint32_t> errors_{0};
    // What the event wait saw last (used by the waiting thread only).
    int lastRx_ = 0;
    bool haveModem_ = false;
    std::uint32_t lastModem_ = 0;
    bool haveCounts_ = false;
    int lastBreaks_ = 0, lastFrame_ = 0, lastOverrun_ = 0, lastParity_ = 0, lastBufOverrun_ = 0;
};
