#pragma once
// The Modbus RTU master rules ("Set Modbus Access"): read rules that poll
// coils, inputs or registers of a slave and tie the result to one of the
// configuration's MQTT publish topics, and write rules that write data of
// the internal data array to a slave; kept in "ModbusM_SetAccess.xml"
// (root "EtherNetIP_to_Modbus", sections "Modbus_Read" and "Modbus_Write").
// The write page keeps its rules (from the file) with its tab hidden, so
// only the read rules are seen and edited; the read grid shows the Topic
// column in place of its data-array columns.

#include "rules/field/UModbusMaster.h"
#include "rules/can_mqtt/URuleWindow.h"

#include <functional>
#include <string>

// Real columns of the read grid (the write grid's are Modbus_Col + 2).
namespace SetAccess_Col {
constexpr int Enable = 1, Slave_ID = 2, Type = 3, Address = 4, NPoint = 5, Poll_Time = 6, Max_Error = 7,
              Position = 8, Start_Bit = 9, Swap = 10, Swap_Word = 11, Topic = 12, Mnemonic = 13;
}

// The window's tables over its topics; the topic file is read at every
// showing from topicFile.
TRuleWindowDesc SetAccess_Desc(TModbusTopics& topics, std::function<std::string()> topicFile);

class TFSetAccess : public TRuleWindow {
public:
    TFSetAccess();

    TExTabSheet* TS_Modbus_Read;
    TExTabSheet* TS_Modbus_Write;
    TExColumnGrid* ECG_Modbus_Read;
    TExColumnGrid* ECG_Modbus_Write;
    // The topic entries ("1 - topic") and the topic index remembered per read row.
    TModbusTopics Topics{true};

    // The read grid's combo change: a topic picked in row's Topic cell is
    // remembered for the row.
    void ComboChange(int col, int row, int index);
};

inline TFSetAccess* FSetAccess = nullptr;
