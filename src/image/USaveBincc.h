#pragma once
// Device image builder: turns the open configuration's files into the two
// files the gateway loads, "bin/bank1.bin" and "bin/bank2.bin".

#include "platform/SysUtils.h"

// Raised when the image cannot be built or written; the message names the
// file (and, where it applies, the section and row) and says what is wrong.
class EImageBuildError : public Exception {
public:
    using Exception::Exception;
};

namespace USaveBincc {

// Builds both blocks in memory from the files of UComon::Project_Folder as
// they are on disk. Raises EImageBuildError; writes nothing.
void Create_Bin();
// Writes the blocks built by Create_Bin into the configuration's "bin"
// folder (temporary names, then renamed). Raises EImageBuildError.
void Save_Bin();

} // namespace USaveBincc
