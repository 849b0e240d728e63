// The push button of the drop-down header and footer: its colour set, its
// faces by state, its size, modal results, radio groups and the checked
// pointer list.

#include "DropDownDoubles.h"

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/WindowImage.h"
#include "widgets/dropdown/DropDownDraw.h"
#include "widgets/dropdown/ExButton.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A form showing a 60 x 23 button at (20, 20) with the test's appearance.
struct ButtonOnForm {
    ButtonOnForm()
    {
        form.SetClientSize(200, 100);
        // A focused button shows its hot face: the focus stays on the edit.
        edit = new TEdit(&form);
        edit->SetBounds(100, 60, 80, 21);
        button = new TExButton(&form);
        button->SetBounds(20, 20, 60, 23);
        button->SetAppearance(&look);
        form.ShowForm();
        ActivateWindowOf(form);
        edit->SetFocus();
    }
    TBitmap Face() { return ControlImage(button); }
    // The pointer over the button, so that its un-hot check keeps it hot.
    TPoint Over() { return ControlToScreen(*button, {30, 11}); }
    TForm form;
    TExButtonAppearance look;
    TEdit* edit;
    TExButton* button;
};

struct Closer : IDropDownCloser {
    void CloseDropDown(bool Cancelled) override { closes.push_back(Cancelled); }
    std::vector<bool> closes;
};

} // namespace

TEST(ExButtonAppearance, ValuesAfterConstruction)
{
    TExButtonAppearance a;
    struct Case {
        const char* name;
        TColor actual, expected;
    } cases[] = {
        {"BorderColor", a.BorderColor(), clNone},          {"BorderColorHot", a.BorderColorHot(), 0x808080},
        {"BorderColorDown", a.BorderColorDown(), 0x800000}, {"BorderColorDisabled", a.BorderColorDisabled(), 0x808080},
        {"BorderColorChecked", a.BorderColorChecked(), 0xFF0000}, {"Color", a.Color(), clNone},
        {"ColorTo", a.ColorTo(), clNone},                   {"ColorDown", a.ColorDown(), 0xF5D8CA},
        {"ColorDownTo", a.ColorDownTo(), 0xF9BDA0},         {"ColorHot", a.ColorHot(), 0xF5F0E1},
        {"ColorHotTo", a.ColorHotTo(), 0xF9D2B2},           {"ColorDisabled", a.ColorDisabled(), 0xF2F2F2},
        {"ColorDisabledTo", a.ColorDisabledTo(), clNone},
        // The hot colours with red and green darkened by 10 %.
        {"ColorChecked", a.ColorChecked(), 0xF5D8CA},       {"ColorCheckedTo", a.ColorCheckedTo(), 0xF9BDA0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_EQ(ShiftColor(a.ColorHot(), -10, -10, 0), a.ColorChecked());
    EXPECT_EQ(a.Gradient(), gdVertical);
    EXPECT_EQ(a.Font().Name(), "Tahoma");
}

TEST(ExButtonAppearance, EverySetterNotifiesOnceOnAChangeOnly)
{
    using Setter = void (TExButtonAppearance::*)(TColor);
    using Getter = TColor (TExButtonAppearance::*)() const;
    struct Case {
        const char* name;
        Setter set;
        Getter get;
    } cases[] = {
        {"BorderColor", &TExButtonAppearance::SetBorderColor, &TExButtonAppearance::BorderColor},
        {"BorderColorHot", &TExButtonAppearance::SetBorderColorHot, &TExButtonAppearance::BorderColorHot},
        {"BorderColorDown", &TExButtonAppearance::SetBorderColorDown, &TExButtonAppearance::BorderColorDown},
        {"BorderColorDisabled", &TExButtonAppearance::SetBorderColorDisabled, &TExButtonAppearance::BorderColorDisabled},
        {"BorderColorChecked", &TExButtonAppearance::SetBorderColorChecked, &TExButtonAppearance::BorderColorChecked},
        {"Color", &TExButtonAppearance::SetColor, &TExButtonAppearance::Color},
        {"ColorTo", &TExButtonAppearance::SetColorTo, &TExButtonAppearance::ColorTo},
        {"ColorDown", &TExButtonAppearance::SetColorDown, &TExButtonAppearance::ColorDown},
        {"ColorDownTo", &TExButtonAppearance::SetColorDownTo, &TExButtonAppearance::ColorDownTo},
        {"ColorHot", &TExButtonAppearance::SetColorHot, &TExButtonAppearance::ColorHot},
        {"ColorHotTo", &TExButtonAppearance::SetColorHotTo, &TExButtonAppearance::ColorHotTo},
        {"ColorChecked", &TExButtonAppearance::SetColorChecked, &TExButtonAppearance::ColorChecked},
        {"ColorCheckedTo", &TExButtonAppearance::SetColorCheckedTo, &TExButtonAppearance::ColorCheckedTo},
        {"ColorDisabled", &TExButtonAppearance::SetColorDisabled, &TExButtonAppearance::ColorDisabled},
        {"ColorDisabledTo", &TExButtonAppearance::SetColorDisabledTo, &TExButtonAppearance::ColorDisabledTo},
    };
    for (const auto& c : cases) {
        TExButtonAppearance a;
        int changes = 0;
        a.OnChange = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &a);
            ++changes;
        };
        (a.*c.set)((a.*c.get)());
        EXPECT_EQ(changes, 0) << c.name << ": an equal value";
        (a.*c.set)(0x123456);
        EXPECT_EQ(changes, 1) << c.name;
        EXPECT_EQ((a.*c.get)(), 0x123456u) << c.name;
        (a.*c.set)(0x123456);
        EXPECT_EQ(changes, 1) << c.name;
    }
    TExButtonAppearance g;
    int changes = 0;
    g.OnChange = [&](TObject*) { ++changes; };
    g.SetGradient(gdVertical);
    g.SetGradient(gdHorizontal);
    g.Font().SetColor(clRed);
    EXPECT_EQ(changes, 1);
}

