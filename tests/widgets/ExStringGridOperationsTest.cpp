// Smaller operations of the grid: repainting areas, zoom, the used cells,
// cell checks, merged columns, expand cells, sizing answers, scaling,
// picker choices and look colours.

#include "widgets/ExColumnGrid.h"
#include "widgets/ExStringGrid.h"
#include "widgets/ExStringGrid_DragDrop.h"
#include "widgets/GridControlLook.h"
#include "widgets/grid_io/FilterSettings.h"

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The window side of a grid that records what is marked for repainting.
class InvalidationHost : public IGridHost {
public:
    bool HasWindow() const override { return true; }
    bool IsVisible() const override { return true; }
    bool IsFocused() const override { return focused; }
    void SetFocus() override { focused = true; }
    TSize ClientSize() const override { return TSize{400, 250}; }
    void Invalidate(const TRect* r) override
    {
        if (r)
            rects.push_back(*r);
        else
            ++whole;
    }
    void Update() override {}
    void SetRedraw(bool) override {}
    void UpdateScrollBars(const TGridScrollInfo& h, const TGridScrollInfo& v) override
    {
        horz = h;
        vert = v;
    }
    void PostMessage(const TMessage&) override {}
    void SetTimer(int, int) override {}
    void KillTimer(int) override {}
    void SetCursor(TCursor) override {}
    void ShowEditorWindow(const TRect&) override { editorShown = true; }
    void HideEditorWindow() override {}
    void FocusEditorWindow() override {}
    void EditorTextChanged() override {}
    // A window resized reports its new size back to its grid.
    void SetClientSize(int, int) override
    {
        if (resized) resized->HandleResize();
    }
    void Reset()
    {
        rects.clear();
        whole = 0;
    }

    std::vector<TRect> rects;
    int whole = 0;
    bool focused = false;
    bool editorShown = false;
    TGridScrollInfo horz, vert;
    TCustomGrid* resized = nullptr;
};

// A checker that upper-cases texts and marks texts holding "x".
class UpperChecker : public TExStringGridCheck {
public:
    std::string Correct(int, int, const std::string& S) override
    {
        std::string t = S;
        for (char& ch : t) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        return t;
    }
    std::string MarkError(int, int, const std::string& S) override
    {
        return S.find('x') == std::string::npos ? S : "<e>" + S + "</e>";
    }
    void StartCheck() override { ++starts; }
    void StopCheck() override { ++stops; }
    int starts = 0;
    int stops = 0;
};

} // namespace

TEST(ExStringGridOperations, RepaintsMarkTheAreasOfTheirCells)
{
    TExStringGrid g;
    InvalidationHost host;
    g.SetHost(&host);

    struct Case {
        const char* name;
        std::function<void()> run;
        TRect expected;
    } cases[] = {
        {"row 2", [&] { g.RepaintRow(2); }, UnionRect(g.TCustomGrid::CellRect(0, 2), g.TCustomGrid::CellRect(4, 2))},
        {"column 3", [&] { g.RepaintCol(3); }, UnionRect(g.TCustomGrid::CellRect(3, 1), g.TCustomGrid::CellRect(3, 9))},
        {"cells 1,1 to 2,3", [&] { g.RepaintRect(Rect(1, 1, 2, 3)); },
         UnionRect(g.TCustomGrid::CellRect(1, 1), g.TCustomGrid::CellRect(2, 3))},
        {"range 2,2 to 3,4", [&] { g.InvalidateCellRange(Rect(2, 2, 3, 4)); },
         UnionRect(g.TCustomGrid::CellRect(2, 2), g.TCustomGrid::CellRect(3, 4))},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        host.Reset();
        k.run();
        ASSERT_EQ(host.rects.size(), 1u);
        EXPECT_EQ(host.rects[0], k.expected);
        EXPECT_EQ(host.whole, 0);
    }
    // A negative coordinate repaints nothing; a corner out of view all.
    host.Reset();
    g.RepaintRect(Rect(-1, 1, 2, 3));
    EXPECT_TRUE(host.rects.empty());
    EXPECT_EQ(host.whole, 0);
    g.SetRowCount(100);
    host.Reset();
    g.RepaintRect(Rect(1, 1, 2, 90));
    EXPECT_EQ(host.whole, 1);

    // EditCell focuses the grid, moves there and opens the editor.
    g.SetOptions(g.Options() + goEditing);
    g.EditCell(2, 4);
    EXPECT_TRUE(host.focused);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_TRUE(g.EditorMode());
    g.SetHost(nullptr);
}

