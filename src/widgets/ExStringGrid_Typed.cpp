// TExStringGrid: typed cell access, headers, text marking, fills and column
// order.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/ExStringGrid_DragDrop.h"

#include "widgets/GridParsers.h"
#include "widgets/GridUtil.h"

#include "platform/DateUtils.h"

#include <algorithm>
#include <random>

// --- mini-HTML helpers used by the typed views and the marking ---------------------------

namespace {

// Name of the tag that starts at s[i] ('<'), lower case, without "/".
std::string TagName(std::string_view s, size_t i, size_t end)
{
    size_t p = i + 1;
    if (p < end && s[p] == '/') ++p;
    size_t q = p;
    while (q < end && s[q] != '>' && s[q] != ' ' && s[q] != '/') ++q;
    return LowerCase(s.substr(p, q - p));
}

// Plain text of a mini-HTML text: <BR> and <HR> become line breaks, every
// other tag goes. A "<" without its closing ">" is text.
std::string HTMLToPlainText(std::string_view s)
{
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '<') {
            const size_t end = s.find('>', i);
            if (end == std::string_view::npos) {
                r.append(s.substr(i));
                break;
            }
            const std::string name = TagName(s, i, end);
            if (name == "br" || name == "hr") r += "\r\n";
            i = end;
            continue;
        }
        r += s[i];
    }
    return r;
}

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to)
{
    size_t p = 0;
    while ((p = s.find(from, p)) != std::string::npos) {
        s.replace(p, from.size(), to);
        p += to.size();
    }
    return s;
}

std::string EncodeHTMLEntities(std::string_view s)
{
    std::string r;
    for (char c : s) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '"': r += "&quot;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        default: r += c;
        }
    }
    return r;
}

std::string DecodeHTMLEntities(std::string_view s)
{
    std::string r = ReplaceAll(std::string(s), "&lt;", "<");
    r = ReplaceAll(r, "&gt;", ">");
    r = ReplaceAll(r, "&quot;", "\"");
    return ReplaceAll(r, "&amp;", "&");
}

// Every occurrence of Search in the visible part of Text (outside tags)
// wrapped in <Tag> and </Tag>.
std::string HTMLMarkText(std::string_view Text, std::string_view Search, const std::string& Tag, bool DoCase)
{
    if (Search.empty()) return std::string(Text);
    const std::string open = "<" + Tag + ">", close = "</" + Tag + ">";
    const std::string hay = DoCase ? std::string(Text) : LowerCase(Text);
    const std::string needle = DoCase ? std::string(Search) : LowerCase(Search);
    std::string r;
    size_t i = 0;
    while (i < Text.size()) {
        if (Text[i] == '<') {
            const size_t end = Text.find('>', i);
            const size_t stop = end == std::string_view::npos ? Text.size() : end + 1;
            r.append(Text.substr(i, stop - i));
            i = stop;
            continue;
        }
        // A match must lie within the visible run that starts here.
        const size_t runEnd = std::min(Text.find('<', i), Text.size());
        if (hay.compare(i, needle.size(), needle) == 0 && i + needle.size() <= runEnd) {
            r += open;
            r.append(Text.substr(i, needle.size()));
            r += close;
            i += needle.size();
        } else {
            r += Text[i++];
        }
    }
    return r;
}

// Text without the opening and closing tags named Tag (any case); "&lt;"
// and "&gt;" back to "<" and ">".
std::string HTMLUnmarkText(std::string_view Text, const std::string& Tag)
{
    const std::string tag = LowerCase(Tag);
    std::string r;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '<') {
            const size_t end = Text.find('>', i);
            if (end != std::string_view::npos) {
                const std::string_view inner = Text.substr(i + 1, end - i - 1);
                const std::string low = LowerCase(inner);
                if (low == tag || low == "/" + tag) {
                    i = end;
                    continue;
                }
            }
        }
        r += Text[i];
    }
    r = ReplaceAll(r, "&lt;", "<");
    return ReplaceAll(r, "&gt;", ">");
}

const std::string kHilightTag = "hi";
const std::string kErrorTag = "e";

} // namespace

std::string TExStringGrid::StrippedCells(int ACol, int ARow) const { return HTMLToPlainText(Cells(ACol, ARow)); }

