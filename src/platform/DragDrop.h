#pragma once
// Drag and drop between windows and programs, and the registry of named
// clipboard formats, as the grid's data layer sees them.
//
// A transfer is a data object that offers its content in one or more
// formats (a format id plus the medium it is delivered in). Only blocks of
// memory are used as a medium here; a block is a shared byte vector. The
// result codes, format ids and effect bits keep the values other programs
// use for them, so code written against them reads the same everywhere.
//
// DoDragDrop runs the modal drag loop through the window system (a seam:
// tests replace it with SetDoDragDrop). Nothing here includes window-system
// headers.

#include "platform/Input.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMimeData;

using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

// Predefined formats.
constexpr unsigned short CF_TEXT = 1;
constexpr unsigned short CF_UNICODETEXT = 13;
constexpr unsigned short CF_HDROP = 15;

constexpr unsigned DVASPECT_CONTENT = 1;
// Medium kinds (bits).
constexpr unsigned TYMED_HGLOBAL = 1;
constexpr unsigned TYMED_FILE = 2;
constexpr unsigned TYMED_ISTREAM = 4;
// Directions of a format enumeration.
constexpr unsigned DATADIR_GET = 1;
constexpr unsigned DATADIR_SET = 2;
// Drop effects (bits).
constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;
constexpr int DROPEFFECT_LINK = 4;

// One format entry: format id, target device (none here), aspect, index and
// the medium kinds it may come in.
struct TFormatEtc {
    unsigned short cfFormat = 0;
    bool HasTargetDevice = false;
    unsigned dwAspect = DVASPECT_CONTENT;
    int lindex = -1;
    unsigned tymed = TYMED_HGLOBAL;
};

// A block of memory handed over with a transfer.
using TGlobalBlock = std::shared_ptr<std::vector<std::uint8_t>>;

struct TStgMedium {
    unsigned tymed = 0;
    TGlobalBlock hGlobal;
};

class IEnumFormatEtc {
public:
    virtual ~IEnumFormatEtc() = default;
    // Up to celt entries into rgelt; fetched (when not null) gets how many;
    // S_FALSE when fewer than celt came.
    virtual HRESULT Next(unsigned celt, TFormatEtc* rgelt, unsigned* fetched) = 0;
    virtual HRESULT Skip(unsigned celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) = 0;
};

class IDataObject {
public:
    virtual ~IDataObject() = default;
    virtual HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) = 0;
    virtual HRESULT GetDataHere(const TFormatEtc& format, TStgMedium& medium) = 0;
    virtual HRESULT QueryGetData(const TFormatEtc& format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const TFormatEtc& in, TFormatEtc& out) = 0;
    virtual HRESULT SetData(const TFormatEtc& format, const TStgMedium& medium, bool release) = 0;
    virtual HRESULT EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out) = 0;
    virtual HRESULT DAdvise(const TFormatEtc& format, unsigned flags, int& connection) = 0;
    virtual HRESULT DUnadvise(int connection) = 0;
    virtual HRESULT EnumDAdvise() = 0;
};

class IDropSource {
public:
    virtual ~IDropSource() = default;
    // Asked while the drag runs: Escape pressed, the keys and buttons held.
    virtual HRESULT QueryContinueDrag(bool EscapePressed, TShiftState KeyState) = 0;
    virtual HRESULT GiveFeedback(int Effect) = 0;
};

// Id of a named format (0xC000 and up), the same id for the same name
// (letter case ignored); 0 for an empty name.
unsigned short RegisterClipboardFormat(const std::string& name);
// Name of a registered format; empty for other ids.
std::string ClipboardFormatName(unsigned short id);

// The modal drag loop: offers data, asks source while the user drags,
// Effect gets the performed effect. Returns DRAGDROP_S_DROP or
// DRAGDROP_S_CANCEL (or an error code).
using TDoDragDropFn =
    std::function<HRESULT(const std::shared_ptr<IDataObject>& data, IDropSource& source, int okEffects, int& effect)>;
HRESULT DoDragDrop(const std::shared_ptr<IDataObject>& data, IDropSource& source, int okEffects, int& effect);
// Replaces the drag loop (nullptr: the window system's again).
void SetDoDragDrop(TDoDragDropFn fn);

// A data object holding ready blocks by format (what a drop from another
// window or program delivers). Offers each block as global memory.
class TBlockDataObject : public IDataObject {
public:
    void Add(unsigned short format, std::vector<std::uint8_t> bytes);
    HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) override;
    HRESULT GetDataHere(const TFormatEtc&, TStgMedium&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const TFormatEtc& format) override;
    HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& out) override
    {
        out.HasTargetDevice = false;
        return E_NOTIMPL;
    }
    HRESULT SetData(const TFormatEtc&, const TStgMedium&, bool) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out) override;
    HRESULT DAdvise(const TFormatEtc&, unsigned, int&) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(int) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise() override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::pair<unsigned short, TGlobalBlock>> blocks_;
};

// What a drop from the window system carries, as a data object: its text
// (CF_UNICODETEXT), rich text, local files (a file-drop block of wide
// names), a link (the "UniformResourceLocator" format with the link also as
// text) and the blocks of this program's own named formats.
std::shared_ptr<TBlockDataObject> DataObjectFromMime(const QMimeData& mime);
