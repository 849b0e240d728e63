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
#include "widgets/grid_render/Parts.h"

#include "platform/XmlDoc.h"

#include <cstdint>
#include <functional>
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

// One setting of a column item as the stream holds it. The table below
// is the only list of the settings: writing, reading and applying all walk
// it (the references to other components are not streamed).
enum class TKind { Int, Bool, Text, Font, Pen, List };

// A setting's value between the item and the document.
struct TValue {
    long long num = 0;
    std::string text;
    TFont font;
    TPen pen;
    TStringList list;
};

struct TField {
    const char* name;
    TKind kind;
    long long lo; // range of an integer read from a document
    long long hi;
    std::function<void(const TGridColumnItem&, TValue&)> get;
    std::function<void(TGridColumnItem&, const TValue&)> set;
};

using It = TGridColumnItem;
using V = TValue;

TField IntField(const char* name, long long lo, long long hi, std::function<long long(const It&)> get,
                std::function<void(It&, long long)> set)
{
    return {name, TKind::Int, lo, hi, [get](const It& it, V& v) { v.num = get(it); },
            [set](It& it, const V& v) { set(it, v.num); }};
}

TField BoolField(const char* name, std::function<bool(const It&)> get, std::function<void(It&, bool)> set)
{
    return {name, TKind::Bool, 0, 1, [get](const It& it, V& v) { v.num = get(it) ? 1 : 0; },
            [set](It& it, const V& v) { set(it, v.num != 0); }};
}

TField TextField(const char* name, std::function<std::string(const It&)> get,
                 std::function<void(It&, const std::string&)> set)
{
    return {name, TKind::Text, 0, 0, [get](const It& it, V& v) { v.text = get(it); },
            [set](It& it, const V& v) { set(it, v.text); }};
}

