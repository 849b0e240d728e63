#pragma once
// Cell text codecs and string helpers shared by the grid's modules.
//
// Cell texts are UTF-8 strings that may hold character code 0. Positions are
// 1-based byte positions in the UTF-8 text; 0 means "not found". Functions
// that only replace ASCII characters work byte by byte, which leaves every
// multi-byte character intact.

#include "platform/Classes.h"
#include "platform/SysUtils.h"

#include <cstdint>
#include <string>
#include <string_view>

// Kinds of cell text returned by CellTextKind.
enum : int {
    ctkPlain = 0,
    ctkHTML = 1,
    ctkRichText = 2,
    ctkFormula = 3,
    ctkWideText = 5,
};

// --- codecs ------------------------------------------------------------------

// "|\" followed by two characters per UTF-16 unit: unit div 256, unit mod 256
// (each a character 0..255, stored as its UTF-8 form).
std::string EncodeWideText(const WideString& w);
// Reverse of EncodeWideText for texts with the "|\" prefix (an odd last
// character is dropped); any other text is returned unchanged.
WideString DecodeWideText(std::string_view s);
int WidePos(const WideString& sub, const WideString& text);

std::string EncodeLineBreaks(std::string_view s);
std::string DecodeLineBreaks(std::string_view s, bool multiLine);
std::string EscapeNewlines(std::string_view s);
std::string UnescapeNewlines(std::string_view s);
std::string QuoteMultiLine(std::string_view s);
std::string VTToCRLF(std::string_view s);
std::string CRLFToLF(std::string_view s);
std::string CRToLF(std::string_view s);
std::string RemoveCR(std::string_view s);
std::string CRToTilde(std::string_view s);
std::string TildeToCRLF(std::string_view s);
std::string CRToBR(std::string_view s);
std::string DoubleQuoteChars(std::string_view s);
std::string UndoubleChar(char ch, std::string_view s);
// OEM code page (437) bytes of a text and back; characters the code page
// lacks become "?".
std::string StrToOem(std::string_view s);
std::string OemToStr(std::string_view oem);
// Six upper-case hex digits red, green, blue of a 24-bit colour (red in the
// low byte).
std::string ColorToHex(std::uint32_t color);
std::string MixedCaseText(std::string_view s);
std::string MakeClipboardHTML(std::string_view fragment);
bool URLToAnchor(std::string_view s, std::string_view upperPrefix, std::string& result);

// --- classification and parsing ------------------------------------------------

int CellTextKind(std::string_view s, bool htmlEnabled);
bool IsURLText(std::string_view s);
void StripURLProtocol(std::string& s);
int TextLineCount(std::string_view s, bool multiLine);
void TakeLine(std::string& s, bool keepRest, std::string& line);
std::string CutFirstPart(std::string& s, std::string_view delimiter);
int CountChar(char ch, std::string_view s);
int SingleCharPos(char ch, std::string_view s, int& pos);
int SingleCharCount(char ch, std::string_view s);
int CharPos(char ch, std::string_view s);
int CharPosEx(char ch, std::string_view s, int& pos);
int FindSubstr(std::string_view sub, std::string_view s, int& pos);
int UpperPos(std::string_view sub, std::string_view s);
std::string JoinStrings(const TStringList& list);
void FillChars(std::string& s, char ch);
inline int IntMax(int a, int b) { return a > b ? a : b; }
inline int IntMin(int a, int b) { return a < b ? a : b; }
int ClampToLimits(int value, int min, int max);

// Code points of a UTF-8 text, each as its own UTF-8 string.
std::vector<std::string> SplitCodePoints(std::string_view s);

// True when the cell lies inside the block, bounds included.
struct TGridRect;
bool CellInGridRect(const TGridRect& rect, int col, int row);
