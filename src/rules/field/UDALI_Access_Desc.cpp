// The DALI window's tables: the device settings with their file, the
// DALI-2 rule and function tables with their lists, file and checks, and the
// address map's lines.
#include "rules/field/UDALI_Access.h"

#include "core/ULanguage.h"
#include "core/UParsers.h"
#include "core/UWholeNumber.h"
#include "platform/SysUtils.h"

#include <array>

using ULanguage::Text;

namespace {

const char* const Device_File_Version = "SW_VERSION = 1.305";

struct TEventGroup {
    std::vector<std::string> events;
    const char* condition;
    int message;
};

// The DALI-2 input events of the Value list, by the condition they need.
const std::array<TEventGroup, 3>& Event_Groups()
{
    static const std::array<TEventGroup, 3> groups = {{
        {{"Button Released", "Button Pressed", "Short Press", "Double Press", "Long Press Start",
          "Long Press Repeat", "Long Press Stop", "Button Free", "Button Stuck"},
         "When Equal to Value",
         4964},
        {{"No Movement", "Vacant", "Presence Sensor"}, "NAND Logic with Value", 4965},
        {{"Movement", "Still Vacant", "Occupied", "Still Occupied", "Movement Sensor"}, "AND Logic with Value", 4966},
    }};
    return groups;
}

const TEventGroup* Event_Group(const std::string& event)
{
    for (const TEventGroup& g : Event_Groups())
        for (const std::string& e : g.events)
            if (e == event) return &g;
    return nullptr;
}

// The events in the order of the Value list.
std::vector<std::string> Value_Items()
{
    const auto& g = Event_Groups();
    std::vector<std::string> items = g[0].events;
    for (const char* e : {"No Movement", "Movement", "Vacant", "Still Vacant", "Occupied", "Still Occupied",
                          "Presence Sensor", "Movement Sensor"})
        items.push_back(e);
    return items;
}

std::vector<std::string> Channel_Items()
{
    std::vector<std::string> items;
    for (int i = 0; i < 64; ++i) items.push_back("DALI Channel " + std::to_string(i));
    for (int i = 1; i <= 16; ++i) items.push_back("DALI Group " + std::to_string(i));
    items.push_back("DALI Broadcast");
    return items;
}

std::string Device_Element(int n, const char* suffix) { return "DALI_ID_DEVICE_" + std::to_string(n) + suffix; }

bool Is_Yes(const std::string& cell) { return UpperCase(Trim(cell)) == "Y"; }

bool Has_Item(const std::vector<std::string>& items, const std::string& text)
{
    for (const std::string& i : items)
        if (SameText(i, text)) return true;
    return false;
}

// A message with the row (and the limit) put in.
std::string Message(int id, long long row, std::optional<long long> limit = std::nullopt)
{
    return DALI_Format(Text(id), row, limit);
}

// The number of a Function choice: the text before its first blank.
int32_t Function_Number(const std::string& cell)
{
    const std::string t = Trim(cell);
    return UComon::Whole_Number(Trim(t.substr(0, t.find(' '))));
}

} // namespace

std::string DALI_Text(int id)
{
    const std::string& t = Text(id);
    if (!Trim(t).empty()) return t;
    if (id == 4960) return "Channel";
    if (id == 4961) return "Brightness";
    return t;
}

std::string DALI_Format(const std::string& text, long long first, std::optional<long long> second)
{
    std::string out = text;
    size_t at = out.find("%d");
    if (at == std::string::npos) return out;
    const std::string a = std::to_string(first);
    out.replace(at, 2, a);
    if (!second) return out;
    at = out.find("%d", at + a.size());
    if (at != std::string::npos) out.replace(at, 2, std::to_string(*second));
    return out;
}

// --- the device page ---------------------------------------------------------------

std::string Check_ReCall_Level(const std::string& text)
{
    if (text == "Recall Min-Max Level for Switch" || text == "Recall Old Value Level for Switch") return text;
    return "None";
}

