#pragma once
// The soft glow of the grid's focus window: a rounded-rectangle outline
// drawn white on black into a 24-bit mask, blurred, and merged with a
// bitmap in the glow colour into a 32-bit bitmap with premultiplied alpha.
//
// Pixels are read and written through the bitmaps' scan lines: blue, green,
// red and (for 32-bit bitmaps) alpha bytes.

#include "platform/Graphics.h"

#include <array>
#include <cstdint>

// A 32-bit bitmap with premultiplied alpha and an overall opacity.
class TGridAlphaMask : public TBitmap {
public:
    TGridAlphaMask();
    std::string ClassName() const override { return "TGridAlphaMask"; }

    // From another alpha mask: its opacity and, row by row, its pixels over
    // this mask's own width and height (nothing at all when the source is
    // smaller). From any other bitmap: the bitmap's assignment. The pixel
    // format is 32-bit afterwards in both cases.
    void Assign(const TPersistent* Source) override;

    // Only when Bitmap is 24-bit and Mask is at least as large: this mask
    // takes the bitmap's size, and each pixel gets alpha = the mask pixel's
    // red byte and blue, green, red = round(bitmap component * alpha / 255).
    // The colour has no effect.
    void MergeMask(const TBitmap& Mask, const TBitmap& Bitmap, TColor Color);

    std::uint8_t Opacity() const { return FOpacity; }
    void SetOpacity(std::uint8_t v) { FOpacity = v; }

private:
    std::uint8_t FOpacity = 255;
};

// The blur kernel: weights for the offsets -10..10 and the radius in use
// (1..9); weights beyond the radius are not used.
struct TBlurKernel {
    std::array<float, 21> Weights{};
    int Radius = 1;
    float Weight(int k) const { return Weights[size_t(k + 10)]; }
};
// w(k) = exp(-(k / radius)^2 / 2), normalised; pairs of outer taps dropped
// while their running total stays below 1/510 (the pair at +-10 always),
// the rest normalised again.
TBlurKernel MakeBlurKernel(double Radius);

// A separable Gaussian blur of a 24-bit bitmap, made for masks whose middle
// rows and middle columns are alike: rows above 20 and below height - 20
// copy the blurred row 15, columns above 20 and below width - 20 take
// column 15. Raises Exception "Blur only works for 24-bit bitmaps" for any
// other bitmap; a radius of 0 or less changes nothing.
void BlurBitmap(TBitmap& Bitmap, double Radius);

// The bitmap becomes a 24-bit Width x Height mask: black, with a white
// rounded rectangle (filled for a pen width below 1, else an outline of that
// width), blurred with BlurRadius when above 0.
void CreateRoundRectMask(TBitmap& Bitmap, int Width, int Height, double BlurRadius, int CornerSize,
                         int BorderPenWidth);
