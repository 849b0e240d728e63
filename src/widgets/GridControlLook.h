#pragma once
// Settings objects of the grid's painting: the control look (how check
// boxes, radio buttons, in-cell buttons, progress bars, comment marks and
// drop-down parts are drawn, and the fixed cells' gradient colours), the
// look of progress-bar cells and the background behind the cells. The grid
// creates each with itself as owner and frees it with itself.

#include "widgets/dropdown/DropDownAppearance.h"

#include "platform/ClassBase.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <functional>
#include <memory>

class TExStringGrid;

enum TControlStyle : std::uint8_t { csClassic, csFlat, csWinXP, csVornal, csNUV, csGlyph, csTheme };
enum TProgressStyle : std::uint8_t { psXP, psClassic };
enum TBackGroundDisplay : std::uint8_t { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells : std::uint8_t { bcNormal, bcFixed, bcAll };

class TControlLook : public TPersistent {
public:
    explicit TControlLook(TExStringGrid* AGrid);
    ~TControlLook() override;
    std::string ClassName() const override { return "TControlLook"; }
    // From another control look only: sizes, style, glyphs, margins, the
    // colours (the fixed-cell gradients without passing them to the grid),
    // the always-active and always-visible switches, the drop-down count
    // and the hint width. Nothing is repainted.
    void Assign(const TPersistent* Source) override;
    // The starting colours, written directly: only the four mirror colours
    // reach the grid.
    void Init();

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor v);
    const TBitmap& CheckedGlyph() const { return FCheckedGlyph; }
    void SetCheckedGlyph(const TBitmap& v);
    const TBitmap& UnCheckedGlyph() const { return FUnCheckedGlyph; }
    void SetUnCheckedGlyph(const TBitmap& v);
    const TBitmap& RadioOnGlyph() const { return FRadioOnGlyph; }
    void SetRadioOnGlyph(const TBitmap& v);
    const TBitmap& RadioOffGlyph() const { return FRadioOffGlyph; }
    void SetRadioOffGlyph(const TBitmap& v);

    // Fixed-cell gradients: From / To / Border reach the grid only when they
    // are a colour, the mirror colours always. No repaint.
    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor v);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor v);
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor v);
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor v);
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor v);
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor v);
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor v);
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor v);
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor v);
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor v);
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor v);
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor v);
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor v);
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor v);
    // Its own start and end colours, without passing them to the grid.
    void SetOwnFromTo(TColor From, TColor To);

    // The drop-down editors' header and footer looks (copied in).
    THeaderAppearance& DropDownHeader() { return *FDropDownHeader; }
    void SetDropDownHeader(const THeaderAppearance& v) { FDropDownHeader->Assign(&v); }
    TFooterAppearance& DropDownFooter() { return *FDropDownFooter; }
    void SetDropDownFooter(const TFooterAppearance& v) { FDropDownFooter->Assign(&v); }

    bool FixedDropDownButton = false;
    int HintMaxWidth = 0;
    bool CheckAlwaysActive = false;
    bool RadioAlwaysActive = false;
    int DropDownCount = 8;
    TColor ProgressBorderColor = 0x808080;

    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int v);
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int v);
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle v);
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool v);
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool v);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool v);
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool v);
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool v);
    int ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(int v);
    int ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(int v);
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool v);

private:
    void Changed();
    TExStringGrid* FGrid;
    TColor FColor = 0;
    TColor FCommentColor = 0x0000FF;
    TBitmap FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
    TColor FFixedGradientFrom = clNone, FFixedGradientTo = clNone;
    TColor FFixedGradientMirrorFrom = clNone, FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = 0xFFFFFF, FFixedGradientHoverTo = 0x808080;
    TColor FFixedGradientHoverMirrorFrom = clNone, FFixedGradientHoverMirrorTo = clNone;
    TColor FFixedGradientHoverBorder = 0xC0C0C0;
    TColor FFixedGradientDownFrom = 0xC0C0C0, FFixedGradientDownTo = 0x808080;
    TColor FFixedGradientDownMirrorFrom = clNone, FFixedGradientDownMirrorTo = clNone;
    TColor FFixedGradientDownBorder = 0x808080;
    int FCheckSize = 15;
    int FRadioSize = 10;
    TControlStyle FControlStyle = csTheme;
    bool FDropDownAlwaysVisible = false;
    bool FSpinButtonsAlwaysVisible = false;
    bool FFlatButton = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FNoDisabledButtonLook = false;
    int FProgressMarginX = 2;
    int FProgressMarginY = 2;
    bool FProgressXP = false;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
};

