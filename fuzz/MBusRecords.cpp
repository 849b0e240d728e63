// libFuzzer target: the M-Bus data-record decoder.
//
// The first byte chooses a wired or a radio block, the rest is the block,
// copied into a buffer of exactly its size so that any read past it is
// caught. Checks: every record's data text has two digits per data byte,
// the data length fits the record buffer, the fill records appear only in
// radio blocks, and a block that reports more records ends in 1F.
#include "mbus/UMBus_Decode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const TMBusType type = (data[0] & 1) ? mtWireless : mtWired;
    const std::vector<std::uint8_t> block(data + 1, data + size);
    TVarList list;
    TRecordScratch scratch;
    const bool noMore = Decode_Records(list, block, type, scratch);
    if (!noMore) {
        bool has1F = false;
        for (std::uint8_t b : block) has1F = has1F || b == 0x1F;
        if (!has1F) std::abort();
    }
    for (const auto& r : list) {
        if (r->nbyte < 0 || r->nbyte > 255) std::abort();
        if (r->totdati.size() != 2 * static_cast<std::size_t>(r->nbyte)) std::abort();
        if (!r->Real_Wireless_Var && type != mtWireless) std::abort();
        if (r->numdife > 10) std::abort();
    }
    return 0;
}
