#pragma once
// Wired M-Bus frames (EN 13757-2) and the gateway's text commands used by
// the wired scan: building the requests, recognising the answers, the
// answer time-outs, and reading a meter's long frame into a meter.

#include "mbus/UMBus_Types.h"
#include "mbus/UMBus_Values.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// Gateway commands and their answers (whole datagrams).
inline constexpr const char* kCmdEnableAnalyzer = "Quembo_Enable_Analyzer_Mode";
inline constexpr const char* kAnsEnableAnalyzer = "\n\rAnalyzer_Mode Enabled!\n\r";
inline constexpr const char* kCmdDisableAnalyzer = "Quembo_Disable_Analyzer_Mode";
inline constexpr const char* kAnsDisableAnalyzer = "\n\rAnalyzer_Mode Disabled!\n\r";
inline constexpr const char* kAnsLineSettings = "\n\rDone!";
inline constexpr const char* kAnsNoSlave = "NO_SLAVE\n\r";

// "Quembo_S_M:", the baud rate as 4 bytes most significant first, ",", and
// the parity byte. `parity` is 0 none, 1 even, 2 odd; the gateway's codes
// are 0 none, 1 odd, 2 even.
TBytes Line_Settings_Command(std::int32_t baudrate, std::int32_t parity);

// 10 40 A CS 16
TBytes Frame_SND_NKE(std::uint8_t address);
// 10 C A CS 16
TBytes Frame_REQ_UD2(std::uint8_t c, std::uint8_t address);
// 68 03 03 68 C A 50 CS 16
TBytes Frame_App_Reset(std::uint8_t c, std::uint8_t address);
// 68 0B 0B 68 C FD 52 I1 I2 I3 I4 FF FF FF FF CS 16 from the eight search
// digits, most significant first, each 0..9 or -1 (any, sent as F).
TBytes Frame_Select_Secondary(std::uint8_t c, const std::array<int, 8>& digits);

// C field of REQ_UD2: fixed 7B / 5B, or 7B for an even count of frames
// already read from the meter and 5B for an odd one.
std::uint8_t REQ_UD2_C_Field(bool fixCField, std::uint8_t fixCFieldValue, std::int32_t numFrameRead);
// C field of the application reset and the selection: 53 or 73.
std::uint8_t SND_UD_C_Field(bool fixCField, std::uint8_t fixCFieldValue);

// Answers.
bool Is_Single_Char(std::span<const std::uint8_t> answer);
bool Is_Valid_Long_Frame(std::span<const std::uint8_t> answer);
bool Is_No_Slave(std::span<const std::uint8_t> answer);
// The answer as text, one character per byte.
bool Answer_Is(std::span<const std::uint8_t> answer, const char* text);

// Answer time-outs in ms. A baud rate below 300 counts as 300.
std::int32_t TimeOut_Gateway(std::int32_t addTimeOut);
std::int32_t TimeOut_Short(std::int32_t baudrate, std::int32_t addTimeOut);
std::int32_t TimeOut_Long(std::int32_t baudrate, std::int32_t addTimeOut);

using TMBusSlaveList = std::vector<std::shared_ptr<TSlave_MBus>>;

// CI field of an answer with a fixed data structure (EN 13757-3).
inline constexpr std::uint8_t kCI_Fixed_Data = 0x73;

// Reads a valid long frame: the first frame from a meter (numFrameRead 0,
// or an indexDevice that is not in the list) appends a new meter to `list`
// and sets indexDevice; later frames add records to the meter at
// indexDevice. Returns the decoder's answer: False when more records follow.
// An answer with a fixed data structure adds no records and returns True.
bool Read_Slave_Frame(std::span<const std::uint8_t> frame, std::int32_t numFrameRead, std::int32_t& indexDevice,
                      TMBusSlaveList& list, TRecordScratch& scratch);
