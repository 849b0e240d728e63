#include "rules/field/UModbusMaster.h"

#include "core/UWholeNumber.h"

void TModbusTopics::Load(const std::string& topicFile, int rows)
{
    TAccessTopics topics;
    topics.Load(topicFile);
    List_Publish_Topic.Clear();
    for (int k = 0; k < topics.Topic_Pub.Count(); ++k)
        List_Publish_Topic.Add(numbered_ ? std::to_string(k + 1) + " - " + topics.Topic_Pub[k] : topics.Topic_Pub[k]);
    ComboItem_Topic.assign(static_cast<size_t>(std::max(rows, 0)), -1);
}

std::string TModbusTopics::Get_Topic_From_Index(int32_t index) const
{
    return index >= 0 && index < List_Publish_Topic.Count() ? List_Publish_Topic[index] : std::string();
}

int32_t TModbusTopics::Get_Index_From_Topic(const std::string& topic, int32_t remembered) const
{
    if (remembered >= 0 && remembered < List_Publish_Topic.Count() && List_Publish_Topic[remembered] == topic)
        return remembered;
    for (int i = 0; i < List_Publish_Topic.Count(); ++i)
        if (List_Publish_Topic[i] == topic) return i;
    return -1;
}

int32_t TModbusTopics::Remembered(int row) const
{
    return row >= 1 && row <= static_cast<int>(ComboItem_Topic.size()) ? ComboItem_Topic[static_cast<size_t>(row - 1)]
                                                                         : -1;
}

void TModbusTopics::Picked(int row, int index)
{
    if (row >= 1 && row <= static_cast<int>(ComboItem_Topic.size()))
        ComboItem_Topic[static_cast<size_t>(row - 1)] = index;
}

TRuleColumn Modbus_Topic_Column(TModbusTopics& topics, int header, int hint, int width, TColor color)
{
    TRuleColumn c = Rule_Combo(header, hint, "Index_Topic", {}, width, color);
    c.fromFile = [&topics](const std::string& a) { return topics.Get_Topic_From_Index(UComon::Whole_Number(a)); };
    c.toFileAt = [&topics](const std::string& cell, int row) {
        return std::to_string(topics.Get_Index_From_Topic(cell, topics.Remembered(row)));
    };
    return c;
}

TRuleColumn Modbus_Enable_Column(int header, int hint)
{
    TRuleColumn c = Rule_Check(header, hint, "Enable", 50, Modbus_Color::Enable, false, "Y");
    c.reset = "Y";
    return c;
}

std::function<void(TRuleFrame&)> Modbus_Topics_Before_Load(TModbusTopics& topics,
                                                           std::function<std::string()> topicFile, int topicCol)
{
    return [&topics, topicFile = std::move(topicFile), topicCol](TRuleFrame& frame) {
        topics.Load(topicFile ? topicFile() : std::string(), frame.Rows(0));
        frame.Grid(0).Columns().Items(topicCol)->ComboItems() = topics.List_Publish_Topic;
    };
}

namespace {

// "COIL STATUS" and "INPUT STATUS" are bit types; anything else, blanks
// included, counts as registers.
bool Bit_Type(TRuleRow& r, int col)
{
    const std::string type = r.Upper(col);
    return type == "COIL STATUS" || type == "INPUT STATUS";
}

} // namespace

std::optional<TRuleFault> Check_Modbus_Read(TRuleRow& r, int first, const TModbusReadTexts& t)
{
    using namespace Modbus_Col;
    if (!In_Range(r.Number(first), 1, 247)) return r.Fault(t.slaveId);
    if (r.Cell(first + Read_Type).empty()) return r.Fault(t.type);
    if (!In_Range(r.Number(first + Read_Address), 0, 65535)) return r.Fault(t.address);
    const int limit = Bit_Type(r, first + Read_Type) ? 2000 : 125;
    if (!In_Range(r.Number(first + Read_NPoint), 1, limit)) return r.Fault(t.nPoint, std::to_string(limit));
    if (!In_Range(r.Number(first + Read_Poll_Time), 1000, 100000000)) return r.Fault(t.pollTime);
    if (!In_Range(r.Number(first + Read_Max_Error), 0, 100000000)) return r.Fault(t.maxError);
    if (r.Empty(first + Read_Topic)) return r.Fault(t.topic);
    return std::nullopt;
}

std::optional<TRuleFault> Check_Modbus_Write(TRuleRow& r, int first, int text)
{
    using namespace Modbus_Col;
    if (!In_Range(r.Number(first), 1, 247)) return r.Fault(text);
    if (r.Cell(first + Write_Type).empty()) return r.Fault(text + 1);
    if (!In_Range(r.Number(first + Write_Address), 0, 65535)) return r.Fault(text + 2);
    const bool coils = r.Upper(first + Write_Type) == "COIL STATUS";
    const int limit = coils ? 1968 : 123;
    const int64_t nPoint = r.Number(first + Write_NPoint);
    if (!In_Range(nPoint, 1, limit)) return r.Fault(text + 3, std::to_string(limit));
    if (!In_Range(r.Number(first + Write_Poll_Time), 0, 100000000)) return r.Fault(text + 4);
    if (!In_Range(r.Number(first + Write_Max_Error), 0, 100000000)) return r.Fault(text + 5);
    const int64_t position = r.Number(first + Write_Position);
    if (!In_Range(position, 0, Modbus_Array_Size - 1))
        return r.Fault(text + 6, std::to_string(Modbus_Array_Size - 1));
    if (coils && r.Cell(first + Write_Bit).empty()) return r.Fault(text + 7);
    // The last byte of the data array the rule writes from.
    int64_t last = position + 2 * nPoint - 1;
    if (coils) {
        const int64_t startBit = UComon::Whole_Number_Def(r.Cell(first + Write_Bit), 0);
        last = position + (nPoint + startBit - 1) / 8;
    }
    if (last >= Modbus_Array_Size) return r.Fault(text + 8);
    return std::nullopt;
}