TEST(ExStringGridOperations, ZoomStaysWithinTenStepsAndKeepsZeroSizes)
{
    TExStringGrid g;
    g.SetColWidths(2, 0);
    g.Zoom(3);
    g.Zoom(3);
    EXPECT_EQ(g.ZoomFactor, 6);
    EXPECT_EQ(g.ColWidths(1), 64 + 6);
    EXPECT_EQ(g.RowHeights(1), 22 + 6);
    EXPECT_EQ(g.ColWidths(2), 0);
    g.Zoom(5); // 11 is beyond 10
    EXPECT_EQ(g.ZoomFactor, 6);
    EXPECT_EQ(g.ColWidths(1), 70);
    g.SetColWidths(3, 4);
    g.Zoom(-6); // 4 - 6 would not stay above 0
    EXPECT_EQ(g.ZoomFactor, 0);
    EXPECT_EQ(g.ColWidths(3), 4);
    EXPECT_EQ(g.ColWidths(1), 64);
}

TEST(ExStringGridOperations, UsedCellsSpanTheTextsOfTheDisplayedCells)
{
    TExStringGrid g;
    EXPECT_EQ(g.GetUsedCells(), (TRect{0, 0, 0, 0}));
    g.SetCells(3, 2, "a");
    EXPECT_EQ(g.GetUsedCells(), (TRect{3, 2, 3, 2}));
    g.SetCells(1, 7, "b");
    g.SetCells(9, 1, "beyond the columns");
    EXPECT_EQ(g.GetUsedCells(), (TRect{1, 2, 3, 7}));
}

TEST(ExStringGridOperations, CellChecksCorrectAndMarkEveryCellOfTheirRange)
{
    TExStringGrid g;
    for (int r = 1; r < 4; ++r) g.SetCells(1, r, "ok" + std::to_string(r));
    g.SetCells(2, 2, "abc");
    // Without a checker every check holds and nothing changes.
    EXPECT_TRUE(g.CheckGrid(false));
    EXPECT_EQ(g.Cells(2, 2), "abc");

    UpperChecker checker;
    g.SetCellChecker(&checker);
    checker.UseCorrect = true;
    EXPECT_FALSE(g.CheckCol(false, 1));
    EXPECT_EQ(g.Cells(1, 1), "OK1");
    EXPECT_EQ(g.Cells(1, 3), "OK3"); // checked after a failed one
    EXPECT_TRUE(g.CheckCol(false, 1));
    EXPECT_EQ(checker.starts, 2);
    EXPECT_EQ(checker.stops, 2);

    // With both switches the error mark wins; a marked text is checked
    // without its old mark.
    checker.UseMarkError = true;
    g.SetCells(3, 1, "x1");
    EXPECT_FALSE(g.CheckCell(3, 1));
    EXPECT_EQ(g.Cells(3, 1), "<e>x1</e>");
    EXPECT_FALSE(g.CheckCell(3, 1));
    EXPECT_EQ(g.Cells(3, 1), "<e>x1</e>");

    // GotoCell visits the cells and puts the current cell back.
    checker.UseMarkError = false;
    checker.GotoCell = true;
    g.GotoCell(4, 5);
    std::vector<int> visited;
    g.OnRowChanged = [&](TObject*, int, int NewRow) { visited.push_back(NewRow); };
    g.CheckRow(false, 2);
    EXPECT_EQ(visited, (std::vector<int>{2, 5}));
    EXPECT_EQ(g.Col(), 4);
    EXPECT_EQ(g.Row(), 5);
}

