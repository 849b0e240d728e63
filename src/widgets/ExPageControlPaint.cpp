// Painting of TExPageControl in its owner-drawn mode (TabBorder3D False)
// and of TExTabSheet's background.

#include "widgets/ExPageControl.h"

#include "platform/Themes.h"

#include <algorithm>
#include <cmath>

namespace {

int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// Steps solid bands from From to To (pen and brush alike): band i has the
// colour From + round(i * (To - From) / Steps) per channel and runs from
// round(i * d) to round(i * d) + round(d) + 1 along the direction, d being
// the extent / Steps; bands stay inside R.
void BandGradient(TCanvas& C, TColor From, TColor To, int Steps, const TRect& R, bool Horizontal)
{
    if (IsRectEmpty(R)) return;
    Steps = std::max(1, Steps);
    const TColor f = ColorToRGB(From), t = ColorToRGB(To);
    const double d = (Horizontal ? R.Width() : R.Height()) / static_cast<double>(Steps);
    auto channel = [&](int a, int b, int i) { return std::clamp(a + RoundEven(i * (b - a) / double(Steps)), 0, 255); };
    C.Brush().SetStyle(bsSolid);
    for (int i = 0; i < Steps; ++i) {
        const TColor c = RGB(channel(GetRValue(f), GetRValue(t), i), channel(GetGValue(f), GetGValue(t), i),
                             channel(GetBValue(f), GetBValue(t), i));
        C.Pen().SetColor(c);
        C.Brush().SetColor(c);
        const int a = RoundEven(i * d);
        const int b = a + RoundEven(d) + 1;
        if (Horizontal) C.FillRect(Rect(R.Left + a, R.Top, std::min(R.Left + b, R.Right), R.Bottom));
        else C.FillRect(Rect(R.Left, R.Top + a, R.Right, std::min(R.Top + b, R.Bottom)));
    }
}

// A solid fill, or a 16-band gradient when ToColor is set.
void FillTab(TCanvas& C, TColor Color, TColor ColorTo, TGradientDirection Dir, const TRect& R)
{
    if (ColorTo != clNone) {
        BandGradient(C, Color == clNone ? ColorTo : Color, ColorTo, 16, R, Dir == gdHorizontal);
    } else if (Color != clNone) {
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(Color);
        C.FillRect(R);
    }
}

// Part of a bitmap as a bitmap of its own.
TBitmap Part(const TBitmap& B, const TRect& R)
{
    TBitmap src(B);
    TBitmap part(R.Width(), R.Height());
    part.Canvas().CopyRect(Rect(0, 0, R.Width(), R.Height()), src.Canvas(), R);
    part.Canvas().Flush();
    return part;
}

// The bitmap drawn along a tab in three slices (first half at the start,
// its two middle rows or columns stretched over the rest, second half at
// the end), its lower-left pixel's colour left out.
void DrawSlices(TCanvas& C, const TBitmap& B, const TRect& R, bool AlongVertical)
{
    if (B.Empty() || IsRectEmpty(R)) return;
    const TColor key = B.Pixel(0, B.Height() - 1);
    auto draw = [&](const TRect& src, const TRect& dst) {
        if (IsRectEmpty(src) || IsRectEmpty(dst)) return;
        TBitmap p = Part(B, src);
        p.SetTransparent(true);
        p.SetTransparentColor(key);
        C.StretchDraw(dst, p);
    };
    const int w = B.Width(), h = B.Height();
    if (AlongVertical) {
        const int half = h / 2;
        const int rest = std::max(0, R.Height() - h);
        draw(Rect(0, 0, w, half), Rect(R.Left, R.Top, R.Left + w, R.Top + half));
        draw(Rect(0, std::max(0, half - 1), w, std::min(h, half + 1)),
             Rect(R.Left, R.Top + half, R.Left + w, R.Top + half + rest));
        draw(Rect(0, half, w, h), Rect(R.Left, R.Top + half + rest, R.Left + w, R.Top + half + rest + (h - half)));
    } else {
        const int half = w / 2;
        const int rest = std::max(0, R.Width() - w);
        draw(Rect(0, 0, half, h), Rect(R.Left, R.Top, R.Left + half, R.Top + h));
        draw(Rect(std::max(0, half - 1), 0, std::min(w, half + 1), h),
             Rect(R.Left + half, R.Top, R.Left + half + rest, R.Top + h));
        draw(Rect(half, 0, w, h), Rect(R.Left + half + rest, R.Top, R.Left + half + rest + (w - half), R.Top + h));
    }
}

void Line(TCanvas& C, int x0, int y0, int x1, int y1)
{
    C.MoveTo(x0, y0);
    C.LineTo(x1, y1);
}

} // namespace

// --- TExTabSheet --------------------------------------------------------------------------------

