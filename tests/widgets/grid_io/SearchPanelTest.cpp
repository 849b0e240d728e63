// The grid's search bar: created hidden, its controls placed when its window
// is created, the settings it takes from the search footer, its keys and
// its close and highlight buttons.

#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void Type(TRetEdit& e, const std::u32string& text)
{
    for (char32_t ch : text) {
        int key = static_cast<int>(ch == 8 ? VK_BACK : 0x41);
        e.KeyDown(key, {});
        char32_t c = ch;
        e.KeyPress(c);
    }
}

} // namespace

TEST(SearchPanel, CreatedHiddenAndLaidOutWithItsWindow)
{
    TExStringGrid g;
    int created = 0;
    g.OnCreatedSearchFooter = [&](TObject* s) {
        EXPECT_EQ(s, &g);
        ++created;
    };
    TSearchPanel& p = g.SearchPanel();
    EXPECT_FALSE(p.Visible());
    EXPECT_EQ(p.Height, 0);
    EXPECT_EQ(p.ColorTo(), clNone);
    EXPECT_EQ(p.Grid(), &g);
    EXPECT_EQ(p.Edit(), nullptr);

    g.WindowCreated();
    EXPECT_EQ(created, 1);
    ASSERT_NE(p.Edit(), nullptr);
    EXPECT_FALSE(p.Visible());
    EXPECT_EQ(p.Height, 0);
}

TEST(SearchPanel, WindowCreationPlacesTheControls)
{
    TExStringGrid g;
    TSearchPanel p(&g);
    p.CreateWnd();
    struct Case {
        const char* name;
        int left, top, width, height;
        bool enabled;
        const char* glyph;
        const char* disabledGlyph;
        const TSearchPanelControl* c;
    } cases[] = {
        {"forward", 140, 5, 90, 23, false, "ESGARDOWN", "ESGARDOWND", p.ForwardButton()},
        {"backward", 235, 5, 90, 23, false, "ESGARUP", "ESGARUPD", p.BackwardButton()},
        {"exit", 5, 7, 14, 14, true, "ESGCLOSE", "", p.ExitButton()},
        {"highlight", 330, 5, 90, 23, false, "ESGHI", "ESGHID", p.HighlightButton()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.c->Left, c.left) << c.name;
        EXPECT_EQ(c.c->Top, c.top) << c.name;
        EXPECT_EQ(c.c->Width, c.width) << c.name;
        EXPECT_EQ(c.c->Height, c.height) << c.name;
        EXPECT_EQ(c.c->Enabled, c.enabled) << c.name;
        EXPECT_EQ(c.c->Glyph, c.glyph) << c.name;
        EXPECT_EQ(c.c->GlyphDisabled, c.disabledGlyph) << c.name;
        EXPECT_TRUE(c.c->ParentFont) << c.name;
    }
    EXPECT_EQ(p.ExitButton()->GlyphHot, "ESGCLOSEH");
    EXPECT_EQ(p.ExitButton()->GlyphDown, "ESGCLOSED");
    EXPECT_TRUE(p.ExitButton()->Caption.empty());
    EXPECT_TRUE(p.HighlightButton()->CheckStyle);
    EXPECT_EQ(p.Edit()->Left, 25);
    EXPECT_EQ(p.Edit()->Top, 6);
    EXPECT_EQ(p.Edit()->Width, 110);
    EXPECT_TRUE(p.Edit()->MultiLine);
    EXPECT_EQ(p.MatchCase()->Left, 425);
    EXPECT_EQ(p.MatchCase()->Top, 8);

    // A second window creation keeps the controls.
    const TRetEdit* edit = p.Edit();
    p.CreateWnd();
    EXPECT_EQ(p.Edit(), edit);
}

TEST(SearchPanel, OwnerMustBeAGrid)
{
    TComponent notAGrid;
    EXPECT_THROW(TSearchPanel p(&notAGrid), EInvalidCast);
    EXPECT_THROW(TSearchPanel p(nullptr), EInvalidCast);
}

TEST(SearchPanel, RightToLeftMirrorsTheEditAndButtons)
{
    TExStringGrid g;
    TSearchPanel p(&g);
    p.Width = 500;
    p.RightToLeft = true;
    p.CreateWnd();
    EXPECT_EQ(p.Edit()->Left, 500 - 110 - 25);
    EXPECT_EQ(p.ForwardButton()->Left, 500 - 90 - 140);
    EXPECT_EQ(p.BackwardButton()->Left, 500 - 90 - 235);
    EXPECT_EQ(p.ExitButton()->Left, 500 - 14 - 5);
    EXPECT_EQ(p.HighlightButton()->Left, 500 - 90 - 330);
    EXPECT_EQ(p.MatchCase()->Left, 425);
}