TEST(ExStringGridOperations, MergedColumnsFollowTheirList)
{
    TExStringGrid g;
    g.SetRowCount(7);
    const char* texts[] = {"A", "A", "B", "B", "B", "C"};
    for (int r = 1; r <= 6; ++r) {
        g.SetCells(1, r, texts[r - 1]);
        g.SetCells(2, r, texts[r - 1]);
    }
    g.MergedColumns().Add(1);
    EXPECT_EQ(g.CellSpan(1, 1).Y, 1);
    EXPECT_EQ(g.CellSpan(1, 3).Y, 2);
    EXPECT_EQ(g.CellSpan(2, 3).Y, 0);
    // The second listed column merges only where the first one agrees.
    g.SetCells(2, 2, "A");
    g.SetCells(2, 3, "A");
    g.MergedColumns().Add(2);
    EXPECT_EQ(g.CellSpan(2, 1).Y, 1);
    EXPECT_EQ(g.CellSpan(2, 3).Y, 0);
    // Taking a column off the list splits it again.
    g.MergedColumns().Delete(0);
    EXPECT_EQ(g.CellSpan(1, 3).Y, 0);
}

TEST(ExStringGridOperations, ExpandCellTellsTheApplicationAndSetsTheRowHeight)
{
    TExStringGrid g;
    TCellGraphic* e = g.CreateCellGraphic(2, 3);
    e->CellType = ctExpand;
    e->CellAngle = 60; // expanded height
    e->CellIndex = 22; // collapsed height
    std::vector<std::string> heard;
    g.OnExpandClick = [&](TObject*, int ACol, int ARow, bool Expanded) {
        heard.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + (Expanded ? " open" : " shut"));
    };
    g.ExpandCell(2, 3, true);
    EXPECT_EQ(g.RowHeights(3), 60);
    g.ExpandCell(2, 3, false);
    EXPECT_EQ(g.RowHeights(3), 22);
    g.SetRowHeights(4, 40);
    g.ExpandCell(1, 4, true); // no expand record: the default height
    EXPECT_EQ(g.RowHeights(4), g.DefaultRowHeight());
    EXPECT_EQ(heard, (std::vector<std::string>{"2,3 open", "2,3 shut", "1,4 open"}));
}

TEST(ExStringGridOperations, AutoSizingWidthsAreBoundByTheColumnAndTheApplication)
{
    TExColumnGrid g;
    g.Columns().Items(2)->AutoMinSize = 50;
    g.Columns().Items(2)->AutoMaxSize = 80;
    int w = 20;
    g.UpdateAutoColumnSize(2, w);
    EXPECT_EQ(w, 50);
    w = 200;
    g.UpdateAutoColumnSize(2, w);
    EXPECT_EQ(w, 80);
    g.OnUpdateColumnSize = [](TObject*, int ACol, int& AWidth) {
        if (ACol == 2) AWidth += 1;
    };
    g.UpdateAutoColumnSize(2, w);
    EXPECT_EQ(w, 81); // the event has the last word
}

TEST(ExStringGridOperations, ScalingAndItemDatesTimes)
{
    TExColumnGrid g;
    g.FixedFont().SetSize(8);
    g.Columns().Items(1)->Font().SetSize(10);
    g.ChangeScale(3, 2);
    EXPECT_EQ(g.FixedFont().Size(), 12);
    EXPECT_EQ(g.Columns().Items(1)->Font().Size(), 15);
    g.ChangeScale(2, 2);
    EXPECT_EQ(g.FixedFont().Size(), 12);

    g.Columns().Items(1)->SetDates(2, 45000.0);
    EXPECT_DOUBLE_EQ(g.Columns().Items(1)->Dates(2), 45000.0);
    EXPECT_EQ(g.Cells(1, 2), g.Columns().Items(1)->Rows(2));
    g.Columns().Items(1)->SetTimes(3, 0.5);
    EXPECT_DOUBLE_EQ(g.Columns().Items(1)->Times(3), 0.5);
}

