#include "widgets/ExStringGrid.h"

#include "support/FormatGuard.h"
#include "support/RecordingGridHost.h"
#include "platform/DateUtils.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A cell control the grid does not own.
class Knob : public TObject {
public:
    std::string ClassName() const override { return "Knob"; }
};

} // namespace

// --- cells by real row -------------------------------------------------------------------

TEST(ExStringGridAccess, AllCellsOfVisibleRowsAndNegativeIndices)
{
    TExStringGrid g;
    g.SetAllCells(2, 3, "abc");
    EXPECT_EQ(g.Cells(2, 3), "abc");
    EXPECT_EQ(g.AllCells(2, 3), "abc");
    EXPECT_EQ(g.AllCells(-1, 0), "");
    EXPECT_EQ(g.AllCells(0, -1), "");
    g.SetAllCells(-1, 2, "lost");
    EXPECT_EQ(g.AllCells(-1, 2), "");

    // The display event applies to AllCells, not to AllGridCells.
    g.OnGetDisplText = [](TObject*, int, int, std::string& v) { v = "<" + v + ">"; };
    EXPECT_EQ(g.AllCells(2, 3), "<abc>");
    EXPECT_EQ(g.AllGridCells(2, 3), "abc");
}

TEST(ExStringGridAccess, HiddenRowsKeepTheirTextsUnderTheirRealIndex)
{
    TExStringGrid g;
    for (int r = 0; r < g.RowCount(); ++r) g.SetCells(1, r, "r" + IntToStr(r));
    g.HideRow(3);
    g.HideRow(4);
    EXPECT_EQ(g.AllCells(1, 3), "r3");
    EXPECT_EQ(g.AllGridCells(1, 4), "r4");
    EXPECT_EQ(g.AllCells(1, 5), "r5");
    EXPECT_EQ(g.Cells(1, 3), "r5");

    g.SetAllCells(1, 5, "five");
    EXPECT_EQ(g.Cells(1, 3), "five") << "a shown row is written where it is displayed";
    g.SetAllCells(1, 4, "four");
    EXPECT_EQ(g.Cells(1, 3), "five") << "a hidden row's write stays in its saved texts";

    g.OnGetDisplText = [](TObject*, int c, int r, std::string& v) { v += "@" + IntToStr(c) + "," + IntToStr(r); };
    EXPECT_EQ(g.AllCells(1, 4), "four@1,4") << "display event with the real indices";
    EXPECT_EQ(g.AllGridCells(1, 4), "four");
    g.OnGetDisplText = nullptr;

    g.UnHideRow(4);
    EXPECT_EQ(g.Cells(1, g.DisplRowIndex(4)), "four");
}

TEST(ExStringGridAccess, WritingAHiddenRowBeyondItsSavedTextsExtendsThem)
{
    // The row was hidden while the grid had 5 columns; both writers must
    // keep a value written to a column added since.
    for (bool raw : {false, true}) {
        SCOPED_TRACE(raw ? "AllGridCells" : "AllCells");
        TExStringGrid g;
        g.SetCells(0, 3, "a");
        g.HideRow(3);
        g.SetColCount(8);
        auto write = [&](int c, const std::string& v) { raw ? g.SetAllGridCells(c, 3, v) : g.SetAllCells(c, 3, v); };
        write(7, "x");
        EXPECT_EQ(g.AllGridCells(7, 3), "x");
        EXPECT_EQ(g.AllGridCells(6, 3), "");
        EXPECT_EQ(g.AllGridCells(0, 3), "a");
        // A column beyond the grid's keeps its value as a shown row's does.
        write(100000, "y");
        EXPECT_EQ(g.AllGridCells(100000, 3), "y");

        g.UnHideRow(3);
        EXPECT_EQ(g.Cells(7, 3), "x");
        EXPECT_EQ(g.AllGridCells(100000, 3), "y");
    }
}

