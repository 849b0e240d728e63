#include "widgets/GridFilter.h"

#include "widgets/GridParsers.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace {

// Deeper groups than this are not evaluated: the expression does not match.
constexpr int kMaxGroupDepth = 64;
// Operands compare over at most this many characters.
constexpr size_t kMaxOperand = 255;

bool ContainsChar(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

// Operand after the first `op` of the term; `inclusive` is set by a
// following "=". Blanks and "&"/"|" end it unless inside double quotes.
std::string Operand(std::string_view t, char op, bool& inclusive)
{
    size_t i = t.find(op) + 1;
    inclusive = false;
    if (i < t.size() && t[i] == '=') {
        inclusive = true;
        ++i;
    }
    while (i < t.size() && t[i] == ' ') ++i;
    std::string r;
    bool quoted = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '"') quoted = !quoted;
        if (!quoted && (c == ' ' || c == '&' || c == '|')) break;
        r += c;
    }
    if (!r.empty() && r.front() == '"') r.erase(0, 1);
    if (!r.empty() && r.back() == '"') r.pop_back();
    if (r.size() > kMaxOperand) r.resize(kMaxOperand);
    return r;
}

bool IsFilterNumber(std::string_view s, double& v)
{
    if (!TryDotTextToFloat(DotDecimalText(s), v)) return false;
    TDateTime dt = 0;
    return !ParseDateTimeText(s, dt);
}

// Sign of value - operand.
int CompareValues(std::string_view v, std::string_view operand)
{
    double a = 0, b = 0;
    if (IsFilterNumber(v, a) && IsFilterNumber(operand, b)) return a < b ? -1 : (a > b ? 1 : 0);
    TDateTime da = 0, db = 0;
    if (ParseDateTimeText(v, da) && ParseDateTimeText(operand, db)) return da < db ? -1 : (da > db ? 1 : 0);
    const std::string_view x = v.substr(0, std::min(v.size(), kMaxOperand));
    const std::string_view y = operand.substr(0, std::min(operand.size(), kMaxOperand));
    const int c = x.compare(y); // char_traits<char> compares as unsigned
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Wildcard matcher. Each "*" run hands the rest of the pattern to a
// sub-match against every tail of the value; the sub-match of a run depends
// only on where in the value it starts, so the answers are computed once per
// run and value position, last run first (no exponential backtracking, no
// recursion).
class WildcardMatcher {
public:
    WildcardMatcher(std::string_view p, std::string_view v) : p_(p), v_(v)
    {
        for (size_t i = 0; i < p_.size(); ++i)
            if (p_[i] == '*' && (i == 0 || p_[i - 1] != '*')) {
                size_t e = i;
                while (e < p_.size() && p_[e] == '*') ++e;
                runStart_.push_back(i);
                runEnd_.push_back(e);
            }
        const size_t nv = v_.size() + 1;
        anyTail_.assign(runStart_.size(), std::vector<char>(nv, 0));
        for (size_t r = runStart_.size(); r-- > 0;) {
            std::vector<char>& t = anyTail_[r];
            // anyTail[r][j]: some tail starting at or after j matches the
            // pattern after run r.
            bool any = false;
            for (size_t j = nv; j-- > 0;) {
                any = any || Walk(runEnd_[r], j);
                t[j] = any ? 1 : 0;
            }
        }
    }

    bool Match() { return Walk(0, 0); }

private:
    bool Walk(size_t ti, size_t vj) const
    {
        bool ok = true, negate = false;
        const size_t nt = p_.size(), nv = v_.size();
        while (ok && !(ti == nt && vj == nv)) {
            if (ti == nt) {
                ok = false;
                break;
            }
            const char c = p_[ti];
            if (c == '!') {
                negate = true;
                ++ti;
            } else if (c == '"') {
                ++ti;
            } else if (c == '*') {
                const size_t r = static_cast<size_t>(
                    std::lower_bound(runStart_.begin(), runStart_.end(), ti) - runStart_.begin());
                ok = anyTail_[r][vj] != 0;
                break;
            } else if (vj == nv) {
                ok = false;
            } else if (c == '?' || c == v_[vj]) {
                ++ti;
                ++vj;
            } else {
                ok = false;
            }
        }
        return negate ? !ok : ok;
    }

    std::string_view p_, v_;
    std::vector<size_t> runStart_, runEnd_;
    std::vector<std::vector<char>> anyTail_;
};

bool MatchExpression(std::string_view expression, std::string_view value, bool caseSensitive, int depth)
{
    if (depth > kMaxGroupDepth) return false;
    std::string s = StripUnquotedBlanks(Trim(expression));
    if (!s.empty() && s[0] == '=') s.erase(0, 1);
    static const TCharSet ops = {'(', ';', '^', '&', '|'};
    bool result = false;
    char prevOp = 0;
    auto combine = [&](bool r) {
        switch (prevOp) {
        case 0: result = r; break;
        case '&': result = result && r; break;
        case '(': break; // the pass after a group is discarded
        default: result = result || r; break;
        }
    };
    for (;;) {
        int pos = -1;
        const char op = FirstUnquotedCharOf(ops, s, pos);
        if (op == 0) break;
        bool r;
        if (s[0] == '(') {
            const int close = ClosingParenPos(s);
            if (close == 0) return false; // unbalanced group: no match
            r = MatchExpression(std::string_view(s).substr(1, static_cast<size_t>(close) - 2), value, caseSensitive,
                                depth + 1);
            s.erase(0, static_cast<size_t>(close));
            combine(r);
            prevOp = '(';
        } else {
            r = MatchFilterTerm(std::string_view(s).substr(0, static_cast<size_t>(pos) - 1), value, caseSensitive);
            s.erase(0, static_cast<size_t>(pos));
            combine(r);
            prevOp = op;
        }
    }
    combine(MatchFilterTerm(s, value, caseSensitive));
    return result;
}

} // namespace

