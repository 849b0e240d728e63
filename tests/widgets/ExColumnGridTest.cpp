#include "widgets/ExColumnGrid.h"

#include "support/FormatGuard.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

// Column items and their collection: defaults, the look a new column
// continues, headers, display names, copying.

TEST(GridColumnItem, NewGridHasOneItemPerColumnWithDefaults)
{
    TExColumnGrid g;
    g.SetColWidths(2, 91);
    ASSERT_EQ(g.Columns().Count(), 5);
    for (int i = 0; i < 5; ++i) {
        const TGridColumnItem& it = *g.Columns()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(it.Index(), i);
        EXPECT_EQ(it.Width(), g.ColWidths(i));
        EXPECT_EQ(it.CheckTrue, "Y");
        EXPECT_EQ(it.CheckFalse, "N");
        EXPECT_EQ(it.DropDownCount, 8);
        EXPECT_EQ(it.SpinStep, 1);
        EXPECT_EQ(it.Editor(), edNormal);
        EXPECT_EQ(it.Color(), g.Color());
        EXPECT_TRUE(it.Font().SameLook(g.Font()));
        EXPECT_TRUE(it.HeaderFont().SameLook(g.Font()));
        EXPECT_EQ(it.BorderPen().Color(), 0xC0C0C0u);
        EXPECT_EQ(it.BorderPen().Width(), 1);
        EXPECT_EQ(it.PrintBorderPen().Color(), 0u);
        EXPECT_EQ(it.PrintBorders, 15);
        EXPECT_EQ(it.PrintColor, 0xFFFFFFu);
        EXPECT_TRUE(it.PrintBorderCustom);
        EXPECT_TRUE(it.PrintFontCustom);
        EXPECT_EQ(it.ColumnPopupType, cpFixedCellsRClick);
        EXPECT_TRUE(it.Header().empty());
    }
    EXPECT_EQ(g.Columns()[2]->Width(), 91);
}

TEST(GridColumnItem, ItemOutsideACollectionHasPlainDefaults)
{
    TGridColumnItem spare(nullptr);
    EXPECT_EQ(spare.Width(), 0);
    EXPECT_EQ(spare.Color(), 0u);
    EXPECT_EQ(spare.Grid(), nullptr);
    spare.SetHeader("x"); // no grid to write to
    EXPECT_EQ(spare.Header(), "x");
}

TEST(GridColumnItem, WidthWritesTheGridColumn)
{
    TExColumnGrid g;
    g.Columns()[3]->SetWidth(120);
    EXPECT_EQ(g.ColWidths(3), 120);
    g.SetColWidths(1, 33);
    EXPECT_EQ(g.Columns()[1]->StoredWidth(), 33);
}

TEST(GridColumnItem, GrowingContinuesTheLastLookAndShrinkingFreesItems)
{
    TExColumnGrid g;
    g.SetColCount(4);
    TGridColumnItem* last = g.Columns()[3];
    last->SetAlignment(TAlignment::taCenter);
    last->SetColor(clYellow);
    last->SetHeader("Price");
    last->ComboItems().Add("a");
    last->ReadOnly = true;
    last->SetFloatFormat("%.1f");
    TGridColumnItem* first = g.Columns()[0];

    g.SetColCount(6);
    ASSERT_EQ(g.Columns().Count(), 6);
    for (int i : {4, 5}) {
        const TGridColumnItem& it = *g.Columns()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(it.Alignment(), TAlignment::taCenter);
        EXPECT_EQ(it.Color(), g.Color());
        EXPECT_TRUE(it.Header().empty());
        EXPECT_EQ(it.ComboItems().Count(), 0);
        EXPECT_TRUE(it.ReadOnly);
        EXPECT_EQ(it.FloatFormat(), "%.1f");
    }

    g.SetColCount(2);
    ASSERT_EQ(g.Columns().Count(), 2);
    EXPECT_EQ(g.Columns()[0], first);
    EXPECT_THROW(g.Columns()[2], EListError);
}

