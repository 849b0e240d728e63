// The item selector's appearance and its presets.

#include "widgets/dropdown/ItemAppearance.h"

namespace {

// One face preset: hot pair, hot mirror pair, selected pair, selected
// mirror pair, border, inner top and bottom lines, corner pixels.
struct TFacePreset {
    TColor Hot, HotTo, MirrorHot, MirrorHotTo;
    TColor Selected, SelectedTo, MirrorSelected, MirrorSelectedTo;
    TColor Border, Top, Bottom, Edge;
};

void WriteFace(TItemAppearance& a, const TFacePreset& p)
{
    a.ColorHot = p.Hot;
    a.ColorHotTo = p.HotTo;
    a.ColorMirrorHot = p.MirrorHot;
    a.ColorMirrorHotTo = p.MirrorHotTo;
    a.ColorSelected = p.Selected;
    a.ColorSelectedTo = p.SelectedTo;
    a.ColorMirrorSelected = p.MirrorSelected;
    a.ColorMirrorSelectedTo = p.MirrorSelectedTo;
    a.BorderColor = p.Border;
    a.BorderColorTop = p.Top;
    a.BorderColorBottom = p.Bottom;
    a.EdgeColor = p.Edge;
}

// By selection colour style (scOffice2007, scWindowsVista, scWindows7).
constexpr TFacePreset ColorStylePresets[] = {
    {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF,
     0xC3D9DF},
    {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFAEEDE, 0xFAE3B4, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB},
    {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xF9D8B9, 0xFBCAA2, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE},
};

// By component style.
constexpr TFacePreset Office2003Face = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF,
                                        0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone,   clNone,   clNone};
constexpr TFacePreset Office2007Face = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF,
                                        0x42AEFE, 0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
constexpr TFacePreset ClassicFace = {0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285,
                                     clNone,   clNone,   0x808080, clNone, clNone,   clNone};
constexpr TFacePreset XPFace = {0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone,
                                clNone,   clNone,   clHighlight, clNone, clNone, clNone};
constexpr TFacePreset VistaFace = {0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7,
                                   clNone,   clNone,   0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
constexpr TFacePreset Windows7Face = {0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1,
                                      clNone,   clNone,   0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
constexpr TFacePreset TerminalFace = {0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone,
                                      clNone,   clNone,   0x808080, clNone, clNone, clNone};
constexpr TFacePreset Office2010Face = {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF,
                                        0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone,   clNone,   clNone};

} // namespace

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->SetName("Tahoma");
    SetColorStyle(scOffice2007);
    ColorSelectedText = clBlack;
    ColorHotText = clBlack;
    BorderColorHot = clNone;
    BorderColorSelected = clNone;
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::SetColorStyle(TSelectionColorStyle Style)
{
    if (FColorStyle == Style) return;
    FColorStyle = Style;
    if (Style != scCustom) WriteFace(*this, ColorStylePresets[Style - scOffice2007]);
}

void TItemAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TItemAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    if (s == this) return;
    WriteFace(*this, {s->ColorHot, s->ColorHotTo, s->ColorMirrorHot, s->ColorMirrorHotTo, s->ColorSelected,
                      s->ColorSelectedTo, s->ColorMirrorSelected, s->ColorMirrorSelectedTo, s->BorderColor,
                      s->BorderColorTop, s->BorderColorBottom, s->EdgeColor});
    FFont->Assign(*s->FFont);
    SetColorStyle(s->FColorStyle);
    ColorSelectedText = s->ColorSelectedText;
    ColorHotText = s->ColorHotText;
    BorderColorHot = s->BorderColorHot;
    BorderColorSelected = s->BorderColorSelected;
}

void ApplyItemAppearanceStyle(TItemAppearance* Appearance, TNUVStyle AStyle)
{
    if (!Appearance || AStyle == tsCustom) return;
    TItemAppearance& a = *Appearance;
    a.BorderColorHot = clNone;
    a.BorderColorSelected = clNone;
    a.ColorSelectedText = clBlack;
    a.ColorHotText = clBlack;
    switch (AStyle) {
    case tsOffice2003Blue:
    case tsOffice2003Silver:
    case tsOffice2003Olive:
    case tsWhidbey: WriteFace(a, Office2003Face); break;
    case tsOffice2007Luna:
    case tsOffice2007Obsidian:
    case tsOffice2007Silver: WriteFace(a, Office2007Face); break;
    case tsOffice2003Classic: WriteFace(a, ClassicFace); break;
    case tsWindowsXP:
        WriteFace(a, XPFace);
        a.ColorSelectedText = clHighlightText;
        break;
    case tsWindowsVista: WriteFace(a, VistaFace); break;
    case tsWindows7: WriteFace(a, Windows7Face); break;
    case tsTerminal:
        WriteFace(a, TerminalFace);
        a.ColorSelectedText = clHighlightText;
        break;
    case tsOffice2010Blue:
    case tsOffice2010Silver:
    case tsOffice2010Black: WriteFace(a, Office2010Face); break;
    case tsCustom: break;
    }
}