// --- typed access -----------------------------------------------------------------------------

namespace {

int IntOfText(const std::string& text)
{
    const std::string s = Trim(text);
    if (s.empty() || s == "-") return 0;
    int v = 0;
    if (!TryStrToInt(s, v)) throw EExGridError("Cell does not contain integer value");
    return v;
}

double FloatOfText(const std::string& text)
{
    const std::string t = Trim(text);
    if (t.empty() || t == "-") return 0;
    // A text with no number in it is an error, not a zero.
    double v = 0;
    if (!TryDotTextToFloat(NormalizeNumberText(t), v)) throw EExGridError("Cell does not contain a float value");
    return v;
}

} // namespace

int TExStringGrid::Ints(int ACol, int ARow) const { return IntOfText(StrippedCells(ACol, ARow)); }

void TExStringGrid::SetInts(int ACol, int ARow, int Value)
{
    SetCells(ACol, ARow, IntToStr(Value));
    if (NumHiddenColumns() > 0) RepaintCell(Model().DisplCol(ACol), ARow);
}

int TExStringGrid::AllInts(int ACol, int ARow) const { return IntOfText(AllCells(ACol, ARow)); }

void TExStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetAllCells(ACol, ARow, IntToStr(Value)); }

double TExStringGrid::Floats(int ACol, int ARow) const { return FloatOfText(StrippedCells(ACol, ARow)); }

void TExStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    SetCells(ACol, ARow, Format(const_cast<TExStringGrid*>(this)->GetColumnFloatFormat(ACol), {Value}));
}

double TExStringGrid::AllFloats(int ACol, int ARow) const { return FloatOfText(AllCells(ACol, ARow)); }

void TExStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    SetAllCells(ACol, ARow, Format(FloatFormat, {Value}));
}

double TExStringGrid::Dates(int ACol, int ARow) const { return StrToDate(Cells(ACol, ARow)); }

void TExStringGrid::SetDates(int ACol, int ARow, double Value)
{
    SetCells(ACol, ARow, Value > 0 || ShowNullDates ? DateToStr(Value) : std::string());
}

double TExStringGrid::Times(int ACol, int ARow) const { return StrToTime(Cells(ACol, ARow)); }

void TExStringGrid::SetTimes(int ACol, int ARow, double Value) { SetCells(ACol, ARow, TimeToStr(Value)); }

WideString TExStringGrid::WideCells(int ACol, int ARow) const { return DecodeWideText(Cells(ACol, ARow)); }

void TExStringGrid::SetWideCells(int ACol, int ARow, const WideString& Value)
{
    SetCells(ACol, ARow, EncodeWideText(Value));
}

bool TExStringGrid::IsWideCell(int ACol, int ARow) const { return Cells(ACol, ARow).starts_with("|\\"); }

bool TExStringGrid::IsCell(const std::string& SubStr, int& ACol, int& ARow) const
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GetGridCell(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

int TExStringGrid::PrintColWidth(int ACol) const
{
    if (ACol < 0 || ACol >= static_cast<int>(FParts->FPrintColWidths.size()))
        throw EExGridError("Columns is not in valid range");
    return FParts->FPrintColWidths[static_cast<size_t>(ACol)];
}

int TExStringGrid::PrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol >= static_cast<int>(FParts->FPrintColOffsets.size()))
        throw EExGridError("Columns is not in valid range");
    return FParts->FPrintColOffsets[static_cast<size_t>(ACol)];
}

// --- headers ----------------------------------------------------------------------------------

void TExStringGrid::SetColumnHeaders(const TStringList& Value)
{
    FParts->FColumnHeaders = Value;
    if (FixedRows() > 0) ClearColumnHeaders();
    ColumnHeadersChanged();
    ShowColumnHeaders();
}

void TExStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < ColCount(); ++c) SetCells(c, 0, std::string());
}

void TExStringGrid::ShowColumnHeaders()
{
    if (FixedRows() == 0) return;
    const int n = std::min(FParts->FColumnHeaders.Count(), AllColCount());
    for (int i = 0; i < n; ++i) SetCells(i, 0, UnescapeNewlines(FParts->FColumnHeaders[i]));
}

