#include "mbus/UMBus_Network.h"

#include "core/UWholeNumber.h"
#include "platform/XmlDoc.h"

// --- code lists -------------------------------------------------------------------------------

const std::vector<std::string>& Type_Of_Data_List()
{
    static const std::vector<std::string> list = {
        "Energy (Wh)",
        "Energy (J)",
        "Volume (m³)",
        "Mass (Kg)",
        "On Time",
        "Operating Time",
        "Power (W)",
        "Power (J/h)",
        "Volume Flow (m³/h)",
        "Volume Flow Ext. (m³/min)",
        "Volume Flow Ext. (m³/s)",
        "Mass Flow (Kg/h)",
        "Flow Temperature (°C)",
        "Return Temperature (°C)",
        "Temperature Difference (K)",
        "External Temperature (°C)",
        "Pressure (bar)",
        "Averaging Duration ",
        "Actuality Duration",
        "Type of  Data in VIFE",
        "Time Point",
        "VIF is in ASCII",
        "Unit for H.C.A.",
        "Fabrication No",
        "(Enhanced) Identification",
        "Bus Address",
    };
    return list;
}

const std::vector<std::string>& Function_Field_List()
{
    static const std::vector<std::string> list = {
        "Instantaneous Value",
        "Minimun Value",
        "Maximum Value",
        "Value During Error State",
    };
    return list;
}

const std::vector<std::string>& Dimension_List()
{
    static const std::vector<std::string> list = {
        "8",
        "16",
        "32",
        "64",
        "24",
        "48",
        "32 Real",
        "Variable Length",
    };
    return list;
}

const std::vector<std::string>& Unit_List()
{
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l;
        for (int i = 0; i <= 10; ++i) l.push_back(std::to_string(i));
        return l;
    }();
    return list;
}

// Each but "None" begins with a blank.
const std::vector<std::string>& Post_Operation_List()
{
    static const std::vector<std::string> list = {
        "None",
        " : 10",
        " : 100",
        " : 1000",
        " : 10000",
        " : 100000",
        " : 1000000",
        " * 10",
        " * 100",
        " * 1000",
        " * 10000",
        " * 100000",
        " * 1000000",
    };
    return list;
}

