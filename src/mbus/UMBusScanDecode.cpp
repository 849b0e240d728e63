#include "mbus/UMBusScanDecode.h"

#include "core/UComon.h"
#include "platform/MainThread.h"

#include <algorithm>
#include <cstring>

using namespace wired_step;

std::recursive_mutex& MBus_Data_Mutex()
{
    static std::recursive_mutex m;
    return m;
}

bool TimeOut_Elapsed(std::uint32_t now, std::uint32_t startSend, std::int32_t timeoutMs)
{
    return static_cast<std::int64_t>(now) > static_cast<std::int64_t>(startSend) + timeoutMs || now < startSend;
}

TMBusScanDecode::TMBusScanDecode(ITickClock* clock) : clock_(clock ? clock : &TickClock())
{
    udp_.SetBufferSize(8192);
    udp_.Set_On_Read([this](const std::uint8_t* data, std::size_t size, const std::string&, std::uint16_t) {
        UDP_Read(data, size);
    });
    comm_.SetBaudRate(br115200);
    comm_.SetDatabits(da8);
    comm_.SetFlowControl(fcNone);
    comm_.SetParity(paNone);
    comm_.SetStopbits(sb10);
    comm_.SetReadBufSize(4096);
    comm_.SetWriteBufSize(4096);
    comm_.OnRxChar = [](TObject*, int) {};
    thread_ = std::thread([this] { Execute(); });
}

TMBusScanDecode::~TMBusScanDecode()
{
    *alive_ = false;
    exit_ = true;
    eventRun_.SetEvent();
    try {
        udp_.SetActive(false);
    } catch (...) {
    }
    if (thread_.joinable()) thread_.join();
}

bool TMBusScanDecode::Start_Scan(TScanType ScanT, TSelectHard SelHard, const std::string& IP_COM,
                                 std::int32_t Baud, std::int32_t Par, bool AppReset, bool SNDNKE,
                                 std::int32_t CutAfter, bool FixCField, std::uint8_t FixCFieldValue,
                                 bool RemoteTimeout, TProc_Slave_List Proc_Slave_List)
{
    startError_.clear();
    if (inScan_) return false;
    updateSlaveList_ = std::move(Proc_Slave_List);
    mbusType_ = mtWired;
    scanType_ = ScanT;
    selectHardware_ = SelHard;
    comPort_.clear();
    ipAddress_.clear();
    if (SelHard == shSerial) comPort_ = IP_COM;
    else ipAddress_ = IP_COM;
    baudrate_ = Baud;
    parity_ = Par;
    appReset_ = AppReset;
    sndNke_ = SNDNKE;
    cutAfter_ = CutAfter;
    fixCField_ = FixCField;
    fixCFieldValue_ = FixCFieldValue;
    addTimeOut_ = RemoteTimeout ? 10000 : 0;
    // The port is opened here, where a failure can be told to the user.
    try {
        if (selectHardware_ == shSerial) {
            comm_.Close();
            comm_.SetDeviceName(comPort_);
            comm_.Open();
        } else {
            udp_.SetActive(true);
        }
    } catch (const std::exception& e) {
        startError_ = e.what();
        return false;
    }
    stepScan_ = Start;
    stopScan_ = false;
    abortScan_ = false;
    inScan_ = true;
    return true;
}

// --- thread ----------------------------------------------------------------------

void TMBusScanDecode::Execute()
{
    while (!exit_) {
        if (inScan_) {
            try {
                Scan_Decode();
            } catch (...) {
                Step_Failed();
            }
            Sleep(40);
        } else {
            Sleep(10);
        }
        eventRun_.WaitFor(INFINITE);
    }
    try {
        udp_.SetActive(false);
    } catch (...) {
    }
    try {
        comm_.Close();
    } catch (...) {
    }
}

// A step that failed ends the scan as a gateway that did not answer: the
// closing steps still run, and nothing leaves the thread.
void TMBusScanDecode::Step_Failed()
{
    try {
        if (stepScan_ < Close || (stepScan_ >= Line_Settings && stepScan_ <= Wait_Line_Settings)) {
            result_ = 2;
            stepScan_ = Close;
        } else if (stepScan_ != Close_End) {
            stepScan_ = Close_End;
        } else {
            inScan_ = false;
        }
    } catch (...) {
        inScan_ = false;
    }
}

