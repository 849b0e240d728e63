#pragma once
// The PROFINET GSDML file: the device description (GSDML schema 2.31) with
// which a PROFINET IO engineering tool imports the gateway as an IO device
// with one fixed module. Its Input data item carries the bytes the gateway
// sends ("PROFINET_NB_OUT" of the communication parameter file), its Output
// data item the bytes it receives ("PROFINET_NB_IN"), its name fields the
// station name ("PROFINET_NAME_STA"). Written in UTF-8 with a byte-order
// mark, every line ended by CR LF; the declaration names "iso-8859-1" all
// the same, and the station name goes in as plain ASCII with character
// references, so the file reads the same whichever encoding a reader takes.

#include <cstdint>
#include <string>
#include <vector>

namespace UGSDML {

// What the GSDML and GSD files take from the communication parameter file.
struct TProfinet_Param {
    int32_t Input_Length = 0;   // "PROFINET_NB_OUT"
    int32_t Output_Length = 0;  // "PROFINET_NB_IN"
    std::string Station_Name;   // "PROFINET_NAME_STA", as it stands
};

// Reads the file: the lengths as whole numbers (defaultLength where a key
// is missing or no whole number, or the file is missing or unreadable), the
// station name (empty where missing).
TProfinet_Param Read_PROFINET_Param(const std::string& parGenFile, int32_t defaultLength);

// The GSDML file's lengths when the parameter file gives none.
inline constexpr int32_t GSDML_Default_Length = 1438;
// The station name written in place of a missing or blank one.
inline constexpr const char* Default_Station_Name = "SERIAL";

// The parameters of UComon::File_ParGen with the GSDML file's defaults.
TProfinet_Param Load_PROFINET_Param();
// The text as an attribute value that stays plain ASCII: "&", "<", ">",
// the quotes, TAB, LF, CR and every character outside ASCII as character
// references; other control characters (which XML cannot hold) as "?".
std::string Xml_Attribute_Text(const std::string& text);
// The file's lines.
std::vector<std::string> GSDML_Lines(const TProfinet_Param& param);
// Load_PROFINET_Param and the file written at path (atomically; an error
// box names a file that cannot be written).
bool Write_GSDML_File(const std::string& path);
// Asks the folder (the save dialog starts in the configuration's folder and
// offers the name; only the chosen folder counts), asks before replacing a
// file (text 3411), writes the file under name there.
void Save_GSDML_File(const std::string& name);

} // namespace UGSDML
