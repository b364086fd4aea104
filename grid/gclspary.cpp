#include "grid/gclspary.h"

#include "grid/gcldata.h"
#include "grid/gclexcpt.h"

#include <algorithm>

namespace {
constexpr int DirectoryStep = 4;
constexpr int LastPageNumber = (SparseArrayMaxCount - 1) >> 5;
} // namespace

TGclSparseArray::TGclSparseArray() {
    FDirectory.reserve(DirectoryStep);
}

TGclSparseArray::~TGclSparseArray() {
    Clear();
}

void TGclSparseArray::RaiseError(int Code) {
    switch (Code) {
    case 1:
        throw ESAEAtMaxSize(GetGclStr(30218));
    case 2:
        throw ESAEOutOfBounds(GetGclStr(30219));
    default:
        throw ESparseArrayError(GetGclStr(30217));
    }
}

void TGclSparseArray::CheckIndex(int Index) {
    if (Index < 0 || Index >= SparseArrayMaxCount) RaiseError(2);
}

std::size_t TGclSparseArray::Lower(int Number) const {
    return static_cast<std::size_t>(
        std::lower_bound(FDirectory.begin(), FDirectory.end(), Number,
                         [](const TPageEntry& e, int n) { return e.Number < n; }) -
        FDirectory.begin());
}

TGclSparseArray::TPage* TGclSparseArray::FindPage(int Number) const {
    const std::size_t at = Lower(Number);
    return at < FDirectory.size() && FDirectory[at].Number == Number ? FDirectory[at].Page : nullptr;
}

TGclSparseArray::TPage* TGclSparseArray::FindOrCreatePage(int Number) {
    const std::size_t at = Lower(Number);
    if (at < FDirectory.size() && FDirectory[at].Number == Number) return FDirectory[at].Page;
    if (static_cast<int>(FDirectory.size()) == FDirectoryCapacity) {
        FDirectoryCapacity += DirectoryStep;
        FDirectory.reserve(FDirectoryCapacity);
    }
    auto* page = new TPage{};
    FDirectory.insert(FDirectory.begin() + static_cast<std::ptrdiff_t>(at),
                      TPageEntry{static_cast<std::uint16_t>(Number), page});
    return page;
}

void* TGclSparseArray::GetItem(int Index) const {
    CheckIndex(Index);
    const TPage* page = FindPage(Index >> 5);
    return page ? (*page)[Index & 31] : nullptr;
}

void TGclSparseArray::PutItem(int Index, void* Item) {
    CheckIndex(Index);
    TPage* page = Item ? FindOrCreatePage(Index >> 5) : FindPage(Index >> 5);
    if (!page) return;
    (*page)[Index & 31] = Item;
    if (!Item) Squeeze();
    RecalcCount();
}

int TGclSparseArray::Add(void* Item) {
    if (FCount >= SparseArrayMaxCount) RaiseError(1);
    const int index = FCount;
    PutItem(index, Item);
    return index;
}

void TGclSparseArray::Insert(int Index, void* Item) {
    CheckIndex(Index);
    if (FCount >= SparseArrayMaxCount) RaiseError(1);
    if (Index >= FCount) {
        PutItem(Index, Item);
        return;
    }
    // Every item from Index up moves one place; a page's last slot is carried
    // into the first slot of the next page number.
    void* carry = Item;
    int number = Index >> 5;
    int slot = Index & 31;
    while (true) {
        TPage* page = carry ? FindOrCreatePage(number) : FindPage(number);
        if (page) {
            void* out = (*page)[31];
            std::move_backward(page->begin() + slot, page->begin() + 31, page->end());
            (*page)[slot] = carry;
            carry = out;
        }
        if (carry) {
            ++number;
        } else {
            const std::size_t next = Lower(number + 1);
            if (next == FDirectory.size()) break;
            number = FDirectory[next].Number;
        }
        slot = 0;
    }
    Squeeze();
    RecalcCount();
}

void TGclSparseArray::ShiftDownFrom(int Number, int Slot) {
    const TPage* following = Number < LastPageNumber ? FindPage(Number + 1) : nullptr;
    void* incoming = following ? (*following)[0] : nullptr;
    TPage* page = incoming ? FindOrCreatePage(Number) : FindPage(Number);
    if (!page) return;
    std::move(page->begin() + Slot + 1, page->end(), page->begin() + Slot);
    (*page)[31] = incoming;
}

void TGclSparseArray::Delete(int Index) {
    CheckIndex(Index);
    if (Index >= FCount) return;
    // Every item above Index moves down one place: each page pulls the first
    // slot of the page numbered after it into its last slot.
    const int first = Index >> 5;
    std::vector<int> later;
    for (std::size_t i = Lower(first + 1); i < FDirectory.size(); ++i)
        later.push_back(FDirectory[i].Number);
    ShiftDownFrom(first, Index & 31);
    int done = first;
    for (int number : later) {
        if (number - 1 > done) ShiftDownFrom(number - 1, 31);
        ShiftDownFrom(number, 0);
        done = number;
    }
    Squeeze();
    RecalcCount();
}

void TGclSparseArray::Exchange(int Index1, int Index2) {
    if (Index1 == Index2) return;
    CheckIndex(Index1);
    CheckIndex(Index2);
    void* item1 = GetItem(Index1);
    void* item2 = GetItem(Index2);
    PutItem(Index1, item2);
    PutItem(Index2, item1);
}

void TGclSparseArray::Clear() {
    for (const TPageEntry& entry : FDirectory)
        delete entry.Page;
    FDirectory.clear();
    FCount = 0;
}

int TGclSparseArray::ForAll(const TSparseArrayAction& Action, bool Backwards,
                            void* OtherData) const {
    const int pages = static_cast<int>(FDirectory.size());
    for (int p = 0; p < pages; ++p) {
        const TPageEntry& entry = FDirectory[Backwards ? pages - 1 - p : p];
        for (int s = 0; s < 32; ++s) {
            const int slot = Backwards ? 31 - s : s;
            void* item = (*entry.Page)[slot];
            const int index = entry.Number * 32 + slot;
            if (item && !Action(index, item, OtherData)) return index;
        }
    }
    return -1;
}

void* TGclSparseArray::First() const {
    void* found = nullptr;
    ForAll([&found](int, void* item, void*) { return found = item, false; }, false, nullptr);
    return found;
}

void* TGclSparseArray::Last() const {
    void* found = nullptr;
    ForAll([&found](int, void* item, void*) { return found = item, false; }, true, nullptr);
    return found;
}

int TGclSparseArray::IndexOf(void* Item) const {
    return ForAll([Item](int, void* item, void*) { return item != Item; }, true, nullptr);
}

int TGclSparseArray::GetActiveCount() const {
    int count = 0;
    ForAll([&count](int, void*, void*) { return ++count, true; }, false, nullptr);
    return count;
}

void TGclSparseArray::RecalcCount() {
    FCount = ForAll([](int, void*, void*) { return false; }, true, nullptr) + 1;
}

void TGclSparseArray::Squeeze() {
    std::erase_if(FDirectory, [](const TPageEntry& entry) {
        const bool empty = std::all_of(entry.Page->begin(), entry.Page->end(),
                                       [](void* item) { return item == nullptr; });
        if (empty) delete entry.Page;
        return empty;
    });
}
