#pragma once
// The M-Bus scan engine: a worker thread that talks to meters through the
// gateway (UDP) or a local serial port and runs the wired scan or the
// wireless scan one step per loop pass. On the serial path the engine
// collects the meters' answers from the port itself: a run of bytes is one
// answer once a long frame is complete or the line has been quiet for
// three characters. The wireless scan configures the gateway's radio
// module and then listens: the socket's listener thread hands every
// forwarded radio telegram to the telegram handler. The scan window starts
// and stops scans, polls the published state and hears progress and radio
// meters through callbacks that reach the GUI thread queued. Found meters
// go into UComon::MBus_Slave_List and UComon::wMBus_Slave_List.

#include "mbus/UComm.h"
#include "mbus/UMBus_Frames.h"
#include "mbus/UMBus_Types.h"
#include "mbus/UMBus_Values.h"
#include "platform/Ping.h"
#include "platform/SyncObjs.h"
#include "platform/UdpSocket.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// The one lock of the scan results: both meter lists and the engine's
// answer buffer. Whoever reads the lists while a scan may run holds it.
std::recursive_mutex& MBus_Data_Mutex();

// Wired progress callback (Event, Value, Found, Kind):
//   (1, 0, 0, 1) primary search starts; (2, address, 1 or 0, 1) a primary
//   address tried, found or not; (1, 0, 0, 2) secondary search starts;
//   (2, number, 1, 2) a meter found by secondary address, the number being
//   its Secondary_Addresss read as hexadecimal; (3, 0, 0, kind) the scan
//   ended normally (kind 1 primary, 2 secondary).
// It runs on the GUI thread; an exception it raises is swallowed.
using TProc_Slave_List = std::function<void(int Event, int Value, int Found, int Kind)>;

// Radio-meter callback, after every radio telegram the engine accepted: the
// meter's index in wMBus_Slave_List and the meter (null in the index-only
// form a wireless start asks for with FromDLL). It runs on the GUI thread
// and reads the meter under MBus_Data_Mutex(); a call whose meter is no
// longer at its index (the list was emptied meanwhile) is dropped, and an
// exception it raises is swallowed.
using TProc_Wireless = std::function<void(int Index, TSlave_wMBus* Meter)>;

// The gateway's UDP port of the wired scan.
inline constexpr std::uint16_t kGatewayPort = 10000;
// Bytes of the answer buffer (a longer datagram is dropped).
inline constexpr std::size_t kAnsArraySize = 2051;

// True when a wait that started at tick startSend with a time-out of
// timeoutMs is over at tick now: now beyond the time-out, or now below the
// start (the 32-bit tick count wrapped).
bool TimeOut_Elapsed(std::uint32_t now, std::uint32_t startSend, std::int32_t timeoutMs);

// Steps of the wired scan.
namespace wired_step {
inline constexpr int Start = 0, Wait_Enable = 1, Line_Settings = 300, Wait_Line_Settings = 301;
inline constexpr int Primary_Start = 2, Primary_Wait_Reset = 3, Primary_Next = 4, Primary_App_Reset = 5,
                     Primary_Wait_App_Reset = 6, Primary_SND_NKE = 7, Primary_Wait_SND_NKE = 8,
                     Primary_REQ_UD2 = 9, Primary_Wait_REQ_UD2 = 10;
inline constexpr int Secondary_Start = 100, Secondary_SND_NKE = 101, Secondary_Wait_SND_NKE = 102,
                     Secondary_App_Reset = 103, Secondary_Wait_App_Reset = 104, Secondary_Reset_All = 105,
                     Secondary_Wait_Reset_All = 106, Secondary_Clear_Digits = 107, Level_A = 108, Level_H = 122,
                     Secondary_REQ_UD2 = 124, Secondary_Wait_REQ_UD2 = 125;
inline constexpr int Close = 200, Close_Disable = 201, Close_Wait_Disable = 202, Close_End = 203;
} // namespace wired_step

