// The grid driven by the mouse as a person drives it: presses, releases,
// movements, double clicks and resting pointers reach the grid's window
// through the platform's event path, in the order the window system
// delivers them.

#include "widgets/ExColumnGrid.h"
#include "widgets/ExStringGrid.h"
#include "widgets/GridControlLook.h"
#include "widgets/GridSettings.h"
#include "widgets/grid_io/SortSettings.h"
#include "widgets/grid_render/HTMLHintWindow.h"

#include "platform/ControlInput.h"
#include "platform/GridView.h"
#include "platform/HintWindow.h"
#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// The left button held during a movement; nothing held.
const TShiftState Held{ssLeft};
const TShiftState NoKeys{};

TPoint Mid(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// A grid on a window of its own at the screen's top-left corner.
template <class TGrid> struct Shown {
    Shown(int cols = 5, int rows = 6)
    {
        grid.SetColCount(cols);
        grid.SetRowCount(rows);
        for (int c = 0; c < cols; ++c) grid.SetColWidths(c, 64);
        view = std::make_unique<TGridView>(&grid);
        view->SetBounds(0, 0, 420, 260);
        view->Show();
    }
    ~Shown() { view.reset(); }
    void Click(const TPoint& p, TShiftState s = {}) { SendClick(*view, p.X, p.Y, s); }
    TGrid grid;
    std::unique_ptr<TGridView> view;
};

// The shell's "open" during a test: what reaches it is recorded and
// nothing is opened.
struct ShellRecorder {
    ShellRecorder()
    {
        old = SetShellOpener([this](const std::string& t) {
            opened.push_back(t);
            return true;
        });
    }
    ~ShellRecorder() { SetShellOpener(old); }
    TShellOpener old;
    Log opened;
};

} // namespace

// --- press ------------------------------------------------------------------------------

TEST(GridMouse, PressOnADataCheckBoxTogglesItWithoutEditorAndReportsInOrder)
{
    Shown<TExColumnGrid> s;
    TExColumnGrid& g = s.grid;
    g.SetOptions(g.Options() + goEditing);
    g.Columns()[2]->SetEditor(edDataCheckBox);
    g.SetCells(2, 3, "N");
    Log log;
    g.OnCheckBoxClick = [&](TObject*, int c, int r, bool st) {
        log.push_back("OnCheckBoxClick " + std::to_string(c) + "," + std::to_string(r) + (st ? " on" : " off"));
    };
    g.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("OnMouseDown"); };
    g.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("OnMouseUp"); };
    g.OnClick = [&](TObject*) { log.push_back("OnClick"); };
    g.OnClickCell = [&](TObject*, int r, int c) {
        log.push_back("OnClickCell " + std::to_string(r) + "," + std::to_string(c));
    };

    const TPoint p = Mid(g.CellRect(2, 3));
    ASSERT_TRUE(g.IsInCheckBox(2, 3, p.X, p.Y));
    SendMouseDown(*s.view, p.X, p.Y);
    EXPECT_EQ(g.Cells(2, 3), "Y");
    EXPECT_EQ(log, (Log{"OnCheckBoxClick 2,3 on", "OnMouseDown", "OnClick"}));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_FALSE(g.EditorMode());
    log.clear();
    // The release neither clicks again nor opens an editor.
    SendMouseUp(*s.view, p.X, p.Y);
    EXPECT_EQ(log, (Log{"OnMouseUp"}));
    EXPECT_FALSE(g.EditorMode());

    // A text that is neither "Y" nor "N" becomes "Y"; a second click "N".
    g.SetCells(2, 4, "maybe");
    s.Click(Mid(g.CellRect(2, 4)));
    EXPECT_EQ(g.Cells(2, 4), "Y");
    s.Click(Mid(g.CellRect(2, 4)));
    EXPECT_EQ(g.Cells(2, 4), "N");

    // A read-only column does not toggle: the press is a plain cell press.
    g.Columns()[2]->ReadOnly = true;
    log.clear();
    s.Click(Mid(g.CellRect(2, 1)));
    EXPECT_EQ(g.Cells(2, 1), "");
    EXPECT_EQ(g.Row(), 1);
    // The range selection the press began ends with OnClick before the
    // class library's release reports OnMouseUp.
    EXPECT_EQ(log, (Log{"OnMouseDown", "OnClickCell 1,2", "OnClick", "OnMouseUp"}));
}

