// The mini-HTML renderer on real bitmaps: measures, line layout, hit tests
// and what is drawn.
#include "widgets/grid_render/Html_Render.h"

#include "platform/Themes.h"

#include <gtest/gtest.h>

namespace {

constexpr int kW = 320, kH = 160;

// A white bitmap with the renderer's usual settings.
struct Surface {
    TBitmap bmp{kW, kH};
    THTMLDrawArgs args;
    Surface()
    {
        bmp.Canvas().Brush().SetColor(clWhite);
        bmp.Canvas().FillRect(Rect(0, 0, kW, kH));
        bmp.Canvas().Font().SetName("DejaVu Sans");
        bmp.Canvas().Font().SetSize(9);
        bmp.Canvas().Font().SetColor(clBlack);
    }
    TCanvas& c() { return bmp.Canvas(); }
    bool Draw(const std::string& s, TRect r = Rect(0, 0, kW, kH)) { return DrawHTMLText(c(), s, r, args); }
    bool Measure(const std::string& s, TRect r = Rect(0, 0, kW, kH))
    {
        args.MeasureOnly = true;
        const bool res = Draw(s, r);
        args.MeasureOnly = false;
        return res;
    }
    int Gh() { return c().TextHeight("gh"); }
    int Width(const std::string& s, int size = 9)
    {
        const int keep = c().Font().Height();
        c().Font().SetSize(size);
        const int w = c().TextWidth(s);
        c().Font().SetHeight(keep);
        return w;
    }
    // Box around every pixel that is not white; empty when none.
    TRect Ink()
    {
        TRect r{kW, kH, 0, 0};
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if (bmp.Pixel(x, y) != clWhite) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return IsRectEmpty(r) ? TRect{} : r;
    }
    // Pixels of a pure colour (channels 0 or 255), text edges blended
    // half-way with the background included.
    int Count(TColor col)
    {
        auto near = [](int want, int got) { return want == 255 ? got >= 230 : got <= 128; };
        int n = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const TColor p = bmp.Pixel(x, y);
                n += near(GetRValue(col), GetRValue(p)) && near(GetGValue(col), GetGValue(p)) &&
                     near(GetBValue(col), GetBValue(p));
            }
        return n;
    }
    // Pixels of exactly that colour.
    int CountExact(TColor col)
    {
        int n = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) n += bmp.Pixel(x, y) == col;
        return n;
    }
};

TEST(HTMLRenderer, MeasuresPlainTextAndExtents)
{
    Surface s;
    const int gh = s.Gh();
    struct Case {
        std::string in, plain;
        std::string widthOf;  // the text whose width the line has
        int lines;
    } cases[] = {
        {"", "", "", 0},
        {"a&amp;b", "a&&b", "a&b", 1},
        {"x < y", "x ", "x", 1},  // the bare "<" swallows the rest
        {"x < y > z", "x  z", "x  z", 1},
        {"<#3> done", "#3 done", "#3 done", 1},  // unexpanded placeholders show as text
        {"a&nbsp;&LT;b&gt;", "a <b>", "a <b>", 1},
        {"<Z>hidden</Z>shown", "hiddenshown", "shown", 1},
        {"one<BR>two", "one\rtwo", "two", 2},
        {"one\r\ntwo", "one\rtwo", "two", 2},
        {"<B>unclosed", "unclosed", "", 1},
        {"tail <", "tail ", "tail", 1},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(s.Measure(c.in)) << c.in;
        EXPECT_EQ(s.args.PlainText, c.plain) << c.in;
        if (!c.widthOf.empty()) {
            EXPECT_EQ(s.args.ExtentWidth, s.Width(c.widthOf)) << c.in;
        }
        EXPECT_EQ(s.args.ExtentHeight, std::max(1, c.lines) * gh) << c.in;
    }
    // Nothing is drawn while measuring.
    EXPECT_TRUE(IsRectEmpty(s.Ink()));
}