TEST(ExStringGridAccess, UserObjectsOfHiddenRows)
{
    TExStringGrid g;
    g.SetAllObjects(2, 3, 77);
    g.HideRow(3);
    EXPECT_EQ(g.AllObjects(2, 3), 77u);
    g.SetAllObjects(2, 3, 78);
    g.UnHideRow(3);
    EXPECT_EQ(g.AllObjects(2, 3), 78u);
}

TEST(ExStringGridAccess, WideCells)
{
    TExStringGrid g;
    const WideString w = u"\u0416\u4E2D!";
    g.SetAllWideCells(1, 1, w);
    EXPECT_EQ(g.AllWideCells(1, 1), w);
    EXPECT_EQ(g.Cells(1, 1).substr(0, 2), "|\\");
}

// --- looks ----------------------------------------------------------------------------------

TEST(ExStringGridAccess, ReadingALookCreatesNothingButWordWrapDoes)
{
    TExStringGrid g;
    EXPECT_EQ(g.Colors(2, 2), clNone);
    EXPECT_EQ(g.FontColors(2, 2), clNone);
    EXPECT_EQ(g.ColorsTo(2, 2), clNone);
    EXPECT_EQ(g.Alignments(2, 2), TAlignment::taLeftJustify);
    EXPECT_FALSE(g.ReadOnly(2, 2));
    EXPECT_EQ(g.CellControls(2, 2), nullptr);
    EXPECT_FALSE(g.HasCellProperties(2, 2));
    g.WordWraps(2, 2);
    EXPECT_TRUE(g.HasCellProperties(2, 2));
}

TEST(ExStringGridAccess, LooksAreKeptPerCell)
{
    TExStringGrid g;
    g.SetColors(1, 2, clRed);
    g.SetFontColors(1, 2, clBlue);
    g.SetAlignments(1, 2, TAlignment::taRightJustify);
    g.SetReadOnly(1, 2, true);
    g.SetFontStyles(1, 2, {fsBold});
    g.SetFontSizes(1, 2, 12);
    g.SetFontNames(1, 2, "Courier");
    EXPECT_EQ(g.Colors(1, 2), clRed);
    EXPECT_EQ(g.FontColors(1, 2), clBlue);
    EXPECT_EQ(g.Alignments(1, 2), TAlignment::taRightJustify);
    EXPECT_TRUE(g.ReadOnly(1, 2));
    EXPECT_EQ(g.Colors(2, 1), clNone) << "column and row are not swapped";

    TFont& f = g.Fonts(1, 2);
    EXPECT_EQ(f.Name(), "Courier");
    EXPECT_EQ(f.Size(), 12);
    EXPECT_EQ(f.Color(), clBlue);
    EXPECT_EQ(&g.Fonts(3, 3), &g.Font()) << "a cell without looks answers the grid's font";

    TFont other;
    other.SetName("Arial");
    other.SetSize(9);
    other.SetColor(clGreen);
    g.SetFonts(3, 3, other);
    EXPECT_EQ(g.FontNames(3, 3), "Arial");
    EXPECT_EQ(g.FontSizes(3, 3), 9);
    EXPECT_EQ(g.FontColors(3, 3), clGreen);
}

TEST(ExStringGridAccess, LooksOutsideTheGridAreIgnored)
{
    // Property objects there would never be freed.
    TExStringGrid g;
    g.SetColors(2, 500, clRed);
    g.SetReadOnly(900, 2, true);
    g.SetAlignments(-1, 2, TAlignment::taCenter);
    EXPECT_EQ(g.Colors(2, 500), clNone);
    EXPECT_FALSE(g.ReadOnly(900, 2));
    EXPECT_EQ(g.Alignments(-1, 2), TAlignment::taLeftJustify);
}

