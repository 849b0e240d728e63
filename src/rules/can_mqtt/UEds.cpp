#include "rules/can_mqtt/UEds.h"

#include "core/UComon.h"
#include "core/UProgram.h"
#include "core/UWholeNumber.h"
#include "platform/DateUtils.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"

#include <algorithm>
#include <cstdio>

namespace UEds {

namespace {

const char* const RxPDO_Var_Names[30] = {"b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",
                                         "aa", "ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "al",
                                         "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char* const TxPDO_Var_Names[30] = {"l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",
                                         "ca", "cb", "cc", "cd", "ce", "cf", "cg", "ch", "ci", "cl",
                                         "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

std::string Hex(uint32_t v, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, v);
    return buf;
}
std::string Hex2(uint32_t v) { return Hex(v & 0xFF, 2); }
std::string Hex4(uint32_t v) { return Hex(v & 0xFFFF, 4); }
std::string Hex8(uint32_t v) { return Hex(v, 8); }
std::string Dec(long long v) { return std::to_string(v); }

std::string Head(uint32_t index) { return "[" + Hex4(index) + "]"; }
std::string Head(uint32_t index, uint32_t sub) { return "[" + Hex4(index) + "sub" + Hex(sub, 1) + "]"; }

// The lines of one object: the key=value pairs whose value is not empty.
struct TObject {
    const char* name;
    const char* type;
    const char* data;
    const char* access;
    const char* def;
    const char* mapping;
};

class TLines {
public:
    void Add(const std::string& s) { lines_.push_back(s); }
    // A section with its lines and the empty line that ends it.
    void Block(const std::string& head, std::initializer_list<std::string> lines)
    {
        Add(head);
        for (const std::string& l : lines) Add(l);
        Add("");
    }
    void Object(const std::string& head, const TObject& o, const char* subNumber = nullptr)
    {
        Add(head);
        if (subNumber) Add(std::string("SubNumber=") + subNumber);
        Add(std::string("ParameterName=") + o.name);
        Add(std::string("ObjectType=") + o.type);
        if (*o.data) Add(std::string("DataType=") + o.data);
        if (*o.access) Add(std::string("AccessType=") + o.access);
        if (*o.def) Add(std::string("DefaultValue=") + o.def);
        if (*o.mapping) Add(std::string("PDOMapping=") + o.mapping);
        Add("");
    }
    std::vector<std::string> lines_;
};

void Read_PDO_Section(pugi::xml_node section, TEds_Data& data, int first, int& count)
{
    count = 0;
    for (pugi::xml_node row : section.children()) {
        if (row.type() != pugi::node_element) continue;
        if (count >= 30) break;
        TPDO_Entry& e = data.PDO_List[first + count];
        e.COB_ID = static_cast<uint32_t>(UComon::Whole_Number_Def(row.attribute("COB-ID").value(), 0));
        e.Dimension = std::clamp(UComon::Whole_Number_Def(row.attribute("Dimension").value(), 8), 0, 8);
        ++count;
    }
}

void Add_Sub(TEds_Data& data, uint16_t index, SDO_Sub_Type sub)
{
    const int i = Find_SDO_Index(data, index);
    if (i < 0) {
        data.SDO_List.push_back({index, {sub}});
        return;
    }
    // Two sections with the same head would make the file unreadable: an
    // object named again is written once, read-write when any naming is on
    // the write page.
    std::vector<SDO_Sub_Type>& subs = data.SDO_List[static_cast<size_t>(i)].Sub_Indexs;
    for (SDO_Sub_Type& s : subs)
        if (s.Sub == sub.Sub) {
            s.Readonly = s.Readonly && sub.Readonly;
            return;
        }
    subs.push_back(sub);
}

// The fixed objects, in the order the file writes them.
constexpr uint16_t Fixed_Objects[] = {0x1000, 0x1001, 0x1005, 0x1006, 0x1008, 0x1014,
                                      0x1016, 0x1017, 0x1018, 0x1029, 0x1280};
// The first index of each PDO object run (30 PDOs at most).
constexpr uint16_t PDO_Runs[] = {0x1400, 0x1600, 0x1800, 0x1A00, 0x7000, 0x7050};

} // namespace

bool Reserved_Index(uint32_t index)
{
    for (uint16_t f : Fixed_Objects)
        if (index == f) return true;
    for (uint16_t run : PDO_Runs)
        if (index >= run && index < run + 30u) return true;
    return false;
}

void Load_PDO_CANopen(TEds_Data& data, const std::string& path)
{
    data.Num_RxPDO = data.Num_TxPDO = 0;
    TXmlDocument doc;
    if (path.empty() || doc.LoadFromFile(path) != TXmlLoad::Read) return;
    Read_PDO_Section(ChildElement(doc.Root(), "Receive_PDO"), data, 0, data.Num_RxPDO);
    Read_PDO_Section(ChildElement(doc.Root(), "Transmit_PDO"), data, 30, data.Num_TxPDO);
}

void Load_SDO_Server_CANopen(TEds_Data& data, const std::string& path)
{
    TXmlDocument doc;
    if (path.empty() || doc.LoadFromFile(path) != TXmlLoad::Read) return;
    for (const char* section : {"SDO_Read", "SDO_Write"}) {
        const bool read = section[4] == 'R';
        for (pugi::xml_node row : ChildElement(doc.Root(), section).children()) {
            if (row.type() != pugi::node_element) continue;
            const int32_t index = UComon::Whole_Number(row.attribute("Index").value());
            const int32_t sub = UComon::Whole_Number(row.attribute("SubIndex").value());
            if (index < 0 || index > 0xFFFF || sub < 0 || sub > 0xFF) continue;
            if (Reserved_Index(static_cast<uint32_t>(index))) {
                std::vector<uint16_t>& out = data.Reserved_Left_Out;
                if (std::find(out.begin(), out.end(), index) == out.end()) out.push_back(static_cast<uint16_t>(index));
                continue;
            }
            const int32_t n = UComon::Whole_Number(row.attribute("NByte").value());
            SDO_Sub_Type s;
            s.Sub = static_cast<uint8_t>(sub);
            s.Quantity = static_cast<uint8_t>(n >= 0 && n <= 0xFF ? n : 0);
            s.Readonly = read;
            Add_Sub(data, static_cast<uint16_t>(index), s);
        }
    }
}

int Find_SDO_Index(const TEds_Data& data, uint16_t index)
{
    for (size_t i = 0; i < data.SDO_List.size(); ++i)
        if (data.SDO_List[i].Index == index) return static_cast<int>(i);
    return -1;
}

void Sort_SDO_Sub_Indexs(TEds_Data& data)
{
    for (SDO_Index& e : data.SDO_List)
        std::stable_sort(e.Sub_Indexs.begin(), e.Sub_Indexs.end(),
                         [](const SDO_Sub_Type& a, const SDO_Sub_Type& b) { return a.Sub < b.Sub; });
}

std::string EDS_Time_Text(int hour, int minute)
{
    const int h12 = hour % 12 == 0 ? 12 : hour % 12;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d%s", h12, minute, hour < 12 ? "AM" : "PM");
    return buf;
}

std::string EDS_Date_Text(int year, int month, int day)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", month, day, year);
    return buf;
}

