// The pop-up of the drop-down edit driven as a person drives it: the
// button, the keys, presses elsewhere, the size grip and the wheel.

#include "support/FakeSeams.h"

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/PopupWindow.h"
#include "platform/Screens.h"
#include "platform/WindowImage.h"
#include "widgets/dropdown/DropDownForm.h"
#include "widgets/dropdown/ExDropDown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Logs the steps of the cycle in the order they run.
class RecordingDropDown : public TExCustomDropDown {
public:
    explicit RecordingDropDown(TWinControl* parent) : TExCustomDropDown(parent)
    {
        OnBeforeDropDown = [this](TControl*) { log.push_back("OnBeforeDropDown"); };
        OnDropDown = [this](TControl*, bool& accept) {
            log.push_back("OnDropDown");
            accept = acceptDrop;
        };
        OnBeforeDropUp = [this](TControl*) { log.push_back("OnBeforeDropUp"); };
        OnDropUp = [this](TControl*, bool cancelled) { log.push_back(cancelled ? "OnDropUp cancelled" : "OnDropUp"); };
    }
    void BeforeDropDown() override
    {
        log.push_back("BeforeDropDown");
        TExCustomDropDown::BeforeDropDown();
    }
    void AdaptDropDownSize() override
    {
        log.push_back("AdaptDropDownSize");
        TExCustomDropDown::AdaptDropDownSize();
    }
    void UpdateDropDownControl() override
    {
        log.push_back("UpdateDropDownControl");
        TExCustomDropDown::UpdateDropDownControl();
    }
    void AdjustDropDownHeight(int& Height) override
    {
        log.push_back("AdjustDropDownHeight");
        TExCustomDropDown::AdjustDropDownHeight(Height);
    }
    void FocusDropDownControl() override
    {
        log.push_back("FocusDropDownControl");
        TExCustomDropDown::FocusDropDownControl();
    }
    void HandleMouseWheelDown() override { ++wheelDown; }
    void HandleMouseWheelUp() override { ++wheelUp; }
    std::vector<std::string> log;
    bool acceptDrop = true;
    int wheelDown = 0, wheelUp = 0;
};

// A picker control that takes the focus.
class PickerStandIn : public TCustomControl {
public:
    explicit PickerStandIn(TWinControl* parent) : TCustomControl(parent) {}
    const char* ClassName() const override { return "PickerStandIn"; }
};

struct Fixture {
    Fixture()
    {
        form.SetClientSize(400, 300);
        edit = new RecordingDropDown(&form);
        edit->SetBounds(20, 20, 200, 21);
        form.ShowForm();
        ActivateWindowOf(form);
        edit->SetFocus();
    }
    TDropDownForm& Popup() { return *edit->DropDownForm(); }
    void ClickButton()
    {
        TExDropDownSpeedButton& b = *edit->Button()->Button();
        SendMouseDown(b, 5, 5);
        SendMouseUp(b, 5, 5);
    }
    TPoint EditOnScreen() { return ControlToScreen(*edit, {0, 0}); }
    void HideStrips()
    {
        edit->DropDownHeader().SetVisible(false);
        edit->DropDownFooter().SetVisible(false);
    }
    TForm form;
    RecordingDropDown* edit;
};

// The work area the pop-up is placed in, while alive.
class WorkArea {
public:
    explicit WorkArea(TRect r) : previous_(SetWorkAreaSource([r](TPoint) { return r; })) {}
    ~WorkArea() { SetWorkAreaSource(previous_); }

private:
    TWorkAreaSource previous_;
};

} // namespace

TEST(DropDownCycle, StepsRunInOrder)
{
    Fixture f;
    f.ClickButton();
    ASSERT_TRUE(f.edit->DroppedDown());
    const std::vector<std::string> expected = {"BeforeDropDown",        "OnBeforeDropDown", "AdaptDropDownSize",
                                               "UpdateDropDownControl", "OnDropDown",       "AdjustDropDownHeight",
                                               "FocusDropDownControl"};
    EXPECT_EQ(f.edit->log, expected);
    EXPECT_TRUE(f.Popup().Visible());
    EXPECT_TRUE(IsActiveWindow(f.Popup()));
    f.edit->log.clear();
    f.edit->HideDropDown(false);
    EXPECT_EQ(f.edit->log, (std::vector<std::string>{"OnBeforeDropUp", "OnDropUp"}));
    EXPECT_FALSE(f.edit->DroppedDown());
    EXPECT_FALSE(f.Popup().Visible());
    EXPECT_TRUE(f.edit->Focused()) << "the edit takes the focus back";
}

