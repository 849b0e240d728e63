// The drop-down edit's interaction rules: the clipboard by edit type, focus
// changes re-formatting the value, the border and the focused-value box as
// pictures, the attached label's places and the edit's own layout.

#include "DropDownLocale.h"

#include "platform/Clipbrd.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/WindowImage.h"
#include "widgets/dropdown/ExDropDown.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct EditForm {
    EditForm()
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
    TForm form;
    TExCustomDropDown* edit;
    TEdit* next;
};

class DropDownInteraction : public DropDownLocaleTest {};
INSTANTIATE_TEST_SUITE_P(Separators, DropDownInteraction, ::testing::Values('.', ','));

} // namespace

TEST_P(DropDownInteraction, PasteTable)
{
    struct Case {
        const char* name;
        TDropDownEditType type;
        std::function<void(TExCustomDropDown&)> setup;
        std::string start, clip, value;
    } cases[] = {
        {"letters into a number", etNumeric, nullptr, "1", "12a", "1"},
        {"number", etNumeric, nullptr, "1", "42", "42"},
        {"minus into an unsigned number", etNumeric, nullptr, "3", "-5", "3"},
        {"minus into a signed number", etNumeric, [](TExCustomDropDown& e) { e.SetSigned(true); }, "", "-5", "-5"},
        {"decimals without precision", etFloat, nullptr, "1", L("1.5"), "1"},
        {"decimals with precision", etFloat, [](TExCustomDropDown& e) { e.SetPrecision(2); }, "", L("1.5"),
         L("1.50")},
        {"blank into alphanumeric", etAlphaNumeric, nullptr, "x", "a b", "x"},
        {"alphanumeric", etAlphaNumeric, nullptr, "", "ab1", "ab1"},
        {"upper case", etUppercase, nullptr, "", "abc", "ABC"},
        {"lower case", etLowerCase, nullptr, "", "ABC", "abc"},
        {"mixed case", etMixedCase, nullptr, "", "hello WORLD", "Hello World"},
        {"valid characters", etValidChars, [](TExCustomDropDown& e) { e.SetValidChars("ab"); }, "a", "abc", "a"},
        {"hex", etHex, nullptr, "A", "FF", "A"},
        {"range", etRange, nullptr, "1", "2-3", "1"},
        {"too long", etString, [](TExCustomDropDown& e) { e.SetMaxLength(3); }, "12", "1234", "12"},
        {"refused by the event", etString,
         [](TExCustomDropDown& e) { e.OnClipboardPaste = [](TControl*, const std::string&, bool& allow) { allow = false; }; },
         "12", "34", "12"},
        {"string", etString, nullptr, "12", "34", "34"},
    };
    for (const Case& c : cases) {
        EditForm f;
        TExCustomDropDown& e = *f.edit;
        e.SetEditType(c.type);
        if (c.setup) c.setup(e);
        e.SetText(c.start);
        const std::string before = e.EditTextAll();
        // The clipboard's text replaces the whole value.
        e.SelectAll();
        const int start = e.SelStart(), length = e.SelLength();
        SetClipboardText(c.clip);
        PressKey(f.form, 'V', {ssCtrl});
        EXPECT_EQ(e.Text(), c.value) << c.name;
        if (e.EditTextAll() == before) {
            EXPECT_EQ(e.SelStart(), start) << c.name << ": the selection stays";
            EXPECT_EQ(e.SelLength(), length) << c.name;
        }
    }
}

TEST(DropDownInteraction, CutAndCopyEvents)
{
    EditForm f;
    TExCustomDropDown& e = *f.edit;
    e.SetPrefix("<");
    e.SetSuffix(">");
    e.SetText("value");
    std::vector<std::string> copies, cuts;
    bool allowCut = false;
    e.OnClipboardCopy = [&](TControl*, const std::string& v, bool&) { copies.push_back(v); };
    e.OnClipboardCut = [&](TControl*, const std::string& v, bool& allow) {
        cuts.push_back(v);
        allow = allowCut;
    };
    SetClipboardText("before");
    e.SelectAll();
    PressKey(f.form, 'X', {ssCtrl});
    EXPECT_EQ(e.Text(), "value") << "the cut was refused";
    EXPECT_EQ(ClipboardText(), "before");
    allowCut = true;
    e.SetSelStart(1);
    e.SetSelLength(3);
    PressKey(f.form, 'X', {ssCtrl});
    EXPECT_EQ(e.Text(), "ue");
    EXPECT_EQ(ClipboardText(), "val");
    EXPECT_EQ(cuts, (std::vector<std::string>{"value", "val"}));
    EXPECT_TRUE(copies.empty()) << "a cut fires no copy event";
    e.SelectAll();
    PressKey(f.form, 'C', {ssCtrl});
    EXPECT_EQ(copies, std::vector<std::string>{"ue"});
    EXPECT_EQ(ClipboardText(), "ue");
}

