// TExStringGrid: finding cells whose text matches a search text (Find,
// FindWide, FindFirst, FindNext), replacing text in every matching cell
// (Replace) and the incremental search by the sort column (Search).
//
// The find engine walks a range of cells from a start cell, row by row or
// column by column, forwards or backwards, and never wraps: the walk ends
// at the edge of the range with no match.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/grid_render/FlagSet.h"
#include "widgets/grid_render/FloatingFooter.h"
#include "widgets/grid_render/Html_Render.h"

#include "widgets/GridFilter.h"

#include "platform/SysUtils.h"

namespace {

// The walk range and position.
struct TFindWalk {
    int MinX = 0, MaxX = -1, MinY = 0, MaxY = -1;
    int X = 0, Y = 0;
};

// Upper case character by character, each character keeping its length
// (a character whose upper case is longer stays as it is), so that
// positions in the result are positions in the text.
WideString UpperSameLength(const WideString& s)
{
    WideString r = s;
    for (size_t i = 0; i < r.size(); ++i) {
        const char16_t c = r[i];
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (c < 0x80) {
            if (c >= u'a' && c <= u'z') r[i] = static_cast<char16_t>(c - u'a' + u'A');
            continue;
        }
        const WideString u = Utf8ToWide(AnsiUpperCase(WideToUtf8(WideString(1, c))));
        if (u.size() == 1) r[i] = u[0];
    }
    return r;
}

// Every occurrence of What in Text, ignoring case, replaced by With.
std::string ReplaceIgnoringCase(const std::string& Text, const std::string& What, const std::string& With)
{
    const WideString text = Utf8ToWide(Text);
    const WideString what = Utf8ToWide(What);
    if (what.empty()) return Text;
    const WideString ut = UpperSameLength(text);
    const WideString uw = UpperSameLength(what);
    const WideString with = Utf8ToWide(With);
    WideString out;
    size_t from = 0;
    for (size_t at = ut.find(uw); at != WideString::npos; at = ut.find(uw, from)) {
        out.append(text, from, at - from);
        out += with;
        from = at + uw.size();
    }
    out.append(text, from, WideString::npos);
    return WideToUtf8(out);
}

} // namespace

// --- the engine ------------------------------------------------------------------------------

bool TExStringGridPrivate::FindMatchCell(int ACol, int ARow, bool Wide)
{
    const TFindParams& fp = FFindParams;
    const int rc = fp.Contains(fnIncludeHiddenColumns) ? ACol : G.Model().RealCol(ACol);
    std::string text;
    if (Wide)
        text = WideToUtf8(fp.Contains(fnIncludeHiddenRows) ? G.AllWideCells(rc, ARow) : G.WideCells(rc, ARow));
    else
        text = fp.Contains(fnIncludeHiddenRows) ? G.AllCells(rc, ARow) : G.Cells(rc, ARow);
    if (!fp.Contains(fnMatchCase)) text = AnsiUpperCase(text);
    if (!Wide && fp.Contains(fnIgnoreHTMLTags)) text = HTMLToPlainText(text);
    const std::string& s = Wide ? FFindTextWide : FFindText;
    // Two double quotes find the empty cells.
    if (s == "\"\"") return text.empty();
    if (fp.Contains(fnMatchRegular)) return MatchFilterExpression(s, text, fp.Contains(fnMatchCase));
    if (s.empty()) return false;
    const size_t at = text.find(s);
    if (at == std::string::npos) return false;
    if (fp.Contains(fnMatchStart) && at != 0) return false;
    if (fp.Contains(fnMatchFull) && text != s) return false;
    return true;
}

