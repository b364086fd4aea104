// The text of an INI file as lines, with the sections and "key=value" entries found
// in them. Changing an entry rewrites only its own line; every other line keeps its
// exact bytes, including its line break. Lines before the first section header
// belong to no section: they are kept but cannot be read or changed by name.
#pragma once

#include "classlib/Types.h"

#include <utility>
#include <vector>

class TIniDocument {
public:
    // Lines end at CR, LF or CR LF.
    void SetText(const AnsiString& Text);
    // New lines end with CR LF; so does a last line that has lines after it now.
    AnsiString GetText() const;
    std::vector<AnsiString> GetLines() const;
    void Clear() { FBlocks.clear(); }

    bool SectionExists(const AnsiString& Section) const;
    // Null when the section or the key is absent.
    const AnsiString* FindValue(const AnsiString& Section, const AnsiString& Ident) const;
    // The entries of the section in file order, duplicates included.
    std::vector<std::pair<AnsiString, AnsiString>> GetEntries(const AnsiString& Section) const;
    // Each section name once, in file order.
    std::vector<AnsiString> GetSectionNames() const;

    // Names and values are written as given: the caller checks they read back.
    void SetValue(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);
    // Every occurrence of the key in the section.
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident);
    // Every occurrence of the section, with all its lines.
    void EraseSection(const AnsiString& Section);

private:
    struct Line {
        AnsiString Text;
        AnsiString Break; // "\r\n", "\n", "\r", or "" for the last line of a text
        bool IsEntry = false;
        AnsiString Key;   // of an entry, trimmed
        AnsiString Value; // of an entry, trimmed
    };
    // A section header and the lines up to the next one, or the lines before the first.
    struct Block {
        bool Named = false;
        AnsiString Name;         // trimmed text between "[" and "]"
        std::vector<Line> Lines; // the header first when Named
    };

    static Line ParseLine(AnsiString Text, AnsiString Break);
    Block* Find(const AnsiString& Name);
    const Block* Find(const AnsiString& Name) const;

    std::vector<Block> FBlocks;
};
