// The column settings of a column grid as an XML document: every setting
// of every column item, written and read back through TExColumnGridIO.
//
//   <TExColumnGridIO Count="3">
//   	<Column Header="Name" Width="80" Editor="0" ...>
//   		<Font Name="Tahoma" Height="-11" Color="..." Style="0" .../>
//   		<HeaderFont .../>  <PrintFont .../>
//   		<BorderPen Color="..." Width="1" Style="0" Mode="0" />  <PrintBorderPen .../>
//   		<ComboItems><Item>A</Item>...</ComboItems>
//   		<Filter><Item>Caption=Condition</Item>...</Filter>
//   	</Column>
//   </TExColumnGridIO>
//
// Reading is all or nothing: a document of another kind, a number that does
// not read or a value outside its range leave the settings as they were.
// Design positions that are not a permutation of the columns are not taken
// (the columns keep the positions they had).

#include "widgets/ExColumnGrid.h"

#include "platform/XmlDoc.h"

#include <cstdint>
#include <istream>
#include <iterator>
#include <ostream>
#include <vector>

namespace {

constexpr const char* RootName = "TExColumnGridIO";
constexpr const char* ColumnName = "Column";

void SetInt(pugi::xml_node n, const char* name, long long v)
{
    n.append_attribute(name).set_value(std::to_string(v).c_str());
}

// A reader that remembers the first value that did not fit.
class TReader {
public:
    bool ok = true;

