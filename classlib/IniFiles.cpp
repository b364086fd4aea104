#include "classlib/IniFiles.h"

#include "classlib/StringList.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include "classlib/Platform.h"

#include <optional>

namespace {

// Reading trims these away.
bool HasBlankAround(const AnsiString& S) {
    return Trim(S).size() != S.size();
}

bool HasLineBreak(const AnsiString& S) {
    return S.find_first_of("\r\n") != AnsiString::npos;
}

} // namespace

bool IsValidIniSectionName(const AnsiString& Section) {
    return !Section.empty() && !HasBlankAround(Section) && !HasLineBreak(Section) &&
           Section.find(']') == AnsiString::npos;
}

namespace {

void CheckSectionName(const AnsiString& Section) {
    if (!IsValidIniSectionName(Section))
        throw EIniFileException("Invalid INI section name \"" + Section + "\"");
}

void CheckKeyName(const AnsiString& Ident) {
    if (Ident.empty() || HasBlankAround(Ident) || HasLineBreak(Ident) ||
        Ident.find('=') != AnsiString::npos || Ident.front() == ';' || Ident.front() == '[')
        throw EIniFileException("Invalid INI key name \"" + Ident + "\"");
}

void CheckValue(const AnsiString& Ident, const AnsiString& Value) {
    if (HasLineBreak(Value))
        throw EIniFileException("The value of INI key \"" + Ident + "\" holds a line break");
    if (HasBlankAround(Value))
        throw EIniFileException("The value of INI key \"" + Ident +
                                "\" starts or ends with a blank");
}

void CheckStrings(const TStrings* Strings) {
    if (!Strings) throw EInvalidPointer("No string list given");
}

// Replaces the content of Strings by what Fill adds to it.
void FillStrings(TStrings* Strings, const std::function<void(TStrings&)>& Fill) {
    CheckStrings(Strings);
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        Fill(*Strings);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

void FillStrings(TStrings* Strings, const std::vector<AnsiString>& Lines) {
    FillStrings(Strings, [&](TStrings& List) {
        for (const AnsiString& line : Lines)
            List.Add(line);
    });
}

// The text of a file; empty when the file does not exist.
AnsiString ReadText(const AnsiString& FileName) {
    if (FileName.empty()) return AnsiString();
    if (GetFileAttributesA(FileName.c_str()) == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return AnsiString();
    }
    // Files are replaced, never rewritten in place, so reading need not lock out writers.
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    AnsiString text(static_cast<std::size_t>(file.GetSize()), '\0');
    file.ReadBuffer(text.data(), static_cast<Int64>(text.size()));
    return text;
}

// The document in a file; empty when the file does not exist.
TIniDocument ReadDocument(const AnsiString& FileName) {
    TIniDocument document;
    AnsiString text = ReadText(FileName);
    if (!text.empty()) document.SetText(std::move(text));
    return document;
}

} // namespace

std::vector<bool> ScanIniSections(
    const AnsiString& FileName, const std::vector<AnsiString>& Sections,
    const std::function<void(std::size_t Index, std::string_view Key, std::string_view Value)>&
        Visit) {
    return TIniDocument::ScanSections(ReadText(FileName), Sections, Visit);
}

// ---------------------------------------------------------------------------- TCustomIniFile

TCustomIniFile::TCustomIniFile(const AnsiString& FileName)
    : FDocument(ReadDocument(FileName)), FFileName(FileName) {}

AnsiString TCustomIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                      const AnsiString& Default) const {
    return FDocument.FindValue(Section, Ident).value_or(Default);
}

int TCustomIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident,
                                int Default) const {
    std::optional<AnsiString> value = FDocument.FindValue(Section, Ident);
    return value ? StrToIntDef(*value, Default) : Default;
}

