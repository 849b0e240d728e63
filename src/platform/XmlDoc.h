#pragma once
// The XML document every file of the program goes through.
//
// Saved form: UTF-8 without BOM and without declaration, the nodes of the
// document in their order (the root element first, then for example the
// "SW_VERSION = ..." comment), one element per line indented by one TAB per
// level, LF line ends, childless elements as <name />, CR/LF/TAB inside
// attribute values as character references, other control characters below
// U+0020 dropped. The file is written to a temporary name and renamed.
//
// Loading accepts UTF-8 and UTF-16 with BOM, a declaration, comments or
// whitespace before the root, and CRLF line ends. The root is the document
// element; its element children are what the readers count.

#include "platform/Paths.h"

#include <pugixml.hpp>

#include <string>

enum class TXmlLoad { Read, Missing, Unreadable };

class TXmlDocument {
public:
    // Loads the file. Missing: no such file. Unreadable: the file cannot be
    // read, is larger than Max_Read_File_Size (refused unread), is not
    // well-formed XML, or something else than a regular file stands in its
    // place (a folder, pipe, device or dangling link; never opened); the
    // document is then empty and LoadError says why.
    TXmlLoad LoadFromFile(const std::string& path);
    // Why the last LoadFromFile gave Unreadable ("" otherwise).
    const std::string& LoadError() const { return loadError_; }
    bool LoadFromString(const std::string& text);

    // The document element, or an empty node.
    pugi::xml_node Root() const { return doc_.document_element(); }
    // Removes every node and adds a root element of that name.
    pugi::xml_node NewDocument(const std::string& rootName);
    // Adds a comment after the last node of the document.
    void AddDocumentComment(const std::string& text);
    void Clear() { doc_.reset(); }
    pugi::xml_document& Doc() { return doc_; }

    // The saved byte form described above.
    std::string SaveToString() const;
    // Atomic save (WriteFileAtomic): a replaced file keeps its mode, a new
    // one gets the mode of access; false when the file could not be written
    // (a read-only file is not replaced).
    bool SaveToFile(const std::string& path, TFileAccess access = TFileAccess::Shared) const;

private:
    pugi::xml_document doc_;
    std::string loadError_;
};

// --- small reading helpers -------------------------------------------------

// First child element of that name (case-sensitive), or an empty node.
pugi::xml_node ChildElement(pugi::xml_node parent, const char* name);
// Number of element children.
int ElementChildCount(pugi::xml_node node);
// The text of an element ("" for an empty node).
std::string ElementText(pugi::xml_node node);
// Adds <name>text</name> under parent.
pugi::xml_node AddTextElement(pugi::xml_node parent, const char* name, const std::string& text);
