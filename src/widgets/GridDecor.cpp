// Cell decoration painters: progress bars and pies, range bars, shapes,
// error zigzags and drop-down triangles.

#include "widgets/GridDecor.h"

#include "widgets/GridDraw.h"

#include "platform/DrawText.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

void PenBrush(TCanvas& c, TColor pen, TColor brush)
{
    c.Pen().SetStyle(psSolid);
    c.Pen().SetMode(pmCopy);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(pen);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(brush);
}

TRect Inflated(const TRect& r, int d) { return {r.Left - d, r.Top - d, r.Right + d, r.Bottom + d}; }

void Frame(TCanvas& c, const TRect& r, TColor col)
{
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(col);
    c.FrameRect(r);
}

// The format applied to the position: as an integer when it asks for one,
// else as a real. A format that fits neither is shown as it is.
std::string FormatPosition(const std::string& fmt, double pos)
{
    const bool asInt = fmt.find('d') != std::string::npos || fmt.find('u') != std::string::npos;
    try {
        if (asInt) return Format(fmt, {RoundEven(pos)});
        return Format(fmt, {pos});
    } catch (const EConvertError&) {
    }
    try {
        if (asInt) return Format(fmt, {pos});
        return Format(fmt, {RoundEven(pos)});
    } catch (const EConvertError&) {
    }
    return fmt;
}

} // namespace

void ProgressTextAndPercent(const std::string& Fmt, int Max, int Min, double Position, std::string& Text,
                            int& Percent)
{
    if (Fmt.empty()) {
        Text = IntToStr(RoundEven(Position)) + "%";
        Percent = RoundEven(std::clamp(Position, -1e9, 1e9));
    } else {
        Text = FormatPosition(Fmt, Position);
        if (Max == Min)
            Percent = Position >= Max ? 100 : 0;
        else
            Percent = RoundEven(std::clamp((Position - Min) * 100.0 / (double(Max) - Min), -1e9, 1e9));
    }
    Percent = std::clamp(Percent, 0, 100);
}

void DrawProgressBar(TCanvas& Canvas, const TRect& R, TColor Color, bool YAxisUp, TColor BorderColor,
                     const std::string& Fmt, int Max, int Min, int MarginY, int MarginX, double Position,
                     TColor TxtColor, TColor BkColor, TColor TxtColorFilled)
{
    const TColor saved = Canvas.Brush().Color();
    PenBrush(Canvas, Color, Color);
    Canvas.Font().SetColor(TxtColorFilled);

    std::string text;
    int percent = 0;
    ProgressTextAndPercent(Fmt, Max, Min, Position, text, percent);

    TRect r{R.Left + MarginX, R.Top + MarginY, R.Right - MarginX, R.Bottom - MarginY};
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    const int filled = std::clamp(RoundEven(percent * double(w) / 100.0), 0, std::max(w, 0));
    const TSize ext = Canvas.TextExtent(text);
    const int tx = r.Left + (w - ext.cx) / 2;
    const int ty = YAxisUp ? r.Top + (h + ext.cy) / 2 : r.Top + (h - ext.cy) / 2;

    const TRect done{r.Left, r.Top, r.Left + filled, r.Bottom};
    const TRect rest{r.Left + filled, r.Top, r.Right, r.Bottom};
    if (done.Right > done.Left && h > 0) {
        Canvas.FillRect(done);
        Canvas.SetBkMode(bkTransparent);
        Canvas.TextRect(done, tx, ty, text);
    }
    PenBrush(Canvas, BkColor, BkColor);
    Canvas.Font().SetColor(TxtColor);
    if (rest.Right > rest.Left && h > 0) {
        Canvas.FillRect(rest);
        Canvas.SetBkMode(bkTransparent);
        Canvas.TextRect(rest, tx, ty, text);
    }

    r = Inflated(r, 1);
    if (BorderColor != clNone) Frame(Canvas, r, BorderColor);
    r = Inflated(r, 1);
    Frame(Canvas, r, saved);
}

