// The grid's shape: hidden columns and rows, insertion and removal of rows
// and columns, selection flags, row states and the update lock.

#include "widgets/ExStringGrid.h"

#include "platform/GridView.h"
#include "support/RecordingGridHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A grid of cols x rows whose every cell holds "c,r" (its real position).
std::unique_ptr<TExStringGrid> MakeGrid(int cols, int rows)
{
    auto g = std::make_unique<TExStringGrid>();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
    return g;
}

std::vector<std::string> Column(TExStringGrid& g, int c)
{
    std::vector<std::string> out;
    for (int r = 0; r < g.RowCount(); ++r) out.push_back(g.Cells(c, r));
    return out;
}

std::vector<std::string> Texts(int c, std::initializer_list<int> rows)
{
    std::vector<std::string> out;
    for (int r : rows) out.push_back(std::to_string(c) + "," + std::to_string(r));
    return out;
}
} // namespace

// --- hidden columns ---------------------------------------------------------------------------

TEST(ExStringGridShape, HidingAColumnMapsIndicesKeepsItsCellsAndUnhidingRestoresItsWidth)
{
    auto g = MakeGrid(5, 4);
    for (int c = 0; c < 5; ++c) g->SetColWidths(c, 30 + c);
    g->HideColumn(2);

    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_EQ(g->AllColCount(), 5);
    EXPECT_EQ(g->TotalColCount(), 5);
    EXPECT_TRUE(g->IsHiddenColumn(2));
    EXPECT_EQ(g->RealColIndex(2), 3);
    EXPECT_EQ(g->DisplColIndex(3), 2);
    EXPECT_EQ(g->DisplColIndex(2), 2);
    EXPECT_EQ(g->Cells(2, 1), "2,1");
    // The displayed columns right of the hidden one moved left with their widths.
    EXPECT_EQ(g->ColWidths(2), 33);
    EXPECT_EQ(g->ColWidths(3), 34);
    // Writing a hidden column by its real index.
    g->SetCells(2, 3, "kept");

    g->UnHideColumn(2);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->ColWidths(2), 32);
    EXPECT_EQ(g->ColWidths(3), 33);
    EXPECT_EQ(g->ColWidths(4), 34);
    EXPECT_EQ(g->Cells(2, 3), "kept");
}

TEST(ExStringGridShape, HidingOutsideTheGridOrTheLastShownColumnDoesNothing)
{
    auto g = MakeGrid(5, 3);
    struct Case {
        const char* what;
        int col;
    } cases[] = {{"beyond the grid", 5}, {"beyond the table", 600}, {"negative", -1}};
    for (const Case& k : cases) {
        g->HideColumn(k.col);
        EXPECT_EQ(g->ColCount(), 5) << k.what;
        EXPECT_EQ(g->NumHiddenColumns(), 0) << k.what;
        EXPECT_FALSE(g->IsHiddenColumn(k.col)) << k.what;
    }
    EXPECT_EQ(g->RealColIndex(600), 600);

    auto one = MakeGrid(1, 3);
    one->HideColumn(0);
    EXPECT_EQ(one->ColCount(), 1);
    EXPECT_EQ(one->NumHiddenColumns(), 0);
}

TEST(ExStringGridShape, RuleWindowWalkOverAllColumnsReachesHiddenOnes)
{
    // The rule windows walk 1 .. ColCount + NumHiddenColumns - 1 with real indices.
    auto g = MakeGrid(6, 2);
    g->HideColumn(1);
    g->HideColumn(4);
    std::vector<std::string> seen;
    for (int c = 1; c < g->ColCount() + g->NumHiddenColumns(); ++c) seen.push_back(g->Cells(c, 1));
    EXPECT_EQ(seen, (std::vector<std::string>{"1,1", "2,1", "3,1", "4,1", "5,1"}));
    g->UnHideColumnsAll();
    EXPECT_EQ(g->ColCount(), 6);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
}

// --- hidden rows ------------------------------------------------------------------------------