TEST(ExStringGridAccess, ColoursInsideAnUpdateLockDoNotRepaint)
{
    TExStringGrid g;
    RecordingGridHost host;
    g.SetHost(&host);
    g.BeginUpdate();
    host.invalidations = 0;
    g.SetColors(1, 1, clRed);
    EXPECT_EQ(host.invalidations, 0);
    EXPECT_EQ(g.Colors(1, 1), clRed);
    g.EndUpdate();
    host.invalidations = 0;
    g.SetColors(1, 1, clBlue);
    EXPECT_GT(host.invalidations, 0);
    g.SetHost(nullptr);
}

TEST(ExStringGridAccess, RowColourNoneKeepsCheckBoxes)
{
    TExStringGrid g;
    TCellGraphic* box = g.CreateCellGraphic(2, 1);
    box->SetCheckBox(true, false, false, haLeft, vaTop);
    for (int c = 1; c < g.ColCount(); ++c) g.SetColors(c, 1, clRed);

    g.SetRowColor(1, clNone);
    ASSERT_TRUE(g.HasCellProperties(2, 1)) << "the check box stays";
    EXPECT_EQ(g.GetCellGraphic(2, 1), box);
    EXPECT_EQ(g.Colors(2, 1), clNone);
    EXPECT_FALSE(g.HasCellProperties(1, 1));
    EXPECT_FALSE(g.HasCellProperties(3, 1));

    g.SetRowColor(1, clYellow);
    EXPECT_EQ(g.Colors(4, 1), clYellow);
    EXPECT_EQ(g.Colors(0, 1), clNone) << "fixed column untouched";
}

TEST(ExStringGridAccess, RowFontColourNoneKeepsCheckBoxes)
{
    TExStringGrid g;
    g.CreateCellGraphic(2, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
    g.SetRowFontColor(1, clBlue);
    EXPECT_EQ(g.FontColors(2, 1), clBlue);
    g.SetColors(3, 1, clRed);
    g.SetColors(4, 1, clNone);

    g.SetRowFontColor(1, clNone);
    ASSERT_NE(g.GetCellGraphic(2, 1), nullptr);
    EXPECT_EQ(g.FontColors(2, 1), clNone);
    EXPECT_EQ(g.Colors(3, 1), clRed) << "a coloured cell keeps its colour";
    EXPECT_EQ(g.FontColors(3, 1), clNone);
    EXPECT_FALSE(g.HasCellProperties(4, 1));
}

TEST(ExStringGridAccess, RowColourToNoneRemovesEveryLookOfTheRow)
{
    // The cell's graphic goes with its property object (no leak).
    TExStringGrid g;
    g.CreateCellGraphic(2, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
    g.SetRowColorTo(1, clRed);
    EXPECT_EQ(g.ColorsTo(3, 1), clRed);
    g.SetRowColorTo(1, clNone);
    for (int c = 1; c < g.ColCount(); ++c) EXPECT_FALSE(g.HasCellProperties(c, 1)) << c;
}

TEST(ExStringGridAccess, CellControlsAreRegisteredAndReleased)
{
    TExStringGrid g;
    Knob a, b;
    g.SetCellControls(1, 2, &a);
    EXPECT_EQ(g.CellControls(1, 2), &a);
    EXPECT_EQ(g.CellControlCount(), 1);
    EXPECT_EQ(g.ControlList().Count(), 1);

    g.SetCellControls(1, 2, &b);
    EXPECT_EQ(g.CellControlCount(), 1) << "replacing counts once";
    EXPECT_EQ(g.ControlList().Count(), 1);
    EXPECT_EQ(g.ControlList().Control(0)->FObject, &b);

    g.SetCellControls(1, 2, nullptr);
    EXPECT_EQ(g.CellControls(1, 2), nullptr);
    EXPECT_EQ(g.CellControlCount(), 0);
    EXPECT_EQ(g.ControlList().Count(), 0);
    g.SetCellControls(1, 2, nullptr);
    EXPECT_EQ(g.CellControlCount(), 0) << "never below 0";
}

TEST(ExStringGridAccess, LinesInCell)
{
    TExStringGrid g;
    g.SetCells(1, 1, "a\r\nb");
    EXPECT_EQ(g.LinesInCell(1, 1), 2);
    EXPECT_EQ(g.LinesInCell(2, 2), 1);
}

TEST(ExStringGridAccess, CurrentCellIsTheBaseCellOfItsArea)
{
    TExStringGrid g;
    g.SetCells(1, 1, "base");
    g.MergeCells(1, 1, 2, 2);
    g.FocusCell(2, 2, true);
    g.OnGetDisplText = [](TObject*, int, int, std::string& v) { v = "[" + v + "]"; };
    EXPECT_EQ(g.CurrentCell(), "base");
    EXPECT_EQ(g.GetCurrentCellText(), "[base]");
    g.SetCurrentCell("new");
    EXPECT_EQ(g.GetGridCell(1, 1), "new");
}

TEST(ExStringGridAccess, UnsortedOrder)
{
    TExStringGrid g;
    for (int r = 0; r < g.RowCount(); ++r) g.SetCells(1, r, IntToStr(r));
    EXPECT_EQ(g.UnSortedCells(1, 4), "4") << "no sort yet";
    EXPECT_EQ(g.UnSortedRowIndex(4), 4);
}

// --- typed access ----------------------------------------------------------------------------

TEST(ExStringGridAccess, IntsOfCellTexts)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"<b>42</b>", 42}, {" -7 ", -7}, {"", 0}, {"-", 0}};
    TExStringGrid g;
    for (const auto& c : cases) {
        g.SetCells(1, 1, c.text);
        EXPECT_EQ(g.Ints(1, 1), c.value) << c.text;
    }
    for (const char* bad : {"4.5", "abc", "99999999999"}) {
        g.SetCells(1, 1, bad);
        try {
            (void)g.Ints(1, 1);
            ADD_FAILURE() << bad << " read as a number";
        } catch (const EExGridError& e) {
            EXPECT_STREQ(e.what(), "Cell does not contain integer value") << bad;
        }
    }
    g.SetInts(2, 2, -15);
    EXPECT_EQ(g.Cells(2, 2), "-15");
}

