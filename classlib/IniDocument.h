// The text of an INI file with the sections and "key=value" entries found in it. Changing
// an entry rewrites only its own line; every other line keeps its exact bytes, including
// its line break. Lines before the first section header belong to no section: they are kept
// but cannot be read or changed by name.
//
// The text is held once, as read. Sections are indexed by name and entries by section and
// key, both through four-byte references into the text, so the whole document takes at most
// about four times the bytes of its text, and finding a section or a value costs the same
// however large the file is. A section that is changed gets its lines as a linked list of
// pieces (an entry line, or a run of other lines) whose new text is kept in a second
// buffer, so that changing, adding or deleting an entry costs the same at any position.
#pragma once

#include "classlib/IniDocument_Index.h"
#include "classlib/Types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class TIniDocument {
public:
    // Lines end at CR, LF or CR LF. A UTF-8 byte-order mark before the first line is dropped:
    // GetText gives the text without it. Texts of 2 GB and more raise EIniFileException.
    void SetText(AnsiString Text);
    // New lines end with CR LF; so does a last line that has lines after it now.
    AnsiString GetText() const;
    std::vector<AnsiString> GetLines() const;
    void Clear();

    bool SectionExists(const AnsiString& Section) const;
    // Empty when the section or the key is absent.
    std::optional<AnsiString> FindValue(const AnsiString& Section, const AnsiString& Ident) const;
    // Calls Visit(Key, Value) for the entries of the section in file order, duplicates
    // included.
    void ForEachEntry(
        const AnsiString& Section,
        const std::function<void(std::string_view Key, std::string_view Value)>& Visit) const;
    // Each section name once, in file order.
    std::vector<AnsiString> GetSectionNames() const;

    // Goes once through Text, as SetText would read it, without keeping or indexing it: calls
    // Visit(Index, Key, Value) for each entry of the first section named Sections[Index], in
    // file order, duplicates included. Returns which of Sections the text has. For readers
    // that take large sections apart once and look nothing up.
    static std::vector<bool> ScanSections(
        std::string_view Text, const std::vector<AnsiString>& Sections,
        const std::function<void(std::size_t Index, std::string_view Key, std::string_view Value)>&
            Visit);

    // Names and values are written as given: the caller checks they read back.
    void SetValue(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);
    // Every occurrence of the key in the section.
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident);
    // Every occurrence of the section, with all its lines.
    void EraseSection(const AnsiString& Section);

    // The bytes the document holds: text, buffers, lists and indexes.
    std::size_t GetMemoryUsed() const;
    // Lines, pieces and index slots visited so far, for measuring the work of operations.
    std::uint64_t GetWork() const;

private:
    static constexpr std::uint32_t None = 0xFFFFFFFF;
    static constexpr std::uint32_t Flag = 0x80000000; // in a block: erased; in a key: a piece

    // A run of whole lines, with their breaks, in FText or (Added) in FAdded.
    struct TPiece {
        std::uint32_t Offset = 0;
        std::uint32_t Length = 0;
        std::uint32_t Prev = None;
        std::uint32_t Next = None;     // also links free pieces
        std::uint32_t NextSame = None; // the next entry of the same key in the section
        std::uint32_t Block = None;
        bool Entry = false; // one entry line; otherwise the header or other lines
        bool Added = false;
    };
    struct TChangedBlock {
        std::uint32_t Header = None; // the first piece: the header line alone
        std::uint32_t Last = None;
        std::uint32_t Anchor = None; // the last entry, or the header: new keys follow it
    };

    void Load(AnsiString Text);
    void SizeIndexes(std::size_t Headers, std::size_t Entries);
    bool IsErased(std::uint32_t Block) const { return FBlocks[Block] & Flag; }
    std::uint32_t SourceBegin(std::uint32_t Block) const { return FBlocks[Block] & ~Flag; }
    std::string_view SourceOf(std::uint32_t Block) const;
    std::string_view TextOf(const TPiece& Piece) const;
    std::string_view NameOf(std::uint32_t Block) const;
    // Calls Visit(Text) for each run of whole lines of the block, in order.
    template <class TVisit> void ForEachRun(std::uint32_t Block, TVisit&& Visit) const;
    template <class TVisit> void ForEachLineOf(std::uint32_t Block, TVisit&& Visit) const;

    std::uint32_t FindBlock(std::string_view Name) const;
    std::uint32_t* FindSectionSlot(std::string_view Name);
    static std::uint32_t KeyHash(std::uint32_t Block, std::string_view Key);
    std::string_view KeyLineOf(std::uint32_t Reference) const;
    std::uint32_t BlockOf(std::uint32_t Reference) const;
    bool KeyMatches(std::uint32_t Reference, std::uint32_t Block, std::string_view Key) const;
    std::uint32_t* FindKeySlot(std::uint32_t Block, std::string_view Key);
    std::uint32_t FindKey(std::uint32_t Block, std::string_view Key) const;
    std::uint32_t KeyHashOf(std::uint32_t Reference) const;
    void IndexKey(std::uint32_t Block, std::string_view Key, std::uint32_t Reference);
    void UnindexKey(std::uint32_t Block, std::string_view Key);

    std::uint32_t AllocPiece(std::uint32_t Block, bool Entry);
    std::uint32_t NewPiece(std::uint32_t Block, bool Entry, std::string_view Text);
    void SetPieceText(std::uint32_t Piece, std::string_view Text);
    void InsertAfter(std::uint32_t After, std::uint32_t Piece, TChangedBlock& Changed);
    void RemovePiece(std::uint32_t Piece, TChangedBlock& Changed);
    void FreePiece(std::uint32_t Piece);
    void CompactAdded();
    std::uint32_t AddBlock(const AnsiString& Section);
    TChangedBlock& Change(std::uint32_t Block);
    void EraseBlock(std::uint32_t Block, bool First);
    std::vector<std::uint32_t> BlocksNamed(std::uint32_t First);

    AnsiString FText;                   // the text as read
    std::vector<std::uint32_t> FBlocks; // where each block starts in FText; Flag: erased
    std::uint32_t FFirstNamed = 0;      // 1 when block 0 holds lines before the first header
    bool FDuplicateSections = false;
    bool FDuplicateKeys = false;          // in a section, in the text as read
    std::vector<std::uint32_t> FNextSame; // the next block of the same name, once needed
    TIniIndex FSections{false};           // the first block of each section name
    TIniIndex FKeys{true}; // per first block, the first entry of each key: offset or Flag|piece
    std::unordered_map<std::uint32_t, TChangedBlock> FChanged;
    std::vector<TPiece> FPieces;
    std::uint32_t FFreePieces = None;
    AnsiString FAdded;            // the text of new and changed lines
    std::size_t FAddedUnused = 0; // bytes of FAdded no piece refers to any more
    // The section last found, and its first block.
    mutable AnsiString FLastSection;
    mutable std::uint32_t FLastBlock = None;
    // The last entry of the text as read that a search found, and its block.
    mutable std::uint32_t FCursor = 0;
    mutable std::uint32_t FCursorBlock = None;
    mutable std::uint64_t FWork = 0;
};
