// The drop-down edit's colour styles: the component style presets of the
// pop-up, header, footer and push buttons, the selection colour styles and
// their faces, the colours from a tone set and the item appearance presets.

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "widgets/dropdown/DropDownForm.h"
#include "widgets/dropdown/ExDropDown.h"
#include "widgets/dropdown/ItemAppearance.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

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

// A colour the style does not write.
constexpr TColor U = 0xFFFFFFFFu;
constexpr TColor N = clNone;
constexpr TColor Face = clBtnFace;
constexpr TColor Hi = clHighlight;
constexpr TColor Inact = clInactiveCaption;

const char* const StyleNames[] = {"Office2003Blue", "Office2003Silver", "Office2003Olive", "Office2003Classic",
                                  "Office2007Luna", "Office2007Obsidian", "WindowsXP", "Whidbey", "Custom",
                                  "Office2007Silver", "WindowsVista", "Windows7", "Terminal", "Office2010Blue",
                                  "Office2010Silver", "Office2010Black"};

// Pop-up colour, colour to, border; header colour, to, font, border; footer
// colour, to, font, border.
using PopupRow = std::array<TColor, 11>;
const PopupRow PopupTable[] = {
    {0xFFFFFF, N, U, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0xFCE1CB, 0xE0A57D, 0x000000, 0x962D00},
    {0xFFFFFF, N, U, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C},
    {0xFFFFFF, N, N, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060},
    {0xF2F2F2, 0xF2F2F2, N, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {0xF3E5DA, 0xF0DED0, N, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF},
    {0xFFFFFF, N, N, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C},
    {0xFFFFFF, N, U, 0xFFFFFF, Face, 0x000000, 0x808080, 0xFFFFFF, Face, 0x000000, 0x808080},
    {0xF5F9FA, 0xF5F9FA, N, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00},
    {U, U, U, U, U, U, U, U, U, U, U},
    {0xF8F4F1, 0xF0E8E3, N, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F},
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9, 0x000000, 0xFCF2DA},
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8},
    {0xFFFFFF, 0xFFFFFF, 0x808080, Face, Face, 0x000000, N, Face, Face, 0x000000, N},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D},
};

// Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot,
// ColorDown, ColorDownTo, BorderColorDown, ColorDisabled, ColorDisabledTo,
// ColorChecked, ColorCheckedTo, BorderColorChecked.
using ButtonRow = std::array<TColor, 14>;
const ButtonRow ButtonTable[] = {
    {0xFCE1CB, 0xE0A57D, N, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1,
     0x4190F3, 0x45667B},
    {0xECE2E1, 0xB39698, N, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1,
     0x4190F3, 0x45667B},
    {0xCFF0EA, 0x8CC0B1, N, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1,
     0x4190F3, 0x45667B},
    {0xFFFFFF, 0xC9D1D5, N, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4,
     0xD8D5D4, 0x808080},
    {0xFFEFE3, 0xFFDDC4, N, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1,
     0x4190F3, 0x45667B},
    {0xF2F1F0, 0xC9C2BD, N, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1,
     0x4190F3, 0x45667B},
    {0xFFFFFF, Face, N, 0xEFD3C6, 0xEFD3C6, Hi, Inact, Inact, Hi, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
    {0xFFFFFF, 0xDFEDF0, N, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1,
     0x4190F3, 0x45667B},
    {U, U, U, U, U, U, U, U, U, U, U, U, U, U},
    {0xF9F8F8, 0xE4E2DF, N, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1,
     0x4190F3, 0x45667B},
    {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF,
     0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF,
     0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    {Face, Face, N, 0xC0C0C0, 0xC0C0C0, 0x808080, Hi, Hi, 0x808080, Face, Face, Face, Face, Hi},
    {0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0x8AE3FD, N, 0x58CAF1, 0x6CD0FF, N, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, N,
     0x4FA0CE},
    {0xFFFFFF, 0xEDE5E0, 0xD2CDC8, 0x8AE3FD, N, 0x58CAF1, 0x6CD0FF, N, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, N,
     0x4FA0CE},
    {0xBFBFBF, 0x919191, 0xD7D7D6, 0x8AE3FD, N, 0x58CAF1, 0x6CD0FF, N, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, N,
     0x4FA0CE},
};

PopupRow PopupColors(TExCustomDropDown& e)
{
    THeaderAppearance& h = e.DropDownHeader();
    TFooterAppearance& f = e.DropDownFooter();
    return {e.DropDownColor(), e.DropDownColorTo(), e.DropDownBorderColor(), h.Color, h.ColorTo, h.Font().Color(),
            h.BorderColor,     f.Color,           f.ColorTo,               f.Font().Color(), f.BorderColor};
}

ButtonRow ButtonColors(const TExButtonAppearance& a)
{
    return {a.Color(),         a.ColorTo(),         a.BorderColor(),     a.ColorHot(),  a.ColorHotTo(),
            a.BorderColorHot(), a.ColorDown(),       a.ColorDownTo(),     a.BorderColorDown(),
            a.ColorDisabled(), a.ColorDisabledTo(), a.ColorChecked(),    a.ColorCheckedTo(), a.BorderColorChecked()};
}

// The row with every unwritten colour taken from before.
template <class Row>
Row Expected(const Row& table, const Row& before)
{
    Row r = table;
    for (size_t i = 0; i < r.size(); ++i)
        if (r[i] == U) r[i] = before[i];
    return r;
}

} // namespace

TEST(DropDownStyle, ANewEditHasTheOffice2007LunaColours)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    EXPECT_EQ(e.GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(PopupColors(e), PopupTable[tsOffice2007Luna]);
    EXPECT_EQ(e.DropDownBorderColor(), clNone);
    EXPECT_EQ(ButtonColors(e.ButtonAppearance()), ButtonTable[tsOffice2007Luna]);
    EXPECT_EQ(e.SelectionColorStyle(), scOffice2007);
    EXPECT_EQ(e.SelectionColor(), 0xD7FFFDu);
    EXPECT_EQ(e.SelectionColorTo(), 0x58D4FCu);
}

TEST(DropDownStyle, EveryStyleInTurnWritesItsTables)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    for (int s = 0; s <= tsOffice2010Black; ++s) {
        const PopupRow popupBefore = PopupColors(e);
        const ButtonRow buttonsBefore = ButtonColors(e.ButtonAppearance());
        e.SetComponentStyle(static_cast<TNUVStyle>(s));
        EXPECT_EQ(e.GetComponentStyle(), s);
        EXPECT_EQ(PopupColors(e), Expected(PopupTable[s], popupBefore)) << StyleNames[s];
        EXPECT_EQ(ButtonColors(e.ButtonAppearance()), Expected(ButtonTable[s], buttonsBefore)) << StyleNames[s];
    }
}