TEST(ExStringGridAccess, FloatsFollowTheLocale)
{
    FormatGuard fg(',', '.', '/', "dd/mm/yyyy");
    TExStringGrid g;
    g.SetCells(1, 1, "1.234,5");
    EXPECT_DOUBLE_EQ(g.Floats(1, 1), 1234.5);
    g.SetCells(1, 1, "abc");
    EXPECT_THROW((void)g.Floats(1, 1), EExGridError);
    g.SetFloats(1, 2, 2.5);
    EXPECT_EQ(g.Cells(1, 2), "2,50");
}

TEST(ExStringGridAccess, DatesWithNullDatesOff)
{
    FormatGuard fg('.', ',', '/', "dd/mm/yyyy");
    TExStringGrid g;
    g.SetDates(1, 1, EncodeDate(2024, 2, 29));
    EXPECT_EQ(g.Cells(1, 1), "29/02/2024");
    EXPECT_DOUBLE_EQ(g.Dates(1, 1), EncodeDate(2024, 2, 29));

    g.ShowNullDates = false;
    g.SetDates(1, 1, 0);
    EXPECT_EQ(g.Cells(1, 1), "");
    g.ShowNullDates = true;
    g.SetDates(1, 1, 0);
    EXPECT_EQ(g.Cells(1, 1), "30/12/1899");

    g.SetCells(1, 1, "31/02/2024");
    EXPECT_THROW((void)g.Dates(1, 1), EConvertError);
}

TEST(ExStringGridAccess, PrintColumnLayoutOutsideTheColumnsRaises)
{
    TExStringGrid g;
    EXPECT_EQ(g.PrintColWidth(0), 0);
    EXPECT_EQ(g.PrintColOffset(511), 0);
    for (int bad : {-1, 512, 100000}) {
        for (bool offset : {false, true}) {
            try {
                offset ? (void)g.PrintColOffset(bad) : (void)g.PrintColWidth(bad);
                ADD_FAILURE() << bad;
            } catch (const EExGridError& e) {
                EXPECT_STREQ(e.what(), "Columns is not in valid range");
            }
        }
    }
}