TEST(HTMLRenderer, FontSizes)
{
    struct Case {
        std::string tag;
        int points;
    } cases[] = {
        {"<FONT SIZE=\"1\">", 8},  {"<FONT SIZE=\"3\">", 12},  {"<FONT size=\"5\">", 16},
        {"<FONT SIZE=\"7\">", 7},  {"<FONT SIZE=\"20\">", 20}, {"<FONT SIZE=4>", 14},
        {"<FONT SIZE=\"0\">", 1},  {"<FONT SIZE=\"99999999\">", 500},
    };
    for (const auto& c : cases) {
        Surface s;
        s.Measure(c.tag + "WWWW</FONT>WW");
        EXPECT_EQ(s.args.ExtentWidth, s.Width("WWWW", c.points) + s.Width("WW")) << c.tag;
    }
    Surface s;
    s.Measure("<FONT SIZE=\"3\">gh");
    s.c().Font().SetSize(12);
    EXPECT_EQ(s.args.ExtentHeight, s.c().TextHeight("gh"));
}

TEST(HTMLRenderer, ListsAndLineBreaks)
{
    Surface s;
    const int gh = s.Gh();
    struct Case {
        std::string in;
        int lines;
    } cases[] = {
        {"Items:<UL><LI>one<LI>two</UL>", 3},
        {"<UL><LI>x</UL>", 2},  // starts with an empty line
        {"a<HR>b", 2},
        {"a<P>b</P>c", 2},
        {"<LI>a</LI>b", 2},
    };
    for (const auto& c : cases) {
        s.Measure(c.in);
        EXPECT_EQ(s.args.ExtentHeight, c.lines * gh) << c.in;
    }
    // The items are indented past their bullets.
    s.Measure("Items:<UL><LI>one<LI>two</UL>");
    EXPECT_EQ(s.args.ExtentWidth, std::max(s.Width("Items:"), 12 + s.Width("one")));

    // Drawn: three bands of ink, each a line apart, the bullets left of the items.
    Surface d;
    d.Draw("Items:<UL><LI>one<LI>two</UL>");
    const TRect ink = d.Ink();
    EXPECT_GT(ink.Bottom, 2 * gh);
    EXPECT_LE(ink.Bottom, 3 * gh);
}

TEST(HTMLRenderer, WordWrap)
{
    Surface s;
    const int gh = s.Gh();
    const int wBold = s.Width("bolder") + 2;
    s.Measure("bold<B>er</B>", Rect(0, 0, wBold / 2, kH));
    EXPECT_EQ(s.args.ExtentHeight, gh);  // a word interrupted by a tag is never split

    s.Measure("aaa bb", Rect(0, 0, s.Width("aaa b"), kH));
    EXPECT_EQ(s.args.ExtentHeight, 2 * gh);
    EXPECT_EQ(s.args.ExtentWidth, s.Width("aaa"));

    // A word wider than the whole box is placed whole, never cut.
    s.Measure("verylongword y", Rect(0, 0, s.Width("very"), kH));
    EXPECT_EQ(s.args.ExtentHeight, 2 * gh);
    EXPECT_EQ(s.args.ExtentWidth, s.Width("verylongword"));

    // Without word wrap an overflowing line ends in an ellipsis and is the last one.
    Surface n;
    n.args.WordWrap = false;
    const int narrow = n.Width("first words");
    n.Draw("first <B>words</B> and more<BR>second line", Rect(0, 0, narrow, kH));
    EXPECT_EQ(n.args.ExtentHeight, gh);
    EXPECT_LE(n.Ink().Right, narrow);
    n.Measure("short<BR>second", Rect(0, 0, narrow, kH));
    EXPECT_EQ(n.args.ExtentHeight, 2 * gh);
}