class TGridProgressAppearance : public TPersistent {
public:
    std::string ClassName() const override { return "TGridProgressAppearance"; }
    // From another progress appearance only: every property, then OnChange once.
    void Assign(const TPersistent* Source) override;

#define ZEL_PROGRESS_PROP(Type, Name, Init)                                                                        \
public:                                                                                                             \
    Type Name() const { return F##Name; }                                                                          \
    void Set##Name(Type v)                                                                                          \
    {                                                                                                               \
        if (v == F##Name) return;                                                                                   \
        F##Name = v;                                                                                                \
        Changed();                                                                                                  \
    }                                                                                                               \
                                                                                                                    \
private:                                                                                                            \
    Type F##Name = Init;

    ZEL_PROGRESS_PROP(TColor, CompleteColor, 0x0000FF)
    ZEL_PROGRESS_PROP(TColor, CompleteFontColor, 0xFF0000)
    ZEL_PROGRESS_PROP(TColor, UnCompleteColor, clNone)
    ZEL_PROGRESS_PROP(TColor, UnCompleteFontColor, clWindowText)
    ZEL_PROGRESS_PROP(TColor, Level0Color, 0x00FF00)
    ZEL_PROGRESS_PROP(TColor, Level0ColorTo, 0xE1FFE1)
    ZEL_PROGRESS_PROP(TColor, Level1Color, 0x00FFFF)
    ZEL_PROGRESS_PROP(TColor, Level1ColorTo, 0xCAFFFF)
    ZEL_PROGRESS_PROP(TColor, Level2Color, 0x53A9FF)
    ZEL_PROGRESS_PROP(TColor, Level2ColorTo, 0xA8D3FF)
    ZEL_PROGRESS_PROP(TColor, Level3Color, 0x0000FF)
    ZEL_PROGRESS_PROP(TColor, Level3ColorTo, 0xCACAFF)
    ZEL_PROGRESS_PROP(int, Level1Perc, 70)
    ZEL_PROGRESS_PROP(int, Level2Perc, 90)
    ZEL_PROGRESS_PROP(TColor, BorderColor, 0)
    ZEL_PROGRESS_PROP(bool, ShowBorder, false)
    ZEL_PROGRESS_PROP(bool, Stacked, false)
    ZEL_PROGRESS_PROP(bool, ShowPercentage, true)
    ZEL_PROGRESS_PROP(bool, CompletionSmooth, true)
    ZEL_PROGRESS_PROP(bool, ShowGradient, true)
    ZEL_PROGRESS_PROP(int, Steps, 11)
    ZEL_PROGRESS_PROP(TProgressStyle, Style, psXP)
#undef ZEL_PROGRESS_PROP

public:
    std::function<void(TObject* Sender)> OnChange;

private:
    void Changed()
    {
        if (OnChange) OnChange(this);
    }
};

class TBackGround : public TPersistent {
public:
    explicit TBackGround(TExStringGrid* AGrid) : FGrid(AGrid) {}
    std::string ClassName() const override { return "TBackGround"; }

    int Top() const { return FTop; }
    void SetTop(int v);
    int Left() const { return FLeft; }
    void SetLeft(int v);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay v);
    const TBitmap& Bitmap() const { return FBitmap; }
    void SetBitmap(const TBitmap& v);
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);

private:
    void Changed();
    TExStringGrid* FGrid;
    int FTop = 0;
    int FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    TBitmap FBitmap;
    TBackGroundCells FCells = bcNormal;
    TColor FColor = clWindow;
    TColor FColorTo = clBtnFace;
};