TEST(DropDownCycle, VetoAndRefusals)
{
    Fixture f;
    f.edit->acceptDrop = false;
    f.ClickButton();
    EXPECT_FALSE(f.edit->DroppedDown());
    EXPECT_FALSE(f.Popup().Visible());
    ASSERT_FALSE(f.edit->log.empty());
    EXPECT_EQ(f.edit->log[1], "OnBeforeDropDown");

    f.edit->acceptDrop = true;
    f.edit->log.clear();
    f.edit->SetReadOnly(true);
    f.edit->ShowDropDown();
    EXPECT_FALSE(f.edit->DroppedDown());
    f.edit->SetReadOnly(false);
    f.edit->SetEnabled(false);
    f.edit->ShowDropDown();
    EXPECT_FALSE(f.edit->DroppedDown());
    EXPECT_TRUE(f.edit->log.empty());
}

TEST(DropDownCycle, SizeFromTheControlTheStripsAndTheEdit)
{
    {
        Fixture f;
        f.HideStrips();
        f.edit->SetWidth(60);
        f.edit->ShowDropDown();
        EXPECT_EQ(f.Popup().Width(), 80);
        EXPECT_EQ(f.Popup().Height(), 50);
    }
    {
        Fixture f;
        f.HideStrips();
        f.edit->ShowDropDown();
        EXPECT_EQ(f.Popup().Width(), 200);
        EXPECT_EQ(f.Popup().Height(), 50);
    }
    {
        Fixture f;
        auto* picker = new PickerStandIn(&f.form);
        picker->SetBounds(0, 0, 150, 100);
        f.edit->SetControl(picker);
        f.edit->ShowDropDown();
        EXPECT_EQ(f.Popup().Width(), 150);
        EXPECT_EQ(f.Popup().Height(), 2 + 22 + 22 + 100);
        EXPECT_EQ(picker->Parent(), &f.Popup());
        EXPECT_EQ(picker->Top(), 1 + 22);
        EXPECT_EQ(picker->Height(), 100);
        EXPECT_EQ(f.Popup().Header()->Top(), 1);
        EXPECT_EQ(f.Popup().Footer()->Top(), 146 - 1 - 22);
    }
    {
        Fixture f;
        f.edit->SetDropDownWidth(250);
        f.edit->SetDropDownHeight(120);
        f.edit->ShowDropDown();
        EXPECT_EQ(f.Popup().Width(), 250);
        EXPECT_EQ(f.Popup().Height(), 120);
    }
}

TEST(DropDownCycle, Placement)
{
    {
        Fixture f;
        const TPoint P = f.EditOnScreen();
        WorkArea area(Rect(P.X - 100, P.Y - 500, P.X + 1000, P.Y + 1000));
        f.edit->ShowDropDown();
        EXPECT_EQ(f.Popup().Left(), P.X);
        EXPECT_EQ(f.Popup().Top(), P.Y + 21 - 1) << "over the edit's last pixel row";
    }
    {
        Fixture f;
        const TPoint P = f.EditOnScreen();
        WorkArea area(Rect(P.X - 100, P.Y - 500, P.X + 1000, P.Y + 21 + 20));
        f.edit->ShowDropDown();
        EXPECT_EQ(f.Popup().Top() + f.Popup().Height(), P.Y) << "above the edit";
    }
    {
        Fixture f;
        const TPoint P = f.EditOnScreen();
        WorkArea area(Rect(P.X - 100, P.Y - 500, P.X + 150, P.Y + 1000));
        f.edit->ShowDropDown();
        EXPECT_EQ(f.Popup().Left() + f.Popup().Width(), P.X + 150);
    }
    for (TDropPosition pos : {dpDown, dpUp}) {
        Fixture f;
        const TPoint P = f.EditOnScreen();
        WorkArea area(Rect(P.X - 100, P.Y - 10, P.X + 1000, P.Y + 30));
        f.edit->SetDropPosition(pos);
        f.edit->ShowDropDown();
        if (pos == dpDown)
            EXPECT_EQ(f.Popup().Top(), P.Y + 20);
        else
            EXPECT_EQ(f.Popup().Top() + f.Popup().Height(), P.Y);
    }
}