TEST(HTMLRenderer, CentredParagraphCentresTheWholeLine)
{
    Surface s;
    s.Draw("ab<P ALIGN=\"CENTER\">cd<BR>ef");
    const TRect ink = s.Ink();
    const int mid = (ink.Left + ink.Right) / 2;
    EXPECT_NEAR(mid, kW / 2, 2);
    EXPECT_GT(ink.Left, kW / 4);  // "ab", before the tag, moved too

    Surface r;
    r.Draw("<P ALIGN=\"right\">x");
    EXPECT_GE(r.Ink().Right, kW - 3);
}

TEST(HTMLRenderer, AnchorHitsAndHover)
{
    Surface s;
    const std::string t = "go <A HREF=\"http://a\" TITLE=\"Tip\">link</A> and <A HREF=\"b\">two</A>";
    const int gh = s.Gh();
    const int x = 1 + s.Width("go li");
    s.args.HitX = x;
    s.args.HitY = gh / 2;
    EXPECT_FALSE(s.Draw(t));  // drawing reports anchors only through HitAnchor
    EXPECT_EQ(s.args.HitAnchor, "http://a");
    EXPECT_EQ(s.args.HitTitle, "Tip");
    EXPECT_EQ(s.args.HitAnchorNumber, 1);
    EXPECT_EQ(s.args.AnchorCount, 2);
    EXPECT_EQ(s.args.HoverBounds.Left, 1 + s.Width("go "));
    EXPECT_EQ(s.args.HoverBounds.Right, 1 + s.Width("go link"));

    s.args.LocateControl = true;
    EXPECT_TRUE(s.Draw(t));
    EXPECT_EQ(s.args.HitAnchor, "http://a");
    s.args.LocateControl = false;

    EXPECT_FALSE(s.Measure(t));  // measuring never reports a hit
    EXPECT_EQ(s.args.HitAnchor, "http://a");

    s.args.HitX = 1 + s.Width("go link and t");
    s.Measure(t);
    EXPECT_EQ(s.args.HitAnchor, "b");
    EXPECT_EQ(s.args.HitTitle, "");
    EXPECT_EQ(s.args.HitAnchorNumber, 2);

    s.args.HitX = 1 + s.Width("g");
    s.Measure(t);
    EXPECT_EQ(s.args.HitAnchor, "");
    EXPECT_EQ(s.args.HitAnchorNumber, -1);

    // A point on the next line, below the link, is not on the link.
    s.args.HitX = x;
    s.args.HitY = gh + gh / 2;
    s.args.LocateControl = true;
    EXPECT_FALSE(s.Draw(t + "<BR>plain text under it"));
    EXPECT_EQ(s.args.HitAnchor, "");
}

TEST(HTMLRenderer, AnchorDrawingColoursAndFocus)
{
    Surface s;
    s.args.AnchorColor = clRed;
    s.args.FocusAnchorIndex = 1;
    s.Draw("<A HREF=\"one\">first</A> <A HREF=\"two\">second</A> after");
    EXPECT_EQ(s.args.FocusedHref, "two");
    EXPECT_GT(s.Count(clRed), 0);
    EXPECT_EQ(s.c().Font().Color(), clBlack);  // the canvas is given back as it was

    Surface sel;
    sel.args.AnchorColor = clRed;
    sel.args.Selected = true;  // on a selection anchors keep the text colour
    sel.Draw("<A HREF=\"one\">first</A>");
    EXPECT_EQ(sel.Count(clRed), 0);
    EXPECT_GT(sel.Count(clBlack), 0);
}

