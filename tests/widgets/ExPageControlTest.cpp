#include "widgets/ExPageControl.h"

#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/WindowImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// A shown form with a page control of three sheets A, B, C and an edit on
// each sheet.
struct Pages {
    TForm form;
    TExPageControl* pc;
    std::vector<TExTabSheet*> sheets;
    std::vector<TEdit*> edits;
    std::vector<std::string> log;
    explicit Pages(int count = 3)
    {
        form.SetClientSize(400, 300);
        pc = new TExPageControl(&form);
        pc->SetBounds(10, 10, 380, 280);
        for (int i = 0; i < count; ++i) {
            auto* s = new TExTabSheet(pc);
            const std::string name(1, char('A' + i));
            s->Name = name;
            s->SetCaption("Page " + name + "  ");
            s->OnShow = [this, name](TControl*) { log.push_back("show " + name); };
            s->OnHide = [this, name](TControl*) { log.push_back("hide " + name); };
            auto* e = new TEdit(s);
            e->SetBounds(10, 10, 100, 22);
            sheets.push_back(s);
            edits.push_back(e);
        }
        pc->OnChange = [this](TControl*) { log.push_back("change"); };
        form.ShowForm();
        ActivateWindowOf(*pc);
    }
    // The centre of a sheet's tab in the control's client coordinates.
    TPoint TabCentre(TExTabSheet* s) const
    {
        const TRect r = pc->PageTabRect(s->PageIndex());
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void ClickTab(TExTabSheet* s)
    {
        const TPoint p = TabCentre(s);
        SendClick(*pc, p.X, p.Y);
    }
};

} // namespace

TEST(ExPageControl, NewControlAndSheetDefaults)
{
    TForm form;
    auto* pc = new TExPageControl(&form);
    EXPECT_EQ(pc->Version(), "1.4.0.0");
    EXPECT_EQ(pc->GetVersionNr(), 17039360);
    EXPECT_EQ(pc->PageCount(), 0);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_EQ(pc->DefaultTabColor(), clBtnFace);
    EXPECT_EQ(pc->ActiveColor(), clBtnFace);
    EXPECT_EQ(pc->TabBorderColor(), TColor(0x808080));
    EXPECT_EQ(pc->LowerActive(), 2);
    EXPECT_EQ(pc->TabStyle(), tsClassic);
    EXPECT_EQ(pc->ActiveFont().Name(), "Tahoma");
    EXPECT_FALSE(pc->TabBorder3D());

    auto* s = new TExTabSheet(pc);
    EXPECT_EQ(s->PageControl(), pc);
    EXPECT_EQ(s->ImageIndex(), -1);
    EXPECT_EQ(s->ReportedImageIndex(), 0);
    EXPECT_TRUE(s->TabVisible());
    EXPECT_TRUE(s->TabEnable());
    EXPECT_EQ(s->TabColor(), clBtnFace) << "clNone takes the control's default when attached";
    // The first sheet of a control becomes its active page.
    EXPECT_EQ(pc->ActivePage(), s);
}

TEST(ExPageControl, TabStringComesFromTheCaptionWithoutItsLastTwoCharacters)
{
    TForm form;
    auto* pc = new TExPageControl(&form);
    auto* s = new TExTabSheet(pc);
    struct Case {
        std::string caption;
        bool showClose;
        std::string tab;
    } cases[] = {
        {"Nodes     ", false, "Nodes   "},
        {"Variables     ", false, "Variables   "},
        {"Nodes     ", true, "Nodes      "},
        {"ab", false, ""},
        {"x", false, ""},
        {"Ünï", false, "Ü"}, // characters, not bytes
    };
    for (const Case& c : cases) {
        s->SetShowClose(c.showClose);
        s->SetCaption(c.caption);
        EXPECT_EQ(s->Caption(), c.caption);
        EXPECT_EQ(s->TabCaption(), c.tab) << c.caption;
        EXPECT_EQ(pc->TabString(0), c.tab) << c.caption;
    }
    // The tab control's own look takes the whole caption.
    pc->SetTabBorder3D(true);
    EXPECT_EQ(pc->TabString(0), "Ünï");
}