std::string StripUnquotedBlanks(std::string_view s)
{
    std::string r;
    bool quoted = false;
    for (char c : s) {
        if (c == '"') quoted = !quoted;
        if (c == ' ' && !quoted) continue;
        r += c;
    }
    return r;
}

char FirstUnquotedCharOf(const TCharSet& set, std::string_view s, int& pos)
{
    bool quoted = false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && std::find(set.begin(), set.end(), c) != set.end()) {
            pos = static_cast<int>(i) + 1;
            return c;
        }
    }
    pos = -1;
    return 0;
}

int ClosingParenPos(std::string_view s)
{
    int open = 0, close = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '(') ++open;
        if (s[i] == ')') {
            ++close;
            if (open == close) return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

bool MatchWildcard(std::string_view pattern, std::string_view value)
{
    return WildcardMatcher(pattern, value).Match();
}

bool MatchFilterCondition(std::string_view t, std::string_view v)
{
    bool gt = true, lt = true, gtEval = false, ltEval = false;
    const bool hasGt = ContainsChar(t, '>');
    const bool hasLt = ContainsChar(t, '<');
    if (hasGt) {
        bool inclusive = false;
        const std::string operand = Operand(t, '>', inclusive);
        const int c = CompareValues(v, operand);
        gt = inclusive ? c >= 0 : c > 0;
        gtEval = true;
    }
    if (hasLt) {
        bool inclusive = false;
        const std::string operand = Operand(t, '<', inclusive);
        const int c = CompareValues(v, operand);
        lt = inclusive ? c <= 0 : c < 0;
        ltEval = true;
    }
    if (ContainsChar(t, '!')) {
        if (!hasGt) gtEval = true;
        if (!hasLt) ltEval = true;
    }
    if (ContainsChar(t, '^') && (gtEval || ltEval)) return lt || gt;
    if (ContainsChar(t, '&') && gtEval && ltEval) return lt && gt;
    if (hasGt && gt) return true;
    if (hasLt && lt) return true;
    return MatchWildcard(t, v);
}

bool MatchFilterTerm(std::string_view term, std::string_view value, bool caseSensitive)
{
    if (caseSensitive) return MatchFilterCondition(term, value);
    return MatchFilterCondition(AnsiUpperCase(term), AnsiUpperCase(value));
}

bool MatchFilterExpression(std::string_view expression, std::string_view value, bool caseSensitive)
{
    return MatchExpression(expression, value, caseSensitive, 0);
}
