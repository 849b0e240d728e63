// Pictures of the mini-HTML renderer. The GIF frame scan looks for each
// graphic control extension followed 8 bytes further by an image
// separator; it never reads outside the picture's bytes, so a truncated or
// crafted GIF shows the frames read so far or nothing.

#include "widgets/grid_render/PictureContainer.h"

#include "platform/Paths.h"
#include "platform/PictureDecode.h"

#include <map>

namespace {

// Little-endian word at data[at..at+1]; 0 when it lies outside the bytes.
std::uint16_t Word(const std::vector<std::uint8_t>& d, std::size_t at)
{
    if (at >= d.size() || d.size() - at < 2) return 0;
    return std::uint16_t(d[at] | (d[at + 1] << 8));
}

struct TResources {
    std::map<std::string, std::vector<std::uint8_t>> byName;
    std::map<int, std::vector<std::uint8_t>> byId;
};
TResources& Resources()
{
    static TResources r;
    return r;
}

}  // namespace

std::vector<std::size_t> GIFFrameStarts(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::size_t> starts;
    if (!data || size < 10) return starts;
    for (std::size_t p = 0; p + 9 < size; ++p)
        if (data[p] == 0x21 && data[p + 1] == 0xF9 && data[p + 2] == 0x04 && data[p + 8] == 0x2C)
            starts.push_back(p);
    return starts;
}

// --- THTMLPicture ------------------------------------------------------------------------

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Reset()
{
    FIsEmpty = true;
    FDecoded = false;
    FPicture.SetSize(0, 0);
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    FFrame = 1;
}

void THTMLPicture::Changed()
{
    if (OnChange) OnChange(this);
}

void THTMLPicture::Assign(const TPersistent* Source)
{
    Reset();
    if (!Source) {
        FData.clear();
        return;
    }
    const auto* src = dynamic_cast<const THTMLPicture*>(Source);
    if (!src) return;
    if (src == this) {
        if (FData.empty()) return;
    } else {
        FData = src->FData;
    }
    if (FData.empty()) return;
    FIsEmpty = false;
    // A copy of bytes the decoder refuses draws nothing, like its source;
    // copying a container must not stop at such a picture.
    try {
        Decode();
    } catch (const EHTMLPictureError&) {
    }
    Changed();
}

void THTMLPicture::Decode()
{
    FDecoded = false;
    FPicture.SetSize(0, 0);
    if (FData.empty()) throw EHTMLPictureError("Empty image stream created");

    // A GIF with frames: the decoder gets the header and colour table, then
    // the bytes from the selected frame on.
    std::vector<std::uint8_t> selected;
    const std::vector<std::uint8_t>* input = &FData;
    bool frameSelected = false;
    if (IsGIF()) {
        const std::vector<std::size_t> starts = GIFFrameStarts(FData.data(), FData.size());
        if (!starts.empty()) {
            FAnimMaxX = Word(FData, 6);
            FAnimMaxY = Word(FData, 8);
            bool skip = false;
            std::size_t from = 0;
            for (std::size_t i = 0; i < starts.size(); ++i) {
                const std::size_t s = starts[i];
                if (!skip) selected.insert(selected.end(), FData.begin() + std::ptrdiff_t(from),
                                           FData.begin() + std::ptrdiff_t(s));
                const int number = int(i) + 1;
                if (FFrame == number) {
                    FFrameXPos = Word(FData, s + 9);
                    FFrameYPos = Word(FData, s + 11);
                    FFrameXSize = Word(FData, s + 13);
                    FFrameYSize = Word(FData, s + 15);
                    frameSelected = true;
                }
                skip = FFrame >= number + 1;
                from = s;
            }
            if (!skip) selected.insert(selected.end(), FData.begin() + std::ptrdiff_t(from), FData.end());
            input = &selected;
        }
    }

    switch (DecodePicture(input->data(), input->size(), FPicture)) {
    case TPictureDecodeResult::Decoded: break;
    case TPictureDecodeResult::InvalidFormat: throw EHTMLPictureError("Could not load image. Invalid format");
    case TPictureDecodeResult::Failed: throw EHTMLPictureError("Could not load image");
    }
    // The platform's GIF reader places a frame on the whole animation area;
    // the picture is the frame itself, drawn at its position.
    if (frameSelected && FFrameXSize > 0 && FFrameYSize > 0 &&
        (FFrameXSize < FPicture.Width() || FFrameYSize < FPicture.Height()) &&
        FFrameXPos + FFrameXSize <= FPicture.Width() && FFrameYPos + FFrameYSize <= FPicture.Height()) {
        TBitmap frame(FFrameXSize, FFrameYSize);
        frame.SetPixelFormat(pf32bit);
        for (int y = 0; y < FFrameYSize; ++y)
            for (int x = 0; x < FFrameXSize; ++x) {
                const std::uint8_t* s = FPicture.ScanLine(FFrameYPos + y) + 4 * (FFrameXPos + x);
                std::copy(s, s + 4, frame.ScanLine(y) + 4 * x);
            }
        FPicture = frame;
    }
    FDecoded = true;
}