TEST(ExPageControl, BoldActiveFontWidensOnlyTheActiveTab)
{
    Pages p;
    p.pc->ActiveFont().SetStyle(TFontStyles{fsBold});
    const std::string plain = p.sheets[0]->TabCaption();
    EXPECT_GT(p.pc->TabString(0).size(), plain.size());
    EXPECT_EQ(p.pc->TabString(0).substr(0, plain.size()), plain);
    EXPECT_EQ(p.pc->TabString(1), p.sheets[1]->TabCaption());

    p.pc->SetActivePage(p.sheets[1]);
    EXPECT_EQ(p.pc->TabString(0), plain);
    EXPECT_GT(p.pc->TabString(1).size(), p.sheets[1]->TabCaption().size());
}

TEST(ExPageControl, HidingTheActiveTabActivatesTheOneTakingItsPlace)
{
    struct Case {
        int active;
        int expected; // page activated after hiding the active one
    } cases[] = {{0, 1}, {1, 2}, {2, 1}};
    for (const Case& c : cases) {
        Pages p;
        p.pc->SetActivePage(p.sheets[c.active]);
        p.sheets[c.active]->SetTabVisible(false);
        EXPECT_EQ(p.pc->ActivePage(), p.sheets[c.expected]) << "active " << c.active;
        EXPECT_EQ(p.pc->TabCount(), 2);
        EXPECT_EQ(p.sheets[c.active]->TabIndex(), -1);
        EXPECT_FALSE(p.sheets[c.active]->Visible());
        EXPECT_TRUE(p.sheets[c.expected]->Visible());
    }
    // A tab shown again goes back to its place in the page order.
    Pages p;
    p.sheets[1]->SetTabVisible(false);
    p.sheets[1]->SetTabVisible(true);
    EXPECT_EQ(p.sheets[1]->TabIndex(), 1);
    EXPECT_EQ(p.pc->TabObject(1), p.sheets[1]);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[0]);
}

TEST(ExPageControl, DisabledTabsAndPageIndexErrors)
{
    Pages p;
    try {
        p.sheets[0]->SetTabEnable(false);
        FAIL() << "the active tab was disabled";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Can not disable active tab.");
    }
    EXPECT_TRUE(p.sheets[0]->TabEnable());

    // Another sheet: it cannot be activated, by code or by a click.
    p.sheets[1]->SetTabEnable(false);
    p.pc->SetActivePage(p.sheets[1]);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[0]);
    p.ClickTab(p.sheets[1]);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[0]);
    EXPECT_EQ(p.pc->TabIndex(), 0) << "the tabs stay on the page that is still active";
    EXPECT_FALSE(p.sheets[1]->Visible());

    try {
        p.sheets[2]->SetPageIndex(3);
        FAIL() << "PageIndex 3 of 3 pages was taken";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "3 is an invalid PageIndex value.  PageIndex must be between 0 and 2");
    }
    EXPECT_THROW(p.sheets[2]->SetPageIndex(-1), EListError);
    EXPECT_EQ(p.sheets[2]->PageIndex(), 2);

    // A valid move takes the tab along.
    p.sheets[2]->SetPageIndex(0);
    EXPECT_EQ(p.pc->Pages(0), p.sheets[2]);
    EXPECT_EQ(p.pc->TabObject(0), p.sheets[2]);
    EXPECT_EQ(p.pc->TabObject(1), p.sheets[0]);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[0]);
    EXPECT_EQ(p.pc->TabIndex(), 1);
    EXPECT_THROW(p.pc->Pages(3), EListError);

    p.pc->SetTabStyle(tsDotNet);
    try {
        p.pc->SetTabSplitLine(true);
        FAIL() << "TabSplitLine was set under tsDotNet";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "TabSplitLine must be false when TabStyle is tsDotNet");
    }
    EXPECT_FALSE(p.pc->TabSplitLine());
}

