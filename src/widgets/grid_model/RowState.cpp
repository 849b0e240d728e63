#include "widgets/grid_model/RowState.h"

#include <algorithm>
#include <cstddef>

namespace {

bool Flag(const std::vector<char>& list, int i)
{
    return i >= 0 && i < static_cast<int>(list.size()) && list[static_cast<std::size_t>(i)] != 0;
}

void Store(std::vector<char>& list, int i, bool value)
{
    if (i < 0) return;
    if (static_cast<std::size_t>(i) >= list.size()) list.resize(static_cast<std::size_t>(i) + 1, 0);
    list[static_cast<std::size_t>(i)] = value ? 1 : 0;
}

void Erase(std::vector<char>& list, int i, int count)
{
    if (i < 0 || count <= 0 || i >= static_cast<int>(list.size())) return;
    const auto first = list.begin() + i;
    const auto last = (static_cast<std::size_t>(i) + static_cast<std::size_t>(count) >= list.size())
                          ? list.end()
                          : first + count;
    list.erase(first, last);
}

} // namespace

bool TGridRowFlags::Selected(int r) const { return Flag(FRowSelect, r); }

bool TGridRowFlags::WouldChange(int r, bool value) const { return !HasEntry(r) || Selected(r) != value; }

bool TGridRowFlags::SetSelected(int r, bool value, int fixedRows)
{
    if (r < 0) return false;
    const bool changed = Selected(r) != value;
    Store(FRowSelect, r, value);
    const auto it = std::find(FSelectedRows.begin(), FSelectedRows.end(), r);
    if (value) {
        if (it == FSelectedRows.end() && r >= fixedRows) FSelectedRows.push_back(r);
    } else if (it != FSelectedRows.end()) {
        FSelectedRows.erase(it);
    }
    return changed;
}

int TGridRowFlags::SelectCount(int limit) const
{
    const int n = std::min(limit, static_cast<int>(FRowSelect.size()));
    if (n <= 0) return 0;
    return static_cast<int>(std::count(FRowSelect.begin(), FRowSelect.begin() + n, 1));
}

std::vector<int> TGridRowFlags::ClearSelection()
{
    std::vector<int> was;
    for (std::size_t i = 0; i < FRowSelect.size(); ++i)
        if (FRowSelect[i]) {
            was.push_back(static_cast<int>(i));
            FRowSelect[i] = 0;
        }
    FSelectedRows.clear();
    return was;
}

bool TGridRowFlags::Modified(int r) const { return Flag(FModifiedRows, r); }

void TGridRowFlags::SetModified(int r, bool value) { Store(FModifiedRows, r, value); }

int TGridRowFlags::ModifiedCount() const
{
    return static_cast<int>(std::count(FModifiedRows.begin(), FModifiedRows.end(), 1));
}

bool TGridRowFlags::Enabled(int r) const { return !Flag(FEnabledRows, r); }

void TGridRowFlags::SetEnabled(int r, bool value)
{
    if (r < 0) return;
    FEnablingInUse = true;
    Store(FEnabledRows, r, !value);
}

void TGridRowFlags::RowsRemoved(int r, int count, bool modifiedMarking, bool disjunctRowSelect)
{
    if (r < 0 || count <= 0) return;
    if (modifiedMarking) Erase(FModifiedRows, r, count);
    if (FEnablingInUse) Erase(FEnabledRows, r, count);
    if (disjunctRowSelect) {
        Erase(FRowSelect, r, count);
        // The selected-row list names rows: drop the removed ones, move the
        // ones below up.
        std::vector<int> kept;
        for (int s : FSelectedRows) {
            if (s >= r && s - r < count) continue;
            kept.push_back(s >= r ? s - count : s);
        }
        FSelectedRows = std::move(kept);
    }
}

void TGridRowFlags::RowsInserted(int r, int count, bool modifiedMarking)
{
    if (r < 0 || count <= 0) return;
    auto insert = [&](std::vector<char>& list) {
        if (r < static_cast<int>(list.size())) list.insert(list.begin() + r, static_cast<std::size_t>(count), 0);
    };
    if (modifiedMarking) insert(FModifiedRows);
    if (FEnablingInUse) insert(FEnabledRows);
}

bool TGridColFlags::Selected(int c) const { return Flag(FColSelect, c); }

bool TGridColFlags::SetSelected(int c, bool value)
{
    if (c < 0) return false;
    const bool changed = Selected(c) != value;
    Store(FColSelect, c, value);
    return changed;
}

int TGridColFlags::SelectCount() const
{
    return static_cast<int>(std::count(FColSelect.begin(), FColSelect.end(), 1));
}

std::vector<int> TGridColFlags::ClearSelection()
{
    std::vector<int> was;
    for (std::size_t i = 0; i < FColSelect.size(); ++i)
        if (FColSelect[i]) {
            was.push_back(static_cast<int>(i));
            FColSelect[i] = 0;
        }
    return was;
}

void TGridColFlags::ColsRemoved(int c, int count) { Erase(FColSelect, c, count); }

bool TGridUpdateLock::Begin(bool visible)
{
    ++FCount;
    return visible;
}

bool TGridUpdateLock::End(bool visible, bool destroying)
{
    if (FCount > 0) --FCount;
    return FCount == 0 && visible && !destroying;
}
