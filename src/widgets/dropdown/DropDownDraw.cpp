#include "widgets/dropdown/DropDownDraw.h"

#include "widgets/grid_render/Html_Render.h"

#include "platform/DrawText.h"
#include "platform/ImgList.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Nearest integer, ties to even.
int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

int Clamp255(int v)
{
    return std::clamp(v, 0, 255);
}

} // namespace

void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& Rect, bool Direction)
{
    TRect r = Rect;
    if (Steps < 1) Steps = 1;
    const TColor from = ColorToRGB(FromColor);
    const TColor to = ColorToRGB(ToColor);
    const int fr = GetRValue(from), fg = GetGValue(from), fb = GetBValue(from);
    const int dr = GetRValue(to) - fr, dg = GetGValue(to) - fg, db = GetBValue(to) - fb;

    Canvas.Pen().SetColor(from);
    Canvas.Brush().SetColor(from);
    if (IsRectEmpty(r)) return;

    if (Direction)
        --r.Right;
    else
        --r.Bottom;
    const double d = (Direction ? r.Right - r.Left : r.Bottom - r.Top) / static_cast<double>(Steps);
    const int size = RoundEven(d);
    for (int n = 0; n < Steps; ++n) {
        const TColor c = RGB(Clamp255(fr + RoundEven(n * dr / static_cast<double>(Steps))),
                             Clamp255(fg + RoundEven(n * dg / static_cast<double>(Steps))),
                             Clamp255(fb + RoundEven(n * db / static_cast<double>(Steps))));
        Canvas.Pen().SetColor(c);
        Canvas.Brush().SetColor(c);
        const int start = RoundEven(n * d);
        if (Direction)
            Canvas.Rectangle(r.Left + start, r.Top, r.Left + start + size + 1, r.Bottom);
        else
            Canvas.Rectangle(r.Left, r.Top + start, r.Right, r.Top + start + size + 1);
    }
}

TColor BlendColor(TColor ColorA, TColor ColorB, int Percent)
{
    if (Percent >= 100) return ColorA;
    if (Percent <= 0) return ColorB;
    const TColor a = ColorToRGB(ColorA);
    const TColor b = ColorToRGB(ColorB);
    const double p = Percent / 100.0;
    auto mix = [p](int ca, int cb) { return Clamp255(RoundEven(p * ca + (1 - p) * cb)); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

TColor ShiftColor(TColor Color, int DeltaR, int DeltaG, int DeltaB)
{
    const TColor c = ColorToRGB(Color);
    auto shift = [](int ch, int delta) {
        if (ch == 0) return Clamp255(std::max(0, delta));
        return Clamp255(RoundEven(ch * std::min(100, 100 + delta) / 100.0));
    };
    return RGB(shift(GetRValue(c), DeltaR), shift(GetGValue(c), DeltaG), shift(GetBValue(c), DeltaB));
}

void DrawBackgroundRect(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor ColorTo, TColor BorderColor,
                        int BorderWidth, bool Vertical)
{
    if (!Canvas) return;
    if (ColorTo != clNone) {
        DrawGradient(*Canvas, Color, ColorTo, 80, Rect, !Vertical);
    } else if (Color != clNone) {
        Canvas->Brush().SetColor(Color);
        Canvas->FillRect(Rect);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush().SetStyle(bsClear);
        Canvas->Pen().SetColor(BorderColor);
        Canvas->Pen().SetWidth(BorderWidth);
        Canvas->Rectangle(Rect);
    }
}

void DrawImageAndCaption(TCanvas* Canvas, const TRect& Rect, const std::string& Caption, TCustomImageList* Images,
                         int ImageIndex)
{
    if (!Canvas) return;
    TRect t = Rect;
    bool image = false;
    if (ImageIndex >= 0 && Images) {
        Images->Draw(*Canvas, Rect.Left + 4, Rect.Top + (Rect.Height() - Images->Height()) / 2, ImageIndex);
        t.Left += Images->Width() + 8;
        image = true;
    }
    if (Caption.empty()) return;
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!image) flags |= DT_CENTER;
    Canvas->Brush().SetStyle(bsClear);
    DrawText(*Canvas, Caption, t, flags);
}

void DrawTransparentGlyph(TCanvas& Canvas, const TBitmap& Glyph, TColor Color, const TRect& Rect)
{
    if (Glyph.Empty()) return;
    TBitmap tmp(Glyph.Width(), Glyph.Height());
    tmp.Canvas().Brush().SetColor(Color);
    const TRect area = ::Rect(0, 0, Rect.Width(), Rect.Height());
    tmp.Canvas().BrushCopy(area, Glyph, area, Glyph.Pixel(0, 0));
    Canvas.CopyRect(Rect, tmp.Canvas(), area);
}

TSize GetTextExtent(TCanvas& Canvas, const std::string& Text)
{
    if (Text.empty()) return {0, 0};
    TRect r = Rect(0, 0, 1000, 500);
    DrawText(Canvas, Text, r, DT_CALCRECT | DT_SINGLELINE);
    return {r.Right - r.Left, r.Bottom - r.Top};
}

void FitTextWithEllipsis(TCanvas& Canvas, const std::string& Text, int MaxWidth, bool AddEllipsis,
                         std::string& Result)
{
    Result = Text;
    if (Canvas.TextWidth(Text) <= MaxWidth) return;
    // Where each character starts, so that a cut never splits one.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < Text.size(); i += static_cast<std::size_t>(Utf8CharLength(Text, i)))
        starts.push_back(i);
    for (std::size_t m = starts.size(); m-- > 0;) {
        std::string s = Text.substr(0, starts[m]);
        if (AddEllipsis) s += "...";
        if (Canvas.TextWidth(s) < MaxWidth) {
            Result = s;
            return;
        }
    }
}

void DrawHTMLCaption(TCanvas& Canvas, const std::string& Text, const TRect& Rect, TCustomImageList* Images,
                     bool MeasureOnly, void* OwnerWindow, TPoint& Size)
{
    Size = TPoint{0, 0};
    if (Text.empty()) return;
    THTMLDrawArgs a;
    a.Images = Images;
    a.MeasureOnly = MeasureOnly;
    a.OwnerWindow = OwnerWindow;
    DrawHTMLText(Canvas, Text, Rect, a);
    Size = TPoint{a.ExtentWidth, a.ExtentHeight};
}

void UpperCaseUnless(const std::string& Text, bool KeepCase, std::string& Result)
{
    Result = KeepCase ? Text : AnsiUpperCase(Text);
}
