// The edit-with-button base controls: the button and F4, the unit text and
// its menu, the editor switch, the formatting rectangle.
#include "widgets/grid_render/Editor_EditBtn.h"

#include "platform/Clipbrd.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <gtest/gtest.h>

namespace {

struct Shown {
    TForm form;
    Shown()
    {
        form.SetClientSize(400, 300);
        form.ShowForm();
        ActivateWindowOf(form);
    }
};

// Answers the unit menu with `choice` while alive and records what it showed.
struct MenuAnswer {
    std::vector<std::string> shown;
    TPopupMenuHandler old;
    explicit MenuAnswer(int choice)
        : old(SetPopupMenuHandler([this, choice](const std::vector<std::string>& entries, TPoint) {
              shown = entries;
              return choice;
          }))
    {
    }
    ~MenuAnswer() { SetPopupMenuHandler(old); }
};

TEsgUnitEditBtn* UnitEdit(TForm& form)
{
    auto* e = new TEsgUnitEditBtn(&form);
    for (const char* u : {"mm", "cm", "m"}) e->Units().Add(u);
    return e;
}

} // namespace

TEST(ESGEdit, TextAndUnitSplitsAtTheFirstUnitEndingTheValue)
{
    TForm form;
    const struct {
        std::vector<const char*> units;
        const char* value;
        const char* text;
        const char* unit;
    } cases[] = {
        {{"mm", "cm", "m"}, "12mm", "12", "mm"},
        {{"mm", "cm", "m"}, "3m", "3", "m"},
        {{"mm", "cm", "m"}, "7.5cm", "7.5", "cm"},
        // No unit fits: nothing changes.
        {{"mm", "cm", "m"}, "12 in", "0", ""},
        // The first occurrence of m is not at the end.
        {{"m"}, "m5m", "0", ""},
    };
    for (const auto& k : cases) {
        auto* e = new TEsgUnitEditBtn(&form);
        for (const char* u : k.units) e->Units().Add(u);
        e->SetTextAndUnit(k.value);
        EXPECT_EQ(e->Text(), k.text) << k.value;
        EXPECT_EQ(e->UnitID(), k.unit) << k.value;
        delete e;
    }
    auto* e = UnitEdit(form);
    e->SetText("12");
    e->SetUnitID("cm");
    EXPECT_EQ(e->TextAndUnit(), "12cm");
}

TEST(ESGEdit, TheUnitMenuChangesTheUnitAndReportsOnlyAChange)
{
    Shown s;
    auto* e = UnitEdit(s.form);
    e->SetUnitID("mm");
    std::vector<std::string> changes;
    int clicks = 0;
    e->OnUnitChanged = [&](TControl* sender, const std::string& u) {
        EXPECT_EQ(sender, e);
        changes.push_back(u);
    };
    e->OnClickBtn = [&](TControl*) { ++clicks; };
    e->SetFocus();
    {
        MenuAnswer menu(3);
        PressKey(s.form, VK_F4);
        EXPECT_EQ(menu.shown, (std::vector<std::string>{"mm", "cm", "m"}));
    }
    EXPECT_EQ(e->UnitID(), "m");
    {
        MenuAnswer menu(3); // the unit it already has
        PressKey(s.form, VK_F4);
    }
    {
        MenuAnswer menu(0); // dismissed
        PressKey(s.form, VK_F4);
    }
    {
        MenuAnswer menu(9); // no such entry
        PressKey(s.form, VK_F4);
    }
    EXPECT_EQ(e->UnitID(), "m");
    EXPECT_EQ(changes, (std::vector<std::string>{"m"}));
    EXPECT_EQ(clicks, 4) << "OnClickBtn fires before the menu every time";
}

TEST(ESGEdit, F4ClicksTheButtonUnlessCtrlOrAltIsHeld)
{
    Shown s;
    auto* e = new TEsgEditBtn(&s.form);
    std::vector<TControl*> senders;
    e->OnClickBtn = [&](TControl* sender) { senders.push_back(sender); };
    e->SetFocus();
    PressKey(s.form, VK_F4);
    PressKey(s.form, VK_F4, {ssCtrl});
    PressKey(s.form, VK_F4, {ssAlt});
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], e);
}