// In a cell that may not be edited a press toggles a data check box only
// with CheckAlwaysActive and a radio button only with RadioAlwaysActive.
TEST(GridMouse, PressOnALockedBoxFollowsTheControlLooksSwitches)
{
    struct Case {
        const char* name;
        bool radio;
        bool checkAlways;
        bool radioAlways;
        bool toggles;
    };
    const Case cases[] = {
        {"check box, switches off", false, false, false, false},
        {"check box, CheckAlwaysActive", false, true, false, true},
        {"check box, RadioAlwaysActive only", false, false, true, false},
        {"radio button, switches off", true, false, false, false},
        {"radio button, RadioAlwaysActive", true, false, true, true},
        {"radio button, CheckAlwaysActive only", true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shown<TExColumnGrid> s;
        TExColumnGrid& g = s.grid;
        g.SetOptions(g.Options() + goEditing);
        if (c.radio)
            g.AddRadioButtonColumn(2);
        else
            g.Columns()[2]->SetEditor(edDataCheckBox);
        g.SetCells(2, 3, "N");
        g.Columns()[2]->ReadOnly = true;
        g.ControlLook()->CheckAlwaysActive = c.checkAlways;
        g.ControlLook()->RadioAlwaysActive = c.radioAlways;
        int clicks = 0;
        if (c.radio)
            g.OnRadioButtonClick = [&](TObject*, int, int) { ++clicks; };
        else
            g.OnCheckBoxClick = [&](TObject*, int, int, bool) { ++clicks; };

        const TPoint p = Mid(g.CellRect(2, 3));
        ASSERT_TRUE(g.IsInCheckBox(2, 3, p.X, p.Y));
        s.Click(p);
        if (c.radio)
            EXPECT_EQ(g.IsRadioButtonChecked(2, 3), c.toggles);
        else
            EXPECT_EQ(g.Cells(2, 3), c.toggles ? "Y" : "N");
        EXPECT_EQ(clicks, c.toggles ? 1 : 0);
        EXPECT_FALSE(g.EditorMode());
    }
}

TEST(GridMouse, PressInColumnZeroReportsTheCellAfterTheRowMoved)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.SetFixedCols(0); // column 0 holds data, as in the slave list
    Log log;
    g.OnClickCell = [&](TObject*, int r, int c) {
        log.push_back("OnClickCell " + std::to_string(r) + "," + std::to_string(c) + " at row " +
                      std::to_string(g.Row()));
    };
    s.Click(Mid(g.CellRect(0, 4)));
    EXPECT_EQ(log, (Log{"OnClickCell 4,0 at row 4"}));
    EXPECT_EQ(g.Row(), 4);

    // Refused by OnCanClickCell: nothing happens, not even the move.
    g.OnCanClickCell = [](TObject*, int, int, bool& allow) { allow = false; };
    log.clear();
    s.Click(Mid(g.CellRect(3, 2)));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(g.Row(), 4);

    // A row heading (a fixed column 0, as in the rule windows) reports the
    // click too; the window selects the row in its handler.
    g.OnCanClickCell = nullptr;
    g.SetFixedCols(1);
    log.clear();
    s.Click(Mid(g.CellRect(0, 2)));
    EXPECT_EQ(log, (Log{"OnClickCell 2,0 at row 4"}));
}

// --- anchors ------------------------------------------------------------------------------