void THTMLPicture::Draw(TCanvas& Canvas, const TRect& Rect) const
{
    if (FIsEmpty || !FDecoded || FPicture.Empty()) return;
    if (FStretched)
        Canvas.StretchDraw(Rect, FPicture);
    else
        Canvas.Draw(Rect.Left, Rect.Top, FPicture);
}

int THTMLPicture::Width() const { return FDecoded ? FPicture.Width() : 0; }
int THTMLPicture::Height() const { return FDecoded ? FPicture.Height() : 0; }

int THTMLPicture::MaxWidth() const
{
    if (!FDecoded) return 0;
    return FAnimMaxX ? FAnimMaxX : Width();
}

int THTMLPicture::MaxHeight() const
{
    if (!FDecoded) return 0;
    return FAnimMaxY ? FAnimMaxY : Height();
}

void THTMLPicture::LoadFromFile(const std::string& FileName)
{
    std::string bytes;
    if (!ReadFileBytes(FileName, bytes)) {
        Reset();
        return;
    }
    Reset();
    FData.assign(bytes.begin(), bytes.end());
    if (FData.empty()) return;
    FIsEmpty = false;
    try {
        Decode();
    } catch (const EHTMLPictureError&) {
        Reset();
        return;
    }
    Changed();
}

void THTMLPicture::LoadFromStream(TStream* Stream)
{
    if (!Stream) return;
    Reset();
    FData.clear();
    std::uint8_t buf[65536];
    for (std::size_t n; (n = Stream->Read(buf, sizeof buf)) > 0;) FData.insert(FData.end(), buf, buf + n);
    FIsEmpty = FData.empty();
    Decode();
    Changed();
}

void THTMLPicture::SaveToStream(TStream& Stream) const
{
    if (!FData.empty()) Stream.WriteBuffer(FData.data(), FData.size());
}

void THTMLPicture::ReadData(TStream& Stream)
{
    Reset();
    FData.clear();
    std::uint8_t buf[65536];
    for (std::size_t n; (n = Stream.Read(buf, sizeof buf)) > 0;) FData.insert(FData.end(), buf, buf + n);
    if (FData.empty()) return;
    FIsEmpty = false;
    Decode();
}

void THTMLPicture::WriteData(TStream& Stream) const { SaveToStream(Stream); }

void THTMLPicture::LoadFromResourceName(const std::string& Name)
{
    const auto& r = Resources().byName;
    const auto it = r.find(UpperCase(Name));
    if (it == r.end()) return;
    TMemoryStream s(it->second);
    LoadFromStream(&s);
}

void THTMLPicture::LoadFromResourceID(int Id)
{
    const auto& r = Resources().byId;
    const auto it = r.find(Id);
    if (it == r.end()) return;
    TMemoryStream s(it->second);
    LoadFromStream(&s);
}

