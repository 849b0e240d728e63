#include "mbus/UMBus_Export.h"

#include "core/UParsers.h"
#include "mbus/UMBus_Network.h"
#include "mbus/UMBus_ScanFile.h"
#include "platform/XmlDoc.h"

#include <cmath>

TDataFieldExport Data_Field_Export(int dataField, int variableBytes)
{
    switch (dataField) {
    case 1: case 9: return {0, 1};
    case 2: case 10: return {1, 1};
    case 3: case 11: return {4, 2};
    case 4: case 12: return {2, 2};
    case 5: return {6, 2};
    case 6: case 14: return {5, 3};
    case 7: return {3, 4};
    case 13: {
        // (bytes + 1) / 2 to the nearest, halves to the even number.
        const double half = (variableBytes + 1) / 2.0;
        return {7, static_cast<int>(std::nearbyint(half))};
    }
    default: return {255, 0};
    }
}

namespace {

bool Code_In(int code, std::initializer_list<int> codes)
{
    for (int c : codes)
        if (c == code) return true;
    return false;
}

bool Has_ID(int code) { return Code_In(code, {2, 4, 5, 7, 8, 10}); }
bool Has_Group(int code) { return Code_In(code, {4, 7}); }
bool Has_Node_Registers(int code) { return Code_In(code, {0, 1, 9, 13, 14}); }

void Set(pugi::xml_node e, const char* name, const std::string& value)
{
    pugi::xml_attribute a = e.attribute(name);
    if (!a) a = e.append_attribute(name);
    a = value.c_str();
}
void Set(pugi::xml_node e, const char* name, long long value) { Set(e, name, std::to_string(value)); }

// The document to write into: the file loaded for appending (a missing
// file starts a new one), or a new document. False, with the failure,
// when the file cannot be read.
bool Open_Document(const TSaveConfXML& conf, TXmlDocument& doc, pugi::xml_node& root, TSaveResult& result)
{
    if (conf.Append == 1) {
        switch (doc.LoadFromFile(conf.File_Name)) {
        case TXmlLoad::Read:
            root = doc.Root();
            return true;
        case TXmlLoad::Unreadable:
            result = {-1, conf.File_Name + ": " + doc.LoadError() + "; nothing was added"};
            return false;
        case TXmlLoad::Missing:
            break;
        }
    }
    root = doc.NewDocument(kMBusNetworkRoot);
    return true;
}

TSaveResult Save(const TSaveConfXML& conf, TXmlDocument& doc)
{
    if (!doc.SaveToFile(conf.File_Name)) return {-1, conf.File_Name + ": the file could not be written"};
    return {1, ""};
}

// The meter's first register with per-meter starts; a meter beyond the
// array starts at 1.
std::int32_t Meter_Start(const TSaveConfXML& conf, size_t meter)
{
    return meter < conf.SMN_Array.size() ? conf.SMN_Array[meter] : 1;
}

// The node-state and identification registers of a meter (per-meter starts
// and a device code that has them).
void Node_Registers(pugi::xml_node n, const TSaveConfXML& conf, std::int32_t& reg, int stateRegs, int identRegs)
{
    if (conf.StartModnode != 1 || !Has_Node_Registers(conf.XML_Code_Dev)) return;
    if (conf.En_NodeState) {
        Set(n, "Node_State", reg);
        reg += stateRegs;
    } else {
        Set(n, "Node_State", "0");
    }
    if (conf.En_IdeNum) {
        Set(n, "Ident_Num", reg);
        reg += identRegs;
    } else {
        Set(n, "Ident_Num", "0");
    }
}

void BACnet_Node_Attributes(pugi::xml_node n)
{
    for (const char* name : {"Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN", "Var_List_Type", "NS_VarType",
                             "IN_VarType"})
        Set(n, name, "0");
}

// One "Variabile" of record r at position (1-based); registers counted
// when `counts`.
void Variable(pugi::xml_node n, const TSaveConfXML& conf, bool Check_BCD, const TVariable_MBus& r, int position,
              bool enabled, bool counts, std::int32_t& reg)
{
    pugi::xml_node v = n.append_child("Variabile");
    Set(v, "Enable", enabled ? "1" : "0");
    Set(v, "Position", position);
    Set(v, "Desc", r.Desc_Type_Data + " " + Record_UST(r));
    // A plain-text unit record (which the decoder names "Bus Address", 25)
    // is the editor's "VIF is in ASCII" (21) with its unit.
    const bool plainText = r.casovif == 101;
    const int type = plainText ? 21 : r.type_data;
    Set(v, "Type", type);
    Set(v, "VIF_ASCII", type == 21 ? r.VIF_ASCII : std::string());
    Set(v, "Fun_Field", r.function_fild == 1 ? 2 : r.function_fild == 2 ? 1 : r.function_fild);
    Set(v, "Length", "0");
    if (conf.XML_Code_Dev != 12) Set(v, "ModReg", reg);
    const TDataFieldExport d = Data_Field_Export(r.dimension, r.nbyte);
    Set(v, "Dim", d.Dim);
    if (r.dimension == 13) Set(v, "Length", r.nbyte);
    if (counts) reg += d.Registers;
    Set(v, "Unit", r.device);
    Set(v, "StoNumber", r.storage_number);
    Set(v, "Tariff", r.tarif);
    Set(v, "VIFE", r.Type_Data_Vife);
    if (conf.XML_Code_Dev == 12) {
        Set(v, "BACnet_EngUnits", UComon::Get_BACnet_No_Units());
        Set(v, "BACnet_DataType", "0");
        Set(v, "Post_Operation", "0");
    } else {
        Set(v, "ModScale", "0");
    }
    Set(v, "BCDtoINT", r.Is_BCD && Check_BCD ? "1" : "0");
    Set(v, "SWAP", "0");
}

} // namespace

