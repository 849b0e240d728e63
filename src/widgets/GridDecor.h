#pragma once
// Cell decorations the painter and the print engine draw besides text:
// progress bar, progress pie, multi-level progress bar, signed range bar,
// geometric shapes (also the stars of ratings), the red zigzag under a
// range of text and the small drop-down triangle. Each takes the cell
// rectangle and the cell graphic's settings and leaves the canvas's pen and
// brush changed. None of them throws.

#include "widgets/GridTypes.h"

#include "platform/Graphics.h"

#include <array>
#include <string>

// The look of a multi-level progress bar (filled from the grid's progress
// settings by the painter). The font is not owned.
struct TProgressAppearance {
    std::array<TColor, 8> LevelColors{}; // Level0Color, Level0ColorTo .. Level3Color, Level3ColorTo
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = 0;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    const TFont* Font = nullptr;
    TColor FontColor = clBlue;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TColor BackgroundColor = clNone;
    bool Vertical = false;

    TColor LevelColor(int level) const { return LevelColors[size_t(level) * 2]; }
    TColor LevelColorTo(int level) const { return LevelColors[size_t(level) * 2 + 1]; }
};

// A progress bar over R (shrunk by the margins): the filled part from the
// left in Color with the text in TxtColorFilled, the rest in BkColor with
// the text in TxtColor; the text changes colour where the bar ends. An
// empty format shows the rounded position and "%" (the position is the
// percentage); otherwise the format (with the position as an integer when
// it holds "d" or "u", else as a real) and the percentage of Position in
// Min..Max. Max = Min gives 0 %, or 100 % when Position is at or above Max.
// Framed in BorderColor (unless clNone) and, one pixel further out, in the
// canvas's brush colour as it was.
void DrawProgressBar(TCanvas& Canvas, const TRect& R, TColor Color, bool YAxisUp, TColor BorderColor,
                     const std::string& Fmt, int Max, int Min, int MarginY, int MarginX, double Position,
                     TColor TxtColor, TColor BkColor, TColor TxtColorFilled);
// The text and the percentage DrawProgressBar shows (percentage 0..100).
void ProgressTextAndPercent(const std::string& Fmt, int Max, int Min, double Position, std::string& Text,
                            int& Percent);

// An ellipse in R with the sector from the top clockwise to Percent of the
// full turn filled in Color (grey outline and radii).
void DrawProgressPie(TCanvas& Canvas, const TRect& R, TColor Color, bool YAxisUp, int Percent);

// A multi-level progress bar (Percent 0..100).
void DrawAppearanceProgress(TCanvas& Canvas, const TRect& R, int Percent, const TProgressAppearance& A);

void FillRectColor(TCanvas& Canvas, const TRect& R, TColor Color);

// A bar from the horizontal centre of R (shrunk by 2) over the share of
// Value in -Range..Range of half the width: to the right in PosColor for a
// value of 0 or more, to the left in NegColor otherwise. Range 0 draws
// nothing. ShowValue writes the value centred in R.
void DrawRangeIndicator(TCanvas& Canvas, const TRect& R, int Value, TColor PosColor, TColor NegColor,
                        bool ShowValue, int Range);

// A shape with its top-left corner at (X, Y), Height x Width pixels
// (circles and squares take the smaller side for both).
void DrawCellShape(TCanvas& Canvas, int X, int Y, TColor PenColor, TColor BrushColor, TCellShape Shape, int Height,
                   int Width);

// A red zigzag under ErrLen characters of Text from ErrStart (0-based) as
// the text shows in R, VOffset pixels lower. Owner is the window the text
// belongs to (not needed on this platform).
void DrawErrorLine(void* Owner, TCanvas& Canvas, const std::string& Text, int ErrLen, int ErrStart, int VOffset,
                   const TRect& R);

// A filled triangle (X - 3, Y), (X + 3, Y), (X, Y + 3).
void DrawDownTriangle(TCanvas& Canvas, int X, int Y, TColor Color);