// An answer longer than the answer buffer is dropped.
void TMBusScanDecode::Answer_Arrives(const std::uint8_t* data, std::size_t size)
{
    if (size > kAnsArraySize) return;
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    std::memcpy(ansArray_.data(), data, size);
    ansLen_ = size;
    answerArrived_ = true;
}

void TMBusScanDecode::UDP_Read(const std::uint8_t* data, std::size_t size)
{
    Answer_Arrives(data, size);
    ++received_;
}

void TMBusScanDecode::Serial_Collect()
{
    std::uint8_t buf[256];
    try {
        for (;;) {
            const int n = comm_.Read(buf, sizeof buf);
            if (n <= 0) break;
            serialRead_ += static_cast<std::uint64_t>(n);
            // One byte beyond the buffer is enough to know the answer is too long.
            const std::size_t room = kAnsArraySize + 1 - std::min(serialBuf_.size(), kAnsArraySize + 1);
            serialBuf_.insert(serialBuf_.end(), buf, buf + std::min(static_cast<std::size_t>(n), room));
            lastSerialRx_ = Tick();
        }
    } catch (...) {
        // A port that fails to read gives no answer: the request times out.
    }
    if (serialBuf_.empty()) return;
    const TBytes& b = serialBuf_;
    const bool longFrameComplete = b.size() >= 4 && b[0] == 0x68 && b[3] == 0x68 && b[1] == b[2] &&
                                   b.size() == static_cast<std::size_t>(b[1]) + 6;
    const std::uint32_t quiet = static_cast<std::uint32_t>(33000 / std::max(baudrate_, 300) + 40);
    if (!longFrameComplete && Tick() - lastSerialRx_ < quiet) return;
    Answer_Arrives(b.data(), b.size());
    serialBuf_.clear();
}

std::uint32_t TMBusScanDecode::Tick() const { return static_cast<std::uint32_t>(clock_->TickCount()); }

bool TMBusScanDecode::TimeOut() const { return TimeOut_Elapsed(Tick(), startSend_, timeOutCalc_); }

void TMBusScanDecode::Send_Command(const TBytes& bytes)
{
    {
        std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
        answerArrived_ = false;
    }
    // A request that cannot go out (a bad address, a refused datagram, a
    // closed port) is left to its time-out.
    try {
        if (selectHardware_ == shSerial) {
            // Nothing heard before the request belongs to its answer.
            serialBuf_.clear();
            comm_.PurgeIn();
            if (comm_.Write(bytes.data(), static_cast<int>(bytes.size())) == static_cast<int>(bytes.size())) ++sent_;
            else ++failed_;
        } else {
            udp_.Send(ipAddress_, gatewayPort_, bytes.data(), bytes.size());
            ++sent_;
        }
    } catch (...) {
        ++failed_;
    }
    startSend_ = Tick();
}

void TMBusScanDecode::Send_Command(const char* text)
{
    Send_Command(TBytes(text, text + std::strlen(text)));
}

bool TMBusScanDecode::Take_Answer(TBytes& answer)
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    if (!answerArrived_) return false;
    answer.assign(ansArray_.begin(), ansArray_.begin() + static_cast<std::ptrdiff_t>(ansLen_));
    return true;
}

void TMBusScanDecode::Progress(int event, int value, int found, int kind)
{
    Queue_Progress(updateSlaveList_, event, value, found, kind);
}

void TMBusScanDecode::Queue_Progress(const TProc_Slave_List& proc, int event, int value, int found, int kind)
{
    if (!proc) return;
    Queue_Main_Thread([alive = alive_, proc, event, value, found, kind] {
        if (!*alive) return;
        try {
            proc(event, value, found, kind);
        } catch (...) {
        }
    });
}

