#include "platform/ImgList.h"

int TCustomImageList::Add(const TBitmap& Image)
{
    TBitmap b(FWidth, FHeight);
    b.Canvas().Draw(0, 0, Image);
    b.Canvas().Flush();
    FImages.push_back(b);
    return Count() - 1;
}

const TBitmap& TCustomImageList::Image(int Index) const
{
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
    return FImages[static_cast<std::size_t>(Index)];
}

void TCustomImageList::Draw(TCanvas& Canvas, int X, int Y, int Index) const
{
    if (Index < 0 || Index >= Count()) return;
    const TBitmap& b = FImages[static_cast<std::size_t>(Index)];
    Canvas.DrawTransparent(X, Y, b, b.Pixel(0, b.Height() - 1));
}