TEST(ExButtonAppearance, AssignCopiesTheColoursButNotTheFont)
{
    TExButtonAppearance from, to;
    from.SetColor(0x010203);
    from.SetColorCheckedTo(0x040506);
    from.SetBorderColorDisabled(0x070809);
    from.SetGradient(gdHorizontal);
    from.Font().SetName("Courier New");
    int changes = 0;
    to.OnChange = [&](TObject*) { ++changes; };
    to.Assign(&from);
    EXPECT_EQ(to.Color(), 0x010203u);
    EXPECT_EQ(to.ColorCheckedTo(), 0x040506u);
    EXPECT_EQ(to.BorderColorDisabled(), 0x070809u);
    EXPECT_EQ(to.Gradient(), gdHorizontal);
    EXPECT_EQ(to.Font().Name(), "Tahoma");
    EXPECT_EQ(changes, 4); // through the setters, once per changed value
    TFont font;
    EXPECT_THROW(to.Assign(&font), EConvertError);
}

TEST(ExButton, FacesByState)
{
    ButtonOnForm f;
    f.look.SetColor(0x00FF00);
    f.look.SetColorTo(0x0000FF);
    f.look.SetBorderColor(0x000000);
    PointerAt pointer(f.Over());
    TExButton& b = *f.button;

    // Normal: a vertical gradient from green to red in a black frame.
    TBitmap face = f.Face();
    ASSERT_EQ(face.Width(), 60);
    EXPECT_EQ(face.Pixel(0, 0), clBlack);
    EXPECT_EQ(face.Pixel(59, 22), clBlack);
    EXPECT_GT(GetGValue(face.Pixel(30, 1)), 230);
    EXPECT_LT(GetRValue(face.Pixel(30, 1)), 20);
    EXPECT_GT(GetRValue(face.Pixel(30, 21)), 230);
    EXPECT_LT(GetGValue(face.Pixel(30, 21)), 20);

    struct Expect {
        const char* name;
        TColor fill, border;
    };
    auto check = [&](const Expect& e) {
        TBitmap p = f.Face();
        EXPECT_EQ(p.Pixel(30, 11), e.fill) << e.name;
        EXPECT_EQ(p.Pixel(30, 1), e.fill) << e.name;
        EXPECT_EQ(p.Pixel(30, 21), e.fill) << e.name;
        EXPECT_EQ(p.Pixel(0, 0), e.border) << e.name;
        EXPECT_EQ(p.Pixel(59, 11), e.border) << e.name;
    };

    SendMouseEnter(b);
    check({"mouse over", f.look.ColorHot(), f.look.BorderColorHot()});
    SendMouseDown(b, 30, 11);
    check({"pressed with the mouse over", f.look.ColorDown(), f.look.BorderColorDown()});
    SendMouseMove(b, 100, 11);
    face = f.Face();
    EXPECT_GT(GetGValue(face.Pixel(30, 1)), 230) << "pressed, then moved outside";
    EXPECT_GT(GetRValue(face.Pixel(30, 21)), 230);
    EXPECT_EQ(face.Pixel(0, 0), clBlack);
    pointer.pos = {-500, -500};
    SendMouseUp(b, 100, 11);
    SendMouseLeave(b);

    b.SetGroupIndex(1);
    b.SetDown(true);
    check({"checked", f.look.ColorChecked(), f.look.BorderColorChecked()});
    b.SetAllowAllUp(true);
    b.SetDown(false);

    b.SetEnabled(false);
    check({"disabled", f.look.ColorDisabled(), f.look.BorderColorDisabled()});
    f.look.SetColorDisabledTo(0x000000);
    face = f.Face();
    EXPECT_GT(GetRValue(face.Pixel(30, 1)), 200);
    EXPECT_LT(GetRValue(face.Pixel(30, 21)), 20);

    // The focus gives the hot face as well.
    b.SetEnabled(true);
    b.SetFocus();
    EXPECT_EQ(f.Face().Pixel(30, 11), f.look.ColorHot());
}

