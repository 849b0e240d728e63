// Fuzzes the mini-HTML renderer (measuring into an offscreen bitmap) and the
// mini-HTML text operations. Input: one byte of switches, two bytes of hit
// point, then the mark-up.
#include "widgets/grid_render/Html_Render.h"

#include "OffscreenApplication.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const unsigned flags = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);

    static TBitmap bmp(200, 100);
    THTMLDrawArgs a;
    a.MeasureOnly = true;
    a.WordWrap = flags & 1;
    a.LocateControl = flags & 2;
    a.Selected = flags & 4;
    a.HoverOnlyUnderline = flags & 8;
    a.BlinkVisible = flags & 16;
    a.MouseDown = flags & 32;
    a.BiDiMode = flags & 64 ? bdRightToLeft : bdLeftToRight;
    a.HoverAnchorNumber = 1;
    a.FocusAnchorIndex = 0;
    a.HitX = data[1];
    a.HitY = data[2] / 2;
    a.ControlId = "a";
    const TRect bounds = flags & 128 ? Rect(0, 0, 200, 100) : Rect(0, 0, 20, 10);
    if (DrawHTMLText(bmp.Canvas(), text, bounds, a)) std::abort();  // measuring never reports a hit
    if (a.ExtentWidth < 0 || a.ExtentHeight <= 0) std::abort();
    if (bmp.Canvas().Font().Name() != TFont().Name()) std::abort();  // the canvas is given back

    // Text operations.
    for (bool all : {false, true})
        if (DecodeHTMLEntities(EncodeHTMLEntities(text, all), all) != text) std::abort();
    HTMLToPlainText(text);
    StripHTMLTags(text);
    const size_t nl = text.find('\n');
    if (nl != std::string::npos) {
        const std::string find = text.substr(nl + 1, 8);
        const std::string marked = HTMLMarkText(text.substr(0, nl), find, "hi", flags & 1);
        HTMLUnmarkText(marked, "hi");
    }
    std::string form = "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"\" WIDTH=\"10\">" + text;
    if (!HTMLSetControlValue(form, "a", text)) std::abort();
    std::string value;
    if (!HTMLGetControlValue(form, "a", value) || value != text) std::abort();
    HTMLNextEditControlID(text, "a");
    HTMLGetControlMaxLen(text, "a");
    HTMLClearRadioControls(text);
    return 0;
}