void TExStringGrid::SetRowHeaders(const TStringList& Value)
{
    FParts->FRowHeaders = Value;
    if (Designing() && FixedCols() > 0) ClearRowHeaders();
    ShowRowHeaders();
}

void TExStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < RowCount(); ++r) SetCells(0, r, std::string());
}

void TExStringGrid::ShowRowHeaders()
{
    if (FixedCols() == 0) return;
    const int n = std::min(FParts->FRowHeaders.Count(), RowCount());
    for (int i = 0; i < n; ++i) SetCells(0, i, UnescapeNewlines(FParts->FRowHeaders[i]));
}

// --- marking ----------------------------------------------------------------------------------

std::string TExStringGrid::HilightText(bool DoCase, const std::string& S, const std::string& Text) const
{
    return HTMLMarkText(S, Text, kHilightTag, DoCase);
}

std::string TExStringGrid::UnHilightText(const std::string& S) const { return HTMLUnmarkText(S, kHilightTag); }

std::string TExStringGrid::MarkText(bool DoCase, const std::string& S, const std::string& Text) const
{
    return HTMLMarkText(S, Text, kErrorTag, DoCase);
}

std::string TExStringGrid::UnMarkText(const std::string& S) const { return HTMLUnmarkText(S, kErrorTag); }

namespace {

struct TCellRange {
    int c1, r1, c2, r2;
};

// The text a marking works on: with display events when there are some.
std::string MarkSource(const TExStringGrid& g, int c, int r)
{
    return g.OnGetDisplText ? g.Cells(c, r) : g.GetGridCell(c, r);
}

void HighlightRange(TExStringGrid& g, const TCellRange& R, bool DoCase, const std::string& Text,
                    const std::string& Tag)
{
    const std::string search = EncodeHTMLEntities(Text);
    for (int r = R.r1; r <= R.r2; ++r)
        for (int c = R.c1; c <= R.c2; ++c) {
            if (!g.IsBaseCell(c, r)) continue;
            const std::string s = EncodeHTMLEntities(MarkSource(g, c, r));
            g.SetCells(c, r, HTMLMarkText(s, search, Tag, DoCase));
        }
}

void UnhighlightRange(TExStringGrid& g, const TCellRange& R, const std::string& Tag)
{
    for (int r = R.r1; r <= R.r2; ++r)
        for (int c = R.c1; c <= R.c2; ++c) {
            if (!g.IsBaseCell(c, r)) continue;
            const std::string s = DecodeHTMLEntities(MarkSource(g, c, r));
            g.SetCells(c, r, HTMLUnmarkText(s, Tag));
        }
}

// Rows of a column operation and columns of a row operation (C: the last
// column index + 1 to use).
TCellRange ColRange(const TExStringGrid& g, bool DoFixed, int Col)
{
    if (DoFixed) return {Col, 0, Col, g.RowCount() - 1};
    return {Col, g.FixedRows(), Col, g.RowCount() - g.FixedFooters - 1};
}

TCellRange RowRange(const TExStringGrid& g, bool DoFixed, int Row, int C)
{
    if (DoFixed) return {0, Row, C - 1, Row};
    return {g.FixedCols(), Row, C - g.FixedRightCols - 1, Row};
}

TCellRange GridRange(const TExStringGrid& g, bool DoFixed, int CFixed, int CNormal)
{
    if (DoFixed) return {0, 0, CFixed - 1, g.RowCount() - 1};
    return {g.FixedCols(), g.FixedRows(), CNormal - g.FixedRightCols - 1, g.RowCount() - g.FixedFooters - 1};
}

} // namespace

void TExStringGrid::HilightInCell(bool DoCase, int Col, int Row, const std::string& HiText)
{
    HighlightRange(*this, {Col, Row, Col, Row}, DoCase, HiText, kHilightTag);
}

void TExStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const std::string& HiText)
{
    HighlightRange(*this, ColRange(*this, DoFixed, Col), DoCase, HiText, kHilightTag);
}

void TExStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const std::string& HiText)
{
    HighlightRange(*this, RowRange(*this, DoFixed, Row, ColCount()), DoCase, HiText, kHilightTag);
}

void TExStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const std::string& HiText)
{
    HighlightRange(*this, GridRange(*this, DoFixed, ColCount(), AllColCount()), DoCase, HiText, kHilightTag);
}

