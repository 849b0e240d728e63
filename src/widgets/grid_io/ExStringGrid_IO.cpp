// TExStringGrid: sorting, filtering, search, clipboard, files and printing.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/GridFilter.h"
#include "widgets/GridUtil.h"

#include <cmath>

void TExStringGrid::PasteCell(int, int, const std::string&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FirePrintGetPageNum() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireFilterDone()
{
    if (OnFilterDone) OnFilterDone(this);
}
void TExStringGrid::MarkPastedRows(const TRect&) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FilterSelected(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FilterChecked(int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SaveColPositions() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::LoadColPositions() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::SaveColSizes() { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::LoadColSizes() { ZEL_GRID_NOT_BUILT(); }

// --- filtering ---------------------------------------------------------------------------

namespace {

// Trims blanks and control characters at both ends (as the class library's Trim).
std::string TrimControls(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

} // namespace

bool TExStringGrid::MatchFilter(int ARow)
{
    bool result = true;
    for (int i = 0; i < FParts->FFilter->Count(); ++i) {
        const TFilterData& f = *FParts->FFilter->GetItem(i);
        std::string text;
        switch (f.Data) {
        case fcVirtual:
        case fcCalculated: text = Cells(f.Column, ARow); break;
        case fcNormal: text = GetGridCell(f.Column, ARow); break;
        case fcStripHTML: text = StrippedCells(f.Column, ARow); break;
        case fcRow:
            for (int c = 0; c < AllColCount(); ++c) {
                if (c > 0) text += "\r\n";
                text += Cells(c, ARow);
            }
            break;
        }
        text = TrimControls(text);
        if (text.find("|\\") != std::string::npos) text = WideToUtf8(DecodeWideText(text));

        bool pass = false;
        try {
            if (f.Data == fcRow) {
                pass = !f.Condition.empty() && UpperCase(text).find(UpperCase(f.Condition)) != std::string::npos;
            } else {
                if (!f.Prefix.empty() && text.compare(0, f.Prefix.size(), f.Prefix) == 0)
                    text.erase(0, f.Prefix.size());
                if (!f.Suffix.empty()) {
                    const std::size_t at = text.find(f.Suffix);
                    if (at != std::string::npos && at + f.Suffix.size() == text.size()) text.erase(at);
                }
                if (f.Condition.empty())
                    pass = true;
                else if (f.Method == fmExpression)
                    pass = MatchFilterExpression(f.Condition, text, f.CaseSensitive);
                else
                    pass = text == f.Condition;
            }
        } catch (const std::exception&) {
            pass = false;
        }

        switch (f.Operation) {
        case foSHORT:
            result = pass;
            if (!pass) i = FParts->FFilter->Count();
            break;
        case foNONE: result = pass; break;
        case foAND: result = result && pass; break;
        case foXOR: result = result != pass; break;
        case foOR: result = result || pass; break;
        }
    }
    if (OnCustomFilter) {
        bool accept = result;
        OnCustomFilter(this, ARow, accept);
        result = accept;
    }
    return result;
}

void TExStringGrid::ApplyFilter()
{
    FParts->FFilterFixedRows = FixedRows();
    const int n = RowCount() - FixedFooters - FixedRows();
    TIntList hide(0, 0);
    int counted = 0;
    auto progress = [&] {
        if (OnFilterProgress && n > 0)
            OnFilterProgress(this, static_cast<std::int16_t>(std::nearbyint(counted * 100.0 / n)));
    };
    for (int r = FixedRows(); r < RowCount() - FixedFooters; ++r) {
        if (FilterNormalCellsOnly && (IsNodeRow(r) || IsSummary(r))) continue;
        if (!MatchFilter(r)) hide.Add(r);
        ++counted;
        progress();
    }
    HideRowList(hide);
    progress();
}

void TExStringGrid::SetFilterActive(bool Value)
{
    if (Value != FParts->FFilterActive) {
        FParts->FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount())
                if (FixedCols() < ColCount() && FixedRows() < RowCount()) FocusCell(FixedCols(), FixedRows());
            BeginUpdate();
            try {
                ApplyFilter();
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
            FParts->FSelHidden = false;
        } else {
            UnHideRowList();
            if (FilterLevel() > 0) SetFilterLevel(FilterLevel() - 1);
            if (FParts->FFilterFixedRows < RowCount() && FParts->FFilterFixedRows != FixedRows()) SetFixedRows(FParts->FFilterFixedRows);
            if (FParts->FSelHidden) UnHideSelection();
        }
        SetTopRow(FixedRows());
    }
    // The floating footer's column results follow the rows shown.
    if (FParts->FFloatingFooter)
        for (int c = 0; c < ColCount(); ++c) CalcFooterValues(c);
}
