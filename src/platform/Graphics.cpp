#include "platform/Graphics.h"

#include "platform/GraphicsQt.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QTransform>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

// --- colours -------------------------------------------------------------------

TColor GetSysColor(int index)
{
    // The platform's classic default scheme, as RGB.
    static const TColor table[] = {
        RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
        RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
        RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
        RGB(171, 171, 171), RGB(51, 153, 255),  RGB(255, 255, 255), RGB(240, 240, 240),
        RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(67, 78, 84),
        RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
        RGB(255, 255, 225), RGB(181, 181, 181), RGB(0, 102, 204),   RGB(185, 209, 234),
        RGB(215, 228, 242), RGB(51, 153, 255),  RGB(240, 240, 240)};
    if (index < 0 || index >= int(sizeof table / sizeof table[0])) return clBlack;
    return table[index];
}

TColor ColorToRGB(TColor c)
{
    if ((c & 0xFF000000u) == clSystemColor) return GetSysColor(int(c & 0xFF));
    if (c == clNone || c == clDefault) return clBlack;
    return c & 0x00FFFFFFu;
}

QColor ToQColor(TColor c)
{
    TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

namespace {

QFont MakeQFont(const TFont& f)
{
    QFont q(QString::fromStdString(f.Name()));
    int h = f.Height();
    int px = h < 0 ? -h : h;
    if (px <= 0) px = 11;
    q.setPixelSize(px);
    if (h > 0) {
        // A positive height is the cell height: scale the character size so
        // that ascent + descent match it.
        QFontMetrics fm(q);
        if (fm.height() > 0 && fm.height() != px) {
            int adj = std::max(1, px * px / fm.height());
            q.setPixelSize(adj);
        }
    }
    TFontStyles s = f.Style();
    q.setBold(s.Contains(fsBold));
    q.setItalic(s.Contains(fsItalic));
    q.setUnderline(s.Contains(fsUnderline));
    q.setStrikeOut(s.Contains(fsStrikeOut));
    if (f.Pitch() == fpFixed) q.setFixedPitch(true);
    q.setStyleHint(f.Pitch() == fpFixed ? QFont::Monospace : QFont::SansSerif);
    return q;
}

// A platform font made from a font's name, height, style and pitch (colour,
// orientation and character set do not change it), with its metrics.
// Painting asks for the same few fonts over and over: keeping the platform
// font object keeps the font engine the platform found for it, instead of
// looking it up again for every text drawn or measured.
struct TFontEntry {
    std::string name;
    int height;
    unsigned style;
    TFontPitch pitch;
    QFont font;
    QFontMetrics metrics;
    TCanvas::TTextMetric textMetric;
    // Advances of texts measured with this font. Painting measures the same
    // texts at every paint (to align, wrap or shorten them), and shaping a
    // text is far dearer than finding it here; the table is emptied when it
    // grows large.
    std::unordered_map<std::string, int> widths;

    int Width(const std::string& text)
    {
        if (text.empty()) return 0;
        auto it = widths.find(text);
        if (it != widths.end()) return it->second;
        constexpr size_t MaxWidths = 4096;
        if (widths.size() >= MaxWidths) widths.clear();
        const int w = metrics.horizontalAdvance(QString::fromStdString(text));
        widths.emplace(text, w);
        return w;
    }
};

unsigned StyleBits(const TFont& f)
{
    TFontStyles s = f.Style();
    return (s.Contains(fsBold) ? 1u : 0u) | (s.Contains(fsItalic) ? 2u : 0u) |
           (s.Contains(fsUnderline) ? 4u : 0u) | (s.Contains(fsStrikeOut) ? 8u : 0u);
}

// Most recently used first; a handful of fonts is what a window paints
// with. Per thread: platform font objects are not shared across threads.
std::vector<std::unique_ptr<TFontEntry>>& FontEntries()
{
    thread_local std::vector<std::unique_ptr<TFontEntry>> cache;
    return cache;
}

TFontEntry& FontEntry(const TFont& f)
{
    constexpr size_t Capacity = 16;
    std::vector<std::unique_ptr<TFontEntry>>& cache = FontEntries();
    const unsigned style = StyleBits(f);
    for (size_t i = 0; i < cache.size(); ++i) {
        TFontEntry& e = *cache[i];
        if (e.height == f.Height() && e.style == style && e.pitch == f.Pitch() && e.name == f.Name()) {
            if (i != 0) std::rotate(cache.begin(), cache.begin() + long(i), cache.begin() + long(i) + 1);
            return *cache.front();
        }
    }
    QFont q = MakeQFont(f);
    QFontMetrics fm(q);
    TCanvas::TTextMetric m{};
    m.Height = fm.height();
    m.Ascent = fm.ascent();
    m.Descent = fm.descent();
    int h = f.Height();
    m.InternalLeading = h < 0 ? std::max(0, fm.height() + h) : 0;
    m.ExternalLeading = std::max(0, fm.leading());
    m.AveCharWidth = fm.averageCharWidth();
    if (cache.size() >= Capacity) cache.pop_back();
    cache.insert(cache.begin(),
                 std::unique_ptr<TFontEntry>(new TFontEntry{f.Name(), f.Height(), style, f.Pitch(), q, fm, m, {}}));
    return *cache.front();
}

} // namespace

QFont ToQFont(const TFont& f) { return FontEntry(f).font; }

void FlushFontCache() { FontEntries().clear(); }

// --- TFont -----------------------------------------------------------------------

TFont::TFont(const TFont& o)
    : TPersistent(), name_(o.name_), height_(o.height_), color_(o.color_), style_(o.style_),
      pitch_(o.pitch_), orientation_(o.orientation_), charset_(o.charset_)
{
}

TFont& TFont::operator=(const TFont& o)
{
    if (this != &o) Assign(&o);
    return *this;
}

void TFont::Assign(const TPersistent* Source)
{
    auto* f = dynamic_cast<const TFont*>(Source);
    if (!f) {
        TPersistent::Assign(Source);
        return;
    }
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    pitch_ = f->pitch_;
    orientation_ = f->orientation_;
    charset_ = f->charset_;
    Changed();
}

void TFont::Changed()
{
    if (OnChange) OnChange();
}

void TFont::SetName(const std::string& v)
{
    if (v.empty() || v == name_) return;
    name_ = v;
    Changed();
}

int TFont::Size() const
{
    // Size = -Height * 72 / ppi, rounded as the class library's MulDiv.
    int h = -height_;
    double v = double(h) * 72.0 / ScreenPixelsPerInch;
    return int(std::lround(v));
}

void TFont::SetSize(int points)
{
    int h = -int(std::lround(double(points) * ScreenPixelsPerInch / 72.0));
    SetHeight(h);
}

void TFont::SetHeight(int pixels)
{
    if (pixels == height_) return;
    height_ = pixels;
    Changed();
}

void TFont::SetColor(TColor c)
{
    if (c == color_) return;
    color_ = c;
    Changed();
}

void TFont::SetStyle(TFontStyles s)
{
    if (s == style_) return;
    style_ = s;
    Changed();
}

void TFont::SetPitch(TFontPitch p)
{
    if (p == pitch_) return;
    pitch_ = p;
    Changed();
}

void TFont::SetOrientation(int tenths)
{
    if (tenths == orientation_) return;
    orientation_ = tenths;
    Changed();
}

void TFont::SetCharset(int c)
{
    if (c == charset_) return;
    charset_ = c;
    Changed();
}

bool TFont::SameLook(const TFont& o) const
{
    return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
           pitch_ == o.pitch_ && orientation_ == o.orientation_;
}

// --- TPen ---------------------------------------------------------------------------

TPen::TPen(const TPen& o) : TPersistent(), color_(o.color_), width_(o.width_), style_(o.style_), mode_(o.mode_) {}

TPen& TPen::operator=(const TPen& o)
{
    if (this != &o) Assign(&o);
    return *this;
}

void TPen::Assign(const TPersistent* Source)
{
    auto* p = dynamic_cast<const TPen*>(Source);
    if (!p) {
        TPersistent::Assign(Source);
        return;
    }
    if (p == this) return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
}

void TPen::Changed()
{
    if (OnChange) OnChange();
}

void TPen::SetColor(TColor c)
{
    if (c == color_) return;
    color_ = c;
    Changed();
}

void TPen::SetWidth(int w)
{
    if (w < 0) w = 0;
    if (w == width_) return;
    width_ = w;
    Changed();
}

void TPen::SetStyle(TPenStyle s)
{
    if (s == style_) return;
    style_ = s;
    Changed();
}

void TPen::SetMode(TPenMode m)
{
    if (m == mode_) return;
    mode_ = m;
    Changed();
}

// --- TBrush ---------------------------------------------------------------------------

TBrush::TBrush(const TBrush& o) : TPersistent(), color_(o.color_), style_(o.style_) {}

TBrush& TBrush::operator=(const TBrush& o)
{
    if (this != &o) Assign(&o);
    return *this;
}

void TBrush::Assign(const TPersistent* Source)
{
    auto* b = dynamic_cast<const TBrush*>(Source);
    if (!b) {
        TPersistent::Assign(Source);
        return;
    }
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    Changed();
}

void TBrush::Changed()
{
    if (OnChange) OnChange();
}

void TBrush::SetColor(TColor c)
{
    bool changed = c != color_ || style_ == bsClear;
    color_ = c;
    if (style_ == bsClear) style_ = bsSolid;
    if (changed) Changed();
}

void TBrush::SetStyle(TBrushStyle s)
{
    if (s == style_) return;
    style_ = s;
    Changed();
}

// --- TRegion ----------------------------------------------------------------------------

TRegion::TRegion() : impl_(std::make_unique<Impl>()) {}
TRegion::TRegion(const TRect& r) : impl_(std::make_unique<Impl>())
{
    if (!IsRectEmpty(r)) impl_->rgn = QRegion(ToQRect(r));
}
TRegion::~TRegion() = default;
TRegion::TRegion(const TRegion& o) : impl_(std::make_unique<Impl>(*o.impl_)) {}
TRegion& TRegion::operator=(const TRegion& o)
{
    *impl_ = *o.impl_;
    return *this;
}

TRegion TRegion::Ellipse(const TRect& r)
{
    TRegion g;
    if (!IsRectEmpty(r)) g.impl_->rgn = QRegion(ToQRect(r), QRegion::Ellipse);
    return g;
}

TRegion TRegion::Polygon(const std::vector<TPoint>& pts)
{
    TRegion g;
    QPolygon poly;
    for (auto p : pts) poly << QPoint(p.X, p.Y);
    g.impl_->rgn = QRegion(poly, Qt::OddEvenFill);
    return g;
}

bool TRegion::IsEmpty() const { return impl_->rgn.isEmpty(); }
TRect TRegion::BoundingRect() const { return FromQRect(impl_->rgn.boundingRect()); }
bool TRegion::Contains(TPoint p) const { return impl_->rgn.contains(QPoint(p.X, p.Y)); }

TRegion TRegion::United(const TRegion& o) const
{
    TRegion g;
    g.impl_->rgn = impl_->rgn.united(o.impl_->rgn);
    return g;
}
TRegion TRegion::Intersected(const TRegion& o) const
{
    TRegion g;
    g.impl_->rgn = impl_->rgn.intersected(o.impl_->rgn);
    return g;
}
TRegion TRegion::Subtracted(const TRegion& o) const
{
    TRegion g;
    g.impl_->rgn = impl_->rgn.subtracted(o.impl_->rgn);
    return g;
}
TRegion TRegion::Translated(int dx, int dy) const
{
    TRegion g;
    g.impl_->rgn = impl_->rgn.translated(dx, dy);
    return g;
}

// --- TCanvas ---------------------------------------------------------------------------------

struct TCanvas::State {
    TPen pen;
    TBrush brush;
    TFont font;
    TCopyMode copyMode;
    TPoint penPos, org;
    bool bkModeSet;
    TBkMode bkMode;
    bool bkColorSet;
    TColor bkColor;
    bool hasClip;
    QRegion clip;
};

struct TCanvas::Impl {
    QImage* image = nullptr;
    QPainter* external = nullptr;
    std::unique_ptr<QPainter> own;
    bool bkModeSet = false;
    TBkMode bkMode = bkOpaque;
    bool bkColorSet = false;
    TColor bkColor = clWhite;
    bool hasClip = false;
    QRegion clip;  // device coordinates
    std::vector<State> saved;
};

TCanvas::TCanvas(QImage* image) : impl_(std::make_unique<Impl>())
{
    impl_->image = image;
    brush_.OnChange = [this] { impl_->bkModeSet = false; };
}

TCanvas::TCanvas(QPainter* painter) : impl_(std::make_unique<Impl>())
{
    impl_->external = painter;
    brush_.OnChange = [this] { impl_->bkModeSet = false; };
}

TCanvas::~TCanvas() = default;

QPainter* TCanvas::Painter()
{
    if (impl_->external) return impl_->external;
    if (!impl_->own) {
        if (!impl_->image || impl_->image->isNull()) return nullptr;
        impl_->own = std::make_unique<QPainter>(impl_->image);
    }
    return impl_->own.get();
}

QImage* TCanvas::Image()
{
    Flush();
    return impl_->image;
}

void TCanvas::Flush() { impl_->own.reset(); }

TSize TCanvas::SurfaceSize() const
{
    if (impl_->image) return {impl_->image->width(), impl_->image->height()};
    if (impl_->external && impl_->external->device())
        return {impl_->external->device()->width(), impl_->external->device()->height()};
    return {};
}

// Painter ready for drawing: no antialiasing, the canvas's origin and clip,
// plain copy composition.
QPainter* TCanvas::Begin()
{
    QPainter* p = Painter();
    if (!p) return nullptr;
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setTransform(QTransform::fromTranslate(-org_.X, -org_.Y));
    if (impl_->hasClip) {
        p->setClipRegion(impl_->clip.translated(org_.X, org_.Y));
    } else {
        p->setClipping(false);
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setOpacity(1.0);
    return p;
}

TBkMode TCanvas::BkMode() const
{
    if (impl_->bkModeSet) return impl_->bkMode;
    return brush_.Style() == bsSolid ? bkOpaque : bkTransparent;
}

void TCanvas::SetBkMode(TBkMode m)
{
    impl_->bkModeSet = true;
    impl_->bkMode = m;
}

TColor TCanvas::BkColor() const
{
    if (impl_->bkColorSet) return impl_->bkColor;
    // A solid brush's colour; the inverse colour for a hatched brush.
    TColor b = ColorToRGB(brush_.Color());
    return brush_.Style() == bsSolid ? b : (~b & 0xFFFFFFu);
}

void TCanvas::SetBkColor(TColor c)
{
    impl_->bkColorSet = true;
    impl_->bkColor = c;
}

static void ApplyPenMode(QPainter* p, TPenMode m)
{
    switch (m) {
    case pmCopy: p->setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    case pmXor: p->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case pmNotXor: p->setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    case pmNot: p->setCompositionMode(QPainter::RasterOp_NotDestination); break;
    }
}

// On/off runs of the platform's cosmetic pen styles.
static const std::vector<int>& PenPattern(TPenStyle s)
{
    static const std::vector<int> solid;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (s) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return solid;
    }
}

void TCanvas::FillArea(const TRect& r, TColor color)
{
    if (IsRectEmpty(r)) return;
    QPainter* p = Begin();
    if (!p) return;
    p->fillRect(ToQRect(r), ToQColor(color));
}

void TCanvas::FillWithBrush(const TRect& r)
{
    if (IsRectEmpty(r) || brush_.Style() == bsClear) return;
    QPainter* p = Begin();
    if (!p) return;
    if (brush_.Style() == bsSolid) {
        p->fillRect(ToQRect(r), ToQColor(brush_.Color()));
        return;
    }
    if (BkMode() == bkOpaque) p->fillRect(ToQRect(r), ToQColor(BkColor()));
    Qt::BrushStyle qs = Qt::SolidPattern;
    switch (brush_.Style()) {
    case bsHorizontal: qs = Qt::HorPattern; break;
    case bsVertical: qs = Qt::VerPattern; break;
    case bsFDiagonal: qs = Qt::FDiagPattern; break;
    case bsBDiagonal: qs = Qt::BDiagPattern; break;
    case bsCross: qs = Qt::CrossPattern; break;
    case bsDiagCross: qs = Qt::DiagCrossPattern; break;
    default: break;
    }
    p->fillRect(ToQRect(r), QBrush(ToQColor(brush_.Color()), qs));
}

// One pen stroke from (x0, y0) to (x1, y1); the end pixel only when withEnd.
void TCanvas::DrawPenLine(int x0, int y0, int x1, int y1, bool withEnd)
{
    if (pen_.Style() == psClear) return;
    QPainter* p = Begin();
    if (!p) return;
    ApplyPenMode(p, pen_.Mode());
    QColor col = ToQColor(pen_.Color());
    int w = pen_.Width();
    if (w > 1) {
        // Wide pens are solid, centred on the line, with flat ends.
        QPen qp(col, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        p->setPen(qp);
        p->setBrush(Qt::NoBrush);
        p->drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(x1 + 0.5, y1 + 0.5));
        ApplyPenMode(p, pmCopy);
        return;
    }
    const std::vector<int>& pat = PenPattern(pen_.Style());
    bool opaqueGaps = !pat.empty() && BkMode() == bkOpaque;
    QColor gap = ToQColor(BkColor());
    // Straight solid lines as rectangles (fast path for grid lines).
    if (pat.empty() && (y0 == y1 || x0 == x1)) {
        QRect r;
        if (y0 == y1) {
            int a = std::min(x0, x1), b = std::max(x0, x1);
            if (!withEnd) {
                if (x1 > x0) b = x1 - 1;
                else if (x1 < x0) a = x1 + 1;
                else return;
            }
            r = QRect(a, y0, b - a + 1, 1);
        } else {
            int a = std::min(y0, y1), b = std::max(y0, y1);
            if (!withEnd) {
                if (y1 > y0) b = y1 - 1;
                else a = y1 + 1;
            }
            r = QRect(x0, a, 1, b - a + 1);
        }
        if (pen_.Mode() == pmCopy)
            p->fillRect(r, col);
        else {
            p->setPen(Qt::NoPen);
            p->setBrush(col);
            p->drawRect(r);
        }
        ApplyPenMode(p, pmCopy);
        return;
    }
    // Bresenham walk.
    std::vector<QPoint> on, off;
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    size_t seg = 0;
    int left = pat.empty() ? 0 : pat[0];
    for (;;) {
        bool last = x == x1 && y == y1;
        if (last && !withEnd) break;
        bool draw = pat.empty() || seg % 2 == 0;
        (draw ? on : off).emplace_back(x, y);
        if (!pat.empty() && --left == 0) {
            seg = (seg + 1) % pat.size();
            left = pat[seg];
        }
        if (last) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    QPen qp(col, 1);
    qp.setCosmetic(true);
    p->setBrush(Qt::NoBrush);
    if (opaqueGaps && !off.empty()) {
        QPen gp(gap, 1);
        gp.setCosmetic(true);
        p->setPen(gp);
        p->drawPoints(off.data(), int(off.size()));
    }
    p->setPen(qp);
    if (!on.empty()) p->drawPoints(on.data(), int(on.size()));
    ApplyPenMode(p, pmCopy);
}

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int x, int y)
{
    DrawPenLine(penPos_.X, penPos_.Y, x, y, false);
    penPos_ = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& pts)
{
    for (size_t i = 1; i < pts.size(); ++i)
        DrawPenLine(pts[i - 1].X, pts[i - 1].Y, pts[i].X, pts[i].Y, false);
}

void TCanvas::Polygon(const std::vector<TPoint>& pts)
{
    if (pts.empty()) return;
    QPainter* p = Begin();
    if (!p) return;
    if (brush_.Style() != bsClear && pts.size() > 2) {
        QPolygon poly;
        for (auto pt : pts) poly << QPoint(pt.X, pt.Y);
        p->setPen(Qt::NoPen);
        p->setBrush(ToQColor(brush_.Color()));
        p->drawPolygon(poly, Qt::OddEvenFill);
    }
    for (size_t i = 0; i < pts.size(); ++i) {
        const TPoint& a = pts[i];
        const TPoint& b = pts[(i + 1) % pts.size()];
        DrawPenLine(a.X, a.Y, b.X, b.Y, pts.size() == 1);
    }
}

void TCanvas::Rectangle(int l, int t, int r, int b)
{
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    if (pen_.Style() == psClear) {
        FillWithBrush({l, t, r - 1, b - 1});
        return;
    }
    int w = std::max(1, pen_.Width());
    if (w == 1 || pen_.Style() == psInsideFrame) {
        FillWithBrush({l + w, t + w, r - w, b - w});
        if (pen_.Style() == psSolid || pen_.Style() == psInsideFrame) {
            if (pen_.Mode() == pmCopy) {
                TColor c = pen_.Color();
                FillArea({l, t, r, std::min(b, t + w)}, c);
                FillArea({l, std::max(t, b - w), r, b}, c);
                FillArea({l, t + w, std::min(r, l + w), b - w}, c);
                FillArea({std::max(l, r - w), t + w, r, b - w}, c);
            } else {
                DrawPenLine(l, t, r - 1, t, false);
                DrawPenLine(r - 1, t, r - 1, b - 1, false);
                DrawPenLine(r - 1, b - 1, l, b - 1, false);
                DrawPenLine(l, b - 1, l, t, false);
            }
        } else {
            DrawPenLine(l, t, r - 1, t, false);
            DrawPenLine(r - 1, t, r - 1, b - 1, false);
            DrawPenLine(r - 1, b - 1, l, b - 1, false);
            DrawPenLine(l, b - 1, l, t, false);
        }
        return;
    }
    // A wide pen is centred on the outline of (l, t, r-1, b-1).
    FillWithBrush({l, t, r - 1, b - 1});
    QPainter* p = Begin();
    if (!p) return;
    ApplyPenMode(p, pen_.Mode());
    p->setPen(QPen(ToQColor(pen_.Color()), w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRectF(l + 0.5, t + 0.5, r - l - 1, b - t - 1));
    ApplyPenMode(p, pmCopy);
}

static void ShapeSetup(QPainter* p, const TPen& pen, const TBrush& brush)
{
    if (pen.Style() == psClear)
        p->setPen(Qt::NoPen);
    else {
        Qt::PenStyle st = Qt::SolidLine;
        switch (pen.Style()) {
        case psDash: st = Qt::DashLine; break;
        case psDot: st = Qt::DotLine; break;
        case psDashDot: st = Qt::DashDotLine; break;
        case psDashDotDot: st = Qt::DashDotDotLine; break;
        default: break;
        }
        QPen qp(ToQColor(pen.Color()), std::max(1, pen.Width()), st);
        p->setPen(qp);
    }
    if (brush.Style() == bsClear)
        p->setBrush(Qt::NoBrush);
    else
        p->setBrush(ToQColor(brush.Color()));
}

void TCanvas::RoundRect(int l, int t, int r, int b, int cx, int cy)
{
    QPainter* p = Begin();
    if (!p) return;
    ApplyPenMode(p, pen_.Mode());
    ShapeSetup(p, pen_, brush_);
    p->drawRoundedRect(QRect(l, t, r - l - 1, b - t - 1), cx / 2.0, cy / 2.0);
    ApplyPenMode(p, pmCopy);
}

void TCanvas::Ellipse(int l, int t, int r, int b)
{
    QPainter* p = Begin();
    if (!p) return;
    ApplyPenMode(p, pen_.Mode());
    ShapeSetup(p, pen_, brush_);
    p->drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
    ApplyPenMode(p, pmCopy);
}

void TCanvas::FillRect(const TRect& r) { FillWithBrush(r); }

void TCanvas::FrameRect(const TRect& r)
{
    if (IsRectEmpty(r) || brush_.Style() == bsClear) return;
    TColor c = brush_.Color();
    FillArea({r.Left, r.Top, r.Right, r.Top + 1}, c);
    FillArea({r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
    FillArea({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, c);
    FillArea({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, c);
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (IsRectEmpty(r)) return;
    QPainter* p = Begin();
    if (!p) return;
    std::vector<QPoint> pts;
    // Every other pixel along the frame, inverted, starting at the corner.
    int i = 0;
    auto add = [&](int x, int y) {
        if ((i++ & 1) == 0) pts.emplace_back(x, y);
    };
    for (int x = r.Left; x < r.Right; ++x) add(x, r.Top);
    for (int y = r.Top + 1; y < r.Bottom; ++y) add(r.Right - 1, y);
    if (r.Bottom - 1 > r.Top)
        for (int x = r.Right - 2; x >= r.Left; --x) add(x, r.Bottom - 1);
    if (r.Right - 1 > r.Left)
        for (int y = r.Bottom - 2; y > r.Top; --y) add(r.Left, y);
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen qp(QColor(255, 255, 255), 1);
    qp.setCosmetic(true);
    p->setPen(qp);
    p->drawPoints(pts.data(), int(pts.size()));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

TColor TCanvas::Pixel(int x, int y) const
{
    auto* self = const_cast<TCanvas*>(this);
    QImage* img = self->Image();
    if (!img) return clNone;
    x -= org_.X;
    y -= org_.Y;
    if (x < 0 || y < 0 || x >= img->width() || y >= img->height()) return clNone;
    return FromQColor(QColor::fromRgb(img->pixel(x, y)));
}

void TCanvas::SetPixel(int x, int y, TColor c)
{
    QImage* img = Image();
    if (!img) return;
    int dx = x - org_.X, dy = y - org_.Y;
    if (dx < 0 || dy < 0 || dx >= img->width() || dy >= img->height()) return;
    if (impl_->hasClip && !impl_->clip.contains(QPoint(dx, dy))) return;
    img->setPixel(dx, dy, ToQColor(c).rgb());
}

// --- text

TSize TCanvas::TextExtent(const std::string& text) const
{
    TFontEntry& e = FontEntry(font_);
    return {e.Width(text), e.textMetric.Height};
}

int TCanvas::TextHeight(const std::string&) const { return FontEntry(font_).textMetric.Height; }

TCanvas::TTextMetric TCanvas::TextMetrics() const { return FontEntry(font_).textMetric; }

void TCanvas::TextOut(int x, int y, const std::string& text) { TextAt(x, y, text, nullptr, true); }

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text)
{
    if (IsRectEmpty(r)) return;
    TextAt(x, y, text, &r, true);
}

void TCanvas::TextDraw(int x, int y, const std::string& text, const TRect* clip)
{
    if (clip && IsRectEmpty(*clip)) return;
    TextAt(x, y, text, clip, false);
}

void TCanvas::TextAt(int x, int y, const std::string& text, const TRect* clip, bool movePen)
{
    TFontEntry& e = FontEntry(font_);
    const bool opaque = BkMode() == bkOpaque;
    // The advance is measured only where it is used.
    int w = movePen || opaque ? e.Width(text) : 0;
    if (movePen) penPos_ = {x + w, y};
    QPainter* p = Begin();
    if (!p) return;
    p->save();
    if (clip) p->setClipRect(ToQRect(*clip), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    p->translate(x, y);
    if (font_.Orientation() != 0) p->rotate(-font_.Orientation() / 10.0);
    if (opaque) p->fillRect(QRect(0, 0, w, e.textMetric.Height), ToQColor(BkColor()));
    p->setFont(e.font);
    p->setPen(ToQColor(font_.Color()));
    p->drawText(QPoint(0, e.textMetric.Ascent), QString::fromStdString(text));
    p->restore();
}

// --- bitmaps

static QImage WithKeyTransparent(const QImage& src, TColor key)
{
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    QRgb k = ToQColor(key).rgb() & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == k) line[x] = 0;
    }
    return img;
}

void TCanvas::Draw(int x, int y, const TBitmap& bmp)
{
    if (bmp.Empty()) return;
    if (bmp.Transparent()) {
        DrawTransparent(x, y, bmp, bmp.TransparentColor());
        return;
    }
    QPainter* p = Begin();
    if (!p) return;
    p->drawImage(QPoint(x, y), bmp.Image());
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& bmp, TColor key)
{
    if (bmp.Empty()) return;
    QImage img = WithKeyTransparent(bmp.Image(), key);
    QPainter* p = Begin();
    if (!p) return;
    p->drawImage(QPoint(x, y), img);
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& bmp)
{
    if (bmp.Empty()) return;
    DrawTransparent(x, y, bmp, bmp.Pixel(0, 0));
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bmp)
{
    if (bmp.Empty() || IsRectEmpty(dest)) return;
    QImage img = bmp.Transparent() ? WithKeyTransparent(bmp.Image(), bmp.TransparentColor()) : bmp.Image();
    QPainter* p = Begin();
    if (!p) return;
    p->drawImage(ToQRect(dest), img);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect)
{
    if (IsRectEmpty(dest) || IsRectEmpty(srcRect)) return;
    QImage* si = src.Image();
    if (!si) return;
    TRect sr = srcRect;
    OffsetRect(sr, -src.org_.X, -src.org_.Y);
    QImage part = si->copy(ToQRect(sr));
    QPainter* p = Begin();
    if (!p) return;
    switch (copyMode_) {
    case cmSrcCopy: break;
    case cmSrcAnd: p->setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case cmSrcPaint: p->setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case cmSrcInvert: p->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case cmMergeCopy: p->setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    }
    p->drawImage(ToQRect(dest), part);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& bmp, const TRect& srcRect, TColor color)
{
    if (bmp.Empty() || IsRectEmpty(dest)) return;
    QImage part = bmp.Image().copy(ToQRect(srcRect)).convertToFormat(QImage::Format_RGB32);
    QRgb k = ToQColor(color).rgb() & 0xFFFFFF;
    QRgb b = ToQColor(brush_.Color()).rgb();
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((line[x] & 0xFFFFFF) == k) line[x] = b;
    }
    QPainter* p = Begin();
    if (!p) return;
    p->drawImage(ToQRect(dest), part);
}

// --- clipping and state

TRect TCanvas::ClipRect() const
{
    TSize s = SurfaceSize();
    QRect whole(0, 0, s.cx, s.cy);
    QRect r = impl_->hasClip ? impl_->clip.boundingRect().intersected(whole) : whole;
    TRect t = FromQRect(r);
    OffsetRect(t, org_.X, org_.Y);
    return t;
}

bool TCanvas::HasClip() const { return impl_->hasClip; }

void TCanvas::SetClipRect(const TRect& r)
{
    TRect d = r;
    OffsetRect(d, -org_.X, -org_.Y);
    impl_->hasClip = true;
    impl_->clip = IsRectEmpty(d) ? QRegion() : QRegion(ToQRect(d));
}

void TCanvas::SetClipRegion(const TRegion& rgn)
{
    impl_->hasClip = true;
    impl_->clip = rgn.impl().rgn.translated(-org_.X, -org_.Y);
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    TRect d = r;
    OffsetRect(d, -org_.X, -org_.Y);
    QRegion add = IsRectEmpty(d) ? QRegion() : QRegion(ToQRect(d));
    if (impl_->hasClip)
        impl_->clip = impl_->clip.intersected(add);
    else {
        impl_->hasClip = true;
        impl_->clip = add;
    }
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    TRect d = r;
    OffsetRect(d, -org_.X, -org_.Y);
    if (IsRectEmpty(d)) return;
    if (!impl_->hasClip) {
        TSize s = SurfaceSize();
        impl_->hasClip = true;
        impl_->clip = QRegion(0, 0, std::max(s.cx, 1 << 15), std::max(s.cy, 1 << 15));
    }
    impl_->clip = impl_->clip.subtracted(QRegion(ToQRect(d)));
}

void TCanvas::RemoveClip()
{
    impl_->hasClip = false;
    impl_->clip = QRegion();
}

void TCanvas::SetWindowOrg(int x, int y) { org_ = {x, y}; }

int TCanvas::SaveState()
{
    State s{pen_, brush_, font_, copyMode_, penPos_, org_, impl_->bkModeSet, impl_->bkMode,
            impl_->bkColorSet, impl_->bkColor, impl_->hasClip, impl_->clip};
    impl_->saved.push_back(std::move(s));
    return int(impl_->saved.size());
}

void TCanvas::RestoreState()
{
    if (impl_->saved.empty()) return;
    State s = std::move(impl_->saved.back());
    impl_->saved.pop_back();
    pen_.Assign(s.pen);
    brush_.Assign(s.brush);
    font_.Assign(s.font);
    copyMode_ = s.copyMode;
    penPos_ = s.penPos;
    org_ = s.org;
    impl_->bkModeSet = s.bkModeSet;
    impl_->bkMode = s.bkMode;
    impl_->bkColorSet = s.bkColorSet;
    impl_->bkColor = s.bkColor;
    impl_->hasClip = s.hasClip;
    impl_->clip = s.clip;
}

// --- TBitmap ------------------------------------------------------------------------------

struct TBitmap::Impl {
    QImage img;
    std::unique_ptr<TCanvas> canvas;
    void flush()
    {
        if (canvas) canvas->Flush();
    }
};

TBitmap::TBitmap() : impl_(std::make_unique<Impl>()) {}

TBitmap::TBitmap(int w, int h) : impl_(std::make_unique<Impl>()) { SetSize(w, h); }

TBitmap::TBitmap(const TBitmap& o)
    : TPersistent(), impl_(std::make_unique<Impl>()), transparent_(o.transparent_),
      transparentMode_(o.transparentMode_), transparentColor_(o.transparentColor_), pixelFormat_(o.pixelFormat_)
{
    impl_->img = o.Image().copy();
}

TBitmap& TBitmap::operator=(const TBitmap& o)
{
    if (this != &o) Assign(&o);
    return *this;
}

TBitmap::~TBitmap()
{
    impl_->canvas.reset();
}

void TBitmap::Assign(const TPersistent* Source)
{
    auto* b = dynamic_cast<const TBitmap*>(Source);
    if (!b) {
        TPersistent::Assign(Source);
        return;
    }
    if (b == this) return;
    impl_->flush();
    impl_->img = b->Image().copy();
    transparent_ = b->transparent_;
    transparentMode_ = b->transparentMode_;
    transparentColor_ = b->transparentColor_;
    pixelFormat_ = b->pixelFormat_;
}

int TBitmap::Width() const { return impl_->img.width(); }
int TBitmap::Height() const { return impl_->img.height(); }

void TBitmap::SetSize(int w, int h)
{
    w = std::max(0, w);
    h = std::max(0, h);
    if (w == Width() && h == Height()) return;
    impl_->flush();
    if (w == 0 || h == 0) {
        impl_->img = QImage();
        return;
    }
    QImage n(w, h, pixelFormat_ == pf32bit ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    n.fill(QColor(255, 255, 255));
    if (!impl_->img.isNull()) {
        QPainter p(&n);
        p.drawImage(0, 0, impl_->img);
    }
    impl_->img = n;
}

TCanvas& TBitmap::Canvas()
{
    if (!impl_->canvas) impl_->canvas = std::make_unique<TCanvas>(&impl_->img);
    return *impl_->canvas;
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == tmFixed) return transparentColor_;
    if (Empty()) return clNone;
    return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor c)
{
    transparentColor_ = c;
    transparentMode_ = c == clDefault ? tmAuto : tmFixed;
}

bool TBitmap::LoadFromFile(const std::string& path)
{
    QImage img;
    if (!img.load(QString::fromStdString(path))) return false;
    impl_->flush();
    impl_->img = img.convertToFormat(QImage::Format_RGB32);
    pixelFormat_ = pfDevice;
    return true;
}

bool TBitmap::SaveToFile(const std::string& path) const
{
    return Image().save(QString::fromStdString(path));
}

static std::map<std::string, std::function<void(TBitmap&)>>& Resources()
{
    static std::map<std::string, std::function<void(TBitmap&)>> r;
    return r;
}

void RegisterBitmapResource(const std::string& name, std::function<void(TBitmap&)> painter)
{
    Resources()[UpperCase(name)] = std::move(painter);
}

bool BitmapResourceExists(const std::string& name) { return Resources().count(UpperCase(name)) != 0; }

void TBitmap::LoadFromResourceName(const std::string& name)
{
    auto it = Resources().find(UpperCase(name));
    if (it == Resources().end()) throw EResNotFound("Resource " + name + " not found");
    TBitmap fresh;
    it->second(fresh);
    impl_->flush();
    impl_->img = fresh.Image().copy();
    pixelFormat_ = fresh.pixelFormat_;
}

TColor TBitmap::Pixel(int x, int y) const
{
    const QImage& img = Image();
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return clNone;
    return FromQColor(QColor::fromRgb(img.pixel(x, y)));
}

void TBitmap::SetPixel(int x, int y, TColor c)
{
    QImage& img = Image();
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
    img.setPixel(x, y, ToQColor(c).rgb());
}

void TBitmap::SetPixelFormat(TPixelFormat f)
{
    if (f == pixelFormat_) return;
    impl_->flush();
    const bool alpha = f == pf32bit;
    if (!impl_->img.isNull()) {
        if (alpha) {
            impl_->img = impl_->img.convertToFormat(QImage::Format_ARGB32);
        } else {
            // Keep the colour bytes as they are; the fourth byte is no alpha.
            QImage n(impl_->img.width(), impl_->img.height(), QImage::Format_RGB32);
            for (int y = 0; y < n.height(); ++y) {
                auto* d = reinterpret_cast<QRgb*>(n.scanLine(y));
                auto* s = reinterpret_cast<const QRgb*>(impl_->img.constScanLine(y));
                for (int x = 0; x < n.width(); ++x) d[x] = s[x] | 0xFF000000u;
            }
            impl_->img = n;
        }
    }
    pixelFormat_ = f;
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    QImage& img = Image();
    if (y < 0 || y >= img.height()) throw EInvalidGraphicOperation("Scan line index out of range");
    return img.scanLine(y);
}

const std::uint8_t* TBitmap::ScanLine(int y) const
{
    const QImage& img = Image();
    if (y < 0 || y >= img.height()) throw EInvalidGraphicOperation("Scan line index out of range");
    return img.constScanLine(y);
}

const QImage& TBitmap::Image() const
{
    impl_->flush();
    return impl_->img;
}

QImage& TBitmap::Image()
{
    impl_->flush();
    return impl_->img;
}
