#include "platform/SerialDevice.h"

// The kernel's own terminal structures (termios2 carries any bit rate);
// glibc's <termios.h> must not be included with them.
#include <asm/termios.h>
#include <linux/serial.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace {

// Standard rates keep their Bnnn code, others go as BOTHER with the rate.
struct RateCode {
    std::uint32_t rate;
    unsigned code;
};
constexpr RateCode kRates[] = {
    {50, B50},         {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},       {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},     {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},   {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000}, {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
};

long long Now_Ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int Err(int r) { return r < 0 ? errno : 0; }

} // namespace

TSerialDevice::~TSerialDevice() { Close(); }

int TSerialDevice::Open(const std::string& name)
{
    if (fd_ >= 0) return EBUSY;
    // "\\.\NAME", the form that names a device directly elsewhere, names
    // the device NAME of the device folder here.
    std::string path = name;
    if (path.rfind("\\\\.\\", 0) == 0) path = "/dev/" + path.substr(4);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    // Exclusive: a terminal refuses further opens, and every opener of this
    // layer takes the lock (which also holds against privileged openers).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return e;
    }
    ::ioctl(fd, TIOCEXCL);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) != 0) {
        const int e = errno;
        ::close(fd);
        return e;
    }
    fd_ = fd;
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    lastRx_ = 0;
    haveModem_ = false;
    haveCounts_ = false;
    txPending_ = false;
    errors_ = 0;
    return 0;
}

void TSerialDevice::Close()
{
    if (fd_ >= 0) {
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }
    if (wakeRead_ >= 0) ::close(wakeRead_);
    if (wakeWrite_ >= 0) ::close(wakeWrite_);
    wakeRead_ = wakeWrite_ = -1;
}

bool TSerialDevice::Is_Char_Device() const
{
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISCHR(st.st_mode);
}

int Serial_Terminal_Settings(int handle, TSerialSettings& s)
{
    if (handle < 0) return EBADF;
    termios2 t{};
    if (::ioctl(handle, TCGETS2, &t) != 0) return errno;
    const unsigned code = t.c_cflag & CBAUD;
    s.BaudRate = t.c_ospeed;
    if (code != BOTHER)
        for (const RateCode& r : kRates)
            if (r.code == code) s.BaudRate = r.rate;
    switch (t.c_cflag & CSIZE) {
    case CS5: s.ByteSize = 5; break;
    case CS6: s.ByteSize = 6; break;
    case CS7: s.ByteSize = 7; break;
    default: s.ByteSize = 8; break;
    }
    if (!(t.c_cflag & PARENB)) s.Parity = 0;
    else if (t.c_cflag & CMSPAR) s.Parity = (t.c_cflag & PARODD) ? 3 : 4;
    else s.Parity = (t.c_cflag & PARODD) ? 1 : 2;
    s.StopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
    s.Flags = dcb_Binary;
    if (t.c_iflag & INPCK) s.Flags |= dcb_ParityCheck;
    if (t.c_cflag & CRTSCTS) s.Flags |= dcb_OutxCtsFlow | dcb_RtsControlHandshake;
    if (t.c_iflag & IXON) s.Flags |= dcb_OutX;
    if (t.c_iflag & IXOFF) s.Flags |= dcb_InX;
    s.XonChar = static_cast<char>(t.c_cc[VSTART]);
    s.XoffChar = static_cast<char>(t.c_cc[VSTOP]);
    s.EofChar = static_cast<char>(t.c_cc[VEOF]);
    return 0;
}

int TSerialDevice::Get_State(TSerialSettings& s) const
{
    if (fd_ < 0) return EBADF;
    TSerialSettings term;
    if (const int e = Serial_Terminal_Settings(fd_, term)) return e;
    s = term;
    if (term.StopBits == 2 && stopBits_ == 1) s.StopBits = 1;  // one and a half goes out as two
    // Flags the terminal holds come from it, the others from the last
    // block written.
    const std::uint32_t held = dcb_ParityCheck | dcb_OutxCtsFlow | dcb_OutX | dcb_InX;
    s.Flags = (shadowFlags_ & ~held) | (term.Flags & held);
    if (term.Flags & dcb_RtsControlHandshake) s.Flags = (s.Flags & ~dcb_RtsControlMask) | dcb_RtsControlHandshake;
    else if ((s.Flags & dcb_RtsControlMask) == dcb_RtsControlHandshake)
        s.Flags = (s.Flags & ~dcb_RtsControlMask) | dcb_RtsControlEnable;
    s.ErrorChar = errorChar_;
    s.EvtChar = evtChar_;
    s.XonLim = xonLim_;
    s.XoffLim = xoffLim_;
    return 0;
}