// In the order the attributes and child elements are written.
const std::vector<TField>& Fields()
{
    static const std::vector<TField> fields = {
        TextField("Header", [](const It& it) { return it.Header(); }, [](It& it, const std::string& x) { it.SetHeader(x); }),
        TextField("Name", [](const It& it) { return it.Name; }, [](It& it, const std::string& x) { it.Name = x; }),
        IntField("Width", -1, 32767, [](const It& it) { return it.Width(); },
                 [](It& it, long long x) { it.SetStoredWidth(static_cast<int>(x)); }),
        IntField("DefIdx", IntLo, IntHi, [](const It& it) { return it.DefIdx(); },
                 [](It& it, long long x) { it.SetDefIdx(static_cast<int>(x)); }),
        IntField("Alignment", 0, 2, [](const It& it) { return static_cast<long long>(it.Alignment()); },
                 [](It& it, long long x) { it.SetAlignment(static_cast<TAlignment>(x)); }),
        IntField("HeaderAlignment", 0, 2, [](const It& it) { return static_cast<long long>(it.HeaderAlignment()); },
                 [](It& it, long long x) { it.SetHeaderAlignment(static_cast<TAlignment>(x)); }),
        IntField("Editor", edNormal, edMaskEditBtn, [](const It& it) { return static_cast<long long>(it.Editor()); },
                 [](It& it, long long x) { it.SetEditor(static_cast<TEditorType>(x)); }),
        TextField("CheckTrue", [](const It& it) { return it.CheckTrue; }, [](It& it, const std::string& x) { it.CheckTrue = x; }),
        TextField("CheckFalse", [](const It& it) { return it.CheckFalse; },
                  [](It& it, const std::string& x) { it.CheckFalse = x; }),
        IntField("Color", 0, ColorHi, [](const It& it) { return static_cast<long long>(it.Color()); },
                 [](It& it, long long x) { it.SetColor(static_cast<TColor>(x)); }),
        IntField("Borders", 0, 15, [](const It& it) { return static_cast<long long>(it.Borders()); },
                 [](It& it, long long x) { it.SetBorders(static_cast<TCellBorders>(x)); }),
        IntField("ColumnPopupType", cpFixedCellsRClick, cpAllCellsLClick,
                 [](const It& it) { return static_cast<long long>(it.ColumnPopupType); },
                 [](It& it, long long x) { it.ColumnPopupType = static_cast<TColumnPopupType>(x); }),
        IntField("DropDownCount", IntLo, IntHi, [](const It& it) { return it.DropDownCount; },
                 [](It& it, long long x) { it.DropDownCount = static_cast<int>(x); }),
        IntField("EditLength", IntLo, IntHi, [](const It& it) { return it.EditLength; },
                 [](It& it, long long x) { it.EditLength = static_cast<int>(x); }),
        TextField("EditMask", [](const It& it) { return it.EditMask; }, [](It& it, const std::string& x) { it.EditMask = x; }),
        BoolField("FilterCaseSensitive", [](const It& it) { return it.FilterCaseSensitive; },
                  [](It& it, bool x) { it.FilterCaseSensitive = x; }),
        BoolField("Fixed", [](const It& it) { return it.Fixed(); }, [](It& it, bool x) { it.SetFixed(x); }),
        TextField("FloatFormat", [](const It& it) { return it.FloatFormat(); },
                  [](It& it, const std::string& x) { it.SetFloatFormat(x); }),
        IntField("MinSize", IntLo, IntHi, [](const It& it) { return it.MinSize; },
                 [](It& it, long long x) { it.MinSize = static_cast<int>(x); }),
        IntField("MaxSize", IntLo, IntHi, [](const It& it) { return it.MaxSize; },
                 [](It& it, long long x) { it.MaxSize = static_cast<int>(x); }),
        IntField("AutoMinSize", IntLo, IntHi, [](const It& it) { return it.AutoMinSize; },
                 [](It& it, long long x) { it.AutoMinSize = static_cast<int>(x); }),
        IntField("AutoMaxSize", IntLo, IntHi, [](const It& it) { return it.AutoMaxSize; },
                 [](It& it, long long x) { it.AutoMaxSize = static_cast<int>(x); }),
        BoolField("Password", [](const It& it) { return it.Password(); }, [](It& it, bool x) { it.SetPassword(x); }),
        BoolField("PrintBorderCustom", [](const It& it) { return it.PrintBorderCustom; },
                  [](It& it, bool x) { it.PrintBorderCustom = x; }),
        IntField("PrintBorders", 0, 15, [](const It& it) { return static_cast<long long>(it.PrintBorders); },
                 [](It& it, long long x) { it.PrintBorders = static_cast<TCellBorders>(x); }),
        IntField("PrintColor", 0, ColorHi, [](const It& it) { return static_cast<long long>(it.PrintColor); },
                 [](It& it, long long x) { it.PrintColor = static_cast<TColor>(x); }),
        BoolField("PrintFontCustom", [](const It& it) { return it.PrintFontCustom; },
                  [](It& it, bool x) { it.PrintFontCustom = x; }),
        BoolField("ReadOnly", [](const It& it) { return it.ReadOnly; }, [](It& it, bool x) { it.ReadOnly = x; }),
        BoolField("ShowBands", [](const It& it) { return it.ShowBands(); }, [](It& it, bool x) { it.SetShowBands(x); }),
        IntField("SortStyle", ssAutomatic, ssAlphaNumericNoCase,
                 [](const It& it) { return static_cast<long long>(it.SortStyle); },
                 [](It& it, long long x) { it.SortStyle = static_cast<TSortStyle>(x); }),
        TextField("SortPrefix", [](const It& it) { return it.SortPrefix; },
                  [](It& it, const std::string& x) { it.SortPrefix = x; }),
        TextField("SortSuffix", [](const It& it) { return it.SortSuffix; },
                  [](It& it, const std::string& x) { it.SortSuffix = x; }),
        IntField("SpinMax", IntLo, IntHi, [](const It& it) { return it.SpinMax; },
                 [](It& it, long long x) { it.SpinMax = static_cast<int>(x); }),
        IntField("SpinMin", IntLo, IntHi, [](const It& it) { return it.SpinMin; },
                 [](It& it, long long x) { it.SpinMin = static_cast<int>(x); }),
        IntField("SpinStep", IntLo, IntHi, [](const It& it) { return it.SpinStep; },
                 [](It& it, long long x) { it.SpinStep = static_cast<int>(x); }),
        IntField("Tag", IntLo, IntHi, [](const It& it) { return it.Tag; },
                 [](It& it, long long x) { it.Tag = static_cast<int>(x); }),
        {"Font", TKind::Font, 0, 0, [](const It& it, V& v) { v.font = it.Font(); },
         [](It& it, const V& v) { it.SetFont(v.font); }},
        {"HeaderFont", TKind::Font, 0, 0, [](const It& it, V& v) { v.font = it.HeaderFont(); },
         [](It& it, const V& v) { it.SetHeaderFont(v.font); }},
        {"PrintFont", TKind::Font, 0, 0, [](const It& it, V& v) { v.font = it.PrintFont(); },
         [](It& it, const V& v) { it.SetPrintFont(v.font); }},
        {"BorderPen", TKind::Pen, 0, 0, [](const It& it, V& v) { v.pen = it.BorderPen(); },
         [](It& it, const V& v) { it.SetBorderPen(v.pen); }},
        {"PrintBorderPen", TKind::Pen, 0, 0, [](const It& it, V& v) { v.pen = it.PrintBorderPen(); },
         [](It& it, const V& v) { it.SetPrintBorderPen(v.pen); }},
        {"ComboItems", TKind::List, 0, 0, [](const It& it, V& v) { v.list = it.ComboItems(); },
         [](It& it, const V& v) { it.SetComboItems(v.list); }},
        {"Filter", TKind::List, 0, 0, [](const It& it, V& v) { v.list = it.Filter(); },
         [](It& it, const V& v) { it.SetFilter(v.list); }},
    };
    return fields;
}

