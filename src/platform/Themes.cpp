#include "platform/Themes.h"

#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

struct TThemeData {
    int kind;  // 0 button, 1 combobox, 2 spin, 3 progress, 4 header
};

namespace {
bool g_themeActive = true;
TThemeData g_themes[] = {{0}, {1}, {2}, {3}, {4}};

QStyle* Style() { return QApplication::style(); }

void Prepare(QStyleOption& o, const TRect& r, bool enabled, bool hot, bool pressed)
{
    o.rect = ToQRect(r);
    o.palette = QApplication::palette();
    // A part without the enabled state draws in the disabled colours (the
    // styles take the palette's current group as it is given).
    o.palette.setCurrentColorGroup(enabled ? QPalette::Active : QPalette::Disabled);
    o.state = QStyle::State_None;
    if (enabled) o.state |= QStyle::State_Enabled;
    if (hot) o.state |= QStyle::State_MouseOver;
    if (pressed)
        o.state |= QStyle::State_Sunken;
    else
        o.state |= QStyle::State_Raised;
}
}  // namespace

bool IsThemeActive() { return g_themeActive; }
void SetThemeActive(bool on) { g_themeActive = on; }

std::string GetCurrentThemeName()
{
    QStyle* s = Style();
    return s ? s->name().toStdString() : std::string();
}

HTHEME OpenThemeData(void*, const std::string& classList)
{
    if (!g_themeActive || !Style()) return nullptr;
    static const char* names[] = {"button", "combobox", "spin", "progress", "header"};
    for (int i = 0; i < 5; ++i)
        if (SameText(classList, names[i])) return &g_themes[i];
    return nullptr;
}

void CloseThemeData(HTHEME) {}

bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int partId, int stateId, const TRect& r,
                         const TRect* clip)
{
    if (!theme || IsRectEmpty(r)) return false;
    QPainter* p = canvas.BeginPaint();
    if (!p) return false;
    QStyle* st = Style();
    p->save();
    if (clip) p->setClipRect(ToQRect(*clip), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    bool ok = true;
    switch (theme->kind) {
    case 0: {  // button
        if (partId == BP_PUSHBUTTON) {
            QStyleOptionButton o;
            Prepare(o, r, stateId != PBS_DISABLED, stateId == PBS_HOT, stateId == PBS_PRESSED);
            if (stateId == PBS_DEFAULTED) o.features |= QStyleOptionButton::DefaultButton;
            st->drawControl(QStyle::CE_PushButtonBevel, &o, p);
        } else if (partId == BP_CHECKBOX || partId == BP_RADIOBUTTON) {
            QStyleOptionButton o;
            int s = (stateId - 1) % 4;  // normal, hot, pressed, disabled
            int group = (stateId - 1) / 4;  // unchecked, checked, mixed
            Prepare(o, r, s != 3, s == 1, s == 2);
            o.state &= ~QStyle::State_Raised;
            o.state |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
            st->drawPrimitive(partId == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                              &o, p);
        } else if (partId == BP_GROUPBOX) {
            QStyleOptionFrame o;
            Prepare(o, r, stateId != 2, false, false);
            st->drawPrimitive(QStyle::PE_FrameGroupBox, &o, p);
        } else {
            ok = false;
        }
        break;
    }
    case 1: {  // combobox
        if (partId != CP_DROPDOWNBUTTON) {
            ok = false;
            break;
        }
        QStyleOptionButton o;
        Prepare(o, r, stateId != CBXS_DISABLED, stateId == CBXS_HOT, stateId == CBXS_PRESSED);
        st->drawPrimitive(QStyle::PE_PanelButtonCommand, &o, p);
        QStyleOption a;
        TRect ar = r;
        InflateRect(ar, -2, -2);
        Prepare(a, ar, stateId != CBXS_DISABLED, false, false);
        st->drawPrimitive(QStyle::PE_IndicatorArrowDown, &a, p);
        break;
    }
    case 2: {  // spin
        if (partId < SPNP_UP || partId > SPNP_DOWNHORZ) {
            ok = false;
            break;
        }
        QStyleOptionButton o;
        Prepare(o, r, stateId != UPS_DISABLED, stateId == UPS_HOT, stateId == UPS_PRESSED);
        st->drawPrimitive(QStyle::PE_PanelButtonBevel, &o, p);
        QStyleOption a;
        Prepare(a, r, stateId != UPS_DISABLED, false, false);
        QStyle::PrimitiveElement pe = partId == SPNP_UP       ? QStyle::PE_IndicatorArrowUp
                                      : partId == SPNP_DOWN   ? QStyle::PE_IndicatorArrowDown
                                      : partId == SPNP_UPHORZ ? QStyle::PE_IndicatorArrowRight
                                                              : QStyle::PE_IndicatorArrowLeft;
        st->drawPrimitive(pe, &a, p);
        break;
    }
    case 3: {  // Progress
        if (partId == PP_BAR || partId == PP_BARVERT) {
            QStyleOptionProgressBar o;
            Prepare(o, r, true, false, false);
            o.minimum = 0;
            o.maximum = 100;
            o.progress = 0;
            if (partId == PP_BARVERT) o.state &= ~QStyle::State_Horizontal;
            else o.state |= QStyle::State_Horizontal;
            st->drawControl(QStyle::CE_ProgressBarGroove, &o, p);
        } else if (partId == PP_CHUNK || partId == PP_CHUNKVERT) {
            p->fillRect(ToQRect(r), QApplication::palette().color(QPalette::Highlight));
        } else {
            ok = false;
        }
        break;
    }
    case 4: {  // header
        if (partId >= HP_HEADERITEM && partId <= HP_HEADERITEMRIGHT) {
            QStyleOptionHeader o;
            Prepare(o, r, true, stateId == HIS_HOT, stateId == HIS_PRESSED);
            o.position = QStyleOptionHeader::Middle;
            st->drawControl(QStyle::CE_HeaderSection, &o, p);
        } else if (partId == HP_HEADERSORTARROW) {
            QStyleOptionHeader o;
            Prepare(o, r, true, false, false);
            o.sortIndicator = stateId == HSAS_SORTEDUP ? QStyleOptionHeader::SortUp : QStyleOptionHeader::SortDown;
            st->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &o, p);
        } else {
            ok = false;
        }
        break;
    }
    default: ok = false;
    }
    p->restore();
    return ok;
}

