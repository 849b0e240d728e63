#pragma once
// Drawing surface of the class library: colours, font / pen / brush objects,
// the canvas with the platform's pixel rules, clipping regions and bitmaps.
//
// Pixel rules kept by TCanvas (as the platform draws them):
// - rectangles are exclusive on the right and the bottom: FillRect(2,2,5,5)
//   fills x 2..4, y 2..4;
// - LineTo draws from the pen position up to, but not including, the end
//   point, then moves the pen position to the end point;
// - Rectangle fills the interior with the brush and outlines it with the pen
//   (a 1-pixel pen outlines x = Left and x = Right-1); with a clear pen the
//   filled area is one pixel smaller on the right and the bottom;
// - FrameRect draws a one-pixel frame in the brush colour;
// - text is drawn with its cell's top-left at (x, y); with an opaque
//   background the text cell is filled with the brush colour first.
// Colours are TColor values ($00BBGGRR, or $FF0000nn for system colour nn).

#include "platform/ClassBase.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class QImage;

// --- colours -------------------------------------------------------------------

using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A4;

// System colours: $FF000000 + the platform's colour index.
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clBackground = 0xFF000001;
constexpr TColor clActiveCaption = 0xFF000002;
constexpr TColor clInactiveCaption = 0xFF000003;
constexpr TColor clMenu = 0xFF000004;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clMenuText = 0xFF000007;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clCaptionText = 0xFF000009;
constexpr TColor clActiveBorder = 0xFF00000A;
constexpr TColor clInactiveBorder = 0xFF00000B;
constexpr TColor clAppWorkSpace = 0xFF00000C;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clInactiveCaptionText = 0xFF000013;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;
constexpr TColor clInfoText = 0xFF000017;
constexpr TColor clInfoBk = 0xFF000018;
constexpr TColor clHotLight = 0xFF00001A;
constexpr TColor clGradientActiveCaption = 0xFF00001B;
constexpr TColor clGradientInactiveCaption = 0xFF00001C;
constexpr TColor clMenuHighlight = 0xFF00001D;
constexpr TColor clMenuBar = 0xFF00001E;

constexpr TColor RGB(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int GetRValue(TColor c) { return int(c & 0xFF); }
constexpr int GetGValue(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return int((c >> 16) & 0xFF); }

// The RGB value of system colour `index` (the classic default scheme, so
// drawing is the same on every machine).
TColor GetSysColor(int index);
// System colours resolved to RGB; clNone and clDefault resolve to black;
// an RGB value is returned without its high byte.
TColor ColorToRGB(TColor c);

// --- font, pen, brush -----------------------------------------------------------

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

// Screen resolution used to turn points into pixels.
constexpr int ScreenPixelsPerInch = 96;

// A font description. A value object: copies are independent; OnChange runs
// after every setter that changes a value (and after Assign).
class TFont : public TPersistent {
public:
    TFont() = default;
    TFont(const TFont& o);
    TFont& operator=(const TFont& o);
    std::string ClassName() const override { return "TFont"; }
    void Assign(const TPersistent* Source) override;
    void Assign(const TFont& Source) { Assign(static_cast<const TPersistent*>(&Source)); }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& v);
    // Size in points; Height in pixels, negative for the character height
    // (the usual form, -Size*96/72), positive for the cell height.
    int Size() const;
    void SetSize(int points);
    int Height() const { return height_; }
    void SetHeight(int pixels);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles s);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch p);
    // Angle of the text's base line in tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenths);
    int Charset() const { return charset_; }
    void SetCharset(int c);

    bool SameLook(const TFont& o) const;

    std::function<void()> OnChange;

private:
    void Changed();
    std::string name_ = "Tahoma";
    int height_ = -11;  // 8 points
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontPitch pitch_ = fpDefault;
    int orientation_ = 0;
    int charset_ = 1;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// pmCopy draws the pen colour; pmXor / pmNotXor combine it with the pixels
// (pmNot inverts them).
enum TPenMode { pmCopy, pmXor, pmNotXor, pmNot };

class TPen : public TPersistent {
public:
    TPen() = default;
    TPen(const TPen& o);
    TPen& operator=(const TPen& o);
    std::string ClassName() const override { return "TPen"; }
    void Assign(const TPersistent* Source) override;
    void Assign(const TPen& Source) { Assign(static_cast<const TPersistent*>(&Source)); }