void TExTabSheet::Paint()
{
    TCanvas& c = Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    if (FColorTo != clNone) {
        BandGradient(c, Color(), FColorTo, 64, r, false);
    } else {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }
}

// --- TExPageControl ------------------------------------------------------------------------------

void TExPageControl::Paint()
{
    TCustomTabControl::Paint();
    if (FTabBorder3D) return;
    TCanvas& c = Canvas();
    c.SaveState();
    PaintOwnerDrawn(c);
    c.RestoreState();
}

void TExPageControl::PaintOwnerDrawn(TCanvas& C)
{
    const int W = Width(), H = Height();
    const TTabPosition pos = TabPosition();
    const TRect page = PageRect();
    const int S = pos == tpTop ? page.Top : pos == tpBottom ? page.Bottom : pos == tpLeft ? page.Left : page.Right;

    // 1. Background of the tabs and of the strip.
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(Parent() ? Parent()->Color() : clBtnFace);
    C.Font().Assign(Font());
    int farEnd = 0; // the tabs' furthest extent along the strip
    for (TExTabSheet* p : FPages) {
        if (!p->FTabShowing) continue;
        TRect r = TabRect(p->TabIndex());
        switch (pos) {
        case tpTop: r.Top -= 2; break;
        case tpBottom: r.Bottom += 2; break;
        case tpLeft: r.Left -= 2; break;
        case tpRight: r.Right += 2; break;
        }
        C.FillRect(r);
        farEnd = std::max(farEnd, pos == tpLeft || pos == tpRight ? TabRect(p->TabIndex()).Bottom
                                                                   : TabRect(p->TabIndex()).Right);
    }
    C.Brush().SetColor(FTabBackGroundColor);
    switch (pos) {
    case tpTop: C.FillRect(Rect(0, 0, W, S)); break;
    case tpBottom: C.FillRect(Rect(0, S, W, H)); break;
    case tpLeft: C.FillRect(Rect(0, 0, S, H)); break;
    case tpRight: C.FillRect(Rect(S, 0, W, H)); break;
    }

    // 2. The page frame and the page border.
    TExTabSheet* active = FActivePage;
    const bool framed = active && (active->FColorTo != clNone || active->Color() != Color());
    if (framed) {
        C.SaveState();
        C.SetClipRect(page);
        TRect inner = page;
        InflateRect(inner, -4, -4);
        C.ExcludeClipRect(inner);
        if (active->FColorTo != clNone) BandGradient(C, active->Color(), active->FColorTo, 16, Rect(0, 0, W, H), false);
        else FillTab(C, active->Color(), clNone, gdVertical, page);
        C.RestoreState();
    }
    if (FTabSheet3D) {
        TRect r = page;
        DrawEdge(C, r, EDGE_RAISED, BF_RECT);
    } else {
        C.Pen().SetColor(FTabSheetBorderColor);
        switch (pos) {
        case tpLeft:
            Line(C, S, 0, S, H);
            Line(C, S, H - 2, W - 1, H - 2);
            Line(C, W - 2, 0, W - 2, H - 1);
            Line(C, S, 0, W - 1, 0);
            C.Pen().SetColor(Color());
            Line(C, S, H - 1, W, H - 1);
            Line(C, W - 1, 0, W - 1, H);
            break;
        case tpRight:
            Line(C, S - 1, 0, S - 1, H);
            Line(C, 0, H - 2, S, H - 2);
            Line(C, 0, 0, 0, H - 1);
            Line(C, 0, 0, S, 0);
            C.Pen().SetColor(Color());
            Line(C, 0, H - 1, S, H - 1);
            break;
        case tpTop:
            Line(C, 0, S, W, S);
            Line(C, W - 2, S, W - 2, H - 1);
            Line(C, 0, H - 2, W - 1, H - 2);
            Line(C, 0, S, 0, H - 1);
            C.Pen().SetColor(Color());
            Line(C, 0, H - 1, W, H - 1);
            Line(C, W - 1, S, W - 1, H);
            break;
        case tpBottom:
            Line(C, 0, S - 1, W, S - 1);
            Line(C, W - 2, 0, W - 2, S);
            Line(C, 0, 0, W - 1, 0);
            Line(C, 0, 0, 0, S);
            C.Pen().SetColor(Color());
            Line(C, W - 1, 0, W - 1, S);
            break;
        }
        if (FRoundEdges) {
            // The two corners next to the strip are cut by one pixel.
            C.Brush().SetColor(FTabBackGroundColor);
            auto dot = [&](int x, int y) { C.FillRect(Rect(x, y, x + 1, y + 1)); };
            switch (pos) {
            case tpTop: dot(0, S); dot(W - 2, S); break;
            case tpBottom: dot(0, S - 1); dot(W - 2, S - 1); break;
            case tpLeft: dot(S, 0); dot(S, H - 2); break;
            case tpRight: dot(S - 1, 0); dot(S - 1, H - 2); break;
            }
        }
        if (!FTabSplitLine && farEnd > 0) {
            C.Pen().SetColor(framed ? active->Color() : Color());
            const int end = farEnd + FTabOverlap + (FTabStyle == tsClassic && !FTabBackGround.Empty() ? 2 : 0);
            switch (pos) {
            case tpLeft: Line(C, S, 2, S, end); break;
            case tpRight: Line(C, S - 1, 2, S - 1, end); break;
            case tpTop: Line(C, 2, S, end, S); break;
            case tpBottom: Line(C, 2, S - 1, end, S - 1); break;
            }
        }
    }

    // 3. to 5. The tabs from the last to the first; an active tab with a
    // background bitmap of its own goes last, over its neighbours.
    const bool activeLast = active && active->FTabShowing && !FTabBackGroundActive.Empty();
    for (int i = PageCount() - 1; i >= 0; --i) {
        TExTabSheet* p = FPages[static_cast<size_t>(i)];
        if (!p->FTabShowing || (activeLast && p == active)) continue;
        PaintTab(C, p, p == active);
    }
    if (activeLast) PaintTab(C, active, true);

    // 6. Focus.
    if (FShowFocus && Focused() && active && active->FTabShowing) {
        TRect r = TabRect(active->TabIndex());
        r.Left += 5;
        r.Right -= 5;
        r.Top += 3;
        r.Bottom -= 3;
        C.DrawFocusRect(r);
    }
    // 7. Hover outline.
    if (FTabHoverBorder != clNone && FHoverTab >= 0 && FHoverTab < PageCount() &&
        FPages[static_cast<size_t>(FHoverTab)] != active && FPages[static_cast<size_t>(FHoverTab)]->FTabShowing) {
        C.Brush().SetColor(FTabHoverBorder);
        C.FrameRect(PageTabRect(FHoverTab));
    }
}