TSaveResult Save_XML_Conf_Wired(const TSaveConfXML& conf, bool Check_BCD, const TMBusSlaveList& meters,
                                const TIsTicked& isTicked)
{
    if (meters.empty()) return {0, ""};
    const auto ticked = [&](TTreeNodeHandle node) { return !node || !isTicked || isTicked(node); };
    TXmlDocument doc;
    pugi::xml_node root;
    TSaveResult result;
    if (!Open_Document(conf, doc, root, result)) return result;

    const int code = conf.XML_Code_Dev;
    std::int32_t reg = conf.Mod_Start;
    pugi::xml_node group;
    for (size_t p = 0; p < meters.size(); ++p) {
        if (!meters[p]) continue;
        const TSlave_MBus& m = *meters[p];
        if (conf.StartModnode == 1) reg = Meter_Start(conf, p);
        pugi::xml_node parent = root;
        if (Has_Group(code)) {
            if (!group) {
                group = root.append_child("Group");
                Set(group, "Baudrate", conf.Index_Baud);
                Set(group, "Parity", conf.Index_Par);
            }
            parent = group;
        }
        pugi::xml_node n = parent.append_child("Nodo");
        Set(n, "Node_Enable", ticked(m.Node) ? "1" : "0");
        if (Has_ID(code)) Set(n, "ID", m.Primary_Addresss);
        if (Has_Group(code)) Set(n, "Secondary_address", m.Secondary_Addresss);
        Set(n, "ID_Primary", m.Primary_Addresss);
        Set(n, "ID_Secondary", m.Secondary_Addresss);
        Set(n, "Node_ID_Type", conf.Node_ID_Type);
        Set(n, "Descrizione", m.descManufacture);
        Set(n, "Send_SND_NKE", conf.SND_NKE == 1 ? "1" : "0");
        Set(n, "Reset_App", conf.Reset_App == 1 ? "1" : "0");
        Set(n, "Cut_After", conf.Cut_After);
        if (code == 12) {
            Set(n, "MBus_Type", "1");
            BACnet_Node_Attributes(n);
        } else {
            if (code == 13 || code == 14) Set(n, "MBus_Type", "1");
            Node_Registers(n, conf, reg, 1, 2);
        }
        for (size_t k = 0; k < m.List_Var.size(); ++k) {
            if (!m.List_Var[k]) continue;
            const TVariable_MBus& r = *m.List_Var[k];
            const bool on = ticked(r.Node);
            Variable(n, conf, Check_BCD, r, static_cast<int>(k) + 1, on, !(conf.StartModnode == 1 && !on), reg);
        }
    }
    return Save(conf, doc);
}

TSaveResult Save_XML_Conf_Wireless(const TSaveConfXML& conf, bool Check_BCD,
                                   const std::vector<std::shared_ptr<TSlave_wMBus>>& meters)
{
    if (meters.empty()) return {0, ""};
    TXmlDocument doc;
    pugi::xml_node root;
    TSaveResult result;
    if (!Open_Document(conf, doc, root, result)) return result;

    const int code = conf.XML_Code_Dev;
    std::int32_t reg = conf.Mod_Start;
    for (size_t p = 0; p < meters.size(); ++p) {
        if (!meters[p]) continue;
        const TSlave_wMBus& m = *meters[p];
        if (conf.StartModnode == 1) reg = Meter_Start(conf, p);
        pugi::xml_node n = root.append_child("Nodo");
        Set(n, "Node_Enable", m.Enable ? "1" : "0");
        if (Has_ID(code)) Set(n, "ID", "1");
        if (Has_Group(code)) Set(n, "Secondary_address", "1");
        Set(n, "ID_Primary", "1");
        Set(n, "ID_Secondary", "1");
        Set(n, "Node_ID_Type", "0");
        Set(n, "Descrizione", m.ALA_Manu_str);
        Set(n, "Send_SND_NKE", "0");
        Set(n, "Reset_App", "0");
        Set(n, "Cut_After", "3");
        if (code == 12)
            BACnet_Node_Attributes(n);
        else
            Node_Registers(n, conf, reg, 2, 1);
        Set(n, "MBus_Type", "0");
        Set(n, "wMBus_ManID", m.ALA_Manufacturer);
        // The identification number is unsigned (the editor takes
        // 0..0xFFFFFFFF).
        Set(n, "wMBus_Add", static_cast<std::uint32_t>(m.ALA_Address));
        Set(n, "wMBus_Ver", m.ALA_Version);
        Set(n, "wMBus_DevType", m.ALA_DeviceType);
        Set(n, "wMBus_En_Key", m.Enable_Key ? "1" : "0");
        for (int k = 0; k < 16; ++k)
            Set(n, ("wMBus_Key_" + std::to_string(k + 1)).c_str(), m.Key[static_cast<size_t>(k)]);
        for (size_t k = 0; k < m.List_Var.size(); ++k) {
            if (!m.List_Var[k] || !m.List_Var[k]->Real_Wireless_Var) continue;
            const TVariable_MBus& r = *m.List_Var[k];
            Variable(n, conf, Check_BCD, r, static_cast<int>(k) + 1, r.Enable, !(conf.StartModnode == 1 && !r.Enable),
                     reg);
        }
    }
    return Save(conf, doc);
}
