#include "image/CanTable.h"

#include "core/UComon.h"
#include "image/ImageCommon.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"

#include <climits>

namespace USaveBincc {

namespace {

// Size of the gateway's internal data array the byte positions address.
constexpr int32_t Data_Array_Size = 1440;

// A number of the row that must lie in lo..hi (the range the CAN windows
// check, within what its field holds); false when the attribute is missing
// or no number. A number outside stops the build naming file, row and value.
class TCanRow {
public:
    TCanRow(const std::string& file, int row, pugi::xml_node node) : file_(file), row_(row), node_(node) {}
    bool Int(const char* name, int32_t lo, int32_t hi, int32_t& out) const
    {
        std::string t;
        int32_t v;
        if (!Attribute_Text(node_, name, t) || !Image_TryStrToInt(t, v)) return false;
        Check_Range(file_, "row " + std::to_string(row_) + ": the attribute \"" + name + "\"", t, v, lo, hi);
        out = v;
        return true;
    }

private:
    const std::string& file_;
    int row_;
    pugi::xml_node node_;
};

bool Attr_Is_Y(pugi::xml_node row, const char* name)
{
    std::string t;
    return Attribute_Text(row, name, t) && t == "Y";
}

void Load_File(const std::string& file, bool send, TCAN_Table& table, uint32_t& n)
{
    if (!FileExists(file)) return;
    TXmlDocument xml;
    if (xml.LoadFromFile(file) != TXmlLoad::Read) Raise_Build_Error(file, xml.LoadError() + ".");
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
        const TCanRow r(file, row_no, row);
        int32_t v;
        std::string type;
        const bool ext = Attribute_Text(row, "CAN_Type", type) && Trim(type) == "2.0B (29 bits)";
        if (r.Int("COBID", 0, ext ? 0x1FFFFFFF : 0x7FF, v)) e.COBID = static_cast<uint32_t>(v);
        if (ext) e.COBID |= 0x80000000u;
        e.Dim = r.Int("Dim", 1, 8, v) ? static_cast<uint8_t>(v) : 8;
        if (!send) {
            if (r.Int("TimeOut", 0, 100000000, v)) e.TimeOut = static_cast<uint32_t>(v);
        } else {
            e.Flags = 1;
            if (Attr_Is_Y(row, "OnChange")) e.Flags |= 2;
            if (Attr_Is_Y(row, "OnCMD")) e.Flags |= 8;
            if (Attr_Is_Y(row, "OnTimer")) e.Flags |= 4;
            // The window checks the period only of a frame sent on timer.
            std::string on_timer;
            const bool timed = Attribute_Text(row, "OnTimer", on_timer) && UpperCase(Trim(on_timer)) == "Y";
            if (r.Int("Time", 0, timed ? 100000000 : INT32_MAX, v)) e.Period = static_cast<uint32_t>(v);
        }
        for (uint32_t k = 1; k <= 8; ++k) {
            const std::string name = "Byte" + std::to_string(k);
            uint16_t slot = 0xFFFF;
            // Positions beyond the frame's length are neither checked nor used.
            if (k <= e.Dim && r.Int(name.c_str(), 0, Data_Array_Size - 1, v)) slot = static_cast<uint16_t>(v);
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