// Reads a valid long frame into the current meter. False when the answer
// is no valid long frame.
bool TMBusScanDecode::Read_Frame(const TBytes& answer, bool& recordsEnded)
{
    if (!Is_Valid_Long_Frame(answer)) return false;
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    recordsEnded = Read_Slave_Frame(answer, numFrameRead_, indexDevice_, UComon::MBus_Slave_List, scratch_);
    return true;
}

// --- wired step machine ------------------------------------------------------------

void TMBusScanDecode::Scan_Decode()
{
    if (abortScan_) stepScan_ = Close;
    const bool serial = selectHardware_ == shSerial;
    if (serial) Serial_Collect();
    const bool secondary = scanType_ == saSecondaryAddress;
    TBytes answer;

    switch (stepScan_) {
    // Opening: analyzer mode and line settings of the gateway.
    case Start:
        enableSendInLastStep_ = false;
        result_ = 1;
        if (serial) {
            stepScan_ = secondary ? Secondary_Start : Primary_Start;
            break;
        }
        timeOutCalc_ = TimeOut_Gateway(addTimeOut_);
        stepScan_ = Wait_Enable;
        Send_Command(kCmdEnableAnalyzer);
        break;
    case Wait_Enable:
        if (Take_Answer(answer)) {
            if (Answer_Is(answer, kAnsEnableAnalyzer)) {
                stepScan_ = Line_Settings;
                idDevPrimary_ = -1;
            } else {
                result_ = 2;
                stepScan_ = Close;
            }
        }
        if (TimeOut()) {
            result_ = 2;
            stepScan_ = Close;
        }
        break;
    case Line_Settings:
        result_ = 1;
        if (serial) {
            stepScan_ = secondary ? Secondary_Start : Primary_Start;
            break;
        }
        timeOutCalc_ = TimeOut_Gateway(addTimeOut_);
        stepScan_ = Wait_Line_Settings;
        Send_Command(Line_Settings_Command(baudrate_, parity_));
        break;
    case Wait_Line_Settings:
        if (Take_Answer(answer)) {
            if (Answer_Is(answer, kAnsLineSettings)) {
                stepScan_ = secondary ? Secondary_Start : Primary_Start;
            } else {
                result_ = 2;
                stepScan_ = Close;
            }
        }
        if (TimeOut()) {
            result_ = 2;
            stepScan_ = Close;
        }
        break;

    // Primary search: addresses 0 to 250.
    case Primary_Start:
        timeOutCalc_ = TimeOut_Short(baudrate_, addTimeOut_);
        idDevPrimary_ = -1;
        Progress(1, 0, 0, 1);
        Sleep(500);
        stepScan_ = Primary_Wait_Reset;
        Send_Command(Frame_SND_NKE(255));
        break;
    case Primary_Wait_Reset:
        if (Take_Answer(answer) || TimeOut()) stepScan_ = Primary_Next;
        break;
    case Primary_Next:
        timeOutCalc_ = TimeOut_Short(baudrate_, addTimeOut_);
        numFrameRead_ = 0;
        ++idDevPrimary_;
        if (idDevPrimary_ > 250 || stopScan_) {
            typeToSendInLastStep_ = 1;
            enableSendInLastStep_ = true;
            result_ = 1;
            stepScan_ = Close;
        } else {
            stepScan_ = appReset_ ? Primary_App_Reset : sndNke_ ? Primary_SND_NKE : Primary_REQ_UD2;
        }
        break;
    case Primary_App_Reset:
        Sleep(500);
        stepScan_ = Primary_Wait_App_Reset;
        Send_Command(Frame_App_Reset(SND_UD_C_Field(fixCField_, fixCFieldValue_),
                                     static_cast<std::uint8_t>(idDevPrimary_)));
        break;
    case Primary_Wait_App_Reset:
        if ((Take_Answer(answer) && Is_Single_Char(answer)) || TimeOut())
            stepScan_ = sndNke_ ? Primary_SND_NKE : Primary_REQ_UD2;
        break;
    case Primary_SND_NKE:
        Sleep(500);
        stepScan_ = Primary_Wait_SND_NKE;
        Send_Command(Frame_SND_NKE(static_cast<std::uint8_t>(idDevPrimary_)));
        break;
    case Primary_Wait_SND_NKE:
        if ((Take_Answer(answer) && Is_Single_Char(answer)) || TimeOut()) stepScan_ = Primary_REQ_UD2;
        break;
    case Primary_REQ_UD2:
        timeOutCalc_ = TimeOut_Long(baudrate_, addTimeOut_);
        Sleep(500);
        stepScan_ = Primary_Wait_REQ_UD2;
        Send_Command(Frame_REQ_UD2(REQ_UD2_C_Field(fixCField_, fixCFieldValue_, numFrameRead_),
                                   static_cast<std::uint8_t>(idDevPrimary_)));
        break;
    case Primary_Wait_REQ_UD2:
        idDevFound_ = false;
        if (Take_Answer(answer)) {
            bool ended = true;
            if (Read_Frame(answer, ended)) {
                ++numFrameRead_;
                if (ended || numFrameRead_ >= cutAfter_) {
                    idDevFound_ = true;
                    Progress(2, idDevPrimary_, 1, 1);
                    stepScan_ = Primary_Next;
                } else {
                    stepScan_ = Primary_REQ_UD2;
                }
            } else {
                Progress(2, idDevPrimary_, 0, 1);
                stepScan_ = Primary_Next;
            }
        }
        if (TimeOut() && !idDevFound_) {
            Progress(2, idDevPrimary_, 0, 1);
            stepScan_ = Primary_Next;
        }
        break;

    // Secondary search: the identification digits, depth first.
    case Secondary_Start:
        timeOutCalc_ = TimeOut_Short(baudrate_, addTimeOut_);
        Progress(1, 0, 0, 2);
        stepScan_ = sndNke_ ? Secondary_SND_NKE : appReset_ ? Secondary_App_Reset : Secondary_Reset_All;
        break;
    case Secondary_SND_NKE:
        Sleep(800);
        stepScan_ = Secondary_Wait_SND_NKE;
        Send_Command(Frame_SND_NKE(253));
        break;
    case Secondary_Wait_SND_NKE:
        if ((Take_Answer(answer) && Is_Single_Char(answer)) || TimeOut())
            stepScan_ = appReset_ ? Secondary_App_Reset : Secondary_Reset_All;
        break;
    case Secondary_App_Reset:
        Sleep(800);
        stepScan_ = Secondary_Wait_App_Reset;
        Send_Command(Frame_App_Reset(SND_UD_C_Field(fixCField_, fixCFieldValue_), 255));
        break;
    case Secondary_Wait_App_Reset:
        if ((Take_Answer(answer) && Is_Single_Char(answer)) || TimeOut()) stepScan_ = Secondary_Reset_All;
        break;
    case Secondary_Reset_All:
        Sleep(800);
        stepScan_ = Secondary_Wait_Reset_All;
        Send_Command(Frame_SND_NKE(255));
        break;
    case Secondary_Wait_Reset_All:
        if (Take_Answer(answer) || TimeOut()) stepScan_ = Secondary_Clear_Digits;
        break;
    case Secondary_Clear_Digits:
        digits_.fill(-1);
        stepScan_ = Level_A;
        break;
    case Secondary_REQ_UD2:
        timeOutCalc_ = TimeOut_Long(baudrate_, addTimeOut_);
        Sleep(800);
        stepScan_ = Secondary_Wait_REQ_UD2;
        Send_Command(Frame_REQ_UD2(REQ_UD2_C_Field(fixCField_, fixCFieldValue_, numFrameRead_), 253));
        break;
    case Secondary_Wait_REQ_UD2:
        idDevFound_ = false;
        if (TimeOut()) {
            timeOutCalc_ = TimeOut_Short(baudrate_, addTimeOut_);
            stepScan_ = secAddNextStep_;
        }
        if (Take_Answer(answer)) {
            bool ended = true;
            if (Read_Frame(answer, ended)) {
                ++numFrameRead_;
                if (ended || numFrameRead_ >= cutAfter_) {
                    timeOutCalc_ = TimeOut_Short(baudrate_, addTimeOut_);
                    stepScan_ = secAddNextStep_;
                    idDevFound_ = true;
                    std::uint32_t number = 0;
                    {
                        std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
                        const auto& list = UComon::MBus_Slave_List;
                        if (indexDevice_ >= 0 && static_cast<std::size_t>(indexDevice_) < list.size())
                            number = static_cast<std::uint32_t>(
                                std::stoul(list[static_cast<std::size_t>(indexDevice_)]->Secondary_Addresss, nullptr,
                                           16));
                    }
                    Progress(2, static_cast<std::int32_t>(number), 1, 2);
                } else {
                    stepScan_ = Secondary_REQ_UD2;
                }
            } else {
                // Two selected meters answered at once: look one digit deeper.
                timeOutCalc_ = TimeOut_Short(baudrate_, addTimeOut_);
                if (secAddNextStep_ < Level_H) secAddNextStep_ += 2;
                stepScan_ = secAddNextStep_;
            }
        }
        break;

    // Closing: analyzer mode off (at most three tries), then the port.
    case Close:
        countDisableAnalyzer_ = 0;
        abortScan_ = false;
        stepScan_ = Close_Disable;
        break;
    case Close_Disable:
        if (serial || countDisableAnalyzer_ > 2) {
            stepScan_ = Close_End;
            break;
        }
        ++countDisableAnalyzer_;
        timeOutCalc_ = TimeOut_Gateway(addTimeOut_);
        stepScan_ = Close_Wait_Disable;
        Send_Command(kCmdDisableAnalyzer);
        break;
    case Close_Wait_Disable:
        if (Take_Answer(answer)) stepScan_ = Answer_Is(answer, kAnsDisableAnalyzer) ? Close_End : Close_Disable;
        if (TimeOut()) stepScan_ = Close_Disable;
        break;
    case Close_End: {
        try {
            if (serial) comm_.Close();
            else udp_.SetActive(false);
        } catch (...) {
        }
        // Taken before the engine becomes idle: a new start may change them.
        const bool report = enableSendInLastStep_;
        const std::int32_t kind = typeToSendInLastStep_;
        TProc_Slave_List proc = updateSlaveList_;
        inScan_ = false;
        // The engine is idle now and a new start may set it up at once:
        // nothing of this scan may fail back into the step machine.
        try {
            if (report) Queue_Progress(proc, 3, 0, 0, kind);
        } catch (...) {
        }
        break;
    }

    default:
        if (stepScan_ >= Level_A && stepScan_ <= Level_H + 1) {
            if ((stepScan_ - Level_A) % 2 == 0) Secondary_Level(stepScan_);
            else Secondary_Wait(stepScan_ - 1);
        } else {
            stepScan_ = Close;  // no such step
        }
        break;
    }
}

