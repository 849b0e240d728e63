#include "widgets/GridHidden.h"

#include <algorithm>
#include <limits>

namespace {

bool Hideable(int c) { return c >= 0 && c < MaxHideableCols; }

std::int16_t ClampWidth(int w)
{
    return static_cast<std::int16_t>(std::clamp<int>(w, std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
}

} // namespace

TGridHiddenCols::TGridHiddenCols() { Clear(); }

void TGridHiddenCols::Clear()
{
    FVisibleCol.fill(true);
    FAllColWidths.fill(0);
    FNumHidden = 0;
}

bool TGridHiddenCols::IsHidden(int c) const { return Hideable(c) && !FVisibleCol[static_cast<std::size_t>(c)]; }

int TGridHiddenCols::SavedWidth(int c) const { return Hideable(c) ? FAllColWidths[static_cast<std::size_t>(c)] : 0; }

void TGridHiddenCols::SetSavedWidth(int c, int width)
{
    if (IsHidden(c)) FAllColWidths[static_cast<std::size_t>(c)] = ClampWidth(width);
}

int TGridHiddenCols::DisplColIndex(int c) const
{
    if (c >= MaxHideableCols || FNumHidden == 0 || c <= 0) return c;
    int hiddenBefore = 0;
    for (int j = 0; j < c; ++j)
        if (!FVisibleCol[static_cast<std::size_t>(j)]) ++hiddenBefore;
    return c - hiddenBefore;
}

int TGridHiddenCols::RealColIndex(int d) const
{
    if (d >= MaxHideableCols || FNumHidden == 0) return d;
    int shown = 0;
    for (int j = 0; j < MaxHideableCols; ++j) {
        if (!FVisibleCol[static_cast<std::size_t>(j)]) continue;
        if (shown == d) return j;
        ++shown;
    }
    // Displayed columns past the hideable range follow on one to one.
    if (d >= shown) return d + FNumHidden;
    return 0;
}

void TGridHiddenCols::MarkHidden(int c, int width)
{
    if (!Hideable(c) || IsHidden(c)) return;
    FVisibleCol[static_cast<std::size_t>(c)] = false;
    FAllColWidths[static_cast<std::size_t>(c)] = ClampWidth(width);
    ++FNumHidden;
}

void TGridHiddenCols::MarkShown(int c)
{
    if (!IsHidden(c)) return;
    FVisibleCol[static_cast<std::size_t>(c)] = true;
    --FNumHidden;
}

void TGridHiddenCols::Recount()
{
    FNumHidden = static_cast<int>(std::count(FVisibleCol.begin(), FVisibleCol.begin() + MaxHideableCols, false));
}

void TGridHiddenCols::InsertCols(int colIndex, int count)
{
    if (count <= 0 || !Hideable(colIndex)) return;
    for (int i = MaxHideableCols - 1; i >= colIndex; --i) {
        const int from = i - count;
        const bool fromIn = from >= colIndex;
        FVisibleCol[static_cast<std::size_t>(i)] = fromIn ? FVisibleCol[static_cast<std::size_t>(from)] : true;
        FAllColWidths[static_cast<std::size_t>(i)] = fromIn ? FAllColWidths[static_cast<std::size_t>(from)] : 0;
    }
    Recount();
}

int TGridHiddenCols::RemoveCols(int colIndex, int count)
{
    if (count <= 0 || colIndex < 0 || colIndex >= MaxHideableCols) return 0;
    int removedHidden = 0;
    for (int i = colIndex; i < std::min(MaxHideableCols, colIndex + count); ++i)
        if (!FVisibleCol[static_cast<std::size_t>(i)]) ++removedHidden;
    for (int i = colIndex; i < MaxHideableCols; ++i) {
        const long long from = static_cast<long long>(i) + count;
        const bool fromIn = from < MaxHideableCols;
        FVisibleCol[static_cast<std::size_t>(i)] = fromIn ? FVisibleCol[static_cast<std::size_t>(from)] : true;
        FAllColWidths[static_cast<std::size_t>(i)] = fromIn ? FAllColWidths[static_cast<std::size_t>(from)] : 0;
    }
    Recount();
    return removedHidden;
}

namespace {

// Moves entry `from` of v to `to`; the entries between shift by one.
template <typename T>
void MoveEntry(T* v, int from, int to)
{
    if (from < to)
        std::rotate(v + from, v + from + 1, v + to + 1);
    else
        std::rotate(v + to, v + from, v + from + 1);
}

} // namespace

void TGridHiddenCols::MoveCol(int from, int to)
{
    if (from == to || from < 0 || to < 0) return;
    // Columns at 512 and beyond count as shown: the range is cut there and a
    // column leaving the table shows from then on.
    const int lo = std::min(from, to);
    if (lo >= MaxHideableCols) return;
    const int hi = std::min(std::max(from, to), MaxHideableCols - 1);
    if (from < to) {
        const bool leaving = from < MaxHideableCols && to >= MaxHideableCols;
        const int f = from, t = leaving ? MaxHideableCols - 1 : to;
        MoveEntry(FVisibleCol.data(), f, t);
        MoveEntry(FAllColWidths.data(), f, t);
        if (leaving) {
            FVisibleCol[static_cast<std::size_t>(t)] = true;
            FAllColWidths[static_cast<std::size_t>(t)] = 0;
        }
    } else {
        // A column coming in from beyond the table is shown.
        const bool entering = from >= MaxHideableCols;
        const int f = entering ? hi : from;
        if (entering) {
            FVisibleCol[static_cast<std::size_t>(f)] = true;
            FAllColWidths[static_cast<std::size_t>(f)] = 0;
        }
        MoveEntry(FVisibleCol.data(), f, to);
        MoveEntry(FAllColWidths.data(), f, to);
    }
    Recount();
}

void HideColumns(TGridHiddenCols& hidden, IHiddenColHost& host, int fromCol, int toCol)
{
    for (long long cc = fromCol; cc <= toCol; ++cc) {
        if (cc < 0 || cc >= MaxHideableCols) continue;
        const int c = static_cast<int>(cc);
        const int colCount = host.ColCount();
        if (hidden.IsHidden(c) || c >= colCount + hidden.NumHidden() || colCount <= 1) continue;
        const int d = hidden.DisplColIndex(c);
        const int width = host.ColWidth(d);
        for (int i = d; i < colCount - 1; ++i) host.SetColWidth(i, host.ColWidth(i + 1));
        hidden.MarkHidden(c, width);
        if (host.CurrentCol() >= colCount - 1) host.SetCurrentCol(colCount - 2);
        host.SetColCount(colCount - 1);
    }
}

void UnHideColumns(TGridHiddenCols& hidden, IHiddenColHost& host, int fromCol, int toCol)
{
    for (long long cc = fromCol; cc <= toCol; ++cc) {
        if (cc < 0 || cc >= MaxHideableCols) continue;
        const int c = static_cast<int>(cc);
        if (!hidden.IsHidden(c)) continue;
        hidden.MarkShown(c);
        host.SetColCount(host.ColCount() + 1);
        const int d = hidden.DisplColIndex(c);
        for (int i = host.ColCount() - 1; i > d; --i) host.SetColWidth(i, host.ColWidth(i - 1));
        host.SetColWidth(d, hidden.SavedWidth(c));
    }
}

void UnHideColumnsAll(TGridHiddenCols& hidden, IHiddenColHost& host)
{
    UnHideColumns(hidden, host, 0, MaxHideableCols - 1);
}

// ---------------------------------------------------------------------------

bool TGridHiddenRows::IsHidden(int r) const { return Find(r) != nullptr; }

const THiddenRowItem* TGridHiddenRows::Find(int r) const
{
    for (const auto& it : FItems)
        if (it.Idx == r) return &it;
    return nullptr;
}

THiddenRowItem* TGridHiddenRows::Find(int r)
{
    for (auto& it : FItems)
        if (it.Idx == r) return &it;
    return nullptr;
}

int TGridHiddenRows::HiddenBefore(int r) const
{
    int n = 0;
    for (const auto& it : FItems)
        if (it.Idx < r) ++n;
    return n;
}

int TGridHiddenRows::DisplRowIndex(int r) const { return r - HiddenBefore(r); }

int TGridHiddenRows::RealRowIndex(int d) const
{
    if (d < 0) return -1;
    if (FItems.empty()) return d;
    // Items are in ascending order: step over each hidden row at or before
    // the candidate.
    int r = d;
    for (const auto& it : FItems)
        if (it.Idx <= r) ++r;
    return r;
}

void TGridHiddenRows::DisplayedRowsRemoved(int d, int count)
{
    if (count <= 0 || d < 0 || FItems.empty()) return;
    std::vector<int> removed;
    removed.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) removed.push_back(RealRowIndex(d + i));
    for (auto& it : FItems)
        it.Idx -= static_cast<int>(std::lower_bound(removed.begin(), removed.end(), it.Idx) - removed.begin());
}

void TGridHiddenRows::DisplayedRowsInserted(int d, int count)
{
    if (count <= 0 || d < 0 || FItems.empty()) return;
    const int realRow = RealRowIndex(d);
    for (auto& it : FItems)
        if (it.Idx >= realRow) it.Idx += count;
}

void TGridHiddenRows::HideRows(IHiddenRowHost& host, int fromRow, int toRow)
{
    if (toRow < fromRow || toRow < 0) return;
    fromRow = std::max(fromRow, 0);
    const int k = HiddenBefore(fromRow);
    const int d0 = fromRow - k;
    std::vector<THiddenRowItem> fresh;
    int d = d0;
    for (long long rr = fromRow; rr <= toRow; ++rr) {
        const int r = static_cast<int>(rr);
        if (IsHidden(r)) continue;
        if (d >= host.RowCount()) break; // beyond the grid's rows
        THiddenRowItem item;
        item.Idx = r;
        item.Height = host.RowHeight(d);
        item.Cells = host.RowCells(d);
        item.Objects = host.TakeRowObjects(d);
        fresh.push_back(std::move(item));
        ++d;
    }
    if (fresh.empty()) return;
    const int n = static_cast<int>(fresh.size());
    FItems.insert(FItems.begin() + k, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    std::sort(FItems.begin(), FItems.end(), [](const auto& a, const auto& b) { return a.Idx < b.Idx; });
    host.DeleteRows(d0, n);
}

void TGridHiddenRows::Restore(IHiddenRowHost& host, std::size_t pos)
{
    THiddenRowItem item = std::move(FItems[pos]);
    FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(pos));
    const int d = DisplRowIndex(item.Idx);
    host.InsertRows(d, 1);
    host.SetRow(d, item.Cells, item.Height);
    if (!item.Objects.empty()) host.PutRowObjects(d, item.Objects);
}

void TGridHiddenRows::UnHideRow(IHiddenRowHost& host, int row)
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].Idx == row) {
            Restore(host, i);
            return;
        }
}

