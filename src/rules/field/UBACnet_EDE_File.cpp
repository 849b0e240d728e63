// The BACnet EDE file writer.
#include "rules/field/UBACnet_EDE_File.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UProgram.h"
#include "core/UWholeNumber.h"
#include "platform/DateUtils.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"
#include "platform/TextFile.h"
#include "platform/XmlDoc.h"

using ULanguage::Text;

namespace UBACnet_EDE_File {

namespace {

const char* const Msg_Not_Written = "The BACnet EDE file was not written: ";

// The first n characters (not bytes) of a UTF-8 text.
std::string First_Chars(const std::string& s, size_t n)
{
    size_t chars = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;  // inside a character
        if (chars == n) return s.substr(0, i);
        ++chars;
    }
    return s;
}

std::string Two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// The page of a section, as the server object window names it.
std::string Page_Name(int page) { return Text(page == 0 ? 4308 : 4309); }

// What stops a row from becoming an object line; empty when nothing does.
std::string Row_Fault(pugi::xml_node row, int page, int r, const std::string& file, int& type)
{
    const char* section = page == 0 ? "BACnet_in_Read" : "BACnet_in_Write";
    for (const char* attr : {"Data_Type", "Eng_Unit", "Mnemonic"})
        if (!row.attribute(attr))
            return "row " + std::to_string(r) + " of \"" + section + "\" in \"" + file + "\" has no attribute \"" +
                   attr + "\".";
    const std::string where = "row " + std::to_string(r) + " of \"" + Page_Name(page) + "\"";
    const std::string dataType = row.attribute("Data_Type").value();
    type = BACnet_Object_Type_Code(dataType);
    if (type < 0) return where + " has the data type \"" + dataType + "\", which is no BACnet object type.";
    // A separator or a line break in a field would split its line for
    // every reader of the file.
    const std::string mnemonic = row.attribute("Mnemonic").value();
    if (mnemonic.find(';') != std::string::npos)
        return where + " has a \";\" in its mnemonic \"" + mnemonic + "\", which would split its line.";
    if (mnemonic.find_first_of("\r\n") != std::string::npos)
        return where + " has a line break in its mnemonic, which would split its line.";
    const std::string unit = row.attribute("Eng_Unit").value();
    if (unit.find_first_of(";\r\n") != std::string::npos)
        return where + " has a \";\" or a line break in its Eng. Unit \"" + unit + "\", which would split its line.";
    return {};
}

} // namespace

int BACnet_Object_Type_Code(const std::string& dataType)
{
    const std::string t = UpperCase(Trim(dataType));
    for (const TEDE_Type& e : EDE_Types)
        if (t == e.dataType) return e.number;
    return -1;
}

int TEDE_Export::Next_Instance_For_Type(int type)
{
    for (size_t i = 0; i < EDE_Types.size(); ++i)
        if (EDE_Types[i].number == type) return EDE_Instance_Counters[i]++;
    return -1;
}

void Load_BACnet_Device_Param(TEDE_Export& e, const std::string& parGenFile)
{
    e.EDE_Long_Names = false;
    e.EDE_Device_Instance.clear();
    TXmlDocument doc;
    if (parGenFile.empty() || doc.LoadFromFile(parGenFile) != TXmlLoad::Read) return;
    const pugi::xml_node root = doc.Root();
    int32_t type = 0;
    if (!UComon::Try_Whole_Number(ElementText(ChildElement(root, "BACnet_Type")), type)) type = 0;
    e.EDE_Device_Instance = ElementText(ChildElement(root, type == 1 ? "BACnet_Ser_DEV_IDE" : "BACnet_DEV_IDE"));
    const pugi::xml_node limit = ChildElement(root, "BACnet_Desc_Chars_Limit");
    e.EDE_Long_Names = limit && ElementText(limit) == "1";
}

