#pragma once
// What the Modbus RTU and Modbus TCP master windows share: the places of
// their columns, the publish topics their read rules name by index, and
// the checks of a read and of a write rule.
//
// Both windows keep a read grid, whose rules poll a slave and tie the
// result to one of the configuration's MQTT publish topics, and a write
// grid, whose rules write data of the internal data array to a slave. The
// TCP window's rules carry the slave's IP address and port before the
// slave ID, so its later columns stand two places further right.

#include "rules/can_mqtt/UMQTT_Set_Access.h"
#include "rules/can_mqtt/URuleFrame.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The internal data array the Modbus master rules address (positions 0 to 1499).
inline constexpr int Modbus_Array_Size = 1500;

// Columns of the two grids, counted from the Slave ID column (2 in the RTU
// window, 4 in the TCP window).
namespace Modbus_Col {
// Read grid.
constexpr int Read_Type = 1, Read_Address = 2, Read_NPoint = 3, Read_Poll_Time = 4, Read_Max_Error = 5,
              Read_Position = 6, Read_Bit = 7, Read_Swap = 8, Read_Swap_Word = 9, Read_Topic = 10,
              Read_Mnemonic = 11;
// Write grid.
constexpr int Write_Type = 1, Write_Address = 2, Write_NPoint = 3, Write_Poll_Time = 4, Write_On_Change = 5,
              Write_On_CMD = 6, Write_Max_Error = 7, Write_Position = 8, Write_Bit = 9, Write_Swap = 10,
              Write_Swap_Word = 11, Write_Mnemonic = 12;
} // namespace Modbus_Col

// The publish topics of the MQTT topic file as a window's Topic column
// offers them, read again at every showing.
class TModbusTopics {
public:
    // numbered: the entries read "1 - topic", "2 - topic" ... (RTU window);
    // otherwise they are the bare topic texts (TCP window).
    explicit TModbusTopics(bool numbered) : numbered_(numbered) {}

    // One entry per publish row of the topic file, in file order (a row
    // without "Topic" gives an empty text and still takes its place); a
    // missing or unreadable file, or one without "MQTT_Publish", gives none.
    TStringList List_Publish_Topic;
    // Per read row (entry r - 1 for row r): the topic index loaded from the
    // rule file or the item last picked in the row; -1 for none. Rows moved
    // by the row buttons do not take it along: the cell text decides.
    std::vector<int32_t> ComboItem_Topic;

    // Reads the topic file and sizes ComboItem_Topic to rows entries of -1.
    void Load(const std::string& topicFile, int rows);
    // The entry at the index; empty outside the list.
    std::string Get_Topic_From_Index(int32_t index) const;
    // The remembered index when it lies in the list and its entry is the
    // text (exactly); otherwise the first entry equal to the text; -1 when
    // none is.
    int32_t Get_Index_From_Topic(const std::string& topic, int32_t remembered = -1) const;
    // The remembered index of a row (-1 outside the rows).
    int32_t Remembered(int row) const;
    // The item picked in a row's Topic cell.
    void Picked(int row, int index);

private:
    bool numbered_;
};

// The Topic column of a read grid over the topics (read at the showings):
// the cell shows the entry of the stored index, the file keeps the index
// of the cell's entry.
TRuleColumn Modbus_Topic_Column(TModbusTopics& topics, int header, int hint, int width, TColor color);

// The tints of the grids' columns.
namespace Modbus_Color {
inline const TColor Enable = RGB(255, 216, 176), Slave = RGB(224, 250, 254), Data = RGB(252, 214, 244),
                    Topic = RGB(255, 255, 168);
}

// The Enable column of both grids: "Y" at the reset and for a loaded row without it.
TRuleColumn Modbus_Enable_Column(int header, int hint);

// A showing's step before the rules are read: the topics follow the topic
// file on disk (read from topicFile), and the read grid's Topic column
// (topicCol) offers their entries.
std::function<void(TRuleFrame&)> Modbus_Topics_Before_Load(TModbusTopics& topics,
                                                           std::function<std::string()> topicFile, int topicCol);

// The texts of the read checks; the write checks' texts follow one another
// from the Slave ID's: Slave ID, Type, Address, NPoint, Poll Time, Max
// Error, Position, Start Bit, the span.
struct TModbusReadTexts {
    int slaveId, type, address, nPoint, pollTime, maxError, topic;
};

// The checks of an enabled read row, in their order, from the Slave ID
// column first (the hidden Position and Start Bit are not checked).
std::optional<TRuleFault> Check_Modbus_Read(TRuleRow& r, int first, const TModbusReadTexts& texts);
// The checks of an enabled write row, ending with the span of the data
// array it writes from.
std::optional<TRuleFault> Check_Modbus_Write(TRuleRow& r, int first, int firstText);
