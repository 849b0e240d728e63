// TExStringGrid: sorting the normal rows by one column (QSort) and the row
// comparison it rests on.
//
// The sort is a quicksort over whole rows (texts, cell objects, heights and
// row flags move with SortSwapRows, which also keeps the cross-reference of
// the positions the rows had before the first sort). The pivot is the
// content of the middle row as it was when the pass started: the pass
// follows that row through its swaps. Equal rows may change their order.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridParsers.h"
#include "widgets/GridUtil.h"

#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <algorithm>

namespace {

int Sign(double d) { return d < 0 ? -1 : (d > 0 ? 1 : 0); }

int CompareOrdinal(const std::string& a, const std::string& b)
{
    const WideString wa = Utf8ToWide(a);
    const WideString wb = Utf8ToWide(b);
    const int c = wa.compare(wb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
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

} // namespace

int TExStringGrid::SortCompareRows(int ACol, int Row1, int Row2)
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
    case ssAlphaCase:
    case ssAnsiAlphaCase: res = CompareOrdinal(t1, t2); break;
    case ssAlphaNoCase: res = CompareOrdinal(AsciiUpper(t1), AsciiUpper(t2)); break;
    case ssAnsiAlphaNoCase: res = CompareOrdinal(AnsiUpperCase(t1), AnsiUpperCase(t2)); break;
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
        res = 0;
        if (OnCustomCompare) OnCustomCompare(this, t1, t2, res);
        return res;
    case ssRaw:
        res = 0;
        if (OnRawCompare) OnRawCompare(this, ACol, Row1, Row2, res);
        break;
    default: res = 1; break;
    }

    if (ss.IgnoreBlanks && t1.empty() != t2.empty()) {
        const bool asc = ss.Direction == sdAscending;
        const bool last = ss.BlankPos == blLast;
        // The blank goes last (or first) in the shown order whatever the
        // direction.
        const int blankAfter = (asc == last) ? 1 : -1;
        res = t1.empty() ? blankAfter : -blankAfter;
    }
    return res;
}

int TExStringGrid::SortCompareRowsFull(int ACol, int Row1, int Row2)
{
    const int last = AllColCount() - 1;
    for (int c = ACol; c <= last; ++c) {
        const int res = IsIgnoredColumn(c) ? 0 : SortCompareRows(c, Row1, Row2);
        if (res != 0 || !FParts->FSortSettings->Full) return res;
    }
    return 0;
}

void TExStringGrid::InitSortXRef()
{
    FModel->FSortRowXRef.Clear();
    for (int r = 0; r < RowCount(); ++r) FModel->FSortRowXRef.Add(r);
}

void TExStringGrid::QSort()
{
    if (FParts->FSortSettings->Column < 0) return;
    if (RowCount() != FModel->FSortRowXRef.Count()) InitSortXRef();
    FModel->FSortIndexes.Clear();
    const int col = FParts->FSortSettings->Column;

    // With NormalCellsOnly the fixed column keeps its contents in place.
    std::vector<std::string> column0;
    const bool keep0 = FParts->FSortSettings->NormalCellsOnly && FixedCols() > 0;
    if (keep0)
        for (int r = 0; r < RowCount(); ++r) column0.push_back(GetGridCell(0, r));

    const int top = TopRow();
    const int oldRow = Row();
    SortRow = oldRow;
    BeginUpdate();
    try {
        const int sign = FParts->FSortSettings->Direction == sdDescending ? -1 : 1;
        // One partition pass over rows start..end, then the parts.
        std::vector<std::pair<int, int>> parts{{FixedRows(), RowCount() - FixedFooters - 1}};
        while (!parts.empty()) {
            const auto [start, end] = parts.back();
            parts.pop_back();
            if (start >= end) continue;
            int pivot = (start + end) / 2;
            auto swap = [&](int a, int b) {
                SortSwapRows(a, b);
                if (pivot == a)
                    pivot = b;
                else if (pivot == b)
                    pivot = a;
            };
            int i = start;
            int j = end;
            do {
                while (SortCompareRowsFull(col, pivot, i) == sign && i < end) ++i;
                while (SortCompareRowsFull(col, j, pivot) == sign && start < j) --j;
                if (j >= i) {
                    if (i != j && SortCompareRowsFull(col, i, j) != 0) swap(i, j);
                    ++i;
                    --j;
                }
            } while (j >= i);
            if (start < j) parts.emplace_back(start, j);
            if (i < end) parts.emplace_back(i, end);
        }
    } catch (...) {
        if (keep0)
            for (int r = 0; r < RowCount() && r < static_cast<int>(column0.size()); ++r) SetGridCell(0, r, column0[r]);
        EndUpdate();
        throw;
    }
    if (!FParts->FMouseActions->DisjunctRowSelect()) {
        if (FParts->FNavigation->MoveRowOnSort && SortRow >= 0 && SortRow < RowCount()) SetRow(SortRow);
    }
    if (OnRowChanged && !FParts->FNavigation->MoveRowOnSort) OnRowChanged(this, oldRow, Row());
    if (keep0)
        for (int r = 0; r < RowCount() && r < static_cast<int>(column0.size()); ++r) SetGridCell(0, r, column0[r]);
    if (FParts->FNavigation->KeepScrollOnSort) SetTopRow(top);
    EndUpdate();
}