int TSerialDevice::Set_State(const TSerialSettings& s)
{
    if (fd_ < 0) return EBADF;
    termios2 t{};
    if (::ioctl(fd_, TCGETS2, &t) != 0) return errno;
    if (s.BaudRate == 0 || s.ByteSize < 5 || s.ByteSize > 8 || s.Parity > 4 || s.StopBits > 2) return EINVAL;

    // Raw bytes in both directions.
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK | IGNPAR);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;

    unsigned code = BOTHER;
    for (const RateCode& r : kRates)
        if (r.rate == s.BaudRate) code = r.code;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= code;
    t.c_ospeed = s.BaudRate;
    t.c_cflag &= ~(CBAUD << IBSHIFT);  // input at the output rate
    t.c_ispeed = s.BaudRate;

    t.c_cflag &= ~CSIZE;
    t.c_cflag |= s.ByteSize == 5 ? CS5 : s.ByteSize == 6 ? CS6 : s.ByteSize == 7 ? CS7 : CS8;
    t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (s.Parity) {
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    case 3: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 4: t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    if (s.StopBits != 0) t.c_cflag |= CSTOPB;
    else t.c_cflag &= ~CSTOPB;

    if (s.Flags & dcb_ParityCheck) t.c_iflag |= INPCK;
    else t.c_iflag |= IGNPAR;
    if ((s.Flags & dcb_OutxCtsFlow) || (s.Flags & dcb_RtsControlMask) == dcb_RtsControlHandshake)
        t.c_cflag |= CRTSCTS;
    else
        t.c_cflag &= ~CRTSCTS;
    if (s.Flags & dcb_OutX) t.c_iflag |= IXON;
    if (s.Flags & dcb_InX) t.c_iflag |= IXOFF;
    if (s.Flags & dcb_TXContinueOnXoff) t.c_iflag |= IXANY;

    t.c_cc[VSTART] = static_cast<cc_t>(s.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(s.XoffChar);
    t.c_cc[VEOF] = static_cast<cc_t>(s.EofChar);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::ioctl(fd_, TCSETS2, &t) != 0) return errno;
    shadowFlags_ = s.Flags;
    xonLim_ = s.XonLim;
    xoffLim_ = s.XoffLim;
    errorChar_ = s.ErrorChar;
    evtChar_ = s.EvtChar;
    stopBits_ = s.StopBits;
    return 0;
}

int TSerialDevice::Set_Immediate_Timeouts()
{
    if (fd_ < 0) return EBADF;
    termios2 t{};
    if (::ioctl(fd_, TCGETS2, &t) != 0) return errno;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return Err(::ioctl(fd_, TCSETS2, &t));
}

int TSerialDevice::Setup_Queues(int readSize, int writeSize)
{
    if (fd_ < 0) return EBADF;
    return readSize < 0 || writeSize < 0 ? EINVAL : 0;
}

int TSerialDevice::Purge(bool input, bool output)
{
    if (fd_ < 0) return EBADF;
    if (!input && !output) return 0;
    return Err(::ioctl(fd_, TCFLSH, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH));
}

int TSerialDevice::Set_DTR(bool on)
{
    if (fd_ < 0) return EBADF;
    int bits = TIOCM_DTR;
    return Err(::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits));
}

int TSerialDevice::Set_RTS(bool on)
{
    if (fd_ < 0) return EBADF;
    int bits = TIOCM_RTS;
    return Err(::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits));
}

int TSerialDevice::Set_XON(bool on)
{
    if (fd_ < 0) return EBADF;
    return Err(::ioctl(fd_, TCXONC, on ? TCION : TCIOFF));
}

int TSerialDevice::Set_Break(bool on)
{
    if (fd_ < 0) return EBADF;
    return Err(::ioctl(fd_, on ? TIOCSBRK : TIOCCBRK));
}

int TSerialDevice::Modem_Status(std::uint32_t& lines) const
{
    lines = 0;
    if (fd_ < 0) return EBADF;
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) != 0) return errno;
    if (bits & TIOCM_CTS) lines |= ms_Cts;
    if (bits & TIOCM_DSR) lines |= ms_Dsr;
    if (bits & TIOCM_RNG) lines |= ms_Ring;
    if (bits & TIOCM_CAR) lines |= ms_Rlsd;
    return 0;
}

int TSerialDevice::Read_Errors(std::uint32_t& flags, TSerialStatus& status)
{
    flags = 0;
    status = {};
    if (fd_ < 0) return EBADF;
    flags = errors_.exchange(0);
    return 0;
}

