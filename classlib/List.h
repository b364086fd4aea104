// TList: an ordered list of untyped pointers. The list never owns what it points to.
#pragma once

#include "classlib/Objects.h"

#include <algorithm>
#include <iterator>
#include <vector>

// Removes the last entry that is Item; false when there is none. Owners free what they hold
// last-first, so looking from the end keeps freeing many as cheap as adding them.
template <class T>
bool EraseFromEnd(std::vector<T*>& List, const T* Item) {
    auto it = std::find(List.rbegin(), List.rend(), Item);
    if (it == List.rend()) return false;
    List.erase(std::next(it).base());
    return true;
}

// Negative when Item1 goes before Item2, 0 when equal, positive after.
using TListSortCompare = int (*)(void* Item1, void* Item2);

// Raises EListError "List index out of bounds (<Index>)", the error of every list of
// the library that is indexed from 0.
[[noreturn]] void ListIndexError(int Index);

// Bad indexes and counts raise EListError "List index out of bounds (%d)" or
// "List count out of bounds (%d)".
class TList : public TObject {
    DECLARE_CLASS(TList, TObject)
public:
    TList() = default;

    int GetCount() const;
    // Grows with null entries or shrinks from the end.
    void SetCount(int NewCount);
    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void* operator[](int Index) const { return Get(Index); }

    // Returns the new index.
    int Add(void* Item);
    // Index may be GetCount() to append.
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Deletes the first occurrence; returns its index or -1.
    int Remove(void* Item);
    // Deletes the first occurrence and returns Item, or null when absent.
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    void Clear();

    void Exchange(int Index1, int Index2);
    // Takes the item out of CurIndex and inserts it at NewIndex.
    void Move(int CurIndex, int NewIndex);
    void Sort(TListSortCompare Compare);
    // Removes the null entries.
    void Pack();

    // EListError on an empty list.
    void* First() const;
    void* Last() const;

private:
    void CheckIndex(int Index) const;

    std::vector<void*> FItems;
};