TEST(ExStringGridOperations, PickerChoicesReachTheApplicationForTheCurrentCell)
{
    struct Picker : IGridColorPicker, IGridImagePicker {
        TColor SelectedColor() const override { return 0x00FF00; }
        std::string SelectedColorText() const override { return "Lime"; }
        int ItemIndex() const override { return 4; }
    } picker;
    TExStringGrid g;
    std::vector<std::string> heard;
    g.OnColorSelect = [&](TObject*, int ACol, int ARow, TColor Color, const std::string& Value) {
        heard.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + std::to_string(Color) + " " + Value);
    };
    g.OnImageSelect = [&](TObject*, int ACol, int ARow, int Index) {
        heard.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " image " + std::to_string(Index));
    };
    g.FireColorSelect(); // no picker: nothing chosen
    EXPECT_TRUE(heard.empty());
    g.SetColorPickerDropDown(&picker);
    g.SetImagePickerDropDown(&picker);
    g.GotoCell(2, 3);
    g.FireColorSelect();
    g.FireImageSelect();
    EXPECT_EQ(heard, (std::vector<std::string>{"2,3 65280 Lime", "2,3 image 4"}));
}

TEST(ExStringGridOperations, LookColoursHintsAndTheFormOfAControl)
{
    TExStringGrid g;
    g.SetNUVGradientFrom(clBtnFace);
    EXPECT_EQ(g.NUVGradientFrom(), ColorToRGB(clBtnFace));
    g.SetNUVGradientMirrorTo(0x123456);
    EXPECT_EQ(g.NUVGradientMirrorTo(), TColor(0x123456));
    g.SetBorderColor(0x010203);
    EXPECT_EQ(g.BorderColor(), TColor(0x010203));
    EXPECT_EQ(g.ArrowColor(), TColor(0x00FF00));

    TExStringGrid other;
    g.SetUseHTMLHints(true);
    EXPECT_TRUE(TExStringGrid::HTMLHintWindowsInUse());
    other.SetUseHTMLHints(false); // one hint window class for the program
    EXPECT_FALSE(TExStringGrid::HTMLHintWindowsInUse());
    EXPECT_TRUE(g.UseHTMLHints());
    EXPECT_EQ(g.CurrentEditor(), edNormal);

    TForm form;
    auto* panel = new TPanel(&form); // owned by its parent
    auto* label = new TLabel(panel);
    EXPECT_EQ(FindParentForm(label), &form);
    EXPECT_EQ(FindParentForm(&form), &form);
    EXPECT_EQ(FindParentForm(nullptr), nullptr);
}

TEST(ExStringGridOperations, AChosenFilterEntryBecomesTheColumnsFilter)
{
    TExColumnGrid g;
    g.SetRowCount(5);
    const char* values[] = {"1", "7", "3", "9"};
    for (int r = 1; r <= 4; ++r) g.SetCells(2, r, values[r - 1]);
    TGridColumnItem* it = g.Columns().Items(2);
    TStringList entries;
    entries.Add("Big=>5");
    entries.Add("All");
    it->SetFilter(entries);
    it->FilterCaseSensitive = false;
    g.AutoFilterDisplay = true;
    std::vector<std::string> heard;
    g.OnFilterSelect = [&](TObject*, int Column, int ItemIndex, const std::string& Name, std::string& Condition) {
        heard.push_back(std::to_string(Column) + " " + std::to_string(ItemIndex) + " " + Name + " " + Condition);
    };
    int done = 0;
    g.OnFilterDone = [&](TObject*) { ++done; };
    g.GotoCell(2, 4);

    g.FilterColumn = 2;
    g.FilterSelected(0);
    EXPECT_EQ(heard, (std::vector<std::string>{"2 0 Big >5"}));
    EXPECT_EQ(it->Header(), "Big");
    EXPECT_EQ(g.Filter().GetColFilter(2)->Condition, ">5");
    EXPECT_FALSE(g.Filter().GetColFilter(2)->CaseSensitive);
    EXPECT_TRUE(g.FilterActive());
    EXPECT_EQ(done, 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.FilterColumn, -1);

    // An entry the list does not have changes nothing; the column is
    // forgotten all the same.
    g.FilterColumn = 2;
    g.FilterSelected(5);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(g.FilterColumn, -1);
}

