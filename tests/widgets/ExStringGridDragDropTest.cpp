#include "widgets/ExStringGrid_DragDrop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A drop target that records the handlers called, in order.
class RecordingTarget : public TESGDropTarget {
public:
    std::vector<std::string> calls;
    bool refuseMove = false;

protected:
    void DropText(TPoint, const std::string& t) override { calls.push_back("text:" + t); }
    void DropStream(TPoint, const TCellStream& s) override
    {
        calls.push_back("cells:" + std::string(s.begin(), s.end()));
    }
    void DropCol(TPoint, int c) override { calls.push_back("col:" + std::to_string(c)); }
    void DropRTF(TPoint, const std::string& r) override { calls.push_back("rtf:" + r); }
    void DropFiles(TPoint, TStringList& f) override { calls.push_back("files:" + f.Text()); }
    void DropURL(TPoint, const std::string& u) override { calls.push_back("url:" + u); }
    void DragMouseMove(TPoint, bool& allow, TDropFormats) override
    {
        if (refuseMove) allow = false;
    }
};

// Sets the rich-text drop flag for one test.
class RTFDrops {
public:
    explicit RTFDrops(bool on) : old_(DropRTFEnabled()) { SetDropRTFEnabled(on); }
    ~RTFDrops() { SetDropRTFEnabled(old_); }

private:
    bool old_;
};

Bytes CellsBlockClaiming(std::uint32_t n, const std::string& data)
{
    Bytes b{std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16), std::uint8_t(n >> 24), 0, 0, 0, 0};
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

// Enter then drop; returns the drop's effect.
int EnterAndDrop(RecordingTarget& t, const std::shared_ptr<IDataObject>& d, int& enterEffect)
{
    enterEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragEnter(d, TShiftState(), {10, 10}, enterEffect);
    int effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.Drop(d, TShiftState(), {10, 10}, effect);
    return effect;
}

std::vector<unsigned short> EnumeratedFormats(IDataObject& d)
{
    std::shared_ptr<IEnumFormatEtc> e;
    EXPECT_EQ(d.EnumFormatEtc(DATADIR_GET, e), S_OK);
    std::vector<unsigned short> out;
    TFormatEtc f;
    unsigned got = 0;
    while (e->Next(1, &f, &got) == S_OK && got == 1) out.push_back(f.cfFormat);
    return out;
}

} // namespace

TEST(GridDragDrop, CellsPayloadIsCountZeroesThenTheStream)
{
    TCellStream stream(300);
    for (size_t i = 0; i < stream.size(); ++i) stream[i] = std::uint8_t(i * 7);
    TSourceDataObject src("", "", -1, &stream);
    TStgMedium m;
    ASSERT_EQ(src.GetData(TFormatEtc{CF_GRIDCELLS()}, m), S_OK);
    ASSERT_TRUE(m.hGlobal);
    const Bytes& b = *m.hGlobal;
    ASSERT_EQ(b.size(), 308u);
    EXPECT_EQ(b[0], 300 & 0xFF); // 300 = $012C, low byte first
    EXPECT_EQ(b[1], 0x01);
    EXPECT_EQ(b[2], 0);
    EXPECT_EQ(b[3], 0);
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 8), Bytes(4, 0));
    EXPECT_EQ(Bytes(b.begin() + 8, b.end()), stream);
    EXPECT_EQ(ParseGridCellsBlock(b), stream);
    EXPECT_EQ(GridCellsBlock({}), Bytes(8, 0));
}

