#include "widgets/grid_io/FilterSettings.h"

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"

// --- conditions ------------------------------------------------------------------------

void TFilterData::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFilterData*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    Column = s->Column;
    Condition = s->Condition;
    CaseSensitive = s->CaseSensitive;
    Data = s->Data;
    Prefix = s->Prefix;
    Suffix = s->Suffix;
    Operation = s->Operation;
}

TFilter::TFilter(TExStringGrid* AGrid)
    : TCollection([](TCollection* c) { return new TFilterData(c); }), FGrid(AGrid)
{
}

TFilterData* TFilter::Add()
{
    auto* d = static_cast<TFilterData*>(TCollection::Add());
    d->Operation = Count() == 1 ? foNONE : foAND;
    return d;
}

TFilterData* TFilter::Insert(int /*Index*/)
{
    return static_cast<TFilterData*>(TCollection::Add());
}

TFilterData* TFilter::GetColFilter(int Col)
{
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->Column == Col) return GetItem(i);
    TFilterData* d = Add();
    d->Column = static_cast<std::int16_t>(Col);
    return d;
}

bool TFilter::HasFilter(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->Column == Col) return true;
    return false;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (GetItem(i)->Column == Col) Delete(i);
    if (FGrid) FGrid->InvalidateCell(Col, 0);
}

// --- drop-down look ----------------------------------------------------------------------

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()), FGlyphActive(std::make_unique<TBitmap>())
{
}

TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::SetGlyph(const TBitmap& Value)
{
    FGlyph->Assign(&Value);
    if (OnChange) OnChange(this);
}

void TFilterDropDown::SetGlyphActive(const TBitmap& Value)
{
    FGlyphActive->Assign(&Value);
    if (OnChange) OnChange(this);
}

void TFilterDropDown::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFilterDropDown*>(Source);
    if (!s || s == this) return;
    Color = s->Color;
    ColumnWidth = s->ColumnWidth;
    FFont->Assign(*s->FFont);
    Height = s->Height;
    Width = s->Width;
    SetGlyph(*s->FGlyph);
    SetGlyphActive(*s->FGlyphActive);
}

// --- drop-down lists ---------------------------------------------------------------------

TDropList::TDropList(TExStringGrid* AGrid) : FGrid(AGrid) {}

void TDropList::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= FItems.Count()) return;
    FItemIndex = Value;
}

int TDropList::ItemAtPos(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= Width || Y >= Height || ItemHeight <= 0) return -1;
    const int i = TopIndex + Y / ItemHeight;
    return i < FItems.Count() ? i : -1;
}

void TDropList::Select(int Index)
{
    if (OnSelect) OnSelect(this, Index);
}

void TDropList::KeyDown(int& Key, TShiftState /*Shift*/)
{
    switch (Key) {
    case VK_RETURN:
        FVisible = false;
        Key = 0;
        Select(FItemIndex);
        break;
    case VK_UP:
        if (FItemIndex > 0) --FItemIndex;
        break;
    case VK_DOWN:
        if (FItemIndex + 1 < FItems.Count()) ++FItemIndex;
        break;
    default: break;
    }
}

void TDropList::KeyUp(int& /*Key*/, TShiftState /*Shift*/) {}

void TDropList::MouseDown(TMouseButton /*Button*/, TShiftState /*Shift*/, int X, int Y)
{
    const int i = ItemAtPos(X, Y);
    if (i >= 0) FItemIndex = i;
}

void TDropList::MouseUp(TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/)
{
    FVisible = false;
    Select(FItemIndex);
}

void TDropList::CancelMode(bool PointerInside)
{
    if (PointerInside) return;
    if (FGrid) FGrid->SetFilterDropColumn(-1);
    FVisible = false;
}

bool TDropCheckList::Checked(int Index) const
{
    return Index >= 0 && Index < static_cast<int>(FChecked.size()) && FChecked[static_cast<std::size_t>(Index)];
}

void TDropCheckList::SetChecked(int Index, bool Value)
{
    if (Index < 0 || Index >= FItems.Count()) return;
    if (static_cast<int>(FChecked.size()) < FItems.Count()) FChecked.resize(static_cast<std::size_t>(FItems.Count()));
    FChecked[static_cast<std::size_t>(Index)] = Value;
}

void TDropCheckList::Toggle(int Index)
{
    if (Index < 0 || Index >= FItems.Count()) return;
    SetChecked(Index, !Checked(Index));
    Select(-1);
}

void TDropCheckList::KeyDown(int& Key, TShiftState Shift)
{
    // Enter means nothing to a check list; the arrows move as in the list.
    if (Key == VK_RETURN) return;
    if (Key == VK_SPACE) {
        Key = 0;
        Toggle(FItemIndex);
        return;
    }
    TDropList::KeyDown(Key, Shift);
}

void TDropCheckList::KeyUp(int& /*Key*/, TShiftState /*Shift*/) {}

void TDropCheckList::MouseDown(TMouseButton Button, TShiftState /*Shift*/, int X, int Y)
{
    const int i = ItemAtPos(X, Y);
    if (i < 0 || Button != mbLeft) return;
    FItemIndex = i;
    // The check mark fills the first ItemHeight pixels of the item.
    if (X < ItemHeight) Toggle(i);
}

void TDropCheckList::MouseUp(TMouseButton, TShiftState, int, int) {}
