#pragma once
// Drag and drop formats of the grid and the cell checker.
//
// The grid exchanges text, rich text, a column index, a block of cells (its
// binary cell stream) and takes file lists and links from other programs.
// This layer knows the formats and nothing of the grid: the reader of an
// incoming transfer (TEnumFormats), the base drop target that sorts a drop
// by format into one of six handlers (TESGDropTarget), the outgoing data
// object with its format list (TSourceDataObject, TSourceEnumFormatEtc),
// the base drop source (TESGDropSource) and the two routines that start a
// drag. The grid's own target and source derive from the base classes.
//
// Incoming data is checked before use: a cell block is taken only when its
// stated length fits the block, a column only when it has its 4 bytes, and
// a file list only when it is well formed; anything else counts as absent.

#include "platform/ClassBase.h"
#include "platform/Classes.h"
#include "platform/DragDrop.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A cell stream: the bytes of the grid's binary cell format.
using TCellStream = std::vector<std::uint8_t>;

// Ids of the four named formats ("Rich Text Format", "Grid Column",
// "TExStringGrid Cells", "UniformResourceLocator"), registered once on
// first use and shared by the incoming and the outgoing side.
// The name of the grid's cell format, registered by the grid library's
// start-up as its clipboard format and used by drag and drop: one name,
// one id.
inline constexpr const char* GridCellsFormatName = "TExStringGrid Cells";

unsigned short CF_RTF();
unsigned short CF_GRIDCOLUMN();
unsigned short CF_GRIDCELLS();
unsigned short CF_URL();

// Rich-text drops (off until a grid's drag-and-drop settings switch them on).
void SetDropRTFEnabled(bool Value);
bool DropRTFEnabled();

enum TDropFormat : std::uint8_t { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
using TDropFormats = TSet<TDropFormat>;

// --- block layouts ----------------------------------------------------------------------------

// "TExStringGrid Cells": the byte count N (32 bits, low byte first), four
// zero bytes, the N bytes of the stream.
std::vector<std::uint8_t> GridCellsBlock(const TCellStream& Stream);
// The stream of a cell block; nothing when the block is shorter than its
// header or its stated count exceeds the bytes that follow.
std::optional<TCellStream> ParseGridCellsBlock(const std::vector<std::uint8_t>& Block);
// "Grid Column": the column as 32 bits, low byte first.
std::vector<std::uint8_t> GridColumnBlock(int Col);
// The column of a column block; nothing unless it has its 4 bytes.
std::optional<int> ParseGridColumnBlock(const std::vector<std::uint8_t>& Block);
// Text blocks: the bytes and a terminating zero (rich text and single-byte
// text carry the text's bytes unchanged), or UTF-16 units low byte first
// and a terminating zero unit.
std::vector<std::uint8_t> AnsiTextBlock(const std::string& Text);
std::vector<std::uint8_t> UnicodeTextBlock(const std::string& Text);
// Text up to the first zero (the whole block without one).
std::string ParseAnsiTextBlock(const std::vector<std::uint8_t>& Block);
std::string ParseUnicodeTextBlock(const std::vector<std::uint8_t>& Block);
// A file-drop block: offset of the names (32 bits), drop point (two 32-bit
// values), a flag, the wide flag (32 bits each), then the names, each ended
// by a zero, the list by an empty name. True and the names when the block
// is well formed; false and no names otherwise.
bool ParseFileDropBlock(const std::vector<std::uint8_t>& Block, TStringList& Files);
// A well-formed file-drop block of the names (wide names).
std::vector<std::uint8_t> FileDropBlock(const std::vector<std::string>& Files);

// --- incoming ---------------------------------------------------------------------------------

// Raised when a data object cannot list its formats.
class EDropAssertion : public Exception {
public:
    using Exception::Exception;
};

// Reads an incoming data object; lives for one enter or drop.
class TEnumFormats : public TObject {
public:
    // EDropAssertion ("Cannot get the format enumerator") when the data
    // object gives no format enumerator.
    explicit TEnumFormats(std::shared_ptr<IDataObject> DataObject);
    std::string ClassName() const override { return "TEnumFormats"; }

    void Reset();
    bool Next();
    bool HasFormat(unsigned short ClipFormat);
    // The current entry's block in that medium; null unless the current
    // entry is valid, offers the medium and the data object delivers.
    TGlobalBlock Handle(unsigned Tymed);
    TGlobalBlock GlobalHandle() { return Handle(TYMED_HGLOBAL); }

    bool HasText() { return HasFormat(CF_UNICODETEXT); }
    bool HasRTF() { return HasFormat(CF_RTF()); }
    bool HasCol() { return HasFormat(CF_GRIDCOLUMN()); }
    bool HasFile() { return HasFormat(CF_HDROP); }
    bool HasURL() { return HasFormat(CF_URL()); }
    bool HasGridCells() { return HasFormat(CF_GRIDCELLS()); }

    std::string Text();
    std::string RTF();
    // -1 when absent or malformed.
    int Col();
    // The cell stream; nothing when absent or malformed.
    std::optional<TCellStream> Stream();
    // Reads the names of the current file entry into Files; true when the
    // list has entries (a malformed list gives none).
    bool FileList();
    TStringList& Files() { return FFiles; }

