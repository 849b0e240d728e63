#include "platform/DrawText.h"

#include "platform/Graphics.h"

#include <algorithm>
#include <vector>

int Utf8CharLength(const std::string& s, size_t i)
{
    if (i >= s.size()) return 0;
    unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (i + size_t(n) > s.size()) return 1;
    for (int k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + size_t(k)]) & 0xC0) != 0x80) return 1;
    return n;
}

int Utf8Length(const std::string& s)
{
    int n = 0;
    for (size_t i = 0; i < s.size(); i += size_t(Utf8CharLength(s, i))) ++n;
    return n;
}

namespace {

struct Ch {
    std::string c;
    bool mnemonic = false;
};
using Line = std::vector<Ch>;

std::string Join(const Line& l, size_t from = 0, size_t to = std::string::npos)
{
    std::string s;
    to = std::min(to, l.size());
    for (size_t i = from; i < to; ++i) s += l[i].c;
    return s;
}

bool IsBlank(const Ch& c) { return c.c == " "; }

// Splits the text into characters, applying the mnemonic rule.
Line Decode(const std::string& text, unsigned fmt)
{
    Line out;
    bool prefix = !(fmt & DT_NOPREFIX);
    bool marked = false;
    for (size_t i = 0; i < text.size();) {
        int n = Utf8CharLength(text, i);
        std::string c = text.substr(i, size_t(n));
        i += size_t(n);
        if (prefix && c == "&") {
            if (i >= text.size()) break;  // a trailing "&" shows nothing
            int m = Utf8CharLength(text, i);
            std::string next = text.substr(i, size_t(m));
            i += size_t(m);
            Ch ch{next, false};
            if (next != "&" && !marked && !(fmt & DT_HIDEPREFIX)) {
                ch.mnemonic = true;
                marked = true;
            }
            out.push_back(ch);
            continue;
        }
        out.push_back({c, false});
    }
    return out;
}

class Layout {
public:
    Layout(ITextTarget& t, unsigned fmt) : t_(t), fmt_(fmt) {}

    int Width(const Line& l, size_t from = 0, size_t to = std::string::npos)
    {
        return t_.TextWidth(Join(l, from, to));
    }

    // Tabs expanded to stops of 8 average character widths (blanks).
    Line ExpandTabs(const Line& l)
    {
        Line out;
        int stop = 0, blank = 0;
        for (const Ch& c : l) {
            if (c.c != "\t") {
                out.push_back(c);
                continue;
            }
            if (!(fmt_ & DT_EXPANDTABS)) {
                out.push_back({" ", c.mnemonic});
                continue;
            }
            if (stop == 0) {
                stop = std::max(1, 8 * t_.AveCharWidth());
                blank = std::max(1, t_.TextWidth(" "));
            }
            int w = Width(out);
            int target = (w / stop + 1) * stop;
            do {
                out.push_back({" ", false});
                w += blank;
            } while (w < target);
        }
        return out;
    }

    // Breaks one hard line into lines of at most `width` pixels.
    void WordBreak(const Line& l, int width, std::vector<Line>& out)
    {
        size_t pos = 0;
        if (l.empty()) {
            out.push_back({});
            return;
        }
        while (pos < l.size()) {
            // Break candidates: after a run of blanks, before the next word.
            size_t best = 0;
            for (size_t i = pos + 1; i <= l.size(); ++i) {
                bool boundary = i == l.size() || (IsBlank(l[i - 1]) && !IsBlank(l[i]));
                if (!boundary) continue;
                size_t end = i;
                while (end > pos && IsBlank(l[end - 1])) --end;
                if (Width(l, pos, end) <= width)
                    best = i;
                else
                    break;
            }
            if (best == 0) {
                // The first word alone is too wide.
                size_t wordEnd = pos;
                while (wordEnd < l.size() && !IsBlank(l[wordEnd])) ++wordEnd;
                if (fmt_ & DT_EDITCONTROL) {
                    size_t e = pos + 1;
                    while (e < wordEnd && Width(l, pos, e + 1) <= width) ++e;
                    best = e;
                } else {
                    best = wordEnd;
                    while (best < l.size() && IsBlank(l[best])) ++best;
                }
            }
            size_t end = best;
            while (end > pos && IsBlank(l[end - 1])) --end;
            out.push_back(Line(l.begin() + long(pos), l.begin() + long(end)));
            pos = best;
            while (pos < l.size() && IsBlank(l[pos])) ++pos;
        }
    }

