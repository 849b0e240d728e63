// The grid's hint window: its size for mini-HTML and wide-text hints, its
// place on the monitor, the images it borrows from a grid and its picture.

#include "widgets/grid_render/HTMLHintWindow.h"

#include "widgets/ExStringGrid.h"
#include "widgets/GridModule.h"
#include "widgets/GridUtil.h"

#include "platform/ImgList.h"
#include "platform/PopupWindow.h"
#include "platform/WindowImage.h"

#include <gtest/gtest.h>

namespace {

int Luma(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

} // namespace

TEST(HTMLHintWindow, ShowsAMiniHtmlHintSizedToItsText)
{
    THTMLHintWindow w;
    EXPECT_FALSE(w.Visible());
    w.ActivateHint({100, 80, 100, 80}, "<B>Byte</B> position in the data array");
    EXPECT_TRUE(w.Visible());
    EXPECT_TRUE(IsPopupWindow(w));
    EXPECT_FALSE(IsActiveWindow(w));
    ASSERT_GT(w.TextWidth, 50);
    ASSERT_GT(w.TextHeight, 5);
    EXPECT_EQ(w.Left(), 100);
    EXPECT_EQ(w.Top(), 80);
    EXPECT_EQ(w.Width(), w.TextWidth + 16);
    EXPECT_EQ(w.Height(), w.TextHeight + 4);
    EXPECT_EQ(w.CalcHintRect(1008, w.Caption(), nullptr), TRect(0, 0, w.TextWidth, w.TextHeight));

    // The picture: the hint colour, the light and the dark edges, and the
    // text in the middle.
    const TBitmap pic = ControlImage(&w);
    ASSERT_EQ(pic.Width(), w.Width());
    EXPECT_EQ(pic.Pixel(w.Width() - 3, w.Height() / 2), ColorToRGB(clInfoBk));
    EXPECT_EQ(pic.Pixel(0, w.Height() / 2), ColorToRGB(cl3DLight));
    EXPECT_EQ(pic.Pixel(w.Width() / 2, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(pic.Pixel(w.Width() / 2, w.Height() - 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(pic.Pixel(w.Width() - 1, w.Height() / 2), ColorToRGB(cl3DDkShadow));
    int dark = 0;
    for (int y = 1; y < w.Height() - 1; ++y)
        for (int x = 1; x < w.Width() - 1; ++x)
            if (Luma(pic.Pixel(x, y)) < 300) ++dark;
    EXPECT_GT(dark, 20);

    // A new text repaints; the size stays.
    const int width = w.Width();
    w.SetCaption("x");
    EXPECT_EQ(w.Width(), width);
    w.Hide();
}

TEST(HTMLHintWindow, ALongHintWrapsAtTheLargestWidth)
{
    std::string text;
    for (int i = 0; i < 60; ++i) text += "<B>word</B> and another ";
    THTMLHintWindow w;
    w.ActivateHint({0, 0, 0, 0}, text);
    EXPECT_LE(w.TextWidth, 1008);
    EXPECT_GT(w.TextWidth, 900);
    THTMLHintWindow one;
    one.ActivateHint({0, 0, 0, 0}, "<B>word</B> and another");
    EXPECT_GE(w.TextHeight, 2 * one.TextHeight);
}

TEST(HTMLHintWindow, StaysOnTheMonitorWithATwoPixelMargin)
{
    const TRect mon = MonitorRectNear({0, 0});
    ASSERT_GT(mon.Right - mon.Left, 200);
    THTMLHintWindow w;
    const struct {
        const char* name;
        TPoint at;
        bool right, bottom;
    } cases[] = {
        {"inside", {mon.Left + 10, mon.Top + 10}, false, false},
        {"right edge", {mon.Right - 5, mon.Top + 10}, true, false},
        {"bottom edge", {mon.Left + 10, mon.Bottom - 3}, false, true},
        {"corner", {mon.Right - 5, mon.Bottom - 3}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w.ActivateHint({c.at.X, c.at.Y, c.at.X, c.at.Y}, "Send frame <I>every</I> 100 ms");
        const int width = w.TextWidth + 16, height = w.TextHeight + 4;
        EXPECT_EQ(w.Width(), width);
        EXPECT_EQ(w.Height(), height);
        EXPECT_EQ(w.Left(), c.right ? mon.Right - 2 - width : c.at.X);
        EXPECT_EQ(w.Top(), c.bottom ? mon.Bottom - 2 - height : c.at.Y);
    }
    w.Hide();
}

TEST(HTMLHintWindow, WideTextHintIsOneLineInTheHintFont)
{
    const WideString text = Utf8ToWide("Temp\xC3\xA9rature <B>not a tag</B>");
    const std::string encoded = EncodeWideText(text);
    ASSERT_EQ(CellTextKind(encoded, true), ctkWideText);
    GridHintFontName() = "DejaVu Sans Mono";
    THTMLHintWindow w;
    w.ActivateHint({20, 20, 20, 20}, encoded);
    EXPECT_EQ(w.WideCaption, text);
    EXPECT_EQ(w.Width(), w.TextWidth + 8);
    // Shown as it stands: the tags are text, so it is wider than the same
    // text read as mini-HTML.
    THTMLHintWindow html;
    html.ActivateHint({20, 20, 20, 20}, WideToUtf8(text));
    EXPECT_GT(w.TextWidth, html.TextWidth);
    GridHintFontName().clear();
    // A plain hint after it drops the wide caption.
    w.ActivateHint({20, 20, 20, 20}, "plain");
    EXPECT_TRUE(w.WideCaption.empty());
}

TEST(HTMLHintWindow, BorrowsTheImagesOfTheLastGrid)
{
    TCustomImageList images;
    TExStringGrid grid;
    grid.SetGridImages(&images);
    THTMLHintWindow w;
    w.ActivateHintData({0, 0, 0, 0}, "grid hint", &grid);
    EXPECT_EQ(w.Images, &images);
    EXPECT_EQ(w.PictureContainer, grid.PictureContainer());
    // A hint for some other control keeps them.
    TCustomImageList other;
    w.ActivateHintData({0, 0, 0, 0}, "button hint", &other);
    EXPECT_EQ(w.Images, &images);
    w.Hide();
}