void DALI_Reset_Devices(TExColumnGrid& devices)
{
    using namespace DALI_Dev_Col;
    for (int r = 1; r <= DALI_Devices && r < devices.RowCount(); ++r) {
        devices.SetCellEx(Enable, r, "N");
        devices.SetCellEx(Dimming_Mode, r, "Normal");
        devices.SetCellEx(Min_Max, r, DALI_Min_Max_Initial);
        devices.SetCellEx(Recall_Level, r, "None");
    }
}

void DALI_Load_Devices(TExColumnGrid& devices, pugi::xml_node root)
{
    using namespace DALI_Dev_Col;
    for (int r = 1; r <= DALI_Devices && r < devices.RowCount(); ++r) {
        const int n = r - 1;
        const pugi::xml_node enable = ChildElement(root, Device_Element(n, "").c_str());
        devices.SetCellEx(Enable, r, enable && ElementText(enable) == "1" ? "Y" : "N");
        if (const pugi::xml_node e = ChildElement(root, Device_Element(n, "_MIN_MAN_VALUE").c_str()))
            devices.SetCellEx(Min_Max, r, ElementText(e) == "1" ? "Y" : "N");
        if (const pugi::xml_node e = ChildElement(root, Device_Element(n, "_RECALL_LEVEL").c_str()))
            devices.SetCellEx(Recall_Level, r, Check_ReCall_Level(ElementText(e)));
    }
}

void DALI_Build_Devices(TXmlDocument& doc, TExColumnGrid& devices)
{
    using namespace DALI_Dev_Col;
    pugi::xml_node root = doc.NewDocument("DALI_Access");
    doc.AddDocumentComment(Device_File_Version);
    for (int r = 1; r <= DALI_Devices; ++r) {
        const int n = r - 1;
        const bool rowThere = r < devices.RowCount();
        auto cell = [&](int col) { return rowThere ? devices.GetCellEx(col, r) : std::string(); };
        AddTextElement(root, Device_Element(n, "").c_str(), Is_Yes(cell(Enable)) ? "1" : "0");
        AddTextElement(root, Device_Element(n, "_MIN_MAN_VALUE").c_str(), Is_Yes(cell(Min_Max)) ? "1" : "0");
        AddTextElement(root, Device_Element(n, "_RECALL_LEVEL").c_str(), cell(Recall_Level));
    }
}

// --- the DALI-2 pages ----------------------------------------------------------------

const std::vector<std::string>& DALI_DevSen()
{
    static const std::vector<std::string> items = {"Device", "Sensor"};
    return items;
}

const std::vector<std::string>& DALI_DevType()
{
    static const std::vector<std::string> items = {
        "Fluorescent Lamp", "Emergency Lamp", "High Voltage Discharge", "Alogen Lamp",   "Dimmer",
        "Converter",        "Led Lamp",       "Actuator On Off",        "Color Control", "Sequencer"};
    return items;
}

const std::vector<std::string>& DALI_SenType()
{
    static const std::vector<std::string> items = {"Generic Input",    "Push Button",  "Absolute Input",
                                                   "Occupancy Sensor", "Light Sensor", "Color Sensor",
                                                   "Relative Input"};
    return items;
}

const std::vector<std::string>& DALI_NumBytes()
{
    static const std::vector<std::string> items = {"1", "2"};
    return items;
}

std::vector<std::string> DALI_Function_Items(TExColumnGrid& functions)
{
    std::vector<std::string> items = {"0 - None"};
    for (int r = 1; r <= DALI_Functions && r < functions.RowCount(); ++r)
        items.push_back(std::to_string(r) + " - " + functions.GetCellEx(DALI_Fun_Col::Mnemonic, r));
    return items;
}

std::string DALI_Event_Condition(const std::string& event)
{
    const TEventGroup* g = Event_Group(event);
    return g ? g->condition : std::string();
}

