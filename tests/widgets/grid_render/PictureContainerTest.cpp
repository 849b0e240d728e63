// Pictures of the mini-HTML renderer: an animated GIF written here (frames,
// delays, frame selection, animation ticks, every truncation), pictures
// from a container, an image list and the cache drawn into a bitmap, and
// the grid's own cache and container.
#include "widgets/grid_render/PictureContainer.h"

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Html_Render.h"

#include "platform/ImgList.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// --- a GIF writer ---------------------------------------------------------------------

struct TGifFrame {
    int x, y, w, h;
    std::uint8_t colour;  // palette index: 1 red, 2 green, 3 blue
    std::uint16_t delay;  // hundredths of a second
};

void Put16(Bytes& b, int v)
{
    b.push_back(std::uint8_t(v & 0xFF));
    b.push_back(std::uint8_t(v >> 8));
}

// Image data of one colour: LZW with 2-bit pixels, a clear code before each
// pixel so every code stays 3 bits wide.
void PutImageData(Bytes& b, int pixels, std::uint8_t colour)
{
    Bytes packed;
    std::uint32_t acc = 0;
    int bits = 0;
    auto code = [&](int c) {
        acc |= std::uint32_t(c) << bits;
        bits += 3;
        while (bits >= 8) {
            packed.push_back(std::uint8_t(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    for (int i = 0; i < pixels; ++i) {
        code(4);  // clear
        code(colour);
    }
    code(5);  // end of information
    if (bits > 0) packed.push_back(std::uint8_t(acc & 0xFF));
    b.push_back(2);  // LZW minimum code size
    for (size_t at = 0; at < packed.size(); at += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - at);
        b.push_back(std::uint8_t(n));
        b.insert(b.end(), packed.begin() + std::ptrdiff_t(at), packed.begin() + std::ptrdiff_t(at + n));
    }
    b.push_back(0);
}

Bytes Gif(int w, int h, const std::vector<TGifFrame>& frames)
{
    Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(b, w);
    Put16(b, h);
    b.insert(b.end(), {0x81, 0, 0});  // global colour table of 4 entries
    b.insert(b.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    for (const TGifFrame& f : frames) {
        b.insert(b.end(), {0x21, 0xF9, 0x04, 0x04});  // keep the frame (disposal 1)
        Put16(b, f.delay);
        b.insert(b.end(), {0, 0});
        b.push_back(0x2C);
        Put16(b, f.x);
        Put16(b, f.y);
        Put16(b, f.w);
        Put16(b, f.h);
        b.push_back(0);
        PutImageData(b, f.w * f.h, f.colour);
    }
    b.push_back(0x3B);
    return b;
}

// Three frames on 8 x 6: red over all, green 4 x 3 at (2, 1), blue over all;
// delays 10, 20 and 30 hundredths.
Bytes Animation()
{
    return Gif(8, 6, {{0, 0, 8, 6, 1, 10}, {2, 1, 4, 3, 2, 20}, {0, 0, 8, 6, 3, 30}});
}

void Load(THTMLPicture& p, const Bytes& bytes)
{
    TMemoryStream s(bytes);
    p.LoadFromStream(&s);
}

// A PNG of one colour, as its bytes.
Bytes Png(int w, int h, TColor colour)
{
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(colour);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    const std::string path =
        (std::filesystem::temp_directory_path() / ("zel-pic-" + std::to_string(getpid()) + ".png")).string();
    EXPECT_TRUE(b.SaveToFile(path));
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}

constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

// A white bitmap the renderer draws on.
struct Surface {
    static constexpr int kW = 200, kH = 80;
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
    bool Draw(const std::string& s, TRect r = Rect(0, 0, kW, kH))
    {
        const bool res = DrawHTMLText(bmp.Canvas(), s, r, args);
        bmp.Canvas().Flush();
        return res;
    }
    // Box around the pixels of exactly that colour; empty when none.
    TRect Box(TColor col)
    {
        TRect r{kW, kH, 0, 0};
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if (bmp.Pixel(x, y) == col) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return IsRectEmpty(r) ? TRect{} : r;
    }
    int Count(TColor col)
    {
        int n = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) n += bmp.Pixel(x, y) == col;
        return n;
    }
    int TextWidth(const std::string& s) { return bmp.Canvas().TextWidth(s); }
};

}  // namespace

// --- animated GIF ---------------------------------------------------------------------------

TEST(HTMLPicture, AnimatedGifFramesDelaysAndSelection)
{
    THTMLPicture p;
    Load(p, Animation());
    ASSERT_FALSE(p.Empty());
    EXPECT_TRUE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.GetFrameTime(1), 10);
    EXPECT_EQ(p.GetFrameTime(2), 20);
    EXPECT_EQ(p.GetFrameTime(3), 30);
    EXPECT_EQ(p.GetFrameTime(0), -1);
    EXPECT_EQ(p.GetFrameTime(4), -1);
    EXPECT_EQ(p.MaxWidth(), 8);
    EXPECT_EQ(p.MaxHeight(), 6);

    // Frame 2 is what the decoder shows: green, 4 x 3, placed at (2, 1).
    int changes = 0;
    p.OnFrameChange = [&](THTMLPicture*) { ++changes; };
    p.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(p.Height(), 3);
    EXPECT_EQ(p.FrameXPos(), 2);
    EXPECT_EQ(p.FrameYPos(), 1);
    TBitmap b(10, 10);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, 10, 10));
    p.Draw(b.Canvas(), Rect(0, 0, 4, 3));
    b.Canvas().Flush();
    EXPECT_EQ(b.Pixel(0, 0), kGreen);
    EXPECT_EQ(b.Pixel(3, 2), kGreen);
    EXPECT_EQ(b.Pixel(4, 0), clWhite);

    p.SetFrame(3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);
    p.FrameNext();
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 2);

    // A static picture has no frames.
    THTMLPicture png;
    Load(png, Png(3, 2, kRed));
    EXPECT_FALSE(png.IsGIF());
    EXPECT_EQ(png.FrameCount(), -1);
    EXPECT_EQ(png.GetFrameTime(1), -1);
}