void TExStringGrid::UnHilightInCell(int Col, int Row) { UnhighlightRange(*this, {Col, Row, Col, Row}, kHilightTag); }

void TExStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    UnhighlightRange(*this, ColRange(*this, DoFixed, Col), kHilightTag);
}

void TExStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    UnhighlightRange(*this, RowRange(*this, DoFixed, Row, AllColCount()), kHilightTag);
}

void TExStringGrid::UnHilightInGrid(bool DoFixed)
{
    UnhighlightRange(*this, GridRange(*this, DoFixed, AllColCount(), AllColCount()), kHilightTag);
}

void TExStringGrid::MarkInCell(bool DoCase, int Col, int Row, const std::string& HiText)
{
    HighlightRange(*this, {Col, Row, Col, Row}, DoCase, HiText, kErrorTag);
}

void TExStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const std::string& HiText)
{
    HighlightRange(*this, ColRange(*this, DoFixed, Col), DoCase, HiText, kErrorTag);
}

void TExStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const std::string& HiText)
{
    HighlightRange(*this, RowRange(*this, DoFixed, Row, ColCount()), DoCase, HiText, kErrorTag);
}

void TExStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const std::string& HiText)
{
    HighlightRange(*this, GridRange(*this, DoFixed, ColCount(), ColCount()), DoCase, HiText, kErrorTag);
}

void TExStringGrid::UnMarkInCell(int Col, int Row) { UnhighlightRange(*this, {Col, Row, Col, Row}, kErrorTag); }

void TExStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
    UnhighlightRange(*this, ColRange(*this, DoFixed, Col), kErrorTag);
}

void TExStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    UnhighlightRange(*this, RowRange(*this, DoFixed, Row, AllColCount()), kErrorTag);
}

void TExStringGrid::UnMarkInGrid(bool DoFixed)
{
    UnhighlightRange(*this, GridRange(*this, DoFixed, AllColCount(), AllColCount()), kErrorTag);
}

// --- fills ------------------------------------------------------------------------------------

namespace {

template <class F>
void FillCells(TExStringGrid& g, bool DoFixed, F&& cellText)
{
    const TCellRange R = GridRange(g, DoFixed, g.ColCount(), g.ColCount());
    for (int r = R.r1; r <= R.r2; ++r)
        for (int c = R.c1; c <= R.c2; ++c) cellText(c, r);
}

} // namespace

void TExStringGrid::TextFill(bool DoFixed, const std::string& Txt)
{
    FillCells(*this, DoFixed, [&](int c, int r) { SetCells(c, r, Txt); });
    AllCellsChanged();
}

void TExStringGrid::FormatFill(bool DoFixed, const std::string& Fmt)
{
    FillCells(*this, DoFixed, [&](int c, int r) { SetCells(c, r, Format(Fmt, {c, r})); });
    AllCellsChanged();
}

void TExStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    static std::mt19937 generator{std::random_device{}()};
    FillCells(*this, DoFixed, [&](int c, int r) {
        const int v = Rnd > 0 ? std::uniform_int_distribution<int>(0, Rnd - 1)(generator) : 0;
        SetInts(c, r, v);
    });
    AllCellsChanged();
}

void TExStringGrid::LinearFill(bool DoFixed)
{
    FillCells(*this, DoFixed, [&](int c, int r) { SetCells(c, r, IntToStr(c) + ":" + IntToStr(r)); });
    AllCellsChanged();
}

// --- column lookup and order ------------------------------------------------------------------

int TExStringGrid::ColumnByHeader(const std::string& AValue) const
{
    for (int c = 0; c < AllColCount(); ++c)
        if (AllCells(c, 0) == AValue) return c;
    return -1;
}

void TExStringGrid::SetColumnOrder()
{
    FModel->FColumnOrder.Clear();
    for (int c = 0; c < ColCount(); ++c) FModel->FColumnOrder.Add(c);
}

bool TExStringGrid::LoadColumnOrder(const std::vector<int>& Order)
{
    if (!IsPermutation(Order, AllColCount())) return false;
    FModel->FColumnOrder.Clear();
    for (int x : Order) FModel->FColumnOrder.Add(x);
    return true;
}

