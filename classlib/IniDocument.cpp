#include "classlib/IniDocument.h"

#include "classlib/Exceptions.h"
#include "classlib/IniDocument_Lines.h"

#include <algorithm>

using namespace IniLines;

namespace {

const char* const NewLine = "\r\n";

// New text is packed once this much of its buffer is unused and half of it is.
constexpr std::size_t CompactionThreshold = 64 * 1024;

std::string_view ContentOf(std::string_view Lines) {
    return Lines.substr(0, ContentEnd(Lines, 0));
}

} // namespace

// ---------------------------------------------------------------------------- whole text

namespace {

void CheckTextSize(std::size_t Size, std::uint32_t Limit) {
    if (Size >= Limit) throw EIniFileException("INI texts of 2 GB and more are not supported");
}

} // namespace

void TIniDocument::SetText(AnsiString Text) {
    CheckTextSize(Text.size(), Flag);
    Text.erase(0, ByteOrderMarkLength(Text));
    // Built aside, so that running out of memory leaves the document as it was.
    TIniDocument loaded;
    loaded.FWork = GetWork();
    loaded.Load(std::move(Text));
    *this = std::move(loaded);
}

void TIniDocument::Load(AnsiString Text) {
    FText = std::move(Text);
    // Counting first lets every list and index be allocated once, at its final size.
    std::size_t headers = 0;
    std::size_t entries = 0;
    ForEachLine(FText, [&](std::size_t Start, std::size_t End, std::size_t) {
        ++FWork;
        TLineKind kind = KindOf(std::string_view(FText).substr(Start, End - Start));
        if (Start == 0 && kind != TLineKind::Header) FFirstNamed = 1;
        headers += kind == TLineKind::Header;
        entries += kind == TLineKind::Entry;
    });
    FBlocks.reserve(headers + FFirstNamed);
    if (FFirstNamed) FBlocks.push_back(0);
    SizeIndexes(headers, entries);

    bool indexing = false; // only the first block of a name is read by name
    ForEachLine(FText, [&](std::size_t Start, std::size_t End, std::size_t) {
        ++FWork;
        std::string_view content = std::string_view(FText).substr(Start, End - Start);
        TLineKind kind = KindOf(content);
        if (kind == TLineKind::Other) return;
        std::string_view name = ParseLine(content).Name;
        bool added = false;
        if (kind == TLineKind::Header) {
            auto block = static_cast<std::uint32_t>(FBlocks.size());
            FBlocks.push_back(static_cast<std::uint32_t>(Start));
            FSections.FindOrAdd(
                HashName(name), block,
                [&](std::uint32_t Other) { return SameName(NameOf(Other), name); },
                [this](std::uint32_t Other) { return HashName(NameOf(Other)); }, added);
            indexing = added;
            FDuplicateSections = FDuplicateSections || !added;
        } else if (indexing) {
            auto block = static_cast<std::uint32_t>(FBlocks.size() - 1);
            FKeys.FindOrAdd(
                KeyHash(block, name), static_cast<std::uint32_t>(Start),
                [&](std::uint32_t Other) { return KeyMatches(Other, block, name); },
                [this](std::uint32_t Other) { return KeyHashOf(Other); }, added);
            FDuplicateKeys = FDuplicateKeys || !added;
        }
    });
}

void TIniDocument::SizeIndexes(std::size_t Headers, std::size_t Entries) {
    // Full indexes keep a text of three-byte headers within four bytes a byte. Texts with
    // longer lines leave room in that budget for emptier indexes, which are faster: up to
    // half empty, as far as three and a half bytes a byte allow.
    const std::size_t fullSections = TIniIndex::SlotsFor(Headers);
    const std::size_t fullKeys = TIniIndex::SlotsFor(Entries);
    const std::size_t used = FText.size() + FBlocks.capacity() * sizeof(std::uint32_t) +
                             fullSections * FSections.SlotBytes() + fullKeys * FKeys.SlotBytes();
    const std::size_t budget = FText.size() / 2 * 7;
    const std::size_t spare = budget > used ? budget - used : 0;
    auto toHalfEmpty = [](std::size_t Count, std::size_t Slots) {
        return std::max(2 * Count + 1, Slots) - Slots;
    };
    const std::size_t moreSections = toHalfEmpty(Headers, fullSections);
    const std::size_t moreKeys = toHalfEmpty(Entries, fullKeys);
    const std::size_t wanted = moreSections * FSections.SlotBytes() + moreKeys * FKeys.SlotBytes();
    const double share = wanted == 0 ? 0 : std::min(1.0, double(spare) / double(wanted));
    FSections.Reset(Headers, fullSections + static_cast<std::size_t>(share * double(moreSections)));
    FKeys.Reset(Entries, fullKeys + static_cast<std::size_t>(share * double(moreKeys)));
}

