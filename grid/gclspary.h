// TGclSparseArray: pointer slots 0 to 319,999 kept in pages of 32, only where
// something is stored. Items are opaque pointers the array never frees.
#pragma once

#include "classlib/Objects.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

constexpr int SparseArrayMaxCount = 320000;

// Called for each non-null item; returning false stops the walk.
using TSparseArrayAction = std::function<bool(int Index, void* Item, void* OtherData)>;

class TGclSparseArray : public TObject {
    DECLARE_CLASS(TGclSparseArray, TObject)
public:
    TGclSparseArray();
    ~TGclSparseArray() override;

    // Every index is checked: outside 0..319,999 raises ESAEOutOfBounds.
    void* GetItem(int Index) const;
    void PutItem(int Index, void* Item);
    // ESAEAtMaxSize when Count is 320,000.
    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    void Exchange(int Index1, int Index2);
    void Clear();

    // The index at which Action stopped the walk, or -1 when it visited everything.
    int ForAll(const TSparseArrayAction& Action, bool Backwards, void* OtherData) const;
    void* First() const;
    void* Last() const;
    // The highest index holding Item, -1 when none.
    int IndexOf(void* Item) const;
    int GetActiveCount() const;
    // Highest index holding an item, plus 1.
    int Count() const { return FCount; }

    void RecalcCount();
    // Frees every page whose slots are all null.
    void Squeeze();

    // Introspection for tests of the storage rules.
    int PageCount() const { return static_cast<int>(FDirectory.size()); }
    int DirectoryCapacity() const { return FDirectoryCapacity; }

    // Raises the sparse-array exception of Code: 1 at maximum size, 2 out of
    // bounds, any other a general failure.
    [[noreturn]] static void RaiseError(int Code);

private:
    using TPage = std::array<void*, 32>;
    struct TPageEntry {
        std::uint16_t Number;
        TPage* Page;
    };

    static void CheckIndex(int Index);
    // Position of the first entry whose number is not below Number.
    std::size_t Lower(int Number) const;
    TPage* FindPage(int Number) const;
    TPage* FindOrCreatePage(int Number);
    void ShiftDownFrom(int Number, int Slot);

    int FCount = 0;
    std::vector<TPageEntry> FDirectory;
    int FDirectoryCapacity = 4;
};