TEST(GridColumnItem, HiddenColumnsKeepTheirItems)
{
    TExColumnGrid g;
    g.SetColCount(8);
    std::vector<TGridColumnItem*> before;
    for (int i = 0; i < 8; ++i) before.push_back(g.Columns()[i]);
    g.Columns()[5]->SetHeader("Five");
    g.HideColumn(5);
    g.HideColumn(2);
    EXPECT_EQ(g.NumHiddenColumns(), 2);
    EXPECT_EQ(g.ColCount(), 6);
    ASSERT_EQ(g.Columns().Count(), g.ColCount() + g.NumHiddenColumns());
    for (int i = 0; i < 8; ++i) EXPECT_EQ(g.Columns()[i], before[static_cast<size_t>(i)]);
    // The displayed column 4 is real column 6: its item answers.
    g.Columns()[6]->SetFixed(true);
    EXPECT_TRUE(g.IsFixed(4, 1));
    EXPECT_FALSE(g.IsFixed(5, 1));
    g.UnHideColumn(5);
    EXPECT_EQ(g.Columns().Count(), 8);
    EXPECT_EQ(g.Cells(5, 0), "Five");
    // Growing the grid with a hidden column adds items after all of them.
    g.SetColCount(8);
    EXPECT_EQ(g.Columns().Count(), 9);
    EXPECT_EQ(g.Columns()[2], before[2]);
}