TEST(ExStringGridShape, HiddenRowsMapBothWaysAndKeepTheirCells)
{
    auto g = MakeGrid(3, 8);
    g->HideRows(3, 4);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_EQ(g->AllRowCount(), 8);
    EXPECT_TRUE(g->IsHiddenRow(3));
    EXPECT_FALSE(g->IsHiddenRow(5));
    EXPECT_EQ(g->DisplRowIndex(5), 3);
    EXPECT_EQ(g->DisplRowIndex(4), 3);
    EXPECT_EQ(g->RealRowIndex(3), 5);
    EXPECT_EQ(g->RealRowIndex(2), 2);
    EXPECT_EQ(g->RealRowIndex(-1), -1);
    EXPECT_EQ(g->Cells(1, 3), "1,5");
    EXPECT_EQ(g->HiddenRowCell(1, 0), "1,3");
    EXPECT_EQ(g->HiddenRowCell(2, 1), "2,4");
    EXPECT_EQ(g->HiddenRowCell(2, 9), "");
}

TEST(ExStringGridShape, HidingARangeAroundAHiddenRowThenUnhidingRestoresEveryTextInOrder)
{
    auto g = MakeGrid(3, 9);
    g->HideColumn(1); // the hidden column's cells travel with their rows
    g->HideRow(4);
    g->HideRows(3, 6);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 1, 2, 7, 8}));
    g->UnHideRows(3, 6);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Column(*g, 1), Texts(1, {0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Column(*g, 2), Texts(2, {0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(ExStringGridShape, HideRowsExDoesNothingWhenItsFirstRowIsHidden)
{
    auto g = MakeGrid(2, 8);
    g->HideRow(3);
    g->HideRowsEx(3, 5);
    EXPECT_EQ(g->NumHiddenRows(), 1);
    g->HideRowsEx(4, 5);
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 1, 2, 6, 7}));
    g->UnHideRows(3, 5);
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(ExStringGridShape, HiddenRowKeepsItsHeightAndCellPropertiesAndTheGridFreesThem)
{
    // Under the leak checker: a hidden row's property objects live in its
    // saved copy; a grid destroyed with rows still hidden frees them.
    auto g = MakeGrid(3, 6);
    g->SetRowHeights(2, 40);
    g->GetCellProperties(1, 2)->SetBrushColor(0x00FF00);
    g->CreateCellGraphic(2, 2)->CellType = ctIcon;
    g->HideRow(2);
    EXPECT_FALSE(g->HasCellProperties(1, 2)); // row 2 now shows real row 3
    EXPECT_NE(g->HiddenRowObject(1, 2), nullptr);
    g->UnHideRow(2);
    EXPECT_EQ(g->RowHeights(2), 40);
    ASSERT_TRUE(g->HasCellProperties(1, 2));
    EXPECT_EQ(g->GetCellProperties(1, 2)->BrushColor(), 0x00FF00);
    EXPECT_EQ(g->GetCellType(2, 2), ctIcon);

    g->HideRow(2);
    g.reset();
}

// --- insertion and removal ------------------------------------------------------------------------

TEST(ExStringGridShape, RowsInsertedAndRemovedCarryTheHiddenColumnsData)
{
    auto g = MakeGrid(5, 6);
    g->HideColumn(1);
    g->HideColumn(3);
    g->InsertRows(2, 1);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(Column(*g, 1), (std::vector<std::string>{"1,0", "1,1", "", "1,2", "1,3", "1,4", "1,5"}));
    EXPECT_EQ(Column(*g, 3), (std::vector<std::string>{"3,0", "3,1", "", "3,2", "3,3", "3,4", "3,5"}));

    g->RemoveRows(1, 2);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(Column(*g, 1), Texts(1, {0, 2, 3, 4, 5}));
    EXPECT_EQ(Column(*g, 3), Texts(3, {0, 2, 3, 4, 5}));
    EXPECT_EQ(Column(*g, 4), Texts(4, {0, 2, 3, 4, 5}));
}

TEST(ExStringGridShape, RemoveRowsOutsideTheRowsDoesNothingAndAHugeCountStopsAtTheLastRow)
{
    struct Case {
        const char* what;
        int index;
        int count;
        std::vector<std::string> left;
    } cases[] = {
        {"count 0", 5, 0, Texts(0, {0, 1, 2, 3, 4, 5, 6, 7})},
        {"negative count", 2, -3, Texts(0, {0, 1, 2, 3, 4, 5, 6, 7})},
        {"at RowCount", 8, 1, Texts(0, {0, 1, 2, 3, 4, 5, 6, 7})},
        {"negative index", -1, 1, Texts(0, {0, 1, 2, 3, 4, 5, 6, 7})},
        {"last row", 7, 1, Texts(0, {0, 1, 2, 3, 4, 5, 6})},
        {"huge count", 5, 1000000, Texts(0, {0, 1, 2, 3, 4})},
    };
    for (const Case& k : cases) {
        auto g = MakeGrid(3, 8);
        g->RemoveRows(k.index, k.count);
        EXPECT_EQ(Column(*g, 0), k.left) << k.what;
        EXPECT_EQ(g->RowCount(), static_cast<int>(k.left.size())) << k.what;
    }
}

TEST(ExStringGridShape, RemovedRowsTakeTheirPropertiesAlongAndTheMovedRowsKeepTheirs)
{
    // Under the leak checker: no property object is left behind, none freed twice.
    auto g = MakeGrid(3, 6);
    g->GetCellProperties(1, 2)->SetBrushColor(0x0000FF);
    g->CreateCellGraphic(2, 2)->CellType = ctIcon;
    g->GetCellProperties(1, 4)->SetBrushColor(0x00FF00);
    g->GetCellProperties(1, 5)->SetBrushColor(0xFF0000);
    g->RemoveRows(2, 2);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(1, 2), "1,4");
    ASSERT_TRUE(g->HasCellProperties(1, 2));
    EXPECT_EQ(g->GetCellProperties(1, 2)->BrushColor(), 0x00FF00);
    EXPECT_EQ(g->GetCellProperties(1, 3)->BrushColor(), 0xFF0000);
    EXPECT_EQ(g->GetCellType(2, 2), ctEmpty);
    g->InsertRows(1, 2);
    EXPECT_FALSE(g->HasCellProperties(1, 1));
    EXPECT_EQ(g->GetCellProperties(1, 4)->BrushColor(), 0x00FF00);
    g->SetRowCount(3); // cuts off the moved rows: their objects are freed once
    g.reset();
}

TEST(ExStringGridShape, HiddenRowsKeepTheirPlaceWhenRowsAreInsertedBeforeThem)
{
    auto g = MakeGrid(2, 8);
    g->HideRow(3);
    g->HideRow(6);
    g->InsertRows(2, 2); // before both hidden rows
    g->InsertRows(6, 1); // displayed row 6 is real row 7: between them
    EXPECT_TRUE(g->IsHiddenRow(5));
    EXPECT_TRUE(g->IsHiddenRow(9));
    g->UnHideRowsAll();
    EXPECT_EQ(Column(*g, 0),
              (std::vector<std::string>{"0,0", "0,1", "", "", "0,2", "0,3", "0,4", "", "0,5", "0,6", "0,7"}));
}

TEST(ExStringGridShape, HiddenRowsFollowRowsRemovedAboveThem)
{
    auto g = MakeGrid(2, 10);
    g->HideRow(3);
    g->HideRow(6);
    // Displayed rows 2 and 3 are real rows 2 and 4: the hidden row 3 lies
    // between them and one removed row lies before it.
    g->RemoveRows(2, 2);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_TRUE(g->IsHiddenRow(2));
    EXPECT_TRUE(g->IsHiddenRow(4));
    g->UnHideRowsAll();
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 1, 3, 5, 6, 7, 8, 9}));
}

