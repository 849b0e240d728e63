#pragma once
// The publish and subscribe rows of "MQTT_Set_Topic.xml" into the topic
// arrays of the MQTT record.

#include "image/ImageTypes.h"

#include <cstdint>
#include <string>

namespace USaveBincc {

// Byte range covered by the at-sign bit fields of a subscribe template (as
// computed: a negative bit gives a negative position, which the build refuses).
struct TAt_Fields {
    bool found = false;
    int64_t position = 0;
    int64_t length = 0;
};

// At most this many bit fields of one template are taken; the rest are
// ignored.
constexpr int Max_At_Fields = 101;

// Reads File_MQTT_Set_Topic into the record (working mode m.Mode), then
// runs Assign_MQTT_Addresses, also when the file is missing. Raises
// EImageBuildError for an unreadable file, URuleFiles::ERuleRowError naming
// section and row when a row lacks an item the gateway needs (an empty QoS
// above all) or holds a number outside its range.
void Load_MQTT_Topics_Image(TMQTT& m);
// The text, or without its LF and CR when allow is false.
std::string Strip_CR_LF(const std::string& text, bool allow);
// One pass over the template, however long.
TAt_Fields Parse_At_Fields(const std::string& tmpl);

} // namespace USaveBincc
