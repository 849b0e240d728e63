// The drop-down edit's keys as a person types them: the character filter
// of every edit type, the caret kept between Prefix and Suffix, the change
// notifications, the keys that open and close the pop-up and the dialog's
// Enter and Escape.

#include "DropDownLocale.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "widgets/LbButton.h"
#include "widgets/dropdown/DropDownForm.h"
#include "widgets/dropdown/ExDropDown.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A shown, active form with the edit focused and a second control after it.
struct TypingForm {
    TypingForm()
    {
        form.SetClientSize(400, 200);
        edit = new TExCustomDropDown(&form);
        edit->SetBounds(20, 20, 200, 21);
        next = new TEdit(&form);
        next->SetBounds(20, 60, 200, 21);
        form.ShowForm();
        ActivateWindowOf(form);
        edit->SetFocus();
    }
    // The edit text and the caret, as a typist finds them.
    void Start(const std::string& text, int caret)
    {
        edit->SetTextDirect(text);
        edit->SetSelStart(caret);
    }
    TForm form;
    TExCustomDropDown* edit;
    TEdit* next;
};

// A picker control that takes the focus in the pop-up.
class PickerStandIn : public TCustomControl {
public:
    explicit PickerStandIn(TWinControl* parent) : TCustomControl(parent) {}
    const char* ClassName() const override { return "PickerStandIn"; }
};

class DropDownKeys : public DropDownLocaleTest {};
INSTANTIATE_TEST_SUITE_P(Separators, DropDownKeys, ::testing::Values('.', ','));

} // namespace

TEST_P(DropDownKeys, TypingTable)
{
    const std::string dec = L(".");
    struct Case {
        const char* name;
        TDropDownEditType type;
        std::function<void(TExCustomDropDown&)> setup;
        std::string start;
        int caret;
        std::string keys;
        std::string value;
        int caretAfter; // -1: not looked at
    } cases[] = {
        {"signed minus", etNumeric, [](TExCustomDropDown& e) { e.SetSigned(true); }, "123", 1, "-", "-123", 2},
        {"signed minus again", etNumeric, [](TExCustomDropDown& e) { e.SetSigned(true); }, "-123", 2, "-", "123", 1},
        {"unsigned", etNumeric, nullptr, "123", 1, "-a", "123", 1},
        {"decimals full at the end", etFloat, [](TExCustomDropDown& e) { e.SetPrecision(2); }, L("1.25"), 4, "7",
         L("1.25"), 4},
        {"digit overwrites a decimal", etFloat, [](TExCustomDropDown& e) { e.SetPrecision(2); }, L("1.25"), 2, "9",
         L("1.95"), 3},
        {"no decimals", etFloat, nullptr, "12", 2, dec, "12", 2},
        {"separator into an empty value", etFloat, [](TExCustomDropDown& e) { e.SetPrecision(2); }, "", 0, dec,
         "0" + dec, 2},
        {"money separators", etMoney, nullptr, "", 0, "1234", L("1,234"), 5},
        {"integer part full", etFloat,
         [](TExCustomDropDown& e) {
             e.SetPrecision(2);
             e.SetLengthLimit(3);
         },
         "123", 3, "4", "123", 3},
        {"decimal after a full integer part", etFloat,
         [](TExCustomDropDown& e) {
             e.SetPrecision(2);
             e.SetLengthLimit(3);
         },
         "123", 3, dec, "123" + dec, 4},
        {"range", etRange, nullptr, "", 0, "1-3;5", "1-3;5", 5},
        {"range separator after a separator", etRange, nullptr, "", 0, "1-;", "1-", 2},
        {"range separator first", etRange, nullptr, "", 0, ";", "", 0},
        {"hex", etHex, nullptr, "", 0, "ga", "a", 1},
        {"alphanumeric", etAlphaNumeric, nullptr, "", 0, "_b", "b", 1},
        {"valid characters", etValidChars, [](TExCustomDropDown& e) { e.SetValidChars("abc"); }, "", 0, "dab",
         "ab", 2},
        {"upper case", etUppercase, nullptr, "", 0, "a", "A", 1},
        {"lower case", etLowerCase, nullptr, "", 0, "A", "a", 1},
        {"mixed case", etMixedCase, nullptr, "", 0, "hello world", "Hello World", 11},
        {"string", etString, nullptr, "ab", 1, "x", "axb", 2},
    };
    for (const Case& c : cases) {
        TypingForm f;
        f.edit->SetEditType(c.type);
        if (c.setup) c.setup(*f.edit);
        f.Start(c.start, c.caret);
        TypeKeys(f.form, c.keys);
        EXPECT_EQ(f.edit->Text(), c.value) << c.name;
        if (c.caretAfter >= 0) {
            EXPECT_EQ(f.edit->SelStart(), c.caretAfter) << c.name;
        }
    }
}

