#pragma once
// Sort settings of a string grid (its SortSettings): the sort column and
// direction, header-click sorting, indexed (multi-key) sorting, blank
// placement, the sort glyphs and the colours of the sorted column's header.
// The grid creates the object and keeps it for its whole life.

#include "widgets/GridTypes.h"

#include "platform/ClassBase.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <memory>

class TExStringGrid;

enum TIndexSortKey : std::uint8_t { ikShift, ikCtrl };
enum TSortBlankPosition : std::uint8_t { blFirst, blLast };

class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TExStringGrid* AGrid);
    ~TSortSettings() override;
    std::string ClassName() const override { return "TSortSettings"; }
    // From another TSortSettings: everything but IgnoreCase and
    // SortOnVirtualCells (Row as it is, unchecked against this grid's fixed
    // rows); any other source changes nothing.
    void Assign(const TPersistent* Source) override;

    // Column -1: not sorted. Removes the sort: Column -1, no key columns.
    void Remove();
    void ToggleDirection();
    // The sort as one text: "u3" / "d3" (column 3 ascending / descending),
    // or with IndexShow "i;" and the key list ("i;u1;d3").
    std::string SaveToString() const;
    // Applies such a text and sorts: nothing for an empty text; otherwise
    // Show on, then EExGridError "Invalid sort settings specifier" for a
    // text of one character. A column that is no number changes Direction
    // and Show only; "i;" alone turns indexed mode on and sorts nothing.
    void LoadFromString(const std::string& Value);

    // Repaints the grid.
    bool Show() const { return FShow; }
    void SetShow(bool Value);
    // The fixed row whose header cells sort on a click: EExGridError "Sort
    // row should be smaller than number of fixed rows" (and no change) for a
    // row that is no fixed row of the grid.
    int Row() const { return FRow; }
    void SetRow(int Value);
    // Sort glyphs; the setters copy the bitmap.
    const TBitmap& UpGlyph() const { return *FUpGlyph; }
    void SetUpGlyph(const TBitmap& Value) { FUpGlyph->Assign(&Value); }
    const TBitmap& DownGlyph() const { return *FDownGlyph; }
    void SetDownGlyph(const TBitmap& Value) { FDownGlyph->Assign(&Value); }
    const TBitmap& IndexUpGlyph() const { return *FIndexUpGlyph; }
    void SetIndexUpGlyph(const TBitmap& Value) { FIndexUpGlyph->Assign(&Value); }
    const TBitmap& IndexDownGlyph() const { return *FIndexDownGlyph; }
    void SetIndexDownGlyph(const TBitmap& Value) { FIndexDownGlyph->Assign(&Value); }
    // Colours of the sorted column's header; a change repaints the last
    // fixed row.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { SetHeaderColour(FHeaderColor, Value); }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { SetHeaderColour(FHeaderColorTo, Value); }
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor Value) { SetHeaderColour(FHeaderMirrorColor, Value); }
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor Value) { SetHeaderColour(FHeaderMirrorColorTo, Value); }

    int Column = -1;
    TSortDirection Direction = sdAscending;
    TSortDirection InitSortDirection = sdAscending;
    bool IndexShow = false;
    TIndexSortKey IndexSortKey = ikShift;
    TColor IndexColor = 0x0000FFFF;
    bool Full = true;
    bool SingleColumn = false;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true;
    bool IgnoreCase = false;
    bool SortOnVirtualCells = true;
    bool FixedCols = false;
    bool NormalCellsOnly = false;
    bool UndoSort = false;
    bool AutoSortForGrouping = true;
    bool AutoColumnMerge = false;

private:
    void SetHeaderColour(TColor& Field, TColor Value);
    void RepaintHeaderRow();

    TExStringGrid* FGrid;
    bool FShow = false;
    int FRow = 0;
    std::unique_ptr<TBitmap> FUpGlyph;
    std::unique_ptr<TBitmap> FDownGlyph;
    std::unique_ptr<TBitmap> FIndexUpGlyph;
    std::unique_ptr<TBitmap> FIndexDownGlyph;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
};
