#include "widgets/grid_model/Hidden.h"

#include <algorithm>
#include <limits>

namespace {

std::int16_t ClampWidth(int w)
{
    return static_cast<std::int16_t>(std::clamp<int>(w, std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
}

} // namespace

TGridHiddenCols::TGridHiddenCols() { Clear(); }

void TGridHiddenCols::Clear()
{
    FVisibleCol.clear();
    FAllColWidths.clear();
    FNumHidden = 0;
}

void TGridHiddenCols::Grow(int size)
{
    if (size <= TableSize()) return;
    FVisibleCol.resize(static_cast<std::size_t>(size), true);
    FAllColWidths.resize(static_cast<std::size_t>(size), 0);
}

bool TGridHiddenCols::IsHidden(int c) const
{
    return c >= 0 && c < TableSize() && !FVisibleCol[static_cast<std::size_t>(c)];
}

int TGridHiddenCols::SavedWidth(int c) const
{
    return c >= 0 && c < TableSize() ? FAllColWidths[static_cast<std::size_t>(c)] : 0;
}

void TGridHiddenCols::SetSavedWidth(int c, int width)
{
    if (IsHidden(c)) FAllColWidths[static_cast<std::size_t>(c)] = ClampWidth(width);
}

int TGridHiddenCols::DisplColIndex(int c) const
{
    if (FNumHidden == 0 || c <= 0) return c;
    int hiddenBefore = 0;
    const int end = std::min(c, TableSize());
    for (int j = 0; j < end; ++j)
        if (!FVisibleCol[static_cast<std::size_t>(j)]) ++hiddenBefore;
    return c - hiddenBefore;
}

int TGridHiddenCols::RealColIndex(int d) const
{
    if (FNumHidden == 0) return d;
    if (d < 0) return 0;
    int shown = 0;
    for (int j = 0; j < TableSize(); ++j) {
        if (!FVisibleCol[static_cast<std::size_t>(j)]) continue;
        if (shown == d) return j;
        ++shown;
    }
    // Displayed columns past the tables follow on one to one.
    return d + FNumHidden;
}

void TGridHiddenCols::MarkHidden(int c, int width)
{
    if (c < 0 || IsHidden(c)) return;
    Grow(c + 1);
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
    FNumHidden = static_cast<int>(std::count(FVisibleCol.begin(), FVisibleCol.end(), false));
}

void TGridHiddenCols::InsertCols(int colIndex, int count)
{
    // Columns inserted past the tables' end are shown like the rest there.
    if (count <= 0 || colIndex < 0 || colIndex >= TableSize()) return;
    FVisibleCol.insert(FVisibleCol.begin() + colIndex, static_cast<std::size_t>(count), true);
    FAllColWidths.insert(FAllColWidths.begin() + colIndex, static_cast<std::size_t>(count), std::int16_t{0});
    Recount();
}

int TGridHiddenCols::RemoveCols(int colIndex, int count)
{
    if (count <= 0 || colIndex < 0 || colIndex >= TableSize()) return 0;
    const int end = static_cast<int>(std::min<long long>(TableSize(), static_cast<long long>(colIndex) + count));
    const int before = FNumHidden;
    FVisibleCol.erase(FVisibleCol.begin() + colIndex, FVisibleCol.begin() + end);
    FAllColWidths.erase(FAllColWidths.begin() + colIndex, FAllColWidths.begin() + end);
    Recount();
    return before - FNumHidden;
}

namespace {

// Moves entry `from` of v to `to`; the entries between shift by one.
template <typename V>
void MoveEntry(V& v, int from, int to)
{
    const auto b = v.begin();
    if (from < to)
        std::rotate(b + from, b + from + 1, b + to + 1);
    else
        std::rotate(b + to, b + from, b + from + 1);
}

} // namespace

void TGridHiddenCols::MoveCol(int from, int to)
{
    if (from == to || from < 0 || to < 0) return;
    // Only shown columns lie past the tables: nothing changes there.
    if (std::min(from, to) >= TableSize()) return;
    Grow(std::max(from, to) + 1);
    MoveEntry(FVisibleCol, from, to);
    MoveEntry(FAllColWidths, from, to);
    Recount();
}

void HideColumns(TGridHiddenCols& hidden, IHiddenColHost& host, int fromCol, int toCol)
{
    // Hiding lowers the displayed count and raises the hidden one: the real
    // columns stay as many.
    const long long last = std::min<long long>(toCol, static_cast<long long>(host.ColCount()) + hidden.NumHidden() - 1);
    for (long long cc = std::max(fromCol, 0); cc <= last; ++cc) {
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
    const long long last = std::min<long long>(toCol, hidden.TableSize() - 1);
    for (long long cc = std::max(fromCol, 0); cc <= last; ++cc) {
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
    UnHideColumns(hidden, host, 0, hidden.TableSize() - 1);
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

bool TGridHiddenRows::CellText(int c, int r, std::string& Value) const
{
    const THiddenRowItem* item = Find(r);
    if (!item) return false;
    Value = (c >= 0 && c < static_cast<int>(item->Cells.size())) ? item->Cells[static_cast<std::size_t>(c)]
                                                                  : std::string();
    return true;
}

bool TGridHiddenRows::SetCellText(int c, int r, const std::string& Value)
{
    THiddenRowItem* item = Find(r);
    if (!item || c < 0) return false;
    if (c >= static_cast<int>(item->Cells.size())) item->Cells.resize(static_cast<std::size_t>(c) + 1);
    item->Cells[static_cast<std::size_t>(c)] = Value;
    return true;
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
            MoveEntry(it.Cells, from, to);
        }
        if (it.Objects.size() > static_cast<std::size_t>(std::min(from, to))) {
            if (it.Objects.size() < need) it.Objects.resize(need, nullptr);
            MoveEntry(it.Objects, from, to);
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
