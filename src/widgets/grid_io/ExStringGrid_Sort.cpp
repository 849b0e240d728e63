// TExStringGrid: sorting the normal rows by one column (QSort), by the key
// list (QSortIndexed), inside the expanded nodes of a grouped grid
// (QSortGroup, QSortGroupIndexed), undoing a sort (QUnSort), and the row
// comparison all of them rest on.
//
// The sort is a quicksort over whole rows (texts, cell objects, heights and
// row flags move with SortSwapRows, which also keeps the cross-reference of
// the positions the rows had before the first sort). The pivot is the
// content of the middle row as it was when the pass started: the pass
// follows that row through its swaps, so no row is ever copied and no cell
// object is held twice. Each pass goes on with the larger part and
// recurses into the smaller one, so the depth stays logarithmic whatever
// the order of the rows. Equal rows may change their order.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/grid_render/FlagSet.h"
#include "widgets/grid_render/FloatingFooter.h"

#include "widgets/GridParsers.h"
#include "widgets/GridUtil.h"

#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

int Sign(double d) { return d < 0 ? -1 : (d > 0 ? 1 : 0); }
int Sign(int i) { return i < 0 ? -1 : (i > 0 ? 1 : 0); }

int CompareOrdinal(const std::string& a, const std::string& b)
{
    // UTF-8 orders as its code points; UTF-16 code units differ only above
    // U+FFFF against U+E000..U+FFFF, so compare the wide forms.
    const WideString wa = Utf8ToWide(a);
    const WideString wb = Utf8ToWide(b);
    return Sign(wa.compare(wb));
}

std::string AsciiUpper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool IsNumberText(const std::string& s)
{
    const int k = NumberTextKind(s);
    return k == nkInteger || k == nkDecimal || k == nkScientific;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The separator sits as the 2nd or 3rd character of a, not the last, with
// digits on both sides, and b holds it too.
bool SeparatorPattern(const std::string& a, const std::string& b, char sep, bool& positionOk)
{
    const size_t at = a.find(sep);
    const size_t p = at == std::string::npos ? 0 : at + 1; // 1-based
    positionOk = p >= 2 && p < a.size() && p < 4;
    if (!positionOk) return false;
    return IsDigit(a[p - 2]) && IsDigit(a[p]) && b.find(sep) != std::string::npos;
}

void RemoveFirst(std::string& s, const std::string& part)
{
    if (part.empty()) return;
    const size_t at = s.find(part);
    if (at != std::string::npos) s.erase(at, part.size());
}

// One partition sort over rows start..end. Compare(a, b) answers -1, 0, +1
// for rows a and b; a row whose comparison with the pivot equals Sign is
// out of place. SwapEqual swaps a pair even when it compares equal.
class TRowQuickSort {
public:
    TRowQuickSort(TExStringGrid& G, std::function<int(int, int)> Compare, int Sign, bool SwapEqual)
        : FGrid(G), FCompare(std::move(Compare)), FSign(Sign), FSwapEqual(SwapEqual)
    {
    }

    void Run(int start, int end)
    {
        while (start < end) {
            int pivot = (start + end) / 2;
            int i = start;
            int j = end;
            do {
                while (FCompare(pivot, i) == FSign && i < end) ++i;
                while (FCompare(j, pivot) == FSign && start < j) --j;
                if (j >= i) {
                    if (i != j && (FSwapEqual || FCompare(i, j) != 0)) {
                        FGrid.SortSwapRows(i, j);
                        if (pivot == i)
                            pivot = j;
                        else if (pivot == j)
                            pivot = i;
                    }
                    ++i;
                    --j;
                }
            } while (j >= i);
            // The smaller part by recursion, the larger by the loop.
            if (j - start < end - i) {
                if (start < j) Run(start, j);
                start = i;
            } else {
                if (i < end) Run(i, end);
                end = j;
            }
        }
    }

private:
    TExStringGrid& FGrid;
    std::function<int(int, int)> FCompare;
    int FSign;
    bool FSwapEqual;
};

} // namespace