    unsigned Aspect() const { return FFormatEtc.dwAspect; }
    unsigned short Format() const { return FFormatEtc.cfFormat; }
    int Index() const { return FFormatEtc.lindex; }
    unsigned Tymed() const { return FFormatEtc.tymed; }
    int Count() const { return FCount; }
    bool Valid() const { return FValid; }

private:
    std::vector<std::uint8_t> BlockOf(unsigned short ClipFormat, bool& found);

    std::shared_ptr<IDataObject> FDataObject;
    std::shared_ptr<IEnumFormatEtc> FEnumerator;
    TFormatEtc FFormatEtc;
    bool FValid = false;
    int FCount = 0;
    TStringList FFiles;
};

// The effect of a drop: copy with Ctrl held, else move when allowed, else
// copy.
int DropEffectOf(TShiftState KeyState, int Allowed);

// Base drop target: decides whether a drag can be dropped and hands a drop
// to one of the handlers (all empty here). Points are screen coordinates.
class TESGDropTarget {
public:
    virtual ~TESGDropTarget() = default;

    HRESULT DragEnter(const std::shared_ptr<IDataObject>& DataObject, TShiftState KeyState, TPoint pt, int& Effect);
    HRESULT DragOver(TShiftState KeyState, TPoint pt, int& Effect);
    HRESULT DragLeave();
    HRESULT Drop(const std::shared_ptr<IDataObject>& DataObject, TShiftState KeyState, TPoint pt, int& Effect);

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptCols = false;
    bool AcceptURLs = true;
    bool Ok() const { return FOk; }
    TDropFormats DropFormats() const { return FDropFormats; }

protected:
    virtual void DropText(TPoint, const std::string&) {}
    // The stream lives until the handler returns.
    virtual void DropStream(TPoint, const TCellStream&) {}
    virtual void DropCol(TPoint, int) {}
    virtual void DropRTF(TPoint, const std::string&) {}
    virtual void DropFiles(TPoint, TStringList&) {}
    virtual void DropURL(TPoint, const std::string&) {}
    virtual void DragMouseMove(TPoint, bool& /*Allow*/, TDropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

private:
    bool FOk = false;
    TDropFormats FDropFormats;
};

// Base drop source: ends the drag on Escape (cancel) or on the left button
// released (drop); remembers whether the last feedback showed no effect.
class TESGDropSource : public IDropSource {
public:
    HRESULT QueryContinueDrag(bool EscapePressed, TShiftState KeyState) override;
    HRESULT GiveFeedback(int Effect) override;
    bool NoAccept() const { return FNoAccept; }

protected:
    virtual void DragStopped() {}
    virtual void CurrentEffect(int /*Effect*/) {}
    virtual void QueryDrag() {}

private:
    bool FNoAccept = false;
};

// --- outgoing ---------------------------------------------------------------------------------

// The data of a drag started by a grid: text, rich text, a column, a cell
// stream (not owned: the starter keeps it until the drag loop returns).
class TSourceDataObject : public IDataObject {
public:
    TSourceDataObject(std::string Text, std::string RTF, int Col, const TCellStream* Stream);

    HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) override;
    HRESULT GetDataHere(const TFormatEtc&, TStgMedium&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const TFormatEtc& format) override;
    HRESULT GetCanonicalFormatEtc(const TFormatEtc& in, TFormatEtc& out) override;
    HRESULT SetData(const TFormatEtc&, const TStgMedium&, bool) override { return DV_E_FORMATETC; }
    HRESULT EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out) override;
    HRESULT DAdvise(const TFormatEtc&, unsigned, int&) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(int) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise() override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::string textdata;
    std::string rtfdata;
    int scolidx;
    const TCellStream* memstr;
};

// Lists CF_TEXT, CF_UNICODETEXT, "Rich Text Format", then "Grid Column"
// and "TExStringGrid Cells" when the data has them.
class TSourceEnumFormatEtc : public IEnumFormatEtc {
public:
    TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, unsigned Index = 0)
        : FIndex(Index), FHasCol(HasCol), FHasGridCells(HasGridCells)
    {
    }
    HRESULT Next(unsigned celt, TFormatEtc* rgelt, unsigned* fetched) override;
    HRESULT Skip(unsigned celt) override;
    HRESULT Reset() override;
    HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) override;

private:
    std::vector<unsigned short> Formats() const;
    unsigned FIndex;
    bool FHasCol;
    bool FHasGridCells;
};

// Start a drag of text, rich text and cells, or of a column. The result is
// DRAGDROP_S_CANCEL when the source's last feedback showed no effect, else
// the drag loop's; Effect gets the performed effect.
HRESULT StartTextDragDrop(TESGDropSource& DropSource, const std::string& Text, const std::string& RTF,
                          const TCellStream* Stream, int OkEffects, int& Effect);
HRESULT StartColumnDragDrop(TESGDropSource& DropSource, int Column, int OkEffects, int& Effect);

// --- the cell checker -------------------------------------------------------------------------

// Checks cells for the grid's cell check: derive and override Correct and
// MarkError (both return the text unchanged here).
class TExStringGridCheck : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TExStringGridCheck"; }

    virtual std::string MarkError(int ACol, int ARow, const std::string& S);
    virtual std::string Correct(int ACol, int ARow, const std::string& S);
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    bool GotoCell = false;
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    bool UseCorrect = false;
    bool UseMarkError = false;
};