TEST(ExStringGridAccess, ColumnHeadersWithFewerEntriesThanColumns)
{
    TExStringGrid g;
    for (int c = 0; c < g.ColCount(); ++c) g.SetCells(c, 0, "old");
    TStringList h;
    h.Add("No");
    h.Add("Name\\nlong");
    h.Add("Type");
    g.SetColumnHeaders(h);
    EXPECT_EQ(g.Cells(0, 0), "No");
    EXPECT_EQ(g.Cells(1, 0), "Name\rlong");
    EXPECT_EQ(g.Cells(2, 0), "Type");
    EXPECT_EQ(g.Cells(3, 0), "");
    EXPECT_EQ(g.Cells(4, 0), "");
    EXPECT_EQ(g.ColumnByHeader("Type"), 2);
    EXPECT_EQ(g.ColumnByHeader("Nothing"), -1);
}

TEST(ExStringGridAccess, MarkingKeepsAngleBracketsOfPlainText)
{
    TExStringGrid g;
    g.SetCells(1, 1, "a<b> & x");
    g.HilightInCell(false, 1, 1, "X");
    EXPECT_EQ(g.Cells(1, 1), "a&lt;b&gt; &amp; <hi>x</hi>");
    g.UnHilightInCell(1, 1);
    EXPECT_EQ(g.Cells(1, 1), "a<b> & x");
}

TEST(ExStringGridAccess, ColumnOrderIsOnlyTakenAsAPermutation)
{
    TExStringGrid g; // 5 columns
    EXPECT_FALSE(g.LoadColumnOrder({0, 1, 1, 3, 4}));
    EXPECT_FALSE(g.LoadColumnOrder({0, 1, 2}));
    EXPECT_FALSE(g.LoadColumnOrder({0, 1, 2, 3, 7}));
    EXPECT_FALSE(g.LoadColumnOrder({0, -1, 2, 3, 4}));
    EXPECT_TRUE(g.ColumnOrder().empty()) << "nothing changed";
    EXPECT_TRUE(g.LoadColumnOrder({0, 2, 1, 4, 3}));
    EXPECT_EQ(g.ColumnPosition(4), 3);
    EXPECT_EQ(g.ColumnAtPosition(1), 2);
}

TEST(ExStringGridAccess, ResetColumnOrderPutsColumnsBack)
{
    TExStringGrid g;
    for (int c = 0; c < g.ColCount(); ++c) g.SetCells(c, 1, "c" + IntToStr(c));
    g.SetColumnOrder();
    g.MoveColumn(1, 3); // c0 c2 c3 c1 c4
    ASSERT_EQ(g.Cells(3, 1), "c1");
    // The order list as the moves leave it: entry i = original column at i.
    g.LoadColumnOrder({0, 2, 3, 1, 4});
    g.ResetColumnOrder();
    for (int c = 0; c < g.ColCount(); ++c) EXPECT_EQ(g.Cells(c, 1), "c" + IntToStr(c));
}

// --- size ------------------------------------------------------------------------------------

TEST(ExStringGridAccess, StretchOfTheLastColumn)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetFixedCols(0);
    g.SetSize(400, 250);
    g.SetColWidths(0, 64);
    g.SetColWidths(1, 100);
    g.SetColWidths(2, 80);
    g.ColumnSize().SetStretch(true);
    g.ColumnSize().StretchColumn = -1;
    g.StretchRightColumn();
    EXPECT_EQ(g.ColWidths(2), 235);
    EXPECT_EQ(g.ColWidths(0), 64);

    // Too wide already and not scrolled: the default width.
    g.SetColWidths(0, 250);
    g.SetColWidths(1, 200);
    g.StretchRightColumn();
    EXPECT_EQ(g.ColWidths(2), g.DefaultColWidth());

    EXPECT_THROW(g.StretchColumnIndex(3), EExGridError);
    EXPECT_THROW(g.StretchColumnIndex(-2), EExGridError);
}

