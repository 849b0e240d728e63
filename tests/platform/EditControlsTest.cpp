// The masked edit, the extensible combo box and the date-time picker of the
// platform, driven with key and mouse events.
#include "platform/Application.h"
#include "platform/Buttons.h"
#include "platform/Clipbrd.h"
#include "platform/ComboBoxes.h"
#include "platform/ControlInput.h"
#include "platform/ControlMessages.h"
#include "platform/DateTimePicker.h"
#include "platform/Forms.h"
#include "platform/MaskEdit.h"

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

TDateTime Day(int y, int m, int d) { return EncodeDate(y, m, d); }

} // namespace

// --- masked edit ---------------------------------------------------------------------------

TEST(MaskEdit, EditMasksTakeTheClassLibraryForm)
{
    struct Case {
        const char* mask;
        const char* typed;
        const char* text;
    };
    const Case cases[] = {
        // Literals saved in Text (1) or not (0).
        {"!99/99/0000;1;_", "12032024", "12/03/2024"},
        {"!99/99/0000;0;_", "12032024", "12032024"},
        // '0' is a required digit: letters are not taken.
        {"000;1;_", "1a23", "123"},
        // A letter the platform would read as a mask character is a literal.
        {"N-000;1;_", "123", "N-123"},
        {"HH:00;1;_", "45", "HH:45"},
        // '>' upper-cases what follows.
        {">LLL;1;_", "abc", "ABC"},
        // An unfilled place reads as a blank.
        {"00-00;1;_", "12", "12-  "},
    };
    const TFormatSettings saved = FormatSettings();
    FormatSettings().DateSeparator = '/';
    FormatSettings().TimeSeparator = ':';
    Shown s;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        auto* e = new TCustomMaskEdit(&s.form);
        e->SetEditMask(c.mask);
        e->SetFocus();
        e->SetSelStart(0);
        TypeKeys(s.form, c.typed);
        EXPECT_EQ(e->Text(), c.text);
        delete e;
    }
    FormatSettings() = saved;
}

TEST(MaskEdit, ClipboardKeysPassThroughKeyPressShiftInsertDoesNot)
{
    Shown s;
    auto* e = new TCustomMaskEdit(&s.form);
    e->SetFocus();
    std::vector<char32_t> seen;
    bool dropCtrlV = true;
    e->OnKeyPress = [&](TControl*, char32_t& k) {
        seen.push_back(k);
        if (k == 22 && dropCtrlV) k = 0;
    };
    SetClipboardText("pasted");
    PressKey(s.form, 'V', {ssCtrl});
    EXPECT_EQ(e->Text(), "");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], 22u);
    // The paste message itself (Shift+Insert) does not type a character.
    PressKey(s.form, VK_INSERT, {ssShift});
    EXPECT_EQ(e->Text(), "pasted");
    EXPECT_EQ(seen.size(), 1u);
    dropCtrlV = false;
    e->SelectAll();
    PressKey(s.form, 'V', {ssCtrl});
    EXPECT_EQ(e->Text(), "pasted");
}

TEST(MaskEdit, MaxLengthLimitsTypingAndPastingOnly)
{
    Shown s;
    auto* e = new TCustomMaskEdit(&s.form);
    e->SetMaxLength(4);
    e->SetFocus();
    TypeKeys(s.form, "abcdef");
    EXPECT_EQ(e->Text(), "abcd");
    e->SetText("");
    SetClipboardText("123456");
    e->PasteFromClipboard();
    EXPECT_EQ(e->Text(), "1234");
    e->SetText("longer than four");
    EXPECT_EQ(e->Text(), "longer than four");
}

TEST(MaskEdit, CharFromPosAnswersMinusOneOutsideTheControl)
{
    Shown s;
    auto* e = new TCustomMaskEdit(&s.form);
    e->SetBounds(10, 10, 120, 24);
    e->SetText("abcdef");
    EXPECT_EQ(e->CharFromPos(-1, 5), -1);
    EXPECT_EQ(e->CharFromPos(5, 30), -1);
    EXPECT_EQ(e->CharFromPos(119, 5), 6);
    EXPECT_GE(e->CharFromPos(0, 5), 0);
}

// --- combo box -------------------------------------------------------------------------------