// Steps of the wireless scan (a command step, then its wait step one above).
namespace wireless_step {
inline constexpr int Start = 0, Wait_Enable = 1, Radio_Module = 2, Wait_Radio_Module = 3;
inline constexpr int Telit_Config = 100, Telit_Online = 132, Telit_Listening = 134, Telit_Key = 200,
                     Telit_Key_Bytes = 218, Telit_Key_End = 221;
inline constexpr int RadioCrafts_Config = 300, RadioCrafts_Memory = 306, RadioCrafts_Clear = 310,
                     RadioCrafts_Clear_Next = 313, RadioCrafts_Exit = 318, RadioCrafts_Online = 319,
                     RadioCrafts_Listening = 320, RadioCrafts_Key = 400, RadioCrafts_Key_End = 419;
inline constexpr int Close = 500, Close_Disable = 501, Close_Wait_Disable = 502, Close_End = 503;
} // namespace wireless_step

// Slots of the Radiocrafts module's key table.
inline constexpr int kRadioCraftsSlots = 64;
// Collisions at the last digit of the secondary search after which the bus
// counts as answering every selection with a collision (a segment carries
// at most this many meters).
inline constexpr int kMaxLastDigitCollisions = 250;

class TMBusScanDecode {
public:
    // Starts the engine thread, idle and blocked until Event_Run is
    // signalled. `clock` (the system's tick clock when null) paces the
    // steps and times the answers; it must outlive the engine.
    explicit TMBusScanDecode(ITickClock* clock = nullptr);
    // Tells the thread to exit, signals its event, deactivates the socket
    // and joins the thread. Progress calls still queued are dropped.
    ~TMBusScanDecode();
    TMBusScanDecode(const TMBusScanDecode&) = delete;
    TMBusScanDecode& operator=(const TMBusScanDecode&) = delete;

    // Starts a wired scan. IP_COM is the gateway's dotted IPv4 address
    // (Ethernet) or the serial device name. Par: 0 none, 1 even, 2 odd.
    // Returns False, changing nothing, while a scan runs; returns False
    // with Start_Error() set, the engine staying idle, when the serial port
    // cannot be opened or the socket cannot be bound.
    bool Start_Scan(TScanType ScanT, TSelectHard SelHard, const std::string& IP_COM, std::int32_t Baud,
                    std::int32_t Par, bool AppReset, bool SNDNKE, std::int32_t CutAfter, bool FixCField,
                    std::uint8_t FixCFieldValue, bool RemoteTimeout, TProc_Slave_List Proc_Slave_List);
    // Starts a wireless scan: the gateway at IP_COM is asked on UDP port
    // Port (the socket's local port is the same number, on the local
    // address) for its radio module, which is configured for wMBus_Mode
    // (1 S, 5 T, 15 N1, 17 N2, 11 C) and the channel index 0..8; then the
    // engine listens. Proc_Wireless hears of every radio telegram accepted,
    // with the index alone when FromDLL. On the serial path nothing is sent:
    // the scan waits at its first step until stopped. Returns False as
    // Start_Scan does.
    bool Start_Scan_Wireless(TSelectHard SelHard, const std::string& IP_COM, std::uint16_t Port,
                             std::int32_t wMBus_Mode, std::int32_t wMBus_Radio_Channel, bool RemoteTimeout,
                             TProc_Wireless Proc_Wireless, bool FromDLL);
    // Gives the meter at Index of wMBus_Slave_List its key and loads it into
    // the radio module. Called on the GUI thread while the engine listens;
    // returns False, and changes neither the meter nor the step, when no
    // scan listens, the index names no meter, or the Radiocrafts module has
    // no free key slot left (a slot is still handed to the meter whenever
    // one is free, as the module's table is filled in order).
    bool Insert_Wireless_Key(int Index, const std::array<std::uint8_t, 16>& Key);
    // Why the last start failed to open its port ("" after a start that
    // succeeded or was refused because a scan runs).
    const std::string& Start_Error() const { return startError_; }
    // Why the last scan ended before it ran its course, in English ("" when
    // it did not); set by the time InScan falls.
    std::string End_Message() const;
    // The scan result file written at the end of each scan, with the meters
    // found ("" writes none). The scan window clears it before a scan.
    std::string SaveXMLFile() const;
    void Set_SaveXMLFile(const std::string& path);
    // Why the last scan's result file could not be written ("" when it was
    // written or none was asked for); a start clears it.
    std::string Last_Save_Error() const;
    // Finish the scan at the next step that checks it / go to the closing
    // steps at once.
    void Stop_Scan() { stopScan_ = true; }
    void Abort_Scan() { abortScan_ = true; }

