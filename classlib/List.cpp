#include "classlib/List.h"

#include "classlib/Exceptions.h"

#include <algorithm>

namespace {

[[noreturn]] void ListError(const char* What, int Value) {
    throw EListError(AnsiString("List ") + What + " out of bounds (" + std::to_string(Value) + ")");
}

} // namespace

void ListIndexError(int Index) {
    ListError("index", Index);
}

void TList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) ListError("index", Index);
}

int TList::GetCount() const {
    return static_cast<int>(FItems.size());
}

void TList::SetCount(int NewCount) {
    if (NewCount < 0) ListError("count", NewCount);
    FItems.resize(static_cast<std::size_t>(NewCount), nullptr);
}

void* TList::Get(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<std::size_t>(Index)];
}

void TList::Put(int Index, void* Item) {
    CheckIndex(Index);
    FItems[static_cast<std::size_t>(Index)] = Item;
}

int TList::Add(void* Item) {
    FItems.push_back(Item);
    return GetCount() - 1;
}

void TList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > GetCount()) ListError("index", Index);
    FItems.insert(FItems.begin() + Index, Item);
}

void TList::Delete(int Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
}

int TList::Remove(void* Item) {
    int index = IndexOf(Item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* Item) {
    return Remove(Item) >= 0 ? Item : nullptr;
}

int TList::IndexOf(void* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Clear() {
    FItems.clear();
}

void TList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex) return;
    void* item = FItems[static_cast<std::size_t>(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, item);
}

void TList::Sort(TListSortCompare Compare) {
    if (!Compare) throw EListError("List sort needs a compare function");
    std::stable_sort(FItems.begin(), FItems.end(),
                     [Compare](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::Pack() {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end());
}

void* TList::First() const {
    return Get(0);
}

void* TList::Last() const {
    return Get(GetCount() - 1);
}
