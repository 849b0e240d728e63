#include "rulefiles/URuleFiles.h"

#include "core/UComon.h"
#include "platform/SysUtils.h"

namespace URuleFiles {

std::string Out_Of_Range(const std::string& where, const std::string& text, TRange range)
{
    return where + " holds \"" + text + "\", outside the range " + std::to_string(range.lo) + " to " +
           std::to_string(range.hi) + ".";
}

namespace CAN {

constinit const TRuleFile Receive_File{&UComon::File_CAN_Rec_Frames, "Receive_Frames", "1.002"};
constinit const TRuleFile Transmit_File{&UComon::File_CAN_Send_Frames, "Transmit_Frames", "1.002"};

bool Is_29_Bit(std::string_view type) { return Trim(type) == Type_29; }

std::string Byte_Attr(int k) { return "Byte" + std::to_string(k); }

} // namespace CAN

namespace Topic {

constinit const TRuleFile File{&UComon::File_MQTT_Set_Topic, "MQTT_Set_Topic", "1.002"};

uint32_t Data_Type_Code(std::string_view upper)
{
    for (const TDataType& t : Data_Types)
        if (UpperCase(t.text) == upper) return t.code;
    return 0;
}

bool Dimension_Fits_Type(std::string_view upper, int64_t dim)
{
    if (upper == "INT") return dim == 1 || dim == 2 || dim == 4 || dim == 8;
    if (upper == "FLOAT") return dim == 4 || dim == 8;
    return dim >= 1;
}

} // namespace Topic

} // namespace URuleFiles
