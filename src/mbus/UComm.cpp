#include "mbus/UComm.h"

#include "platform/MainThread.h"

namespace {

constexpr std::uint32_t kRates[] = {110,   300,   600,    1200,   2400,   4800,    9600,    14400,  19200,
                                    38400, 56000, 57600, 115200, 128000, 256000, 1500000, 3000000};

void Check(int err, const char* text)
{
    if (err != 0) throw ECommError(text, err);
}

} // namespace

std::uint32_t Baudrate_Value(TBaudrate rate)
{
    const auto i = static_cast<std::size_t>(rate);
    return i < std::size(kRates) ? kRates[i] : 9600;
}

ECommError::ECommError(const std::string& text, int code)
    : Exception(text + " (Error: " + std::to_string(code) + ") "), ErrorCode(code)
{
}

// --- special characters --------------------------------------------------------

void TCommEventChars::Set(char& field, char c)
{
    if (field == c) return;
    const char old = field;
    field = c;
    if (owner_ && owner_->Enabled()) {
        try {
            owner_->UpdateCommSettings();
        } catch (...) {
            field = old;
            throw;
        }
    }
}

void TCommEventChars::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TCommEventChars*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    const char saved[5] = {xon_, xoff_, error_, eof_, evt_};
    xon_ = other->xon_;
    xoff_ = other->xoff_;
    error_ = other->error_;
    eof_ = other->eof_;
    evt_ = other->evt_;
    if (owner_ && owner_->Enabled()) {
        try {
            owner_->UpdateCommSettings();
        } catch (...) {
            xon_ = saved[0];
            xoff_ = saved[1];
            error_ = saved[2];
            eof_ = saved[3];
            evt_ = saved[4];
            throw;
        }
    }
}

// --- event thread ------------------------------------------------------------------

TCommEventThread::TCommEventThread(TCustomComm& comm, std::uint32_t mask,
                                   std::shared_ptr<TCustomComm::TSession> session)
    : comm_(comm), mask_(mask), session_(std::move(session))
{
    thread_ = std::thread([this] { Execute(); });
}

TCommEventThread::~TCommEventThread()
{
    Stop();
    if (thread_.joinable()) thread_.join();
}

void TCommEventThread::Stop()
{
    terminated_ = true;
    comm_.device_.Abort_Wait();
}

void TCommEventThread::Execute()
{
    while (!terminated_) {
        const std::uint32_t events = comm_.device_.Wait_Event(mask_);
        if (terminated_ || events == 0) continue;
        std::shared_ptr<TCustomComm::TSession> session = session_;
        TCustomComm* comm = &comm_;
        Queue_Main_Thread([session, comm, events] {
            std::lock_guard<std::recursive_mutex> lock(session->mutex);
            if (session->alive) comm->Handle_Events(events);
        });
    }
    comm_.device_.Purge(true, true);
}

// --- component ---------------------------------------------------------------------

TCustomComm::TCustomComm(TComponent* AOwner)
    : TComponent(AOwner), eventChars_(std::make_unique<TCommEventChars>(this))
{
}

TCustomComm::~TCustomComm()
{
    try {
        Close();
    } catch (...) {
    }
}

int TCustomComm::CreateHandle() { return device_.Open(deviceName_); }

bool TCustomComm::Enabled() const
{
    std::lock_guard<TCriticalSection> lock(cs_);
    return device_.Is_Open();
}

int TCustomComm::Handle() const
{
    std::lock_guard<TCriticalSection> lock(cs_);
    return device_.Handle();
}

void TCustomComm::Open()
{
    if (Enabled()) throw ECommError(kCommAlreadyOpen, -1);
    {
        std::lock_guard<TCriticalSection> lock(cs_);
        Check(CreateHandle(), kCommAccessError);
        if (!device_.Is_Char_Device()) {
            device_.Close();
            throw ECommError(kCommInvalidHandle, -1);
        }
    }
    try {
        session_ = std::make_shared<TSession>();
        std::uint32_t mask = 0;
        for (int e = evBreak; e <= evTxEmpty; ++e)
            if (monitorEvents_.Contains(static_cast<TCommEventType>(e))) mask |= 1u << e;
        eventThread_ = std::make_unique<TCommEventThread>(*this, mask, session_);
        std::lock_guard<TCriticalSection> lock(cs_);
        Check(device_.Set_Immediate_Timeouts(), kCommTimeoutsError);
        UpdateCommSettings();
        Check(device_.Setup_Queues(readBufSize_, writeBufSize_), kCommBuffersError);
    } catch (...) {
        // A port that failed to open does not stay half open.
        Close();
        throw;
    }
}

