#include "image/CanTable.h"

#include "core/UComon.h"
#include "image/ImageCommon.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"

namespace USaveBincc {

namespace {

bool Attr_Int(pugi::xml_node row, const char* name, int32_t& out)
{
    std::string t;
    return Attribute_Text(row, name, t) && Image_TryStrToInt(t, out);
}

bool Attr_Is_Y(pugi::xml_node row, const char* name)
{
    std::string t;
    return Attribute_Text(row, name, t) && t == "Y";
}

void Load_File(const std::string& file, bool send, TCAN_Table& table, uint32_t& n)
{
    if (!FileExists(file)) return;
    TXmlDocument xml;
    if (xml.LoadFromFile(file) != TXmlLoad::Read)
        Raise_Build_Error(file, "the file cannot be read or is not well-formed XML.");
    int row_no = 0;
    for (pugi::xml_node row : xml.Root().children()) {
        if (row.type() != pugi::node_element) continue;
        ++row_no;
        std::string enable;
        if (Attribute_Text(row, "Enable", enable) && enable != "Y") continue;
        if (n >= table.size())
            Raise_Build_Error(file, "row " + std::to_string(row_no) + ": more than " +
                                        std::to_string(table.size()) +
                                        " enabled CAN frames; the device holds at most " +
                                        std::to_string(table.size()) + ".");
        TCAN_Frame_Entry& e = table[n];
        e = TCAN_Frame_Entry{};
        int32_t v;
        if (Attr_Int(row, "COBID", v)) e.COBID = static_cast<uint32_t>(v);
        std::string type;
        if (Attribute_Text(row, "CAN_Type", type) && Trim(type) == "2.0B (29 bits)") e.COBID |= 0x80000000u;
        e.Dim = Attr_Int(row, "Dim", v) ? static_cast<uint8_t>(v) : 8;
        if (!send) {
            if (Attr_Int(row, "TimeOut", v)) e.TimeOut = static_cast<uint32_t>(v);
        } else {
            e.Flags = 1;
            if (Attr_Is_Y(row, "OnChange")) e.Flags |= 2;
            if (Attr_Is_Y(row, "OnCMD")) e.Flags |= 8;
            if (Attr_Is_Y(row, "OnTimer")) e.Flags |= 4;
            if (Attr_Int(row, "Time", v)) e.Period = static_cast<uint32_t>(v);
        }
        for (uint32_t k = 1; k <= 8; ++k) {
            const std::string name = "Byte" + std::to_string(k);
            uint16_t slot = 0xFFFF;
            if (Attr_Int(row, name.c_str(), v)) slot = static_cast<uint16_t>(v);
            if (e.Dim < k) slot = 0xFFFF;
            e.Byte_Pos[k - 1] = slot;
        }
        ++n;
    }
}

} // namespace

void Init_CAN_Table(TCAN_Table& table) { table.fill(TCAN_Frame_Entry{}); }

uint32_t Load_CAN_Frames_Image(TCAN_Table& table)
{
    uint32_t n = 0;
    Load_File(UComon::File_CAN_Rec_Frames, false, table, n);
    Load_File(UComon::File_CAN_Send_Frames, true, table, n);
    return n;
}

uint32_t Pack_CAN_Table(const TCAN_Table& table, uint32_t position, std::vector<uint8_t>& buffer, uint32_t limit)
{
    TBankWriter w(buffer, position, limit);
    for (const TCAN_Frame_Entry& e : table) {
        w.U32(e.COBID);
        w.U32(e.Period);
        w.U32(e.TimeOut);
        w.U8(e.Reserved1);
        w.U8(e.Flags);
        w.U8(e.Dim);
        w.U8(e.Reserved2);
        for (uint16_t p : e.Byte_Pos) w.U16(p);
    }
    return w.Position();
}

} // namespace USaveBincc
