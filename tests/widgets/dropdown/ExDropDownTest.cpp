// The drop-down edit base: text model, numbers, setters, copying and the
// values of a new edit.

#include "DropDownLocale.h"

#include "platform/Forms.h"
#include "widgets/dropdown/ExDropDown.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct EditOnForm {
    EditOnForm()
    {
        form.SetClientSize(300, 200);
        edit = new TExCustomDropDown(&form);
        edit->SetBounds(20, 20, 200, 21);
    }
    TForm form;
    TExCustomDropDown* edit;
};

class DropDownLocale : public DropDownLocaleTest {};
INSTANTIATE_TEST_SUITE_P(Separators, DropDownLocale, ::testing::Values('.', ','));

} // namespace

TEST_P(DropDownLocale, TextModel)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    e.SetPrefix("$");
    e.SetSuffix(" EUR");
    e.SetText("12");
    EXPECT_EQ(e.EditTextAll(), "$12 EUR");
    EXPECT_EQ(e.Text(), "12");
    e.SetTextDirect("x12 EUR");
    EXPECT_EQ(e.Text(), "x12");
    e.SetTextDirect("$12 EU");
    EXPECT_EQ(e.Text(), "12 EU") << "a suffix partly gone keeps every value character";
    e.SetPrefix("");
    e.SetSuffix("");

    struct Case {
        TDropDownEditType type;
        int precision;
        std::string value, shown;
    } cases[] = {
        {etNumeric, 0, "", "0"},
        {etFloat, 2, "3", L("3.00")},
        {etFloat, 2, "Error", "Error"},
        {etMoney, 2, L("1234.5"), L("1,234.50")},
        {etHex, 0, "ff", "FF"},
        {etString, 0, "", ""},
        {etHex, 0, "", "0"},
    };
    for (const auto& c : cases) {
        EditOnForm g;
        TExCustomDropDown& d = *g.edit;
        d.SetEditType(c.type);
        d.SetPrecision(c.precision);
        d.SetText("777");
        d.SetModified(true);
        d.SetText(c.value);
        EXPECT_EQ(d.Text(), c.shown) << c.value;
        EXPECT_FALSE(d.Modified()) << c.value;
        EXPECT_FALSE(d.IsModified()) << c.value;
        // Text typed later is dropped by a cancelled close.
        d.SetTextDirect("typed");
        d.HideDropDown(true); // not open: nothing happens
        EXPECT_EQ(d.Text(), "typed");
    }
}

