#include "widgets/GridUndo.h"

#include "widgets/BaseGrid.h"

TUndoRedoCollection::TUndoRedoCollection()
    : TCollection([](TCollection* c) -> TCollectionItem* { return new TUndoRedoItem(c); })
{
}

TExGridUndoRedo::TExGridUndoRedo(TComponent* AOwner) : TComponent(AOwner) {}

// The grid and this component know of each other through free
// notification: whichever goes first clears the other's link.
TExGridUndoRedo::~TExGridUndoRedo() = default;

void TExGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
    TComponent::Notification(AComponent, Operation);
}

void TExGridUndoRedo::RegisterChange(int ACol, int ARow, const std::string& OldValue, const std::string& NewValue)
{
    if (FMaxLevel > 0 && FItems.Count() >= FMaxLevel) FItems.Delete(0);
    auto* it = static_cast<TUndoRedoItem*>(FItems.Add());
    it->Col = ACol;
    it->Row = ARow;
    it->Value = NewValue;
    it->OrigValue = OldValue;
    FLevel = FItems.Count();
}

void TExGridUndoRedo::AddMark(bool start)
{
    auto* it = static_cast<TUndoRedoItem*>(FItems.Add());
    it->SequenceStart = start;
    it->SequenceStop = !start;
    FLevel = FItems.Count();
}

void TExGridUndoRedo::StartSequence() { AddMark(true); }
void TExGridUndoRedo::StopSequence() { AddMark(false); }

void TExGridUndoRedo::Reset()
{
    while (FItems.Count() > 0) FItems.Delete(0);
}

void TExGridUndoRedo::Apply(const TUndoRedoItem& item, bool undo)
{
    // Marks carry no cell: they are never written to the grid.
    if (item.IsMark()) return;
    const std::string& text = undo ? item.OrigValue : item.Value;
    const TExGridUndoRedoEvent& ev = undo ? OnUndo : OnRedo;
    if (ev) ev(this, FGrid, item.Col, item.Row, FGrid->GetCellEx(item.Col, item.Row), text);
    FGrid->SetCellEx(item.Col, item.Row, text);
    FGrid->MoveCurrentCell(FGrid->DisplColIndex(item.Col), item.Row);
}

void TExGridUndoRedo::Undo()
{
    if (!FGrid || FLevel <= 0 || FItems.Count() < FLevel) return;
    const TUndoRedoItem& top = *FItems.Item(FLevel - 1);
    if (top.SequenceStop) {
        --FLevel;
        while (FLevel > 0 && !FItems.Item(FLevel - 1)->SequenceStart) {
            Apply(*FItems.Item(FLevel - 1), true);
            --FLevel;
        }
        // Step past the start mark; when trimming removed it the walk ended
        // at the first item and the level stays 0.
        if (FLevel > 0) --FLevel;
        FGrid->Invalidate();
    } else {
        Apply(top, true);
        if (!top.IsMark()) FGrid->RepaintCell(FGrid->Col(), top.Row);
        --FLevel;
    }
}

void TExGridUndoRedo::Redo()
{
    if (!FGrid || FItems.Count() <= FLevel) return;
    ++FLevel;
    const TUndoRedoItem& it = *FItems.Item(FLevel - 1);
    if (it.SequenceStart) {
        // Replay up to the stop mark, or to the end of the list when the
        // sequence was never closed; the level ends past the stop mark.
        while (FLevel < FItems.Count() && !FItems.Item(FLevel)->SequenceStop) {
            Apply(*FItems.Item(FLevel), false);
            ++FLevel;
        }
        if (FLevel < FItems.Count()) ++FLevel;
        FGrid->Invalidate();
    } else {
        Apply(it, false);
    }
}