AnsiString TIniDocument::GetText() const {
    AnsiString text;
    text.reserve(FText.size() + FAdded.size() - FAddedUnused);
    for (std::uint32_t block = 0; block < FBlocks.size(); ++block) {
        if (IsErased(block)) continue;
        ForEachRun(block, [&](std::string_view Run) {
            // A last line without a break has lines after it now.
            if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += NewLine;
            text += Run;
        });
    }
    return text;
}

std::vector<AnsiString> TIniDocument::GetLines() const {
    std::vector<AnsiString> lines;
    for (std::uint32_t block = 0; block < FBlocks.size(); ++block)
        if (!IsErased(block))
            ForEachLineOf(block, [&](std::string_view Line) { lines.emplace_back(Line); });
    return lines;
}

void TIniDocument::Clear() {
    std::uint64_t work = GetWork();
    *this = TIniDocument();
    FWork = work;
}

// ---------------------------------------------------------------------------- reading

bool TIniDocument::SectionExists(const AnsiString& Section) const {
    return FindBlock(Section) != None;
}

std::optional<AnsiString> TIniDocument::FindValue(const AnsiString& Section,
                                                  const AnsiString& Ident) const {
    std::uint32_t block = FindBlock(Section);
    if (block == None) return std::nullopt;
    std::uint32_t key = FindKey(block, Ident);
    if (key == None) return std::nullopt;
    return AnsiString(ParseLine(KeyLineOf(key)).Value);
}

void TIniDocument::ForEachEntry(
    const AnsiString& Section,
    const std::function<void(std::string_view Key, std::string_view Value)>& Visit) const {
    std::uint32_t block = FindBlock(Section);
    if (block == None) return;
    ForEachLineOf(block, [&](std::string_view Line) {
        TLine line = ParseLine(Line);
        if (line.Kind == TLineKind::Entry) Visit(line.Name, line.Value);
    });
}

std::vector<AnsiString> TIniDocument::GetSectionNames() const {
    std::vector<AnsiString> names;
    for (std::uint32_t block = FFirstNamed; block < FBlocks.size(); ++block) {
        if (IsErased(block)) continue;
        std::string_view name = NameOf(block);
        if (FindBlock(name) == block) names.emplace_back(name);
    }
    return names;
}

std::vector<bool> TIniDocument::ScanSections(
    std::string_view Text, const std::vector<AnsiString>& Sections,
    const std::function<void(std::size_t Index, std::string_view Key, std::string_view Value)>&
        Visit) {
    CheckTextSize(Text.size(), Flag);
    Text.remove_prefix(ByteOrderMarkLength(Text));
    std::vector<bool> found(Sections.size(), false);
    // The section being read, or none: lines before the first header, a section not asked
    // for and a later occurrence of one already read are passed over.
    std::size_t reading = Sections.size();
    ForEachLine(Text, [&](std::size_t Start, std::size_t End, std::size_t) {
        TLine line = ParseLine(Text.substr(Start, End - Start));
        if (line.Kind == TLineKind::Entry) {
            if (reading < Sections.size()) Visit(reading, line.Name, line.Value);
            return;
        }
        if (line.Kind != TLineKind::Header) return;
        reading = Sections.size();
        for (std::size_t i = 0; i < Sections.size(); ++i)
            if (!found[i] && SameName(Sections[i], line.Name)) {
                found[i] = true;
                reading = i;
                break;
            }
    });
    return found;
}

