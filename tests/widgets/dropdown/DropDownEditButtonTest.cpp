// The drop-down arrow button: its looks and when it reports a click.

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/Themes.h"
#include "platform/WindowImage.h"
#include "widgets/dropdown/DropDownEditButton.h"

#include <gtest/gtest.h>

namespace {

// An edit stand-in the button reads its border colour and state from.
class EditStandIn : public TCustomControl, public IDropDownButtonEdit {
public:
    explicit EditStandIn(TWinControl* parent) : TCustomControl(parent) {}
    const char* ClassName() const override { return "EditStandIn"; }
    TColor EditBorderColor() const override { return border; }
    bool EditAcceptsInput() const override { return accepts; }
    TColor border = clNone;
    bool accepts = true;
};

struct ButtonOnEdit {
    ButtonOnEdit()
    {
        form.SetClientSize(200, 80);
        edit = new EditStandIn(&form);
        edit->SetBounds(10, 10, 120, 21);
        button = new TDropDownEditButton(edit);
        button->SetFocusControl(edit);
        button->SetBounds(120 - 17, 0, 17, 21);
        button->OnClick = [this](TControl* Sender) {
            EXPECT_EQ(Sender, button);
            ++clicks;
        };
        form.ShowForm();
    }
    TBitmap Face() { return ControlImage(button->Button()); }
    TForm form;
    EditStandIn* edit;
    TDropDownEditButton* button;
    int clicks = 0;
};

} // namespace

TEST(DropDownEditButton, CustomColourLook)
{
    ButtonOnEdit f;
    f.button->SetButtonWidth(17);
    f.edit->border = 0xFF0000;
    f.button->ButtonColor = 0x00FF00;
    f.button->ButtonColorHot = 0x00FFFF;
    f.button->ButtonColorDown = 0xFF00FF;
    f.button->ButtonTextColor = 0x0000FF;
    f.button->ButtonTextColorHot = 0x800000;
    f.button->ButtonTextColorDown = 0x008000;
    TExDropDownSpeedButton& sb = *f.button->Button();

    TBitmap face = f.Face();
    EXPECT_EQ(face.Pixel(2, 2), 0x00FF00u);
    EXPECT_EQ(face.Pixel(8, 8), 0x0000FFu) << "inside the arrow";
    EXPECT_EQ(face.Pixel(5, 7), 0x0000FFu);
    EXPECT_EQ(face.Pixel(8, 12), 0x00FF00u) << "below the arrow";
    for (int y = 0; y < 21; ++y) ASSERT_EQ(face.Pixel(0, y), 0xFF0000u) << y;

    SendMouseEnter(sb);
    face = f.Face();
    EXPECT_EQ(face.Pixel(2, 2), 0x00FFFFu);
    EXPECT_EQ(face.Pixel(8, 8), 0x800000u);
    SendMouseDown(sb, 8, 8);
    face = f.Face();
    EXPECT_EQ(face.Pixel(2, 2), 0xFF00FFu);
    EXPECT_EQ(face.Pixel(8, 8), 0x008000u);
    SendMouseUp(sb, 8, 8);
    SendMouseLeave(sb);
    EXPECT_EQ(f.Face().Pixel(2, 2), 0x00FF00u);

    // Without a border colour of the edit no line is drawn.
    f.edit->border = clNone;
    EXPECT_EQ(f.Face().Pixel(0, 2), 0x00FF00u);
}

TEST(DropDownEditButton, GlyphLookWithoutColours)
{
    ButtonOnEdit f;
    TBitmap glyph(8, 8);
    glyph.Canvas().Brush().SetColor(clWhite);
    glyph.Canvas().FillRect(Rect(0, 0, 8, 8));
    glyph.Canvas().Brush().SetColor(clRed);
    glyph.Canvas().FillRect(Rect(2, 2, 6, 6));
    f.button->SetGlyph(glyph);
    TBitmap face = f.Face();
    EXPECT_EQ(face.Pixel(0, 0), 0x808080u);
    EXPECT_EQ(face.Pixel(15, 20), 0x808080u);
    EXPECT_EQ(face.Pixel(3, 3), clRed);
    EXPECT_EQ(face.Pixel(1, 1), ColorToRGB(clBtnFace)) << "the glyph's white is left out";
}

TEST(DropDownEditButton, ThemedAndClassicLooksDiffer)
{
    ButtonOnEdit f;
    const TBitmap themed = f.Face();
    SetThemeActive(false);
    const TBitmap classic = f.Face();
    SetThemeActive(true);
    // The classic look: the black arrow on the button face.
    EXPECT_EQ(classic.Pixel(8, 8), clBlack);
    EXPECT_EQ(classic.Pixel(1, 5), clWhite);
    bool differ = false;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 16; ++x) differ |= themed.Pixel(x, y) != classic.Pixel(x, y);
    EXPECT_TRUE(differ);
}

TEST(DropDownEditButton, ClicksOnTheReleaseOfTheLeftButton)
{
    ButtonOnEdit f;
    TExDropDownSpeedButton& sb = *f.button->Button();
    SendMouseDown(sb, 5, 5);
    EXPECT_EQ(f.clicks, 0);
    SendMouseUp(sb, 5, 5);
    EXPECT_EQ(f.clicks, 1);
    SendMouseDown(sb, 5, 5, mbRight);
    SendMouseUp(sb, 5, 5, mbRight);
    EXPECT_EQ(f.clicks, 1);
    f.button->SetEnabled(false);
    EXPECT_FALSE(sb.Enabled());
    SendMouseDown(sb, 5, 5);
    SendMouseUp(sb, 5, 5);
    EXPECT_EQ(f.clicks, 1);
}

TEST(DropDownEditButton, KeepsItsButtonWidth)
{
    ButtonOnEdit f;
    f.button->SetButtonWidth(17);
    f.button->SetWidth(40);
    EXPECT_EQ(f.button->Width(), 17);
    EXPECT_EQ(f.button->Button()->Width(), 17);
    f.button->SetBounds(0, 0, 3, 30);
    EXPECT_EQ(f.button->Width(), 17);
    EXPECT_EQ(f.button->Button()->Height(), 30);
    f.button->SetButtonWidth(20);
    EXPECT_EQ(f.button->Width(), 20);
}
