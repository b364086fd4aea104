// An open-addressed hash table of 32-bit references whose keys live elsewhere (in the text
// of an INI document): the caller hashes and compares, the table only holds the references.
// Four bytes a slot and any table size, so a table sized for a known count wastes little.
// A tagged table keeps one more byte a slot, eight bits of each reference's hash, so that
// a search looks at the key of about one reference only.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

class TIniIndex {
public:
    static constexpr std::uint32_t Empty = 0xFFFFFFFF;

    explicit TIniIndex(bool Tagged) : FTagged(Tagged) {}

    // Empties the table and makes room for Count references without growing, in at least
    // Slots slots: emptier tables have shorter searches.
    void Reset(std::size_t Count, std::size_t Slots = 0);
    // The fewest slots, and their bytes, that Count references take.
    static std::size_t SlotsFor(std::size_t Count) { return Count + Count * 3 / 17 + 1; }
    std::size_t SlotBytes() const { return FTagged ? 5 : 4; }

    // The slot of the first reference from Hash's probe sequence that Matches accepts,
    // or null. The slot may be overwritten with a reference of the same key.
    template <class TMatches> std::uint32_t* Find(std::uint32_t Hash, TMatches&& Matches) {
        if (FSlots.empty()) return nullptr;
        std::uint32_t mixed = Mixed(Hash);
        for (std::size_t i = Home(mixed);; i = Following(i)) {
            ++FProbes;
            if (FSlots[i] == Empty) return nullptr;
            if ((!FTagged || FTags[i] == Tag(mixed)) && Matches(FSlots[i])) return &FSlots[i];
        }
    }
    template <class TMatches>
    const std::uint32_t* Find(std::uint32_t Hash, TMatches&& Matches) const {
        return const_cast<TIniIndex*>(this)->Find(Hash, Matches);
    }

    // The slot of the reference that Matches accepts; when there is none, Reference is
    // added and its slot returned with Added set.
    template <class TMatches, class THashOf>
    std::uint32_t* FindOrAdd(std::uint32_t Hash, std::uint32_t Reference, TMatches&& Matches,
                             THashOf&& HashOf, bool& Added) {
        if (FCount + 1 > Capacity(FSlots.size())) Grow(HashOf);
        std::uint32_t mixed = Mixed(Hash);
        std::size_t i = Home(mixed);
        for (;; i = Following(i)) {
            ++FProbes;
            if (FSlots[i] == Empty) break;
            if ((!FTagged || FTags[i] == Tag(mixed)) && Matches(FSlots[i])) {
                Added = false;
                return &FSlots[i];
            }
        }
        FSlots[i] = Reference;
        if (FTagged) FTags[i] = Tag(mixed);
        ++FCount;
        Added = true;
        return &FSlots[i];
    }

    // Adds a reference whose key is not held yet; HashOf(Reference) hashes held references
    // when the table grows.
    template <class THashOf>
    void Insert(std::uint32_t Hash, std::uint32_t Reference, THashOf&& HashOf) {
        if (FCount + 1 > Capacity(FSlots.size())) Grow(HashOf);
        Place(Hash, Reference);
        ++FCount;
    }

    // Removes the reference in Slot (from Find), moving later ones of its probe run back
    // so that no search stops early.
    template <class THashOf> void Erase(std::uint32_t* Slot, THashOf&& HashOf) {
        std::size_t hole = static_cast<std::size_t>(Slot - FSlots.data());
        FSlots[hole] = Empty;
        --FCount;
        for (std::size_t i = Following(hole); FSlots[i] != Empty; i = Following(i)) {
            ++FProbes;
            std::size_t home = Home(Mixed(HashOf(FSlots[i])));
            // The reference stays unless its home lies cyclically in (hole, i].
            bool stays = hole < i ? (home > hole && home <= i) : (home > hole || home <= i);
            if (stays) continue;
            FSlots[hole] = FSlots[i];
            FSlots[i] = Empty;
            if (FTagged) FTags[hole] = FTags[i];
            hole = i;
        }
    }

    std::size_t GetCount() const { return FCount; }
    std::size_t GetMemoryUsed() const {
        return FSlots.capacity() * sizeof(std::uint32_t) + FTags.capacity();
    }
    // Slots visited so far, for measuring the work of operations.
    std::uint64_t GetProbes() const { return FProbes; }

private:
    // At most 85% full: short probe runs for four bytes and a bit a reference.
    static std::size_t Capacity(std::size_t Slots) { return Slots * 17 / 20; }

    // Of a mixed hash: the high bits choose the home slot, the low ones make the tag.
    std::size_t Home(std::uint32_t MixedHash) const {
        return static_cast<std::size_t>((std::uint64_t{MixedHash} * FSlots.size()) >> 32);
    }
    static std::uint8_t Tag(std::uint32_t MixedHash) {
        return static_cast<std::uint8_t>(MixedHash);
    }
    std::size_t Following(std::size_t I) const { return I + 1 == FSlots.size() ? 0 : I + 1; }
    static std::uint32_t Mixed(std::uint32_t Hash);
    void Place(std::uint32_t Hash, std::uint32_t Reference);

    template <class THashOf> void Grow(THashOf& HashOf) {
        std::vector<std::uint32_t> old;
        old.swap(FSlots);
        FSlots.assign(SlotsFor(std::max<std::size_t>(8, FCount * 2)), Empty);
        if (FTagged) FTags.assign(FSlots.size(), 0);
        for (std::uint32_t reference : old)
            if (reference != Empty) Place(HashOf(reference), reference);
    }

    bool FTagged;
    std::vector<std::uint32_t> FSlots;
    std::vector<std::uint8_t> FTags;
    std::size_t FCount = 0;
    mutable std::uint64_t FProbes = 0;
};
