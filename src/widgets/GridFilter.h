#pragma once
// Matcher of the grid's filter and find expressions: comparisons with
// numbers, dates or text, wildcards, negation, and conditions joined by
// "&", "|" (also ";" and "^") and parentheses, evaluated left to right.

#include <string>
#include <string_view>
#include <vector>

using TCharSet = std::vector<char>;

bool MatchFilterExpression(std::string_view expression, std::string_view value, bool caseSensitive);
bool MatchFilterTerm(std::string_view term, std::string_view value, bool caseSensitive);
bool MatchFilterCondition(std::string_view term, std::string_view value);
std::string StripUnquotedBlanks(std::string_view s);
// First character of `set` outside double quotes (0 when none); `pos` gets
// its 1-based position, -1 when none.
char FirstUnquotedCharOf(const TCharSet& set, std::string_view s, int& pos);
int ClosingParenPos(std::string_view s);
// Wildcard match ("*", "?", "!" negation, quotes skipped) of a whole term.
bool MatchWildcard(std::string_view pattern, std::string_view value);
