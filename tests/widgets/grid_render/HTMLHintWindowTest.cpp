// The grid's hint window: mini-HTML and wide-text hints measured and kept
// on the monitor, and the pictures of the grid that asked for it.

#include "widgets/ExStringGrid.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/HTMLHintWindow.h"
#include "widgets/grid_render/PictureContainer.h"

#include "platform/ImgList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TRect Bounds(const THTMLHintWindow& w) { return w.BoundsRect(); }

} // namespace

// A hint wider than 1008 pixels wraps at 1008; the window adds 16 pixels
// across and 4 down to the text.
TEST(HTMLHintWindow, ALongHintWrapsAt1008Pixels)
{
    THTMLHintWindow w;
    std::string text;
    for (int i = 0; i < 60; ++i) text += "<b>word</b> and more ";
    const TRect m = MonitorRectAt({0, 0});
    w.ActivateHint({m.Left + 10, m.Top + 10, m.Left + 20, m.Top + 20}, text);
    EXPECT_LE(w.TextWidth, 1008);
    EXPECT_GT(w.TextWidth, 900);
    w.ActivateHint({m.Left + 10, m.Top + 10, m.Left + 20, m.Top + 20}, "<b>word</b> and more");
    const int oneLine = w.TextHeight;
    w.ActivateHint({m.Left + 10, m.Top + 10, m.Left + 20, m.Top + 20}, text);
    EXPECT_GE(w.TextHeight, 2 * oneLine);
    const TRect b = Bounds(w);
    EXPECT_EQ(b.Right - b.Left, w.TextWidth + 16);
    EXPECT_EQ(b.Bottom - b.Top, w.TextHeight + 4);
    w.ReleaseHandle();
}

// Near the monitor's right and bottom edges the window moves inside, 2
// pixels from them.
TEST(HTMLHintWindow, AHintNearTheEdgesStaysOnTheMonitor)
{
    THTMLHintWindow w;
    const TRect m = MonitorRectAt({0, 0});
    w.ActivateHint({m.Right - 5, m.Bottom - 3, m.Right, m.Bottom}, "<i>a hint near the corner</i>");
    const TRect b = Bounds(w);
    EXPECT_EQ(b.Right, m.Right - 2);
    EXPECT_EQ(b.Bottom, m.Bottom - 2);
    EXPECT_EQ(b.Bottom - b.Top, w.TextHeight + 4);
    EXPECT_EQ(b.Right - b.Left, w.TextWidth + 16);
    w.ReleaseHandle();
}

// A wide-text hint is shown as its characters on one line, 8 pixels wider.
TEST(HTMLHintWindow, AWideTextHintShowsItsCharacters)
{
    THTMLHintWindow w;
    const std::string wide = EncodeWideText(Utf8ToWide("Stra\xC3\x9F" "e <b>x</b>"));
    const TRect m = MonitorRectAt({0, 0});
    w.ActivateHint({m.Left + 10, m.Top + 10, m.Left + 20, m.Top + 20}, wide);
    EXPECT_EQ(w.WideCaption, "Stra\xC3\x9F" "e <b>x</b>");
    const TRect b = Bounds(w);
    EXPECT_EQ(b.Right - b.Left, w.TextWidth + 8);
    w.ReleaseHandle();
}

// The grid that shows a hint hands over its image list and picture
// container; a hint for anything else keeps the last grid's.
TEST(HTMLHintWindow, TheGridGivesItsPictures)
{
    TExStringGrid g;
    TCustomImageList images(16, 16);
    TPictureContainer pictures;
    g.SetGridImages(&images);
    g.SetPictureContainer(&pictures);
    THTMLHintWindow w;
    const TRect m = MonitorRectAt({0, 0});
    const TRect at{m.Left + 10, m.Top + 10, m.Left + 20, m.Top + 20};
    w.ActivateHintData(at, "<b>x</b>", static_cast<TObject*>(&g));
    EXPECT_EQ(w.Images, &images);
    EXPECT_EQ(w.PictureContainer, &pictures);
    TCellGraphic notAGrid;
    w.ActivateHintData(at, "<b>y</b>", static_cast<TObject*>(&notAGrid));
    EXPECT_EQ(w.Images, &images);
    EXPECT_EQ(w.PictureContainer, &pictures);
    w.ReleaseHandle();
}