TEST(DropDownStyle, SingleStylesWhereOrderMatters)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    e.SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(e.DropDownHeader().BorderColor, 0x000000u);
    EXPECT_EQ(e.DropDownFooter().BorderColor, 0x962D00u);

    e.SetComponentStyle(tsWindowsVista);
    EXPECT_EQ(e.DropDownHeader().Color, 0xFFFDF9u);
    EXPECT_EQ(e.DropDownHeader().ColorTo, 0xFFFAF0u);
    EXPECT_EQ(e.DropDownFooter().Color, 0xFFFAF0u) << "the footer runs the other way";
    EXPECT_EQ(e.DropDownFooter().ColorTo, 0xFFFDF9u);

    e.SetComponentStyle(tsWindows7);
    EXPECT_EQ(e.ButtonAppearance().ColorDown(), 0xFCEBDCu);
    e.SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(e.DropDownBorderColor(), 0x979797u) << "Office 2003 Blue leaves the pop-up border";

    e.SetComponentStyle(tsOffice2010Blue);
    EXPECT_EQ(e.ButtonAppearance().ColorHotTo(), clNone);

    const PopupRow popup = PopupColors(e);
    const ButtonRow buttons = ButtonColors(e.ButtonAppearance());
    e.SetComponentStyle(tsCustom);
    EXPECT_EQ(e.GetComponentStyle(), tsCustom);
    EXPECT_EQ(PopupColors(e), popup);
    EXPECT_EQ(ButtonColors(e.ButtonAppearance()), buttons);
}

TEST(DropDownStyle, ButtonColoursGoThroughTheSetters)
{
    EditOnForm f;
    int changes = 0;
    f.edit->ButtonAppearance().OnChange = [&](TObject*) { ++changes; };
    f.edit->SetComponentStyle(tsWindows7);
    EXPECT_GT(changes, 0) << "the buttons repaint";
    changes = 0;
    f.edit->SetComponentStyle(tsWindows7);
    EXPECT_EQ(changes, 0) << "nothing changed";
}

