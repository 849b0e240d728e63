#pragma once
// Pictures of the mini-HTML renderer: a picture that keeps its file bytes
// and draws them through the platform's decoder (with frame selection for
// animated GIF files), the cache of pictures fetched by address, and the
// container of named pictures a form gives its grids.

#include "platform/ClassBase.h"
#include "platform/Graphics.h"
#include "platform/Streams.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Decoding failures of pictures loaded from streams and resources.
class EHTMLPictureError : public Exception {
public:
    using Exception::Exception;
};

// Frame starts of a GIF: the offsets of each graphic control extension
// (0x21 0xF9 0x04) whose image separator (0x2C) stands 8 bytes further, in
// byte order, with at least 9 bytes after the 0x21. Every read stays within
// data[0..size).
std::vector<std::size_t> GIFFrameStarts(const std::uint8_t* data, std::size_t size);

class THTMLPicture;
using TPictureNotify = std::function<void(THTMLPicture* Sender)>;

class THTMLPicture : public TPersistent {
public:
    THTMLPicture();
    ~THTMLPicture() override;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;
    std::string ClassName() const override { return "THTMLPicture"; }

    // Copies another picture's bytes and decodes them; nullptr clears the
    // picture; any other source leaves it empty.
    void Assign(const TPersistent* Source) override;
    // Nothing when empty or not decoded; stretched into Rect, or at its
    // top-left corner at the natural size.
    void Draw(TCanvas& Canvas, const TRect& Rect) const;
    bool Empty() const { return FIsEmpty; }
    // Natural size (pixels at 96 per inch); 0 when not decoded.
    int Width() const;
    int Height() const;
    void SetWidth(int) {}
    void SetHeight(int) {}
    // Failures leave the picture empty; nothing is raised.
    void LoadFromFile(const std::string& FileName);
    // Decoding errors raise EHTMLPictureError. A null stream does nothing.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream& Stream) const;
    // Form streaming of the raw bytes (reading decodes without OnChange).
    void ReadData(TStream& Stream);
    void WriteData(TStream& Stream) const;
    // Raw-data resources of the program (RegisterPictureResource).
    void LoadFromResourceName(const std::string& Name);
    void LoadFromResourceID(int Id);
    // "RES://name" and "FILE://path" load; other addresses are never
    // fetched: the picture stays empty.
    void LoadFromURL(const std::string& Address);

    int MaxWidth() const;
    int MaxHeight() const;
    bool IsGIF() const;
    // Frames of a GIF (counted once); -1 for other pictures.
    int FrameCount();
    // Delay of frame FrameNumber (1-based) in hundredths of a second; -1
    // when not a GIF or no such frame.
    int GetFrameTime(int FrameNumber) const;
    int Frame() const { return FFrame; }
    // Selects frame Value (1-based) and decodes again when there are bytes.
    void SetFrame(int Value);
    void FrameNext();
    void FramePrev();
    // One animation tick (every 100 ms); true when the frame changed.
    bool Step();

    bool Stretch() const { return FStretched; }
    void SetStretch(bool Value) { FStretched = Value; }
    bool IsDB() const { return FIsDB; }
    void SetIsDB(bool Value) { FIsDB = Value; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    bool Busy() const { return FThreadBusy; }
    void SetBusy(bool Value) { FThreadBusy = Value; }
    const std::string& URL() const { return FURL; }
    const std::string& ID() const { return FID; }
    void SetID(const std::string& Value) { FID = Value; }
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    const std::vector<std::uint8_t>& Bytes() const { return FData; }

    TPictureNotify OnChange;
    TPictureNotify OnFrameChange;
    // Published for remote loading, which does not happen: never fired.
    TPictureNotify OnDownLoadProgress, OnDownLoadCancel, OnDownLoadComplete, OnDownLoadError;

private:
    void Decode();
    void Changed();
    void Reset();
    std::vector<std::uint8_t> FData;
    bool FIsEmpty = true;
    bool FStretched = false;
    bool FDecoded = false;
    TBitmap FPicture;
    std::string FURL, FID;
    bool FIsDB = false, FAsynch = true, FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    std::uint16_t FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
    std::uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
};

// Registers raw picture bytes as a resource of the program, by name and,
// when Id is not negative, by number (for "RES://" sources).
void RegisterPictureResource(const std::string& Name, int Id, std::vector<std::uint8_t> Bytes);
void UnregisterPictureResource(const std::string& Name, int Id);

// Background loader of remote pictures; the program fetches nothing, so
// it ends at once.
class TDownLoadThread {
public:
    explicit TDownLoadThread(THTMLPicture* Picture) : FPicture(Picture) {}
    void Execute() {}
    THTMLPicture* Picture() const { return FPicture; }

private:
    THTMLPicture* FPicture;
};

// Pictures fetched by address; owns them.
class THTMLPictureCache {
public:
    THTMLPictureCache() = default;
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;
    int Count() const { return int(FItems.size()); }
    THTMLPicture* AddPicture();
    // First picture whose ID equals Id exactly; nullptr when none.
    THTMLPicture* FindPicture(const std::string& Id) const;
    // Checked: EListError outside 0..Count-1. SetPicture takes ownership
    // and frees the picture it replaces.
    THTMLPicture* GetPicture(int Index) const;
    void SetPicture(int Index, std::unique_ptr<THTMLPicture> Value);
    void ClearPictures() { FItems.clear(); }
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureCollection;
class TPictureContainer;

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* ACollection);
    ~TPictureItem() override;
    std::string ClassName() const override { return "TPictureItem"; }
    void Assign(const TPersistent* Source) override;
    THTMLPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const THTMLPicture* Value) { FPicture->Assign(Value); }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

private:
    std::unique_ptr<THTMLPicture> FPicture;
    std::string FName;
    int FTag = 0;
};

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TPictureContainer* AOwner);
    std::string ClassName() const override { return "TPictureCollection"; }
    TPictureItem* Add();
    TPictureItem* Insert(int Index);
    // Checked: EListError outside 0..Count-1.
    TPictureItem* Items(int Index) const;
    void SetItems(int Index, const TPictureItem* Value);
    TPictureContainer* Owner() const { return FOwner; }
    bool Animate();

private:
    TPictureContainer* FOwner;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner = nullptr);
    ~TPictureContainer() override;
    std::string ClassName() const override { return "TPictureContainer"; }
    TPictureCollection& Items() { return *FItems; }
    void SetItems(const TPictureCollection& Value) { FItems->Assign(&Value); }
    // Picture of the first item named Name, ignoring case; nullptr when none.
    virtual THTMLPicture* FindPicture(const std::string& Name) const;

private:
    std::unique_ptr<TPictureCollection> FItems;
};