TPoint TExStringGridPrivate::FindCell(TPoint StartCell, const std::string& Text, TFindParams FindParams, bool Wide)
{
    TFlagSet busy(FFindBusy, true);
    TPoint result{-1, -1};
    FFindParams = FindParams;
    const TFindParams& fp = FFindParams;
    FFindText = fp.Contains(fnMatchCase) ? Text : AnsiUpperCase(Text);
    FFindTextWide = FFindText;
    if (G.ColCount() <= G.FixedCols() || G.AllRowCount() <= G.FixedRows()) return result;

    // The range.
    TFindWalk w;
    if (fp.Contains(fnIncludeFixed)) {
        w.MinX = 0;
        w.MaxX = G.ColCount() - 1;
        w.MinY = 0;
        w.MaxY = G.RowCount() - 1;
    } else {
        w.MinX = G.FixedCols();
        w.MaxX = G.ColCount() - G.FixedRightCols - 1;
        w.MinY = G.FixedRows();
        w.MaxY = G.RowCount() - G.FixedFooters - 1;
    }
    if (fp.Contains(fnSelectedCells)) {
        const TGridRect sel = G.Selection();
        w.MinX = sel.Left;
        w.MaxX = sel.Right;
        w.MinY = sel.Top;
        w.MaxY = sel.Bottom;
    }
    if (fp.Contains(fnIncludeHiddenColumns)) w.MaxX += G.NumHiddenColumns();
    if (fp.Contains(fnIncludeHiddenRows)) w.MaxY += G.NumHiddenRows();
    // The restrictions narrow the range before the start cell steps on, so
    // that the step stays inside it (a walk of one column steps to the next
    // row, not onto a column the walk then leaves).
    auto restrictCol = [&](int c) { w.MinX = w.MaxX = c; };
    auto restrictRow = [&](int r) { w.MinY = w.MaxY = r; };
    if (fp.Contains(fnFindInCurrentRow)) restrictRow(G.Row());
    if (fp.Contains(fnFindInPresetRow)) restrictRow(G.FindRow);
    if (fp.Contains(fnFindInCurrentCol)) restrictCol(G.Col());
    if (fp.Contains(fnFindInPresetCol)) restrictCol(G.FindCol);
    const bool restrictedX = fp.Contains(fnFindInCurrentCol) || fp.Contains(fnFindInPresetCol);
    const bool restrictedY = fp.Contains(fnFindInCurrentRow) || fp.Contains(fnFindInPresetRow);
    if (w.MinX > w.MaxX || w.MinY > w.MaxY) return result;
    // FindCol and FindRow are the application's: a column or row the grid
    // does not have finds nothing.
    const int lastX = G.ColCount() - 1 + (fp.Contains(fnIncludeHiddenColumns) ? G.NumHiddenColumns() : 0);
    const int lastY = G.RowCount() - 1 + (fp.Contains(fnIncludeHiddenRows) ? G.NumHiddenRows() : 0);
    if (w.MinX < 0 || w.MaxX > lastX || w.MinY < 0 || w.MaxY > lastY) return result;

    // The start cell: the first (last) cell of the range, or one step on
    // from the given cell in the walk order.
    const bool back = fp.Contains(fnBackward);
    const bool rowWise = fp.Contains(fnDirectionLeftRight);
    if (StartCell.X == -1 && StartCell.Y == -1) {
        w.X = back ? w.MaxX : w.MinX;
        w.Y = back ? w.MaxY : w.MinY;
    } else {
        w.X = restrictedX ? w.MinX : StartCell.X;
        w.Y = restrictedY ? w.MinY : StartCell.Y;
        // Along: the coordinate that moves first; Across: the other.
        int& along = rowWise ? w.X : w.Y;
        int& across = rowWise ? w.Y : w.X;
        const int alongMin = rowWise ? w.MinX : w.MinY, alongMax = rowWise ? w.MaxX : w.MaxY;
        const int acrossMin = rowWise ? w.MinY : w.MinX, acrossMax = rowWise ? w.MaxY : w.MaxX;
        if (!back) {
            if (along <= alongMax)
                ++along;
            else if (across <= acrossMax)
                ++across;
            else {
                w.X = w.MinX;
                w.Y = w.MinY;
            }
        } else {
            if (along >= alongMin)
                --along;
            else if (across >= acrossMin)
                --across;
            else {
                w.X = w.MaxX;
                w.Y = w.MaxY;
            }
        }
    }

    // The walk.
    const int step = back ? -1 : 1;
    auto inX = [&](int x) { return x >= w.MinX && x <= w.MaxX; };
    auto inY = [&](int y) { return y >= w.MinY && y <= w.MaxY; };
    auto matches = [&](int x, int y) {
        G.ExportNotification(esExportNewRow, y);
        if (!FindMatchCell(x, y, Wide)) return false;
        result = {x, y};
        return true;
    };
    bool found = false;
    if (rowWise) {
        for (int y = w.Y; inY(y) && !found; y += step) {
            for (int x = w.X; inX(x) && !found; x += step) {
                const int rc = fp.Contains(fnIncludeHiddenColumns) ? x : G.Model().RealCol(x);
                if (!G.IsIgnoredColumn(rc)) found = matches(x, y);
            }
            w.X = back ? w.MaxX : w.MinX;
        }
    } else {
        for (int x = w.X; inX(x) && !found; x += step) {
            for (int y = w.Y; inY(y) && !found; y += step) found = matches(x, y);
            w.Y = back ? w.MaxY : w.MinY;
        }
    }
    FSearchCell = result;
    if (found && fp.Contains(fnAutoGoto)) GotoFound(result);
    return result;
}