TEST(HTMLPicture, AnimationTicksFollowTheDelays)
{
    THTMLPicture p;
    Load(p, Animation());
    // Nothing moves until the frames have been counted (the renderer counts
    // them when it draws the picture).
    EXPECT_FALSE(p.Step());
    ASSERT_EQ(p.FrameCount(), 3);
    // Ticks every 100 ms: the frame changes once 10, 30 and 60 hundredths
    // have passed, then starts over.
    const struct {
        bool changed;
        int frame;
    } ticks[] = {{false, 1}, {false, 1}, {true, 2}, {false, 2}, {true, 3},
                 {false, 3}, {false, 3}, {true, 1}, {true, 2}};
    for (size_t i = 0; i < std::size(ticks); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p.Step(), ticks[i].changed);
        EXPECT_EQ(p.Frame(), ticks[i].frame);
    }
    // The cache and the container animate their pictures the same way.
    THTMLPictureCache cache;
    Load(*cache.AddPicture(), Animation());
    cache.GetPicture(0)->FrameCount();
    bool any = false;
    for (int i = 0; i < 3; ++i) any = cache.Animate() || any;
    EXPECT_TRUE(any);
}

// Every truncation of the animation: the scan never reads past the bytes;
// a picture that cannot be decoded draws nothing.
TEST(HTMLPicture, EveryTruncationOfAnAnimatedGifDrawsWithoutFault)
{
    const Bytes full = Animation();
    for (size_t len = 0; len <= full.size(); ++len) {
        SCOPED_TRACE(len);
        // An exact-size heap copy, so the sanitizer sees any read past it.
        const Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(len));
        TPictureContainer pictures;
        TPictureItem* item = pictures.Items().Add();
        item->SetName("anim");
        THTMLPicture& p = *item->Picture();
        try {
            Load(p, cut);
        } catch (const EHTMLPictureError&) {
        }
        const int frames = p.FrameCount();
        EXPECT_LE(frames, 3);
        EXPECT_EQ(frames, len >= 10 ? int(GIFFrameStarts(cut.data(), cut.size()).size()) : (len >= 5 ? 0 : -1));
        for (int f = 1; f <= 4; ++f) {
            try {
                p.SetFrame(f);
            } catch (const EHTMLPictureError&) {
            }
            (void)p.GetFrameTime(f);
        }
        for (int t = 0; t < 8; ++t) p.Step();
        Surface s;
        s.args.Pictures = &pictures;
        s.Draw("<IMG SRC=\"anim\"> <IMG SRC=\"anim\" WIDTH=\"16\">");
        // Whatever is drawn comes from the picture's own frames.
        const int drawn = s.Count(kRed) + s.Count(kGreen) + s.Count(kBlue);
        if (len == full.size()) {
            EXPECT_GT(drawn, 0);
        }
        if (len < 10) {
            EXPECT_EQ(drawn, 0);
        }
    }
}