    // An integer attribute within lo..hi; a missing attribute keeps v.
    template <class T>
    void Int(pugi::xml_node n, const char* name, T& v, long long lo, long long hi)
    {
        pugi::xml_attribute a = n.attribute(name);
        if (!a) return;
        long long x = 0;
        if (!ReadInteger(a.value(), x) || x < lo || x > hi) {
            ok = false;
            return;
        }
        v = static_cast<T>(x);
    }
    void Bool(pugi::xml_node n, const char* name, bool& v)
    {
        int x = v ? 1 : 0;
        Int(n, name, x, 0, 1);
        v = x != 0;
    }
    void Str(pugi::xml_node n, const char* name, std::string& v)
    {
        if (pugi::xml_attribute a = n.attribute(name)) v = a.value();
    }

private:
    static bool ReadInteger(const char* s, long long& out)
    {
        std::string t(s);
        if (t.empty() || t.size() > 20) return false;
        std::size_t i = 0;
        bool neg = false;
        if (t[0] == '-') {
            neg = true;
            i = 1;
        }
        if (i >= t.size()) return false;
        long long v = 0;
        for (; i < t.size(); ++i) {
            if (t[i] < '0' || t[i] > '9') return false;
            if (v > (INT64_MAX - 9) / 10) return false;
            v = v * 10 + (t[i] - '0');
        }
        out = neg ? -v : v;
        return true;
    }
};

constexpr long long IntLo = INT32_MIN;
constexpr long long IntHi = INT32_MAX;
constexpr long long ColorHi = UINT32_MAX;

void WriteFont(pugi::xml_node parent, const char* name, const TFont& f)
{
    pugi::xml_node n = parent.append_child(name);
    n.append_attribute("Name").set_value(f.Name().c_str());
    SetInt(n, "Height", f.Height());
    SetInt(n, "Color", f.Color());
    SetInt(n, "Style", static_cast<long long>(f.Style().Bits()));
    SetInt(n, "Pitch", f.Pitch());
    SetInt(n, "Orientation", f.Orientation());
    SetInt(n, "Charset", f.Charset());
}

void ReadFont(TReader& r, pugi::xml_node parent, const char* name, TFont& f)
{
    pugi::xml_node n = parent.child(name);
    if (!n) return;
    std::string fontName = f.Name();
    int height = f.Height();
    TColor color = f.Color();
    int style = static_cast<int>(f.Style().Bits());
    int pitch = f.Pitch();
    int orientation = f.Orientation();
    int charset = f.Charset();
    r.Str(n, "Name", fontName);
    r.Int(n, "Height", height, -4096, 4096);
    r.Int(n, "Color", color, 0, ColorHi);
    r.Int(n, "Style", style, 0, 15);
    r.Int(n, "Pitch", pitch, fpDefault, fpFixed);
    r.Int(n, "Orientation", orientation, -3600, 3600);
    r.Int(n, "Charset", charset, 0, 255);
    if (!r.ok) return;
    f.SetName(fontName);
    f.SetHeight(height);
    f.SetColor(color);
    f.SetStyle(TFontStyles::FromBits(static_cast<std::uint64_t>(style)));
    f.SetPitch(static_cast<TFontPitch>(pitch));
    f.SetOrientation(orientation);
    f.SetCharset(charset);
}

void WritePen(pugi::xml_node parent, const char* name, const TPen& p)
{
    pugi::xml_node n = parent.append_child(name);
    SetInt(n, "Color", p.Color());
    SetInt(n, "Width", p.Width());
    SetInt(n, "Style", p.Style());
    SetInt(n, "Mode", p.Mode());
}

void ReadPen(TReader& r, pugi::xml_node parent, const char* name, TPen& p)
{
    pugi::xml_node n = parent.child(name);
    if (!n) return;
    TColor color = p.Color();
    int width = p.Width();
    int style = p.Style();
    int mode = p.Mode();
    r.Int(n, "Color", color, 0, ColorHi);
    r.Int(n, "Width", width, 0, 1000);
    r.Int(n, "Style", style, psSolid, psInsideFrame);
    r.Int(n, "Mode", mode, pmCopy, pmNot);
    if (!r.ok) return;
    p.SetColor(color);
    p.SetWidth(width);
    p.SetStyle(static_cast<TPenStyle>(style));
    p.SetMode(static_cast<TPenMode>(mode));
}

void WriteList(pugi::xml_node parent, const char* name, const TStringList& l)
{
    pugi::xml_node n = parent.append_child(name);
    for (const std::string& s : l) n.append_child("Item").text().set(s.c_str());
}

void ReadList(pugi::xml_node parent, const char* name, TStringList& l)
{
    pugi::xml_node n = parent.child(name);
    if (!n) return;
    l.Clear();
    for (pugi::xml_node i = n.child("Item"); i; i = i.next_sibling("Item")) l.Add(i.text().get());
}

// Everything of one item (the references to other components excepted).
struct TItemSettings {
    int AutoMinSize, AutoMaxSize, DropDownCount, EditLength, MinSize, MaxSize, SpinMax, SpinMin, SpinStep, Tag,
        Width, DefIdx;
    int Alignment, HeaderAlignment, Borders, PrintBorders, ColumnPopupType, Editor, SortStyle;
    TColor Color, PrintColor;
    bool FilterCaseSensitive, Fixed, Password, PrintBorderCustom, PrintFontCustom, ReadOnly, ShowBands;
    std::string CheckFalse, CheckTrue, EditMask, FloatFormat, Header, Name, SortPrefix, SortSuffix;
    TFont Font, HeaderFont, PrintFont;
    TPen BorderPen, PrintBorderPen;
    TStringList ComboItems, Filter;
};

TItemSettings Settings(const TGridColumnItem& it)
{
    TItemSettings s;
    s.AutoMinSize = it.AutoMinSize;
    s.AutoMaxSize = it.AutoMaxSize;
    s.DropDownCount = it.DropDownCount;
    s.EditLength = it.EditLength;
    s.MinSize = it.MinSize;
    s.MaxSize = it.MaxSize;
    s.SpinMax = it.SpinMax;
    s.SpinMin = it.SpinMin;
    s.SpinStep = it.SpinStep;
    s.Tag = it.Tag;
    s.Width = it.Width();
    s.DefIdx = it.DefIdx();
    s.Alignment = static_cast<int>(it.Alignment());
    s.HeaderAlignment = static_cast<int>(it.HeaderAlignment());
    s.Borders = it.Borders();
    s.PrintBorders = it.PrintBorders;
    s.ColumnPopupType = it.ColumnPopupType;
    s.Editor = it.Editor();
    s.SortStyle = it.SortStyle;
    s.Color = it.Color();
    s.PrintColor = it.PrintColor;
    s.FilterCaseSensitive = it.FilterCaseSensitive;
    s.Fixed = it.Fixed();
    s.Password = it.Password();
    s.PrintBorderCustom = it.PrintBorderCustom;
    s.PrintFontCustom = it.PrintFontCustom;
    s.ReadOnly = it.ReadOnly;
    s.ShowBands = it.ShowBands();
    s.CheckFalse = it.CheckFalse;
    s.CheckTrue = it.CheckTrue;
    s.EditMask = it.EditMask;
    s.FloatFormat = it.FloatFormat();
    s.Header = it.Header();
    s.Name = it.Name;
    s.SortPrefix = it.SortPrefix;
    s.SortSuffix = it.SortSuffix;
    s.Font = it.Font();
    s.HeaderFont = it.HeaderFont();
    s.PrintFont = it.PrintFont();
    s.BorderPen = it.BorderPen();
    s.PrintBorderPen = it.PrintBorderPen();
    s.ComboItems = it.ComboItems();
    s.Filter = it.Filter();
    s.Font.OnChange = nullptr;
    s.HeaderFont.OnChange = nullptr;
    s.BorderPen.OnChange = nullptr;
    return s;
}

void Apply(const TItemSettings& s, TGridColumnItem& it)
{
    it.AutoMinSize = s.AutoMinSize;
    it.AutoMaxSize = s.AutoMaxSize;
    it.DropDownCount = s.DropDownCount;
    it.EditLength = s.EditLength;
    it.MinSize = s.MinSize;
    it.MaxSize = s.MaxSize;
    it.SpinMax = s.SpinMax;
    it.SpinMin = s.SpinMin;
    it.SpinStep = s.SpinStep;
    it.Tag = s.Tag;
    it.SetStoredWidth(s.Width);
    it.SetDefIdx(s.DefIdx);
    it.SetAlignment(static_cast<TAlignment>(s.Alignment));
    it.SetHeaderAlignment(static_cast<TAlignment>(s.HeaderAlignment));
    it.SetBorders(static_cast<TCellBorders>(s.Borders));
    it.PrintBorders = static_cast<TCellBorders>(s.PrintBorders);
    it.ColumnPopupType = static_cast<TColumnPopupType>(s.ColumnPopupType);
    it.SetEditor(static_cast<TEditorType>(s.Editor));
    it.SortStyle = static_cast<TSortStyle>(s.SortStyle);
    it.SetColor(s.Color);
    it.PrintColor = s.PrintColor;
    it.FilterCaseSensitive = s.FilterCaseSensitive;
    it.SetFixed(s.Fixed);
    it.SetPassword(s.Password);
    it.PrintBorderCustom = s.PrintBorderCustom;
    it.PrintFontCustom = s.PrintFontCustom;
    it.ReadOnly = s.ReadOnly;
    it.SetShowBands(s.ShowBands);
    it.CheckFalse = s.CheckFalse;
    it.CheckTrue = s.CheckTrue;
    it.EditMask = s.EditMask;
    it.SetFloatFormat(s.FloatFormat);
    it.SetHeader(s.Header);
    it.Name = s.Name;
    it.SortPrefix = s.SortPrefix;
    it.SortSuffix = s.SortSuffix;
    it.SetFont(s.Font);
    it.SetHeaderFont(s.HeaderFont);
    it.SetPrintFont(s.PrintFont);
    it.SetBorderPen(s.BorderPen);
    it.SetPrintBorderPen(s.PrintBorderPen);
    it.SetComboItems(s.ComboItems);
    it.SetFilter(s.Filter);
}

void WriteItem(pugi::xml_node root, const TGridColumnItem& it)
{
    const TItemSettings s = Settings(it);
    pugi::xml_node n = root.append_child(ColumnName);
    n.append_attribute("Header").set_value(s.Header.c_str());
    n.append_attribute("Name").set_value(s.Name.c_str());
    SetInt(n, "Width", s.Width);
    SetInt(n, "DefIdx", s.DefIdx);
    SetInt(n, "Alignment", s.Alignment);
    SetInt(n, "HeaderAlignment", s.HeaderAlignment);
    SetInt(n, "Editor", s.Editor);
    n.append_attribute("CheckTrue").set_value(s.CheckTrue.c_str());
    n.append_attribute("CheckFalse").set_value(s.CheckFalse.c_str());
    SetInt(n, "Color", s.Color);
    SetInt(n, "Borders", s.Borders);
    SetInt(n, "ColumnPopupType", s.ColumnPopupType);
    SetInt(n, "DropDownCount", s.DropDownCount);
    SetInt(n, "EditLength", s.EditLength);
    n.append_attribute("EditMask").set_value(s.EditMask.c_str());
    SetInt(n, "FilterCaseSensitive", s.FilterCaseSensitive);
    SetInt(n, "Fixed", s.Fixed);
    n.append_attribute("FloatFormat").set_value(s.FloatFormat.c_str());
    SetInt(n, "MinSize", s.MinSize);
    SetInt(n, "MaxSize", s.MaxSize);
    SetInt(n, "AutoMinSize", s.AutoMinSize);
    SetInt(n, "AutoMaxSize", s.AutoMaxSize);
    SetInt(n, "Password", s.Password);
    SetInt(n, "PrintBorderCustom", s.PrintBorderCustom);
    SetInt(n, "PrintBorders", s.PrintBorders);
    SetInt(n, "PrintColor", s.PrintColor);
    SetInt(n, "PrintFontCustom", s.PrintFontCustom);
    SetInt(n, "ReadOnly", s.ReadOnly);
    SetInt(n, "ShowBands", s.ShowBands);
    SetInt(n, "SortStyle", s.SortStyle);
    n.append_attribute("SortPrefix").set_value(s.SortPrefix.c_str());
    n.append_attribute("SortSuffix").set_value(s.SortSuffix.c_str());
    SetInt(n, "SpinMax", s.SpinMax);
    SetInt(n, "SpinMin", s.SpinMin);
    SetInt(n, "SpinStep", s.SpinStep);
    SetInt(n, "Tag", s.Tag);
    WriteFont(n, "Font", s.Font);
    WriteFont(n, "HeaderFont", s.HeaderFont);
    WriteFont(n, "PrintFont", s.PrintFont);
    WritePen(n, "BorderPen", s.BorderPen);
    WritePen(n, "PrintBorderPen", s.PrintBorderPen);
    WriteList(n, "ComboItems", s.ComboItems);
    WriteList(n, "Filter", s.Filter);
}

void ReadItem(TReader& r, pugi::xml_node n, TItemSettings& s)
{
    r.Str(n, "Header", s.Header);
    r.Str(n, "Name", s.Name);
    r.Int(n, "Width", s.Width, -1, 32767);
    r.Int(n, "DefIdx", s.DefIdx, IntLo, IntHi);
    r.Int(n, "Alignment", s.Alignment, 0, 2);
    r.Int(n, "HeaderAlignment", s.HeaderAlignment, 0, 2);
    r.Int(n, "Editor", s.Editor, edNormal, edMaskEditBtn);
    r.Str(n, "CheckTrue", s.CheckTrue);
    r.Str(n, "CheckFalse", s.CheckFalse);
    r.Int(n, "Color", s.Color, 0, ColorHi);
    r.Int(n, "Borders", s.Borders, 0, 15);
    r.Int(n, "ColumnPopupType", s.ColumnPopupType, cpFixedCellsRClick, cpAllCellsLClick);
    r.Int(n, "DropDownCount", s.DropDownCount, IntLo, IntHi);
    r.Int(n, "EditLength", s.EditLength, IntLo, IntHi);
    r.Str(n, "EditMask", s.EditMask);
    r.Bool(n, "FilterCaseSensitive", s.FilterCaseSensitive);
    r.Bool(n, "Fixed", s.Fixed);
    r.Str(n, "FloatFormat", s.FloatFormat);
    r.Int(n, "MinSize", s.MinSize, IntLo, IntHi);
    r.Int(n, "MaxSize", s.MaxSize, IntLo, IntHi);
    r.Int(n, "AutoMinSize", s.AutoMinSize, IntLo, IntHi);
    r.Int(n, "AutoMaxSize", s.AutoMaxSize, IntLo, IntHi);
    r.Bool(n, "Password", s.Password);
    r.Bool(n, "PrintBorderCustom", s.PrintBorderCustom);
    r.Int(n, "PrintBorders", s.PrintBorders, 0, 15);
    r.Int(n, "PrintColor", s.PrintColor, 0, ColorHi);
    r.Bool(n, "PrintFontCustom", s.PrintFontCustom);
    r.Bool(n, "ReadOnly", s.ReadOnly);
    r.Bool(n, "ShowBands", s.ShowBands);
    r.Int(n, "SortStyle", s.SortStyle, ssAutomatic, ssAlphaNumericNoCase);
    r.Str(n, "SortPrefix", s.SortPrefix);
    r.Str(n, "SortSuffix", s.SortSuffix);
    r.Int(n, "SpinMax", s.SpinMax, IntLo, IntHi);
    r.Int(n, "SpinMin", s.SpinMin, IntLo, IntHi);
    r.Int(n, "SpinStep", s.SpinStep, IntLo, IntHi);
    r.Int(n, "Tag", s.Tag, IntLo, IntHi);
    ReadFont(r, n, "Font", s.Font);
    ReadFont(r, n, "HeaderFont", s.HeaderFont);
    ReadFont(r, n, "PrintFont", s.PrintFont);
    ReadPen(r, n, "BorderPen", s.BorderPen);
    ReadPen(r, n, "PrintBorderPen", s.PrintBorderPen);
    ReadList(n, "ComboItems", s.ComboItems);
    ReadList(n, "Filter", s.Filter);
}

} // namespace