TEST_P(DropDownInteraction, FocusChangesFormatTheValue)
{
    {
        EditForm f;
        f.edit->SetEditType(etFloat);
        f.edit->SetPrecision(2);
        f.edit->SetTextDirect("3");
        PressKey(f.form, VK_TAB);
        ASSERT_TRUE(f.next->Focused());
        EXPECT_EQ(f.edit->Text(), L("3.00"));
    }
    for (bool allowNull : {false, true}) {
        EditForm f;
        f.edit->SetEditType(etNumeric);
        f.edit->SetAllowNumericNullValue(allowNull);
        f.edit->SetText("12");
        f.edit->SelectAll();
        PressKey(f.form, VK_BACK);
        ASSERT_EQ(f.edit->Text(), "");
        PressKey(f.form, VK_TAB);
        EXPECT_EQ(f.edit->Text(), allowNull ? "" : "0");
    }
    {
        EditForm f;
        f.edit->SetPrefix("$");
        f.edit->SetSuffix(" EUR");
        f.edit->SetText("12");
        f.next->SetFocus();
        PressKey(f.form, VK_TAB, {ssShift});
        ASSERT_TRUE(f.edit->Focused());
        EXPECT_EQ(f.edit->SelStart(), 1);
        EXPECT_EQ(f.edit->SelLength(), 2) << "exactly the value";
    }
}

TEST(DropDownInteraction, BorderPictures)
{
    EditForm f;
    TExCustomDropDown& e = *f.edit;
    e.SetBorderColor(0x0000FF);
    EXPECT_EQ(ControlImage(&e).Pixel(0, 0), 0x0000FFu);
    e.SetFocusBorderColor(0x00FF00);
    ASSERT_TRUE(e.Focused());
    EXPECT_EQ(ControlImage(&e).Pixel(0, 0), 0x00FF00u) << "focused";
    f.next->SetFocus();
    EXPECT_EQ(ControlImage(&e).Pixel(0, 0), 0x0000FFu) << "not focused";
    e.SetEnabled(false);
    EXPECT_EQ(ControlImage(&e).Pixel(0, 0), 0xC0C0C0u) << "disabled";
    e.SetDisabledBorder(false);
    EXPECT_EQ(ControlImage(&e).Pixel(0, 0), 0x0000FFu);

    // An edit that takes no text shows its focused value in a box.
    EditForm g;
    g.edit->SetEditorEnabled(false);
    g.edit->SetText("picked");
    ASSERT_TRUE(g.edit->Focused());
    EXPECT_EQ(ControlImage(g.edit).Pixel(3, 3), ColorToRGB(clHighlight));
    g.next->SetFocus();
    EXPECT_NE(ControlImage(g.edit).Pixel(3, 3), ColorToRGB(clHighlight));
}

TEST(DropDownInteraction, LabelPlaces)
{
    EditForm f;
    TExCustomDropDown& e = *f.edit;
    e.SetBounds(100, 50, 200, 21);
    e.SetLabelCaption("Name");
    TLabel* label = e.EditLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Left() + label->Width(), 100) << "a new edit's label touches it";
    e.SetLabelMargin(4);
    const int w = label->Width(), lh = label->Height();
    struct Case {
        TLabelPosition pos;
        int left, top;
    } cases[] = {
        {lpLeftTop, 100 - w - 4, 50},          {lpLeftCenter, 100 - w - 4, 50 + (21 - lh) / 2},
        {lpTopLeft, 100, 50 - lh - 4},         {lpBottomCenter, 100 + (200 - w) / 2, 75},
        {lpRighBottom, 304, 71 - lh},          {lpTopRight, 300 - w, 46 - lh},
        {lpLeftTopLeft, 96, 50},               {lpBottomRight, 300 - w, 75},
    };
    for (const Case& c : cases) {
        e.SetLabelPosition(c.pos);
        EXPECT_EQ(label->Left(), c.left) << c.pos;
        EXPECT_EQ(label->Top(), c.top) << c.pos;
    }
    e.SetBounds(120, 60, 200, 21);
    EXPECT_EQ(label->Left(), 320 - w) << "follows the edit";
}

TEST(DropDownInteraction, ResizeControl)
{
    EditForm f;
    TExCustomDropDown& e = *f.edit;
    e.SetHeight(5);
    EXPECT_GT(e.Height(), 5);
    const int minimum = e.Height();
    e.SetHeight(minimum + 10);
    EXPECT_EQ(e.Height(), minimum + 10);
    e.SetWidth(300);
    EXPECT_EQ(e.Button()->Left() + e.Button()->Width() + 2, 300) << "the button stays at the right edge";
}