TEST(DropDownStyle, AnOpenPopupIsNotToldOfAStyleChange)
{
    EditOnForm f;
    f.form.ShowForm();
    ActivateWindowOf(f.form);
    f.edit->ShowDropDown();
    ASSERT_TRUE(f.edit->DroppedDown());
    // The strips' change events are what makes an open pop-up lay itself
    // out and repaint; a style writes the colours past them.
    int notified = 0;
    f.edit->DropDownHeader().OnChange = [&](TObject*) { ++notified; };
    f.edit->DropDownFooter().OnChange = [&](TObject*) { ++notified; };
    f.edit->DropDownHeader().OnButtonsChanged = [&](TObject*) { ++notified; };
    f.edit->DropDownFooter().OnButtonsChanged = [&](TObject*) { ++notified; };
    f.edit->SetComponentStyle(tsOffice2003Classic);
    Application_ProcessMessages();
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(f.edit->DropDownHeader().Color, 0x808080u) << "the colours are written all the same";
    f.edit->HideDropDown(true);
}

TEST(DropDownStyle, SelectionColourStyles)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    struct Case {
        TSelectionColorStyle style;
        TColor color, colorTo;
    } cases[] = {
        {scWindowsVista, 0xFDF8F1, 0xFCEFD5},
        {scWindows7, 0xFCEBDC, 0xFCDBC1},
        {scOffice2007, 0xD7FFFD, 0x58D4FC},
        {scCustom, 0xD7FFFD, 0x58D4FC}, // keeps the colours it finds
    };
    for (const Case& c : cases) {
        e.SetSelectionColorStyle(c.style);
        EXPECT_EQ(e.SelectionColorStyle(), c.style);
        EXPECT_EQ(e.SelectionColor(), c.color) << c.style;
        EXPECT_EQ(e.SelectionColorTo(), c.colorTo) << c.style;
    }
    e.SetSelectionColor(0x123456);
    e.SetSelectionColorStyle(scCustom);
    EXPECT_EQ(e.SelectionColor(), 0x123456u);
}

TEST(DropDownStyle, DrawSelectionFaces)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    const TRect r{2, 3, 42, 23};

    e.SetSelectionColorStyle(scCustom);
    e.SetSelectionColor(0x3366CC);
    TBitmap plain(50, 30);
    plain.Canvas().Brush().SetColor(clWhite);
    plain.Canvas().FillRect({0, 0, 50, 30});
    e.DrawSelection(plain.Canvas(), r, clWhite, 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x) {
            const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
            ASSERT_EQ(plain.Pixel(x, y), inside ? 0x3366CCu : clWhite) << x << "," << y;
        }

    // Vista: one gradient from SelectionColor to SelectionColorTo inside the
    // rounded border, the outermost corners in the back colour.
    e.SetSelectionColorStyle(scWindowsVista);
    TBitmap rounded(50, 30);
    rounded.Canvas().Brush().SetColor(clWhite);
    rounded.Canvas().FillRect({0, 0, 50, 30});
    e.DrawSelection(rounded.Canvas(), r, 0x00FF00, 0);
    EXPECT_EQ(rounded.Pixel(r.Left, r.Top), 0x00FF00u) << "outer corner in the back colour";
    EXPECT_EQ(rounded.Pixel(20, r.Top), 0xFDDE99u) << "border";
    EXPECT_EQ(rounded.Pixel(20, r.Top + 1), 0xFDFBF6u) << "inner top line";
    EXPECT_EQ(rounded.Pixel(20, r.Top + 2), 0xFDF8F1u) << "the gradient starts in SelectionColor";
    EXPECT_EQ(rounded.Pixel(20, r.Bottom - 4), 0xFCEFD5u) << "and ends in SelectionColorTo";

    // Office 2007: the lower half runs from 0x58D4FC to 0xB3F1FC.
    e.SetSelectionColorStyle(scOffice2007);
    TBitmap office(50, 30);
    e.DrawSelection(office.Canvas(), r, clWhite, 0);
    const int mid = (r.Top + 2 + r.Bottom - 3) / 2;
    EXPECT_EQ(office.Pixel(20, mid), 0x58D4FCu);
    EXPECT_EQ(office.Pixel(20, r.Top + 2), 0xD7FFFDu);
}

TEST(DropDownStyle, ColourTones)
{
    EditOnForm f;
    TExCustomDropDown& e = *f.edit;
    TColorTones t;
    t.Background = {0x111111, 0x222222, 0x333333};
    t.Hover = {0x444444, 0x555555, 0x666666};
    t.Selected = {0x777777, 0x888888, 0x999999};
    e.SetColorTones(t);
    TDropDownEditButton& b = *e.Button();
    EXPECT_EQ(b.ButtonColor, 0x111111u);
    EXPECT_EQ(b.ButtonColorHot, 0x444444u);
    EXPECT_EQ(b.ButtonColorDown, 0x777777u);
    EXPECT_EQ(b.ButtonBorderColor, 0x222222u);
    EXPECT_EQ(e.BorderColor(), 0x222222u);
}

