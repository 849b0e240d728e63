#pragma once
// Free drawing routines of the drop-down controls, their pop-ups, header and
// footer strips and push buttons, also used by the grid's painter and its
// search footer: two-colour band gradients, colour mixing, background with
// frame, image with caption, glyphs with a replaced transparent colour and
// text measuring and shortening.
//
// Colour channels are always kept within 0..255. Rounding is to the
// nearest integer with ties to even.

#include "platform/Graphics.h"

#include <string>

class TCustomImageList;

// Fills Rect with Steps solid bands from FromColor to ToColor (system
// colours resolved); Direction True: the colour changes from left to right,
// False: from top to bottom. Steps below 1 count as 1. An empty rectangle
// draws nothing. The canvas's pen and brush are left in the last band's
// colour (the start colour when nothing was drawn).
void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& Rect, bool Direction);

// ColorA when Percent >= 100 and ColorB when Percent <= 0 (both as given,
// system colours included); otherwise Percent % of ColorA and the rest of
// ColorB, channel by channel, in RGB.
TColor BlendColor(TColor ColorA, TColor ColorB, int Percent);

// The colour in RGB with each channel c shifted by its delta (percent): a
// non-zero channel is scaled by min(100, 100 + delta) % (a negative delta
// darkens, a positive one leaves it); a zero channel becomes the delta when
// positive. Every channel is clamped to 0..255.
TColor ShiftColor(TColor Color, int DeltaR, int DeltaG, int DeltaB);

// A gradient from Color to ColorTo in 80 bands (ColorTo not clNone; bands
// run from left to right unless Vertical) or a plain fill in Color (not
// clNone), then a hollow frame of BorderWidth in BorderColor (not clNone).
// Nothing without a canvas.
void DrawBackgroundRect(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor ColorTo, TColor BorderColor,
                        int BorderWidth, bool Vertical);

// Image ImageIndex of Images at Rect.Left + 4, vertically centred, and the
// caption on one line, vertically centred with an end ellipsis, right of
// the image (horizontally centred when no image was drawn). Nothing without
// a canvas.
void DrawImageAndCaption(TCanvas* Canvas, const TRect& Rect, const std::string& Caption, TCustomImageList* Images,
                         int ImageIndex);

// Copies the area (0, 0, Rect width, Rect height) of Glyph to Rect with
// every pixel of the glyph's top-left colour replaced by Color.
void DrawTransparentGlyph(TCanvas& Canvas, const TBitmap& Glyph, TColor Color, const TRect& Rect);

// Width and height of the single-line text as the text layout measures it
// in a box of 1000 x 500; (0, 0) for an empty text.
TSize GetTextExtent(TCanvas& Canvas, const std::string& Text);

// Result = Text when it is at most MaxWidth wide; else the longest prefix
// shorter by at least one character (followed by "..." when AddEllipsis)
// that is narrower than MaxWidth; Text when none is.
void FitTextWithEllipsis(TCanvas& Canvas, const std::string& Text, int MaxWidth, bool AddEllipsis,
                         std::string& Result);

// Draws the mini-HTML Text in Rect with Images (or, with MeasureOnly, only
// measures it); Size gets the text's width and height, (0, 0) for an empty
// text. OwnerWindow: the window the text belongs to (may be null).
void DrawHTMLCaption(TCanvas& Canvas, const std::string& Text, const TRect& Rect, TCustomImageList* Images,
                     bool MeasureOnly, void* OwnerWindow, TPoint& Size);

// Result = Text when KeepCase, else Text upper-cased by the locale's rules.
void UpperCaseUnless(const std::string& Text, bool KeepCase, std::string& Result);