TEST(ExButton, WithoutAnAppearanceOnlyTheParentShows)
{
    TForm form;
    form.SetColor(0x336699);
    form.SetClientSize(120, 60);
    auto* b = new TExButton(&form);
    b->SetBounds(10, 10, 40, 20);
    b->SetCaption("OK");
    form.ShowForm();
    TBitmap face = ControlImage(b);
    for (int y = 0; y < 20; y += 3)
        for (int x = 0; x < 40; x += 3) ASSERT_EQ(face.Pixel(x, y), 0x336699u) << x << "," << y;
}

TEST(ExButton, UnHotTimerRepairsAMissedLeave)
{
    ButtonOnForm f;
    PointerAt pointer(f.Over());
    SendMouseEnter(*f.button);
    EXPECT_TRUE(f.button->MouseInControl());
    EXPECT_TRUE(f.button->UnHotTimer().Enabled());
    EXPECT_LE(f.button->UnHotTimer().Interval(), 50);
    f.button->UnHotTimer().Fire();
    EXPECT_TRUE(f.button->MouseInControl()); // still over it
    pointer.pos = {-500, -500};
    f.button->UnHotTimer().Fire();
    EXPECT_FALSE(f.button->MouseInControl());
    EXPECT_FALSE(f.button->UnHotTimer().Enabled());
    EXPECT_NE(f.Face().Pixel(30, 11), f.look.ColorHot());
}

TEST(ExButton, SizeToCaptionFitsTheCaptionAndTheImage)
{
    TForm form;
    auto* b = new TExButton(&form);
    b->SetCaption("A longer caption");
    b->SetBounds(3, 4, 22, 23);
    b->SizeToCaption(); // no appearance: nothing changes
    EXPECT_EQ(b->Width(), 22);
    EXPECT_EQ(b->Height(), 23);

    TExButtonAppearance look;
    look.Font().SetHeight(-13);
    b->SetAppearance(&look);
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(look.Font());
    const TSize text = GetTextExtent(scratch.Canvas(), "A longer caption");
    b->SizeToCaption();
    EXPECT_EQ(b->Width(), text.cx + 8);
    EXPECT_EQ(b->Height(), text.cy + 4);
    EXPECT_EQ(b->Left(), 3);

    TCustomImageList images(16, 16);
    images.Add(TBitmap(16, 16));
    b->SetImages(&images);
    b->SetImageIndex(0);
    b->SetCaption("i");
    const TSize small = GetTextExtent(scratch.Canvas(), "i");
    b->SizeToCaption();
    EXPECT_EQ(b->Width(), std::max(small.cx, 16) + 8);
    EXPECT_EQ(b->Height(), std::max(small.cy, 16) + 4);
    b->SetCaption("");
    b->SizeToCaption();
    EXPECT_EQ(b->Width(), 24);
    EXPECT_EQ(b->Height(), 20);
}

TEST(ExButton, ModalResultsOfAFooterButtonCloseTheDropDown)
{
    struct Case {
        int result;
        int closes; // 0: nothing, 1: not cancelled, 2: cancelled
    } cases[] = {
        {mrOk, 1},     {mrYes, 1},     {mrAll, 1},      {mrYesToAll, 1}, {mrCancel, 2},
        {mrAbort, 2},  {mrIgnore, 2},  {mrNo, 2},       {mrNoToAll, 2},  {mrNone, 0},
        {mrRetry, 0},  {mrClose, 0},   {mrHelp, 0},     {mrTryAgain, 0}, {mrContinue, 0},
    };
    for (const auto& c : cases) {
        TForm form;
        form.SetClientSize(200, 60);
        RecordingDropDownHost host;
        host.footer.Buttons().Add()->SetCaption("Go");
        host.footer.Buttons().Items(0)->SetModalResult(c.result);
        auto* footer = new TExFooter(&form);
        footer->SetBounds(0, 0, 200, 22);
        footer->SetExDropDown(&host);
        footer->CreateButtons();
        form.ShowForm();
        TExButton* b = footer->ButtonList().Items(0);
        int clicks = 0;
        auto rule = b->OnClick;
        b->OnClick = [&](TControl* s) {
            ++clicks;
            rule(s);
        };
        SendMouseDown(*b, 3, 3);
        EXPECT_TRUE(host.closes.empty()) << c.result << ": the press closes nothing";
        SendMouseUp(*b, 3, 3);
        EXPECT_EQ(clicks, 1) << c.result;
        ASSERT_EQ(host.footerClicks, std::vector<int>{0}) << c.result;
        if (c.closes == 0)
            EXPECT_TRUE(host.closes.empty()) << c.result;
        else
            EXPECT_EQ(host.closes, std::vector<bool>{c.closes == 2}) << c.result;
    }
}