TEST(GridDragDrop, CellsPayloadIsUsedOnlyWhenItsCountFitsTheData)
{
    struct Case {
        const char* name;
        Bytes block;
        std::optional<std::string> stream;
    } cases[] = {
        {"exact", CellsBlockClaiming(3, "abc"), std::string("abc")},
        {"block longer than its count", CellsBlockClaiming(2, "abc"), std::string("ab")},
        {"empty stream", CellsBlockClaiming(0, ""), std::string()},
        {"count one past the data", CellsBlockClaiming(4, "abc"), std::nullopt},
        {"huge count", CellsBlockClaiming(0xFFFFFFFFu, "abc"), std::nullopt},
        {"count with the top bit set", CellsBlockClaiming(0x80000001u, "abc"), std::nullopt},
        {"header cut short", Bytes{3, 0, 0, 0, 0}, std::nullopt},
        {"nothing", Bytes{}, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseGridCellsBlock(c.block);
        ASSERT_EQ(parsed.has_value(), c.stream.has_value()) << c.name;
        if (parsed) {
            EXPECT_EQ(std::string(parsed->begin(), parsed->end()), *c.stream) << c.name;
        }

        // Through a drop: a bad payload is not handed on, and a drag that
        // carries nothing else is refused.
        auto d = std::make_shared<TBlockDataObject>();
        d->Add(CF_GRIDCELLS(), c.block);
        RecordingTarget t;
        int enter = 0;
        const int effect = EnterAndDrop(t, d, enter);
        if (c.stream) {
            EXPECT_EQ(t.calls, std::vector<std::string>{"cells:" + *c.stream}) << c.name;
            EXPECT_EQ(effect, DROPEFFECT_MOVE) << c.name;
        } else {
            EXPECT_TRUE(t.calls.empty()) << c.name;
            EXPECT_EQ(enter, DROPEFFECT_NONE) << c.name;
            EXPECT_EQ(effect, DROPEFFECT_NONE) << c.name;
        }
    }
}

TEST(GridDragDrop, BadCellsPayloadFallsBackToTheTextOfTheSameDrag)
{
    auto d = std::make_shared<TBlockDataObject>();
    d->Add(CF_GRIDCELLS(), CellsBlockClaiming(1000, "abc"));
    d->Add(CF_UNICODETEXT, UnicodeTextBlock("plain"));
    RecordingTarget t;
    int enter = 0;
    EnterAndDrop(t, d, enter);
    EXPECT_EQ(t.calls, std::vector<std::string>{"text:plain"});
    EXPECT_FALSE(t.DropFormats().Contains(dfGridCells));
}

TEST(GridDragDrop, ColumnPayloadNeedsItsFourBytes)
{
    struct Case {
        Bytes block;
        int col;
    } cases[] = {
        {GridColumnBlock(3), 3},
        {GridColumnBlock(70000), 70000},
        {Bytes{3, 0, 0}, -1},
        {Bytes{}, -1},
    };
    for (const auto& c : cases) {
        auto d = std::make_shared<TBlockDataObject>();
        d->Add(CF_GRIDCOLUMN(), c.block);
        TEnumFormats ef(d);
        EXPECT_EQ(ef.Col(), c.col);
        RecordingTarget t;
        t.AcceptCols = true;
        int enter = 0;
        EnterAndDrop(t, d, enter);
        if (c.col >= 0) {
            EXPECT_EQ(t.calls, std::vector<std::string>{"col:" + std::to_string(c.col)});
        } else {
            EXPECT_TRUE(t.calls.empty());
        }
    }
}

TEST(GridDragDrop, FileLists)
{
    Bytes good = FileDropBlock({"C:\\a.xml", "D:\\b\xc3\xa9.txt"});
    TStringList files;
    ASSERT_TRUE(ParseFileDropBlock(good, files));
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(files[0], "C:\\a.xml");
    EXPECT_EQ(files[1], "D:\\b\xc3\xa9.txt");

    // Single-byte names.
    Bytes narrow{20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (char ch : std::string("x.csv")) narrow.push_back(std::uint8_t(ch));
    narrow.insert(narrow.end(), {0, 0});
    ASSERT_TRUE(ParseFileDropBlock(narrow, files));
    EXPECT_EQ(files[0], "x.csv");

    auto cut = [](Bytes b, size_t n) {
        b.resize(b.size() - n);
        return b;
    };
    auto withOffset = [&](std::uint32_t off) {
        Bytes b = good;
        b[0] = std::uint8_t(off);
        b[1] = std::uint8_t(off >> 8);
        b[2] = std::uint8_t(off >> 16);
        b[3] = std::uint8_t(off >> 24);
        return b;
    };
    struct Case {
        const char* name;
        Bytes block;
    } bad[] = {
        {"no list end", cut(good, 2)},
        {"name cut in the middle", cut(good, 7)},
        {"odd byte count", cut(good, 1)},
        {"names start past the block", withOffset(100000)},
        {"names start inside the header", withOffset(4)},
        {"header only", Bytes(good.begin(), good.begin() + 20)},
        {"short header", Bytes(12, 0)},
        {"empty list", FileDropBlock({})},
        {"narrow name without its zero", cut(narrow, 2)},
    };
    for (const auto& c : bad) {
        files.Add("stale");
        EXPECT_FALSE(ParseFileDropBlock(c.block, files)) << c.name;
        EXPECT_EQ(files.Count(), 0) << c.name;

        auto d = std::make_shared<TBlockDataObject>();
        d->Add(CF_HDROP, c.block);
        RecordingTarget t;
        int enter = 0;
        EXPECT_EQ(EnterAndDrop(t, d, enter), DROPEFFECT_NONE) << c.name;
        EXPECT_TRUE(t.calls.empty()) << c.name;
    }
}

TEST(GridDragDrop, DropTargetSortsADropByFormat)
{
    struct Case {
        const char* name;
        bool text, files, col, rtf, url;
        bool acceptText, acceptCols, rtfOn;
        std::vector<std::string> calls;
    } cases[] = {
        {"column and text: only the column", true, false, true, false, false, true, true, false, {"col:4"}},
        {"text then files", true, true, false, false, false, true, false, false, {"text:hi", "files:f.txt\n"}},
        {"text refused", true, false, false, false, false, false, false, false, {}},
        {"text refused, files taken", true, true, false, false, false, false, false, false,
         {"text:hi", "files:f.txt\n"}},
        {"column not accepted", false, false, true, false, false, true, false, false, {}},
        {"rich text before text", true, false, false, true, false, true, false, true, {"rtf:{\\rtf1 hi}"}},
        {"rich text off: text", true, false, false, true, false, true, false, false, {"text:hi"}},
        {"rich text only, off", false, false, false, true, false, true, false, false, {}},
        {"link with its text", true, false, false, false, true, false, false, false, {"text:hi", "url:hi"}},
    };
    for (const auto& c : cases) {
        RTFDrops rtf(c.rtfOn);
        auto d = std::make_shared<TBlockDataObject>();
        if (c.text) d->Add(CF_UNICODETEXT, UnicodeTextBlock("hi"));
        if (c.files) d->Add(CF_HDROP, FileDropBlock({"f.txt"}));
        if (c.col) d->Add(CF_GRIDCOLUMN(), GridColumnBlock(4));
        if (c.rtf) d->Add(CF_RTF(), AnsiTextBlock("{\\rtf1 hi}"));
        if (c.url) d->Add(CF_URL(), AnsiTextBlock("hi"));
        RecordingTarget t;
        t.AcceptText = c.acceptText;
        t.AcceptCols = c.acceptCols;
        int enter = 0;
        const int effect = EnterAndDrop(t, d, enter);
        EXPECT_EQ(t.calls, c.calls) << c.name;
        EXPECT_EQ(effect, c.calls.empty() ? DROPEFFECT_NONE : DROPEFFECT_MOVE) << c.name;
        EXPECT_EQ(enter, c.calls.empty() ? DROPEFFECT_NONE : DROPEFFECT_MOVE) << c.name;
    }
}

TEST(GridDragDrop, CellsAreAcceptedWhateverTheAcceptFlags)
{
    TCellStream s{'x', 'y'};
    auto d = std::make_shared<TSourceDataObject>("", "", -1, &s);
    RecordingTarget t;
    t.AcceptText = t.AcceptFiles = t.AcceptURLs = t.AcceptCols = false;
    int enter = 0;
    EnterAndDrop(t, d, enter);
    EXPECT_EQ(t.calls, std::vector<std::string>{"cells:xy"});
}

TEST(GridDragDrop, DropEffects)
{
    auto d = std::make_shared<TBlockDataObject>();
    d->Add(CF_UNICODETEXT, UnicodeTextBlock("t"));
    RecordingTarget t;
    int e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragEnter(d, TShiftState{ssCtrl}, {}, e);
    EXPECT_EQ(e, DROPEFFECT_COPY);
    e = DROPEFFECT_COPY;
    t.DragOver(TShiftState(), {}, e);
    EXPECT_EQ(e, DROPEFFECT_COPY); // move not allowed
    e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragOver(TShiftState(), {}, e);
    EXPECT_EQ(e, DROPEFFECT_MOVE);
    t.refuseMove = true;
    e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragOver(TShiftState(), {}, e);
    EXPECT_EQ(e, DROPEFFECT_NONE);
}

TEST(GridDragDrop, OutgoingFormats)
{
    RTFDrops rtf(false);
    TSourceDataObject col("", "", 2, nullptr);
    EXPECT_EQ(EnumeratedFormats(col),
              (std::vector<unsigned short>{CF_TEXT, CF_UNICODETEXT, CF_RTF(), CF_GRIDCOLUMN()}));
    for (unsigned short f : {CF_TEXT, CF_UNICODETEXT, CF_RTF(), CF_GRIDCELLS()})
        EXPECT_EQ(col.QueryGetData(TFormatEtc{f}), DV_E_FORMATETC) << f;
    EXPECT_EQ(col.QueryGetData(TFormatEtc{CF_GRIDCOLUMN()}), S_OK);

    TCellStream s{1, 2};
    TSourceDataObject text("t", "{\\rtf1 t}", -1, &s);
    EXPECT_EQ(EnumeratedFormats(text),
              (std::vector<unsigned short>{CF_TEXT, CF_UNICODETEXT, CF_RTF(), CF_GRIDCELLS()}));
    EXPECT_EQ(text.QueryGetData(TFormatEtc{CF_TEXT}), S_OK);
    EXPECT_EQ(text.QueryGetData(TFormatEtc{CF_RTF()}), DV_E_FORMATETC); // rich-text drops off
    TFormatEtc wrongMedium{CF_TEXT};
    wrongMedium.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    EXPECT_EQ(text.QueryGetData(wrongMedium), DV_E_FORMATETC);
    TFormatEtc wrongAspect{CF_TEXT};
    wrongAspect.dwAspect = 4;
    TStgMedium m;
    EXPECT_EQ(text.GetData(wrongAspect, m), DV_E_FORMATETC);
    EXPECT_FALSE(m.hGlobal);
    std::shared_ptr<IEnumFormatEtc> e;
    EXPECT_EQ(text.EnumFormatEtc(DATADIR_SET, e), E_NOTIMPL);
    EXPECT_EQ(text.SetData(TFormatEtc{CF_TEXT}, m, false), DV_E_FORMATETC);
    int conn = 0;
    EXPECT_EQ(text.DAdvise(TFormatEtc{CF_TEXT}, 0, conn), OLE_E_ADVISENOTSUPPORTED);

    RTFDrops on(true);
    EXPECT_EQ(text.QueryGetData(TFormatEtc{CF_RTF()}), S_OK);
    TSourceDataObject emptyRtf("t", "", -1, nullptr);
    ASSERT_EQ(emptyRtf.GetData(TFormatEtc{CF_RTF()}, m), S_OK);
    EXPECT_EQ(*m.hGlobal, Bytes{0});
}

TEST(GridDragDrop, FormatEnumeratorStepsSkipsAndClones)
{
    TSourceEnumFormatEtc e(true, true);
    TFormatEtc f[3];
    unsigned got = 0;
    EXPECT_EQ(e.Next(2, f, &got), S_OK);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(f[1].cfFormat, CF_UNICODETEXT);
    EXPECT_EQ(f[1].lindex, -1);
    std::shared_ptr<IEnumFormatEtc> c;
    ASSERT_EQ(e.Clone(c), S_OK);
    EXPECT_EQ(e.Skip(2), S_OK);
    EXPECT_EQ(e.Next(3, f, &got), S_FALSE);
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(f[0].cfFormat, CF_GRIDCELLS());
    EXPECT_EQ(e.Skip(1), S_FALSE);
    EXPECT_EQ(c->Next(1, f, &got), S_OK); // the clone goes on from where it was made
    EXPECT_EQ(f[0].cfFormat, CF_RTF());
    e.Reset();
    EXPECT_EQ(e.Next(1, f, nullptr), S_OK);
    EXPECT_EQ(f[0].cfFormat, CF_TEXT);
}

TEST(GridDragDrop, TransfersRoundTripTextUnchanged)
{
    RTFDrops on(true);
    // Greek, a dash, Chinese and a character outside the 16-bit range.
    const std::string text = "\xce\xa9mega \xe2\x80\x93 \xe6\xb8\xa9\xe5\xba\xa6 \xf0\x9f\x94\xa7";
    const std::string rtf = "{\\rtf1 " + text + "}";
    TCellStream s{0, 1, 2, 255};
    auto d = std::make_shared<TSourceDataObject>(text, rtf, -1, &s);
    TEnumFormats ef(d);
    EXPECT_EQ(ef.Text(), text);
    EXPECT_EQ(ef.RTF(), rtf);
    EXPECT_EQ(ef.Stream(), s);
    EXPECT_EQ(ef.Col(), -1);

    RecordingTarget t;
    int enter = 0;
    auto noCells = std::make_shared<TSourceDataObject>(text, rtf, -1, nullptr);
    EnterAndDrop(t, noCells, enter);
    EXPECT_EQ(t.calls, std::vector<std::string>{"rtf:" + rtf});
}

TEST(GridDragDrop, ReaderOfADataObjectWithoutFormatList)
{
    class NoList : public TBlockDataObject {
    public:
        HRESULT EnumFormatEtc(unsigned, std::shared_ptr<IEnumFormatEtc>&) override { return E_NOTIMPL; }
    };
    EXPECT_THROW(TEnumFormats(std::make_shared<NoList>()), EDropAssertion);
    EXPECT_THROW(TEnumFormats(nullptr), EDropAssertion);
}

TEST(GridDragDrop, DropSourceEndsTheDrag)
{
    class Source : public TESGDropSource {
    public:
        int stopped = 0, queried = 0;

    protected:
        void DragStopped() override { ++stopped; }
        void QueryDrag() override { ++queried; }
    } s;
    EXPECT_EQ(s.QueryContinueDrag(false, TShiftState{ssLeft}), S_OK);
    EXPECT_EQ(s.stopped, 0);
    EXPECT_EQ(s.QueryContinueDrag(true, TShiftState{ssLeft}), DRAGDROP_S_CANCEL);
    EXPECT_EQ(s.QueryContinueDrag(false, TShiftState()), DRAGDROP_S_DROP);
    EXPECT_EQ(s.stopped, 2);
    EXPECT_EQ(s.queried, 3);
    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(s.NoAccept());
}

TEST(GridDragDrop, StartingADrag)
{
    struct Loop {
        int feedback;
        std::vector<unsigned short> offered;
        ~Loop() { SetDoDragDrop(nullptr); }
    } loop{DROPEFFECT_COPY, {}};
    SetDoDragDrop([&](const std::shared_ptr<IDataObject>& data, IDropSource& src, int ok, int& effect) {
        loop.offered = EnumeratedFormats(*data);
        std::erase_if(loop.offered, [&](unsigned short f) { return data->QueryGetData(TFormatEtc{f}) != S_OK; });
        src.GiveFeedback(loop.feedback);
        effect = loop.feedback & ok;
        return src.QueryContinueDrag(false, TShiftState());
    });
    TESGDropSource src;
    int effect = -1;
    TCellStream s{7};
    EXPECT_EQ(StartTextDragDrop(src, "t", "", &s, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(loop.offered, (std::vector<unsigned short>{CF_TEXT, CF_UNICODETEXT, CF_GRIDCELLS()}));

    loop.feedback = DROPEFFECT_NONE; // the last target showed no effect
    EXPECT_EQ(StartColumnDragDrop(src, 3, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(loop.offered, std::vector<unsigned short>{CF_GRIDCOLUMN()});
}

TEST(GridDragDrop, NamedFormatsAreRegisteredOnce)
{
    EXPECT_GE(CF_GRIDCELLS(), 0xC000);
    EXPECT_EQ(RegisterClipboardFormat("texstringgrid cells"), CF_GRIDCELLS());
    EXPECT_EQ(ClipboardFormatName(CF_GRIDCELLS()), "TExStringGrid Cells");
    const unsigned short all[] = {CF_RTF(), CF_GRIDCOLUMN(), CF_GRIDCELLS(), CF_URL()};
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = i + 1; j < 4; ++j) EXPECT_NE(all[i], all[j]);
    EXPECT_EQ(RegisterClipboardFormat(""), 0);
}
