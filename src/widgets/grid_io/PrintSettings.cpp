#include "widgets/grid_io/PrintSettings.h"

TPrintSettings::TPrintSettings(TExStringGrid* AGrid)
    : FGrid(AGrid), FFont(std::make_unique<TFont>()), FFixedFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()), FFooterFont(std::make_unique<TFont>()),
      FTitleLines(std::make_unique<TStringList>())
{
}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TPrintSettings*>(Source);
    if (!s)
        throw EInvalidCast("Invalid class typecast: cannot assign " +
                           std::string(Source ? Source->ClassName() : "nil") + " to TPrintSettings");
    if (s == this) return;
    Time = s->Time;
    Date = s->Date;
    DateFormat = s->DateFormat;
    PageNr = s->PageNr;
    PageNumSep = s->PageNumSep;
    PagePrefix = s->PagePrefix;
    PageSuffix = s->PageSuffix;
    PageNumberOffset = s->PageNumberOffset;
    MaxPagesOffset = s->MaxPagesOffset;
    Title = s->Title;
    TitleText = s->TitleText;
    *FTitleLines = *s->FTitleLines;
    TitleSpacing = s->TitleSpacing;
    FFont->Assign(*s->FFont);
    FFixedFont->Assign(*s->FFixedFont);
    FHeaderFont->Assign(*s->FHeaderFont);
    FFooterFont->Assign(*s->FFooterFont);
    UseDisplayFont = s->UseDisplayFont;
    Borders = s->Borders;
    BorderStyle = s->BorderStyle;
    BorderColor = s->BorderColor;
    Centered = s->Centered;
    RepeatFixedRows = s->RepeatFixedRows;
    RepeatFixedCols = s->RepeatFixedCols;
    HeaderSize = s->HeaderSize;
    FooterSize = s->FooterSize;
    LeftSize = s->LeftSize;
    RightSize = s->RightSize;
    ColumnSpacing = s->ColumnSpacing;
    RowSpacing = s->RowSpacing;
    Orientation = s->Orientation;
    UseDefaultOrientation = s->UseDefaultOrientation;
    FitToPage = s->FitToPage;
    FixedWidth = s->FixedWidth;
    UseFixedWidth = s->UseFixedWidth;
    FixedHeight = s->FixedHeight;
    UseFixedHeight = s->UseFixedHeight;
    NoAutoSize = s->NoAutoSize;
    NoAutoSizeRow = s->NoAutoSizeRow;
    PrintGraphics = s->PrintGraphics;
    JobName = s->JobName;
}
