// The item selector as a person uses it: items laid out in columns, the
// mouse moving, pressing and releasing over them, wheel steps and the
// scroll bar's thumb, and the faces of hot items on grabbed pictures.

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/ScrollBoxInput.h"
#include "platform/Screens.h"
#include "platform/SysUtils.h"
#include "platform/WindowImage.h"
#include "widgets/dropdown/ItemSelector.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct SelectorOnForm {
    explicit SelectorOnForm(int height = 150)
    {
        form.SetClientSize(300, 260);
        form.SetColor(0x808080);
        selector = new TExCustomItemSelector(&form);
        selector->SetBounds(10, 10, 200, height);
        selector->OnItemSelect = [this](TControl* Sender) {
            EXPECT_EQ(Sender, selector);
            selections.push_back(selector->ItemIndex());
        };
        form.ShowForm();
        ActivateWindowOf(form);
    }
    TCustomItemSelector& Panel() { return *selector->SelectorPanel(); }
    TSelectorItem* Add(const std::string& caption)
    {
        TSelectorItem* item = selector->Items().Add();
        item->SetCaption(caption);
        return item;
    }
    // Colour boxes without captions: 22 x 22 items.
    void AddBoxes(int n)
    {
        selector->SetSelectorType(stColor);
        for (int i = 0; i < n; ++i) selector->Items().Add()->SetColor(static_cast<TColor>(i * 0x010203));
        selector->UpdateSelectorPanel();
    }
    TRect ItemRect(int i)
    {
        TRect r;
        Panel().GetItemRect(i, r);
        return r;
    }
    TPoint Centre(int i)
    {
        const TRect r = ItemRect(i);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void MoveTo(int i) { SendMouseMove(Panel(), Centre(i).X, Centre(i).Y, false); }
    void ClickOn(int i) { SendClick(Panel(), Centre(i).X, Centre(i).Y); }
    // Where the item stands in the container's visible area.
    TRect Shown(int i)
    {
        const TPoint panel = ControlToScreen(Panel(), {0, 0}), box = ControlToScreen(*selector, {0, 0});
        const TRect r = ItemRect(i);
        const int dx = panel.X - box.X, dy = panel.Y - box.Y;
        return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
    }
    TForm form;
    TExCustomItemSelector* selector;
    std::vector<int> selections;
};

} // namespace

TEST(ItemSelector, SevenItemsInThreeColumns)
{
    SelectorOnForm f;
    for (const char* c : {"One", "Two", "Three", "Four", "Five", "Six", "Seven"}) f.Add(c);
    f.selector->SetColumns(3);
    const TRect first = f.ItemRect(0);
    const int w = first.Right - first.Left, h = first.Bottom - first.Top;
    ASSERT_GT(w, 8);
    ASSERT_GT(h, 8);
    EXPECT_EQ(first.Left, 2);
    EXPECT_EQ(first.Top, 2);
    for (int i = 0; i < 7; ++i) {
        const TRect r = f.ItemRect(i);
        EXPECT_EQ(r.Left, 2 + (i % 3) * w) << i;
        EXPECT_EQ(r.Top, 2 + (i / 3) * h) << i;
        EXPECT_EQ(r.Right - r.Left, w);
        EXPECT_EQ(r.Bottom - r.Top, h);
    }
    EXPECT_EQ(f.selector->GetPanelSize(), (TSize{3 * w + 4, 3 * h + 4}));
    EXPECT_EQ(f.Panel().Width(), 3 * w + 4);

    f.selector->SetColumns(0); // refused
    EXPECT_EQ(f.selector->Columns(), 3);
    EXPECT_EQ(f.ItemRect(99), (TRect{-1, -1, -1, -1}));
}