std::vector<std::string> EDS_Lines(const TEds_Data& data, const TEds_Time& t)
{
    const int R = data.Num_RxPDO, T = data.Num_TxPDO;
    const std::string time = EDS_Time_Text(t.hour, t.minute);
    const std::string date = EDS_Date_Text(t.year, t.month, t.day);
    const std::string maker = Maker_Web_Host;
    TLines out;
    out.Block("[FileInfo]", {std::string("FileName=") + EDS_File_Name, "FileVersion=1", "FileRevision=0",
                             "EDSVersion=4.0", std::string("Description=") + EDS_Description,
                             "CreationTime=" + time, "CreationDate=" + date, "CreatedBy=" + maker,
                             "ModificationTime=" + time, "ModificationDate=" + date, "ModifiedBy=" + maker});
    out.Block("[DeviceInfo]",
              {"VendorName=" + maker, "VendorNumber=0x00", std::string("ProductName=") + EDS_Description,
               std::string("ProductNumber=") + EDS_Product_Number, "RevisionNumber=0x0",
               std::string("OrderCode=") + EDS_Order_Code, "BaudRate_10=1", "BaudRate_20=1", "BaudRate_50=1",
               "BaudRate_125=1", "BaudRate_250=1", "BaudRate_500=1", "BaudRate_800=0", "BaudRate_1000=1",
               "DynamicChannelsSupported=0", "GroupMessaging=0", "LSS_Supported=0", "Granularity=0",
               "SimpleBootUpSlave=1", "SimpleBootUpMaster=0", "NrOfRXPDO=" + Dec(R), "NrOfTXPDO=" + Dec(T)});
    out.Block("[Comments]", {"Lines=0"});
    out.Block("[DummyUsage]", {"Dummy0001=0", "Dummy0002=0", "Dummy0003=0", "Dummy0004=0", "Dummy0005=0",
                               "Dummy0006=0", "Dummy0007=0"});
    out.Block("[MandatoryObjects]", {"SupportedObjects=3", "1=0x1000", "2=0x1001", "3=0x1018"});

    out.Add("[OptionalObjects]");
    out.Add("SupportedObjects=" + Dec(3 * R + 3 * T + 8));
    int k = 0;
    for (const char* o : {"0x1005", "0x1006", "0x1008", "0x1014", "0x1016", "0x1017", "0x1029", "0x1280"})
        out.Add(Dec(++k) + "=" + o);
    auto list = [&](uint32_t base, int count) {
        for (int n = 0; n < count; ++n) out.Add(Dec(++k) + "=0x" + Hex4(base + static_cast<uint32_t>(n)));
    };
    list(0x1400, R);
    list(0x1600, R);
    list(0x1800, T);
    list(0x1A00, T);
    list(0x7000, R);
    list(0x7050, T);
    out.Add("");

    out.Add("[ManufacturerObjects]");
    out.Add("SupportedObjects=" + Dec(static_cast<long long>(data.SDO_List.size())));
    k = 0;
    for (const SDO_Index& e : data.SDO_List) out.Add(Dec(++k) + "=0x" + Hex4(e.Index));
    out.Add("");

    // Fixed objects.
    out.Object("[1000]", {"Device Type", "0x07", "0x0007", "const", "0x000101A4", "0"});
    out.Object("[1001]", {"Error Register", "0x07", "0x0005", "ro", "0x00", "0"});
    out.Object("[1005]", {"COB-ID SYNC", "0x07", "0x0007", "rw", "0x80000080", "0"});
    out.Object("[1006]", {"Communication Cycle Period", "0x07", "0x0007", "rw", "0x00000000", "0"});
    out.Object("[1008]", {"Manufacturer Device Name", "0x07", "0x0009", "const", "s1", "0"});
    out.Object("[1014]", {"COB-ID EMCY", "0x07", "0x0007", "ro", "$NODEID+0x80", "0"});
    out.Object("[1016]", {"Heartbeat Consumer Entries", "0x08", "", "", "", ""}, "3");
    out.Object("[1016sub0]", {"Number of Entries", "0x07", "0x0005", "ro", "0x02", "0"});
    out.Object("[1016sub1]", {"Consumer Heartbeat Time 1", "0x07", "0x0007", "rw", "0x00000000", "0"});
    out.Object("[1016sub2]", {"Consumer Heartbeat Time 2", "0x07", "0x0007", "rw", "0x00000000", "0"});
    out.Object("[1017]", {"Producer Heartbeat Time", "0x07", "0x0006", "rw", "0x000003E8", "0"});
    out.Object("[1018]", {"Identity Object", "0x09", "", "", "", ""}, "5");
    out.Object("[1018sub0]", {"number of entries", "0x07", "0x0005", "ro", "0x4", "0"});
    out.Object("[1018sub1]", {"Vendor Id", "0x07", "0x0007", "ro", "", "0"});
    out.Object("[1018sub2]", {"Product Code", "0x07", "0x0007", "ro", "", "0"});
    out.Object("[1018sub3]", {"Revision number", "0x07", "0x0007", "ro", "", "0"});
    out.Object("[1018sub4]", {"Serial number", "0x07", "0x0007", "ro", "", "0"});
    out.Object("[1029]", {"Error Behaviour", "0x08", "", "", "", ""}, "2");
    out.Object("[1029sub0]", {"Number of Entries", "0x07", "0x0005", "ro", "1", "0"});
    out.Object("[1029sub1]", {"Communication Error", "0x07", "0x0005", "rw", "0x0", "0"});
    out.Object("[1280]", {"Client SDO Parameter 1", "0x09", "", "", "", ""}, "4");
    out.Object("[1280sub0]", {"Number of Entries", "0x07", "0x0005", "ro", "0x03", "0"});
    out.Object("[1280sub1]", {"COB-ID Client -> Server", "0x07", "0x0007", "rw", "", "0"});
    out.Object("[1280sub2]", {"COB-ID Server -> Client", "0x07", "0x0007", "rw", "", "0"});
    out.Object("[1280sub3]", {"Node ID of the SDO Server", "0x07", "0x0005", "rw", "", "0"});

    // PDO communication parameters.
    auto communication = [&](uint32_t x, const std::string& name, const TPDO_Entry& p) {
        out.Block(Head(x), {"SubNumber=4", "ParameterName=" + name, "ObjectType=0x09"});
        out.Block(Head(x, 0), {"ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005",
                               "AccessType=ro", "DefaultValue=0x03", "PDOMapping=0"});
        out.Block(Head(x, 1), {"ParameterName=COB-ID", "ObjectType=0x07", "DataType=0x0007", "AccessType=rw",
                               "DefaultValue=0x" + Hex8(p.COB_ID), "PDOMapping=0"});
        out.Block(Head(x, 2), {"ParameterName=Transmission Type", "ObjectType=0x07", "DataType=0x0005",
                               "AccessType=rw", "DefaultValue=0xFE", "PDOMapping=0"});
        out.Block(Head(x, 3), {"ParameterName=Inhibit Time", "ObjectType=0x07", "DataType=0x0006",
                               "AccessType=rw", "DefaultValue=0x0", "PDOMapping=0"});
    };
    auto mapping = [&](uint32_t m, uint32_t v, const std::string& name, int d) {
        out.Block(Head(m), {"SubNumber=" + Dec(d + 1), "ParameterName=" + name, "ObjectType=0x09"});
        out.Block(Head(m, 0), {"ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005",
                               "AccessType=ro", "DefaultValue=0x" + Hex2(static_cast<uint32_t>(d)), "PDOMapping=0"});
        for (int j = 1; j <= d; ++j)
            out.Block(Head(m, static_cast<uint32_t>(j)),
                      {"ParameterName=Mapping Entry " + Dec(j), "ObjectType=0x07", "DataType=0x0007",
                       "AccessType=ro", "DefaultValue=0x" + Hex4(v) + Hex2(static_cast<uint32_t>(j)) + "08",
                       "PDOMapping=0"});
    };
    for (int n = 0; n < R; ++n)
        communication(0x1400 + static_cast<uint32_t>(n), "Receive PDO Communication Parameter " + Dec(n + 1),
                      data.PDO_List[n]);
    for (int n = 0; n < R; ++n)
        mapping(0x1600 + static_cast<uint32_t>(n), 0x7000 + static_cast<uint32_t>(n),
                "Receive PDO Mapping Parameter", data.PDO_List[n].Dimension);
    for (int n = 0; n < T; ++n)
        communication(0x1800 + static_cast<uint32_t>(n), "Transmit PDO Communication Parameter " + Dec(n + 1),
                      data.PDO_List[30 + n]);
    for (int n = 0; n < T; ++n)
        mapping(0x1A00 + static_cast<uint32_t>(n), 0x7050 + static_cast<uint32_t>(n),
                "Transmit PDO Mapping Parameter " + Dec(n + 1), data.PDO_List[30 + n].Dimension);

    // The mapped objects: one byte variable per mapped byte.
    auto mapped = [&](uint32_t v, bool receive, int n, int d) {
        out.Block(Head(v), {"SubNumber=" + Dec(d + 1), std::string("ParameterName=") + (receive ? "RPDO" : "TPDO") +
                                                         Dec(n + 1), "ObjectType=0x08"});
        out.Block(Head(v, 0), {"ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005",
                               receive ? "AccessType=ro" : "AccessType=rw",
                               "DefaultValue=0x" + Hex2(static_cast<uint32_t>(d)), "PDOMapping=0"});
        for (int j = 1; j <= d; ++j)
            out.Block(Head(v, static_cast<uint32_t>(j)),
                      {std::string("ParameterName=") + (receive ? RxPDO_Var_Names[n] : TxPDO_Var_Names[n]) + Dec(j),
                       "ObjectType=0x07", "DataType=0x0005", receive ? "AccessType=rww" : "AccessType=rwr",
                       "DefaultValue=0x00", "PDOMapping=1"});
    };
    for (int n = 0; n < R; ++n) mapped(0x7000 + static_cast<uint32_t>(n), true, n, data.PDO_List[n].Dimension);
    for (int n = 0; n < T; ++n) mapped(0x7050 + static_cast<uint32_t>(n), false, n, data.PDO_List[30 + n].Dimension);

    // Manufacturer objects.
    for (const SDO_Index& e : data.SDO_List) {
        const std::vector<SDO_Sub_Type>& s = e.Sub_Indexs;
        const bool sub0 = s.front().Sub != 0;
        const long long count = static_cast<long long>(s.size());
        out.Block(Head(e.Index), {"SubNumber=" + Dec(sub0 ? count + 1 : count), "ParameterName=App Vars",
                                  "ObjectType=0x9"});
        if (sub0)
            out.Block(Head(e.Index, 0), {"ParameterName=Largest Sub-Index supported", "ObjectType=0x7",
                                         "DataType=0x0005", "AccessType=ro", "DefaultValue=0x" + Hex2(s.back().Sub),
                                         "PDOMapping=0"});
        for (const SDO_Sub_Type& v : s) {
            out.Add(Head(e.Index, v.Sub));
            out.Add("ParameterName=Application Variable");
            out.Add("ObjectType=0x7");
            if (v.Quantity == 1) {
                for (const char* l : {"DataType=0x0005", "LowLimit=0x00", "HighLimit=0xFF", "DefaultValue=0x00"})
                    out.Add(l);
            } else if (v.Quantity == 2) {
                for (const char* l : {"DataType=0x0006", "LowLimit=0x0000", "HighLimit=0xFFFF", "DefaultValue=0x0000"})
                    out.Add(l);
            } else {
                for (const char* l : {"DataType=0x0007", "LowLimit=0x00000000", "HighLimit=0xFFFFFFFF",
                                      "DefaultValue=0x00000000"})
                    out.Add(l);
            }
            out.Add(v.Readonly ? "AccessType=ro" : "AccessType=rw");
            out.Add("PDOMapping=0");
            out.Add("");
        }
    }
    return out.lines_;
}

