#include "widgets/GridSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Counts the change events of a search footer while running `write`.
int FooterEvents(const std::function<void(TSearchFooter&)>& write)
{
    TSearchFooter f(nullptr, false);
    int n = 0;
    f.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &f);
        ++n;
    };
    write(f);
    return n;
}

} // namespace

TEST(SearchFooter, CaptionsOnlyWhenNewlyDesigned)
{
    TSearchFooter plain(nullptr, false);
    EXPECT_EQ(plain.FindNextCaption(), "");
    EXPECT_EQ(plain.HintHighlight(), "");
    EXPECT_EQ(plain.MatchCaseCaption(), "");

    TSearchFooter designed(nullptr, true);
    EXPECT_EQ(designed.FindPrevCaption(), "Find &previous");
    EXPECT_EQ(designed.FindNextCaption(), "Find &next");
    EXPECT_EQ(designed.MatchCaseCaption(), "Match case");
    EXPECT_EQ(designed.HighLightCaption(), "Highlight");
    EXPECT_EQ(designed.HintClose(), "Close");
    EXPECT_EQ(designed.HintFindNext(), "Find next occurrence");
    EXPECT_EQ(designed.HintFindPrev(), "Find previous occurrence");
    EXPECT_EQ(designed.HintHighlight(), "Highlight occurrences");
    EXPECT_EQ(designed.SearchColumn, -1);
    EXPECT_EQ(designed.ColorTo(), clBtnFace);
}

TEST(SearchFooter, WhichWritesFireChange)
{
    struct Case {
        const char* name;
        std::function<void(TSearchFooter&)> write;
        int events;
    } cases[] = {
        {"Color unchanged", [](TSearchFooter& f) { f.SetColor(f.Color()); }, 1},
        {"ColorTo unchanged", [](TSearchFooter& f) { f.SetColorTo(f.ColorTo()); }, 1},
        {"caption unchanged", [](TSearchFooter& f) { f.SetFindNextCaption(f.FindNextCaption()); }, 1},
        {"ShowClose unchanged", [](TSearchFooter& f) { f.SetShowClose(true); }, 1},
        {"font", [](TSearchFooter& f) { f.SetFont(TFont()); }, 1},
        {"ShowFindNext unchanged", [](TSearchFooter& f) { f.SetShowFindNext(true); }, 0},
        {"ShowFindNext changed", [](TSearchFooter& f) { f.SetShowFindNext(false); }, 1},
        {"Visible unchanged", [](TSearchFooter& f) { f.SetVisible(false); }, 0},
        {"Visible on twice", [](TSearchFooter& f) { f.SetVisible(true); f.SetVisible(true); }, 1},
        {"plain field", [](TSearchFooter& f) { f.SearchColumn = 3; }, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(FooterEvents(c.write), c.events) << c.name;
}

TEST(SearchFooter, AssignCopiesPublishedStateOnly)
{
    TSearchFooter a(nullptr, true), b(nullptr, false);
    TFont font;
    font.SetName("Courier");
    a.SetFont(font);
    a.SetVisible(true);
    a.SetColor(0x123456);
    a.SearchDirection = sdLeftRight;
    a.LastSearch = "abc";
    a.SetAutoThemeAdapt(true);
    int events = 0;
    b.OnChange = [&](TObject*) { ++events; };
    b.Assign(&a);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(b.Font().Name(), "Courier");
    EXPECT_TRUE(b.Visible());
    EXPECT_EQ(b.Color(), 0x123456u);
    EXPECT_EQ(b.SearchDirection, sdLeftRight);
    EXPECT_EQ(b.FindNextCaption(), "Find &next");
    EXPECT_EQ(b.LastSearch, "");
    EXPECT_FALSE(b.AutoThemeAdapt());
    EXPECT_TRUE(b.OnChange); // keeps its own handler
}

TEST(Navigation, AdvanceAutoSwitchesAdvanceOnEnterOnButNotOff)
{
    TNavigation n;
    int events = 0;
    n.OnChange = [&](TObject*) { ++events; };
    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceOnEnter);
    n.SetAdvanceAuto(false);
    EXPECT_TRUE(n.AdvanceOnEnter);
    EXPECT_EQ(events, 0);

    n.SetAdvanceDirection(adLeftRight); // unchanged
    n.SetAdvanceInsert(false);          // unchanged
    EXPECT_EQ(events, 0);
    n.SetAdvanceDirection(adTopBottom);
    n.SetAdvanceInsert(true);
    EXPECT_EQ(events, 2);
}

TEST(Navigation, AssignKeepsTheCopiedAdvanceOnEnter)
{
    TNavigation a, b;
    a.SetAdvanceAuto(true);
    a.AdvanceOnEnter = false; // a stored form may hold this combination
    a.HomeEndKey = heFirstLastCell;
    int events = 0;
    b.OnChange = [&](TObject*) { ++events; };
    b.Assign(&a);
    EXPECT_TRUE(b.AdvanceAuto());
    EXPECT_FALSE(b.AdvanceOnEnter);
    EXPECT_EQ(b.HomeEndKey, heFirstLastCell);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(b.OnChange);
}

TEST(MouseActions, HotmailRowSelect)
{
    TMouseActions m(nullptr);
    int invalidated = 0;
    m.OnInvalidate = [&](TObject*) { ++invalidated; };
    m.SetHotmailRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.CheckAllCheck);
    m.SetHotmailRowSelect(false);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.CheckAllCheck);
    EXPECT_EQ(invalidated, 2);
}

