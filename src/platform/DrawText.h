#pragma once
// The platform's formatted text drawing (DrawText / DrawTextEx) on a canvas.
//
// Rules kept (those the grid and the widgets rely on):
// - horizontal alignment per line: DT_LEFT (0), DT_CENTER, DT_RIGHT;
// - vertical alignment DT_VCENTER / DT_BOTTOM only for DT_SINGLELINE text:
//   with word break (or any multi-line text) the text starts at the top;
// - without DT_SINGLELINE the text breaks at CR LF, LF and CR; with
//   DT_WORDBREAK lines also break between words where they would pass the
//   right edge; a word longer than the width stays whole unless
//   DT_EDITCONTROL is set, which breaks it between characters;
// - "&" marks the next character as the mnemonic (drawn underlined) and
//   "&&" draws one "&", unless DT_NOPREFIX; DT_HIDEPREFIX removes the marks
//   without underlining;
// - DT_EXPANDTABS expands tabs to stops of 8 average character widths
//   (otherwise a tab is drawn as a blank);
// - DT_END_ELLIPSIS / DT_WORD_ELLIPSIS end a line that is too wide with
//   "..."; DT_PATH_ELLIPSIS keeps the part after the last "\" or "/" and
//   shortens what comes before it;
// - DT_CALCRECT draws nothing and sets the rectangle's Right and Bottom to
//   the text's extent (Right = Left + widest line, Bottom = Top + height);
// - output is clipped to the rectangle unless DT_NOCLIP;
// - the background of the text follows the canvas's background mode.
// The result is the height of the text in pixels.

#include "platform/ClassBase.h"

#include <string>
#include <vector>

class TCanvas;

constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// What text layout needs of a drawing surface. The canvas provides one;
// tests give a recording one with fixed metrics.
class ITextTarget {
public:
    virtual ~ITextTarget() = default;
    virtual int TextWidth(const std::string& s) = 0;
    // Height of one line (with the external leading when asked).
    virtual int LineHeight(bool externalLeading) = 0;
    virtual int Ascent() = 0;
    virtual int AveCharWidth() = 0;
    // Draws s with its cell's top-left at (x, y), clipped to *clip when set.
    virtual void Out(int x, int y, const std::string& s, const TRect* clip) = 0;
    // Draws the mnemonic underline from x0 (inclusive) to x1 (exclusive).
    virtual void Underline(int x0, int x1, int y, const TRect* clip) = 0;
};

// Lays the text out in rect and draws it through target.
int DrawTextLayout(ITextTarget& target, const std::string& text, TRect& rect, unsigned format);

// On a canvas, with its font, font colour and background mode.
int DrawTextEx(TCanvas& canvas, const std::string& text, TRect& rect, unsigned format);
inline int DrawText(TCanvas& canvas, const std::string& text, TRect& rect, unsigned format)
{
    return DrawTextEx(canvas, text, rect, format);
}

// Records every DrawTextEx call made on one canvas while it lives (the text,
// rectangle and flags as passed; the text is still drawn). For tests of
// code that draws text.
class TDrawTextRecorder {
public:
    struct TCall {
        std::string Text;
        TRect Rect;
        unsigned Format = 0;
    };
    explicit TDrawTextRecorder(TCanvas& canvas);
    ~TDrawTextRecorder();
    TDrawTextRecorder(const TDrawTextRecorder&) = delete;
    TDrawTextRecorder& operator=(const TDrawTextRecorder&) = delete;
    const std::vector<TCall>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }

private:
    friend int DrawTextEx(TCanvas&, const std::string&, TRect&, unsigned);
    TCanvas* canvas_;
    std::vector<TCall> calls_;
};

// UTF-8 helpers shared by text code: the byte length of the character that
// starts at s[i] (1 for a stray byte) and the number of characters.
int Utf8CharLength(const std::string& s, size_t i);
int Utf8Length(const std::string& s);
