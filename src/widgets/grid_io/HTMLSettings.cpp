#include "widgets/grid_io/HTMLSettings.h"

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const THTMLSettings*>(Source);
    if (!s || s == this) return;
    BorderSize = s->BorderSize;
    CellSpacing = s->CellSpacing;
    CellPadding = s->CellPadding;
    SaveColor = s->SaveColor;
    SaveFonts = s->SaveFonts;
    FooterFile = s->FooterFile;
    HeaderFile = s->HeaderFile;
    TableStyle = s->TableStyle;
    PrefixTag = s->PrefixTag;
    SuffixTag = s->SuffixTag;
    Summary = s->Summary;
    Width = s->Width;
    XHTML = s->XHTML;
    ConvertSpecialChars = s->ConvertSpecialChars;
    AutoPreview = s->AutoPreview;
    NonBreakingText = s->NonBreakingText;
}
