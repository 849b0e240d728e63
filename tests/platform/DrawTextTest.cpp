// Text layout rules of DrawTextEx, on a recording target with fixed metrics
// (7 pixels a character, 13 a line) and on real bitmaps.
#include "platform/DrawText.h"
#include "platform/Graphics.h"

#include <gtest/gtest.h>

namespace {

struct Recorder : ITextTarget {
    struct Out_ {
        int x, y;
        std::string s;
        bool clipped;
    };
    struct Line_ {
        int x0, x1, y;
    };
    std::vector<Out_> outs;
    std::vector<Line_> underlines;
    int TextWidth(const std::string& s) override { return 7 * Utf8Length(s); }
    int LineHeight(bool ext) override { return ext ? 15 : 13; }
    int Ascent() override { return 10; }
    int AveCharWidth() override { return 7; }
    void Out(int x, int y, const std::string& s, const TRect* clip) override
    {
        outs.push_back({x, y, s, clip != nullptr});
    }
    void Underline(int x0, int x1, int y, const TRect*) override { underlines.push_back({x0, x1, y}); }
};

TEST(DrawTextLayoutTest, LinesPositionsAndTexts)
{
    struct Case {
        const char* name;
        std::string text;
        TRect rect;
        unsigned flags;
        std::vector<Recorder::Out_> want;
    } cases[] = {
        {"left top", "ab", Rect(10, 20, 110, 120), DT_SINGLELINE, {{10, 20, "ab", true}}},
        {"right", "ab", Rect(0, 0, 100, 50), DT_SINGLELINE | DT_RIGHT, {{86, 0, "ab", true}}},
        {"centre", "ab", Rect(0, 0, 100, 50), DT_SINGLELINE | DT_CENTER, {{43, 0, "ab", true}}},
        {"vcentre single line", "ab", Rect(0, 0, 100, 100), DT_SINGLELINE | DT_VCENTER, {{0, 43, "ab", true}}},
        {"bottom single line", "ab", Rect(0, 0, 100, 100), DT_SINGLELINE | DT_BOTTOM, {{0, 87, "ab", true}}},
        {"vcentre ignored with word break", "ab", Rect(0, 0, 100, 100), DT_WORDBREAK | DT_VCENTER,
         {{0, 0, "ab", true}}},
        {"bottom ignored for multi-line text", "a\nb", Rect(0, 0, 100, 100), DT_BOTTOM,
         {{0, 0, "a", true}, {0, 13, "b", true}}},
        {"line breaks", "one\r\ntwo\rthree", Rect(0, 0, 100, 100), 0,
         {{0, 0, "one", true}, {0, 13, "two", true}, {0, 26, "three", true}}},
        {"single line drops breaks", "one\r\ntwo", Rect(0, 0, 100, 100), DT_SINGLELINE, {{0, 0, "onetwo", true}}},
        {"word break", "aaa bbb ccc", Rect(0, 0, 50, 100), DT_WORDBREAK,
         {{0, 0, "aaa bbb", true}, {0, 13, "ccc", true}}},
        {"long word stays whole", "abcdefghij k", Rect(0, 0, 30, 100), DT_WORDBREAK,
         {{0, 0, "abcdefghij", true}, {0, 13, "k", true}}},
        {"edit control breaks long words", "abcdefghij", Rect(0, 0, 30, 100), DT_WORDBREAK | DT_EDITCONTROL,
         {{0, 0, "abcd", true}, {0, 13, "efgh", true}, {0, 26, "ij", true}}},
        {"end ellipsis", "abcdefghij", Rect(0, 0, 50, 20), DT_SINGLELINE | DT_END_ELLIPSIS,
         {{0, 0, "abcd...", true}}},
        {"fits: no ellipsis", "abc", Rect(0, 0, 50, 20), DT_SINGLELINE | DT_END_ELLIPSIS, {{0, 0, "abc", true}}},
        {"path ellipsis keeps the file name", "C:\\folder\\sub\\file.txt", Rect(0, 0, 112, 20),
         DT_SINGLELINE | DT_PATH_ELLIPSIS, {{0, 0, "C:\\f...\\file.txt", true}}},
        {"double ampersand", "a&&b", Rect(0, 0, 100, 20), DT_SINGLELINE, {{0, 0, "a&b", true}}},
        {"no prefix", "a&&b", Rect(0, 0, 100, 20), DT_SINGLELINE | DT_NOPREFIX, {{0, 0, "a&&b", true}}},
        {"expand tabs", "a\tb", Rect(0, 0, 200, 20), DT_SINGLELINE | DT_EXPANDTABS,
         {{0, 0, "a       b", true}}},
        {"tab without expansion", "a\tb", Rect(0, 0, 200, 20), DT_SINGLELINE, {{0, 0, "a b", true}}},
        {"no clip", "ab", Rect(0, 0, 5, 5), DT_SINGLELINE | DT_NOCLIP, {{0, 0, "ab", false}}},
        {"utf-8 ellipsis cuts whole characters", "äöüäöüäöü", Rect(0, 0, 50, 20), DT_SINGLELINE | DT_END_ELLIPSIS,
         {{0, 0, "äöüä...", true}}},
        {"bottom ignored for one line without single line", "ab", Rect(0, 0, 100, 100), DT_BOTTOM,
         {{0, 0, "ab", true}}},
        {"word break, the line fits: right", "ab cd", Rect(0, 0, 100, 50), DT_WORDBREAK | DT_RIGHT,
         {{65, 0, "ab cd", true}}},
        {"word break, the line fits: centre", "ab cd", Rect(0, 0, 100, 50), DT_WORDBREAK | DT_CENTER,
         {{32, 0, "ab cd", true}}},
        {"word break drops trailing blanks", "ab  ", Rect(0, 0, 100, 50), DT_WORDBREAK | DT_RIGHT,
         {{86, 0, "ab", true}}},
        {"word break keeps leading blanks", "  ab", Rect(0, 0, 100, 50), DT_WORDBREAK | DT_RIGHT,
         {{72, 0, "  ab", true}}},
        {"blanks only, word break: nothing drawn", "   ", Rect(0, 0, 100, 50), DT_WORDBREAK, {}},
        {"edit control, exactly the width", "abcd", Rect(0, 0, 28, 50), DT_WORDBREAK | DT_EDITCONTROL,
         {{0, 0, "abcd", true}}},
        {"edit control, one pixel short", "abcd", Rect(0, 0, 27, 50), DT_WORDBREAK | DT_EDITCONTROL,
         {{0, 0, "abc", true}, {0, 13, "d", true}}},
        {"ellipsis, exactly the width", "abcd", Rect(0, 0, 28, 20), DT_SINGLELINE | DT_END_ELLIPSIS,
         {{0, 0, "abcd", true}}},
        {"path ellipsis, the path fits", "a/b", Rect(0, 0, 21, 20), DT_SINGLELINE | DT_PATH_ELLIPSIS,
         {{0, 0, "a/b", true}}},
        {"empty text draws nothing", "", Rect(0, 0, 100, 20), DT_SINGLELINE | DT_CENTER, {}},
        {"stray byte kept", "a\xFF" "b", Rect(0, 0, 100, 20), DT_SINGLELINE, {{0, 0, "a\xFF" "b", true}}},
    };
    for (const auto& c : cases) {
        Recorder r;
        TRect rect = c.rect;
        DrawTextLayout(r, c.text, rect, c.flags);
        ASSERT_EQ(r.outs.size(), c.want.size()) << c.name;
        for (size_t i = 0; i < c.want.size(); ++i) {
            EXPECT_EQ(r.outs[i].s, c.want[i].s) << c.name;
            EXPECT_EQ(r.outs[i].x, c.want[i].x) << c.name;
            EXPECT_EQ(r.outs[i].y, c.want[i].y) << c.name;
            EXPECT_EQ(r.outs[i].clipped, c.want[i].clipped) << c.name;
        }
        EXPECT_EQ(rect, c.rect) << c.name << ": drawing leaves the rectangle";
    }
}

TEST(DrawTextLayoutTest, CalculateRectangleMeasuresWithoutDrawing)
{
    struct Case {
        std::string text;
        TRect rect;
        unsigned flags;
        TRect want;
        int height;
    } cases[] = {
        {"Hello", Rect(5, 5, 5, 5), DT_CALCRECT | DT_SINGLELINE, Rect(5, 5, 40, 18), 13},
        {"aaa bbb ccc", Rect(0, 0, 50, 0), DT_CALCRECT | DT_WORDBREAK, Rect(0, 0, 49, 26), 26},
        {"a\nlonger", Rect(0, 0, 0, 0), DT_CALCRECT, Rect(0, 0, 42, 26), 26},
        {"x", Rect(0, 0, 0, 0), DT_CALCRECT | DT_EXTERNALLEADING, Rect(0, 0, 7, 15), 15},
        {"a&&b", Rect(0, 0, 0, 0), DT_CALCRECT | DT_SINGLELINE, Rect(0, 0, 21, 13), 13},
        {"abcdefghij", Rect(0, 0, 30, 0), DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS, Rect(0, 0, 70, 13), 13},
        {"ab ", Rect(0, 0, 100, 0), DT_CALCRECT | DT_WORDBREAK, Rect(0, 0, 14, 13), 13},
        {"ab ", Rect(0, 0, 100, 0), DT_CALCRECT | DT_SINGLELINE, Rect(0, 0, 21, 13), 13},
        {"", Rect(3, 4, 50, 0), DT_CALCRECT | DT_WORDBREAK, Rect(3, 4, 3, 17), 13},
        {"abcd", Rect(0, 0, 28, 0), DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL, Rect(0, 0, 28, 13), 13},
        {"abcd", Rect(0, 0, 27, 0), DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL, Rect(0, 0, 21, 26), 26},
    };
    for (const auto& c : cases) {
        Recorder r;
        TRect rect = c.rect;
        EXPECT_EQ(DrawTextLayout(r, c.text, rect, c.flags), c.height) << c.text;
        EXPECT_EQ(rect, c.want) << c.text;
        EXPECT_TRUE(r.outs.empty());
    }
}

TEST(DrawTextLayoutTest, MnemonicIsUnderlinedUnlessHiddenOrNoPrefix)
{
    Recorder r;
    TRect rect = Rect(0, 0, 100, 20);
    DrawTextLayout(r, "Fi&le", rect, DT_SINGLELINE);
    ASSERT_EQ(r.outs.size(), 1u);
    EXPECT_EQ(r.outs[0].s, "File");
    ASSERT_EQ(r.underlines.size(), 1u);
    EXPECT_EQ(r.underlines[0].x0, 14);
    EXPECT_EQ(r.underlines[0].x1, 21);
    EXPECT_EQ(r.underlines[0].y, 11);

    Recorder h;
    DrawTextLayout(h, "Fi&le", rect, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(h.outs[0].s, "File");
    EXPECT_TRUE(h.underlines.empty());

    Recorder n;
    DrawTextLayout(n, "Fi&le&", rect, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(n.outs[0].s, "Fi&le&");
    EXPECT_TRUE(n.underlines.empty());

    Recorder t;  // a lone trailing "&" shows nothing
    DrawTextLayout(t, "ab&", rect, DT_SINGLELINE);
    EXPECT_EQ(t.outs[0].s, "ab");
}

// --- real rendering

TBitmap Blank(int w, int h)
{
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    b.Canvas().Brush().SetStyle(bsClear);
    b.Canvas().Font().SetColor(clBlack);
    return b;
}

// Bounding box of the non-white pixels.
TRect Ink(const TBitmap& b)
{
    TRect r{b.Width(), b.Height(), 0, 0};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != clWhite)
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return r;
}

bool SameImage(const TBitmap& a, const TBitmap& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

TEST(DrawTextExTest, RendersLikeTheLayoutSays)
{
    // "a&&b" is drawn as "a&b".
    TBitmap a = Blank(80, 20), b = Blank(80, 20);
    TRect r = Rect(0, 0, 80, 20);
    DrawTextEx(a.Canvas(), "a&&b", r, DT_SINGLELINE);
    b.Canvas().TextOut(0, 0, "a&b");
    EXPECT_TRUE(SameImage(a, b));

    // Calculated width equals the canvas's text width.
    TBitmap m = Blank(10, 10);
    TRect calc = Rect(0, 0, 0, 0);
    DrawTextEx(m.Canvas(), "Measure me", calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Right, m.Canvas().TextWidth("Measure me"));
    EXPECT_EQ(calc.Bottom, m.Canvas().TextHeight("Measure me"));

    // End ellipsis: a long line stays inside a narrow rectangle even
    // without clipping, and ends in dots.
    TBitmap e = Blank(200, 20);
    TRect er = Rect(0, 0, 60, 20);
    DrawTextEx(e.Canvas(), "A rather long line of text", er, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(Ink(e).Right, 60);
    EXPECT_GT(Ink(e).Right, 30);

    // An opaque background covers exactly the text's width, whatever the
    // alignment; drawing leaves the pen where it was.
    for (unsigned align : {DT_LEFT, DT_CENTER, DT_RIGHT}) {
        TBitmap o = Blank(120, 20);
        TCanvas& c = o.Canvas();
        c.SetBkMode(bkOpaque);
        c.SetBkColor(clYellow);
        c.MoveTo(3, 4);
        TRect orr = Rect(10, 0, 110, 20);
        DrawTextEx(c, "Opaque", orr, DT_SINGLELINE | DT_WORDBREAK | align);
        const int w = c.TextWidth("Opaque");
        const int x = align == DT_LEFT ? 10 : align == DT_RIGHT ? 110 - w : 10 + (100 - w) / 2;
        EXPECT_EQ(c.PenPos(), (TPoint{3, 4}));
        EXPECT_EQ(o.Pixel(x, 0), clYellow) << align;
        EXPECT_EQ(o.Pixel(x + w - 1, 0), clYellow) << align;
        EXPECT_EQ(o.Pixel(x - 1, 0), clWhite) << align;
        EXPECT_EQ(o.Pixel(x + w, 0), clWhite) << align;
    }

    // Vertical centring works on single lines and is ignored with word break.
    TBitmap v = Blank(100, 100), w = Blank(100, 100);
    TRect vr = Rect(0, 0, 100, 100), wr = vr;
    DrawTextEx(v.Canvas(), "Mid", vr, DT_SINGLELINE | DT_VCENTER);
    DrawTextEx(w.Canvas(), "Mid", wr, DT_WORDBREAK | DT_VCENTER);
    EXPECT_GT(Ink(v).Top, 35);
    EXPECT_LT(Ink(w).Top, 15);
}

}  // namespace
