#pragma once
// TExColumnGrid: the string grid with one settings item per column. The
// grid of the program's windows: a window lays out its columns through
// Columns[i] (header, width, editor, combo list, check-box texts) and every
// per-cell question (colour, alignment, editor, editability, number format,
// check-box texts) is answered by the column's item first and by the
// application's event last.
//
// Item i belongs to the column whose real index (hidden columns counted) is
// i; after every public operation the item count is ColCount +
// NumHiddenColumns.

#include "widgets/ExStringGrid.h"

#include "platform/ClassBase.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

class TExColumnGrid;
class TGridColumnCollection;
class TXmlDocument;

enum TColumnPopupType : std::uint8_t {
    cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick, cpAllCellsRClick,
    cpAllCellsLClick
};

// Settings of one column. Setters with an effect on the grid are methods;
// the other settings are plain fields, read the next time the grid asks.
class TGridColumnItem : public TCollectionItem {
public:
    // With a collection the fonts start as copies of the grid's font, Color
    // as the grid's colour, and changes of Font, HeaderFont and BorderPen
    // update the collection. Without one (a spare item) the fonts have their
    // defaults, Color is 0 and nothing is linked.
    explicit TGridColumnItem(TCollection* ACollection);
    ~TGridColumnItem() override;
    std::string ClassName() const override { return "TGridColumnItem"; }

    // Copies every setting of another column item except ColumnPopupType,
    // PrintBorderCustom and PrintFontCustom; the width is stored in this
    // item only (the grid is not resized). Other sources change nothing.
    void Assign(const TPersistent* Source) override;
    // The look of another item: as Assign, but Color and Font come from the
    // grid, and ComboItems, DropDownCount, HeaderFont, Header, Name, Tag,
    // ColumnPopupType, PrintBorderCustom and PrintFontCustom stay.
    void AssignVisuals(const TPersistent* Source);
    // "Col 3: Price" with a name, else "Column 3".
    std::string GetDisplayName() const;
    std::string DisplayName() const override { return GetDisplayName(); }

    // The grid of the collection (nullptr outside one).
    TExColumnGrid* Grid() const;

    // --- settings with an effect on the grid
    // The grid's width of the column (real index); 0 outside a collection.
    // Items of a settings copy (not the grid's own Columns) answer their
    // stored width.
    int Width() const;
    void SetWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    const std::string& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const std::string& Value);
    // Stores the caption; with a fixed row also writes row 0 (unless a
    // dragged column is being moved) and updates the collection; then
    // refills the grid's ColumnHeaders from every item.
    const std::string& Header() const { return FHeader; }
    void SetHeader(const std::string& Value);
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value);
    TFont& HeaderFont() { return FHeaderFont; }
    const TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont& Value);
    TFont& PrintFont() { return FPrintFont; }
    const TFont& PrintFont() const { return FPrintFont; }
    void SetPrintFont(const TFont& Value) { FPrintFont.Assign(Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPen& BorderPen() { return FBorderPen; }
    const TPen& BorderPen() const { return FBorderPen; }
    void SetBorderPen(const TPen& Value) { FBorderPen.Assign(Value); }
    TPen& PrintBorderPen() { return FPrintBorderPen; }
    const TPen& PrintBorderPen() const { return FPrintBorderPen; }
    void SetPrintBorderPen(const TPen& Value) { FPrintBorderPen.Assign(Value); }
    TStringList& ComboItems() { return FComboItems; }
    const TStringList& ComboItems() const { return FComboItems; }
    void SetComboItems(const TStringList& Value) { FComboItems = Value; }
    // Entries of the header filter drop-down: a caption, optionally
    // followed by "=" and the condition. Written as a whole it repaints.
    TStringList& Filter() { return FFilter; }
    const TStringList& Filter() const { return FFilter; }
    void SetFilter(const TStringList& Value);
    // Repaints only when the data check box is involved.
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value);
    // Menu and editor link of the column: references, cleared by the grid
    // when the component goes.
    TComponent* ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(TComponent* Value);
    TComponent* EditLink() const { return FEditLink; }
    void SetEditLink(TComponent* Value);

    // --- cells of the column (through the grid's accessors)
    std::string Rows(int idx) const;
    void SetRows(int idx, const std::string& Value);
    int Ints(int idx) const;
    void SetInts(int idx, int Value);
    double Floats(int idx) const;
    void SetFloats(int idx, double Value);
    // Date and time values of the column's cells (TDateTime).
    double Dates(int idx) const;
    void SetDates(int idx, double Value);
    double Times(int idx) const;
    void SetTimes(int idx, double Value);

    // --- plain settings
    int AutoMinSize = 0;
    int AutoMaxSize = 0;
    std::string CheckFalse = "N";
    std::string CheckTrue = "Y";
    TColumnPopupType ColumnPopupType = cpFixedCellsRClick;
    int DropDownCount = 8;
    int EditLength = 0;
    std::string EditMask;
    bool FilterCaseSensitive = false;
    int MinSize = 0;
    int MaxSize = 0;
    std::string Name;
    bool PrintBorderCustom = true;
    TCellBorders PrintBorders =
        CellBorderBit(cbTop) | CellBorderBit(cbLeft) | CellBorderBit(cbRight) | CellBorderBit(cbBottom);
    TColor PrintColor = 0xFFFFFF;
    bool PrintFontCustom = true;
    bool ReadOnly = false;
    TSortStyle SortStyle = ssAutomatic;
    std::string SortPrefix;
    std::string SortSuffix;
    int SpinMax = 0;
    int SpinMin = 0;
    int SpinStep = 1;
    int Tag = 0;

    // The remembered design position (see SetOrganization).
    int DefIdx() const { return FDefIdx; }
    void SetDefIdx(int Value) { FDefIdx = Value; }
    // The width last known to the item (kept while the grid sizes columns).
    int StoredWidth() const { return FWidth; }
    void SetStoredWidth(int Value) { FWidth = Value; }

private:
    friend class TGridColumnCollection;
    friend class TExColumnGrid;
    TGridColumnCollection* ColumnCollection() const;
    // The grid's own Columns (not a settings copy).
    TExColumnGrid* OwnGrid() const;
    void CopySettings(const TGridColumnItem& s, bool visualsOnly);
    void NotifyUpdate();
    void RepaintGrid() const;

    TAlignment FAlignment = TAlignment::taLeftJustify;
    TAlignment FHeaderAlignment = TAlignment::taLeftJustify;
    TCellBorders FBorders = 0;
    TPen FBorderPen;
    TPen FPrintBorderPen;
    TColor FColor = 0;
    TComponent* FColumnPopup = nullptr;
    TComponent* FEditLink = nullptr;
    TStringList FComboItems;
    TStringList FFilter;
    TEditorType FEditor = edNormal;
    bool FFixed = false;
    std::string FFloatFormat;
    TFont FFont;
    TFont FHeaderFont;
    TFont FPrintFont;
    std::string FHeader;
    bool FPassword = false;
    bool FShowBands = false;
    int FWidth = 50;
    int FDefIdx = 0;
};

