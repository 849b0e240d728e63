// The application's exception handler: what an event handler lets out
// ends that handler only; the error box shows its message and the event
// loop goes on.
#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"
#include "platform/Timer.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {

// Runs the event loop until done() holds or two seconds pass.
bool RunUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done() && std::chrono::steady_clock::now() < end) Application_ProcessMessages();
    return done();
}

// An owner-drawn control whose mouse-up and paint may fail.
class Pad : public TCustomControl {
public:
    explicit Pad(TWinControl* parent) : TCustomControl(parent) {}
    const char* ClassName() const override { return "Pad"; }
    std::function<void()> onMouseUp;
    bool failPaint = false;
    int paints = 0;

protected:
    void MouseUp(TMouseButton, TShiftState, int, int) override
    {
        if (onMouseUp) onMouseUp();
    }
    // The left half is drawn, then the paint fails.
    void Paint() override
    {
        ++paints;
        Canvas().Brush().SetColor(clRed);
        Canvas().FillRect({0, 0, Width() / 2, Height()});
        if (failPaint) throw Exception("paint failed");
        Canvas().Brush().SetColor(clBlue);
        Canvas().FillRect({Width() / 2, 0, Width(), Height()});
    }
};

struct Window : ::testing::Test {
    RecordingMessageBoxes boxes;
    TForm form;
    Window()
    {
        form.SetClientSize(300, 200);
        form.ShowForm();
        ActivateWindowOf(form);
        Application_ProcessMessages();
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> t;
        for (const auto& s : boxes.shown) t.push_back(s.text);
        return t;
    }
};

using Texts = std::vector<std::string>;

} // namespace