TEST(GridColumnItem, InsertedAndRemovedColumnsMoveTheirItems)
{
    TExColumnGrid g;
    g.SetColCount(5);
    for (int i = 0; i < 5; ++i) g.Columns()[i]->Name = "c" + std::to_string(i);
    g.InsertCols(2, 2);
    ASSERT_EQ(g.ColCount(), 7);
    ASSERT_EQ(g.Columns().Count(), 7);
    const char* afterInsert[] = {"c0", "c1", "", "", "c2", "c3", "c4"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(g.Columns()[i]->Name, afterInsert[i]) << i;
    g.RemoveCols(1, 3);
    ASSERT_EQ(g.ColCount(), 4);
    ASSERT_EQ(g.Columns().Count(), 4);
    const char* afterRemove[] = {"c0", "c2", "c3", "c4"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.Columns()[i]->Name, afterRemove[i]) << i;
    // With a hidden column the items still match the real columns.
    g.HideColumn(2);
    g.RemoveCols(1, 1);
    EXPECT_EQ(g.Columns().Count(), g.ColCount() + g.NumHiddenColumns());
    EXPECT_EQ(g.Columns()[1]->Name, "c3");
}

TEST(GridColumnItem, CollectionAddAndDeleteFollowTheGridButKeepOneNormalColumn)
{
    TExColumnGrid g;
    g.SetColCount(2);
    g.Columns().Add();
    EXPECT_EQ(g.ColCount(), 3);
    g.Columns().Delete(2);
    EXPECT_EQ(g.ColCount(), 2);
    // With FixedCols 1 the grid keeps two columns although the last item goes.
    g.Columns().Delete(1);
    EXPECT_EQ(g.ColCount(), 2);
}

TEST(GridColumnItem, HeaderWritesRowZeroAndRefillsColumnHeaders)
{
    TExColumnGrid g;
    g.Columns()[1]->SetHeader("Topic");
    g.Columns()[2]->SetHeader("Qos");
    EXPECT_EQ(g.Cells(1, 0), "Topic");
    ASSERT_EQ(g.ColumnHeaders().Count(), 5);
    EXPECT_EQ(g.ColumnHeaders()[1], "Topic");
    EXPECT_EQ(g.ColumnHeaders()[2], "Qos");

    TExColumnGrid flat;
    flat.SetFixedRows(0);
    flat.Columns()[1]->SetHeader("Topic");
    EXPECT_EQ(flat.Cells(1, 0), "");
    ASSERT_EQ(flat.ColumnHeaders().Count(), 5);
    EXPECT_EQ(flat.ColumnHeaders()[1], "Topic");
}

TEST(GridColumnItem, RebuiltHeadersTakeRowZeroForItemsWithoutOne)
{
    TExColumnGrid g;
    g.SetCells(3, 0, "Typed");
    g.Columns()[1]->SetColor(clRed); // any item change rebuilds the headers
    EXPECT_EQ(g.Columns()[3]->Header(), "Typed");
    EXPECT_EQ(g.ColumnHeaders()[3], "Typed");
}

TEST(GridColumnItem, DisplayNamesAndVersion)
{
    TExColumnGrid g;
    g.Columns()[3]->Name = "Price";
    EXPECT_EQ(g.Columns()[3]->GetDisplayName(), "Col 3: Price");
    EXPECT_EQ(g.Columns()[2]->GetDisplayName(), "Column 2");
    EXPECT_EQ(g.GetVersionNr(), 50397953);
    EXPECT_EQ(g.GetVersionString(), "3.1.3.1 Aug, 2012");
    EXPECT_EQ(g.Version(), "3.1.3.1 Aug, 2012");
    EXPECT_EQ(g.GetColumnByName("Price"), g.Columns()[3]);
    EXPECT_EQ(g.GetColumnByName("price"), nullptr);
}

TEST(GridColumnItem, AssignCopiesSettingsButNotThePopupAndPrintSwitches)
{
    TExColumnGrid g;
    TGridColumnItem* s = g.Columns()[1];
    s->SetHeader("Src");
    s->Name = "n";
    s->SetEditor(edComboList);
    s->ComboItems().Add("one");
    s->CheckTrue = "1";
    s->ColumnPopupType = cpAllCellsLClick;
    s->PrintFontCustom = false;
    s->Tag = 7;
    TGridColumnItem* d = g.Columns()[2];
    d->Assign(s);
    EXPECT_EQ(d->Header(), "Src");
    EXPECT_EQ(g.Cells(2, 0), "Src");
    EXPECT_EQ(d->Name, "n");
    EXPECT_EQ(d->Editor(), edComboList);
    EXPECT_EQ(d->ComboItems().Count(), 1);
    EXPECT_EQ(d->CheckTrue, "1");
    EXPECT_EQ(d->Tag, 7);
    EXPECT_EQ(d->ColumnPopupType, cpFixedCellsRClick);
    EXPECT_TRUE(d->PrintFontCustom);
    // Another class changes nothing.
    TFont f;
    d->Assign(&f);
    EXPECT_EQ(d->Header(), "Src");
}

TEST(GridColumnItem, ReferencesAreDroppedWhenTheirComponentGoes)
{
    TExColumnGrid g;
    auto* menu = new TComponent(nullptr);
    g.Columns()[1]->SetColumnPopup(menu);
    g.Columns()[2]->SetEditLink(menu);
    delete menu;
    EXPECT_EQ(g.Columns()[1]->ColumnPopup(), nullptr);
    EXPECT_EQ(g.Columns()[2]->EditLink(), nullptr);
}

// --- the grid's per-cell answers ------------------------------------------------------

TEST(ExColumnGrid, DataCheckBoxColumnShowsAVirtualCheckBoxInEmptyNormalCells)
{
    TExColumnGrid g;
    g.Columns()[2]->SetEditor(edDataCheckBox);
    EXPECT_EQ(g.GetCellType(2, 1), ctDataCheckBox);
    TCellGraphic* gr = g.GetCellGraphic(2, 1);
    ASSERT_NE(gr, nullptr);
    EXPECT_EQ(gr->CellType, ctVirtCheckBox);
    EXPECT_EQ(g.GetCellGraphic(2, 5), gr); // one shared record
    // Not in the fixed row, not in other columns.
    EXPECT_EQ(g.GetCellType(2, 0), ctEmpty);
    EXPECT_EQ(g.GetCellGraphic(2, 0), nullptr);
    EXPECT_EQ(g.GetCellType(3, 1), ctEmpty);
    EXPECT_EQ(g.GetCellGraphic(3, 1), nullptr);
    // A cell with a graphic of its own keeps it.
    TCellGraphic* own = g.CreateCellGraphic(2, 3);
    own->CellType = ctButton;
    EXPECT_EQ(g.GetCellType(2, 3), ctButton);
    EXPECT_EQ(g.GetCellGraphic(2, 3), own);
    // Removing the own graphic never frees the shared box.
    EXPECT_TRUE(g.RemoveCellGraphic(2, 3));
    EXPECT_EQ(g.GetCellGraphic(2, 3), gr);
}

TEST(ExColumnGrid, CheckTextsOfTheColumnHaveTheLastWordInNormalCellsOnly)
{
    TExColumnGrid g;
    g.SetRowCount(6);
    g.FixedFooters = 1;
    g.Columns()[2]->SetEditor(edDataCheckBox);
    g.OnGetCheckTrue = [](TObject*, int, int, std::string& v) { v = "1"; };
    g.OnGetCheckFalse = [](TObject*, int, int, std::string& v) { v = "0"; };
    struct Case {
        int col, row;
        const char* t;
        const char* f;
    } cases[] = {
        {2, 1, "Y", "N"}, // normal cell: the column's texts
        {2, 4, "Y", "N"},
        {2, 0, "1", "0"}, // fixed row: the event
        {0, 2, "1", "0"}, // fixed column
        {2, 5, "1", "0"}, // footer row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        EXPECT_EQ(g.GetCheckTrue(c.col, c.row), c.t);
        EXPECT_EQ(g.GetCheckFalse(c.col, c.row), c.f);
    }
    g.Columns()[2]->CheckTrue = "On";
    EXPECT_EQ(g.GetCheckTrue(2, 1), "On");
}

TEST(ExColumnGrid, CanEditAsksTheColumnThenTheCellThenTheEventWithTheBaseCell)
{
    TExColumnGrid g;
    g.SetColCount(6);
    g.Columns()[2]->ReadOnly = true;
    g.Columns()[3]->SetFixed(true);
    g.SetReadOnly(4, 2, true);
    auto ask = [&](int c, int r) {
        bool can = true;
        g.CanEditCell(c, r, can);
        return can;
    };
    struct Case {
        int col, row;
        bool can;
    } cases[] = {{1, 1, true}, {2, 1, false}, {3, 1, false}, {4, 2, false}, {4, 1, true}, {1, 0, false},
                 {0, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        EXPECT_EQ(ask(c.col, c.row), c.can);
    }

    // The event may allow again what the column refuses.
    g.OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) {
        if (ACol == 2) CanEdit = true;
    };
    EXPECT_TRUE(ask(2, 1));

    // Inside a merged area the event hears of the base cell.
    std::vector<std::pair<int, int>> heard;
    g.OnCanEditCell = [&](TObject*, int ARow, int ACol, bool&) { heard.emplace_back(ACol, ARow); };
    g.MergeCells(1, 3, 2, 2);
    ask(2, 4);
    ask(5, 5);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0], std::make_pair(1, 3));
    EXPECT_EQ(heard[1], std::make_pair(5, 5));
}