TEST(ExStringGridOperations, ResizingTheGridIsReported)
{
    TExStringGrid g;
    int heard = 0;
    g.OnGridResize = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &g);
        ++heard;
    };
    g.SetSize(300, 200);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(g.Width(), 300);
}

TEST(ExStringGridOperations, FilePictureReadsItsSizeAndDrawsFromTheFile)
{
    TempDir dir;
    const std::string path = dir.file("red.png");
    TBitmap red(10, 20);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect(Rect(0, 0, 10, 20));
    ASSERT_TRUE(red.SaveToFile(path));

    TFilePicture p;
    TBitmap target(8, 8);
    p.DrawPicture(target.Canvas(), Rect(0, 0, 8, 8)); // no name: nothing drawn
    EXPECT_EQ(target.Pixel(2, 2), clWhite);
    p.SetFilename(path);
    EXPECT_EQ(p.Width(), 10);
    EXPECT_EQ(p.Height(), 20);
    p.DrawPicture(target.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(target.Pixel(2, 2), clRed);
    EXPECT_EQ(target.Pixel(6, 6), clWhite);

    EXPECT_THROW(p.SetFilename(dir.file("missing.png")), EInvalidGraphic);
    EXPECT_EQ(p.Width(), 10);
    TFilePicture copy;
    copy.Assign(&p);
    EXPECT_EQ(copy.Filename(), dir.file("missing.png"));
    EXPECT_EQ(copy.Height(), 20);
}

TEST(ExStringGridOperations, ScrollBarsAlwaysKeepTheirBarsShownGreyedWhileTheContentFits)
{
    TExStringGrid g; // 5 x 10 cells fit the host's 400 x 250 pixels
    InvalidationHost host;
    host.resized = &g;
    g.SetHost(&host);
    struct Case {
        TScrollBarAlways mode;
        bool force;
        bool horzShown, vertShown;
    } cases[] = {
        {saVert, false, false, true},
        {saHorz, false, true, false},
        {saBoth, false, true, true},
        {saNone, false, true, true}, // without Force the kept bars stay
        {saNone, true, false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.mode) * 10 + k.force);
        g.ScrollBarAlways = k.mode;
        g.UpdateScrollBarsAlways(k.force);
        EXPECT_EQ(host.horz.Visible, k.horzShown);
        EXPECT_EQ(host.vert.Visible, k.vertShown);
        EXPECT_FALSE(host.horz.Enabled);
        EXPECT_FALSE(host.vert.Enabled);
    }
    // A resize applies the setting; rows that do not fit show an enabled bar.
    g.ScrollBarAlways = saHorz;
    g.SetRowCount(100);
    g.SetSize(300, 200);
    EXPECT_TRUE(host.horz.Visible);
    EXPECT_FALSE(host.horz.Enabled);
    EXPECT_TRUE(host.vert.Visible);
    EXPECT_TRUE(host.vert.Enabled);

    // A gradient background is repainted whole after a resize, a plain one not.
    host.Reset();
    g.SetSize(310, 200);
    const int plain = host.whole;
    g.BackGround()->SetDisplay(bdGradientVert);
    g.BackGround()->SetColorTo(clBlue);
    host.Reset();
    g.SetSize(320, 200);
    EXPECT_EQ(host.whole, plain + 1);
    g.SetHost(nullptr);
}