TEST(ExPageControl, CtrlTabGoesRoundTheVisibleTabs)
{
    Pages p(4);
    p.sheets[2]->SetTabVisible(false);
    p.edits[0]->SetFocus();
    ASSERT_TRUE(p.edits[0]->Focused());
    p.log.clear();

    PressKey(p.form, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[1]);
    EXPECT_TRUE(p.edits[1]->Focused()) << "the focus follows onto the new page";
    PressKey(p.form, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[3]) << "the hidden tab is skipped";
    PressKey(p.form, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[0]) << "wraps round to the first";
    PressKey(p.form, VK_TAB, TShiftState{ssCtrl, ssShift});
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[3]) << "backward, wrapping";
    EXPECT_EQ(p.pc->TabIndex(), p.sheets[3]->TabIndex());

    EXPECT_EQ(p.log, (std::vector<std::string>{"show B", "hide A", "change", "show D", "hide B", "change",
                                               "show A", "hide D", "change", "show D", "hide A", "change"}));

    // Without the focus inside, Ctrl+Tab is not the page control's.
    auto* outside = new TEdit(&p.form);
    outside->SetBounds(0, 0, 5, 5);
    outside->SetFocus();
    PressKey(p.form, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[3]);
}

TEST(ExPageControl, ClickOnATabAsksOnCanChangeThenChanges)
{
    Pages p;
    std::vector<std::pair<int, int>> asked;
    bool allow = false;
    p.pc->OnCanChange = [&](TControl*, int from, int to, bool& allowChange) {
        asked.emplace_back(from, to);
        allowChange = allow;
    };
    p.log.clear();
    p.ClickTab(p.sheets[2]);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[0]);
    EXPECT_TRUE(p.log.empty());

    allow = true;
    p.ClickTab(p.sheets[2]);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[2]);
    EXPECT_EQ(p.pc->ActivePageIndex(), 2);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{0, 2}, {0, 2}}));
    EXPECT_EQ(p.log, (std::vector<std::string>{"show C", "hide A", "change"}));
    EXPECT_TRUE(p.sheets[2]->Visible());
    EXPECT_FALSE(p.sheets[0]->Visible());

    // The arrow keys of the focused tab strip move one tab and stop at the end.
    p.pc->SetFocus();
    PressKey(p.form, VK_LEFT);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[1]);
    EXPECT_EQ(asked.back(), (std::pair<int, int>{2, 1}));
    PressKey(p.form, VK_LEFT);
    PressKey(p.form, VK_LEFT);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[0]);
}

