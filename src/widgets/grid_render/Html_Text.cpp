// Mini-HTML text operations: entities, tag stripping, marking found text and
// the inline form-control tags.

#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/Html_Internal.h"

#include "platform/DrawText.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <vector>

namespace esghtml {

bool MatchNoCase(const std::string& s, size_t at, std::string_view word)
{
    if (at > s.size() || s.size() - at < word.size()) return false;
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
    for (size_t k = 0; k < word.size(); ++k)
        if (up(s[at + k]) != up(word[k])) return false;
    return true;
}

size_t FindNoCase(const std::string& hay, std::string_view needle, size_t from)
{
    if (needle.empty()) return from <= hay.size() ? from : std::string::npos;
    if (hay.size() < needle.size()) return std::string::npos;
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
    for (size_t i = from; i + needle.size() <= hay.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() && up(hay[i + k]) == up(needle[k])) ++k;
        if (k == needle.size()) return i;
    }
    return std::string::npos;
}

std::string QuotedAfter(const std::string& tag, size_t pos)
{
    if (pos == std::string::npos) return {};
    const size_t q1 = tag.find('"', pos);
    if (q1 == std::string::npos) return {};
    const size_t q2 = tag.find('"', q1 + 1);
    if (q2 == std::string::npos) return {};
    return tag.substr(q1 + 1, q2 - q1 - 1);
}

int LeadingNumber(std::string_view s, int lo, int hi)
{
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
        if (v > hi) break;
    }
    return int(std::clamp<long long>(v, lo, hi));
}

std::string ReplaceAllNoCase(std::string s, std::string_view from, std::string_view to)
{
    size_t p = 0;
    while ((p = FindNoCase(s, from, p)) != std::string::npos) {
        s.replace(p, from.size(), to);
        p += to.size();
    }
    return s;
}

}  // namespace esghtml

using namespace esghtml;

namespace {

struct TEntity {
    const char* name;
    const char* ch;
};

// Accented letters and signs, in the order they are decoded and encoded.
const TEntity kEntities[] = {
    {"&eacute;", "é"}, {"&egrave;", "è"}, {"&euml;", "ë"},   {"&ecirc;", "ê"},   {"&oacute;", "ó"},
    {"&ograve;", "ò"}, {"&ouml;", "ö"},   {"&ocirc;", "ô"},  {"&iacute;", "í"},  {"&igrave;", "ì"},
    {"&iuml;", "ï"},   {"&icirc;", "î"},  {"&uacute;", "ú"}, {"&ugrave;", "ù"},  {"&uuml;", "ü"},
    {"&ucirc;", "û"},  {"&aacute;", "á"}, {"&agrave;", "à"}, {"&auml;", "ä"},    {"&acirc;", "â"},
    {"&Eacute;", "É"}, {"&Egrave;", "È"}, {"&Euml;", "Ë"},   {"&Ecirc;", "Ê"},   {"&Oacute;", "Ó"},
    {"&Ograve;", "Ò"}, {"&Ouml;", "Ö"},   {"&Ocirc;", "Ô"},  {"&Iacute;", "Í"},  {"&Igrave;", "Ì"},
    {"&Iuml;", "Ï"},   {"&Icirc;", "Î"},  {"&Uacute;", "Ú"}, {"&Ugrave;", "Ù"},  {"&Uuml;", "Ü"},
    {"&Ucirc;", "Û"},  {"&Aacute;", "Á"}, {"&Agrave;", "À"}, {"&Auml;", "Ä"},    {"&Acirc;", "Â"},
    {"&ccedil;", "ç"}, {"&Ccedil;", "Ç"}, {"&oslash;", "ø"}, {"&Oslash;", "Ø"},  {"&aring;", "å"},
    {"&Aring;", "Å"},  {"&copy;", "©"},   {"&reg;", "®"},    {"&euro;", "€"},    {"&laquo;", "«"},
    {"&raquo;", "»"},  {"&atilde;", "ã"}, {"&Atilde;", "Ã"}, {"&otilde;", "õ"},  {"&Otilde;", "Õ"},
};

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to)
{
    size_t p = 0;
    while ((p = s.find(from, p)) != std::string::npos) {
        s.replace(p, from.size(), to);
        p += to.size();
    }
    return s;
}

// The text's characters (UTF-8 sequences), each upper-cased where its
// upper case is one character.
std::vector<std::string> UpperChars(const std::string& s, bool caseSensitive)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        const size_t n = size_t(Utf8CharLength(s, i));
        std::string c = s.substr(i, n);
        if (!caseSensitive) {
            std::string u = n == 1 ? UpperCase(c) : AnsiUpperCase(c);
            if (Utf8Length(u) == 1) c = u;
        }
        out.push_back(c);
        i += n;
    }
    return out;
}

