// TExStringGrid: component styles, colour schemes, colour tones and the
// selection colour mixer.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridDraw.h"

#include <algorithm>

namespace {

constexpr TColor N = clNone;

// The fixed-cell colours a style puts on the grid; `assigns` false for a
// style that leaves them.
struct TStyleFixed {
    bool assigns;
    TColor from, to, mirrorFrom, mirrorTo;
    bool hoverDown;
    TColor hover[5]; // from, to, mirror from, mirror to, border
    TColor down[5];
    bool ownFromTo; // the control look keeps From and To itself
};

// The other colours of a style; `has...` false where the style leaves them.
struct TStyleOther {
    bool hasActive;
    TColor activeFrom, activeTo;
    bool hasSelection;
    TColor selection, selectionTo, selectionText;
    bool hasSelectionTo;
    int selectionStyle; // -1: leave
    bool hasLines;
    TColor line, fixedLine;
};

struct TStyleDef {
    int look; // -1: leave the look
    TStyleFixed fixed;
    TStyleOther other;
};

constexpr TColor Office2010Hover[5] = {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8};
constexpr TColor Office2010Down[5] = {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2};

#define NOHD false, {N, N, N, N, N}, {N, N, N, N, N}
#define O2010HD                                                                                                     \
    true, {Office2010Hover[0], Office2010Hover[1], Office2010Hover[2], Office2010Hover[3], Office2010Hover[4]},       \
        {Office2010Down[0], Office2010Down[1], Office2010Down[2], Office2010Down[3], Office2010Down[4]}

const TStyleDef StyleDefs[] = {
    // gsOffice2003Blue
    {glXP,
     {true, 0xFCE1CB, 0xE0A57D, N, N, NOHD, true},
     {true, 0x94E6FB, 0x1595EE, true, 0x94E6FB, 0x1595EE, 0x000000, true, -1, true, 0xC0C0C0, 0x808080}},
    // gsOffice2003Silver
    {glXP,
     {true, 0xECE2E1, 0xB39698, N, N, NOHD, true},
     {true, 0x94E6FB, 0x1595EE, true, 0x94E6FB, 0x1595EE, 0x000000, true, -1, true, 0xC0C0C0, 0x808080}},
    // gsOffice2003Olive
    {glXP,
     {true, 0xCFF0EA, 0x8CC0B1, N, N, NOHD, true},
     {true, 0x94E6FB, 0x1595EE, true, 0x94E6FB, 0x1595EE, 0x000000, true, -1, true, 0xC0C0C0, 0x808080}},
    // gsOffice2003Classic
    {glXP,
     {true, 0xFFFFFF, 0xCCD4D8, N, N, NOHD, false},
     {true, 0xD8D5D4, 0xD8D5D4, false, 0, 0, 0, false, -1, true, 0xC0C0C0, 0x808080}},
    // gsOffice2007Luna
    {glOffice2007,
     {true, 0xFBF9F6, 0xE8DBD2, N, N, true, {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87},
      {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D}, true},
     {true, 0x9DD8F9, 0x5EC1F1, true, 0x5EC1F1, 0, 0x000000, false, ssOffice2007, true, 0xF1EDEB, 0xD1BBA4}},
    // gsOffice2007Obsidian
    {glOffice2007,
     {true, 0xF7F7F7, 0xDEDEDE, N, N, NOHD, true},
     {true, 0x9DD8F9, 0x5EC1F1, true, 0x5EC1F1, 0, 0x000000, false, -1, true, 0xE5D7D0, 0x808080}},
    // gsWindowsXP
    {glXP,
     {true, clBtnFace, clBtnFace, N, N, NOHD, false},
     {true, clBtnFace, clBtnFace, false, 0, 0, 0, false, -1, true, 0xC0C0C0, 0x808080}},
    // gsWhidbey
    {-1,
     {true, 0xFFFFFF, clBtnFace, N, N, NOHD, false},
     {true, 0x94E6FB, 0x1595EE, false, 0, 0, 0, false, -1, true, 0xC0C0C0, 0x808080}},
    // gsCustom
    {-1, {false, N, N, N, N, NOHD, false}, {false, 0, 0, false, 0, 0, 0, false, -1, false, 0, 0}},
    // gsOffice2007Silver (its mirror colours are not assigned)
    {glOffice2007,
     {true, 0xF3F3F1, 0xCAC9C8, 0, 0, NOHD, true},
     {true, 0x99CCFF, 0x699CFF, true, 0x95C7F5, 0, 0x000000, false, -1, true, 0xE5D7D0, 0x808080}},
    // gsWindowsVista
    {glVista,
     {true, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, true, {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993},
      {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F}, false},
     {true, 0xFDF8F1, 0xFCEFD5, true, 0xEACAB6, 0, 0x000000, false, ssVista, true, 0xECECF0, 0xD4D2D1}},
    // gsWindows7
    {glWin7,
     {true, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, true, {0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3},
      {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA}, false},
     {true, 0xFCEBDC, 0xFCDBC1, true, 0xEACAB6, 0, 0x000000, false, ssWin7, true, 0xECECF0, 0xD4D2D1}},
    // gsTerminal
    {glStandard, {false, N, N, N, N, NOHD, false}, {false, 0, 0, false, 0, 0, 0, false, -1, false, 0, 0}},
    // gsOffice2010Blue
    {glOffice2007,
     {true, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, O2010HD, false},
     {true, 0x5BD5FF, 0x71EFFF, true, 0xFFDBB7, 0, 0x000000, false, ssDefault, true, 0xC0C0C0, 0xC7B0A0}},
    // gsOffice2010Silver
    {glOffice2007,
     {true, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, O2010HD, false},
     {true, 0x5BD5FF, 0x71EFFF, true, 0xFFDBB7, 0, 0x000000, false, ssDefault, true, 0xC0C0C0, 0xBAB5B1}},
    // gsOffice2010Black
    {glOffice2007,
     {true, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, O2010HD, false},
     {true, 0x5BD5FF, 0x71EFFF, true, 0xFFDBB7, 0, 0x000000, false, ssDefault, true, 0xC0C0C0, 0x444444}},
};
#undef NOHD
#undef O2010HD

} // namespace

