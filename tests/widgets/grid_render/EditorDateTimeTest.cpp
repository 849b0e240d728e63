// The date picker's flat look and the date-time picker with its embedded
// time picker, auto tab, check box and label.
#include "widgets/grid_render/Editor_DateTimeBase.h"
#include "widgets/grid_render/Editor_DateTime.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/Input.h"
#include "platform/Themes.h"

#include <gtest/gtest.h>

#include <cmath>

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

constexpr TColor Paper = 0x00FF00FF;

TBitmap Look(TFlatDateTimePicker& p)
{
    TBitmap b(p.Width(), p.Height());
    b.Canvas().Brush().SetColor(Paper);
    b.Canvas().FillRect(TRect{0, 0, p.Width(), p.Height()});
    p.PaintLook(b.Canvas());
    return b;
}

bool Untouched(const TBitmap& b)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != Paper) return false;
    return true;
}

struct ThemeGuard {
    bool old = IsThemeActive();
    ~ThemeGuard() { SetThemeActive(old); }
};

// Lets posted messages (and the messages they post) arrive.
void Settle()
{
    for (int i = 0; i < 4; ++i) Application_ProcessMessages();
}

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

} // namespace

// --- TEsgDateTimePicker -----------------------------------------------------------------

TEST(EsgDateTimePicker, VersionIs1000WhateverIsWritten)
{
    TForm form;
    auto* p = new TEsgDateTimePicker(&form);
    p->SetVersion("9.9.9.9");
    EXPECT_EQ(p->Version(), "1.0.0.0");
    EXPECT_EQ(p->GetVersionNr(), 0x01000000);
}

TEST(EsgDateTimePicker, WithoutTonesItPaintsAsThePlatformPicker)
{
    TForm form;
    auto* p = new TEsgDateTimePicker(&form);
    p->SetBounds(0, 0, 140, 22);
    EXPECT_TRUE(p->Ctl3D());
    EXPECT_FALSE(p->MetroStyle());
    EXPECT_TRUE(Untouched(Look(*p)));
}

TEST(EsgDateTimePicker, TheMetroButtonFollowsTheMouse)
{
    Shown s;
    auto* p = new TEsgDateTimePicker(&s.form);
    p->SetBounds(10, 10, 140, 22);
    p->SetMetroStyle(true);
    p->SetBorderColor(clGray);
    p->ButtonColor = clGreen;
    p->ButtonColorHot = clLime;
    p->ButtonColorDown = clNavy;
    p->ButtonBorderColor = clBlack;
    p->ButtonTextColor = clWhite;
    p->ButtonTextColorDown = clYellow;
    const int left = p->ClientWidth() - p->ButtonWidth() + 3; // the button's rectangle
    const int face = left + 3;
    EXPECT_EQ(Look(*p).Pixel(face, 3), clGreen);
    EXPECT_EQ(Look(*p).Pixel(left, 5), clBlack) << "the separator line";
    EXPECT_EQ(Look(*p).Pixel(0, 0), clGray) << "the border";

    SendMouseEnter(*p);
    SendMouseMove(*p, p->Width() - 4, 6, false);
    ASSERT_TRUE(p->ButtonHover());
    EXPECT_EQ(Look(*p).Pixel(face, 3), clLime);
    const TKeyStateSource old = SetKeyStateSource([](int vk) -> short { return vk == VK_LBUTTON ? -32768 : 0; });
    TBitmap held = Look(*p);
    SetKeyStateSource(old);
    EXPECT_EQ(held.Pixel(face, 3), clNavy);
    EXPECT_EQ(held.Pixel(left + 8, 1 + 8), clYellow) << "the arrow";
    SendMouseLeave(*p);
    EXPECT_FALSE(p->ButtonHover());
}

TEST(EsgDateTimePicker, ATimePickerKeepsThePlatformSpinButtons)
{
    TForm form;
    auto* p = new TEsgDateTimePicker(&form);
    p->SetBounds(0, 0, 140, 22);
    p->SetKind(TDateTimeKind::dtkTime);
    p->SetMetroStyle(true);
    p->ButtonColor = clGreen;
    const TBitmap b = Look(*p);
    for (int x = p->Width() - p->ButtonWidth(); x < p->Width() - 2; ++x) EXPECT_NE(b.Pixel(x, 6), clGreen);
}