TEST(ExColumnGrid, CanEditIsOffWhileLoading)
{
    TExColumnGrid g;
    g.BeginLoading();
    bool can = true;
    g.CanEditCell(1, 1, can);
    EXPECT_FALSE(can);
}

TEST(ExColumnGrid, FloatFormatOfTheColumn)
{
    FormatGuard fg('.', ',', '/', "dd/mm/yyyy");
    TExColumnGrid g;
    g.Columns()[1]->SetFloatFormat("%.3f");
    EXPECT_EQ(g.GetColumnFloatFormat(1), "%.3f");
    EXPECT_EQ(g.GetColumnFloatFormat(2), g.FloatFormat);

    // Asking a cell of the column for its editor makes it the grid's format.
    TEditorType e = edNormal;
    g.GetCellEditor(1, 0, e);
    EXPECT_EQ(g.FloatFormat, "%.3f");

    g.SetCells(1, 1, "2.5");
    g.SetCells(1, 2, "abc");
    g.SetCells(2, 1, "2.5");
    EXPECT_EQ(g.GetFormattedCell(1, 1), "2.500");
    EXPECT_EQ(g.GetFormattedCell(1, 2), "abc");
    // A column without a format shows the text as it is.
    EXPECT_EQ(g.GetFormattedCell(2, 1), "2.5");
    // A format that does not fit a number shows the text, not an error.
    g.Columns()[1]->SetFloatFormat("%d");
    EXPECT_EQ(g.GetFormattedCell(1, 1), "2.5");
    // The event may change both the format and whether the text is a number.
    g.Columns()[1]->SetFloatFormat("%.3f");
    g.OnGetFloatFormat = [](TObject*, int, int, bool& IsFloat, std::string& Fmt) {
        Fmt = "%.1f";
        IsFloat = true;
    };
    EXPECT_EQ(g.GetFormattedCell(1, 1), "2.5");
    EXPECT_EQ(g.GetFormattedCell(1, 2), "abc");
}