TEST(ComboBox, UserChoicesFireChangeProgramChoicesDoNot)
{
    Shown s;
    auto* c = new TCustomComboBox(&s.form);
    c->SetStyle(TComboBoxStyle::csDropDownList);
    c->Items().Add("Alpha");
    c->Items().Add("Beta");
    int changes = 0;
    c->OnChange = [&](TControl*) { ++changes; };
    c->SetItemIndex(0);
    EXPECT_EQ(changes, 0);
    c->SetFocus();
    PressKey(s.form, VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
    // Typing in the edit field of the drop-down style is a change as well.
    c->SetStyle(TComboBoxStyle::csDropDown);
    c->SetText("");
    TypeKeys(s.form, "xy");
    EXPECT_EQ(c->Text(), "xy");
    EXPECT_EQ(changes, 3);
}

TEST(ComboBox, OpeningTheListIsNoExit)
{
    Shown s;
    auto* c = new TCustomComboBox(&s.form);
    c->Items().Add("one");
    c->Items().Add("two");
    int exits = 0, drops = 0, closes = 0;
    c->OnExit = [&](TControl*) { ++exits; };
    c->OnDropDown = [&](TControl*) { ++drops; };
    c->OnCloseUp = [&](TControl*) { ++closes; };
    c->SetFocus();
    PressKey(s.form, VK_DOWN, {ssAlt});
    Application_ProcessMessages();
    EXPECT_TRUE(c->DroppedDown());
    c->SetDroppedDown(false);
    Application_ProcessMessages();
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(exits, 0);
}

TEST(ComboBox, ItemsKeepTheirObjectsAndIndexesAreChecked)
{
    TForm form;
    auto* c = new TCustomComboBox(&form);
    TObject a, b;
    c->AddItem("a", &a);
    c->AddItem("b", &b);
    EXPECT_EQ(c->ItemObject(1), &b);
    EXPECT_EQ(c->ItemIndex(), -1); // adding chooses nothing
    EXPECT_THROW(c->ItemObject(2), EListError);
    EXPECT_THROW(c->SetItemIndex(5), EListError);
}

// --- date-time picker -----------------------------------------------------------------------

TEST(DateTimePicker, DigitsReplaceAFieldOnceItIsCompleteAndTheCaretStays)
{
    Shown s;
    auto* p = new TDateTimePicker(&s.form);
    p->SetFormat("dd/MM/yyyy");
    p->SetDateTime(Day(2024, 3, 5));
    int changes = 0;
    p->OnChange = [&](TControl*) { ++changes; };
    p->SetFocus();
    p->SetCurrentField(0);
    TypeKeys(s.form, "1");
    EXPECT_EQ(p->DateTime(), Day(2024, 3, 5)); // "1" may still become 1x
    TypeKeys(s.form, "2");
    EXPECT_EQ(p->DateTime(), Day(2024, 3, 12));
    EXPECT_EQ(p->CurrentField(), 0);
    EXPECT_EQ(changes, 1);
    // A digit no second digit could extend completes the field at once.
    TypeKeys(s.form, "4");
    EXPECT_EQ(p->DateTime(), Day(2024, 3, 4));
    PressKey(s.form, VK_RIGHT);
    EXPECT_EQ(p->CurrentField(), 1);
    PressKey(s.form, VK_RIGHT);
    TypeKeys(s.form, "2025");
    EXPECT_EQ(p->DateTime(), Day(2025, 3, 4));
    PressKey(s.form, VK_LEFT);
    EXPECT_EQ(p->CurrentField(), 1);
}

TEST(DateTimePicker, TheCheckBoxSwitchesTheValueOffAndOn)
{
    Shown s;
    struct Probe : TDateTimePicker {
        using TDateTimePicker::TDateTimePicker;
        std::vector<bool> notices;
        void DateTimeChangeNotify(bool noDate) override
        {
            notices.push_back(noDate);
            TDateTimePicker::DateTimeChangeNotify(noDate);
        }
    };
    auto* p = new Probe(&s.form);
    p->SetBounds(10, 10, 160, 24);
    p->SetShowCheckbox(true);
    ASSERT_TRUE(p->CheckBox()->Visible());
    EXPECT_TRUE(p->Checked());
    SendClick(*p->CheckBox(), 5, 5);
    EXPECT_FALSE(p->Checked());
    SendClick(*p->CheckBox(), 5, 5);
    EXPECT_TRUE(p->Checked());
    EXPECT_EQ(p->notices, (std::vector<bool>{true, false}));
    // The program's change is no notice.
    p->SetChecked(false);
    EXPECT_EQ(p->notices.size(), 2u);
}

TEST(DateTimePicker, F4OpensTheCalendarOfADatePicker)
{
    Shown s;
    auto* p = new TDateTimePicker(&s.form);
    int drops = 0, closes = 0, exits = 0;
    p->OnDropDown = [&](TControl*) { ++drops; };
    p->OnCloseUp = [&](TControl*) { ++closes; };
    p->OnExit = [&](TControl*) { ++exits; };
    p->SetFocus();
    PressKey(s.form, VK_F4);
    Application_ProcessMessages();
    EXPECT_TRUE(p->DroppedDown());
    p->SetDroppedDown(false);
    Application_ProcessMessages();
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(exits, 0);
    // A time picker has no calendar.
    p->SetKind(TDateTimeKind::dtkTime);
    p->SetDroppedDown(true);
    EXPECT_FALSE(p->DroppedDown());
}

TEST(DateTimePicker, TheValueKeepsWhatTheFieldsDoNotShow)
{
    Shown s;
    auto* p = new TDateTimePicker(&s.form);
    p->SetFormat("dd/MM/yyyy");
    const TDateTime v = Day(2024, 3, 5) + EncodeTime(10, 20, 30, 500);
    p->SetDateTime(v);
    p->SetFocus();
    p->SetCurrentField(0);
    PressKey(s.form, VK_UP);
    EXPECT_NEAR(p->DateTime(), v + 1, 1e-9);
    EXPECT_NEAR(p->Time(), EncodeTime(10, 20, 30, 500), 1e-9);
}

// --- buttons ---------------------------------------------------------------------------------

TEST(Buttons, CheckBoxClicksToggleThroughToggleOnlyWhenAllowed)
{
    Shown s;
    struct PressToggles : TCustomCheckBox {
        using TCustomCheckBox::TCustomCheckBox;
        void MouseDown(TMouseButton b, TShiftState, int, int) override
        {
            if (b == mbLeft) Toggle();
        }
        bool TogglesOnClick() const override { return false; }
    };
    auto* plain = new TCustomCheckBox(&s.form);
    plain->SetBounds(10, 10, 100, 20);
    int clicks = 0;
    plain->OnClick = [&](TControl*) { ++clicks; };
    SendClick(*plain, 5, 8);
    EXPECT_TRUE(plain->Checked());
    plain->SetAllowGrayed(true);
    plain->SetChecked(false);
    SendClick(*plain, 5, 8);
    EXPECT_TRUE(plain->Grayed());
    SendClick(*plain, 5, 8);
    EXPECT_TRUE(plain->Checked());
    EXPECT_EQ(clicks, 4);

    auto* press = new PressToggles(&s.form);
    press->SetBounds(10, 40, 100, 20);
    SendMouseDown(*press, 5, 8);
    EXPECT_TRUE(press->Checked()) << "toggled by the press";
    SendMouseUp(*press, 5, 8);
    EXPECT_TRUE(press->Checked()) << "not a second time by the release";
}

TEST(Buttons, PushButtonClicksOnReleaseAndOnSpace)
{
    Shown s;
    auto* b = new TButton(&s.form);
    int clicks = 0;
    b->OnClick = [&](TControl*) { ++clicks; };
    SendMouseDown(*b, 5, 5);
    EXPECT_EQ(clicks, 0);
    SendMouseUp(*b, 5, 5);
    EXPECT_EQ(clicks, 1);
    b->SetFocus();
    PressKey(s.form, VK_SPACE, {}, " ");
    EXPECT_EQ(clicks, 2);
    // A swallowed key-up of Space clicks nothing.
    b->OnKeyUp = [](TControl*, int& k, TShiftState) {
        if (k == VK_SPACE) k = 0;
    };
    PressKey(s.form, VK_SPACE, {}, " ");
    EXPECT_EQ(clicks, 2);
}