TEST(GridMouse, AnchorsOpenOnlyWebAndMailLinksAndCellReferencesStayInTheGrid)
{
    struct Case {
        const char* text;   // the cell text
        const char* opened; // what reaches the shell ("" nothing)
    } cases[] = {
        {"http://www.example.com/a", "http://www.example.com/a"},
        {"https://www.example.com/b", "https://www.example.com/b"},
        {"<a href=\"http://www.example.com/c\">web</a>", "http://www.example.com/c"},
        {"<a href=\"mailto:a@example.com\">mail</a>", "mailto:a@example.com"},
        {"<a href=\"HTTPS://www.example.com/d\">web</a>", "HTTPS://www.example.com/d"},
        {"file:///bin/true", ""},
        {"<a href=\"file:///bin/true\">run</a>", ""},
        {"<a href=\"javascript:alert(1)\">js</a>", ""},
        {"<a href=\"/bin/true\">path</a>", ""},
        {"<a href=\"true\">name</a>", ""},
        {"<a href=\"CELL://99,99\">far</a>", ""},
        {"<a href=\"CELL://R99C99\">far</a>", ""},
        {"<a href=\"cell://R4C1\">near</a>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Shown<TExStringGrid> s;
        TExStringGrid& g = s.grid;
        g.URLShow = true;
        g.SetColWidths(3, 200);
        g.SetCells(3, 2, c.text);
        ShellRecorder shell;
        const TRect r = g.CellRect(3, 2);
        s.Click({r.Left + 8, (r.Top + r.Bottom) / 2});
        EXPECT_EQ(shell.opened, std::string(c.opened).empty() ? Log{} : Log{c.opened});
        if (std::string(c.text).find("R4C1") != std::string::npos) {
            // A reference inside the grid makes that cell current.
            EXPECT_EQ(g.Row(), 4);
            EXPECT_EQ(g.Col(), 1);
        } else {
            // The anchor took the press: the current cell stayed.
            EXPECT_EQ(g.Row(), 1);
            EXPECT_EQ(g.Col(), 1);
        }
    }
}

TEST(GridMouse, AnchorClickHandlerMayKeepTheLinkFromTheShell)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.SetColWidths(3, 200);
    g.SetCells(3, 2, "<a href=\"http://www.example.com/\">web</a>");
    ShellRecorder shell;
    std::string seen;
    g.OnAnchorClick = [&](TObject*, int r, int c, const std::string& a, bool& autoHandle) {
        seen = std::to_string(r) + "," + std::to_string(c) + " " + a;
        autoHandle = false;
    };
    const TRect r = g.CellRect(3, 2);
    s.Click({r.Left + 8, (r.Top + r.Bottom) / 2});
    EXPECT_EQ(seen, "2,3 http://www.example.com/");
    EXPECT_TRUE(shell.opened.empty());
}

// --- sizing -------------------------------------------------------------------------------

TEST(GridMouse, DraggingAHeaderBorderShowsTheWidthAndSizesTheColumn)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.SetOptions(g.Options() + goColSizing);
    g.HintShowSizing = true;
    Log log;
    g.OnColumnSizing = [&](TObject*, int c, int w) {
        log.push_back("OnColumnSizing " + std::to_string(c) + " " + std::to_string(w));
    };
    g.OnEndColumnSize = [&](TObject*, int c) { log.push_back("OnEndColumnSize " + std::to_string(c)); };
    g.OnClickCell = [&](TObject*, int r, int c) {
        log.push_back("OnClickCell " + std::to_string(r) + "," + std::to_string(c));
    };
    const TRect k = g.CellRect(2, 0);
    ASSERT_EQ(k.Right - k.Left, 64);
    const int x = k.Right - 1, y = (k.Top + k.Bottom) / 2;
    SendMouseMove(*s.view, x, y, NoKeys);
    SendMouseDown(*s.view, x, y);
    EXPECT_EQ(g.GridState(), gsColSizing);
    SendMouseMove(*s.view, x + 4, y, Held);
    SendMouseMove(*s.view, x + 10, y, Held);
    ASSERT_NE(g.SizingHintWindow(), nullptr);
    EXPECT_TRUE(g.SizingHintShown());
    EXPECT_EQ(g.SizingHintWindow()->Caption(), "cw=<b>74</b>");
    const TPoint at = g.ClientToScreen({k.Left, k.Top});
    EXPECT_EQ(g.SizingHintWindow()->BoundsRect().Left, at.X);
    EXPECT_EQ(g.SizingHintWindow()->BoundsRect().Top, at.Y);
    EXPECT_TRUE(g.SizingHintWindow()->Showing());
    EXPECT_EQ(log, (Log{"OnColumnSizing 2 68", "OnColumnSizing 2 74"}));
    log.clear();
    SendMouseUp(*s.view, x + 10, y);
    EXPECT_EQ(g.ColWidths(2), 74);
    EXPECT_FALSE(g.SizingHintShown());
    EXPECT_FALSE(g.SizingHintWindow()->Showing());
    // A sizing press is no click on the header cell.
    EXPECT_EQ(log, (Log{"OnEndColumnSize 2"}));
}