TEST(ExPageControl, ClosedTabReopensByNameAndAFreedOneIsDropped)
{
    Pages p;
    for (TExTabSheet* s : p.sheets) s->SetShowClose(true);
    std::vector<std::string> events;
    bool canClose = false;
    p.sheets[0]->OnCanClose = [&](TControl*, bool& c) {
        events.push_back("can close");
        c = canClose;
    };
    p.sheets[0]->OnClose = [&](TControl*) { events.push_back("close"); };
    auto closeActive = [&] {
        const TRect r = p.pc->CloseButtonRect(p.pc->ActivePage(), false);
        SendMouseDown(*p.pc, r.Left + 5, r.Top + 5);
        SendMouseUp(*p.pc, r.Left + 5, r.Top + 5);
    };
    closeActive();
    EXPECT_EQ(events, std::vector<std::string>{"can close"});
    EXPECT_EQ(p.pc->PageCount(), 3);

    canClose = true;
    closeActive();
    EXPECT_EQ(events, (std::vector<std::string>{"can close", "can close", "close"}));
    EXPECT_EQ(p.pc->PageCount(), 2);
    EXPECT_EQ(p.pc->ActivePage(), p.sheets[1]);
    EXPECT_EQ(p.sheets[0]->PageControl(), nullptr);
    EXPECT_FALSE(p.sheets[0]->Visible());
    EXPECT_EQ(p.pc->ClosedTabNames(), std::vector<std::string>{"A"});

    // A press on the close button released elsewhere closes nothing.
    const TRect r = p.pc->CloseButtonRect(p.pc->ActivePage(), false);
    SendMouseDown(*p.pc, r.Left + 5, r.Top + 5);
    SendMouseUp(*p.pc, r.Left + 5, r.Bottom + 40);
    EXPECT_EQ(p.pc->PageCount(), 2);

    EXPECT_FALSE(p.pc->OpenClosedTab("X"));
    EXPECT_TRUE(p.pc->OpenClosedTab("A"));
    EXPECT_EQ(p.sheets[0]->PageControl(), p.pc);
    EXPECT_EQ(p.pc->Pages(2), p.sheets[0]);
    EXPECT_EQ(p.sheets[0]->TabIndex(), 2);

    // B is closed, then freed while listed: reopening it finds nothing.
    closeActive();
    ASSERT_EQ(p.sheets[1]->PageControl(), nullptr);
    delete p.sheets[1];
    EXPECT_EQ(p.pc->ClosedTabNames(), std::vector<std::string>{"A"});
    EXPECT_FALSE(p.pc->OpenClosedTab("B"));
    p.pc->OpenAllClosedTabs();
    EXPECT_EQ(p.pc->PageCount(), 2);

    // FreeOnClose frees the sheet.
    p.pc->FreeOnClose = true;
    p.pc->SetActivePage(p.sheets[2]);
    closeActive();
    EXPECT_EQ(p.pc->PageCount(), 1);
    EXPECT_EQ(p.pc->Pages(0), p.sheets[0]);
}

TEST(ExPageControl, DestroyingTheControlDetachesItsSheets)
{
    auto form = std::make_unique<TForm>();
    auto* pc = new TExPageControl(form.get());
    auto* a = new TExTabSheet(pc);
    auto* b = new TExTabSheet(pc);
    a->Name = "A";
    a->SetShowClose(true);
    pc->SetActivePage(b);
    delete a; // the active page does not change for another page's end
    EXPECT_EQ(pc->PageCount(), 1);
    EXPECT_EQ(pc->ActivePage(), b);
    form.reset(); // the sheets go with the control without touching it
}

TEST(ExPageControl, MarginsEnlargeEveryTab)
{
    Pages p;
    const int before = p.pc->PageTabRect(0).Width();
    p.pc->TabMargin().SetLeftMargin(10);
    p.pc->TabMargin().SetRightMargin(20);
    EXPECT_EQ(p.pc->PageTabRect(0).Width(), before + 30 + 3);
    EXPECT_EQ(p.pc->PageTabRect(1).Width(), p.pc->PageTabRect(0).Width());

    // Tabs at the left grow along their length with the top and right margins.
    p.pc->SetTabPosition(tpLeft);
    const TRect left = p.pc->PageTabRect(0);
    EXPECT_LT(left.Width(), left.Height());
    p.pc->TabMargin().SetTopMargin(6);
    EXPECT_EQ(p.pc->PageTabRect(0).Height(), left.Height() + 6);

    std::vector<int> changes;
    p.pc->TabMargin().OnMarginChange = [&](int n, int o, int i) { changes = {n, o, i}; };
    p.pc->TabMargin().SetTopMargin(6);
    EXPECT_TRUE(changes.empty()) << "an unchanged value fires nothing";
    p.pc->TabMargin().SetTopMargin(9);
    EXPECT_EQ(changes, (std::vector<int>{9, 6, 1}));
}

TEST(ExPageControl, DefaultColoursFollowIntoSheetsStillOnTheOldDefault)
{
    Pages p;
    p.sheets[1]->SetTextColor(clRed);
    p.pc->SetDefaultTextColor(clBlue);
    EXPECT_EQ(p.sheets[0]->TextColor(), clBlue);
    EXPECT_EQ(p.sheets[1]->TextColor(), clRed);
    p.pc->SetDefaultTabColor(clYellow);
    EXPECT_EQ(p.sheets[2]->TabColor(), clYellow);
    // A sheet attached later takes the defaults.
    auto* d = new TExTabSheet(p.pc);
    EXPECT_EQ(d->TextColor(), clBlue);
    EXPECT_EQ(d->TabColor(), clYellow);
}

