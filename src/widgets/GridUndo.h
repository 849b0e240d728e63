#pragma once
// Undo and redo of cell text changes of one grid. The grid registers the
// changes a user makes through it (in-place edits, check-box clicks, cut and
// paste); StartSequence / StopSequence make the changes between them one step.

#include "platform/ClassBase.h"

#include <functional>
#include <string>

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string ClassName() const override { return "TUndoRedoItem"; }
    int Row = -1;
    int Col = -1;
    std::string Value;     // text after the change
    std::string OrigValue; // text before the change
    bool SequenceStart = false;
    bool SequenceStop = false;
    bool IsMark() const { return SequenceStart || SequenceStop; }
};

class TUndoRedoCollection : public TCollection {
public:
    TUndoRedoCollection();
    std::string ClassName() const override { return "TUndoRedoCollection"; }
    TUndoRedoItem* Item(int i) const { return static_cast<TUndoRedoItem*>(Items(i)); }
};

// (Sender, Grid, Col, Row, OrigValue: the cell text before the step,
// NewValue: the text the step is about to write).
using TExGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                const std::string& OrigValue, const std::string& NewValue)>;

class TExGridUndoRedo : public TComponent {
public:
    explicit TExGridUndoRedo(TComponent* AOwner = nullptr);
    ~TExGridUndoRedo() override;
    std::string ClassName() const override { return "TExGridUndoRedo"; }

    virtual void RegisterChange(int ACol, int ARow, const std::string& OldValue, const std::string& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();
    void Undo();
    void Redo();
    // Removes every item; Level stays as it was.
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FItems.Count() > FLevel; }

    TUndoRedoCollection& Items() { return FItems; }
    TBaseGrid* Grid() const { return FGrid; }
    // Set by the grid's UndoRedo setter.
    void SetGrid(TBaseGrid* g) { FGrid = g; }
    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int v) { FMaxLevel = v; }

    TExGridUndoRedoEvent OnUndo;
    TExGridUndoRedoEvent OnRedo;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void AddMark(bool start);
    void Apply(const TUndoRedoItem& item, bool undo);

    TUndoRedoCollection FItems;
    TBaseGrid* FGrid = nullptr;
    int FLevel = 0;
    int FMaxLevel = 0;
};
