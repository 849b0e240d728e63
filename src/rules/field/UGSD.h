#pragma once
// The PROFIBUS GSD file (GSD_Revision 5): the keyword text with which a
// PROFIBUS DP configuration tool imports the gateway as a modular DP slave.
// Its input modules carry the bytes the gateway sends ("PROFINET_NB_OUT" of
// the communication parameter file), its output modules the bytes it
// receives ("PROFINET_NB_IN"), 64 bytes a module, the last one the rest.
// Written in the ANSI code page, every line ended by CR LF.

#include <cstdint>
#include <string>
#include <vector>

namespace UGSD {

// The module count of a length: (length + 63) div 64 above 0, else 0.
int64_t Module_Count(int64_t length);
// The module numbers are one byte of each module's identifier.
inline constexpr int64_t Max_Modules = 255;

// The file's lines for the two lengths (input: the gateway's outgoing bytes).
std::vector<std::string> GSD_Lines(int32_t inputLength, int32_t outputLength);
// Writes them at path (atomically; an error box names a file that cannot
// be written).
bool Write_GSD_File(const std::string& path, int32_t inputLength, int32_t outputLength);
// The GSD step: box 1104 without a communication parameter file; the
// lengths read (0 where missing or no whole number); the save dialog in the
// configuration's folder; ".gsd" appended unless the name's first ".gsd"
// (in any case) ends it; the question 1103 before replacing a file; the
// file written.
void Save_GSD_File();

// Lengths whose modules would number more than Max_Modules: nothing is
// written. The box reads this, the input and the output length.
inline constexpr const char* Msg_Too_Many_Modules =
    "The GSD file was not written: its modules of 64 bytes are numbered by one byte (at most 255 modules), "
    "too few for the byte counts of the communication parameters (input, output): ";

} // namespace UGSD