std::string Load_EDE_Objects(TEDE_Export& e, const std::string& ruleFile)
{
    TXmlDocument doc;
    const TXmlLoad loaded = ruleFile.empty() ? TXmlLoad::Missing : doc.LoadFromFile(ruleFile);
    if (loaded == TXmlLoad::Missing) return {};
    if (loaded == TXmlLoad::Unreadable)
        return "\"" + ruleFile + "\" cannot be read" + (doc.LoadError().empty() ? "" : " (" + doc.LoadError() + ")") + ".";
    const pugi::xml_node root = doc.Root();
    const size_t names = e.EDE_Long_Names ? 32 : 16;
    for (int page = 0; page < 2; ++page) {
        const char* name = page == 0 ? "BACnet_in_Read" : "BACnet_in_Write";
        const pugi::xml_node section = ChildElement(root, name);
        if (!section) return "\"" + ruleFile + "\" has no section \"" + name + "\".";
        int r = 0;
        for (pugi::xml_node row : section.children()) {
            if (row.type() != pugi::node_element) continue;
            ++r;
            int type = -1;
            const std::string fault = Row_Fault(row, page, r, ruleFile, type);
            if (!fault.empty()) return fault;
            const std::string mnemonic = row.attribute("Mnemonic").value();
            TBACnet_EDE_Obj o;
            o.DevObjInstance = e.EDE_Device_Instance;
            o.ObjectName = First_Chars(mnemonic, names);
            o.ObjectType = std::to_string(type);
            o.ObjectInstance = std::to_string(e.Next_Instance_For_Type(type));
            o.Keyname = e.EDE_Device_Instance + "_" + mnemonic + "_" + o.ObjectInstance;
            o.Description = o.ObjectName;
            o.UnitCode = row.attribute("Eng_Unit").value();
            e.EDE_Object_List.push_back(std::move(o));
        }
    }
    return {};
}

std::string EDE_TimeStamp(int year, int month, int day, int hour, int minute, int second)
{
    return Two(hour) + ":" + Two(minute) + ":" + Two(second) + " " + Two(day) + "/" + Two(month) + "/" +
           std::to_string(year);
}

std::string EDE_TimeStamp()
{
    const TDateTime now = Now();
    int year, month, day, hour, minute, second, msec;
    DecodeDate(now, year, month, day);
    DecodeTime(now, hour, minute, second, msec);
    return EDE_TimeStamp(year, month, day, hour, minute, second);
}

std::vector<std::string> EDE_Lines(const TEDE_Export& e, const std::string& projectName, const std::string& timeStamp)
{
    std::vector<std::string> lines = {
        std::string("PROJECT_NAME; ") + Maker_Web_Host + "--" + projectName + ";;;;;;",
        "VERSION_OF_REFERENCEFILE;1.0;;;;;;",
        "TIMESTAMP_OF_LAST_CHANGE;" + timeStamp + ";;;;;;",
        std::string("AUTHOR_OF_LAST_CHANGE;") + Maker_Web_Host + ";;;;;;",
        "VERSION_OF_LAYOUT;2;;;;;;",
        "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;",
        "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;",
    };
    for (const TBACnet_EDE_Obj& o : e.EDE_Object_List)
        lines.push_back(o.Keyname + ";" + o.DevObjInstance + ";" + o.ObjectName + ";" + o.ObjectType + ";" +
                        o.ObjectInstance + ";" + o.Description + ";" + o.UnitCode + ";");
    return lines;
}

bool Build_EDE_File(const std::string& fileName)
{
    TEDE_Export e;
    e.Reset_EDE_Counters();
    Load_BACnet_Device_Param(e, UComon::File_ParGen);
    // The instance stands in every object line.
    const std::string fault =
        e.EDE_Device_Instance.find_first_of(";\r\n") != std::string::npos
            ? "the device instance \"" + e.EDE_Device_Instance + "\" of \"" + UComon::File_ParGen +
                  "\" holds a \";\" or a line break, which would split its lines."
            : Load_EDE_Objects(e, UComon::File_BACnet_Slave_SetAccess);
    if (!fault.empty()) {
        ShowError(Msg_Not_Written + fault);
        return false;
    }
    std::string text;
    for (const std::string& l : EDE_Lines(e, UComon::Project_Name, EDE_TimeStamp())) text += l + "\r\n";
    if (!WriteFileAtomic(fileName, EncodeWindows1252(text))) {
        ShowError("The file could not be written:\n" + fileName);
        return false;
    }
    return true;
}

bool Save_EDE_File(const std::string& fileName) { return Build_EDE_File(fileName); }

} // namespace UBACnet_EDE_File