TEST(DropDownEdit, ClassifyNumberText)
{
    FormatGuard guard('.', ',', '/', "dd/mm/yyyy");
    struct Case {
        const char* text;
        int kind;
    } cases[] = {
        {"123", 0}, {"-12", 0},     {"--1", 2}, {"1.5", 1}, {"1,234.5", 1}, {"1.2.3", 2}, {",12", 2},
        {"FF", 5},  {"1e5", 5},     {"-A", 5},  {"xyz", 2}, {"", 2},        {"12,345,678", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(TExCustomDropDown::ClassifyNumberText(c.text), c.kind) << c.text;
    FormatGuard comma(',', '.', '/', "dd/mm/yyyy");
    EXPECT_EQ(TExCustomDropDown::ClassifyNumberText("1.234,5"), 1);
    EXPECT_EQ(TExCustomDropDown::ClassifyNumberText("1,2,3"), 2);
}

TEST_P(DropDownLocale, NumberAccess)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    e.SetEditType(etHex);
    e.SetText("FF");
    EXPECT_EQ(e.GetFloatValue(), 255);
    EXPECT_EQ(TExCustomDropDown::HexToInt("1FFFFFFFF"), 8589934591LL);
    EXPECT_EQ(TExCustomDropDown::HexToInt("7FFFFFFFFFFFFFFF"), 0x7FFFFFFFFFFFFFFFLL);
    EXPECT_EQ(TExCustomDropDown::HexToInt("FFFFFFFFFFFFFFFFFFFF"), 0x7FFFFFFFFFFFFFFFLL) << "saturates";
    EXPECT_EQ(TExCustomDropDown::HexToInt("1000000000000000000000"), 0x7FFFFFFFFFFFFFFFLL);
    EXPECT_EQ(TExCustomDropDown::HexToInt("0000000000000000000001"), 1);
    EXPECT_EQ(TExCustomDropDown::HexToInt("g1"), 1) << "other characters count 0";
    e.SetFloatValue(255.9);
    EXPECT_EQ(e.Text(), "FF");

    e.SetEditType(etString);
    e.SetText("2.5");
    EXPECT_EQ(e.GetFloatValue(), 2.5) << "the string type reads with a point";

    e.SetEditType(etMoney);
    e.SetText(L("1,234."));
    EXPECT_EQ(e.GetFloatValue(), 1234);

    e.SetEditType(etFloat);
    e.SetPrecision(-1);
    e.SetFloatValue(0.5);
    EXPECT_EQ(e.Text(), L("0.5"));
    e.SetText("-");
    EXPECT_EQ(e.GetFloatValue(), 0);

    e.SetEditType(etNumeric);
    e.SetModified(false);
    e.SetIntValue(7);
    EXPECT_EQ(e.Text(), "7");
    EXPECT_TRUE(e.Modified());
    EXPECT_EQ(e.GetFloatValue(), 7);
}

TEST_P(DropDownLocale, Setters)
{
    {
        EditOnForm f;
        f.edit->SetText("abc");
        f.edit->SetEditType(etNumeric);
        EXPECT_EQ(f.edit->Text(), "0");
    }
    {
        EditOnForm f;
        f.edit->SetText("12");
        f.edit->SetEditType(etFloat);
        EXPECT_EQ(f.edit->Text(), "12");
    }
    {
        EditOnForm f;
        ASSERT_TRUE(f.edit->CanUndo());
        f.edit->SetEditType(etPassword);
        EXPECT_FALSE(f.edit->CanUndo());
    }
    {
        EditOnForm f;
        f.edit->SetText("word");
        f.edit->SetPrecision(2);
        EXPECT_EQ(f.edit->Text(), L("0.00"));
        EXPECT_EQ(f.edit->Precision(), 2);
    }
    {
        EditOnForm f;
        f.edit->SetEditType(etNumeric);
        f.edit->SetText("5");
        f.edit->SetPrecision(2);
        EXPECT_EQ(f.edit->Precision(), 0) << "not stored for a numeric edit";
        EXPECT_EQ(f.edit->Text(), "5");
    }
}

TEST(DropDownEdit, ANewEdit)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    TExCustomDropDown fresh(&f.form);
    EXPECT_EQ(fresh.Width(), 200);
    EXPECT_EQ(fresh.Height(), 21);
    EXPECT_EQ(fresh.Button()->Width(), 17);
    EXPECT_EQ(fresh.Button()->Left() + fresh.Button()->Width() + 2, 200) << "at the right edge";
    EXPECT_EQ(fresh.LabelMargin(), 0);
    EXPECT_EQ(fresh.Version(), "1.2.1.4");
    fresh.SetVersion("9.9.9.9");
    EXPECT_EQ(fresh.Version(), "1.2.1.4");
    EXPECT_EQ(fresh.EditType(), etString);
    EXPECT_EQ(fresh.DropPosition(), dpAuto);
    EXPECT_EQ(fresh.UserDropDownWidth(), -1);
    EXPECT_EQ(fresh.GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(fresh.SelectionColorStyle(), scOffice2007);
    EXPECT_FALSE(fresh.DroppedDown());
    EXPECT_TRUE(fresh.Text().empty());
    (void)e;
}

TEST(DropDownEdit, AssignCopiesTheSettingsButNotTheText)
{
    EditOnForm f;
    TExCustomDropDown& from = *f.edit;
    from.SetPrefix("<");
    from.SetSuffix(">");
    from.SetDropDownWidth(333);
    from.SetDropDownColor(0x112233);
    from.SetDropDownColorTo(0x445566);
    from.DropDownHeader().Caption = "Head";
    from.ButtonAppearance().SetColor(0x778899);
    from.SetText("value");
    TExCustomDropDown to(&f.form);
    to.SetText("mine");
    to.Assign(&f.form); // not a drop-down: nothing
    EXPECT_EQ(to.Prefix(), "");
    to.Assign(&from);
    EXPECT_EQ(to.Prefix(), "<");
    EXPECT_EQ(to.Suffix(), ">");
    EXPECT_EQ(to.DropDownWidth(), 333);
    EXPECT_EQ(to.DropDownColor(), 0x112233u);
    EXPECT_EQ(to.DropDownColorTo(), 0x445566u);
    EXPECT_EQ(to.DropDownHeader().Caption, "Head");
    EXPECT_EQ(to.ButtonAppearance().Color(), 0x778899u);
    EXPECT_EQ(to.EditTextAll(), "mine");
}