    Line EndEllipsis(Line l, int width)
    {
        if (Width(l) <= width) return l;
        const Line dots{{".", false}, {".", false}, {".", false}};
        while (!l.empty()) {
            l.pop_back();
            Line t = l;
            t.insert(t.end(), dots.begin(), dots.end());
            if (Width(t) <= width) return t;
        }
        return dots;
    }

    Line PathEllipsis(const Line& l, int width)
    {
        if (Width(l) <= width) return l;
        size_t sep = std::string::npos;
        for (size_t i = 0; i < l.size(); ++i)
            if (l[i].c == "\\" || l[i].c == "/") sep = i;
        if (sep == std::string::npos) return EndEllipsis(l, width);
        Line head(l.begin(), l.begin() + long(sep));
        Line tail(l.begin() + long(sep), l.end());
        const Line dots{{".", false}, {".", false}, {".", false}};
        while (true) {
            Line t = head;
            t.insert(t.end(), dots.begin(), dots.end());
            t.insert(t.end(), tail.begin(), tail.end());
            if (Width(t) <= width || head.empty()) return t;
            head.pop_back();
        }
    }

    ITextTarget& t_;
    unsigned fmt_;
};

}  // namespace

namespace {

// Text that is one line as it stands: no line break, no tab and no
// mnemonic mark, so that no rule changes what is drawn. Layout of such text
// needs no character split and at most one measurement.
// Where the first line starts: vertical alignment applies to single-line
// text only.
int FirstLineTop(const TRect& rect, unsigned fmt, int lh)
{
    if (!(fmt & DT_SINGLELINE)) return rect.Top;
    if (fmt & DT_BOTTOM) return rect.Bottom - lh;
    if (fmt & DT_VCENTER) return (rect.Top + rect.Bottom - lh) / 2;
    return rect.Top;
}

bool IsPlainLine(const std::string& text, unsigned fmt)
{
    const bool prefix = !(fmt & DT_NOPREFIX);
    for (char c : text)
        if (c == '\r' || c == '\n' || c == '\t' || (prefix && c == '&')) return false;
    return true;
}

// Where x is left as it is, the line's width is not needed to draw it.
constexpr int UnknownWidth = -1;

int PlainLineLayout(ITextTarget& target, const std::string& text, TRect& rect, unsigned fmt, int w)
{
    const int width = rect.Right - rect.Left;
    const int lh = target.LineHeight((fmt & DT_EXTERNALLEADING) != 0);
    if (fmt & DT_CALCRECT) {
        rect.Right = rect.Left + (w == UnknownWidth ? target.TextWidth(text) : w);
        rect.Bottom = rect.Top + lh;
        return lh;
    }
    const int y = FirstLineTop(rect, fmt, lh);
    int x = rect.Left;
    if (fmt & (DT_RIGHT | DT_CENTER)) {
        if (w == UnknownWidth) w = target.TextWidth(text);
        x = (fmt & DT_RIGHT) ? rect.Right - w : rect.Left + (width - w) / 2;
    }
    if (!(fmt & DT_PREFIXONLY) && !text.empty()) target.Out(x, y, text, (fmt & DT_NOCLIP) ? nullptr : &rect);
    return y - rect.Top + lh;
}

}  // namespace

