// Cells stay where they belong: a random sequence of grid shape changes
// checked against a plain table, and cases where cells, the column order or
// the selection went astray.

#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// The table as it is when nothing is hidden: rows and columns by real index.
struct PlainTable {
    std::vector<std::vector<std::string>> cells; // [row][col]
    std::vector<bool> rowHidden;
    std::vector<bool> colHidden;

    int Rows() const { return static_cast<int>(cells.size()); }
    int Cols() const { return static_cast<int>(colHidden.size()); }
    std::vector<int> Shown(const std::vector<bool>& hidden) const
    {
        std::vector<int> out;
        for (int i = 0; i < static_cast<int>(hidden.size()); ++i)
            if (!hidden[static_cast<size_t>(i)]) out.push_back(i);
        return out;
    }
    std::vector<int> ShownRows() const { return Shown(rowHidden); }
    std::vector<int> ShownCols() const { return Shown(colHidden); }
    // Real index of displayed row d; past the last shown row, the end.
    int RealRow(int d) const
    {
        const auto shown = ShownRows();
        return d < static_cast<int>(shown.size()) ? shown[static_cast<size_t>(d)] : Rows();
    }
    int RealCol(int d) const { return ShownCols()[static_cast<size_t>(d)]; }

    template <typename T>
    static void Move(std::vector<T>& v, int from, int to)
    {
        T x = v[static_cast<size_t>(from)];
        v.erase(v.begin() + from);
        v.insert(v.begin() + to, x);
    }
    void InsertRows(int at, int n)
    {
        for (int i = 0; i < n; ++i) {
            cells.insert(cells.begin() + at, std::vector<std::string>(static_cast<size_t>(Cols())));
            rowHidden.insert(rowHidden.begin() + at, false);
        }
    }
    void RemoveShownRows(int d, int n)
    {
        std::vector<int> gone;
        for (int i = 0; i < n; ++i) gone.push_back(RealRow(d + i));
        for (auto it = gone.rbegin(); it != gone.rend(); ++it) {
            cells.erase(cells.begin() + *it);
            rowHidden.erase(rowHidden.begin() + *it);
        }
    }
    void InsertCol(int at)
    {
        for (auto& row : cells) row.insert(row.begin() + at, std::string());
        colHidden.insert(colHidden.begin() + at, false);
    }
    void RemoveCol(int at)
    {
        for (auto& row : cells) row.erase(row.begin() + at);
        colHidden.erase(colHidden.begin() + at);
    }
    void MoveCol(int f, int t)
    {
        for (auto& row : cells) Move(row, f, t);
        std::vector<bool> h(colHidden.begin(), colHidden.end());
        Move(h, f, t);
        colHidden.assign(h.begin(), h.end());
    }
    void SwapCols(int a, int b)
    {
        for (auto& row : cells) std::swap(row[static_cast<size_t>(a)], row[static_cast<size_t>(b)]);
    }
    // Displayed rows exchange or move their contents; hidden rows keep
    // their real place.
    void MoveShownRow(int from, int to)
    {
        const auto shown = ShownRows();
        std::vector<std::vector<std::string>> contents;
        for (int r : shown) contents.push_back(cells[static_cast<size_t>(r)]);
        Move(contents, from, to);
        for (size_t i = 0; i < shown.size(); ++i) cells[static_cast<size_t>(shown[i])] = contents[i];
    }
    void SwapShownRows(int a, int b)
    {
        std::swap(cells[static_cast<size_t>(RealRow(a))], cells[static_cast<size_t>(RealRow(b))]);
    }
    // The count displayed rows starting at displayed row `from` go before
    // displayed row `to` (counted before the move); hidden rows keep their
    // place.
    void MoveShownRows(int from, int to, int count)
    {
        const auto shown = ShownRows();
        std::vector<std::vector<std::string>> contents;
        for (int r : shown) contents.push_back(cells[static_cast<size_t>(r)]);
        std::vector<std::vector<std::string>> block(contents.begin() + from, contents.begin() + from + count);
        contents.erase(contents.begin() + from, contents.begin() + from + count);
        const int start = from + count < to ? to - count : to;
        contents.insert(contents.begin() + start, block.begin(), block.end());
        for (size_t i = 0; i < shown.size(); ++i) cells[static_cast<size_t>(shown[i])] = contents[i];
    }
    // Real rows from..to hidden; shown again only when from is hidden.
    void HideRealRows(int from, int to)
    {
        for (int r = std::max(from, 0); r <= std::min(to, Rows() - 1); ++r) rowHidden[static_cast<size_t>(r)] = true;
    }
    void UnHideRealRows(int from, int to)
    {
        if (from >= Rows() || !rowHidden[static_cast<size_t>(from)]) return;
        for (int r = from; r <= std::min(to, Rows() - 1); ++r) rowHidden[static_cast<size_t>(r)] = false;
    }
};