// --- row comparison ------------------------------------------------------------------------

int TExStringGrid::SortCompareRows(int ACol, int Row1, TSortDirection Direction, int Row2)
{
    ++Compares;
    const TSortSettings& ss = *FParts->FSortSettings;
    TSortStyle style = ss.AutoFormat ? ssAutomatic : (ss.IgnoreCase ? ssAlphaNoCase : ssAlphabetic);
    std::string prefix, suffix;
    GetColFormat(ACol, style, prefix, suffix);
    const std::string t1 = ss.SortOnVirtualCells ? Cells(ACol, Row1) : GetGridCell(ACol, Row1);
    const std::string t2 = ss.SortOnVirtualCells ? Cells(ACol, Row2) : GetGridCell(ACol, Row2);
    const TSortStyle textStyle = ss.IgnoreCase ? ssAlphaNoCase : ssAlphabetic;

    if (style == ssAutomatic) {
        const TCellType t = GetCellType(ACol, Row1);
        if (t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox) {
            style = ssCheckBox;
        } else if (IsNumberText(t1)) {
            style = ssNumeric;
        } else {
            style = textStyle;
            const TFormatSettings& fs = FormatSettings();
            bool positionOk = false;
            if (SeparatorPattern(t1, t2, fs.DateSeparator, positionOk)) {
                style = t1.find(fs.TimeSeparator) != std::string::npos ? ssDateTime : ssDate;
            } else if (!positionOk) {
                bool timeOk = false;
                if (SeparatorPattern(t1, t2, fs.TimeSeparator, timeOk)) style = ssTime;
            }
        }
    }
    if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        if (IsNumberText(t1) && IsNumberText(t2))
            style = ssNumeric;
        else
            style = style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }

    int res = 0;
    switch (style) {
    case ssAlphabetic:
    case ssAlphaCase: res = CompareOrdinal(t1, t2); break;
    case ssAlphaNoCase: res = CompareOrdinal(AsciiUpper(t1), AsciiUpper(t2)); break;
    case ssAnsiAlphaCase: res = Sign(AnsiCompareStr(t1, t2)); break;
    case ssAnsiAlphaNoCase: res = Sign(AnsiCompareText(t1, t2)); break;
    case ssNumeric:
    case ssFinancial: {
        const TFormatSettings& fs = FormatSettings();
        auto number = [&](std::string s, int row, bool& ok) {
            RemoveFirst(s, prefix);
            RemoveFirst(s, suffix);
            if (style == ssFinancial) s.erase(std::remove(s.begin(), s.end(), fs.ThousandSeparator), s.end());
            if (fs.DecimalSeparator != '.') {
                const size_t at = s.find(fs.DecimalSeparator);
                if (at != std::string::npos) s[at] = '.';
            }
            double v = 0;
            ok = TryDotTextToFloat(s, v);
            if (!ok && Cells(ACol, row).empty()) ok = true; // an empty cell counts 0
            return ok ? v : 0.0;
        };
        bool ok1 = false, ok2 = false;
        const double v1 = number(t1, Row1, ok1);
        const double v2 = number(t2, Row2, ok2);
        res = !ok1 && !ok2 ? 0 : Sign(v1 - v2);
        break;
    }
    case ssDate:
    case ssDateTime: {
        auto date = [](const std::string& s) {
            TDateTime d = 0;
            if (s.empty() || !ParseDateTimeText(s, d)) return 0.0;
            return static_cast<double>(d);
        };
        res = Sign(date(t1) - date(t2));
        break;
    }
    case ssShortDateEU:
    case ssShortDateUS: {
        auto date = [&](const std::string& s) {
            try {
                return static_cast<double>(style == ssShortDateEU ? ParseDateDMY(s) : ParseDateMDY(s));
            } catch (const EConvertError&) {
                return 0.0;
            }
        };
        res = Sign(date(t1) - date(t2));
        break;
    }
    case ssTime: {
        auto time = [](const std::string& s) {
            try {
                return static_cast<double>(StrToTime(s));
            } catch (const EConvertError&) {
                return 0.0;
            }
        };
        res = Sign(time(t1) - time(t2));
        break;
    }
    case ssHTML: res = CompareOrdinal(StrippedCells(ACol, Row1), StrippedCells(ACol, Row2)); break;
    case ssImages: {
        auto key = [&](int row) -> long long {
            const TCellGraphic* g = GetCellGraphic(ACol, row);
            if (!g) return -1;
            switch (g->CellType) {
            case ctBitmap: return static_cast<long long>(reinterpret_cast<std::uintptr_t>(g->CellBitmap));
            case ctIcon: return static_cast<long long>(reinterpret_cast<std::uintptr_t>(g->CellIcon));
            case ctImageList: return g->CellIndex;
            default: return -1;
            }
        };
        const long long k1 = key(Row1), k2 = key(Row2);
        res = k1 < k2 ? -1 : (k1 > k2 ? 1 : 0);
        break;
    }
    case ssCheckBox: {
        bool s1 = false, s2 = false;
        GetCheckBoxState(ACol, Row1, s1);
        GetCheckBoxState(ACol, Row2, s2);
        res = static_cast<int>(s1) - static_cast<int>(s2);
        break;
    }
    case ssCustom:
        // The handler's value as it returns it.
        res = 0;
        if (OnCustomCompare) OnCustomCompare(this, t1, t2, res);
        break;
    case ssRaw:
        res = 0;
        if (OnRawCompare) OnRawCompare(this, ACol, Row1, Row2, res);
        break;
    default: res = 1; break;
    }

    if (ss.IgnoreBlanks && t1.empty() != t2.empty()) {
        const bool asc = Direction == sdAscending;
        const bool last = ss.BlankPos == blLast;
        // The blank goes last (or first) in the shown order whatever the
        // direction.
        const int blankAfter = (asc == last) ? 1 : -1;
        res = t1.empty() ? blankAfter : -blankAfter;
    }
    return res;
}

