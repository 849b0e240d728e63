// The spin edit base control: steps by key and button, repeat on hold,
// limits, the date and time fields, the character filter.
#include "widgets/grid_render/Editor_Spin.h"

#include "support/FormatGuard.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/Input.h"

#include <gtest/gtest.h>

#include <functional>

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

// Counts the platform's beeps while alive.
struct BeepCount {
    int beeps = 0;
    std::function<void()> old;
    BeepCount() : old(SetBeepHandler([this] { ++beeps; })) {}
    ~BeepCount() { SetBeepHandler(old); }
};

// A spin with the focus and the caret at `caret`.
TEsgSpinEdit* FocusedSpin(Shown& s, TEsgSpinType type, const std::string& text, int caret)
{
    auto* e = new TEsgSpinEdit(&s.form);
    e->SetBounds(10, 10, 120, 24);
    e->SetSpinType(type);
    e->SetText(text);
    e->SetFocus();
    e->SetSelStart(caret);
    return e;
}

// The middle of the up or down button, in the pair's coordinates.
TPoint ButtonCentre(TExTimerSpeedButton* b) { return {b->Left() + b->Width() / 2, b->Top() + b->Height() / 2}; }

} // namespace

TEST(EsgSpin, UpStopsAtTheMaximumByKeyAndByButton)
{
    Shown s;
    auto* e = FocusedSpin(s, sptNormal, "99", 2);
    PressKey(s.form, VK_UP);
    EXPECT_EQ(e->Text(), "100");
    PressKey(s.form, VK_UP);
    EXPECT_EQ(e->Text(), "100");
    e->SetText("99");
    TEsgSpinButton* pair = e->Button();
    const TPoint up = ButtonCentre(pair->UpButton());
    SendClick(*pair->UpButton(), up.X - pair->UpButton()->Left(), up.Y - pair->UpButton()->Top());
    EXPECT_EQ(e->Text(), "100");
    PressKey(s.form, VK_NEXT);
    EXPECT_EQ(e->Text(), "99");
    EXPECT_TRUE(e->Focused()) << "the click leaves the focus in the edit";
}

TEST(EsgSpin, EqualLimitsDoNotLimit)
{
    Shown s;
    auto* e = FocusedSpin(s, sptNormal, "5", 0);
    e->SetMinValue(0);
    e->SetMaxValue(0);
    e->SetValue(250);
    EXPECT_EQ(e->Value(), 250);
    e->SetMaxValue(10);
    e->SetValue(-3);
    EXPECT_EQ(e->Value(), 0);
}

TEST(EsgSpin, HoldingTheUpButtonStepsAtOnceThenAfter400ThenEvery100)
{
    Shown s;
    auto* e = FocusedSpin(s, sptNormal, "0", 0);
    TExTimerSpeedButton* up = e->Button()->UpButton();
    SendMouseDown(*up, 3, 3);
    EXPECT_EQ(e->Value(), 1) << "the press steps at once (0 ms)";
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_TRUE(up->RepeatTimer()->Enabled());
    EXPECT_EQ(up->RepeatTimer()->Interval(), 400);
    up->RepeatTimer()->Fire(); // 400 ms
    EXPECT_EQ(e->Value(), 2);
    EXPECT_EQ(up->RepeatTimer()->Interval(), 100);
    up->RepeatTimer()->Fire(); // 500 ms
    EXPECT_EQ(e->Value(), 3);
    SendMouseUp(*up, 3, 3);
    EXPECT_EQ(e->Value(), 3) << "the release does not step again";
    EXPECT_FALSE(up->RepeatTimer()->Enabled());
    // Dragged off the button, a tick does not step.
    SendMouseDown(*up, 3, 3);
    SendMouseMove(*up, -20, -20);
    up->RepeatTimer()->Fire();
    EXPECT_EQ(e->Value(), 4);
    SendMouseUp(*up, -20, -20);
}