TEST(ExStringGridShape, InsertedColumnsShiftCellsWidthsAndHiddenFlags)
{
    auto g = MakeGrid(4, 3);
    for (int c = 0; c < 4; ++c) g->SetColWidths(c, 40 + c);
    g->HideColumn(2);
    g->InsertCols(1, 2);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_TRUE(g->IsHiddenColumn(4));
    EXPECT_EQ(g->Cells(1, 1), "");
    EXPECT_EQ(g->Cells(3, 1), "1,1");
    EXPECT_EQ(g->Cells(4, 1), "2,1");
    EXPECT_EQ(g->Cells(5, 1), "3,1");
    EXPECT_EQ(g->ColWidths(1), g->DefaultColWidth());
    EXPECT_EQ(g->ColWidths(3), 41);
    EXPECT_EQ(g->ColWidths(4), 43);
    g->UnHideColumn(4);
    EXPECT_EQ(g->ColWidths(4), 42);
}

TEST(ExStringGridShape, RemovingAHiddenColumnKeepsTheMappingRight)
{
    auto g = MakeGrid(6, 3);
    g->HideColumn(2);
    g->HideColumn(4);
    g->RemoveCols(2, 1);
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->AllColCount(), 5);
    EXPECT_TRUE(g->IsHiddenColumn(3));
    EXPECT_FALSE(g->IsHiddenColumn(2));
    EXPECT_EQ(g->RealColIndex(2), 2);
    EXPECT_EQ(g->RealColIndex(3), 4);
    EXPECT_EQ(g->Cells(2, 1), "3,1");
    EXPECT_EQ(g->Cells(3, 1), "4,1");
    EXPECT_EQ(g->Cells(4, 1), "5,1");

    // Removing a shown column lowers the displayed count only.
    g->RemoveCols(0, 1);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_TRUE(g->IsHiddenColumn(2));
    g->UnHideColumnsAll();
    EXPECT_EQ(Column(*g, 2), Texts(4, {0, 1, 2}));
    // A count beyond the columns stops at the last one.
    g->RemoveCols(2, 100);
    EXPECT_EQ(g->ColCount(), 2);
}

