// Drawing and colour helpers of the grid library.

#include "widgets/GridDraw.h"

#include "platform/Themes.h"

#include <algorithm>
#include <cmath>

namespace {

int Clamp255(long long v) { return int(std::clamp<long long>(v, 0, 255)); }

TColor Pack(int r, int g, int b) { return RGB(r, g, b); }

// Pen and brush in one colour: shapes come out as solid areas.
void SolidColor(TCanvas& c, TColor col)
{
    c.Pen().SetStyle(psSolid);
    c.Pen().SetMode(pmCopy);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(col);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(col);
}

// What Rectangle draws after SolidColor: pen and brush of one colour make
// the outline and the inside one solid area, so it is filled at once.
void SolidRectangle(TCanvas& c, int l, int t, int r, int b)
{
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    c.FillRect({l, t, r, b});
}

void Fill(TCanvas& c, const TRect& r, TColor col)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(col);
    c.FillRect(r);
}

// Pixels x0..x1-1 of row y.
void HLine(TCanvas& c, int x0, int x1, int y, TColor col) { Fill(c, {x0, y, x1, y + 1}, col); }
// Pixels y0..y1-1 of column x.
void VLine(TCanvas& c, int x, int y0, int y1, TColor col) { Fill(c, {x, y0, x + 1, y1}, col); }

} // namespace

int RoundEven(double v) { return int(std::nearbyint(v)); }

TColor HalfColor(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return Pack(GetRValue(c) >> 1, GetGValue(c) >> 1, GetBValue(c) >> 1);
}

TColor ChangeColorPercent(TColor Color, int Percent)
{
    const TColor c = ColorToRGB(Color);
    auto step = [Percent](int v) { return Clamp255(v + RoundEven(double(v) * Percent / 100.0)); };
    return Pack(step(GetRValue(c)), step(GetGValue(c)), step(GetBValue(c)));
}

