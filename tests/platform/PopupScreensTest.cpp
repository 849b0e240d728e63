// Activating pop-ups, the screens and the pointer, the parent's background
// under a control, and the owner-drawn control's wheel, size and click
// focus hooks.

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/MaskEdit.h"
#include "platform/PopupWindow.h"
#include "platform/Screens.h"
#include "platform/WindowImage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Probe : public TCustomControl {
public:
    explicit Probe(TWinControl* parent) : TCustomControl(parent) {}
    const char* ClassName() const override { return "Probe"; }
    using TCustomControl::SetFocusOnClick;
    std::vector<int> wheels;
    int resized = 0;
    bool takeWheel = true;

protected:
    bool MouseWheel(TShiftState, int delta, int, int) override
    {
        wheels.push_back(delta);
        return takeWheel;
    }
    void Resized() override { ++resized; }
    void Paint() override
    {
        PaintParentBackground(*this, Canvas());
        Canvas().Brush().SetColor(clRed);
        Canvas().FillRect(Rect(0, 0, 4, 4));
    }
};

} // namespace

TEST(Screens, WorkAreaAndPointerSeams)
{
    const TWorkAreaSource old = SetWorkAreaSource([](TPoint p) { return Rect(p.X - 1, p.Y - 1, p.X + 1, p.Y + 1); });
    EXPECT_EQ(ScreenWorkAreaAt({-500, 20}), Rect(-501, 19, -499, 21));
    SetWorkAreaSource(old);
    EXPECT_FALSE(IsRectEmpty(ScreenWorkAreaAt({10, 10}))) << "the platform's screen";
    EXPECT_FALSE(IsRectEmpty(ScreenWorkAreaAt({-100000, -100000}))) << "the nearest screen";

    const TCursorPosSource previous = SetCursorPosSource([] { return TPoint{12, 34}; });
    EXPECT_EQ(GetCursorPos(), (TPoint{12, 34}));
    SetCursorPosSource(previous);

    TForm form;
    form.SetClientSize(100, 100);
    auto* p = new Probe(&form);
    p->SetBounds(10, 20, 30, 30);
    form.ShowForm();
    const TPoint s = ControlToScreen(*p, {3, 4});
    EXPECT_EQ(ScreenToControl(*p, s), (TPoint{3, 4}));
    EXPECT_EQ(ControlToScreen(form, {13, 24}), s);
}

TEST(CustomControl, WheelSizeAndClickFocus)
{
    TForm form;
    form.SetClientSize(200, 100);
    auto* p = new Probe(&form);
    p->SetBounds(10, 10, 50, 50);
    SendMouseWheel(*p, -120, 5, 5);
    EXPECT_EQ(p->wheels, std::vector<int>{-120});

    form.ShowForm();
    const int before = p->resized;
    p->SetWidth(70);
    EXPECT_GT(p->resized, before);
    ActivateWindowOf(form);
    auto* other = new Probe(&form);
    other->SetBounds(100, 10, 50, 50);
    other->SetFocus();
    p->SetFocusOnClick(false);
    SendClick(*p, 5, 5);
    EXPECT_TRUE(other->Focused()) << "a click leaves the focus";
    p->SetFocus();
    EXPECT_TRUE(p->Focused()) << "the program still gives it the focus";
    p->SetFocusOnClick(true);
    other->SetFocus();
    SendClick(*p, 5, 5);
    EXPECT_TRUE(p->Focused());
}

TEST(WindowImage, ParentBackgroundUnderAControl)
{
    TForm form;
    form.SetColor(0x204060);
    form.SetClientSize(100, 60);
    auto* p = new Probe(&form);
    p->SetBounds(10, 10, 40, 20);
    form.ShowForm();
    const TBitmap b = ControlImage(p);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(20, 10), 0x204060u);
    EXPECT_EQ(b.Pixel(39, 19), 0x204060u);
}

TEST(MaskEdit, ModifiedByTheUserOnly)
{
    TForm form;
    auto* e = new TCustomMaskEdit(&form);
    form.ShowForm();
    ActivateWindowOf(form);
    e->SetFocus();
    e->SetText("abc");
    EXPECT_FALSE(e->Modified());
    TypeKeys(form, "x");
    EXPECT_TRUE(e->Modified());
    e->SetText("new");
    EXPECT_FALSE(e->Modified());
    e->SetModified(true);
    EXPECT_TRUE(e->Modified());
}

TEST(ActivePopup, ActivatesClosesOnAPressElsewhereAndGivesTheActivationBack)
{
    TForm owner;
    owner.SetClientSize(200, 100);
    auto* anchor = new Probe(&owner);
    anchor->SetBounds(10, 10, 50, 20);
    owner.ShowForm();
    ActivateWindowOf(owner);

    Probe popup(nullptr);
    popup.SetVisible(false);
    MakeActivePopupWindow(popup, anchor);
    std::vector<bool> deactivations;
    SetPopupDeactivateHandler(popup, [&](bool inside) { deactivations.push_back(inside); });
    ShowActivePopup(popup, Bounds(300, 300, 80, 60));
    EXPECT_TRUE(popup.Visible());
    EXPECT_TRUE(IsActiveWindow(popup));
    EXPECT_EQ(popup.Left(), 300);
    EXPECT_EQ(popup.Width(), 80);
    EXPECT_TRUE(deactivations.empty());

    // A press inside the pop-up changes nothing.
    SendMouseDown(popup, 5, 5);
    SendMouseUp(popup, 5, 5);
    EXPECT_TRUE(deactivations.empty());

    // A press on another window of the program takes the activation.
    SendMouseDown(*anchor, 5, 5);
    SendMouseUp(*anchor, 5, 5);
    EXPECT_EQ(deactivations, std::vector<bool>{false});
    EXPECT_TRUE(IsActiveWindow(owner));

    ShowActivePopup(popup, Bounds(300, 300, 80, 60));
    HideActivePopup(popup);
    EXPECT_FALSE(popup.Visible());
    EXPECT_EQ(deactivations.size(), 1u) << "hiding runs no deactivation";
    EXPECT_TRUE(IsActiveWindow(owner));
}