TEST(ExStringGridShape, ColumnChangesReachTheSavedCellsOfHiddenRows)
{
    auto g = MakeGrid(4, 5);
    g->GetCellProperties(2, 2)->SetBrushColor(0x00FF00);
    g->HideRow(2);
    g->RemoveCols(1, 1);
    g->InsertCols(0, 1);
    g->UnHideRow(2);
    EXPECT_EQ(g->Cells(0, 2), "");
    EXPECT_EQ(g->Cells(1, 2), "0,2");
    EXPECT_EQ(g->Cells(2, 2), "2,2");
    EXPECT_EQ(g->Cells(3, 2), "3,2");
    ASSERT_TRUE(g->HasCellProperties(2, 2));
    EXPECT_EQ(g->GetCellProperties(2, 2)->BrushColor(), 0x00FF00);
}

TEST(ExStringGridShape, ClearingKeepsLooksWhenOnlyTextIsCleared)
{
    auto g = MakeGrid(4, 4);
    g->GetCellProperties(1, 1)->SetBrushColor(0x00FF00);
    g->ClearOnlyText = true;
    g->ClearRect(0, 0, 3, 3);
    EXPECT_EQ(g->Cells(1, 1), "");
    ASSERT_TRUE(g->HasCellProperties(1, 1));
    EXPECT_EQ(g->GetCellProperties(1, 1)->BrushColor(), 0x00FF00);
    g->ClearOnlyText = false;
    g->HideColumn(3);
    g->Clear();
    EXPECT_FALSE(g->HasCellProperties(1, 1));
    EXPECT_EQ(g->Cells(3, 2), ""); // hidden columns are cleared too
}

// --- selection and row states -----------------------------------------------------------------------

TEST(ExStringGridShape, SelectRowsBeyondTheGridStopsAtTheLastRow)
{
    auto g = MakeGrid(3, 8);
    g->SelectRows(5, 10);
    const TGridRect s = g->Selection();
    EXPECT_EQ(s.Top, 5);
    EXPECT_EQ(s.Bottom, 7);
    EXPECT_EQ(g->RowSelectCount(), 3);
    g->SelectRows(9, 2); // wholly outside: nothing happens
    EXPECT_EQ(g->Selection().Top, 5);

    g->MouseActions().SetDisjunctRowSelect(true);
    g->SelectRows(6, 10);
    EXPECT_TRUE(g->RowSelect(6));
    EXPECT_TRUE(g->RowSelect(7));
    EXPECT_FALSE(g->RowSelect(5));
    EXPECT_EQ(g->SelectedRowCount(), 2);
}

TEST(ExStringGridShape, ReadingRowSelectOutOfRangeRaisesTheGridError)
{
    auto g = MakeGrid(3, 8);
    g->HideRow(2);
    // RowCount 7 + one hidden row: 8 is the first row that does not exist.
    struct Case {
        int row;
        const char* message;
    } cases[] = {{8, "Invalid row 8 accessed"}, {1000, "Invalid row 1000 accessed"}, {-1, "Invalid row -1 accessed"}};
    for (const Case& k : cases) {
        try {
            (void)g->RowSelect(k.row);
            ADD_FAILURE() << "no error for row " << k.row;
        } catch (const EExGridError& e) {
            EXPECT_STREQ(e.what(), k.message);
        }
    }
    EXPECT_NO_THROW((void)g->RowSelect(7));
    EXPECT_THROW(g->SetRowSelect(8, true), EExGridError);

    // With persistent row selection the reads answer, a negative row False.
    g->MouseActions().RowSelectPersistent = true;
    EXPECT_FALSE(g->RowSelect(-1));
    EXPECT_FALSE(g->RowSelect(100));
}

