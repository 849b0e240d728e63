// The header and footer strips of the drop-down pop-ups: button layout,
// painting and the footer's size grip.

#include "DropDownDoubles.h"

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/Input.h"
#include "platform/WindowImage.h"
#include "widgets/dropdown/DropDownDraw.h"
#include "widgets/dropdown/DropDownStrips.h"

#include <gtest/gtest.h>

namespace {

struct HeaderOnForm {
    HeaderOnForm()
    {
        form.SetColor(0x808080);
        form.SetClientSize(200, 60);
        header = new TExHeader(&form);
        header->SetBounds(0, 0, 200, 22);
    }
    void Attach()
    {
        header->SetExDropDown(&host);
        header->CreateButtons();
        form.ShowForm();
    }
    TBitmap Picture() { return ControlImage(header); }
    TForm form;
    RecordingDropDownHost host;
    TExHeader* header;
};

TSize TextSize(const TFont& font, const std::string& text)
{
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(font);
    return GetTextExtent(scratch.Canvas(), text);
}

} // namespace

TEST(DropDownHeader, ButtonsStandInARowWithoutGaps)
{
    HeaderOnForm f;
    for (const char* caption : {"One", "Two", "Three"}) f.host.header.Buttons().Add()->SetCaption(caption);
    f.host.header.Caption = "A caption";
    f.Attach();
    const auto& list = f.header->ButtonList();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0)->Left() + list.Items(0)->Width(), 198);
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(list.Items(i)->Left() + list.Items(i)->Width(), list.Items(i - 1)->Left()) << i;
    EXPECT_EQ(f.header->CaptionRect().Right, list.Items(2)->Left() - 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.Items(i)->Tag, i);
        EXPECT_EQ(list.Items(i)->Appearance(), &f.host.buttons) << "the edit's own appearance, shared";
    }

    // A click reaches the edit with the button's index.
    SendClick(*list.Items(1), 2, 2);
    EXPECT_EQ(f.host.headerClicks, std::vector<int>{1});
    EXPECT_TRUE(f.host.closes.empty()) << "header buttons close nothing";

    f.host.header.ButtonAlignment = baLeft;
    f.header->SetExDropDown(&f.host);
    f.header->CreateButtons();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0)->Left(), 2);
    EXPECT_EQ(list.Items(1)->Left(), 2 + list.Items(0)->Width());
}

TEST(DropDownHeader, ButtonSizes)
{
    HeaderOnForm f;
    auto& items = f.host.header.Buttons();
    items.Add()->SetCaption("Auto");
    items.Add()->SetCaption("Tall");
    items.Items(1)->SetHeight(40);
    items.Add()->SetCaption("Wide");
    items.Items(2)->SetWidth(70);
    f.Attach();
    const auto& list = f.header->ButtonList();
    const TSize text = TextSize(f.host.buttons.Font(), "Auto");
    EXPECT_EQ(list.Items(0)->Width(), text.cx + 8);
    EXPECT_EQ(list.Items(0)->Height(), text.cy + 4);
    EXPECT_EQ(list.Items(1)->Height(), 22 - 2 - 3) << "cut to the button area";
    EXPECT_EQ(list.Items(1)->Top(), 2);
    EXPECT_EQ(list.Items(2)->Width(), 70);
}

TEST(DropDownHeader, Backgrounds)
{
    HeaderOnForm f;
    f.host.header.Color = clNone;
    f.host.header.ColorTo = clNone;
    f.host.header.BorderColor = clNone;
    f.Attach();
    EXPECT_EQ(f.Picture().Pixel(100, 11), 0x808080u) << "the parent shows through";

    f.host.header.Color = 0x000000;
    f.host.header.ColorTo = 0xFFFFFF;
    f.host.header.GradientDirection = gdVertical;
    f.header->SetExDropDown(&f.host);
    TBitmap p = f.Picture();
    EXPECT_LE(GetRValue(p.Pixel(100, 0)), 3);
    EXPECT_EQ(p.Pixel(100, 0), p.Pixel(3, 0));
    EXPECT_EQ(p.Pixel(100, 21), RGB(252, 252, 252)) << "the last of 80 bands";
    EXPECT_GT(GetRValue(p.Pixel(100, 11)), GetRValue(p.Pixel(100, 5)));

    f.host.header.BorderColor = clBlack;
    f.header->SetExDropDown(&f.host);
    p = f.Picture();
    EXPECT_EQ(p.Pixel(100, 21), clBlack) << "the bottom line";
    EXPECT_EQ(p.Pixel(100, 0), 0xCCCCCCu) << "the inner highlight";
    EXPECT_EQ(p.Pixel(0, 10), 0xCCCCCCu);

    // Without a pop-up border the strip frames itself; the highlight lies over
    // the frame's left, top and right lines, the bottom line stays.
    f.host.borderColor = clNone;
    f.host.header.BorderColor = clRed;
    f.host.header.BorderWidth = 2;
    f.header->SetExDropDown(&f.host);
    p = f.Picture();
    EXPECT_TRUE(p.Pixel(0, 10) == clRed || p.Pixel(1, 10) == clRed);
    EXPECT_TRUE(p.Pixel(100, 0) == clRed || p.Pixel(100, 1) == clRed);
    EXPECT_EQ(p.Pixel(100, 21), clRed);
}