// --- unthemed looks --------------------------------------------------------------------

namespace {

void HLine(TCanvas& c, int x0, int x1, int y, TColor col)
{
    c.Brush().SetColor(col);
    c.FillRect(Rect(x0, y, x1, y + 1));
}
void VLine(TCanvas& c, int x, int y0, int y1, TColor col)
{
    c.Brush().SetColor(col);
    c.FillRect(Rect(x, y0, x + 1, y1));
}

// One border ring: top-left colour and bottom-right colour.
void Ring(TCanvas& c, TRect& r, unsigned flags, TColor tl, TColor br)
{
    if (flags & BF_TOP) HLine(c, r.Left, r.Right, r.Top, tl);
    if (flags & BF_LEFT) VLine(c, r.Left, r.Top, r.Bottom, tl);
    if (flags & BF_BOTTOM) HLine(c, r.Left, r.Right, r.Bottom - 1, br);
    if (flags & BF_RIGHT) VLine(c, r.Right - 1, r.Top, r.Bottom, br);
    if (flags & BF_TOP) ++r.Top;
    if (flags & BF_LEFT) ++r.Left;
    if (flags & BF_BOTTOM) --r.Bottom;
    if (flags & BF_RIGHT) --r.Right;
}

void Arrow(TCanvas& c, const TRect& r, int dir, TColor col)
{
    // dir: 0 up, 1 down, 2 left, 3 right. A small filled triangle in the
    // middle of r.
    int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    int s = std::max(2, std::min(r.Width(), r.Height()) / 4);
    c.Pen().SetColor(col);
    c.Brush().SetColor(col);
    switch (dir) {
    case 0: c.Polygon({{cx - s, cy + s / 2}, {cx + s, cy + s / 2}, {cx, cy - s / 2 - 1}}); break;
    case 1: c.Polygon({{cx - s, cy - s / 2}, {cx + s, cy - s / 2}, {cx, cy + s / 2 + 1}}); break;
    case 2: c.Polygon({{cx + s / 2, cy - s}, {cx + s / 2, cy + s}, {cx - s / 2 - 1, cy}}); break;
    default: c.Polygon({{cx - s / 2, cy - s}, {cx - s / 2, cy + s}, {cx + s / 2 + 1, cy}}); break;
    }
}

}  // namespace