namespace {

// Rows a and b by column ACol, ties broken by the columns to its right
// (hidden ones counted) while SortSettings.Full is on; ignored columns
// compare equal.
int CompareByColumn(TExStringGrid& G, int ACol, int Row1, int Row2)
{
    const TSortSettings& ss = G.SortSettings();
    const int last = G.AllColCount() - 1;
    for (int c = ACol; c <= last; ++c) {
        const int res = G.IsIgnoredColumn(c) ? 0 : G.SortCompareRows(c, Row1, ss.Direction, Row2);
        if (res != 0 || !ss.Full) return res;
    }
    return 0;
}

// Rows a and b by the key list, each key in its own direction; ties go on
// to the next key while SortSettings.Full is on.
int CompareByKeys(TExStringGrid& G, int Row1, int Row2)
{
    const TSortIndexList& keys = G.SortIndexes();
    const bool full = G.SortSettings().Full;
    for (int k = 0; k < keys.Count(); ++k) {
        const int col = keys.GetSortColumns(k);
        const bool asc = keys.GetSortDirections(k);
        int res = G.IsIgnoredColumn(col) ? 0 : G.SortCompareRows(col, Row1, asc ? sdAscending : sdDescending, Row2);
        if (res != 0 || !full) return asc ? res : -res;
    }
    return 0;
}

// The columns a sort may read: every real column.
void CheckSortColumn(const TExStringGrid& G, int ACol)
{
    if (ACol < 0 || ACol >= G.AllColCount()) throw EExGridError("Invalid column accessed");
}

} // namespace

// --- the sort's frame ------------------------------------------------------------------------

