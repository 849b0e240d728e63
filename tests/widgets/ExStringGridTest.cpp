#include "widgets/ExStringGrid.h"
#include "widgets/GridUtil.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

// A form grids can follow: a component with resize handlers.
class FakeForm : public TComponent, public IGridOwnerForm {
public:
    int FormWidth() const override { return w; }
    int FormHeight() const override { return h; }
    int AddResizeHandler(std::function<void(TObject*)> handler) override
    {
        handlers[++lastKey] = std::move(handler);
        return lastKey;
    }
    void RemoveResizeHandler(int key) override { handlers.erase(key); }
    void Resize(int nw, int nh)
    {
        w = nw;
        h = nh;
        auto copy = handlers;
        for (auto& [k, fn] : copy) fn(this);
    }
    int w = 600;
    int h = 400;
    int lastKey = 0;
    std::map<int, std::function<void(TObject*)>> handlers;
};

} // namespace

TEST(ExStringGrid, DefaultsAfterConstruction)
{
    TExStringGrid g;
    struct Case {
        const char* name;
        long long actual;
        long long expected;
    } cases[] = {
        {"Width", g.Width(), 400},
        {"Height", g.Height(), 250},
        {"RowCount", g.RowCount(), 10},
        {"ColCount", g.ColCount(), 5},
        {"FixedRows", g.FixedRows(), 1},
        {"FixedCols", g.FixedCols(), 1},
        {"DefaultRowHeight", g.DefaultRowHeight(), 22},
        {"fixed row height", g.RowHeights(0), 22},
        {"data row height", g.RowHeights(5), 22},
        {"DefaultColWidth", g.DefaultColWidth(), 64},
        {"HighlightColor", g.HighlightColor, clHighlight},
        {"HintColor", g.HintColor, clInfoBk},
        {"ActiveCellColor", g.ActiveCellColor, clGray},
        {"ActiveCellColorTo", g.ActiveCellColorTo, clNone},
        {"AutoFilterUpdate", g.AutoFilterUpdate, true},
        {"BorderColor", g.BorderColor(), 0xB99D7F},
        {"DefaultAlignment", g.DefaultAlignment == TAlignment::taLeftJustify, true},
        {"DefaultEditor", g.DefaultEditor, edNormal},
        {"DisabledFontColor", g.DisabledFontColor, clSilver},
        {"EnableHTML", g.EnableHTML, true},
        {"EnableWheel", g.EnableWheel, true},
        {"EnhRowColMove", g.EnhRowColMove, true},
        {"FilterNormalCellsOnly", g.FilterNormalCellsOnly, true},
        {"FilterDropDownColumns", g.FilterDropDownColumns, fdNormal},
        {"FixedFooters", g.FixedFooters, 0},
        {"IntelliPan", g.IntelliPan, ipVertical},
        {"IntelliZoom", g.IntelliZoom, true},
        {"InvalidEntryIcon", g.InvalidEntryIcon, ieWarning},
        {"Look", g.Look(), glXP},
        {"ScrollBarAlways", g.ScrollBarAlways, saNone},
        {"ScrollColor", g.ScrollColor, clNone},
        {"ScrollType", g.ScrollType, ssNormal},
        {"SelectionColor", g.SelectionColor, 0xEACAB6},
        {"SelectionColorMixerFactor", g.SelectionColorMixerFactor(), 50},
        {"SelectionTextColor", g.SelectionTextColor, clBlack},
        {"ShowSelection", g.ShowSelection, true},
        {"ShowDesignHelper", g.ShowDesignHelper, true},
        {"URLColor", g.URLColor, clBlue},
        {"UseInternalHintClass", g.UseInternalHintClass, true},
        {"VAlignment", g.VAlignment, vtaTop},
        {"PasswordChar", g.PasswordChar, '*'},
        {"Delimiter", g.Delimiter, 0},
        {"QuoteEmptyCells", g.QuoteEmptyCells, true},
        {"SaveFixedCells", g.SaveFixedCells, true},
        {"SaveVirtCells", g.SaveVirtCells, true},
        {"SaveWithHTML", g.SaveWithHTML, true},
        {"LoadFirstRow", g.LoadFirstRow, true},
        {"ShowNullDates", g.ShowNullDates, true},
        {"ZoomFactor", g.ZoomFactor, 0},
        {"NumHiddenColumns", g.NumHiddenColumns(), 0},
        {"column 512 visible", g.ColumnVisible(512), true},
        {"NUVGradientFrom", g.NUVGradientFrom(), clWhite},
        {"NUVGradientTo", g.NUVGradientTo(), ColorToRGB(clBtnFace)},
        {"NUVGradientMirrorTo", g.NUVGradientMirrorTo(), clNone},
        {"ComponentStyle", g.ComponentStyle, tsWindowsXP},
        {"FixedFont bold", g.FixedFont().Style().Contains(fsBold), true},
        {"ActiveCellFont bold", g.ActiveCellFont().Style().Contains(fsBold), true},
        {"Bands total length", g.Bands().TotalLength(), 2},
        {"Grouping SummaryLineColor", g.Grouping().SummaryLineColor, 0xFF0000},
        {"ShowModified colour", g.ShowModified().Color(), 0x00FFFF},
        {"SearchFooter visible", g.SearchFooter().Visible(), false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_EQ(g.FloatFormat, "%.2f");
    EXPECT_EQ(g.FilterDropDownClear, "(All)");
    EXPECT_EQ(g.CheckTrue, "Y");
    EXPECT_EQ(g.CheckFalse, "N");
    EXPECT_EQ(g.XMLEncoding, "ISO-8859-1");
    EXPECT_EQ(g.FixedFont().Name(), "Tahoma");
    EXPECT_EQ(g.SearchFooter().FindNextCaption(), ""); // not placed in a designer
}

TEST(ExStringGrid, Version)
{
    TExStringGrid g;
    EXPECT_EQ(g.GetVersionNr(), 0x06020103);
    EXPECT_EQ(g.GetVersionString(), "6.2.1.3 Sep, 2012");
    EXPECT_EQ(g.Version(), g.GetVersionString());
}

TEST(ExStringGrid, AssignFromAnotherGridAndFromOtherObjects)
{
    TExStringGrid a, b;
    a.SetColCount(7);
    a.SetRowCount(12);
    a.SetColWidths(3, 99);
    a.SetCells(2, 4, "x");
    a.Bands().SetActive(true);
    a.Navigation().AdvanceOnEnter = true;
    a.Grouping().GroupCountFormat = "(%d)";
    a.Grouping().SummaryLineWidth = 5; // not copied by Grouping.Assign
    a.ScrollType = ssFlat;

    TFont notAGrid;
    b.Assign(&notAGrid);
    b.Assign(nullptr);
    EXPECT_EQ(b.ColCount(), 5);
    EXPECT_EQ(b.RowCount(), 10);
    EXPECT_FALSE(b.Bands().Active());

    b.Assign(&a);
    EXPECT_EQ(b.ColCount(), 7);
    EXPECT_EQ(b.RowCount(), 12);
    EXPECT_EQ(b.ColWidths(3), 99);
    EXPECT_EQ(b.Cells(2, 4), "x");
    EXPECT_TRUE(b.Bands().Active());
    EXPECT_TRUE(b.Navigation().AdvanceOnEnter);
    EXPECT_EQ(b.Grouping().GroupCountFormat, "(%d)");
    EXPECT_EQ(b.Grouping().SummaryLineWidth, 2);
    EXPECT_EQ(b.ScrollType, ssFlat);
    // The copies are the grid's own objects.
    a.Bands().SetActive(false);
    EXPECT_TRUE(b.Bands().Active());
}

TEST(ExStringGrid, CanEditCell)
{
    struct Case {
        const char* name;
        bool props, readOnly, editing, suspended, rangeSelectAndEdit, expected;
    } cases[] = {
        {"no properties, editing off", false, false, false, false, false, true},
        {"properties, editing on", true, false, true, false, false, true},
        {"read-only, editing on", true, true, true, false, false, false},
        {"editing off", true, false, false, false, false, false},
        {"editing only suspended", true, false, false, true, false, true},
        {"range select and edit", true, false, false, false, true, true},
        {"read-only, suspended", true, true, false, true, false, false},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        if (c.props) g.SetReadOnly(2, 3, c.readOnly);
        g.SetOptions(c.editing ? g.Options() + goEditing : g.Options() - goEditing);
        g.SetEditingSuspended(c.suspended);
        g.MouseActions().RangeSelectAndEdit = c.rangeSelectAndEdit;
        bool can = true;
        g.CanEditCell(2, 3, can);
        EXPECT_EQ(can, c.expected) << c.name;
    }
}

TEST(ExStringGrid, CanEditCellAsksTheEventWithRowFirstAndTheBaseCell)
{
    TExStringGrid g;
    g.SetOptions(g.Options() + goEditing);
    g.MergeCells(1, 1, 2, 2);
    int askedRow = -1, askedCol = -1;
    g.OnCanEditCell = [&](TObject* s, int ARow, int ACol, bool& CanEdit) {
        EXPECT_EQ(s, &g);
        askedRow = ARow;
        askedCol = ACol;
        CanEdit = false;
    };
    bool can = true;
    g.CanEditCell(2, 2, can); // covered by the area based at (1, 1)
    EXPECT_FALSE(can);
    EXPECT_EQ(askedCol, 1);
    EXPECT_EQ(askedRow, 1);

    // A column beyond the grid counts as editable without asking.
    askedCol = -1;
    can = false;
    g.CanEditCell(40, 2, can);
    EXPECT_TRUE(can);
    EXPECT_EQ(askedCol, -1);
}

TEST(ExStringGrid, CheckTexts)
{
    TExStringGrid g;
    EXPECT_EQ(g.GetCheckTrue(1, 1), "Y");
    EXPECT_EQ(g.GetCheckFalse(1, 1), "N");
    g.OnGetCheckTrue = [](TObject*, int ACol, int ARow, std::string& v) {
        if (ACol == 2 && ARow == 3) v = "1";
    };
    EXPECT_EQ(g.GetCheckTrue(2, 3), "1");
    EXPECT_EQ(g.GetCheckTrue(3, 2), "Y");
    EXPECT_EQ(g.GetCheckFalse(2, 3), "N");
}

TEST(ExStringGrid, ColumnFilterList)
{
    TExStringGrid g;
    g.SetRowCount(5);
    g.SetCells(1, 1, " a b ");
    g.SetCells(1, 2, "c");
    g.SetCells(1, 3, "C");
    g.SetCells(1, 4, "a b");

    EXPECT_FALSE(g.GetColumnFilter(1)); // automatic lists are off
    EXPECT_EQ(g.FilterList().Count(), 0);

    g.FilterDropDownAuto = true;
    ASSERT_TRUE(g.GetColumnFilter(1));
    ASSERT_EQ(g.FilterList().Count(), 3);
    EXPECT_EQ(g.FilterList()[0], "(All)");
    EXPECT_EQ(g.FilterList()[1], "a b=\"a b\"");
    EXPECT_EQ(g.FilterList()[2], "c");

    // A fixed column gets a list only with fdAll; the event has the last word.
    EXPECT_FALSE(g.GetColumnFilter(0));
    g.FilterDropDownColumns = fdAll;
    g.FilterDropDownClear.clear();
    int column = -1;
    g.OnGetColumnFilter = [&](TObject*, int Column, TStringList* list) {
        column = Column;
        list->Add("extra");
    };
    ASSERT_TRUE(g.GetColumnFilter(0));
    EXPECT_EQ(column, 0);
    EXPECT_EQ(g.FilterList()[g.FilterList().Count() - 1], "extra");
}

TEST(ExStringGrid, FixedCellsAndTheirEvent)
{
    TExStringGrid g;
    g.SetFixedRows(2);
    int asked = 0;
    g.OnIsFixedCell = [&](TObject*, int ARow, int ACol, bool& IsFixed) {
        ++asked;
        IsFixed = ARow == 5 && ACol == 3;
    };
    bool fixed = false;
    g.IsFixedCell(3, 1, fixed); // last fixed row
    EXPECT_TRUE(fixed);
    EXPECT_EQ(asked, 0);
    fixed = false;
    g.IsFixedCell(3, 5, fixed);
    EXPECT_TRUE(fixed);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(g.IsFixed(3, 5));
    EXPECT_FALSE(g.IsFixed(3, 6));

    g.FixedFooters = 1;
    EXPECT_TRUE(g.IsFixed(2, g.RowCount() - 1));
}

TEST(ExStringGrid, CellColourTakesTheCellsLooksButNotUnderGraphics)
{
    TExStringGrid g;
    g.SetCells(1, 1, "plain");
    g.GetCellProperties(1, 1)->SetBrushColor(clRed);
    g.GetCellProperties(1, 1)->FontColor = clBlue;
    TCellGraphic* box = g.CreateCellGraphic(2, 1);
    box->SetCheckBox(true, false, false, haLeft, vaTop);
    g.GetCellProperties(2, 1)->SetBrushColor(clRed);
    g.GetCellProperties(2, 1)->FontColor = clBlue;

    int fired = 0;
    g.OnGetCellColor = [&](TObject*, int, int, TGridDrawState, TBrush*, TFont*) { ++fired; };
    TBrush brush;
    TFont font;
    brush.SetColor(clWhite);
    g.GetCellColor(1, 1, TGridDrawState(), &brush, &font);
    EXPECT_EQ(brush.Color(), clRed);
    EXPECT_EQ(font.Color(), clBlue);

    TBrush brush2;
    TFont font2;
    brush2.SetColor(clWhite);
    g.GetCellColor(2, 1, TGridDrawState(), &brush2, &font2);
    EXPECT_EQ(brush2.Color(), clWhite); // the check box keeps its background
    EXPECT_EQ(font2.Color(), clBlue);
    EXPECT_EQ(fired, 2);
}

TEST(ExStringGrid, ActiveCellHeadersLightUp)
{
    TExStringGrid g;
    g.ActiveCellShow = true;
    g.MoveCurrentCell(3, 4);
    auto colourOf = [&](int c, int r) {
        TBrush b;
        TFont f;
        b.SetColor(clWhite);
        g.GetCellColor(c, r, TGridDrawState(), &b, &f);
        return b.Color();
    };
    EXPECT_EQ(colourOf(0, 4), clGray); // header of the current row
    EXPECT_EQ(colourOf(3, 0), clGray); // header of the current column
    EXPECT_EQ(colourOf(0, 3), clWhite);
    EXPECT_EQ(colourOf(3, 4), clWhite);
}

TEST(ExStringGrid, HintsAlignmentEditorAndSpinQuestions)
{
    TExStringGrid g;
    g.OnGridWideHint = [](TObject*, int, int, WideString& h) { h = u"\u00e9"; };
    std::string hint = "plain";
    WideString wide;
    g.GetCellHint(1, 1, hint, wide);
    EXPECT_EQ(hint, EncodeWideText(u"\u00e9"));

    TAlignment ha = TAlignment::taLeftJustify;
    TVAlignment va = vtaTop;
    g.MouseActions().SetHotmailRowSelect(true);
    g.GetCellAlign(0, 1, ha, va);
    EXPECT_EQ(ha, TAlignment::taCenter);

    EXPECT_FALSE(g.IsCellEditorNone(1, 1)); // no event: never "none"
    g.OnGetEditorType = [](TObject*, int ACol, int, TEditorType& e) {
        if (ACol == 2) e = edNone;
    };
    EXPECT_TRUE(g.IsCellEditorNone(2, 1));
    EXPECT_FALSE(g.IsCellEditorNone(1, 1));

    g.OnHasSpinEdit = [](TObject*, int, int, bool& has) { has = true; };
    EXPECT_FALSE(g.HasSpinEdit(0, 3)); // fixed column
    EXPECT_TRUE(g.HasSpinEdit(2, 3));
    EXPECT_FALSE(g.HasCombo(2, 3));
}

TEST(ExStringGrid, CellGraphicsOwnership)
{
    TExStringGrid g;
    EXPECT_EQ(g.GetCellType(-1, 2), ctEmpty);
    EXPECT_EQ(g.GetCellType(2, -1), ctEmpty);
    EXPECT_EQ(g.GetCellType(2, 2), ctEmpty);
    EXPECT_FALSE(g.RemoveCellGraphic(2, 2));

    // An empty cell keeps its empty text and gets the graphic.
    TCellGraphic* first = g.CreateCellGraphic(2, 2);
    ASSERT_NE(first, nullptr);
    first->CellType = ctButton;
    EXPECT_EQ(g.Cells(2, 2), "");
    EXPECT_EQ(g.GetCellGraphic(2, 2), first);
    EXPECT_EQ(g.GetCellType(2, 2), ctButton);

    // A new graphic frees the old one (the sanitizers see a leak or a
    // double free otherwise).
    g.SetCells(2, 2, "text");
    TCellGraphic* second = g.CreateCellGraphic(2, 2);
    second->CellType = ctComment;
    EXPECT_EQ(g.Cells(2, 2), "text");
    EXPECT_EQ(g.GetCellType(2, 2), ctComment);

    EXPECT_FALSE(g.RemoveCellGraphicOfType(2, 2, ctButton));
    EXPECT_EQ(g.GetCellGraphic(2, 2), second);
    EXPECT_TRUE(g.RemoveCellGraphicOfType(2, 2, ctComment));
    EXPECT_EQ(g.GetCellGraphic(2, 2), nullptr);
    EXPECT_FALSE(g.RemoveCellGraphic(2, 2));

    // Graphics left in cells go with the grid.
    g.CreateCellGraphic(3, 3)->CellType = ctIcon;
    EXPECT_THROW(g.CreateCellGraphic(-1, 3), EExGridError);
}

TEST(ExStringGrid, SharedRowCheckBoxIsNeverFreedByACell)
{
    TExStringGrid g;
    g.MouseActions().SetHotmailRowSelect(true);
    EXPECT_EQ(g.GetCellType(0, 3), ctRowCheckBox);
    // A cell's own graphic in column 0 is replaced and freed, not leaked.
    g.CreateCellGraphic(0, 3)->CellType = ctIcon;
    g.CreateCellGraphic(0, 3)->CellType = ctIcon;
    g.MouseActions().SetHotmailRowSelect(false);
    EXPECT_EQ(g.GetCellType(0, 3), ctIcon);
    EXPECT_EQ(g.RowCheckBoxGraphic().CellType, ctRowCheckBox);
}

TEST(ExStringGrid, PropertiesOfRowsCutOffAreFreed)
{
    // Under the leak checker: the string grid drops rows cut off by a
    // smaller row count; their property objects and graphics must not stay
    // behind unowned.
    auto g = std::make_unique<TExStringGrid>();
    g->SetRowCount(200);
    g->SetReadOnly(2, 150, true);
    g->CreateCellGraphic(3, 190)->CellType = ctIcon;
    g->SetReadOnly(2, 10, true);
    g->SetRowCount(20);
    EXPECT_EQ(g->MaxRowCountReached(), 200);
    EXPECT_TRUE(g->ReadOnly(2, 10));
    g->SetRowCount(200);
    EXPECT_FALSE(g->HasCellProperties(2, 150));
    EXPECT_EQ(g->GetCellType(3, 190), ctEmpty);
    g->SetReadOnly(4, 180, true); // freed with the grid
    g.reset();
}

TEST(ExStringGrid, GridsOnOneFormGoInAnyOrder)
{
    for (bool firstGoesFirst : {true, false}) {
        FakeForm form;
        auto* a = new TExStringGrid(&form);
        auto* b = new TExStringGrid(&form);
        EXPECT_EQ(form.handlers.size(), 2u);
        if (firstGoesFirst) {
            delete a;
            form.Resize(700, 500);
            delete b;
        } else {
            delete b;
            form.Resize(700, 500);
            delete a;
        }
        EXPECT_TRUE(form.handlers.empty());
        form.Resize(800, 600); // nobody left to call
    }
}

TEST(ExStringGrid, GridOwnedByTheFormGoesWithIt)
{
    auto* form = new FakeForm;
    auto* g = new TExStringGrid(form);
    g->SizeWithForm = true;
    form->Resize(700, 450); // +100 x +50
    EXPECT_EQ(g->Width(), 500);
    EXPECT_EQ(g->Height(), 300);
    form->Resize(100, 50); // the grid would vanish: nothing changes
    EXPECT_EQ(g->Width(), 500);
    form->Resize(720, 470); // measured from the last accepted size
    EXPECT_EQ(g->Width(), 520);
    EXPECT_EQ(g->Height(), 320);
    delete form; // frees the grid, which leaves the form's handlers first
}

TEST(ExStringGrid, LaterPartsFailLoudly)
{
    TExStringGrid g;
    EXPECT_THROW(g.SaveColSizes(), ENotBuilt);
}

TEST(ExStringGrid, LoadedTurnsAlwaysShowEditorIntoNavigation)
{
    TExStringGrid g;
    g.BeginLoading();
    g.SetFixedRows(2);
    g.SetOptions(g.Options() + goAlwaysShowEditor);
    g.EndLoading();
    EXPECT_TRUE(g.IsLoaded());
    EXPECT_FALSE(g.Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(g.Navigation().AlwaysEdit);
    EXPECT_EQ(g.FixedRowsMin(), 2);
}

TEST(ExStringGrid, WindowCreationStartsTheGridTimerAndDropsVisualStyles)
{
    TExStringGrid g;
    EXPECT_TRUE(g.IsWinXP());
    g.WindowCreated();
    EXPECT_TRUE(g.TimerRunning(111));
    EXPECT_FALSE(g.IsWinXP()); // no theme library on this platform
}