TColor BlendColorStep(TColor Color, TColor ColorTo, int Min, int Position, int Max)
{
    if (ColorTo == clNone) return Color;
    if (Max == Min) return Color;
    const TColor a = ColorToRGB(Color);
    const TColor b = ColorToRGB(ColorTo);
    const double extent = double(Max) - double(Min);
    auto mix = [&](int c1, int c2) { return Clamp255(c1 + RoundEven((c2 - c1) / extent * Position)); };
    return Pack(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void FillGradient(TCanvas& Canvas, TColor Color, TColor ColorTo, bool Horizontal, const TRect& R, int Steps)
{
    TRect r = R;
    if (r.Top == r.Bottom) return;
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    if (Color == clNone || ColorTo == clNone) {
        const TColor col = (Color == clNone) ? ColorTo : Color;
        if (col == clNone) return;
        SolidColor(Canvas, col);
        SolidRectangle(Canvas, r.Left, r.Top, r.Right, r.Bottom);
        return;
    }
    const TColor a = ColorToRGB(Color);
    const TColor b = ColorToRGB(ColorTo);
    const int size = Horizontal ? r.Right - r.Left - 1 : r.Bottom - r.Top - 1;
    const int n = std::max(1, std::min(Steps, size));
    const double s = double(std::max(size, 0)) / n;
    const int len = int(s + 1);
    for (int i = 0; i <= n; ++i) {
        const int offset = int(i * s);
        auto comp = [&](int c1, int c2) { return Clamp255(c1 + RoundEven(double(i) * (c2 - c1) / n)); };
        const TColor col = Pack(comp(GetRValue(a), GetRValue(b)), comp(GetGValue(a), GetGValue(b)),
                                comp(GetBValue(a), GetBValue(b)));
        SolidColor(Canvas, col);
        if (Horizontal) {
            const int l = r.Left + offset;
            SolidRectangle(Canvas, l, r.Top, std::min(l + len, r.Right), r.Bottom);
        } else {
            const int t = r.Top + offset;
            SolidRectangle(Canvas, r.Left, t, r.Right, std::min(t + len, r.Bottom));
        }
    }
}

void FillMirrorGradient(TCanvas& Canvas, const TRect& R, TColor Color, bool Fill, bool SidesOnly,
                        TColor BorderColor, bool Vertical, TColor MirrorColorTo, TColor MirrorColor,
                        TColor ColorTo)
{
    if (Fill && Color != clNone) {
        if (MirrorColor == clNone) {
            if (ColorTo == clNone) {
                SolidColor(Canvas, Color);
                SolidRectangle(Canvas, R.Left, R.Top, R.Right, R.Bottom + 1);
            } else {
                FillGradient(Canvas, Color, ColorTo, !Vertical, R, 128);
            }
        } else if (Vertical) {
            const int mid = R.Top + (R.Bottom - R.Top) / 2;
            FillGradient(Canvas, Color, ColorTo, false, {R.Left, R.Top, R.Right, mid}, 128);
            FillGradient(Canvas, MirrorColor, MirrorColorTo, false, {R.Left, mid, R.Right, R.Bottom}, 128);
        } else {
            const int mid = R.Left + (R.Right - R.Left) / 2;
            FillGradient(Canvas, Color, ColorTo, true, {R.Left, R.Top, mid, R.Bottom}, 128);
            FillGradient(Canvas, MirrorColor, MirrorColorTo, true, {mid, R.Top, R.Right, R.Bottom}, 128);
        }
    }
    if (BorderColor == clNone) return;
    if (SidesOnly) {
        VLine(Canvas, R.Left, R.Top, R.Bottom, BorderColor);
        VLine(Canvas, R.Right - 1, R.Top, R.Bottom, BorderColor);
    } else {
        Canvas.Brush().SetStyle(bsSolid);
        Canvas.Brush().SetColor(BorderColor);
        Canvas.FrameRect(R);
    }
}

void DrawRoundedSelection(TCanvas& Canvas, TColor Color, TColor ColorTo, int SegmentKind, const TRect& R0,
                          TColor BkColor, TColor CornerColor, TColor BorderColor, TColor LowerInnerColor,
                          TColor UpperInnerColor, TColor MirrorColorTo, TColor MirrorColor)
{
    const TRect R{R0.Left, R0.Top, R0.Right - 1, R0.Bottom - 2};
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    const int mid = R.Top + (R.Bottom - R.Top) / 2;
    const bool leftRound = SegmentKind == rsSingle || SegmentKind == rsLeftEnd;
    const bool rightRound = SegmentKind == rsSingle || SegmentKind == rsRightEnd;

    // 1. upper inner line and the inner sides above the middle
    HLine(Canvas, R.Left, R.Right, R.Top + 1, UpperInnerColor);
    if (leftRound) VLine(Canvas, R.Left + 1, R.Top + 1, mid, UpperInnerColor);
    if (rightRound) VLine(Canvas, R.Right - 2, R.Top + 1, mid, UpperInnerColor);
    // 2. lower inner line and the inner sides below the middle
    HLine(Canvas, R.Left, R.Right, R.Bottom - 1, LowerInnerColor);
    if (leftRound) VLine(Canvas, R.Left + 1, mid, R.Bottom - 1, LowerInnerColor);
    if (rightRound) VLine(Canvas, R.Right - 2, mid, R.Bottom - 1, LowerInnerColor);
    // 3. border: top and bottom edges, the outer sides at rounded ends
    const int bl = R.Left + (leftRound ? 2 : 0);
    const int br = R.Right - (rightRound ? 2 : 0);
    HLine(Canvas, bl, br, R.Top, BorderColor);
    HLine(Canvas, bl, br, R.Bottom, BorderColor);
    if (rightRound) VLine(Canvas, R.Right - 1, R.Top + 2, R.Bottom - 1, BorderColor);
    if (leftRound) VLine(Canvas, R.Left, R.Top + 2, R.Bottom - 1, BorderColor);
    // 4. corner pixels
    auto px = [&](int x, int y, TColor c) { Fill(Canvas, {x, y, x + 1, y + 1}, c); };
    auto corners = [&](int inner, int outer) {
        px(inner, R.Top, CornerColor);
        px(inner, R.Top + 1, CornerColor);
        px(outer, R.Top + 1, CornerColor);
        px(inner, R.Bottom, CornerColor);
        px(inner, R.Bottom - 1, CornerColor);
        px(outer, R.Bottom - 1, CornerColor);
        px(outer, R.Top, BkColor);
        px(outer, R.Bottom, BkColor);
    };
    if (leftRound) corners(R.Left + 1, R.Left);
    if (rightRound) corners(R.Right - 2, R.Right - 1);
    // 5. the face
    const TRect inner{leftRound ? R.Left + 2 : R.Left, R.Top + 2, rightRound ? R.Right - 2 : R.Right, R.Bottom - 1};
    if (inner.Right <= inner.Left || inner.Bottom <= inner.Top) return;
    if (ColorTo == clNone) {
        Fill(Canvas, inner, Color);
    } else if (MirrorColor == clNone) {
        FillGradient(Canvas, Color, ColorTo, false, inner, 16);
    } else {
        const int m = inner.Top + (inner.Bottom - inner.Top) / 2;
        FillGradient(Canvas, Color, ColorTo, false, {inner.Left, inner.Top, inner.Right, m}, 16);
        FillGradient(Canvas, MirrorColor, MirrorColorTo, false, {inner.Left, m, inner.Right, inner.Bottom}, 16);
    }
}

// --- control parts ------------------------------------------------------------------------

namespace {

const TColorTone& ToneOf(const TColorTones& t, int state)
{
    switch (state) {
    case cpsHot: return t.Hover;
    case cpsPressed: return t.Selected;
    case cpsDisabled: return t.Disabled;
    default: return t.Background;
    }
}

// Themed background of a part; false when no theme is open (themes off).
bool Themed(TCanvas& c, void* wnd, const char* cls, int part, int state, const TRect& r)
{
    HTHEME h = OpenThemeData(wnd, cls);
    if (!h) return false;
    DrawThemeBackground(h, c, part, state, r);
    CloseThemeData(h);
    return true;
}

void OwnerBox(TCanvas& c, const TRect& r, TColor fill, TColor border)
{
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(border);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(fill);
    c.Rectangle(r);
}

void Triangle(TCanvas& c, std::vector<TPoint> pts, TColor col)
{
    SolidColor(c, col);
    c.Polygon(pts);
}

} // namespace

TRect ComboButtonRect(const TRect& Cell) { return {Cell.Right - 19, Cell.Top + 1, Cell.Right - 2, Cell.Bottom - 1}; }

TRect SpinButtonsRect(const TRect& Cell) { return {Cell.Right - 16, Cell.Top - 1, Cell.Right - 1, Cell.Bottom - 1}; }

void DrawComboButton(TCanvas& Canvas, void* Window, const TRect& R, const TColorTones& Tones, int State, int Kind)
{
    TRect b = ComboButtonRect(R);
    if (Kind == cpkThemed &&
        Themed(Canvas, Window, "combobox", CP_DROPDOWNBUTTON, State == cpsDisabled ? CBXS_DISABLED : CBXS_NORMAL, b))
        return;
    if (Kind != cpkOwnerDrawn) {
        unsigned st = DFCS_SCROLLCOMBOBOX | (State == cpsDisabled ? DFCS_INACTIVE : 0u);
        if (Kind == cpkFlat) st |= DFCS_FLAT;
        DrawFrameControl(Canvas, b, DFC_SCROLL, st);
        return;
    }
    b.Left += 3;
    const TColorTone& t = ToneOf(Tones, State);
    OwnerBox(Canvas, b, t.BrushColor, t.BrushColor);
    VLine(Canvas, b.Left + 1, b.Top, b.Bottom, Tones.Background.BorderColor);
    Triangle(Canvas, {{b.Left + 5, b.Top + 8}, {b.Left + 11, b.Top + 8}, {b.Left + 8, b.Top + 11}},
             Tones.Background.TextColor);
}

void DrawButtonFace(TCanvas& Canvas, void* Window, const TRect& R, const TColorTones& Tones, int State, int Kind)
{
    if (Kind == cpkThemed && Themed(Canvas, Window, "button", BP_PUSHBUTTON, State + 1, R)) return;
    if (Kind != cpkOwnerDrawn) {
        unsigned st = DFCS_BUTTONPUSH;
        if (State == cpsHot) st |= DFCS_HOT;
        if (State == cpsPressed) st |= DFCS_PUSHED;
        if (State == cpsDisabled) st |= DFCS_INACTIVE;
        if (Kind == cpkFlat) st |= DFCS_FLAT;
        DrawFrameControl(Canvas, R, DFC_BUTTON, st);
        return;
    }
    const TColorTone& t = ToneOf(Tones, State);
    OwnerBox(Canvas, R, t.BrushColor, t.BorderColor);
}

void DrawSpinButtons(TCanvas& Canvas, void* Window, const TRect& R, const TColorTones& Tones, int State, int Kind)
{
    const TRect b = SpinButtonsRect(R);
    const int mid = b.Top + (b.Bottom - b.Top) / 2;
    const TRect up{b.Left, b.Top, b.Right, mid};
    const TRect down{b.Left, mid, b.Right, b.Bottom};
    if (Kind == cpkThemed) {
        const int ts = State == cpsDisabled ? UPS_DISABLED : UPS_NORMAL;
        if (Themed(Canvas, Window, "spin", SPNP_UP, ts, up)) {
            Themed(Canvas, Window, "spin", SPNP_DOWN, ts, down);
            return;
        }
    }
    if (Kind != cpkOwnerDrawn) {
        unsigned extra = (State == cpsDisabled ? DFCS_INACTIVE : 0u) | (Kind == cpkFlat ? DFCS_FLAT : 0u);
        DrawFrameControl(Canvas, up, DFC_SCROLL, DFCS_SCROLLUP | extra);
        DrawFrameControl(Canvas, down, DFC_SCROLL, DFCS_SCROLLDOWN | extra);
        return;
    }
    const TColorTone& t = ToneOf(Tones, State);
    OwnerBox(Canvas, up, t.BrushColor, t.BrushColor);
    OwnerBox(Canvas, down, t.BrushColor, t.BrushColor);
    const int x = up.Left, y = up.Top;
    Triangle(Canvas, {{x + 5, y + 5}, {x + 9, y + 5}, {x + 7, y + 3}}, clBlack);
    const int dx = down.Left, dy = down.Top;
    Triangle(Canvas, {{dx + 5, dy}, {dx + 9, dy}, {dx + 7, dy + 3}}, clBlack);
}

// --- bitmaps and layered windows ---------------------------------------------------------------

void DrawBitmapTransparent(TCanvas& Canvas, const TBitmap& Bitmap, TColor BkColor, const TRect& R)
{
    if (Bitmap.Empty()) return;
    TBitmap tmp(Bitmap.Width(), Bitmap.Height());
    TCanvas& tc = tmp.Canvas();
    tc.Brush().SetStyle(bsSolid);
    tc.Brush().SetColor(BkColor);
    const TRect full{0, 0, Bitmap.Width(), Bitmap.Height()};
    tc.BrushCopy(full, Bitmap, full, Bitmap.Pixel(0, 0));
    tc.Flush();
    Canvas.Draw(R.Left, R.Top, tmp);
}

void DrawResourceBitmapTransparent(TCanvas& Canvas, TColor BkColor, const TRect& R, const std::string& Name)
{
    if (!BitmapResourceExists(Name)) return;
    TBitmap bmp;
    bmp.LoadFromResourceName(Name);
    DrawBitmapTransparent(Canvas, bmp, BkColor, R);
}

bool UpdateLayeredWindowDyn(void*, void*, const TPoint*, const TSize*, void*, const TPoint*, TColor,
                            const TBlendFunction*, unsigned)
{
    return true;
}

bool SetLayeredWindowAttributesDyn(void*, TColor, std::uint8_t, unsigned) { return true; }