// Index 0 "Not Selected"; 1..151 are the decoder's extension codes.
const std::vector<std::string>& VIFE_List()
{
    static const std::vector<std::string> list = {
        "Not Selected",
        "Credit of the nominal local legal currency units",
        "Debit of the nominal local legal currency units",
        "Access Number (transmission count)",
        "Medium (as in fixed header)",
        "Manufacturer (as in fixed header)",
        "Parameter set identification",
        "Model/Version",
        "Hardware Version #",
        "Firmware Version #",
        "Software Version #",
        "Customer Location",
        "Customer",
        "Access Code User",
        "Access Code Operator",
        "Access Code System Operator",
        "Access Code Developer",
        "Password",
        "Error flags (binary)",
        "Error mask",
        "Digital Output (binary)",
        "Digital Input (binary)",
        "Baudrate [Baud]",
        "response delay time [bittimes]",
        "Retry",
        "First storage # for cyclic storage",
        "Last storage # for cyclic storage",
        "Size of storage block",
        "Storage interval [sec(s)..day(s)]",
        "Storage interval month(s)",
        "Storage interval year(s)",
        "Duration since last readout[sec(s)..day(s)]",
        "Start (date/time) of tariff",
        "Duration of tariff (nn=01..11:min to day)",
        "Period of tariff [sec(s) to day(s)]",
        "Period of tariff months(s)",
        "Period of tariff year(s)",
        "dimensionless/ no VIF",
        "Volts ",
        "Ampere",
        "Reset counter",
        "Comulation counter",
        "Control signal",
        "Day of week",
        "Week number",
        "Time point of day change",
        "State of parameter activation",
        "Special supplier information",
        "Duration since last comulation [hour(s)..year(s)]",
        "Operation time battery [hour(s)..year(s)]",
        "Date and time of battery change",
        "Energy MWh",
        "Energy GJ",
        "Volume ",
        "Mass",
        "Volume 0,1 feet^3",
        "Volume 0,1 american gallon",
        "Volume 1 american gallon",
        "Volume flow 0,001 american gallon/min",
        "Volume flow 1 american gallon/min",
        "Volume flow 1 american gallon/h",
        "Power MW",
        "Power GJ/h",
        "Flow Temperature",
        "Return Temperature",
        "Temperature Difference",
        "External Temperature",
        "Cold/Warm Temperature Limit °F",
        "Cold/Worm Temperature Limit °C",
        "Cumul. count max power",
        "per second",
        "per minute",
        "per hour",
        "per day",
        "per week",
        "per month",
        "per year",
        "per revolution/measurement",
        "increment per input pulse on input channel",
        "increment per output pulse on output channel",
        "per liter",
        "per m^3",
        "per kg",
        "per K (Kelvin)",
        "per kWh",
        "per GJ",
        "per kW",
        "per (K*l)(Kelvin*liter) ",
        "per V (Volt)",
        "per A (Ampere)",
        "multiplied by sek",
        "multiplied by sek/V",
        "multiplied by sek/A",
        "start date(/time) of",
        "VIF contains uncorrected unit instead of corrected unit",
        "Accumulation only if positive contributions",
        "Accumulation of abs value only if negative contributions",
        "upper/lower limit value",
        "# of exceeds of lower/upper limit",
        "Date(/time) of begin/end of first/last lower/upper limit exceed",
        "Duration of limit exceed",
        "Duration of first/last",
        "Date(/time) of first/last begin/end",
        "Multiplicative currection factor",
        "Additive correction constant * unit of VIF (offset)",
        "Moltiplicative correction factor: 10^3",
        "future value",
        "next VIFE's and data of this block are manufacturer specific",
        "None",
        "Too many DIFE's",
        "Storage number not implemented",
        "Unit number not implemented",
        "Tariff number not implemented",
        "Function not implemented",
        "Data class not implemented",
        "Data size not implemented",
        "Too many VIFE's",
        "Illegal VIF-Group",
        "Illegal VIF-Exponent",
        "VIF/DIF mismatch",
        "Unimplemented action",
        "No data available (undefined value)",
        "Data overflow",
        "Data underflow",
        "Data error",
        "Premature end of record ",
        "Security Key",
        "Remote control (devicespecific e.g. gas valve)",
        "Operator specific data",
        "Time point second (0 to 59)",
        "Data container for wireless M-Bus protocol",
        "Period of nominal data transmissions [sec(s) to day(s)]",
        "RF level units: dBm",
        "Daylight savings (beginning, ending, deviation) data type K",
        "Listening window management data type L",
        "Remaining battery life time (days)",
        "Number times the meter was stopped",
        "Reactive energy",
        "Apparent energy",
        "Energy",
        "Reactive power",
        "Relative humidity",
        "Volume",
        "Phase U-U (volt. to volt.)",
        "Phase U-I (volt. to current)",
        "Frequency",
        "Apparent power",
        "Reserved for alternate non-metric unit system",
        "Value at base conditions",
        "Value during lower (u= 0), upper (u = 1) limit exceed",
        "Leakage values",
        "Overflow values",
    };
    return list;
}

const std::vector<std::string>& Frames_List()
{
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l;
        for (int i = 1; i <= 250; ++i) l.push_back(std::to_string(i));
        return l;
    }();
    return list;
}

const std::vector<std::string>& Variables_List_List()
{
    static const std::vector<std::string> list = {"By Type", "By Position"};
    return list;
}

const std::vector<std::string>& MBus_Type_List()
{
    static const std::vector<std::string> list = {"wM-Bus", "M-Bus on wires"};
    return list;
}

