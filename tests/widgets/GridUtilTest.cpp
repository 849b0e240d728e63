#include "widgets/GridUtil.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

// A text of the given characters (code points), each stored as UTF-8.
std::string Chars(std::initializer_list<unsigned> cps)
{
    WideString w;
    for (unsigned c : cps) w += static_cast<char16_t>(c);
    return WideToUtf8(w);
}

} // namespace

TEST(GridUtil, WideTextRoundTrip)
{
    const std::string euro = EncodeWideText(u"\u20AC");
    EXPECT_EQ(euro, "|\\" + Chars({32, 172}));
    EXPECT_EQ(DecodeWideText(euro), u"\u20AC");

    // Characters 0 and above 255 survive the trip, also next to ASCII.
    const WideString mixed = u"a\u0000\u4E2D\u00FFz"s;
    EXPECT_EQ(DecodeWideText(EncodeWideText(mixed)), mixed);
    // A surrogate pair is carried unit by unit.
    EXPECT_EQ(DecodeWideText(EncodeWideText(u"\U0001F600")), u"\U0001F600");

    EXPECT_EQ(DecodeWideText("plain \xC3\xA9"), u"plain \u00E9");
    // An odd last character after the prefix is dropped.
    EXPECT_EQ(DecodeWideText("|\\" + "\0A"s + "B"), u"A");
    EXPECT_EQ(DecodeWideText("|\\"), u"");
    EXPECT_EQ(WidePos(u"\u20AC", u"ab\u20AC"), 3);
    EXPECT_EQ(WidePos(u"x", u"ab"), 0);
}

TEST(GridUtil, LineBreakCodecs)
{
    struct Case {
        const char* name;
        std::string (*fn)(std::string_view);
        std::string in, out;
    } cases[] = {
        {"encode", EncodeLineBreaks, "a\r\nb\0c"s, "a\t\bb\x01"s + "c"},
        {"encode without CR keeps LF", EncodeLineBreaks, "a\nb", "a\nb"},
        {"escape", EscapeNewlines, "a\r\nb", "a\\nb"},
        {"unescape", UnescapeNewlines, "a\\nb\\n", "a\rb\r"},
        {"quote", QuoteMultiLine, "a\r\nb", "\"a\vb\""},
        {"quote keeps inner quotes", QuoteMultiLine, "a\"b", "\"a\"b\""},
        {"vt", VTToCRLF, "a\vb", "a\r\nb"},
        {"crlf to lf", CRLFToLF, "a\r\nb\rc", "a\nb\rc"},
        {"cr to lf", CRToLF, "a\rb", "a\nb"},
        {"remove cr", RemoveCR, "a\r\nb", "a\nb"},
        {"cr to tilde", CRToTilde, "a\r\nb", "a~b"},
        {"tilde", TildeToCRLF, "a~b", "a\r\nb"},
        {"caret alone", TildeToCRLF, "^", ""},
        {"caret inside", TildeToCRLF, "a^", "a^"},
        {"br", CRToBR, "a\r\nb", "a<br>\nb"},
        {"double quotes", DoubleQuoteChars, "a\"b", "a\"\"b"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.fn(c.in), c.out) << c.name;

    EXPECT_EQ(DecodeLineBreaks("a\t\bb\x01"s + "c", true), "a\r\nb\0c"s);
    EXPECT_EQ(DecodeLineBreaks("a\t\bb", false), "a");
    // A tab without line-feed code is a real tab.
    EXPECT_EQ(DecodeLineBreaks("a\tb", true), "a\tb");
    EXPECT_EQ(UndoubleChar('"', "a\"\"\"b\"\""), "a\"\"b\"");
    EXPECT_EQ(UndoubleChar('x', "abc"), "abc");
}

TEST(GridUtil, CellTextKinds)
{
    struct Case {
        std::string text;
        bool html;
        int kind;
    } cases[] = {
        {"", true, ctkPlain},
        {"=1+2", true, ctkFormula},
        {"{\\rtf1 x}", true, ctkRichText},
        {"<b>x</b>", true, ctkHTML},
        {"<b>x</b>", false, ctkPlain},
        {"<B>bold", true, ctkHTML},
        {"a < b", true, ctkPlain},
        {EncodeWideText(u"x"), true, ctkWideText},
        {"|\\\0="s + "\0"s + "1", true, ctkFormula},
    };
    for (const Case& c : cases) EXPECT_EQ(CellTextKind(c.text, c.html), c.kind) << c.text;
}

TEST(GridUtil, MixedCase)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"o'NEIL-SMITH", "O'Neil-Smith"}, {"MCDONALD", "McDonald"},         {"HENRY III", "Henry III"},
        {"john mcdonald", "John McDonald"}, {"louis II", "Louis II"},        {"ÉCOLE été", "École Été"},
        {"", ""},                          {"a.b,c d", "A.B,C D"},
    };
    for (const Case& c : cases) EXPECT_EQ(MixedCaseText(c.in), c.out) << c.in;
}

