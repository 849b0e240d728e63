#include "widgets/grid_io/SortSettings.h"

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"

#include "platform/SysUtils.h"

TSortSettings::TSortSettings(TExStringGrid* AGrid)
    : FGrid(AGrid), FUpGlyph(std::make_unique<TBitmap>()), FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()), FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSortSettings*>(Source);
    if (!s || s == this) return;
    AutoSortForGrouping = s->AutoSortForGrouping;
    AutoColumnMerge = s->AutoColumnMerge;
    Column = s->Column;
    FShow = s->FShow;
    IndexShow = s->IndexShow;
    IndexColor = s->IndexColor;
    Full = s->Full;
    SingleColumn = s->SingleColumn;
    IgnoreBlanks = s->IgnoreBlanks;
    BlankPos = s->BlankPos;
    AutoFormat = s->AutoFormat;
    Direction = s->Direction;
    FUpGlyph->Assign(s->FUpGlyph.get());
    FDownGlyph->Assign(s->FDownGlyph.get());
    FIndexUpGlyph->Assign(s->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(s->FIndexDownGlyph.get());
    IndexSortKey = s->IndexSortKey;
    InitSortDirection = s->InitSortDirection;
    FixedCols = s->FixedCols;
    NormalCellsOnly = s->NormalCellsOnly;
    FRow = s->FRow;
    UndoSort = s->UndoSort;
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderMirrorColor = s->FHeaderMirrorColor;
    FHeaderMirrorColorTo = s->FHeaderMirrorColorTo;
}

void TSortSettings::Remove()
{
    Column = -1;
    if (!FGrid) return;
    FGrid->SortIndexes().Clear();
    RepaintHeaderRow();
}

void TSortSettings::ToggleDirection()
{
    Direction = Direction == sdAscending ? sdDescending : sdAscending;
}

std::string TSortSettings::SaveToString() const
{
    if (IndexShow) return "i;" + (FGrid ? FGrid->SortIndexes().SaveToString() : std::string());
    return (Direction == sdDescending ? "d" : "u") + std::to_string(Column);
}

void TSortSettings::LoadFromString(const std::string& Value)
{
    if (Value.empty()) return;
    SetShow(true);
    if (Value.size() < 2) throw EExGridError("Invalid sort settings specifier");
    if (Value.find("i;") == std::string::npos) {
        IndexShow = false;
        Direction = Value.find('u') != std::string::npos ? sdAscending : sdDescending;
        int col = 0;
        if (!TryStrToInt(Value.substr(1), col)) return;
        // A negative column is the text of an unsorted grid ("u-1"): no sort.
        if (col < 0) col = -1;
        if (FGrid && col >= FGrid->AllColCount()) throw EExGridError("Invalid column accessed");
        Column = col;
        if (FGrid) FGrid->QSort();
        return;
    }
    IndexShow = true;
    const std::string keys = Value.substr(2);
    if (keys.empty() || !FGrid) return;
    // The stored columns are checked before the key list changes.
    TSortIndexList read;
    read.LoadFromString(keys);
    for (int k = 0; k < read.Count(); ++k)
        if (read.GetSortColumns(k) >= FGrid->AllColCount()) throw EExGridError("Invalid column accessed");
    TSortIndexList& list = FGrid->SortIndexes();
    list.Clear();
    for (int k = 0; k < read.Count(); ++k) list.Add(read.Items(k));
    FGrid->QSortIndexed();
}

void TSortSettings::SetShow(bool Value)
{
    FShow = Value;
    if (FGrid) FGrid->Invalidate();
}

void TSortSettings::SetRow(int Value)
{
    // A negative row is no fixed row either: it is refused the same way.
    if (FGrid && (Value >= FGrid->FixedRows() || Value < 0))
        throw EExGridError("Sort row should be smaller than number of fixed rows");
    FRow = Value;
}

void TSortSettings::SetHeaderColour(TColor& Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    RepaintHeaderRow();
}

void TSortSettings::RepaintHeaderRow()
{
    if (FGrid && FGrid->FixedRows() > 0) FGrid->InvalidateRow(FGrid->FixedRows() - 1);
}
