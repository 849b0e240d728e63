// Fuzzes the pictures of the mini-HTML renderer: the input is the bytes of
// one picture in a container (GIF frame scan, frame selection, animation
// ticks, the platform's decoder) drawn by the renderer into a bitmap.
// Checks: only EHTMLPictureError escapes a load; the frame count is the
// scan's; the raw bytes come back unchanged; a copy decodes like the
// original; the canvas is given back.
#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/PictureContainer.h"

#include "OffscreenApplication.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact-size heap copy: any read past the picture's bytes is seen.
    const std::vector<std::uint8_t> bytes(data, data + size);
    TPictureContainer pictures;
    TPictureItem* item = pictures.Items().Add();
    item->SetName("p");
    THTMLPicture& pic = *item->Picture();
    bool decoded = true;
    try {
        TMemoryStream s(bytes);
        pic.LoadFromStream(&s);
    } catch (const EHTMLPictureError&) {
        decoded = false;
    }
    TMemoryStream back;
    pic.SaveToStream(back);
    if (back.Bytes() != bytes) std::abort();

    const int frames = pic.FrameCount();
    const bool gif = size >= 5 && std::equal(data, data + 4, "GIF8");
    if (!gif && frames != -1) std::abort();
    if (gif && frames != int(GIFFrameStarts(bytes.data(), bytes.size()).size())) std::abort();
    for (int f = 0; f <= std::min(frames, 6) + 1; ++f) {
        const int t = pic.GetFrameTime(f);
        if ((f >= 1 && f <= frames) != (t >= 0)) std::abort();
    }

    // A copy decodes like the original.
    TPictureContainer copy;
    copy.SetItems(pictures.Items());
    THTMLPicture* same = copy.FindPicture("P");
    if (!same || same->Width() != pic.Width() || same->Height() != pic.Height()) std::abort();
    (void)decoded;

    static TBitmap bmp(96, 48);
    THTMLDrawArgs a;
    a.Pictures = &pictures;
    const std::string text = "a<IMG SRC=\"p\">b<IMG SRC=\"p\" WIDTH=\"9\" ALIGN=\"MIDDLE\">"
                             "<BODY BACKGROUND=\"p\"><IMG SRC=\"p\" HEIGHT=\"7\">";
    DrawHTMLText(bmp.Canvas(), text, Rect(0, 0, 96, 48), a);
    if (bmp.Canvas().Font().Name() != TFont().Name()) std::abort();

    // Frame selection and animation over the first frames.
    for (int f = 1; f <= std::min(frames, 4); ++f) {
        try {
            pic.SetFrame(f);
        } catch (const EHTMLPictureError&) {
        }
        DrawHTMLText(bmp.Canvas(), text, Rect(0, 0, 96, 48), a);
    }
    for (int t = 0; t < 12; ++t) pictures.Items().Animate();
    DrawHTMLText(bmp.Canvas(), text, Rect(0, 0, 96, 48), a);
    return 0;
}
