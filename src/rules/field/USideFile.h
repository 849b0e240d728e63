#pragma once
// The side files other tools import (SNMP MIB, PROFIBUS GSD, PROFINET
// GSDML, BACnet EDE): whole texts written from a list of lines, every line
// ended by CR LF, in the ANSI code page (Windows-1252, "?" for every
// character outside it) or in UTF-8 with a byte-order mark. A file is
// written to a temporary file and renamed over the target, so a failed
// write leaves the previous file as it was.

#include <string>
#include <vector>

namespace USideFile {

enum class TSideEncoding { Ansi, Utf8_Bom };

// The bytes of the file: each line and CR LF, encoded.
std::string Side_File_Bytes(const std::vector<std::string>& lines, TSideEncoding encoding);
// Writes the file; a file that cannot be written is reported in an error
// box naming it (false).
bool Write_Side_File(const std::string& path, const std::vector<std::string>& lines, TSideEncoding encoding);

inline constexpr const char* Msg_Not_Written = "The file could not be written:";

} // namespace USideFile
