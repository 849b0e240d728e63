#include "mbus/UMBusScanDecode.h"

#include "core/UComon.h"
#include "mbus/UMBus_ScanFile.h"
#include "mbus/UWireless_Frame.h"
#include "platform/MainThread.h"

#include <algorithm>
#include <cstring>

using namespace wired_step;

namespace {

// Gateway commands of the wireless scan and their answers (whole datagrams).
constexpr const char* kCmdEnableConfiguration = "Quembo_Enable_Configuration_Mode";
constexpr const char* kAnsEnableConfiguration = "\n\rConfiguration_Mode Enabled!\n\r";
constexpr const char* kCmdRadioModule = "Quembo_Type_Radio_Module";
constexpr const char* kAnsTelit = "\n\rTELIT\n\r";
constexpr const char* kAnsRadioCrafts = "\n\rRADIOCRAFTS\n\r";
constexpr const char* kCmdDisableConfiguration = "Quembo_Disable_Configuration_Mode";
constexpr const char* kAnsDisableConfiguration = "\n\rConfiguration_Mode Disabled!\n\r";
// Every Telit command is answered so.
constexpr const char* kAnsTelitOK = "OK\r";

// The Radiocrafts module's prompt alone, a prompt first, and its memory
// dump (256 bytes and the prompt).
bool Is_Prompt(const TBytes& a) { return a.size() == 1 && a[0] == '>'; }
bool Starts_With_Prompt(const TBytes& a) { return !a.empty() && a[0] == '>'; }
bool Is_Memory_Dump(const TBytes& a) { return a.size() == 257 && a.back() == '>'; }

// The Radiocrafts module's memory configuration for a mode code: pairs of
// memory address and value.
TBytes Memory_Configuration(std::int32_t mode)
{
    const std::uint8_t m = mode == 5 ? 0x01 : mode == 11 ? 0x0A : mode == 15 ? 0x11 : mode == 17 ? 0x10 : 0x03;
    return {0x03, m, 0x04, 0x00, 0x05, 0x01, 0x12, 0x01, 0x16, 0x17, 0x3A, 0x01, 0x3D, 0x02, 0x37, 0x01};
}

// A meter's application address as both modules take it: identification
// least significant byte first, manufacturer low and high, version,
// device type.
std::array<std::uint8_t, 8> Meter_Address(const TSlave_wMBus& m)
{
    const auto a = static_cast<std::uint32_t>(m.ALA_Address);
    return {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a >> 16),
            static_cast<std::uint8_t>(a >> 24), static_cast<std::uint8_t>(m.ALA_Manufacturer),
            static_cast<std::uint8_t>(m.ALA_Manufacturer >> 8), m.ALA_Version, m.ALA_DeviceType};
}

} // namespace

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
    {
        std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
        // The gateway is told to leave its configuration mode; shutdown does
        // not wait for the closing steps. No wireless step runs after this,
        // and the thread closes the socket only once it sees Exit.
        if (inScan_ && mbusType_ == mtWireless && selectHardware_ == shEthernet) {
            wirelessReceiveMessage_ = false;
            Send_Command(kCmdDisableConfiguration);
        }
        exit_ = true;
    }
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
    {
        std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
        endMessage_.clear();
    }
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
    Clear_Save_Error();
    stepScan_ = Start;
    stopScan_ = false;
    abortScan_ = false;
    inScan_ = true;
    return true;
}

bool TMBusScanDecode::Start_Scan_Wireless(TSelectHard SelHard, const std::string& IP_COM, std::uint16_t Port,
                                          std::int32_t wMBus_Mode, std::int32_t wMBus_Radio_Channel,
                                          bool RemoteTimeout, TProc_Wireless Proc_Wireless, bool FromDLL)
{
    startError_.clear();
    if (inScan_) return false;
    {
        // The listener thread reads these as it hands telegrams on.
        std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
        endMessage_.clear();
        updateListWirelessSlave_ = std::move(Proc_Wireless);
        mbusType_ = mtWireless;
        selectHardware_ = SelHard;
        ipAddress_ = IP_COM;
        wMBusMode_ = wMBus_Mode;
        wMBusRadioChannel_ = wMBus_Radio_Channel;
        portWireless_ = Port;
        addTimeOut_ = RemoteTimeout ? 10000 : 0;
        wirelessReceiveMessage_ = false;
        fromDll_ = FromDLL;
    }
    try {
        if (selectHardware_ == shSerial) {
            comm_.Close();
            comm_.SetDeviceName(comPort_);
            comm_.Open();
        } else {
            Bind_Wireless_Port(Port);
        }
    } catch (const std::exception& e) {
        startError_ = e.what();
        return false;
    }
    Clear_Save_Error();
    stepScan_ = wireless_step::Start;
    stopScan_ = false;
    abortScan_ = false;
    inScan_ = true;
    return true;
}