TEST(HTMLPicture, LoadingFailuresAndSources)
{
    THTMLPicture p;
    int changes = 0;
    p.OnChange = [&](THTMLPicture*) { ++changes; };
    // A file that cannot be read or decoded leaves the picture empty.
    p.LoadFromFile("/nonexistent/zel-picture.png");
    EXPECT_TRUE(p.Empty());
    // Undecodable streams raise with the decoder's message.
    const Bytes metafile = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0};
    try {
        Load(p, metafile);
        ADD_FAILURE() << "no error";
    } catch (const EHTMLPictureError& e) {
        EXPECT_STREQ(e.what(), "Could not load image. Invalid format");
    }
    EXPECT_EQ(p.Width(), 0);
    const Bytes brokenPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
    EXPECT_THROW(Load(p, brokenPng), EHTMLPictureError);
    // Copying such a picture (as copying a container does) keeps its bytes
    // and raises nothing; the copy draws nothing either.
    TPictureContainer from, to;
    TPictureItem* bad = from.Items().Add();
    bad->SetName("bad");
    bad->SetPicture(&p);
    from.Items().Add()->SetName("next");
    EXPECT_NO_THROW(to.SetItems(from.Items()));
    ASSERT_EQ(to.Items().Count(), 2);
    EXPECT_EQ(to.FindPicture("BAD")->Bytes(), brokenPng);
    EXPECT_EQ(to.FindPicture("BAD")->Width(), 0);

    // RES:// reads the program's raw-data resources; FILE:// a file.
    RegisterPictureResource("SMILE", 7, Png(5, 4, kBlue));
    THTMLPicture r;
    r.LoadFromURL("res://smile");
    EXPECT_EQ(r.ID(), "res://smile");
    EXPECT_EQ(r.Width(), 5);
    THTMLPicture byId;
    byId.LoadFromResourceID(7);
    EXPECT_EQ(byId.Height(), 4);
    UnregisterPictureResource("SMILE", 7);

    // Web addresses are never fetched.
    THTMLPicture web;
    web.SetAsynch(false);
    web.LoadFromURL("http://www.example.com/a.png");
    EXPECT_TRUE(web.Empty());
    EXPECT_EQ(web.ID(), "http://www.example.com/a.png");

    // Assign copies the bytes and decodes them; a foreign source empties.
    THTMLPicture copy;
    copy.Assign(&r);
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_EQ(changes, 0);
    TBitmap other(2, 2);
    copy.Assign(&other);
    EXPECT_TRUE(copy.Empty());
}

// --- the renderer -----------------------------------------------------------------------------