TEST(HTMLRenderer, InlineControlHits)
{
    Surface s;
    const int gh = s.Gh();
    const std::string edit = "Name: <CONTROL TYPE=\"edit\" ID=\"e1\" VALUE=\"v&amp;1\" WIDTH=\"60\">";
    const int x0 = 1 + s.Width("Name: ");
    s.args.HitX = x0 + 30;
    s.args.HitY = 5;
    EXPECT_TRUE(s.Draw(edit));
    EXPECT_EQ(s.args.HitAnchor, "ctrl");
    EXPECT_EQ(s.args.ControlId, "e1");
    EXPECT_EQ(s.args.ControlValue, "v&1");
    EXPECT_EQ(s.args.ControlType, "EDIT");
    EXPECT_EQ(s.args.ControlBounds, Rect(x0, 0, x0 + 60, gh + 10));
    EXPECT_FALSE(s.Ink().Right < x0 + 59);  // the frame was drawn

    EXPECT_FALSE(s.Measure(edit));  // measuring only: never a hit
    EXPECT_EQ(s.args.HitAnchor, "ctrl");

    // Entities in a tag's values are read from the tag as written.
    s.args.HitX = 1 + s.Width("x") + 10;
    s.Draw("x<CONTROL TYPE=\"EDIT\" ID=\"q\" VALUE=\"say &quot;hi&quot; &amp; go\" WIDTH=\"60\">");
    EXPECT_EQ(s.args.ControlValue, "say \"hi\" & go");
    s.args.HitX = 3;
    s.Draw("<A HREF=\"a?x=1&amp;y=2\">link</A>");
    EXPECT_EQ(s.args.HitAnchor, "a?x=1&amp;y=2");

    // The label before the control is not the control.
    s.args.HitX = x0 + 30;
    s.args.HitX = 1 + s.Width("Na");
    EXPECT_FALSE(s.Draw(edit));
    EXPECT_EQ(s.args.ControlId, "");
    EXPECT_EQ(s.args.ControlBounds, TRect{});

    // A control without WIDTH takes no room and is never hit.
    s.args.HitX = 1 + s.Width("ab") + 5;
    EXPECT_FALSE(s.Draw("ab<CONTROL TYPE=\"EDIT\" ID=\"x\" VALUE=\"1\">cd"));
    EXPECT_EQ(s.args.ExtentWidth, s.Width("abcd"));
    EXPECT_EQ(s.args.HitAnchor, "");

    // Located by its ID: nothing drawn, its box reported.
    Surface l;
    l.args.LocateControl = true;
    l.args.ControlId = "c2";
    const std::string boxes = "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\">"
                              "<CONTROL TYPE=\"CHECK\" ID=\"c2\" VALUE=\"FALSE\" WIDTH=\"20\">";
    EXPECT_TRUE(l.Draw(boxes));
    EXPECT_EQ(l.args.ControlBounds, Rect(1 + 16, 0, 1 + 32, 16));
    EXPECT_EQ(l.args.ControlValue, "FALSE");
    EXPECT_EQ(l.args.ControlType, "CHECK");
    EXPECT_TRUE(IsRectEmpty(l.Ink()));
}

TEST(HTMLRenderer, ControlsDrawThemedAndClassic)
{
    const std::string all = "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"x\" WIDTH=\"40\">"
                            "<CONTROL TYPE=\"PASSWORD\" ID=\"b\" VALUE=\"secret\" WIDTH=\"40\">"
                            "<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"y\" WIDTH=\"50\">"
                            "<CONTROL TYPE=\"CHECK\" ID=\"d\" VALUE=\"true\" WIDTH=\"16\">"
                            "<CONTROL TYPE=\"RADIO\" ID=\"e\" VALUE=\"\" WIDTH=\"16\">"
                            "<CONTROL TYPE=\"BUTTON\" ID=\"f\" VALUE=\"Go\" WIDTH=\"50\" HEIGHT=\"30\">";
    for (bool themed : {true, false}) {
        SetThemeActive(themed);
        Surface s;
        s.args.MouseDown = true;
        s.Draw(all);
        EXPECT_EQ(s.args.ExtentWidth, 40 + 40 + 50 + 16 + 16 + 50) << themed;
        EXPECT_EQ(s.args.ExtentHeight, 30 - 2) << themed;  // a taller button sets the line height
        EXPECT_GT(s.Ink().Right, 40 + 40 + 50 + 16 + 16 + 40) << themed;
        // Frames in the look's colour.
        EXPECT_GT(s.CountExact(themed ? TColor(0xB99D7F) : clGray), 0) << themed;
    }
    SetThemeActive(true);
}

