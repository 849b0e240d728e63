#pragma once
// A small INI file: "[Section]" headers and "Key=Value" lines. Section and
// key names match without regard to case; lines starting with ';' or '#'
// are comments. Every write rewrites the whole file (atomically) and keeps
// every other section, key and comment as it was. A missing file reads as
// empty; an unreadable one too.

#include "platform/SysUtils.h"

#include <string>
#include <vector>

// A file that cannot be read or written.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

class TIniFile {
public:
    explicit TIniFile(std::string FileName);
    const std::string& FileName() const { return FFileName; }

    std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) const;
    // The value as a decimal (or "$"/"0x" hexadecimal) integer; Default when
    // the key is missing or its value is not a number.
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
    bool ValueExists(const std::string& Section, const std::string& Ident) const;

    // Raise EInOutError when the file cannot be written; the old file is
    // then left unchanged.
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value);

private:
    void Load();
    void Save() const;
    // Index of the value line of Section/Ident, or -1; sectionEnd receives
    // the index after the section's last non-blank line (-1: no section).
    int Find(const std::string& Section, const std::string& Ident, int* sectionEnd) const;

    std::string FFileName;
    std::vector<std::string> FLines;
};