// Every setting of an item, in table order.
using TItemValues = std::vector<TValue>;

TItemValues ValuesOf(const TGridColumnItem& it)
{
    TItemValues values(Fields().size());
    for (std::size_t i = 0; i < Fields().size(); ++i) {
        TValue& v = values[i];
        Fields()[i].get(it, v);
        // Copies only: the item's change links stay with the item.
        v.font.OnChange = nullptr;
        v.pen.OnChange = nullptr;
    }
    return values;
}

void Apply(const TItemValues& values, TGridColumnItem& it)
{
    for (std::size_t i = 0; i < Fields().size(); ++i) Fields()[i].set(it, values[i]);
}

std::size_t FieldIndex(const char* name)
{
    for (std::size_t i = 0; i < Fields().size(); ++i)
        if (std::string(Fields()[i].name) == name) return i;
    return Fields().size();
}

void WriteItem(pugi::xml_node root, const TGridColumnItem& it)
{
    const TItemValues values = ValuesOf(it);
    pugi::xml_node n = root.append_child(ColumnName);
    for (std::size_t i = 0; i < Fields().size(); ++i) {
        const TField& f = Fields()[i];
        const TValue& v = values[i];
        switch (f.kind) {
        case TKind::Int:
        case TKind::Bool: SetInt(n, f.name, v.num); break;
        case TKind::Text: n.append_attribute(f.name).set_value(v.text.c_str()); break;
        case TKind::Font: WriteFont(n, f.name, v.font); break;
        case TKind::Pen: WritePen(n, f.name, v.pen); break;
        case TKind::List: WriteList(n, f.name, v.list); break;
        }
    }
}

void ReadItem(TReader& r, pugi::xml_node n, TItemValues& values)
{
    for (std::size_t i = 0; i < Fields().size(); ++i) {
        const TField& f = Fields()[i];
        TValue& v = values[i];
        switch (f.kind) {
        case TKind::Int: r.Int(n, f.name, v.num, f.lo, f.hi); break;
        case TKind::Bool: {
            bool b = v.num != 0;
            r.Bool(n, f.name, b);
            v.num = b ? 1 : 0;
            break;
        }
        case TKind::Text: r.Str(n, f.name, v.text); break;
        case TKind::Font: ReadFont(r, n, f.name, v.font); break;
        case TKind::Pen: ReadPen(r, n, f.name, v.pen); break;
        case TKind::List: ReadList(n, f.name, v.list); break;
        }
    }
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

    std::vector<TItemValues> read;
    read.reserve(nodes.size());
    // Settings a file leaves out keep an item's defaults.
    TGridColumnItem* fresh = FItems->Insert(FItems->Count());
    const TItemValues defaults = ValuesOf(*fresh);
    FItems->Delete(FItems->Count() - 1);
    const std::size_t defIdx = FieldIndex("DefIdx");
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        TItemValues values = defaults;
        values[defIdx].num = static_cast<long long>(i);
        ReadItem(r, nodes[i], values);
        if (!r.ok) return false;
        read.push_back(std::move(values));
    }
    // Design positions count only when they name every column once.
    std::vector<bool> seen(read.size(), false);
    FPositionsValid = true;
    for (const TItemValues& values : read) {
        const long long d = values[defIdx].num;
        if (d < 0 || d >= static_cast<long long>(read.size()) || seen[static_cast<size_t>(d)]) {
            FPositionsValid = false;
            break;
        }
        seen[static_cast<size_t>(d)] = true;
    }

    FItems->BeginUpdate();
    FItems->Clear();
    for (const TItemValues& values : read) Apply(values, *FItems->Insert(FItems->Count()));
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
