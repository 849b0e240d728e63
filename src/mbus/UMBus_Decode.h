#pragma once
// Data-record decoder (EN 13757-3): turns the variable data block of a
// wired M-Bus answer or of a radio telegram into TVariable_MBus records.
//
// Each record is DIF, up to ten DIFEs, VIF (or a plain-text VIF with its
// text), up to ten VIFEs, then the data. Nothing is read beyond the block:
// a record whose parts run past its end is not added and ends the block.

#include "mbus/UMBus_Types.h"
#include "mbus/UMBus_Values.h"

#include <cstdint>
#include <span>

// Appends one record per data record of `block` to `list` (a meter's
// List_Var) and converts each value. On a wireless scan a fill byte 2F adds
// a record with Real_Wireless_Var False; on a wired scan it adds nothing.
// Returns False when the block ended with the more-records mark (DIF 1F),
// True otherwise. `scratch` receives the bytes of the last record.
bool Decode_Records(TVarList& list, std::span<const std::uint8_t> block, TMBusType mbusType,
                    TRecordScratch& scratch);
// The same with scratch of its own.
bool Decode_Records(TVarList& list, std::span<const std::uint8_t> block, TMBusType mbusType);