TEST(ExColumnGrid, ColoursAlignmentAndEditorsComeFromTheColumnFirst)
{
    TExColumnGrid g;
    TGridColumnItem* it = g.Columns()[2];
    it->SetColor(clYellow);
    it->SetAlignment(TAlignment::taRightJustify);
    it->SetHeaderAlignment(TAlignment::taCenter);
    it->SetEditor(edComboList);
    it->SetPassword(true);

    TBrush brush;
    TFont font;
    g.GetCellColor(2, 1, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), clYellow);

    g.OnGetCellColor = [](TObject*, int, int, TGridDrawState, TBrush* b, TFont*) { b->SetColor(clRed); };
    g.GetCellColor(2, 1, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), clRed);
    g.OnGetCellColor = nullptr;

    g.GetCellProperties(2, 3)->SetBrushColor(clGreen);
    g.GetCellColor(2, 3, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), clGreen);

    TAlignment ha = TAlignment::taLeftJustify;
    TVAlignment va = vtaTop;
    g.GetCellAlign(2, 1, ha, va);
    EXPECT_EQ(ha, TAlignment::taRightJustify);
    g.GetCellAlign(2, 0, ha, va);
    EXPECT_EQ(ha, TAlignment::taCenter);

    TEditorType e = edNormal;
    g.GetCellEditor(2, 1, e);
    EXPECT_EQ(e, edComboList);
    e = edNormal;
    g.GetCellEditor(2, 0, e);
    EXPECT_EQ(e, edNormal);
    EXPECT_TRUE(g.HasCombo(2, 1));
    EXPECT_FALSE(g.HasCombo(2, 0));
    EXPECT_FALSE(g.HasCombo(1, 1));
    bool pw = false;
    g.IsPasswordCell(2, 1, pw);
    EXPECT_TRUE(pw);

    g.Columns()[3]->SetFixed(true);
    EXPECT_TRUE(g.IsFixed(3, 2));
    EXPECT_FALSE(g.IsFixed(2, 2));
}

TEST(ExColumnGrid, UserWidthsStayWithinTheColumnLimits)
{
    TExColumnGrid g;
    g.Columns()[1]->MinSize = 40;
    g.Columns()[1]->MaxSize = 90;
    struct Case {
        int in, out;
    } cases[] = {{10, 40}, {60, 60}, {200, 90}};
    for (const Case& c : cases) {
        int w = c.in;
        g.UpdateColumnSize(1, w);
        EXPECT_EQ(w, c.out);
    }
}

TEST(ExColumnGrid, UserSizedColumnStaysWithinItsLimits)
{
    TExColumnGrid g;
    g.SetOptions(g.Options() + goColSizing);
    g.Columns()[1]->MaxSize = 90;
    const TRect r = g.TCustomGrid::CellRect(1, 0);
    g.HandleMouseDown(mbLeft, {ssLeft}, r.Right, r.Top + 5);
    g.HandleMouseUp(mbLeft, {}, r.Right + 100, r.Top + 5);
    EXPECT_EQ(g.ColWidths(1), 90);
    EXPECT_EQ(g.Columns()[1]->Width(), 90);
}

TEST(ExColumnGrid, ComboCellsOfferTheColumnItems)
{
    TExColumnGrid g;
    TStringList items;
    items.Add("CAN1");
    items.Add("CAN2");
    g.Columns()[2]->SetEditor(edComboList);
    g.Columns()[2]->SetComboItems(items);
    g.SetCells(2, 1, "CAN2");
    TEditorType e = edNormal;
    g.GetCellEditor(2, 1, e);
    ASSERT_EQ(g.GetComboCount(), 2);
    EXPECT_EQ(g.ComboIndex(2, 1), 1);
    g.SetComboIndex(2, 3, 0);
    EXPECT_EQ(g.Cells(2, 3), "CAN1");
    // Another column's editor brings its own (empty) list.
    g.GetCellEditor(1, 1, e);
    EXPECT_EQ(g.GetComboCount(), 0);
    EXPECT_TRUE(GridIsPasswordCell(&g, 2, 1) == false);
    g.Columns()[2]->SetPassword(true);
    EXPECT_TRUE(GridIsPasswordCell(&g, 2, 1));
}

