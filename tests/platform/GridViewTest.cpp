// The grid's window on the offscreen platform: window-system input turned
// into the class library's sequence, painting, scroll bars, posted messages.
#include "platform/Application.h"
#include "platform/GridView.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QAbstractScrollArea>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void SendMouse(QWidget* w, QEvent::Type t, QPoint p, Qt::MouseButtons buttons)
{
    QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct ViewFixture : ::testing::Test {
    TStringGrid grid;
    std::unique_ptr<TGridView> view;
    ViewFixture()
    {
        grid.SetColCount(10);
        grid.SetRowCount(100);
        view = std::make_unique<TGridView>(&grid);
        view->SetBounds(0, 0, 420, 300);
        view->Show();
        view->Widget()->setFocus();
        Application_ProcessMessages();
    }
    ~ViewFixture() override { view.reset(); }
};

TEST_F(ViewFixture, KeysArriveAsTheClassLibrarysSequence)
{
    std::vector<std::string> seen;
    grid.OnKeyDown = [&](TObject*, int& k, TShiftState s) {
        seen.push_back("down " + std::to_string(k) + (s.Contains(ssCtrl) ? "+ctrl" : ""));
    };
    grid.OnKeyPress = [&](TObject*, TKeyChar& c) { seen.push_back("press " + std::to_string(int(c))); };
    grid.OnKeyUp = [&](TObject*, int& k, TShiftState) { seen.push_back("up " + std::to_string(k)); };
    QWidget* w = view->Widget();
    SendKey(w, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);
    int page = grid.VisibleRowCount();
    SendKey(w, Qt::Key_PageDown);
    EXPECT_EQ(grid.Row(), 2 + page);
    SendKey(w, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.TopRow(), 1);
    SendKey(w, Qt::Key_A, Qt::ControlModifier, "\x01");
    SendKey(w, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(seen, (std::vector<std::string>{"down 40", "up 40", "down 34", "up 34", "down 36+ctrl", "up 36",
                                              "down 65+ctrl", "press 1", "up 65", "down 13", "press 13", "up 13"}));
}

TEST_F(ViewFixture, DraggingAColumnBorderBy10PixelsWidensItBy10)
{
    grid.SetOptions(grid.Options() + goColSizing);
    QWidget* vp = view->Viewport();
    int border = grid.CellRect(1, 0).Right;
    int before = grid.ColWidths(1);
    SendMouse(vp, QEvent::MouseButtonPress, {border, 8}, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, {border + 5, 8}, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, {border + 10, 8}, Qt::LeftButton);
    // While tracking, the paint draws the sizing line at the new border.
    QImage shot = vp->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(border + 10, 150)), QColor(Qt::black));
    SendMouse(vp, QEvent::MouseButtonRelease, {border + 10, 8}, Qt::NoButton);
    EXPECT_EQ(grid.ColWidths(1), before + 10);
}

TEST_F(ViewFixture, PaintsVisibleCellsThroughDrawCell)
{
    int drawn = 0, fixedDrawn = 0;
    grid.SetCells(1, 1, "Hello");
    grid.OnDrawCell = [&](TObject*, int, int, const TRect&, TGridDrawState st) {
        ++drawn;
        fixedDrawn += st.Contains(gdFixed);
    };
    QImage shot = view->Viewport()->grab().toImage();
    int cols = grid.FixedCols() + grid.VisibleColCount() + 1;  // with the partly visible one
    EXPECT_GE(drawn, (grid.VisibleRowCount() + 1) * grid.VisibleColCount());
    EXPECT_LE(drawn, (grid.VisibleRowCount() + 2) * cols);
    EXPECT_GT(fixedDrawn, 0);
    // The text of cell (1, 1) left ink in its rectangle.
    TRect r = grid.CellRect(1, 1);
    bool ink = false;
    for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
        for (int x = r.Left + 2; x < r.Right - 2; ++x) ink |= QColor(shot.pixel(x, y)).lightness() < 100;
    EXPECT_TRUE(ink);
}

TEST_F(ViewFixture, ScrollBarsFollowTheTopRowAndMoveIt)
{
    auto* area = static_cast<QAbstractScrollArea*>(view->Widget());
    QScrollBar* v = area->verticalScrollBar();
    EXPECT_EQ(v->minimum(), 1);
    EXPECT_EQ(v->maximum(), 100 - grid.VisibleRowCount());  // last page fully shown
    v->setValue(40);
    EXPECT_EQ(grid.TopRow(), 40);
    grid.SetTopRow(7);
    EXPECT_EQ(v->value(), 7);
    QWheelEvent wheel(QPointF(50, 50), view->Viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->Viewport(), &wheel);
    EXPECT_EQ(grid.Row(), 2);  // the wheel moves the current row, into view
    EXPECT_EQ(grid.TopRow(), 2);
}

