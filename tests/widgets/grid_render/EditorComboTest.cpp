// The combo base control: button width, label placement, item choice, the
// look it paints over the platform's and its close-up event.
#include "widgets/grid_render/Editor_Combo.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/Input.h"
#include "platform/Themes.h"

#include <gtest/gtest.h>

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

// The look the control paints over the platform's, on a plain bitmap.
TBitmap Look(TEsgCustomCombo& c, void (TEsgCustomCombo::*part)(TCanvas&))
{
    TBitmap b(c.Width(), c.Height());
    b.Canvas().Brush().SetColor(Paper);
    b.Canvas().FillRect(TRect{0, 0, c.Width(), c.Height()});
    (c.*part)(b.Canvas());
    return b;
}

} // namespace

TEST(EsgCombo, ButtonWidthTakesOnly14To32)
{
    TForm form;
    auto* c = new TEsgComboBox(&form);
    const struct {
        int value;
        bool taken;
    } cases[] = {{13, false}, {14, true}, {32, true}, {33, false}, {-1, false}};
    for (const auto& k : cases) {
        c->SetButtonWidth(20);
        c->SetButtonWidth(k.value);
        EXPECT_EQ(c->ButtonWidth(), k.taken ? k.value : 20) << k.value;
    }
}

TEST(EsgCombo, LabelPlacesFollowTheTable)
{
    // Control at (100, 50), 80 x 20; label 30 x 16 with a 26-pixel text.
    const struct {
        TLabelPosition pos;
        int left, top;
    } cases[] = {
        {lpLeftTop, 100 - 26 - 4, 50},      {lpLeftCenter, 70, 52},      {lpLeftBottom, 70, 54},
        {lpTopLeft, 100, 50 - 16 - 4},      {lpBottomLeft, 100, 74},     {lpLeftTopLeft, 96, 50},
        {lpLeftCenterLeft, 96, 52},         {lpLeftBottomLeft, 96, 54},  {lpTopCenter, 125, 30},
        {lpBottomCenter, 125, 74},          {lpRightTop, 184, 50},       {lpRightCenter, 184, 52},
        {lpRighBottom, 184, 54},
    };
    for (const auto& k : cases) {
        const TPoint p = EditLabelPlace(k.pos, 100, 50, 80, 20, 30, 16, 26, 4);
        EXPECT_EQ(p.X, k.left) << int(k.pos);
        EXPECT_EQ(p.Y, k.top) << int(k.pos);
    }
    // A label taller than the control sits above its top by half the
    // difference (halved towards zero).
    EXPECT_EQ(EditLabelPlace(lpLeftCenter, 100, 50, 80, 20, 30, 25, 26, 4).Y, 48);
    EXPECT_EQ(EditLabelPlace(lpTopCenter, 100, 50, 80, 20, 85, 16, 26, 4).X, 98);
}

TEST(EsgCombo, TheLabelFollowsTheControl)
{
    TForm form;
    form.SetClientSize(300, 200);
    auto* c = new TEsgComboBox(&form);
    c->SetBounds(120, 40, 100, 21);
    c->SetLabelCaption("Port");
    TLabel* l = c->Label();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), &form);
    EXPECT_EQ(l->Top(), 40);
    EXPECT_EQ(l->Left() + l->Width() + 4, 120);
    c->SetBounds(150, 60, 100, 21);
    EXPECT_EQ(l->Top(), 60);

    c->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
    c->SetEnabled(true);
    c->SetLabelAlwaysEnabled(true);
    c->SetEnabled(false);
    EXPECT_TRUE(l->Enabled());
    c->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    c->SetVisible(true);
    EXPECT_TRUE(l->Visible());
    // The label may go first (with its window); the control forgets it.
    delete l;
    EXPECT_EQ(c->Label(), nullptr);
    EXPECT_EQ(c->LabelCaption(), "");
}