TEST(ExColumnGrid, ColumnFilterListTakesTheCaptions)
{
    TExColumnGrid g;
    TStringList f;
    f.Add("Big=>100");
    f.Add("Small");
    g.Columns()[1]->SetFilter(f);
    EXPECT_TRUE(g.GetColumnFilter(1));
    ASSERT_EQ(g.FilterList().Count(), 2);
    EXPECT_EQ(g.FilterList()[0], "Big");
    EXPECT_EQ(g.FilterList()[1], "Small");

    // A column without a list of its own keeps the grid's automatic entries.
    g.FilterDropDownAuto = true;
    g.SetCells(2, 1, "x");
    EXPECT_TRUE(g.GetColumnFilter(2));
    EXPECT_GT(g.FilterList().Count(), 0);
    g.FilterDropDownAuto = false;
    EXPECT_FALSE(g.GetColumnFilter(2));
}

TEST(ExColumnGrid, GroupingOnAColumnBeyondTheItemsIsIgnored)
{
    TExColumnGrid g;
    EXPECT_NO_THROW(g.Group(5));
    EXPECT_NO_THROW(g.Group(-1));
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.Columns().Count(), 5);
}

TEST(ExColumnGrid, DraggedColumnTakesItsItemAlong)
{
    TExColumnGrid g;
    g.SetColCount(5);
    TGridColumnItem* moved = g.Columns()[1];
    moved->SetHeader("One");
    g.SetCells(1, 1, "cell");
    std::vector<std::pair<int, int>> heard;
    g.OnAfterColumnMoved = [&](TObject*, int f, int t) { heard.emplace_back(f, t); };
    g.MoveColumn(1, 3);
    EXPECT_EQ(g.Columns()[3], moved);
    EXPECT_EQ(g.Cells(3, 0), "One");
    EXPECT_EQ(g.Cells(3, 1), "cell");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], std::make_pair(1, 3));
    EXPECT_EQ(g.Columns().Count(), 5);
}

TEST(ExColumnGrid, ResetOrganizationRestoresDesignOrder)
{
    TExColumnGrid g;
    for (int i = 0; i < 5; ++i) g.Columns()[i]->SetHeader("H" + std::to_string(i));
    g.Columns().SetOrganization();
    g.MoveColumn(1, 4);
    g.MoveColumn(2, 1);
    g.Columns().ResetOrganization();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g.Columns()[i]->Header(), "H" + std::to_string(i));
}

