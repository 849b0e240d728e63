#include "image/CanTable.h"

#include "image/ImageCommon.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "rulefiles/URuleRowReader.h"

#include <cstdint>

namespace USaveBincc {

namespace {

using namespace URuleFiles::CAN;

void Load_File(const URuleFiles::TRuleFile& rule_file, bool send, TCAN_Table& table, uint32_t& n)
{
    const std::string& file = rule_file.Path();
    TXmlDocument xml;
    const TXmlLoad loaded = xml.LoadFromFile(file);
    if (loaded == TXmlLoad::Missing) return;
    if (loaded != TXmlLoad::Read) Raise_Build_Error(file, xml.LoadError() + ".");
    int row_no = 0;
    for (pugi::xml_node row : URuleFiles::Rule_Rows(xml.Root())) {
        ++row_no;
        // The numbers lie in the ranges the CAN windows check (within what
        // their fields hold); a missing attribute or no number is skipped.
        const URuleFiles::TRuleRowReader r(file, "", row_no, row);
        std::string enable;
        if (r.Has(Attr::Enable, enable) && enable != "Y") continue;
        if (n >= table.size())
            Raise_Build_Error(file, "row " + std::to_string(row_no) + ": more than " +
                                        std::to_string(table.size()) +
                                        " enabled CAN frames; the device holds at most " +
                                        std::to_string(table.size()) + ".");
        TCAN_Frame_Entry& e = table[n];
        e = TCAN_Frame_Entry{};
        int32_t v;
        const bool ext = Is_29_Bit(r.Text(Attr::CAN_Type, ""));
        if (r.Int(Attr::COBID, ext ? Range::COBID_29 : Range::COBID_11, v)) e.COBID = static_cast<uint32_t>(v);
        if (ext) e.COBID |= 0x80000000u;
        e.Dim = r.Int(Attr::Dim, Range::Dim, v) ? static_cast<uint8_t>(v) : 8;
        if (!send) {
            if (r.Int(Attr::TimeOut, Range::TimeOut, v)) e.TimeOut = static_cast<uint32_t>(v);
        } else {
            e.Flags = 1;
            if (r.Text(Attr::OnChange, "") == "Y") e.Flags |= 2;
            if (r.Text(Attr::OnCMD, "") == "Y") e.Flags |= 8;
            if (r.Text(Attr::OnTimer, "") == "Y") e.Flags |= 4;
            // The window checks the period only of a frame sent on timer.
            const bool timed = UpperCase(Trim(r.Text(Attr::OnTimer, ""))) == "Y";
            if (r.Int(Attr::Time, timed ? Range::Time : URuleFiles::TRange{0, INT32_MAX}, v))
                e.Period = static_cast<uint32_t>(v);
        }
        for (int k = 1; k <= Max_Bytes; ++k) {
            uint16_t slot = 0xFFFF;
            // Positions beyond the frame's length are neither checked nor used.
            if (k <= e.Dim && r.Int(Byte_Attr(k).c_str(), Range::Byte_Position, v)) slot = static_cast<uint16_t>(v);
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
    Load_File(Receive_File, false, table, n);
    Load_File(Transmit_File, true, table, n);
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
