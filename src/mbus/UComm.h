#pragma once
// Serial-port component: owns one serial device, opens it exclusively,
// applies the line settings, writes and reads with time-outs and reports
// line events. Its event thread waits for the device's communication
// events and hands each batch to the GUI thread, where the component's
// handlers run.

#include "platform/ClassBase.h"
#include "platform/SerialDevice.h"
#include "platform/SyncObjs.h"
#include "platform/SysUtils.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

enum TBaudrate {
    br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000, br57600, br115200,
    br128000, br256000, br1500000, br3000000
};
// The bit rate of a TBaudrate (br2400 gives 2400).
std::uint32_t Baudrate_Value(TBaudrate rate);

enum TParity { paNone, paOdd, paEven, paMark, paSpace };
enum TStopbits { sb10, sb15, sb20 };
enum TDatabits { da4, da5, da6, da7, da8 };
enum TFlowControl { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };

enum TCommOption { coParityCheck, coDsrSensitivity, coIgnoreXOff, coErrorChar, coNullStrip };
using TCommOptions = TSet<TCommOption>;

enum TCommEventType { evBreak, evCts, evDsr, evError, evRing, evRlsd, evRxChar, evRxFlag, evTxEmpty };
using TCommEventTypes = TSet<TCommEventType>;
inline const TCommEventTypes kAllCommEvents{evBreak, evCts,  evDsr,    evError,  evRing,
                                            evRlsd,  evRxChar, evRxFlag, evTxEmpty};

// A failure of the serial port: the text, then " (Error: <code>) ".
class ECommError : public Exception {
public:
    ECommError(const std::string& text, int code);
    int ErrorCode;
};

// Texts of the component's failures.
inline constexpr const char* kCommAlreadyOpen = "Port already assigned (open)";
inline constexpr const char* kCommAccessError = "Error accessing specified device";
inline constexpr const char* kCommInvalidHandle = "Invalid device handle, access denied";
inline constexpr const char* kCommBuffersError = "Error initializing Read/Write Buffers";
inline constexpr const char* kCommDcbError = "Error updating DataControlBlock";
inline constexpr const char* kCommTimeoutsError = "Error updating CommTimeouts";
inline constexpr const char* kCommWriteError = "Write error";
inline constexpr const char* kCommReadError = "Read error";
inline constexpr const char* kCommNotOpen = "Port not open, unable to complete operation";
inline constexpr const char* kCommEscapeError = "EscapeCommFunction failure";

class TCustomComm;

using TCommNotify = std::function<void(TObject* Sender)>;
using TCommErrorEvent = std::function<void(TObject* Sender, std::uint32_t Errors)>;
using TCommRxCharEvent = std::function<void(TObject* Sender, int Count)>;

// The five special characters of the line settings. Setting one re-applies
// the settings of its owner's open port.
class TCommEventChars : public TPersistent {
public:
    explicit TCommEventChars(TCustomComm* owner) : owner_(owner) {}
    std::string ClassName() const override { return "TCommEventChars"; }
    char XonChar() const { return xon_; }
    char XoffChar() const { return xoff_; }
    char ErrorChar() const { return error_; }
    char EofChar() const { return eof_; }
    char EvtChar() const { return evt_; }
    void SetXonChar(char c) { Set(xon_, c); }
    void SetXoffChar(char c) { Set(xoff_, c); }
    void SetErrorChar(char c) { Set(error_, c); }
    void SetEofChar(char c) { Set(eof_, c); }
    void SetEvtChar(char c) { Set(evt_, c); }
    // Copies the five characters of another TCommEventChars.
    void Assign(const TPersistent* Source) override;

private:
    void Set(char& field, char c);
    TCustomComm* owner_;
    char xon_ = 17, xoff_ = 19, error_ = 0, eof_ = 0, evt_ = 0;
};

class TCustomComm : public TComponent {
public:
    explicit TCustomComm(TComponent* AOwner = nullptr);
    // Closes the port.
    ~TCustomComm() override;
    std::string ClassName() const override { return "TCustomComm"; }

    // Opens DeviceName (exclusive), starts the event thread, sets the
    // time-outs, applies the line settings and the queue sizes. Raises
    // ECommError; a failure leaves the port closed.
    void Open();
    // Stops the event thread and closes the device; nothing when closed.
    void Close();
    bool Enabled() const;
    int Handle() const;