TEST(EsgSpin, DateFieldsStepDayMonthAndYear)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    Shown s;
    const struct {
        const char* text;
        int caret;
        int key;
        const char* expected;
    } cases[] = {
        {"05/03/2024", 0, VK_UP, "06/03/2024"},
        {"05/03/2024", 3, VK_UP, "05/04/2024"},
        {"05/03/2024", 6, VK_UP, "05/03/2025"},
        // The month end and the year end.
        {"31/12/2024", 1, VK_UP, "01/01/2025"},
        {"01/03/2024", 0, VK_DOWN, "29/02/2024"},
        // A month step keeps the day where the month has it.
        {"31/01/2024", 4, VK_UP, "29/02/2024"},
        // A year step on 29 February gives February's last day.
        {"29/02/2024", 8, VK_UP, "28/02/2025"},
        {"29/02/2024", 8, VK_DOWN, "28/02/2023"},
    };
    for (const auto& k : cases) {
        auto* e = FocusedSpin(s, sptDate, k.text, k.caret);
        PressKey(s.form, k.key);
        EXPECT_EQ(e->Text(), k.expected) << k.text << " caret " << k.caret;
        EXPECT_EQ(e->SelStart(), k.caret) << "the caret stays in its field";
        delete e;
    }
}

TEST(EsgSpin, MonthFirstFormatsStepTheMonthInTheFirstField)
{
    FormatGuard fmt('.', ',', '/', "mm/dd/yyyy");
    Shown s;
    auto* e = FocusedSpin(s, sptDate, "01/31/2024", 0);
    PressKey(s.form, VK_UP);
    EXPECT_EQ(e->Text(), "02/29/2024");
    EXPECT_TRUE(e->UsDates());
    e->SetSelStart(3);
    PressKey(s.form, VK_UP);
    EXPECT_EQ(e->Text(), "03/01/2024");
}

TEST(EsgSpin, TimeFieldsWrapWithinTheDay)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    Shown s;
    const struct {
        const char* text;
        bool seconds;
        int caret;
        int key;
        const char* expected;
    } cases[] = {
        {"23:59", false, 3, VK_DOWN, "23:58"},
        {"0:00", false, 2, VK_DOWN, "23:59"},
        {"23:30", false, 0, VK_UP, "0:30"},
        {"10:20:59", true, 7, VK_UP, "10:21:00"},
        {"10:20:30", true, 4, VK_DOWN, "10:19:30"},
    };
    for (const auto& k : cases) {
        auto* e = new TEsgSpinEdit(&s.form);
        e->SetShowSeconds(k.seconds);
        e->SetSpinType(sptTime);
        e->SetText(k.text);
        e->SetFocus();
        e->SetSelStart(k.caret);
        PressKey(s.form, k.key);
        EXPECT_EQ(e->Text(), k.expected) << k.text;
        delete e;
    }
}

TEST(EsgSpin, TextsThatAreNoValueStepFromTheFallback)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    Shown s;
    // Integer: MinValue. Float: the integer MinValue too. Date: MinDateValue
    // (day 0 is 30/12/1899). Time: 0.
    auto* i = FocusedSpin(s, sptNormal, "abc", 0);
    i->SetMinValue(5);
    PressKey(s.form, VK_UP);
    EXPECT_EQ(i->Text(), "6");
    auto* f = FocusedSpin(s, sptFloat, "x1", 0);
    f->SetMinValue(2);
    PressKey(s.form, VK_UP);
    EXPECT_EQ(f->Text(), "2.1");
    auto* d = FocusedSpin(s, sptDate, "31/02/2024", 0);
    PressKey(s.form, VK_UP);
    EXPECT_EQ(d->Text(), "31/12/1899");
    auto* t = FocusedSpin(s, sptTime, "25:99", 0);
    PressKey(s.form, VK_UP);
    EXPECT_EQ(t->Text(), "01:00:00");
}

