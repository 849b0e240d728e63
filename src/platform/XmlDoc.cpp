#include "platform/XmlDoc.h"

#include "platform/Paths.h"
#include "platform/SysUtils.h"

#include <algorithm>

namespace {
// Comments are kept (the "SW_VERSION = ..." comment); a text of blanks only
// that is an element's whole content is kept too, so a value of blanks
// survives a save and a reload.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_ws_pcdata_single;
} // namespace

TXmlLoad TXmlDocument::LoadFromFile(const std::string& path)
{
    doc_.reset();
    loadError_.clear();
    if (!FileExists(path)) {
        // A folder, pipe, device or dangling link in the file's place is no
        // missing file: it is reported, and nothing reads it.
        const std::string kind = NonFileKind(path);
        if (kind.empty()) return TXmlLoad::Missing;
        loadError_ = "it is " + kind + ", not a readable file";
        return TXmlLoad::Unreadable;
    }
    std::string bytes;
    if (!ReadFileBytes(path, bytes, &loadError_)) return TXmlLoad::Unreadable;
    const auto res = doc_.load_buffer(bytes.data(), bytes.size(),
                                      kParseOptions, pugi::encoding_auto);
    if (!res || !doc_.document_element()) {
        doc_.reset();
        if (res) {
            loadError_ = "the file holds no XML element";
        } else {
            // The line is counted in the file's bytes (UTF-8 files; the
            // parser's offset of a UTF-16 file is not a byte count).
            const bool utf16 = bytes.size() >= 2 && ((static_cast<unsigned char>(bytes[0]) == 0xFF &&
                                                      static_cast<unsigned char>(bytes[1]) == 0xFE) ||
                                                     (static_cast<unsigned char>(bytes[0]) == 0xFE &&
                                                      static_cast<unsigned char>(bytes[1]) == 0xFF));
            std::string place = "byte " + std::to_string(res.offset);
            if (!utf16) {
                const size_t end = std::min(bytes.size(), static_cast<size_t>(std::max<ptrdiff_t>(res.offset, 0)));
                const long line = 1 + std::count(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(end), '\n');
                place = "line " + std::to_string(line) + ", " + place;
            }
            loadError_ = "the file is not well-formed XML (" + std::string(res.description()) + " at " + place + ")";
        }
        return TXmlLoad::Unreadable;
    }
    return TXmlLoad::Read;
}

bool TXmlDocument::LoadFromString(const std::string& text)
{
    doc_.reset();
    const auto res = doc_.load_buffer(text.data(), text.size(),
                                      kParseOptions, pugi::encoding_auto);
    if (!res || !doc_.document_element()) {
        doc_.reset();
        return false;
    }
    return true;
}

pugi::xml_node TXmlDocument::NewDocument(const std::string& rootName)
{
    doc_.reset();
    return doc_.append_child(rootName.c_str());
}

void TXmlDocument::AddDocumentComment(const std::string& text)
{
    doc_.append_child(pugi::node_comment).set_value(text.c_str());
}

namespace {

void Escape(std::string& out, const char* s, bool attribute)
{
    for (; *s; ++s) {
        const unsigned char c = static_cast<unsigned char>(*s);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\r': out += "&#13;"; break;
        case '\n': out += attribute ? "&#10;" : "\n"; break;
        case '\t': out += attribute ? "&#09;" : "\t"; break;
        default:
            if (c >= 0x20) out += static_cast<char>(c);
            break; // other control characters are dropped
        }
    }
}

void Write(std::string& out, pugi::xml_node n, int depth)
{
    const std::string indent(static_cast<size_t>(depth), '\t');
    switch (n.type()) {
    case pugi::node_element: {
        out += indent;
        out += '<';
        out += n.name();
        for (auto a : n.attributes()) {
            out += ' ';
            out += a.name();
            out += "=\"";
            Escape(out, a.value(), true);
            out += '"';
        }
        // Text-only content stays on the element's line.
        bool hasElementChildren = false;
        std::string text;
        for (auto c : n.children()) {
            if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
                text += c.value();
            else
                hasElementChildren = true;
        }
        if (!hasElementChildren) {
            if (text.empty()) {
                out += " />\n";
            } else {
                out += '>';
                Escape(out, text.c_str(), false);
                out += "</";
                out += n.name();
                out += ">\n";
            }
            return;
        }
        out += ">\n";
        for (auto c : n.children()) Write(out, c, depth + 1);
        out += indent;
        out += "</";
        out += n.name();
        out += ">\n";
        return;
    }
    case pugi::node_comment:
        out += indent;
        out += "<!--";
        out += n.value();
        out += "-->\n";
        return;
    case pugi::node_pcdata:
    case pugi::node_cdata:
        if (!Trim(n.value()).empty()) {
            out += indent;
            Escape(out, n.value(), false);
            out += '\n';
        }
        return;
    default:
        return; // declarations, processing instructions and doctypes are not written
    }
}

} // namespace

std::string TXmlDocument::SaveToString() const
{
    std::string out;
    for (auto n : doc_.children()) Write(out, n, 0);
    return out;
}

bool TXmlDocument::SaveToFile(const std::string& path, TFileAccess access) const
{
    return WriteFileAtomic(path, SaveToString(), access);
}

pugi::xml_node ChildElement(pugi::xml_node parent, const char* name)
{
    for (auto c : parent.children())
        if (c.type() == pugi::node_element && std::string_view(c.name()) == name) return c;
    return {};
}

int ElementChildCount(pugi::xml_node node)
{
    int n = 0;
    for (auto c : node.children())
        if (c.type() == pugi::node_element) ++n;
    return n;
}

std::string ElementText(pugi::xml_node node)
{
    return node ? std::string(node.child_value()) : std::string();
}

pugi::xml_node AddTextElement(pugi::xml_node parent, const char* name, const std::string& text)
{
    auto e = parent.append_child(name);
    if (!text.empty()) e.append_child(pugi::node_pcdata).set_value(text.c_str());
    return e;
}