// The gateway answers from the port it is asked on, to the same port
// number: the socket is bound to Port on the local address. Bindings
// change only while the socket is inactive, so a socket bound elsewhere is
// deactivated first.
void TMBusScanDecode::Bind_Wireless_Port(std::uint16_t port)
{
    const auto bindings = udp_.Bindings();
    if (std::none_of(bindings.begin(), bindings.end(), [port](const TUdpBinding& b) { return b.Port == port; })) {
        udp_.SetActive(false);
        udp_.Clear_Bindings();
        udp_.Add_Binding(udp_.Default_IP(), port);
    }
    udp_.SetActive(true);
}

bool TMBusScanDecode::Insert_Wireless_Key(int Index, const std::array<std::uint8_t, 16>& Key)
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    auto& list = UComon::wMBus_Slave_List;
    if (Index < 0 || static_cast<std::size_t>(Index) >= list.size()) return false;
    TSlave_wMBus& meter = *list[static_cast<std::size_t>(Index)];
    // The Radiocrafts module keeps its keys in a table: a meter takes the
    // next free slot once and keeps it.
    if (radioModule_ == rmRadioCrafts && meter.RadioCrafts_Ind_Tab_Decript < 1) {
        if (indexRadioCraftsPositionUsed_ > kRadioCraftsSlots) return false;
        meter.RadioCrafts_Ind_Tab_Decript = indexRadioCraftsPositionUsed_++;
    }
    const int step = stepScan_;
    if (!inScan_ || mbusType_ != mtWireless ||
        (step != wireless_step::Telit_Listening && step != wireless_step::RadioCrafts_Listening))
        return false;
    wirelessKey_ = Key;
    wirelessKeyIndex_ = Index;
    meter.Enable_Key = true;
    meter.Key = Key;
    stepScan_ = step == wireless_step::Telit_Listening ? wireless_step::Telit_Key : wireless_step::RadioCrafts_Key;
    return true;
}

std::string TMBusScanDecode::End_Message() const
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    return endMessage_;
}

std::string TMBusScanDecode::SaveXMLFile() const
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    return saveXMLFile_;
}

void TMBusScanDecode::Set_SaveXMLFile(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    saveXMLFile_ = path;
}

std::string TMBusScanDecode::Last_Save_Error() const
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    return lastSaveError_;
}

void TMBusScanDecode::Clear_Save_Error()
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    lastSaveError_.clear();
}

// The scan result file, on the engine thread under the data lock, before
// the engine becomes idle (so the file is whole once InScan is False). A
// failure is kept as the last save error and never leaves the thread.
void TMBusScanDecode::Save_Scan_Result()
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    if (saveXMLFile_.empty()) return;
    try {
        if (mbusType_ == mtWireless) Save_Scan_Result_Wireless(saveXMLFile_, UComon::wMBus_Slave_List, lastSaveError_);
        else Save_Scan_Result_Wired(saveXMLFile_, UComon::MBus_Slave_List, lastSaveError_);
    } catch (const std::exception& e) {
        lastSaveError_ = saveXMLFile_ + ": " + e.what();
    } catch (...) {
        lastSaveError_ = saveXMLFile_ + ": the scan result file could not be written";
    }
}

bool TMBusScanDecode::Answer_Arrived() const
{
    std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
    return answerArrived_;
}

// --- thread ----------------------------------------------------------------------