// What every sort does around its passes: the fixed column 0 kept with
// NormalCellsOnly, one repaint at the end, the top row kept with
// KeepScrollOnSort; restored also when a pass raises.
class TExStringGridPrivate::SortScope {
public:
    explicit SortScope(TExStringGrid& G) : FGrid(G), FTop(G.TopRow())
    {
        const TSortSettings& ss = G.SortSettings();
        FKeep0 = ss.NormalCellsOnly && G.FixedCols() > 0;
        if (FKeep0)
            for (int r = 0; r < G.RowCount(); ++r) FColumn0.push_back(G.GetGridCell(0, r));
        G.BeginUpdate();
    }
    ~SortScope()
    {
        if (FKeep0)
            for (int r = 0; r < FGrid.RowCount() && r < static_cast<int>(FColumn0.size()); ++r)
                FGrid.SetGridCell(0, r, FColumn0[static_cast<size_t>(r)]);
        if (FGrid.Navigation().KeepScrollOnSort && FTop < FGrid.RowCount()) FGrid.SetTopRow(FTop);
        FGrid.EndUpdate();
    }
    SortScope(const SortScope&) = delete;
    SortScope& operator=(const SortScope&) = delete;

private:
    TExStringGrid& FGrid;
    int FTop;
    bool FKeep0 = false;
    std::vector<std::string> FColumn0;
};

// --- sorting ---------------------------------------------------------------------------------

void TExStringGrid::InitSortXRef()
{
    FModel->FSortRowXRef.Clear();
    for (int r = 0; r < RowCount(); ++r) FModel->FSortRowXRef.Add(r);
}

void TExStringGrid::QuickSort(int Col, int Left, int Right)
{
    CheckSortColumn(*this, Col);
    if (Left < 0 || Right >= RowCount()) throw EExGridError("Invalid row accessed");
    const int sign = FParts->FSortSettings->Direction == sdDescending ? -1 : 1;
    TRowQuickSort sort(*this, [this, Col](int a, int b) { return CompareByColumn(*this, Col, a, b); }, sign, false);
    sort.Run(Left, Right);
}

void TExStringGrid::QuickSortIndexed(int Left, int Right)
{
    for (int k = 0; k < FModel->FSortIndexes.Count(); ++k) CheckSortColumn(*this, FModel->FSortIndexes.GetSortColumns(k));
    if (Left < 0 || Right >= RowCount()) throw EExGridError("Invalid row accessed");
    TRowQuickSort sort(*this, [this](int a, int b) { return CompareByKeys(*this, a, b); }, 1, true);
    sort.Run(Left, Right);
}

void TExStringGrid::QSort()
{
    TSortSettings& ss = *FParts->FSortSettings;
    if (ss.Column < 0) return;
    CheckSortColumn(*this, ss.Column);
    if (RowCount() != FModel->FSortRowXRef.Count()) InitSortXRef();
    FModel->FSortIndexes.Clear();
    const int oldRow = Row();
    SortRow = oldRow;
    {
        TExStringGridPrivate::SortScope scope(*this);
        const int last = RowCount() - FixedFooters - 1;
        if (FixedRows() < last) QuickSort(ss.Column, FixedRows(), last);
        if (!FParts->FMouseActions->DisjunctRowSelect() && FParts->FNavigation->MoveRowOnSort && SortRow >= 0 &&
            SortRow < RowCount() && SortRow != Row()) {
            TFlagSet entered(FParts->Edit.FEntered, false);
            SetRow(SortRow);
        }
    }
    if (OnRowChanged && !FParts->FNavigation->MoveRowOnSort) OnRowChanged(this, oldRow, Row());
    if (FParts->FFloatingFooter && FParts->FFloatingFooter->Visible()) UpdateFooter();
}

void TExStringGrid::QSortIndexed()
{
    if (FModel->FSortIndexes.Count() == 0) throw EExGridError("No indexes specified for indexed sort");
    for (int k = 0; k < FModel->FSortIndexes.Count(); ++k) CheckSortColumn(*this, FModel->FSortIndexes.GetSortColumns(k));
    if (RowCount() != FModel->FSortRowXRef.Count()) InitSortXRef();
    SortRow = Row();
    {
        TExStringGridPrivate::SortScope scope(*this);
        const int last = RowCount() - FixedFooters - 1;
        if (FixedRows() < last) QuickSortIndexed(FixedRows(), last);
        if (FParts->FNavigation->MoveRowOnSort && SortRow >= 0 && SortRow < RowCount() && SortRow != Row()) {
            TFlagSet entered(FParts->Edit.FEntered, false);
            SetRow(SortRow);
        }
    }
    if (FParts->FFloatingFooter && FParts->FFloatingFooter->Visible()) UpdateFooter();
}

