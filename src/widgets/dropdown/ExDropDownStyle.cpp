// The drop-down edit's colour styles: the component style presets of the
// pop-up, its header and footer and their push buttons, the selection
// colour styles and their faces, and the colours from a tone set.

#include "widgets/dropdown/ExDropDown.h"

#include "widgets/GridDraw.h"

namespace {

// A colour the style leaves as it is.
constexpr TColor Keep = 0xFFFFFFFFu;

struct TStripColors {
    TColor Color, ColorTo, FontColor, BorderColor;
};

struct TPopupPreset {
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    TStripColors Header, Footer;
};

// By TNUVStyle (the tsCustom row is never used).
constexpr TPopupPreset PopupPresets[] = {
    {0xFFFFFF, clNone, Keep, {0xFCE1CB, 0xE0A57D, 0x000000, 0x000000}, {0xFCE1CB, 0xE0A57D, 0x000000, 0x962D00}},
    {0xFFFFFF, clNone, Keep, {0xECE2E1, 0xB39698, 0x000000, 0x947C7C}, {0xECE2E1, 0xB39698, 0x000000, 0x947C7C}},
    {0xFFFFFF, clNone, clNone, {0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060}, {0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060}},
    {0xF2F2F2, 0xF2F2F2, clNone, {0x808080, 0x808080, 0xFFFFFF, 0x808080}, {0x808080, 0x808080, 0xFFFFFF, 0x808080}},
    {0xF3E5DA, 0xF0DED0, clNone, {0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF}, {0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF}},
    {0xFFFFFF, clNone, clNone, {0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C}, {0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C}},
    {0xFFFFFF, clNone, Keep, {0xFFFFFF, clBtnFace, 0x000000, 0x808080}, {0xFFFFFF, clBtnFace, 0x000000, 0x808080}},
    {0xF5F9FA, 0xF5F9FA, clNone, {0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00}, {0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00}},
    {Keep, Keep, Keep, {Keep, Keep, Keep, Keep}, {Keep, Keep, Keep, Keep}},
    {0xF8F4F1, 0xF0E8E3, clNone, {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F}, {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F}},
    {0xFFFFFF, 0xFFFFFF, 0x979797, {0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA}, {0xFFFAF0, 0xFFFDF9, 0x000000, 0xFCF2DA}},
    {0xFFFFFF, 0xFFFFFF, 0x979797, {0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8}, {0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8}},
    {0xFFFFFF, 0xFFFFFF, 0x808080, {clBtnFace, clBtnFace, 0x000000, clNone}, {clBtnFace, clBtnFace, 0x000000, clNone}},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F}, {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F}},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8}, {0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8}},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D}, {0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D}},
};

// The push buttons' colours, in the order they are set.
struct TButtonPreset {
    TColor Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot, ColorDown, ColorDownTo,
        BorderColorDown, ColorDisabled, ColorDisabledTo, ColorChecked, ColorCheckedTo, BorderColorChecked;
};

// The states shared by the Office 2003 and 2007 looks and Whidbey.
#define ZEL_OFFICE_STATES                                                                                      \
    0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B
#define ZEL_OFFICE2010_STATES                                                                                  \
    0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE

