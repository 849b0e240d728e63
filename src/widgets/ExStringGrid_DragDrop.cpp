// Drag and drop formats of the grid, the incoming reader, the base drop
// target and source, the outgoing data object, and the cell checker.

#include "widgets/ExStringGrid_DragDrop.h"

#include "platform/SysUtils.h"

#include <algorithm>

// --- formats ---------------------------------------------------------------------------------

namespace {

// Registered once, on first use, so that the outgoing side never offers a
// format under an id nobody registered.
struct NamedFormats {
    unsigned short rtf = RegisterClipboardFormat("Rich Text Format");
    unsigned short col = RegisterClipboardFormat("Grid Column");
    unsigned short cells = RegisterClipboardFormat(GridCellsFormatName);
    unsigned short url = RegisterClipboardFormat("UniformResourceLocator");
};

const NamedFormats& Formats()
{
    static const NamedFormats f;
    return f;
}

bool g_dropRTF = false;

std::uint32_t ReadU32(const std::vector<std::uint8_t>& b, size_t at)
{
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

void PutU32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

} // namespace

unsigned short CF_RTF() { return Formats().rtf; }
unsigned short CF_GRIDCOLUMN() { return Formats().col; }
unsigned short CF_GRIDCELLS() { return Formats().cells; }
unsigned short CF_URL() { return Formats().url; }

void SetDropRTFEnabled(bool Value) { g_dropRTF = Value; }
bool DropRTFEnabled() { return g_dropRTF; }

// --- block layouts ---------------------------------------------------------------------------

std::vector<std::uint8_t> GridCellsBlock(const TCellStream& Stream)
{
    std::vector<std::uint8_t> b;
    b.reserve(Stream.size() + 8);
    PutU32(b, static_cast<std::uint32_t>(Stream.size()));
    PutU32(b, 0);
    b.insert(b.end(), Stream.begin(), Stream.end());
    return b;
}

std::optional<TCellStream> ParseGridCellsBlock(const std::vector<std::uint8_t>& Block)
{
    if (Block.size() < 8) return std::nullopt;
    const std::uint64_t n = ReadU32(Block, 0);
    if (n > Block.size() - 8) return std::nullopt;
    return TCellStream(Block.begin() + 8, Block.begin() + 8 + static_cast<std::ptrdiff_t>(n));
}

std::vector<std::uint8_t> GridColumnBlock(int Col)
{
    std::vector<std::uint8_t> b;
    PutU32(b, static_cast<std::uint32_t>(Col));
    return b;
}

std::optional<int> ParseGridColumnBlock(const std::vector<std::uint8_t>& Block)
{
    if (Block.size() < 4) return std::nullopt;
    return static_cast<std::int32_t>(ReadU32(Block, 0));
}

std::vector<std::uint8_t> AnsiTextBlock(const std::string& Text)
{
    std::vector<std::uint8_t> b(Text.begin(), Text.end());
    b.push_back(0);
    return b;
}

std::vector<std::uint8_t> UnicodeTextBlock(const std::string& Text)
{
    const WideString w = Utf8ToWide(Text);
    std::vector<std::uint8_t> b;
    b.reserve(2 * w.size() + 2);
    for (char16_t u : w) {
        b.push_back(std::uint8_t(u & 0xFF));
        b.push_back(std::uint8_t(u >> 8));
    }
    b.push_back(0);
    b.push_back(0);
    return b;
}

std::string ParseAnsiTextBlock(const std::vector<std::uint8_t>& Block)
{
    auto end = std::find(Block.begin(), Block.end(), std::uint8_t(0));
    return std::string(Block.begin(), end);
}

std::string ParseUnicodeTextBlock(const std::vector<std::uint8_t>& Block)
{
    WideString w;
    for (size_t i = 0; i + 1 < Block.size(); i += 2) {
        const char16_t u = char16_t(Block[i] | (Block[i + 1] << 8));
        if (u == 0) break;
        w += u;
    }
    return WideToUtf8(w);
}

namespace {
constexpr size_t FileDropHeader = 20; // offset, point (x, y), flag, wide flag
} // namespace

bool ParseFileDropBlock(const std::vector<std::uint8_t>& Block, TStringList& Files)
{
    Files.Clear();
    if (Block.size() < FileDropHeader) return false;
    const std::uint64_t start = ReadU32(Block, 0);
    const bool wide = ReadU32(Block, 16) != 0;
    if (start < FileDropHeader || start >= Block.size()) return false;
    std::vector<std::string> names;
    size_t at = static_cast<size_t>(start);
    for (;;) {
        if (wide) {
            WideString w;
            bool ended = false;
            for (; at + 1 < Block.size(); at += 2) {
                const char16_t u = char16_t(Block[at] | (Block[at + 1] << 8));
                if (u == 0) {
                    at += 2;
                    ended = true;
                    break;
                }
                w += u;
            }
            if (!ended) return false; // a name or the list runs past the block
            if (w.empty()) break;
            names.push_back(WideToUtf8(w));
        } else {
            auto zero = std::find(Block.begin() + static_cast<std::ptrdiff_t>(at), Block.end(), std::uint8_t(0));
            if (zero == Block.end()) return false;
            const size_t len = static_cast<size_t>(zero - Block.begin()) - at;
            if (len == 0) break;
            names.emplace_back(Block.begin() + static_cast<std::ptrdiff_t>(at), zero);
            at += len + 1;
        }
    }
    for (const auto& n : names) Files.Add(n);
    return Files.Count() > 0;
}

std::vector<std::uint8_t> FileDropBlock(const std::vector<std::string>& Files)
{
    std::vector<std::uint8_t> b;
    PutU32(b, FileDropHeader);
    PutU32(b, 0);
    PutU32(b, 0);
    PutU32(b, 0);
    PutU32(b, 1);
    for (const auto& f : Files) {
        for (char16_t u : Utf8ToWide(f)) {
            b.push_back(std::uint8_t(u & 0xFF));
            b.push_back(std::uint8_t(u >> 8));
        }
        b.push_back(0);
        b.push_back(0);
    }
    b.push_back(0);
    b.push_back(0);
    return b;
}

// --- TEnumFormats ----------------------------------------------------------------------------

TEnumFormats::TEnumFormats(std::shared_ptr<IDataObject> DataObject) : FDataObject(std::move(DataObject))
{
    if (!FDataObject || FDataObject->EnumFormatEtc(DATADIR_GET, FEnumerator) != S_OK || !FEnumerator)
        throw EDropAssertion("Cannot get the format enumerator");
    Formats(); // the named formats are known from here on
    Reset();
}

void TEnumFormats::Reset()
{
    FValid = false;
    FCount = 0;
    FEnumerator->Reset();
}

bool TEnumFormats::Next()
{
    unsigned fetched = 0;
    TFormatEtc f;
    FValid = FEnumerator->Next(1, &f, &fetched) == S_OK && fetched == 1;
    if (FValid) FFormatEtc = f;
    ++FCount;
    return FValid;
}

bool TEnumFormats::HasFormat(unsigned short ClipFormat)
{
    Reset();
    // A data object that lists without end is read no further than this.
    constexpr int MaxEntries = 4096;
    while (FCount < MaxEntries && Next())
        if (FFormatEtc.cfFormat == ClipFormat) return true;
    FValid = false;
    return false;
}

TGlobalBlock TEnumFormats::Handle(unsigned Tymed)
{
    if (!FValid || !(FFormatEtc.tymed & Tymed)) return nullptr;
    TFormatEtc f = FFormatEtc;
    f.tymed = Tymed;
    TStgMedium m;
    if (FDataObject->GetData(f, m) != S_OK || !(m.tymed & Tymed)) return nullptr;
    return m.hGlobal;
}

std::vector<std::uint8_t> TEnumFormats::BlockOf(unsigned short ClipFormat, bool& found)
{
    found = false;
    if (!HasFormat(ClipFormat)) return {};
    TGlobalBlock h = GlobalHandle();
    if (!h) return {};
    found = true;
    return *h;
}

std::string TEnumFormats::Text()
{
    bool found = false;
    return ParseUnicodeTextBlock(BlockOf(CF_UNICODETEXT, found));
}

std::string TEnumFormats::RTF()
{
    bool found = false;
    return ParseAnsiTextBlock(BlockOf(CF_RTF(), found));
}

int TEnumFormats::Col()
{
    bool found = false;
    const std::vector<std::uint8_t> b = BlockOf(CF_GRIDCOLUMN(), found);
    if (!found) return -1;
    return ParseGridColumnBlock(b).value_or(-1);
}

std::optional<TCellStream> TEnumFormats::Stream()
{
    bool found = false;
    const std::vector<std::uint8_t> b = BlockOf(CF_GRIDCELLS(), found);
    if (!found) return std::nullopt;
    return ParseGridCellsBlock(b);
}

bool TEnumFormats::FileList()
{
    FFiles.Clear();
    TGlobalBlock h = FValid && FFormatEtc.cfFormat == CF_HDROP ? GlobalHandle() : nullptr;
    if (!h) return false;
    return ParseFileDropBlock(*h, FFiles);
}

// --- drop target -----------------------------------------------------------------------------

int DropEffectOf(TShiftState KeyState, int Allowed)
{
    if (KeyState.Contains(ssCtrl)) return DROPEFFECT_COPY;
    if (Allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
    return DROPEFFECT_COPY;
}

namespace {

// What a drop carries, each format checked (a malformed block counts as
// absent).
struct DropContent {
    bool text = false, file = false, rtf = false, col = false, url = false, cells = false;
};

DropContent ReadContent(TEnumFormats& ef)
{
    DropContent c;
    c.text = ef.HasText();
    c.file = ef.HasFile() && ef.FileList();
    c.rtf = ef.HasRTF();
    c.col = ef.Col() != -1;
    c.url = ef.HasURL();
    c.cells = ef.Stream().has_value();
    return c;
}

} // namespace

HRESULT TESGDropTarget::DragEnter(const std::shared_ptr<IDataObject>& DataObject, TShiftState KeyState, TPoint,
                                  int& Effect)
{
    TEnumFormats ef(DataObject);
    const DropContent c = ReadContent(ef);
    FOk = (c.text && AcceptText) || (c.file && AcceptFiles) || (c.rtf && DropRTFEnabled() && AcceptText) ||
          (c.col && AcceptCols) || (c.url && AcceptURLs) || c.cells;
    FDropFormats = TDropFormats();
    if (c.text) FDropFormats.Include(dfText);
    if (c.file) FDropFormats.Include(dfFile);
    if (c.rtf) FDropFormats.Include(dfRTF);
    if (c.col) FDropFormats.Include(dfCol);
    if (c.url) FDropFormats.Include(dfURL);
    if (c.cells) FDropFormats.Include(dfGridCells);
    Effect = FOk ? DropEffectOf(KeyState, Effect) : DROPEFFECT_NONE;
    DragMouseEnter();
    return S_OK;
}

HRESULT TESGDropTarget::DragOver(TShiftState KeyState, TPoint pt, int& Effect)
{
    Effect = FOk ? DropEffectOf(KeyState, Effect) : DROPEFFECT_NONE;
    bool allow = Effect != DROPEFFECT_NONE;
    DragMouseMove(pt, allow, FDropFormats);
    if (!allow) Effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TESGDropTarget::DragLeave()
{
    DragMouseLeave();
    return S_OK;
}

HRESULT TESGDropTarget::Drop(const std::shared_ptr<IDataObject>& DataObject, TShiftState KeyState, TPoint pt,
                             int& Effect)
{
    if (!FOk) {
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    TEnumFormats ef(DataObject);
    if (const int col = ef.Col(); col != -1) {
        DropCol(pt, col);
    } else {
        if (std::optional<TCellStream> s = ef.Stream())
            DropStream(pt, *s);
        else if (ef.HasRTF() && DropRTFEnabled())
            DropRTF(pt, ef.RTF());
        else if (ef.HasText())
            DropText(pt, ef.Text());
        if (ef.HasFile() && ef.FileList()) DropFiles(pt, ef.Files());
        if (ef.HasURL()) DropURL(pt, ef.Text());
    }
    Effect = DropEffectOf(KeyState, Effect);
    return S_OK;
}

// --- drop source -----------------------------------------------------------------------------

HRESULT TESGDropSource::QueryContinueDrag(bool EscapePressed, TShiftState KeyState)
{
    HRESULT result = S_OK;
    if (EscapePressed) {
        DragStopped();
        result = DRAGDROP_S_CANCEL;
    } else if (!KeyState.Contains(ssLeft)) {
        DragStopped();
        result = DRAGDROP_S_DROP;
    }
    QueryDrag();
    return result;
}

HRESULT TESGDropSource::GiveFeedback(int Effect)
{
    FNoAccept = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// --- outgoing data ---------------------------------------------------------------------------

TSourceDataObject::TSourceDataObject(std::string Text, std::string RTF, int Col, const TCellStream* Stream)
    : textdata(std::move(Text)), rtfdata(std::move(RTF)), scolidx(Col), memstr(Stream)
{
    Formats();
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& format)
{
    if (format.dwAspect != DVASPECT_CONTENT || format.tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
    const unsigned short f = format.cfFormat;
    if ((f == CF_TEXT || f == CF_UNICODETEXT || (f == CF_RTF() && DropRTFEnabled())) && !textdata.empty())
        return S_OK;
    if (f == CF_GRIDCELLS() && memstr) return S_OK;
    if (f == CF_GRIDCOLUMN() && scolidx != -1) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& format, TStgMedium& medium)
{
    medium = TStgMedium();
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    std::vector<std::uint8_t> b;
    const unsigned short f = format.cfFormat;
    if (f == CF_TEXT)
        b = AnsiTextBlock(textdata);
    else if (f == CF_UNICODETEXT)
        b = UnicodeTextBlock(textdata);
    else if (f == CF_RTF())
        b = AnsiTextBlock(rtfdata);
    else if (f == CF_GRIDCOLUMN())
        b = GridColumnBlock(scolidx);
    else if (f == CF_GRIDCELLS())
        b = GridCellsBlock(*memstr);
    else
        return DV_E_FORMATETC;
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = std::make_shared<std::vector<std::uint8_t>>(std::move(b));
    return S_OK;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& out)
{
    out.HasTargetDevice = false;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out)
{
    if (direction != DATADIR_GET) return E_NOTIMPL;
    out = std::make_shared<TSourceEnumFormatEtc>(scolidx != -1, memstr != nullptr);
    return S_OK;
}

std::vector<unsigned short> TSourceEnumFormatEtc::Formats() const
{
    std::vector<unsigned short> f{CF_TEXT, CF_UNICODETEXT, CF_RTF()};
    if (FHasCol) f.push_back(CF_GRIDCOLUMN());
    if (FHasGridCells) f.push_back(CF_GRIDCELLS());
    return f;
}

HRESULT TSourceEnumFormatEtc::Next(unsigned celt, TFormatEtc* rgelt, unsigned* fetched)
{
    const std::vector<unsigned short> f = Formats();
    unsigned n = 0;
    while (n < celt && FIndex < f.size()) {
        rgelt[n] = TFormatEtc{f[FIndex], false, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        ++n;
        ++FIndex;
    }
    if (fetched) *fetched = n;
    return n == celt ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(unsigned celt)
{
    const unsigned count = static_cast<unsigned>(Formats().size());
    if (celt > count - std::min(FIndex, count)) {
        FIndex = count;
        return S_FALSE;
    }
    FIndex += celt;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    FIndex = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::shared_ptr<IEnumFormatEtc>& out)
{
    out = std::make_shared<TSourceEnumFormatEtc>(FHasCol, FHasGridCells, FIndex);
    return S_OK;
}

// --- starting a drag -------------------------------------------------------------------------

namespace {

HRESULT RunDrag(const std::shared_ptr<IDataObject>& data, TESGDropSource& source, int OkEffects, int& Effect)
{
    Effect = DROPEFFECT_NONE;
    const HRESULT r = DoDragDrop(data, source, OkEffects, Effect);
    return source.NoAccept() ? DRAGDROP_S_CANCEL : r;
}

} // namespace

HRESULT StartTextDragDrop(TESGDropSource& DropSource, const std::string& Text, const std::string& RTF,
                          const TCellStream* Stream, int OkEffects, int& Effect)
{
    return RunDrag(std::make_shared<TSourceDataObject>(Text, RTF, -1, Stream), DropSource, OkEffects, Effect);
}

HRESULT StartColumnDragDrop(TESGDropSource& DropSource, int Column, int OkEffects, int& Effect)
{
    return RunDrag(std::make_shared<TSourceDataObject>("", "", Column, nullptr), DropSource, OkEffects, Effect);
}

// --- the cell checker ------------------------------------------------------------------------

std::string TExStringGridCheck::MarkError(int, int, const std::string& S) { return S; }
std::string TExStringGridCheck::Correct(int, int, const std::string& S) { return S; }