TEST(GridMouse, ASizingReleasedRightOfTheGridIsCancelled)
{
    Shown<TExStringGrid> s(4);
    TExStringGrid& g = s.grid;
    g.SetOptions(g.Options() + goColSizing);
    const TRect k = g.CellRect(3, 0);
    const int x = k.Right - 1, y = (k.Top + k.Bottom) / 2;
    SendMouseMove(*s.view, x, y, NoKeys);
    SendMouseDown(*s.view, x, y);
    ASSERT_EQ(g.GridState(), gsColSizing);
    const int beyond = g.ClientWidth() + 5;
    SendMouseMove(*s.view, beyond, y, Held);
    SendMouseUp(*s.view, beyond, y);
    EXPECT_EQ(g.ColWidths(3), 64);
    EXPECT_EQ(g.GridState(), gsNormal);
}

TEST(GridMouse, DoubleClickOnAHeaderBorderAutoSizesAndTheReleaseDoesNotSort)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.SetOptions(g.Options() + goColSizing);
    g.SortSettings().SetShow(true);
    const char* texts[] = {"pear", "apple", "a much longer text than the column", "fig", "kiwi"};
    for (int r = 1; r < 6; ++r) g.SetCells(2, r, texts[r - 1]);
    Log log;
    g.OnColumnSize = [&](TObject*, int c, bool&) { log.push_back("OnColumnSize " + std::to_string(c)); };
    g.OnEndColumnSize = [&](TObject*, int c) { log.push_back("OnEndColumnSize " + std::to_string(c)); };
    g.OnDblClickCell = [&](TObject*, int r, int c) {
        log.push_back("OnDblClickCell " + std::to_string(r) + "," + std::to_string(c));
    };
    g.OnClickSort = [&](TObject*, int c) { log.push_back("OnClickSort " + std::to_string(c)); };

    for (int dx : {-3, 1}) { // inside the cell, and just past its border
        SCOPED_TRACE(dx);
        g.SetColWidths(2, 64);
        log.clear();
        const TRect k = g.CellRect(2, 0);
        const int x = k.Right + dx, y = (k.Top + k.Bottom) / 2;
        SendMouseMove(*s.view, x, y, NoKeys);
        SendDblClick(*s.view, x, y);
        EXPECT_GT(g.ColWidths(2), 64);
        // The first press asked for the sizing it started (its release
        // sized nothing), the double click for the auto size; no
        // OnDblClickCell.
        EXPECT_EQ(log, (Log{"OnColumnSize 2", "OnColumnSize 2", "OnEndColumnSize 2"}));
        EXPECT_EQ(g.Cells(2, 1), "pear"); // not sorted
    }
    // A plain click on the header sorts.
    log.clear();
    s.Click(Mid(g.CellRect(2, 0)));
    EXPECT_EQ(log, (Log{"OnClickSort 2"}));
    EXPECT_EQ(g.Cells(2, 1), "a much longer text than the column");
}

TEST(GridMouse, DoubleClickOnACellReportsRowThenColumn)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    Log log;
    g.OnDblClick = [&](TObject*) { log.push_back("OnDblClick"); };
    g.OnDblClickCell = [&](TObject*, int r, int c) {
        log.push_back("OnDblClickCell " + std::to_string(r) + "," + std::to_string(c));
    };
    const TPoint p = Mid(g.CellRect(3, 2));
    SendDblClick(*s.view, p.X, p.Y);
    EXPECT_EQ(log, (Log{"OnDblClick", "OnDblClickCell 2,3"}));
    // Right of the last column, away from its border: no cell.
    log.clear();
    const int x = g.CellRect(4, 0).Right + 20;
    ASSERT_LT(x, g.ClientWidth());
    SendDblClick(*s.view, x, p.Y);
    EXPECT_EQ(log, (Log{"OnDblClick", "OnDblClickCell -1,-1"}));
}

// --- movement ----------------------------------------------------------------------------

TEST(GridMouse, HoverFollowsTheFixedCellsAndLeavingClearsIt)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.HoverFixedCells = hfAll;
    const TPoint h = Mid(g.CellRect(2, 0));
    SendMouseMove(*s.view, h.X, h.Y, NoKeys);
    EXPECT_EQ(g.HoverFixedX(), 2);
    EXPECT_EQ(g.HoverFixedY(), 0);
    const TPoint c = Mid(g.CellRect(3, 3));
    SendMouseMove(*s.view, c.X, c.Y, NoKeys);
    EXPECT_EQ(g.HoverFixedX(), 3);
    EXPECT_EQ(g.HoverFixedY(), 3);
    SendMouseLeave(*s.view);
    EXPECT_EQ(g.HoverFixedX(), -1);
    EXPECT_EQ(g.HoverFixedY(), -1);
    EXPECT_EQ(g.MouseSelectMode(), TExStringGrid::msNormal);
}