void DrawProgressPie(TCanvas& Canvas, const TRect& R, TColor Color, bool /*YAxisUp*/, int Percent)
{
    const int cx = (R.Left + R.Right) / 2;
    const int cy = (R.Top + R.Bottom) / 2;
    const double rx = (R.Right - R.Left + 1) / 2.0;
    const double ry = (R.Bottom - R.Top + 1) / 2.0;
    const double theta = Percent / 100.0 * 2 * std::numbers::pi;
    auto at = [&](double a) {
        return TPoint{cx + RoundEven(rx * std::sin(a)), cy - RoundEven(ry * std::cos(a))};
    };
    if (Percent != 0) {
        // The sector the platform's flood fill reaches from just right of
        // the top radius: centre, then the arc clockwise up to the angle.
        std::vector<TPoint> pts{{cx, cy}};
        const int n = std::max(2, int(std::abs(theta) / (2 * std::numbers::pi) * 90));
        for (int i = 0; i <= n; ++i) pts.push_back(at(theta * i / n));
        PenBrush(Canvas, Color, Color);
        Canvas.Polygon(pts);
    }
    PenBrush(Canvas, 0x808080, clWhite);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.Ellipse(R);
    Canvas.MoveTo(cx, R.Top);
    Canvas.LineTo(cx, cy);
    const TPoint end = at(theta);
    Canvas.LineTo(end.X, end.Y);
}

void FillRectColor(TCanvas& Canvas, const TRect& R, TColor Color)
{
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color);
    Canvas.FillRect(R);
}