// --- TExColumnGridIO ---------------------------------------------------------------------

TExColumnGridIO::TExColumnGridIO(TExColumnGrid* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TGridColumnCollection>(AOwner))
{
    FItems->NoRecursiveUpdate = true;
}

void TExColumnGridIO::WriteTo(TXmlDocument& Doc) const
{
    pugi::xml_node root = Doc.NewDocument(RootName);
    SetInt(root, "Count", FItems->Count());
    for (int i = 0; i < FItems->Count(); ++i) WriteItem(root, *FItems->Items(i));
}

bool TExColumnGridIO::ReadFrom(const TXmlDocument& Doc)
{
    pugi::xml_node root = Doc.Root();
    if (!root || std::string(root.name()) != RootName) return false;
    std::vector<pugi::xml_node> nodes;
    for (pugi::xml_node n = root.child(ColumnName); n; n = n.next_sibling(ColumnName)) nodes.push_back(n);
    TReader r;
    int count = static_cast<int>(nodes.size());
    r.Int(root, "Count", count, 0, 100000);
    if (!r.ok || count != static_cast<int>(nodes.size())) return false;

    std::vector<TItemSettings> read;
    read.reserve(nodes.size());
    // Settings a file leaves out keep an item's defaults.
    TGridColumnItem* fresh = FItems->Insert(FItems->Count());
    const TItemSettings defaults = Settings(*fresh);
    FItems->Delete(FItems->Count() - 1);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        TItemSettings s = defaults;
        s.DefIdx = static_cast<int>(i);
        ReadItem(r, nodes[i], s);
        if (!r.ok) return false;
        read.push_back(std::move(s));
    }
    // Design positions count only when they name every column once.
    std::vector<bool> seen(read.size(), false);
    FPositionsValid = true;
    for (const TItemSettings& s : read) {
        if (s.DefIdx < 0 || s.DefIdx >= static_cast<int>(read.size()) || seen[static_cast<size_t>(s.DefIdx)]) {
            FPositionsValid = false;
            break;
        }
        seen[static_cast<size_t>(s.DefIdx)] = true;
    }

    FItems->BeginUpdate();
    FItems->Clear();
    for (const TItemSettings& s : read) Apply(s, *FItems->Insert(FItems->Count()));
    FItems->EndUpdate();
    return true;
}

