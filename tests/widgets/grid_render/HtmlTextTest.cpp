// Mini-HTML text operations: entities, plain text, marking and the inline
// control tags.
#include "widgets/grid_render/Html_Render.h"

#include <gtest/gtest.h>

namespace {

TEST(HTMLEntities, DecodeTable)
{
    struct Case {
        std::string in;
        bool all;
        std::string want;
    } cases[] = {
        {"&lt;b&gt;", false, "<b>"},
        {"&LT;b&Gt;", false, "<b>"},
        {"&Uuml;", true, "Ü"},
        {"&Otilde;", true, "Õ"},
        {"&Uuml;", false, "&Uuml;"},  // accents only with all
        {"a&amp;lt;b", false, "a&lt;b"},  // one level at a time
        {"&amp;quot;&AMP;amp;", false, "&quot;&amp;"},
        {"&amp;eacute;", true, "&eacute;"},
        {"&quot;x&quot;", false, "\"x\""},
        {"&Eacute; and &eacute;", true, "É and é"},  // case of the letter kept
        {"&copy;&reg;&euro;&laquo;&raquo;", true, "©®€«»"},
        {"&unknown; &", true, "&unknown; &"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeHTMLEntities(c.in, c.all), c.want) << c.in;
}

TEST(HTMLEntities, EncodeTableAndRoundTrip)
{
    struct Case {
        std::string in;
        bool all;
        std::string want;
    } cases[] = {
        {"a&b", false, "a&amp;b"},
        {"x*amp;y", false, "x*amp;y"},
        {"<\"a\">", false, "&lt;&quot;a&quot;&gt;"},
        {"Über café ©", true, "&Uuml;ber caf&eacute; &copy;"},
        {"Über", false, "Über"},
        {"&quot; &eacute; &lt;", true, "&amp;quot; &amp;eacute; &amp;lt;"},  // written-out entities survive
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeHTMLEntities(c.in, c.all), c.want) << c.in;
        EXPECT_EQ(DecodeHTMLEntities(EncodeHTMLEntities(c.in, true), true), c.in) << c.in;
    }
    EXPECT_EQ(EncodeHTMLSpaces("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
}

TEST(HTMLPlainText, ToPlainTextAndStrip)
{
    struct Case {
        std::string in, plain, stripped;
    } cases[] = {
        {"<b>bold</b> text", "bold text", "bold text"},
        {"one<br>two<HR>three", "one\r\ntwo\r\nthree", "onetwothree"},
        {"a &lt; b", "a &lt; b", "a &lt; b"},  // entities stay
        {"x<y", "x<y", "x<y"},                // "<" without ">" is kept with what follows
        {"a>b<i>c</i>", "a>bc", "a>b<i>c</i>"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HTMLToPlainText(c.in), c.plain) << c.in;
        EXPECT_EQ(StripHTMLTags(c.in), c.stripped) << c.in;
    }
}

TEST(HTMLMarking, MarkAndUnmark)
{
    struct Case {
        std::string text, find;
        bool caseSensitive;
        std::string want;
    } cases[] = {
        {"<b>abc</b>abc", "bc", true, "<b>a<hi>bc</hi></b>a<hi>bc</hi>"},
        {"aaa", "a", true, "<hi>a</hi><hi>a</hi><hi>a</hi>"},
        {"Abc aBC", "bc", false, "A<hi>bc</hi> a<hi>BC</hi>"},
        {"Abc aBC", "bc", true, "A<hi>bc</hi> aBC"},
        {"Äpfel äpfel", "äp", false, "<hi>Äp</hi>fel <hi>äp</hi>fel"},
        {"abc", "", true, "abc"},  // nothing to find: nothing marked, no endless loop
        {"abc", "x", true, "abc"},
        {"a<b", "a", true, "<hi>a</hi>&lt;b"},  // a bare "<" is escaped before marking
    };
    for (const auto& c : cases) EXPECT_EQ(HTMLMarkText(c.text, c.find, "hi", c.caseSensitive), c.want) << c.text;

    EXPECT_EQ(HTMLUnmarkText("a<HI>b</hi>c&lt;", "hi"), "abc<");
    EXPECT_EQ(HTMLUnmarkText(HTMLMarkText("x &gt; y", "y", "e", true), "e"), "x > y");
}

const std::string kForm = "Name <CONTROL TYPE=\"button\" ID=\"b1\" VALUE=\"Go\" WIDTH=\"40\">"
                          "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">"
                          "<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"a&amp;b\" WIDTH=\"80\" MAXLEN=\"12\">"
                          "<CONTROL TYPE=\"COMBO\" ID=\"k1\" VALUE=\"x\" WIDTH=\"80\" HEIGHT=\"30\" "
                          "PROP=\"one,&Uuml;ber\" MAXLEN=\"99999999999\">"
                          "<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"16\">"
                          "<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"true\" WIDTH=\"16\"> end";

TEST(HTMLControls, ParseAndQuery)
{
    std::string type, id, value, width, height, prop, maxLen;
    ParseHTMLControlTag("<CONTROL width=\"50\" id=\"x\" type=\"edit\" value=\"&lt;&Uuml;&gt;\">", type, id, value,
                        width, height, prop, maxLen);
    EXPECT_EQ(type, "EDIT");
    EXPECT_EQ(id, "x");  // "width=" is not read as "id="
    EXPECT_EQ(value, "<Ü>");
    EXPECT_EQ(width, "50");
    EXPECT_EQ(height, "");
    EXPECT_EQ(prop, "");

    EXPECT_TRUE(HTMLHasControls(kForm));
    EXPECT_FALSE(HTMLHasControls("<b>no controls</b>"));
    EXPECT_EQ(HTMLNextEditControlID(kForm, ""), "e1");  // the button and check box are passed by
    EXPECT_EQ(HTMLNextEditControlID(kForm, "e1"), "k1");
    EXPECT_EQ(HTMLNextEditControlID(kForm, "k1"), "");
    EXPECT_EQ(HTMLNextEditControlID(kForm, "nope"), "");

    std::string v = "untouched";
    EXPECT_TRUE(HTMLGetControlValue(kForm, "e1", v));
    EXPECT_EQ(v, "a&b");
    v = "untouched";
    EXPECT_FALSE(HTMLGetControlValue(kForm, "zz", v));
    EXPECT_EQ(v, "untouched");
    EXPECT_EQ(HTMLGetControlProp(kForm, "k1"), "one,Über");
    EXPECT_EQ(HTMLGetControlProp(kForm, "zz"), "");
    EXPECT_EQ(HTMLGetControlMaxLen(kForm, "e1"), 12);
    EXPECT_EQ(HTMLGetControlMaxLen(kForm, "k1"), 32767);  // an absurd length is clamped
    EXPECT_EQ(HTMLGetControlMaxLen(kForm, "b1"), 0);
}

TEST(HTMLControls, SetValueKeepsTheOtherAttributes)
{
    std::string t = kForm;
    ASSERT_TRUE(HTMLSetControlValue(t, "k1", "<new> \"v\" é"));
    std::string v;
    ASSERT_TRUE(HTMLGetControlValue(t, "k1", v));
    EXPECT_EQ(v, "<new> \"v\" é");
    EXPECT_NE(t.find("VALUE=\"&lt;new&gt; &quot;v&quot; &eacute;\""), std::string::npos) << t;
    std::string type, id, value, width, height, prop, maxLen;
    const size_t at = t.find("<CONTROL ID=\"k1\"");
    ASSERT_NE(at, std::string::npos) << t;
    ParseHTMLControlTag(t.substr(at, t.find('>', at) - at + 1), type, id, value, width, height, prop, maxLen);
    EXPECT_EQ(type, "COMBO");
    EXPECT_EQ(width, "80");
    EXPECT_EQ(height, "30");
    EXPECT_EQ(prop, "one,Über");
    EXPECT_EQ(maxLen, "99999999999");
    // Everything around the control stays.
    EXPECT_EQ(t.substr(0, 5), "Name ");
    EXPECT_EQ(t.substr(t.size() - 4), " end");
    EXPECT_EQ(HTMLNextEditControlID(t, "e1"), "k1");

    std::string same = kForm;
    EXPECT_FALSE(HTMLSetControlValue(same, "zz", "x"));
    EXPECT_EQ(same, kForm);

    const std::string cleared = HTMLClearRadioControls(kForm);
    for (const char* id : {"r1", "r2"}) {
        ASSERT_TRUE(HTMLGetControlValue(cleared, id, v));
        EXPECT_EQ(v, "FALSE") << id;
    }
    ASSERT_TRUE(HTMLGetControlValue(cleared, "c1", v));
    EXPECT_EQ(v, "TRUE");  // check boxes are not radio buttons
}

TEST(HTMLColors, HexAndNames)
{
    struct Case {
        std::string in;
        TColor want;
    } hex[] = {
        {"#FF0000", clRed}, {"#00FF00", clLime}, {"#0000FF", clBlue}, {"#123456", 0x563412}, {"#", 0},
        {"#F", 0},  // a pair with fewer than two characters reads 0
    };
    for (const auto& c : hex) EXPECT_EQ(HTMLHexToColor(c.in), c.want) << c.in;
    // Whatever the digits, a hexadecimal colour stays an RGB colour.
    for (const char* junk : {"#zz!!~~", "#  ..//", "#\xff\xfe\x80\x81\x90\x91"})
        EXPECT_EQ(HTMLHexToColor(junk) & 0xFF000000u, 0u) << junk;

    EXPECT_EQ(HTMLColorNameToColor("CLRED"), clRed);
    EXPECT_EQ(HTMLColorNameToColor("clWindow"), clWindow);
    EXPECT_EQ(HTMLColorNameToColor("clinfobk"), clInfoBk);
    EXPECT_EQ(HTMLColorNameToColor("red"), clBlack);
    EXPECT_EQ(HTMLColorNameToColor("clRedX"), clBlack);
}

TEST(HTMLHighlight, ColoursAreKeptUntilChanged)
{
    EXPECT_EQ(HTMLHighlightColor(), clHighlight);
    EXPECT_EQ(HTMLHighlightTextColor(), clHighlightText);
    SetHTMLHighlightColors(clYellow, clRed);
    EXPECT_EQ(HTMLHighlightColor(), clYellow);
    EXPECT_EQ(HTMLHighlightTextColor(), clRed);
    SetHTMLHighlightColors(clHighlight, clHighlightText);
}

}  // namespace