void TGridHiddenRows::UnHideRows(IHiddenRowHost& host, int fromRow, int toRow)
{
    if (!IsHidden(fromRow)) return;
    // Ascending order: each row goes back at the place its real index gives,
    // also when shown rows lie between the hidden ones of the range.
    for (std::size_t i = 0; i < FItems.size();) {
        if (FItems[i].Idx >= fromRow && FItems[i].Idx <= toRow)
            Restore(host, i);
        else
            ++i;
    }
}

void TGridHiddenRows::UnHideRowsAll(IHiddenRowHost& host)
{
    while (!FItems.empty()) {
        const int start = FItems.front().Idx;
        int end = start;
        for (std::size_t i = 1; i < FItems.size() && FItems[i].Idx == end + 1; ++i) ++end;
        UnHideRows(host, start, end);
    }
}

namespace {

template <class T>
void InsertEntries(std::vector<T>& v, int at, int count, const T& value)
{
    if (at >= static_cast<int>(v.size())) return; // nothing saved from there on
    v.insert(v.begin() + at, static_cast<std::size_t>(count), value);
}

} // namespace

void TGridHiddenRows::ColsInserted(int colIndex, int count)
{
    if (count <= 0 || colIndex < 0) return;
    for (auto& it : FItems) {
        InsertEntries(it.Cells, colIndex, count, std::string());
        InsertEntries<TObject*>(it.Objects, colIndex, count, nullptr);
    }
}