const std::vector<std::string>& Node_Attribute_Order()
{
    static const std::vector<std::string> order = [] {
        std::vector<std::string> o = {"Enable_Node",   "ID_Primary",  "ID_Secondary", "Descrizione",   "Send_SND_NKE",
                                      "Reset_App",     "Node_State",  "Ident_Num",    "BCDtoINT_IN",   "Swap_IN",
                                      "Node_ID_Type",  "Var_List_Type", "Cut_After",  "NS_Topic",      "IN_Topic",
                                      "Access_Number", "AN_Topic",    "IN_VarType",   "MBus_Type",     "wMBus_ManID",
                                      "wMBus_Add",     "wMBus_Ver",   "wMBus_DevType", "wMBus_En_Key"};
        for (int k = 1; k <= 16; ++k) o.push_back("wMBus_Key_" + std::to_string(k));
        o.push_back("wMBus_RSSI");
        o.push_back("wMBus_RSSI_Topic");
        return o;
    }();
    return order;
}

const std::vector<std::string>& Variable_Attribute_Order()
{
    static const std::vector<std::string> order = {"Enable",   "Desc",      "Type",   "Fun_Field", "Dim",
                                                   "Unit",     "StoNumber", "Tariff", "VIFE",      "BCDtoINT",
                                                   "VIF_ASCII", "Length",   "Position", "Topic",   "Post_Operation"};
    return order;
}

// --- reading ----------------------------------------------------------------------------------

namespace {

// Reads the attributes of one element, noting the first required one that
// is missing or not a number together with its place.
class TAttributeReader {
public:
    TAttributeReader(const std::string& file, pugi::xml_node element, int node, int variable)
        : file_(file), element_(element), node_(node), variable_(variable)
    {
    }

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

    // A whole number; def when missing or not a number.
    std::int32_t Int(const char* name, std::int32_t def) const
    {
        std::int32_t v;
        const pugi::xml_attribute a = element_.attribute(name);
        return a && UComon::Try_Whole_Number(a.value(), v) ? v : def;
    }
    // A whole number that must be there (0 after a failure).
    std::int32_t Required_Int(const char* name)
    {
        const pugi::xml_attribute a = element_.attribute(name);
        std::int32_t v = 0;
        if (Failed()) return 0;
        if (!a)
            Fail(name, "is missing");
        else if (!UComon::Try_Whole_Number(a.value(), v))
            Fail(name, std::string("is not a number (\"") + a.value() + "\")");
        return v;
    }
    std::string Text(const char* name) const { return element_.attribute(name).value(); }
    std::string Required_Text(const char* name)
    {
        const pugi::xml_attribute a = element_.attribute(name);
        if (!a && !Failed()) Fail(name, "is missing");
        return a.value();
    }
    // Present, with exactly this text.
    bool Is(const char* name, const char* text) const
    {
        const pugi::xml_attribute a = element_.attribute(name);
        return a && std::string(a.value()) == text;
    }
    // 0..0xFFFFFFFF; anything else 0.
    std::uint32_t Unsigned32(const char* name) const
    {
        std::int64_t v;
        const pugi::xml_attribute a = element_.attribute(name);
        if (!a || !UComon::Try_Whole_Number(a.value(), v) || v < 0 || v > 0xFFFFFFFFll) return 0;
        return static_cast<std::uint32_t>(v);
    }

private:
    void Fail(const char* name, const std::string& what)
    {
        error_ = file_ + ": node " + std::to_string(node_);
        if (std::string(element_.name()) != (variable_ > 0 ? "Variabile" : "Nodo"))
            error_ += std::string(" (element \"") + element_.name() + "\")";
        if (variable_ > 0) error_ += ", variable " + std::to_string(variable_);
        error_ += std::string(": attribute \"") + name + "\" " + what;
    }

    const std::string& file_;
    pugi::xml_node element_;
    int node_, variable_;
    std::string error_;
};

std::uint8_t Byte(std::int32_t v) { return static_cast<std::uint8_t>(v); }

} // namespace

