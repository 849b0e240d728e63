// Fuzzes the reader of incoming drag-and-drop data: cell blocks, columns,
// file lists and texts handed to a drop target. Input: a byte of format
// flags, then the block every present format carries.
#include "widgets/ExStringGrid_DragDrop.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

class Target : public TESGDropTarget {
public:
    size_t limit = 0;

protected:
    void DropStream(TPoint, const TCellStream& s) override
    {
        if (s.size() + 8 > limit) std::abort(); // a stream longer than its block
    }
    void DropFiles(TPoint, TStringList& f) override
    {
        if (f.Count() == 0) std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const unsigned flags = data[0];
    const std::vector<std::uint8_t> block(data + 1, data + size);

    if (auto s = ParseGridCellsBlock(block); s && s->size() + 8 > block.size()) std::abort();
    TStringList files;
    if (ParseFileDropBlock(block, files) != (files.Count() > 0)) std::abort();
    ParseGridColumnBlock(block);
    ParseUnicodeTextBlock(block);

    SetDropRTFEnabled(flags & 0x40);
    auto d = std::make_shared<TBlockDataObject>();
    if (flags & 0x01) d->Add(CF_GRIDCELLS(), block);
    if (flags & 0x02) d->Add(CF_GRIDCOLUMN(), block);
    if (flags & 0x04) d->Add(CF_HDROP, block);
    if (flags & 0x08) d->Add(CF_UNICODETEXT, block);
    if (flags & 0x10) d->Add(CF_RTF(), block);
    if (flags & 0x20) d->Add(CF_URL(), block);
    Target t;
    t.limit = block.size();
    t.AcceptCols = flags & 0x80;
    int effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragEnter(d, TShiftState(), {}, effect);
    t.DragOver(TShiftState(), {}, effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.Drop(d, TShiftState(), {}, effect);
    return 0;
}