TEST(HTMLPictureRender, ImgDrawsThePicturesPixelsAndTakesItsRoom)
{
    TPictureContainer pictures;
    TPictureItem* item = pictures.Items().Add();
    item->SetName("Flag");
    Load(*item->Picture(), Png(20, 10, kRed));

    Surface s;
    s.args.Pictures = &pictures;
    s.Draw("ab<img src=\"flag\">cd");  // lower case finds "Flag"
    const int ab = s.TextWidth("ab"), cd = s.TextWidth("cd");
    EXPECT_EQ(s.args.ExtentWidth, ab + 20 + cd);
    EXPECT_GE(s.args.ExtentHeight, 10);
    EXPECT_EQ(s.Count(kRed), 200);
    EXPECT_EQ(s.Box(kRed), Rect(1 + ab, 0, 1 + ab + 20, 10));

    // WIDTH only keeps the proportions: 40 x 20.
    Surface w;
    w.args.Pictures = &pictures;
    w.Draw("<IMG SRC=\"flag\" WIDTH=\"40\">");
    EXPECT_EQ(w.Box(kRed), Rect(1, 0, 41, 20));
    EXPECT_EQ(w.args.ExtentWidth, 40);

    // A name the container does not hold draws nothing and takes no room.
    Surface none;
    none.args.Pictures = &pictures;
    none.Draw("ab<IMG SRC=\"other\">cd");
    EXPECT_EQ(none.args.ExtentWidth, none.TextWidth("abcd"));
    EXPECT_EQ(none.Count(kRed), 0);

    // A picture that does not fit after the text starts the next line.
    Surface narrow;
    narrow.args.Pictures = &pictures;
    const int gh = narrow.bmp.Canvas().TextHeight("gh");
    narrow.Draw("abcdef<IMG SRC=\"flag\">", Rect(0, 0, narrow.TextWidth("abcdef") + 10, 80));
    EXPECT_EQ(narrow.Box(kRed), Rect(1, gh, 21, gh + 10));
}

TEST(HTMLPictureRender, ImageListIndexesIconsAndCache)
{
    TCustomImageList images(8, 8);
    for (TColor c : {kRed, kBlue}) {
        TBitmap b(8, 8);
        b.Canvas().Brush().SetColor(c);
        b.Canvas().FillRect(Rect(0, 0, 8, 8));
        b.SetPixel(0, 7, clBlack);  // the list leaves this colour out
        images.Add(b);
    }
    Surface s;
    s.args.Images = &images;
    s.Draw("<IMG SRC=\"IDX:2\">x");
    EXPECT_EQ(s.args.ExtentWidth, s.TextWidth("x"));
    EXPECT_EQ(s.Count(kRed) + s.Count(kBlue), 0);
    s.Draw("<IMG SRC=\"IDX:1\">x");
    EXPECT_EQ(s.Count(kBlue), 63);
    EXPECT_EQ(s.args.ExtentWidth, 8 + s.TextWidth("x"));

    // Printing stretches list images by the print scale.
    Surface print;
    print.args.Images = &images;
    print.args.Printing = true;
    print.args.PrintScale = 2.5;
    print.Draw("<IMG SRC=\"IDX:0\">");
    EXPECT_EQ(print.Box(kRed), Rect(1, 0, 21, 20));

    // A desktop icon takes its size.
    Surface icon;
    icon.Draw("<IMG SRC=\"LSYS:5\">");
    EXPECT_EQ(icon.args.ExtentWidth, 32);
    icon.Draw("<IMG SRC=\"SSYS:/\">");
    EXPECT_EQ(icon.args.ExtentWidth, 16);
    icon.Draw("<IMG SRC=\"SSYS:99\">");
    EXPECT_EQ(icon.args.ExtentWidth, 0);

    // A web address adds one empty picture to the cache, once.
    THTMLPictureCache cache;
    Surface web;
    web.args.PictureCache = &cache;
    web.Draw("a<IMG SRC=\"http://www.example.com/x.gif\">b");
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(web.args.ExtentWidth, web.TextWidth("ab"));
    web.Draw("a<IMG SRC=\"http://www.example.com/x.gif\">b");
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_TRUE(cache.FindPicture("http://www.example.com/x.gif")->Empty());
}