TEST(HTMLRenderer, ColoursAndMarks)
{
    struct Case {
        std::string in;
        TColor color;
        bool present;
    } cases[] = {
        {"<FONT COLOR=\"#ff0000\">Hill</FONT>", clRed, true},
        {"<FONT COLOR=\"red\">Hill</FONT>", clRed, false},  // names need the cl prefix
        {"<FONT COLOR=\"clLime\">Hill</FONT>", clLime, true},
        {"<FONT BGCOLOR=\"#00FF00\">on green</FONT>", clLime, true},
        {"<E>wrong</E>", clRed, true},  // the zig-zag under the text
        {"<P BGCOLOR=\"clYellow\">band</P>", clYellow, true},
        {"<BODY BGCOLOR=\"clAqua\">all", clAqua, true},
    };
    for (const auto& c : cases) {
        Surface s;
        s.Draw(c.in);
        EXPECT_EQ(s.Count(c.color) > 0, c.present) << c.in;
    }
    Surface shadow;
    shadow.args.ShadowColor = clRed;
    shadow.Draw("Hill<SHAD>Hill</SHAD>");
    EXPECT_GT(shadow.Count(clRed), 0);
    Surface plain;
    plain.args.ShadowColor = clRed;
    plain.Draw("HillHill");
    EXPECT_EQ(plain.Count(clRed), 0);

    Surface body;
    body.Draw("<BODY BGCOLOR=\"clAqua\">x", Rect(10, 10, 60, 40));
    EXPECT_EQ(body.Ink(), Rect(10, 10, 60, 40));  // the whole of the bounds

    Surface hr;
    hr.Draw("a<HR>b", Rect(0, 0, 100, kH));
    int row = -1;
    for (int y = 0; y < kH && row < 0; ++y)
        if (hr.bmp.Pixel(1, y) == clBlack && hr.bmp.Pixel(90, y) == clBlack) row = y;
    EXPECT_GT(row, 0);  // a rule across the line

    SetHTMLHighlightColors(clYellow, clRed);
    Surface hi;
    hi.Draw("a<HI>found</HI>b");
    EXPECT_GT(hi.Count(clYellow), 0);
    EXPECT_GT(hi.Count(clRed), 0);
    SetHTMLHighlightColors(clHighlight, clHighlightText);
}

TEST(HTMLRenderer, BlinkHiddenAndSelectedText)
{
    Surface on;
    on.Draw("<BLINK>now you see me</BLINK>");
    EXPECT_FALSE(IsRectEmpty(on.Ink()));

    Surface off;
    off.args.BlinkVisible = false;
    off.Draw("<BLINK>now you don't</BLINK>");
    EXPECT_TRUE(IsRectEmpty(off.Ink()));  // drawn in the background colour

    Surface hidden;
    hidden.Draw("<Z>secret</Z>");
    EXPECT_TRUE(IsRectEmpty(hidden.Ink()));
    EXPECT_EQ(hidden.args.PlainText, "secret");
}