TEST(DropDownKeys, TheCaretStaysBetweenPrefixAndSuffix)
{
    TypingForm f;
    TExCustomDropDown& e = *f.edit;
    e.SetPrefix("$");
    e.SetSuffix(" EUR");
    e.SetText("12");
    e.SetSelStart(2);
    PressKey(f.form, VK_HOME);
    EXPECT_EQ(e.SelStart(), 1);
    PressKey(f.form, VK_LEFT);
    EXPECT_EQ(e.SelStart(), 1);
    PressKey(f.form, VK_END);
    EXPECT_EQ(e.SelStart(), 3);
    PressKey(f.form, VK_RIGHT);
    EXPECT_EQ(e.SelStart(), 3);
    PressKey(f.form, VK_DELETE);
    EXPECT_EQ(e.EditTextAll(), "$12 EUR") << "Delete before the suffix";
    PressKey(f.form, VK_HOME, {ssShift});
    EXPECT_EQ(e.SelStart(), 1);
    EXPECT_EQ(e.SelLength(), 2) << "Shift+Home selects the value";
    PressKey(f.form, VK_HOME);
    PressKey(f.form, VK_BACK);
    EXPECT_EQ(e.EditTextAll(), "$12 EUR") << "Backspace after the prefix";
    PressKey(f.form, VK_LEFT, {ssCtrl});
    EXPECT_EQ(e.SelStart(), 1) << "a word step stops at the value";

    // Clicks on the prefix and into the suffix.
    int onPrefix = -1, inSuffix = -1;
    for (int x = 0; x < e.Width(); ++x) {
        const int p = e.CharFromPos(x, 10);
        if (p == 0 && onPrefix < 0) onPrefix = x;
        if (p == 5 && inSuffix < 0) inSuffix = x;
    }
    ASSERT_GE(onPrefix, 0);
    ASSERT_GE(inSuffix, 0);
    SendMouseDown(e, onPrefix, 10);
    SendMouseUp(e, onPrefix, 10);
    EXPECT_EQ(e.SelStart(), 1);
    EXPECT_EQ(e.SelLength(), 2) << "the value is selected";
    SendMouseDown(e, inSuffix, 10);
    SendMouseUp(e, inSuffix, 10);
    EXPECT_EQ(e.SelStart(), 3);
    EXPECT_EQ(e.SelLength(), 0);
}

TEST(DropDownKeys, ReplacingTheWholeValueNotifiesOnce)
{
    for (int key : {static_cast<int>('5'), VK_BACK}) {
        TypingForm f;
        f.edit->SetEditType(etNumeric);
        f.edit->SetText("123");
        int changes = 0;
        f.edit->OnChange = [&](TControl*) { ++changes; };
        f.edit->SelectAll();
        if (key == '5')
            TypeKeys(f.form, "5");
        else
            PressKey(f.form, VK_BACK);
        EXPECT_EQ(changes, 1) << key;
        EXPECT_EQ(f.edit->Text(), key == '5' ? "5" : "") << key;
        // The next change is not swallowed.
        TypeKeys(f.form, "7");
        EXPECT_EQ(changes, 2) << key;
    }
    // A character the filter drops leaves nothing swallowed behind.
    TypingForm f;
    f.edit->SetEditType(etNumeric);
    f.edit->SetText("123");
    int changes = 0;
    f.edit->OnChange = [&](TControl*) { ++changes; };
    f.edit->SelectAll();
    TypeKeys(f.form, "x");
    f.edit->SetSelStart(3);
    TypeKeys(f.form, "4");
    EXPECT_EQ(f.edit->Text(), "1234");
    EXPECT_EQ(changes, 1);
}