// Byte offset in text of the visible position n (1-based: the place before
// which n - 1 characters outside tags lie); npos when text has fewer. An
// opening mark goes after tags that stand there (atVisible), a closing
// mark before them.
size_t VisiblePosition(const std::string& text, size_t n, bool atVisible)
{
    size_t count = 0, p = 0;
    while (p < text.size()) {
        if (count == n - 1 && !(atVisible && text[p] == '<')) return p;
        if (text[p] == '<') {
            const size_t gt = text.find('>', p);
            if (gt == std::string::npos) {
                p = text.size();
                break;
            }
            p = gt + 1;
            continue;
        }
        p += size_t(Utf8CharLength(text, p));
        ++count;
    }
    return count == n - 1 ? text.size() : std::string::npos;
}

// One "<CONTROL " tag found by ScanControls: where it starts ('<') and
// where it ends (after '>', or the text's end).
struct TControlTag {
    size_t start, end;
    std::string text;
};

std::vector<TControlTag> ScanControls(const std::string& text)
{
    std::vector<TControlTag> out;
    size_t p = 0;
    while ((p = FindNoCase(text, "<CONTROL ", p)) != std::string::npos) {
        const size_t gt = text.find('>', p);
        const size_t end = gt == std::string::npos ? text.size() : gt + 1;
        out.push_back({p, end, text.substr(p, end - p)});
        p = end;
    }
    return out;
}

struct TControlAttrs {
    std::string type, id, value, width, height, prop, maxLen;
};

TControlAttrs ParseControl(const std::string& tag)
{
    TControlAttrs a;
    ParseHTMLControlTag(tag, a.type, a.id, a.value, a.width, a.height, a.prop, a.maxLen);
    return a;
}

const TControlTag* FindControl(const std::vector<TControlTag>& tags, const std::string& id, TControlAttrs& attrs)
{
    for (const auto& t : tags) {
        attrs = ParseControl(t.text);
        if (attrs.id == id) return &t;
    }
    return nullptr;
}

TColor g_highlight = clHighlight;
TColor g_highlightText = clHighlightText;
// The platform always offers visual styles; recorded when the unit starts.
const bool g_winXPOrLater = true;

}  // namespace