TEST(ExStringGridOperations, DragNearAnEdgeScrollsOneStepPerTick)
{
    TExStringGrid g;
    InvalidationHost host;
    g.SetHost(&host);
    g.SetColCount(40);
    g.SetRowCount(100);
    g.SetSize(400, 250);
    bool accept = true;

    // Off by default: no timer.
    g.DragOver(nullptr, 200, 5, dsDragEnter, accept);
    EXPECT_EQ(g.DragScrollTimer(), nullptr);

    g.DragScrollOptions().Active = true;
    std::vector<std::string> asked;
    bool allow = true;
    g.OnDragScroll = [&](TObject* Sender, int TopRow, int LeftCol, TDragScrollDir& Dir, bool& CanScroll) {
        EXPECT_EQ(Sender, &g);
        asked.push_back(std::to_string(TopRow) + "," + std::to_string(LeftCol) + (Dir.Contains(sdUp) ? " up" : "") +
                        (Dir.Contains(sdDown) ? " down" : "") + (Dir.Contains(sdRight) ? " right" : ""));
        CanScroll = allow;
    };

    // Over the middle: nothing. Within the bottom margin: a timer with the
    // initial delay, then steps at the repeat delay.
    g.DragOver(nullptr, 200, 120, dsDragEnter, accept);
    EXPECT_EQ(g.DragScrollTimer(), nullptr);
    g.DragOver(nullptr, 200, 240, dsDragMove, accept);
    ASSERT_NE(g.DragScrollTimer(), nullptr);
    EXPECT_EQ(g.DragScrollTimer()->Interval(), 1000);
    EXPECT_TRUE(g.DragScrollTimer()->Enabled());
    g.DragScrollTimer()->Fire();
    EXPECT_EQ(g.TopRow(), 2);
    EXPECT_EQ(g.DragScrollTimer()->Interval(), 250);
    g.DragScrollTimer()->Fire();
    EXPECT_EQ(g.TopRow(), 3);

    // Up at the top stops at the first scrollable row.
    g.DragOver(nullptr, 200, 10, dsDragMove, accept);
    for (int i = 0; i < 5; ++i) g.DragScrollTimer()->Fire();
    EXPECT_EQ(g.TopRow(), 1);

    // Bottom right corner: both directions; the handler can forbid a step.
    g.DragOver(nullptr, 395, 245, dsDragMove, accept);
    allow = false;
    g.DragScrollTimer()->Fire();
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.LeftCol(), 1);
    allow = true;
    g.DragScrollTimer()->Fire();
    EXPECT_EQ(g.TopRow(), 2);
    EXPECT_EQ(g.LeftCol(), 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"1,1 down", "2,1 down", "3,1 up", "2,1 up", "1,1 up", "1,1 up",
                                               "1,1 up", "1,1 down right", "1,1 down right"}));

    // Back to the middle, then to an edge again: the initial delay again.
    g.DragOver(nullptr, 200, 120, dsDragMove, accept);
    EXPECT_EQ(g.DragScrollTimer(), nullptr);
    g.DragOver(nullptr, 5, 120, dsDragMove, accept);
    ASSERT_NE(g.DragScrollTimer(), nullptr);
    EXPECT_EQ(g.DragScrollTimer()->Interval(), 1000);

    // Switched off while the timer runs: the next tick stops it, the next
    // drag event frees it; leaving frees it as well.
    g.DragScrollOptions().Active = false;
    g.DragScrollTimer()->Fire();
    EXPECT_FALSE(g.DragScrollTimer()->Enabled());
    EXPECT_EQ(g.LeftCol(), 2);
    g.DragOver(nullptr, 5, 120, dsDragMove, accept);
    EXPECT_EQ(g.DragScrollTimer(), nullptr);
    g.DragScrollOptions().Active = true;
    g.DragOver(nullptr, 5, 120, dsDragMove, accept);
    ASSERT_NE(g.DragScrollTimer(), nullptr);
    g.DragOver(nullptr, 5, 120, dsDragLeave, accept);
    EXPECT_EQ(g.DragScrollTimer(), nullptr);

    // The settings: defaults and Assign between grids.
    g.DragScrollOptions().Margins().TopMargin = 7;
    g.DragScrollOptions().Delays().RepeatDelay = 90;
    TExStringGrid other;
    EXPECT_FALSE(other.DragScrollOptions().Active);
    EXPECT_EQ(other.DragScrollOptions().Margins().RightMargin, 50);
    EXPECT_EQ(other.DragScrollOptions().Delays().InitialDelay, 1000);
    other.Assign(&g);
    EXPECT_TRUE(other.DragScrollOptions().Active);
    EXPECT_EQ(other.DragScrollOptions().Margins().TopMargin, 7);
    EXPECT_EQ(other.DragScrollOptions().Delays().RepeatDelay, 90);
    g.DragScrollOptions().Margins().TopMargin = 8;
    EXPECT_EQ(other.DragScrollOptions().Margins().TopMargin, 7);
    g.SetHost(nullptr);
}