TNetworkReadResult Read_MBus_Network(const std::string& path, TNodoList& nodes)
{
    nodes.clear();
    TNetworkReadResult result;
    TXmlDocument doc;
    switch (doc.LoadFromFile(path)) {
    case TXmlLoad::Missing:
        result.Result = TNetworkRead::Missing;
        return result;
    case TXmlLoad::Unreadable:
        result.Result = TNetworkRead::Unreadable;
        result.Error = path + ": " + doc.LoadError();
        return result;
    case TXmlLoad::Read:
        break;
    }
    result.Result = TNetworkRead::Read;
    int nodeNumber = 0;
    for (pugi::xml_node e = doc.Root().first_child(); e; e = e.next_sibling()) {
        if (e.type() != pugi::node_element) continue;
        ++nodeNumber;
        TAttributeReader r(path, e, nodeNumber, 0);
        TNodo n;
        n.Enable = !r.Is("Enable_Node", "0");
        n.Description = r.Required_Text("Descrizione");
        if (r.Failed()) {
            result.Result = TNetworkRead::Stopped;
            result.Error = r.Error();
            return result;
        }
        n.Node_ID_Type = Byte(r.Int("Node_ID_Type", 0));
        std::int32_t id;
        const pugi::xml_attribute idAttribute = e.attribute("ID");
        if (idAttribute && UComon::Try_Whole_Number(idAttribute.value(), id)) {
            n.Node_ID_Primary = n.Node_ID_Type != 0 ? 1 : id;
            n.Node_ID_Secondary = n.Node_ID_Type != 0 ? id : 1;
        } else {
            n.Node_ID_Primary = r.Int("ID_Primary", 1);
            n.Node_ID_Secondary = r.Int("ID_Secondary", 1);
        }
        n.Send_SNK = Byte(r.Int("Send_SND_NKE", 0));
        n.Reset_App = Byte(r.Int("Reset_App", 0));
        n.Node_State = Byte(r.Int("Node_State", 0));
        n.Ident_Num = Byte(r.Int("Ident_Num", 0));
        n.BCDtoINT_IN = Byte(r.Int("BCDtoINT_IN", 0));
        n.Swap_Ident = r.Int("Swap_IN", 0);
        n.Var_List_Type = Byte(r.Int("Var_List_Type", 0));
        n.Cut_After = Byte(r.Int("Cut_After", 0));
        n.NS_Topic = r.Int("NS_Topic", 0);
        n.IN_Topic = r.Int("IN_Topic", 0);
        n.Access_Number = Byte(r.Int("Access_Number", 0));
        n.AN_Topic = r.Int("AN_Topic", 0);
        n.MBus_Type = Byte(r.Int("MBus_Type", 1));
        n.wMBus_ManID = r.Text("wMBus_ManID");
        n.wMBus_Add = r.Text("wMBus_Add");
        n.wMBus_Ver = r.Text("wMBus_Ver");
        n.wMBus_DevType = r.Text("wMBus_DevType");
        n.wMBus_En_Key = Byte(r.Int("wMBus_En_Key", 0));
        for (int k = 0; k < 16; ++k)
            n.wMBus_Key[static_cast<size_t>(k)] = r.Text(("wMBus_Key_" + std::to_string(k + 1)).c_str());
        n.wMBus_RSSI = Byte(r.Int("wMBus_RSSI", 0));
        n.wMBus_RSSI_Topic = r.Int("wMBus_RSSI_Topic", 0);
        nodes.push_back(std::move(n));
        TNodo& node = nodes.back();

        int variableNumber = 0;
        for (pugi::xml_node ve = e.first_child(); ve; ve = ve.next_sibling()) {
            if (ve.type() != pugi::node_element) continue;
            ++variableNumber;
            TAttributeReader vr(path, ve, nodeNumber, variableNumber);
            TVariabile v;
            v.Enable = vr.Is("Enable", "1");
            v.Description = vr.Required_Text("Desc");
            v.Type_Of_Data = vr.Required_Int("Type");
            v.Function_Field = vr.Required_Int("Fun_Field");
            v.Dimension = vr.Required_Int("Dim");
            if (vr.Failed()) {
                result.Result = TNetworkRead::Stopped;
                result.Error = vr.Error();
                return result;
            }
            v.Unita = vr.Int("Unit", 0);
            v.Storage_Number = vr.Unsigned32("StoNumber");
            v.Tariff = vr.Int("Tariff", 0);
            v.VIFE = Byte(vr.Int("VIFE", 0));
            v.BCDtoINT = vr.Is("BCDtoINT", "1");
            v.VIF_ASCII = vr.Text("VIF_ASCII");
            v.Length = vr.Int("Length", 0);
            v.Position = Byte(vr.Int("Position", 1));
            v.Topic = vr.Int("Topic", 0);
            v.Post_Operation = Byte(vr.Int("Post_Operation", 0));
            node.Var_List.push_back(std::move(v));
        }
    }
    return result;
}