    bool Exit() const { return exit_; }
    bool InScan() const { return inScan_; }
    // -1 before the first scan, 1 while a scan runs normally, 2 when the
    // gateway failed to answer a gateway command as expected.
    std::int32_t Result() const { return result_; }
    bool StopScan() const { return stopScan_; }
    bool AbortScan() const { return abortScan_; }
    // The step the machine is at, and whether radio telegrams are listened for.
    int Step_Scan() const { return stepScan_; }
    bool Wireless_Receive_Message() const { return wirelessReceiveMessage_; }

    // The thread runs while it is signalled (the scan window signals it
    // when shown and resets it when closed) and blocks otherwise.
    TEvent& Event_Run() { return eventRun_; }

    // The gateway's port (kGatewayPort at start) and the local address the
    // socket binds to ("" at start: every interface). Set while idle.
    void Set_Gateway_Port(std::uint16_t port) { gatewayPort_ = port; }
    void Set_Local_Address(const std::string& ip) { udp_.Set_Default_IP(ip); }
    bool UDP_Active() const { return udp_.Active(); }
    std::uint16_t UDP_Local_Port() const { return udp_.Local_Port(); }
    // The serial port the scan uses on the serial path.
    TComm& Comm() { return comm_; }

    // Requests sent (datagrams or writes on the port), datagrams handled
    // by the read handler (those dropped included), bytes read from the port.
    std::uint64_t Datagrams_Sent() const { return sent_; }
    std::uint64_t Datagrams_Received() const { return received_; }
    std::uint64_t Serial_Bytes_Read() const { return serialRead_; }
    // Requests that could not go out (left to their time-outs).
    std::uint64_t Requests_Failed() const { return failed_; }
    // Radio telegrams the telegram handler accepted while listening.
    std::uint64_t Telegrams_Handled() const { return telegrams_; }
    // An answer came since the last request and was not dropped.
    bool Answer_Arrived() const;

private:
    void Execute();
    void Scan_Decode();
    void Scan_Decode_Wireless();
    void Step_Failed();
    void Save_Scan_Result();
    void Clear_Save_Error();
    void UDP_Read(const std::uint8_t* data, std::size_t size);
    void Radio_Telegram(const std::uint8_t* data, std::size_t size);
    void Queue_Radio_Meter(int index);
    void Bind_Wireless_Port(std::uint16_t port);
    void Serial_Collect();
    void Answer_Arrives(const std::uint8_t* data, std::size_t size);
    void Send_Command(const TBytes& bytes);
    void Send_Command(const char* text);
    // A copy of the answer buffer when an answer arrived since the last send.
    bool Take_Answer(TBytes& answer);
    bool TimeOut() const;
    std::uint32_t Tick() const;
    void Sleep(int ms) { clock_->Sleep(ms); }
    void Progress(int event, int value, int found, int kind);
    void Queue_Progress(const TProc_Slave_List& proc, int event, int value, int found, int kind);
    bool Read_Frame(const TBytes& answer, bool& recordsEnded);
    void Secondary_Level(int firstStep);
    void Secondary_Wait(int firstStep);
    // Wireless steps.
    void Send_Wireless(const TBytes& bytes, std::int32_t timeout);
    void Send_Wireless(const std::string& text);
    bool Answered(const std::function<bool(const TBytes&)>& expected, TBytes* answer = nullptr);
    void Wait_Any_Answer(int next);
    void Telit_Step();
    void RadioCrafts_Step();
    TSlave_wMBus& Key_Meter() const;