TEST(ItemSelector, ItemSizes)
{
    SelectorOnForm f;
    f.AddBoxes(3);
    EXPECT_EQ(f.ItemRect(0), (TRect{2, 2, 24, 24})) << "2 x 4 + 14";

    // A caption right of the box: 4 + 14 + 4 + (caption + 4) + 4 wide.
    f.selector->Items().Items(0)->SetCaption("Red");
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(f.selector->ItemAppearance().Font());
    const int cw = scratch.Canvas().TextWidth("Red");
    const TRect r = f.ItemRect(0);
    EXPECT_NEAR(r.Right - r.Left, 4 + 14 + 4 + cw + 4 + 4, 2);

    // The owner decides the size.
    f.selector->OnItemSize = [](TControl*, TSize& s) { s = {40, 10}; };
    f.selector->UpdateSelectorPanel();
    EXPECT_EQ(f.ItemRect(1), (TRect{2, 12, 42, 22}));
}

TEST(ItemSelector, AnEmptySelector)
{
    SelectorOnForm f;
    EXPECT_EQ(f.selector->GetPanelSize(), (TSize{100, 50}));
    f.selector->SelectNext();
    f.selector->HotNext();
    f.selector->SelectFirst();
    EXPECT_FALSE(f.selector->LookupItem("A"));
    EXPECT_EQ(f.selector->ItemIndex(), -1);
    EXPECT_EQ(f.selector->ItemHot(), -1);
    EXPECT_EQ(f.selector->GetVisibleItemCount(), 0);
    EXPECT_TRUE(f.selections.empty());
}

TEST(ItemSelector, ACaptionBelowAPicture)
{
    SelectorOnForm f;
    f.selector->SetItemLayout(ilCaptionBottom);
    TBitmap picture(32, 16);
    picture.Canvas().Brush().SetColor(clRed);
    picture.Canvas().FillRect({0, 0, 32, 16});
    TSelectorItem* item = f.Add("Wide caption");
    item->SetImage(picture);
    f.selector->UpdateSelectorPanel();
    const TBitmap p = ControlImage(&f.Panel());
    const TRect r = f.ItemRect(0);
    int pictureTop = -1, textTop = -1, textBottom = -1;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TColor c = p.Pixel(x, y);
            if (c == clRed && pictureTop < 0) pictureTop = y;
            if (GetRValue(c) < 128 && GetGValue(c) < 128) {
                if (textTop < 0) textTop = y;
                textBottom = y;
            }
        }
    ASSERT_GE(pictureTop, 0);
    ASSERT_GE(textTop, 0) << "the caption is drawn";
    EXPECT_EQ(pictureTop, r.Top + 4);
    EXPECT_GE(textTop, pictureTop + 16 + 4) << "the caption starts 16 + 4 below the picture's top";
    EXPECT_LE(textTop, pictureTop + 16 + 4 + 6);
    EXPECT_LT(textBottom, r.Bottom);
}

TEST(ItemSelector, SelectingByTheMouse)
{
    SelectorOnForm f;
    for (const char* c : {"Red", "Green", "Blue"}) f.Add(c);
    f.selector->Items().Items(1)->SetEnabled(false);
    f.selector->Items().Items(2)->SetHint("The sky");
    f.selector->UpdateSelectorPanel();

    f.ClickOn(0);
    EXPECT_EQ(f.selector->ItemIndex(), 0);
    EXPECT_EQ(f.selections, std::vector<int>{0});
    f.ClickOn(0);
    EXPECT_EQ(f.selections, (std::vector<int>{0, 0})) << "the selected item again reports again";

    f.ClickOn(1);
    EXPECT_EQ(f.selector->ItemIndex(), 0) << "a disabled item is not selected";
    EXPECT_EQ(f.selections.size(), 2u);
    SendClick(f.Panel(), f.Panel().Width() - 1, f.Panel().Height() - 1);
    EXPECT_EQ(f.selector->ItemIndex(), 0) << "a press on no item changes nothing";

    // Hot tracking.
    f.MoveTo(2);
    EXPECT_EQ(f.selector->ItemHot(), 2);
    EXPECT_EQ(f.Panel().Hint(), "The sky");
    f.MoveTo(1);
    EXPECT_EQ(f.selector->ItemHot(), -1) << "moving over a disabled item clears the hot item";
    f.MoveTo(0);
    EXPECT_EQ(f.selector->ItemHot(), 0);
    SendMouseMove(f.Panel(), f.Panel().Width() - 1, f.Panel().Height() - 1, false);
    EXPECT_EQ(f.selector->ItemHot(), -1);
    f.MoveTo(2);
    SendMouseLeave(f.Panel());
    EXPECT_EQ(f.selector->ItemHot(), -1);

    // By program: a disabled item is refused there too.
    f.selector->SetItemIndex(1);
    EXPECT_EQ(f.selector->ItemIndex(), 0);
    f.selector->SelectNext();
    EXPECT_EQ(f.selector->ItemIndex(), 0) << "a disabled target leaves the selection";
    f.selector->SelectLast();
    EXPECT_EQ(f.selector->ItemIndex(), 2);
    f.selector->HotPrevious();
    EXPECT_EQ(f.selector->ItemHot(), 0) << "from no hot item the first";
}