TEST(HTMLRenderer, CanvasStateIsRestored)
{
    Surface s;
    s.c().Pen().SetColor(clGreen);
    s.c().Pen().SetWidth(3);
    s.c().Brush().SetColor(clSilver);
    s.c().Font().SetStyle({fsItalic});
    s.Draw("<B><U><FONT FACE=\"DejaVu Serif\" SIZE=\"5\" COLOR=\"#00FF00\" BGCOLOR=\"clRed\">x<HI>y<P BGCOLOR=\"#0000FF\">"
           "<E>z<R a=\"90\">rot");
    EXPECT_EQ(s.c().Pen().Color(), clGreen);
    EXPECT_EQ(s.c().Pen().Width(), 3);
    EXPECT_EQ(s.c().Brush().Color(), clSilver);
    EXPECT_EQ(s.c().Brush().Style(), bsSolid);
    EXPECT_EQ(s.c().Font().Name(), "DejaVu Sans");
    EXPECT_EQ(s.c().Font().Size(), 9);
    EXPECT_EQ(s.c().Font().Color(), clBlack);
    EXPECT_EQ(s.c().Font().Style(), TFontStyles({fsItalic}));
    EXPECT_EQ(s.c().Font().Orientation(), 0);
}

TEST(HTMLRenderer, FullSignatureFillsEveryResult)
{
    TBitmap bmp(200, 60);
    std::string hitAnchor = "old", plain, focused, title, id = "stale", value, type;
    int ew = -1, eh = -1, count = -1, number = 7;
    TRect hover{1, 2, 3, 4}, controlBounds{1, 1, 1, 1};
    const bool r = DrawHTMLText(bmp.Canvas(), "<A HREF=\"h\" TITLE=\"t\">ab</A>", Rect(0, 0, 200, 60), nullptr, 5,
                                5, 0, -1, 1, false, false, false, false, true, false, true, false, 1.0, clBlue, clNone,
                                clNone, clGray, hitAnchor, plain, focused, title, ew, eh, count, number, hover,
                                controlBounds, id, value, type, nullptr, nullptr, nullptr, bdLeftToRight);
    EXPECT_FALSE(r);
    EXPECT_EQ(hitAnchor, "h");
    EXPECT_EQ(title, "t");
    EXPECT_EQ(plain, "ab");
    EXPECT_EQ(focused, "h");
    EXPECT_EQ(count, 1);
    EXPECT_EQ(number, 1);
    EXPECT_EQ(id, "");
    EXPECT_EQ(controlBounds, TRect{});
    EXPECT_GT(ew, 0);
    EXPECT_GT(eh, 0);
    EXPECT_EQ(hover.Left, 1);
}

}  // namespace

namespace {

TEST(HTMLRenderer, RightToLeftReadingDrawsFromTheRight)
{
    SetSysLocaleMiddleEast(1);
    Surface rtl;
    rtl.args.BiDiMode = bdRightToLeft;
    rtl.Draw("abc <B>def</B>");
    EXPECT_GE(rtl.Ink().Right, kW - 6);
    EXPECT_GT(rtl.Ink().Left, kW / 2);

    Surface ltr;  // a left-to-right control keeps its order on any system
    ltr.Draw("abc <B>def</B>");
    EXPECT_LT(ltr.Ink().Right, kW / 2);
    SetSysLocaleMiddleEast(-1);
}

TEST(HTMLRenderer, HoveredAnchorTakesTheHoverColours)
{
    const std::string t = "<A HREF=\"1\">one</A> <A HREF=\"2\">two</A>";
    Surface s;
    s.args.HoverOnlyUnderline = true;
    s.args.HoverAnchorNumber = 2;
    s.args.HoverBackColor = clYellow;
    s.args.HoverTextColor = clRed;
    s.args.AnchorColor = clBlue;
    s.Draw(t);
    const int split = 1 + s.Width("one ");
    int yellowLeft = kW, blueRight = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const TColor p = s.bmp.Pixel(x, y);
            if (p == clYellow) yellowLeft = std::min(yellowLeft, x);
            if (GetBValue(p) > 200 && GetRValue(p) < 100) blueRight = std::max(blueRight, x);
        }
    EXPECT_GE(yellowLeft, split - 1);  // only the hovered anchor is on yellow
    EXPECT_LT(blueRight, split);       // the other keeps the anchor colour
    EXPECT_GT(s.Count(clRed), 0);
}

}  // namespace
