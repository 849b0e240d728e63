#include "platform/XmlDoc.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(XmlDoc, SavedFormIsRootFirstTabIndentedWithCommentAfter)
{
    TXmlDocument doc;
    auto root = doc.NewDocument("Root");
    auto sec = root.append_child("Section");
    auto row = sec.append_child("row");
    row.append_attribute("a").set_value("line1\r\nline2\tx\x01<&\"");
    AddTextElement(root, "value", "1 < 2");
    root.append_child("empty");
    doc.AddDocumentComment("SW_VERSION = 1.0");
    EXPECT_EQ(doc.SaveToString(),
              "<Root>\n"
              "\t<Section>\n"
              "\t\t<row a=\"line1&#13;&#10;line2&#09;x&lt;&amp;&quot;\" />\n"
              "\t</Section>\n"
              "\t<value>1 &lt; 2</value>\n"
              "\t<empty />\n"
              "</Root>\n"
              "<!--SW_VERSION = 1.0-->\n");
}

TEST(XmlDoc, AttributeControlCharactersRoundTrip)
{
    TempDir dir;
    TXmlDocument doc;
    doc.NewDocument("R").append_child("row").append_attribute("t").set_value("a\r\nb\tc");
    ASSERT_TRUE(doc.SaveToFile(dir.file("x.xml")));
    TXmlDocument back;
    ASSERT_EQ(back.LoadFromFile(dir.file("x.xml")), TXmlLoad::Read);
    EXPECT_STREQ(back.Root().child("row").attribute("t").value(), "a\r\nb\tc");
}

TEST(XmlDoc, LoadResultTellsMissingUnreadableAndRead)
{
    TempDir dir;
    TXmlDocument doc;
    EXPECT_EQ(doc.LoadFromFile(dir.file("none.xml")), TXmlLoad::Missing);
    WriteFile(dir.file("bad.xml"), "<a><b></a>");
    EXPECT_EQ(doc.LoadFromFile(dir.file("bad.xml")), TXmlLoad::Unreadable);
    EXPECT_FALSE(doc.Root());
    WriteFile(dir.file("empty.xml"), "");
    EXPECT_EQ(doc.LoadFromFile(dir.file("empty.xml")), TXmlLoad::Unreadable);
    // The reason names the place of the fault.
    WriteFile(dir.file("cut.xml"), "<a>\r\n\t<b/>\r\n\t<c x=\"1\"");
    EXPECT_EQ(doc.LoadFromFile(dir.file("cut.xml")), TXmlLoad::Unreadable);
    EXPECT_NE(doc.LoadError().find("at line 3, byte"), std::string::npos) << doc.LoadError();
}

TEST(XmlDoc, ReadersTolerateDeclarationBomCommentCrlfAndUtf16)
{
    const std::string plain = "<R><a>x</a><b /></R>";
    std::string utf16le = "\xFF\xFE";
    for (char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<R><a>x</a><b /></R>\r\n")) {
        utf16le += c;
        utf16le += '\0';
    }
    const std::string cases[] = {
        plain,
        "\xEF\xBB\xBF" + plain,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- made elsewhere -->\r\n<R>\r\n<a>x</a>\r\n<b/></R>\r\n",
        utf16le,
    };
    TempDir dir;
    for (const auto& bytes : cases) {
        WriteFile(dir.file("f.xml"), bytes);
        TXmlDocument doc;
        ASSERT_EQ(doc.LoadFromFile(dir.file("f.xml")), TXmlLoad::Read);
        EXPECT_STREQ(doc.Root().name(), "R");
        EXPECT_EQ(ElementChildCount(doc.Root()), 2);
        EXPECT_EQ(ElementText(ChildElement(doc.Root(), "a")), "x");
    }
}

TEST(XmlDoc, FailedSaveKeepsThePreviousFile)
{
    TempDir dir;
    WriteFile(dir.file("keep.xml"), "<old />\n");
    TXmlDocument doc;
    doc.NewDocument("new");
    EXPECT_FALSE(doc.SaveToFile(dir.file("no-such-folder/keep.xml")));
    EXPECT_EQ(ReadFile(dir.file("keep.xml")), "<old />\n");
}