void TGridHiddenRows::ColsRemoved(int colIndex, int count, const std::function<void(TObject*)>& freeObject)
{
    if (count <= 0 || colIndex < 0) return;
    for (auto& it : FItems) {
        if (colIndex < static_cast<int>(it.Cells.size())) {
            const auto last = std::min(it.Cells.size(), static_cast<std::size_t>(colIndex) + count);
            it.Cells.erase(it.Cells.begin() + colIndex, it.Cells.begin() + static_cast<std::ptrdiff_t>(last));
        }
        if (colIndex < static_cast<int>(it.Objects.size())) {
            const auto last = std::min(it.Objects.size(), static_cast<std::size_t>(colIndex) + count);
            for (auto i = static_cast<std::size_t>(colIndex); i < last; ++i)
                if (it.Objects[i] && freeObject) freeObject(it.Objects[i]);
            it.Objects.erase(it.Objects.begin() + colIndex, it.Objects.begin() + static_cast<std::ptrdiff_t>(last));
        }
    }
}

void TGridHiddenRows::ColMoved(int from, int to)
{
    if (from == to || from < 0 || to < 0) return;
    const auto need = static_cast<std::size_t>(std::max(from, to)) + 1;
    for (auto& it : FItems) {
        if (it.Cells.size() > static_cast<std::size_t>(std::min(from, to))) {
            if (it.Cells.size() < need) it.Cells.resize(need);
            MoveEntry(it.Cells.data(), from, to);
        }
        if (it.Objects.size() > static_cast<std::size_t>(std::min(from, to))) {
            if (it.Objects.size() < need) it.Objects.resize(need, nullptr);
            MoveEntry(it.Objects.data(), from, to);
        }
    }
}