int DrawTextLayout(ITextTarget& target, const std::string& text, TRect& rect, unsigned fmt)
{
    if (IsPlainLine(text, fmt)) {
        // One line without breaks, tabs or marks. Word break may still split
        // it, and an ellipsis shorten it, but only when it is too wide.
        // (Word break drops a line's trailing blanks: such text goes the long way.)
        const bool wordBreak = (fmt & DT_WORDBREAK) && !(fmt & DT_SINGLELINE);
        const bool ellipsis =
            !(fmt & DT_CALCRECT) && (fmt & (DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS));
        if (!wordBreak && !ellipsis) return PlainLineLayout(target, text, rect, fmt, UnknownWidth);
        if (!(wordBreak && !text.empty() && text.back() == ' ')) {
            const int w = target.TextWidth(text);
            if (w <= rect.Right - rect.Left) return PlainLineLayout(target, text, rect, fmt, w);
        }
    }
    Layout lay(target, fmt);
    Line all = Decode(text, fmt);
    int width = rect.Right - rect.Left;

    // Hard lines.
    std::vector<Line> hard;
    if (fmt & DT_SINGLELINE) {
        Line one;
        for (const Ch& c : all)
            if (c.c != "\r" && c.c != "\n") one.push_back(c);
        hard.push_back(one);
    } else {
        Line cur;
        for (size_t i = 0; i < all.size(); ++i) {
            const std::string& c = all[i].c;
            if (c == "\r" || c == "\n") {
                hard.push_back(cur);
                cur.clear();
                if (c == "\r" && i + 1 < all.size() && all[i + 1].c == "\n") ++i;
                continue;
            }
            cur.push_back(all[i]);
        }
        hard.push_back(cur);
    }
    for (Line& l : hard) l = lay.ExpandTabs(l);

    std::vector<Line> lines;
    if ((fmt & DT_WORDBREAK) && !(fmt & DT_SINGLELINE)) {
        for (const Line& l : hard) lay.WordBreak(l, width, lines);
    } else {
        lines = hard;
    }

    bool calc = (fmt & DT_CALCRECT) != 0;
    if (!calc) {
        for (Line& l : lines) {
            if (fmt & DT_PATH_ELLIPSIS)
                l = lay.PathEllipsis(l, width);
            else if (fmt & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
                l = lay.EndEllipsis(l, width);
        }
    }

    int lh = target.LineHeight((fmt & DT_EXTERNALLEADING) != 0);
    int total = lh * int(lines.size());

    if (calc) {
        int maxw = 0;
        for (const Line& l : lines) maxw = std::max(maxw, lay.Width(l));
        rect.Right = rect.Left + maxw;
        rect.Bottom = rect.Top + total;
        return total;
    }

    int y = FirstLineTop(rect, fmt, lh);
    int result = y - rect.Top + total;
    const TRect* clip = (fmt & DT_NOCLIP) ? nullptr : &rect;
    int ascent = target.Ascent();
    for (const Line& l : lines) {
        std::string s = Join(l);
        int w = target.TextWidth(s);
        int x = rect.Left;
        if (fmt & DT_RIGHT)
            x = rect.Right - w;
        else if (fmt & DT_CENTER)
            x = rect.Left + (width - w) / 2;
        if (!(fmt & DT_PREFIXONLY) && !s.empty()) target.Out(x, y, s, clip);
        for (size_t i = 0; i < l.size(); ++i) {
            if (!l[i].mnemonic) continue;
            int x0 = x + lay.Width(l, 0, i);
            int x1 = x0 + target.TextWidth(l[i].c);
            target.Underline(x0, x1, y + ascent + 1, clip);
        }
        y += lh;
    }
    return result;
}

namespace {

class CanvasTarget : public ITextTarget {
public:
    explicit CanvasTarget(TCanvas& c) : c_(c), m_(c.TextMetrics()) {}
    int TextWidth(const std::string& s) override { return c_.TextWidth(s); }
    int LineHeight(bool ext) override { return m_.Height + (ext ? m_.ExternalLeading : 0); }
    int Ascent() override { return m_.Ascent; }
    int AveCharWidth() override { return std::max(1, m_.AveCharWidth); }
    void Out(int x, int y, const std::string& s, const TRect* clip) override { c_.TextDraw(x, y, s, clip); }
    void Underline(int x0, int x1, int y, const TRect* clip) override
    {
        c_.SaveState();
        if (clip) c_.IntersectClipRect(*clip);
        c_.Brush().SetColor(c_.Font().Color());
        c_.FillRect(Rect(x0, y, x1, y + 1));
        c_.RestoreState();
    }

private:
    TCanvas& c_;
    TCanvas::TTextMetric m_;
};

}  // namespace

namespace {

// The recorders in use, innermost last (GUI thread only).
std::vector<TDrawTextRecorder*>& Recorders()
{
    static std::vector<TDrawTextRecorder*> r;
    return r;
}

}  // namespace

TDrawTextRecorder::TDrawTextRecorder(TCanvas& canvas) : canvas_(&canvas) { Recorders().push_back(this); }

TDrawTextRecorder::~TDrawTextRecorder()
{
    auto& r = Recorders();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

int DrawTextEx(TCanvas& canvas, const std::string& text, TRect& rect, unsigned format)
{
    for (TDrawTextRecorder* r : Recorders())
        if (r->canvas_ == &canvas) r->calls_.push_back({text, rect, format});
    CanvasTarget t(canvas);
    return DrawTextLayout(t, text, rect, format);
}