TEST(SearchPanel, TypingEnablesTheButtonsAndEnterSearches)
{
    TExStringGrid g;
    TSearchPanel p(&g);
    p.CreateWnd();
    std::vector<std::string> events;
    p.OnEditChange = [&](TObject*) { events.push_back("change:" + p.Edit()->Text()); };
    p.OnForwardClick = [&](TObject*) { events.push_back("forward"); };
    p.OnBackwardClick = [&](TObject*) { events.push_back("backward"); };
    TRetEdit& e = *p.Edit();
    std::vector<char32_t> pressed;
    e.OnKeyPress = [&](TObject*, char32_t& k) { pressed.push_back(k); };

    Type(e, U"ab");
    EXPECT_TRUE(p.ForwardButton()->Enabled);
    EXPECT_TRUE(p.BackwardButton()->Enabled);
    EXPECT_TRUE(p.HighlightButton()->Enabled);

    int key = VK_RETURN;
    EXPECT_TRUE(e.KeyDown(key, {}));
    EXPECT_EQ(key, 0);
    key = VK_RETURN;
    e.KeyDown(key, {ssCtrl});
    // The line-break characters are reported, never inserted.
    char32_t cr = U'\r', lf = U'\n';
    e.KeyPress(cr);
    e.KeyPress(lf);
    EXPECT_EQ(e.Text(), "ab");

    Type(e, U"\b\b");
    EXPECT_FALSE(p.ForwardButton()->Enabled);
    EXPECT_FALSE(p.HighlightButton()->Enabled);
    EXPECT_EQ(events, (std::vector<std::string>{"change:a", "change:ab", "forward", "backward", "change:a",
                                                "change:"}));
    EXPECT_EQ(pressed, (std::vector<char32_t>{U'a', U'b', U'\r', U'\n', 8, 8}));

    // Disabled buttons take no click.
    p.ForwardButton()->Click();
    EXPECT_EQ(events.back(), "change:");
}

TEST(SearchPanel, TakesTheSearchFooterSettings)
{
    TExStringGrid g;
    TSearchFooter& f = g.SearchFooter();
    f.SetFindNextCaption("Next");
    f.SetHintFindPrev("Back");
    f.SetHintClose("");
    f.SetColor(clYellow);
    f.SetColorTo(clWhite);
    f.SetShowHighLight(false);
    f.SetVisible(true); // before the window exists
    TSearchPanel& p = g.SearchPanel();
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(p.Height, 32);
    EXPECT_EQ(p.Color, clYellow);
    EXPECT_EQ(p.ColorTo(), clWhite);

    g.WindowCreated();
    EXPECT_EQ(p.ForwardButton()->Caption, "Next");
    EXPECT_EQ(p.BackwardButton()->Hint, "Back");
    EXPECT_TRUE(p.BackwardButton()->ShowHint);
    EXPECT_FALSE(p.ExitButton()->ShowHint);
    EXPECT_FALSE(p.HighlightButton()->Visible);
    EXPECT_EQ(p.HighlightButton()->Height, 0);
    EXPECT_EQ(p.MatchCase()->Left, 330);
    EXPECT_EQ(p.MatchCase()->Height, 18);

    f.SetShowHighLight(true);
    f.SetShowMatchCase(false);
    EXPECT_EQ(p.MatchCase()->Left, 425);
    EXPECT_EQ(p.MatchCase()->Height, 0);
    EXPECT_EQ(p.HighlightButton()->Height, 23);
    f.SetVisible(false);
    EXPECT_EQ(p.Height, 0);
}

TEST(SearchPanel, CloseReportsBeforeHidingAndHighlightMarksTheText)
{
    TExStringGrid g;
    g.SetCells(1, 1, "cab");
    g.SetCells(2, 3, "abc");
    g.SetCells(2, 4, "xyz");
    g.SearchFooter().SetVisible(true);
    g.WindowCreated();
    TSearchPanel& p = g.SearchPanel();
    p.OnEditChange = nullptr; // the automatic search is not under test here
    p.Edit()->SetText("ab");

    p.HighlightButton()->Click();
    EXPECT_TRUE(p.HighlightButton()->Down);
    EXPECT_EQ(g.Cells(1, 1), g.HilightText(false, "cab", "ab"));
    EXPECT_NE(g.Cells(2, 3), "abc");
    EXPECT_EQ(g.Cells(2, 4), "xyz");
    p.HighlightButton()->Click();
    EXPECT_FALSE(p.HighlightButton()->Down);
    EXPECT_EQ(g.Cells(1, 1), "cab");
    EXPECT_EQ(g.Cells(2, 3), "abc");

    bool visibleWhenTold = false;
    g.OnSearchFooterClose = [&](TObject*) { visibleWhenTold = g.SearchFooter().Visible(); };
    p.ExitButton()->Click();
    EXPECT_TRUE(visibleWhenTold);
    EXPECT_FALSE(g.SearchFooter().Visible());
    EXPECT_FALSE(p.Visible());
    EXPECT_EQ(p.Height, 0);
}

TEST(SearchPanel, PaintsItsColourAndTopLine)
{
    TExStringGrid g;
    g.SetGridLineColor(clRed);
    TSearchPanel& p = g.SearchPanel();
    p.Width = 40;
    p.Height = 32;
    p.Color = clYellow;
    TBitmap b(40, 32);
    p.Paint(b.Canvas());
    b.Canvas().Flush();
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(39, 0), clRed);
    EXPECT_EQ(b.Pixel(20, 1), clYellow);
    EXPECT_EQ(b.Pixel(20, 31), clYellow);

    p.SetColorTo(clBlack);
    TBitmap grad(40, 32);
    p.Paint(grad.Canvas());
    grad.Canvas().Flush();
    EXPECT_EQ(grad.Pixel(20, 0), clRed);
    EXPECT_GE(GetRValue(grad.Pixel(20, 1)), 240); // 32 bands of 1 to 2 pixels
    EXPECT_EQ(GetBValue(grad.Pixel(20, 1)), 0);
    EXPECT_LT(GetRValue(grad.Pixel(20, 31)), 20);
}
