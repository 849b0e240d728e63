#pragma once
// Helpers shared by the mini-HTML renderer and its text operations.

#include <string>
#include <string_view>

namespace esghtml {

// Largest width, height, indent or length an attribute may give.
constexpr int kMaxSize = 32767;

// Whether word stands in s at byte at, ASCII letters compared without
// regard to case.
bool MatchNoCase(const std::string& s, size_t at, std::string_view word);
// First occurrence of needle at or after from, ASCII letters compared
// without regard to case; npos when none.
size_t FindNoCase(const std::string& hay, std::string_view needle, size_t from = 0);
// The text between the first two double quotes at or after pos; empty
// when pos is npos or there are fewer than two quotes.
std::string QuotedAfter(const std::string& tag, size_t pos);
// Decimal digits at the start of s (0 without), clamped to lo..hi.
int LeadingNumber(std::string_view s, int lo, int hi);
// Every occurrence of from (any case) replaced by to, left to right.
std::string ReplaceAllNoCase(std::string s, std::string_view from, std::string_view to);

}  // namespace esghtml