    // Bytes written, or -1 when WriteTimeout passed first.
    int Write(const void* Buf, int Count);
    // Bytes read (what was queued, at most Count), or -1 on time-out.
    int Read(void* Buf, int Count);
    // Bytes in the driver's queues; -1 when closed.
    int InQueCount() const;
    int OutQueCount() const;
    void PurgeIn();
    void PurgeOut();
    void SetDTRState(bool State);
    void SetRTSState(bool State);
    void SetXONState(bool State);
    void SetBREAKState(bool State);

    bool CTS() const;
    bool DSR() const;
    bool RING() const;
    bool RLSD() const;
    bool CtsHold() const;
    bool DsrHold() const;
    bool RlsdHold() const;
    bool XoffHold() const;
    bool XOffSent() const;

    const std::string& DeviceName() const { return deviceName_; }
    void SetDeviceName(const std::string& v);
    int ReadTimeout() const { return readTimeout_; }
    void SetReadTimeout(int ms) { readTimeout_ = ms; }
    int WriteTimeout() const { return writeTimeout_; }
    void SetWriteTimeout(int ms) { writeTimeout_ = ms; }
    int ReadBufSize() const { return readBufSize_; }
    void SetReadBufSize(int v);
    int WriteBufSize() const { return writeBufSize_; }
    void SetWriteBufSize(int v);
    TCommEventTypes MonitorEvents() const { return monitorEvents_; }
    void SetMonitorEvents(TCommEventTypes v);
    TBaudrate BaudRate() const { return baudRate_; }
    void SetBaudRate(TBaudrate v);
    TParity Parity() const { return parity_; }
    void SetParity(TParity v);
    TStopbits Stopbits() const { return stopbits_; }
    void SetStopbits(TStopbits v);
    TDatabits Databits() const { return databits_; }
    void SetDatabits(TDatabits v);
    TCommOptions Options() const { return options_; }
    void SetOptions(TCommOptions v);
    TFlowControl FlowControl() const { return flowControl_; }
    void SetFlowControl(TFlowControl v);
    TCommEventChars& EventChars() { return *eventChars_; }
    const TCommEventChars& EventChars() const { return *eventChars_; }

    TCommNotify OnBreak, OnCts, OnDsr, OnRing, OnRlsd, OnRxFlag, OnTxEmpty;
    TCommErrorEvent OnError;
    TCommRxCharEvent OnRxChar;

    // Applies the line settings to the open port (nothing when closed).
    void UpdateCommSettings();

protected:
    // The device-open step of Open: opens DeviceName into Device() and
    // returns 0 or the system's error code.
    virtual int CreateHandle();
    TSerialDevice& Device() { return device_; }

private:
    friend class TCommEventThread;
    void Stop_Event_Thread();
    void Handle_Events(std::uint32_t events);
    template <class T>
    void Set_Line_Setting(T& field, T value);

    TSerialDevice device_;
    mutable TCriticalSection cs_;  // serialises Read, Write and the device's use
    std::unique_ptr<TCommEventChars> eventChars_;
    std::unique_ptr<class TCommEventThread> eventThread_;
    // One opening of the port. Event batches queued to the GUI thread run
    // only while it is alive; closing ends it and waits for a batch that
    // is running.
    struct TSession {
        std::recursive_mutex mutex;
        bool alive = true;
    };
    std::shared_ptr<TSession> session_;

    std::string deviceName_ = "Com2";
    int readTimeout_ = 1000;
    int writeTimeout_ = 1000;
    int readBufSize_ = 4096;
    int writeBufSize_ = 2048;
    TCommEventTypes monitorEvents_ = kAllCommEvents;
    TBaudrate baudRate_ = br9600;
    TParity parity_ = paNone;
    TStopbits stopbits_ = sb10;
    TDatabits databits_ = da8;
    TCommOptions options_;
    TFlowControl flowControl_ = fcDefault;
};

class TComm : public TCustomComm {
public:
    using TCustomComm::TCustomComm;
    std::string ClassName() const override { return "TComm"; }
};

// Waits for the device's communication events and queues each batch to
// the GUI thread. Ends (aborting and clearing both directions) when stopped.
class TCommEventThread {
public:
    TCommEventThread(TCustomComm& comm, std::uint32_t mask, std::shared_ptr<TCustomComm::TSession> session);
    // Stops and joins the thread.
    ~TCommEventThread();
    TCommEventThread(const TCommEventThread&) = delete;
    TCommEventThread& operator=(const TCommEventThread&) = delete;
    // Signals the wait and asks the thread to end.
    void Stop();

private:
    void Execute();
    TCustomComm& comm_;
    std::uint32_t mask_;
    std::shared_ptr<TCustomComm::TSession> session_;
    std::atomic<bool> terminated_{false};
    std::thread thread_;
};