TEST(ItemSelector, AnIndexPastTheEnd)
{
    SelectorOnForm f;
    f.Add("Red");
    f.selector->SetItemIndex(5);
    EXPECT_EQ(f.selector->ItemIndex(), 5) << "stored as given";
    EXPECT_EQ(f.selections, std::vector<int>{5});
    // Nothing draws, hit-tests or reads an item through it.
    const TBitmap p = ControlImage(&f.Panel());
    EXPECT_FALSE(p.Empty());
    f.ClickOn(0);
    EXPECT_EQ(f.selector->ItemIndex(), 0);
    f.selector->SetItemIndex(7);
    f.selector->SelectNext();
    f.selector->SelectPrevious();
    f.MoveTo(0);
    EXPECT_EQ(f.selector->ItemHot(), 0);
}

TEST(ItemSelector, LookupByCaption)
{
    SelectorOnForm f;
    f.Add("<b>Red</b>");
    f.Add("  Green");
    EXPECT_TRUE(f.selector->LookupItem("RE"));
    EXPECT_EQ(f.selector->ItemIndex(), 0);
    f.selector->SetItemIndex(-1);
    EXPECT_FALSE(f.selector->LookupItem("re")) << "callers pass the text upper-cased";
    EXPECT_EQ(f.selector->ItemIndex(), -1);
    EXPECT_TRUE(f.selector->LookupItem("GR")) << "trimmed";
    EXPECT_EQ(f.selector->ItemIndex(), 1);
    EXPECT_FALSE(f.selector->LookupItem(""));
    EXPECT_FALSE(f.selector->LookupItem("B"));
}

TEST(ItemSelector, APanelNeedsTheSelectorAsOwner)
{
    TForm form;
    const int before = form.ControlCount();
    try {
        TCustomItemSelector panel(&form);
        FAIL() << "made on a plain form";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Invalid parent");
    }
    EXPECT_EQ(form.ControlCount(), before) << "nothing is left on the form";
}

TEST(ItemSelector, VisibleItemCount)
{
    SelectorOnForm f(150);
    f.AddBoxes(20);
    EXPECT_EQ(f.selector->GetVisibleItemCount(), 6) << "150 / 22";
    f.selector->SetColumns(2);
    EXPECT_EQ(f.selector->GetVisibleItemCount(), 12);

    f.selector->OnItemSize = [](TControl*, TSize& s) { s = {30, 0}; };
    f.selector->UpdateSelectorPanel();
    EXPECT_EQ(f.selector->GetVisibleItemCount(), 0) << "items without height";
}