void TExStringGridPrivate::GotoFound(TPoint Cell)
{
    const TFindParams& fp = FFindParams;
    int row = Cell.Y;
    if (fp.Contains(fnIncludeHiddenRows) && G.NumHiddenRows() > 0) {
        // A match in a hidden row of a node first opens its node.
        if (G.Model().IsHiddenRow(row) && G.NodeCount() > 0) {
            for (int r = row - 1; r >= 0; --r) {
                const int d = G.Model().DisplRow(r);
                if (G.Model().IsHiddenRow(r) || !G.IsNodeRow(d)) continue;
                if (r + G.GetNodeSpan(d) > row && G.GetNodeState(d)) G.ExpandNode(r);
                break;
            }
        }
        row = G.Model().DisplRow(row);
    }
    const int col = fp.Contains(fnIncludeHiddenColumns) ? G.Model().DisplCol(Cell.X) : Cell.X;
    if (row < 0 || row >= G.RowCount() || col < 0 || col >= G.ColCount()) return;
    if (FMouseActions->DisjunctRowSelect()) {
        G.ClearRowSelect();
        G.SetRowSelect(row, true);
        G.SetRow(row);
    } else {
        G.FocusCell(col, row);
    }
}

// --- the operations --------------------------------------------------------------------------

TPoint TExStringGrid::Find(TPoint StartCell, const std::string& s, TFindParams FindParams)
{
    ExportNotification(esExportStart, -1);
    const TPoint r = FParts->FindCell(StartCell, s, FindParams, false);
    ExportNotification(r.X < 0 ? esExportDone : esExportFail, -1);
    if (FindParams.Contains(fnAutoGoto)) {
        const int k = FParts->FFloatingFooter && FParts->FFloatingFooter->Visible() ? 2 : 0;
        if (Row() > TopRow() + VisibleRowCount() - k - 2 && RowCount() > VisibleRowCount() + FixedRows() + k)
            SetTopRow(TopRow() + k + 1);
    }
    return r;
}

TPoint TExStringGrid::FindWide(TPoint StartCell, const WideString& s, TFindParams FindParams)
{
    ExportNotification(esExportStart, -1);
    const TPoint r = FParts->FindCell(StartCell, WideToUtf8(s), FindParams, true);
    ExportNotification(r.X < 0 ? esExportDone : esExportFail, -1);
    return r;
}

TPoint TExStringGrid::FindFirst(const std::string& s, TFindParams FindParams)
{
    return Find({-1, -1}, s, FindParams);
}

TPoint TExStringGrid::FindNext()
{
    // The stored text is upper-cased unless the case matters; upper-casing
    // it again changes nothing.
    return Find(FParts->FSearchCell, FParts->FFindText, FParts->FFindParams);
}

bool TExStringGrid::FindBusy() const { return FParts->FFindBusy; }

int TExStringGrid::Replace(const std::string& OrigStr, const std::string& NewStr, TFindParams FindParams)
{
    if (OrigStr.empty()) return 0;
    int changed = 0;
    TPoint at{-1, -1};
    for (;;) {
        const TPoint next = Find(at, OrigStr, FindParams);
        // The walk never wraps; a match that does not move on ends it too.
        if (next.X < 0 || (next.X == at.X && next.Y == at.Y)) break;
        at = next;
        const bool hiddenRows = FindParams.Contains(fnIncludeHiddenRows);
        const int rc = FindParams.Contains(fnIncludeHiddenColumns) ? at.X : Model().RealCol(at.X);
        const std::string old = hiddenRows ? AllCells(rc, at.Y) : Cells(rc, at.Y);
        const std::string text = ReplaceIgnoringCase(old, OrigStr, NewStr);
        if (text == old) continue;
        if (hiddenRows)
            SetAllCells(rc, at.Y, text);
        else
            SetCells(rc, at.Y, text);
        if (FParts->FShowModified->Enabled && !(hiddenRows && Model().IsHiddenRow(at.Y)))
            SetRowModified(hiddenRows ? Model().DisplRow(at.Y) : at.Y, true);
        ++changed;
    }
    return changed;
}
