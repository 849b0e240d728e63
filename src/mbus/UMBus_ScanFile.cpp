#include "mbus/UMBus_ScanFile.h"

#include "mbus/UMBus_TextBuf.h"
#include "platform/XmlDoc.h"

namespace {

std::string Dollar_Hex(std::uint8_t b)
{
    TTextBuf<3> t;
    t << '$';
    t.Hex(b);
    return std::string(t.View());
}

// The identification number as 8 upper-case hexadecimal digits.
std::string Hex8(std::uint32_t v)
{
    TTextBuf<8> t;
    for (int shift = 24; shift >= 0; shift -= 8) t.Hex(static_cast<std::uint8_t>(v >> shift));
    return std::string(t.View());
}

void Records(pugi::xml_node node, const TVarList& records)
{
    for (const auto& p : records) {
        if (!p) continue;
        const TVariable_MBus& r = *p;
        pugi::xml_node v = node.append_child("Variable");
        v.append_attribute("Value") = r.ValueStr.c_str();
        v.append_attribute("Type") = r.Desc_Type_Data.c_str();
        v.append_attribute("UST") = Record_UST(r).c_str();
        AddTextElement(v, "Storage_Number", std::to_string(r.storage_number));
        AddTextElement(v, "Tariff", std::to_string(r.tarif));
        AddTextElement(v, "Unit", std::to_string(r.device));
        AddTextElement(v, "Data_Field", std::string(r.DataFieldStr));
        AddTextElement(v, "Function_Field", std::string(r.FunctionFieldStr));
        AddTextElement(v, "Type", r.Desc_Type_Data);
        AddTextElement(v, "Value", r.ValueStr);
        AddTextElement(v, "DIF", r.DIF);
        AddTextElement(v, "VIF", Dollar_Hex(r.VIF));
        AddTextElement(v, "DIFE", r.DIFE);
        AddTextElement(v, "VIFE", r.VIFE);
        AddTextElement(v, "DATA", "$" + r.totdati);
    }
}

bool Save(const TXmlDocument& doc, const std::string& path, std::string& error)
{
    if (doc.SaveToFile(path)) return true;
    error = path + ": the scan result file could not be written";
    return false;
}

} // namespace

std::string Record_UST(const TVariable_MBus& r)
{
    return "(U" + std::to_string(r.device) + "S" + std::to_string(r.storage_number) + "T" + std::to_string(r.tarif) +
           ")";
}

bool Save_Scan_Result_Wired(const std::string& path, const TMBusSlaveList& meters, std::string& error)
{
    TXmlDocument doc;
    pugi::xml_node root = doc.NewDocument("SCAN_M-Bus_Wired");
    for (const auto& p : meters) {
        if (!p) continue;
        const TSlave_MBus& m = *p;
        pugi::xml_node n = root.append_child("Node");
        n.append_attribute("Primary_Address") = std::to_string(m.Primary_Addresss).c_str();
        n.append_attribute("Secondary_Address") = m.Secondary_Addresss.c_str();
        n.append_attribute("Manufacturer") =
            (m.descManufacture + " (" + std::to_string(m.Manufacture) + ")").c_str();
        n.append_attribute("Version") = std::to_string(m.Version).c_str();
        n.append_attribute("Type") = std::to_string(m.Medium).c_str();
        Records(n, m.List_Var);
    }
    return Save(doc, path, error);
}

bool Save_Scan_Result_Wireless(const std::string& path, const std::vector<std::shared_ptr<TSlave_wMBus>>& meters,
                               std::string& error)
{
    TXmlDocument doc;
    pugi::xml_node root = doc.NewDocument("SCAN_M-Bus_Wireless");
    for (const auto& p : meters) {
        if (!p) continue;
        const TSlave_wMBus& m = *p;
        pugi::xml_node n = root.append_child("Node");
        n.append_attribute("Manufacturer") = m.ALA_Manu_str.c_str();
        n.append_attribute("Address") = Hex8(static_cast<std::uint32_t>(m.ALA_Address)).c_str();
        n.append_attribute("Version") = std::to_string(m.ALA_Version).c_str();
        n.append_attribute("Device_Type") = std::to_string(m.ALA_DeviceType).c_str();
        n.append_attribute("Cripted") = m.Cripted ? "True" : "False";
        Records(n, m.List_Var);
    }
    return Save(doc, path, error);
}
