#pragma once
// Page layout of a string grid's printing and preview (its PrintSettings):
// header and footer items, fonts, borders, margins, spacing, orientation,
// scaling and the job name. Lengths are in tenths of a millimetre.

#include "platform/ClassBase.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <memory>
#include <string>

class TExStringGrid;

enum TPrintPosition : std::uint8_t {
    ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter
};
enum TPrintBorders : std::uint8_t {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal,
    pbCustom
};
enum TFitToPage : std::uint8_t { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TPrinterOrientation : std::uint8_t { poPortrait, poLandscape };

class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TExStringGrid* AGrid);
    ~TPrintSettings() override;
    std::string ClassName() const override { return "TPrintSettings"; }
    // Copies every published setting from another TPrintSettings; any other
    // source (none included) raises EInvalidCast and copies nothing.
    void Assign(const TPersistent* Source) override;
    TExStringGrid* Grid() const { return FGrid; }

    // Fonts and title lines: the setters copy.
    TFont& Font() { return *FFont; }
    const TFont& Font() const { return *FFont; }
    void SetFont(const TFont& Value) { FFont->Assign(Value); }
    TFont& FixedFont() { return *FFixedFont; }
    const TFont& FixedFont() const { return *FFixedFont; }
    void SetFixedFont(const TFont& Value) { FFixedFont->Assign(Value); }
    TFont& HeaderFont() { return *FHeaderFont; }
    const TFont& HeaderFont() const { return *FHeaderFont; }
    void SetHeaderFont(const TFont& Value) { FHeaderFont->Assign(Value); }
    TFont& FooterFont() { return *FFooterFont; }
    const TFont& FooterFont() const { return *FFooterFont; }
    void SetFooterFont(const TFont& Value) { FFooterFont->Assign(Value); }
    TStringList& TitleLines() { return *FTitleLines; }
    const TStringList& TitleLines() const { return *FTitleLines; }
    void SetTitleLines(const TStringList& Value) { *FTitleLines = Value; }

    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    std::string DateFormat = "dd/mm/yyyy";
    TPrintPosition PageNr = ppNone;
    std::string PageNumSep = "/";
    std::string PagePrefix;
    std::string PageSuffix;
    int PageNumberOffset = 0;
    int MaxPagesOffset = 0;
    TPrintPosition Title = ppNone;
    std::string TitleText;
    int TitleSpacing = 0;
    bool UseDisplayFont = true;
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    TColor BorderColor = clBlack;
    bool Centered = true;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    int HeaderSize = 0;
    int FooterSize = 0;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    bool UseDefaultOrientation = false;
    TFitToPage FitToPage = fpNever;
    int FixedWidth = 0;
    bool UseFixedWidth = false;
    int FixedHeight = 0;
    bool UseFixedHeight = false;
    bool NoAutoSize = false;
    bool NoAutoSizeRow = false;
    bool PrintGraphics = false;
    std::string JobName;
    // Not published: in selection printing the fixed rows and columns are
    // always printed.
    bool FixedCellsAlways = false;

private:
    TExStringGrid* FGrid;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TFont> FFooterFont;
    std::unique_ptr<TStringList> FTitleLines;
};
