// Alpha mask, round-rectangle mask and blur of the grid's focus glow.

#include "widgets/GridAlphaMask.h"

#include "widgets/GridDraw.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <vector>

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(pf32bit); }

void TGridAlphaMask::Assign(const TPersistent* Source)
{
    if (const auto* m = dynamic_cast<const TGridAlphaMask*>(Source)) {
        if (m == this) return;
        const int w = Width(), h = Height();
        SetPixelFormat(pf32bit);
        if (m->Width() < w || m->Height() < h) return;
        FOpacity = m->FOpacity;
        for (int y = 0; y < h; ++y) std::copy_n(m->ScanLine(y), size_t(w) * 4, ScanLine(y));
        return;
    }
    TBitmap::Assign(Source);
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(const TBitmap& Mask, const TBitmap& Bitmap, TColor /*Color*/)
{
    if (Bitmap.PixelFormat() != pf24bit) return;
    const int w = Bitmap.Width(), h = Bitmap.Height();
    if (Mask.Width() < w || Mask.Height() < h) return;
    SetPixelFormat(pf32bit);
    SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* m = Mask.ScanLine(y);
        const std::uint8_t* b = Bitmap.ScanLine(y);
        std::uint8_t* d = ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int alpha = m[x * 4 + 2];
            for (int i = 0; i < 3; ++i) d[x * 4 + i] = std::uint8_t(RoundEven(b[x * 4 + i] * alpha / 255.0));
            d[x * 4 + 3] = std::uint8_t(alpha);
        }
    }
}

TBlurKernel MakeBlurKernel(double Radius)
{
    TBlurKernel k;
    double raw[21];
    double sum = 0;
    for (int i = -10; i <= 10; ++i) {
        const double q = i / Radius;
        raw[i + 10] = std::exp(-(q * q) / 2);
        sum += raw[i + 10];
    }
    for (int i = 0; i < 21; ++i) k.Weights[size_t(i)] = float(raw[i] / sum);
    int r = 10;
    double total = 0;
    while (total < 1.0 / 510 && r > 1) {
        total = total + (double(k.Weight(-r)) + double(k.Weight(r)));
        --r;
    }
    k.Radius = r;
    double s2 = 0;
    for (int i = -r; i <= r; ++i) s2 += double(k.Weight(i));
    for (int i = -10; i <= 10; ++i)
        k.Weights[size_t(i + 10)] = (i < -r || i > r) ? 0.0f : float(double(k.Weight(i)) / s2);
    return k;
}

namespace {

// Convolves the n pixels (three components each) with the kernel; edge
// pixels repeat beyond the ends.
void BlurLine(std::uint8_t* const* px, int n, const TBlurKernel& k, std::vector<std::uint8_t>& out)
{
    out.assign(size_t(n) * 3, 0);
    const int r = k.Radius;
    for (int x = 0; x < n; ++x) {
        for (int c = 0; c < 3; ++c) {
            // Single precision throughout, as the kernel's weights: a
            // constant line keeps its value.
            float acc = 0;
            for (int i = -r; i <= r; ++i) {
                const int p = std::clamp(x - i, 0, n - 1);
                const float term = k.Weight(i) * float(px[p][c]);
                acc = acc + term;
            }
            out[size_t(x) * 3 + size_t(c)] = acc >= 255 ? 255 : acc < 0 ? 0 : std::uint8_t(int(acc));
        }
    }
    for (int x = 0; x < n; ++x)
        for (int c = 0; c < 3; ++c) px[x][c] = out[size_t(x) * 3 + size_t(c)];
}

} // namespace

void BlurBitmap(TBitmap& Bitmap, double Radius)
{
    if (Bitmap.PixelFormat() != pf24bit) throw Exception("Blur only works for 24-bit bitmaps");
    if (!(Radius > 0) || Bitmap.Empty()) return;
    const TBlurKernel k = MakeBlurKernel(Radius);
    const int w = Bitmap.Width(), h = Bitmap.Height();
    std::vector<std::uint8_t*> line;
    std::vector<std::uint8_t> out;

    // Horizontal pass: the middle rows copy the blurred row 15.
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = Bitmap.ScanLine(y);
        if (y > 20 && y < h - 20) {
            std::copy_n(Bitmap.ScanLine(15), size_t(w) * 4, row);
            continue;
        }
        line.resize(size_t(w));
        for (int x = 0; x < w; ++x) line[size_t(x)] = row + x * 4;
        BlurLine(line.data(), w, k, out);
    }
    // Vertical pass: the middle columns take column 15 of their row.
    std::vector<std::uint8_t*> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) rows[size_t(y)] = Bitmap.ScanLine(y);
    line.resize(size_t(h));
    for (int x = 0; x < w; ++x) {
        if (x > 20 && x < w - 20) {
            for (int y = 0; y < h; ++y) std::copy_n(rows[size_t(y)] + 15 * 4, 3, rows[size_t(y)] + x * 4);
            continue;
        }
        for (int y = 0; y < h; ++y) line[size_t(y)] = rows[size_t(y)] + x * 4;
        BlurLine(line.data(), h, k, out);
    }
}

void CreateRoundRectMask(TBitmap& Bitmap, int Width, int Height, double BlurRadius, int CornerSize,
                         int BorderPenWidth)
{
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(Width, Height);
    TCanvas& c = Bitmap.Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBlack);
    c.FillRect({0, 0, Width, Height});
    c.Pen().SetStyle(psSolid);
    c.Pen().SetMode(pmCopy);
    c.Pen().SetColor(clWhite);
    if (BorderPenWidth < 1) {
        c.Pen().SetWidth(1);
        c.Brush().SetColor(clWhite);
    } else {
        c.Pen().SetWidth(BorderPenWidth);
        c.Brush().SetColor(clBlack);
    }
    const int h = BorderPenWidth / 2;
    c.RoundRect(h + 2, h + 2, Width - h - 2, Height - h - 2, CornerSize, CornerSize);
    c.Pen().SetWidth(1);
    c.Flush();
    if (BlurRadius > 0) BlurBitmap(Bitmap, BlurRadius);
}