TEST(GridMouse, FixedColumnBordersAreFoundWithinTwoPixels)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.SetFixedCols(2);
    g.SetColWidths(0, 64);
    g.SetColWidths(1, 20);
    g.MouseActions().SizeFixedCol = true;
    const int y = Mid(g.CellRect(2, 2)).Y;
    for (int x = 58; x <= 92; ++x) {
        SendMouseMove(*s.view, x, y, NoKeys);
        const bool expected = (x >= 62 && x <= 66) || (x >= 83 && x <= 87);
        EXPECT_EQ(g.OnFixedColBorder(), expected) << "x " << x;
    }
}

TEST(GridMouse, DraggingDownTheRowHeadingsSelectsWholeRows)
{
    Shown<TExStringGrid> s(5, 9);
    TExStringGrid& g = s.grid;
    g.SetOptions(g.Options() + goRangeSelect);
    g.MouseActions().RowSelect = true;
    const TPoint from = Mid(g.CellRect(0, 3));
    SendMouseMove(*s.view, from.X, from.Y, NoKeys);
    EXPECT_EQ(g.MouseSelectMode(), TExStringGrid::msRow);
    SendMouseDown(*s.view, from.X, from.Y);
    const TPoint to = Mid(g.CellRect(0, 7));
    SendMouseMove(*s.view, from.X, (from.Y + to.Y) / 2, Held);
    SendMouseMove(*s.view, to.X, to.Y, Held);
    SendMouseUp(*s.view, to.X, to.Y);
    const TGridRect sel = g.Selection();
    EXPECT_EQ(sel.Left, 1);
    EXPECT_EQ(sel.Right, 4);
    EXPECT_EQ(sel.Top, 3);
    EXPECT_EQ(sel.Bottom, 7);
}

// --- hints --------------------------------------------------------------------------------

TEST(GridMouse, HeaderHintComesFromOnGridHintUnderTheCell)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.SetCells(2, 0, "Topic");
    g.HintShowCells = false;
    g.HintShowLargeText = false;
    g.OnGridHint = [](TObject*, int r, int c, std::string& h) {
        h = "hint of " + std::to_string(r) + "," + std::to_string(c);
    };
    const TRect k = g.CellRect(2, 0);
    const int x = k.Left + 7;

    THintInfo info;
    info.CursorPos = {x, k.Top + 3};
    std::string text;
    g.BuildCellHint(text, info);
    EXPECT_EQ(text, "hint of 0,2");
    const TPoint at = g.ClientToScreen({x, k.Bottom + 6});
    EXPECT_EQ(info.HintPos.X, at.X);
    EXPECT_EQ(info.HintPos.Y, at.Y);

    // The same through the window system's hint request; a press takes the
    // hint down.
    SendMouseMove(*s.view, x, k.Top + 3, NoKeys);
    SendHintRequest(*s.view, x, k.Top + 3);
    THintWindow* w = ShownApplicationHint();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Caption(), "hint of 0,2");
    EXPECT_EQ(w->BoundsRect().Left, at.X);
    EXPECT_EQ(w->BoundsRect().Top, at.Y);
    const TPoint c = Mid(g.CellRect(3, 3));
    SendMouseMove(*s.view, c.X, c.Y, NoKeys);
    EXPECT_EQ(ShownApplicationHint(), nullptr);
}

