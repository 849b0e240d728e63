#include "widgets/ExCheckBox.h"

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/Themes.h"

#include <gtest/gtest.h>

namespace {

struct Fixture {
    TForm form;
    TExCheckBox* box;
    TExCheckBox* next;
    int clicks = 0;
    Fixture()
    {
        box = new TExCheckBox(&form);
        box->SetBounds(10, 10, 98, 20);
        next = new TExCheckBox(&form);
        next->SetBounds(10, 40, 98, 20);
        box->OnClick = [this](TControl*) { ++clicks; };
        form.ShowForm();
        ActivateWindowOf(*box);
    }
};

} // namespace

TEST(ExCheckBox, StartsAsTheClassLibraryDoes)
{
    TForm form;
    auto* b = new TExCheckBox(&form);
    EXPECT_EQ(b->Width(), 98);
    EXPECT_EQ(b->Height(), 20);
    EXPECT_EQ(b->Caption(), "TExCheckBox");
    EXPECT_EQ(b->State(), cbUnchecked);
    EXPECT_EQ(b->ButtonVertAlign(), tlTop);
}

TEST(ExCheckBox, ClickFocusesAndTogglesOnAReleaseInside)
{
    Fixture f;
    f.next->SetFocus();
    ASSERT_FALSE(f.box->Focused());
    SendMouseDown(*f.box, 5, 8);
    EXPECT_TRUE(f.box->Focused());
    EXPECT_TRUE(f.box->Down());
    EXPECT_FALSE(f.box->Checked());
    SendMouseUp(*f.box, 5, 8);
    EXPECT_TRUE(f.box->Checked());
    EXPECT_FALSE(f.box->Down());
    EXPECT_EQ(f.clicks, 1);

    // Dragged out before the release: no toggle, no click.
    SendMouseDown(*f.box, 5, 8);
    SendMouseMove(*f.box, 300, 8);
    EXPECT_FALSE(f.box->Down());
    SendMouseUp(*f.box, 300, 8);
    EXPECT_TRUE(f.box->Checked());
    EXPECT_EQ(f.clicks, 1);
}

TEST(ExCheckBox, GrayedBecomesCheckedAndReadOnlyStays)
{
    Fixture f;
    f.box->SetState(cbGrayed);
    f.box->SetFocus();
    SendKeyDown(*f.box, VK_SPACE, {}, " ");
    EXPECT_TRUE(f.box->Down());
    SendKeyUp(*f.box, VK_SPACE);
    EXPECT_EQ(f.box->State(), cbChecked);
    EXPECT_EQ(f.clicks, 1);
    f.box->Toggle();
    EXPECT_EQ(f.box->State(), cbUnchecked);

    f.box->SetState(cbGrayed);
    f.box->SetReadOnly(true);
    SendClick(*f.box, 5, 8);
    SendKeyDown(*f.box, VK_SPACE, {}, " ");
    SendKeyUp(*f.box, VK_SPACE);
    f.box->Toggle();
    EXPECT_EQ(f.box->State(), cbGrayed);
}

TEST(ExCheckBox, EnterWithReturnIsTabMovesTheFocusOn)
{
    Fixture f;
    f.box->SetFocus();
    ASSERT_TRUE(f.box->Focused());
    SendKeyDown(*f.box, VK_RETURN, {}, "\r");
    SendKeyUp(*f.box, VK_RETURN);
    EXPECT_TRUE(f.box->Focused()); // Enter alone stays

    f.box->SetReturnIsTab(true);
    SendKeyDown(*f.box, VK_RETURN, {}, "\r");
    SendKeyUp(*f.box, VK_RETURN);
    EXPECT_TRUE(f.next->Focused());
    EXPECT_FALSE(f.box->Checked());
}

TEST(ExCheckBox, FaceFollowsTheStyleAndTheAlignment)
{
    TForm form;
    auto* b = new TExCheckBox(&form);
    b->SetColor(clWhite);
    b->SetCaption("Match case");
    TBitmap left = b->RenderFace();
    b->SetAlignment(TAlignment::taRightJustify);
    TBitmap right = b->RenderFace();
    // The box sits at the left edge, or at the right edge when right-aligned.
    auto marks = [](const TBitmap& bmp, int x0, int w) {
        int n = 0;
        for (int y = 4; y < 18; ++y)
            for (int x = x0; x < x0 + w; ++x) n += bmp.Pixel(x, y) != clWhite;
        return n;
    };
    EXPECT_GT(marks(left, 0, 14), 10);
    EXPECT_EQ(marks(right, 0, 6), 0); // the caption starts 6 pixels in
    EXPECT_GT(marks(right, b->Width() - 15, 14), 10);
    EXPECT_EQ(marks(left, b->Width() - 8, 8), 0);

    // Classic look without visual styles, checked.
    SetThemeActive(false);
    b->SetAlignment(TAlignment::taLeftJustify);
    b->SetChecked(true);
    TBitmap classic = b->RenderFace();
    SetThemeActive(true);
    int differ = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 15; ++x) differ += classic.Pixel(x, y) != left.Pixel(x, y);
    EXPECT_GT(differ, 5);
}