TEST_F(ViewFixture, KeptScrollBarsShowGreyedWhileTheirContentFits)
{
    auto* area = static_cast<QAbstractScrollArea*>(view->Widget());
    QScrollBar* h = area->horizontalScrollBar();
    QScrollBar* v = area->verticalScrollBar();
    grid.SetColCount(2);
    grid.SetRowCount(3);
    Application_ProcessMessages();
    EXPECT_FALSE(h->isVisible());
    EXPECT_FALSE(v->isVisible());

    grid.SetScrollBarsKept(false, true);
    Application_ProcessMessages();
    EXPECT_TRUE(v->isVisible());
    EXPECT_FALSE(v->isEnabled());
    EXPECT_FALSE(h->isVisible());

    // Content that does not fit: the kept bar works as any other.
    grid.SetRowCount(100);
    Application_ProcessMessages();
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(v->isEnabled());

    grid.SetRowCount(3);
    grid.SetScrollBarsKept(false, false);
    Application_ProcessMessages();
    EXPECT_FALSE(v->isVisible());
}

struct Listener : TStringGrid {
    std::vector<std::intptr_t> got;
    unsigned id = RegisterWindowMessage("GridEditDone");
    void WndProc(TMessage& m) override
    {
        if (m.Msg == id) got.push_back(m.WParam * 1000 + m.LParam);
        TStringGrid::WndProc(m);
    }
};

TEST(GridViewTest, PostedMessageArrivesOnlyWhenTheEventLoopRuns)
{
    Listener g;
    TGridView v(&g);
    g.PostMessage(g.id, 3, 7);
    EXPECT_TRUE(g.got.empty());
    Application_ProcessMessages();
    EXPECT_EQ(g.got, (std::vector<std::intptr_t>{3007}));
}

TEST_F(ViewFixture, TypingEditsInTheTextFieldAndEnterStores)
{
    grid.SetOptions(grid.Options() + goEditing);
    SendKey(view->Widget(), Qt::Key_X, Qt::NoModifier, "x");
    ASSERT_NE(view->EditorWidget(), nullptr);
    auto* field = static_cast<QLineEdit*>(view->EditorWidget());
    EXPECT_TRUE(field->isVisible());
    EXPECT_EQ(field->text(), "x");
    SendKey(field, Qt::Key_Y, Qt::NoModifier, "y");
    EXPECT_EQ(field->text(), "xy");
    SendKey(field, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(field->isVisible());
    EXPECT_EQ(grid.Cells(1, 1), "xy");
    // Down in the field leaves the cell (stored) and moves on.
    SendKey(view->Widget(), Qt::Key_F2);
    SendKey(field, Qt::Key_Z, Qt::NoModifier, "z");
    SendKey(field, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Cells(1, 1), "xyz");
}

TEST(GridViewTest, GridDestroyedBeforeItsWindowLeavesAnInertWindow)
{
    auto g = std::make_unique<TStringGrid>();
    TGridView v(g.get());
    v.Show();
    g->PostMessage(WM_USER + 1, 0, 0);
    g.reset();
    Application_ProcessMessages();  // the posted message finds no grid
    QImage shot = v.Viewport()->grab().toImage();
    SendKey(v.Widget(), Qt::Key_Down);
    EXPECT_EQ(v.Grid(), nullptr);
}

TEST(InputSeamTest, KeyStateAndBeepAnswerFromTheInstalledSources)
{
    auto old = SetKeyStateSource([](int vk) { return short(vk == VK_SHIFT ? 0x8000 : 0); });
    EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);
    SetKeyStateSource(old);
    int beeps = 0;
    auto prev = SetBeepHandler([&] { ++beeps; });
    Beep();
    SetBeepHandler(prev);
    EXPECT_EQ(beeps, 1);
}

TEST(KeyTranslationTest, QtKeysAndControlCharacters)
{
    struct Case {
        int qt;
        bool keypad;
        int vk;
    } keys[] = {{Qt::Key_Down, false, VK_DOWN},   {Qt::Key_PageDown, false, VK_NEXT}, {Qt::Key_Return, false, VK_RETURN},
                {Qt::Key_Enter, false, VK_RETURN}, {Qt::Key_A, false, 'A'},          {Qt::Key_7, true, VK_NUMPAD0 + 7},
                {Qt::Key_7, false, '7'},           {Qt::Key_F2, false, VK_F2},       {Qt::Key_Backtab, false, VK_TAB},
                {Qt::Key_Minus, true, VK_SUBTRACT}, {Qt::Key_Comma, false, VK_OEM_COMMA}, {Qt::Key_unknown, false, 0}};
    for (auto k : keys) EXPECT_EQ(VirtualKeyFromQtKey(k.qt, k.keypad), k.vk) << k.qt;
    struct Chars {
        int vk;
        TShiftState s;
        std::u16string text;
        TKeyChar want;
    } chars[] = {{VK_RETURN, {}, u"\r", 13}, {VK_ESCAPE, {}, u"\x1b", 27}, {VK_BACK, {}, u"\b", 8},
                 {'C', {ssCtrl}, u"", 3},    {'A', {}, u"a", u'a'},        {'A', {ssShift}, u"A", u'A'},
                 {'A', {ssAlt}, u"a", 0},    {VK_LEFT, {}, u"", 0},        {'E', {}, u"é", u'é'}};
    for (auto c : chars) EXPECT_EQ(KeyPressChar(c.vk, c.s, c.text), c.want) << c.vk;
}

}  // namespace
