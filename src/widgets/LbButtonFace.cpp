#include "widgets/LbButtonFace.h"

#include "platform/TextDraw.h"

#include <algorithm>

TColor BlendHotTrack(TColor color, TColor hotTrack, int step)
{
    const TColor c = ColorToRGB(color), h = ColorToRGB(hotTrack);
    const double s = step / 8.0;
    auto ch = [&](int a, int b) { return static_cast<int>(a * (1 - s) + b * s); };
    return RGB(ch(GetRValue(c), GetRValue(h)), ch(GetGValue(c), GetGValue(h)), ch(GetBValue(c), GetBValue(h)));
}

void PaintVerticalGradient(TCanvas& canvas, TColor a, TColor b, int left, int top, int right, int bottom)
{
    const TPenStyle saved = canvas.Pen().Style();
    canvas.Pen().SetStyle(psClear);
    const TColor ca = ColorToRGB(a), cb = ColorToRGB(b);
    const int span = bottom - top;
    double r = GetRValue(ca), g = GetGValue(ca), bl = GetBValue(ca);
    const double dr = (GetRValue(cb) - r) / 31.0, dg = (GetGValue(cb) - g) / 31.0, db = (GetBValue(cb) - bl) / 31.0;
    canvas.Brush().SetStyle(bsSolid);
    for (int i = 0; i <= 31; ++i) {
        canvas.Brush().SetColor(RGB(static_cast<int>(r), static_cast<int>(g), static_cast<int>(bl)));
        const int t = top + i * span / 31;
        canvas.FillRect(Rect(left, t, right, std::min(t + span / 31 + 1, bottom)));
        r += dr;
        g += dg;
        bl += db;
    }
    canvas.Pen().SetStyle(saved);
}

namespace {

std::string DropLastChar(const std::string& s)
{
    size_t n = s.size();
    if (n == 0) return s;
    --n;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    return s.substr(0, n);
}

unsigned TextFormat(TAlignment a)
{
    switch (a) {
    case TAlignment::taLeftJustify: return DT_WORDBREAK | DT_LEFT;
    case TAlignment::taRightJustify: return DT_WORDBREAK | DT_RIGHT;
    case TAlignment::taCenter: break;
    }
    return DT_WORDBREAK | DT_CENTER;
}

int TextWidth(TCanvas& c, const std::string& s)
{
    TRect r = Rect(0, 0, 0, 0);
    DrawText(c, s, r, DT_CALCRECT | DT_SINGLELINE);
    return s.empty() ? 0 : r.Width();
}

void Line(TCanvas& c, TColor pen, std::initializer_list<TPoint> pts)
{
    c.Pen().SetColor(pen);
    auto it = pts.begin();
    c.MoveTo(it->X, it->Y);
    for (++it; it != pts.end(); ++it) c.LineTo(it->X, it->Y);
}

} // namespace