void TCustomComm::Stop_Event_Thread()
{
    if (session_) {
        std::lock_guard<std::recursive_mutex> lock(session_->mutex);
        session_->alive = false;
    }
    eventThread_.reset();  // stops and joins
    session_.reset();
}

void TCustomComm::Close()
{
    Stop_Event_Thread();
    std::lock_guard<TCriticalSection> lock(cs_);
    device_.Close();
}

void TCustomComm::UpdateCommSettings()
{
    std::lock_guard<TCriticalSection> lock(cs_);
    if (!device_.Is_Open()) return;
    TSerialSettings s;
    Check(device_.Get_State(s), kCommDcbError);
    s.BaudRate = Baudrate_Value(baudRate_);
    s.Parity = static_cast<std::uint8_t>(parity_);
    s.StopBits = static_cast<std::uint8_t>(stopbits_);
    s.ByteSize = static_cast<std::uint8_t>(4 + static_cast<int>(databits_));
    s.XonChar = eventChars_->XonChar();
    s.XoffChar = eventChars_->XoffChar();
    s.ErrorChar = eventChars_->ErrorChar();
    s.EofChar = eventChars_->EofChar();
    s.EvtChar = eventChars_->EvtChar();
    s.XonLim = static_cast<std::uint16_t>(readBufSize_ / 4);
    s.XoffLim = static_cast<std::uint16_t>(readBufSize_ / 4);
    switch (flowControl_) {
    case fcNone: s.Flags = dcb_Binary; break;
    case fcCTS: s.Flags = dcb_Binary | dcb_OutxCtsFlow | dcb_RtsControlHandshake; break;
    case fcDTR: s.Flags = dcb_Binary | dcb_OutxDsrFlow | dcb_DtrControlHandshake; break;
    case fcSoftware: s.Flags = dcb_Binary | dcb_OutX | dcb_InX; break;
    case fcDefault: break;
    }
    auto flag = [&](TCommOption o, std::uint32_t bit) {
        if (options_.Contains(o)) s.Flags |= bit;
        else s.Flags &= ~bit;
    };
    flag(coParityCheck, dcb_ParityCheck);
    flag(coDsrSensitivity, dcb_DsrSensivity);
    flag(coIgnoreXOff, dcb_TXContinueOnXoff);
    flag(coErrorChar, dcb_ErrorChar);
    flag(coNullStrip, dcb_NullStrip);
    Check(device_.Set_State(s), kCommDcbError);
}

template <class T>
void TCustomComm::Set_Line_Setting(T& field, T value)
{
    if (field == value) return;
    const T old = field;
    field = value;
    try {
        UpdateCommSettings();
    } catch (...) {
        field = old;  // the port keeps the settings it had
        throw;
    }
}

void TCustomComm::SetBaudRate(TBaudrate v) { Set_Line_Setting(baudRate_, v); }
void TCustomComm::SetParity(TParity v) { Set_Line_Setting(parity_, v); }
void TCustomComm::SetStopbits(TStopbits v) { Set_Line_Setting(stopbits_, v); }
void TCustomComm::SetDatabits(TDatabits v) { Set_Line_Setting(databits_, v); }
void TCustomComm::SetOptions(TCommOptions v) { Set_Line_Setting(options_, v); }
void TCustomComm::SetFlowControl(TFlowControl v) { Set_Line_Setting(flowControl_, v); }

void TCustomComm::SetDeviceName(const std::string& v)
{
    if (v == deviceName_) return;
    if (Enabled()) throw ECommError(kCommAlreadyOpen, -1);
    deviceName_ = v;
}

void TCustomComm::SetReadBufSize(int v)
{
    if (v == readBufSize_) return;
    if (Enabled()) throw ECommError(kCommAlreadyOpen, -1);
    readBufSize_ = v;
}

void TCustomComm::SetWriteBufSize(int v)
{
    if (v == writeBufSize_) return;
    if (Enabled()) throw ECommError(kCommAlreadyOpen, -1);
    writeBufSize_ = v;
}

void TCustomComm::SetMonitorEvents(TCommEventTypes v)
{
    if (v == monitorEvents_) return;
    if (Enabled()) throw ECommError(kCommAlreadyOpen, -1);
    monitorEvents_ = v;
}

int TCustomComm::Write(const void* Buf, int Count)
{
    std::lock_guard<TCriticalSection> lock(cs_);
    int err = 0;
    const int n = device_.Write(static_cast<const std::uint8_t*>(Buf), Count < 0 ? 0 : static_cast<std::size_t>(Count),
                                writeTimeout_, err);
    if (n < 0 && err != 0) throw ECommError(kCommWriteError, err);
    return n;
}

