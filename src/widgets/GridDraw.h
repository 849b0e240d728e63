#pragma once
// Drawing and colour helpers shared by the grid's painter, its footer and
// buttons, the drop-down pickers and the printing code: colour arithmetic,
// band gradients, the rounded selection face, the faces of combo, push and
// spin buttons, transparent bitmaps and the layered-window calls.
//
// Colour arithmetic works on the three 8-bit components (red in the low
// byte) after system colours are resolved to RGB; every result component is
// clamped to 0..255, so a component never spills into its neighbour.
// Reals become integers by rounding to nearest with halves to even.
// The drawing functions leave the canvas's pen and brush changed.

#include "platform/Graphics.h"

#include <cstdint>
#include <string>

// One colour set of the owner-drawn button kind.
struct TColorTone {
    TColor BrushColor = 0;
    TColor BorderColor = 0;
    TColor TextColor = 0;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

// Button part states of the control-part functions.
enum : int { cpsNormal = 0, cpsHot = 1, cpsPressed = 2, cpsDisabled = 3 };
// Drawing kinds of the control-part functions.
enum : int { cpkThemed = 0, cpkClassic = 1, cpkFlat = 2, cpkOwnerDrawn = 3 };

// Segment kinds of the rounded selection face.
enum : int { rsSingle = 0, rsLeftEnd = 1, rsRightEnd = 2, rsMiddle = 3 };

// Rounds to nearest, halves to even (the run-time library's Round).
int RoundEven(double v);

// Each component halved (shifted right by one).
TColor HalfColor(TColor Color);
// Each component c becomes c + round(c * Percent / 100), clamped to 0..255.
TColor ChangeColorPercent(TColor Color, int Percent);
// The colour at Position of Min..Max between Color and ColorTo:
// c1 + round((c2 - c1) / (Max - Min) * Position) per component. ColorTo
// clNone answers Color unchanged; Max = Min answers Color.
TColor BlendColorStep(TColor Color, TColor ColorTo, int Min, int Position, int Max);

// A gradient in bands from Color to ColorTo over R (left to right when
// Horizontal, else top to bottom): min(Steps, size - 1) bands, at least one,
// plus a last band at the far edge. A solid fill when either colour is
// clNone (with ColorTo when Color is clNone); an empty height draws nothing.
void FillGradient(TCanvas& Canvas, TColor Color, TColor ColorTo, bool Horizontal, const TRect& R, int Steps);

// A one- or two-part gradient with an optional border. Without Fill, or
// with Color clNone, only the border is drawn. Without MirrorColor: a solid
// fill (one pixel taller) when ColorTo is clNone, else one 128-band gradient
// (top to bottom when Vertical, else left to right). With MirrorColor: the
// rectangle is split at the middle of its height (Vertical) or width; the
// first half runs Color -> ColorTo, the second MirrorColor -> MirrorColorTo.
// BorderColor (unless clNone) frames the rectangle, or with SidesOnly draws
// only its left and right edges.
void FillMirrorGradient(TCanvas& Canvas, const TRect& R, TColor Color, bool Fill, bool SidesOnly,
                        TColor BorderColor, bool Vertical, TColor MirrorColorTo, TColor MirrorColor,
                        TColor ColorTo);

// One segment of a rounded selection bar (rsSingle, rsLeftEnd, rsRightEnd,
// rsMiddle) over R: border, inner lines, corner pixels, the outermost
// corner pixels in BkColor and a 16-band face.
void DrawRoundedSelection(TCanvas& Canvas, TColor Color, TColor ColorTo, int SegmentKind, const TRect& R,
                          TColor BkColor, TColor CornerColor, TColor BorderColor, TColor LowerInnerColor,
                          TColor UpperInnerColor, TColor MirrorColorTo, TColor MirrorColor);

// A drop-down button at the right end of the cell rectangle R.
void DrawComboButton(TCanvas& Canvas, void* Window, const TRect& R, const TColorTones& Tones, int State, int Kind);
// A push button face over R.
void DrawButtonFace(TCanvas& Canvas, void* Window, const TRect& R, const TColorTones& Tones, int State, int Kind);
// Up and down buttons at the right end of the cell rectangle R.
void DrawSpinButtons(TCanvas& Canvas, void* Window, const TRect& R, const TColorTones& Tones, int State, int Kind);
// The rectangles the control-part functions draw their buttons in.
TRect ComboButtonRect(const TRect& Cell);
TRect SpinButtonsRect(const TRect& Cell);

// Draws Bitmap at R's top-left corner with the colour of its top-left pixel
// replaced by BkColor (R's right and bottom are not used).
void DrawBitmapTransparent(TCanvas& Canvas, const TBitmap& Bitmap, TColor BkColor, const TRect& R);
// The same with a named picture of the program; an unknown name draws
// nothing.
void DrawResourceBitmapTransparent(TCanvas& Canvas, TColor BkColor, const TRect& R, const std::string& Name);

// The platform's layered-window calls, looked up at each call. This
// platform has no such functions: the calls answer True and change nothing.
struct TBlendFunction {
    std::uint8_t BlendOp = 0;
    std::uint8_t BlendFlags = 0;
    std::uint8_t SourceConstantAlpha = 255;
    std::uint8_t AlphaFormat = 0;
};
bool UpdateLayeredWindowDyn(void* Window, void* DstDC, const TPoint* DstPos, const TSize* Size, void* SrcDC,
                            const TPoint* SrcPos, TColor Key, const TBlendFunction* Blend, unsigned Flags);
bool SetLayeredWindowAttributesDyn(void* Window, TColor Key, std::uint8_t Alpha, unsigned Flags);