TEST(DropDownHeader, CaptionsAndOwnerDrawing)
{
    HeaderOnForm f;
    f.host.header.Color = clWhite;
    f.host.header.ColorTo = clNone;
    f.host.header.BorderColor = clNone;
    f.host.header.Caption = "<b>Header</b>";
    f.host.header.Font().SetColor(clBlue);
    f.Attach();
    auto blueIn = [](const TBitmap& p) {
        int n = 0;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x) n += p.Pixel(x, y) == clBlue;
        return n;
    };
    EXPECT_GT(blueIn(f.Picture()), 10);

    std::string asked;
    f.header->OnGetText = [&](TControl* Sender, std::string& Text) {
        EXPECT_EQ(Sender, f.header);
        asked = Text;
        Text = "";
    };
    EXPECT_EQ(blueIn(f.Picture()), 0);
    EXPECT_EQ(asked, "<b>Header</b>");

    f.header->OnGetText = nullptr;
    f.header->OnDrawBackGround = [&](TControl*, TCanvas& c, const TRect& r) {
        c.Brush().SetColor(0x00FF00);
        c.FillRect(r);
    };
    const TBitmap p = f.Picture();
    for (int y = 0; y < 22; y += 2)
        for (int x = 0; x < 200; x += 7) ASSERT_EQ(p.Pixel(x, y), 0x00FF00u) << x << "," << y;
}

namespace {

struct FooterOnPanel {
    FooterOnPanel()
    {
        form.SetClientSize(300, 200);
        panel = new RecordingSizingPanel(&form);
        panel->SetBounds(10, 10, 200, 100);
        footer = new TExFooter(panel);
        footer->SetBounds(0, 78, 200, 22);
        host.footer.Color = clWhite;
        host.footer.ColorTo = clNone;
        host.footer.BorderColor = 0x0000FF;
    }
    void Attach()
    {
        footer->SetExDropDown(&host);
        footer->CreateButtons();
        form.ShowForm();
    }
    TForm form;
    RecordingDropDownHost host;
    RecordingSizingPanel* panel;
    TExFooter* footer;
};

} // namespace

TEST(DropDownFooter, ButtonAreaLeavesRoomForTheGrip)
{
    FooterOnPanel f;
    f.host.footer.Buttons().Add()->SetCaption("OK");
    f.Attach();
    EXPECT_EQ(f.footer->ButtonArea().Right, 200 - 14);
    EXPECT_EQ(f.footer->ButtonList().Items(0)->Left() + f.footer->ButtonList().Items(0)->Width(), 186);
    f.host.sizeable = false;
    EXPECT_EQ(f.footer->ButtonArea().Right, 200 - 2);
    f.host.sizeable = true;
    f.host.footer.SizeGrip = false;
    f.footer->SetExDropDown(&f.host);
    EXPECT_EQ(f.footer->ButtonArea().Right, 200 - 2);
    EXPECT_EQ(f.footer->ButtonArea(), Rect(2, 2, 198, 20));
}

TEST(DropDownFooter, SizeGripPictureCursorAndPress)
{
    FooterOnPanel f;
    f.Attach();
    TBitmap p = ControlImage(f.footer);
    const int L = 200 - 1 - 16, B = 22;
    EXPECT_EQ(p.Pixel(L + 12, B - 13), 0x0000FFu);
    EXPECT_EQ(p.Pixel(L + 14, B - 11), clWhite);
    EXPECT_EQ(p.Pixel(L + 4, B - 5), 0x0000FFu);
    EXPECT_EQ(p.Pixel(L + 9, B - 4), 0x0000FFu);

    const TCursor before = ScreenCursor();
    SetScreenCursor(crHandPoint);
    SendMouseEnter(*f.footer);
    SendMouseMove(*f.footer, 195, 17, false);
    EXPECT_EQ(ScreenCursor(), crSizeNWSE);
    SendMouseMove(*f.footer, 50, 10, false);
    EXPECT_EQ(ScreenCursor(), crHandPoint);

    SendMouseDown(*f.footer, 195, 17);
    ASSERT_EQ(f.panel->starts.size(), 1u);
    EXPECT_EQ(f.panel->starts[0], ControlToScreen(*f.footer, {195, 17}));
    SendMouseMove(*f.footer, 220, 40);
    ASSERT_EQ(f.panel->moves.size(), 1u);
    EXPECT_EQ(f.panel->moves[0], ControlToScreen(*f.footer, {220, 40}));
    SendMouseUp(*f.footer, 220, 40);
    EXPECT_FALSE(f.panel->sizing);
    SendMouseDown(*f.footer, 50, 10);
    EXPECT_EQ(f.panel->starts.size(), 1u) << "a press off the grip sizes nothing";
    SendMouseUp(*f.footer, 50, 10);
    SendMouseLeave(*f.footer);
    SetScreenCursor(before);
}

TEST(DropDownFooter, NoGripWithoutSizeablePopUp)
{
    FooterOnPanel f;
    f.host.sizeable = false;
    f.Attach();
    const TBitmap p = ControlImage(f.footer);
    const int L = 200 - 1 - 16, B = 22;
    EXPECT_EQ(p.Pixel(L + 12, B - 13), clWhite);
    EXPECT_EQ(p.Pixel(L + 14, B - 11), clWhite);
    SendMouseMove(*f.footer, 195, 17, false);
    EXPECT_NE(ScreenCursor(), crSizeNWSE);
    SendMouseDown(*f.footer, 195, 17);
    SendMouseUp(*f.footer, 195, 17);
    EXPECT_TRUE(f.panel->starts.empty());
}

TEST(DropDownFooter, BorderIsTheTopLine)
{
    FooterOnPanel f;
    f.host.footer.SizeGrip = false;
    f.Attach();
    TBitmap p = ControlImage(f.footer);
    EXPECT_EQ(p.Pixel(100, 0), 0x0000FFu);
    EXPECT_EQ(p.Pixel(100, 1), BlendColor(0x0000FF, clWhite, 20)) << "the inner highlight below it";
    EXPECT_EQ(p.Pixel(100, 21), BlendColor(0x0000FF, clWhite, 20));
}