TEST(ExStringGridShape, DisjointSelectionAsksItsEventOnlyForChangesAndFollowsRemovedRows)
{
    auto g = MakeGrid(3, 8);
    g->MouseActions().SetDisjunctRowSelect(true);
    int asked = 0;
    g->OnRowDisjunctSelect = [&](TObject*, int ARow, bool, bool& Allow) {
        ++asked;
        Allow = ARow != 3;
    };
    g->SelectRows(4, 1);
    g->SelectRows(4, 1); // already selected: not asked again
    g->SetRowSelect(3, true);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(g->RowSelect(3));
    EXPECT_TRUE(g->RowSelect(4));

    g->InsertRows(2, 1); // the flags do not move on insertion
    EXPECT_TRUE(g->RowSelect(4));
    g->RemoveRows(2, 1); // former row 4 is row 3 now
    EXPECT_TRUE(g->RowSelect(3));
    EXPECT_FALSE(g->RowSelect(4));
    EXPECT_EQ(g->SelectedRow(0), 3);
}

TEST(ExStringGridShape, ColumnFlagsAreCheckedAgainstTheDisplayedColumns)
{
    auto g = MakeGrid(4, 3);
    g->SetColSelect(2, true);
    EXPECT_TRUE(g->ColSelect(2));
    EXPECT_THROW((void)g->ColSelect(4), EExGridError);
    EXPECT_THROW(g->SetColSelect(-1, true), EExGridError);
    g->ClearColSelect();
    EXPECT_FALSE(g->ColSelect(2));
}

TEST(ExStringGridShape, ModifiedAndDisabledRowsFollowRemovalAndDisablingMovesTheCurrentRow)
{
    auto g = MakeGrid(3, 8);
    g->ShowModified().Enabled = true;
    g->SetRowModified(5, true);
    g->RemoveRows(2, 1);
    EXPECT_TRUE(g->RowModified(4));
    EXPECT_FALSE(g->RowModified(5));
    EXPECT_EQ(g->ModifiedRowCount(), 1);
    g->InsertRows(1, 2);
    EXPECT_TRUE(g->RowModified(6));

    g->MoveCurrentCell(1, 1);
    g->SetRowEnabled(2, false);
    g->SetRowEnabled(1, false);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_FALSE(g->RowEnabled(1));
    EXPECT_TRUE(g->RowEnabled(100));
}

// --- update lock ------------------------------------------------------------------------------------

TEST(ExStringGridShape, NestedUpdatesSwitchRedrawOffOnceAndOnAtTheOutermostEnd)
{
    RecordingGridHost host;
    TExStringGrid g;
    g.SetHost(&host);
    g.BeginUpdate();
    g.BeginUpdate();
    EXPECT_EQ(host.redraw, std::vector<bool>{false});
    g.EndUpdate();
    EXPECT_TRUE(g.LockUpdate());
    EXPECT_EQ(host.redraw, std::vector<bool>{false});
    const int before = host.fullRepaints;
    g.EndUpdate();
    EXPECT_FALSE(g.LockUpdate());
    EXPECT_EQ(host.redraw, (std::vector<bool>{false, true}));
    EXPECT_GT(host.fullRepaints, before);
    // An EndUpdate with the count already at 0 repaints again.
    const int again = host.fullRepaints;
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);
    EXPECT_GT(host.fullRepaints, again);
    g.SetHost(nullptr);
}

TEST(ExStringGridShape, UpdateLockCountsWhileHiddenAndAGridShownAtCountZeroPaints)
{
    RecordingGridHost host;
    TExStringGrid g;
    host.visible = false;
    g.SetHost(&host);
    g.BeginUpdate();
    EXPECT_EQ(g.UpdateCount(), 1);
    EXPECT_TRUE(host.redraw.empty());
    host.visible = true;
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);

    // Locked while shown, hidden before the end: redraw still comes back on.
    g.BeginUpdate();
    host.visible = false;
    g.EndUpdate();
    EXPECT_EQ(host.redraw, (std::vector<bool>{false, true}));

    // ResetUpdate leaves no redraw switched off either.
    host.visible = true;
    g.BeginUpdate();
    g.ResetUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);
    EXPECT_EQ(host.redraw, (std::vector<bool>{false, true, false, true}));
    g.SetHost(nullptr);
}