TEST(EsgDateTimePicker, ADisabledThemedMetroPickerShowsTheBlueFrame)
{
    ThemeGuard themes;
    SetThemeActive(true);
    TForm form;
    auto* p = new TEsgDateTimePicker(&form);
    p->SetBounds(0, 0, 140, 22);
    p->SetEnabled(false);
    EXPECT_TRUE(Untouched(Look(*p))) << "metro off: the platform's border";
    p->SetMetroStyle(true);
    const TBitmap b = Look(*p);
    EXPECT_EQ(b.Pixel(0, 5), 0xB99D7F);
    EXPECT_EQ(b.Pixel(70, 21), 0xB99D7F);
    p->SetDisabledBorder(true);
    EXPECT_NE(Look(*p).Pixel(0, 5), 0xB99D7F);
}

// --- TExDateTimePicker ---------------------------------------------------------------------

TEST(ExDateTimePicker, VersionIs1200)
{
    TForm form;
    auto* p = new TExDateTimePicker(&form);
    p->SetVersion("1.0");
    EXPECT_EQ(p->Version(), "1.2.0.0");
}

TEST(ExDateTimePicker, TheValueDropsMillisecondsAndDateKeepsTheTime)
{
    TForm form;
    auto* p = new TExDateTimePicker(&form);
    p->SetDateTime(At(2024, 3, 5, 10, 20, 30, 500));
    EXPECT_NEAR(p->DateTime(), At(2024, 3, 5, 10, 20, 30), 1e-9);
    p->SetDate(EncodeDate(2025, 1, 31) + 0.75);
    EXPECT_NEAR(p->DateTime(), At(2025, 1, 31, 10, 20, 30), 1e-9);
    // The time part belongs to the embedded picker; setting Time reaches it.
    p->SetTime(EncodeTime(8, 5, 0, 0));
    EXPECT_NEAR(p->DateTime(), At(2025, 1, 31, 8, 5, 0), 1e-9);
    EXPECT_NEAR(p->Time(), EncodeTime(8, 5, 0, 0), 1e-9);
}

TEST(ExDateTimePicker, OnlyTheDateAndTimeKindHasAnEmbeddedTimePicker)
{
    TForm form;
    auto* p = new TExDateTimePicker(&form);
    p->SetBounds(0, 0, 200, 22);
    EXPECT_EQ(p->Kind(), dkDateTime);
    ASSERT_NE(p->TimePicker(), nullptr);
    p->SetKind(dkDate);
    EXPECT_EQ(p->TimePicker(), nullptr);
    p->SetKind(dkDateTime);
    ASSERT_NE(p->TimePicker(), nullptr);
    EXPECT_TRUE(p->TimePicker()->Visible());
    // At the right end, clear of the calendar button (themed platform).
    EXPECT_EQ(p->Width() - (p->TimePicker()->Left() + p->TimePicker()->Width()), 34);
    EXPECT_EQ(p->TimePicker()->Kind(), TDateTimeKind::dtkTime);
    p->SetKind(dkTime);
    EXPECT_EQ(p->TimePicker(), nullptr);
    EXPECT_EQ(p->TDateTimePicker::Kind(), TDateTimeKind::dtkTime);
}

TEST(ExDateTimePicker, AutoTabMovesOnWhenADigitChangesAField)
{
    Shown s;
    auto* p = new TExDateTimePicker(&s.form);
    p->SetBounds(10, 10, 220, 22);
    p->SetFormat("dd/MM/yyyy");
    p->SetAutoTab(true);
    p->SetDateTime(At(2024, 3, 5, 9, 0, 0));
    p->SetFocus();
    p->SetCurrentField(0);
    // "0" alone does not complete the day: nothing moves.
    TypeKeys(s.form, "0");
    Settle();
    EXPECT_EQ(p->CurrentField(), 0);
    // "7" completes it (07): the caret moves to the month.
    TypeKeys(s.form, "7");
    Settle();
    EXPECT_NEAR(p->DateTime(), At(2024, 3, 7, 9, 0, 0), 1e-9);
    EXPECT_EQ(p->CurrentField(), 1);
    // A digit after which the month is the same moves nothing.
    TypeKeys(s.form, "3");
    Settle();
    EXPECT_EQ(p->CurrentField(), 1);
    // A change of the year, the format's last field, goes on into the time.
    p->SetCurrentField(2);
    TypeKeys(s.form, "2026");
    Settle();
    EXPECT_NEAR(p->DateTime(), At(2026, 3, 7, 9, 0, 0), 1e-9);
    ASSERT_NE(p->TimePicker(), nullptr);
    EXPECT_TRUE(p->TimePicker()->Focused());
}

