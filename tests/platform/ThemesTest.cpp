// Theme painter and the unthemed looks.
#include "platform/Graphics.h"
#include "platform/Themes.h"

#include <gtest/gtest.h>

namespace {

TBitmap Face(int w, int h)
{
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(clFuchsia);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    return b;
}

TEST(ThemeTest, ButtonStatesDifferInTheirCentre)
{
    ASSERT_TRUE(IsThemeActive());
    HTHEME t = OpenThemeData(nullptr, "BUTTON");
    ASSERT_NE(t, nullptr);
    TBitmap normal = Face(60, 30), pressed = Face(60, 30);
    EXPECT_TRUE(DrawThemeBackground(t, normal.Canvas(), BP_PUSHBUTTON, PBS_NORMAL, Rect(0, 0, 60, 30)));
    EXPECT_TRUE(DrawThemeBackground(t, pressed.Canvas(), BP_PUSHBUTTON, PBS_PRESSED, Rect(0, 0, 60, 30)));
    EXPECT_NE(normal.Pixel(30, 15), clFuchsia);
    EXPECT_NE(normal.Pixel(30, 15), pressed.Pixel(30, 15));
    // Check box: checked and unchecked differ somewhere inside.
    TBitmap off = Face(16, 16), on = Face(16, 16);
    DrawThemeBackground(t, off.Canvas(), BP_CHECKBOX, CBS_UNCHECKEDNORMAL, Rect(0, 0, 16, 16));
    DrawThemeBackground(t, on.Canvas(), BP_CHECKBOX, CBS_CHECKEDNORMAL, Rect(0, 0, 16, 16));
    bool differ = false;
    for (int y = 3; y < 13; ++y)
        for (int x = 3; x < 13; ++x) differ |= off.Pixel(x, y) != on.Pixel(x, y);
    EXPECT_TRUE(differ);
    EXPECT_FALSE(DrawThemeBackground(t, on.Canvas(), 99, 1, Rect(0, 0, 16, 16)));
    CloseThemeData(t);
}

TEST(ThemeTest, EveryClassTheGridUsesOpensAndDrawsInsideItsRectangle)
{
    struct Case {
        const char* cls;
        int part, state;
    } cases[] = {{"combobox", CP_DROPDOWNBUTTON, CBXS_HOT},
                 {"spin", SPNP_UP, UPS_NORMAL},
                 {"spin", SPNP_DOWN, UPS_PRESSED},
                 {"Progress", PP_BAR, 1},
                 {"Progress", PP_CHUNK, 1},
                 {"header", HP_HEADERITEM, HIS_HOT}};
    for (auto c : cases) {
        HTHEME t = OpenThemeData(nullptr, c.cls);
        ASSERT_NE(t, nullptr) << c.cls;
        TBitmap b = Face(40, 40);
        EXPECT_TRUE(DrawThemeBackground(t, b.Canvas(), c.part, c.state, Rect(10, 10, 30, 30))) << c.cls;
        EXPECT_NE(b.Pixel(20, 20), clFuchsia) << c.cls;
        EXPECT_EQ(b.Pixel(5, 5), clFuchsia) << c.cls;
        EXPECT_EQ(b.Pixel(35, 35), clFuchsia) << c.cls;
        CloseThemeData(t);
    }
    EXPECT_EQ(OpenThemeData(nullptr, "treeview"), nullptr);
}

TEST(ThemeTest, ThemesOffGiveNoThemeData)
{
    SetThemeActive(false);
    EXPECT_EQ(OpenThemeData(nullptr, "button"), nullptr);
    EXPECT_FALSE(DrawThemeBackground(nullptr, Face(4, 4).Canvas(), BP_PUSHBUTTON, 1, Rect(0, 0, 4, 4)));
    SetThemeActive(true);
}

TEST(FrameControlTest, CheckedBoxShowsAMarkAndEdgesUseThe3DColours)
{
    TBitmap off = Face(13, 13), on = Face(13, 13);
    EXPECT_TRUE(DrawFrameControl(off.Canvas(), Rect(0, 0, 13, 13), DFC_BUTTON, DFCS_BUTTONCHECK));
    EXPECT_TRUE(DrawFrameControl(on.Canvas(), Rect(0, 0, 13, 13), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(off.Pixel(6, 6), ColorToRGB(clWindow));
    int marks = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) marks += on.Pixel(x, y) == clBlack && off.Pixel(x, y) != clBlack;
    EXPECT_GT(marks, 5);

    TBitmap e = Face(10, 10);
    TRect r = Rect(0, 0, 10, 10);
    DrawEdge(e.Canvas(), r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, Rect(2, 2, 8, 8));
    EXPECT_EQ(e.Pixel(0, 5), ColorToRGB(cl3DLight));
    EXPECT_EQ(e.Pixel(9, 5), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(e.Pixel(1, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(e.Pixel(8, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(e.Pixel(5, 5), clFuchsia);

    TBitmap s = Face(17, 17);
    EXPECT_TRUE(DrawFrameControl(s.Canvas(), Rect(0, 0, 17, 17), DFC_SCROLL, DFCS_SCROLLCOMBOBOX));
    EXPECT_EQ(s.Pixel(8, 8), ColorToRGB(clBtnText));
    EXPECT_FALSE(DrawFrameControl(s.Canvas(), Rect(0, 0, 17, 17), DFC_CAPTION, 0));
}

}  // namespace