TEST(EsgSpin, TypedCharactersAreFilteredByKind)
{
    FormatGuard fmt('.', ',', '/', "dd/mm/yyyy");
    Shown s;
    BeepCount beeps;
    auto* i = FocusedSpin(s, sptNormal, "12", 1);
    TypeKeys(s.form, "-");
    EXPECT_EQ(i->Text(), "12") << "'-' only at the start";
    EXPECT_EQ(beeps.beeps, 1);
    i->SetSelStart(0);
    TypeKeys(s.form, "-");
    EXPECT_EQ(i->Text(), "-12");
    i->SetSelStart(0);
    TypeKeys(s.form, "-a.");
    EXPECT_EQ(i->Text(), "-12");
    EXPECT_EQ(beeps.beeps, 4);
    // Control characters pass (Escape, the clipboard keys).
    PressKey(s.form, VK_ESCAPE);
    EXPECT_EQ(beeps.beeps, 4);

    auto* f = FocusedSpin(s, sptFloat, "", 0);
    f->SetPrecision(2); // shows "0.00"
    f->SetText("");
    TypeKeys(s.form, "1.234");
    EXPECT_EQ(f->Text(), "1.23") << "no third decimal at the end";
    TypeKeys(s.form, ",");
    EXPECT_EQ(f->Text(), "1.23") << "no thousand separator";
    f->SetSelStart(0);
    TypeKeys(s.form, ".");
    EXPECT_EQ(f->Text(), "1.23") << "one decimal separator";
    EXPECT_EQ(beeps.beeps, 7);

    auto* t = FocusedSpin(s, sptTime, "", 0);
    TypeKeys(s.form, "1:2:3:");
    EXPECT_EQ(t->Text(), "1:2:3");
}

TEST(EsgSpin, TheKeypadDecimalKeyTypesTheLocaleSeparator)
{
    FormatGuard fmt(',', '.', '/', "dd/mm/yyyy");
    Shown s;
    auto* f = FocusedSpin(s, sptFloat, "", 0);
    f->SetExcelStyleDecimalSeparator(true);
    TypeKeys(s.form, "1");
    PressKey(s.form, VK_DECIMAL, {}, ".");
    TypeKeys(s.form, "5");
    EXPECT_EQ(f->Text(), "1,5");
    EXPECT_DOUBLE_EQ(f->FloatValue(), 1.5);
    // The main keyboard's '.' stays a '.' (here the thousand separator,
    // which a float spin refuses).
    f->SetText("1");
    f->SetSelStart(1);
    TypeKeys(s.form, ".");
    EXPECT_EQ(f->Text(), "1");
}

TEST(EsgSpin, WithoutEditorOnlyTheStepsChangeTheValue)
{
    Shown s;
    BeepCount beeps;
    auto* e = FocusedSpin(s, sptNormal, "7", 1);
    e->SetEditorEnabled(false);
    TypeKeys(s.form, "3");
    PressKey(s.form, VK_BACK);
    PressKey(s.form, VK_DELETE);
    EXPECT_EQ(e->Text(), "7");
    PressKey(s.form, VK_UP);
    EXPECT_EQ(e->Text(), "8");
    EXPECT_EQ(e->SelText(), "8") << "a value set without editor is selected";
    // A read-only edit only beeps on a step.
    e->SetReadOnly(true);
    const int before = beeps.beeps;
    PressKey(s.form, VK_UP);
    EXPECT_EQ(e->Text(), "8");
    EXPECT_EQ(beeps.beeps, before + 1);
}

TEST(EsgSpin, LeavingPutsTheValueBackIntoItsLimits)
{
    Shown s;
    auto* e = FocusedSpin(s, sptNormal, "", 0);
    auto* next = new TEsgSpinEdit(&s.form);
    next->SetBounds(10, 50, 120, 24);
    TypeKeys(s.form, "250");
    EXPECT_EQ(e->Text(), "250");
    next->SetFocus();
    EXPECT_EQ(e->Text(), "100");
}

TEST(EsgSpin, TheButtonPairLaysOutByDirection)
{
    TForm form;
    auto* pair = new TEsgSpinButton(&form);
    pair->SetBounds(0, 0, 15, 24);
    EXPECT_EQ(pair->UpButton()->Top(), 0);
    EXPECT_EQ(pair->UpButton()->Height(), 12);
    EXPECT_EQ(pair->DownButton()->Top(), 11);
    EXPECT_EQ(pair->DownButton()->Height(), 13);
    pair->SetDirection(spHorizontal);
    EXPECT_EQ(pair->Width(), 20);
    EXPECT_EQ(pair->DownButton()->Left(), 0);
    EXPECT_EQ(pair->DownButton()->Width(), 10);
    EXPECT_EQ(pair->UpButton()->Left(), 11);
    EXPECT_EQ(pair->UpButton()->ButtonDirection(), bdRight);
}