// Every cell of the grid, read by real row and by displayed row, against
// the table; the hidden flags and counts too.
void ExpectSame(TExStringGrid& g, const PlainTable& t, const std::string& step)
{
    SCOPED_TRACE(step);
    ASSERT_EQ(g.AllColCount(), t.Cols());
    ASSERT_EQ(g.AllRowCount(), t.Rows());
    ASSERT_EQ(g.ColCount(), static_cast<int>(t.ShownCols().size()));
    ASSERT_EQ(g.RowCount(), static_cast<int>(t.ShownRows().size()));
    for (int c = 0; c < t.Cols(); ++c) ASSERT_EQ(g.IsHiddenColumn(c), t.colHidden[static_cast<size_t>(c)]) << c;
    for (int r = 0; r < t.Rows(); ++r) {
        ASSERT_EQ(g.IsHiddenRow(r), t.rowHidden[static_cast<size_t>(r)]) << r;
        for (int c = 0; c < t.Cols(); ++c)
            ASSERT_EQ(g.AllCells(c, r), t.cells[static_cast<size_t>(r)][static_cast<size_t>(c)]) << c << "," << r;
    }
    const auto shown = t.ShownRows();
    for (int d = 0; d < static_cast<int>(shown.size()); ++d)
        for (int c = 0; c < t.Cols(); ++c)
            ASSERT_EQ(g.Cells(c, d), t.cells[static_cast<size_t>(shown[static_cast<size_t>(d)])][static_cast<size_t>(c)])
                << c << "," << d;
}