// --- writing ----------------------------------------------------------------------------------

namespace {

const char* Flag(bool v) { return v ? "1" : "0"; }

void Set(pugi::xml_node e, const char* name, const std::string& value) { e.append_attribute(name) = value.c_str(); }
void Set(pugi::xml_node e, const char* name, long long value) { Set(e, name, std::to_string(value)); }

} // namespace

bool Write_MBus_Network(const std::string& path, const TNodoList& nodes, std::string& error)
{
    TXmlDocument doc;
    pugi::xml_node root = doc.NewDocument(kMBusNetworkRoot);
    doc.AddDocumentComment(std::string("SW_VERSION = ") + kMBusNetworkVersion);
    for (const TNodo& n : nodes) {
        pugi::xml_node e = root.append_child("Nodo");
        Set(e, "Enable_Node", Flag(n.Enable));
        Set(e, "ID_Primary", n.Node_ID_Primary);
        Set(e, "ID_Secondary", n.Node_ID_Secondary);
        Set(e, "Descrizione", n.Description);
        Set(e, "Send_SND_NKE", n.Send_SNK);
        Set(e, "Reset_App", n.Reset_App);
        Set(e, "Node_State", n.Node_State);
        Set(e, "Ident_Num", n.Ident_Num);
        Set(e, "BCDtoINT_IN", n.BCDtoINT_IN);
        Set(e, "Swap_IN", n.Swap_Ident);
        Set(e, "Node_ID_Type", n.Node_ID_Type);
        Set(e, "Var_List_Type", n.Var_List_Type);
        Set(e, "Cut_After", n.Cut_After);
        Set(e, "NS_Topic", n.NS_Topic);
        Set(e, "IN_Topic", n.IN_Topic);
        Set(e, "Access_Number", n.Access_Number);
        Set(e, "AN_Topic", n.AN_Topic);
        Set(e, "IN_VarType", "0");
        Set(e, "MBus_Type", n.MBus_Type);
        Set(e, "wMBus_ManID", n.wMBus_ManID);
        Set(e, "wMBus_Add", n.wMBus_Add);
        Set(e, "wMBus_Ver", n.wMBus_Ver);
        Set(e, "wMBus_DevType", n.wMBus_DevType);
        Set(e, "wMBus_En_Key", n.wMBus_En_Key);
        for (int k = 0; k < 16; ++k)
            Set(e, ("wMBus_Key_" + std::to_string(k + 1)).c_str(), n.wMBus_Key[static_cast<size_t>(k)]);
        Set(e, "wMBus_RSSI", n.wMBus_RSSI);
        Set(e, "wMBus_RSSI_Topic", n.wMBus_RSSI_Topic);
        for (const TVariabile& v : n.Var_List) {
            pugi::xml_node ve = e.append_child("Variabile");
            Set(ve, "Enable", Flag(v.Enable));
            Set(ve, "Desc", v.Description);
            Set(ve, "Type", v.Type_Of_Data);
            Set(ve, "Fun_Field", v.Function_Field);
            Set(ve, "Dim", v.Dimension);
            Set(ve, "Unit", v.Unita);
            Set(ve, "StoNumber", v.Storage_Number);
            Set(ve, "Tariff", v.Tariff);
            Set(ve, "VIFE", v.VIFE);
            Set(ve, "BCDtoINT", Flag(v.BCDtoINT));
            Set(ve, "VIF_ASCII", v.VIF_ASCII);
            Set(ve, "Length", v.Length);
            Set(ve, "Position", v.Position);
            Set(ve, "Topic", v.Topic);
            Set(ve, "Post_Operation", v.Post_Operation);
        }
    }
    if (!doc.SaveToFile(path)) {
        error = path + ": the file could not be written";
        return false;
    }
    return true;
}