void TGridHiddenRows::ColsSwapped(int a, int b)
{
    if (a == b || a < 0 || b < 0) return;
    const auto need = static_cast<std::size_t>(std::max(a, b)) + 1;
    for (auto& it : FItems) {
        if (it.Cells.size() > static_cast<std::size_t>(std::min(a, b))) {
            if (it.Cells.size() < need) it.Cells.resize(need);
            std::swap(it.Cells[static_cast<std::size_t>(a)], it.Cells[static_cast<std::size_t>(b)]);
        }
        if (it.Objects.size() > static_cast<std::size_t>(std::min(a, b))) {
            if (it.Objects.size() < need) it.Objects.resize(need, nullptr);
            std::swap(it.Objects[static_cast<std::size_t>(a)], it.Objects[static_cast<std::size_t>(b)]);
        }
    }
}

void TGridHiddenRows::ClearTexts()
{
    for (auto& it : FItems)
        for (auto& c : it.Cells) c.clear();
}

void TGridHiddenRows::HideRowList(IHiddenRowHost& host, const std::vector<int>& displayedRows)
{
    std::vector<int> rows;
    for (int d : displayedRows)
        if (d >= 0 && d < host.RowCount() && (rows.empty() || d > rows.back())) rows.push_back(d);
    std::vector<THiddenRowItem> fresh;
    for (int d : rows) {
        THiddenRowItem item;
        item.Idx = RealRowIndex(d);
        item.Height = host.RowHeight(d);
        item.Level = FFilterLevel;
        item.Cells = host.RowCells(d);
        item.Objects = host.TakeRowObjects(d);
        fresh.push_back(std::move(item));
    }
    ++FFilterLevel;
    if (fresh.empty()) return;
    FItems.insert(FItems.end(), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    std::sort(FItems.begin(), FItems.end(), [](const auto& a, const auto& b) { return a.Idx < b.Idx; });
    // Bottom up, in runs of consecutive rows, so that the rows still to go
    // keep their displayed index.
    for (std::size_t i = rows.size(); i > 0;) {
        std::size_t j = i - 1;
        while (j > 0 && rows[j - 1] + 1 == rows[j]) --j;
        host.DeleteRows(rows[j], static_cast<int>(i - j));
        i = j;
    }
}

void TGridHiddenRows::UnHideRowList(IHiddenRowHost& host)
{
    for (std::size_t i = 0; i < FItems.size();) {
        if (FItems[i].Level + 1 == FFilterLevel)
            Restore(host, i);
        else
            ++i;
    }
}
