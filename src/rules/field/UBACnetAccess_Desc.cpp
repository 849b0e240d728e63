// The BACnet client rules' tables: the client type, columns, file, texts
// and checks, and the appending of imported EDE objects.
#include "rules/field/UBACnetAccess.h"

#include "core/UParsers.h"
#include "core/UWholeNumber.h"
#include "platform/Dialogs.h"
#include "rules/field/UBACnetAccess_Checks.h"

#include <algorithm>

using ULanguage::Text;

namespace {

const TColor Tint_Enable = RGB(255, 216, 176), Tint_Object = RGB(224, 250, 254), Tint_Dest = RGB(213, 213, 255),
             Tint_Time = RGB(168, 255, 168), Tint_Err = RGB(255, 255, 168), Tint_Data = RGB(252, 214, 244);

const std::vector<std::string> Dest_Lengths = {"1", "2", "6", "M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8"};

TRuleColumn Enable_Column(int header)
{
    TRuleColumn c = Rule_Check(header, -1, "Enable", 45, Tint_Enable, false, "Y");
    c.reset = "Y";
    return c;
}

TRuleColumn Combo_Edit(int header, const char* attr, std::vector<std::string> items, int width)
{
    return Rule_Combo(header, -1, attr, std::move(items), width, Tint_Object, false, edComboEdit);
}

TRuleGridDesc Read_Grid(TBACnetClient& client)
{
    TRuleGridDesc g;
    g.section = "BACnet_Read";
    g.rows = BACnet_Master_Rules;
    g.numberHeader = 4708;
    g.numberWidth = 32;
    g.pageCaption = 4706;
    g.rowPrefix = 4737;
    g.keyCol = BACnet_Read_Col::Device;
    g.keyColFn = [&client] { return client.Device_Column() ? BACnet_Read_Col::Device : BACnet_Read_Col::Object_Type; };
    g.enable = TEnableTest::Exact;
    g.enterJump = false;
    g.columns = {
        Enable_Column(4790),
        Rule_Text(4709, -1, "IP_Address_Slave_ID", 90, Tint_Object),
        Combo_Edit(4711, "Object_Type",
                   {"Accumulator", "Multi-State Input", "Multi-State Output", "Multi-State Value", "Analog Input",
                    "Analog Output", "Analog Value", "Binary Input", "Binary Output", "Binary Value", "Integer Value",
                    "Large Analog Value", "Positive Integer Value", "Life Safety Point", "Life Safety Zone"},
                   125),
        Rule_Text(4712, -1, "Instance", 56, Tint_Object),
        Combo_Edit(4713, "Property",
                   {"Present Value (85)", "Object Identifier (75)", "Units (117)", "Scale (187)", "PreScale (185)",
                    "Polarity (84)", "Event State (36)", "Status Flags (111)", "Object Type (79)",
                    "Number of States (74)"},
                   115),
        Rule_Text(4714, -1, "NumByte", 45, Tint_Object),
        Rule_Check(4762, -1, "Enable_Destination", 50, Tint_Dest),
        Rule_Text(4763, -1, "Destination_Network", 45, Tint_Dest),
        Rule_Combo(4764, -1, "Destination_Length", Dest_Lengths, 45, Tint_Dest),
        Rule_Text(4765, -1, "Destination_Address", 60, Tint_Dest),
        Rule_Text(4715, -1, "PollTime", 58, Tint_Time),
        Rule_Text(4716, -1, "MaxError", 50, Tint_Err),
        Rule_Combo(4717, -1, "Position", Number_Items(1440), 56, Tint_Data),
        Rule_Combo(4718, -1, "StartBit", Number_Items(8), 56, Tint_Data),
        Rule_Check(4760, -1, "Swap", 38, Tint_Enable, true),
        Rule_Combo(4780, -1, "", {"None", "Float to Int", "(Float to Int) * 10", "(Float to Int) * 100"}, 115,
                   Tint_Enable, true),
        Rule_Text(4719, -1, "Mnemonic", 307, clWindow),
    };
    return g;
}

TRuleGridDesc Write_Grid(TBACnetClient& client)
{
    TRuleGridDesc g;
    g.section = "BACnet_Write";
    g.rows = BACnet_Master_Rules;
    g.numberHeader = 4720;
    g.numberWidth = 32;
    g.pageCaption = 4707;
    g.rowPrefix = 4746;
    g.keyCol = BACnet_Write_Col::Device;
    g.keyColFn = [&client] {
        return client.Device_Column() ? BACnet_Write_Col::Device : BACnet_Write_Col::Object_Type;
    };
    g.enable = TEnableTest::Exact;
    g.enterJump = false;
    g.showHints = false;
    g.columns = {
        Enable_Column(4791),
        Rule_Text(4721, -1, "IP_Address_Slave_ID", 90, Tint_Object),
        Combo_Edit(4723, "Object_Type",
                   {"Multi-State Output", "Multi-State Value", "Analog Output", "Analog Value", "Binary Output",
                    "Binary Value", "Integer Value", "Large Analog Value", "Positive Integer Value"},
                   125),
        Rule_Combo(4724, -1, "Data_Type",
                   {"Null", "Boolean", "Unsigned Int", "Signed Int", "Real", "Double", "Octet String",
                    "Character String", "Bit String", "Enumerated", "Date", "Time", "Object ID"},
                   100, Tint_Object),
        Rule_Text(4725, -1, "Instance", 56, Tint_Object),
        Combo_Edit(4726, "Property", {"Present Value (85)"}, 100),
        Rule_Text(4727, -1, "Priority", 56, Tint_Object),
        Rule_Text(4728, -1, "NumByte", 45, Tint_Object),
        Rule_Check(4766, -1, "Enable_Destination", 50, Tint_Dest),
        Rule_Text(4767, -1, "Destination_Network", 45, Tint_Dest),
        Rule_Combo(4768, -1, "Destination_Length", Dest_Lengths, 45, Tint_Dest),
        Rule_Text(4769, -1, "Destination_Address", 60, Tint_Dest),
        Rule_Check(4729, -1, "OnChange", 55, Tint_Time),
        Rule_Check(4730, -1, "OnTimer", 45, Tint_Time),
        Rule_Text(4731, -1, "PollTime", 58, Tint_Time),
        Rule_Text(4732, -1, "MaxError", 50, Tint_Err),
        Rule_Combo(4733, -1, "Position", Number_Items(1440), 56, Tint_Data),
        Rule_Combo(4734, -1, "StartBit", Number_Items(8), 56, Tint_Data),
        Rule_Check(4761, -1, "Swap", 38, Tint_Enable, true),
        Rule_Combo(4781, -1, "", {"None", "Int to Float", "(Int to Float) / 10", "(Int to Float) / 100"}, 115,
                   Tint_Enable, true),
        Rule_Text(4735, -1, "Mnemonic", 66, clWindow),
    };
    return g;
}

// The device cell of a rule by the client type; the read and the write
// texts differ by the page.
std::optional<TRuleFault> Check_Device(TRuleRow& r, const TBACnetClient& client, int ipText, int idText)
{
    if (client.App_BACnet_Type == 0) {
        uint8_t b1, b2, b3, b4;
        if (UComon::IP_To_Bytes(r.Cell(2), b1, b2, b3, b4)) return r.Fault(ipText);
    } else if (client.App_BACnet_Type == 1) {
        if (!In_Range(r.Number(2), 0, 254)) return r.Fault(idText);
    }
    return std::nullopt;
}

std::optional<TRuleFault> Check_Dest(TRuleRow& r, int first, bool inRead)
{
    const int text = Check_Destination(r.Cell(first), r.Cell(first + 1), r.Cell(first + 2), r.Row(), inRead);
    if (text == 0) return std::nullopt;
    // Check_Dest_Add has shown its fault itself.
    if (text < 0) {
        TRuleFault f = r.Fault(-1);
        f.shown = true;
        return f;
    }
    return r.Fault(text);
}

bool Instance_In_Range(const std::string& cell)
{
    const int64_t v = UComon::Whole_Number64(cell);
    return v >= 0 && v <= 4294967295LL;
}

std::optional<TRuleFault> Check_Read_Row(TRuleRow& r, const TBACnetClient& client)
{
    using namespace BACnet_Read_Col;
    if (auto f = Check_Device(r, client, 4738, 4739)) return f;
    const int obj = Check_Object_Type(r.Cell(Object_Type), 0);
    if (obj == -1) return r.Fault(4740);
    if (!Instance_In_Range(r.Cell(Instance))) return r.Fault(4741);
    if (Check_Property(r.Cell(Property), 0, obj) == -1) return r.Fault(4742);
    if (!In_Range(r.Number(NByte), 0, 255)) return r.Fault(4743);
    if (r.Upper(En_Dest) == "Y")
        if (auto f = Check_Dest(r, D_Net, true)) return f;
    if (!In_Range(r.Number(Poll_Time), 0, 100000000)) return r.Fault(4744);
    if (!In_Range(r.Number(Max_Err), 0, 65535)) return r.Fault(4745);
    return std::nullopt;
}

std::optional<TRuleFault> Check_Write_Row(TRuleRow& r, const TBACnetClient& client)
{
    using namespace BACnet_Write_Col;
    if (auto f = Check_Device(r, client, 4747, 4748)) return f;
    const int obj = Check_Object_Type(r.Cell(Object_Type), 1);
    if (obj == -1) return r.Fault(4749);
    if (!Instance_In_Range(r.Cell(Instance))) return r.Fault(4750);
    const int property = Check_Property(r.Cell(Property), 1, obj);
    if (property == -1) return r.Fault(4751);
    if (Check_Data_Type(r.Cell(Data_Type), obj, property) == -1) {
        const std::string expected = Aspected_Data_Type_Value(obj, property);
        return expected.empty() ? r.Fault(4752) : r.Fault(4758, expected);
    }
    if (!In_Range(r.Number(Priority), 0, 16)) return r.Fault(4753);
    const int most = Check_Num_Byte_Max(r.Cell(Data_Type));
    if (!In_Range(r.Number(NByte), 0, most)) return r.Fault(4754, std::to_string(most));
    if (r.Upper(En_Dest) == "Y")
        if (auto f = Check_Dest(r, D_Net, false)) return f;
    if (UpperCase(r.Cell(Timer)) == "Y" && !In_Range(r.Number(Poll_Time), 0, 100000000)) return r.Fault(4755);
    if (!In_Range(r.Number(Max_Err), 0, 65535)) return r.Fault(4756);
    return std::nullopt;
}

// The first row whose key cell is empty (after the last row when none is)
// and the end of the data the keyed rows take.
struct TAppendStart {
    int row;
    int64_t position;
};

TAppendStart Append_Start(TExColumnGrid& g, int keyCol, int positionCol, int nByteCol)
{
    TAppendStart s{g.RowCount(), 0};
    for (int r = g.RowCount() - 1; r >= 1; --r) {
        if (Trim(g.GetCellEx(keyCol, r)).empty()) {
            s.row = r;
            continue;
        }
        const int32_t position = UComon::Whole_Number(g.GetCellEx(positionCol, r));
        const int32_t bytes = UComon::Whole_Number(g.GetCellEx(nByteCol, r));
        if (position >= 0 && bytes >= 0) s.position = std::max<int64_t>(s.position, int64_t(position) + bytes);
    }
    return s;
}

} // namespace