TEST(ExStringGridAccess, IntegralHeight)
{
    TExStringGrid g;
    g.SetColCount(2);
    g.SetIntegralHeight(true);
    g.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(g.Height(), 92);
    g.IntegralHeight = false;
    g.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(g.Height(), 100);
}

TEST(ExStringGridAccess, NotifierRegisteredOnce)
{
    struct Counting : TGridChangeNotifier {
        int calls = 0;
        void CellsChanged(const TRect&) override { ++calls; }
    };
    TExStringGrid g;
    Counting n;
    g.RegisterNotifier(&n);
    g.RegisterNotifier(&n);
    g.CellsChanged(TRect{1, 1, 2, 2});
    EXPECT_EQ(n.calls, 1); // registered twice, told once
    g.UnRegisterNotifier(&n);
    g.UnRegisterNotifier(&n); // no longer there: nothing happens
    g.CellsChanged(TRect{1, 1, 2, 2});
    EXPECT_EQ(n.calls, 1);
}

TEST(ExStringGridAccess, StretchFollowsTheSwitchAndTheColumnCount)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetFixedCols(0);
    g.SetSize(400, 250);
    g.SetColWidths(0, 64);
    g.SetColWidths(1, 100);
    g.SetColWidths(2, 80);
    EXPECT_EQ(g.ColWidths(2), 80); // no stretch yet
    g.ColumnSize().SetStretch(true);
    EXPECT_EQ(g.ColWidths(2), 235);
    // A column added at the end becomes the one that fills.
    g.SetColCount(4);
    EXPECT_EQ(g.ColWidths(3), 400 - 64 - 100 - 235 - 1);
    // A stretch column the grid does not have is not applied by the switch.
    g.ColumnSize().SetStretch(false);
    g.ColumnSize().StretchColumn = 9;
    EXPECT_NO_THROW(g.ColumnSize().SetStretch(true));
    EXPECT_THROW(g.StretchColumnIndex(9), EExGridError);
}

TEST(ExStringGridAccess, WidthOfAHiddenColumnIsKeptForItsReturn)
{
    TExStringGrid g;
    g.SetColCount(5);
    g.SetColWidths(2, 50);
    g.HideColumn(2);
    const int shownBefore = g.ColWidths(2); // real column 3 now
    g.SetAllColWidths(2, 90);
    EXPECT_EQ(g.AllColWidths(2), 90);
    EXPECT_EQ(g.ColWidths(2), shownBefore);
    g.UnHideColumn(2);
    EXPECT_EQ(g.ColWidths(2), 90);
    g.SetAllColWidths(3, 70); // shown: the displayed column takes it
    EXPECT_EQ(g.ColWidths(3), 70);
}

TEST(ExStringGridAccess, OriginalColumnSizes)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetColWidths(1, 120);
    g.SetSize(380, 200);
    g.InitOrigColSizes();
    ASSERT_EQ(g.OrigColSizes().Count(), 3);
    EXPECT_EQ(g.OrigColSizes().Items(1), 120);
    EXPECT_EQ(g.OrigGridWidth(), 380);
    g.SetColCount(2);
    g.InitOrigColSizes(); // taken afresh, not appended
    EXPECT_EQ(g.OrigColSizes().Count(), 2);
}

// --- user sizing --------------------------------------------------------------------------