// The items of a column grid, one per column. Adding an item adds a column;
// removing the last one removes a column, never below FixedCols + 1.
class TGridColumnCollection : public TCollection {
public:
    explicit TGridColumnCollection(TExColumnGrid* AOwner);
    std::string ClassName() const override { return "TGridColumnCollection"; }

    TExColumnGrid* GetOwner() const { return FOwner; }
    // Checked: an index outside 0..Count-1 raises EListError.
    TGridColumnItem* Items(int Index) const;
    TGridColumnItem* operator[](int Index) const { return Items(Index); }
    // Writing assigns the given item's settings to the item at Index.
    void SetItem(int Index, const TGridColumnItem& Value);
    // A new last item continuing the look of the item before it.
    TGridColumnItem* Add();
    // A new item with the defaults at Index.
    TGridColumnItem* Insert(int Index);

    // Brings the item count in step with the grid and remembers every
    // item's position as its design position.
    void SetOrganization();
    // Moves the grid's columns back into their design positions; does
    // nothing unless those positions are a permutation of the items.
    void ResetOrganization();

    // While set, item changes neither resize the grid nor rebuild headers.
    bool NoRecursiveUpdate = false;

protected:
    void Update(TCollectionItem* Item) override;

private:
    friend class TGridColumnItem;
    TExColumnGrid* FOwner;
};

// The column settings of a grid as a component of their own: the form in
// which SaveColumnsToStream writes them (an XML document).
class TExColumnGridIO : public TComponent {
public:
    explicit TExColumnGridIO(TExColumnGrid* AOwner);
    std::string ClassName() const override { return "TExColumnGridIO"; }
    TGridColumnCollection& Items() { return *FItems; }

    // The settings as an XML document (root "TExColumnGridIO", one "Column"
    // element per item).
    void WriteTo(TXmlDocument& Doc) const;
    // Reads the items from a document written by WriteTo. False, with the
    // items left as they were, when the document is not such a settings
    // document or a value is out of range.
    bool ReadFrom(const TXmlDocument& Doc);
    // Whether the design positions read form a permutation of the items.
    bool PositionsValid() const { return FPositionsValid; }

private:
    std::unique_ptr<TGridColumnCollection> FItems;
    bool FPositionsValid = true;
};

using TColumnPopupEvent = std::function<void(TObject* Sender, int ACol, int ARow, TComponent* PopupMenu)>;
using TAfterColumnMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetFloatFormatEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, std::string& FloatFormat)>;

class TExColumnGrid : public TExStringGrid {
public:
    explicit TExColumnGrid(TComponent* AOwner = nullptr);
    explicit TExColumnGrid(std::nullptr_t) : TExColumnGrid(static_cast<TComponent*>(nullptr)) {}
    // A grid placed on a form or panel, which owns it (see SetParent).
    explicit TExColumnGrid(TWinControl* AParent) : TExColumnGrid(static_cast<TComponent*>(nullptr))
    {
        SetParent(AParent);
    }
    ~TExColumnGrid() override;
    std::string ClassName() const override { return "TExColumnGrid"; }