// ---------------------------------------------------------------------------- changing

void TIniDocument::SetValue(const AnsiString& Section, const AnsiString& Ident,
                            const AnsiString& Value) {
    FCursorBlock = None;
    std::uint32_t block = FindBlock(Section);
    if (block == None) block = AddBlock(Section);
    TChangedBlock& changed = Change(block);
    std::uint32_t key = FindKey(block, Ident);
    if (key != None) {
        // The line keeps its key as written and its break.
        std::string_view text = TextOf(FPieces[key & ~Flag]);
        std::size_t end = ContentEnd(text, 0);
        AnsiString line(ParseLine(text.substr(0, end)).Name);
        line += "=";
        line += Value;
        line += text.substr(end);
        SetPieceText(key & ~Flag, line);
        return;
    }
    std::uint32_t piece = NewPiece(block, true, Ident + "=" + Value + NewLine);
    InsertAfter(changed.Anchor, piece, changed);
    changed.Anchor = piece;
    IndexKey(block, Ident, Flag | piece);
}

void TIniDocument::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
    FCursorBlock = None;
    std::uint32_t block = FindBlock(Section);
    if (block == None || FindKey(block, Ident) == None) return;
    TChangedBlock& changed = Change(block);
    std::uint32_t* slot = FindKeySlot(block, Ident);
    std::uint32_t piece = *slot & ~Flag;
    FKeys.Erase(slot, [this](std::uint32_t Key) { return KeyHashOf(Key); });
    while (piece != None) {
        std::uint32_t next = FPieces[piece].NextSame;
        RemovePiece(piece, changed);
        piece = next;
    }
}

void TIniDocument::EraseSection(const AnsiString& Section) {
    FCursorBlock = None;
    std::uint32_t first = FindBlock(Section);
    if (first == None) return;
    std::vector<std::uint32_t> blocks = BlocksNamed(first);
    FSections.Erase(FindSectionSlot(Section),
                    [this](std::uint32_t B) { return HashName(NameOf(B)); });
    for (std::uint32_t block : blocks)
        EraseBlock(block, block == first);
    FLastBlock = None;
}

// ---------------------------------------------------------------------------- measuring

std::size_t TIniDocument::GetMemoryUsed() const {
    constexpr std::size_t changedNode =
        sizeof(std::pair<const std::uint32_t, TChangedBlock>) + 2 * sizeof(void*);
    return FText.capacity() + FBlocks.capacity() * sizeof(std::uint32_t) +
           FNextSame.capacity() * sizeof(std::uint32_t) + FSections.GetMemoryUsed() +
           FKeys.GetMemoryUsed() + FPieces.capacity() * sizeof(TPiece) + FAdded.capacity() +
           FChanged.bucket_count() * sizeof(void*) + FChanged.size() * changedNode;
}

std::uint64_t TIniDocument::GetWork() const {
    return FWork + FSections.GetProbes() + FKeys.GetProbes();
}

// ---------------------------------------------------------------------------- blocks

std::string_view TIniDocument::SourceOf(std::uint32_t Block) const {
    std::size_t begin = SourceBegin(Block);
    std::size_t end = Block + 1 < FBlocks.size() ? SourceBegin(Block + 1) : FText.size();
    return std::string_view(FText).substr(begin, end - begin);
}

std::string_view TIniDocument::TextOf(const TPiece& Piece) const {
    return std::string_view(Piece.Added ? FAdded : FText).substr(Piece.Offset, Piece.Length);
}

std::string_view TIniDocument::NameOf(std::uint32_t Block) const {
    auto changed = FChanged.empty() ? FChanged.end() : FChanged.find(Block);
    std::string_view first = changed == FChanged.end()
                                 ? std::string_view(FText).substr(SourceBegin(Block))
                                 : TextOf(FPieces[changed->second.Header]);
    return ParseLine(ContentOf(first)).Name;
}