TEST(EsgCombo, SelectItemIgnoresATextNotInTheList)
{
    TForm form;
    auto* c = new TEsgComboBox(&form);
    c->SetStyle(TComboBoxStyle::csDropDownList);
    for (const char* s : {"CAN", "MQTT", "Modbus"}) c->Items().Add(s);
    c->SelectItem("mqtt");
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SelectItem("KNX");
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST(EsgCombo, FlatLookDrawsTwoFramesAndTheFlatLine)
{
    TForm form;
    form.SetColor(0x00C0C0C0);
    auto* c = new TEsgComboBox(&form);
    c->SetBounds(10, 10, 120, 22);
    c->SetFlatParentColor(false);
    c->SetFlat(true);
    c->SetColor(clWhite);
    ASSERT_TRUE(c->PaintsItself());
    TBitmap b = Look(*c, &TEsgCustomCombo::PaintBorders);
    const int w = c->Width(), h = c->Height(), bw = c->ButtonWidth();
    EXPECT_EQ(b.Pixel(0, 5), 0x00C0C0C0) << "outer frame in the parent's colour";
    EXPECT_EQ(b.Pixel(1, 5), 0x00C0C0C0);
    EXPECT_EQ(b.Pixel(2, 5), clWhite) << "inner frame in the control's colour";
    EXPECT_EQ(b.Pixel(w - bw - 2, 5), 0x00C0C0C0) << "the second frame stops before the button";

    c->SetFlatLineColor(clRed);
    b = Look(*c, &TEsgCustomCombo::PaintBorders);
    EXPECT_EQ(b.Pixel(5, h - 1), clRed);
    EXPECT_EQ(b.Pixel(w - bw - 4, h - 1), clRed);
    EXPECT_NE(b.Pixel(w - bw - 2, h - 1), clRed);
}

TEST(EsgCombo, FocusBorderColourFramesOnlyTheFocusedControl)
{
    Shown s;
    auto* other = new TEsgComboBox(&s.form);
    other->SetBounds(10, 60, 120, 22);
    auto* c = new TEsgComboBox(&s.form);
    c->SetBounds(10, 10, 120, 22);
    c->SetFocusBorderColor(clBlue);
    EXPECT_FALSE(c->PaintsItself());
    TBitmap b = Look(*c, &TEsgCustomCombo::PaintBorders);
    EXPECT_EQ(b.Pixel(0, 5), Paper);

    c->SetFocus();
    ASSERT_TRUE(c->HasFocus());
    EXPECT_TRUE(c->PaintsItself());
    b = Look(*c, &TEsgCustomCombo::PaintBorders);
    EXPECT_EQ(b.Pixel(0, 5), clBlue);
    EXPECT_EQ(b.Pixel(c->Width() / 2, 0), clBlue);
    EXPECT_EQ(b.Pixel(1, 5), Paper) << "one pixel wide";

    other->SetFocus();
    EXPECT_FALSE(c->HasFocus());
    b = Look(*c, &TEsgCustomCombo::PaintBorders);
    EXPECT_EQ(b.Pixel(0, 5), Paper);
}

TEST(EsgCombo, ColouredButtonFollowsTheMouse)
{
    Shown s;
    auto* c = new TEsgComboBox(&s.form);
    c->SetBounds(10, 10, 120, 22);
    c->ButtonColor = clGreen;
    c->ButtonColorHot = clLime;
    c->ButtonColorDown = clNavy;
    c->ButtonBorderColor = clBlack;
    c->ButtonTextColor = clWhite;
    c->ButtonTextColorDown = clYellow;
    const int face = c->Width() - c->ButtonWidth() + 8;
    EXPECT_EQ(Look(*c, &TEsgCustomCombo::PaintButton).Pixel(face, 4), clGreen);

    SendMouseEnter(*c);
    SendMouseMove(*c, c->Width() - 3, 5, false);
    ASSERT_TRUE(c->ButtonHover());
    EXPECT_EQ(Look(*c, &TEsgCustomCombo::PaintButton).Pixel(face, 4), clLime);
    const TKeyStateSource old = SetKeyStateSource([](int vk) -> short { return vk == VK_LBUTTON ? -32768 : 0; });
    TBitmap held = Look(*c, &TEsgCustomCombo::PaintButton);
    SetKeyStateSource(old);
    EXPECT_EQ(held.Pixel(face, 4), clNavy);
    SendMouseMove(*c, 5, 5, false);
    EXPECT_FALSE(c->ButtonHover());
    SendMouseLeave(*c);
    EXPECT_FALSE(c->MouseInControl());
}

TEST(EsgCombo, ClosingTheListFiresDropUpOnce)
{
    Shown s;
    auto* c = new TEsgComboBox(&s.form);
    c->Items().Add("1");
    c->Items().Add("2");
    int dropUps = 0;
    c->OnDropUp = [&](TControl*) { ++dropUps; };
    c->SetFocus();
    PressKey(s.form, VK_DOWN, {ssAlt});
    Application_ProcessMessages();
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_EQ(dropUps, 0);
    c->SetDroppedDown(false);
    Application_ProcessMessages();
    EXPECT_EQ(dropUps, 1);
}

TEST(EsgCombo, FocusColourComesAndGoesWithTheFocus)
{
    Shown s;
    auto* other = new TEsgComboBox(&s.form);
    other->SetBounds(10, 60, 100, 22);
    auto* c = new TEsgComboBox(&s.form);
    c->SetColor(clWhite);
    c->Init();
    c->SetFocusColor(clYellow);
    c->SetFocus();
    EXPECT_EQ(c->Color(), clYellow);
    other->SetFocus();
    EXPECT_EQ(c->Color(), clWhite);
}