TEST(MouseActions, DisjunctModesExcludeEachOtherOnlyWhileDesigning)
{
    TMouseActions m(nullptr);
    m.SetDisjunctRowSelect(true);
    m.SetDisjunctColSelect(true);
    m.SetDisjunctCellSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect() && m.DisjunctColSelect() && m.DisjunctCellSelect());

    m.OnIsDesigning = [](TObject*, bool& d) { d = true; };
    m.SetDisjunctColSelect(true);
    EXPECT_FALSE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.DisjunctColSelect());
    EXPECT_FALSE(m.DisjunctCellSelect());
}

TEST(MouseActions, EditOnDblClickOnlyAndWheelAction)
{
    TMouseActions m(nullptr);
    int disabled = 0, changed = 0;
    m.OnDisableEdit = [&](TObject*) { ++disabled; };
    m.OnChange = [&](TObject*) { ++changed; };
    m.SetEditOnDblClickOnly(false);
    m.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disabled, 1);
    m.SetWheelAction(waMoveSelection);
    m.SetWheelAction(waScroll);
    EXPECT_EQ(changed, 1);
}

TEST(MouseActions, AssignCopiesTheComboValues)
{
    TMouseActions a(nullptr), b(nullptr);
    a.FixedComboValues().Add("x");
    a.SetHotmailRowSelect(true);
    a.WheelIncrement = 3;
    int events = 0;
    b.OnInvalidate = [&](TObject*) { ++events; };
    b.Assign(&a);
    a.FixedComboValues().Add("y");
    ASSERT_EQ(b.FixedComboValues().Count(), 1);
    EXPECT_EQ(b.FixedComboValues()[0], "x");
    EXPECT_TRUE(b.HotmailRowSelect());
    EXPECT_EQ(b.WheelIncrement, 3);
    EXPECT_EQ(events, 0);
}

TEST(SyncGrid, NeverFollowsItsOwnGrid)
{
    TComponent owner, other;
    TSyncGrid s(&owner);
    s.SetGrid(&other);
    s.SetGrid(&owner);
    EXPECT_EQ(s.Grid(), &other);
    s.SetGrid(nullptr);
    EXPECT_EQ(s.Grid(), nullptr);

    // Assigning settings that follow this grid keeps the current one.
    TSyncGrid t(&other);
    t.SetGrid(&owner);
    s.SetGrid(&other);
    s.Assign(&t);
    EXPECT_EQ(s.Grid(), &other);
}

TEST(Bands, LengthsAndEvents)
{
    TBands b;
    int events = 0;
    b.OnChange = [&](TObject*) { ++events; };
    EXPECT_EQ(b.TotalLength(), 2);
    b.SetPrimaryLength(3);
    EXPECT_EQ(b.TotalLength(), 4);
    b.SetPrimaryColor(clRed);
    EXPECT_EQ(events, 0); // not active: no event

    b.SetActive(true);
    EXPECT_EQ(events, 1);
    b.SetSecondaryLength(2);
    EXPECT_EQ(b.TotalLength(), 5);
    EXPECT_EQ(events, 2);
    b.SetSecondaryLength(2); // unchanged
    b.SetActive(true);       // unchanged
    EXPECT_EQ(events, 2);

    TBands c;
    c.Assign(&b);
    EXPECT_EQ(c.TotalLength(), 5);
    EXPECT_TRUE(c.Active());
    EXPECT_EQ(c.PrimaryColor(), clRed);
}

TEST(GridSettings, AssignFromAnotherClassChangesNothing)
{
    TFont notSettings;
    TBands bands;
    bands.SetPrimaryLength(7);
    TNavigation nav;
    nav.AdvanceOnEnter = true;
    TSearchFooter footer(nullptr, true);
    TFocusHelper focus(nullptr);
    focus.Enabled = true;
    TMouseActions mouse(nullptr);
    mouse.RowSelect = true;
    TSyncGrid sync(nullptr);
    sync.MoveRow = true;

    for (TPersistent* p : std::initializer_list<TPersistent*>{&bands, &nav, &footer, &focus, &mouse, &sync}) {
        EXPECT_NO_THROW(p->Assign(&notSettings)) << p->ClassName();
        EXPECT_NO_THROW(p->Assign(nullptr)) << p->ClassName();
    }
    bands.Assign(&nav);
    EXPECT_EQ(bands.PrimaryLength(), 7);
    EXPECT_TRUE(nav.AdvanceOnEnter);
    EXPECT_EQ(footer.FindNextCaption(), "Find &next");
    EXPECT_TRUE(focus.Enabled);
    EXPECT_TRUE(mouse.RowSelect);
    EXPECT_TRUE(sync.MoveRow);
}
