#pragma once
// The scan result files the scan engine writes at the end of a scan when it
// is given a file name: every meter found with its records, their values
// and texts and their raw bytes. Root "SCAN_M-Bus_Wired" (wired meters) or
// "SCAN_M-Bus_Wireless" (radio meters); the file is replaced.

#include "mbus/UMBus_Frames.h"
#include "mbus/UMBus_Types.h"

#include <memory>
#include <string>
#include <vector>

// A record's unit, storage number and tariff as "(U" unit "S" storage "T"
// tariff ")".
std::string Record_UST(const TVariable_MBus& r);

// False, with error naming the file, when the file could not be written
// (an old file stays as it was).
bool Save_Scan_Result_Wired(const std::string& path, const TMBusSlaveList& meters, std::string& error);
bool Save_Scan_Result_Wireless(const std::string& path, const std::vector<std::shared_ptr<TSlave_wMBus>>& meters,
                               std::string& error);
