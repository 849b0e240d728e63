#include "image/ImageCommon.h"

#include "core/UWholeNumber.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "rulefiles/URuleFiles.h"

#include <cstring>

namespace USaveBincc {

TBankWriter::TBankWriter(std::vector<uint8_t>& buffer, uint32_t position, uint32_t limit)
    : buf_(buffer), pos_(position), limit_(limit)
{
    if (static_cast<size_t>(limit_) >= buf_.size()) limit_ = static_cast<uint32_t>(buf_.size() - 1);
}

void TBankWriter::Room(size_t count) const
{
    if (count == 0) return;
    // pos_ + count - 1 must not pass the limit; computed without overflow.
    if (static_cast<uint64_t>(pos_) + count - 1 > limit_)
        throw EImageBuildError("The device image does not fit into its memory area (" +
                               std::to_string(static_cast<uint64_t>(limit_) + 1) + " bytes).");
}

void TBankWriter::U8(uint32_t v)
{
    Room(1);
    buf_[pos_++] = static_cast<uint8_t>(v);
}

void TBankWriter::U16(uint32_t v)
{
    Room(2);
    buf_[pos_++] = static_cast<uint8_t>(v);
    buf_[pos_++] = static_cast<uint8_t>(v >> 8);
}

void TBankWriter::U32(uint32_t v)
{
    Room(4);
    for (int i = 0; i < 4; ++i) buf_[pos_++] = static_cast<uint8_t>(v >> (8 * i));
}

void TBankWriter::Bytes(const void* data, size_t count)
{
    Room(count);
    if (count) std::memcpy(buf_.data() + pos_, data, count);
    pos_ += static_cast<uint32_t>(count);
}

bool Image_TryStrToInt(std::string_view s, int32_t& out) { return UComon::Try_Whole_Number(s, out); }

int32_t Image_StrToIntDef(std::string_view s, int32_t def) { return UComon::Whole_Number_Def(s, def); }

bool Element_Text(pugi::xml_node root, const char* name, std::string& out)
{
    const pugi::xml_node e = ChildElement(root, name);
    if (!e) return false;
    out = ElementText(e);
    return true;
}

void Raise_Build_Error(const std::string& file, const std::string& what)
{
    throw EImageBuildError("The device image cannot be built.\n\"" + ExtractFileName(file) + "\": " + what);
}

void Check_Range(const std::string& file, const std::string& where, const std::string& text, int64_t value,
                 int64_t lo, int64_t hi)
{
    const URuleFiles::TRange range{lo, hi};
    if (!range.Holds(value)) Raise_Build_Error(file, URuleFiles::Out_Of_Range(where, text, range));
}

} // namespace USaveBincc
