#pragma once
// Job file of the external updater: "Ethernet_Update.xml" in the program
// folder names the gateway's address, the updater's ports and one
// operation per image to transfer.

#include "platform/XmlDoc.h"

#include <string>

namespace UBootJob {

// Update options, as the items of the update window's option list.
enum : int { Option_Firmware_Configuration = 0, Option_Firmware = 1, Option_Configuration = 2 };

struct TUpdateJob {
    std::string IP_Address;  // as typed in the four octet edits, joined with "."
    int Update_Option = Option_Firmware_Configuration;
    bool Read_Back = true;
    std::string Master_Folder;
    std::string Project_Folder;
};

// The updater program and its job file in the program folder.
std::string Updater_Program(const std::string& programFolder);
std::string Job_File(const std::string& programFolder);
// The image files a job names.
std::string Firmware_File(const std::string& masterFolder);
std::string Bank_File(const std::string& projectFolder, int bank);

// Empties xml and builds the job in it. Raises EListError for an update
// option other than 0, 1 or 2.
void Build_Job(TXmlDocument& xml, const TUpdateJob& job);
// Builds the job and saves it to Job_File(programFolder), replacing an
// earlier file. Raises Exception when the file cannot be written.
void Save_Job(TXmlDocument& xml, const TUpdateJob& job, const std::string& programFolder);

} // namespace UBootJob