bool TCustomIniFile::ReadBool(const AnsiString& Section, const AnsiString& Ident,
                              bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

double TCustomIniFile::ReadFloat(const AnsiString& Section, const AnsiString& Ident,
                                 double Default) const {
    std::optional<AnsiString> value = FDocument.FindValue(Section, Ident);
    return value ? StrToFloatDef(*value, Default) : Default;
}

void TCustomIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident,
                                 const AnsiString& Value) {
    CheckSectionName(Section);
    CheckKeyName(Ident);
    CheckValue(Ident, Value);
    ApplyChange([&](TIniDocument& Document) { Document.SetValue(Section, Ident, Value); });
}

void TCustomIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

void TCustomIniFile::WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

void TCustomIniFile::WriteFloat(const AnsiString& Section, const AnsiString& Ident, double Value) {
    WriteString(Section, Ident, FloatToStr(Value));
}

void TCustomIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) const {
    FillStrings(Strings, [&](TStrings& List) {
        FDocument.ForEachEntry(
            Section, [&](std::string_view Key, std::string_view) { List.Add(AnsiString(Key)); });
    });
}

void TCustomIniFile::ReadSections(TStrings* Strings) const {
    FillStrings(Strings, FDocument.GetSectionNames());
}

void TCustomIniFile::ForEachValue(
    const AnsiString& Section,
    const std::function<void(std::string_view Key, std::string_view Value)>& Visit) const {
    FDocument.ForEachEntry(Section, Visit);
}

void TCustomIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) const {
    FillStrings(Strings, [&](TStrings& List) {
        AnsiString line;
        FDocument.ForEachEntry(Section, [&](std::string_view Key, std::string_view Value) {
            line.assign(Key);
            line += '=';
            line += Value;
            List.Add(line);
        });
    });
}

void TCustomIniFile::EraseSection(const AnsiString& Section) {
    if (!SectionExists(Section)) return;
    ApplyChange([&](TIniDocument& Document) { Document.EraseSection(Section); });
}

void TCustomIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
    if (!ValueExists(Section, Ident)) return;
    ApplyChange([&](TIniDocument& Document) { Document.DeleteKey(Section, Ident); });
}

bool TCustomIniFile::SectionExists(const AnsiString& Section) const {
    return FDocument.SectionExists(Section);
}

bool TCustomIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) const {
    return FDocument.FindValue(Section, Ident).has_value();
}

void TCustomIniFile::ApplyChange(const std::function<void(TIniDocument&)>& Change) {
    Change(FDocument);
}

void TCustomIniFile::WriteDocument(const TIniDocument& Document) const {
    AnsiString text = Document.GetText();
    try {
        WriteFileReplacing(FFileName, text.data(), text.size());
    } catch (const EFCreateError&) {
        throw EIniFileException("Unable to write to " + FFileName);
    }
}

// ---------------------------------------------------------------------------- TMemIniFile

TMemIniFile::TMemIniFile(const AnsiString& FileName) : TCustomIniFile(FileName) {}

void TMemIniFile::UpdateFile() {
    WriteDocument(FDocument);
}

void TMemIniFile::GetStrings(TStrings* List) const {
    FillStrings(List, FDocument.GetLines());
}

void TMemIniFile::SetStrings(TStrings* List) {
    CheckStrings(List);
    // Sized first: the document keeps this text as its own.
    std::size_t size = 0;
    for (int i = 0; i < List->GetCount(); ++i)
        size += List->Get(i).size() + 2;
    AnsiString text;
    text.reserve(size);
    for (int i = 0; i < List->GetCount(); ++i) {
        text += List->Get(i);
        text += "\r\n";
    }
    FDocument.SetText(std::move(text));
}

void TMemIniFile::Clear() {
    FDocument.Clear();
}

void TMemIniFile::Rename(const AnsiString& FileName, bool Reload) {
    if (Reload) FDocument = ReadDocument(FileName);
    FFileName = FileName;
}

// ---------------------------------------------------------------------------- TIniFile

TIniFile::TIniFile(const AnsiString& FileName) : TCustomIniFile(FileName) {}

void TIniFile::UpdateFile() {}

void TIniFile::ApplyChange(const std::function<void(TIniDocument&)>& Change) {
    // The change is kept only once the file holds it.
    TIniDocument changed = FDocument;
    Change(changed);
    WriteDocument(changed);
    FDocument = std::move(changed);
}