TEST(ExColumnGrid, ResetOrganizationWithPositionsThatAreNoPermutationChangesNothing)
{
    TExColumnGrid g;
    for (int i = 0; i < 5; ++i) g.Columns()[i]->SetHeader("H" + std::to_string(i));
    struct Case {
        const char* name;
        std::vector<int> pos;
    } cases[] = {
        {"duplicate", {0, 1, 1, 3, 4}},
        {"negative", {0, -1, 2, 3, 4}},
        {"beyond", {0, 1, 2, 3, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 5; ++i) g.Columns()[i]->SetDefIdx(c.pos[static_cast<size_t>(i)]);
        g.Columns().ResetOrganization();
        for (int i = 0; i < 5; ++i) EXPECT_EQ(g.Columns()[i]->Header(), "H" + std::to_string(i));
    }
}

// --- column settings stream --------------------------------------------------------------

namespace {

std::string Saved(TExColumnGrid& g)
{
    std::ostringstream os;
    g.SaveColumnsToStream(os);
    return os.str();
}

} // namespace

TEST(ExColumnGridIO, SettingsRoundTrip)
{
    TExColumnGrid a;
    TGridColumnItem* it = a.Columns()[2];
    it->SetHeader("Data <&> \"x\"");
    it->Name = "Data";
    it->SetEditor(edComboEdit);
    it->ComboItems().Add("a b");
    it->ComboItems().Add("");
    it->SetColor(0x123456);
    it->SetWidth(77);
    it->CheckTrue = "1";
    it->ReadOnly = true;
    it->SortStyle = ssNumeric;
    it->Font().SetSize(14);
    it->Font().SetStyle({fsBold});
    it->BorderPen().SetWidth(3);
    it->SetBorders(CellBorderBit(cbTop));
    it->ColumnPopupType = cpNormalCellsLClick;
    it->PrintFontCustom = false;
    it->SetFloatFormat("%.4f");
    TStringList f;
    f.Add("Hi=>5");
    it->SetFilter(f);
    const std::string text = Saved(a);
    EXPECT_EQ(text.rfind("<TExColumnGridIO", 0), 0u);

    TExColumnGrid b;
    std::istringstream is(text);
    ASSERT_TRUE(b.LoadColumnsFromStream(is));
    EXPECT_EQ(Saved(b), text);
    const TGridColumnItem* r = b.Columns()[2];
    EXPECT_EQ(r->Header(), "Data <&> \"x\"");
    EXPECT_EQ(b.Cells(2, 0), "Data <&> \"x\"");
    EXPECT_EQ(r->Editor(), edComboEdit);
    ASSERT_EQ(r->ComboItems().Count(), 2);
    EXPECT_EQ(r->ComboItems()[0], "a b");
    EXPECT_EQ(r->Width(), 77);
    EXPECT_EQ(b.ColWidths(2), 77);
    EXPECT_EQ(r->Font().Size(), 14);
    EXPECT_EQ(r->ColumnPopupType, cpNormalCellsLClick);
    EXPECT_FALSE(r->PrintFontCustom);
}

TEST(ExColumnGridIO, CorruptStreamChangesNothing)
{
    TExColumnGrid src;
    src.Columns().SetOrganization();
    const std::string good = Saved(src);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        const auto p = s.find(from);
        EXPECT_NE(p, std::string::npos) << from;
        if (p != std::string::npos) s.replace(p, from.size(), to);
        return s;
    };
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"not xml", "<TExColumnGridIO><Column"},
        {"other root", "<Columns />"},
        {"count differs", replaced("Count=\"5\"", "Count=\"4\"")},
        {"width not a number", replaced("Width=\"64\"", "Width=\"6x\"")},
        {"editor out of range", replaced("Editor=\"0\"", "Editor=\"43\"")},
        {"alignment out of range", replaced("Alignment=\"0\"", "Alignment=\"-1\"")},
        {"position not a number", replaced("DefIdx=\"1\"", "DefIdx=\"one\"")},
        {"colour too large", replaced("PrintColor=\"16777215\"", "PrintColor=\"99999999999\"")},
    };
    // A stream of another grid's column count is not applied either.
    TExColumnGrid six;
    six.SetColCount(6);
    const std::string sixText = Saved(six);

    TExColumnGrid g;
    g.Columns()[1]->SetHeader("Keep");
    g.Columns()[1]->SetEditor(edDataCheckBox);
    const std::string before = Saved(g);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream is(c.text);
        EXPECT_FALSE(g.LoadColumnsFromStream(is));
        EXPECT_EQ(Saved(g), before);
    }
    std::istringstream is(sixText);
    EXPECT_FALSE(g.LoadColumnsFromStream(is));
    EXPECT_EQ(Saved(g), before);
    EXPECT_EQ(g.ColCount(), 5);
}

TEST(ExColumnGridIO, PositionsThatAreNoPermutationAreNotTaken)
{
    TExColumnGrid src;
    src.Columns()[2]->SetHeader("Loaded");
    for (int i = 0; i < 5; ++i) src.Columns()[i]->SetDefIdx(i == 3 ? 1 : i); // 1 twice
    const std::string text = Saved(src);

    TExColumnGrid g;
    g.Columns().SetOrganization();
    std::istringstream is(text);
    ASSERT_TRUE(g.LoadColumnsFromStream(is));
    EXPECT_EQ(g.Columns()[2]->Header(), "Loaded");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g.Columns()[i]->DefIdx(), i);

    // A permutation is taken.
    for (int i = 0; i < 5; ++i) src.Columns()[i]->SetDefIdx(4 - i);
    std::istringstream is2(Saved(src));
    ASSERT_TRUE(g.LoadColumnsFromStream(is2));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g.Columns()[i]->DefIdx(), 4 - i);
}

// --- check boxes and a rule window's grid --------------------------------------------

