#pragma once
// The M-Bus network file "M_Bus.xml" of a configuration: the M-Bus and
// wireless M-Bus meters ("nodes", TNodo) the gateway reads and the data
// records ("variables", TVariabile) it takes from each, the node editor's
// reader and writer, and the code lists whose indexes the file stores.
//
// File: root "M-Bus_Network", one "Nodo" element per node with one
// "Variabile" element per variable, every value an attribute. The editor
// writes the comment "SW_VERSION = 1.019" after the root; the export of
// scan results (UMBus_Export.h) writes or appends nodes of its own form.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One variable of a node.
class TVariabile {
public:
    bool Enable = false;               // "Enable": read by the gateway
    std::string Description;           // "Desc"
    std::int32_t Type_Of_Data = 0;     // "Type": index in Type_Of_Data_List()
    std::int32_t Function_Field = 0;   // "Fun_Field": index in Function_Field_List()
    std::int32_t Dimension = 0;        // "Dim": index in Dimension_List()
    std::int32_t Unita = 0;            // "Unit": device unit 0..10
    std::uint32_t Storage_Number = 0;  // "StoNumber"
    std::int32_t Tariff = 0;           // "Tariff": 0..0xFFFFF
    std::uint8_t VIFE = 0;             // "VIFE": index in VIFE_List()
    bool BCDtoINT = false;             // "BCDtoINT"
    std::int32_t Length = 0;           // "Length": bytes of a variable-length value
    std::string VIF_ASCII;             // "VIF_ASCII": unit text of a plain-text VIF
    std::uint8_t Position = 0;         // "Position": 1..100 for "By Position" nodes
    std::int32_t Topic = 0;            // "Topic": MQTT publish topic index, -1 none
    std::uint8_t Post_Operation = 0;   // "Post_Operation": index in Post_Operation_List()

    bool operator==(const TVariabile&) const = default;
};

// One node (meter) with its variables.
class TNodo {
public:
    bool Enable = false;                  // "Enable_Node"
    std::string Description;              // "Descrizione"
    std::int32_t Node_ID_Primary = 0;     // "ID_Primary": 0..255
    std::int32_t Node_ID_Secondary = 0;   // "ID_Secondary": 0..99999999
    std::uint8_t Send_SNK = 0;            // "Send_SND_NKE"
    std::uint8_t Reset_App = 0;           // "Reset_App"
    std::vector<TVariabile> Var_List;     // the "Variabile" elements
    std::uint8_t Node_State = 0;          // kept from the file
    std::uint8_t Ident_Num = 0;           // kept from the file
    std::uint8_t BCDtoINT_IN = 0;         // kept from the file
    std::int32_t Swap_Ident = 0;          // "Swap_IN", kept from the file
    std::uint8_t Access_Number = 0;       // kept from the file
    std::uint8_t Node_ID_Type = 0;        // 0 addressed by primary ID, 1 by secondary ID
    std::uint8_t Var_List_Type = 0;       // 0 "By Type", 1 "By Position"
    std::uint8_t Cut_After = 0;           // index in Frames_List(): 0 = 1 frame
    std::int32_t NS_Topic = 0;            // kept from the file
    std::int32_t IN_Topic = 0;            // kept from the file
    std::int32_t AN_Topic = 0;            // kept from the file
    std::uint8_t MBus_Type = 0;           // 0 "wM-Bus", 1 "M-Bus on wires"
    std::string wMBus_ManID;              // radio manufacturer ID as typed
    std::string wMBus_Add;                // radio address as typed
    std::string wMBus_Ver;                // radio version as typed
    std::string wMBus_DevType;            // radio device type as typed
    std::uint8_t wMBus_En_Key = 0;        // 1: telegrams decrypted with the key
    std::array<std::string, 16> wMBus_Key;  // key bytes 1..16 ("wMBus_Key_1".. at [0]..) as typed
    std::uint8_t wMBus_RSSI = 0;          // kept from the file
    std::int32_t wMBus_RSSI_Topic = 0;    // kept from the file

    // The ID the node is addressed by (secondary or primary by Node_ID_Type).
    std::int32_t ID() const { return Node_ID_Type != 0 ? Node_ID_Secondary : Node_ID_Primary; }

    bool operator==(const TNodo&) const = default;
};

using TNodoList = std::vector<TNodo>;

// The version the editor's file carries in its "SW_VERSION = " comment.
inline constexpr const char* kMBusNetworkVersion = "1.019";
inline constexpr const char* kMBusNetworkRoot = "M-Bus_Network";

// --- code lists (the editor's combo boxes, in order; the file stores the index)

const std::vector<std::string>& Type_Of_Data_List();    // 26, the decoder's quantity codes 0..25
const std::vector<std::string>& Function_Field_List();  // 4
const std::vector<std::string>& Dimension_List();       // 8
const std::vector<std::string>& Unit_List();            // "0".."10"
const std::vector<std::string>& Post_Operation_List();  // 13
const std::vector<std::string>& VIFE_List();            // 152, the decoder's extension codes 1..151
const std::vector<std::string>& Frames_List();          // "1".."250"
const std::vector<std::string>& Variables_List_List();  // "By Type", "By Position"
const std::vector<std::string>& MBus_Type_List();       // "wM-Bus", "M-Bus on wires"

// Names of the attributes in the order the editor writes them.
const std::vector<std::string>& Node_Attribute_Order();      // 42
const std::vector<std::string>& Variable_Attribute_Order();  // 15

// --- reading and writing

enum class TNetworkRead {
    Read,        // read whole
    Missing,     // no such file: no nodes
    Unreadable,  // not XML, too large, cannot be read: no nodes
    Stopped,     // a required attribute missing or not a number: the nodes before it are kept
};

struct TNetworkReadResult {
    TNetworkRead Result = TNetworkRead::Missing;
    // For Unreadable and Stopped: the file's path and what is wrong, with
    // the place (node n, variable m, counted from 1) and the attribute and
    // its value, or the parser's reason and line.
    std::string Error;
};

// Reads the file into nodes (emptied first). Numbers are whole numbers,
// decimal or hexadecimal ("$", "0x"); a missing or unreadable optional
// attribute takes its default; "ID", when present and a number, gives the
// ID of the node's type (the other one is 1).
TNetworkReadResult Read_MBus_Network(const std::string& path, TNodoList& nodes);

// Writes the whole file (root, the version comment, the nodes in the
// editor's attribute order), atomically. False with error naming the file
// when it could not be written (the old file stays).
bool Write_MBus_Network(const std::string& path, const TNodoList& nodes, std::string& error);
