#pragma once
// Decoding of text files written by other tools (language files).

#include <string>
#include <vector>

// Bytes to UTF-8: a UTF-8 or UTF-16 (LE/BE) byte-order mark decides the
// encoding; without one, valid UTF-8 is taken as it is and anything else is
// read as Windows-1252. Invalid UTF-16 units become U+FFFD.
std::string DecodeText(const std::string& bytes);
// Splits at CR, LF or CR LF. A final line end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);
// True when the bytes are valid UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(const std::string& s);
// UTF-8 to Windows-1252 (the ANSI code page of the side files we write):
// every character it cannot hold, and every byte that is not valid UTF-8,
// becomes "?".
std::string EncodeWindows1252(const std::string& utf8);
// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);
