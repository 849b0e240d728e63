// The BACnet engineering units: the names of the codes, the categories of
// the picker, and the picker as a person uses it (its lists chosen with
// keys, its buttons pressed with the mouse, codes typed).
#include "core/ULanguage.h"
#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Input.h"
#include "rules/field/UBACnet_Eng_Unit.h"
#include "widgets/LbButton.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

TEST(BACnetUnits, NamesOfCodes)
{
    struct Case {
        int code;
        const char* name;
    } cases[] = {
        {0, "square-meters"},
        {62, "degrees-Celsius"},
        {95, "no-units"},
        {102, "psi-per-degree-Fahrenheit"},
        {105, "currency1"},
        {121, "delta-degrees-Kelvin"},
        {141, "watts-per-square-meter-degree-kelvin"},
        {153, "newton"},
        {166, "meters-per-second-per-second"},
        {181, "degrees-Kelvin-per-hour"},
        {185, "square-meters-per-Newton"},
        {188, "newtons-per-meter"},
        {189, "watts-per-meter-per-degree-Kelvin"},
        {207, "per-mille"},
        {208, "grams-per-gram"},
        {234, "pH"},
        {236, "minutes-per-degree-kelvin"},
        {-1, "unknown"},
        {237, "unknown"},
        {1000, "unknown"},
        {INT32_MIN, "unknown"},
    };
    for (const Case& c : cases) EXPECT_EQ(Desc_Unit(c.code), c.name) << c.code;
}

// Capitals only where the names hold them: Celsius, Fahrenheit and Kelvin
// (but not in 141 and 236), Newton in 185 alone, and pH.
TEST(BACnetUnits, CapitalsOnlyWhereTheNamesHoldThem)
{
    auto capitalise = [](std::string name, const std::string& word) {
        for (size_t at = name.find(word); at != std::string::npos; at = name.find(word, at + 1))
            name[at] = static_cast<char>(name[at] - 'a' + 'A');
        return name;
    };
    for (int code = 0; code <= Eng_Unit_Last_Code; ++code) {
        const std::string name = Desc_Unit(code);
        ASSERT_FALSE(name.empty());
        std::string want = name;
        for (char& ch : want) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (code == 234) {
            want = "pH";
        } else {
            if (code != 141 && code != 236)
                for (const char* w : {"celsius", "fahrenheit", "kelvin"}) want = capitalise(want, w);
            if (code == 185) want = capitalise(want, "newton");
        }
        EXPECT_EQ(name, want) << code;
        EXPECT_EQ(name.find(' '), std::string::npos) << code;
    }
}

TEST(BACnetUnits, CategoriesHoldEveryCodeOnce)
{
    const std::vector<TEngUnitCategory>& all = Eng_Unit_Categories();
    ASSERT_EQ(all.size(), 23u);
    EXPECT_STREQ(all.front().name, "Acceleration");
    EXPECT_STREQ(all[13].name, "Mass Flow");
    EXPECT_STREQ(all[16].name, "Temperature");
    EXPECT_STREQ(all[21].name, "Volumetric Flow");
    EXPECT_STREQ(all.back().name, "Other");
    EXPECT_EQ(all[3].codes.size(), 35u);
    EXPECT_EQ(all.back().codes.size(), 59u);
    std::multiset<int> seen;
    for (const TEngUnitCategory& c : all) seen.insert(c.codes.begin(), c.codes.end());
    EXPECT_EQ(seen.size(), 237u);
    for (int code = 0; code <= Eng_Unit_Last_Code; ++code) EXPECT_EQ(seen.count(code), 1u) << code;
}

