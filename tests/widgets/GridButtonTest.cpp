#include "widgets/GridButton.h"

#include "platform/ControlInput.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

TEST(GridButton, TwoButtonsOfAGroupReleaseEachOther)
{
    TForm form;
    auto* a = new TExGridButton(&form);
    auto* b = new TExGridButton(&form);
    b->SetLeft(30);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    int clicks = 0;
    a->OnClick = [&](TControl*) { ++clicks; };

    SendClick(*a, 5, 5);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    EXPECT_EQ(clicks, 1);

    SendMouseDown(*b, 5, 5);
    EXPECT_TRUE(a->Down()); // nothing changes before the release
    SendMouseUp(*b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp);

    // Without AllowAllUp a click on the down button leaves it down.
    SendClick(*b, 5, 5);
    EXPECT_TRUE(b->Down());
    // With it, the click lets it up; the group takes the setting along.
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    SendClick(*b, 5, 5);
    EXPECT_FALSE(b->Down());
}

TEST(GridButton, ReleaseOutsideAndPlainButtons)
{
    TForm form;
    auto* g = new TExGridButton(&form);
    g->SetGroupIndex(2);
    int clicks = 0;
    g->OnClick = [&](TControl*) { ++clicks; };
    SendMouseDown(*g, 5, 5);
    EXPECT_EQ(g->State(), bsDown);
    SendMouseMove(*g, 40, 5);
    EXPECT_EQ(g->State(), bsUp);
    SendMouseMove(*g, 5, 5);
    EXPECT_EQ(g->State(), bsDown);
    SendMouseUp(*g, 40, 40);
    EXPECT_FALSE(g->Down());
    EXPECT_EQ(clicks, 0);

    auto* plain = new TExGridButton(&form);
    plain->SetDown(true); // group 0, button style: never down
    EXPECT_FALSE(plain->Down());
    SendClick(*plain, 3, 3);
    EXPECT_FALSE(plain->Down());
    EXPECT_EQ(plain->State(), bsUp);
}

TEST(GridButton, CheckStyleTogglesAndShowsTheCheckedColour)
{
    TForm form;
    auto* c = new TExGridButton(&form);
    c->SetStyle(tasCheck);
    c->SetColorChecked(0x00AA00);
    EXPECT_EQ(c->RenderFace().Pixel(10, 10), ColorToRGB(clBtnFace));
    SendClick(*c, 5, 5);
    EXPECT_TRUE(c->Down());
    EXPECT_EQ(c->RenderFace().Pixel(10, 10), 0x00AA00u);
    SendClick(*c, 5, 5);
    EXPECT_FALSE(c->Down());
    EXPECT_EQ(c->RenderFace().Pixel(10, 10), ColorToRGB(clBtnFace));
}

TEST(GridButton, HotFaceAndDropDownPart)
{
    TForm form;
    auto* b = new TExGridButton(&form);
    b->SetBounds(0, 0, 40, 22);
    b->SetColorHot(0x3366CC);
    b->SetDropDownButton(true);
    int drops = 0, clicks = 0;
    b->OnDropDown = [&](TControl*) { ++drops; };
    b->OnClick = [&](TControl*) { ++clicks; };
    form.ShowForm();
    SendMouseEnter(*b);
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(b->RenderFace().Pixel(5, 10), 0x3366CCu);
    SendClick(*b, 35, 10); // the drop-down part
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(clicks, 0);
    SendMouseLeave(*b);
    EXPECT_FALSE(b->Hot());
}

TEST(GridButton, GlyphGivesAGreyDisabledCopyUnlessOneIsSet)
{
    TForm form;
    auto* b = new TExGridButton(&form);
    TBitmap glyph(4, 4);
    glyph.Canvas().Brush().SetColor(RGB(30, 60, 90));
    glyph.Canvas().FillRect({0, 0, 4, 4});
    glyph.Canvas().Flush();
    b->SetGlyph(glyph);
    // 96 + round((30 + 60 + 90) / 3) div 2 = 126
    EXPECT_EQ(b->GlyphDisabled().Pixel(1, 1), RGB(126, 126, 126));

    auto* c = new TExGridButton(&form);
    TBitmap own(4, 4);
    own.Canvas().Brush().SetColor(clRed);
    own.Canvas().FillRect({0, 0, 4, 4});
    own.Canvas().Flush();
    c->SetGlyphDisabled(own);
    c->SetGlyph(glyph);
    EXPECT_EQ(c->GlyphDisabled().Pixel(1, 1), clRed);
}

TEST(GridButton, LookPresets)
{
    TForm form;
    auto* b = new TExGridButton(&form);
    b->SetLook(2);
    EXPECT_EQ(b->Color(), 0xFDEADAu);
    EXPECT_EQ(b->ColorTo(), 0xE4AE88u);
    EXPECT_EQ(b->ColorDown(), 0x4E91FEu);
    EXPECT_EQ(b->ColorCheckedTo(), 0x55ADFFu);
    EXPECT_EQ(b->BorderHotColor(), 0u);
    EXPECT_FALSE(b->Rounded());
    b->SetLook(7); // not a preset
    EXPECT_EQ(b->Color(), 0xFDEADAu);
    EXPECT_EQ(b->Look(), 2);
    b->SetLook(0);
    EXPECT_TRUE(b->Rounded());
    EXPECT_EQ(b->BorderDownColor(), 0xAF987Au);
    EXPECT_EQ(b->BorderHotColor(), 0xC3CECEu);
    b->SetAutoThemeAdapt(true); // no colour scheme here: preset 1
    EXPECT_EQ(b->Look(), 1);
    EXPECT_EQ(b->ColorHot(), 0xEED2C1u);
}