void DrawAppearanceProgress(TCanvas& Canvas, const TRect& R, int Percent, const TProgressAppearance& A)
{
    const bool vert = A.Vertical;
    const int size = (vert ? R.Bottom - R.Top : R.Right - R.Left) - 2;
    const TColor pen = A.ShowBorder ? A.BorderColor : A.BackgroundColor;
    PenBrush(Canvas, pen, A.BackgroundColor);
    Canvas.Rectangle(R);

    // A piece of the bar: `offset` and `len` along it, `inset` pixels
    // inside the rectangle across it.
    auto piece = [&](int offset, int len, int inset) -> TRect {
        if (vert) return {R.Left + inset, R.Bottom - 1 - offset - len, R.Right - inset, R.Bottom - 1 - offset};
        return {R.Left + 1 + offset, R.Top + inset, R.Left + 1 + offset + len, R.Bottom - inset};
    };
    auto paint = [&](const TRect& r, TColor c, TColor cto) {
        if (r.Right <= r.Left || r.Bottom <= r.Top) return;
        if (!A.ShowGradient) {
            FillRectColor(Canvas, r, c);
            return;
        }
        // Across the bar: colour-to to colour, then back to colour-to.
        if (vert) {
            const int m = r.Left + (r.Right - r.Left) / 2;
            FillGradient(Canvas, cto, c, true, {r.Left, r.Top, m, r.Bottom}, A.Steps);
            FillGradient(Canvas, c, cto, true, {m, r.Top, r.Right, r.Bottom}, A.Steps);
        } else {
            const int m = r.Top + (r.Bottom - r.Top) / 2;
            FillGradient(Canvas, cto, c, false, {r.Left, r.Top, r.Right, m}, A.Steps);
            FillGradient(Canvas, c, cto, false, {r.Left, m, r.Right, r.Bottom}, A.Steps);
        }
    };

    const int p = std::clamp(Percent, 0, 100);
    if (p > 0 && size > 0) {
        if (A.Stacked) {
            const int l0 = RoundEven(std::min(p, A.Level1Perc) / 100.0 * size);
            paint(piece(0, l0, 1), A.LevelColor(0), A.LevelColorTo(0));
            int used = l0;
            if (p >= A.Level1Perc) {
                const int l1 = RoundEven(size * (std::min(p, A.Level2Perc) - A.Level1Perc) / 100.0);
                paint(piece(used, l1, 1), A.LevelColor(1), A.LevelColorTo(1));
                used += l1;
                if (p >= A.Level2Perc) {
                    const int l3 = p == 100 ? size - used : RoundEven(size * (p - A.Level2Perc) / 100.0);
                    paint(piece(used, l3, 1), A.LevelColor(3), A.LevelColorTo(3));
                }
            }
        } else {
            int level = 2;
            if (p < A.Level1Perc)
                level = 0;
            else if (p < A.Level2Perc)
                level = 1;
            else if (p > 99)
                level = 3;
            const TColor c = A.LevelColor(level), cto = A.LevelColorTo(level);
            if (A.CompletionSmooth) {
                paint(piece(0, RoundEven(p / 100.0 * size), 1), c, cto);
            } else {
                const int t = RoundEven(p * size / 100.0);
                if (t > 9) {
                    const int blocks = t / 9;
                    for (int i = 0; i < blocks; ++i) paint(piece(1 + i * 9, 7, 2), c, cto);
                    if (t % 9 > 2) paint(piece(1 + blocks * 9, t % 9 - 1, 2), c, cto);
                } else if (t > 1) {
                    paint(piece(1, t - 1, 2), c, cto);
                }
            }
        }
    }

    if (A.ShowPercentage) {
        const std::string text = IntToStr(p) + "%";
        if (A.Font) Canvas.Font().Assign(*A.Font);
        Canvas.Font().SetColor(A.FontColor);
        Canvas.SetBkMode(bkTransparent);
        if (vert) {
            Canvas.Font().SetOrientation(900);
            const TSize e = Canvas.TextExtent(text);
            // Rotated text runs upwards from its start point.
            Canvas.TextOut(R.Left + (R.Right - R.Left - e.cy) / 2, R.Top + (R.Bottom - R.Top + e.cx) / 2, text);
            Canvas.Font().SetOrientation(0);
        } else {
            TRect tr = R;
            DrawText(Canvas, text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }

    PenBrush(Canvas, pen, A.BackgroundColor);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.Rectangle(R);
}

void DrawRangeIndicator(TCanvas& Canvas, const TRect& R, int Value, TColor PosColor, TColor NegColor,
                        bool ShowValue, int Range)
{
    if (Range <= 0) return;
    const TRect r{R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
    const int half = (r.Right - r.Left) / 2;
    const int v = std::clamp(Value, -Range, Range);
    const int len = RoundEven(double(half) * v / Range);
    const int cx = r.Left + half;
    if (v >= 0) {
        PenBrush(Canvas, PosColor, PosColor);
        if (len > 0) Canvas.FillRect({cx, r.Top, cx + len, r.Bottom});
    } else {
        PenBrush(Canvas, NegColor, NegColor);
        if (len < 0) Canvas.FillRect({cx + len, r.Top, cx, r.Bottom});
    }
    if (ShowValue) {
        Canvas.SetBkMode(bkTransparent);
        TRect tr = r;
        DrawText(Canvas, IntToStr(Value), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void DrawCellShape(TCanvas& Canvas, int X, int Y, TColor PenColor, TColor BrushColor, TCellShape Shape, int Height,
                   int Width)
{
    int W = Width, H = Height;
    if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) W = H = std::min(Width, Height);
    PenBrush(Canvas, PenColor, BrushColor);
    const int x = X, y = Y;
    auto star = [&](std::initializer_list<int> ks) {
        const int cx = x + W / 2, cy = y + H / 2;
        const int rx = W / 2, ry = H / 2;
        std::vector<TPoint> pts;
        for (int k : ks) {
            const double a = k * std::numbers::pi / 5;
            const bool outer = k % 2 == 0;
            const double ex = outer ? rx : rx / 3, ey = outer ? ry : ry / 3;
            pts.push_back({cx + RoundEven(std::sin(a) * ex), cy - RoundEven(std::cos(a) * ey)});
        }
        Canvas.Polygon(pts);
    };
    const int V = W / 2 * 2, Q = V / 4;
    const int G = H / 2 * 2, P = G / 4;
    switch (Shape) {
    case csRectangle:
    case csSquare: Canvas.Rectangle(x + 1, y + 1, x + W - 1, y + H - 1); break;
    case csCircle:
    case csEllips: Canvas.Ellipse(x, y, x + W, y + H); break;
    case csTriangleLeft: Canvas.Polygon({{x + W, y}, {x + W, y + H}, {x, y + H / 2}}); break;
    case csTriangleRight: Canvas.Polygon({{x, y}, {x, y + H}, {x + W, y + H / 2}}); break;
    case csTriangleUp: Canvas.Polygon({{x, y + H}, {x + W, y + H}, {x + W / 2, y}}); break;
    case csTriangleDown: Canvas.Polygon({{x, y}, {x + W, y}, {x + W / 2, y + H}}); break;
    case csDiamond:
        Canvas.Polygon({{x, y + H / 2}, {x + W / 2, y}, {x + 2 * (W / 2), y + H / 2}, {x + W / 2, y + 2 * (H / 2)}});
        break;
    case csLineVert: Canvas.Rectangle(x + W / 2, y, x + W / 2 + 1, y + H); break;
    case csLineHorz: Canvas.Rectangle(x, y + H / 2, x + W, y + H / 2 + 1); break;
    case csRoundRect:
    case csRoundSquare: Canvas.RoundRect(x, y, x + W, y + H, 10, 10); break;
    case csStar: star({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}); break;
    case csHalfStar: star({0, 5, 6, 7, 8, 9}); break;
    case csArrowUp:
        Canvas.Polygon({{x, y + H / 2}, {x + V / 2, y}, {x + V, y + H / 2}, {x + 3 * Q, y + H / 2},
                        {x + 3 * Q, y + H}, {x + Q, y + H}, {x + Q, y + H / 2}});
        break;
    case csArrowDown:
        Canvas.Polygon({{x, y + H / 2}, {x + V / 2, y + H}, {x + V, y + H / 2}, {x + 3 * Q, y + H / 2},
                        {x + 3 * Q, y}, {x + Q, y}, {x + Q, y + H / 2}});
        break;
    case csArrowLeft:
        Canvas.Polygon({{x, y + G / 2}, {x + W / 2, y}, {x + W / 2, y + P}, {x + W, y + P}, {x + W, y + 3 * P},
                        {x + W / 2, y + 3 * P}, {x + W / 2, y + G}});
        break;
    case csArrowRight:
        Canvas.Polygon({{x + W, y + G / 2}, {x + W / 2, y}, {x + W / 2, y + P}, {x, y + P}, {x, y + 3 * P},
                        {x + W / 2, y + 3 * P}, {x + W / 2, y + G}});
        break;
    }
}

void DrawErrorLine(void* /*Owner*/, TCanvas& Canvas, const std::string& Text, int ErrLen, int ErrStart, int VOffset,
                   const TRect& R)
{
    // Byte offset of the first n characters of the text.
    const int chars = Utf8Length(Text);
    auto posOf = [&](int n) {
        size_t i = 0;
        for (int k = 0; k < n && i < Text.size(); ++k) i += size_t(Utf8CharLength(Text, i));
        return Canvas.TextWidth(Text.substr(0, i));
    };
    const int sx = (ErrStart >= 0 && ErrStart < chars) ? posOf(ErrStart) : posOf(chars) + 4;
    const long long endIdx = (long long)ErrStart + ErrLen;
    const int ex = (ErrStart >= 0 && endIdx >= 1 && endIdx <= chars) ? posOf(int(endIdx - 1))
                                                                     : posOf(std::max(chars - 1, 0)) + 4;
    const int sy = 0, ey = 0;
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetMode(pmCopy);
    Canvas.Pen().SetColor(0x0000FF);
    Canvas.Pen().SetWidth(2);
    Canvas.MoveTo(R.Left + sx, R.Top + sy + VOffset + 3);
    int g = 0;
    int x = sx;
    for (; x <= ex; x += 3) {
        Canvas.LineTo(R.Left + x + 3, R.Top + ey + VOffset + g);
        g = g == 0 ? 3 : 0;
    }
    Canvas.LineTo(R.Left + x + 3, R.Top + ey + VOffset + g);
    Canvas.Pen().SetWidth(1);
}

void DrawDownTriangle(TCanvas& Canvas, int X, int Y, TColor Color)
{
    PenBrush(Canvas, Color, Color);
    Canvas.Polygon({{X - 3, Y}, {X + 3, Y}, {X, Y + 3}});
}