TEST(ExStringGridShape, NestedUpdatesOnAVisibleWindow)
{
    auto g = MakeGrid(4, 20);
    TGridView view(g.get());
    view.SetBounds(0, 0, 300, 200);
    view.Show();
    g->BeginUpdate();
    g->BeginUpdate();
    g->RemoveRows(3, 2); // brackets itself inside the outer lock
    g->InsertRows(1, 1);
    g->EndUpdate();
    EXPECT_EQ(g->UpdateCount(), 1);
    g->EndUpdate();
    EXPECT_EQ(g->UpdateCount(), 0);
    EXPECT_FALSE(g->LockUpdate());
    EXPECT_EQ(g->RowCount(), 19);
    EXPECT_EQ(g->Cells(0, 4), "0,5");
}

// --- more shape operations ------------------------------------------------------------------------

TEST(ExStringGridShape, RowListsHideAsFilterLevelsAndComeBackLevelByLevel)
{
    auto g = MakeGrid(3, 10);
    g->HideColumn(2);
    TIntList first(0, 0);
    for (int r : {2, 4, 5}) first.Add(r);
    g->HideRowList(first);
    EXPECT_EQ(g->FilterLevel(), 1);
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 1, 3, 6, 7, 8, 9}));
    TIntList second(0, 0);
    for (int r : {1, 4}) second.Add(r); // displayed rows: real 1 and 7
    g->HideRowList(second);
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 3, 6, 8, 9}));
    EXPECT_EQ(g->RealRowIndex(3), 8);

    g->UnHideRowList();
    g->SetFilterLevel(g->FilterLevel() - 1);
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 1, 3, 6, 7, 8, 9}));
    g->UnHideRowList();
    g->SetFilterLevel(g->FilterLevel() - 1);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_EQ(Column(*g, 2), Texts(2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(ExStringGridShape, RemovingTheCurrentLastRowMovesTheCurrentRowUp)
{
    auto g = MakeGrid(3, 6);
    g->MoveCurrentCell(1, 5);
    g->RemoveRows(5, 1);
    EXPECT_EQ(g->Row(), 4);
    g->MoveCurrentCell(1, 2);
    g->RemoveRows(4, 1);
    EXPECT_EQ(g->Row(), 2); // a current row above the removed ones stays
    g->AddRow();
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(0, 4), "");
    EXPECT_EQ(g->Cells(0, 3), "0,3");
}

TEST(ExStringGridShape, RemoveDuplicatesKeepsTheFirstOfEqualTexts)
{
    auto g = MakeGrid(3, 7);
    const char* texts[] = {"head", "a", "B", "A", "b", "a", "c"};
    for (int r = 0; r < 7; ++r) g->SetCells(1, r, texts[r]);
    auto h = MakeGrid(3, 7);
    for (int r = 0; r < 7; ++r) h->SetCells(1, r, texts[r]);

    g->RemoveDuplicates(1, true);
    EXPECT_EQ(Column(*g, 1), (std::vector<std::string>{"head", "a", "B", "A", "b", "c"}));
    h->RemoveDuplicates(1, false);
    EXPECT_EQ(Column(*h, 1), (std::vector<std::string>{"head", "a", "B", "c"}));
    EXPECT_EQ(Column(*h, 0), Texts(0, {0, 1, 2, 6}));
}

TEST(ExStringGridShape, MergeColumnCellsJoinsRunsOfEqualTexts)
{
    auto g = MakeGrid(2, 7);
    const char* texts[] = {"hdr", "A", "A", "B", "B", "B", "C"};
    for (int r = 0; r < 7; ++r) g->SetCells(1, r, texts[r]);
    g->MergeColumnCells(1, true);
    EXPECT_EQ(g->CellSpan(1, 1).Y, 1);
    EXPECT_EQ(g->CellSpan(1, 3).Y, 2);
    EXPECT_FALSE(g->IsMergedCell(1, 6));
    g->SplitColumnCells(1);
    EXPECT_FALSE(g->IsMergedCell(1, 1));
    EXPECT_FALSE(g->IsMergedCell(1, 4));
}

TEST(ExStringGridShape, SelectedColCountCountsTheMergedAreaOfTheRightCell)
{
    auto g = MakeGrid(6, 4);
    g->MergeCells(3, 1, 2, 1);
    g->SetSelection(TGridRect{1, 1, 3, 1});
    EXPECT_EQ(g->SelectedColCount(), 4);
    g->SetSelection(TGridRect{1, 2, 2, 2});
    EXPECT_EQ(g->SelectedColCount(), 2);
}

TEST(ExStringGridShape, RemoveSelectedRowsWithDisjointSelection)
{
    auto g = MakeGrid(2, 8);
    g->MouseActions().SetDisjunctRowSelect(true);
    for (int r : {2, 3, 6}) g->SetRowSelect(r, true);
    g->RemoveSelectedRows();
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 1, 4, 5, 7}));
    EXPECT_EQ(g->RowSelectCount(), 0);
}

