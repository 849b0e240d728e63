#pragma once
// Grid-level state beside the cells: the per-row selection, modified and
// disabled flags, the per-column selection flags, and the update lock that
// suppresses painting during bulk changes. The grid maps and checks row
// indices before it calls these; the lists grow on demand and missing
// entries count as cleared.

#include <vector>

class TGridRowFlags {
public:
    // Selection flags (disjoint row selection). Negative rows answer False.
    bool Selected(int r) const;
    // Answers whether the flag changed. Rows below fixedRows are flagged but
    // not listed among the selected rows.
    bool SetSelected(int r, bool value, int fixedRows);
    // True when the row has no entry yet or its flag differs from value (the
    // grid asks its veto event only then).
    bool WouldChange(int r, bool value) const;
    bool HasEntry(int r) const { return r >= 0 && r < static_cast<int>(FRowSelect.size()); }
    // Rows whose flag is set, in the order they were selected.
    const std::vector<int>& SelectedRows() const { return FSelectedRows; }
    int SelectCount(int limit) const;
    // Clears every set flag; answers the rows that were set (to repaint).
    std::vector<int> ClearSelection();

    bool Modified(int r) const;
    void SetModified(int r, bool value);
    int ModifiedCount() const;
    void ClearModified() { FModifiedRows.clear(); }

    bool Enabled(int r) const;
    void SetEnabled(int r, bool value);
    bool EnablingInUse() const { return FEnablingInUse; }

    // Rows removed from r on: the entries of the removed rows go and the
    // rows below move up. The modified list follows only while modified-row
    // marking is on, the selection flags only with disjoint row selection.
    void RowsRemoved(int r, int count, bool modifiedMarking, bool disjunctRowSelect);
    // Rows inserted before r: while modified-row marking is on, unmodified
    // entries go in (when the list reaches r); so do enabled entries while
    // per-row enabling is in use. The selection flags stay where they are.
    void RowsInserted(int r, int count, bool modifiedMarking);

private:
    std::vector<char> FRowSelect;
    std::vector<int> FSelectedRows;
    std::vector<char> FModifiedRows;
    std::vector<char> FEnabledRows; // 1 = disabled
    bool FEnablingInUse = false;
};

class TGridColFlags {
public:
    bool Selected(int c) const;
    bool SetSelected(int c, bool value); // answers whether it changed
    int SelectCount() const;
    std::vector<int> ClearSelection();
    void ColsRemoved(int c, int count);

private:
    std::vector<char> FColSelect;
};

// Update lock. The counter always counts; the redraw switch is sent only
// while the grid is visible, so a grid shown later with the counter at 0
// paints normally.
class TGridUpdateLock {
public:
    // Each answers whether the caller must switch redraw off / on (and
    // repaint the whole window, for End).
    bool Begin(bool visible);
    bool End(bool visible, bool destroying);
    void Start() { ++FCount; }
    void Reset() { FCount = 0; }
    int Count() const { return FCount; }
    bool Locked() const { return FCount != 0; }

private:
    int FCount = 0;
};