std::vector<int> TExStringGrid::ColumnOrder() const
{
    std::vector<int> r;
    for (int i = 0; i < FModel->FColumnOrder.Count(); ++i) r.push_back(FModel->FColumnOrder.Items(i));
    return r;
}

int TExStringGrid::ColumnPosition(int ACol) const
{
    if (FModel->FColumnOrder.Count() == 0) return ACol;
    const int n = std::min(FModel->FColumnOrder.Count(), AllColCount());
    for (int i = 0; i < n; ++i)
        if (FModel->FColumnOrder.Items(i) == ACol) return i;
    return ACol;
}

int TExStringGrid::ColumnAtPosition(int ACol)
{
    if (FModel->FColumnOrder.Count() == 0) SetColumnOrder();
    if (ACol < 0 || ACol >= FModel->FColumnOrder.Count()) return ACol;
    return FModel->FColumnOrder.Items(ACol);
}

void TExStringGrid::ResetColumnOrder()
{
    if (NumHiddenColumns() > 0) UnHideColumnsAll();
    if (FModel->FColumnOrder.Count() == 0) {
        SetColumnOrder();
        return;
    }
    // Only a full order of the displayed columns can be put back; anything
    // else would move columns without end.
    if (!IsPermutation(ColumnOrder(), ColCount())) return;
    // Each move carries its list entry along (ColumnMoved), so every pass
    // sees the list as the columns now stand.
    bool moved = true;
    for (int pass = 0; moved && pass <= ColCount(); ++pass) {
        moved = false;
        for (int i = 0; i < ColCount(); ++i) {
            const int to = FModel->FColumnOrder.Items(i);
            if (to >= i) continue;
            MoveColumn(i, to);
            moved = true;
        }
    }
}

std::string TExStringGrid::OriginalCells(int ACol, int ARow) const { return Cells(ColumnPosition(ACol), ARow); }

void TExStringGrid::SetOriginalCells(int ACol, int ARow, const std::string& Value)
{
    SetCells(ColumnPosition(ACol), ARow, Value);
}

// --- cell checks --------------------------------------------------------------------------------

bool TExStringGrid::CheckCell(int ACol, int ARow)
{
    if (!FParts->FCellChecker) return true;
    const std::string s = UnMarkText(Cells(ACol, ARow));
    if (FParts->FCellChecker->GotoCell) MoveToCell(Model().DisplCol(ACol), ARow);
    std::string t = s;
    if (FParts->FCellChecker->UseCorrect) t = FParts->FCellChecker->Correct(ACol, ARow, s);
    // The error mark is made on the unmarked text too: with both switches
    // the marked text stays.
    if (FParts->FCellChecker->UseMarkError) t = FParts->FCellChecker->MarkError(ACol, ARow, s);
    SetCells(ACol, ARow, t);
    return t == s;
}

bool TExStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FParts->FCellChecker) return true;
    TExStringGridCheck* checker = FParts->FCellChecker;
    checker->StartCheck();
    const int oldRow = Row(), oldCol = Col();
    bool all = true;
    // Every cell is checked, also after one failed.
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            if (!CheckCell(c, r)) all = false;
    checker->StopCheck();
    if (checker->GotoCell && oldRow < RowCount() && oldCol < ColCount()) {
        SetRow(oldRow);
        SetCol(oldCol);
    }
    return all;
}

bool TExStringGrid::CheckCol(bool DoFixed, int ACol)
{
    return DoFixed ? CheckCells(ACol, 0, ACol, RowCount() - 1)
                   : CheckCells(ACol, FixedRows(), ACol, RowCount() - FixedFooters - 1);
}

bool TExStringGrid::CheckRow(bool DoFixed, int ARow)
{
    return DoFixed ? CheckCells(0, ARow, ColCount() - 1, ARow)
                   : CheckCells(FixedCols(), ARow, ColCount() - FixedRightCols - 1, ARow);
}

bool TExStringGrid::CheckGrid(bool DoFixed)
{
    return DoFixed ? CheckCells(0, 0, ColCount() - 1, RowCount() - 1)
                   : CheckCells(FixedCols(), FixedRows(), ColCount() - FixedRightCols - 1,
                                RowCount() - FixedFooters - 1);
}