constexpr TButtonPreset ButtonPresets[] = {
    {0xFCE1CB, 0xE0A57D, clNone, ZEL_OFFICE_STATES},
    {0xECE2E1, 0xB39698, clNone, ZEL_OFFICE_STATES},
    {0xCFF0EA, 0x8CC0B1, clNone, ZEL_OFFICE_STATES},
    {0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4,
     0xD8D5D4, 0xD8D5D4, 0x808080},
    {0xFFEFE3, 0xFFDDC4, clNone, ZEL_OFFICE_STATES},
    {0xF2F1F0, 0xC9C2BD, clNone, ZEL_OFFICE_STATES},
    {0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption, clHighlight,
     0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
    {0xFFFFFF, 0xDFEDF0, clNone, ZEL_OFFICE_STATES},
    {Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep},
    {0xF9F8F8, 0xE4E2DF, clNone, ZEL_OFFICE_STATES},
    {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF,
     0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF,
     0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    {clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080, clBtnFace,
     clBtnFace, clBtnFace, clBtnFace, clHighlight},
    {0xFDF6EF, 0xF0DAC7, 0xC7B29F, ZEL_OFFICE2010_STATES},
    {0xFFFFFF, 0xEDE5E0, 0xD2CDC8, ZEL_OFFICE2010_STATES},
    {0xBFBFBF, 0x919191, 0xD7D7D6, ZEL_OFFICE2010_STATES},
};

#undef ZEL_OFFICE_STATES
#undef ZEL_OFFICE2010_STATES

static_assert(sizeof(PopupPresets) / sizeof(PopupPresets[0]) == tsOffice2010Black + 1);
static_assert(sizeof(ButtonPresets) / sizeof(ButtonPresets[0]) == tsOffice2010Black + 1);

void Put(TColor& Field, TColor Value)
{
    if (Value != Keep) Field = Value;
}

template <class Appearance>
void WriteStrip(Appearance& a, const TStripColors& c)
{
    Put(a.Color, c.Color);
    Put(a.ColorTo, c.ColorTo);
    if (c.FontColor != Keep) a.Font().SetColor(c.FontColor);
    Put(a.BorderColor, c.BorderColor);
}

void WriteButtons(TExButtonAppearance& a, const TButtonPreset& p)
{
    a.SetColor(p.Color);
    a.SetColorTo(p.ColorTo);
    a.SetBorderColor(p.BorderColor);
    a.SetColorHot(p.ColorHot);
    a.SetColorHotTo(p.ColorHotTo);
    a.SetBorderColorHot(p.BorderColorHot);
    a.SetColorDown(p.ColorDown);
    a.SetColorDownTo(p.ColorDownTo);
    a.SetBorderColorDown(p.BorderColorDown);
    a.SetColorDisabled(p.ColorDisabled);
    a.SetColorDisabledTo(p.ColorDisabledTo);
    a.SetColorChecked(p.ColorChecked);
    a.SetColorCheckedTo(p.ColorCheckedTo);
    a.SetBorderColorChecked(p.BorderColorChecked);
}

// The rounded face's colours by selection colour style (scOffice2007,
// scWindowsVista, scWindows7).
struct TSelectionFace {
    TColor Corner, Border, LowerInner, UpperInner, MirrorColor, MirrorColorTo;
};
constexpr TSelectionFace SelectionFaces[] = {
    {0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0x58D4FC, 0xB3F1FC},
    {0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone},
    {0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone},
};

} // namespace

void TExCustomDropDown::SetComponentStyle(TNUVStyle AStyle)
{
    FNUVStyle = AStyle;
    if (AStyle == tsCustom || AStyle > tsOffice2010Black) return;
    // Written straight into the fields: an open pop-up keeps its look.
    const TPopupPreset& p = PopupPresets[AStyle];
    SetDropDownColor(p.DropDownColor);
    Put(FDropDownColorTo, p.DropDownColorTo);
    Put(FDropDownBorderColor, p.DropDownBorderColor);
    WriteStrip(*FDropDownHeader, p.Header);
    WriteStrip(*FDropDownFooter, p.Footer);
    WriteButtons(*FButtonAppearance, ButtonPresets[AStyle]);
}

void TExCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    FSelectionColorStyle = Value;
    switch (Value) {
    case scOffice2007:
        FSelectionColor = 0xD7FFFD;
        FSelectionColorTo = 0x58D4FC;
        break;
    case scWindowsVista:
        FSelectionColor = 0xFDF8F1;
        FSelectionColorTo = 0xFCEFD5;
        break;
    case scWindows7:
        FSelectionColor = 0xFCEBDC;
        FSelectionColorTo = 0xFCDBC1;
        break;
    case scCustom: break;
    }
}

void TExCustomDropDown::DrawSelection(TCanvas& Canvas, const TRect& R, TColor BackColor, int SegmentKind)
{
    if (FSelectionColorStyle == scCustom || FSelectionColorStyle > scWindows7) {
        Canvas.Pen().SetColor(FSelectionColor);
        Canvas.Brush().SetColor(FSelectionColor);
        Canvas.FillRect(R);
        return;
    }
    const TSelectionFace& f = SelectionFaces[FSelectionColorStyle - scOffice2007];
    DrawRoundedSelection(Canvas, FSelectionColor, FSelectionColorTo, SegmentKind, R, BackColor, f.Corner, f.Border,
                         f.LowerInner, f.UpperInner, f.MirrorColorTo, f.MirrorColor);
}

void TExCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton) {
        FButton->ButtonColor = ATones.Background.BrushColor;
        FButton->ButtonColorHot = ATones.Hover.BrushColor;
        FButton->ButtonColorDown = ATones.Selected.BrushColor;
        FButton->ButtonBorderColor = ATones.Background.BorderColor;
    }
    SetBorderColor(ATones.Background.BorderColor);
}