void TExPageControl::PaintTab(TCanvas& C, TExTabSheet* Sheet, bool Active)
{
    const TTabPosition pos = TabPosition();
    const TRect page = PageRect();
    const TRect native = TabRect(Sheet->TabIndex());
    // The active tab reaches into the page border, so that it joins the page.
    TRect r = native;
    if (Active) {
        switch (pos) {
        case tpTop: r.Bottom = page.Top + 1; break;
        case tpBottom: r.Top = page.Bottom - 1; break;
        case tpLeft: r.Right = page.Left + 1; break;
        case tpRight: r.Left = page.Right - 1; break;
        }
    }
    const bool vertical = pos == tpLeft || pos == tpRight;
    const int pageIndex = Sheet->PageIndex();
    const bool hovered = !Active && pageIndex == FHoverTab && FTabHoverColor != clNone;

    // Fill.
    const TBitmap& back = Active && !FTabBackGroundActive.Empty() ? FTabBackGroundActive : FTabBackGround;
    if (!back.Empty()) {
        DrawSlices(C, back, r, vertical);
    } else if (Active && FActiveColor != clNone) {
        FillTab(C, FActiveColor, FActiveColorTo, Sheet->FTabGradientDirection, r);
    } else if (hovered) {
        FillTab(C, FTabHoverColor, FTabHoverColorTo, Sheet->FHoverGradientDirection, r);
    } else {
        FillTab(C, Sheet->FTabColor, Sheet->FTabColorTo, Sheet->FTabGradientDirection, r);
    }

    // Outline.
    C.Pen().SetColor(FTabBorderColor);
    C.Brush().SetStyle(bsSolid);
    const int L = r.Left, T = r.Top, R = r.Right - 1, B = r.Bottom - 1;
    auto threeSides = [&] {
        switch (pos) {
        case tpTop: Line(C, L, B, L, T); Line(C, L, T, R, T); Line(C, R, T, R, B + 1); break;
        case tpBottom: Line(C, L, T, L, B); Line(C, L, B, R, B); Line(C, R, B, R, T - 1); break;
        case tpLeft: Line(C, R, T, L, T); Line(C, L, T, L, B); Line(C, L, B, R + 1, B); break;
        case tpRight: Line(C, L, T, R, T); Line(C, R, T, R, B); Line(C, R, B, L - 1, B); break;
        }
    };
    if (Active) {
        threeSides();
    } else if (FTabStyle == tsDotNet) {
        switch (pos) {
        case tpTop: Line(C, L, page.Top, R + 1, page.Top); break;
        case tpBottom: Line(C, L, page.Bottom - 1, R + 1, page.Bottom - 1); break;
        case tpLeft: Line(C, page.Left, T, page.Left, B + 1); break;
        case tpRight: Line(C, page.Right - 1, T, page.Right - 1, B + 1); break;
        }
        // Separator before the next tab, unless that one is the active tab.
        TExTabSheet* next = nullptr;
        for (int i = pageIndex + 1; i < PageCount() && !next; ++i)
            if (FPages[static_cast<size_t>(i)]->FTabShowing) next = FPages[static_cast<size_t>(i)];
        const int stripEnd = vertical ? Height() : Width();
        const bool atEnd = (vertical ? native.Bottom : native.Right) >= stripEnd - 3;
        if ((atEnd || next != FActivePage) && FActiveColor != clNone) {
            C.Pen().SetColor(FActiveColor);
            if (vertical) {
                Line(C, native.Left + 2, native.Bottom - 2, native.Right - 2, native.Bottom - 2);
                Line(C, native.Left + 2, native.Bottom - 3, native.Right - 2, native.Bottom - 3);
            } else {
                Line(C, native.Right - 2, native.Top + 2, native.Right - 2, native.Bottom - 2);
                Line(C, native.Right - 3, native.Top + 2, native.Right - 3, native.Bottom - 2);
            }
        }
    } else {
        // Classic: a full rectangle, a pixel longer toward the page unless
        // it ends within 5 pixels of the control's edge.
        TRect f = native;
        switch (pos) {
        case tpTop: if (f.Bottom < Height() - 5) ++f.Bottom; break;
        case tpBottom: if (f.Top > 5) --f.Top; break;
        case tpLeft: if (f.Right < Width() - 5) ++f.Right; break;
        case tpRight: if (f.Left > 5) --f.Left; break;
        }
        C.Brush().SetColor(FTabBorderColor);
        C.FrameRect(f);
    }

    // Close button, image, caption.
    if (Sheet->FShowClose) PaintCloseButton(C, Sheet, Active);
    const int lm = FTabMargin->LeftMargin(), tm = FTabMargin->TopMargin();
    const int lower = Active ? FLowerActive : 0;
    const bool backActive = !FTabBackGroundActive.Empty();
    int x = 0, y = 0;
    switch (pos) {
    case tpLeft:
        x = native.Left + 1 + lower + lm;
        y = native.Bottom - (Sheet->FShowClose ? 17 : 4) - tm + (backActive ? FTabOverlap + 3 : 0);
        break;
    case tpRight:
        x = native.Right - 1 - lower + lm;
        y = native.Top + (Sheet->FShowClose ? 17 : 4) + tm;
        break;
    case tpTop:
    case tpBottom:
        x = native.Left + (Sheet->FShowClose ? 18 : 4) + lm;
        y = native.Top + 1 + lower + tm;
        break;
    }
    if (FImages && Sheet->FImageIndex >= 0) {
        switch (pos) {
        case tpLeft: FImages->Draw(C, x, y - 14, Sheet->FImageIndex); break;
        case tpRight:
            FImages->Draw(C, x - FImages->Width(), y, Sheet->FImageIndex);
            y += FImages->Height() + 2;
            break;
        default:
            FImages->Draw(C, x, y, Sheet->FImageIndex);
            x += FImages->Width() + 2;
            break;
        }
    }
    TFont font;
    const bool useActiveFont = pos == tpBottom || Active;
    font.Assign(useActiveFont ? FActiveFont : Font());
    if (vertical || !useActiveFont) font.SetColor(Sheet->FTextColor);
    if (!Sheet->FTabEnable) font.SetColor(0x808080);
    if (pos == tpLeft) font.SetOrientation(900);
    if (pos == tpRight) font.SetOrientation(2700);
    C.Font().Assign(font);
    C.Brush().SetStyle(bsClear);
    C.TextOut(x, y, Sheet->FCaption);
    C.Brush().SetStyle(bsSolid);
}

void TExPageControl::PaintCloseButton(TCanvas& C, TExTabSheet* Sheet, bool Active)
{
    const TRect r = CloseButtonRect(Sheet, Active);
    if (IsRectEmpty(r)) return;
    const bool pressed = Active && FCloseButtonDown;
    const bool hot = Active && FHoverClosedButton && !pressed;
    if (!FCloseGlyph.Empty()) {
        TBitmap glyph = Part(FCloseGlyph, Rect(0, 0, std::min(12, FCloseGlyph.Width()), std::min(11, FCloseGlyph.Height())));
        glyph.SetTransparent(true);
        C.Draw(r.Left, r.Top, glyph);
        return;
    }
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(pressed ? 0xC0C0C0 : clWhite);
    C.FillRect(r);
    C.Brush().SetColor(pressed || hot ? clBlack : 0x808080);
    C.FrameRect(r);
    C.Pen().SetColor(hot ? 0x808080 : clBlack);
    Line(C, r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 2);
    Line(C, r.Right - 4, r.Top + 3, r.Left + 2, r.Bottom - 2);
}