int TCustomComm::Read(void* Buf, int Count)
{
    std::lock_guard<TCriticalSection> lock(cs_);
    int err = 0;
    const int n = device_.Read(static_cast<std::uint8_t*>(Buf), Count < 0 ? 0 : static_cast<std::size_t>(Count), err);
    if (n < 0) throw ECommError(kCommReadError, err);
    return n;
}

int TCustomComm::InQueCount() const
{
    std::lock_guard<TCriticalSection> lock(cs_);
    return device_.In_Queue();
}

int TCustomComm::OutQueCount() const
{
    std::lock_guard<TCriticalSection> lock(cs_);
    return device_.Out_Queue();
}

void TCustomComm::PurgeIn()
{
    std::lock_guard<TCriticalSection> lock(cs_);
    if (device_.Is_Open()) device_.Purge(true, false);
}

void TCustomComm::PurgeOut()
{
    std::lock_guard<TCriticalSection> lock(cs_);
    if (device_.Is_Open()) device_.Purge(false, true);
}

void TCustomComm::SetDTRState(bool State)
{
    std::lock_guard<TCriticalSection> lock(cs_);
    if (!device_.Is_Open()) throw ECommError(kCommNotOpen, -1);
    Check(device_.Set_DTR(State), kCommEscapeError);
}

void TCustomComm::SetRTSState(bool State)
{
    std::lock_guard<TCriticalSection> lock(cs_);
    if (!device_.Is_Open()) throw ECommError(kCommNotOpen, -1);
    Check(device_.Set_RTS(State), kCommEscapeError);
}

void TCustomComm::SetXONState(bool State)
{
    std::lock_guard<TCriticalSection> lock(cs_);
    if (!device_.Is_Open()) throw ECommError(kCommNotOpen, -1);
    Check(device_.Set_XON(State), kCommEscapeError);
}

void TCustomComm::SetBREAKState(bool State)
{
    std::lock_guard<TCriticalSection> lock(cs_);
    if (!device_.Is_Open()) throw ECommError(kCommNotOpen, -1);
    Check(device_.Set_Break(State), kCommEscapeError);
    device_.Purge(true, true);
}

namespace {
bool Line(const TSerialDevice& d, std::uint32_t bit)
{
    std::uint32_t lines = 0;
    return d.Modem_Status(lines) == 0 && (lines & bit) != 0;
}
} // namespace

bool TCustomComm::CTS() const
{
    std::lock_guard<TCriticalSection> lock(cs_);
    return Line(device_, ms_Cts);
}
bool TCustomComm::DSR() const
{
    std::lock_guard<TCriticalSection> lock(cs_);
    return Line(device_, ms_Dsr);
}
bool TCustomComm::RING() const
{
    std::lock_guard<TCriticalSection> lock(cs_);
    return Line(device_, ms_Ring);
}
bool TCustomComm::RLSD() const
{
    std::lock_guard<TCriticalSection> lock(cs_);
    return Line(device_, ms_Rlsd);
}

// The system keeps no transmission-hold flags for its terminals.
bool TCustomComm::CtsHold() const { return false; }
bool TCustomComm::DsrHold() const { return false; }
bool TCustomComm::RlsdHold() const { return false; }
bool TCustomComm::XoffHold() const { return false; }
bool TCustomComm::XOffSent() const { return false; }

void TCustomComm::Handle_Events(std::uint32_t events)
{
    // No critical section here: a batch runs only while its opening of the
    // port lives (closing waits for it), and a write waiting for a stalled
    // line must not hold up the GUI thread.
    std::uint32_t errors = 0;
    int waiting = 0;
    if (!device_.Is_Open()) return;
    TSerialStatus status;
    device_.Read_Errors(errors, status);
    waiting = device_.In_Queue();
    auto has = [&](TCommEventType e) { return (events & (1u << e)) != 0; };
    if (has(evBreak) && OnBreak) OnBreak(this);
    if (has(evCts) && OnCts) OnCts(this);
    if (has(evDsr) && OnDsr) OnDsr(this);
    if (has(evError) && OnError) OnError(this, errors);
    if (has(evRing) && OnRing) OnRing(this);
    if (has(evRlsd) && OnRlsd) OnRlsd(this);
    if (has(evRxChar) && waiting > 0 && OnRxChar) OnRxChar(this, waiting);
    if (has(evRxFlag) && OnRxFlag) OnRxFlag(this);
    if (has(evTxEmpty) && OnTxEmpty) OnTxEmpty(this);
}