TEST(ItemSelector, ScrollingByProgramWheelAndThumb)
{
    SelectorOnForm f(150);
    f.AddBoxes(50);
    ASSERT_TRUE(f.selector->VertScrollBarVisible());
    const int client = f.selector->VisibleHeight();

    f.selector->SetItemIndex(49);
    TRect shown = f.Shown(49);
    EXPECT_GE(shown.Top, 0);
    EXPECT_LE(shown.Bottom, client);
    EXPECT_EQ(shown.Bottom, client) << "brought just into view";
    f.selector->SelectFirst();
    EXPECT_EQ(f.Shown(0).Top, 0) << "brought just into view, at the top";

    // A wheel step towards the user over an item scrolls down, one away
    // from the user back up.
    const int start = f.selector->VertScrollPos();
    SendMouseWheel(f.Panel(), -120, f.Centre(1).X, f.Centre(1).Y);
    EXPECT_GT(f.selector->VertScrollPos(), start);
    SendMouseWheel(f.Panel(), 120, f.Centre(1).X, f.Centre(1).Y);
    EXPECT_EQ(f.selector->VertScrollPos(), start);
    f.selector->SetVertScrollPos(0);

    // The thumb moves the items while it is dragged.
    const int top = f.Shown(0).Top;
    DragScrollThumb(*f.selector, 40, 4, false);
    EXPECT_GT(f.selector->VertScrollPos(), 0);
    EXPECT_LT(f.Shown(0).Top, top) << "moved before the release";
    ReleaseScrollThumb(*f.selector);
}

TEST(ItemSelector, HotFacesOnPictures)
{
    SelectorOnForm f;
    for (const char* c : {"Red", "Green"}) f.Add(c);
    TItemAppearance& a = f.selector->ItemAppearance();
    ASSERT_EQ(a.ColorStyle(), scOffice2007);
    const TRect r = f.ItemRect(1);

    TBitmap p = ControlImage(&f.Panel());
    EXPECT_EQ(p.Pixel(r.Left + 3, r.Top + 2), p.Pixel(r.Left + 3, r.Bottom - 3)) << "a plain item";

    f.MoveTo(1);
    ASSERT_EQ(f.selector->ItemHot(), 1);
    p = ControlImage(&f.Panel());
    EXPECT_EQ(p.Pixel(r.Left + 3, r.Top + 2), a.ColorHot) << "upper half from ColorHot";
    EXPECT_EQ(p.Pixel(r.Left + 6, r.Top), a.BorderColor);
    const int mid = r.Top + 2 + (r.Bottom - 3 - r.Top - 2) / 2;
    EXPECT_EQ(p.Pixel(r.Left + 3, mid), a.ColorMirrorHot) << "lower half from ColorMirrorHot";

    a.BorderColorHot = 0x0000FF;
    f.Panel().Invalidate();
    p = ControlImage(&f.Panel());
    EXPECT_EQ(p.Pixel(r.Left, r.Top), 0x0000FFu) << "a plain frame in BorderColorHot";
    // Inside, the 80-band gradient from ColorHot to ColorHotTo runs top to
    // bottom (the first bands lie under the frame's top line).
    const TColor second = p.Pixel(r.Left + 1, r.Top + 1), last = p.Pixel(r.Left + 1, r.Bottom - 2);
    for (auto channel : {GetRValue, GetGValue, GetBValue}) {
        const int from = channel(a.ColorHot), to = channel(a.ColorHotTo);
        EXPECT_LE(std::abs(channel(second) - from), std::abs(to - from) / 8) << "next to ColorHot";
        EXPECT_LE(std::abs(channel(last) - to), std::abs(to - from) / 8) << "next to ColorHotTo";
    }
    EXPECT_EQ(p.Pixel(r.Left + 1, r.Top + 1), p.Pixel(r.Right - 2, r.Top + 1)) << "bands run across";

    // The selected face wins over the hot one.
    f.ClickOn(1);
    p = ControlImage(&f.Panel());
    EXPECT_EQ(p.Pixel(r.Left + 3, r.Top + 2), a.ColorSelected);
}
