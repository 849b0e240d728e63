// Header and footer appearance of the drop-down pop-ups: values after
// creation, which changes notify, and copying.

#include "widgets/dropdown/DropDownAppearance.h"

#include <gtest/gtest.h>

TEST(DropDownAppearance, Defaults)
{
    TPersistent owner;
    THeaderAppearance h(&owner);
    TFooterAppearance f(&owner);
    EXPECT_EQ(h.Owner(), &owner);
    EXPECT_EQ(h.Buttons().Owner(), &owner);
    EXPECT_EQ(f.Buttons().Owner(), &owner);
    struct Case {
        const char* name;
        long long actual;
        long long expected;
    } cases[] = {
        {"header visible", h.Visible(), true},     {"header height", h.Height, 22},
        {"header border width", h.BorderWidth, 1}, {"header image", h.ImageIndex, -1},
        {"header colour to", h.ColorTo, clWhite},  {"header colour", h.Color, 0xC0C0C0},
        {"header border", h.BorderColor, clBlack}, {"header gradient", h.GradientDirection, gdVertical},
        {"header buttons at", h.ButtonAlignment, baRight}, {"header buttons", h.Buttons().Count(), 0},
        {"footer visible", f.Visible(), true},     {"footer size grip", f.SizeGrip, true},
        {"footer height", f.Height, 22},           {"footer image", f.ImageIndex, -1},
        {"footer colour", f.Color, 0xC0C0C0},      {"footer gradient", f.GradientDirection, gdVertical},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_EQ(h.Font().Name(), "Tahoma");
    EXPECT_TRUE(h.Caption.empty());

    THeaderButton* b = h.Buttons().Add();
    EXPECT_EQ(b->ImageIndex(), -1);
    EXPECT_TRUE(b->Enabled());
    EXPECT_EQ(b->Width(), 0);
    EXPECT_EQ(b->Height(), 0);
    EXPECT_EQ(f.Buttons().Add()->ModalResult(), 0);
}

TEST(DropDownAppearance, OnlyVisibleAndButtonChangesNotify)
{
    THeaderAppearance h(nullptr);
    int changes = 0, buttonChanges = 0;
    h.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &h);
        ++changes;
    };
    h.OnButtonsChanged = [&](TObject* s) {
        EXPECT_EQ(s, &h);
        ++buttonChanges;
    };
    h.SetVisible(true); // unchanged
    h.SetVisible(false);
    h.Height = 40;
    EXPECT_EQ(changes, 1);

    THeaderButton* b = h.Buttons().Add();
    EXPECT_EQ(buttonChanges, 0);
    b->SetCaption("OK");
    b->SetCaption("OK");
    b->SetEnabled(false);
    b->SetWidth(30);
    b->SetHeight(99); // stored only
    b->SetImageIndex(2);
    EXPECT_EQ(buttonChanges, 3);
    EXPECT_EQ(b->Height(), 99);

    TFooterAppearance f(nullptr);
    int footerButtons = 0;
    f.OnButtonsChanged = [&](TObject*) { ++footerButtons; };
    TFooterButton* fb = f.Buttons().Add();
    fb->SetModalResult(1);
    fb->SetCaption("Close");
    fb->SetHeight(3);
    EXPECT_EQ(footerButtons, 1);
}

TEST(DropDownAppearance, AssignCopiesAndKeepsApart)
{
    THeaderAppearance a(nullptr);
    a.Caption = "<b>Frames</b>";
    a.Color = clNavy;
    a.ColorTo = clNone;
    a.BorderWidth = 3;
    a.ImageIndex = 4;
    a.ButtonAlignment = baLeft;
    a.GradientDirection = gdHorizontal;
    a.SetVisible(false);
    a.Font().SetName("Arial");
    a.Buttons().Add()->SetCaption("One");
    a.Buttons().Add()->SetWidth(50);

    THeaderAppearance b(nullptr);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(b.Caption, "<b>Frames</b>");
    EXPECT_EQ(b.Color, clNavy);
    EXPECT_EQ(b.ColorTo, clNone);
    EXPECT_EQ(b.BorderWidth, 3);
    EXPECT_EQ(b.ImageIndex, 4);
    EXPECT_EQ(b.ButtonAlignment, baLeft);
    EXPECT_EQ(b.GradientDirection, gdHorizontal);
    EXPECT_FALSE(b.Visible());
    EXPECT_EQ(changes, 1); // through the Visible setter
    EXPECT_EQ(b.Font().Name(), "Arial");
    ASSERT_EQ(b.Buttons().Count(), 2);
    EXPECT_EQ(b.Buttons().Items(0)->Caption(), "One");
    EXPECT_EQ(b.Buttons().Items(1)->Width(), 50);

    a.Buttons().Items(0)->SetCaption("Changed");
    a.Font().SetName("Courier");
    EXPECT_EQ(b.Buttons().Items(0)->Caption(), "One");
    EXPECT_EQ(b.Font().Name(), "Arial");

    // A footer is no header: nothing changes.
    TFooterAppearance f(nullptr);
    b.Assign(&f);
    EXPECT_EQ(b.Caption, "<b>Frames</b>");

    // AssignColors takes only the colours, the font and the direction.
    THeaderAppearance c(nullptr);
    c.AssignColors(&a);
    EXPECT_EQ(c.Color, clNavy);
    EXPECT_EQ(c.GradientDirection, gdHorizontal);
    EXPECT_EQ(c.Font().Name(), "Courier");
    EXPECT_TRUE(c.Caption.empty());
    EXPECT_EQ(c.BorderWidth, 1);
    EXPECT_EQ(c.Buttons().Count(), 0);
    EXPECT_TRUE(c.Visible());
}

TEST(DropDownAppearance, FooterAssignAndButtonItems)
{
    TFooterAppearance a(nullptr);
    a.SizeGrip = false;
    a.Height = 30;
    TFooterButton* ok = a.Buttons().Add();
    ok->SetCaption("OK");
    ok->SetModalResult(1);
    TFooterAppearance b(nullptr);
    b.Assign(&a);
    EXPECT_FALSE(b.SizeGrip);
    EXPECT_EQ(b.Height, 30);
    ASSERT_EQ(b.Buttons().Count(), 1);
    EXPECT_EQ(b.Buttons().Items(0)->ModalResult(), 1);

    // Items[i] := another button copies its values; indexes are checked.
    TFooterButton* other = b.Buttons().Insert(0);
    other->SetCaption("Cancel");
    b.Buttons().SetItems(1, other);
    EXPECT_EQ(b.Buttons().Items(1)->Caption(), "Cancel");
    EXPECT_EQ(b.Buttons().Items(1)->ModalResult(), 0);
    EXPECT_THROW(b.Buttons().Items(2), EListError);
    EXPECT_THROW(b.Buttons().Items(-1), EListError);
}