class RandomShapeChanges {
public:
    RandomShapeChanges() : rng(20)
    {
        g.SetColCount(7);
        g.SetRowCount(14);
        t.cells.assign(14, std::vector<std::string>(7));
        t.rowHidden.assign(14, false);
        t.colHidden.assign(7, false);
        for (int r = 0; r < 14; ++r)
            for (int c = 0; c < 7; ++c) Write(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    void Write(int c, int r, const std::string& s)
    {
        g.SetAllCells(c, r, s);
        t.cells[static_cast<size_t>(r)][static_cast<size_t>(c)] = s;
    }
    int HiddenCount(const std::vector<bool>& v) { return static_cast<int>(std::count(v.begin(), v.end(), true)); }

    // One column operation (never on the fixed column 0); false when its
    // conditions do not hold now.
    // kind: 0 hides a column, 1 shows one, -1 picks any operation.
    bool ColumnStep(std::string& what, int kind = -1)
    {
        switch (kind >= 0 ? kind : Pick(0, 6)) {
        case 0: { // hide a column, keeping three shown
            if (g.ColCount() <= 3) return false;
            const auto shown = t.ShownCols();
            const int c = shown[static_cast<size_t>(Pick(1, static_cast<int>(shown.size()) - 1))];
            g.HideColumn(c);
            t.colHidden[static_cast<size_t>(c)] = true;
            what = "HideColumn " + std::to_string(c);
            return true;
        }
        case 1: { // show one again
            if (HiddenCount(t.colHidden) == 0) return false;
            std::vector<int> hidden;
            for (int c = 0; c < t.Cols(); ++c)
                if (t.colHidden[static_cast<size_t>(c)]) hidden.push_back(c);
            const int c = hidden[static_cast<size_t>(Pick(0, static_cast<int>(hidden.size()) - 1))];
            g.UnHideColumn(c);
            t.colHidden[static_cast<size_t>(c)] = false;
            what = "UnHideColumn " + std::to_string(c);
            return true;
        }
        case 2: { // move a displayed column
            const int from = Pick(1, g.ColCount() - 1), to = Pick(1, g.ColCount() - 1);
            const int f = t.RealCol(from), tt = t.RealCol(to);
            g.MoveColumn(from, to);
            if (f != tt) t.MoveCol(f, tt);
            what = "MoveColumn " + std::to_string(from) + " " + std::to_string(to);
            return true;
        }
        case 3: { // swap two real columns
            const int a = Pick(1, t.Cols() - 1), b = Pick(1, t.Cols() - 1);
            g.SwapColumns(a, b);
            t.SwapCols(a, b);
            what = "SwapColumns " + std::to_string(a) + " " + std::to_string(b);
            return true;
        }
        case 4: { // insert a column
            if (t.Cols() >= 11) return false;
            const int c = Pick(1, t.Cols());
            g.InsertCols(c, 1);
            t.InsertCol(c);
            what = "InsertCols " + std::to_string(c);
            return true;
        }
        case 5: { // remove a column
            if (t.Cols() <= 5 || g.ColCount() <= 3) return false;
            const int c = Pick(1, t.Cols() - 1);
            if (!t.colHidden[static_cast<size_t>(c)] && g.ColCount() <= 3) return false;
            g.RemoveCols(c, 1);
            t.RemoveCol(c);
            what = "RemoveCols " + std::to_string(c);
            return true;
        }
        default: { // write a cell by real row (hidden rows included)
            const int c = Pick(0, t.Cols() - 1), r = Pick(0, t.Rows() - 1);
            Write(c, r, "w" + std::to_string(++writes));
            what = "AllCells " + std::to_string(c) + "," + std::to_string(r);
            return true;
        }
        }
    }

    bool RowStep(std::string& what)
    {
        switch (Pick(0, 12)) {
        case 0: { // hide a row, keeping four shown
            if (g.RowCount() <= 4) return false;
            const auto shown = t.ShownRows();
            const int r = shown[static_cast<size_t>(Pick(1, static_cast<int>(shown.size()) - 1))];
            g.HideRow(r);
            t.rowHidden[static_cast<size_t>(r)] = true;
            what = "HideRow " + std::to_string(r);
            return true;
        }
        case 1: {
            if (HiddenCount(t.rowHidden) == 0) return false;
            std::vector<int> hidden;
            for (int r = 0; r < t.Rows(); ++r)
                if (t.rowHidden[static_cast<size_t>(r)]) hidden.push_back(r);
            const int r = hidden[static_cast<size_t>(Pick(0, static_cast<int>(hidden.size()) - 1))];
            g.UnHideRow(r);
            t.rowHidden[static_cast<size_t>(r)] = false;
            what = "UnHideRow " + std::to_string(r);
            return true;
        }
        case 2: { // insert rows before a displayed row (or at the end)
            if (t.Rows() >= 22) return false;
            const int d = Pick(1, g.RowCount()), n = Pick(1, 2);
            const int at = t.RealRow(d);
            g.InsertRows(d, n);
            t.InsertRows(at, n);
            what = "InsertRows " + std::to_string(d) + " " + std::to_string(n);
            return true;
        }
        case 3: { // remove displayed rows
            const int n = Pick(1, 2);
            if (g.RowCount() - n < 5) return false;
            const int d = Pick(1, g.RowCount() - n);
            g.RemoveRows(d, n);
            t.RemoveShownRows(d, n);
            what = "RemoveRows " + std::to_string(d) + " " + std::to_string(n);
            return true;
        }
        case 4: {
            if (g.RowCount() < 2) return false;
            const int a = Pick(1, g.RowCount() - 1), b = Pick(1, g.RowCount() - 1);
            g.MoveRow(a, b);
            if (a != b) t.MoveShownRow(a, b);
            what = "MoveRow " + std::to_string(a) + " " + std::to_string(b);
            return true;
        }
        case 5: {
            if (g.RowCount() < 2) return false;
            const int a = Pick(1, g.RowCount() - 1), b = Pick(1, g.RowCount() - 1);
            g.SwapRows(a, b);
            if (a != b) t.SwapShownRows(a, b);
            what = "SwapRows " + std::to_string(a) + " " + std::to_string(b);
            return true;
        }
        case 6: { // hide a range of real rows (HideRowsEx: not when it starts on a hidden row)
            if (t.Rows() < 2) return false;
            const bool ex = Pick(0, 1) == 0;
            const int from = Pick(1, t.Rows() - 1), to = from + Pick(0, 2);
            if (ex && t.rowHidden[static_cast<size_t>(from)]) return false;
            ex ? g.HideRowsEx(from, to) : g.HideRows(from, to);
            t.HideRealRows(from, to);
            what = std::string(ex ? "HideRowsEx " : "HideRows ") + std::to_string(from) + " " + std::to_string(to);
            return true;
        }
        case 7: { // show a range again (only from a hidden row on)
            if (HiddenCount(t.rowHidden) == 0) return false;
            const int from = Pick(1, t.Rows() - 1), to = from + Pick(0, 3);
            g.UnHideRows(from, to);
            t.UnHideRealRows(from, to);
            what = "UnHideRows " + std::to_string(from) + " " + std::to_string(to);
            return true;
        }
        case 8: { // remove displayed rows without the row states
            if (g.RowCount() < 2) return false;
            const int d = Pick(1, g.RowCount() - 1);
            g.RemoveRowsEx(d, 1);
            t.RemoveShownRows(d, 1);
            what = "RemoveRowsEx " + std::to_string(d);
            return true;
        }
        case 9: { // move a block of displayed rows
            if (g.RowCount() < 4) return false;
            const int count = Pick(1, 2), from = Pick(1, g.RowCount() - count), to = Pick(1, g.RowCount());
            const int start = from + count < to ? to - count : to;
            if (start < 1 || start > g.RowCount() - count) return false;
            g.MoveRows(from, to, count);
            if (start != from) t.MoveShownRows(from, to, count);
            what = "MoveRows " + std::to_string(from) + " " + std::to_string(to) + " " + std::to_string(count);
            return true;
        }
        case 10: { // bring every row back
            g.UnHideRowsAll();
            t.rowHidden.assign(t.rowHidden.size(), false);
            what = "UnHideRowsAll";
            return true;
        }
        case 11: { // hide every normal row: the fixed row is left alone
            g.HideRows(1, t.Rows() - 1);
            t.HideRealRows(1, t.Rows() - 1);
            what = "HideRows 1 " + std::to_string(t.Rows() - 1);
            return true;
        }
        default:
            return NodeStep(what);
        }
    }

    // A node over rows that hold no hidden row is contracted; column work
    // and cell writes go on while its rows are hidden; then it opens again.
    bool NodeStep(std::string& what)
    {
        const int span = Pick(2, 3);
        if (g.RowCount() < span + 2) return false;
        const int d = Pick(1, g.RowCount() - span);
        const int node = t.RealRow(d);
        if (t.RealRow(d + span) - node != span) return false;
        g.AddNode(node, span);
        g.ContractNode(node);
        for (int i = 1; i < span; ++i) t.rowHidden[static_cast<size_t>(node + i)] = true;
        ExpectSame(g, t, "ContractNode " + std::to_string(node) + " span " + std::to_string(span));
        for (int k = 0; k < 4; ++k) {
            std::string step;
            if (ColumnStep(step)) ExpectSame(g, t, "contracted, " + step);
        }
        g.ExpandNode(node);
        g.RemoveNode(node);
        for (int i = 1; i < span; ++i) t.rowHidden[static_cast<size_t>(node + i)] = false;
        what = "ExpandNode " + std::to_string(node);
        return true;
    }

    std::mt19937 rng;
    TExStringGrid g;
    PlainTable t;
    int writes = 0;
};

} // namespace

TEST(ExStringGridConsistency, RandomShapeChangesKeepEveryCellInItsRowAndColumn)
{
    RandomShapeChanges run;
    ExpectSame(run.g, run.t, "start");
    int done = 0, hiddenWithoutRows = 0;
    for (int step = 0; step < 1000; ++step) {
        std::string what;
        const bool rows = run.Pick(0, 1) == 1;
        const bool ran = rows ? run.RowStep(what) : run.ColumnStep(what);
        if (!ran) continue;
        ++done;
        ExpectSame(run.g, run.t, "step " + std::to_string(step) + ": " + what);
        if (testing::Test::HasFatalFailure()) return;
        // Columns hidden and shown between row operations, also while the
        // normal rows are all hidden or gone.
        if (!rows) continue;
        const bool rowless = run.g.RowCount() == 1;
        if (!run.ColumnStep(what, rowless ? 0 : run.Pick(0, 1))) continue;
        if (rowless) ++hiddenWithoutRows;
        ExpectSame(run.g, run.t, "step " + std::to_string(step) + ", then " + what);
        if (testing::Test::HasFatalFailure()) return;
    }
    // The sequence ran through the operations, not through refusals, and
    // hid columns in a grid of its fixed row alone.
    EXPECT_GT(done, 600);
    EXPECT_GT(hiddenWithoutRows, 0);
}

namespace {

// A grid of cols x rows (one fixed row and column) whose every cell holds
// "c,r" (its place when created).
std::unique_ptr<TExStringGrid> Labelled(int cols, int rows)
{
    auto g = std::make_unique<TExStringGrid>();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
    return g;
}

// The column a "c,r" text was created in.
std::string CreatedCol(const std::string& s) { return s.substr(0, s.find(',')); }

std::string RowOfCreatedCols(TExStringGrid& g, int realRow)
{
    std::string out;
    for (int c = 0; c < g.AllColCount(); ++c) out += CreatedCol(g.AllCells(c, realRow)) + " ";
    return out;
}

struct FaultCase {
    const char* name;
    std::function<void()> run;
};

} // namespace

TEST(ExStringGridConsistency, CellsOrderAndSelectionStayRightInTheCasesThatWentAstray)
{
    const FaultCase cases[] = {
        {"a moved column carries its order entry: the order can be put back",
         [] {
             auto g = Labelled(5, 4);
             g->SetColumnOrder();
             g->MoveColumn(1, 3);
             EXPECT_EQ(g->Cells(3, 1), "1,1");
             EXPECT_EQ(g->ColumnPosition(1), 3);
             EXPECT_EQ(g->ColumnAtPosition(3), 1);
             EXPECT_EQ(g->OriginalCells(1, 2), "1,2");
             g->SetOriginalCells(2, 2, "x");
             EXPECT_EQ(g->Cells(1, 2), "x");
             g->SetCells(1, 2, "2,2");
             g->ResetColumnOrder();
             for (int c = 0; c < 5; ++c) EXPECT_EQ(g->Cells(c, 3), std::to_string(c) + ",3") << c;
             EXPECT_EQ(g->ColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
         }},
        {"the first move records the order and carries the entry too",
         [] {
             auto g = Labelled(5, 3);
             g->MoveColumn(3, 1);
             EXPECT_EQ(g->ColumnOrder(), (std::vector<int>{0, 3, 1, 2, 4}));
             g->ResetColumnOrder();
             EXPECT_EQ(g->Cells(3, 1), "3,1");
         }},
        {"moving and swapping columns takes the cells of hidden rows along",
         [] {
             auto g = Labelled(6, 6);
             g->HideRow(2);
             g->HideRows(4, 4);
             g->SwapColumns(1, 4);
             g->MoveColumn(2, 5);
             g->MoveColumn(4, 1);
             g->UnHideRowsAll();
             for (int r = 2; r <= 4; ++r) EXPECT_EQ(RowOfCreatedCols(*g, r), RowOfCreatedCols(*g, 1)) << r;
         }},
        {"moving a column over a hidden column keeps the hidden one's cells and flag",
         [] {
             auto g = Labelled(6, 3);
             g->HideColumn(2);
             g->HideRow(1);
             g->MoveColumn(1, 3); // displayed 1..3 = real 1, 3, 4
             EXPECT_TRUE(g->IsHiddenColumn(1));
             EXPECT_EQ(g->Cells(1, 1), "2,2");
             g->UnHideRow(1);
             g->UnHideColumn(1);
             EXPECT_EQ(RowOfCreatedCols(*g, 1), "0 2 3 4 1 5 ");
             EXPECT_EQ(RowOfCreatedCols(*g, 2), "0 2 3 4 1 5 ");
         }},
        {"removing every normal row hides the selection; the next row brings it back",
         [] {
             auto g = Labelled(5, 4);
             g->FixedRowAlways = true;
             g->GotoCell(2, 2);
             g->RemoveRows(1, 3);
             EXPECT_EQ(g->RowCount(), 1);
             // No cell shows as current (the header row least of all).
             EXPECT_GE(g->Row(), g->RowCount());
             EXPECT_GE(g->Selection().Top, g->RowCount());
             g->InsertRows(1, 1);
             // Back in the column it was in, on the new row.
             EXPECT_EQ(g->FixedRows(), 1);
             EXPECT_EQ(g->Row(), 1);
             EXPECT_EQ(g->Col(), 2);
         }},
        {"a row count written with FixedRowAlways brings the hidden selection back",
         [] {
             auto g = Labelled(5, 4);
             g->FixedRowAlways = true;
             g->GotoCell(3, 2);
             g->RemoveRows(1, 3);
             g->SetRowCount(5);
             EXPECT_EQ(g->Row(), 1);
             EXPECT_EQ(g->Col(), 3);
             EXPECT_EQ(g->FixedRows(), 1);
         }},
        {"without FixedRowAlways the last removal hides the selection too",
         [] {
             auto g = Labelled(4, 3);
             g->RemoveRows(1, 2);
             EXPECT_GE(g->Row(), g->RowCount());
         }},
        {"a value written into a hidden row beyond its saved cells survives showing it",
         [] {
             auto g = Labelled(5, 6);
             g->HideRow(3);
             g->SetAllCells(7, 3, "x");
             g->SetAllGridCells(8, 3, "y");
             EXPECT_EQ(g->AllCells(7, 3), "x");
             g->UnHideRow(3);
             EXPECT_EQ(g->Cells(7, 3), "x");
             EXPECT_EQ(g->AllGridCells(8, 3), "y");
             EXPECT_EQ(g->Cells(4, 3), "4,3");
             // Hidden again and shown again, the cells beyond stay too.
             g->HideRow(3);
             g->UnHideRow(3);
             EXPECT_EQ(g->Cells(7, 3), "x");
         }},
        {"RowSelect of a negative row is an error unless the selection is persistent",
         [] {
             auto g = Labelled(3, 5);
             try {
                 (void)g->RowSelect(-1);
                 ADD_FAILURE() << "no error";
             } catch (const EExGridError& e) {
                 EXPECT_STREQ(e.what(), "Invalid row -1 accessed");
             }
             g->MouseActions().RowSelectPersistent = true;
             EXPECT_FALSE(g->RowSelect(-1));
         }},
        {"a grid kept at its fixed row takes row flags of rows still to come",
         [] {
             auto g = Labelled(3, 4);
             g->FixedRowAlways = true;
             g->MouseActions().SetDisjunctRowSelect(true);
             g->RemoveRows(1, 3);
             ASSERT_EQ(g->RowCount(), 1);
             EXPECT_NO_THROW(g->SetRowSelect(5, true));
             g->SetRowCount(8);
             EXPECT_TRUE(g->RowSelect(5));
         }},
        {"the fixed row height of a new grid is its default row height",
         [] {
             TExStringGrid g;
             EXPECT_EQ(g.FixedRowHeight(), 22);
             EXPECT_EQ(g.RowHeights(0), g.FixedRowHeight());
         }},
    };
    for (const FaultCase& k : cases) {
        SCOPED_TRACE(k.name);
        k.run();
    }
}

// Rows inserted, removed, moved and hidden until every normal row is hidden:
// a column hidden then leaves the current cell outside the cells (there is
// no row for it), and every hidden row keeps its saved cells.
TEST(ExStringGridConsistency, HidingAColumnAfterRowsWentAroundHiddenRows)
{
    auto g = Labelled(7, 18);
    g->UnHideRows(9, 12);
    g->HideRowsEx(9, 11);
    g->SwapRows(3, 1);
    g->UnHideColumn(4);
    g->HideRows(2, 4);
    g->UnHideRows(13, 14);
    g->UnHideColumn(3);
    g->InsertRows(10, 1);
    g->HideRowsEx(7, 7);
    g->SwapRows(11, 11);
    g->RemoveRowsEx(9, 1);
    g->HideRowsEx(17, 17);
    g->HideRows(1, 3);
    g->RemoveRowsEx(6, 1);
    g->UnHideColumn(3);
    g->RemoveRows(4, 1);
    g->UnHideRow(10);
    g->RemoveRowsEx(2, 1);
    g->MoveRows(3, 4, 2);
    g->RemoveRowsEx(1, 1);
    g->InsertRows(6, 1);
    g->RemoveRowsEx(3, 1);
    g->RemoveRows(2, 1);
    g->UnHideColumn(2);
    g->RemoveRowsEx(2, 1);
    g->RemoveRowsEx(1, 1);
    g->RemoveRowsEx(1, 1);
    g->UnHideColumn(3);
    g->InsertRows(2, 1);
    g->HideColumn(2);
    g->HideRows(9, 10);
    ASSERT_NO_THROW(g->HideColumn(1));
    g->UnHideColumnsAll();
    g->UnHideRowsAll();
    // Every row still holds the cells of one row as created (or none).
    for (int r = 0; r < g->RowCount(); ++r) {
        std::string created;
        for (int c = 0; c < g->ColCount(); ++c) {
            const std::string s = g->Cells(c, r);
            if (s.empty()) continue;
            EXPECT_EQ(s.substr(0, s.find(',')), std::to_string(c)) << c << "," << r;
            const std::string row = s.substr(s.find(',') + 1);
            if (created.empty()) created = row;
            EXPECT_EQ(row, created) << c << "," << r;
        }
    }
}
