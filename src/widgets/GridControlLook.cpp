// The grid's control look, progress look and background settings.

#include "widgets/GridControlLook.h"
#include "widgets/grid_render/Parts.h"

#include "widgets/ExStringGrid.h"

// --- TControlLook -----------------------------------------------------------------------

TControlLook::TControlLook(TExStringGrid* AGrid)
    : FGrid(AGrid), FDropDownHeader(std::make_unique<THeaderAppearance>(AGrid)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(AGrid))
{
    Init();
}

TControlLook::~TControlLook() = default;

void TControlLook::Init()
{
    FColor = 0;
    FCommentColor = 0x0000FF;
    FFixedGradientFrom = clNone;
    FFixedGradientTo = clNone;
    FFixedGradientHoverFrom = 0xFFFFFF;
    FFixedGradientHoverTo = 0x808080;
    FFixedGradientHoverBorder = 0xC0C0C0;
    FFixedGradientDownFrom = 0xC0C0C0;
    FFixedGradientDownTo = 0x808080;
    FFixedGradientDownBorder = 0x808080;
    // The mirror colours go through their setters: the grid takes them.
    SetFixedGradientMirrorFrom(clNone);
    SetFixedGradientMirrorTo(clNone);
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
}

void TControlLook::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TControlLook*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    if (s == this) return;
    FCheckSize = s->FCheckSize;
    FRadioSize = s->FRadioSize;
    FControlStyle = s->FControlStyle;
    FCheckedGlyph.Assign(&s->FCheckedGlyph);
    FUnCheckedGlyph.Assign(&s->FUnCheckedGlyph);
    FRadioOnGlyph.Assign(&s->FRadioOnGlyph);
    FRadioOffGlyph.Assign(&s->FRadioOffGlyph);
    FProgressMarginX = s->FProgressMarginX;
    FProgressMarginY = s->FProgressMarginY;
    FCommentColor = s->FCommentColor;
    FColor = s->FColor;
    ProgressBorderColor = s->ProgressBorderColor;
    CheckAlwaysActive = s->CheckAlwaysActive;
    RadioAlwaysActive = s->RadioAlwaysActive;
    FFixedGradientFrom = s->FFixedGradientFrom;
    FFixedGradientTo = s->FFixedGradientTo;
    FFixedGradientMirrorFrom = s->FFixedGradientMirrorFrom;
    FFixedGradientMirrorTo = s->FFixedGradientMirrorTo;
    FFixedGradientHoverFrom = s->FFixedGradientHoverFrom;
    FFixedGradientHoverTo = s->FFixedGradientHoverTo;
    FFixedGradientHoverMirrorFrom = s->FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorTo = s->FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = s->FFixedGradientHoverBorder;
    FFixedGradientDownFrom = s->FFixedGradientDownFrom;
    FFixedGradientDownTo = s->FFixedGradientDownTo;
    FFixedGradientDownMirrorFrom = s->FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorTo = s->FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = s->FFixedGradientDownBorder;
    FDropDownAlwaysVisible = s->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = s->FSpinButtonsAlwaysVisible;
    DropDownCount = s->DropDownCount;
    FDropDownFooter->Assign(s->FDropDownFooter.get());
    FDropDownHeader->Assign(s->FDropDownHeader.get());
    HintMaxWidth = s->HintMaxWidth;
}

void TControlLook::SetOwnFromTo(TColor From, TColor To)
{
    FFixedGradientFrom = From;
    FFixedGradientTo = To;
}

void TControlLook::Changed()
{
    if (FGrid) FGrid->Invalidate();
}

void TControlLook::SetColor(TColor v)
{
    FColor = v;
    Changed();
}

void TControlLook::SetCommentColor(TColor v)
{
    FCommentColor = v;
    Changed();
}

void TControlLook::SetCheckedGlyph(const TBitmap& v)
{
    FCheckedGlyph.Assign(&v);
    Changed();
}

void TControlLook::SetUnCheckedGlyph(const TBitmap& v)
{
    FUnCheckedGlyph.Assign(&v);
    Changed();
}

void TControlLook::SetRadioOnGlyph(const TBitmap& v)
{
    FRadioOnGlyph.Assign(&v);
    Changed();
}

void TControlLook::SetRadioOffGlyph(const TBitmap& v)
{
    FRadioOffGlyph.Assign(&v);
    Changed();
}

// A colour of the fixed cells: stored, and passed to the grid's own field
// when it is a colour (always for the mirror colours).
#define ZEL_FIXED_GRADIENT(Name, GridField, Always)                                                                \
    void TControlLook::SetFixedGradient##Name(TColor v)                                                             \
    {                                                                                                               \
        FFixedGradient##Name = v;                                                                                   \
        if (FGrid && ((Always) || v != clNone)) FGrid->SetNUVGradient(TNUVGradient::GridField, v);     \
    }