// Every way the user reaches a handler: the failure shows one error box with
// its message and the same control answers the next input again.
TEST_F(Window, UserInputWhoseHandlerRaisesGivesOneErrorBoxAndTheProgramGoesOn)
{
    int calls = 0;
    auto fail = [&] {
        ++calls;
        throw Exception("handler failed " + std::to_string(calls));
    };
    struct Case {
        const char* what;
        std::function<void()> input;
    };
    auto* label = new TLabel(&form);
    label->SetCaption("Click here");
    label->OnClick = [&](TControl*) { fail(); };
    auto* check = new TCheckBox(&form);
    check->SetBounds(0, 30, 100, 20);
    check->OnClick = [&](TControl*) { fail(); };
    auto* pad = new Pad(&form);
    pad->SetBounds(0, 60, 40, 40);
    pad->onMouseUp = fail;
    auto* keyed = new TEdit(&form);
    keyed->SetBounds(0, 110, 100, 20);
    keyed->OnKeyDown = [&](TControl*, int& key, TShiftState) {
        if (key == VK_F5) fail();
    };
    auto* changed = new TEdit(&form);
    changed->SetBounds(0, 140, 100, 20);
    changed->OnChange = [&](TControl*) { fail(); };
    auto* list = new TListBox(&form);
    list->SetBounds(120, 0, 100, 80);
    list->Items().Assign({"a", "b"});
    list->OnClick = [&](TControl*) { fail(); };

    const Case cases[] = {
        {"label click", [&] { SendClick(*label, 2, 2); }},
        {"check box click", [&] { SendClick(*check, 5, 5); }},
        {"owner-drawn control click", [&] { SendClick(*pad, 5, 5); }},
        {"key handler", [&] {
             keyed->SetFocus();
             PressKey(form, VK_F5);
         }},
        {"change of a typed edit", [&] {
             changed->SetFocus();
             PressKey(form, 'A', {}, "a");
         }},
        {"click on a list item", [&] { SendClickItem(*list, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.shown.clear();
        const int before = calls;
        c.input();
        Application_ProcessMessages();
        ASSERT_EQ(calls, before + 1);
        ASSERT_EQ(Shown(), Texts{"handler failed " + std::to_string(before + 1)});
        EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
        EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbOK);
        // The loop goes on: the same input reaches the handler again.
        c.input();
        Application_ProcessMessages();
        EXPECT_EQ(calls, before + 2);
        EXPECT_EQ(boxes.shown.size(), 2u);
    }
    // The check box still toggles as before; nothing was left half done.
    EXPECT_FALSE(check->Checked());
}

TEST_F(Window, TimerWhoseHandlerRaisesGivesOneErrorBoxAndKeepsFiring)
{
    TTimer timer;
    int fires = 0;
    timer.SetInterval(5);
    timer.SetOnTimer([&] {
        if (++fires == 1) throw Exception("timer failed");
    });
    ASSERT_TRUE(RunUntil([&] { return fires >= 3; }));
    EXPECT_EQ(Shown(), Texts{"timer failed"});
    EXPECT_TRUE(timer.Running());
}

TEST_F(Window, PostedMessageWhoseHandlerRaisesGivesOneErrorBoxAndLaterOnesArrive)
{
    struct Grid : TStringGrid {
        std::vector<std::intptr_t> got;
        void WndProc(TMessage& m) override
        {
            if (m.Msg != WM_USER) return TStringGrid::WndProc(m);
            got.push_back(m.WParam);
            if (m.WParam == 1) throw Exception("posted message failed");
        }
    } grid;
    TGridView view(&grid, &form);
    grid.PostMessage(WM_USER, 1, 0);
    grid.PostMessage(WM_USER, 2, 0);
    ASSERT_TRUE(RunUntil([&] { return grid.got.size() >= 2; }));
    EXPECT_EQ(grid.got, (std::vector<std::intptr_t>{1, 2}));
    EXPECT_EQ(Shown(), Texts{"posted message failed"});
}

TEST_F(Window, ClosingAWindowWhoseHandlerRaisesReportsItAndTheWindowStays)
{
    TForm other;
    other.OnCloseQuery = [](TControl*, bool&) { throw Exception("cannot close"); };
    other.ShowForm();
    Application_ProcessMessages();
    SendCloseBox(other);
    Application_ProcessMessages();
    EXPECT_EQ(Shown(), Texts{"cannot close"});
    EXPECT_TRUE(other.Widget()->isVisible());
}

// A paint that fails keeps what it drew, lets nothing out and is reported
// once after the painting, not at every repaint.
TEST_F(Window, FailingPaintDrawsWhatItCanAndIsReportedOnce)
{
    auto* pad = new Pad(&form);
    pad->SetBounds(10, 10, 40, 20);
    pad->failPaint = true;
    for (int i = 0; i < 3; ++i) {
        pad->Repaint();
        Application_ProcessMessages();
    }
    ASSERT_TRUE(RunUntil([&] { return !boxes.shown.empty(); }));
    Application_ProcessMessages();
    EXPECT_GE(pad->paints, 3);
    EXPECT_EQ(Shown(), Texts{"paint failed"});

    const QImage shot = pad->Widget()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 10), QColor(Qt::red));

    // Once it paints again without failing, a later failure is news.
    pad->failPaint = false;
    pad->Repaint();
    Application_ProcessMessages();
    EXPECT_EQ(pad->Widget()->grab().toImage().pixelColor(30, 10), QColor(Qt::blue));
    pad->failPaint = true;
    pad->Repaint();
    ASSERT_TRUE(RunUntil([&] { return boxes.shown.size() == 2; }));
}

// A program that changes a control itself gets the handler's exception,
// as with a direct call; no error box comes between.
TEST_F(Window, ProgramChangesPassTheHandlersExceptionToTheCaller)
{
    auto* check = new TCheckBox(&form);
    check->OnClick = [](TControl*) { throw Exception("check handler"); };
    auto* edit = new TEdit(&form);
    edit->OnChange = [](TControl*) { throw Exception("edit handler"); };
    EXPECT_THROW(check->SetChecked(true), Exception);
    EXPECT_THROW(edit->SetText("x"), Exception);
    EXPECT_THROW(edit->TypeText("y"), Exception);
    Application_ProcessMessages();
    EXPECT_TRUE(boxes.shown.empty());
    // Nothing stays behind to surface at a later event.
    check->OnClick = nullptr;
    SendClick(*check, 5, 5);
    Application_ProcessMessages();
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Window, AbortEndsAHandlerWithoutAMessage)
{
    auto* label = new TLabel(&form);
    label->SetCaption("Abort");
    int after = 0;
    label->OnClick = [&](TControl*) {
        Abort();
    };
    SendClick(*label, 2, 2);
    TTimer timer;
    timer.SetInterval(1);
    timer.SetOnTimer([&] { ++after; });
    ASSERT_TRUE(RunUntil([&] { return after > 0; }));
    EXPECT_TRUE(boxes.shown.empty());
}