TEST(ExStringGridOperations, ControlListKnowsItsWindowedControls)
{
    // A cell control is an object of the grid's kind and a control.
    struct CellEdit : TObject, TEdit {
        explicit CellEdit(TWinControl* parent) : TEdit(parent) {}
    };
    TForm form;
    CellEdit edit(&form);
    CellEdit elsewhere(&form);
    TControlList list;
    EXPECT_FALSE(list.HasHandle(&edit));
    list.AddControl(1, 1, &edit);
    TCellGraphic notAWindow;
    list.AddControl(2, 2, &notAWindow);
    EXPECT_TRUE(list.HasHandle(&edit));
    EXPECT_FALSE(list.HasHandle(&elsewhere));
    EXPECT_FALSE(list.HasHandle(&form));
    EXPECT_FALSE(list.HasHandle(nullptr));
}

TEST(ExStringGridOperations, ColumnPopupEventFollowsTheButtonOfItsType)
{
    TForm form;
    form.SetClientSize(500, 300);
    TExColumnGrid g;
    g.SetColCount(4);
    g.SetRowCount(6);
    TGridView view(&g, &form);
    view.SetBounds(0, 0, 450, 250);
    form.ShowForm();
    TComponent menu(nullptr);
    g.Columns()[1]->SetColumnPopup(&menu);
    g.Columns()[1]->ColumnPopupType = cpAllCellsLClick;
    g.Columns()[2]->SetColumnPopup(&menu);
    g.Columns()[2]->ColumnPopupType = cpFixedCellsRClick;
    std::vector<std::string> heard;
    g.OnColumnPopup = [&](TObject* Sender, int ACol, int ARow, TComponent* Popup) {
        EXPECT_EQ(Sender, &g);
        EXPECT_EQ(Popup, &menu);
        heard.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
    };
    auto click = [&](int c, int r, TMouseButton b) {
        const TRect cr = g.CellRect(c, r);
        const int x = (cr.Left + cr.Right) / 2, y = (cr.Top + cr.Bottom) / 2;
        SendMouseDown(view, x, y, b);
        SendMouseUp(view, x, y, b);
    };
    click(1, 0, mbLeft);
    click(1, 3, mbLeft);
    click(1, 3, mbRight); // not the button of the type
    click(2, 4, mbRight); // the event comes also where the menu would not open
    click(2, 4, mbLeft);
    click(0, 2, mbRight); // a column without a menu
    EXPECT_EQ(heard, (std::vector<std::string>{"1,0", "1,3", "2,4"}));
    // With column 1 hidden, the press on the second shown column is column
    // 2's, named by its real index.
    heard.clear();
    g.HideColumn(1);
    click(1, 0, mbRight);
    click(1, 0, mbLeft);
    EXPECT_EQ(heard, (std::vector<std::string>{"2,0"}));
    g.UnHideColumn(1);
    g.Columns()[1]->SetColumnPopup(nullptr);
    g.Columns()[2]->SetColumnPopup(nullptr);
    form.Close();
}