TEST(HTMLPictureRender, AnchoredPictureHitsAndShowsItsAltWhileHovered)
{
    TPictureContainer pictures;
    for (auto [name, col] : {std::pair{"off", kRed}, std::pair{"on", kBlue}}) {
        TPictureItem* it = pictures.Items().Add();
        it->SetName(name);
        Load(*it->Picture(), Png(20, 10, col));
    }
    const std::string text = "<A HREF=\"go\" TITLE=\"Go\"><IMG SRC=\"off\" ALT=\"on\"></A>";
    Surface away;
    away.args.Pictures = &pictures;
    away.args.HitX = 150;
    away.args.HitY = 5;
    EXPECT_FALSE(away.Draw(text));
    EXPECT_EQ(away.Count(kRed), 200);

    Surface over;
    over.args.Pictures = &pictures;
    over.args.HitX = 10;
    over.args.HitY = 5;
    EXPECT_TRUE(over.Draw(text));
    EXPECT_EQ(over.args.HitAnchor, "go");
    EXPECT_EQ(over.args.HitTitle, "Go");
    EXPECT_EQ(over.Count(kBlue), 200);
    EXPECT_EQ(over.Count(kRed), 0);
}

TEST(HTMLPictureRender, AnimationFrameOnItsAreaAndPageBackground)
{
    TPictureContainer pictures;
    TPictureItem* anim = pictures.Items().Add();
    anim->SetName("anim");
    Load(*anim->Picture(), Animation());
    anim->Picture()->SetFrame(2);
    Surface s;
    s.bmp.Canvas().Brush().SetColor(clYellow);  // the colour the call begins with
    s.args.Pictures = &pictures;
    s.Draw("<IMG SRC=\"anim\">");
    EXPECT_EQ(s.args.ExtentWidth, 8);
    EXPECT_EQ(s.Box(kGreen), Rect(3, 1, 7, 4));
    EXPECT_EQ(s.Box(clYellow), Rect(1, 0, 9, 6));

    // BODY BACKGROUND tiles the picture over the bounds, and no further.
    TPictureItem* tile = pictures.Items().Add();
    tile->SetName("tile");
    Load(*tile->Picture(), Png(20, 10, kRed));
    Surface b;
    b.args.Pictures = &pictures;
    b.Draw("<BODY BACKGROUND=\"tile\">", Rect(5, 5, 55, 30));
    EXPECT_EQ(b.Box(kRed), Rect(5, 5, 55, 30));
    EXPECT_EQ(b.Count(kRed), 50 * 25);
}

// --- the grid ----------------------------------------------------------------------------------

TEST(HTMLPictureGrid, CellsDrawContainerPicturesAndUseTheGridsCache)
{
    TExStringGrid g;
    g.SetRowCount(3);
    g.SetSize(300, 80);
    auto* pictures = new TPictureContainer;
    TPictureItem* item = pictures->Items().Add();
    item->SetName("pic");
    Load(*item->Picture(), Png(12, 8, kRed));
    g.SetPictureContainer(pictures);
    g.SetAllCells(1, 1, "<IMG SRC=\"pic\">");
    g.SetAllCells(2, 1, "<IMG SRC=\"http://www.example.com/y.png\">");
    TBitmap b(g.ClientWidth(), g.ClientHeight());
    g.PaintOn(b.Canvas(), {0, 0, g.ClientWidth(), g.ClientHeight()});
    b.Canvas().Flush();
    int red = 0;
    const TRect cell = g.CellRect(1, 1);
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x) red += b.Pixel(x, y) == kRed;
    EXPECT_EQ(red, 96);
    EXPECT_EQ(g.PictureCache()->Count(), 1);
    // The grid lets go of a container that is destroyed.
    delete pictures;
    EXPECT_EQ(g.PictureContainer(), nullptr);
}
