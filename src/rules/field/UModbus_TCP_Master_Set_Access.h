#pragma once
// The Modbus TCP master rules ("Set Modbus TCP Master Access"): the twin of
// the Modbus RTU master window whose rules reach their slave over TCP/IP,
// each carrying the slave's IP address and port before its slave ID; kept
// in "ModbusTCPM_SetAccess.xml" (root "PROFINET_Master_to_Modbus_TCP_Master",
// sections "Modbus_Read" and "Modbus_Write", no version comment). Its Topic
// column offers the bare topic texts, and a row stores the index of the
// first publish topic with its text.

#include "rules/field/UModbusMaster.h"
#include "rules/can_mqtt/URuleWindow.h"

#include <functional>
#include <string>

// Real columns of the read grid (the write grid's are Modbus_Col + 4).
namespace TCP_Col {
constexpr int Enable = 1, IP_Address = 2, Port = 3, Slave_ID = 4, Type = 5, Address = 6, NPoint = 7, Poll_Time = 8,
              Max_Error = 9, Position = 10, Start_Bit = 11, Swap = 12, Swap_Word = 13, Topic = 14, Mnemonic = 15;
}

// The captions of the copy and paste buttons, which no language changes.
inline constexpr const char* TCP_Copy_Row_Caption = "Copy Row";
inline constexpr const char* TCP_Paste_Row_Caption = "Paste Row";

// True when the text is NOT a valid address: four parts, the texts before
// the first, second and third "." and everything after the third, each a
// whole number 0 to 255. The text is not trimmed: leading blanks pass,
// trailing ones do not.
bool Check_IP_Address(const std::string& text);

TRuleWindowDesc Modbus_TCP_Master_Set_Access_Desc(TModbusTopics& topics, std::function<std::string()> topicFile);

class TFModbus_TCP_Master_Set_Access : public TRuleWindow {
public:
    TFModbus_TCP_Master_Set_Access();

    TExTabSheet* TS_Modbus_Read;
    TExTabSheet* TS_Modbus_Write;
    TExColumnGrid* ECG_Modbus_Read;
    TExColumnGrid* ECG_Modbus_Write;
    // The publish topics, bare.
    TModbusTopics Topics{false};

    void Set_Lang() override;
};

inline TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;
