#pragma once
// Device image builder: turns the open configuration's files into the two
// files the gateway loads, "bin/bank1.bin" and "bin/bank2.bin".

#include "platform/SysUtils.h"

#include <cstdint>
#include <vector>

// Raised when the image cannot be built or written; the message names the
// file (and, where it applies, the section and row) and says what is wrong.
class EImageBuildError : public Exception {
public:
    using Exception::Exception;
};

namespace USaveBincc {

// Builds both blocks in memory from the files of UComon::Project_Folder as
// they are on disk. Raises EImageBuildError; writes nothing. A failed build
// leaves nothing for Save_Bin to write.
void Create_Bin();
// Writes the blocks built by Create_Bin into the configuration's "bin"
// folder (temporary names, then renamed). Raises EImageBuildError; a
// failure leaves no half-written pair.
void Save_Bin();

// Create_Bin then Save_Bin; a failure is shown in an error box and gives
// false (the caller then does not open the update window).
bool Build_Device_Image();

// The bytes of the last successful build (empty before the first).
const std::vector<uint8_t>& Bank1_Image();
const std::vector<uint8_t>& Bank2_Image();
// True when the configuration's "bin/bank1.bin" and "bin/bank2.bin" are
// byte for byte the pair the last successful Save_Bin wrote.
bool Bank_Files_Match_Last_Build();

} // namespace USaveBincc
