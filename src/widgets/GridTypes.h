#pragma once
// Helper objects and enumerations of the grid: integer lists bound to a
// cell, the sort-column list, the list of controls placed on cells, the line
// reader/writer of the file formats, and the enumerations the grid's
// interface is typed with. The ordinals of the enumerations are stored in
// form files and compared by the painter and the editors: keep their order.

#include "platform/ClassBase.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>


enum TEditorType : std::uint8_t {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edExGridDropDown, edPositiveFloat,
    edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};

enum TCellBorder : std::uint8_t { cbTop, cbLeft, cbRight, cbBottom };
// Set of TCellBorder: bit (1 << border).
using TCellBorders = std::uint8_t;
constexpr TCellBorders CellBorderBit(TCellBorder b) { return static_cast<TCellBorders>(1u << b); }

enum TCellGradientDirection : std::uint8_t { GradientVertical, GradientHorizontal };

enum TSortStyle : std::uint8_t {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox, ssDateTime,
    ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

enum TVAlignment : std::uint8_t { vtaTop, vtaCenter, vtaBottom };
enum TSortDirection : std::uint8_t { sdAscending, sdDescending };
enum TArrowDirection : std::uint8_t { arrUp, arrDown, arrLeft, arrRight };
enum TExGridButtonStyle : std::uint8_t { tasButton, tasCheck };
enum TSearchDirection : std::uint8_t { sdTopBottom, sdLeftRight };
enum THomeEndAction : std::uint8_t { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TClipboardPasteAction : std::uint8_t { paReplace, paInsert };
enum TAdvanceDirection : std::uint8_t { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition : std::uint8_t { pInsertBefore, pInsertAfter };
enum TCursorAdvance : std::uint8_t { caDefault, caSnake, caLoop };
enum TGridFixedCellEdit : std::uint8_t { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor : std::uint8_t { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction : std::uint8_t { waMoveSelection, waScroll };

enum TCellShape : std::uint8_t {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
    csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp, csArrowDown,
    csArrowLeft, csArrowRight, csHalfStar
};

// Change event of the integer lists: (Sender, Acol, Arow).
using TImageChangeEvent = std::function<void(TObject* Sender, int Acol, int Arow)>;

// List of 32-bit integers bound to one cell; Add, Delete and item writes
// fire OnChange with the cell.
class TIntList : public TObject {
public:
    TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}
    std::string ClassName() const override { return "TIntList"; }

    int Count() const { return static_cast<int>(items_.size()); }
    int Add(int Value);
    void Insert(int Index, int Value);
    void Delete(int Index);
    void DeleteValue(int Value);
    bool HasValue(int Value) const;
    void Clear() { items_.clear(); }
    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);
    int Items(int Index) const { return GetInteger(Index); }
    // Items as "1,-2,3"; writing parses comma text and adds each item
    // (EConvertError on an item that is not an integer, after the items
    // before it were added).
    std::string GetStrValue() const;
    void SetStrValue(const std::string& Value);

    int Col() const { return FCol; }
    int Row() const { return FRow; }
    TImageChangeEvent OnChange;

protected:
    void Changed();

private:
    void Check(int Index) const;
    std::vector<int> items_;
    int FCol;
    int FRow;
};

// Sort columns: bits 0..30 the column, bit 31 set for descending.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(0, 0) {}
    std::string ClassName() const override { return "TSortIndexList"; }
    void AddIndex(int ColumnIndex, bool Ascending);
    int FindIndex(int ColumnIndex) const;
    void ToggleIndex(int ColumnIndex);
    int GetSortColumns(int i) const;
    void SetSortColumns(int i, int Value);
    bool GetSortDirections(int i) const;
    void SetSortDirections(int i, bool Value);
    // "u2;d0": column 2 ascending, then column 0 descending.
    std::string SaveToString() const;
    void LoadFromString(const std::string& s);
};

// One control placed on a cell (the control is not owned).
class TControl;

class TControlItem : public TObject {
public:
    TControlItem(int X, int Y, TObject* AObject) : FX(X), FY(Y), FObject(AObject) {}
    int FX;
    int FY;
    TObject* FObject;
};

// Owns its items; the controls stay with whoever created them.
class TControlList {
public:
    TControlList() = default;
    TControlList(const TControlList&) = delete;
    TControlList& operator=(const TControlList&) = delete;
    ~TControlList();

    int Count() const { return static_cast<int>(items_.size()); }
    void AddControl(int X, int Y, TObject* AObject);
    int ControlIndex(int X, int Y) const;
    TControlItem* GetControl(int i) const;
    TControlItem* Control(int i) const { return GetControl(i); }
    void RemoveControl(int Index);
    // True when some item's control is the control Window (every control
    // of the platform is a window of its own).
    bool HasHandle(const TControl* Window) const;

private:
    std::vector<std::unique_ptr<TControlItem>> items_;
};

// A picture file that cannot be loaded.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A picture kept as its file name: the size is read when the name is set,
// the file is loaded again for each drawing (nothing is kept loaded).
class TFilePicture : public TPersistent {
public:
    std::string ClassName() const override { return "TFilePicture"; }
    // From another TFilePicture: name, width and height.
    void Assign(const TPersistent* Source) override;
    const std::string& Filename() const { return FFilename; }
    // Takes the name; a file that cannot be loaded raises EInvalidGraphic
    // and leaves the size as it was.
    void SetFilename(const std::string& Value);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Stretches the picture into R; nothing for an empty name or a file
    // that cannot be loaded any more.
    void DrawPicture(TCanvas& Canvas, const TRect& R) const;

private:
    std::string FFilename;
    int FWidth = 0;
    int FHeight = 0;
};

// Line reader and writer over a string list, used by the file formats.
class TFileStringList : public TStringList {
public:
    void Reset()
    {
        fp = 0;
        cache.clear();
    }
    bool Eof() const { return fp >= Count(); }
    // Raises EListError past the last line.
    void ReadLn(std::string& s);
    void Write(const std::string& s) { cache += s; }
    void WriteLn(const std::string& s);

    int fp = 0;
    std::string cache;
};

// True when v holds each of 0..n-1 exactly once (an order of n columns or
// rows that can be applied without moving anything out of range).
bool IsPermutation(const std::vector<int>& v, int n);