// First step of a digit level: the next value of its digit.
void TMBusScanDecode::Secondary_Level(int firstStep)
{
    if (stopScan_) {
        stepScan_ = Close;
        return;
    }
    const int level = (firstStep - Level_A) / 2;
    ++digits_[static_cast<std::size_t>(level)];
    for (int d = level + 1; d < 8; ++d) digits_[static_cast<std::size_t>(d)] = -1;
    if (digits_[static_cast<std::size_t>(level)] > 9) {
        if (level == 0) {
            typeToSendInLastStep_ = 2;
            enableSendInLastStep_ = true;
            stepScan_ = Close;
        } else {
            stepScan_ = firstStep - 2;
        }
        return;
    }
    Sleep(800);
    stepScan_ = firstStep + 1;
    Send_Command(Frame_Select_Secondary(SND_UD_C_Field(fixCField_, fixCFieldValue_), digits_));
}

// Wait step of a digit level: time-out first, then the answer.
void TMBusScanDecode::Secondary_Wait(int firstStep)
{
    if (TimeOut()) stepScan_ = firstStep;
    TBytes answer;
    if (!Take_Answer(answer)) return;
    if (Is_Single_Char(answer)) {
        numFrameRead_ = 0;
        secAddNextStep_ = firstStep;
        stepScan_ = Secondary_REQ_UD2;
    } else if (Is_No_Slave(answer)) {
        stepScan_ = firstStep;
    } else {
        stepScan_ = firstStep < Level_H ? firstStep + 2 : Level_H;
    }
}