TEST(DropDownCycle, ScreensWithNegativeCoordinates)
{
    Fixture f;
    f.form.SetBounds(-700, 100, f.form.Width(), f.form.Height());
    const TPoint P = f.EditOnScreen();
    ASSERT_LT(P.X, 0);
    // A second screen left of the primary one.
    WorkArea area(Rect(-800, 0, P.X + 100, 1000));
    f.edit->ShowDropDown();
    EXPECT_EQ(f.Popup().Left() + f.Popup().Width(), P.X + 100);
    EXPECT_EQ(f.Popup().Top(), P.Y + 20);
}

TEST(DropDownCycle, TheUsersSizeIsRemembered)
{
    Fixture f;
    f.edit->SetDropDownHeight(120);
    f.ClickButton();
    TDropDownForm& p = f.Popup();
    ASSERT_TRUE(p.Visible());
    ASSERT_EQ(p.Width(), 200);
    ASSERT_EQ(p.Height(), 120);
    TExFooter& footer = *p.Footer();
    const int gx = footer.Width() - 5, gy = footer.Height() - 5;
    int sizings = 0;
    p.OnSizing = [&](TControl*) { ++sizings; };
    SendMouseDown(footer, gx, gy);
    SendMouseMove(footer, gx + 100, gy + 50);
    SendMouseUp(footer, gx + 100, gy + 50);
    EXPECT_EQ(p.Width(), 300);
    EXPECT_EQ(p.Height(), 170);
    EXPECT_EQ(sizings, 1);
    f.edit->HideDropDown(false);
    f.edit->ShowDropDown();
    EXPECT_EQ(p.Width(), 300);
    EXPECT_EQ(p.Height(), 170);

    // Never below 80 x 50.
    SendMouseDown(*p.Footer(), p.Footer()->Width() - 5, p.Footer()->Height() - 5);
    SendMouseMove(*p.Footer(), -1000, -1000);
    SendMouseUp(*p.Footer(), -1000, -1000);
    EXPECT_EQ(p.Width(), 80);
    EXPECT_EQ(p.Height(), 50);
    f.edit->HideDropDown(false);

    // A new designed height forgets the user's height, not the width.
    f.edit->SetDropDownHeight(140);
    f.edit->ShowDropDown();
    EXPECT_EQ(p.Width(), 80);
    EXPECT_EQ(p.Height(), 140);
    f.edit->HideDropDown(false);
    EXPECT_EQ(f.edit->UserDropDownHeight(), 140) << "the size at closing is remembered too";
}

TEST(DropDownCycle, OwnCornerSizesASizeablePopUp)
{
    Fixture f;
    f.HideStrips();
    f.edit->SetDropDownHeight(100);
    f.edit->ShowDropDown();
    TDropDownForm& p = f.Popup();
    SendMouseDown(p, 195, 95);
    SendMouseMove(p, 215, 105);
    SendMouseUp(p, 215, 105);
    EXPECT_EQ(p.Width(), 200) << "not sizeable";
    p.SetSizeable(true);
    SendMouseDown(p, 195, 95);
    SendMouseMove(p, 215, 105);
    SendMouseUp(p, 215, 105);
    EXPECT_EQ(p.Width(), 220);
    EXPECT_EQ(p.Height(), 110);
}