    TGridColumnCollection& Columns() { return *FColumns; }
    const TGridColumnCollection& Columns() const { return *FColumns; }
    // Copies the given collection's items; the grid follows their count.
    void SetColumns(const TGridColumnCollection& Value);

    // The string grid's count; the items follow it.
    void SetColCount(int Value);
    // The first item with exactly that name, or nullptr.
    TGridColumnItem* GetColumnByName(const std::string& AValue) const;

    // Column settings as an XML stream. A stream that is not a settings
    // document of this grid's column count changes nothing (false); design
    // positions that are no permutation of the columns are not taken.
    void SaveColumnsToStream(std::ostream& st);
    bool LoadColumnsFromStream(std::istream& st);
    // Column order in the INI file Key: one integer "CP<i>" in Section per
    // item, its design position. Loading changes nothing unless every key
    // is there and the values are a permutation of the items.
    void SaveColumnPositions(const std::string& Key, const std::string& Section);
    void LoadColumnPositions(const std::string& Key, const std::string& Section);
    // With ColumnSize.Location = clIniFile the INI file ColumnSize.Key,
    // section ColumnSize.Section; else the string grid's own store.
    void SaveColPositions() override;
    void LoadColPositions() override;

    // $03010301: 3.1.3.1, "3.1.3.1 Aug, 2012".
    int GetVersionNr() const override;
    std::string GetVersionString() const override;

    bool AutoFilterDisplay = false;
    // A filter entry chosen in the open drop-down of a column: its caption
    // and its condition (which the handler may change).
    std::function<void(TObject* Sender, int Column, int ItemIndex, const std::string& FriendlyName,
                       std::string& FilterCondition)>
        OnFilterSelect;
    TColumnPopupEvent OnColumnPopup;
    TAfterColumnMovedEvent OnAfterColumnMoved;

    // --- per-cell questions, answered by the column item first
    void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                         TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TCellGradientDirection& GD) override;
    std::string GetFormattedCell(int ACol, int ARow) override;
    std::string GetColumnFloatFormat(int ACol) override;
    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    void UpdateColumnSize(int ACol, int& AWidth) override;
    void UpdateAutoColumnSize(int ACol, int& AWidth) override;
    void ColumnHeadersChanged() override;
    void AllCellsChanged() override;
    void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void GetColFormat(int ACol, TSortStyle& AStyle, std::string& aPrefix, std::string& aSuffix) override;
    void GetCellEditor(int ACol, int ARow, TEditorType& AEditor) override;
    void IsFixedCell(int ACol, int ARow, bool& IsFixed) const override;
    void CanEditCell(int ACol, int ARow, bool& CanEdit) override;
    void IsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
    bool HasCombo(int ACol, int ARow) override;
    std::string GetCheckTrue(int ACol, int ARow) override;
    std::string GetCheckFalse(int ACol, int ARow) override;
    bool GetColumnFilter(int ACol) override;
    void RemoveCols(int ColIndex, int CCount) override;
    void InsertCols(int ColIndex, int CCount) override;
    // Grouping keeps the grouped column's settings until it is ungrouped;
    // a column index beyond the items is ignored.
    void Group(int ColIndex) override;
    void UnGroup() override;

    // Brings the item count to ColCount + NumHiddenColumns.
    void SyncColumns();
    // Refills ColumnHeaders from the items (an empty Header takes row 0's
    // text first); only with a fixed row.
    void RebuildColumnHeaders();
    bool ColMoving() const { return FColMoving; }

    // The column-move and edit hooks, public for the grid's input code.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    // After the string grid's handling: a press of the button a column's
    // ColumnPopupType names, on that column, fires OnColumnPopup.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Form scaling: the string grid's, then the items' fonts (not their
    // print fonts).
    void ChangeScale(int M, int D) override;
    // An entry of the open filter drop-down of FilterColumn was chosen: its
    // condition becomes the column's filter (the caption its header with
    // AutoFilterDisplay); with AutoFilterUpdate the filter applies at once.
    void FilterSelected(int ItemIndex) override;
    int GetEditLimit() override;
    std::string GetEditMask(int ACol, int ARow) override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;
    // Real index of a displayed column (the identity without hidden ones).
    int RealCol(int ACol) const { return NumHiddenColumns() == 0 ? ACol : RealColIndex(ACol); }
    // A normal cell of an item's column.
    bool IsNormalItemCell(int ACol, int ARow) const;
    TGridColumnItem* Item(int ACol) const { return FColumns->Items(ACol); }
    int ItemCount() const { return FColumns ? FColumns->Count() : 0; }

    std::unique_ptr<TGridColumnCollection> FColumns;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    std::unique_ptr<TCellGraphic> FVirtCheckBox;
    bool FColMoving = false;
    // Set while columns are inserted or removed: the items follow at the
    // inserted or removed index, not at the end.
    bool FColumnsChanging = false;
    int FGroupedCol = -1;
};
