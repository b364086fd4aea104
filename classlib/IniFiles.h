// INI files: sections of "key=value" lines.
//
// Section and key names are compared without regard to the case of ASCII letters;
// values are kept exactly as written (quotes included), apart from the blanks and
// control characters around them. The order of sections and keys, comment lines
// (";") and blank lines are preserved, and every line that is not changed is written
// back byte for byte. A new key goes at the end of its section, a new section at the
// end of the file. When a section name occurs more than once, the first occurrence
// is the one read and written, and EraseSection removes them all.
//
// Files are read when the object is created: a missing file gives an empty INI, an
// unreadable one raises EFOpenError. A file is only ever replaced by a complete new
// one; when that fails, EIniFileException "Unable to write to %s" is raised and the
// old file stays as it was.
#pragma once

#include "classlib/IniDocument.h"
#include "classlib/Objects.h"

#include <functional>

class TStrings;

// Whether a section of that name can be written (writers raise EIniFileException
// otherwise): not empty, no blanks around it, no line break and no "]".
bool IsValidIniSectionName(const AnsiString& Section);

// Reads the file as TMemIniFile would (a missing file has no sections, an unreadable one
// raises EFOpenError) but only once through, keeping and indexing nothing: see
// TIniDocument::ScanSections. For readers of large files that look nothing up.
std::vector<bool> ScanIniSections(
    const AnsiString& FileName, const std::vector<AnsiString>& Sections,
    const std::function<void(std::size_t Index, std::string_view Key, std::string_view Value)>&
        Visit);

class TCustomIniFile : public TObject {
    DECLARE_CLASS(TCustomIniFile, TObject)
public:
    explicit TCustomIniFile(const AnsiString& FileName);

    const AnsiString& GetFileName() const { return FFileName; }

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                          const AnsiString& Default) const;
    // Decimal, or hexadecimal after "$" or "0x"; anything else gives Default.
    int ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const;
    // An integer that is not 0; anything else gives Default.
    bool ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) const;
    double ReadFloat(const AnsiString& Section, const AnsiString& Ident, double Default) const;

    // Names and values that could not be read back as written raise EIniFileException:
    // empty names, line breaks, surrounding blanks or control characters, "]" in a
    // section name, "=" in a key name or one starting with ";" or "[".
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);
    void WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value);
    void WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value);
    void WriteFloat(const AnsiString& Section, const AnsiString& Ident, double Value);

    // Replace the content of Strings: the key names of Section, the section names,
    // the "key=value" lines of Section.
    void ReadSection(const AnsiString& Section, TStrings* Strings) const;
    void ReadSections(TStrings* Strings) const;
    void ReadSectionValues(const AnsiString& Section, TStrings* Strings) const;
    // Calls Visit(Key, Value) for the entries of Section in file order, duplicates included,
    // without copying them: for readers of large sections.
    void ForEachValue(
        const AnsiString& Section,
        const std::function<void(std::string_view Key, std::string_view Value)>& Visit) const;

    void EraseSection(const AnsiString& Section);
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident);
    bool SectionExists(const AnsiString& Section) const;
    bool ValueExists(const AnsiString& Section, const AnsiString& Ident) const;

    // Makes the file hold everything written so far.
    virtual void UpdateFile() = 0;

protected:
    // Applies Change to the content; a class that writes at once overrides this.
    virtual void ApplyChange(const std::function<void(TIniDocument&)>& Change);
    // Replaces the file by Document's text (EIniFileException on failure).
    void WriteDocument(const TIniDocument& Document) const;

    TIniDocument FDocument;
    AnsiString FFileName;
};

// An INI held in memory: writes change the file only at UpdateFile. With an empty
// file name it is a pure in-memory INI (filled through SetStrings).
class TMemIniFile : public TCustomIniFile {
    DECLARE_CLASS(TMemIniFile, TCustomIniFile)
public:
    explicit TMemIniFile(const AnsiString& FileName);

    void UpdateFile() override;

    // The lines of the whole INI text.
    void GetStrings(TStrings* List) const;
    void SetStrings(TStrings* List);
    void Clear();
    // Changes the file name; with Reload the content is read from the new file.
    void Rename(const AnsiString& FileName, bool Reload);
};

// An INI whose every change is written to the file at once.
class TIniFile : public TCustomIniFile {
    DECLARE_CLASS(TIniFile, TCustomIniFile)
public:
    explicit TIniFile(const AnsiString& FileName);

    // Everything is written already: does nothing.
    void UpdateFile() override;

protected:
    void ApplyChange(const std::function<void(TIniDocument&)>& Change) override;
};
