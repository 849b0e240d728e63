// Windows-1252 for the side files we write: what it holds, what becomes
// "?", and that reading the bytes back gives the text again.
#include "platform/TextFile.h"

#include <gtest/gtest.h>

TEST(Windows1252, EncodesWhatItHoldsAndMarksTheRest)
{
    struct Case {
        const char* utf8;
        const char* ansi;
    } cases[] = {
        {"plain ;\t\r\n", "plain ;\t\r\n"},
        {"Temp\xC3\xA9rature \xC2\xB0" "C", "Temp\xE9rature \xB0" "C"},    // é, °
        {"\xE2\x82\xAC \xC5\xA0 \xE2\x84\xA2 \xC5\xB8", "\x80 \x8A \x99 \x9F"},  // €, Š, ™, Ÿ
        {"\xC3\xBF", "\xFF"},                                                  // ÿ
        {"\xCE\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80", "? ? ?"},                   // Ω, 中, an emoji
        {"\xC2\x81", "?"},                                                     // a C1 control
        {"a\xE9" "b", "a?b"},                                                  // a lone Latin-1 byte
        {"\xC3", "?"},                                                         // cut at the end
        {"\xE2\x82" "A", "??A"},                                               // cut in the middle
        {"\xC0\xAF", "??"},                                                    // overlong "/"
        {"\xED\xA0\x80", "???"},                                               // a surrogate
    };
    for (const Case& c : cases) EXPECT_EQ(EncodeWindows1252(c.utf8), c.ansi) << c.utf8;
    const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x9C\xE2\x80\x9D \xE2\x80\x94";
    EXPECT_EQ(DecodeText(EncodeWindows1252(text)), text);
}