TEST(DropDownCycle, ReopenGuardAndDeactivation)
{
    FakeTickClock clock;
    Fixture f;
    f.edit->SetText("abc");
    TypeKeys(f.form, "x");
    ASSERT_NE(f.edit->Text(), "abc");
    f.ClickButton();
    ASSERT_TRUE(f.edit->DroppedDown());

    // The press on the button while open takes the activation away: the
    // pop-up closes cancelled; the release does not open it again.
    f.ClickButton();
    EXPECT_FALSE(f.edit->DroppedDown());
    EXPECT_EQ(f.edit->Text(), "abc");
    EXPECT_EQ(f.edit->log.back(), "OnDropUp cancelled");
    clock.Advance(200);
    f.ClickButton();
    EXPECT_FALSE(f.edit->DroppedDown());
    clock.Advance(100);
    f.ClickButton();
    EXPECT_TRUE(f.edit->DroppedDown());

    // A press on another window of the program closes it.
    TForm other;
    other.SetClientSize(100, 100);
    auto* panel = new TPanel(&other);
    panel->SetBounds(0, 0, 100, 100);
    other.ShowForm();
    ActivateWindowOf(f.Popup());
    f.edit->SetTextDirect("picked");
    SendMouseDown(*panel, 5, 5);
    SendMouseUp(*panel, 5, 5);
    EXPECT_FALSE(f.edit->DroppedDown());
    EXPECT_EQ(f.edit->Text(), "abc");

    clock.Advance(1000);
    f.ClickButton();
    ASSERT_TRUE(f.edit->DroppedDown());
    f.Popup().SetCancelOnDeActivate(false);
    f.edit->SetTextDirect("picked");
    SendMouseDown(*panel, 5, 5);
    SendMouseUp(*panel, 5, 5);
    EXPECT_FALSE(f.edit->DroppedDown());
    EXPECT_EQ(f.edit->Text(), "picked");
    EXPECT_EQ(f.edit->log.back(), "OnDropUp");
}

TEST(DropDownCycle, AClickOnAnEditThatTakesNoTextOpens)
{
    Fixture f;
    f.edit->SetEditorEnabled(false);
    SendMouseDown(*f.edit, 30, 10);
    SendMouseUp(*f.edit, 30, 10);
    EXPECT_TRUE(f.edit->DroppedDown());
}

TEST(DropDownCycle, KeysAndWheelReachTheEdit)
{
    Fixture f;
    auto* picker = new PickerStandIn(&f.form);
    picker->SetBounds(0, 0, 150, 100);
    f.edit->SetControl(picker);
    f.edit->SetFocusControl(picker);
    std::vector<int> downs, ups;
    f.edit->OnKeyDown = [&](TControl*, int& Key, TShiftState) { downs.push_back(Key); };
    f.edit->OnKeyUp = [&](TControl*, int& Key, TShiftState) { ups.push_back(Key); };
    f.ClickButton();
    ASSERT_TRUE(f.edit->DroppedDown());
    ASSERT_TRUE(picker->Focused());
    PressKey(f.Popup(), 'Q');
    EXPECT_EQ(downs, std::vector<int>{'Q'});
    EXPECT_EQ(ups, std::vector<int>{'Q'});

    SendMouseWheel(f.Popup(), -120, 10, 10);
    EXPECT_EQ(f.edit->wheelDown, 1);
    SendMouseWheel(f.Popup(), 120, 10, 10);
    EXPECT_EQ(f.edit->wheelUp, 1);

    // Alt+Up in the pop-up closes it, not cancelled.
    PressKey(f.Popup(), VK_UP, {ssAlt});
    EXPECT_FALSE(f.edit->DroppedDown());
    EXPECT_EQ(f.edit->log.back(), "OnDropUp");
    ASSERT_TRUE(f.edit->Focused());
    downs.clear();
    PressKey(f.form, VK_DOWN, {ssAlt});
    EXPECT_TRUE(f.edit->DroppedDown());
    EXPECT_EQ(downs, std::vector<int>{VK_DOWN});
}

TEST(DropDownCycle, PopUpPicture)
{
    Fixture f;
    f.HideStrips();
    f.edit->SetDropDownWidth(200);
    f.edit->SetDropDownHeight(100);
    f.edit->SetDropDownColor(0x000000);
    f.edit->SetDropDownColorTo(0xFFFFFF);
    f.edit->SetDropDownGradient(gdHorizontal);
    f.edit->SetDropDownBorderWidth(1);
    f.edit->SetDropDownBorderColor(0x0000FF);
    f.edit->ShowDropDown();
    TBitmap p = ControlImage(&f.Popup());
    ASSERT_EQ(p.Width(), 200);
    EXPECT_EQ(p.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(p.Pixel(199, 99), 0x0000FFu);
    EXPECT_EQ(p.Pixel(1, 50), 0x000000u);
    EXPECT_EQ(p.Pixel(198, 50), RGB(252, 252, 252));
    f.edit->HideDropDown(false);

    f.edit->SetDropDownColor(0x123456);
    f.edit->SetDropDownColorTo(clNone);
    f.edit->ShowDropDown();
    p = ControlImage(&f.Popup());
    for (int x = 1; x < 199; x += 9) ASSERT_EQ(p.Pixel(x, 50), 0x123456u) << x;
}