    ITickClock* clock_;
    std::thread thread_;
    TEvent eventRun_{true, false, "EVENT_SCAN_DECODE_MBUS"};
    TUdpServer udp_;
    TComm comm_;
    // Progress calls queued to the GUI thread run only while it holds.
    std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
    std::string startError_;
    std::string saveXMLFile_;    // under MBus_Data_Mutex()
    std::string lastSaveError_;  // under MBus_Data_Mutex()

    // Published state.
    std::atomic<bool> exit_{false};
    std::atomic<bool> inScan_{false};
    std::atomic<std::int32_t> result_{-1};
    std::atomic<bool> stopScan_{false};
    std::atomic<bool> abortScan_{false};

    // Scan configuration (written by Start_Scan while idle).
    TMBusType mbusType_ = mtWired;
    TScanType scanType_ = saPrimaryAddress;
    TSelectHard selectHardware_ = shEthernet;
    std::string ipAddress_;
    std::string comPort_;
    std::int32_t baudrate_ = 2400;
    std::int32_t parity_ = 1;
    bool appReset_ = false;
    bool sndNke_ = false;
    std::int32_t cutAfter_ = 0;
    bool fixCField_ = false;
    std::uint8_t fixCFieldValue_ = 0;
    std::int32_t addTimeOut_ = 0;
    std::uint16_t gatewayPort_ = kGatewayPort;
    TProc_Slave_List updateSlaveList_;
    std::int32_t wMBusMode_ = 0;
    std::int32_t wMBusRadioChannel_ = 0;
    std::uint16_t portWireless_ = 0;
    bool fromDll_ = false;
    TProc_Wireless updateListWirelessSlave_;

    // Step machine (the wireless one steps under MBus_Data_Mutex()).
    std::atomic<int> stepScan_{wired_step::Start};
    int countDisableAnalyzer_ = 0;
    bool enableSendInLastStep_ = false;
    std::int32_t typeToSendInLastStep_ = 0;

    // Exchange (the answer under MBus_Data_Mutex()).
    bool answerArrived_ = false;
    std::array<std::uint8_t, kAnsArraySize> ansArray_{};
    std::size_t ansLen_ = 0;
    std::int32_t timeOutCalc_ = 0;
    std::uint32_t startSend_ = 0;
    std::atomic<std::uint64_t> sent_{0};
    std::atomic<std::uint64_t> received_{0};
    std::atomic<std::uint64_t> failed_{0};
    std::atomic<std::uint64_t> telegrams_{0};
    // The serial path: bytes of the answer coming in, and when the last came.
    TBytes serialBuf_;
    std::uint32_t lastSerialRx_ = 0;
    std::atomic<std::uint64_t> serialRead_{0};

    // Wired search.
    std::int32_t idDevPrimary_ = -1;
    bool idDevFound_ = false;
    std::int32_t numFrameRead_ = 0;
    std::int32_t indexDevice_ = -1;
    std::array<int, 8> digits_{-1, -1, -1, -1, -1, -1, -1, -1};  // Index_A .. Index_H
    int secAddNextStep_ = wired_step::Level_A;
    int lastDigitCollisions_ = 0;
    std::string endMessage_;  // under MBus_Data_Mutex()

    // Wireless (under MBus_Data_Mutex()).
    TRadioModule radioModule_ = rmTelit;
    std::atomic<bool> wirelessReceiveMessage_{false};
    // The key being loaded and the index of its meter (set when a key is
    // taken, so a key refused meanwhile cannot change what is loaded).
    std::array<std::uint8_t, 16> wirelessKey_{};
    int wirelessKeyIndex_ = -1;
    int indexKeySend_ = 0;
    int indexRadioCraftsErasePosition_ = 0;
    int indexRadioCraftsPositionUsed_ = 1;

    TRecordScratch scratch_;
};