namespace {

// Drags the right border of column c (in the fixed row) by dx pixels.
void DragColumnBorder(TExStringGrid& g, int c, int dx)
{
    const TRect r = g.TCustomGrid::CellRect(c, 0);
    g.HandleMouseDown(mbLeft, {ssLeft}, r.Right, r.Top + 5);
    g.HandleMouseMove({ssLeft}, r.Right + dx, r.Top + 5);
    g.HandleMouseUp(mbLeft, {}, r.Right + dx, r.Top + 5);
}

void DragRowBorder(TExStringGrid& g, int row, int dy)
{
    const TRect r = g.TCustomGrid::CellRect(0, row);
    g.HandleMouseDown(mbLeft, {ssLeft}, r.Left + 5, r.Bottom);
    g.HandleMouseMove({ssLeft}, r.Left + 5, r.Bottom + dy);
    g.HandleMouseUp(mbLeft, {}, r.Left + 5, r.Bottom + dy);
}

} // namespace

TEST(ExStringGridAccess, UserSizedColumnScalesTheOthersWithAllColumnSize)
{
    TExStringGrid g;
    g.SetColCount(4);
    g.SetOptions(g.Options() + goColSizing);
    g.SetColWidths(0, 30); // fixed
    g.SetColWidths(1, 40);
    g.SetColWidths(2, 50);
    g.SetColWidths(3, 30);
    std::vector<int> ended;
    g.OnEndColumnSize = [&](TObject*, int c) { ended.push_back(c); };
    g.MouseActions().AllColumnSize = true;
    DragColumnBorder(g, 2, 25);
    EXPECT_EQ(g.ColWidths(2), 75);
    EXPECT_EQ(g.ColWidths(1), 60);
    EXPECT_EQ(g.ColWidths(3), 45);
    EXPECT_EQ(g.ColWidths(0), 30);
    EXPECT_EQ(ended, std::vector<int>{2});
    EXPECT_EQ(g.SizingColumn(), -1);

    // Widths set from code afterwards are no user sizing.
    g.SetColWidths(1, 10);
    EXPECT_EQ(g.ColWidths(3), 45);
    EXPECT_EQ(ended.size(), 1u);

    // A column dragged down to nothing leaves the others as they are.
    DragColumnBorder(g, 2, -200);
    EXPECT_EQ(g.ColWidths(2), 0);
    EXPECT_EQ(g.ColWidths(1), 10);
    EXPECT_EQ(g.ColWidths(3), 45);
}

TEST(ExStringGridAccess, UserSizedColumnTakesTheWidthTheGridAnswers)
{
    TExStringGrid g;
    g.SetOptions(g.Options() + goColSizing);
    g.OnUpdateColumnSize = [](TObject*, int, int& w) { w = std::min(w, 80); };
    DragColumnBorder(g, 1, 100);
    EXPECT_EQ(g.ColWidths(1), 80);
    DragColumnBorder(g, 2, -14);
    EXPECT_EQ(g.ColWidths(2), 50);
    EXPECT_EQ(g.ColWidths(3), g.DefaultColWidth()); // no scaling without AllColumnSize
}

TEST(ExStringGridAccess, SizingRefusedByTheApplicationChangesNothing)
{
    TExStringGrid g;
    g.SetOptions(g.Options() + goColSizing + goRowSizing);
    g.OnColumnSize = [](TObject*, int c, bool& allow) { allow = c != 1; };
    g.OnRowSize = [](TObject*, int, bool& allow) { allow = false; };
    bool ended = false;
    g.OnEndColumnSize = [&](TObject*, int) { ended = true; };
    DragColumnBorder(g, 1, 30);
    EXPECT_EQ(g.ColWidths(1), g.DefaultColWidth());
    EXPECT_FALSE(ended);
    DragColumnBorder(g, 2, 30);
    EXPECT_EQ(g.ColWidths(2), g.DefaultColWidth() + 30);
    EXPECT_TRUE(ended);
    DragRowBorder(g, 2, 10);
    EXPECT_EQ(g.RowHeights(2), g.DefaultRowHeight());
}