TRuleWindowDesc DALI2_Desc(std::function<bool(int row)> enableChecked)
{
    TRuleWindowDesc d;
    d.root = "DALI2_Access";
    d.version = "1.305";
    d.clickSelectsRow = true;

    const TColor key = RGB(224, 250, 254), green = RGB(168, 255, 168), yellow = RGB(255, 255, 168),
                 orange = RGB(255, 216, 176), pink = RGB(252, 214, 244);
    TRuleGridDesc fun;
    fun.section = "DALI2_Functions_Rules";
    fun.rows = DALI_Functions;
    fun.numberHeader = 4939;
    fun.keyCol = DALI_Fun_Col::Function;
    fun.columns = {
        Rule_Combo(4940, 4945, "Function",
                   {"Function Null", "Multiplication", "Division", "Addition", "Subtraction", "Set Out", "Dim Up",
                    "Dim Down", "Toggle", "Ramp Start", "Ramp Stop"},
                   140, key),
        Rule_Combo(4941, 4946, "Condition",
                   {"No Condition", "When Equal to Value", "When Lower to Value", "When Greater to Value",
                    "AND Logic with Value", "OR Logic with Value", "XOR Logic with Value", "NAND Logic with Value",
                    "NOR Logic with Value"},
                   140, green),
        Rule_Combo(4942, 4947, "Value", Value_Items(), 140, green, false, edComboEdit),
        Rule_Combo(4960, 4962, "Channel", Channel_Items(), 140, yellow),
        Rule_Text(4961, 4963, "Val", 140, yellow),
        Rule_Text(4943, 4948, "Next_Function", 140, orange),
        Rule_Text(4944, 4949, "Mnemonic", 200, clWindow),
    };

    TRuleGridDesc sa;
    sa.section = "DALI2_SetAccess_Rules";
    sa.rows = DALI_Rules;
    sa.numberHeader = 4900;
    sa.keyCol = DALI_SA_Col::DevSen;
    TRuleColumn enable = Rule_Text(4901, 4915, "Enable", 50, orange);
    enable.toFileAt = [enableChecked](const std::string&, int row) {
        return enableChecked && enableChecked(row) ? "Y" : "N";
    };
    sa.columns = {
        enable,
        Rule_Combo(4902, 4916, "DeviceSensor", DALI_DevSen(), 80, key),
        Rule_Combo(4903, 4917, "Type", {}, 120, key),
        Rule_Text(4904, 4918, "ChannelNumber", 80, key),
        Rule_Text(4905, 4919, "Instance", 60, key),
        Rule_Text(4910, 4924, "Command", 70, green),
        Rule_Text(4907, 4921, "TimeSend", 70, green),
        Rule_Text(4908, 4922, "TimeOut", 70, green),
        Rule_Combo(4913, 4927, "Function", {}, 70, RGB(213, 213, 255)),
        Rule_Text(4909, 4923, "Position", 70, pink),
        Rule_Combo(4958, 4959, "NumBytes", DALI_NumBytes(), 70, pink),
        Rule_Text(4914, 4928, "Mnemonic", 130, clWindow),
    };
    d.grids = {fun, sa};
    return d;
}

TXmlLoad DALI2_Load(TRuleFrame& frame, TExStringGrid& setAccess, std::string& why)
{
    why.clear();
    const std::string path = frame.Path();
    TXmlDocument doc;
    const TXmlLoad result = path.empty() ? TXmlLoad::Missing : doc.LoadFromFile(path);
    if (result == TXmlLoad::Missing) return result;
    if (result == TXmlLoad::Unreadable) {
        why = doc.LoadError();
        return result;
    }
    const pugi::xml_node root = doc.Root();
    if (std::string(root.name()) != frame.Desc().root) {
        why = "no root element \"" + frame.Desc().root + "\"";
        return TXmlLoad::Unreadable;
    }
    for (int g = 0; g < frame.GridCount(); ++g) {
        const TRuleGridDesc& d = frame.Desc().grids[static_cast<size_t>(g)];
        const pugi::xml_node section = ChildElement(root, d.section.c_str());
        if (!section) {
            if (why.empty()) why = "no section \"" + d.section + "\"";
            continue;
        }
        TExColumnGrid& grid = frame.Grid(g);
        int r = 1;
        for (pugi::xml_node row = section.first_child(); row && r <= frame.Rows(g); row = row.next_sibling()) {
            if (row.type() != pugi::node_element) continue;
            for (size_t i = 0; i < d.columns.size(); ++i) {
                const int col = static_cast<int>(i) + 1;
                const pugi::xml_attribute a = row.attribute(d.columns[i].attr.c_str());
                if (g == DALI2_SA_Grid && col == DALI_SA_Col::Enable)
                    setAccess.SetCheckBoxState(col, r, !(a && std::string(a.value()) == "N"));
                else
                    grid.SetCellEx(col, r, a ? a.value() : "");
            }
            ++r;
        }
    }
    return why.empty() ? TXmlLoad::Read : TXmlLoad::Unreadable;
}

