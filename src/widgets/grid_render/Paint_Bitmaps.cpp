// The grid's built-in pictures: check boxes and radio buttons of the bitmap
// styles, node glyphs, the filter button and the metro glyphs of the colour
// tones. Each has a magenta background in its top-left pixel, which the
// grid's transparent drawing leaves out.

#include "widgets/grid_render/Paint.h"
#include "widgets/grid_render/Parts.h"

#include "platform/Graphics.h"

#include <string>

namespace {

constexpr TColor Key = clFuchsia;

void Clear(TBitmap& b, int w, int h)
{
    b.SetSize(w, h);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(Key);
    c.FillRect({0, 0, w, h});
}

void Tick(TCanvas& c, int x, int y, TColor color)
{
    c.Pen().SetColor(color);
    c.Pen().SetWidth(1);
    for (int i = 0; i < 3; ++i) {
        c.MoveTo(x, y + 2 + i);
        c.LineTo(x + 2, y + 4 + i);
        c.LineTo(x + 7, y - 1 + i);
    }
}

// A 13 x 13 check box: NUV (rounded blue frame) or XP (square green tick).
void CheckGlyph(TBitmap& b, bool nuv, bool checked, bool enabled)
{
    Clear(b, 13, 13);
    TCanvas& c = b.Canvas();
    const TColor frame = enabled ? (nuv ? TColor(0xB99D7F) : TColor(0x845A1C)) : TColor(0xBFC8CA);
    c.Pen().SetColor(frame);
    c.Brush().SetColor(enabled ? clWhite : TColor(0xF0F4F4));
    if (nuv)
        c.RoundRect(0, 0, 13, 13, 4, 4);
    else
        c.Rectangle(0, 0, 13, 13);
    if (checked) Tick(c, 3, 4, enabled ? (nuv ? TColor(0x8B3A0C) : TColor(0x21A121)) : TColor(0xA0A0A0));
}

// A 13 x 13 radio button.
void RadioGlyph(TBitmap& b, bool nuv, bool on, bool enabled)
{
    Clear(b, 13, 13);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(enabled ? (nuv ? TColor(0xB99D7F) : TColor(0x845A1C)) : TColor(0xBFC8CA));
    c.Brush().SetColor(enabled ? clWhite : TColor(0xF0F4F4));
    c.Ellipse(0, 0, 13, 13);
    if (on) {
        const TColor dot = enabled ? (nuv ? TColor(0x8B3A0C) : TColor(0x21A121)) : TColor(0xA0A0A0);
        c.Pen().SetColor(dot);
        c.Brush().SetColor(dot);
        c.Ellipse(4, 4, 9, 9);
    }
}

void LeafGlyph(TBitmap& b, bool closed)
{
    Clear(b, 16, 12);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(0x2B7A2B);
    c.Brush().SetColor(closed ? TColor(0x3FBF3F) : TColor(0x9FE09F));
    c.Polygon({{2, 6}, {8, 1}, {14, 6}, {8, 11}});
    c.MoveTo(2, 6);
    c.LineTo(14, 6);
}

// A 9 x 9 arrow: pointing right while contracted, down while open.
void XPNodeGlyph(TBitmap& b, bool contracted)
{
    Clear(b, 9, 9);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(0x404040);
    c.Brush().SetColor(contracted ? clWhite : TColor(0x404040));
    if (contracted)
        c.Polygon({{2, 0}, {6, 4}, {2, 8}});
    else
        c.Polygon({{0, 2}, {8, 2}, {4, 6}});
}

void FilterGlyph(TBitmap& b)
{
    Clear(b, 16, 16);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(0x404040);
    c.Brush().SetColor(0x808080);
    c.Polygon({{3, 5}, {12, 5}, {8, 9}, {8, 12}, {7, 12}, {7, 9}});
}

void MetroCheck(TBitmap& b, bool on)
{
    Clear(b, 15, 15);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(0x707070);
    c.Brush().SetColor(clWhite);
    c.Rectangle(1, 1, 14, 14);
    if (on) Tick(c, 4, 5, 0x303030);
}

void MetroRadio(TBitmap& b, bool on)
{
    Clear(b, 15, 15);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(0x707070);
    c.Brush().SetColor(clWhite);
    c.Ellipse(1, 1, 14, 14);
    if (on) {
        c.Pen().SetColor(0x303030);
        c.Brush().SetColor(0x303030);
        c.Ellipse(5, 5, 10, 10);
    }
}

} // namespace

void EnsureGridBitmaps()
{
    if (BitmapResourceExists("ESGCHK01")) return;
    // Numbers 1..4 the NUV look, 5..8 the XP look: checked, unchecked,
    // checked disabled, unchecked disabled.
    for (int n = 1; n <= 8; ++n) {
        const bool nuv = n <= 4;
        const int k = (n - 1) % 4;
        const bool on = k == 0 || k == 2;
        const bool enabled = k < 2;
        RegisterBitmapResource("ESGCHK0" + std::to_string(n),
                               [=](TBitmap& b) { CheckGlyph(b, nuv, on, enabled); });
        RegisterBitmapResource("ESGRAD0" + std::to_string(n),
                               [=](TBitmap& b) { RadioGlyph(b, nuv, on, enabled); });
    }
    RegisterBitmapResource("ESGLEAFCLOSE", [](TBitmap& b) { LeafGlyph(b, true); });
    RegisterBitmapResource("ESGLEAFOPEN", [](TBitmap& b) { LeafGlyph(b, false); });
    RegisterBitmapResource("XPNODEC", [](TBitmap& b) { XPNodeGlyph(b, true); });
    RegisterBitmapResource("XPNODEO", [](TBitmap& b) { XPNodeGlyph(b, false); });
    RegisterBitmapResource("ESGFILT", [](TBitmap& b) { FilterGlyph(b); });
    RegisterBitmapResource("metrocheckon", [](TBitmap& b) { MetroCheck(b, true); });
    RegisterBitmapResource("metrocheckoff", [](TBitmap& b) { MetroCheck(b, false); });
    RegisterBitmapResource("metroradioon", [](TBitmap& b) { MetroRadio(b, true); });
    RegisterBitmapResource("metroradiooff", [](TBitmap& b) { MetroRadio(b, false); });
}