TEST(ExColumnGrid, ClickOnADataCheckBoxTogglesTheColumnTexts)
{
    TExColumnGrid g;
    g.Columns()[2]->SetEditor(edDataCheckBox);
    g.Columns()[3]->SetEditor(edDataCheckBox);
    g.Columns()[3]->CheckTrue = "On";
    g.Columns()[3]->CheckFalse = "Off";
    std::vector<std::tuple<int, int, bool>> heard;
    g.OnCheckBoxChange = [&](TObject*, int c, int r, bool s) { heard.emplace_back(c, r, s); };

    EXPECT_TRUE(g.ToggleCellCheckBox(2, 1, true));
    EXPECT_EQ(g.Cells(2, 1), "Y");
    EXPECT_TRUE(g.ToggleCellCheckBox(2, 1, true));
    EXPECT_EQ(g.Cells(2, 1), "N");
    EXPECT_TRUE(g.ToggleCellCheckBox(3, 2, true));
    EXPECT_EQ(g.Cells(3, 2), "On");
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0], std::make_tuple(2, 1, true));
    EXPECT_EQ(heard[1], std::make_tuple(2, 1, false));
    EXPECT_EQ(heard[2], std::make_tuple(3, 2, true));

    bool state = true;
    EXPECT_TRUE(g.GetCheckBoxState(2, 1, state));
    EXPECT_FALSE(state);
    EXPECT_TRUE(g.GetCheckBoxState(3, 2, state));
    EXPECT_TRUE(state);
    // An event answering "1" does not reach the column's normal cells.
    g.OnGetCheckTrue = [](TObject*, int, int, std::string& v) { v = "1"; };
    g.SetCells(2, 4, "1");
    EXPECT_TRUE(g.GetCheckBoxState(2, 4, state));
    EXPECT_FALSE(state);
}

TEST(ExColumnGrid, RuleWindowGridFilledFromCodeReadsBack)
{
    // The shape of a rule window's grid: 19 columns, the last three hidden,
    // a combo column and two check-box columns, 1024 rule rows.
    TExColumnGrid g;
    g.SetColCount(19);
    g.SetRowCount(1025);
    g.Columns()[2]->SetEditor(edComboList);
    g.Columns()[2]->ComboItems().Clear();
    for (const char* s : {"Publish", "Subscribe"}) g.Columns()[2]->ComboItems().Add(s);
    g.Columns()[3]->SetEditor(edDataCheckBox);
    g.Columns()[4]->SetEditor(edDataCheckBox);
    for (int c = 1; c < 19; ++c) g.Columns()[c]->SetHeader("H" + std::to_string(c));
    for (int c : {16, 17, 18}) g.HideColumn(c);
    ASSERT_EQ(g.ColCount(), 16);
    ASSERT_EQ(g.NumHiddenColumns(), 3);
    ASSERT_EQ(g.Columns().Count(), 19);

    auto text = [](int c, int r) -> std::string {
        if (c == 2) return r % 2 ? "Publish" : "Subscribe";
        if (c == 3) return r % 3 ? "Y" : "N";
        if (c == 4) return r % 5 ? "N" : "Y";
        return std::to_string(r) + "." + std::to_string(c);
    };
    const int all = g.ColCount() + g.NumHiddenColumns();
    for (int r = 1; r < g.RowCount(); ++r)
        for (int c = 1; c < all; ++c) g.SetCells(c, r, text(c, r));

    for (int r = 1; r < g.RowCount(); ++r) {
        for (int c = 1; c < all; ++c) ASSERT_EQ(g.Cells(c, r), text(c, r)) << c << "," << r;
        bool state = false;
        ASSERT_TRUE(g.GetCheckBoxState(3, r, state));
        EXPECT_EQ(state, r % 3 != 0);
        ASSERT_TRUE(g.GetCheckBoxState(4, r, state));
        EXPECT_EQ(state, r % 5 == 0);
    }
    EXPECT_TRUE(g.HasCombo(2, 7));
    EXPECT_EQ(g.Columns()[2]->ComboItems().Count(), 2);
    EXPECT_EQ(g.GetCellType(3, 1024), ctDataCheckBox);
    EXPECT_EQ(g.Columns()[17]->Header(), "H17");
    EXPECT_EQ(g.Cells(17, 0), "H17");
    EXPECT_TRUE(g.IsHiddenColumn(17));
    // Showing the hidden columns again keeps texts and items.
    g.UnHideColumn(17);
    EXPECT_EQ(g.Cells(17, 5), text(17, 5));
    EXPECT_EQ(g.Columns().Count(), g.ColCount() + g.NumHiddenColumns());
}