// One pass from left to right: what a decoded entity gives is never read
// again, so a literal "&quot;" written as "&amp;quot;" comes back as it was.
std::string DecodeHTMLEntities(const std::string& Text, bool All)
{
    static const std::pair<std::string_view, char> kBasic[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
    std::string s;
    s.reserve(Text.size());
    for (size_t i = 0; i < Text.size();) {
        if (Text[i] != '&') {
            s += Text[i++];
            continue;
        }
        bool done = false;
        for (const auto& [name, ch] : kBasic)
            if (MatchNoCase(Text, i, name)) {
                s += ch;
                i += name.size();
                done = true;
                break;
            }
        if (!done && All)
            for (const auto& e : kEntities)
                if (Text.compare(i, std::string_view(e.name).size(), e.name) == 0) {
                    s += e.ch;
                    i += std::string_view(e.name).size();
                    done = true;
                    break;
                }
        if (!done) s += Text[i++];
    }
    return s;
}

std::string EncodeHTMLEntities(const std::string& Text, bool All)
{
    std::string s;
    s.reserve(Text.size());
    for (char c : Text) {
        switch (c) {
        case '&': s += "&amp;"; break;
        case '"': s += "&quot;"; break;
        case '<': s += "&lt;"; break;
        case '>': s += "&gt;"; break;
        default: s += c;
        }
    }
    if (All)
        for (const auto& e : kEntities) s = ReplaceAll(s, e.ch, e.name);
    return s;
}

std::string EncodeHTMLSpaces(const std::string& Text) { return ReplaceAll(Text, " ", "&nbsp;"); }

std::string HTMLToPlainText(const std::string& Text)
{
    std::string s = ReplaceAllNoCase(Text, "<BR>", "\r\n");
    s = ReplaceAllNoCase(s, "<HR>", "\r\n");
    std::string r;
    size_t p = 0;
    while (true) {
        const size_t lt = s.find('<', p);
        if (lt == std::string::npos) break;
        r.append(s, p, lt - p);
        p = lt;
        const size_t gt = s.find('>', lt);
        if (gt == std::string::npos) break;
        p = gt + 1;
    }
    r.append(s, p, std::string::npos);
    return r;
}

std::string StripHTMLTags(const std::string& Text)
{
    std::string r;
    size_t p = 0;
    while (true) {
        const size_t lt = Text.find('<', p);
        if (lt == std::string::npos) break;
        const size_t gt = Text.find('>', p);
        if (gt == std::string::npos || gt < lt) break;
        r.append(Text, p, lt - p);
        p = gt + 1;
    }
    r.append(Text, p, std::string::npos);
    return r;
}

std::string HTMLMarkText(const std::string& Text, const std::string& Find, const std::string& Tag,
                         bool CaseSensitive)
{
    if (Find.empty()) return Text;
    std::string text = Text, find = Find;
    std::string plain = StripHTMLTags(text);
    if (text.find(find) != std::string::npos &&
        (plain.find('<') != std::string::npos || plain.find('>') != std::string::npos)) {
        plain = ReplaceAll(ReplaceAll(plain, "<", "&lt;"), ">", "&gt;");
        text = plain;
        find = ReplaceAll(ReplaceAll(find, "<", "&lt;"), ">", "&gt;");
    }
    const std::vector<std::string> hay = UpperChars(plain, CaseSensitive);
    const std::vector<std::string> needle = UpperChars(find, CaseSensitive);
    const std::string open = "<" + Tag + ">", close = "</" + Tag + ">";
    size_t c = 0;
    while (c + needle.size() <= hay.size()) {
        if (!std::equal(needle.begin(), needle.end(), hay.begin() + long(c))) {
            ++c;
            continue;
        }
        const size_t L = needle.size();
        const size_t at = VisiblePosition(text, c + 1, true);
        const size_t to = VisiblePosition(text, c + 1 + L, false);
        if (at == std::string::npos || to == std::string::npos) break;
        text.insert(to, close);
        text.insert(at, open);
        c += L;
    }
    return text;
}

std::string HTMLUnmarkText(const std::string& Text, const std::string& Tag)
{
    std::string s = Text;
    for (const std::string& t : {"<" + Tag + ">", "</" + Tag + ">"}) {
        size_t p;
        while ((p = FindNoCase(s, t)) != std::string::npos) s.erase(p, t.size());
    }
    s = ReplaceAll(s, "&lt;", "<");
    return ReplaceAll(s, "&gt;", ">");
}

// --- inline form controls ------------------------------------------------------------------

bool HTMLHasControls(const std::string& Text) { return FindNoCase(Text, "<CONTROL") != std::string::npos; }

void ParseHTMLControlTag(const std::string& Tag, std::string& Type, std::string& Id, std::string& Value,
                         std::string& Width, std::string& Height, std::string& Prop, std::string& MaxLen)
{
    auto attr = [&](std::string_view name) { return QuotedAfter(Tag, FindNoCase(Tag, name)); };
    Type = UpperCase(attr("TYPE="));
    Id = attr("ID=");
    Value = DecodeHTMLEntities(attr("VALUE="), true);
    Width = attr("WIDTH=");
    Height = attr("HEIGHT=");
    Prop = DecodeHTMLEntities(attr("PROP="), true);
    MaxLen = attr("MAXLEN=");
}

std::string HTMLNextEditControlID(const std::string& Text, const std::string& AfterId)
{
    bool after = AfterId.empty();
    for (const auto& t : ScanControls(Text)) {
        const TControlAttrs a = ParseControl(t.text);
        if (after && a.type != "BUTTON" && a.type != "CHECK" && a.type != "RADIO") return a.id;
        if (a.id == AfterId) after = true;
    }
    return {};
}

bool HTMLGetControlValue(const std::string& Text, const std::string& Id, std::string& Value)
{
    TControlAttrs a;
    if (!FindControl(ScanControls(Text), Id, a)) return false;
    Value = a.value;
    return true;
}

std::string HTMLGetControlProp(const std::string& Text, const std::string& Id)
{
    TControlAttrs a;
    return FindControl(ScanControls(Text), Id, a) ? a.prop : std::string();
}

int HTMLGetControlMaxLen(const std::string& Text, const std::string& Id)
{
    TControlAttrs a;
    return FindControl(ScanControls(Text), Id, a) ? LeadingNumber(a.maxLen, 0, kMaxSize) : 0;
}

bool HTMLSetControlValue(std::string& Text, const std::string& Id, const std::string& NewValue)
{
    const auto tags = ScanControls(Text);
    TControlAttrs a;
    const TControlTag* t = FindControl(tags, Id, a);
    if (!t) return false;
    const std::string q = "\"";
    std::string tag = "<CONTROL ID=" + q + Id + q + " VALUE=" + q + EncodeHTMLEntities(NewValue, true) + q +
                      " WIDTH=" + q + a.width + q + " TYPE=" + q + a.type + q;
    if (!a.prop.empty()) tag += " PROP=" + q + EncodeHTMLEntities(a.prop, true) + q;
    if (!a.maxLen.empty()) tag += " MAXLEN=" + q + a.maxLen + q;
    if (!a.height.empty()) tag += " HEIGHT=" + q + a.height + q;
    tag += ">";
    Text = Text.substr(0, t->start) + tag + Text.substr(t->end);
    return true;
}

std::string HTMLClearRadioControls(const std::string& Text)
{
    std::string s = Text;
    std::vector<std::string> ids;
    for (const auto& t : ScanControls(Text)) {
        const TControlAttrs a = ParseControl(t.text);
        if (a.type == "RADIO") ids.push_back(a.id);
    }
    for (const auto& id : ids) HTMLSetControlValue(s, id, "FALSE");
    return s;
}

// --- unit-wide settings ----------------------------------------------------------------------

void SetHTMLHighlightColors(TColor Background, TColor Text)
{
    g_highlight = Background;
    g_highlightText = Text;
}

TColor HTMLHighlightColor() { return g_highlight; }
TColor HTMLHighlightTextColor() { return g_highlightText; }
bool CheckWinXPOrLater() { return g_winXPOrLater; }