bool Read_BACnet_Master_Type(const std::string& parGenFile, int32_t& type)
{
    type = 0;
    TXmlDocument doc;
    if (parGenFile.empty() || doc.LoadFromFile(parGenFile) != TXmlLoad::Read) return false;
    const pugi::xml_node key = ChildElement(doc.Root(), "BACnet_Master_Type");
    if (!key) return false;
    if (!UComon::Try_Whole_Number(ElementText(key), type)) type = 0;
    return true;
}

TRuleWindowDesc BACnetAccess_Desc(TBACnetClient& client, std::function<std::string()> parGenFile, int clientWidth)
{
    TRuleWindowDesc d;
    d.root = "BACnet_Master_Access";
    d.version = "1.009";
    d.clientWidth = clientWidth;
    d.caption = 4700;
    d.description = 4701;
    for (int i = 0; i < 4; ++i) d.buttonCaptions[i] = 4702 + i;
    d.copyPasteButtons = false;
    d.deleteQuestion = 4736;
    d.insertEnable = true;
    d.grids = {Read_Grid(client), Write_Grid(client)};
    // Every showing reads the client type; the device column follows it.
    d.beforeLoad = [&client, parGenFile](TRuleFrame& frame) {
        if (!Read_BACnet_Master_Type(parGenFile ? parGenFile() : std::string(), client.App_BACnet_Type))
            MessageDlg(Text(4757), TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        const int headers[2][2] = {{4709, 4710}, {4721, 4722}};
        for (int g = 0; g < 2; ++g) {
            TExColumnGrid& grid = frame.Grid(g);
            if (client.Device_Column()) {
                grid.Columns().Items(2)->SetHeader(Text(headers[g][client.App_BACnet_Type]));
            } else if (!grid.IsHiddenColumn(2)) {
                grid.HideColumn(2);
            }
        }
    };
    d.check = [&client](TRuleRow& r) -> std::optional<TRuleFault> {
        return r.Grid() == 0 ? Check_Read_Row(r, client) : Check_Write_Row(r, client);
    };
    return d;
}

std::pair<int, int> Append_EDE_Rules(TExColumnGrid& read, TExColumnGrid& write, const TBACnetClient& client,
                                     const std::vector<TBACnet_Var>& objects, const std::string& device)
{
    const bool byDevice = client.Device_Column();
    TAppendStart r = Append_Start(read, byDevice ? BACnet_Read_Col::Device : BACnet_Read_Col::Object_Type,
                                  BACnet_Read_Col::Position, BACnet_Read_Col::NByte);
    TAppendStart w = Append_Start(write, byDevice ? BACnet_Write_Col::Device : BACnet_Write_Col::Object_Type,
                                  BACnet_Write_Col::Position, BACnet_Write_Col::NByte);
    int skippedRead = 0, skippedWrite = 0;
    for (const TBACnet_Var& v : objects) {
        if (!v.import) continue;
        const int bytes = Get_NumByte_EDE(v.object_type);
        const std::string mnemonic = v.object_name + " - " + v.description;
        if (v.read) {
            if (r.row >= read.RowCount()) {
                ++skippedRead;
            } else {
                using namespace BACnet_Read_Col;
                const std::pair<int, std::string> cells[] = {
                    {Enable, "Y"}, {Device, device}, {Object_Type, Get_ObjType_EDE(v.object_type)},
                    {Instance, std::to_string(v.object_instance)}, {Property, "Present Value (85)"},
                    {NByte, std::to_string(bytes)}, {En_Dest, "N"}, {D_Net, ""}, {D_Len, ""}, {D_Add, ""},
                    {Poll_Time, "1000"}, {Max_Err, "0"}, {Position, std::to_string(r.position)}, {Start_Bit, "0"},
                    {Swap, "N"}, {Convertion, ""}, {Mnemonic, mnemonic}};
                for (const auto& [col, text] : cells) read.SetCellEx(col, r.row, text);
                ++r.row;
                r.position += bytes;
            }
        }
        if (v.write) {
            if (w.row >= write.RowCount()) {
                ++skippedWrite;
            } else {
                using namespace BACnet_Write_Col;
                const std::pair<int, std::string> cells[] = {
                    {Enable, "Y"}, {Device, device}, {Object_Type, Get_ObjType_EDE(v.object_type)},
                    {Data_Type, Get_DataType_EDE(v.object_type)}, {Instance, std::to_string(v.object_instance)},
                    {Property, "Present Value (85)"}, {Priority, "0"}, {NByte, std::to_string(bytes)},
                    {En_Dest, "N"}, {D_Net, ""}, {D_Len, ""}, {D_Add, ""}, {Change, "N"}, {Timer, "N"},
                    {Poll_Time, "1000"}, {Max_Err, "0"}, {Position, std::to_string(w.position)}, {Start_Bit, "0"},
                    {Swap, "N"}, {Convertion, ""}, {Mnemonic, mnemonic}};
                for (const auto& [col, text] : cells) write.SetCellEx(col, w.row, text);
                ++w.row;
                w.position += bytes;
            }
        }
    }
    return {skippedRead, skippedWrite};
}
