#pragma once
// Settings of a string grid's HTML export (its HTMLSettings): table
// attributes, CSS colours, header and footer files, XHTML framing, and the
// column widths written into the table.

#include "widgets/GridTypes.h"

#include "platform/ClassBase.h"

#include <memory>
#include <string>

class THTMLSettings : public TPersistent {
public:
    THTMLSettings();
    ~THTMLSettings() override;
    std::string ClassName() const override { return "THTMLSettings"; }
    // From another THTMLSettings: everything but ExportImages and the column
    // widths; any other source changes nothing.
    void Assign(const TPersistent* Source) override;

    // Column widths in pixels written into the table (empty by default).
    TIntList& ColWidths() { return *FColWidths; }
    const TIntList& ColWidths() const { return *FColWidths; }

    bool AutoPreview = false;
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    bool ConvertSpecialChars = false;
    bool ExportImages = true;
    std::string FooterFile;
    std::string HeaderFile;
    bool NonBreakingText = false;
    std::string PrefixTag;
    bool SaveColor = true;
    bool SaveFonts = true;
    std::string SuffixTag;
    std::string Summary;
    std::string TableStyle;
    int Width = 100;
    bool XHTML = false;

private:
    std::unique_ptr<TIntList> FColWidths;
};
