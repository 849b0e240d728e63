// TExStringGrid: look presets, their names and the scroll-bar style.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"

#include "widgets/GridControlLook.h"

namespace {

struct TLookName {
    const char* Ident;
    const char* Caption;
};

constexpr TLookName LookNames[] = {
    {"glStandard", "Standard"},    {"glSoft", "Soft"},           {"glClassic", "Classic"},
    {"glNUV", "NUV"},              {"glXP", "Windows XP"},       {"glListView", "ListView"},
    {"glVista", "Windows Vista"},  {"glWin7", "Windows 7"},      {"glOffice2007", "Office2007"},
};

} // namespace

void LookToIdent(TGridLook Value, std::string& Text)
{
    if (Value < glCustom) Text = LookNames[Value].Ident;
}

void LookToCaption(TGridLook Value, std::string& Text)
{
    if (Value < glCustom) Text = LookNames[Value].Caption;
}

int FlatScrollBarMode(TScrollType Type)
{
    switch (Type) {
    case ssNormal: return 0;
    case ssFlat: return 2;
    case ssEncarta: return 1;
    default: return -1;
    }
}

void TExStringGrid::SetLook(TGridLook Value)
{
    if (Value == FParts->FLook) return;
    FParts->FLook = Value;

    // The fixed-cell gradients through the control look, which passes a
    // start or end colour to the grid only when it is a colour.
    auto fixedGradient = [this](TColor from, TColor to) {
        FParts->FControlLook->SetFixedGradientFrom(from);
        FParts->FControlLook->SetFixedGradientTo(to);
        FParts->FControlLook->SetFixedGradientMirrorFrom(clNone);
        FParts->FControlLook->SetFixedGradientMirrorTo(clNone);
    };

    if (Value != glCustom) {
        FParts->FNUVGradientFrom = clNone;
        FParts->FNUVGradientTo = clNone;
        FParts->FNUVGradientMirrorFrom = clNone;
        FParts->FNUVGradientMirrorTo = clNone;
        FParts->FSortSettings->SetHeaderColor(clNone);
        FParts->FControlLook->SetFixedGradientMirrorFrom(clNone);
        FParts->FControlLook->SetFixedGradientMirrorTo(clNone);
        FParts->FControlLook->SetOwnFromTo(clNone, clNone);
    }

    switch (Value) {
    case glVista:
        SetStyle(gsWindowsVista);
        ComponentStyle = tsWindowsVista;
        SetSelectionStyle(ssVista);
        break;
    case glWin7:
        SetStyle(gsWindows7);
        ComponentStyle = tsWindows7;
        SetSelectionStyle(ssWin7);
        break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        ComponentStyle = tsOffice2007Luna;
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom: break;
    default: {
        SetSelectionStyle(ssDefault);
        if (Loading()) break;
        TColor f = clWhite, t = clBtnFace;
        if (Value == glStandard || Value == glSoft || Value == glClassic) {
            SetFixedColor(clBtnFace);
            f = clBtnFace;
            t = clNone;
        }
        fixedGradient(f, t);
        SetGridFixedLineColor(clGray);
        SetGridLineColor(clSilver);
        if (Value != glNUV && Value != glXP) {
            ActiveCellColor = clGray;
            ActiveCellColorTo = clNone;
            SelectionColor = clHighlight;
            SelectionTextColor = clHighlightText;
            FParts->FSearchFooter->SetColor(clBtnFace);
            FParts->FSearchFooter->SetColorTo(clBtnFace);
        } else {
            ActiveCellColor = 0xEACAB6;
            ActiveCellColorTo = clNone;
            SelectionColor = 0xEACAB6;
            SelectionColorTo = clNone;
            SelectionTextColor = 0;
            // The vendor-style colours the footer takes were reset above.
            FParts->FSearchFooter->SetColor(clNone);
            FParts->FSearchFooter->SetColorTo(clNone);
            fixedGradient(clWhite, Value == glXP ? clBtnFace : clSilver);
            TControlLook& cl = *FParts->FControlLook;
            cl.SetFixedGradientHoverFrom(0xCFD0D1);
            cl.SetFixedGradientHoverTo(0xBEC6C8);
            cl.SetFixedGradientHoverMirrorFrom(0xBEC6C8);
            cl.SetFixedGradientHoverMirrorTo(0xABBCBF);
            cl.SetFixedGradientDownFrom(0x868788);
            cl.SetFixedGradientDownTo(0x737C7E);
            cl.SetFixedGradientDownMirrorFrom(0x737C7E);
            cl.SetFixedGradientDownMirrorTo(0x627376);
        }
        break;
    }
    }

    ScrollType = ssNormal;
    BorderStyle = TGridBorderStyle::bsSingle;
    FParts->FBorderColor = 0xB99D7F;
    Invalidate();
}