    TColor Color() const { return color_; }
    void SetColor(TColor c);
    int Width() const { return width_; }
    void SetWidth(int w);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle s);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode m);

    std::function<void()> OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TPersistent {
public:
    TBrush() = default;
    TBrush(const TBrush& o);
    TBrush& operator=(const TBrush& o);
    std::string ClassName() const override { return "TBrush"; }
    void Assign(const TPersistent* Source) override;
    void Assign(const TBrush& Source) { Assign(static_cast<const TPersistent*>(&Source)); }

    TColor Color() const { return color_; }
    // Setting a colour makes a clear brush solid again, as the class library.
    void SetColor(TColor c);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle s);

    std::function<void()> OnChange;

private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

// Canvases keep the platform fonts they draw with and the widths of the
// texts they measured, per font (name, height, style and pitch). This drops
// them (the calling thread's), so that the next text drawn or measured looks
// its font up again: for when the fonts of the system change.
void FlushFontCache();

// --- regions -----------------------------------------------------------------------

// A clipping region: a union of rectangles (also an ellipse or polygon area,
// kept in the platform's form). A value object.
class TRegion {
public:
    TRegion();
    explicit TRegion(const TRect& r);
    ~TRegion();
    TRegion(const TRegion& o);
    TRegion& operator=(const TRegion& o);
    static TRegion Ellipse(const TRect& r);
    static TRegion Polygon(const std::vector<TPoint>& pts);

    bool IsEmpty() const;
    TRect BoundingRect() const;
    bool Contains(TPoint p) const;
    TRegion United(const TRegion& o) const;
    TRegion Intersected(const TRegion& o) const;
    TRegion Subtracted(const TRegion& o) const;
    TRegion Translated(int dx, int dy) const;

    struct Impl;
    const Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// --- canvas ------------------------------------------------------------------------

enum TBkMode { bkTransparent = 1, bkOpaque = 2 };
enum TCopyMode { cmSrcCopy, cmSrcAnd, cmSrcPaint, cmSrcInvert, cmMergeCopy };

class TBitmap;

// A drawing surface over the platform painter. A canvas paints either onto
// an image (a bitmap's canvas, or any QImage) or through a painter that is
// already active (a widget's paint event). Pen, brush and font are read at
// every drawing call, so changing them between calls is enough.
class TCanvas {
public:
    // A canvas drawing onto `image` (which must outlive the canvas).
    explicit TCanvas(QImage* image);
    // A canvas drawing through an active painter (not owned). The painter's
    // device size is the canvas size.
    explicit TCanvas(QPainter* painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    const TPen& Pen() const { return pen_; }
    const TBrush& Brush() const { return brush_; }
    const TFont& Font() const { return font_; }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode m) { copyMode_ = m; }

    // Background mode of text and of gaps in patterned pens and hatched
    // brushes. It follows the brush (opaque while the brush is solid,
    // transparent otherwise) until set here; a later brush change makes it
    // follow the brush again.
    TBkMode BkMode() const;
    void SetBkMode(TBkMode m);
    // Background colour used for opaque text, pen gaps and hatch gaps
    // (default: the solid brush's colour, the inverse for a hatched brush).
    TColor BkColor() const;
    void SetBkColor(TColor c);