TEST(ExButton, EnterOnAFocusedOkButtonClosesWithoutItsClickEvent)
{
    TForm form;
    form.SetClientSize(200, 60);
    RecordingDropDownHost host;
    host.footer.Buttons().Add()->SetCaption("OK");
    host.footer.Buttons().Items(0)->SetModalResult(mrOk);
    auto* footer = new TExFooter(&form);
    footer->SetBounds(0, 0, 200, 22);
    footer->SetExDropDown(&host);
    footer->CreateButtons();
    form.ShowForm();
    ActivateWindowOf(form);
    TExButton* b = footer->ButtonList().Items(0);
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    PressKey(form, VK_RETURN);
    EXPECT_EQ(host.closes, std::vector<bool>{false});
    EXPECT_TRUE(host.footerClicks.empty());
    // A click does not take the focus: pressing the mouse leaves it where it is.
    auto* other = new TExButton(&form);
    other->SetBounds(100, 30, 40, 20);
    SendClick(*other, 5, 5);
    EXPECT_TRUE(b->Focused());
    EXPECT_FALSE(other->Focused());
}

TEST(ExButton, AButtonWhoseDropDownIsGoneClosesNothing)
{
    TForm form;
    auto* b = new TExButton(&form);
    b->SetModalResult(mrCancel);
    int clicks = 0;
    b->OnClick = [&](TControl*) { ++clicks; };
    {
        Closer closer;
        b->SetExDropDown(&closer);
        SendClick(*b, 3, 3);
        EXPECT_EQ(closer.closes, std::vector<bool>{true});
    }
    SendClick(*b, 3, 3);
    EXPECT_EQ(clicks, 2);
}

TEST(ExButton, GroupButtonsBehaveAsARadioGroup)
{
    TForm form;
    form.SetClientSize(200, 60);
    auto* first = new TExButton(&form);
    auto* second = new TExButton(&form);
    first->SetBounds(0, 0, 40, 20);
    second->SetBounds(50, 0, 40, 20);
    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    second->SetDown(true);
    ASSERT_TRUE(second->Down());

    SendClick(*first, 5, 5);
    EXPECT_TRUE(first->Down());
    EXPECT_EQ(first->State(), absExclusive);
    EXPECT_FALSE(second->Down());
    EXPECT_EQ(second->State(), absUp);

    SendClick(*first, 5, 5);
    EXPECT_TRUE(first->Down()) << "AllowAllUp off keeps it down";

    first->SetAllowAllUp(true);
    SendClick(*first, 5, 5);
    EXPECT_FALSE(first->Down());

    // A release outside after a press inside does not toggle.
    SendMouseDown(*first, 5, 5);
    SendMouseUp(*first, 300, 5);
    EXPECT_FALSE(first->Down());
    SendClick(*first, 5, 5);
    ASSERT_TRUE(first->Down());
    SendMouseDown(*first, 5, 5);
    SendMouseUp(*first, 5, 300);
    EXPECT_TRUE(first->Down());
    EXPECT_EQ(first->State(), absExclusive);

    // A plain button never stays down.
    auto* plain = new TExButton(&form);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

TEST(DbgList, IndexesAreChecked)
{
    int a = 1, b = 2, c = 3;
    TDbgList<int> list;
    list.Add(&a);
    list.Add(&b);
    EXPECT_EQ(list.Items(1), &b);
    try {
        list.Items(list.Count());
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list read access");
    }
    try {
        list.SetItems(2, &c);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list write access");
    }
    try {
        list.Items(-1);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
    EXPECT_THROW(list.SetItems(-1, &c), EListError);
    list.SetItems(0, &c);
    TDbgList<int> copy;
    copy.Add(&b);
    copy.AssignList(list);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(0), &c);
    EXPECT_EQ(copy.Items(1), &b);
}
