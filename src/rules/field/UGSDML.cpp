#include "rules/field/UGSDML.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UWholeNumber.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"
#include "platform/XmlDoc.h"
#include "rules/field/USideFile.h"

#include <iterator>
#include <tuple>
#include <utility>

using ULanguage::Text;

namespace UGSDML {

namespace {

using TAttrs = std::vector<std::pair<std::string, std::string>>;

// The lines of an XML text, one start tag, element, comment or end tag a
// line, indented with tabs by depth.
class TXmlLines {
public:
    void Open(const std::string& tag, const TAttrs& attrs = {})
    {
        Add("<" + tag + Attrs(attrs) + ">");
        ++depth_;
        open_.push_back(tag);
    }
    void Close()
    {
        --depth_;
        Add("</" + open_.back() + ">");
        open_.pop_back();
    }
    void Leaf(const std::string& tag, const TAttrs& attrs) { Add("<" + tag + Attrs(attrs) + "/>"); }
    void Text(const std::string& tag, const std::string& text) { Add("<" + tag + ">" + text + "</" + tag + ">"); }
    void Comment(const std::string& text) { Add("<!--" + text + "-->"); }
    void Add(const std::string& line) { lines.push_back(std::string(static_cast<size_t>(depth_), '\t') + line); }
    std::vector<std::string> lines;

private:
    static std::string Attrs(const TAttrs& attrs)
    {
        std::string s;
        for (const auto& [name, value] : attrs) s += " " + name + "=\"" + value + "\"";
        return s;
    }
    int depth_ = 0;
    std::vector<std::string> open_;
};

// The external texts, in their order.
const std::pair<const char*, const char*> External_Texts[] = {
    {"IDT_INFO_Device", "Quembo Gateways"},
    {"IDT_NAME_DAP1", "VODDevice"},
    {"IDT_INFO_DAP1", "Profinet VOD Adapter"},
    {"IDT_SUBSLOT_1", "Subslot 1"},
    {"IDT_SUBSLOT_Interface", "Interface"},
    {"IDT_SUBSLOT_Port1", "Port 1"},
    {"IDT_SUBSLOT_Port2", "Port 2"},
    {"IDT_RECORD_NAME_Head", "Parameters of head module"},
    {"IDT_REF_Power", "Percent power"},
    {"IDT_NAME_VS1", "Submodule V1"},
    {"IDT_INFO_VS1", "Description of submodule V1"},
    {"IDT_NAME_IS", "I"},
    {"IDT_NAME_PS1", "P1"},
    {"IDT_NAME_PS2", "P2"},
    {"IDT_NAME_M1", "Module"},
    {"IDT_INFO_M1", "device VOD"},
    {"IDT_NAME_FAP", "FAP for VOD"},
    {"IDT_INFO_FAP", "Description of FAP for VOD"},
    {"IDT_RECORD_NAME_SlotCluster", "Parameters of the FAP"},
    {"IDT_REF_SlotClusterBegin", "Beginning of slot cluster"},
    {"IDT_NAME_M_PB1", "VOD Device "},
    {"IDT_INFO_M_PB1", "Description of VOD"},
    {"IDT_NAME_S_PB1", "Module of a VOD"},
    {"IDT_INFO_S_PB1", "Description of module of a VOD"},
    {"IDT_PB_Input", "Digital input VOD"},
    {"IDT_PB_InputBit0", "Digital input bit VOD"},
    {"IDT_NAME_S1", "Submodule 1"},
    {"IDT_INFO_S1", "Description of submodule 1"},
    {"IDT_Input_1", "Input byte"},
    {"IDT_Output_1", "Output word"},
    {"IDT_CATEGORY_DI", "Digital Input"},
    {"IDT_INFO_DI", "Description of digital input"},
    {"IDT_CATEGORY_DO", "Digital output"},
    {"IDT_INFO_DO", "Description of digital output"},
    {"IDT_NAME_M1_IDT_REF_channel", "Canale x"},
    {"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"},
    {"IDT_NAME_M1_Base_Parameters", "Base Parameters"},
    {"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"},
    {"IDT_ASSIGN_do_values_will_hold", "Keep last value"},
    {"IDT_ASSIGN_do_continue_counting", "Continue operation"},
};
// The last texts carry Value before TextId.
constexpr size_t Value_First_From = std::size(External_Texts) - 3;

const std::string Namespace = "http://www.profibus.com/GSDML/2003/11/DeviceProfile";

} // namespace

TProfinet_Param Read_PROFINET_Param(const std::string& parGenFile, int32_t defaultLength)
{
    TProfinet_Param p;
    p.Input_Length = p.Output_Length = defaultLength;
    TXmlDocument doc;
    if (parGenFile.empty() || doc.LoadFromFile(parGenFile) != TXmlLoad::Read) return p;
    const pugi::xml_node root = doc.Root();
    const auto length = [&root, defaultLength](const char* key) {
        const pugi::xml_node node = ChildElement(root, key);
        return node ? UComon::Whole_Number_Def(ElementText(node), defaultLength) : defaultLength;
    };
    p.Output_Length = length("PROFINET_NB_IN");
    p.Input_Length = length("PROFINET_NB_OUT");
    p.Station_Name = ElementText(ChildElement(root, "PROFINET_NAME_STA"));
    return p;
}

TProfinet_Param Load_PROFINET_Param()
{
    TProfinet_Param p = Read_PROFINET_Param(UComon::File_ParGen, GSDML_Default_Length);
    if (Trim(p.Station_Name).empty()) p.Station_Name = Default_Station_Name;
    return p;
}

std::string Xml_Attribute_Text(const std::string& text)
{
    const WideString w = Utf8ToWide(text);
    std::string out;
    for (size_t i = 0; i < w.size(); ++i) {
        char32_t cp = w[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (w[++i] - 0xDC00);
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        switch (cp) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            if (cp == '\t' || cp == '\n' || cp == '\r' || cp >= 0x7F)
                out += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ";";
            else if (cp < 0x20)
                out += '?';
            else
                out += static_cast<char>(cp);
        }
    }
    return out;
}

std::vector<std::string> GSDML_Lines(const TProfinet_Param& param)
{
    const std::string station = Xml_Attribute_Text(param.Station_Name);
    TXmlLines x;
    x.Add("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
    x.Comment(" A fieldbus integration example. ");
    x.Open("ISO15745Profile", {{"xmlns", Namespace},
                               {"xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance"},
                               {"xsi:schemaLocation", Namespace + " ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd"}});
    x.Open("ProfileHeader");
    x.Text("ProfileIdentification", "PROFINET Device Profile");
    x.Text("ProfileRevision", "1.00");
    x.Text("ProfileName", "Device Profile for PROFINET Devices");
    x.Text("ProfileSource", "PROFIBUS Nutzerorganisation e. V. (PNO)");
    x.Text("ProfileClassID", "Device");
    x.Open("ISO15745Reference");
    x.Text("ISO15745Part", "4");
    x.Text("ISO15745Edition", "1");
    x.Text("ProfileTechnology", "GSDML");
    x.Close();
    x.Close();
    x.Open("ProfileBody");
    x.Open("DeviceIdentity", {{"VendorID", "0x2C7E"}, {"DeviceID", "0x03D6"}});
    x.Leaf("InfoText", {{"TextId", "IDT_INFO_Device"}});
    x.Leaf("VendorName", {{"Value", "Quembo"}});
    x.Close();
    x.Open("DeviceFunction");
    x.Leaf("Family", {{"MainFamily", "Gateway"}, {"ProductFamily", "QG41021"}});
    x.Close();
    x.Open("ApplicationProcess");
    x.Open("DeviceAccessPointList");
    x.Open("DeviceAccessPointItem",
           {{"PNIO_Version", "V2.3"},
            {"RequiredSchemaVersion", "V2.25"},
            {"ID", "IDD_1"},
            {"PhysicalSlots", "0..4"},
            {"ModuleIdentNumber", "0x00000001"},
            {"MinDeviceInterval", "64"},
            {"ImplementationType", station},
            {"DNS_CompatibleName", station},
            {"FixedInSlots", "0"},
            {"ObjectUUID_LocalIndex", "1"},
            {"MultipleWriteSupported", "true"},
            {"MaxSupportedRecordSize", "8192"},
            {"ParameterizationSpeedupSupported", "true"},
            {"PowerOnToCommReady", "350"},
            {"DeviceAccessSupported", "true"},
            {"SharedDeviceSupported", "true"},
            {"CheckDeviceID_Allowed", "false"},
            {"NameOfStationNotTransferable", "true"}});
    x.Open("ModuleInfo");
    x.Leaf("Name", {{"TextId", "IDT_NAME_DAP1"}});
    x.Leaf("InfoText", {{"TextId", "IDT_INFO_DAP1"}});
    x.Leaf("VendorName", {{"Value", "Quembo"}});
    x.Leaf("OrderNumber", {{"Value", "QG41021"}});
    x.Close();
    x.Open("SubslotList");
    for (const auto& [number, id] : {std::pair{"0", "IDT_SUBSLOT_1"}, std::pair{"32768", "IDT_SUBSLOT_Interface"},
                                     std::pair{"32769", "IDT_SUBSLOT_Port1"}, std::pair{"32770", "IDT_SUBSLOT_Port2"}})
        x.Leaf("SubslotItem", {{"SubslotNumber", number}, {"TextId", id}});
    x.Close();
    // The data area of the gateway, whatever the lengths.
    x.Leaf("IOConfigData", {{"MaxInputLength", "1440"}, {"MaxOutputLength", "1440"}, {"MaxDataLength", "2880"}});
    x.Open("UseableModules");
    x.Leaf("ModuleItemRef", {{"ModuleItemTarget", "IDM_1"}, {"FixedInSlots", "1"}});
    x.Close();
    x.Open("VirtualSubmoduleList");
    x.Open("VirtualSubmoduleItem", {{"ID", "IDS_V1"}, {"SubmoduleIdentNumber", "0x00000000"}});
    x.Leaf("IOData", {{"IOPS_Length", "1"}, {"IOCS_Length", "1"}});
    x.Open("ModuleInfo");
    x.Leaf("Name", {{"TextId", "IDT_NAME_VS1"}});
    x.Leaf("InfoText", {{"TextId", "IDT_INFO_VS1"}});
    x.Close();
    x.Close();
    x.Close();
    x.Open("SystemDefinedSubmoduleList");
    x.Open("InterfaceSubmoduleItem", {{"ID", "IDS_I"},
                                      {"SubmoduleIdentNumber", "0x00000001"},
                                      {"SubslotNumber", "32768"},
                                      {"TextId", "IDT_NAME_IS"},
                                      {"SupportedRT_Classes", "RT_CLASS_1"},
                                      {"SupportedProtocols", "SNMP;LLDP"},
                                      {"SupportedMibs", "MIB2"}});
    x.Open("ApplicationRelations");
    x.Leaf("TimingProperties", {{"SendClock", "32"}, {"ReductionRatio", "1 2 4 8 16 32 64 128 256 512"}});
    x.Close();
    x.Close();
    for (const auto& [id, number, textId, ident] :
         {std::tuple{"IDS_P1", "32769", "IDT_NAME_PS1", "0x00000002"},
          std::tuple{"IDS_P2", "32770", "IDT_NAME_PS2", "0x00000002"}})
        x.Leaf("PortSubmoduleItem", {{"ID", id},
                                     {"SubmoduleIdentNumber", ident},
                                     {"SubslotNumber", number},
                                     {"TextId", textId},
                                     {"MaxPortRxDelay", "350"},
                                     {"MaxPortTxDelay", "160"}});
    x.Close();
    x.Comment(" This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). ");
    x.Comment(" FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/");
    x.Close();
    x.Close();
    x.Open("ModuleList");
    x.Comment(" The \"normal\" module carrying the FAP. ");
    x.Open("ModuleItem", {{"ID", "IDM_1"}, {"ModuleIdentNumber", "0x00000001"}});
    x.Open("ModuleInfo");
    x.Leaf("Name", {{"TextId", "IDT_NAME_M1"}});
    x.Leaf("InfoText", {{"TextId", "IDT_INFO_M1"}});
    x.Leaf("OrderNumber", {{"Value", "12345-0040-M"}});
    x.Close();
    x.Open("VirtualSubmoduleList");
    x.Open("VirtualSubmoduleItem", {{"ID", "IDM_1"}, {"SubmoduleIdentNumber", "0x00000001"}});
    x.Open("IOData", {{"IOPS_Length", "1"}, {"IOCS_Length", "1"}});
    x.Open("Input");
    x.Leaf("DataItem", {{"DataType", "OctetString"},
                        {"Length", std::to_string(param.Input_Length)},
                        {"TextId", "IDT_Input_1"}});
    x.Close();
    x.Open("Output");
    x.Leaf("DataItem", {{"DataType", "OctetString"},
                        {"Length", std::to_string(param.Output_Length)},
                        {"TextId", "IDT_Output_1"}});
    x.Close();
    x.Close();
    x.Open("RecordDataList");
    x.Open("ParameterRecordDataItem", {{"Index", "128"}, {"Length", "2"}});
    x.Leaf("Name", {{"TextId", "IDT_NAME_M1_IDT_REF_channel"}});
    x.Leaf("Const", {{"ByteOffset", "0"}, {"Data", "0x00,0x00"}});
    x.Leaf("Ref", {{"TextId", "IDT_REF_reaction_to_cpu_stop"},
                   {"Visible", "true"},
                   {"DataType", "BitArea"},
                   {"ByteOffset", "0"},
                   {"BitOffset", "0"},
                   {"BitLength", "2"},
                   {"DefaultValue", "2"},
                   {"AllowedValues", "0..2"},
                   {"ValueItemTarget", "IDV_reaction_to_cpu_stop"},
                   {"ID", "IDT_REF_reaction_to_cpu_stop"}});
    x.Open("MenuList");
    x.Open("MenuItem", {{"ID", "IDT_NAME_M1_IDT_REF_channel"}});
    x.Leaf("Name", {{"TextId", "IDT_NAME_M1_IDT_REF_channel"}});
    x.Leaf("MenuRef", {{"MenuTarget", "IDT_NAME_M1_Base_Parameters"}});
    x.Close();
    x.Open("MenuItem", {{"ID", "IDT_NAME_M1_Base_Parameters"}});
    x.Leaf("Name", {{"TextId", "IDT_NAME_M1_Base_Parameters"}});
    x.Leaf("ParameterRef", {{"ParameterTarget", "IDT_REF_reaction_to_cpu_stop"}});
    x.Close();
    x.Close();
    x.Close();
    x.Close();
    x.Open("ModuleInfo");
    x.Leaf("Name", {{"TextId", "IDT_NAME_M1"}});
    x.Leaf("InfoText", {{"TextId", "IDT_INFO_M1"}});
    x.Close();
    x.Close();
    x.Close();
    x.Close();
    x.Close();
    x.Open("ValueList");
    x.Open("ValueItem", {{"ID", "IDV_reaction_to_cpu_stop"}});
    x.Open("Assignments");
    for (const auto& [id, content] : {std::pair{"IDT_ASSIGN_do_set_substitude_values", "0"},
                                      std::pair{"IDT_ASSIGN_do_values_will_hold", "1"},
                                      std::pair{"IDT_ASSIGN_do_continue_counting", "2"}})
        x.Leaf("Assign", {{"TextId", id}, {"Content", content}});
    x.Close();
    x.Close();
    x.Close();
    x.Open("CategoryList");
    for (const char* kind : {"DI", "DO"}) {
        x.Open("CategoryItem", {{"ID", std::string("IDC_") + kind}, {"TextId", std::string("IDT_CATEGORY_") + kind}});
        x.Leaf("InfoText", {{"TextId", std::string("IDT_INFO_") + kind}});
        x.Close();
    }
    x.Close();
    x.Open("ExternalTextList");
    x.Open("PrimaryLanguage");
    for (size_t i = 0; i < std::size(External_Texts); ++i) {
        const auto& [id, value] = External_Texts[i];
        if (i < Value_First_From)
            x.Leaf("Text", {{"TextId", id}, {"Value", value}});
        else
            x.Leaf("Text", {{"Value", value}, {"TextId", id}});
    }
    x.Close();
    x.Close();
    x.Close();
    x.Close();
    x.Close();
    return x.lines;
}

bool Write_GSDML_File(const std::string& path)
{
    return USideFile::Write_Side_File(path, GSDML_Lines(Load_PROFINET_Param()), USideFile::TSideEncoding::Utf8_Bom);
}

void Save_GSDML_File(const std::string& name)
{
    TSaveDialog dialog;
    dialog.InitialDir = UComon::Project_Folder;
    dialog.Filter = "PROFINET XML (*.xml)|" + name;
    dialog.FileName = name;
    if (!dialog.Execute()) return;
    // Only the folder chosen counts: the file keeps its composed name.
    const std::string path = PathJoin(ExtractFileDir(dialog.FileName), name);
    if (FileExists(path) && MessageDlg(Text(3411), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    Write_GSDML_File(path);
}

} // namespace UGSDML