template <class TVisit> void TIniDocument::ForEachRun(std::uint32_t Block, TVisit&& Visit) const {
    auto changed = FChanged.find(Block);
    if (changed == FChanged.end()) {
        Visit(SourceOf(Block));
        return;
    }
    for (std::uint32_t piece = changed->second.Header; piece != None; piece = FPieces[piece].Next) {
        ++FWork;
        Visit(TextOf(FPieces[piece]));
    }
}

template <class TVisit>
void TIniDocument::ForEachLineOf(std::uint32_t Block, TVisit&& Visit) const {
    ForEachRun(Block, [&](std::string_view Run) {
        ForEachLine(Run, [&](std::size_t Start, std::size_t End, std::size_t) {
            ++FWork;
            Visit(Run.substr(Start, End - Start));
        });
    });
}

std::uint32_t TIniDocument::FindBlock(std::string_view Name) const {
    // Reading a section's keys one by one names the same section each time.
    if (FLastBlock != None && SameName(FLastSection, Name)) return FLastBlock;
    const std::uint32_t* slot = FSections.Find(
        HashName(Name), [&](std::uint32_t Block) { return SameName(NameOf(Block), Name); });
    if (!slot) return None;
    FLastSection = Name;
    FLastBlock = *slot;
    return *slot;
}

std::uint32_t* TIniDocument::FindSectionSlot(std::string_view Name) {
    return FSections.Find(HashName(Name),
                          [&](std::uint32_t Block) { return SameName(NameOf(Block), Name); });
}

std::uint32_t TIniDocument::AddBlock(const AnsiString& Section) {
    auto block = static_cast<std::uint32_t>(FBlocks.size());
    FBlocks.push_back(static_cast<std::uint32_t>(FText.size()));
    if (!FNextSame.empty()) FNextSame.push_back(None);
    TChangedBlock changed;
    changed.Header = changed.Last = changed.Anchor =
        NewPiece(block, false, "[" + Section + "]" + NewLine);
    FChanged.emplace(block, changed);
    FSections.Insert(HashName(Section), block,
                     [this](std::uint32_t B) { return HashName(NameOf(B)); });
    return block;
}

TIniDocument::TChangedBlock& TIniDocument::Change(std::uint32_t Block) {
    auto found = FChanged.find(Block);
    if (found != FChanged.end()) return found->second;
    // The header line alone, then each entry line and each run of other lines.
    TChangedBlock changed;
    std::vector<std::uint32_t> entries;
    std::uint32_t run = None;
    std::size_t begin = SourceBegin(Block);
    std::string_view source = SourceOf(Block);
    ForEachLine(source, [&](std::size_t Start, std::size_t End, std::size_t Next) {
        ++FWork;
        bool entry = ParseLine(source.substr(Start, End - Start)).Kind == TLineKind::Entry;
        if (changed.Header != None && !entry && run != None) {
            FPieces[run].Length += static_cast<std::uint32_t>(Next - Start);
            return;
        }
        std::uint32_t piece = AllocPiece(Block, entry);
        FPieces[piece].Offset = static_cast<std::uint32_t>(begin + Start);
        FPieces[piece].Length = static_cast<std::uint32_t>(Next - Start);
        if (changed.Header == None) {
            changed.Header = changed.Last = changed.Anchor = piece;
            return;
        }
        InsertAfter(changed.Last, piece, changed);
        if (entry) {
            entries.push_back(piece);
            changed.Anchor = piece;
        }
        run = entry ? None : piece;
    });
    // The index now names the pieces; each key's later entries hang off its first.
    for (auto piece = entries.rbegin(); piece != entries.rend(); ++piece) {
        std::uint32_t* slot =
            FindKeySlot(Block, ParseLine(ContentOf(TextOf(FPieces[*piece]))).Name);
        if (!slot) continue; // cannot happen: every key of a first block is indexed
        FPieces[*piece].NextSame = *slot & Flag ? *slot & ~Flag : None;
        *slot = Flag | *piece;
    }
    return FChanged.emplace(Block, changed).first->second;
}