TEST(ExDateTimePicker, WithoutAFormatTheYearGoesIntoTheTime)
{
    Shown s;
    const TFormatSettings saved = FormatSettings();
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    FormatSettings().DateSeparator = '/';
    auto* p = new TExDateTimePicker(&s.form);
    p->SetBounds(10, 10, 220, 22);
    p->SetAutoTab(true);
    p->SetDateTime(At(2024, 3, 5));
    p->SetFocus();
    p->SetCurrentField(2);
    TypeKeys(s.form, "2030");
    Settle();
    EXPECT_TRUE(p->TimePicker()->Focused());
    FormatSettings() = saved;
}

TEST(ExDateTimePicker, TheTimePartAdvancesOnItsOwn)
{
    Shown s;
    auto* p = new TExDateTimePicker(&s.form);
    p->SetBounds(10, 10, 220, 22);
    p->SetTimeFormat("HH:mm:ss");
    p->SetAutoTab(true);
    p->SetDateTime(At(2024, 3, 5, 9, 0, 0));
    TCustomDateTimePicker* t = p->TimePicker();
    t->SetFocus();
    t->SetCurrentField(0);
    TypeKeys(s.form, "1");
    Settle();
    EXPECT_EQ(t->CurrentField(), 0) << "1 may still become 1x";
    TypeKeys(s.form, "4");
    Settle();
    EXPECT_EQ(t->CurrentField(), 1);
    EXPECT_NEAR(p->DateTime(), At(2024, 3, 5, 14, 0, 0), 1e-9);
}

TEST(ExDateTimePicker, TheCheckBoxSwitchesTheTimePicker)
{
    Shown s;
    auto* p = new TExDateTimePicker(&s.form);
    p->SetBounds(10, 10, 220, 22);
    p->SetShowCheckbox(true);
    int changes = 0;
    p->OnChange = [&](TControl*) { ++changes; };
    ASSERT_NE(p->TimePicker(), nullptr);
    EXPECT_TRUE(p->TimePicker()->Enabled());
    SendClick(*p->CheckBox(), 5, 5);
    EXPECT_FALSE(p->Checked());
    EXPECT_FALSE(p->TimePicker()->Enabled());
    SendClick(*p->CheckBox(), 5, 5);
    EXPECT_TRUE(p->TimePicker()->Enabled());
    EXPECT_EQ(changes, 2);
    // After a value set by the program the first click still counts.
    p->SetDateTime(At(2024, 1, 1));
    SendClick(*p->CheckBox(), 5, 5);
    EXPECT_FALSE(p->TimePicker()->Enabled());
}

TEST(ExDateTimePicker, TheLabelSitsBesideAndStaysEnabledWhenAskedTo)
{
    TForm form;
    form.SetClientSize(400, 200);
    auto* p = new TExDateTimePicker(&form);
    p->SetBounds(150, 40, 200, 22);
    p->SetLabelCaption("Start");
    TLabel* l = p->Label();
    ASSERT_NE(l, nullptr);
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(l->Font());
    const int tw = scratch.Canvas().TextWidth("Start");
    EXPECT_EQ(l->Left(), 150 - tw - 4);
    EXPECT_EQ(l->Top(), 40);
    p->SetLabelAlwaysEnabled(true);
    p->SetEnabled(false);
    EXPECT_TRUE(l->Enabled());
    EXPECT_FALSE(p->TimePicker()->Enabled());
    p->SetLabelAlwaysEnabled(false);
    p->SetEnabled(true);
    p->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
}

TEST(ExDateTimePicker, KeysTypedInTheTimePartReachTheControl)
{
    Shown s;
    auto* p = new TExDateTimePicker(&s.form);
    p->SetBounds(10, 10, 220, 22);
    std::vector<int> keys;
    p->OnKeyDown = [&](TControl*, int& k, TShiftState) { keys.push_back(k); };
    p->TimePicker()->SetFocus();
    PressKey(s.form, VK_F2);
    EXPECT_EQ(keys, (std::vector<int>{VK_F2}));
}