TEST(ESGEdit, AClickOnTheButtonReportsTheButtonAndFocusesTheEdit)
{
    Shown s;
    auto* other = new TEsgEditBtn(&s.form);
    other->SetBounds(10, 60, 120, 24);
    auto* e = new TEsgEditBtn(&s.form);
    e->SetBounds(10, 10, 120, 24);
    std::vector<TControl*> senders;
    e->OnClickBtn = [&](TControl* sender) { senders.push_back(sender); };
    other->SetFocus();
    TExSpeedButton* b = e->EditButton()->Button();
    SendMouseDown(*b, 3, 3);
    SendMouseUp(*b, 3, 3);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], e->EditButton());
    EXPECT_TRUE(e->Focused());
    // Released off the button: no click; the right button: no click.
    SendMouseDown(*b, 3, 3);
    SendMouseUp(*b, 300, 300);
    SendClick(*b, 3, 3);
    SendMouseDown(*b, 3, 3, mbRight);
    SendMouseUp(*b, 3, 3, mbRight);
    EXPECT_EQ(senders.size(), 2u);
}

TEST(ESGEdit, WithoutEditorTypingAndPastingAreIgnoredButTheButtonWorks)
{
    Shown s;
    auto* e = new TEsgEditBtn(&s.form);
    int clicks = 0;
    e->OnClickBtn = [&](TControl*) { ++clicks; };
    e->SetEditorEnabled(false);
    e->SetFocus();
    e->SetSelStart(1);
    TypeKeys(s.form, "12");
    SetClipboardText("99");
    PressKey(s.form, VK_INSERT, {ssShift});
    e->PasteFromClipboard();
    EXPECT_EQ(e->Text(), "0");
    PressKey(s.form, VK_F4);
    EXPECT_EQ(clicks, 1);
    e->SetEditorEnabled(true);
    e->PasteFromClipboard();
    EXPECT_EQ(e->Text(), "099");
}

TEST(ESGEdit, TheEditRectangleLeavesRoomForTheUnitAndTheButton)
{
    TForm form;
    auto* e = new TEsgUnitEditBtn(&form);
    e->SetBorderStyle(TBorderStyle::bsNone);
    e->SetBounds(0, 0, 150, 24);
    ASSERT_EQ(e->EditButton()->Width(), 18);
    ASSERT_EQ(e->UnitSpace(), 20);
    const TRect r = e->EditRect();
    EXPECT_EQ(r.Left, 3);
    EXPECT_EQ(r.Top, 3);
    EXPECT_EQ(r.Right, 150 - 46);
    // Without a unit and with a border: 1 pixel in, 23 before the edge.
    auto* plain = new TEsgEditBtn(&form);
    plain->SetBounds(0, 40, 150, 24);
    EXPECT_EQ(plain->EditRect().Left, 1);
    EXPECT_EQ(plain->EditRect().Right, 150 - 23);
}

TEST(ESGEdit, TheUnitIsPaintedBetweenTheTextAndTheButton)
{
    TForm form;
    struct Probe : TEsgUnitEditBtn {
        using TEsgUnitEditBtn::TEsgUnitEditBtn;
        using TEsgUnitEditBtn::PaintAfter;
    };
    auto* e = new Probe(&form);
    e->SetBounds(0, 0, 150, 24);
    e->SetUnitID("mm");
    TBitmap b(150, 24);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(TRect{0, 0, 150, 24});
    e->PaintAfter(b.Canvas());
    const int right = 150 - e->EditButton()->Width() - 3;
    bool ink = false, outside = false;
    for (int x = 0; x < 150; ++x)
        for (int y = 0; y < 24; ++y) {
            if (b.Pixel(x, y) == clWhite) continue;
            if (x >= right - 20 && x < right) ink = true;
            else outside = true;
        }
    EXPECT_TRUE(ink);
    EXPECT_FALSE(outside);
}
