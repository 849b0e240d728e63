#include "platform/DragDrop.h"

#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BlockOf(IDataObject& d, unsigned short format)
{
    TStgMedium m;
    if (d.GetData(TFormatEtc{format}, m) != S_OK || !m.hGlobal) return {};
    return *m.hGlobal;
}

Bytes Wide(const std::u16string& s)
{
    Bytes b;
    for (char16_t u : s) {
        b.push_back(std::uint8_t(u & 0xFF));
        b.push_back(std::uint8_t(u >> 8));
    }
    b.push_back(0);
    b.push_back(0);
    return b;
}

} // namespace

TEST(DragDrop, NamedFormatsKeepTheirIdWhateverTheLetterCase)
{
    const unsigned short a = RegisterClipboardFormat("Some Test Format");
    EXPECT_GE(a, 0xC000);
    EXPECT_EQ(RegisterClipboardFormat("SOME TEST FORMAT"), a);
    EXPECT_NE(RegisterClipboardFormat("Another Test Format"), a);
    EXPECT_EQ(ClipboardFormatName(a), "Some Test Format");
    EXPECT_EQ(ClipboardFormatName(CF_TEXT), "");
}

TEST(DragDrop, DropFromTheWindowSystem)
{
    QMimeData mime;
    mime.setText(QString::fromUtf8("\xce\xa9 text"));
    mime.setUrls({QUrl::fromLocalFile("/tmp/a b.xml"), QUrl("https://www.example.com/x")});
    mime.setData("text/rtf", QByteArray("{\\rtf1 x}"));
    const unsigned short cells = RegisterClipboardFormat("TExStringGrid Cells");
    mime.setData("application/x-zelvator-texstringgrid-cells", QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00z", 9));
    mime.setData("application/x-unknown", QByteArray("?"));

    auto d = DataObjectFromMime(mime);
    EXPECT_EQ(BlockOf(*d, CF_UNICODETEXT), Wide(u"\u03a9 text"));
    EXPECT_EQ(BlockOf(*d, RegisterClipboardFormat("Rich Text Format")), (Bytes{'{', '\\', 'r', 't', 'f', '1', ' ', 'x', '}'}));
    EXPECT_EQ(BlockOf(*d, cells), (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 'z'}));
    const std::string url = "https://www.example.com/x";
    Bytes urlBlock(url.begin(), url.end());
    urlBlock.push_back(0);
    EXPECT_EQ(BlockOf(*d, RegisterClipboardFormat("UniformResourceLocator")), urlBlock);

    const Bytes files = BlockOf(*d, CF_HDROP);
    ASSERT_GE(files.size(), 20u);
    EXPECT_EQ(files[0], 20);
    EXPECT_EQ(files[16], 1); // wide names
    Bytes names(files.begin() + 20, files.end());
    Bytes expected = Wide(u"/tmp/a b.xml");
    expected.push_back(0);
    expected.push_back(0);
    EXPECT_EQ(names, expected);

    // Only what the drop carries is offered.
    std::shared_ptr<IEnumFormatEtc> e;
    ASSERT_EQ(d->EnumFormatEtc(DATADIR_GET, e), S_OK);
    TFormatEtc f[8];
    unsigned got = 0;
    e->Next(8, f, &got);
    EXPECT_EQ(got, 5u);
    EXPECT_EQ(d->QueryGetData(TFormatEtc{CF_TEXT}), DV_E_FORMATETC);
}
