#pragma once
// The class library's image list: pictures of one size, drawn by index.

#include "platform/Graphics.h"

#include <vector>

class TCustomImageList : public TPersistent {
public:
    TCustomImageList(int AWidth = 16, int AHeight = 16) : FWidth(AWidth), FHeight(AHeight) {}
    std::string ClassName() const override { return "TCustomImageList"; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return static_cast<int>(FImages.size()); }
    // Adds a copy of the picture (sized to the list) and returns its index.
    int Add(const TBitmap& Image);
    void Clear() { FImages.clear(); }
    // The picture at Index; EListError outside 0..Count-1.
    const TBitmap& Image(int Index) const;
    // Draws picture Index with its top-left at (X, Y); pixels of the colour
    // of its bottom-left pixel are left out. An index outside the list draws
    // nothing.
    void Draw(TCanvas& Canvas, int X, int Y, int Index) const;

private:
    int FWidth;
    int FHeight;
    std::vector<TBitmap> FImages;
};