int TSerialDevice::Write(const std::uint8_t* buf, std::size_t count, int timeoutMs, int& err)
{
    err = 0;
    if (fd_ < 0) {
        err = EBADF;
        return -1;
    }
    const long long deadline = Now_Ms() + (timeoutMs < 0 ? 0 : timeoutMs);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd_, buf + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            txPending_ = true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            err = errno;
            return -1;
        }
        const long long left = deadline - Now_Ms();
        if (left <= 0) return -1;  // time-out
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(left));
    }
    return static_cast<int>(done);
}

int TSerialDevice::Read(std::uint8_t* buf, std::size_t count, int& err)
{
    err = 0;
    if (fd_ < 0) {
        err = EBADF;
        return -1;
    }
    if (count == 0) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buf, count);
        if (n >= 0) return static_cast<int>(n);
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        // A terminal whose other side is gone has nothing to give.
        if (errno == EIO) return 0;
        err = errno;
        return -1;
    }
}

int TSerialDevice::In_Queue() const
{
    if (fd_ < 0) return -1;
    int n = 0;
    return ::ioctl(fd_, FIONREAD, &n) == 0 ? n : -1;
}

int TSerialDevice::Out_Queue() const
{
    if (fd_ < 0) return -1;
    int n = 0;
    return ::ioctl(fd_, TIOCOUTQ, &n) == 0 ? n : -1;
}

void TSerialDevice::Abort_Wait()
{
    if (wakeWrite_ >= 0) {
        const char b = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &b, 1);
    }
}

std::uint32_t TSerialDevice::Wait_Event(std::uint32_t mask)
{
    constexpr int kPollMs = 20;
    while (fd_ >= 0) {
        std::uint32_t ev = 0;

        // Characters received since the last look.
        const int rx = In_Queue();
        if (rx > lastRx_) ev |= ev_RxChar;
        lastRx_ = rx < 0 ? 0 : rx;

        // Transmit buffer emptied after a write.
        if (txPending_ && Out_Queue() == 0) {
            txPending_ = false;
            ev |= ev_TxEmpty;
        }

        // Modem lines that changed.
        std::uint32_t lines = 0;
        if (Modem_Status(lines) == 0) {
            if (haveModem_) {
                const std::uint32_t changed = lines ^ lastModem_;
                if (changed & ms_Cts) ev |= ev_Cts;
                if (changed & ms_Dsr) ev |= ev_Dsr;
                if (changed & ms_Ring) ev |= ev_Ring;
                if (changed & ms_Rlsd) ev |= ev_Rlsd;
            }
            haveModem_ = true;
            lastModem_ = lines;
        }

        // Line errors and breaks, from the driver's counters.
        serial_icounter_struct ic{};
        if (::ioctl(fd_, TIOCGICOUNT, &ic) == 0) {
            if (haveCounts_) {
                std::uint32_t e = 0;
                if (ic.brk != lastBreaks_) {
                    ev |= ev_Break;
                    e |= ce_Break;
                }
                if (ic.frame != lastFrame_) e |= ce_Frame;
                if (ic.overrun != lastOverrun_) e |= ce_Overrun;
                if (ic.parity != lastParity_) e |= ce_RxParity;
                if (ic.buf_overrun != lastBufOverrun_) e |= ce_RxOver;
                if (e & ~ce_Break) ev |= ev_Err;
                if (e) errors_ |= e;
            }
            haveCounts_ = true;
            lastBreaks_ = ic.brk;
            lastFrame_ = ic.frame;
            lastOverrun_ = ic.overrun;
            lastParity_ = ic.parity;
            lastBufOverrun_ = ic.buf_overrun;
        }

        if (ev & mask) return ev & mask;

        // Sleep until input arrives (only while the input queue is empty:
        // queued bytes would wake every poll), an abort, or the next look.
        pollfd p[2] = {{wakeRead_, POLLIN, 0}, {fd_, static_cast<short>(lastRx_ == 0 ? POLLIN : 0), 0}};
        const int r = ::poll(p, 2, kPollMs);
        if (r > 0 && (p[0].revents & POLLIN)) {
            char drain[64];
            while (::read(wakeRead_, drain, sizeof drain) > 0) {
            }
            return 0;
        }
        if (r > 0 && (p[1].revents & (POLLHUP | POLLERR | POLLNVAL)) && !(p[1].revents & POLLIN))
            ::poll(p, 1, kPollMs);  // the other side is gone: no busy loop on the hang-up
    }
    return 0;
}