TEST(ExStringGridShape, FixedRowAlwaysKeepsOneFixedRowAndRestoresTheWantedOnes)
{
    auto g = MakeGrid(3, 6);
    g->FixedRowAlways = true;
    g->SetFixedRows(2);
    g->SetRowCount(1);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetRowCount(5);
    EXPECT_EQ(g->FixedRows(), 2);
}

TEST(ExStringGridShape, ControlsPlacedInCellsFollowInsertedAndRemovedRows)
{
    auto g = MakeGrid(3, 8);
    TObject above, removed, below;
    g->ControlList().AddControl(1, 1, &above);
    g->ControlList().AddControl(1, 3, &removed);
    g->ControlList().AddControl(1, 5, &below);
    g->InsertRows(2, 2);
    EXPECT_EQ(g->ControlList().GetControl(0)->FY, 1);
    EXPECT_EQ(g->ControlList().GetControl(1)->FY, 5);
    EXPECT_EQ(g->ControlList().GetControl(2)->FY, 7);
    g->RemoveRows(5, 1);
    ASSERT_EQ(g->ControlList().Count(), 2);
    EXPECT_EQ(g->ControlList().GetControl(0)->FObject, &above);
    EXPECT_EQ(g->ControlList().GetControl(1)->FObject, &below);
    EXPECT_EQ(g->ControlList().GetControl(1)->FY, 6);
}

TEST(ExStringGridShape, PlainBlockRemovalFreesTheRemovedRowsObjectsOnly)
{
    // Under the leak checker: the removed rows' objects are freed, the rows
    // moving up keep theirs, and nothing is left referenced twice when the
    // row count drops.
    auto g = MakeGrid(3, 6);
    g->SetRowHeights(4, 33);
    g->GetCellProperties(1, 1)->SetBrushColor(0x0000FF);
    g->GetCellProperties(1, 3)->SetBrushColor(0x00FF00);
    g->GetCellProperties(2, 5)->SetBrushColor(0xFF0000);
    g->HideRow(4); // real row 4 follows the removed block
    g->RemoveRowsEx(1, 2);
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 3, 5}));
    EXPECT_EQ(g->GetCellProperties(1, 1)->BrushColor(), 0x00FF00);
    EXPECT_EQ(g->GetCellProperties(2, 2)->BrushColor(), 0xFF0000);
    EXPECT_TRUE(g->IsHiddenRow(2));
    g->UnHideRowsAll();
    EXPECT_EQ(Column(*g, 0), Texts(0, {0, 3, 4, 5}));
    EXPECT_EQ(g->RowHeights(2), 33);
    g->RemoveRowsEx(2, 100);
    EXPECT_EQ(g->RowCount(), 2);
    g.reset();
}

TEST(ExStringGridShape, FixedSizesAndTopRowLimits)
{
    auto g = MakeGrid(4, 40);
    g->SetFixedCols(2);
    g->SetFixedColWidth(30);
    EXPECT_EQ(g->ColWidths(0), 30);
    EXPECT_EQ(g->ColWidths(1), 30);
    EXPECT_EQ(g->ColWidths(2), g->DefaultColWidth());
    g->SetFixedColWidth(g->DefaultColWidth()); // the default width changes nothing
    EXPECT_EQ(g->FixedColWidth(), 30);

    g->SetFixedRowHeight(35);
    EXPECT_EQ(g->RowHeights(0), 35);
    EXPECT_EQ(g->RowHeights(1), g->DefaultRowHeight());

    g->SetTopRow(5);
    EXPECT_EQ(g->TopRow(), 5);
    g->SetTopRow(0); // fixed row
    g->SetTopRow(40); // beyond the last row
    EXPECT_EQ(g->TopRow(), 5);
}
