// The settings objects a string grid owns (sort, filter, filter drop-down,
// print and HTML settings): their values in a new grid, copying them from
// one grid to another, and switching the filter on and off.

#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<TExStringGrid> NumberedGrid(int rows)
{
    auto g = std::make_unique<TExStringGrid>();
    g->SetColCount(3);
    g->SetRowCount(rows);
    for (int r = 1; r < rows; ++r) {
        g->SetCells(1, r, "r" + std::to_string(r));
        g->SetCells(2, r, r % 2 ? "odd" : "even");
    }
    return g;
}

std::vector<std::string> Column(TExStringGrid& g, int c)
{
    std::vector<std::string> v;
    for (int r = 0; r < g.RowCount(); ++r) v.push_back(g.Cells(c, r));
    return v;
}

} // namespace

TEST(GridOwnedSettings, NewGridDefaults)
{
    TExStringGrid g;
    struct Case {
        const char* name;
        long long actual;
        long long expected;
    } cases[] = {
        {"SortSettings.Column", g.SortSettings().Column, -1},
        {"SortSettings.Row", g.SortSettings().Row(), 0},
        {"SortSettings.Show", g.SortSettings().Show(), false},
        {"SortSettings.Full", g.SortSettings().Full, true},
        {"SortSettings.AutoFormat", g.SortSettings().AutoFormat, true},
        {"SortSettings.IndexColor", g.SortSettings().IndexColor, 0x0000FFFF},
        {"SortSettings.HeaderColor", g.SortSettings().HeaderColor(), clNone},
        {"SortSettings.SortOnVirtualCells", g.SortSettings().SortOnVirtualCells, true},
        {"SortSettings.AutoSortForGrouping", g.SortSettings().AutoSortForGrouping, true},
        {"Filter.Count", g.Filter().Count(), 0},
        {"FilterActive", g.FilterActive(), false},
        {"FilterDropDown.Width", g.FilterDropDown().Width, 150},
        {"FilterDropDown.Height", g.FilterDropDown().Height, 150},
        {"FilterDropDown.Color", g.FilterDropDown().Color, clWindow},
        {"FilterDropDown.Glyph empty", g.FilterDropDown().Glyph().Empty(), true},
        {"drop list visible", g.FilterDropList().Visible(), false},
        {"drop list width", g.FilterDropList().Width, 0},
        {"drop check list width", g.FilterDropCheckList().Width, 0},
        {"drop column", g.FilterDropColumn(), -1},
        {"PrintSettings.Borders", g.PrintSettings().Borders, pbSingle},
        {"PrintSettings.UseDisplayFont", g.PrintSettings().UseDisplayFont, true},
        {"PrintSettings.Centered", g.PrintSettings().Centered, true},
        {"PrintSettings.Orientation", g.PrintSettings().Orientation, poPortrait},
        {"PrintSettings.FixedCellsAlways", g.PrintSettings().FixedCellsAlways, false},
        {"HTMLSettings.Width", g.HTMLSettings().Width, 100},
        {"HTMLSettings.BorderSize", g.HTMLSettings().BorderSize, 1},
        {"HTMLSettings.ExportImages", g.HTMLSettings().ExportImages, true},
        {"HTMLSettings.SaveColor", g.HTMLSettings().SaveColor, true},
        {"HTMLSettings.ColWidths", g.HTMLSettings().ColWidths().Count(), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_EQ(g.FilterDropDownClear, "(All)");
    EXPECT_EQ(g.PrintSettings().DateFormat, "dd/mm/yyyy");
    EXPECT_EQ(g.PrintSettings().PageNumSep, "/");
    EXPECT_EQ(g.PrintSettings().Grid(), &g);
}

TEST(GridOwnedSettings, SortRowMustBeAFixedRow)
{
    TExStringGrid g; // one fixed row
    for (int bad : {1, 5, -1}) {
        try {
            g.SortSettings().SetRow(bad);
            FAIL() << bad;
        } catch (const EExGridError& e) {
            EXPECT_STREQ(e.what(), "Sort row should be smaller than number of fixed rows");
        }
        EXPECT_EQ(g.SortSettings().Row(), 0) << bad;
    }
    g.SetFixedRows(3);
    g.SortSettings().SetRow(2);
    EXPECT_EQ(g.SortSettings().Row(), 2);
    EXPECT_THROW(g.SortSettings().SetRow(3), EExGridError);
    EXPECT_EQ(g.SortSettings().Row(), 2);
}

TEST(GridOwnedSettings, PrintSettingsTakeOnlyPrintSettings)
{
    TExStringGrid g;
    g.PrintSettings().JobName = "job";
    g.PrintSettings().TitleLines().Add("title");
    EXPECT_THROW(g.PrintSettings().Assign(nullptr), EInvalidCast);
    EXPECT_THROW(g.PrintSettings().Assign(&g.HTMLSettings()), EInvalidCast);
    EXPECT_EQ(g.PrintSettings().JobName, "job");
    EXPECT_EQ(g.PrintSettings().TitleLines().Count(), 1);
    // The others ignore a source of another class.
    g.HTMLSettings().Width = 50;
    g.HTMLSettings().Assign(&g.PrintSettings());
    g.SortSettings().Column = 2;
    g.SortSettings().Assign(nullptr);
    EXPECT_EQ(g.HTMLSettings().Width, 50);
    EXPECT_EQ(g.SortSettings().Column, 2);
}

TEST(GridOwnedSettings, AssignCopiesEveryOwnedSettingAndKeepsThemApart)
{
    TExStringGrid a;
    a.SetFixedRows(2);
    TBitmap glyph(4, 4);
    glyph.SetPixel(1, 1, clRed);
    TSortSettings& s = a.SortSettings();
    s.Column = 3;
    s.Direction = sdDescending;
    s.SetRow(1);
    s.SetShow(true);
    s.BlankPos = blLast;
    s.SetUpGlyph(glyph);
    s.SetHeaderMirrorColorTo(clRed);
    TPrintSettings& p = a.PrintSettings();
    p.DateFormat = "yyyy-mm-dd";
    p.PageNr = ppBottomCenter;
    p.FitToPage = fpShrink;
    p.JobName = "Frames";
    p.HeaderFont().SetName("Courier");
    p.TitleLines().Add("line 1");
    THTMLSettings& h = a.HTMLSettings();
    h.Width = 80;
    h.Summary = "CAN frames";
    h.XHTML = true;
    TFilterDropDown& d = a.FilterDropDown();
    d.Width = 220;
    d.ColumnWidth = true;
    d.SetGlyphActive(glyph);
    TFilterData* f = a.Filter().Add();
    f->Column = 2;
    f->Condition = "odd";
    f->Suffix = "kg";

    TExStringGrid b;
    b.Assign(&a);
    struct Case {
        const char* name;
        long long actual;
        long long expected;
    } cases[] = {
        {"sort column", b.SortSettings().Column, 3},
        {"sort direction", b.SortSettings().Direction, sdDescending},
        {"sort row", b.SortSettings().Row(), 1},
        {"sort show", b.SortSettings().Show(), true},
        {"sort blank position", b.SortSettings().BlankPos, blLast},
        {"sort up glyph", b.SortSettings().UpGlyph().Pixel(1, 1), clRed},
        {"sort header mirror colour to", b.SortSettings().HeaderMirrorColorTo(), clRed},
        {"print page number", b.PrintSettings().PageNr, ppBottomCenter},
        {"print fit", b.PrintSettings().FitToPage, fpShrink},
        {"print title lines", b.PrintSettings().TitleLines().Count(), 1},
        {"html width", b.HTMLSettings().Width, 80},
        {"html xhtml", b.HTMLSettings().XHTML, true},
        {"drop-down width", b.FilterDropDown().Width, 220},
        {"drop-down column width", b.FilterDropDown().ColumnWidth, true},
        {"drop-down active glyph", b.FilterDropDown().GlyphActive().Pixel(1, 1), clRed},
        {"filter count", b.Filter().Count(), 1},
        {"filter column", b.Filter()[0]->Column, 2},
        {"filter operation", b.Filter()[0]->Operation, foNONE},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_EQ(b.PrintSettings().DateFormat, "yyyy-mm-dd");
    EXPECT_EQ(b.PrintSettings().JobName, "Frames");
    EXPECT_EQ(b.PrintSettings().HeaderFont().Name(), "Courier");
    EXPECT_EQ(b.HTMLSettings().Summary, "CAN frames");
    EXPECT_EQ(b.Filter()[0]->Condition, "odd");
    EXPECT_EQ(b.Filter()[0]->Suffix, "kg");

    // Later changes to one grid stay in that grid, both ways.
    glyph.SetPixel(1, 1, clBlue);
    a.SortSettings().SetUpGlyph(glyph);
    a.PrintSettings().HeaderFont().SetName("Arial");
    a.PrintSettings().TitleLines().Add("line 2");
    a.HTMLSettings().Width = 10;
    a.Filter()[0]->Condition = "even";
    a.Filter().Add();
    b.FilterDropDown().Width = 99;
    b.SortSettings().Column = 0;
    EXPECT_EQ(b.SortSettings().UpGlyph().Pixel(1, 1), clRed);
    EXPECT_EQ(b.PrintSettings().HeaderFont().Name(), "Courier");
    EXPECT_EQ(b.PrintSettings().TitleLines().Count(), 1);
    EXPECT_EQ(b.HTMLSettings().Width, 80);
    EXPECT_EQ(b.Filter()[0]->Condition, "odd");
    EXPECT_EQ(b.Filter().Count(), 1);
    EXPECT_EQ(a.FilterDropDown().Width, 220);
    EXPECT_EQ(a.SortSettings().Column, 3);
}

TEST(GridOwnedSettings, AssignLeavesOutWhatEachObjectKeepsToItself)
{
    TExStringGrid a;
    a.SortSettings().IgnoreCase = true;
    a.SortSettings().SortOnVirtualCells = false;
    a.HTMLSettings().ExportImages = false;
    a.HTMLSettings().ColWidths().Add(40);
    a.FilterDropDown().AutoSize = true;
    a.Filter().Add()->Method = fmLiteral;

    TExStringGrid b;
    b.Assign(&a);
    EXPECT_FALSE(b.SortSettings().IgnoreCase);
    EXPECT_TRUE(b.SortSettings().SortOnVirtualCells);
    EXPECT_TRUE(b.HTMLSettings().ExportImages);
    EXPECT_EQ(b.HTMLSettings().ColWidths().Count(), 0);
    EXPECT_FALSE(b.FilterDropDown().AutoSize);
    ASSERT_EQ(b.Filter().Count(), 1);
    EXPECT_EQ(b.Filter()[0]->Method, fmExpression);
}

TEST(GridOwnedSettings, FilterCollection)
{
    TExStringGrid g;
    TFilter& f = g.Filter();
    TFilterData* first = f.Insert(5);
    EXPECT_EQ(first->Operation, foSHORT);
    TFilterData* c2 = f.GetColFilter(2);
    EXPECT_EQ(f.Count(), 2);
    EXPECT_EQ(c2->Column, 2);
    EXPECT_EQ(c2->Operation, foAND);
    EXPECT_EQ(f.GetColFilter(2), c2);
    f.Add()->Column = 2;
    EXPECT_TRUE(f.HasFilter(2));
    EXPECT_FALSE(f.HasFilter(1));
    f.RemoveColumnFilter(2);
    EXPECT_EQ(f.Count(), 1);
    EXPECT_EQ(f[0], first);
    EXPECT_THROW(f.GetItem(1), EListError);

    TExStringGrid empty;
    EXPECT_EQ(empty.Filter().Add()->Operation, foNONE);
}

TEST(GridOwnedSettings, FilterActiveWithoutConditionsKeepsEveryRowAroundInsertAndRemove)
{
    auto g = NumberedGrid(8);
    g->SetFilterActive(true);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    g->InsertRows(3, 2);
    g->SetCells(1, 3, "new");
    g->RemoveRows(6, 1);
    const std::vector<std::string> shown = Column(*g, 1);
    g->SetFilterActive(false);
    EXPECT_EQ(Column(*g, 1), shown);
    g->SetFilterActive(true);
    g->RemoveRows(1, 1);
    g->SetFilterActive(false);
    g->SetFilterActive(true);
    g->SetFilterActive(false);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_EQ(g->FilterLevel(), 0);
    EXPECT_EQ(Column(*g, 1), (std::vector<std::string>{"", "r2", "new", "", "r3", "r5", "r6", "r7"}));
}

TEST(GridOwnedSettings, FilterActiveHidesNonMatchingRowsAndBringsThemBack)
{
    auto g = NumberedGrid(7);
    TFilterData* f = g->Filter().Add();
    f->Column = 2;
    f->Condition = "odd";
    std::vector<int> progress;
    g->OnFilterProgress = [&](TObject*, std::int16_t p) { progress.push_back(p); };
    g->SetFilterActive(true);
    EXPECT_EQ(Column(*g, 1), (std::vector<std::string>{"", "r1", "r3", "r5"}));
    EXPECT_EQ(g->FilterLevel(), 1);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(progress.size(), 7u); // one per normal row and the final one
    // A row added while filtered is kept when the filter goes.
    g->InsertRows(2, 1);
    g->SetCells(1, 2, "added");
    g->SetFilterActive(false);
    std::vector<std::string> rows = Column(*g, 1);
    ASSERT_EQ(rows.size(), 8u);
    const auto added = std::find(rows.begin(), rows.end(), "added");
    ASSERT_NE(added, rows.end());
    EXPECT_LT(std::find(rows.begin(), rows.end(), "r1"), added);
    EXPECT_GT(std::find(rows.begin(), rows.end(), "r3"), added);
    rows.erase(added);
    EXPECT_EQ(rows, (std::vector<std::string>{"", "r1", "r2", "r3", "r4", "r5", "r6"}));
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_EQ(g->FixedRows(), 1);
}

TEST(GridOwnedSettings, MatchFilterJoinsConditions)
{
    auto g = NumberedGrid(5);
    g->SetCells(1, 1, "5kg");
    g->SetCells(1, 2, "kg5kg");
    g->SetCells(1, 3, "ABC");
    struct Case {
        const char* name;
        std::function<void(TFilter&)> setup;
        std::vector<bool> rows; // rows 1..4
    } cases[] = {
        {"suffix removed only at the end",
         [](TFilter& f) {
             TFilterData* d = f.Add();
             d->Column = 1;
             d->Suffix = "kg";
             d->Method = fmLiteral;
             d->Condition = "5";
         },
         {true, false, false, false}},
        {"literal ignores CaseSensitive",
         [](TFilter& f) {
             TFilterData* d = f.Add();
             d->Column = 1;
             d->CaseSensitive = false;
             d->Method = fmLiteral;
             d->Condition = "abc";
         },
         {false, false, false, false}},
        {"expression without case",
         [](TFilter& f) {
             TFilterData* d = f.Add();
             d->Column = 1;
             d->CaseSensitive = false;
             d->Condition = "abc";
         },
         {false, false, true, false}},
        {"AND of two conditions",
         [](TFilter& f) {
             TFilterData* a = f.Add();
             a->Column = 2;
             a->Condition = "odd";
             TFilterData* b = f.Add();
             b->Column = 1;
             b->Condition = "ABC";
         },
         {false, false, true, false}},
        {"OR of two conditions",
         [](TFilter& f) {
             TFilterData* a = f.Add();
             a->Column = 1;
             a->Condition = "5kg";
             TFilterData* b = f.Add();
             b->Column = 1;
             b->Condition = "r4";
             b->Operation = foOR;
         },
         {true, false, false, true}},
        {"a failing short condition ends the evaluation",
         [](TFilter& f) {
             TFilterData* a = f.Insert(0);
             a->Column = 2;
             a->Condition = "even";
             TFilterData* b = f.Insert(0);
             b->Column = 1;
             b->Condition = "*";
             b->Operation = foOR;
         },
         {false, true, false, true}},
        {"whole row, upper-cased, empty condition fails",
         [](TFilter& f) {
             TFilterData* a = f.Add();
             a->Data = fcRow;
             a->Condition = "kg5";
         },
         {false, true, false, false}},
    };
    for (const auto& c : cases) {
        g->Filter().Clear();
        c.setup(g->Filter());
        for (int r = 1; r <= 4; ++r) EXPECT_EQ(g->MatchFilter(r), c.rows[r - 1]) << c.name << " row " << r;
    }
    g->Filter().Clear();
    g->Filter().Add()->Data = fcRow;
    EXPECT_FALSE(g->MatchFilter(1));
    g->OnCustomFilter = [](TObject*, int ARow, bool& Accept) { Accept = ARow == 1; };
    EXPECT_TRUE(g->MatchFilter(1));
}

TEST(GridOwnedSettings, DropListsReportTheChoice)
{
    TExStringGrid g;
    TDropList& l = g.FilterDropList();
    std::vector<int> chosen;
    l.OnSelect = [&](TObject* Sender, int i) {
        EXPECT_EQ(Sender, &l);
        chosen.push_back(i);
    };
    for (const char* s : {"(All)", "odd", "even"}) l.Items().Add(s);
    l.Width = 150;
    l.Height = 150;
    l.SetVisible(true);
    // Arrow down twice and Enter (key down, key up).
    for (int k : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        int key = k;
        l.KeyDown(key, {});
        key = k;
        l.KeyUp(key, {});
    }
    EXPECT_FALSE(l.Visible());
    EXPECT_EQ(chosen, (std::vector<int>{1}));
    // A click on the third item.
    l.SetVisible(true);
    l.MouseDown(mbLeft, {ssLeft}, 20, 2 * l.ItemHeight + 3);
    EXPECT_TRUE(l.Visible());
    l.MouseUp(mbLeft, {}, 20, 2 * l.ItemHeight + 3);
    EXPECT_FALSE(l.Visible());
    EXPECT_EQ(chosen, (std::vector<int>{1, 2}));

    // The check list toggles on its check mark and stays open.
    TDropCheckList& cl = g.FilterDropCheckList();
    std::vector<int> toggles;
    cl.OnSelect = [&](TObject*, int i) { toggles.push_back(i); };
    for (const char* s : {"odd", "even"}) cl.Items().Add(s);
    cl.Width = 150;
    cl.Height = 150;
    cl.SetVisible(true);
    cl.MouseDown(mbLeft, {ssLeft}, 5, cl.ItemHeight + 2);
    cl.MouseUp(mbLeft, {}, 5, cl.ItemHeight + 2);
    EXPECT_TRUE(cl.Checked(1));
    EXPECT_FALSE(cl.Checked(0));
    cl.MouseDown(mbLeft, {ssLeft}, 80, 2); // on the text: selects, no toggle
    cl.MouseUp(mbLeft, {}, 80, 2);
    int space = VK_SPACE;
    cl.KeyDown(space, {});
    space = VK_SPACE;
    cl.KeyUp(space, {});
    EXPECT_TRUE(cl.Checked(0));
    EXPECT_TRUE(cl.Visible());
    EXPECT_EQ(toggles, (std::vector<int>{-1, -1}));
    EXPECT_FALSE(cl.Checked(7));

    // Cancel mode outside the list closes the drop-down.
    g.SetFilterDropColumn(2);
    cl.CancelMode(true);
    EXPECT_EQ(g.FilterDropColumn(), 2);
    EXPECT_TRUE(cl.Visible());
    cl.CancelMode(false);
    EXPECT_EQ(g.FilterDropColumn(), -1);
    EXPECT_FALSE(cl.Visible());
}

TEST(GridOwnedSettings, DropListChoicesReachTheGridsHandlers)
{
    struct Probe : TExStringGrid {
        void FilterSelected(int ItemIndex) override { selected.push_back(ItemIndex); }
        void FilterChecked(int ItemIndex) override { checked.push_back(ItemIndex); }
        std::vector<int> selected, checked;
    } g;
    g.FilterDropList().Items().Add("x");
    g.FilterDropList().SetItemIndex(0);
    int key = VK_RETURN;
    g.FilterDropList().KeyDown(key, {});
    g.FilterDropCheckList().Items().Add("x");
    g.FilterDropCheckList().SetItemIndex(0);
    key = VK_SPACE;
    g.FilterDropCheckList().KeyDown(key, {});
    EXPECT_EQ(g.selected, (std::vector<int>{0}));
    EXPECT_EQ(g.checked, (std::vector<int>{-1}));
}