std::vector<std::uint32_t> TIniDocument::BlocksNamed(std::uint32_t First) {
    if (!FDuplicateSections) return {First};
    if (FNextSame.empty()) {
        // Links each block to the next one of its name, once, when first needed.
        FNextSame.assign(FBlocks.size(), None);
        std::vector<std::uint32_t> last(FBlocks.size(), None);
        for (std::uint32_t block = FFirstNamed; block < FBlocks.size(); ++block) {
            ++FWork;
            if (IsErased(block)) continue;
            std::uint32_t first = FindBlock(NameOf(block));
            if (last[first] != None) FNextSame[last[first]] = block;
            last[first] = block;
        }
    }
    std::vector<std::uint32_t> blocks;
    for (std::uint32_t block = First; block != None; block = FNextSame[block])
        blocks.push_back(block);
    return blocks;
}

void TIniDocument::EraseBlock(std::uint32_t Block, bool First) {
    // Only the first block of a name has its keys in the index.
    auto changed = FChanged.find(Block);
    if (changed != FChanged.end()) {
        for (std::uint32_t piece = changed->second.Header; piece != None;) {
            ++FWork;
            std::uint32_t next = FPieces[piece].Next;
            if (First && FPieces[piece].Entry)
                UnindexKey(Block, ParseLine(ContentOf(TextOf(FPieces[piece]))).Name);
            FreePiece(piece);
            piece = next;
        }
        FChanged.erase(changed);
    } else if (First) {
        ForEachLineOf(Block, [&](std::string_view Line) {
            TLine line = ParseLine(Line);
            if (line.Kind == TLineKind::Entry) UnindexKey(Block, line.Name);
        });
    }
    FBlocks[Block] |= Flag;
}

// ---------------------------------------------------------------------------- keys

std::uint32_t TIniDocument::KeyHash(std::uint32_t Block, std::string_view Key) {
    return HashName(Key) ^ (Block * 0x9E3779B1u);
}

std::string_view TIniDocument::KeyLineOf(std::uint32_t Reference) const {
    if (Reference & Flag) return ContentOf(TextOf(FPieces[Reference & ~Flag]));
    return ContentOf(std::string_view(FText).substr(Reference));
}

std::uint32_t TIniDocument::BlockOf(std::uint32_t Reference) const {
    if (Reference & Flag) return FPieces[Reference & ~Flag].Block;
    auto after = std::upper_bound(
        FBlocks.begin(), FBlocks.end(), Reference,
        [](std::uint32_t Offset, std::uint32_t Block) { return Offset < (Block & ~Flag); });
    return static_cast<std::uint32_t>(after - FBlocks.begin() - 1);
}

bool TIniDocument::KeyMatches(std::uint32_t Reference, std::uint32_t Block,
                              std::string_view Key) const {
    std::string_view line = Reference & Flag ? TextOf(FPieces[Reference & ~Flag])
                                             : std::string_view(FText).substr(Reference);
    return EntryHasKey(line, Key) && BlockOf(Reference) == Block;
}

std::uint32_t* TIniDocument::FindKeySlot(std::uint32_t Block, std::string_view Key) {
    if (!PlainName(Key)) return nullptr;
    return FKeys.Find(KeyHash(Block, Key),
                      [&](std::uint32_t Reference) { return KeyMatches(Reference, Block, Key); });
}

std::uint32_t TIniDocument::FindKey(std::uint32_t Block, std::string_view Key) const {
    // Keys are mostly read in file order: the entry after the last one found comes first.
    // It is the key's only entry when the text as read repeats no key in a section.
    if (FCursorBlock == Block && !FDuplicateKeys && PlainName(Key) && Key[0] != ';' &&
        Key[0] != '[') {
        ++FWork;
        std::size_t next = NextLine(FText, ContentEnd(FText, FCursor));
        if (next < FText.size() && EntryHasKey(std::string_view(FText).substr(next), Key)) {
            FCursor = static_cast<std::uint32_t>(next);
            return FCursor;
        }
    }
    const std::uint32_t* slot = const_cast<TIniDocument*>(this)->FindKeySlot(Block, Key);
    if (!slot) return None;
    FCursorBlock = *slot & Flag ? None : Block;
    FCursor = *slot;
    return *slot;
}