TEST(ItemAppearanceStyle, ComponentStylePresets)
{
    TItemAppearance a(nullptr);
    ApplyItemAppearanceStyle(&a, tsOffice2007Luna);
    EXPECT_EQ(a.BorderColorTop, 0xF4FEFFu);
    EXPECT_EQ(a.BorderColorBottom, 0xCAF8FFu);
    EXPECT_EQ(a.EdgeColor, 0xC3D9DFu);
    EXPECT_EQ(a.ColorHot, 0xEBFDFFu);
    EXPECT_EQ(a.ColorMirrorSelectedTo, 0x7AE1FEu);

    ApplyItemAppearanceStyle(&a, tsWindowsXP);
    EXPECT_EQ(a.ColorSelected, 0xFF00000Du);
    EXPECT_EQ(a.ColorSelectedText, 0xFF00000Eu);
    EXPECT_EQ(a.BorderColorTop, clNone);

    ApplyItemAppearanceStyle(&a, tsOffice2010Black);
    EXPECT_EQ(a.ColorSelected, 0x7BEEFFu);
    EXPECT_EQ(a.ColorSelectedText, clBlack);
    EXPECT_EQ(a.ColorMirrorHot, 0x8AE3FDu);

    ApplyItemAppearanceStyle(&a, tsWindows7);
    EXPECT_EQ(a.BorderColor, 0xCEA27Du);
    EXPECT_EQ(a.EdgeColor, 0xE0C5AEu);
    EXPECT_EQ(a.ColorStyle(), scOffice2007) << "the colour style stays";

    // Every style but tsCustom clears the hot and selected borders.
    for (int s = 0; s <= tsOffice2010Black; ++s) {
        a.BorderColorHot = 0x0000FF;
        a.BorderColorSelected = 0x00FF00;
        a.ColorHotText = 0x123456;
        ApplyItemAppearanceStyle(&a, static_cast<TNUVStyle>(s));
        if (s == tsCustom) {
            EXPECT_EQ(a.BorderColorHot, 0x0000FFu);
            EXPECT_EQ(a.BorderColorSelected, 0x00FF00u);
            EXPECT_EQ(a.ColorHotText, 0x123456u);
        } else {
            EXPECT_EQ(a.BorderColorHot, clNone) << StyleNames[s];
            EXPECT_EQ(a.BorderColorSelected, clNone) << StyleNames[s];
            EXPECT_EQ(a.ColorHotText, clBlack) << StyleNames[s];
        }
    }
    ApplyItemAppearanceStyle(nullptr, tsWindows7); // nothing without an appearance
}

TEST(ItemAppearanceStyle, ColourStylePresetsAndAssign)
{
    TItemAppearance a(nullptr);
    EXPECT_EQ(a.ColorStyle(), scOffice2007);
    EXPECT_EQ(a.ColorHot, 0xD7FFFDu);
    EXPECT_EQ(a.ColorSelectedTo, 0x04B9F4u);
    EXPECT_EQ(a.Font().Name(), "Tahoma");
    a.SetColorStyle(scWindows7);
    EXPECT_EQ(a.ColorSelected, 0xF9D8B9u);
    EXPECT_EQ(a.ColorMirrorHot, clNone);
    a.ColorHot = 0x010203;
    a.SetColorStyle(scWindows7);
    EXPECT_EQ(a.ColorHot, 0x010203u) << "the same style writes nothing";
    a.SetColorStyle(scCustom);
    EXPECT_EQ(a.ColorHot, 0x010203u);

    // Assign: the source's colours, then its colour style's preset when the
    // styles differ, then the text and border colours.
    TItemAppearance b(nullptr);
    b.SetColorStyle(scWindowsVista);
    b.ColorHot = 0x0A0B0C;
    b.BorderColorHot = 0x0000FF;
    b.ColorHotText = 0x00FF00;
    TItemAppearance c(nullptr);
    c.Assign(&b);
    EXPECT_EQ(c.ColorStyle(), scWindowsVista);
    EXPECT_EQ(c.ColorHot, 0xFDF8F1u) << "the preset over the copied colour";
    EXPECT_EQ(c.BorderColorHot, 0x0000FFu);
    EXPECT_EQ(c.ColorHotText, 0x00FF00u);
    TItemAppearance d(nullptr);
    d.SetColorStyle(scWindowsVista);
    d.Assign(&b);
    EXPECT_EQ(d.ColorHot, 0x0A0B0Cu) << "same style: the copied colour stays";
}