void THTMLPicture::LoadFromURL(const std::string& Address)
{
    const std::string up = UpperCase(Address);
    if (up.rfind("RES://", 0) == 0) {
        FID = Address;
        if (Address.size() > 6) LoadFromResourceName(Address.substr(6));
    } else if (up.rfind("FILE://", 0) == 0) {
        FID = Address;
        if (Address.size() > 7) LoadFromFile(Address.substr(7));
    } else if (!FAsynch) {
        FURL = Address;
        FID = Address;
    } else if (!FThreadBusy) {
        FURL = Address;
        FThreadBusy = true;
        TDownLoadThread(this).Execute();
    }
}

bool THTMLPicture::IsGIF() const
{
    return FData.size() >= 5 && FData[0] == 'G' && FData[1] == 'I' && FData[2] == 'F' && FData[3] == '8';
}

int THTMLPicture::FrameCount()
{
    if (FFrameCount == -1 && IsGIF()) FFrameCount = int(GIFFrameStarts(FData.data(), FData.size()).size());
    return FFrameCount;
}

int THTMLPicture::GetFrameTime(int FrameNumber) const
{
    if (!IsGIF() || FrameNumber < 1) return -1;
    const std::vector<std::size_t> starts = GIFFrameStarts(FData.data(), FData.size());
    if (std::size_t(FrameNumber) > starts.size()) return -1;
    return Word(FData, starts[std::size_t(FrameNumber) - 1] + 4);
}

void THTMLPicture::SetFrame(int Value)
{
    FFrame = Value;
    if (FData.empty()) return;
    Decode();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext()
{
    const int count = FrameCount();
    FFrame = FFrame < count ? FFrame + 1 : 1;
}

void THTMLPicture::FramePrev()
{
    const int count = FrameCount();
    FFrame = FFrame > 1 ? FFrame - 1 : std::max(count, 1);
}

bool THTMLPicture::Step()
{
    if (FFrameCount < 2 || FIsEmpty) return false;
    if (FNextCount == -1) FNextCount = GetFrameTime(FFrame);
    bool changed = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        // A frame the decoder refuses draws nothing until the next one.
        try {
            SetFrame(FFrame);
        } catch (const EHTMLPictureError&) {
            FDecoded = false;
        }
        FNextCount += std::max(GetFrameTime(FFrame), 0);
        changed = true;
    }
    ++FTimerCount;
    return changed;
}

void RegisterPictureResource(const std::string& Name, int Id, std::vector<std::uint8_t> Bytes)
{
    if (Id >= 0) Resources().byId[Id] = Bytes;
    Resources().byName[UpperCase(Name)] = std::move(Bytes);
}

void UnregisterPictureResource(const std::string& Name, int Id)
{
    Resources().byName.erase(UpperCase(Name));
    if (Id >= 0) Resources().byId.erase(Id);
}

// --- THTMLPictureCache ----------------------------------------------------------------------

THTMLPicture* THTMLPictureCache::AddPicture()
{
    FItems.push_back(std::make_unique<THTMLPicture>());
    return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const std::string& Id) const
{
    for (const auto& p : FItems)
        if (p->ID() == Id) return p.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[std::size_t(Index)].get();
}

void THTMLPictureCache::SetPicture(int Index, std::unique_ptr<THTMLPicture> Value)
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    FItems[std::size_t(Index)] = std::move(Value);
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto& p : FItems)
        if (p && p->Step()) changed = true;
    return changed;
}

// --- container ----------------------------------------------------------------------------

TPictureItem::TPictureItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FPicture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TPictureItem*>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    FName = src->FName;
    FTag = src->FTag;
    FPicture->Assign(src->FPicture.get());
}

TPictureCollection::TPictureCollection(TPictureContainer* AOwner)
    : TCollection([](TCollection* c) { return new TPictureItem(c); }), FOwner(AOwner)
{
}

TPictureItem* TPictureCollection::Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
TPictureItem* TPictureCollection::Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
TPictureItem* TPictureCollection::Items(int Index) const
{
    return static_cast<TPictureItem*>(TCollection::Items(Index));
}
void TPictureCollection::SetItems(int Index, const TPictureItem* Value) { Items(Index)->Assign(Value); }

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Picture()->Step()) changed = true;
    return changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const std::string& Name) const
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (SameText(FItems->Items(i)->Name(), Name)) return FItems->Items(i)->Picture();
    return nullptr;
}
