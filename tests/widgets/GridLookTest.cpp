#include "widgets/ExStringGrid.h"

#include <gtest/gtest.h>

namespace {

struct LookColours {
    TColor fixed, nuvFrom, nuvTo, fixedLine, line, activeCell, selection, selectionText, footer;
};

LookColours Read(TExStringGrid& g)
{
    return {g.FixedColor(),         g.NUVGradientFrom(),  g.NUVGradientTo(),
            g.GridFixedLineColor(), g.GridLineColor(),    g.ActiveCellColor,
            g.SelectionColor,       g.SelectionTextColor, g.SearchFooter().Color()};
}

void ExpectColours(const LookColours& got, const LookColours& want, const char* look)
{
    EXPECT_EQ(got.fixed, want.fixed) << look << " fixed colour";
    EXPECT_EQ(got.nuvFrom, want.nuvFrom) << look << " fixed gradient from";
    EXPECT_EQ(got.nuvTo, want.nuvTo) << look << " fixed gradient to";
    EXPECT_EQ(got.fixedLine, want.fixedLine) << look << " fixed line";
    EXPECT_EQ(got.line, want.line) << look << " line";
    EXPECT_EQ(got.activeCell, want.activeCell) << look << " active cell";
    EXPECT_EQ(got.selection, want.selection) << look << " selection";
    EXPECT_EQ(got.selectionText, want.selectionText) << look << " selection text";
    EXPECT_EQ(got.footer, want.footer) << look << " footer";
}

} // namespace

TEST(GridLook, StandardThenXPGiveTheirPresetColours)
{
    TExStringGrid g;
    g.SetGridLineColor(clRed);
    g.SetLook(glStandard);
    ExpectColours(Read(g), {clBtnFace, clBtnFace, clNone, clGray, clSilver, clGray, clHighlight, clHighlightText,
                            clBtnFace},
                  "glStandard");
    EXPECT_EQ(g.SelectionStyle(), ssDefault);

    g.SetLook(glXP);
    LookColours xp = Read(g);
    ExpectColours(xp, {clBtnFace, clWhite, clBtnFace, clGray, clSilver, 0xEACAB6, 0xEACAB6, 0, clNone}, "glXP");
    EXPECT_EQ(g.SelectionColorTo, clNone);
    EXPECT_EQ(g.BorderColor(), 0xB99D7Fu);

    g.SetLook(glNUV);
    EXPECT_EQ(g.NUVGradientTo(), clSilver);
    g.SetLook(glClassic);
    EXPECT_EQ(g.NUVGradientTo(), clNone);
}

TEST(GridLook, SameLookOrCustomLookKeepTheColours)
{
    TExStringGrid g;
    ASSERT_EQ(g.Look(), glXP);
    g.SelectionColor = clLime;
    g.ScrollType = ssFlat;
    g.SetLook(glXP); // the current look: nothing at all
    EXPECT_EQ(g.SelectionColor, clLime);
    EXPECT_EQ(g.ScrollType, ssFlat);

    g.BorderStyle = TGridBorderStyle::bsNone;
    g.SetLook(glCustom);
    EXPECT_EQ(g.SelectionColor, clLime);
    EXPECT_EQ(g.ScrollType, ssNormal);
    EXPECT_EQ(g.BorderStyle, TGridBorderStyle::bsSingle);
    EXPECT_EQ(g.BorderColor(), 0xB99D7Fu);
}

TEST(GridLook, WhileLoadingOnlyGradientsAndBorderChange)
{
    TExStringGrid g;
    g.SetGridLineColor(clRed);
    g.SelectionColor = clLime;
    g.BeginLoading();
    g.SetLook(glSoft);
    EXPECT_EQ(g.GridLineColor(), clRed);
    EXPECT_EQ(g.SelectionColor, clLime);
    EXPECT_EQ(g.NUVGradientFrom(), clNone);
    EXPECT_EQ(g.ScrollType, ssNormal);
    g.EndLoading();
}

TEST(GridLook, NamesOfTheLooks)
{
    struct Case {
        TGridLook look;
        const char* ident;
        const char* caption;
    };
    const Case cases[] = {
        {glStandard, "glStandard", "Standard"}, {glSoft, "glSoft", "Soft"},
        {glClassic, "glClassic", "Classic"},    {glNUV, "glNUV", "NUV"},
        {glXP, "glXP", "Windows XP"},           {glListView, "glListView", "ListView"},
        {glVista, "glVista", "Windows Vista"},  {glWin7, "glWin7", "Windows 7"},
        {glOffice2007, "glOffice2007", "Office2007"},
    };
    for (const Case& c : cases) {
        std::string ident, caption;
        LookToIdent(c.look, ident);
        LookToCaption(c.look, caption);
        EXPECT_EQ(ident, c.ident);
        EXPECT_EQ(caption, c.caption);
    }
    std::string keep = "unchanged";
    LookToIdent(glCustom, keep);
    LookToCaption(glCustom, keep);
    EXPECT_EQ(keep, "unchanged");

    EXPECT_EQ(FlatScrollBarMode(ssNormal), 0);
    EXPECT_EQ(FlatScrollBarMode(ssFlat), 2);
    EXPECT_EQ(FlatScrollBarMode(ssEncarta), 1);
    EXPECT_EQ(FlatScrollBarMode(ssMetro), -1);
}