bool Create_EDS_File(const std::string& fileName)
{
    TEds_Data data;
    Load_PDO_CANopen(data, UComon::File_PDO_CANopen);
    Load_SDO_Server_CANopen(data, UComon::File_SDO_Server_CANopen);
    Sort_SDO_Sub_Indexs(data);
    TEds_Time t{};
    const TDateTime now = Now();
    int sec, msec;
    DecodeDate(now, t.year, t.month, t.day);
    DecodeTime(now, t.hour, t.minute, sec, msec);
    std::string text;
    for (const std::string& l : EDS_Lines(data, t)) text += l + "\r\n";
    if (!WriteFileAtomic(fileName, text)) {
        ShowError("The file could not be written:\n" + fileName);
        return false;
    }
    if (!data.Reserved_Left_Out.empty()) {
        std::string list;
        for (uint16_t index : data.Reserved_Left_Out) list += (list.empty() ? "0x" : ", 0x") + Hex4(index);
        MessageDlg("The EDS file was written without the SDO server objects of \"" +
                       ExtractFileName(UComon::File_SDO_Server_CANopen) + "\" at " + list +
                       ": these indexes belong to objects of the EDS file's own.",
                   TMsgDlgType::mtWarning, TMsgDlgButtons::mbOK);
    }
    return true;
}

} // namespace UEds