namespace {

// The picker, opened through its calling protocol; the person's actions
// run while it is shown.
class EngUnitPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        ULanguage::Load_Default_Lang();
        picker = std::make_unique<TFBACnet_Eng_Unit>();
        old = SetModalHandler([this](TForm& f) {
            ASSERT_EQ(&f, picker.get());
            ActivateWindowOf(f);
            if (act) act();
        });
    }
    void TearDown() override { SetModalHandler(old); }

    // Opens the picker on a cell's text; returns the text after it closed.
    std::string Open(const std::string& cell, std::function<void()> actions)
    {
        act = std::move(actions);
        std::string text = cell;
        picked = picker->Pick(text);
        return text;
    }
    void Press(TControl& c) { SendClick(c, c.Width() / 2, c.Height() / 2); }
    // Chooses item index of a list with the keys: Home, then Down.
    void Choose(TComboBox& list, int index)
    {
        list.SetFocus();
        PressKey(*picker, VK_HOME);
        for (int i = 0; i < index; ++i) PressKey(*picker, VK_DOWN);
        ASSERT_EQ(list.ItemIndex(), index);
    }
    int Category(const char* name)
    {
        const std::vector<TEngUnitCategory>& all = Eng_Unit_Categories();
        for (size_t i = 0; i < all.size(); ++i)
            if (std::string(all[i].name) == name) return static_cast<int>(i);
        return -1;
    }
    // Chooses a category and one of its units, presses "Select Engineering
    // Unit" and reports the edit box and the name beside it.
    std::string Select(const char* category, int unit)
    {
        Choose(*picker->CB_Select_Type, Category(category));
        Choose(*picker->CB_Select_Unit, unit);
        Press(*picker->Btn_Select_Eng_Unit);
        return picker->E_Selected_EU->Text() + " " + picker->Label5->Caption();
    }

    RecordingMessageBoxes boxes;
    std::unique_ptr<TFBACnet_Eng_Unit> picker;
    std::function<void()> act;
    bool picked = false;
    TModalHandler old;
};

} // namespace

TEST_F(EngUnitPicker, TextsAndAnEmptyCell)
{
    std::string edit, label;
    const std::string text = Open("", [&] {
        edit = picker->E_Selected_EU->Text();
        label = picker->Label5->Caption();
        Press(*picker->Btn_Cancel);
    });
    EXPECT_FALSE(picked);
    EXPECT_EQ(text, "");
    EXPECT_EQ(edit, "");
    EXPECT_EQ(label, "-> unknown");
    EXPECT_EQ(picker->Caption(), "Select the BACnet Engineering Unit");
    EXPECT_EQ(picker->ClientWidth(), 548);
    EXPECT_EQ(picker->ClientHeight(), 306);
    EXPECT_EQ(picker->Btn_Select_Eng_Unit->Caption(), "Select Engineering Unit");
    EXPECT_EQ(picker->CB_Select_Type->Items().Count(), 23);
    EXPECT_EQ(picker->CB_Select_Type->Text(), "Acceleration");
}

TEST_F(EngUnitPicker, ChosenUnitsGiveTheirCodes)
{
    std::vector<std::string> seen;
    const std::string text = Open("95", [&] {
        EXPECT_EQ(picker->Label5->Caption(), "-> no-units");
        seen.push_back(Select("Other", 29));
        seen.push_back(Select("Other", 30));
        for (int i = 0; i < 4; ++i) seen.push_back(Select("Area", i));
        seen.push_back(Select("Temperature", 2));
        Press(*picker->Btn_OK);
    });
    EXPECT_TRUE(picked);
    EXPECT_EQ(text, "181");
    EXPECT_EQ(seen, (std::vector<std::string>{"207 -> per-mille", "208 -> grams-per-gram", "0 -> square-meters",
                                              "116 -> square-centimeters", "1 -> square-feet", "115 -> square-inches",
                                              "181 -> degrees-Kelvin-per-hour"}));
}

TEST_F(EngUnitPicker, OKWithoutSelectingKeepsTheCodeAndTypedCodesAreReturned)
{
    EXPECT_EQ(Open("62", [&] {
                  Choose(*picker->CB_Select_Type, Category("Pressure"));
                  Choose(*picker->CB_Select_Unit, 3);
                  Press(*picker->Btn_OK);
              }),
              "62");
    EXPECT_TRUE(picked);
    // The category chosen last comes back, with its first unit.
    EXPECT_EQ(Open("", [&] {
                  EXPECT_EQ(picker->CB_Select_Type->Text(), "Pressure");
                  EXPECT_EQ(picker->CB_Select_Unit->Text(), "pascals");
                  picker->E_Selected_EU->SetFocus();
                  TypeKeys(*picker, "300");
                  Press(*picker->Btn_OK);
              }),
              "300");
    std::string label;
    EXPECT_EQ(Open("300", [&] {
                  label = picker->Label5->Caption();
                  Press(*picker->Btn_OK);
              }),
              "300");
    EXPECT_EQ(label, "-> unknown");
    // Cancel hands nothing back, whatever was chosen or typed.
    EXPECT_EQ(Open("12", [&] {
                  Select("Temperature", 0);
                  Press(*picker->Btn_Cancel);
              }),
              "12");
    EXPECT_FALSE(picked);
}
