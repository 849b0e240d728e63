// TExStringGrid: the looks of a cell (colours, font, alignments, word wrap),
// the appearance setters, colour tones and the Office-theme adaptation.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridDraw.h"
#include "widgets/GridParsers.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Paint.h"

#include "platform/DrawText.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <tuple>

namespace {

bool IsNumberText(const std::string& s)
{
    const int k = NumberTextKind(Trim(s));
    return k == nkInteger || k == nkDecimal || k == nkScientific;
}

} // namespace

// --- the looks of a cell ----------------------------------------------------------------

void TExStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                        bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                        TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                        bool& WW, TCellGradientDirection& GD)
{
    // 1. the font of normal and of fixed cells
    const bool normal = ACol >= FixedCols() && ARow >= FixedRows();
    const bool printFonts = Print && !FParts->FPrintSettings->UseDisplayFont;
    if (normal)
        AFont->Assign(printFonts ? FParts->FPrintSettings->Font() : Font());
    else
        AFont->Assign(printFonts ? FParts->FPrintSettings->FixedFont() : FParts->FFixedFont);
    const bool fixed = !normal || IsFixed(ACol, ARow);

    // 2.
    const int RCol = Remap ? Model().RealCol(ACol) : ACol;
    const bool enabledRows = FModel->FRowFlags.EnablingInUse();
    const int selRow =
        ((FParts->FMouseActions->DisjunctRowSelect() && FParts->FMouseActions->RowSelectPersistent) || enabledRows)
            ? Model().RealRow(ARow)
            : ARow;

    // 3.
    TColor brush = clNone;
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;

    // 4. the cell's own looks
    bool ownColor = false;
    if (const TCellProperties* p = FindCellProperties(RCol, ARow)) {
        const TCellType t = GetCellType(RCol, ARow);
        brush = p->BrushColor();
        if ((t == ctNone || t == ctRotated || t == ctEmpty) && brush != clNone) ownColor = true;
        if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        if (!p->FontStyle.Empty()) AFont->SetStyle(p->FontStyle);
        if (p->FontSize != 0) AFont->SetSize(p->FontSize);
        if (!p->FontName.empty()) AFont->SetName(p->FontName);
        WW = p->WordWrap();
        AColorTo = p->BrushColorTo();
        GD = p->GradientDirection;
    }
    // 5.
    if (AState.Contains(gdSelected)) GD = GradientVertical;

    // 6. grid colour, bands, fixed colour
    if (brush == clNone) {
        brush = Color();
        if (FParts->FBands->Active() && (!Print || FParts->FBands->Print) && normal &&
            ACol < ColCount() + NumHiddenColumns() - FixedRightCols && ARow < RowCount() - FixedFooters &&
            FParts->FBands->TotalLength() > 0)
            brush = (ARow - FixedRows()) % FParts->FBands->TotalLength() < FParts->FBands->PrimaryLength() ? FParts->FBands->PrimaryColor()
                                                                                           : FParts->FBands->SecondaryColor();
        if (ACol < FixedCols() || ARow < FixedRows() || Model().DisplCol(RCol) >= ColCount() - FixedRightCols ||
            ARow >= RowCount() - FixedFooters)
            brush = FixedColor();
    }

    // 7. fixed cells without a colour of their own
    if (fixed && !ownColor) {
        if (!Print) {
            brush = FixedColor();
            AFont->Assign(FParts->FFixedFont);
            AState += gdFixed;
        }
        if (FParts->FLook > glClassic) {
            brush = FParts->FNUVGradientFrom;
            AColorTo = FParts->FNUVGradientTo;
            AMirrorColor = FParts->FNUVGradientMirrorFrom;
            AMirrorColorTo = FParts->FNUVGradientMirrorTo;
        }
    }

    // 8. the colour hook
    ABrush->SetColor(brush);
    if (Print)
        GetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
    else
        GetCellColor(RCol, ARow, AState, ABrush, AFont);

    // 9.
    if (OnGetCellGradient) {
        TColor c = ABrush->Color();
        OnGetCellGradient(this, ARow, RCol, c, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->SetColor(c);
    }

    // 10. the colours the events gave
    const TColor eventBrush = ABrush->Color();
    const TColor eventFont = AFont->Color();

    auto selectionColors = [&](TColor selBrush) {
        ABrush->SetColor(selBrush);
        AColorTo = SelectionColorTo;
        AMirrorColor = SelectionMirrorColor;
        AMirrorColorTo = SelectionMirrorColorTo;
        if (SelectionTextColor != clNone) AFont->SetColor(SelectionTextColor);
    };
    const bool disRow = FParts->FMouseActions->DisjunctRowSelect();
    const bool disCol = FParts->FMouseActions->DisjunctColSelect();

    // 11. disjoint row selection
    if (normal && disRow && !Print && Select && ShowSelection && !fixed) {
        const bool rowSelected = FModel->FRowFlags.Selected(selRow);
        if (((FParts->Input.FMouseDown && ARow == Row()) || !rowSelected) &&
            (!FParts->Input.FMouseDown || rowSelected || !AState.Contains(gdSelected))) {
            AState -= gdSelected;
        } else {
            AState = TGridDrawState{gdSelected};
            selectionColors(SelectionColor);
        }
    }
    // 12. disjoint column selection
    if (ARow >= FixedRows() && ACol >= FixedCols() && disCol && !Print && Select && ShowSelection && !fixed) {
        const bool colSelected = FModel->FColFlags.Selected(ACol);
        if (((!FParts->Input.FMouseDown || Col() != ACol) && colSelected) ||
            (FParts->Input.FMouseDown && !colSelected && AState.Contains(gdSelected))) {
            AState = TGridDrawState{gdSelected};
            selectionColors(SelectionColor);
        }
    }
    // 13. the plain selection
    if ((Select && !Print && ShowSelection && !fixed && IsSelected(ACol, ARow) && !disRow && !disCol) ||
        (AState.Contains(gdSelected) && FParts->Input.FMouseDown && ShowSelection)) {
        const TColor b = ABrush->Color();
        selectionColors(b == Color()
                            ? SelectionColor
                            : MixSelectionColor(SelectionColor, b, SelectionColorMixer, FParts->FSelectionColorMixerFactor));
        AState += gdSelected;
    }
    // 14. disjoint cell selection
    if (FParts->FMouseActions->DisjunctCellSelect() && ShowSelection) {
        const int key = static_cast<int>((static_cast<unsigned>(ARow) << 16) | (static_cast<unsigned>(ACol) & 0xFFFFu));
        if (FModel->FSelectedCells.HasValue(key)) {
            selectionColors(SelectionColor);
            AState += gdSelected;
        } else if (ACol == Col() && ARow == Row()) {
            AState -= gdSelected;
            ABrush->SetColor(eventBrush);
            AFont->SetColor(eventFont);
        }
    }
    // 15. disabled rows
    if (UseDisabledFont && enabledRows && !FModel->FRowFlags.Enabled(selRow)) AFont->SetColor(DisabledFontColor);
    // 16. selected rows other than the current one, a little lighter
    if (AState.Contains(gdSelected) && ARow != Row() && disRow && SelectionColorTo == clNone)
        ABrush->SetColor(ChangeColorPercent(ABrush->Color(), 7));
    // 17., 18.
    GetCellWordWrap(RCol, ARow, WW);
    std::tie(HA, VA) = GetCellAlignment(RCol, ARow);
}

void TGridPaintPart::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                                      TBrush* ABrush, bool /*Remap*/)
{
    const bool fixed = G.IsFixed(ACol, ARow) || ACol < G.FixedCols() || ARow < G.FixedRows();
    AFont->Assign(fixed ? G.FParts->FFixedFont : G.Font());
    if (const TCellProperties* p = G.FindCellProperties(RCol, ARow)) {
        if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        if (!p->FontStyle.Empty()) AFont->SetStyle(p->FontStyle);
        if (p->FontSize != 0) AFont->SetSize(p->FontSize);
        if (!p->FontName.empty()) AFont->SetName(p->FontName);
    }
    G.GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

std::pair<TAlignment, TVAlignment> TExStringGrid::GetCellAlignment(int ACol, int ARow)
{
    TAlignment ha = DefaultAlignment;
    TVAlignment va = VAlignment;
    bool formula = false;
    if (AutoNumAlign) {
        std::string text = Cells(ACol, ARow);
        formula = text.size() >= 1 && text[0] == '=';
        if (formula || (text.size() > 3 && text.compare(0, 2, "|\\") == 0 && text[3] == '='))
            FormulaValue(ACol, ARow, text);
        if (IsNumberText(text)) ha = TAlignment::taRightJustify;
    }
    if (const TCellProperties* p = FindCellProperties(ACol, ARow); p && !formula) ha = p->Alignment;
    GetCellAlign(ACol, ARow, ha, va);
    return {ha, va};
}

void TExStringGrid::FormulaValue(int ACol, int ARow, std::string& Text) { Text = GetCellEx(ACol, ARow); }

// --- appearance setters ---------------------------------------------------------------------

namespace {

template <class T>
bool Store(T& field, T v)
{
    if (field == v) return false;
    field = v;
    return true;
}

} // namespace

void TExStringGrid::SetSelectionColor(TColor Value)
{
    if (Store(SelectionColor, Value)) Invalidate();
}
void TExStringGrid::SetSelectionColorTo(TColor Value)
{
    if (Store(SelectionColorTo, Value)) Invalidate();
}
void TExStringGrid::SetSelectionMirrorColor(TColor Value)
{
    if (Store(SelectionMirrorColor, Value)) Invalidate();
}
void TExStringGrid::SetSelectionMirrorColorTo(TColor Value)
{
    if (Store(SelectionMirrorColorTo, Value)) Invalidate();
}
void TExStringGrid::SetSelectionTextColor(TColor Value)
{
    if (Store(SelectionTextColor, Value)) Invalidate();
}
void TExStringGrid::SetSelectionColorMixer(bool Value)
{
    if (Store(SelectionColorMixer, Value)) Invalidate();
}
void TExStringGrid::SetSelectionRectangle(bool Value)
{
    if (Store(SelectionRectangle, Value)) Invalidate();
}
void TExStringGrid::SetSelectionResizer(bool Value)
{
    if (Store(SelectionResizer, Value)) Invalidate();
}

void TExStringGrid::SetShowSelection(bool Value)
{
    if (!Store(ShowSelection, Value)) return;
    ShowSel = Value;
    Invalidate();
}

void TExStringGrid::SetMaxEditLength(int Value)
{
    MaxEditLength = Value;
    // The in-place editor takes its limit from GetEditLimit when it opens.
}

void TExStringGrid::SetSortSettings(const TSortSettings& Value) { FParts->FSortSettings->Assign(&Value); }

void TExStringGrid::SetSyncGrid(const TSyncGrid& Value) { FParts->FSyncGrid->Assign(&Value); }

void TExStringGrid::SetSpreadSheet(bool Value)
{
    SpreadSheet = Value;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FParts->FNavigation->AllowSmartClipboard = true;
    SetOptions(Options() + goRangeSelect + goEditing);
    FParts->FMouseActions->RangeSelectAndEdit = true;
}

void TExStringGrid::SetVAlignment(TVAlignment Value)
{
    VAlignment = Value;
    FParts->Paint.FVerticalTextFlag = Value == vtaTop ? DT_TOP : Value == vtaCenter ? DT_VCENTER : DT_BOTTOM;
    if (UpdateCount() == 0) Invalidate();
}

void TExStringGrid::SetAutoSize(bool Value)
{
    AutoSize = Value;
    if (Value && !Loading()) AutoSizeColumns(false, 10);
}

void TExStringGrid::SetFlat(bool Value)
{
    Flat = Value;
    if (!Loading()) Invalidate();
}

// --- colour schemes ---------------------------------------------------------------------------

void TExStringGrid::SetColorTones(const TColorTones& ATones)
{
    // 1.
    FParts->Paint.FTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    ScrollType = ssMetro;
    // 2., 3.
    const std::string ui = DefaultUIFontName();
    SetFixedColor(ATones.Foreground.BrushColor);
    FParts->FFixedFont.SetColor(ATones.Foreground.TextColor);
    FParts->FFixedFont.SetName(ui);
    SetColor(ATones.Background.BrushColor);
    Font().SetName(ui);
    Font().SetColor(ATones.Background.TextColor);
    // 4.
    SetSelectionColor(ATones.Selected.BrushColor);
    SetSelectionTextColor(ATones.Selected.TextColor);
    SetSelectionColorTo(clNone);
    // 5.
    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(ChangeColorPercent(ATones.Foreground.BrushColor, -20));
    BorderStyle = TGridBorderStyle::bsNone;
    // 6.
    FParts->FControlLook->SetControlStyle(csGlyph);
    EnsureGridBitmaps();
    auto glyph = [](const char* name) {
        TBitmap b;
        b.LoadFromResourceName(name);
        return b;
    };
    FParts->FControlLook->SetCheckedGlyph(glyph("metrocheckon"));
    FParts->FControlLook->SetUnCheckedGlyph(glyph("metrocheckoff"));
    FParts->FControlLook->SetRadioOffGlyph(glyph("metroradiooff"));
    FParts->FControlLook->SetRadioOnGlyph(glyph("metroradioon"));
    // 7., 8. The grid holds no editor or drop-down editor objects of its
    // own yet; they take the tones when they are created.
    // 9.
    FParts->FControlLook->SetFlatButton(true);
    FParts->FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FParts->FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    FParts->FCellNode->SetNodeType(cnFlat);
    Invalidate();
}

void TExStringGrid::SetEditorsComponentStyle(TNUVStyle /*AStyle*/)
{
    // The colour, image, grid, detail, time, calculator and memo drop-down
    // editors each take the style when they exist; the grid holds none yet.
}

void TExStringGrid::ApplyOfficeTheme()
{
    if (Designing()) return;
    const TOfficeTheme theme = CurrentOfficeTheme();
    if (static_cast<int>(theme) == FParts->Paint.FOldOfficeTheme) return;
    switch (theme) {
    case ot2003Blue: SetComponentStyle(tsOffice2003Blue); break;
    case ot2003Silver: SetComponentStyle(tsOffice2003Silver); break;
    case ot2003Olive: SetComponentStyle(tsOffice2003Olive); break;
    case ot2003Classic: SetComponentStyle(tsOffice2003Classic); break;
    case ot2007Blue: SetComponentStyle(tsOffice2007Luna); break;
    case ot2007Silver: SetComponentStyle(tsOffice2007Silver); break;
    case ot2007Black: SetComponentStyle(tsOffice2007Obsidian); break;
    case ot2010Blue: SetComponentStyle(tsOffice2010Blue); break;
    case ot2010Silver: SetComponentStyle(tsOffice2010Silver); break;
    case ot2010Black: SetComponentStyle(tsOffice2010Black); break;
    default: break;
    }
    FParts->Paint.FOldOfficeTheme = static_cast<int>(theme);
}
