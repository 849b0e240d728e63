#pragma once
// Row filtering settings of a string grid: the filter conditions (Filter,
// a collection of TFilterData), the look of the header filter drop-down
// (FilterDropDown) and the two drop-down lists the grid opens under a
// header cell (single choice and check list).

#include "platform/ClassBase.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TExStringGrid;

enum TFilterOperation : std::uint8_t { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterCells : std::uint8_t { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterMethod : std::uint8_t { fmExpression, fmLiteral };

// One filter condition; an empty Condition passes every row.
class TFilterData : public TCollectionItem {
public:
    explicit TFilterData(TCollection* ACollection) : TCollectionItem(ACollection) {}
    std::string ClassName() const override { return "TFilterData"; }
    // From another TFilterData: everything but Method; other sources as the
    // base does.
    void Assign(const TPersistent* Source) override;

    std::int16_t Column = 0;
    std::string Condition;
    bool CaseSensitive = true;
    std::string Prefix;
    std::string Suffix;
    TFilterOperation Operation = foSHORT;
    TFilterCells Data = fcVirtual;
    TFilterMethod Method = fmExpression;
};

// The grid's filter conditions, in evaluation order.
class TFilter : public TCollection {
public:
    explicit TFilter(TExStringGrid* AGrid);
    std::string ClassName() const override { return "TFilter"; }
    TExStringGrid* Grid() const { return FGrid; }
    // Appends a condition: Operation foNONE when it is the only one, else foAND.
    TFilterData* Add();
    // Appends a condition at the end (Index is not used), Operation foSHORT.
    TFilterData* Insert(int Index);
    // Checked (EListError outside 0..Count-1); SetItem assigns Value.
    TFilterData* GetItem(int Index) const { return static_cast<TFilterData*>(Items(Index)); }
    TFilterData* operator[](int Index) const { return GetItem(Index); }
    void SetItem(int Index, const TFilterData* Value) { GetItem(Index)->Assign(Value); }
    // The first condition of column Col; a new one (Add) when there is none.
    TFilterData* GetColFilter(int Col);
    bool HasFilter(int Col) const;
    // Deletes every condition of column Col and repaints its header cell.
    void RemoveColumnFilter(int Col);

private:
    TExStringGrid* FGrid;
};

using TFilterDropDownNotify = std::function<void(TObject* Sender)>;

// Look of the header filter drop-down list.
class TFilterDropDown : public TPersistent {
public:
    TFilterDropDown();
    ~TFilterDropDown() override;
    std::string ClassName() const override { return "TFilterDropDown"; }
    // From another TFilterDropDown: everything but AutoSize; other sources
    // change nothing.
    void Assign(const TPersistent* Source) override;

    TFont& Font() { return *FFont; }
    const TFont& Font() const { return *FFont; }
    void SetFont(const TFont& Value) { FFont->Assign(Value); }
    // The header glyphs (copied); a change fires OnChange.
    const TBitmap& Glyph() const { return *FGlyph; }
    void SetGlyph(const TBitmap& Value);
    const TBitmap& GlyphActive() const { return *FGlyphActive; }
    void SetGlyphActive(const TBitmap& Value);

    bool AutoSize = false;
    TColor Color = clWindow;
    bool ColumnWidth = false;
    int Height = 150;
    int Width = 150;
    TFilterDropDownNotify OnChange;

private:
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FGlyphActive;
};

using TDropListSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// The single-choice list of the header filter drop-down. It lives with the
// grid, hidden and 0 wide until the grid opens it under a header cell.
// Enter or a released mouse button hides it and reports the selected item.
class TDropList : public TComponent {
public:
    explicit TDropList(TExStringGrid* AGrid);
    std::string ClassName() const override { return "TDropList"; }
    TExStringGrid* Grid() const { return FGrid; }

    TStringList& Items() { return FItems; }
    const TStringList& Items() const { return FItems; }
    // -1 or an index of Items (others change nothing).
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    // The item under a point of the list (-1 when none).
    int ItemAtPos(int X, int Y) const;

    // Input as the list receives it.
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // The platform's cancel mode (another window takes the mouse): with the
    // pointer outside the list the drop-down closes.
    void CancelMode(bool PointerInside);

    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int ItemHeight = 16;
    int TopIndex = 0;
    TColor Color = clWindow;
    TFont Font;
    TDropListSelectEvent OnSelect;

protected:
    void Select(int Index);
    TExStringGrid* FGrid;
    TStringList FItems;
    int FItemIndex = -1;
    bool FVisible = false;
};

// The check list of the header filter drop-down: toggling an item's check
// mark (a click on the mark, or Space) reports -1 and the list stays open.
class TDropCheckList : public TDropList {
public:
    explicit TDropCheckList(TExStringGrid* AGrid) : TDropList(AGrid) {}
    std::string ClassName() const override { return "TDropCheckList"; }
    // False for an index outside the items.
    bool Checked(int Index) const;
    // Checked by the program: no report.
    void SetChecked(int Index, bool Value);

    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void Toggle(int Index);
    std::vector<bool> FChecked;
};
