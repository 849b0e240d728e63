#pragma once
// The SNMP MIB file: the MIB module "GATEWAY" (SMIv2 notation) of the
// objects the SNMP agent window defines, written from the agent's rule file
// "SNMP_Trap.xml" of the open configuration. Under the maker's node
// (enterprises.58127) stand the module identity, three fixed objects, eight
// data blocks each way, one object per enabled read row (bufferinval.i) and
// per enabled write row (bufferoutval.j), and one notification per enabled
// read row (trapsval.i), numbered in file order over the enabled rows as
// the agent window's N column shows them.
//
// The text is ANSI (Windows-1252, "?" for other characters), every line
// ended by CR LF. Its clauses are the module's own also where SMIv2 would
// want others: the notifications carry SYNTAX and MAX-ACCESS, the module
// identity follows the imports, the fixed objects have empty descriptions.

#include "platform/Shell.h"

#include <array>
#include <string>
#include <vector>

namespace USNMP_MIB {

// Whether the i-th entry of MIB_Read_List (0) or MIB_Write_List (1) is an
// integer object (its Type, upper-cased, is "INT"); the lists and these
// flags grow with the file, one entry per enabled row.
inline std::array<std::vector<bool>, 2> MIB_Is_Int;

// Fills UComon::MIB_Read_List, MIB_Write_List and MIB_Is_Int from the agent
// file at UComon::File_SNMP_Trap: the Description of every row of
// "SNMP_Trap_Read" (then "SNMP_Trap_Write") whose Enable, upper-cased, is
// "Y", in file order. No file: the lists stay empty (true). A file that
// cannot be read, or lacks one of the two sections: an error box names the
// file (and the section) and the result is false.
bool Load_MIB_Objects();
// The module's lines from the lists.
std::vector<std::string> MIB_Lines();
// Writes the lines into the file (atomically; an error box names a file
// that cannot be written).
bool Write_MIB_File(const std::string& fileName);
// The export: the dialog (starting in the configuration's folder), the
// question before replacing a file (text 1105), the agent file read, the
// module written. Cancel or No write nothing.
void Save_MIB_File(TSaveDialog& dialog);

// Whether a name is one the module defines or imports itself (the fixed
// nodes and objects, and the names given to objects without a description
// and to the notifications): an object of that name would define it twice.
bool MIB_Fixed_Name(const std::string& name);

inline constexpr const char* Read_Section = "SNMP_Trap_Read";
inline constexpr const char* Write_Section = "SNMP_Trap_Write";
inline constexpr const char* Msg_Agent_File_Unreadable =
    "The SNMP MIB file was not written: the file of the SNMP agent objects cannot be read:";
inline constexpr const char* Msg_Agent_Section_Missing_1 =
    "The SNMP MIB file was not written: the file of the SNMP agent objects has no section \"";
inline constexpr const char* Msg_Agent_Section_Missing_2 = "\":";

} // namespace USNMP_MIB
