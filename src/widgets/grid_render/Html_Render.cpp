// The mini-HTML renderer: every line is laid out twice, first measured
// (which consumes the line from the text and hit-tests anchors), then drawn
// from the same starting state.

#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/Html_Internal.h"
#include "widgets/grid_render/PictureContainer.h"

#include "platform/DrawText.h"
#include "platform/ImgList.h"
#include "platform/PictureDecode.h"
#include "platform/SysUtils.h"
#include "platform/Themes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

using namespace esghtml;

namespace {

constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
constexpr int kListIndent = 12;

enum TAlign { alLeft, alRight, alCenter };

// What carries from line to line (the fonts are kept apart).
struct TFlow {
    TAlign align = alLeft;
    int indent = 0;
    int listLevel = 0;
    bool paraBackground = false;
    int anchors = 0;
    int pictures = 0;
    bool hidden = false, shadow = false, errorMark = false;
    bool sub = false, sup = false;
    bool anchorActive = false;
    std::string href, title;
};

// One line's measures, found by the measuring pass.
struct TLineMetrics {
    int width = 0;
    int height = 0;
    int subRoom = 0;
    int supRoom = 0;
    int pictureDescent = 0;
};

struct TRenderer {
    TCanvas& c;
    const TRect bounds;
    THTMLDrawArgs& a;

    TFont startFont, measureFont, drawFont;
    TColor startBrushColor;  // for blinking text
    unsigned textFlags = 0;
    bool rtlReading = false;
    bool themes = false;

    TFlow flow;
    bool firstPass = false;
    bool hoverPending = false;
    // Number of the picture inside an anchor under the point (-1: none).
    int hoveredPicture = -1;

    // Colours saved by tags while drawing (clNone: clear brush).
    bool hiSaved = false;
    TColor hiText = clNone, hiBrush = clNone;
    TColor fontBgSaved = clNone;
    TColor paraBgSaved = clNone;
    bool anchorSaved = false;
    TColor anchorBrush = clNone, anchorText = clNone;

    // Anchor being laid out: where it started on its line.
    int anchorStart = 0;
    bool anchorOnThisLine = false;

    // Focus rectangle around the anchor with index FocusAnchorIndex.
    bool focusOpen = false;
    TRect focus;

    TRenderer(TCanvas& canvas, const TRect& b, THTMLDrawArgs& args)
        : c(canvas), bounds(b), a(args), startFont(canvas.Font()), startBrushColor(canvas.Brush().Color())
    {
    }

    TColor BrushNow() const { return c.Brush().Style() == bsClear ? clNone : c.Brush().Color(); }
    void SetBrush(TColor col)
    {
        if (col == clNone)
            c.Brush().SetStyle(bsClear);
        else
            c.Brush().SetColor(col);
    }
    int GhHeight() const { return c.TextHeight("gh"); }

    int ChunkWidth(const std::string& chunk, const TRect& r)
    {
        TRect m = r;
        DrawTextEx(c, chunk, m, textFlags | DT_CALCRECT);
        return m.Right - m.Left;
    }