void TMBusScanDecode::Execute()
{
    while (!exit_) {
        if (inScan_) {
            try {
                if (mbusType_ == mtWireless) Scan_Decode_Wireless();
                else Scan_Decode();
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
        if (mbusType_ == mtWireless) {
            std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
            if (stepScan_ < wireless_step::Close) {
                result_ = 2;
                stepScan_ = wireless_step::Close;
            } else if (stepScan_ != wireless_step::Close_End) {
                stepScan_ = wireless_step::Close_End;
            } else {
                inScan_ = false;
            }
        } else if (stepScan_ < Close || (stepScan_ >= Line_Settings && stepScan_ <= Wait_Line_Settings)) {
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
    {
        std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
        if (mbusType_ == mtWireless) {
            // A radio telegram is handled while the engine listens. At any
            // other time it is one still on its way (the module forwards what
            // it hears as soon as it is online, before the engine listens, and
            // until the gateway leaves its configuration mode), never the
            // answer to a command: no answer of the gateway or the modules fits
            // the module's length rule. While listening nothing else counts.
            const bool telegram = Radio_Telegram_Length(data, size, radioModule_) != 0;
            if (telegram && wirelessReceiveMessage_) Radio_Telegram(data, size);
            if (telegram || wirelessReceiveMessage_) {
                ++received_;
                return;
            }
        }
    }
    Answer_Arrives(data, size);
    ++received_;
}

// One radio telegram of the module, handed to the telegram handler.
void TMBusScanDecode::Radio_Telegram(const std::uint8_t* data, std::size_t size)
{
    std::memcpy(ansArray_.data(), data, size);
    ansLen_ = size;
    if (Process_Wireless_Frame(ansArray_.data(), size, radioModule_,
                               [this](int index, TSlave_wMBus&) { Queue_Radio_Meter(index); }))
        ++telegrams_;
}

void TMBusScanDecode::Queue_Radio_Meter(int index)
{
    if (!updateListWirelessSlave_) return;
    const std::shared_ptr<TSlave_wMBus> meter = UComon::wMBus_Slave_List.at(static_cast<std::size_t>(index));
    Queue_Main_Thread([alive = alive_, proc = updateListWirelessSlave_, fromDll = fromDll_, index, meter] {
        if (!*alive) return;
        {
            std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
            const auto& list = UComon::wMBus_Slave_List;
            if (static_cast<std::size_t>(index) >= list.size() || list[static_cast<std::size_t>(index)] != meter)
                return;
        }
        try {
            proc(index, fromDll ? nullptr : meter.get());
        } catch (...) {
        }
    });
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
            udp_.Send(ipAddress_, mbusType_ == mtWireless ? portWireless_ : gatewayPort_, bytes.data(), bytes.size());
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
        lastDigitCollisions_ = 0;
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
        Save_Scan_Result();
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
    } else if (firstStep < Level_H) {
        stepScan_ = firstStep + 2;
    } else if (++lastDigitCollisions_ > kMaxLastDigitCollisions) {
        // With every digit fixed a collision counts as not found. More of
        // them than a segment can carry meters: the bus answers every
        // selection with a collision, and the search of the whole digit tree
        // would never end in practice.
        typeToSendInLastStep_ = 2;
        enableSendInLastStep_ = true;
        {
            std::lock_guard<std::recursive_mutex> lock(MBus_Data_Mutex());
            endMessage_ = "The M-Bus answered every selection by secondary address with a collision (more than " +
                          std::to_string(kMaxLastDigitCollisions) +
                          " with all eight digits given): the bus may be shorted or disturbed. The scan ended "
                          "with the meters found so far.";
        }
        stepScan_ = Close;
    } else {
        stepScan_ = Level_H;
    }
}

// --- wireless step machine ---------------------------------------------------------

// A command step: the default time-out for a gateway or module command,
// then the wait step above it.
void TMBusScanDecode::Send_Wireless(const TBytes& bytes, std::int32_t timeout)
{
    timeOutCalc_ = timeout;
    stepScan_ = stepScan_ + 1;
    Send_Command(bytes);
}

void TMBusScanDecode::Send_Wireless(const std::string& text)
{
    Send_Wireless(TBytes(text.begin(), text.end()), addTimeOut_ + 1000);
}

// A wait step that expects one answer: True when it came (the caller moves
// on); any other answer, or the time-out without an answer, ends the scan
// with Result 2.
bool TMBusScanDecode::Answered(const std::function<bool(const TBytes&)>& expected, TBytes* answer)
{
    TBytes a;
    const bool arrived = Take_Answer(a);
    if (arrived && expected(a)) {
        if (answer) *answer = std::move(a);
        return true;
    }
    if (arrived || TimeOut()) {
        result_ = 2;
        stepScan_ = wireless_step::Close;
    }
    return false;
}

// A wait step that takes whatever comes, or nothing.
void TMBusScanDecode::Wait_Any_Answer(int next)
{
    TBytes answer;
    if (Take_Answer(answer) || TimeOut()) stepScan_ = next;
}

// The meter whose key is loaded; it must still be in the list.
TSlave_wMBus& TMBusScanDecode::Key_Meter() const
{
    const auto& list = UComon::wMBus_Slave_List;
    if (wirelessKeyIndex_ < 0 || static_cast<std::size_t>(wirelessKeyIndex_) >= list.size())
        throw Exception("The meter whose key is loaded is no longer listed");
    return *list[static_cast<std::size_t>(wirelessKeyIndex_)];
}

void TMBusScanDecode::Scan_Decode_Wireless()
{
    using namespace wireless_step;
    using wireless_step::Start, wireless_step::Wait_Enable, wireless_step::Close, wireless_step::Close_Disable,
        wireless_step::Close_Wait_Disable, wireless_step::Close_End;
    // The listener thread and Insert_Wireless_Key see the machine between steps only.
    std::unique_lock<std::recursive_mutex> lock(MBus_Data_Mutex());
    if (exit_) return;
    if (abortScan_ || stopScan_) stepScan_ = Close;
    const int step = stepScan_;
    const bool serial = selectHardware_ == shSerial;
    auto text = [](const char* t) { return [t](const TBytes& a) { return Answer_Is(a, t); }; };

    switch (step) {
    // Opening: configuration mode, then which radio module the gateway carries.
    case Start:
        wirelessReceiveMessage_ = false;
        result_ = 1;
        if (serial) break;  // nothing goes out: the scan waits here until it is stopped
        Send_Wireless(kCmdEnableConfiguration);
        break;
    case Wait_Enable:
        if (Answered(text(kAnsEnableConfiguration))) stepScan_ = Radio_Module;
        break;
    case Radio_Module:
        result_ = 1;
        Send_Wireless(kCmdRadioModule);
        break;
    case Wait_Radio_Module: {
        TBytes answer;
        if (Answered([](const TBytes& a) { return Answer_Is(a, kAnsTelit) || Answer_Is(a, kAnsRadioCrafts); },
                     &answer)) {
            radioModule_ = Answer_Is(answer, kAnsTelit) ? rmTelit : rmRadioCrafts;
            stepScan_ = radioModule_ == rmTelit ? Telit_Config : RadioCrafts_Config;
        }
        break;
    }
    case Telit_Listening:
    case RadioCrafts_Listening:
        break;

    // Closing: configuration mode off (at most three tries), then the port.
    case Close:
        countDisableAnalyzer_ = 0;
        abortScan_ = false;
        stopScan_ = false;
        // The answers of the closing steps are no telegrams.
        wirelessReceiveMessage_ = false;
        stepScan_ = Close_Disable;
        break;
    case Close_Disable:
        if (serial || countDisableAnalyzer_ > 2) {
            stepScan_ = Close_End;
            break;
        }
        ++countDisableAnalyzer_;
        Send_Wireless(kCmdDisableConfiguration);
        break;
    case Close_Wait_Disable: {
        TBytes answer;
        const bool arrived = Take_Answer(answer);
        if (arrived && Answer_Is(answer, kAnsDisableConfiguration)) stepScan_ = Close_End;
        else if (arrived || TimeOut()) stepScan_ = Close_Disable;
        break;
    }
    case Close_End:
        // Deactivating waits for the listener thread, which may wait for the lock.
        lock.unlock();
        try {
            if (serial) comm_.Close();
            else udp_.SetActive(false);
        } catch (...) {
        }
        Save_Scan_Result();
        inScan_ = false;
        break;

    default:
        if ((step >= Telit_Config && step < Telit_Listening) || (step >= Telit_Key && step <= Telit_Key_End))
            Telit_Step();
        else if ((step >= RadioCrafts_Config && step < RadioCrafts_Listening) ||
                 (step >= RadioCrafts_Key && step <= RadioCrafts_Key_End))
            RadioCrafts_Step();
        else
            stepScan_ = Close;  // no such step
        break;
    }
}

// The Telit module: AT commands with S registers, each answered "OK\r".
// Even steps send, odd steps wait.
void TMBusScanDecode::Telit_Step()
{
    using namespace wireless_step;
    using wireless_step::Start, wireless_step::Wait_Enable, wireless_step::Close, wireless_step::Close_Disable,
        wireless_step::Close_Wait_Disable, wireless_step::Close_End;
    const int step = stepScan_;
    // N1 and N2 leave the registers 421, 442 and 454 alone.
    const bool modeN = wMBusMode_ == 15 || wMBusMode_ == 17;
    if (step % 2 == 0) {
        auto reg = [](int r, int value) { return "ATS" + std::to_string(r) + "=" + std::to_string(value) + "\r"; };
        std::string command;
        switch (step) {
        case 100: command = "+++"; break;
        case 102: command = "ATR\r"; break;
        case 104: command = reg(400, wMBusMode_); break;
        case 106: command = reg(401, 0); break;
        case 108: command = reg(402, 191); break;
        case 110: command = reg(420, wMBusRadioChannel_); break;
        case 112: command = reg(421, 0); break;
        case 114: command = reg(422, 3); break;
        case 116: command = reg(430, 5); break;
        case 118: command = reg(431, 5); break;
        case 120: command = reg(440, 0); break;
        case 122: command = reg(441, 0); break;
        case 124: command = reg(442, 0); break;
        case 126: command = reg(452, 0); break;
        case 128: command = reg(453, 0); break;
        case 130: command = reg(454, 0); break;
        case Telit_Online: command = "ATO\r"; break;
        case Telit_Key:
            wirelessReceiveMessage_ = false;
            command = "+++";
            break;
        case Telit_Key_Bytes:
            command = reg(470 + indexKeySend_, wirelessKey_[static_cast<std::size_t>(indexKeySend_ & 15)]);
            break;
        case 220: command = reg(460, 5); break;
        default: {
            // 202 to 216: the registers 461 to 468 take the manufacturer (low,
            // high), the identification (least significant byte first), the
            // version and the device type.
            static constexpr std::size_t fromAddress[8] = {4, 5, 0, 1, 2, 3, 6, 7};
            const int r = (step - 202) / 2;
            command = reg(461 + r, Meter_Address(Key_Meter())[fromAddress[r]]);
            break;
        }
        }
        Send_Wireless(command);
        return;
    }

    if (!Answered([](const TBytes& a) { return Answer_Is(a, kAnsTelitOK); })) return;
    switch (step) {
    case 111: stepScan_ = modeN ? 114 : 112; break;
    case 123: stepScan_ = modeN ? 126 : 124; break;
    case 129: stepScan_ = modeN ? Telit_Online : 130; break;
    case Telit_Online + 1:
        wirelessReceiveMessage_ = true;
        stepScan_ = Telit_Listening;
        break;
    case Telit_Key_Bytes - 1:
        indexKeySend_ = 0;
        stepScan_ = Telit_Key_Bytes;
        break;
    case Telit_Key_Bytes + 1:
        ++indexKeySend_;
        stepScan_ = indexKeySend_ < 16 ? Telit_Key_Bytes : 220;
        break;
    case Telit_Key_End:
        indexKeySend_ = 0;
        stepScan_ = Telit_Online;  // back to listening
        break;
    default: stepScan_ = step + 1; break;
    }
}

// The Radiocrafts module: single-byte commands, each confirmed by the
// prompt ">"; the key table's slot numbers and data follow their command
// unconfirmed.
void TMBusScanDecode::RadioCrafts_Step()
{
    using namespace wireless_step;
    using wireless_step::Start, wireless_step::Wait_Enable, wireless_step::Close, wireless_step::Close_Disable,
        wireless_step::Close_Wait_Disable, wireless_step::Close_End;
    const std::int32_t slotWait = addTimeOut_ + 100;
    auto slot = [this] { return TBytes{static_cast<std::uint8_t>(Key_Meter().RadioCrafts_Ind_Tab_Decript)}; };
    switch (stepScan_) {
    // Configuration, and the key table cleared.
    case 300:
        indexRadioCraftsPositionUsed_ = 1;
        Send_Wireless(TBytes{0x00}, addTimeOut_ + 1000);
        break;
    case 301: if (Answered(Is_Prompt)) stepScan_ = 302; break;
    case 302: Send_Wireless("0"); break;
    case 303: if (Answered(Is_Memory_Dump)) stepScan_ = 304; break;
    case 304: Send_Wireless("M"); break;
    case 305: if (Answered(Is_Prompt)) stepScan_ = RadioCrafts_Memory; break;
    case RadioCrafts_Memory: Send_Wireless(Memory_Configuration(wMBusMode_), addTimeOut_ + 500); break;
    case 307: Wait_Any_Answer(308); break;
    case 308: Send_Wireless(TBytes{0xFF}, addTimeOut_ + 1000); break;
    case 309:
        if (Answered(Is_Prompt)) {
            indexRadioCraftsErasePosition_ = 0;
            stepScan_ = RadioCrafts_Clear;
        }
        break;
    case RadioCrafts_Clear:
        if (indexRadioCraftsErasePosition_ >= 63) stepScan_ = RadioCrafts_Exit;
        else Send_Wireless("B");
        break;
    case 311: if (Answered(Is_Prompt)) stepScan_ = RadioCrafts_Clear_Next; break;
    case RadioCrafts_Clear_Next:
        if (indexRadioCraftsErasePosition_ >= kRadioCraftsSlots) {
            stepScan_ = RadioCrafts_Exit;
        } else {
            ++indexRadioCraftsErasePosition_;
            stepScan_ = 314;
        }
        break;
    case 314: Send_Wireless(TBytes{static_cast<std::uint8_t>(indexRadioCraftsErasePosition_)}, slotWait); break;
    case 315: Wait_Any_Answer(316); break;
    case 316: Send_Wireless(TBytes(8, 0x00), addTimeOut_ + 1000); break;
    case 317: if (Answered(Starts_With_Prompt)) stepScan_ = RadioCrafts_Clear; break;
    case RadioCrafts_Exit: Send_Wireless("X"); break;
    case RadioCrafts_Online:
        // The module leaves its command mode without a word.
        wirelessReceiveMessage_ = true;
        stepScan_ = RadioCrafts_Listening;
        break;

    // A meter's address and key into its slot of the key table.
    case RadioCrafts_Key:
        wirelessReceiveMessage_ = false;
        Send_Wireless(TBytes{0x00}, addTimeOut_ + 1000);
        break;
    case 401: if (Answered(Is_Prompt)) stepScan_ = 402; break;
    case 402: Send_Wireless("B"); break;
    case 403: if (Answered(Is_Prompt)) stepScan_ = 404; break;
    case 404: Send_Wireless(slot(), slotWait); break;
    case 405: Wait_Any_Answer(406); break;
    case 406: {
        const auto address = Meter_Address(Key_Meter());
        Send_Wireless(TBytes(address.begin(), address.end()), addTimeOut_ + 1000);
        break;
    }
    case 407: if (Answered(Starts_With_Prompt)) stepScan_ = 408; break;
    case 408: Send_Wireless("K"); break;
    case 409: if (Answered(Is_Prompt)) stepScan_ = 410; break;
    case 410: Send_Wireless(slot(), slotWait); break;
    case 411: Wait_Any_Answer(412); break;
    case 412: Send_Wireless(TBytes(wirelessKey_.begin(), wirelessKey_.end()), addTimeOut_ + 1000); break;
    case 413: if (Answered(Starts_With_Prompt)) stepScan_ = 414; break;
    case 414: Send_Wireless("A"); break;
    case 415: if (Answered(Is_Prompt)) stepScan_ = 416; break;
    case 416: Send_Wireless(slot(), slotWait); break;
    case 417: Wait_Any_Answer(418); break;
    case 418: Send_Wireless(TBytes{0x00, 0x40}, addTimeOut_ + 1000); break;
    case RadioCrafts_Key_End: if (Answered(Is_Prompt)) stepScan_ = RadioCrafts_Exit; break;  // back to listening

    default: stepScan_ = Close; break;  // no such step
    }
}