TEST(GridMouse, CellHintsShowWholeAndTooLargeTexts)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.SetCells(2, 2, "a text far too wide for a column of sixty-four pixels");
    g.SetCells(3, 2, "<b>bold</b> text");
    auto hintAt = [&](int c, int r, std::string& text) {
        const TRect k = g.CellRect(c, r);
        THintInfo info;
        info.CursorPos = {k.Left + 5, k.Top + 3};
        text.clear();
        g.BuildCellHint(text, info);
        return g.ScreenToClient(info.HintPos);
    };
    std::string text;
    // Nothing asked for: no text.
    hintAt(2, 2, text);
    EXPECT_EQ(text, "");

    g.HintShowLargeText = true;
    g.HintShowLargeTextPos = hpCell;
    TPoint p = hintAt(2, 2, text);
    EXPECT_EQ(text, "a text far too wide for a column of sixty-four pixels");
    EXPECT_EQ(p.X, g.CellRect(2, 2).Left);
    EXPECT_EQ(p.Y, g.CellRect(2, 2).Top);
    hintAt(2, 3, text); // an empty cell fits
    EXPECT_EQ(text, "");

    g.HintShowLargeText = false;
    g.HintShowCells = true;
    hintAt(3, 2, text);
    EXPECT_EQ(text, "bold text");
    g.HTMLHint = true;
    hintAt(3, 2, text);
    EXPECT_EQ(text, "<b>bold</b> text");
    g.SetCells(3, 0, "head");
    hintAt(3, 0, text); // a fixed cell shows no cell text
    EXPECT_EQ(text, "");
}

TEST(GridMouse, MarkUpHintsShowInTheHTMLHintWindowOnTheMonitor)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.HintShowCells = true;
    g.HTMLHint = true;
    g.UseInternalHintClass = true;
    g.SetCells(2, 2, "<b>bold</b> text");
    g.SetCells(3, 2, "plain");
    const TPoint p = Mid(g.CellRect(2, 2));
    SendMouseMove(*s.view, p.X, p.Y, NoKeys);
    SendHintRequest(*s.view, p.X, p.Y);
    auto* w = dynamic_cast<THTMLHintWindow*>(ShownApplicationHint());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Caption(), "<b>bold</b> text");
    EXPECT_GT(w->TextWidth, 0);
    const TRect b = w->BoundsRect();
    EXPECT_EQ(b.Top, g.ClientToScreen({0, g.CellRect(2, 2).Top}).Y);
    // A plain text goes to the plain hint window.
    const TPoint q = Mid(g.CellRect(3, 2));
    SendMouseMove(*s.view, q.X, q.Y, NoKeys);
    SendHintRequest(*s.view, q.X, q.Y);
    THintWindow* plain = ShownApplicationHint();
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(plain), nullptr);
    EXPECT_EQ(plain->Caption(), "plain");
    // Leaving the grid takes the hint down.
    SendMouseLeave(*s.view);
    EXPECT_EQ(ShownApplicationHint(), nullptr);
}

// --- right button -------------------------------------------------------------------------

TEST(GridMouse, RightClickSelectsTheCellOrKeepsASelectionItLiesIn)
{
    Shown<TExStringGrid> s;
    TExStringGrid& g = s.grid;
    g.SetOptions(g.Options() + goRangeSelect);
    g.MouseActions().SelectOnRightClick = true;
    Log log;
    g.OnClickCell = [&](TObject*, int r, int c) {
        log.push_back("OnClickCell " + std::to_string(r) + "," + std::to_string(c));
    };
    auto rightClick = [&](int c, int r) {
        const TPoint p = Mid(g.CellRect(c, r));
        SendMouseDown(*s.view, p.X, p.Y, mbRight);
        SendMouseUp(*s.view, p.X, p.Y, mbRight);
    };
    // Without OnRightClickCell: the class library's left press and release
    // on the cell, which becomes current (no OnClickCell: that belongs to
    // the window's own press).
    rightClick(3, 4);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_TRUE(log.empty());

    // A block selected with the mouse stays when the right button goes
    // down inside it; the cell is offered and the right click reported.
    g.SetSelection({1, 1, 3, 3});
    log.clear();
    g.OnSelectCell = [&](TObject*, int c, int r, bool&) {
        log.push_back("OnSelectCell " + std::to_string(c) + "," + std::to_string(r));
    };
    g.OnRightClickCell = [&](TObject*, int r, int c) {
        log.push_back("OnRightClickCell " + std::to_string(r) + "," + std::to_string(c));
    };
    rightClick(2, 2);
    const TGridRect sel = g.Selection();
    EXPECT_EQ(sel.Left, 1);
    EXPECT_EQ(sel.Top, 1);
    EXPECT_EQ(sel.Right, 3);
    EXPECT_EQ(sel.Bottom, 3);
    EXPECT_EQ(log, (Log{"OnSelectCell 2,2", "OnRightClickCell 2,2"}));
}
