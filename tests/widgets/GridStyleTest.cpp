#include "widgets/ExStringGrid.h"
#include "widgets/GridControlLook.h"

#include <gtest/gtest.h>

TEST(GridStyle, BlendColorsAndTheMixerFactor)
{
    struct Case {
        TColor a, b;
        int percent;
        TColor want;
    };
    const Case cases[] = {
        {0xEACAB6, 0x000000, 50, 0x75655B},
        {0xEACAB6, 0x000000, 100, 0xEACAB6},
        {clBtnFace, 0x000000, 100, clBtnFace}, // 100 gives the colour as it is
        {0xEACAB6, 0x123456, 0, 0x123456},
        {clNone, 0x123456, 50, 0x123456},
        {0xEACAB6, clNone, 50, 0xEACAB6},
        {clWhite, clWhite, 99, clWhite}, // never beyond 255
    };
    for (const Case& c : cases) EXPECT_EQ(BlendColors(c.a, c.b, c.percent), c.want) << c.percent;
    EXPECT_EQ(MixSelectionColor(0xEACAB6, 0, false, 50), 0xEACAB6u);
    EXPECT_EQ(MixSelectionColor(0xEACAB6, 0, true, 50), 0x75655Bu);

    TExStringGrid g;
    g.SetSelectionColorMixerFactor(150);
    EXPECT_EQ(g.SelectionColorMixerFactor(), 100);
    g.SetSelectionColorMixerFactor(-5);
    EXPECT_EQ(g.SelectionColorMixerFactor(), 0);
}

TEST(GridStyle, ControlLookPassesFixedColoursToTheGrid)
{
    TExStringGrid g;
    ASSERT_NE(g.ControlLook(), nullptr);
    TControlLook& cl = *g.ControlLook();
    EXPECT_EQ(cl.CheckSize(), 15);
    EXPECT_EQ(cl.ControlStyle(), csTheme);
    EXPECT_EQ(cl.FixedGradientHoverFrom(), 0xFFFFFFu);

    cl.SetFixedGradientTo(0x112233);
    EXPECT_EQ(g.NUVGradientTo(), 0x112233u);
    cl.SetFixedGradientTo(clNone); // none does not reach the grid
    EXPECT_EQ(g.NUVGradientTo(), 0x112233u);
    cl.SetFixedGradientMirrorTo(0x445566);
    EXPECT_EQ(g.NUVGradientMirrorTo(), 0x445566u);
    cl.SetFixedGradientMirrorTo(clNone); // a mirror colour always does
    EXPECT_EQ(g.NUVGradientMirrorTo(), clNone);
    cl.SetFixedGradientDownBorder(0x0A0B0C);
    EXPECT_EQ(g.NUVGradient(TNUVGradient::DownBorder), 0x0A0B0Cu);

    // Copying a control look copies its colours without touching the grid.
    TExStringGrid other;
    TControlLook& ol = *other.ControlLook();
    ol.SetFixedGradientFrom(0x010203);
    ol.SetFixedGradientHoverMirrorTo(0x040506);
    ol.SetCheckSize(20);
    ol.SetFlatButton(true);
    cl.Assign(&ol);
    EXPECT_EQ(cl.FixedGradientFrom(), 0x010203u);
    EXPECT_EQ(cl.FixedGradientHoverMirrorTo(), 0x040506u);
    EXPECT_EQ(cl.CheckSize(), 20);
    EXPECT_FALSE(cl.FlatButton()); // not copied
    EXPECT_NE(g.NUVGradientFrom(), 0x010203u);
}

TEST(GridStyle, ProgressAppearanceFiresOnRealChangesOnly)
{
    TGridProgressAppearance a;
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(a.Level2Color(), 0x53A9FFu);
    EXPECT_EQ(a.Steps(), 11);
    a.SetLevel1Perc(70);
    EXPECT_EQ(changes, 0);
    a.SetLevel1Perc(60);
    EXPECT_EQ(changes, 1);
    TGridProgressAppearance b;
    b.SetStacked(true);
    b.SetSteps(4);
    a.Assign(&b);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(a.Stacked());
    EXPECT_EQ(a.Level1Perc(), 70);
}

