#include "classlib/IniDocument_Index.h"

void TIniIndex::Reset(std::size_t Count, std::size_t Slots) {
    std::vector<std::uint32_t>().swap(FSlots);
    std::vector<std::uint8_t>().swap(FTags);
    FSlots.assign(std::max(Slots, SlotsFor(Count)), Empty);
    if (FTagged) FTags.assign(FSlots.size(), 0);
    FCount = 0;
}

std::uint32_t TIniIndex::Mixed(std::uint32_t Hash) {
    // The table takes the high bits; this spreads every input bit into them.
    Hash ^= Hash >> 16;
    Hash *= 0x85EBCA6Bu;
    Hash ^= Hash >> 13;
    Hash *= 0xC2B2AE35u;
    Hash ^= Hash >> 16;
    return Hash;
}

void TIniIndex::Place(std::uint32_t Hash, std::uint32_t Reference) {
    std::uint32_t mixed = Mixed(Hash);
    std::size_t i = Home(mixed);
    while (FSlots[i] != Empty) {
        ++FProbes;
        i = Following(i);
    }
    FSlots[i] = Reference;
    if (FTagged) FTags[i] = Tag(mixed);
}