void DrawEdge(TCanvas& c, TRect& r, unsigned edge, unsigned flags)
{
    c.SaveState();
    TRect in = r;
    TColor outerTL = clNone, outerBR = clNone, innerTL = clNone, innerBR = clNone;
    if (edge & BDR_RAISEDOUTER) {
        outerTL = cl3DLight;
        outerBR = cl3DDkShadow;
    } else if (edge & BDR_SUNKENOUTER) {
        outerTL = clBtnShadow;
        outerBR = clBtnHighlight;
    }
    if (edge & BDR_RAISEDINNER) {
        innerTL = clBtnHighlight;
        innerBR = clBtnShadow;
    } else if (edge & BDR_SUNKENINNER) {
        innerTL = cl3DDkShadow;
        innerBR = cl3DLight;
    }
    if (flags & BF_SOFT) {
        if (edge & BDR_RAISEDOUTER) outerTL = clBtnHighlight;
        if (edge & BDR_SUNKENINNER) innerTL = clBtnShadow;
    }
    auto mono = [&](TColor& col) {
        if (col == clNone) return;
        if (flags & BF_MONO) col = clBlack;
        else if (flags & BF_FLAT) col = clBtnShadow;
    };
    mono(outerTL);
    mono(outerBR);
    if (flags & (BF_MONO | BF_FLAT)) innerTL = innerBR = clNone;
    if (outerTL != clNone) Ring(c, in, flags, outerTL, outerBR);
    if (innerTL != clNone) Ring(c, in, flags, innerTL, innerBR);
    if (flags & BF_MIDDLE) {
        c.Brush().SetColor(clBtnFace);
        c.FillRect(in);
    }
    c.RestoreState();
    if (flags & BF_ADJUST) r = in;
}

bool DrawFrameControl(TCanvas& c, const TRect& r, unsigned type, unsigned state)
{
    if (IsRectEmpty(r)) return false;
    bool inactive = state & DFCS_INACTIVE;
    bool pushed = state & DFCS_PUSHED;
    bool flat = state & (DFCS_FLAT | DFCS_MONO);
    c.SaveState();
    bool ok = true;
    if (type == DFC_BUTTON) {
        unsigned kind = state & 0xFF;
        if (kind == DFCS_BUTTONPUSH) {
            TRect e = r;
            DrawEdge(c, e, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | (flat ? BF_FLAT : 0));
        } else if (kind == DFCS_BUTTONCHECK || kind == DFCS_BUTTON3STATE) {
            // A square box, sunken, white inside (face colour when
            // inactive or pushed), with a check mark when checked.
            int s = std::min(r.Width(), r.Height());
            TRect b = Bounds(r.Left + (r.Width() - s) / 2, r.Top + (r.Height() - s) / 2, s, s);
            DrawEdge(c, b, EDGE_SUNKEN, BF_RECT | BF_ADJUST | (flat ? BF_FLAT : 0));
            bool mixed = kind == DFCS_BUTTON3STATE && (state & DFCS_CHECKED);
            c.Brush().SetColor((inactive || pushed || mixed) ? clBtnFace : clWindow);
            c.FillRect(b);
            if (state & DFCS_CHECKED) {
                TColor mark = inactive || mixed ? clBtnShadow : clWindowText;
                int x = b.Left + (b.Width() - 7) / 2, y = b.Top + (b.Height() - 7) / 2 + 2;
                c.Pen().SetColor(mark);
                for (int k = 0; k < 3; ++k) {
                    c.MoveTo(x, y + k);
                    c.LineTo(x + 2, y + 2 + k);
                    c.LineTo(x + 7, y - 3 + k);
                }
            }
        } else if (kind == DFCS_BUTTONRADIO) {
            int s = std::min(r.Width(), r.Height());
            TRect b = Bounds(r.Left + (r.Width() - s) / 2, r.Top + (r.Height() - s) / 2, s, s);
            c.Pen().SetColor(flat ? clBtnShadow : clBtnShadow);
            c.Brush().SetColor((inactive || pushed) ? clBtnFace : clWindow);
            c.Ellipse(b);
            if (state & DFCS_CHECKED) {
                TRect d = b;
                InflateRect(d, -s / 3, -s / 3);
                c.Pen().SetColor(inactive ? clBtnShadow : clWindowText);
                c.Brush().SetColor(inactive ? clBtnShadow : clWindowText);
                c.Ellipse(d);
            }
        } else {
            ok = false;
        }
    } else if (type == DFC_SCROLL) {
        unsigned kind = state & 0xFF;
        if (kind > DFCS_SCROLLCOMBOBOX || kind == 4) {
            ok = false;
        } else {
            TRect e = r;
            DrawEdge(c, e, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | (flat ? BF_FLAT : 0));
            int dir = kind == DFCS_SCROLLCOMBOBOX ? 1 : int(kind);
            TRect a = r;
            if (pushed) OffsetRect(a, 1, 1);
            Arrow(c, a, dir, inactive ? clGrayText : clBtnText);
        }
    } else {
        ok = false;
    }
    c.RestoreState();
    return ok;
}
