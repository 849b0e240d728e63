#pragma once
// What the rule windows and the device image builder must agree on about
// the rule files: the size of the gateway's internal data array, the CAN
// type texts, each V10 rule file's path, root, version, sections and
// attribute names, and the ranges both sides check. A window refuses a row
// outside a range with its own message; the builder stops on the same
// number read from the file, so a file the window saved always builds.

#include <cstdint>
#include <string>
#include <string_view>

namespace URuleFiles {

// The gateway's internal data array: the byte positions 0 .. 1439 that the
// MQTT, CAN, CANopen and DeviceNet rules address, and the byte budget of
// the J1939 rules.
constexpr int Data_Array_Size = 1440;

// Whole numbers lo .. hi, both included.
struct TRange {
    int64_t lo;
    int64_t hi;
    constexpr bool Holds(int64_t v) const { return v >= lo && v <= hi; }
};

// A byte position of the internal data array.
constexpr TRange Data_Position{0, Data_Array_Size - 1};

// "<where> holds "<text>", outside the range lo to hi." (the builder's
// words for a number it refuses).
std::string Out_Of_Range(const std::string& where, const std::string& text, TRange range);

// A rule file of the open configuration: its path (UComon::Set_Files gives
// every configuration file its place), its root element and the format
// version written into its "SW_VERSION = " comment.
struct TRuleFile {
    const std::string* path;
    const char* root;
    const char* version;
    const std::string& Path() const { return *path; }
};

// The CAN frame files: one "row" per frame directly under the root.
namespace CAN {

extern const TRuleFile Receive_File;   // "CAN_Rec_Frames.xml", root "Receive_Frames"
extern const TRuleFile Transmit_File;  // "CAN_Send_Frames.xml", root "Transmit_Frames"

// The items of the CAN type column. Every text but the 29-bit one (the
// empty one included) is an 11-bit frame.
inline constexpr const char* Type_11 = "2.0A (11 bits)";
inline constexpr const char* Type_29 = "2.0B (29 bits)";
// Whether the type text, trimmed, is the 29-bit one.
bool Is_29_Bit(std::string_view type);

// The data bytes of a frame, each tied to a position ("Byte1" .. "Byte8").
constexpr int Max_Bytes = 8;
std::string Byte_Attr(int k);

namespace Attr {
inline constexpr const char* Enable = "Enable";
inline constexpr const char* COBID = "COBID";
inline constexpr const char* CAN_Type = "CAN_Type";
inline constexpr const char* Dim = "Dim";
inline constexpr const char* Mnemonic = "Mnemonic";
// Receive frames only.
inline constexpr const char* TimeOut = "TimeOut";
// Transmit frames only.
inline constexpr const char* OnChange = "OnChange";
inline constexpr const char* OnCMD = "OnCMD";
inline constexpr const char* OnTimer = "OnTimer";
inline constexpr const char* Time = "Time";
} // namespace Attr

namespace Range {
constexpr TRange COBID_11{0, 0x7FF};
constexpr TRange COBID_29{0, 0x1FFFFFFF};
constexpr TRange Dim{1, Max_Bytes};
constexpr TRange TimeOut{0, 100000000};
// The period of a frame sent on its timer.
constexpr TRange Time{0, 100000000};
constexpr TRange Byte_Position = Data_Position;
} // namespace Range

// The identifier range of a frame of the type.
inline TRange COBID_Range(std::string_view type) { return Is_29_Bit(type) ? Range::COBID_29 : Range::COBID_11; }

} // namespace CAN

// The MQTT topic file: the sections of publish and subscribe rows ("row"
// elements) and the options element.
namespace Topic {

extern const TRuleFile File;  // "MQTT_Set_Topic.xml", root "MQTT_Set_Topic"

inline constexpr const char* Publish = "MQTT_Publish";
inline constexpr const char* Subscribe = "MQTT_Subscribe";
inline constexpr const char* Options = "MQTT_Options";
inline constexpr const char* Allow_CR_LF = "Option_Allow_CR_LF";  // "Y" or "N", in Options

namespace Attr {
inline constexpr const char* Topic = "Topic";
inline constexpr const char* Retained = "Retained";
inline constexpr const char* QoS = "QoS";
inline constexpr const char* DataType = "DataType";
inline constexpr const char* Dimension = "Dimension";
inline constexpr const char* Position = "Position";
inline constexpr const char* IPAddress = "IPAddress";
inline constexpr const char* FormatHex = "FormatHex";
inline constexpr const char* InputTemplate = "InputTemplate";
inline constexpr const char* Template = "Template";
inline constexpr const char* Mnemonic = "Mnemonic";
// Publish rows only.
inline constexpr const char* OnChange = "OnChange";
inline constexpr const char* OnCMD = "OnCMD";
inline constexpr const char* OnTimer = "OnTimer";
inline constexpr const char* Time = "Time";
// Subscribe rows only.
inline constexpr const char* Port = "Port";
inline constexpr const char* EthType = "EthType";
} // namespace Attr

// The template of a row without one.
inline constexpr const char* Default_Template = "$VALUE$";

// The data types: the texts the window offers and the codes the gateway
// takes.
struct TDataType {
    const char* text;
    uint32_t code;
};
inline constexpr TDataType Data_Types[] = {{"Int", 1}, {"SInt", 4}, {"Float", 2}, {"String", 0}, {"Base64", 3}};
// The code of a type text already trimmed and upper-cased; 0 (a string)
// for any other text.
uint32_t Data_Type_Code(std::string_view upper);
// The window's rule on the dimension of a typed row (type trimmed and
// upper-cased): 1, 2, 4 or 8 bytes for "INT", 4 or 8 for "FLOAT", at least
// 1 for the others.
bool Dimension_Fits_Type(std::string_view upper, int64_t dim);

namespace Range {
constexpr TRange QoS{0, 2};
// The period of a row published on its timer.
constexpr TRange Time{1, 999999999};
constexpr TRange Position = Data_Position;
// The builder's rule on the dimension: what the length field of a publish
// row holds, and of a subscribe row.
constexpr TRange Publish_Dimension{1, 65535};
constexpr TRange Subscribe_Dimension{1, INT32_MAX};
} // namespace Range

} // namespace Topic

} // namespace URuleFiles