    bool Line(bool measuring, std::string& text, const TRect& box, TLineMetrics& m, std::string& lineSource,
              bool& anchorHit, bool& controlHit);
    void Tag(bool measuring, const std::string& tag, bool closing, char letter, char next, const TRect& box,
             int& left, int& right, int top, int bottom, TLineMetrics& m, bool& lineEnds, bool& breakBefore,
             bool& listItemSeen, bool& controlHit);
    void Control(bool measuring, const std::string& tag, const TRect& box, int& left, int top, int bottom,
                 TLineMetrics& m, bool& breakBefore, bool& controlHit);
    void Picture(bool measuring, const std::string& tag, const TRect& box, int& left, int top, TLineMetrics& m,
                 bool& breakBefore, bool& controlHit);
    THTMLPicture* NamedPicture(const std::string& source);
    void PageBackground(const std::string& tag);
    void ZigZag(int x0, int x1, int bottom);
};

// Attribute value of a tag: the text between the first two double quotes
// after the name.
std::string Attr(const std::string& tag, std::string_view name) { return QuotedAfter(tag, FindNoCase(tag, name)); }

// Where the attribute name stands in a picture tag as a word of its own
// followed by "=" (so "ALT" inside a SRC value is no ALT); npos when absent.
size_t PictureAttrAt(const std::string& tag, std::string_view name)
{
    for (size_t at = FindNoCase(tag, name); at != std::string::npos; at = FindNoCase(tag, name, at + 1)) {
        if (at == 0 || !std::isspace(static_cast<unsigned char>(tag[at - 1]))) continue;
        size_t e = at + name.size();
        while (e < tag.size() && tag[e] == ' ') ++e;
        if (e < tag.size() && tag[e] == '=') return at;
    }
    return std::string::npos;
}
std::string PictureAttr(const std::string& tag, std::string_view name)
{
    return QuotedAfter(tag, PictureAttrAt(tag, name));
}

// Size at 96 pixels per inch on the surface.
int FromScreenPixels(int v) { return v * ScreenPixelsPerInch / 96; }

TColor ColorValue(const std::string& v)
{
    const std::string u = UpperCase(v);
    return !u.empty() && u[0] == '#' ? HTMLHexToColor(u) : HTMLColorNameToColor(u);
}

// FONT SIZE: the number behind "=", or behind the first double quote after it.
int FontSizeValue(const std::string& tag, size_t at)
{
    size_t eq = tag.find('=', at);
    if (eq == std::string::npos) return 0;
    const size_t q = tag.find('"', eq);
    const size_t from = q == std::string::npos ? eq + 1 : q + 1;
    return LeadingNumber(std::string_view(tag).substr(std::min(from, tag.size())), 0, 100000);
}

// The signs of a piece of text: sweeps that each replace the first
// occurrence (any case) of every sign entity, until one replaces nothing.
// "&amp;" becomes "&&", which the text drawing shows as one "&".
std::string DecodeSigns(std::string text)
{
    static const std::pair<const char*, const char*> kSigns[] = {
        {"&amp;", "&&"}, {"&quot;", "\""}, {"&sect;", "§"},  {"&permil;", "‰"}, {"&reg;", "®"},
        {"&copy;", "©"}, {"&para;", "¶"},  {"&trade;", "™"}, {"&euro;", "€"},
    };
    if (text.find('&') == std::string::npos) return text;
    bool replaced = true;
    while (replaced) {
        replaced = false;
        for (const auto& [name, sign] : kSigns) {
            const size_t p = FindNoCase(text, name);
            if (p == std::string::npos) continue;
            text.replace(p, std::string_view(name).size(), sign);
            replaced = true;
        }
    }
    return text;
}

// Rotation in degrees: an optional sign and digits.
int AngleValue(const std::string& v)
{
    const bool neg = !v.empty() && v[0] == '-';
    const int n = LeadingNumber(std::string_view(v).substr(neg ? 1 : 0), 0, 100000) % 360;
    return neg ? -n : n;
}

void TRenderer::ZigZag(int x0, int x1, int bottom)
{
    const TColor pc = c.Pen().Color();
    const int pw = c.Pen().Width();
    c.Pen().SetColor(clRed);
    c.Pen().SetWidth(1);
    int x = (x0 / 2) * 2;
    int p = x % 4 == 0 ? 2 : 0;
    c.MoveTo(x, bottom + p - 1);
    for (; x < x1; x += 2) {
        p = p == 0 ? 2 : 0;
        c.LineTo(x + 2, bottom + p - 1);
    }
    c.Pen().SetColor(pc);
    c.Pen().SetWidth(pw);
}

void TRenderer::Control(bool measuring, const std::string& tag, const TRect& box, int& left, int top, int bottom,
                        TLineMetrics& m, bool& breakBefore, bool& controlHit)
{
    std::string type, id, value, width, height, prop, maxLen;
    ParseHTMLControlTag(tag.substr(std::min<size_t>(8, tag.size())), type, id, value, width, height, prop,
                        maxLen);
    if (width.empty()) return;
    int h = 25;
    if (int v; TryStrToInt(height, v)) h = std::clamp(v, 0, kMaxSize);
    int w = LeadingNumber(width, 0, kMaxSize);
    const int gh = GhHeight();
    int r = gh + 10;
    const bool box16 = type == "CHECK" || type == "RADIO";
    if (box16) w = 16;
    if (type == "BUTTON" || type == "COMBO") r = 25;
    if (box16) r = 16;

    // A control that does not fit after something else starts the next line.
    const int boxWidth = box.Right - box.Left;
    if (w < boxWidth && boxWidth < m.width + w) {
        breakBefore = true;
        return;
    }

    int lh = box16 ? 16 : 23;
    if (h > 25) lh = h - 2;
    m.height = std::max(m.height, lh);

    if (!measuring) {
        const TPen pen = c.Pen();
        const TBrush brush = c.Brush();
        const TFont font = c.Font();
        const TColor frame = themes ? TColor(0xB99D7F) : clGray;
        auto pointIn = [&](int x0, int x1, int y0, int y1) {
            return x0 < a.HitX && a.HitX < x1 && y0 < a.HitY && a.HitY < y1;
        };
        auto themed = [&](const char* cls, int part, int state, const TRect& rc) {
            HTHEME th = OpenThemeData(a.OwnerWindow, cls);
            const bool ok = th && DrawThemeBackground(th, c, part, state, rc);
            if (th) CloseThemeData(th);
            return ok;
        };
        const bool ticked = UpperCase(value) == "TRUE";
        const int frameTop = bottom - lh + 4;
        if (type == "EDIT" || type == "PASSWORD" || type == "MASK" || type == "COMBO") {
            c.Pen().SetColor(frame);
            c.Pen().SetWidth(1);
            c.Brush().SetColor(clWhite);
            c.Rectangle(left, frameTop, left + w, bottom + 2);
            c.Font().SetStyle({});
            std::string shown = value;
            if (type == "PASSWORD") shown = std::string(size_t(Utf8Length(value)), '*');
            TRect tr = type == "COMBO" ? Rect(left + 4, frameTop, left + w - 18, bottom)
                                       : Rect(left + 2, frameTop, left + w, bottom);
            DrawTextEx(c, shown, tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            if (type == "COMBO") {
                const TRect br = Rect(left + w - 18, bottom - lh + 5, left + w - 1, bottom + 1);
                const bool hot = pointIn(left - 2, left + w - 2, bottom - r - 2, bottom - 2);
                if (!themes || !themed("combobox", CP_DROPDOWNBUTTON, hot ? CBXS_HOT : CBXS_NORMAL, br))
                    DrawFrameControl(c, br, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
            }
        } else if (box16) {
            const bool check = type == "CHECK";
            const TRect br = check ? Rect(left + 2, bottom - 15, left + 15, bottom)
                                   : Rect(left + 2, bottom - 14, left + 14, bottom);
            const int part = check ? BP_CHECKBOX : BP_RADIOBUTTON;
            if (!themes || !themed("button", part, ticked ? 5 : 1, br)) {
                unsigned state = DFCS_FLAT | (ticked ? DFCS_CHECKED : 0) | (check ? 0 : DFCS_BUTTONRADIO);
                DrawFrameControl(c, br, DFC_BUTTON, state);
            }
        } else if (type == "BUTTON") {
            const TRect br = Rect(left + 2, bottom - h, left + w - 2, bottom);
            const bool hot = pointIn(left - 2, left + w - 2, bottom - 26, bottom - 2);
            const int state = a.MouseDown ? PBS_PRESSED : hot ? PBS_HOT : PBS_NORMAL;
            if (!themes || !themed("button", BP_PUSHBUTTON, state, br))
                DrawFrameControl(c, br, DFC_BUTTON, DFCS_BUTTONPUSH | (hot && a.MouseDown ? DFCS_PUSHED : 0));
            TRect tr = Rect(br.Left + 2, br.Top + 2, br.Right - 2, br.Bottom - 2);
            c.Brush().SetStyle(bsClear);
            DrawTextEx(c, value, tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        }
        c.Pen().Assign(pen);
        c.Brush().Assign(brush);
        c.Font().Assign(font);
    }

    // The point on the control, or the control asked for by its ID. While
    // drawing the control lies at the drawing position.
    const int x0 = measuring ? box.Left + m.width : left;
    if ((x0 < a.HitX && a.HitX < x0 + w && top < a.HitY && a.HitY < top + r) ||
        (a.LocateControl && id == a.ControlId)) {
        controlHit = true;
        a.HitAnchor = "ctrl";
        a.ControlBounds = Rect(x0, top, x0 + w, top + r);
        a.ControlValue = value;
        a.ControlId = id;
        a.ControlType = type;
    }

    m.width += w;
    left += w;
    m.height = std::max(m.height, r);
}

// A picture by name from the container, or by address from the cache (a
// new address adds one picture, loaded once; web addresses stay empty).
THTMLPicture* TRenderer::NamedPicture(const std::string& source)
{
    THTMLPicture* pic = nullptr;
    if (source.find(':') == std::string::npos && a.Pictures) pic = a.Pictures->FindPicture(source);
    if (source.find("://") != std::string::npos && a.PictureCache) {
        if (!a.PictureCache->FindPicture(source)) {
            THTMLPicture* added = a.PictureCache->AddPicture();
            added->SetAsynch(false);
            added->SetID(source);
            try {
                added->LoadFromURL(source);
            } catch (const EHTMLPictureError&) {
                // Undecodable bytes: the picture draws nothing.
            }
        }
        pic = a.PictureCache->FindPicture(source);
    }
    if (pic && (pic->Empty() || pic->Width() <= 0 || pic->Height() <= 0)) return nullptr;
    return pic;
}

void TRenderer::PageBackground(const std::string& tag)
{
    const size_t at = PictureAttrAt(tag, "BACKGROUND");
    if (at == std::string::npos) return;
    THTMLPicture* pic = NamedPicture(QuotedAfter(tag, at));
    if (!pic) return;
    const int pw = pic->Width(), ph = pic->Height();
    c.SaveState();
    c.IntersectClipRect(bounds);
    for (int y = bounds.Top; y < bounds.Bottom; y += ph)
        for (int x = bounds.Left; x < bounds.Right; x += pw) pic->Draw(c, Rect(x, y, x + pw, y + ph));
    c.RestoreState();
}

void TRenderer::Picture(bool measuring, const std::string& tag, const TRect& box, int& left, int top,
                        TLineMetrics& m, bool& breakBefore, bool& controlHit)
{
    const bool drawing = !measuring;
    const int number = flow.pictures + 1;
    // The source as written: names and paths keep their case (container
    // names compare ignoring case anyway).
    std::string source = PictureAttr(tag, "SRC");
    if (const size_t alt = PictureAttrAt(tag, "ALT"); alt != std::string::npos && number == hoveredPicture)
        source = QuotedAfter(tag, alt);
    const int w = LeadingNumber(PictureAttr(tag, "WIDTH"), 0, kMaxSize);
    const int h = LeadingNumber(PictureAttr(tag, "HEIGHT"), 0, kMaxSize);
    const std::string up = UpperCase(source);

    enum { kNone, kImage, kIcon, kPicture } kind = kNone;
    int boxW = 0, boxH = 0;
    int index = -1;
    TBitmap icon;
    THTMLPicture* pic = nullptr;
    int dw = 0, dh = 0;
    if (up.find("IDX:") != std::string::npos) {
        if (a.Images && TryStrToInt(Trim(source.substr(std::min<size_t>(4, source.size()))), index) &&
            index >= 0 && index < a.Images->Count()) {
            kind = kImage;
            boxW = FromScreenPixels(a.Images->Width());
            boxH = FromScreenPixels(a.Images->Height());
        }
    } else if (up.find("SSYS:") != std::string::npos || up.find("LSYS:") != std::string::npos) {
        if (ShellIcon(source.substr(std::min<size_t>(5, source.size())), up.find("LSYS:") != std::string::npos,
                      icon)) {
            kind = kIcon;
            boxW = FromScreenPixels(icon.Width());
            boxH = FromScreenPixels(icon.Height());
        }
    } else if ((pic = NamedPicture(source)) != nullptr) {
        kind = kPicture;
        const double pw = pic->Width(), ph = pic->Height();
        if (w > 0 && h > 0) {
            dw = w;
            dh = h;
        } else if (w > 0) {
            dw = w;
            dh = int(std::clamp(std::lround(ph * w / pw), 0L, long(kMaxSize)));
        } else if (h > 0) {
            dw = int(std::clamp(std::lround(pw * h / ph), 0L, long(kMaxSize)));
            dh = h;
        } else {
            dw = pic->Width();
            dh = pic->Height();
        }
        const bool sized = w > 0 || h > 0;
        boxW = FromScreenPixels(sized ? dw : pic->MaxWidth());
        boxH = FromScreenPixels(sized ? dh : pic->MaxHeight());
    }
    // A missing or undrawable picture draws nothing and takes no room.
    if (kind == kNone) return;

    // A picture that does not fit after something else starts the next line.
    const int boxWidth = box.Right - box.Left;
    if (boxW < boxWidth && boxWidth < m.width + boxW) {
        breakBefore = true;
        return;
    }
    flow.pictures = number;

    if (drawing) {
        auto scaled = [&](int v) { return int(std::lround(v * a.PrintScale)); };
        switch (kind) {
        case kImage:
            if (!a.Printing) {
                a.Images->Draw(c, left, top, index);
            } else {
                const TBitmap& img = a.Images->Image(index);
                c.StretchDraw(Rect(left, top, left + scaled(img.Width()), top + scaled(img.Height())), img);
            }
            break;
        case kIcon:
            if (!a.Printing)
                c.Draw(left, top, icon);
            else
                c.StretchDraw(Rect(left, top, left + scaled(icon.Width()), top + scaled(icon.Height())), icon);
            break;
        case kPicture:
            if (w > 0 || h > 0) {
                pic->SetStretch(true);
                pic->Draw(c, Rect(left, top, left + dw, top + dh));
            } else if (pic->FrameCount() > 1) {
                // An animation frame on the area of the whole animation.
                const TPen pen = c.Pen();
                const TBrush brush = c.Brush();
                c.Pen().SetColor(startBrushColor);
                c.Brush().SetColor(startBrushColor);
                c.FillRect(Rect(left, top, left + pic->MaxWidth(), top + pic->MaxHeight()));
                c.Pen().Assign(pen);
                c.Brush().Assign(brush);
                const int x = left + pic->FrameXPos(), y = top + pic->FrameYPos();
                pic->Draw(c, Rect(x, y, x + pic->Width(), y + pic->Height()));
            } else {
                pic->Draw(c, Rect(left, top, left + pic->Width(), top + pic->Height()));
            }
            break;
        case kNone: break;
        }
    }

    // A picture inside an anchor under the point (while drawing it lies at
    // the drawing position).
    const int x0 = measuring ? box.Left + m.width : left;
    if (flow.anchorActive && x0 < a.HitX && a.HitX < x0 + boxW && top < a.HitY && a.HitY < top + boxH) {
        controlHit = true;
        a.HitAnchor = flow.href;
        a.HitTitle = flow.title;
        hoveredPicture = number;
    }

    m.width += boxW;
    left += boxW;
    m.height = std::max(m.height, boxH);
    const std::string align = UpperCase(PictureAttr(tag, "ALIGN"));
    if (align.rfind("TOP", 0) == 0)
        m.pictureDescent = m.height - GhHeight();
    else if (align.rfind("MIDDLE", 0) == 0)
        m.pictureDescent = (m.height - GhHeight()) / 2;
}

void TRenderer::Tag(bool measuring, const std::string& tag, bool closing, char letter, char next, const TRect& box,
                    int& left, int& right, int top, int bottom, TLineMetrics& m, bool& lineEnds, bool& breakBefore,
                    bool& listItemSeen, bool& controlHit)
{
    const bool drawing = !measuring;
    const bool complete = tag.find('>') != std::string::npos;
    TFont& f = c.Font();
    auto style = [&](TFontStyle s, bool on) {
        TFontStyles st = f.Style();
        if (on)
            st.Include(s);
        else
            st.Exclude(s);
        f.SetStyle(st);
    };
    const std::string up = UpperCase(tag);

    switch (letter) {
    case 'A':
        if (!closing) {
            const int number = flow.anchors + 1;
            const bool hovered = number == a.HoverAnchorNumber;
            if (drawing && number - 1 == a.FocusAnchorIndex) {
                focusOpen = true;
                focus.Left = left;
                focus.Top = top;
            }
            flow.anchors = number;
            if (drawing && (!a.HoverOnlyUnderline || hovered)) {
                style(fsUnderline, true);
                anchorSaved = true;
                anchorBrush = BrushNow();
                anchorText = f.Color();
                if (a.HoverBackColor != clNone) SetBrush(a.HoverBackColor);
                if (a.HoverTextColor != clNone) f.SetColor(a.HoverTextColor);
            }
            if (!a.Selected && (a.HoverTextColor == clNone || !hovered || !a.HoverOnlyUnderline))
                f.SetColor(a.AnchorColor);
            const size_t hrefAt = FindNoCase(tag, "HREF");
            flow.anchorActive = hrefAt != std::string::npos;
            flow.href = QuotedAfter(tag, hrefAt);
            flow.title = Attr(tag, "TITLE");
            anchorStart = m.width;
            anchorOnThisLine = true;
        } else {
            const bool hovered = flow.anchors == a.HoverAnchorNumber;
            if (drawing && anchorSaved && (!a.HoverOnlyUnderline || hovered)) {
                style(fsUnderline, false);
                if (a.HoverBackColor != clNone) SetBrush(anchorBrush);
                if (a.HoverTextColor != clNone) f.SetColor(anchorText);
                anchorSaved = false;
            }
            if (!a.Selected) f.SetColor(startFont.Color());
            flow.anchorActive = false;
            if (measuring && hoverPending) {
                a.HoverBounds = Rect(box.Left + (anchorOnThisLine ? anchorStart : 0), top, box.Left + m.width,
                                     bottom);
                a.HitAnchorNumber = flow.anchors;
                hoverPending = false;
            }
            if (drawing && focusOpen) {
                focus.Right = left;
                focus.Bottom = bottom - m.pictureDescent;
                focus.Top = focus.Bottom - GhHeight();
                TRect r = focus;
                InflateRect(r, 1, 1);
                c.DrawFocusRect(r);
                focusOpen = false;
            }
        }
        break;
    case 'B':
        if (closing) {
            if (tag.size() > 3 && tag[3] == '>')
                style(fsBold, false);
            else
                f.SetColor(startFont.Color());
        } else if (next == 'R') {
            lineEnds = true;
            if (firstPass) a.PlainText += '\r';
        } else if (next == 'L') {
            if (!a.BlinkVisible) f.SetColor(startBrushColor);
        } else if (next == 'O') {
            if (drawing) {
                const std::string v = UpperCase(Attr(tag, "BGCOLOR"));
                TColor col = clNone;
                if (v.find("CL") != std::string::npos)
                    col = HTMLColorNameToColor(v);
                else if (v.find('#') != std::string::npos)
                    col = HTMLHexToColor(v.substr(v.find('#')));
                if (col != clNone) {
                    c.Brush().SetColor(col);
                    c.FillRect(bounds);
                }
                PageBackground(tag);
            }
        } else {
            style(fsBold, true);
        }
        break;
    case 'C':
        if (!closing && up.compare(0, 8, "<CONTROL") == 0)
            Control(measuring, tag, box, left, top, bottom, m, breakBefore, controlHit);
        break;
    case 'E': flow.errorMark = !closing; break;
    case 'F':
        if (closing) {
            f.SetName(startFont.Name());
            f.SetHeight(startFont.Height());
            if (drawing && !a.Selected) {
                f.SetColor(startFont.Color());
                SetBrush(fontBgSaved);
            }
        } else if (complete) {
            if (const size_t at = FindNoCase(tag, "FACE"); at != std::string::npos) {
                const std::string face = QuotedAfter(tag, at);
                if (!face.empty()) f.SetName(face);
            }
            if (const size_t at = FindNoCase(tag, " COLOR"); at != std::string::npos && !a.Selected)
                f.SetColor(ColorValue(QuotedAfter(tag, at)));
            if (const size_t at = FindNoCase(tag, "BGCOLOR"); at != std::string::npos && drawing && !a.Selected) {
                fontBgSaved = BrushNow();
                c.Brush().SetColor(ColorValue(QuotedAfter(tag, at)));
            }
            if (const size_t at = FindNoCase(tag, "SIZE"); at != std::string::npos) {
                static const int kSizes[] = {8, 10, 12, 14, 16};
                int size = FontSizeValue(tag, at);
                size = size >= 1 && size <= 5 ? kSizes[size - 1] : size;
                f.SetSize(std::clamp(size, kMinFontSize, kMaxFontSize));
            }
        }
        break;
    case 'H':
        if (closing) {
            if (drawing && hiSaved) {
                f.SetColor(hiText);
                SetBrush(hiBrush);
                hiSaved = false;
            }
        } else if (next == 'R') {
            lineEnds = true;
            if (drawing) {
                const TColor pc = c.Pen().Color();
                const int pw = c.Pen().Width();
                c.Pen().SetColor(clBlack);
                c.Pen().SetWidth(1);
                c.MoveTo(box.Left, bottom + 1);
                c.LineTo(box.Right, bottom + 1);
                c.Pen().SetColor(pc);
                c.Pen().SetWidth(pw);
            }
        } else if (next == 'I') {
            if (drawing) {
                hiSaved = true;
                hiText = f.Color();
                hiBrush = BrushNow();
                c.Brush().SetColor(HTMLHighlightColor());
                f.SetColor(HTMLHighlightTextColor());
            }
        }
        break;
    case 'I':
        if (closing) {
            style(fsItalic, false);
        } else if (next == 'N') {
            size_t x = tag.find_first_of("xX");
            const int v = LeadingNumber(QuotedAfter(tag, x), 0, kMaxSize);
            if (x != std::string::npos && v > m.width) {
                m.width = v;
                left = bounds.Left + v;
            }
        } else if (next == 'M') {
            Picture(measuring, tag, box, left, top, m, breakBefore, controlHit);
        } else {
            style(fsItalic, true);
        }
        break;
    case 'L':
        if (closing) {
            lineEnds = true;
        } else if (next == 'I') {
            if (listItemSeen) {
                breakBefore = true;
                break;
            }
            listItemSeen = true;
            m.width += flow.listLevel * kListIndent;
            left += flow.listLevel * kListIndent - kListIndent;
            if (drawing) {
                // A bullet for odd levels, a circle for even ones.
                const TBrush brush = c.Brush();
                c.Brush().SetStyle(bsClear);
                c.TextOut(left, top, flow.listLevel % 2 == 1 ? "\u2022" : "o");
                c.Brush().Assign(brush);
            }
            left += kListIndent;
        }
        break;
    case 'P':
        if (closing) {
            lineEnds = true;
            if (drawing) SetBrush(paraBgSaved);
            flow.paraBackground = false;
        } else if (complete) {
            const std::string al = UpperCase(Attr(tag, "ALIGN"));
            if (al.find("RIGHT") != std::string::npos) flow.align = alRight;
            if (al.find("LEFT") != std::string::npos) flow.align = alLeft;
            if (al.find("CENTER") != std::string::npos) flow.align = alCenter;
            if (const size_t at = FindNoCase(tag, "INDENT"); at != std::string::npos)
                flow.indent = LeadingNumber(QuotedAfter(tag, at), 0, kMaxSize);
            if (const size_t at = FindNoCase(tag, "BGCOLOR"); at != std::string::npos && drawing) {
                const std::string v = UpperCase(QuotedAfter(tag, at));
                const TColor col = v.empty() ? clNone : ColorValue(v);
                paraBgSaved = BrushNow();
                if (col != clNone) {
                    c.Brush().SetColor(col);
                    c.Pen().SetColor(col);
                    c.FillRect(Rect(bounds.Left, top, bounds.Right, bottom));
                    flow.paraBackground = true;
                }
            }
        }
        break;
    case 'R':
        if (closing) {
            f.SetOrientation(startFont.Orientation());
        } else {
            const size_t at = tag.find_first_of("aA", 2);
            if (at != std::string::npos) f.SetOrientation(AngleValue(QuotedAfter(tag, at)) * 10);
        }
        break;
    case 'S':
        if (next == 'H') {
            flow.shadow = !closing;
        } else if (next == 'U') {
            if (closing) {
                flow.sub = flow.sup = false;
            } else if (up.compare(0, 5, "<SUB>") == 0) {
                flow.sub = true;
            } else if (up.compare(0, 5, "<SUP>") == 0) {
                flow.sup = true;
            }
        } else {
            style(fsStrikeOut, !closing);
        }
        break;
    case 'U':
        if (next == 'L') {
            if (!closing) {
                ++flow.listLevel;
                lineEnds = true;
            } else if (flow.listLevel > 0) {
                --flow.listLevel;
            } else {
                style(fsUnderline, false);
            }
        } else {
            style(fsUnderline, !closing);
        }
        break;
    case 'Z': flow.hidden = !closing; break;
    default: break;
    }
    (void)right;
}

bool TRenderer::Line(bool measuring, std::string& text, const TRect& box, TLineMetrics& m, std::string& lineSource,
                     bool& anchorHit, bool& controlHit)
{
    const bool drawing = !measuring;
    int left = box.Left, right = box.Right;
    const int top = box.Top;
    const int bottom = box.Bottom - m.subRoom;
    const int boxWidth = box.Right - box.Left;
    bool lineEnds = false, breakBefore = false, listItemSeen = false;
    std::string lineText;
    int trailingSpace = 0;
    int chunks = 0;
    m.width = 0;
    anchorHit = controlHit = false;
    anchorOnThisLine = false;

    if (drawing && flow.paraBackground) {
        c.Pen().SetColor(c.Brush().Color());
        c.FillRect(Rect(bounds.Left, top, bounds.Right, top + m.height));
    }

    while (!text.empty() && !lineEnds && !breakBefore) {
        const size_t lt = text.find('<');
        const size_t sp = a.WordWrap ? text.find(' ') : std::string::npos;
        size_t len;
        if (lt != std::string::npos && (sp == std::string::npos || sp > lt))
            len = lt;
        else if (sp != std::string::npos)
            len = sp + 1;
        else
            len = text.size();
        const std::string source = text.substr(0, len);
        std::string chunk = ReplaceAllNoCase(source, "&nbsp;", " ");
        chunk = ReplaceAllNoCase(chunk, "&lt;", "<");
        chunk = ReplaceAllNoCase(chunk, "&gt;", ">");

        bool skip = false;
        if (!chunk.empty()) {
            const int h = c.TextHeight(chunk);
            if (flow.sub) m.subRoom = std::max(m.subRoom, h / 4);
            if (flow.sup) m.supRoom = std::max(m.supRoom, h / 4);
            m.height = std::max(m.height, h);
            if (firstPass) a.PlainText += chunk;
            if (flow.hidden) {
                text.erase(0, len);
                skip = true;
            }
        }
        if (!skip) {
            int w = 0;
            if (measuring) {
                w = chunk.empty() ? 0 : ChunkWidth(chunk, Rect(left, top, right, bottom));
                m.width += w;
                const int x = rtlReading ? right - a.HitX : a.HitX;
                if (flow.anchorActive && a.HitX - box.Left >= m.width - w && m.width >= x - box.Left) {
                    anchorHit = true;
                    if (top < a.HitY) {
                        a.HitAnchor = flow.href;
                        a.HitTitle = flow.title;
                        hoverPending = true;
                    }
                }
            } else if (!chunk.empty()) {
                int b = bottom;
                if (flow.sup) b -= m.supRoom;
                if (flow.sub) b += m.subRoom;
                b -= m.pictureDescent;
                if (flow.shadow) {
                    const TColor keep = c.Font().Color();
                    c.Font().SetColor(a.ShadowColor);
                    TRect sr = Rect(left + a.ShadowOffset, top + a.ShadowOffset, right + a.ShadowOffset,
                                    b + a.ShadowOffset);
                    DrawTextEx(c, chunk, sr, textFlags);
                    c.Font().SetColor(keep);
                }
                TRect r = Rect(left, top, right, b);
                DrawTextEx(c, chunk, r, textFlags);
                const int cw = ChunkWidth(chunk, r);
                const int chunkLeft = (textFlags & DT_RIGHT) ? right - cw : left;
                if (focusOpen) a.FocusedHref = flow.href;
                if (flow.errorMark) ZigZag(chunkLeft, chunkLeft + cw, b);
                if (textFlags & DT_RIGHT)
                    right -= cw;
                else
                    left += cw;
            }

            bool fits = m.width < boxWidth || w >= boxWidth;
            if (!fits && !lineText.empty() && lineText.back() != ' ') fits = true;
            lineText += chunk;
            if (fits || !a.WordWrap) {
                lineSource += source;
                text.erase(0, len);
                if (measuring && !a.WordWrap && !fits && chunks > 0) text.clear();
                trailingSpace = !chunk.empty() && chunk.back() == ' ' && chunk.size() == source.size()
                                    ? c.TextWidth(" ")
                                    : 0;
            } else {
                lineEnds = true;
                m.width -= w;
            }
            if (!chunk.empty()) ++chunks;
        }

        if (!text.empty() && text[0] == '<' && text.size() <= 2) text.clear();
        if (lineEnds || text.empty() || text[0] != '<') continue;

        if (text.size() < 3) {
            text.clear();
            continue;
        }
        const bool closing = text[1] == '/' && text.size() > 3;
        const char letter = char(std::toupper(static_cast<unsigned char>(closing ? text[2] : text[1])));
        const size_t li = closing ? 3 : 2;
        const char next = li < text.size() ? char(std::toupper(static_cast<unsigned char>(text[li]))) : '\0';
        const size_t gt = text.find('>');
        const std::string tag = gt == std::string::npos ? text : text.substr(0, gt + 1);
        Tag(measuring, tag, closing, letter, next, box, left, right, top, bottom, m, lineEnds, breakBefore,
            listItemSeen, controlHit);
        if (gt == std::string::npos) {
            text.clear();
        } else if (!breakBefore) {
            lineSource += tag;
            text.erase(0, gt + 1);
        }
    }

    m.width -= trailingSpace;
    a.ExtentWidth = std::max(a.ExtentWidth, m.width);
    a.AnchorCount = std::max(a.AnchorCount, flow.anchors);

    if (drawing && focusOpen) {
        focus.Right = left;
        focus.Bottom = bottom;
        TRect r = focus;
        InflateRect(r, 1, 1);
        c.DrawFocusRect(r);
        focus.Left = box.Left + 1;
        focus.Top = r.Bottom;
    }
    return anchorHit || controlHit;
}

}  // namespace

TColor HTMLHexToColor(const std::string& s)
{
    auto pair = [&](size_t i) {
        if (i + 1 >= s.size()) return 0;
        auto digit = [](char ch) { return int(static_cast<unsigned char>(ch)) < 'A' ? ch - 48 : ch - 55; };
        return std::clamp(digit(s[i]) * 16 + digit(s[i + 1]), 0, 255);
    };
    return RGB(pair(1), pair(3), pair(5));
}

TColor HTMLColorNameToColor(const std::string& s)
{
    struct TName {
        const char* name;
        TColor color;
    };
    static const TName kNames[] = {
        {"clred", clRed},
        {"clblack", clBlack},
        {"clblue", clBlue},
        {"clgreen", clGreen},
        {"claqua", clAqua},
        {"clyellow", clYellow},
        {"clfuchsia", clFuchsia},
        {"clwhite", clWhite},
        {"cllime", clLime},
        {"clsilver", clSilver},
        {"clgray", clGray},
        {"clolive", clOlive},
        {"clnavy", clNavy},
        {"clpurple", clPurple},
        {"clteal", clTeal},
        {"clmaroon", clMaroon},
        {"clbackground", clBackground},
        {"clactivecaption", clActiveCaption},
        {"clinactivecaption", clInactiveCaption},
        {"clmenu", clMenu},
        {"clwindow", clWindow},
        {"clwindowframe", clWindowFrame},
        {"clmenutext", clMenuText},
        {"clwindowtext", clWindowText},
        {"clcaptiontext", clCaptionText},
        {"clactiveborder", clActiveBorder},
        {"clinactiveborder", clInactiveBorder},
        {"clappworkspace", clAppWorkSpace},
        {"clhighlight", clHighlight},
        {"clhighlighttext", clHighlightText},
        {"clbtnface", clBtnFace},
        {"clbtnshadow", clBtnShadow},
        {"clgraytext", clGrayText},
        {"clbtntext", clBtnText},
        {"clinactivecaptiontext", clInactiveCaptionText},
        {"clbtnhighlight", clBtnHighlight},
        {"cl3ddkshadow", cl3DDkShadow},
        {"cl3dlight", cl3DLight},
        {"clinfotext", clInfoText},
        {"clinfobk", clInfoBk},
    };
    const std::string low = LowerCase(s);
    for (const auto& n : kNames)
        if (low == n.name) return n.color;
    return clBlack;
}

bool DrawHTMLText(TCanvas& Canvas, const std::string& Source, const TRect& Bounds, THTMLDrawArgs& Args)
{
    THTMLDrawArgs& a = Args;
    a.HitAnchor.clear();
    a.PlainText.clear();
    a.FocusedHref.clear();
    a.HitTitle.clear();
    a.ControlValue.clear();
    a.ControlType.clear();
    if (!a.LocateControl) a.ControlId.clear();
    a.ExtentWidth = a.ExtentHeight = a.AnchorCount = 0;
    a.HitAnchorNumber = -1;
    a.ControlBounds = TRect{};

    // Preparation.
    const TPen startPen = Canvas.Pen();
    const TBrush startBrush = Canvas.Brush();
    TRenderer R(Canvas, Bounds, a);
    R.measureFont = R.startFont;
    R.drawFont = R.startFont;
    Canvas.Brush().SetStyle(bsClear);
    Canvas.SetBkMode(bkTransparent);
    R.themes = CheckWinXPOrLater() && IsThemeActive();
    R.textFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
    if (!a.WordWrap) R.textFlags |= DT_END_ELLIPSIS;
    if (SysLocaleMiddleEast() && a.BiDiMode != bdLeftToRight) {
        R.textFlags |= DT_RTLREADING;
        R.rtlReading = true;
        if (a.BiDiMode == bdRightToLeft) {
            if (R.textFlags & DT_RIGHT)
                R.textFlags &= ~DT_RIGHT;
            else if (!(R.textFlags & DT_CENTER))
                R.textFlags |= DT_RIGHT;
        }
    }

    // Signs in the text; tags keep their attribute values as written (the
    // values' entities are decoded where they are read).
    std::string text;
    for (size_t p = 0; p < Source.size();) {
        const size_t lt = Source.find('<', p);
        const size_t gt = lt == std::string::npos ? lt : Source.find('>', lt);
        if (gt == std::string::npos) {
            text += DecodeSigns(Source.substr(p, lt == std::string::npos ? lt : lt - p));
            if (lt != std::string::npos) text.append(Source, lt, std::string::npos);
            break;
        }
        text += DecodeSigns(Source.substr(p, lt - p));
        text.append(Source, lt, gt + 1 - lt);
        p = gt + 1;
    }
    // Unexpanded footer placeholders show as text: "<#3>" becomes "#3".
    for (size_t p = 0; (p = text.find("<#", p)) != std::string::npos;) {
        text.erase(p, 1);
        const size_t gt = text.find('>', p);
        if (gt != std::string::npos) text.erase(gt, 1);
    }
    {
        std::string t;
        t.reserve(text.size());
        for (char ch : text) {
            if (ch == '\r')
                t += "<BR>";
            else if (ch != '\n')
                t += ch;
        }
        text.swap(t);
    }

    // Line loop.
    bool result = false;
    TRect run = Bounds;
    run.Left += 1;
    while (!text.empty()) {
        Canvas.Font().Assign(R.measureFont);
        const int gh = R.GhHeight();
        TLineMetrics m;
        m.height = gh;
        R.flow.sub = R.flow.sup = false;
        const TFlow start = R.flow;
        const TFont drawStart = R.drawFont;
        const std::string hitAnchor = a.HitAnchor, hitTitle = a.HitTitle;
        const TRect hoverBounds = a.HoverBounds;
        const int hitNumber = a.HitAnchorNumber;
        const bool hoverPending = R.hoverPending;
        const size_t before = text.size();

        std::string lineSource;
        bool anchorHit = false, controlHit = false;
        R.firstPass = true;
        R.Line(true, text, run, m, lineSource, anchorHit, controlHit);
        R.firstPass = false;
        R.measureFont.Assign(Canvas.Font());
        if (text.size() == before) {
            // Nothing was consumed: drop one character so the loop ends.
            text.erase(0, size_t(Utf8CharLength(text, 0)));
        }

        TRect box = run;
        if (R.flow.align == alRight && run.Right - m.width > run.Left)
            box.Left = run.Right - m.width;
        else if (R.flow.align == alCenter && run.Right - run.Left - m.width > 0)
            box.Left = run.Left + (run.Right - run.Left - m.width) / 2;
        box.Left += R.flow.indent;
        box.Bottom = box.Top + m.height + m.subRoom + m.supRoom;

        bool hitC = false;
        if (!a.MeasureOnly) {
            R.flow = start;
            Canvas.Font().Assign(drawStart);
            TLineMetrics dm = m;
            std::string source = lineSource, unused;
            bool hitA = false;
            R.Line(a.LocateControl, source, box, dm, unused, hitA, hitC);
            R.drawFont.Assign(Canvas.Font());
            const int lineBottom = box.Bottom - m.pictureDescent;
            if ((hitA && lineBottom - gh < a.HitY && a.HitY < lineBottom) || hitC) result = true;
        }
        // An anchor only counts for a point within its line's height.
        if (a.HitY >= box.Bottom && !controlHit && !hitC) {
            a.HitAnchor = hitAnchor;
            a.HitTitle = hitTitle;
            a.HoverBounds = hoverBounds;
            a.HitAnchorNumber = hitNumber;
            R.hoverPending = hoverPending;
        }

        run.Top += m.height + m.subRoom + m.supRoom;
        a.ExtentHeight += m.height + m.subRoom + m.supRoom;
        if (!a.MeasureOnly && run.Top + gh > run.Bottom) break;
    }

    if (a.ExtentHeight == 0) a.ExtentHeight = R.GhHeight();
    Canvas.Pen().SetColor(startPen.Color());
    Canvas.Pen().SetWidth(startPen.Width());
    Canvas.Brush().Assign(startBrush);
    Canvas.Font().Assign(R.startFont);
    return a.MeasureOnly ? false : result;
}

bool DrawHTMLText(TCanvas& Canvas, const std::string& Source, const TRect& Bounds, TCustomImageList* Images,
                  int HitX, int HitY, int FocusAnchorIndex, int HoverAnchorNumber, int ShadowOffset,
                  bool LocateControl, bool MeasureOnly, bool Printing, bool Selected, bool BlinkVisible,
                  bool HoverOnlyUnderline, bool WordWrap, bool MouseDown, double PrintScale, TColor AnchorColor,
                  TColor HoverBackColor, TColor HoverTextColor, TColor ShadowColor, std::string& HitAnchor,
                  std::string& PlainText, std::string& FocusedHref, std::string& HitTitle, int& ExtentWidth,
                  int& ExtentHeight, int& AnchorCount, int& HitAnchorNumber, TRect& HoverBounds,
                  TRect& ControlBounds, std::string& ControlId, std::string& ControlValue,
                  std::string& ControlType, THTMLPictureCache* PictureCache, TPictureContainer* Pictures,
                  void* OwnerWindow, TBiDiMode BiDiMode)
{
    THTMLDrawArgs a;
    a.Images = Images;
    a.HitX = HitX;
    a.HitY = HitY;
    a.FocusAnchorIndex = FocusAnchorIndex;
    a.HoverAnchorNumber = HoverAnchorNumber;
    a.ShadowOffset = ShadowOffset;
    a.LocateControl = LocateControl;
    a.MeasureOnly = MeasureOnly;
    a.Printing = Printing;
    a.Selected = Selected;
    a.BlinkVisible = BlinkVisible;
    a.HoverOnlyUnderline = HoverOnlyUnderline;
    a.WordWrap = WordWrap;
    a.MouseDown = MouseDown;
    a.PrintScale = PrintScale;
    a.AnchorColor = AnchorColor;
    a.HoverBackColor = HoverBackColor;
    a.HoverTextColor = HoverTextColor;
    a.ShadowColor = ShadowColor;
    a.PictureCache = PictureCache;
    a.Pictures = Pictures;
    a.OwnerWindow = OwnerWindow;
    a.BiDiMode = BiDiMode;
    a.ControlId = ControlId;
    a.HoverBounds = HoverBounds;
    const bool r = DrawHTMLText(Canvas, Source, Bounds, a);
    HitAnchor = a.HitAnchor;
    PlainText = a.PlainText;
    FocusedHref = a.FocusedHref;
    HitTitle = a.HitTitle;
    ExtentWidth = a.ExtentWidth;
    ExtentHeight = a.ExtentHeight;
    AnchorCount = a.AnchorCount;
    HitAnchorNumber = a.HitAnchorNumber;
    HoverBounds = a.HoverBounds;
    ControlBounds = a.ControlBounds;
    ControlId = a.ControlId;
    ControlValue = a.ControlValue;
    ControlType = a.ControlType;
    return r;
}