TColor BlendColors(TColor Color1, TColor Color2, int Percent)
{
    if (Percent >= 100) return Color1;
    if (Percent < 1 || Color1 == clNone) return Color2;
    if (Color2 == clNone) return Color1;
    const double f = Percent / 100.0;
    const TColor a = ColorToRGB(Color1), b = ColorToRGB(Color2);
    auto mix = [f](int c1, int c2) { return std::min(255, RoundEven(f * c1 + (1 - f) * c2)); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

TColor MixSelectionColor(TColor Color1, TColor Color2, bool Mix, int Percent)
{
    return Mix ? BlendColors(Color1, Color2, Percent) : Color1;
}

void TExStringGrid::SetSelectionColorMixerFactor(int v)
{
    v = std::clamp(v, 0, 100);
    if (v == FParts->FSelectionColorMixerFactor) return;
    FParts->FSelectionColorMixerFactor = v;
    Invalidate();
}

TColor TExStringGrid::NUVGradient(TNUVGradient Which) const
{
    switch (Which) {
    case TNUVGradient::From: return FParts->FNUVGradientFrom;
    case TNUVGradient::To: return FParts->FNUVGradientTo;
    case TNUVGradient::MirrorFrom: return FParts->FNUVGradientMirrorFrom;
    case TNUVGradient::MirrorTo: return FParts->FNUVGradientMirrorTo;
    default: return FParts->FNUVGradientStates[size_t(Which) - size_t(TNUVGradient::HoverFrom)];
    }
}

void TExStringGrid::SetNUVGradient(TNUVGradient Which, TColor Value)
{
    switch (Which) {
    case TNUVGradient::From: FParts->FNUVGradientFrom = Value; break;
    case TNUVGradient::To: FParts->FNUVGradientTo = Value; break;
    case TNUVGradient::MirrorFrom: FParts->FNUVGradientMirrorFrom = Value; break;
    case TNUVGradient::MirrorTo: FParts->FNUVGradientMirrorTo = Value; break;
    default: FParts->FNUVGradientStates[size_t(Which) - size_t(TNUVGradient::HoverFrom)] = Value; break;
    }
}

void TExStringGrid::SetStyle(TExGridStyle AStyle)
{
    auto SortHeader = [this](TColor c, TColor cto, TColor m, TColor mto) {
        FParts->FSortSettings->SetHeaderColor(c);
        FParts->FSortSettings->SetHeaderColorTo(cto);
        FParts->FSortSettings->SetHeaderMirrorColor(m);
        FParts->FSortSettings->SetHeaderMirrorColorTo(mto);
    };
    // 1. common start
    SelectionColor = clHighlight;
    SelectionColorTo = clNone;
    SelectionTextColor = clHighlightText;
    SetSelectionStyle(ssDefault);
    FParts->FSortSettings->SetHeaderColor(clNone);
    FParts->FSortSettings->SetHeaderColorTo(clNone);
    FParts->FSortSettings->SetHeaderMirrorColor(clNone);
    FParts->FSortSettings->SetHeaderMirrorColorTo(clNone);
    FParts->FControlLook->Init();

    const TStyleDef& d = StyleDefs[std::min<size_t>(AStyle, std::size(StyleDefs) - 1)];
    // 2. the look, then the style's colours
    if (d.look >= 0) SetLook(TGridLook(d.look));
    const TStyleOther& o = d.other;
    if (o.hasActive) {
        ActiveCellColor = o.activeFrom;
        ActiveCellColorTo = o.activeTo;
    }
    const TStyleFixed& f = d.fixed;
    if (f.assigns) {
        TControlLook& cl = *FParts->FControlLook;
        cl.SetFixedGradientFrom(f.from);
        cl.SetFixedGradientTo(f.to);
        if (AStyle != gsOffice2007Silver) {
            cl.SetFixedGradientMirrorFrom(f.mirrorFrom);
            cl.SetFixedGradientMirrorTo(f.mirrorTo);
        }
        if (f.hoverDown) {
            cl.SetFixedGradientHoverFrom(f.hover[0]);
            cl.SetFixedGradientHoverTo(f.hover[1]);
            cl.SetFixedGradientHoverMirrorFrom(f.hover[2]);
            cl.SetFixedGradientHoverMirrorTo(f.hover[3]);
            cl.SetFixedGradientHoverBorder(f.hover[4]);
            cl.SetFixedGradientDownFrom(f.down[0]);
            cl.SetFixedGradientDownTo(f.down[1]);
            cl.SetFixedGradientDownMirrorFrom(f.down[2]);
            cl.SetFixedGradientDownMirrorTo(f.down[3]);
            cl.SetFixedGradientDownBorder(f.down[4]);
        }
        // The control look keeps its own start and end colours only for
        // the Office 2003 and 2007 styles.
        if (!f.ownFromTo) cl.SetOwnFromTo(clNone, clNone);
    }
    if (AStyle != gsTerminal && AStyle != gsCustom) {
        FParts->FSearchFooter->SetColor(NUVGradientFrom());
        FParts->FSearchFooter->SetColorTo(NUVGradientMirrorTo());
    }
    switch (AStyle) {
    case gsWindowsVista:
    case gsWindows7: SortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8); break;
    case gsOffice2010Blue: SortHeader(0xD6CEC7, 0xD6CEC7, 0xD6CEC7, 0xD6CEC7); break;
    case gsOffice2010Silver: SortHeader(0xAAAAAA, 0xAAAAAA, 0xAAAAAA, 0xAAAAAA); break;
    case gsOffice2010Black: SortHeader(0xBABABA, 0xBABABA, 0xBABABA, 0xBABABA); break;
    default: break;
    }
    if (o.hasLines) {
        SetGridLineColor(o.line);
        SetGridFixedLineColor(o.fixedLine);
    }
    if (o.hasSelection) {
        SelectionColor = o.selection;
        if (o.hasSelectionTo) SelectionColorTo = o.selectionTo;
        SelectionTextColor = o.selectionText;
    }
    if (o.selectionStyle >= 0) SetSelectionStyle(TGridSelectionStyle(o.selectionStyle));
    // 3.
    Invalidate();
}

void TExStringGrid::SetComponentStyle(TNUVStyle AStyle)
{
    ComponentStyle = AStyle;
    SetStyle(TExGridStyle(AStyle));
    if (!Designing()) SetEditorsComponentStyle(AStyle);
    if (AStyle != tsCustom && ScrollType == ssMetro) ScrollType = ssNormal;
}

void TExStringGrid::SetTheme(TXPColorScheme Scheme)
{
    struct Row {
        TColor from, to, mfrom, mto, aFrom, aTo, clFrom, clTo, sfFrom, sfTo;
    };
    static const Row rows[] = {
        // xpNone
        {0xFFFFFF, ColorToRGB(clBtnFace), N, N, 0xFFFFFF, 0xFFD9B3, N, N, 0xFFFFFF, 0xFFD9B3},
        // xpBlue
        {0xFCE1CB, 0xE0A57D, N, N, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D},
        // xpGreen
        {0xCFF0EA, 0x8CC0B1, N, N, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1},
        // xpGray
        {0xECE2E1, 0xB39698, N, N, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698},
        // vistaAero
        {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xFFFFFF, 0xFFFFFF, 0xECE2E1, 0xB39698},
    };
    const Row& r = rows[std::min<size_t>(Scheme, std::size(rows) - 1)];
    FParts->FNUVGradientFrom = r.from;
    FParts->FNUVGradientTo = r.to;
    FParts->FNUVGradientMirrorFrom = r.mfrom;
    FParts->FNUVGradientMirrorTo = r.mto;
    ActiveCellColor = r.aFrom;
    ActiveCellColorTo = r.aTo;
    FParts->FControlLook->SetOwnFromTo(r.clFrom, r.clTo);
    FParts->FSearchFooter->SetColor(r.sfFrom);
    FParts->FSearchFooter->SetColorTo(r.sfTo);
}