TEST(GridStyle, StylesPutTheirColourSchemes)
{
    TExStringGrid g;
    g.SetStyle(gsWindows7);
    EXPECT_EQ(g.Look(), glWin7);
    EXPECT_EQ(g.NUVGradientFrom(), 0xFDFCFAu);
    EXPECT_EQ(g.NUVGradientMirrorTo(), 0xF7E9DDu);
    EXPECT_EQ(g.NUVGradient(TNUVGradient::HoverBorder), 0xEEE8E3u);
    EXPECT_EQ(g.SelectionStyle(), ssWin7);
    EXPECT_EQ(g.SelectionColor, 0xEACAB6u);
    EXPECT_EQ(g.ActiveCellColorTo, 0xFCDBC1u);
    EXPECT_EQ(g.GridLineColor(), 0xECECF0u);
    EXPECT_EQ(g.SearchFooter().Color(), 0xFDFCFAu);
    EXPECT_EQ(g.SearchFooter().ColorTo(), 0xF7E9DDu);
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), clNone); // kept by the grid, not the look

    g.SetStyle(gsOffice2003Blue);
    EXPECT_EQ(g.Look(), glXP);
    EXPECT_EQ(g.NUVGradientFrom(), 0xFCE1CBu);
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), 0xFCE1CBu);
    EXPECT_EQ(g.SelectionColor, 0x94E6FBu);
    EXPECT_EQ(g.SelectionStyle(), ssDefault);

    g.SelectionColor = clRed;
    g.SetStyle(gsCustom); // only the common start
    EXPECT_EQ(g.SelectionColor, clHighlight);
    EXPECT_EQ(g.SelectionTextColor, clHighlightText);
    EXPECT_EQ(g.NUVGradientFrom(), 0xFCE1CBu);

    // The Vista look applies its style through the look setter.
    g.SetLook(glVista);
    EXPECT_EQ(g.SelectionStyle(), ssVista);
    EXPECT_EQ(g.NUVGradientMirrorFrom(), 0xFAF8F7u);
}

TEST(GridStyle, ComponentStyleAndThemes)
{
    TExStringGrid g;
    g.ScrollType = ssMetro;
    g.SetComponentStyle(tsCustom);
    EXPECT_EQ(g.ScrollType, ssMetro);
    g.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(g.ScrollType, ssNormal);
    EXPECT_EQ(g.ComponentStyle, tsOffice2007Luna);
    EXPECT_EQ(g.SelectionStyle(), ssOffice2007);

    g.SetTheme(xpGreen);
    EXPECT_EQ(g.NUVGradientFrom(), 0xCFF0EAu);
    EXPECT_EQ(g.ActiveCellColor, 0x94E6FBu);
    EXPECT_EQ(g.ControlLook()->FixedGradientTo(), 0x8CC0B1u);
    EXPECT_EQ(g.SearchFooter().ColorTo(), 0x8CC0B1u);
    g.SetTheme(xpNone);
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), clNone);
    EXPECT_EQ(g.ActiveCellColorTo, 0xFFD9B3u);
}

TEST(GridStyle, XPLookSetsTheHoverAndPressedFixedColours)
{
    TExStringGrid g;
    g.SetLook(glStandard);
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), clBtnFace);
    EXPECT_EQ(g.ControlLook()->FixedGradientTo(), clNone);
    g.SortSettings().SetHeaderColor(clRed);
    g.SetLook(glXP);
    EXPECT_EQ(g.SortSettings().HeaderColor(), clNone);
    EXPECT_EQ(g.NUVGradient(TNUVGradient::HoverFrom), 0xCFD0D1u);
    EXPECT_EQ(g.NUVGradient(TNUVGradient::HoverMirrorTo), 0xABBCBFu);
    EXPECT_EQ(g.NUVGradient(TNUVGradient::DownFrom), 0x868788u);
    EXPECT_EQ(g.NUVGradient(TNUVGradient::DownMirrorTo), 0x627376u);
    EXPECT_EQ(g.ControlLook()->FixedGradientTo(), clBtnFace);
}
