#include "platform/Forms.h"
#include "platform/PageControl.h"

#include <gtest/gtest.h>

TEST(PageControl, PagesActivePageAndChangeEvent)
{
    TForm form;
    form.SetClientSize(300, 200);
    auto* pc = new TPageControl(&form);
    pc->SetBounds(0, 0, 300, 200);
    auto* a = new TTabSheet(pc);
    auto* b = new TTabSheet(pc);
    a->SetCaption("&First");
    b->SetCaption("Second");
    auto* label = new TLabel(b);
    label->SetBounds(16, 40, 50, 16);

    int changes = 0;
    pc->OnChange = [&](TControl*) { ++changes; };
    ASSERT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->Pages(1), b);
    EXPECT_EQ(b->PageIndex(), 1);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_THROW(pc->Pages(2), EListError);

    pc->SetActivePage(b);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(changes, 0);  // only the user's switch fires OnChange

    // A sheet of another page control is not shown here.
    auto* other = new TPageControl(&form);
    auto* foreign = new TTabSheet(other);
    pc->SetActivePage(foreign);
    EXPECT_EQ(pc->ActivePage(), b);

    EXPECT_EQ(label->Left(), 16);
    EXPECT_EQ(label->Top(), 40);
    EXPECT_EQ(a->Caption(), "&First");
}

TEST(PageControl, DestroyedWithItsSheetsWithoutEvents)
{
    int changes = 0;
    {
        TForm form;
        auto* pc = new TPageControl(&form);
        new TTabSheet(pc);
        new TTabSheet(pc);
        new TTabSheet(pc);
        pc->OnChange = [&](TControl*) { ++changes; };
    }
    EXPECT_EQ(changes, 0);
}