std::uint32_t TIniDocument::KeyHashOf(std::uint32_t Reference) const {
    return KeyHash(BlockOf(Reference), ParseLine(KeyLineOf(Reference)).Name);
}

void TIniDocument::IndexKey(std::uint32_t Block, std::string_view Key, std::uint32_t Reference) {
    FKeys.Insert(KeyHash(Block, Key), Reference,
                 [this](std::uint32_t Other) { return KeyHashOf(Other); });
}

void TIniDocument::UnindexKey(std::uint32_t Block, std::string_view Key) {
    if (std::uint32_t* slot = FindKeySlot(Block, Key))
        FKeys.Erase(slot, [this](std::uint32_t Other) { return KeyHashOf(Other); });
}

// ---------------------------------------------------------------------------- pieces

std::uint32_t TIniDocument::AllocPiece(std::uint32_t Block, bool Entry) {
    std::uint32_t piece = FFreePieces;
    if (piece != None) {
        FFreePieces = FPieces[piece].Next;
        FPieces[piece] = TPiece();
    } else {
        piece = static_cast<std::uint32_t>(FPieces.size());
        FPieces.emplace_back();
    }
    FPieces[piece].Block = Block;
    FPieces[piece].Entry = Entry;
    return piece;
}

std::uint32_t TIniDocument::NewPiece(std::uint32_t Block, bool Entry, std::string_view Text) {
    std::uint32_t piece = AllocPiece(Block, Entry);
    SetPieceText(piece, Text);
    return piece;
}

void TIniDocument::SetPieceText(std::uint32_t Piece, std::string_view Text) {
    if (FAddedUnused > CompactionThreshold && FAddedUnused * 2 > FAdded.size()) CompactAdded();
    TPiece& piece = FPieces[Piece];
    if (piece.Added) FAddedUnused += piece.Length;
    piece.Added = true;
    piece.Offset = static_cast<std::uint32_t>(FAdded.size());
    piece.Length = static_cast<std::uint32_t>(Text.size());
    FAdded += Text;
}

void TIniDocument::InsertAfter(std::uint32_t After, std::uint32_t Piece, TChangedBlock& Changed) {
    std::uint32_t next = FPieces[After].Next;
    FPieces[Piece].Prev = After;
    FPieces[Piece].Next = next;
    FPieces[After].Next = Piece;
    if (next != None) FPieces[next].Prev = Piece;
    if (Changed.Last == After) Changed.Last = Piece;
}

void TIniDocument::RemovePiece(std::uint32_t Piece, TChangedBlock& Changed) {
    std::uint32_t prev = FPieces[Piece].Prev; // never None: the header is not removed
    std::uint32_t next = FPieces[Piece].Next;
    FPieces[prev].Next = next;
    if (next != None) FPieces[next].Prev = prev;
    if (Changed.Last == Piece) Changed.Last = prev;
    if (Changed.Anchor == Piece) {
        // Pieces passed here stay behind every later new key, so each is passed once.
        std::uint32_t anchor = prev;
        while (anchor != Changed.Header && !FPieces[anchor].Entry) {
            ++FWork;
            anchor = FPieces[anchor].Prev;
        }
        Changed.Anchor = anchor;
    }
    FreePiece(Piece);
}

void TIniDocument::FreePiece(std::uint32_t Piece) {
    TPiece& piece = FPieces[Piece];
    if (piece.Added) FAddedUnused += piece.Length;
    piece = TPiece();
    piece.Next = FFreePieces;
    FFreePieces = Piece;
}

void TIniDocument::CompactAdded() {
    AnsiString packed;
    packed.reserve(FAdded.size() - FAddedUnused);
    for (const auto& [block, changed] : FChanged)
        for (std::uint32_t piece = changed.Header; piece != None; piece = FPieces[piece].Next) {
            ++FWork;
            TPiece& text = FPieces[piece];
            if (!text.Added) continue;
            std::uint32_t offset = static_cast<std::uint32_t>(packed.size());
            packed.append(FAdded, text.Offset, text.Length);
            text.Offset = offset;
        }
    FAdded = std::move(packed);
    FAddedUnused = 0;
}