void TExStringGrid::QSortGroup() { FParts->SortGroups(false); }

void TExStringGrid::QSortGroupIndexed() { FParts->SortGroups(true); }

void TExStringGridPrivate::SortGroups(bool Indexed)
{
    if (Indexed) {
        if (G.FModel->FSortIndexes.Count() == 0) throw EExGridError("No indexes specified for indexed sort");
        for (int k = 0; k < G.FModel->FSortIndexes.Count(); ++k)
            CheckSortColumn(G, G.FModel->FSortIndexes.GetSortColumns(k));
    } else {
        if (FSortSettings->Column < 0) return;
        CheckSortColumn(G, FSortSettings->Column);
    }
    if (G.RowCount() != G.FModel->FSortRowXRef.Count()) G.InitSortXRef();
    G.SortRow = G.Row();
    SortScope scope(G);
    const int first = G.FixedRows();
    const int last = G.RowCount() - G.FixedFooters - 1;
    // The deepest node level among the normal rows.
    int deepest = -1;
    for (int r = first; r <= last; ++r)
        if (G.IsNodeRow(r)) deepest = std::max(deepest, G.GetNodeLevel(r));
    if (deepest < 0) return;
    for (int r = first; r <= last; ++r) {
        if (!G.IsNodeRow(r) || G.GetNodeLevel(r) != deepest || G.GetNodeState(r)) continue;
        const int span = G.GetNodeSpan(r);
        if (span <= 2) continue;
        const int to = std::min(r + span - 1, last);
        if (Indexed)
            G.QuickSortIndexed(r + 1, to);
        else
            G.QuickSort(FSortSettings->Column, r + 1, to);
    }
    if (FNavigation->MoveRowOnSort && G.SortRow >= 0 && G.SortRow < G.RowCount() && G.SortRow != G.Row()) {
        TFlagSet entered(Edit.FEntered, false);
        G.SetRow(G.SortRow);
    }
}

void TExStringGrid::QUnSort()
{
    TIntList& xref = FModel->FSortRowXRef;
    // Only a record of these very rows can be undone: a permutation of
    // their positions.
    const int n = RowCount();
    if (xref.Count() != n) return;
    std::vector<bool> seen(static_cast<size_t>(n), false);
    for (int p = 0; p < n; ++p) {
        const int v = xref.Items(p);
        if (v < 0 || v >= n || seen[static_cast<size_t>(v)]) return;
        seen[static_cast<size_t>(v)] = true;
    }
    TExStringGridPrivate::SortScope scope(*this);
    // Each exchange puts one row back where the record says it stood
    // (SortSwapRows exchanges the record's entries with the rows).
    for (int p = 0; p < n; ++p)
        while (xref.Items(p) != p) SortSwapRows(p, xref.Items(p));
}

void TExStringGrid::Sort(int Column, TSortDirection Direction)
{
    FParts->FSortSettings->Column = Column;
    FParts->FSortSettings->Direction = Direction;
    QSort();
}

void TExStringGrid::SortByColumn(int Col)
{
    if (RowCount() <= 1) return;
    FParts->FSortSettings->Column = Col;
    QSort();
}

bool TExStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
    CheckSortColumn(*this, Col);
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount()) throw EExGridError("Invalid row accessed");
    const TSortDirection dir = FParts->FSortSettings->Direction;
    const int sign = dir == sdDescending ? -1 : 1;
    for (int c = Col; c < AllColCount(); ++c) {
        const int res = SortCompareRows(c, ARow1, dir, ARow2);
        if (res == sign) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (res != 0) return false;
    }
    return false;
}
