#pragma once
// Face painting of the owner-drawn push button: background fill or
// gradient, the border of the style, the caption cut to fit, one image of
// the glyph strip and the pop-up menu arrow. Stateless.

#include "platform/Controls.h"
#include "platform/Graphics.h"

#include <string>

enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Colour at hot-track step 0..8 between color (step 0) and hotTrack (step 8),
// channel by channel, truncated.
TColor BlendHotTrack(TColor color, TColor hotTrack, int step);
// 32 bands from colour a to colour b over (left, top, right, bottom); the
// pen style is kept.
void PaintVerticalGradient(TCanvas& canvas, TColor a, TColor b, int left, int top, int right, int bottom);

struct TLbFaceParams {
    int Width = 0;
    int Height = 0;
    TAlignment Alignment = TAlignment::taCenter;
    std::string Caption;
    TLbButtonLayout Layout = blGlyphLeft;
    TFont Font;
    TColor ShadowColor = clGray;
    TColor LightColor = clWhite;
    TColor HotTrackColor = clNone;
    TColor ColorWhenDown = clNone;
    TColor Color = clBtnFace;
    TLbButtonStyle Style = bsNormal;
    bool HasPopupMenu = false;
    bool WordWrap = false;
    bool Flat = false;
    bool Enabled = true;
    bool SkipFill = false;   // the style's background fill is left out
    bool Hot = false;        // pointer over the button, or focused
    bool Pressed = false;
    const TBitmap* Glyph = nullptr;
    int NumGlyphs = 0;
    int HotTrackStep = 0;    // 0..8
};

void PaintLbButtonFace(TCanvas& canvas, const TLbFaceParams& p);

// Registers the button's named pictures (stock-kind glyphs, the pop-up arrow).
void RegisterLbButtonResources();
