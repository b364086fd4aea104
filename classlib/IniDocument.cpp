#include "classlib/IniDocument.h"

#include "classlib/Strings.h"

#include <algorithm>

namespace {

const char* const NewLine = "\r\n";

} // namespace

TIniDocument::Line TIniDocument::ParseLine(AnsiString Text, AnsiString Break) {
    Line line;
    line.Text = std::move(Text);
    line.Break = std::move(Break);
    AnsiString trimmed = Trim(line.Text);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '[') return line;
    std::size_t equals = trimmed.find('=');
    if (equals == AnsiString::npos) return line;
    line.Key = Trim(trimmed.substr(0, equals));
    line.Value = Trim(trimmed.substr(equals + 1));
    line.IsEntry = !line.Key.empty();
    return line;
}

void TIniDocument::SetText(const AnsiString& Text) {
    std::vector<Block> sections;
    std::size_t start = 0;
    while (start < Text.size()) {
        std::size_t end = Text.find_first_of("\r\n", start);
        AnsiString lineBreak;
        std::size_t next = Text.size();
        if (end == AnsiString::npos) {
            end = Text.size();
        } else {
            std::size_t breakLength = Text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
            lineBreak = Text.substr(end, breakLength);
            next = end + breakLength;
        }
        AnsiString text = Text.substr(start, end - start);
        start = next;

        AnsiString trimmed = Trim(text);
        std::size_t close = trimmed.find(']');
        if (!trimmed.empty() && trimmed[0] == '[' && close != AnsiString::npos) {
            Block section;
            section.Named = true;
            section.Name = Trim(trimmed.substr(1, close - 1));
            section.Lines.push_back(ParseLine(std::move(text), std::move(lineBreak)));
            sections.push_back(std::move(section));
            continue;
        }
        if (sections.empty()) sections.emplace_back();
        sections.back().Lines.push_back(ParseLine(std::move(text), std::move(lineBreak)));
    }
    FBlocks = std::move(sections);
}

AnsiString TIniDocument::GetText() const {
    AnsiString text;
    const Line* last = nullptr;
    for (const Block& section : FBlocks)
        for (const Line& line : section.Lines) {
            // A last line without a break has lines after it now.
            if (last && last->Break.empty()) text += NewLine;
            text += line.Text;
            text += line.Break;
            last = &line;
        }
    return text;
}

std::vector<AnsiString> TIniDocument::GetLines() const {
    std::vector<AnsiString> lines;
    for (const Block& section : FBlocks)
        for (const Line& line : section.Lines)
            lines.push_back(line.Text);
    return lines;
}

TIniDocument::Block* TIniDocument::Find(const AnsiString& Name) {
    for (Block& section : FBlocks)
        if (section.Named && SameText(section.Name, Name)) return &section;
    return nullptr;
}

const TIniDocument::Block* TIniDocument::Find(const AnsiString& Name) const {
    return const_cast<TIniDocument*>(this)->Find(Name);
}

bool TIniDocument::SectionExists(const AnsiString& Section) const {
    return Find(Section);
}

const AnsiString* TIniDocument::FindValue(const AnsiString& Section,
                                          const AnsiString& Ident) const {
    const Block* section = Find(Section);
    if (!section) return nullptr;
    for (const Line& line : section->Lines)
        if (line.IsEntry && SameText(line.Key, Ident)) return &line.Value;
    return nullptr;
}

std::vector<std::pair<AnsiString, AnsiString>>
TIniDocument::GetEntries(const AnsiString& Section) const {
    std::vector<std::pair<AnsiString, AnsiString>> entries;
    if (const Block* section = Find(Section))
        for (const Line& line : section->Lines)
            if (line.IsEntry) entries.emplace_back(line.Key, line.Value);
    return entries;
}

std::vector<AnsiString> TIniDocument::GetSectionNames() const {
    std::vector<AnsiString> names;
    for (const Block& section : FBlocks)
        if (section.Named && Find(section.Name) == &section) names.push_back(section.Name);
    return names;
}

void TIniDocument::SetValue(const AnsiString& Section, const AnsiString& Ident,
                            const AnsiString& Value) {
    Block* section = Find(Section);
    if (!section) {
        Block added;
        added.Named = true;
        added.Name = Section;
        added.Lines.push_back(ParseLine("[" + Section + "]", NewLine));
        FBlocks.push_back(std::move(added));
        section = &FBlocks.back();
    }
    std::vector<Line>& lines = section->Lines;
    std::size_t insertAt = 1; // after the header when the section has no entry
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].IsEntry) continue;
        if (SameText(lines[i].Key, Ident)) {
            lines[i] = ParseLine(lines[i].Key + "=" + Value, lines[i].Break);
            return;
        }
        insertAt = i + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                 ParseLine(Ident + "=" + Value, NewLine));
}

void TIniDocument::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
    Block* section = Find(Section);
    if (!section) return;
    std::erase_if(section->Lines,
                  [&](const Line& line) { return line.IsEntry && SameText(line.Key, Ident); });
}

void TIniDocument::EraseSection(const AnsiString& Section) {
    std::erase_if(FBlocks, [&](const Block& section) {
        return section.Named && SameText(section.Name, Section);
    });
}
