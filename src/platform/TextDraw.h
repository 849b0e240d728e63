#pragma once
// The platform's formatted text routine on a canvas (the class library's
// DrawText): text in a rectangle with alignment, word breaks and the "&"
// accelerator prefix ("&&" shows "&", "&x" underlines x unless DT_NOPREFIX).

#include "platform/Graphics.h"

#include <string>

enum : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
};

// Draws text with the canvas font into r (clipped to r unless DT_NOCLIP).
// With DT_CALCRECT nothing is drawn: r keeps its left and top and gets the
// width and height the text needs (wrapped at r's width with DT_WORDBREAK).
// Returns the height of the text.
int DrawText(TCanvas& canvas, const std::string& text, TRect& r, unsigned format);