TEST(DropDownKeys, KeysCloseThePopUp)
{
    TypingForm f;
    TExCustomDropDown& e = *f.edit;
    auto* picker = new PickerStandIn(&f.form);
    picker->SetBounds(0, 0, 150, 80);
    e.SetControl(picker);
    e.SetFocusControl(picker);
    e.SetText("old");
    std::vector<bool> closes;
    e.OnDropUp = [&](TControl*, bool cancelled) { closes.push_back(cancelled); };

    PressKey(f.form, VK_F4);
    ASSERT_TRUE(e.DroppedDown());
    ASSERT_TRUE(picker->Focused());
    e.SetTextDirect("chosen");
    PressKey(*e.DropDownForm(), VK_RETURN);
    EXPECT_FALSE(e.DroppedDown());
    EXPECT_EQ(e.Text(), "chosen");

    PressKey(f.form, VK_F4);
    ASSERT_TRUE(e.DroppedDown());
    e.SetTextDirect("typed");
    PressKey(*e.DropDownForm(), VK_ESCAPE);
    EXPECT_FALSE(e.DroppedDown());
    EXPECT_EQ(e.Text(), "old") << "the value of the last SetText";

    PressKey(f.form, VK_F4);
    ASSERT_TRUE(e.DroppedDown());
    PressKey(*e.DropDownForm(), VK_F4);
    EXPECT_FALSE(e.DroppedDown());
    EXPECT_EQ(closes, (std::vector<bool>{false, true, false}));
}

TEST(DropDownKeys, ReturnIsTabMovesTheFocus)
{
    TypingForm f;
    f.edit->SetReturnIsTab(true);
    f.edit->SetText("ab");
    f.edit->SetSelStart(2);
    PressKey(f.form, VK_RETURN);
    Application_ProcessMessages();
    EXPECT_TRUE(f.next->Focused());
    EXPECT_EQ(f.edit->Text(), "ab");
}

TEST(DropDownKeys, EscapeUndoesAndReachesTheCancelButton)
{
    TypingForm f;
    auto* cancel = new TLbButton(&f.form);
    cancel->SetBounds(250, 150, 75, 25);
    cancel->SetCancel(true);
    int cancelClicks = 0;
    cancel->OnClick = [&](TControl*) { ++cancelClicks; };
    f.edit->SetPrefix("$");
    f.edit->SetText("12");
    f.edit->SetSelStart(3);
    TypeKeys(f.form, "3");
    ASSERT_TRUE(f.edit->Modified());
    PressKey(f.form, VK_ESCAPE);
    EXPECT_EQ(f.edit->SelStart(), 1);
    EXPECT_EQ(f.edit->SelLength(), 3) << "the value is selected";
    EXPECT_FALSE(f.edit->Modified());
    EXPECT_FALSE(f.edit->IsModified());
    EXPECT_EQ(cancelClicks, 0) << "posted, not yet handled";
    Application_ProcessMessages();
    EXPECT_EQ(cancelClicks, 1);

    // Without the default handling the form does not see it.
    f.edit->SetDefaultHandling(false);
    f.edit->SetCanUndo(false);
    PressKey(f.form, VK_ESCAPE);
    Application_ProcessMessages();
    EXPECT_EQ(cancelClicks, 2) << "Escape goes to the form as a posted key";
}

TEST(DropDownKeys, EnterReachesTheDefaultButton)
{
    TypingForm f;
    auto* ok = new TLbButton(&f.form);
    ok->SetBounds(150, 150, 75, 25);
    ok->SetDefault(true);
    int okClicks = 0;
    ok->OnClick = [&](TControl*) { ++okClicks; };
    std::vector<char32_t> presses;
    f.edit->OnKeyPress = [&](TControl*, char32_t& k) { presses.push_back(k); };
    f.edit->SetText("ab");
    PressKey(f.form, VK_RETURN);
    Application_ProcessMessages();
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(presses, std::vector<char32_t>{13});
    EXPECT_EQ(f.edit->Text(), "ab");
}

TEST(DropDownKeys, KeypadDecimalTypesTheDecimalSeparator)
{
    FormatGuard comma(',', '.', '/', "dd/mm/yyyy");
    TypingForm f;
    f.edit->SetExcelStyleDecimalSeparator(true);
    f.Start("1", 1);
    PressKey(f.form, VK_DECIMAL, {}, ".");
    EXPECT_EQ(f.edit->Text(), "1,");
    f.Start("1", 1);
    PressKey(f.form, VK_OEM_PERIOD, {}, ".");
    EXPECT_EQ(f.edit->Text(), "1.");
    f.edit->SetExcelStyleDecimalSeparator(false);
    f.Start("1", 1);
    PressKey(f.form, VK_DECIMAL, {}, ".");
    EXPECT_EQ(f.edit->Text(), "1.");
}