    // --- lines and shapes
    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& pts);
    void Polygon(const std::vector<TPoint>& pts);
    void Rectangle(int l, int t, int r, int b);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int l, int t, int r, int b, int cx, int cy);
    void Ellipse(int l, int t, int r, int b);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    // The platform's dotted focus rectangle, drawn by inverting pixels:
    // drawing it twice restores the surface.
    void DrawFocusRect(const TRect& r);

    // --- pixels (image canvases; a painter canvas reads clNone and ignores
    // writes)
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);

    // --- text
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to r, drawn at (x, y).
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    // Text drawn at (x, y), clipped to *clip when given, leaving the pen
    // position where it is (for text layout, which places every line itself).
    void TextDraw(int x, int y, const std::string& text, const TRect* clip);
    TSize TextExtent(const std::string& text) const;
    int TextWidth(const std::string& text) const { return TextExtent(text).cx; }
    // The height of a line of the font (the same for every text).
    int TextHeight(const std::string& text) const;
    // Font metrics in pixels.
    struct TTextMetric {
        int Height, Ascent, Descent, InternalLeading, ExternalLeading, AveCharWidth;
    };
    TTextMetric TextMetrics() const;

    // --- bitmaps
    // Draws the bitmap with its top-left at (x, y); a Transparent bitmap
    // leaves its transparent colour's pixels out.
    void Draw(int x, int y, const TBitmap& bmp);
    // Draws the bitmap leaving out every pixel of colour `key`.
    void DrawTransparent(int x, int y, const TBitmap& bmp, TColor key);
    // The same with the key taken from the bitmap's top-left pixel.
    void DrawTransparent(int x, int y, const TBitmap& bmp);
    void StretchDraw(const TRect& dest, const TBitmap& bmp);
    // Copies src's rectangle of another canvas (or this one) into dest,
    // stretched, with CopyMode.
    void CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect);
    // Copies the bitmap's rectangle, with every pixel of colour `color`
    // replaced by the brush colour.
    void BrushCopy(const TRect& dest, const TBitmap& bmp, const TRect& srcRect, TColor color);

    // --- clipping and state
    // Clip rectangle in canvas coordinates (whole surface without a clip).
    TRect ClipRect() const;
    bool HasClip() const;
    void SetClipRect(const TRect& r);
    void SetClipRegion(const TRegion& rgn);
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void RemoveClip();
    // Moves the origin: later coordinates are relative to (dx, dy).
    void SetWindowOrg(int x, int y);
    TPoint WindowOrg() const { return org_; }
    // Saves pen, brush, font, background mode and colour, copy mode, clip,
    // origin and pen position; RestoreState takes the last saved state back.
    // Returns the nesting depth after saving.
    int SaveState();
    void RestoreState();

    // Size of the surface in pixels.
    TSize SurfaceSize() const;

    // The platform painter (platform code only); begins painting on an
    // image canvas when needed. Pen, brush and font are not applied.
    QPainter* Painter();
    // The painter set up for drawing on this canvas (origin, clip, no
    // antialiasing), for platform code that draws with the painter itself.
    QPainter* BeginPaint() { return Begin(); }
    // The image of an image canvas, with all painting flushed; nullptr for
    // a painter canvas.
    QImage* Image();
    // Ends painting on an image canvas (pixels are then up to date).
    void Flush();

private:
    struct Impl;
    struct State;
    QPainter* Begin();
    void TextAt(int x, int y, const std::string& text, const TRect* clip, bool movePen);
    void DrawPenLine(int x0, int y0, int x1, int y1, bool withEnd);
    void FillArea(const TRect& r, TColor color);
    void FillWithBrush(const TRect& r);
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TCopyMode copyMode_ = cmSrcCopy;
    TPoint penPos_;
    TPoint org_;
    std::unique_ptr<Impl> impl_;
};

// --- bitmaps ---------------------------------------------------------------------------

enum TTransparentMode { tmAuto, tmFixed };
// Pixel formats of a bitmap. Every format keeps 4 bytes a pixel in memory
// (blue, green, red, then a fourth byte); pf32bit keeps the fourth byte as
// the pixel's alpha, the others ignore it. pfDevice is the default.
enum TPixelFormat { pfDevice, pf24bit, pf32bit };

class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// A device-independent bitmap (32-bit RGB) with a canvas. A value object:
// copies are independent. Transparent drawing leaves out the transparent
// colour: with tmAuto the colour of the bottom-left pixel, with tmFixed
// TransparentColor.
class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int w, int h);
    TBitmap(const TBitmap& o);
    TBitmap& operator=(const TBitmap& o);
    ~TBitmap() override;
    std::string ClassName() const override { return "TBitmap"; }
    void Assign(const TPersistent* Source) override;

    int Width() const;
    int Height() const;
    bool Empty() const { return Width() == 0 || Height() == 0; }
    // New size; the content is kept where it overlaps, new pixels are white.
    void SetSize(int w, int h);
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    TCanvas& Canvas();

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t) { transparent_ = t; }
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode m) { transparentMode_ = m; }
    // tmAuto: the bottom-left pixel (clNone for an empty bitmap).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c);

    // Reads a picture file (BMP, PNG, JPEG ...); false when it cannot be read.
    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const;
    // Loads a picture registered under `name` (RegisterBitmapResource);
    // raises EResNotFound when no picture has that name.
    void LoadFromResourceName(const std::string& name);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    // Keeps the pixels; a bitmap becoming pf32bit starts with alpha 255
    // where it had none.
    void SetPixelFormat(TPixelFormat f);
    // The bytes of row y (4 a pixel, see TPixelFormat), painting flushed.
    // Raises EInvalidGraphicOperation ("Scan line index out of range")
    // outside 0..Height-1.
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;

    // The image (platform code only), with painting flushed.
    const QImage& Image() const;
    QImage& Image();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clNone;
    TPixelFormat pixelFormat_ = pfDevice;
};

// A named picture of the program (the class library's bitmap resources).
// The drawing function paints the picture into a bitmap it receives.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};
void RegisterBitmapResource(const std::string& name, std::function<void(TBitmap&)> painter);
bool BitmapResourceExists(const std::string& name);