TEST(GridUtil, ClipboardHTMLOffsetsPointIntoTheText)
{
    for (const std::string& frag : {"<b>x</b>"s, "12345"s, ""s, "caf\xC3\xA9"s}) {
        const std::string out = MakeClipboardHTML(frag);
        auto number = [&](const std::string& key) {
            const size_t p = out.find(key);
            EXPECT_NE(p, std::string::npos) << key;
            const std::string digits = out.substr(p + key.size(), 8);
            EXPECT_EQ(out.substr(p + key.size() + 8, 2), "\r\n");
            return static_cast<size_t>(std::stoul(digits));
        };
        const size_t startHtml = number("StartHTML:");
        const size_t endHtml = number("EndHTML:");
        const size_t startFrag = number("StartFragment:");
        const size_t endFrag = number("EndFragment:");
        EXPECT_EQ(out.compare(startHtml, 9, "<!DOCTYPE"), 0);
        EXPECT_EQ(endHtml, out.size());
        const std::string startMark = "<!--StartFragment-->";
        EXPECT_EQ(out.find(startMark) + startMark.size(), startFrag);
        EXPECT_EQ(out.find("<!--EndFragment-->"), endFrag);
        EXPECT_EQ(out.substr(startFrag, endFrag - startFrag), frag);
    }
    const std::string five = MakeClipboardHTML("abcde");
    EXPECT_NE(five.find("EndHTML:00000311\r\n"), std::string::npos);
    EXPECT_NE(five.find("EndFragment:00000279\r\n"), std::string::npos);
}

TEST(GridUtil, URLToAnchor)
{
    std::string r = "untouched";
    EXPECT_FALSE(URLToAnchor("no link here", "HTTP://", r));
    EXPECT_EQ(r, "untouched");

    ASSERT_TRUE(URLToAnchor("see http://a.b/c_d?x <now>", "HTTP://", r));
    EXPECT_EQ(r, "see <a href=\"http://a.b/c_d\">http://a.b/c_d</a>?x &lt;now&gt;");
    ASSERT_TRUE(URLToAnchor("www.x.org", "WWW.", r));
    EXPECT_EQ(r, "<a href=\"www.x.org\">www.x.org</a>");
}

TEST(GridUtil, SearchingHelpers)
{
    int pos = -5;
    struct Case {
        std::string text;
        int expected;
    } singles[] = {{"a\"\"b", 0}, {"a\"b", 2}, {"ab\"", 3}, {"\"\"\"x", 3}, {"a\"\"", 3}, {"", 0}};
    for (const Case& c : singles) {
        EXPECT_EQ(SingleCharPos('"', c.text, pos), c.expected) << c.text;
        EXPECT_EQ(pos, c.expected);
    }
    EXPECT_EQ(SingleCharCount('"', "a\"b\"\"c\"d"), 2);

    std::string s = "key=value=x";
    EXPECT_EQ(CutFirstPart(s, "="), "key");
    EXPECT_EQ(s, "value=x");
    EXPECT_EQ(CutFirstPart(s, ";"), "");
    EXPECT_EQ(s, "value=x");

    std::string text = "one\r\ntwo\rthree";
    std::string line;
    TakeLine(text, true, line);
    EXPECT_EQ(line, "one");
    EXPECT_EQ(text, "two\rthree");
    TakeLine(text, false, line);
    EXPECT_EQ(line, "two");
    EXPECT_EQ(text, "");
    text = "last";
    TakeLine(text, true, line);
    EXPECT_EQ(line, "last");
    EXPECT_EQ(text, "");

    pos = 7;
    EXPECT_EQ(CharPosEx('z', "abc", pos), 0);
    EXPECT_EQ(pos, 7);
    EXPECT_EQ(CharPosEx('c', "abc", pos), 3);
    EXPECT_EQ(FindSubstr("x", "abc", pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(UpperPos("BC", "abc"), 2);
    EXPECT_EQ(UpperPos("bc", "abc"), 0);
    EXPECT_EQ(TextLineCount("a\rb\rc", true), 3);
    EXPECT_EQ(TextLineCount("a\rb\rc", false), 1);

    std::string url = "https://x/mailto:y";
    StripURLProtocol(url);
    EXPECT_EQ(url, "x/mailto:y");
    url = "mailto:me@x";
    EXPECT_TRUE(IsURLText(url));
    StripURLProtocol(url);
    EXPECT_EQ(url, "me@x");

    std::string masked = "p\xC3\xA4ss";
    FillChars(masked, '*');
    EXPECT_EQ(masked, "****");
}

TEST(GridUtil, ClampAndColour)
{
    EXPECT_EQ(ClampToLimits(5, 10, 0), 10);
    EXPECT_EQ(ClampToLimits(50, 10, 20), 20);
    EXPECT_EQ(ClampToLimits(50, 7, 7), 50);
    EXPECT_EQ(ClampToLimits(-3, 0, 20), -3);
    EXPECT_EQ(ColorToHex(0x00123456), "563412");
    EXPECT_EQ(ColorToHex(0x000000FF), "FF0000");
}

TEST(GridUtil, OemRoundTrip)
{
    const std::string text = "\xC3\x84rger \xC2\xB0" "C"; // "Ärger °C"
    const std::string oem = StrToOem(text);
    EXPECT_EQ(oem, "\x8E" "rger \xF8" "C");
    EXPECT_EQ(OemToStr(oem), text);
    EXPECT_EQ(StrToOem("\xE2\x82\xAC"), "?"); // no euro sign in the code page
}

TEST(GridUtil, JoinStrings)
{
    TStringList l;
    l.Add("a");
    l.Add("");
    l.Add("bc");
    EXPECT_EQ(JoinStrings(l), "abc");
}