TEST(ExPageControl, SheetGradientPaintsSixtyFourBands)
{
    TForm form;
    form.SetClientSize(200, 200);
    auto* pc = new TExPageControl(&form);
    pc->SetBounds(0, 0, 200, 200);
    auto* s = new TExTabSheet(pc);
    s->SetCaption("One  ");
    s->SetColor(RGB(0, 0, 0));
    s->SetColorTo(RGB(255, 128, 64));
    form.ShowForm();
    const TBitmap img = ControlImage(s);
    ASSERT_EQ(img.Height(), s->Height());
    std::vector<TColor> column;
    for (int y = 0; y < img.Height(); ++y) column.push_back(img.Pixel(s->Width() / 2, y));
    const std::set<TColor> colours(column.begin(), column.end());
    EXPECT_EQ(colours.size(), 64u);
    EXPECT_EQ(column.front(), RGB(0, 0, 0));
    // Band 63: 63/64 of the way, rounded.
    EXPECT_EQ(column.back(), RGB(251, 126, 63));
    // Band i starts at round(i * d), d = height / 64.
    const double d = s->Height() / 64.0;
    const int y10 = static_cast<int>(std::nearbyint(10 * d));
    EXPECT_EQ(column[static_cast<size_t>(y10)], RGB(40, 20, 10));
}

TEST(ExPageControl, DisabledTabCaptionIsGreyWhateverItsTextColour)
{
    TForm form;
    form.SetClientSize(300, 120);
    auto* pc = new TExPageControl(&form);
    pc->SetBounds(0, 0, 300, 120);
    pc->SetTabBorderColor(clBlue);
    pc->Font().SetSize(14);
    auto* a = new TExTabSheet(pc);
    a->SetCaption("AAAA  ");
    auto* b = new TExTabSheet(pc);
    b->SetCaption("WWWW  ");
    b->SetTextColor(clRed);
    form.ShowForm();

    auto coloursIn = [&](const TBitmap& img, const TRect& r) {
        std::set<TColor> found;
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
            for (int x = r.Left + 1; x < r.Right - 1; ++x) found.insert(img.Pixel(x, y));
        return found;
    };
    const TRect tab = pc->PageTabRect(1);
    std::set<TColor> enabled = coloursIn(ControlImage(pc), tab);
    EXPECT_TRUE(enabled.count(clRed)) << "an enabled tab uses its text colour";
    b->SetTabEnable(false);
    std::set<TColor> disabled = coloursIn(ControlImage(pc), tab);
    EXPECT_TRUE(disabled.count(0x808080));
    EXPECT_FALSE(disabled.count(clRed));
}

TEST(ExPageControl, HoverFillOnlyWithATabHoverColour)
{
    Pages p;
    p.pc->SetTabHoverColorTo(clRed);
    const TPoint c = p.TabCentre(p.sheets[1]);
    SendMouseMove(*p.pc, c.X, c.Y, false);
    EXPECT_EQ(p.pc->HoverTab(), -1) << "TabHoverColor clNone: no hover at all";

    p.pc->SetTabHoverColor(clYellow);
    SendMouseMove(*p.pc, c.X, c.Y, false);
    EXPECT_EQ(p.pc->HoverTab(), 1);
    p.pc->SetTabHoverColorTo(clNone);
    const TRect r = p.pc->PageTabRect(1);
    const TBitmap img = ControlImage(p.pc);
    EXPECT_EQ(img.Pixel(r.Left + 2, r.Top + 2), clYellow);
    SendMouseLeave(*p.pc);
    EXPECT_EQ(p.pc->HoverTab(), -1);
}