std::optional<std::string> DALI2_Fault(TExColumnGrid& functions, TExStringGrid& setAccess)
{
    // Functions: conditions and values of every row first, then the next functions.
    int F = 0;
    const int funLast = std::min(DALI_Functions, functions.RowCount() - 1);
    for (int r = 1; r <= funLast && !Trim(functions.GetCellEx(DALI_Fun_Col::Function, r)).empty(); ++r) {
        const std::string condition = Trim(functions.GetCellEx(DALI_Fun_Col::Condition, r));
        if (condition.empty()) return Message(4950, r);
        const std::string value = Trim(functions.GetCellEx(DALI_Fun_Col::Value, r));
        if (const TEventGroup* g = Event_Group(value)) {
            if (condition != g->condition) {
                if (!Trim(Text(g->message)).empty()) return Message(g->message, r);
                return "Functions - Error Row " + std::to_string(r) + "!! The Condition must be \"" + g->condition +
                       "\"";
            }
        } else {
            float number = 0;
            if (!UComon::Str_To_Float_Sep(value, UComon::Get_Decimal_Separator(), number)) return Message(4951, r);
        }
        F = r;
    }
    for (int r = 1; r <= F; ++r) {
        const std::string next = functions.GetCellEx(DALI_Fun_Col::Next_Function, r);
        if (Trim(next).empty()) continue;
        if (!In_Range(UComon::Whole_Number(next), 0, F)) return Message(4952, r, F);
    }

    using namespace DALI_SA_Col;
    const int saLast = std::min(DALI_Rules, setAccess.RowCount() - 1);
    for (int r = 1; r <= saLast && !Trim(setAccess.GetCellEx(DevSen, r)).empty(); ++r) {
        bool checked = false;
        if (!setAccess.GetCheckBoxState(Enable, r, checked) || !checked) continue;
        auto number = [&](int col) { return UComon::Whole_Number(setAccess.GetCellEx(col, r)); };
        const bool device = Trim(setAccess.GetCellEx(DevSen, r)) == "Device";
        if (!Has_Item(device ? DALI_DevType() : DALI_SenType(), Trim(setAccess.GetCellEx(Type, r))))
            return Message(device ? 4929 : 4930, r);
        if (!In_Range(number(Ch_Number), 0, 63)) return Message(4931, r);
        if (!In_Range(number(Instance), 0, 31)) return Message(4932, r);
        if (!In_Range(number(Command), 0, 255)) return Message(4936, r);
        if (!In_Range(number(Time_Send), 0, 100000000)) return Message(4933, r);
        if (!In_Range(number(TimeOut), 0, 100000000)) return Message(4934, r);
        const std::string function = setAccess.GetCellEx(Function, r);
        if (!Trim(function).empty() && !In_Range(Function_Number(function), 0, F)) return Message(4953, r, F);
        if (!In_Range(number(Position), 0, DALI_Max_Num_Byte)) return Message(4935, r, DALI_Max_Num_Byte);
    }
    return std::nullopt;
}

// --- the address map ---------------------------------------------------------------

std::string DALI_Map_File_Name(const std::string& chosen)
{
    if (UpperCase(Trim(ExtractFileExt(chosen))) == ".CSV") return chosen;
    return chosen + ".csv";
}

std::vector<std::string> DALI_Map_Lines(TExColumnGrid& devices)
{
    std::vector<std::string> lines = {Text(4656)};
    int p = 0;
    for (int r = 1; r <= DALI_Devices && r < devices.RowCount(); ++r) {
        if (!Is_Yes(devices.GetCellEx(DALI_Dev_Col::Enable, r))) continue;
        std::string line = std::to_string(r - 1);
        for (int i = 0; i < 7; ++i) line += "; " + std::to_string(p + i);
        line += ", " + std::to_string(p + 7) + ";";
        lines.push_back(line);
        p += 8;
    }
    return lines;
}
