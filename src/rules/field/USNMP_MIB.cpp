#include "rules/field/USNMP_MIB.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "rules/field/USideFile.h"

#include <string_view>

using ULanguage::Text;

namespace USNMP_MIB {

namespace {

const std::string DQ = "\"";

// The organisation and contact of the module identity.
constexpr const char* Organization = "Example Gateways";
constexpr const char* Contact[4] = {"Example Gateways Support", "1 Example Street",
                                    "12345 Example Town, Example Country", "support@example.com"};

// Names the module defines or imports, whatever the agent file holds.
constexpr const char* Fixed_Names[] = {
    "enterprises", "quembo", "identity",    "gateway",   "application", "data",        "hellostring",
    "countin",     "countout", "bufferin",  "bufferout", "bufferinval", "bufferoutval", "traps",
    "trapsval"};
// Prefixes of the numbered names: data blocks 1 to 8, objects without a
// description and notifications 1, 2, ...
constexpr const char* Numbered_Names[] = {"bufferinblk", "bufferoutblk", "bufferinval", "bufferoutval", "trapval"};

// Appends the Description of each row of section whose Enable is "Y", and its
// integer flag.
void Read_Section_Rows(pugi::xml_node section, TStringList& list, std::vector<bool>& isInt)
{
    for (pugi::xml_node row : section.children()) {
        if (row.type() != pugi::node_element) continue;
        if (UpperCase(row.attribute("Enable").as_string()) != "Y") continue;
        list.Add(row.attribute("Description").as_string());
        isInt.push_back(UpperCase(row.attribute("Type").as_string()) == "INT");
    }
}

// One object line: name, the clauses of its kind, its description and its place.
std::string Object_Line(const std::string& name, bool isInt, const std::string& kind, const std::string& access,
                        const std::string& description, const std::string& parent, int index)
{
    return name + " " + kind + " SYNTAX " + (isInt ? "INTEGER" : "OCTET STRING") + " MAX-ACCESS " + access +
           " STATUS current DESCRIPTION " + DQ + description + DQ + " ::= { " + parent + " " +
           std::to_string(index) + " }";
}

bool Is_Int(int list, int i)
{
    const std::vector<bool>& flags = MIB_Is_Int[static_cast<size_t>(list)];
    return i >= 0 && static_cast<size_t>(i) < flags.size() && flags[static_cast<size_t>(i)];
}

} // namespace

bool MIB_Fixed_Name(const std::string& name)
{
    for (const char* fixed : Fixed_Names)
        if (name == fixed) return true;
    for (const std::string_view prefix : Numbered_Names) {
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        // The number as the module writes it: decimal, no leading zero.
        const std::string number = name.substr(prefix.size());
        if (number[0] != '0' && number.find_first_not_of("0123456789") == std::string::npos) return true;
    }
    return false;
}

bool Load_MIB_Objects()
{
    using namespace UComon;
    MIB_Read_List.Clear();
    MIB_Write_List.Clear();
    for (std::vector<bool>& flags : MIB_Is_Int) flags.clear();
    TXmlDocument doc;
    const TXmlLoad result = File_SNMP_Trap.empty() ? TXmlLoad::Missing : doc.LoadFromFile(File_SNMP_Trap);
    if (result == TXmlLoad::Missing) return true;
    if (result == TXmlLoad::Unreadable) {
        ShowError(std::string(Msg_Agent_File_Unreadable) + "\n" + File_SNMP_Trap + "\n(" + doc.LoadError() + ")");
        return false;
    }
    const pugi::xml_node read = ChildElement(doc.Root(), Read_Section);
    const pugi::xml_node write = ChildElement(doc.Root(), Write_Section);
    for (const auto& [node, name] : {std::pair{read, Read_Section}, std::pair{write, Write_Section}}) {
        if (node) continue;
        ShowError(Msg_Agent_Section_Missing_1 + std::string(name) + Msg_Agent_Section_Missing_2 + "\n" +
                  File_SNMP_Trap);
        return false;
    }
    Read_Section_Rows(read, MIB_Read_List, MIB_Is_Int[0]);
    Read_Section_Rows(write, MIB_Write_List, MIB_Is_Int[1]);
    return true;
}

std::vector<std::string> MIB_Lines()
{
    using UComon::MIB_Read_List;
    using UComon::MIB_Write_List;
    std::vector<std::string> l = {
        "GATEWAY DEFINITIONS ::= BEGIN",
        "IMPORTS",
        "       MODULE-IDENTITY,OBJECT-TYPE",
        "         FROM SNMPv2-SMI",
        "         DisplayString, TimeStamp",
        "         FROM SNMPv2-TC",
        "         enterprises",
        "         FROM RFC1155-SMI;",
        "",
        "identity MODULE-IDENTITY",
        "    LAST-UPDATED " + DQ + "201701310000Z" + DQ,
        "    ORGANIZATION " + DQ + Organization + DQ,
        "    CONTACT-INFO",
        "\t " + DQ + Contact[0],
        std::string("    ") + Contact[1],
        std::string("    ") + Contact[2],
        std::string("    ") + Contact[3] + DQ,
        "    DESCRIPTION",
        "\t" + DQ + "MIB objects for agent module " + DQ,
        "    REVISION     " + DQ + "201701310000Z" + DQ,
        "    DESCRIPTION",
        "\t" + DQ + "Corrected notification " + DQ,
        "    REVISION     " + DQ + "200202060000Z" + DQ,
        "    DESCRIPTION",
        "\t" + DQ + "First draft" + DQ,
        "    ::= { quembo 2 }",
        "quembo          OBJECT IDENTIFIER ::= { enterprises 58127 }",
        "gateway OBJECT IDENTIFIER::= { quembo 1 }",
        "application OBJECT IDENTIFIER::= { gateway 1 }",
        "data OBJECT IDENTIFIER::= { application 1 }",
        "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION " + DQ + DQ +
            " ::= { data 1}",
        "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION " + DQ + DQ +
            " ::= { data 2}",
        "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION " + DQ + DQ +
            " ::= { data 3}",
        "bufferin OBJECT IDENTIFIER::= { data 4 }",
    };
    const auto blocks = [&l](const std::string& buffer, const std::string& access) {
        for (int k = 1; k <= 8; ++k)
            l.push_back(buffer + "blk" + std::to_string(k) +
                        " OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS " + access +
                        " STATUS current DESCRIPTION " + DQ + "data block n." + std::to_string(k) + DQ + " ::= { " +
                        buffer + " " + std::to_string(k) + " }");
        l.push_back(" " + buffer + "val OBJECT IDENTIFIER::= { " + buffer + " 9 }");
    };
    const auto objects = [&l](const TStringList& list, int flags, const std::string& parent,
                              const std::string& access) {
        for (int i = 1; i <= list.Count(); ++i) {
            const std::string& description = list[i - 1];
            const std::string name = description.empty() ? parent + std::to_string(i) : description;
            l.push_back(Object_Line(name, Is_Int(flags, i - 1), "OBJECT-TYPE", access, description, parent, i));
        }
    };
    blocks("bufferin", "read-only");
    objects(MIB_Read_List, 0, "bufferinval", "read-only");
    l.push_back("bufferout OBJECT IDENTIFIER::= { data 5 }");
    blocks("bufferout", "read-write");
    objects(MIB_Write_List, 1, "bufferoutval", "read-write");
    l.push_back("traps OBJECT IDENTIFIER::= { application 2 }");
    l.push_back(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
    for (int i = 1; i <= MIB_Read_List.Count(); ++i)
        l.push_back(Object_Line("trapval" + std::to_string(i), Is_Int(0, i - 1), "NOTIFICATION-TYPE", "read-only",
                                MIB_Read_List[i - 1], "trapsval", i));
    l.push_back("END");
    return l;
}

bool Write_MIB_File(const std::string& fileName)
{
    return USideFile::Write_Side_File(fileName, MIB_Lines(), USideFile::TSideEncoding::Ansi);
}

void Save_MIB_File(TSaveDialog& dialog)
{
    dialog.InitialDir = UComon::Project_Folder;
    if (!dialog.Execute()) return;
    const std::string fileName = dialog.FileName;
    if (FileExists(fileName) &&
        MessageDlg(Text(1105), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    if (Load_MIB_Objects()) Write_MIB_File(fileName);
}

} // namespace USNMP_MIB