void PaintLbButtonFace(TCanvas& C, const TLbFaceParams& p)
{
    const int W = p.Width, H = p.Height;
    const bool pressed = p.Enabled && p.Pressed;
    const int d = pressed && p.Style != bsEncarta ? 1 : 0;

    TColor face = ColorToRGB(p.Color);
    if (p.Enabled && p.HotTrackColor != clNone) face = BlendHotTrack(p.Color, p.HotTrackColor, p.HotTrackStep);
    if (pressed && p.ColorWhenDown != clNone) face = ColorToRGB(p.ColorWhenDown);

    C.Pen().SetStyle(psSolid);
    C.Pen().SetWidth(1);
    if (!p.SkipFill) {
        switch (p.Style) {
        case bsShape:
            C.Brush().SetColor(clFuchsia);
            C.FillRect(Rect(-1, -1, W + 1, H + 1));
            break;
        case bsNormal:
        case bsEncarta:
        case bsOld:
            C.Brush().SetColor(face);
            C.FillRect(Rect(-1, -1, W + 1, H + 1));
            break;
        case bsModern:
            PaintVerticalGradient(C, p.LightColor, face, 2, 2, W - 2, H / 4 + d);
            PaintVerticalGradient(C, face, p.LightColor, 2, H / 4 + d, W - 2, H - 1);
            break;
        case bsQuicken: break;
        }
    }
    C.Brush().SetStyle(bsClear);

    // Border.
    switch (p.Style) {
    case bsNormal:
    case bsEncarta:
    case bsOld: {
        const bool draw = (p.Enabled && (!p.Flat || p.Hot || pressed)) || (!p.Enabled && !p.Flat);
        if (!draw) break;
        if (p.Style == bsOld) {
            if (pressed) Line(C, p.ShadowColor, {{1, H - 3}, {1, 1}, {W - 2, 1}});
            else Line(C, p.ShadowColor, {{W - 2, 0}, {W - 2, H - 2}, {0, H - 2}});
            Line(C, pressed ? cl3DDkShadow : p.LightColor, {{0, H - 1}, {0, 0}, {W - 1, 0}});
            Line(C, pressed ? p.LightColor : cl3DDkShadow, {{W - 1, 0}, {W - 1, H - 1}, {-1, H - 1}});
        } else {
            Line(C, pressed ? p.ShadowColor : p.LightColor, {{0, H - 1}, {0, 0}, {W - 1, 0}});
            Line(C, pressed ? p.LightColor : p.ShadowColor, {{W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
        }
        break;
    }
    case bsModern:
        C.Pen().SetColor(pressed ? p.ShadowColor : face);
        C.Rectangle(1, 1, W - 1, H - 1);
        C.Pen().SetColor(p.ShadowColor);
        C.RoundRect(0, 0, W, H, 6, 6);
        break;
    case bsQuicken:
        C.Pen().SetColor(pressed ? p.ShadowColor : face);
        C.Pen().SetStyle(psClear);
        C.Brush().SetColor(face);
        C.RoundRect(0, 1, W, H, 4, 4);
        C.Brush().SetStyle(bsClear);
        C.Pen().SetStyle(psSolid);
        Line(C, p.ShadowColor, {{4, 0}, {W - 5, 0}});
        Line(C, p.ShadowColor, {{4, H - 1}, {W - 5, H - 1}});
        break;
    case bsShape: break;
    }

    // Font.
    C.Font().Assign(p.Font);
    if (p.Style == bsEncarta && pressed) C.Font().SetStyle(C.Font().Style() + fsBold);

    // Glyph image.
    const TBitmap* glyph = p.Glyph;
    const int gw = glyph && p.NumGlyphs > 0 ? glyph->Width() / p.NumGlyphs : 0;
    const int gh = glyph && gw > 0 ? glyph->Height() : 0;
    TBitmap image;
    if (gw > 0 && gh > 0) {
        int sx = 0;
        if (!p.Enabled) {
            sx = gw;
        } else {
            if (p.Hot && p.NumGlyphs > 3) sx = 3 * gw;
            if (pressed && p.NumGlyphs > 2) sx = 2 * gw;
        }
        TBitmap strip = *glyph;
        strip.SetTransparent(false);
        image.SetSize(gw, gh);
        image.Canvas().Draw(0, 0, strip);    // the first image
        image.Canvas().Draw(-sx, 0, strip);  // the chosen one over it
        image.SetTransparent(true);
        image.SetTransparentMode(tmAuto);
    }
    const int gwx = gh > 0 ? gw : 0;
    const int ghy = gw > 0 ? gh : 0;

    // Caption cutting and measuring.
    const unsigned fmt = TextFormat(p.Alignment);
    int L;
    if (p.Style == bsShape || p.Layout == blGlyphTop || p.Layout == blGlyphBottom) L = std::max(W - 8, 0);
    else L = std::max(W - 8 - (gwx > 0 ? gwx + 4 : 0), 0);
    std::string caption = p.Caption;
    if (!p.WordWrap)
        while (!caption.empty() && TextWidth(C, caption) > L) caption = DropLastChar(caption);
    TRect measure = Rect(0, 0, L, 0);
    const int th = caption.empty() ? 0 : DrawText(C, caption, measure, fmt | DT_CALCRECT);

    int tx = 0, ty = 0, gx = 0, gy = 0;
    if (p.Style == bsShape) {
        gx = (W - gwx) / 2;
        gy = (H - ghy) / 2;
        tx = d;
        ty = (H - th) / 2 + d;
        L = W - d;
    } else if (p.Layout == blGlyphLeft || p.Layout == blGlyphRight) {
        tx = d + 4;
        ty = (H - th) / 2 + d;
        gy = (H - ghy) / 2 + d;
        const int tw = caption.empty() ? 0 : TextWidth(C, caption) + 4;
        if (p.Layout == blGlyphLeft) {
            if (gwx > 0) tx += gwx + 4;
            gx = d + 4;
            if (!p.WordWrap) {
                if (p.Alignment == TAlignment::taRightJustify) gx = W - 4 - gwx - tw + d;
                else if (p.Alignment == TAlignment::taCenter) gx = (W - gwx) / 2 + d - tw / 2;
            }
        } else {
            gx = d + 4 + tw;
            if (!p.WordWrap) {
                if (p.Alignment == TAlignment::taRightJustify) gx = W - 4 + d - gwx;
                else if (p.Alignment == TAlignment::taCenter) gx = (W - gwx) / 2 + d + tw / 2;
            }
        }
    } else {
        const int B = th + (ghy > 0 ? ghy + 4 : 0);
        tx = d + 4;
        if (p.Layout == blGlyphTop) {
            ty = (H - B) / 2 + ghy + d;
            gy = (H - B) / 2 + d;
        } else {
            ty = (H - B) / 2 + d;
            gy = (H - B) / 2 + th + d;
        }
        switch (p.Alignment) {
        case TAlignment::taLeftJustify: gx = d + 4; break;
        case TAlignment::taRightJustify: gx = W - gwx - 4 + d; break;
        case TAlignment::taCenter: gx = (W - gwx) / 2 + d; break;
        }
    }

    if (!p.Enabled) C.Font().SetColor(0x808080);
    C.Brush().SetStyle(bsClear);
    if (!caption.empty()) {
        TRect tr = Rect(tx, ty, tx + L, ty + th);
        DrawText(C, caption, tr, fmt);
    }
    if (gwx > 0 && ghy > 0) C.Draw(gx, gy, image);

    if (p.HasPopupMenu && BitmapResourceExists("LBARROW")) {
        TBitmap arrow;
        arrow.LoadFromResourceName("LBARROW");
        arrow.SetTransparent(true);
        C.Draw(W - 11, H / 2 - 1, arrow);
    }
}

namespace {

// Two 18 x 18 images side by side (normal, disabled) on an olive background
// that the lower-left pixel makes transparent.
void KindGlyph(TBitmap& b, int height, TColor ink, const std::function<void(TCanvas&, int)>& draw)
{
    b.SetSize(36, height);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clOlive);
    c.FillRect(Rect(0, 0, 36, height));
    c.Pen().SetWidth(2);
    c.Pen().SetColor(ink);
    draw(c, 0);
    c.Pen().SetColor(clGray);
    draw(c, 18);
}

} // namespace

void RegisterLbButtonResources()
{
    if (BitmapResourceExists("LBARROW")) return;
    RegisterBitmapResource("LBARROW", [](TBitmap& b) {
        b.SetSize(5, 3);
        TCanvas& c = b.Canvas();
        c.Brush().SetColor(clOlive);
        c.FillRect(Rect(0, 0, 5, 3));
        c.Pen().SetColor(clBlack);
        for (int y = 0; y < 3; ++y) {
            c.MoveTo(y, y);
            c.LineTo(5 - y, y);
        }
    });
    auto check = [](TCanvas& c, int x) {
        c.MoveTo(x + 3, 9);
        c.LineTo(x + 7, 13);
        c.LineTo(x + 15, 4);
    };
    auto cross = [](TCanvas& c, int x) {
        c.MoveTo(x + 4, 4);
        c.LineTo(x + 14, 14);
        c.MoveTo(x + 14, 4);
        c.LineTo(x + 4, 14);
    };
    auto question = [](TCanvas& c, int x) {
        c.Font().SetStyle({fsBold});
        c.Font().SetSize(10);
        c.Brush().SetStyle(bsClear);
        c.TextOut(x + 5, 1, "?");
    };
    auto circle = [](TCanvas& c, int x) {
        c.Brush().SetStyle(bsClear);
        c.Ellipse(x + 3, 3, x + 15, 15);
    };
    auto arrows = [](TCanvas& c, int x) {
        c.Brush().SetStyle(bsClear);
        c.Ellipse(x + 3, 3, x + 15, 15);
        c.MoveTo(x + 12, 3);
        c.LineTo(x + 15, 6);
    };
    auto all = [](TCanvas& c, int x) {
        for (int i = 0; i < 3; ++i) {
            c.MoveTo(x + 3, 5 + 4 * i);
            c.LineTo(x + 15, 5 + 4 * i);
        }
    };
    struct K {
        const char* name;
        TColor ink;
        std::function<void(TCanvas&, int)> draw;
        int height;
    };
    const K kinds[] = {
        {"LBOK", clGreen, check, 18},     {"LBCANCEL", clRed, cross, 18},  {"LBHELP", clNavy, question, 18},
        {"LBYES", clGreen, check, 18},    {"LBNO", clRed, cross, 18},      {"LBCLOSE", clMaroon, cross, 18},
        {"LBABORT", clRed, circle, 18},   {"LBRETRY", clNavy, arrows, 18}, {"LBIGNORE", clGray, circle, 18},
        {"LBALL", clNavy, all, 19},
    };
    for (const K& k : kinds) {
        RegisterBitmapResource(k.name, [k](TBitmap& b) { KindGlyph(b, k.height, k.ink, k.draw); });
    }
}