ZEL_FIXED_GRADIENT(From, From, false)
ZEL_FIXED_GRADIENT(To, To, false)
ZEL_FIXED_GRADIENT(MirrorFrom, MirrorFrom, true)
ZEL_FIXED_GRADIENT(MirrorTo, MirrorTo, true)
ZEL_FIXED_GRADIENT(HoverFrom, HoverFrom, false)
ZEL_FIXED_GRADIENT(HoverTo, HoverTo, false)
ZEL_FIXED_GRADIENT(HoverMirrorFrom, HoverMirrorFrom, true)
ZEL_FIXED_GRADIENT(HoverMirrorTo, HoverMirrorTo, true)
ZEL_FIXED_GRADIENT(HoverBorder, HoverBorder, false)
ZEL_FIXED_GRADIENT(DownFrom, DownFrom, false)
ZEL_FIXED_GRADIENT(DownTo, DownTo, false)
ZEL_FIXED_GRADIENT(DownMirrorFrom, DownMirrorFrom, true)
ZEL_FIXED_GRADIENT(DownMirrorTo, DownMirrorTo, true)
ZEL_FIXED_GRADIENT(DownBorder, DownBorder, false)
#undef ZEL_FIXED_GRADIENT

void TControlLook::SetCheckSize(int v)
{
    FCheckSize = v;
    Changed();
}

void TControlLook::SetRadioSize(int v)
{
    FRadioSize = v;
    Changed();
}

void TControlLook::SetControlStyle(TControlStyle v)
{
    FControlStyle = v;
    Changed();
}

void TControlLook::SetDropDownAlwaysVisible(bool v)
{
    FDropDownAlwaysVisible = v;
    Changed();
}

void TControlLook::SetSpinButtonsAlwaysVisible(bool v)
{
    FSpinButtonsAlwaysVisible = v;
    Changed();
}

void TControlLook::SetFlatButton(bool v)
{
    FFlatButton = v;
    Changed();
}

void TControlLook::SetNoDisabledCheckRadioLook(bool v)
{
    FNoDisabledCheckRadioLook = v;
    Changed();
}

void TControlLook::SetNoDisabledButtonLook(bool v)
{
    FNoDisabledButtonLook = v;
    Changed();
}

void TControlLook::SetProgressMarginX(int v)
{
    FProgressMarginX = v;
    Changed();
}

void TControlLook::SetProgressMarginY(int v)
{
    FProgressMarginY = v;
    Changed();
}

void TControlLook::SetProgressXP(bool v)
{
    FProgressXP = v;
    Changed();
}

// --- TGridProgressAppearance -------------------------------------------------------------

void TGridProgressAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TGridProgressAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    if (s == this) return;
    auto onChange = std::move(OnChange);
    OnChange = nullptr;
    SetCompleteColor(s->CompleteColor());
    SetCompleteFontColor(s->CompleteFontColor());
    SetUnCompleteColor(s->UnCompleteColor());
    SetUnCompleteFontColor(s->UnCompleteFontColor());
    SetLevel0Color(s->Level0Color());
    SetLevel0ColorTo(s->Level0ColorTo());
    SetLevel1Color(s->Level1Color());
    SetLevel1ColorTo(s->Level1ColorTo());
    SetLevel2Color(s->Level2Color());
    SetLevel2ColorTo(s->Level2ColorTo());
    SetLevel3Color(s->Level3Color());
    SetLevel3ColorTo(s->Level3ColorTo());
    SetLevel1Perc(s->Level1Perc());
    SetLevel2Perc(s->Level2Perc());
    SetBorderColor(s->BorderColor());
    SetShowBorder(s->ShowBorder());
    SetStacked(s->Stacked());
    SetShowPercentage(s->ShowPercentage());
    SetCompletionSmooth(s->CompletionSmooth());
    SetShowGradient(s->ShowGradient());
    SetSteps(s->Steps());
    SetStyle(s->Style());
    OnChange = std::move(onChange);
    Changed();
}

// --- TBackGround ---------------------------------------------------------------------------

void TBackGround::Changed()
{
    if (FGrid) FGrid->Invalidate();
}

void TBackGround::SetTop(int v)
{
    FTop = v;
    Changed();
}

void TBackGround::SetLeft(int v)
{
    FLeft = v;
    Changed();
}

void TBackGround::SetDisplay(TBackGroundDisplay v)
{
    FDisplay = v;
    Changed();
}

void TBackGround::SetBitmap(const TBitmap& v)
{
    FBitmap.Assign(&v);
    Changed();
}

void TBackGround::SetCells(TBackGroundCells v)
{
    FCells = v;
    Changed();
}

void TBackGround::SetColor(TColor v)
{
    FColor = v;
    Changed();
}

void TBackGround::SetColorTo(TColor v)
{
    FColorTo = v;
    Changed();
}