TEST(ExStringGridAccess, UserSizedRowScalesTheOthersWithAllRowSize)
{
    TExStringGrid g;
    g.SetRowCount(4);
    g.SetOptions(g.Options() + goRowSizing);
    int ended = -1;
    g.OnEndRowSize = [&](TObject*, int r) { ended = r; };
    g.MouseActions().AllRowSize = true;
    DragRowBorder(g, 2, 11);
    EXPECT_EQ(g.RowHeights(2), 33);
    EXPECT_EQ(g.RowHeights(1), 33);
    EXPECT_EQ(g.RowHeights(3), 33);
    EXPECT_EQ(g.RowHeights(0), 22); // fixed
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(g.SizingRow(), -1);
}

// --- combo items and password cells -----------------------------------------------------

TEST(ExStringGridAccess, ComboItemsAndTheirIndex)
{
    TExStringGrid g;
    Knob k;
    g.AddComboString("Off");
    g.AddComboString("On");
    g.AddComboStringObject("Auto", &k);
    EXPECT_EQ(g.GetComboCount(), 3);

    g.SetCells(1, 1, "On");
    g.SetCells(1, 2, "Maybe");
    EXPECT_EQ(g.ComboIndex(1, 1), 1);
    EXPECT_EQ(g.ComboIndex(1, 2), -1);
    g.SetComboIndex(1, 2, 2);
    EXPECT_EQ(g.Cells(1, 2), "Auto");
    for (int bad : {3, -1, 1000}) {
        g.SetComboIndex(1, 2, bad);
        EXPECT_EQ(g.Cells(1, 2), "Auto") << bad;
    }

    EXPECT_FALSE(g.SetComboSelectionString("Never"));
    EXPECT_EQ(g.ComboSelection(), -1);
    EXPECT_TRUE(g.SetComboSelectionString("Auto"));
    EXPECT_EQ(g.ComboSelection(), 2);

    // Removing an item keeps the attached objects with their items.
    EXPECT_FALSE(g.RemoveComboString("Never"));
    EXPECT_TRUE(g.RemoveComboString("On"));
    EXPECT_EQ(g.GetComboCount(), 2);
    EXPECT_EQ(g.ComboObject(1), &k);
    EXPECT_EQ(g.ComboObject(0), nullptr);
    EXPECT_THROW(g.ComboObject(2), EListError);
    g.ClearComboString();
    EXPECT_EQ(g.GetComboCount(), 0);
    EXPECT_EQ(g.ComboIndex(1, 2), -1);
}

TEST(ExStringGridAccess, ComboIndexAsksForTheCellsItemsFirst)
{
    TExStringGrid g;
    // The application fills the items per column when asked.
    g.OnGetEditorProp = [&](TObject*, int c, int, TEditLink*) {
        g.ClearComboString();
        for (const char* s : c == 1 ? std::vector<const char*>{"A", "B"} : std::vector<const char*>{"X", "Y", "Z"})
            g.AddComboString(s);
    };
    g.SetCells(1, 1, "B");
    g.SetCells(2, 1, "Z");
    EXPECT_EQ(g.ComboIndex(1, 1), 1);
    EXPECT_EQ(g.ComboIndex(2, 1), 2);
    g.SetComboIndex(2, 1, 2); // the write asks too: Z, not out of A, B
    EXPECT_EQ(g.Cells(2, 1), "Z");
    g.SetComboIndex(1, 1, 0);
    EXPECT_EQ(g.Cells(1, 1), "A");
}

TEST(ExStringGridAccess, PasswordCellsAskTheGrid)
{
    TExStringGrid g;
    EXPECT_FALSE(GridIsPasswordCell(&g, 2, 1));
    g.OnIsPasswordCell = [](TObject*, int ARow, int ACol, bool& pw) { pw = ACol == 2 && ARow > 0; };
    EXPECT_TRUE(GridIsPasswordCell(&g, 2, 1));
    EXPECT_FALSE(GridIsPasswordCell(&g, 2, 0));
    EXPECT_FALSE(GridIsPasswordCell(&g, 1, 1));
    EXPECT_FALSE(GridIsPasswordCell(nullptr, 2, 1));
}
