#pragma once
// The export of scan results into the M-Bus network file: every meter of a
// meter list becomes a "Nodo" element and every record a "Variabile"
// element, with a Modbus register number ("ModReg") per record counted from
// one start register for all meters or from a start register per meter.
// The device code (XML_Code_Dev) chooses the extra attributes:
//   2, 4, 5, 7, 8, 10  "ID"
//   4, 7               "Secondary_address" and a "Group" element (wired)
//   12                 BACnet attributes, no registers
//   13, 14             "MBus_Type" "1" (wired)
//   0, 1, 9, 13, 14    node-state and identification registers (per-meter starts)
// Code 18 (this build) gets none of these.

#include "mbus/UMBus_Frames.h"
#include "mbus/UMBus_Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TSaveConfXML {
    std::int32_t Append = 0;        // 1: load the file and add to it; otherwise a new file
    std::int32_t XML_Code_Dev = 0;  // device code
    std::int32_t Mod_Start = 1;     // first register when all meters share one count
    std::int32_t Index_Baud = 0;    // the scan's baud rate in the scan window's list (0 = 300 .. 7 = 38400)
    std::int32_t Index_Par = 0;     // the scan's parity (0 none, 1 even, 2 odd)
    std::int32_t Node_ID_Type = 0;  // 0 scanned by primary address, 1 by secondary
    std::int32_t SND_NKE = 0;       // 1: the scan sent SND_NKE
    std::int32_t Reset_App = 0;     // 1: the scan sent an application reset
    std::int32_t Cut_After = 3;     // the scan's frame limit
    std::int32_t StartModnode = 0;  // 1: a start register per meter (SMN_Array)
    std::vector<std::int32_t> SMN_Array;  // start register per meter, in list order
    bool En_NodeState = false;      // a node-state register per meter
    bool En_IdeNum = false;         // identification-number registers per meter
    std::string File_Name;          // the file to write
};

// Whether the scan window's tree shows an item's box ticked; an item
// without a tree node (handle null) counts as ticked.
using TIsTicked = std::function<bool(TTreeNodeHandle)>;

struct TSaveResult {
    // 1 written, 0 nothing to write (empty list, file untouched), -1 failed
    // (Error names the file; nothing written).
    int Code = 0;
    std::string Error;
};

// The wired meters (MBus_Slave_List). A record's box that is unticked
// writes "Enable" "0" and, with per-meter starts, takes no registers.
// Check_BCD: BCD records are marked for conversion to integers.
TSaveResult Save_XML_Conf_Wired(const TSaveConfXML& conf, bool Check_BCD, const TMBusSlaveList& meters,
                                const TIsTicked& isTicked = {});
// The radio meters (wMBus_Slave_List): meter and record Enable give the
// boxes; fill records are not written (their positions are skipped).
TSaveResult Save_XML_Conf_Wireless(const TSaveConfXML& conf, bool Check_BCD,
                                   const std::vector<std::shared_ptr<TSlave_wMBus>>& meters);

// A record's data field (DIF and 0F) as the "Dim" index of the network file
// and the 16-bit registers its value takes; 255 and 0 for data fields
// without a value. Variable length: Dim 7, (bytes + 1) / 2 registers
// rounded to the nearest whole number, halves to the even one.
struct TDataFieldExport {
    int Dim;
    int Registers;
};
TDataFieldExport Data_Field_Export(int dataField, int variableBytes);
