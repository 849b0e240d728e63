#include "platform/CategoryPanels.h"
#include "platform/SysUtils.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct GroupFixture : ::testing::Test {
    QWidget window;
    TCategoryPanelGroup group{&window};

    TCategoryPanel* Add(const std::string& name, int height)
    {
        auto* p = group.AddPanel(name);
        p->SetHeight(height);
        return p;
    }
    std::vector<std::string> Order() const
    {
        std::vector<std::string> r;
        for (auto* p : group.StackedPanels()) r.push_back(p->Name());
        return r;
    }
    // The stack is closed: every panel starts where the one above ends.
    void ExpectClosedStack() const
    {
        int y = 0;
        for (auto* p : group.StackedPanels()) {
            EXPECT_EQ(p->Top(), y) << p->Name();
            EXPECT_EQ(p->Widget()->y(), y) << p->Name();
            EXPECT_EQ(p->Widget()->height(), p->Height()) << p->Name();
            y += p->Height();
        }
        EXPECT_EQ(group.StackHeight(), y);
    }
    static void Click(QWidget* w, int x, int y)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), w->mapToGlobal(QPointF(x, y)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(x, y), w->mapToGlobal(QPointF(x, y)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    }
};

TEST_F(GroupFixture, StacksVisiblePanelsByTopWithoutGaps)
{
    window.resize(460, 400);
    group.SetBounds(0, 0, 460, 400);
    auto* a = Add("A", 67);
    auto* b = Add("B", 206);
    auto* c = Add("C", 67);
    auto* d = Add("D", 100);
    EXPECT_EQ(group.HeaderHeight(), 24);
    for (auto* p : {a, b, c, d}) p->SetVisible(false);

    // Show three in an order of their own, as a window's panel order does.
    for (auto* p : {c, a, d}) p->SetVisible(true);
    c->SetTop(0);
    a->SetTop(c->Top() + c->Height());
    d->SetTop(a->Top() + a->Height());
    EXPECT_EQ(Order(), (std::vector<std::string>{"C", "A", "D"}));
    ExpectClosedStack();
    EXPECT_EQ(d->Top(), 134);

    // A height change moves the panels below; the hidden one takes no room.
    a->SetHeight(120);
    EXPECT_EQ(d->Top(), 187);
    ExpectClosedStack();
    EXPECT_FALSE(b->Visible());

    // Moving a panel to the top puts it before the others.
    d->SetTop(0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"D", "C", "A"}));
    ExpectClosedStack();
}

TEST_F(GroupFixture, CollapsedPanelShowsOnlyItsHeaderAndKeepsItsHeight)
{
    window.resize(460, 400);
    group.SetBounds(0, 0, 460, 400);
    auto* a = Add("A", 150);
    auto* b = Add("B", 80);
    a->Collapse();
    EXPECT_TRUE(a->Collapsed());
    EXPECT_EQ(a->Height(), 24);
    EXPECT_EQ(b->Top(), 24);
    EXPECT_FALSE(a->Body()->isVisible());

    // Height set while collapsed shows on expansion.
    a->SetHeight(291);
    EXPECT_EQ(a->Height(), 24);
    EXPECT_EQ(a->ExpandedHeight(), 291);
    a->Expand();
    EXPECT_EQ(a->Height(), 291);
    EXPECT_EQ(b->Top(), 291);
    ExpectClosedStack();

    group.SetHeaderHeight(30);
    a->Collapse();
    EXPECT_EQ(a->Height(), 30);
    EXPECT_EQ(a->Body()->y(), 30);
}

TEST_F(GroupFixture, HeaderClickTogglesAndFiresExpandOnlyWhenEnabled)
{
    window.resize(460, 400);
    group.SetBounds(0, 0, 460, 400);
    window.show();
    auto* a = Add("A", 150);
    std::vector<std::string> events;
    a->OnExpand = [&](TCategoryPanel*) { events.push_back("expand"); };
    a->OnCollapse = [&](TCategoryPanel*) { events.push_back("collapse"); };

    Click(a->Widget(), 100, 60); // in the body: nothing
    EXPECT_FALSE(a->Collapsed());
    Click(a->Widget(), 100, 10);
    EXPECT_TRUE(a->Collapsed());
    Click(a->Widget(), 440, 12);
    EXPECT_FALSE(a->Collapsed());
    EXPECT_EQ(events, (std::vector<std::string>{"collapse", "expand"}));

    a->Collapse();
    a->SetEnabled(false);
    events.clear();
    Click(a->Widget(), 100, 10);
    a->HeaderClick();
    EXPECT_TRUE(a->Collapsed());
    EXPECT_TRUE(events.empty());
    // The program may still expand it.
    a->Expand();
    EXPECT_FALSE(a->Collapsed());
    EXPECT_EQ(events, (std::vector<std::string>{"expand"}));
}

TEST_F(GroupFixture, ScrollsByLinesWithinTheStack)
{
    window.resize(460, 300);
    group.SetBounds(0, 0, 460, 200);
    window.show();
    for (int i = 0; i < 5; ++i) Add("P" + std::to_string(i), 120);
    QApplication::processEvents();
    ASSERT_EQ(group.StackHeight(), 600);

    struct Step {
        int code;
        int expected;
    };
    const int inc = group.VertScrollIncrement();
    const Step steps[] = {
        {SB_LINEUP, 0},           // already at the top
        {SB_LINEDOWN, inc},       //
        {SB_ENDSCROLL, inc},      // ends a scroll, moves nothing
        {SB_LINEDOWN, 2 * inc},   //
        {SB_LINEUP, inc},         //
        {SB_BOTTOM, 600 - group.ClientHeight()},
        {SB_LINEDOWN, 600 - group.ClientHeight()}, // clamped at the end
    };
    for (const auto& s : steps) {
        group.VScroll(s.code);
        EXPECT_EQ(group.VertScrollPos(), s.expected) << "code " << s.code;
    }
}

TEST_F(GroupFixture, WindowWheelTurnsReachTheHandlerAndCanBeSwallowed)
{
    window.resize(460, 300);
    group.SetBounds(0, 50, 460, 200);
    auto* a = Add("A", 400);
    auto* edit = new QLineEdit(a->Body());
    edit->setGeometry(10, 10, 100, 21);
    QWidget other; // another window: not ours
    window.show();
    other.show();

    struct Seen {
        int delta, x, y;
    };
    std::vector<Seen> seen;
    bool handled = true;
    group.OnWindowMouseWheel = [&](int delta, int x, int y) {
        seen.push_back({delta, x, y});
        return handled;
    };
    auto wheel = [](QWidget* w, int delta) {
        const QPointF local(5, 5);
        QWheelEvent ev(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        return QApplication::sendEvent(w, &ev);
    };

    wheel(edit, -120);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].delta, -120);
    const QPoint g = edit->mapToGlobal(QPoint(5, 5));
    EXPECT_EQ(seen[0].x, g.x());
    EXPECT_EQ(seen[0].y, g.y());
    int cx = seen[0].x, cy = seen[0].y;
    group.ScreenToClient(cx, cy);
    EXPECT_EQ(cx, 10 + 5);
    EXPECT_EQ(cy, 24 + 10 + 5);

    wheel(&window, 120);
    EXPECT_EQ(seen.size(), 2u);
    wheel(&other, 120);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(GroupFixture, PanelsIndexIsChecked)
{
    Add("A", 50);
    EXPECT_EQ(group.Panels(0)->Name(), "A");
    EXPECT_THROW(group.Panels(1), EListError);
    EXPECT_THROW(group.Panels(-1), EListError);
}

} // namespace