// --- the grid's stream ---------------------------------------------------------------------

void TExColumnGrid::SaveColumnsToStream(std::ostream& st)
{
    TExColumnGridIO io(this);
    io.Items().Assign(FColumns.get());
    // Settings a copy leaves alone are written as well.
    for (int i = 0; i < FColumns->Count(); ++i) {
        const TGridColumnItem* src = FColumns->Items(i);
        TGridColumnItem* dst = io.Items().Items(i);
        dst->ColumnPopupType = src->ColumnPopupType;
        dst->PrintBorderCustom = src->PrintBorderCustom;
        dst->PrintFontCustom = src->PrintFontCustom;
    }
    TXmlDocument doc;
    io.WriteTo(doc);
    st << doc.SaveToString();
}

bool TExColumnGrid::LoadColumnsFromStream(std::istream& st)
{
    const std::string text{std::istreambuf_iterator<char>(st), std::istreambuf_iterator<char>()};
    TXmlDocument doc;
    if (!doc.LoadFromString(text)) return false;
    TExColumnGridIO io(this);
    if (!io.ReadFrom(doc)) return false;
    // Settings of another column count would leave items without columns.
    if (io.Items().Count() != FColumns->Count()) return false;

    const bool old = FColumns->NoRecursiveUpdate;
    FColumns->NoRecursiveUpdate = true;
    try {
        for (int i = 0; i < FColumns->Count(); ++i) {
            TGridColumnItem* it = FColumns->Items(i);
            const TGridColumnItem* src = io.Items().Items(i);
            const int position = it->DefIdx();
            it->Assign(src);
            if (!io.PositionsValid()) it->SetDefIdx(position);
            // Settings a copy leaves alone, restored as well.
            it->ColumnPopupType = src->ColumnPopupType;
            it->PrintBorderCustom = src->PrintBorderCustom;
            it->PrintFontCustom = src->PrintFontCustom;
            it->SetWidth(it->StoredWidth());
        }
    } catch (...) {
        FColumns->NoRecursiveUpdate = old;
        throw;
    }
    FColumns->NoRecursiveUpdate = old;
    RebuildColumnHeaders();
    Invalidate();
    return true;
}
